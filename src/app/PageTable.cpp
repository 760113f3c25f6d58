#include "app/PageTable.h"

#include "app/HomeDlg.h"
#include "app/MainWndRules.h"
#include "basket/WkDlg.h"
#include "catalogues/AwKatDlg.h"
#include "catalogues/BfndDlg.h"
#include "catalogues/NrAbfrageDlg.h"
#include "catalogues/SBLWlDlg.h"
#include "catalogues/SBefAnzDlg.h"
#include "common/ChangeFlags.h"
#include "common/PageHost.h"
#include "common/WebBrowserDlg.h"
#include "packages/DIPDlg.h"
#include "packages/HLXDlg.h"
#include "packages/SRPBbDlg.h"
#include "packages/SRPWlDlg.h"
#include "packages/SpotRBbDlg.h"
#include "setup/DownloadDlg.h"
#include "setup/SetupDlg.h"

namespace {
template <class Page> CPageDlg *Make()
{
    return new Page;
}

using T = PageTitle;
using H = HelpIndex;
using M = HeadMode;
using R = IdentRefresh;
using G = CChangeFlags;
constexpr int kVehicle = G::Ident | G::LanguageSetup;
constexpr int kTexts = G::LanguageSetup;
constexpr int kHome = kPageHome;
using P = IPageHost;
} // namespace

const std::vector<CPageRow> &PageRows()
{
    // The contract page and the browser take the title's caption from their
    // show operations (the contract button's text; the news or the
    // document). The dealer parts and the SI finding lie over the page that
    // opens them.
    // clang-format off
    static const std::vector<CPageRow> rows = {
        // id             page                   db title    caption help     session head       changes                ident change        back        came from                            shown by
        {kPageHome,       &Make<CHomeDlg>,       0, T::Home, 0,      H::Show, false,  M::Home,   0,                     R::No,              kHome,      {},                                  [](P &h) { h.ShowHomePage(); }},
        {kPageNrAbfrage,  &Make<CNrAbfrageDlg>,  4, T::Page, 2013,   H::Show, true,   M::Page,   kVehicle,              R::Always,          kHome,      {kHome},                             [](P &h) { h.ShowNrAbfragePage(true, false); }},
        {kPageSRPWl,      &Make<CSRPWlDlg>,      3, T::Page, 3183,   H::Hide, true,   M::Page,   kVehicle | G::Mileage, R::UnlessHeadFocus, kHome,      {},                                  [](P &h) { h.ShowSRPWlPage(0); }},
        {kPageSRPBb,      &Make<CSRPBbDlg>,      4, T::Page, 3183,   H::Hide, true,   M::Page,   kVehicle,              R::No,              kPageSRPWl, {},                                  [](P &h) { h.ShowSRPBbPage(false, 0); }},
        {kPageSpotRBb,    &Make<CSpotRBbDlg>,    4, T::Page, 3183,   H::Hide, true,   M::Page,   kVehicle,              R::No,              kPageSRPWl, {},                                  [](P &h) { h.ShowSpotRBbPage(false, 0); }},
        {kPageSetup,      &Make<CSetupDlg>,      0, T::Page, 3042,   H::Show, false,  M::Locked, 0,                     R::No,              kHome,      {},                                  [](P &h) { h.ShowSetupPage(true); }},
        {kPageBfnd,       &Make<CBfndDlg>,       4, T::Page, 3043,   H::Keep, true,   M::Page,   kVehicle | G::Mileage, R::No,              kHome,      {},                                  [](P &h) { h.ShowBfndPage(false); }},
        {kPageSBefAnz,    &Make<CSBefAnzDlg>,    4, T::Over, 0,      H::Keep, true,   M::Page,   0,                     R::No,              kPageBfnd,  {},                                  nullptr},
        {kPageAwKat,      &Make<CAwKatDlg>,      3, T::Page, 3200,   H::Show, true,   M::Page,   kVehicle,              R::UnlessHeadFocus, kHome,      {kHome},                             [](P &h) { h.ShowAwKatPage(0, false); }},
        {kPageWk,         &Make<CWkDlg>,         1, T::Page, 6078,   H::Show, false,  M::Page,   kTexts,                R::Always,          kHome,      {kPageSRPWl, kPageAwKat, kPageBfnd}, [](P &h) { h.ShowWkPage(true); }},
        {kPageSBLWl,      &Make<CSBLWlDlg>,      3, T::Page, 3197,   H::Keep, true,   M::Page,   kVehicle,              R::No,              kHome,      {},                                  [](P &h) { h.ShowSBLWlPage(true); }},
        {kPageWebBrowser, &Make<CWebBrowserDlg>, 0, T::Page, 0,      H::Keep, false,  M::Page,   0,                     R::No,              kHome,      {},                                  [](P &h) { h.ShowNewsPage(true); }},
        {kPageHLX,        &Make<CHLXDlg>,        2, T::Page, 0,      H::Show, true,   M::Page,   kTexts,                R::Always,          kHome,      {kPageAwKat, kPageSRPWl},            [](P &h) { h.ShowHLXPage(true); }},
        {kPageDIP,        &Make<CDIPDlg>,        0, T::Over, 0,      H::Keep, true,   M::Keep,   kTexts,                R::No,              kPageSRPWl, {},                                  [](P &h) { h.ShowDIPPage(true); }},
        {kPageDownload,   &Make<CDownloadDlg>,   2, T::Page, 2058,   H::Show, true,   M::Page,   kTexts,                R::No,              kHome,      {},                                  [](P &h) { h.ShowDownloadPage(true); }},
    };
    // clang-format on
    return rows;
}

const CPageRow *FindPageRow(int pageId)
{
    for (const CPageRow &row : PageRows()) {
        if (row.id == pageId)
            return &row;
    }
    return nullptr;
}
