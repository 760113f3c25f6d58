// Reading and writing the settings: the user profile, the version file of the
// data directory and the dealer file "YAQTrader.ini".

#include "settings/PrgSettings.h"

#include "platform/AppPaths.h"
#include "platform/OrmelText.h"
#include "platform/PrivateProfile.h"
#include "platform/Profile.h"
#include "platform/StringUtil.h"
#include "platform/WholeFile.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kYaq = QStringLiteral("YAQ");
const QString kSrp = QStringLiteral("SRP");
const QString kGlobalSetup = QStringLiteral("GLOBALSETUP");
const QString kVersionsInfo = QStringLiteral("VERSIONSINFO");
const QString kTraderFile = QStringLiteral("YAQTrader.ini");

// "The setting ... was not changed: <reason>", and its reasons.
constexpr int kTextSettingNotChanged = 7170;
constexpr int kTextNoValueYet = 7171;
constexpr int kTextNoWholeNumber = 7172;
constexpr int kTextStoredMinusOne = 7181;
constexpr int kTextStoredNoWholeNumber = 7182;

// Integer keys of section "YAQ", in the order they are read and written.
struct IntKey
{
    const char *key;
    int CPrgSettingsData::*field;
};
const IntKey kIntKeysBeforeTexts[] = {
    {"Sound", &CPrgSettingsData::Sound},
    {"Preview", &CPrgSettingsData::Preview},
    {"CitrixColor", &CPrgSettingsData::CitrixColor},
    {"CheckV115", &CPrgSettingsData::CheckV115},
    {"V115", &CPrgSettingsData::V115},
    {"CheckV117", &CPrgSettingsData::CheckV117},
    {"V117", &CPrgSettingsData::V117},
};

struct TextKey
{
    const char *key;
    QString CPrgSettingsData::*field;
};

struct RectKey
{
    const char *key;
    QRect CPrgSettingsData::*field;
};
const RectKey kRectKeys[] = {
    {"YAQ2DlgPosRect", &CPrgSettingsData::YAQ2DlgPosRect},
    {"SetupDMSDlgPosRect", &CPrgSettingsData::SetupDMSDlgPosRect},
    {"SetupDruckDlgPosRect", &CPrgSettingsData::SetupDruckDlgPosRect},
    {"SetupSRPDlgPosRect", &CPrgSettingsData::SetupSRPDlgPosRect},
};

const IntKey kIntKeysAfterRects[] = {
    {"bYAQ2DlgIsZoomed", &CPrgSettingsData::bYAQ2DlgIsZoomed},
    {"SRPInterfaceReq", &CPrgSettingsData::SRPInterfaceReq},
    {"SRPInterfaceSend", &CPrgSettingsData::SRPInterfaceSend},
    {"SRPInterfaceSendDateiFormat", &CPrgSettingsData::SRPInterfaceSendDateiFormat},
    {"SRPInterfaceSendDatei", &CPrgSettingsData::SRPInterfaceSendDatei},
    {"SRPInterfaceReceive", &CPrgSettingsData::SRPInterfaceReceive},
    {"XMLx", &CPrgSettingsData::XMLx},
    {"ReceiveXMLx", &CPrgSettingsData::ReceiveXMLx},
    {"Log", &CPrgSettingsData::Log},
    {"bMeldungWK", &CPrgSettingsData::bMeldungWK},
    {"bMeldungDefPak", &CPrgSettingsData::bMeldungDefPak},
    {"bMeldungCountryCode", &CPrgSettingsData::bMeldungCountryCode},
    {"bMeldungCustomerSP", &CPrgSettingsData::bMeldungCustomerSP},
};

