// The findings page without its window: the hierarchy, the searches by
// number, text and labour position on the demo catalogue, the rows handed
// to the basket, the selection over labour-position rows, the hints, the
// status lines, the inclusive-service check of a finding against the demo
// Arvo's contracts; and the scope texts and inclusive positions of a
// labour position with their dialog.

#include "basket/model/WKListItem.h"
#include "basket/model/WkBasket.h"
#include "catalogues/BfndDlg.h"
#include "catalogues/model/BfndContractCheck.h"
#include "catalogues/model/BfndHints.h"
#include "catalogues/model/BfndRows.h"
#include "catalogues/model/BfndStatus.h"
#include "common/OwnButton.h"
#include "common/UmfassDlg.h"
#include "common/readers/HLXContracts.h"
#include "common/readers/ScopeTexts.h"
#include "packages/model/Position.h"
#include "platform/OrmelText.h"
#include "platform/db/YaqDb.h"
#include "settings/PrgSettings.h"
#include "support/CatalogueDbTest.h"
#include "support/NullPageHost.h"
#include "support/TestMain.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>

#include <QtTest>

#include <memory>

namespace {

const QString kVin = QStringLiteral("XVQ1F23A57M012345");
// The day of the finding lists: the demo lists run until 2099.
const QString kPageDay = QStringLiteral("20261207");

// The demo Arvo 1.6 with its contracts in force on 07.12.2026.
CPrgSettings Arvo()
{
    CPrgSettings s;
    s.KatalogKey = QStringLiteral("1");
    s.Fgstnr = kVin.right(7);
    s.FgstnrFull = kVin;
    s.EReihe = QStringLiteral("F40 ");
    s.LeadTyp = QStringLiteral("1101");
    s.ZusatzCode = QStringLiteral("A");
    s.nVertrag = 1;
    s.Heute = QStringLiteral("07.12.2026");
    s.Kilometer = QStringLiteral("45210");
    return s;
}

// A row as "type:keys" (a labour position: "3:number").
QStringList Lines(const CBfndRowList &rows)
{
    QStringList lines;
    for (const auto &row : rows)
        lines << QString::number(row->Type) + QLatin1Char(':') +
                     (row->Type == BFND_POSITION || row->Type == BFND_APOS_FINDING ? row->Number
                                                                                   : row->Keys());
    return lines;
}

CBfndRowList RowsOfTypes(const QList<int> &types)
{
    CBfndRowList rows;
    for (int type : types) {
        auto row = std::make_unique<CBfndRow>();
        row->Type = type;
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace

class TestFindings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void searches_data();
    void searches();
    void lostServerIsNoEmptyCatalogue();
    void openingTheHierarchy();
    void basketPositionOfARow_data();
    void basketPositionOfARow();
    void selectionSkipsLabourPositions_data();
    void selectionSkipsLabourPositions();
    void damageKeyRunsSortAndUpperListTrims_data();
    void damageKeyRunsSortAndUpperListTrims();
    void hints_data();
    void hints();
    void statusLines_data();
    void statusLines();
    void contractTextOfAFinding_data();
    void contractTextOfAFinding();
    void scopeTextsAndInclusivePositions_data();
    void scopeTextsAndInclusivePositions();
    void scopeDialogShowsTheLines();
    void pageFromTheCatalogueStoresADamageKey();
    void editsOfTheSearchFields();
    void searchButtonFollowsTheField_data();
    void searchButtonFollowsTheField();
};

void TestFindings::initTestCase()
{
    InitOrmelText(QStringLiteral(YAQ_DEMO_DATAS_DIR "/Zirava/PrgTxt"));
    SetPrgSprache(QStringLiteral("00"));
}

void TestFindings::searches_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QStringList>("result");
    // clang-format off
    QTest::newRow("subgroup: its locations with their damage keys by text") << "number" << "6410"       << QStringList{"7:641001", "8:64100110", "8:64100120", "7:641002", "8:64100210"};
    QTest::newRow("location: only its damage keys")                         << "number" << "641002"     << QStringList{"7:641002", "8:64100210"};
    QTest::newRow("finding with the positions that stand for it")           << "number" << "64100120"   << QStringList{"5:64100120", "3:6411010", "3:6411020"};
    QTest::newRow("finding of ten characters")                              << "number" << "1110081000" << QStringList{"5:11100810", "3:1110010"};
    QTest::newRow("main group alone fills no result")                       << "number" << "64"         << QStringList{};
    QTest::newRow("unknown main group")                                     << "number" << "99"         << QStringList{};
    QTest::newRow("odd length")                                             << "number" << "641"        << QStringList{};
    QTest::newRow("text in any case")                                       << "text"   << "UNDICHT"    << QStringList{"2:11100810", "2:11100910", "2:64100210"};
    QTest::newRow("text with a wildcard taken literally")                   << "text"   << "%"          << QStringList{};
    QTest::newRow("labour position: its code and the findings below")       << "apos"   << "6411020"    << QStringList{"4:641001XXXX", "7:641001", "8:64100110", "8:64100120"};
    QTest::newRow("labour position without findings")                       << "apos"   << "3410010"    << QStringList{};
    // clang-format on
}

void TestFindings::searches()
{
    QFETCH(QString, kind);
    QFETCH(QString, input);
    QFETCH(QStringList, result);
    auto db = CatalogueDbTest::OpenDemoFile();
    QVERIFY(db);
    const CPrgSettings s = Arvo();
    CBfndRows rows(&s, db.get(), db.get());
    const bool found = kind == QLatin1String("number") ? rows.SearchNumber(input)
                       : kind == QLatin1String("text") ? rows.SearchText(input)
                                                       : rows.SearchPosition(input);
    QCOMPARE(Lines(rows.Result()), result);
    if (input != QLatin1String("64"))
        QCOMPARE(found, !result.isEmpty());
}

// Reads that failed are told as the lost server and change nothing shown:
// the lists and hints stay, a position has no "no text", a contract's
// finding list is no empty one and is read again. Once the server is back
// the next read shows them.
void TestFindings::lostServerIsNoEmptyCatalogue()
{
    if (!CatalogueDbTest::ServerGiven())
        QSKIP("no PostgreSQL server given (YAQ_TEST_PG_*)");
    CProxiedServer proxy;
    QVERIFY(proxy.Port());
    std::unique_ptr<CYaqDb> db = proxy.Open();
    QVERIFY(db);
    const CPrgSettings s = Arvo();
    CBfndRows rows(&s, db.get(), db.get());
    const CBfndContractCheck check(&s, db.get(), QStringLiteral("20260101"));
    const QString contract = QStringLiteral("HLX0100");
    QVERIFY(rows.ReadMainGroups());
    QVERIFY(rows.LoadFindingHints());
    const QString hint = rows.GetFindingHint(QStringLiteral("111008"));
    QVERIFY(!hint.isEmpty());
    proxy.Cut();
    QVERIFY(!rows.ReadMainGroups());
    QVERIFY(rows.OpenUpper(0));
    QVERIFY(!rows.LevelUp());
    QCOMPARE(Lines(rows.Upper()), QStringList({"1:11", "1:64"}));
    QVERIFY(!rows.LoadFindingHints());
    QCOMPARE(rows.GetFindingHint(QStringLiteral("111008")), hint);
    const CatalogueAnswer<QString> text = rows.GetAPosText(QStringLiteral("1110010"));
    QVERIFY(text.failed && text.value.isEmpty());
    QVERIFY(check.ReadContractProgramme(contract).listNumber.isEmpty());
    QVERIFY(rows.ReadFailedSinceAsked());
    proxy.Resume();
    QCOMPARE(check.ReadContractProgramme(contract).listNumber, QStringLiteral("L100"));
    QVERIFY(rows.OpenUpper(0));
    QVERIFY(!rows.ReadFailedSinceAsked());
    QCOMPARE(Lines(rows.Upper()), QStringList({"1:11", "6:1110", "6:1120"}));
}

void TestFindings::openingTheHierarchy()
{
    auto db = CatalogueDbTest::OpenDemoFile();
    QVERIFY(db);
    const CPrgSettings s = Arvo();
    CBfndRows rows(&s, db.get(), db.get());
    rows.ReadMainGroups();
    QCOMPARE(Lines(rows.Upper()), QStringList({"1:11", "1:64"}));
    QVERIFY(!rows.LevelUp());
    QVERIFY(rows.OpenUpper(1));
    QCOMPARE(Lines(rows.Upper()), QStringList({"1:64", "6:6410"}));
    QVERIFY(!rows.OpenUpper(0));
    QVERIFY(rows.OpenUpper(1));
    QCOMPARE(rows.Result().size(), size_t(5));
    QVERIFY(rows.LevelUp());
    QCOMPARE(Lines(rows.Upper()), QStringList({"1:11", "1:64"}));
    QVERIFY(rows.Result().empty());
    // A hit of the text search opens the location it names.
    QVERIFY(rows.SearchText(QStringLiteral("verstopft")));
    QVERIFY(rows.OpenResult(0));
    QCOMPARE(Lines(rows.Result()), QStringList({"7:111008", "8:11100810", "8:11100820"}));
}

void TestFindings::basketPositionOfARow_data()
{
    QTest::addColumn<QList<int>>("types");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("positionType");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("text1");
    QTest::addColumn<QString>("text2");
    // clang-format off
    QTest::newRow("damage key below its location")   << QList<int>{7, 8, 8} << 2 << int(POS_FINDING)    << "6410012000" << "Tuerschloss" << "klemmt";
    QTest::newRow("finding")                         << QList<int>{5, 3}    << 0 << int(POS_SI_FINDING) << "64100120"   << "Tuerschloss klemmt" << "";
    QTest::newRow("location adds nothing")           << QList<int>{7, 8}    << 0 << 0                   << ""           << "" << "";
    QTest::newRow("damage key without a row above")  << QList<int>{8, 8}    << 1 << 0                   << ""           << "" << "";
    QTest::newRow("no row at the index")             << QList<int>{7, 8}    << 5 << 0                   << ""           << "" << "";
    // clang-format on
}

void TestFindings::basketPositionOfARow()
{
    QFETCH(QList<int>, types);
    QFETCH(int, index);
    QFETCH(int, positionType);
    CBfndRowList rows = RowsOfTypes(types);
    for (auto &row : rows) {
        row->Key1 = QStringLiteral("64");
        row->Key2 = QStringLiteral("10");
        row->Key3 = QStringLiteral("01");
        row->Key4 = row->Type == BFND_DAMAGE_KEY ? QStringLiteral("20") : QString();
        row->Text = row->Type == BFND_DAMAGE_KEY ? QStringLiteral("klemmt")
                    : row->Type == BFND_FINDING  ? QStringLiteral("Tuerschloss klemmt")
                                                 : QStringLiteral("Tuerschloss");
        row->Number = row->Type == BFND_FINDING ? QStringLiteral("64100120") : QString();
    }
    const std::unique_ptr<CPosition> position = CBfndRows::FindingPosition(rows, index);
    QCOMPARE(position ? int(position->Type) : 0, positionType);
    if (!position)
        return;
    QTEST(position->Number, "number");
    QTEST(position->BefundText, "text1");
    QTEST(position->BefundText2, "text2");
}

void TestFindings::selectionSkipsLabourPositions_data()
{
    QTest::addColumn<QList<int>>("types");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("remembered");
    QTest::addColumn<int>("selected");
    // clang-format off
    QTest::newRow("a finding is selected as it is")           << QList<int>{5, 3, 5} << 2 << 0  << 2;
    QTest::newRow("down over one position")                   << QList<int>{5, 3, 5} << 1 << 0  << 2;
    QTest::newRow("down over two positions to the next")      << QList<int>{5, 3, 3, 5} << 1 << 0 << 3;
    QTest::newRow("up over two positions to the one before")  << QList<int>{5, 3, 3, 5} << 2 << 3 << 0;
    QTest::newRow("down at the end steps back")               << QList<int>{5, 3, 3} << 1 << 0  << 0;
    QTest::newRow("up at the top steps down")                 << QList<int>{3, 3, 5} << 1 << 2  << 2;
    QTest::newRow("first move of the list goes down")         << QList<int>{3, 5} << 0 << -1    << 1;
    QTest::newRow("nothing but positions")                    << QList<int>{3, 3} << 0 << -1    << -1;
    // clang-format on
}

void TestFindings::selectionSkipsLabourPositions()
{
    QFETCH(QList<int>, types);
    QFETCH(int, index);
    QFETCH(int, remembered);
    QTEST(CBfndRows::SelectableIndex(RowsOfTypes(types), index, remembered), "selected");
}

void TestFindings::damageKeyRunsSortAndUpperListTrims_data()
{
    // Row: the types and texts of the rows -> the texts after the sort.
    QTest::addColumn<QList<int>>("types");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QStringList>("sorted");
    // clang-format off
    QTest::newRow("each run of damage keys by itself") << QList<int>{7, 8, 8, 8, 7, 8, 8} << QStringList{"Ort", "zu", "Abc", "mitte", "Ort", "b", "A"} << QStringList{"Ort", "Abc", "mitte", "zu", "Ort", "A", "b"};
    QTest::newRow("texts compared without case")       << QList<int>{7, 8, 8, 8}          << QStringList{"Ort", "Zahn", "riss", "abrieb"}           << QStringList{"Ort", "abrieb", "riss", "Zahn"};
    // clang-format on
}

void TestFindings::damageKeyRunsSortAndUpperListTrims()
{
    QFETCH(QList<int>, types);
    QFETCH(QStringList, texts);
    CBfndRowList rows = RowsOfTypes(types);
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i]->Text = texts[int(i)];
    CBfndRows::SortDamageKeyRuns(rows);
    QStringList sorted;
    for (const auto &row : rows)
        sorted << row->Text;
    QTEST(sorted, "sorted");

