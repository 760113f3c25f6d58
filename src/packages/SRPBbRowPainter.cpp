#include "packages/SRPBbRowPainter.h"

#include "common/Layout.h"
#include "packages/SRPBbRowModel.h"
#include "packages/edit/CampaignOffers.h"
#include "packages/edit/PackageLoader.h"
#include "packages/edit/PackageSelection.h"
#include "packages/model/Paket.h"
#include "platform/OrmelText.h"
#include "platform/StringUtil.h"
#include "settings/PrgSettings.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPalette>

#include <algorithm>

namespace {

constexpr int kUnbounded = 1000000;
// Room for a badge of the head row ("FL", "C").
constexpr int kBadgeWidth = 25;
// The text column never gets narrower than this, however narrow the page.
constexpr int kMinFirstColumn = 160;

const QColor kRed(255, 0, 0);
const QColor kSelectedText(255, 255, 0);
const QColor kOpenChoice(0, 154, 99);
const QColor kGroupBackground(166, 202, 240);
const QColor kHeadBackground(192, 192, 192);
const QColor kFrameGrey(173, 173, 173);
const QColor kLegendShadow(128, 128, 128);

bool IsOptionalKind(const QString &kind)
{
    return kind == QLatin1String("O") || kind == QLatin1String("A") ||
           kind == QLatin1String("OP") || kind == QLatin1String("B");
}

void Line(QPainter *dc, int x1, int y1, int x2, int y2)
{
    if (dc)
        dc->drawLine(x1, y1, x2, y2);
}

} // namespace

CSRPBbRowPainter::RedCell::RedCell(QPainter *dc, bool red) : m_dc(red ? dc : nullptr)
{
    if (m_dc) {
        m_dc->save();
        m_dc->setPen(kRed);
    }
}

CSRPBbRowPainter::RedCell::~RedCell()
{
    if (m_dc)
        m_dc->restore();
}

CSRPBbRowPainter::CSRPBbRowPainter(bool headList, QObject *parent)
    : COwnLBDelegate(parent), m_bHeadList(headList)
{
    SetFonts(QFont());
}

void CSRPBbRowPainter::SetFonts(const QFont &base)
{
    // Pixel sizes: a row measures as it paints, with a painter or without.
    m_plain = LayoutFont(base, nullptr);
    m_bold = m_plain;
    m_bold.setBold(true);
    m_italic = m_plain;
    m_italic.setItalic(true);
    m_shortText = m_italic;
    m_headFont = m_bold;
    m_headerFont = m_bold;
    m_headerFont.setPixelSize(m_bold.pixelSize() + 3);

    const QFontMetrics bold(m_bold);
    const QFontMetrics head(m_headFont);
    const QFontMetrics italic(m_italic);
    m_nGapWide = head.horizontalAdvance(QLatin1Char('0'));
    m_nGapMedium = int(m_nGapWide / 10.0 * 15 + 0.5);
    m_nGapSmall = std::max(int(bold.horizontalAdvance(QLatin1Char('0')) / 7.0 * 4 + 0.5), 2);
    m_nGapTiny = m_nGapSmall - 1;
    m_nLineHeight = bold.height();
    m_nFlatMarkWidth = 3 * m_nGapTiny + bold.horizontalAdvance(QStringLiteral("(*)")) + 1;
    m_nCurrencyWidth = m_nGapTiny + bold.horizontalAdvance(QStringLiteral("CHF"));
    // A unit holds a quantity, a stock or the choice mark; three of them a
    // price of five digits before the point, with its flat-price mark.
    m_nUnit = std::max({bold.horizontalAdvance(QStringLiteral("[ x ]")) + 2 * m_nGapSmall,
                        bold.horizontalAdvance(QStringLiteral("00.00")) + m_nGapSmall,
                        (bold.horizontalAdvance(QStringLiteral("00000.00")) + m_nFlatMarkWidth +
                         m_nCurrencyWidth) /
                            3});
    ForgetAllRows();
}

void CSRPBbRowPainter::SetPackage(const CPaket *paket, const CPrgSettings *settings)
{
    m_pPaket = paket;
    m_pSettings = settings;
}

CSRPBbRowPainter::Columns CSRPBbRowPainter::ColumnsFor(int rowWidth) const
{
    Columns c;
    c.unit = m_nUnit;
    c.first = std::max(rowWidth - 6 * m_nUnit, kMinFirstColumn);
    return c;
}

CSRPBbRowPainter::Fonts CSRPBbRowPainter::RowFonts() const
{
    // The number suffix is written in the plain font.
    return {m_headerFont, m_headFont, m_plain, m_bold, m_italic, m_shortText, m_plain};
}

CSRPBbRowPainter::Metrics CSRPBbRowPainter::RowMetrics() const
{
    return {m_nGapWide,    m_nGapMedium,     m_nGapSmall,     m_nGapTiny,
            m_nLineHeight, m_nFlatMarkWidth, m_nCurrencyWidth};
}

