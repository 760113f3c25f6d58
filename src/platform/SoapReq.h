#pragma once
// The SOAP client of the DMS requests: posts one request body to the server
// URL and returns the answer text. It waits for the answer in a local event
// loop that keeps the windows painted but takes no input, so the user cannot
// start anything else meanwhile; the time limit bounds the wait.
//
// A request is sent exactly once (HttpPost): an answer that does not come,
// because the server closed the connection or broke off, is reported as a
// failure and never fetched by sending the request again, since the DMS may
// already have booked it. The answer is bounded by kMaxAnswerBytes however
// it is framed.

#include <QString>

class HttpResponseParser;

class CSoapReq
{
public:
    static constexpr int kDefaultTimeoutMs = 30000;
    static constexpr qsizetype kMaxAnswerBytes = 1024 * 1024;

    CSoapReq() = default;

    // The server URL, taken as it is ("https://" works too).
    QString m_strURL;

    // From now on the last request and its answer are written to
    // "SoapRequest.xml" and "SoapResponse.xml" in that folder (an answer
    // that did not come leaves an empty file).
    void ActivateLogging(const QString &folder);

    // Posts the body of a DMS message in its SOAP envelope (Envelope), as
    // UTF-8, with the SOAP action; returns the answer text, empty when no
    // answer came (LastError() says why).
    QString Request(const QString &action, const QString &body);
    // Posts a message that is a whole SOAP envelope already, as it is.
    QString RequestMessage(const QString &action, const QString &message);

    // The SOAP envelope every DMS message travels in, both ways: the XML
    // declaration, "s:Envelope" with its encoding style and namespace, an
    // empty "s:Header" and the body inside "s:Body". Empty for an empty
    // body.
    static QString Envelope(const QString &body);

    // Why the last request brought no answer; empty after an answer.
    QString LastError() const { return m_lastError; }
    // HTTP status of the last answer; 0 when none came.
    int LastStatus() const { return m_lastStatus; }
    // The last request may have reached the server: false only when it
    // surely did not, because it never left this computer (no usable URL,
    // a server name that could not be resolved, the connection refused).
    bool MayHaveArrived() const { return m_mayHaveArrived; }

    void SetTimeout(int milliseconds) { m_timeoutMs = milliseconds; }

    // What the client makes of a whole HTTP answer of the server named by
    // peer: the text of a successful answer, or of a SOAP Fault sent with
    // status 500 (its fault string is what the caller shows); otherwise
    // empty, with the reason in *error.
    static QString AnswerText(const HttpResponseParser &answer, const QString &peer,
                              QString *error);

private:
    void Log(const QString &name, const QByteArray &bytes) const;

    QString m_logFolder;
    QString m_lastError;
    int m_lastStatus = 0;
    bool m_mayHaveArrived = false;
    int m_timeoutMs = kDefaultTimeoutMs;
};
