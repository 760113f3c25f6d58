#pragma once
// Packages built line by line for the tables of the DMS request bodies: a
// line of a type with its number, kind and quantity, a price set, and a
// campaign package with lines of every usage and operability.

#include "packages/model/Paket.h"
#include "packages/model/Position.h"

#include <memory>

// A line of a type with its number, kind and quantity.
inline std::unique_ptr<CPosition> MakeLine(int type, const QString &number,
                                           const QString &kind = {}, const QString &quantity = {})
{
    auto line = std::make_unique<CPosition>();
    line->Type = type;
    line->Number = number;
    line->Kind = kind;
    line->Quantity = quantity;
    return line;
}

inline CPosition *AddLine(CPaket &paket, int type, const QString &number, const QString &kind = {},
                          const QString &quantity = {})
{
    return paket.AddPosition(MakeLine(type, number, kind, quantity));
}

// Net and gross at 19 % VAT in euros, the price flag set.
inline void SetLinePrice(CPriceSet &set, double net, double gross)
{
    set.Net = net;
    set.Gross = gross;
    set.Vat = 19.0;
    set.Currency = QStringLiteral("EUR");
    set.Complete = 1;
}

// A work position or part of a campaign with its usage ("O", "B", ...) and
// operability ("0" the dealer may choose, "1" fixed).
inline CPosition *CampaignLine(CPaket &paket, int type, const QString &number, const QString &kind,
                               const QString &usage, const QString &status)
{
    CPosition *line = AddLine(paket, type, number, kind, QStringLiteral("1"));
    const bool work = type == POS_WORK;
    line->Campaign[work ? CPosition::CampaignWorkUsage : CPosition::CampaignPartUsage] = usage;
    line->Campaign[work ? CPosition::CampaignWorkStatus : CPosition::CampaignPartStatus] = status;
    return line;
}

// A campaign package of a price type as the campaign loader builds it: its
// list line marked "XX" and its two campaign lines, a head with the
// campaign's fields, work positions and parts in each usage and
// operability, a line not chosen, a sub-package and a findings line.
// Flat rates in order: 1110010 (O 0, lead), 1110020 (B 1), 1110030 (O 2),
// 1110040 (S 0), 1110060 (in the sub-package: O 0, lead); parts: 9X1 (S,
// category p, O 1), 9X2 (A, o, B 0), 9X3 (O, x, S 0), 9X4 (B), 9X5 (X).
inline std::unique_ptr<CPaket> CampaignPackage(const QString &priceType)
{
    auto paket = std::make_unique<CPaket>();
    AddLine(*paket, POS_SPECIAL1, QStringLiteral("7770010"))->HG = QStringLiteral("XX");
    CPosition *head = AddLine(*paket, POS_HEAD_CAMPAIGN, QStringLiteral("7770010"));
    auto &c = head->Campaign;
    c[CPosition::CampaignNumber] = QStringLiteral("K-1");
    c[CPosition::CampaignPackageNumber] = QStringLiteral("KP-2");
    // The "CL" campaign has no name of its own.
    c[CPosition::CampaignName] =
        priceType == QLatin1String("CL") ? QString() : QStringLiteral("Fruehjahr  ");
    c[CPosition::CampaignPriceType] = priceType;
    c[CPosition::CampaignFixedPrice] = QStringLiteral("0010");
    c[CPosition::CampaignLabourRebate] = QStringLiteral("015");
    c[CPosition::CampaignPartsRebate] = QStringLiteral("020");
    c[CPosition::CampaignOilRebate] = QStringLiteral("0025");
    head->IsValueLine = 1;
    SetLinePrice(head->Preise1, 100.0, 119.0);
    SetLinePrice(head->Preise3, 90.0, 107.1);
    AddLine(*paket, POS_SPECIAL2, QStringLiteral("7770010"));
    AddLine(*paket, POS_SPECIAL4, QStringLiteral("7770010"));
    const QString o = QStringLiteral("O"), b = QStringLiteral("B"), s = QStringLiteral("S");
    const QString free = QStringLiteral("0"), fixed = QStringLiteral("1");
    CPosition *lead = CampaignLine(*paket, POS_WORK, QStringLiteral("1110010"), s, o, free);
    lead->IsLeadLabour = 1;
    lead->Campaign[CPosition::CampaignWorkPrice] = QStringLiteral("49.90");
    SetLinePrice(lead->Preise3, 40.0, 47.6);
    CampaignLine(*paket, POS_WORK, QStringLiteral("1110020"), s, b, fixed);
    CampaignLine(*paket, POS_WORK, QStringLiteral("1110030"), s, o, QStringLiteral("2"));
    CampaignLine(*paket, POS_WORK, QStringLiteral("1110040"), s, s, free);
    CPosition *part = CampaignLine(*paket, POS_PART, QStringLiteral("9X1"), s, o, fixed);
    part->Campaign[CPosition::CampaignPartCategory] = QStringLiteral("p");
    part->Campaign[CPosition::CampaignPartPrice] = QStringLiteral("12.50");
    CampaignLine(*paket, POS_PART, QStringLiteral("9X2"), QStringLiteral("A"), b, free)
        ->Campaign[CPosition::CampaignPartCategory] = QStringLiteral("o");
    CampaignLine(*paket, POS_PART, QStringLiteral("9X3"), o, s, free)
        ->Campaign[CPosition::CampaignPartCategory] = QStringLiteral("x");
    AddLine(*paket, POS_PART, QStringLiteral("9X4"), b, QStringLiteral("1"));
    CampaignLine(*paket, POS_WORK, QStringLiteral("1110050"), s, o, free)->Selected = 0;
    CPosition *subLine = AddLine(*paket, POS_SUBPACKAGE, QStringLiteral("7770020"));
    subLine->SubPackage = std::make_unique<CPaket>();
    AddLine(*subLine->SubPackage, POS_HEAD_CAMPAIGN, QStringLiteral("7770020"));
    CampaignLine(*subLine->SubPackage, POS_WORK, QStringLiteral("1110060"), s, o, free)
        ->IsLeadLabour = 1;
    AddLine(*paket, POS_FINDINGS, QStringLiteral("8700010"))->BefundText =
        QStringLiteral("Kratzer");
    return paket;
}
