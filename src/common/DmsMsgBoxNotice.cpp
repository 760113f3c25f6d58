#include "common/DmsMsgBoxNotice.h"

#include "platform/MsgBox.h"

void CDmsMsgBoxNotice::Notice(const QString &text, const QString &caption)
{
    OwnMsgBox(text, m_owner, caption, m_align);
}
