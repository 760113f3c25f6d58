// The cached catalogue readers on the demo catalogue (Datas/YAQ2.dat), each
// question asked through the cache and, with the local data set, straight
// from the database; both must answer alike.

#include "common/readers/CatalogueCache.h"
#include "common/readers/SpotRepair.h"
#include "platform/db/YaqDb.h"
#include "settings/PrgSettings.h"
#include "support/CatalogueDbTest.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QtTest>
#include <memory>

namespace {

const QString kDemoDealer = QStringLiteral(YAQ_DEMO_DATAS_DIR "/Dealer");

// The demo vehicle XVQ1F23A57M012345 (Arvo 1.6, first column of VQF40DE),
// or with "bento" XVQ2G45B684K56789.
CPrgSettings Vehicle(const QString &which = QString())
{
    CPrgSettings s;
    s.KatalogKey = QStringLiteral("1");
    s.nKatalogFlag = 0;
    s.bLocalDataSet = 0;
    s.bAltKatalog = 0;
    s.Heute = QStringLiteral("15.06.2024");
    s.CountryCode = QStringLiteral("DE");
    s.DealerDataStorage.clear();
    if (which == QLatin1String("bento")) {
        s.Fgstnr = QStringLiteral("4K56789");
        s.TypSchl = QStringLiteral("7B01");
        s.ZusatzCode = QStringLiteral("B");
        s.LeadTyp = QStringLiteral("2201");
        s.Bestellnr = QStringLiteral("VQB20DE");
        s.ModellBez = QStringLiteral("Bento");
        s.EReihe = QStringLiteral("B20");
    } else {
        s.Fgstnr = QStringLiteral("M012345");
        s.TypSchl = QStringLiteral("7A01");
        s.ZusatzCode = QStringLiteral("A");
        s.LeadTyp = QStringLiteral("1101");
        s.Bestellnr = QStringLiteral("VQF40DE");
        s.ModellBez = QStringLiteral("Arvo 1.6");
        s.EReihe = QStringLiteral("F40");
    }
    return s;
}

const char *ModeName(int local)
{
    return local ? "local data set" : "cache";
}

// Runs the check on the demo catalogue three times: from the database
// through the cache, from the local data set, and from the local data set
// read by main group (as a walk or a package load reads it), each time
// with a cache of its own and the demo vehicle, which the check may change
// first.
template <typename Check> void InBothModes(Check &&check)
{
    auto db = CatalogueDbTest::OpenDemoFile();
    QVERIFY(db);
    for (int mode : {0, 1, 2}) {
        CCatalogueCache cache(mode == 2 ? CCatalogueCache::OnLocalFile::ReadByGroup
                                        : CCatalogueCache::OnLocalFile::Bypass);
        CPrgSettings s = Vehicle();
        s.bLocalDataSet = mode != 0 ? 1 : 0;
        check(cache, s, db.get(), mode == 2 ? "local data set by main group" : ModeName(mode));
        if (QTest::currentTestFailed())
            return;
    }
}

} // namespace

class TestCatalogueCache : public QObject
{
    Q_OBJECT

private slots:
    void positionValidity_data();
    void positionValidity();
    void sameMainGroupIsAnsweredFromMemory_data();
    void sameMainGroupIsAnsweredFromMemory();
    void failedQueryIsAskedAgain();
    void pageValuesShareTheValidityRead();
    void cursorsTranslateUnitCodes_data();
    void cursorsTranslateUnitCodes();
    void interleavedCursorsKeepTheirOwnPlace();
    void infosAndPartsClearing_data();
    void infosAndPartsClearing();
    void infoNumbers_data();
    void infoNumbers();
    void packages_data();
    void packages();
    void spotRepairData_data();
    void spotRepairData();
    void rowsFiledByNumber_data();
    void rowsFiledByNumber();
};

