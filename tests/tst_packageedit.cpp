// The edited package without the page: the selection rules (clicks and
// double clicks on standard, alternative, optional and sub-package lines
// in every display state), the loading of the demo packages of each kind
// (SQLite, and PostgreSQL when YAQ_TEST_PG_* announce a server), the
// quantity texts, and the finding lines with their contract check.

#include "common/readers/CatalogueCache.h"
#include "packages/edit/EditedPackage.h"
#include "packages/edit/FindingLines.h"
#include "packages/edit/PackageLoader.h"
#include "packages/edit/PackageSelection.h"
#include "packages/model/Paket.h"
#include "platform/OrmelText.h"
#include "platform/db/YaqDb.h"
#include "settings/PrgSettings.h"
#include "support/CatalogueDbTest.h"
#include "support/TestEnv.h"

#include <QtTest>

#include <memory>

namespace {

// ---- selection rules ------------------------------------------------------

std::unique_ptr<CPosition> Line(int type, const QString &number, const QString &kind,
                                const QString &ref = QString())
{
    auto line = std::make_unique<CPosition>();
    line->Type = type;
    line->Number = number;
    line->Kind = kind;
    if (type == POS_PART) {
        line->PosLfdNr = number.right(3);
        line->PosLfdNrRef = ref;
    } else {
        line->AwPosRef = ref;
    }
    line->SetDiscountableFlag();
    return line;
}

// A package with a standard line and two alternatives, a lone standard
// line, an optional line with its alternative behind the "OPTIONAL" group
// line, an optional sub-package and a standard part with an alternative.
void FillSample(CPaket &paket, const QString &headKind)
{
    auto head = Line(POS_HEAD_CAMPAIGN, QStringLiteral("1000"), QString());
    head->PaketArt = headKind;
    paket.AddPosition(std::move(head));
    paket.AddPosition(Line(POS_WORK, "1000", "S"));
    paket.AddPosition(Line(POS_WORK, "1001", "A", "1000"));
    paket.AddPosition(Line(POS_WORK, "1002", "A", "1000"));
    paket.AddPosition(Line(POS_WORK, "4000", "S"));
    paket.AddPosition(Line(POS_GROUP, "", "O"));
    paket.AddPosition(Line(POS_WORK, "2000", "O"));
    paket.AddPosition(Line(POS_WORK, "2001", "B", "2000"));
    paket.AddPosition(Line(POS_SUBPACKAGE, "3000", "OP"));
    paket.AddPosition(Line(POS_PART, "P010", "S"));
    paket.AddPosition(Line(POS_PART, "P030", "A", "010"));
}

CPosition *ByNumber(const CPaket &paket, const QString &number)
{
    for (const auto &line : paket)
        if (line->Number == number && !IsHeadType(line->Type))
            return line.get();
    return nullptr;
}

// Rows as "number/state/selected"; a group line as "G".
QString Describe(const std::vector<CPosition *> &rows)
{
    QStringList out;
    for (const CPosition *row : rows)
        out << (row->Type == POS_GROUP ? QStringLiteral("G")
                                       : QStringLiteral("%1/%2/%3")
                                             .arg(row->Number)
                                             .arg(LineStateOf(*row))
                                             .arg(row->Selected));
    return out.join(QLatin1Char(' '));
}

// A package of lines "kind:number", an alternative "kind:number>replaced",
// a part line with a leading "p" ("pA:P030>010"); "*" chooses the line,
// "-" drops it, otherwise it is chosen as loaded.
void FillLines(CPaket &paket, const QString &lines)
{
    auto head = Line(POS_HEAD_CAMPAIGN, QStringLiteral("9000"), QString());
    head->PaketArt = QStringLiteral("SRP");
    paket.AddPosition(std::move(head));
    for (QString token : lines.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        int selected = -1;
        if (token.endsWith(QLatin1Char('*')) || token.endsWith(QLatin1Char('-'))) {
            selected = token.endsWith(QLatin1Char('*')) ? 1 : 0;
            token.chop(1);
        }
        const bool part = token.startsWith(QLatin1Char('p'));
        const QString kind = token.section(QLatin1Char(':'), 0, 0).mid(part ? 1 : 0);
        const QString rest = token.section(QLatin1Char(':'), 1);
        auto line = Line(part ? POS_PART : POS_WORK, rest.section(QLatin1Char('>'), 0, 0), kind,
                         rest.section(QLatin1Char('>'), 1));
        if (selected >= 0)
            line->Selected = selected;
        paket.AddPosition(std::move(line));
    }
}

// Every line but the head as "number/state/a.b.s.o" (its group counters).
QString DescribeStates(const CPaket &paket)
{
    QStringList out;
    for (const auto &line : paket) {
        if (IsHeadType(line->Type))
            continue;
        const CGroupCounters n = GroupCountersOf(*line);
        out << QStringLiteral("%1/%2/%3.%4.%5.%6")
                   .arg(line->Number)
                   .arg(LineStateOf(*line))
                   .arg(n.a)
                   .arg(n.b)
                   .arg(n.s)
                   .arg(n.o);
    }
    return out.join(QLatin1Char(' '));
}

// ---- loading ----------------------------------------------------------------

class CountingNotice : public IPaketNotice
{
public:
    void Notice(const QString &text) override { texts << text; }
    QStringList texts;
};

// Every labour position of the demo packages applies, except the ones named.
class TableReads : public IPackageLoadReads
{
public:
    explicit TableReads(QStringList notApplying = {}) : m_not(std::move(notApplying)) {}
    CatalogueAnswer<int> CatalogueColumn() override { return {0, false}; }
    bool PositionApplies(const QString &number, int) override { return !m_not.contains(number); }

private:
    QStringList m_not;
};

// "name@YYYYMMDD": the vehicle built on another day.
CPackageLoadVehicle Vehicle(const QString &nameAndDate)
{
    const QString name = nameAndDate.section(QLatin1Char('@'), 0, 0);
    CPackageLoadVehicle v;
    v.productionDate = nameAndDate.contains(QLatin1Char('@'))
                           ? nameAndDate.section(QLatin1Char('@'), 1, 1)
                           : QStringLiteral("20170315");
    if (name == QLatin1String("Fenno")) {
        v.typeKey = QStringLiteral("7F51");
        v.typeNumber = QStringLiteral("VQF50DE");
        v.leadType = QStringLiteral("5101");
        v.modelSeries = QStringLiteral("F50");
    } else {
        v.typeKey = QStringLiteral("7A01");
        v.typeNumber = QStringLiteral("VQF40DE");
        v.leadType = QStringLiteral("1101");
        v.extraCode = QStringLiteral("A");
        v.modelSeries = QStringLiteral("F40");
        v.countryCode = QStringLiteral("DE");
        v.countrySpecific = name == QLatin1String("Arvo DE");
    }
    return v;
}

// The chosen head as the package list hands it over: the package number,
// its key and the keys of its other kinds.
CPosition Head(const QString &number)
{
    CPosition head;
    head.Type = POS_HEAD_CAMPAIGN;
    head.Number = number;
    head.PaketID = number;
    head.PaketArt = QStringLiteral("SRP");
    if (number == QLatin1String("1110010")) {
        head.PaketTexts[kGrpNumber] = QStringLiteral("1190010");
        head.PaketTexts[kSipNumber] = QStringLiteral("1180010");
        head.PaketTexts[kVlpNumber] = QStringLiteral("1170010");
    }
    return head;
}

CPosition ListLine(const QString &number)
{
    CPosition line;
    line.Type = POS_SPECIAL1;
    line.PaketID = number;
    line.HG = number.left(2);
    return line;
}

// A package as "type:number:kind" per line, a sub-package in brackets.
QString Describe(const CPaket &paket)
{
    QStringList out;
    for (const auto &line : paket) {
        // A list line is known by its package key.
        const QString &id = line->Type == POS_SPECIAL1 ? line->PaketID : line->Number;
        QString text = QStringLiteral("%1:%2").arg(line->Type).arg(id);
        if (!line->Kind.isEmpty())
            text += QLatin1Char(':') + line->Kind;
        if (line->SubPackage)
            text += QStringLiteral(" [") + Describe(*line->SubPackage) + QLatin1Char(']');
        out << text;
    }
    return out.join(QLatin1Char(' '));
}

} // namespace

