#include "catalogues/AwKatRowPainter.h"

#include "catalogues/model/AwKatColumns.h"
#include "catalogues/model/AwKatPricing.h"
#include "catalogues/model/AwKatRowModel.h"
#include "common/Layout.h"
#include "packages/model/PriceMath.h"
#include "platform/OrmelText.h"
#include "settings/PrgSettings.h"

#include <QPainter>
#include <QStyleOptionViewItem>
#include <QWidget>

namespace {

const QColor kRed(255, 0, 0);
const QColor kGrey(128, 128, 128);
const QColor kSelectedFocused(255, 255, 0);
const QColor kSelected(255, 255, 255);

QColor GroundOf(const CPrgSettings *settings, int type)
{
    switch (type) {
    case AW_MAIN_GROUP:
        return QColor(255, 255, 255);
    case AW_SUBGROUP:
        return QColor(192, 192, 192);
    case AW_THIRD_LEVEL:
        return QColor(192, 220, 192);
    default:
        return settings ? settings->GetBkColor() : CPrgSettings().GetBkColor();
    }
}

QString Lines(const QString &text)
{
    QString out = text;
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return out;
}

} // namespace

CAwKatRowPainter::CAwKatRowPainter()
{
    SetBaseFont(QFont());
}

CAwKatRowColours CAwKatRowPainter::RowColours(const CPrgSettings *settings, int type,
                                              bool levelList, bool selected, bool focused,
                                              const QColor &highlight)
{
    CAwKatRowColours colours;
    if (levelList && selected) {
        colours.Ground = highlight;
        colours.Text = focused ? kSelectedFocused : kSelected;
    } else {
        colours.Ground = GroundOf(settings, type);
        colours.Text = QColor(Qt::black);
    }
    if (settings && CAwKatRowModel::GreyText(*settings, type, levelList))
        colours.Text = kGrey;
    return colours;
}

void CAwKatRowPainter::SetBaseFont(const QFont &font)
{
    m_normal = font;
    m_bold = font;
    m_bold.setBold(true);
    m_italic = font;
    m_italic.setItalic(true);
    m_level = m_bold;
    m_heading = m_bold;
    m_heading.setItalic(true);
    m_mark = m_bold;
    // The "+ " of a row that belongs to the one above: a step larger.
    m_pair = m_bold;
    if (m_pair.pixelSize() > 0)
        m_pair.setPixelSize(m_pair.pixelSize() + 1);
    else
        m_pair.setPointSizeF(m_pair.pointSizeF() + 0.75);
    m_nUnit = 1;
    const QFontMetrics metrics(font);
    m_nValueCol = metrics.horizontalAdvance(QStringLiteral("000000"));
    m_nTextCol = metrics.horizontalAdvance(QLatin1Char('x')) * 48;
    m_nPriceCol = metrics.horizontalAdvance(QStringLiteral("0000000.00"));
}

void CAwKatRowPainter::SetPrintFonts()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(32); // 3.2 mm
    SetBaseFont(font);
    m_nUnit = 10;
    m_nValueCol = 150;
    m_nTextCol = 750;
    m_nPriceCol = 250;
}

CRect CAwKatRowPainter::DrawRow(QPainter *dc, const CAwKatRow *row, CRect rect, bool draw,
                                const QColor &text)
{
    m_text = text;
    if (dc && draw)
        dc->setPen(m_text);
    CLayoutVBox box(rect, dc);
    if (row->Type == AW_POSITION)
        DrawPosition(box, row, draw);
    else
        DrawGroup(box, row, draw);
    return box.GetResultRect();
}

void CAwKatRowPainter::DrawRowIn(CLayout &parent, const CAwKatRow *row, bool draw)
{
    m_text = QColor(Qt::black);
    CLayoutVBox box(parent);
    if (row->Type == AW_POSITION)
        DrawPosition(box, row, draw);
    else
        DrawGroup(box, row, draw);
}

void CAwKatRowPainter::DrawGroup(CLayout &box, const CAwKatRow *row, bool draw)
{
    CLayoutHBox line(box);
    const int indent = m_nValueCol / 3;
    line.AddSize(2 * m_nUnit, 0);
    if (row->Type == AW_MAIN_GROUP) {
        line.DCDraw(&m_level, row->Key, draw, 0, 0);
        line.AddSize(indent, 0);
    } else if (row->Type == AW_SUBGROUP) {
        line.AddSize(indent, 0);
        line.DCDraw(&m_level, row->Number, draw, 0, 0);
        line.AddSize(indent * 3 / 2, 0);
    } else {
        line.AddSize(indent, 0);
        line.DCDraw(&m_level, row->Number.left(2), draw, 0, 0);
        line.AddSize(indent / 2, 0);
        line.DCDraw(&m_level, row->Number.mid(2, 2), draw, 0, 0);
        line.AddSize(indent * 3 / 2, 0);
    }
    line.DCDraw(&m_level, Lines(row->Text()), draw, 0, 0);
}

