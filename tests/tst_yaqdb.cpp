// The catalogue database layer on the demo catalogue, run once against the
// SQLite catalogue of the demo data directory and once against a PostgreSQL
// server (announced by YAQ_TEST_PG_*; skipped when they are not set).

#include "platform/db/FileDb.h"
#include "platform/db/ServerWait.h"
#include "platform/db/SqlDialect.h"
#include "platform/db/SqliteStatement.h"
#include "platform/db/UniDbException.h"
#include "platform/db/YaqDb.h"
#include "support/CatalogueDbTest.h"
#include "support/TcpProxy.h"
#include "support/TestEnv.h"
#include "support/Waits.h"

#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>
#include <memory>

namespace {

const QString kVinContract = QStringLiteral("XVQ1F23A57M012345");
const QString kVinSpecial = QStringLiteral("XVQ2G45B684K56789");

// Collects one field of every row of a walk begun by the read that gave `first`.
template <class Rec> QStringList Walk(CYaqDb &db, int first, Rec &rec, QString Rec::*field)
{
    QStringList values;
    for (int found = first; found; found = db.ReadNext()) {
        rec.TrimData();
        values << rec.*field;
    }
    return values;
}

// The keys of the contract vehicle's contracts.
CHLXFgstnrData ContractVinRecord()
{
    CHLXFgstnrData vin;
    vin.m_strKatBstNr = "1";
    vin.m_strFgstNr = kVinContract;
    return vin;
}

} // namespace

class TestYaqDb : public QObject
{
    Q_OBJECT

private:
private slots:
    void initTestCase_data();
    void init();

    void identifiesVinThroughRangeAndType_data();
    void identifiesVinThroughRangeAndType();
    void specialReadWalksCandidateRangesNearestFirst();
    void localDataSetReadsRangeTypeAndBrand_data();
    void localDataSetReadsRangeTypeAndBrand();
    void shortVinOfTwoVehiclesGivesTwoRows_data();
    void shortVinOfTwoVehiclesGivesTwoRows();
    void identificationReadsFollowAnIndexWithoutSorting_data();
    void identificationReadsFollowAnIndexWithoutSorting();
    void catalogueRowsFollowOptionalKeys_data();
    void catalogueRowsFollowOptionalKeys();
    void catalogueColumnsAndAlternatives();
    void maintenanceTopicsByTypeKeyOrLeadType();
    void contractReadsAndLatestReport();
    void labourValueReadsAndRunsOfOnePosition();
    void partsClearingAndPackagesHonourAdditionalCodeAndMonth();
    void secondConnectionWalksWhileFirstIsOpen();
    void newQueryReplacesTheOpenCursor();
    void keysNeverBecomeSqlText_data();
    void keysNeverBecomeSqlText();
    void failureIsToldApartFromNoRow();
    void brokenConnectionFailsReads();
    void lostConnectionEndsItsRunOfReads();
    void serverRestartedWhileIdleIsNoFailure_data();
    void serverRestartedWhileIdleIsNoFailure();
    void silentServerIsWaitedOnOnce();
    void failedOpensAnswerZero_data();
    void failedOpensAnswerZero();
    void fileValuesReadAsStored_data();
    void fileValuesReadAsStored();
    void fileIsReadThroughSqliteItself();
};

void TestYaqDb::initTestCase_data()
{
    CatalogueDbTest::AddBackends();
}

void TestYaqDb::init()
{
    if (CatalogueDbTest::NoServerForRow())
        QSKIP("YAQ_TEST_PG_* not set: no PostgreSQL test server");
}

void TestYaqDb::identifiesVinThroughRangeAndType_data()
{
    QTest::addColumn<QString>("vin");
    QTest::addColumn<bool>("special");
    QTest::addColumn<QString>("typeKey");
    QTest::addColumn<QString>("leadType");
    QTest::addColumn<QString>("series");
    QTest::addColumn<QString>("extra");
    // clang-format off
    QTest::newRow("ordinary vin inside its range") << kVinContract << false << "7A01" << "1101" << "F40" << "A";
    QTest::newRow("ordinary vin in the next range") << "XVQ1F23A57M150000" << false << "7A02" << "1102" << "F40" << "A";
    QTest::newRow("range start itself") << "XVQ1F23A57M000000" << false << "7A01" << "1101" << "F40" << "A";
    QTest::newRow("range end itself") << "XVQ1F23A57M099999" << false << "7A01" << "1101" << "F40" << "A";
    QTest::newRow("special short vin") << kVinSpecial << true << "7B01" << "2201" << "B20" << "B";
    QTest::newRow("vin type part without ranges") << "XVQ9Z99A57M012345" << false << "" << "" << "" << "";
    QTest::newRow("short vin between ranges") << "XVQ5F51A57M012345" << false << "" << "" << "" << "";
    // clang-format on
}

void TestYaqDb::identifiesVinThroughRangeAndType()
{
    QFETCH(QString, vin);
    QFETCH(bool, special);
    QFETCH(QString, typeKey);
    auto db = CatalogueDbTest::Open();
    QVERIFY(db);
    CFgstnrTypSchlData rec;
    rec.Init();
    rec.m_strFgstNr = vin.mid(10, 7);
    rec.m_strFgstTyp = vin.mid(3, 4);
    const int found =
        special ? db->ReadFgstnrTypSchlDataSpecial(rec) : db->ReadFgstnrTypSchlData(rec);
    QCOMPARE(found != 0, !typeKey.isEmpty());
    QCOMPARE(db->LastResult(), found ? DbResult::Row : DbResult::NoRow);
    if (typeKey.isEmpty())
        return;
    rec.TrimData();
    QCOMPARE(rec.m_strTypSchl, typeKey);
    QTEST(rec.m_strLTyp, "leadType");
    QTEST(rec.m_strEReihe, "series");
    QTEST(rec.m_strZusatz, "extra");
    QCOMPARE(rec.m_strKatBstNr, QStringLiteral("1"));
    QCOMPARE(rec.m_strLand, QStringLiteral("DE"));
    QCOMPARE(rec.m_strFgstNr, vin.mid(10, 7)); // the key stays in the record
    QVERIFY(rec.m_strVonFgstNr <= rec.m_strFgstNr && rec.m_strFgstNr <= rec.m_strBisFgstNr);
}

