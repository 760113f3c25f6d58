#pragma once
// The pages of the main window, one row each: how the window builds the
// page, what a switch to it shows, where its "<" leads, which reported
// changes it keeps, what the head row allows on it and which of its
// controls a session locks. A page is added with its class (deriving from
// CPageDlg), its row in PageTable.cpp under an id of PageId
// (common/PageHost.h) and its texts; other pages show it with
// IPageHost::ShowPage(id).

#include "app/SessionPolicy.h"

#include <array>
#include <vector>

class CPageDlg;
class CYaq2Dlg;
class QWidget;
struct CPageRequest;

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

// A control of the page that a session may lock (CSessionPolicy says
// when): its id (PageControlId) and how the page gives it.
struct CLockableControl
{
    int id;
    QWidget *(*control)(CPageDlg &page);
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
    // What the head row allows while the page is visible (in page mode).
    HeadRowState headRow;
    // Its controls that a session locks.
    std::array<CLockableControl, 2> locks;
    // How the main window shows it (ShowPage, "<"): the page's own show
    // operation with what the request hands along, for a page with a guard
    // or a message of its own. Null for a page without one: the switch
    // alone, then the page's ActivateOnShow with the request.
    void (*show)(CYaq2Dlg &window, const CPageRequest &request);
};

// Every row, in the order the main window builds the pages (home first).
const std::vector<CPageRow> &PageRows();
// The row of a page; null for an unknown id.
const CPageRow *FindPageRow(int pageId);
// The head-row state for the visible page; outside page mode (the home
// page) and on an unknown page everything is editable.
HeadRowState HeadRowFor(int pageId, bool pageMode);
