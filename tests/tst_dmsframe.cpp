// The DMS message frame without network and window: the schema version, the
// request URL, sending through a recorded sender, finding the answer element
// (prefixes, letter case, header, unreadable answers), the listener's
// answers, values that must not break a message; and the first registration
// of the head row with its DMS request.

#include "app/FirstRegistration.h"
#include "dms/DmsClient.h"
#include "platform/OrmelText.h"
#include "platform/XmlLimits.h"
#include "settings/DmsHeader.h"
#include "settings/PrgSettings.h"
#include "support/TestMain.h"

#include <QDomDocument>
#include <QtTest>

namespace {

const QString kVin = QStringLiteral("XVQ1F23A57M012345");

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
    QString error;
    int calls = 0;
    QString url, action, body;
    std::function<void()> during; // runs while the request waits
    QString Request(const QString &u, const QString &a, const QString &b) override
    {
        ++calls;
        url = u;
        action = a;
        body = b;
        if (during)
            during();
        return answer;
    }
    QString LastError() const override { return error; }
};

// The adviser gives the request up as soon as it goes out.
struct CancellingWait : IDmsWait
{
    int begun = 0;
    int ended = 0;
    void Begin(std::function<void()> cancel) override
    {
        ++begun;
        cancel();
    }
    void End() override { ++ended; }
};

// Settings asking for version 01.04.01 (extended format, no V117) with a
// request server.
CPrgSettings ExtendedSettings()
{
    CPrgSettings s;
    s.XMLx = 1;
    s.ReqXMLServer = QStringLiteral("dms.test:8080/srp");
    s.SendXMLServer = QStringLiteral("dms.test:8080/send");
    UpdateDmsHeader(&s);
    return s;
}

QString Envelope(const QString &inner, const QString &prefix = QStringLiteral("soap"))
{
    return QStringLiteral("<%1:Envelope xmlns:%1=\"http://schemas.xmlsoap.org/soap/envelope/\">"
                          "<%1:Body>%2</%1:Body></%1:Envelope>")
        .arg(prefix, inner);
}

QString FirstRegistrationAnswer(const QString &children,
                                const QString &version = QStringLiteral("01.04.01"))
{
    return Envelope(QStringLiteral("<requestFirstRegistrationDateResponse xmlns=\"http://%1/SRP\" "
                                   "refSchema=\"serviceRepairPackages.xsd\" version=\"%2\">%3"
                                   "</requestFirstRegistrationDateResponse>")
                        .arg(QLatin1String(kDmsNamespaceHost), version, children));
}

// The program text ids among the messages, the texts themselves otherwise.
QStringList Ids(const QStringList &texts)
{
    QStringList out;
    for (const QString &text : texts) {
        QString shown = text;
        for (int id : {4024, 5050, 5051, 5052, 5053, 5054, 5055, 7034, 7036}) {
            if (text == OrmelText(id))
                shown = QString::number(id);
        }
        // A Fault's notice: its fault string after the text's first line.
        const QString fault = OrmelText(kDmsFaultText).section(QLatin1Char('\n'), 0, 0);
        if (text.startsWith(fault + QLatin1Char('\n')))
            shown = QString::number(kDmsFaultText) + QLatin1Char(' ') + text.mid(fault.size() + 1);
        out << shown;
    }
    return out;
}

} // namespace

class TestDmsFrame : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void schemaVersion_data();
    void schemaVersion();
    void messageTexts();
    void completeUrl_data();
    void completeUrl();
    void send_data();
    void send();
    void answerElement_data();
    void answerElement();
    void readerTexts();
    void listenerAnswers();
    void valuesNeverBreakAMessage_data();
    void valuesNeverBreakAMessage();

    void dateCheck_data();
    void dateCheck();
    void fieldChange_data();
    void fieldChange();
    void fieldLeft_data();
    void fieldLeft();
    void requestBody();
    void whenTheDmsIsAsked_data();
    void whenTheDmsIsAsked();
    void answer_data();
    void answer();
    void unansweredTellsWhy_data();
    void unansweredTellsWhy();
    void cancelledRequestChangesNothing();
    void busyWhileARequestRuns();
};

void TestDmsFrame::initTestCase()
{
    InitOrmelText(QStringLiteral(YAQ_DEMO_DATAS_DIR "/Zirava/PrgTxt"));
    SetPrgSprache(QStringLiteral("00"));
}

void TestDmsFrame::schemaVersion_data()
{
    QTest::addColumn<int>("xmlx");
    QTest::addColumn<int>("receiveXmlx");
    QTest::addColumn<int>("v117");
    QTest::addColumn<QString>("version");
    // clang-format off
    QTest::newRow("plain format")             << 0 << 0 << 0 << "01.00.05";
    QTest::newRow("plain format, V117 alone") << 0 << 0 << 1 << "01.00.05";
    QTest::newRow("extended send")            << 1 << 0 << 0 << "01.04.01";
    QTest::newRow("extended receive")         << 0 << 1 << 0 << "01.04.01";
    QTest::newRow("extended receive, V117")   << 0 << 1 << 1 << "01.05.00";
    QTest::newRow("both extended, V117")      << 1 << 1 << 1 << "01.05.00";
    // clang-format on
}

