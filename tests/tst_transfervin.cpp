// The DMS pushing a vehicle ("transferVIN") without listener and window:
// how the request is read (prefixes, letter case, header, malformed text),
// which answer goes to the DMS and always before any message or question,
// the question about another vehicle, and what the window is told to take
// over; the listener poll that handles one request at a time, the watch
// that fetches a request as it comes, and one message for a burst of wrong
// requests.

#include "app/TransferVinHandler.h"
#include "dms/DmsFrame.h"
#include "platform/OrmelText.h"
#include "platform/Profile.h"
#include "platform/SoapSvr.h"
#include "platform/XmlLimits.h"
#include "settings/DmsHeader.h"
#include "settings/PrgSettings.h"
#include "support/TestEnv.h"
#include "support/TestMain.h"
#include "support/Waits.h"

#include <QDomDocument>
#include <QHostAddress>
#include <QProcess>
#include <QTcpSocket>
#include <QtTest>

#include <memory>
#include <vector>

namespace {

const QString kVin = QStringLiteral("XVQ1F23A57M012345");
const QString kOtherVin = QStringLiteral("XVQ2G45B684K56789");

// One request: the envelope (prefix "soap" unless given), the method element
// with its header, the children.
QString Request(const QString &children, const QString &method = QStringLiteral("transferVIN"),
                const QString &header =
                    QStringLiteral("refSchema=\"serviceRepairPackages.xsd\" version=\"01.04.01\""),
                const QString &prefix = QStringLiteral("soap"))
{
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
               "<%1:Envelope xmlns:%1=\"http://schemas.xmlsoap.org/soap/envelope/\">"
               "<%1:Header/><%1:Body><%2 xmlns=\"http://dms.yaq2.example/SRP\" %3>%4</%2>"
               "</%1:Body></%1:Envelope>")
        .arg(prefix, method, header, children);
}

QString VinElement(const QString &vin)
{
    return QStringLiteral("<vin vinLongPrefix=\"%1\" vinShort=\"%2\"/>")
        .arg(vin.left(10), vin.mid(10));
}

// What happened, in order: "answer:confirm", "answer:<exception name>",
// "notice:<text id>", "ask:<text id>", "complete".
struct Log
{
    QStringList steps;
    bool allAnswersReadable = true;

    static QString Id(const QString &text)
    {
        for (int id : {4083, 4084, 5053, 5071, 5072, 7191}) {
            if (text == OrmelText(id))
                return QString::number(id);
        }
        return text;
    }
    void Answer(const QString &envelope)
    {
        QDomDocument doc;
        if (!LoadXmlDocument(envelope, &doc)) {
            allAnswersReadable = false;
            steps << QStringLiteral("answer:unreadable");
            return;
        }
        const QDomElement exception = doc.documentElement()
                                          .elementsByTagName(QStringLiteral("exception"))
                                          .item(0)
                                          .toElement();
        steps << QStringLiteral("answer:") + (exception.isNull()
                                                  ? QStringLiteral("confirm")
                                                  : exception.attribute(QStringLiteral("name")));
    }
};

struct LogNotice : IDmsNotice
{
    Log *log;
    explicit LogNotice(Log *l) : log(l) {}
    void Notice(const QString &text, const QString &) override
    {
        log->steps << QStringLiteral("notice:") + Log::Id(text);
    }
};

// The vehicle the program shows: kVin, first registration 01.01.2014,
// receive format 01.04.01 (extended, no V117).
CPrgSettings ShownVehicle()
{
    CPrgSettings s;
    s.SRPInterfaceReceive = 4;
    s.ReceiveXMLx = 1;
    UpdateDmsHeader(&s);
    s.FgstnrFull = kVin;
    s.Fgstnr = kVin.right(7);
    s.Erstzulassung = QStringLiteral("01.01.2014");
    return s;
}

struct Run
{
    Log log;
    CTransferVinOutcome outcome;
};

// Handles the request; the completion dialog answers `completion` (empty:
// Cancel; "answered:" before it: the DMS had its answer meanwhile), the
// question `yes`.
Run Handle(CPrgSettings &s, const QString &request, bool yes = true,
           const QString &completion = QString(), bool basketHasEntries = false)
{
    Run run;
    LogNotice notice(&run.log);
    CDmsFrame frame(&s, &notice, nullptr, [&](const QString &text) { run.log.Answer(text); });
    CTransferVinHandler handler(&s, &frame);
    const QString answered = QStringLiteral("answered:");
    handler.SetVinCompletion([&](QString *vin) {
        run.log.steps << QStringLiteral("complete");
        if (completion.isEmpty())
            return false;
        *vin = completion.startsWith(answered) ? completion.mid(answered.size()) : completion;
        return true;
    });
    handler.SetDmsAnswered([&] { return completion.startsWith(answered); });
    handler.SetQuestion([&](const QString &text) {
        run.log.steps << QStringLiteral("ask:") + Log::Id(text);
        return yes;
    });
    handler.SetBasketHasEntries([&] { return basketHasEntries; });
    run.outcome = handler.HandleSoapRequest(request);
    return run;
}