// ---------------------------------------------------------------------------
// Texts

QString CSRPBbRowPainter::PriceText(double value, bool workRow)
{
    if (value == kPriceNone)
        return QStringLiteral("?");
    if (workRow && value == kPriceByTime)
        return CPosition::AzMarker();
    if (value == kPriceNotSet)
        return QString();
    return FormatPrice(value);
}

QStringList CSRPBbRowPainter::NumberGroups(const QString &number, bool part)
{
    const QString n = part ? number.trimmed() : number;
    if (part) {
        if (n.size() != 11)
            return {n};
        return {n.mid(0, 2), n.mid(2, 2), n.mid(4, 1), n.mid(5, 3), n.mid(8, 3)};
    }
    if (n.size() <= 4)
        return {n};
    return {n.mid(0, 2), n.mid(2, 2), n.mid(4)};
}

CSRPBbRowPainter::PartTexts CSRPBbRowPainter::PartRowTexts(const CPosition &line)
{
    PartTexts texts;
    const bool replaced = !line.ErsetztDurchNummer.trimmed().isEmpty();
    texts.numberGroups = NumberGroups(replaced ? line.ErsetztDurchNummer : line.Number, true);
    if (replaced)
        texts.ordered = QStringLiteral("( ") +
                        NumberGroups(line.Number, true).join(QLatin1Char(' ')) +
                        QStringLiteral(" )");
    texts.text = line.ErsetztDurchText.isEmpty() ? line.TeileText : line.ErsetztDurchText;
    return texts;
}

QString CSRPBbRowPainter::JoinTexts(const CPosition &line)
{
    QString text = line.AwText1;
    for (const QString *more : {&line.AwText2, &line.AwText3, &line.AwText4}) {
        if (!more->isEmpty())
            text += QLatin1Char(' ') + *more;
    }
    return text;
}

QString CSRPBbRowPainter::FitShortTexts(const CPosition &line, const QFont &font, int width)
{
    const QFontMetrics fm(font);
    QString text = line.KlammerText1;
    for (const QString *more : {&line.KlammerText2, &line.KlammerText3, &line.KlammerText4}) {
        if (more->isEmpty())
            continue;
        const QString longer = text + QLatin1Char(' ') + *more;
        if (fm.horizontalAdvance(longer) > width)
            break;
        text = longer;
    }
    return text;
}

QStringList CSRPBbRowPainter::HeadNumberGroups(const CPosition &line, QString *suffix)
{
    if (line.Type == POS_SPECIAL4) {
        const QString ref = line.Campaign[CPositionData::CampaignPackageRef];
        *suffix = ref.mid(8, 1);
        return NumberGroups(ref.mid(1, 7), false);
    }
    *suffix = line.PaketTexts[kSuffix];
    return NumberGroups(line.Number, false);
}

QStringList CSRPBbRowPainter::HeadRowTexts(const CPosition &line)
{
    QStringList texts;
    if (line.Type == POS_SPECIAL1) {
        if (line.HG != QLatin1String("XX"))
            texts << line.HG;
        QString text = line.HGText;
        text.replace(QLatin1Char('\n'), QLatin1Char(' '));
        text.remove(QLatin1Char('\r'));
        texts << text;
    } else if (line.Type == POS_SPECIAL2) {
        texts << CampaignPeriodText(line)
              << WithoutTrailingBlanks(line.Campaign[CPositionData::CampaignName]);
    } else if (line.Type == POS_SPECIAL4 || IsHeadType(line.Type)) {
        QString suffix;
        texts << HeadNumberGroups(line, &suffix) << suffix << JoinTexts(line);
    }
    return texts;
}

// ---------------------------------------------------------------------------
// Rows

const CPosition *CSRPBbRowPainter::LineOf(const QModelIndex &index)
{
    return index.data(CSRPBbRowModel::LineRole).value<const CPosition *>();
}

int CSRPBbRowPainter::MeasureRowHeight(const QStyleOptionViewItem &option,
                                       const QModelIndex &index) const
{
    const CPosition *line = LineOf(index);
    if (!line)
        return kRowHeight;
    const QRect r = option.rect;
    const int height = PaintLine(nullptr, *line, CRect(0, 0, r.width(), kUnbounded), 0);
    const auto *list = qobject_cast<const QAbstractScrollArea *>(option.widget);
    if (!m_bHeadList || !IsHeadRow(*line) || !list)
        return height;
    // The head row takes the height the rows above it (main group, campaign
    // period) leave in the list: its grey reaches the list's bottom.
    int above = 0;
    for (int row = 0; row < index.row(); ++row) {
        if (const CPosition *upper = LineOf(index.sibling(row, 0)))
            above += PaintLine(nullptr, *upper, CRect(0, 0, r.width(), kUnbounded), 0);
    }
    return std::max(height, list->viewport()->height() - above);
}

