#include "yaq2-dms/StandInDms.h"
#include "yaq2-dms/StandInLabourPrices.h"

#include "platform/DmsNamespace.h"
#include "platform/XmlLimits.h"
#include "platform/XmlNames.h"

#include <QDateTime>
#include <QDomDocument>
#include <QFile>
#include <QRegularExpression>
#include <QTextStream>
#include <QTimer>
#include <QXmlStreamWriter>
#include <algorithm>

namespace {

constexpr char kEnvelopeNamespace[] = "http://schemas.xmlsoap.org/soap/envelope/";
constexpr char kSchemaInstance[] = "http://www.w3.org/2001/XMLSchema-instance";
constexpr char kRefSchema[] = "serviceRepairPackages.xsd";

QString DmsNamespaceUri()
{
    return QStringLiteral("http://") + QLatin1String(kDmsNamespaceHost) + QStringLiteral("/SRP");
}

QDomElement FirstChild(const QDomElement &parent, const QString &localName)
{
    for (QDomElement e = parent.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        if (localName.isEmpty() || XmlLocalName(e) == localName)
            return e;
    }
    return QDomElement();
}

// The root element of a message with the attributes every DMS message has.
void StartMessage(QXmlStreamWriter &xml, const QString &method, const QString &version)
{
    xml.writeStartElement(method);
    xml.writeAttribute(QStringLiteral("xmlns"), DmsNamespaceUri());
    xml.writeAttribute(QStringLiteral("xmlns:xsi"), QLatin1String(kSchemaInstance));
    xml.writeAttribute(QStringLiteral("refSchema"), QLatin1String(kRefSchema));
    xml.writeAttribute(QStringLiteral("version"), version);
}

void StartEnvelope(QXmlStreamWriter &xml)
{
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("s:Envelope"));
    xml.writeAttribute(QStringLiteral("xmlns:s"), QLatin1String(kEnvelopeNamespace));
    xml.writeStartElement(QStringLiteral("s:Body"));
}

void WriteVin(QXmlStreamWriter &xml, const QString &vin)
{
    xml.writeEmptyElement(QStringLiteral("vin"));
    xml.writeAttribute(QStringLiteral("vinLongPrefix"), vin.left(10));
    xml.writeAttribute(QStringLiteral("vinShort"), vin.mid(10));
}

void WriteException(QXmlStreamWriter &xml, const QString &name, const QString &info)
{
    xml.writeStartElement(QStringLiteral("exception"));
    xml.writeAttribute(QStringLiteral("name"), name);
    xml.writeTextElement(QStringLiteral("exceptionInfo"), info);
    xml.writeEndElement();
}

QString Fault(const QString &code, const QString &text)
{
    QString out;
    QXmlStreamWriter xml(&out);
    StartEnvelope(xml);
    xml.writeStartElement(QStringLiteral("s:Fault"));
    xml.writeTextElement(QStringLiteral("faultcode"), QStringLiteral("s:") + code);
    xml.writeTextElement(QStringLiteral("faultstring"), text);
    xml.writeEndDocument();
    return out;
}

// The text of the child element, empty without one.
QString ChildText(const QDomElement &parent, const QString &localName)
{
    return FirstChild(parent, localName).text();
}

// The namespace of a name of the element (its own or one of its
// attributes'): the nearest declaration of the name's prefix; for an
// element name without one the default namespace, for an attribute name
// without one none.
QString NamespaceOf(const QDomElement &element, const QString &name, bool attribute = false)
{
    const int colon = name.indexOf(QLatin1Char(':'));
    if (colon < 0 && attribute)
        return QString();
    const QString declaration =
        colon < 0 ? QStringLiteral("xmlns") : QStringLiteral("xmlns:") + name.left(colon);
    for (QDomNode n = element; n.isElement(); n = n.parentNode()) {
        const QDomElement e = n.toElement();
        if (e.hasAttribute(declaration))
            return e.attribute(declaration);
    }
    return QString();
}

