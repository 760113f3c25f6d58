#pragma once
// The package on the editing page with the page's references into it: its
// list line, its chosen head, the campaign line and campaign-package line
// of a campaign package, and the position list's rows and current row.
// Every reference points into the package, so every way of emptying or
// replacing the package goes through here and forgets them all at once.

#include "packages/edit/PackageSelection.h"
#include "packages/model/Paket.h"

class CEditedPackage
{
public:
    CEditedPackage();
    CEditedPackage(const CEditedPackage &) = delete;
    CEditedPackage &operator=(const CEditedPackage &) = delete;

    CPaket &Paket() { return m_paket; }
    const CPaket &Paket() const { return m_paket; }
    CPackageSelection &Selection() { return m_selection; }

    CPosition *ListLine() const { return m_pListLine; }
    CPosition *Head() const { return m_pHead; }
    CPosition *CampaignLine() const { return m_pCampaignLine; }
    CPosition *CampaignPackageLine() const { return m_pCampaignPackageLine; }

    // Empties the package and forgets every reference into it.
    void Clear();
    // A new package from the two rows chosen on the package list: Clear,
    // then copies of the list line and of the head. Answers the head copy
    // (the loader's head).
    CPosition *Begin(const CPosition &listLine, const CPosition &head);
    // A campaign package adds copies of its campaign line (type 2) and
    // campaign-package line (type 4); either may be missing.
    void AddCampaignLines(const CPosition *campaignLine, const CPosition *campaignPackageLine);
    // A package stored in the basket, to be edited again: Clear, then a
    // deep copy; the references are found in the copy.
    void TakeFrom(const CPaket &stored);

private:
    void FindReferences();

    CPaket m_paket;
    CPackageSelection m_selection;
    CPosition *m_pListLine = nullptr;
    CPosition *m_pHead = nullptr;
    CPosition *m_pCampaignLine = nullptr;
    CPosition *m_pCampaignPackageLine = nullptr;
};
