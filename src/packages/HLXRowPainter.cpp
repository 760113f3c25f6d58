#include "packages/HLXRowPainter.h"

#include "common/Layout.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStandardItemModel>

#include <algorithm>

namespace {

constexpr int kSpace = 15; // before and after the row's text
const QColor kRed(255, 0, 0);

int TextWidth(const QFont &font, const QString &text)
{
    CLayoutHBox probe(CRect(0, 0, 1000000, 1000000), nullptr);
    probe.DCDraw(&font, text, 0, 0, 0);
    return probe.GetResultRect().Width();
}

} // namespace

CHLXRowPainter::CHLXRowPainter(QObject *parent) : COwnLBDelegate(parent)
{
    SetFonts(QFont());
}

void CHLXRowPainter::SetFonts(const QFont &base)
{
    // Pixel sizes: a row measures as it paints, with a painter or without.
    m_normal = LayoutFont(base, nullptr);
    m_normal.setBold(false);
    m_bold = m_normal;
    m_bold.setBold(true);
    int widest = 0;
    for (const QString &sample : HLXLabelSamples())
        widest = std::max(widest, TextWidth(m_normal, sample));
    m_nLabelWidth = widest + 50;
    ForgetAllRows();
}

void CHLXRowPainter::SetRows(QStandardItemModel *model, const std::vector<CHLXRow> &rows)
{
    model->clear();
    for (const CHLXRow &row : rows) {
        auto *item = new QStandardItem;
        item->setData(row.kind, KindRole);
        item->setData(row.text, TextRole);
        item->setData(row.extra, ExtraRole);
        item->setEditable(false);
        model->appendRow(item);
    }
}

CHLXRow CHLXRowPainter::RowOf(const QModelIndex &index)
{
    return CHLXRow{index.data(KindRole).toInt(), index.data(TextRole).toString(),
                   index.data(ExtraRole).toString()};
}

int CHLXRowPainter::Layout(QPainter *dc, const CHLXRow &row, const QRect &rect, int draw) const
{
    if (row.kind == HLX_ROW_LINE) {
        if (draw && dc) {
            dc->save();
            dc->setPen(Qt::black);
            dc->drawLine(rect.left(), rect.top() + 1, rect.right(), rect.top() + 1);
            dc->restore();
        }
        return 2;
    }
    CLayoutVBox box(CRect(rect.left(), rect.top(), rect.right(), rect.top() + 1000000), dc);
    {
        CLayoutHBox line(box);
        line.AddSize(kSpace, 0);
        if (row.kind == HLX_ROW_TITLE) {
            line.DCDraw(&m_bold, row.text, draw, 0, 0);
        } else {
            const bool red = IsHLXRedText(row);
            const QString reason = HLXRedExtra(row);
            const QFont &font = red ? m_bold : m_normal;
            // A text wider than the label column takes what the row leaves,
            // and only a text wider than that wraps.
            const int room = rect.width() - 2 * kSpace -
                             (reason.isEmpty() ? 0 : kSpace + TextWidth(m_normal, reason));
            const int natural = TextWidth(font, row.text);
            const bool wrap = natural > room && room > m_nLabelWidth;
            if (dc && draw)
                dc->setPen(red ? kRed : QColor(Qt::black));
            line.SetWordbreak(wrap ? 1 : 0);
            line.DCDraw(&font, row.text, draw, wrap ? room : std::max(m_nLabelWidth, natural), 0);
            line.SetWordbreak(0);
            if (!reason.isEmpty()) {
                line.AddSize(kSpace, 0);
                if (dc && draw)
                    dc->setPen(kRed);
                line.DCDraw(&m_normal, reason, draw, 0, 0);
            }
            if (dc && draw)
                dc->setPen(Qt::black);
        }
        line.AddSize(kSpace, 0);
    }
    return box.GetResultRect().Height();
}

void CHLXRowPainter::PaintRow(QPainter *painter, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const
{
    painter->save();
    painter->fillRect(option.rect, Qt::white);
    Layout(painter, RowOf(index), option.rect, 1);
    painter->restore();
}

int CHLXRowPainter::MeasureRowHeight(const QStyleOptionViewItem &option,
                                     const QModelIndex &index) const
{
    return Layout(nullptr, RowOf(index), option.rect, 0);
}
