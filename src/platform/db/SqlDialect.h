#pragma once
// Everything that differs between the two SQL engines of the catalogue
// database lives here: driver, connect options, the checks after
// connecting, how a select is prepared and read, maintenance statements
// and how a schema script is split. Query texts themselves are written
// once, in SQL both engines accept.

#include <QString>
#include <QStringList>

#include <memory>

class CSqlStatement;
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
    // Prepares a select on an open connection, to be kept and run again;
    // null with the reason in *error when the engine refuses the text.
    // The catalogue file is read through the SQLite C API on the very
    // connection Qt opened (the hot reads of identification, package list,
    // package loading and labour values pass here); the server through Qt.
    std::unique_ptr<CSqlStatement> Prepare(QSqlDatabase &db, const QString &sql,
                                           QString *error) const;
    // Whether BEGIN, COMMIT and ROLLBACK run as statements prepared once per
    // connection (SQLite: each step of the package list opens and ends a
    // read transaction on each of its connections). The server cannot
    // prepare them: its transactions go through Qt's driver.
    bool PreparesTransactions() const { return m_kind == SqlKind::SQLite; }
    QString UpdateStatisticsSql() const; // refresh the planner's statistics
    QString ReindexSql() const;

    // Splits a schema or data script into its statements (";" at the end of
    // a line ends a statement; "--" lines are comments).
    static QStringList SplitScript(const QString &script);

private:
    SqlKind m_kind;
};
