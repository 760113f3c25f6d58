// The settings object and its three stores: the user profile, the version
// file and the dealer file.

#include "platform/OrmelText.h"
#include "platform/PrivateProfile.h"
#include "platform/Profile.h"
#include "settings/PrgSettings.h"
#include "support/TestEnv.h"

#include <QtTest>

class TestSettings : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void languageList();
    void copyKeepsItsOwnFields();
    void title_data();
    void title();
    void readIniLanguage_data();
    void readIniLanguage();
    void readIniReplacesFirstEce();
    void profileRoundTrip();
    void handWrittenValuesReadAsWrittenAndStay_data();
    void handWrittenValuesReadAsWrittenAndStay();
    void missingKeysTakeTheirDefaults_data();
    void missingKeysTakeTheirDefaults();
    void checkKey_data();
    void checkKey();
    void checkKeyTellsWhyNothingWasWritten_data();
    void checkKeyTellsWhyNothingWasWritten();
    void versionFile_data();
    void versionFile();
    void traderFileDefaultsAndReadBack();
    void traderFileRewriteKeepsOtherLinesAndLongTerms();
    void traderFileWriteFailsWithoutFolder();
    void traderFileOfOldCodePageKeepsWhatWasNotChanged();
    void unreadableTraderFileIsNotReplaced();

private:
    std::unique_ptr<TestEnv> m_env;
};

void TestSettings::init()
{
    m_env = std::make_unique<TestEnv>();
    InitOrmelText(QStringLiteral(YAQ_DEMO_DATAS_DIR "/Zirava/PrgTxt"));
    SetPrgSprache(QStringLiteral("00"));
}

void TestSettings::languageList()
{
    CPrgSettings s;
    QCOMPARE(s.SprachListe.size(), 28);
    QCOMPARE(s.SprachListe.first().strCode, QStringLiteral("00"));
    QCOMPARE(s.SprachListe.last().strCode, QStringLiteral("15"));
    QCOMPARE(s.FindSprache(QStringLiteral("15")), 1);
    QCOMPARE(s.FindSprache(QStringLiteral("99")), 0);
    QCOMPARE(s.FindSprache(QString()), 0);
}

void TestSettings::copyKeepsItsOwnFields()
{
    CPrgSettings original;
    original.Fgstnr = QStringLiteral("E000001");
    original.FgstnrFull = QStringLiteral("XVQ1F23A57M012345");
    original.FirmaT = QStringLiteral("Firma");
    original.City2 = QStringLiteral("Zweite Zeile");
    original.LocalFolder = QStringLiteral("/tmp/x");
    original.PrintTexts[3] = QStringLiteral("Kunde");
    original.DealerList = QStringList{QStringLiteral("D1")};
    original.SprachListe[0].nBitmapId = 999;

    CPrgSettings copy(original);
    QCOMPARE(copy.Fgstnr, QStringLiteral("E000001"));
    QCOMPARE(copy.FgstnrFull, QString());
    QCOMPARE(copy.FirmaT, QString());
    QCOMPARE(copy.City2, QString());
    QCOMPARE(copy.LocalFolder, QString());
    QCOMPARE(copy.PrintTexts.size(), 12);
    QCOMPARE(copy.PrintTexts[3], QString());
    QVERIFY(copy.DealerList.isEmpty());
    QCOMPARE(copy.SprachListe.size(), 28);
    QCOMPARE(copy.SprachListe[0].nBitmapId, 999);

    // The copy's entries are its own.
    copy.SprachListe[0].nBitmapId = 1;
    QCOMPARE(original.SprachListe[0].nBitmapId, 999);

    // Assignment leaves the target's excluded fields alone.
    CPrgSettings target;
    target.FgstnrFull = QStringLiteral("KEEP");
    target = original;
    QCOMPARE(target.FgstnrFull, QStringLiteral("KEEP"));
    QCOMPARE(target.Fgstnr, QStringLiteral("E000001"));
}

