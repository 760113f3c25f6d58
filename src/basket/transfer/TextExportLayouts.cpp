#include "basket/transfer/TextExportLayouts.h"

#include "dms/DmsFrame.h"
#include "packages/model/Paket.h"
#include "packages/model/Position.h"
#include "packages/model/PriceMath.h"
#include "platform/OrmelText.h"
#include "platform/StringUtil.h"
#include "settings/PrgSettings.h"

namespace {

const QString kLineEnd = QStringLiteral("\r\n");

// Labels of the labelled layout.
enum
{
    kTextFinding = 3000,
    kTextLabourNumber = 3005,
    kTextDate = 3008,
    kTextAw = 3009,
    kTextArea = 3010,
    kTextSiFinding = 3011,
    kTextPaintStage = 3013,
    kTextVin = 3015,
    kTextTypeKey = 3016,
    kTextLeadType = 3017,
    kTextModel = 3018,
    kTextModelSeries = 3053,
    kTextOrderNumber = 3085,
    kTextPlate = 3086,
    kTextSettlement = 3116,
    kTextJobNote = 3117,
    kTextQuantity = 3122,
    kTextStock = 3123,
    kTextNet = 3129,
    kTextGross = 3130,
    kTextFlatPrice = 3131,
    kTextPackage = 4060,
    kTextPackageNumber = 4061,
    kTextJobNumber = 4062,
    kTextVat = 4063,
    kTextPartNumber = 4065,
    kTextReplacementNumber = 4066,
    kTextReplacementDesignation = 4067,
    kTextReplacementReason = 4068,
    kTextStandard = 6003,
};

// The heads that carry a writer; a type-6 head is never exported.
bool IsExportedHead(int type)
{
    return type == POS_HEAD_CAMPAIGN || type == POS_HEAD18 || type == POS_HEAD19 ||
           type == POS_HEAD20;
}

QString FlatText(int flat)
{
    return flat ? QStringLiteral("true") : QStringLiteral("false");
}

QString StockText(const CPosition &line)
{
    return QString::asprintf("%.3f", line.Stock);
}

// The value a labour line is charged by: its value, else its time marker.
QString LabourValue(const CPosition &line)
{
    return line.Quantity.isEmpty() ? line.Az : line.Quantity;
}

// The currency of a set; a head may name it only for its totals.
QString CurrencyOf(const CPriceSet &set)
{
    return set.Currency.isEmpty() ? set.TotalsCurrency : set.Currency;
}

// A line's prices are exported when both are real prices; a head's only
// when the package says they are present as well.
bool ExportsPrices(const CPosition &line)
{
    const CPriceSet &p = line.Preise1;
    if (IsExportedHead(line.Type) && !p.Complete)
        return false;
    return CTextExportLayout::HasRealPrices(p.Gross, p.Net);
}

} // namespace

std::unique_ptr<CTextExportLayout> CTextExportLayout::Create(int format,
                                                             const CPrgSettings &settings,
                                                             const CTextExportHead &head,
                                                             const QString &vin)
{
    switch (format) {
    case 6:
        return std::make_unique<CTextExportLabelled>(settings, head, vin);
    case 7:
        return std::make_unique<CTextExportTagged>(settings, head, vin);
    case 8:
        return std::make_unique<CTextExportFixed>(settings, head, vin);
    default:
        return nullptr;
    }
}

QString CTextExportLayout::OneLine(const QString &value)
{
    QString out = value;
    for (QChar &c : out) {
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            c = QLatin1Char(' ');
    }
    return out;
}

QString CTextExportLayout::Amount(double value)
{
    return FormatPrice(value);
}

bool CTextExportLayout::IsRealPrice(double value)
{
    return !IsPriceSentinel(value);
}

bool CTextExportLayout::HasRealPrices(double gross, double net)
{
    return IsRealPrice(gross) && IsRealPrice(net);
}

