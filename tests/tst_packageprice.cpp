// Package prices without the page: the dealer's price files, the roll-up's
// currency checks, the "requestPackageInfo" body, the handling of its answer
// (only an accepted answer changes the package), and one request to the
// stand-in DMS.

#include "dms/DmsClient.h"
#include "dms/SoapReqSender.h"
#include "packages/model/Paket.h"
#include "packages/model/SpotRepairLine.h"
#include "packages/pricing/LocalPackagePrices.h"
#include "packages/pricing/PackagePriceExchange.h"
#include "packages/pricing/PackagePriceRequest.h"
#include "packages/pricing/PackagePriceRollUp.h"
#include "platform/OrmelText.h"
#include "platform/ccd/CCDFile.h"
#include "settings/DmsHeader.h"
#include "settings/PrgSettings.h"
#include "support/PackageFixtures.h"
#include "support/TestEnv.h"
#include "support/TestMain.h"
#include "support/XmlPath.h"
#include "yaq2-dms/StandInDms.h"

#include <QDomDocument>
#include <QFile>
#include <QtTest>

namespace {

const QString kVin = QStringLiteral("XVQ1F23A57M012345");

// The adviser gives the request up as soon as it goes out.
struct CancellingWait : IDmsWait
{
    void Begin(std::function<void()> cancel) override { cancel(); }
    void End() override {}
};

struct Notices : IDmsNotice, IPaketNotice
{
    QStringList texts;
    void Notice(const QString &text, const QString &) override { texts << text; }
    void Notice(const QString &text) override { texts << text; }
};

struct Sender : IDmsSender
{
    QString answer;
    QString body;
    int calls = 0;
    QString Request(const QString &, const QString &, const QString &b) override
    {
        ++calls;
        body = b;
        return answer;
    }
};

// The program text ids among the messages, the texts themselves otherwise.
QString Ids(const QStringList &texts)
{
    QStringList out;
    for (const QString &text : texts) {
        QString shown = text;
        for (int id : {4012, 4104, 4105, 5050, 5053, 5055, 5056, 5062, 5063, 5064, 5068, 7036}) {
            if (text.startsWith(OrmelText(id)))
                shown = QString::number(id) + text.mid(OrmelText(id).size());
        }
        for (int id : {5065, 5066, 5067}) {
            if (text.startsWith(OrmelText(id).left(8)))
                shown = QString::number(id) +
                        (text.contains(OrmelText(5057)) ? QStringLiteral("+5057") : QString());
        }
        out << shown;
    }
    return out.join(QLatin1Char('|'));
}

// Settings asking the DMS in the extended form for the vehicle kVin (type
// key 7A01).
CPrgSettings DmsSettings()
{
    CPrgSettings s;
    s.SRPInterfaceReq = 4;
    s.XMLx = 1;
    s.V115 = 1;
    s.V117 = 1;
    s.ReqXMLServer = QStringLiteral("dms.test:8080/srp");
    s.FgstnrFull = kVin;
    s.Fgstnr = kVin.right(7);
    s.TypSchl = QStringLiteral("7A01");
    UpdateDmsHeader(&s);
    return s;
}

// The oil service of the demo catalogue: head, one work position, one part
// and an optional part, with prices known from an earlier request.
void FillOilService(CPaket &paket)
{
    CPosition *head = paket.AddPosition(MakeLine(POS_HEAD_CAMPAIGN, QStringLiteral("1110010")));
    head->PaketArt = QStringLiteral("SRP");
    const char *lines[][2] = {{"1110010", "S"}, {"9X4115561H", "S"}, {"9X4129620A", "O"}};
    for (int i = 0; i < 3; ++i) {
        CPosition *line =
            paket.AddPosition(MakeLine(i == 0 ? POS_WORK : POS_PART, QLatin1String(lines[i][0]),
                                       QLatin1String(lines[i][1]), "1"));
        line->Preise1.UnitNet = 50.0;
        line->Preise1.Vat = 19.0;
        line->Preise1.Currency = QStringLiteral("EUR");
        line->Preise1.NoPrice = 0;
    }
    paket.CalcPositionPrices1(nullptr);
    paket.CalcPrices1(nullptr);
}

QString Answer(const QString &children, const QString &version = QStringLiteral("01.05.00"))
{
    return QStringLiteral(
               "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body>"
               "<requestPackageInfoResponse xmlns=\"http://%1/SRP\" "
               "refSchema=\"serviceRepairPackages.xsd\" version=\"%2\">%3"
               "</requestPackageInfoResponse></soap:Body></soap:Envelope>")
        .arg(QLatin1String(kDmsNamespaceHost), version, children);
}

QString VinXml(const QString &prefix, const QString &shortVin)
{
    return QStringLiteral("<vin vinLongPrefix=\"%1\" vinShort=\"%2\"/>").arg(prefix, shortVin);
}

QString PriceXml(const char *name, const QString &net, const QString &currency = "EUR")
{
    return QStringLiteral("<%1 currency=\"%3\"><netPrice>%2</netPrice>"
                          "<valueAddedTax>19</valueAddedTax></%1>")
        .arg(QLatin1String(name), net, currency);
}

// A package of the answer: number as sent, the work position and the part.
QString PackageXml(const QString &number, const QString &workPrices, const QString &partXml)
{
    return QStringLiteral("<package productType=\"car\"><number>%1</number>"
                          "<flatRates productType=\"car\"><number>1110010</number>%2</flatRates>"
                          "%3</package>")
        .arg(number, workPrices, partXml);
}

QString PartXml(const QString &number, const QString &prices)
{
    return QStringLiteral("<parts type=\"standard\"><number>%1</number>%2</parts>")
        .arg(number, prices);
}

} // namespace

class TestPackagePrice : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void localPrices_data();
    void localPrices();
    void rollUpCurrencies_data();
    void rollUpCurrencies();
    void requestVinAndEscaping_data();
    void requestVinAndEscaping();
    void requestPackageAttributes_data();
    void requestPackageAttributes();
    void requestElements_data();
    void requestElements();
    void answer_data();
    void answer();
    void onlyAPackageWithALineToPriceIsSent_data();
    void onlyAPackageWithALineToPriceIsSent();
    void campaignComparedAsTheAskerDoes_data();
    void campaignComparedAsTheAskerDoes();
    void standInDms_data();
    void standInDms();
    void cancelledRequestKeepsThePackage();

private:
    TestEnv m_env;
};

void TestPackagePrice::initTestCase()
{
    InitOrmelText(QStringLiteral(YAQ_DEMO_DATAS_DIR) + QStringLiteral("/Zirava/PrgTxt"));
}

