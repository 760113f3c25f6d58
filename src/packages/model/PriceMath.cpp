#include "packages/model/PriceMath.h"

#include <QLocale>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>

QString PrintFixed(double value, int decimals)
{
    // Digits with exact decimal rounding as printf does; the separator of the
    // C locale whatever the process locale is.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    QString text = QString::fromLatin1(buffer);
    for (QChar &c : text)
        if (c == QLatin1Char(','))
            c = QLatin1Char('.');
    return text;
}

QString FormatPrice(double value)
{
    return PrintFixed(value + 1e-10, 2);
}

namespace {

// The powers of ten a double holds exactly.
constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                             1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Digits of a plain number text gathered as an integer and the count of its
// decimals. With at most 15 significant digits and at most 22 decimals the
// integer and the power of ten are exact doubles, so one division gives the
// correctly rounded value - the same double every correct decimal reader
// (the C locale's toDouble, from_chars) gives for the text.
struct PlainDigits
{
    std::uint64_t mantissa = 0;
    int significant = 0; // digits from the first nonzero one on
    int decimals = 0;
    int digits = 0; // all digits, leading zeros too

    void add(char16_t c, bool decimal)
    {
        ++digits;
        if (decimal)
            ++decimals;
        if (mantissa == 0 && c == u'0')
            return;
        if (++significant <= 15)
            mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - u'0');
    }
    bool exact() const { return significant <= 15 && decimals <= 22; }
    double value(bool negative) const
    {
        const double v = static_cast<double>(mantissa) / kPow10[decimals];
        return negative ? -v : v;
    }
};

bool IsAsciiDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// ParseNumber through the C locale: the reference for the texts the fast
// reader leaves to it.
double ParseNumberByLocale(const QString &text)
{
    int i = 0;
    const int n = text.size();
    while (i < n && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t') ||
                     text[i] == QLatin1Char('\r') || text[i] == QLatin1Char('\n')))
        ++i;
    const int start = i;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        ++i;
    int digits = 0;
    while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
        ++i;
        ++digits;
    }
    if (i < n && text[i] == QLatin1Char('.')) {
        ++i;
        while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0.0;
    int end = i;
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        int j = i + 1;
        if (j < n && (text[j] == QLatin1Char('+') || text[j] == QLatin1Char('-')))
            ++j;
        int expDigits = 0;
        while (j < n && text[j].isDigit() && text[j].unicode() < 128) {
            ++j;
            ++expDigits;
        }
        if (expDigits > 0)
            end = j;
    }
    QString number = text.mid(start, end - start);
    if (number.endsWith(QLatin1Char('.')))
        number.chop(1);
    if (number.startsWith(QLatin1Char('.')) || number.startsWith(QLatin1String("-.")) ||
        number.startsWith(QLatin1String("+.")))
        number.insert(number.indexOf(QLatin1Char('.')), QLatin1Char('0'));
    bool ok = false;
    const double value = QLocale::c().toDouble(number, &ok);
    return ok ? value : 0.0;
}

// RoundPrice through the printed text, for the values the exact
// arithmetic below does not cover.
double RoundPriceByText(double value)
{
    char buffer[400]; // room for the fixed form of any double
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value + 1e-10, std::chars_format::fixed, 2);
    if (written.ec != std::errc())
        return ParseNumber(FormatPrice(value));
    double rounded = 0.0;
    std::from_chars(buffer, written.ptr, rounded);
    return rounded;
}

} // namespace

double RoundPrice(double value)
{
    // "%.2f" rounds the exact binary value to the nearest cent, an exact
    // tie to the even cent; reading "c.cc" back gives the double nearest to
    // cents / 100. Both are done here on numbers: the product with 100 is
    // split into its rounded part and its exact error, which decides the
    // cent exactly. Values beyond 10^13 and non-finite ones go the way
    // over the text.
    const double x = value + 1e-10;
    const double ax = std::fabs(x);
    if (!(ax < 1e13))
        return RoundPriceByText(value);
    double cents = 0.0;
    if (ax >= 0.004) {
        const double p = ax * 100.0;
        // The exact error of the product (Dekker's product with 100 split
        // exactly): ax * 100 == p + error.
        const double split = ax * 134217729.0; // 2^27 + 1
        const double high = split - (split - ax);
        const double error = (high * 100.0 - p) + (ax - high) * 100.0;
        const auto whole = static_cast<std::int64_t>(p); // p > 0: the floor
        // p - whole and the half are multiples of p's unit in the last place,
        // which is larger than |error|: the comparison with the half is exact.
        const double aboveHalf = (p - static_cast<double>(whole)) - 0.5;
        bool up = aboveHalf > 0.0;
        if (aboveHalf == 0.0)
            up = error > 0.0 || (error == 0.0 && (whole & 1) != 0);
        cents = static_cast<double>(up ? whole + 1 : whole);
    }
    const double rounded = cents / 100.0;
    return std::signbit(x) ? -rounded : rounded;
}

double ParseNumber(const QString &text)
{
    // Plain texts ("12", " 1.5 EUR", "-.8") are read here; a text with an
    // exponent or more digits than a double holds exactly goes the way
    // over the C locale.
    const char16_t *s = reinterpret_cast<const char16_t *>(text.constData());
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n && (s[i] == u' ' || s[i] == u'\t' || s[i] == u'\r' || s[i] == u'\n'))
        ++i;
    bool negative = false;
    if (i < n && (s[i] == u'+' || s[i] == u'-'))
        negative = s[i++] == u'-';
    PlainDigits d;
    for (; i < n && IsAsciiDigit(s[i]); ++i)
        d.add(s[i], false);
    if (i < n && s[i] == u'.')
        for (++i; i < n && IsAsciiDigit(s[i]); ++i)
            d.add(s[i], true);
    if (d.digits == 0)
        return 0.0;
    if (d.exact() && !(i < n && (s[i] == u'e' || s[i] == u'E')))
        return d.value(negative);
    return ParseNumberByLocale(text);
}

