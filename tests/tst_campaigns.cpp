// Marketing campaign packages: which campaigns the vehicle is offered (first
// registration, age, production period, campaign period), the checks of the
// campaign data when they are imported and when a campaign package is
// loaded, the campaign combo of the editing page, and the labour, parts and
// oil rebates the price request and the basket transfer send.
#include "basket/model/WKList.h"
#include "basket/transfer/TransferRequest.h"
#include "dms/DmsClient.h"
#include "dms/SoapReqSender.h"
#include "packages/edit/CampaignLoader.h"
#include "packages/edit/CampaignOffers.h"
#include "packages/list/CampaignImport.h"
#include "packages/list/CampaignValidity.h"
#include "packages/list/PackageList.h"
#include "packages/model/Paket.h"
#include "packages/model/PaketNotice.h"
#include "packages/pricing/PackagePriceExchange.h"
#include "packages/pricing/PackagePriceRequest.h"
#include "platform/OrmelText.h"
#include "settings/DmsHeader.h"
#include "settings/PrgSettings.h"
#include "support/TestEnv.h"
#include "yaq2-dms/StandInDms.h"
#include "yaq2-dms/StandInPackagePrices.h"

#include <QDir>
#include <QRegularExpression>
#include <QtTest>

namespace {

struct Notices : IPaketNotice
{
    QStringList texts;
    void Notice(const QString &text) override { texts << text; }
};

struct DmsNotices : IDmsNotice
{
    QStringList texts;
    void Notice(const QString &text, const QString &) override { texts << text; }
};

const QString kDemoDealer = QStringLiteral(YAQ_DEMO_DATAS_DIR "/Dealer");

// The faults told, by their text ids, one a blank.
QString FaultIds(const QStringList &texts)
{
    QStringList ids;
    for (const QString &text : texts) {
        QString id = QStringLiteral("?");
        for (int n = 4090; n < 4140; ++n) {
            if (text == CCampaignImport::DataFaultText(n))
                id = QString::number(n);
        }
        ids << id;
    }
    return ids.join(QLatin1Char(' '));
}

// A data file of the dealer folder: the field names, then one record a line.
void WriteFile(const QString &folder, const QString &name, const QStringList &fields,
               const QList<QStringList> &records)
{
    QByteArray bytes = fields.join(QLatin1Char('\t')).toUtf8() + '\n';
    for (const QStringList &record : records)
        bytes += record.join(QLatin1Char('\t')).toUtf8() + '\n';
    QVERIFY(writeTextFile(QDir(folder).filePath(name), bytes));
}

const QStringList kSubsFields = {"NSCID",
                                 "DLRID",
                                 "CMPN_NO",
                                 "CMPN_PCKG_NO",
                                 "SUBS_NO",
                                 "TYP_SCHL",
                                 "PROD_PERIOD_BEG",
                                 "PROD_PERIOD_END",
                                 "CMPN_PCKG_PRICE_DEF",
                                 "CMPN_PCKG_LABOUR_PRICE_DEF",
                                 "CMPN_PCKG_PART_PRICE_DEF",
                                 "CMPN_PCKG_LABOUR_OIL_PRICE_DEF"};
const QStringList kCmpnFields = {
    "NSCID",           "DLRID",           "CMPN_NO",     "CMPN_PERIOD_BEG", "CMPN_PERIOD_END",
    "FREG_PERIOD_BEG", "FREG_PERIOD_END", "VCL_AGE_BEG", "VCL_AGE_END",     "CMPN_ATTR1",
    "PRICE_TYPE_DEF",  "CMPN_ATTR2",      "CMPN_CCY"};
const QStringList kFrFields = {"NSCID",          "CMPN_NO",       "CMPN_PCKG_NO", "SUBS_NO",
                               "TYP_SCHL",       "CMPN_PCKG_REF", "FR_LINE_NO",   "FR_NO",
                               "FR_QUANTITY",    "FR_PRICE",      "FR_USAGE",     "FR_STAT",
                               "FR_OPERABILITY", "FR_REF_LINE_NO"};
const QStringList kPartFields = {
    "NSCID",         "CMPN_NO",     "CMPN_PCKG_NO", "SUBS_NO",          "TYP_SCHL",
    "CMPN_PCKG_REF", "PART_POS_NO", "PART_NO",      "PART_CATEGORY",    "PART_PRICE",
    "PART_QUANTITY", "PART_USAGE",  "PART_STAT",    "PART_OPERABILITY", "PART_REF_POS_NO"};
const QStringList kPckgFields = {"NSCID",        "CMPN_NO",         "CMPN_PCKG_NO",
                                 "SUBS_NO",      "CMPN_PCKG_REF",   "SUB_PCKG_POS_NO",
                                 "SUB_PCKG_REF", "SUB_PCKG_ATTR1",  "SUB_PCKG_ATTR2",
                                 "PCKG_STAT",    "PCKG_OPERABILITY"};

// The head of campaign K1, package P1, subscription S1 of package 1110010.
CPosition CampaignHead(const QString &priceType)
{
    CPosition head;
    head.Type = POS_HEAD_CAMPAIGN;
    head.Number = QStringLiteral("1110010");
    head.PaketArt = QStringLiteral("XX");
    head.Campaign[CPosition::CampaignNumber] = QStringLiteral("K1");
    head.Campaign[CPosition::CampaignPackageNumber] = QStringLiteral("P1");
    head.Campaign[CPosition::CampaignSubsField] = QStringLiteral("S1");
    head.Campaign[CPosition::CampaignPackageRef] = QStringLiteral("11110010");
    head.Campaign[CPosition::CampaignPriceType] = priceType;
    return head;
}

QStringList FrRecord(const QString &ref, const QString &line, const QString &number,
                     const QString &price, const QString &usage, const QString &stat,
                     const QString &operability, const QString &refLine = {})
{
    return {"N",    "K1",      "P1",  "S1",  "7A01", ref,         line,
            number, "001.000", price, usage, stat,   operability, refLine};
}

QStringList PartRecord(const QString &ref, const QString &number, const QString &category,
                       const QString &price, const QString &usage, const QString &stat,
                       const QString &operability)
{
    return {"N",      "K1",  "P1",      "S1",  "7A01", ref,         "0010", number,
            category, price, "002.500", usage, stat,   operability, ""};
}

CPrgSettings RequestSettings(int v117)
{
    CPrgSettings s;
    s.SRPInterfaceReq = 4;
    s.SRPInterfaceSend = 4;
    s.XMLx = 1;
    s.V115 = 1;
    s.V117 = v117;
    s.FgstnrFull = QStringLiteral("XVQ1F23A57M012345");
    s.TypSchl = QStringLiteral("7A01");
    UpdateDmsHeader(&s);
    return s;
}

// A "CR" campaign package: list line, campaign lines, head with its three
// rebates, a work position, a part, an oil and a part of no category.
std::unique_ptr<CPaket> RebatePackage()
{
    auto paket = std::make_unique<CPaket>();
    CPosition head = CampaignHead(QStringLiteral("CR"));
    head.Campaign[CPosition::CampaignName] = QStringLiteral("Frühjahr");
    head.Campaign[CPosition::CampaignLabourRebate] = QStringLiteral("010");
    head.Campaign[CPosition::CampaignPartsRebate] = QStringLiteral("0015");
    head.Campaign[CPosition::CampaignOilRebate] = QStringLiteral("20");
    CCampaignPackageLines lines = CampaignPackageLines(head, head);
    paket->AddPosition(std::move(lines.listLine));
    paket->AddPosition(std::move(lines.head));
    paket->AddPosition(std::move(lines.campaignLine));
    paket->AddPosition(std::move(lines.packageLine));
    auto add = [&](int type, const QString &number, const QString &category) {
        auto line = std::make_unique<CPosition>();
        line->Type = type;
        line->Number = number;
        line->Kind = QStringLiteral("S");
        line->Quantity = QStringLiteral("1");
        line->Campaign[CPosition::CampaignPartCategory] = category;
        paket->AddPosition(std::move(line));
    };
    add(POS_WORK, QStringLiteral("1110010"), QString());
    add(POS_PART, QStringLiteral("9X0000001"), QStringLiteral("p"));
    add(POS_PART, QStringLiteral("9X0000002"), QStringLiteral("o"));
    add(POS_PART, QStringLiteral("9X0000003"), QStringLiteral("x"));
    return paket;
}

// The "rebate" texts of the items and the three rebates of the campaign
// block of a body, "|" between them.
QString Rebates(const QString &body)
{
    auto texts = [&](const QString &name) {
        QStringList found;
        const QRegularExpression element(QStringLiteral("<%1>([^<]*)</%1>").arg(name));
        for (auto it = element.globalMatch(body); it.hasNext();)
            found << it.next().captured(1);
        return found;
    };
    const QStringList block = texts(QStringLiteral("labourRebate")) +
                              texts(QStringLiteral("partsRebate")) +
                              texts(QStringLiteral("oilRebate"));
    return texts(QStringLiteral("rebate")).join(QLatin1Char(' ')) + QStringLiteral(" | ") +
           block.join(QLatin1Char(' '));
}

} // namespace