void TestPackagePrice::localPrices_data()
{
    QTest::addColumn<QString>("files"); // the price files in the folder
    QTest::addColumn<int>("training");
    QTest::addColumn<double>("workNet");
    QTest::addColumn<double>("partNet");
    QTest::addColumn<double>("headNet");
    QTest::addColumn<QString>("currency"); // of the head's sum
    QTest::addColumn<QString>("missing");
    QTest::addColumn<QString>(
        "cut"); // of the missing: files rewritten at every read ("-cut" in files)
    // clang-format off
    QTest::newRow("all files, dealer part replaces")   << "HG ET DIP" << 0 << 20.0 << 15.0 << 35.0 << "EUR" << "" << "";
    QTest::newRow("no dealer parts file: parts file")  << "HG ET"     << 0 << 20.0 << 20.0 << 40.0 << "EUR" << "DIP_00.dat" << "";
    QTest::newRow("no labour file: parts only")        << "ET DIP"    << 0 << -3.0 << 15.0 << 15.0 << "EUR" << "HGPrice.dat" << "";
    QTest::newRow("no files: nothing priced")          << ""          << 0 << -3.0 << -3.0 << -1.0 << ""    << "HGPrice.dat ETPrice.dat DIP_00.dat" << "";
    QTest::newRow("training edition names its files")  << "HG ET DIP" << 1 << 20.0 << 15.0 << 35.0 << "EUR" << "Lager.dat Pauschal.dat Rabatt.dat" << "";
    QTest::newRow("files without their last line end: priced")           << "HG-noend ET-noend DIP" << 0 << 20.0 << 15.0 << 35.0 << "EUR" << "" << "";
    QTest::newRow("labour file cut short: no labour price")                 << "HG-cut ET DIP"  << 0 << -3.0 << 15.0 << 15.0 << "EUR" << "HGPrice.dat" << "HGPrice.dat";
    QTest::newRow("dealer parts file cut short: no part price, not ET's")   << "HG ET DIP-cut"  << 0 << 20.0 << -3.0 << 20.0 << "EUR" << "DIP_00.dat"  << "DIP_00.dat";
    QTest::newRow("discount file cut short: nothing priced")               << "HG ET DIP Rabatt-cut" << 1 << -3.0 << -3.0 << -1.0 << "" << "Lager.dat Pauschal.dat Rabatt.dat" << "Rabatt.dat";
    // clang-format on
}

void TestPackagePrice::localPrices()
{
    QFETCH(QString, files);
    QFETCH(int, training);
    QFETCH(double, workNet);
    QFETCH(double, partNet);
    QFETCH(double, headNet);
    QFETCH(QString, currency);
    QFETCH(QString, missing);
    QFETCH(QString, cut);

    QTemporaryDir dir;
    // A file cut short is one its writer is still at work on: it changes
    // at every read. A whole file may lack its last line end.
    QStringList changing;
    const auto write = [&](const char *key, const char *name, const char *text) {
        const QStringList keys = files.split(QLatin1Char(' '));
        const QString path = dir.filePath(QLatin1String(name));
        if (keys.contains(QLatin1String(key)))
            QVERIFY(writeTextFile(path, QByteArray(text)));
        else if (keys.contains(QLatin1String(key) + QStringLiteral("-noend")))
            QVERIFY(writeTextFile(path, QByteArray(text).chopped(1)));
        else if (keys.contains(QLatin1String(key) + QStringLiteral("-cut")))
            changing << path;
    };
    write("HG", "HGPrice.dat", "HG\tPreis\tMwSt\n11\t10.00\t19\n");
    write("ET", "ETPrice.dat",
          "TeileNr\tBezeichnung\tPreis\tMwSt\n9X4115561H\tFilter\t20.00\t19\n");
    write("DIP", "DIP_00.dat",
          "TeileNr\tErsetztDurchNr\tErsetztDurchText\tPreis\tMwSt\n"
          "9X4115561H\tH-77\tHaendlerfilter\t15.00\t19\n");
    write("Rabatt", "Rabatt.dat", "FgstNr\tRabattTeile\tRabattAW\nXVQ1F23A57M012345\t90\t95\n");
    int reads = 0;
    for (const QString &path : changing)
        QVERIFY(writeTextFile(path, "HG\tTeileNr\tFgstNr\n"));
    SetCCDReadHook([&](const QString &path) {
        if (changing.contains(path))
            QVERIFY(writeTextFile(path, "HG\tTeileNr\tFgstNr\n" + QByteArray::number(++reads)));
    });

    CPrgSettings s;
    s.ReqDateiVerz = dir.path();
    s.bSchulung = training;
    CPaket paket;
    CPosition *head = paket.AddPosition(MakeLine(POS_HEAD_CAMPAIGN, QStringLiteral("1110010")));
    CPosition *work =
        paket.AddPosition(MakeLine(POS_WORK, QStringLiteral("1110010"), QStringLiteral("S"), "2"));
    CPosition *part = paket.AddPosition(
        MakeLine(POS_PART, QStringLiteral("9X4115561H"), QStringLiteral("S"), "1"));
    work->Preise1.UnitNet = 99.0; // a price of an earlier request gives way

    Notices notices;
    const CLocalPackagePrices::Outcome out =
        CLocalPackagePrices(&s, &notices).Price(paket, QStringLiteral("00"), false);
    SetCCDReadHook({});

    QStringList expected;
    QStringList expectedNotices;
    for (const QString &name : missing.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        expected << CLocalPackagePrices::FilePath(dir.path(), name);
        expectedNotices << OrmelText(4012) + QLatin1Char(' ') + expected.last() +
                               (cut.split(QLatin1Char(' ')).contains(name)
                                    ? QLatin1Char('\n') + OrmelText(7301)
                                    : QString());
    }
    QCOMPARE(out.missingFiles, expected);
    QCOMPARE(notices.texts, expectedNotices);
    QCOMPARE(work->Preise1.Net, workNet);
    QCOMPARE(part->Preise1.Net, partNet);
    QCOMPARE(head->Preise1.Net, headNet);
    // A line without price leaves the sum incomplete (shown red), never
    // a sum of the others as if it were the package's.
    QCOMPARE(head->Preise1.Complete, workNet >= 0 && partNet >= 0 ? 1 : 0);
    QCOMPARE(head->Preise1.TotalsCurrency, currency);
    if (training)
        QCOMPARE(head->Preise2.Net, headNet); // the standard price is summed too
}