// The indented lines of the page on the DMS exchange (docs/dms-exchange.md)
// that begin with the line starting with `first`, without their indent, a
// line continued with "\\" joined to the next.
QStringList DmsPageBlock(const QString &first)
{
    const QString page = readTextFile(QStringLiteral(YAQ_SOURCE_DIR "/docs/dms-exchange.md"));
    QStringList block;
    bool in = false;
    bool continued = false;
    for (const QString &line : page.split(QLatin1Char('\n'))) {
        const bool indented = line.startsWith(QLatin1String("    "));
        in = in ? indented : indented && line.trimmed().startsWith(first);
        if (!in) {
            if (!block.isEmpty())
                break;
            continue;
        }
        QString text = line.trimmed();
        const bool continues = text.endsWith(QLatin1Char('\\'));
        if (continues)
            text.chop(1);
        if (continued)
            block.last() += QLatin1Char(' ') + text.trimmed();
        else
            block << text.trimmed();
        continued = continues;
    }
    return block;
}

} // namespace

class TestTransferVin : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void request_data();
    void request();
    void vehicleData_data();
    void vehicleData();
    void orderDataTakenOver();
    void poll_data();
    void poll();
    void pollHandlesOneRequestAtATime();
    void watch_data();
    void watch();
    void wrongRequestsShowOneMessage_data();
    void wrongRequestsShowOneMessage();
    void dmsPagePushIsConfirmed_data();
    void dmsPagePushIsConfirmed();

private:
    TestEnv m_env;
};

void TestTransferVin::initTestCase()
{
    InitOrmelText(QStringLiteral(YAQ_DEMO_DATAS_DIR "/Zirava/PrgTxt"));
    SetPrgSprache(QStringLiteral("00"));
}