void TestDmsFrame::schemaVersion()
{
    QFETCH(int, xmlx);
    QFETCH(int, receiveXmlx);
    QFETCH(int, v117);
    QFETCH(QString, version);
    CPrgSettings s;
    s.XMLx = xmlx;
    s.ReceiveXMLx = receiveXmlx;
    s.V117 = v117;
    UpdateDmsHeader(&s);
    QCOMPARE(s.SchemaVersion, version);
    QCOMPARE(s.NamespaceAttributes,
             QStringLiteral(" xmlns=\"http://dms.yaq2.example/SRP\" "
                            "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
                            "refSchema=\"serviceRepairPackages.xsd\" version=\"") +
                 version + QStringLiteral("\">"));
    // Every written message carries exactly that header.
    CDmsMessageWriter writer(QStringLiteral("requestVIN"), s.SchemaVersion);
    QCOMPARE(writer.Finish(), QStringLiteral("<requestVIN") + s.NamespaceAttributes.chopped(1) +
                                  QStringLiteral("/>"));
}

void TestDmsFrame::messageTexts()
{
    // The frame's messages are the program's texts.
    QCOMPARE(OrmelText(5050), QStringLiteral("Keine Antwort vom DMS zurückbekommen."));
    QCOMPARE(OrmelText(5051),
             QStringLiteral("URL des DMS-Servers für die Anfragen aus YAQ muss befüllt sein."));
    QCOMPARE(OrmelText(5052),
             QStringLiteral("URL des DMS-Servers für das Senden von YAQ Daten muss befüllt sein."));
    QCOMPARE(OrmelText(5053), QStringLiteral("refSchema oder Version ungültig!"));
    QCOMPARE(OrmelText(5054), QStringLiteral("Falsche Methode im Response!"));
    QCOMPARE(OrmelText(5055), QStringLiteral("Die Antwort vom DMS kann nicht verarbeitet werden."));
    QCOMPARE(OrmelText(5071), QStringLiteral("Falsche Methode im Request!"));
    QVERIFY(!OrmelText(7034).isEmpty());
    QVERIFY(!OrmelText(7036).isEmpty());
}

void TestDmsFrame::completeUrl_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("sent");
    // clang-format off
    QTest::newRow("no scheme")             << "dms.test:8080/srp"     << "http://dms.test:8080/srp";
    QTest::newRow("network path")          << "//dms.test/srp"        << "http://dms.test/srp";
    QTest::newRow("plain HTTP")            << "http://dms.test/srp"   << "http://dms.test/srp";
    QTest::newRow("plain HTTP, capitals")  << "HTTP://DMS.test/Srp"   << "HTTP://DMS.test/Srp";
    QTest::newRow("secure HTTP")           << "https://dms.test/srp"  << "https://dms.test/srp";
    QTest::newRow("secure HTTP, capitals") << "HTTPS://dms.test/srp"  << "HTTPS://dms.test/srp";
    QTest::newRow("host and port only")    << "localhost:2021"        << "http://localhost:2021";
    // clang-format on
}

void TestDmsFrame::completeUrl()
{
    QFETCH(QString, url);
    QFETCH(QString, sent);
    QCOMPARE(CompleteDmsUrl(url), sent);
}

void TestDmsFrame::send_data()
{
    QTest::addColumn<int>("server"); // 0 requests, 1 transfers
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("calls");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<int>("exchangeDone");
    // clang-format off
    QTest::newRow("request answered")      << 0 << "dms.test/srp" << "<a/>" << "<x/>" << 1 << QStringList()         << 1;
    QTest::newRow("request unanswered")    << 0 << "dms.test/srp" << "<a/>" << ""     << 1 << QStringList{"5050"} << 1;
    QTest::newRow("request without URL")   << 0 << ""             << "<a/>" << "<x/>" << 0 << QStringList{"5051"} << 0;
    QTest::newRow("blank request URL")     << 0 << "   "          << "<a/>" << "<x/>" << 0 << QStringList{"5051"} << 0;
    QTest::newRow("transfer without URL")  << 1 << ""             << "<a/>" << "<x/>" << 0 << QStringList{"5052"} << 0;
    QTest::newRow("nothing to send")       << 0 << "dms.test/srp" << ""     << "<x/>" << 0 << QStringList()         << 0;
    // clang-format on
}

void TestDmsFrame::send()
{
    QFETCH(int, server);
    QFETCH(QString, url);
    QFETCH(QString, body);
    QFETCH(QString, answer);
    QFETCH(int, calls);
    QFETCH(QStringList, messages);
    QFETCH(int, exchangeDone);
    CPrgSettings s = ExtendedSettings();
    (server == 0 ? s.ReqXMLServer : s.SendXMLServer) = url;
    Notices notice;
    Sender sender;
    sender.answer = answer;
    CDmsFrame frame(&s, &notice, &sender);
    const QString got = frame.Send(server == 0 ? DmsServer::Request : DmsServer::Transfer,
                                   QStringLiteral("requestVIN"), body);
    QCOMPARE(sender.calls, calls);
    QCOMPARE(Ids(notice.texts), messages);
    QCOMPARE(s.bDmsExchangeDone, exchangeDone);
    QCOMPARE(got, calls ? answer : QString());
    if (calls) {
        QCOMPARE(sender.url, QStringLiteral("http://") + url);
        QCOMPARE(sender.action,
                 QStringLiteral("http://dms.yaq2.example/SRP/action/YAQ.requestVIN"));
        QCOMPARE(sender.body, body);
    }
}

