#include "platform/HttpListener.h"

#include <QElapsedTimer>
#include <QTcpSocket>
#include <QTimer>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <sys/ioctl.h>
#include <sys/socket.h>
#endif
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

// What is read from a socket at once, and what Qt keeps read ahead of us.
constexpr qint64 kReadChunk = 64 * 1024;

// What came on the socket, up to a chunk. Asked for more than came, a read
// would make room for the whole chunk first: a flood of one-byte sends
// would cost a chunk's allocation each.
QByteArray readSome(QTcpSocket *socket)
{
    return socket->read(qMin(kReadChunk, socket->bytesAvailable()));
}
// Answers not yet taken by the client beyond which its next requests wait.
constexpr qint64 kMaxUnsent = 256 * 1024;
// What a closing connection reads and throws away at most.
constexpr qint64 kMaxDiscard = 4 * 1024 * 1024;
// New connections taken in one turn of the thread's loop; the rest wait in
// the server's queue for the next turn.
constexpr int kTakenPerTurn = 16;
// Milliseconds after the last request was let go (answered with an error or
// its connection gone) until the memory it held goes back to the system.
constexpr int kTrimAfterMs = 1000;

} // namespace

class HttpListener::Connection : public QObject
{
public:
    Connection(QTcpSocket *s, qsizetype maxBody, QObject *parent)
        : QObject(parent), socket(s), parser(maxBody)
    {
        socket->setParent(this);
        timer.setSingleShot(true);
    }

    QTcpSocket *socket;
    QTimer timer;
    QElapsedTimer since;  // since the wait for the current request began
    QElapsedTimer heard;  // since bytes last came or "100 Continue" went
    QElapsedTimer placed; // since it took its place: its grace time
    HttpProgress progress = HttpProgress::None;
    quint64 progressStamp = 0; // when the request came as far as `progress`
    HttpRequestParser parser;
    quint64 requestId = 0; // the request waiting for its answer, 0 when none
    bool headRead = false;
    bool keepAlive = true;
    bool continueSent = false;
    bool inProcess = false;
    bool closing = false;
    bool halfClosed = false;
    bool gone = false;
    // Taken beyond the places: it has a place once it sends (settle).
    bool overLimit = false;
    // Beyond the places with its head read: nothing more is read until it
    // has a place.
    bool waitsForPlace = false;
    // Asked where it goes (settle): what the others' clients sent is read
    // meanwhile, and this one is neither read nor counted among them.
    bool settling = false;
    qint64 discarded = 0;
    qint64 discardedBefore = 0; // when its last closing wait began
    qint64 readTotal = 0;       // bytes read from its client
    QElapsedTimer closingSince;
};

HttpRoom MakeRoom(const QList<HttpPlace> &places, HttpProgress newcomer, qint64 graceMs,
                  qint64 silenceMs)
{
    const auto before = [&places](int i, int j) {
        const HttpPlace &a = places.at(i);
        const HttpPlace &b = places.at(j);
        return a.progress < b.progress || (a.progress == b.progress && a.stamp < b.stamp);
    };
    int silent = -1;
    int least = -1;            // of those past their grace time
    qint64 soonest = -1;       // until a place may give way to the newcomer
    bool quietInGrace = false; // a place that has sent nothing, in its grace time
    bool anyMovable = false;
    const auto mayGiveWayIn = [&soonest](qint64 ms) {
        if (soonest < 0 || ms < soonest)
            soonest = ms;
    };
    for (int i = 0; i < places.size(); ++i) {
        const HttpPlace &p = places.at(i);
        if (!p.movable)
            continue;
        anyMovable = true;
        const bool begun = p.progress != HttpProgress::None;
        const qint64 silentAfter = begun ? silenceMs : graceMs;
        if (p.quietMs >= silentAfter) {
            if (silent < 0 || before(i, silent))
                silent = i;
            continue;
        }
        const bool inGrace = p.ageMs < graceMs;
        if (!begun && inGrace) {
            // It has its grace time to begin; then it is silent.
            quietInGrace = true;
            mayGiveWayIn(graceMs - qMax(p.quietMs, p.ageMs));
            continue;
        }
        if (!inGrace && (least < 0 || before(i, least)))
            least = i;
        if (newcomer >= HttpProgress::Head)
            mayGiveWayIn(silentAfter - p.quietMs);
        if (inGrace && p.progress < newcomer)
            mayGiveWayIn(graceMs - p.ageMs);
    }
    HttpRoom room;
    if (silent >= 0) {
        room.step = HttpRoom::Step::PushOut;
        room.place = silent;
        return room;
    }
    if (newcomer != HttpProgress::None && least >= 0 && places.at(least).progress < newcomer) {
        room.step = HttpRoom::Step::PushOut;
        room.place = least;
        return room;
    }
    // Every place owes its client an answer, which leaves within the answer
    // time: then one of them gives way.
    const bool untilAnswered = !anyMovable && !places.isEmpty();
    if (newcomer == HttpProgress::None) {
        if (quietInGrace) {
            room.step = HttpRoom::Step::Wait;
            room.waitMs = soonest;
        } else if (anyMovable) {
            room.step = HttpRoom::Step::Hear;
        } else if (untilAnswered) {
            room.step = HttpRoom::Step::Wait;
            room.waitMs = HttpRoom::kUntilAnswered;
        }
        return room;
    }
    // A request, not a stranger's bytes, waits while the places may still
    // go silent; any that has sent waits for a place in its grace time.
    if (soonest >= 0) {
        room.step = HttpRoom::Step::Wait;
        room.waitMs = soonest;
    } else if (untilAnswered && newcomer >= HttpProgress::Head) {
        room.step = HttpRoom::Step::Wait;
        room.waitMs = HttpRoom::kUntilAnswered;
    }
    return room;
}

