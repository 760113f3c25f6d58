// Unit prices from a DMS answer (price elements, matching of parts and flat
// rates) and from the dealer's local price files.

#include "packages/model/DmsPriceData.h"
#include "packages/model/Paket.h"
#include "platform/OrmelText.h"
#include "platform/ccd/CDIPRec.h"
#include "platform/ccd/CETPriceRec.h"
#include "platform/ccd/CHGPriceRec.h"
#include "platform/ccd/CLagerRec.h"
#include "platform/ccd/CPauschalRec.h"
#include "platform/ccd/CRabattRec.h"
#include "settings/PrgSettings.h"
#include "support/TestEnv.h"

#include <QDomDocument>
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

// Keeps the notices the package gives instead of showing them.
struct NoticeLog : IPaketNotice
{
    void Notice(const QString &text) override { texts << text; }
    QStringList texts;
};

CPriceTypeData Price(const QString &net, const QString &currency = QStringLiteral("EUR"))
{
    CPriceTypeData price;
    price.currency = currency;
    price.netPrice = net;
    price.valueAddedTax = QStringLiteral("19");
    price.bCurrency = price.bNetPrice = price.bValueAddedTax = 1;
    return price;
}

} // namespace

class TestPriceSources : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void readPriceAttributes();
    void partMatching_data();
    void partMatching();
    void partPricesAndStock();
    void partInNestedPackage();
    void flatRateMatching_data();
    void flatRateMatching();
    void localLookupSimple();
    void localLookupFull();
    void unreadableFilePrice_data();
    void unreadableFilePrice();
    void unreadableDmsPrice_data();
    void unreadableDmsPrice();

private:
    static void writePriceFiles(const QString &folder);
    TestEnv m_env;
    QString m_folder;
};

void TestPriceSources::initTestCase()
{
    InitOrmelText(QStringLiteral(YAQ_DEMO_DATAS_DIR) + QStringLiteral("/Zirava/PrgTxt"));
    m_folder = m_env.path() + QStringLiteral("/prices");
    writePriceFiles(m_folder);
}

void TestPriceSources::writePriceFiles(const QString &folder)
{
    const auto write = [&folder](const char *name, const char *text) {
        QVERIFY(writeTextFile(folder + QLatin1Char('/') + QLatin1String(name), QByteArray(text)));
    };
    write("HGPrice.dat", "HG\tPreis\tMwSt\n12\t8.50\t19\n34\t10\t19\n");
    write("ETPrice.dat", "TeileNr\tBezeichnung\tPreis\tMwSt\nA0001112223\tFilter\t20.00\t19\n"
                         "A0001114445\tSchraube\t2.00\t19\n");
    write("DIP_00.dat", "TeileNr\tErsetztDurchNr\tErsetztDurchText\tPreis\tMwSt\n"
                        "A0009998887\tH-77\tHaendlerfilter\t15.00\t19\n");
    write("Lager.dat", "TeileNr\tBestand\nA0001112223\t7\nH-77\t3\n");
    write("Pauschal.dat", "Schluessel\tPreis\tMwSt\nP7654321\t199.00\t19\nA3456789\t55.00\t19\n"
                          "TA0001114445\t1.50\t19\n");
    write("Rabatt.dat", "FgstNr\tRabattTeile\tRabattAW\nXVQ1F23A57M012345\t90\t80\n");
}

void TestPriceSources::readPriceAttributes()
{
    QDomDocument doc;
    QVERIFY(doc.setContent(QStringLiteral(
        "<customerPrice currency=\"EUR\"><netPrice>100.00</netPrice><grossPrice>119.00</grossPrice>"
        "<NetPrice>1</NetPrice><other>x</other><flagInclusivePrice>true</flagInclusivePrice>"
        "</customerPrice>")));
    CPriceTypeData price;
    price.valueAddedTax = QStringLiteral("stale");
    ReadPriceAttributes(doc.documentElement(), price);
    QCOMPARE(price.currency, QStringLiteral("EUR"));
    QCOMPARE(price.bCurrency, 1);
    QCOMPARE(price.netPrice, QStringLiteral("100.00")); // "NetPrice" is another element
    QCOMPARE(price.grossPrice, QStringLiteral("119.00"));
    QCOMPARE(price.flagInclusivePrice, QStringLiteral("true"));
    QCOMPARE(price.valueAddedTax, QString());
    QCOMPARE(price.bValueAddedTax, 0);
}

