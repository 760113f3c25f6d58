#include "common/OwnWhiteButton.h"

#include "common/OwnButton.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPainter>

COwnWhiteButton::COwnWhiteButton(QWidget *parent) : QAbstractButton(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void COwnWhiteButton::Init(const QColor &face)
{
    m_face = face;
    update();
}

void COwnWhiteButton::SetDatas(const QString &title, const QString &line1, const QString &line2,
                               const QString &line3)
{
    m_title = title;
    m_line1 = line1;
    m_line2 = line2;
    m_line3 = line3;
    // The title is the button's text, so its "&" gives the keyboard shortcut.
    setText(title);
    update();
}

void COwnWhiteButton::SetMouseOverToFalse()
{
    if (m_bMouseOver) {
        m_bMouseOver = false;
        update();
    }
}

QSize COwnWhiteButton::sizeHint() const
{
    return QSize(220, 140);
}

QSize COwnWhiteButton::minimumSizeHint() const
{
    return QSize(160, 100);
}

void COwnWhiteButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const bool hot = m_bMouseOver && isEnabled();
    painter.fillRect(rect(), hot ? QColor(Qt::white) : m_face);
    DrawOwnFrame(painter, rect(), isDown(), hot);

    const QColor ink = isEnabled() ? QColor(0x20, 0x30, 0x50) : QColor(0xA0, 0xA0, 0xA0);
    const QRect inner = rect().adjusted(14, 10, -14, -10);

    QFont titleFont = font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(font().pointSizeF() * 2.0);
    painter.setFont(titleFont);
    painter.setPen(ink);
    const QFontMetrics titleMetrics(titleFont);
    QRect titleRect(inner.left(), inner.top(), inner.width(), titleMetrics.height());
    painter.drawText(titleRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, m_title);

    painter.setFont(font());
    const QFontMetrics fm(font());
    int y = titleRect.bottom() + 8;
    for (const QString &line : {m_line1, m_line2, m_line3}) {
        const QString shown = line.trimmed();
        if (!shown.isEmpty())
            painter.drawText(QRect(inner.left(), y, inner.width(), fm.height()),
                             Qt::AlignLeft | Qt::AlignVCenter, shown);
        y += fm.height() + 2;
    }
    if (hasFocus()) {
        painter.setPen(QPen(ink, 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(4, 4, -5, -5));
    }
}

void COwnWhiteButton::enterEvent(QEnterEvent *event)
{
    m_bMouseOver = true;
    update();
    QAbstractButton::enterEvent(event);
}

void COwnWhiteButton::leaveEvent(QEvent *event)
{
    SetMouseOverToFalse();
    QAbstractButton::leaveEvent(event);
}

void COwnWhiteButton::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        SetMouseOverToFalse();
    QAbstractButton::changeEvent(event);
}

// A focused tile opens with Return and the pad's Enter, as with Space.
void COwnWhiteButton::keyPressEvent(QKeyEvent *event)
{
    if (!ClickOnReturn(event, this))
        QAbstractButton::keyPressEvent(event);
}