class TestCampaigns : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void validity_data();
    void validity();
    void importChecks_data();
    void importChecks();
    void campaignRows();
    void loadChecks_data();
    void loadChecks();
    void loadGroupsAndSubPackages();
    void lineSteps_data();
    void lineSteps();
    void subPackageLine_data();
    void subPackageLine();
    void groupLines_data();
    void groupLines();
    void quantities_data();
    void quantities();
    void comboEntries();
    void basketPackage_data();
    void basketPackage();
    void rebates_data();
    void rebates();
    void demoCampaigns_data();
    void demoCampaigns();

private:
    TestEnv m_env;
};

void TestCampaigns::initTestCase()
{
    InitOrmelText(QStringLiteral(YAQ_DEMO_DATAS_DIR) + QStringLiteral("/Zirava/PrgTxt"));
}

void TestCampaigns::validity_data()
{
    QTest::addColumn<QString>("firstReg");
    QTest::addColumn<QString>("today");
    QTest::addColumn<QString>("freg");    // begin-end of the first-registration period
    QTest::addColumn<QString>("age");     // begin-end in months
    QTest::addColumn<QString>("prod");    // begin-end of the production period
    QTest::addColumn<QString>("period");  // begin-end of the campaign
    QTest::addColumn<QString>("verdict"); // valid / invalid, then "4103" or "bad age"
    // The vehicle was built in March 2015.
    // clang-format off
    QTest::newRow("no vehicle rules")                   << "09.03.2015" << "20160601" << "-"                 << "-"      << "20150101-20151231" << "20160101-20161231" << "valid";
    QTest::newRow("today on the campaign end")          << "09.03.2015" << "20161231" << "-"                 << "-"      << "20150101-20151231" << "20160101-20161231" << "valid";
    QTest::newRow("today on the campaign begin")        << "09.03.2015" << "20160101" << "-"                 << "-"      << "20150101-20151231" << "20160101-20161231" << "valid";
    QTest::newRow("today after the campaign end")       << "09.03.2015" << "20170101" << "-"                 << "-"      << "20150101-20151231" << "20160101-20161231" << "invalid";
    QTest::newRow("campaign before it begins")          << "09.03.2015" << "20151231" << "-"                 << "-"      << "20150101-20151231" << "20160101-20161231" << "invalid";
    QTest::newRow("no campaign end")                    << "09.03.2015" << "20160601" << "-"                 << "-"      << "20150101-20151231" << "20160101-"         << "invalid";
    QTest::newRow("model built after the period")       << "09.03.2015" << "20160601" << "-"                 << "-"      << "20140101-20141231" << "20160101-20161231" << "invalid";
    QTest::newRow("model built before the period")      << "09.03.2015" << "20160601" << "-"                 << "-"      << "20150401-20151231" << "20160101-20161231" << "invalid";
    QTest::newRow("model built in the period's first month") << "09.03.2015" << "20160601" << "-"            << "-"      << "20150301-20151231" << "20160101-20161231" << "valid";
    QTest::newRow("model built in the period's last month") << "09.03.2015" << "20160601" << "-"             << "-"      << "20150101-20150301" << "20160101-20161231" << "valid";
    QTest::newRow("no production end")                  << "09.03.2015" << "20160601" << "-"                 << "-"      << "20150101-"         << "20160101-20161231" << "invalid";
    QTest::newRow("first registration in the period")   << "09.03.2015" << "20160601" << "20150101-20150309" << "-"      << "20150101-20151231" << "20160101-20161231" << "valid";
    QTest::newRow("first registration on its begin")    << "09.03.2015" << "20160601" << "20150309-20151231" << "-"      << "20150101-20151231" << "20160101-20161231" << "valid";
    QTest::newRow("first registration before it")       << "09.03.2015" << "20160601" << "20150310-20151231" << "-"      << "20150101-20151231" << "20160101-20161231" << "invalid";
    QTest::newRow("first registration after its end")   << "09.03.2015" << "20160601" << "20150101-20150308" << "-"      << "20150101-20151231" << "20160101-20161231" << "invalid";
    QTest::newRow("a year alone is no period bound")    << "09.03.2015" << "20160601" << "2016-"             << "-"      << "20150101-20151231" << "20160101-20161231" << "valid";
    QTest::newRow("a year alone is no period end")      << "09.03.2015" << "20160601" << "-2014"             << "-"      << "20150101-20151231" << "20160101-20161231" << "valid";
    QTest::newRow("short date: period cannot hold")     << "9.3.2015"   << "20160601" << "20150101-20151231" << "-"      << "20150101-20151231" << "20160101-20161231" << "invalid";
    QTest::newRow("short date: age does not restrict")  << "9.3.2015"   << "20160601" << "-"                 << "24-"    << "20150101-20151231" << "20160101-20161231" << "valid";
    QTest::newRow("short date: period and age, not told") << "9.3.2015" << "20160601" << "20150101-20151231" << "24-"    << "20150101-20151231" << "20160101-20161231" << "invalid";
    QTest::newRow("age begin reached")                  << "09.03.2015" << "20160309" << "-"                 << "12-"    << "20150101-20151231" << "20160101-20161231" << "valid";
    QTest::newRow("age begin not reached")              << "09.03.2015" << "20160308" << "-"                 << "12-"    << "20150101-20151231" << "20160101-20161231" << "invalid";
    QTest::newRow("today on the age end")               << "09.03.2015" << "20160309" << "-"                 << "-12"    << "20150101-20151231" << "20160101-20161231" << "invalid";
    QTest::newRow("age end over the year's end")        << "15.11.2015" << "20160114" << "-"                 << "-2"     << "20150101-20151231" << "20160101-20161231" << "valid";
    QTest::newRow("age end reached over the year")      << "15.11.2015" << "20160115" << "-"                 << "-2"     << "20150101-20151231" << "20160101-20161231" << "invalid";
    QTest::newRow("31 January + 1 month: end of Feb")   << "31.01.2015" << "20150228" << "-"                 << "1-"     << "20150101-20151231" << "20150101-20161231" << "valid";
    QTest::newRow("period and age: age ignored, told")  << "09.03.2015" << "20160601" << "20150101-20151231" << "48-"    << "20150101-20151231" << "20160101-20161231" << "valid 4103";
    QTest::newRow("negative age is a data fault")       << "09.03.2015" << "20160601" << "-"                 << "-1-"    << "20150101-20151231" << "20160101-20161231" << "invalid bad age";
    QTest::newRow("age of no number is a data fault")   << "09.03.2015" << "20160601" << "-"                 << "1x-"    << "20150101-20151231" << "20160101-20161231" << "invalid bad age";
    // clang-format on
}

