#include "packages/pricing/LocalPackagePrices.h"

#include "packages/model/Paket.h"
#include "packages/pricing/PackagePriceRollUp.h"
#include "platform/OrmelText.h"
#include "platform/ccd/CDIPRec.h"
#include "platform/ccd/CETPriceRec.h"
#include "platform/ccd/CHGPriceRec.h"
#include "platform/ccd/CLagerRec.h"
#include "platform/ccd/CPauschalRec.h"
#include "platform/ccd/CRabattRec.h"
#include "settings/PrgSettings.h"

#include <QDir>

#include <type_traits>

QString CLocalPackagePrices::FilePath(const QString &folder, const QString &fileName)
{
    return QDir::cleanPath(folder + QLatin1Char('/') + fileName);
}

CLocalPackagePrices::Outcome CLocalPackagePrices::Price(CPaket &paket, const QString &language,
                                                        bool campaignMode) const
{
    Outcome outcome;
    const QString folder = m_settings->ReqDateiVerz;
    const bool training = m_settings->bSchulung != 0;

    // Each file that does not open is named and passed on as missing; the
    // look-up then finds nothing in it, while the others still price.
    const auto opened = [&](auto &record, int ok, const QString &fileName) {
        if (ok)
            return &record;
        const QString path = FilePath(folder, fileName);
        outcome.missingFiles << path;
        if (m_notice)
            m_notice->Notice(CCDOpenFailureText(record, path));
        return static_cast<std::remove_reference_t<decltype(record)> *>(nullptr);
    };
    CHGPriceRec hgRec;
    CETPriceRec etRec;
    CDIPRec dipRec;
    CLagerRec stockRec;
    CPauschalRec flatRec;
    CRabattRec discountRec;
    CHGPriceRec *hg = opened(hgRec, hgRec.Open(folder), CHGPriceRec::FileName());
    CETPriceRec *et = opened(etRec, etRec.Open(folder), CETPriceRec::FileName());
    CDIPRec *dip = opened(dipRec, dipRec.Open(folder, language), CDIPRec::FileName(language));
    CLagerRec *stock = nullptr;
    CPauschalRec *flat = nullptr;
    CRabattRec *discount = nullptr;
    if (training) {
        stock = opened(stockRec, stockRec.Open(folder), CLagerRec::FileName());
        flat = opened(flatRec, flatRec.Open(folder), CPauschalRec::FileName());
        discount = opened(discountRec, discountRec.Open(folder), CRabattRec::FileName());
    }
    // A file found incomplete gives no prices, and no file it stands above
    // gives its prices in its place, as if it were whole: the parts file
    // not for a dealer's part, no price at all beside flat rates or
    // discounts that could not be read.
    if (dipRec.WasIncomplete())
        et = nullptr;
    if (flatRec.WasIncomplete() || discountRec.WasIncomplete()) {
        hg = nullptr;
        et = nullptr;
        dip = nullptr;
    }
    if (training) {
        paket.LookupPricesAndStock(m_settings, hg, et, dip, stock, flat, discount, true);
    } else {
        paket.LookupHGPrices(m_settings, hg, et, dip, nullptr, nullptr, nullptr, true);
    }

    // A flat package price (only the training edition's files give one) is
    // the package's price whatever its lines cost: no currency check.
    const CPosition *head = paket.GetKopf();
    if (head && head->Preise1.FlatPrice) {
        paket.ClearDiscountable();
        paket.CalcPrices1(m_settings);
    } else {
        // Differing currencies of the customer price are told by 5068 alone.
        outcome.mixedKinds |= CPackagePriceRollUp::RollUp(
            paket, m_settings, CPackagePriceRollUp::Customer, m_notice,
            CPackagePriceRollUp::Occasion::PricesArrived, CPackagePriceRollUp::Customer);
    }
    if (training) {
        if (head && head->Preise2.FlatPrice)
            paket.CalcPrices2(m_settings);
        else
            outcome.mixedKinds |=
                CPackagePriceRollUp::RollUp(paket, m_settings, CPackagePriceRollUp::Standard,
                                            m_notice, CPackagePriceRollUp::Occasion::PricesArrived);
    }
    if (campaignMode) {
        paket.CalcPositionPrices3(m_settings);
        paket.ApplyCampaignPrices(m_settings, m_notice, true);
    }
    return outcome;
}
