#include "packages/DIPRowPainter.h"

#include "common/Layout.h"
#include "packages/DIPRows.h"

#include <QPainter>
#include <QStandardItemModel>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMargin = 6; // left of every row
const QColor kRowBackground(216, 230, 241);
const QColor kHeaderText(0, 0, 102);
const QColor kSelectedFocusText(255, 255, 0);

int TextWidth(const QFont &font, const QString &text)
{
    CLayoutHBox probe(CRect(0, 0, 1000000, 1000000), nullptr);
    probe.DCDraw(&font, text, 0, 0, 0);
    return probe.GetResultRect().Width();
}

// The font `step` pixels smaller than the page's (a negative step: larger).
QFont Sized(const QFont &base, int step, bool bold)
{
    QFont font = base;
    font.setPixelSize(std::max(1, base.pixelSize() + step));
    font.setBold(bold);
    return font;
}

// What is left of the row right of the box's used part (0: the text's own
// width).
int Rest(CLayout &box, const QRect &rect)
{
    return std::max(0, rect.right() + 1 - box.GetFreeRect().left);
}

void Colour(QPainter *dc, int draw, const QColor &colour)
{
    if (dc && draw)
        dc->setPen(colour);
}

} // namespace

CDIPRowPainter::CDIPRowPainter(QObject *parent) : COwnLBDelegate(parent)
{
    SetFonts(QFont());
}

void CDIPRowPainter::SetFonts(const QFont &base)
{
    // Pixel sizes: a row measures as it paints, with a painter or without.
    QFont page = LayoutFont(base, nullptr);
    page.setBold(false);
    m_small = Sized(page, -1, false);
    m_medium = Sized(page, 5, false);
    m_mediumBold = Sized(page, 5, true);
    m_large = Sized(page, 7, false);
    m_largeBold = Sized(page, 7, true);
    m_nPartNumberWidth = TextWidth(m_medium, QStringLiteral("88 88 8 888 888"));
    m_nDescriptionWidth = TextWidth(m_medium, QString(40, QLatin1Char('8')));
    // A seventh of fifteen digits, rounded: about two digits. (Ten sevenths
    // of them would push the package sizes out of any window.)
    m_nColumnGap = int(std::lround(TextWidth(m_medium, QString(15, QLatin1Char('0'))) / 7.0));
    ForgetAllRows();
}

void CDIPRowPainter::SetRows(QStandardItemModel *model, const std::vector<CListZeileData> &rows)
{
    model->clear();
    for (const CListZeileData &row : rows) {
        auto *item = new QStandardItem;
        item->setData(row.kind, KindRole);
        item->setData(QStringList(row.columns.begin(), row.columns.end()), ColumnsRole);
        item->setEditable(false);
        item->setSelectable(row.kind == DIP_ROW_PART);
        model->appendRow(item);
    }
}

CListZeileData CDIPRowPainter::RowOf(const QModelIndex &index)
{
    CListZeileData row;
    row.kind = index.data(KindRole).toInt();
    const QStringList columns = index.data(ColumnsRole).toStringList();
    for (int i = 0; i < CListZeileData::kColumns && i < columns.size(); ++i)
        row.columns[size_t(i)] = columns.at(i);
    return row;
}

int CDIPRowPainter::Layout(QPainter *dc, const CListZeileData &row, const QRect &rect, int draw,
                           const QColor &text) const
{
    const auto &c = row.columns;
    CLayoutVBox box(CRect(rect.left(), rect.top(), rect.right() + 1, rect.top() + 1000000), dc);
    Colour(dc, draw, text);
    switch (row.kind) {
    case DIP_ROW_HEADER: {
        Colour(dc, draw, kHeaderText);
        box.AddSize(0, 48);
        {
            CLayoutHBox line(box);
            line.AddSize(kMargin, 0);
            line.DCDraw(&m_large, c[3], draw, m_nPartNumberWidth, 0);
            line.AddSize(m_nColumnGap, 0);
            line.DCDraw(&m_large, c[4], draw, m_nDescriptionWidth, 0);
            line.AddSize(m_nColumnGap, 0);
            line.DCDraw(&m_large, c[5], draw, Rest(line, rect), 0);
        }
        {
            CLayoutHBox line(box);
            line.AddSize(kMargin, 0);
            line.DCDraw(&m_small, c[6], draw, m_nPartNumberWidth, 0);
        }
        Colour(dc, draw, text);
        break;
    }
    case DIP_ROW_PART: {
        box.AddSize(0, 10);
        CLayoutHBox line(box);
        line.AddSize(kMargin, 0);
        // The columns stay in line below the headers, also without a number.
        if (!c[8].isEmpty())
            line.DCDraw(&m_medium, c[8], draw, m_nPartNumberWidth, 0);
        else
            line.AddSize(m_nPartNumberWidth, 0);
        line.AddSize(m_nColumnGap, 0);
        {
            CLayoutVBox cell(line);
            cell.DCDraw(&m_medium, c[9], draw, m_nDescriptionWidth, 0);
            for (size_t piece = 10; piece <= 12; ++piece) {
                if (c[piece].isEmpty())
                    continue;
                cell.AddSize(0, 3);
                cell.DCDraw(&m_medium, c[piece], draw, m_nDescriptionWidth, 0);
            }
        }
        line.AddSize(m_nColumnGap, 0);
        line.DCDraw(&m_medium, c[13], draw, Rest(line, rect), 0);
        break;
    }
    case DIP_ROW_INFO: {
        // Title and text wrap at the row's width.
        box.SetWordbreak(1);
        box.AddSize(0, 12);
        {
            CLayoutHBox line(box);
            line.AddSize(kMargin, 0);
            Colour(dc, draw, kHeaderText);
            line.DCDraw(&m_largeBold, c[0], draw, Rest(line, rect), 0);
            Colour(dc, draw, text);
        }
        box.AddSize(0, 12);
        {
            CLayoutHBox line(box);
            line.AddSize(kMargin, 0);
            line.DCDraw(&m_large, c[1], draw, 0, 0);
        }
        box.AddSize(0, 6);
        {
            CLayoutHBox line(box);
            line.AddSize(kMargin, 0);
            line.DCDraw(&m_medium, c[2], draw, Rest(line, rect), 0);
        }
        break;
    }
    default:
        break;
    }
    return box.GetResultRect().Height();
}

void CDIPRowPainter::PaintRow(QPainter *painter, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const
{
    const CListZeileData row = RowOf(index);
    painter->save();
    painter->fillRect(option.rect, kRowBackground);
    QColor text = Qt::black;
    if (row.kind == DIP_ROW_PART && (option.state & QStyle::State_Selected)) {
        painter->fillRect(option.rect, option.palette.color(QPalette::Active, QPalette::Highlight));
        text = option.widget && option.widget->hasFocus() ? kSelectedFocusText : QColor(Qt::white);
    }
    Layout(painter, row, option.rect, 1, text);
    painter->restore();
}

int CDIPRowPainter::MeasureRowHeight(const QStyleOptionViewItem &option,
                                     const QModelIndex &index) const
{
    return Layout(nullptr, RowOf(index), option.rect, 0, Qt::black);
}
