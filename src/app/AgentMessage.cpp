#include "app/AgentMessage.h"

#include "platform/XmlLimits.h"
#include "platform/XmlNames.h"

#include <QXmlStreamWriter>

namespace {

constexpr char kEnvelopeNamespace[] = "http://schemas.xmlsoap.org/soap/envelope/";

// The elements of that local name below the root, in document order.
QList<QDomElement> Descendants(const QDomElement &root, const QString &localName)
{
    QList<QDomElement> found;
    if (root.isNull())
        return found;
    // Walked without recursion; the reader has bounded the depth already.
    QDomElement e = root.firstChildElement();
    while (!e.isNull()) {
        if (XmlIsNamed(e, localName))
            found.append(e);
        QDomElement next = e.firstChildElement();
        if (next.isNull()) {
            for (QDomElement up = e; !up.isNull() && up != root; up = up.parentNode().toElement()) {
                next = up.nextSiblingElement();
                if (!next.isNull())
                    break;
            }
        }
        e = next;
    }
    return found;
}

QDomElement FirstDescendant(const QDomElement &root, const QString &localName)
{
    const QList<QDomElement> all = Descendants(root, localName);
    return all.isEmpty() ? QDomElement() : all.first();
}

QList<QDomElement> Children(const QList<QDomElement> &parents, const QString &localName)
{
    QList<QDomElement> found;
    for (const QDomElement &parent : parents) {
        for (QDomElement c = parent.firstChildElement(); !c.isNull(); c = c.nextSiblingElement()) {
            if (XmlIsNamed(c, localName))
                found.append(c);
        }
    }
    return found;
}

QString ChildText(const QDomElement &parent, const QString &localName)
{
    const QList<QDomElement> c = Children({parent}, localName);
    return c.isEmpty() ? QString() : c.first().text().trimmed();
}

// The contract elements of the dealer data, by the path of the service.
QList<QDomElement> ContractElements(const QDomElement &root, bool broker)
{
    if (broker) {
        QList<QDomElement> outlets =
            Children(Descendants(root, QStringLiteral("nevaDealerData")), QStringLiteral("outlet"));
        return Children(outlets, QStringLiteral("contract"));
    }
    QList<QDomElement> partners =
        Children(Descendants(root, QStringLiteral("getDealerDataBeanReturn")),
                 QStringLiteral("distributionPartner"));
    return Children(Children(partners, QStringLiteral("outlet")), QStringLiteral("contract"));
}

} // namespace

QString WriteAgentRequest(bool broker, const QString &agentNamespace, const QString &method,
                          const QList<CAgentParam> &params)
{
    QString text;
    QXmlStreamWriter xml(&text);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("soapenv:Envelope"));
    xml.writeAttribute(QStringLiteral("xmlns:soapenv"), QLatin1String(kEnvelopeNamespace));
    if (!broker)
        xml.writeAttribute(QStringLiteral("xmlns:v1"), agentNamespace);
    xml.writeEmptyElement(QStringLiteral("soapenv:Header"));
    xml.writeStartElement(QStringLiteral("soapenv:Body"));
    if (broker) {
        xml.writeStartElement(method);
        xml.writeAttribute(QStringLiteral("xmlns"), agentNamespace);
        xml.writeEmptyElement(QStringLiteral("schemaRef"));
        xml.writeAttribute(QStringLiteral("refSchema"), QStringLiteral("nevaServerData"));
        xml.writeAttribute(QStringLiteral("version"), QStringLiteral("01.00.00"));
        xml.writeEndElement();
    } else {
        xml.writeStartElement(QStringLiteral("v1:") + method);
        for (const CAgentParam &p : params)
            xml.writeTextElement(p.name, p.value);
        xml.writeEndElement();
    }
    xml.writeEndElement(); // Body
    xml.writeEndElement(); // Envelope
    xml.writeEndDocument();
    return text;
}

bool CAgentAnswer::Load(const QString &xml)
{
    m_doc = QDomDocument();
    QDomDocument doc;
    if (!LoadXmlDocument(xml, &doc))
        return false;
    // A service that could not answer says so in a Fault, with any status.
    if (XmlIsNamed(doc.documentElement(), QStringLiteral("Fault")) ||
        !FirstDescendant(doc.documentElement(), QStringLiteral("Fault")).isNull())
        return false;
    m_doc = doc;
    return true;
}

bool CAgentAnswer::Has(const QString &localName) const
{
    const QDomElement root = m_doc.documentElement();
    if (root.isNull())
        return false;
    return XmlIsNamed(root, localName) || !FirstDescendant(root, localName).isNull();
}

QString CAgentAnswer::Text(const QString &localName, bool keepBlanks) const
{
    const QDomElement root = m_doc.documentElement();
    if (root.isNull())
        return QString();
    const QDomElement e = XmlIsNamed(root, localName) ? root : FirstDescendant(root, localName);
    if (e.isNull())
        return QString();
    return keepBlanks ? e.text() : e.text().trimmed();
}

int CAgentAnswer::Number(const QString &localName) const
{
    bool ok = false;
    const int value = Text(localName).toInt(&ok);
    return ok ? value : 0;
}

bool CAgentAnswer::HasDealerData(bool broker) const
{
    return Has(broker ? QStringLiteral("nevaDealerData")
                      : QStringLiteral("getDealerDataBeanReturn"));
}

QList<CDealerContract> CAgentAnswer::Contracts(bool broker) const
{
    QList<CDealerContract> contracts;
    for (const QDomElement &c : ContractElements(m_doc.documentElement(), broker))
        contracts.append(
            {ChildText(c, QStringLiteral("brand")), ChildText(c, QStringLiteral("product"))});
    return contracts;
}

QStringList VehicleBrands(const QList<CDealerContract> &contracts, bool broker)
{
    const QString vehicle = broker ? QStringLiteral("car") : QStringLiteral("vehicle");
    QStringList brands;
    for (const CDealerContract &c : contracts) {
        const QString brand = c.brand.toLower();
        if (brand.isEmpty() || c.product.toLower() != vehicle || brands.contains(brand))
            continue;
        brands.append(brand);
    }
    return brands;
}
