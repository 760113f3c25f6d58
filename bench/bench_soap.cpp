// "transferVIN" requests answered per second by the DMS listener over
// loopback, with a handler polling it as the main window does (a timer that
// takes the pending request and sets a fixed confirmation), beside a bare Qt
// TCP echo of a message of the same size on the same machine. Client and
// server share one thread in both, as the window's listener shares the
// window's. The ratio listener / echo is printed at the end (goal: at least
// 0.5). The listener with a new connection for every request, as a DMS that
// does not keep connections open sends them, is shown beside them.

#include "platform/SoapSvr.h"
#include "support/BenchRatio.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

namespace {

const QByteArray kBody =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?><s:Envelope "
    "xmlns:s=\"http://schemas.xmlsoap.org/soap/envelope/\"><s:Body><transferVIN "
    "xmlns=\"http://dms.yaq2.example/SRP\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
    "refSchema=\"serviceRepairPackages.xsd\" version=\"01.00.05\"><vin "
    "vinLongPrefix=\"XVQ1F23A57\" "
    "vinShort=\"M012345\"/><orderNumber>4711</orderNumber><mileage>45210</mileage></transferVIN>"
    "</s:Body></s:Envelope>";

const QString kConfirm = QStringLiteral(
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?><s:Envelope "
    "s:encodingStyle=\"http://schemas.xmlsoap.org/soap/encoding/\" "
    "xmlns:s=\"http://schemas.xmlsoap.org/soap/envelope/\"><s:Header/><s:Body>"
    "<transferVINResponse xmlns=\"http://dms.yaq2.example/SRP\" "
    "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
    "refSchema=\"serviceRepairPackages.xsd\" version=\"01.00.05\"><confirmTransmission>true"
    "</confirmTransmission></transferVINResponse></s:Body></s:Envelope>");

QByteArray Request(bool keepAlive)
{
    return "POST / HTTP/1.1\r\nHost: 127.0.0.1:2021\r\nContent-Type: text/xml; charset=utf-8\r\n"
           "SOAPAction: \"http://dms.yaq2.example/SRP/action/YAQ.transferVIN\"\r\n" +
           QByteArray(keepAlive ? "" : "Connection: close\r\n") +
           "Content-Length: " + QByteArray::number(kBody.size()) + "\r\n\r\n" + kBody;
}

// Whether the bytes hold one whole response.
bool WholeResponse(const QByteArray &bytes)
{
    const qsizetype headEnd = bytes.indexOf("\r\n\r\n");
    if (headEnd < 0)
        return false;
    const qsizetype at = bytes.indexOf("Content-Length: ");
    if (at < 0 || at > headEnd)
        return false;
    const qsizetype length = bytes.mid(at + 16, bytes.indexOf('\r', at) - at - 16).toLongLong();
    return bytes.size() >= headEnd + 4 + length;
}

// The listener with the window's poll: a timer that answers every request.
struct PolledListener
{
    ISoapSvr listener;
    QTimer poll;
    PolledListener()
    {
        listener.StartListener(QStringLiteral("127.0.0.1"), 0, QString());
        QObject::connect(&poll, &QTimer::timeout, [this]() {
            if (!listener.GetRequest().isEmpty())
                listener.SetResponse(kConfirm);
        });
        poll.start(0);
    }
};

// Sends the request on the socket and runs the event loop until the whole
// answer (or, for the echo, as many bytes as were sent) has come, within the
// time limit. One limit timer serves every exchange: a single-shot timer
// each time would pile up thousands of pending timers and measure Qt's
// timer list rather than the exchange.
bool Exchange(QTcpSocket &socket, const QByteArray &request, bool echo, QTimer &limit)
{
    QByteArray received;
    QEventLoop loop;
    bool done = false;
    const auto connection = QObject::connect(&socket, &QTcpSocket::readyRead, &loop, [&]() {
        received += socket.readAll();
        done = echo ? received.size() >= request.size() : WholeResponse(received);
        if (done)
            loop.quit();
    });
    const auto expiry = QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    limit.start(5000);
    socket.write(request);
    loop.exec();
    limit.stop();
    QObject::disconnect(expiry);
    QObject::disconnect(connection);
    return done && (echo || received.startsWith("HTTP/1.1 200 "));
}

bool Connect(QTcpSocket &socket, quint16 port)
{
    socket.connectToHost(QHostAddress::LocalHost, port);
    return socket.waitForConnected(5000);
}

void BM_TransferVin_Listener(benchmark::State &state)
{
    PolledListener server;
    QTcpSocket client;
    if (!Connect(client, server.listener.Port())) {
        state.SkipWithError("no connection");
        return;
    }
    const QByteArray request = Request(true);
    QTimer limit;
    limit.setSingleShot(true);
    for (auto _ : state) {
        if (!Exchange(client, request, false, limit)) {
            state.SkipWithError("no answer");
            return;
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TransferVin_Listener)->UseRealTime()->Unit(benchmark::kMicrosecond);

void BM_TransferVin_ListenerNewConnection(benchmark::State &state)
{
    PolledListener server;
    const QByteArray request = Request(false);
    QTimer limit;
    limit.setSingleShot(true);
    for (auto _ : state) {
        QTcpSocket client;
        if (!Connect(client, server.listener.Port()) || !Exchange(client, request, false, limit)) {
            state.SkipWithError("no answer");
            return;
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TransferVin_ListenerNewConnection)->UseRealTime()->Unit(benchmark::kMicrosecond);

void BM_TcpEcho(benchmark::State &state)
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    QObject::connect(&server, &QTcpServer::newConnection, [&server]() {
        QTcpSocket *socket = server.nextPendingConnection();
        QObject::connect(socket, &QTcpSocket::readyRead,
                         [socket]() { socket->write(socket->readAll()); });
    });
    QTcpSocket client;
    if (!Connect(client, server.serverPort())) {
        state.SkipWithError("no connection");
        return;
    }
    const QByteArray message = Request(true);
    QTimer limit;
    limit.setSingleShot(true);
    for (auto _ : state) {
        if (!Exchange(client, message, true, limit)) {
            state.SkipWithError("no echo");
            return;
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TcpEcho)->UseRealTime()->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto rate = [&](const char *name) { return reporter.Counter(name, "items_per_second"); };
    const auto listener = rate("BM_TransferVin_Listener/real_time");
    const auto fresh = rate("BM_TransferVin_ListenerNewConnection/real_time");
    const auto echo = rate("BM_TcpEcho/real_time");
    if (listener && echo && *echo > 0) {
        const double ratio = *listener / *echo;
        std::printf("\ntransferVIN answered by the listener / bare TCP echo (goal at least 0.5):\n"
                    "  %9.0f/s vs %9.0f/s  ratio %5.2f  %s\n",
                    *listener, *echo, ratio, ratio >= 0.5 ? "ok" : "TOO SLOW");
        if (fresh)
            std::printf("  a new connection for every request: %9.0f/s  ratio %5.2f (shown only)\n",
                        *fresh, *fresh / *echo);
    }
    benchmark::Shutdown();
    return 0;
}
