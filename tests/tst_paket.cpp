// The package: insertion order, look-ups, counting, comparison, deep copies,
// the price roll-up of sets 1 and 2, currencies, campaign prices, the
// marketing flags and the masks of the contracts' position lists.

#include "packages/model/MatchMask.h"
#include "packages/model/PackageVehicleKeys.h"
#include "packages/model/Paket.h"
#include "packages/model/PaketMarketing.h"
#include "platform/OrmelText.h"
#include "platform/ccd/CMrktngAttRec.h"
#include "settings/PrgSettings.h"
#include "support/TestEnv.h"

#include <QtTest>

namespace {

std::unique_ptr<CPosition> Line(int type, const QString &number, const QString &kind = {})
{
    auto line = std::make_unique<CPosition>();
    line->Type = type;
    line->Number = number;
    line->Kind = kind;
    return line;
}

std::unique_ptr<CPosition> Head(const QString &number = QStringLiteral("1234567"))
{
    auto head = Line(POS_HEAD_CAMPAIGN, number);
    head->PaketID = number;
    return head;
}

// A priced line whose set-1 and set-2 prices are already computed.
std::unique_ptr<CPosition> Priced(int type, double gross, double net, const QString &currency = {})
{
    auto line = Line(type, QStringLiteral("0012345"), QStringLiteral("S"));
    line->Preise1.Gross = line->Preise2.Gross = gross;
    line->Preise1.Net = line->Preise2.Net = net;
    line->Preise1.Currency = line->Preise2.Currency = currency;
    return line;
}

QStringList Numbers(const CPaket &paket)
{
    QStringList numbers;
    for (const auto &line : paket)
        numbers << line->Number;
    return numbers;
}

// Keeps the notices the package gives instead of showing them.
struct NoticeLog : IPaketNotice
{
    void Notice(const QString &text) override { texts << text; }
    QStringList texts;
};

CPrgSettings XmlSettings()
{
    CPrgSettings settings;
    settings.SRPInterfaceReq = 4;
    settings.XMLx = 1;
    return settings;
}

} // namespace

class TestPaket : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void vehicleKeys_data();
    void vehicleKeys();
    void addPositionOrder();
    void emptyPackage();
    void findAndCount();
    void clearSelectionRecurses();
    void copyIsDeep();
    void comparisons_data();
    void comparisons();
    void rollUp_data();
    void rollUp();
    void rollUpNested();
    void rollUpFlatHead();
    void rollUpSet2OnlyWhenActive();
    void commonCurrency_data();
    void commonCurrency();
    void campaignCurrency();
    void campaignPrices_data();
    void campaignPrices();
    void marketingFlags_data();
    void marketingFlags();
    void masksMatchPositionKeys_data();
    void masksMatchPositionKeys();

private:
    TestEnv m_env;
};

void TestPaket::initTestCase()
{
    InitOrmelText(QStringLiteral(YAQ_DEMO_DATAS_DIR) + QStringLiteral("/Zirava/PrgTxt"));
}

void TestPaket::vehicleKeys_data()
{
    // Row: the dealer's country-packages flag -> each key as taken over
    // ("|" between them): catalogue key, type key, type number, model
    // series, country, country-specific, production date, language.
    QTest::addColumn<int>("countryFlag");
    QTest::addColumn<QString>("keys");
    // clang-format off
    QTest::newRow("no country packages") << 0 << "K7|7A01|VQ31220|V30|049|0|20160309|01";
    QTest::newRow("country packages")    << 1 << "K7|7A01|VQ31220|V30|049|1|20160309|01";
    QTest::newRow("any other flag set")  << 2 << "K7|7A01|VQ31220|V30|049|1|20160309|01";
    // clang-format on
}

// The keys of the package catalogue come from the settings, the model
// series without its blanks; production date and language stay the
// caller's.
void TestPaket::vehicleKeys()
{
    QFETCH(int, countryFlag);
    CPrgSettings s;
    s.KatalogKey = QStringLiteral("K7");
    s.TypSchl = QStringLiteral("7A01");
    s.Bestellnr = QStringLiteral("VQ31220");
    s.EReihe = QStringLiteral(" V30  ");
    s.Laendercode = QStringLiteral("049");
    s.CountrySpecPakets = countryFlag;
    CPackageVehicleKeys k;
    k.productionDate = QStringLiteral("20160309");
    k.language = QStringLiteral("01");
    k.TakeKeysFrom(s);
    const QStringList keys{k.catalogueKey,   k.typeKey,     k.typeNumber,
                           k.modelSeries,    k.countryCode, QString::number(k.countrySpecific),
                           k.productionDate, k.language};
    QTEST(keys.join(QLatin1Char('|')), "keys");
}