class TestPackageEdit : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase_data();
    void initTestCase();
    void init();
    void clicksFollowTheSelectionRules_data();
    void clicksFollowTheSelectionRules();
    void selectionSkipsGroupLines_data();
    void selectionSkipsGroupLines();
    void groupsFollowTheirNumbers_data();
    void groupsFollowTheirNumbers();
    void demoPackagesLoadTheirLines_data();
    void demoPackagesLoadTheirLines();
    void loadedLinesCarryTheirFields_data();
    void loadedLinesCarryTheirFields();
    void loadNeverFillsAPackageTwice();
    void keptConnectionsServeTheNextLoad();
    void failedConnectionStopsTheLoadOnly();
    void emptyingForgetsEveryReference();
    void findingRowsShowTheNumberInPairs_data();
    void findingRowsShowTheNumberInPairs();
    void findingLinesOfTheDemoPackage_data();
    void findingLinesOfTheDemoPackage();
    void findingCoveredOnTheListsDays_data();
    void findingCoveredOnTheListsDays();
    void oneFindingIsChosenByLine();
    void localFileAnswersAsTheProgramsCache_data();
    void localFileAnswersAsTheProgramsCache();

private:
    CPackageLoadConnections connections(CYaqDb *db, int *opened = nullptr, int failAt = 0);

    std::unique_ptr<CYaqDb> m_db;
};

void TestPackageEdit::initTestCase_data()
{
    CatalogueDbTest::AddBackends();
}

void TestPackageEdit::initTestCase()
{
    InitOrmelText(QStringLiteral(YAQ_DEMO_DATAS_DIR "/Zirava/PrgTxt"));
}

void TestPackageEdit::init()
{
    if (CatalogueDbTest::NoServerForRow())
        QSKIP("YAQ_TEST_PG_* not set: no PostgreSQL test server");
    m_db = CatalogueDbTest::Open();
    QVERIFY(m_db);
}

// The page's connections are one shared connection here; the loader's own
// ones are counted, and the one numbered failAt (from 1) cannot be opened.
CPackageLoadConnections TestPackageEdit::connections(CYaqDb *db, int *opened, int failAt)
{
    CPackageLoadConnections c;
    c.values = c.catalogue = c.texts = db;
    auto count = std::make_shared<int>(0);
    c.open = [this, opened, failAt, count]() -> std::unique_ptr<CYaqDb> {
        ++*count;
        if (opened)
            *opened = *count;
        if (*count == failAt)
            return nullptr;
        return CatalogueDbTest::Open();
    };
    return c;
}