void TestTransferVin::request_data()
{
    QTest::addColumn<QString>("request");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QString>("completion"); // empty: Cancel
    QTest::addColumn<bool>("basketHasEntries");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<int>("action");
    QTest::addColumn<int>("exchangeDone"); // starts at 0

    const QString same = VinElement(kVin);
    const QString other = VinElement(kOtherVin);
    const QString header = QStringLiteral("refSchema=\"serviceRepairPackages.xsd\" version=\"%1\"");
    const QStringList confirm{QStringLiteral("answer:confirm")};
    const QStringList notValid{QStringLiteral("answer:XMLNotValid")};
    const int none = CTransferVinOutcome::None;
    const int sameVehicle = CTransferVinOutcome::SameVehicle;
    const int newVehicle = CTransferVinOutcome::NewVehicle;
    const int declined = CTransferVinOutcome::Declined;
    // clang-format off
    QTest::newRow("same vehicle")                 << Request(same)                                   << true  << "" << false << confirm << sameVehicle << 1;
    QTest::newRow("SOAP-ENV prefix")              << Request(same, "transferVIN", header.arg("01.04.01"), "SOAP-ENV") << true << "" << false << confirm << sameVehicle << 1;
    QTest::newRow("method in other case")         << Request(same, "TransferVin")                    << true  << "" << false << confirm << sameVehicle << 1;
    QTest::newRow("prefixed method")              << Request(same, "ns1:transferVIN")                << true  << "" << false << confirm << sameVehicle << 1;
    QTest::newRow("schema in capitals")           << Request(same, "transferVIN", "refSchema=\"SERVICEREPAIRPACKAGES.XSD\" version=\"01.04.01\"") << true << "" << false << confirm << sameVehicle << 1;
    QTest::newRow("other vehicle, Yes")           << Request(other)                                  << true  << "" << false << QStringList{"answer:confirm", "ask:4084"} << newVehicle << 1;
    QTest::newRow("other vehicle, basket, Yes")   << Request(other)                                  << true  << "" << true  << QStringList{"answer:confirm", "ask:4083"} << newVehicle << 1;
    QTest::newRow("other vehicle, No")            << Request(other)                                  << false << "" << true  << QStringList{"answer:confirm", "ask:4083", "answer:TransferVINNotAccepted"} << declined << 1;
    QTest::newRow("short VIN completed")          << Request("<vin vinShort=\"M012345\"/>")          << true  << kVin << false << QStringList{"complete", "answer:confirm"} << sameVehicle << 1;
    QTest::newRow("short VIN, completion cancelled") << Request("<vin vinShort=\"M012345\"/>")       << true  << "" << false << QStringList{"complete", "answer:XMLNotValid"} << none << 1;
    QTest::newRow("short VIN, DMS answered meanwhile") << Request(VinElement(kOtherVin.right(7))) << true << "answered:" + kOtherVin << false << QStringList{"complete", "notice:7191"} << none << 1;
    QTest::newRow("mileage of 200,000 characters") << Request(same + "<mileage>" + QString(200000, '4') + "</mileage>") << true << "" << false << notValid << none << 1;
    QTest::newRow("order number of 256 characters") << Request(same + "<orderNumber>" + QString(256, 'A') + "</orderNumber>") << true << "" << false << notValid << none << 1;
    QTest::newRow("order number of 255 characters") << Request(same + "<orderNumber>" + QString(255, 'A') + "</orderNumber>") << true << "" << false << confirm << sameVehicle << 1;
    QTest::newRow("too long, short VIN: not asked") << Request("<vin vinShort=\"M012345\"/><jobNumber>" + QString(300, '7') + "</jobNumber>") << true << kVin << false << notValid << none << 1;
    QTest::newRow("VIN of 16 completed")          << Request(VinElement(kOtherVin.left(16)))         << false << kOtherVin << false << QStringList{"complete", "answer:confirm", "ask:4084", "answer:TransferVINNotAccepted"} << declined << 1;
    QTest::newRow("vin in capitals is no vin")    << Request("<Vin vinLongPrefix=\"XVQ1F23A57\" vinShort=\"M012345\"/>") << true << "" << false << notValid << none << 1;
    QTest::newRow("no vin")                       << Request("<mileage>100</mileage>")               << true  << "" << false << notValid << none << 1;
    QTest::newRow("VIN with markup")              << Request("<vin vinLongPrefix=\"XVQ1F&amp;3A57\" vinShort=\"M01&lt;345\"/>") << true << "" << false << notValid << none << 1;
    QTest::newRow("other version")                << Request(same, "transferVIN", header.arg("01.05.00")) << true << "" << false << QStringList{"answer:XMLNotValid", "notice:5053"} << none << 0;
    QTest::newRow("other schema")                 << Request(same, "transferVIN", "refSchema=\"x.xsd\" version=\"01.04.01\"") << true << "" << false << QStringList{"answer:XMLNotValid", "notice:5053"} << none << 0;
    QTest::newRow("no header")                    << Request(same, "transferVIN", "")                << true  << "" << false << QStringList{"answer:XMLNotValid", "notice:5053"} << none << 0;
    QTest::newRow("other method")                 << Request(same, "requestVIN")                     << true  << "" << false << QStringList{"answer:XMLNotValid", "notice:5071"} << none << 0;
    QTest::newRow("empty body")                   << "<s:Envelope xmlns:s=\"e\"><s:Body/></s:Envelope>" << true << "" << false << QStringList{"answer:XMLNotValid", "notice:5071"} << none << 0;
    QTest::newRow("no body")                      << "<s:Envelope xmlns:s=\"e\"><transferVIN/></s:Envelope>" << true << "" << false << notValid << none << 0;
    QTest::newRow("no envelope")                  << "<transferVIN refSchema=\"serviceRepairPackages.xsd\" version=\"01.04.01\">" + same + "</transferVIN>" << true << "" << false << notValid << none << 0;
    QTest::newRow("malformed")                    << Request(same).chopped(5)                        << true  << "" << false << notValid << none << 0;
    QTest::newRow("not XML at all")               << "transferVIN XVQ1F23A57M012345"                << true  << "" << false << notValid << none << 0;
    QTest::newRow("empty")                        << ""                                              << true  << "" << false << notValid << none << 0;
    // clang-format on
}

