// The application-server session of the catalogue database (check and end
// against a local stand-in server), the forms of the catalogue server's
// address, and the record operations every query relies on.

#include "app/MainWndRules.h"
#include "platform/db/ServerAddress.h"
#include "platform/db/WebDb.h"
#include "platform/db/YaqDb.h"
#include "settings/CmdLine.h"
#include "support/FakeAppServer.h"
#include "support/TestMain.h"
#include "support/Waits.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QtTest>

#include <functional>

namespace {

const QByteArray kSessionData =
    "<?xml version=\"1.0\"?><sessiondata><return-code>00</return-code>"
    "<yaqservice-intern-available>Y</yaqservice-intern-available>"
    "<yaqservice-extern-available>N</yaqservice-extern-available></sessiondata>";

} // namespace

class TestYaqDbSession : public QObject
{
    Q_OBJECT
private slots:
    void sessionIsCheckedAndEndedOnTheAppServer();
    void sessionIdReachesAFormDecoderUnchanged_data();
    void sessionIdReachesAFormDecoderUnchanged();
    void sessionFileIdReachesTheServerByteForByte_data();
    void sessionFileIdReachesTheServerByteForByte();
    void inputDuringACheckIsDropped();
    void checkFailureGivesEmptyAnswer_data();
    void checkFailureGivesEmptyAnswer();
    void answerSizeIsCapped_data();
    void answerSizeIsCapped();
    void sessionOpenNeedsServerAndId();
    void serverAddressForms_data();
    void serverAddressForms();
    void recordsTrimInitAndCopy();
};

void TestYaqDbSession::sessionIsCheckedAndEndedOnTheAppServer()
{
    FakeAppServer server(200, kSessionData);
    CYaqDb db;
    QVERIFY(db.Open(QString(), QString(), QString(), 0, QStringLiteral(YAQ_DEMO_DATAS_DIR),
                    server.address(), QStringLiteral("S-4711 &x=1")));
    QVERIFY(dynamic_cast<CWebDb *>(db.Connection()));

    QCOMPARE(db.CheckSession(QStringLiteral("S-4711 &x=1")), QString::fromUtf8(kSessionData));
    QCOMPARE(db.LastResult(), DbResult::Row);
    QVERIFY(!db.EndSession(QStringLiteral("S-4711 &x=1")).isEmpty());
    QCOMPARE(server.requestLines,
             QStringList({"POST /yaq2/session/check HTTP/1.1", "POST /yaq2/session/end HTTP/1.1"}));
    // The id travels form-encoded in the body, never in the address.
    QCOMPARE(server.bodies.value(0), QByteArray("sessionid=S-4711%20%26x%3D1"));

    // Catalogue reads go on through the local data set of the session.
    CMarkeData rec;
    rec.m_strTypSchl = "7A01";
    QVERIFY(db.GetMarkeFromTypschl(rec));
    QCOMPARE(rec.m_strMarke, QStringLiteral("VQ"));
}

// What a server's form decoder makes of an application/x-www-form-urlencoded
// body: the value of `name`.
QString FormValue(const QByteArray &body, const QByteArray &name)
{
    for (const QByteArray &pair : body.split('&')) {
        const qsizetype equals = pair.indexOf('=');
        if (equals < 0 || pair.left(equals) != name)
            continue;
        QByteArray value = pair.mid(equals + 1);
        value.replace('+', ' ');
        return QString::fromUtf8(QByteArray::fromPercentEncoding(value));
    }
    return QStringLiteral("<no field>");
}

void TestYaqDbSession::sessionIdReachesAFormDecoderUnchanged_data()
{
    QTest::addColumn<QString>("sessionId");
    // clang-format off
    QTest::newRow("plus and slashes of a base64 token") << "aB+c/9+/Zw==";
    QTest::newRow("percent before two hex digits")      << "a%41b%2Bc";
    QTest::newRow("ampersand and equal sign")           << "a&b=c&sessionid=x";
    QTest::newRow("blanks")                             << " S 1  ";
    QTest::newRow("umlauts")                            << "Sitzung-äöüß";
    QTest::newRow("everything at once")                 << "a&b=c%41 d+e;äö/?#x";
    // clang-format on
}