void TestPackageEdit::clicksFollowTheSelectionRules_data()
{
    // Actions: c<number> single click, d<number> double click, from the
    // package just loaded. Rows: number/state/selected. preset: an
    // alternative the data brings along chosen.
    QTest::addColumn<QString>("headKind");
    QTest::addColumn<QString>("preset");
    QTest::addColumn<QString>("fixed");
    QTest::addColumn<bool>("inclusive");
    QTest::addColumn<QString>("actions");
    QTest::addColumn<QString>("rows");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<bool>("openSub");
    const QString tail = QStringLiteral("4000/0/1 P010/1/1 G 2000/1/0 3000/0/0");
    // clang-format off
    QTest::newRow("loaded: main lines collapsed")              << "SRP" << "" << "" << false << ""                 << "1000/1/1 " + tail << false << false;
    QTest::newRow("preset alternative stands in")             << "SRP" << "1001" << "" << false << ""             << "1001/3/1 " + tail << false << false;
    QTest::newRow("click S opens its group")                  << "SRP" << "" << "" << false << "c1000"            << "1000/2/1 1001/6/0 1002/6/0 " + tail << false << false;
    QTest::newRow("click open S closes it")                   << "SRP" << "" << "" << false << "c1000 c1000"      << "1000/1/1 " + tail << false << false;
    QTest::newRow("click lone S does nothing")                << "SRP" << "" << "" << false << "c4000"            << "1000/1/1 " + tail << false << false;
    QTest::newRow("click sub-package does nothing")           << "SRP" << "" << "" << false << "c3000"            << "1000/1/1 " + tail << false << false;
    QTest::newRow("double click closed S only opens")         << "SRP" << "" << "" << false << "d1000"            << "1000/2/1 1001/6/0 1002/6/0 " + tail << false << false;
    QTest::newRow("double click lone S drops it")             << "SRP" << "" << "" << false << "d4000"            << "1000/1/1 4000/0/0 P010/1/1 G 2000/1/0 3000/0/0" << true << false;
    QTest::newRow("double click A chooses, it stands in")     << "SRP" << "" << "" << false << "c1000 d1001"      << "1001/3/1 " + tail << true << false;
    QTest::newRow("second A replaces the first")              << "SRP" << "" << "" << false << "c1000 d1001 c1001 d1002" << "1002/3/1 " + tail << true << false;
    QTest::newRow("click standing A opens from it")           << "SRP" << "" << "" << false << "c1000 d1001 c1001" << "1001/4/1 1000/5/0 1002/6/0 " + tail << false << false;
    QTest::newRow("click open A closes it")                   << "SRP" << "" << "" << false << "c1000 d1001 c1001 c1001" << "1001/3/1 " + tail << false << false;
    QTest::newRow("dropping A leaves S dropped")              << "SRP" << "" << "" << false << "c1000 d1001 c1001 d1001" << "1000/1/0 " + tail << true << false;
    QTest::newRow("campaign: dropping A brings S back")       << "XX"  << "" << "" << false << "c1000 d1001 c1001 d1001" << "1000/1/1 " + tail << true << false;
    QTest::newRow("kind xx is no campaign: S stays dropped")  << "xx"  << "" << "" << false << "c1000 d1001 c1001 d1001" << "1000/1/0 " + tail << true << false;
    QTest::newRow("double click replaced S collapses to it")  << "SRP" << "" << "" << false << "c1000 d1001 c1001 d1000" << "1000/1/1 " + tail << true << false;
    QTest::newRow("double click open S drops and closes")     << "SRP" << "" << "" << false << "c1000 d1000"      << "1000/1/0 " + tail << true << false;
    QTest::newRow("campaign: open chosen S only closes")      << "XX"  << "" << "" << false << "c1000 d1000"      << "1000/1/1 " + tail << false << false;
    QTest::newRow("double click B chooses over O")            << "SRP" << "" << "" << false << "c2000 d2001"      << "1000/1/1 4000/0/1 P010/1/1 G 2001/3/1 3000/0/0" << true << false;
    QTest::newRow("choosing O again drops its B")             << "SRP" << "" << "" << false << "c2000 d2001 c2001 d2000" << "1000/1/1 4000/0/1 P010/1/1 G 2000/1/1 3000/0/0" << true << false;
    QTest::newRow("B chosen over a chosen O drops it")        << "SRP" << "" << "" << false << "c2000 d2000 c2000 d2001 c2001 d2001" << "1000/1/1 4000/0/1 P010/1/1 G 2000/1/0 3000/0/0" << true << false;
    QTest::newRow("part alternative stands in")               << "SRP" << "" << "" << false << "cP010 dP030"      << "1000/1/1 4000/0/1 P030/3/1 G 2000/1/0 3000/0/0" << true << false;
    QTest::newRow("double click sub-package opens dialog")    << "SRP" << "" << "" << false << "d3000"            << "1000/1/1 " + tail << false << true;
    QTest::newRow("fixed sub-package not chosen stays shut")  << "SRP" << "" << "3000" << false << "d3000"        << "1000/1/1 " + tail << false << false;
    QTest::newRow("fixed line cannot be dropped")             << "SRP" << "" << "4000" << false << "d4000"        << "1000/1/1 " + tail << false << false;
    QTest::newRow("inclusive price: double click ignored")    << "SRP" << "" << "" << true << "c1000 d1001"       << "1000/2/1 1001/6/0 1002/6/0 " + tail << false << false;
    // clang-format on
}