void TestDmsFrame::answerElement_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<int>("exchangeDone"); // starts at 1

    const QString element =
        QStringLiteral("<%1 refSchema=\"%2\" version=\"%3\"><mileage>1</mileage></%1>");
    const QString method = QStringLiteral("requestFirstRegistrationDateResponse");
    const QString schema = QStringLiteral("serviceRepairPackages.xsd");
    const QString ok = element.arg(method, schema, QStringLiteral("01.04.01"));
    // What the message leaves for the fault string.
    const qsizetype room =
        kDmsShownTextMax - OrmelText(kDmsFaultText).section(QLatin1Char('\n'), 0, 0).size() - 1;
    QString deep = ok;
    for (int i = 0; i < 40; ++i)
        deep = QStringLiteral("<d>") + deep + QStringLiteral("</d>");
    // clang-format off
    QTest::newRow("plain")                   << Envelope(ok)                                    << true  << QStringList()         << 1;
    QTest::newRow("prefixed envelope")       << Envelope(ok, "SOAP-ENV")                        << true  << QStringList()         << 1;
    QTest::newRow("prefixed answer element") << Envelope(element.arg("ns1:" + method, schema, "01.04.01")) << true << QStringList() << 1;
    QTest::newRow("answer name in capitals") << Envelope(element.arg(method.toUpper(), schema, "01.04.01")) << true << QStringList() << 1;
    QTest::newRow("schema in capitals")      << Envelope(element.arg(method, schema.toUpper(), "01.04.01")) << true << QStringList() << 1;
    QTest::newRow("other version")           << Envelope(element.arg(method, schema, "01.05.00")) << false << QStringList{"5053"} << 0;
    QTest::newRow("other schema")            << Envelope(element.arg(method, "packages.xsd", "01.04.01")) << false << QStringList{"5053"} << 0;
    QTest::newRow("no header")               << Envelope("<" + method + "/>")                   << false << QStringList{"5053"} << 0;
    QTest::newRow("other method")            << Envelope(element.arg("requestVINResponse", schema, "01.04.01")) << false << QStringList{"5054"} << 1;
    QTest::newRow("SOAP fault: its string")  << Envelope("<soap:Fault><faultstring>x</faultstring></soap:Fault>") << false << QStringList{"7072 x"} << 1;
    QTest::newRow("SOAP fault: a long string cut") << Envelope("<soap:Fault><faultstring>" + QString(900000, QLatin1Char('x')) + "</faultstring></soap:Fault>") << false << QStringList{"7072 " + QString(room, QLatin1Char('x')) + QChar(0x2026)} << 1;
    QTest::newRow("not XML")                 << "<html><body>Bad gateway"                       << false << QStringList{"5055"} << 1;
    QTest::newRow("no envelope")             << "<Body>" + ok + "</Body>"                       << false << QStringList{"5055"} << 1;
    QTest::newRow("envelope without body")   << "<s:Envelope xmlns:s=\"x\">" + ok + "</s:Envelope>" << false << QStringList{"5055"} << 1;
    QTest::newRow("nested beyond the limit") << Envelope(deep)                                  << false << QStringList{"5055"} << 1;
    // clang-format on
}

void TestDmsFrame::answerElement()
{
    QFETCH(QString, answer);
    QFETCH(bool, found);
    QFETCH(QStringList, messages);
    QFETCH(int, exchangeDone);
    CPrgSettings s = ExtendedSettings();
    s.bDmsExchangeDone = 1;
    Notices notice;
    CDmsFrame frame(&s, &notice);
    const QDomElement element =
        frame.AnswerElement(answer, QStringLiteral("requestFirstRegistrationDate"));
    QCOMPARE(!element.isNull(), found);
    QCOMPARE(Ids(notice.texts), messages);
    QCOMPARE(s.bDmsExchangeDone, exchangeDone);
}

void TestDmsFrame::readerTexts()
{
    const QString method = QStringLiteral("requestFirstRegistrationDate");
    QCOMPARE(DmsNotValidText(method, 1),
             QStringLiteral("RequestFirstRegistrationDateResponse\nXMLNotValid!(1)"));
    QCOMPARE(DmsNotValidText(QStringLiteral("transferYAQPositions"), 2),
             QStringLiteral("TransferYAQPositionsResponse\nXMLNotValid!(2)"));
    // An exception without explanation names itself and its information.
    QCOMPARE(DmsExceptionText(method, {QStringLiteral("VINUnknown"), QStringLiteral("no row")}),
             QStringLiteral("RequestFirstRegistrationDateResponse\nexception: VINUnknown\n"
                            "exceptionInfo: no row"));
    QCOMPARE(DmsExceptionText(method, {QStringLiteral("TimeOutError"), QStringLiteral("x")}),
             XMLErrMsg(QStringLiteral("TimeOutError")));
    for (int code = 1; code <= 5; ++code)
        QVERIFY(!XMLErrMsg(DmsExceptionName(code)).isEmpty());
}