void TestYaqDb::specialReadWalksCandidateRangesNearestFirst()
{
    auto db = CatalogueDbTest::Open();
    QVERIFY(db);
    CFgstnrTypSchlData rec;
    rec.m_strFgstNr = kVinSpecial.mid(10, 7);
    rec.m_strFgstTyp = kVinSpecial.mid(3, 4);
    const int first = db->ReadFgstnrTypSchlDataSpecial(rec);
    // The digit-letter range comes before the numeric range that also
    // contains the short VIN as a text; the caller keeps only the former.
    QCOMPARE(Walk(*db, first, rec, &CFgstnrTypSchlData::m_strTypSchl),
             QStringList({"7B01", "7C01"}));
    QCOMPARE(db->LastResult(), DbResult::NoRow);
    QCOMPARE(db->ReadNext(), 0); // stays exhausted
}

void TestYaqDb::localDataSetReadsRangeTypeAndBrand_data()
{
    QTest::addColumn<QString>("vin");
    QTest::addColumn<QString>("rangeStart");
    QTest::addColumn<QString>("typeKey");
    QTest::addColumn<QString>("brand");
    QTest::addColumn<QString>("model");
    // clang-format off
    QTest::newRow("vin of the contract vehicle") << kVinContract << "M000000" << "7A01" << "VQ" << "Arvo 1.6";
    QTest::newRow("special vin") << kVinSpecial << "4K00000" << "7B01" << "VQ" << "Bento";
    QTest::newRow("blocked brand") << "XVQ3T00A57T012345" << "T000000" << "7T01" << "TK" << "Tremik X";
    QTest::newRow("range end itself") << "XVQ1F23A57M099999" << "M000000" << "7A01" << "VQ" << "Arvo 1.6";
    QTest::newRow("range start itself") << "XVQ1F23A57M100000" << "M100000" << "7A02" << "VQ" << "Arvo 2.0";
    // The nearest start below the VIN ("4K00000") belongs to a range that
    // ends below it; the wide range around it holds the VIN.
    QTest::newRow("wide range around a narrower one") << "XVQ2G45B685123456" << "0000000" << "7C01" << "VQ" << "Cirro";
    // clang-format on
}

void TestYaqDb::localDataSetReadsRangeTypeAndBrand()
{
    QFETCH(QString, vin);
    QFETCH(QString, typeKey);
    auto db = CatalogueDbTest::Open();
    QVERIFY(db);
    CFgstnrData range;
    range.m_strFgstNr = vin.mid(10, 7);
    range.m_strFgstTyp = vin.mid(3, 4);
    QVERIFY(db->ReadFgstnrData(range));
    QTEST(range.m_strVonFgstNr, "rangeStart");
    QVERIFY(range.m_strVonFgstNr <= range.m_strFgstNr && range.m_strFgstNr <= range.m_strBisFgstNr);
    QCOMPARE(range.m_strTypSchl, typeKey);

    CMarkeData brand;
    brand.m_strTypSchl = typeKey;
    QVERIFY(db->GetMarkeFromTypschl(brand));
    QTEST(brand.m_strMarke, "brand");

    CTypSchlData type;
    type.m_strKatBstNr = range.m_strKatBstNr;
    type.m_strTypSchl = typeKey;
    QVERIFY(db->ReadTypSchlData2(type));
    QTEST(type.m_strVerkBez, "model");

    CFgstnrTypSchlData byKey;
    byKey.m_strTypSchl = typeKey;
    QVERIFY(db->ReadTypSchlData(byKey));
    QCOMPARE(byKey.m_strKatBstNr, QStringLiteral("1"));
    QTEST(byKey.m_strVerkBez, "model");
}

void TestYaqDb::shortVinOfTwoVehiclesGivesTwoRows_data()
{
    QTest::addColumn<QString>("shortVin");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("vehicles");
    // clang-format off
    QTest::newRow("short vin of one vehicle") << "M012345" << 1 << 1;
    QTest::newRow("short vin at the end of its range") << "M099999" << 1 << 1;
    QTest::newRow("special short vin: the plain range around it is no vehicle") << "4K56789" << 2 << 1;
    QTest::newRow("short vin at the start of its range") << "M100000" << 1 << 1;
    QTest::newRow("short vin only in a range whose ends differ at once") << "5000000" << 1 << 1;
    QTest::newRow("short vin of no vehicle") << "Z999999" << 0 << 0;
    // clang-format on
}

void TestYaqDb::shortVinOfTwoVehiclesGivesTwoRows()
{
    QFETCH(QString, shortVin);
    QFETCH(int, rows);
    QFETCH(int, vehicles);
    auto db = CatalogueDbTest::Open();
    QVERIFY(db);
    CFgstnrData rec;
    rec.m_strFgstNr = shortVin;
    QCOMPARE(Walk(*db, db->ReadVin17Data(rec), rec, &CFgstnrData::m_strTypSchl).size(), rows);
    QCOMPARE(db->CountShortVin(shortVin).value, vehicles); // two are as many as it counts
}

