#include "packages/model/PriceMath.h"

#include <QLocale>

#include <charconv>
#include <cmath>
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

double RoundPrice(double value)
{
    // The same digits FormatPrice writes, read back, without the detour over
    // text objects: the roll-up calls this for every price of every line.
    char buffer[400]; // room for the fixed form of any double
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value + 1e-10, std::chars_format::fixed, 2);
    if (written.ec != std::errc())
        return ParseNumber(FormatPrice(value));
    double rounded = 0.0;
    std::from_chars(buffer, written.ptr, rounded);
    return rounded;
}

double ParseNumber(const QString &text)
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

double ParsePriceText(const QString &text, bool *refused)
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
