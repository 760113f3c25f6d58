#pragma once
// CSqlDb: the part shared by the connection kinds that read the catalogue
// through an SQL engine: the connection (opened through Qt SQL), selects
// prepared once per connection (as the dialect prepares them), one open
// cursor, the record it fills, and the outcome of the last read.
//
// A server connection that is lost (the server went away, or did not
// answer within CServerWait's bound) fails the read that met it; the next
// read, select or transaction connects again with the same values, in the
// adviser's next step (CServerWait::BeginStep) when the server was found
// silent or gone in this one. A failure's text says what the server said,
// so that a refusal can be told apart (CatalogueFailure).

#include "platform/db/ServerAddress.h"
#include "platform/db/ServerWait.h"
#include "platform/db/SqlDialect.h"
#include "platform/db/SqlStatement.h"
#include "platform/db/UniDb.h"

#include <QSqlDatabase>
#include <atomic>
#include <memory>
#include <unordered_map>
#include <vector>

class CSqlDb : public CUniDb
{
public:
    CSqlDb();
    ~CSqlDb() override;

    void Close() override;
    int Execute(const QString &sql, const QVariantList &binds = {}) override;
    int ReadNext() override;
    int CloseStmt() override;
    void BindColumns(CYaqData *record) override;
    int ExecSelect(const QString &sql, const QVariantList &binds, CYaqData *record) override;
    int ExecFunc(const QString &sql, const QVariantList &binds = {}) override;
    int BeginTrans() override;
    int EndTrans() override;
    int RollbackTrans() override;

    bool IsOpen() const { return m_db.isOpen(); }
    const CSqlDialect *Dialect() const { return m_dialect.get(); }

    // "analyze" and "reindex" of the local file database.
    int UpdateStatistics();
    int Defrag();

protected:
    // Opens the SQLite catalogue file; a missing file is a failure (never
    // created empty).
    int OpenSqlite(const QString &file, bool readOnly);
    // Opens the PostgreSQL server named by the TNS text.
    int OpenServer(const QString &tns, const QString &user, const QString &password);
    bool FailureFollowsEarlier() const override
    {
        return m_bServerTrans && Failures() != m_nTransFailures;
    }

private:
    CSqlStatement *Prepared(const QString &sql);
    // BEGIN, COMMIT or ROLLBACK: as a prepared statement where the dialect
    // prepares them, else through the driver's call. 1 on success.
    int Transaction(const char *sql, bool (QSqlDatabase::*driverCall)());
    bool Run(CSqlStatement *st, const QVariantList &binds);
    // The connection is open, or, for a server connection that was lost,
    // open again; false (failed) when not.
    bool EnsureOpen();
    // Bounds a wait on the server (nothing for the catalogue file).
    CServerWait WaitOnServer();
    // The text of a failure: says so when the server did not answer in time
    // or the connection was lost.
    QString Why(const QString &text);
    QString CheckServer();
    int ExecSelectOnce(const QString &sql, const QVariantList &binds, CYaqData *record);
    int ExecFuncOnce(const QString &sql, const QVariantList &binds);
    bool DriverTransaction(bool (QSqlDatabase::*driverCall)());
    // Whether a read that failed since `failures` met a connection the
    // server had ended meanwhile and may run once more (connected again).
    bool RetryAfterSilentLoss(int failures);
    // The server answered (the last operation did not fail).
    void NoteAnswer();
    // A new Qt connection with the server's values of the start.
    void SetServerValues();
    int Fetch();
    void SetRecord(CYaqData *record);
    void ReleaseStatements();
    void DropServerDriver();

    QString m_strConnection;
    QSqlDatabase m_db;
    std::unique_ptr<CSqlDialect> m_dialect;
    std::unordered_map<QString, std::unique_ptr<CSqlStatement>> m_statements;
    std::unordered_map<const QChar *, CSqlStatement *> m_byText; // by a key's characters
    CSqlStatement *m_pCursor = nullptr;
    CYaqData *m_pRecord = nullptr;
    std::vector<QString *> m_fields; // of m_pRecord, taken once per query
    bool m_bServer = false;          // a server connection, once opened
    ServerAddress m_server;          // and its values of the start
    QString m_strUser, m_strPassword;
    QString m_strServer; // host:port/database, naming it for CServerWait
    int m_nSocket = -1;  // of the server connection while open
    std::atomic<bool> m_bTimedOut{false};
    bool m_bWaitTimedOut = false; // the last failure was the bound of a wait
    bool m_bServerTrans = false;  // a transaction is open on the server connection
    int m_nTransFailures = 0;     // Failures() when that transaction began
};
