// The Basket-List: which baskets and items the basket's entries become, and
// the document the transfer system reads from the clipboard (checked against
// a golden document of a demo basket).

#include "basket/model/BasketList.h"
#include "basket/model/BasketListDocument.h"
#include "basket/model/WKList.h"
#include "packages/model/Paket.h"
#include "packages/model/Position.h"
#include "platform/OrmelText.h"
#include "support/TestEnv.h"

#include <QMimeData>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

const QString kTypeKey = QStringLiteral("7A01");

std::unique_ptr<CPosition> Line(int type, const QString &number, const QString &kind = "S")
{
    auto line = std::make_unique<CPosition>();
    line->Type = type;
    line->Number = number;
    line->Kind = kind;
    line->SetSelectionFlag();
    return line;
}

CPosition *Add(CPaket &paket, std::unique_ptr<CPosition> line)
{
    return paket.AddPosition(std::move(line));
}

void Price(CPosition &line, double unitGross, double unitNet, double gross, double net)
{
    line.Preise1.UnitGross = unitGross;
    line.Preise1.UnitNet = unitNet;
    line.Preise1.Vat = 19.0;
    line.Preise1.Gross = gross;
    line.Preise1.Net = net;
    line.Preise1.Currency = QStringLiteral("EUR");
}

// A service package: list line, head, a work line, a part, an optional
// work line and, when chosen, an optional sub-package with a head and two
// work lines of its own.
std::unique_ptr<CPaket> ServicePackage(int headType, bool subChosen, bool flatHead = false,
                                       bool unchosenWork = false)
{
    auto paket = std::make_unique<CPaket>();
    auto list = Line(POS_SPECIAL1, QString());
    list->HG = QStringLiteral("11");
    list->HGText = QStringLiteral("Motor");
    Add(*paket, std::move(list));
    auto head = Line(headType, QStringLiteral("1110010"));
    head->AwText1 = QStringLiteral("Oelwechsel   ");
    head->PaketID = QStringLiteral("1110010");
    head->PaketArt = QStringLiteral("SRP");
    head->Preise1.FlatPrice = flatHead ? 1 : 0;
    head->Preise1.PackageGross = 119.0;
    head->Preise1.PackageNet = 100.0;
    Add(*paket, std::move(head));
    auto work = Line(POS_WORK, QStringLiteral("1110010"), flatHead || unchosenWork ? "O" : "S");
    work->Quantity = QStringLiteral("2");
    Price(*work, 11.9, 10.0, 23.8, 20.0);
    Add(*paket, std::move(work));
    auto part = Line(POS_PART, QStringLiteral("N0001"));
    part->Quantity = QStringLiteral("1");
    Add(*paket, std::move(part));
    Add(*paket, Line(POS_WORK, QStringLiteral("1110099"), "O"));
    auto sub = Line(POS_SUBPACKAGE, QStringLiteral("1110020"), "OP");
    sub->Selected = subChosen ? 1 : 0;
    sub->SubPackage = std::make_unique<CPaket>();
    Add(*sub->SubPackage, Line(POS_SPECIAL1, QString()));
    Add(*sub->SubPackage, Line(POS_HEAD_CAMPAIGN, QStringLiteral("1110020")));
    Add(*sub->SubPackage, Line(POS_WORK, QStringLiteral("1110021")));
    Add(*sub->SubPackage, Line(POS_WORK, QStringLiteral("1110022")));
    Add(*paket, std::move(sub));
    return paket;
}

// A campaign package of price type "R": head, campaign line, campaign
// package line, a work line and a part.
std::unique_ptr<CPaket> CampaignPackage(bool subChosen)
{
    auto paket = ServicePackage(POS_HEAD_CAMPAIGN, subChosen);
    CPosition *head = paket->GetKopf();
    head->HG = QStringLiteral("XX");
    head->Campaign[CPosition::CampaignPriceType] = QStringLiteral("R");
    head->IsValueLine = 1;
    auto campaign = Line(POS_SPECIAL2, QString());
    campaign->Campaign[CPosition::CampaignName] = QStringLiteral("Winter & Co <2026>");
    campaign->Campaign[CPosition::CampaignCommercialText] = QStringLiteral("Winterangebot");
    campaign->Campaign[CPosition::CampaignNumber] = QStringLiteral("K4711");
    campaign->Campaign[CPosition::CampaignPriceType] = QStringLiteral("R");
    Add(*paket, std::move(campaign));
    auto packageLine = Line(POS_SPECIAL4, QString());
    packageLine->Campaign[CPosition::CampaignPackageName] = QStringLiteral("Wintercheck");
    packageLine->Campaign[CPosition::CampaignPackageNumber] = QStringLiteral("KP01");
    packageLine->Campaign[CPosition::CampaignPriceType] = QStringLiteral("R");
    packageLine->Campaign[CPosition::CampaignFixedPrice] = QStringLiteral("0015");
    Add(*paket, std::move(packageLine));
    return paket;
}