void TestYaqDbSession::sessionIdReachesAFormDecoderUnchanged()
{
    QFETCH(QString, sessionId);
    FakeAppServer server(200, kSessionData);
    CYaqDb db;
    QVERIFY(db.Open(QString(), QString(), QString(), 0, QStringLiteral(YAQ_DEMO_DATAS_DIR),
                    server.address(), sessionId));
    QVERIFY(!db.CheckSession(sessionId).isEmpty());
    QCOMPARE(server.bodies.size(), 1);
    const QByteArray body = server.bodies.first();
    QCOMPARE(FormValue(body, "sessionid"), sessionId);
    // One field: no character of the id separates another.
    QCOMPARE(body.count('&'), 0);
    QCOMPARE(body.count('='), 1);
}

// The id of a session file in the code page its server wrote it in reaches
// the application server as the same characters: the body carries their
// UTF-8, whatever the file's encoding.
void TestYaqDbSession::sessionFileIdReachesTheServerByteForByte_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("body");
    const QByteArray ids = "<OSSParameters>\r\n<SessionID>M\xfcller-\xe4\xf6\xdf";
    // clang-format off
    QTest::newRow("windows-1252")           << "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n" + ids + "-\x80" "5</SessionID>\r\n</OSSParameters>\r\n" << QByteArray("sessionid=M%C3%BCller-%C3%A4%C3%B6%C3%9F-%E2%82%AC5");
    QTest::newRow("ISO-8859-15")            << "<?xml version=\"1.0\" encoding=\"ISO-8859-15\"?>\r\n" + ids + "-\xa4" "5</SessionID>\r\n</OSSParameters>\r\n"  << QByteArray("sessionid=M%C3%BCller-%C3%A4%C3%B6%C3%9F-%E2%82%AC5");
    QTest::newRow("cp1252, single quotes")  << "<?xml version='1.0' encoding='cp1252'?>\n" + ids + "</SessionID></OSSParameters>"                                  << QByteArray("sessionid=M%C3%BCller-%C3%A4%C3%B6%C3%9F");
    // clang-format on
}

void TestYaqDbSession::sessionFileIdReachesTheServerByteForByte()
{
    QFETCH(QByteArray, file);
    QTemporaryDir dir;
    QFile session(dir.filePath(QStringLiteral("start.YAQ2CFG")));
    QVERIFY(session.open(QIODevice::WriteOnly));
    QCOMPARE(session.write(file), file.size());
    session.close();
    COssParameters values;
    QVERIFY(ReadOssParametersFile(session.fileName(), &values));

    FakeAppServer server(200, kSessionData);
    CYaqDb db;
    QVERIFY(db.Open(QString(), QString(), QString(), 0, QStringLiteral(YAQ_DEMO_DATAS_DIR),
                    server.address(), values.sessionId));
    QVERIFY(!db.CheckSession(values.sessionId).isEmpty());
    QFETCH(QByteArray, body);
    QCOMPARE(server.bodies, QList<QByteArray>{body});
}

// Clicks and keys the adviser makes while the session is checked are
// dropped, not delivered meanwhile or afterwards; the wait cursor shows; a
// window closed meanwhile closes once the check is done.
void TestYaqDbSession::inputDuringACheckIsDropped()
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *button = new QPushButton(QStringLiteral("AW"), &window);
    auto *field = new QLineEdit(&window);
    layout->addWidget(button);
    layout->addWidget(field);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    int clicks = 0;
    connect(button, &QPushButton::clicked, this, [&clicks] { ++clicks; });

    FakeAppServer server(200, kSessionData);
    int cursorDuringCheck = -1;
    bool closedAtOnce = true;
    server.onRequest = [&] {
        if (const QCursor *cursor = QApplication::overrideCursor())
            cursorDuringCheck = cursor->shape();
        const QPointF at = QRectF(button->rect()).center();
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
            QCoreApplication::postEvent(
                button,
                new QMouseEvent(type, at, button->mapToGlobal(at), Qt::LeftButton,
                                type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                                Qt::NoModifier));
        for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease})
            QCoreApplication::postEvent(
                field, new QKeyEvent(type, Qt::Key_Q, Qt::NoModifier, QStringLiteral("Q")));
        closedAtOnce = window.close();
    };
    CYaqDb db;
    QVERIFY(db.Open(QString(), QString(), QString(), 0, QStringLiteral(YAQ_DEMO_DATAS_DIR),
                    server.address(), QStringLiteral("S1")));
    QCOMPARE(db.CheckSession(QStringLiteral("S1")), QString::fromUtf8(kSessionData));
    QCoreApplication::sendPostedEvents();
    YAQ_SETTLED_COMPARE(clicks, 0);
    QCOMPARE(field->text(), QString());
    QCOMPARE(cursorDuringCheck, int(Qt::WaitCursor));
    QVERIFY(!QApplication::overrideCursor());
    QVERIFY(!closedAtOnce);
    YAQ_TRY_VERIFY(!window.isVisible());
}

