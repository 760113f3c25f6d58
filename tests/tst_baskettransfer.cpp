// The basket to the dealer management system: the request as the stand-in
// DMS receives it and one body whole, the vehicle it does not know, the
// DMS's answers, an unreachable DMS, and the roads of the send modes with
// their result messages. What was not sent (or not confirmed) stays in the
// basket.

#include "basket/model/WKList.h"
#include "basket/transfer/BasketTransfer.h"
#include "basket/transfer/TransferAnswer.h"
#include "basket/transfer/TransferRequest.h"
#include "dms/DmsClient.h"
#include "dms/SoapReqSender.h"
#include "packages/model/Paket.h"
#include "platform/OrmelText.h"
#include "settings/DmsHeader.h"
#include "settings/PrgSettings.h"
#include "support/PackageFixtures.h"
#include "support/TestEnv.h"
#include "support/XmlPath.h"
#include "yaq2-dms/StandInDms.h"

#include <QDomDocument>
#include <QTcpServer>
#include <QtTest>

namespace {

const QString kVin = QStringLiteral("XVQ1F23A57M012345");
const QString kUnknownVin = QStringLiteral("XVQ3T00A57T012345");

struct Notices : IDmsNotice
{
    QStringList texts;
    void Notice(const QString &text, const QString &) override { texts << text; }
};

struct Question : ITransferQuestion
{
    bool yes = true;
    int asked = 0;
    bool Ask(const QString &) override
    {
        ++asked;
        return yes;
    }
};

// Answers by method: the SOAP action ends with it.
struct Sender : IDmsSender
{
    QHash<QString, QString> answers;
    QStringList methods;
    QString Request(const QString &, const QString &action, const QString &) override
    {
        const QString method = action.section(QLatin1Char('.'), -1);
        methods << method;
        return answers.value(method);
    }
};

// The adviser gives the request up as soon as it goes out.
struct CancellingWait : IDmsWait
{
    void Begin(std::function<void()> cancel) override { cancel(); }
    void End() override {}
};

// The messages, one a "|": a program text at the start is given by its id,
// line breaks as " / ", the road line left out.
QString Ids(const QStringList &texts)
{
    QStringList out;
    for (QString text : texts) {
        for (int id : {4048, 4049, 4052, 4069, 4070, 4071, 5050, 5053, 5054, 5055, 6073, 7070, 7071,
                       7072, 7073, 7131}) {
            const QString prefix = OrmelText(id).section(QStringLiteral("%s"), 0, 0);
            text.replace(prefix, QString::number(id));
        }
        QStringList lines = text.split(QLatin1Char('\n'));
        lines.removeIf([](const QString &l) { return l.startsWith(QLatin1String("(via")); });
        out << lines.join(QStringLiteral(" / "));
    }
    return out.join(QLatin1Char('|'));
}

// The road lines of the messages ("(via ...)"), one a "|".
QString Roads(const QStringList &texts)
{
    QStringList out;
    for (const QString &text : texts) {
        for (const QString &line : text.split(QLatin1Char('\n')))
            if (line.startsWith(QLatin1String("(via")))
                out << line;
    }
    return out.join(QLatin1Char('|'));
}

CPrgSettings Settings(const QString &vin = kVin)
{
    CPrgSettings s;
    s.SRPInterfaceSend = 4;
    s.XMLx = 1;
    s.V115 = 1;
    s.V117 = 1;
    s.SendXMLServer = QStringLiteral("dms.test");
    s.SendXMLTerminalID = QStringLiteral("T&1");
    s.FgstnrFull = vin;
    s.TypSchl = QStringLiteral("7A01");
    s.LeadTyp = QStringLiteral("7A0");
    s.ModellBez = QStringLiteral("Demo <Kombi>");
    s.Erstzulassung = QStringLiteral("15.04.2012");
    UpdateDmsHeader(&s);
    return s;
}

CTransferOrder Order()
{
    CTransferOrder order;
    order.orderNumber = QStringLiteral("A<1>&2");
    order.settlementCode = QStringLiteral("S1");
    order.jobNumber = QStringLiteral("J1");
    order.offer = true;
    return order;
}

void AddPackage(CWKList &basket, int kind, std::unique_ptr<CPaket> paket)
{
    basket.Add(CWKListItem(kind, std::move(paket)), 1);
}

void AddPosition(CWKList &basket, int type, const QString &number, const QString &az = {})
{
    auto pos = std::make_unique<CPosition>();
    pos->Type = type;
    pos->Number = number;
    pos->Az = az;
    basket.Add(CWKListItem(std::move(pos)), 1);
}

// A package of one kind with a head of that number and one work position.
std::unique_ptr<CPaket> SmallPackage(const QString &number)
{
    auto paket = std::make_unique<CPaket>();
    AddLine(*paket, POS_HEAD_CAMPAIGN, number);
    AddLine(*paket, POS_WORK, number, QStringLiteral("S"), QStringLiteral("1"));
    return paket;
}

// Every kind of content the SOAP road writes, and a finding it does not.
void FillFullBasket(CWKList &basket)
{
    // Priced by hand ("M"): the nested form with the head's own prices.
    auto srp = std::make_unique<CPaket>();
    CPosition *head = AddLine(*srp, POS_HEAD_CAMPAIGN, QStringLiteral("1110010"));
    head->PriceCalcFlag = 1;
    head->AwText1 = QStringLiteral("Ölwechsel <Motor>");
    head->AwText3 = QStringLiteral("& Filter");
    SetLinePrice(head->Preise1, 100.0, 118.995);
    CPosition *work = AddLine(*srp, POS_WORK, QStringLiteral("1110010"), QStringLiteral("S"),
                              QStringLiteral("1"));
    work->IsLeadLabour = 1;
    CPosition *oil = AddLine(*srp, POS_PART, QStringLiteral("9X4115561H  "), QStringLiteral("S"),
                             QStringLiteral("4,5"));
    oil->TeileText = QStringLiteral("Öl \"5W30\"");
    AddLine(*srp, POS_PART, QStringLiteral("9X0000001"), QStringLiteral("X"), QStringLiteral("1"));
    AddLine(*srp, POS_PART, QStringLiteral("9X4129620A"), QStringLiteral("O"), QStringLiteral("1"))
        ->Selected = 0;
    AddPackage(basket, WK_SRP, std::move(srp));

    AddPosition(basket, POS_BASKET_LABOUR, QStringLiteral("2120000"), CPosition::AzMarker());
    AddPosition(basket, POS_FINDING, QStringLiteral("8700010"));

    // Priced from its lines ("D"): the flat form, its sub-package a
    // position of its own.
    auto grp = SmallPackage(QStringLiteral("5550010"));
    grp->GetKopf()->Preise1.TotalsComplete = 1;
    grp->GetKopf()->Preise1.PackageNet = 200.0;
    grp->GetKopf()->Preise1.PackageGross = 238.0;
    CPosition *sub = AddLine(*grp, POS_SUBPACKAGE, QStringLiteral("5550020"));
    sub->SubPackage = SmallPackage(QStringLiteral("5550020"));
    AddPackage(basket, WK_GRP, std::move(grp));

    // A rebate campaign: its rebate text is kept with leading zeros.
    auto campaign = SmallPackage(QStringLiteral("7770010"));
    CPosition *cHead = campaign->GetKopf();
    cHead->Campaign[CPosition::CampaignNumber] = QStringLiteral("K-1");
    cHead->Campaign[CPosition::CampaignPriceType] = QStringLiteral("R");
    cHead->Campaign[CPosition::CampaignFixedPrice] = QStringLiteral("0010");
    AddPackage(basket, WK_CAMPAIGN, std::move(campaign));
}

QString Answer(const QString &method, const QString &children,
               const QString &version = QStringLiteral("01.05.00"))
{
    return QStringLiteral("<s:Envelope xmlns:s=\"http://schemas.xmlsoap.org/soap/envelope/\">"
                          "<s:Body><%1Response refSchema=\"serviceRepairPackages.xsd\" "
                          "version=\"%2\">%3</%1Response></s:Body></s:Envelope>")
        .arg(method, version, children);
}

QString Confirm(const QString &word = QStringLiteral("true"))
{
    return QStringLiteral("<confirmTransmission>%1</confirmTransmission>").arg(word);
}

QString Exception(const QString &name)
{
    return QStringLiteral("<exception name=\"%1\"><exceptionInfo>info %1</exceptionInfo>"
                          "</exception>")
        .arg(name);
}

// A package of the entry kind given, priced by hand (calc 1: the nested
// form) or from its lines (calc 0: the flat form with V117): a fast-lane
// head with prices and totals in sets 1 and 2, the lead work position with
// campaign fields of its own, a work position that is not the lead, parts
// of every kind, a sub-package with a lead work position, a findings line.
std::unique_ptr<CPaket> ServicePackage(int calc)
{
    auto paket = std::make_unique<CPaket>();
    CPosition *head = AddLine(*paket, POS_HEAD_CAMPAIGN, QStringLiteral("1110010"));
    head->PriceCalcFlag = calc;
    head->IsFastlane = 1;
    head->IsValueLine = 1;
    for (CPriceSet *set : {&head->Preise1, &head->Preise2}) {
        SetLinePrice(*set, 100.0, 119.0);
        set->TotalsComplete = 1;
        set->PackageNet = 300.0;
        set->PackageGross = 357.0;
    }
    head->Preise2.Net = 110.0;
    head->Preise2.PackageNet = 330.0;
    CPosition *lead = CampaignLine(*paket, POS_WORK, QStringLiteral("1110010"), QStringLiteral("S"),
                                   QStringLiteral("O"), QStringLiteral("0"));
    lead->IsLeadLabour = 1;
    SetLinePrice(lead->Preise1, 50.0, 59.5);
    lead->Preise1.FlatPrice = 1;
    SetLinePrice(lead->Preise2, 55.0, 65.45);
    SetLinePrice(lead->Preise3, 45.0, 53.55);
    AddLine(*paket, POS_WORK, QStringLiteral("1110020"), QStringLiteral("S"), QStringLiteral("1"));
    CPosition *part =
        AddLine(*paket, POS_PART, QStringLiteral("9X1"), QStringLiteral("S"), QStringLiteral("2"));
    part->StockKnown = 1;
    part->Stock = 2.5;
    part->ErsetztDurchNummer = QStringLiteral("9X1A");
    part->ErsetztDurchBeschr = QStringLiteral("Nachfolger");
    part->ErsetztDurchText = QStringLiteral("Filter neu");
    AddLine(*paket, POS_PART, QStringLiteral("9X2"), QStringLiteral("A"), QStringLiteral("1"));
    AddLine(*paket, POS_PART, QStringLiteral("9X3"), QStringLiteral("B"), QStringLiteral("1"));
    AddLine(*paket, POS_PART, QStringLiteral("9X4"), QStringLiteral("O"), QStringLiteral("1"))
        ->StockKnown = 0;
    CPosition *subLine = AddLine(*paket, POS_SUBPACKAGE, QStringLiteral("1110030"));
    subLine->SubPackage = std::make_unique<CPaket>();
    AddLine(*subLine->SubPackage, POS_HEAD_CAMPAIGN, QStringLiteral("1110030"));
    AddLine(*subLine->SubPackage, POS_WORK, QStringLiteral("1110040"), QStringLiteral("S"),
            QStringLiteral("1"))
        ->IsLeadLabour = 1;
    AddLine(*paket, POS_FINDINGS, QStringLiteral("8700010"))->BefundText =
        QStringLiteral("Kratzer");
    return paket;
}

// A care-and-cosmetic package of flat rates ("YY"): the head of the type
// given, its first work position and one after it.
std::unique_ptr<CPaket> FlatRatePackage(int headType)
{
    auto paket = std::make_unique<CPaket>();
    CPosition *head = AddLine(*paket, headType, QStringLiteral("6610010"));
    head->AwText1 = QStringLiteral("Pflege");
    head->KlammerText1 = QStringLiteral("innen");
    CPosition *work = AddLine(*paket, POS_WORK, QStringLiteral("6610020"), QStringLiteral("S"),
                              QStringLiteral("2"));
    work->HG = QStringLiteral("YY");
    AddLine(*paket, POS_WORK, QStringLiteral("6610030"), QStringLiteral("S"), QStringLiteral("1"));
    return paket;
}

// The basket of a row: "SRP", "GRP", "CCP", "SIP", "VLP" (a service
// package priced by hand), the same with ":D" (priced from its lines),
// "MKP2:<price type>", "MKP3:<price type>" (campaign entries), "YY:<head
// type>", "AP:<paint stage>" (a labour position 9900010 with its paint
// stage and surface).
void FillRowBasket(CWKList &basket, const QString &fixture)
{
    const QString name = fixture.section(QLatin1Char(':'), 0, 0);
    const QString arg = fixture.section(QLatin1Char(':'), 1);
    static const QHash<QString, int> kinds{
        {"SRP", WK_SRP}, {"GRP", WK_GRP}, {"CCP", WK_CCP}, {"SIP", WK_SIP}, {"VLP", WK_VLP}};
    if (kinds.contains(name)) {
        AddPackage(basket, kinds.value(name), ServicePackage(arg == QLatin1String("D") ? 0 : 1));
    } else if (name.startsWith(QLatin1String("MKP"))) {
        AddPackage(basket, name == QLatin1String("MKP2") ? WK_CAMPAIGN : WK_CAMPAIGN_LR,
                   CampaignPackage(arg));
    } else if (name == QLatin1String("YY")) {
        AddPackage(basket, WK_CCP, FlatRatePackage(arg.toInt()));
    } else if (name == QLatin1String("AP") || name == QLatin1String("APL")) {
        auto line = std::make_unique<CPosition>();
        line->Type = POS_BASKET_LABOUR;
        line->Number = QStringLiteral("9900010");
        line->Quantity = QStringLiteral("3");
        line->Lackstufe = arg;
        line->IsLeadLabour = name == QLatin1String("APL");
        line->Flaeche = QStringLiteral("1,5");
        basket.Add(CWKListItem(std::move(line)), 1);
    }
}

} // namespace