const TextKey kTextKeysAfterRects[] = {
    {"ReqXMLServer", &CPrgSettingsData::ReqXMLServer},
    {"ReqXMLTerminalID", &CPrgSettingsData::ReqXMLTerminalID},
    {"ReqDateiVerz", &CPrgSettingsData::ReqDateiVerz},
    {"SendXMLServer", &CPrgSettingsData::SendXMLServer},
    {"SendXMLTerminalID", &CPrgSettingsData::SendXMLTerminalID},
    {"SendDateiVerz", &CPrgSettingsData::SendDateiVerz},
    {"ReceiveXMLPort", &CPrgSettingsData::ReceiveXMLPort},
    {"DownloadDir", &CPrgSettingsData::DownloadDir},
};

const TextKey kSrpKeys[] = {
    {"DealerDataStorage", &CPrgSettingsData::DealerDataStorage},
    {"DealerDataStorageORVA", &CPrgSettingsData::DealerDataStorageORVA},
    {"Tel", &CPrgSettingsData::Tel},
    {"Fax", &CPrgSettingsData::Fax},
    {"User", &CPrgSettingsData::User},
};

// Keys of the dealer file in file order. Texts carry the string-table id of
// their default (0: empty); integers are marked.
struct TraderKey
{
    const char *key;
    QString CPrgSettingsData::*text;
    int CPrgSettingsData::*number;
    int defaultTextId;
};
const TraderKey kTraderKeys[] = {
    {"MaxPreisNachlass", &CPrgSettingsData::MaxPreisNachlass, nullptr, 0},
    {"Laendercode", &CPrgSettingsData::Laendercode, nullptr, 0},
    {"Firma", &CPrgSettingsData::Firma, nullptr, 0},
    {"Strasse", &CPrgSettingsData::Strasse, nullptr, 0},
    {"City", &CPrgSettingsData::City, nullptr, 0},
    {"City2", &CPrgSettingsData::City2, nullptr, 0},
    {"Tel1", &CPrgSettingsData::Tel1, nullptr, 0},
    {"Fax", &CPrgSettingsData::TraderFax, nullptr, 0},
    {"FirmaT", &CPrgSettingsData::FirmaT, nullptr, 3170},
    {"StrasseT", &CPrgSettingsData::StrasseT, nullptr, 6027},
    {"CityT", &CPrgSettingsData::CityT, nullptr, 6028},
    {"City2T", &CPrgSettingsData::City2T, nullptr, 0},
    {"AGB", &CPrgSettingsData::AGB, nullptr, 6048},
    {"AGB2", &CPrgSettingsData::AGB2, nullptr, 6048},
    {"AngebotenAm", &CPrgSettingsData::AngebotenAm, nullptr, 6044},
    {"AngebotenDurch", &CPrgSettingsData::AngebotenDurch, nullptr, 6037},
    {"Brutto", &CPrgSettingsData::Brutto, nullptr, 6040},
    {"MwSt", &CPrgSettingsData::MwSt, nullptr, 6039},
    {"Netto", &CPrgSettingsData::Netto, nullptr, 6038},
    {"Nummer", &CPrgSettingsData::Nummer, nullptr, 6043},
    {"TitelAngebotDruck", &CPrgSettingsData::TitelAngebotDruck, nullptr, 6018},
    {"DirUserPriceEditing", nullptr, &CPrgSettingsData::DirUserPriceEditing, 0},
    {"CountrySpecPakets", nullptr, &CPrgSettingsData::CountrySpecPakets, 0},
    {"MarketingCampaigns", nullptr, &CPrgSettingsData::MarketingCampaigns, 0},
    {"MarketingCampaignsORVA", nullptr, &CPrgSettingsData::MarketingCampaignsORVA, 0},
    {"JobEdit", nullptr, &CPrgSettingsData::JobEdit, 0},
};

// The text keys that CheckKey may change.
const char *const kCheckKeyTexts[] = {
    "PrgSprache",         "CatalogueDisp", "Katalog",           "EReihe",        "DlgTitel",
    "ReqRPC2Server",      "ReqXMLServer",  "ReqXMLTerminalID",  "ReqDateiVerz",  "SendRPC2DMSID",
    "SendRPC2TerminalID", "SendXMLServer", "SendXMLTerminalID", "SendDateiVerz", "ReceiveXMLPort",
    "DealerDataStorage",
};

