#include "packages/list/PackageRow.h"

const QString kMarkerCampaigns = QStringLiteral("XX");
const QString kMarkerSpotRepair = QStringLiteral("YY");
const QString kMarkerSeparator = QStringLiteral("LeerZeile");

const QString kKindSrp = QStringLiteral("SRP");
const QString kKindGrp = QStringLiteral("GRP");
const QString kKindSip = QStringLiteral("SIP");
const QString kKindVlp = QStringLiteral("VLP");

bool CPackageRow::IsStandardOrigin(bool emptyCounts) const
{
    return IsStandardOriginText(origin, emptyCounts);
}

bool CPackageRow::IsStandardOriginText(const QString &origin, bool emptyCounts)
{
    return origin == QLatin1String("   ") || origin == QLatin1String("YAQ") ||
           (emptyCounts && origin.isEmpty());
}

bool CPackageRow::SelectsLine(const QString &line) const
{
    return !line.isEmpty() && selectionFrom <= line && line <= selectionTo;
}

int CPackageRow::OpenedVariant() const
{
    if (!spNumber.isEmpty())
        return 2;
    if (!vlNumber.isEmpty())
        return 3;
    return 0;
}
