#include "setup/PrintDefaults.h"

#include "settings/PrgSettings.h"

#include <QStringList>

namespace {

const CPrintDefaultField kFields[] = {
    {"FirmaT", &CPrgSettingsData::FirmaT, false},
    {"Firma", &CPrgSettingsData::Firma, false},
    {"StrasseT", &CPrgSettingsData::StrasseT, false},
    {"Strasse", &CPrgSettingsData::Strasse, false},
    {"CityT", &CPrgSettingsData::CityT, false},
    {"City", &CPrgSettingsData::City, false},
    {"City2T", &CPrgSettingsData::City2T, false},
    {"City2", &CPrgSettingsData::City2, false},
    {"Tel1", &CPrgSettingsData::Tel1, false},
    {"Fax", &CPrgSettingsData::TraderFax, false},
    {"AngebotenDurch", &CPrgSettingsData::AngebotenDurch, false},
    {"TitelAngebotDruck", &CPrgSettingsData::TitelAngebotDruck, false},
    {"Nummer", &CPrgSettingsData::Nummer, false},
    {"Netto", &CPrgSettingsData::Netto, false},
    {"MwSt", &CPrgSettingsData::MwSt, false},
    {"Brutto", &CPrgSettingsData::Brutto, false},
    {"AGB", &CPrgSettingsData::AGB, true},
    {"AGB2", &CPrgSettingsData::AGB2, true},
};

} // namespace

const CPrintDefaultField *PrintDefaultFields(int *count)
{
    if (count)
        *count = int(sizeof(kFields) / sizeof(kFields[0]));
    return kFields;
}

bool StorePrintDefaults(CPrgSettings &settings, const QStringList &editedTexts, QString *failure)
{
    int count = 0;
    const CPrintDefaultField *fields = PrintDefaultFields(&count);
    QStringList former;
    for (int i = 0; i < count; ++i) {
        former << settings.*fields[i].field;
        settings.*fields[i].field = editedTexts.value(i);
    }
    if (settings.WriteTraderIni(settings.DealerDataStorage, failure))
        return true;
    for (int i = 0; i < count; ++i)
        settings.*fields[i].field = former.at(i);
    return false;
}
