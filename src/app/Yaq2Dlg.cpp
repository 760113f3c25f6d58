#include "app/Yaq2Dlg.h"

#include "app/AboutDlg.h"
#include "app/AdviserStep.h"
#include "app/HeadKeys.h"
#include "app/HomeDlg.h"
#include "app/MainWndRules.h"
#include "app/ModelMapping.h"
#include "app/PageLinks.h"
#include "app/PageTable.h"
#include "app/PendingIdent.h"
#include "app/StartFlow.h"
#include "app/StartWindow.h"
#include "app/StartupConfig.h"
#include "app/Utilities.h"
#include "basket/WkDlg.h"
#include "basket/model/WkBasket.h"
#include "catalogues/AwKatDlg.h"
#include "catalogues/BfndDlg.h"
#include "catalogues/NrAbfrageDlg.h"
#include "catalogues/SBefAnzDlg.h"
#include "common/OwnButton.h"
#include "common/OwnLogoButton.h"
#include "common/OwnSound.h"
#include "common/OwnWhiteButton.h"
#include "common/WebBrowserDlg.h"
#include "packages/HLXDlg.h"
#include "packages/SRPWlDlg.h"
#include "platform/AppPaths.h"
#include "platform/InputDrop.h"
#include "platform/MsgBox.h"
#include "platform/OrmelText.h"
#include "platform/PrgLanguage.h"
#include "platform/db/CatalogueFailure.h"
#include "platform/db/ServerWait.h"
#include "platform/db/WebDb.h"
#include "platform/db/YaqDb.h"
#include "settings/PrgSettings.h"
#include "setup/SetupDlg.h"

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QStackedWidget>
#include <QTimer>

#include <functional>
#include <utility>

static void InitYaqResources()
{
    Q_INIT_RESOURCE(yaq2);
}

namespace {
// The logo of the title button: home page (training edition apart) and
// every other page.
const QString kLogoHome = QStringLiteral(":/bitmaps/logo.png");
const QString kLogoTraining = QStringLiteral(":/bitmaps/logo_training.png");
const QString kLogoPage = QStringLiteral(":/bitmaps/logo_page.png");
// The pause in the typing of the mileage after which the page follows it.
constexpr int kMileagePauseMs = 400;

// Before the adviser acts anywhere but in the mileage (a click, a key, a
// shortcut) while the page has still to follow a typed mileage, the page
// follows it: nothing acts on a page judged at a mileage no longer in the
// field ("Drucken" on the contract page right after the last digit).
class CTypedMileageFirst : public QObject
{
public:
    CTypedMileageFirst(QTimer *pause, QLineEdit *mileage, std::function<void()> apply,
                       QObject *parent)
        : QObject(parent), m_pPause(pause), m_pMileage(mileage), m_apply(std::move(apply))
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (m_pPause->isActive() && watched->isWidgetType() && IsAction(watched, event))
            m_apply();
        return false;
    }

private:
    bool IsAction(QObject *watched, QEvent *event) const
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            return watched != m_pMileage;
        case QEvent::Shortcut:
            return true;
        case QEvent::KeyPress: {
            // Typing on in the mileage is no action; Return there presses
            // the window's default button.
            const int key = static_cast<QKeyEvent *>(event)->key();
            return watched != m_pMileage || key == Qt::Key_Return || key == Qt::Key_Enter;
        }
        default:
            return false;
        }
    }

    QTimer *m_pPause;
    QLineEdit *m_pMileage;
    std::function<void()> m_apply;
};
} // namespace

