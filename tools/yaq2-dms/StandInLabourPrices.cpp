#include "yaq2-dms/StandInLabourPrices.h"

#include "platform/XmlNames.h"

#include <QDomElement>
#include <QXmlStreamWriter>

const char *const kStandInLabourRateNet = "9.50";
const char *const kStandInLabourVat = "19";

namespace {

QString ChildText(const QDomElement &parent, const QString &localName)
{
    for (QDomElement e = parent.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        if (XmlLocalName(e) == localName)
            return e.text().trimmed();
    }
    return QString();
}

void WritePrice(QXmlStreamWriter &xml, const QString &element, const QString &currency,
                const QString &net, const QString &vat, bool inclusive)
{
    xml.writeStartElement(element);
    xml.writeAttribute(QStringLiteral("currency"), currency);
    xml.writeTextElement(QStringLiteral("netPrice"), net);
    xml.writeTextElement(QStringLiteral("valueAddedTax"), vat);
    xml.writeTextElement(QStringLiteral("flagInclusivePrice"),
                         inclusive ? QStringLiteral("true") : QStringLiteral("false"));
    xml.writeEndElement();
}

} // namespace

bool IsLabourPriceRequest(const QDomElement &request)
{
    bool flatRate = false;
    for (QDomElement e = request.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        const QString name = XmlLocalName(e);
        if (name == QLatin1String("package"))
            return false;
        flatRate = flatRate || name == QLatin1String("flatRate");
    }
    return flatRate;
}

void WriteLabourPriceAnswer(QXmlStreamWriter &xml, const QDomElement &request,
                            const DmsPackagePrices &prices)
{
    QDomElement vin;
    for (QDomElement e = request.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        if (XmlLocalName(e) == QLatin1String("vin"))
            vin = e;
    }
    xml.writeEmptyElement(QStringLiteral("vin"));
    xml.writeAttribute(QStringLiteral("vinLongPrefix"),
                       vin.attribute(QStringLiteral("vinLongPrefix")));
    xml.writeAttribute(QStringLiteral("vinShort"), vin.attribute(QStringLiteral("vinShort")));
    for (QDomElement e = request.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        if (XmlLocalName(e) != QLatin1String("flatRate"))
            continue;
        const QString number = ChildText(e, QStringLiteral("number"));
        xml.writeStartElement(QStringLiteral("flatRate"));
        xml.writeAttribute(QStringLiteral("productType"), QStringLiteral("car"));
        xml.writeTextElement(QStringLiteral("number"), number);
        const auto found = prices.constFind(DmsPriceKey(QStringLiteral("work"), number));
        if (found != prices.constEnd()) {
            const DmsItemPrice &item = *found;
            const QString standard = item.standard.isEmpty() ? item.customer : item.standard;
            // The list's prices are unit prices, per labour value, as in
            // the package answer.
            if (!standard.isEmpty())
                WritePrice(xml, QStringLiteral("price"), item.currency, standard, item.vat, false);
            if (!item.customer.isEmpty())
                WritePrice(xml, QStringLiteral("customerPrice"), item.currency, item.customer,
                           item.vat, false);
        } else if (!number.startsWith(QLatin1String("99"))) {
            WritePrice(xml, QStringLiteral("price"), QStringLiteral("EUR"),
                       QLatin1String(kStandInLabourRateNet), QLatin1String(kStandInLabourVat),
                       false);
        }
        xml.writeEndElement();
    }
}
