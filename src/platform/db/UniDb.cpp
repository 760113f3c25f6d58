#include "platform/db/UniDb.h"

#include "platform/db/CatalogueFailure.h"
#include "platform/db/UniDbException.h"

QString CUniDb::GetSessionUserInfo(const QString &)
{
    return {};
}

QString CUniDb::CheckSession(const QString &)
{
    return {};
}

QString CUniDb::EndSession(const QString &)
{
    return {};
}

void CUniDb::SetResult(DbResult result)
{
    m_lastResult = result;
    if (result != DbResult::Failed)
        m_strLastError.clear();
}

void CUniDb::Fail(const QString &text, unsigned int code)
{
    m_lastResult = DbResult::Failed;
    m_strLastError = text;
    if (!FailureFollowsEarlier())
        CatalogueFailure::Note(text, CatalogueFailure::IsRefusal(text));
    ++m_nFailures;
    const CUniDbException error(code, text);
    if (m_bShowMessage)
        error.ReportError();
    if (m_bThrowException)
        throw error;
}