void TestTransferVin::request()
{
    QFETCH(QString, request);
    QFETCH(bool, yes);
    QFETCH(QString, completion);
    QFETCH(bool, basketHasEntries);
    QFETCH(QStringList, steps);
    QFETCH(int, action);
    QFETCH(int, exchangeDone);
    CPrgSettings s = ShownVehicle();
    const Run run = Handle(s, request, yes, completion, basketHasEntries);
    QCOMPARE(run.log.steps, steps);
    QVERIFY(run.log.allAnswersReadable);
    QCOMPARE(int(run.outcome.action), action);
    QCOMPARE(run.outcome.result, steps.contains(QStringLiteral("answer:confirm")) ? 1 : 0);
    QCOMPARE(s.bDmsExchangeDone, exchangeDone);
    // Handling a request never changes the vehicle itself.
    QCOMPARE(s.FgstnrFull, kVin);
    QCOMPARE(s.Erstzulassung, QStringLiteral("01.01.2014"));
}

void TestTransferVin::vehicleData_data()
{
    QTest::addColumn<int>("receiveXmlx");
    QTest::addColumn<int>("campaigns");
    QTest::addColumn<int>("v117");
    QTest::addColumn<QString>("vin");
    QTest::addColumn<QString>("children"); // after the vin element
    QTest::addColumn<int>("action");
    QTest::addColumn<bool>("vinDiffers");
    QTest::addColumn<QString>("firstRegistration");
    QTest::addColumn<int>("customerPrice");

    const int sameVehicle = CTransferVinOutcome::SameVehicle;
    const int newVehicle = CTransferVinOutcome::NewVehicle;
    const int none = CTransferVinOutcome::None;
    const QString date =
        QStringLiteral("<firstRegistrationDate>2016-03-09</firstRegistrationDate>");
    const QString shown =
        QStringLiteral("<firstRegistrationDate>2014-01-01</firstRegistrationDate>");
    // clang-format off
    QTest::newRow("other date, mode on: asked")     << 1 << 1 << 0 << kVin      << date  << newVehicle  << false << "09.03.2016" << -1;
    QTest::newRow("same date, mode on")             << 1 << 1 << 0 << kVin      << shown << sameVehicle << false << "01.01.2014" << -1;
    QTest::newRow("no date, mode on: asked")        << 1 << 1 << 0 << kVin      << ""    << newVehicle  << false << ""           << -1;
    QTest::newRow("date read, campaigns off")       << 1 << 0 << 0 << kVin      << date  << sameVehicle << false << ""           << -1;
    QTest::newRow("date ignored without format")    << 0 << 1 << 0 << kVin      << date  << sameVehicle << false << ""           << -1;
    QTest::newRow("other VIN and date")             << 1 << 1 << 0 << kOtherVin << date  << newVehicle  << true  << "09.03.2016" << -1;
    QTest::newRow("date with zone +01:00")          << 1 << 1 << 0 << kVin      << "<firstRegistrationDate>2016-03-09+01:00</firstRegistrationDate>" << newVehicle << false << "09.03.2016" << -1;
    QTest::newRow("date in UTC (Z)")                << 1 << 1 << 0 << kVin      << "<firstRegistrationDate>2014-01-01Z</firstRegistrationDate>" << sameVehicle << false << "01.01.2014" << -1;
    QTest::newRow("date with zone -05:00, blanks")  << 1 << 1 << 0 << kVin      << "<firstRegistrationDate>\n  2016-03-09-05:00\n</firstRegistrationDate>" << newVehicle << false << "09.03.2016" << -1;
    QTest::newRow("zone beyond 14 hours refused")   << 1 << 1 << 0 << kVin      << "<firstRegistrationDate>2016-03-09+15:00</firstRegistrationDate>" << none << false << "" << -1;
    QTest::newRow("31 February refused")            << 1 << 1 << 0 << kVin      << "<firstRegistrationDate>2015-02-31</firstRegistrationDate>" << none << false << "" << -1;
    QTest::newRow("bad date ignored without format") << 0 << 1 << 0 << kVin     << "<firstRegistrationDate>2015-02-31</firstRegistrationDate>" << sameVehicle << false << "" << -1;
    QTest::newRow("V117: TRUE")                     << 1 << 0 << 1 << kVin      << "<customerHasSpecificPrice>TRUE</customerHasSpecificPrice>"  << sameVehicle << false << "" << 1;
    QTest::newRow("V117: 1")                        << 1 << 0 << 1 << kVin      << "<customerHasSpecificPrice>1</customerHasSpecificPrice>"     << sameVehicle << false << "" << 1;
    QTest::newRow("V117: 0")                        << 1 << 0 << 1 << kVin      << "<customerHasSpecificPrice>0</customerHasSpecificPrice>"     << sameVehicle << false << "" << 0;
    QTest::newRow("V117: blanks around true")       << 1 << 0 << 1 << kVin      << "<customerHasSpecificPrice>\n  true\n</customerHasSpecificPrice>" << sameVehicle << false << "" << 1;
    QTest::newRow("V117: other text")               << 1 << 0 << 1 << kVin      << "<customerHasSpecificPrice>ja</customerHasSpecificPrice>"    << sameVehicle << false << "" << 0;
    QTest::newRow("V117: none sent")                << 1 << 0 << 1 << kVin      << ""    << sameVehicle << false << ""           << 0;
    QTest::newRow("V117 off: untouched")            << 1 << 0 << 0 << kVin      << "<customerHasSpecificPrice>true</customerHasSpecificPrice>"  << sameVehicle << false << "" << -1;
    // clang-format on
}

