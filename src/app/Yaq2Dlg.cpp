#include "app/Yaq2Dlg.h"

#include "app/AboutDlg.h"
#include "app/DmsVinButton.h"
#include "app/FgstNrAbfDlg.h"
#include "app/HeadKeys.h"
#include "app/HomeDlg.h"
#include "app/MainWndRules.h"
#include "app/PageTable.h"
#include "app/PendingIdent.h"
#include "app/SelVin7TypschlDlg.h"
#include "app/StartFlow.h"
#include "app/Yaq2App.h"
#include "basket/LabourEditDlg.h"
#include "basket/WkDlg.h"
#include "basket/print/BasketPrinter.h"
#include "basket/transfer/BasketTransfer.h"
#include "catalogues/AwKatDlg.h"
#include "catalogues/BfndDlg.h"
#include "catalogues/NrAbfrageDlg.h"
#include "catalogues/SBLWlDlg.h"
#include "catalogues/SBefAnzDlg.h"
#include "common/OwnButton.h"
#include "common/OwnLogoButton.h"
#include "common/OwnSound.h"
#include "common/OwnWhiteButton.h"
#include "common/TextDlg.h"
#include "common/WebBrowserDlg.h"
#include "common/readers/CatalogueCache.h"
#include "packages/DIPDlg.h"
#include "packages/HLXDlg.h"
#include "packages/PackageBasket.h"
#include "packages/SRPBbDlg.h"
#include "packages/SRPWlDlg.h"
#include "packages/SpotRBbDlg.h"
#include "platform/AppPaths.h"
#include "platform/MsgBox.h"
#include "platform/OrmelText.h"
#include "platform/Profile.h"
#include "platform/db/YaqDb.h"
#include "settings/PrgSettings.h"
#include "setup/DownloadDlg.h"
#include "setup/SetupDlg.h"

#include <QComboBox>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTimer>

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

// How often the DMS listener is asked for a request.
constexpr int kListenerPollMs = 500;

// Writes a head-row field from code: never counts as a user edit.
void SetFieldText(QLineEdit *edit, const QString &text)
{
    const QSignalBlocker block(edit);
    edit->setText(text);
}

// Connection values of the start-up.
struct ConnectValues
{
    QString tns, uid, pwd, appServer, sessionId;
};

ConnectValues StartConnectValues()
{
    ConnectValues v;
    if (const CYaq2App *app = CYaq2App::Instance()) {
        v.tns = app->m_strTNS;
        v.uid = app->m_strUID;
        v.pwd = app->m_strPWD;
        v.appServer = app->m_strAppServer;
        v.sessionId = app->m_strSessionId;
    }
    return v;
}
} // namespace

CYaq2Dlg::CYaq2Dlg(CPrgSettings *settings, QWidget *parent)
    : QDialog(parent), m_pSettings(settings), m_placement(this, settings),
      m_listenerFrame(settings, &m_listenerNotice, nullptr,
                      [this](const QString &envelope) {
                          // The answer goes to the client only while the
                          // listener runs.
                          if (m_pListener && m_pListener->HasInterface())
                              m_pListener->SetResponse(envelope);
                      }),
      m_nCurPage(kPageHome)
{
    if (CYaq2App *app = CYaq2App::Instance())
        m_pListener = &app->m_Listener;
    for (const CPageRow &row : PageRows())
        m_pages.emplace_back(row.make());
    InitYaqResources();
    setObjectName(QStringLiteral("YAQ2MainWindow"));
    setWindowIcon(QIcon(QStringLiteral(":/bitmaps/app.png")));
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    setSizeGripEnabled(true);
    m_pHead = std::make_unique<CHeadRowView>(this, m_pSettings,
                                             [this]() -> CHeadRowCatalogue & { return HeadRow(); });
    m_pIdent = std::make_unique<CIdentFlow>(*this, *m_pHead, m_pSettings);
    m_pTools = std::make_unique<CHeadTools>(*this, m_pSettings);
    ConnectHead();

    // The local data set: the data directory holds "YAQ2.dat".
    m_pSettings->LocalDataSetDir = m_pSettings->DataDir;
    if (QFileInfo::exists(JoinPath(m_pSettings->LocalDataSetDir, QStringLiteral("YAQ2.dat"))))
        m_pSettings->bLocalDataSet = 1;
    else
        m_pSettings->LocalDataSetDir.clear();

    OpenConnections();
}