void TestSettings::title_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("series");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("expected");
    // clang-format off
    QTest::newRow("default caption in German")  << "00" << "V30 " << "AW  V30  USA" << "AW  V30  USA";
    QTest::newRow("default caption in English") << "01" << "V30 " << "AW  V30  USA" << "LV  V30  USA";
    QTest::newRow("series not in caption")      << "01" << "V40"  << "AW  V30  USA" << "LV  V30  USA";
    QTest::newRow("empty series")               << "00" << ""     << "AW  V30  USA" << "AW  V30  USA";
    QTest::newRow("empty series, English")      << "01" << ""     << "AW  V30  USA" << "LV  V30  USA";
    // clang-format on
}

void TestSettings::title()
{
    QFETCH(QString, language);
    QFETCH(QString, series);
    QFETCH(QString, caption);
    SetPrgSprache(language);
    CPrgSettings s;
    s.EReihe = series;
    s.DlgTitel = caption;
    s.GetTitle();
    QTEST(s.DlgTitel, "expected");
    QCOMPARE(s.PrgTitel, QStringLiteral("Y A Q 2 "));
    // Rebuilding again changes nothing.
    s.GetTitle();
    QTEST(s.DlgTitel, "expected");
}

void TestSettings::readIniLanguage_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("usaEnglish");
    QTest::addColumn<int>("indonesian");
    QTest::addColumn<QString>("language");
    QTest::addColumn<int>("indonesianAfter");
    QTest::newRow("German") << "00" << 0 << 0 << "00" << 0;
    QTest::newRow("unknown code") << "99" << 0 << 1 << "01" << 0;
    QTest::newRow("Indonesian runs in English") << "15" << 0 << 0 << "01" << 1;
    QTest::newRow("USA English switch") << "00" << 1 << 0 << "07" << 0;
    QTest::newRow("English keeps Indonesian flag") << "01" << 0 << 1 << "01" << 1;
}

void TestSettings::readIniLanguage()
{
    QFETCH(QString, stored);
    QFETCH(int, usaEnglish);
    QFETCH(int, indonesian);
    {
        CProfile profile(QStringLiteral("yaq2"));
        profile.WriteProfileString(QStringLiteral("YAQ"), QStringLiteral("PrgSprache"), stored);
        profile.WriteProfileInt(QStringLiteral("YAQ"), QStringLiteral("bUSAEnglish"), usaEnglish);
        profile.WriteProfileInt(QStringLiteral("YAQ"), QStringLiteral("bIndonesisch"), indonesian);
    }
    CProfile profile(QStringLiteral("yaq2"));
    CPrgSettings s;
    s.ReadIni(&profile);
    QTEST(GetPrgSprache(), "language");
    QTEST(s.bIndonesisch, "indonesianAfter");
    QCOMPARE(profile.GetProfileInt(QStringLiteral("YAQ"), QStringLiteral("bUSAEnglish"), -1), 0);
}

void TestSettings::readIniReplacesFirstEce()
{
    CProfile profile(QStringLiteral("yaq2"));
    profile.WriteProfileString(QStringLiteral("YAQ"), QStringLiteral("CatalogueDisp"),
                               QStringLiteral("ECE + USA"));
    profile.WriteProfileString(QStringLiteral("YAQ"), QStringLiteral("DlgTitel"),
                               QStringLiteral("AW  ECE  ECE"));
    CPrgSettings s;
    s.ReadIni(&profile);
    QCOMPARE(s.CatalogueDisp, QStringLiteral("EUR + USA"));
    QCOMPARE(s.DlgTitel, QStringLiteral("AW  EUR  ECE"));
}

