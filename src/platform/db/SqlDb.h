#pragma once
// CSqlDb: the part shared by the connection kinds that read the catalogue
// through an SQL engine: the connection (opened through Qt SQL), selects
// prepared once per connection (as the dialect prepares them), one open
// cursor, the record it fills, and the outcome of the last read.

#include "platform/db/SqlDialect.h"
#include "platform/db/SqlStatement.h"
#include "platform/db/UniDb.h"

#include <QSqlDatabase>
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

private:
    CSqlStatement *Prepared(const QString &sql);
    // BEGIN, COMMIT or ROLLBACK: as a prepared statement where the dialect
    // prepares them, else through the driver's call. 1 on success.
    int Transaction(const char *sql, bool (QSqlDatabase::*driverCall)());
    bool Run(CSqlStatement *st, const QVariantList &binds);
    int Fetch();
    void SetRecord(CYaqData *record);
    void ReleaseStatements();

    QString m_strConnection;
    QSqlDatabase m_db;
    std::unique_ptr<CSqlDialect> m_dialect;
    std::unordered_map<QString, std::unique_ptr<CSqlStatement>> m_statements;
    std::unordered_map<const QChar *, CSqlStatement *> m_byText; // by a key's characters
    CSqlStatement *m_pCursor = nullptr;
    CYaqData *m_pRecord = nullptr;
    std::vector<QString *> m_fields; // of m_pRecord, taken once per query
};