void TestCampaigns::validity()
{
    QFETCH(QString, firstReg);
    QFETCH(QString, today);
    QFETCH(QString, freg);
    QFETCH(QString, age);
    QFETCH(QString, prod);
    QFETCH(QString, period);
    QFETCH(QString, verdict);

    CPosition campaign;
    auto set = [&](const QString &range, int begin, int end) {
        if (range == QLatin1String("-"))
            return;
        // The last "-" separates the bounds, so that "-1-" is a begin of -1.
        const int dash = range.lastIndexOf(QLatin1Char('-'));
        campaign.Campaign[size_t(begin)] = range.left(dash);
        campaign.Campaign[size_t(end)] = range.mid(dash + 1);
    };
    set(freg, CPosition::CampaignFregBegin, CPosition::CampaignFregEnd);
    set(age, CPosition::CampaignAgeBegin, CPosition::CampaignAgeEnd);
    set(prod, CPosition::CampaignProdBegin, CPosition::CampaignProdEnd);
    set(period, CPosition::CampaignBegin, CPosition::CampaignEnd);
    const CCampaignValidity validity(firstReg, QStringLiteral("201503"), today);
    const CCampaignValidity::Verdict v = validity.Judge(campaign);
    QString got = v.valid ? QStringLiteral("valid") : QStringLiteral("invalid");
    if (v.periodAndAge)
        got += QStringLiteral(" 4103");
    if (v.badAge)
        got += QStringLiteral(" bad age");
    QCOMPARE(got, verdict);
}

void TestCampaigns::importChecks_data()
{
    QTest::addColumn<QString>("priceType");
    QTest::addColumn<QString>("defs"); // package, labour, parts, oil ("-" empty)
    QTest::addColumn<QString>("campaignEnd");
    QTest::addColumn<QString>("vehicleRules"); // first-registration period and age ("-" empty)
    QTest::addColumn<QString>("faults");
    QTest::addColumn<QString>("offered"); // the definitions kept, or "none"
    // clang-format off
    QTest::newRow("fixed price")                         << "L"  << "0199 - - -"   << "20991231" << "- - - -"           << ""     << "0199 - - -";
    QTest::newRow("fixed price without price")          << "L"  << "- - - -"      << "20991231" << "- - - -"           << "4100" << "- - - -";
    QTest::newRow("rebate without a rebate")             << "R"  << "- - - -"      << "20991231" << "- - - -"           << "4100" << "- - - -";
    QTest::newRow("item prices need no package price")   << "CL" << "- - - -"      << "20991231" << "- - - -"           << ""     << "- - - -";
    QTest::newRow("fixed price with an oil rebate")      << "L"  << "0199 - - 3"   << "20991231" << "- - - -"           << "4101" << "0199 - - -";
    QTest::newRow("rebate with item rebates: emptied")   << "R"  << "10 5 - -"     << "20991231" << "- - - -"           << "4101" << "10 - - -";
    QTest::newRow("item prices with a labour rebate")    << "CL" << "99 5 - -"     << "20991231" << "- - - -"           << "4101" << "99 - - -";
    QTest::newRow("item rebates: package price dropped") << "CR" << "99 5 10 15"   << "20991231" << "- - - -"           << ""     << "- 5 10 15";
    QTest::newRow("item rebates without the oil one")    << "CR" << "- 5 10 -"     << "20991231" << "- - - -"           << "4102" << "- 5 10 -";
    QTest::newRow("item rebates without the labour one") << "CR" << "- - 10 15"    << "20991231" << "- - - -"           << "4102" << "- - 10 15";
    QTest::newRow("item rebates without the parts one")  << "CR" << "- 5 - 15"     << "20991231" << "- - - -"           << "4102" << "- 5 - 15";
    QTest::newRow("expired: told, not offered")          << "L"  << "- - - -"      << "20000101" << "- - - -"           << "4100" << "none";
    QTest::newRow("period and age: told, age ignored")   << "L"  << "0199 - - -"   << "20991231" << "20150101 20151231 48 -" << "4103" << "0199 - - -";
    // clang-format on
}