void TestYaqDb::identificationReadsFollowAnIndexWithoutSorting_data()
{
    // Row: the name of the read (CYaqDb::IdentificationQuery), the index
    // its plan follows.
    QTest::addColumn<QString>("index");
    // clang-format off
    QTest::newRow("vin range with its type") << "vin_range_by_type";
    QTest::newRow("vin range") << "vin_range_by_type";
    QTest::newRow("vin range of any vin type") << "vin_range_by_prefix";
    QTest::newRow("type by type key") << "sqlite_autoindex_type_key_1";
    QTest::newRow("brand of a type key") << "sqlite_autoindex_type_key_1";
    QTest::newRow("type of a catalogue") << "sqlite_autoindex_type_key_1";
    QTest::newRow("catalogues of a series") << "catalogue_by_series";
    QTest::newRow("catalogues of a series in a country") << "catalogue_by_country";
    QTest::newRow("column of a lead type") << "catalogue_column_by_lead_type";
    QTest::newRow("alternative lead type") << "alt_lead_type_by_lead_type";
    QTest::newRow("alternative catalogue") << "alt_catalogue_by_type";
    QTest::newRow("finding main groups") << "sqlite_autoindex_finding_level_text_1";
    QTest::newRow("finding text search") << "sqlite_autoindex_finding_level_text_1";
    QTest::newRow("finding hints") << "sqlite_autoindex_finding_hint_1";
    QTest::newRow("position text lines") << "apos_text_by_position";
    QTest::newRow("finding codes of a main group") << "findings_code_by_code";
    QTest::newRow("scope-text number") << "sqlite_autoindex_apos_scope_1";
    QTest::newRow("scope-text lines") << "sqlite_autoindex_scope_text_1";
    QTest::newRow("inclusive-position list") << "apos_inclusive_by_position";
    QTest::newRow("inclusive positions") << "inclusive_position_by_list";
    // clang-format on
}

void TestYaqDb::identificationReadsFollowAnIndexWithoutSorting()
{
    // A VIN look-up reads its first row only: in index order that is the
    // first row found, while a sort first reads every range below the VIN.
    QFETCH(QString, index);
    const QString sql = CYaqDb::IdentificationQuery(QTest::currentDataTag());
    QVERIFY(!sql.isEmpty());
    // A read by a whole primary key finds its row through any index of the
    // table (PostgreSQL takes either of the two of type_key).
    static const QRegularExpression primaryKey(QStringLiteral("^sqlite_autoindex_(\\w+)_1$"));
    const QString problem =
        CatalogueDbTest::IsPg()
            ? CatalogueDbTest::PgPlanProblem(
                  sql, QString(index).replace(primaryKey, QStringLiteral("\\1\\w*")))
            : CatalogueDbTest::PlanProblem(sql, index);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
}

void TestYaqDb::catalogueRowsFollowOptionalKeys_data()
{
    QTest::addColumn<QString>("catalogue");
    QTest::addColumn<QString>("series");
    QTest::addColumn<QString>("country");
    QTest::addColumn<QStringList>("typeNumbers");
    // clang-format off
    QTest::newRow("whole catalogue in catalogue order") << "1" << "" << "" << QStringList{"VQB20DE", "VQF40DE", "VQC30DE", "VQF40GB", "VQF50DE", "TKX10DE", "VQA40001"};
    QTest::newRow("series with two catalogues") << "1" << "F40" << "" << QStringList{"VQF40DE", "VQF40GB"};
    QTest::newRow("series and country") << "1" << "F40" << "GB" << QStringList{"VQF40GB"};
    QTest::newRow("unknown series") << "1" << "Z99" << "" << QStringList{};
    QTest::newRow("other catalogue key") << "2" << "F40" << "" << QStringList{};
    // clang-format on
}

void TestYaqDb::catalogueRowsFollowOptionalKeys()
{
    QFETCH(QString, catalogue);
    QFETCH(QString, series);
    QFETCH(QString, country);
    auto db = CatalogueDbTest::Open();
    QVERIFY(db);
    CAwKatalogData rec;
    rec.m_strKatBstNr = catalogue;
    rec.m_strEReihe = series;
    QTEST(Walk(*db, db->ReadAwKatalogDataOnEreihe(rec, country), rec, &CAwKatalogData::m_strTypNr),
          "typeNumbers");
    QVERIFY(!db->LastFailed());
}

