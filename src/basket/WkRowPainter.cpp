#include "basket/WkRowPainter.h"

#include "basket/WkListModel.h"
#include "basket/model/WKListItem.h"
#include "common/Layout.h"
#include "packages/model/Paket.h"
#include "packages/model/Position.h"
#include "platform/OrmelText.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStringList>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

// Space above and below the contents of a row.
constexpr int kRowSpace = 3;
// The number suffix of a package head (the loader's place for it).
constexpr int kSuffixText = 0;

const QColor kSelectedFocusText(0xFF, 0xFF, 0x00);
const QColor kRed(0xFF, 0, 0);
const QColor kHeaderGrey(0xAD, 0xAD, 0xAD);

int Rounded(double value)
{
    return int(value + 0.5);
}

int TextWidth(const QFont &font, const QString &text)
{
    return int(std::ceil(LayoutText(font, text, 0).width));
}

int TextHeight(const QFont &font, const QString &text)
{
    return LayoutText(font, text, 0).height;
}

const CPriceSet *PriceSource(const CWKListItem &entry)
{
    if (entry.Kind == WK_POSITION)
        return entry.IsLabourPosition() ? &entry.APos->Preise1 : nullptr;
    const CPosition *head = entry.Head();
    if (!head)
        return nullptr;
    return CWKListItem::IsCampaignKind(entry.Kind) ? &head->Preise3 : &head->Preise1;
}

// The first findings line of a package that is priced; null when none.
const CPosition *PricedFindingsLine(const CPaket &paket)
{
    for (const auto &line : paket)
        if (line && line->Type == POS_FINDINGS && line->Selected)
            return line.get();
    return nullptr;
}

bool IsPlainPackageKind(int kind)
{
    return kind == WK_SRP || kind == WK_GRP || kind == WK_SIP || kind == WK_VLP;
}

QString JoinLines(const QString &first, const QString &l2, const QString &l3, const QString &l4)
{
    QString joined = first;
    for (const QString *line : {&l2, &l3, &l4})
        if (!line->isEmpty())
            joined += QLatin1Char(' ') + *line;
    return joined;
}

} // namespace

CWkRowPainter::CWkRowPainter(QObject *parent) : COwnLBDelegate(parent)
{
    SetFonts(QFont());
}

void CWkRowPainter::SetFonts(const QFont &base)
{
    // Pixel sizes: a row measures as it paints, with a painter or without.
    const QFont regular = LayoutFont(base, nullptr);
    auto make = [&regular](int step, bool bold, bool italic) {
        QFont f = regular;
        f.setPixelSize(regular.pixelSize() + step);
        f.setBold(bold);
        f.setItalic(italic);
        return f;
    };
    m_f1 = make(3, true, false);
    m_f2 = make(0, true, false);
    m_f3 = make(0, false, false);
    m_f4 = make(0, true, false);
    m_f5 = make(0, true, true);
    m_f6 = make(0, false, true);
    m_f7 = make(0, false, true);
    m_f8 = make(0, false, false);

    // The gaps follow the width of a digit, so the rows keep their look in
    // every font size.
    m_nMargin = Rounded(TextWidth(m_f2, QStringLiteral("0")) * 15 / 10.0);
    m_nSmallGap = Rounded(TextWidth(m_f4, QStringLiteral("0")) * 4 / 7.0);
    m_nGap = std::max(m_nSmallGap - 1, 1);
    m_nLineHeight = TextHeight(m_f4, OrmelText(3128));
    m_nDigit1 = TextWidth(m_f4, QStringLiteral("8"));
    m_nDigit2 = 2 * m_nDigit1;
    m_nDigit3 = 3 * m_nDigit1;
    m_nValueWidth = TextWidth(m_f4, QStringLiteral("0000"));
    m_nCurrencyWidth = m_nGap + TextWidth(m_f4, QStringLiteral("CHF"));
    m_nMarkWidth = TextWidth(m_f4, QStringLiteral("C")) + 2 * m_nMargin;
    {
        CLayoutHBox mark(CRect(0, 0, 100000, 100000), nullptr);
        DrawFlatPriceMark(mark, 0);
        m_nFlatMarkWidth = mark.GetResultRect().Width();
    }
    {
        CLayoutHBox labels(CRect(0, 0, 100000, 100000), nullptr);
        DrawSumLabels(labels, 0);
        m_nSumLabelWidth = labels.GetResultRect().Width();
    }
    // The price column holds an eight-digit price and the flat-price mark,
    // and is never narrower than its header.
    m_nPriceWidth = std::max(TextWidth(m_f4, QStringLiteral("00000000.00")) + 2 * m_nMargin,
                             TextWidth(m_f4, OrmelText(2050)) + 2 * m_nMargin) +
                    m_nFlatMarkWidth;
    ForgetAllRows();
}

