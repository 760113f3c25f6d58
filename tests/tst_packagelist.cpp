// The package list of a vehicle without the page: how the variants of a
// package merge into one row, when an inclusive-service contract covers a
// package, the way down to a requested package, going up and down without
// dangling rows, and the list the demo vehicles get from the demo catalogue
// (SQLite, and PostgreSQL when YAQ_TEST_PG_* announce a server).

#include "packages/list/PackageCoverage.h"
#include "packages/list/PackageList.h"
#include "packages/list/PackageListBuilder.h"
#include "packages/list/PackageListReads.h"
#include "packages/list/PackageMerge.h"
#include "packages/list/PackageRowText.h"
#include "platform/db/YaqDb.h"
#include "support/CatalogueDbTest.h"
#include "support/TestEnv.h"

#include <QSet>
#include <QtTest>

#include <memory>

namespace {

// The labour values of the demo catalogue, as the cached readers answer
// for the two demo vehicles (column 0 of their catalogues).
class TableReads : public IPackageListReads
{
public:
    explicit TableReads(QStringList valid) : m_valid(std::move(valid)) {}
    CatalogueAnswer<int> CatalogueColumn() override { return {0, false}; }
    bool PositionValid(const QString &number, int column) override
    {
        return column == 0 && m_valid.contains(number);
    }
    bool PartsClearing(const QString &number) override
    {
        return number == QLatin1String("3410010");
    }

private:
    QStringList m_valid;
};

const QStringList kArvoValid = {"1110010", "1110020", "1110030", "1110040", "1110050", "1110060",
                                "3410010", "6411010", "6411020", "6412010", "6412020"};
const QStringList kBentoValid = {"1110010", "3410010", "3410020"};
const QStringList kAltoValid = {"1110010", "1120010", "3410010"};

CPackageVehicle Arvo()
{
    CPackageVehicle v;
    v.typeKey = QStringLiteral("7A01");
    v.typeNumber = QStringLiteral("VQF40DE");
    v.productionDate = QStringLiteral("20170315");
    v.modelSeries = QStringLiteral("F40");
    v.countryCode = QStringLiteral("DE");
    v.countrySpecific = true;
    v.today = QStringLiteral("20240601");
    v.contracts = QStringList{"HLX0100", "HLX0200", "HLX0300"};
    return v;
}

CPackageVehicle Bento()
{
    CPackageVehicle v;
    v.typeKey = QStringLiteral("7B01");
    v.typeNumber = QStringLiteral("VQB20DE");
    v.productionDate = QStringLiteral("20190101");
    v.modelSeries = QStringLiteral("B20");
    v.today = QStringLiteral("20240601");
    return v;
}

// The Alto reads its packages from the alternative catalogue.
CPackageVehicle Alto()
{
    CPackageVehicle v;
    v.typeKey = QStringLiteral("7X01");
    v.typeNumber = QStringLiteral("VQA40001");
    v.productionDate = QStringLiteral("20170315");
    v.modelSeries = QStringLiteral("A40");
    v.alternativeCatalogue = true;
    v.today = QStringLiteral("20240601");
    return v;
}

std::unique_ptr<CPackageRow> Package(const QString &kind, const QString &origin, const QString &own,
                                     const QString &line = "010")
{
    auto row = std::make_unique<CPackageRow>();
    row->level = kLevelPackage;
    row->kind = kind;
    row->origin = origin;
    row->ownNumber = own;
    row->number = QStringLiteral("1110010");
    row->lineKey = line;
    return row;
}

QString Describe(const CPackageRow &row)
{
    return QStringLiteral("%1 %2 gr=%3 sp=%4 vl=%5")
        .arg(row.kind, row.ownNumber, row.grNumber, row.spNumber, row.vlNumber);
}

QStringList Describe(const std::vector<CPackageRow *> &rows)
{
    QStringList texts;
    for (const CPackageRow *row : rows)
        texts << Describe(*row);
    return texts;
}

} // namespace

