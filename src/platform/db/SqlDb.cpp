#include "platform/db/SqlDb.h"

#include "platform/db/CatalogueFailure.h"
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
    m_server = address;
    m_strUser = user;
    m_strPassword = password;
    m_strServer =
        QStringLiteral("%1:%2/%3").arg(address.host).arg(address.port).arg(address.database);
    SetServerValues();
    if (!m_db.open()) {
        const QString text = m_db.lastError().text();
        Close();
        Fail(QStringLiteral("The catalogue server cannot be reached: %1").arg(text));
        return 0;
    }
    const QString problem = CheckServer();
    if (!problem.isEmpty()) {
        Close();
        Fail(problem);
        return 0;
    }
    m_bServer = true;
    m_bReadOnly = 0;
    SetResult(DbResult::NoRow);
    return 1;
}

void CSqlDb::SetServerValues()
{
    m_db = QSqlDatabase::addDatabase(m_dialect->DriverName(), m_strConnection);
    m_db.setHostName(m_server.host);
    m_db.setPort(m_server.port);
    m_db.setDatabaseName(m_server.database);
    m_db.setUserName(m_strUser);
    m_db.setPassword(m_strPassword);
    m_db.setConnectOptions(m_dialect->ConnectOptions(false));
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

void CSqlDb::DropServerDriver()
{
    // The server frees the statements of a session with the session; Qt's
    // driver would free each one on its own, and on a connection that is
    // lost (whether it knows it yet or not) warns of each: the driver goes
    // first, then they go without asking it.
    if (!m_bServer)
        return;
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_strConnection);
    ReleaseStatements();
}

void CSqlDb::Close()
{
    DropServerDriver();
    ReleaseStatements();
    m_bServer = false;
    m_bServerTrans = false;
    m_nSocket = -1;
    if (m_db.isValid()) {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_strConnection);
    }
}

QString CSqlDb::CheckServer()
{
    m_nSocket = CServerWait::SocketOf(m_db);
    const CServerWait wait = WaitOnServer();
    return Why(m_dialect->CheckConnection(m_db));
}

bool CSqlDb::EnsureOpen()
{
    if (m_bServer && CServerWait::SilentInStep(m_strServer)) {
        // This step found the server silent or gone already: it does not
        // wait on it again; the next step connects again.
        if (m_db.isOpen())
            DropServerDriver();
        m_bWaitTimedOut = true;
        Fail(QStringLiteral("The catalogue server did not answer in this step."));
        return false;
    }
    if (m_db.isOpen())
        return true;
    if (!m_bServer) {
        Fail(QStringLiteral("The catalogue database is not open."));
        return false;
    }
    // Lost within a run of reads that belong together: the run has failed,
    // its further reads fail at once; the next run connects again.
    if (m_bServerTrans) {
        Fail(Why(QStringLiteral("The connection was lost in this transaction.")));
        return false;
    }
    // The connection to the server was lost: its statements went with it.
    // This read connects again (the start's values are still set), bounded
    // as the start is.
    DropServerDriver();
    m_bServerTrans = false;
    m_nSocket = -1;
    SetServerValues();
    CServerWait::NoteWaitBegins();
    if (!m_db.open()) {
        const QString text = m_db.lastError().text();
        // A server that answered and refused is asked again at once (the
        // refusal is quick); one gone or silent is not, in this step.
        if (!CatalogueFailure::IsRefusal(text))
            CServerWait::MarkSilent(m_strServer);
        Fail(QStringLiteral("The catalogue server cannot be reached: %1").arg(text));
        return false;
    }
    const QString problem = CheckServer();
    if (!problem.isEmpty()) {
        m_nSocket = -1;
        m_db.close();
        Fail(problem);
        return false;
    }
    CServerWait::MarkAnswered(m_strServer);
    return true;
}

CServerWait CSqlDb::WaitOnServer()
{
    if (m_nSocket >= 0)
        CServerWait::NoteWaitBegins();
    m_bTimedOut.store(false);
    m_bWaitTimedOut = false;
    return CServerWait(m_nSocket, &m_bTimedOut);
}

QString CSqlDb::Why(const QString &text)
{
    if (m_bTimedOut.exchange(false)) {
        m_bWaitTimedOut = true;
        CServerWait::MarkSilent(m_strServer);
        return QStringLiteral("The catalogue server did not answer within %1 ms: %2")
            .arg(CServerWait::BoundMs())
            .arg(text);
    }
    if (m_dialect && m_dialect->Kind() == SqlKind::PostgreSQL && !m_db.isOpen())
        return QStringLiteral("The connection to the catalogue server is lost: %1").arg(text);
    return text;
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
            Fail(Why(QStringLiteral("%1\n%2").arg(error, sql)));
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
        Fail(Why(st->ErrorText()));
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
            Fail(Why(error));
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
    const int failures = Failures();
    int found = ExecSelectOnce(sql, binds, record);
    if (RetryAfterSilentLoss(failures))
        found = ExecSelectOnce(sql, binds, record);
    NoteAnswer();
    return found;
}

