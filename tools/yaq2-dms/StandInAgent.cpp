#include "yaq2-dms/StandInAgent.h"

#include "platform/XmlLimits.h"
#include "platform/XmlNames.h"

#include <QDateTime>
#include <QDomDocument>
#include <QFile>
#include <QPointer>
#include <QSslConfiguration>
#include <QSslServer>
#include <QSslSocket>
#include <QTcpSocket>
#include <QTextStream>
#include <QTimer>
#include <QXmlStreamWriter>

namespace {

constexpr char kEnvelopeNamespace[] = "http://schemas.xmlsoap.org/soap/envelope/";
constexpr char kAgentNamespace[] = "http://localhost:23006/services/UdraAgentService/v2";
constexpr char kBrokerNamespace[] = "http://orva.yaq2.example/brell";

QString ChildText(const QDomElement &parent, const QString &localName)
{
    for (QDomElement e = parent.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        if (XmlLocalName(e) == localName)
            return e.text().trimmed();
    }
    return QString();
}

void StartEnvelope(QXmlStreamWriter &xml)
{
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("soapenv:Envelope"));
    xml.writeAttribute(QStringLiteral("xmlns:soapenv"), QLatin1String(kEnvelopeNamespace));
    xml.writeStartElement(QStringLiteral("soapenv:Body"));
}

QString Fault(const QString &text, int *status)
{
    *status = 500;
    QString out;
    QXmlStreamWriter xml(&out);
    StartEnvelope(xml);
    xml.writeStartElement(QStringLiteral("soapenv:Fault"));
    xml.writeTextElement(QStringLiteral("faultcode"), QStringLiteral("soapenv:Server"));
    xml.writeTextElement(QStringLiteral("faultstring"), text);
    xml.writeEndDocument();
    return out;
}

// The response element of the method, in the service's namespace.
void StartResponse(QXmlStreamWriter &xml, const QString &method, bool broker)
{
    xml.writeStartElement(QStringLiteral("ns2:") + method + QStringLiteral("Response"));
    xml.writeAttribute(QStringLiteral("xmlns:ns2"),
                       QLatin1String(broker ? kBrokerNamespace : kAgentNamespace));
}

void WriteDatabase(QXmlStreamWriter &xml, const AgentPlatform &p)
{
    xml.writeStartElement(QStringLiteral("ns2:return"));
    xml.writeTextElement(QStringLiteral("ns2:ip"), p.databaseHost);
    xml.writeTextElement(QStringLiteral("ns2:sid"), p.databaseSid);
    if (p.databasePort > 0)
        xml.writeTextElement(QStringLiteral("ns2:port"), QString::number(p.databasePort));
    xml.writeEndElement();
}

void WriteContracts(QXmlStreamWriter &xml, const AgentPlatform &p, bool broker)
{
    xml.writeStartElement(QStringLiteral("outlet"));
    for (const AgentContract &c : p.contracts) {
        xml.writeStartElement(QStringLiteral("contract"));
        xml.writeTextElement(QStringLiteral("brand"), c.brand);
        const bool vehicle = c.product.compare(QLatin1String("Vehicle"), Qt::CaseInsensitive) == 0;
        xml.writeTextElement(QStringLiteral("product"),
                             broker && vehicle ? QStringLiteral("Car") : c.product);
        xml.writeEndElement();
    }
    xml.writeEndElement();
}

} // namespace

bool ParseAgentContract(const QString &text, AgentContract *contract)
{
    const int colon = text.indexOf(QLatin1Char(':'));
    if (colon <= 0)
        return false;
    contract->brand = text.left(colon).trimmed();
    contract->product = text.mid(colon + 1).trimmed();
    return !contract->brand.isEmpty();
}

QString StandInAgentAnswer(const QString &request, const AgentPlatform &platform, bool broker,
                           int *status, QString *method)
{
    method->clear();
    QDomDocument doc;
    QString error;
    if (!LoadXmlDocument(request, &doc, &error))
        return Fault(error, status);
    QDomElement call = doc.documentElement();
    if (XmlLocalName(call) == QLatin1String("Envelope")) {
        QDomElement body;
        for (QDomElement e = call.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
            if (XmlLocalName(e) == QLatin1String("Body"))
                body = e;
        }
        call = body.firstChildElement();
    }
    *method = XmlLocalName(call);
    const QString &m = *method;

    QString out;
    QXmlStreamWriter xml(&out);
    StartEnvelope(xml);
    if (m == QLatin1String("getBrellDatabase")) {
        if (platform.databaseHost.isEmpty())
            return Fault(QStringLiteral("No catalogue database is configured."), status);
        StartResponse(xml, m, broker);
        WriteDatabase(xml, platform);
    } else if (m == QLatin1String("getBrellDBUserPw")) {
        // The broker takes no parameters; the agent names the user.
        if (!broker && ChildText(call, QStringLiteral("user")) != QLatin1String("YAQ_CONNECT"))
            return Fault(QStringLiteral("Unknown database user."), status);
        if (platform.databasePassword.isEmpty())
            return Fault(QStringLiteral("No password is configured."), status);
        StartResponse(xml, m, broker);
        xml.writeTextElement(QStringLiteral("getBrellDBUserPwReturn"), platform.databasePassword);
    } else if (m == QLatin1String("getCountryCode")) {
        StartResponse(xml, m, broker);
        if (broker) {
            xml.writeStartElement(QStringLiteral("nevaServerData"));
            if (!platform.countryCode.isEmpty())
                xml.writeTextElement(QStringLiteral("countryCode"), platform.countryCode);
            xml.writeEndElement();
        } else {
            xml.writeTextElement(QStringLiteral("getCountryCodeReturn"), platform.countryCode);
        }
    } else if (m == QLatin1String("getDealerDataBean") && !broker) {
        StartResponse(xml, m, broker);
        xml.writeStartElement(QStringLiteral("getDealerDataBeanReturn"));
        xml.writeStartElement(QStringLiteral("distributionPartner"));
        WriteContracts(xml, platform, broker);
        xml.writeEndElement();
        xml.writeEndElement();
    } else if (m == QLatin1String("getNevaDealerData") && broker) {
        StartResponse(xml, m, broker);
        xml.writeStartElement(QStringLiteral("nevaDealerData"));
        WriteContracts(xml, platform, broker);
        xml.writeEndElement();
    } else {
        return Fault(QStringLiteral("Unknown method \"%1\".").arg(m), status);
    }
    xml.writeEndDocument();
    *status = 200;
    return out;
}

