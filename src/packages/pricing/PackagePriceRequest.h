#pragma once
// The body of the DMS request "requestPackageInfo" for one package: the
// vehicle, the package element with its head number, work positions
// ("flatRates") and parts, the lines of its sub-packages inside it, and for
// a campaign package the campaign block and the campaign prices of its
// lines. The extended attributes follow the interface options ("XMLx",
// "V115", "V117") of the settings.
//
// Writing the request reads the package only: its prices stay as they are
// until an accepted answer replaces them (CPackagePriceExchange).

#include <QString>

class CDmsMessageWriter;
class CPaket;
class CPosition;
class CPrgSettings;
class QXmlStreamWriter;

class CPackagePriceRequest
{
public:
    static constexpr const char *kMethod = "requestPackageInfo";

    explicit CPackagePriceRequest(const CPrgSettings &settings) : m_settings(settings) {}

    // The package holds a line worth pricing: a top-level line of a type
    // other than 0, 1, 2, 4, 12 and 13 (findings lines count when
    // findingsCount: the optional sub-package dialog asks so). A package of
    // nothing else is not sent.
    static bool HasRequestedLines(const CPaket &paket, bool findingsCount = false);
    // The number the request sends for a head: its number without trailing
    // blanks, "1", the vehicle's type key and "0"; the answer names the
    // package by it.
    static QString SentPackageNumber(const QString &headNumber, const QString &typeKey);
    // The campaign package in the sense of the request: a type-1 line
    // marked "XX", a head, a type-2 and a type-4 line, and the XML request
    // with the extended format.
    bool IsCampaignRequest(const CPaket &paket) const;

    // The whole body in the schema version given; empty without a VIN.
    QString Build(const CPaket &paket, const QString &version) const;
    // Its children after the header (the vehicle as every message writes
    // it, CDmsMessageWriter::WriteVin); false without a VIN.
    bool Write(CDmsMessageWriter &body, const CPaket &paket) const;

private:
    void WritePackage(QXmlStreamWriter &xml, const CPaket &paket, bool campaign) const;
    void WriteLines(QXmlStreamWriter &xml, const CPaket &paket, const CPosition *campaignHead,
                    bool nested) const;
    void WriteCampaignInformation(QXmlStreamWriter &xml, const CPosition &head) const;
    void WriteCampaignLinePrice(QXmlStreamWriter &xml, const CPosition &line,
                                const CPosition &campaignHead) const;

    const CPrgSettings &m_settings;
};