void TestCampaigns::importChecks()
{
    QFETCH(QString, priceType);
    QFETCH(QString, defs);
    QFETCH(QString, campaignEnd);
    QFETCH(QString, vehicleRules);
    QFETCH(QString, faults);
    QFETCH(QString, offered);

    QTemporaryDir dir;
    const QString folder = dir.path();
    QStringList d = defs.split(QLatin1Char(' '));
    QStringList r = vehicleRules.split(QLatin1Char(' '));
    for (QStringList *fields : {&d, &r})
        for (QString &v : *fields)
            v = v == QLatin1String("-") ? QString() : v;
    WriteFile(folder, QStringLiteral("CMPN_PCKG_SUBS.dat"), kSubsFields,
              {{"N", "D", "K1", "P1", "S1", "7A01", "20150101", "20151231", d[0], d[1], d[2], d[3]},
               {"N", "D", "K2", "P1", "S1", "7B01", "20150101", "20151231", "", "", "", ""},
               {"N", "D", "K9", "P1", "S1", "7A01", "20150101", "20151231", "1", "", "", ""}});
    WriteFile(folder, QStringLiteral("CMPN.dat"), kCmpnFields,
              {{"N", "D", "K1", "20160101", campaignEnd, r[0], r[1], r[2], r[3], "a", priceType,
                "b", "EUR"},
               {"N", "D", "K2", "20160101", "20991231", "", "", "", "", "a", "L", "b", "EUR"}});
    WriteFile(folder, QStringLiteral("CMPN_TXT.dat"), {"NSCID", "DLRID", "CMPN_NO", "CMPN_NAME"},
              {});
    WriteFile(folder, QStringLiteral("CMPN_PCKG.dat"),
              {"NSCID", "CMPN_NO", "CMPN_PCKG_NO", "CMPN_PCKG_REF"},
              {{"N", "K1", "P1", "11110010"}});
    WriteFile(folder, QStringLiteral("CMPN_PCKG_TXT.dat"),
              {"NSCID", "DLRID", "CMPN_NO", "CMPN_PCKG_NO", "CMPN_PCKG_NAME"}, {});
    WriteFile(folder, QStringLiteral("MRKTNG_ATT.dat"), {"Schluessel", "Fastlane", "Valueline"},
              {{"11110010", "1", "0"}});

    CCampaignImportInput input;
    input.folder = folder;
    input.typeKey = QStringLiteral("7A01");
    input.firstRegistration = QStringLiteral("09.03.2015");
    input.productionDate = QStringLiteral("20150309");
    input.today = QStringLiteral("20160601");
    Notices notices;
    const CCampaignOffers offers = CCampaignImport(input, &notices).Import();
    QCOMPARE(FaultIds(notices.texts), faults);
    if (offered == QLatin1String("none")) {
        QCOMPARE(offers.size(), size_t(0));
        return;
    }
    QCOMPARE(offers.size(), size_t(1));
    const CPosition &o = *offers.front();
    QStringList kept;
    for (int f : {int(CPosition::CampaignFixedPrice), int(CPosition::CampaignLabourRebate),
                  int(CPosition::CampaignPartsRebate), int(CPosition::CampaignOilRebate)})
        kept << (o.Campaign[size_t(f)].isEmpty() ? QStringLiteral("-") : o.Campaign[size_t(f)]);
    QCOMPARE(kept.join(QLatin1Char(' ')), offered);
    // Names fall back to the numbers; the package number is the reference's.
    QCOMPARE(o.Campaign[CPosition::CampaignName], QStringLiteral("K1"));
    QCOMPARE(o.Campaign[CPosition::CampaignPackageName], QStringLiteral("P1"));
    QCOMPARE(o.Number, QStringLiteral("1110010"));
    QCOMPARE(o.IsFastlane, 1);
}

void TestCampaigns::campaignRows()
{
    // Two packages of campaign K2 and one of K1, which begins earlier: one
    // row per campaign, K1 first; opening K2 lists both its packages.
    auto offer = [](const QString &number, const QString &package, const QString &begin) {
        auto p = std::make_shared<CPosition>();
        p->Type = POS_SPECIAL2;
        p->Number = package;
        p->Campaign[CPosition::CampaignNumber] = number;
        p->Campaign[CPosition::CampaignBegin] = begin;
        p->Campaign[CPosition::CampaignName] = number;
        p->Campaign[CPosition::CampaignPackageRef] = QLatin1Char('1') + package;
        return CCampaignOffer(p);
    };
    const CCampaignOffers offers = {offer("K2", "1110010", "20160301"),
                                    offer("K2", "2220010", "20160301"),
                                    offer("K1", "1110010", "20160101")};
    CPackageList list;
    QCOMPARE(AddCampaignRows(list, offers), 2);
    const std::vector<CPackageRow *> campaigns = list.RowsOfLevel(kLevelCampaign);
    QCOMPARE(campaigns.size(), size_t(2));
    QCOMPARE(campaigns[0]->groupText, QStringLiteral("K1"));
    QCOMPARE(OpenCampaign(list, campaigns[1], offers), 2);
    const std::vector<CPackageRow *> packages = list.RowsOfLevel(kLevelCampaignPackage);
    QCOMPARE(packages.size(), size_t(2));
    QCOMPARE(packages[0]->number, QStringLiteral("1110010"));
    QCOMPARE(list.Current(kLevelCampaignPackage), packages[0]);
    // Opening it again does not pile the rows up.
    QCOMPARE(OpenCampaign(list, campaigns[1], offers), 2);
    QCOMPARE(list.RowsOfLevel(kLevelCampaignPackage).size(), size_t(2));
    // A package row carries the offers of its package number.
    CPackageRow row;
    row.level = kLevelPackage;
    row.number = QStringLiteral("1110010");
    AttachCampaignOffers({&row}, offers);
    QCOMPARE(row.campaignPackages, 2);
}