void CAwKatRowPainter::DrawPosition(CLayout &box, const CAwKatRow *row, bool draw)
{
    QPainter *dc = box.GetDC();
    const int y = box.GetYDirection();
    const CRect area = box.GetFreeRect();
    if (draw && dc) {
        const int from = row->FullSeparator ? area.left : area.left + m_nTextCol / 3;
        dc->drawLine(from, area.top, area.right, area.top);
    }
    CLayoutHBox whole(box);
    {
        CLayoutVBox body(whole);
        const QString heading = row->HeadingShown ? row->Heading() : QString();
        if (!heading.isEmpty())
            body.DCDraw(&m_heading, heading, draw, 0, 0);
        body.AddSize(0, 2 * m_nUnit * y);
        {
            CLayoutHBox number(body);
            number.AddSize(2 * m_nUnit, 0);
            if (row->PairMark) {
                const bool red = m_text != kGrey;
                if (draw && dc && red)
                    dc->setPen(kRed);
                number.DCDraw(&m_pair, QStringLiteral("+ "), draw, 0, 0);
                if (draw && dc && red)
                    dc->setPen(m_text);
            }
            const QFont &font = row->Leading ? m_bold : m_normal;
            number.DCDraw(&font, row->Number.left(2), draw, 0, 0);
            number.AddSize(3 * m_nUnit, 0);
            number.DCDraw(&font, row->Number.mid(2, 2), draw, 0, 0);
            number.AddSize(3 * m_nUnit, 0);
            number.DCDraw(&font, row->Number.mid(4), draw, 0, 0);
            if (row->PartsClearing) {
                number.AddSize(6 * m_nUnit, 0);
                if (draw && dc)
                    dc->setPen(kRed);
                number.DCDraw(&m_bold, QStringLiteral("C"), draw, 0, 0);
                if (draw && dc)
                    dc->setPen(m_text);
            }
        }
        {
            CLayoutHBox text(body);
            text.AddSize(2 * m_nUnit, 0);
            {
                CLayoutVBox texts(text);
                texts.SetWordbreak(1);
                texts.DCDraw(row->Leading ? &m_bold : &m_normal, Lines(row->Text()), draw,
                             m_nTextCol, 0);
                if (!row->BracketFirst.isEmpty())
                    texts.DCDraw(&m_italic, Lines(row->BracketText()), draw, m_nTextCol, 0);
            }
            text.AddSize(5 * m_nUnit, 0);
            DrawValues(text, row, draw);
        }
        body.AddSize(0, 2 * m_nUnit * y);
    }
    // The price column: gross, then net.
    CLayoutVBox prices(whole);
    prices.AddSize(0, 2 * m_nUnit * y);
    prices.SetLeftAlign(0);
    const double gross = row->Prices().Gross;
    const QString grossText = CAwKatPricing::PriceText(gross);
    const bool redGross = gross == kPriceByTime || gross == kPriceNone;
    if (draw && dc && redGross)
        dc->setPen(kRed);
    QString shown = grossText;
    if (row->Prices().FlatPrice && !grossText.isEmpty() && !redGross)
        shown += QStringLiteral(" (*)");
    prices.DCDraw(&m_bold, shown, draw, m_nPriceCol, 0);
    if (draw && dc)
        dc->setPen(m_text);
    const double net = row->Prices().Net;
    if (net != kPriceNotSet && net != kPriceByTime) {
        if (draw && dc && net == kPriceNone)
            dc->setPen(kRed);
        prices.DCDraw(&m_italic, CAwKatPricing::PriceText(net), draw, m_nPriceCol, 0);
        if (draw && dc)
            dc->setPen(m_text);
    }
}

int CAwKatRowPainter::LabelWidth() const
{
    return QFontMetrics(m_normal).horizontalAdvance(OrmelText(3013)) + 3 * m_nUnit;
}

int CAwKatRowPainter::ValueBlockWidth() const
{
    // Paint-stage label, its value, the unit: fixed fields, so that the
    // value cells of every row stand under the column titles.
    return LabelWidth() + QFontMetrics(m_bold).horizontalAdvance(QStringLiteral("00")) +
           3 * m_nUnit + m_nValueCol / 2;
}

int CAwKatRowPainter::ValuesLeft() const
{
    return 10 + 2 * m_nUnit + m_nTextCol + 5 * m_nUnit + ValueBlockWidth();
}