void TestPackagePrice::rollUpCurrencies_data()
{
    QTest::addColumn<int>("kinds");
    QTest::addColumn<QString>("currencies"); // of the two lines: set 1, set 2, set 3
    QTest::addColumn<bool>("arrived");       // prices came in, else a change of choice
    QTest::addColumn<int>("mixedKinds");
    QTest::addColumn<QString>("notices");
    QTest::addColumn<double>("headNet1");
    QTest::addColumn<double>("headNet2");
    QTest::addColumn<int>("unnamedKinds"); // told by 5068 alone
    // clang-format off
    QTest::newRow("customer price, one currency")      << 1 << "EUR EUR|EUR EUR|EUR EUR" << true  << 0 << ""                                   << 30.0 << -1.0 << 0;
    QTest::newRow("customer price, two currencies")    << 1 << "EUR CHF|EUR EUR|EUR EUR" << true  << 1 << "5068customer specific retail price" << -1.0 << -1.0 << 0;
    QTest::newRow("standard price, two currencies")    << 3 << "EUR EUR|CHF EUR|EUR EUR" << true  << 2 << "5068standard retail price"          << 30.0 << -1.0 << 0;
    QTest::newRow("both kinds, one currency each")     << 3 << "EUR EUR|CHF CHF|EUR EUR" << true  << 0 << ""                                   << 30.0 << 30.0 << 0;
    QTest::newRow("campaign price, two currencies")    << 4 << "EUR EUR|EUR EUR|EUR CHF" << true  << 4 << "5068campaign retail price"          << -1.0 << -1.0 << 0;
    QTest::newRow("a line without currency agrees")    << 1 << "EUR -|EUR EUR|EUR EUR"   << true  << 0 << ""                                   << 30.0 << -1.0 << 0;
    QTest::newRow("campaign price not in the answer")  << 4 << "EUR EUR|EUR EUR|EUR EUR" << true  << 0 << "not delivered"                      << -1.0 << -1.0 << 0;
    QTest::newRow("campaign price after a choice")     << 4 << "EUR EUR|EUR EUR|EUR EUR" << false << 0 << ""                                   << -1.0 << -1.0 << 0;
    QTest::newRow("customer price unnamed")            << 3 << "EUR CHF|CHF EUR|EUR EUR" << true  << 3 << "5068|5068standard retail price"     << -1.0 << -1.0 << 1;
    // clang-format on
}

void TestPackagePrice::rollUpCurrencies()
{
    QFETCH(int, kinds);
    QFETCH(QString, currencies);
    QFETCH(bool, arrived);
    QFETCH(int, mixedKinds);
    QFETCH(QString, notices);
    QFETCH(double, headNet1);
    QFETCH(double, headNet2);
    QFETCH(int, unnamedKinds);

    CPrgSettings s = DmsSettings();
    CPaket paket;
    CPosition *head = paket.AddPosition(MakeLine(POS_HEAD_CAMPAIGN, QStringLiteral("1110010")));
    const QStringList sets = currencies.split(QLatin1Char('|'));
    for (int i = 0; i < 2; ++i) {
        CPosition *line = paket.AddPosition(
            MakeLine(POS_WORK, QStringLiteral("111001%1").arg(i), QStringLiteral("S"), "1"));
        line->Campaign[CPosition::CampaignWorkUsage] = QStringLiteral("S");
        line->Campaign[CPosition::CampaignWorkStatus] = QStringLiteral("0");
        CPriceSet *set[] = {&line->Preise1, &line->Preise2, &line->Preise3};
        for (int n = 0; n < 3; ++n) {
            const QString currency = sets.at(n).split(QLatin1Char(' ')).at(i);
            set[n]->UnitNet = 15.0;
            set[n]->Vat = 19.0;
            set[n]->Currency = currency == QLatin1String("-") ? QString() : currency;
        }
        line->Preise1.NoPrice = 0;
    }
    head->Campaign[CPosition::CampaignCurrency] = QStringLiteral("EUR");

    Notices notes;
    const auto occasion = arrived ? CPackagePriceRollUp::Occasion::PricesArrived
                                  : CPackagePriceRollUp::Occasion::ChoiceChanged;
    QCOMPARE(CPackagePriceRollUp::RollUp(paket, &s, kinds, &notes, occasion, unnamedKinds),
             mixedKinds);
    QCOMPARE(Ids(notes.texts)
                 .replace(QStringLiteral("PackageGrossPrice and/or PackageNetPrice of "
                                         "the campaign are not delivered from the DMS."),
                          QStringLiteral("not delivered")),
             notices);
    QCOMPARE(head->Preise1.Net, headNet1);
    QCOMPARE(head->Preise2.Net, headNet2);
}

void TestPackagePrice::requestVinAndEscaping_data()
{
    QTest::addColumn<QString>("fullVin");
    QTest::addColumn<QString>("givenVin");
    QTest::addColumn<QString>("terminal");
    QTest::addColumn<QString>("partNumber");
    QTest::addColumn<QString>("vinLongPrefix");
    QTest::addColumn<QString>("vinShort");
    // clang-format off
    QTest::newRow("17 characters: first 10, last 7") << kVin      << "M012345" << ""         << "9X4115561H" << "XVQ1F23A57" << "M012345";
    QTest::newRow("7 characters: whole in both")     << ""        << "M012345" << "T1"       << "9X4115561H" << "M012345"    << "M012345";
    QTest::newRow("values are escaped")              << kVin      << ""        << "T&<1>\"x" << "A<&>\"'B"   << "XVQ1F23A57" << "M012345";
    // clang-format on
}

void TestPackagePrice::requestVinAndEscaping()
{
    QFETCH(QString, fullVin);
    QFETCH(QString, givenVin);
    QFETCH(QString, terminal);
    QFETCH(QString, partNumber);
    QFETCH(QString, vinLongPrefix);
    QFETCH(QString, vinShort);

    CPrgSettings s = DmsSettings();
    s.FgstnrFull = fullVin;
    s.Fgstnr = givenVin;
    s.ReqXMLTerminalID = terminal;
    CPaket paket;
    paket.AddPosition(MakeLine(POS_HEAD_CAMPAIGN, QStringLiteral("1110010")));
    paket.AddPosition(MakeLine(POS_PART, partNumber, QStringLiteral("S"), "1"));

    const QString body = CPackagePriceRequest(s).Build(paket, QStringLiteral("01.05.00"));
    QDomDocument doc;
    QVERIFY2(doc.setContent(body), qPrintable(body));
    const QDomElement root = doc.documentElement();
    QCOMPARE(root.tagName(), QStringLiteral("requestPackageInfo"));
    const QDomElement vin = root.firstChildElement(QStringLiteral("vin"));
    QCOMPARE(vin.attribute(QStringLiteral("vinLongPrefix")), vinLongPrefix);
    QCOMPARE(vin.attribute(QStringLiteral("vinShort")), vinShort);
    const QDomElement package = root.firstChildElement(QStringLiteral("package"));
    QCOMPARE(package.firstChildElement(QStringLiteral("number")).text(),
             QStringLiteral("111001017A010"));
    QCOMPARE(package.firstChildElement(QStringLiteral("parts"))
                 .firstChildElement(QStringLiteral("number"))
                 .text(),
             partNumber);
    QCOMPARE(root.firstChildElement(QStringLiteral("terminalID")).text(), terminal);
    QCOMPARE(root.firstChildElement(QStringLiteral("terminalID")).isNull(), terminal.isEmpty());
}