// A rebate campaign whose package line names no rebate.
std::unique_ptr<CPaket> CampaignWithoutRebateText()
{
    auto paket = CampaignPackage(false);
    for (const auto &line : *paket) {
        if (line->Type == POS_SPECIAL4)
            line->Campaign[CPosition::CampaignFixedPrice].clear();
    }
    return paket;
}

// A campaign package with one value changed: "r" the package line's price
// type in small letters, "000" its rebate text all zeros, "hg" the head's
// HG text with blanks after it.
std::unique_ptr<CPaket> CampaignVariant(const QString &change)
{
    auto paket = CampaignPackage(false);
    for (const auto &line : *paket) {
        if (line->Type == POS_SPECIAL4 && change == QLatin1String("r"))
            line->Campaign[CPosition::CampaignPriceType] = QStringLiteral("r");
        if (line->Type == POS_SPECIAL4 && change == QLatin1String("000"))
            line->Campaign[CPosition::CampaignFixedPrice] = QStringLiteral("000");
    }
    if (change == QLatin1String("hg"))
        paket->GetKopf()->HGText = QStringLiteral("Inspektion  ");
    return paket;
}

// A service package whose head carries the value-line flag.
std::unique_ptr<CPaket> ValueLinePackage()
{
    auto paket = ServicePackage(POS_HEAD_CAMPAIGN, false);
    paket->GetKopf()->IsValueLine = 1;
    return paket;
}

// A campaign of rebates by kind ("CR"); its part is of the rebate kind given.
std::unique_ptr<CPaket> RebateCampaign(const QString &partKind)
{
    auto paket = CampaignPackage(false);
    CPosition *head = paket->GetKopf();
    head->Campaign[CPosition::CampaignPriceType] = QStringLiteral("CR");
    head->Campaign[CPosition::CampaignLabourRebate] = QStringLiteral("12,5");
    head->Campaign[CPosition::CampaignPartsRebate] = QStringLiteral("8");
    head->Campaign[CPosition::CampaignOilRebate] = QStringLiteral("5");
    for (const auto &line : *paket) {
        if (line->Type == POS_PART)
            line->Campaign[CPosition::CampaignPartCategory] = partKind;
    }
    return paket;
}

CWKListItem LabourPosition()
{
    auto pos = Line(POS_BASKET_LABOUR, QStringLiteral("2120000"));
    pos->AwText1 = QStringLiteral("Zahnriemen ersetzen");
    pos->Quantity = QStringLiteral("12");
    Price(*pos, 142.8, 120.0, 142.8, 120.0);
    pos->Preise2.UnitGross = 150.0;
    return CWKListItem(std::move(pos));
}

CWKListItem Finding()
{
    auto pos = Line(POS_FINDING, QStringLiteral("34100100"));
    pos->BefundText = QStringLiteral("Bremsbelag verschlissen");
    return CWKListItem(std::move(pos));
}

void Fill(CWKList &list, const QString &scenario)
{
    for (const QString &name : scenario.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (name == QLatin1String("SRP"))
            list.Add(CWKListItem(WK_SRP, ServicePackage(POS_HEAD_CAMPAIGN, false)), 1);
        else if (name == QLatin1String("SRP+OP"))
            list.Add(CWKListItem(WK_SRP, ServicePackage(POS_HEAD_CAMPAIGN, true)), 1);
        else if (name == QLatin1String("SRPflat"))
            list.Add(CWKListItem(WK_SRP, ServicePackage(POS_HEAD_CAMPAIGN, false, true)), 1);
        else if (name == QLatin1String("SRPnoflat"))
            list.Add(CWKListItem(WK_SRP, ServicePackage(POS_HEAD_CAMPAIGN, false, false, true)), 1);
        else if (name == QLatin1String("SIP"))
            list.Add(CWKListItem(WK_SIP, ServicePackage(POS_HEAD19, false)), 1);
        else if (name == QLatin1String("SRPvl"))
            list.Add(CWKListItem(WK_SRP, ValueLinePackage()), 1);
        else if (name == QLatin1String("MKP"))
            list.Add(CWKListItem(WK_CAMPAIGN, CampaignPackage(false)), 1);
        else if (name.startsWith(QLatin1String("MKPcr")))
            list.Add(CWKListItem(WK_CAMPAIGN, RebateCampaign(name.section(QLatin1Char(':'), 1))),
                     1);
        else if (name.startsWith(QLatin1String("MKP:")))
            list.Add(CWKListItem(WK_CAMPAIGN, CampaignVariant(name.mid(4))), 1);
        else if (name == QLatin1String("MKPnone"))
            list.Add(CWKListItem(WK_CAMPAIGN, CampaignWithoutRebateText()), 1);
        else if (name == QLatin1String("MKP+OP"))
            list.Add(CWKListItem(WK_CAMPAIGN, CampaignPackage(true)), 1);
        else if (name == QLatin1String("POS"))
            list.Add(LabourPosition(), 1);
        else if (name == QLatin1String("BF"))
            list.Add(Finding(), 1);
        else if (name == QLatin1String("NONE"))
            list.Add(CWKListItem(WK_NONE, std::make_unique<CPaket>()), 1);
        else
            QTest::qFail("unknown scenario", __FILE__, __LINE__);
    }
}

