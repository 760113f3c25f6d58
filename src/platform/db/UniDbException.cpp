#include "platform/db/UniDbException.h"

#include "platform/MsgBox.h"

CUniDbException::CUniDbException(unsigned int code, const QString &text)
    : m_nCode(code), m_strText(text), m_what(text.toUtf8())
{
}

const char *CUniDbException::what() const noexcept
{
    return m_what.constData();
}

int CUniDbException::ReportError(unsigned int, unsigned int, QWidget *parent) const
{
    return OwnMsgBox(m_strText, parent, kMsgBoxTitle, MSG_ALIGN_LEFT, MB_OK);
}
