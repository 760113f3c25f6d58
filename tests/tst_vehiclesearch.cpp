// The vehicle search of the "DMS-VIN" button without the dialog: the dealer
// file's criteria and their intersection, the "requestVIN" body and the
// evaluation of its answer, the take-over of a hit, the button's steps, the
// information text, and one search against the stand-in DMS.

#include "app/DmsVinButton.h"
#include "app/MainWndRules.h"
#include "app/VehicleSearch.h"
#include "common/TextDlg.h"
#include "dms/DmsClient.h"
#include "dms/SoapReqSender.h"
#include "platform/OrmelText.h"
#include "settings/DmsHeader.h"
#include "settings/PrgSettings.h"
#include "support/TestMain.h"
#include "yaq2-dms/StandInDms.h"

#include <QDomDocument>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Notices : IDmsNotice
{
    QStringList texts;
    QStringList captions;
    void Notice(const QString &text, const QString &caption) override
    {
        texts << text;
        captions << caption;
    }
};

struct Sender : IDmsSender
{
    QString answer;
    int calls = 0;
    QString body;
    QString Request(const QString &, const QString &, const QString &b) override
    {
        ++calls;
        body = b;
        return answer;
    }
};

// The dealer file of the tests: one vehicle twice under one plate, a plate
// with trailing blanks, owners sharing a name part.
const char kFgInfo[] = "FgstNr\tPolKZ\tName\tSuchkriterium3\tSuchkriterium4\tFahrzeug\tBemerkung\n"
                       "XVQ1F23A57M012345\tMS-VQ 101\tMüller\tK-1\tA-1\tVQ Arvo\t\n"
                       "XVQ1F23A57M012345\tMS-VQ 101\tMüller Autovermietung\tK-2\t\tVQ Arvo\t\n"
                       "XVQ2G45B684K56789\tMS-AB 202   \tSchmidt\tK-3\tA-2\tVQ Bento  \t\n"
                       "XVQ9A00A00A000001\tHH-AB 1\tSchmidt\tK-4\t\tVQ Cirro\t\n";

CVehicleSearchCriteria Criteria(const QString &plate, const QString &name, const QString &c3,
                                const QString &c4)
{
    CVehicleSearchCriteria c;
    c.plate = plate;
    c.lastName = name;
    c.criterion3 = c3;
    c.criterion4 = c4;
    return c;
}

QString Vins(const QList<CFgstNrAbfZeile> &hits)
{
    QStringList vins;
    for (const CFgstNrAbfZeile &hit : hits)
        vins << hit.strFgstNr;
    return vins.join(QLatin1Char(','));
}

// Settings asking the DMS in version 01.04.01, or 01.05.00 with V117.
CPrgSettings DmsSettings(int v117)
{
    CPrgSettings s;
    s.SRPInterfaceReq = 4;
    s.XMLx = 1;
    s.V117 = v117;
    s.ReqXMLServer = QStringLiteral("dms.test:8080/srp");
    UpdateDmsHeader(&s);
    return s;
}

QString VehicleXml(const QString &vin, const QString &extra = QString())
{
    return QStringLiteral("<vehicleIdentification><vin vinLongPrefix=\"%1\" vinShort=\"%2\"/>"
                          "%3</vehicleIdentification>")
        .arg(vin.left(10), vin.mid(10), extra);
}

QString Answer(const QString &children, const QString &version)
{
    return QStringLiteral(
               "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body>"
               "<requestVINResponse xmlns=\"http://%1/SRP\" "
               "refSchema=\"serviceRepairPackages.xsd\" "
               "version=\"%2\">%3</requestVINResponse></soap:Body></soap:Envelope>")
        .arg(QLatin1String(kDmsNamespaceHost), version, children);
}

QString ManyVehicles(int count)
{
    QString xml;
    for (int i = 0; i < count; ++i)
        xml += VehicleXml(QStringLiteral("XVQ1F23A57M%1").arg(i, 6, 10, QLatin1Char('0')));
    return xml;
}

// The program text ids among the messages, the texts themselves otherwise.
QString Ids(const QStringList &texts)
{
    QStringList out;
    for (const QString &text : texts) {
        QString shown = text;
        for (int id : {4007, 4014, 5003, 5050, 5051, 5054, 7024, 7035}) {
            if (text == OrmelText(id))
                shown = QString::number(id);
        }
        out << shown;
    }
    return out.join(QLatin1Char('|'));
}

} // namespace