HttpListener::HttpListener(QObject *parent) : QObject(parent)
{
    connect(&m_server, &QTcpServer::newConnection, this, &HttpListener::onNewConnection);
    m_roomTimer.setSingleShot(true);
    connect(&m_roomTimer, &QTimer::timeout, this, [this]() {
        if (!m_server.isListening())
            return;
        m_server.resumeAccepting();
        onNewConnection();
    });
    m_placeTimer.setSingleShot(true);
    connect(&m_placeTimer, &QTimer::timeout, this, &HttpListener::settleWaiting);
    m_trimTimer.setSingleShot(true);
    connect(&m_trimTimer, &QTimer::timeout, this, []() {
#ifdef __GLIBC__
        // The C library keeps freed blocks of the size of request bodies
        // for itself; after a flood of them they would stay with the
        // program.
        malloc_trim(0);
#endif
    });
}

void HttpListener::Server::incomingConnection(qintptr handle)
{
    // Qt's own server would read without limit for a connection it has not
    // handed out yet: a stranger's body would be held whole while the
    // connection waits for the listener.
    auto *socket = new QTcpSocket(this);
    socket->setReadBufferSize(kReadChunk);
    socket->setSocketDescriptor(handle);
    addPendingConnection(socket);
}

HttpListener::~HttpListener()
{
    m_onGone = nullptr;
    close();
}

bool HttpListener::listen(const QHostAddress &address, quint16 port)
{
    close();
    // New clients wait in the system's queue while every place is taken:
    // room there for many times the places keeps a client that came among
    // a flood of strangers from having to connect again (the system would
    // try again only after seconds). The system caps it at its own bound.
    m_server.setListenBacklogSize(16 * m_limits.maxConnections);
    // The server's own queue holds no more than a turn takes.
    m_server.setMaxPendingConnections(kTakenPerTurn);
    return m_server.listen(address, port);
}

void HttpListener::resumeSoon()
{
    if (!m_server.isListening() || m_resumeQueued)
        return;
    m_resumeQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this]() {
            m_resumeQueued = false;
            m_takenThisTurn = 0;
            m_server.resumeAccepting();
            onNewConnection();
        },
        Qt::QueuedConnection);
}

void HttpListener::close()
{
    m_waitsForAnswer = false;
    m_roomTimer.stop();
    m_placeTimer.stop();
    m_server.close();
    const QList<Connection *> connections = m_connections.values();
    for (Connection *c : connections) {
        c->socket->abort();
        drop(c);
    }
}

