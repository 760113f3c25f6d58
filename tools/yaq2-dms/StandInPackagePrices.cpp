#include "yaq2-dms/StandInPackagePrices.h"

#include "platform/XmlNames.h"

#include <QDomElement>
#include <QFile>
#include <QRegularExpression>
#include <QTextStream>
#include <QXmlStreamWriter>

namespace {

QString ChildText(const QDomElement &parent, const QString &localName)
{
    for (QDomElement e = parent.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        if (XmlLocalName(e) == localName)
            return e.text().trimmed();
    }
    return QString();
}

void WritePrice(QXmlStreamWriter &xml, const char *name, const DmsItemPrice &item,
                const QString &net)
{
    if (net.isEmpty())
        return;
    xml.writeStartElement(QLatin1String(name));
    xml.writeAttribute(QStringLiteral("currency"), item.currency);
    xml.writeTextElement(QStringLiteral("netPrice"), net);
    xml.writeTextElement(QStringLiteral("valueAddedTax"), item.vat);
    xml.writeTextElement(QStringLiteral("flagInclusivePrice"), QStringLiteral("false"));
    xml.writeEndElement();
}

// The price elements of one item: "price" is the standard price (the
// customer's own when there is no standard one).
void WritePrices(QXmlStreamWriter &xml, const DmsPackagePrices &prices, const QString &kind,
                 const QString &number)
{
    const auto found = prices.constFind(DmsPriceKey(kind, number));
    if (found == prices.constEnd())
        return;
    const DmsItemPrice &item = *found;
    WritePrice(xml, "price", item, item.standard.isEmpty() ? item.customer : item.standard);
    WritePrice(xml, "customerPrice", item, item.customer);
    WritePrice(xml, "standardPrice", item, item.standard);
    WritePrice(xml, "campaignPrice", item, item.campaign);
}

// A number of the request ("4.5", "010"); `fallback` when there is none.
double RequestNumber(const QString &text, double fallback)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok ? value : fallback;
}

// The campaign package price the DMS gives: what the standard items of the
// package cost at their campaign prices, priced as the program prices a
// line (unit price times the labour value or the quantity), each less its
// campaign rebate (the item's own, else the package's). Items the dealer
// may leave out, alternatives and optional parts are priced by the program
// on top.
void AddCampaignPrice(const DmsPackagePrices &prices, const QString &kind, const QDomElement &item,
                      double packageRebate, double *net, double *gross)
{
    const auto found =
        prices.constFind(DmsPriceKey(kind, ChildText(item, QStringLiteral("number"))));
    if (found == prices.constEnd() || found->campaign.isEmpty())
        return;
    const QString type = item.attribute(QStringLiteral("type"));
    if (ChildText(item, QStringLiteral("dealerOptional")) == QLatin1String("true") ||
        type == QLatin1String("alternative") || type == QLatin1String("optional"))
        return;
    const QString amount = ChildText(
        item, kind == QLatin1String("work") ? QStringLiteral("value") : QStringLiteral("quantity"));
    const double rebate = RequestNumber(ChildText(item, QStringLiteral("rebate")), packageRebate);
    const double value =
        found->campaign.toDouble() * RequestNumber(amount, 1.0) * (100.0 - rebate) / 100.0;
    *net += value;
    *gross += value * (100.0 + found->vat.toDouble()) / 100.0;
}

// A price to the cent, as the program rounds one.
QString CentText(double value)
{
    return QString::number(value + 1e-9, 'f', 2);
}

// The request's "campaignInformation" given back as it came, with the
// campaign package price the DMS computed where the request set none.
void EchoCampaignInformation(QXmlStreamWriter &xml, const QDomElement &campaign, double net,
                             double gross)
{
    xml.writeStartElement(QStringLiteral("campaignInformation"));
    for (const QString &attribute :
         {QStringLiteral("number"), QStringLiteral("campaignPackageNumber")})
        xml.writeAttribute(attribute, campaign.attribute(attribute));
    bool priced = false;
    for (QDomElement e = campaign.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        const QString name = XmlLocalName(e);
        priced = priced || name == QLatin1String("PackageGrossPrice");
        xml.writeTextElement(name, e.text().trimmed());
    }
    if (!priced && gross > 0.0) {
        xml.writeTextElement(QStringLiteral("PackageGrossPrice"), CentText(gross));
        xml.writeTextElement(QStringLiteral("PackageNetPrice"), CentText(net));
    }
    xml.writeEndElement();
}

} // namespace

QString DmsPriceKey(const QString &kind, const QString &number)
{
    return kind + QLatin1Char(' ') + number.trimmed();
}