class TestBasketTransfer : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void fullBasket();
    void recordedRequest_data();
    void recordedRequest();
    void wholeBody();
    void bodyElements_data();
    void bodyElements();
    void vehicleInfoBody_data();
    void vehicleInfoBody();
    void unknownVin_data();
    void unknownVin();
    void vehicleInfoNamesTheProductionDate_data();
    void vehicleInfoNamesTheProductionDate();
    void answers_data();
    void answers();
    void unreachableDms_data();
    void unreachableDms();
    void cancelledTransferKeepsTheBasket();
    void callerModesHandTheBasketToTheClipboard_data();
    void callerModesHandTheBasketToTheClipboard();
    void roads_data();
    void roads();
    void headPriceCurrency_data();
    void headPriceCurrency();

private:
    TestEnv m_env;
    QString m_recorded; // the request of fullBasket as the stand-in got it
};

void TestBasketTransfer::initTestCase()
{
    InitOrmelText(QStringLiteral(YAQ_DEMO_DATAS_DIR) + QStringLiteral("/Zirava/PrgTxt"));
}

void TestBasketTransfer::fullBasket()
{
    StandInDms dms;
    QVERIFY(dms.listen(QHostAddress::LocalHost, 0));
    CPrgSettings s = Settings();
    s.SendXMLServer = QStringLiteral("127.0.0.1:%1/").arg(dms.port());
    CWKList basket;
    FillFullBasket(basket);
    Notices notes;
    CSoapReqSender sender(&s);
    CDmsClient client(&s, &sender);
    CBasketTransfer transfer(client, &notes, nullptr);
    const CTransferResult out = transfer.Transfer(basket, Order());

    QCOMPARE(out.result, 1);
    QCOMPARE(Ids(notes.texts), QStringLiteral("4048 / 70718700010"));
    // Only the finding, which the road cannot carry, stays.
    QCOMPARE(basket.GetCount(), 1);
    QCOMPARE(basket.GetAt(0)->Number(), QStringLiteral("8700010"));
    QCOMPARE(out.removed, 4);
    // The order went out with it: the basket's owner forgets it.
    QVERIFY(basket.TakeOrderSent());
    QCOMPARE(s.bDmsExchangeDone, 1);
    QCOMPARE(dms.transfers().received.size(), 1);
    m_recorded = dms.transfers().received.at(0);
}

