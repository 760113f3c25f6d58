#pragma once
// Whether the dealer offers spot repair: its five spot-repair data files
// and the folder "Spotrepair" in the dealer data folder.

#include <QString>

class CPrgSettings;

// The spot-repair package, offered for the vehicles with spot repair.
extern const QString kSpotRepairPaketNr; // "9999010"
// The first model series with spot repair (model series compare as text).
extern const QString kFirstSpotRepairEReihe;

// The dealer data folder: DealerDataStorageORVA when the dealer takes part
// in the ORVA campaigns (MarketingCampaignsORVA), else DealerDataStorage.
QString SpotRepairFolder(const CPrgSettings &settings);

// 1 when the spot-repair data set is complete: every file opens and holds
// at least one entry and the folder "Spotrepair" exists; the settings'
// bSpotRepair is set to the answer. An empty dealer folder gives 0 and
// leaves bSpotRepair as it is.
int OpenSpotRepairData(CPrgSettings *settings);