class TestPackageList : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase_data();
    void init();
    void variantsMergeIntoTheRowOfTheirLine_data();
    void variantsMergeIntoTheRowOfTheirLine();
    void packageRowsListedInLineOrder_data();
    void packageRowsListedInLineOrder();
    void alternativeGroupRowsInKeyOrder_data();
    void alternativeGroupRowsInKeyOrder();
    void packageRowOffersItsVariants_data();
    void packageRowOffersItsVariants();
    void contractsCoverPackages_data();
    void contractsCoverPackages();
    void demoVehicleGetsItsGroupsAndPackages_data();
    void demoVehicleGetsItsGroupsAndPackages();
    void descentReachesTheRequestedPackage_data();
    void descentReachesTheRequestedPackage();
    void goingUpAndDownLeavesNoDanglingRows();
    void lostServerIsNoGroupWithoutPackages_data();
    void lostServerIsNoGroupWithoutPackages();
    void pathKeepsTheWayDownUntilAnotherRowOpens_data();
    void pathKeepsTheWayDownUntilAnotherRowOpens();
    void packageListReadsFollowAnIndexWithoutSorting_data();
    void packageListReadsFollowAnIndexWithoutSorting();

private:
    struct Dbs
    {
        std::unique_ptr<CYaqDb> packages, catalogue, contracts;
    };
    Dbs openDbs();
};

void TestPackageList::initTestCase_data()
{
    CatalogueDbTest::AddBackends();
}

void TestPackageList::init()
{
    if (CatalogueDbTest::NoServerForRow())
        QSKIP("YAQ_TEST_PG_* not set: no PostgreSQL test server");
}

TestPackageList::Dbs TestPackageList::openDbs()
{
    return {CatalogueDbTest::Open(), CatalogueDbTest::Open(), CatalogueDbTest::Open()};
}

void TestPackageList::variantsMergeIntoTheRowOfTheirLine_data()
{
    // Row: the row listed first, the row that follows on the same line (kind,
    // origin), whether a contract covers it, the rows listed afterwards.
    QTest::addColumn<QString>("firstKind");
    QTest::addColumn<QString>("firstOrigin");
    QTest::addColumn<QString>("nextKind");
    QTest::addColumn<QString>("nextOrigin");
    QTest::addColumn<bool>("covered");
    QTest::addColumn<QStringList>("rows");
    // clang-format off
    QTest::newRow("standard warranty joins standard service")      << "SRP" << "   " << "GRP" << "   " << false << QStringList{"SRP 1 gr=2 sp= vl="};
    QTest::newRow("country warranty not on standard service")     << "SRP" << "YAQ" << "GRP" << "DE"  << false << QStringList{"SRP 1 gr= sp= vl="};
    QTest::newRow("covered inclusive service joins")              << "SRP" << "   " << "SIP" << "   " << true  << QStringList{"SRP 1 gr= sp=2 vl="};
    QTest::newRow("uncovered inclusive service dropped")          << "SRP" << "   " << "SIP" << "   " << false << QStringList{"SRP 1 gr= sp= vl="};
    QTest::newRow("standard value line never offered")            << "SRP" << "   " << "VLP" << "   " << false << QStringList{"SRP 1 gr= sp= vl="};
    QTest::newRow("empty origin of service row counts standard")  << "SRP" << ""    << "GRP" << "   " << false << QStringList{"SRP 1 gr=2 sp= vl="};
    QTest::newRow("country service takes country value line")     << "SRP" << "DE"  << "VLP" << "DE"  << false << QStringList{"SRP 1 gr= sp= vl=2"};
    QTest::newRow("country service takes country warranty")       << "SRP" << "DE"  << "GRP" << "DE"  << false << QStringList{"SRP 1 gr=2 sp= vl="};
    QTest::newRow("country inclusive service needs a contract")   << "SRP" << "DE"  << "SIP" << "DE"  << false << QStringList{"SRP 1 gr= sp= vl="};
    QTest::newRow("service takes over country warranty's place")  << "GRP" << "DE"  << "SRP" << "   " << false << QStringList{"SRP 2 gr=1 sp= vl="};
    QTest::newRow("service takes over country value line")        << "VLP" << "DE"  << "SRP" << "YAQ" << false << QStringList{"SRP 2 gr= sp= vl=1"};
    QTest::newRow("country service never replaces")               << "GRP" << "DE"  << "SRP" << "DE"  << false << QStringList{"GRP 1 gr= sp= vl="};
    QTest::newRow("standard warranty first keeps service out")    << "GRP" << "   " << "SRP" << "   " << false << QStringList{"GRP 1 gr= sp= vl="};
    QTest::newRow("empty origin of warranty row is a country's")  << "GRP" << ""    << "SRP" << "   " << false << QStringList{"SRP 2 gr=1 sp= vl="};
    QTest::newRow("second service row of a line dropped")         << "SRP" << "   " << "SRP" << "DE"  << false << QStringList{"SRP 1 gr= sp= vl="};
    // clang-format on
}