void TestPriceSources::partMatching_data()
{
    QTest::addColumn<QString>("answerType");
    QTest::addColumn<QString>("answerNumber");
    QTest::addColumn<QString>("lineKind");
    QTest::addColumn<int>("found");
    // clang-format off
    QTest::newRow("standard matches S")           << "standard"    << "4711"   << "S" << 1;
    QTest::newRow("alternative matches B")        << "alternative" << "4711"   << "B" << 1;
    QTest::newRow("alternative matches A")        << "alternative" << "4711  " << "A" << 1;
    QTest::newRow("optional does not match S")    << "optional"    << "4711"   << "S" << 0;
    QTest::newRow("other number")                 << "standard"    << "4712"   << "S" << 0;
    QTest::newRow("unknown type matches no kind") << "special"     << "4711"   << "S" << 0;
    // clang-format on
}

void TestPriceSources::partMatching()
{
    QFETCH(QString, answerType);
    QFETCH(QString, answerNumber);
    QFETCH(QString, lineKind);
    QFETCH(int, found);
    CPaket paket;
    CPosition *line = paket.AddPosition(Line(POS_PART, QStringLiteral("4711 "), lineKind));
    line->ResetPrices();
    CPartTypeData part;
    part.type = answerType;
    part.number = answerNumber;
    part.price = Price(QStringLiteral("12.50"));
    part.bPrice = 1;
    NoticeLog notices;
    QCOMPARE(paket.ApplyDmsPartsResponse(nullptr, part, &notices), found);
    QCOMPARE(line->Preise1.UnitNet, found ? 12.5 : -1.0);
    QCOMPARE(notices.texts.size(), found ? 0 : 1);
    if (!found)
        QVERIFY(notices.texts.last().contains(answerNumber + QStringLiteral(" (") + answerType +
                                              QLatin1Char(')')));
}

void TestPriceSources::partPricesAndStock()
{
    CPaket paket;
    CPosition *first =
        paket.AddPosition(Line(POS_PART, QStringLiteral("4711"), QStringLiteral("S")));
    CPosition *second =
        paket.AddPosition(Line(POS_PART, QStringLiteral("4711"), QStringLiteral("S")));
    first->ResetPrices();
    second->ResetPrices();
    CPartTypeData part;
    part.type = QStringLiteral("standard");
    part.number = QStringLiteral("4711");
    part.price = Price(QStringLiteral("1.00"));
    part.bPrice = 1;
    part.customerPrice = Price(QStringLiteral("9.00"), QStringLiteral("CHF"));
    part.bCustomerPrice = 1;
    part.standardPrice = Price(QStringLiteral("10.00"));
    part.bStandardPrice = 1;
    part.replacedBy = QStringLiteral("4712");
    // No "stock" element.
    QCOMPARE(paket.ApplyDmsPartsResponse(nullptr, part, nullptr), 1);
    for (CPosition *line : {first, second}) {
        QCOMPARE(line->Preise1.UnitNet, 9.0); // the customer price wins over "price"
        QCOMPARE(line->Preise1.TotalsCurrency, QStringLiteral("CHF"));
        QCOMPARE(line->Preise2.UnitNet, 10.0);
        QCOMPARE(line->Preise3.UnitNet, -1.0); // no campaign price
        QCOMPARE(line->Preise3.Currency, QString());
        QCOMPARE(line->StockKnown, 0);
        QCOMPARE(line->Stock, -1.0);
        QCOMPARE(line->ErsetztDurchNummer, QStringLiteral("4712"));
    }
    part.stock = QStringLiteral("4");
    part.bStock = 1;
    paket.ApplyDmsPartsResponse(nullptr, part, nullptr);
    QCOMPARE(first->Stock, 4.0);
    QCOMPARE(first->StockKnown, 1);
}

void TestPriceSources::partInNestedPackage()
{
    CPaket paket;
    paket.AddPosition(Line(POS_HEAD, QStringLiteral("H")));
    CPosition *sub = paket.AddPosition(Line(POS_SUBPACKAGE, QStringLiteral("S")));
    sub->SubPackage = std::make_unique<CPaket>();
    CPosition *nested =
        sub->SubPackage->AddPosition(Line(POS_PART, QStringLiteral("4711"), QStringLiteral("O")));
    CPartTypeData part;
    part.type = QStringLiteral("optional");
    part.number = QStringLiteral("4711");
    part.price = Price(QStringLiteral("3.00"));
    part.bPrice = 1;
    NoticeLog notices;
    QCOMPARE(paket.ApplyDmsPartsResponse(nullptr, part, &notices), 1);
    QCOMPARE(nested->Preise1.UnitNet, 3.0);
    QCOMPARE(notices.texts, QStringList());
}

