#include "platform/db/SqlDb.h"

#include "platform/db/ServerAddress.h"
#include "platform/db/YaqData.h"

#include <QAtomicInt>
#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QPair>
#include <QSqlError>
#include <QSqlQuery>

namespace {
QAtomicInt g_nextConnection;

// The catalogue files found to be catalogues, each as it was then (size and
// time of its last change): the connections after the first to the same
// file need not ask it again.
class CKnownCatalogues
{
public:
    bool Knows(const QFileInfo &file) const
    {
        const QMutexLocker lock(&m_mutex);
        const auto known = m_files.constFind(file.absoluteFilePath());
        return known != m_files.constEnd() && *known == Stamp(file);
    }
    void Remember(const QFileInfo &file)
    {
        const QMutexLocker lock(&m_mutex);
        m_files.insert(file.absoluteFilePath(), Stamp(file));
    }

private:
    static QPair<qint64, qint64> Stamp(const QFileInfo &file)
    {
        return {file.size(), file.lastModified().toMSecsSinceEpoch()};
    }
    mutable QMutex m_mutex;
    QHash<QString, QPair<qint64, qint64>> m_files;
};

CKnownCatalogues &KnownCatalogues()
{
    static CKnownCatalogues known;
    return known;
}
} // namespace

CSqlDb::CSqlDb()
    : m_strConnection(QStringLiteral("yaqdb-%1").arg(g_nextConnection.fetchAndAddRelaxed(1)))
{
}

CSqlDb::~CSqlDb()
{
    CSqlDb::Close();
}

int CSqlDb::OpenSqlite(const QString &file, bool readOnly)
{
    Close();
    const QFileInfo info(file);
    if (!info.isFile()) {
        Fail(QStringLiteral("The catalogue file \"%1\" does not exist.").arg(file));
        return 0;
    }
    m_dialect = std::make_unique<CSqlDialect>(SqlKind::SQLite);
    m_db = QSqlDatabase::addDatabase(m_dialect->DriverName(), m_strConnection);
    m_db.setDatabaseName(file);
    m_db.setConnectOptions(m_dialect->ConnectOptions(readOnly));
    m_bReadOnly = readOnly ? 1 : 0;
    if (!m_db.open()) {
        const QString text = m_db.lastError().text();
        Close();
        Fail(QStringLiteral("The catalogue file \"%1\" cannot be opened: %2").arg(file, text));
        return 0;
    }
    // A file that is not a catalogue opens fine in SQLite; ask it for a
    // table, once for a file as it is.
    if (!KnownCatalogues().Knows(info)) {
        QSqlQuery probe(m_db);
        if (!probe.exec(QStringLiteral("SELECT COUNT(*) FROM catalogue_report"))) {
            const QString text = probe.lastError().text();
            probe = QSqlQuery();
            Close();
            Fail(QStringLiteral("\"%1\" is not a catalogue database: %2").arg(file, text));
            return 0;
        }
        KnownCatalogues().Remember(info);
    }
    SetResult(DbResult::NoRow);
    return 1;
}

int CSqlDb::OpenServer(const QString &tns, const QString &user, const QString &password)
{
    Close();
    ServerAddress address;
    if (!ParseServerAddress(tns, &address)) {
        Fail(QStringLiteral("The TNS name \"%1\" names no catalogue server.").arg(tns));
        return 0;
    }
    m_dialect = std::make_unique<CSqlDialect>(SqlKind::PostgreSQL);
    m_db = QSqlDatabase::addDatabase(m_dialect->DriverName(), m_strConnection);
    m_db.setHostName(address.host);
    m_db.setPort(address.port);
    m_db.setDatabaseName(address.database);
    m_db.setUserName(user);
    m_db.setPassword(password);
    m_db.setConnectOptions(m_dialect->ConnectOptions(false));
    if (!m_db.open()) {
        const QString text = m_db.lastError().text();
        Close();
        Fail(QStringLiteral("The catalogue server cannot be reached: %1").arg(text));
        return 0;
    }
    const QString problem = m_dialect->CheckConnection(m_db);
    if (!problem.isEmpty()) {
        Close();
        Fail(problem);
        return 0;
    }
    m_bReadOnly = 0;
    SetResult(DbResult::NoRow);
    return 1;
}

void CSqlDb::ReleaseStatements()
{
    m_pCursor = nullptr;
    SetRecord(nullptr);
    // Before the connection closes: SQLite does not close a connection
    // that still has statements.
    m_byText.clear();
    m_statements.clear();
}

void CSqlDb::Close()
{
    ReleaseStatements();
    if (m_db.isValid()) {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_strConnection);
    }
}

CSqlStatement *CSqlDb::Prepared(const QString &sql)
{
    // The fixed texts of the queries come again and again in one and the
    // same string: found by where its characters lie, without hashing them.
    const auto byText = m_byText.find(sql.constData());
    if (byText != m_byText.end())
        return byText->second;
    auto known = m_statements.find(sql);
    if (known == m_statements.end()) {
        QString error;
        std::unique_ptr<CSqlStatement> st = m_dialect->Prepare(m_db, sql, &error);
        if (!st) {
            Fail(QStringLiteral("%1\n%2").arg(error, sql));
            return nullptr;
        }
        known = m_statements.emplace(sql, std::move(st)).first;
    }
    // Only a key that shares the characters keeps them alive, so that no
    // other text can come to lie there.
    if (known->first.constData() == sql.constData())
        m_byText.emplace(sql.constData(), known->second.get());
    return known->second.get();
}