void TestPackageList::variantsMergeIntoTheRowOfTheirLine()
{
    QFETCH(QString, firstKind);
    QFETCH(QString, firstOrigin);
    QFETCH(QString, nextKind);
    QFETCH(QString, nextOrigin);
    QFETCH(bool, covered);
    QFETCH(QStringList, rows);
    CPackageList list;
    const auto coverage = [covered](const CPackageRow &) { return covered; };
    QVERIFY(list.InsertPackage(Package(firstKind, firstOrigin, "1"), coverage));
    list.SetCurrentOfLevel(kLevelPackage, list.FirstOfLevel(kLevelPackage));
    list.InsertPackage(Package(nextKind, nextOrigin, "2"), coverage);
    QCOMPARE(Describe(list.RowsOfLevel(kLevelPackage)), rows);
    // A row that lost its place is no current row any more.
    QVERIFY(!list.Current(kLevelPackage) || list.Contains(list.Current(kLevelPackage)));
}

void TestPackageList::packageRowsListedInLineOrder_data()
{
    // Row: the package rows in the order the catalogue brings them, each
    // "kind|origin|own number|line|package number" (no line: a row of the
    // alternative catalogue), every contract covering; the rows listed.
    QTest::addColumn<QStringList>("inserted");
    QTest::addColumn<QStringList>("rows");
    // clang-format off
    QTest::newRow("second standard warranty leaves the first")  << QStringList{"SRP|   |1|010|1110010", "GRP|   |2|010|1110010", "GRP|   |3|010|1110010"} << QStringList{"SRP 1 gr=2 sp= vl="};
    QTest::newRow("country warranty replaces a standard one")   << QStringList{"SRP|DE|1|010|1110010", "GRP|   |2|010|1110010", "GRP|DE|3|010|1110010"}  << QStringList{"SRP 1 gr=3 sp= vl="};
    QTest::newRow("one number on two lines: the first line")    << QStringList{"SRP|   |1|020|7259049", "SRP|   |2|030|7259049"} << QStringList{"SRP 1 gr= sp= vl="};
    QTest::newRow("two lines with another package between")     << QStringList{"SRP|   |1|020|7259049", "SRP|   |2|025|7210010", "SRP|   |3|030|7259049"} << QStringList{"SRP 1 gr= sp= vl=", "SRP 2 gr= sp= vl="};
    QTest::newRow("one number on two lines, out of line order") << QStringList{"SRP|   |1|020|7259049", "SRP|   |2|040|7210010", "SRP|   |3|030|7259049"} << QStringList{"SRP 1 gr= sp= vl=", "SRP 2 gr= sp= vl="};
    QTest::newRow("second inclusive service leaves the first")  << QStringList{"SRP|   |1|010|1110010", "SIP|   |2|010|1110010", "SIP|   |3|010|1110010"} << QStringList{"SRP 1 gr= sp=2 vl="};
    QTest::newRow("no line: ordered by number")                 << QStringList{"SRP|   |1||1120010", "SRP|   |2||1110010"} << QStringList{"SRP 2 gr= sp= vl=", "SRP 1 gr= sp= vl="};
    QTest::newRow("no line: a country's row replaces")          << QStringList{"SRP|   |1||1110010", "SRP|DE|2||1110010", "SRP|   |3||1120010"} << QStringList{"SRP 2 gr= sp= vl=", "SRP 3 gr= sp= vl="};
    QTest::newRow("no line: a standard row never replaces")     << QStringList{"SRP|DE|1||1110010", "SRP|YAQ|2||1110010"} << QStringList{"SRP 1 gr= sp= vl="};
    // clang-format on
}

void TestPackageList::packageRowsListedInLineOrder()
{
    QFETCH(QStringList, inserted);
    QFETCH(QStringList, rows);
    CPackageList list;
    const auto coverage = [](const CPackageRow &) { return true; };
    for (const QString &spec : inserted) {
        const QStringList f = spec.split(QLatin1Char('|'));
        auto row = Package(f[0], f[1], f[2], f[3]);
        row->number = f[4];
        list.InsertPackage(std::move(row), coverage);
    }
    list.RemoveLooseVariants();
    QCOMPARE(Describe(list.RowsOfLevel(kLevelPackage)), rows);
}