void TestCatalogueCache::positionValidity_data()
{
    QTest::addColumn<QString>("apNr");
    QTest::addColumn<QString>("hg");
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("checkLines");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("model");
    QTest::addColumn<int>("altKatalog");
    QTest::addColumn<int>("valid");
    const QString arvo = QStringLiteral("Arvo 1.6");
    const QString none = QStringLiteral(". . . . . . .");
    // Catalogue lines of VQF40DE: 0100010 "NNN-" (line 010), 0100030 "-N--".
    // clang-format off
    QTest::newRow("0000249 with a row without work units")    << "0000249" << ""   << ""    << 0 << 0  << arvo << 0 << 1;
    QTest::newRow("only a row without work units")            << "0200010" << ""   << ""    << 0 << 0  << arvo << 0 << 0;
    QTest::newRow("second row with work units")               << "0100030" << ""   << ""    << 0 << 0  << arvo << 0 << 1;
    QTest::newRow("position without value rows")              << "0100099" << ""   << ""    << 0 << 0  << arvo << 0 << 0;
    QTest::newRow("main group given apart from the number")   << "0100010" << "03" << ""    << 0 << 0  << arvo << 0 << 1;
    QTest::newRow("line flag at the model's column")          << "0100010" << ""   << ""    << 1 << -1 << arvo << 0 << 1;
    QTest::newRow("no line flag at the model's column")       << "0100030" << ""   << ""    << 1 << -1 << arvo << 0 << 0;
    QTest::newRow("line flag at the column given")            << "0100030" << ""   << ""    << 1 << 1  << arvo << 0 << 1;
    QTest::newRow("column just beyond the flags")             << "0100010" << ""   << ""    << 1 << 4  << arvo << 0 << 0;
    QTest::newRow("column far beyond the flags")              << "0100010" << ""   << ""    << 1 << 7  << arvo << 0 << 0;
    QTest::newRow("no model: no column")                      << "0100010" << ""   << ""    << 1 << -1 << none << 0 << 0;
    QTest::newRow("main group and line given check the line") << "0100010" << "01" << "010" << 0 << -1 << none << 0 << 0;
    QTest::newRow("main group alone checks no line")          << "0100010" << "01" << ""    << 0 << -1 << none << 0 << 1;
    QTest::newRow("the line given")                           << "0100010" << "01" << "010" << 1 << 0  << arvo << 0 << 1;
    QTest::newRow("another line given")                       << "0100010" << "01" << "020" << 1 << 0  << arvo << 0 << 0;
    QTest::newRow("alternative catalogue checks no line")     << "0100010" << ""   << ""    << 1 << -1 << none << 1 << 1;
    QTest::newRow("the line not given in the alternative")    << "0100010" << "01" << "020" << 0 << 0  << arvo << 1 << 1;
    QTest::newRow("the line given, no value rows")            << "0100099" << "01" << "010" << 0 << 0  << arvo << 0 << 0;
    QTest::newRow("the line given, its flag off the column")  << "0100010" << "01" << "010" << 0 << 3  << arvo << 0 << 0;
    // clang-format on
}

void TestCatalogueCache::positionValidity()
{
    QFETCH(QString, apNr);
    QFETCH(QString, hg);
    QFETCH(QString, line);
    QFETCH(int, checkLines);
    QFETCH(int, column);
    QFETCH(QString, model);
    QFETCH(int, altKatalog);
    QFETCH(int, valid);
    InBothModes([&](CCatalogueCache &cache, CPrgSettings &s, CYaqDb *db, const char *mode) {
        s.ModellBez = model;
        s.bAltKatalog = altKatalog;
        QVERIFY2(cache.GetAPosWert(&s, apNr, db, 0, 0, hg, line, checkLines, column) == valid,
                 mode);
        // A walk over positions answers alike, the first question of its
        // main group and the ones after it.
        CCatalogueCache walked;
        CAPosValidityWalk walk(walked, &s, db);
        for (int asked = 1; asked <= 2; ++asked)
            QVERIFY2(walk.GetAPosWert(apNr, 0, 0, hg, line, checkLines, column) == valid,
                     qPrintable(QStringLiteral("%1, walk, question %2").arg(mode).arg(asked)));
    });
}

