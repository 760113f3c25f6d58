#include "common/DmsMsgBoxNotice.h"

#include "platform/MsgBox.h"

void CDmsMsgBoxNotice::Notice(const QString &text, const QString &caption)
{
    if (!m_nonModal) {
        OwnMsgBox(text, m_owner, caption, m_align);
        return;
    }
    const std::weak_ptr<int> alive = m_alive;
    OwnMsgBoxNonModal(text, m_owner, caption, m_align, [this, alive] {
        if (!alive.expired() && m_closed)
            m_closed();
    });
}

void CDmsMsgBoxNotice::SetNonModal(std::function<void()> closed)
{
    m_nonModal = true;
    m_closed = std::move(closed);
}