void TestPackageList::alternativeGroupRowsInKeyOrder_data()
{
    // Row: the packages of the alternative catalogue in the order they come,
    // each "number|origin"; the group rows listed, each its key as the list
    // shows it and the origin of the package it stands for.
    QTest::addColumn<QStringList>("inserted");
    QTest::addColumn<QStringList>("rows");
    // clang-format off
    QTest::newRow("groups stand in the order of their keys")     << QStringList{"6411010|   ", "1110010|   ", "3410010|YAQ"} << QStringList{"11 ", "34 YAQ", "64 "};
    QTest::newRow("a group's further package adds no row")       << QStringList{"1110010|   ", "1120010|DE", "1130010|   "} << QStringList{"11 "};
    QTest::newRow("a country's row of the package takes its place") << QStringList{"1110010|   ", "1110010|DE", "3410010|   "}  << QStringList{"11 DE", "34 "};
    QTest::newRow("a standard row never takes a country's place") << QStringList{"1110010|DE", "1110010|YAQ"}                 << QStringList{"11 DE"};
    // clang-format on
}

void TestPackageList::alternativeGroupRowsInKeyOrder()
{
    QFETCH(QStringList, inserted);
    CPackageList list;
    for (const QString &spec : inserted) {
        const QStringList f = spec.split(QLatin1Char('|'));
        auto row = std::make_unique<CPackageRow>();
        row->level = kLevelTop;
        row->marker = f[0].left(2);
        row->mergeText = f[0];
        row->origin = f[1];
        list.InsertTopRowAlt(std::move(row));
    }
    QStringList rows;
    for (const CPackageRow *row : list.RowsOfLevel(kLevelTop))
        rows << PackageRowText(*row, false).keys.join(QLatin1Char(' ')) + QLatin1Char(' ') +
                    row->origin.trimmed();
    QTEST(rows, "rows");
}

void TestPackageList::packageRowOffersItsVariants_data()
{
    // Row: the variant numbers merged into a package row (GR, SP, VL); the
    // badges it shows, the variant a double click opens (0 SR, 2 SP, 3 VL).
    QTest::addColumn<QStringList>("variants");
    QTest::addColumn<QString>("badges");
    QTest::addColumn<int>("opened");
    // clang-format off
    QTest::newRow("both SP and VL: SP opens, VL grey") << QStringList{"", "1180010", "1170010"}        << "SP VL(grey, no click)"    << 2;
    QTest::newRow("all three variants")                << QStringList{"1190010", "1180010", "1170010"} << "SP VL(grey, no click) GR" << 2;
    QTest::newRow("value line alone opens")            << QStringList{"", "", "1170030"}               << "VL"                       << 3;
    QTest::newRow("warranty only by its badge")        << QStringList{"1190040", "", ""}               << "GR"                       << 0;
    QTest::newRow("no variant")                        << QStringList{"", "", ""}                      << ""                         << 0;
    // clang-format on
}

void TestPackageList::packageRowOffersItsVariants()
{
    QFETCH(QStringList, variants);
    QFETCH(QString, badges);
    QFETCH(int, opened);
    CPackageRow row = *Package(QStringLiteral("SRP"), QStringLiteral("   "), QStringLiteral("1"));
    row.grNumber = variants[0];
    row.spNumber = variants[1];
    row.vlNumber = variants[2];
    QStringList shown;
    for (const CRowBadgeText &badge : PackageRowBadges(row)) {
        QStringList marks;
        if (badge.greyed)
            marks << QStringLiteral("grey");
        if (!badge.clickable)
            marks << QStringLiteral("no click");
        shown << badge.text + (marks.isEmpty()
                                   ? QString()
                                   : QLatin1Char('(') + marks.join(", ") + QLatin1Char(')'));
    }
    QCOMPARE(shown.join(QLatin1Char(' ')), badges);
    QCOMPARE(row.OpenedVariant(), opened);
}

void TestPackageList::contractsCoverPackages_data()
{
    // Demo contracts: HLX0100 includes the positions 111008XX (and 3410XXXX
    // until 2020), HLX0200 excludes 11XXXXXX, HLX0300 has no list.
    QTest::addColumn<QStringList>("contracts");
    QTest::addColumn<bool>("hlxFlag");
    QTest::addColumn<QString>("today");
    QTest::addColumn<QString>("package");
    QTest::addColumn<bool>("covered");
    // clang-format off
    QTest::newRow("position in the inclusion list")        << QStringList{"HLX0100"} << false << "20240601" << "1110010" << true;
    QTest::newRow("position outside the inclusion list")   << QStringList{"HLX0100"} << false << "20240601" << "1110020" << false;
    QTest::newRow("position in the exclusion list")        << QStringList{"HLX0200"} << false << "20240601" << "1110020" << false;
    QTest::newRow("group 87 outside exclusion with flag")  << QStringList{"HLX0200"} << true  << "20240601" << "1110010" << true;
    QTest::newRow("group 87 ignored without flag")         << QStringList{"HLX0200"} << false << "20240601" << "1110010" << false;
    QTest::newRow("contract without list")                 << QStringList{"HLX0300"} << false << "20240601" << "1110010" << false;
    QTest::newRow("inclusion not yet valid")               << QStringList{"HLX0100"} << false << "20191231" << "1110010" << false;
    QTest::newRow("inclusion valid from its first day")    << QStringList{"HLX0100"} << false << "20200101" << "1110010" << true;
    QTest::newRow("inclusion valid through its last day")  << QStringList{"HLX0100"} << false << "20991231" << "1110010" << true;
    QTest::newRow("inclusion over the day after its last") << QStringList{"HLX0100"} << false << "21000101" << "1110010" << false;
    QTest::newRow("package without findings positions")    << QStringList{"HLX0200"} << false << "20240601" << "3410010" << false;
    QTest::newRow("no contract")                           << QStringList{}          << false << "20240601" << "1110010" << false;
    // clang-format on
}