// "type:item,item" per basket, " | " between baskets; an item is its
// PackageTyp (a labour position 6, a finding 8), with "*" when its line was
// not chosen, "h<type>" for a head item.
QString Shape(const CBasketArray &baskets)
{
    QStringList out;
    for (const CBasket &basket : baskets) {
        QStringList items;
        for (const CPackageCBItem &item : basket.Items)
            items << QString::number(item.PackageTyp) + (item.Auswahl ? "" : "*");
        if (basket.HeadItem.PackageTyp)
            items << QStringLiteral("h%1").arg(basket.HeadItem.PackageTyp);
        out << QString::number(basket.BasketTyp) + QLatin1Char(':') + items.join(QLatin1Char(','));
    }
    return out.join(QStringLiteral(" | "));
}

// Every line a basket's entries hold that becomes an item, and the lines
// the Basket-List leaves out (types 7, 8, 13): a service package with
// information and findings lines, the packages of the other service heads
// (18, 19, 20) and of a spot repair (head 6), a campaign package, and the
// three position entries. Every line carries the fast-lane and value-line
// marks, every head a sub-position, so that the document tells which items
// pass them on.
void FillEveryItemType(CWKList &list)
{
    const auto marked = [](std::unique_ptr<CPaket> paket, const QString &headNumber) {
        for (const auto &line : *paket) {
            line->IsFastlane = 1;
            line->IsValueLine = 1;
            if (IsHeadType(line->Type)) {
                line->Number = headNumber;
                line->SubPositions.push_back(std::make_unique<CPosition>());
            }
        }
        return paket;
    };
    auto service = ServicePackage(POS_HEAD_CAMPAIGN, false);
    for (const int type :
         {int(POS_INFO3), int(POS_INFO5), int(POS_FINDINGS), int(POS_GROUP), 7, 8}) {
        auto line = Line(type, QStringLiteral("11100%1").arg(type, 2, 10, QLatin1Char('0')));
        line->Text = QStringLiteral("Text der Zeile %1   ").arg(type);
        Add(*service, std::move(line));
    }
    // clang-format off
    list.Add(CWKListItem(WK_SRP,      marked(std::move(service), "1110010")), 1);
    list.Add(CWKListItem(WK_GRP,      marked(ServicePackage(POS_HEAD18, false), "1810010")), 1);
    list.Add(CWKListItem(WK_SIP,      marked(ServicePackage(POS_HEAD19, false), "1910010")), 1);
    list.Add(CWKListItem(WK_VLP,      marked(ServicePackage(POS_HEAD20, false), "2010010")), 1);
    list.Add(CWKListItem(WK_CCP,      marked(ServicePackage(POS_HEAD, false),   "0610010")), 1);
    list.Add(CWKListItem(WK_CAMPAIGN, marked(CampaignPackage(false),            "1110010")), 1);
    // clang-format on
    list.Add(LabourPosition(), 1);
    auto siFinding = Line(POS_SI_FINDING, QStringLiteral("1100200300"));
    siFinding->BefundText = QStringLiteral("Serviceinformation beachten");
    list.Add(CWKListItem(std::move(siFinding)), 1);
    list.Add(Finding(), 1);
    for (const auto &entry : list) {
        if (entry->APos)
            entry->APos->IsFastlane = 1;
    }
}

QString GoldenPath(const QString &name)
{
    return QStringLiteral(YAQ_SOURCE_DIR "/tests/data/golden/basketlist/") + name;
}

} // namespace

