#include "packages/SpotRRowPainter.h"

#include "common/Layout.h"
#include "packages/SRPBbRowModel.h"
#include "packages/model/Paket.h"
#include "packages/model/PriceMath.h"
#include "packages/model/SpotRepairLine.h"
#include "platform/OrmelText.h"
#include "platform/StringUtil.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPalette>

#include <algorithm>

namespace {

constexpr int kUnbounded = 1000000;
const QColor kGreenWork(0, 160, 0);
const QColor kYellowWork(230, 200, 0);

// The width a list gives its rows.
int RowWidthOf(const QStyleOptionViewItem &option)
{
    if (const auto *view = qobject_cast<const QAbstractItemView *>(option.widget))
        return view->viewport()->width();
    return option.rect.width();
}

} // namespace

CSpotRRowPainter::CSpotRRowPainter(bool pathList, const CSRPBbRowPainter *scheme, QObject *parent)
    : QStyledItemDelegate(parent), m_bPathList(pathList), m_pScheme(scheme)
{
}

CSpotRRowPainter::Columns CSpotRRowPainter::ColumnsFor(int rowWidth)
{
    Columns c;
    c.first = rowWidth * 2 / 5;
    c.unit = std::max(1, (rowWidth - c.first) / 14);
    return c;
}

QString CSpotRRowPainter::ChoiceText(const CPosition &line)
{
    const QString mark = !line.Selected ? QStringLiteral("-")
                         : line.Doubled ? QStringLiteral("2")
                                        : QStringLiteral("1");
    return QLatin1Char('[') + mark + QLatin1Char(']');
}

QString CSpotRRowPainter::WorkText(const CPosition &line)
{
    // A pair shows its damage class once.
    if (line.Spot[SpotColour] == kSpotYellow && line.HasPartnerColour)
        return QString();
    QString text = CSRPBbRowPainter::JoinTexts(line);
    if (!line.AwTextExtra.isEmpty())
        text += QLatin1Char('\n') + line.AwTextExtra;
    return text;
}

CSRPBbRowPainter::SumPlace CSpotRRowPainter::SumPlace(int rowLeft, int rowWidth) const
{
    const CSRPBbRowPainter::Metrics m = m_pScheme->RowMetrics();
    const Columns c = ColumnsFor(rowWidth);
    CSRPBbRowPainter::SumPlace place;
    place.netLeft = rowLeft + c.choice();
    place.netRight = rowLeft + c.price() - m.gapSmall;
    place.grossLeft = rowLeft + c.price();
    place.grossRight = rowLeft + c.price() + 3 * c.unit - m.flatMarkWidth;
    return place;
}

// ---------------------------------------------------------------------------
// Column header

namespace {
// The titles stand turned, each in the middle of a field of two units;
// "MA in %" over the middle of its three. Their places in units.
const struct
{
    int textId;
    double at;
} kColumnTitles[] = {{6087, 0}, {3122, 2}, {6086, 4.5}, {3124, 7}, {2050, 11}};
} // namespace

std::vector<CSRPBbRowPainter::HeaderTitle> CSpotRRowPainter::ColumnTitles(int unit)
{
    // Each two pixels right of where its field begins, as on the package
    // editing page.
    std::vector<CSRPBbRowPainter::HeaderTitle> titles;
    for (const auto &title : kColumnTitles)
        titles.push_back({title.textId, int(title.at * unit) + 2});
    return titles;
}

int CSpotRRowPainter::ColumnHeaderHeight() const
{
    return m_pScheme->TurnedHeaderHeight(ColumnTitles(0));
}

void CSpotRRowPainter::PaintColumnHeader(QPainter *dc, const QRect &rect, int rowLeft,
                                         int rowWidth) const
{
    const Columns c = ColumnsFor(rowWidth);
    const int x0 = rect.left() + rowLeft + c.first;
    m_pScheme->PaintTurnedHeader(
        dc, rect, x0, 2 * c.unit, ColumnTitles(c.unit),
        {c.quantity() - c.first, c.percent() - c.first, c.choice() - c.first, c.price() - c.first});
}