void TestYaqDb::catalogueColumnsAndAlternatives()
{
    auto db = CatalogueDbTest::Open();
    QVERIFY(db);
    CAwKatSpalteData col;
    col.m_strKatBstNr = "1";
    col.m_strLTyp = "1102";
    QVERIFY(db->RdAwKatSpDatOnKatBstNr(col));
    QCOMPARE(col.m_strTypNr, QStringLiteral("VQF40DE"));
    QCOMPARE(col.m_strSpNr, QStringLiteral("2"));
    QCOMPARE(col.m_strSpBez, QStringLiteral("Arvo 2.0"));

    col.Init();
    col.m_strKatBstNr = "1";
    col.m_strTypNr = "VQF40DE";
    QCOMPARE(Walk(*db, db->ReadAwKatSpalteDataOnSpBez(col), col, &CAwKatSpalteData::m_strLTyp),
             QStringList({"1101", "1102", "1103", "0901"}));

    col.Init();
    col.m_strKatBstNr = "1";
    col.m_strTypNr = "VQF40DE";
    col.m_strSpBez = "Arvo 2.0";
    QCOMPARE(Walk(*db, db->ReadAwKatSpalteDataOnLTypSpNr(col), col, &CAwKatSpalteData::m_strLTyp),
             QStringList({"1102", "1103"}));

    CAltLtypData alt;
    alt.m_strLTyp = "4401";
    QVERIFY(db->ReadAltLtypData(alt));
    QCOMPARE(alt.m_strTypNr, QStringLiteral("VQA40001"));
    alt.Init();
    alt.m_strTypNr = "VQA40001XY"; // only the first eight characters count
    QCOMPARE(Walk(*db, db->ReadAltLtypData(alt), alt, &CAltLtypData::m_strLTyp),
             QStringList({"4401", "4402", "4403"}));
    alt.Init();
    alt.m_strTypNr = "VQA40001";
    alt.m_strVerkBez = "Alto Kombi";
    QCOMPARE(Walk(*db, db->ReadAltLtypData(alt), alt, &CAltLtypData::m_strLTyp),
             QStringList({"4403"}));

    CAltKatData kat;
    QCOMPARE(Walk(*db, db->ReadAltKatData(kat), kat, &CAltKatData::m_strEReihe),
             QStringList({"A40", "5A", "A60"}));
    kat.Init();
    kat.m_strTypNr = "VQA50001";
    QVERIFY(db->ReadAltKatData(kat));
    QCOMPARE(kat.m_strEReihe, QStringLiteral("5A"));
}

void TestYaqDb::maintenanceTopicsByTypeKeyOrLeadType()
{
    auto db = CatalogueDbTest::Open();
    QVERIFY(db);
    CSBLIDData rec;
    rec.m_strKatBstNr = "1";
    rec.m_strTypSchl = "7A01";
    rec.m_strLTyp = "3301"; // not used while a type key is given
    QCOMPARE(Walk(*db, db->ReadSBLIDData(rec), rec, &CSBLIDData::m_strSBLID),
             QStringList({"SBL0001", "SBL0002"}));
    rec.Init();
    rec.m_strKatBstNr = "1";
    rec.m_strLTyp = "3301";
    QVERIFY(db->ReadSBLIDData(rec));
    QCOMPARE(rec.m_strSBLID, QStringLiteral("SBL0004"));
    QCOMPARE(rec.m_strDatumBis, QStringLiteral("20991231"));
}

void TestYaqDb::contractReadsAndLatestReport()
{
    auto db = CatalogueDbTest::Open();
    QVERIFY(db);
    CHLXFgstnrData vin = ContractVinRecord();
    QVERIFY(db->ReadHLXFgstnrData(vin));
    QCOMPARE(vin.m_strOptionNr, QStringLiteral("HLX0100"));
    QCOMPARE(vin.m_strAbrBeginn, QStringLiteral("01.03.2023"));
    QCOMPARE(vin.m_strEnde, QStringLiteral("28.02.2027"));
    QCOMPARE(vin.m_strEndeKm, QStringLiteral("100000"));
    QCOMPARE(Walk(*db, 1, vin, &CHLXFgstnrData::m_strOptionNr),
             QStringList({"HLX0100", "HLX0200", "HLX0300", "HLX0400", "HLX0500", "HLX0600",
                          "HLX0700", "HLX0900"}));

    CHLXNrData nr;
    nr.m_strKatBstNr = "1";
    nr.m_strOptionNr = "HLX0100";
    QVERIFY(db->ReadHLXNrData(nr));
    QCOMPARE(nr.m_strHerkunft, QStringLiteral("AG"));
    QCOMPARE(nr.m_strStatus, QStringLiteral("1"));
    QCOMPARE(nr.m_strKmLimit, QStringLiteral("100000"));

    CHLXRefData ref;
    ref.m_strKatBstNr = "1";
    ref.m_strEReihe = "F40";
    QVERIFY(db->ReadHLXRefData(ref));
    QCOMPARE(ref.m_strTextGruppe, QStringLiteral("ARVO"));

    CHLXLinkData link;
    link.m_strKatBstNr = "1";
    link.m_strOptionNr = "HLX0200";
    QVERIFY(db->ReadHLXLinkData(link));
    QCOMPARE(link.m_strBezeichnung, QStringLiteral("Helix Care Garantie   "));
    link.TrimData();
    QCOMPARE(link.m_strBezeichnung, QStringLiteral("Helix Care Garantie"));

    CHLXFgstnrData other;
    other.m_strKatBstNr = "1";
    other.m_strFgstNr = kVinSpecial;
    QCOMPARE(db->ReadHLXFgstnrData(other), 0);

    CReportData report;
    QVERIFY(db->ReadReportMaxData(report));
    QCOMPARE(report.m_strZeitstempel, QStringLiteral("20240612071500"));
}