void TestBasketTransfer::recordedRequest_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expected");
    // clang-format off
    QTest::newRow("vin prefix") << "vin/@vinLongPrefix" << "XVQ1F23A57";
    QTest::newRow("vin short") << "vin/@vinShort" << "M012345";
    QTest::newRow("order number escaped") << "orderNumber" << "A<1>&2";
    QTest::newRow("srp origin") << "position[1]/package/@PackageOrigin" << "S";
    QTest::newRow("srp type") << "position[1]/package/@PackageType" << "SRP";
    QTest::newRow("srp calc") << "position[1]/package/@priceCalc" << "M";
    QTest::newRow("srp fastlane") << "position[1]/package/@isFastlane" << "false";
    QTest::newRow("srp number") << "position[1]/package/number" << "111001017A010";
    QTest::newRow("srp designation") << "position[1]/package/designation" << "Ölwechsel <Motor> & Filter";
    QTest::newRow("srp price currency") << "position[1]/package/price/@currency" << "EUR";
    QTest::newRow("srp net") << "position[1]/package/price/netPrice" << "100.00";
    QTest::newRow("srp gross rounds up") << "position[1]/package/price/grossPrice" << "119.00";
    QTest::newRow("srp vat") << "position[1]/package/price/valueAddedTax" << "19.00";
    QTest::newRow("srp inclusive") << "position[1]/package/price/flagInclusivePrice" << "false";
    QTest::newRow("work number") << "position[1]/package/flatRates/number" << "1110010";
    QTest::newRow("work lead") << "position[1]/package/flatRates/isLeadLabour" << "true";
    QTest::newRow("work value") << "position[1]/package/flatRates/value" << "1";
    QTest::newRow("part type") << "position[1]/package/parts[1]/@type" << "standard";
    QTest::newRow("part number trimmed") << "position[1]/package/parts[1]/number" << "9X4115561H";
    QTest::newRow("part designation") << "position[1]/package/parts[1]/designation" << "Öl \"5W30\"";
    QTest::newRow("part quantity") << "position[1]/package/parts[1]/quantity" << "4,5";
    QTest::newRow("odd kind as standard") << "position[1]/package/parts[2]/@type" << "standard";
    QTest::newRow("unselected part left out") << "position[1]/package/parts[3]/number" << "<none>";
    QTest::newRow("settlement code") << "position[1]/settlementCode" << "S1";
    QTest::newRow("job number") << "position[1]/jobNumber" << "J1";
    QTest::newRow("labour position") << "position[2]/flatRate/number" << "2120000";
    QTest::newRow("labour by time") << "position[2]/flatRate/workTimeFlag" << "true";
    QTest::newRow("grp origin") << "position[3]/package/@PackageOrigin" << "G";
    QTest::newRow("grp calc") << "position[3]/package/@priceCalc" << "D";
    QTest::newRow("grp totals") << "position[3]/package/price/netPrice" << "200.00";
    QTest::newRow("sub-package own position") << "position[4]/package/number" << "555002017A010";
    QTest::newRow("sub-package work") << "position[4]/package/flatRates/number" << "5550020";
    QTest::newRow("campaign origin") << "position[5]/package/@PackageOrigin" << "C";
    QTest::newRow("campaign number") << "position[5]/package/campaignInformation/@number" << "K-1";
    QTest::newRow("campaign rebate") << "position[5]/package/campaignInformation/PackageRebate" << "10";
    QTest::newRow("line rebate") << "position[5]/package/flatRates/rebate" << "10";
    QTest::newRow("finding not sent") << "position[6]/package/number" << "<none>";
    QTest::newRow("terminal id") << "terminalID" << "T&1";
    QTest::newRow("offer") << "flagIsOffer" << "true";
    // clang-format on
}

void TestBasketTransfer::recordedRequest()
{
    QFETCH(QString, path);
    QFETCH(QString, expected);
    if (m_recorded.isEmpty())
        QSKIP("fullBasket brought no request");
    QCOMPARE(XmlAt(XmlMessage(m_recorded), path), expected);
}

void TestBasketTransfer::wholeBody()
{
    // A package priced by hand (the nested form) with a work position and a
    // part, a labour position charged by time, and a finding the road does
    // not carry. Prices at 0 % VAT still name their rate.
    CPrgSettings s = Settings();
    s.SendXMLTerminalID = QStringLiteral("T1");
    CWKList basket;
    auto srp = std::make_unique<CPaket>();
    CPosition *head = AddLine(*srp, POS_HEAD_CAMPAIGN, QStringLiteral("1110010"));
    head->PriceCalcFlag = 1;
    head->AwText1 = QStringLiteral("Inspektion");
    SetLinePrice(head->Preise1, 150.0, 150.0);
    head->Preise1.Vat = 0.0;
    CPosition *work = AddLine(*srp, POS_WORK, QStringLiteral("1110010"), QStringLiteral("S"),
                              QStringLiteral("2"));
    work->IsLeadLabour = 1;
    work->AwText1 = QStringLiteral("Motor");
    work->AwText2 = QStringLiteral("pruefen");
    work->KlammerText1 = QStringLiteral("mit Probefahrt");
    SetLinePrice(work->Preise1, 100.0, 100.0);
    work->Preise1.Vat = 0.0;
    SetLinePrice(work->Preise2, 120.0, 142.8);
    work->Preise2.Vat = -1.0;
    CPosition *part = AddLine(*srp, POS_PART, QStringLiteral("9X4115561H"), QStringLiteral("S"),
                              QStringLiteral("1"));
    part->TeileText = QStringLiteral("Filter");
    part->StockKnown = 1;
    part->Stock = 3.0;
    SetLinePrice(part->Preise1, 50.0, 59.5);
    part->ErsetztDurchNummer = QStringLiteral("9X4115561J");
    AddPackage(basket, WK_SRP, std::move(srp));
    AddPosition(basket, POS_BASKET_LABOUR, QStringLiteral("2120000"), CPosition::AzMarker());
    AddPosition(basket, POS_FINDING, QStringLiteral("8700010"));
    CTransferOrder order;
    order.orderNumber = QStringLiteral("A-1");
    order.settlementCode = QStringLiteral("S1");
    order.offer = false;

    const QString body = CTransferRequest(s, order).Build(basket, DmsHeaderVersion(s));
    // clang-format off
    const QString golden = QStringLiteral(
        "<transferYAQPositions xmlns=\"http://dms.yaq2.example/SRP\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" refSchema=\"serviceRepairPackages.xsd\" version=\"01.05.00\">"
        "<vin vinLongPrefix=\"XVQ1F23A57\" vinShort=\"M012345\"/><orderNumber>A-1</orderNumber>"
        "<position><package productType=\"car\" PackageOrigin=\"S\" PackageType=\"SRP\" priceCalc=\"M\" isFastlane=\"false\">"
        "<number>111001017A010</number><designation>Inspektion</designation>"
        "<price currency=\"EUR\"><netPrice>150.00</netPrice><grossPrice>150.00</grossPrice><valueAddedTax>0.00</valueAddedTax><flagInclusivePrice>false</flagInclusivePrice></price>"
        "<flatRates productType=\"car\"><number>1110010</number><isLeadLabour>true</isLeadLabour>"
        "<designation>Motor pruefen</designation><additionalInformation>mit Probefahrt</additionalInformation>"
        "<price currency=\"EUR\"><netPrice>100.00</netPrice><grossPrice>100.00</grossPrice><valueAddedTax>0.00</valueAddedTax><flagInclusivePrice>false</flagInclusivePrice></price>"
        "<customerPrice currency=\"EUR\"><netPrice>100.00</netPrice><grossPrice>100.00</grossPrice><valueAddedTax>0.00</valueAddedTax><flagInclusivePrice>false</flagInclusivePrice></customerPrice>"
        "<standardPrice currency=\"EUR\"><netPrice>120.00</netPrice><grossPrice>142.80</grossPrice><flagInclusivePrice>false</flagInclusivePrice></standardPrice>"
        "<value>2</value></flatRates>"
        "<parts type=\"standard\"><number>9X4115561H</number><designation>Filter</designation><quantity>1</quantity><stock>3.000</stock>"
        "<price currency=\"EUR\"><netPrice>50.00</netPrice><grossPrice>59.50</grossPrice><valueAddedTax>19.00</valueAddedTax><flagInclusivePrice>false</flagInclusivePrice></price>"
        "<customerPrice currency=\"EUR\"><netPrice>50.00</netPrice><grossPrice>59.50</grossPrice><valueAddedTax>19.00</valueAddedTax><flagInclusivePrice>false</flagInclusivePrice></customerPrice>"
        "<replacedBy>9X4115561J</replacedBy></parts>"
        "</package><settlementCode>S1</settlementCode></position>"
        "<position><flatRate productType=\"car\"><number>2120000</number><isLeadLabour>false</isLeadLabour><workTimeFlag>true</workTimeFlag></flatRate>"
        "<settlementCode>S1</settlementCode></position>"
        "<terminalID>T1</terminalID><flagIsOffer>false</flagIsOffer></transferYAQPositions>");
    // clang-format on
    QCOMPARE(body, golden);
}

