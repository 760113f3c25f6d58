// The DMS exchange over real loopback sockets: the HTTP request parser, the
// SOAP client against a small server of the test, the listener with the
// window's polling (one request handed out at a time, answers on the
// request's own connection, clients that misbehave), and the stand-in DMS.

#include "platform/HttpListener.h"
#include "platform/HttpResponseParser.h"
#include "platform/OrmelText.h"
#include "platform/SoapReq.h"
#include "platform/SoapSvr.h"
#include "platform/XmlLimits.h"
#include "support/TestMain.h"
#include "support/Waits.h"
#include "yaq2-dms/StandInDms.h"

#include <QDomDocument>
#include <QProcess>
#include <QSslSocket>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <future>
#include <memory>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using YaqTest::kHangMs;

// A DMS gives up on its push after half a minute: a push not answered by
// then has failed, whatever the test's bound of a hang.
constexpr int kDmsWaitMs = 30000;

QByteArray Post(const QByteArray &body, const QByteArray &extraHeaders = {})
{
    return "POST /soap HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Type: text/xml; charset=utf-8\r\n"
           "Content-Length: " +
           QByteArray::number(body.size()) + "\r\n" + extraHeaders + "\r\n" + body;
}

struct Response
{
    int status = 0;
    QByteArray head;
    QByteArray body;
};

// The whole responses in the bytes a client received (each has a length).
QList<Response> Responses(const QByteArray &bytes)
{
    QList<Response> responses;
    qsizetype pos = 0;
    while (true) {
        const qsizetype headEnd = bytes.indexOf("\r\n\r\n", pos);
        if (headEnd < 0)
            break;
        Response r;
        r.head = bytes.mid(pos, headEnd - pos);
        r.status = r.head.mid(9, 3).toInt();
        qsizetype length = 0;
        for (const QByteArray &line : r.head.split('\n')) {
            if (line.toLower().startsWith("content-length:"))
                length = line.mid(15).trimmed().toLongLong();
        }
        if (bytes.size() < headEnd + 4 + length)
            break;
        r.body = bytes.mid(headEnd + 4, length);
        responses << r;
        pos = headEnd + 4 + length;
    }
    return responses;
}

// A client socket of the test: what it receives piles up.
class RawClient
{
public:
    explicit RawClient(quint16 port)
    {
        QObject::connect(&socket, &QTcpSocket::readyRead,
                         [this]() { received += socket.readAll(); });
        QObject::connect(&socket, &QTcpSocket::disconnected, [this]() { closed = true; });
        socket.connectToHost(QHostAddress::LocalHost, port);
    }
    void send(const QByteArray &bytes) { socket.write(bytes); }
    // Waits for the count of whole responses (100 Continue included).
    bool waitResponses(int count, int ms = kHangMs)
    {
        return QTest::qWaitFor([&]() { return Responses(received).size() >= count; }, ms);
    }
    QList<Response> responses() const { return Responses(received); }

    QTcpSocket socket;
    QByteArray received;
    bool closed = false;
};

// A server of the test that reads each request whole, counts it, and then
// sends exactly the bytes given, closing afterwards when told to.
class RawServer
{
public:
    RawServer(const QByteArray &answer, bool closeAfter)
    {
        server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server, &QTcpServer::newConnection, [this, answer, closeAfter]() {
            QTcpSocket *socket = server.nextPendingConnection();
            auto parser = std::make_shared<HttpRequestParser>();
            ++connections;
            QObject::connect(socket, &QTcpSocket::disconnected, socket, [this, socket]() {
                ++closed;
                socket->deleteLater();
            });
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [=]() {
                if (parser->feed(socket->readAll()) != HttpRequestParser::State::Complete)
                    return;
                parser->takeRequest();
                ++requests;
                socket->write(answer);
                if (closeAfter)
                    socket->disconnectFromHost();
            });
        });
    }
    quint16 port() const { return server.serverPort(); }

    QTcpServer server;
    int requests = 0;
    int connections = 0; // accepted
    int closed = 0;      // of those, gone: all they sent was read
};

// A DMS that answers one request with chunks without end, at loopback
// speed from a thread of its own as a server program would, until the
// client goes or the bound is reached.
class StreamingServer
{
public:
    static constexpr qint64 kBound = 256 * 1024 * 1024;

    // One chunk announced larger than any answer, or chunks of 64 KiB.
    explicit StreamingServer(bool oneChunk) : m_oneChunk(oneChunk)
    {
        std::promise<quint16> listening;
        std::future<quint16> port = listening.get_future();
        m_thread = std::thread([this, &listening]() { serve(&listening); });
        m_port = port.get();
    }
    ~StreamingServer() { m_thread.join(); }
    quint16 port() const { return m_port; }

    std::atomic<int> requests{0};
    std::atomic<qint64> streamed{0};

private:
    void serve(std::promise<quint16> *listening)
    {
        QTcpServer server;
        server.listen(QHostAddress::LocalHost, 0);
        listening->set_value(server.serverPort());
        if (!server.waitForNewConnection(kHangMs))
            return;
        std::unique_ptr<QTcpSocket> socket(server.nextPendingConnection());
        HttpRequestParser parser;
        while (parser.state() == HttpRequestParser::State::Incomplete &&
               socket->waitForReadyRead(kHangMs))
            parser.feed(socket->readAll());
        if (parser.state() != HttpRequestParser::State::Complete)
            return;
        ++requests;
        socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/xml\r\n"
                      "Transfer-Encoding: chunked\r\n\r\n");
        if (m_oneChunk)
            socket->write("fffffff\r\n");
        const QByteArray data(0x10000, 'x');
        const QByteArray chunk = m_oneChunk ? data : "10000\r\n" + data + "\r\n";
        while (streamed < kBound && socket->state() == QAbstractSocket::ConnectedState &&
               socket->waitForBytesWritten(kHangMs)) {
            socket->write(chunk);
            streamed += chunk.size();
        }
        socket->abort();
    }

    bool m_oneChunk;
    std::thread m_thread;
    quint16 m_port = 0;
};

// Every request is answered "<taken/>" once the event loop comes round
// again, as the window answers a push.
void AnswerEveryPushLater(HttpListener &listener)
{
    listener.setRequestHandler([&listener](quint64 id, const HttpRequest &) {
        QTimer::singleShot(0, &listener, [&listener, id]() {
            listener.respond(id, 200, "text/xml; charset=utf-8", "<taken/>");
        });
    });
}

// The listener's limits with times no wait of a test reaches: a request
// that has come whole is never cut by the head or the read time, nor its
// answer by the answer time, nor a connection that has begun a request
// judged silent, however slow the machine is. A test of one of
// these times sets it.
HttpLimits PatientLimits()
{
    HttpLimits limits;
    limits.headTimeoutMs = 2 * kHangMs;
    limits.readTimeoutMs = 2 * kHangMs;
    limits.answerTimeoutMs = 2 * kHangMs;
    limits.silenceMs = 2 * kHangMs;
    return limits;
}

// The listener as the window has it, on loopback.
std::unique_ptr<ISoapSvr> StartLoopbackListener(const HttpLimits &limits = PatientLimits())
{
    auto listener = std::make_unique<ISoapSvr>();
    listener->SetLimits(limits);
    if (!listener->StartListener(QStringLiteral("127.0.0.1"), 0, QString()))
        return nullptr;
    return listener;
}

// The window's poll: the next request, waiting for it to come.
QString NextRequest(ISoapSvr &listener)
{
    QString request;
    (void)QTest::qWaitFor(
        [&]() {
            request = listener.GetRequest();
            return !request.isEmpty();
        },
        kHangMs);
    return request;
}

quint16 FreePort()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    return server.serverPort();
}

QString FirstRegistrationRequest(const QString &vin, const QString &version)
{
    return QStringLiteral("<requestFirstRegistrationDate xmlns=\"http://dms.yaq2.example/SRP\" "
                          "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
                          "refSchema=\"serviceRepairPackages.xsd\" version=\"%1\">"
                          "<vin vinLongPrefix=\"%2\" vinShort=\"%3\"/>"
                          "</requestFirstRegistrationDate>")
        .arg(version, vin.left(10), vin.mid(10));
}

// A message's body as the SOAP client sends it, byte for byte.
QByteArray Enveloped(const QString &body)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>"
           "<s:Envelope s:encodingStyle=\"http://schemas.xmlsoap.org/soap/encoding/\" "
           "xmlns:s=\"http://schemas.xmlsoap.org/soap/envelope/\"><s:Header/><s:Body>" +
           body.toUtf8() + "</s:Body></s:Envelope>";
}

// The message element inside the envelope of an answer.
QDomElement MessageOf(const QDomDocument &doc)
{
    return doc.documentElement().firstChildElement().firstChildElement();
}

// A plain socket of a thread of the test, to the listener on loopback; a
// blocking one gives up a send or a receive after waitMs.
int ConnectTo(quint16 port, bool blocking, int waitMs = kHangMs)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | (blocking ? 0 : SOCK_NONBLOCK), 0);
    if (fd < 0)
        return -1;
    if (blocking) {
        const timeval limit{waitMs / 1000, 0};
        setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
        setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0 &&
        errno != EINPROGRESS) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Clients that send strays without pause, each on a connection of its own,
// from a thread of their own: whole stray requests, the next on a new
// connection as soon as the answer to the last has come or the listener
// closed it; or single bytes that begin no request, one more every few
// milliseconds; or a head announcing a body of 1 MiB, with nothing or all
// of it but its last byte, and then nothing, or with all of it as a request
// of a DMS, the next once it is answered; the last four on a new connection
// once the listener closed the last.
class StrayFlood
{
public:
    enum class Kind
    {
        Requests,
        Bytes,
        Heads,
        Bodies,
        Whole,
    };
    static constexpr qsizetype kBody = 1024 * 1024;

    StrayFlood(quint16 port, int connections, Kind kind)
        : m_thread([this, port, connections, kind] { run(port, connections, kind); })
    {
    }
    ~StrayFlood()
    {
        m_stop = true;
        m_thread.join();
    }
    std::atomic<int> answered{0};
    std::atomic<int> connected{0};
    std::atomic<int> cutOff{0}; // connections that ended with no status line

private:
    void run(quint16 port, int connections, Kind kind)
    {
        using Clock = std::chrono::steady_clock;
        constexpr auto kByteEvery = std::chrono::milliseconds(10);
        const QByteArray head =
            "POST / HTTP/1.1\r\nContent-Length: " + QByteArray::number(kBody) + "\r\n\r\n";
        const QByteArray stray = kind == Kind::Requests ? Post("<stray/>", "Connection: close\r\n")
                                 : kind == Kind::Bytes  ? QByteArray("P")
                                 : kind == Kind::Heads  ? head
                                 : kind == Kind::Bodies ? head + QByteArray(kBody - 1, 'x')
                                                        : head + QByteArray(kBody, 'x');
        struct Client
        {
            int fd = -1;
            QByteArray received;
            Clock::time_point sent;
            qsizetype offset = 0; // of the stray, sent
        };
        std::vector<Client> clients(static_cast<size_t>(connections));
        std::vector<pollfd> polled(clients.size());
        while (!m_stop) {
            const Clock::time_point now = Clock::now();
            for (size_t i = 0; i < clients.size(); ++i) {
                Client &c = clients[i];
                if (c.fd >= 0 && polled[i].events == POLLIN && kind == Kind::Bytes &&
                    now - c.sent >= kByteEvery) {
                    c.sent = now;
                    if (::send(c.fd, "P", 1, MSG_NOSIGNAL) != 1) {
                        ::close(c.fd);
                        c.fd = -1;
                    }
                }
                if (c.fd < 0) {
                    c.fd = ConnectTo(port, false);
                    c.received.clear();
                    c.offset = 0;
                    c.sent = now;
                    ++connected;
                    // Sent once the connection is there (the socket is writable).
                    polled[i] = {c.fd, POLLOUT, 0};
                } else {
                    polled[i].fd = c.fd;
                }
            }
            if (::poll(polled.data(), polled.size(), kind == Kind::Bytes ? 5 : 50) <= 0)
                continue;
            for (size_t i = 0; i < clients.size(); ++i) {
                Client &c = clients[i];
                const short events = polled[i].revents;
                if (c.fd < 0 || events == 0)
                    continue;
                bool closeIt = (events & (POLLERR | POLLHUP)) != 0;
                if (!closeIt && (events & POLLOUT)) {
                    const ssize_t n = ::send(c.fd, stray.constData() + c.offset,
                                             size_t(stray.size() - c.offset), MSG_NOSIGNAL);
                    closeIt = n <= 0 || (kind < Kind::Bodies && n != stray.size());
                    c.offset += qMax<ssize_t>(0, n);
                    c.sent = Clock::now();
                    polled[i].events = c.offset < stray.size() ? POLLIN | POLLOUT : POLLIN;
                } else if (!closeIt && (events & POLLIN)) {
                    char buffer[4096];
                    const ssize_t n = ::recv(c.fd, buffer, sizeof buffer, 0);
                    closeIt = n <= 0;
                    if (n > 0)
                        c.received.append(buffer, n);
                    if (!Responses(c.received).isEmpty()) {
                        ++answered;
                        closeIt = true;
                    }
                }
                if (closeIt) {
                    // What came before the end is read first.
                    ssize_t n = 0;
                    char rest[4096];
                    while ((n = ::recv(c.fd, rest, sizeof rest, 0)) > 0)
                        c.received.append(rest, n);
                    if (Responses(c.received).isEmpty())
                        ++cutOff;
                    ::close(c.fd);
                    c.fd = -1;
                }
            }
        }
        for (const Client &c : clients) {
            if (c.fd >= 0)
                ::close(c.fd);
        }
    }

    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

// Reads from a blocking socket until `count` whole responses have come or
// the connection ends.
void ReceiveResponses(int fd, QByteArray *received, int count)
{
    char buffer[4096];
    while (Responses(*received).size() < count) {
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0)
            break;
        received->append(buffer, n);
    }
}