void TestYaqDb::labourValueReadsAndRunsOfOnePosition()
{
    auto db = CatalogueDbTest::Open();
    QVERIFY(db);
    CAPosWertData value;
    // The value record for a position (or main group) of a lead type and
    // additional code.
    const auto valueKeys = [&value](const char *apNr, const char *leadType, const char *code) {
        value.Init();
        value.m_strKatBstNr = "1";
        value.m_strAPosNr = apNr;
        value.m_strLTyp = leadType;
        value.m_strZusatz = code;
    };
    valueKeys("01", "1101", "A");
    QStringList keys;
    for (int found = db->ReadAPosWertDataFromHG(value); found; found = db->ReadNext())
        keys << value.m_strAPosNr + value.m_strEinheit;
    QCOMPARE(keys, QStringList({"01000100", "01000101", "01000200", "01000300", "01000302"}));

    valueKeys("0100030", "1101", "A");
    QVERIFY(db->ReadAPosWertData(value));
    QCOMPARE(value.m_strAwWert, QStringLiteral("-"));
    QCOMPARE(value.m_strKennz, QStringLiteral("N"));
    QVERIFY(db->ReadNextAPosWertData(value));
    QCOMPARE(value.m_strAwWert, QStringLiteral("8"));
    QCOMPARE(db->ReadNextAPosWertData(value), 0);

    // Another vehicle's values (lead type and additional code of the special VIN).
    valueKeys("03", "2201", "B");
    QVERIFY(db->ReadAPosWertDataAWKFromHG(value));
    QCOMPARE(value.m_strAPosNr, QStringLiteral("0300110"));

    CAPosInfoData info;
    info.m_strKatBstNr = "1";
    info.m_strAPosNr = "01";
    QCOMPARE(Walk(*db, db->ReadAPosInfoDataFromHG(info), info, &CAPosInfoData::m_strInfoNr),
             QStringList({"1", "2"}));
    info.Init();
    info.m_strKatBstNr = "1";
    info.m_strAPosNr = "0300110";
    QVERIFY(db->ReadAPosInfoData(info));
    QCOMPARE(info.m_strInfoText, QStringLiteral("Nur mit Spezialwerkzeug VQ-3011"));

    CAwKatZeileData line;
    line.m_strKatBstNr = "1";
    line.m_strTypNr = "VQF40DE";
    line.m_strHG = "01";
    QCOMPARE(Walk(*db, db->ReadAwKatZeilenNrFromHG(line), line, &CAwKatZeileData::m_strAPosNr),
             QStringList({"0100010", "0100020", "0100030"}));
    line.Init();
    line.m_strKatBstNr = "1";
    line.m_strTypNr = "VQF40DE";
    line.m_strAPosNr = "0100020";
    QVERIFY(db->ReadAwKatZZeilenNr(line));
    QCOMPARE(line.m_strSpalten, QStringLiteral("N-N-"));
}

void TestYaqDb::partsClearingAndPackagesHonourAdditionalCodeAndMonth()
{
    auto db = CatalogueDbTest::Open();
    QVERIFY(db);
    CTeileClearingData tc;
    // The positions of main group 01 cleared for the vehicle in the month.
    const auto clearedIn = [&](const char *month) {
        tc.Init();
        tc.m_strKatBstNr = "1";
        tc.m_strHG = "01";
        tc.m_strTypSchl = "7A01";
        tc.m_strLaendercode = "DE";
        return Walk(*db, db->ReadTeileClearingData(tc, "A", month), tc,
                    &CTeileClearingData::m_strAPosNr);
    };
    // 0100020 was cleared only until 2019.
    QCOMPARE(clearedIn("202406"), QStringList({"0100010"}));
    QCOMPARE(clearedIn("201806"), QStringList({"0100020"}));

    tc.Init();
    tc.m_strKatBstNr = "1";
    tc.m_strAPosNr = "0300110";
    tc.m_strTypSchl = "7A01";
    tc.m_strLaendercode = "DE";
    QVERIFY(db->ReadTeileClearingData(tc, "A", "202406"));
    tc.m_strAPosNr = "0300110";
    QCOMPARE(db->ReadTeileClearingData(tc, "B", "202406"), 0); // row only for code A

    CSRPPaketeData pkg;
    pkg.m_strKatBstNr = "1";
    pkg.m_strPaketNr = "1234567";
    QVERIFY(db->SelectSRPPaketeDataOnTypSchl(pkg, "A", "7A01"));
    QCOMPARE(pkg.m_strLand, QStringLiteral("   "));
    pkg.TrimData();
    QCOMPARE(pkg.m_strLand, QString());
    pkg.Init();
    pkg.m_strKatBstNr = "1";
    pkg.m_strPaketNr = "2345678";
    QVERIFY(db->SelectSRPPaketeDataOnTypSchl(pkg, "A", "7A01"));
    QCOMPARE(pkg.m_strLand, QStringLiteral("DE"));
    pkg.m_strPaketNr = "2345678";
    QCOMPARE(db->SelectSRPPaketeDataOnTypSchl(pkg, "B", "7A01"), 0);
}

void TestYaqDb::secondConnectionWalksWhileFirstIsOpen()
{
    auto db0 = CatalogueDbTest::Open();
    auto db1 = CatalogueDbTest::Open();
    QVERIFY(db0 && db1);
    CHLXFgstnrData vin = ContractVinRecord();
    QStringList origins;
    for (int found = db0->ReadHLXFgstnrData(vin); found; found = db0->ReadNext()) {
        CHLXNrData nr;
        nr.m_strKatBstNr = "1";
        nr.m_strOptionNr = vin.m_strOptionNr;
        QVERIFY(db1->ReadHLXNrData(nr));
        // A nested walk on the second connection does not disturb the first.
        CAwKatalogData kat;
        kat.m_strKatBstNr = "1";
        QStringList rows = Walk(*db1, db1->ReadAwKatalogDataOnEreihe(kat, QString()), kat,
                                &CAwKatalogData::m_strTypNr);
        QCOMPARE(rows.size(), 7);
        origins << vin.m_strOptionNr + nr.m_strHerkunft;
    }
    QCOMPARE(origins, QStringList({"HLX0100AG", "HLX0200AG", "HLX0300AG", "HLX0400AG", "HLX0500AG",
                                   "HLX0600AG", "HLX0700AG", "HLX0900HD"}));
}

