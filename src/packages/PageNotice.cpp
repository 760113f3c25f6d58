#include "packages/PageNotice.h"

#include "platform/MsgBox.h"

void CPageNotice::Notice(const QString &text)
{
    OwnMsgBox(text, m_page, kMsgBoxTitle, MSG_ALIGN_NOTICE, MB_OK);
}