CYaq2Dlg::~CYaq2Dlg()
{
    OnDestroy();
    // The pages go first, while the head row still answers the events
    // their destruction sends; the head widgets themselves are children of
    // the window and go last, with the filter already seeing no head row.
    m_pHeadRow.reset();
    m_pages.clear();
    m_pTools.reset();
    m_pIdent.reset();
    m_pHead.reset();
}

void CYaq2Dlg::OpenConnections()
{
    const ConnectValues v = StartConnectValues();
    for (auto &db : m_pDb) {
        auto connection = std::make_unique<CYaqDb>();
        if (!connection->Open(v.tns, v.uid, v.pwd, 0, m_pSettings->LocalDataSetDir, v.appServer,
                              v.sessionId)) {
            m_strOpenError = OrmelText(7021);
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
    connect(HeadButton(kBtnDmsVin), &QAbstractButton::clicked, this, &CYaq2Dlg::OnBnClickedDmsVin);
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
    for (COwnButton *button : m_pHead->Buttons())
        button->installEventFilter(this);
}

CHeadRowCatalogue &CYaq2Dlg::HeadRow()
{
    // Made at its first use: the constructor has opened the connections.
    if (!m_pHeadRow) {
        const CYaq2App *app = CYaq2App::Instance();
        m_pHeadRow = std::make_unique<CHeadRowCatalogue>(Db(0), Db(1), m_pSettings,
                                                         app ? &app->m_ModelMapping : nullptr);
    }
    return *m_pHeadRow;
}

void CYaq2Dlg::SetCaptions()
{
    m_pHead->SetCaptions();
}

QString CYaq2Dlg::TitleToolTip() const
{
    return m_pSettings->DlgTitel + QStringLiteral(" - ") + OrmelText(6079) + QLatin1Char(' ') +
           m_pSettings->KatDatum;
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
    if (auto *contract = Page<CHLXDlg>(); VisiblePage() == contract)
        contract->ActivatePage();
    CChangeFlags changes;
    changes.bKilometer = 1;
    SetIdentChanged(changes);
    if (auto *findings = Page<CBfndDlg>(); VisiblePage() == findings)
        findings->ActivatePage(0);
    else if (auto *packages = Page<CSRPWlDlg>(); VisiblePage() == packages)
        packages->ActivatePage();
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

// The steps of the start on the window.
class CStartWindow : public IStartWindow
{
public:
    explicit CStartWindow(CYaq2Dlg &dlg) : m_dlg(dlg) {}

    void ShowOpenErrorAndCancel(const QString &text) override
    {
        if (!m_dlg.isVisible())
            m_dlg.show();
        OwnMsgBox(text, &m_dlg, m_dlg.m_pSettings->DlgTitel);
        m_dlg.m_bInInit = false;
        m_dlg.EndDialog(QDialog::Rejected);
    }
    void ReadCatalogueDate() override { m_dlg.ReadCatalogueDate(); }
    // Timer 3 fetches the DMS's requests once the start vehicle is shown.
    void ShowNoVehicle() override
    {
        m_dlg.ResetVehicleFields(false, true);
        m_dlg.StartListenerTimer();
    }
    bool AskFullVin(const QString &shortVin, QString *fullVin) override
    {
        CSelVin7TypschlDlg complete(shortVin, &m_dlg);
        if (complete.DoModal() != IDOK)
            return false;
        *fullVin = complete.GetVin();
        return true;
    }
    void EndDialog(int result) override { m_dlg.EndDialog(result); }
    void TakeStartVehicle(bool firstRegistrationGiven, bool mileageGiven) override
    {
        const CPrgSettings &s = *m_dlg.m_pSettings;
        CHeadRowView &head = *m_dlg.m_pHead;
        head.Vin()->setText(s.Fgstnr);
        if (firstRegistrationGiven) {
            head.FirstRegistration()->setText(s.Erstzulassung);
            m_dlg.m_bErstzulGivenAtStart = 1;
        }
        if (mileageGiven) {
            head.Mileage()->setText(s.Kilometer);
            m_dlg.m_bKmGivenAtStart = 1;
        }
        m_dlg.ResetVehicleFields(true, true);
        // The VIN of the start is identified as if it had been typed.
        m_dlg.m_pIdent->OnEnChangeFgstNr();
        m_dlg.StartListenerTimer();
    }
    bool HasSrpPackage(const QString &packageNr7) override
    {
        return GetSRPPakete(m_dlg.m_pSettings, packageNr7, m_dlg.Db(0), m_dlg.Db(1), -1) != 0;
    }
    void ShowSRPWlPage(const QString &packageNr7) override
    {
        m_dlg.m_strPkgNr7 = packageNr7;
        m_dlg.ShowSRPWlPage(0);
    }
    bool HasLabourPosition(const QString &apNr) override
    {
        return GetAPosWert(m_dlg.m_pSettings, apNr, m_dlg.Db(0), 0, 0, QString(), QString(), 0,
                           -1) != 0;
    }
    void ShowNrAbfragePage() override { m_dlg.ShowNrAbfragePage(true, false); }
    // A pending vehicle change is settled with the basket first; the basket
    // then goes to the dealer system.
    void TransferBasket() override
    {
        if (CWkDlg *basket = m_dlg.Page<CWkDlg>())
            basket->AddToBasket(nullptr, 0);
    }
    // The caller's package request answers on the clipboard; the program
    // has no package-request processor, so the window ends without answer.
    void RunPackageRequest(const QString &) override {}
    void ShowStartPage() override { m_dlg.OnStartPage(); }
    void FocusVin() override { m_dlg.SetFocusToVin(); }

private:
    CYaq2Dlg &m_dlg;
};

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
    m_bInInit = true;

    SetCaptions();
    m_placement.Begin();
    CreatePages();
    m_placement.Apply(m_x, m_y);

    const CPrgSettings &s = *m_pSettings;
    if (!s.bQvlAwToSrp && !s.bQvlAPosQuery) {
        if (s.bYAQ2DlgIsZoomed)
            showMaximized();
        else
            show();
    }
    m_pHead->Title()->SetBitmap(s.bSchulung ? kLogoTraining : kLogoHome);
    m_pHead->Title()->SetCaption(QString());

    CStartWindow window(*this);
    CStartFlow::Run(window, *m_pSettings,
                    {m_strOpenError, m_strPkgNr, m_strApNr, m_strApNrAwToSrp});
    // A failed connection has already closed the window.
    if (!m_strOpenError.isEmpty())
        return;

    m_bInInit = false;
    if (m_bEnded)
        EndDialog(m_nEndResult);
}

void CYaq2Dlg::StartListenerTimer()
{
    if (!m_pListenerTimer) {
        m_pListenerTimer = new QTimer(this);
        m_pListenerTimer->setObjectName(QStringLiteral("listenerTimer"));
        m_pListenerTimer->setInterval(kListenerPollMs);
        connect(m_pListenerTimer, &QTimer::timeout, this, &CYaq2Dlg::OnTimerListener);
    }
    m_pListenerTimer->start();
}

void CYaq2Dlg::ReadCatalogueDate()
{
    if (!m_pDb[0])
        return;
    const QString date = HeadRow().CatalogueDate();
    if (!m_pSettings->bSchulung) {
        if (!date.isEmpty())
            m_pSettings->KatDatum = date;
        return;
    }
    const QString notice =
        QStringLiteral(
            "Dieses Programm ist das Trainings-Programm YAQ2/Pakete auf Basis der YAQ2 Ausgabe %1. "
            "Eventuelle Abweichungen zu dem aktuell von Ihnen verwendeten System basieren auf "
            "zwischenzeitlichen Weiterentwicklungen von YAQ2/Pakete.\n\nThis program is the "
            "YAQ2/Packages training program based on the YAQ2 Version %1. Any discrepancies to the "
            "edition you actually use result from the latest improvements on YAQ2/Packages.")
            .arg(date);
    OwnMsgBox(notice, nullptr, m_pSettings->DlgTitel);
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
    const ConnectValues v = StartConnectValues();
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
    CAboutDlg about(m_pSettings, m_pDb[0].get(), this);
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
    if (const CYaq2App *app = CYaq2App::Instance())
        Page<CWebBrowserDlg>()->m_strServerBase = app->m_strAppServerAddress;
    m_pHead->PageStack()->setCurrentWidget(Page(kPageHome));
    ConnectPages();
    connect(Page<CHomeDlg>(), &CHomeDlg::tabFromLastButton, this,
            [this] { HeadButton(kBtnContract)->setFocus(Qt::TabFocusReason); });
}

namespace {

// The basket page as the package pages reach it.
class CBasketOfPackages : public IPackageBasket
{
public:
    explicit CBasketOfPackages(CWkDlg *basket) : m_pBasket(basket) {}
    int AddToBasket(CWKListItem *entry, int mode) override
    {
        return m_pBasket->AddToBasket(entry, mode);
    }
    int EntryCount() const override { return m_pBasket->GetEntryCount(); }
    bool CanTransfer() const override { return m_pBasket->HasTransfer(); }
    void SetDirectTransfer(bool direct) override { m_pBasket->m_bDirectTransfer = direct ? 1 : 0; }
    void TransferStored() override
    {
        m_pBasket->TransferButton()->click();
        m_pBasket->m_bDirectTransfer = 0;
    }

private:
    CWkDlg *m_pBasket;
};

// The adviser's answer to a question of the transfer (creating the vehicle).
class CTransferQuestion : public ITransferQuestion
{
public:
    explicit CTransferQuestion(QWidget *owner) : m_pOwner(owner) {}
    bool Ask(const QString &text) override
    {
        return OwnMsgBox(text, m_pOwner, kMsgBoxTitle, MSG_ALIGN_LEFT, MB_YESNO) == IDYES;
    }

private:
    QWidget *m_pOwner;
};

} // namespace

void CYaq2Dlg::ConnectPages()
{
    CWkDlg *basket = Page<CWkDlg>();
    CSRPBbDlg *editing = Page<CSRPBbDlg>();

    // The package list hands a chosen package to the editing page; the
    // editing page stores it in the basket, the basket hands it back.
    Page<CSRPWlDlg>()->SetEditingPage(editing);
    m_pBasketOfPackages = std::make_unique<CBasketOfPackages>(basket);
    editing->SetBasket(m_pBasketOfPackages.get());
    // Loading a package needs connections of its own.
    editing->SetConnectionOpener([this]() -> std::unique_ptr<CYaqDb> {
        const ConnectValues v = StartConnectValues();
        auto db = std::make_unique<CYaqDb>();
        if (!db->Open(v.tns, v.uid, v.pwd, 0, m_pSettings->LocalDataSetDir, v.appServer,
                      v.sessionId))
            return nullptr;
        return db;
    });
    basket->SetPackageEditHandler([editing](const CPaket &paket, int kind) {
        // Spot-repair packages have no editing page of their own yet.
        if (kind != WK_CCP)
            editing->TakeBasketPackage(paket);
    });

    // Labour positions from the catalogue, edited in the basket.
    Page<CAwKatDlg>()->SetBasketDoor(
        [basket](CWKListItem *entry, int mode) { return basket->AddToBasket(entry, mode); });
    basket->SetLabourEditor([basket](CWkLabourEdit &fields) {
        CLabourEditDlg dialog(fields, basket);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        fields = dialog.Fields();
        return true;
    });

    // The basket to the dealer system.
    basket->SetTransferHandler([this, basket] {
        basket->UpdateData(true);
        CDmsMsgBoxNotice notice(basket, MSG_ALIGN_LEFT);
        CSoapReqSender sender(m_pSettings);
        CTransferQuestion question(basket);
        CBasketTransfer transfer(m_pSettings, &notice, &sender, &question);
        CTransferOrder order;
        order.orderNumber = basket->m_strAuftragsNr;
        order.settlementCode = basket->m_strAbrechnung;
        order.jobNumber = basket->m_strJobNr;
        order.offer = basket->m_bAngebot != 0;
        // The listener's requests wait while the transfer waits for the DMS.
        const bool running = m_bDmsRequestRunning;
        m_bDmsRequestRunning = true;
        const CTransferResult result = transfer.Transfer(basket->Entries(), order);
        m_bDmsRequestRunning = running;
        if (result.removed)
            basket->EntriesChanged();
        if (result.closeProgram)
            EndDialog(QDialog::Accepted);
    });

    // The offer and the information sheet.
    m_pBasketPrinter = std::make_unique<CBasketPrinter>(m_pSettings, this);
    basket->SetPrintHandler([this, basket] {
        basket->UpdateData(true);
        CBasketHeadFields head;
        head.date = m_pHead->DateEdit()->text();
        head.plate = m_pHead->Plate()->text();
        head.mileage = m_pHead->Mileage()->text();
        head.orderNumber = basket->m_strAuftragsNr;
        m_pBasketPrinter->Run(basket->Entries(), head);
    });

    // The basket button names how many entries the basket holds and shows
    // its colour while it holds any.
    connect(basket, &CWkDlg::basketCaptionChanged, this,
            [this](const QString &caption, const QColor &colour) {
                HeadButton(kBtnBasket)->setText(caption);
                HeadButton(kBtnBasket)->SetFaceColour(colour);
            });
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
    const QString sessionId = StartConnectValues().sessionId;
    QString answer;
    if (m_sessionChecker)
        answer = m_sessionChecker(sessionId);
    else if (m_pDb[0] && !sessionId.isEmpty())
        answer = m_pDb[0]->CheckSession(sessionId);
    return ParseSessionAnswer(answer);
}

bool CYaq2Dlg::PreparePageSwitch()
{
    if (!m_pSettings->bSession)
        return true;
    const int state = ValidateSession();
    m_pSettings->nRestrictedSession = state == kSessionRestricted ? 1 : 0;
    if (state < kSessionValid) {
        OwnMsgBox(OrmelText(6088), this);
        EndDialog(1000);
        return false;
    }
    for (int id : CSessionPolicy::Of(*m_pSettings).Forbidden()) {
        if (QWidget *control = LockableControl(id))
            control->setEnabled(false);
    }
    return true;
}

// The control of a head or page control id; null for a page not created yet.
QWidget *CYaq2Dlg::LockableControl(int id) const
{
    if (COwnButton *head = HeadButton(id))
        return head;
    auto *awKat = Page<CAwKatDlg>();
    auto *srpBb = Page<CSRPBbDlg>();
    auto *spotRBb = Page<CSpotRBbDlg>();
    auto *wk = Page<CWkDlg>();
    auto *home = Page<CHomeDlg>();
    auto *nrAbfrage = Page<CNrAbfrageDlg>();
    const struct
    {
        int id;
        const CPageDlg *page;
        QWidget *control;
    } pageControls[] = {
        {kCtlAwKatPrice, awKat, awKat->PriceButton()},
        {kCtlAwKatPackages, awKat, awKat->SrpButton()},
        {kCtlSRPBbDmsRequest, srpBb, srpBb->DmsRequestButton()},
        {kCtlSRPBbTransfer, srpBb, srpBb->TransferButton()},
        {kCtlSpotRBbDmsRequest, spotRBb, spotRBb->DmsRequestButton()},
        {kCtlSpotRBbTransfer, spotRBb, spotRBb->TransferButton()},
        {kCtlWkTransfer, wk, wk->TransferButton()},
        {kCtlWkPackages, wk, wk->SrpButton()},
        {kCtlHomePackages, home, home->PaketeButton()},
        {kCtlHomeNews, home, home->NewsButton()},
        {kCtlNrAbfragePackages, nrAbfrage, nrAbfrage->SrpButton()},
    };
    for (const auto &c : pageControls) {
        if (c.id == id)
            return c.page->IsCreated() ? c.control : nullptr;
    }
    return nullptr;
}

// ---------------------------------------------------------------------------
// Head-row state

void CYaq2Dlg::EnableHeadControls(bool enable, bool pageMode)
{
    const CSessionPolicy policy = CSessionPolicy::Of(*m_pSettings);
    m_pHead->SetEnabled(enable, policy);
    ApplyVehicleFieldRule();
    m_pHead->ApplyPageState(CSessionPolicy::ForPage(m_nCurPage, pageMode), pageMode, policy);
}

bool CYaq2Dlg::VehicleFieldsOpen() const
{
    // An identified vehicle keeps the last seven characters of its VIN in
    // the settings; only then do the hand-entered fields belong to it.
    return m_pSettings->Fgstnr.size() == 7;
}

void CYaq2Dlg::ApplyVehicleFieldRule()
{
    if (VehicleFieldsOpen())
        ResetVehicleFields(m_pHead->IsEnabled(), false);
    else
        ResetVehicleFields(false, true);
}

void CYaq2Dlg::ResetVehicleFields(bool enable, bool reset)
{
    m_pHead->ResetVehicleFields(enable, reset, m_bHoldAllA || m_bHoldAllB, m_bErstzulGivenAtStart,
                                m_bKmGivenAtStart);
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

bool CYaq2Dlg::ShowWebPage(int mode)
{
    return MaySwitchTo(kPageWebBrowser) && OpenBrowser(mode, QString());
}

bool CYaq2Dlg::OpenBrowser(int mode, const QString &caption)
{
    CWebBrowserDlg *browser = Page<CWebBrowserDlg>();
    if (!browser->CreateBrowser())
        return false;
    browser->ShowPage(mode);
    SwitchTo(kPageWebBrowser, browser, caption);
    return true;
}

void CYaq2Dlg::ShowSRPWlPage(int)
{
    if (!MaySwitchTo(kPageSRPWl))
        return;
    CSRPWlDlg *list = Page<CSRPWlDlg>();
    if (m_pHead->Vin()->text().isEmpty()) {
        list->ClearLists();
        OwnMsgBox(OrmelText(6080), this);
        return;
    }
    if (m_pSettings->bQvlEdit)
        m_pSettings->PaketNr = m_strPkgNr7;
    SwitchTo(kPageSRPWl);
    list->ActivatePage();
    if (m_pSettings->bQvlEdit) {
        // The caller edits one package: the head row and the way home stay
        // locked.
        EnableHeadControls(false, true);
        m_pHead->Title()->setEnabled(false);
    }
}

void CYaq2Dlg::ShowSRPBbPage(bool activate, int arg)
{
    if (!MaySwitchTo(kPageSRPBb))
        return;
    SwitchTo(kPageSRPBb);
    if (activate)
        Page<CSRPBbDlg>()->ActivatePage(arg);
}

void CYaq2Dlg::ShowSpotRBbPage(bool activate, int arg)
{
    if (!MaySwitchTo(kPageSpotRBb))
        return;
    SwitchTo(kPageSpotRBb);
    if (activate)
        Page<CSpotRBbDlg>()->ActivatePage(arg);
}

void CYaq2Dlg::ShowDIPPage(bool show)
{
    if (!MaySwitchTo(kPageDIP) || !show)
        return;
    CPageDlg *parts = Page(kPageDIP);
    parts->ActivatePage();
    SwitchTo(kPageDIP, parts);
}

void CYaq2Dlg::ShowBfndPage(bool activate)
{
    if (!MaySwitchTo(kPageBfnd))
        return;
    SwitchTo(kPageBfnd);
    if (activate)
        Page<CBfndDlg>()->ActivatePage(1);
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
    if (!HeadRow().HasMaintenanceTopics()) {
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

void CYaq2Dlg::ShowPage(int pageId)
{
    const CPageRow *row = FindPageRow(pageId);
    if (!row)
        return;
    if (row->show) {
        row->show(*this);
        return;
    }
    if (!MaySwitchTo(pageId))
        return;
    SwitchTo(pageId);
    Page(pageId)->ActivatePage();
}

void CYaq2Dlg::OnStartPage()
{
    switch (CStartFlow::StartPageOf(m_pSettings->StartPage)) {
    case CStartFlow::AwKatPage:
        ShowAwKatPage(1, false);
        break;
    case CStartFlow::BfndPage:
        ShowBfndPage(true);
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
    if (focus)
        focus->setFocus();
    if (row.helpIndex != HelpIndex::Keep)
        HeadButton(kBtnHelpIndex)->setVisible(row.helpIndex == HelpIndex::Show);
    if (row.head != HeadMode::Keep)
        EnableHeadControls(row.head != HeadMode::Locked, row.head != HeadMode::Home);
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

// ---------------------------------------------------------------------------
// The DMS exchange

void CYaq2Dlg::OnTimerListener()
{
    // A request of the program waiting for its answer lets this timer run:
    // the DMS's request is fetched once that answer is in.
    if (m_bDmsRequestRunning || m_bDestroyed || !m_pListener)
        return;
    m_poll.Tick(
        *m_pSettings, m_pListener->HasInterface(), [this] { return m_pListener->GetRequest(); },
        [this](const QString &request) { HandleSoapRequest(request); });
}

CFirstRegistration::AnswerResult CYaq2Dlg::RequestFirstRegistrationDate()
{
    struct Running
    {
        bool &flag;
        explicit Running(bool &f) : flag(f) { flag = true; }
        ~Running() { flag = false; }
    } running(m_bDmsRequestRunning);
    CYaqDb *db = Db(0);
    return m_firstReg.Request(m_requestFrame, [db](const QString &shortVin) {
        return CFirstRegistration::CountShortVin(db, shortVin);
    });
}

void CYaq2Dlg::HandleSoapRequest(const QString &request)
{
    CPrgSettings &s = *m_pSettings;
    const CIdentSnapshot before = CIdentSnapshot::Take(s);
    CWkDlg *basket = Page<CWkDlg>();

    CTransferVinHandler handler(m_pSettings, &m_listenerFrame);
    handler.SetVinCompletion([this](QString *vin) {
        CSelVin7TypschlDlg complete(*vin, this);
        if (complete.DoModal() != IDOK)
            return false;
        *vin = complete.GetVin();
        return true;
    });
    handler.SetQuestion([this](const QString &text) {
        return OwnMsgBox(text, this, kMsgBoxTitle, MSG_ALIGN_LEFT, MB_YESNO) == IDYES;
    });
    handler.SetBasketHasEntries(
        [basket] { return basket && basket->IsCreated() && basket->GetEntryCount() > 0; });
    const CTransferVinOutcome out = handler.HandleSoapRequest(request);
    if (out.result)
        m_bHoldAllB = 1;

    // The order data of the request go to the basket page and the head row.
    auto takeOrderData = [&] {
        out.ApplyOrderData(s);
        SetFieldText(m_pHead->Mileage(), s.Kilometer);
        SetCustomerSpecificPrice();
        if (!basket)
            return;
        if (out.data.hasOrderNumber)
            basket->m_strAuftragsNr = out.data.orderNumber;
        if (out.data.hasSettlementCode)
            basket->m_strAbrechnung = out.data.settlementCode;
        if (out.data.hasJobNumber)
            basket->m_strJobNr = out.data.jobNumber;
        basket->UpdateData(false);
    };

    switch (out.action) {
    case CTransferVinOutcome::SameVehicle:
        takeOrderData();
        break;
    case CTransferVinOutcome::NewVehicle:
        // The user agreed to give up the basket with the vehicle shown.
        if (basket) {
            basket->ClearBasket();
            basket->ResetPrintData();
        }
        ShowHomePage();
        if (out.vinDiffers) {
            SetFieldText(m_pHead->Vin(), out.data.vin);
            m_pIdent->OnEnChangeFgstNr();
        }
        if (!s.TypSchl.isEmpty() && !s.Fgstnr.isEmpty()) {
            SetFieldText(m_pHead->Plate(), QString());
            SetFieldText(m_pHead->Mileage(), QString());
            s.Kilometer.clear();
            takeOrderData();
            if (out.firstRegistrationMode) {
                s.Erstzulassung = out.firstRegistration;
                SetFieldText(m_pHead->FirstRegistration(), out.firstRegistration);
            }
        }
        break;
    default:
        break;
    }
    m_bHoldAllB = 0;
    SetIdentChanged(CIdentSnapshot::Changes(before, CIdentSnapshot::Take(s)));
}

// ---------------------------------------------------------------------------
// Vehicle search of the DMS

void CYaq2Dlg::OnBnClickedDmsVin()
{
    PlaySoundSelected(m_pSettings);
    const bool backHome = CDmsVinButton::Run(
        *m_pSettings, m_nCurPage,
        [this] {
            CTextDlg text(this);
            text.DoModalText(m_pSettings->DataDir + QStringLiteral("/SRP/InfoFg"), GetPrgSprache(),
                             QStringLiteral(".dat"));
        },
        [this] {
            // The listener's requests wait while the search waits for the DMS.
            CRunningDmsSender sender(m_sender, m_bDmsRequestRunning);
            CVehicleSearchTarget target;
            target.apply = [this](const QString &vin, const QString &firstRegistration,
                                  const QString &mileage, const QString &plate) {
                ApplyVehicleSearchResult(vin, firstRegistration, mileage, plate);
            };
            target.help = [this] { WinHelp(); };
            target.sender = &sender;
            CFgstNrAbfDlg search(m_pSettings, Db(0), this, target);
            return search.DoModal();
        });
    if (backHome)
        SetFocusToVin();
}

void CYaq2Dlg::ApplyVehicleSearchResult(const QString &vin, const QString &firstRegistration,
                                        const QString &mileage, const QString &plate)
{
    CPrgSettings &s = *m_pSettings;
    // The found vehicle brings its own first registration, mileage and
    // plate: while its VIN is identified the head row keeps those fields and
    // the DMS is not asked for the date. The basket is asked as for a typed
    // VIN.
    m_bHoldAllA = 1;
    SetFieldText(m_pHead->Vin(), vin);
    m_pIdent->OnEnChangeFgstNr();
    m_bHoldAllA = 0;
    if (s.FgstnrFull != vin)
        return; // refused, or the basket kept the vehicle shown

    const CIdentSnapshot before = CIdentSnapshot::Take(s);
    const bool mileageChanged = s.Kilometer != mileage;
    s.Erstzulassung = firstRegistration;
    SetFieldText(m_pHead->FirstRegistration(), firstRegistration.isEmpty() && s.MarketingCampaigns
                                                   ? OrmelText(6061)
                                                   : firstRegistration);
    s.Kilometer = mileage;
    SetFieldText(m_pHead->Mileage(), mileage);
    SetFieldText(m_pHead->Plate(), plate);
    SetCustomerSpecificPrice();
    CChangeFlags changes = CIdentSnapshot::Changes(before, CIdentSnapshot::Take(s));
    changes.bKilometer = mileageChanged ? 1 : 0;
    SetIdentChanged(changes);
}
