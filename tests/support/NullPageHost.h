#pragma once
// A page host that does nothing, for the page tests: a test derives from it
// and overrides what it counts.

#include "common/PageHost.h"

class CNullPageHost : public IPageHost
{
public:
    void ShowHomePage() override {}
    void ShowSetupPage(bool) override {}
    void ShowWkPage(bool) override {}
    bool ShowWebPage(int) override { return true; }
    void ShowSRPWlPage(int) override {}
    void ShowSRPBbPage(bool, int) override {}
    void ShowSpotRBbPage(bool, int) override {}
    void ShowDIPPage(bool) override {}
    void ShowBfndPage(bool) override {}
    void ShowSBefAnzPage(bool, const QString &) override {}
    void ShowAwKatPage(int, bool) override {}
    void ShowHLXPage(bool) override {}
    void ShowNrAbfragePage(bool, bool) override {}
    void ShowSBLWlPage(bool) override {}
    void ShowNewsPage(bool) override {}
    void ShowDownloadPage(bool) override {}
    void ShowPage(int) override {}
    int CameFrom(int) const override { return 0; }
    void GoBack(int) override {}
    void SetCaptions() override {}
    void ResetVehicleFields(bool, bool) override {}
    void SetHomeButtonTexts() override {}
    void SetIdentChanged(const CChangeFlags &) override {}
};