void HttpListener::onNewConnection()
{
    // Those that wait beyond the places come first.
    settleWaiting();
    // Connections that are closing hold places of their own, as many again
    // as the limit; beyond them new clients wait in the system's queue until
    // a place comes free.
    while (m_connections.size() < 2 * qsizetype(m_limits.maxConnections) &&
           m_server.hasPendingConnections()) {
        if (m_takenThisTurn >= kTakenPerTurn) {
            // The server stops taking new connections from the system
            // once its own queue is full, and the thread goes on.
            m_server.pauseAccepting();
            resumeSoon();
            return;
        }
        HttpRoom room;
        room.step = HttpRoom::Step::PushOut;
        if (placesTaken(nullptr) >= m_limits.maxConnections) {
            Connection *victim = nullptr;
            room = makeRoom(nullptr, &victim);
            if (room.step == HttpRoom::Step::Wait) {
                // What the client sends meanwhile waits for it.
                m_server.pauseAccepting();
                if (room.waitMs == HttpRoom::kUntilAnswered)
                    m_waitsForAnswer = true;
                else
                    m_roomTimer.start(int(qMax<qint64>(1, room.waitMs)));
                return;
            }
            if (victim)
                pushOut(victim);
        }
        QTcpSocket *socket = m_server.nextPendingConnection();
        if (!socket)
            break;
        if (m_takenThisTurn++ == 0) {
            QMetaObject::invokeMethod(
                this, [this]() { m_takenThisTurn = 0; }, Qt::QueuedConnection);
        }
        if (socket->state() != QAbstractSocket::ConnectedState) {
            // The client ended its side while it waited for a place, and the
            // socket closed before it was ours: nobody is left to answer.
            socket->deleteLater();
            continue;
        }
        auto *c = new Connection(socket, m_limits.maxBody, this);
        m_connections.insert(c);
        socket->setReadBufferSize(kReadChunk);
        connect(socket, &QTcpSocket::readyRead, c, [this, c]() { process(c); });
        connect(socket, &QTcpSocket::bytesWritten, c, [this, c]() { onBytesWritten(c); });
        connect(socket, &QTcpSocket::disconnected, c, [this, c]() { drop(c); });
        connect(&c->timer, &QTimer::timeout, c, [this, c]() { onTimeout(c); });
        if (room.step == HttpRoom::Step::Refuse) {
            // Every place holds a request: the client hears that the
            // listener is busy, and the connection closes once it has.
            fail(c, 503);
            continue;
        }
        c->overLimit = room.step == HttpRoom::Step::Hear;
        c->placed.start();
        awaitRequest(c);
        process(c);
    }
    if (m_connections.size() >= 2 * qsizetype(m_limits.maxConnections))
        m_server.pauseAccepting();
}

qint64 HttpListener::heldBytes() const
{
    qint64 held = 0;
    for (const Connection *c : m_connections)
        held += c->socket->bytesAvailable() + c->parser.heldBytes();
    const QList<QTcpSocket *> waiting =
        m_server.findChildren<QTcpSocket *>(Qt::FindDirectChildrenOnly);
    for (const QTcpSocket *socket : waiting)
        held += socket->bytesAvailable();
    return held;
}

qint64 HttpListener::heldBytesBound() const
{
    // A connection holds what its socket read ahead (a chunk), the rest of
    // a read chunk the parser has not read yet (a head's line at most, and
    // a chunk), the head read; the places their bodies besides.
    constexpr qint64 kPiece = 2 * kReadChunk + 2 * HttpRequestParser::kMaxHeadBytes;
    const qint64 connections = 2 * qint64(m_limits.maxConnections) + kTakenPerTurn;
    return qint64(m_limits.maxConnections) * m_limits.maxBody + connections * kPiece;
}

int HttpListener::openCount() const
{
    return int(m_connections.size()) - m_closingCount;
}

int HttpListener::placesTaken(const Connection *except) const
{
    int taken = 0;
    for (const Connection *c : m_connections) {
        if (c != except && !c->closing && !c->waitsForPlace)
            ++taken;
    }
    return taken;
}

void HttpListener::awaitRequest(Connection *c)
{
    // Its grace time is not started again: between its requests a
    // connection that was answered owes its client nothing, and a client
    // that keeps it open would otherwise never give way.
    c->since.start();
    c->heard.start();
    c->progress = HttpProgress::None;
    c->progressStamp = ++m_nextStamp;
    c->headRead = false;
    c->timer.start(qMin(m_limits.headTimeoutMs, m_limits.readTimeoutMs));
}

bool HttpListener::mayPushOut(const Connection *c) const
{
    // A closing connection or one whose answer has not left yet still
    // owes its client an answer.
    return !c->gone && c->requestId == 0 && !c->closing && c->socket->bytesToWrite() == 0;
}

