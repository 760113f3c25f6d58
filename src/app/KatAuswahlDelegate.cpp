#include "app/KatAuswahlDelegate.h"

#include "app/EReiheEntry.h"
#include "app/KatAuswahlModel.h"
#include "common/Layout.h"

#include <QImage>
#include <QPainter>

CKatAuswahlDelegate::CKatAuswahlDelegate(QObject *parent) : QStyledItemDelegate(parent)
{
}

void CKatAuswahlDelegate::SetColumns(int rangeWidth, int seriesWidth, int marketWidth)
{
    m_nRangeWidth = rangeWidth;
    m_nSeriesWidth = seriesWidth;
    m_nMarketWidth = marketWidth;
}

void CKatAuswahlDelegate::SetFonts(const QFont &font, const QFont &headingFont)
{
    m_font = font;
    m_headingFont = headingFont;
}

int CKatAuswahlDelegate::MeasureText(const QFont &font, const QString &text)
{
    QImage image(1, 1, QImage::Format_ARGB32);
    QPainter dc(&image);
    CLayoutHBox box(CRect(0, 0, 10000, kRowHeight), &dc);
    box.DCDraw(&font, text, 0, 0, 0);
    return box.GetResultRect().Width();
}

int CKatAuswahlDelegate::RowLayout(QPainter *dc, const QModelIndex &index, const CRect &rect,
                                   int paint) const
{
    QImage scratch;
    std::unique_ptr<QPainter> own;
    if (!dc) {
        scratch = QImage(1, 1, QImage::Format_ARGB32);
        own = std::make_unique<QPainter>(&scratch);
        dc = own.get();
        paint = 0;
    }
    const int kind = index.data(CKatAuswahlModel::KindRole).toInt();
    CLayoutVBox row(rect, dc);
    if (kind == CEReiheEntry::KindSeparator) {
        CLayoutHBox line(row);
        line.AddSize(kLeftMargin, 0);
        line.DCDraw(&m_headingFont, index.data(CKatAuswahlModel::SeparatorRole).toString(), paint,
                    0, 0);
        return line.GetResultRect().Width();
    }
    CLayoutHBox line(row);
    line.AddSize(kLeftMargin, 0);
    line.DCDraw(&m_font, index.data(CKatAuswahlModel::SeriesRole).toString(), paint, m_nSeriesWidth,
                0);
    line.AddSize(kColumnGap, 0);
    line.DCDraw(&m_font, index.data(CKatAuswahlModel::MarketRole).toString(), paint, m_nMarketWidth,
                0);
    line.AddSize(kColumnGap, 0);
    line.DCDraw(&m_font, index.data(CKatAuswahlModel::RangeRole).toString(), paint, m_nRangeWidth,
                0);
    return line.GetResultRect().Width();
}

void CKatAuswahlDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                const QModelIndex &index) const
{
    const bool selected = option.state & QStyle::State_Selected;
    painter->save();
    painter->fillRect(option.rect,
                      selected ? option.palette.color(QPalette::Highlight) : QColor(Qt::white));
    painter->setPen(selected ? QColor(255, 255, 0) : QColor(Qt::black));
    const QRect r = option.rect;
    RowLayout(painter, index, CRect(r.left(), r.top(), r.right() + 1, r.bottom() + 1), 1);
    painter->restore();
}

QSize CKatAuswahlDelegate::sizeHint(const QStyleOptionViewItem &, const QModelIndex &index) const
{
    const int width = RowLayout(nullptr, index, CRect(0, 0, 10000, kRowHeight), 0);
    return QSize(width, kRowHeight);
}
