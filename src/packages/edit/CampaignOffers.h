#pragma once
// The campaign side of the package editing page without its widgets: the
// entries of the campaign combo (the campaigns offered for the package),
// their texts and information lines, the four lines a chosen campaign
// package begins with, the lines a campaign package fixes, and what a
// package handed back by the basket is.

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class CPaket;
class CPosition;

using CCampaignEntries = std::vector<std::unique_ptr<CPosition>>;

// The entries of the campaign combo: one copy per campaign offered (the
// sub-positions of the head), each offering the head's campaigns again one
// level deep, so that a package made from an entry offers the same
// campaigns and nothing grows when the combo is filled again.
CCampaignEntries CampaignEntries(const CPosition &head);
// The combo text of an entry: the package price definition without its
// leading zeros with the currency ("L") or " %" ("R"), then the campaign
// name.
QString CampaignEntryText(const CPosition &entry);
// The entry of the package's campaign package, found by the campaign's
// identity (campaign number, campaign package number, subscription field,
// package reference); else the first entry; -1 without entries.
int FindCampaignEntry(const CCampaignEntries &entries, const CPosition *campaignPackageLine);
// The campaign information lines of an entry: its price type, its period
// (local dates), its name.
QStringList CampaignInfoLines(const CPosition &entry);
// The period of a campaign line: begin and end as local dates, joined by
// " - ".
QString CampaignPeriodText(const CPosition &line);
// Whether two campaign lines stand for the same campaign package.
bool SameCampaignPackage(const CPosition &a, const CPosition &b);

// The four lines a campaign package begins with, made from a campaign
// package (a campaign row of the package list, or a combo entry): the list
// line (type 1, "XX", text "Kampagnen"), the campaign line (type 2), the
// campaign-package line (type 4) and the head (type 9, numbered by the
// package reference).
struct CCampaignPackageLines
{
    std::unique_ptr<CPosition> listLine, campaignLine, packageLine, head;
};
CCampaignPackageLines CampaignPackageLines(const CPosition &campaignLine,
                                           const CPosition &campaignPackage);

// A package handed back by the basket for editing.
enum class BasketPackageKind
{
    Refused,       // without list line or head: nothing to edit
    ServiceRepair, // kinds switch as on the package list
    Campaign,      // list line "XX", head, campaign and campaign-package lines
};
BasketPackageKind KindOfBasketPackage(const CPaket &paket);