HttpRoom HttpListener::makeRoom(const Connection *newcomer, Connection **victim)
{
    // What a client sent is read before the choice: a request that has
    // come whole waits for its answer, and a part of one makes the
    // connection one that sends.
    const QList<Connection *> connections = m_connections.values();
    for (Connection *c : connections) {
        if (c != newcomer && !c->settling && !c->waitsForPlace && mayPushOut(c) && hasUnread(c))
            c->socket->waitForReadyRead(0);
    }
    QList<HttpPlace> places;
    QList<Connection *> held;
    for (Connection *c : std::as_const(m_connections)) {
        if (c == newcomer || c->settling || c->closing || c->waitsForPlace)
            continue;
        HttpPlace place;
        place.progress = progressOf(c);
        place.movable = mayPushOut(c);
        // Bytes that came and are not read yet are not silence.
        place.quietMs = hasUnread(c) ? 0 : c->heard.elapsed();
        place.ageMs = c->placed.elapsed();
        place.stamp = c->progressStamp;
        places.append(place);
        held.append(c);
    }
    const HttpRoom room = MakeRoom(places, newcomer ? progressOf(newcomer) : HttpProgress::None,
                                   m_limits.quietGraceMs, m_limits.silenceMs);
    *victim =
        room.step == HttpRoom::Step::PushOut && room.place >= 0 ? held.at(room.place) : nullptr;
    return room;
}

void HttpListener::settle(Connection *c)
{
    const bool waited = c->waitsForPlace;
    c->overLimit = false;
    c->waitsForPlace = false;
    if (placesTaken(c) < m_limits.maxConnections) {
        c->placed.start(); // a place came free meanwhile
        if (waited)
            startReading(c);
        return;
    }
    Connection *victim = nullptr;
    c->settling = true;
    const HttpRoom room = makeRoom(c, &victim);
    c->settling = false;
    if (c->closing || c->gone)
        return;
    if (victim) {
        pushOut(victim);
        c->placed.start();
        if (waited)
            startReading(c);
        return;
    }
    if (room.step == HttpRoom::Step::Wait) {
        c->overLimit = true;
        c->waitsForPlace = true;
        // Not read while it waits, its client is not the one that is
        // slow: its time to send stops, and the wait has a bound of its
        // own. A place comes free within the answer time (each waits for
        // an answer that comes within it, or may go silent before).
        if (!waited)
            c->timer.start(m_limits.answerTimeoutMs + closingWaitMs());
        if (room.waitMs == HttpRoom::kUntilAnswered) {
            m_waitsForAnswer = true;
            return;
        }
        const int waitMs = int(qBound(qint64(1), room.waitMs, qint64(m_limits.silenceMs)));
        if (!m_placeTimer.isActive() || m_placeTimer.remainingTime() > waitMs)
            m_placeTimer.start(waitMs);
        return;
    }
    fail(c, 503);
}

void HttpListener::startReading(Connection *c)
{
    c->since.start();
    c->heard.start();
    c->timer.start(c->headRead ? m_limits.readTimeoutMs
                               : qMin(m_limits.headTimeoutMs, m_limits.readTimeoutMs));
}

void HttpListener::readWhatCame(Connection *c)
{
    for (;;) {
        const qint64 before = c->readTotal;
        if (c->socket->bytesAvailable() == 0)
            c->socket->waitForReadyRead(0);
        process(c);
        if (c->gone || c->closing || c->requestId != 0 || c->waitsForPlace ||
            c->readTotal == before || !hasUnread(c))
            return;
    }
}

void HttpListener::settleWaiting()
{
    QList<Connection *> waiting;
    for (Connection *c : std::as_const(m_connections)) {
        if (c->waitsForPlace)
            waiting.append(c);
    }
    std::sort(waiting.begin(), waiting.end(), [](const Connection *a, const Connection *b) {
        return a->progressStamp < b->progressStamp;
    });
    for (Connection *c : std::as_const(waiting)) {
        if (c->gone || !c->waitsForPlace)
            continue;
        settle(c);
        if (c->waitsForPlace || c->closing || c->gone)
            continue;
        // Its client had no reason to send while it was not read.
        c->heard.start();
        process(c);
    }
}