bool CSRPBbRowPainter::IsHeadRow(const CPosition &line)
{
    return IsHeadType(line.Type) || line.Type == POS_SPECIAL4;
}

int CSRPBbRowPainter::HeadListHeight() const
{
    // The most the head list shows: a campaign's main-group row and period
    // row (laid out alike) above its head, whose texts take two lines.
    CPosition group;
    group.Type = POS_SPECIAL1;
    group.HGText = QStringLiteral("X");
    CPosition head;
    head.Type = POS_SPECIAL4;
    head.AwText1 = QStringLiteral("X");
    head.KlammerText1 = QStringLiteral("X");
    const CRect wide(0, 0, kUnbounded, kUnbounded);
    return 2 * PaintLine(nullptr, group, wide, 0) + PaintLine(nullptr, head, wide, 0);
}

void CSRPBbRowPainter::PaintRow(QPainter *painter, const QStyleOptionViewItem &option,
                                const QModelIndex &index) const
{
    const CPosition *line = LineOf(index);
    if (!line)
        return;
    QColor background = kHeadBackground;
    QColor text = Qt::black;
    if (!m_bHeadList) {
        const bool focus = option.widget && option.widget->hasFocus();
        PositionRowColours(*line, option.state & QStyle::State_Selected, focus, option.palette,
                           &background, &text);
    }
    PaintRowIn(painter, option.rect, background, text,
               [&](const CRect &rect) { PaintLine(painter, *line, rect, 1); });
}

void CSRPBbRowPainter::PositionRowColours(const CPosition &line, bool selected, bool focus,
                                          const QPalette &palette, QColor *background, QColor *text)
{
    *background = Qt::white;
    *text = Qt::black;
    const bool group = line.Type == POS_GROUP;
    if (selected && !group) {
        *background = palette.color(QPalette::Active, QPalette::Highlight);
        *text = focus ? kSelectedText : QColor(Qt::white);
    }
    const bool chosenType = line.Type == POS_WORK || line.Type == POS_PART;
    if (chosenType && !line.Selected)
        *text = palette.color(QPalette::Disabled, QPalette::Text);
    if ((line.Type == POS_WORK || line.Type == POS_SUBPACKAGE) && IsOptionalKind(line.Kind) &&
        !selected)
        *text = line.Selected ? QColor(Qt::black) : kOpenChoice;
    if (group)
        *background = kGroupBackground;
}

void CSRPBbRowPainter::SelectedColours(const QStyleOptionViewItem &option, QColor *background,
                                       QColor *text)
{
    *background = option.palette.color(QPalette::Active, QPalette::Highlight);
    const bool focus = option.widget && option.widget->hasFocus();
    *text = focus ? kSelectedText : QColor(Qt::white);
}

void CSRPBbRowPainter::PaintRowIn(QPainter *painter, const QRect &r, const QColor &background,
                                  const QColor &text,
                                  const std::function<void(const CRect &)> &paintLine)
{
    painter->save();
    painter->fillRect(r, background);
    painter->setPen(QPen(text, 1));
    painter->setBackgroundMode(Qt::TransparentMode);
    paintLine(CRect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height()));
    painter->restore();
}

QColor CSRPBbRowPainter::HeadBackground()
{
    return kHeadBackground;
}

int CSRPBbRowPainter::PaintLine(QPainter *dc, const CPosition &line, const CRect &rect,
                                int draw) const
{
    switch (line.Type) {
    case POS_WORK:
    case POS_SUBPACKAGE:
        return PaintWorkRow(dc, line, rect, draw);
    case POS_PART:
        return PaintPartRow(dc, line, rect, draw);
    case POS_GROUP:
        return PaintGroupRow(dc, line, rect, draw);
    case POS_SPECIAL1:
    case POS_SPECIAL2: // the campaign period row is laid out as the main group's
        return PaintMainGroupRow(dc, line, rect, draw);
    default:
        if (IsHeadRow(line))
            return PaintHeadRow(dc, line, rect, draw);
        return kRowHeight;
    }
}