CYaq2Dlg::CYaq2Dlg(CPrgSettings *settings, const CMainWndEnv &env, QWidget *parent)
    : QDialog(parent), m_pSettings(settings), m_env(env), m_placement(this, settings),
      m_nCurPage(kPageHome)
{
    m_pBasket = std::make_unique<CWkBasket>(m_pSettings);
    m_pStep = std::make_unique<CAdviserStep>(this);
    for (const CPageRow &row : PageRows())
        m_pages.emplace_back(row.make());
    InitYaqResources();
    setObjectName(QStringLiteral("YAQ2MainWindow"));
    setWindowIcon(QIcon(QStringLiteral(":/bitmaps/app.png")));
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    setSizeGripEnabled(true);
    m_pHead = std::make_unique<CHeadRowView>(this, m_pSettings,
                                             [this]() -> CHeadRowCatalogue & { return HeadRow(); });
    IIdentHost &identHost = *this;
    m_pIdent = std::make_unique<CIdentFlow>(identHost, *m_pHead, m_pSettings);
    IHeadToolsHost &toolsHost = *this;
    m_pTools = std::make_unique<CHeadTools>(toolsHost, m_pSettings);
    IDmsExchangeHost &dmsHost = *this;
    m_pDms = std::make_unique<CDmsExchange>(dmsHost, *m_pHead, *m_pIdent, m_pSettings);
    if (m_env.listener)
        m_pDms->SetListener(m_env.listener);
    m_pLinks = std::make_unique<CPageLinks>(*this, *m_pHead, *m_pDms, m_pSettings);
    ConnectHead();

    // The local data set: the data directory holds "YAQ2.dat".
    m_pSettings->LocalDataSetDir = m_pSettings->DataDir;
    if (QFileInfo::exists(JoinPath(m_pSettings->LocalDataSetDir, QStringLiteral("YAQ2.dat"))))
        m_pSettings->bLocalDataSet = 1;
    else
        m_pSettings->LocalDataSetDir.clear();

    // The dealer platform's start-up configuration, outside a session only.
    if (!m_pSettings->bSession) {
        CConnectValues &values = m_env.connection;
        CStartupConnection connection{values.tns, values.uid, values.pwd};
        bool countryCodeNotice = false;
        QString notSaved;
        {
            CStartupConfig config;
            countryCodeNotice = RunStartupConfig(config, *m_pSettings, &connection);
            config.Save(&notSaved);
        }
        if (!notSaved.isEmpty())
            OwnMsgBox(notSaved, this);
        values.tns = connection.tns;
        values.uid = connection.uid;
        values.pwd = connection.pwd;
        if (countryCodeNotice)
            OwnMsgChkBox(OrmelText(4090), &m_pSettings->bMeldungCountryCode);
    }

    OpenConnections();
}

CYaq2Dlg::~CYaq2Dlg()
{
    OnDestroy();
    // The pages go first, while the head row still answers the events
    // their destruction sends; the head widgets themselves are children of
    // the window and go last, with the filter already seeing no head row.
    m_pHeadRow.reset();
    m_pBasket->SetAsk(nullptr);
    m_pBasket->SetTransferHandler({});
    m_pages.clear();
    m_pLinks.reset();
    m_pDms.reset();
    m_pTools.reset();
    m_pIdent.reset();
    m_pHead.reset();
}

bool CYaq2Dlg::OpenConnection(CYaqDb &db) const
{
    const CConnectValues &v = m_env.connection;
    return db.Open(v.tns, v.uid, v.pwd, 0, m_pSettings->LocalDataSetDir, v.appServer, v.sessionId);
}

void CYaq2Dlg::OpenConnections()
{
    // The start (the connections, the catalogue date, the caller's vehicle
    // and request) is a step of its own: it waits on a silent server at
    // most once.
    CServerWait::BeginStep();
    for (auto &db : m_pDb) {
        auto connection = std::make_unique<CYaqDb>();
        if (!OpenConnection(*connection)) {
            m_strOpenError = CatalogueFailure::StartText();
            connection->Close();
            return;
        }
        db = std::move(connection);
    }
}

CYaqDb *CYaq2Dlg::Db(int index) const
{
    return index >= 0 && index < 4 ? m_pDb[index].get() : nullptr;
}

// ---------------------------------------------------------------------------
// Head row and button column