void HttpListener::pushOut(Connection *c)
{
    // Its client hears that it may send its request again, also one that
    // has sent nothing yet: its request may be on the way.
    fail(c, 503);
}

HttpProgress HttpListener::progressOf(const Connection *c) const
{
    if (c->parser.state() == HttpRequestParser::State::Complete)
        return HttpProgress::Whole;
    if (c->parser.headComplete())
        return HttpProgress::Head;
    if (c->parser.requestLineComplete())
        return HttpProgress::RequestLine;
    if (c->parser.started() || hasUnread(c))
        return HttpProgress::Bytes;
    return HttpProgress::None;
}

void HttpListener::noteProgress(Connection *c)
{
    const HttpProgress progress = progressOf(c);
    if (progress > c->progress) {
        c->progress = progress;
        c->progressStamp = ++m_nextStamp;
    }
}

bool HttpListener::hasUnread(const Connection *c) const
{
    if (c->socket->bytesAvailable() > 0)
        return true;
#ifdef Q_OS_UNIX
    int unread = 0;
    return ::ioctl(int(c->socket->socketDescriptor()), FIONREAD, &unread) == 0 && unread > 0;
#else
    return false;
#endif
}

void HttpListener::process(Connection *c)
{
    if (c->inProcess)
        return; // the loop below goes on by itself
    c->inProcess = true;
    while (!c->gone) {
        if (c->closing) {
            // Whatever the client still sends is read past.
            const QByteArray rest = readSome(c->socket);
            c->readTotal += rest.size();
            c->discarded += rest.size();
            if (c->discarded > kMaxDiscard)
                c->socket->abort();
            if (rest.isEmpty())
                break;
            continue;
        }
        if (c->requestId != 0 || c->waitsForPlace || c->socket->bytesToWrite() > kMaxUnsent)
            break;
        HttpRequestParser::State state = c->parser.state();
        if (state == HttpRequestParser::State::Incomplete) {
            const QByteArray bytes = readSome(c->socket);
            if (bytes.isEmpty()) {
                const HttpRequest &head = c->parser.request();
                if (c->parser.headComplete() && !c->continueSent && head.expectsContinue()) {
                    c->continueSent = true;
                    c->heard.start();
                    c->socket->write("HTTP/1.1 100 Continue\r\n\r\n");
                }
                break;
            }
            c->heard.start();
            c->readTotal += bytes.size();
            state = c->parser.feed(bytes);
            noteProgress(c);
        }
        if (!c->headRead && c->parser.headComplete()) {
            // The head came in time; the body has what is left of the read time.
            c->headRead = true;
            c->timer.start(qMax<qint64>(0, m_limits.readTimeoutMs - c->since.elapsed()));
        }
        if (c->overLimit && state != HttpRequestParser::State::Failed) {
            // Asked again with how far its request has come.
            settle(c);
            if (c->closing)
                continue;
            if (c->waitsForPlace)
                break;
        }
        if (state == HttpRequestParser::State::Failed) {
            fail(c, c->parser.errorStatus());
            break;
        }
        if (state != HttpRequestParser::State::Complete)
            continue;

        // The answer has its own time.
        c->timer.start(m_limits.answerTimeoutMs);
        const HttpRequest request = c->parser.takeRequest();
        c->continueSent = false;
        c->keepAlive = request.keepAlive();
        if (request.method != "POST") {
            fail(c, 405, "Allow: POST\r\n");
            break;
        }
        c->requestId = ++m_nextId;
        m_waiting.insert(c->requestId, c);
        if (m_onRequest)
            m_onRequest(c->requestId, request);
    }
    c->inProcess = false;
}

bool HttpListener::respond(quint64 id, int status, QByteArrayView contentType, QByteArrayView body)
{
    Connection *c = m_waiting.take(id);
    if (!c || c->gone)
        return false;
    c->requestId = 0;
    c->socket->write(HttpResponse(status, contentType, body, c->keepAlive));
    if (!c->keepAlive) {
        closeGracefully(c);
        return true;
    }
    // The next request on this connection gets its own time.
    awaitRequest(c);
    process(c);
    return true;
}

void HttpListener::onBytesWritten(Connection *c)
{
    if (c->closing) {
        if (!c->halfClosed && c->socket->bytesToWrite() == 0)
            closeGracefully(c);
        return;
    }
    process(c);
    if (m_waitsForAnswer && !c->gone && mayPushOut(c)) {
        // Its answer has left: those waiting for a place are asked again.
        m_waitsForAnswer = false;
        m_roomTimer.start(0);
    }
}

