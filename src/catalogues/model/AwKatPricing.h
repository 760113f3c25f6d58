#pragma once
// The prices of a labour position of the catalogue page: asked of the DMS
// with the labour-value form of "requestPackageInfo" (request mode 4), or
// read from the dealer's price files in the request folder (mode 3 of the
// training edition), and the shown gross and net price worked out from the
// unit prices and the position's labour value.
//
// The shown prices keep the markers of CAwKatPrices: a position billed by
// working time shows "AZ", one that was asked for and got no price "?" -
// also one without a labour value, which is never priced as 0.00.

#include "catalogues/model/AwKatRow.h"

#include <QString>
#include <QStringList>

#include <functional>

class CDmsAnswer;
class CDmsClient;
class CDmsMessageWriter;
class CPrgSettings;
class IDmsNotice;
class CYaqDb;
class QWidget;
struct CFlatRateTypeData;
struct CPriceTypeData;

class CAwKatPricing
{
public:
    // How many vehicles of the catalogue share a short VIN (stops at 2).
    using ShortVinCount = std::function<int(const QString &shortVin)>;
    // That count from the VIN ranges of the catalogue on the connection
    // (borrowed; it must outlive the count); a count that could not be
    // made is told over `parent`.
    static ShortVinCount ShortVinCounter(CYaqDb *db, QWidget *parent);

    // --- the shown prices ---
    // Gross and net price from the unit prices and the labour value ("AZ"
    // text, a number read as the package lines read their quantity, or "-"
    // for none), rounded to cents (RoundPrice).
    static void ComputeDisplayPrices(CAwKatPrices &prices, const QString &labourValue);
    // A price as shown: FormatPrice of the value (so 12.345 shows 12.35),
    // "AZ" text for billed by time, "?" for missing, empty for none.
    static QString PriceText(double value);
    // Forgets the prices; with asked set, what stays missing shows "?".
    static void Reset(CAwKatPrices &prices, bool asked);

    // --- the DMS ---
    // The body of the request for the position.
    static QString BuildRequest(const CPrgSettings &settings, const QString &version,
                                const QString &apNr);
    static void WriteRequest(CDmsMessageWriter &body, const CPrgSettings &settings,
                             const QString &apNr);
    // Sends the request through the client, takes the answer over and works
    // the shown prices out (missing ones "?"). Returns 1 when the answer
    // priced the position; every message went to the notice. A request
    // that was not sent (no server) or that the adviser cancelled leaves the
    // prices as they were.
    static int Request(CDmsClient &client, IDmsNotice *notice, const QString &apNr,
                       const QString &labourValue, CAwKatPrices &prices);
    // The answer to the request for the position, as if it had come back:
    // 1 when a flat rate of the position set the unit prices. An exception,
    // a foreign VIN or an answer that is not valid sets nothing.
    static int TakeAnswer(CDmsClient &client, IDmsNotice *notice, const QString &answer,
                          const QString &apNr, CAwKatPrices &prices);
    // The request's reader of the answer element (found by the client).
    static int ReadAnswer(CDmsAnswer &answer, const QString &apNr, CAwKatPrices &prices);
    static void ApplyPriceAttributes(const CPriceTypeData &price, CAwKatPrices &prices);

    // --- the local price files ---
    // The flat-price key of a position: "A" and the number, padded with
    // blanks to 36 characters.
    static QString FlatRateKey(const QString &apNr);
    // Prices the position from the price files of the request folder; a
    // message (4012 with the path, and why when the file was incomplete)
    // for each file that did not open (then nothing is looked up).
    static QStringList LocalPrice(const CPrgSettings &settings, const QString &apNr,
                                  const QString &labourValue, CAwKatPrices &prices);
};