// One push on a new connection from a thread of the test, sent quietMs
// after it connected: whole or its head first and its body pauseMs later,
// or, with expectContinue, its head with "Expect: 100-continue" and its body
// once "100 Continue" has come: the status of the answer that came before
// the connection ended (the first other than that "100 Continue"), 0 when
// none came, also when it did not come within the time a DMS waits.
int PushAnswered(quint16 port, int number, int pauseMs = -1, bool expectContinue = false,
                 int quietMs = 0)
{
    const int fd = ConnectTo(port, true, kDmsWaitMs);
    if (fd < 0)
        return 0;
    std::this_thread::sleep_for(std::chrono::milliseconds(quietMs));
    const QByteArray push = Post("<push n=\"" + QByteArray::number(number) + "\"/>",
                                 expectContinue ? "Expect: 100-continue\r\n" : "");
    const qsizetype head =
        pauseMs < 0 && !expectContinue ? push.size() : push.indexOf("\r\n\r\n") + 4;
    QByteArray received;
    int continues = 0;
    bool sent = ::send(fd, push.constData(), size_t(head), MSG_NOSIGNAL) == head;
    if (sent && expectContinue) {
        ReceiveResponses(fd, &received, 1);
        const QList<Response> first = Responses(received);
        sent = !first.isEmpty() && first.constFirst().status == 100;
        continues = 1;
    } else if (sent && head < push.size()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs));
    }
    if (sent && head < push.size()) {
        sent = ::send(fd, push.constData() + head, size_t(push.size() - head), MSG_NOSIGNAL) ==
               push.size() - head;
    }
    if (sent)
        ReceiveResponses(fd, &received, continues + 1);
    ::close(fd);
    const QList<Response> responses = Responses(received);
    if (responses.size() > continues)
        return responses.at(continues).status;
    return responses.isEmpty() ? 0 : responses.constFirst().status;
}

// The stand-in DMS with the demo's vehicles, listening on a free port of
// loopback.
bool StartDemoStandIn(StandInDms &dms)
{
    DmsVehicles vehicles;
    QString error;
    if (!LoadDmsVehicles(QStringLiteral(YAQ_DMS_VEHICLES), &vehicles, &error)) {
        qWarning("%s", qPrintable(error));
        return false;
    }
    dms.setVehicles(vehicles);
    return dms.listen(QHostAddress::LocalHost, 0);
}

} // namespace

class TestSoap : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void parser_data();
    void parser();
    void parserPipelined();
    void responseParser_data();
    void responseParser();
    void bodyText_data();
    void bodyText();
    void htmlBodyText_data();
    void htmlBodyText();

    void client_data();
    void client();
    void clientSendsOnce_data();
    void clientSendsOnce();
    void clientStopsAnEndlessAnswer_data();
    void clientStopsAnEndlessAnswer();
    void clientEndsWhenItsThreadIsEnded();
    void clientKeepsHttps();

    void listenerAnswersOnTheConnection_data();
    void listenerAnswersOnTheConnection();
    void listenerRefuses_data();
    void listenerRefuses();
    void listenerServesPastAStalledClient_data();
    void listenerServesPastAStalledClient();
    void listenerCutsASlowHead_data();
    void listenerCutsASlowHead();
    void listenerQueuesInOrder();
    void listenerSaysWhenARequestCame();
    void listenerBoundsConnections();
    void listenerAnswersEveryRequestInTime_data();
    void listenerAnswersEveryRequestInTime();
    void listenerServesAPushPastHeldPlaces_data();
    void listenerServesAPushPastHeldPlaces();
    void listenerPushesOutTheLongestIdle();
    void listenerServesAPushAmongKeptAliveClients();
    void listenerHoldsWholeRequestsWithinItsBound();
    void listenerLetsAClientAnsweredEarlySendItsRequest();
    void listenerAnswersAWholeRequestOnABusyMachine_data();
    void listenerAnswersAWholeRequestOnABusyMachine();
    void placeForANewConnection_data();
    void placeForANewConnection();
    void listenerKeepsAPushAmongStrangers_data();
    void listenerKeepsAPushAmongStrangers();
    void listenerAnswersEveryPushUnderAFlood_data();
    void listenerAnswersEveryPushUnderAFlood();
    void listenerServesPushesPastStalledRequests_data();
    void listenerServesPushesPastStalledRequests();
    void listenerServesPushesAmongReturningStrangers_data();
    void listenerServesPushesAmongReturningStrangers();
    void listenerDropsAGoneClient_data();
    void listenerDropsAGoneClient();
    void activation_data();
    void activation();

    void standInAnswers_data();
    void standInAnswers();
    void standInTakesOnlyEnvelopes_data();
    void standInTakesOnlyEnvelopes();
    void standInTransferVin();
    void standInAnswersAsASoap11Endpoint_data();
    void standInAnswersAsASoap11Endpoint();
    void standInUsage_data();
    void standInUsage();
    void standInPushWithoutAnswerSaysWhy_data();
    void standInPushWithoutAnswerSaysWhy();
};

void TestSoap::initTestCase()
{
    // The reasons of a failed request are program texts.
    InitOrmelText(QStringLiteral(YAQ_DEMO_DATAS_DIR "/Zirava/PrgTxt"));
    SetPrgSprache(QStringLiteral("00"));
}

void TestSoap::parser_data()
{
    // The parser's body limit is 16 bytes here.
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("status"); // 0: complete
    QTest::addColumn<QByteArray>("body");
    // clang-format off
    QTest::newRow("length") << QByteArray("POST / HTTP/1.1\r\nContent-Length: 5\r\n\r\nhello") << 0 << QByteArray("hello");
    QTest::newRow("bare LF and a blank line first") << QByteArray("\r\nPOST / HTTP/1.1\nContent-Length: 2\n\nok") << 0 << QByteArray("ok");
    QTest::newRow("chunked with extension and trailer") << QByteArray("POST / HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n5;x=1\r\nhello\r\n6\r\n world\r\n0\r\nT: v\r\n\r\n") << 0 << QByteArray("hello world");
    QTest::newRow("body at the limit") << QByteArray("POST / HTTP/1.1\r\nContent-Length: 16\r\n\r\n0123456789abcdef") << 0 << QByteArray("0123456789abcdef");
    QTest::newRow("length over the limit") << QByteArray("POST / HTTP/1.1\r\nContent-Length: 17\r\n\r\n") << 413 << QByteArray();
    QTest::newRow("length of 30 digits") << QByteArray("POST / HTTP/1.1\r\nContent-Length: 999999999999999999999999999999\r\n\r\n") << 413 << QByteArray();
    QTest::newRow("chunks over the limit") << QByteArray("POST / HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n9\r\n123456789\r\n8\r\n") << 413 << QByteArray();
    QTest::newRow("chunk size of 16 digits") << QByteArray("POST / HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\nffffffffffffffff\r\n") << 413 << QByteArray();
    QTest::newRow("chunk size not hex") << QByteArray("POST / HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\n") << 400 << QByteArray();
    QTest::newRow("a body, then a chunk size not hex") << QByteArray("POST / HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n9\r\n123456789\r\nzz\r\n") << 400 << QByteArray();
    QTest::newRow("chunk without its CRLF") << QByteArray("POST / HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n2\r\nokX\r\n") << 400 << QByteArray();
    QTest::newRow("length and chunked") << QByteArray("POST / HTTP/1.1\r\nContent-Length: 2\r\nTransfer-Encoding: chunked\r\n\r\n") << 400 << QByteArray();
    QTest::newRow("two lengths") << QByteArray("POST / HTTP/1.1\r\nContent-Length: 2\r\nContent-Length: 3\r\n\r\n") << 400 << QByteArray();
    QTest::newRow("negative length") << QByteArray("POST / HTTP/1.1\r\nContent-Length: -1\r\n\r\n") << 400 << QByteArray();
    QTest::newRow("other transfer coding") << QByteArray("POST / HTTP/1.1\r\nTransfer-Encoding: gzip, chunked\r\n\r\n") << 501 << QByteArray();
    QTest::newRow("HTTP/2.0") << QByteArray("POST / HTTP/2.0\r\n\r\n") << 505 << QByteArray();
    QTest::newRow("TLS greeting, no line end yet") << QByteArray("\x16\x03\x01\x02\x00\x01", 6) << 400 << QByteArray();
    QTest::newRow("two blanks in the request line") << QByteArray("POST  / HTTP/1.1\r\n\r\n") << 400 << QByteArray();
    QTest::newRow("header without colon") << QByteArray("POST / HTTP/1.1\r\nHost\r\n\r\n") << 400 << QByteArray();
    QTest::newRow("blank before the colon") << QByteArray("POST / HTTP/1.1\r\nContent-Length : 2\r\n\r\nok") << 400 << QByteArray();
    QTest::newRow("folded header") << QByteArray("POST / HTTP/1.1\r\nA: b\r\n c\r\n\r\n") << 400 << QByteArray();
    QTest::newRow("bare CR in a header") << QByteArray("POST / HTTP/1.1\r\nA: b\rc\r\n\r\n") << 400 << QByteArray();
    QTest::newRow("head too long") << "POST / HTTP/1.1\r\nA: " + QByteArray(20000, 'a') + "\r\n\r\n" << 431 << QByteArray();
    // clang-format on
}

void TestSoap::parser()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    // Whole, and a byte at a time as a slow client sends it.
    for (const bool byByte : {false, true}) {
        HttpRequestParser parser(16);
        HttpRequestParser::State state = HttpRequestParser::State::Incomplete;
        if (byByte) {
            for (qsizetype i = 0; i < bytes.size() && state == HttpRequestParser::State::Incomplete;
                 ++i)
                state = parser.feed(bytes.sliced(i, 1));
        } else {
            state = parser.feed(bytes);
        }
        if (status == 0) {
            QCOMPARE(state, HttpRequestParser::State::Complete);
            QCOMPARE(parser.request().method, QByteArray("POST"));
            QCOMPARE(parser.request().body, body);
        } else {
            QCOMPARE(state, HttpRequestParser::State::Failed);
            QCOMPARE(parser.errorStatus(), status);
            // Nothing of the failed request is held while its connection
            // closes.
            QCOMPARE(parser.request().body.capacity(), 0);
            QVERIFY(parser.request().headers.isEmpty());
        }
    }
}

void TestSoap::parserPipelined()
{
    HttpRequestParser parser;
    QCOMPARE(parser.feed(Post("<a/>") + "POST /2 HTTP/1.0\r\nContent-Length: 4\r\n\r\n<b/>"),
             HttpRequestParser::State::Complete);
    const HttpRequest first = parser.takeRequest();
    QCOMPARE(first.body, QByteArray("<a/>"));
    QVERIFY(first.keepAlive());
    QCOMPARE(parser.state(), HttpRequestParser::State::Complete);
    const HttpRequest second = parser.takeRequest();
    QCOMPARE(second.body, QByteArray("<b/>"));
    QVERIFY(!second.keepAlive());
    QCOMPARE(parser.state(), HttpRequestParser::State::Incomplete);
    QVERIFY(!parser.started());
}

