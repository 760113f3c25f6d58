#include "common/OwnLogoButton.h"

#include "common/OwnButton.h"

#include <QMouseEvent>
#include <QPainter>

COwnLogoButton::COwnLogoButton(QWidget *parent) : QAbstractButton(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
    QFont captionFont = font();
    captionFont.setBold(true);
    captionFont.setPointSizeF(font().pointSizeF() * 1.6);
    setFont(captionFont);
}

void COwnLogoButton::SetBitmap(const QString &bitmap)
{
    m_bitmapName = bitmap;
    m_bitmap = bitmap.isEmpty() ? QPixmap() : QPixmap(bitmap);
    updateGeometry();
    update();
}

void COwnLogoButton::SetCaption(const QString &caption)
{
    m_caption = caption;
    update();
}

void COwnLogoButton::SetMouseOverToFalse()
{
    if (m_bMouseOver) {
        m_bMouseOver = false;
        update();
    }
}

QSize COwnLogoButton::sizeHint() const
{
    const QFontMetrics fm(font());
    const int w = m_bitmap.width() + 16 + fm.horizontalAdvance(QStringLiteral("Zwischenablage"));
    const int h = qMax(m_bitmap.height(), fm.height()) + 8;
    return QSize(w, h);
}

QSize COwnLogoButton::minimumSizeHint() const
{
    return sizeHint();
}

void COwnLogoButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    const bool hot = m_bMouseOver && isEnabled();
    if (hot || isDown())
        DrawOwnFrame(painter, rect(), isDown(), hot);
    int x = 4;
    if (!m_bitmap.isNull()) {
        painter.drawPixmap(x, (height() - m_bitmap.height()) / 2, m_bitmap);
        x += m_bitmap.width() + 10;
    }
    painter.setPen(isEnabled() ? QColor(0x10, 0x30, 0x70) : QColor(0x90, 0x90, 0x90));
    QString caption = m_caption;
    caption.remove(QLatin1Char('&'));
    painter.drawText(QRect(x, 0, width() - x - 4, height()), Qt::AlignLeft | Qt::AlignVCenter,
                     caption);
}

void COwnLogoButton::enterEvent(QEnterEvent *event)
{
    m_bMouseOver = true;
    update();
    QAbstractButton::enterEvent(event);
}

void COwnLogoButton::leaveEvent(QEvent *event)
{
    SetMouseOverToFalse();
    QAbstractButton::leaveEvent(event);
}

void COwnLogoButton::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && isEnabled()) {
        emit doubleClicked();
        event->accept();
        return;
    }
    QAbstractButton::mouseDoubleClickEvent(event);
}