    CBfndRowList upper = RowsOfTypes({1, 1, 6, 6, 1});
    CBfndRows::TrimUpperList(upper, BFND_SUB_GROUP);
    QCOMPARE(upper.size(), size_t(2));
}

void TestFindings::hints_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("index");
    QTest::addColumn<QString>("hint");
    // clang-format off
    QTest::newRow("hint of the demo catalogue")  << "111008" << ""   << "Oelfilter nur mit neuem Dichtring einbauen";
    QTest::newRow("location without a hint")     << "111009" << ""   << "";
    QTest::newRow("index past the hints")        << "999999" << "7"  << "";
    QTest::newRow("negative index")              << "999999" << "-1" << "";
    QTest::newRow("index that is no number")     << "999999" << "x"  << "";
    // clang-format on
}

void TestFindings::hints()
{
    QFETCH(QString, key);
    QFETCH(QString, index);
    auto db = CatalogueDbTest::OpenDemoFile();
    QVERIFY(db);
    CBfndHints hints;
    QVERIFY(hints.Load(db.get(), QStringLiteral("1"), QStringLiteral("00")));
    QCOMPARE(hints.Count(), 2);
    if (!index.isEmpty())
        hints.SetIndexText(key, index);
    QTEST(hints.Get(key), "hint");
}