void TestBasketTransfer::bodyElements_data()
{
    // Row: the interface options ("x" XMLx, "15" V115, "17" V117; "old"
    // the schema version 01.00.05, "bare" no order data and no terminal),
    // the basket (FillRowBasket), a path into the body -> its text.
    QTest::addColumn<QString>("options");
    QTest::addColumn<QString>("basket");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expected");
    const QString pkg = QStringLiteral("position/package/");
    const QString fr = pkg + QStringLiteral("flatRates");
    const QString part = pkg + QStringLiteral("parts");
    const QString ci = pkg + QStringLiteral("campaignInformation/");
    // clang-format off
    QTest::newRow("origin: service repair")          << "x 15 17"     << "SRP"     << pkg + "@PackageOrigin"   << "S";
    QTest::newRow("origin: warranty")                << "x 15 17"     << "GRP"     << pkg + "@PackageOrigin"   << "G";
    QTest::newRow("origin: spot repair")             << "x 15 17"     << "CCP"     << pkg + "@PackageOrigin"   << "Q";
    QTest::newRow("origin: inclusive service")       << "x 15 17"     << "SIP"     << pkg + "@PackageOrigin"   << "I";
    QTest::newRow("origin: value line")              << "x 15 17"     << "VLP"     << pkg + "@PackageOrigin"   << "V";
    QTest::newRow("origin: campaign")                << "x 15 17"     << "MKP2:R"  << pkg + "@PackageOrigin"   << "C";
    QTest::newRow("origin: campaign L/R")            << "x 15 17"     << "MKP3:R"  << pkg + "@PackageOrigin"   << "C";
    QTest::newRow("type: warranty")                  << "x 15 17"     << "GRP"     << pkg + "@PackageType"     << "GRP";
    QTest::newRow("type: spot repair")               << "x 15 17"     << "CCP"     << pkg + "@PackageType"     << "CCP";
    QTest::newRow("type: inclusive service")         << "x 15 17"     << "SIP"     << pkg + "@PackageType"     << "SIP";
    QTest::newRow("type: value line")                << "x 15 17"     << "VLP"     << pkg + "@PackageType"     << "VLP";
    QTest::newRow("type: campaign")                  << "x 15 17"     << "MKP3:R"  << pkg + "@PackageType"     << "MKP";
    QTest::newRow("type: not without V117")          << "x 15"        << "SRP"     << pkg + "@PackageType"     << "<none>";
    QTest::newRow("calc: by hand")                   << "x 15 17"     << "SRP"     << pkg + "@priceCalc"       << "M";
    QTest::newRow("calc: from the lines")            << "x 15 17"     << "SRP:D"   << pkg + "@priceCalc"       << "D";
    QTest::newRow("calc: campaign")                  << "x 15 17"     << "MKP2:R"  << pkg + "@priceCalc"       << "C";
    QTest::newRow("calc: spot repair")               << "x 15 17"     << "CCP"     << pkg + "@priceCalc"       << "R";
    QTest::newRow("fast lane")                       << "x 15 17"     << "SRP"     << pkg + "@isFastlane"      << "true";
    QTest::newRow("value line: campaign")            << "x 15 17"     << "MKP2:R"  << pkg + "@isValueLine"     << "true";
    QTest::newRow("value line: not for a service")   << "x 15 17"     << "SRP"     << pkg + "@isValueLine"     << "<none>";
    QTest::newRow("value line: not without V117")    << "x 15"        << "MKP2:R"  << pkg + "@isValueLine"     << "<none>";
    QTest::newRow("attributes: not in 01.00.05")     << "x 15 17 old" << "SRP"     << pkg + "@priceCalc"       << "<none>";
    QTest::newRow("attributes: not without XMLx")    << "15 17"       << "SRP"     << pkg + "@PackageOrigin"   << "<none>";
    QTest::newRow("head: standard price")            << "x 15 17"     << "SRP"     << pkg + "standardPrice/netPrice" << "110.00";
    QTest::newRow("head flat: price of the totals")  << "x 15 17"     << "SRP:D"   << pkg + "price/netPrice"  << "300.00";
    QTest::newRow("head flat: standard totals")      << "x 15 17"     << "SRP:D"   << pkg + "standardPrice/netPrice" << "330.00";
    QTest::newRow("head without XMLx: price")        << "15 17"       << "SRP"     << pkg + "price/netPrice"  << "100.00";
    QTest::newRow("head without XMLx: no standard")  << "15 17"       << "SRP"     << pkg + "standardPrice/netPrice" << "<none>";
    QTest::newRow("campaign: package number")        << "x 15 17"     << "MKP2:R"  << ci + "@campaignPackageNumber" << "KP-2";
    QTest::newRow("campaign: name trimmed")          << "x 15 17"     << "MKP2:R"  << ci + "campaignName"    << "Fruehjahr";
    QTest::newRow("campaign: no name, the number")   << "x 15 17"     << "MKP2:CL" << ci + "campaignName"    << "K-1";
    QTest::newRow("campaign: package name, number")  << "x 15 17"     << "MKP2:R"  << ci + "campaignPackageName" << "KP-2";
    QTest::newRow("campaign: price type")            << "x 15 17"     << "MKP3:R"  << ci + "campaignPriceType" << "R";
    QTest::newRow("campaign: no type without V117")  << "x 15"        << "MKP2:R"  << ci + "campaignPriceType" << "<none>";
    QTest::newRow("campaign: package gross")         << "x 15 17"     << "MKP2:R"  << ci + "PackageGrossPrice" << "107.10";
    QTest::newRow("campaign: package net")           << "x 15 17"     << "MKP2:R"  << ci + "PackageNetPrice" << "90.00";
    QTest::newRow("campaign: no rebate for CR")      << "x 15 17"     << "MKP2:CR" << ci + "PackageRebate"   << "<none>";
    QTest::newRow("campaign: labour rebate")         << "x 15 17"     << "MKP2:CR" << ci + "labourRebate"    << "15";
    QTest::newRow("campaign: parts rebate")          << "x 15 17"     << "MKP2:CR" << ci + "partsRebate"     << "20";
    QTest::newRow("campaign: oil rebate")            << "x 15 17"     << "MKP2:CR" << ci + "oilRebate"       << "25";
    QTest::newRow("campaign: CR rebates need V117")  << "x 15"        << "MKP2:CR" << ci + "labourRebate"    << "<none>";
    QTest::newRow("campaign: none for a service")    << "x 15 17"     << "SRP"     << ci + "@number"         << "<none>";
    QTest::newRow("lead: top level")                 << "x 15 17"     << "SRP"     << fr + "[1]/isLeadLabour" << "true";
    QTest::newRow("lead: not the lead")              << "x 15 17"     << "SRP"     << fr + "[2]/isLeadLabour" << "false";
    QTest::newRow("lead: inside a sub-package")      << "x 15 17"     << "SRP"     << fr + "[3]/isLeadLabour" << "false";
    QTest::newRow("lead: campaign sub-package")      << "x 15 17"     << "MKP2:R"  << fr + "[5]/isLeadLabour" << "false";
    QTest::newRow("lead: campaign top level")        << "x 15 17"     << "MKP2:R"  << fr + "[1]/isLeadLabour" << "true";
    QTest::newRow("lead: flat sub-package position") << "x 15 17"     << "SRP:D"   << "position[2]/package/flatRates/isLeadLabour" << "true";
    QTest::newRow("lead: not without V117")          << "x 15"        << "SRP"     << fr + "[1]/isLeadLabour" << "<none>";
    QTest::newRow("nested: sub-package inline")      << "x 15 17"     << "SRP"     << fr + "#"               << "3";
    QTest::newRow("flat: sub-package apart")         << "x 15 17"     << "SRP:D"   << fr + "#"               << "2";
    QTest::newRow("flat: sub-package head")          << "x 15 17"     << "SRP:D"   << "position[2]/package/number" << "111003017A010";
    QTest::newRow("flat: sub-package order tail")    << "x 15 17"     << "SRP:D"   << "position[2]/jobNumber" << "J1";
    QTest::newRow("line not chosen: left out")       << "x 15 17"     << "MKP2:R"  << fr + "#"               << "5";
    QTest::newRow("optional: chosen by the dealer")  << "x 15 17"     << "MKP2:R"  << fr + "[1]/dealerOptional" << "true";
    QTest::newRow("alternative: fixed")              << "x 15 17"     << "MKP2:R"  << fr + "[2]/dealerOptional" << "false";
    QTest::newRow("optional, other operability")     << "x 15 17"     << "MKP2:R"  << fr + "[3]/dealerOptional" << "<none>";
    QTest::newRow("standard campaign work")          << "x 15 17"     << "MKP2:R"  << fr + "[4]/dealerOptional" << "<none>";
    QTest::newRow("optional in a sub-package")       << "x 15 17"     << "MKP2:R"  << fr + "[5]/dealerOptional" << "true";
    QTest::newRow("optional, campaign L/R")          << "x 15 17"     << "MKP3:R"  << fr + "[2]/dealerOptional" << "false";
    QTest::newRow("optional: not without V117")      << "x 15"        << "MKP2:R"  << fr + "[1]/dealerOptional" << "<none>";
    QTest::newRow("optional: not without campaign")  << "x 15 17"     << "SRP"     << fr + "[1]/dealerOptional" << "<none>";
    QTest::newRow("optional part: fixed")            << "x 15 17"     << "MKP2:R"  << part + "[1]/dealerOptional" << "false";
    QTest::newRow("alternative part: chosen")        << "x 15 17"     << "MKP2:R"  << part + "[2]/dealerOptional" << "true";
    QTest::newRow("standard campaign part")          << "x 15 17"     << "MKP2:R"  << part + "[3]/dealerOptional" << "<none>";
    QTest::newRow("work: fixed price CL")            << "x 15 17"     << "MKP2:CL" << fr + "[1]/fixedPrice"  << "49.90";
    QTest::newRow("work: fixed price, none given")   << "x 15 17"     << "MKP2:CL" << fr + "[2]/fixedPrice"  << "";
    QTest::newRow("work: no fixed price for R")      << "x 15 17"     << "MKP2:R"  << fr + "[1]/fixedPrice"  << "<none>";
    QTest::newRow("work: labour rebate CR")          << "x 15 17"     << "MKP2:CR" << fr + "[1]/rebate"      << "15";
    QTest::newRow("work: no rebate for L")           << "x 15 17"     << "MKP2:L"  << fr + "[1]/rebate"      << "<none>";
    QTest::newRow("work: campaign price")            << "x 15 17"     << "MKP2:R"  << fr + "[1]/campaignPrice/netPrice" << "40.00";
    QTest::newRow("work: no campaign price w/o V117") << "x 15"       << "SRP"     << fr + "[1]/campaignPrice/netPrice" << "<none>";
    QTest::newRow("work: price")                     << "x 15"        << "SRP"     << fr + "[1]/price/grossPrice" << "59.50";
    QTest::newRow("work: inclusive price")           << "x 15 17"     << "SRP"     << fr + "[1]/price/flagInclusivePrice" << "true";
    QTest::newRow("work: customer price")            << "x 15 17"     << "SRP"     << fr + "[1]/customerPrice/netPrice" << "50.00";
    QTest::newRow("work: no customer price w/o V117") << "x 15"       << "SRP"     << fr + "[1]/customerPrice/netPrice" << "<none>";
    QTest::newRow("work: standard price")            << "x 15 17"     << "SRP"     << fr + "[1]/standardPrice/grossPrice" << "65.45";
    QTest::newRow("work: no standard price w/o XMLx") << "15 17"      << "SRP"     << fr + "[1]/standardPrice/grossPrice" << "<none>";
    QTest::newRow("work: no paint stage")            << "x 15 17"     << "SRP"     << fr + "[1]/paintStage"  << "<none>";
    QTest::newRow("paint stage: none")               << "x 15 17"     << "AP:"     << "position/flatRate/paintStage" << "ohne";
    QTest::newRow("paint stage 1")                   << "x 15 17"     << "AP:1"    << "position/flatRate/paintStage" << "Lackstufe1";
    QTest::newRow("paint stage 2")                   << "x 15 17"     << "AP:2"    << "position/flatRate/paintStage" << "Lackstufe2";
    QTest::newRow("paint stage 3")                   << "x 15 17"     << "AP:3"    << "position/flatRate/paintStage" << "Lackstufe3";
    QTest::newRow("paint stage unknown: empty")      << "x 15 17"     << "AP:4"    << "position/flatRate/paintStage" << "";
    QTest::newRow("surface area")                    << "x 15 17"     << "AP:1"    << "position/flatRate/surfaceArea" << "1,5";
    QTest::newRow("labour position: value")          << "x 15 17"     << "AP:1"    << "position/flatRate/value" << "3";
    QTest::newRow("labour position: lead")           << "x 15 17"     << "APL:1"   << "position/flatRate/isLeadLabour" << "true";
    QTest::newRow("labour position: not lead")       << "x 15 17"     << "AP:1"    << "position/flatRate/isLeadLabour" << "false";
    QTest::newRow("part: fixed price CL")            << "x 15 17"     << "MKP2:CL" << part + "[1]/fixedPrice" << "12.50";
    QTest::newRow("part: parts rebate CR")           << "x 15 17"     << "MKP2:CR" << part + "[1]/rebate"     << "20";
    QTest::newRow("part: oil rebate CR")             << "x 15 17"     << "MKP2:CR" << part + "[2]/rebate"     << "25";
    QTest::newRow("part: no rebate, other category") << "x 15 17"     << "MKP2:CR" << part + "[3]/rebate"     << "<none>";
    QTest::newRow("part: package rebate R")          << "x 15 17"     << "MKP3:R"  << part + "[3]/rebate"     << "10";
    QTest::newRow("part: alternative A")             << "x 15 17"     << "SRP"     << part + "[2]/@type"      << "alternative";
    QTest::newRow("part: alternative B")             << "x 15 17"     << "SRP"     << part + "[3]/@type"      << "alternative";
    QTest::newRow("part: optional")                  << "x 15 17"     << "SRP"     << part + "[4]/@type"      << "optional";
    QTest::newRow("part: stock")                     << "x 15 17"     << "SRP"     << part + "[1]/stock"      << "2.500";
    QTest::newRow("part: stock not known")           << "x 15 17"     << "SRP"     << part + "[4]/stock"      << "<none>";
    QTest::newRow("part: replacement reason")        << "x 15 17"     << "SRP"     << part + "[1]/replacementDescription" << "Nachfolger";
    QTest::newRow("part: replacement designation")   << "x 15 17"     << "SRP"     << part + "[1]/replacementDesignation" << "Filter neu";
    QTest::newRow("findings line")                   << "x 15 17"     << "SRP"     << pkg + "defectInformation/defect/number" << "8700010";
    QTest::newRow("findings line: text")             << "x 15 17"     << "MKP2:R"  << pkg + "defectInformation/defect/text" << "Kratzer";
    QTest::newRow("findings line: not without XMLx") << "15 17"       << "SRP"     << pkg + "defectInformation/defect/number" << "<none>";
    QTest::newRow("flat-rate package: one")          << "x 15 17"     << "YY:9"    << fr + "#"               << "1";
    QTest::newRow("flat-rate package: head number")  << "x 15 17"     << "YY:9"    << fr + "/number"         << "6610010";
    QTest::newRow("flat-rate package: lead")         << "x 15 17"     << "YY:9"    << fr + "/isLeadLabour"   << "true";
    QTest::newRow("flat-rate package: no lead w/o V117") << "x 15"    << "YY:9"    << fr + "/isLeadLabour"   << "<none>";
    QTest::newRow("flat-rate package: by time")      << "x 15 17"     << "YY:9"    << fr + "/workTimeFlag"   << "true";
    QTest::newRow("flat-rate package: no value")     << "x 15 17"     << "YY:9"    << fr + "/value"          << "<none>";
    QTest::newRow("flat-rate package: head texts")   << "x 15 17"     << "YY:9"    << fr + "/additionalInformation" << "innen";
    QTest::newRow("flat-rate package: head 18")      << "x 15 17"     << "YY:18"   << fr + "/number"         << "<none>";
    QTest::newRow("offer flag: not without XMLx")    << "15 17"       << "SRP"     << "flagIsOffer"          << "<none>";
    QTest::newRow("no terminal")                     << "x 15 17 bare" << "SRP"    << "terminalID"           << "<none>";
    QTest::newRow("no order number")                 << "x 15 17 bare" << "SRP"    << "orderNumber"          << "<none>";
    QTest::newRow("no settlement code")              << "x 15 17 bare" << "SRP"    << "position/settlementCode" << "<none>";
    QTest::newRow("no job number")                   << "x 15 17 bare" << "SRP"    << "position/jobNumber"   << "<none>";
    // clang-format on
}

