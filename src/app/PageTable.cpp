#include "app/PageTable.h"

#include "app/HomeDlg.h"
#include "app/MainWndRules.h"
#include "app/Yaq2Dlg.h"
#include "basket/WkDlg.h"
#include "catalogues/AwKatDlg.h"
#include "catalogues/BfndDlg.h"
#include "catalogues/NrAbfrageDlg.h"
#include "catalogues/SBLWlDlg.h"
#include "catalogues/SBefAnzDlg.h"
#include "common/ChangeFlags.h"
#include "common/OwnButton.h"
#include "common/OwnWhiteButton.h"
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

// The control `Get` of the page `Page`.
template <class Page, auto Get> QWidget *Control(CPageDlg &page)
{
    return (static_cast<Page &>(page).*Get)();
}

using T = PageTitle;
using H = HelpIndex;
using M = HeadMode;
using R = IdentRefresh;
using G = CChangeFlags;
constexpr int kVehicle = G::Ident | G::LanguageSetup;
constexpr int kTexts = G::LanguageSetup;
constexpr int kHome = kPageHome;
using W = CYaq2Dlg;
using Q = CPageRequest;

// What the head row allows on a page. Columns: VIN, type key, combos, first
// registration, mileage.
constexpr HeadRowState kAll{true, true, true, true, true};
constexpr HeadRowState kOnlyMileage{false, false, false, false, true};
constexpr HeadRowState kPackages{true, false, false, true, true};
constexpr HeadRowState kContract{true, false, false, false, true};
constexpr HeadRowState kNothing{false, false, false, false, false};

// The controls a session locks: the exchange with the dealer system and the
// ways into the service packages.
constexpr CLockableControl kAwKatPrice{kCtlAwKatPrice,
                                       &Control<CAwKatDlg, &CAwKatDlg::PriceButton>};
constexpr CLockableControl kAwKatSrp{kCtlAwKatPackages, &Control<CAwKatDlg, &CAwKatDlg::SrpButton>};
constexpr CLockableControl kSRPBbDms{kCtlSRPBbDmsRequest,
                                     &Control<CSRPBbDlg, &CSRPBbDlg::DmsRequestButton>};
constexpr CLockableControl kSRPBbTransfer{kCtlSRPBbTransfer,
                                          &Control<CSRPBbDlg, &CSRPBbDlg::TransferButton>};
constexpr CLockableControl kSpotRBbDms{kCtlSpotRBbDmsRequest,
                                       &Control<CSpotRBbDlg, &CSpotRBbDlg::DmsRequestButton>};
constexpr CLockableControl kSpotRBbTransfer{kCtlSpotRBbTransfer,
                                            &Control<CSpotRBbDlg, &CSpotRBbDlg::TransferButton>};
constexpr CLockableControl kWkTransfer{kCtlWkTransfer, &Control<CWkDlg, &CWkDlg::TransferButton>};
constexpr CLockableControl kWkSrp{kCtlWkPackages, &Control<CWkDlg, &CWkDlg::SrpButton>};
constexpr CLockableControl kHomeSrp{kCtlHomePackages, &Control<CHomeDlg, &CHomeDlg::PaketeButton>};
constexpr CLockableControl kHomeNews{kCtlHomeNews, &Control<CHomeDlg, &CHomeDlg::NewsButton>};
constexpr CLockableControl kNrAbfrageSrp{kCtlNrAbfragePackages,
                                         &Control<CNrAbfrageDlg, &CNrAbfrageDlg::SrpButton>};

// The browser page: the news, or a document a page opens.
void ShowBrowser(W &w, const Q &q)
{
    if (q.webMode < 0)
        w.ShowNewsPage(true);
    else
        w.ShowWebPage(q.webMode, q.returnPage);
}
} // namespace