void TestCatalogueCache::sameMainGroupIsAnsweredFromMemory_data()
{
    QTest::addColumn<int>("local");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("change");
    QTest::addColumn<int>("queries");
    // clang-format off
    QTest::newRow("same main group")        << 0 << "0100020" << ""              << 0;
    QTest::newRow("same position again")    << 0 << "0100010" << ""              << 0;
    QTest::newRow("another main group")     << 0 << "0300110" << ""              << 1;
    QTest::newRow("another vehicle")        << 0 << "0100020" << "bento"         << 1;
    QTest::newRow("another catalogue")      << 0 << "0100020" << "catalogue key" << 1;
    QTest::newRow("local data set")         << 1 << "0100020" << ""              << 1;
    // clang-format on
}

void TestCatalogueCache::sameMainGroupIsAnsweredFromMemory()
{
    QFETCH(int, local);
    QFETCH(QString, second);
    QFETCH(QString, change);
    QFETCH(int, queries);
    auto db = CatalogueDbTest::OpenDemoFile();
    QVERIFY(db);
    CCatalogueCache cache;
    CPrgSettings s = Vehicle();
    s.bLocalDataSet = local;
    QCOMPARE(cache.GetAPosWert(&s, QStringLiteral("0100010"), db.get(), 0, 0, {}, {}, 0, 0), 1);
    if (change == QLatin1String("bento"))
        s = Vehicle(change);
    else if (change == QLatin1String("catalogue key"))
        s.KatalogKey = QStringLiteral("2");
    s.bLocalDataSet = local;
    const int before = db->QueryCount();
    cache.GetAPosWert(&s, second, db.get(), 0, 0, {}, {}, 0, 0);
    QCOMPARE(db->QueryCount() - before, queries);
}

void TestCatalogueCache::failedQueryIsAskedAgain()
{
    auto db = CatalogueDbTest::OpenDemoFile();
    QVERIFY(db);
    CCatalogueCache cache;
    CPrgSettings s = Vehicle();
    db->Close();
    QCOMPARE(cache.GetAPosWert(&s, QStringLiteral("0100010"), db.get(), 0, 0, {}, {}, 0, 0), 0);
    QVERIFY(db->LastFailed());
    QVERIFY(db->Open(QString(), QString(), QString(), 0, QStringLiteral(YAQ_DEMO_DATAS_DIR),
                     QString(), QString()));
    QCOMPARE(cache.GetAPosWert(&s, QStringLiteral("0100010"), db.get(), 0, 0, {}, {}, 0, 0), 1);
    // Now held: the next position of the group comes from memory.
    const int before = db->QueryCount();
    QCOMPARE(cache.GetAPosWert(&s, QStringLiteral("0100030"), db.get(), 0, 0, {}, {}, 0, 0), 1);
    QCOMPARE(db->QueryCount(), before);
}

void TestCatalogueCache::pageValuesShareTheValidityRead()
{
    // The catalogue page's values are the very rows the validity questions
    // read: the main group is read once for both, in either order.
    auto db = CatalogueDbTest::OpenDemoFile();
    QVERIFY(db);
    CCatalogueCache cache;
    const CPrgSettings s = Vehicle();
    cache.ReadAPosWertDataFromHG(s, db.get(), QStringLiteral("01"));
    int before = db->QueryCount();
    cache.ReadAPosWertDataAWKFromHG(s, db.get(), QStringLiteral("01"));
    QCOMPARE(db->QueryCount(), before);
    CAPosWertData rec;
    rec.m_strAPosNr = QStringLiteral("0100010");
    CAPosWertCursor cursor;
    QVERIFY(cache.GetNextAPosWertAWKFromHGCache(rec, 1, cursor));
    // Another main group, the page first.
    before = db->QueryCount();
    cache.ReadAPosWertDataAWKFromHG(s, db.get(), QStringLiteral("02"));
    cache.ReadAPosWertDataFromHG(s, db.get(), QStringLiteral("02"));
    QCOMPARE(db->QueryCount() - before, 1);
    CAPosWertData value;
    value.m_strAPosNr = QStringLiteral("0200020");
    QVERIFY(cache.FindAPosWertInHGCache(value, QStringLiteral("4")));
}

