// The inclusive-service contracts: the judgement of a contract for a day and
// a mileage with the two keep rules as one table, the order of the lists
// read from the demo catalogue, the settings' list of the package pages,
// the condition-text files, the rows of the contract page, and the
// print-out written to PDF (one contract per page, a long one going on
// over its pages with its footer on each).

#include "common/EasyPrintDlg.h"
#include "common/Layout.h"
#include "common/readers/HLXContracts.h"
#include "packages/HLXPrintOut.h"
#include "packages/HLXRows.h"
#include "platform/OrmelText.h"
#include "platform/db/YaqDb.h"
#include "settings/PrgSettings.h"
#include "support/CatalogueDbTest.h"
#include "support/PaintedTexts.h"
#include "support/PdfText.h"
#include "support/TestEnv.h"
#include "support/Waits.h"

#include <QDate>
#include <QDir>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <memory>

namespace {

const QString kVin = QStringLiteral("XVQ1F23A57M012345");

// The demo Arvo with its contracts, on the day given.
CPrgSettings Arvo(const QString &today, const QString &mileage)
{
    CPrgSettings s;
    s.KatalogKey = QStringLiteral("1");
    s.Fgstnr = kVin.right(7);
    s.FgstnrFull = kVin;
    s.EReihe = QStringLiteral("F40 ");
    s.nVertrag = 1;
    s.Heute = today;
    s.Kilometer = mileage;
    s.DataDir = QStringLiteral(YAQ_DEMO_DATAS_DIR);
    return s;
}

QStringList OptionNumbers(const QList<CHLXVertragInfo> &contracts)
{
    QStringList numbers;
    for (const CHLXVertragInfo &c : contracts)
        numbers << c.strOptionNr;
    return numbers;
}

CHLXVertragInfo Contract(const QString &optionNr, int reasonId = 0)
{
    CHLXVertragInfo c;
    c.bFilled = 1;
    c.strOptionNr = optionNr;
    c.strBezeichnung = QStringLiteral("Helix Care ") + optionNr;
    c.strHerkunft = kHLXOriginDealer;
    c.strAbrBeginn = QStringLiteral("01.03.2023");
    c.strBeginn = QStringLiteral("01.03.2023");
    c.strEnde = QStringLiteral("28.02.2027");
    c.strStartKm = QStringLiteral("12000");
    c.strStartMeilen = QStringLiteral("7456");
    c.strEndeKm = QStringLiteral("100000");
    c.strEndeMeilen = QStringLiteral("62137");
    c.nGueltigkeitId = reasonId;
    c.strGueltigkeit = reasonId ? OrmelText(reasonId) : QString();
    return c;
}

} // namespace

class TestHLXContracts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void judgement_data();
    void judgement();
    void equalStateCodesInReverseReadingOrder();
    void demoContractsInListOrder_data();
    void demoContractsInListOrder();
    void unreadableDayCountsAsTheClocksDay_data();
    void unreadableDayCountsAsTheClocksDay();
    void settingsListFollowsMileageAndVin();
    void uncheckedContractFlagIsCheckedAgain_data();
    void uncheckedContractFlagIsCheckedAgain();
    void noticeWhenNothingIsListed_data();
    void noticeWhenNothingIsListed();
    void programmeTitleOfTheBrand_data();
    void programmeTitleOfTheBrand();
    void formatMileage_data();
    void formatMileage();
    void conditionTextFiles_data();
    void conditionTextFiles();
    void rowsMarkTheReasonRed_data();
    void rowsMarkTheReasonRed();
    void listTitleAndSeparators_data();
    void listTitleAndSeparators();
    void printOut_data();
    void printOut();
    void printedHeadings_data();
    void printedHeadings();

private:
    bool m_bPdfToText = false;
};

