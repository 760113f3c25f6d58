#pragma once
// Reading the HTTP/1.x answer to one request, as the SOAP client receives it
// from the DMS. The parser is fed what the socket delivers, in pieces of any
// size, and says when the answer is whole or why the bytes cannot be one.
// Everything it keeps or reads is bounded, whatever the transfer coding: the
// head by kMaxHeadBytes, the body by the limit given (at once when a length
// says more), and the chunk lines and trailers of a chunked body together by
// both limits added, so that a peer streaming without end is stopped at the
// bound instead of filling the memory.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QPair>

class HttpResponseParser
{
public:
    // Status line and header lines together, and the trailers.
    static constexpr qsizetype kMaxHeadBytes = 16 * 1024;
    static constexpr int kMaxHeaders = 100;
    // Interim answers ("100 Continue") read past before the final one.
    static constexpr int kMaxInterim = 8;

    enum class State
    {
        Incomplete, // more bytes are needed
        Complete,   // status(), the headers and body() hold the answer
        Failed,     // error() says why; the connection is to be dropped
    };
    enum class Error
    {
        None,
        Malformed, // not an HTTP/1.x answer, or one framed in a way not understood
        TooLarge,  // the body (or its framing) goes beyond the bound
        BrokenOff, // the connection ended before the answer was whole
    };

    explicit HttpResponseParser(qsizetype maxBody);

    // Takes the next bytes of the connection and reads as far as they go.
    // Bytes after a whole answer are not read.
    State feed(QByteArrayView bytes);
    // The peer has closed the connection: a body that runs to the close is
    // whole now; any other answer that is not whole has broken off.
    State close();

    State state() const { return m_state; }
    Error error() const { return m_error; }
    // Whether any byte of an answer has come.
    bool started() const { return m_started; }
    // The status of the final answer once its head has come; 0 before.
    int status() const { return m_status; }
    QByteArray reason() const { return m_reason; }
    // The first header of that name (compared without case); empty when none.
    QByteArray header(QByteArrayView name) const;
    // The body; empty once the state is Failed.
    const QByteArray &body() const { return m_body; }

private:
    enum class Phase
    {
        StatusLine,
        Headers,
        Body,        // a length given
        BodyToClose, // neither length nor chunks: the body ends with the connection
        ChunkSize,
        ChunkData,
        ChunkDataEnd,
        Trailers,
        Done,
    };

    void parse();
    bool nextLine(QByteArray *line, qsizetype maxLength, Error tooLong);
    bool fail(Error error);
    bool parseStatusLine(const QByteArray &line);
    bool parseHeaderLine(const QByteArray &line);
    bool startBody();
    bool takeBody(QByteArrayView bytes);

    qsizetype m_maxBody;
    QByteArray m_buffer; // bytes not yet read
    qsizetype m_pos = 0;
    State m_state = State::Incomplete;
    Error m_error = Error::None;
    Phase m_phase = Phase::StatusLine;
    bool m_started = false;
    int m_interim = 0;
    int m_status = 0;
    QByteArray m_reason;
    QList<QPair<QByteArray, QByteArray>> m_headers;
    QByteArray m_body;
    qsizetype m_headBytes = 0;
    qsizetype m_framingBytes = 0; // chunk lines and trailers read
    qsizetype m_remaining = 0;    // body or chunk bytes still to come
};
