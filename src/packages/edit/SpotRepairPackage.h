#pragma once
// The package of the spot-repair page and where it comes from: a way
// chosen on the package list (its works are read when the page is next
// shown) or a package of the basket opened again (taken over as stored,
// with its works, factor and prices). The page keeps no pointer into the
// package: whatever replaces it, nothing points into the lines that went.

#include "packages/edit/SpotRepairData.h"
#include "packages/model/Paket.h"

#include <memory>

class CSpotRepairPackage
{
public:
    // The way of the package list, copied; false and nothing changed
    // unless it is complete (CSpotRepairData::TakeRows). A basket package
    // waiting to be shown is dropped: the newer choice wins.
    bool TakeRows(const CPosition *spotRow, const CPosition *head, const CPosition *entry,
                  const CPosition *paintClass, const CPosition *matrixRow);
    // A package of the basket, copied; shown at the next activation with
    // keep content 1.
    void TakeBasketPackage(const CPaket &stored);

    struct Activation
    {
        bool worksRead = false;       // a new way got its works
        bool mixedCurrencies = false; // its lines differ in currency: not priced
        QString factor;               // the factor of the chosen pair, as shown
        CSpotRepairMessages messages;
    };
    // keepContent 0 reads the works of a way just taken, once; keepContent
    // 1 takes a waiting basket package over. Anything else leaves the
    // package as the adviser left it.
    Activation Activate(int keepContent, const CSpotRepairData &data, const CPrgSettings *settings);

    CPaket &Paket() { return m_paket; }
    const CPaket &Paket() const { return m_paket; }
    // The factor of the works as the factor field shows it.
    static QString ShownFactor(const CPaket &paket);

private:
    CPaket m_paket;
    bool m_bHanded = false;
    std::unique_ptr<CPaket> m_pBasketPackage;
};