void CSRPBbRowPainter::PaintStateIcon(QPainter *dc, int state, const QRect &square) const
{
    if (!dc || state < kStateCollapsed || state > kStateInGroup)
        return;
    // Main lines in a plain box, alternatives standing in in a filled one;
    // "+" a closed group, "-" an open one; a replaced main line is crossed
    // out, an alternative inside an open group shows an arrow to its line.
    dc->save();
    dc->setRenderHint(QPainter::Antialiasing, false);
    const QRect box = square.adjusted(1, 1, -2, -2);
    const QColor pen = dc->pen().color();
    const bool standsIn = state == kStateStandsIn || state == kStateStandsInExpanded;
    dc->setPen(pen);
    if (standsIn)
        dc->fillRect(box, QColor(166, 202, 240));
    if (state != kStateInGroup)
        dc->drawRect(box);
    const QPoint c = box.center();
    const int arm = std::max(box.width() / 2 - 2, 2);
    switch (state) {
    case kStateCollapsed:
    case kStateStandsIn:
        dc->drawLine(c.x() - arm, c.y(), c.x() + arm, c.y());
        dc->drawLine(c.x(), c.y() - arm, c.x(), c.y() + arm);
        break;
    case kStateExpanded:
    case kStateStandsInExpanded:
        dc->drawLine(c.x() - arm, c.y(), c.x() + arm, c.y());
        break;
    case kStateReplaced:
        dc->drawLine(box.topLeft(), box.bottomRight());
        dc->drawLine(box.bottomLeft(), box.topRight());
        break;
    case kStateInGroup:
        dc->drawLine(box.left() + 2, box.top(), box.left() + 2, c.y());
        dc->drawLine(box.left() + 2, c.y(), box.right(), c.y());
        dc->drawLine(box.right() - 3, c.y() - 3, box.right(), c.y());
        dc->drawLine(box.right() - 3, c.y() + 3, box.right(), c.y());
        break;
    default:
        break;
    }
    dc->restore();
}

void CSRPBbRowPainter::AddStateIcon(QPainter *dc, const CPosition &line, CLayoutHBox &row,
                                    int draw) const
{
    const int state = LineStateOf(line);
    if (state < kStateCollapsed || state > kStateInGroup)
        return;
    const CRect free = row.GetFreeRect();
    if (draw)
        PaintStateIcon(dc, state, QRect(free.left, free.top + 1, m_nLineHeight, m_nLineHeight));
    row.AddSize(m_nLineHeight + 5, m_nLineHeight);
}

bool CSRPBbRowPainter::LinePricesShown(const CPaket *paket)
{
    const CPosition *head = paket ? paket->GetKopf() : nullptr;
    return head && !head->Preise1.FlatPrice && !head->PriceCalcFlag;
}

CSRPBbRowPainter::PriceCells CSRPBbRowPainter::LinePriceCells(const CPosition &line,
                                                              bool campaignMode)
{
    const bool work = line.Type == POS_WORK || line.Type == POS_SUBPACKAGE;
    const bool sub = line.Type == POS_SUBPACKAGE;
    PriceCells cells;
    const CPriceSet *set = &line.Preise1;
    if (campaignMode) {
        const QString usage = line.CampaignUsage();
        const QString dealerOptional = line.Type == POS_PART
                                           ? line.Campaign[CPositionData::CampaignPartStatus]
                                           : line.Campaign[CPositionData::CampaignWorkStatus];
        if ((usage == QLatin1String("S") || usage == QLatin1String("A")) &&
            (dealerOptional == QLatin1String("0") || line.Selected)) {
            cells.gross = QStringLiteral("MK");
            return cells;
        }
        if ((usage != QLatin1String("O") && usage != QLatin1String("B")) ||
            dealerOptional != QLatin1String("0"))
            return cells;
        set = &line.Preise3;
    }
    // The same cells in both modes, from the customer price or from the
    // campaign price: a sub-package line whose price is still asked for
    // shows "?" for a price not set; a work position charged by time says
    // so on the gross line only. A missing price of a work position or
    // sub-package line is red, as is a sub-package line whose prices are
    // incomplete; a part is red only for a price asked for and not delivered.
    const auto text = [&line, work, sub](double value) {
        if (sub && line.Preise1.NoPrice && value == kPriceNotSet)
            return QStringLiteral("?");
        return PriceText(value, work);
    };
    cells.gross = text(set->Gross);
    cells.net = line.Type == POS_WORK && set->Net == kPriceByTime ? QString() : text(set->Net);
    if (work) {
        cells.redGross = IsPriceSentinel(set->Gross) || (sub && !set->Complete);
        cells.redNet = IsPriceSentinel(set->Net) || (sub && !set->Complete);
    } else {
        cells.redGross = set->Gross == kPriceNone;
        cells.redNet = set->Net == kPriceNone;
    }
    return cells;
}

int CSRPBbRowPainter::PaintPrices(QPainter *dc, const CPosition &line, const CRect &cell,
                                  int draw) const
{
    if (!LinePricesShown(m_pPaket))
        return 0;
    const PriceCells cells = LinePriceCells(line, m_bCampaignMode);
    const int width = cell.Width() - m_nFlatMarkWidth;
    CLayoutVBox box(cell, dc);
    {
        CLayoutHBox grossLine(box);
        grossLine.SetLeftAlign(0);
        const RedCell red(draw ? dc : nullptr, cells.redGross);
        grossLine.DCDraw(&m_bold, cells.gross, draw, width, 0);
        if (line.Preise1.FlatPrice && !m_bCampaignMode) {
            grossLine.SetLeftAlign(1);
            grossLine.DCDraw(&m_bold, QStringLiteral(" (*)"), draw, 0, 0);
        }
    }
    {
        CLayoutHBox netLine(box);
        netLine.SetLeftAlign(0);
        const RedCell red(draw ? dc : nullptr, cells.redNet);
        netLine.DCDraw(&m_italic, cells.net, draw, width, 0);
    }
    return box.GetResultRect().Height();
}