void TestYaqDb::newQueryReplacesTheOpenCursor()
{
    auto db = CatalogueDbTest::Open();
    QVERIFY(db);
    CHLXFgstnrData vin = ContractVinRecord();
    QVERIFY(db->ReadHLXFgstnrData(vin));
    CAltKatData kat;
    QVERIFY(db->ReadAltKatData(kat));
    QCOMPARE(kat.m_strEReihe, QStringLiteral("A40"));
    // ReadNext continues the last query of the connection, into its record.
    QVERIFY(db->ReadNext());
    QCOMPARE(kat.m_strEReihe, QStringLiteral("5A"));
    QCOMPARE(vin.m_strOptionNr, QStringLiteral("HLX0100"));
}

void TestYaqDb::keysNeverBecomeSqlText_data()
{
    QTest::addColumn<QString>("typeKey");
    QTest::newRow("quote that would end the text") << "7A01' OR '1'='1";
    QTest::newRow("statement separator") << "7A01'; DELETE FROM type_key; --";
    QTest::newRow("comment marker") << "7A01 --";
}

void TestYaqDb::keysNeverBecomeSqlText()
{
    QFETCH(QString, typeKey);
    auto db = CatalogueDbTest::Open();
    QVERIFY(db);
    CMarkeData rec;
    rec.m_strTypSchl = typeKey;
    QCOMPARE(db->GetMarkeFromTypschl(rec), 0);
    QCOMPARE(db->LastResult(), DbResult::NoRow);
    rec.m_strTypSchl = "7A01";
    QVERIFY(db->GetMarkeFromTypschl(rec)); // the table is still there
}

void TestYaqDb::failureIsToldApartFromNoRow()
{
    TestEnv env;
    env.answerBoxes(IDOK);
    auto db = CatalogueDbTest::Open();
    QVERIFY(db);
    CMarkeData rec;
    rec.m_strTypSchl = "ZZZZ";
    QCOMPARE(db->GetMarkeFromTypschl(rec), 0);
    QCOMPARE(db->LastResult(), DbResult::NoRow);
    QVERIFY(db->LastErrorText().isEmpty());

    QCOMPARE(db->ExecSelect("SELECT brand FROM no_such_table WHERE type_key = ?", {"7A01"}, &rec),
             0);
    QCOMPARE(db->LastResult(), DbResult::Failed);
    QVERIFY(db->LastFailed());
    QVERIFY(!db->LastErrorText().isEmpty());
    QCOMPARE(db->ReadNext(), 0);

    // The next good read clears the failure.
    rec.m_strTypSchl = "7A01";
    QVERIFY(db->GetMarkeFromTypschl(rec));
    QCOMPARE(db->LastResult(), DbResult::Row);

    // On request a failure throws, and the exception shows its text.
    db->SetThrowException(1);
    bool thrown = false;
    try {
        db->ExecSelect("SELECT brand FROM no_such_table", {}, &rec);
    } catch (const CUniDbException &e) {
        thrown = true;
        QVERIFY(!e.ErrorText().isEmpty());
        QCOMPARE(e.ReportError(), int(IDOK));
        QCOMPARE(env.boxes().size(), 1);
        QCOMPARE(env.boxes().first().text, e.ErrorText());
    }
    QVERIFY(thrown);

    CYaqDb closed;
    QCOMPARE(closed.GetMarkeFromTypschl(rec), 0);
    QCOMPARE(closed.LastResult(), DbResult::Failed);
}

namespace {
// The PostgreSQL driver reports each statement it can no longer free on a
// connection the server ended; that is the point of the test, not a fault.
QtMessageHandler g_previousHandler = nullptr;
void DropFreeStatementWarnings(QtMsgType type, const QMessageLogContext &context,
                               const QString &text)
{
    if (type == QtWarningMsg && text.startsWith(QLatin1String("Unable to free statement")))
        return;
    g_previousHandler(type, context, text);
}
struct FreeStatementWarningsDropped
{
    FreeStatementWarningsDropped()
    {
        g_previousHandler = qInstallMessageHandler(DropFreeStatementWarnings);
    }
    ~FreeStatementWarningsDropped() { qInstallMessageHandler(g_previousHandler); }
};
} // namespace

void TestYaqDb::brokenConnectionFailsReads()
{
    const FreeStatementWarningsDropped dropped;
    std::unique_ptr<CYaqDb> db;
    QTemporaryDir dir;
    if (CatalogueDbTest::IsPg()) {
        db = CatalogueDbTest::Open();
        QVERIFY(db);
        // The server ends this session under the connection's feet: the
        // statement that meets it fails; the next read connects again.
        QCOMPARE(db->Execute("SELECT pg_terminate_backend(pg_backend_pid())"), 0);
        QCOMPARE(db->LastResult(), DbResult::Failed);
        CMarkeData rec;
        rec.m_strTypSchl = "7A01";
        QCOMPARE(db->GetMarkeFromTypschl(rec), 1);
        return;
    } else {
        QVERIFY(
            QFile::copy(QStringLiteral(YAQ_DEMO_DATAS_DIR "/YAQ2.dat"), dir.filePath("YAQ2.dat")));
        db = std::make_unique<CYaqDb>();
        QVERIFY(db->Open(QString(), QString(), QString(), 0, dir.path(), QString(), QString()));
        {
            QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "breaker");
            other.setDatabaseName(dir.filePath("YAQ2.dat"));
            QVERIFY(other.open());
            QVERIFY(QSqlQuery(other).exec("DROP TABLE type_key"));
            other.close();
        }
        QSqlDatabase::removeDatabase("breaker");
    }
    CMarkeData rec;
    rec.m_strTypSchl = "7A01";
    QCOMPARE(db->GetMarkeFromTypschl(rec), 0);
    QCOMPARE(db->LastResult(), DbResult::Failed);
}