// The https side of the agent: takes the encrypted connections and passes
// their bytes both ways to the stand-in's own http listener on loopback.
class StandInTlsFront : public QObject
{
public:
    bool listen(const QHostAddress &address, quint16 port, const QSslCertificate &certificate,
                const QSslKey &key, quint16 target)
    {
        m_target = target;
        QSslConfiguration config = QSslConfiguration::defaultConfiguration();
        config.setLocalCertificate(certificate);
        config.setPrivateKey(key);
        config.setPeerVerifyMode(QSslSocket::VerifyNone);
        m_server.setSslConfiguration(config);
        m_server.setHandshakeTimeout(5000);
        connect(&m_server, &QTcpServer::pendingConnectionAvailable, this, [this] {
            while (QTcpSocket *client = m_server.nextPendingConnection())
                relay(client);
        });
        return m_server.listen(address, port);
    }
    quint16 port() const { return m_server.serverPort(); }
    QString errorString() const { return m_server.errorString(); }

private:
    void relay(QTcpSocket *client)
    {
        client->setParent(this);
        auto *inner = new QTcpSocket(this);
        QPointer<QTcpSocket> c(client);
        QPointer<QTcpSocket> i(inner);
        connect(client, &QTcpSocket::readyRead, this, [c, i] {
            if (c && i)
                i->write(c->readAll());
        });
        connect(inner, &QTcpSocket::readyRead, this, [c, i] {
            if (c && i)
                c->write(i->readAll());
        });
        // Either side that leaves takes the other with it, once what was
        // written has gone.
        connect(inner, &QTcpSocket::disconnected, this, [c, i] {
            if (c)
                c->disconnectFromHost();
            if (i)
                i->deleteLater();
        });
        connect(client, &QTcpSocket::disconnected, this, [c, i] {
            if (i)
                i->disconnectFromHost();
            if (c)
                c->deleteLater();
        });
        inner->connectToHost(QHostAddress::LocalHost, m_target);
        if (client->bytesAvailable() > 0)
            inner->write(client->readAll());
    }

    QSslServer m_server;
    quint16 m_target = 0;
};

StandInAgent::StandInAgent(QObject *parent) : QObject(parent)
{
    m_listener.setRequestHandler(
        [this](quint64 id, const HttpRequest &request) { onRequest(id, request); });
}

StandInAgent::~StandInAgent() = default;

bool StandInAgent::listen(const QHostAddress &address, quint16 port)
{
    return m_listener.listen(address, port);
}

bool StandInAgent::listenTls(const QHostAddress &address, quint16 port,
                             const QSslCertificate &certificate, const QSslKey &key)
{
    if (!m_listener.listen(QHostAddress::LocalHost, 0))
        return false;
    m_tls = std::make_unique<StandInTlsFront>();
    return m_tls->listen(address, port, certificate, key, m_listener.port());
}

quint16 StandInAgent::port() const
{
    return m_tls ? m_tls->port() : m_listener.port();
}

QString StandInAgent::errorString() const
{
    return m_tls ? m_tls->errorString() : m_listener.errorString();
}

void StandInAgent::onRequest(quint64 id, const HttpRequest &request)
{
    const QString body = HttpBodyText(request.header("Content-Type"), request.body);
    int status = 0;
    QString method;
    QString text = StandInAgentAnswer(body, m_platform, m_broker, &status, &method);
    if (m_failing)
        text = Fault(QStringLiteral("The service is not available."), &status);
    m_methods.append(method);
    const QString entry = QStringLiteral("=== %1 %2 %3\n%4\n")
                              .arg(QDateTime::currentDateTime().toString(Qt::ISODateWithMs),
                                   QString::fromLatin1(request.target), method, body);
    if (!m_logFile.isEmpty()) {
        QFile file(m_logFile);
        if (file.open(QIODevice::WriteOnly | QIODevice::Append))
            file.write(entry.toUtf8());
    }
    if (m_echo)
        QTextStream(stdout) << entry << "-> HTTP " << status << "\n" << Qt::flush;
    emit requestReceived(method);
    if (m_delayMs < 0)
        return;
    const QByteArray answer = text.toUtf8();
    auto send = [this, id, status, answer]() {
        m_listener.respond(id, status, "text/xml; charset=utf-8", answer);
    };
    if (m_delayMs == 0)
        send();
    else
        QTimer::singleShot(m_delayMs, this, send);
}