void TestCampaigns::loadChecks_data()
{
    QTest::addColumn<QString>("line"); // "work", "part" or "sub" (an optional sub-package)
    QTest::addColumn<QString>("priceType");
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("usage");
    QTest::addColumn<QString>("stat");
    QTest::addColumn<QString>("operability");
    QTest::addColumn<QString>("faults");
    QTest::addColumn<int>("selected");
    // clang-format off
    QTest::newRow("item price given")                   << "work" << "CL" << "12.50" << "S" << "1" << "1" << ""     << 1;
    QTest::newRow("item price missing")                 << "work" << "CL" << ""      << "S" << "1" << "1" << "4093" << 1;
    QTest::newRow("fixed price with an item price")     << "work" << "L"  << "12.50" << "S" << "1" << "1" << "4094" << 1;
    QTest::newRow("item rebates with an item price")    << "work" << "CR" << "12.50" << "S" << "1" << "1" << "4094" << 1;
    QTest::newRow("optional selectable chosen: unchosen") << "work" << "R" << ""     << "O" << "1" << "0" << "4095" << 0;
    QTest::newRow("optional fixed chosen stays")        << "work" << "R"  << ""      << "O" << "1" << "1" << ""     << 1;
    QTest::newRow("standard selectable chosen stays")   << "work" << "R"  << ""      << "S" << "1" << "0" << ""     << 1;
    QTest::newRow("optional selectable unchosen: quiet") << "work" << "R" << ""      << "O" << "0" << "0" << ""     << 0;
    QTest::newRow("part: item price missing")           << "part" << "CL" << ""      << "S" << "1" << "1" << "4096" << 1;
    QTest::newRow("part: rebate with an item price")    << "part" << "R"  << "3.00"  << "S" << "1" << "1" << "4097" << 1;
    QTest::newRow("part: optional chosen: unchosen")    << "part" << "L"  << ""      << "O" << "1" << "0" << "4098" << 0;
    QTest::newRow("unknown price type checks nothing")  << "part" << "X"  << "3.00"  << "S" << "0" << "0" << ""     << 0;
    QTest::newRow("sub-package chosen: told")           << "sub"  << "R"  << ""      << ""  << "1" << "1" << "4131" << 1;
    QTest::newRow("sub-package selectable: told")       << "sub"  << "R"  << ""      << ""  << "0" << "0" << "4131" << 0;
    QTest::newRow("sub-package fixed, not chosen")      << "sub"  << "R"  << ""      << ""  << "0" << "1" << ""     << 0;
    // clang-format on
}

void TestCampaigns::loadChecks()
{
    QFETCH(QString, line);
    QFETCH(QString, priceType);
    QFETCH(QString, price);
    QFETCH(QString, usage);
    QFETCH(QString, stat);
    QFETCH(QString, operability);
    QFETCH(QString, faults);
    QFETCH(int, selected);

    QTemporaryDir dir;
    const QString ref = QStringLiteral("11110010");
    const bool work = line == QLatin1String("work");
    const bool sub = line == QLatin1String("sub");
    WriteFile(
        dir.path(), QStringLiteral("CMPN_PCKG_SUBS_FR.dat"), kFrFields,
        {work ? FrRecord(ref, "0010", "1110010", price, usage, stat, operability) : QStringList()});
    WriteFile(dir.path(), QStringLiteral("CMPN_PCKG_SUBS_PART.dat"), kPartFields,
              {!work && !sub ? PartRecord(ref, "9X0000001", "p", price, usage, stat, operability)
                             : QStringList()});
    WriteFile(
        dir.path(), QStringLiteral("CMPN_PCKG_SUBS_PCKG.dat"), kPckgFields,
        {sub ? QStringList{"N", "K1", "P1", "S1", ref, "01", "11120010", "", "", stat, operability}
             : QStringList()});

    CCampaignLoadInput input;
    input.folder = dir.path();
    input.typeKey = QStringLiteral("7A01");
    Notices notices;
    CPaket paket;
    const CPosition head = CampaignHead(priceType);
    paket.AddPosition(std::make_unique<CPosition>(head));
    QCOMPARE(CCampaignLoader(input, &notices).Load(paket, *paket.GetKopf()), CatalogueFound::Yes);
    QCOMPARE(FaultIds(notices.texts), faults);
    const CPosition *loaded =
        sub ? paket.FindPosition(POS_SUBPACKAGE, QStringLiteral("1120010"), QString())
            : paket.FindPosition(work ? POS_WORK : POS_PART,
                                 work ? QStringLiteral("1110010") : QStringLiteral("9X0000001"),
                                 QString());
    QVERIFY(loaded);
    QCOMPARE(loaded->Selected, selected);
    if (sub)
        return;
    QCOMPARE(loaded->CampaignUsage(), usage);
    QCOMPARE(loaded->CampaignStatus(), operability);
}

