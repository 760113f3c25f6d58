#pragma once
// CWebDb: a session on the application server. Catalogue reads go to the
// catalogue server named by the TNS name, or, without one, to the local
// data set; the session is checked and ended by a small HTTP exchange with
// the application server (described in docs/appserver-session.md).

#include "platform/db/SqlDb.h"

class CWebDb : public CSqlDb
{
public:
    // How long one exchange with the application server may take.
    static constexpr int kTimeoutMs = 15000;
    // The longest answer taken from the application server: session data
    // take a few hundred bytes; a longer answer ends the exchange as failed.
    static constexpr qint64 kMaxAnswerBytes = 1024 * 1024;

    int Open(const QString &tns, const QString &user, const QString &password, int reserved,
             const QString &localDataDir, const QString &appServer,
             const QString &sessionId) override;

    void SetSessionId(const QString &sessionId) { m_strSessionId = sessionId; }
    // How long one exchange may take, kTimeoutMs unless set (tests).
    void SetTimeout(int milliseconds) { m_timeoutMs = milliseconds; }
    const QString &SessionId() const { return m_strSessionId; }
    const QString &AppServer() const { return m_strAppServer; }

    // The session-data XML of the server's answer; empty when the server
    // could not be asked or did not answer 200 (LastResult is Failed then).
    QString CheckSession(const QString &sessionId) override;
    QString EndSession(const QString &sessionId) override;

    // The address of an exchange: the application server (an URL, or
    // host[:port] taken as http) followed by "/yaq2/session/" and the action.
    static QString ExchangeUrl(const QString &appServer, const QString &action);

    // The body of both requests: the form field "sessionid" with the id,
    // application/x-www-form-urlencoded.
    static QByteArray FormBody(const QString &sessionId);

private:
    // dropInput: the adviser's input is dropped while the answer is waited
    // for (the check, asked from the window in use).
    QString Exchange(const QString &action, const QString &sessionId, bool dropInput);

    QString m_strAppServer;
    QString m_strSessionId;
    int m_timeoutMs = kTimeoutMs;
};
