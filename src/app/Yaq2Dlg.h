#pragma once
// The main window of the program: the vehicle-identification head row, the
// column of head buttons, the title button with the caption of the visible
// page, and the page host that shows exactly one of the fifteen pages.
//
// The pages are created once as children of the window and afterwards only
// shown and hidden by the ShowXxxPage operations. In a session every page
// switch (except home, settings, basket and browser) first checks that the
// session is still valid and ends the program when it is not.

#include "app/EReiheList.h"
#include "common/PageHost.h"

#include <QDialog>
#include <QHash>
#include <QRect>
#include <functional>
#include <memory>

class CPrgSettings;
class CYaqDb;
struct CMainWndArgs;
class CHomeDlg;
class CNrAbfrageDlg;
class CSRPWlDlg;
class CSRPBbDlg;
class CSpotRBbDlg;
class CSetupDlg;
class CBfndDlg;
class CSBefAnzDlg;
class CAwKatDlg;
class CWkDlg;
class CSBLWlDlg;
class CWebBrowserDlg;
class CHLXDlg;
class CDIPDlg;
class CDownloadDlg;
class COwnButton;
class COwnLogoButton;
class QComboBox;
class QLabel;
class QLineEdit;
class QStackedWidget;
class CEReiheDelegate;
class CEReiheModel;
class QProcess;
class QTimer;
struct CPendingIdent;
struct CIdentSnapshot;
class CModelMapping;

// Ids of the head controls; the session locks and the head-row enabling
// name the buttons by them.
enum HeadControlId
{
    kBtnBack = 1000,      // "<": closes the program
    kBtnBasket = 1008,    // "&Zwischenablage"
    kBtnHelp = 1024,      // "?"
    kBtnSearch = 1025,    // "&Suchen"
    kBtnHelpIndex = 1026, // "@"
    kBtnYaqDownload = 1306,
    kBtnTwoWheeler = 1307,
    kBtnDmsDownload = 1308,
    kBtnTitle = 1354,
    kBtnSetup = 1373, // "&Einstellungen"
    kBtnContract = 1507,
    kBtnDmsVin = 1509,
};

class CYaq2Dlg : public QDialog, public IPageHost
{
    Q_OBJECT
public:
    explicit CYaq2Dlg(CPrgSettings *settings, QWidget *parent = nullptr);
    ~CYaq2Dlg() override;

    // Runs the window modally with the start arguments of the caller mode.
    int DoModal(const CMainWndArgs &args);
    // The first part of DoModal: places and shows the window, creates the
    // pages and shows the start page. Afterwards IsEnded tells whether the
    // start already ended the window.
    void InitDialog(const CMainWndArgs &args);
    // Ends the window with the result (at once, or when the start is done).
    void EndDialog(int result);
    bool IsEnded() const { return m_bEnded; }
    int EndResult() const { return m_nEndResult; }

    // Replaces the data source's session check (tests).
    using SessionChecker = std::function<QString(const QString &sessionId)>;
    void SetSessionChecker(SessionChecker checker) { m_sessionChecker = std::move(checker); }

    QComboBox *GetLeadTypeCombo() const { return m_pLeadType; }
    void SetFocusToVin();
    void CreatePages();
    void ResetVehicleFields(bool enable, bool reset) override;
    // Whether first registration, plate, mileage and date belong to the
    // vehicle the settings hold: only to one identified by its VIN.
    bool VehicleFieldsOpen() const;
    // The head-row rule for those fields: open (enabled with the head row,
    // contents kept) or emptied and locked.
    void ApplyVehicleFieldRule();
    void SaveWindowPlacement();

    // Page switching.
    bool PreparePageSwitch();
    int ValidateSession();
    void EnableHeadControls(bool enable, bool pageMode);
    void ShowHomePage() override;
    void ShowSetupPage(bool show) override;
    void ShowWkPage(bool show) override;
    bool ShowWebPage(int mode) override;
    void ShowSRPWlPage(int arg) override;
    void ShowSRPBbPage(bool activate, int arg) override;
    void ShowSpotRBbPage(bool activate, int arg) override;
    void ShowDIPPage(bool show) override;
    void ShowBfndPage(bool activate) override;
    void ShowSBefAnzPage(bool show, const QString &findingNr) override;
    void ShowAwKatPage(int arg, bool silent) override;
    void ShowHLXPage(bool show) override;
    void ShowNrAbfragePage(bool show, bool noFocus) override;
    void ShowSBLWlPage(bool show) override;
    void ShowNewsPage(bool show) override;
    void ShowDownloadPage(bool show) override;
    // The start page of the command line ("AW", "BF", "SRP", "RR", "HLX").
    void OnStartPage();

    // Texts, the home page's texts and the change report to the pages.
    void SetCaptions() override;
    void SetHomeButtonTexts() override;
    void SetIdentChanged(const CChangeFlags &changes) override;
    // The contract button's caption by the brand.
    void SetBrandCaption();

    void ShowAboutBox();