bool LoadDmsPackagePrices(const QString &path, DmsPackagePrices *prices, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    static const QRegularExpression price(QStringLiteral("^(-|\\d+(\\.\\d+)?)$"));
    DmsPackagePrices read;
    int number = 0;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        ++number;
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        QStringList fields = line.split(QLatin1Char('|'));
        for (QString &field : fields)
            field = field.trimmed();
        bool ok =
            fields.size() == 7 &&
            (fields.at(0) == QLatin1String("work") || fields.at(0) == QLatin1String("part")) &&
            !fields.at(1).isEmpty() && !fields.at(2).isEmpty();
        for (int i = 3; ok && i < 7; ++i)
            ok = price.match(fields.at(i)).hasMatch();
        if (!ok) {
            *error = QStringLiteral("%1:%2: expected work or part | number | currency | VAT | "
                                    "customer | standard | campaign price (- for none)")
                         .arg(path)
                         .arg(number);
            return false;
        }
        const auto given = [](const QString &text) {
            return text == QLatin1String("-") ? QString() : text;
        };
        read.insert(DmsPriceKey(fields.at(0), fields.at(1)),
                    {fields.at(2), fields.at(3), given(fields.at(4)), given(fields.at(5)),
                     given(fields.at(6))});
    }
    *prices = read;
    return true;
}

void WritePackageInfoAnswer(QXmlStreamWriter &xml, const QDomElement &request,
                            const DmsPackagePrices &prices)
{
    QList<QDomElement> packages;
    QDomElement vin;
    for (QDomElement e = request.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        const QString name = XmlLocalName(e);
        if (name == QLatin1String("vin"))
            vin = e;
        else if (name == QLatin1String("package"))
            packages.append(e);
    }
    if (packages.isEmpty()) {
        xml.writeStartElement(QStringLiteral("exception"));
        xml.writeAttribute(QStringLiteral("name"), QStringLiteral("GeneralApplicationError"));
        xml.writeTextElement(QStringLiteral("exceptionInfo"),
                             QStringLiteral("Die Anfrage nennt kein Paket."));
        xml.writeEndElement();
        return;
    }
    xml.writeEmptyElement(QStringLiteral("vin"));
    xml.writeAttribute(QStringLiteral("vinLongPrefix"),
                       vin.attribute(QStringLiteral("vinLongPrefix")));
    xml.writeAttribute(QStringLiteral("vinShort"), vin.attribute(QStringLiteral("vinShort")));
    for (const QDomElement &package : packages) {
        xml.writeStartElement(QStringLiteral("package"));
        xml.writeAttribute(QStringLiteral("productType"), QStringLiteral("car"));
        xml.writeTextElement(QStringLiteral("number"),
                             ChildText(package, QStringLiteral("number")));
        QDomElement campaign;
        for (QDomElement e = package.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
            if (XmlLocalName(e) == QLatin1String("campaignInformation"))
                campaign = e;
        }
        const double packageRebate =
            RequestNumber(ChildText(campaign, QStringLiteral("PackageRebate")), 0.0);
        double campaignNet = 0.0;
        double campaignGross = 0.0;
        for (QDomElement e = package.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
            const QString name = XmlLocalName(e);
            if (name == QLatin1String("flatRates"))
                AddCampaignPrice(prices, QStringLiteral("work"), e, packageRebate, &campaignNet,
                                 &campaignGross);
            else if (name == QLatin1String("parts"))
                AddCampaignPrice(prices, QStringLiteral("part"), e, packageRebate, &campaignNet,
                                 &campaignGross);
        }
        if (!campaign.isNull())
            EchoCampaignInformation(xml, campaign, campaignNet, campaignGross);
        for (QDomElement e = package.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
            const QString name = XmlLocalName(e);
            const QString itemNumber = ChildText(e, QStringLiteral("number"));
            if (name == QLatin1String("flatRates")) {
                xml.writeStartElement(name);
                xml.writeAttribute(QStringLiteral("productType"), QStringLiteral("car"));
                xml.writeTextElement(QStringLiteral("number"), itemNumber);
                WritePrices(xml, prices, QStringLiteral("work"), itemNumber);
                xml.writeEndElement();
            } else if (name == QLatin1String("parts")) {
                xml.writeStartElement(name);
                xml.writeAttribute(QStringLiteral("type"), e.attribute(QStringLiteral("type")));
                xml.writeTextElement(QStringLiteral("number"), itemNumber);
                WritePrices(xml, prices, QStringLiteral("part"), itemNumber);
                xml.writeEndElement();
            }
        }
        xml.writeEndElement();
    }
}