void CSqlDb::NoteAnswer()
{
    if (m_bServer && LastResult() != DbResult::Failed)
        CServerWait::MarkAnswered(m_strServer);
}

bool CSqlDb::RetryAfterSilentLoss(int failures)
{
    // A connection the server ended while it lay idle (the server was
    // restarted) is found lost only by the read that meets it: that read
    // connects again and runs once more. Not when the server did not
    // answer within the bound, nor within a transaction (it went with the
    // connection). A server that ended it with a word of its own (a
    // shutdown's "terminating connection") leaves it open to Qt's driver,
    // lost to the client library.
    if (Failures() == failures || !m_bServer || m_bServerTrans || m_bWaitTimedOut)
        return false;
    if (m_db.isOpen() && !CatalogueFailure::SessionEnded(LastErrorText()))
        return false;
    if (m_db.isOpen())
        DropServerDriver();
    if (!EnsureOpen())
        return false;
    ForgetFailuresSince(failures);
    return true;
}

int CSqlDb::ExecSelectOnce(const QString &sql, const QVariantList &binds, CYaqData *record)
{
    CloseStmt();
    if (!EnsureOpen())
        return 0;
    const CServerWait wait = WaitOnServer();
    CSqlStatement *st = Prepared(sql);
    if (!st || !Run(st, binds))
        return 0;
    m_pCursor = st;
    SetRecord(record);
    return Fetch();
}

int CSqlDb::ReadNext()
{
    const CServerWait wait = WaitOnServer();
    return Fetch();
}

int CSqlDb::CloseStmt()
{
    const CServerWait wait = WaitOnServer();
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
    if (!EnsureOpen())
        return 0;
    const CServerWait wait = WaitOnServer();
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
        Fail(Why(q.lastError().text()));
        return 0;
    }
    SetResult(DbResult::NoRow);
    return 1;
}

int CSqlDb::ExecFunc(const QString &sql, const QVariantList &binds)
{
    const int failures = Failures();
    int value = ExecFuncOnce(sql, binds);
    if (RetryAfterSilentLoss(failures))
        value = ExecFuncOnce(sql, binds);
    NoteAnswer();
    return value;
}

int CSqlDb::ExecFuncOnce(const QString &sql, const QVariantList &binds)
{
    CloseStmt();
    if (!EnsureOpen())
        return -1;
    const CServerWait wait = WaitOnServer();
    CSqlStatement *st = Prepared(sql);
    if (!st || !Run(st, binds))
        return -1;
    const DbResult next = st->Next();
    if (next != DbResult::Row) {
        const QString error = st->ErrorText();
        st->Finish();
        if (next == DbResult::Failed)
            Fail(Why(error));
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
    // The server's transactions: BEGIN connects again where the connection
    // was lost; the end of a transaction that went with a lost connection
    // has nothing left to end, and the driver is not asked (it warns of a
    // connection that is not open).
    const bool begin = qstrcmp(sql, "BEGIN") == 0;
    if (m_bServer && begin && !EnsureOpen())
        return 0;
    if (m_bServer && !begin) {
        if (!m_db.isOpen()) {
            m_bServerTrans = false;
            Fail(Why(QStringLiteral("The transaction went with the connection.")));
            return 0;
        }
        if (!m_bServerTrans)
            return 1;
    }
    // A read of the transaction failed: the server has ended it and takes
    // no COMMIT. It is rolled back, and the failure told stays the read's
    // own (a refusal with the server's words), not the COMMIT's.
    const bool readFailed = m_bServer && !begin && Failures() != m_nTransFailures;
    if (readFailed)
        driverCall = &QSqlDatabase::rollback;
    const int failures = Failures();
    if (!DriverTransaction(driverCall) &&
        !(begin && RetryAfterSilentLoss(failures) && DriverTransaction(driverCall)))
        return 0;
    if (m_bServer) {
        m_bServerTrans = begin;
        m_nTransFailures = Failures();
        CServerWait::MarkAnswered(m_strServer);
    }
    return readFailed ? 0 : 1;
}

bool CSqlDb::DriverTransaction(bool (QSqlDatabase::*driverCall)())
{
    const CServerWait wait = WaitOnServer();
    if ((m_db.*driverCall)())
        return true;
    if (m_bServer)
        m_bServerTrans = false;
    Fail(Why(m_db.lastError().text()));
    return false;
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