void TestPriceSources::flatRateMatching_data()
{
    QTest::addColumn<QString>("productType");
    QTest::addColumn<QString>("number");
    QTest::addColumn<int>("found");
    QTest::addColumn<bool>("productTypeError");
    // clang-format off
    QTest::newRow("car work position")  << "car"  << "0012345 " << 1 << false;
    QTest::newRow("other product type") << "bike" << "0012345"  << 0 << true;
    QTest::newRow("unknown number")     << "car"  << "0099999"  << 0 << false;
    // clang-format on
}

void TestPriceSources::flatRateMatching()
{
    QFETCH(QString, productType);
    QFETCH(QString, number);
    QFETCH(int, found);
    QFETCH(bool, productTypeError);
    CPaket paket;
    CPosition *work =
        paket.AddPosition(Line(POS_WORK, QStringLiteral("0012345"), QStringLiteral("O")));
    work->ResetPrices();
    CFlatRateTypeData flatRate;
    flatRate.productType = productType;
    flatRate.number = number;
    flatRate.price = Price(QStringLiteral("40.00"));
    flatRate.bPrice = 1;
    flatRate.campaignPrice = Price(QStringLiteral("30.00"));
    flatRate.bCampaignPrice = 1;
    NoticeLog notices;
    QCOMPARE(paket.ApplyDmsWorkPosResponse(nullptr, flatRate, &notices), found);
    QCOMPARE(work->Preise1.UnitNet, found ? 40.0 : -1.0);
    QCOMPARE(work->Preise3.UnitNet, found ? 30.0 : -1.0);
    QCOMPARE(work->Preise3.TotalsCurrency, found ? QStringLiteral("EUR") : QString());
    QCOMPARE(notices.texts.size(), found ? 0 : 1);
    if (!found)
        QCOMPARE(notices.texts.last().contains(OrmelText(5057)), productTypeError);
}

void TestPriceSources::localLookupSimple()
{
    CHGPriceRec hg;
    CETPriceRec et;
    CDIPRec dip;
    QVERIFY(hg.Open(m_folder));
    QVERIFY(et.Open(m_folder));
    QVERIFY(dip.Open(m_folder, QStringLiteral("00")));

    CPaket paket;
    CPosition *head = paket.AddPosition(Line(POS_HEAD, QStringLiteral("7654321")));
    head->Preise1.FlatPrice = 1;
    CPosition *work =
        paket.AddPosition(Line(POS_WORK, QStringLiteral("1234567"), QStringLiteral("O")));
    work->Preise1.FlatPrice = 1;
    work->Selected = 1;
    CPosition *part =
        paket.AddPosition(Line(POS_PART, QStringLiteral("A0001112223"), QStringLiteral("S")));
    CPosition *dipPart =
        paket.AddPosition(Line(POS_PART, QStringLiteral("A0009998887XY"), QStringLiteral("S")));
    CPosition *unknown =
        paket.AddPosition(Line(POS_PART, QStringLiteral("B0000000000"), QStringLiteral("S")));
    CPosition *group = paket.AddPosition(Line(POS_GROUP, QStringLiteral("g"), QStringLiteral("O")));
    group->Preise1.UnitNet = 1.0;
    CPosition *sub = paket.AddPosition(Line(POS_SUBPACKAGE, QStringLiteral("S")));
    sub->SubPackage = std::make_unique<CPaket>();
    CPosition *nested = sub->SubPackage->AddPosition(
        Line(POS_WORK, QStringLiteral("3400000"), QStringLiteral("S")));

    paket.LookupHGPrices(nullptr, &hg, &et, &dip, nullptr, nullptr, nullptr, true);
    QCOMPARE(work->Preise1.UnitNet, 8.5); // main group "12"
    QCOMPARE(work->Preise1.Vat, 19.0);
    QCOMPARE(work->Preise1.FlatPrice, 0);
    QCOMPARE(work->Selected, 0); // the flat head re-applies the selection rule
    QCOMPARE(part->Preise1.UnitNet, 20.0);
    QCOMPARE(dipPart->Preise1.UnitNet, 15.0);
    QCOMPARE(dipPart->ErsetztDurchNummer, QStringLiteral("H-77"));
    QCOMPARE(dipPart->ErsetztDurchText, QStringLiteral("Haendlerfilter"));
    QCOMPARE(unknown->Preise1.UnitNet, -1.0);
    QCOMPARE(unknown->Preise1.NoPrice, 1);
    QCOMPARE(group->Preise1.UnitNet, 1.0); // group lines are not priced
    QCOMPARE(nested->Preise1.UnitNet, 10.0);
    QCOMPARE(head->Preise1.FlatPrice, 0); // the head was reset too

    // Without look-up the lines are only reset.
    part->Preise1.UnitNet = 99.0;
    paket.LookupHGPrices(nullptr, &hg, &et, &dip, nullptr, nullptr, nullptr, false);
    QCOMPARE(part->Preise1.UnitNet, -1.0);
}