// Each element of "transferYAQPositions" by the rule that writes it.
void TestBasketTransfer::bodyElements()
{
    QFETCH(QString, options);
    QFETCH(QString, basket);
    QFETCH(QString, path);
    const QStringList o = options.split(QLatin1Char(' '));
    CPrgSettings s = Settings();
    s.XMLx = o.contains(QLatin1String("x"));
    s.V115 = o.contains(QLatin1String("15"));
    s.V117 = o.contains(QLatin1String("17"));
    CTransferOrder order = Order();
    if (o.contains(QLatin1String("bare"))) {
        order = CTransferOrder();
        s.SendXMLTerminalID.clear();
    }
    const QString version =
        o.contains(QLatin1String("old")) ? QStringLiteral("01.00.05") : DmsSchemaVersion(s);
    CWKList entries;
    FillRowBasket(entries, basket);
    const QString body = CTransferRequest(s, order).Build(entries, version);
    QTEST(XmlAt(XmlMessage(body), path), "expected");
}

void TestBasketTransfer::vehicleInfoBody_data()
{
    // Row: a two-wheeler, the type key, the terminal id, a path -> its text.
    QTest::addColumn<bool>("twoWheeler");
    QTest::addColumn<QString>("typeKey");
    QTest::addColumn<QString>("terminal");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expected");
    // clang-format off
    QTest::newRow("vin prefix")            << false << "7A01" << "T1" << "vin/@vinLongPrefix" << "XVQ1F23A57";
    QTest::newRow("vin short")             << false << "7A01" << "T1" << "vin/@vinShort"      << "M012345";
    QTest::newRow("car")                   << false << "7A01" << "T1" << "product"            << "PKW";
    QTest::newRow("two-wheeler")           << true  << "7A01" << "T1" << "product"            << "KORVADIN";
    QTest::newRow("model code")            << false << "7A01" << "T1" << "modelCode"          << "7A01";
    QTest::newRow("model code, empty")     << false << ""     << "T1" << "modelCode"          << "";
    QTest::newRow("lead model code")       << false << "7A01" << "T1" << "leadModelCode"      << "7A0";
    QTest::newRow("model designation")     << false << "7A01" << "T1" << "modelDecription"    << "Demo <Kombi>";
    QTest::newRow("model series")          << false << "7A01" << "T1" << "eSeries"            << "V30";
    QTest::newRow("terminal")              << false << "7A01" << "T1" << "terminalID"         << "T1";
    QTest::newRow("no terminal")           << false << "7A01" << ""   << "terminalID"         << "<none>";
    QTest::newRow("order of the children") << false << "7A01" << "T1" << "*"                  << "vin product modelCode productionDate leadModelCode modelDecription eSeries terminalID";
    // clang-format on
}

