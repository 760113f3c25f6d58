#pragma once
// An HTTP/1.1 server for SOAP requests: takes POST requests on its port and
// hands each whole request to a handler, which answers it later, from the
// same thread, by its id. The DMS listener of the main window and the
// stand-in DMS build on it.
//
// No client can hold the program: the head of a request must have come
// within a short time and the whole request within the read time limit
// (408, or a silent close when not a byte came), its body is bounded (413),
// malformed HTTP is answered with 400. Those times count only while the
// listener reads the connection, and only against a client slow to send:
// what came before a time ran out is read before it is judged (a whole
// request is answered), a client whose bytes still waited to be read (a
// busy thread) gets more time, within twice the read time, and one that
// waits beyond the places unread has its time again once it has a place
// (its wait is bounded by the answer time: then 503).
// A connection keeps its place for a short grace time after it took it, whatever new connections
// come and send meanwhile: a client that connects and then writes its request is served however
// many strangers come after it. An answer does not start that time again: between its requests a
// connection kept open owes its client nothing, and gives way as any other, however often it was
// answered. Past that time, when every
// place is taken, a new connection gets the place of one that owes its
// client nothing (no request waiting for its answer, no answer still
// leaving; a request that has come is read first) by the rule of MakeRoom:
// a place whose client has gone silent gives way first, whatever part of
// its request it has sent, so that a stranger holds a place only while it
// keeps sending; otherwise the place whose request has come least far
// gives way, and only to a connection whose request has come further (a
// whole request line outranks bytes of one, a whole head a request line, a
// whole request a head; bytes that bring a request no further earn
// nothing), so that neither idle nor slow clients, nor strangers that
// connect and reconnect or send a byte now and then without end, can keep
// out or push out a real request. Until a place may give way the new
// client waits (also while every place waits for its answer, which comes
// within the answer time): in the system's queue while it has not been
// heard, where what it sends waits for it; beyond the places, its body
// unread (and without "100 Continue"), once its head has come whole. A
// connection that
// gives way hears that the listener is busy (503), as does a new one that
// finds no place it may take, and both can read it before the connection
// closes: none is cut off with a reset, nor while it still sends the
// request it began (within the read time), nor before the system has taken
// its answer whole (within the answer time).
// A whole request counts as the body of its place while it waits for its
// answer (its connection reads nothing more meanwhile): a handler that
// keeps its bytes, and no more, stays within the bound.
// A connection that is answered with an error keeps nothing of its request
// while it closes, so the bodies held are those of the places at most; a
// connection without a place holds no more than a piece of its request
// (HttpListener::heldBytesBound()).
// Closing connections hold as many places again; beyond them new clients
// wait in the system's queue. New clients are taken a few at a time in
// each turn of the thread's loop, so that a flood of them cannot hold the
// thread.
// A connection whose
// request waits for its answer reads nothing more; a client that leaves
// while its request waits is reported to the gone handler, and its answer
// goes nowhere.
// A request is not left waiting for its answer without end either: when
// its time is up, the expiry handler answers it, or the listener does with
// 503.
// Connections are kept open between requests unless the client says
// otherwise; answers leave in the order the requests came.

#include "platform/HttpRequestParser.h"

#include <QHash>
#include <QHostAddress>
#include <QObject>
#include <QSet>
#include <QTcpServer>
#include <QTimer>

#include <functional>

struct HttpLimits
{
    // Bytes of a request body.
    qsizetype maxBody = HttpRequestParser::kDefaultMaxBody;
    // Milliseconds the head of a request may take to come whole, counted
    // from the connection or from the last answer on it: a DMS sends its
    // head at once, and a connection that sends none is held for no longer.
    int headTimeoutMs = 2000;
    // Milliseconds a request may take to come whole, counted as the head's
    // time; also how long a closing connection waits for its client to read
    // the answer (2 s at most), and how long it reads what its client still
    // sends of its request.
    int readTimeoutMs = 10000;
    // Milliseconds a whole request may wait for its answer. A DMS gives up
    // after half a minute: it hears before that.
    int answerTimeoutMs = 25000;
    // Connections at once, closing ones aside. One more takes a place as
    // MakeRoom says; when none may give way to it, the new one is answered
    // with 503 and closed.
    int maxConnections = 64;
    // Milliseconds a connection keeps its place, whatever new connections
    // come and send: the time a client has to begin its request, however
    // many connect after it. One that has sent nothing by then gives way.
    int quietGraceMs = 250;
    // Milliseconds after which a connection that has begun a request and
    // sends no more (nor waits for its answer) counts as silent and gives
    // its place to any new connection. Counted from the last bytes that came
    // or "100 Continue" went: a DMS writes its body at once after its head
    // or after that answer.
    static constexpr int kSilenceMs = 1000;
    int silenceMs = kSilenceMs;
};