QString L1(const char *s)
{
    return QString::fromLatin1(s);
}

void replaceFirstEce(QString &text)
{
    const int pos = text.indexOf(QStringLiteral("ECE"));
    if (pos >= 0)
        text.replace(pos, 3, QStringLiteral("EUR"));
}

// Integers of the dealer file: decimal text, and 0 stored as an empty value.
QString traderIntText(int value)
{
    return value == 0 ? QString() : QString::number(value);
}

} // namespace

void CPrgSettings::ReadIni(CProfile *profile)
{
    if (!profile)
        return;

    const QString language =
        profile->GetProfileString(kYaq, QStringLiteral("PrgSprache"), GetSprachKey());
    SetPrgSprache(language);
    const bool known = FindSprache(language) != 0;

    if (profile->GetProfileInt(kYaq, QStringLiteral("bUSAEnglish"), 0) == 1) {
        SetPrgSprache(QStringLiteral("07"));
        profile->WriteProfileInt(kYaq, QStringLiteral("bUSAEnglish"), 0);
    }
    bIndonesisch = profile->GetProfileInt(kYaq, QStringLiteral("bIndonesisch"), bIndonesisch);
    if (!known) {
        SetPrgSprache(QStringLiteral("01"));
        bIndonesisch = 0;
    }
    if (GetPrgSprache() == QLatin1String("15")) {
        SetPrgSprache(QStringLiteral("01"));
        bIndonesisch = 1;
    }

    for (const IntKey &k : kIntKeysBeforeTexts)
        this->*k.field = profile->GetProfileInt(kYaq, L1(k.key), this->*k.field);
    CatalogueDisp = profile->GetProfileString(kYaq, QStringLiteral("CatalogueDisp"), CatalogueDisp);
    replaceFirstEce(CatalogueDisp);
    AutomaticReq = profile->GetProfileInt(kYaq, QStringLiteral("AutomaticReq"), AutomaticReq);
    Bestellnr = profile->GetProfileString(kYaq, QStringLiteral("Bestellnr"), Bestellnr);
    Land = profile->GetProfileString(kYaq, QStringLiteral("Land"), Land);
    EReihe = profile->GetProfileString(kYaq, QStringLiteral("EReihe"), EReihe);
    Marke = profile->GetProfileString(kYaq, QStringLiteral("Marke"), Marke);
    DlgTitel = profile->GetProfileString(kYaq, QStringLiteral("DlgTitel"), DlgTitel);
    replaceFirstEce(DlgTitel);
    bAltKatalog = profile->GetProfileInt(kYaq, QStringLiteral("bAltKatalog"), bAltKatalog);
    iMaxSearch = profile->GetProfileInt(kYaq, QStringLiteral("iMaxSearch"), iMaxSearch);
    bBfndAnzeigeUS = profile->GetProfileInt(kYaq, QStringLiteral("bBfndAnzeigeUS"), bBfndAnzeigeUS);

    for (const RectKey &k : kRectKeys) {
        QRect rect = profile->GetProfileRect(kYaq, L1(k.key), this->*k.field);
        ValidateWndRect(&rect);
        this->*k.field = rect;
    }
    for (const IntKey &k : kIntKeysAfterRects)
        this->*k.field = profile->GetProfileInt(kYaq, L1(k.key), this->*k.field);
    for (const TextKey &k : kTextKeysAfterRects)
        this->*k.field = profile->GetProfileString(kYaq, L1(k.key), this->*k.field);

    ReceiveXMLAddress =
        profile->GetProfileString(kYaq, QStringLiteral("ReceiveXMLAddress"), ReceiveXMLAddress)
            .trimmed();
    for (const TextKey &k : kSrpKeys)
        this->*k.field = profile->GetProfileString(kSrp, L1(k.key), this->*k.field);

    LocalFolder = JoinPath(LocalAppDataFolder(), QStringLiteral("YAQ2"));
    QDir().mkpath(LocalFolder);
}

