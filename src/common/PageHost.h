#pragma once
// What the pages of the main window may ask of the window that hosts them:
// switching to another page, the way back, and the follow-ups of a settings
// change. The main window implements it; the pages get it with Create.

#include "common/ChangeFlags.h"

class CWkBasket;

// Ids of the pages of the main window's page table (app/PageTable.cpp), the
// template ids of their dialogs; the main window remembers the visible page
// by them (the home page has the main window's own id).
enum PageId
{
    kPageHome = 102,
    kPageNrAbfrage = 139,
    kPageSRPWl = 146,
    kPageSRPBb = 147,
    kPageWk = 149,
    kPageAwKat = 150,
    kPageBfnd = 151,
    kPageSBLWl = 154,
    kPageSetup = 155,
    kPageWebBrowser = 193,
    kPageHLX = 194,
    kPageSBefAnz = 221,
    kPageDIP = 225,
    kPageDownload = 238,
    kPageSpotRBb = 266,
};

// What a page hands along when it shows another page. Each page reads what
// concerns it; the defaults are what a switch by the "<" button or by the
// changed identification asks.
struct CPageRequest
{
    // The page activates itself (ActivatePage) with `arg`. Without it the
    // package editing pages and the findings page come back as they were
    // left; the other pages activate themselves anyway.
    bool activate = false;
    int arg = 0;
    // The catalogue page: no message when no lead type is chosen.
    bool silent = false;
    // The number search: the focus stays where it is.
    bool noFocus = false;
    // The browser page: the document of the mode, opened from the page
    // `returnPage` (its "<" leads back there) under the caption the title
    // has. Below 0: the news, under their own caption.
    int webMode = -1;
    int returnPage = 0;
    // The package list: once shown it goes one level up (the spot-repair
    // page leads back from the matrix row to the level above it).
    bool levelUp = false;

    // The request to activate the page with `arg`.
    static CPageRequest Activated(int arg = 0)
    {
        CPageRequest request;
        request.activate = true;
        request.arg = arg;
        return request;
    }
    // The request to the package list to go one level up once shown.
    static CPageRequest LevelUp()
    {
        CPageRequest request;
        request.levelUp = true;
        return request;
    }
    // The request to the browser page for the document of `mode`, opened
    // from the page `returnPage`.
    static CPageRequest Document(int mode, int returnPage)
    {
        CPageRequest request;
        request.webMode = mode;
        request.returnPage = returnPage;
        return request;
    }
};

class IPageHost
{
public:
    virtual ~IPageHost() = default;

    // Shows the page `pageId` (PageId) as its row of the page table says.
    void ShowPage(int pageId) { ShowPage(pageId, CPageRequest()); }
    virtual void ShowPage(int pageId, const CPageRequest &request) = 0;
    // The page the browser page being opened returns to; 0 while no page
    // opens it.
    int WebReturnPage() const { return m_nWebReturnPage; }

    // The page the user came from to the page `pageId`, as far as "<" of
    // that page leads back there; 0 for none.
    virtual int CameFrom(int pageId) const = 0;
    // "<" of the page `pageId`: back to the page the user came from (once),
    // else where the page's "<" leads by itself.
    virtual void GoBack(int pageId) = 0;

    // The basket of the session: the one way every page stores its entries
    // and reads what the adviser collected. Null only for a host without
    // one (page tests).
    virtual CWkBasket *Basket() const = 0;
    // Disables the controls of the page `pageId` that the session forbids.
    virtual void ApplySessionLocks(int pageId) = 0;

    // Follow-ups of a program-language change on the settings page.
    virtual void SetCaptions() = 0;
    virtual void ResetVehicleFields(bool enable, bool reset) = 0;
    virtual void SetHomeButtonTexts() = 0;
    virtual void SetIdentChanged(const CChangeFlags &changes) = 0;

protected:
    // Set by the host while it opens the browser page for a page.
    void SetWebReturnPage(int page) { m_nWebReturnPage = page; }

private:
    int m_nWebReturnPage = 0;
};