void TestFindings::statusLines_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("hint");
    QTest::addColumn<bool>("hintsShown");
    QTest::addColumn<int>("line2Text");
    QTest::addColumn<int>("line2Look");
    const int grey = int(BfndStatusLook::Grey), white = int(BfndStatusLook::White);
    const int highlight = int(BfndStatusLook::Highlight);
    // Text: 0 empty, -1 the hint, else the text id.
    // clang-format off
    QTest::newRow("finding with its hint")            << 5 << "Hinweis" << true  << -1   << highlight;
    QTest::newRow("finding without a hint")           << 5 << ""        << true  << 3107 << grey;
    QTest::newRow("text hit without a hint")          << 2 << ""        << true  << 3134 << white;
    QTest::newRow("finding, hints not shown")         << 5 << "Hinweis" << false << 3107 << grey;
    QTest::newRow("text hit, hints not shown")        << 2 << "Hinweis" << false << 0    << grey;
    QTest::newRow("damage key with the hint")         << 8 << "Hinweis" << false << -1   << highlight;
    QTest::newRow("damage key without a hint")        << 8 << ""        << true  << 3134 << white;
    QTest::newRow("subgroup without a hint")          << 6 << ""        << true  << 0    << grey;
    // clang-format on
}

void TestFindings::statusLines()
{
    QFETCH(int, type);
    QFETCH(QString, hint);
    QFETCH(bool, hintsShown);
    QFETCH(int, line2Text);
    CBfndRow row;
    row.Type = type;
    row.Hint = hint;
    row.ContractText = QStringLiteral("Vertrag");
    const CBfndStatus status = CBfndStatus::Of(&row, hintsShown, false);
    QCOMPARE(status.line2.text, line2Text < 0   ? hint
                                : line2Text > 0 ? OrmelText(line2Text)
                                                : QString());
    QTEST(int(status.line2.look), "line2Look");
    QCOMPARE(status.line1.text, QStringLiteral("Vertrag"));
    QCOMPARE(int(status.line1.look), int(BfndStatusLook::White));
    // Outside the standard catalogue both lines stay empty.
    QVERIFY(CBfndStatus::Of(&row, hintsShown, true).line2.text.isEmpty());
}

