#include "packages/model/SpotRepairLine.h"

#include "packages/model/Paket.h"

const QString kSpotRepairMarker = QStringLiteral("YY");
const QString kSpotGreen = QStringLiteral("GR");
const QString kSpotYellow = QStringLiteral("YE");

bool IsSpotRepairHead(const CPosition &line)
{
    return line.Type == kSpotRepairHeadType && line.HG == kSpotRepairMarker;
}

bool IsSpotRepairPackage(const CPaket &paket)
{
    const CPosition *head = paket.GetKopf();
    return head && IsSpotRepairHead(*head);
}

bool IsSpotRepairPathRow(const CPosition &line)
{
    if (line.HG != kSpotRepairMarker)
        return false;
    return line.Type == POS_SPECIAL1 || line.Type == POS_INFO3 || line.Type == POS_INFO5 ||
           line.Type == POS_HEAD;
}

QString SpotRepairBrandLetter(const QString &brandCode)
{
    // The data sets' own codes of the maker's two car brands.
    return brandCode.trimmed().compare(QLatin1String("LU"), Qt::CaseInsensitive) == 0
               ? QStringLiteral("L")
               : QStringLiteral("V");
}

QString WithoutLeadingZeros(const QString &text)
{
    int first = 0;
    while (first < text.size() && text.at(first) == QLatin1Char('0'))
        ++first;
    return text.mid(first);
}