void TestCampaigns::loadGroupsAndSubPackages()
{
    // Two optional work positions and an optional part under one
    // "OPTIONAL"; an alternative names the line it stands for; the
    // sub-package holds a labour position under its own reference and
    // holds itself, which is told and not loaded again.
    QTemporaryDir dir;
    const QString ref = QStringLiteral("11110010");
    const QString subRef = QStringLiteral("11120010");
    WriteFile(dir.path(), QStringLiteral("CMPN_PCKG_SUBS_FR.dat"), kFrFields,
              {FrRecord(ref, "0010", "1110010", "", "S", "1", "1"),
               FrRecord(ref, "0020", "1110020", "", "O", "0", "0"),
               FrRecord(ref, "0030", "1110030", "", "O", "0", "0"),
               FrRecord(ref, "0040", "1110040", "", "A", "0", "0", "0010"),
               FrRecord(subRef, "0010", "1120010", "", "S", "1", "1")});
    WriteFile(dir.path(), QStringLiteral("CMPN_PCKG_SUBS_PART.dat"), kPartFields,
              {PartRecord(ref, "9X0000001", "p", "", "O", "0", "0")});
    WriteFile(dir.path(), QStringLiteral("CMPN_PCKG_SUBS_PCKG.dat"), kPckgFields,
              {{"N", "K1", "P1", "S1", ref, "01", subRef, "", "", "0", "1"},
               {"N", "K1", "P1", "S1", subRef, "01", subRef, "", "", "0", "1"}});
    CCampaignLoadInput input;
    input.folder = dir.path();
    input.typeKey = QStringLiteral("7A01");
    Notices notices;
    CPaket paket;
    paket.AddPosition(std::make_unique<CPosition>(CampaignHead(QStringLiteral("R"))));
    QCOMPARE(CCampaignLoader(input, &notices).Load(paket, *paket.GetKopf()), CatalogueFound::Yes);
    QCOMPARE(FaultIds(notices.texts), QStringLiteral("4133"));

    int optionalGroups = 0;
    for (const auto &line : paket) {
        if (line->Type == POS_GROUP && line->Kind == QLatin1String("O"))
            ++optionalGroups;
    }
    QCOMPARE(optionalGroups, 1);
    const CPosition *alternative =
        paket.FindPosition(POS_WORK, QStringLiteral("1110040"), QString());
    QVERIFY(alternative);
    QCOMPARE(alternative->AwPosRef, QStringLiteral("1110010"));
    QCOMPARE(paket.FindPosition(POS_WORK, QStringLiteral("1110010"), QString())->IsLeadLabour, 1);
    const CPosition *sub = paket.FindPosition(POS_SUBPACKAGE, QStringLiteral("1120010"), QString());
    QVERIFY(sub && sub->SubPackage);
    const CPaket &nested = *sub->SubPackage;
    QVERIFY(nested.GetPosType1() && nested.GetPosType2() && nested.GetPosType4());
    QCOMPARE(nested.GetKopf()->Campaign[CPosition::CampaignPackageRef], subRef);
    QVERIFY(nested.FindPosition(POS_WORK, QStringLiteral("1120010"), QString()));
    // The sub-package that holds itself stays a line without lines.
    const CPosition *self =
        nested.FindPosition(POS_SUBPACKAGE, QStringLiteral("1120010"), QString());
    QVERIFY(self && self->SubPackage);
    QVERIFY(!self->SubPackage->FindPosition(POS_WORK, QStringLiteral("1120010"), QString()));
}

// The steps of a level, from records to lines. A record starts as a
// standard line of the head's campaign; `set` changes its fields
// ("usage=A;standsFor=1110010"), `field` names what is read of the line.
void TestCampaigns::lineSteps_data()
{
    QTest::addColumn<QString>("kind"); // "work" or "part"
    QTest::addColumn<QString>("set");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("expected");
    // clang-format off
    QTest::newRow("the head's number is the lead labour")   << "work" << "number=1110010"                << "lead"      << "1";
    QTest::newRow("another number is no lead labour")       << "work" << "number=1110020"                << "lead"      << "0";
    QTest::newRow("a part is never lead labour")            << "part" << "number=1110010"                << "lead"      << "0";
    QTest::newRow("an alternative names the line it stands for") << "work" << "usage=A;standsFor=1110010" << "standsFor" << "1110010";
    QTest::newRow("quantity shown without its padding")     << "part" << "quantity=002.500"              << "quantity"  << "2.5";
    QTest::newRow("work keeps its line numbers")            << "work" << "lineNo=0020;refLineNo=0010"    << "lineNos"   << "0020/0010";
    QTest::newRow("part keeps its position numbers")        << "part" << "lineNo=0020;refLineNo=0010"    << "lineNos"   << "0020/0010";
    QTest::newRow("part keeps its category")                << "part" << "category=o"                    << "category"  << "o";
    QTest::newRow("part text read by its number")           << "part" << "number=9X0000001"              << "text"      << "text of 9X0000001";
    // clang-format on
}

void TestCampaigns::lineSteps()
{
    QFETCH(QString, kind);
    QFETCH(QString, set);
    QFETCH(QString, field);
    CCampaignLoader::LineRow row{"N", "K1", "P1", "S1", "11110010", "1110099", "001.000", "",
                                 "S", "1",  "1",  "",   "",         "",        ""};
    const QHash<QString, QString *> fields = {
        {"number", &row.number},      {"usage", &row.usage},         {"quantity", &row.quantity},
        {"lineNo", &row.lineNo},      {"refLineNo", &row.refLineNo}, {"category", &row.category},
        {"standsFor", &row.standsFor}};
    for (const QString &change : set.split(QLatin1Char(';')))
        *fields.value(change.section(QLatin1Char('='), 0, 0)) = change.section(QLatin1Char('='), 1);
    Notices notices;
    CCampaignLoader loader({}, &notices, {}, [](const QString &number) {
        return QStringLiteral("text of ") + number;
    });
    const bool work = kind == QLatin1String("work");
    const CCampaignLoader::Lines lines =
        work ? loader.WorkLines({row}, QStringLiteral("1110010"), "L")
             : loader.PartLines({row}, "L");
    QCOMPARE(lines.size(), size_t(1));
    const CPosition &line = *lines.front();
    const auto &c = line.Campaign;
    const QHash<QString, QString> read = {
        {"lead", QString::number(line.IsLeadLabour)},
        {"standsFor", line.AwPosRef},
        {"quantity", line.Quantity},
        {"lineNos",
         work ? c[CPosition::CampaignWorkLineNo] + "/" + c[CPosition::CampaignWorkRefLineNo]
              : line.PosLfdNr + "/" + line.PosLfdNrRef},
        {"category", c[CPosition::CampaignPartCategory]},
        {"text", line.TeileText}};
    QTEST(read.value(field), "expected");
    QCOMPARE(notices.texts, QStringList());
}

void TestCampaigns::subPackageLine_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("expected");
    const QString types =
        QStringList{QString::number(POS_SPECIAL1), QString::number(POS_SPECIAL2),
                    QString::number(POS_SPECIAL4), QString::number(POS_HEAD_CAMPAIGN)}
            .join(QLatin1Char(','));
    // clang-format off
    QTest::newRow("number from the reference")            << "number"    << "1120010";
    QTest::newRow("its package holds its own lines")      << "types"     << types;
    QTest::newRow("head under the sub-package's reference") << "headRef" << "11120010";
    QTest::newRow("head under the record's keys")         << "headKeys"  << "K2/P2/S2";
    QTest::newRow("head keeps the holder's price type")   << "priceType" << "R";
    QTest::newRow("head numbered as the line")            << "headNumber" << "1120010";
    // clang-format on
}