void CAwKatRowPainter::DrawValues(CLayout &parent, const CAwKatRow *row, bool draw)
{
    CLayoutVBox values(parent);
    const bool byColumn = ByColumn();
    const QString unitLabel = OrmelText(3013);
    const int labelWidth = LabelWidth();
    const int stageWidth =
        QFontMetrics(m_bold).horizontalAdvance(QStringLiteral("00")) + 3 * m_nUnit;
    QPainter *dc = values.GetDC();
    const int y = values.GetYDirection();
    const int lineHeight = QFontMetrics(m_bold).height();
    // A cell's frame: a vertical line at the cell's left edge over the
    // height of the value line.
    const auto rule = [&](CLayout &cells) {
        if (!draw || !dc)
            return;
        const CRect free = cells.GetFreeRect();
        dc->drawLine(free.left, free.top, free.left, free.top + y * lineHeight);
    };
    bool first = true;
    // The paint-stage label and the unit of a line; the font of its values.
    const auto lineHead = [&](CLayout &cells, const QString &unit,
                              const QString &paintStage) -> const QFont & {
        const QString stage =
            first && !row->InfoText.trimmed().isEmpty() ? row->InfoText : paintStage;
        first = false;
        if (!stage.trimmed().isEmpty()) {
            cells.DCDraw(&m_normal, unitLabel, draw, labelWidth, 0);
            cells.DCDraw(&m_bold, stage, draw, stageWidth, 0);
        } else {
            cells.AddSize(labelWidth + stageWidth, 0);
        }
        cells.DCDraw(&m_normal, unit, draw, m_nValueCol / 2, 0);
        return unit.contains(QLatin1Char('R')) ? m_italic : m_bold;
    };
    if (!byColumn) {
        for (const CAwKatValueLine &line : row->ValueLines) {
            CLayoutHBox cells(values);
            const QFont &font = lineHead(cells, line.Unit, QString());
            cells.DCDraw(&font, line.Value, draw, m_nValueCol, 0);
        }
        return;
    }
    for (const CAwKatColumnLine &line : row->ColumnLines()) {
        CLayoutHBox cells(values);
        const QFont &font = lineHead(cells, line.Unit, line.PaintStage);
        // The columns scrolled into view. A column the line holds no value
        // for stays empty: the values are as many as the catalogue line
        // has, not as the catalogue has columns.
        for (int place = 0; place < m_pColumns->ShownCount(); ++place) {
            const CAwKatColumnSlot *slot = m_pColumns->ShownSlot(place);
            const int column = slot ? slot->Column : -1;
            const QString value =
                column >= 0 && column < line.Values.size() ? line.Values.at(column) : QString();
            rule(cells);
            cells.AddSize(2 * m_nUnit, 0);
            cells.DCDraw(&font, value, draw, m_nValueCol - 4 * m_nUnit, 0);
            cells.AddSize(2 * m_nUnit, 0);
        }
        rule(cells);
    }
}

// --- list delegate ---------------------------------------------------------------------

CAwKatRowDelegate::CAwKatRowDelegate(CAwKatRowPainter *painter, const CPrgSettings *settings,
                                     bool levelList, QObject *parent)
    : COwnLBDelegate(parent), m_pPainter(painter), m_pSettings(settings), m_bLevelList(levelList)
{
}

void CAwKatRowDelegate::PaintRow(QPainter *painter, const QStyleOptionViewItem &option,
                                 const QModelIndex &index) const
{
    const CAwKatRow *row = CAwKatRowModel::RowOf(index);
    if (!row)
        return;
    const bool selected = option.state & QStyle::State_Selected;
    // The list's focus, not the item's: the selection shows its yellow text
    // while the adviser works in the list.
    const bool focused = option.widget && option.widget->hasFocus();
    const CAwKatRowColours colours =
        CAwKatRowPainter::RowColours(m_pSettings, row->Type, m_bLevelList, selected, focused,
                                     option.palette.highlight().color());
    painter->save();
    painter->fillRect(option.rect, colours.Ground);
    CRect rect(option.rect.left() + 10, option.rect.top(), option.rect.right(),
               option.rect.bottom());
    m_pPainter->DrawRow(painter, row, rect, true, colours.Text);
    painter->restore();
}

int CAwKatRowDelegate::MeasureRowHeight(const QStyleOptionViewItem &option,
                                        const QModelIndex &index) const
{
    const CAwKatRow *row = CAwKatRowModel::RowOf(index);
    if (!row)
        return kRowHeight;
    QImage probe(1, 1, QImage::Format_ARGB32);
    QPainter painter(&probe);
    CRect rect(10, 0, option.rect.width(), 100000);
    const CRect used = m_pPainter->DrawRow(&painter, row, rect, false);
    return std::min(std::max(used.Height(), kRowHeight), 255);
}
