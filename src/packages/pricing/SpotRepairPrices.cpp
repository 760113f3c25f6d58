#include "packages/pricing/SpotRepairPrices.h"

#include "packages/model/Paket.h"
#include "packages/pricing/LocalPackagePrices.h"
#include "packages/pricing/PackagePriceExchange.h"
#include "platform/OrmelText.h"

bool CSpotRepairPrices::WantsRequest(const CPaket &paket)
{
    for (const auto &line : paket) {
        const int type = line->Type;
        if (type != POS_EMPTY && type != POS_SPECIAL1 && type != POS_GROUP)
            return true;
    }
    return false;
}

void CSpotRepairPrices::PriceLocally(CPaket &paket, const CPrgSettings *settings,
                                     IPaketNotice *notice)
{
    CLocalPackagePrices(settings, notice).Price(paket, GetPrgSprache(), false);
}

void CSpotRepairPrices::Request(CPaket &paket, CDmsClient &client, IDmsNotice *notice)
{
    CPackagePriceExchange exchange(client, notice);
    exchange.SetCampaignMode(false);
    exchange.Request(paket);
}