void TestPaket::addPositionOrder()
{
    const auto lines = [] {
        std::vector<std::unique_ptr<CPosition>> made;
        made.push_back(Head(QStringLiteral("H")));
        made.push_back(Line(POS_PART, QStringLiteral("p1"), QStringLiteral("S")));
        made.push_back(Line(POS_GROUP, QStringLiteral("gO"), QStringLiteral("O")));
        made.push_back(Line(POS_PART, QStringLiteral("o1"), QStringLiteral("O")));
        made.push_back(Line(POS_GROUP, QStringLiteral("gOP"), QStringLiteral("OP")));
        made.push_back(Line(POS_GROUP, QStringLiteral("gA"), QStringLiteral("A")));
        made.push_back(Line(POS_PART, QStringLiteral("a1"), QStringLiteral("A")));
        made.push_back(Line(POS_PART, QStringLiteral("s2"), QStringLiteral("S")));
        made.push_back(Line(POS_PART, QStringLiteral("o2"), QStringLiteral("O")));
        made.push_back(Line(POS_SUBPACKAGE, QStringLiteral("op1"), QStringLiteral("OP")));
        made.push_back(Line(POS_PART, QStringLiteral("b1"), QStringLiteral("B")));
        made.push_back(Line(POS_WORK, QStringLiteral("H"), QStringLiteral("S")));
        made.push_back(Line(POS_WORK, QStringLiteral("H"), QStringLiteral("X")));
        made.push_back(Line(POS_EMPTY, QStringLiteral("H")));
        return made;
    };
    // Work positions with the head's number follow the head, the last first;
    // standard and optional lines gather before the later groups; a type-17
    // line is never put before a group; alternatives and empty lines go last.
    const QStringList expected{"H",  "H",   "H",  "p1", "s2",  "gO", "o1",
                               "o2", "gOP", "gA", "a1", "op1", "b1", "H"};
    // One by one, or the first ones one by one and the rest together: the
    // same order.
    for (size_t single = 0; single <= lines().size(); ++single) {
        CPaket paket;
        std::vector<std::unique_ptr<CPosition>> rest = lines();
        for (size_t i = 0; i < single; ++i)
            paket.AddPosition(std::move(rest[i]));
        rest.erase(rest.begin(), rest.begin() + std::ptrdiff_t(single));
        paket.AddPositions(std::move(rest));
        QCOMPARE(Numbers(paket), expected);
        QCOMPARE(paket.GetAt(1)->Kind, QStringLiteral("X"));
    }
}

void TestPaket::emptyPackage()
{
    CPaket paket;
    QVERIFY(!paket.GetKopf());
    QVERIFY(!paket.GetPosType4());
    paket.AddPosition(Line(POS_WORK, QStringLiteral("1"), QStringLiteral("S")));
    QCOMPARE(paket.GetCount(), 1);
    paket.CalcPositionPrices1(nullptr);
    paket.CalcPrices1(nullptr); // no head: nothing to roll up onto
    QCOMPARE(paket.CountPricedPositions(true), 1);
}

void TestPaket::findAndCount()
{
    CPaket paket;
    paket.AddPosition(Head());
    paket.AddPosition(Line(POS_PART, QStringLiteral("4711"), QStringLiteral("S")));
    paket.AddPosition(Line(POS_PART, QStringLiteral("4712"), QStringLiteral("S")));
    CPosition *off = paket.AddPosition(Line(POS_PART, QStringLiteral("4713"), QStringLiteral("S")));
    off->Selected = 0;
    paket.AddPosition(Line(POS_SPECIAL1, QStringLiteral("4711")));
    CPosition *sub = paket.AddPosition(Line(POS_SUBPACKAGE, QStringLiteral("S1")));
    sub->SubPackage = std::make_unique<CPaket>();
    sub->SubPackage->AddPosition(Head(QStringLiteral("S1")));
    sub->SubPackage->AddPosition(Line(POS_WORK, QStringLiteral("0012345"), QStringLiteral("S")));

    QCOMPARE(paket.CountPricedPositions(true), 3);  // two parts and the nested work
    QCOMPARE(paket.CountPricedPositions(false), 4); // and the head
    sub->Selected = 0;
    QCOMPARE(paket.CountPricedPositions(true), 2);

    QCOMPARE(paket.FindPosition(POS_PART, QStringLiteral("4711 "), QString()), paket.GetAt(1));
    QCOMPARE(paket.FindPosition(POS_PART, QStringLiteral("4712"), QStringLiteral("S ")),
             paket.GetAt(2));
    QVERIFY(!paket.FindPosition(POS_PART, QStringLiteral("4712"), QStringLiteral("O")));
    QVERIFY(!paket.FindPosition(POS_SPECIAL1, QStringLiteral("4711"), QString()));
    QVERIFY(!paket.FindPosition(POS_WORK, QStringLiteral("0012345"), QString())); // not recursive
}