void TestFindings::contractTextOfAFinding_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("vehicle");
    QTest::addColumn<QList<int>>("texts");
    QTest::addColumn<bool>("covered");
    // texts: per contract of the list (HLX0100, HLX0200) 3219 covered or
    // 3220 not; a single other id: that text alone; none: no text; -1: the
    // row's text as it was.
    // clang-format off
    QTest::newRow("listed in HLX0100, left out by HLX0200")  << "11100810" << "arvo"     << QList<int>{3219, 3220} << true;
    QTest::newRow("outside both lists")                      << "64100110" << "arvo"     << QList<int>{3220, 3219} << true;
    QTest::newRow("in neither contract")                     << "11100910" << "arvo"     << QList<int>{3220, 3220} << false;
    QTest::newRow("entry no longer current")                 << "34100110" << "arvo"     << QList<int>{3220, 3219} << true;
    QTest::newRow("no vehicle identified")                   << "11100810" << "novin"    << QList<int>{3217}       << true;
    QTest::newRow("vehicle without contract flag")           << "11100810" << "nocontract" << QList<int>{3218}     << false;
    QTest::newRow("inclusive-service finding without flag")  << "87000010" << "nocontract" << QList<int>{3218}     << false;
    QTest::newRow("flag unchecked (catalogue lost): no text") << "11100810" << "nocontract, unchecked" << QList<int>{} << false;
    QTest::newRow("key shorter than a finding")              << "641001"   << "arvo"     << QList<int>{}           << true;
    QTest::newRow("key one character short")                 << "1110081"  << "arvo"     << QList<int>{}           << true;
    QTest::newRow("list entry ending on the page's day")     << "34100110" << "arvo on 31.12.2020" << QList<int>{3219, 3219} << true;
    QTest::newRow("contract without an inclusion flag")      << "11100810" << "arvo, HLX0700 listed without a reading" << QList<int>{3219, 3220} << true;
    QTest::newRow("no contract texts: the row keeps its own") << "11100810" << "arvo, no contract texts" << QList<int>{-1} << true;
    // clang-format on
}

