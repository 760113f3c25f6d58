#include "packages/list/PackageRow.h"

#include "packages/model/Position.h"
#include "platform/db/PackageOrigin.h"

const QString kMarkerCampaigns = QStringLiteral("XX");
const QString kMarkerSpotRepair = QStringLiteral("YY");
const QString kMarkerSeparator = QStringLiteral("LeerZeile");

const QString kKindSrp = QStringLiteral("SRP");
const QString kKindGrp = QStringLiteral("GRP");
const QString kKindSip = QStringLiteral("SIP");
const QString kKindVlp = QStringLiteral("VLP");

bool CPackageRow::IsStandardOrigin(bool emptyCounts) const
{
    return IsStandardPackageOrigin(origin, emptyCounts);
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

void TakeRowTexts(CPosition &line, const CPackageRow &row)
{
    line.AwText1 = row.texts[0];
    line.AwText2 = row.texts[1];
    line.AwText3 = row.texts[2];
    line.AwText4 = row.texts[3];
    line.KlammerText1 = row.brackets[0];
    line.KlammerText2 = row.brackets[1];
    line.KlammerText3 = row.brackets[2];
    line.KlammerText4 = row.brackets[3];
}