    // State for the callers and tests.
    int CurrentPage() const { return m_nCurPage; }
    QString PageCaption() const;
    QString OpenError() const { return m_strOpenError; }
    CYaqDb *Db(int index) const;
    QWidget *VisiblePage() const;
    COwnButton *HeadButton(int id) const { return m_headButtons.value(id); }

    CHomeDlg *HomePage() const { return m_pHomeDlg.get(); }
    CNrAbfrageDlg *NrAbfragePage() const { return m_pNrAbfrageDlg.get(); }
    CSRPWlDlg *SRPWlPage() const { return m_pSRPWlDlg.get(); }
    CSRPBbDlg *SRPBbPage() const { return m_pSRPBbDlg.get(); }
    CSpotRBbDlg *SpotRBbPage() const { return m_pSpotRBbDlg.get(); }
    CSetupDlg *SetupPage() const { return m_pSetupDlg.get(); }
    CBfndDlg *BfndPage() const { return m_pBfndDlg.get(); }
    CSBefAnzDlg *SBefAnzPage() const { return m_pSBefAnzDlg.get(); }
    CAwKatDlg *AwKatPage() const { return m_pAwKatDlg.get(); }
    CWkDlg *WkPage() const { return m_pWkDlg.get(); }
    CSBLWlDlg *SBLWlPage() const { return m_pSBLWlDlg.get(); }
    CWebBrowserDlg *WebBrowserPage() const { return m_pWebBrowserDlg.get(); }
    CHLXDlg *HLXPage() const { return m_pHLXDlg.get(); }
    CDIPDlg *DIPPage() const { return m_pDIPDlg.get(); }
    CDownloadDlg *DownloadPage() const { return m_pDownloadDlg.get(); }

    // Hold flags of the hand-entered vehicle fields.
    int m_bHoldAllA = 0; // set by the VIN handling
    int m_bHoldAllB = 0; // vehicle taken from the DMS
    int m_bErstzulGivenAtStart = 0;
    int m_bKmGivenAtStart = 0;

    // The caller-mode arguments.
    int m_x = -1;
    int m_y = -1;
    QString m_strPkgNr;
    QString m_strApNr;
    QString m_strApNrAwToSrp;
    QString m_strPkgNr7;

    // --- Head row: model series, model and lead type; captions and tools.
    void InitHeadControls();
    // The window caption's version line (empty for a developer build).
    QString GetVersionString() const;
    // The model-series list and its combo.
    void BuildModelSeriesList();
    void FillModelSeriesCombo(bool reset);
    void FreeModelSeriesList();
    int FindModelSeries(const QString &seriesCode) const;
    void OnCbnDropdownModelSeries();
    const CEReiheList &ModelSeriesList() const { return m_EReiheList; }
    // The entry behind an item of the model-series combo (null for none).
    const CEReiheEntry *ModelSeriesEntry(int index) const;
    // The settings page marks the list for a rebuild at the next use.
    void SetModelSeriesDirty() { m_bEReiheDirty = 1; }
    void FillModelCombos();
    void ClearTypSchlData();
    void OnCbnSelchangeVerkbez();
    void OnCbnSelchangeLeittyp();
    // The contract button's face: the contract colour while the vehicle has
    // an inclusive-service contract.
    void ShowContractColour();
    int CheckContract();
    void SetCustomerSpecificPrice();
    bool IsCustomerPriceBlinking() const;
    void OnEnChangeMileage();
    void OnBnClickedDmsDownload();
    void StartY5Program();
    void OnBnClickedHelp();
    void OnBnClickedHelpIndex();
    void WinHelp();
    // Whether a sibling program started from the head row is still running.
    bool IsSiblingProgramRunning() const { return m_pSibling != nullptr; }

    // --- Vehicle identification: VIN, type key and model-series choice.
    void OnEnChangeFgstNr();
    void OnEnChangeTypSchl();
    void OnEnKillfocusTypschl();
    void OnCbnSelchangeEReihe();
    // Asks the basket before a change of vehicle or first registration; 1
    // when the user kept the old vehicle, which the head row then shows
    // again (from the snapshot when given, else identified anew).
    int ConfirmVehicleChange(const QString &oldVin, const QString &oldTypeKey,
                             const QString &oldFirstRegistration,
                             const CIdentSnapshot *previous = nullptr);
    void UpdateFirstRegistration();
    // Asks the DMS for the first registration; not connected yet: answers 0
    // (no date applied).
    int RequestFirstRegistrationDate() { return 0; }
    // Replaces the basket's vehicle-change question (tests): answers 1 to
    // keep the old vehicle, 0 to go on.
    using BasketQuestion = std::function<int()>;
    void SetBasketQuestion(BasketQuestion question) { m_basketQuestion = std::move(question); }
    QLineEdit *VinEdit() const { return m_pVin; }
    QLineEdit *TypeKeyEdit() const { return m_pTypSchl; }
    bool IsIncompleteVinTimerActive() const;
    int m_bTypSchlFromVin = 0;     // the type key came from the VIN look-up
    int m_bTypSchlFound = 0;       // the type look-up found a record
    int m_bVehicleChangeGuard = 0; // set while the basket is asked

