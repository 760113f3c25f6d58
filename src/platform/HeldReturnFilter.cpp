#include "platform/HeldReturnFilter.h"

#include <QKeyEvent>

CHeldReturnFilter::CHeldReturnFilter(QObject *parent) : QObject(parent)
{
}

bool CHeldReturnFilter::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease)
        return QObject::eventFilter(watched, event);
    const auto *key = static_cast<const QKeyEvent *>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return QObject::eventFilter(watched, event);
    if (type == QEvent::KeyRelease) {
        m_releasedKey = key->key();
        m_releasedAt = key->timestamp();
        return key->isAutoRepeat();
    }
    // X11 sends each repeat as a release and a press of the same moment,
    // and Qt marks it as repeated only when it sees both at once: a press
    // at the time of the release before it is a repeat too. (Events made
    // by the program itself have no time.)
    const bool repeatedAtOnce =
        key->timestamp() != 0 && key->key() == m_releasedKey && key->timestamp() == m_releasedAt;
    return key->isAutoRepeat() || repeatedAtOnce;
}