void TestSettings::profileRoundTrip()
{
    CPrgSettings written;
    written.Sound = 0;
    written.iMaxSearch = 0;
    written.EReihe = QStringLiteral("V40  ");
    written.ReqXMLServer = QStringLiteral("http://dms.local:8080/yaq");
    written.YAQ2DlgPosRect = QRect(10, 20, 900, 700);
    written.DealerDataStorage = QStringLiteral("/srv/dealer");
    written.bMeldungWK = 0;
    {
        CProfile profile(QStringLiteral("yaq2"));
        written.WriteIni(&profile);
    }
    QCOMPARE(written.EReihe, QStringLiteral("V40"));

    CProfile profile(QStringLiteral("yaq2"));
    CPrgSettings read;
    read.ReadIni(&profile);
    QCOMPARE(read.Sound, 0);
    QCOMPARE(read.iMaxSearch, 0);
    QCOMPARE(read.EReihe, QStringLiteral("V40"));
    QCOMPARE(read.ReqXMLServer, written.ReqXMLServer);
    QCOMPARE(read.YAQ2DlgPosRect, QRect(10, 20, 900, 700));
    QCOMPARE(read.DealerDataStorage, written.DealerDataStorage);
    QCOMPARE(read.bMeldungWK, 0);
    QVERIFY(read.LocalFolder.endsWith(QLatin1String("/YAQ2")));
    QVERIFY(QFileInfo(read.LocalFolder).isDir());
}

// A person edits a line of the profile: the value reads as the text written,
// and the exit, which writes every value, leaves the file as it was.
// A text with NUL characters in it.
template <qsizetype N> static QString latin1(const char (&text)[N])
{
    return QString::fromLatin1(text, N - 1);
}

void TestSettings::handWrittenValuesReadAsWrittenAndStay_data()
{
    QTest::addColumn<QString>("key");     // "section/key"
    QTest::addColumn<QByteArray>("line"); // the value as written in the file
    QTest::addColumn<QString>("read");
    // clang-format off
    QTest::newRow("comma in a type number")       << "YAQ/Bestellnr"    << QByteArray("VQ 1, Nord")         << "VQ 1, Nord";
    QTest::newRow("comma in a folder")            << "YAQ/DownloadDir"  << QByteArray("/home/u/a,b")        << "/home/u/a,b";
    QTest::newRow("commas, blanks around")        << "SRP/Tel"          << QByteArray(" 0711 ,12, ")        << "0711 ,12,";
    QTest::newRow("comma in quotes")              << "SRP/User"         << QByteArray("\"Meier, Anna\"")    << "Meier, Anna";
    QTest::newRow("quotes inside")                << "SRP/User"         << QByteArray("Halle \"Nord\", 2")   << "Halle Nord, 2";
    QTest::newRow("backslashes of a folder")      << "YAQ/ReqDateiVerz" << QByteArray("C:\\Temp\\Yaq")      << "C:\\Temp\\Yaq";
    QTest::newRow("backslashes escaped")          << "YAQ/SendDateiVerz" << QByteArray("C:\\\\Temp")       << "C:\\Temp";
    QTest::newRow("semicolon starts a comment")   << "SRP/Fax"          << QByteArray("0711 99;alt")        << "0711 99";
    QTest::newRow("blanks around")                << "SRP/Fax"          << QByteArray("  0711 99  ")        << "0711 99";
    QTest::newRow("equals sign")                  << "YAQ/ReqXMLServer" << QByteArray("http://dms/?a=1")    << "http://dms/?a=1";
    QTest::newRow("number with a leading zero")   << "YAQ/iMaxSearch"   << QByteArray("077")                << "077";
    // Bytes of a list with a count of four thousand million: a value the
    // program never writes, read as the text written, not as what the bytes
    // would stand for.
    QTest::newRow("stream of bytes, escaped")     << "SRP/User"         << QByteArray("\\x40Variant(\\0\\0\\0\\t\\xff\\xff\\xff\\xf0)") << latin1("@Variant(\0\0\0\t\xff\xff\xff\xf0)");
    QTest::newRow("stream of bytes in a list")    << "SRP/User"         << QByteArray("Nord, \"@DateTime(\\0\\0\\0\\t\\0\\xff\\xff\\xff\\xf0)\"") << latin1("Nord, @DateTime(\0\0\0\t\0\xff\xff\xff\xf0)");
    // clang-format on
}

