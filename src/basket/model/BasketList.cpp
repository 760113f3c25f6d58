#include "basket/model/BasketList.h"

#include "basket/model/WKList.h"
#include "packages/model/CampaignXml.h"
#include "packages/model/Paket.h"
#include "packages/model/Position.h"
#include "platform/StringUtil.h"

namespace {

// The HG code of a work line that closes its package: what follows it in
// the package is not part of the Basket-List.
const QLatin1String kClosingLine("YY");

QString WithoutLeadingZeros(const QString &text)
{
    int start = 0;
    while (start < text.size() && text.at(start) == QLatin1Char('0'))
        ++start;
    return text.mid(start);
}

// The heads that name a package of the service kinds (not the spot-repair
// head 6).
bool IsServiceHead(int type)
{
    return type == POS_HEAD_CAMPAIGN || type == POS_HEAD18 || type == POS_HEAD19 ||
           type == POS_HEAD20;
}

void TakePlainSet(CPackageCBItem &item, const CPriceSet &set)
{
    item.PreisBrutto = set.UnitGross;
    item.PreisNetto = set.UnitNet;
    item.Mwst = set.Vat;
    item.TotalPreisBrutto = set.Gross;
    item.TotalPreisNetto = set.Net;
    item.Pauschalkennung = set.FlatPrice;
    item.WaehrungsKZ = set.Currency;
}

void TakeCustomerSet(CPackageCBItem &item, const CPriceSet &set)
{
    item.KundenPreisBrutto = set.UnitGross;
    item.KundenPreisNetto = set.UnitNet;
    item.KundenPreisMwst = set.Vat;
    item.KundenTotalPreisBrutto = set.Gross;
    item.KundenTotalPreisNetto = set.Net;
    item.KundenPreisPauschalkennung = set.FlatPrice;
    item.KundenPreisWaehrungsKZ = set.Currency;
}

// The fields every kind of item takes from its line as they are.
void TakeLineFields(CPackageCBItem &item, const CPosition &line)
{
    CWKList::PositionTypeToItemType(item.PackageTyp, line);
    item.Number = line.Number;
    item.AwPosRef = line.AwPosRef;
    item.AwText1 = line.AwText1;
    item.AwText2 = line.AwText2;
    item.AwText3 = line.AwText3;
    item.AwText4 = line.AwText4;
    item.KlammerText1 = line.KlammerText1;
    item.KlammerText2 = line.KlammerText2;
    item.KlammerText3 = line.KlammerText3;
    item.KlammerText4 = line.KlammerText4;
    item.TeileText = line.TeileText;
    item.AuftragsArt = line.AuftragsArt;
    item.BefundText = line.BefundText;
    item.Lackstufe = line.Lackstufe;
    item.R = line.R;
    item.U = line.U;
    item.M = line.M;
    item.Flaeche = line.Flaeche;
    item.Az = line.Az;
    item.Art = line.Kind;
    item.TeileBestand = line.Stock;
    item.TeileBestandFilled = line.StockKnown;
    item.PosLfdNr = line.PosLfdNr;
    item.PosLfdNrRef = line.PosLfdNrRef;
    item.VonBaustand = line.VonBaustand;
    item.BisBaustand = line.BisBaustand;
    item.PlusKennung = line.PlusKennung;
    item.TeileClearing = line.TeileClearing;
    item.ZeilenNr = line.ZeilenNr;
    item.Menge = line.Quantity;
    item.Auswahl = line.Selected;
    item.ErsetztDurchNummer = line.ErsetztDurchNummer;
    item.ErsetztDurchText = line.ErsetztDurchText;
    item.ErsetztDurchBeschr = line.ErsetztDurchBeschr;
    item.Text = line.Text;
    item.HG = line.HG;
    item.PaketID = line.PaketID;
    item.PaketArt = line.PaketArt;
    item.HGText = line.HGText;
}

// The package rebate of a rebate campaign: the fixed-price text of the
// campaign package line, read as a number. An empty or unreadable text is
// no rebate (-1.0), never a rebate of 0.
double RebateOf(const CPosition &line)
{
    return ParsePriceText(line.Campaign[CPosition::CampaignFixedPrice]);
}

// One package walked into one basket (campaign) or into a basket of its own
// and one for each chosen sub-package (the other kinds).
class CExpansion
{
public:
    CExpansion(CBasketArray &out, const QString &typeKey) : m_out(out), m_typeKey(typeKey) {}

    void Package(const CPaket &paket, int kind)
    {
        CBasket basket;
        CWKList::KindToBasketType(basket.BasketTyp, kind);
        Walk(basket, paket, /*campaign*/ false, /*nested*/ false);
        m_out.push_back(std::move(basket));
        // Every chosen sub-package follows as a basket of its own, of its
        // parent's type.
        for (const auto &line : paket) {
            if (line && line->Type == POS_SUBPACKAGE && line->Selected && line->SubPackage)
                Package(*line->SubPackage, kind);
        }
    }

