#pragma once
// The package price request to the DMS from sending to the prices in the
// package: "requestPackageInfo" goes out through the client, the answer is
// read and compared with the request, and only an answer that prices the
// package asked about changes it. Then every requested line is priced anew
// from the answer - customer price (set 1, "customerPrice" or else
// "price"), standard price (set 2) and campaign price (set 3) - and the
// price kinds are rolled up with their currency checks.
//
// A request that went out and brings no usable answer (none, unreadable, a
// Fault, an exception, another vehicle, another package) leaves no price of
// an earlier answer: every line it named is not priced, and the roll-up
// runs on that, so neither a line nor a total shows an amount the DMS did
// not give for this request. Only a request that never went out (no server,
// nothing to price) or that the adviser cancelled while it waited leaves
// the package as it was. Every message goes to the notice.

#include "packages/pricing/PackageInfoAnswer.h"
#include "packages/pricing/PackagePriceRollUp.h"

#include <QString>

class CPaket;
class CPosition;
class IPaketNotice;

class CPackagePriceExchange
{
public:
    struct Outcome
    {
        bool answered = false; // an answer text came back
        int applied = 0;       // a package of the answer matched: its prices are in the package
        int mixedKinds = 0;    // CPackagePriceRollUp kinds not rolled up (currencies differ)
    };

    // An answer naming a short VIN that several vehicles share is not taken
    // (the client's count, CDmsClient::SetShortVinCount).
    CPackagePriceExchange(CDmsClient &client, IDmsNotice *notice)
        : m_client(client), m_notice(notice)
    {
    }
    // The page edits a campaign package: the campaign price is rolled up too.
    void SetCampaignMode(bool campaignMode) { m_campaignMode = campaignMode; }
    // The optional sub-package dialog asks: the answer's campaign is the
    // package's when name, package name, package number and number agree,
    // whatever its price type; a campaign that does not agree is told with
    // the dialog's own message, which names those four values. The dialog
    // also takes only an answer naming the full VIN (a short one is refused
    // with 7036 however many vehicles share it), tells differing currencies
    // of the customer price by 5068 alone, and asks for a package whose
    // only lines to price are findings lines.
    void SetAskedBySubPackageDialog(bool dialog) { m_subPackageDialog = dialog; }

    // Sends the request for the package and takes its answer over. Nothing
    // is sent for a package without a line to price or without a VIN.
    Outcome Request(CPaket &paket);
    // Takes an answer to the request for this package over; askedVin is the
    // VIN the request named (CDmsMessageWriter::RequestVin).
    Outcome TakeAnswer(const QString &answer, CPaket &paket, const QString &askedVin);
    // The request's reader: the answer element, found by the client.
    void ReadAnswer(CDmsAnswer &answer, CPaket &paket, const QString &askedVin, Outcome &outcome);

    // The answer's package is the one asked for: a head with its number,
    // the full number as the request sent it, product type "car".
    bool MatchesRequest(const CPackageTypeData &answer, const CPaket &paket) const;
    // Every line the request names loses its prices (the head and the
    // sub-packages' lines included), so that a line the answer leaves out
    // shows as not priced rather than with a price of an earlier request.
    static void ResetRequestedPrices(CPaket &paket);

private:
    // The request brought no prices: the lines it named lose those of an
    // earlier answer and the kinds are rolled up on that.
    void PricesGone(CPaket &paket, Outcome &outcome) const;
    int RollUp(CPaket &paket, IPaketNotice *notice, CPackagePriceRollUp::Occasion occasion) const;
    CPosition *MatchingHead(const CPackageTypeData &answer, const CPaket &paket) const;
    void TakePackage(CDmsAnswer &reply, const CPackageTypeData &answer, CPaket &paket);

    CDmsClient &m_client;
    IDmsNotice *m_notice;
    bool m_campaignMode = false;
    bool m_subPackageDialog = false;
};
