#pragma once
// The main window of the program: the vehicle-identification head row, the
// column of head buttons, the title button with the caption of the visible
// page, and the page host that shows exactly one of the pages.
//
// The pages are those of the page table (PageTable.h), created once as
// children of the window and afterwards only shown and hidden: the
// ShowXxxPage operations check their conditions and share one switching
// routine that does what the page's row says. Other pages show a page by its
// id (IPageHost::ShowPage), which leads to the same operations through the
// page's row. In a session a switch to most pages first checks that the
// session is still valid and ends the program when it is not.

#include "app/DmsExchange.h"
#include "app/HeadRowCatalogue.h"
#include "app/HeadRowView.h"
#include "app/HeadTools.h"
#include "app/IdentFlow.h"
#include "app/MainWndArgs.h"
#include "app/SessionPolicy.h"
#include "app/WindowPlacement.h"
#include "common/PageHost.h"

#include <QDialog>
#include <QHash>
#include <functional>
#include <memory>
#include <vector>

class QTimer;
class CAdviserStep;
class CPrgSettings;
class CYaqDb;
class CPageDlg;
class CPageLinks;
class CWkBasket;
class CStartWindow;
class COwnButton;
class QComboBox;
class QLineEdit;

class CYaq2Dlg : public QDialog,
                 public IPageHost,
                 private IIdentHost,
                 private IDmsExchangeHost,
                 private IHeadToolsHost
{
    Q_OBJECT
public:
    // The application lends the window its connection values, its DMS
    // listener, the model names and Qt's translations (see CMainWndEnv).
    explicit CYaq2Dlg(CPrgSettings *settings, const CMainWndEnv &env = {},
                      QWidget *parent = nullptr);
    ~CYaq2Dlg() override;

    // Runs the window modally with the start arguments of the caller mode.
    int DoModal(const CMainWndArgs &args);
    // The first part of DoModal: places and shows the window, creates the
    // pages and shows the start page. Afterwards IsEnded tells whether the
    // start already ended the window.
    void InitDialog(const CMainWndArgs &args);
    // Ends the window with the result (at once, or when the start is done).
    void EndDialog(int result);
    // Ends the window with the result at once, also during the start.
    void EndDialogAtOnce(int result);
    bool IsEnded() const { return m_bEnded; }
    int EndResult() const { return m_nEndResult; }

    // Replaces the data source's session check (tests).
    using SessionChecker = std::function<QString(const QString &sessionId)>;
    void SetSessionChecker(SessionChecker checker) { m_sessionChecker = std::move(checker); }

    QComboBox *GetLeadTypeCombo() const { return m_pHead->LeadType(); }
    void SetFocusToVin();
    void CreatePages();
    void ResetVehicleFields(bool enable, bool reset) override;
    void SaveWindowPlacement() override { m_placement.Save(); }

    // Page switching.
    bool PreparePageSwitch() override;
    int ValidateSession();
    void EnableHeadControls(bool enable, bool pageMode);
    // The show operations of the pages; other pages reach them through
    // ShowPage and the page's row of the page table.
    void ShowHomePage() override;
    void ShowSetupPage(bool show);
    void ShowWkPage(bool show);
    // The browser on the document of `mode`; its "<" leads back to
    // `returnPage` (0: no way back).
    bool ShowWebPage(int mode, int returnPage = 0);
    // levelUp: the list goes one level up once shown.
    void ShowSRPWlPage(int arg, bool levelUp = false);
    // The package list for the caller's package (the first seven characters
    // of its number), which the caller mode "qvledit" edits.
    void ShowPackageOfCaller(const QString &packageNr7);
    void ShowDIPPage(bool show);
    void ShowSBefAnzPage(bool show, const QString &findingNr);
    void ShowAwKatPage(int arg, bool silent);
    void ShowHLXPage(bool show);
    void ShowNrAbfragePage(bool show, bool noFocus);
    void ShowSBLWlPage(bool show);
    void ShowNewsPage(bool show);
    void ShowDownloadPage(bool show);
    using IPageHost::ShowPage;
    void ShowPage(int pageId, const CPageRequest &request) override;
    int CameFrom(int pageId) const override;
    void GoBack(int pageId) override;
    CWkBasket *Basket() const override { return m_pBasket.get(); }
    void ApplySessionLocks(int pageId) override;
    // The start page of the command line ("AW", "BF", "SRP", "RR", "HLX").
    void OnStartPage();

    // Texts, the home page's texts and the change report to the pages.
    void SetCaptions() override;
    void SetHomeButtonTexts() override;
    void SetIdentChanged(const CChangeFlags &changes) override;
    // The same; with pageWaits the visible page is not shown again yet (the
    // VIN is being typed) but once ShowWaitingPage is called, unless a
    // later report showed it meanwhile.
    void SetIdentChanged(const CChangeFlags &changes, bool pageWaits) override;
    void ShowWaitingPage() override;
    // The contract button's caption by the brand.
    void SetBrandCaption();

    void ShowAboutBox();

    // State for the callers and tests.
    int CurrentPage() const override { return m_nCurPage; }
    QString PageCaption() const;
    QString OpenError() const { return m_strOpenError; }
    CYaqDb *Db(int index) const override;
    QWidget *VisiblePage() const;
    COwnButton *HeadButton(int id) const { return m_pHead->Button(id); }

    // The page of the page table by its id, or by its class (Page<CWkDlg>());
    // null for none.
    CPageDlg *Page(int pageId) const;
    template <class PageClass> PageClass *Page() const
    {
        return static_cast<PageClass *>(PageOfClass(PageClass::staticMetaObject));
    }

    // --- Head row: model series, model and lead type; captions and tools.
    // The catalogue reads of the head row, on the window's connections.
    CHeadRowCatalogue &HeadRow() override;
    // Shows the vehicle of the settings: VIN, type key, and the models and
    // lead types of its catalogue; the catalogue view or showVehicle choose
    // its model and lead type.
    void FillModelCombos(bool showVehicle = false) { m_pHead->FillModelCombos(showVehicle); }
    void ClearTypSchlData() { m_pHead->ClearVehicle(); }
    void SetCustomerSpecificPrice() { m_pHead->SetCustomerSpecificPrice(); }
    bool IsCustomerPriceBlinking() const { return m_pHead->IsCustomerPriceBlinking(); }
    void OnBnClickedDmsDownload() { m_pTools->DmsDownload(); }
    void StartY5Program() { m_pTools->StartTwoWheeler(); }
    void WinHelp() override { m_pTools->Help(); }
    void ShowHelpPage(int context) { m_pTools->ShowHelpPage(context); }
    // Whether a sibling program started from the head row is still running.
    bool IsSiblingProgramRunning() const { return m_pTools->IsSiblingProgramRunning(); }

    // --- Vehicle identification: VIN, type key and model-series choice.
    // The one entry for a vehicle (see CIdentFlow::Identify).
    bool Identify(const CGivenVehicle &vehicle) { return m_pIdent->Identify(vehicle); }
    using BasketQuestion = CIdentFlow::BasketQuestion;
    void SetBasketQuestion(BasketQuestion question) { m_pIdent->SetBasketQuestion(question); }
    QLineEdit *VinEdit() const { return m_pHead->Vin(); }
    QLineEdit *TypeKeyEdit() const { return m_pHead->TypeKey(); }
    bool IsIncompleteVinTimerActive() const { return m_pIdent->IsIncompleteVinTimerActive(); }

    // --- The DMS exchange (see CDmsExchange).
    CDmsExchange &Dms() { return *m_pDms; }
    void HandleSoapRequest(const QString &request) { m_pDms->HandleSoapRequest(request); }
    CFirstRegistration::AnswerResult RequestFirstRegistrationDate() override
    {
        return m_pDms->RequestFirstRegistrationDate();
    }
    // Replaces the application's listener (tests); null polls nothing.
    void SetListener(ISoapSvr *listener) { m_pDms->SetListener(listener); }
    // Opens a connection with the start-up's connection values.
    bool OpenConnection(CYaqDb &db) const;

    // The smallest size of the window.
    static QSize MinimumWindowSize() { return CWindowPlacement::MinimumSize(); }

public slots:
    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *Window() override { return this; }
    void ReloadModelNames() override;
    void ConnectHead();
    void OpenConnections();
    void ShowPageAgain();
    void OnDestroy();
    void OnEnChangeMileage();
    void ShowMileageOnPage();
    CPageDlg *PageOfClass(const QMetaObject &pageClass) const;
    // Whether the switch to the page may go on: in a session the pages the
    // page table names check the session first.
    bool MaySwitchTo(int pageId);
    // The one page switch: notes where the user came from, shows the page,
    // gives `focus` the focus, and sets the title (with `caption`, else the
    // page's caption text), the help index and the head row as the page's
    // row says.
    void SwitchTo(int pageId, QWidget *focus = nullptr, const QString &caption = QString());
    // The browser on the document of the mode, under the title's caption
    // (kept when empty), its "<" leading back to `returnPage`.
    bool OpenBrowser(int mode, const QString &caption, int returnPage = 0);
    // The title button's tooltip: the window caption and the catalogue date.
    QString TitleToolTip() const;
    // The control a session may lock (see CSessionPolicy).
    QWidget *LockableControl(int id) const;
    // Runs `change`, which disables or hides controls of the window. When
    // the control with the keyboard is among them, Qt hands the focus on
    // to the next control of the window: another head button, or the
    // window's "<", where the next Return would end the program. The focus
    // goes into the page shown instead (CPageDlg::TakeKeyboard), also
    // from a control of a hidden page.
    void KeepFocusInPage(const std::function<void()> &change);

    CPrgSettings *m_pSettings;
    // What the application lent; the start-up configuration may replace the
    // connection's TNS name, user and password.
    CMainWndEnv m_env;
    // The basket of the session; the pages borrow it, so it outlives them.
    std::unique_ptr<CWkBasket> m_pBasket;
    std::unique_ptr<CAdviserStep> m_pStep;
    // The visible page follows a typed mileage once the typing pauses.
    QTimer *m_pMileagePause = nullptr;
    // The four connections db0 to db3; null when not open. The pages borrow
    // them, so they are declared before the pages and outlive them.
    std::unique_ptr<CYaqDb> m_pDb[4];

    // The head's widgets, the identification over them, the head buttons'
    // tools and the DMS exchange; the pages' ends still reach the head row.
    std::unique_ptr<CHeadRowView> m_pHead;
    std::unique_ptr<CIdentFlow> m_pIdent;
    std::unique_ptr<CHeadTools> m_pTools;
    std::unique_ptr<CDmsExchange> m_pDms;
    // What the pages hand each other; lent to the pages, so it goes after them.
    std::unique_ptr<CPageLinks> m_pLinks;

    // The pages of the page table, in its order.
    std::vector<std::unique_ptr<CPageDlg>> m_pages;
    // For a page: the page "<" leads back to, where the user came from.
    QHash<int, int> m_cameFrom;

    // The catalogue reads of the head row and the window's placement.
    std::unique_ptr<CHeadRowCatalogue> m_pHeadRow;
    CWindowPlacement m_placement;

    // The caller-mode arguments.
    int m_x = -1;
    int m_y = -1;
    QString m_strPkgNr;
    QString m_strApNr;
    QString m_strApNrAwToSrp;
    QString m_strAwToSrpVin;
    QString m_strPkgNr7;

    QString m_strOpenError;
    int m_nCurPage;
    bool m_bPageWaits = false; // a reported change waits to be shown
    SessionChecker m_sessionChecker;
    bool m_bEnded = false;
    bool m_bInInit = false;
    bool m_bDestroyed = false;
    int m_nEndResult = 0;
};