QString CWkRowPainter::JoinAwTexts(const CPosition &p)
{
    return JoinLines(p.AwText1, p.AwText2, p.AwText3, p.AwText4);
}

QString CWkRowPainter::JoinBracketTexts(const CPosition &p)
{
    return JoinLines(p.KlammerText1, p.KlammerText2, p.KlammerText3, p.KlammerText4);
}

QString CWkRowPainter::GroupFindingNumber(const QString &number)
{
    if (number.size() >= 9)
        return number;
    // Whole pairs only after the first: a last single character of a short
    // number is not shown.
    QStringList groups{number.left(2)};
    for (int at = 2; at + 2 <= number.size(); at += 2)
        groups << number.mid(at, 2);
    return groups.join(QLatin1Char(' '));
}

QString CWkRowPainter::PriceText(double value)
{
    if (value == kPriceNotSet)
        return QString();
    if (value == kPriceNone)
        return QStringLiteral("?");
    if (value == kPriceByTime)
        return OrmelText(3012);
    return FormatPrice(value);
}

QStringList CWkRowPainter::PriceLineTexts(const CWKListItem &entry)
{
    const CPriceSet *set = PriceSource(entry);
    const double gross = set ? set->Gross : kPriceNotSet;
    double net = set ? set->Net : kPriceNotSet;
    if (entry.Kind == WK_POSITION && net == kPriceByTime)
        net = kPriceNotSet;
    return {PriceText(gross), PriceText(net)};
}

void CWkRowPainter::RowColours(const CWKListItem &entry, const CWkRowState &state,
                               QColor *background, QColor *text) const
{
    *background = Background(entry);
    *text = Qt::black;
    if (state.selected) {
        *background = state.highlight;
        *text = state.focus ? kSelectedFocusText : QColor(Qt::white);
    }
}

QColor CWkRowPainter::Background(const CWKListItem &entry) const
{
    switch (entry.Kind) {
    case WK_CAMPAIGN:
    case WK_CAMPAIGN_LR:
        return QColor(0xC0, 0xC0, 0xDC);
    case WK_POSITION:
        if (!entry.APos)
            return Qt::white;
        switch (entry.APos->Type) {
        case POS_BASKET_LABOUR:
            return QColor(0xC0, 0xDC, 0xC0);
        case POS_SI_FINDING:
            return m_siBackground;
        case POS_FINDING:
            return QColor(0xC0, 0xC0, 0xC0);
        default:
            return Qt::white;
        }
    case WK_GRP:
        return QColor(0xC0, 0xDC, 0xDC);
    case WK_CCP:
        return QColor(0xEE, 0xCB, 0xAD);
    case WK_SIP:
        return QColor(0xFF, 0xFA, 0xCD);
    case WK_VLP:
        return QColor(0xF5, 0xC2, 0xED);
    default:
        return Qt::white;
    }
}

int CWkRowPainter::DrawHeadNumber(CLayout &line, const CPosition *head, int draw) const
{
    // A package without head keeps the column, with no number in it.
    const QString number = head ? head->Number : QString();
    const QString suffix = head ? head->PaketTexts[kSuffixText] : QString();
    line.DCDraw(&m_f4, number.mid(0, 2), draw, m_nDigit2, 0);
    line.AddSize(m_nSmallGap, 0);
    line.DCDraw(&m_f4, number.mid(2, 2), draw, m_nDigit2, 0);
    line.AddSize(m_nSmallGap, 0);
    line.DCDraw(&m_f4, number.mid(4, 3), draw, m_nDigit3, 0);
    line.AddSize(m_nSmallGap, 0);
    line.DCDraw(&m_f8, suffix.left(1), draw, m_nDigit1, 0);
    line.AddSize(m_nMargin, 0);
    return line.GetResultRect().Height();
}