void TestSettings::handWrittenValuesReadAsWrittenAndStay()
{
    QFETCH(QString, key);
    QFETCH(QByteArray, line);
    QString path;
    {
        CProfile profile(QStringLiteral("yaq2"));
        CPrgSettings().WriteIni(&profile);
        path = profile.FileName();
    }
    QByteArray file = readTextFile(path).toUtf8();
    const QByteArray name = '\n' + key.section(QLatin1Char('/'), 1).toLatin1() + '=';
    const qsizetype at = file.indexOf(name);
    QVERIFY(at >= 0);
    const qsizetype end = file.indexOf('\n', at + 1);
    file.replace(at + name.size(), end - at - name.size(), line);
    QVERIFY(writeTextFile(path, file));

    CProfile profile(QStringLiteral("yaq2"));
    CPrgSettings s;
    s.ReadIni(&profile);
    QTEST(profile.GetProfileString(key.section(QLatin1Char('/'), 0, 0),
                                   key.section(QLatin1Char('/'), 1)),
          "read");
    QVERIFY(s.WriteIni(&profile));
    QCOMPARE(readTextFile(path).toUtf8(), file);
}

void TestSettings::missingKeysTakeTheirDefaults_data()
{
    // Row: the store ("profile" or the dealer file), section, key -> what an
    // empty store gives, as it is written back ("#N": the program text N).
    QTest::addColumn<QString>("store");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");
    // clang-format off
    QTest::newRow("sound on")                   << "profile" << "YAQ" << "Sound"                 << "1";
    QTest::newRow("search limit")               << "profile" << "YAQ" << "iMaxSearch"            << "150";
    QTest::newRow("US findings display")        << "profile" << "YAQ" << "bBfndAnzeigeUS"        << "1";
    QTest::newRow("catalogue display")          << "profile" << "YAQ" << "CatalogueDisp"         << "EUR + USA";
    QTest::newRow("brand")                      << "profile" << "YAQ" << "Marke"                 << "VQ";
    QTest::newRow("transfer by text export")    << "profile" << "YAQ" << "SRPInterfaceSend"      << "3";
    QTest::newRow("customer price notice")      << "profile" << "YAQ" << "bMeldungCustomerSP"    << "1";
    QTest::newRow("listener port")              << "profile" << "YAQ" << "ReceiveXMLPort"        << "2021";
    QTest::newRow("street label")               << "dealer"  << "GLOBALSETUP" << "StrasseT"      << "#6027";
    QTest::newRow("city label")                 << "dealer"  << "GLOBALSETUP" << "CityT"         << "#6028";
    QTest::newRow("second terms")               << "dealer"  << "GLOBALSETUP" << "AGB2"          << "#6048";
    QTest::newRow("offered on")                 << "dealer"  << "GLOBALSETUP" << "AngebotenAm"   << "#6044";
    QTest::newRow("offered by")                 << "dealer"  << "GLOBALSETUP" << "AngebotenDurch" << "#6037";
    QTest::newRow("gross label")                << "dealer"  << "GLOBALSETUP" << "Brutto"        << "#6040";
    QTest::newRow("VAT label")                  << "dealer"  << "GLOBALSETUP" << "MwSt"          << "#6039";
    QTest::newRow("net label")                  << "dealer"  << "GLOBALSETUP" << "Netto"         << "#6038";
    QTest::newRow("offer number label")         << "dealer"  << "GLOBALSETUP" << "Nummer"        << "#6043";
    QTest::newRow("company: no default")        << "dealer"  << "GLOBALSETUP" << "Firma"         << "";
    QTest::newRow("campaigns off, stored empty") << "dealer" << "GLOBALSETUP" << "MarketingCampaigns" << "";
    // clang-format on
}