void TestPackagePrice::requestPackageAttributes_data()
{
    QTest::addColumn<int>("xmlx");
    QTest::addColumn<int>("v115");
    QTest::addColumn<int>("v117");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("fastlane");
    QTest::addColumn<QString>("attributes");
    QTest::addColumn<bool>("leadLabour"); // isLeadLabour is sent: whenever V117 is on
    // clang-format off
    QTest::newRow("plain form")                 << 0 << 1 << 1 << "GRP" << 1 << "productType=car"                                                  << true;
    QTest::newRow("plain form without V117")    << 0 << 1 << 0 << "SRP" << 1 << "productType=car"                                                  << false;
    QTest::newRow("extended, V115 only")        << 1 << 1 << 0 << "SRP" << 1 << "productType=car PackageOrigin=S isFastlane=true"                  << false;
    QTest::newRow("extended without V115")      << 1 << 0 << 1 << "GRP" << 1 << "productType=car"                                                  << true;
    QTest::newRow("extended, V117: service")    << 1 << 1 << 1 << "SRP" << 0 << "productType=car PackageOrigin=S PackageType=SRP isFastlane=false" << true;
    QTest::newRow("extended, V117: warranty")   << 1 << 1 << 1 << "GRP" << 1 << "productType=car PackageOrigin=G PackageType=GRP isFastlane=true"  << true;
    QTest::newRow("extended, V117: inclusive")  << 1 << 1 << 1 << "SIP" << 0 << "productType=car PackageOrigin=I PackageType=SIP isFastlane=false" << true;
    QTest::newRow("extended, V117: value line") << 1 << 1 << 1 << "VLP" << 1 << "productType=car PackageOrigin=V PackageType=VLP isFastlane=true"  << true;
    QTest::newRow("extended, V117: other kind") << 1 << 1 << 1 << "XYZ" << 0 << "productType=car PackageOrigin=S PackageType=SRP isFastlane=false" << true;
    // clang-format on
}

void TestPackagePrice::requestPackageAttributes()
{
    QFETCH(int, xmlx);
    QFETCH(int, v115);
    QFETCH(int, v117);
    QFETCH(QString, kind);
    QFETCH(int, fastlane);
    QFETCH(QString, attributes);
    QFETCH(bool, leadLabour);

    CPrgSettings s = DmsSettings();
    s.XMLx = xmlx;
    s.V115 = v115;
    s.V117 = v117;
    CPaket paket;
    CPosition *head = paket.AddPosition(MakeLine(POS_HEAD_CAMPAIGN, QStringLiteral("1110010")));
    head->PaketArt = kind;
    head->IsFastlane = fastlane;
    paket.AddPosition(MakeLine(POS_WORK, QStringLiteral("1110010"), QStringLiteral("S"), "1"));

    QDomDocument doc;
    QVERIFY(doc.setContent(CPackagePriceRequest(s).Build(paket, QStringLiteral("01.05.00"))));
    const QDomElement package = doc.documentElement().firstChildElement(QStringLiteral("package"));
    QStringList shown;
    const QDomNamedNodeMap map = package.attributes();
    for (const char *name :
         {"productType", "PackageOrigin", "PackageType", "isFastlane", "isValueLine"}) {
        if (package.hasAttribute(QLatin1String(name)))
            shown << QLatin1String(name) + QLatin1Char('=') +
                         package.attribute(QLatin1String(name));
    }
    QCOMPARE(shown.join(QLatin1Char(' ')), attributes);
    QCOMPARE(shown.size(), map.count());
    QCOMPARE(!package.firstChildElement(QStringLiteral("flatRates"))
                  .firstChildElement(QStringLiteral("isLeadLabour"))
                  .isNull(),
             leadLabour);
}

