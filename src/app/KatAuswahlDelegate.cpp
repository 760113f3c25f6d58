#include "app/KatAuswahlDelegate.h"

#include "app/EReiheEntry.h"
#include "app/KatAuswahlModel.h"
#include "app/ListRowDraw.h"
#include "common/Layout.h"

#include <QPainter>

#include <optional>

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
    return BoxTextWidth(font, text, kRowHeight);
}

int CKatAuswahlDelegate::RowLayout(QPainter *dc, const QModelIndex &index, const CRect &rect,
                                   int paint) const
{
    std::optional<CMeasurePainter> measure;
    if (!dc) {
        dc = measure.emplace().Painter();
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
    PaintPickListRow(painter, option,
                     [&](const CRect &rect) { RowLayout(painter, index, rect, 1); });
}

QSize CKatAuswahlDelegate::sizeHint(const QStyleOptionViewItem &, const QModelIndex &index) const
{
    const int width = RowLayout(nullptr, index, CRect(0, 0, 10000, kRowHeight), 0);
    return QSize(width, kRowHeight);
}