void TestHLXContracts::initTestCase()
{
    InitOrmelText(QStringLiteral(YAQ_DEMO_DATAS_DIR "/Zirava/PrgTxt"));
    SetPrgSprache(QStringLiteral("00"));
    m_bPdfToText = !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

void TestHLXContracts::judgement_data()
{
    QTest::addColumn<QString>("billingStart");
    QTest::addColumn<QString>("begin");
    QTest::addColumn<QString>("end");
    QTest::addColumn<QString>("endKm");
    QTest::addColumn<QString>("endMiles");
    QTest::addColumn<QString>("productLimit");
    QTest::addColumn<QString>("origin");
    QTest::addColumn<QString>("state");
    QTest::addColumn<double>("mileage");
    QTest::addColumn<bool>("inForce");
    QTest::addColumn<int>("reason");
    QTest::addColumn<int>("stateCode");
    QTest::addColumn<QString>("limit");
    QTest::addColumn<bool>("onPage");
    QTest::addColumn<bool>("inSettings");
    // Judged on 15.06.2024.
    // clang-format off
    QTest::newRow("in force")                                     << "01.03.2023" << "01.03.2023" << "28.02.2027" << "100000" << "62137" << "100000"     << "AG" << "1" << 45000.0  << true  << 0    << 11 << "100000" << true  << true;
    QTest::newRow("mileage at the limit is still in force")       << "01.03.2023" << "01.03.2023" << "28.02.2027" << "100000" << "62137" << "100000"     << "AG" << "1" << 100000.0 << true  << 0    << 11 << "100000" << true  << true;
    QTest::newRow("mileage one km above the limit")               << "01.03.2023" << "01.03.2023" << "28.02.2027" << "100000" << "62137" << "100000"     << "AG" << "1" << 100001.0 << false << 3222 << 11 << "100000" << true  << false;
    QTest::newRow("miles are shown, never compared")              << "01.03.2023" << "01.03.2023" << "28.02.2027" << "100000" << "62137" << "100000"     << "AG" << "1" << 70000.0  << true  << 0    << 11 << "100000" << true  << true;
    QTest::newRow("billing start today")                          << "15.06.2024" << "15.06.2024" << "28.02.2027" << "100000" << "62137" << "100000"     << "AG" << "A" << 0.0      << true  << 0    << 12 << "100000" << true  << true;
    QTest::newRow("billing start tomorrow")                       << "16.06.2024" << "16.06.2024" << "28.02.2027" << "100000" << "62137" << "100000"     << "AG" << "A" << 0.0      << false << 3231 << 12 << "100000" << true  << false;
    QTest::newRow("not yet begun wins over the mileage")          << "16.06.2024" << "16.06.2024" << "28.02.2027" << "100000" << "62137" << "100000"     << "AG" << "A" << 200000.0 << false << 3231 << 12 << "100000" << true  << false;
    QTest::newRow("end today is still in force")                  << "01.03.2023" << "01.03.2023" << "15.06.2024" << "100000" << "62137" << "100000"     << "AG" << "S" << 0.0      << true  << 0    << 13 << "100000" << true  << true;
    QTest::newRow("ended yesterday")                              << "01.03.2023" << "01.03.2023" << "14.06.2024" << "100000" << "62137" << "100000"     << "AG" << "S" << 0.0      << false << 3223 << 13 << "100000" << true  << false;
    QTest::newRow("ended two years ago today: still on the page") << "01.03.2020" << "01.03.2020" << "15.06.2022" << "100000" << "62137" << "100000"     << "AG" << "C" << 0.0      << false << 3223 << 14 << "100000" << true  << false;
    QTest::newRow("ended two years and a day ago")                << "01.03.2020" << "01.03.2020" << "14.06.2022" << "100000" << "62137" << "100000"     << "AG" << "C" << 0.0      << false << 3223 << 14 << "100000" << false << false;
    QTest::newRow("ended yesterday and over the mileage")         << "01.03.2023" << "01.03.2023" << "14.06.2024" << "100000" << "62137" << "100000"     << "AG" << "F" << 150000.0 << false << 3223 << 15 << "100000" << true  << false;
    QTest::newRow("without term, in force")                       << "01.03.2023" << "01.01.1970" << "01.01.1970" << "150000" << "93206" << "150000"     << "AG" << "E" << 45000.0  << true  << 0    << 16 << "150000" << true  << true;
    QTest::newRow("without term, over the mileage")               << "01.03.2023" << "01.01.1970" << "01.01.1970" << "150000" << "93206" << "150000"     << "AG" << "E" << 150001.0 << false << 3222 << 16 << "150000" << true  << false;
    QTest::newRow("end km 90000 is below a limit of 150000")      << "01.03.2023" << "01.03.2023" << "28.02.2027" << "90000"  << "55923" << "150000"     << "AG" << "R" << 100000.0 << true  << 0    << 17 << "150000" << true  << true;
    QTest::newRow("end km above the product's limit counts")      << "01.03.2023" << "01.03.2023" << "28.02.2027" << "150000" << "93206" << "90000"      << "AG" << "3" << 120000.0 << true  << 0    << 27 << "150000" << true  << true;
    QTest::newRow("state letters in digits")                      << "01.03.2023" << "01.03.2023" << "28.02.2027" << "100000" << "62137" << "100000"     << "AG" << "2" << 0.0      << true  << 0    << 13 << "100000" << true  << true;
    QTest::newRow("any other state letter")                       << "01.03.2023" << "01.03.2023" << "28.02.2027" << "100000" << "62137" << "100000"     << "AG" << "X" << 0.0      << true  << 0    << 18 << "100000" << true  << true;
    QTest::newRow("billing start of 8 characters is not begun")   << "1.3.2023"   << "01.03.2023" << "28.02.2027" << "100000" << "62137" << "100000"     << "AG" << "1" << 0.0      << false << 3231 << 11 << "100000" << true  << false;
    QTest::newRow("billing start that is no calendar day")        << "30.02.2023" << "01.03.2023" << "28.02.2027" << "100000" << "62137" << "100000"     << "AG" << "1" << 0.0      << false << 3231 << 11 << "100000" << true  << false;
    QTest::newRow("end date that cannot be read")                 << "01.03.2023" << "01.03.2023" << "2027-02-28" << "100000" << "62137" << "100000"     << "AG" << "1" << 0.0      << false << 3223 << 11 << "100000" << false << false;
    QTest::newRow("empty mileage limit")                          << "01.03.2023" << "01.03.2023" << "28.02.2027" << ""       << ""      << ""           << "AG" << "1" << 0.0      << false << 3222 << 11 << ""       << true  << false;
    QTest::newRow("mileage limit that is no number")              << "01.03.2023" << "01.03.2023" << "28.02.2027" << "abc"    << ""      << "100.000 km" << "AG" << "1" << 0.0      << false << 3222 << 11 << "100.000 km" << true << false;
    QTest::newRow("mileage limit in digit groups")                << "01.03.2023" << "01.03.2023" << "28.02.2027" << "100000" << "62137" << "100 000"    << "AG" << "1" << 99999.0  << true  << 0    << 11 << "100 000" << true << true;
    QTest::newRow("another origin is kept nowhere")               << "01.03.2023" << "01.03.2023" << "28.02.2027" << "150000" << "93206" << "100000"     << "HD" << "1" << 45000.0  << true  << 0    << -1 << "100000" << false << false;
    QTest::newRow("without product record")                       << "01.03.2023" << "01.03.2023" << "28.02.2027" << "100000" << "62137" << ""           << ""   << ""  << 0.0      << false << 3222 << -1 << ""       << false << false;
    // clang-format on
}

void TestHLXContracts::judgement()
{
    QFETCH(QString, billingStart);
    QFETCH(QString, begin);
    QFETCH(QString, end);
    QFETCH(QString, endKm);
    QFETCH(QString, endMiles);
    QFETCH(QString, productLimit);
    QFETCH(QString, origin);
    QFETCH(QString, state);
    QFETCH(double, mileage);
    QFETCH(bool, inForce);
    QFETCH(int, reason);
    QFETCH(int, stateCode);
    QFETCH(QString, limit);
    QFETCH(bool, onPage);
    QFETCH(bool, inSettings);

    CHLXContractRows rows;
    rows.optionNr = QStringLiteral("HLX0100");
    rows.billingStart = billingStart;
    rows.begin = begin;
    rows.end = end;
    rows.endKm = endKm;
    rows.endMiles = endMiles;
    rows.productLimit = productLimit;
    rows.origin = origin;
    rows.state = state;
    rows.description = QStringLiteral("Helix Care Wartung   ");
    const CHLXJudgedContract judged = JudgeHLXContract(rows, QStringLiteral("20240615"), mileage);
    QCOMPARE(judged.inForce, inForce);
    QCOMPARE(judged.info.nGueltigkeitId, reason);
    QCOMPARE(judged.info.strGueltigkeit, reason ? OrmelText(reason) : QString());
    QCOMPARE(judged.info.nStatus, stateCode);
    QCOMPARE(judged.info.strKmLimit, limit);
    QCOMPARE(judged.info.bFilled, 1);
    QCOMPARE(judged.info.strBezeichnung, QStringLiteral("Helix Care Wartung"));
    const bool withoutTerm = begin == QLatin1String("01.01.1970");
    QCOMPARE(judged.info.strBeginn, withoutTerm ? OrmelText(3194) : begin);
    QCOMPARE(judged.info.strEnde, withoutTerm ? QString() : end);
    QCOMPARE(KeepsHLXContract(HLXKeep::ContractPage, judged), onPage);
    QCOMPARE(KeepsHLXContract(HLXKeep::InForce, judged), inSettings);
}

void TestHLXContracts::equalStateCodesInReverseReadingOrder()
{
    QList<CHLXVertragInfo> list;
    const std::pair<const char *, int> read[] = {{"a", 12}, {"b", 11}, {"c", 12}, {"d", 21}};
    for (const auto &[number, code] : read) {
        CHLXVertragInfo c = Contract(QLatin1String(number));
        c.nStatus = code;
        InsertHLXContractSorted(list, c);
    }
    QCOMPARE(OptionNumbers(list), QStringList({"b", "c", "a", "d"}));
}

void TestHLXContracts::demoContractsInListOrder_data()
{
    QTest::addColumn<int>("rule");
    QTest::addColumn<QString>("today");
    QTest::addColumn<QString>("mileage");
    QTest::addColumn<QStringList>("contracts");
    const int page = int(HLXKeep::ContractPage);
    const int inForce = int(HLXKeep::InForce);
    // clang-format off
    QTest::newRow("contract page")                         << page    << "07.12.2026" << "45210" << QStringList{"HLX0100", "HLX0200", "HLX0400", "HLX0500", "HLX0700", "HLX0600"};
    QTest::newRow("in force")                              << inForce << "07.12.2026" << "45210" << QStringList{"HLX0100", "HLX0200", "HLX0700"};
    QTest::newRow("in force without a mileage given")      << inForce << "07.12.2026" << ""      << QStringList{"HLX0100", "HLX0200", "HLX0400", "HLX0700"};
    QTest::newRow("contract page after two more years")    << page    << "01.07.2028" << "45210" << QStringList{"HLX0100", "HLX0200", "HLX0400", "HLX0500", "HLX0700"};
    QTest::newRow("in force once HLX0500 has begun")       << inForce << "01.07.2028" << "45210" << QStringList{"HLX0200", "HLX0500", "HLX0700"};
    // clang-format on
}

void TestHLXContracts::demoContractsInListOrder()
{
    QFETCH(int, rule);
    QFETCH(QString, today);
    QFETCH(QString, mileage);
    QFETCH(QStringList, contracts);
    auto db = CatalogueDbTest::OpenDemoFile();
    QVERIFY(db);
    const QList<CHLXVertragInfo> read =
        ReadHLXContracts(db.get(), Arvo(today, mileage), HLXKeep(rule)).value;
    QCOMPARE(OptionNumbers(read), contracts);
    // Each contract comes with its product, text group and link.
    QCOMPARE(read.first().strTextGruppe, QStringLiteral("ARVO"));
    QCOMPARE(read.first().strTextKey, read.first().strOptionNr == QLatin1String("HLX0100")
                                          ? QStringLiteral("HLXWART")
                                          : QStringLiteral("HLXGAR"));
}

void TestHLXContracts::unreadableDayCountsAsTheClocksDay_data()
{
    QTest::addColumn<QString>("today");
    // clang-format off
    QTest::newRow("day without its leading zero") << "7.12.2026";
    QTest::newRow("no day at all")                << "";
    QTest::newRow("day in another form")          << "2026-12-07";
    QTest::newRow("no calendar day")              << "31.02.2026";
    // clang-format on
}

void TestHLXContracts::unreadableDayCountsAsTheClocksDay()
{
    // Else every contract would count as not yet begun.
    QFETCH(QString, today);
    auto db = CatalogueDbTest::OpenDemoFile();
    QVERIFY(db);
    const QString clock = QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"));
    const QStringList expected = OptionNumbers(
        ReadHLXContracts(db.get(), Arvo(clock, QStringLiteral("45210")), HLXKeep::InForce).value);
    QVERIFY(expected.contains(QStringLiteral("HLX0200")));
    QCOMPARE(OptionNumbers(
                 ReadHLXContracts(db.get(), Arvo(today, QStringLiteral("45210")), HLXKeep::InForce)
                     .value),
             expected);
}

void TestHLXContracts::settingsListFollowsMileageAndVin()
{
    auto db = CatalogueDbTest::OpenDemoFile();
    QVERIFY(db);
    CPrgSettings s = Arvo(QStringLiteral("07.12.2026"), QStringLiteral("45210"));
    QVERIFY(ReadHLXContractStatus(s, db.get(), nullptr).value);
    QCOMPARE(OptionNumbers(s.HLXVertragList), QStringList({"HLX0100", "HLX0200", "HLX0700"}));

    // Neither mileage nor VIN changed: the list is not read again.
    s.HLXVertragList.removeLast();
    QVERIFY(!ReadHLXContractStatus(s, db.get(), nullptr).value);
    QCOMPARE(s.HLXVertragList.size(), 2);

    s.Kilometer.clear();
    QVERIFY(ReadHLXContractStatus(s, db.get(), nullptr).value);
    QCOMPARE(OptionNumbers(s.HLXVertragList),
             QStringList({"HLX0100", "HLX0200", "HLX0400", "HLX0700"}));

    s.nVertrag = 0;
    s.Kilometer = QStringLiteral("1");
    QVERIFY(ReadHLXContractStatus(s, db.get(), nullptr).value);
    QVERIFY(s.HLXVertragList.isEmpty());

    s.nVertrag = 1;
    s.Fgstnr = kVin;
    s.Kilometer = QStringLiteral("2");
    QVERIFY(ReadHLXContractStatus(s, db.get(), nullptr).value);
    QVERIFY(s.HLXVertragList.isEmpty());
}

void TestHLXContracts::uncheckedContractFlagIsCheckedAgain_data()
{
    QTest::addColumn<bool>("unchecked"); // the check at the identification failed
    QTest::addColumn<bool>("lost");      // the contracts cannot be read now
    QTest::addColumn<bool>("failed");
    QTest::addColumn<int>("flag");
    QTest::addColumn<QStringList>("contracts");
    const QStringList inForce{"HLX0100", "HLX0200", "HLX0700"};
    // clang-format off
    QTest::newRow("checked, no contract: not read again") << false << true  << false << 0 << QStringList();
    QTest::newRow("unchecked, the catalogue answers")     << true  << false << false << 1 << inForce;
    QTest::newRow("unchecked, the catalogue is lost")     << true  << true  << true  << 0 << QStringList();
    // clang-format on
}

void TestHLXContracts::uncheckedContractFlagIsCheckedAgain()
{
    // A contract check that failed at the identification leaves the flag 0,
    // which would read as "no contract" once the catalogue answers again.
    QFETCH(bool, unchecked);
    QFETCH(bool, lost);
    QFETCH(bool, failed);
    QFETCH(int, flag);
    QFETCH(QStringList, contracts);
    QTemporaryDir dir;
    auto db = lost ? CatalogueDbTest::OpenDemoCopy(dir.path(), "DROP TABLE hlx_vin_contract")
                   : CatalogueDbTest::OpenDemoFile();
    auto option = lost ? CatalogueDbTest::OpenFileIn(dir.path()) : CatalogueDbTest::OpenDemoFile();
    QVERIFY(db && option);
    CPrgSettings s = Arvo(QStringLiteral("07.12.2026"), QStringLiteral("45210"));
    s.nVertrag = 0;
    s.bVertragUngeprueft = unchecked ? 1 : 0;
    const CatalogueAnswer<bool> read = ReadHLXContractStatus(s, db.get(), option.get());
    QCOMPARE(read.failed, failed);
    QCOMPARE(s.nVertrag, flag);
    QCOMPARE(s.bVertragUngeprueft, failed ? 1 : 0);
    QCOMPARE(OptionNumbers(s.HLXVertragList), contracts);
    if (failed) // asked again next time
        QVERIFY(s.HLXListKey2.isEmpty());
}

void TestHLXContracts::noticeWhenNothingIsListed_data()
{
    QTest::addColumn<QString>("vin");
    QTest::addColumn<int>("flag");
    QTest::addColumn<QString>("brand");
    QTest::addColumn<int>("contracts");
    QTest::addColumn<int>("notice");
    // clang-format off
    QTest::newRow("contracts listed")                  << kVin          << 1 << "VQ" << 2 << 0;
    QTest::newRow("no contract kept")                  << kVin          << 1 << "VQ" << 0 << 4080;
    QTest::newRow("no contract kept, brand LU")        << kVin          << 1 << "LU" << 0 << 4082;
    QTest::newRow("no VIN")                            << ""            << 0 << "VQ" << 0 << 4079;
    QTest::newRow("no VIN, brand LU")                  << ""            << 1 << "LU" << 0 << 4081;
    QTest::newRow("short VIN without contract flag")   << kVin.right(7) << 0 << "VQ" << 0 << 4080;
    QTest::newRow("short VIN with contract flag")      << kVin.right(7) << 1 << "VQ" << 0 << 0;
    QTest::newRow("full VIN without contract flag")    << kVin          << 0 << "VQ" << 0 << 4080;
    // clang-format on
}

void TestHLXContracts::noticeWhenNothingIsListed()
{
    QFETCH(QString, vin);
    QFETCH(int, flag);
    QFETCH(QString, brand);
    QFETCH(int, contracts);
    QFETCH(int, notice);
    CPrgSettings s;
    s.FgstnrFull = vin;
    s.nVertrag = flag;
    s.Marke = brand;
    QCOMPARE(HLXNoticeId(s, contracts), notice);
}

// The caption of the head's contract button and the title of the contract
// print-out.
void TestHLXContracts::programmeTitleOfTheBrand_data()
{
    QTest::addColumn<QString>("brand");
    QTest::addColumn<QString>("title");
    // clang-format off
    QTest::newRow("brand LU")        << "LU" << "LUMO Helix Care";
    QTest::newRow("main brand")      << "VQ" << "VOQ Helix Care";
    QTest::newRow("no brand")        << ""   << "VOQ Helix Care";
    QTest::newRow("lower-case lu")   << "lu" << "VOQ Helix Care";
    // clang-format on
}

void TestHLXContracts::programmeTitleOfTheBrand()
{
    QFETCH(QString, brand);
    QTEST(HLXProgrammeTitle(brand), "title");
}

void TestHLXContracts::formatMileage_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    // clang-format off
    QTest::newRow("0")                    << "0"       << "0";
    QTest::newRow("three digits")         << "999"     << "999";
    QTest::newRow("four digits")          << "7456"    << "7 456";
    QTest::newRow("five digits, km")      << "12345"   << "12 345";
    QTest::newRow("six digits, km")       << "123456"  << "123 456";
    QTest::newRow("five digits, miles")   << "62137"   << "62 137";
    QTest::newRow("seven digits")         << "1234567" << "1234567";
    QTest::newRow("empty")                << ""        << "";
    // clang-format on
}