void TestDmsFrame::listenerAnswers()
{
    CPrgSettings s = ExtendedSettings();
    QStringList sent;
    CDmsFrame frame(&s, nullptr, nullptr, [&](const QString &text) { sent << text; });
    const QString header = s.NamespaceAttributes;

    QVERIFY(frame.ConfirmTransferVIN());
    QCOMPARE(
        sent.last(),
        QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>"
                       "<s:Envelope s:encodingStyle=\"http://schemas.xmlsoap.org/soap/encoding/\" "
                       "xmlns:s=\"http://schemas.xmlsoap.org/soap/envelope/\"><s:Header/><s:Body>"
                       "<transferVINResponse") +
            header +
            QStringLiteral("<confirmTransmission>true</confirmTransmission>"
                           "</transferVINResponse></s:Body></s:Envelope>"));

    const struct
    {
        int code;
        const char *name;
    } codes[] = {{1, "TimeOutError"},
                 {2, "XMLNotValid"},
                 {3, "XMLNotWellFormed"},
                 {4, "GeneralApplicationError"},
                 {5, "TransferVINNotAccepted"},
                 {0, ""},
                 {6, ""}};
    for (const auto &c : codes) {
        const QString name = QLatin1String(c.name);
        QCOMPARE(frame.ExceptionBody(QStringLiteral("transferVINResponse"), c.code),
                 QStringLiteral("<transferVINResponse") + header +
                     QStringLiteral("<exception name=\"") + name +
                     QStringLiteral("\"><exceptionInfo>") + XMLErrMsg(name) +
                     QStringLiteral("</exceptionInfo></exception></transferVINResponse>"));
    }
    // Code 0 still answers.
    QVERIFY(frame.SendException(QStringLiteral("transferVINResponse"), 0));
    QVERIFY(sent.last().contains(
        QLatin1String("<exception name=\"\"><exceptionInfo></exceptionInfo>")));

    // Nothing goes out without a body or without a listener.
    const int before = sent.size();
    QVERIFY(!frame.SendListenerResponse(QString()));
    QCOMPARE(sent.size(), before);
    CDmsFrame noListener(&s, nullptr);
    QVERIFY(!noListener.ConfirmTransferVIN());
}

void TestDmsFrame::valuesNeverBreakAMessage_data()
{
    QTest::addColumn<QString>("terminalId");
    // clang-format off
    QTest::newRow("ampersand")          << "T&1";
    QTest::newRow("less than")          << "T<1";
    QTest::newRow("an element")         << "</terminalID><vin vinShort=\"X\"/><terminalID>";
    QTest::newRow("quotes")             << "\"T'1\"";
    QTest::newRow("end of a section")   << "]]>";
    QTest::newRow("an entity")          << "&amp;";
    // clang-format on
}

void TestDmsFrame::valuesNeverBreakAMessage()
{
    QFETCH(QString, terminalId);
    CPrgSettings s = ExtendedSettings();
    s.FgstnrFull = kVin;
    s.ReqXMLTerminalID = terminalId;
    const QString body = CFirstRegistration(&s).BuildRequest(s.SchemaVersion);
    QDomDocument doc;
    QString error;
    QVERIFY2(LoadXmlDocument(body, &doc, &error), qPrintable(error));
    const QDomElement root = doc.documentElement();
    QCOMPARE(root.elementsByTagName(QStringLiteral("vin")).size(), 1);
    QCOMPARE(root.elementsByTagName(QStringLiteral("terminalID")).size(), 1);
    QCOMPARE(root.firstChildElement(QStringLiteral("terminalID")).text(), terminalId);
    QCOMPARE(root.firstChildElement(QStringLiteral("vin")).attribute(QStringLiteral("vinShort")),
             kVin.right(7));

    // The same for a VIN the settings hold, however it came there.
    s.FgstnrFull = QStringLiteral("XVQ1F\"&<>A57M0123");
    QVERIFY(LoadXmlDocument(CFirstRegistration(&s).BuildRequest(s.SchemaVersion), &doc));
    const QDomElement vin = doc.documentElement().firstChildElement(QStringLiteral("vin"));
    QCOMPARE(vin.attribute(QStringLiteral("vinLongPrefix")) +
                 vin.attribute(QStringLiteral("vinShort")),
             s.FgstnrFull);
}

// ---------------------------------------------------------------------------
// First registration

