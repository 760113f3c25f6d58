#include "yaq2-dms/StandInForm.h"

#include "platform/DmsNamespace.h"

#include <QHash>
#include <QStringList>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <vector>

namespace {

constexpr char kEnvelopeNamespace[] = "http://schemas.xmlsoap.org/soap/envelope/";
constexpr char kSchemaInstance[] = "http://www.w3.org/2001/XMLSchema-instance";
constexpr char kSchema[] = "http://www.w3.org/2001/XMLSchema";
constexpr char kEnvelopePrefix[] = "SOAP-ENV:";
constexpr char kDmsPrefix[] = "tns:";

// The optional children a generated stack writes as nil when it has no
// value for them, by the local name of their parent.
const QHash<QString, QStringList> &NilChildren()
{
    static const QStringList price{QStringLiteral("valueAddedTax"),
                                   QStringLiteral("flagInclusivePrice")};
    static const QHash<QString, QStringList> children{
        {QStringLiteral("requestFirstRegistrationDateResponse"),
         {QStringLiteral("mileage"), QStringLiteral("customerHasSpecificPrice")}},
        {QStringLiteral("vehicleIdentification"), {QStringLiteral("customerHasSpecificPrice")}},
        {QStringLiteral("transferVIN"),
         {QStringLiteral("orderNumber"), QStringLiteral("settlementCode"),
          QStringLiteral("jobNumber"), QStringLiteral("firstRegistrationDate"),
          QStringLiteral("mileage"), QStringLiteral("customerHasSpecificPrice")}},
        {QStringLiteral("flatRates"), {QStringLiteral("rebate")}},
        {QStringLiteral("parts"), {QStringLiteral("stock")}},
        {QStringLiteral("price"), price},
        {QStringLiteral("customerPrice"), price},
        {QStringLiteral("standardPrice"), price},
        {QStringLiteral("campaignPrice"), price},
    };
    return children;
}

// The DMS's flags (xs:boolean) and dates (xs:date), by their local names:
// a generated stack writes its own lexical form of them.
bool IsFlag(const QString &name)
{
    return name == QLatin1String("customerHasSpecificPrice") ||
           name == QLatin1String("confirmTransmission") ||
           name == QLatin1String("flagInclusivePrice");
}

bool IsDate(const QString &name)
{
    return name == QLatin1String("firstRegistrationDate");
}

QString SchemaType(const QString &name)
{
    if (IsFlag(name))
        return QStringLiteral("xsd:boolean");
    if (IsDate(name))
        return QStringLiteral("xsd:date");
    return QStringLiteral("xsd:string");
}

// A flag as "1" or "0", a date with the DMS's time zone, each between the
// line breaks and blanks of a pretty-printing stack (the schema collapses
// them); any other text as it is.
QString InSchemaForm(const QString &name, const QString &text)
{
    QString value = text;
    if (IsFlag(name) && (text == QLatin1String("true") || text == QLatin1String("false")))
        value = text == QLatin1String("true") ? QStringLiteral("1") : QStringLiteral("0");
    else if (IsDate(name) && text.size() == 10)
        value = text + QStringLiteral("+01:00");
    else
        return text;
    return QStringLiteral("\n        ") + value + QStringLiteral("\n      ");
}

// One element open in the copy.
struct Open
{
    QString name;          // local name
    bool dms = false;      // of the DMS's namespace
    QStringList children;  // local names of its child elements so far
    bool started = false;  // its start tag is written
    QString text;          // its text while it has no child element
    bool hasChild = false; // it has a child element
};

} // namespace

bool ParseDmsMessageForm(const QString &name, DmsMessageForm *form)
{
    if (name == QLatin1String("plain"))
        *form = DmsMessageForm::Plain;
    else if (name == QLatin1String("prefixed"))
        *form = DmsMessageForm::Prefixed;
    else
        return false;
    return true;
}

