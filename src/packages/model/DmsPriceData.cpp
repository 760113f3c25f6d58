#include "packages/model/DmsPriceData.h"

#include "packages/model/PriceMath.h"
#include "platform/XmlNames.h"

#include <QDomElement>

void ReadPriceAttributes(const QDomElement &node, CPriceTypeData &price)
{
    price = CPriceTypeData();
    if (node.isNull())
        return;
    if (node.hasAttribute(QStringLiteral("currency"))) {
        price.currency = node.attribute(QStringLiteral("currency"));
        price.bCurrency = 1;
    }
    QStringList others;
    for (QDomElement element = node.firstChildElement(); !element.isNull();
         element = element.nextSiblingElement()) {
        const QString name = XmlLocalName(element);
        if (name == QLatin1String("netPrice")) {
            price.netPrice = element.text();
            price.bNetPrice = 1;
        } else if (name == QLatin1String("grossPrice")) {
            price.grossPrice = element.text();
            price.bGrossPrice = 1;
        } else if (name == QLatin1String("valueAddedTax")) {
            price.valueAddedTax = element.text();
            price.bValueAddedTax = 1;
        } else if (name == QLatin1String("flagInclusivePrice")) {
            price.flagInclusivePrice = element.text();
            price.bFlagInclusivePrice = 1;
        } else {
            others << element.tagName();
        }
    }
    // A price element with children, but none of the amounts: the DMS sent
    // a price the program cannot read, which is not the same as no price.
    if (!price.bNetPrice && !price.bGrossPrice && !price.bValueAddedTax)
        price.unreadChildren = others;
}

QStringList RefusedPriceTexts(const CPriceTypeData &price)
{
    QStringList refused;
    for (const QString *text : {&price.netPrice, &price.grossPrice, &price.valueAddedTax}) {
        bool wrong = false;
        ParsePriceText(*text, &wrong);
        if (wrong)
            refused << QLatin1Char('"') + *text + QLatin1Char('"');
    }
    for (const QString &name : price.unreadChildren)
        refused << QLatin1Char('<') + name + QLatin1Char('>');
    return refused;
}