void TestFindings::contractTextOfAFinding()
{
    QFETCH(QString, number);
    QFETCH(QString, vehicle);
    QFETCH(QList<int>, texts);
    // HLX0700, in force, gets a finding list without saying how it reads.
    QTemporaryDir dir;
    auto db =
        vehicle.contains(QLatin1String("without a reading"))
            ? CatalogueDbTest::OpenDemoCopy(dir.path(), "UPDATE hlx_option SET list_number = 'L100'"
                                                        " WHERE option_number = 'HLX0700'")
            : CatalogueDbTest::OpenDemoFile();
    QVERIFY(db);
    CPrgSettings s = Arvo();
    if (vehicle.startsWith(QLatin1String("nocontract")))
        s.nVertrag = 0;
    s.bKeinVertragText = vehicle.contains(QLatin1String("no contract texts")) ? 1 : 0;
    QVERIFY(ReadHLXContractStatus(s, db.get(), nullptr).value);
    if (vehicle == QLatin1String("novin"))
        s.FgstnrFull.clear();
    s.bVertragUngeprueft = vehicle.contains(QLatin1String("unchecked")) ? 1 : 0;
    CBfndContractCheck check(
        &s, db.get(),
        vehicle.contains(QLatin1String("31.12.2020")) ? QStringLiteral("20201231") : kPageDay);
    CBfndRow row;
    row.Type = BFND_FINDING;
    row.Number = number;
    row.ContractText = QStringLiteral("old");
    check.CheckFindingContract(row);
    QString expected;
    const QStringList contracts[] = {{"HLX0100", "Helix Care Wartung"},
                                     {"HLX0200", "Helix Care Garantie"}};
    for (int i = 0; i < texts.size(); ++i) {
        if (texts[i] == -1) {
            expected = QStringLiteral("old");
            break;
        }
        if (texts[i] != 3219 && texts[i] != 3220) {
            expected = OrmelText(texts[i]);
            break;
        }
        if (i > 0)
            expected += QStringLiteral("\n\n");
        expected += OrmelTextArgs(texts[i], contracts[i]);
    }
    QCOMPARE(row.ContractText, expected);
    if (vehicle != QLatin1String("novin"))
        QTEST(check.IsFindingCovered(number), "covered");
}