void TestCatalogueCache::cursorsTranslateUnitCodes_data()
{
    QTest::addColumn<QString>("apNr");
    QTest::addColumn<QStringList>("units");
    // clang-format off
    QTest::newRow("codes 0 and 1") << "0100010" << QStringList{"", "U"};
    QTest::newRow("codes 0 and 2") << "0100030" << QStringList{"", "M"};
    QTest::newRow("codes 3 and 4") << "0200020" << QStringList{"", "R"};
    QTest::newRow("no rows")       << "0100099" << QStringList{};
    // clang-format on
}

void TestCatalogueCache::cursorsTranslateUnitCodes()
{
    QFETCH(QString, apNr);
    QFETCH(QStringList, units);
    auto db = CatalogueDbTest::OpenDemoFile();
    QVERIFY(db);
    CCatalogueCache cache;
    const CPrgSettings s = Vehicle();
    cache.ReadAPosWertDataAWKFromHG(s, db.get(), apNr.left(2));
    cache.ReadAPosWertDataFromHG(s, db.get(), apNr.left(2));
    CAPosWertData rec;
    rec.m_strAPosNr = apNr;
    CAPosWertCursor cursor;
    QStringList walked;
    for (int found = cache.GetNextAPosWertAWKFromHGCache(rec, 1, cursor); found;
         found = cache.GetNextAPosWertAWKFromHGCache(rec, 0, cursor))
        walked << rec.m_strEinheit;
    QCOMPARE(walked, units);

    // The same codes found one by one in the value cache.
    QStringList found;
    for (const char *code : {"0", "1", "2", "3", "4"}) {
        CAPosWertData one;
        one.m_strAPosNr = apNr;
        if (cache.FindAPosWertInHGCache(one, QLatin1String(code)))
            found << one.m_strEinheit;
    }
    QCOMPARE(found, units);
}

void TestCatalogueCache::interleavedCursorsKeepTheirOwnPlace()
{
    auto db = CatalogueDbTest::OpenDemoFile();
    QVERIFY(db);
    CCatalogueCache cache;
    cache.ReadAPosWertDataAWKFromHG(Vehicle(), db.get(), QStringLiteral("01"));
    CAPosWertData a, b;
    a.m_strAPosNr = QStringLiteral("0100010");
    b.m_strAPosNr = QStringLiteral("0100030");
    CAPosWertCursor ca, cb;
    QStringList seenA, seenB;
    int moreA = cache.GetNextAPosWertAWKFromHGCache(a, 1, ca);
    int moreB = cache.GetNextAPosWertAWKFromHGCache(b, 1, cb);
    while (moreA || moreB) {
        if (moreA) {
            seenA << a.m_strEinheit;
            moreA = cache.GetNextAPosWertAWKFromHGCache(a, 0, ca);
        }
        if (moreB) {
            seenB << b.m_strEinheit;
            moreB = cache.GetNextAPosWertAWKFromHGCache(b, 0, cb);
        }
        QVERIFY(seenA.size() + seenB.size() <= 4);
    }
    QCOMPARE(seenA, QStringList({"", "U"}));
    QCOMPARE(seenB, QStringList({"", "M"}));
}

void TestCatalogueCache::infosAndPartsClearing_data()
{
    QTest::addColumn<QString>("apNr");
    QTest::addColumn<QString>("zusatz");
    QTest::addColumn<QString>("today");
    QTest::addColumn<QString>("country");
    QTest::addColumn<int>("info");
    QTest::addColumn<int>("clearing");
    // Parts clearing of 7A01 in DE: 0100010 for every code from 2023,
    // 0100020 from 2015 to 2019, 0300110 for code A from 2023.
    // clang-format off
    QTest::newRow("info and clearing")          << "0100010" << "A" << "15.06.2024" << "DE" << 1 << 1;
    QTest::newRow("clearing no longer valid")   << "0100020" << "A" << "15.06.2024" << "DE" << 0 << 0;
    QTest::newRow("clearing of that month")     << "0100020" << "A" << "15.06.2018" << "DE" << 0 << 1;
    QTest::newRow("clearing of the code")       << "0300110" << "A" << "15.06.2024" << "DE" << 1 << 1;
    QTest::newRow("clearing of another code")   << "0300110" << "B" << "15.06.2024" << "DE" << 1 << 0;
    QTest::newRow("no country: no clearing")    << "0100010" << "A" << "15.06.2024" << ""   << 1 << 0;
    QTest::newRow("no additional code")         << "0100010" << ""  << "15.06.2024" << "DE" << 1 << 0;
    // clang-format on
}