const std::vector<CPageRow> &PageRows()
{
    // The contract page and the browser take the title's caption from their
    // show operations (the contract button's text; the news or the
    // document). The dealer parts and the SI finding lie over the page that
    // opens them.
    // clang-format off
    static const std::vector<CPageRow> rows = {
        // id             page                   db title    caption help     session head       changes                ident change        back        came from                            head row      session locks                      shown by
        {kPageHome,       &Make<CHomeDlg>,       0, T::Home, 0,      H::Show, false,  M::Home,   0,                     R::No,              kHome,      {},                                  kAll,         {kHomeSrp, kHomeNews},             [](W &w, const Q &) { w.ShowHomePage(); }},
        {kPageNrAbfrage,  &Make<CNrAbfrageDlg>,  4, T::Page, 2013,   H::Show, true,   M::Page,   kVehicle,              R::Always,          kHome,      {kHome},                             kAll,         {kNrAbfrageSrp},                   [](W &w, const Q &q) { w.ShowNrAbfragePage(true, q.noFocus); }},
        {kPageSRPWl,      &Make<CSRPWlDlg>,      3, T::Page, 3183,   H::Hide, true,   M::Page,   kVehicle | G::Mileage, R::UnlessHeadFocus, kHome,      {kPageAwKat, kPageNrAbfrage},        kPackages,    {},                                [](W &w, const Q &q) { w.ShowSRPWlPage(q.arg, q.levelUp); }},
        {kPageSRPBb,      &Make<CSRPBbDlg>,      4, T::Page, 3183,   H::Hide, true,   M::Page,   kVehicle,              R::No,              kPageSRPWl, {},                                  kNothing,     {kSRPBbDms, kSRPBbTransfer},       nullptr},
        {kPageSpotRBb,    &Make<CSpotRBbDlg>,    4, T::Page, 3183,   H::Hide, true,   M::Page,   kVehicle,              R::No,              kPageSRPWl, {},                                  kOnlyMileage, {kSpotRBbDms, kSpotRBbTransfer},   nullptr},
        {kPageSetup,      &Make<CSetupDlg>,      0, T::Page, 3042,   H::Show, false,  M::Locked, 0,                     R::No,              kHome,      {},                                  kOnlyMileage, {},                                [](W &w, const Q &) { w.ShowSetupPage(true); }},
        {kPageBfnd,       &Make<CBfndDlg>,       4, T::Page, 3043,   H::Keep, true,   M::Page,   kVehicle | G::Mileage, R::No,              kPageAwKat, {kPageNrAbfrage, kPageAwKat, kPageSRPBb}, kOnlyMileage, {},                     nullptr},
        {kPageSBefAnz,    &Make<CSBefAnzDlg>,    4, T::Over, 0,      H::Keep, true,   M::Page,   0,                     R::No,              kPageBfnd,  {},                                  kAll,         {},                                nullptr},
        {kPageAwKat,      &Make<CAwKatDlg>,      3, T::Page, 3200,   H::Show, true,   M::Page,   kVehicle,              R::UnlessHeadFocus, kHome,      {kHome},                             kAll,         {kAwKatPrice, kAwKatSrp},          [](W &w, const Q &q) { w.ShowAwKatPage(q.arg, q.silent); }},
        {kPageWk,         &Make<CWkDlg>,         1, T::Page, 6078,   H::Show, false,  M::Page,   kTexts,                R::Always,          kHome,      {kPageSRPWl, kPageAwKat, kPageBfnd}, kOnlyMileage, {kWkTransfer, kWkSrp},             [](W &w, const Q &) { w.ShowWkPage(true); }},
        {kPageSBLWl,      &Make<CSBLWlDlg>,      3, T::Page, 3197,   H::Keep, true,   M::Page,   kVehicle,              R::No,              kHome,      {},                                  kOnlyMileage, {},                                [](W &w, const Q &) { w.ShowSBLWlPage(true); }},
        {kPageWebBrowser, &Make<CWebBrowserDlg>, 0, T::Page, 0,      H::Keep, false,  M::Page,   0,                     R::No,              kHome,      {},                                  kOnlyMileage, {},                                &ShowBrowser},
        {kPageHLX,        &Make<CHLXDlg>,        2, T::Page, 0,      H::Show, true,   M::Page,   kTexts,                R::Always,          kHome,      {kPageAwKat, kPageSRPWl},            kContract,    {},                                [](W &w, const Q &) { w.ShowHLXPage(true); }},
        {kPageDIP,        &Make<CDIPDlg>,        0, T::Over, 0,      H::Keep, true,   M::Keep,   kTexts,                R::No,              kPageSRPWl, {},                                  kAll,         {},                                [](W &w, const Q &) { w.ShowDIPPage(true); }},
        {kPageDownload,   &Make<CDownloadDlg>,   2, T::Page, 2058,   H::Show, true,   M::Page,   kTexts,                R::No,              kHome,      {},                                  kOnlyMileage, {},                                [](W &w, const Q &) { w.ShowDownloadPage(true); }},
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

HeadRowState HeadRowFor(int pageId, bool pageMode)
{
    const CPageRow *row = pageMode ? FindPageRow(pageId) : nullptr;
    return row ? row->headRow : HeadRowState();
}
