#pragma once
// The three layouts of the text export a dealer system reads from a file or
// the clipboard:
//   6  labelled lines, "label: value", labels in the program language;
//   7  tagged lines "<tag>value</tag>" inside "<YAQDMS>" ... "</YAQDMS>";
//   8  fixed-width records of 255 characters, one letter leading each (a
//      longer value makes its record longer, it is never cut).
// Every line ends "\r\n". A package entry is its head, work positions and
// parts (the lines of sub-packages included, their heads left out); a
// single entry is one labour position, SI finding or finding.
//
// Each layout writes exactly one line per value: a line break inside a
// value (a job note typed over two lines) becomes a blank, so that the
// dealer system never reads half a value as a line of its own.

#include "basket/transfer/TextExport.h"

#include <QString>

#include <memory>

class CPaket;
class CPosition;
class CPrgSettings;

// The fields of the fixed-width records, in characters of the text (a
// character the code page writes in two bytes is still one). A value is padded with
// blanks to its width; a longer one is written whole and pushes the rest of
// its record to the right: nothing typed is lost on the way to the dealer
// system. A record whose values fit is kRecord long.
namespace FixedWidth {
constexpr int kRecord = 255;
constexpr int kHeaderValue = 254; // N, C and H records: order number, settlement code, job note
// The F record: VIN, type key and lead type as stored, unpadded (counted
// here at their usual lengths, so that the record of a short VIN is
// kRecord long and one of a full VIN ten characters longer), then model
// series, model designation and the count of the record's lines, then
// blanks.
constexpr int kVin = 7;
constexpr int kTypeKey = 4;
constexpr int kLeadType = 4;
constexpr int kModelSeries = 4;
constexpr int kModel = 15;
constexpr int kCount = 5;
// P, A, K and T records.
constexpr int kNumber = 35;
constexpr int kValue = 8; // quantity, labour value
constexpr int kLabourText = 40;
constexpr int kPartText = 56;
// S and B records.
constexpr int kFindingNumber = 10;
constexpr int kFindingText = 100;
} // namespace FixedWidth

class CTextExportLayout
{
public:
    // The layout of a format setting (6, 7, 8); null for any other value.
    // Borrowed: the settings and the head outlive the layout.
    static std::unique_ptr<CTextExportLayout> Create(int format, const CPrgSettings &settings,
                                                     const CTextExportHead &head,
                                                     const QString &vin);
    virtual ~CTextExportLayout() = default;

    // Before and after everything.
    virtual void Begin(QString &) {}
    virtual void End(QString &) {}
    // The run's header, before the first entry written (not fixed width).
    virtual void Header(QString &) {}
    // One package entry with its count of priced lines; false, and nothing
    // appended, when the package has no line this layout writes.
    bool Package(QString &out, const CPaket &paket, int count);
    // One single entry (labour position 14, SI finding 15, finding 16);
    // false, and nothing appended, for any other line.
    virtual bool Position(QString &out, const CPosition &line) = 0;

    // The value on one line: line breaks become blanks.
    static QString OneLine(const QString &value);
    // A price amount as exported: "%.2f" after adding 1e-10.
    static QString Amount(double value);
    // A price the export may write: none of the markers -1, -2, -3.
    static bool IsRealPrice(double value);
    // Both gross and net of the set are real prices.
    static bool HasRealPrices(double gross, double net);

protected:
    CTextExportLayout(const CPrgSettings &settings, const CTextExportHead &head, const QString &vin)
        : m_settings(settings), m_head(head), m_vin(vin)
    {
    }

    virtual void PackageBegin(QString &out, int count) = 0;
    virtual void PackageEnd(QString &) {}
    virtual void Head(QString &out, const CPosition &line) = 0;
    virtual void Labour(QString &out, const CPosition &line) = 0;
    virtual void Part(QString &out, const CPosition &line) = 0;

    const CPrgSettings &m_settings;
    const CTextExportHead &m_head;
    const QString m_vin;

private:
    // The priced lines of the package in list order; a nested package gives
    // its lines but not its head. The number of lines written, at every
    // level.
    int Walk(QString &out, const CPaket &paket, bool nested);
};

// Layout 6.
class CTextExportLabelled : public CTextExportLayout
{
public:
    CTextExportLabelled(const CPrgSettings &settings, const CTextExportHead &head,
                        const QString &vin)
        : CTextExportLayout(settings, head, vin)
    {
    }
    void Header(QString &out) override;
    bool Position(QString &out, const CPosition &line) override;

private:
    void PackageBegin(QString &out, int count) override;
    void Head(QString &out, const CPosition &line) override;
    void Labour(QString &out, const CPosition &line) override;
    void Part(QString &out, const CPosition &line) override;
    void Prices(QString &out, const CPosition &line);
    void PriceSet(QString &out, const QString &prefix, int flatPrice, double net, double gross,
                  double vat, const QString &currency);
    void Campaign(QString &out, const CPosition &head);
};

// Layout 7.
class CTextExportTagged : public CTextExportLayout
{
public:
    CTextExportTagged(const CPrgSettings &settings, const CTextExportHead &head, const QString &vin)
        : CTextExportLayout(settings, head, vin)
    {
    }
    void Begin(QString &out) override;
    void End(QString &out) override;
    void Header(QString &out) override;
    bool Position(QString &out, const CPosition &line) override;

private:
    void PackageBegin(QString &out, int count) override;
    void PackageEnd(QString &out) override;
    void Head(QString &out, const CPosition &line) override;
    void Labour(QString &out, const CPosition &line) override;
    void Part(QString &out, const CPosition &line) override;
    void Prices(QString &out, QChar letter, const CPosition &line);
};

// Layout 8.
class CTextExportFixed : public CTextExportLayout
{
public:
    CTextExportFixed(const CPrgSettings &settings, const CTextExportHead &head, const QString &vin)
        : CTextExportLayout(settings, head, vin)
    {
    }
    bool Position(QString &out, const CPosition &line) override;

    // The value on one line, padded with blanks to the width in
    // characters; a longer value is written whole.
    static QString Field(const QString &value, int width);

private:
    void PackageBegin(QString &out, int count) override;
    void Head(QString &out, const CPosition &line) override;
    void Labour(QString &out, const CPosition &line) override;
    void Part(QString &out, const CPosition &line) override;
    void RecordHeader(QString &out, int count);
    void TextRecord(QString &out, QChar letter, const CPosition &line, const QString &value);
    void BracketRecord(QString &out, const CPosition &line);
};