void TestDmsFrame::dateCheck_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    // clang-format off
    QTest::newRow("ordinary")              << "09.03.2016" << true;
    QTest::newRow("leap day")              << "29.02.2016" << true;
    QTest::newRow("no leap day")           << "29.02.2015" << false;
    QTest::newRow("31 February")           << "31.02.2015" << false;
    QTest::newRow("31 April")              << "31.04.2015" << false;
    QTest::newRow("first year")            << "01.01.1970" << true;
    QTest::newRow("before the first year") << "31.12.1969" << false;
    QTest::newRow("last year")             << "31.12.2037" << true;
    QTest::newRow("after the last year")   << "01.01.2038" << false;
    QTest::newRow("day 0")                 << "00.01.2015" << false;
    QTest::newRow("month 13")              << "01.13.2015" << false;
    QTest::newRow("short form")            << "1.1.2015"   << false;
    QTest::newRow("other separators")      << "01-01-2015" << false;
    QTest::newRow("placeholder")           << "TT.MM.JJJJ" << false;
    QTest::newRow("other digits")          << QString::fromUtf8("٠١.٠١.٢٠١٥") << false;
    // clang-format on
}

void TestDmsFrame::dateCheck()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QCOMPARE(CFirstRegistration::IsValidDate(text), valid);
}

void TestDmsFrame::fieldChange_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("stored"); // the settings' date before
    QTest::addColumn<int>("basket");     // its answer; -1 must not be asked
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("storedAfter");
    QTest::addColumn<int>("message");
    QTest::addColumn<bool>("changed");
    // clang-format off
    QTest::newRow("incomplete: unchecked")  << "1.1.2015"   << "01.01.2014" << -1 << "1.1.2015"   << "01.01.2014" << 0    << false;
    QTest::newRow("placeholder: no date")   << "TT.MM.JJJJ" << ""           << -1 << "TT.MM.JJJJ" << ""           << 0    << false;
    QTest::newRow("31 February: refused")   << "31.02.2015" << "01.01.2014" << -1 << "31.02.2015" << ""           << 4024 << true;
    QTest::newRow("year 1969: refused")     << "01.01.1969" << ""           << -1 << "01.01.1969" << ""           << 4024 << false;
    QTest::newRow("new date taken")         << "09.03.2016" << ""           << 0  << "09.03.2016" << "09.03.2016" << 0    << true;
    QTest::newRow("basket keeps the old")   << "09.03.2016" << "01.01.2014" << 1  << "01.01.2014" << "01.01.2014" << 0    << false;
    QTest::newRow("same date: no question") << "09.03.2016" << "09.03.2016" << -1 << "09.03.2016" << "09.03.2016" << 0    << false;
    // clang-format on
}

void TestDmsFrame::fieldChange()
{
    QFETCH(QString, text);
    QFETCH(QString, stored);
    QFETCH(int, basket);
    QFETCH(QString, field);
    QFETCH(QString, storedAfter);
    QFETCH(int, message);
    QFETCH(bool, changed);
    CPrgSettings s;
    s.Erstzulassung = stored;
    int asked = 0;
    const auto r = CFirstRegistration(&s).OnChange(text, [&] {
        ++asked;
        return basket;
    });
    QCOMPARE(asked, basket < 0 ? 0 : 1);
    QCOMPARE(r.fieldText, field);
    QCOMPARE(s.Erstzulassung, storedAfter);
    QCOMPARE(r.messageId, message);
    QCOMPARE(r.selectAll, basket == 1);
    QCOMPARE(bool(r.changes.bErstzul), changed);
    QCOMPARE(bool(r.changes.bIdent), changed);
}

void TestDmsFrame::fieldLeft_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("basket"); // -1 must not be asked
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("storedAfter");
    // clang-format off
    QTest::newRow("complete: left alone")       << "09.03.2016" << "09.03.2016" << -1 << "09.03.2016" << "09.03.2016";
    QTest::newRow("short form, no date stored") << "1.1.2015"   << ""           << 0  << "TT.MM.JJJJ" << "";
    QTest::newRow("emptied, basket agrees")     << ""           << "09.03.2016" << 0  << "TT.MM.JJJJ" << "";
    QTest::newRow("emptied, basket keeps")      << ""           << "09.03.2016" << 1  << "09.03.2016" << "09.03.2016";
    QTest::newRow("empty and none stored")      << ""           << ""           << -1 << "TT.MM.JJJJ" << "";
    // clang-format on
}

void TestDmsFrame::fieldLeft()
{
    QFETCH(QString, text);
    QFETCH(QString, stored);
    QFETCH(int, basket);
    QFETCH(QString, field);
    QFETCH(QString, storedAfter);
    CPrgSettings s;
    s.Erstzulassung = stored;
    int asked = 0;
    const auto r = CFirstRegistration(&s).OnKillFocus(text, [&] {
        ++asked;
        return basket;
    });
    QCOMPARE(asked, basket < 0 ? 0 : 1);
    QCOMPARE(r.fieldText, field);
    QCOMPARE(s.Erstzulassung, storedAfter);
    QCOMPARE(bool(r.changes.bErstzul), stored != storedAfter);
    // The placeholder goes when the field gets the focus, unless read-only.
    QCOMPARE(CFirstRegistration::OnSetFocus(QStringLiteral("TT.MM.JJJJ"), false), QString());
    QCOMPARE(CFirstRegistration::OnSetFocus(QStringLiteral("TT.MM.JJJJ"), true),
             QStringLiteral("TT.MM.JJJJ"));
}