void TestPackagePrice::requestElements_data()
{
    // Row: the interface options ("x" XMLx, "15" V115, "17" V117, "m3" the
    // request mode 3), the campaign's price type (PackageFixtures.h), a path
    // into the body -> its text.
    QTest::addColumn<QString>("options");
    QTest::addColumn<QString>("priceType");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expected");
    const QString fr = QStringLiteral("package/flatRates");
    const QString part = QStringLiteral("package/parts");
    const QString ci = QStringLiteral("package/campaignInformation/");
    // clang-format off
    QTest::newRow("campaign: origin")                 << "x 15 17"    << "R"  << "package/@PackageOrigin" << "C";
    QTest::newRow("campaign: type")                   << "x 15 17"    << "R"  << "package/@PackageType"   << "MKP";
    QTest::newRow("campaign: value line")             << "x 15 17"    << "R"  << "package/@isValueLine"   << "true";
    QTest::newRow("campaign: value line needs V117")  << "x 15"       << "R"  << "package/@isValueLine"   << "<none>";
    QTest::newRow("head number")                      << "x 15 17"    << "R"  << "package/number"         << "777001017A010";
    QTest::newRow("sub-package head left out")        << "x 15 17"    << "R"  << "package/number#"        << "1";
    QTest::newRow("block: number")                    << "x 15 17"    << "R"  << ci + "@number"           << "K-1";
    QTest::newRow("block: package number")            << "x 15 17"    << "R"  << ci + "@campaignPackageNumber" << "KP-2";
    QTest::newRow("block: name trimmed")              << "x 15 17"    << "R"  << ci + "campaignName"      << "Fruehjahr";
    QTest::newRow("block: no name, the number")       << "x 15 17"    << "CL" << ci + "campaignName"      << "K-1";
    QTest::newRow("block: package name, number")      << "x 15 17"    << "R"  << ci + "campaignPackageName" << "KP-2";
    QTest::newRow("block: price type")                << "x 15 17"    << "CR" << ci + "campaignPriceType" << "CR";
    QTest::newRow("block: no price type w/o V117")    << "x 15"       << "R"  << ci + "campaignPriceType" << "<none>";
    QTest::newRow("block: package rebate R")          << "x 15 17"    << "R"  << ci + "PackageRebate"     << "10";
    QTest::newRow("block: package price L")           << "x 15 17"    << "L"  << ci + "PackageGrossPrice" << "10";
    QTest::newRow("block: no package price for R")    << "x 15 17"    << "R"  << ci + "PackageGrossPrice" << "<none>";
    QTest::newRow("block: no package rebate for CL")  << "x 15 17"    << "CL" << ci + "PackageRebate"     << "<none>";
    QTest::newRow("block: labour rebate CR")          << "x 15 17"    << "CR" << ci + "labourRebate"      << "15";
    QTest::newRow("block: parts rebate CR")           << "x 15 17"    << "CR" << ci + "partsRebate"       << "20";
    QTest::newRow("block: oil rebate CR")             << "x 15 17"    << "CR" << ci + "oilRebate"         << "25";
    QTest::newRow("block: CR rebates need V117")      << "x 15"       << "CR" << ci + "oilRebate"         << "<none>";
    QTest::newRow("no block without XMLx")            << "15 17"      << "R"  << ci + "@number"           << "<none>";
    QTest::newRow("no block in mode 3")               << "x 15 17 m3" << "R"  << ci + "@number"           << "<none>";
    QTest::newRow("no attributes in mode 3")          << "x 15 17 m3" << "R"  << "package/@PackageOrigin" << "<none>";
    QTest::newRow("lead: top level")                  << "x 15 17"    << "R"  << fr + "[1]/isLeadLabour"  << "true";
    QTest::newRow("lead: not the lead")               << "x 15 17"    << "R"  << fr + "[2]/isLeadLabour"  << "false";
    QTest::newRow("lead: inside a sub-package")       << "x 15 17"    << "R"  << fr + "[6]/isLeadLabour"  << "false";
    QTest::newRow("lead: without XMLx too")           << "17"         << "R"  << fr + "[1]/isLeadLabour"  << "true";
    QTest::newRow("lead: not without V117")           << "x 15"       << "R"  << fr + "[1]/isLeadLabour"  << "<none>";
    QTest::newRow("optional: chosen by the dealer")   << "x 15 17"    << "R"  << fr + "[1]/dealerOptional" << "true";
    QTest::newRow("alternative: fixed")               << "x 15 17"    << "R"  << fr + "[2]/dealerOptional" << "false";
    QTest::newRow("optional, other operability")      << "x 15 17"    << "R"  << fr + "[3]/dealerOptional" << "<none>";
    QTest::newRow("standard campaign work")           << "x 15 17"    << "R"  << fr + "[4]/dealerOptional" << "<none>";
    QTest::newRow("optional in a sub-package")        << "x 15 17"    << "L"  << fr + "[6]/dealerOptional" << "true";
    QTest::newRow("optional: not without V117")       << "x 15"       << "R"  << fr + "[1]/dealerOptional" << "<none>";
    QTest::newRow("optional part: fixed")             << "x 15 17"    << "CL" << part + "[1]/dealerOptional" << "false";
    QTest::newRow("alternative part: chosen")         << "x 15 17"    << "CR" << part + "[2]/dealerOptional" << "true";
    QTest::newRow("standard campaign part")           << "x 15 17"    << "R"  << part + "[3]/dealerOptional" << "<none>";
    QTest::newRow("work: fixed price CL")             << "x 15 17"    << "CL" << fr + "[1]/fixedPrice"    << "49.90";
    QTest::newRow("work: no fixed price for R")       << "x 15 17"    << "R"  << fr + "[1]/fixedPrice"    << "<none>";
    QTest::newRow("work: package rebate R")           << "x 15 17"    << "R"  << fr + "[1]/rebate"        << "10";
    QTest::newRow("work: labour rebate CR")           << "x 15 17"    << "CR" << fr + "[1]/rebate"        << "15";
    QTest::newRow("work: no rebate for L")            << "x 15 17"    << "L"  << fr + "[1]/rebate"        << "<none>";
    QTest::newRow("work: value")                      << "x 15 17"    << "R"  << fr + "[1]/value"         << "1";
    QTest::newRow("work: value without V117 too")     << "x 15"       << "R"  << fr + "[1]/value"         << "1";
    QTest::newRow("work: no value without campaign")  << "15 17"      << "R"  << fr + "[1]/value"         << "<none>";
    QTest::newRow("part: fixed price CL")             << "x 15 17"    << "CL" << part + "[1]/fixedPrice"  << "12.50";
    QTest::newRow("part: parts rebate CR")            << "x 15 17"    << "CR" << part + "[1]/rebate"      << "20";
    QTest::newRow("part: oil rebate CR")              << "x 15 17"    << "CR" << part + "[2]/rebate"      << "25";
    QTest::newRow("part: no rebate, other category")  << "x 15 17"    << "CR" << part + "[3]/rebate"      << "<none>";
    QTest::newRow("part: package rebate R")           << "x 15 17"    << "R"  << part + "[3]/rebate"      << "10";
    QTest::newRow("part: no prices without V117")     << "x 15"       << "CL" << part + "[1]/fixedPrice"  << "<none>";
    QTest::newRow("part: quantity")                   << "x 15 17"    << "R"  << part + "[1]/quantity"    << "1";
    QTest::newRow("part: no quantity w/o campaign")   << "15 17"      << "R"  << part + "[1]/quantity"    << "<none>";
    QTest::newRow("part: standard")                   << "x 15 17"    << "R"  << part + "[1]/@type"       << "standard";
    QTest::newRow("part: alternative A")              << "x 15 17"    << "R"  << part + "[2]/@type"       << "alternative";
    QTest::newRow("part: optional")                   << "x 15 17"    << "R"  << part + "[3]/@type"       << "optional";
    QTest::newRow("part: alternative B")              << "x 15 17"    << "R"  << part + "[4]/@type"       << "alternative";
    QTest::newRow("part: other kind, no type")        << "x 15 17"    << "R"  << part + "[5]/@type"       << "<none>";
    QTest::newRow("every work position, chosen or not") << "x 15 17"  << "R"  << fr + "#"                 << "6";
    QTest::newRow("line not chosen: asked too")       << "x 15 17"    << "R"  << fr + "[5]/dealerOptional" << "true";
    QTest::newRow("no findings line")                 << "x 15 17"    << "R"  << "package/defectInformation#" << "0";
    // clang-format on
}

// Each element of the package's "requestPackageInfo" by the rule that
// writes it, on a campaign package with lines of every usage.
void TestPackagePrice::requestElements()
{
    QFETCH(QString, options);
    QFETCH(QString, priceType);
    QFETCH(QString, path);
    const QStringList o = options.split(QLatin1Char(' '));
    CPrgSettings s = DmsSettings();
    s.XMLx = o.contains(QLatin1String("x"));
    s.V115 = o.contains(QLatin1String("15"));
    s.V117 = o.contains(QLatin1String("17"));
    s.SRPInterfaceReq = o.contains(QLatin1String("m3")) ? 3 : 4;
    const std::unique_ptr<CPaket> paket = CampaignPackage(priceType);
    const QString body = CPackagePriceRequest(s).Build(*paket, DmsSchemaVersion(s));
    QTEST(XmlAt(XmlMessage(body), path), "expected");
}