void TestPaket::clearSelectionRecurses()
{
    CPaket paket;
    CPosition *head = paket.AddPosition(Head());
    CPosition *part =
        paket.AddPosition(Line(POS_PART, QStringLiteral("4711"), QStringLiteral("S")));
    CPosition *sub = paket.AddPosition(Line(POS_SUBPACKAGE, QStringLiteral("S1")));
    sub->SubPackage = std::make_unique<CPaket>();
    CPosition *nested = sub->SubPackage->AddPosition(Line(POS_WORK, QStringLiteral("1")));
    paket.ClearSelection();
    QCOMPARE(head->Selected, 1);
    QCOMPARE(part->Selected, 0);
    QCOMPARE(sub->Selected, 0);
    QCOMPARE(nested->Selected, 0);
}

void TestPaket::copyIsDeep()
{
    CPaket paket;
    paket.AddPosition(Head());
    CPosition *sub = paket.AddPosition(Line(POS_SUBPACKAGE, QStringLiteral("S1")));
    sub->SubPackage = std::make_unique<CPaket>();
    sub->SubPackage->AddPosition(Line(POS_PART, QStringLiteral("4711")));
    CPaket copy(paket);
    QCOMPARE(copy.GetCount(), 2);
    QVERIFY(copy.GetAt(1) != paket.GetAt(1));
    QVERIFY(copy.GetAt(1)->SubPackage->GetAt(0) != sub->SubPackage->GetAt(0));
    QVERIFY(copy.HasEqualLines(paket));
    copy.CopyFrom(CPaket());
    QCOMPARE(copy.GetCount(), 0);
    QCOMPARE(paket.GetCount(), 2);
}

void TestPaket::comparisons_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<int>("same");
    QTest::addColumn<int>("type4");
    QTest::addColumn<int>("equal");
    // clang-format off
    QTest::newRow("identical") << "none" << 1 << 1 << 1;
    QTest::newRow("other package key") << "key" << 0 << 1 << 1;
    QTest::newRow("other campaign number") << "campaign" << 1 << 0 << 1;
    QTest::newRow("other paint class on the head") << "headText" << 1 << 1 << 0;
    QTest::newRow("work chosen twice") << "doubled" << 1 << 1 << 0;
    QTest::newRow("extra work position in the other") << "extraWork" << 1 << 1 << 0;
    QTest::newRow("other has no head") << "noHead" << 0 << 1 << 0;
    QTest::newRow("other has no campaign line") << "noType4" << 1 << 0 << 1;
    // clang-format on
}

void TestPaket::comparisons()
{
    QFETCH(QString, change);
    QFETCH(int, same);
    QFETCH(int, type4);
    QFETCH(int, equal);
    CPaket a;
    CPosition *head = a.AddPosition(Head());
    head->Spot[4] = QStringLiteral("PC1");
    CPosition *t4 = a.AddPosition(Line(POS_SPECIAL4, QStringLiteral("C")));
    t4->Campaign[CPosition::CampaignNumber] = QStringLiteral("K1");
    CPosition *work = a.AddPosition(Line(POS_WORK, QStringLiteral("0012345"), QStringLiteral("S")));
    work->Quantity = QStringLiteral("2");
    CPaket b(a);
    if (change == QLatin1String("key"))
        b.GetKopf()->PaketID = QStringLiteral("other");
    else if (change == QLatin1String("campaign"))
        b.GetPosType4()->Campaign[CPosition::CampaignNumber] = QStringLiteral("K2");
    else if (change == QLatin1String("headText"))
        b.GetKopf()->Spot[4] = QStringLiteral("PC2");
    else if (change == QLatin1String("doubled"))
        b.FindPosition(POS_WORK, QStringLiteral("0012345"), QString())->Doubled = 1;
    else if (change == QLatin1String("extraWork"))
        b.AddPosition(Line(POS_WORK, QStringLiteral("0099999"), QStringLiteral("S")))->Quantity =
            QStringLiteral("5");
    else if (change == QLatin1String("noHead"))
        b.GetKopf()->Type = POS_PART;
    else if (change == QLatin1String("noType4"))
        b.GetPosType4()->Type = POS_INFO3;
    QCOMPARE(a.IsSamePaket(b), same);
    QCOMPARE(b.IsSamePaket(a), same);
    QCOMPARE(a.CompareType4(b), type4);
    QCOMPARE(b.CompareType4(a), type4);
    QCOMPARE(a.IsEqual(b), equal);
    QCOMPARE(b.IsEqual(a), equal);
}