void TestFindings::scopeTextsAndInclusivePositions_data()
{
    QTest::addColumn<QString>("apNumber");
    QTest::addColumn<QString>("leadType");
    QTest::addColumn<int>("catalogueFlag");
    QTest::addColumn<QStringList>("scope");
    QTest::addColumn<QStringList>("inclusive");
    // clang-format off
    QTest::newRow("oil service")                 << "1110010" << "1101" << 0 << QStringList{"Motoroel ablassen und auffuellen", "Oelfilter ersetzen", "Fahrzeug anheben und absenken"} << QStringList{"1110015 Motoroel ablassen", "1110020 Zuendkerzen ersetzen"};
    QTest::newRow("door lock")                   << "6411020" << "1101" << 0 << QStringList{"Tuerverkleidung aus- und einbauen", "Tuerschloss aus- und einbauen"} << QStringList{"6411010 Tuer einstellen"};
    QTest::newRow("position without either")     << "1110020" << "1101" << 0 << QStringList{} << QStringList{};
    QTest::newRow("other vehicle variant")       << "1110010" << "2201" << 0 << QStringList{} << QStringList{};
    QTest::newRow("without a lead type")         << "1110010" << ""     << 0 << QStringList{} << QStringList{};
    QTest::newRow("outside the standard catalogue") << "1110010" << "1101" << 1 << QStringList{} << QStringList{};
    // clang-format on
}

void TestFindings::scopeTextsAndInclusivePositions()
{
    QFETCH(QString, apNumber);
    QFETCH(QString, leadType);
    QFETCH(int, catalogueFlag);
    QFETCH(QStringList, scope);
    QFETCH(QStringList, inclusive);
    auto db = CatalogueDbTest::OpenDemoFile();
    QVERIFY(db);
    CPrgSettings s = Arvo();
    s.LeadTyp = leadType;
    s.nKatalogFlag = catalogueFlag;
    const auto found = [](bool yes) { return yes ? CatalogueFound::Yes : CatalogueFound::No; };
    QCOMPARE(FindScopeTexts(s, db.get(), apNumber), found(!scope.isEmpty()));
    QCOMPARE(FindInclusivePositions(s, db.get(), apNumber), found(!inclusive.isEmpty()));
    QCOMPARE(ScopeTextLines(s, db.get(), apNumber).value, scope);
    QCOMPARE(InclusivePositionLines(s, db.get(), apNumber).value, inclusive);
    QCOMPARE(FindScopeTexts(s, nullptr, apNumber), CatalogueFound::No);
}

void TestFindings::scopeDialogShowsTheLines()
{
    CUmfassDlg dialog;
    dialog.Fill(1, QStringLiteral("1110010"), {QStringLiteral("1110015 Motoroel ablassen")});
    QCOMPARE(dialog.Lines(), QStringList({"1110015 Motoroel ablassen"}));
    QVERIFY(dialog.windowTitle().startsWith(QStringLiteral("Inklusiv")));
    dialog.Fill(0, QStringLiteral("1110020"), {});
    QCOMPARE(dialog.Lines(), QStringList({OrmelText(3041)}));
}

namespace {
// The findings page opened from the labour-value catalogue.
struct FromCatalogue : CNullPageHost
{
    int CameFrom(int) const override { return kPageAwKat; }
};
} // namespace

