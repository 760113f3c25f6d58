#pragma once
// The notice of the DMS exchange in a window: a message box owned by it,
// with the alignment given (the listener's messages are centred notices).
// A non-modal notice returns while its box is still open and says when the
// box was closed.

#include "dms/DmsFrame.h"

#include <functional>
#include <memory>

class QWidget;

class CDmsMsgBoxNotice : public IDmsNotice
{
public:
    explicit CDmsMsgBoxNotice(QWidget *owner, int align = 0) : m_owner(owner), m_align(align) {}
    void Notice(const QString &text, const QString &caption) override;
    // From now on the boxes do not wait for the adviser; closed() runs when
    // one was closed (never after this notice is gone).
    void SetNonModal(std::function<void()> closed);

private:
    QWidget *m_owner;
    int m_align;
    bool m_nonModal = false;
    std::function<void()> m_closed;
    std::shared_ptr<int> m_alive = std::make_shared<int>(0);
};