void TestDmsFrame::whenTheDmsIsAsked_data()
{
    QTest::addColumn<int>("requestMode");
    QTest::addColumn<int>("xmlx");
    QTest::addColumn<int>("campaigns");
    QTest::addColumn<int>("packageRequest"); // caller mode "qvlawtosrp"
    QTest::addColumn<bool>("asked");
    // clang-format off
    QTest::newRow("XML requests, extended, campaigns") << 4 << 1 << 1 << 0 << true;
    QTest::newRow("requests from files")               << 3 << 1 << 1 << 0 << false;
    QTest::newRow("plain XML")                         << 4 << 0 << 1 << 0 << false;
    QTest::newRow("no campaigns")                      << 4 << 1 << 0 << 0 << false;
    QTest::newRow("package request shows no window")   << 4 << 1 << 1 << 1 << false;
    // clang-format on
}

void TestDmsFrame::whenTheDmsIsAsked()
{
    QFETCH(int, requestMode);
    QFETCH(int, xmlx);
    QFETCH(int, campaigns);
    QFETCH(int, packageRequest);
    CPrgSettings s;
    s.SRPInterfaceReq = requestMode;
    s.XMLx = xmlx;
    s.MarketingCampaigns = campaigns;
    s.bQvlAwToSrp = packageRequest;
    QTEST(CFirstRegistration::ShouldRequest(s), "asked");
}

void TestDmsFrame::requestBody()
{
    CPrgSettings s = ExtendedSettings();
    s.FgstnrFull = kVin;
    const QString head = QStringLiteral("<requestFirstRegistrationDate") + s.NamespaceAttributes +
                         QStringLiteral("<vin vinLongPrefix=\"XVQ1F23A57\" vinShort=\"M012345\"/>");
    const QString tail = QStringLiteral("</requestFirstRegistrationDate>");
    CFirstRegistration reg(&s);
    QCOMPARE(reg.BuildRequest(s.SchemaVersion), head + tail);
    s.ReqXMLTerminalID = QStringLiteral("T01");
    QCOMPARE(reg.BuildRequest(s.SchemaVersion),
             head + QStringLiteral("<terminalID>T01</terminalID>") + tail);

    // Without the full VIN nothing is sent.
    s.FgstnrFull = kVin.right(7);
    Notices notice;
    Sender sender;
    CDmsClient client(&s, &sender);
    QCOMPARE(reg.Request(client, &notice).applied, 0);
    QCOMPARE(sender.calls, 0);
    QVERIFY(notice.texts.isEmpty());
}

