#include "common/OwnButton.h"

#include <QApplication>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

void DrawOwnFrame(QPainter &painter, const QRect &rect, bool sunken, bool hot)
{
    const QPalette pal = QApplication::palette();
    const QColor light = Qt::white;
    const QColor shadow = pal.color(QPalette::Dark);
    const QRect r = rect.adjusted(0, 0, -1, -1);
    painter.setPen(sunken ? shadow : light);
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(sunken ? light : shadow);
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
    if (hot) {
        painter.setPen(QPen(pal.color(QPalette::Highlight), 1));
        painter.drawRect(r.adjusted(1, 1, -1, -1));
    }
}

COwnButton::COwnButton(QWidget *parent) : QAbstractButton(parent)
{
    m_face = palette().color(QPalette::Button);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
}

void COwnButton::Init(const QString &bitmap, const QColor &face)
{
    m_face = face;
    SetBitmap(bitmap);
}

void COwnButton::SetFaceColour(const QColor &face)
{
    if (m_face == face)
        return;
    m_face = face;
    update();
}

void COwnButton::SetBitmap(const QString &bitmap)
{
    m_bitmap = bitmap.isEmpty() ? QPixmap() : QPixmap(bitmap);
    updateGeometry();
    update();
}

void COwnButton::SetTip(const QString &text)
{
    constexpr int kMaxTipLength = 80;
    setToolTip(WithoutMnemonics(text).left(kMaxTipLength));
}

bool ClickOnReturn(QKeyEvent *event, QAbstractButton *button)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return false;
    event->accept();
    button->click();
    return true;
}

QString WithoutMnemonics(const QString &caption)
{
    QString plain = caption;
    plain.replace(QLatin1String("&&"), QString(QChar(0xFFFF)));
    plain.remove(QLatin1Char('&'));
    plain.replace(QChar(0xFFFF), QLatin1Char('&'));
    return plain;
}

void COwnButton::SetMouseOverToFalse()
{
    if (m_bMouseOver) {
        m_bMouseOver = false;
        update();
    }
}

// Return and the pad's Enter press the button that has the keyboard focus,
// as Space does, before the dialog's own Return could take another one.
void COwnButton::keyPressEvent(QKeyEvent *event)
{
    if (!ClickOnReturn(event, this))
        QAbstractButton::keyPressEvent(event);
}

QSize COwnButton::sizeHint() const
{
    const QFontMetrics fm(font());
    QString caption = text();
    caption.remove(QLatin1Char('&'));
    int w = fm.horizontalAdvance(caption) + 16;
    int h = fm.height() + 10;
    if (!m_bitmap.isNull()) {
        w += m_bitmap.width() + (caption.isEmpty() ? 0 : 4);
        h = qMax(h, m_bitmap.height() + 8);
    }
    return QSize(qMax(w, 28), qMax(h, 26));
}

QSize COwnButton::minimumSizeHint() const
{
    return sizeHint();
}

void COwnButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const bool sunken = isDown() || isChecked();
    const bool hot = m_bMouseOver && isEnabled();
    painter.fillRect(rect(), hot ? m_face.lighter(106) : m_face);
    DrawOwnFrame(painter, rect(), sunken, hot);

    const int shift = sunken ? 1 : 0;
    QRect inner = rect().adjusted(4 + shift, 2 + shift, -4 + shift, -2 + shift);
    QString caption = text();
    QPixmap bitmap = m_bitmap;
    if (!isEnabled() && !bitmap.isNull()) {
        // The style needs the button's palette to grey the picture out.
        QStyleOption option;
        option.initFrom(this);
        bitmap = style()->generatedIconPixmap(QIcon::Disabled, bitmap, &option);
    }

    const QFontMetrics fm(font());
    QString plain = caption;
    plain.remove(QLatin1Char('&'));
    const int textWidth = plain.isEmpty() ? 0 : fm.horizontalAdvance(plain);
    const int gap = (!bitmap.isNull() && textWidth) ? 4 : 0;
    const int total = (bitmap.isNull() ? 0 : bitmap.width()) + gap + textWidth;
    int x = inner.left() + qMax(0, (inner.width() - total) / 2);
    if (!bitmap.isNull()) {
        painter.drawPixmap(x, inner.top() + (inner.height() - bitmap.height()) / 2, bitmap);
        x += bitmap.width() + gap;
    }
    if (textWidth) {
        painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                       QPalette::ButtonText));
        const QRect textRect(x, inner.top(), inner.right() - x + 1, inner.height());
        painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic,
                         caption);
    }
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::ButtonText), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(3, 3, -4, -4));
    }
}

void COwnButton::enterEvent(QEnterEvent *event)
{
    m_bMouseOver = true;
    update();
    QAbstractButton::enterEvent(event);
}

void COwnButton::leaveEvent(QEvent *event)
{
    SetMouseOverToFalse();
    QAbstractButton::leaveEvent(event);
}

void COwnButton::changeEvent(QEvent *event)
{
    // A control that is disabled or hidden under the mouse never receives
    // its leave event; it must not stay drawn as hovered.
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        SetMouseOverToFalse();
    QAbstractButton::changeEvent(event);
}