// Each element of "transferVehicleInfo" (the production date is the
// vehicle's, which the window hands in).
void TestBasketTransfer::vehicleInfoBody()
{
    QFETCH(bool, twoWheeler);
    QFETCH(QString, path);
    CPrgSettings s = Settings();
    QFETCH(QString, typeKey);
    QFETCH(QString, terminal);
    s.TypSchl = typeKey;
    s.SendXMLTerminalID = terminal;
    s.EReihe = QStringLiteral("V30");
    CTransferOrder order = Order();
    order.twoWheeler = twoWheeler;
    const QDomElement root =
        XmlMessage(CTransferRequest(s, order).BuildVehicleInfo(DmsSchemaVersion(s)));
    QCOMPARE(root.tagName(), QStringLiteral("transferVehicleInfo"));
    if (path == QLatin1String("*")) {
        QStringList names;
        for (QDomElement e = root.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
            names << e.tagName();
        QTEST(names.join(QLatin1Char(' ')), "expected");
        return;
    }
    QTEST(XmlAt(root, path), "expected");
}

void TestBasketTransfer::unknownVin_data()
{
    QTest::addColumn<int>("xmlx");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QString>("methods"); // what the DMS received
    QTest::addColumn<QString>("messages");
    QTest::addColumn<int>("asked");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("form"); // DmsMessageForm of the stand-in
    const QString shown =
        QStringLiteral("TransferYAQPositionsResponse / exception: UnknownVIN / exceptionInfo: Das "
                       "DMS hat kein Fahrzeug mit der Fahrgestellnummer \"%1\".")
            .arg(kUnknownVin);
    // clang-format off
    QTest::newRow("created, sent again") << 1 << true << "transferYAQPositions,transferVehicleInfo,transferYAQPositions" << "6073|4048" << 1 << 0 << int(DmsMessageForm::Plain);
    QTest::newRow("not created") << 1 << false << "transferYAQPositions" << "4049" << 1 << 1 << int(DmsMessageForm::Plain);
    QTest::newRow("without XMLx: shown, nothing asked or created") << 0 << true << "transferYAQPositions" << shown + "|4049" << 0 << 1 << int(DmsMessageForm::Plain);
    QTest::newRow("prefixed answers: created, sent again") << 1 << true << "transferYAQPositions,transferVehicleInfo,transferYAQPositions" << "6073|4048" << 1 << 0 << int(DmsMessageForm::Prefixed);
    QTest::newRow("prefixed answers: shown, nothing asked or created") << 0 << true << "transferYAQPositions" << shown + "|4049" << 0 << 1 << int(DmsMessageForm::Prefixed);
    // clang-format on
}

void TestBasketTransfer::unknownVin()
{
    QFETCH(int, xmlx);
    QFETCH(bool, yes);
    QFETCH(QString, methods);
    QFETCH(QString, messages);
    QFETCH(int, left);
    QFETCH(int, form);
    QSet<QString> unknown;
    QString error;
    QVERIFY2(LoadDmsVinList(QStringLiteral(YAQ_DMS_UNKNOWN_VINS), &unknown, &error),
             qPrintable(error));
    QVERIFY(unknown.contains(kUnknownVin));
    StandInDms dms;
    dms.setUnknownVins(unknown);
    dms.setForm(DmsMessageForm(form));
    QVERIFY(dms.listen(QHostAddress::LocalHost, 0));
    CPrgSettings s = Settings(kUnknownVin);
    s.SendXMLServer = QStringLiteral("http://127.0.0.1:%1").arg(dms.port());
    s.XMLx = xmlx;
    UpdateDmsHeader(&s);
    CWKList basket;
    AddPosition(basket, POS_BASKET_LABOUR, QStringLiteral("2120000"), QStringLiteral("1"));
    Notices notes;
    Question question;
    question.yes = yes;
    CSoapReqSender sender(&s);
    CDmsClient client(&s, &sender);
    CBasketTransfer transfer(client, &notes, &question);
    const CTransferResult out = transfer.Transfer(basket, Order());

    QStringList received;
    for (const QString &body : dms.transfers().received)
        received << XmlLocalName(XmlMessage(body));
    QCOMPARE(received.join(QLatin1Char(',')), methods);
    QCOMPARE(Ids(notes.texts), messages);
    QTEST(question.asked, "asked");
    QCOMPARE(basket.GetCount(), left);
    const bool created = methods.contains(QLatin1String("transferVehicleInfo"));
    QCOMPARE(out.vehicleCreated, created);
    QCOMPARE(dms.transfers().unknownVins.contains(kUnknownVin), !created);
    if (created) {
        const QDomElement info = XmlMessage(dms.transfers().received.at(1));
        QCOMPARE(XmlAt(info, QStringLiteral("vin/@vinShort")), QStringLiteral("7T012345").right(7));
        QCOMPARE(XmlAt(info, QStringLiteral("product")), QStringLiteral("PKW"));
        QCOMPARE(XmlAt(info, QStringLiteral("modelCode")), QStringLiteral("7A01"));
        QCOMPARE(XmlAt(info, QStringLiteral("productionDate")), QStringLiteral("20120415"));
        QCOMPARE(XmlAt(info, QStringLiteral("modelDecription")), QStringLiteral("Demo <Kombi>"));
    }
}

void TestBasketTransfer::vehicleInfoNamesTheProductionDate_data()
{
    QTest::addColumn<QString>("firstRegistration");
    QTest::addColumn<QString>("productionDate");
    // clang-format off
    QTest::newRow("first registration stands for it") << "09.03.2016" << "20160309";
    QTest::newRow("none known: empty, not made up")   << ""           << "";
    // clang-format on
}

void TestBasketTransfer::vehicleInfoNamesTheProductionDate()
{
    QFETCH(QString, firstRegistration);
    CPrgSettings s = Settings();
    s.Erstzulassung = firstRegistration;
    const QString body = CTransferRequest(s, Order()).BuildVehicleInfo(s.SchemaVersion);
    QTEST(XmlAt(XmlMessage(body), QStringLiteral("productionDate")), "productionDate");
}

void TestBasketTransfer::answers_data()
{
    QTest::addColumn<QString>("vin");
    QTest::addColumn<QString>("answer"); // to transferYAQPositions
    QTest::addColumn<QString>("messages");
    QTest::addColumn<int>("calls");
    QTest::addColumn<int>("left"); // of a labour position and a finding
    const QString m = QStringLiteral("transferYAQPositions");
    const QString kept = QStringLiteral(" / 70718700010");
    // clang-format off
    QTest::newRow("confirmed") << kVin << Answer(m, Confirm()) << "4048" + kept << 1 << 1;
    QTest::newRow("confirmed, any case") << kVin << Answer(m, Confirm("TrUe")) << "4048" + kept << 1 << 1;
    QTest::newRow("confirmed as 1") << kVin << Answer(m, Confirm("1")) << "4048" + kept << 1 << 1;
    QTest::newRow("confirmed, blanks around true") << kVin << Answer(m, Confirm("\n    true\n  ")) << "4048" + kept << 1 << 1;
    QTest::newRow("0 confirms nothing") << kVin << Answer(m, Confirm("0")) << "4049" + kept << 1 << 2;
    QTest::newRow("other word") << kVin << Answer(m, Confirm("no")) << "4049" + kept << 1 << 2;
    QTest::newRow("known exception") << kVin << Answer(m, Exception("GeneralApplicationError")) << XMLErrMsg("GeneralApplicationError") + "|4049" + kept << 1 << 2;
    QTest::newRow("other exception") << kVin << Answer(m, Exception("Busy")) << "TransferYAQPositionsResponse / exception: Busy / exceptionInfo: info Busy|4049" + kept << 1 << 2;
    QTest::newRow("nothing known") << kVin << Answer(m, "<other/>") << "TransferYAQPositionsResponse / XMLNotValid!(1)|4049" + kept << 1 << 2;
    QTest::newRow("soap fault") << kVin << "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body><soap:Fault><faultcode>soap:Server</faultcode><faultstring>Auftrag gesperrt</faultstring></soap:Fault></soap:Body></soap:Envelope>" << "7072Auftrag gesperrt|4049" + kept << 1 << 2;
    QTest::newRow("prefixed response") << kVin << "<e:Envelope xmlns:e=\"http://schemas.xmlsoap.org/soap/envelope/\"><e:Body><d:transferYAQPositionsResponse xmlns:d=\"urn:dms\" refSchema=\"serviceRepairPackages.xsd\" version=\"01.05.00\"><d:confirmTransmission>true</d:confirmTransmission></d:transferYAQPositionsResponse></e:Body></e:Envelope>" << "4048" + kept << 1 << 1;
    QTest::newRow("not xml") << kVin << "Internal Server Error" << "5055|4049" + kept << 1 << 2;
    QTest::newRow("wrong method") << kVin << Answer("requestVIN", Confirm()) << "5054|4049" + kept << 1 << 2;
    QTest::newRow("wrong version") << kVin << Answer(m, Confirm(), "01.00.05") << "5053|4049" + kept << 1 << 2;
    QTest::newRow("no answer: may be booked") << kVin << "" << "5050|4049 / 7131" + kept << 1 << 2;
    QTest::newRow("confirmed and unknown vin") << kVin << Answer(m, Exception("UnknownVIN") + Confirm()) << "4048" + kept << 2 << 1;
    QTest::newRow("vin of 16") << kVin.left(16) << Answer(m, Confirm()) << "7070|4049" + kept << 0 << 2;
    QTest::newRow("vin with blanks") << " " + kVin + " " << Answer(m, Confirm()) << "4048" + kept << 1 << 1;
    // clang-format on
}

void TestBasketTransfer::answers()
{
    QFETCH(QString, vin);
    QFETCH(QString, answer);
    QFETCH(QString, messages);
    QFETCH(int, calls);
    QFETCH(int, left);
    CPrgSettings s = Settings(vin);
    CWKList basket;
    AddPosition(basket, POS_BASKET_LABOUR, QStringLiteral("2120000"), QStringLiteral("1"));
    AddPosition(basket, POS_FINDING, QStringLiteral("8700010"));
    Sender sender;
    sender.answers.insert(QStringLiteral("transferYAQPositions"), answer);
    sender.answers.insert(QStringLiteral("transferVehicleInfo"),
                          Answer(QStringLiteral("transferVehicleInfo"), Confirm()));
    Notices notes;
    Question question;
    CDmsClient client(&s, &sender);
    CBasketTransfer(client, &notes, &question).Transfer(basket, Order());
    QCOMPARE(Ids(notes.texts), messages);
    QCOMPARE(sender.methods.size(), calls);
    QCOMPARE(basket.GetCount(), left);
}

void TestBasketTransfer::unreachableDms_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("reason"); // part of the notice
    // clang-format off
    QTest::newRow("connection refused")       << "127.0.0.1"   << "hat die Verbindung abgelehnt.";
    QTest::newRow("server name not resolved") << "dms.invalid" << "dms.invalid";
    // clang-format on
}