bool CPrgSettings::WriteIni(CProfile *profile, QString *failure)
{
    if (!profile)
        return false;
    profile->WriteProfileString(kYaq, QStringLiteral("PrgSprache"), GetPrgSprache());
    profile->WriteProfileInt(kYaq, QStringLiteral("bIndonesisch"), bIndonesisch);
    for (const IntKey &k : kIntKeysBeforeTexts)
        profile->WriteProfileInt(kYaq, L1(k.key), this->*k.field);
    profile->WriteProfileString(kYaq, QStringLiteral("CatalogueDisp"), CatalogueDisp);
    profile->WriteProfileInt(kYaq, QStringLiteral("AutomaticReq"), AutomaticReq);
    profile->WriteProfileString(kYaq, QStringLiteral("Bestellnr"), Bestellnr);
    profile->WriteProfileString(kYaq, QStringLiteral("Land"), Land);
    while (EReihe.endsWith(QLatin1Char(' ')))
        EReihe.chop(1);
    profile->WriteProfileString(kYaq, QStringLiteral("EReihe"), EReihe);
    profile->WriteProfileString(kYaq, QStringLiteral("Marke"), Marke);
    profile->WriteProfileString(kYaq, QStringLiteral("DlgTitel"), DlgTitel);
    profile->WriteProfileInt(kYaq, QStringLiteral("bAltKatalog"), bAltKatalog);
    profile->WriteProfileInt(kYaq, QStringLiteral("iMaxSearch"), iMaxSearch);
    profile->WriteProfileInt(kYaq, QStringLiteral("bBfndAnzeigeUS"), bBfndAnzeigeUS);
    for (const RectKey &k : kRectKeys)
        profile->WriteProfileRect(kYaq, L1(k.key), this->*k.field);
    for (const IntKey &k : kIntKeysAfterRects)
        profile->WriteProfileInt(kYaq, L1(k.key), this->*k.field);
    for (const TextKey &k : kTextKeysAfterRects)
        profile->WriteProfileString(kYaq, L1(k.key), this->*k.field);
    for (const TextKey &k : kSrpKeys)
        profile->WriteProfileString(kSrp, L1(k.key), this->*k.field);
    return profile->Sync(failure);
}

int CPrgSettings::CheckKey(CProfile *profile, const QString &key, const QString &value,
                           QString *failure)
{
    if (failure)
        failure->clear();
    if (!profile)
        return 0;
    // The setting and why it stays as it is.
    const auto refuse = [&key, failure](const QString &reason) {
        if (failure)
            *failure =
                OrmelTextArgs(kTextSettingNotChanged, {key, reason}, QStringLiteral("%s:\n%s"));
        return 0;
    };
    const auto write = [&](bool written) {
        QString notWritten;
        if (written && profile->Sync(&notWritten))
            return 1;
        return refuse(notWritten);
    };
    for (const char *textKey : kCheckKeyTexts) {
        if (key != QLatin1String(textKey))
            continue;
        const QString section = key == QLatin1String("DealerDataStorage") ? kSrp : kYaq;
        if (profile->GetProfileString(section, key, QString()).isEmpty())
            return refuse(OrmelText(kTextNoValueYet));
        return write(profile->WriteProfileString(section, key, value));
    }
    // Every other key is an integer of section "YAQ" that must exist already:
    // the stored integer is read with -1 for "none", so a stored -1, or a
    // stored text that is no number, stays as it is too.
    if (profile->GetProfileInt(kYaq, key, -1) == -1) {
        if (!profile->HasValue(kYaq, key))
            return refuse(OrmelText(kTextNoValueYet));
        const QString stored = profile->GetProfileString(kYaq, key);
        bool storedNumeric = false;
        stored.trimmed().toInt(&storedNumeric);
        if (storedNumeric)
            return refuse(OrmelText(kTextStoredMinusOne));
        return refuse(OrmelTextArgs(kTextStoredNoWholeNumber, {stored}, QStringLiteral("\"%s\"")));
    }
    bool numeric = false;
    const int number = value.trimmed().toInt(&numeric);
    if (!numeric)
        return refuse(OrmelTextArgs(kTextNoWholeNumber, {value}, QStringLiteral("\"%s\"")));
    return write(profile->WriteProfileInt(kYaq, key, number));
}