void TestTransferVin::vehicleData()
{
    QFETCH(int, receiveXmlx);
    QFETCH(int, campaigns);
    QFETCH(int, v117);
    QFETCH(QString, vin);
    QFETCH(QString, children);
    QFETCH(int, action);
    QFETCH(bool, vinDiffers);
    QFETCH(QString, firstRegistration);
    QFETCH(int, customerPrice);
    const int none = CTransferVinOutcome::None;
    CPrgSettings s = ShownVehicle();
    s.ReceiveXMLx = receiveXmlx;
    s.XMLx = 1; // keeps the version away from the plain format
    s.MarketingCampaigns = campaigns;
    s.V117 = v117;
    UpdateDmsHeader(&s);
    const QString header = QStringLiteral("refSchema=\"serviceRepairPackages.xsd\" version=\"") +
                           s.SchemaVersion + QLatin1Char('"');
    const Run run =
        Handle(s, Request(VinElement(vin) + children, QStringLiteral("transferVIN"), header));
    QCOMPARE(int(run.outcome.action), action);
    QCOMPARE(run.outcome.vinDiffers, vinDiffers);
    QCOMPARE(run.outcome.firstRegistration, firstRegistration);
    QCOMPARE(run.outcome.customerSpecificPrice, customerPrice);
    if (action == none)
        return;
    QCOMPARE(run.outcome.firstRegistrationMode, receiveXmlx && campaigns);
    // What the identification is handed: a new vehicle brings the request's
    // first registration, also an empty one; the vehicle shown keeps its own.
    const CGivenVehicle pushed = run.outcome.Vehicle();
    const bool isNew = action == CTransferVinOutcome::NewVehicle;
    QCOMPARE(pushed.origin, isNew ? CGivenVehicle::DmsNew : CGivenVehicle::DmsShown);
    QCOMPARE(pushed.vinShown, !vinDiffers);
    QCOMPARE(pushed.firstRegistration, isNew ? std::optional(firstRegistration) : std::nullopt);
    QCOMPARE(pushed.customerSpecificPrice, customerPrice);
}

void TestTransferVin::orderDataTakenOver()
{
    CPrgSettings s = ShownVehicle();
    s.V117 = 1;
    UpdateDmsHeader(&s);
    s.Kilometer = QStringLiteral("10");
    const QString header =
        QStringLiteral("refSchema=\"serviceRepairPackages.xsd\" version=\"01.05.00\"");
    // Markup in the values arrives as text, repeated children overwrite,
    // trailing blanks go.
    const Run run = Handle(
        s, Request(VinElement(kVin) +
                       QStringLiteral("<orderNumber>A&amp;1</orderNumber><orderNumber>A&amp;2 "
                                      "</orderNumber><settlementCode>&lt;K&gt;</settlementCode>"
                                      "<jobNumber><![CDATA[J<1>]]></jobNumber>"
                                      "<mileage>42000</mileage>"
                                      "<customerHasSpecificPrice>true</customerHasSpecificPrice>"
                                      "<unknown>x</unknown>"),
                   QStringLiteral("transferVIN"), header));
    QCOMPARE(run.log.steps, QStringList{QStringLiteral("answer:confirm")});
    const CTransferVinOutcome &out = run.outcome;
    QCOMPARE(out.data.orderNumber, QStringLiteral("A&2"));
    QCOMPARE(out.data.settlementCode, QStringLiteral("<K>"));
    QCOMPARE(out.data.jobNumber, QStringLiteral("J<1>"));
    const CGivenVehicle pushed = out.Vehicle();
    QCOMPARE(pushed.mileage.value_or(QString()), QStringLiteral("42000"));
    QCOMPARE(pushed.customerSpecificPrice, 1);
}