void TestCatalogueCache::infosAndPartsClearing()
{
    QFETCH(QString, apNr);
    QFETCH(QString, zusatz);
    QFETCH(QString, today);
    QFETCH(QString, country);
    QFETCH(int, info);
    QFETCH(int, clearing);
    InBothModes([&](CCatalogueCache &cache, CPrgSettings &s, CYaqDb *db, const char *mode) {
        s.ZusatzCode = zusatz;
        s.CountryCode = country;
        // Asked on another day first: the cache follows the day's month.
        s.Heute = today == QLatin1String("15.06.2018") ? QStringLiteral("15.06.2024")
                                                       : QStringLiteral("15.06.2018");
        cache.GetTeileClearing(&s, db, apNr, QString());
        s.Heute = today;
        CAPosInfoData rec;
        rec.m_strKatBstNr = s.KatalogKey;
        rec.m_strAPosNr = apNr;
        QVERIFY2(cache.GetAPosInfo(&s, db, rec, QString()) == info, mode);
        if (info)
            QVERIFY2(rec.m_strInfoNr == QLatin1String("1"), mode);
        QVERIFY2(cache.GetTeileClearing(&s, db, apNr, QString()) == clearing, mode);
    });
}

void TestCatalogueCache::infoNumbers_data()
{
    // Row: position -> info found, its paint-stage text and its two numbers.
    QTest::addColumn<QString>("apNr");
    QTest::addColumn<int>("found");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    // clang-format off
    QTest::newRow("names the one after it")  << "6412010" << 1 << ""  << "6412020" << "";
    QTest::newRow("names the one before it") << "6412020" << 1 << ""  << ""        << "6412010";
    QTest::newRow("paint stage")             << "6411010" << 1 << "2" << "1"       << "";
    QTest::newRow("no info")                 << "6411020" << 0 << ""  << ""        << "";
    // clang-format on
}

void TestCatalogueCache::infoNumbers()
{
    QFETCH(QString, apNr);
    QFETCH(int, found);
    QFETCH(QString, text);
    QFETCH(QString, first);
    QFETCH(QString, second);
    InBothModes([&](CCatalogueCache &cache, CPrgSettings &s, CYaqDb *db, const char *mode) {
        CAPosInfoData rec;
        rec.m_strKatBstNr = s.KatalogKey;
        rec.m_strAPosNr = apNr;
        QVERIFY2(cache.GetAPosInfo(&s, db, rec, QString()) == found, mode);
        if (!found)
            return;
        rec.TrimData();
        QCOMPARE(rec.m_strInfoText, text);
        QCOMPARE(rec.m_strInfoNr, first);
        QCOMPARE(rec.m_strInfoNr2, second);
    });
}