void TestDmsFrame::answer_data()
{
    QTest::addColumn<QString>("children");
    QTest::addColumn<int>("v117");
    QTest::addColumn<int>("vehiclesOfShortVin");
    QTest::addColumn<int>("applied");
    QTest::addColumn<QString>("date");      // the settings' date afterwards (before: 01.01.2014)
    QTest::addColumn<QString>("mileage");   // afterwards (before: "500")
    QTest::addColumn<int>("customerPrice"); // afterwards (before: 1)
    QTest::addColumn<QStringList>("messages");

    const QString date =
        QStringLiteral("<firstRegistrationDate>2016-03-09</firstRegistrationDate>");
    const QString vin17 =
        QStringLiteral("<vin vinLongPrefix=\"XVQ1F23A57\" vinShort=\"M012345\"/>");
    const QString vin7 = QStringLiteral("<vin vinLongPrefix=\"\" vinShort=\"M012345\"/>");
    const QString other7 = QStringLiteral("<vin vinLongPrefix=\"\" vinShort=\"M099999\"/>");
    const QString other17 =
        QStringLiteral("<vin vinLongPrefix=\"XVQ2G45B68\" vinShort=\"4K56789\"/>");
    const QString old = QStringLiteral("01.01.2014");
    const QStringList none;
    const QStringList notValid2{DmsNotValidText(QStringLiteral("requestFirstRegistrationDate"), 2)};
    const QStringList vinRefused{QStringLiteral("7036")};
    // clang-format off
    QTest::newRow("date")                       << date                                                  << 0 << 1 << 1 << "09.03.2016" << "500"   << 1 << none;
    QTest::newRow("date and mileage")           << date + "<mileage>42000</mileage>"                     << 0 << 1 << 1 << "09.03.2016" << "42000" << 1 << none;
    QTest::newRow("prefixed children")          << "<n:firstRegistrationDate xmlns:n=\"u\">2016-03-09</n:firstRegistrationDate>" << 0 << 1 << 1 << "09.03.2016" << "500" << 1 << none;
    QTest::newRow("trailing blanks")            << "<firstRegistrationDate>2016-03-09  </firstRegistrationDate>" << 0 << 1 << 1 << "09.03.2016" << "500" << 1 << none;
    QTest::newRow("date with zone +01:00, mileage kept") << "<firstRegistrationDate>2019-11-21+01:00</firstRegistrationDate><mileage>12800</mileage>" << 0 << 1 << 1 << "21.11.2019" << "12800" << 1 << none;
    QTest::newRow("date in UTC (Z)")            << "<firstRegistrationDate>2019-11-21Z</firstRegistrationDate>" << 0 << 1 << 1 << "21.11.2019" << "500" << 1 << none;
    QTest::newRow("date with zone -05:00")      << "<firstRegistrationDate>2019-11-21-05:00</firstRegistrationDate>" << 0 << 1 << 1 << "21.11.2019" << "500" << 1 << none;
    QTest::newRow("blanks around the date")     << "<firstRegistrationDate>\n  2016-03-09\n</firstRegistrationDate>" << 0 << 1 << 1 << "09.03.2016" << "500" << 1 << none;
    QTest::newRow("V117 off: flag untouched")   << date + "<customerHasSpecificPrice>false</customerHasSpecificPrice>" << 0 << 1 << 1 << "09.03.2016" << "500" << 1 << none;
    QTest::newRow("V117: TRUE")                 << date + "<customerHasSpecificPrice>TRUE</customerHasSpecificPrice>"  << 1 << 1 << 1 << "09.03.2016" << "500" << 1 << none;
    QTest::newRow("V117: 1")                    << date + "<customerHasSpecificPrice>1</customerHasSpecificPrice>"     << 1 << 1 << 1 << "09.03.2016" << "500" << 1 << none;
    QTest::newRow("V117: 0")                    << date + "<customerHasSpecificPrice>0</customerHasSpecificPrice>"     << 1 << 1 << 1 << "09.03.2016" << "500" << 0 << none;
    QTest::newRow("V117: blanks around true")   << date + "<customerHasSpecificPrice>\n  true\n</customerHasSpecificPrice>" << 1 << 1 << 1 << "09.03.2016" << "500" << 1 << none;
    QTest::newRow("V117: other text")           << date + "<customerHasSpecificPrice>yes</customerHasSpecificPrice>"   << 1 << 1 << 1 << "09.03.2016" << "500" << 0 << none;
    QTest::newRow("V117: no price element")     << date                                                  << 1 << 1 << 1 << "09.03.2016" << "500"   << 0 << none;
    QTest::newRow("VIN asked about")            << vin17 + date                                          << 0 << 1 << 1 << "09.03.2016" << "500"   << 1 << none;
    QTest::newRow("short VIN of one vehicle")   << vin7 + date                                           << 0 << 1 << 1 << "09.03.2016" << "500"   << 1 << none;
    QTest::newRow("short VIN of two vehicles")  << vin7 + date                                           << 0 << 2 << 0 << old          << "500"   << 1 << vinRefused;
    QTest::newRow("other short VIN")            << other7 + date                                         << 0 << 1 << 0 << old          << "500"   << 1 << vinRefused;
    QTest::newRow("other vehicle")              << other17 + date                                        << 0 << 1 << 0 << old          << "500"   << 1 << vinRefused;
    QTest::newRow("VIN cut short")              << "<vin vinLongPrefix=\"XVQ1F\" vinShort=\"M012345\"/>" + date << 0 << 1 << 0 << old   << "500"   << 1 << vinRefused;
    QTest::newRow("31 February")                << "<firstRegistrationDate>2015-02-31</firstRegistrationDate>" << 0 << 1 << 0 << old  << "500"   << 1 << notValid2;
    QTest::newRow("date without zeros")         << "<firstRegistrationDate>2016-3-9</firstRegistrationDate>"   << 0 << 1 << 0 << old  << "500"   << 1 << notValid2;
    QTest::newRow("date and time")              << "<firstRegistrationDate>2016-03-09T00:00:00</firstRegistrationDate>" << 0 << 1 << 0 << old << "500" << 1 << notValid2;
    QTest::newRow("zone beyond 14 hours")       << "<firstRegistrationDate>2016-03-09+14:30</firstRegistrationDate>" << 0 << 1 << 0 << old << "500" << 1 << notValid2;
    QTest::newRow("mileage without date")       << "<mileage>42000</mileage>"                            << 0 << 1 << 0 << old          << "500"   << 1 << notValid2;
    QTest::newRow("nothing known")              << "<Mileage>1</Mileage>"                                << 0 << 1 << 0 << old          << "500"   << 1 << QStringList{DmsNotValidText(QStringLiteral("requestFirstRegistrationDate"), 1)};
    QTest::newRow("only an exception")          << "<exception name=\"VINUnknown\"><exceptionInfo>no row</exceptionInfo></exception>" << 0 << 1 << 0 << old << "500" << 1 << QStringList{QStringLiteral("RequestFirstRegistrationDateResponse\nexception: VINUnknown\nexceptionInfo: no row")};
    QTest::newRow("a known exception")          << "<exception name=\"TimeOutError\"/>"                 << 0 << 1 << 0 << old          << "500"   << 1 << QStringList{XMLErrMsg(QStringLiteral("TimeOutError"))};
    // clang-format on
}

