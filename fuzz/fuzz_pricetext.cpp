// Price texts of the DMS and of campaigns (ParsePriceText), alone and as a
// DMS price element taken into a line. A text is either read as a finite
// number or refused as no price, the decimal separator "." reads like ",",
// and a line takes an element exactly when none of its texts is refused.
// Links: yaq_pkgmodel

#include "packages/model/DmsPriceData.h"
#include "packages/model/Position.h"
#include "packages/model/PriceMath.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    bool refused = false;
    const double value = ParsePriceText(text, &refused);
    if (refused || text.trimmed().isEmpty())
        Check(value == kPriceNotSet);
    else
        Check(std::isfinite(value));

    QString swapped = text;
    for (QChar &c : swapped)
        c = c == QLatin1Char('.') ? QLatin1Char(',') : c == QLatin1Char(',') ? QLatin1Char('.') : c;
    bool swappedRefused = false;
    const double swappedValue = ParsePriceText(swapped, &swappedRefused);
    Check(swappedRefused == refused && swappedValue == value);

    CPriceTypeData price;
    price.netPrice = text;
    price.grossPrice = QStringLiteral("119.00");
    price.valueAddedTax = QStringLiteral("19");
    CPosition line;
    const bool taken = line.TakeDmsPrice1(price);
    Check(taken == RefusedPriceTexts(price).isEmpty());
    Check(taken == !refused);
    Check(taken ? line.Preise1.UnitNet == value && line.Preise1.UnitGross == 119.0
                : line.Preise1.UnitNet == kPriceNotSet && line.Preise1.UnitGross == kPriceNotSet);
    return 0;
}