void TestFindings::pageFromTheCatalogueStoresADamageKey()
{
    auto db = CatalogueDbTest::OpenDemoFile();
    QVERIFY(db);
    CPrgSettings s = Arvo();
    s.AktApNr = QStringLiteral("6411020");
    CWkBasket basket(&s);
    FromCatalogue host;
    host.m_pBasket = &basket;
    CBfndDlg page;
    page.Create(&s, kPageBfnd, 3043, {db.get(), db.get(), db.get(), db.get()}, &host, nullptr);
    page.ActivatePage(1);
    auto *result = page.findChild<QListWidget *>(QStringLiteral("resultList"));
    QVERIFY(result);
    QCOMPARE(result->count(), 4);
    QCOMPARE(page.findChild<QLineEdit *>(QStringLiteral("apNumber"))->text(),
             QStringLiteral("6411020"));
    // The damage key "klemmt" below the door lock; covered by HLX0200.
    result->setCurrentRow(3);
    QVERIFY(page.findChild<QLabel *>(QStringLiteral("statusLine1"))
                ->text()
                .contains(QStringLiteral("HLX0200")));
    page.AddFindingToBasket();
    QCOMPARE(basket.GetEntryCount(), 1);
    const CWKListItem *entry = basket.Entries().GetAt(0);
    QCOMPARE(entry->Kind, int(WK_POSITION));
    QCOMPARE(entry->APos->Type, int(POS_FINDING));
    QCOMPARE(entry->APos->Number, QStringLiteral("6410012000"));
}

void TestFindings::editsOfTheSearchFields()
{
    auto db = CatalogueDbTest::OpenDemoFile();
    QVERIFY(db);
    CPrgSettings s = Arvo();
    CNullPageHost host;
    CBfndDlg page;
    page.Create(&s, kPageBfnd, 3043, {db.get(), db.get(), db.get(), db.get()}, &host, nullptr);
    page.ActivatePage(1);
    auto *number = page.findChild<QLineEdit *>(QStringLiteral("findingNumber"));
    auto *text = page.findChild<QLineEdit *>(QStringLiteral("findingText"));
    auto *apNumber = page.findChild<QLineEdit *>(QStringLiteral("apNumber"));
    auto *search = page.findChild<COwnButton *>(QStringLiteral("searchButton"));
    QVERIFY(number && text && apNumber && search);
    QTest::keyClicks(number, QStringLiteral("641"));
    QVERIFY(!search->isEnabled());
    QTest::keyClicks(number, QStringLiteral("0"));
    QVERIFY(search->isEnabled());
    QTest::keyClicks(text, QStringLiteral("u"));
    QVERIFY(number->text().isEmpty());
    QTest::keyClicks(apNumber, QStringLiteral("641102"));
    QVERIFY(text->text().isEmpty());
    QVERIFY(!search->isEnabled());
    QTest::keyClicks(apNumber, QStringLiteral("0"));
    QVERIFY(search->isEnabled());
    QCOMPARE(apNumber->selectedText(), QStringLiteral("6411020"));
    page.OnSearch();
    QCOMPARE(page.findChild<QListWidget *>(QStringLiteral("resultList"))->count(), 4);
    // Writing a field from code is no edit of the adviser's; a number that
    // names nothing empties the result.
    number->setText(QStringLiteral("641"));
    QVERIFY(search->isEnabled());
    page.OnSearch();
    QCOMPARE(page.findChild<QListWidget *>(QStringLiteral("resultList"))->count(), 0);
}

void TestFindings::searchButtonFollowsTheField_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("allowed");
    const int number = int(BfndSearchField::Number), text = int(BfndSearchField::Text),
              apNumber = int(BfndSearchField::ApNumber);
    // clang-format off
    QTest::newRow("findings number of three characters")   << number   << "641"     << false;
    QTest::newRow("findings number of four characters")    << number   << "6410"    << true;
    QTest::newRow("findings number emptied")               << number   << ""        << true;
    QTest::newRow("findings text")                         << text     << "u"       << true;
    QTest::newRow("labour position of six characters")     << apNumber << "641102"  << false;
    QTest::newRow("labour position of seven characters")   << apNumber << "6411020" << true;
    QTest::newRow("labour position emptied")               << apNumber << ""        << true;
    // clang-format on
}

void TestFindings::searchButtonFollowsTheField()
{
    QFETCH(int, field);
    QFETCH(QString, typed);
    QTEST(BfndSearchAllowed(BfndSearchField(field), typed), "allowed");
}

YAQ_TEST_MAIN(TestFindings)
#include "tst_findings.moc"