namespace {

double ParsePriceTextByLocale(const QString &text, bool *refused)
{
    if (refused)
        *refused = false;
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return kPriceNotSet;
    const auto isDigit = [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); };
    QString number;
    number.reserve(trimmed.size());
    qsizetype i = 0;
    const qsizetype n = trimmed.size();
    if (trimmed[i] == QLatin1Char('+') || trimmed[i] == QLatin1Char('-'))
        number += trimmed[i++];
    qsizetype digits = 0;
    for (; i < n && isDigit(trimmed[i]); ++i, ++digits)
        number += trimmed[i];
    bool wellFormed = digits > 0;
    if (wellFormed && i < n && (trimmed[i] == QLatin1Char('.') || trimmed[i] == QLatin1Char(','))) {
        number += QLatin1Char('.');
        ++i;
        qsizetype decimals = 0;
        for (; i < n && isDigit(trimmed[i]); ++i, ++decimals)
            number += trimmed[i];
        wellFormed = decimals > 0;
    }
    bool ok = false;
    const double value = wellFormed && i == n ? QLocale::c().toDouble(number, &ok) : 0.0;
    if (!ok || !std::isfinite(value)) {
        if (refused)
            *refused = true;
        return kPriceNotSet;
    }
    return value;
}

bool IsAsciiSpace(char16_t c)
{
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

} // namespace

double ParsePriceText(const QString &text, bool *refused)
{
    // Plain ASCII texts are read here; any other character (a Unicode blank
    // that trimming removes, foreign digits) and more digits than a double
    // holds exactly leave the text to the C locale.
    const char16_t *s = reinterpret_cast<const char16_t *>(text.constData());
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n && IsAsciiSpace(s[i]))
        ++i;
    qsizetype end = n;
    while (end > i && IsAsciiSpace(s[end - 1]))
        --end;
    bool plain = true;
    for (qsizetype j = i; j < end && plain; ++j)
        plain = s[j] < 0x80;
    if (!plain)
        return ParsePriceTextByLocale(text, refused);
    if (refused)
        *refused = false;
    if (i == end)
        return kPriceNotSet;
    bool negative = false;
    if (s[i] == u'+' || s[i] == u'-')
        negative = s[i++] == u'-';
    PlainDigits d;
    for (; i < end && IsAsciiDigit(s[i]); ++i)
        d.add(s[i], false);
    bool wellFormed = d.digits > 0;
    if (wellFormed && i < end && (s[i] == u'.' || s[i] == u',')) {
        const int before = d.digits;
        for (++i; i < end && IsAsciiDigit(s[i]); ++i)
            d.add(s[i], true);
        wellFormed = d.digits > before;
    }
    if (!wellFormed || i != end) {
        if (refused)
            *refused = true;
        return kPriceNotSet;
    }
    if (d.exact())
        return d.value(negative);
    return ParsePriceTextByLocale(text, refused);
}

LinePrice DeriveLinePrice(double unitGross, double unitNet, double vat, bool flatPrice,
                          bool chargedByTime, double quantity, bool noPriceMarker)
{
    LinePrice p;
    const bool grossGiven = IsPriceGiven(unitGross);
    const bool netGiven = IsPriceGiven(unitNet);
    bool netFromUnit = false;
    bool byTime = false;
    if (flatPrice) {
        if (grossGiven)
            p.gross = unitGross;
        if (netGiven) {
            p.net = unitNet;
            netFromUnit = true;
        }
    } else if (chargedByTime) {
        byTime = true;
        if (grossGiven)
            p.gross = kPriceByTime;
        if (netGiven)
            p.net = kPriceByTime;
    } else {
        if (grossGiven)
            p.gross = unitGross * quantity;
        if (netGiven)
            p.net = unitNet * quantity;
    }

    if (p.net != kPriceNotSet && IsPriceGiven(vat) && !grossGiven)
        p.gross = byTime ? kPriceByTime : GrossFromNet(p.net, vat);
    if (p.gross != kPriceNotSet && IsPriceGiven(vat) && !netFromUnit)
        p.net = byTime ? kPriceByTime : NetFromGross(p.gross, vat);
    if (noPriceMarker) {
        if (p.gross == kPriceNotSet)
            p.gross = kPriceNone;
        if (p.net == kPriceNotSet)
            p.net = kPriceNone;
    }
    p.net = RoundPrice(p.net);
    p.gross = RoundPrice(p.gross);
    return p;
}

double ApplyLineFactors(double value, bool doubled, const QString &surcharge)
{
    if (IsPriceSentinel(value))
        return value;
    if (doubled)
        value *= 2.0;
    if (!surcharge.isEmpty())
        value *= (ParseNumber(surcharge) + 100.0) / 100.0;
    return value;
}

void AddToPackageSum(double &sum, double linePrice, double factor, bool doubled)
{
    sum = (sum == kPriceNotSet) ? linePrice : (linePrice + sum) * factor;
    if (doubled)
        sum *= factor;
}
