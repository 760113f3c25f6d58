#include "common/readers/SpotRepair.h"

#include "platform/AppPaths.h"
#include "platform/ccd/CSpotrCombRec.h"
#include "platform/ccd/CSpotrDmgClassTxtRec.h"
#include "platform/ccd/CSpotrMatrixRec.h"
#include "platform/ccd/CSpotrPntClassTxtRec.h"
#include "platform/ccd/CSpotrRec.h"
#include "settings/PrgSettings.h"

#include <QDir>

const QString kSpotRepairPaketNr = QStringLiteral("9999010");
const QString kFirstSpotRepairEReihe = QStringLiteral("C30");

QString SpotRepairFolder(const CPrgSettings &settings)
{
    return settings.MarketingCampaignsORVA ? settings.DealerDataStorageORVA
                                           : settings.DealerDataStorage;
}

int OpenSpotRepairData(CPrgSettings *settings)
{
    if (!settings)
        return 0;
    const QString folder = SpotRepairFolder(*settings);
    if (folder.isEmpty())
        return 0;
    CSpotrCombRec comb;
    CSpotrDmgClassTxtRec damageNames;
    CSpotrMatrixRec matrix;
    CSpotrPntClassTxtRec paintNames;
    CSpotrRec spotr;
    // Opened in this order; the first that fails ends the check.
    const bool open = comb.Open(folder) && damageNames.Open(folder) && matrix.Open(folder) &&
                      paintNames.Open(folder) && spotr.Open(folder) &&
                      QDir(JoinPath(folder, QStringLiteral("Spotrepair"))).exists();
    const bool complete = open && comb.GetFileEntries() > 0 && damageNames.GetFileEntries() > 0 &&
                          matrix.GetFileEntries() > 0 && paintNames.GetFileEntries() > 0 &&
                          spotr.GetFileEntries() > 0;
    settings->bSpotRepair = complete ? 1 : 0;
    return settings->bSpotRepair;
}