QString CPrgSettings::VersionIniPath() const
{
    const QString version = JoinPath(DataDir, QStringLiteral("Version.ini"));
    if (QFileInfo::exists(version))
        return version;
    return JoinPath(DataDir, QStringLiteral("YAQ2.ini"));
}

int CPrgSettings::ReadVersionIni(QString *unreadableFile, QString *reason)
{
    const QString path = VersionIniPath();
    if (unreadableFile)
        unreadableFile->clear();
    if (reason)
        reason->clear();
    Ausgabedatum.clear();
    Schulung.clear();
    SchulungEZ.clear();
    bSchulung = 0;

    CPrivateProfile file;
    QString error;
    if (!file.Load(path, &error)) {
        if (!error.isEmpty()) {
            if (unreadableFile)
                *unreadableFile = path;
            if (reason)
                *reason = error;
        }
        return 0;
    }
    Ausgabedatum = file.GetString(kVersionsInfo, QStringLiteral("Ausgabedatum"));
    bool found = false;
    Schulung = file.GetString(kVersionsInfo, QStringLiteral("Schulung"), QString(), &found);
    if (found && Schulung == QLatin1String("1")) {
        bSchulung = 1;
        SchulungEZ = file.GetString(kVersionsInfo, QStringLiteral("EZ"));
    }
    return 1;
}

QString CPrgSettings::TraderIniPath(const QString &folder) const
{
    return JoinPath(folder, kTraderFile);
}

int CPrgSettings::ReadTraderIni()
{
    if (DealerDataStorage.isEmpty())
        return 0;
    CPrivateProfile file;
    const bool exists = file.Load(TraderIniPath(DealerDataStorage));
    for (const TraderKey &k : kTraderKeys) {
        bool found = false;
        const QString value = file.GetString(kGlobalSetup, L1(k.key), QString(), &found);
        if (k.number) {
            // An empty value is how 0 is stored.
            this->*k.number = found ? LeadingInt(value) : 0;
        } else {
            this->*k.text =
                found ? value : (k.defaultTextId ? OrmelText(k.defaultTextId) : QString());
        }
    }
    return exists ? 1 : 0;
}

int CPrgSettings::WriteTraderIni(const QString &folder, QString *failure)
{
    if (failure)
        failure->clear();
    if (folder.isEmpty())
        return 0;
    const QString path = TraderIniPath(folder);
    // Start from the file as it is, so lines the program does not know stay;
    // the new file replaces the old one only once it is complete. A key that
    // already reads as the setting is left as it stands, in the file's own
    // spelling and encoding (the profile file does so for texts; numbers
    // read the same from "0", "00" and an empty value).
    CPrivateProfile file;
    QString error;
    // A file that is there but cannot be read is not replaced by one made of
    // defaults.
    if (!file.Load(path, &error) && !error.isEmpty()) {
        if (failure)
            *failure = FileNotWrittenText(path, error);
        return 0;
    }
    for (const TraderKey &k : kTraderKeys) {
        if (k.number) {
            bool found = false;
            const QString stored = file.GetString(kGlobalSetup, L1(k.key), QString(), &found);
            if (!found || LeadingInt(stored) != this->*k.number)
                file.SetString(kGlobalSetup, L1(k.key), traderIntText(this->*k.number));
        } else {
            file.SetString(kGlobalSetup, L1(k.key), this->*k.text);
        }
    }
    if (file.Save(path, &error))
        return 1;
    if (failure)
        *failure = FileNotWrittenText(path, error);
    return 0;
}