void TestSoap::responseParser_data()
{
    // The parser's body limit is 16 bytes here.
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("closed"); // the server closes after the bytes
    QTest::addColumn<int>("error");   // HttpResponseParser::Error; 0: complete
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    using E = HttpResponseParser::Error;
    // clang-format off
    QTest::newRow("length") << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhello") << false << 0 << 200 << QByteArray("hello");
    QTest::newRow("status without reason, bare LF") << QByteArray("HTTP/1.0 500\nContent-Length: 2\n\nno") << false << 0 << 500 << QByteArray("no");
    QTest::newRow("chunked with extension and trailer") << QByteArray("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5;x=1\r\nhello\r\n2\r\n!!\r\n0\r\nT: v\r\n\r\n") << false << 0 << 200 << QByteArray("hello!!");
    QTest::newRow("to the close") << QByteArray("HTTP/1.0 200 OK\r\n\r\nhello") << true << 0 << 200 << QByteArray("hello");
    QTest::newRow("interim answers first") << QByteArray("HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 102 Processing\r\n\r\nHTTP/1.1 204 No Content\r\n\r\n") << false << 0 << 204 << QByteArray();
    QTest::newRow("body at the limit") << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 16\r\n\r\n0123456789abcdef") << false << 0 << 200 << QByteArray("0123456789abcdef");
    QTest::newRow("length over the limit") << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 17\r\n\r\n") << false << int(E::TooLarge) << 200 << QByteArray();
    QTest::newRow("chunks over the limit") << QByteArray("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n9\r\n123456789\r\n8\r\n") << false << int(E::TooLarge) << 200 << QByteArray();
    QTest::newRow("chunk size of 16 digits") << QByteArray("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nffffffffffffffff\r\n") << false << int(E::TooLarge) << 200 << QByteArray();
    QTest::newRow("chunk lines beyond the limits") << "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n" + ("1;" + QByteArray(1020, 'x') + "\r\nh\r\n").repeated(16) << false << int(E::TooLarge) << 200 << QByteArray();
    QTest::newRow("to the close, over the limit") << QByteArray("HTTP/1.1 200 OK\r\n\r\n0123456789abcdefg") << false << int(E::TooLarge) << 200 << QByteArray();
    QTest::newRow("nothing before the close") << QByteArray() << true << int(E::BrokenOff) << 0 << QByteArray();
    QTest::newRow("closed in the body") << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhel") << true << int(E::BrokenOff) << 200 << QByteArray();
    QTest::newRow("closed in the chunks") << QByteArray("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n") << true << int(E::BrokenOff) << 200 << QByteArray();
    QTest::newRow("length and chunked") << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 2\r\nTransfer-Encoding: chunked\r\n\r\n") << false << int(E::Malformed) << 200 << QByteArray();
    QTest::newRow("other transfer coding") << QByteArray("HTTP/1.1 200 OK\r\nTransfer-Encoding: gzip, chunked\r\n\r\n") << false << int(E::Malformed) << 200 << QByteArray();
    QTest::newRow("two lengths") << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 2\r\nContent-Length: 3\r\n\r\n") << false << int(E::Malformed) << 200 << QByteArray();
    QTest::newRow("HTTP/2") << QByteArray("HTTP/2 200\r\n\r\n") << false << int(E::Malformed) << 0 << QByteArray();
    QTest::newRow("TLS alert, no line end yet") << QByteArray("\x15\x03\x01\x00\x02", 5) << false << int(E::Malformed) << 0 << QByteArray();
    QTest::newRow("switching protocols") << QByteArray("HTTP/1.1 101 Switching Protocols\r\n\r\n") << false << int(E::Malformed) << 101 << QByteArray();
    QTest::newRow("head too long") << "HTTP/1.1 200 OK\r\nA: " + QByteArray(20000, 'a') + "\r\n\r\n" << false << int(E::Malformed) << 200 << QByteArray();
    // clang-format on
}

void TestSoap::responseParser()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, closed);
    QFETCH(int, error);
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    // Whole, and a byte at a time as a slow server sends it.
    for (const bool byByte : {false, true}) {
        HttpResponseParser answer(16);
        if (byByte) {
            for (qsizetype i = 0;
                 i < bytes.size() && answer.state() == HttpResponseParser::State::Incomplete; ++i)
                answer.feed(bytes.sliced(i, 1));
        } else {
            answer.feed(bytes);
        }
        if (closed)
            answer.close();
        QCOMPARE(answer.state(), error == 0 ? HttpResponseParser::State::Complete
                                            : HttpResponseParser::State::Failed);
        QCOMPARE(int(answer.error()), error);
        QCOMPARE(answer.status(), status);
        QCOMPARE(answer.body(), body);
    }
}

void TestSoap::bodyText_data()
{
    QTest::addColumn<QByteArray>("contentType");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    // clang-format off
    QTest::newRow("UTF-8 by default") << QByteArray("text/xml") << QByteArray("<a>M\xc3\xbcller</a>") << QStringLiteral("<a>M\u00fcller</a>");
    QTest::newRow("charset Latin-1") << QByteArray("text/xml; charset=\"ISO-8859-1\"") << QByteArray("<a>M\xfcller</a>") << QStringLiteral("<a>M\u00fcller</a>");
    QTest::newRow("declaration Latin-1") << QByteArray("text/xml") << QByteArray("<?xml version=\"1.0\" encoding='ISO-8859-1'?><a>\xfc</a>") << QStringLiteral("<?xml version=\"1.0\" encoding='ISO-8859-1'?><a>\u00fc</a>");
    QTest::newRow("charset windows-1252 with euro") << QByteArray("text/xml; charset=windows-1252") << QByteArray("<a>M\xfcller \x80" "5</a>") << QStringLiteral("<a>M\u00fcller \u20ac5</a>");
    QTest::newRow("declaration ISO-8859-15 with euro") << QByteArray("text/xml") << QByteArray("<?xml version=\"1.0\" encoding=\"ISO-8859-15\"?><a>\xa4</a>") << QStringLiteral("<?xml version=\"1.0\" encoding=\"ISO-8859-15\"?><a>\u20ac</a>");
    QTest::newRow("UTF-16 with byte-order mark") << QByteArray("text/xml; charset=utf-8") << QByteArray("\xff\xfe<\0a\0/\0>\0", 10) << QStringLiteral("<a/>");
    // clang-format on
}

void TestSoap::bodyText()
{
    QFETCH(QByteArray, contentType);
    QFETCH(QByteArray, bytes);
    QTEST(HttpBodyText(contentType, bytes), "text");
}

void TestSoap::htmlBodyText_data()
{
    QTest::addColumn<QByteArray>("contentType");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    // clang-format off
    QTest::newRow("charset of the answer") << QByteArray("text/html; charset=iso-8859-1") << QByteArray("<p>R\xe4" "der f\xfcr</p>") << QStringLiteral("<p>R\u00e4der f\u00fcr</p>");
    QTest::newRow("meta charset of the page") << QByteArray("text/html") << QByteArray("<meta charset=\"windows-1252\"><p>Gr\xf6\xdf" "e \x80</p>") << QStringLiteral("<meta charset=\"windows-1252\"><p>Gr\u00f6\u00dfe \u20ac</p>");
    QTest::newRow("http-equiv of the page") << QByteArray() << QByteArray("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=ISO-8859-1\"><p>\xdc</p>") << QStringLiteral("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=ISO-8859-1\"><p>\u00dc</p>");
    QTest::newRow("answer before page") << QByteArray("text/html; charset=\"ISO-8859-1\"") << QByteArray("<meta charset=\"utf-8\"><p>\xe4</p>") << QStringLiteral("<meta charset=\"utf-8\"><p>\u00e4</p>");
    QTest::newRow("byte-order mark before both") << QByteArray("text/html; charset=iso-8859-1") << QByteArray("\xef\xbb\xbf<p>\xc3\xa4</p>") << QStringLiteral("<p>\u00e4</p>");
    QTest::newRow("none declared: UTF-8") << QByteArray("text/html") << QByteArray("<p>\xc3\xa4</p>") << QStringLiteral("<p>\u00e4</p>");
    QTest::newRow("unknown charset of the answer: the page's") << QByteArray("text/html; charset=x-yaq-unknown") << QByteArray("<meta charset=\"iso-8859-1\"><p>\xe4</p>") << QStringLiteral("<meta charset=\"iso-8859-1\"><p>\u00e4</p>");
    QTest::newRow("unknown charset everywhere: UTF-8") << QByteArray("text/html; charset=x-yaq-unknown") << QByteArray("<meta charset=\"x-yaq-other\"><p>\xc3\xa4</p>") << QStringLiteral("<meta charset=\"x-yaq-other\"><p>\u00e4</p>");
    // clang-format on
}

void TestSoap::htmlBodyText()
{
    QFETCH(QByteArray, contentType);
    QFETCH(QByteArray, bytes);
    QTEST(HtmlBodyText(contentType, bytes), "text");
}

void TestSoap::client_data()
{
    QTest::addColumn<QString>("server"); // what the test's server does
    QTest::addColumn<int>("status");
    QTest::addColumn<qsizetype>("answerSize");
    QTest::addColumn<bool>("answered");
    QTest::addColumn<QString>("error"); // part of LastError()
    QTest::addColumn<bool>("arrived");  // MayHaveArrived()
    // clang-format off
    QTest::newRow("answer") << "answer" << 200 << qsizetype(4) << true << QString() << true;
    QTest::newRow("answer of 1 MiB") << "answer" << 200 << CSoapReq::kMaxAnswerBytes << true << QString() << true;
    QTest::newRow("answer over 1 MiB") << "answer" << 200 << CSoapReq::kMaxAnswerBytes + 1 << false << "ist größer als" << true;
    QTest::newRow("HTTP 500") << "answer" << 500 << qsizetype(4) << false << "Fehlerantwort von 127.0.0.1:" << true;
    QTest::newRow("HTTP 500 named after the text") << "answer" << 500 << qsizetype(4) << false << ": HTTP 500 Internal Server Error" << true;
    QTest::newRow("SOAP fault with HTTP 500") << "fault" << 500 << qsizetype(0) << true << QString() << true;
    QTest::newRow("empty answer") << "answer" << 200 << qsizetype(0) << false << "hat eine leere Antwort gesendet." << true;
    QTest::newRow("no answer in time") << "silent" << 0 << qsizetype(0) << false << "Keine Antwort von 127.0.0.1:" << true;
    QTest::newRow("nobody listening") << "none" << 0 << qsizetype(0) << false << "hat die Verbindung abgelehnt." << false;
    QTest::newRow("server name not resolved") << "unresolved" << 0 << qsizetype(0) << false << "dms.invalid" << false;
    // clang-format on
}

void TestSoap::client()
{
    QFETCH(QString, server);
    QFETCH(int, status);
    QFETCH(qsizetype, answerSize);
    QFETCH(bool, answered);
    QFETCH(QString, error);
    QFETCH(bool, arrived);

    HttpListener listener;
    HttpRequest received;
    const QByteArray answer =
        server == QLatin1String("fault")
            ? QByteArray(
                  "<s:Envelope xmlns:s=\"http://schemas.xmlsoap.org/soap/envelope/\"><s:Body>"
                  "<s:Fault><faultcode>s:Server</faultcode><faultstring>busy</faultstring>"
                  "</s:Fault></s:Body></s:Envelope>")
            : QByteArray("<a/>").leftJustified(answerSize, ' ', true);
    listener.setRequestHandler([&](quint64 id, const HttpRequest &request) {
        received = request;
        if (server == QLatin1String("answer") || server == QLatin1String("fault"))
            listener.respond(id, status, "text/xml; charset=utf-8", answer);
    });
    const bool listening = server != QLatin1String("none") && server != QLatin1String("unresolved");
    quint16 port = FreePort();
    if (listening) {
        QVERIFY(listener.listen(QHostAddress::LocalHost, 0));
        port = listener.port();
    }
    QTemporaryDir logDir;
    CSoapReq client;
    // A name the resolver never knows (a reserved top-level domain).
    client.m_strURL = QStringLiteral("http://%1:%2/dms")
                          .arg(server == QLatin1String("unresolved") ? "dms.invalid" : "127.0.0.1")
                          .arg(port);
    // The time is up only where no answer comes.
    client.SetTimeout(server == QLatin1String("silent") ? 300 : kHangMs);
    client.ActivateLogging(logDir.path());
    const QString body = QStringLiteral("<m>M\u00fcller</m>");
    const QString result = client.Request(QStringLiteral("urn:act"), body);

    QCOMPARE(result, answered ? QString::fromUtf8(answer) : QString());
    QVERIFY2(client.LastError().contains(error), qPrintable(client.LastError()));
    QCOMPARE(client.LastError().isEmpty(), answered);
    // The warning that the DMS may have booked what it never confirmed
    // rests on it: a request that never left this computer reached nobody.
    QCOMPARE(client.MayHaveArrived(), arrived);
    if (listening) {
        // The body travels in its SOAP envelope.
        QCOMPARE(received.body, Enveloped(body));
        QCOMPARE(received.header("SOAPAction"), QByteArray("\"urn:act\""));
        QCOMPARE(received.header("Content-Type"), QByteArray("text/xml; charset=utf-8"));
        // A packed answer would be refused: none is asked for.
        QCOMPARE(received.header("Accept-Encoding"), QByteArray("identity"));
        QCOMPARE(received.target, QByteArray("/dms"));
    }
    QFile request(logDir.filePath(QStringLiteral("SoapRequest.xml")));
    QFile response(logDir.filePath(QStringLiteral("SoapResponse.xml")));
    QVERIFY(request.open(QIODevice::ReadOnly) && response.open(QIODevice::ReadOnly));
    QCOMPARE(request.readAll(), Enveloped(body));
    // Whatever answer came is logged, also with an error status.
    const bool came = server == QLatin1String("fault") || (server == QLatin1String("answer") &&
                                                           answerSize <= CSoapReq::kMaxAnswerBytes);
    QCOMPARE(response.readAll(), came ? answer : QByteArray());
}

