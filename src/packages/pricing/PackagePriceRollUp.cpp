#include "packages/pricing/PackagePriceRollUp.h"

#include "packages/model/Paket.h"
#include "platform/OrmelText.h"

QString CPackagePriceRollUp::KindName(Kind kind)
{
    switch (kind) {
    case Customer:
        return QStringLiteral("customer specific retail price");
    case Standard:
        return QStringLiteral("standard retail price");
    case Campaign:
        return QStringLiteral("campaign retail price");
    }
    return QString();
}

QString CPackagePriceRollUp::MixedCurrencyText(Kind kind, bool named)
{
    return named ? OrmelText(5068) + KindName(kind) : OrmelText(5068);
}

int CPackagePriceRollUp::RollUp(CPaket &paket, const CPrgSettings *settings, int kinds,
                                IPaketNotice *notice, Occasion occasion, int unnamedKinds)
{
    int mixedKinds = 0;
    const auto currenciesAgree = [&](Kind kind, int mixed) {
        if (!mixed)
            return true;
        mixedKinds |= kind;
        if (notice)
            notice->Notice(MixedCurrencyText(kind, !(unnamedKinds & kind)));
        return false;
    };
    QString currency;
    if (kinds & Customer) {
        int mixed = 0;
        paket.GetFirstText1(currency, &mixed);
        if (currenciesAgree(Customer, mixed)) {
            paket.CalcPositionPrices1(settings);
            paket.CalcPrices1(settings);
        }
    }
    if (kinds & Standard) {
        int mixed = 0;
        paket.GetFirstText2(currency, &mixed);
        if (currenciesAgree(Standard, mixed)) {
            paket.CalcPositionPrices2(settings);
            paket.CalcPrices2(settings);
        }
    }
    if (kinds & Campaign) {
        int mixed = 0;
        paket.GetKindSummary(currency, &mixed);
        if (currenciesAgree(Campaign, mixed)) {
            paket.CalcPositionPrices3(settings);
            paket.ApplyCampaignPrices(settings, notice, occasion == Occasion::PricesArrived);
        }
    }
    return mixedKinds;
}