class TestVehicleSearch : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void dealerFile_data();
    void dealerFile();
    void dealerFileMissing();
    void requestBody_data();
    void requestBody();
    void nothingSentWithoutCriteria();
    void answer_data();
    void answer();
    void takeHit_data();
    void takeHit();
    void dmsVinButton_data();
    void dmsVinButton();
    void infoText_data();
    void infoText();
    void standInDms_data();
    void standInDms();

private:
    QTemporaryDir m_dir;
};

void TestVehicleSearch::initTestCase()
{
    InitOrmelText(QStringLiteral(YAQ_DEMO_DATAS_DIR "/Zirava/PrgTxt"));
    SetPrgSprache(QStringLiteral("00"));
    QVERIFY(m_dir.isValid());
    QFile file(m_dir.filePath(QStringLiteral("FGInfo00.dat")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(kFgInfo);
}

void TestVehicleSearch::dealerFile_data()
{
    QTest::addColumn<QString>("plate");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("c3");
    QTest::addColumn<QString>("c4");
    QTest::addColumn<QString>("vins");
    QTest::addColumn<QString>("firstTexts");
    // clang-format off
    QTest::newRow("two records of one VIN give one row")     << "MS-VQ" << ""        << ""    << ""    << "XVQ1F23A57M012345"                   << "MS-VQ 101|Müller|VQ Arvo";
    QTest::newRow("trailing blanks of the texts go")         << "MS-AB" << ""        << ""    << ""    << "XVQ2G45B684K56789"                   << "MS-AB 202|Schmidt|VQ Bento";
    QTest::newRow("a later criterion narrows")               << "MS"    << "Schmidt" << ""    << ""    << "XVQ2G45B684K56789"                   << "MS-AB 202|Schmidt|VQ Bento";
    QTest::newRow("name alone lists in file order")          << ""      << "schmidt" << ""    << ""    << "XVQ2G45B684K56789,XVQ9A00A00A000001" << "MS-AB 202|Schmidt|VQ Bento";
    QTest::newRow("a criterion without hit empties")         << "MS"    << "Nobody"  << ""    << ""    << ""                                    << "";
    QTest::newRow("a first criterion without hit empties")   << "ZZ"    << "Müller"  << ""    << ""    << ""                                    << "";
    QTest::newRow("criteria 3 and 4 intersect")              << ""      << ""        << "K-1" << "A-1" << "XVQ1F23A57M012345"                   << "MS-VQ 101|Müller|VQ Arvo";
    QTest::newRow("criterion 4 without hit empties")         << ""      << "Müller"  << ""    << "A-9" << ""                                    << "";
    // clang-format on
}

void TestVehicleSearch::dealerFile()
{
    QFETCH(QString, plate);
    QFETCH(QString, name);
    QFETCH(QString, c3);
    QFETCH(QString, c4);
    QFETCH(QString, vins);
    QFETCH(QString, firstTexts);
    CPrgSettings s;
    s.ReqDateiVerz = m_dir.path();
    Notices notices;
    const CVehicleSearchOutcome out = CVehicleSearch(&s).SearchDealerFile(
        Criteria(plate, name, c3, c4), QStringLiteral("00"), notices);
    QVERIFY(out.showList);
    QCOMPARE(notices.texts, QStringList());
    QCOMPARE(Vins(out.hits), vins);
    if (!out.hits.isEmpty()) {
        const CFgstNrAbfZeile &first = out.hits.first();
        QCOMPARE(QStringList({first.strText1, first.strText2, first.strText3}).join('|'),
                 firstTexts);
    }
}

void TestVehicleSearch::dealerFileMissing()
{
    CPrgSettings s;
    s.ReqDateiVerz = m_dir.path();
    Notices notices;
    const CVehicleSearchOutcome out = CVehicleSearch(&s).SearchDealerFile(
        Criteria(QStringLiteral("MS"), QString(), QString(), QString()), QStringLiteral("07"),
        notices);
    QVERIFY(!out.showList);
    QCOMPARE(notices.texts.size(), 1);
    QVERIFY(notices.texts.first().startsWith(OrmelText(4012)));
    QVERIFY(notices.texts.first().contains(QStringLiteral("FGInfo07.dat\n")));
    QVERIFY(notices.texts.first().endsWith(OrmelText(4043)));
}

void TestVehicleSearch::requestBody_data()
{
    QTest::addColumn<QString>("plate");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("c3");
    QTest::addColumn<QString>("c4");
    QTest::addColumn<QString>("terminal");
    QTest::addColumn<QString>("children");
    // clang-format off
    QTest::newRow("nothing filled: no body")      << ""       << ""      << ""    << ""    << "T1" << "";
    QTest::newRow("all four in their order")      << "MS-1"   << "Meier" << "K-1" << "A-1" << ""   << "plateNumber=MS-1|lastName=Meier|searchText1=K-1|searchText2=A-1";
    QTest::newRow("only criterion 4, terminal")   << ""       << ""      << ""    << "A-1" << "T1" << "searchText2=A-1|terminalID=T1";
    QTest::newRow("ampersand and angle escaped")  << "A&B<1>" << "</lastName><x>" << "" << "" << "" << "plateNumber=A&B<1>|lastName=</lastName><x>";
    QTest::newRow("blanks kept as typed")         << " MS "   << ""      << ""    << ""    << ""   << "plateNumber= MS ";
    // clang-format on
}

void TestVehicleSearch::requestBody()
{
    QFETCH(QString, plate);
    QFETCH(QString, name);
    QFETCH(QString, c3);
    QFETCH(QString, c4);
    QFETCH(QString, terminal);
    QFETCH(QString, children);
    CPrgSettings s = DmsSettings(0);
    s.ReqXMLTerminalID = terminal;
    const QString body =
        CVehicleSearch(&s).BuildRequest(Criteria(plate, name, c3, c4), QStringLiteral("01.04.01"));
    if (children.isEmpty()) {
        QCOMPARE(body, QString());
        return;
    }
    QDomDocument doc;
    QVERIFY2(doc.setContent(body), qPrintable(body));
    const QDomElement root = doc.documentElement();
    QCOMPARE(root.tagName(), QStringLiteral("requestVIN"));
    QCOMPARE(root.attribute(QStringLiteral("version")), QStringLiteral("01.04.01"));
    QCOMPARE(root.attribute(QStringLiteral("xmlns")), DmsNamespaceUri());
    QStringList read;
    for (QDomElement e = root.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
        read << e.tagName() + QLatin1Char('=') + e.text();
    QCOMPARE(read.join(QLatin1Char('|')), children);
}

void TestVehicleSearch::nothingSentWithoutCriteria()
{
    CPrgSettings s = DmsSettings(0);
    s.ReqXMLServer.clear(); // not even the missing server is told
    Notices notices;
    Sender sender;
    CDmsClient client(&s, &sender);
    const CVehicleSearchOutcome out =
        CVehicleSearch(&s).RequestVin(client, &notices, CVehicleSearchCriteria());
    QCOMPARE(sender.calls, 0);
    QCOMPARE(notices.texts, QStringList());
    QVERIFY(!out.showList);
}

void TestVehicleSearch::answer_data()
{
    QTest::addColumn<int>("v117");
    QTest::addColumn<QString>("children");
    QTest::addColumn<bool>("showList");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("vins"); // of the first two hits
    QTest::addColumn<QString>("messages");
    QTest::addColumn<QString>("firstHit"); // date|mileage|texts|price

    const QString vin1 = QStringLiteral("XVQ1F23A57M012345");
    const QString vin2 = QStringLiteral("XVQ2G45B684K56789");
    const QString full = QStringLiteral(
        "<firstRegistrationDate>2016-03-09</firstRegistrationDate><mileage>45210</mileage>"
        "<resultText1>MS-VQ 101</resultText1><ResultText2>Müller</ResultText2>"
        "<resultText3>Arvo</resultText3><customerHasSpecificPrice>TRUE</customerHasSpecificPrice>"
        "<dealerNote>ignored</dealerNote>");
    const QString forty = ManyVehicles(40);
    const QString fortyOne = ManyVehicles(41);
    const QString prefixed = QStringLiteral(
        "<d:vehicleIdentification xmlns:d=\"urn:dms\"><d:vin vinLongPrefix=\"XVQ2G45B68\" "
        "vinShort=\"4K56789\"/><d:mileage>12800</d:mileage></d:vehicleIdentification>");
    const QString halfVin = QStringLiteral(
        "<vehicleIdentification><vin vinShort=\"M012345\"/></vehicleIdentification>");
    const QString known = QStringLiteral("<exception name=\"TimeOutError\"><exceptionInfo>slow"
                                         "</exceptionInfo></exception>");
    const QString unknown = QStringLiteral("<exception name=\"NoVehicleFound\"><exceptionInfo>none"
                                           "</exceptionInfo></exception>");
    const QString badDate = VehicleXml(
        vin1, QStringLiteral("<firstRegistrationDate>09.03.2016</firstRegistrationDate>"));
    // A generated stack's forms of the date and the flag.
    const auto dated = [&vin1](const char *date, const char *flag) {
        return VehicleXml(vin1,
                          QStringLiteral("<firstRegistrationDate>%1</firstRegistrationDate>"
                                         "<customerHasSpecificPrice>%2</customerHasSpecificPrice>")
                              .arg(QLatin1String(date), QLatin1String(flag)));
    };
    const QString composed =
        QStringLiteral("RequestVINResponse\nexception: NoVehicleFound\nexceptionInfo: none");
    // clang-format off
    QTest::newRow("all fields of a hit, V117 on")      << 1 << VehicleXml(vin1, full)                      << true  << 1  << vin1              << ""                                   << "09.03.2016|45210|MS-VQ 101/Müller/Arvo|1";
    QTest::newRow("price flag only with V117")         << 0 << VehicleXml(vin1, full)                      << true  << 1  << vin1              << ""                                   << "09.03.2016|45210|MS-VQ 101/Müller/Arvo|0";
    QTest::newRow("two answers of one VIN: one row")   << 0 << VehicleXml(vin1) + VehicleXml(vin2) + VehicleXml(vin1) << true << 2 << vin1 + "," + vin2 << "" << "||//|0";
    QTest::newRow("40 hits are listed")                << 0 << forty                                       << true  << 40 << "XVQ1F23A57M000000,XVQ1F23A57M000001" << ""          << "||//|0";
    QTest::newRow("41 hits are too many")              << 0 << fortyOne                                    << false << 0  << ""                << "5003"                               << "";
    QTest::newRow("prefixed elements are read")        << 0 << prefixed                                    << true  << 1  << vin2              << ""                                   << "|12800|//|0";
    QTest::newRow("vin with one attribute only")       << 0 << halfVin                                     << false << 0  << ""                << "7035"                               << "";
    QTest::newRow("exception with its explanation")    << 0 << known                                       << false << 0  << ""                << XMLErrMsg("TimeOutError")            << "";
    QTest::newRow("exception without explanation")     << 0 << unknown                                     << false << 0  << ""                << composed                             << "";
    QTest::newRow("neither hit nor exception")         << 0 << ""                                          << true  << 0  << ""                << "RequestVINResponse\nXMLNotValid!(1)" << "";
    QTest::newRow("a date not of the schema")          << 0 << badDate                                     << false << 0  << ""                << "RequestVINResponse\nXMLNotValid!(2)" << "";
    QTest::newRow("date with zone +01:00, flag 1")     << 1 << dated("2019-11-21+01:00", "1")          << true  << 1  << vin1              << ""                                   << "21.11.2019||//|1";
    QTest::newRow("date in UTC (Z), flag 0")           << 1 << dated("2019-11-21Z", "0")               << true  << 1  << vin1              << ""                                   << "21.11.2019||//|0";
    QTest::newRow("date with zone -05:00")             << 1 << dated("2019-11-21-05:00", "false")      << true  << 1  << vin1              << ""                                   << "21.11.2019||//|0";
    QTest::newRow("blanks around date and true")       << 1 << dated("\n 2019-11-21 \n", "\n  true\n") << true << 1 << vin1             << ""                                   << "21.11.2019||//|1";
    QTest::newRow("a zone beyond 14 hours")            << 1 << dated("2019-11-21+14:01", "true")       << false << 0  << ""                << "RequestVINResponse\nXMLNotValid!(2)" << "";
    QTest::newRow("a flag not of the schema")          << 1 << dated("2019-11-21", "yes")              << false << 0  << ""                << "RequestVINResponse\nXMLNotValid!(2)" << "";
    // clang-format on
}

void TestVehicleSearch::answer()
{
    QFETCH(int, v117);
    QFETCH(QString, children);
    QFETCH(bool, showList);
    QFETCH(int, count);
    QFETCH(QString, vins);
    QFETCH(QString, messages);
    QFETCH(QString, firstHit);
    CPrgSettings s = DmsSettings(v117);
    Notices notices;
    Sender sender;
    sender.answer = Answer(children, DmsHeaderVersion(s));
    CDmsClient client(&s, &sender);
    const CVehicleSearchOutcome out = CVehicleSearch(&s).RequestVin(
        client, &notices, Criteria(QString(), QStringLiteral("Müller"), QString(), QString()));
    QCOMPARE(sender.calls, 1);
    QCOMPARE(Ids(notices.texts), messages);
    if (messages == QLatin1String("7035"))
        QCOMPARE(notices.captions, QStringList{OrmelText(7034)});
    QCOMPARE(out.showList, showList);
    QCOMPARE(out.hits.size(), count);
    QCOMPARE(Vins(out.hits.mid(0, 2)), vins);
    if (!out.hits.isEmpty()) {
        const CFgstNrAbfZeile &h = out.hits.first();
        QCOMPARE(QStringLiteral("%1|%2|%3/%4/%5|%6")
                     .arg(h.strErstzul, h.strKm, h.strText1, h.strText2, h.strText3)
                     .arg(h.nCustomerSpecificPrice),
                 firstHit);
    }
}

void TestVehicleSearch::takeHit_data()
{
    QTest::addColumn<int>("known");
    QTest::addColumn<bool>("windowTakes"); // the basket lets the vehicle change
    QTest::addColumn<int>("take");
    QTest::addColumn<QString>("messages");
    QTest::addColumn<QString>("applied");
    QTest::addColumn<int>("price");
    QTest::addColumn<QString>("printText2");
    const int taken = int(CVehicleSearch::Take::Taken);
    const int unknown = int(CVehicleSearch::Take::UnknownVin);
    const int refused = int(CVehicleSearch::Take::Refused);
    const int lost = int(CVehicleSearch::Take::Unreachable);
    const QString asked = QStringLiteral("XVQ1F23A57M012345|09.03.2016|45210|MS-VQ 101");
    // clang-format off
    QTest::newRow("known VIN goes to the window")  <<  1 << true  << taken   << ""     << asked << 1 << "Müller";
    QTest::newRow("unknown VIN stays in the list") <<  0 << true  << unknown << "4014" << ""    << 0 << "old";
    QTest::newRow("basket keeps the vehicle")      <<  1 << false << refused << ""     << asked << 0 << "old";
    QTest::newRow("catalogue unreachable: told")   << -1 << true  << lost    << "7024" << ""    << 0 << "old";
    // clang-format on
}

void TestVehicleSearch::takeHit()
{
    QFETCH(int, known);
    QFETCH(bool, windowTakes);
    QFETCH(int, take);
    QFETCH(QString, messages);
    QFETCH(QString, applied);
    QFETCH(int, price);
    QFETCH(QString, printText2);
    CPrgSettings s;
    s.PrintTexts[1] = QStringLiteral("old");
    CFgstNrAbfZeile hit;
    hit.strFgstNr = QStringLiteral("XVQ1F23A57M012345");
    hit.strErstzul = QStringLiteral("09.03.2016");
    hit.strKm = QStringLiteral("45210");
    hit.strText1 = QStringLiteral("MS-VQ 101");
    hit.strText2 = QStringLiteral("Müller");
    hit.nCustomerSpecificPrice = 1;
    Notices notices;
    QString got;
    const CVehicleSearch::Take result = CVehicleSearch(&s).TakeHit(
        hit, [known](const QString &) { return known; },
        [&](const QString &vin, const QString &date, const QString &km, const QString &plate) {
            got = QStringList({vin, date, km, plate}).join('|');
            return windowTakes;
        },
        notices);
    QCOMPARE(int(result), take);
    QCOMPARE(Ids(notices.texts), messages);
    QCOMPARE(got, applied);
    QCOMPARE(s.bCustomerSpecificPrice, price);
    QCOMPARE(s.PrintTexts.at(1), printText2);
}

void TestVehicleSearch::dmsVinButton_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("training");
    QTest::addColumn<int>("searchResult");
    QTest::addColumn<bool>("info");
    QTest::addColumn<bool>("searched");
    QTest::addColumn<int>("pageAfter");
    QTest::addColumn<bool>("home");
    // clang-format off
    QTest::newRow("no requests: the information only") << 0 << 0 << 1 << true  << false << 146 << false;
    QTest::newRow("dealer file: search")               << 3 << 0 << 2 << false << true  << 102 << true;
    QTest::newRow("dealer file in training: both")     << 3 << 1 << 2 << true  << true  << 102 << true;
    QTest::newRow("DMS: a taken VIN keeps the id")     << 4 << 0 << 1 << false << true  << 220 << false;
    QTest::newRow("DMS in training: no information")   << 4 << 1 << 2 << false << true  << 102 << true;
    QTest::newRow("an unknown mode: nothing")          << 1 << 0 << 1 << false << false << 146 << false;
    // clang-format on
}

void TestVehicleSearch::dmsVinButton()
{
    QFETCH(int, mode);
    QFETCH(int, training);
    QFETCH(int, searchResult);
    QFETCH(bool, info);
    QFETCH(bool, searched);
    QFETCH(int, pageAfter);
    QFETCH(bool, home);
    CPrgSettings s;
    s.SRPInterfaceReq = mode;
    s.bSchulung = training;
    int pageId = kPageSRPWl;
    int pageDuringSearch = 0;
    bool infoShown = false;
    bool searchRun = false;
    const bool backHome = CDmsVinButton::Run(
        s, pageId, [&] { infoShown = true; },
        [&] {
            searchRun = true;
            pageDuringSearch = pageId;
            return searchResult;
        });
    QCOMPARE(infoShown, info);
    QCOMPARE(searchRun, searched);
    if (searched)
        QCOMPARE(pageDuringSearch, 220);
    QCOMPARE(pageId, pageAfter);
    QCOMPARE(backHome, home);
}

void TestVehicleSearch::infoText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    // clang-format off
    QTest::newRow("UTF-8 with byte-order mark") << QByteArray("\xEF\xBB\xBFHinweis: Fahrzeugsuche \xC3\xBC") << QString::fromUtf8("Hinweis: Fahrzeugsuche ü");
    QTest::newRow("Latin-1 of an old file")     << QByteArray("Fahrzeugsuche \xFC")                      << QString::fromUtf8("Fahrzeugsuche ü");
    // clang-format on
}

void TestVehicleSearch::infoText()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    const QString prefix = m_dir.filePath(QStringLiteral("InfoFg"));
    QFile file(prefix + QStringLiteral("00.dat"));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
    file.close();
    QStringList lines;
    QVERIFY(CTextDlg::LoadTextFile(prefix, QStringLiteral("00"), QStringLiteral(".dat"), &lines));
    QCOMPARE(lines, QStringList{text});
    // Neither a file of the language nor one of "01": the box does not open.
    QVERIFY(!CTextDlg::LoadTextFile(prefix, QStringLiteral("07"), QStringLiteral(".dat"), &lines));
}