void TestSoap::clientSendsOnce_data()
{
    QTest::addColumn<QByteArray>("answer"); // what the server sends once it has the request
    QTest::addColumn<bool>("closeAfter");
    QTest::addColumn<QString>("text");  // the answer text; empty: none
    QTest::addColumn<QString>("error"); // part of LastError()
    const QByteArray fault =
        "<!DOCTYPE s [<!ENTITY e \"x\">]><s:Envelope xmlns:s=\"urn:s\"><s:Body>"
        "<s:Fault><faultstring>&e;</faultstring></s:Fault></s:Body></s:Envelope>";
    const QByteArray dtdFault = "HTTP/1.1 500 Internal Server Error\r\nContent-Type: text/xml\r\n"
                                "Content-Length: " +
                                QByteArray::number(fault.size()) + "\r\n\r\n" + fault;
    // clang-format off
    QTest::newRow("closes without answering") << QByteArray() << true << QString() << "hat die Verbindung ohne Antwort geschlossen";
    QTest::newRow("closes in the head") << QByteArray("HTTP/1.1 200 OK\r\nContent-Le") << true << QString() << "ist abgebrochen.";
    QTest::newRow("closes in the body") << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\n<a/>") << true << QString() << "ist abgebrochen.";
    QTest::newRow("chunked") << QByteArray("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n2;x=y\r\n<a\r\n2\r\n/>\r\n0\r\nT: v\r\n\r\n") << false << "<a/>" << QString();
    QTest::newRow("ended by the close") << QByteArray("HTTP/1.0 200 OK\r\nContent-Type: text/xml\r\n\r\n<a/>") << true << "<a/>" << QString();
    QTest::newRow("interim answer first") << QByteArray("HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 200 OK\r\nContent-Length: 4\r\n\r\n<a/>") << false << "<a/>" << QString();
    QTest::newRow("chunk beyond 1 MiB announced") << QByteArray("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n100001\r\n") << false << QString() << "ist größer als 1048576 Bytes.";
    QTest::newRow("length beyond 1 MiB announced") << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 1048577\r\n\r\n") << false << QString() << "ist größer als 1048576 Bytes.";
    QTest::newRow("not HTTP") << QByteArray("\x15\x03\x01\x00\x02\x02\x46", 7) << false << QString() << "hat keine lesbare HTTP-Antwort gesendet.";
    QTest::newRow("packed without being asked") << QByteArray("HTTP/1.1 200 OK\r\nContent-Encoding: gzip\r\nContent-Length: 4\r\n\r\n<a/>") << false << QString() << "gepackt gesendet (gzip)";
    QTest::newRow("SOAP fault with a DTD") << dtdFault << false << QString() << ": HTTP 500 Internal Server Error";
    // clang-format on
}

void TestSoap::clientSendsOnce()
{
    QFETCH(QByteArray, answer);
    QFETCH(bool, closeAfter);
    QFETCH(QString, text);
    QFETCH(QString, error);
    RawServer server(answer, closeAfter);
    CSoapReq client;
    client.m_strURL = QStringLiteral("http://127.0.0.1:%1/").arg(server.port());
    client.SetTimeout(kHangMs);
    QCOMPARE(client.Request(QStringLiteral("urn:act"), QStringLiteral("<m/>")), text);
    QVERIFY2(client.LastError().contains(error), qPrintable(client.LastError()));
    QCOMPARE(client.LastError().isEmpty(), error.isEmpty());
    // A request is never sent again behind the caller's back: once every
    // connection of the client is gone, all it sent was read.
    YAQ_TRY_COMPARE(server.closed, server.connections);
    QCOMPARE(server.requests, 1);
}

void TestSoap::clientStopsAnEndlessAnswer_data()
{
    QTest::addColumn<bool>("oneChunk");
    QTest::newRow("one chunk without end") << true;
    QTest::newRow("chunks without end") << false;
}

void TestSoap::clientStopsAnEndlessAnswer()
{
    QFETCH(bool, oneChunk);
    StreamingServer server(oneChunk);
    CSoapReq client;
    client.m_strURL = QStringLiteral("http://127.0.0.1:%1/").arg(server.port());
    client.SetTimeout(kHangMs);
    QVERIFY(client.Request(QStringLiteral("urn:act"), QStringLiteral("<m/>")).isEmpty());
    QVERIFY2(client.LastError().contains(QStringLiteral("ist größer als 1048576 Bytes.")),
             qPrintable(client.LastError()));
    QCOMPARE(server.requests.load(), 1);
    // The client left at the bound, long before the server's own end.
    QVERIFY2(server.streamed < 64 * 1024 * 1024, qPrintable(QString::number(server.streamed)));
}

void TestSoap::clientEndsWhenItsThreadIsEnded()
{
    // A server that takes the request and never answers; the request waits
    // in a thread of its own, which is ended as a cancel does.
    RawServer server(QByteArray(), false);
    QString answer = QStringLiteral("unset");
    QString error;
    std::unique_ptr<QThread> thread(QThread::create([&]() {
        CSoapReq client;
        client.m_strURL = QStringLiteral("http://127.0.0.1:%1/").arg(server.port());
        client.SetTimeout(2 * kHangMs);
        answer = client.Request(QStringLiteral("urn:act"), QStringLiteral("<m/>"));
        error = client.LastError();
    }));
    // Ended on every way out: a running QThread must not be destroyed.
    const auto ended = qScopeGuard([&thread]() {
        thread->exit();
        thread->wait();
    });
    thread->start();
    YAQ_TRY_VERIFY(server.requests == 1);
    thread->exit();
    // Ended by the exit, long before the client's own time is up.
    YAQ_TRY_VERIFY(thread->isFinished());
    QVERIFY(answer.isEmpty());
    QVERIFY2(error.contains(QLatin1String("wurde beendet, bevor eine Antwort kam.")),
             qPrintable(error));
    QCOMPARE(server.requests, 1);
}

void TestSoap::clientKeepsHttps()
{
    if (!QSslSocket::supportsSsl())
        QSKIP("no TLS backend");
    // A plain server sees the client's TLS greeting, not a plain request.
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost, 0));
    QByteArray first;
    connect(&server, &QTcpServer::newConnection, this, [&]() {
        QTcpSocket *socket = server.nextPendingConnection();
        connect(socket, &QTcpSocket::readyRead, socket, [&first, socket]() {
            first += socket->readAll();
            socket->abort();
        });
    });
    CSoapReq client;
    client.m_strURL = QStringLiteral("https://127.0.0.1:%1/").arg(server.serverPort());
    client.SetTimeout(kHangMs);
    QVERIFY(client.Request(QStringLiteral("a"), QStringLiteral("<a/>")).isEmpty());
    QVERIFY(!first.isEmpty());
    QCOMPARE(first.at(0), '\x16'); // a TLS handshake record
}

void TestSoap::listenerAnswersOnTheConnection_data()
{
    QTest::addColumn<QByteArray>("firstRequest");
    QTest::addColumn<int>("continues"); // "100 Continue" answers expected
    // clang-format off
    QTest::newRow("plain") << Post("<r>1</r>") << 0;
    QTest::newRow("chunked") << QByteArray("POST / HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n3\r\n<r>\r\n5\r\n1</r>\r\n0\r\n\r\n") << 0;
    QTest::newRow("head first, waiting for 100 Continue") << QByteArray("POST / HTTP/1.1\r\nExpect: 100-continue\r\nContent-Length: 8\r\n\r\n") << 1;
    // clang-format on
}

void TestSoap::listenerAnswersOnTheConnection()
{
    QFETCH(QByteArray, firstRequest);
    QFETCH(int, continues);
    auto listener = StartLoopbackListener();
    QVERIFY(listener);
    RawClient client(listener->Port());
    client.send(firstRequest);
    if (continues) {
        QVERIFY(client.waitResponses(1));
        QCOMPARE(client.responses().at(0).status, 100);
        client.send("<r>1</r>");
    }
    QCOMPARE(NextRequest(*listener), QStringLiteral("<r>1</r>"));
    listener->SetResponse(QStringLiteral("<ok>\u00fc</ok>"));
    QVERIFY(client.waitResponses(continues + 1));
    const Response first = client.responses().at(continues);
    QCOMPARE(first.status, 200);
    QVERIFY(first.head.contains("Content-Type: text/xml; charset=utf-8"));
    QCOMPARE(first.body, QStringLiteral("<ok>\u00fc</ok>").toUtf8());

    // The connection stays for the client's next request.
    client.send(Post("<r>2</r>"));
    QCOMPARE(NextRequest(*listener), QStringLiteral("<r>2</r>"));
    listener->SetResponse(QStringLiteral("<ok2/>"));
    QVERIFY(client.waitResponses(continues + 2));
    QCOMPARE(client.responses().last().body, QByteArray("<ok2/>"));
    QVERIFY(!client.closed);
}

void TestSoap::listenerRefuses_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("status");
    // clang-format off
    QTest::newRow("length over 1 MiB") << QByteArray("POST / HTTP/1.1\r\nContent-Length: 1048577\r\n\r\n") << 413;
    QTest::newRow("chunk over 1 MiB") << QByteArray("POST / HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n100001\r\n") << 413;
    QTest::newRow("malformed") << QByteArray("HELLO\r\n\r\n") << 400;
    QTest::newRow("empty body") << Post("") << 400;
    QTest::newRow("GET") << QByteArray("GET / HTTP/1.1\r\n\r\n") << 405;
    // clang-format on
}

void TestSoap::listenerRefuses()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, status);
    auto listener = StartLoopbackListener();
    QVERIFY(listener);
    RawClient client(listener->Port());
    client.send(bytes);
    QVERIFY(client.waitResponses(1));
    QCOMPARE(client.responses().at(0).status, status);
    QVERIFY(listener->GetRequest().isEmpty());
    // The listener goes on serving.
    RawClient next(listener->Port());
    next.send(Post("<r/>"));
    QCOMPARE(NextRequest(*listener), QStringLiteral("<r/>"));
}

void TestSoap::listenerServesPastAStalledClient_data()
{
    QTest::addColumn<QByteArray>("stalled"); // what the stalled client sends
    QTest::addColumn<int>("status");         // what it gets at last; 0: closed without answer
    // clang-format off
    QTest::newRow("silent") << QByteArray() << 0;
    QTest::newRow("half a head") << QByteArray("POST / HTTP/1.1\r\nContent-Le") << 408;
    QTest::newRow("half a body") << Post("<r>whole</r>").chopped(3) << 408;
    // clang-format on
}

void TestSoap::listenerServesPastAStalledClient()
{
    QFETCH(QByteArray, stalled);
    QFETCH(int, status);
    HttpLimits limits = PatientLimits();
    limits.readTimeoutMs = 400;
    auto listener = StartLoopbackListener(limits);
    QVERIFY(listener);
    RawClient slow(listener->Port());
    slow.send(stalled);
    YAQ_TRY_VERIFY(slow.socket.state() == QTcpSocket::ConnectedState);

    RawClient quick(listener->Port());
    quick.send(Post("<quick/>"));
    QCOMPARE(NextRequest(*listener), QStringLiteral("<quick/>"));
    listener->SetResponse(QStringLiteral("<a/>"));
    QVERIFY(quick.waitResponses(1));

    YAQ_TRY_VERIFY(slow.closed);
    const QList<Response> answers = slow.responses();
    QCOMPARE(answers.isEmpty() ? 0 : answers.at(0).status, status);
}

void TestSoap::listenerCutsASlowHead_data()
{
    QTest::addColumn<QByteArray>("first"); // sent at once
    QTest::addColumn<QByteArray>("rest");  // sent after twice the head time, if still open
    QTest::addColumn<int>("status");       // 0: closed without answer; 200: the request came
    // clang-format off
    QTest::newRow("silent") << QByteArray() << QByteArray() << 0;
    QTest::newRow("half a head") << QByteArray("POST / HTTP/1.1\r\nContent-Le") << QByteArray("ngth: 4\r\n\r\n<r/>") << 408;
    QTest::newRow("whole head, slow body") << Post("<r/>").chopped(2) << QByteArray("/>") << 200;
    // clang-format on
}

void TestSoap::listenerCutsASlowHead()
{
    QFETCH(QByteArray, first);
    QFETCH(QByteArray, rest);
    QFETCH(int, status);
    auto listener = std::make_unique<ISoapSvr>();
    // A cut within the test's wait is the head time's.
    HttpLimits limits = PatientLimits();
    limits.headTimeoutMs = 300;
    listener->SetLimits(limits);
    QVERIFY(listener->StartListener(QStringLiteral("127.0.0.1"), 0, QString()));
    RawClient client(listener->Port());
    client.send(first);
    if (status == 200) {
        // A whole head: the body may follow after the head time.
        QVERIFY(!QTest::qWaitFor([&]() { return client.closed; }, 2 * limits.headTimeoutMs));
        client.send(rest);
        QCOMPARE(NextRequest(*listener), QStringLiteral("<r/>"));
        QVERIFY(!client.closed);
        return;
    }
    // Cut after the head time, long before the read time is up.
    YAQ_TRY_VERIFY(client.closed);
    const QList<Response> answers = client.responses();
    QCOMPARE(answers.isEmpty() ? 0 : answers.at(0).status, status);
    QVERIFY(listener->GetRequest().isEmpty());
}

void TestSoap::listenerQueuesInOrder()
{
    auto listener = StartLoopbackListener();
    QVERIFY(listener);
    RawClient a(listener->Port());
    a.send(Post("<a/>"));
    QCOMPARE(NextRequest(*listener), QStringLiteral("<a/>"));
    RawClient b(listener->Port());
    b.send(Post("<b/>"));
    RawClient c(listener->Port());
    c.send(Post("<c/>"));
    YAQ_TRY_COMPARE(listener->Arrivals(), quint64(3));
    QCoreApplication::processEvents();
    QVERIFY(b.received.isEmpty());

    // A confirmation, then a late second answer to the same request (a
    // refusal after the user's question): the second goes nowhere.
    listener->SetResponse(QStringLiteral("<confirm/>"));
    listener->SetResponse(QStringLiteral("<refusal/>"));
    QVERIFY(a.waitResponses(1));
    QCOMPARE(a.responses().at(0).body, QByteArray("<confirm/>"));

    // Handed out but let go without an answer: the client hears a fault
    // when the window asks for the next request.
    QCOMPARE(NextRequest(*listener), QStringLiteral("<b/>"));
    QCOMPARE(NextRequest(*listener), QStringLiteral("<c/>"));
    QVERIFY(b.waitResponses(1));
    QCOMPARE(b.responses().at(0).status, 500);
    QVERIFY(b.responses().at(0).body.contains("Fault"));
    listener->SetResponse(QStringLiteral("<for-c/>"));
    QVERIFY(c.waitResponses(1));
    QCOMPARE(c.responses().at(0).body, QByteArray("<for-c/>"));
    QCOMPARE(a.responses().size(), 1);
}