int CWkRowPainter::DrawLabourNumber(CLayout &line, const CPosition &p, int draw) const
{
    line.DCDraw(&m_f4, p.Number.mid(0, 2), draw, m_nDigit2, 0);
    line.AddSize(m_nSmallGap, 0);
    line.DCDraw(&m_f4, p.Number.mid(2, 2), draw, m_nDigit2, 0);
    line.AddSize(m_nSmallGap, 0);
    line.DCDraw(&m_f4, p.Number.mid(4, 3), draw, m_nDigit3, 0);
    line.AddSize(m_nDigit1 + m_nMargin, 0);
    line.DCDraw(&m_f4, p.GetDisplayNumber(), draw, m_nValueWidth, 0);
    line.AddSize(m_nMargin, 0);
    return line.GetResultRect().Height();
}

int CWkRowPainter::DrawFindingNumber(CLayout &line, const CPosition &p, int draw) const
{
    const QString &n = p.Number;
    line.DCDraw(&m_f4, n.mid(0, 2), draw, m_nDigit2, 0);
    line.AddSize(m_nSmallGap, 0);
    for (int from = 2; from < 10 && n.size() >= from + 2; from += 2) {
        line.DCDraw(&m_f4, n.mid(from, 2), draw, m_nDigit2, 0);
        line.AddSize(m_nSmallGap, 0);
    }
    line.AddSize(m_nMargin, 0);
    return line.GetResultRect().Height();
}

void CWkRowPainter::DrawFlatPriceMark(CLayout &box, int draw) const
{
    box.AddSize(m_nGap, 0);
    box.DCDraw(&m_f4, QStringLiteral("("), draw, 0, 0);
    box.AddSize(m_nGap, 0);
    box.DCDraw(&m_f4, QStringLiteral("*"), draw, 0, 0);
    box.AddSize(m_nGap, 0);
    box.DCDraw(&m_f4, QStringLiteral(")"), draw, 0, 0);
    box.AddSize(1, 0);
}

void CWkRowPainter::DrawSumLabels(CLayout &box, int draw) const
{
    box.DCDraw(&m_f4, OrmelText(3128), draw, 0, 0);
    box.AddSize(m_nSmallGap, 0);
    box.DCDraw(&m_f4, QStringLiteral(":"), draw, 0, 0);
    box.AddSize(m_nSmallGap, 0);
    box.DCDraw(&m_f6, QStringLiteral("("), draw, 0, 0);
    box.AddSize(m_nMargin, 0);
    box.DCDraw(&m_f6, OrmelText(3129), draw, 0, 0);
    box.AddSize(m_nSmallGap, 0);
    box.DCDraw(&m_f6, QStringLiteral(")"), draw, 0, 0);
    box.AddSize(m_nMargin, 0);
    box.DCDraw(&m_f4, OrmelText(3130), draw, 0, 0);
    box.AddSize(m_nMargin, 0);
}

int CWkRowPainter::DrawPrices(QPainter *dc, const CRect &column, const CWKListItem &entry, int draw,
                              const QColor &text) const
{
    const CPriceSet *set = PriceSource(entry);
    const bool labour = entry.Kind == WK_POSITION;
    // A package whose head has no price drawn in red: its total is missing.
    const bool redPackage =
        IsPlainPackageKind(entry.Kind) && entry.Head() && entry.Head()->Preise1.Complete == 0;
    const double gross = set ? set->Gross : kPriceNotSet;
    const double net = set ? set->Net : kPriceNotSet;
    const QStringList texts = PriceLineTexts(entry);
    const int width = m_nPriceWidth - m_nFlatMarkWidth;
    const bool paint = draw && dc;

    CLayoutVBox box(column, dc);
    {
        CLayoutHBox line(box);
        line.SetLeftAlign(0);
        const bool red = redPackage || (labour && (gross == kPriceByTime || gross == kPriceNone));
        if (paint)
            dc->setPen(red ? kRed : text);
        line.DCDraw(&m_f4, texts.at(0), draw, width, 0);
        if (set && set->FlatPrice && gross != kPriceNotSet)
            DrawFlatPriceMark(line, draw);
    }
    {
        CLayoutHBox line(box);
        line.SetLeftAlign(0);
        const bool red = redPackage || (labour && net == kPriceNone);
        if (paint)
            dc->setPen(red ? kRed : text);
        line.DCDraw(&m_f6, texts.at(1), draw, width, 0);
    }
    if (paint)
        dc->setPen(text);
    return box.GetResultRect().Height();
}