void TestPackageList::contractsCoverPackages()
{
    QFETCH(QStringList, contracts);
    QFETCH(bool, hlxFlag);
    QFETCH(QString, today);
    QFETCH(QString, package);
    QFETCH(bool, covered);
    auto catalogue = CatalogueDbTest::Open();
    auto contractDb = CatalogueDbTest::Open();
    QVERIFY(catalogue && contractDb);
    const CPackageCoverage coverage(catalogue.get(), contractDb.get(), QStringLiteral("1"),
                                    contracts, today, hlxFlag);
    QCOMPARE(coverage.IsCovered(package), covered ? CatalogueFound::Yes : CatalogueFound::No);
}

void TestPackageList::demoVehicleGetsItsGroupsAndPackages_data()
{
    // Row: the vehicle, its top rows (key, title, line range), the main
    // group opened, the package line its top row stands for (a country's
    // line of the same text takes the standard line's place), the package
    // rows listed there.
    QTest::addColumn<bool>("arvo");
    QTest::addColumn<QStringList>("topRows");
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("topNumber");
    QTest::addColumn<QStringList>("packages");
    // clang-format off
    QTest::newRow("arvo, motor") << true << QStringList{"11 Motor 010-040", "34 Bremsen 010-020", "64 Karosserie 110-220"} << "11" << "1110030" << QStringList{"SRP 1110010 gr=1190010 sp=1180010 vl=", "SRP 1110020 gr= sp= vl=", "SRP 1110030 gr= sp= vl=1170030", "SRP 1110040 gr=1190040 sp= vl="};
    QTest::newRow("arvo, brakes without labour value") << true << QStringList{"11 Motor 010-040", "34 Bremsen 010-020", "64 Karosserie 110-220"} << "34" << "3410010" << QStringList{"SRP 3410010 gr= sp= vl="};
    QTest::newRow("bento, no contract") << false << QStringList{"11 Motor 010-010", "34 Bremsen 010-020"} << "11" << "1110010" << QStringList{"SRP 1110010 gr=1190010 sp= vl="};
    // clang-format on
}

void TestPackageList::demoVehicleGetsItsGroupsAndPackages()
{
    QFETCH(bool, arvo);
    QFETCH(QStringList, topRows);
    QFETCH(QString, group);
    QFETCH(QStringList, packages);
    Dbs db = openDbs();
    QVERIFY(db.packages && db.catalogue && db.contracts);
    TableReads reads(arvo ? kArvoValid : kBentoValid);
    CPackageListBuilder builder(db.packages.get(), db.catalogue.get(), db.contracts.get(), &reads,
                                arvo ? Arvo() : Bento());
    CPackageList list;
    QCOMPARE(builder.Build(list), topRows.size());
    QStringList tops;
    CPackageRow *opened = nullptr;
    for (CPackageRow *row : list.RowsOfLevel(kLevelTop)) {
        tops << QStringLiteral("%1 %2 %3-%4")
                    .arg(row->marker, row->groupText, row->selectionFrom, row->selectionTo);
        if (row->marker == group)
            opened = row;
    }
    QCOMPARE(tops, topRows);
    QVERIFY(opened);
    QTEST(opened->number, "topNumber");
    QCOMPARE(list.Current(kLevelTop), list.FirstOfLevel(kLevelTop));
    QCOMPARE(builder.Open(list, opened), CPackageListBuilder::Opened::LevelShown);
    QCOMPARE(list.ShownLevel(), int(kLevelPackage));
    QCOMPARE(Describe(list.RowsOfLevel(kLevelPackage)), packages);
    const CPackageRow *first = list.FirstOfLevel(kLevelPackage);
    QCOMPARE(first->texts[0], arvo && group == "34" ? QString("Bremsbelaege vorne ersetzen")
                                                    : QString("Inspektion mit Oelwechsel"));
}