class TestBasketListDoc : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void baskets_data();
    void baskets();
    void headNumberCarriesTypeKey();
    void closingLineEndsItsPackage_data();
    void closingLineEndsItsPackage();
    void campaignFields();
    void itemField_data();
    void itemField();
    void campaignPriceOfALine_data();
    void campaignPriceOfALine();
    void conversionLeavesTheBasketAlone();
    void document_data();
    void document();
    void elementsOfItemType_data();
    void elementsOfItemType();
    void demoBasketMatchesGolden();
    void everyItemTypeMatchesGolden_data();
    void everyItemTypeMatchesGolden();
    void clipboardDataCarriesFormatAndText_data();
    void clipboardDataCarriesFormatAndText();
};

void TestBasketListDoc::initTestCase()
{
    InitOrmelText(QStringLiteral(YAQ_DEMO_DATAS_DIR "/Zirava/PrgTxt"));
}

void TestBasketListDoc::baskets_data()
{
    QTest::addColumn<QString>("entries");
    QTest::addColumn<QString>("shape");
    // clang-format off
    QTest::newRow("empty basket")                               << ""            << "";
    QTest::newRow("labour position: head item, no items")       << "POS"         << "2:h6";
    QTest::newRow("finding")                                    << "BF"          << "2:h8";
    QTest::newRow("entry of kind 0 without lines")              << "NONE"        << "0:";
    QTest::newRow("package without chosen sub-package")         << "SRP"         << "1:1,2,3,4";
    QTest::newRow("chosen sub-package is a basket of its own")  << "SRP+OP"      << "1:1,2,3,4 | 1:1,2,3,3";
    QTest::newRow("inclusive-service head announced as type 2") << "SIP"         << "6:1,2,18,3,4";
    QTest::newRow("campaign package: one basket")               << "MKP"         << "3:1,2,3,4,10,11";
    QTest::newRow("campaign takes sub-package without head")    << "MKP+OP"      << "3:1,2,3,4,3,3,10,11";
    QTest::newRow("unchosen work line of a flat head taken")    << "SRPflat"     << "1:1,2,3*,4";
    QTest::newRow("unchosen work line without flat head left")  << "SRPnoflat"   << "1:1,2,4";
    QTest::newRow("entries in basket order")                    << "POS NONE SRP" << "2:h6 | 0: | 1:1,2,3,4";
    // clang-format on
}

void TestBasketListDoc::baskets()
{
    QFETCH(QString, entries);
    QFETCH(QString, shape);
    CWKList list;
    Fill(list, entries);
    QCOMPARE(Shape(ToBasketArray(list, kTypeKey)), shape);
}

void TestBasketListDoc::headNumberCarriesTypeKey()
{
    CWKList list;
    Fill(list, QStringLiteral("SIP"));
    const CBasketArray baskets = ToBasketArray(list, kTypeKey);
    const CPackageCBItem &announce = baskets.at(0).Items.at(1);
    const CPackageCBItem &head = baskets.at(0).Items.at(2);
    QCOMPARE(head.Number, QStringLiteral("111001017A010"));
    QCOMPARE(announce.Number, head.Number);
    // A package head carries the package's totals, trimmed texts.
    QCOMPARE(head.TotalPreisBrutto, 119.0);
    QCOMPARE(head.KundenTotalPreisNetto, 100.0);
    QCOMPARE(head.AwText1, QStringLiteral("Oelwechsel"));
}

void TestBasketListDoc::closingLineEndsItsPackage_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("closeOuter");
    QTest::addColumn<QString>("shape");
    // clang-format off
    QTest::newRow("package stops, its sub-package follows")   << int(WK_SRP)      << true  << "1:1,2,3 | 1:1,2,3,3";
    QTest::newRow("sub-package stops alone")                  << int(WK_SRP)      << false << "1:1,2,3,4 | 1:1,2,3";
    QTest::newRow("campaign stops at its own closing line")   << int(WK_CAMPAIGN) << true  << "3:1,2,3";
    QTest::newRow("campaign goes on after a closed sub-package") << int(WK_CAMPAIGN) << false << "3:1,2,3,4,3,10,11";
    // clang-format on
}

