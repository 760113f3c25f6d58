#pragma once
// The stand-in DMS's answer to the labour-value form of "requestPackageInfo"
// (the catalogue page's price button): one "flatRate" per position asked.
// A position of the price list gets its own customer and standard price,
// any other position the workshop's labour rate; both are prices per
// labour value, as in the answer for a package. A position number
// beginning with "99" is one the DMS has no price for.

#include "yaq2-dms/StandInPackagePrices.h"

class QDomElement;
class QXmlStreamWriter;

// The labour rate the stand-in answers for positions off its price list.
extern const char *const kStandInLabourRateNet; // "9.50" EUR net per labour value
extern const char *const kStandInLabourVat;     // "19"

// The request asks about labour positions ("flatRate") and no package.
bool IsLabourPriceRequest(const QDomElement &request);
// The children of "requestPackageInfoResponse" for the request: the VIN as
// asked and a flat rate per position.
void WriteLabourPriceAnswer(QXmlStreamWriter &xml, const QDomElement &request,
                            const DmsPackagePrices &prices);