void TestHLXContracts::formatMileage()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QCOMPARE(FormatMileage(text), shown);
}

void TestHLXContracts::conditionTextFiles_data()
{
    QTest::addColumn<QString>("textKey");
    QTest::addColumn<QString>("textGroup");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("text");
    // Every file holds its own name.
    // clang-format off
    QTest::newRow("file of the language")              << "KEY"          << "ARVO"  << "00" << QStringList{"HLX/KEY_ARVO_00.dat", "HLX/KEY_ARVO_01.dat"} << "HLX/KEY_ARVO_00.dat";
    QTest::newRow("the _01 file for another language") << "KEY"          << "ARVO"  << "07" << QStringList{"HLX/KEY_ARVO_01.dat"}                        << "HLX/KEY_ARVO_01.dat";
    QTest::newRow("trailing blanks of the key")        << "KEY   "       << "ARVO"  << "00" << QStringList{"HLX/KEY_ARVO_00.dat"}                        << "HLX/KEY_ARVO_00.dat";
    QTest::newRow("no file")                           << "KEY"          << "BENTO" << "00" << QStringList{"HLX/KEY_ARVO_00.dat"}                        << "";
    QTest::newRow("key leading out of the folder")     << "../secret"    << "ARVO"  << "00" << QStringList{"secret_ARVO_00.dat"}                         << "";
    QTest::newRow("key with a backslash")              << "..\\secret"   << "ARVO"  << "00" << QStringList{"secret_ARVO_00.dat"}                         << "";
    QTest::newRow("group leading into another folder") << "KEY"          << "x/../y" << "00" << QStringList{"HLX/KEY_x/y_00.dat"}                        << "";
    // clang-format on
}