void TestPackageEdit::clicksFollowTheSelectionRules()
{
    QFETCH(QString, headKind);
    QFETCH(QString, preset);
    QFETCH(QString, fixed);
    QFETCH(bool, inclusive);
    QFETCH(QString, actions);
    QFETCH(QString, rows);
    QFETCH(bool, changed);
    QFETCH(bool, openSub);

    CPaket paket;
    FillSample(paket, headKind);
    paket.GetKopf()->Preise1.FlatPrice = inclusive ? 1 : 0;
    if (!preset.isEmpty()) { // the alternative chosen instead of its main line
        ByNumber(paket, preset)->Selected = 1;
        ByNumber(paket, QStringLiteral("1000"))->Selected = 0;
    }
    CPackageSelection selection(&paket);
    selection.SetFixedCheck([fixed](const CPosition &line) { return line.Number == fixed; });
    selection.InitStates();
    selection.Fill();

    CPackageSelection::DoubleClickResult last;
    for (const QString &action : actions.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        CPosition *line = ByNumber(paket, action.mid(1));
        QVERIFY2(line, qPrintable(action));
        last = {};
        if (action.startsWith(QLatin1Char('c')))
            selection.Click(line);
        else
            last = selection.DoubleClick(line);
    }
    QCOMPARE(Describe(selection.Rows()), rows);
    QCOMPARE(last.choiceChanged, changed);
    QCOMPARE(last.openSubPackage, openSub);
    // At most one line of a group is chosen.
    int chosenOfGroup = 0;
    for (const char *number : {"1000", "1001", "1002"})
        chosenOfGroup += ByNumber(paket, QLatin1String(number))->Selected;
    QVERIFY(chosenOfGroup <= 1);
}

void TestPackageEdit::selectionSkipsGroupLines_data()
{
    // Rows: work, group, work, group. previous -> new index -> index taken.
    QTest::addColumn<int>("previous");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("taken");
    // clang-format off
    QTest::newRow("down onto a group goes on")        << 0 << 1 << 2;
    QTest::newRow("down onto the last row goes back") << 2 << 3 << 2;
    QTest::newRow("up onto a group goes on up")       << 2 << 1 << 0;
    QTest::newRow("a work line stays")                << 1 << 2 << 2;
    QTest::newRow("not moved: the group line stays")  << 1 << 1 << 1;
    // clang-format on
}

void TestPackageEdit::selectionSkipsGroupLines()
{
    QFETCH(int, previous);
    QFETCH(int, index);
    QFETCH(int, taken);
    CPosition work, group;
    work.Type = POS_WORK;
    group.Type = POS_GROUP;
    const std::vector<CPosition *> rows = {&work, &group, &work, &group};
    QCOMPARE(CPackageSelection::SkipGroupLine(rows, index, previous), taken);
    // Up onto a first row that is a group line: the row below.
    const std::vector<CPosition *> groupFirst = {&group, &work};
    QCOMPARE(CPackageSelection::SkipGroupLine(groupFirst, 0, 1), 1);
}

void TestPackageEdit::groupsFollowTheirNumbers_data()
{
    // A group is a main line and the alternatives naming its number, of one
    // line type. states: after loading; rows: after the actions (as above).
    QTest::addColumn<QString>("lines");
    QTest::addColumn<QString>("actions");
    QTest::addColumn<QString>("states");
    QTest::addColumn<QString>("rows");
    // clang-format off
    QTest::newRow("A and B of one line counted apart")          << "S:1000 A:1001>1000 B:1002>1000" << ""      << "1000/1/1.1.0.0 1001/6/0.1.1.0 1002/6/1.0.1.0" << "1000/1/1";
    QTest::newRow("alternative of an optional line")            << "O:2000 A:2001>2000"             << "c2000" << "2000/1/1.0.0.0 2001/6/0.0.0.1"                 << "2000/2/0 2001/6/0";
    QTest::newRow("alternative ahead of its main line")         << "A:1001>1000 S:1000 S:4000"      << "c1000" << "1001/6/0.0.1.0 1000/1/1.0.0.0 4000/0/0.0.0.0" << "1000/2/1 1001/6/0 4000/0/1";
    QTest::newRow("two main lines of one number")               << "S:1000 S:1000 A:1001>1000"      << ""      << "1000/1/1.0.0.0 1000/1/1.0.0.0 1001/6/0.0.2.0" << "1000/1/1 1000/1/1";
    QTest::newRow("chosen alternative stands in for both")      << "S:1000- S:1000- A:1001>1000*"   << ""      << "1000/5/1.0.0.0 1000/5/1.0.0.0 1001/3/0.0.2.0" << "1001/3/1 1001/3/1";
    QTest::newRow("alternatives without their main line")       << "A:1001>9000 A:1002>9000 S:1000" << ""      << "1001/6/1.0.0.0 1002/6/1.0.0.0 1000/0/0.0.0.0" << "1000/0/1";
    QTest::newRow("chosen alternative without main hidden")     << "A:1001>9000* A:1002>9000"       << ""      << "1001/6/1.0.0.0 1002/6/1.0.0.0"                << "";
    QTest::newRow("of two chosen alternatives the first")       << "S:1000- A:1001>1000* A:1002>1000*" << ""   << "1000/5/2.0.0.0 1001/3/1.0.1.0 1002/6/1.0.1.0" << "1001/3/1";
    QTest::newRow("first chosen alternative opens its group")   << "S:1000- A:1001>1000* A:1002>1000*" << "c1001" << "1000/5/2.0.0.0 1001/3/1.0.1.0 1002/6/1.0.1.0" << "1001/4/1 1000/5/0 1002/6/1";
    QTest::newRow("work alternative names a part position")     << "pS:P010 A:2001>010"             << ""      << "P010/0/0.0.0.0 2001/0/0.0.0.0"                << "P010/0/1";
    QTest::newRow("part alternative names a work number")       << "S:0010 pA:P030>0010"            << ""      << "0010/0/0.0.0.0 P030/0/0.0.0.0"                << "0010/0/1";
    QTest::newRow("sub-package kind is no main line")           << "OP:3000 A:3001>3000"            << ""      << "3000/0/0.0.0.0 3001/0/0.0.0.0"                << "3000/0/0";
    QTest::newRow("empty reference: main line without number")  << "S: A:1001>"                     << "c"     << "/1/1.0.0.0 1001/6/0.0.1.0"                    << "/2/1 1001/6/0";
    QTest::newRow("part groups by position, not number")        << "pS:P010 pA:Q010>010 pA:P020>P010" << "cP010" << "P010/1/1.0.0.0 Q010/6/0.0.1.0 P020/0/0.0.0.0" << "P010/2/1 Q010/6/0";
    // clang-format on
}

