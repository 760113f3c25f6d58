#include "packages/model/Position.h"

#include "packages/model/DmsPriceData.h"
#include "packages/model/Paket.h"
#include "platform/OrmelText.h"
#include "platform/StringUtil.h"
#include "platform/XmlValues.h"

#include <tuple>
#include <utility>

bool IsHeadType(int type)
{
    return type == 6 || type == 9 || type == 18 || type == 19 || type == 20;
}

bool IsUnpricedType(int type)
{
    return type == 0 || type == 1 || type == 2 || type == 4 || type == 12 || type == 13;
}

bool IsPricedLineType(int type)
{
    return !IsUnpricedType(type) && !IsHeadType(type);
}

bool CPriceSet::operator==(const CPriceSet &o) const
{
    return std::tie(UnitGross, UnitNet, Vat, Gross, Net, PackageGross, PackageNet, FlatPrice,
                    NoPrice, Complete, TotalsComplete, TotalsCurrency, Currency) ==
           std::tie(o.UnitGross, o.UnitNet, o.Vat, o.Gross, o.Net, o.PackageGross, o.PackageNet,
                    o.FlatPrice, o.NoPrice, o.Complete, o.TotalsComplete, o.TotalsCurrency,
                    o.Currency);
}

QString CPositionData::CampaignUsage() const
{
    if (Type == POS_WORK)
        return Campaign[CampaignWorkUsage];
    if (Type == POS_PART)
        return Campaign[CampaignPartUsage];
    return QString();
}

QString CPositionData::CampaignStatus() const
{
    if (Type == POS_WORK)
        return Campaign[CampaignWorkStatus];
    if (Type == POS_PART)
        return Campaign[CampaignPartStatus];
    return QString();
}

namespace {

// The fields that take part in the comparison of two lines: all but the
// working integers, the set-3 currency and the hit rectangles.
auto ComparedFields(const CPositionData &p, const CPriceSet &set3)
{
    return std::tie(p.Type, p.Number, p.AwPosRef, p.IsLeadLabour, p.AwText1, p.AwText2, p.AwText3,
                    p.AwText4, p.AwTextExtra, p.KlammerText1, p.KlammerText2, p.KlammerText3,
                    p.KlammerText4, p.TeileText, p.AuftragsArt, p.BefundText, p.BefundText2,
                    p.Lackstufe, p.R, p.U, p.M, p.Flaeche, p.Az, p.AzEdited, p.Kind, p.Stock,
                    p.StockKnown, p.PosLfdNr, p.PosLfdNrRef, p.VonBaustand, p.BisBaustand,
                    p.PlusKennung, p.TeileClearing, p.ZeilenNr, p.Quantity, p.Selected, p.Doubled,
                    p.Preise1, p.ErsetztDurchNummer, p.ErsetztDurchText, p.ErsetztDurchBeschr,
                    p.PriceCalcFlag, p.StdGross, p.StdNet, p.StdVat, set3, p.Preise2, p.Text, p.HG,
                    p.PaketID, p.PaketArt, p.HGText, p.PaketTexts, p.PaketInt, p.Campaign,
                    p.IsFastlane, p.ExtraInt, p.IsValueLine, p.Spot, p.HasPartnerColour, p.SpotInt);
}

std::vector<std::unique_ptr<CPosition>>
CopiesOf(const std::vector<std::unique_ptr<CPosition>> &lines)
{
    std::vector<std::unique_ptr<CPosition>> copies;
    copies.reserve(lines.size());
    for (const auto &line : lines)
        copies.push_back(std::make_unique<CPosition>(*line));
    return copies;
}

CPriceSet WithoutCurrency(const CPriceSet &set)
{
    CPriceSet copy = set;
    copy.Currency.clear();
    return copy;
}

} // namespace

CPosition::CPosition() = default;

CPosition::CPosition(const CPosition &other) : CPositionData()
{
    *this = other;
}

CPosition &CPosition::operator=(const CPosition &other)
{
    if (this == &other)
        return *this;
    // The copies are made before anything of this line is dropped: the
    // source may be one of this line's own sub-lines or nested lines.
    auto subPackage = other.SubPackage ? std::make_unique<CPaket>(*other.SubPackage) : nullptr;
    auto subPositions = CopiesOf(other.SubPositions);
    CPositionData::operator=(other);
    SubPackage = std::move(subPackage);
    SubPositions = std::move(subPositions);
    return *this;
}

CPosition::~CPosition() = default;

void CPosition::CopySubPositions(const CPosition &other)
{
    if (this == &other)
        return;
    SubPositions = CopiesOf(other.SubPositions);
}

