#pragma once
// Everything that differs between the two SQL engines of the catalogue
// database lives here: driver, connect options, the checks after
// connecting, maintenance statements and how a schema script is split.
// Query texts themselves are written once, in SQL both engines accept.

#include <QString>
#include <QStringList>

class QSqlDatabase;

enum class SqlKind
{
    SQLite,     // the local catalogue file
    PostgreSQL, // the shared catalogue server
};

class CSqlDialect
{
public:
    explicit CSqlDialect(SqlKind kind) : m_kind(kind) {}

    SqlKind Kind() const { return m_kind; }
    QString DriverName() const;
    // Connect options for QSqlDatabase::setConnectOptions.
    QString ConnectOptions(bool readOnly) const;
    // Checks a fresh connection; an empty text when it is usable, else why not.
    // PostgreSQL must compare texts in byte order (collation "C"), as SQLite
    // does, or the VIN-range look-ups would answer differently.
    QString CheckConnection(QSqlDatabase &db) const;
    QString UpdateStatisticsSql() const; // refresh the planner's statistics
    QString ReindexSql() const;

    // Splits a schema or data script into its statements (";" at the end of
    // a line ends a statement; "--" lines are comments).
    static QStringList SplitScript(const QString &script);

private:
    SqlKind m_kind;
};