void TestPriceSources::localLookupFull()
{
    CHGPriceRec hg;
    CETPriceRec et;
    CDIPRec dip;
    CLagerRec stock;
    CPauschalRec flat;
    CRabattRec discount;
    QVERIFY(hg.Open(m_folder));
    QVERIFY(et.Open(m_folder));
    QVERIFY(dip.Open(m_folder, QStringLiteral("00")));
    QVERIFY(stock.Open(m_folder));
    QVERIFY(flat.Open(m_folder));
    QVERIFY(discount.Open(m_folder));
    CPrgSettings settings;
    settings.FgstnrFull = QStringLiteral("XVQ1F23A57M012345");

    CPaket paket;
    CPosition *head = paket.AddPosition(Line(POS_HEAD_CAMPAIGN, QStringLiteral("7654321")));
    CPosition *flatWork =
        paket.AddPosition(Line(POS_WORK, QStringLiteral("3456789"), QStringLiteral("S")));
    CPosition *work =
        paket.AddPosition(Line(POS_WORK, QStringLiteral("1234567"), QStringLiteral("S")));
    CPosition *part =
        paket.AddPosition(Line(POS_PART, QStringLiteral("A0001112223"), QStringLiteral("S")));
    CPosition *flatPart =
        paket.AddPosition(Line(POS_PART, QStringLiteral("A0001114445"), QStringLiteral("S")));
    CPosition *dipPart =
        paket.AddPosition(Line(POS_PART, QStringLiteral("A0009998887"), QStringLiteral("S")));
    CPosition *unknown =
        paket.AddPosition(Line(POS_PART, QStringLiteral("B0000000123"), QStringLiteral("S")));

    paket.LookupPricesAndStock(&settings, &hg, &et, &dip, &stock, &flat, &discount, true);
    // The package's flat price goes into both sets.
    QCOMPARE(head->Preise2.UnitNet, 199.0);
    QCOMPARE(head->Preise2.FlatPrice, 1);
    QCOMPARE(head->Preise1.UnitNet, 199.0);
    QCOMPARE(head->Preise1.FlatPrice, 1);
    QCOMPARE(head->Preise1.Currency, QStringLiteral("EUR"));
    // Work positions: flat rate or labour price, 80 % charged in set 1.
    QCOMPARE(flatWork->Preise2.UnitNet, 55.0);
    QCOMPARE(flatWork->Preise1.UnitNet, 44.0);
    QCOMPARE(work->Preise2.UnitNet, 8.5);
    QCOMPARE(work->Preise1.UnitNet, 6.8);
    QCOMPARE(work->Preise1.Currency, QStringLiteral("EUR"));
    // Parts: price, stock and 90 % charged in set 1.
    QCOMPARE(part->Preise2.UnitNet, 20.0);
    QCOMPARE(part->Preise1.UnitNet, 18.0);
    QCOMPARE(part->Stock, 7.0);
    QCOMPARE(part->StockKnown, 1);
    QCOMPARE(flatPart->Preise2.UnitNet, 1.5);
    QCOMPARE(flatPart->Preise2.FlatPrice, 1);
    QCOMPARE(flatPart->Preise1.FlatPrice, 1);
    QCOMPARE(dipPart->Preise2.UnitNet, 15.0);
    QCOMPARE(dipPart->ErsetztDurchNummer, QStringLiteral("H-77"));
    QCOMPARE(dipPart->Stock, 3.0); // stock of the replacing part
    QCOMPARE(unknown->Preise2.UnitNet, -1.0);
    QCOMPARE(unknown->Preise1.UnitNet, -1.0);
    QCOMPARE(unknown->Stock, 6.0); // 1 + 2 + 3: the last three digits
    QCOMPARE(unknown->StockKnown, 1);

    // A vehicle without discount pays the full price.
    settings.FgstnrFull = QStringLiteral("OTHERVIN000000000");
    paket.LookupPricesAndStock(&settings, &hg, &et, &dip, &stock, &flat, &discount, true);
    QCOMPARE(part->Preise1.UnitNet, 20.0);
}

