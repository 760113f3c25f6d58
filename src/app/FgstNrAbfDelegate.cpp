#include "app/FgstNrAbfDelegate.h"

#include "app/FgstNrAbfModel.h"
#include "app/ListRowDraw.h"
#include "common/Layout.h"

#include <QPainter>
#include <optional>

namespace {
// The box a row or a text is measured in.
constexpr int kMeasureSize = 255;
} // namespace

CFgstNrAbfDelegate::CFgstNrAbfDelegate(QObject *parent) : QStyledItemDelegate(parent)
{
}

void CFgstNrAbfDelegate::SetFonts(const QFont &vinFont, const QFont &textFont)
{
    m_vinFont = vinFont;
    m_textFont = textFont;
}

void CFgstNrAbfDelegate::SetColumns(int gap, int vinWidth, int text1Width, int text2Width)
{
    m_nGap = gap;
    m_nVinWidth = vinWidth;
    m_nText1Width = text1Width;
    m_nText2Width = text2Width;
}

int CFgstNrAbfDelegate::MeasureText(const QFont &font, const QString &text)
{
    return BoxTextWidth(font, text, kMeasureSize);
}

CRect CFgstNrAbfDelegate::RowLayout(QPainter *dc, const QModelIndex &index, const CRect &rect,
                                    int paint) const
{
    std::optional<CMeasurePainter> measure;
    if (!dc) {
        dc = measure.emplace().Painter();
        paint = 0;
    }
    CLayoutVBox row(rect, dc);
    {
        CLayoutHBox line(row);
        line.DCDraw(&m_vinFont, index.data(CFgstNrAbfModel::VinRole).toString(), paint,
                    m_nVinWidth + m_nGap, 0);
        line.DCDraw(&m_textFont, index.data(CFgstNrAbfModel::Text1Role).toString(), paint,
                    m_nText1Width + m_nGap, 0);
        line.DCDraw(&m_textFont, index.data(CFgstNrAbfModel::Text2Role).toString(), paint,
                    m_nText2Width + m_nGap, 0);
        line.DCDraw(&m_textFont, index.data(CFgstNrAbfModel::Text3Role).toString(), paint, 0, 0);
    }
    return row.GetResultRect();
}

void CFgstNrAbfDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                               const QModelIndex &index) const
{
    if (index.data(CFgstNrAbfModel::KindRole).toInt() != 1)
        return;
    PaintPickListRow(painter, option,
                     [&](const CRect &rect) { RowLayout(painter, index, rect, 1); });
}

QSize CFgstNrAbfDelegate::sizeHint(const QStyleOptionViewItem &, const QModelIndex &index) const
{
    if (index.data(CFgstNrAbfModel::KindRole).toInt() != 1)
        return QSize(0, 0);
    // The row is as high as its tallest text; the width is the widest row's
    // for the list's horizontal extent.
    const CRect used = RowLayout(nullptr, index, CRect(0, 0, 10000, kMeasureSize), 0);
    return QSize(used.Width(), used.Height());
}