void TestCampaigns::subPackageLine()
{
    QFETCH(QString, field);
    Notices notices;
    const CCampaignLoader loader({}, &notices);
    const CCampaignLoader::SubRow row{"N",        "K2", "P2", "S2", "11110010", "01",
                                      "11120010", "",   "",   "0",  "1"};
    const std::unique_ptr<CPosition> line =
        loader.SubPackageLine(row, CampaignHead(QStringLiteral("R")));
    QVERIFY(line->SubPackage);
    QStringList types;
    for (const auto &nested : *line->SubPackage)
        types << QString::number(nested->Type);
    const CPosition *head = line->SubPackage->GetKopf();
    QVERIFY(head);
    const auto &c = head->Campaign;
    const QHash<QString, QString> read = {{"number", line->Number},
                                          {"types", types.join(QLatin1Char(','))},
                                          {"headRef", c[CPosition::CampaignPackageRef]},
                                          {"headKeys", c[CPosition::CampaignNumber] + "/" +
                                                           c[CPosition::CampaignPackageNumber] +
                                                           "/" + c[CPosition::CampaignSubsField]},
                                          {"priceType", c[CPosition::CampaignPriceType]},
                                          {"headNumber", head->Number}};
    QTEST(read.value(field), "expected");
    QCOMPARE(notices.texts, QStringList());
}

// Lines as "type:kind", group lines shown as "[kind]".
void TestCampaigns::groupLines_data()
{
    QTest::addColumn<QString>("lines");
    QTest::addColumn<QString>("grouped");
    // clang-format off
    QTest::newRow("no optional line, no group")           << "work:S,part:S"               << "S,S";
    QTest::newRow("one group before the first optional")  << "work:S,work:O,part:O"        << "S,[O],O,O";
    QTest::newRow("an optional part alone")               << "work:S,part:O"               << "S,[O],O";
    QTest::newRow("sub-packages under their own group")   << "work:S,sub:OP,sub:OP,part:S" << "S,[OP],OP,OP,S";
    QTest::newRow("a sub-package is no optional line")    << "sub:OP,part:O"               << "[OP],OP,[O],O";
    // clang-format on
}

void TestCampaigns::groupLines()
{
    QFETCH(QString, lines);
    const QHash<QString, int> types = {
        {"work", POS_WORK}, {"part", POS_PART}, {"sub", POS_SUBPACKAGE}};
    CCampaignLoader::Lines input;
    for (const QString &spec : lines.split(QLatin1Char(','))) {
        auto line = std::make_unique<CPosition>();
        line->Type = types.value(spec.section(QLatin1Char(':'), 0, 0));
        line->Kind = spec.section(QLatin1Char(':'), 1);
        input.push_back(std::move(line));
    }
    QStringList grouped;
    for (const auto &line : CCampaignLoader::WithGroupLines(std::move(input)))
        grouped << (line->Type == POS_GROUP ? "[" + line->Kind + "]" : line->Kind);
    QTEST(grouped.join(QLatin1Char(',')), "grouped");
}

void TestCampaigns::quantities_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    // clang-format off
    QTest::newRow("whole with decimals")   << "001.000" << "1";
    QTest::newRow("half")                  << "002.500" << "2.5";
    QTest::newRow("below one keeps its 0") << "0.500"   << "0.5";
    QTest::newRow("tens keep their zero")  << "010"     << "10";
    QTest::newRow("zero")                  << "000"     << "0";
    // clang-format on
}

void TestCampaigns::quantities()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QCOMPARE(CCampaignLoader::NormaliseQuantity(text), shown);
}

void TestCampaigns::comboEntries()
{
    // Filling the combo again and again from a head made of one of its
    // entries offers the same campaigns, one level deep.
    CPosition head;
    head.Type = POS_HEAD_CAMPAIGN;
    for (const char *number : {"K1", "K2"}) {
        auto offer = std::make_unique<CPosition>(CampaignHead(QStringLiteral("R")));
        offer->Campaign[CPosition::CampaignNumber] = QLatin1String(number);
        offer->Campaign[CPosition::CampaignFixedPrice] = QStringLiteral("010");
        offer->Campaign[CPosition::CampaignName] = QStringLiteral("Frühjahr ");
        head.SubPositions.push_back(std::move(offer));
    }
    CCampaignEntries entries = CampaignEntries(head);
    for (int round = 0; round < 3; ++round) {
        const CCampaignPackageLines lines = CampaignPackageLines(*entries[1], *entries[1]);
        entries = CampaignEntries(*lines.head);
        QCOMPARE(entries.size(), size_t(2));
        QCOMPARE(entries[0]->SubPositions.size(), size_t(2));
        QVERIFY(entries[0]->SubPositions[0]->SubPositions.empty());
    }
    QCOMPARE(CampaignEntryText(*entries[0]), QStringLiteral("10 % Frühjahr"));
    // Found by the campaign's identity, not by its place or its prices.
    CPosition chosen = *entries[1];
    chosen.SubPositions.clear();
    chosen.Preise1.Gross = 99.0;
    QCOMPARE(FindCampaignEntry(entries, &chosen), 1);
    chosen.Campaign[CPosition::CampaignNumber] = QStringLiteral("K3");
    QCOMPARE(FindCampaignEntry(entries, &chosen), 0);
    QCOMPARE(FindCampaignEntry(CCampaignEntries(), &chosen), -1);
}

void TestCampaigns::basketPackage_data()
{
    QTest::addColumn<QString>("lines"); // the line types of the package
    QTest::addColumn<QString>("marker");
    QTest::addColumn<int>("kind"); // BasketPackageKind
    // clang-format off
    QTest::newRow("campaign package")           << "1 9 2 4" << "XX" << int(BasketPackageKind::Campaign);
    QTest::newRow("service repair package")     << "1 9"     << "11" << int(BasketPackageKind::ServiceRepair);
    QTest::newRow("campaign lines, no marker")  << "1 9 2 4" << "11" << int(BasketPackageKind::ServiceRepair);
    QTest::newRow("without head: refused")      << "1 2 4"   << "XX" << int(BasketPackageKind::Refused);
    QTest::newRow("without list line: refused") << "9 10"    << ""   << int(BasketPackageKind::Refused);
    // clang-format on
}