// A run of reads in one transaction (a step of a page) whose connection is
// lost fails its further reads at once, without connecting again for each
// (a server that stops answering would hold every one of them up to the
// bound); the next run connects again.
void TestYaqDb::lostConnectionEndsItsRunOfReads()
{
    if (!CatalogueDbTest::IsPg())
        QSKIP("the catalogue server only");
    CTcpProxy proxy;
    QVERIFY(proxy.Port());
    std::unique_ptr<CYaqDb> db = CatalogueDbTest::OpenServerAt(proxy.Port());
    QVERIFY(db);
    CMarkeData rec;
    rec.m_strTypSchl = "7A01";
    QVERIFY(db->BeginTrans());
    QCOMPARE(db->GetMarkeFromTypschl(rec), 1);
    proxy.Cut();
    QCOMPARE(db->GetMarkeFromTypschl(rec), 0);
    QVERIFY(db->LastFailed());
    proxy.Resume();
    QCOMPARE(db->GetMarkeFromTypschl(rec), 0);
    QVERIFY(db->LastFailed());
    QCOMPARE(db->EndTrans(), 0);
    QVERIFY(db->BeginTrans());
    QCOMPARE(db->GetMarkeFromTypschl(rec), 1);
    QVERIFY(db->EndTrans());
}

void TestYaqDb::serverRestartedWhileIdleIsNoFailure_data()
{
    QTest::addColumn<bool>("saysSo");
    QTest::newRow("connection cut") << false;
    // As a server shutting down ends every session.
    QTest::newRow("ended by the server, with its word") << true;
}

// The server ended the connection while it lay idle (it was restarted):
// the read that finds it lost connects again and answers, no failure.
void TestYaqDb::serverRestartedWhileIdleIsNoFailure()
{
    QFETCH(bool, saysSo);
    if (!CatalogueDbTest::IsPg())
        QSKIP("the catalogue server only");
    CTcpProxy proxy;
    QVERIFY(proxy.Port());
    std::unique_ptr<CYaqDb> db = CatalogueDbTest::OpenServerAt(proxy.Port());
    QVERIFY(db);
    CMarkeData rec;
    rec.m_strTypSchl = "7A01";
    QCOMPARE(db->GetMarkeFromTypschl(rec), 1);
    if (saysSo) {
        const int session = db->ExecFunc("SELECT pg_backend_pid()");
        std::unique_ptr<CYaqDb> other = CatalogueDbTest::Open();
        QVERIFY(other);
        QCOMPARE(other->ExecFunc("SELECT CAST(pg_terminate_backend(?) AS INTEGER)", {session}), 1);
        QVERIFY(QTest::qWaitFor(
            [&other, session] {
                return other->ExecFunc("SELECT CAST(COUNT(*) AS INTEGER) FROM pg_stat_activity "
                                       "WHERE pid = ?",
                                       {session}) == 0;
            },
            YaqTest::kHangMs));
    } else {
        proxy.Cut();
        proxy.Resume();
    }
    const int failures = db->Failures();
    QCOMPARE(db->GetMarkeFromTypschl(rec), 1);
    QCOMPARE(db->Failures(), failures);
    QVERIFY(db->BeginTrans());
    QVERIFY(db->EndTrans());
}

// A server that stops answering is waited on by one connection up to the
// bound; no connection waits on it again in that step (a step that reads
// over three connections would wait three times). Once it answers, each
// reads again in the next step.
void TestYaqDb::silentServerIsWaitedOnOnce()
{
    if (!CatalogueDbTest::IsPg())
        QSKIP("the catalogue server only");
    CServerWait::SetBoundMs(1000);
    const auto restore = qScopeGuard([] { CServerWait::SetBoundMs(0); });
    CTcpProxy proxy;
    QVERIFY(proxy.Port());
    std::unique_ptr<CYaqDb> first = CatalogueDbTest::OpenServerAt(proxy.Port());
    std::unique_ptr<CYaqDb> second = CatalogueDbTest::OpenServerAt(proxy.Port());
    QVERIFY(first && second);
    CMarkeData rec;
    rec.m_strTypSchl = "7A01";
    proxy.Freeze();
    QCOMPARE(first->GetMarkeFromTypschl(rec), 0);
    QVERIFY(first->LastErrorText().contains(QLatin1String("did not answer within")));
    QCOMPARE(second->GetMarkeFromTypschl(rec), 0);
    QVERIFY2(second->LastErrorText().contains(QLatin1String("did not answer in this step")),
             qPrintable(second->LastErrorText()));
    QCOMPARE(first->GetMarkeFromTypschl(rec), 0);
    proxy.Resume();
    CServerWait::BeginStep();
    QCOMPARE(first->GetMarkeFromTypschl(rec), 1);
    QCOMPARE(second->GetMarkeFromTypschl(rec), 1);
}

void TestYaqDb::failedOpensAnswerZero_data()
{
    QTest::addColumn<QString>("tns");
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("localDir");
    QTest::addColumn<bool>("notACatalogue");
    // The local file was a catalogue, opened before it was replaced.
    QTest::addColumn<bool>("wasACatalogue");
    // clang-format off
    QTest::newRow("folder without local data set") << "" << "" << true << false << false;
    QTest::newRow("local file that is no catalogue") << "" << "" << true << true << false;
    QTest::newRow("catalogue replaced by no catalogue") << "" << "" << true << true << true;
    QTest::newRow("tns alias without address") << "YAQPROD" << "x" << false << false << false;
    QTest::newRow("no server on the port") << "127.0.0.1:1/yaqtest" << "x" << false << false << false;
    QTest::newRow("nothing to open") << "" << "" << false << false << false;
    QTest::newRow("server refuses the password") << "<test server>" << "wrong" << false << false << false;
    // clang-format on
}