// How far the current request of a connection has come.
enum class HttpProgress
{
    None,        // not a byte since it connected or had its last answer
    Bytes,       // bytes, but not a whole request line
    RequestLine, // the request line, not the whole head
    Head,        // the whole head, its body still coming
    Whole,       // the whole request
};

// A place of the listener as the choice of who makes room for a new
// connection sees it.
struct HttpPlace
{
    HttpProgress progress = HttpProgress::None;
    // Owes its client nothing: no request of it waits for its answer, no
    // answer is still leaving, and it is not closing.
    bool movable = true;
    // Milliseconds since its client last sent bytes, or since it connected,
    // had its last answer or was told to send its body ("100 Continue").
    qint64 quietMs = 0;
    // Milliseconds since it took its place (connected, or came to one from
    // beyond the places; not since its last answer): within the grace time
    // it keeps it, whatever comes.
    qint64 ageMs = 0;
    // When its request came as far as it has, or when it connected or had
    // its last answer while it has sent nothing; smaller is earlier. Bytes
    // that bring the request no further leave it.
    quint64 stamp = 0;
};

// What becomes of a new connection when every place is taken.
struct HttpRoom
{
    enum class Step
    {
        PushOut, // `place` gives up its place to it
        Wait,    // it waits, `waitMs` at most: in the system's queue when not
                 // heard yet, else beyond the places with its body unread
        Hear,    // it is taken beyond the places until it sends; then it
                 // is asked again with how far its request has come
        Refuse,  // it hears that the listener is busy (503)
    };
    // waitMs of a wait until a place owes its client nothing: every place
    // waits for its answer, or is still sending it.
    static constexpr qint64 kUntilAnswered = -1;
    Step step = Step::Refuse;
    int place = -1;
    qint64 waitMs = 0;
};

// A movable place that has gone silent gives way first: one that has sent
// nothing once quiet for graceMs, one that has begun its request once quiet
// for silenceMs; the one come least far of them, the earliest first.
// Otherwise no place gives way within its grace time (graceMs from when it
// took its place); past it, the movable place whose request has come least
// far gives way, the earliest of them first, to a new connection whose
// request has come further. A new connection not heard yet waits while a
// place that has sent nothing is in its grace time, else it is heard first;
// one whose head has come whole waits until a place may go silent or leave
// its grace time; one that has sent less waits only for a grace time to
// end. With no place movable, each owing its client an answer (which leaves
// within the answer time), a new connection not heard yet or whose head has
// come waits until an answer has left (kUntilAnswered). Otherwise the new
// connection is refused.
HttpRoom MakeRoom(const QList<HttpPlace> &places, HttpProgress newcomer, qint64 graceMs,
                  qint64 silenceMs);

class HttpListener : public QObject
{
    Q_OBJECT
public:
    using RequestHandler = std::function<void(quint64 id, const HttpRequest &request)>;
    using GoneHandler = std::function<void(quint64 id)>;
    using ExpiredHandler = std::function<void(quint64 id)>;

    explicit HttpListener(QObject *parent = nullptr);
    ~HttpListener() override;

    void setLimits(const HttpLimits &limits) { m_limits = limits; }
    const HttpLimits &limits() const { return m_limits; }
    // Called for every whole POST request; the handler answers it by respond().
    void setRequestHandler(RequestHandler handler) { m_onRequest = std::move(handler); }
    // Called when the client of an unanswered request has gone.
    void setGoneHandler(GoneHandler handler) { m_onGone = std::move(handler); }
    // Called when a request has waited for its answer as long as it may;
    // the handler answers it by respond(). One it leaves unanswered gets 503.
    void setExpiredHandler(ExpiredHandler handler) { m_onExpired = std::move(handler); }