bool CTextExportLayout::Package(QString &out, const CPaket &paket, int count)
{
    const int mark = out.size();
    PackageBegin(out, count);
    if (!Walk(out, paket, false)) {
        out.truncate(mark);
        return false;
    }
    PackageEnd(out);
    return true;
}

int CTextExportLayout::Walk(QString &out, const CPaket &paket, bool nested)
{
    int written = 0;
    for (const auto &entry : paket) {
        const CPosition *line = entry.get();
        if (!line || IsUnpricedType(line->Type) || !line->Selected)
            continue;
        const bool head = IsExportedHead(line->Type);
        if (nested && head)
            continue;
        if (line->Type == POS_SUBPACKAGE) {
            if (line->SubPackage)
                written += Walk(out, *line->SubPackage, true);
            continue;
        }
        if (head)
            Head(out, *line);
        else if (line->Type == POS_WORK)
            Labour(out, *line);
        else if (line->Type == POS_PART)
            Part(out, *line);
        else
            continue;
        ++written;
    }
    return written;
}

// --- Layout 6, labelled ------------------------------------------------------

namespace {

void Labelled(QString &out, int label, const QString &value)
{
    out += OrmelText(label) + QStringLiteral(": ") + CTextExportLayout::OneLine(value) + kLineEnd;
}

void Plain(QString &out, const QString &value)
{
    out += CTextExportLayout::OneLine(value) + kLineEnd;
}

void TextLines(QString &out, const CPosition &line)
{
    for (const QString *text :
         {&line.AwText1, &line.AwText2, &line.AwText3, &line.AwText4, &line.KlammerText1,
          &line.KlammerText2, &line.KlammerText3, &line.KlammerText4}) {
        if (!text->isEmpty())
            Plain(out, *text);
    }
}

} // namespace

void CTextExportLabelled::Header(QString &out)
{
    const CPrgSettings &s = m_settings;
    Labelled(out, kTextOrderNumber, m_head.orderNumber);
    Labelled(out, kTextPlate, m_head.plate);
    Labelled(out, kTextDate, m_head.date);
    out += QStringLiteral("km/mls: ") + OneLine(m_head.mileage) + kLineEnd;
    Labelled(out, kTextSettlement, m_head.settlementCode);
    Labelled(out, kTextJobNote, m_head.jobNote);
    Labelled(out, kTextJobNumber, m_head.jobNumber);
    out += kLineEnd;
    Labelled(out, kTextVin, m_vin);
    Labelled(out, kTextTypeKey, s.TypSchl);
    Labelled(out, kTextModelSeries, s.EReihe);
    Labelled(out, kTextModel, s.ModellBez);
    Labelled(out, kTextLeadType, s.LeadTyp);
    out += kLineEnd;
}

void CTextExportLabelled::PackageBegin(QString &out, int)
{
    out += kLineEnd + OrmelText(kTextPackage) + kLineEnd;
}

bool CTextExportLabelled::Position(QString &out, const CPosition &line)
{
    switch (line.Type) {
    case POS_BASKET_LABOUR:
        out += kLineEnd + OrmelText(kTextAw) + kLineEnd;
        Labour(out, line);
        return true;
    case POS_SI_FINDING:
        out += kLineEnd;
        Labelled(out, kTextSiFinding, line.Number);
        Plain(out, line.BefundText);
        return true;
    case POS_FINDING:
        out += kLineEnd;
        Labelled(out, kTextFinding, line.Number);
        Plain(out, line.BefundText);
        Plain(out, line.BefundText2);
        return true;
    default:
        return false;
    }
}

void CTextExportLabelled::Head(QString &out, const CPosition &line)
{
    Labelled(out, kTextPackageNumber, WithoutTrailingBlanks(line.Number));
    TextLines(out, line);
    if (ExportsPrices(line))
        Prices(out, line);
    if (line.HG == QLatin1String("XX") && m_settings.bSchulung)
        Campaign(out, line);
}