void TestPaket::rollUp_data()
{
    // Lines as "gross/net/selected/doubled/factor/currency[/17]" separated by
    // ";". A line ending in "/17" holds a nested package (type 17): the
    // currency is that of its totals, its own price currency is "GBP".
    QTest::addColumn<QString>("lines");
    QTest::addColumn<double>("gross");
    QTest::addColumn<double>("net");
    QTest::addColumn<int>("complete");
    QTest::addColumn<QString>("currency");
    QTest::addColumn<double>("packageGross"); // the totals: own lines only
    QTest::addColumn<double>("packageNet");
    // clang-format off
    QTest::newRow("two lines add up") << "119/100/1/0//EUR;23.8/20/1/0//EUR" << 142.8 << 120.0 << 1 << "EUR" << 142.8 << 120.0;
    QTest::newRow("deselected line does not count") << "100/80/1/0//;50/40/0/0//" << 100.0 << 80.0 << 1 << "" << 100.0 << 80.0;
    QTest::newRow("only line charged by time") << "-2/-2/1/0//EUR" << -1.0 << -1.0 << 0 << "EUR" << -1.0 << -1.0;
    QTest::newRow("line without price") << "100/80/1/0//EUR;-3/-3/1/0//USD" << 100.0 << 80.0 << 0 << "EUR" << 100.0 << 80.0;
    QTest::newRow("line with its net unset") << "100/80/1/0//EUR;50/-1/1/0//USD" << 100.0 << 80.0 << 0 << "EUR" << 100.0 << 80.0;
    QTest::newRow("line with its gross unset gives no currency") << "-1/10/1/0//USD;10/8/1/0//EUR" << 10.0 << 8.0 << 0 << "EUR" << 10.0 << 8.0;
    QTest::newRow("combination factor on the second line") << "100/100/1/0//;50/50/1/0/0.8/" << 120.0 << 120.0 << 1 << "" << 120.0 << 120.0;
    QTest::newRow("factor stays for the following lines") << "100/100/1/0//;50/50/1/0/0.5/;10/10/1/0//" << 42.5 << 42.5 << 1 << "" << 42.5 << 42.5;
    QTest::newRow("line counted twice multiplies by the factor") << "100/100/1/0//;50/50/1/1/0.8/" << 96.0 << 96.0 << 1 << "" << 96.0 << 96.0;
    QTest::newRow("first currency of a priced line") << "-1/-1/1/0//USD;10/10/1/0//EUR" << 10.0 << 10.0 << 0 << "EUR" << 10.0 << 10.0;
    QTest::newRow("deselected sub-package line does not count") << "100/80/1/0//EUR;50/40/0/0//USD/17" << 100.0 << 80.0 << 1 << "EUR" << 100.0 << 80.0;
    QTest::newRow("sub-package line gives the currency of its totals") << "10/8/1/0//CHF/17;100/80/1/0//EUR" << 110.0 << 88.0 << 1 << "CHF" << 100.0 << 80.0;
    // clang-format on
}

void TestPaket::rollUp()
{
    QFETCH(QString, lines);
    QFETCH(double, gross);
    QFETCH(double, net);
    QFETCH(int, complete);
    QFETCH(QString, currency);
    QFETCH(double, packageGross);
    QFETCH(double, packageNet);
    CPaket paket;
    CPosition *head = paket.AddPosition(Head());
    head->Preise1.Complete = 1 - complete;
    for (const QString &spec : lines.split(QLatin1Char(';'))) {
        const QStringList f = spec.split(QLatin1Char('/'));
        CPosition *line =
            paket.AddPosition(Priced(POS_PART, f[0].toDouble(), f[1].toDouble(), f[5]));
        line->Selected = f[2].toInt();
        line->Doubled = f[3].toInt();
        line->Spot[CPosition::SpotCombinationFactor] = f[4];
        if (f.size() > 6 && f[6] == QLatin1String("17")) {
            line->Type = POS_SUBPACKAGE;
            line->Preise1.TotalsCurrency = f[5];
            line->Preise1.Currency = QStringLiteral("GBP");
            line->Preise1.Complete = 1;
        }
    }
    paket.CalcPrices1(nullptr);
    QCOMPARE(head->Preise1.Gross, gross);
    QCOMPARE(head->Preise1.Net, net);
    QCOMPARE(head->Preise1.Complete, complete);
    QCOMPARE(head->Preise1.TotalsCurrency, currency);
    QCOMPARE(head->Preise1.PackageGross, packageGross);
    QCOMPARE(head->Preise1.PackageNet, packageNet);
    QCOMPARE(head->Preise1.TotalsComplete, complete);
}