// The header entry of the envelope that must be understood, as a SOAP 1.1
// endpoint reads the header: one that carries mustUnderstand="1" of the
// envelope's namespace. The stand-in understands none. Null when none does.
QDomElement MustUnderstandEntry(const QDomElement &envelope)
{
    const QDomElement header = FirstChild(envelope, QStringLiteral("Header"));
    for (QDomElement entry = header.firstChildElement(); !entry.isNull();
         entry = entry.nextSiblingElement()) {
        const QDomNamedNodeMap attributes = entry.attributes();
        for (int i = 0; i < attributes.count(); ++i) {
            const QDomAttr a = attributes.item(i).toAttr();
            if (a.name().section(QLatin1Char(':'), -1) == QLatin1String("mustUnderstand") &&
                NamespaceOf(entry, a.name(), true) == QLatin1String(kEnvelopeNamespace) &&
                a.value().trimmed() == QLatin1String("1"))
                return entry;
        }
    }
    return QDomElement();
}

// The message of a request: the first element in the "Body" of its SOAP
// envelope. A SOAP 1.1 endpoint takes nothing else: an envelope of another
// SOAP version or of none is refused with the fault code "VersionMismatch",
// a header entry it must understand with "MustUnderstand", and a bare
// message, an envelope without a body, a body without a message or a
// message outside the DMS's namespace with "Client". Null when refused,
// with the fault code in *code and the reason in *why.
QDomElement EnvelopedMessage(const QDomDocument &doc, QString *code, QString *why)
{
    *code = QStringLiteral("Client");
    const QDomElement envelope = doc.documentElement();
    if (XmlLocalName(envelope) != QLatin1String("Envelope")) {
        *why = QStringLiteral("The request is not a SOAP envelope (its root is \"%1\").")
                   .arg(envelope.tagName());
        return QDomElement();
    }
    const QString version = NamespaceOf(envelope, envelope.tagName());
    if (version != QLatin1String(kEnvelopeNamespace)) {
        *code = QStringLiteral("VersionMismatch");
        *why = QStringLiteral("The envelope is in the namespace \"%1\", not in \"%2\".")
                   .arg(version, QLatin1String(kEnvelopeNamespace));
        return QDomElement();
    }
    const QDomElement entry = MustUnderstandEntry(envelope);
    if (!entry.isNull()) {
        *code = QStringLiteral("MustUnderstand");
        *why = QStringLiteral("The header entry \"%1\" must be understood; the DMS does not "
                              "know it.")
                   .arg(entry.tagName());
        return QDomElement();
    }
    const QDomElement body = FirstChild(envelope, QStringLiteral("Body"));
    if (body.isNull()) {
        *why = QStringLiteral("The envelope has no body.");
        return QDomElement();
    }
    const QDomElement message = body.firstChildElement();
    if (message.isNull()) {
        *why = QStringLiteral("The envelope has no message.");
        return QDomElement();
    }
    const QString space = NamespaceOf(message, message.tagName());
    if (space != DmsNamespaceUri()) {
        *why = QStringLiteral("The message \"%1\" is in the namespace \"%2\", not in \"%3\".")
                   .arg(message.tagName(), space, DmsNamespaceUri());
        return QDomElement();
    }
    return message;
}

// What a SOAP endpoint refuses before it answers the message: a request
// that is not XML by its content type (HTTP 415), one without a SOAPAction
// header, and one whose action names another message than its body holds.
// Empty when the request may be answered; a body that is no envelope is
// left to the answer's own refusal.
QString HeaderRefusal(const HttpRequest &request, const QString &body, int *status)
{
    *status = 500;
    const QByteArray type = request.header("Content-Type").trimmed();
    if (!type.toLower().startsWith("text/xml")) {
        *status = 415;
        return Fault(QStringLiteral("Client"),
                     QStringLiteral("The content type \"%1\" is not text/xml.")
                         .arg(QString::fromLatin1(type)));
    }
    const QByteArray action = request.header("SOAPAction");
    if (action.isEmpty())
        return Fault(QStringLiteral("Client"), QStringLiteral("The request has no SOAPAction."));
    QString named = QString::fromUtf8(action).trimmed();
    // Its value is a quoted string, "" included.
    if (named.size() < 2 || !named.startsWith(QLatin1Char('"')) ||
        !named.endsWith(QLatin1Char('"')))
        return Fault(QStringLiteral("Client"),
                     QStringLiteral("The SOAPAction %1 is not in quotes.").arg(named));
    named = named.mid(1, named.size() - 2);
    QDomDocument doc;
    QString code;
    QString why;
    if (named.isEmpty() || !LoadXmlDocument(body, &doc))
        return QString();
    const QDomElement message = EnvelopedMessage(doc, &code, &why);
    const QString method = XmlLocalName(message);
    if (message.isNull() || named == method || named.endsWith(QLatin1Char('.') + method) ||
        named.endsWith(QLatin1Char('/') + method))
        return QString();
    return Fault(QStringLiteral("Client"),
                 QStringLiteral("The SOAPAction \"%1\" does not name \"%2\".").arg(named, method));
}