void CTextExportLabelled::Campaign(QString &out, const CPosition &head)
{
    const auto &c = head.Campaign;
    out += kLineEnd + QStringLiteral("Campaign") + kLineEnd;
    Plain(out, QStringLiteral("Number: ") + c[CPosition::CampaignNumber]);
    Plain(out, QStringLiteral("CampaignPackageNumber: ") + c[CPosition::CampaignPackageNumber]);
    Plain(out, QStringLiteral("CampaignName: ") + c[CPosition::CampaignName]);
    Plain(out, QStringLiteral("CampaignPackageName: ") + c[CPosition::CampaignPackageName]);
    if (IsRealPrice(head.Preise3.Gross))
        Plain(out, QStringLiteral("PackageGrossPrice: ") + Amount(head.Preise3.Gross));
    if (IsRealPrice(head.Preise3.Net))
        Plain(out, QStringLiteral("PackageNetPrice: ") + Amount(head.Preise3.Net));
    if (c[CPosition::CampaignPriceType] == QLatin1String("R"))
        Plain(out,
              QStringLiteral("PackageRebate:") + DmsNumberText(c[CPosition::CampaignFixedPrice]));
    out += kLineEnd;
}

void CTextExportLabelled::Labour(QString &out, const CPosition &line)
{
    Labelled(out, kTextLabourNumber, line.Number);
    TextLines(out, line);
    if (!line.Lackstufe.isEmpty())
        Plain(out, OrmelText(kTextPaintStage) + QLatin1Char(' ') + line.Lackstufe);
    const QString value = LabourValue(line);
    if (!value.isEmpty())
        Labelled(out, kTextAw, value);
    if (!line.R.isEmpty())
        Plain(out, QStringLiteral("R:") + line.R);
    if (!line.U.isEmpty())
        Plain(out, QStringLiteral("U:") + line.U);
    if (!line.M.isEmpty())
        Plain(out, QStringLiteral("M:") + line.M);
    if (!line.Flaeche.isEmpty())
        Plain(out, OrmelText(kTextArea) + QStringLiteral("^2: ") + line.Flaeche);
    if (ExportsPrices(line))
        Prices(out, line);
}

void CTextExportLabelled::Part(QString &out, const CPosition &line)
{
    Labelled(out, kTextPartNumber, WithoutTrailingBlanks(line.Number));
    const QString designation = WithoutTrailingBlanks(line.TeileText);
    if (!designation.isEmpty())
        Plain(out, designation);
    if (!line.Quantity.isEmpty())
        Labelled(out, kTextQuantity, line.Quantity);
    if (line.StockKnown == 1)
        Labelled(out, kTextStock, StockText(line));
    const std::pair<int, const QString *> replacement[] = {
        {kTextReplacementNumber, &line.ErsetztDurchNummer},
        {kTextReplacementReason, &line.ErsetztDurchBeschr},
        {kTextReplacementDesignation, &line.ErsetztDurchText},
    };
    for (const auto &[label, text] : replacement) {
        const QString value = WithoutTrailingBlanks(*text);
        if (!value.isEmpty())
            Labelled(out, label, value);
    }
    if (ExportsPrices(line))
        Prices(out, line);
}

void CTextExportLabelled::Prices(QString &out, const CPosition &line)
{
    const CPriceSet &p1 = line.Preise1;
    PriceSet(out, QString(), p1.FlatPrice, p1.Net, p1.Gross, p1.Vat, CurrencyOf(p1));
    // The standard price only where the training edition shows it, and
    // only as a real price.
    const CPriceSet &p2 = line.Preise2;
    if (m_settings.bSchulung && HasRealPrices(p2.Gross, p2.Net))
        PriceSet(out, OrmelText(kTextStandard) + QLatin1Char(' '), p2.FlatPrice, p2.Net, p2.Gross,
                 p2.Vat, CurrencyOf(p2));
}

