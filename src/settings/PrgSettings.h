#pragma once
// The one settings and session object of the program. The application object
// owns it; every dialog and page gets a pointer to it and reads and writes the
// fields directly.
//
// It holds the user settings of the profile (sections "YAQ" and "SRP"), the
// dealer data of "YAQTrader.ini" (section "GLOBALSETUP"), the version data of
// "Version.ini" (section "VERSIONSINFO"), and the run-time context all pages
// share: caller mode, session, the identified vehicle, the catalogue position,
// the contract list, paths and the DMS message header.
//
// Field names follow the profile and dealer-file keys where a key exists.

#include "settings/HLXVertragInfo.h"

#include <QColor>
#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>

class CProfile;

// One entry of the program-language list.
struct CSprachEintrag
{
    int nStringId = 0; // string-table id of the language's name
    QString strCode;   // two-digit language code
    int nBitmapId = 0; // the language's picture in language lists
};

// Default vehicle of a fresh installation (a model series and type number of
// the maker's catalogue).
extern const QString kDefaultEReihe;    // "V30"
extern const QString kDefaultBestellnr; // "VQ30110"

// All fields with their defaults. Kept apart from the operations so that the
// copy rule of CPrgSettings can copy them in one go.
struct CPrgSettingsData
{
    // Run-time flags.
    int bQvl = 0;           // caller mode "qvl"
    int bQvlEdit = 0;       // caller mode "qvledit"
    int bQvlAPosSearch = 0; // caller mode "qvlapossearch"
    int bQvlAPosQuery = 0;  // caller mode "qvlaposquery"
    int bQvlSettings = 0;   // caller mode "qvlsettings"
    int bQvlAwToSrp = 0;    // caller mode "qvlawtosrp"
    int bLocalDataSet = 0;  // the data directory holds "YAQ2.dat"
    int bSession = 0;       // started with a session file
    int bDmsExchangeDone = 0;
    // A package page transferred its package directly: from then on the
    // basket no longer says that an entry was stored (notice 4021).
    int bDirectTransfer = 0;
    int nRestrictedSession = 0; // 1 while the session is restricted to the external service
    QString LocalDataSetDir;    // data directory when it holds "YAQ2.dat"
    int nScopeDlgMode = 0;
    int bSpotRepair = 0; // the dealer's spot-repair data set is complete (OpenSpotRepairData)

    // User settings of the profile.
    int Sound = 1;
    int Preview = 1;
    int CitrixColor = 0;
    int CheckV115 = 0;
    int V115 = 0;
    int CheckV117 = 0;
    int V117 = 0;
    int AutomaticReq = 0;
    int bTransferNoticeShown = 0;
    int nBasketPrintForm = 0; // 0 standard form, 1 information sheet
    QString CatalogueDisp = QStringLiteral("EUR + USA");

    // Vehicle and catalogue context.
    QString DataDir = QStringLiteral("./Datas");
    QString Fgstnr;     // VIN as given; the last seven characters after identification
    QString FgstnrFull; // the 17-character VIN
    QString TypSchl;    // four-character type key
    QString ZusatzCode; // additional code of the identification
    QString LeadTyp;    // lead type; key of the model-name mapping
    QString Bestellnr = kDefaultBestellnr;
    QString ModellBez = QStringLiteral(". . . . . . .");
    QString EReihe = kDefaultEReihe + QLatin1Char(' ');
    QString Marke = QStringLiteral("VQ");
    QString Land;
    QString Erstzulassung; // DD.MM.YYYY
    QString DlgTitel = QStringLiteral("AW  ") + kDefaultEReihe + QStringLiteral("  USA");
    QString PrgTitel = QStringLiteral("Y A Q 2");
    QString AktApNr;
    QString HGText;
    QString KatZeile;
    QString GruppeBfndNr;
    // The labour position and its catalogue line the catalogue hands to the
    // package list ("Pakete"); the list takes them on its next showing.
    QString SRPWlApNr;
    QString SRPWlKatZeile;
    int iMaxSearch = 150; // 0 means no limit
    int bAltKatalog = 0;
    int bBfndAnzeigeUS = 1;
    QString KatDatum = QStringLiteral("XX/XX/XXXX");

    // Version data.
    QString Ausgabedatum;
    QString Schulung;
    QString SchulungEZ;
    int bSchulung = 0; // training edition

    // Further context.
    int nVertrag = 0; // contract flag of the vehicle
    // Set: the contract check of the identified vehicle failed (a lost
    // catalogue), so nVertrag says nothing yet; it is checked again where
    // the flag is used (HLXContractFlag).
    int bVertragUngeprueft = 0;
    // Set: the findings rows get no contract text (their contract check is
    // left out).
    int bKeinVertragText = 0;
    int bKatalogansicht = 1; // the profile holds "Katalogansicht"
    QString VertragText1;
    QString VertragText2;
    QString Heute;        // DD.MM.YYYY
    int nKatalogFlag = 0; // 0 when the catalogue key is "1", else 1
    QString KatalogKey = QStringLiteral("1");

    // Window placement.
    QRect YAQ2DlgPosRect;
    QRect SetupDMSDlgPosRect;
    QRect SetupDruckDlgPosRect;
    QRect SetupSRPDlgPosRect;
    int bYAQ2DlgIsZoomed = 0;
    int bMeldungWK = 1;
    int bMeldungDefPak = 1;
    int bMeldungCountryCode = 1;
    int bMeldungCustomerSP = 1;

