#include "platform/db/SqlDialect.h"

#include "platform/db/QtSqlStatement.h"
#include "platform/db/ServerWait.h"
#include "platform/db/SqliteStatement.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QVariant>

#include <sqlite3.h>

#include <algorithm>

namespace {

// The sqlite3 connection behind Qt's SQLite connection. It may be used
// here because Qt's SQLite driver and this program load one and the same
// SQLite library (the system's libsqlite3.so.0, which both link); null when
// the driver offers none.
sqlite3 *SqliteHandle(const QSqlDatabase &db)
{
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3 *const *>(handle.constData());
}

} // namespace

QString CSqlDialect::DriverName() const
{
    return m_kind == SqlKind::SQLite ? QStringLiteral("QSQLITE") : QStringLiteral("QPSQL");
}

QString CSqlDialect::ConnectOptions(bool readOnly) const
{
    // A read waits up to 5 s for a writer of the catalogue file.
    if (m_kind == SqlKind::SQLite)
        return readOnly ? QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000;QSQLITE_OPEN_READONLY")
                        : QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000");
    // The connection's start waits as long as any other wait on the server
    // (libpq counts whole seconds, at least 2).
    const int seconds = std::max(2, (CServerWait::BoundMs() + 999) / 1000);
    return QStringLiteral("connect_timeout=%1").arg(seconds);
}

QString CSqlDialect::CheckConnection(QSqlDatabase &db) const
{
    if (m_kind == SqlKind::SQLite)
        return {};
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral(
            "SELECT datcollate FROM pg_database WHERE datname = current_database()")) ||
        !q.next())
        return QStringLiteral("The collation of the catalogue database cannot be read.");
    const QString collation = q.value(0).toString();
    if (collation == QLatin1String("C") || collation == QLatin1String("POSIX") ||
        collation.startsWith(QLatin1String("C.")))
        return {};
    return QStringLiteral("The catalogue database uses the collation \"%1\"; it must be created "
                          "with LC_COLLATE 'C'.")
        .arg(collation);
}

std::unique_ptr<CSqlStatement> CSqlDialect::Prepare(QSqlDatabase &db, const QString &sql,
                                                    QString *error) const
{
    if (m_kind == SqlKind::SQLite) {
        if (sqlite3 *handle = SqliteHandle(db))
            return CSqliteStatement::Prepare(handle, sql, error);
    }
    auto statement = std::make_unique<CQtSqlStatement>(db);
    if (!statement->Prepare(sql)) {
        *error = statement->ErrorText();
        return nullptr;
    }
    return statement;
}

QString CSqlDialect::UpdateStatisticsSql() const
{
    return QStringLiteral("ANALYZE");
}

QString CSqlDialect::ReindexSql() const
{
    return m_kind == SqlKind::SQLite ? QStringLiteral("REINDEX")
                                     : QStringLiteral("REINDEX DATABASE CURRENT_DATABASE");
}

QStringList CSqlDialect::SplitScript(const QString &script)
{
    QStringList statements;
    QString current;
    const QStringList lines = script.split(QLatin1Char('\n'));
    for (const QString &raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1String("--")))
            continue;
        if (!current.isEmpty())
            current += QLatin1Char('\n');
        current += raw;
        if (line.endsWith(QLatin1Char(';'))) {
            current = current.trimmed();
            current.chop(1);
            statements << current;
            current.clear();
        }
    }
    if (!current.trimmed().isEmpty())
        statements << current.trimmed();
    return statements;
}