void TestCatalogueCache::packages_data()
{
    QTest::addColumn<QString>("vehicle");
    QTest::addColumn<QString>("paketNr");
    QTest::addColumn<QString>("dealerCountry");
    QTest::addColumn<int>("ownPackages");
    QTest::addColumn<bool>("spotRepairData");
    QTest::addColumn<QString>("series");
    QTest::addColumn<int>("applies");
    // Packages: 1234567 for 7A01 ("   ") and 7B01 ("YAQ"); 2345678 for
    // 7A01 code A in DE only.
    // clang-format off
    QTest::newRow("package for every country")            << ""      << "1234567" << ""   << 0 << false << "F40" << 1;
    QTest::newRow("package marked for every country")     << "bento" << "1234567" << ""   << 0 << false << "B20" << 1;
    QTest::newRow("dealer's country, own packages")       << ""      << "2345678" << "DE" << 1 << false << "F40" << 1;
    QTest::newRow("dealer's country, no own packages")    << ""      << "2345678" << "DE" << 0 << false << "F40" << 0;
    QTest::newRow("another dealer country")               << ""      << "2345678" << "FR" << 1 << false << "F40" << 0;
    QTest::newRow("no dealer country")                    << ""      << "2345678" << ""   << 1 << false << "F40" << 0;
    QTest::newRow("package of another type")              << "bento" << "2345678" << "DE" << 1 << false << "B20" << 0;
    QTest::newRow("spot repair")                          << ""      << "9999010" << ""   << 0 << true  << "F40" << 1;
    QTest::newRow("spot repair, first series")            << ""      << "9999010" << ""   << 0 << true  << "C30" << 1;
    QTest::newRow("spot repair, earlier series")          << ""      << "9999010" << ""   << 0 << true  << "B20" << 0;
    QTest::newRow("spot repair without the dealer's data") << ""     << "9999010" << ""   << 0 << false << "F40" << 0;
    QTest::newRow("another package with spot repair")    << ""      << "9999011" << ""   << 0 << true  << "F40" << 0;
    // clang-format on
}

void TestCatalogueCache::packages()
{
    QFETCH(QString, vehicle);
    QFETCH(QString, paketNr);
    QFETCH(QString, dealerCountry);
    QFETCH(int, ownPackages);
    QFETCH(bool, spotRepairData);
    QFETCH(QString, series);
    QFETCH(int, applies);
    auto db = CatalogueDbTest::OpenDemoFile();
    QVERIFY(db);
    CCatalogueCache cache;
    CPrgSettings s = Vehicle(vehicle);
    s.Laendercode = dealerCountry;
    s.CountrySpecPakets = ownPackages;
    s.DealerDataStorage = spotRepairData ? kDemoDealer : QString();
    s.EReihe = series;
    // One connection for both: the package rows are read before the values.
    QCOMPARE(cache.GetSRPPakete(&s, paketNr, db.get(), db.get(), 0), applies);
    s.TypSchl.clear();
    QCOMPARE(cache.GetSRPPakete(&s, paketNr, db.get(), db.get(), 0), 0);
}

void TestCatalogueCache::spotRepairData_data()
{
    QTest::addColumn<QString>("remove");
    QTest::addColumn<QString>("headerOnly");
    QTest::addColumn<bool>("orva");
    QTest::addColumn<int>("available");
    // clang-format off
    QTest::newRow("complete")                   << ""                    << ""                        << false << 1;
    QTest::newRow("complete in the ORVA folder") << ""                   << ""                        << true  << 1;
    QTest::newRow("combination file missing")   << "SPOTR_COMB.dat"      << ""                        << false << 0;
    QTest::newRow("offer file missing")         << "SPOTR.dat"           << ""                        << false << 0;
    QTest::newRow("no spot-repair folder")      << "Spotrepair"          << ""                        << false << 0;
    QTest::newRow("matrix without entries")     << ""                    << "SPOTR_MATRIX.dat"        << false << 0;
    QTest::newRow("paint names without entries") << ""                   << "SPOTR_PNT_CLASS_TXT.dat" << false << 0;
    // clang-format on
}