void TestPackageList::descentReachesTheRequestedPackage_data()
{
    // Row: the catalogue (0 the Arvo's standard one, 1 the same with the
    // flag of a catalogue other than the standard one, 2 the Alto's
    // alternative one), the package asked for, the rows opened on the way
    // (path), the package row reached (empty: none), the level shown at
    // the end.
    QTest::addColumn<int>("catalogue");
    QTest::addColumn<QString>("package");
    QTest::addColumn<QStringList>("path");
    QTest::addColumn<QString>("reached");
    QTest::addColumn<int>("shown");
    // clang-format off
    QTest::newRow("group straight onto its packages")   << 0 << "1110040" << QStringList{"1:11"} << "1110040" << 9;
    QTest::newRow("country package")                    << 0 << "1110030" << QStringList{"1:11"} << "1110030" << 9;
    QTest::newRow("through both group levels")          << 0 << "6411020" << QStringList{"1:64", "7:Tueren und Klappen", "8:Tuerschloss"} << "6411020" << 9;
    QTest::newRow("first group level onto packages")    << 0 << "6412020" << QStringList{"1:64", "7:Scheiben und Spiegel"} << "6412020" << 9;
    QTest::newRow("package without labour value")       << 0 << "3410020" << QStringList{"1:34"} << "" << 9;
    QTest::newRow("package of a group not listed")      << 0 << "9910010" << QStringList{} << "" << 1;
    QTest::newRow("catalogue flag: by number")          << 1 << "1110040" << QStringList{"1:11"} << "1110040" << 9;
    QTest::newRow("catalogue flag: no first group level") << 1 << "6411020" << QStringList{"1:64"} << "" << 7;
    QTest::newRow("alternative: through the level 8")   << 2 << "1120010" << QStringList{"1:11", "8:Motor Zuendung"} << "1120010" << 9;
    QTest::newRow("alternative: group not valid")       << 2 << "3410010" << QStringList{} << "" << 1;
    // clang-format on
}

void TestPackageList::descentReachesTheRequestedPackage()
{
    QFETCH(int, catalogue);
    QFETCH(QString, package);
    QFETCH(QStringList, path);
    QFETCH(QString, reached);
    QFETCH(int, shown);
    Dbs db = openDbs();
    QVERIFY(db.packages && db.catalogue && db.contracts);
    TableReads reads(catalogue == 2 ? kAltoValid : kArvoValid);
    CPackageVehicle vehicle = catalogue == 2 ? Alto() : Arvo();
    vehicle.catalogueFlag = catalogue == 1 ? 1 : 0;
    CPackageListBuilder builder(db.packages.get(), db.catalogue.get(), db.contracts.get(), &reads,
                                vehicle);
    CPackageList list;
    QVERIFY(builder.Build(list) > 0);
    const CPackageRow *row = builder.DescendTo(list, package, QString());
    QStringList opened;
    for (const CPackageRow *step : list.Path())
        opened << QStringLiteral("%1:%2")
                      .arg(step->level)
                      .arg(step->level == kLevelTop ? step->marker : step->groupText);
    QCOMPARE(opened, path);
    QCOMPARE(row ? row->number : QString(), reached);
    QCOMPARE(list.ShownLevel(), shown);
    if (row)
        QCOMPARE(list.Current(kLevelPackage), row);
}

