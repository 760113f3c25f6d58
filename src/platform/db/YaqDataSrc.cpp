#include "platform/db/YaqDataSrc.h"

CYaqDataSrc::CYaqDataSrc() = default;

CYaqDataSrc::~CYaqDataSrc()
{
    if (m_pDb)
        m_pDb->Close();
}

void CYaqDataSrc::SetConnection(std::unique_ptr<CUniDb> db)
{
    if (m_pDb)
        m_pDb->Close();
    m_pDb = std::move(db);
}

void CYaqDataSrc::Close()
{
    if (m_pDb)
        m_pDb->Close();
}

int CYaqDataSrc::Execute(const QString &sql, const QVariantList &binds)
{
    ++m_nQueries;
    return m_pDb ? m_pDb->Execute(sql, binds) : 0;
}

int CYaqDataSrc::ReadNext()
{
    return m_pDb ? m_pDb->ReadNext() : 0;
}

int CYaqDataSrc::CloseStmt()
{
    return m_pDb ? m_pDb->CloseStmt() : 0;
}

void CYaqDataSrc::BindColumns(CYaqData *record)
{
    if (m_pDb)
        m_pDb->BindColumns(record);
}

int CYaqDataSrc::ExecSelect(const QString &sql, const QVariantList &binds, CYaqData *record)
{
    ++m_nQueries;
    return m_pDb ? m_pDb->ExecSelect(sql, binds, record) : 0;
}

int CYaqDataSrc::ExecFunc(const QString &sql, const QVariantList &binds)
{
    ++m_nQueries;
    return m_pDb ? m_pDb->ExecFunc(sql, binds) : -1;
}

int CYaqDataSrc::BeginTrans()
{
    return m_pDb ? m_pDb->BeginTrans() : 0;
}

int CYaqDataSrc::EndTrans()
{
    return m_pDb ? m_pDb->EndTrans() : 0;
}

int CYaqDataSrc::RollbackTrans()
{
    return m_pDb ? m_pDb->RollbackTrans() : 0;
}

void CYaqDataSrc::SetNamespace(const QString &ns)
{
    if (m_pDb)
        m_pDb->SetNamespace(ns);
}

QString CYaqDataSrc::GetSessionUserInfo(const QString &sessionId)
{
    return m_pDb ? m_pDb->GetSessionUserInfo(sessionId) : QString();
}

QString CYaqDataSrc::CheckSession(const QString &sessionId)
{
    return m_pDb ? m_pDb->CheckSession(sessionId) : QString();
}

QString CYaqDataSrc::EndSession(const QString &sessionId)
{
    return m_pDb ? m_pDb->EndSession(sessionId) : QString();
}

void CYaqDataSrc::SetShowMessage(int show)
{
    if (m_pDb)
        m_pDb->SetShowMessage(show);
}

void CYaqDataSrc::SetThrowException(int doThrow)
{
    if (m_pDb)
        m_pDb->SetThrowException(doThrow);
}

int CYaqDataSrc::IsReadOnly() const
{
    return m_pDb ? m_pDb->IsReadOnly() : 0;
}

DbResult CYaqDataSrc::LastResult() const
{
    return m_pDb ? m_pDb->LastResult() : DbResult::Failed;
}

QString CYaqDataSrc::LastErrorText() const
{
    return m_pDb ? m_pDb->LastErrorText() : QStringLiteral("No connection.");
}
