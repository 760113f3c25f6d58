#pragma once
// The stand-in of the dealer platform's agent service and of its broker:
// answers the program's start-up requests ("getBrellDatabase",
// "getBrellDBUserPw", "getCountryCode", "getDealerDataBean" and the
// broker's "getNevaDealerData") from a small set of platform values. The
// agent speaks https (with a certificate handed in), the broker http.
// yaq2-dms agent runs it; the tests run it in-process.

#include "platform/HttpListener.h"

#include <QList>
#include <QObject>
#include <QSslCertificate>
#include <QSslKey>
#include <QString>
#include <QStringList>

#include <memory>

class StandInTlsFront;

struct AgentContract
{
    QString brand;
    QString product; // the broker calls the product "Vehicle" "Car"
};

// What the platform knows. An empty database host or password: the
// platform has none and answers with a Fault; an empty country code: the
// answer carries none.
struct AgentPlatform
{
    QString databaseHost = QStringLiteral("catalogue.dealer.example");
    QString databaseSid = QStringLiteral("YAQ2");
    int databasePort = 1521; // 0: the answer names no port
    QString databasePassword = QStringLiteral("demo-secret");
    QString countryCode = QStringLiteral("DE");
    QList<AgentContract> contracts = {{QStringLiteral("VOQ"), QStringLiteral("Vehicle")},
                                      {QStringLiteral("Lumo"), QStringLiteral("Vehicle")},
                                      {QStringLiteral("Tremik"), QStringLiteral("Parts")}};
};

// Reads "BRAND:PRODUCT" (as the command line gives a contract).
bool ParseAgentContract(const QString &text, AgentContract *contract);

// The answer to a request body in the agent's or the broker's words; the
// method asked goes to *method. *status is 200, or 500 with a Fault for a
// request that is not XML of a known method or asks what the platform does
// not know.
QString StandInAgentAnswer(const QString &request, const AgentPlatform &platform, bool broker,
                           int *status, QString *method);

class StandInAgent : public QObject
{
    Q_OBJECT
public:
    explicit StandInAgent(QObject *parent = nullptr);
    ~StandInAgent() override;

    void setPlatform(const AgentPlatform &platform) { m_platform = platform; }
    // The broker's words (and its port, when the caller listens on it).
    void setBroker(bool broker) { m_broker = broker; }
    // 0: answer at once; more: after that many milliseconds; less than 0:
    // never.
    void setDelay(int milliseconds) { m_delayMs = milliseconds; }
    // Every request gets a Fault: a platform whose service is down.
    void setFailing(bool failing) { m_failing = failing; }
    // Every request is appended to this file (none when empty).
    void setLogFile(const QString &path) { m_logFile = path; }
    // Every request and the answer's status are printed on standard output.
    void setEcho(bool echo) { m_echo = echo; }

    // http on the address and port (0 takes a free one).
    bool listen(const QHostAddress &address, quint16 port);
    // https with the certificate and key: the requests reach the stand-in
    // through a TLS front on the address and port.
    bool listenTls(const QHostAddress &address, quint16 port, const QSslCertificate &certificate,
                   const QSslKey &key);
    quint16 port() const;
    QString errorString() const;

    // The methods asked, oldest first.
    const QStringList &methods() const { return m_methods; }

signals:
    void requestReceived(const QString &method);

private:
    void onRequest(quint64 id, const HttpRequest &request);

    HttpListener m_listener;
    std::unique_ptr<StandInTlsFront> m_tls;
    AgentPlatform m_platform;
    QStringList m_methods;
    bool m_broker = false;
    bool m_failing = false;
    int m_delayMs = 0;
    QString m_logFile;
    bool m_echo = false;
};