void TestPaket::rollUpNested()
{
    // Three levels: package -> sub-package -> sub-sub-package.
    CPaket paket;
    CPosition *head = paket.AddPosition(Head(QStringLiteral("H")));
    CPosition *part =
        paket.AddPosition(Line(POS_PART, QStringLiteral("4711"), QStringLiteral("S")));
    part->Quantity = QStringLiteral("2");
    part->Preise1.UnitNet = 10.0;
    part->Preise1.Vat = 19.0;
    part->Preise1.Currency = QStringLiteral("EUR");
    CPosition *sub = paket.AddPosition(Line(POS_SUBPACKAGE, QStringLiteral("S1")));
    sub->SubPackage = std::make_unique<CPaket>();
    sub->SubPackage->AddPosition(Head(QStringLiteral("S1")));
    CPosition *work = sub->SubPackage->AddPosition(
        Line(POS_WORK, QStringLiteral("0012345"), QStringLiteral("S")));
    work->Quantity = QStringLiteral("3");
    work->Preise1.UnitGross = 11.9;
    work->Preise1.Vat = 19.0;
    work->Preise1.Currency = QStringLiteral("EUR");
    CPosition *subsub = sub->SubPackage->AddPosition(Line(POS_SUBPACKAGE, QStringLiteral("S2")));
    subsub->SubPackage = std::make_unique<CPaket>();
    subsub->SubPackage->AddPosition(Head(QStringLiteral("S2")));
    CPosition *deep = subsub->SubPackage->AddPosition(
        Line(POS_PART, QStringLiteral("0815"), QStringLiteral("S")));
    deep->Quantity = QStringLiteral("1");
    deep->Preise1.UnitNet = 5.0;
    deep->Preise1.Vat = 19.0;
    deep->Preise1.Currency = QStringLiteral("EUR");

    paket.CalcPositionPrices1(nullptr);
    paket.CalcPrices1(nullptr);
    QCOMPARE(part->Preise1.Net, 20.0);
    QCOMPARE(work->Preise1.Net, 30.0);
    QCOMPARE(subsub->Preise1.Net, 5.0);
    QCOMPARE(sub->Preise1.Net, 35.0);
    QCOMPARE(sub->Preise1.Gross, 41.65);
    QCOMPARE(sub->Preise1.TotalsCurrency, QStringLiteral("EUR"));
    QCOMPARE(head->Preise1.Net, 55.0);
    QCOMPARE(head->Preise1.Complete, 1);
    QCOMPARE(head->Preise1.TotalsCurrency, QStringLiteral("EUR"));
    // The totals hold the package's own lines only.
    QCOMPARE(head->Preise1.PackageNet, 20.0);
    QCOMPARE(head->Preise1.PackageGross, 23.8);

    // An incomplete sub-package makes the package incomplete.
    deep->Preise1.UnitNet = -1.0;
    deep->Preise1.Vat = -1.0;
    paket.CalcPositionPrices1(nullptr);
    paket.CalcPrices1(nullptr);
    QCOMPARE(sub->Preise1.Complete, 0);
    QCOMPARE(head->Preise1.Complete, 0);
    QCOMPARE(head->Preise1.TotalsComplete, 1);
}

void TestPaket::rollUpFlatHead()
{
    CPaket paket;
    CPosition *head = paket.AddPosition(Head());
    head->Preise1.FlatPrice = 1;
    head->Preise1.UnitGross = 119.0;
    head->Preise1.Vat = 19.0;
    head->Preise1.Currency = QStringLiteral("CHF");
    paket.AddPosition(Priced(POS_PART, 500.0, 400.0, QStringLiteral("EUR")));
    paket.CalcPrices1(nullptr);
    QCOMPARE(head->Preise1.Gross, 119.0);
    QCOMPARE(head->Preise1.Net, 100.0);
    QCOMPARE(head->Preise1.Complete, 1);
    QCOMPARE(head->Preise1.PackageGross, 119.0);
    QCOMPARE(head->Preise1.PackageNet, 100.0);
    QCOMPARE(head->Preise1.TotalsComplete, 1);
    QCOMPARE(head->Preise1.TotalsCurrency, QStringLiteral("CHF"));

    // Without VAT and net the flat head stays incomplete (-3.0 with the marker).
    head->Preise1.Vat = -1.0;
    head->Preise1.NoPrice = 1;
    paket.CalcPrices1(nullptr);
    QCOMPARE(head->Preise1.Net, -3.0);
    QCOMPARE(head->Preise1.Complete, 0);
    QCOMPARE(head->Preise1.TotalsComplete, 0);
}