    void CampaignPackage(const CPaket &paket)
    {
        CBasket basket;
        CWKList::KindToBasketType(basket.BasketTyp, WK_CAMPAIGN);
        Walk(basket, paket, /*campaign*/ true, /*nested*/ false);
        m_out.push_back(std::move(basket));
    }

private:
    // The lines of one package level; a campaign basket takes its chosen
    // sub-packages' lines, without their heads, where they stand.
    void Walk(CBasket &basket, const CPaket &paket, bool campaign, bool nested)
    {
        const CPosition *head = paket.GetKopf();
        // The number of the last flat-priced head met: its unchosen work
        // line carries the package's labour and goes along.
        QString flatHead;
        bool flatHeadMet = false;
        for (const auto &owned : paket) {
            const CPosition *line = owned.get();
            if (!line || line->Type == POS_EMPTY || line->Type == 7 || line->Type == 8 ||
                line->Type == POS_GROUP)
                continue;
            if (!line->Selected &&
                !(line->Type == POS_WORK && flatHeadMet && line->Number == flatHead))
                continue;
            if (campaign && nested && (IsServiceHead(line->Type) || line->Type == POS_SPECIAL1))
                continue;
            if (line->Type == POS_SUBPACKAGE) {
                if (campaign && line->SubPackage)
                    Walk(basket, *line->SubPackage, true, true);
                continue;
            }
            CPackageCBItem item = Item(*line, head, campaign);
            if (IsServiceHead(line->Type) && line->Preise1.FlatPrice) {
                flatHead = line->Number;
                flatHeadMet = true;
            }
            // A head of the warranty, inclusive-service or value-line kind
            // is announced as a package head first.
            if (line->Type == POS_HEAD18 || line->Type == POS_HEAD19 || line->Type == POS_HEAD20) {
                CPackageCBItem announce = item;
                announce.PackageTyp = 2;
                basket.Items.push_back(std::move(announce));
            }
            basket.Items.push_back(std::move(item));
            if (line->Type == POS_WORK && line->HG == kClosingLine)
                return;
        }
    }

    CPackageCBItem Item(const CPosition &line, const CPosition *head, bool campaign) const
    {
        CPackageCBItem item;
        TakeLineFields(item, line);
        const int type = line.Type;
        if (IsServiceHead(type))
            item.Number = line.Number + QLatin1Char('1') + m_typeKey + QLatin1Char('0');
        if (IsHeadType(type))
            item.Kampagnen = int(line.SubPositions.size());
        const auto &c = line.Campaign;
        if (type == POS_SPECIAL2) {
            item.KampagnenName = c[CPosition::CampaignName];
            item.KampagnenCommercialText = c[CPosition::CampaignCommercialText];
            item.KampagnenNo = c[CPosition::CampaignNumber];
            item.Kampagnenpreistyp = c[CPosition::CampaignPriceType];
        } else if (type == POS_SPECIAL4) {
            item.KampagnenPaketName = c[CPosition::CampaignPackageName];
            item.KampagnenPaketNo = c[CPosition::CampaignPackageNumber];
            if (c[CPosition::CampaignPriceType] == QLatin1String("R"))
                item.KampagnenRabatt = WithoutLeadingZeros(c[CPosition::CampaignFixedPrice]);
        }
        // The rebate of a rebate campaign ("R") stands on its package line;
        // under a campaign of rebates by kind ("CR") a work line takes the
        // head's labour rebate, a part the head's parts or oil rebate.
        if (head) {
            const QString &priceType = head->Campaign[CPosition::CampaignPriceType];
            if (type == POS_SPECIAL4 && priceType == QLatin1String("R"))
                item.KampagnenRabattDouble = RebateOf(line);
            if ((type == POS_WORK || type == POS_PART) && priceType == QLatin1String("CR")) {
                const int field = CampaignRebateField(line);
                if (field >= 0)
                    item.KampagnenRabattDouble = ParsePriceText(head->Campaign[size_t(field)]);
            }
        }
        if ((type == POS_HEAD_CAMPAIGN || type == POS_SPECIAL4) && campaign)
            item.ValueLine = line.IsValueLine;
        if (type == POS_HEAD_CAMPAIGN || type == POS_SPECIAL4 || type == POS_HEAD ||
            type == POS_HEAD18 || type == POS_HEAD19 || type == POS_HEAD20)
            item.FastLane = line.IsFastlane;

        TakePlainSet(item, line.Preise1);
        TakeCustomerSet(item, line.Preise1);
        if (!campaign && IsServiceHead(type)) {
            item.TotalPreisBrutto = item.KundenTotalPreisBrutto = line.Preise1.PackageGross;
            item.TotalPreisNetto = item.KundenTotalPreisNetto = line.Preise1.PackageNet;
        }
        const CPriceSet &p2 = line.Preise2;
        item.StandardPreisBrutto = p2.UnitGross;
        item.StandardPreisNetto = p2.UnitNet;
        item.StandardMwst = p2.Vat;
        item.StandardTotalPreisBrutto = p2.Gross;
        item.StandardTotalPreisNetto = p2.Net;
        item.StandardPauschalkennung = p2.FlatPrice;
        item.StandardWaehrungsKZ = p2.Currency;
        const CPriceSet &p3 = line.Preise3;
        item.KampagnenMwst = p3.Vat;
        item.KampagnenTotalPreisBrutto = p3.Gross;
        item.KampagnenTotalPreisNetto = p3.Net;
        item.KampagnenPauschalkennung = p3.FlatPrice;
        item.KampagnenWaehrungsKZ = p3.Currency;
        if (campaign && (type == POS_WORK || type == POS_PART) && !line.Preise1.NoPrice) {
            // A campaign line whose price was never reset carries the
            // campaign's own price text.
            const int field =
                type == POS_PART ? CPosition::CampaignPartPrice : CPosition::CampaignWorkPrice;
            item.KampagnenPreisBrutto = ParsePriceText(c[size_t(field)]);
            item.KampagnenPreisNetto = kPriceNotSet;
        } else {
            item.KampagnenPreisBrutto = p3.UnitGross;
            item.KampagnenPreisNetto = p3.UnitNet;
        }
        if (type == POS_WORK && line.HG == kClosingLine) {
            // The closing line stands for the whole package: its texts, work
            // charged by time, no price of its own.
            if (head) {
                item.AwText1 = head->AwText1;
                item.AwText2 = head->AwText2;
                item.AwText3 = head->AwText3;
                item.AwText4 = head->AwText4;
                item.KlammerText1 = head->KlammerText1;
                item.KlammerText2 = head->KlammerText2;
                item.KlammerText3 = head->KlammerText3;
                item.KlammerText4 = head->KlammerText4;
            }
            item.Az = CPosition::AzMarker();
            item.Menge.clear();
            TakePlainSet(item, CPriceSet());
            TakeCustomerSet(item, CPriceSet());
        }
        item.TrimData();
        return item;
    }