CSRPBbRowPainter::StockFigure CSRPBbRowPainter::StockCell(const CPosition &line)
{
    StockFigure figure;
    if (line.Type != POS_PART || line.StockKnown != 1)
        return figure;
    const double stock = std::max(line.Stock, 0.0);
    figure.shown = true;
    figure.text = stock <= 99 ? QString::asprintf("%.3g", stock) : QStringLiteral(">99");
    figure.red = ParseNumber(line.Quantity) > stock;
    return figure;
}

int CSRPBbRowPainter::PaintCells(QPainter *dc, const CPosition &line, const CRect &rect, int top,
                                 int draw) const
{
    const Columns c = ColumnsFor(rect.Width());
    const int x1 = rect.left + c.Border(1);
    const int x2 = rect.left + c.Border(2);
    const int x3 = rect.left + c.Border(3);
    const int x4 = rect.left + c.Border(4);
    int height = 0;

    // Quantity: a work position's labour value, "&P" on a sub-package line,
    // a part's pieces.
    QString quantity;
    if (line.Type == POS_SUBPACKAGE)
        quantity = OrmelText(2035).remove(QLatin1Char('&'));
    else if (line.Type == POS_WORK)
        quantity = line.GetDisplayNumber();
    else
        quantity = line.Quantity.trimmed();
    {
        CLayoutHBox cell(CRect(x1, top, x2 - 2, rect.bottom), dc);
        cell.SetLeftAlign(0);
        cell.DCDraw(&m_bold, quantity, draw, x2 - 2 - x1, 0);
        height = std::max(height, cell.GetResultRect().Height());
    }
    if (const StockFigure stock = StockCell(line); stock.shown) {
        const RedCell red(draw ? dc : nullptr, stock.red);
        CLayoutHBox cell(CRect(x2, top, x3 - 2, rect.bottom), dc);
        cell.SetLeftAlign(0);
        cell.DCDraw(&m_bold, stock.text, draw, x3 - 2 - x2, 0);
        height = std::max(height, cell.GetResultRect().Height());
    }
    {
        CLayoutHBox cell(CRect(x3, top, x4, rect.bottom), dc);
        cell.SetCenterAlign(1);
        const QString mark = line.Selected ? QStringLiteral("[ x ]") : QStringLiteral("[ - ]");
        cell.DCDraw(&m_bold, mark, draw, x4 - x3, 0);
        height = std::max(height, cell.GetResultRect().Height());
    }
    const int priceHeight =
        PaintPrices(dc, line, CRect(x4, top, rect.right - m_nGapTiny, rect.bottom), draw);
    return std::max(height, priceHeight);
}

void CSRPBbRowPainter::PaintBorders(QPainter *dc, const CRect &rect, int height, int columns) const
{
    if (!dc)
        return;
    const Columns c = ColumnsFor(rect.Width());
    Line(dc, rect.left, rect.top, rect.right, rect.top);
    Line(dc, rect.left, rect.top + height - 1, rect.right, rect.top + height - 1);
    for (int column = 1; column <= columns; ++column) {
        const int x = rect.left + c.Border(column);
        Line(dc, x, rect.top, x, rect.top + height - 1);
    }
}

int CSRPBbRowPainter::PaintWorkRow(QPainter *dc, const CPosition &line, const CRect &rect,
                                   int draw) const
{
    const Columns c = ColumnsFor(rect.Width());
    const int top = rect.top + 1;
    int height = 2 * m_nLineHeight;
    {
        CLayoutHBox first(CRect(rect.left, top, rect.left + c.first - m_nGapTiny, rect.bottom), dc);
        first.AddSize(m_nGapMedium, 0);
        AddStateIcon(dc, line, first, draw);
        for (const QString &group : NumberGroups(line.Number, false)) {
            first.DCDraw(&m_bold, group, draw, 0, 0);
            first.AddSize(m_nGapSmall, 0);
        }
        // The suffix keeps its room; the adviser reads it on the head.
        first.DCDraw(&m_plain, line.PaketTexts[kSuffix], 0, 0, 0);
        first.AddSize(m_nGapMedium, 0);
        {
            CLayoutVBox text(first);
            text.SetWordbreak(1);
            QString body = JoinTexts(line);
            if (!line.Text.isEmpty())
                body += QLatin1Char('\n') + line.Text;
            text.DCDraw(&m_bold, body, draw, 0, 0);
            const int width = text.GetFreeRect().Width();
            const QString shortTexts = FitShortTexts(line, m_shortText, width);
            if (!shortTexts.isEmpty())
                text.DCDraw(&m_shortText, shortTexts, draw, 0, 0);
        }
        height = std::max(height, first.GetResultRect().Height());
    }
    height = std::max(height, PaintCells(dc, line, rect, top, draw));
    height += 2;
    if (draw)
        PaintBorders(dc, rect, height, 4);
    return height;
}