// The vehicles of "requestVIN": each criterion given must be part of its
// field.
void WriteVehicleSearch(QXmlStreamWriter &xml, const QDomElement &request,
                        const DmsVehicles &vehicles, const QString &version)
{
    const std::pair<QString, QString DmsVehicle::*> criteria[] = {
        {ChildText(request, QStringLiteral("plateNumber")), &DmsVehicle::plate},
        {ChildText(request, QStringLiteral("lastName")), &DmsVehicle::lastName},
        {ChildText(request, QStringLiteral("searchText1")), &DmsVehicle::searchText1},
        {ChildText(request, QStringLiteral("searchText2")), &DmsVehicle::searchText2},
    };
    QList<DmsVehicle> found;
    for (const DmsVehicle &vehicle : vehicles) {
        bool fits = true;
        for (const auto &[text, field] : criteria) {
            if (!text.isEmpty() && !(vehicle.*field).contains(text, Qt::CaseInsensitive))
                fits = false;
        }
        if (fits)
            found.append(vehicle);
    }
    if (found.isEmpty()) {
        WriteException(xml, QStringLiteral("NoVehicleFound"),
                       QStringLiteral("Das DMS kennt kein Fahrzeug zu diesen Suchkriterien."));
        return;
    }
    std::sort(found.begin(), found.end(),
              [](const DmsVehicle &a, const DmsVehicle &b) { return a.vin < b.vin; });
    for (const DmsVehicle &vehicle : found) {
        xml.writeStartElement(QStringLiteral("vehicleIdentification"));
        WriteVin(xml, vehicle.vin);
        xml.writeTextElement(QStringLiteral("firstRegistrationDate"), vehicle.firstRegistration);
        xml.writeTextElement(QStringLiteral("mileage"), vehicle.mileage);
        xml.writeTextElement(QStringLiteral("resultText1"), vehicle.plate);
        xml.writeTextElement(QStringLiteral("resultText2"), vehicle.lastName);
        xml.writeTextElement(
            QStringLiteral("resultText3"),
            (vehicle.searchText1 + QLatin1Char(' ') + vehicle.searchText2).trimmed());
        if (version == QLatin1String("01.05.00"))
            xml.writeTextElement(QStringLiteral("customerHasSpecificPrice"),
                                 vehicle.customerSpecificPrices ? QStringLiteral("true")
                                                                : QStringLiteral("false"));
        xml.writeEndElement();
    }
}

} // namespace

bool LoadDmsVehicles(const QString &path, DmsVehicles *vehicles, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    static const QRegularExpression date(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
    DmsVehicles read;
    int number = 0;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        ++number;
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        // The search fields after the first "|" may hold blanks.
        QStringList search = line.split(QLatin1Char('|'));
        const QStringList fields = search.takeFirst().trimmed().split(blanks);
        if (fields.size() != 4 || search.size() > 4 || fields.at(0).size() != 17 ||
            !date.match(fields.at(1)).hasMatch() ||
            (fields.at(3) != QLatin1String("0") && fields.at(3) != QLatin1String("1"))) {
            *error = QStringLiteral("%1:%2: expected VIN, YYYY-MM-DD, mileage, 0 or 1, "
                                    "then up to four search fields after |")
                         .arg(path)
                         .arg(number);
            return false;
        }
        while (search.size() < 4)
            search.append(QString());
        read.insert(fields.at(0),
                    {fields.at(0), fields.at(1), fields.at(2), fields.at(3) == QLatin1String("1"),
                     search.at(0).trimmed(), search.at(1).trimmed(), search.at(2).trimmed(),
                     search.at(3).trimmed()});
    }
    *vehicles = read;
    return true;
}

QString StandInSoapAction(const QString &method)
{
    return DmsNamespaceUri() + QStringLiteral("/action/YAQ.") + method;
}

QString StandInAnswer(const QString &request, const DmsVehicles &vehicles, int *status)
{
    return StandInAnswer(request, vehicles, DmsPackagePrices(), status);
}