void TestPriceSources::unreadableFilePrice_data()
{
    // One price file replaced by the text given; the others as in
    // writePriceFiles. Vehicle discount: parts 90 %, labour 80 %.
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("number");
    QTest::addColumn<double>("simpleNet"); // set 1 of the simple look-up
    QTest::addColumn<double>("net2");
    QTest::addColumn<double>("vat2");
    QTest::addColumn<int>("flat2");
    QTest::addColumn<double>("net1");
    const QByteArray et = "TeileNr\tBezeichnung\tPreis\tMwSt\n";
    const QByteArray flat = "Schluessel\tPreis\tMwSt\n";
    // clang-format off
    QTest::newRow("part line holding only the key") << "ETPrice.dat" << et + "A0001112223\n" << 11 << "A0001112223" << -1.0 << -1.0 << -1.0 << 0 << -1.0;
    QTest::newRow("part price empty") << "ETPrice.dat" << et + "A0001112223\tFilter\t\t19\n" << 11 << "A0001112223" << -1.0 << -1.0 << -1.0 << 0 << -1.0;
    QTest::newRow("part price no number") << "ETPrice.dat" << et + "A0001112223\tFilter\tfrei\t19\n" << 11 << "A0001112223" << -1.0 << -1.0 << -1.0 << 0 << -1.0;
    QTest::newRow("part price with a currency") << "ETPrice.dat" << et + "A0001112223\tFilter\t20.00 EUR\t19\n" << 11 << "A0001112223" << -1.0 << -1.0 << -1.0 << 0 << -1.0;
    QTest::newRow("part price with decimal comma") << "ETPrice.dat" << et + "A0001112223\tFilter\t20,50\t19\n" << 11 << "A0001112223" << 20.5 << 20.5 << 19.0 << 0 << 18.45;
    QTest::newRow("part line without VAT rate") << "ETPrice.dat" << et + "A0001112223\tFilter\t20.00\n" << 11 << "A0001112223" << 20.0 << 20.0 << -1.0 << 0 << 18.0;
    QTest::newRow("labour line holding only the main group") << "HGPrice.dat" << QByteArray("HG\tPreis\tMwSt\n12\n") << 10 << "1234567" << -1.0 << -1.0 << -1.0 << 0 << -1.0;
    QTest::newRow("dealer part without price: the parts price") << "DIP_00.dat" << QByteArray("TeileNr\tErsetztDurchNr\tErsetztDurchText\tPreis\tMwSt\nA0001112223\tH-1\tTeil\t\t19\n") << 11 << "A0001112223" << 20.0 << 20.0 << 19.0 << 0 << 18.0;
    QTest::newRow("work flat rate without price: the labour price") << "Pauschal.dat" << flat + "A1234567\n" << 10 << "1234567" << 8.5 << 8.5 << 19.0 << 0 << 6.8;
    QTest::newRow("part flat rate without price: the parts price") << "Pauschal.dat" << flat + "TA0001112223\t\t19\n" << 11 << "A0001112223" << 20.0 << 20.0 << 19.0 << 0 << 18.0;
    QTest::newRow("package flat rate without price: no flat price") << "Pauschal.dat" << flat + "P7654321\n" << 9 << "7654321" << -1.0 << -1.0 << -1.0 << 0 << -1.0;
    QTest::newRow("discount line holding only the VIN: full price") << "Rabatt.dat" << QByteArray("FgstNr\tRabattTeile\tRabattAW\nXVQ1F23A57M012345\n") << 11 << "A0001112223" << 20.0 << 20.0 << 19.0 << 0 << 20.0;
    // clang-format on
}