int CSRPBbRowPainter::PaintPartRow(QPainter *dc, const CPosition &line, const CRect &rect,
                                   int draw) const
{
    const Columns c = ColumnsFor(rect.Width());
    const int top = rect.top + 1;
    int height = 0;
    {
        CLayoutVBox first(CRect(rect.left, top, rect.left + c.first - m_nGapTiny, rect.bottom), dc);
        {
            CLayoutHBox number(first);
            number.AddSize(m_nGapMedium, 0);
            AddStateIcon(dc, line, number, draw);
            const PartTexts texts = PartRowTexts(line);
            for (const QString &group : texts.numberGroups) {
                number.DCDraw(&m_bold, group, draw, 0, 0);
                number.AddSize(m_nGapSmall, 0);
            }
            if (!texts.ordered.isEmpty()) {
                number.AddSize(2 * m_nGapSmall, 0);
                number.DCDraw(&m_plain, texts.ordered, draw, 0, 0);
            }
        }
        {
            CLayoutHBox text(first);
            text.AddSize(m_nGapMedium, 0);
            CLayoutVBox wrapped(text);
            wrapped.SetWordbreak(1);
            wrapped.DCDraw(&m_bold, PartRowTexts(line).text, draw, 0, 0);
            wrapped.AddSize(0, m_nLineHeight);
        }
        height = first.GetResultRect().Height();
    }
    height = std::max(height, PaintCells(dc, line, rect, top, draw));
    height += 2;
    if (draw)
        PaintBorders(dc, rect, height, 4);
    return height;
}

int CSRPBbRowPainter::PaintGroupRow(QPainter *dc, const CPosition &line, const CRect &rect,
                                    int draw) const
{
    const Columns c = ColumnsFor(rect.Width());
    CLayoutHBox first(CRect(rect.left, rect.top + 1, rect.left + c.first, rect.bottom), dc);
    first.AddSize(m_nGapMedium, 0);
    first.DCDraw(&m_bold, line.BefundText, draw, 0, 0);
    const int height = first.GetResultRect().Height() + 2;
    if (draw)
        PaintBorders(dc, rect, height, 4);
    return height;
}

int CSRPBbRowPainter::PaintMainGroupRow(QPainter *dc, const CPosition &line, const CRect &rect,
                                        int draw) const
{
    // The main group and its text, or the campaigns' text alone; the
    // campaign period and the campaign's name.
    return PaintTextRow(dc, HeadRowTexts(line), rect, draw);
}

int CSRPBbRowPainter::PaintTextRow(QPainter *dc, const QStringList &texts, const CRect &rect,
                                   int draw) const
{
    CLayoutVBox box(rect, dc);
    box.AddSize(0, 3);
    {
        CLayoutHBox row(box);
        row.AddSize(m_nGapMedium, 0);
        for (const QString &text : texts) {
            row.DCDraw(&m_headFont, text, draw, 0, 0);
            row.AddSize(m_nGapMedium, 0);
        }
    }
    box.AddSize(0, 3);
    return box.GetResultRect().Height();
}

int CSRPBbRowPainter::PaintHeadRow(QPainter *dc, const CPosition &line, const CRect &rect,
                                   int draw) const
{
    CLayoutVBox box(CRect(rect.left, rect.top, rect.right, rect.bottom), dc);
    box.AddSize(0, 3);
    {
        CLayoutHBox row(box);
        row.AddSize(m_nGapMedium, 0);
        QString suffix;
        for (const QString &group : HeadNumberGroups(line, &suffix)) {
            row.DCDraw(&m_bold, group, draw, 0, 0);
            row.AddSize(m_nGapSmall, 0);
        }
        row.DCDraw(&m_plain, suffix, draw, 0, 0);
        row.AddSize(m_nGapMedium, 0);
        const int used = row.GetResultRect().Width();
        const int width = std::max(rect.Width() - used - 50, 40);
        {
            CLayoutVBox text(row);
            text.SetWordbreak(1);
            text.DCDraw(&m_bold, JoinTexts(line), draw, width, 0);
            if (text.GetResultRect().Height() < 2 * m_nLineHeight) {
                const QString shortTexts = FitShortTexts(line, m_shortText, width);
                if (!shortTexts.isEmpty())
                    text.DCDraw(&m_shortText, shortTexts, draw, width, 0);
            }
        }
        row.AddSize(0, kBadgeWidth);
        if (line.IsFastlane) {
            row.SetCenterAlign(1);
            row.DCDraw(&m_bold, QStringLiteral("FL"), draw, kBadgeWidth, 0);
        }
        if (line.TeileClearing) {
            row.SetCenterAlign(1);
            const RedCell red(draw ? dc : nullptr, true);
            row.DCDraw(&m_bold, QStringLiteral("C"), draw, kBadgeWidth, 0);
        }
    }
    box.AddSize(0, 3);
    return box.GetResultRect().Height();
}

