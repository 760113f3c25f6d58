#pragma once
// The stand-in DMS's price list for the package price request
// "requestPackageInfo": the prices it gives for work positions and parts,
// whatever package they come in, and the answer it writes from them.

#include <QHash>
#include <QString>

class QDomElement;
class QXmlStreamWriter;

// The prices of one work position or part: net unit prices in one currency
// with one VAT rate; an empty price is one the DMS does not give.
struct DmsItemPrice
{
    QString currency;
    QString vat;
    QString customer; // the vehicle owner's own price ("customerPrice")
    QString standard; // the standard retail price ("price", "standardPrice")
    QString campaign; // the campaign price ("campaignPrice")
};

// By kind and number: "work 3410010", "part 9X0698151B".
using DmsPackagePrices = QHash<QString, DmsItemPrice>;

QString DmsPriceKey(const QString &kind, const QString &number);

// Reads the price file: one work position or part a line, the fields
// separated by "|" (blanks around them do not count): "work" or "part", the
// number, the currency, the VAT rate and the customer, standard and campaign
// net prices, "-" for a price not given; lines starting with "#" and empty
// lines are left out. False, with the file and line in *error, when the
// file cannot be read or a line is not of that form.
bool LoadDmsPackagePrices(const QString &path, DmsPackagePrices *prices, QString *error);

// The children of "requestPackageInfoResponse" for the request element: the
// VIN as asked, and for each package of the request its number and its work
// positions and parts as asked, each with the prices the list has for it;
// one the list does not know comes back without a price. A campaign
// package's "campaignInformation" comes back as asked, with the campaign
// price of its standard items (unit price times labour value or quantity,
// less the item's or the package's rebate) as the package price when the
// request named none.
// A request without a package gets the exception "GeneralApplicationError".
void WritePackageInfoAnswer(QXmlStreamWriter &xml, const QDomElement &request,
                            const DmsPackagePrices &prices);