void TestPriceSources::unreadableFilePrice()
{
    // A record without a readable price is as if it were not there; it never
    // prices a line at 0.00.
    QFETCH(QString, file);
    QFETCH(QByteArray, text);
    QFETCH(int, type);
    QFETCH(QString, number);
    QFETCH(double, simpleNet);
    QFETCH(double, net2);
    QFETCH(double, vat2);
    QFETCH(int, flat2);
    QFETCH(double, net1);
    QTemporaryDir dir;
    writePriceFiles(dir.path());
    QVERIFY(writeTextFile(dir.filePath(file), text));
    CHGPriceRec hg;
    CETPriceRec et;
    CDIPRec dip;
    CLagerRec stock;
    CPauschalRec flat;
    CRabattRec discount;
    QVERIFY(hg.Open(dir.path()) && et.Open(dir.path()) &&
            dip.Open(dir.path(), QStringLiteral("00")));
    QVERIFY(stock.Open(dir.path()) && flat.Open(dir.path()) && discount.Open(dir.path()));
    CPrgSettings settings;
    settings.FgstnrFull = QStringLiteral("XVQ1F23A57M012345");

    CPaket paket;
    CPosition *line = paket.AddPosition(Line(type, number, QStringLiteral("S")));
    paket.LookupHGPrices(&settings, &hg, &et, &dip, &stock, &flat, &discount, true);
    QCOMPARE(line->Preise1.UnitNet, simpleNet);
    paket.LookupPricesAndStock(&settings, &hg, &et, &dip, &stock, &flat, &discount, true);
    QCOMPARE(line->Preise2.UnitNet, net2);
    QCOMPARE(line->Preise2.Vat, vat2);
    QCOMPARE(line->Preise2.FlatPrice, flat2);
    QCOMPARE(line->Preise1.UnitNet, net1);
    if (type == POS_PART)
        QCOMPARE(line->ErsetztDurchNummer, QString());
}

void TestPriceSources::unreadableDmsPrice_data()
{
    QTest::addColumn<bool>("part"); // a part, else a flat rate of a work position
    QTest::addColumn<QString>("net");
    QTest::addColumn<bool>("silent");
    QTest::addColumn<double>("unitNet");
    QTest::addColumn<int>("messages");
    // clang-format off
    QTest::newRow("part with thousands separators")      << true  << "1.234,56" << false << -1.0    << 1;
    QTest::newRow("part with exponent")                  << true  << "1e15"     << false << -1.0    << 1;
    QTest::newRow("part with decimal comma")             << true  << "1234,56"  << false << 1234.56 << 0;
    QTest::newRow("silent answer reports nothing")       << true  << "1.234,56" << true  << -1.0    << 0;
    QTest::newRow("work with thousands separators")      << false << "1,234.56" << false << -1.0    << 1;
    // clang-format on
}

void TestPriceSources::unreadableDmsPrice()
{
    // A price text that is not plainly a number is no price, and the adviser
    // is told which text of which answer line was not taken.
    QFETCH(bool, part);
    QFETCH(QString, net);
    QFETCH(bool, silent);
    QFETCH(double, unitNet);
    QFETCH(int, messages);
    CPaket paket;
    const QString number = part ? QStringLiteral("4711") : QStringLiteral("0012345");
    CPosition *line =
        paket.AddPosition(Line(part ? POS_PART : POS_WORK, number, QStringLiteral("S")));
    line->ResetPrices();
    NoticeLog notices;
    IPaketNotice *notice = silent ? nullptr : &notices;
    if (part) {
        CPartTypeData data;
        data.type = QStringLiteral("standard");
        data.number = number;
        data.price = Price(net);
        data.bPrice = 1;
        QCOMPARE(paket.ApplyDmsPartsResponse(nullptr, data, notice), 1);
    } else {
        CFlatRateTypeData data;
        data.productType = QStringLiteral("car");
        data.number = number;
        data.price = Price(net);
        data.bPrice = 1;
        QCOMPARE(paket.ApplyDmsWorkPosResponse(nullptr, data, notice), 1);
    }
    QCOMPARE(line->Preise1.UnitNet, unitNet);
    QCOMPARE(notices.texts.size(), messages);
    if (messages) {
        QVERIFY(notices.texts.last().contains(number));
        QVERIFY(notices.texts.last().contains(net));
    }
}

YAQ_TEST_GUILESS_MAIN(TestPriceSources)
#include "tst_pricesources.moc"