void CYaq2Dlg::ConnectHead()
{
    COwnLogoButton *title = m_pHead->Title();
    title->SetBitmap(kLogoHome);
    // Its tooltip names the catalogue caption and date as they are when it
    // is shown (see eventFilter).
    title->installEventFilter(this);
    connect(title, &QAbstractButton::clicked, this, &CYaq2Dlg::ShowHomePage);
    connect(title, &COwnLogoButton::doubleClicked, this, &CYaq2Dlg::ShowAboutBox);
    connect(HeadButton(kBtnDmsVin), &QAbstractButton::clicked, this,
            [this] { m_pDms->RunVehicleSearch(m_nCurPage); });
    connect(HeadButton(kBtnSetup), &QAbstractButton::clicked, this, [this] {
        PlaySoundSelected(m_pSettings);
        if (Page(kPageSetup)->IsCreated())
            ShowSetupPage(true);
    });
    connect(HeadButton(kBtnBasket), &QAbstractButton::clicked, this, [this] {
        PlaySoundSelected(m_pSettings);
        if (Page(kPageWk)->IsCreated())
            ShowWkPage(true);
    });
    connect(HeadButton(kBtnSearch), &QAbstractButton::clicked, this, [this] {
        PlaySoundSelected(m_pSettings);
        if (Page(kPageNrAbfrage)->IsCreated())
            ShowNrAbfragePage(true, false);
    });
    connect(HeadButton(kBtnContract), &QAbstractButton::clicked, this, [this] {
        PlaySoundSelected(m_pSettings);
        ShowHLXPage(true);
    });
    connect(HeadButton(kBtnYaqDownload), &QAbstractButton::clicked, this, [this] {
        PlaySoundSelected(m_pSettings);
        ShowDownloadPage(true);
    });
    connect(HeadButton(kBtnBack), &QAbstractButton::clicked, this, [this] {
        PlaySoundSelected(m_pSettings);
        reject();
    });

    CHeadTools *tools = m_pTools.get();
    connect(HeadButton(kBtnDmsDownload), &QAbstractButton::clicked, tools,
            &CHeadTools::DmsDownload);
    connect(HeadButton(kBtnTwoWheeler), &QAbstractButton::clicked, tools,
            &CHeadTools::StartTwoWheeler);
    connect(HeadButton(kBtnHelp), &QAbstractButton::clicked, tools, &CHeadTools::Help);
    connect(HeadButton(kBtnHelpIndex), &QAbstractButton::clicked, tools, &CHeadTools::HelpIndex);
    auto *f1 = new QShortcut(QKeySequence::HelpContents, this);
    connect(f1, &QShortcut::activated, tools, &CHeadTools::Help);
    connect(m_pHead->Mileage(), &QLineEdit::textEdited, this, &CYaq2Dlg::OnEnChangeMileage);
    m_pMileagePause = new QTimer(this);
    m_pMileagePause->setObjectName(QStringLiteral("mileagePauseTimer"));
    m_pMileagePause->setSingleShot(true);
    m_pMileagePause->setInterval(kMileagePauseMs);
    connect(m_pMileagePause, &QTimer::timeout, this, &CYaq2Dlg::ShowMileageOnPage);
    qApp->installEventFilter(new CTypedMileageFirst(
        m_pMileagePause, m_pHead->Mileage(), [this] { ShowMileageOnPage(); }, this));
    for (COwnButton *button : m_pHead->Buttons())
        button->installEventFilter(this);
}

CHeadRowCatalogue &CYaq2Dlg::HeadRow()
{
    // Made at its first use: the constructor has opened the connections.
    if (!m_pHeadRow) {
        m_pHeadRow =
            std::make_unique<CHeadRowCatalogue>(Db(0), Db(1), m_pSettings, m_env.modelMapping);
    }
    return *m_pHeadRow;
}

void CYaq2Dlg::SetCaptions()
{
    // After a change of the program language Qt's dialogs follow the texts.
    if (m_env.qtTranslations)
        m_env.qtTranslations->Load(GetPrgTextSprache());
    m_pHead->SetCaptions();
}

QString CYaq2Dlg::TitleToolTip() const
{
    return m_pSettings->DlgTitel + QStringLiteral(" - ") + OrmelText(6079) + QLatin1Char(' ') +
           m_pSettings->KatDatum;
}

void CYaq2Dlg::ReloadModelNames()
{
    if (m_env.modelMapping)
        m_env.modelMapping->Load(GetPrgTextSprache());
}

void CYaq2Dlg::SetBrandCaption()
{
    m_pHead->SetBrandCaption();
}

// ---------------------------------------------------------------------------
// Mileage

void CYaq2Dlg::OnEnChangeMileage()
{
    m_pSettings->Kilometer = m_pHead->Mileage()->text();
    CChangeFlags changes;
    changes.bKilometer = 1;
    SetIdentChanged(changes);
    // The page shown reads the catalogue again for the mileage: once for the
    // number typed, not for every digit (each of which would wait on a
    // silent catalogue server and tell it).
    m_pMileagePause->start();
}

void CYaq2Dlg::ShowMileageOnPage()
{
    // Never read again under a dialog the page opened (the print preview of
    // the contracts): the page follows once it has closed.
    if (QWidget *modal = QApplication::activeModalWidget(); modal && modal != this) {
        m_pMileagePause->start();
        return;
    }
    m_pMileagePause->stop();
    if (auto *contract = Page<CHLXDlg>(); VisiblePage() == contract)
        contract->ActivatePage();
    else if (auto *findings = Page<CBfndDlg>(); VisiblePage() == findings)
        findings->ActivatePage(0);
    else if (auto *packages = Page<CSRPWlDlg>(); VisiblePage() == packages)
        packages->ActivatePage();
    // The page may have checked a contract flag again (HLXContractFlag).
    m_pHead->ShowContractColour();
}

// ---------------------------------------------------------------------------
// Keys of the head buttons