QString StandInAnswer(const QString &request, const DmsVehicles &vehicles,
                      const DmsPackagePrices &prices, int *status)
{
    *status = 500;
    QDomDocument doc;
    QString error;
    if (!LoadXmlDocument(request, &doc, &error))
        return Fault(QStringLiteral("Client"), error);
    QString code;
    const QDomElement message = EnvelopedMessage(doc, &code, &error);
    if (message.isNull())
        return Fault(code, error);

    const QString method = XmlLocalName(message);
    QString version = message.attribute(QStringLiteral("version"));
    if (version != QLatin1String("01.04.01") && version != QLatin1String("01.05.00"))
        version = QStringLiteral("01.00.05");

    QString out;
    QXmlStreamWriter xml(&out);
    StartEnvelope(xml);
    StartMessage(xml, method + QStringLiteral("Response"), version);
    if (method == QLatin1String("requestFirstRegistrationDate")) {
        const QDomElement vinElement = FirstChild(message, QStringLiteral("vin"));
        const QString vin = vinElement.attribute(QStringLiteral("vinLongPrefix")) +
                            vinElement.attribute(QStringLiteral("vinShort"));
        const auto found = vehicles.constFind(vin);
        if (found == vehicles.constEnd()) {
            WriteException(
                xml, QStringLiteral("VINNotFound"),
                QStringLiteral("Das DMS kennt kein Fahrzeug mit der Fahrgestellnummer \"%1\".")
                    .arg(vin));
        } else {
            WriteVin(xml, found->vin);
            xml.writeTextElement(QStringLiteral("firstRegistrationDate"), found->firstRegistration);
            xml.writeTextElement(QStringLiteral("mileage"), found->mileage);
            // Only the newest schema knows the customer's specific prices.
            if (version == QLatin1String("01.05.00"))
                xml.writeTextElement(QStringLiteral("customerHasSpecificPrice"),
                                     found->customerSpecificPrices ? QStringLiteral("true")
                                                                   : QStringLiteral("false"));
        }
    } else if (method == QLatin1String("requestVIN")) {
        WriteVehicleSearch(xml, message, vehicles, version);
    } else if (method == QLatin1String("requestPackageInfo")) {
        if (IsLabourPriceRequest(message))
            WriteLabourPriceAnswer(xml, message, prices);
        else
            WritePackageInfoAnswer(xml, message, prices);
    } else {
        WriteException(xml, QStringLiteral("GeneralApplicationError"),
                       QStringLiteral("Dieses DMS beantwortet \"%1\" nicht.").arg(method));
    }
    xml.writeEndDocument();
    *status = 200;
    return out;
}

bool LoadDmsVinList(const QString &path, QSet<QString> *vins, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    QSet<QString> read;
    int number = 0;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        ++number;
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.size() != 17) {
            *error = QStringLiteral("%1:%2: expected a VIN of 17 characters").arg(path).arg(number);
            return false;
        }
        read.insert(line);
    }
    *vins = read;
    return true;
}

bool StandInTransferAnswer(const QString &request, DmsTransferBook *book, QString *answer,
                           int *status)
{
    QDomDocument doc;
    if (!LoadXmlDocument(request, &doc))
        return false;
    QString code;
    QString refused;
    const QDomElement message = EnvelopedMessage(doc, &code, &refused);
    const QString method = XmlLocalName(message);
    const bool positions = method == QLatin1String("transferYAQPositions");
    if (!positions && method != QLatin1String("transferVehicleInfo"))
        return false;
    book->received.append(request);

    const QDomElement vinElement = FirstChild(message, QStringLiteral("vin"));
    const QString vin = vinElement.attribute(QStringLiteral("vinLongPrefix")) +
                        vinElement.attribute(QStringLiteral("vinShort"));
    QString version = message.attribute(QStringLiteral("version"));
    if (version != QLatin1String("01.04.01") && version != QLatin1String("01.05.00"))
        version = QStringLiteral("01.00.05");
    answer->clear();
    QXmlStreamWriter xml(answer);
    StartEnvelope(xml);
    StartMessage(xml, method + QStringLiteral("Response"), version);
    if (vin.size() != 17) {
        WriteException(
            xml, QStringLiteral("XMLNotValid"),
            QStringLiteral("Die Fahrgestellnummer \"%1\" ist nicht 17 Zeichen lang.").arg(vin));
    } else if (positions && book->unknownVins.contains(vin)) {
        WriteException(
            xml, QStringLiteral("UnknownVIN"),
            QStringLiteral("Das DMS hat kein Fahrzeug mit der Fahrgestellnummer \"%1\".").arg(vin));
    } else {
        if (!positions)
            book->unknownVins.remove(vin);
        xml.writeTextElement(QStringLiteral("confirmTransmission"), QStringLiteral("true"));
    }
    xml.writeEndDocument();
    *status = 200;
    return true;
}