void TestPackageEdit::groupsFollowTheirNumbers()
{
    QFETCH(QString, lines);
    QFETCH(QString, actions);
    QFETCH(QString, states);
    QFETCH(QString, rows);

    CPaket paket;
    FillLines(paket, lines);
    CPackageSelection selection(&paket);
    selection.InitStates();
    QCOMPARE(DescribeStates(paket), states);
    selection.Fill();
    for (const QString &action : actions.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        CPosition *line = ByNumber(paket, action.mid(1));
        QVERIFY2(line, qPrintable(action));
        selection.Click(line);
    }
    QCOMPARE(Describe(selection.Rows()), rows);
}

void TestPackageEdit::demoPackagesLoadTheirLines_data()
{
    QTest::addColumn<QString>("vehicle");
    QTest::addColumn<QString>("package");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("lines");
    // clang-format off
    QTest::newRow("service package with sub-packages") << "Arvo" << "1110010" << int(kKindSR) << "1:1110010 9:1110010 10:1110010:S 10:1110015:S 10:1110016:A 11:VQ0011501:S 11:VQ0011502:S 13::O 10:1110017:O 10:1110018:B 11:VQ0011504:O 13::OP " "17:1110020:OP [1:1110020 9:1110020 10:1110020:S 11:VQ0012001:S 13::O 10:1110021:O] " "17:3410010:OP [1:3410010 9:3410010 10:3410010:S 10:3410011:S 11:VQ0034101:S] 11:VQ0011503:A";
    QTest::newRow("warranty variant has no sub-packages") << "Arvo" << "1110010" << int(kKindGR) << "1:1110010 18:1110010 10:1190010:S 13::O 10:1110020:O";
    QTest::newRow("inclusive-service variant") << "Arvo" << "1110010" << int(kKindSP) << "1:1110010 19:1110010 10:1180010:S";
    QTest::newRow("value line: standard rows only") << "Arvo" << "1110010" << int(kKindVL) << "1:1110010 20:1110010 10:1170010:S 13::O 10:1110030:O";
    QTest::newRow("value line: the dealer's country") << "Arvo DE" << "1110010" << int(kKindVL) << "1:1110010 20:1110010 10:1170010:S 13::OP 17:1110030:OP [1:1170030 9:1110030 10:1170030:S]";
    QTest::newRow("package containing itself ends") << "Arvo" << "1110040" << int(kKindSR) << "1:1110040 9:1110040 10:1110040:S 13::OP 17:3410020:OP [1:3410020 9:3410020 10:3410020:S 13::O 10:1110040:O]";
    QTest::newRow("sub-package named twice loads once") << "Fenno" << "7210010" << int(kKindSR) << "1:7210010 9:7210010 10:7210010:S 10:9910010:S 10:7259050:S 11:VQ0072101:S 13::OP 17:7259049:OP [1:7259049 9:7259049 10:7259049:S]";
    QTest::newRow("package without lines keeps its head") << "Arvo" << "6499999" << int(kKindSR) << "1:6499999 9:6499999";
    // clang-format on
}

void TestPackageEdit::demoPackagesLoadTheirLines()
{
    QFETCH(QString, vehicle);
    QFETCH(QString, package);
    QFETCH(int, kind);
    QFETCH(QString, lines);
    TableReads reads;
    int opened = 0;
    CPackageLoader loader(connections(m_db.get(), &opened), &reads, Vehicle(vehicle), nullptr);
    CEditedPackage edited;
    CPosition *head = edited.Begin(ListLine(package), Head(package));
    QCOMPARE(loader.Load(edited.Paket(), head, kind), CPackageLoader::Result::Loaded);
    QCOMPARE(Describe(edited.Paket()), lines);
    // Every level of sub-packages reads on the two connections of the load.
    QCOMPARE(opened, 2);
}