void TestTransferVin::poll_data()
{
    QTest::addColumn<int>("receiveMode");
    QTest::addColumn<int>("session");
    QTest::addColumn<bool>("listenerRunning");
    QTest::addColumn<bool>("fetched");
    // clang-format off
    QTest::newRow("listener mode")       << 4 << 0 << true  << true;
    QTest::newRow("receive off")         << 0 << 0 << true  << false;
    QTest::newRow("in a session")        << 4 << 1 << true  << false;
    QTest::newRow("listener not running") << 4 << 0 << false << false;
    // clang-format on
}

void TestTransferVin::poll()
{
    QFETCH(int, receiveMode);
    QFETCH(int, session);
    QFETCH(bool, listenerRunning);
    QFETCH(bool, fetched);
    CPrgSettings s;
    s.SRPInterfaceReceive = receiveMode;
    s.bSession = session;
    CDmsListenerPoll poll;
    int asked = 0;
    QStringList handled;
    const bool done = poll.Tick(
        s, listenerRunning,
        [&] {
            ++asked;
            return QStringLiteral("<r/>");
        },
        [&](const QString &request) { handled << request; });
    QCOMPARE(asked, fetched ? 1 : 0);
    QCOMPARE(done, fetched);
    QCOMPARE(handled.size(), fetched ? 1 : 0);
    // No pending request: nothing to handle.
    QVERIFY(!poll.Tick(
        s, listenerRunning, [] { return QString(); },
        [&](const QString &) { QFAIL("handled nothing"); }));
}

void TestTransferVin::pollHandlesOneRequestAtATime()
{
    CPrgSettings s;
    s.SRPInterfaceReceive = 4;
    CDmsListenerPoll poll;
    QStringList pending{QStringLiteral("first"), QStringLiteral("second")};
    QStringList handled;
    auto next = [&] { return pending.isEmpty() ? QString() : pending.takeFirst(); };
    std::function<void(const QString &)> handle = [&](const QString &request) {
        handled << request;
        // The timer keeps firing while the question of the first request
        // is open: the second waits in the listener.
        QVERIFY(poll.IsBusy());
        QVERIFY(!poll.Tick(s, true, next, handle));
    };
    QVERIFY(poll.Tick(s, true, next, handle));
    QCOMPARE(handled, QStringList{QStringLiteral("first")});
    QCOMPARE(pending, QStringList{QStringLiteral("second")});
    QVERIFY(!poll.IsBusy());
    QVERIFY(poll.Tick(s, true, next, handle));
    QCOMPARE(handled.last(), QStringLiteral("second"));
}

namespace {

// A DMS client on loopback: sends one POST and keeps what comes back.
struct PushClient
{
    QTcpSocket socket;
    QByteArray received;

    PushClient(quint16 port, const QByteArray &body)
    {
        QObject::connect(&socket, &QTcpSocket::readyRead, [this] { received += socket.readAll(); });
        socket.connectToHost(QHostAddress::LocalHost, port);
        socket.write("POST / HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Type: text/xml\r\n"
                     "Content-Length: " +
                     QByteArray::number(body.size()) + "\r\n\r\n" + body);
    }
};

} // namespace

void TestTransferVin::watch_data()
{
    QTest::addColumn<QString>("window"); // "free", "busy", "asking", "closed"
    QTest::addColumn<int>("requests");
    QTest::addColumn<int>("handled");
    // The half-second poll is set far out: only the watch's own wake can
    // take a request within the test's wait.
    // clang-format off
    QTest::newRow("a pushed request is taken as it comes")           << "free"   << 1 << 1;
    QTest::newRow("requests coming together are taken in turn")     << "free"   << 3 << 3;
    QTest::newRow("held back while the program's request waits")    << "busy"   << 1 << 1;
    QTest::newRow("a request coming during a question follows it")  << "asking" << 2 << 2;
    QTest::newRow("a closed window takes none")                     << "closed" << 1 << 0;
    // clang-format on
}