void TestBasketListDoc::closingLineEndsItsPackage()
{
    QFETCH(int, kind);
    QFETCH(bool, closeOuter);
    QFETCH(QString, shape);
    auto paket = kind == WK_SRP ? ServicePackage(POS_HEAD_CAMPAIGN, true) : CampaignPackage(true);
    // The first standard work line of the package or of its sub-package
    // closes it.
    const CPaket *closed = paket.get();
    if (!closeOuter) {
        for (const auto &line : *paket) {
            if (line->Type == POS_SUBPACKAGE)
                closed = line->SubPackage.get();
        }
    }
    for (const auto &line : *closed) {
        if (line->Type == POS_WORK && line->Kind == QLatin1String("S")) {
            line->HG = QStringLiteral("YY");
            line->Az.clear();
            line->Quantity = QStringLiteral("2");
            Price(*line, 11.9, 10.0, 23.8, 20.0);
            break;
        }
    }
    CWKList list;
    list.Add(CWKListItem(kind, std::move(paket)), 1);
    const CBasketArray baskets = ToBasketArray(list, kTypeKey);
    QCOMPARE(Shape(baskets), shape);
    // The closing line stands for its package: work charged by time, no
    // price of its own, the head's texts.
    const CPackageCBItem *closing = nullptr;
    for (const CBasket &basket : baskets) {
        for (const CPackageCBItem &item : basket.Items) {
            if (item.HG == QLatin1String("YY"))
                closing = &item;
        }
    }
    QVERIFY(closing);
    QCOMPARE(closing->Az, OrmelText(3012));
    QCOMPARE(closing->Menge, QString());
    QCOMPARE(closing->PreisBrutto, -1.0);
    QCOMPARE(closing->KundenTotalPreisNetto, -1.0);
    QCOMPARE(closing->WaehrungsKZ, QString());
    if (closeOuter)
        QCOMPARE(closing->AwText1, QStringLiteral("Oelwechsel"));
}

void TestBasketListDoc::campaignFields()
{
    CWKList list;
    Fill(list, QStringLiteral("MKP"));
    const CBasketArray baskets = ToBasketArray(list, kTypeKey);
    const std::vector<CPackageCBItem> &items = baskets.at(0).Items;
    const CPackageCBItem &campaign = items.at(4);
    const CPackageCBItem &packageLine = items.at(5);
    QCOMPARE(campaign.KampagnenNo, QStringLiteral("K4711"));
    QCOMPARE(campaign.KampagnenCommercialText, QStringLiteral("Winterangebot"));
    QCOMPARE(campaign.Kampagnenpreistyp, QStringLiteral("R"));
    QCOMPARE(packageLine.KampagnenPaketNo, QStringLiteral("KP01"));
    QCOMPARE(packageLine.KampagnenRabatt, QStringLiteral("15"));
    QCOMPARE(packageLine.KampagnenRabattDouble, 15.0);
    // Only the campaign basket tells the value-line flag of its head.
    QCOMPARE(items.at(1).ValueLine, 1);
    // A work line whose price was never reset carries the campaign price
    // text (none here: no amount).
    QCOMPARE(items.at(2).KampagnenPreisBrutto, -1.0);
}

void TestBasketListDoc::itemField_data()
{
    QTest::addColumn<QString>("entries");
    QTest::addColumn<int>("item"); // of the first basket
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    // clang-format off
    QTest::newRow("value line told in a campaign basket")      << "MKP"     << 1 << "ValueLine"             << "1";
    QTest::newRow("value line not told in a service basket")   << "SRPvl"   << 1 << "ValueLine"             << "0";
    QTest::newRow("rebates by kind: work line, labour rebate") << "MKPcr"   << 2 << "KampagnenRabattDouble" << "12.5";
    QTest::newRow("rebates by kind: part p, parts rebate")     << "MKPcr:p" << 3 << "KampagnenRabattDouble" << "8";
    QTest::newRow("rebates by kind: part o, oil rebate")       << "MKPcr:o" << 3 << "KampagnenRabattDouble" << "5";
    QTest::newRow("rebates by kind: part of no kind, none")    << "MKPcr"   << 3 << "KampagnenRabattDouble" << "-1";
    QTest::newRow("package rebate: work line takes none")      << "MKP"     << 2 << "KampagnenRabattDouble" << "-1";
    QTest::newRow("package rebate: the package line's")        << "MKP"     << 5 << "KampagnenRabattDouble" << "15";
    QTest::newRow("package rebate: no text is none, not 0")    << "MKPnone" << 5 << "KampagnenRabattDouble" << "-1";
    QTest::newRow("rebates by kind: package line takes none")  << "MKPcr"   << 5 << "KampagnenRabattDouble" << "-1";
    QTest::newRow("rebate text for price type \"R\" alone")   << "MKP:r"   << 5 << "KampagnenRabatt"       << "";
    QTest::newRow("rebate text of zeros is empty")             << "MKP:000" << 5 << "KampagnenRabatt"       << "";
    QTest::newRow("HG text without blanks after it")           << "MKP:hg"  << 1 << "HGText"                << "Inspektion";
    // clang-format on
}