void CTextExportLabelled::PriceSet(QString &out, const QString &prefix, int flatPrice, double net,
                                   double gross, double vat, const QString &currency)
{
    const QString suffix = currency.isEmpty() ? QString() : QLatin1Char(' ') + currency;
    const QString colon = QStringLiteral(": ");
    Plain(out, prefix + OrmelText(kTextFlatPrice) + colon + FlatText(flatPrice));
    Plain(out, prefix + OrmelText(kTextNet) + colon + Amount(net) + suffix);
    Plain(out, prefix + OrmelText(kTextGross) + colon + Amount(gross) + suffix);
    if (IsPriceGiven(vat))
        Plain(out, prefix + OrmelText(kTextVat) + colon + Amount(vat) + QLatin1Char('%'));
}

// --- Layout 7, tagged --------------------------------------------------------

namespace {

void Tag(QString &out, const QString &tag, const QString &value)
{
    out += QLatin1Char('<') + tag + QLatin1Char('>') + CTextExportLayout::OneLine(value) +
           QStringLiteral("</") + tag + QLatin1Char('>') + kLineEnd;
}

void TagIfSet(QString &out, const QString &tag, const QString &value)
{
    if (!value.isEmpty())
        Tag(out, tag, value);
}

QString TagName(QChar letter, int number)
{
    return letter + QString::asprintf("%02d", number);
}

// X01-X04 the labour texts, X05-X08 the bracket texts, each if set.
void TextTags(QString &out, QChar letter, const CPosition &line)
{
    int n = 1;
    for (const QString *text :
         {&line.AwText1, &line.AwText2, &line.AwText3, &line.AwText4, &line.KlammerText1,
          &line.KlammerText2, &line.KlammerText3, &line.KlammerText4})
        TagIfSet(out, TagName(letter, n++), *text);
}

const QString kPosition = QStringLiteral("POSITION");

} // namespace

void CTextExportTagged::Begin(QString &out)
{
    out += QStringLiteral("<YAQDMS>") + kLineEnd;
}

void CTextExportTagged::End(QString &out)
{
    out += QStringLiteral("</YAQDMS>") + kLineEnd;
}

void CTextExportTagged::Header(QString &out)
{
    const CPrgSettings &s = m_settings;
    Tag(out, QStringLiteral("A00"), m_head.orderNumber);
    Tag(out, QStringLiteral("A01"), m_head.plate);
    Tag(out, QStringLiteral("A02"), m_head.date);
    Tag(out, QStringLiteral("A03"), m_head.mileage);
    Tag(out, QStringLiteral("A04"), m_head.settlementCode);
    Tag(out, QStringLiteral("A05"), m_head.jobNote);
    Tag(out, QStringLiteral("A06"), m_head.jobNumber);
    Tag(out, QStringLiteral("B00"), m_vin);
    Tag(out, QStringLiteral("B01"), s.TypSchl);
    Tag(out, QStringLiteral("B02"), s.EReihe);
    Tag(out, QStringLiteral("B03"), s.ModellBez);
    Tag(out, QStringLiteral("B04"), s.LeadTyp);
}

void CTextExportTagged::PackageBegin(QString &out, int)
{
    out += QLatin1Char('<') + kPosition + QLatin1Char('>') + kLineEnd;
}

void CTextExportTagged::PackageEnd(QString &out)
{
    out += QStringLiteral("</") + kPosition + QLatin1Char('>') + kLineEnd;
}

bool CTextExportTagged::Position(QString &out, const CPosition &line)
{
    if (line.Type != POS_BASKET_LABOUR && line.Type != POS_SI_FINDING && line.Type != POS_FINDING)
        return false;
    PackageBegin(out, 1);
    if (line.Type == POS_BASKET_LABOUR) {
        Labour(out, line);
    } else if (line.Type == POS_SI_FINDING) {
        Tag(out, QStringLiteral("S00"), line.Number);
        Tag(out, QStringLiteral("S01"), line.BefundText);
    } else {
        Tag(out, QStringLiteral("K00"), line.Number);
        Tag(out, QStringLiteral("K01"), line.BefundText);
        Tag(out, QStringLiteral("K02"), line.BefundText2);
    }
    PackageEnd(out);
    return true;
}