// The window fetches a request when the listener says one came: once per
// whole request, never for a part of one or a refused one, and numbered in
// the order they came.
void TestSoap::listenerSaysWhenARequestCame()
{
    auto listener = StartLoopbackListener();
    QVERIFY(listener);
    QSignalSpy arrived(listener.get(), &ISoapSvr::RequestArrived);
    const QByteArray first = Post("<a/>");
    RawClient a(listener->Port());
    a.send(first.left(first.size() - 3));
    YAQ_TRY_COMPARE(listener->ConnectionCount(), 1);
    YAQ_TRY_COMPARE(a.socket.bytesToWrite(), qint64(0));
    QCoreApplication::processEvents();
    QCOMPARE(arrived.count(), 0);
    QVERIFY(!listener->HasPendingRequest());
    a.send(first.right(3));
    YAQ_TRY_COMPARE(arrived.count(), 1);
    RawClient empty(listener->Port());
    empty.send(Post("  "));
    QVERIFY(empty.waitResponses(1));
    RawClient b(listener->Port());
    b.send(Post("<b/>"));
    YAQ_TRY_COMPARE(arrived.count(), 2);
    QCOMPARE(listener->Arrivals(), quint64(2));
    QVERIFY(listener->HasPendingRequest());
    QCOMPARE(listener->GetRequest(), QStringLiteral("<a/>"));
    QCOMPARE(listener->RequestNumber(), quint64(1));
    listener->SetResponse(QStringLiteral("<for-a/>"));
    QCOMPARE(listener->GetRequest(), QStringLiteral("<b/>"));
    QCOMPARE(listener->RequestNumber(), quint64(2));
    QVERIFY(!listener->HasPendingRequest());
    QVERIFY(listener->GetRequest().isEmpty());
    QCOMPARE(listener->RequestNumber(), quint64(0));
}

void TestSoap::listenerBoundsConnections()
{
    ISoapSvr listener;
    HttpLimits limits = PatientLimits();
    limits.maxConnections = 2;
    listener.SetLimits(limits);
    QVERIFY(listener.StartListener(QStringLiteral("127.0.0.1"), 0, QString()));
    // Both places hold a request waiting for its answer.
    RawClient a(listener.Port());
    a.send(Post("<a/>"));
    QCOMPARE(NextRequest(listener), QStringLiteral("<a/>"));
    RawClient b(listener.Port());
    b.send(Post("<b/>"));
    YAQ_TRY_COMPARE(listener.Arrivals(), quint64(2));
    // A third is not taken while they wait, and takes the place of the
    // first once its answer has left, which then owes its client nothing.
    RawClient c(listener.Port());
    c.send(Post("<c/>"));
    QTest::qWait(100);
    QCOMPARE(listener.Arrivals(), quint64(2));
    listener.SetResponse(QStringLiteral("<for-a/>"));
    QCOMPARE(NextRequest(listener), QStringLiteral("<b/>"));
    QCOMPARE(NextRequest(listener), QStringLiteral("<c/>"));
    QVERIFY(a.waitResponses(2));
    QCOMPARE(a.responses().at(1).status, 503);
    // A place that comes free is taken again.
    b.socket.abort();
    RawClient d(listener.Port());
    d.send(Post("<d/>"));
    QCOMPARE(NextRequest(listener), QStringLiteral("<d/>"));
}

// No request waits for its answer without end: the window's refusal, or a
// fault without one, once its time is up; the window refuses waiting ones
// at once when it cannot take them.
void TestSoap::listenerAnswersEveryRequestInTime_data()
{
    QTest::addColumn<bool>("handedOut"); // the window took it and did not answer
    QTest::addColumn<bool>("refusal");   // the window set its refusal
    QTest::addColumn<bool>("refuseNow"); // the window refuses what waits
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    // clang-format off
    QTest::newRow("waiting: the refusal")          << false << true  << false << 200 << QByteArray("<refused/>");
    QTest::newRow("handed out: the refusal")       << true  << true  << false << 200 << QByteArray("<refused/>");
    QTest::newRow("waiting, no refusal: a fault")  << false << false << false << 500 << QByteArray("not answered in time");
    QTest::newRow("refused by the window at once") << false << true  << true  << 200 << QByteArray("<refused now/>");
    // clang-format on
}

void TestSoap::listenerAnswersEveryRequestInTime()
{
    QFETCH(bool, handedOut);
    QFETCH(bool, refusal);
    QFETCH(bool, refuseNow);
    ISoapSvr listener;
    HttpLimits limits = PatientLimits();
    limits.answerTimeoutMs = refuseNow ? 600000 : 300;
    listener.SetLimits(limits);
    if (refusal)
        listener.SetRefusal([] { return QStringLiteral("<refused/>"); });
    QVERIFY(listener.StartListener(QStringLiteral("127.0.0.1"), 0, QString()));
    RawClient a(listener.Port());
    a.send(Post("<a/>"));
    QSignalSpy arrived(&listener, &ISoapSvr::RequestArrived);
    QVERIFY(arrived.wait(kHangMs));
    if (handedOut)
        QCOMPARE(listener.GetRequest(), QStringLiteral("<a/>"));
    if (refuseNow)
        QCOMPARE(listener.RefuseWaiting(0, QStringLiteral("<refused now/>")), 1);
    QVERIFY(a.waitResponses(1));
    QTEST(a.responses().at(0).status, "status");
    QFETCH(QByteArray, body);
    QVERIFY2(a.responses().at(0).body.contains(body), a.responses().at(0).body.constData());
    // The request is gone from the listener.
    QVERIFY(!listener.HasPendingRequest());
}

void TestSoap::listenerServesAPushPastHeldPlaces_data()
{
    QTest::addColumn<QByteArray>("held"); // what each of the clients holding the places sends
    QTest::addColumn<int>("told");        // what the one that gives way hears
    // clang-format off
    QTest::newRow("64 silent")           << QByteArray()                                 << 503;
    QTest::newRow("64 with half a head") << QByteArray("POST / HTTP/1.1\r\nContent-Le") << 503;
    QTest::newRow("64 with half a body") << Post("<r>whole</r>").chopped(3)             << 503;
    // clang-format on
}

void TestSoap::listenerServesAPushPastHeldPlaces()
{
    QFETCH(QByteArray, held);
    auto listener = StartLoopbackListener();
    QVERIFY(listener);
    const int places = HttpLimits().maxConnections;
    std::vector<std::unique_ptr<RawClient>> holders;
    for (int i = 0; i < places; ++i) {
        holders.push_back(std::make_unique<RawClient>(listener->Port()));
        holders.back()->send(held);
    }
    YAQ_TRY_VERIFY(std::all_of(holders.begin(), holders.end(), [](const auto &h) {
        return h->socket.state() == QTcpSocket::ConnectedState && h->socket.bytesToWrite() == 0;
    }));
    YAQ_TRY_COMPARE(listener->ConnectionCount(), places);
    QCoreApplication::processEvents();

    // The push is served while the others still hold their places (their
    // head time is beyond the test's wait).
    RawClient push(listener->Port());
    push.send(Post("<push/>"));
    QCOMPARE(NextRequest(*listener), QStringLiteral("<push/>"));
    listener->SetResponse(QStringLiteral("<taken/>"));
    QVERIFY(push.waitResponses(1));
    QCOMPARE(push.responses().at(0).status, 200);
    // The place was one holder's (the one heard from last longest ago: the
    // order the listener read them in is the machine's), and only one;
    // one that had begun its request hears that it may send it again.
    const auto closed = [&holders] {
        return std::count_if(holders.begin(), holders.end(),
                             [](const auto &h) { return h->closed; });
    };
    YAQ_TRY_VERIFY(closed() > 0);
    QCOMPARE(closed(), 1);
    const auto gone =
        std::find_if(holders.begin(), holders.end(), [](const auto &h) { return h->closed; });
    const QList<Response> heard = (*gone)->responses();
    QTEST(heard.isEmpty() ? 0 : heard.constFirst().status, "told");
}

void TestSoap::listenerPushesOutTheLongestIdle()
{
    ISoapSvr listener;
    HttpLimits limits = PatientLimits();
    limits.maxConnections = 3;
    listener.SetLimits(limits);
    QVERIFY(listener.StartListener(QStringLiteral("127.0.0.1"), 0, QString()));
    // Taken in this order.
    RawClient idleFirst(listener.Port());
    YAQ_TRY_COMPARE(listener.ConnectionCount(), 1);
    RawClient waiting(listener.Port());
    waiting.send(Post("<waiting/>"));
    YAQ_TRY_COMPARE(listener.Arrivals(), quint64(1));
    RawClient idleSecond(listener.Port());
    YAQ_TRY_COMPARE(listener.ConnectionCount(), 3);

    RawClient push(listener.Port());
    push.send(Post("<push/>"));
    YAQ_TRY_VERIFY(idleFirst.closed);
    QCOMPARE(idleFirst.responses().size(), 1);
    QCOMPARE(idleFirst.responses().at(0).status, 503);
    // The request that waits keeps its place and its turn.
    QCOMPARE(NextRequest(listener), QStringLiteral("<waiting/>"));
    listener.SetResponse(QStringLiteral("<a1/>"));
    QCOMPARE(NextRequest(listener), QStringLiteral("<push/>"));
    listener.SetResponse(QStringLiteral("<a2/>"));
    QVERIFY(waiting.waitResponses(1) && push.waitResponses(1));
    QCOMPARE(waiting.responses().at(0).body, QByteArray("<a1/>"));
    QCOMPARE(push.responses().at(0).body, QByteArray("<a2/>"));
    QVERIFY(!idleSecond.closed);
}

// Clients that keep their connections and send again a moment after each
// answer hold every place: a push is still served, in the place of one that
// owes its client nothing between two of its requests, however often it
// was answered.
void TestSoap::listenerServesAPushAmongKeptAliveClients()
{
    HttpLimits limits = PatientLimits();
    limits.maxConnections = 4;
    // Longer than a client waits between its requests.
    limits.quietGraceMs = 1000;
    HttpListener listener;
    listener.setLimits(limits);
    AnswerEveryPushLater(listener);
    QVERIFY(listener.listen(QHostAddress::LocalHost, 0));
    std::vector<std::unique_ptr<RawClient>> clients;
    for (int i = 0; i < limits.maxConnections; ++i) {
        clients.push_back(std::make_unique<RawClient>(listener.port()));
        RawClient *client = clients.back().get();
        // Each at its own pace, so that their requests seldom wait for
        // their answers all at once.
        QObject::connect(&client->socket, &QTcpSocket::readyRead, &client->socket, [client, i]() {
            QTimer::singleShot(100 + 20 * i, &client->socket,
                               [client]() { client->send(Post("<again/>")); });
        });
        client->send(Post("<first/>"));
    }
    YAQ_TRY_VERIFY(std::all_of(clients.begin(), clients.end(),
                               [](const auto &c) { return c->responses().size() >= 2; }));

    int status = 0;
    const quint16 port = listener.port();
    YaqTest::ThreadJoiner pusher;
    pusher.start([&status, port]() { status = PushAnswered(port, 0); });
    QVERIFY(pusher.waitFinished());
    QCOMPARE(status, 200);
}

// More clients than places send whole requests of 1 MiB, and again once
// answered, while the window answers now and then: what the listener holds,
// the requests waiting for the window included, stays within its bound, and
// every client hears a status line before its connection ends.
void TestSoap::listenerHoldsWholeRequestsWithinItsBound()
{
    HttpLimits limits = PatientLimits();
    limits.maxConnections = 8;
    auto listener = StartLoopbackListener(limits);
    QVERIFY(listener);
    qint64 held = 0;
    QTimer measure;
    QObject::connect(&measure, &QTimer::timeout,
                     [&]() { held = qMax(held, listener->HeldBytes()); });
    measure.start(1);
    QTimer window;
    QObject::connect(&window, &QTimer::timeout, [&]() {
        if (!listener->GetRequest().isEmpty())
            listener->SetResponse(QStringLiteral("<a/>"));
    });
    {
        StrayFlood flood(listener->Port(), 3 * limits.maxConnections, StrayFlood::Kind::Whole);
        // Every place holds a request for the window, then it takes them.
        YAQ_TRY_VERIFY(listener->Arrivals() >= quint64(limits.maxConnections));
        window.start(20);
        YAQ_TRY_VERIFY(flood.answered >= 6 * limits.maxConnections);
        QCOMPARE(flood.cutOff.load(), 0);
    }
    QVERIFY2(held <= listener->HeldBytesBound(),
             qPrintable(QStringLiteral("%1 bytes held").arg(held)));
}

