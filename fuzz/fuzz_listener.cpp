// The DMS listener's handling of a connection, over loopback as a DMS (or
// anyone on the dealer's network) reaches it: the client's bytes, whatever
// they are, sent in pieces, with the requests answered as they come or only
// after the client has sent everything, and at times with every other place
// held by idle clients. Whatever comes, the listener writes only whole HTTP
// answers of the statuses it knows, never more answers of 200 than requests
// it handed out, hands out only bounded POST requests, and holds no
// connection once the client has gone.
// Links: yaq_platform

#include "FuzzSupport.h"
#include "platform/HttpListener.h"
#include "platform/HttpResponseParser.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpSocket>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include <sys/socket.h>

namespace {

constexpr qsizetype kMaxBody = 256;
constexpr int kPlaces = 4;

HttpListener *listener = nullptr;
QList<quint64> pending; // requests handed out and not yet answered
int handedOut = 0;

void AnswerPending()
{
    const QList<quint64> ids = std::exchange(pending, {});
    for (const quint64 id : ids)
        listener->respond(id, 200, "text/xml; charset=utf-8", "<a/>");
}

// Runs the event loop until the condition holds or the time is up; the
// requests that come meanwhile are answered, as the window's poll does.
bool PumpUntil(const std::function<bool()> &done, int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        AnswerPending();
    }
    return true;
}

// The answers in the bytes the client received: each is whole HTTP with a
// length (the listener always writes one, "100 Continue" aside) and a status
// the listener knows. Returns the count of answers with status 200.
int CheckAnswers(const QByteArray &bytes)
{
    int ok = 0;
    qsizetype pos = 0;
    while (pos < bytes.size()) {
        const qsizetype headEnd = bytes.indexOf("\r\n\r\n", pos);
        if (headEnd < 0)
            abort();
        if (QByteArrayView(bytes).sliced(pos, headEnd + 4 - pos) ==
            QByteArrayView("HTTP/1.1 100 Continue\r\n\r\n")) {
            pos = headEnd + 4;
            continue;
        }
        HttpResponseParser answer(kMaxBody + 4096);
        if (answer.feed(QByteArrayView(bytes).sliced(pos)) != HttpResponseParser::State::Complete)
            abort();
        switch (answer.status()) {
        case 200:
            ++ok;
            break;
        case 400:
        case 405:
        case 408:
        case 413:
        case 431:
        case 500:
        case 501:
        case 503:
        case 505:
            break;
        default:
            abort();
        }
        pos = headEnd + 4 + answer.header("Content-Length").toLongLong();
    }
    return ok;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    QuietQtMessages();
    static int qtArgc = 1;
    static char name[] = "fuzz_listener";
    static char *qtArgv[] = {name, nullptr};
    new QCoreApplication(qtArgc, qtArgv);
    listener = new HttpListener;
    HttpLimits limits;
    limits.maxBody = kMaxBody;
    limits.headTimeoutMs = 200;
    limits.readTimeoutMs = 400;
    limits.maxConnections = kPlaces;
    listener->setLimits(limits);
    listener->setRequestHandler([](quint64 id, const HttpRequest &request) {
        if (request.method != "POST" || request.body.size() > kMaxBody || pending.contains(id))
            abort();
        pending << id;
        ++handedOut;
    });
    listener->setGoneHandler([](quint64 id) { pending.removeAll(id); });
    return listener->listen(QHostAddress::LocalHost, 0) ? 0 : 1;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    // The first byte chooses the size of the pieces, when the requests are
    // answered and whether the other places are held.
    const qsizetype piece = 1 + (data[0] & 0x1f) * 4;
    const bool answerAtOnce = (data[0] & 0x20) != 0;
    const bool placesHeld = (data[0] & 0x40) != 0;
    const QByteArrayView bytes(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    pending.clear();
    handedOut = 0;

    std::vector<std::unique_ptr<QTcpSocket>> holders;
    if (placesHeld) {
        for (int i = 0; i < kPlaces; ++i) {
            holders.push_back(std::make_unique<QTcpSocket>());
            holders.back()->connectToHost(QHostAddress::LocalHost, listener->port());
        }
        PumpUntil([&]() { return listener->connectionCount() == kPlaces; }, 1000);
    }

    QTcpSocket client;
    QByteArray received;
    QObject::connect(&client, &QTcpSocket::readyRead, [&]() { received += client.readAll(); });
    client.connectToHost(QHostAddress::LocalHost, listener->port());
    if (!PumpUntil([&]() { return client.state() == QAbstractSocket::ConnectedState; }, 1000))
        return 0;
    for (qsizetype pos = 0; pos < bytes.size(); pos += piece) {
        client.write(bytes.sliced(pos, qMin(piece, bytes.size() - pos)).toByteArray());
        client.flush();
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        if (answerAtOnce)
            AnswerPending();
    }
    QCoreApplication::processEvents();
    AnswerPending();
    // The client has sent everything: its side ends, and the listener ends
    // the connection in turn.
    ::shutdown(int(client.socketDescriptor()), SHUT_WR);
    if (!PumpUntil([&]() { return client.state() == QAbstractSocket::UnconnectedState; }, 3000))
        abort();
    received += client.readAll();
    for (auto &holder : holders)
        holder->abort();
    if (!PumpUntil([&]() { return listener->connectionCount() == 0; }, 3000))
        abort();
    if (CheckAnswers(received) > handedOut)
        abort();
    return 0;
}