void TestYaqDb::failedOpensAnswerZero()
{
    QFETCH(QString, tns);
    QFETCH(QString, password);
    QFETCH(bool, localDir);
    QFETCH(bool, notACatalogue);
    QFETCH(bool, wasACatalogue);
    // The test server is only asked in the PostgreSQL run, the rest only once.
    if (CatalogueDbTest::IsPg() != (tns == QLatin1String("<test server>")))
        QSKIP("not for this kind of catalogue");
    if (CatalogueDbTest::IsPg())
        tns = CatalogueDbTest::PgTns();
    QTemporaryDir dir;
    if (wasACatalogue) {
        QVERIFY(
            QFile::copy(QStringLiteral(YAQ_DEMO_DATAS_DIR "/YAQ2.dat"), dir.filePath("YAQ2.dat")));
        QVERIFY(CatalogueDbTest::OpenFileIn(dir.path()));
    }
    if (notACatalogue) {
        QFile junk(dir.filePath("YAQ2.dat"));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("not a database");
    }
    CYaqDb db;
    QCOMPARE(
        db.Open(tns, "yaq", password, 0, localDir ? dir.path() : QString(), QString(), QString()),
        0);
    QCOMPARE(db.LastResult(), DbResult::Failed);
    QVERIFY(!db.LastErrorText().isEmpty());
    // A missing local data set is never created empty.
    QCOMPARE(QFile::exists(dir.filePath("YAQ2.dat")), notACatalogue);
}

void TestYaqDb::fileValuesReadAsStored_data()
{
    // Row: the column read (of rows 1 to 3), the key of column a (empty:
    // every row), the values read in row order ("<null>" for NULL).
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("values");
    // clang-format off
    QTest::newRow("text with umlauts bound as key")  << "a"     << "Öl" << QStringList{"Öl", "Öl"};
    QTest::newRow("text after one of as many bytes") << "a"     << ""   << QStringList{"Oel", "Öl", "Öl"};
    QTest::newRow("integer as decimal digits")       << "b"     << ""   << QStringList{"42", "-7", "0"};
    QTest::newRow("real number as Qt wrote it")      << "d"     << ""   << QStringList{"1.5", "2", "1e+20"};
    QTest::newRow("NULL apart from the empty text")  << "c"     << ""   << QStringList{"<null>", "x", ""};
    QTest::newRow("an expression's value")           << "b + 1" << ""   << QStringList{"43", "-6", "1"};
    // clang-format on
}

void TestYaqDb::fileValuesReadAsStored()
{
    // The catalogue file is read through SQLite's C API: values come as
    // SQLite stores them, converted as Qt's driver converts them.
    if (CatalogueDbTest::IsPg())
        QSKIP("the catalogue file only");
    QFETCH(QString, column);
    QFETCH(QString, key);
    QTemporaryDir dir;
    {
        QSqlDatabase file = QSqlDatabase::addDatabase("QSQLITE", "values");
        file.setDatabaseName(dir.filePath("YAQ2.dat"));
        QVERIFY(file.open());
        QSqlQuery q(file);
        for (const char *sql :
             {"CREATE TABLE catalogue_report (report_id TEXT)",
              "CREATE TABLE t (a TEXT, b INTEGER, c TEXT, d REAL, sort INTEGER)",
              "INSERT INTO t VALUES ('Oel', 42, NULL, 1.5, 1), ('Öl', -7, 'x', 2.0, 2),"
              " ('Öl', 0, '', 1e20, 3)"})
            QVERIFY2(q.exec(QString::fromUtf8(sql)), qPrintable(q.lastError().text()));
        file.close();
    }
    QSqlDatabase::removeDatabase("values");
    CYaqDb db;
    QVERIFY(db.Open(QString(), QString(), QString(), 0, dir.path(), QString(), QString()));
    CSaData rec;
    QStringList values;
    for (int found = db.ExecSelect(
             "SELECT " + column + " FROM t WHERE ? = '' OR a = ? ORDER BY sort", {key, key}, &rec);
         found; found = db.ReadNext())
        values << (rec.m_strText1.isNull() ? QStringLiteral("<null>") : rec.m_strText1);
    QVERIFY(!db.LastFailed());
    QTEST(values, "values");
}

void TestYaqDb::fileIsReadThroughSqliteItself()
{
    // Without the handle of Qt's connection the reads would still answer,
    // only through Qt's driver, several times slower.
    if (CatalogueDbTest::IsPg())
        QSKIP("the catalogue file only");
    {
        QSqlDatabase file = QSqlDatabase::addDatabase("QSQLITE", "native");
        file.setDatabaseName(QStringLiteral(YAQ_DEMO_DATAS_DIR "/YAQ2.dat"));
        file.setConnectOptions("QSQLITE_OPEN_READONLY");
        QVERIFY(file.open());
        QString error;
        const auto statement =
            CSqlDialect(SqlKind::SQLite)
                .Prepare(file, CYaqDb::IdentificationQuery("type by type key"), &error);
        QVERIFY2(statement, qPrintable(error));
        QVERIFY(dynamic_cast<CSqliteStatement *>(statement.get()));
    }
    QSqlDatabase::removeDatabase("native");
}

YAQ_TEST_GUILESS_MAIN(TestYaqDb)
#include "tst_yaqdb.moc"