// A client that writes its whole request before it reads, answered at its
// head (413), sends the rest over more than the closing wait, a chunk
// every 100 ms: the connection is not cut while it sends, and the client
// reads its answer afterwards.
void TestSoap::listenerLetsAClientAnsweredEarlySendItsRequest()
{
    HttpListener listener;
    listener.setLimits(PatientLimits());
    QVERIFY(listener.listen(QHostAddress::LocalHost, 0));
    const quint16 port = listener.port();
    const QByteArray chunk(64 * 1024, 'x');
    const QByteArray head =
        "POST / HTTP/1.1\r\nContent-Length: " + QByteArray::number(listener.limits().maxBody + 1) +
        "\r\n\r\n";
    bool sent = false;
    QByteArray received;
    YaqTest::ThreadJoiner client;
    client.start([&]() {
        const int fd = ConnectTo(port, true);
        sent = ::send(fd, head.constData(), size_t(head.size()), MSG_NOSIGNAL) == head.size();
        for (int i = 0; sent && i < 24; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            sent =
                ::send(fd, chunk.constData(), size_t(chunk.size()), MSG_NOSIGNAL) == chunk.size();
        }
        ReceiveResponses(fd, &received, 1);
        ::close(fd);
    });
    QVERIFY(client.waitFinished());
    QVERIFY(sent);
    QCOMPARE(Responses(received).size(), 1);
    QCOMPARE(Responses(received).at(0).status, 413);
}

// The listener's thread is busy, or every place is: a client whose whole
// request came before its connection's time ran out hears its answer
// whole, however long the listener took to come round to it. Busy: the
// thread was busy past the time a kept-alive connection waits for its next
// request, which the client sent just before that time ran out; the
// request waited for a place longer than the read time (every place waited
// for its answer); the answer, too large for the system's buffers, was not
// taken yet when the closing wait ran out.
void TestSoap::listenerAnswersAWholeRequestOnABusyMachine_data()
{
    QTest::addColumn<QString>("busy");
    // clang-format off
    QTest::newRow("next request not read when its time ran out")    << "thread";
    QTest::newRow("whole request waited for a place")               << "places";
    QTest::newRow("answer not taken when the closing wait ran out") << "answer";
    // clang-format on
}

void TestSoap::listenerAnswersAWholeRequestOnABusyMachine()
{
    QFETCH(QString, busy);
    HttpLimits limits = PatientLimits();
    limits.headTimeoutMs = 100;
    limits.readTimeoutMs = 100; // also the closing wait
    limits.maxConnections = 1;
    if (busy == QLatin1String("places")) {
        // The request holding the place comes whole within that time.
        limits.headTimeoutMs = limits.readTimeoutMs = 300;
    }
    HttpListener listener;
    listener.setLimits(limits);
    const QByteArray large(32 * 1024 * 1024, 'x');
    QList<quint64> waiting;
    int fd = -1;
    bool answerAll = false;
    listener.setRequestHandler([&](quint64 id, const HttpRequest &) {
        if (busy == QLatin1String("places")) {
            if (answerAll)
                listener.respond(id, 200, "text/xml; charset=utf-8", "<a/>");
            else
                waiting.append(id);
            return;
        }
        if (busy == QLatin1String("answer")) {
            listener.respond(id, 200, "text/plain", large);
            waiting.append(id);
            return;
        }
        QTimer::singleShot(0, &listener, [&, id]() {
            listener.respond(id, 200, "text/xml; charset=utf-8", "<taken/>");
            if (!waiting.isEmpty())
                return;
            waiting.append(id);
            // Just before the connection's time runs out, the client sends;
            // the thread comes round once the time is up.
            QTimer::singleShot(1, &listener, [&]() {
                const QByteArray next = Post("<next/>");
                (void)::send(fd, next.constData(), size_t(next.size()), MSG_NOSIGNAL);
                QThread::msleep(50);
            });
            QThread::msleep(3 * limits.headTimeoutMs);
        });
    });
    QVERIFY(listener.listen(QHostAddress::LocalHost, 0));
    if (busy == QLatin1String("places")) {
        // The place is held by a request that has begun, then one more
        // client is taken beyond the places; the first request comes whole
        // and waits for its answer, then the other client sends its own.
        RawClient holder(listener.port());
        const QByteArray held = Post("<held/>");
        holder.send(held.chopped(1));
        YAQ_TRY_VERIFY(listener.connectionCount() == 1 && holder.socket.bytesToWrite() == 0);
        RawClient other(listener.port());
        YAQ_TRY_COMPARE(listener.connectionCount(), 2);
        holder.send(held.right(1));
        YAQ_TRY_VERIFY(!waiting.isEmpty() || holder.closed);
        other.send(Post("<other/>"));
        // It waits longer than its read time.
        YAQ_SETTLED_VERIFY(other.received.isEmpty());
        answerAll = true;
        for (const quint64 id : std::as_const(waiting))
            listener.respond(id, 200, "text/xml; charset=utf-8", "<a/>");
        YAQ_TRY_VERIFY(!other.responses().isEmpty() || other.closed);
        QCOMPARE(other.responses().value(0).status, 200);
        return;
    }
    fd = ConnectTo(listener.port(), true);
    QVERIFY(fd >= 0);
    const auto closeFd = qScopeGuard([fd]() { ::close(fd); });
    QByteArray received;
    bool ended = false;
    const auto take = [&]() {
        char buffer[65536];
        ssize_t n = 0;
        while ((n = ::recv(fd, buffer, sizeof buffer, MSG_DONTWAIT)) > 0)
            received.append(buffer, n);
        ended = ended || n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK);
        return ended;
    };
    const QByteArray first =
        Post("<first/>",
             busy == QLatin1String("answer") ? QByteArray("Connection: close\r\n") : QByteArray());
    QVERIFY(::send(fd, first.constData(), size_t(first.size()), MSG_NOSIGNAL) == first.size());
    if (busy == QLatin1String("thread")) {
        YAQ_TRY_VERIFY(take() || Responses(received).size() >= 2);
        QCOMPARE(Responses(received).size(), 2);
        return;
    }
    // The client reads only after several closing waits.
    YAQ_TRY_COMPARE(waiting.size(), 1);
    YAQ_SETTLED_COMPARE(listener.connectionCount(), 1);
    YAQ_TRY_VERIFY(take());
    QCOMPARE(Responses(received).size(), 1);
    QCOMPARE(Responses(received).at(0).body.size(), large.size());
}

// Who gives up a place to a new connection. The places in the order their
// requests came as far as they have: s silent, b having sent bytes of a
// request, l its request line, h its head, w owing its client an answer (a
// new connection: r its whole request);
// each with the milliseconds since it last heard its client (or connected,
// or had its last answer), and after "@" those since it took its place
// (silent ones: as long as they have been silent; others: long ago). Every
// place keeps it for 250 ms after it took it; a silent place has that
// long to begin its request; one that has begun counts as silent after
// 1000 ms. The new connection's request has come as far as `sends` says
// ("-": not heard yet).
void TestSoap::placeForANewConnection_data()
{
    QTest::addColumn<QString>("places");
    QTest::addColumn<QString>("sends");
    QTest::addColumn<QString>("room");
    // clang-format off
    QTest::newRow("the silent one silent longest goes first")            << "b900 s400 s300" << "-" << "push out 1";
    QTest::newRow("a silent one before one that has begun")              << "b900 s300"      << "-" << "push out 1";
    QTest::newRow("a silent one in its time: the newcomer waits")        << "b900 s100"      << "-" << "wait 150";
    QTest::newRow("a silent one in its time keeps it from one that sends") << "b900 s100"    << "b" << "wait 150";
    QTest::newRow("a silent one in its time keeps it from a whole request") << "w900 s100"   << "r" << "wait 150";
    QTest::newRow("a place in its time keeps it from a whole request")   << "h50@50 h900"    << "r" << "push out 1";
    QTest::newRow("every place in its time: the first to end it")        << "h50@50 h100@100" << "r" << "wait 150";
    QTest::newRow("bytes in their time keep them from a request line")   << "b20@200"        << "l" << "wait 50";
    QTest::newRow("a begun request never for a newcomer not heard")      << "b900 b800"      << "-" << "hear";
    QTest::newRow("bytes give way to a request line, earliest first")    << "b900 b800"      << "l" << "push out 0";
    QTest::newRow("bytes never to bytes")                                << "b900 b800"      << "b" << "refuse";
    QTest::newRow("a head never to bytes")                               << "h900 h800"      << "b" << "refuse";
    QTest::newRow("a head waits for a head to go silent")                << "h900 h800"      << "h" << "wait 100";
    QTest::newRow("a head waits for the place quiet longest")            << "h300 h700"      << "h" << "wait 300";
    QTest::newRow("owing an answer never goes silent")                   << "w5000 h500"     << "h" << "wait 500";
    QTest::newRow("a request line never waits")                          << "h900 h800"      << "l" << "refuse";
    QTest::newRow("a silent head gives way to a newcomer not heard")     << "h1200 h800"     << "-" << "push out 0";
    QTest::newRow("a silent body before bytes still coming")             << "b900 h1100"     << "b" << "push out 1";
    QTest::newRow("of the silent ones the one come least far")          << "b900 h1500 l1100" << "r" << "push out 2";
    QTest::newRow("a head to a whole request, earliest first")           << "h900 h800"      << "r" << "push out 0";
    QTest::newRow("the request come least far goes first")               << "b900 h800 l700" << "h" << "push out 0";
    QTest::newRow("a request line before a head")                        << "h900 l800"      << "h" << "push out 1";
    QTest::newRow("owing answers: a whole request waits for one to leave") << "w900 w800"    << "r" << "wait for an answer";
    QTest::newRow("owing answers: a newcomer not heard waits for one")   << "w900 w800"      << "-" << "wait for an answer";
    QTest::newRow("owing answers: bytes refused")                        << "w900 w800"      << "b" << "refuse";
    QTest::newRow("owing answers and one silent: the silent one")        << "w900 s300 w800" << "-" << "push out 1";
    QTest::newRow("answered lately past its time: gives way to bytes")   << "s100@900 b900"  << "b" << "push out 0";
    QTest::newRow("answered lately past its time: the newcomer is heard") << "s100@900"      << "-" << "hear";
    // clang-format on
}

void TestSoap::placeForANewConnection()
{
    QFETCH(QString, places);
    QFETCH(QString, sends);
    const QString progress = QStringLiteral("sblhr");
    QList<HttpPlace> list;
    for (const QString &token : places.split(QLatin1Char(' '))) {
        HttpPlace place;
        place.progress = HttpProgress(qMax(0, progress.indexOf(token.at(0))));
        place.movable = !token.startsWith(QLatin1Char('w'));
        const QStringList times = token.mid(1).split(QLatin1Char('@'));
        place.quietMs = times.at(0).toLongLong();
        place.ageMs = times.size() > 1                       ? times.at(1).toLongLong()
                      : place.progress == HttpProgress::None ? place.quietMs
                                                             : 10000;
        place.stamp = quint64(list.size());
        list << place;
    }
    const HttpRoom room = MakeRoom(list, HttpProgress(qMax(0, progress.indexOf(sends))), 250, 1000);
    QString got;
    switch (room.step) {
    case HttpRoom::Step::PushOut:
        got = QStringLiteral("push out %1").arg(room.place);
        break;
    case HttpRoom::Step::Wait:
        got = room.waitMs == HttpRoom::kUntilAnswered ? QStringLiteral("wait for an answer")
                                                      : QStringLiteral("wait %1").arg(room.waitMs);
        break;
    case HttpRoom::Step::Hear:
        got = QStringLiteral("hear");
        break;
    case HttpRoom::Step::Refuse:
        got = QStringLiteral("refuse");
        break;
    }
    QTEST(got, "room");
}

// Strangers that connect and send nothing, more than there are places, do
// not push out a push: neither one whose head has come and whose body
// follows later, nor one whose client takes a while to write it.
void TestSoap::listenerKeepsAPushAmongStrangers_data()
{
    QTest::addColumn<int>("before"); // bytes of the push sent before the strangers come
    // clang-format off
    QTest::newRow("head sent, the body after the strangers") << 60;
    QTest::newRow("all of it sent after the strangers")      << 0;
    // clang-format on
}

void TestSoap::listenerKeepsAPushAmongStrangers()
{
    QFETCH(int, before);
    ISoapSvr listener;
    HttpLimits limits = PatientLimits();
    limits.maxConnections = 2;
    // The push, silent until the strangers have come, stays in its time to
    // begin however slowly they come.
    limits.quietGraceMs = 2000;
    listener.SetLimits(limits);
    QVERIFY(listener.StartListener(QStringLiteral("127.0.0.1"), 0, QString()));
    std::vector<std::unique_ptr<RawClient>> strangers;
    for (int i = 0; i < 2; ++i)
        strangers.push_back(std::make_unique<RawClient>(listener.Port()));
    YAQ_TRY_COMPARE(listener.ConnectionCount(), 2);
    // They have had their time to begin: the push has a place at once.
    QTest::qWait(limits.quietGraceMs + 50);

    const QByteArray push = Post("<push/>");
    RawClient client(listener.Port());
    client.send(push.left(before));
    YAQ_TRY_VERIFY(client.socket.state() == QTcpSocket::ConnectedState &&
                   client.socket.bytesToWrite() == 0);
    for (int i = 0; i < 4; ++i)
        strangers.push_back(std::make_unique<RawClient>(listener.Port()));
    QTest::qWait(50);
    client.send(push.mid(before));
    QCOMPARE(NextRequest(listener), QStringLiteral("<push/>"));
    listener.SetResponse(QStringLiteral("<taken/>"));
    QVERIFY(client.waitResponses(1));
    QCOMPARE(client.responses().at(0).status, 200);
}

