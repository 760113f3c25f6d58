#pragma once
// A page host that does nothing, for the page tests: a test derives from it
// and overrides what it counts.

#include "common/PageHost.h"

class CNullPageHost : public IPageHost
{
public:
    using IPageHost::ShowPage;
    void ShowPage(int, const CPageRequest &) override {}
    int CameFrom(int) const override { return 0; }
    void GoBack(int) override {}
    CWkBasket *Basket() const override { return m_pBasket; }
    void ApplySessionLocks(int) override {}
    void SetCaptions() override {}
    void ResetVehicleFields(bool, bool) override {}
    void SetHomeButtonTexts() override {}
    void SetIdentChanged(const CChangeFlags &) override {}

    CWkBasket *m_pBasket = nullptr; // borrowed; none by default
};