void TestHLXContracts::conditionTextFiles()
{
    QFETCH(QString, textKey);
    QFETCH(QString, textGroup);
    QFETCH(QString, language);
    QFETCH(QStringList, files);
    QFETCH(QString, text);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString dataDir = dir.filePath(QStringLiteral("Datas"));
    for (const QString &file : files) {
        const QString path = dataDir + QLatin1Char('/') + file;
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        QVERIFY(writeTextFile(path, file.toUtf8()));
    }
    CHLXVertragInfo contract;
    contract.strTextKey = textKey;
    contract.strTextGruppe = textGroup;
    QCOMPARE(ReadHLXConditionText(dataDir, contract, language), text);
}

void TestHLXContracts::rowsMarkTheReasonRed_data()
{
    QTest::addColumn<int>("reason");
    QTest::addColumn<int>("redRow");
    // Rows: description, origin, option number, billing start, start
    // mileage, end mileage, end date, blank, note.
    // clang-format off
    QTest::newRow("in force")       << 0    << -1;
    QTest::newRow("not yet begun")  << 3231 << 3;
    QTest::newRow("over mileage")   << 3222 << 5;
    QTest::newRow("term ended")     << 3223 << 6;
    // clang-format on
}

void TestHLXContracts::rowsMarkTheReasonRed()
{
    QFETCH(int, reason);
    QFETCH(int, redRow);
    const std::vector<CHLXRow> rows = HLXContractRows(Contract(QStringLiteral("HLX0100"), reason));
    QCOMPARE(int(rows.size()), 9);
    for (int i = 0; i < int(rows.size()); ++i)
        QCOMPARE(IsHLXRedText(rows[size_t(i)]), i == redRow);
    QCOMPARE(HLXRedExtra(rows[0]), reason ? OrmelText(reason) : QString());
    QCOMPARE(rows[4].text, OrmelText(3229) + QStringLiteral(" 12 000 / 7 456"));
    QCOMPARE(rows[5].text, OrmelText(3230) + QStringLiteral(" 100 000 / 62 137 *"));
}