void TestPackagePrice::answer_data()
{
    const QString vin = VinXml(QStringLiteral("XVQ1F23A57"), QStringLiteral("M012345"));
    // The number as sent: package number, "1", type key, "0".
    const QString sent = QStringLiteral("111001017A010");
    const QString work = PriceXml("customerPrice", "128.00") + PriceXml("price", "142.50") +
                         PriceXml("standardPrice", "142.50") + PriceXml("campaignPrice", "119");
    const QString part = PartXml("9X4115561H", PriceXml("price", "12.90"));
    const QString accepted = vin + PackageXml(sent, work, part);
    // The work's prices as a generated SOAP stack writes them: each element
    // with a prefix of its own, typed, with a nil element.
    const QString prefixedWork =
        QStringLiteral("<t:customerPrice xmlns:t=\"http://%1/SRP\" "
                       "xmlns:i=\"http://www.w3.org/2001/XMLSchema-instance\" currency=\"EUR\">"
                       "<t:netPrice i:type=\"xsd:decimal\">128.00</t:netPrice>"
                       "<t:grossPrice i:nil=\"true\"/><t:valueAddedTax>19</t:valueAddedTax>"
                       "</t:customerPrice>")
            .arg(QLatin1String(kDmsNamespaceHost)) +
        PriceXml("price", "142.50") + PriceXml("standardPrice", "142.50") +
        PriceXml("campaignPrice", "119");
    // A customer price the program cannot read: not the same as none sent.
    const QString unreadWork =
        QStringLiteral("<customerPrice currency=\"EUR\"><amount>128.00</amount></customerPrice>") +
        PriceXml("price", "142.50");
    // The page's package is no campaign package: the block matches nothing.
    const QString campaign = QStringLiteral(
        "<campaignInformation number=\"K1\" campaignPackageNumber=\"KP1\">"
        "<campaignName>Herbst</campaignName><campaignPackageName>Oel</campaignPackageName>"
        "<PackageGrossPrice>99</PackageGrossPrice></campaignInformation>");
    // A block of the package's own (empty) campaign, once with a price kind
    // it was not asked with.
    const QString ownCampaign =
        QStringLiteral("<campaignInformation number=\"\" campaignPackageNumber=\"\">%1"
                       "<PackageGrossPrice>99</PackageGrossPrice></campaignInformation>");
    const QString exception = QStringLiteral(
        "<exception name=\"PackageUnknown\"><exceptionInfo>no such package</exceptionInfo>"
        "</exception>");

    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("vehiclesWithShortVin");
    QTest::addColumn<int>("applied");
    QTest::addColumn<QString>("notices");
    QTest::addColumn<double>("workNet1"); // 50.00 the price known before; -3: none
    QTest::addColumn<double>("headNet1");
    QTest::addColumn<int>("dmsAnswered"); // the settings' flag afterwards
    QTest::addColumn<QString>(
        "setup"); // a "spot repair" package, "without" an option, the "dialog" asks
    // clang-format off
    QTest::newRow("accepted: customer price")          << Answer(accepted) << 1 << 1 << ""                                   << 128.0 << 140.9 << 1 << "";
    QTest::newRow("accepted: prices in prefixed elements") << Answer(vin + PackageXml(sent, prefixedWork, part)) << 1 << 1 << ""                       << 128.0 << 140.9 << 1 << "";
    QTest::newRow("a price without amounts is told")   << Answer(vin + PackageXml(sent, unreadWork, part)) << 1 << 1 << "5055\n1110010 (car): <amount>" << -3.0 << 12.9 << 1 << "";
    QTest::newRow("accepted: price without customer")  << Answer(vin + PackageXml(sent, PriceXml("price", "142.50"), part)) << 1 << 1 << "" << 142.5 << 155.4 << 1 << "";
    QTest::newRow("accepted with a short VIN")         << Answer(VinXml("", "M012345") + PackageXml(sent, work, part)) << 1 << 1 << "" << 128.0 << 140.9 << 1 << "";
    QTest::newRow("part not in the package")           << Answer(vin + PackageXml(sent, work, PartXml("9X0000000", PriceXml("price", "1")))) << 1 << 1 << "5067" << 128.0 << 128.0 << 1 << "";
    QTest::newRow("part in another currency")          << Answer(vin + PackageXml(sent, work, PartXml("9X4115561H", PriceXml("price", "12.90", "CHF")))) << 1 << 1 << "5068customer specific retail price" << -1.0 << -1.0 << 1 << "";
    QTest::newRow("two packages, the second fits")     << Answer(vin + PackageXml("111002017A010", work, part) + PackageXml(sent, work, part)) << 1 << 1 << "5062|5065" << 128.0 << 140.9 << 1 << "";
    QTest::newRow("other package")                     << Answer(vin + PackageXml("111002017A010", work, part)) << 1 << 0 << "5065" << -3.0 << -1.0 << 1 << "";
    QTest::newRow("other type key")                    << Answer(vin + PackageXml("111001017B010", work, part)) << 1 << 0 << "5065" << -3.0 << -1.0 << 1 << "";
    QTest::newRow("two packages, none fits")           << Answer(vin + PackageXml("111002017A010", work, part) + PackageXml("341001017A010", work, part)) << 1 << 0 << "5062|5065|5065|5064" << -3.0 << -1.0 << 1 << "";
    QTest::newRow("other vehicle")                     << Answer(VinXml("XVQ2G45B68", "4K56789") + PackageXml(sent, work, part)) << 1 << 0 << "5056" << -3.0 << -1.0 << 1 << "";
    QTest::newRow("short VIN of several vehicles")     << Answer(VinXml("", "M012345") + PackageXml(sent, work, part)) << 2 << 0 << "7036" << -3.0 << -1.0 << 1 << "";
    QTest::newRow("exception only")                    << Answer(exception) << 1 << 0 << "RequestPackageInfoResponse\nexception: PackageUnknown\nexceptionInfo: no such package" << -3.0 << -1.0 << 1 << "";
    QTest::newRow("neither content nor exception")     << Answer(QString()) << 1 << 0 << "RequestPackageInfoResponse\nXMLNotValid!(1)" << -3.0 << -1.0 << 1 << "";
    QTest::newRow("a labour value's answer")           << Answer(vin + "<flatRate/>") << 1 << 0 << "5063" << -3.0 << -1.0 << 1 << "";
    QTest::newRow("other schema version")              << Answer(accepted, "01.04.01") << 1 << 0 << "5053" << -3.0 << -1.0 << 0 << "";
    QTest::newRow("no XML")                            << "<soap:Envelope"  << 1 << 0 << "5055" << -3.0 << -1.0 << 1 << "";
    QTest::newRow("soap fault")                        << "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body><soap:Fault><faultcode>soap:Server</faultcode><faultstring>Preise gesperrt</faultstring></soap:Fault></soap:Body></soap:Envelope>" << 1 << 0 << OrmelTextArgs(7072, {"Preise gesperrt"}) << -3.0 << -1.0 << 1 << "";
    QTest::newRow("empty answer")                      << ""                << 1 << 0 << "5050" << -3.0 << -1.0 << 1 << "";
    QTest::newRow("product type not a car")            << Answer(vin + QString(PackageXml(sent, work, part)).replace("<package productType=\"car\">", "<package productType=\"truck\">")) << 1 << 0 << "5065+5057" << -3.0 << -1.0 << 1 << "";
    QTest::newRow("campaign block of another campaign") << Answer(vin + QString(PackageXml(sent, work, part)).replace("</package>", campaign + "</package>")) << 1 << 1 << "4104" << 128.0 << 140.9 << 1 << "";
    QTest::newRow("campaign block of the package's campaign") << Answer(vin + QString(PackageXml(sent, work, part)).replace("</package>", ownCampaign.arg(QString()) + "</package>")) << 1 << 1 << "" << 128.0 << 140.9 << 1 << "";
    QTest::newRow("campaign package price not readable: told") << Answer(vin + QString(PackageXml(sent, work, part)).replace("</package>", ownCampaign.arg(QString()).replace(">99<", ">99 EUR<") + "</package>")) << 1 << 1 << "5055\n111001017A010: \"99 EUR\", \"\"" << 128.0 << 140.9 << 1 << "";
    QTest::newRow("campaign block of another price kind") << Answer(vin + QString(PackageXml(sent, work, part)).replace("</package>", ownCampaign.arg("<campaignPriceType>R</campaignPriceType>") + "</package>")) << 1 << 1 << "4104" << 128.0 << 140.9 << 1 << "";
    QTest::newRow("no V117: the price kind not compared") << Answer(vin + QString(PackageXml(sent, work, part)).replace("</package>", ownCampaign.arg("<campaignPriceType>R</campaignPriceType>") + "</package>")) << 1 << 1 << "" << 128.0 << 140.9 << 1 << "without V117";
    QTest::newRow("no XMLx: no campaign block compared") << Answer(vin + QString(PackageXml(sent, work, part)).replace("</package>", campaign + "</package>")) << 1 << 1 << "" << 128.0 << 140.9 << 1 << "without XMLx";
    // A spot-repair package has no parts: those of the answer are not its.
    QTest::newRow("spot repair: answer parts ignored") << Answer(vin + PackageXml(sent, work, PartXml("9X0000000", PriceXml("price", "1")))) << 1 << 1 << "" << 128.0 << 128.0 << 1 << "spot repair";
    // The optional sub-package dialog takes a full VIN only, and names no
    // kind when the customer prices' currencies differ.
    QTest::newRow("dialog: short VIN of one vehicle")  << Answer(VinXml("", "M012345") + PackageXml(sent, work, part)) << 1 << 0 << "7036" << -3.0 << -1.0 << 1 << "dialog";
    QTest::newRow("dialog: full VIN accepted")         << Answer(accepted) << 1 << 1 << "" << 128.0 << 140.9 << 1 << "dialog";
    QTest::newRow("dialog: part in another currency")  << Answer(vin + PackageXml(sent, work, PartXml("9X4115561H", PriceXml("price", "12.90", "CHF")))) << 1 << 1 << "5068" << -1.0 << -1.0 << 1 << "dialog";
    // clang-format on
}