void TestTransferVin::watch()
{
    QFETCH(QString, window);
    QFETCH(int, requests);
    QFETCH(int, handled);
    CPrgSettings s;
    s.SRPInterfaceReceive = 4;
    ISoapSvr listener;
    QVERIFY(listener.StartListener(QStringLiteral("127.0.0.1"), 0, QString()));
    std::vector<std::unique_ptr<PushClient>> clients;
    auto push = [&] {
        const QByteArray body = "<r" + QByteArray::number(int(clients.size()) + 1) + "/>";
        clients.push_back(std::make_unique<PushClient>(listener.Port(), body));
    };
    bool held = window == QLatin1String("busy");
    QList<quint64> numbers;
    CDmsListenerWatch watch(
        &s, [&] { return held; },
        [&](const QString &request, quint64 number) {
            numbers << number;
            listener.SetResponse(QStringLiteral("<answer>%1</answer>").arg(request));
            if (window == QLatin1String("asking") && numbers.size() == 1) {
                // The adviser answers the question of the first while the
                // second comes: it waits in the listener.
                push();
                YAQ_TRY_VERIFY(listener.Arrivals() >= 2);
                QCoreApplication::processEvents();
                QCOMPARE(numbers.size(), 1);
                QVERIFY(listener.HasPendingRequest());
            }
        });
    watch.SetListener(&listener);
    watch.Start(600000, 20);
    if (window == QLatin1String("closed"))
        watch.Stop();
    for (int i = window == QLatin1String("asking") ? 1 : 0; i < requests; ++i)
        push();

    if (window == QLatin1String("busy") || window == QLatin1String("closed")) {
        // Every request came and waits in the listener, untaken.
        YAQ_TRY_COMPARE(listener.Arrivals(), quint64(requests));
        YAQ_SETTLED_COMPARE(numbers.size(), 0);
        QVERIFY(listener.HasPendingRequest());
        held = false;
    }
    if (handled == 0)
        YAQ_SETTLED_COMPARE(numbers.size(), 0);
    else
        YAQ_TRY_COMPARE(numbers.size(), handled);
    // No more: the listener holds a request only where the window took none.
    QCOMPARE(listener.HasPendingRequest(), handled < requests);
    QCOMPARE(numbers.size(), handled);
    for (int i = 0; i < handled; ++i) {
        QCOMPARE(numbers.at(i), quint64(i + 1));
        YAQ_TRY_VERIFY(clients.at(size_t(i))->received.contains("<answer>"));
    }
}

void TestTransferVin::wrongRequestsShowOneMessage_data()
{
    // requests: m another method, h a wrong header, v the vehicle shown;
    // come: 0 waiting at the start, k while the message of the k-th is
    // open, + after the ones before were handled; answers: X XMLNotValid,
    // c the confirmation.
    QTest::addColumn<QString>("requests");
    QTest::addColumn<QString>("come");
    QTest::addColumn<int>("messages");
    QTest::addColumn<QString>("answers");
    // clang-format off
    QTest::newRow("five wrong methods waiting together")        << "mmmmm" << "00000" << 1 << "XXXXX";
    QTest::newRow("wrong methods coming while it is open")      << "mmmm"  << "0111"  << 1 << "XXXX";
    QTest::newRow("one after the message was closed tells again") << "mmm" << "01+"   << 2 << "XXX";
    QTest::newRow("a wrong header in the same burst")           << "mh"    << "01"    << 1 << "XX";
    QTest::newRow("a wrong header after the message")           << "mh"    << "0+"    << 2 << "XX";
    QTest::newRow("a pushed vehicle between wrong ones")        << "mvm"   << "011"   << 1 << "XcX";
    QTest::newRow("each later one tells on its own")            << "mmmm"  << "01++"  << 3 << "XXXX";
    // clang-format on
}

void TestTransferVin::wrongRequestsShowOneMessage()
{
    QFETCH(QString, requests);
    QFETCH(QString, come);
    QFETCH(QString, answers);
    CPrgSettings s = ShownVehicle();
    Log log;
    quint64 arrived = quint64(come.count(QLatin1Char('0')));
    quint64 current = 0;
    // The message box: requests come while it is open.
    struct Shown : IDmsNotice
    {
        std::function<void()> open;
        void Notice(const QString &, const QString &) override { open(); }
    } shown;
    int messages = 0;
    shown.open = [&] {
        ++messages;
        for (int i = 0; i < come.size(); ++i)
            if (come.at(i) == QChar(u'0' + int(current)))
                arrived = qMax(arrived, quint64(i + 1));
    };
    CDmsListenerNotice notice(&shown, [&] { return arrived; });
    CDmsFrame frame(&s, &notice, nullptr, [&](const QString &text) { log.Answer(text); });
    CTransferVinHandler handler(&s, &frame);
    const QString header = QStringLiteral("refSchema=\"x.xsd\" version=\"01.04.01\"");
    for (int i = 0; i < requests.size(); ++i) {
        if (come.at(i) == QLatin1Char('+'))
            arrived = quint64(i + 1);
        QVERIFY(arrived > quint64(i));
        current = quint64(i + 1);
        notice.SetRequest(current);
        const QChar kind = requests.at(i);
        if (kind == QLatin1Char('m'))
            handler.HandleSoapRequest(Request(VinElement(kVin), QStringLiteral("requestVIN")));
        else if (kind == QLatin1Char('h'))
            handler.HandleSoapRequest(
                Request(VinElement(kVin), QStringLiteral("transferVIN"), header));
        else
            handler.HandleSoapRequest(Request(VinElement(kVin)));
    }
    QTEST(messages, "messages");
    QString sent;
    for (const QString &step : log.steps)
        sent += step == QLatin1String("answer:confirm") ? QLatin1Char('c') : QLatin1Char('X');
    QCOMPARE(sent, answers);
}