// Connections that send strays without pause take more places than the
// listener has: a push whose request has come is still answered (taken, or
// refused as busy), and a push that finds no place hears that it is busy.
// Strays that send a byte now and then never take the place of a push whose
// head has come while its body follows (as a DMS writes them apart): every
// push is taken.
void TestSoap::listenerAnswersEveryPushUnderAFlood_data()
{
    QTest::addColumn<int>("strays");    // connections sending strays
    QTest::addColumn<bool>("oneByte");  // strays of single bytes, else stray requests
    QTest::addColumn<bool>("twoParts"); // pushes sent as head, then body 5-50 ms later
    QTest::addColumn<bool>("taken");    // every push taken (200), not only answered
    // clang-format off
    QTest::newRow("100 stray connections")                    << 100 << false << false << false;
    QTest::newRow("200 stray connections")                    << 200 << false << false << false;
    QTest::newRow("64 one-byte strays, pushes in two parts")  << 64  << true  << true  << true;
    QTest::newRow("200 one-byte strays, pushes in two parts") << 200 << true  << true  << true;
    // clang-format on
}

void TestSoap::listenerAnswersEveryPushUnderAFlood()
{
    QFETCH(int, strays);
    QFETCH(bool, oneByte);
    QFETCH(bool, twoParts);
    QFETCH(bool, taken);
    constexpr int kSenders = 8;
    constexpr int kPushesEach = 8;
    auto listener = StartLoopbackListener();
    QVERIFY(listener);
    listener->SetRefusal([] { return QStringLiteral("<busy/>"); });
    // The window: every request answered as it comes, what waits too long
    // refused.
    QTimer window;
    QObject::connect(&window, &QTimer::timeout, [&listener]() {
        for (QString request = listener->GetRequest(); !request.isEmpty();
             request = listener->GetRequest())
            listener->SetResponse(request.contains(QLatin1String("push"))
                                      ? QStringLiteral("<taken/>")
                                      : QStringLiteral("<notValid/>"));
        listener->RefuseWaiting(kHangMs, QStringLiteral("<busy/>"));
    });
    window.start(1);
    const quint16 port = listener->Port();
    StrayFlood flood(port, strays, oneByte ? StrayFlood::Kind::Bytes : StrayFlood::Kind::Requests);
    // Every stray has come, and the stray requests have gone again.
    YAQ_TRY_VERIFY(flood.connected >= strays &&
                   (oneByte ? listener->ConnectionCount() >= HttpLimits().maxConnections
                            : flood.answered > strays));

    std::atomic<int> answered{0};
    std::atomic<int> ended{0}; // pushes whose connection has ended
    std::atomic<bool> stop{false};
    YaqTest::ThreadJoiner senders([&stop]() { stop = true; });
    for (int t = 0; t < kSenders; ++t) {
        senders.start([&, t]() {
            for (int i = 0; i < kPushesEach && !stop; ++i) {
                const int number = t * kPushesEach + i;
                const int status = PushAnswered(port, number, twoParts ? 5 + number * 7 % 46 : -1);
                if (taken ? status == 200 : status != 0)
                    ++answered;
                ++ended;
            }
        });
    }
    QVERIFY2(
        senders.waitFinished(),
        qPrintable(
            QStringLiteral("%1 pushes ended, %2 answered").arg(ended.load()).arg(answered.load())));
    QCOMPARE(answered.load(), kSenders * kPushesEach);
}

// Strangers that send a head, or a head and most of a 1 MiB body, and then
// nothing hold every place: pushes whose body follows their head, once
// "100 Continue" has come or after a pause, each take the place of one gone
// silent and are served; none is refused.
void TestSoap::listenerServesPushesPastStalledRequests_data()
{
    QTest::addColumn<QByteArray>("held"); // what each stranger sends
    // clang-format off
    QTest::newRow("1 MiB bodies stalled in every place") << "POST / HTTP/1.1\r\nContent-Length: 1048576\r\n\r\n" + QByteArray(1048000, 'x');
    QTest::newRow("heads stalled in every place")        << QByteArray("POST / HTTP/1.1\r\nContent-Length: 100\r\n\r\n");
    // clang-format on
}

void TestSoap::listenerServesPushesPastStalledRequests()
{
    QFETCH(QByteArray, held);
    HttpLimits limits = PatientLimits();
    // The strangers are silent soon. A push is never judged silent, however
    // slowly its client writes: no new connection comes while it is served.
    limits.silenceMs = 100;
    HttpListener listener;
    listener.setLimits(limits);
    AnswerEveryPushLater(listener);
    QVERIFY(listener.listen(QHostAddress::LocalHost, 0));
    std::vector<std::unique_ptr<RawClient>> strangers;
    for (int i = 0; i < limits.maxConnections; ++i) {
        strangers.push_back(std::make_unique<RawClient>(listener.port()));
        strangers.back()->send(held);
    }
    YAQ_TRY_VERIFY(std::all_of(strangers.begin(), strangers.end(), [](const auto &s) {
        return s->socket.state() == QTcpSocket::ConnectedState && s->socket.bytesToWrite() == 0;
    }));
    YAQ_TRY_COMPARE(listener.connectionCount(), limits.maxConnections);

    // One after another: with "Expect: 100-continue", and 100 ms between
    // head and body.
    constexpr int kPushes = 4;
    QList<int> statuses(kPushes, 0);
    YaqTest::ThreadJoiner pusher;
    const quint16 port = listener.port();
    pusher.start([&statuses, port]() {
        for (int i = 0; i < kPushes; ++i)
            statuses[i] = PushAnswered(port, i, i % 2 == 0 ? -1 : 100, i % 2 == 0);
    });
    QVERIFY(pusher.waitFinished());
    QCOMPARE(statuses, QList<int>(kPushes, 200));
}

// Strangers, more than the places and the connections closing hold, send a head that
// announces 1 MiB, with nothing or all but the last byte of that body, and
// connect again as soon as they are dropped: every push is served, also one
// whose client waits a while after connecting before it writes (a place is
// kept for its grace time, whatever comes meanwhile), and the listener
// never holds more than its bound.
void TestSoap::listenerServesPushesAmongReturningStrangers_data()
{
    QTest::addColumn<int>("places");
    QTest::addColumn<int>("strangers");
    QTest::addColumn<bool>("bodies"); // the strangers send their bodies but the last byte
    QTest::addColumn<int>("quietMs"); // how long a push's client waits before it writes
    QTest::addColumn<int>("silenceMs");
    // clang-format off
    QTest::newRow("70 heads, pushes at once")                << 64 << 70 << false << 0  << 1000;
    QTest::newRow("70 heads, pushes 30 ms after connecting") << 64 << 70 << false << 30 << 1000;
    QTest::newRow("1 MiB bodies, pushes at once")            << 4  << 16 << true  << 0  << 100;
    // clang-format on
}

void TestSoap::listenerServesPushesAmongReturningStrangers()
{
    QFETCH(int, places);
    QFETCH(int, strangers);
    QFETCH(bool, bodies);
    QFETCH(int, quietMs);
    HttpLimits limits = PatientLimits();
    limits.maxConnections = places;
    // The strangers go silent and are pushed out by those coming back; a
    // push's client has time to begin, however loaded the machine.
    QFETCH(int, silenceMs);
    limits.silenceMs = silenceMs;
    limits.quietGraceMs = 500;
    HttpListener listener;
    listener.setLimits(limits);
    AnswerEveryPushLater(listener);
    QVERIFY(listener.listen(QHostAddress::LocalHost, 0));
    const quint16 port = listener.port();
    qint64 held = 0;
    QTimer measure;
    QObject::connect(&measure, &QTimer::timeout,
                     [&]() { held = qMax(held, listener.heldBytes()); });
    measure.start(1);
    StrayFlood flood(port, strangers, bodies ? StrayFlood::Kind::Bodies : StrayFlood::Kind::Heads);
    // They have come, and come back.
    YAQ_TRY_VERIFY(flood.answered > strangers);

    constexpr int kPushes = 6;
    QList<int> statuses(kPushes, 0);
    YaqTest::ThreadJoiner pusher;
    pusher.start([&statuses, port, quietMs]() {
        for (int i = 0; i < kPushes; ++i)
            statuses[i] = PushAnswered(port, i, -1, false, quietMs);
    });
    QVERIFY(pusher.waitFinished());
    QCOMPARE(statuses, QList<int>(kPushes, 200));
    QVERIFY2(held <= listener.heldBytesBound(),
             qPrintable(QStringLiteral("%1 bytes held").arg(held)));
}

void TestSoap::listenerDropsAGoneClient_data()
{
    QTest::addColumn<bool>("handedOut"); // the window has the request when its client goes
    QTest::newRow("while the window has it") << true;
    QTest::newRow("while it waits in the queue") << false;
}

void TestSoap::listenerDropsAGoneClient()
{
    QFETCH(bool, handedOut);
    auto listener = StartLoopbackListener();
    QVERIFY(listener);
    RawClient first(listener->Port());
    first.send(Post("<first/>"));
    RawClient gone(listener->Port());
    YAQ_TRY_VERIFY(first.socket.bytesToWrite() == 0);
    gone.send(Post("<gone/>"));
    QCOMPARE(NextRequest(*listener), QStringLiteral("<first/>"));
    if (handedOut) {
        listener->SetResponse(QStringLiteral("<a/>"));
        QCOMPARE(NextRequest(*listener), QStringLiteral("<gone/>"));
    }
    gone.socket.abort();
    YAQ_TRY_COMPARE(listener->ConnectionCount(), 1);
    listener->SetResponse(QStringLiteral("<to-nobody/>"));

    RawClient next(listener->Port());
    next.send(Post("<next/>"));
    QCOMPARE(NextRequest(*listener), QStringLiteral("<next/>"));
    listener->SetResponse(QStringLiteral("<for-next/>"));
    QVERIFY(next.waitResponses(1));
    QCOMPARE(next.responses().at(0).body, QByteArray("<for-next/>"));
    if (!handedOut) {
        QVERIFY(first.waitResponses(1));
        QCOMPARE(first.responses().at(0).body, QByteArray("<to-nobody/>"));
    }
}

void TestSoap::activation_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("port"); // "free": a free port
    QTest::addColumn<bool>("running");
    // clang-format off
    QTest::newRow("mode 4") << 4 << "free" << true;
    QTest::newRow("mode 0") << 0 << "free" << false;
    QTest::newRow("mode 3") << 3 << "free" << false;
    QTest::newRow("port not a number") << 4 << "20x1" << false;
    QTest::newRow("port 0") << 4 << "0" << false;
    QTest::newRow("port 65536") << 4 << "65536" << false;
    // clang-format on
}

void TestSoap::activation()
{
    QFETCH(int, mode);
    QFETCH(QString, port);
    QFETCH(bool, running);
    if (port == QLatin1String("free"))
        port = QString::number(FreePort());
    ISoapSvr listener;
    QVERIFY(listener.StartListener(QStringLiteral("127.0.0.1"), 0, QString()));
    QCOMPARE(ActivateSoapXMLInterface(QStringLiteral("127.0.0.1"), mode, port, &listener), running);
    QCOMPARE(listener.HasInterface(), running);
    if (running)
        QCOMPARE(QString::number(listener.Port()), port);
}

void TestSoap::standInAnswers_data()
{
    QTest::addColumn<QString>("vin");
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("date");     // empty: an exception
    QTest::addColumn<QString>("specific"); // customerHasSpecificPrice; empty: none
    // clang-format off
    QTest::newRow("known, newest schema") << "XVQ2G45B684K56789" << "01.05.00" << "2019-11-21" << "true";
    QTest::newRow("known, first schema") << "XVQ1F23A57M012345" << "01.00.05" << "2016-03-09" << "";
    QTest::newRow("unknown") << "XVQ9Z99Z99Z999999" << "01.04.01" << "" << "";
    // clang-format on
}

void TestSoap::standInAnswers()
{
    QFETCH(QString, vin);
    QFETCH(QString, version);
    QFETCH(QString, date);
    QFETCH(QString, specific);
    StandInDms dms;
    QVERIFY(StartDemoStandIn(dms));
    QByteArray action;
    connect(&dms, &StandInDms::requestReceived, this,
            [&](const QByteArray &soapAction) { action = soapAction; });

    CSoapReq client;
    client.m_strURL = QStringLiteral("http://127.0.0.1:%1/").arg(dms.port());
    const QString answer =
        client.Request(StandInSoapAction(QStringLiteral("requestFirstRegistrationDate")),
                       FirstRegistrationRequest(vin, version));
    QCOMPARE(action,
             QByteArray("\"http://dms.yaq2.example/SRP/action/YAQ.requestFirstRegistrationDate\""));
    QDomDocument doc;
    QString error;
    QVERIFY2(LoadXmlDocument(answer, &doc, &error), qPrintable(error));
    const QDomElement message = MessageOf(doc);
    QCOMPARE(message.tagName(), QStringLiteral("requestFirstRegistrationDateResponse"));
    QCOMPARE(message.attribute(QStringLiteral("xmlns")),
             QStringLiteral("http://dms.yaq2.example/SRP"));
    QCOMPARE(message.attribute(QStringLiteral("refSchema")),
             QStringLiteral("serviceRepairPackages.xsd"));
    QCOMPARE(message.attribute(QStringLiteral("version")), version);
    QCOMPARE(message.firstChildElement(QStringLiteral("firstRegistrationDate")).text(), date);
    QCOMPARE(message.firstChildElement(QStringLiteral("customerHasSpecificPrice")).text(),
             specific);
    const QDomElement exception = message.firstChildElement(QStringLiteral("exception"));
    QCOMPARE(exception.isNull(), !date.isEmpty());
    if (date.isEmpty()) {
        QCOMPARE(exception.attribute(QStringLiteral("name")), QStringLiteral("VINNotFound"));
    } else {
        const QDomElement vinElement = message.firstChildElement(QStringLiteral("vin"));
        QCOMPARE(vinElement.attribute(QStringLiteral("vinLongPrefix")) +
                     vinElement.attribute(QStringLiteral("vinShort")),
                 vin);
    }
}