void TestBasketTransfer::unreachableDms()
{
    QFETCH(QString, host);
    QFETCH(QString, reason);
    // A port that was free a moment ago: nobody answers there.
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
    const quint16 port = probe.serverPort();
    probe.close();
    CPrgSettings s = Settings();
    s.SendXMLServer = QStringLiteral("http://%1:%2/").arg(host).arg(port);
    CWKList basket;
    FillFullBasket(basket);
    Notices notes;
    CSoapReqSender sender(&s);
    CDmsClient client(&s, &sender);
    const CTransferResult out = CBasketTransfer(client, &notes, nullptr).Transfer(basket, Order());
    QCOMPARE(out.result, 0);
    // The notice names why no answer came; nothing left this computer, so
    // the DMS cannot have booked it (no 7131).
    const QString ids = Ids(notes.texts);
    QVERIFY2(ids.startsWith(QLatin1String("5050 / ")) && ids.contains(reason), qPrintable(ids));
    QVERIFY2(ids.endsWith(QLatin1String("|4049 / 70718700010")), qPrintable(ids));
    QCOMPARE(basket.GetCount(), 5);
    QVERIFY(!basket.TakeOrderSent());
}

void TestBasketTransfer::headPriceCurrency_data()
{
    QTest::addColumn<int>("byHand");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expected");
    // clang-format off
    QTest::newRow("priced by hand: price") << 1 << "position/package/price/@currency" << "EUR";
    QTest::newRow("priced by hand: standard price") << 1 << "position/package/standardPrice/@currency" << "EUR";
    QTest::newRow("priced by hand: the price typed") << 1 << "position/package/price/grossPrice" << "100.00";
    QTest::newRow("priced by hand, net unset: no price") << 2 << "position/package/price/grossPrice" << "<none>";
    QTest::newRow("priced by hand, gross unset: no price") << 3 << "position/package/price/netPrice" << "<none>";
    QTest::newRow("priced from its lines: price") << 0 << "position/package/price/@currency" << "EUR";
    QTest::newRow("priced from its lines: standard price") << 0 << "position/package/standardPrice/@currency" << "EUR";
    // clang-format on
}

void TestBasketTransfer::headPriceCurrency()
{
    // The head's sums as the package's roll-up leaves them: the currency of
    // its lines is the currency of the sums.
    QFETCH(int, byHand);
    QFETCH(QString, path);
    QFETCH(QString, expected);
    CPrgSettings s = Settings();
    s.SRPInterfaceReq = 4;
    auto srp = std::make_unique<CPaket>();
    CPosition *head = AddLine(*srp, POS_HEAD_CAMPAIGN, QStringLiteral("1110010"));
    CPosition *work = AddLine(*srp, POS_WORK, QStringLiteral("1110010"), QStringLiteral("S"),
                              QStringLiteral("2"));
    SetLinePrice(work->Preise1, 100.0, 119.0);
    SetLinePrice(work->Preise2, 120.0, 142.8);
    srp->CalcPrices1(&s);
    srp->CalcPrices2(&s);
    if (byHand) {
        // 2: its net unset, 3: its gross unset.
        head->Preise1.Gross = byHand == 3 ? kPriceNotSet : 100.0;
        head->Preise1.Net = byHand == 2 ? kPriceNotSet : 84.03;
        head->PriceCalcFlag = 1;
    }
    CWKList basket;
    AddPackage(basket, WK_SRP, std::move(srp));
    const QString body = CTransferRequest(s, Order()).Build(basket, DmsHeaderVersion(s));
    QCOMPARE(XmlAt(XmlMessage(body), path), expected);
}

