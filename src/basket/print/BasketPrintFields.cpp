#include "basket/print/BasketPrintFields.h"

#include "basket/print/BasketPrintFormat.h"
#include "common/Layout.h"

namespace {

// In the order of BasketPrintField.
constexpr CBasketPrintFieldCell kCells[BPFLD_COUNT] = {
    {-70, "F", 330, 0},  // offer number, beside the date
    {-70, "F", 190, 10}, // date
    {-70, "F", 150, 10}, // valid until, right-aligned
    {-100, "", 500, 0},  // customer line, left of the dealer's captions
    {-100, "", 670, 33}, // further information, goes on below when wider
    {-100, "", 670, 0},  // adviser, up to the right margin
    {-100, "", 670, 0},  // telephone
    {-100, "", 670, 0},  // fax
};

const QChar kEllipsis(0x2026);

// A full cell still leaves 1 mm before the next one, so that its last word
// never runs into the neighbour's first.
constexpr int kCellGap = 10;

} // namespace

const CBasketPrintFieldCell &BasketPrintFieldCell(int field)
{
    return kCells[field >= 0 && field < BPFLD_COUNT ? field : BPFLD_OFFER_NUMBER];
}

QFont BasketPrintFieldFont(int field, const QString &language)
{
    const CBasketPrintFieldCell &cell = BasketPrintFieldCell(field);
    return BasketPrintFont(cell.heightValue, QString::fromLatin1(cell.style), language);
}

QString BasketPrintFieldLine(const QString &text)
{
    QString line = text;
    for (QChar &c : line)
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator)
            c = QLatin1Char(' ');
    return line;
}

bool BasketPrintFieldTakes(int field, const QString &text, const QString &language)
{
    const CBasketPrintFieldCell &cell = BasketPrintFieldCell(field);
    if (cell.maxLength > 0)
        return text.size() <= cell.maxLength;
    const QFont font = LayoutPageFont(BasketPrintFieldFont(field, language));
    return LayoutTextWidth(font, BasketPrintFieldLine(text)) <= cell.width - kCellGap;
}

QString BasketPrintFieldText(int field, const QString &text, const QString &language)
{
    const QString line = BasketPrintFieldLine(text);
    if (BasketPrintFieldTakes(field, line, language))
        return line;
    // The longest start that fits with the ellipsis behind it.
    qsizetype lo = 0, hi = line.size() - 1;
    while (lo < hi) {
        const qsizetype mid = (lo + hi + 1) / 2;
        if (BasketPrintFieldTakes(field, line.left(mid) + kEllipsis, language))
            lo = mid;
        else
            hi = mid - 1;
    }
    if (lo > 0 && line.at(lo - 1).isHighSurrogate())
        --lo;
    return line.left(lo) + kEllipsis;
}