void TestCampaigns::basketPackage()
{
    QFETCH(QString, lines);
    QFETCH(QString, marker);
    QFETCH(int, kind);
    CPaket paket;
    for (const QString &type : lines.split(QLatin1Char(' '))) {
        auto line = std::make_unique<CPosition>();
        line->Type = type.toInt();
        line->HG = marker;
        paket.AddPosition(std::move(line));
    }
    QCOMPARE(int(KindOfBasketPackage(paket)), kind);
}

void TestCampaigns::rebates_data()
{
    QTest::addColumn<QString>("body"); // "request" or "transfer"
    QTest::addColumn<int>("v117");
    QTest::addColumn<QString>("rebates"); // item rebates | labour parts oil of the block
    // clang-format off
    QTest::newRow("request")                 << "request"  << 1 << "10 15 20 | 10 15 20";
    QTest::newRow("request without 1.17")    << "request"  << 0 << " | ";
    QTest::newRow("transfer")                << "transfer" << 1 << "10 15 20 | 10 15 20";
    QTest::newRow("transfer without 1.17")   << "transfer" << 0 << " | ";
    // clang-format on
}

void TestCampaigns::rebates()
{
    QFETCH(QString, body);
    QFETCH(int, v117);
    QFETCH(QString, rebates);
    const CPrgSettings s = RequestSettings(v117);
    std::unique_ptr<CPaket> paket = RebatePackage();
    QString xml;
    if (body == QLatin1String("request")) {
        xml = CPackagePriceRequest(s).Build(*paket, DmsHeaderVersion(s));
    } else {
        CWKList basket;
        basket.Add(CWKListItem(WK_CAMPAIGN, std::move(paket)), 1);
        xml = CTransferRequest(s, CTransferOrder()).Build(basket, DmsHeaderVersion(s));
    }
    QVERIFY2(Rebates(xml) == rebates, qPrintable(xml));
}

void TestCampaigns::demoCampaigns_data()
{
    QTest::addColumn<int>("offer");
    QTest::addColumn<int>("v117");
    QTest::addColumn<double>("packageNet"); // the stand-in's campaign package price
    // Package rebate 10 %: (4.5 x 11.50 + 119.00 + 69.90) x 0.9; rebates
    // by item: 339.00 less 15 %, 4.5 x 11.50 less 20 % (oil), 69.90 less 10 %;
    // without V117 the request names no item rebate: 339.00 + 51.75 + 69.90.
    // clang-format off
    QTest::newRow("Frühjahrs-Check")                << 0 << 1 << 216.59;
    QTest::newRow("Frühjahrs-Check without V117")   << 0 << 0 << 216.59;
    QTest::newRow("Werkstatt-Wochen")               << 1 << 1 << 392.46;
    QTest::newRow("Werkstatt-Wochen without V117")  << 1 << 0 << 460.65;
    // clang-format on
}

// The demo dealer's campaigns for the demo VQ Arvo: two offered, the
// expired one and the one for vehicles built later left out; each loads
// without a fault and the stand-in DMS prices it with its campaign.
void TestCampaigns::demoCampaigns()
{
    QFETCH(int, offer);
    QFETCH(int, v117);
    QFETCH(double, packageNet);
    CCampaignImportInput input;
    input.folder = kDemoDealer;
    input.typeKey = QStringLiteral("7A01");
    input.firstRegistration = QStringLiteral("09.03.2016");
    input.productionDate = QStringLiteral("20160309");
    input.today = QStringLiteral("20261207");
    Notices notices;
    const CCampaignOffers offers = CCampaignImport(input, &notices).Import();
    QCOMPARE(notices.texts, QStringList());
    QStringList names;
    for (const CCampaignOffer &offer : offers)
        names << offer->Campaign[CPosition::CampaignName];
    QCOMPARE(names, QStringList({"Frühjahrs-Check", "Werkstatt-Wochen"}));

    const CCampaignOffer &chosen = offers.at(size_t(offer));
    CCampaignPackageLines lines = CampaignPackageLines(*chosen, *chosen);
    CPaket paket;
    paket.AddPosition(std::move(lines.listLine));
    CPosition *head = paket.AddPosition(std::move(lines.head));
    paket.AddPosition(std::move(lines.campaignLine));
    paket.AddPosition(std::move(lines.packageLine));
    CCampaignLoadInput load;
    load.folder = kDemoDealer;
    load.typeKey = QStringLiteral("7A01");
    QCOMPARE(CCampaignLoader(load, &notices).Load(paket, *head), CatalogueFound::Yes);
    QCOMPARE(notices.texts, QStringList());
    if (offer == 0)
        QVERIFY(paket.FindPosition(POS_SUBPACKAGE, QStringLiteral("1110030"), QString()));

    DmsPackagePrices prices;
    QString error;
    QVERIFY2(LoadDmsPackagePrices(QStringLiteral(YAQ_DMS_PACKAGES), &prices, &error),
             qPrintable(error));
    StandInDms dms;
    dms.setPackagePrices(prices);
    QVERIFY(dms.listen(QHostAddress::LocalHost, 0));
    CPrgSettings s = RequestSettings(v117);
    s.ReqXMLServer = QStringLiteral("http://127.0.0.1:%1/").arg(dms.port());
    CSoapReqSender sender(&s);
    CDmsClient client(&s, &sender);
    DmsNotices dmsNotices;
    CPackagePriceExchange exchange(client, &dmsNotices);
    exchange.SetCampaignMode(true);
    QCOMPARE(exchange.Request(paket).applied, 1);
    QCOMPARE(dmsNotices.texts, QStringList());
    // The stand-in's campaign prices reach the lines, its package price the
    // head.
    QCOMPARE(paket.FindPosition(POS_PART, QStringLiteral("9X0698151B"), QString())->Preise3.UnitNet,
             69.9);
    QCOMPARE(head->Preise3.PackageNet, packageNet);
}

YAQ_TEST_GUILESS_MAIN(TestCampaigns)
#include "tst_campaigns.moc"
