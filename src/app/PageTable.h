#pragma once
// The pages of the main window, one row each: how the window builds the
// page, what a switch to it shows, where its "<" leads and which reported
// changes it keeps. A page is added with its class (deriving from CPageDlg)
// and its row in PageTable.cpp, under an id of PageId (MainWndRules.h).

#include <array>
#include <vector>

class CPageDlg;
class IPageHost;

// How a switch to the page leaves the title button.
enum class PageTitle
{
    Home, // the home logo without caption
    Page, // the page logo and caption; the page becomes the current page
    Over, // untouched: the page lies over the current page, which stays current
};

// How a switch to the page leaves the help-index button "@".
enum class HelpIndex
{
    Keep,
    Show,
    Hide,
};

// How a switch to the page leaves the head row.
enum class HeadMode
{
    Keep,   // untouched
    Home,   // enabled, outside page mode
    Page,   // enabled, in page mode
    Locked, // disabled, in page mode
};

// Whether a change of the identification shows the current page again.
enum class IdentRefresh
{
    No,
    Always,
    // Not while a head button has the focus: its click switches the page
    // itself (the DMS download and the two-wheeler program switch none).
    UnlessHeadFocus,
};

struct CPageRow
{
    // The page's id (PageId); also its help context.
    int id;
    // Makes the page object; the main window builds it later (CPageDlg::Create).
    CPageDlg *(*make)();
    // How many of the window's database connections it borrows, db0 onwards.
    int connections;
    PageTitle title;
    // The text of the title and of the page's caption line. 0: the page's
    // show operation names the caption, else the title keeps its caption.
    int captionId;
    HelpIndex helpIndex;
    // In a session a switch to the page first checks the session.
    bool sessionCheck;
    HeadMode head;
    // The CChangeFlags groups the page keeps; such a page also notes a
    // language change for its texts.
    int changeGroups;
    IdentRefresh refresh;
    // Where "<" leads by itself.
    int back;
    // The pages "<" leads back to when the user came from one of them: the
    // title named it by its caption when the page was shown (the home page
    // by none). A switch from elsewhere keeps what the page had; the home
    // page forgets every origin; "<" uses it once.
    std::array<int, 3> cameFrom;
    // How another page shows it (ShowPage, "<"): its own show operation.
    // Null for a page without one: the switch alone, then ActivatePage.
    void (*show)(IPageHost &host);
};

// Every row, in the order the main window builds the pages (home first).
const std::vector<CPageRow> &PageRows();
// The row of a page; null for an unknown id.
const CPageRow *FindPageRow(int pageId);