void TestPackageEdit::loadedLinesCarryTheirFields_data()
{
    QTest::addColumn<QString>("vehicle");
    QTest::addColumn<QString>("package");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    const QString az = OrmelText(3012);
    // clang-format off
    QTest::newRow("part quantity as the catalogue writes it") << "Arvo" << "1110010" << "VQ0011502" << "quantity" << "4.500";
    QTest::newRow("alternative part's quantity too") << "Arvo" << "1110010" << "VQ0011503" << "quantity" << "1.000";
    QTest::newRow("part quantity of ten stays ten")  << "Arvo" << "1110010" << "VQ0011504" << "quantity" << "10";
    QTest::newRow("part text")                       << "Arvo" << "1110010" << "VQ0011502" << "part text" << "Motoroel 5W-30 (Liter)";
    QTest::newRow("standard part chosen")            << "Arvo" << "1110010" << "VQ0011501" << "selected" << "1";
    QTest::newRow("optional part not chosen")        << "Arvo" << "1110010" << "VQ0011504" << "selected" << "0";
    QTest::newRow("part valid from the day built")   << "Arvo@20180101" << "1110010" << "VQ0011506" << "selected" << "1";
    QTest::newRow("part valid to the day built")     << "Arvo@20151231" << "1110010" << "VQ0011505" << "selected" << "1";
    QTest::newRow("labour value of the work line")   << "Arvo" << "1110010" << "1110015" << "quantity" << "3";
    QTest::newRow("R value by its unit, as written") << "Arvo" << "1110010" << "1110017" << "R" << "1.50";
    QTest::newRow("lead labour of the head number")  << "Arvo" << "1110010" << "1110010" << "lead" << "1";
    QTest::newRow("other line no lead labour")       << "Arvo" << "1110010" << "1110015" << "lead" << "0";
    QTest::newRow("position texts")                  << "Arvo" << "1110010" << "1110016" << "text" << "Motoroel absaugen";
    QTest::newRow("sub-package line has no quantity") << "Arvo" << "1110010" << "1110020" << "quantity" << "";
    QTest::newRow("work by time in a sub-package")   << "Arvo" << "1110010" << "1110021" << "az" << az;
    QTest::newRow("alternative hides in its group")  << "Arvo" << "1110010" << "1110016" << "state" << "6";
    QTest::newRow("main line with alternatives")     << "Arvo" << "1110010" << "1110015" << "state" << "1";
    QTest::newRow("paint material notice")           << "Fenno" << "7210010" << "9910010" << "notice" << OrmelText(4057);
    QTest::newRow("rear-spring notice")              << "Fenno" << "7210010" << "7259050" << "notice" << OrmelText(4078);
    QTest::newRow("no notice elsewhere")             << "Fenno" << "7210010" << "7210010" << "notice" << "";
    QTest::newRow("no paint notice, head not of 72")   << "Fenno" << "1110010>7210010" << "9910010" << "notice" << "";
    QTest::newRow("no rear-spring notice, other type") << "Arvo" << "7210010" << "7259050" << "notice" << "";
    // clang-format on
}

void TestPackageEdit::loadedLinesCarryTheirFields()
{
    QFETCH(QString, vehicle);
    QFETCH(QString, package);
    QFETCH(QString, line);
    QFETCH(QString, field);
    QFETCH(QString, value);
    TableReads reads;
    CPackageLoader loader(connections(m_db.get()), &reads, Vehicle(vehicle), nullptr);
    CEditedPackage edited;
    // "number>key": the head keeps its own number over the lines of another
    // key, as a variant's lines are loaded under the package's head.
    const QString key = package.section(QLatin1Char('>'), -1);
    CPosition head = Head(key);
    head.Number = package.section(QLatin1Char('>'), 0, 0);
    loader.Load(edited.Paket(), edited.Begin(ListLine(key), head), kKindSR);
    // The line wherever it is, sub-packages included.
    std::function<CPosition *(const CPaket &)> find = [&](const CPaket &p) -> CPosition * {
        for (const auto &l : p) {
            if (l->Number == line && !IsHeadType(l->Type))
                return l.get();
            if (l->SubPackage)
                if (CPosition *in = find(*l->SubPackage))
                    return in;
        }
        return nullptr;
    };
    const CPosition *found = find(edited.Paket());
    QVERIFY(found);
    const QMap<QString, QString> fields = {
        {"quantity", found->Quantity},
        {"part text", found->TeileText},
        {"selected", QString::number(found->Selected)},
        {"R", found->R},
        {"lead", QString::number(found->IsLeadLabour)},
        {"text", found->AwText1},
        {"az", found->Az},
        {"state", QString::number(LineStateOf(*found))},
        {"notice", found->Text},
    };
    QCOMPARE(fields.value(field), value);
}

void TestPackageEdit::loadNeverFillsAPackageTwice()
{
    TableReads reads;
    CPackageLoader loader(connections(m_db.get()), &reads, Vehicle("Arvo"), nullptr);
    CEditedPackage edited;
    CPosition *head = edited.Begin(ListLine("1110010"), Head("1110010"));
    QCOMPARE(loader.Load(edited.Paket(), head, kKindSR), CPackageLoader::Result::Loaded);
    const QString loaded = Describe(edited.Paket());
    // The page shown again with its package kept.
    QCOMPARE(loader.Load(edited.Paket(), head, kKindSR), CPackageLoader::Result::AlreadyLoaded);
    QCOMPARE(Describe(edited.Paket()), loaded);
    QCOMPARE(loader.ConnectionsOpened(), 2);
}

