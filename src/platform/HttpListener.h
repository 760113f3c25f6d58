#pragma once
// An HTTP/1.1 server for SOAP requests: takes POST requests on its port and
// hands each whole request to a handler, which answers it later, from the
// same thread, by its id. The DMS listener of the main window and the
// stand-in DMS build on it.
//
// No client can hold the program: the head of a request must have come
// within a short time and the whole request within the read time limit
// (408, or a silent close when not a byte came), its body is bounded (413),
// malformed HTTP is answered with 400. When every place is taken, a new
// connection pushes out the connection that has sent nothing for longest
// (one without a request waiting for its answer, and with nothing sent
// that is not read yet: a request that has come is read and answered), so
// that idle or slow clients cannot keep a real request out; only when every
// place holds a request waiting for its answer does a new client get 503,
// which it can read before the connection closes. Closing connections hold
// as many places again; beyond them new clients wait in the system's queue.
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
    // the answer.
    int readTimeoutMs = 10000;
    // Milliseconds a whole request may wait for its answer. A DMS gives up
    // after half a minute: it hears before that.
    int answerTimeoutMs = 25000;
    // Connections at once, closing ones aside. One more pushes out the
    // connection idle longest; when every one has a request waiting for its
    // answer, the new one is answered with 503 and closed.
    int maxConnections = 64;
};

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

    // Answers the request with that id. False when it was answered already
    // or its client has gone.
    bool respond(quint64 id, int status, QByteArrayView contentType, QByteArrayView body);

private:
    class Connection;

    void onNewConnection();
    // A new request may come on the connection: its time starts now.
    void awaitRequest(Connection *c);
    // The connection without a request waiting for its answer that has
    // been idle longest; null when there is none.
    Connection *longestIdle();
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
    void drop(Connection *c);

    QTcpServer m_server;
    HttpLimits m_limits;
    RequestHandler m_onRequest;
    GoneHandler m_onGone;
    ExpiredHandler m_onExpired;
    QSet<Connection *> m_connections;
    QHash<quint64, Connection *> m_waiting; // unanswered requests by id
    quint64 m_nextId = 0;
    quint64 m_nextStamp = 0; // orders the connections by when they last sent
    int m_closingCount = 0;
    bool m_resumeQueued = false;
};