    CBasketArray &m_out;
    const QString &m_typeKey;
};

// The head item of a labour position, finding or SI finding entry: the
// plain price set only, of the campaign fields the names and numbers.
CPackageCBItem PositionItem(const CPosition &line)
{
    CPackageCBItem item;
    TakeLineFields(item, line);
    item.Kampagnen = int(line.SubPositions.size());
    const auto &c = line.Campaign;
    item.KampagnenName = c[CPosition::CampaignName];
    item.KampagnenNo = c[CPosition::CampaignNumber];
    item.KampagnenPaketName = c[CPosition::CampaignPackageName];
    item.KampagnenPaketNo = c[CPosition::CampaignPackageNumber];
    item.KampagnenRabatt = WithoutLeadingZeros(c[CPosition::CampaignFixedPrice]);
    item.FastLane = line.IsFastlane;
    TakePlainSet(item, line.Preise1);
    item.TrimData();
    return item;
}

} // namespace

void CPackageCBItem::TrimData()
{
    // clang-format off
    QString *const texts[] = {
        &Number, &AwPosRef, &AwText1, &AwText2, &AwText3, &AwText4,
        &KlammerText1, &KlammerText2, &KlammerText3, &KlammerText4,
        &TeileText, &AuftragsArt, &BefundText, &Lackstufe, &R, &U, &M, &Flaeche, &Az, &Art,
        &PosLfdNr, &PosLfdNrRef, &VonBaustand, &BisBaustand,
        &KampagnenName, &KampagnenCommercialText, &KampagnenNo, &Kampagnenpreistyp,
        &KampagnenPaketName, &KampagnenPaketNo, &KampagnenRabatt, &ZeilenNr, &Menge,
        &WaehrungsKZ, &KundenPreisWaehrungsKZ, &StandardWaehrungsKZ, &KampagnenWaehrungsKZ,
        &ErsetztDurchNummer, &ErsetztDurchText, &ErsetztDurchBeschr,
        &Text, &HG, &PaketID, &PaketArt, &HGText,
    };
    // clang-format on
    for (QString *text : texts)
        *text = WithoutTrailingBlanks(*text);
}

void AppendBaskets(CBasketArray &out, const CWKListItem &entry, const QString &typeKey)
{
    const bool hasLines = entry.Paket && !entry.Paket->IsEmpty();
    if (entry.Kind == WK_NONE && !entry.APos && !hasLines) {
        out.emplace_back();
        return;
    }
    if (entry.APos) {
        CBasket basket;
        CWKList::KindToBasketType(basket.BasketTyp, entry.Kind);
        basket.HeadItem = PositionItem(*entry.APos);
        out.push_back(std::move(basket));
    }
    if (hasLines) {
        CExpansion expansion(out, typeKey);
        if (CWKListItem::IsCampaignKind(entry.Kind))
            expansion.CampaignPackage(*entry.Paket);
        else
            expansion.Package(*entry.Paket, entry.Kind);
    }
}

CBasketArray ToBasketArray(const CWKList &list, const QString &typeKey)
{
    CBasketArray out;
    for (const auto &entry : list) {
        if (entry)
            AppendBaskets(out, *entry, typeKey);
    }
    return out;
}
