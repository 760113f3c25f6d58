#include "packages/SRPBbPaintedButton.h"

#include <QPainter>

CSRPBbPaintedButton::CSRPBbPaintedButton(Painter painter, QWidget *parent)
    : QAbstractButton(parent), m_painter(std::move(painter))
{
    setFocusPolicy(Qt::NoFocus);
}

void CSRPBbPaintedButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_painter)
        m_painter(&painter, rect());
}