void TestYaqDbSession::checkFailureGivesEmptyAnswer_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("serverRuns");
    QTest::newRow("server error status") << 500 << true;
    QTest::newRow("session unknown to the server") << 404 << true;
    QTest::newRow("nobody listening") << 200 << false;
}

void TestYaqDbSession::checkFailureGivesEmptyAnswer()
{
    QFETCH(int, status);
    QFETCH(bool, serverRuns);
    QString address = QStringLiteral("127.0.0.1:1");
    std::unique_ptr<FakeAppServer> server;
    if (serverRuns) {
        server = std::make_unique<FakeAppServer>(status, kSessionData);
        address = server->address();
    }
    CYaqDb db;
    QVERIFY(db.Open(QString(), QString(), QString(), 0, QStringLiteral(YAQ_DEMO_DATAS_DIR), address,
                    QStringLiteral("S1")));
    QCOMPARE(db.CheckSession(QStringLiteral("S1")), QString());
    QCOMPARE(db.LastResult(), DbResult::Failed);
    QVERIFY(!db.LastErrorText().isEmpty());
}

// Session data padded with blanks to the given size.
QByteArray SessionDataOfSize(qint64 size)
{
    QByteArray data = kSessionData;
    data.insert(data.indexOf("</sessiondata>"), QByteArray(size - data.size(), ' '));
    return data;
}

void TestYaqDbSession::answerSizeIsCapped_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("framing");
    QTest::addColumn<bool>("accepted");
    const qint64 cap = CWebDb::kMaxAnswerBytes;
    // clang-format off
    QTest::newRow("endless chunked answer") << QByteArray(64 * 1024, 'x') << int(FakeAppServer::EndlessChunks) << false;
    QTest::newRow("one byte over the cap, chunked") << SessionDataOfSize(cap + 1) << int(FakeAppServer::Chunked) << false;
    QTest::newRow("one byte over the cap, with its length") << SessionDataOfSize(cap + 1) << int(FakeAppServer::WithLength) << false;
    QTest::newRow("session data at the cap, chunked") << SessionDataOfSize(cap) << int(FakeAppServer::Chunked) << true;
    QTest::newRow("session data at the cap, with its length") << SessionDataOfSize(cap) << int(FakeAppServer::WithLength) << true;
    // clang-format on
}

void TestYaqDbSession::answerSizeIsCapped()
{
    QFETCH(QByteArray, body);
    QFETCH(int, framing);
    QFETCH(bool, accepted);
    FakeAppServer server(200, body, FakeAppServer::Framing(framing));
    CYaqDb db;
    QVERIFY(db.Open(QString(), QString(), QString(), 0, QStringLiteral(YAQ_DEMO_DATAS_DIR),
                    server.address(), QStringLiteral("S1")));
    // The exchange's own time is beyond the test's wait: only the cap ends
    // an endless answer, however slowly it comes.
    auto *web = dynamic_cast<CWebDb *>(db.Connection());
    QVERIFY(web);
    web->SetTimeout(YaqTest::kHangMs);
    const QString answer = db.CheckSession(QStringLiteral("S1"));
    if (accepted) {
        QCOMPARE(db.LastResult(), DbResult::Row);
        QCOMPARE(answer.size(), body.size());
        QCOMPARE(ParseSessionAnswer(answer), int(kSessionValid));
    } else {
        QCOMPARE(answer, QString());
        QCOMPARE(db.LastResult(), DbResult::Failed);
        // Refused as soon as the cap is passed, not at the time-out.
        QVERIFY2(db.LastErrorText().contains(QLatin1String("longer than")),
                 qPrintable(db.LastErrorText()));
    }
}