// ---------------------------------------------------------------------------
// Rows

int CSpotRRowPainter::PaintLine(QPainter *dc, const CPosition &line, const CRect &rect,
                                int draw) const
{
    if (!m_bPathList)
        return line.Type == POS_WORK ? PaintWork(dc, line, rect, draw) : 0;
    switch (line.Type) {
    case POS_INFO3:
    case POS_INFO5:
        return PaintPath(dc, line, rect, draw);
    case POS_HEAD:
        return PaintMatrixRow(dc, line, rect, draw);
    default:
        return 0;
    }
}

int CSpotRRowPainter::PaintPath(QPainter *dc, const CPosition &line, const CRect &rect,
                                int draw) const
{
    const QString text = line.Type == POS_INFO3 ? WithoutTrailingBlanks(line.Spot[SpotRepairText])
                                                : line.Spot[SpotPaintClassText];
    return m_pScheme->PaintTextRow(dc, {text}, rect, draw);
}

int CSpotRRowPainter::PaintMatrixRow(QPainter *dc, const CPosition &line, const CRect &rect,
                                     int draw) const
{
    const CSRPBbRowPainter::Fonts f = m_pScheme->RowFonts();
    const CSRPBbRowPainter::Metrics m = m_pScheme->RowMetrics();
    CLayoutVBox box(rect, dc);
    box.AddSize(0, 3);
    {
        CLayoutHBox row(box);
        row.AddSize(m.gapMedium, 0);
        for (const QString &group :
             CSRPBbRowPainter::NumberGroups(line.Spot[SpotWorkUnitNumber], false)) {
            row.DCDraw(&f.bold, group, draw, 0, 0);
            row.AddSize(m.gapSmall, 0);
        }
        // The matrix field stands after the number as a head's suffix does.
        row.DCDraw(&f.suffix, line.Spot[SpotMatrixField], draw, 0, 0);
        row.AddSize(m.gapMedium, 0);
        const int width = std::max(rect.Width() - row.GetResultRect().Width() - m.gapMedium, 1);
        CLayoutVBox text(row);
        text.SetWordbreak(1);
        text.DCDraw(&f.bold, CSRPBbRowPainter::JoinTexts(line), draw, width, 0);
        const QString brackets = CSRPBbRowPainter::FitShortTexts(line, f.shortText, width);
        if (!brackets.isEmpty())
            text.DCDraw(&f.shortText, brackets, draw, width, 0);
    }
    box.AddSize(0, 3);
    return box.GetResultRect().Height();
}

