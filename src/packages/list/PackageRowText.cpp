#include "packages/list/PackageRowText.h"

namespace {

QString JoinNonEmpty(const std::array<QString, 4> &lines)
{
    // The first line always, the others when they say something.
    QStringList parts{lines[0]};
    for (size_t i = 1; i < lines.size(); ++i) {
        if (!lines[i].isEmpty())
            parts << lines[i];
    }
    return parts.join(QLatin1Char('\n'));
}

} // namespace

CPackageRowText PackageRowText(const CPackageRow &row, bool inPath)
{
    CPackageRowText t;
    switch (row.level) {
    case kLevelTop:
        if (row.IsSeparator()) {
            t.keys << QString();
            t.title = QStringLiteral(" ");
        } else if (row.marker == kMarkerCampaigns || row.marker == kMarkerSpotRepair) {
            if (!inPath)
                t.keys << QStringLiteral("--");
            t.title = row.groupText;
        } else {
            t.keys << row.marker;
            t.title = row.groupText;
        }
        break;
    case kLevelGroup7:
        t.keys << row.marker.left(2);
        t.title = row.groupText;
        break;
    case kLevelGroup8:
        t.keys << row.number.left(2) << row.number.mid(2, 2);
        t.title = row.groupText;
        break;
    case kLevelPackage:
    case kLevelCampaignPackage:
    case kLevelMatrixRow: // a spot-repair work unit, by its number and texts
        t.numberParts << row.number.left(2) << row.number.mid(2, 2) << row.number.mid(4);
        t.textBlock = JoinNonEmpty(row.texts);
        t.bracketBlock = JoinNonEmpty(row.brackets);
        break;
    default:
        t.title = row.groupText;
        break;
    }
    return t;
}

std::vector<CRowBadgeText> PackageRowBadges(const CPackageRow &row)
{
    std::vector<CRowBadgeText> badges;
    if (row.level != kLevelPackage)
        return badges;
    if (row.campaignMark || row.isFastlane)
        badges.push_back({RowBadge::Fastlane, 1, QStringLiteral("FL"), false, false, false});
    if (!row.spNumber.isEmpty())
        badges.push_back({RowBadge::InclusiveSvc, 2, QStringLiteral("SP"), true, false, false});
    if (!row.vlNumber.isEmpty()) {
        // Beside an inclusive-service offer the value-line offer is shown
        // but cannot be chosen.
        const bool greyed = !row.spNumber.isEmpty();
        badges.push_back({RowBadge::ValueLine, 3, QStringLiteral("VL"), !greyed, greyed, false});
    }
    if (row.campaignPackages > 0)
        badges.push_back({RowBadge::Campaign, 4,
                          QStringLiteral("MK (%1)  ").arg(row.campaignPackages), true, false,
                          false});
    if (!row.grNumber.isEmpty())
        badges.push_back({RowBadge::Warranty, 5, QStringLiteral("GR"), true, false, false});
    if (row.partsClearing)
        badges.push_back({RowBadge::PartsClearing, 6, QStringLiteral("C"), false, false, true});
    return badges;
}