void TestPackageEdit::keptConnectionsServeTheNextLoad()
{
    // The page keeps the loader's own connections: the next package opened
    // opens none and loads the same lines.
    TableReads reads;
    int opened = 0;
    CPackageLoadOwnConnections kept;
    CPackageLoadConnections c = connections(m_db.get(), &opened);
    c.kept = &kept;
    QStringList loaded;
    for (int load = 0; load < 2; ++load) {
        CPackageLoader loader(c, &reads, Vehicle("Arvo"), nullptr);
        CEditedPackage edited;
        CPosition *head = edited.Begin(ListLine("1110010"), Head("1110010"));
        QCOMPARE(loader.Load(edited.Paket(), head, kKindSR), CPackageLoader::Result::Loaded);
        loaded << Describe(edited.Paket());
    }
    QCOMPARE(loaded.at(1), loaded.at(0));
    QCOMPARE(opened, 2);
}

void TestPackageEdit::failedConnectionStopsTheLoadOnly()
{
    for (int failAt : {1, 2}) {
        TableReads reads;
        CountingNotice notice;
        CPackageLoader loader(connections(m_db.get(), nullptr, failAt), &reads, Vehicle("Arvo"),
                              &notice);
        CEditedPackage edited;
        CPosition *head = edited.Begin(ListLine("1110010"), Head("1110010"));
        QCOMPARE(loader.Load(edited.Paket(), head, kKindGR), CPackageLoader::Result::NoConnection);
        // The package is as the caller made it; the head kept its kind.
        QCOMPARE(Describe(edited.Paket()), QStringLiteral("1:1110010 9:1110010"));
        QCOMPARE(head->PaketID, QStringLiteral("1110010"));
        QCOMPARE(notice.texts, QStringList{CatalogueFailure::Text()});
        QVERIFY(!notice.texts.first().contains(QLatin1String("beendet")));
    }
}

void TestPackageEdit::emptyingForgetsEveryReference()
{
    CEditedPackage edited;
    CPosition campaign, campaignPackage;
    campaign.Type = POS_SPECIAL2;
    campaignPackage.Type = POS_SPECIAL4;
    edited.Begin(ListLine("1110010"), Head("1110010"));
    edited.AddCampaignLines(&campaign, &campaignPackage);
    edited.Paket().AddPosition(Line(POS_WORK, "1110010", "S"));
    edited.Selection().Fill();
    edited.Selection().Click(edited.Selection().Rows().front());
    QVERIFY(edited.ListLine() && edited.Head() && edited.CampaignLine() &&
            edited.CampaignPackageLine());
    edited.Clear();
    QVERIFY(edited.Paket().IsEmpty());
    QCOMPARE(edited.ListLine(), nullptr);
    QCOMPARE(edited.Head(), nullptr);
    QCOMPARE(edited.CampaignLine(), nullptr);
    QCOMPARE(edited.CampaignPackageLine(), nullptr);
    QVERIFY(edited.Selection().Rows().empty());
    QCOMPARE(edited.Selection().Current(), nullptr);
}

void TestPackageEdit::findingRowsShowTheNumberInPairs_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("row");
    // clang-format off
    QTest::newRow("eight characters")  << "12345678"   << "12 34 56 78 undicht";
    QTest::newRow("six characters")    << "123456"     << "12 34 56  undicht";
    QTest::newRow("longer number")     << "1234567890" << "1234567890 undicht";
    // clang-format on
}

void TestPackageEdit::findingRowsShowTheNumberInPairs()
{
    QFETCH(QString, number);
    QFETCH(QString, row);
    CPosition finding;
    finding.Type = POS_FINDINGS;
    finding.Number = number;
    finding.BefundText = QStringLiteral("undicht");
    QCOMPARE(CFindingLines::RowText(finding), row);
}

void TestPackageEdit::findingLinesOfTheDemoPackage_data()
{
    // Contract HLX0200 leaves out 11XXXXXX only, so it covers 87000010.
    QTest::addColumn<bool>("hlxFlag");
    QTest::addColumn<QStringList>("contracts");
    QTest::addColumn<QStringList>("findings");
    const QStringList masked = {"11100810 Oelfilter undicht", "11100820 Oelfilter verstopft",
                                "11100910 Oelwanne undicht", "11200130 Zuendkerze verrusst"};
    // clang-format off
    QTest::newRow("covered inclusive-service finding")  << true  << QStringList{"HLX0100", "HLX0200"} << masked + QStringList{"87000010 Inspektion im Wartungsvertrag"};
    QTest::newRow("no contract flag")                   << false << QStringList{"HLX0100", "HLX0200"} << masked;
    QTest::newRow("contract that includes only others") << true  << QStringList{"HLX0100"}            << masked;
    QTest::newRow("no contracts")                       << true  << QStringList{}                     << masked;
    // clang-format on
}