void TestPackageList::goingUpAndDownLeavesNoDanglingRows()
{
    Dbs db = openDbs();
    QVERIFY(db.packages && db.catalogue && db.contracts);
    TableReads reads(kArvoValid);
    CPackageListBuilder builder(db.packages.get(), db.catalogue.get(), db.contracts.get(), &reads,
                                Arvo());
    CPackageList list;
    QVERIFY(builder.Build(list) > 0);
    const auto noneDangles = [&list]() {
        for (int level = 1; level <= kPackageListLevels; ++level) {
            const CPackageRow *current = list.Current(level);
            if (current && !list.Contains(current))
                return false;
        }
        for (const CPackageRow *row : list.Path()) {
            if (!list.Contains(row))
                return false;
        }
        return true;
    };
    // Down to a package through both group levels: "<<" climbs them back.
    QVERIFY(builder.DescendTo(list, QStringLiteral("6411020"), QString()));
    QCOMPARE(list.LevelAbove(), int(kLevelGroup8));
    list.Show(kLevelGroup8, false);
    QCOMPARE(list.LevelAbove(), int(kLevelGroup7));
    list.Show(kLevelGroup7, false);
    QCOMPARE(list.LevelAbove(), int(kLevelTop));
    // Another group opened from the top: the levels below the old one are
    // gone, and with them every reference to their rows.
    CPackageRow *motor = nullptr;
    for (CPackageRow *row : list.RowsOfLevel(kLevelTop)) {
        if (row->marker == QLatin1String("11"))
            motor = row;
    }
    QVERIFY(motor);
    QCOMPARE(builder.Open(list, motor), CPackageListBuilder::Opened::LevelShown);
    QVERIFY(noneDangles());
    QCOMPARE(list.Current(kLevelGroup7), nullptr);
    QCOMPARE(list.Current(kLevelGroup8), nullptr);
    QVERIFY(list.RowsOfLevel(kLevelGroup7).empty());
    QCOMPARE(list.Path().size(), size_t(1));
    QCOMPARE(list.LevelAbove(), int(kLevelTop));
    // A current package row replaced by a country's row is forgotten.
    list.SetCurrent(list.FirstOfLevel(kLevelPackage));
    auto replacing = std::make_unique<CPackageRow>(*list.FirstOfLevel(kLevelPackage));
    replacing->lineKey.clear();
    replacing->origin = QStringLiteral("DE");
    list.RemoveRowsFrom(kLevelPackage);
    QCOMPARE(list.Current(kLevelPackage), nullptr);
    QVERIFY(list.InsertPackage(std::move(replacing), {}));
    list.SetCurrent(list.FirstOfLevel(kLevelPackage));
    auto country = std::make_unique<CPackageRow>(*list.FirstOfLevel(kLevelPackage));
    QVERIFY(list.InsertPackage(std::move(country), {}));
    QCOMPARE(list.Current(kLevelPackage), nullptr);
    QVERIFY(noneDangles());
    // The whole list rebuilt: nothing of the old one is referenced.
    QVERIFY(builder.Build(list) > 0);
    QVERIFY(noneDangles());
    QVERIFY(list.Path().empty());
}

// The catalogue server, reached through a proxy of the test's own, goes
// away or stops answering while the list is shown: opening a group tells a
// failed read, not a group without packages; once the server answers again
// the next opening lists its packages.
void TestPackageList::lostServerIsNoGroupWithoutPackages_data()
{
    QTest::addColumn<bool>("hangs");
    // clang-format off
    QTest::newRow("server gone")            << false;
    QTest::newRow("server stops answering") << true;
    // clang-format on
}

void TestPackageList::lostServerIsNoGroupWithoutPackages()
{
    QFETCH(bool, hangs);
    if (!CatalogueDbTest::IsPg())
        QSKIP("the catalogue server only");
    CProxiedServer proxy;
    QVERIFY(proxy.Port());
    std::unique_ptr<CYaqDb> dbs[3];
    for (auto &db : dbs) {
        db = proxy.Open();
        QVERIFY(db);
    }
    TableReads reads(kArvoValid);
    CPackageListBuilder builder(dbs[0].get(), dbs[1].get(), dbs[2].get(), &reads, Arvo());
    CPackageList list;
    QVERIFY(builder.Build(list) > 0);
    QVERIFY(!builder.ReadFailed());
    const auto brakes = [&list]() -> CPackageRow * {
        for (CPackageRow *row : list.RowsOfLevel(kLevelTop)) {
            if (row->marker == QLatin1String("34"))
                return row;
        }
        return nullptr;
    };
    QVERIFY(brakes());

    if (hangs)
        proxy.Freeze();
    else
        proxy.Cut();
    builder.Open(list, brakes());
    QVERIFY(builder.ReadFailed());

    proxy.Resume();
    QCOMPARE(builder.Open(list, brakes()), CPackageListBuilder::Opened::LevelShown);
    QVERIFY(!builder.ReadFailed());
    QVERIFY(list.FirstOfLevel(kLevelPackage));
}