void TestYaqDbSession::sessionOpenNeedsServerAndId()
{
    // Without a session the local data set answers and the session calls
    // give empty texts.
    CYaqDb local;
    QVERIFY(local.Open(QString(), QString(), QString(), 0, QStringLiteral(YAQ_DEMO_DATAS_DIR),
                       QString(), QString()));
    QCOMPARE(local.CheckSession(QStringLiteral("S1")), QString());

    CYaqDb none;
    QCOMPARE(none.CheckSession(QStringLiteral("S1")), QString());
    QCOMPARE(none.EndSession(QStringLiteral("S1")), QString());

    CYaqDb noCatalogue;
    QCOMPARE(noCatalogue.Open(QString(), QString(), QString(), 0, QString(),
                              QStringLiteral("127.0.0.1:1"), QStringLiteral("S1")),
             0);
}

void TestYaqDbSession::serverAddressForms_data()
{
    QTest::addColumn<QString>("tns");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("database");
    // clang-format off
    QTest::newRow("descriptor")                            << "(DESCRIPTION=(ADDRESS=(PROTOCOL=TCP)(HOST=db1.example)(PORT=1521))(CONNECT_DATA=(SID=YAQ)))"   << true  << "db1.example" << 1521  << "YAQ";
    QTest::newRow("descriptor with blanks and lower case") << "(description = (address = (host = h2) (port = 6000)) (connect_data = (sid = cat)))"             << true  << "h2"          << 6000  << "cat";
    QTest::newRow("descriptor with service name")          << "(DESCRIPTION=(ADDRESS=(HOST=h)(PORT=5433))(CONNECT_DATA=(SERVICE_NAME=yaq2)))"                  << true  << "h"           << 5433  << "yaq2";
    QTest::newRow("descriptor without port")               << "(DESCRIPTION=(ADDRESS=(HOST=h))(CONNECT_DATA=(SID=s)))"                                         << true  << "h"           << 5432  << "s";
    QTest::newRow("host port and database")                << "127.0.0.1:54330/yaqtest"                                                                        << true  << "127.0.0.1"   << 54330 << "yaqtest";
    QTest::newRow("host and database")                     << "dbhost/yaq"                                                                                     << true  << "dbhost"      << 5432  << "yaq";
    QTest::newRow("bare alias")                            << "YAQPROD"                                                                                        << false << ""            << 0     << "";
    QTest::newRow("descriptor without database")           << "(DESCRIPTION=(ADDRESS=(HOST=h)(PORT=1)))"                                                       << false << ""            << 0     << "";
    QTest::newRow("port out of range")                     << "h:70000/db"                                                                                     << false << ""            << 0     << "";
    QTest::newRow("port not a number")                     << "(DESCRIPTION=(ADDRESS=(HOST=h)(PORT=abc))(CONNECT_DATA=(SID=s)))"                               << false << ""            << 0     << "";
    QTest::newRow("empty")                                 << ""                                                                                               << false << ""            << 0     << "";
    // clang-format on
}

void TestYaqDbSession::serverAddressForms()
{
    QFETCH(QString, tns);
    QFETCH(bool, valid);
    ServerAddress address;
    QCOMPARE(ParseServerAddress(tns, &address), valid);
    if (!valid)
        return;
    QTEST(address.host, "host");
    QTEST(address.port, "port");
    QTEST(address.database, "database");
}

void TestYaqDbSession::recordsTrimInitAndCopy()
{
    CHLXLinkData rec;
    rec.m_strKatBstNr = "1";
    rec.m_strBezeichnung = "  Helix Care  ";
    rec.m_strTextKey = "   ";
    rec.TrimData();
    QCOMPARE(rec.m_strBezeichnung, QStringLiteral("  Helix Care")); // only trailing blanks
    QCOMPARE(rec.m_strTextKey, QString());
    CHLXLinkData copy = rec;
    QCOMPARE(copy.m_strBezeichnung, rec.m_strBezeichnung);
    QCOMPARE(copy.m_strKatBstNr, QStringLiteral("1"));
    rec.Init();
    QCOMPARE(rec.m_strKatBstNr, QString());
    QCOMPARE(rec.m_strBezeichnung, QString());
    QCOMPARE(copy.m_strKatBstNr, QStringLiteral("1"));
}

YAQ_TEST_MAIN(TestYaqDbSession)
#include "tst_yaqdbsession.moc"