void TestHLXContracts::listTitleAndSeparators_data()
{
    // Row: the contracts listed (with condition texts or not) -> the title's
    // text, and after which contract (from 1) a separator line follows.
    QTest::addColumn<int>("contracts");
    QTest::addColumn<bool>("conditions");
    QTest::addColumn<int>("title");
    QTest::addColumn<QList<int>>("linesAfter");
    // clang-format off
    QTest::newRow("one contract: no line")                 << 1 << false << 3187 << QList<int>{};
    QTest::newRow("two contracts: one line between")       << 2 << false << 3221 << QList<int>{1};
    QTest::newRow("three contracts with condition texts")  << 3 << true  << 3221 << QList<int>{1, 2};
    // clang-format on
}

void TestHLXContracts::listTitleAndSeparators()
{
    QFETCH(int, contracts);
    QFETCH(bool, conditions);
    QFETCH(int, title);
    QFETCH(QList<int>, linesAfter);
    QList<CHLXVertragInfo> list;
    for (int i = 1; i <= contracts; ++i)
        list << Contract(QStringLiteral("HLX0%100").arg(i));
    const std::vector<CHLXRow> rows =
        HLXListRows(list, kVin, [conditions](const CHLXVertragInfo &) {
            return conditions ? QStringLiteral("Bedingung") : QString();
        });
    QCOMPARE(rows[1].kind, int(HLX_ROW_TITLE));
    QCOMPARE(rows[1].text, OrmelText(title) + QStringLiteral("  ") + kVin);
    // The contract whose rows a separator line follows.
    QList<int> after;
    int contract = 0;
    for (const CHLXRow &row : rows) {
        if (row.text.startsWith(OrmelText(3188)))
            ++contract;
        if (row.kind == HLX_ROW_LINE)
            after << contract;
    }
    QCOMPARE(contract, contracts);
    QCOMPARE(after, linesAfter);
}