int CWkRowPainter::PaintEntry(QPainter *dc, const CWKListItem &entry, const CRect &rect, int draw,
                              const CWkRowState &state) const
{
    const bool package = CWKListItem::IsPackageKind(entry.Kind);
    if (!package && !(entry.Kind == WK_POSITION && entry.APos))
        return 0;
    const bool labour = entry.IsLabourPosition();
    const CPosition *head = entry.Head();
    const bool paint = draw && dc;

    QColor text = Qt::black;
    if (paint) {
        QColor background;
        RowColours(entry, state, &background, &text);
        dc->save();
        dc->fillRect(rect.toQRectF(), background);
        dc->setPen(QPen(text, 1));
    }

    const int priceLeft = rect.left + PriceLeft(rect.Width());
    const int top = rect.top + kRowSpace;
    int height = 2 * m_nLineHeight;

    // Number and texts, up to the mark column before the price column.
    {
        CLayoutHBox line(CRect(rect.left, top, priceLeft - m_nMarkWidth, rect.bottom), dc);
        line.AddSize(m_nMargin, 0);
        if (package)
            DrawHeadNumber(line, head, draw);
        else if (labour)
            DrawLabourNumber(line, *entry.APos, draw);
        else
            DrawFindingNumber(line, *entry.APos, draw);
        {
            CLayoutVBox texts(line);
            texts.SetWordbreak(1);
            if (package) {
                texts.DCDraw(&m_f4, head ? JoinAwTexts(*head) : QString(), draw, 0, 0);
                const CPosition *findings = IsPlainPackageKind(entry.Kind) && entry.Paket
                                                ? PricedFindingsLine(*entry.Paket)
                                                : nullptr;
                if (findings)
                    texts.DCDraw(&m_f4,
                                 GroupFindingNumber(findings->Number) + QLatin1Char(' ') +
                                     findings->BefundText,
                                 draw, 0, 0);
            } else if (labour) {
                texts.DCDraw(&m_f4, JoinAwTexts(*entry.APos), draw, 0, 0);
                const QString brackets = JoinBracketTexts(*entry.APos);
                if (!brackets.trimmed().isEmpty())
                    texts.DCDraw(&m_f6, brackets, draw, 0, 0);
            } else {
                texts.DCDraw(&m_f4, entry.APos->BefundText, draw, 0, 0);
                if (!entry.APos->BefundText2.isEmpty())
                    texts.DCDraw(&m_f3, entry.APos->BefundText2, draw, 0, 0);
            }
        }
        height = std::max(height, line.GetResultRect().Height());
    }

    // A red "C": replacing parts of this work needs a parts-clearing release.
    const CPosition *marked = package ? head : (labour ? entry.APos.get() : nullptr);
    if (marked && marked->TeileClearing) {
        CLayoutHBox mark(CRect(priceLeft - m_nMarkWidth, top, priceLeft, rect.bottom), dc);
        mark.SetCenterAlign(1);
        if (paint)
            dc->setPen(kRed);
        mark.DCDraw(&m_f4, QStringLiteral("C"), draw, m_nMarkWidth, 0);
        if (paint)
            dc->setPen(text);
    }

    if (package || labour)
        height = std::max(height, DrawPrices(dc, CRect(priceLeft, top, rect.right, rect.bottom),
                                             entry, draw, text));

    const int total = kRowSpace + height + kRowSpace;
    if (paint) {
        dc->setPen(QPen(text, 1));
        dc->drawLine(rect.left, rect.top, rect.right - 1, rect.top);
        dc->drawLine(rect.left, rect.bottom - 1, rect.right - 1, rect.bottom - 1);
        dc->drawLine(priceLeft, rect.top, priceLeft, rect.bottom - 1);
        dc->restore();
    }
    return total;
}