// ---------------------------------------------------------------------------
// Column header, legend and sum

std::vector<CSRPBbRowPainter::HeaderTitle> CSRPBbRowPainter::ColumnTitles(int unit)
{
    // Quantity, stock and choice over their units, the price in the middle
    // of its three; each two pixels right of its unit's border.
    return {{3122, 2}, {3123, unit + 2}, {3124, 2 * unit + 2}, {2050, 4 * unit + 2}};
}

int CSRPBbRowPainter::ColumnHeaderHeight() const
{
    return TurnedHeaderHeight(ColumnTitles(0));
}

void CSRPBbRowPainter::PaintColumnHeader(QPainter *dc, const QRect &rect, int rowLeft,
                                         int rowWidth) const
{
    const Columns c = ColumnsFor(rowWidth);
    PaintTurnedHeader(dc, rect, rect.left() + rowLeft + c.first, c.unit, ColumnTitles(c.unit),
                      {c.unit, 2 * c.unit, 3 * c.unit});
}

int CSRPBbRowPainter::TurnedHeaderHeight(const std::vector<HeaderTitle> &titles) const
{
    const QFontMetrics fm(m_headerFont);
    int widest = 0;
    for (const HeaderTitle &title : titles)
        widest = std::max(widest,
                          fm.horizontalAdvance(OrmelText(title.textId).remove(QLatin1Char('&'))));
    return widest + 12;
}

void CSRPBbRowPainter::PaintTurnedHeader(QPainter *dc, const QRect &rect, int x0, int field,
                                         const std::vector<HeaderTitle> &titles,
                                         const std::vector<int> &borders) const
{
    const QRect columns(x0, rect.top(), rect.right() - x0, rect.height());
    dc->save();
    dc->fillRect(columns, Qt::white);
    dc->setPen(kFrameGrey);
    dc->drawRect(columns.adjusted(0, 0, -1, -1));
    dc->setPen(Qt::black);
    dc->setFont(m_headerFont);
    const QFontMetrics fm(m_headerFont);
    const int h = (field - fm.height()) / 2;
    for (const HeaderTitle &title : titles) {
        dc->save();
        dc->translate(x0 + title.at + h + fm.ascent(), rect.bottom() - 5);
        dc->rotate(-90);
        dc->drawText(0, 0, OrmelText(title.textId).remove(QLatin1Char('&')));
        dc->restore();
    }
    dc->setPen(kFrameGrey);
    for (const int x : borders)
        dc->drawLine(x0 + x, rect.top(), x0 + x, rect.bottom());
    dc->restore();
}

void CSRPBbRowPainter::PaintLegend(QPainter *dc, const QRect &rect) const
{
    dc->save();
    dc->fillRect(rect, kHeadBackground);
    dc->setPen(kLegendShadow);
    dc->drawRect(rect.adjusted(0, 0, -1, -1));
    dc->setPen(Qt::black);
    const int top = rect.top() + (rect.height() - m_nLineHeight) / 2;
    {
        CLayoutHBox left(CRect(rect.left(), top, rect.right(), rect.bottom()), dc);
        left.AddSize(m_nGapMedium, 0);
        left.DCDraw(&m_bold, QStringLiteral("(*)"), 1, 0, 0);
        left.AddSize(m_nGapSmall, 0);
        left.DCDraw(&m_bold, QStringLiteral("-"), 1, 0, 0);
        left.AddSize(m_nGapSmall, 0);
        left.DCDraw(&m_bold, OrmelText(3131), 1, 0, 0);
    }
    // Right: what the sum below shows, and before it the normal price of a
    // campaign package, or the standard price when the DMS or the training
    // edition delivers one.
    const QString sumLegend = OrmelText(3128) + QStringLiteral(" :  ( ") + OrmelText(3129) +
                              QStringLiteral(" )  ") + OrmelText(3130) + QLatin1Char(' ');
    const QFontMetrics bold(m_bold);
    const int sumWidth = bold.horizontalAdvance(sumLegend) + m_nGapMedium;
    {
        CLayoutHBox right(CRect(rect.right() - sumWidth, top, rect.right(), rect.bottom()), dc);
        right.DCDraw(&m_bold, sumLegend, 1, 0, 0);
    }
    PriceFigures block;
    if (LegendFigures(m_pPaket ? m_pPaket->GetKopf() : nullptr, m_pSettings, m_bCampaignMode,
                      m_bStandardInLegend, &block)) {
        const QString text = block.name + QStringLiteral(" :  ( ") + block.net +
                             QStringLiteral(" )  ") + block.gross + QLatin1Char(' ') +
                             block.currency + (block.flatMark ? " (*)" : "");
        const int width = bold.horizontalAdvance(text) + 2 * m_nGapMedium;
        const int right = rect.right() - sumWidth;
        CLayoutHBox box(CRect(right - width, top, right, rect.bottom()), dc);
        const RedCell red(dc, block.red);
        box.DCDraw(&m_bold, text, 1, 0, 0);
    }
    dc->restore();
}