void TestDmsFrame::answer()
{
    QFETCH(QString, children);
    QFETCH(int, v117);
    QFETCH(int, vehiclesOfShortVin);
    QFETCH(int, applied);
    QFETCH(QString, date);
    QFETCH(QString, mileage);
    QFETCH(int, customerPrice);
    QFETCH(QStringList, messages);
    CPrgSettings s;
    s.SRPInterfaceReq = 4;
    s.XMLx = 1;
    s.V117 = v117;
    s.MarketingCampaigns = 1;
    s.ReqXMLServer = QStringLiteral("dms.test/srp");
    UpdateDmsHeader(&s);
    s.FgstnrFull = kVin;
    s.Erstzulassung = QStringLiteral("01.01.2014");
    s.Kilometer = QStringLiteral("500");
    s.bCustomerSpecificPrice = 1;
    Notices notice;
    Sender sender;
    sender.answer = FirstRegistrationAnswer(children, s.SchemaVersion);
    CDmsClient client(&s, &sender);
    QStringList counted;
    client.SetShortVinCount([&](const QString &shortVin) {
        counted << shortVin;
        return vehiclesOfShortVin;
    });
    const auto r = CFirstRegistration(&s).Request(client, &notice);
    QCOMPARE(sender.calls, 1);
    QCOMPARE(sender.action, DmsSoapAction(QStringLiteral("requestFirstRegistrationDate")));
    QCOMPARE(r.applied, applied);
    QCOMPARE(r.hasMileage, applied && mileage != QLatin1String("500"));
    QCOMPARE(s.Erstzulassung, date);
    QCOMPARE(s.Kilometer, mileage);
    QCOMPARE(s.bCustomerSpecificPrice, customerPrice);
    QCOMPARE(Ids(notice.texts), messages);
    if (applied) {
        QCOMPARE(r.firstRegistration, date);
        QVERIFY(r.changes.bErstzul);
    }
    if (messages == QStringList{QStringLiteral("7036")})
        QCOMPARE(notice.captions, QStringList{OrmelText(7034)});
}

void TestDmsFrame::unansweredTellsWhy_data()
{
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QString>("told");
    // clang-format off
    QTest::newRow("reason unknown") << ""                              << "5050";
    QTest::newRow("reason known")   << "dms.test:8080 refused the connection." << "5050\ndms.test:8080 refused the connection.";
    // clang-format on
}

// No answer: the notice says why, when the sender knows.
void TestDmsFrame::unansweredTellsWhy()
{
    QFETCH(QString, reason);
    QFETCH(QString, told);
    CPrgSettings s = ExtendedSettings();
    s.FgstnrFull = kVin;
    Notices notice;
    Sender sender;
    sender.error = reason;
    CDmsClient client(&s, &sender);
    QCOMPARE(CFirstRegistration(&s).Request(client, &notice).applied, 0);
    QCOMPARE(notice.texts.size(), 1);
    QCOMPARE(notice.texts.first().replace(OrmelText(5050), QStringLiteral("5050")), told);
}

// A request the adviser cancels takes nothing of an answer that still came,
// tells nothing and leaves the DMS-answered flag alone.
void TestDmsFrame::cancelledRequestChangesNothing()
{
    CPrgSettings s = ExtendedSettings();
    s.V117 = 1;
    UpdateDmsHeader(&s);
    s.FgstnrFull = kVin;
    s.Erstzulassung = QStringLiteral("01.01.2014");
    s.bCustomerSpecificPrice = 0;
    Notices notice;
    Sender sender;
    sender.answer = FirstRegistrationAnswer(
        QStringLiteral("<firstRegistrationDate>2016-03-09</firstRegistrationDate>"
                       "<customerHasSpecificPrice>true</customerHasSpecificPrice>"),
        s.SchemaVersion);
    CancellingWait wait;
    CDmsClient client(&s, &sender, &wait);
    const auto r = CFirstRegistration(&s).Request(client, &notice);
    QCOMPARE(sender.calls, 1);
    QCOMPARE(wait.begun, 1);
    QCOMPARE(wait.ended, 1);
    QCOMPARE(r.applied, 0);
    QCOMPARE(s.Erstzulassung, QStringLiteral("01.01.2014"));
    QCOMPARE(s.bCustomerSpecificPrice, 0);
    QCOMPARE(s.bDmsExchangeDone, 0);
    QVERIFY(notice.texts.isEmpty());
}

// The main window fetches no request of its listener while the client is
// busy: from the request's body to the last message of its reader.
void TestDmsFrame::busyWhileARequestRuns()
{
    CPrgSettings s = ExtendedSettings();
    s.FgstnrFull = kVin;
    Sender sender;
    sender.answer = FirstRegistrationAnswer(QStringLiteral("<mileage>1</mileage>"));
    CDmsClient client(&s, &sender);
    bool busyWhileWaiting = false;
    bool busyWhileTelling = false;
    sender.during = [&] { busyWhileWaiting = client.IsBusy(); };
    struct TellingNotice : IDmsNotice
    {
        std::function<void()> told;
        void Notice(const QString &, const QString &) override { told(); }
    } notice;
    notice.told = [&] { busyWhileTelling = client.IsBusy(); };
    QVERIFY(!client.IsBusy());
    CFirstRegistration(&s).Request(client, &notice);
    QVERIFY(busyWhileWaiting);
    QVERIFY(busyWhileTelling);
    QVERIFY(!client.IsBusy());
}

YAQ_TEST_GUILESS_MAIN(TestDmsFrame)
#include "tst_dmsframe.moc"
