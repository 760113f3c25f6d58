#include "catalogues/AwKatColumnBar.h"

#include "catalogues/AwKatRowPainter.h"
#include "catalogues/model/AwKatColumns.h"

#include <QPainter>
#include <QScrollBar>

CAwKatColumnBar::CAwKatColumnBar(CAwKatColumns *columns, const CAwKatRowPainter *painter,
                                 QWidget *parent)
    : QFrame(parent), m_pColumns(columns), m_pPainter(painter), m_pScroll(new QScrollBar(this))
{
    setObjectName(QStringLiteral("columnTitles"));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setAutoFillBackground(true);
    QPalette ground = palette();
    ground.setColor(QPalette::Window, Qt::white);
    setPalette(ground);
    m_pScroll->setObjectName(QStringLiteral("columnScroll"));
    m_pScroll->setOrientation(Qt::Horizontal);
    m_pScroll->setSingleStep(1);
    m_pScroll->setPageStep(1);
    m_pScroll->hide();
    connect(m_pScroll, &QScrollBar::valueChanged, this, [this](int value) {
        if (m_pColumns->First() == value)
            return;
        m_pScroll->setValue(m_pColumns->SetFirst(value));
        update();
        emit Scrolled();
    });
    setFixedHeight(TitleHeight());
}

int CAwKatColumnBar::TitleHeight() const
{
    return QFontMetrics(m_pPainter->BoldFont()).horizontalAdvance(QStringLiteral("000000")) + 20;
}

void CAwKatColumnBar::Refresh(int rowsLeft, int rowsWidth)
{
    m_nRowsLeft = rowsLeft;
    const int columnWidth = m_pPainter->ColumnWidth();
    const int valuesLeft = m_pPainter->ValuesLeft();
    m_pColumns->SetAvailableWidth(rowsWidth - valuesLeft - m_pPainter->PriceWidth(), columnWidth);
    const bool scroll = m_pColumns->NeedsScrollBar();
    {
        const QSignalBlocker quiet(m_pScroll);
        m_pScroll->setRange(0, m_pColumns->Maximum());
        m_pScroll->setValue(m_pColumns->First());
    }
    const int title = TitleHeight();
    const int bar = m_pScroll->sizeHint().height();
    setFixedHeight(title + (scroll ? bar : 0));
    m_pScroll->setGeometry(rowsLeft + valuesLeft, title, m_pColumns->Visible() * columnWidth, bar);
    m_pScroll->setVisible(scroll);
    update();
}

void CAwKatColumnBar::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QFont &font = m_pPainter->BoldFont();
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QFontMetrics metrics(font);
    const int width = m_pPainter->ColumnWidth();
    const int bottom = TitleHeight() - 10;
    for (int place = 0; place < m_pColumns->ShownCount(); ++place) {
        const CAwKatColumnSlot *slot = m_pColumns->ShownSlot(place);
        if (!slot)
            continue;
        // Upwards from the bottom, the baseline in the middle of the cell.
        const int left = m_nRowsLeft + m_pPainter->ValuesLeft() + width * place;
        const int x = left + (width + metrics.ascent() - metrics.descent()) / 2;
        painter.save();
        painter.translate(x, bottom);
        painter.rotate(-90);
        painter.drawText(0, 0, slot->TypeKey);
        painter.restore();
    }
}
