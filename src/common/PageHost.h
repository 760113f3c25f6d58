#pragma once
// What the pages of the main window may ask of the window that hosts them:
// switching to another page, the way back, and the follow-ups of a settings
// change. The main window implements it; the pages get it with Create.

#include "common/ChangeFlags.h"

#include <QString>

class IPageHost
{
public:
    virtual ~IPageHost() = default;

    virtual void ShowHomePage() = 0;
    virtual void ShowSetupPage(bool show) = 0;
    virtual void ShowWkPage(bool show) = 0;
    virtual bool ShowWebPage(int mode) = 0;
    // The browser page on the document of `mode`, opened from the page
    // `returnPage` (PageId): its "<" leads back there. The browser page
    // takes the return page while ShowWebPage opens it.
    bool ShowWebPageFrom(int mode, int returnPage)
    {
        m_nWebReturnPage = returnPage;
        const bool shown = ShowWebPage(mode);
        m_nWebReturnPage = 0;
        return shown;
    }
    // The page the browser page being opened returns to; 0 outside
    // ShowWebPageFrom.
    int WebReturnPage() const { return m_nWebReturnPage; }
    virtual void ShowSRPWlPage(int arg) = 0;
    virtual void ShowSRPBbPage(bool activate, int arg) = 0;
    virtual void ShowSpotRBbPage(bool activate, int arg) = 0;
    virtual void ShowDIPPage(bool show) = 0;
    virtual void ShowBfndPage(bool activate) = 0;
    virtual void ShowSBefAnzPage(bool show, const QString &findingNr) = 0;
    virtual void ShowAwKatPage(int arg, bool silent) = 0;
    virtual void ShowHLXPage(bool show) = 0;
    virtual void ShowNrAbfragePage(bool show, bool noFocus) = 0;
    virtual void ShowSBLWlPage(bool show) = 0;
    virtual void ShowNewsPage(bool show) = 0;
    virtual void ShowDownloadPage(bool show) = 0;
    // Any page by its id (PageId): through the page's own show operation
    // above where it has one.
    virtual void ShowPage(int pageId) = 0;

    // The page the user came from to the page `pageId`, as far as "<" of
    // that page leads back there; 0 for none.
    virtual int CameFrom(int pageId) const = 0;
    // "<" of the page `pageId`: back to the page the user came from (once),
    // else where the page's "<" leads by itself.
    virtual void GoBack(int pageId) = 0;

    // Follow-ups of a program-language change on the settings page.
    virtual void SetCaptions() = 0;
    virtual void ResetVehicleFields(bool enable, bool reset) = 0;
    virtual void SetHomeButtonTexts() = 0;
    virtual void SetIdentChanged(const CChangeFlags &changes) = 0;

private:
    int m_nWebReturnPage = 0;
};