QString BuildTransferVinRequest(const TransferVinRequest &request)
{
    QString out;
    QXmlStreamWriter xml(&out);
    StartEnvelope(xml);
    StartMessage(xml, QStringLiteral("transferVIN"), request.version);
    WriteVin(xml, request.vin);
    const std::pair<const char *, const QString *> fields[] = {
        {"orderNumber", &request.orderNumber},
        {"settlementCode", &request.settlementCode},
        {"jobNumber", &request.jobNumber},
        {"firstRegistrationDate", &request.firstRegistrationDate},
        {"mileage", &request.mileage},
        {"customerHasSpecificPrice", &request.customerHasSpecificPrice},
    };
    for (const auto &[name, value] : fields) {
        if (!value->isEmpty())
            xml.writeTextElement(QLatin1String(name), *value);
    }
    xml.writeEndDocument();
    return out;
}

StandInDms::StandInDms(QObject *parent) : QObject(parent)
{
    m_listener.setRequestHandler(
        [this](quint64 id, const HttpRequest &request) { onRequest(id, request); });
}

bool StandInDms::serveFiles(const QString &vehiclesPath, const QString &packagesPath,
                            QString *error)
{
    if (!vehiclesPath.isEmpty() && !LoadDmsVehicles(vehiclesPath, &m_vehicles, error))
        return false;
    if (!packagesPath.isEmpty() && !LoadDmsPackagePrices(packagesPath, &m_packagePrices, error))
        return false;
    if (!listen(QHostAddress::LocalHost, 0)) {
        *error = errorString();
        return false;
    }
    return true;
}

bool StandInDms::listen(const QHostAddress &address, quint16 port)
{
    return m_listener.listen(address, port);
}

void StandInDms::onRequest(quint64 id, const HttpRequest &request)
{
    const QString body = HttpBodyText(request.header("Content-Type"), request.body);
    emit requestReceived(request.header("SOAPAction"), body);
    if (m_delayMs < 0) {
        record(request, body, 0);
        return;
    }
    int status = 0;
    QString text = HeaderRefusal(request, body, &status);
    if (text.isEmpty() && !StandInTransferAnswer(body, &m_transfers, &text, &status))
        text = StandInAnswer(body, m_vehicles, m_packagePrices, &status);
    text = InMessageForm(text, m_form);
    const QByteArray answer = text.toUtf8();
    // A refused request is logged with its fault, so that a demo run shows
    // what the program sent wrong.
    record(request, body, status, status == 200 ? QString() : text);
    auto send = [this, id, status, answer]() {
        m_listener.respond(id, status, "text/xml; charset=utf-8", answer);
    };
    if (m_delayMs == 0)
        send();
    else
        QTimer::singleShot(m_delayMs, this, send);
}

void StandInDms::record(const HttpRequest &request, const QString &body, int status,
                        const QString &fault) const
{
    if (m_logFile.isEmpty() && !m_echo)
        return;
    QString entry =
        QStringLiteral("=== %1 %2 %3 SOAPAction: %4\n%5\n")
            .arg(QDateTime::currentDateTime().toString(Qt::ISODateWithMs),
                 QString::fromLatin1(request.method), QString::fromLatin1(request.target),
                 QString::fromUtf8(request.header("SOAPAction")), body);
    if (status != 0)
        entry += QStringLiteral("-> HTTP %1\n").arg(status);
    if (!fault.isEmpty())
        entry += fault + QLatin1Char('\n');
    if (!m_logFile.isEmpty()) {
        QFile file(m_logFile);
        if (file.open(QIODevice::WriteOnly | QIODevice::Append))
            file.write(entry.toUtf8());
    }
    if (m_echo)
        QTextStream(stdout) << entry << Qt::flush;
}