void CTextExportTagged::Head(QString &out, const CPosition &line)
{
    Tag(out, QStringLiteral("Q00"), line.Number);
    TextTags(out, QLatin1Char('Q'), line);
    if (ExportsPrices(line))
        Prices(out, QLatin1Char('Q'), line);
}

void CTextExportTagged::Labour(QString &out, const CPosition &line)
{
    Tag(out, QStringLiteral("P00"), line.Number);
    TextTags(out, QLatin1Char('P'), line);
    TagIfSet(out, QStringLiteral("P09"), line.Lackstufe);
    TagIfSet(out, QStringLiteral("P10"), LabourValue(line));
    TagIfSet(out, QStringLiteral("P11"), line.R);
    TagIfSet(out, QStringLiteral("P12"), line.U);
    TagIfSet(out, QStringLiteral("P13"), line.M);
    TagIfSet(out, QStringLiteral("P14"), line.Flaeche);
    if (ExportsPrices(line))
        Prices(out, QLatin1Char('P'), line);
}

void CTextExportTagged::Part(QString &out, const CPosition &line)
{
    Tag(out, QStringLiteral("T00"), WithoutTrailingBlanks(line.Number));
    TagIfSet(out, QStringLiteral("T01"), WithoutTrailingBlanks(line.TeileText));
    TagIfSet(out, QStringLiteral("T02"), line.Quantity);
    if (line.StockKnown == 1)
        Tag(out, QStringLiteral("T03"), StockText(line));
    TagIfSet(out, QStringLiteral("T04"), WithoutTrailingBlanks(line.ErsetztDurchNummer));
    TagIfSet(out, QStringLiteral("T05"), WithoutTrailingBlanks(line.ErsetztDurchBeschr));
    TagIfSet(out, QStringLiteral("T06"), WithoutTrailingBlanks(line.ErsetztDurchText));
    if (ExportsPrices(line))
        Prices(out, QLatin1Char('T'), line);
}

void CTextExportTagged::Prices(QString &out, QChar letter, const CPosition &line)
{
    const CPriceSet &p = line.Preise1;
    Tag(out, TagName(letter, 15), FlatText(p.FlatPrice));
    TagIfSet(out, TagName(letter, 16), CurrencyOf(p));
    Tag(out, TagName(letter, 17), Amount(p.Net));
    Tag(out, TagName(letter, 18), Amount(p.Gross));
    if (IsPriceGiven(p.Vat))
        Tag(out, TagName(letter, 19), Amount(p.Vat));
}

// --- Layout 8, fixed width ---------------------------------------------------

namespace {

// One record: its letter, then fields of fixed width, then blanks up to the
// record's length.
class CRecord
{
public:
    explicit CRecord(QChar letter) : m_text(letter) {}
    CRecord &Add(const QString &value, int width)
    {
        m_text += CTextExportFixed::Field(value, width);
        m_used += width;
        return *this;
    }
    // A value as stored, without blanks after it; the record's blanks
    // count it at the given width.
    CRecord &AddUnpadded(const QString &value, int width)
    {
        m_text += CTextExportLayout::OneLine(value);
        m_used += width;
        return *this;
    }
    QString Done() const
    {
        return m_text + QString(FixedWidth::kRecord - m_used, QLatin1Char(' ')) + kLineEnd;
    }

private:
    QString m_text;
    int m_used = 1;
};

} // namespace

QString CTextExportFixed::Field(const QString &value, int width)
{
    // The width counts the characters of the text as the program holds it,
    // before the code page: a double-byte character of the file fills one
    // column of its field, as the dealer systems read these records.
    const QString text = OneLine(value);
    return text + QString(qMax(0, width - int(text.size())), QLatin1Char(' '));
}

