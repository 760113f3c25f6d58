#include "basket/print/BasketPrintFormat.h"

#include "packages/model/Position.h"
#include "packages/model/PriceMath.h"
#include "platform/StringUtil.h"

#include <cmath>

namespace {

// Cuts the text at the given group starts; the last group runs to the end.
QStringList cut(const QString &text, std::initializer_list<int> starts)
{
    QStringList groups;
    int previous = -1;
    for (int start : starts) {
        if (previous >= 0 && previous < text.size())
            groups << text.mid(previous, start - previous);
        previous = start;
    }
    if (previous >= 0 && previous < text.size())
        groups << text.mid(previous);
    return groups;
}

QString joinLines(const QString &l1, const QString &l2, const QString &l3, const QString &l4)
{
    QString result = WithoutTrailingBlanks(l1);
    for (const QString *line : {&l2, &l3, &l4}) {
        const QString trimmed = WithoutTrailingBlanks(*line);
        if (!trimmed.isEmpty())
            result = WithoutTrailingBlanks(result + QLatin1Char('\n') + trimmed);
    }
    return result;
}

} // namespace

QStringList LabourNumberGroups(const QString &number)
{
    return cut(WithoutTrailingBlanks(number), {0, 2, 4});
}

QString GroupLabourNumber(const QString &number)
{
    return LabourNumberGroups(number).join(QLatin1Char(' '));
}

QStringList FindingNumberGroups(const QString &number)
{
    return cut(WithoutTrailingBlanks(number), {0, 2, 4, 6, 8});
}

QString GroupFindingNumber(const QString &number)
{
    return FindingNumberGroups(number).join(QLatin1Char(' '));
}

QStringList PartNumberGroups(const QString &number)
{
    const QString trimmed = WithoutTrailingBlanks(number);
    if (trimmed.size() != 11)
        return trimmed.isEmpty() ? QStringList() : QStringList{trimmed};
    return cut(trimmed, {0, 2, 4, 5, 8});
}

QString GroupPartNumber(const QString &number)
{
    return PartNumberGroups(number).join(QLatin1Char(' '));
}

QString PriceCellText(double price)
{
    if (IsPriceSentinel(price) || price < 0.0 || std::isnan(price))
        return QString();
    return FormatPrice(price);
}

QString UnitPriceCellText(const CPosition &pos)
{
    const CPriceSet &s = pos.Preise1;
    double unit = kPriceNotSet;
    if (s.UnitNet >= 0.0)
        unit = s.UnitNet;
    else if (s.UnitGross >= 0.0 && s.Vat >= 0.0)
        unit = NetFromGross(s.UnitGross, s.Vat);
    return unit >= 0.0 && s.FlatPrice == 0 ? PriceCellText(unit) : QString();
}

QString JoinAwTextLines(const CPosition &p)
{
    return joinLines(p.AwText1, p.AwText2, p.AwText3, p.AwText4);
}

QString JoinBracketTextLines(const CPosition &p)
{
    return joinLines(p.KlammerText1, p.KlammerText2, p.KlammerText3, p.KlammerText4);
}

QFont BasketPrintFont(int heightValue, const QString &style, const QString &language)
{
    double tenths = std::abs(heightValue);
    if (language == QLatin1String("11"))
        tenths += 50;
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(tenths / 10.0);
    font.setBold(style.contains(QLatin1Char('F')));
    font.setItalic(style.contains(QLatin1Char('K')));
    return font;
}

QString DealerTextLines(const QString &text)
{
    QString result = text;
    result.replace(QLatin1String("\\n"), QLatin1String("\n"));
    return result;
}
