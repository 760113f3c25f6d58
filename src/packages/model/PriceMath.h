#pragma once
// The money rules of the package prices, in one place.
//
// Prices are doubles in the currency of their price set. Three negative
// sentinels mark a missing price, alike in the package lines, the basket
// and the prices of the labour-value catalogue:
//   -1.0  not set (shown as nothing)
//   -2.0  no price because the work is charged by time ("AZ")
//   -3.0  no price although one was asked for (the line's no-price marker
//         is set; shown as "?")
// Every computed price is rounded to two decimals by printing it with "%.2f"
// after adding 1e-10 and reading the text back. All number texts are written
// and read in the C locale ("1.5").

#include <QString>

constexpr double kPriceNotSet = -1.0;
constexpr double kPriceByTime = -2.0;
constexpr double kPriceNone = -3.0;

// A unit price or VAT rate counts as given when it is not negative.
inline bool IsPriceGiven(double value)
{
    return value >= 0.0;
}

// -1.0, -2.0 or -3.0.
inline bool IsPriceSentinel(double value)
{
    return value == kPriceNotSet || value == kPriceByTime || value == kPriceNone;
}

// The value printed with the given number of decimals, "." as separator.
// No rounding offset is added.
QString PrintFixed(double value, int decimals);

// The displayed and stored form of a price: "%.2f" of value + 1e-10.
QString FormatPrice(double value);

// The program's price rounding: the number read back from FormatPrice.
double RoundPrice(double value);

// A number text read like the C library's atof: leading blanks, a sign,
// digits with "." as decimal separator and an exponent; the rest of the text
// is ignored. 0.0 for text that holds no number.
double ParseNumber(const QString &text);

// A price text of the DMS, of a campaign or of a dealer price file: an
// optional sign, digits, and at most one decimal separator ("." or ",")
// followed by digits; blanks and line breaks around it do not count. An
// empty text gives -1.0 (no price). Any other text - thousands separators,
// an exponent, a currency, other digits - is refused: -1.0 as well, and
// *refused is set, so that the caller can tell the adviser instead of
// reading "1.234,56" as 1.234.
double ParsePriceText(const QString &text, bool *refused = nullptr);

// Takes a contribution to a common currency: the first non-empty one is the
// result, a later different one marks the currencies as mixed (*mixed := 1).
// An empty currency never conflicts. The package's lines and the basket's
// entries share this one check.
inline void TakeCurrency(QString &result, const QString &currency, int *mixed)
{
    if (currency.isEmpty())
        return;
    if (result.isEmpty())
        result = currency;
    else if (result != currency)
        *mixed = 1;
}

// Net and gross from a VAT rate in percent.
inline double NetFromGross(double gross, double vat)
{
    return gross * 100.0 / (100.0 + vat);
}
inline double GrossFromNet(double net, double vat)
{
    return (vat + 100.0) * net / 100.0;
}

// Gross and net of one line from its unit prices, before doubling and
// surcharge: the flat price as it is, "AZ" work as -2.0, else unit price
// times quantity; a missing gross or net derived from the other with the VAT
// rate; what is still missing becomes -3.0 when noPriceMarker is set; both
// rounded.
struct LinePrice
{
    double gross = kPriceNotSet;
    double net = kPriceNotSet;
};
LinePrice DeriveLinePrice(double unitGross, double unitNet, double vat, bool flatPrice,
                          bool chargedByTime, double quantity, bool noPriceMarker);

// Doubling and surcharge of a computed line price; sentinels stay as they are.
double ApplyLineFactors(double value, bool doubled, const QString &surcharge);

// Adds one line to a package sum. The first line starts the sum; every
// further line is added and the sum multiplied by the combination factor in
// force. A line that counts twice multiplies the sum by the factor once more.
void AddToPackageSum(double &sum, double linePrice, double factor, bool doubled);
