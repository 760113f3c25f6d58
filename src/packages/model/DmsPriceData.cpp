#include "packages/model/DmsPriceData.h"

#include "packages/model/PriceMath.h"

#include <QDomElement>
#include <QDomNode>

void ReadPriceAttributes(const QDomElement &node, CPriceTypeData &price)
{
    price = CPriceTypeData();
    if (node.isNull())
        return;
    if (node.hasAttribute(QStringLiteral("currency"))) {
        price.currency = node.attribute(QStringLiteral("currency"));
        price.bCurrency = 1;
    }
    for (QDomNode child = node.firstChild(); !child.isNull(); child = child.nextSibling()) {
        if (!child.isElement())
            continue;
        const QDomElement element = child.toElement();
        const QString name = element.tagName();
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
        }
    }
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
    return refused;
}