void TestPaket::rollUpSet2OnlyWhenActive()
{
    CPaket paket;
    CPosition *head = paket.AddPosition(Head());
    CPosition *part =
        paket.AddPosition(Line(POS_PART, QStringLiteral("4711"), QStringLiteral("S")));
    part->Quantity = QStringLiteral("1");
    part->Preise2.UnitNet = 10.0;
    part->Preise2.Vat = 20.0;
    CPrgSettings plain;
    paket.CalcPositionPrices2(&plain);
    paket.CalcPrices2(&plain);
    QCOMPARE(part->Preise2.Net, -1.0);
    QCOMPARE(head->Preise2.Net, -1.0);

    CPrgSettings training;
    training.bSchulung = 1;
    paket.CalcPositionPrices2(&training);
    paket.CalcPrices2(&training);
    QCOMPARE(part->Preise2.Net, 10.0);
    QCOMPARE(head->Preise2.Net, 10.0);
    QCOMPARE(head->Preise1.Net, -1.0);

    const CPrgSettings xml = XmlSettings();
    part->Preise2.UnitNet = 12.0;
    paket.CalcPositionPrices2(&xml);
    paket.CalcPrices2(&xml);
    QCOMPARE(head->Preise2.Net, 12.0);
}

void TestPaket::commonCurrency_data()
{
    QTest::addColumn<QString>("currencies"); // top-level lines; "sub:" a nested line
    QTest::addColumn<int>("flatHead");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("mixed");
    // clang-format off
    QTest::newRow("one currency") << "EUR,EUR" << 0 << "EUR" << 0;
    QTest::newRow("two in EUR and one in CHF") << "EUR,EUR,CHF" << 0 << "EUR" << 1;
    QTest::newRow("lines without currency are ignored") << ",EUR,,EUR" << 0 << "EUR" << 0;
    QTest::newRow("nested line in another currency") << "EUR,sub:USD" << 0 << "EUR" << 1;
    QTest::newRow("nested line gives the currency") << ",sub:USD" << 0 << "USD" << 0;
    QTest::newRow("flat-price head has none") << "EUR,CHF" << 1 << "" << 0;
    // clang-format on
}

void TestPaket::commonCurrency()
{
    QFETCH(QString, currencies);
    QFETCH(int, flatHead);
    QFETCH(QString, result);
    QFETCH(int, mixed);
    CPaket paket;
    CPosition *head = paket.AddPosition(Head());
    head->Preise1.FlatPrice = head->Preise2.FlatPrice = flatHead;
    head->Preise1.Currency = head->Preise2.Currency = QStringLiteral("GBP"); // heads do not count
    for (const QString &c : currencies.split(QLatin1Char(','))) {
        if (c.startsWith(QLatin1String("sub:"))) {
            CPosition *sub = paket.AddPosition(Line(POS_SUBPACKAGE, QStringLiteral("S")));
            sub->SubPackage = std::make_unique<CPaket>();
            sub->SubPackage->AddPosition(Head(QStringLiteral("S")));
            sub->SubPackage->AddPosition(Priced(POS_PART, 1, 1, c.mid(4)));
        } else {
            paket.AddPosition(Priced(POS_PART, 1, 1, c));
        }
    }
    for (int set : {1, 2}) {
        QString out;
        int mixedOut = 0;
        const QString returned = set == 1 ? paket.GetCommonCurrency1(out, &mixedOut)
                                          : paket.GetCommonCurrency2(out, &mixedOut);
        QCOMPARE(returned, result);
        QCOMPARE(out, result);
        QCOMPARE(mixedOut, mixed);
    }
}

void TestPaket::campaignCurrency()
{
    CPaket paket;
    CPosition *head = paket.AddPosition(Head());
    head->Campaign[CPosition::CampaignCurrency] = QStringLiteral("EUR");
    CPosition *work = paket.AddPosition(Line(POS_WORK, QStringLiteral("1"), QStringLiteral("S")));
    work->Campaign[CPosition::CampaignWorkUsage] = QStringLiteral("O");
    work->Campaign[CPosition::CampaignWorkStatus] = QStringLiteral("0");
    work->Preise3.Currency = QStringLiteral("EUR");
    CPosition *inactive =
        paket.AddPosition(Line(POS_PART, QStringLiteral("2"), QStringLiteral("S")));
    inactive->Campaign[CPosition::CampaignPartUsage] = QStringLiteral("S");
    inactive->Campaign[CPosition::CampaignPartStatus] = QStringLiteral("1");
    inactive->Preise3.Currency = QStringLiteral("CHF");
    QString out;
    int mixed = 0;
    QCOMPARE(paket.GetCampaignCurrency(out, &mixed), QStringLiteral("EUR"));
    QCOMPARE(mixed, 0);
    inactive->Campaign[CPosition::CampaignPartStatus] = QStringLiteral("0");
    paket.GetCampaignCurrency(out, &mixed);
    QCOMPARE(mixed, 1);
}