void TestCatalogueCache::spotRepairData()
{
    QFETCH(QString, remove);
    QFETCH(QString, headerOnly);
    QFETCH(bool, orva);
    QFETCH(int, available);
    TestEnv env;
    const QString folder = env.path() + QStringLiteral("/dealer");
    QVERIFY(TestEnv::copyTree(kDemoDealer, folder));
    if (remove == QLatin1String("Spotrepair"))
        QVERIFY(QDir(folder + QStringLiteral("/Spotrepair")).removeRecursively());
    else if (!remove.isEmpty())
        QVERIFY(QFile::remove(folder + QLatin1Char('/') + remove));
    if (!headerOnly.isEmpty()) {
        const QString path = folder + QLatin1Char('/') + headerOnly;
        const QString header = readTextFile(path).section(QLatin1Char('\n'), 0, 0);
        QVERIFY(QFile::remove(path));
        QVERIFY(writeTextFile(path, header.toUtf8() + '\n'));
    }
    CPrgSettings s = Vehicle();
    s.MarketingCampaignsORVA = orva ? 1 : 0;
    (orva ? s.DealerDataStorageORVA : s.DealerDataStorage) = folder;
    s.bSpotRepair = 1 - available;
    QCOMPARE(OpenSpotRepairData(&s), available);
    QCOMPARE(s.bSpotRepair, available);

    // Without a dealer folder the flag stays as it was.
    CPrgSettings none = Vehicle();
    none.MarketingCampaignsORVA = orva ? 0 : 1;
    none.DealerDataStorage = none.DealerDataStorageORVA = QString();
    (orva ? none.DealerDataStorageORVA : none.DealerDataStorage) = folder;
    none.bSpotRepair = 1;
    QCOMPARE(OpenSpotRepairData(&none), 0);
    QCOMPARE(none.bSpotRepair, 1);
}

void TestCatalogueCache::rowsFiledByNumber_data()
{
    // Row: the numbers of the rows in the order read (a fill's query orders
    // them, another collation may not), the numbers asked in turn; each
    // answer is the indexes of that number's rows.
    QTest::addColumn<QStringList>("read");
    QTest::addColumn<QStringList>("asked");
    QTest::addColumn<QStringList>("rows");
    // clang-format off
    QTest::newRow("in order, asked in order")
        << QStringList{"0100010", "0100010", "0100020", "0100030"}
        << QStringList{"0100010", "0100020", "0100030"}
        << QStringList{"0 1", "2", "3"};
    QTest::newRow("asked backwards and unknown ones between")
        << QStringList{"0100010", "0100020", "0100030", "0100040"}
        << QStringList{"0100040", "0100025", "0100020", "0100099", "0100010", "0100005"}
        << QStringList{"3", "", "1", "", "0", ""};
    QTest::newRow("shorter numbers before longer")
        << QStringList{"01", "0100", "010001", "0100010"}
        << QStringList{"0100010", "01", "010001", "0100"}
        << QStringList{"3", "0", "2", "1"};
    QTest::newRow("out of order")
        << QStringList{"0100030", "0100010", "0100020", "0100010"}
        << QStringList{"0100010", "0100020", "0100030", "0100040"}
        << QStringList{"1 3", "2", "0", ""};
    QTest::newRow("a number again after others")
        << QStringList{"0100010", "0100020", "0100010"}
        << QStringList{"0100010", "0100020"}
        << QStringList{"0 2", "1"};
    QTest::newRow("numbers that pack into no code among the others")
        << QStringList{"0100010", "01000100", QString::fromUtf8("01\u20ac00"), "0100020"}
        << QStringList{"01000100", "0100020", QString::fromUtf8("01\u20ac00"), "0100010"}
        << QStringList{"1", "3", "2", "0"};
    // clang-format on
}

void TestCatalogueCache::rowsFiledByNumber()
{
    QFETCH(QStringList, read);
    QFETCH(QStringList, asked);
    QFETCH(QStringList, rows);
    CHGRows<CAPosInfoData> filed;
    // Filled twice: the second fill takes over the room of the first.
    for (int fill = 0; fill < 2; ++fill) {
        filed.Clear();
        for (const QString &number : std::as_const(read)) {
            CAPosInfoData rec;
            rec.m_strAPosNr = number;
            filed.Append(rec, number);
        }
        for (int i = 0; i < asked.size(); ++i) {
            QStringList found;
            for (int at = filed.First(asked.at(i)); at >= 0; at = filed.next[size_t(at)])
                found << QString::number(at);
            QCOMPARE(found.join(QLatin1Char(' ')), rows.at(i));
        }
    }
}

YAQ_TEST_GUILESS_MAIN(TestCatalogueCache)
#include "tst_cataloguecache.moc"
