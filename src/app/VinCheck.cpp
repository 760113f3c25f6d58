#include "app/VinCheck.h"

namespace {
bool DigitThenLetter(const QString &text)
{
    return text.size() >= 2 && text.at(0).isDigit() && text.at(1).isLetter();
}
} // namespace

QString CVinCheck::ShortVin(const QString &vin)
{
    return vin.size() == kFullLength ? vin.right(kShortLength) : QString();
}

QString CVinCheck::TypePart(const QString &vin)
{
    return vin.size() == kFullLength ? vin.mid(3, 4) : QString();
}

bool CVinCheck::IsPlausibleShortVin(const QString &shortVin)
{
    if (shortVin.size() != kShortLength)
        return false;
    static const QString kForbidden = QStringLiteral("IOQ");
    for (int i = 0; i < 2; ++i) {
        if (kForbidden.contains(shortVin.at(i)))
            return false;
    }
    for (int i = 2; i < kShortLength; ++i) {
        const QChar c = shortVin.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

bool CVinCheck::IsSpecialForm(const QString &shortVin)
{
    return DigitThenLetter(shortVin);
}

bool CVinCheck::IsSpecialRange(const QString &from, const QString &to)
{
    return DigitThenLetter(from) && DigitThenLetter(to);
}

bool CVinCheck::InRange(const QString &shortVin, const QString &from, const QString &to)
{
    return from <= shortVin && shortVin <= to;
}