void TestPaket::campaignPrices_data()
{
    QTest::addColumn<QString>("priceType");
    QTest::addColumn<bool>("xml");
    QTest::addColumn<double>("deliveredGross");
    QTest::addColumn<double>("deliveredNet");
    QTest::addColumn<QString>("fixedPrice");
    QTest::addColumn<int>("bItem"); // an item of usage "B" +3/2: -1 none, 0 not chosen, 1 chosen
    QTest::addColumn<double>("gross");
    QTest::addColumn<double>("net");
    QTest::addColumn<int>("complete");
    QTest::addColumn<int>("messages");
    // Lines: chosen optional +20/16, chosen alternative +10/8, replaced
    // standard -5/4, unchosen optional and inactive line ignored.
    // clang-format off
    QTest::newRow("L delivered with adjustments") << "L" << false << 200.0 << 160.0 << "" << -1 << 225.0 << 180.0 << 1 << 0;
    QTest::newRow("CR delivered in XML mode") << "CR" << true << 200.0 << 160.0 << "" << -1 << 225.0 << 180.0 << 1 << 0;
    QTest::newRow("R outside XML mode keeps the delivered values") << "R" << false << 200.0 << 160.0 << "" << -1 << 200.0 << 160.0 << 0 << 0;
    QTest::newRow("CR outside XML mode keeps the delivered values") << "CR" << false << 200.0 << 160.0 << "" << -1 << 200.0 << 160.0 << 0 << 0;
    QTest::newRow("CL delivered with adjustments") << "CL" << false << 200.0 << 160.0 << "" << -1 << 225.0 << 180.0 << 1 << 0;
    QTest::newRow("CL without delivery takes the fixed price") << "CL" << false << -1.0 << -1.0 << "99.50" << -1 << 124.5 << -1.0 << 1 << 1;
    QTest::newRow("L without delivery nor fixed price") << "L" << false << 200.0 << -1.0 << "" << -1 << -1.0 << -1.0 << 0 << 1;
    QTest::newRow("R in XML mode without delivery stops") << "R" << true << -1.0 << 160.0 << "5" << -1 << -1.0 << 160.0 << 0 << 1;
    // A chosen "B" item is added by the optional and by the alternative
    // adjustment alike.
    QTest::newRow("chosen B item counts in both adjustments") << "L" << false << 200.0 << 160.0 << "" << 1 << 231.0 << 184.0 << 1 << 0;
    QTest::newRow("unchosen B item counts in neither adjustment") << "L" << false << 200.0 << 160.0 << "" << 0 << 225.0 << 180.0 << 1 << 0;
    QTest::newRow("fixed price with thousands separators is no price") << "CL" << false << -1.0 << -1.0 << "1.099,50" << -1 << -1.0 << -1.0 << 0 << 1;
    // clang-format on
}

void TestPaket::campaignPrices()
{
    QFETCH(QString, priceType);
    QFETCH(bool, xml);
    QFETCH(double, deliveredGross);
    QFETCH(double, deliveredNet);
    QFETCH(QString, fixedPrice);
    QFETCH(int, bItem);
    QFETCH(double, gross);
    QFETCH(double, net);
    QFETCH(int, complete);
    QFETCH(int, messages);

    CPaket paket;
    CPosition *head = paket.AddPosition(Head());
    head->Campaign[CPosition::CampaignPriceType] = priceType;
    head->Campaign[CPosition::CampaignCurrency] = QStringLiteral("EUR");
    head->Campaign[CPosition::CampaignFixedPrice] = fixedPrice;
    head->Preise3.PackageGross = deliveredGross;
    head->Preise3.PackageNet = deliveredNet;
    head->Preise3.Complete = 1; // left from an earlier run
    const auto campaignLine = [&](int type, const char *usage, const char *status, int selected,
                                  double g, double n) {
        CPosition *line = paket.AddPosition(Line(type, QStringLiteral("x"), QStringLiteral("S")));
        line->Campaign[type == POS_WORK ? CPosition::CampaignWorkUsage
                                        : CPosition::CampaignPartUsage] = QLatin1String(usage);
        line->Campaign[type == POS_WORK ? CPosition::CampaignWorkStatus
                                        : CPosition::CampaignPartStatus] = QLatin1String(status);
        line->Selected = selected;
        line->Preise3.Gross = g;
        line->Preise3.Net = n;
    };
    campaignLine(POS_WORK, "O", "0", 1, 20.0, 16.0);
    campaignLine(POS_PART, "A", "0", 1, 10.0, 8.0);
    campaignLine(POS_PART, "S", "0", 0, 5.0, 4.0);
    campaignLine(POS_PART, "O", "0", 0, 1000.0, 1000.0);
    campaignLine(POS_WORK, "O", "1", 1, 1000.0, 1000.0);
    if (bItem >= 0)
        campaignLine(POS_PART, "B", "0", bItem, 3.0, 2.0);

    NoticeLog notices;
    const CPrgSettings settings = xml ? XmlSettings() : CPrgSettings();
    paket.ApplyCampaignPrices(&settings, &notices, true);
    QCOMPARE(head->Preise3.Gross, gross);
    QCOMPARE(head->Preise3.Net, net);
    QCOMPARE(head->Preise3.Complete, complete);
    QCOMPARE(head->Preise3.TotalsCurrency, QStringLiteral("EUR"));
    QCOMPARE(notices.texts.size(), messages);
}