void TestBasketListDoc::itemField()
{
    QFETCH(QString, entries);
    QFETCH(int, item);
    QFETCH(QString, field);
    CWKList list;
    Fill(list, entries);
    const CBasketArray baskets = ToBasketArray(list, kTypeKey);
    const CPackageCBItem &i = baskets.at(0).Items.at(size_t(item));
    QString value = QString::number(i.KampagnenRabattDouble);
    if (field == QLatin1String("ValueLine"))
        value = QString::number(i.ValueLine);
    else if (field == QLatin1String("KampagnenRabatt"))
        value = i.KampagnenRabatt;
    else if (field == QLatin1String("HGText"))
        value = i.HGText;
    QTEST(value, "value");
}

void TestBasketListDoc::campaignPriceOfALine_data()
{
    QTest::addColumn<QString>("priceText");
    QTest::addColumn<int>("reset");
    QTest::addColumn<double>("gross");
    QTest::addColumn<double>("net");
    // clang-format off
    QTest::newRow("campaign price text counts")      << "12,50" << 0 << 12.5 << -1.0;
    QTest::newRow("after a reset the price set")     << "12,50" << 1 << 30.0 << 25.0;
    QTest::newRow("unreadable text is no amount")    << "12.5 EUR" << 0 << -1.0 << -1.0;
    // clang-format on
}

void TestBasketListDoc::campaignPriceOfALine()
{
    QFETCH(QString, priceText);
    QFETCH(int, reset);
    QFETCH(double, gross);
    QFETCH(double, net);
    auto paket = CampaignPackage(false);
    for (const auto &line : *paket) {
        if (line->Type == POS_WORK && line->Selected) {
            line->Campaign[CPosition::CampaignWorkPrice] = priceText;
            line->Preise1.NoPrice = reset;
            line->Preise3.UnitGross = 30.0;
            line->Preise3.UnitNet = 25.0;
        }
    }
    CWKList list;
    list.Add(CWKListItem(WK_CAMPAIGN, std::move(paket)), 1);
    const CBasketArray baskets = ToBasketArray(list, kTypeKey);
    const CPackageCBItem &work = baskets.at(0).Items.at(2);
    QCOMPARE(work.PackageTyp, 3);
    QCOMPARE(work.KampagnenPreisBrutto, gross);
    QCOMPARE(work.KampagnenPreisNetto, net);
}

void TestBasketListDoc::conversionLeavesTheBasketAlone()
{
    CWKList list;
    Fill(list, QStringLiteral("MKP"));
    const CPosition *packageLine = list.GetAt(0)->Paket->GetPosType4();
    QVERIFY(packageLine);
    ToBasketArray(list, kTypeKey);
    QCOMPARE(packageLine->Campaign[CPosition::CampaignFixedPrice], QStringLiteral("0015"));
}

void TestBasketListDoc::document_data()
{
    QTest::addColumn<QString>("entries");
    QTest::addColumn<bool>("request");
    QTest::addColumn<QString>("brand");
    QTest::addColumn<QString>("contains");
    QTest::addColumn<QString>("lacks");
    // clang-format off
    QTest::newRow("price not set reads -1.000000")     << "POS" << false << ""   << "<StandardPreisNetto>-1.000000</StandardPreisNetto>" << "<StandardPreisNetto></StandardPreisNetto>";
    QTest::newRow("by-time marker written as it is")   << "POS" << false << ""   << "<TotalPreisBrutto>-2.000000</TotalPreisBrutto>"     << "<TotalPreisBrutto></TotalPreisBrutto>";
    QTest::newRow("prices in six decimals")            << "POS" << false << ""   << "<PreisBrutto>142.800000</PreisBrutto>"     << "<PackageItem>";
    QTest::newRow("labour position as ClipboardItem")  << "POS" << false << ""   << "<ClipboardItem><PackageTyp>6</PackageTyp>" << "<AW>";
    QTest::newRow("text with < and & stays text")      << "MKP" << false << ""   << "Winter &amp; Co &lt;2026&gt;"                 << "Winter & Co";
    QTest::newRow("brand LU names LUMO")               << "POS" << false << "LU" << "<Hersteller>LUMO</Hersteller>"            << "VOQ";
    QTest::newRow("any other brand names VOQ")         << "POS" << false << "VQ" << "<Hersteller>VOQ</Hersteller>"             << "LUMO";
    QTest::newRow("brand lu in small letters is VOQ")  << "POS" << false << "lu" << "<Hersteller>VOQ</Hersteller>"             << "LUMO";
    QTest::newRow("empty brand names VOQ")             << ""    << false << "-"  << "<Hersteller>VOQ</Hersteller>\r\n\r\n</Basket-List>" << "<Basket>";
    QTest::newRow("request: no line breaks")           << "SRP" << true  << ""   << "</PackageItem><PackageItem>"               << "\r\n";
    QTest::newRow("request: no customer prices")       << "SRP" << true  << ""   << "<WaehrungsKZ>EUR</WaehrungsKZ>"            << "KundenPreis";
    QTest::newRow("request: totals not set")           << ""    << true  << ""   << "<Basket-List><TotalPreisBrutto>-1.000000</TotalPreisBrutto><TotalPreisNetto>-1.000000</TotalPreisNetto><WaehrungsKZ></WaehrungsKZ></Basket-List>" << "AW";
    QTest::newRow("request: no ClipboardItem")         << "POS" << true  << ""   << "<Basket><BasketTyp>2</BasketTyp></Basket>" << "ClipboardItem";
    // clang-format on
}