bool CYaq2Dlg::eventFilter(QObject *watched, QEvent *event)
{
    // While the window is destroyed its head row is gone before the
    // widgets it filters.
    if (!m_pHead)
        return QDialog::eventFilter(watched, event);
    // The caption and the catalogue date change after the head row is
    // built: the title's tooltip is made when it is about to show.
    if (watched == m_pHead->Title() && event->type() == QEvent::ToolTip)
        m_pHead->Title()->setToolTip(TitleToolTip());
    if (event->type() == QEvent::KeyPress) {
        const int focusedId = m_pHead->Buttons().key(qobject_cast<COwnButton *>(watched), 0);
        const auto *key = static_cast<QKeyEvent *>(event);
        CHomeDlg *home = Page<CHomeDlg>();
        if (key->key() == Qt::Key_Tab && home->IsCreated())
            home->update();
        switch (CHeadKeys::ForKey(key->key(), focusedId)) {
        case CHeadKeys::KeyRunButton:
            HeadButton(focusedId)->click();
            return true;
        case CHeadKeys::KeyToHomePage:
            if (home->IsCreated() && home->isVisible()) {
                home->setFocus(Qt::TabFocusReason);
                home->AwButton()->setFocus(Qt::TabFocusReason);
                return true;
            }
            break;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CYaq2Dlg::SetHomeButtonTexts()
{
    Page<CHomeDlg>()->SetButtonTexts();
}

void CYaq2Dlg::SetFocusToVin()
{
    m_pHead->Vin()->setFocus();
}

// ---------------------------------------------------------------------------
// Start and end

int CYaq2Dlg::DoModal(const CMainWndArgs &args)
{
    InitDialog(args);
    if (m_bEnded) {
        OnDestroy();
        hide();
        return m_nEndResult;
    }
    return exec();
}

void CYaq2Dlg::InitDialog(const CMainWndArgs &args)
{
    m_x = args.x;
    m_y = args.y;
    m_strPkgNr = args.paketNr;
    m_strApNr = args.apNr;
    m_strApNrAwToSrp = args.awToSrpList;
    m_strAwToSrpVin = args.awToSrpVin;
    m_bInInit = true;

    SetCaptions();
    m_placement.Begin();
    CreatePages();
    m_placement.Apply(m_x, m_y);

    const CPrgSettings &s = *m_pSettings;
    // The caller's work on its vehicle: the start tells what it meets on
    // standard error, as the calling system may run it unattended; a box
    // would keep it waiting. The window the start opens is the adviser's.
    const bool callerWork = s.bQvlEdit || s.bQvlAPosSearch || s.bQvlAPosQuery;
    const bool callerCatalogueLost = (s.bQvl || callerWork) && !m_strOpenError.isEmpty();
    if (!s.bQvlAwToSrp && !s.bQvlAPosQuery && !callerCatalogueLost) {
        if (s.bYAQ2DlgIsZoomed)
            showMaximized();
        else
            show();
    }
    m_pHead->Title()->SetBitmap(s.bSchulung ? kLogoTraining : kLogoHome);
    m_pHead->Title()->SetCaption(QString());
    m_pHead->OfferTwoWheeler(IsVoqDealer(m_pSettings) != 0, CSessionPolicy::Of(s));

    CStartWindow window(*this, {m_pSettings, *m_pIdent, *m_pDms});
    const bool windowless = IsMsgBoxWindowless();
    if (callerWork)
        SetMsgBoxWindowless(true);
    CStartFlow::Run(window, *m_pSettings,
                    {m_strOpenError, m_strPkgNr, m_strApNr, m_strApNrAwToSrp, m_strAwToSrpVin});
    SetMsgBoxWindowless(windowless);
    // A failed connection has already closed the window.
    if (!m_strOpenError.isEmpty())
        return;

    m_bInInit = false;
    if (m_bEnded)
        EndDialog(m_nEndResult);
}

void CYaq2Dlg::EndDialog(int result)
{
    m_bEnded = true;
    m_nEndResult = result;
    // During the start the window only notes the end; the start finishes
    // its steps and DoModal returns without running the loop.
    if (!m_bInInit && isVisible())
        done(result);
}

void CYaq2Dlg::EndDialogAtOnce(int result)
{
    m_bInInit = false;
    EndDialog(result);
}

void CYaq2Dlg::done(int result)
{
    m_bEnded = true;
    m_nEndResult = result;
    OnDestroy();
    QDialog::done(result);
}

void CYaq2Dlg::OnDestroy()
{
    if (m_bDestroyed)
        return;
    m_bDestroyed = true;
    m_pDms->Close();
    const CConnectValues &v = m_env.connection;
    const bool dbOpen[4] = {bool(m_pDb[0]), bool(m_pDb[1]), bool(m_pDb[2]), bool(m_pDb[3])};
    for (CStartFlow::EndStep step : CStartFlow::EndSteps(*m_pSettings, v.appServer, dbOpen)) {
        switch (step) {
        case CStartFlow::FreeModelSeries:
            // The model-series list belongs to the head-row catalogue and
            // goes with it.
            break;
        case CStartFlow::SavePlacement:
            m_placement.Save();
            break;
        case CStartFlow::EndSession:
            // The window is gone for the adviser while its last request
            // waits (at most the exchange's time): nothing in it could be
            // used any more.
            hide();
            m_pDb[0]->EndSession(v.sessionId);
            break;
        case CStartFlow::CloseDb0:
        case CStartFlow::CloseDb1:
        case CStartFlow::CloseDb2:
        case CStartFlow::CloseDb3:
            m_pDb[step - CStartFlow::CloseDb0]->Close();
            break;
        }
    }
}

void CYaq2Dlg::keyPressEvent(QKeyEvent *event)
{
    // Escape never closes the main window.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CYaq2Dlg::ShowAboutBox()
{
    CAboutDlg about(m_pSettings, m_pDb[0].get(), m_env.connection.tns, this);
    about.DoModal();
}

// ---------------------------------------------------------------------------
// Pages

void CYaq2Dlg::CreatePages()
{
    if (Page(kPageHome)->IsCreated())
        return;
    const std::vector<CPageRow> &rows = PageRows();
    for (size_t i = 0; i < rows.size(); ++i) {
        std::vector<CYaqDb *> connections;
        for (int c = 0; c < rows[i].connections; ++c)
            connections.push_back(m_pDb[c].get());
        m_pages[i]->Create(m_pSettings, rows[i].id, rows[i].captionId, connections, this,
                           m_pHead->PageStack());
        m_pHead->PageStack()->addWidget(m_pages[i].get());
    }
    Page<CWebBrowserDlg>()->m_strServerBase = m_env.connection.appServerAddress;
    Page<CWebBrowserDlg>()->m_nServerTimeoutMs = CWebDb::kTimeoutMs;
    m_pHead->PageStack()->setCurrentWidget(Page(kPageHome));
    m_pLinks->Connect();
    connect(Page<CHomeDlg>(), &CHomeDlg::tabFromLastButton, this,
            [this] { HeadButton(kBtnContract)->setFocus(Qt::TabFocusReason); });
}

CPageDlg *CYaq2Dlg::Page(int pageId) const
{
    const std::vector<CPageRow> &rows = PageRows();
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].id == pageId)
            return m_pages[i].get();
    }
    return nullptr;
}

CPageDlg *CYaq2Dlg::PageOfClass(const QMetaObject &pageClass) const
{
    for (const auto &page : m_pages) {
        if (page->metaObject() == &pageClass)
            return page.get();
    }
    return nullptr;
}

QWidget *CYaq2Dlg::VisiblePage() const
{
    return m_pHead->PageStack()->currentWidget();
}

QString CYaq2Dlg::PageCaption() const
{
    return m_pHead->Title()->Caption();
}

// ---------------------------------------------------------------------------
// Session check

int CYaq2Dlg::ValidateSession()
{
    const QString &sessionId = m_env.connection.sessionId;
    if (m_sessionChecker)
        return ParseSessionAnswer(m_sessionChecker(sessionId));
    return CheckSessionOn(Db(0), sessionId);
}

bool CYaq2Dlg::PreparePageSwitch()
{
    if (!m_pSettings->bSession)
        return true;
    // A window that has begun to end (its session found invalid, or closed)
    // asks nothing more of the application server: no page, DMS request or
    // timer runs on for an ended session.
    if (m_bEnded)
        return false;
    const int state = ValidateSession();
    m_pSettings->nRestrictedSession = state == kSessionRestricted ? 1 : 0;
    if (state < kSessionValid) {
        // Noted before the message, whose loop runs the window's timers.
        m_bEnded = true;
        m_nEndResult = kEndWithoutWork;
        m_pDms->Close();
        {
            // The key that started the check, or the next one typed after
            // it, must not answer the message before it is read.
            const CInputDrop typedAhead(CInputDrop::kTypeAheadMs);
            OwnMsgBox(OrmelText(6088), this);
        }
        EndDialog(kEndWithoutWork);
        return false;
    }
    KeepFocusInPage([this] {
        for (int id : CSessionPolicy::Of(*m_pSettings).Forbidden()) {
            if (QWidget *control = LockableControl(id))
                control->setEnabled(false);
        }
    });
    return true;
}

void CYaq2Dlg::ApplySessionLocks(int pageId)
{
    const CPageRow *row = FindPageRow(pageId);
    if (!row)
        return;
    const CSessionPolicy policy = CSessionPolicy::Of(*m_pSettings);
    CPageDlg *page = Page(pageId);
    KeepFocusInPage([&] {
        for (const CLockableControl &lock : row->locks) {
            if (lock.control && page && policy.Forbids(lock.id)) {
                if (QWidget *control = lock.control(*page))
                    control->setEnabled(false);
            }
        }
    });
}

// The control of a head or page control id; null for a page not created yet.
QWidget *CYaq2Dlg::LockableControl(int id) const
{
    if (COwnButton *head = HeadButton(id))
        return head;
    for (const CPageRow &row : PageRows()) {
        for (const CLockableControl &lock : row.locks) {
            if (lock.control && lock.id == id) {
                CPageDlg *page = Page(row.id);
                return page->IsCreated() ? lock.control(*page) : nullptr;
            }
        }
    }
    return nullptr;
}

// ---------------------------------------------------------------------------
// Head-row state

void CYaq2Dlg::EnableHeadControls(bool enable, bool pageMode)
{
    const CSessionPolicy policy = CSessionPolicy::Of(*m_pSettings);
    KeepFocusInPage([&] {
        m_pHead->SetEnabled(enable, policy);
        m_pIdent->ApplyVehicleFieldRule();
        m_pHead->ApplyPageState(HeadRowFor(m_nCurPage, pageMode), pageMode, policy);
    });
}

void CYaq2Dlg::KeepFocusInPage(const std::function<void()> &change)
{
    QWidget *before = focusWidget();
    change();
    QWidget *after = focusWidget();
    // A control of a page left meanwhile (one that opened the next page
    // before it took the focus) has it no more either.
    if (!before || (after == before && after->isVisible()))
        return;
    auto *page = qobject_cast<CPageDlg *>(VisiblePage());
    if (page && page->IsCreated() && !page->isAncestorOf(after))
        page->TakeKeyboard();
}

void CYaq2Dlg::ResetVehicleFields(bool enable, bool reset)
{
    m_pIdent->ResetVehicleFields(enable, reset);
}

// ---------------------------------------------------------------------------
// Show operations

void CYaq2Dlg::ShowHomePage()
{
    PlaySoundSelected(m_pSettings);
    if (!Page(kPageHome)->IsCreated())
        return;
    const bool hadCaption = !m_pHead->Title()->Caption().isEmpty();
    m_cameFrom.clear();
    SwitchTo(kPageHome, hadCaption ? m_pHead->Vin() : nullptr);
}

void CYaq2Dlg::ShowSetupPage(bool show)
{
    // The settings are not edited in a session.
    if (!MaySwitchTo(kPageSetup) || !show || m_pSettings->bSession)
        return;
    Page<CSetupDlg>()->UpdateSRPControls();
    SwitchTo(kPageSetup);
}

void CYaq2Dlg::ShowWkPage(bool show)
{
    if (!MaySwitchTo(kPageWk) || !show)
        return;
    CWkDlg *basket = Page<CWkDlg>();
    SwitchTo(kPageWk, basket);
    basket->ActivatePage();
}

bool CYaq2Dlg::ShowWebPage(int mode, int returnPage)
{
    return MaySwitchTo(kPageWebBrowser) && OpenBrowser(mode, QString(), returnPage);
}

bool CYaq2Dlg::OpenBrowser(int mode, const QString &caption, int returnPage)
{
    CWebBrowserDlg *browser = Page<CWebBrowserDlg>();
    if (!browser->CreateBrowser())
        return false;
    // The browser page takes its way back while it opens the document.
    SetWebReturnPage(returnPage);
    browser->ShowPage(mode);
    SetWebReturnPage(0);
    SwitchTo(kPageWebBrowser, browser, caption);
    return true;
}

void CYaq2Dlg::ShowSRPWlPage(int, bool levelUp)
{
    if (!MaySwitchTo(kPageSRPWl))
        return;
    CSRPWlDlg *list = Page<CSRPWlDlg>();
    // The packages belong to the vehicle of a VIN: a VIN field that is
    // empty, or shows a VIN not (yet) identified, has none to list.
    const QString vin = m_pHead->Vin()->text();
    if (vin.isEmpty() || !CPendingIdent::VinFieldShowsVehicle(*m_pSettings, vin)) {
        list->ClearLists();
        OwnMsgBox(OrmelText(6080), this);
        return;
    }
    if (m_pSettings->bQvlEdit)
        m_pSettings->PaketNr = m_strPkgNr7;
    SwitchTo(kPageSRPWl);
    list->ActivatePage();
    if (levelUp)
        list->OnLevelUp();
    if (m_pSettings->bQvlEdit) {
        // The caller edits one package: the head row and the way home stay
        // locked.
        EnableHeadControls(false, true);
        KeepFocusInPage([this] { m_pHead->Title()->setEnabled(false); });
    }
}

void CYaq2Dlg::ShowPackageOfCaller(const QString &packageNr7)
{
    m_strPkgNr7 = packageNr7;
    ShowSRPWlPage(0);
}

void CYaq2Dlg::ShowDIPPage(bool show)
{
    if (!MaySwitchTo(kPageDIP) || !show)
        return;
    CPageDlg *parts = Page(kPageDIP);
    parts->ActivatePage();
    SwitchTo(kPageDIP, parts);
}

void CYaq2Dlg::ShowSBefAnzPage(bool show, const QString &findingNr)
{
    if (!MaySwitchTo(kPageSBefAnz))
        return;
    if (!show) {
        EnableHeadControls(true, true);
        return;
    }
    CSBefAnzDlg *finding = Page<CSBefAnzDlg>();
    finding->SetBefundNr(findingNr);
    finding->ActivatePage();
    SwitchTo(kPageSBefAnz);
}

void CYaq2Dlg::ShowAwKatPage(int arg, bool silent)
{
    if (!MaySwitchTo(kPageAwKat))
        return;
    Page<CAwKatDlg>()->ActivatePage(arg);
    if (m_pHead->LeadType()->currentIndex() < 0 && !m_pSettings->bKatalogansicht) {
        if (!silent)
            OwnMsgBox(OrmelText(3033), this);
        return;
    }
    SwitchTo(kPageAwKat);
}

void CYaq2Dlg::ShowHLXPage(bool show)
{
    if (!MaySwitchTo(kPageHLX) || !show)
        return;
    CHLXDlg *contract = Page<CHLXDlg>();
    const QString caption = HeadButton(kBtnContract)->text();
    contract->SetPageCaption(caption);
    SwitchTo(kPageHLX, contract, caption);
    contract->ActivatePage();
}

void CYaq2Dlg::ShowNrAbfragePage(bool show, bool noFocus)
{
    if (!MaySwitchTo(kPageNrAbfrage) || !show)
        return;
    CNrAbfrageDlg *search = Page<CNrAbfrageDlg>();
    QWidget *focus = nullptr;
    if (!noFocus)
        focus = m_pSettings->Fgstnr.isEmpty() ? static_cast<QWidget *>(m_pHead->Vin())
                                              : search->SearchField();
    SwitchTo(kPageNrAbfrage, focus);
    if (m_pSettings->bQvlAPosSearch)
        m_pSettings->PaketNr = m_strApNr;
    m_pSettings->bNrAbfrage = 1;
    search->ActivatePage();
}

void CYaq2Dlg::ShowSBLWlPage(bool show)
{
    if (!MaySwitchTo(kPageSBLWl))
        return;
    if (!show || m_pSettings->nKatalogFlag)
        return;
    const CPrgSettings &s = *m_pSettings;
    if (s.Fgstnr.isEmpty() && s.TypSchl.isEmpty() && s.LeadTyp.isEmpty()) {
        OwnMsgBox(OrmelText(4087), this);
        return;
    }
    const CatalogueFound topics = HeadRow().HasMaintenanceTopics();
    if (topics == CatalogueFound::Failed) {
        CatalogueFailure::Tell(this, kMsgBoxTitle, MSG_ALIGN_LEFT);
        return;
    }
    if (topics == CatalogueFound::No) {
        OwnMsgBox(OrmelText(4088), this);
        return;
    }
    SwitchTo(kPageSBLWl);
    Page(kPageSBLWl)->ActivatePage();
}

void CYaq2Dlg::ShowNewsPage(bool show)
{
    // Unlike the browser a page opens, the news check the session.
    if (!PreparePageSwitch() || !show)
        return;
    OpenBrowser(0, OrmelText(2033));
}

void CYaq2Dlg::ShowDownloadPage(bool show)
{
    if (!MaySwitchTo(kPageDownload) || !show)
        return;
    SwitchTo(kPageDownload);
    Page(kPageDownload)->ActivatePage();
}

void CYaq2Dlg::ShowPage(int pageId, const CPageRequest &request)
{
    const CPageRow *row = FindPageRow(pageId);
    if (!row)
        return;
    if (row->show) {
        row->show(*this, request);
        return;
    }
    if (!MaySwitchTo(pageId))
        return;
    SwitchTo(pageId);
    Page(pageId)->ActivateOnShow(request);
}

void CYaq2Dlg::OnStartPage()
{
    switch (CStartFlow::StartPageOf(m_pSettings->StartPage)) {
    case CStartFlow::AwKatPage:
        ShowAwKatPage(1, false);
        break;
    case CStartFlow::BfndPage:
        ShowPage(kPageBfnd, CPageRequest::Activated());
        break;
    case CStartFlow::SRPWlPage:
        ShowSRPWlPage(1);
        break;
    case CStartFlow::WheelsTyres:
        if (PreparePageSwitch())
            OpenBrowser(1, OrmelText(3104));
        break;
    case CStartFlow::HLXPage:
        ShowHLXPage(true);
        break;
    case CStartFlow::NoStartPage:
        break;
    }
}

// ---------------------------------------------------------------------------
// The switching routine and the way back

bool CYaq2Dlg::MaySwitchTo(int pageId)
{
    const CPageRow *row = FindPageRow(pageId);
    return !row || !row->sessionCheck || PreparePageSwitch();
}

void CYaq2Dlg::SwitchTo(int pageId, QWidget *focus, const QString &caption)
{
    const CPageRow &row = *FindPageRow(pageId);
    // The title still names the page the user comes from by its caption.
    for (int origin : row.cameFrom) {
        const CPageRow *from = FindPageRow(origin);
        const QString caption = from && from->captionId ? OrmelText(from->captionId) : QString();
        if (from && m_pHead->Title()->Caption() == caption) {
            m_cameFrom.insert(pageId, origin);
            break;
        }
    }

    // The page switched to shows the mileage typed before.
    if (m_pMileagePause)
        m_pMileagePause->stop();
    m_pHead->PageStack()->setCurrentWidget(Page(pageId));
    switch (row.title) {
    case PageTitle::Home:
        m_nCurPage = pageId;
        m_pHead->Title()->SetBitmap(m_pSettings->bSchulung ? kLogoTraining : kLogoHome);
        m_pHead->Title()->SetCaption(QString());
        m_pHead->Title()->setEnabled(true);
        break;
    case PageTitle::Page:
        m_nCurPage = pageId;
        m_pHead->Title()->SetBitmap(kLogoPage);
        if (!caption.isEmpty())
            m_pHead->Title()->SetCaption(caption);
        else if (row.captionId)
            m_pHead->Title()->SetCaption(OrmelText(row.captionId));
        break;
    case PageTitle::Over:
        break;
    }
    if (row.helpIndex != HelpIndex::Keep) {
        KeepFocusInPage(
            [&] { HeadButton(kBtnHelpIndex)->setVisible(row.helpIndex == HelpIndex::Show); });
    }
    if (row.head != HeadMode::Keep)
        EnableHeadControls(row.head != HeadMode::Locked, row.head != HeadMode::Home);
    // Only now: a control of the head row (the VIN field after a page that
    // locked the head row) takes no focus while it is still disabled.
    if (focus)
        focus->setFocus();
    // The page activated next may check a contract flag again that failed
    // at the identification: the contract button follows once it is done.
    QTimer::singleShot(0, this, [this] {
        if (m_pHead)
            m_pHead->ShowContractColour();
    });
}

int CYaq2Dlg::CameFrom(int pageId) const
{
    return m_cameFrom.value(pageId);
}

void CYaq2Dlg::GoBack(int pageId)
{
    int target = m_cameFrom.take(pageId);
    if (!target) {
        const CPageRow *row = FindPageRow(pageId);
        target = row ? row->back : kPageHome;
    }
    ShowPage(target);
}

// ---------------------------------------------------------------------------
// Change report

void CYaq2Dlg::SetIdentChanged(const CChangeFlags &changes)
{
    SetIdentChanged(changes, false);
}

void CYaq2Dlg::SetIdentChanged(const CChangeFlags &changes, bool pageWaits)
{
    for (const CPageRow &row : PageRows()) {
        if (!row.changeGroups)
            continue;
        CPageDlg *page = Page(row.id);
        page->m_Changed.Merge(changes, row.changeGroups);
        if (changes.bSprache)
            page->m_bTextsChanged = 1;
    }
    if (!changes.bIdent)
        return;
    m_bPageWaits = pageWaits;
    if (!pageWaits)
        ShowPageAgain();
}

void CYaq2Dlg::ShowWaitingPage()
{
    if (!m_bPageWaits)
        return;
    m_bPageWaits = false;
    ShowPageAgain();
}

void CYaq2Dlg::ShowPageAgain()
{
    // The current page is shown again with the new identification; a click
    // on a head button that leads to a page switches the page itself.
    const CPageRow *row = FindPageRow(m_nCurPage);
    if (!row || row->refresh == IdentRefresh::No)
        return;
    bool headFocus = m_pHead->Title()->hasFocus();
    for (int id : {kBtnDmsVin, kBtnContract, kBtnSearch, kBtnBasket, kBtnYaqDownload, kBtnSetup,
                   kBtnBack, kBtnHelp, kBtnHelpIndex})
        headFocus = headFocus || HeadButton(id)->hasFocus();
    if (row->refresh == IdentRefresh::Always || !headFocus)
        ShowPage(m_nCurPage);
}