    // Lists and language.
    // The vehicle's contracts in force (ReadHLXContractStatus), read for
    // the mileage HLXListKey1 and the full VIN HLXListKey2.
    QList<CHLXVertragInfo> HLXVertragList;
    QString HLXListKey1;
    QString HLXListKey2;
    int bIndonesisch = 0;
    QList<CSprachEintrag> SprachListe;
    QString StartPage; // "AW", "BF", "SRP", "RR", "HLX", "SM"
    QString Kilometer; // mileage
    QString PaketNr;   // package number of mode "qvledit"
    QString KatWorkText;
    int bNrAbfrage = 0; // set when the number search page is shown

    // DMS interface.
    int SRPInterfaceReq = 0;             // 0 none, 3 text file, 4 XML
    int SRPInterfaceSend = 3;            // 3 file, 4 XML
    int SRPInterfaceSendDateiFormat = 6; // 6 text, 7 system format, 8 system format Italy
    int SRPInterfaceSendDatei = 5;       // 5 clipboard, 3 directory
    int SRPInterfaceReceive = 0;         // 0 off, 4 listener
    QString ReqXMLServer;
    QString ReqXMLTerminalID;
    QString ReqDateiVerz = QStringLiteral("/tmp"); // the system temp folder
    QString SendXMLServer;
    QString SendXMLTerminalID;
    QString SendDateiVerz = QStringLiteral("/tmp");
    QString ReceiveXMLPort = QStringLiteral("2021");
    // The address of this computer the listener takes requests on (group
    // "YAQ", key "ReceiveXMLAddress"); empty: every address. Set by hand
    // only, so it is read but never written back.
    QString ReceiveXMLAddress;
    int nDmsWork = 0;
    QString DownloadDir;
    QString CountryCode;
    QStringList DealerList;

    // Dealer data.
    QString DealerDataStorage;
    QString DealerDataStorageORVA;
    QString Tel;
    QString Fax;
    QString User;
    QString MaxPreisNachlass;
    QString Laendercode;
    QString FirmaT;
    QString Firma;
    QString StrasseT;
    QString Strasse;
    QString CityT;
    QString City;
    QString City2T;
    QString City2;
    QString Tel1;
    QString TraderFax; // key "Fax" of the dealer file
    QString AGB;
    QString AGB2;
    QString AngebotenAm;
    QString AngebotenDurch;
    QString Brutto;
    QString MwSt;
    QString Netto;
    QString Nummer;
    QString TitelAngebotDruck;
    int DirUserPriceEditing = 0;
    int CountrySpecPakets = 0;
    int MarketingCampaigns = 0;
    int MarketingCampaignsORVA = 0;
    int JobEdit = 0;

    // Further DMS flags.
    int XMLx = 0;
    int ReceiveXMLx = 0;
    int bCustomerSpecificPrice = 0;
    int Log = 0;

    // Output and DMS header.
    QString LocalFolder; // local application-data folder + "/YAQ2"
    QStringList PrintTexts =
        QStringList(12, QString()); // customer and print texts of the basket print
    QString NamespaceAttributes;
    QString SchemaVersion;
};

class CPrgSettings : public CPrgSettingsData
{
public:
    CPrgSettings();
    CPrgSettings(const CPrgSettings &other);
    // Copies every field except the full VIN, the contract list and its keys,
    // the dealer list, the letterhead labels, the second city line, and the
    // local folder, print texts and DMS header.
    CPrgSettings &operator=(const CPrgSettings &other);
    ~CPrgSettings() = default;

    // 1 when the language list has an entry with exactly this code.
    int FindSprache(const QString &code) const;
    // White with the plain background, else light blue.
    QColor GetBkColor() const;
    // The vehicle's production date (YYYYMMDD). The identification brings
    // none of its own: the first registration stands for it, as it does for
    // the packages and parts valid for the vehicle. Empty without a first
    // registration.
    QString ProductionDate() const;
    // Rebuilds the program title and the catalogue caption in the program language.
    void GetTitle();
    // Closes the program's main window (as its OK button would); nothing
    // happens when there is none.
    void CloseMainWnd();

    // Profile, version file and dealer file.
    void ReadIni(CProfile *profile);
    // False when the profile could not be written: it stays as it was and
    // *failure names the file and the reason.
    bool WriteIni(CProfile *profile, QString *failure = nullptr);
    // Writes the one setting the caller names, only when the profile holds
    // a value of it already (a text: not empty; a number: a number, and the
    // value one too). 0 when it was not written: *failure says which
    // setting and why.
    int CheckKey(CProfile *profile, const QString &key, const QString &value,
                 QString *failure = nullptr);
    // 1 when the version file was read; 0 when there is none, or when it
    // exists but cannot be read: then its path and the reason go to
    // *unreadableFile and *reason (both left empty when there is none).
    int ReadVersionIni(QString *unreadableFile = nullptr, QString *reason = nullptr);
    int ReadTraderIni();
    // Writes the dealer file of the folder; 0 when it could not be written
    // whole (the file then stays as it was), with the adviser's message
    // naming the file and the reason in *failure.
    int WriteTraderIni(const QString &folder, QString *failure = nullptr);

    // Paths of the files.
    QString VersionIniPath() const;
    QString TraderIniPath(const QString &folder) const;
};