void TestSettings::missingKeysTakeTheirDefaults()
{
    QFETCH(QString, store);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    if (expected.startsWith(QLatin1Char('#')))
        expected = OrmelText(expected.mid(1).toInt());
    CPrgSettings s;
    if (store == QLatin1String("profile")) {
        CProfile profile(QStringLiteral("yaq2"));
        s.ReadIni(&profile);
        s.WriteIni(&profile);
        QCOMPARE(profile.GetProfileString(section, key, QStringLiteral("<none>")), expected);
        return;
    }
    s.DealerDataStorage = m_env->path() + QStringLiteral("/dealer/");
    QDir().mkpath(s.DealerDataStorage);
    s.Firma = QStringLiteral("kept?");
    s.MarketingCampaigns = 1;
    QCOMPARE(s.ReadTraderIni(), 0);
    QVERIFY(s.WriteTraderIni(s.DealerDataStorage));
    CPrivateProfile raw;
    QVERIFY(raw.Load(s.DealerDataStorage + QStringLiteral("YAQTrader.ini")));
    QCOMPARE(raw.GetString(section, key, QStringLiteral("<none>")), expected);
}

void TestSettings::checkKey_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("seed");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("stored");
    // clang-format off
    QTest::newRow("existing integer")               << "Sound"             << "0"            << true  << 1 << "YAQ" << "0";
    QTest::newRow("missing integer is not created") << "Sound"             << "0"            << false << 0 << "YAQ" << "<none>";
    QTest::newRow("integer stored as -1 is left")   << "Preview"           << "1"            << true  << 0 << "YAQ" << "-1";
    QTest::newRow("non-numeric value refused")      << "Sound"             << "yes"          << true  << 0 << "YAQ" << "1";
    QTest::newRow("text with value")                << "ReqXMLServer"      << "http://dms/x" << true  << 1 << "YAQ" << "http://dms/x";
    QTest::newRow("empty stored text is left")      << "ReqDateiVerz"      << "/tmp"         << true  << 0 << "YAQ" << "";
    QTest::newRow("dealer folder in SRP")           << "DealerDataStorage" << "/d"           << true  << 1 << "SRP" << "/d";
    // clang-format on
}

void TestSettings::checkKey()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(bool, seed);
    QFETCH(QString, section);
    CProfile profile(QStringLiteral("yaq2"));
    if (seed) {
        if (key == QLatin1String("Sound"))
            profile.WriteProfileInt(section, key, 1);
        else if (key == QLatin1String("Preview"))
            profile.WriteProfileInt(section, key, -1);
        else if (key == QLatin1String("ReqDateiVerz"))
            profile.WriteProfileString(section, key, QString());
        else
            profile.WriteProfileString(section, key, QStringLiteral("old"));
    }
    CPrgSettings s;
    QTEST(s.CheckKey(&profile, key, value), "result");
    QTEST(profile.GetProfileString(section, key, QStringLiteral("<none>")), "stored");
    QCOMPARE(s.CheckKey(nullptr, key, value), 0);
}

// The caller of the settings mode reads why the setting stayed as it was.
void TestSettings::checkKeyTellsWhyNothingWasWritten_data()
{
    QTest::addColumn<QString>("stored"); // "<none>": the profile holds no value
    QTest::addColumn<QString>("reason");
    // clang-format off
    QTest::newRow("no value yet")               << "<none>" << "Sie hat im Profil noch keinen Wert.";
    QTest::newRow("stored -1 stands for none")  << "-1"     << "Sie hat im Profil den Wert -1, der als kein Wert gilt.";
    QTest::newRow("stored text is no number")   << "an"     << "Ihr Wert im Profil, \"an\", ist keine ganze Zahl.";
    // clang-format on
}

void TestSettings::checkKeyTellsWhyNothingWasWritten()
{
    QFETCH(QString, stored);
    const QString yaq = QStringLiteral("YAQ");
    CProfile profile(QStringLiteral("yaq2"));
    if (stored != QLatin1String("<none>"))
        profile.WriteProfileString(yaq, QStringLiteral("Sound"), stored);
    CPrgSettings s;
    QString failure;
    QCOMPARE(s.CheckKey(&profile, QStringLiteral("Sound"), QStringLiteral("1"), &failure), 0);
    QCOMPARE(failure.section(QLatin1Char('\n'), 0, 0),
             QStringLiteral("Die Einstellung Sound wurde nicht geändert:"));
    QTEST(failure.section(QLatin1Char('\n'), 1), "reason");
    QCOMPARE(profile.GetProfileString(yaq, QStringLiteral("Sound"), QStringLiteral("<none>")),
             stored);
}