// The DMS steps of docs/dms-exchange.md as written there, read from it: its
// profile block is the program's profile, and the stand-in pushes the
// vehicle with the page's command, to the listener on a port of the test
// instead of the block's ReceiveXMLPort. The program confirms the push.
void TestTransferVin::dmsPagePushIsConfirmed_data()
{
    QTest::addColumn<bool>("optional"); // the command's parts in [] taken in
    // clang-format off
    QTest::newRow("as written")                   << false;
    QTest::newRow("with its optional parts")      << true;
    // clang-format on
}

void TestTransferVin::dmsPagePushIsConfirmed()
{
    QFETCH(bool, optional);
    const QStringList profileBlock = DmsPageBlock(QStringLiteral("[YAQ]"));
    QVERIFY2(profileBlock.size() > 1, "no profile block on the DMS page");
    const QStringList command = DmsPageBlock(QStringLiteral("build/bin/yaq2-dms push-vin"));
    QCOMPARE(command.size(), 1);
    {
        CProfile profile(QStringLiteral("yaq2"));
        QVERIFY(writeTextFile(profile.FileName(), profileBlock.join(QLatin1Char('\n')).toUtf8()));
    }
    CProfile profile(QStringLiteral("yaq2"));
    CPrgSettings s;
    s.ReadIni(&profile);
    UpdateDmsHeader(&s);
    QCOMPARE(s.SRPInterfaceReceive, 4);

    ISoapSvr listener;
    QVERIFY(listener.StartListener(QStringLiteral("127.0.0.1"), 0, QString()));
    QStringList arguments;
    bool inOptional = false;
    for (QString word : command.first().split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (word.startsWith(QLatin1Char('[')))
            inOptional = true;
        const bool take = !inOptional || optional;
        if (word.endsWith(QLatin1Char(']')))
            inOptional = false;
        word.remove(QLatin1Char('[')).remove(QLatin1Char(']'));
        if (!take)
            continue;
        const QString receivePort = QLatin1Char(':') + s.ReceiveXMLPort + QLatin1Char('/');
        if (word.startsWith(QLatin1String("http://")) && word.endsWith(receivePort))
            word.replace(receivePort, QStringLiteral(":%1/").arg(listener.Port()));
        arguments << word;
    }
    QCOMPARE(arguments.mid(0, 2), QStringList({"build/bin/yaq2-dms", "push-vin"}));
    QVERIFY2(arguments.contains(QStringLiteral("http://127.0.0.1:%1/").arg(listener.Port())),
             qPrintable(arguments.join(QLatin1Char(' '))));
    QProcess dms;
    const YaqTest::ProcessReaper reaper(dms);
    dms.start(QStringLiteral(YAQ2_DMS), arguments.mid(1));

    Log log;
    LogNotice notice(&log);
    CDmsFrame frame(&s, &notice, nullptr, [&](const QString &text) {
        log.Answer(text);
        listener.SetResponse(text);
    });
    CTransferVinHandler handler(&s, &frame);
    handler.SetVinCompletion([](QString *) { return false; });
    handler.SetQuestion([](const QString &) { return true; });
    handler.SetBasketHasEntries([] { return false; });
    QString request;
    QVERIFY(QTest::qWaitFor(
        [&]() {
            request = listener.GetRequest();
            return !request.isEmpty();
        },
        YaqTest::kHangMs));
    handler.HandleSoapRequest(request);
    YAQ_TRY_VERIFY(dms.state() == QProcess::NotRunning);
    const QString printed = QString::fromUtf8(dms.readAllStandardOutput());
    QVERIFY2(dms.exitCode() == 0, dms.readAllStandardError().constData());
    QCOMPARE(log.steps.value(0), QStringLiteral("answer:confirm"));
    QVERIFY2(printed.contains(QLatin1String("<confirmTransmission>true</confirmTransmission>")),
             qPrintable(printed));
}

YAQ_TEST_GUILESS_MAIN(TestTransferVin)
#include "tst_transfervin.moc"
