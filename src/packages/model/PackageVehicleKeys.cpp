#include "packages/model/PackageVehicleKeys.h"

#include "settings/PrgSettings.h"

void CPackageVehicleKeys::TakeKeysFrom(const CPrgSettings &settings)
{
    catalogueKey = settings.KatalogKey;
    typeKey = settings.TypSchl;
    typeNumber = settings.Bestellnr;
    modelSeries = settings.EReihe.trimmed();
    countryCode = settings.Laendercode;
    countrySpecific = settings.CountrySpecPakets != 0;
}