void TestPackageEdit::findingLinesOfTheDemoPackage()
{
    QFETCH(bool, hlxFlag);
    QFETCH(QStringList, contracts);
    QFETCH(QStringList, findings);
    CFindingContext context;
    context.today = QStringLiteral("20240601");
    context.hlxFlag = hlxFlag;
    context.contracts = contracts;
    auto contractsDb = CatalogueDbTest::Open();
    CFindingLines lines(m_db.get(), contractsDb.get(), context);
    CPaket paket;
    paket.AddPosition(std::make_unique<CPosition>(Head("1110010")));
    const CatalogueAnswer<int> loaded = lines.Load(paket);
    QVERIFY(!loaded.failed);
    QCOMPARE(loaded.value, findings.size());
    QStringList got;
    for (const CPosition *line : CFindingLines::Lines(paket))
        got << line->Number + QLatin1Char(' ') + line->BefundText;
    QCOMPARE(got, findings);
}

void TestPackageEdit::findingCoveredOnTheListsDays_data()
{
    // Contract HLX0100 includes 3410XXXX from 01.01.2020 to 31.12.2020.
    QTest::addColumn<QString>("today");
    QTest::addColumn<bool>("covered");
    // clang-format off
    QTest::newRow("the day before the first") << "20191231" << false;
    QTest::newRow("the first day")            << "20200101" << true;
    QTest::newRow("the last day")             << "20201231" << true;
    QTest::newRow("the day after the last")   << "20210101" << false;
    // clang-format on
}

void TestPackageEdit::findingCoveredOnTheListsDays()
{
    QFETCH(QString, today);
    QFETCH(bool, covered);
    CFindingContext context;
    context.today = today;
    context.hlxFlag = true;
    context.contracts = QStringList{QStringLiteral("HLX0100")};
    auto contractsDb = CatalogueDbTest::Open();
    const CFindingLines lines(m_db.get(), contractsDb.get(), context);
    QCOMPARE(lines.IsCoveredByContract(QStringLiteral("34100100")), covered);
}

void TestPackageEdit::oneFindingIsChosenByLine()
{
    CPaket paket;
    for (int i = 0; i < 2; ++i) {
        auto finding = std::make_unique<CPosition>();
        finding->Type = POS_FINDINGS;
        finding->Number = QStringLiteral("11100810");
        finding->Selected = 0;
        paket.AddPosition(std::move(finding));
    }
    const auto lines = CFindingLines::Lines(paket);
    QCOMPARE(CFindingLines::EnsureChoice(paket), lines[0]);
    // Two findings with equal rows stay two choices.
    CFindingLines::Choose(paket, lines[1]);
    QCOMPARE(lines[0]->Selected, 0);
    QCOMPARE(lines[1]->Selected, 1);
    QCOMPARE(CFindingLines::EnsureChoice(paket), lines[1]);
}

YAQ_TEST_GUILESS_MAIN(TestPackageEdit)
void TestPackageEdit::localFileAnswersAsTheProgramsCache_data()
{
    // Row: position, model designation, whether the program's model-name
    // mapping knows it as a code of its own (then the first column), whether
    // the position applies. Catalogue lines of VQF40DE: 0100010 "NNN-",
    // 0100030 "-N--".
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("model");
    QTest::addColumn<bool>("mapped");
    QTest::addColumn<bool>("applies");
    // clang-format off
    QTest::newRow("line marked in the model's column")     << "0100010" << "Arvo 1.6"      << false << true;
    QTest::newRow("line not marked in the model's column") << "0100030" << "Arvo 1.6"      << false << false;
    QTest::newRow("no value rows")                         << "0100099" << "Arvo 1.6"      << false << false;
    QTest::newRow("model of the mapping: first column")    << "0100010" << "AR16-MAPPED"   << true  << true;
    QTest::newRow("model unknown to both")                 << "0100010" << "AR16-MAPPED"   << false << false;
    QTest::newRow("no model")                              << "0100010" << ". . . . . . ." << false << false;
    // clang-format on
}

void TestPackageEdit::localFileAnswersAsTheProgramsCache()
{
    // A load on the local file reads each main group once into a cache of
    // its own; each position must apply exactly when the program's cache,
    // which asks the file for it, says so.
    QFETCH(QString, number);
    QFETCH(QString, model);
    QFETCH(bool, mapped);
    QFETCH(bool, applies);
    if (CatalogueDbTest::IsPg())
        QSKIP("the local file only");
    auto db = CatalogueDbTest::OpenDemoFile();
    QVERIFY(db);
    CPrgSettings s;
    s.KatalogKey = QStringLiteral("1");
    s.bLocalDataSet = 1;
    s.LeadTyp = QStringLiteral("1101");
    s.ZusatzCode = QStringLiteral("A");
    s.Bestellnr = QStringLiteral("VQF40DE");
    s.ModellBez = model;
    CatalogueCache().SetModelCodeCheck(
        [mapped, model](const QString &code) { return mapped && code == model; });
    CCatalogueLoadReads reads(&s, db.get());
    reads.LoadStarts();
    const int column = reads.CatalogueColumn().value;
    const int expected =
        CatalogueCache().GetAPosWert(&s, number, db.get(), 0, 0, QString(), QString(), 1, column);
    const bool answered = reads.PositionApplies(number, column);
    CatalogueCache().SetModelCodeCheck({});
    CatalogueCache().Clear();
    QCOMPARE(expected != 0, applies);
    QCOMPARE(answered, applies);
}

#include "tst_packageedit.moc"