int CSpotRRowPainter::PaintWork(QPainter *dc, const CPosition &line, const CRect &rect,
                                int draw) const
{
    const CSRPBbRowPainter::Fonts f = m_pScheme->RowFonts();
    const CSRPBbRowPainter::Metrics m = m_pScheme->RowMetrics();
    const Columns c = ColumnsFor(rect.Width());
    const int top = rect.top + 1;
    const int x = rect.left;
    int height = m.lineHeight;
    {
        // The damage class is written in grey whether the work is chosen or
        // not: the choice shows in the cells.
        if (dc && draw) {
            dc->save();
            dc->setPen(QApplication::palette().color(QPalette::Disabled, QPalette::Text));
        }
        CLayoutHBox first(CRect(x, top, x + c.first - m.gapTiny, rect.bottom), dc);
        first.AddSize(m.gapMedium, 0);
        const QString text = WorkText(line);
        if (!text.isEmpty()) {
            CLayoutVBox texts(first);
            texts.SetWordbreak(1);
            texts.DCDraw(&f.bold, text, draw, 0, 0);
            const QString brackets =
                CSRPBbRowPainter::FitShortTexts(line, f.shortText, texts.GetFreeRect().Width());
            if (!brackets.isEmpty())
                texts.DCDraw(&f.shortText, brackets, draw, 0, 0);
        }
        height = std::max(height, first.GetResultRect().Height());
        if (dc && draw)
            dc->restore();
    }
    if (dc && draw) {
        const int cellHeight = std::max(m.lineHeight - 4, 4);
        const QRect colour(x + c.colour() + m.gapSmall, top + 2, 2 * c.unit - 1 - 2 * m.gapSmall,
                           cellHeight);
        dc->fillRect(colour, line.Spot[SpotColour] == kSpotYellow ? kYellowWork : kGreenWork);
    }
    const auto cell = [&](int left, int width, const QString &value) {
        CLayoutHBox box(CRect(x + left, top, x + left + width, rect.bottom), dc);
        box.SetLeftAlign(0);
        box.DCDraw(&f.bold, value, draw, width, 0);
        height = std::max(height, box.GetResultRect().Height());
    };
    cell(c.quantity(), 2 * c.unit - 2, line.GetDisplayNumber());
    cell(c.percent(), 3 * c.unit - 2, line.Spot[SpotMaPercentField]);
    {
        CLayoutHBox box(CRect(x + c.choice(), top, x + c.price(), rect.bottom), dc);
        box.SetCenterAlign(1);
        box.DCDraw(&f.bold, ChoiceText(line), draw, c.price() - c.choice(), 0);
        height = std::max(height, box.GetResultRect().Height());
    }
    if (CSRPBbRowPainter::LinePricesShown(m_pPaket)) {
        const int width = 3 * c.unit - m.flatMarkWidth;
        CLayoutVBox prices(CRect(x + c.price(), top, rect.right, rect.bottom), dc);
        const auto price = [&](double value, const QFont &font, bool parentheses) {
            CLayoutHBox row(prices);
            row.SetLeftAlign(0);
            QString text = CSRPBbRowPainter::PriceText(value, true);
            if (parentheses && !text.isEmpty())
                text = QLatin1Char('(') + text + QLatin1Char(')');
            // Asked for and not delivered, or charged by time: red, as on
            // the package editing page.
            const CSRPBbRowPainter::RedCell red(draw ? dc : nullptr, IsPriceSentinel(value));
            row.DCDraw(&font, text, draw, width, 0);
        };
        price(line.Preise1.Gross, f.bold, false);
        price(line.Preise1.Net, f.italic, true);
        height = std::max(height, prices.GetResultRect().Height());
    }
    height += 2;
    if (dc && draw) {
        const int bottom = rect.top + height - 1;
        for (const int border : {c.colour(), c.quantity(), c.percent(), c.choice(), c.price()})
            dc->drawLine(x + border, rect.top, x + border, bottom);
        dc->drawLine(x, bottom, rect.right, bottom);
    }
    return height;
}

void CSpotRRowPainter::paint(QPainter *painter, const QStyleOptionViewItem &option,
                             const QModelIndex &index) const
{
    const auto *line = index.data(CSRPBbRowModel::LineRole).value<const CPosition *>();
    if (!line)
        return;
    QColor background = m_bPathList ? CSRPBbRowPainter::HeadBackground() : QColor(Qt::white);
    QColor text = Qt::black;
    if (!m_bPathList) {
        if (option.state & QStyle::State_Selected)
            CSRPBbRowPainter::SelectedColours(option, &background, &text);
        if (!line->Selected)
            text = option.palette.color(QPalette::Disabled, QPalette::Text);
    }
    CSRPBbRowPainter::PaintRowIn(painter, option.rect, background, text,
                                 [&](const CRect &rect) { PaintLine(painter, *line, rect, 1); });
}

QSize CSpotRRowPainter::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const auto *line = index.data(CSRPBbRowModel::LineRole).value<const CPosition *>();
    const int width = RowWidthOf(option);
    if (!line)
        return QSize(width, 0);
    return QSize(width, PaintLine(nullptr, *line, CRect(0, 0, width, kUnbounded), 0));
}