QString InMessageForm(const QString &envelope, DmsMessageForm form)
{
    if (form == DmsMessageForm::Plain)
        return envelope;
    const QString dmsNamespace =
        QStringLiteral("http://") + QLatin1String(kDmsNamespaceHost) + QStringLiteral("/SRP");
    QXmlStreamReader in(envelope);
    QString out;
    QXmlStreamWriter xml(&out);
    std::vector<Open> open;

    // Writes the start tag of the innermost element, once: a text element's
    // type is known only when its end comes without a child element.
    const auto qualified = [](const Open &e, bool envelopeElement) {
        if (envelopeElement)
            return QLatin1String(kEnvelopePrefix) + e.name;
        return e.dms ? QLatin1String(kDmsPrefix) + e.name : e.name;
    };
    std::vector<QXmlStreamAttributes> pendingAttributes;
    std::vector<bool> isEnvelope;
    const auto start = [&](size_t i, bool textOnly) {
        Open &e = open[i];
        if (e.started)
            return;
        e.started = true;
        xml.writeStartElement(qualified(e, isEnvelope[i]));
        if (i == 0) {
            xml.writeAttribute(QStringLiteral("xmlns:SOAP-ENV"), QLatin1String(kEnvelopeNamespace));
            xml.writeAttribute(QStringLiteral("xmlns:tns"), dmsNamespace);
            xml.writeAttribute(QStringLiteral("xmlns:xsi"), QLatin1String(kSchemaInstance));
            xml.writeAttribute(QStringLiteral("xmlns:xsd"), QLatin1String(kSchema));
        }
        for (const QXmlStreamAttribute &a : pendingAttributes[i])
            xml.writeAttribute(a.qualifiedName().toString(), a.value().toString());
        if (textOnly && e.dms)
            xml.writeAttribute(QStringLiteral("xsi:type"), SchemaType(e.name));
    };

    while (!in.atEnd()) {
        switch (in.readNext()) {
        case QXmlStreamReader::StartDocument:
            xml.writeStartDocument();
            break;
        case QXmlStreamReader::StartElement: {
            if (!open.empty()) {
                Open &parent = open.back();
                start(open.size() - 1, false);
                parent.hasChild = true;
                parent.children << in.name().toString();
            }
            Open e;
            e.name = in.name().toString();
            e.dms = in.namespaceUri() == dmsNamespace;
            // Namespace declarations are no attributes to the reader; the
            // message's own attributes stay unqualified, as they came.
            pendingAttributes.push_back(in.attributes());
            isEnvelope.push_back(in.namespaceUri() == QLatin1String(kEnvelopeNamespace));
            open.push_back(e);
            break;
        }
        case QXmlStreamReader::Characters:
            if (!open.empty() && !in.isWhitespace()) {
                Open &e = open.back();
                if (e.hasChild)
                    xml.writeCharacters(in.text().toString());
                else
                    e.text += in.text().toString();
            }
            break;
        case QXmlStreamReader::EndElement: {
            const size_t i = open.size() - 1;
            Open &e = open.back();
            start(i, !e.hasChild && !e.text.isEmpty());
            if (!e.hasChild) {
                QString text = e.text;
                // A fault code names its envelope's prefix.
                if (e.name == QLatin1String("faultcode") && text.startsWith(QLatin1String("s:")))
                    text = QLatin1String(kEnvelopePrefix) + text.mid(2);
                else if (e.dms)
                    text = InSchemaForm(e.name, text);
                xml.writeCharacters(text);
            }
            if (e.dms) {
                for (const QString &optional : NilChildren().value(e.name)) {
                    if (e.children.contains(optional))
                        continue;
                    xml.writeEmptyElement(QLatin1String(kDmsPrefix) + optional);
                    xml.writeAttribute(QStringLiteral("xsi:nil"), QStringLiteral("true"));
                }
            }
            xml.writeEndElement();
            open.pop_back();
            pendingAttributes.pop_back();
            isEnvelope.pop_back();
            break;
        }
        case QXmlStreamReader::EndDocument:
            xml.writeEndDocument();
            break;
        default:
            break;
        }
    }
    // What the stand-in wrote is well-formed; anything else stays as it is.
    return in.hasError() ? envelope : out;
}