void TestSettings::versionFile_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("training");
    QTest::addColumn<QString>("ez");
    // clang-format off
    QTest::newRow("normal edition")              << "Version.ini" << QByteArray("[VERSIONSINFO]\nAusgabedatum=01.11.2026\nSchulung=0\nEZ=01.01.2020\n") << 1 << 0 << "";
    QTest::newRow("training edition")            << "Version.ini" << QByteArray("[VERSIONSINFO]\nSchulung=1\nEZ=01.01.2020\n")                          << 1 << 1 << "01.01.2020";
    QTest::newRow("training text not exactly 1") << "Version.ini" << QByteArray("[VERSIONSINFO]\nSchulung=1 \nEZ=x\n")                                  << 1 << 1 << "x";
    QTest::newRow("training text 11")            << "Version.ini" << QByteArray("[VERSIONSINFO]\nSchulung=11\nEZ=x\n")                                  << 1 << 0 << "";
    QTest::newRow("old file name")               << "YAQ2.ini"    << QByteArray("[VERSIONSINFO]\nAusgabedatum=1\n")                                     << 1 << 0 << "";
    QTest::newRow("no file")                     << ""            << QByteArray()                                                                       << 0 << 0 << "";
    // clang-format on
}

void TestSettings::versionFile()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, content);
    CPrgSettings s;
    s.DataDir = m_env->path() + QStringLiteral("/Datas");
    QDir().mkpath(s.DataDir);
    if (!fileName.isEmpty())
        QVERIFY(writeTextFile(s.DataDir + QLatin1Char('/') + fileName, content));
    QTEST(s.ReadVersionIni(), "result");
    QTEST(s.bSchulung, "training");
    QTEST(s.SchulungEZ, "ez");
}

void TestSettings::traderFileDefaultsAndReadBack()
{
    CPrgSettings s;
    s.DealerDataStorage = m_env->path() + QStringLiteral("/dealer/");
    QDir().mkpath(s.DealerDataStorage);
    QCOMPARE(s.ReadTraderIni(), 0);
    QCOMPARE(s.FirmaT, QStringLiteral("Firma"));
    QCOMPARE(s.TitelAngebotDruck, QStringLiteral("Angebot"));
    QCOMPARE(s.AGB, OrmelText(6048));
    QCOMPARE(s.City2T, QString());

    s.AGB = QStringLiteral("Zeile 1\r\nZeile 2 mit \\ Schrägstrich");
    s.JobEdit = 0;
    s.DirUserPriceEditing = 1;
    s.Firma = QStringLiteral("Autohaus");
    QVERIFY(s.WriteTraderIni(s.DealerDataStorage));
    // The terms in the settings keep their line breaks.
    QCOMPARE(s.AGB, QStringLiteral("Zeile 1\r\nZeile 2 mit \\ Schrägstrich"));

    const QString file = s.DealerDataStorage + QStringLiteral("YAQTrader.ini");
    CPrivateProfile raw;
    QVERIFY(raw.Load(file));
    QCOMPARE(raw.GetString(QStringLiteral("GLOBALSETUP"), QStringLiteral("JobEdit"),
                           QStringLiteral("x")),
             QString());
    QCOMPARE(raw.GetString(QStringLiteral("GLOBALSETUP"), QStringLiteral("DirUserPriceEditing")),
             QStringLiteral("1"));

    CPrgSettings fresh;
    fresh.DealerDataStorage = s.DealerDataStorage;
    fresh.JobEdit = 7;
    QCOMPARE(fresh.ReadTraderIni(), 1);
    QCOMPARE(fresh.JobEdit, 0);
    QCOMPARE(fresh.DirUserPriceEditing, 1);
    QCOMPARE(fresh.Firma, QStringLiteral("Autohaus"));
    QCOMPARE(fresh.AGB, s.AGB);
}

