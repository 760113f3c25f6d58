#pragma once
// One HTTP/1.1 POST on a connection of its own, sent exactly once. A request
// to the DMS may change its data (a transfer books positions), so a lost
// answer must reach the caller as a failure: nothing here connects again or
// sends the request a second time, whatever the server does (closing before
// it answers, resetting the connection). The answer is read within the
// bounds of HttpResponseParser, for every transfer coding, and the whole
// exchange within the time limit. Meanwhile a local event loop keeps the
// windows painted but takes no user input.

#include "platform/HttpResponseParser.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

class QUrl;

class HttpPost
{
public:
    enum class Outcome
    {
        Answered,     // answer() holds a whole answer (of any status)
        Refused,      // the server refused the connection
        NetworkError, // no connection, or it failed (errorString() says why)
        TimedOut,     // no whole answer within the time limit
        Unreadable,   // the answer broke off, was too large or not HTTP (answer().error())
        Interrupted,  // the thread's event loops were ended from outside (a cancel)
    };

    explicit HttpPost(qsizetype maxAnswerBytes) : m_answer(maxAnswerBytes) {}

    // Posts the body to the http or https URL with the headers given (Host,
    // Content-Length and "Connection: close" are written here) and waits
    // for the answer. Call once per object.
    Outcome exec(const QUrl &url, const QList<QPair<QByteArray, QByteArray>> &headers,
                 const QByteArray &body, int timeoutMs);

    const HttpResponseParser &answer() const { return m_answer; }
    QString errorString() const { return m_error; }
    // The request was handed to a connection with the server: from then on
    // the server may have it, whatever became of the answer. False when no
    // connection came about (the name not resolved, the connection refused,
    // no time left to connect).
    bool requestSent() const { return m_sent; }

private:
    HttpResponseParser m_answer;
    QString m_error;
    bool m_sent = false;
};