void TestBasketTransfer::roads_data()
{
    QTest::addColumn<int>("sendMode");
    QTest::addColumn<int>("xmlx");
    QTest::addColumn<int>("v115");
    QTest::addColumn<QString>("entries"); // SRP, MKP, VLP, BF (finding)
    QTest::addColumn<int>("destination"); // of the text export: 3 file, 5 clipboard
    QTest::addColumn<int>("format");      // of the text export
    QTest::addColumn<int>("training");
    QTest::addColumn<int>("exported"); // what the text export answers; -1: no export road
    QTest::addColumn<QString>("messages");
    QTest::addColumn<QString>("road");
    QTest::addColumn<int>("calls");
    QTest::addColumn<int>("left");
    // clang-format off
    QTest::newRow("campaign without XMLx")      << 4 << 0 << 0 << "MKP"    << 5 << 6 << 0 << -1 << "4052 / 70717770010" << "(via  XML)" << 0 << 1;
    QTest::newRow("value line, V115 off")       << 4 << 1 << 0 << "VLP"    << 5 << 6 << 0 << -1 << "4052 / 70716660010" << "(via XMLx)" << 0 << 1;
    QTest::newRow("value line, V115 on")        << 4 << 1 << 1 << "VLP"    << 5 << 6 << 0 << -1 << "4048"               << "(via XMLx)" << 1 << 0;
    QTest::newRow("value line over plain XML")  << 4 << 0 << 0 << "VLP"    << 5 << 6 << 0 << -1 << "4048"               << "(via  XML)" << 1 << 0;
    QTest::newRow("campaign over XMLx")         << 4 << 1 << 0 << "MKP"    << 5 << 6 << 0 << -1 << "4048"               << "(via XMLx)" << 1 << 0;
    QTest::newRow("findings only")              << 4 << 1 << 1 << "BF"     << 5 << 6 << 0 << -1 << "4052 / 70718700010" << "(via XMLx)" << 0 << 1;
    QTest::newRow("package and finding")        << 4 << 1 << 1 << "SRP,BF" << 5 << 6 << 0 << -1 << "4048 / 70718700010" << "(via XMLx)" << 1 << 1;
    QTest::newRow("package over plain XML")     << 4 << 0 << 0 << "SRP"    << 5 << 6 << 0 << -1 << "4048"               << "(via  XML)" << 1 << 0;
    QTest::newRow("text export missing")        << 3 << 1 << 1 << "SRP"    << 5 << 6 << 0 << -1 << "7073|4070"          << "(via Windows-Zwischenablage: Text-Format)" << 0 << 1;
    QTest::newRow("file, text format")          << 3 << 1 << 1 << "SRP"    << 3 << 6 << 0 << 1  << "4069"               << "(via Datei: Text-Format)" << 0 << 0;
    QTest::newRow("file, system format")        << 3 << 1 << 1 << "BF"     << 3 << 7 << 0 << 1  << "4069"               << "(via Datei: System(Standard))" << 0 << 0;
    QTest::newRow("file, system format Italy")  << 3 << 1 << 1 << "SRP"    << 3 << 8 << 0 << 1  << "4069"               << "(via Datei: System(Italien))" << 0 << 0;
    QTest::newRow("file, unknown format")       << 3 << 1 << 1 << "SRP"    << 3 << 9 << 0 << 1  << "4069"               << "(via Datei)" << 0 << 0;
    QTest::newRow("file, nothing written")      << 3 << 1 << 1 << "SRP"    << 3 << 6 << 0 << 0  << "4070"               << "(via Datei: Text-Format)" << 0 << 1;
    QTest::newRow("file, nothing to export")    << 3 << 1 << 1 << ""       << 3 << 6 << 0 << 0  << "4071"               << "(via Datei: Text-Format)" << 0 << 0;
    QTest::newRow("file, a campaign alone")     << 3 << 1 << 0 << "MKP"    << 3 << 6 << 0 << 1  << "4069"               << "(via Datei: Text-Format)" << 0 << 0;
    QTest::newRow("file, a value line alone")   << 3 << 1 << 0 << "VLP"    << 3 << 6 << 0 << 1  << "4069"               << "(via Datei: Text-Format)" << 0 << 0;
    QTest::newRow("clipboard, written: silent") << 3 << 1 << 1 << "SRP"    << 5 << 7 << 0 << 1  << ""                   << "" << 0 << 0;
    QTest::newRow("clipboard, nothing written") << 3 << 1 << 1 << "SRP"    << 5 << 8 << 0 << 0  << "4070"               << "(via Windows-Zwischenablage: System(Italien))" << 0 << 1;
    QTest::newRow("clipboard, nothing to export") << 3 << 1 << 1 << ""     << 5 << 6 << 0 << 0  << "4071"               << "(via Windows-Zwischenablage: Text-Format)" << 0 << 0;
    QTest::newRow("other destination: silent")  << 3 << 1 << 1 << "SRP"    << 4 << 6 << 0 << 1  << ""                   << "" << 0 << 0;
    QTest::newRow("training export, XMLx")      << 3 << 1 << 1 << "SRP"    << 3 << 6 << 1 << 1  << "4048"               << "(via XMLx)" << 0 << 0;
    QTest::newRow("training export, plain XML") << 3 << 0 << 0 << "BF"     << 5 << 6 << 1 << 1  << "4052"               << "(via  XML)" << 0 << 0;
    QTest::newRow("no transfer")                << 0 << 1 << 1 << "SRP"    << 5 << 6 << 0 << -1 << ""                   << "" << 0 << 1;
    // clang-format on
}

void TestBasketTransfer::roads()
{
    QFETCH(int, sendMode);
    QFETCH(int, xmlx);
    QFETCH(int, v115);
    QFETCH(QString, entries);
    QFETCH(int, exported);
    QFETCH(QString, messages);
    QFETCH(int, calls);
    QFETCH(int, left);
    CPrgSettings s = Settings();
    s.SRPInterfaceSend = sendMode;
    s.XMLx = xmlx;
    s.V115 = v115;
    QFETCH(int, destination);
    QFETCH(int, format);
    QFETCH(int, training);
    s.SRPInterfaceSendDatei = destination;
    s.SRPInterfaceSendDateiFormat = format;
    s.bSchulung = training;
    UpdateDmsHeader(&s);
    CWKList basket;
    for (const QString &entry : entries.split(QLatin1Char(','))) {
        if (entry == QLatin1String("BF"))
            AddPosition(basket, POS_FINDING, QStringLiteral("8700010"));
        else if (entry == QLatin1String("SRP"))
            AddPackage(basket, WK_SRP, SmallPackage(QStringLiteral("1110010")));
        else if (entry == QLatin1String("MKP"))
            AddPackage(basket, WK_CAMPAIGN, SmallPackage(QStringLiteral("7770010")));
        else if (entry == QLatin1String("VLP"))
            AddPackage(basket, WK_VLP, SmallPackage(QStringLiteral("6660010")));
    }
    Sender sender;
    sender.answers.insert(
        QStringLiteral("transferYAQPositions"),
        Answer(QStringLiteral("transferYAQPositions"), Confirm(), DmsHeaderVersion(s)));
    Notices notes;
    CDmsClient client(&s, &sender);
    CBasketTransfer transfer(client, &notes, nullptr);
    if (exported >= 0)
        transfer.SetTextExportRoad([exported](const CWKList &) { return exported; });
    transfer.Transfer(basket, Order());
    QCOMPARE(Ids(notes.texts), messages);
    QTEST(Roads(notes.texts), "road");
    QCOMPARE(sender.methods.size(), calls);
    QCOMPARE(basket.GetCount(), left);
}

// A transfer the adviser gives up while it waits keeps the basket and its
// order and sends nothing more, whatever the DMS answered; it tells only
// that the DMS may have booked it already.
void TestBasketTransfer::cancelledTransferKeepsTheBasket()
{
    CPrgSettings s = Settings();
    CWKList basket;
    FillFullBasket(basket);
    Sender sender;
    sender.answers.insert(
        QStringLiteral("transferYAQPositions"),
        Answer(QStringLiteral("transferYAQPositions"), Confirm(), DmsHeaderVersion(s)));
    CancellingWait wait;
    CDmsClient client(&s, &sender, &wait);
    Notices notes;
    const CTransferResult out = CBasketTransfer(client, &notes, nullptr).Transfer(basket, Order());
    QVERIFY(out.cancelled);
    QCOMPARE(out.result, 0);
    QCOMPARE(sender.methods.size(), 1);
    QCOMPARE(basket.GetCount(), 5);
    QVERIFY(!basket.TakeOrderSent());
    QCOMPARE(Ids(notes.texts), QStringLiteral("7131"));
}

void TestBasketTransfer::callerModesHandTheBasketToTheClipboard_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("filled");
    QTest::addColumn<int>("told");
    QTest::addColumn<int>("checked");
    // clang-format off
    QTest::newRow("qvl with a basket")                  << "qvl"          << true  << 1 << 0;
    QTest::newRow("qvl with an empty basket")           << "qvl"          << false << 0 << 0;
    QTest::newRow("qvledit")                            << "qvledit"      << true  << 1 << 0;
    QTest::newRow("qvlaposquery asks for the position") << "qvlaposquery" << false << 1 << 1;
    // clang-format on
}

// The caller modes never reach the DMS: the basket goes to the clipboard as
// it is and the program closes. Here the test has no clipboard (no
// graphical session), which the adviser is told, instead of a missing road.
void TestBasketTransfer::callerModesHandTheBasketToTheClipboard()
{
    QFETCH(QString, mode);
    QFETCH(bool, filled);
    QFETCH(int, told);
    QFETCH(int, checked);
    CPrgSettings s = Settings();
    s.bQvl = mode == QLatin1String("qvl");
    s.bQvlEdit = mode == QLatin1String("qvledit");
    s.bQvlAPosQuery = mode == QLatin1String("qvlaposquery");
    s.AktApNr = QStringLiteral("2120000");
    CWKList basket;
    if (filled)
        AddPackage(basket, WK_SRP, SmallPackage(QStringLiteral("1110010")));
    Sender sender;
    CDmsClient client(&s, &sender);
    Notices notes;
    CBasketTransfer transfer(client, &notes, nullptr);
    QStringList asked;
    transfer.SetLabourValueCheck([&asked](const QString &apNr) {
        asked << apNr;
        return 1;
    });
    const CTransferResult out = transfer.Transfer(basket, Order());
    QCOMPARE(out.road, TransferRoad::BasketList);
    QVERIFY(out.closeProgram);
    QCOMPARE(sender.methods.size(), 0);
    QCOMPARE(basket.GetCount(), filled ? 1 : 0);
    QCOMPARE(notes.texts, QStringList(told, OrmelText(4085)));
    QCOMPARE(asked, QStringList(checked, s.AktApNr));
}

YAQ_TEST_GUILESS_MAIN(TestBasketTransfer)
#include "tst_baskettransfer.moc"