void TestHLXContracts::printOut_data()
{
    QTest::addColumn<int>("contracts");
    QTest::addColumn<int>("conditionLines");
    QTest::addColumn<int>("pages");
    QTest::addColumn<QStringList>("footers");
    // clang-format off
    QTest::newRow("no contract: the vehicle only")         << 0 << 0   << 1 << QStringList{""};
    QTest::newRow("three contracts on three pages")        << 3 << 3   << 3 << QStringList{"Paket 1 / 3", "Paket 2 / 3", "Paket 3 / 3"};
    QTest::newRow("a long contract goes on over 3 pages")  << 1 << 120 << 3 << QStringList{"Paket 1 / 1", "Paket 1 / 1", "Paket 1 / 1"};
    QTest::newRow("a long contract between two short")     << 3 << 124 << 5 << QStringList{"Paket 1 / 3", "Paket 2 / 3", "Paket 2 / 3", "Paket 2 / 3", "Paket 3 / 3"};
    // clang-format on
}

void TestHLXContracts::printOut()
{
    if (!m_bPdfToText)
        QSKIP("pdftotext (poppler-utils) is not installed");
    QFETCH(int, contracts);
    QFETCH(int, conditionLines);
    QFETCH(int, pages);
    QFETCH(QStringList, footers);
    TestEnv env;
    CPrgSettings s = Arvo(QStringLiteral("07.12.2026"), QStringLiteral("45210"));
    s.TypSchl = QStringLiteral("7A01");
    QList<CHLXVertragInfo> list;
    for (int k = 1; k <= contracts; ++k)
        list << Contract(QStringLiteral("HLX0%1").arg(k * 100), k == 2 ? 3222 : 0);
    // The second contract (the only one when there is one) has the long
    // condition text, the others three lines.
    const int longOne = contracts > 1 ? 2 : 1;
    const auto conditions = [&](const CHLXVertragInfo &c) {
        const int lines = c.strOptionNr == QStringLiteral("HLX0%1").arg(longOne * 100)
                              ? conditionLines
                              : std::min(conditionLines, 3);
        QString text;
        for (int i = 1; i <= lines; ++i)
            text += QStringLiteral("%1 Bedingung %2\r\n")
                        .arg(c.strOptionNr)
                        .arg(i, 3, 10, QLatin1Char('0'));
        return text;
    };
    CHLXPrintOut printOut(&s, &list, conditions);

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
    CEasyPrintDlg engine(&printOut);
    engine.SetPrinter(&printer);
    engine.SetPdfFolder(env.path());
    engine.SetDocumentOpener([](const QUrl &) { return true; });
    QVERIFY(engine.Print(true));
    QCOMPARE(engine.Columns(), 1);
    QCOMPARE(engine.Rows(), pages);
    QCOMPARE(printOut.PageCount(), pages);
    const QStringList text = YaqTest::PdfPages(engine.PdfFilePath());
    QCOMPARE(text.size(), pages);

    // The vehicle on the first page only; each page's footer counts its
    // contract; every condition line printed once, none under a footer.
    QVERIFY(text.first().contains(QStringLiteral("Fahrgestell-Nr.:")));
    QVERIFY(text.first().contains(QStringLiteral("VOQ Helix Care")));
    const QString all = text.join(QLatin1Char('\n'));
    QCOMPARE(all.count(QStringLiteral("Fahrgestell-Nr.:")), 1);
    for (int p = 0; p < pages; ++p) {
        const QString &page = text.at(p);
        if (footers.at(p).isEmpty()) {
            QVERIFY(!page.contains(QStringLiteral("Paket 1 /")));
            continue;
        }
        QVERIFY2(page.count(footers.at(p)) == 1, qPrintable(page));
        QVERIFY(page.contains(QStringLiteral("07.12.2026")));
        // The footer closes the page: nothing stands below it.
        const QStringList lines = page.trimmed().split(QLatin1Char('\n'));
        QVERIFY2(lines.last().contains(footers.at(p)), qPrintable(page));
    }
    for (const CHLXVertragInfo &c : list) {
        QCOMPARE(all.count(OrmelText(3189) + QLatin1Char(' ') + c.strOptionNr), 1);
        const QStringList lines = HLXConditionLines(conditions(c));
        for (const QString &line : lines)
            QVERIFY2(all.count(line) == 1, qPrintable(line));
    }
    if (contracts >= 2)
        QVERIFY(YaqTest::MissingInOrder(all, YaqTest::WordsOf(OrmelText(3222))).isEmpty());
}