void HttpListener::onTimeout(Connection *c)
{
    if (c->gone)
        return;
    if (c->requestId != 0) {
        if (m_onExpired)
            m_onExpired(c->requestId);
        if (!c->gone && c->requestId != 0)
            fail(c, 503);
        return;
    }
    if (c->closing) {
        // What came meanwhile is read first. A client that still sends the
        // request it began, as one does that reads only once it has written
        // it, gets another wait, within the read time: cut off, it would
        // not read the answer waiting for it.
        process(c);
        if (c->gone)
            return;
        // An answer the system had not taken whole yet (the thread was too
        // busy to hand it over, or its client reads slowly) is handed to it
        // now, and its client gets another wait to read it, within the
        // answer time: a reset would throw it away.
        const bool unsent = c->socket->bytesToWrite() > 0;
        if (unsent)
            c->socket->flush();
        if (c->gone)
            return;
        const qint64 closingMs = c->closingSince.elapsed();
        if ((c->discarded > c->discardedBefore && closingMs < m_limits.readTimeoutMs) ||
            (unsent && closingMs < m_limits.answerTimeoutMs)) {
            c->discardedBefore = c->discarded;
            c->timer.start(closingWaitMs());
            return;
        }
        c->socket->abort();
        return;
    }
    if (c->waitsForPlace) {
        // Every place stayed taken for longer than an answer takes: the
        // listener is busy, its client was not slow.
        fail(c, 503);
        return;
    }
    // What the client sent before its time ran out counts, read or not: on
    // a busy machine the thread may not have come round to read it. A
    // request that came whole is handed on and answered.
    const bool behind = hasUnread(c);
    readWhatCame(c);
    if (c->gone || c->closing || c->requestId != 0 || c->waitsForPlace)
        return;
    if (!c->parser.started()) {
        // One that never sent a byte of a request: nothing to answer.
        c->socket->abort();
        return;
    }
    // Its bytes were still waiting to be read: the listener was behind,
    // not the client. It gets another wait, and more while the listener
    // stays behind, within twice the read time.
    if (behind && c->since.elapsed() < 2 * qint64(m_limits.readTimeoutMs)) {
        c->timer.start(closingWaitMs());
        return;
    }
    fail(c, 408);
}

void HttpListener::fail(Connection *c, int status, QByteArrayView extraHeaders)
{
    if (c->requestId != 0) {
        m_waiting.remove(c->requestId);
        c->requestId = 0;
    }
    // What came of the request goes at once, not when the client has read
    // the answer and closed.
    c->parser = HttpRequestParser(m_limits.maxBody);
    c->waitsForPlace = false;
    m_trimTimer.start(kTrimAfterMs);
    const QByteArray text = HttpReason(status) + '\n';
    c->socket->write(HttpResponse(status, "text/plain; charset=utf-8", text, false, extraHeaders));
    closeGracefully(c);
}

void HttpListener::closeGracefully(Connection *c)
{
    if (!c->closing) {
        c->closing = true;
        ++m_closingCount;
        c->closingSince.start();
        c->discardedBefore = c->discarded;
        c->timer.start(closingWaitMs());
        // Its place came free: a connection waiting for one takes it.
        resumeSoon();
    }
    if (c->socket->bytesToWrite() > 0)
        return; // onBytesWritten comes back here
#ifdef Q_OS_UNIX
    if (!c->halfClosed) {
        c->halfClosed = true;
        ::shutdown(static_cast<int>(c->socket->socketDescriptor()), SHUT_WR);
    }
    process(c);
#else
    c->socket->disconnectFromHost();
#endif
}

void HttpListener::drop(Connection *c)
{
    if (c->gone)
        return;
    c->gone = true;
    c->timer.stop();
    m_connections.remove(c);
    if (c->closing)
        --m_closingCount;
    // A place came free: the clients waiting in the system's queue come in.
    resumeSoon();
    const quint64 id = c->requestId;
    if (id != 0) {
        m_waiting.remove(id);
        c->requestId = 0;
        if (m_onGone)
            m_onGone(id);
    }
    c->socket->disconnect(c);
    c->deleteLater();
    m_trimTimer.start(kTrimAfterMs);
}