void TestPackageList::pathKeepsTheWayDownUntilAnotherRowOpens_data()
{
    // Row: from the door lock's packages (64 / Tueren und Klappen /
    // Tuerschloss), the steps ("<<" a level up, else the group text or main
    // group opened from the level shown) -> the path, the level shown.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("path");
    QTest::addColumn<int>("shown");
    const QStringList way{"1:64", "7:Tueren und Klappen", "8:Tuerschloss"};
    // clang-format off
    QTest::newRow("\"<<\" keeps the way down")              << QStringList{"<<", "<<"}                               << way                                         << 7;
    QTest::newRow("\"<<\" to the top keeps it too")         << QStringList{"<<", "<<", "<<"}                         << way                                         << 1;
    QTest::newRow("another first level after \"<<\"")       << QStringList{"<<", "<<", "Scheiben und Spiegel"}       << QStringList{"1:64", "7:Scheiben und Spiegel"} << 9;
    QTest::newRow("another main group after \"<<\"")        << QStringList{"<<", "<<", "<<", "11"}                   << QStringList{"1:11"}                         << 9;
    // clang-format on
}

void TestPackageList::pathKeepsTheWayDownUntilAnotherRowOpens()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, path);
    QFETCH(int, shown);
    Dbs db = openDbs();
    QVERIFY(db.packages && db.catalogue && db.contracts);
    TableReads reads(kArvoValid);
    CPackageListBuilder builder(db.packages.get(), db.catalogue.get(), db.contracts.get(), &reads,
                                Arvo());
    CPackageList list;
    QVERIFY(builder.Build(list) > 0);
    QVERIFY(builder.DescendTo(list, QStringLiteral("6411020"), QString()));
    for (const QString &step : steps) {
        if (step == QLatin1String("<<")) {
            list.Show(list.LevelAbove(), true);
            continue;
        }
        CPackageRow *opened = nullptr;
        for (CPackageRow *row : list.RowsOfLevel(list.ShownLevel())) {
            if ((row->level == kLevelTop ? row->marker : row->groupText) == step)
                opened = row;
        }
        QVERIFY2(opened, qPrintable(step));
        QCOMPARE(builder.Open(list, opened), CPackageListBuilder::Opened::LevelShown);
    }
    QStringList way;
    for (const CPackageRow *row : list.Path())
        way << QStringLiteral("%1:%2")
                   .arg(row->level)
                   .arg(row->level == kLevelTop ? row->marker : row->groupText);
    QCOMPARE(way, path);
    QCOMPARE(list.ShownLevel(), shown);
}

void TestPackageList::packageListReadsFollowAnIndexWithoutSorting_data()
{
    // Row: the name of the read (CYaqDb::PackageListQuery), the index its
    // plan follows.
    QTest::addColumn<QString>("index");
    // clang-format off
    QTest::newRow("main groups")                           << "sqlite_autoindex_aw_main_group_1";
    QTest::newRow("package lines of a kind")               << "srp_package_line_by_kind";
    QTest::newRow("package lines of a kind in a group")    << "srp_package_line_by_kind";
    QTest::newRow("package lines of a kind and line text") << "srp_package_line_by_kind";
    QTest::newRow("package lines of a group")              << "srp_package_line_by_group";
    QTest::newRow("lines of a package")                    << "srp_package_line_by_number";
    QTest::newRow("alternative packages")                  << "srp_package_alt_by_group";
    QTest::newRow("alternative packages of a group")       << "srp_package_alt_by_group";
    QTest::newRow("alternative main group")                << "sqlite_autoindex_alt_aw_main_group_1";
    QTest::newRow("alternative second-level group")        << "sqlite_autoindex_alt_aw_sub_group_1";
    QTest::newRow("first group level titles")              << "aw_group_text_by_key";
    QTest::newRow("second group level title")              << "sqlite_autoindex_aw_subgroup_text_1";
    QTest::newRow("position texts")                        << "sqlite_autoindex_apos_text_1";
    QTest::newRow("position texts of a main group")        << "sqlite_autoindex_apos_text_1";
    QTest::newRow("findings positions")                    << "findings_position_by_package";
    QTest::newRow("contract")                              << "sqlite_autoindex_hlx_option_1";
    QTest::newRow("contract position list")                << "hlx_position_list_by_list";
    // clang-format on
}

void TestPackageList::packageListReadsFollowAnIndexWithoutSorting()
{
    // Opening a main group walks its lines in line order: a sort would read
    // every line of the group before the first row.
    if (CatalogueDbTest::IsPg())
        QSKIP("the plans are checked on the local catalogue file");
    QFETCH(QString, index);
    const QString sql = CYaqDb::PackageListQuery(QTest::currentDataTag());
    QVERIFY(!sql.isEmpty());
    const QString problem = CatalogueDbTest::PlanProblem(sql, index);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
}

YAQ_TEST_GUILESS_MAIN(TestPackageList)
#include "tst_packagelist.moc"
