#include "platform/HeldReturnFilter.h"

#include <QKeyEvent>

CHeldReturnFilter::CHeldReturnFilter(QObject *parent) : QObject(parent)
{
}

bool CHeldReturnFilter::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress || type == QEvent::KeyRelease) {
        const auto *key = static_cast<const QKeyEvent *>(event);
        if (key->isAutoRepeat() && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter))
            return true;
    }
    return QObject::eventFilter(watched, event);
}