void CWkRowPainter::DrawPriceHeader(QPainter *dc, const CRect &rect, int priceLeft) const
{
    const CRect box(priceLeft, rect.top, rect.right, rect.bottom);
    const QRect r = box.toQRect();
    dc->save();
    dc->fillRect(r, Qt::white);
    // A double sunken border.
    dc->setPen(kHeaderGrey);
    dc->drawLine(r.topLeft(), r.topRight());
    dc->drawLine(r.topLeft(), r.bottomLeft());
    dc->setPen(Qt::white);
    dc->drawLine(r.bottomLeft(), r.bottomRight());
    dc->drawLine(r.topRight(), r.bottomRight());
    const QRect inner = r.adjusted(1, 1, -1, -1);
    dc->setPen(Qt::black);
    dc->drawLine(inner.topLeft(), inner.topRight());
    dc->drawLine(inner.topLeft(), inner.bottomLeft());
    dc->setPen(kHeaderGrey);
    dc->drawLine(inner.bottomLeft(), inner.bottomRight());
    dc->drawLine(inner.topRight(), inner.bottomRight());
    dc->setPen(Qt::black);
    // The mnemonic stays in the text as the button shows it: underlined.
    QString caption = OrmelText(2050);
    const int amp = caption.indexOf(QLatin1Char('&'));
    if (amp >= 0)
        caption.remove(amp, 1);
    const int top = box.top + std::max((box.Height() - m_nLineHeight) / 2, 0);
    CLayoutVBox text(CRect(box.left, top, box.right, box.bottom), dc);
    text.SetCenterAlign(1);
    if (amp >= 0)
        text.MarkText(amp, 1);
    text.DCDraw(&m_f4, caption, 1, box.Width(), 0);
    if (amp >= 0) {
        const CRect mark = text.GetMarkRect();
        dc->drawLine(mark.left, mark.bottom - 2, mark.right, mark.bottom - 2);
    }
    dc->restore();
}

void CWkRowPainter::DrawFlatLegend(QPainter *dc, const CRect &rect, int priceLeft) const
{
    dc->save();
    dc->setPen(Qt::black);
    const int top = rect.top + std::max((rect.Height() - m_nLineHeight) / 2, 0);
    {
        CLayoutHBox legend(CRect(rect.left, top, priceLeft, rect.bottom), dc);
        legend.AddSize(m_nMargin, 0);
        DrawFlatPriceMark(legend, 1);
        legend.AddSize(m_nSmallGap, 0);
        legend.DCDraw(&m_f4, QStringLiteral("-"), 1, 0, 0);
        legend.AddSize(m_nSmallGap, 0);
        legend.DCDraw(&m_f4, OrmelText(3131), 1, 0, 0);
    }
    // The sum labels end where the price column begins.
    CLayoutHBox labels(CRect(priceLeft - m_nSumLabelWidth, top, priceLeft, rect.bottom), dc);
    DrawSumLabels(labels, 1);
    dc->restore();
}

void CWkRowPainter::DrawTotalField(QPainter *dc, const CRect &rect, int priceLeft, double gross,
                                   double net, const QString &currency) const
{
    if (gross == kPriceNotSet || net == kPriceNotSet)
        return;
    dc->save();
    dc->setPen(Qt::black);
    const int priceRight = priceLeft + m_nPriceWidth - m_nFlatMarkWidth;
    CLayoutVBox box(CRect(priceLeft, rect.top, rect.right, rect.bottom), dc);
    {
        const QString text = QStringLiteral("(") + FormatPrice(net) + QStringLiteral(")");
        CLayoutHBox line(box);
        line.SetLeftAlign(0);
        line.DCDraw(&m_f6, text, 1, priceRight - priceLeft, 0);
    }
    {
        CLayoutHBox line(box);
        line.SetLeftAlign(0);
        line.DCDraw(&m_f4, FormatPrice(gross), 1, priceRight - priceLeft, 0);
        line.AddSize(m_nGap, 0);
        line.SetLeftAlign(1);
        line.DCDraw(&m_f4, currency, 1, 0, 0);
    }
    dc->restore();
}

void CWkRowPainter::PaintRow(QPainter *painter, const QStyleOptionViewItem &option,
                             const QModelIndex &index) const
{
    const auto *entry = index.data(CWkListModel::EntryRole).value<const CWKListItem *>();
    if (!entry)
        return;
    CWkRowState state;
    state.selected = option.state.testFlag(QStyle::State_Selected);
    state.focus = option.widget && option.widget->hasFocus();
    state.highlight = option.palette.color(QPalette::Active, QPalette::Highlight);
    const QRect r = option.rect;
    PaintEntry(painter, *entry, CRect(r.left(), r.top(), r.right() + 1, r.bottom() + 1), 1, state);
}

int CWkRowPainter::MeasureRowHeight(const QStyleOptionViewItem &option,
                                    const QModelIndex &index) const
{
    const auto *entry = index.data(CWkListModel::EntryRole).value<const CWKListItem *>();
    if (!entry)
        return 0;
    const QRect r = option.rect;
    return PaintEntry(nullptr, *entry, CRect(r.left(), r.top(), r.left() + r.width(), 1000000), 0);
}

int CWkRowPainter::EstimateRowHeight(const QModelIndex &) const
{
    return 2 * kRowSpace + 2 * m_nLineHeight;
}