void TestVehicleSearch::standInDms_data()
{
    QTest::addColumn<int>("form");
    QTest::newRow("plain") << int(DmsMessageForm::Plain);
    QTest::newRow("prefixed as a generated stack writes") << int(DmsMessageForm::Prefixed);
}

void TestVehicleSearch::standInDms()
{
    QFETCH(int, form);
    DmsVehicles vehicles;
    QString error;
    QVERIFY2(LoadDmsVehicles(QStringLiteral(YAQ_DMS_VEHICLES), &vehicles, &error),
             qPrintable(error));
    StandInDms dms;
    dms.setVehicles(vehicles);
    dms.setForm(DmsMessageForm(form));
    QVERIFY(dms.listen(QHostAddress::LocalHost, 0));

    CPrgSettings s = DmsSettings(1);
    s.ReqXMLServer = QStringLiteral("http://127.0.0.1:%1/").arg(dms.port());
    Notices notices;
    CSoapReqSender sender(&s);
    CDmsClient client(&s, &sender);
    const CVehicleSearchOutcome out = CVehicleSearch(&s).RequestVin(
        client, &notices, Criteria(QString(), QStringLiteral("müller"), QString(), QString()));
    QCOMPARE(notices.texts, QStringList());
    QCOMPARE(Vins(out.hits), QStringLiteral("XVQ1F23A57M012345,XVQ3T00A57T012345"));
    const CFgstNrAbfZeile &first = out.hits.first();
    QCOMPARE(QStringList({first.strErstzul, first.strKm, first.strText1, first.strText2}),
             QStringList({"09.03.2016", "45210", "MS-VQ 101", QString::fromUtf8("Müller")}));
    QCOMPARE(s.bDmsExchangeDone, 1);
}

YAQ_TEST_GUILESS_MAIN(TestVehicleSearch)
#include "tst_vehiclesearch.moc"
