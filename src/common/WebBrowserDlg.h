#pragma once
// The browser page: local HTML content (news of the brand, wheels and
// tyres, SA list, build state, dealer-individual parts help, spot-repair
// information and content) in an embedded viewer, with history back and
// forward, the mode's document again, a find box, and "<" back to the page
// that opened it (the package list, the spot-repair page). In a session the
// documents of modes 1 to 3 come from the application server. Links to web
// addresses open in the default browser, mail addresses in the mail
// program; a link of any other kind starts nothing; scripts of the
// documents do not run. Which document a mode shows and where the buttons
// lead is decided in CBrowserNav.

#include "common/BrowserNav.h"
#include "common/PageDlg.h"

class CDocumentViewer;
class QLabel;
class QLineEdit;
class QWidget;

class CWebBrowserDlg : public CPageDlg
{
    Q_OBJECT
public:
    CWebBrowserDlg();
    ~CWebBrowserDlg() override;

    // Creates the viewer afresh; false when it cannot be created.
    bool CreateBrowser();
    // Opens the page on the document of the mode (0 to 6). "<" leads back
    // to the page the host names while it opens the browser
    // (CPageRequest::Document), else nowhere.
    void ShowPage(int mode);
    void Refresh();
    int Mode() const { return m_nav.Mode(); }
    // The file shown (empty for an address that is no file).
    QString CurrentDocument() const;

    // The application server's address in a session: modes 1 to 3 come
    // from there, each within the bound of one exchange with that server.
    QString m_strServerBase;
    int m_nServerTimeoutMs = 15000;

protected:
    void BuildPage(QVBoxLayout *body) override;
    void OnBack() override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // Shows the address in the viewer: a file that exists, else a notice
    // naming what is missing.
    void Navigate(const QUrl &url);
    void OnLink(const QUrl &link);
    void OnFind();
    void FindNext();
    void ShowFindResult(bool found);
    void UpdateButtons();

    CBrowserNav m_nav;
    QVBoxLayout *m_pBody = nullptr;
    CDocumentViewer *m_pBrowser = nullptr;
    COwnButton *m_pHistoryBack = nullptr;
    COwnButton *m_pHistoryForward = nullptr;
    COwnButton *m_pHome = nullptr;
    COwnButton *m_pFind = nullptr;
    QWidget *m_pFindRow = nullptr;
    QLineEdit *m_pFindField = nullptr;
    QLabel *m_pFindNotice = nullptr;
};