CSRPBbRowPainter::PriceFigures CSRPBbRowPainter::SumFigures(const CPosition *head,
                                                            bool campaignMode)
{
    PriceFigures sum;
    if (!head)
        return sum;
    // The package's total as the roll-up left it; nothing is added here.
    const CPriceSet &p = campaignMode ? head->Preise3 : head->Preise1;
    sum.net = PriceText(p.Net, false);
    sum.gross = PriceText(p.Gross, false);
    sum.currency = p.TotalsCurrency;
    sum.red = !p.Complete;
    sum.flatMark = (campaignMode ? head->Preise2.FlatPrice : head->Preise1.FlatPrice) != 0;
    return sum;
}

bool CSRPBbRowPainter::LegendFigures(const CPosition *head, const CPrgSettings *settings,
                                     bool campaignMode, bool standardShown, PriceFigures *block)
{
    if (!head)
        return false;
    const bool standard =
        settings && (CPaket::AreExtraPriceSetsActive(settings) || settings->bSchulung);
    if (!campaignMode && !(standard && standardShown))
        return false;
    const CPriceSet &p = campaignMode ? head->Preise1 : head->Preise2;
    if (p.Gross == kPriceNotSet && p.Net == kPriceNotSet)
        return false;
    block->name = OrmelText(campaignMode ? 6066 : 6003);
    block->net = PriceText(p.Net, false);
    block->gross = PriceText(p.Gross, false);
    block->currency = p.TotalsCurrency;
    block->red = !p.Complete;
    block->flatMark = p.FlatPrice != 0;
    return true;
}

void CSRPBbRowPainter::PaintSum(QPainter *dc, const QRect &rect, int rowLeft, int rowWidth) const
{
    // Under the price column of the rows: the net beside it, the gross in it.
    const Columns c = ColumnsFor(rowWidth);
    SumPlace place;
    place.netLeft = rowLeft + c.Border(3) - c.unit;
    place.netRight = rowLeft + c.Border(4) - m_nGapSmall;
    place.grossLeft = rowLeft + c.Border(4);
    place.grossRight = rowLeft + rowWidth - m_nGapTiny - m_nFlatMarkWidth;
    PaintSum(dc, rect, place);
}

void CSRPBbRowPainter::PaintSum(QPainter *dc, const QRect &rect, const SumPlace &place) const
{
    dc->save();
    dc->fillRect(rect, Qt::white);
    dc->setPen(Qt::black);
    dc->drawRect(rect.adjusted(0, 0, -1, -1));
    const CPosition *head = m_pPaket ? m_pPaket->GetKopf() : nullptr;
    if (head) {
        const PriceFigures sum = SumFigures(head, m_bCampaignMode);
        const int top = rect.top() + (rect.height() - m_nLineHeight) / 2;
        const int netLeft = rect.left() + place.netLeft;
        const int netRight = rect.left() + place.netRight;
        const int x4 = rect.left() + place.grossLeft;
        const int grossRight = rect.left() + place.grossRight;
        const RedCell redCells(dc, sum.red);
        if (!sum.net.isEmpty()) {
            CLayoutHBox netBox(CRect(netLeft, top, netRight, rect.bottom()), dc);
            netBox.SetLeftAlign(0);
            netBox.DCDraw(&m_italic, QStringLiteral("( ") + sum.net + " )", 1, netRight - netLeft,
                          0);
        }
        if (!sum.gross.isEmpty()) {
            CLayoutHBox grossBox(CRect(x4, top, rect.right(), rect.bottom()), dc);
            grossBox.SetLeftAlign(0);
            grossBox.DCDraw(&m_bold, sum.gross, 1, grossRight - x4, 0);
            grossBox.SetLeftAlign(1);
            grossBox.AddSize(m_nGapTiny, 0);
            grossBox.DCDraw(&m_bold,
                            sum.currency + (sum.flatMark ? QStringLiteral(" (*)") : QString()), 1,
                            0, 0);
        }
    }
    dc->restore();
}