    // Port 0 takes a free port (see port()).
    bool listen(const QHostAddress &address, quint16 port);
    // Stops listening and drops every connection, answered or not.
    void close();
    bool isListening() const { return m_server.isListening(); }
    quint16 port() const { return m_server.serverPort(); }
    QString errorString() const { return m_server.errorString(); }
    QAbstractSocket::SocketError serverError() const { return m_server.serverError(); }
    int connectionCount() const { return static_cast<int>(m_connections.size()); }
    // The bytes of its clients' requests it holds: what its sockets have
    // read and its connections keep of their requests.
    qint64 heldBytes() const;
    // What it may hold at most: a body for each place, and for every
    // connection, taken or not yet, a piece of a request as it is read.
    qint64 heldBytesBound() const;

    // Answers the request with that id. False when it was answered already
    // or its client has gone.
    bool respond(quint64 id, int status, QByteArrayView contentType, QByteArrayView body);

private:
    class Connection;
    // Connections the system has handed over wait in the server's own queue
    // until the listener takes them; meanwhile each reads no more than a
    // chunk ahead.
    class Server : public QTcpServer
    {
    protected:
        void incomingConnection(qintptr handle) override;
    };

    void onNewConnection();
    // A new request may come on the connection: its time starts now.
    void awaitRequest(Connection *c);
    // MakeRoom for a new connection over the places other than `newcomer`
    // (null: one not taken yet); sets *victim for Step::PushOut.
    HttpRoom makeRoom(const Connection *newcomer, Connection **victim);
    // A connection taken beyond the places has sent: it takes a place now,
    // waits beyond them for one, or hears that the listener is busy.
    void settle(Connection *c);
    // The connections waiting for a place are asked again, earliest first.
    void settleWaiting();
    // A connection that waited for a place has one: the time its client
    // has to send starts now.
    void startReading(Connection *c);
    // Reads what its client sent up to now, what the system holds for it
    // included, as far as the connection reads.
    void readWhatCame(Connection *c);
    // Places held, connections closing and waiting for a place aside.
    int placesTaken(const Connection *except) const;
    // The connection gives up its place to a new one.
    void pushOut(Connection *c);
    // How far the connection's request has come, bytes not read yet
    // counted as bytes.
    HttpProgress progressOf(const Connection *c) const;
    // After bytes were read: a request that came further is stamped anew.
    void noteProgress(Connection *c);
    // The server takes new connections again in the next turn of the loop.
    void resumeSoon();
    bool mayPushOut(const Connection *c) const;
    // The client sent bytes not read yet.
    bool hasUnread(const Connection *c) const;
    // Connections not closing: the places the limit counts.
    int openCount() const;
    void process(Connection *c);
    void onTimeout(Connection *c);
    void onBytesWritten(Connection *c);
    // Answers with an error status and closes the connection.
    void fail(Connection *c, int status, QByteArrayView extraHeaders = {});
    // Closes once the answer has left, after the client had the chance to
    // read it: the sending side is shut first, and what the client still
    // sends is read and thrown away until it closes or the time is up.
    void closeGracefully(Connection *c);
    // How long a closing connection waits for its client to close, and
    // again while its client still sends.
    int closingWaitMs() const { return qMin(m_limits.readTimeoutMs, 2000); }
    void drop(Connection *c);

    Server m_server;
    HttpLimits m_limits;
    RequestHandler m_onRequest;
    GoneHandler m_onGone;
    ExpiredHandler m_onExpired;
    QSet<Connection *> m_connections;
    QHash<quint64, Connection *> m_waiting; // unanswered requests by id
    quint64 m_nextId = 0;
    quint64 m_nextStamp = 0; // orders the connections by when their requests came on
    int m_takenThisTurn = 0; // new connections taken in this turn of the loop
    int m_closingCount = 0;
    bool m_resumeQueued = false;
    // A new connection waits until an answer has left.
    bool m_waitsForAnswer = false;
    // Brings in the client waiting in the system's queue once a silent
    // place has had its time.
    QTimer m_roomTimer;
    // Asks the connections waiting for a place again once one may have gone
    // silent.
    QTimer m_placeTimer;
    // Gives the memory of the requests let go back to the system once no
    // more have gone for a while (after a flood).
    QTimer m_trimTimer;
};