void CTextExportFixed::RecordHeader(QString &out, int count)
{
    using namespace FixedWidth;
    const std::pair<QChar, const QString *> optional[] = {
        {QLatin1Char('N'), &m_head.orderNumber},
        {QLatin1Char('C'), &m_head.settlementCode},
        {QLatin1Char('H'), &m_head.jobNote},
    };
    for (const auto &[letter, value] : optional) {
        if (!value->isEmpty())
            out += CRecord(letter).Add(*value, kHeaderValue).Done();
    }
    int maxCount = 1;
    for (int i = 0; i < kCount; ++i)
        maxCount *= 10;
    const QString countText = QString::asprintf("%.5d", qBound(0, count, maxCount - 1));
    out += CRecord(QLatin1Char('F'))
               .AddUnpadded(m_vin, kVin)
               .AddUnpadded(m_settings.TypSchl, kTypeKey)
               .AddUnpadded(m_settings.LeadTyp, kLeadType)
               .Add(m_settings.EReihe, kModelSeries)
               .Add(m_settings.ModellBez, kModel)
               .Add(countText, kCount)
               .Done();
}

void CTextExportFixed::PackageBegin(QString &out, int count)
{
    RecordHeader(out, count);
}

bool CTextExportFixed::Position(QString &out, const CPosition &line)
{
    using namespace FixedWidth;
    switch (line.Type) {
    case POS_BASKET_LABOUR:
        RecordHeader(out, 1);
        Labour(out, line);
        return true;
    case POS_SI_FINDING:
        RecordHeader(out, 1);
        out += CRecord(QLatin1Char('S'))
                   .Add(line.Number, kFindingNumber)
                   .Add(line.BefundText, kFindingText)
                   .Done();
        return true;
    case POS_FINDING:
        RecordHeader(out, 1);
        out += CRecord(QLatin1Char('B'))
                   .Add(line.Number, kFindingNumber)
                   .Add(line.BefundText, kFindingText)
                   .Add(line.BefundText2, kFindingText)
                   .Done();
        return true;
    default:
        return false;
    }
}

void CTextExportFixed::TextRecord(QString &out, QChar letter, const CPosition &line,
                                  const QString &value)
{
    using namespace FixedWidth;
    out += CRecord(letter)
               .Add(line.Number, kNumber)
               .Add(value, kValue)
               .Add(line.AwText1, kLabourText)
               .Add(line.AwText2, kLabourText)
               .Add(line.AwText3, kLabourText)
               .Add(line.AwText4, kLabourText)
               .Done();
    BracketRecord(out, line);
}

void CTextExportFixed::BracketRecord(QString &out, const CPosition &line)
{
    using namespace FixedWidth;
    out += CRecord(QLatin1Char('K'))
               .Add(QString(), kNumber + kValue)
               .Add(line.KlammerText1, kLabourText)
               .Add(line.KlammerText2, kLabourText)
               .Add(line.KlammerText3, kLabourText)
               .Add(line.KlammerText4, kLabourText)
               .Done();
}

void CTextExportFixed::Head(QString &out, const CPosition &line)
{
    TextRecord(out, QLatin1Char('P'), line, line.Quantity);
}

void CTextExportFixed::Labour(QString &out, const CPosition &line)
{
    TextRecord(out, QLatin1Char('A'), line, line.GetDisplayNumber());
}

void CTextExportFixed::Part(QString &out, const CPosition &line)
{
    using namespace FixedWidth;
    const QString replacement = WithoutTrailingBlanks(line.ErsetztDurchNummer);
    const QString replacementText = WithoutTrailingBlanks(line.ErsetztDurchText);
    out += CRecord(QLatin1Char('T'))
               .Add(replacement.isEmpty() ? line.Number : replacement, kNumber)
               .Add(line.Quantity, kValue)
               .Add(replacementText.isEmpty() ? line.TeileText : replacementText, kPartText)
               .Done();
}
