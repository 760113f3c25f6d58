#pragma once
// The bodies of the two messages with which the basket goes to the dealer
// management system (DMS): "transferYAQPositions" with one position per
// basket entry the SOAP road carries (packages with their head, work
// positions, parts, findings lines and prices, single labour positions), and
// "transferVehicleInfo" that creates a vehicle the DMS does not know yet.
//
// Both are written with an XML writer, so every text and attribute is
// escaped. Writing reads the basket only: a campaign head's rebate texts are
// sent without their leading zeros, but the basket keeps them as they are.

#include <QString>

#include <vector>

class CDmsMessageWriter;
class CPaket;
class CPosition;
class CPrgSettings;
class CWKList;
class CWKListItem;
class QXmlStreamWriter;

// The order data of the basket page and what the vehicle creation needs
// beyond the settings.
struct CTransferOrder
{
    QString orderNumber;
    QString settlementCode;
    QString jobNumber;
    bool offer = false; // "flagIsOffer" of the extended schema
    // Whether the vehicle is a two-wheeler, for "transferVehicleInfo".
    bool twoWheeler = false;
};

class CTransferRequest
{
public:
    static constexpr const char *kMethod = "transferYAQPositions";
    static constexpr const char *kVehicleMethod = "transferVehicleInfo";

    CTransferRequest(const CPrgSettings &settings, const CTransferOrder &order)
        : m_settings(settings), m_order(order)
    {
    }

    // The VIN the messages name: the full VIN of the settings, without
    // surrounding blanks. Nothing is sent unless it has 17 characters.
    static QString TransferVin(const CPrgSettings &settings);

    // Whether the SOAP road carries the entry: service repair, warranty,
    // spot-repair and inclusive-service packages always, campaign packages
    // with the extended schema ("XMLx"), value-line packages without it or
    // with "V115", of the single positions only labour positions. An entry
    // without its package or position is carried by no road.
    bool Carries(const CWKListItem &entry) const;

    // The body of "transferYAQPositions" in the schema version given, with
    // the entries Carries accepts in basket order; `written` (when given)
    // receives them. Empty when the VIN is not 17 characters long.
    QString Build(const CWKList &basket, const QString &version,
                  std::vector<const CWKListItem *> *written = nullptr) const;
    // The same, the children after the header (false: nothing to send).
    bool Write(CDmsMessageWriter &body, const QString &version, const CWKList &basket,
               std::vector<const CWKListItem *> *written = nullptr) const;
    // The body of "transferVehicleInfo"; empty without a 17-character VIN.
    // The vehicle is the one of the settings, its production date included.
    QString BuildVehicleInfo(const QString &version) const;
    bool WriteVehicleInfo(CDmsMessageWriter &body) const;

    // A price as sent: "%.2f" of the value with 1e-10 added, so that a value
    // held a hair below a half cent rounds up.
    static QString PriceText(double value);
    // The type of a part by its kind: "standard" (S), "alternative" (A, B),
    // "optional" (O). A priced part of any other kind is charged like a
    // standard part and sent as one.
    static QString PartType(const QString &kind);
    // The labour text lines (bracket text lines) in one line: the first,
    // then every further non-empty one after a blank.
    static QString JoinAwTexts(const CPosition &line);
    static QString JoinBracketTexts(const CPosition &line);

private:
    struct Context;
    void WriteEntry(QXmlStreamWriter &xml, const CWKListItem &entry) const;
    void WriteLabourPosition(QXmlStreamWriter &xml, const CWKListItem &entry) const;
    void WritePackageOpening(QXmlStreamWriter &xml, const Context &c) const;
    void WriteOrderTail(QXmlStreamWriter &xml) const;
    void WritePackageNested(QXmlStreamWriter &xml, const Context &c) const;
    void WritePackageFlat(QXmlStreamWriter &xml, const CPaket &paket, const Context &c) const;
    void WriteContent(QXmlStreamWriter &xml, const CPaket &paket, bool nested, const Context &c,
                      bool flat) const;
    void WriteHead(QXmlStreamWriter &xml, const CPosition &head, const Context &c, bool flat) const;
    void WriteFlatRate(QXmlStreamWriter &xml, const CPosition &line, const Context &c,
                       bool lead) const;
    void WriteHeadFlatRate(QXmlStreamWriter &xml, const CPosition *head) const;
    void WritePart(QXmlStreamWriter &xml, const CPosition &line, const Context &c) const;
    void WriteLinePrices(QXmlStreamWriter &xml, const CPosition &line) const;
    void WriteCampaignLine(QXmlStreamWriter &xml, const CPosition &line, const Context &c) const;
    void WriteCampaignInformation(QXmlStreamWriter &xml, const CPosition &head) const;
    bool SkipLine(const CPosition &line) const;

    const CPrgSettings &m_settings;
    const CTransferOrder m_order;
    mutable QString m_version; // of the body being written
};