    // The smallest size of the window.
    static QSize MinimumWindowSize();

public slots:
    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ForgetIdentifiedVehicle();
    void BuildHead();
    void OpenConnections();
    void OnDestroy();
    void ApplyPlacement();
    void ReadCatalogueDate();
    void ShowPageWidget(QWidget *page);
    void SetTitle(int pageId, const QString &caption);
    void SetHelpIndexVisible(bool visible);
    // The title button's tooltip: the window caption and the catalogue date.
    QString TitleToolTip() const;
    bool SessionForbids(int headButtonId) const;
    bool HasMaintenanceTopics();
    QString MaintenanceReferenceDate() const;
    COwnButton *MakeHeadButton(int id, const char *name, const QString &bitmap);
    QLabel *MakeHeadLabel(const char *name);

    CPrgSettings *m_pSettings;
    // The four connections db0 to db3; null when not open. The pages borrow
    // them, so they are declared before the pages and outlive them.
    std::unique_ptr<CYaqDb> m_pDb[4];

    // The fifteen pages, in the order they are built.
    std::unique_ptr<CHomeDlg> m_pHomeDlg;
    std::unique_ptr<CNrAbfrageDlg> m_pNrAbfrageDlg;
    std::unique_ptr<CSRPWlDlg> m_pSRPWlDlg;
    std::unique_ptr<CSRPBbDlg> m_pSRPBbDlg;
    std::unique_ptr<CSpotRBbDlg> m_pSpotRBbDlg;
    std::unique_ptr<CSetupDlg> m_pSetupDlg;
    std::unique_ptr<CBfndDlg> m_pBfndDlg;
    std::unique_ptr<CSBefAnzDlg> m_pSBefAnzDlg;
    std::unique_ptr<CAwKatDlg> m_pAwKatDlg;
    std::unique_ptr<CWkDlg> m_pWkDlg;
    std::unique_ptr<CSBLWlDlg> m_pSBLWlDlg;
    std::unique_ptr<CWebBrowserDlg> m_pWebBrowserDlg;
    std::unique_ptr<CHLXDlg> m_pHLXDlg;
    std::unique_ptr<CDIPDlg> m_pDIPDlg;
    std::unique_ptr<CDownloadDlg> m_pDownloadDlg;

    // Head row.
    COwnLogoButton *m_pTitle = nullptr;
    QLineEdit *m_pVin = nullptr;
    QLineEdit *m_pTypSchl = nullptr;
    QComboBox *m_pEReihe = nullptr;
    QComboBox *m_pModell = nullptr;
    QComboBox *m_pLeadType = nullptr;
    QLineEdit *m_pErstzul = nullptr;
    QLineEdit *m_pPlate = nullptr;
    QLineEdit *m_pKm = nullptr;
    QLineEdit *m_pDate = nullptr;
    QHash<QString, QLabel *> m_headLabels;
    QHash<int, COwnButton *> m_headButtons;
    QStackedWidget *m_pPageStack = nullptr;

    // Vehicle identification.
    void ConnectIdentification();
    bool TakeOverVehicle(CPendingIdent &pending, const CIdentSnapshot &before, bool fromVin);
    void RestoreHeadRow(const CIdentSnapshot &before);
    void KeepVehicleAfterRefusedVin(const CIdentSnapshot &before);
    void FirstRegistrationAfterIdent();
    void OnTimerIncompleteVin();
    void SetCatalogueCaption();
    const CModelMapping *Mapping() const;
    QTimer *m_pVinTimer = nullptr;
    BasketQuestion m_basketQuestion;

    // Head row: model series, blinking warning, sibling programs.
    QComboBox *CreateModelSeriesCombo();
    void FillLeadTypes(const QString &model, bool takeLowCodes);
    void OnBlinkTimer();
    bool RunSiblingProgram(const QString &program, const QStringList &arguments,
                           const QString &shownCommand, bool minimise);
    void OpenHelp(int context);
    CEReiheList m_EReiheList;
    CEReiheModel *m_pEReiheModel = nullptr;
    CEReiheDelegate *m_pEReiheDelegate = nullptr;
    int m_bEReiheDirty = 1;
    QTimer *m_pBlinkTimer = nullptr;
    int m_bBlinkPhase = 0;
    QProcess *m_pSibling = nullptr;

    QString m_strOpenError;
    int m_nCurPage;
    int m_bHeadEnabled = 1;
    QRect m_rcInit;
    SessionChecker m_sessionChecker;
    bool m_bEnded = false;
    bool m_bInInit = false;
    bool m_bDestroyed = false;
    int m_nEndResult = 0;
};

// Reports a change to the pages that depend on it: each nonzero flag is
// stored in the pages that keep it; with identChanged the visible page is
// shown again. The head-row handlers pass 0 for the last six flags.
void SetIdentChanged(CYaq2Dlg *dlg, int identChanged, int vinChanged, int typeKeyChanged,
                     int seriesChanged, int typeNumberChanged, int modelChanged,
                     int leadTypeChanged, int firstRegistrationChanged, int languageChanged,
                     int mileageChanged, int setupChanged1, int setupChanged2, int setupChanged3,
                     int setupChanged4);
