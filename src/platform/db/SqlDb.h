#pragma once
// CSqlDb: the part shared by the connection kinds that read the catalogue
// through Qt SQL: statements prepared once per connection, one open cursor,
// the record it fills, and the outcome of the last read.

#include "platform/db/SqlDialect.h"
#include "platform/db/UniDb.h"

#include <QHash>
#include <QSqlDatabase>
#include <memory>
#include <vector>

class QSqlQuery;

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
    struct Statement;
    Statement *Prepared(const QString &sql);
    bool Run(Statement *st, const QVariantList &binds);
    int Fetch();
    void SetRecord(CYaqData *record);
    void ReleaseStatements();

    QString m_strConnection;
    QSqlDatabase m_db;
    std::unique_ptr<CSqlDialect> m_dialect;
    QHash<QString, Statement *> m_statements;
    Statement *m_pCursor = nullptr;
    CYaqData *m_pRecord = nullptr;
    std::vector<QString *> m_fields; // of m_pRecord, taken once per query
};