int CPosition::IsEqual(const CPosition &other) const
{
    const CPriceSet mine = WithoutCurrency(Preise3);
    const CPriceSet theirs = WithoutCurrency(other.Preise3);
    if (ComparedFields(*this, mine) != ComparedFields(other, theirs))
        return 0;

    // Missing and empty nested packages are alike: neither holds a line.
    const bool mineEmpty = !SubPackage || SubPackage->GetCount() == 0;
    const bool theirsEmpty = !other.SubPackage || other.SubPackage->GetCount() == 0;
    if (mineEmpty != theirsEmpty)
        return 0;
    if (!mineEmpty && !SubPackage->HasEqualLines(*other.SubPackage))
        return 0;

    if (SubPositions.size() != other.SubPositions.size())
        return 0;
    for (size_t i = 0; i < SubPositions.size(); ++i)
        if (!SubPositions[i]->IsEqual(*other.SubPositions[i]))
            return 0;
    return 1;
}

void CPosition::ResetPrices()
{
    Stock = -1.0;
    StockKnown = 0;
    const CPriceSet cleared;
    Preise1 = cleared;
    Preise2 = cleared;
    Preise3 = cleared;
    Preise1.NoPrice = 1;
    StdGross = StdNet = StdVat = kPriceNotSet;
    PriceCalcFlag = 0;
    ErsetztDurchNummer.clear();
    ErsetztDurchText.clear();
    ErsetztDurchBeschr.clear();
}

QString CPosition::AzMarker()
{
    const QString text = OrmelText(3012);
    return text.isEmpty() ? QStringLiteral("AZ") : text;
}

QString CPosition::GetPriceQuantity() const
{
    if (Az == AzMarker())
        return WithoutTrailingBlanks(Az);
    if (!Quantity.isEmpty())
        return WithoutTrailingBlanks(Quantity);
    if (!M.isEmpty())
        return WithoutTrailingBlanks(M);
    if (!U.isEmpty())
        return WithoutTrailingBlanks(U);
    return QString();
}

void CPosition::SetSelectionFlag()
{
    switch (Type) {
    case 0:
    case 1:
    case 2:
    case 4:
    case 9:
    case 12:
    case 13:
    case 18:
    case 19:
    case 20:
        return;
    default:
        break;
    }
    const bool optional = Kind == QLatin1String("O") || Kind == QLatin1String("A") ||
                          Kind == QLatin1String("B") || Kind == QLatin1String("OP");
    const bool specialWork = Type == POS_WORK && (Number == QLatin1String("0000900") ||
                                                  Number == QLatin1String("0000901") ||
                                                  Number == QLatin1String("9999010"));
    if (optional || specialWork) {
        Selected = 0;
        Doubled = 0;
    } else {
        Selected = 1;
    }
}

static bool TakeDmsPrice(CPriceSet &set, const CPriceTypeData &price)
{
    set.FlatPrice = XmlIsTrue(price.flagInclusivePrice) ? 1 : 0;
    set.Currency = price.currency;
    bool refused[3] = {};
    set.UnitNet = ParsePriceText(price.netPrice, &refused[0]);
    set.UnitGross = ParsePriceText(price.grossPrice, &refused[1]);
    set.Vat = ParsePriceText(price.valueAddedTax, &refused[2]);
    if (!refused[0] && !refused[1] && !refused[2])
        return true;
    // The element's other texts are written the same doubtful way: none of
    // them prices the line.
    set.UnitNet = set.UnitGross = set.Vat = kPriceNotSet;
    return false;
}

bool CPosition::TakeDmsPrice1(const CPriceTypeData &price)
{
    return TakeDmsPrice(Preise1, price);
}
bool CPosition::TakeDmsPrice2(const CPriceTypeData &price)
{
    return TakeDmsPrice(Preise2, price);
}
bool CPosition::TakeDmsPrice3(const CPriceTypeData &price)
{
    return TakeDmsPrice(Preise3, price);
}

bool CPosition::SetPricesFromDms3(const QString &packageGross, const QString &packageNet)
{
    bool grossRefused = false;
    bool netRefused = false;
    Preise3.PackageGross = ParsePriceText(packageGross, &grossRefused);
    Preise3.PackageNet = ParsePriceText(packageNet, &netRefused);
    if (!grossRefused && !netRefused)
        return true;
    Preise3.PackageGross = Preise3.PackageNet = kPriceNotSet;
    return false;
}

void CPosition::CalcPrice(CPriceSet &set, bool withLineFactors)
{
    const QString q = GetPriceQuantity();
    const bool byTime = !q.isEmpty() && q == AzMarker();
    const LinePrice p =
        DeriveLinePrice(set.UnitGross, set.UnitNet, set.Vat, set.FlatPrice == 1, byTime,
                        byTime ? 0.0 : ParseNumber(q), Preise1.NoPrice != 0);
    set.Gross = p.gross;
    set.Net = p.net;
    if (withLineFactors) {
        const QString &surcharge = std::as_const(Spot)[SpotMaPercent];
        set.Gross = ApplyLineFactors(set.Gross, Doubled != 0, surcharge);
        set.Net = ApplyLineFactors(set.Net, Doubled != 0, surcharge);
    }
}

void CPosition::CalcPrice1()
{
    CalcPrice(Preise1, true);
}
void CPosition::CalcPrice2()
{
    CalcPrice(Preise2, true);
}
void CPosition::CalcPrice3()
{
    CalcPrice(Preise3, false);
}