void TestHLXContracts::printedHeadings_data()
{
    // Row: the brand code, how the heading begins -> the heading as
    // printed, its size in points and whether it is bold.
    QTest::addColumn<QString>("brand");
    QTest::addColumn<QString>("begins");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("points");
    QTest::addColumn<bool>("bold");
    // clang-format off
    QTest::newRow("title, brand LU")        << "LU" << "AW  F40" << "AW  F40  USA      LUMO Helix Care"                    << 11.0 << true;
    QTest::newRow("title, another brand")   << "VQ" << "AW  F40" << "AW  F40  USA      VOQ Helix Care"                     << 11.0 << true;
    QTest::newRow("the contract's heading") << "VQ" << "Aktives" << "Aktives Paket f\u00fcr Fahrzeug  XVQ1F23A57M012345" << 9.0  << true;
    // clang-format on
}

// The print-out's headings as printed: drawn on a page of 0.1 mm units.
void TestHLXContracts::printedHeadings()
{
    QFETCH(QString, brand);
    QFETCH(QString, begins);
    QFETCH(double, points);
    CPrgSettings s = Arvo(QStringLiteral("07.12.2026"), QStringLiteral("45210"));
    s.DlgTitel = QStringLiteral("AW  F40  USA");
    s.Marke = brand;
    const QList<CHLXVertragInfo> list{Contract(QStringLiteral("HLX0100"))};
    CHLXPrintOut printOut(&s, &list, [](const CHLXVertragInfo &) { return QString(); });
    YaqTest::PaintedTexts page(QSize(1900, 2770), 254);
    {
        QPainter dc(&page);
        SetMapModeLoMetric(&dc);
        CRect area(0, 0, 1900, -2770);
        printOut.PrintPage(&dc, &area, 1);
        printOut.PrintPage(&dc, &area, 0);
    }
    const auto printed =
        std::find_if(page.Texts().begin(), page.Texts().end(),
                     [&](const YaqTest::PaintedText &t) { return t.text.startsWith(begins); });
    QVERIFY(printed != page.Texts().end());
    QTEST(printed->text, "text");
    QCOMPARE(printed->font.pixelSize(), qRound(points * 254.0 / 72.0));
    QTEST(printed->font.bold(), "bold");
}

YAQ_TEST_MAIN(TestHLXContracts)
#include "tst_hlxcontracts.moc"