void TestPackagePrice::answer()
{
    QFETCH(QString, answer);
    QFETCH(int, vehiclesWithShortVin);
    QFETCH(int, applied);
    QFETCH(QString, notices);
    QFETCH(double, workNet1);
    QFETCH(double, headNet1);
    QFETCH(int, dmsAnswered);
    QFETCH(QString, setup);

    CPrgSettings s = DmsSettings();
    CPaket paket;
    FillOilService(paket);
    s.V117 = setup != QLatin1String("without V117");
    s.XMLx = setup != QLatin1String("without XMLx");
    if (setup == QLatin1String("spot repair"))
        paket.GetKopf()->HG = kSpotRepairMarker;
    Notices notes;
    Sender sender;
    sender.answer = answer;
    CDmsClient client(&s, &sender);
    client.SetShortVinCount([&](const QString &) { return vehiclesWithShortVin; });
    CPackagePriceExchange exchange(client, &notes);
    exchange.SetAskedBySubPackageDialog(setup == QLatin1String("dialog"));
    const CPackagePriceExchange::Outcome out = exchange.Request(paket);

    QCOMPARE(sender.calls, 1);
    QCOMPARE(out.applied, applied);
    QCOMPARE(Ids(notes.texts), notices);
    QCOMPARE(paket.GetAt(1)->Preise1.Net, workNet1);
    QCOMPARE(paket.GetKopf()->Preise1.Net, headNet1);
    QCOMPARE(s.bDmsExchangeDone, dmsAnswered);
    // Every requested line is priced anew, whatever came back: the optional
    // part the answer leaves out, and every line of an answer not taken,
    // keeps no price of an earlier one.
    QCOMPARE(paket.GetAt(3)->Preise1.UnitNet, kPriceNotSet);
    QCOMPARE(paket.GetAt(3)->Preise1.NoPrice, 1);
}

void TestPackagePrice::onlyAPackageWithALineToPriceIsSent_data()
{
    // Row: the types of the package's lines, who asks, whether it is sent.
    QTest::addColumn<QList<int>>("types");
    QTest::addColumn<bool>("dialog");
    QTest::addColumn<int>("calls");
    // clang-format off
    QTest::newRow("page: a work position")             << QList<int>{POS_SPECIAL1, POS_WORK}     << false << 1;
    QTest::newRow("page: findings and group lines")    << QList<int>{POS_FINDINGS, POS_GROUP}    << false << 0;
    QTest::newRow("dialog: findings and group lines")  << QList<int>{POS_FINDINGS, POS_GROUP}    << true  << 1;
    QTest::newRow("dialog: group and special lines")   << QList<int>{POS_GROUP, POS_SPECIAL4}    << true  << 0;
    // clang-format on
}

void TestPackagePrice::onlyAPackageWithALineToPriceIsSent()
{
    QFETCH(QList<int>, types);
    QFETCH(bool, dialog);
    CPrgSettings s = DmsSettings();
    CPaket paket;
    for (const int type : types)
        paket.AddPosition(MakeLine(type, QStringLiteral("1110010")));
    Notices notes;
    Sender sender;
    CDmsClient client(&s, &sender);
    CPackagePriceExchange exchange(client, &notes);
    exchange.SetAskedBySubPackageDialog(dialog);
    exchange.Request(paket);
    QTEST(sender.calls, "calls");
}

