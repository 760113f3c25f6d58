#include "basket/print/BasketPrintFields.h"

#include "common/Layout.h"

#include <QtMath>

#include <algorithm>

namespace {

const QChar kEllipsis(0x2026);

// A shrunk or cut text still leaves 1 mm before the cell's end, so that its
// last word never runs into the neighbour's first.
constexpr int kCellGap = 10;

int pageWidth(const QFont &pageFont, const QString &text)
{
    return int(std::ceil(LayoutTextWidth(pageFont, text)));
}

// The text as one printed line: line breaks become blanks.
QString printedLine(const QString &text)
{
    QString line = text;
    for (QChar &c : line)
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator)
            c = QLatin1Char(' ');
    return line;
}

} // namespace

int BasketPrintFieldMaxLength(int field)
{
    switch (field) {
    case BPFLD_DATE:
    case BPFLD_VALID_UNTIL:
        return 10;
    case BPFLD_INFO:
        return 33;
    default:
        return 0;
    }
}

BasketPrintLine BasketPrintFitLine(const QFont &font, const QString &text, int room)
{
    const QString line = printedLine(text);
    QFont page = LayoutPageFont(font);
    const int asked = page.pixelSize();
    // Trailing blanks print nothing.
    qsizetype visible = line.size();
    while (visible > 0 && line.at(visible - 1).isSpace())
        --visible;
    // Laid out as the cell lays it out (and kept for it during a print job).
    const int width = int(std::ceil(LayoutText(page, line.left(visible), 0).width));
    if (width <= room)
        return {font, line, false};
    const int target = std::max(room - kCellGap, 1);
    const int least = std::min(asked, qRound(kBasketPrintMinPoints * 254.0 / 72.0));
    // The size the width asks for, then smaller while the glyphs' own
    // widths still leave it too wide.
    int size = std::clamp(int(double(asked) * target / width), least, std::max(asked - 1, least));
    page.setPixelSize(size);
    while (size > least && pageWidth(page, line.left(visible)) > target)
        page.setPixelSize(--size);
    if (pageWidth(page, line.left(visible)) <= target)
        return {page, line, true};
    // The longest start that fits with the ellipsis behind it.
    qsizetype lo = 0, hi = line.size() - 1;
    while (lo < hi) {
        const qsizetype mid = (lo + hi + 1) / 2;
        if (pageWidth(page, line.left(mid) + kEllipsis) <= target)
            lo = mid;
        else
            hi = mid - 1;
    }
    if (lo > 0 && line.at(lo - 1).isHighSurrogate())
        --lo;
    return {page, line.left(lo) + kEllipsis, true};
}