void TestSoap::standInTakesOnlyEnvelopes_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("enveloped"); // sent as the SOAP client sends a body
    QTest::addColumn<bool>("accepted");
    const QString header =
        QStringLiteral(" xmlns=\"http://dms.yaq2.example/SRP\" "
                       "refSchema=\"serviceRepairPackages.xsd\" version=\"01.05.00\">");
    const QString vin = QStringLiteral("<vin vinLongPrefix=\"XVQ1F23A57\" vinShort=\"M012345\"/>");
    const QString registration =
        FirstRegistrationRequest(QStringLiteral("XVQ1F23A57M012345"), QStringLiteral("01.05.00"));
    const QString search = "<requestVIN" + header + "<lastName>M\u00fcller</lastName></requestVIN>";
    const QString prices = "<requestPackageInfo" + header + vin +
                           "<package productType=\"car\"><number>111001017A010</number>"
                           "</package></requestPackageInfo>";
    const QString positions = "<transferYAQPositions" + header + vin + "</transferYAQPositions>";
    const QString vehicle =
        "<transferVehicleInfo" + header + vin + "<product>PKW</product></transferVehicleInfo>";
    // clang-format off
    // The action names the message as the program names it.
    const auto act = [](const char *method) { return "urn:dms/action/YAQ." + QString::fromLatin1(method); };
    QTest::newRow("first registration") << registration << act("requestFirstRegistrationDate") << true << true;
    QTest::newRow("vehicle search")     << search       << act("requestVIN")           << true << true;
    QTest::newRow("package prices")     << prices       << act("requestPackageInfo")   << true << true;
    QTest::newRow("basket transfer")    << positions    << act("transferYAQPositions") << true << true;
    QTest::newRow("vehicle creation")   << vehicle      << act("transferVehicleInfo")  << true << true;
    QTest::newRow("action of another message") << prices << act("requestVIN")         << true << false;
    QTest::newRow("bare first registration") << registration << act("requestFirstRegistrationDate") << false << false;
    QTest::newRow("bare vehicle search")     << search       << act("requestVIN")           << false << false;
    QTest::newRow("bare package prices")     << prices       << act("requestPackageInfo")   << false << false;
    QTest::newRow("bare basket transfer")    << positions    << act("transferYAQPositions") << false << false;
    QTest::newRow("bare vehicle creation")   << vehicle      << act("transferVehicleInfo")  << false << false;
    QTest::newRow("envelope without body")   << "<s:Envelope xmlns:s=\"http://schemas.xmlsoap.org/soap/envelope/\"/>" << act("requestVIN") << false << false;
    // clang-format on
}

void TestSoap::standInTakesOnlyEnvelopes()
{
    QFETCH(QString, body);
    QFETCH(QString, action);
    QFETCH(bool, enveloped);
    QFETCH(bool, accepted);
    QTemporaryDir logDir;
    const QString log = logDir.filePath(QStringLiteral("dms.log"));
    StandInDms dms;
    dms.setLogFile(log);
    QVERIFY(StartDemoStandIn(dms));
    QString got;
    connect(&dms, &StandInDms::requestReceived, this,
            [&](const QByteArray &, const QString &request) { got = request; });

    CSoapReq client;
    client.m_strURL = QStringLiteral("http://127.0.0.1:%1/").arg(dms.port());
    const QString answer =
        enveloped ? client.Request(action, body) : client.RequestMessage(action, body);
    QCOMPARE(got.toUtf8(), enveloped ? Enveloped(body) : body.toUtf8());
    // A SOAP endpoint refuses a message outside its envelope, or under the
    // action of another one, as the client's fault, and the stand-in's log
    // shows why.
    QCOMPARE(client.LastStatus(), accepted ? 200 : 500);
    QCOMPARE(answer.contains(QLatin1String("<faultcode>s:Client</faultcode>")), !accepted);
    QFile logFile(log);
    QVERIFY(logFile.open(QIODevice::ReadOnly));
    QCOMPARE(logFile.readAll().contains("-> HTTP 500"), !accepted);
}

void TestSoap::standInTransferVin()
{
    TransferVinRequest request;
    request.vin = QStringLiteral("XVQ1F23A57M012345");
    request.mileage = QStringLiteral("45210");
    request.orderNumber = QStringLiteral("A&B<1>");
    QDomDocument doc;
    QString error;
    QVERIFY2(LoadXmlDocument(BuildTransferVinRequest(request), &doc, &error), qPrintable(error));
    QCOMPARE(doc.documentElement().tagName(), QStringLiteral("s:Envelope"));
    const QDomElement message = MessageOf(doc);
    QCOMPARE(message.tagName(), QStringLiteral("transferVIN"));
    QCOMPARE(message.attribute(QStringLiteral("version")), QStringLiteral("01.05.00"));
    QCOMPARE(message.attribute(QStringLiteral("refSchema")),
             QStringLiteral("serviceRepairPackages.xsd"));
    const QDomElement vin = message.firstChildElement(QStringLiteral("vin"));
    QCOMPARE(vin.attribute(QStringLiteral("vinLongPrefix")), QStringLiteral("XVQ1F23A57"));
    QCOMPARE(vin.attribute(QStringLiteral("vinShort")), QStringLiteral("M012345"));
    QCOMPARE(message.firstChildElement(QStringLiteral("orderNumber")).text(),
             QStringLiteral("A&B<1>"));
    QCOMPARE(message.firstChildElement(QStringLiteral("mileage")).text(), QStringLiteral("45210"));
    // Fields not given are not sent.
    QVERIFY(message.firstChildElement(QStringLiteral("jobNumber")).isNull());
}

// What a SOAP 1.1 endpoint refuses, the stand-in refuses alike, so that
// it catches the program's requests if they ever drift; what the program
// sends it takes.
void TestSoap::standInAnswersAsASoap11Endpoint_data()
{
    QTest::addColumn<QString>("envelope"); // %1: the message
    QTest::addColumn<QString>("message");
    QTest::addColumn<QByteArray>("action");
    QTest::addColumn<QByteArray>("type");
    QTest::addColumn<QByteArray>("statusLine");
    QTest::addColumn<QString>("fault"); // empty: none
    const QString soap11 = QStringLiteral(
        "<s:Envelope xmlns:s=\"http://schemas.xmlsoap.org/soap/envelope/\">%2<s:Body>%1</s:Body>"
        "</s:Envelope>");
    const QString program = QString::fromUtf8(Enveloped(QStringLiteral("%1")));
    const QString soap12 = QStringLiteral(
        "<e:Envelope xmlns:e=\"http://www.w3.org/2003/05/soap-envelope\"><e:Body>%1</e:Body>"
        "</e:Envelope>");
    const QString bare = QStringLiteral("<Envelope><Body>%1</Body></Envelope>");
    const QString message =
        FirstRegistrationRequest(QStringLiteral("XVQ1F23A57M012345"), QStringLiteral("01.05.00"));
    QString noNamespace = message;
    noNamespace.replace(QLatin1String(" xmlns=\"http://dms.yaq2.example/SRP\""), QString());
    QString foreign = message;
    foreign.replace(QLatin1String("http://dms.yaq2.example/SRP"), QLatin1String("urn:other"));
    const QByteArray act =
        "\"http://dms.yaq2.example/SRP/action/YAQ.requestFirstRegistrationDate\"";
    const QByteArray xml = "text/xml; charset=utf-8";
    const QString header =
        QStringLiteral("<s:Header><t:trace xmlns:t=\"urn:t\" s:mustUnderstand=\"%1\"/></s:Header>");
    const QByteArray ok = "HTTP/1.1 200 OK";
    const QByteArray error = "HTTP/1.1 500 Internal Server Error";
    // clang-format off
    QTest::newRow("as the program sends it")               << program              << message     << act            << xml << ok << "";
    QTest::newRow("envelope of SOAP 1.2")                  << soap12               << message     << act            << xml << error << "s:VersionMismatch";
    QTest::newRow("envelope in no namespace")              << bare                 << message     << act            << xml << error << "s:VersionMismatch";
    QTest::newRow("message in no namespace")               << soap11.arg("%1", "") << noNamespace << act            << xml << error << "s:Client";
    QTest::newRow("message in a foreign namespace")        << soap11.arg("%1", "") << foreign     << act            << xml << error << "s:Client";
    QTest::newRow("SOAPAction not in quotes")              << program              << message     << act.mid(1).chopped(1) << xml << error << "s:Client";
    QTest::newRow("header entry that must be understood")  << soap11.arg("%1", header.arg(1)) << message << act     << xml << error << "s:MustUnderstand";
    QTest::newRow("header entry that may be left alone")   << soap11.arg("%1", header.arg(0)) << message << act     << xml << ok << "";
    QTest::newRow("content type not XML")                  << program              << message     << act            << QByteArray("text/plain") << QByteArray("HTTP/1.1 415 Unsupported Media Type") << "s:Client";
    // clang-format on
}

void TestSoap::standInAnswersAsASoap11Endpoint()
{
    QFETCH(QString, envelope);
    QFETCH(QString, message);
    QFETCH(QByteArray, action);
    QFETCH(QByteArray, type);
    QFETCH(QString, fault);
    StandInDms dms;
    QVERIFY(StartDemoStandIn(dms));
    const QByteArray body = envelope.arg(message).toUtf8();
    RawClient client(dms.port());
    client.send("POST / HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Type: " + type +
                "\r\nSOAPAction: " + action +
                "\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body);
    QVERIFY(client.waitResponses(1));
    const Response answer = client.responses().at(0);
    QTEST(answer.head.left(answer.head.indexOf("\r\n")), "statusLine");
    QDomDocument doc;
    QString error;
    QVERIFY2(LoadXmlDocument(QString::fromUtf8(answer.body), &doc, &error), qPrintable(error));
    QCOMPARE(doc.elementsByTagName(QStringLiteral("faultcode")).item(0).toElement().text(), fault);
}

// The stand-in program tells how it is used when asked, and when what it
// is given is not a command.
void TestSoap::standInUsage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<bool>("onStandardOutput");
    // clang-format off
    QTest::newRow("--help")          << QStringList{"--help"} << 0 << true;
    QTest::newRow("-h")              << QStringList{"-h"}     << 0 << true;
    QTest::newRow("nothing")         << QStringList{}         << 2 << false;
    QTest::newRow("unknown command") << QStringList{"fly"}    << 2 << false;
    // clang-format on
}

void TestSoap::standInUsage()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, onStandardOutput);
    QProcess program;
    const YaqTest::ProcessReaper reaper(program);
    program.start(QStringLiteral(YAQ2_DMS), arguments);
    QVERIFY(program.waitForFinished(kHangMs));
    QTEST(program.exitCode(), "exitCode");
    const QByteArray out = program.readAllStandardOutput();
    const QByteArray err = program.readAllStandardError();
    QVERIFY2((onStandardOutput ? out : err).contains("usage: yaq2-dms serve"), out + err);
    QVERIFY((onStandardOutput ? err : out).isEmpty());
}

// A push that got no answer ends with 1 and says why, in the program's
// words, not only where it went.
void TestSoap::standInPushWithoutAnswerSaysWhy_data()
{
    QTest::addColumn<bool>("listening");
    QTest::addColumn<QString>("reason"); // %1 the port
    // clang-format off
    QTest::newRow("nobody listens")    << false << "127.0.0.1:%1 hat die Verbindung abgelehnt.";
    QTest::newRow("no answer in time") << true  << "Keine Antwort von 127.0.0.1:%1 innerhalb von 0.3 s.";
    // clang-format on
}

void TestSoap::standInPushWithoutAnswerSaysWhy()
{
    QFETCH(bool, listening);
    QFETCH(QString, reason);
    // Connections wait in the backlog, never read: nothing is answered.
    QTcpServer silent;
    quint16 port = FreePort();
    if (listening) {
        QVERIFY(silent.listen(QHostAddress::LocalHost, 0));
        port = silent.serverPort();
    }
    QProcess program;
    const YaqTest::ProcessReaper reaper(program);
    program.start(QStringLiteral(YAQ2_DMS),
                  {QStringLiteral("push-vin"), QStringLiteral("--to"),
                   QStringLiteral("http://127.0.0.1:%1/").arg(port), QStringLiteral("--timeout"),
                   QStringLiteral("300"), QStringLiteral("XVQ1F23A57M012345")});
    QVERIFY(program.waitForFinished(kHangMs));
    QCOMPARE(program.exitCode(), 1);
    QCOMPARE(QString::fromUtf8(program.readAllStandardError()),
             QStringLiteral("yaq2-dms: ") + reason.arg(port) + QLatin1Char('\n'));
    QVERIFY(program.readAllStandardOutput().isEmpty());
}

YAQ_TEST_GUILESS_MAIN(TestSoap)
#include "tst_soap.moc"