void TestPackagePrice::campaignComparedAsTheAskerDoes_data()
{
    // Row: who asks (the editing page, or the optional sub-package dialog),
    // the campaign name and price type of the answer's campaign block (the
    // package's are empty), the messages, whether the head takes the
    // campaign's package price.
    QTest::addColumn<bool>("dialog");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("priceType");
    QTest::addColumn<QString>("notices");
    QTest::addColumn<bool>("taken");
    // clang-format off
    QTest::newRow("page: the package's campaign")   << false << ""       << ""  << ""     << true;
    QTest::newRow("page: another price type")       << false << ""       << "R" << "4104" << false;
    QTest::newRow("dialog: another price type")     << true  << ""       << "R" << ""     << true;
    QTest::newRow("dialog: another campaign")       << true  << "Herbst" << ""  << "4105" << false;
    // clang-format on
}

void TestPackagePrice::campaignComparedAsTheAskerDoes()
{
    QFETCH(bool, dialog);
    QFETCH(QString, name);
    QFETCH(QString, priceType);
    QString block = QStringLiteral("<campaignInformation number=\"\" campaignPackageNumber=\"\">");
    if (!name.isEmpty())
        block += QStringLiteral("<campaignName>%1</campaignName>").arg(name);
    if (!priceType.isEmpty())
        block += QStringLiteral("<campaignPriceType>%1</campaignPriceType>").arg(priceType);
    block += QStringLiteral("<PackageGrossPrice>99.00</PackageGrossPrice>"
                            "<PackageNetPrice>83.19</PackageNetPrice></campaignInformation>");
    const QString package = PackageXml(QStringLiteral("111001017A010"), PriceXml("price", "142.50"),
                                       PartXml("9X4115561H", PriceXml("price", "12.90")));
    CPrgSettings s = DmsSettings(); // with V117
    CPaket paket;
    FillOilService(paket);
    Notices notes;
    Sender sender;
    sender.answer =
        Answer(VinXml(QStringLiteral("XVQ1F23A57"), QStringLiteral("M012345")) +
               QString(package).replace(QLatin1String("</package>"), block + "</package>"));
    CDmsClient client(&s, &sender);
    CPackagePriceExchange exchange(client, &notes);
    exchange.SetAskedBySubPackageDialog(dialog);
    QCOMPARE(exchange.Request(paket).applied, 1);
    QTEST(Ids(notes.texts), "notices");
    QTEST(paket.GetKopf()->Preise3.PackageGross == 99.0, "taken");
}

// The stand-in answers as the program writes its messages, and as a
// generated SOAP stack does (prefixed elements, nil and typed ones): the
// lines take the same prices.
void TestPackagePrice::standInDms_data()
{
    QTest::addColumn<int>("form");
    QTest::newRow("plain") << int(DmsMessageForm::Plain);
    QTest::newRow("prefixed") << int(DmsMessageForm::Prefixed);
}

void TestPackagePrice::standInDms()
{
    QFETCH(int, form);
    StandInDms dms;
    dms.setForm(DmsMessageForm(form));
    QString error;
    QVERIFY2(
        dms.serveFiles(QStringLiteral(YAQ_DMS_VEHICLES), QStringLiteral(YAQ_DMS_PACKAGES), &error),
        qPrintable(error));

    CPrgSettings s = DmsSettings();
    s.ReqXMLServer = QStringLiteral("http://127.0.0.1:%1/").arg(dms.port());
    CPaket paket;
    paket.AddPosition(MakeLine(POS_HEAD_CAMPAIGN, QStringLiteral("3410010")));
    CPosition *work =
        paket.AddPosition(MakeLine(POS_WORK, QStringLiteral("3410010"), QStringLiteral("S"), "1"));
    CPosition *pads = paket.AddPosition(
        MakeLine(POS_PART, QStringLiteral("9X0698151B"), QStringLiteral("S"), "1"));
    CPosition *filter = paket.AddPosition(
        MakeLine(POS_PART, QStringLiteral("9X4129620A"), QStringLiteral("O"), "1"));
    CPosition *unknown = paket.AddPosition(
        MakeLine(POS_PART, QStringLiteral("9X0819653"), QStringLiteral("S"), "1"));

    Notices notes;
    CSoapReqSender sender(&s);
    CDmsClient client(&s, &sender);
    const CPackagePriceExchange::Outcome out = CPackagePriceExchange(client, &notes).Request(paket);
    QCOMPARE(out.applied, 1);
    // The air filter is priced in francs: neither total is summed.
    QCOMPARE(Ids(notes.texts),
             QStringLiteral("5068customer specific retail price|5068standard retail price"));
    QCOMPARE(out.mixedKinds, CPackagePriceRollUp::Customer | CPackagePriceRollUp::Standard);
    QCOMPARE(work->Preise1.UnitNet, 164.0);
    QCOMPARE(work->Preise2.UnitNet, 175.0);
    QCOMPARE(work->Preise3.UnitNet, 149.0);
    QCOMPARE(pads->Preise1.UnitNet, 79.9);
    QCOMPARE(filter->Preise1.Currency, QStringLiteral("CHF"));
    QCOMPARE(filter->Preise1.UnitNet, 24.8); // no customer price: the standard one
    QCOMPARE(unknown->Preise1.UnitNet, kPriceNotSet);
    QCOMPARE(s.bDmsExchangeDone, 1);
}

// A request the adviser gives up keeps the package as it was, whatever the
// DMS still answers.
void TestPackagePrice::cancelledRequestKeepsThePackage()
{
    CPrgSettings s = DmsSettings();
    CPaket paket;
    FillOilService(paket);
    const CPaket before(paket);
    Sender sender;
    const QString sent = QStringLiteral("111001017A010");
    sender.answer = Answer(VinXml("XVQ1F23A57", "M012345") +
                           PackageXml(sent, PriceXml("price", "99"), QString()));
    CancellingWait wait;
    CDmsClient client(&s, &sender, &wait);
    Notices notes;
    const CPackagePriceExchange::Outcome out = CPackagePriceExchange(client, &notes).Request(paket);
    QCOMPARE(sender.calls, 1);
    QCOMPARE(out.applied, 0);
    QVERIFY(!out.answered);
    QVERIFY(paket.HasEqualLines(before));
    QVERIFY(notes.texts.isEmpty());
    QCOMPARE(s.bDmsExchangeDone, 0);
}

YAQ_TEST_GUILESS_MAIN(TestPackagePrice)
#include "tst_packageprice.moc"
