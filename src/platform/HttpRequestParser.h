#pragma once
// Reading HTTP/1.x requests from the bytes of one connection, as the DMS
// listener and the stand-in DMS receive them. The parser is fed what the
// socket delivers, in pieces of any size, and says when a whole request has
// come or why the bytes cannot be one (with the HTTP status to answer).
// Everything it keeps is bounded: the request head by kMaxHeadBytes, the body
// by the limit given, so that a client cannot make the program hold more.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QPair>
#include <QString>

struct HttpRequest
{
    QByteArray method;
    QByteArray target;
    int minorVersion = 1; // HTTP/1.<minorVersion>
    // In the order sent; names as sent, values without surrounding blanks.
    QList<QPair<QByteArray, QByteArray>> headers;
    QByteArray body;

    // The first header of that name (compared without case); empty when none.
    QByteArray header(QByteArrayView name) const;
    // Whether the client keeps the connection open for another request.
    bool keepAlive() const;
    // Whether the client waits for "100 Continue" before it sends the body.
    bool expectsContinue() const;
};

class HttpRequestParser
{
public:
    static constexpr qsizetype kDefaultMaxBody = 1024 * 1024;
    // Request line and header lines together (and the trailers of a chunked
    // body): more is answered with 431.
    static constexpr qsizetype kMaxHeadBytes = 16 * 1024;
    static constexpr int kMaxHeaders = 100;

    enum class State
    {
        Incomplete, // more bytes are needed
        Complete,   // request() holds a whole request
        Failed,     // errorStatus() says what to answer; the connection ends
    };

    explicit HttpRequestParser(qsizetype maxBody = kDefaultMaxBody);

    // Takes the next bytes of the connection and reads as far as they go.
    // Once a request is complete, further bytes are only kept (the next
    // request of the connection) until takeRequest().
    State feed(QByteArrayView bytes);
    State state() const { return m_state; }
    // Whether the head of the current request has been read (the body may
    // still be coming).
    bool headComplete() const;
    // Whether the request line of the current request has been read.
    bool requestLineComplete() const;
    // Whether any byte of the current request has come.
    bool started() const;
    // 400, 413, 431, 501 or 505 once the state is Failed; the parser then
    // holds nothing of the request any more.
    int errorStatus() const { return m_errorStatus; }
    const HttpRequest &request() const { return m_request; }
    // Hands out the complete request and goes on with the bytes after it.
    HttpRequest takeRequest();
    // The memory of what it keeps: the bytes not read yet, the head read
    // and the body's buffer.
    qsizetype heldBytes() const;

private:
    enum class Phase
    {
        RequestLine,
        Headers,
        Body,
        ChunkSize,
        ChunkData,
        ChunkDataEnd,
        Trailers,
        Done,
    };

    void parse();
    // The next line without its end (LF or CRLF); false when it has not
    // fully come. Fails the request when the line is too long or holds a
    // bare CR or a NUL.
    bool nextLine(QByteArray *line, qsizetype maxLength, int tooLongStatus);
    bool fail(int status);
    bool parseRequestLine(const QByteArray &line);
    bool parseHeaderLine(const QByteArray &line);
    bool startBody();
    // Room for `take` more bytes of the body: the buffer doubles, but never
    // beyond the length announced (or, chunked, the limit).
    void reserveBody(qsizetype take);

    qsizetype m_maxBody;
    QByteArray m_buffer; // bytes not yet read
    qsizetype m_pos = 0;
    State m_state = State::Incomplete;
    Phase m_phase = Phase::RequestLine;
    int m_errorStatus = 0;
    HttpRequest m_request;
    qsizetype m_headBytes = 0;
    qsizetype m_remaining = 0; // body or chunk bytes still to come
};

// The text of a message body: decoded by the charset of the Content-Type,
// else by the encoding of the XML declaration, else as UTF-8; a byte-order
// mark decides before either.
QString HttpBodyText(QByteArrayView contentType, QByteArrayView body);
// The text of an HTML document fetched from a server: a byte-order mark
// decides, else the charset of the answer's Content-Type, else the charset
// the page declares (<meta charset> or http-equiv), else UTF-8, as a local
// page is read. A charset nothing here can decode counts as none.
QString HtmlBodyText(QByteArrayView contentType, QByteArrayView body);

// A whole HTTP/1.1 response. Content-Length is always set; "Connection:
// close" when keepAlive is false.
QByteArray HttpResponse(int status, QByteArrayView contentType, QByteArrayView body, bool keepAlive,
                        QByteArrayView extraHeaders = {});
// The reason phrase of the statuses the listeners answer with.
QByteArray HttpReason(int status);