void TestSettings::traderFileRewriteKeepsOtherLinesAndLongTerms()
{
    const QString folder = m_env->path() + QStringLiteral("/dealer");
    const QString longTerms = QString(3000, QLatin1Char('T')) + QStringLiteral("\r\nEnde");
    QVERIFY(writeTextFile(folder + QStringLiteral("/YAQTrader.ini"),
                          "; Händlerdaten\n[GLOBALSETUP]\nFirma=Alt\nEigenerSchluessel=bleibt\n"
                          "[ANDERES]\nx=1\n"));
    CPrgSettings s;
    s.DealerDataStorage = folder;
    s.ReadTraderIni();
    s.AGB2 = longTerms;
    QVERIFY(s.WriteTraderIni(folder));

    CPrgSettings back;
    back.DealerDataStorage = folder;
    QCOMPARE(back.ReadTraderIni(), 1);
    QCOMPARE(back.AGB2, longTerms);
    const QString text = readTextFile(folder + QStringLiteral("/YAQTrader.ini"));
    QVERIFY(text.startsWith(QStringLiteral("; Händlerdaten\n")));
    QVERIFY(text.contains(QStringLiteral("EigenerSchluessel=bleibt")));
    QVERIFY(text.contains(QStringLiteral("[ANDERES]\nx=1")));
    // No temporary files are left behind.
    QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 1);
}

void TestSettings::traderFileWriteFailsWithoutFolder()
{
    CPrgSettings s;
    QCOMPARE(s.WriteTraderIni(QString()), 0);
    QCOMPARE(s.WriteTraderIni(m_env->path() + QStringLiteral("/no/such/folder")), 0);
}

void TestSettings::traderFileOfOldCodePageKeepsWhatWasNotChanged()
{
    // A UTF-8 dealer file with one comment line in the old code page.
    const QString folder = m_env->path() + QStringLiteral("/dealer");
    const QString path = folder + QStringLiteral("/YAQTrader.ini");
    const QByteArray head("; Händler\xFC"
                          "bersicht\n[GLOBALSETUP]\nFirma=Autohaus M\xC3\xBCller\n"
                          "Strasse=Gro\xDF"
                          "e Str. 1\nJobEdit=0\nAGB=Zeile 1\\nZeile 2\n");
    QVERIFY(writeTextFile(path, head));
    CPrgSettings s;
    s.DealerDataStorage = folder;
    QCOMPARE(s.ReadTraderIni(), 1);
    QCOMPARE(s.Firma, QStringLiteral("Autohaus Müller"));
    QCOMPARE(s.Strasse, QStringLiteral("Große Str. 1"));
    QCOMPARE(s.AGB, QStringLiteral("Zeile 1\nZeile 2"));
    s.AGB2 = QStringLiteral("Erste\nZweite");
    QVERIFY(s.WriteTraderIni(folder));

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray written = file.readAll();
    // What the program did not change is left byte for byte; the new terms
    // are in the form older files hold them.
    QVERIFY2(written.startsWith(head), written.constData());
    QVERIFY(written.contains("\nAGB2=Erste\\nZweite\n"));
    CPrgSettings back;
    back.DealerDataStorage = folder;
    QCOMPARE(back.ReadTraderIni(), 1);
    QCOMPARE(back.Firma, QStringLiteral("Autohaus Müller"));
    QCOMPARE(back.AGB2, s.AGB2);
}

void TestSettings::unreadableTraderFileIsNotReplaced()
{
    const QString folder = m_env->path() + QStringLiteral("/dealer");
    const QString path = folder + QStringLiteral("/YAQTrader.ini");
    QVERIFY(writeTextFile(path, "[GLOBALSETUP]\nFirma=Autohaus Muster\n"));
    QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
    QFile probe(path);
    if (probe.open(QIODevice::ReadOnly))
        QSKIP("this user reads files without read permission");
    CPrgSettings s;
    s.DealerDataStorage = folder;
    QCOMPARE(s.ReadTraderIni(), 0);
    QCOMPARE(s.WriteTraderIni(folder), 0);
    QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    QCOMPARE(readTextFile(path), QStringLiteral("[GLOBALSETUP]\nFirma=Autohaus Muster\n"));
}

YAQ_TEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
