#pragma once
// CUniDb: one connection to the catalogue database, whatever its kind
// (local SQLite file, shared PostgreSQL server, session on an application
// server). A connection has at most one open result set (cursor): a new
// select closes the previous one, ReadNext continues the last one.
//
// Every read answers 1 (a row is in the record) or 0. A 0 is either "no row"
// or a failure (broken connection, SQL error); LastResult tells them apart,
// so that callers and caches do not take a failure for an empty answer.

#include <QString>
#include <QVariantList>

class CYaqData;

enum class DbResult
{
    Row,    // the last read delivered a row
    NoRow,  // the last read ran and found nothing (or the run is exhausted)
    Failed, // the last read or open failed; see LastErrorText
};

class CUniDb
{
public:
    CUniDb() = default;
    CUniDb(const CUniDb &) = delete;
    CUniDb &operator=(const CUniDb &) = delete;
    virtual ~CUniDb() = default;

    // Open arguments as the main window passes them; the kind of the
    // connection decides which of them it uses. Nonzero when connected.
    virtual int Open(const QString &tns, const QString &user, const QString &password, int reserved,
                     const QString &localDataDir, const QString &appServer,
                     const QString &sessionId) = 0;
    virtual void Close() = 0;
    // Runs a statement without result rows (bound values only). 1 on success.
    virtual int Execute(const QString &sql, const QVariantList &binds = {}) = 0;
    // Moves the last select on by one row into its record; 0 when exhausted
    // (or failed, see LastResult).
    virtual int ReadNext() = 0;
    // Closes the open cursor.
    virtual int CloseStmt() = 0;
    // Names the record that the rows of the open cursor fill.
    virtual void BindColumns(CYaqData *record) = 0;
    // Prepares (once per text and connection) and runs a select with bound
    // values; the first row fills the record. 1 when a row was found.
    virtual int ExecSelect(const QString &sql, const QVariantList &binds, CYaqData *record) = 0;
    // Runs a select whose first column of the first row is a number and
    // answers it; -1 on failure or without row.
    virtual int ExecFunc(const QString &sql, const QVariantList &binds = {}) = 0;
    virtual int BeginTrans() = 0;
    virtual int EndTrans() = 0;
    virtual int RollbackTrans() = 0;
    virtual void SetNamespace(const QString &ns) { m_strNamespace = ns; }
    virtual QString GetSessionUserInfo(const QString &sessionId);
    virtual QString CheckSession(const QString &sessionId);
    virtual QString EndSession(const QString &sessionId);

    DbResult LastResult() const { return m_lastResult; }
    const QString &LastErrorText() const { return m_strLastError; }
    // How many operations of this connection have failed so far: a run of
    // reads compares it before and after, whatever the last one answered.
    int Failures() const { return m_nFailures; }

    int IsReadOnly() const { return m_bReadOnly; }
    void SetShowMessage(int show) { m_bShowMessage = show; }
    void SetThrowException(int doThrow) { m_bThrowException = doThrow; }

protected:
    // Records a failure: remembers the text, then shows it and/or throws
    // as the flags say.
    void Fail(const QString &text, unsigned int code = 1);
    // Whether a failure now only follows one noted before (a read in a
    // transaction the server ended at an earlier failed read): it counts,
    // but the failure told stays the earlier one.
    virtual bool FailureFollowsEarlier() const { return false; }
    void SetResult(DbResult result);
    // A failure healed at once (the read ran again and answered): the
    // count goes back to what it was before.
    void ForgetFailuresSince(int failures) { m_nFailures = failures; }

    int m_bShowMessage = 0;
    int m_bThrowException = 0;
    int m_bReadOnly = 0;
    QString m_strNamespace;

private:
    DbResult m_lastResult = DbResult::NoRow;
    QString m_strLastError;
    int m_nFailures = 0;
};
