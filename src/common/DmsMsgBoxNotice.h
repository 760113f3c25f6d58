#pragma once
// The notice of the DMS exchange in a window: a message box owned by it,
// with the alignment given (the listener's messages are centred notices).

#include "dms/DmsFrame.h"

class QWidget;

class CDmsMsgBoxNotice : public IDmsNotice
{
public:
    explicit CDmsMsgBoxNotice(QWidget *owner, int align = 0) : m_owner(owner), m_align(align) {}
    void Notice(const QString &text, const QString &caption) override;

private:
    QWidget *m_owner;
    int m_align;
};