void TestBasketListDoc::document()
{
    QFETCH(QString, entries);
    QFETCH(bool, request);
    QFETCH(QString, brand);
    QFETCH(QString, contains);
    QFETCH(QString, lacks);
    CWKList list;
    Fill(list, entries);
    if (!list.IsEmpty() && list.GetAt(0)->APos)
        list.GetAt(0)->APos->Preise1.Gross = kPriceByTime;
    CBasketListHead head;
    head.gross = 142.8;
    head.net = 120.0;
    head.currency = QStringLiteral("EUR");
    head.withLabourQuery = !brand.isEmpty();
    head.brand = brand == QLatin1String("-") ? QString() : brand;
    const BasketListForm form = request ? BasketListForm::PackageRequest : BasketListForm::Transfer;
    const CBasketArray baskets = ToBasketArray(list, kTypeKey);
    const QString document = WriteBasketList(baskets, head, form);
    // Written basket by basket, the document knows its size before its end.
    CBasketListStream stream(head, form);
    for (const CBasket &basket : baskets)
        stream.Add(basket);
    const qsizetype ended = stream.EndedBlockBytes();
    QCOMPARE(stream.End(), document);
    QCOMPARE(ended, BasketListBlockBytes(document));
    QVERIFY2(document.contains(contains), qPrintable(document));
    QVERIFY2(!document.contains(lacks), qPrintable(document));
    QVERIFY(document.startsWith(QLatin1String("<Basket-List>")));
    QVERIFY(document.endsWith(QLatin1String("</Basket-List>")));
    QXmlStreamReader reader(document);
    while (!reader.atEnd())
        reader.readNext();
    QVERIFY2(!reader.hasError(), qPrintable(reader.errorString()));
}

// Which elements an item of each type carries, in the transfer's document
// and in the package request's answer.
void TestBasketListDoc::elementsOfItemType_data()
{
    QTest::addColumn<bool>("request");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("element");
    QTest::addColumn<bool>("written");
    // clang-format off
    QTest::newRow("sub-positions of a package head")         << false << 2  << "Kampagnen"    << true;
    QTest::newRow("sub-positions of a warranty head")        << false << 14 << "Kampagnen"    << true;
    QTest::newRow("sub-positions of an inclusive head")      << false << 18 << "Kampagnen"    << true;
    QTest::newRow("sub-positions of a value-line head")      << false << 20 << "Kampagnen"    << true;
    QTest::newRow("no sub-positions of a spot-repair head")  << false << 17 << "Kampagnen"    << false;
    QTest::newRow("no sub-positions of a work line")         << false << 3  << "Kampagnen"    << false;
    QTest::newRow("value line of a package head")            << false << 2  << "ValueLine"    << true;
    QTest::newRow("value line of a campaign package line")   << false << 11 << "ValueLine"    << true;
    QTest::newRow("no value line of an inclusive head")      << false << 18 << "ValueLine"    << false;
    QTest::newRow("fast lane of a spot-repair head")         << false << 17 << "FastLane"     << true;
    QTest::newRow("no fast lane of a part")                  << false << 4  << "FastLane"     << false;
    QTest::newRow("rebate of a work line")                   << false << 3  << "KampagnenRabattDouble" << true;
    QTest::newRow("no rebate of a package head")             << false << 2  << "KampagnenRabattDouble" << false;
    QTest::newRow("request: fast lane of a campaign package line") << true << 11 << "FastLane" << true;
    QTest::newRow("request: no fast lane of a package head") << true  << 2  << "FastLane"     << false;
    QTest::newRow("request: no value line")                  << true  << 2  << "ValueLine"    << false;
    QTest::newRow("request: sub-positions of a package head") << true << 2  << "Kampagnen"    << true;
    QTest::newRow("request: no rebate as a number")          << true  << 11 << "KampagnenRabattDouble" << false;
    QTest::newRow("request: no standard price")              << true  << 3  << "StandardPreisBrutto" << false;
    QTest::newRow("request: the plain price")                << true  << 3  << "PreisBrutto"  << true;
    // clang-format on
}