void CSqlDb::SetRecord(CYaqData *record)
{
    m_pRecord = record;
    if (record)
        m_fields = record->Fields();
    else
        m_fields.clear();
}

bool CSqlDb::Run(CSqlStatement *st, const QVariantList &binds)
{
    if (!st->Exec(binds)) {
        Fail(st->ErrorText());
        return false;
    }
    return true;
}

int CSqlDb::Fetch()
{
    CSqlStatement *st = m_pCursor;
    if (!st) {
        SetResult(DbResult::NoRow);
        return 0;
    }
    const DbResult next = st->Next();
    if (next != DbResult::Row) {
        const QString error = next == DbResult::Failed ? st->ErrorText() : QString();
        CloseStmt();
        if (next == DbResult::Failed) {
            Fail(error);
            return 0;
        }
        SetResult(DbResult::NoRow);
        return 0;
    }
    if (m_pRecord)
        st->ReadRow(m_fields);
    SetResult(DbResult::Row);
    return 1;
}

int CSqlDb::ExecSelect(const QString &sql, const QVariantList &binds, CYaqData *record)
{
    CloseStmt();
    if (!m_db.isOpen()) {
        Fail(QStringLiteral("The catalogue database is not open."));
        return 0;
    }
    CSqlStatement *st = Prepared(sql);
    if (!st || !Run(st, binds))
        return 0;
    m_pCursor = st;
    SetRecord(record);
    return Fetch();
}

int CSqlDb::ReadNext()
{
    return Fetch();
}

int CSqlDb::CloseStmt()
{
    if (m_pCursor)
        m_pCursor->Finish();
    m_pCursor = nullptr;
    SetRecord(nullptr);
    return 1;
}

void CSqlDb::BindColumns(CYaqData *record)
{
    if (m_pCursor)
        SetRecord(record);
}

int CSqlDb::Execute(const QString &sql, const QVariantList &binds)
{
    CloseStmt();
    if (!m_db.isOpen()) {
        Fail(QStringLiteral("The catalogue database is not open."));
        return 0;
    }
    QSqlQuery q(m_db);
    // A statement without values runs as it is: prepared, the server would
    // keep it until it is freed, which a lost connection answers with a
    // warning.
    bool ok = false;
    if (binds.isEmpty()) {
        ok = q.exec(sql);
    } else if (q.prepare(sql)) {
        for (int i = 0; i < binds.size(); ++i)
            q.bindValue(i, binds.at(i));
        ok = q.exec();
    }
    if (!ok) {
        Fail(q.lastError().text());
        return 0;
    }
    SetResult(DbResult::NoRow);
    return 1;
}

int CSqlDb::ExecFunc(const QString &sql, const QVariantList &binds)
{
    CloseStmt();
    if (!m_db.isOpen()) {
        Fail(QStringLiteral("The catalogue database is not open."));
        return -1;
    }
    CSqlStatement *st = Prepared(sql);
    if (!st || !Run(st, binds))
        return -1;
    const DbResult next = st->Next();
    if (next != DbResult::Row) {
        const QString error = st->ErrorText();
        st->Finish();
        if (next == DbResult::Failed)
            Fail(error);
        else
            SetResult(DbResult::NoRow);
        return -1;
    }
    int value = 0;
    const bool ok = st->FirstAsInt(&value);
    st->Finish();
    SetResult(ok ? DbResult::Row : DbResult::NoRow);
    return ok ? value : -1;
}

int CSqlDb::Transaction(const char *sql, bool (QSqlDatabase::*driverCall)())
{
    CloseStmt();
    if (m_dialect && m_dialect->PreparesTransactions() && m_db.isOpen()) {
        CSqlStatement *st = Prepared(QLatin1String(sql));
        if (!st || !Run(st, {}))
            return 0;
        const DbResult done = st->Next();
        const QString error = st->ErrorText();
        st->Finish();
        if (done == DbResult::Failed) {
            Fail(error);
            return 0;
        }
        return 1;
    }
    if (!(m_db.*driverCall)()) {
        Fail(m_db.lastError().text());
        return 0;
    }
    return 1;
}

int CSqlDb::BeginTrans()
{
    return Transaction("BEGIN", &QSqlDatabase::transaction);
}

int CSqlDb::EndTrans()
{
    return Transaction("COMMIT", &QSqlDatabase::commit);
}

int CSqlDb::RollbackTrans()
{
    return Transaction("ROLLBACK", &QSqlDatabase::rollback);
}

int CSqlDb::UpdateStatistics()
{
    return m_dialect ? Execute(m_dialect->UpdateStatisticsSql()) : 0;
}

int CSqlDb::Defrag()
{
    return m_dialect ? Execute(m_dialect->ReindexSql()) : 0;
}
