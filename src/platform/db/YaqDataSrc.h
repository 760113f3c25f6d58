#pragma once
// CYaqDataSrc: a data source holding one connection (CUniDb). Its members
// forward to the connection; without a connection they answer 0 (ExecFunc
// -1), an empty text, or do nothing. The data source owns its connection.

#include "platform/db/UniDb.h"

#include <QString>
#include <QVariantList>
#include <memory>

class CYaqDataSrc
{
public:
    CYaqDataSrc();
    // A connection has one owner: data sources are not copied.
    CYaqDataSrc(const CYaqDataSrc &) = delete;
    CYaqDataSrc &operator=(const CYaqDataSrc &) = delete;
    virtual ~CYaqDataSrc();

    virtual int Open(const QString &tns, const QString &user, const QString &password, int reserved,
                     const QString &localDataDir, const QString &appServer,
                     const QString &sessionId) = 0;
    virtual void Close();
    virtual int Execute(const QString &sql, const QVariantList &binds = {});
    // Continues the last result set of this connection into the record of
    // the query that opened it. 1 with a row, 0 when exhausted or failed.
    virtual int ReadNext();
    virtual int CloseStmt();
    virtual void BindColumns(CYaqData *record);
    virtual int ExecSelect(const QString &sql, const QVariantList &binds, CYaqData *record);
    virtual int ExecFunc(const QString &sql, const QVariantList &binds = {});
    virtual int BeginTrans();
    virtual int EndTrans();
    virtual int RollbackTrans();
    virtual void SetNamespace(const QString &ns);

    QString GetSessionUserInfo(const QString &sessionId);
    // The session-data XML of the application server; empty without a
    // connection or when the server could not be asked.
    QString CheckSession(const QString &sessionId);
    QString EndSession(const QString &sessionId);

    // The connection's flags for a failed statement: show its text in a
    // message box, throw CUniDbException. The program's reads tell a
    // failure by LastResult and set neither; they stay for a caller that
    // wants a failure shown or thrown (the database tests throw).
    void SetShowMessage(int show);
    void SetThrowException(int doThrow);
    int IsReadOnly() const;

    // Outcome of the last operation on this connection: Row, NoRow or
    // Failed (also Failed without a connection).
    DbResult LastResult() const;
    QString LastErrorText() const;
    bool LastFailed() const { return LastResult() == DbResult::Failed; }
    // Failed operations so far (CUniDb::Failures); 0 without a connection.
    int Failures() const { return m_pDb ? m_pDb->Failures() : 0; }

    CUniDb *Connection() const { return m_pDb.get(); }

    // Statements run on this data source (selects, functions, others), to
    // tell a read from memory from one that went to the database.
    int QueryCount() const { return m_nQueries; }

protected:
    void SetConnection(std::unique_ptr<CUniDb> db);

private:
    std::unique_ptr<CUniDb> m_pDb;
    int m_nQueries = 0;
};