void TestPaket::marketingFlags_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<int>("fastlane");
    QTest::addColumn<int>("valueline");
    // clang-format off
    QTest::newRow("fast-lane package") << "1234567" << 1 << 0;
    QTest::newRow("value-line package, any value but 0 is yes") << "7654321" << 0 << 1;
    QTest::newRow("no row keeps the flags") << "5555555" << 7 << 7;
    QTest::newRow("row of another catalogue") << "1111111" << 7 << 7;
    // clang-format on
}

void TestPaket::marketingFlags()
{
    QFETCH(QString, number);
    QFETCH(int, fastlane);
    QFETCH(int, valueline);
    const QString folder = m_env.path() + QStringLiteral("/marketing");
    QVERIFY(writeTextFile(folder + QLatin1Char('/') + CMrktngAttRec::FileName(),
                          "Schluessel\tFastlane\tValueline\n"
                          "VQ011234567\t1\t0\n"
                          "VQ017654321\t0\t2\n"
                          "VQ021111111\t1\t1\n"));
    CMrktngAttRec record;
    QCOMPARE(record.Open(folder), 1);
    CPrgSettings settings;
    settings.KatalogKey = QStringLiteral("VQ01");
    CPosition head;
    head.Number = number;
    head.IsFastlane = head.IsValueLine = 7;
    SetMrktngAttFlags(&settings, &record, &head);
    QCOMPARE(head.IsFastlane, fastlane);
    QCOMPARE(head.IsValueLine, valueline);
}

void TestPaket::masksMatchPositionKeys_data()
{
    // The contract coverage of the package list and the findings of the
    // editing page ask the same question of a mask.
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("match");
    // clang-format off
    QTest::newRow("equal")                          << "11100810"  << "11100810"  << true;
    QTest::newRow("X stands for one character")     << "111008XX"  << "11100810"  << true;
    QTest::newRow("X keeps its place")              << "1X10"      << "1210"      << true;
    QTest::newRow("87 and six digits")              << "87XXXXXX"  << "87123456"  << true;
    QTest::newRow("87 and two digits")              << "87XXXXXX"  << "8712"      << true;
    QTest::newRow("key shorter, rest of mask X")    << "1110XXXX"  << "1110"      << true;
    QTest::newRow("empty key, mask all X")          << "XXXX"      << ""          << true;
    QTest::newRow("X inside does not stand for none") << "1110X0810" << "11100810" << false;
    QTest::newRow("X in front does not shift")      << "X110"      << "110"       << false;
    QTest::newRow("key shorter, rest of mask not X") << "111008XX" << "11100"     << false;
    QTest::newRow("nine characters")                << "87XXXXXX"  << "871234567" << false;
    QTest::newRow("another pair")                   << "87XXXXXX"  << "86123456"  << false;
    QTest::newRow("other character differs")        << "111008XX"  << "11200810"  << false;
    QTest::newRow("key longer than the mask")       << "1110"      << "11100810"  << false;
    QTest::newRow("mask longer than the key")       << "111008101" << "11100810"  << false;
    QTest::newRow("lower-case x is no wildcard")    << "111008xx"  << "11100810"  << false;
    QTest::newRow("case of the key counts")         << "87XXXXXA"  << "8712345a"  << false;
    // clang-format on
}

void TestPaket::masksMatchPositionKeys()
{
    QFETCH(QString, mask);
    QFETCH(QString, key);
    QFETCH(bool, match);
    QCOMPARE(MatchMask(mask, key), match);
}

YAQ_TEST_GUILESS_MAIN(TestPaket)
#include "tst_paket.moc"