void TestBasketListDoc::elementsOfItemType()
{
    QFETCH(bool, request);
    QFETCH(int, type);
    QFETCH(QString, element);
    QFETCH(bool, written);
    CBasket basket;
    basket.BasketTyp = 1;
    basket.Items.emplace_back();
    basket.Items.back().PackageTyp = type;
    const QString document =
        WriteBasketList({basket}, CBasketListHead(),
                        request ? BasketListForm::PackageRequest : BasketListForm::Transfer);
    QCOMPARE(document.contains(QLatin1Char('<') + element + QLatin1Char('>')), written);
}

void TestBasketListDoc::demoBasketMatchesGolden()
{
    CWKList list;
    Fill(list, QStringLiteral("SRP+OP SIP MKP POS BF"));
    CBasketListHead head;
    head.gross = list.GrossTotal();
    head.net = list.NetTotal();
    head.currency = list.CommonCurrency();
    const QByteArray document =
        WriteBasketList(ToBasketArray(list, kTypeKey), head, BasketListForm::Transfer).toUtf8();
    const QString path = GoldenPath(QStringLiteral("demo-basket.xml"));
    if (qEnvironmentVariableIntValue("YAQ_REGENERATE_GOLDEN") == 1) {
        QVERIFY(writeTextFile(path, document));
        QSKIP("golden document written");
    }
    QFile golden(path);
    QVERIFY2(golden.open(QIODevice::ReadOnly), qPrintable(path));
    QCOMPARE(document, golden.readAll());
}

// Every item type in both forms of the document, byte for byte: which
// elements each type carries, which lines reach it as which items (a head
// of type 18, 19 or 20 after its copy as a package head), and which items
// pass on the fast-lane and value-line marks.
void TestBasketListDoc::everyItemTypeMatchesGolden_data()
{
    QTest::addColumn<int>("form");
    QTest::addColumn<QString>("golden");
    // clang-format off
    QTest::newRow("transfer")        << int(BasketListForm::Transfer)       << "every-item-type.xml";
    QTest::newRow("package request") << int(BasketListForm::PackageRequest) << "every-item-type-request.xml";
    // clang-format on
}

void TestBasketListDoc::everyItemTypeMatchesGolden()
{
    QFETCH(int, form);
    QFETCH(QString, golden);
    CWKList list;
    FillEveryItemType(list);
    CBasketListHead head;
    head.gross = list.GrossTotal();
    head.net = list.NetTotal();
    head.currency = list.CommonCurrency();
    const QByteArray document =
        WriteBasketList(ToBasketArray(list, kTypeKey), head, static_cast<BasketListForm>(form))
            .toUtf8();
    const QString path = GoldenPath(golden);
    if (qEnvironmentVariableIntValue("YAQ_REGENERATE_GOLDEN") == 1) {
        QVERIFY(writeTextFile(path, document));
        QSKIP("golden document written");
    }
    QFile file(path);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
    QCOMPARE(document, file.readAll());
}

void TestBasketListDoc::clipboardDataCarriesFormatAndText_data()
{
    QTest::addColumn<int>("form");
    QTest::addColumn<QStringList>("formats");
    const QString own = QStringLiteral("YAQ_BASKET_DATA");
    // clang-format off
    QTest::newRow("basket page: its format alone")     << int(BasketListForm::Transfer)       << QStringList{own};
    QTest::newRow("package request: and as plain text") << int(BasketListForm::PackageRequest) << QStringList{own, "text/plain"};
    // clang-format on
}

void TestBasketListDoc::clipboardDataCarriesFormatAndText()
{
    QFETCH(int, form);
    QFETCH(QStringList, formats);
    const QString document = QStringLiteral("<a>\u00d8\u65e5</a>");
    const std::unique_ptr<QMimeData> mime(
        BasketListMimeData(document, static_cast<BasketListForm>(form)));
    QCOMPARE(kBasketListFormat, QStringLiteral("YAQ_BASKET_DATA"));
    // UTF-16 characters, little-endian, and a zero character after them.
    const char block[] = "<\0a\0>\0\xd8\0\xe5\x65<\0/\0a\0>\0\0";
    QCOMPARE(mime->data(kBasketListFormat), QByteArray(block, sizeof block));
    QStringList offered = mime->formats();
    offered.removeAll(QStringLiteral("text/plain;charset=utf-8"));
    QCOMPARE(offered, formats);
    QCOMPARE(mime->text(), formats.contains(QStringLiteral("text/plain")) ? document : QString());
}

YAQ_TEST_GUILESS_MAIN(TestBasketListDoc)
#include "tst_basketlistdoc.moc"
