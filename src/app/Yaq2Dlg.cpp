#include "app/Yaq2Dlg.h"

#include "app/AboutDlg.h"
#include "app/HomeDlg.h"
#include "app/MainWndRules.h"
#include "app/Yaq2App.h"
#include "settings/PrgSettings.h"
#include "basket/WkDlg.h"
#include "catalogues/AwKatDlg.h"
#include "catalogues/BfndDlg.h"
#include "catalogues/NrAbfrageDlg.h"
#include "catalogues/SBLWlDlg.h"
#include "catalogues/SBefAnzDlg.h"
#include "common/OwnButton.h"
#include "common/OwnLogoButton.h"
#include "common/OwnSound.h"
#include "common/OwnWhiteButton.h"
#include "common/WebBrowserDlg.h"
#include "packages/DIPDlg.h"
#include "packages/HLXDlg.h"
#include "packages/SRPBbDlg.h"
#include "packages/SRPWlDlg.h"
#include "packages/SpotRBbDlg.h"
#include "platform/AppPaths.h"
#include "platform/MsgBox.h"
#include "platform/OrmelText.h"
#include "platform/Profile.h"
#include "platform/db/YaqDb.h"
#include "setup/DownloadDlg.h"
#include "setup/SetupDlg.h"

#include <QComboBox>
#include <QDate>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QStackedWidget>
#include <QVBoxLayout>

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

// The window's design size: its first size and, as in the original layout
// of the head row and the button column, its smallest size.
constexpr int kMinWidth = 1100;
constexpr int kMinHeight = 680;

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

// "DD.MM.YYYY" or a 14-character timestamp to "YYYYMMDD".
QString GermanDateToKey(const QString &date)
{
    if (date.size() != 10)
        return QString();
    return date.mid(6, 4) + date.mid(3, 2) + date.left(2);
}
} // namespace

CYaq2Dlg::CYaq2Dlg(CPrgSettings *settings, QWidget *parent)
    : QDialog(parent), m_pSettings(settings), m_pHomeDlg(std::make_unique<CHomeDlg>()),
      m_pNrAbfrageDlg(std::make_unique<CNrAbfrageDlg>()),
      m_pSRPWlDlg(std::make_unique<CSRPWlDlg>()), m_pSRPBbDlg(std::make_unique<CSRPBbDlg>()),
      m_pSpotRBbDlg(std::make_unique<CSpotRBbDlg>()), m_pSetupDlg(std::make_unique<CSetupDlg>()),
      m_pBfndDlg(std::make_unique<CBfndDlg>()), m_pSBefAnzDlg(std::make_unique<CSBefAnzDlg>()),
      m_pAwKatDlg(std::make_unique<CAwKatDlg>()), m_pWkDlg(std::make_unique<CWkDlg>()),
      m_pSBLWlDlg(std::make_unique<CSBLWlDlg>()),
      m_pWebBrowserDlg(std::make_unique<CWebBrowserDlg>()), m_pHLXDlg(std::make_unique<CHLXDlg>()),
      m_pDIPDlg(std::make_unique<CDIPDlg>()), m_pDownloadDlg(std::make_unique<CDownloadDlg>()),
      m_nCurPage(kPageHome)
{
    InitYaqResources();
    setObjectName(QStringLiteral("YAQ2MainWindow"));
    setWindowIcon(QIcon(QStringLiteral(":/bitmaps/app.png")));
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    setSizeGripEnabled(true);
    BuildHead();
    ConnectIdentification();

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

QSize CYaq2Dlg::MinimumWindowSize()
{
    return QSize(kMinWidth, kMinHeight);
}

// ---------------------------------------------------------------------------
// Head row and button column

QLabel *CYaq2Dlg::MakeHeadLabel(const char *name)
{
    auto *label = new QLabel(this);
    label->setObjectName(QString::fromLatin1(name));
    m_headLabels.insert(label->objectName(), label);
    return label;
}

COwnButton *CYaq2Dlg::MakeHeadButton(int id, const char *name, const QString &bitmap)
{
    auto *button = new COwnButton(this);
    button->setObjectName(QString::fromLatin1(name));
    button->Init(bitmap, palette().color(QPalette::Window));
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_headButtons.insert(id, button);
    return button;
}

void CYaq2Dlg::BuildHead()
{
    m_pTitle = new COwnLogoButton(this);
    m_pTitle->setObjectName(QStringLiteral("titleButton"));
    m_pTitle->SetBitmap(kLogoHome);
    m_pTitle->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    // Its tooltip names the catalogue caption and date as they are when it
    // is shown (see eventFilter).
    m_pTitle->installEventFilter(this);

    auto edit = [this](const char *name, int maxLength) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        if (maxLength > 0)
            e->setMaxLength(maxLength);
        return e;
    };
    auto combo = [this](const char *name) {
        auto *c = new QComboBox(this);
        c->setObjectName(QString::fromLatin1(name));
        c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        c->setMinimumContentsLength(5);
        return c;
    };
    m_pVin = edit("vinEdit", 17);
    const QFontMetrics fm(m_pVin->font());
    auto fit = [&fm](QWidget *w, const char *sample) {
        w->setMinimumWidth(fm.horizontalAdvance(QString::fromLatin1(sample)) + 14);
    };
    fit(m_pVin, "XVQWWW00000000000");
    m_pTypSchl = edit("typeKeyEdit", 4);
    fit(m_pTypSchl, "WWWW");
    m_pEReihe = CreateModelSeriesCombo();
    m_pModell = combo("modelCombo");
    m_pLeadType = combo("leadTypeCombo");
    m_pErstzul = edit("firstRegistrationEdit", 10);
    fit(m_pErstzul, "TT.MM.JJJJ");
    m_pPlate = edit("plateEdit", 0);
    fit(m_pPlate, "XX-XX 0000");
    m_pKm = edit("mileageEdit", 0);
    fit(m_pKm, "0000000");
    m_pDate = edit("dateEdit", 10);
    fit(m_pDate, "00.00.0000");

    auto *fields = new QGridLayout;
    fields->setHorizontalSpacing(8);
    fields->setVerticalSpacing(2);
    const struct
    {
        const char *label;
        QWidget *field;
        int stretch;
    } columns[] = {
        {"vinLabel", m_pVin, 3},
        {"typeKeyLabel", m_pTypSchl, 0},
        {"modelSeriesLabel", m_pEReihe, 2},
        {"modelLabel", m_pModell, 2},
        {"leadTypeLabel", m_pLeadType, 2},
        {"firstRegistrationLabel", m_pErstzul, 0},
        {"plateLabel", m_pPlate, 0},
        {"mileageLabel", m_pKm, 0},
        {"dateLabel", m_pDate, 0},
    };
    int column = 0;
    for (const auto &c : columns) {
        fields->addWidget(MakeHeadLabel(c.label), 0, column);
        fields->addWidget(c.field, 1, column);
        fields->setColumnStretch(column, c.stretch);
        ++column;
    }
    COwnButton *dmsVin =
        MakeHeadButton(kBtnDmsVin, "dmsVinButton", QStringLiteral(":/bitmaps/dmsvin.png"));
    dmsVin->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

    m_pPageStack = new QStackedWidget(this);
    m_pPageStack->setObjectName(QStringLiteral("pageHost"));

    auto *left = new QVBoxLayout;
    auto *titleRow = new QHBoxLayout;
    titleRow->addWidget(m_pTitle, 1);
    titleRow->addWidget(dmsVin, 0, Qt::AlignBottom);
    left->addLayout(titleRow);
    left->addLayout(fields);
    left->addSpacing(4);
    left->addWidget(m_pPageStack, 1);

    // The button column: contract and two-wheeler program; search and
    // basket; downloads and settings; close and help.
    auto group = [this](const char *name, const QList<QWidget *> &buttons) {
        auto *box = new QGroupBox(this);
        box->setObjectName(QString::fromLatin1(name));
        auto *layout = new QVBoxLayout(box);
        layout->setContentsMargins(6, 6, 6, 6);
        for (QWidget *w : buttons)
            layout->addWidget(w);
        return box;
    };
    COwnButton *contract = MakeHeadButton(kBtnContract, "contractButton", QString());
    COwnButton *twoWheeler = MakeHeadButton(kBtnTwoWheeler, "twoWheelerButton", QString());
    COwnButton *search = MakeHeadButton(kBtnSearch, "searchButton", QString());
    COwnButton *basket = MakeHeadButton(kBtnBasket, "basketButton", QString());
    COwnButton *yaqDownload = MakeHeadButton(kBtnYaqDownload, "yaqDownloadButton", QString());
    COwnButton *dmsDownload = MakeHeadButton(kBtnDmsDownload, "dmsDownloadButton", QString());
    COwnButton *setup = MakeHeadButton(kBtnSetup, "setupButton", QString());
    COwnButton *back =
        MakeHeadButton(kBtnBack, "closeButton", QStringLiteral(":/bitmaps/back.png"));
    COwnButton *help = MakeHeadButton(kBtnHelp, "helpButton", QStringLiteral(":/bitmaps/help.png"));
    COwnButton *helpIndex =
        MakeHeadButton(kBtnHelpIndex, "helpIndexButton", QStringLiteral(":/bitmaps/helpindex.png"));
    twoWheeler->hide();
    yaqDownload->hide();
    dmsDownload->hide();

    auto *smallRow = new QWidget(this);
    auto *smallLayout = new QHBoxLayout(smallRow);
    smallLayout->setContentsMargins(0, 0, 0, 0);
    smallLayout->addWidget(back);
    smallLayout->addWidget(help);
    smallLayout->addWidget(helpIndex);

    auto *right = new QVBoxLayout;
    right->addWidget(group("contractGroup", {contract, twoWheeler}));
    right->addWidget(group("pageGroup", {search, basket}));
    right->addStretch(1);
    right->addWidget(group("toolGroup", {yaqDownload, dmsDownload, setup}));
    right->addWidget(group("closeGroup", {smallRow}));

    auto *rightWidget = new QWidget(this);
    rightWidget->setObjectName(QStringLiteral("headButtonColumn"));
    rightWidget->setLayout(right);
    rightWidget->setFixedWidth(160);

    auto *main = new QHBoxLayout(this);
    main->setContentsMargins(8, 6, 8, 8);
    main->addLayout(left, 1);
    main->addWidget(rightWidget);

    // Head buttons.
    connect(m_pTitle, &QAbstractButton::clicked, this, &CYaq2Dlg::ShowHomePage);
    connect(m_pTitle, &COwnLogoButton::doubleClicked, this, &CYaq2Dlg::ShowAboutBox);
    connect(setup, &QAbstractButton::clicked, this, [this] {
        PlaySoundSelected(m_pSettings);
        if (m_pSetupDlg->IsCreated())
            ShowSetupPage(true);
    });
    connect(basket, &QAbstractButton::clicked, this, [this] {
        PlaySoundSelected(m_pSettings);
        if (m_pWkDlg->IsCreated())
            ShowWkPage(true);
    });
    connect(search, &QAbstractButton::clicked, this, [this] {
        PlaySoundSelected(m_pSettings);
        if (m_pNrAbfrageDlg->IsCreated())
            ShowNrAbfragePage(true, false);
    });
    connect(contract, &QAbstractButton::clicked, this, [this] {
        PlaySoundSelected(m_pSettings);
        ShowHLXPage(true);
    });
    connect(yaqDownload, &QAbstractButton::clicked, this, [this] {
        PlaySoundSelected(m_pSettings);
        ShowDownloadPage(true);
    });
    connect(back, &QAbstractButton::clicked, this, [this] {
        PlaySoundSelected(m_pSettings);
        reject();
    });
}

void CYaq2Dlg::SetCaptions()
{
    const struct
    {
        const char *label;
        int id;
    } labels[] = {{"vinLabel", 3015},   {"typeKeyLabel", 3016},          {"modelSeriesLabel", 3053},
                  {"modelLabel", 3018}, {"leadTypeLabel", 3017},         {"dateLabel", 3008},
                  {"plateLabel", 3086}, {"firstRegistrationLabel", 6000}};
    for (const auto &l : labels)
        m_headLabels.value(QString::fromLatin1(l.label))->setText(OrmelText(l.id));
    m_headLabels.value(QStringLiteral("mileageLabel"))->setText(QStringLiteral("km / mls"));

    const struct
    {
        int button;
        int id;
    } buttons[] = {{kBtnSetup, 2002},  {kBtnYaqDownload, 2058}, {kBtnDmsDownload, 2032},
                   {kBtnSearch, 2013}, {kBtnBasket, 6078},      {kBtnTwoWheeler, 2030}};
    for (const auto &b : buttons)
        m_headButtons.value(b.button)->setText(OrmelText(b.id));
    m_headButtons.value(kBtnDmsVin)->setText(QStringLiteral("DMS-VIN"));
    m_headButtons.value(kBtnDmsVin)->setToolTip(OrmelText(3119));
    SetBrandCaption();

    setWindowTitle(m_pSettings->DlgTitel + GetVersionString());
}

QString CYaq2Dlg::TitleToolTip() const
{
    return m_pSettings->DlgTitel + QStringLiteral(" - ") + OrmelText(6079) + QLatin1Char(' ') +
           m_pSettings->KatDatum;
}

void CYaq2Dlg::SetBrandCaption()
{
    m_headButtons.value(kBtnContract)
        ->setText(m_pSettings->Marke == QLatin1String("LU") ? QStringLiteral("LUMO Helix Care")
                                                            : QStringLiteral("VOQ Helix Care"));
}

void CYaq2Dlg::SetHomeButtonTexts()
{
    m_pHomeDlg->SetButtonTexts();
}

void CYaq2Dlg::SetFocusToVin()
{
    if (m_pVin)
        m_pVin->setFocus();
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
    m_bInInit = true;

    InitHeadControls();
    m_rcInit = QRect(QPoint(0, 0), MinimumWindowSize());
    setMinimumSize(m_rcInit.size());
    CreatePages();
    ApplyPlacement();

    const CPrgSettings &s = *m_pSettings;
    if (!s.bQvlAwToSrp && !s.bQvlAPosQuery) {
        if (s.bYAQ2DlgIsZoomed)
            showMaximized();
        else
            show();
    }
    m_pTitle->SetBitmap(s.bSchulung ? kLogoTraining : kLogoHome);
    m_pTitle->SetCaption(QString());

    if (!m_strOpenError.isEmpty()) {
        if (!isVisible())
            show();
        OwnMsgBox(m_strOpenError, this, s.DlgTitel);
        m_bInInit = false;
        EndDialog(QDialog::Rejected);
        return;
    }

    ReadCatalogueDate();

    if (s.Fgstnr.isEmpty()) {
        ResetVehicleFields(false, true);
    } else {
        m_pVin->setText(s.Fgstnr);
        if (!s.Erstzulassung.isEmpty()) {
            m_pErstzul->setText(s.Erstzulassung);
            m_bErstzulGivenAtStart = 1;
        }
        if (!s.Kilometer.isEmpty()) {
            m_pKm->setText(s.Kilometer);
            m_bKmGivenAtStart = 1;
        }
        ResetVehicleFields(true, true);
        // The VIN of the start is identified as if it had been typed.
        OnEnChangeFgstNr();
    }

    // The caller modes that answer their caller decide the start themselves;
    // every other start shows the start page of the command line.
    if (!s.bQvlEdit && !s.bQvlAPosSearch && !s.bQvlAPosQuery && !s.bQvlAwToSrp)
        OnStartPage();

    m_bInInit = false;
    SetFocusToVin();
    if (m_bEnded)
        EndDialog(m_nEndResult);
}

void CYaq2Dlg::ApplyPlacement()
{
    QRect rect = m_pSettings->YAQ2DlgPosRect;
    if (!rect.isEmpty()) {
        ValidateWndRect(&rect);
    }
    if (!rect.isEmpty()) {
        setGeometry(rect);
        return;
    }
    QSize size = MinimumWindowSize();
    QPoint pos;
    if (const QScreen *screen = this->screen()) {
        const QRect available = screen->availableGeometry();
        size = size.boundedTo(available.size()).expandedTo(MinimumWindowSize());
        pos = available.center() - QPoint(size.width() / 2, size.height() / 2);
    }
    if (m_x >= 0 && m_y >= 0)
        pos = QPoint(m_x, m_y);
    resize(size);
    move(pos);
}

void CYaq2Dlg::ReadCatalogueDate()
{
    if (!m_pDb[0])
        return;
    CReportData report;
    QString date;
    if (m_pDb[0]->ReadReportMaxData(report) && report.m_strZeitstempel.size() == 14) {
        const QString &t = report.m_strZeitstempel;
        date = t.mid(6, 2) + QLatin1Char('/') + t.mid(4, 2) + QLatin1Char('/') + t.left(4);
    }
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
    SaveWindowPlacement();
    const ConnectValues v = StartConnectValues();
    if (m_pSettings->bSession && m_pDb[0] && !v.appServer.isEmpty())
        m_pDb[0]->EndSession(v.sessionId);
    for (auto &db : m_pDb) {
        if (db)
            db->Close();
    }
}

void CYaq2Dlg::SaveWindowPlacement()
{
    // Only a window that was placed has a placement worth keeping.
    if (m_rcInit.isEmpty())
        return;
    if (isMinimized()) {
        m_pSettings->bYAQ2DlgIsZoomed = isMaximized() ? 1 : 0;
        return;
    }
    m_pSettings->YAQ2DlgPosRect = isMaximized() ? normalGeometry() : geometry();
    m_pSettings->bYAQ2DlgIsZoomed = isMaximized() ? 1 : 0;
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
    if (m_pHomeDlg->IsCreated())
        return;
    CPrgSettings *s = m_pSettings;
    QWidget *host = m_pPageStack;
    CYaqDb *db0 = m_pDb[0].get();
    CYaqDb *db1 = m_pDb[1].get();
    CYaqDb *db2 = m_pDb[2].get();
    CYaqDb *db3 = m_pDb[3].get();
    m_pHomeDlg->Create(s, kPageHomeTemplate, this, host);
    m_pNrAbfrageDlg->Create(s, kPageNrAbfrage, db0, db1, db2, db3, this, host);
    m_pSRPWlDlg->Create(s, kPageSRPWl, db0, db1, db2, this, host);
    m_pSRPBbDlg->Create(s, kPageSRPBb, db0, db1, db2, db3, this, host);
    m_pSpotRBbDlg->Create(s, kPageSpotRBb, db0, db1, db2, db3, this, host);
    m_pSetupDlg->Create(s, kPageSetup, this, host);
    m_pBfndDlg->Create(s, kPageBfnd, db0, db1, db2, db3, this, host);
    m_pSBefAnzDlg->Create(s, kPageSBefAnz, db0, db1, db2, db3, this, host);
    m_pAwKatDlg->Create(s, kPageAwKat, db0, db1, db2, this, host);
    m_pWkDlg->Create(s, kPageWk, db0, this, host);
    m_pSBLWlDlg->Create(s, kPageSBLWl, db0, db1, db2, this, host);
    m_pWebBrowserDlg->Create(s, kPageWebBrowser, this, host);
    if (const CYaq2App *app = CYaq2App::Instance())
        m_pWebBrowserDlg->m_strServerBase = app->m_strAppServerAddress;
    m_pHLXDlg->Create(s, kPageHLX, db0, db1, this, host);
    m_pDIPDlg->Create(s, kPageDIP, this, host);
    m_pDownloadDlg->Create(s, kPageDownload, db0, db1, this, host);

    const QList<QWidget *> pages = {
        m_pHomeDlg.get(),    m_pNrAbfrageDlg.get(), m_pSRPWlDlg.get(),   m_pSRPBbDlg.get(),
        m_pSpotRBbDlg.get(), m_pSetupDlg.get(),     m_pBfndDlg.get(),    m_pSBefAnzDlg.get(),
        m_pAwKatDlg.get(),   m_pWkDlg.get(),        m_pSBLWlDlg.get(),   m_pWebBrowserDlg.get(),
        m_pHLXDlg.get(),     m_pDIPDlg.get(),       m_pDownloadDlg.get()};
    for (QWidget *page : pages)
        m_pPageStack->addWidget(page);
    m_pPageStack->setCurrentWidget(m_pHomeDlg.get());
    connect(m_pHomeDlg.get(), &CHomeDlg::tabFromLastButton, this,
            [this] { m_headButtons.value(kBtnContract)->setFocus(Qt::TabFocusReason); });
}

QWidget *CYaq2Dlg::VisiblePage() const
{
    return m_pPageStack->currentWidget();
}

QString CYaq2Dlg::PageCaption() const
{
    return m_pTitle->Caption();
}

void CYaq2Dlg::ShowPageWidget(QWidget *page)
{
    m_pPageStack->setCurrentWidget(page);
}

void CYaq2Dlg::SetTitle(int pageId, const QString &caption)
{
    m_nCurPage = pageId;
    m_pTitle->SetBitmap(kLogoPage);
    m_pTitle->SetCaption(caption);
}

void CYaq2Dlg::SetHelpIndexVisible(bool visible)
{
    m_headButtons.value(kBtnHelpIndex)->setVisible(visible);
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

bool CYaq2Dlg::SessionForbids(int id) const
{
    if (!m_pSettings->bSession)
        return false;
    if (id == kBtnSetup || id == kBtnDmsVin || id == kBtnDmsDownload)
        return true;
    return m_pSettings->nRestrictedSession &&
           (id == kBtnContract || id == kBtnTwoWheeler || id == kBtnYaqDownload);
}

bool CYaq2Dlg::PreparePageSwitch()
{
    if (!m_pSettings->bSession)
        return true;
    const int state = ValidateSession();
    m_pSettings->nRestrictedSession = 0;
    if (state < kSessionValid) {
        OwnMsgBox(OrmelText(6088), this);
        EndDialog(1000);
        return false;
    }
    for (int id : {kBtnSetup, kBtnDmsVin, kBtnDmsDownload})
        m_headButtons.value(id)->setEnabled(false);
    if (m_pAwKatDlg->IsCreated())
        m_pAwKatDlg->PriceButton()->setEnabled(false);
    for (CPaketDmsPage *page : {static_cast<CPaketDmsPage *>(m_pSRPBbDlg.get()),
                                static_cast<CPaketDmsPage *>(m_pSpotRBbDlg.get())}) {
        if (page->IsCreated()) {
            page->DmsRequestButton()->setEnabled(false);
            page->TransferButton()->setEnabled(false);
        }
    }
    if (m_pWkDlg->IsCreated())
        m_pWkDlg->TransferButton()->setEnabled(false);

    if (state == kSessionRestricted) {
        m_pSettings->nRestrictedSession = 1;
        for (int id : {kBtnContract, kBtnTwoWheeler, kBtnYaqDownload})
            m_headButtons.value(id)->setEnabled(false);
        if (m_pHomeDlg->IsCreated()) {
            m_pHomeDlg->PaketeButton()->setEnabled(false);
            m_pHomeDlg->NewsButton()->setEnabled(false);
        }
        if (m_pAwKatDlg->IsCreated())
            m_pAwKatDlg->SrpButton()->setEnabled(false);
        if (m_pNrAbfrageDlg->IsCreated())
            m_pNrAbfrageDlg->SrpButton()->setEnabled(false);
        if (m_pWkDlg->IsCreated())
            m_pWkDlg->SrpButton()->setEnabled(false);
    }
    return true;
}

// ---------------------------------------------------------------------------
// Head-row state

void CYaq2Dlg::EnableHeadControls(bool enable, bool pageMode)
{
    if ((enable ? 1 : 0) != m_bHeadEnabled) {
        for (QWidget *w : std::initializer_list<QWidget *>{m_pVin, m_pTypSchl, m_pEReihe, m_pModell,
                                                           m_pLeadType})
            w->setEnabled(enable);
        for (int id : {kBtnContract, kBtnTwoWheeler, kBtnSearch, kBtnBasket, kBtnYaqDownload,
                       kBtnDmsDownload, kBtnSetup})
            m_headButtons.value(id)->setEnabled(enable && !SessionForbids(id));
        m_bHeadEnabled = enable ? 1 : 0;
        update();
    }

    ApplyVehicleFieldRule();

    const HeadRowState state = HeadRowStateForPage(m_nCurPage, pageMode);
    m_pVin->setReadOnly(!state.vinEditable);
    m_pTypSchl->setReadOnly(!state.typeKeyEditable);
    for (QComboBox *c : {m_pEReihe, m_pModell, m_pLeadType})
        c->setEnabled(state.combosEnabled && m_bHeadEnabled);
    m_pErstzul->setReadOnly(!state.firstRegistrationEditable);
    m_pKm->setReadOnly(!state.mileageEditable);

    m_headButtons.value(kBtnDmsVin)->setVisible(!pageMode);
    m_headButtons.value(kBtnDmsVin)->setEnabled(!SessionForbids(kBtnDmsVin));
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
        ResetVehicleFields(m_bHeadEnabled != 0, false);
    else
        ResetVehicleFields(false, true);
}

void CYaq2Dlg::ResetVehicleFields(bool enable, bool reset)
{
    const bool holdAll = m_bHoldAllA || m_bHoldAllB;
    if (reset) {
        if (!holdAll) {
            m_pPlate->clear();
            m_pDate->setText(QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
        }
        if (!holdAll && !m_bErstzulGivenAtStart) {
            m_pErstzul->setText(OrmelText(6061));
            m_pSettings->Erstzulassung.clear();
        }
        if (!holdAll && !m_bKmGivenAtStart) {
            m_pSettings->Kilometer.clear();
            m_pKm->clear();
        }
    }
    for (QLineEdit *e : {m_pErstzul, m_pPlate, m_pKm, m_pDate})
        e->setEnabled(enable);
    const bool campaigns = m_pSettings->MarketingCampaigns != 0;
    m_headLabels.value(QStringLiteral("firstRegistrationLabel"))->setVisible(campaigns);
    m_pErstzul->setVisible(campaigns);
}

// ---------------------------------------------------------------------------
// Show operations

void CYaq2Dlg::ShowHomePage()
{
    PlaySoundSelected(m_pSettings);
    if (!m_pHomeDlg->IsCreated())
        return;
    const bool hadCaption = !m_pTitle->Caption().isEmpty();
    m_pWkDlg->m_bFromSRP = 0;
    m_pWkDlg->m_bFromAwKat = 0;
    m_pWkDlg->m_bFromBfnd = 0;
    m_pHLXDlg->m_bFromAwKat = 0;
    m_pHLXDlg->m_bFromSRP = 0;
    m_pBfndDlg->m_bBackMark = 0;
    m_pSRPWlDlg->m_bFromNrAbfrage = 0;
    m_pSRPWlDlg->m_bFromAwKat = 0;
    m_pWebBrowserDlg->m_bReturnToSRPWl = 0;
    m_pWebBrowserDlg->m_bReturnToSpotR = 0;

    ShowPageWidget(m_pHomeDlg.get());
    m_nCurPage = kPageHome;
    m_pTitle->SetBitmap(m_pSettings->bSchulung ? kLogoTraining : kLogoHome);
    m_pTitle->SetCaption(QString());
    m_pTitle->setEnabled(true);
    SetHelpIndexVisible(true);
    if (hadCaption)
        SetFocusToVin();
    EnableHeadControls(true, false);
}

void CYaq2Dlg::ShowSetupPage(bool show)
{
    // The settings are not edited in a session.
    if (!show || m_pSettings->bSession)
        return;
    m_pSetupDlg->UpdateSRPControls();
    ShowPageWidget(m_pSetupDlg.get());
    SetTitle(kPageSetup, OrmelText(3042));
    SetHelpIndexVisible(true);
    EnableHeadControls(false, true);
}

void CYaq2Dlg::ShowWkPage(bool show)
{
    if (!show)
        return;
    const QString old = m_pTitle->Caption();
    const bool fromAwKat = old == OrmelText(3200);
    const bool fromSRP = old == OrmelText(3183);
    const bool fromBfnd = old == OrmelText(3043);
    if (fromAwKat || fromSRP || fromBfnd) {
        m_pWkDlg->m_bFromAwKat = fromAwKat;
        m_pWkDlg->m_bFromSRP = fromSRP;
        m_pWkDlg->m_bFromBfnd = fromBfnd;
    }
    ShowPageWidget(m_pWkDlg.get());
    SetTitle(kPageWk, OrmelText(6078));
    m_pWkDlg->setFocus();
    m_pWkDlg->ActivatePage();
    SetHelpIndexVisible(true);
    EnableHeadControls(true, true);
}

bool CYaq2Dlg::ShowWebPage(int mode)
{
    if (!m_pWebBrowserDlg->CreateBrowser())
        return false;
    m_pWebBrowserDlg->ShowPage(mode);
    ShowPageWidget(m_pWebBrowserDlg.get());
    m_pWebBrowserDlg->setFocus();
    m_nCurPage = kPageWebBrowser;
    m_pTitle->SetBitmap(kLogoPage);
    EnableHeadControls(true, true);
    return true;
}

void CYaq2Dlg::ShowSRPWlPage(int)
{
    if (!PreparePageSwitch())
        return;
    if (m_pVin->text().isEmpty()) {
        m_pSRPWlDlg->ClearLists();
        OwnMsgBox(OrmelText(6080), this);
        return;
    }
    ShowPageWidget(m_pSRPWlDlg.get());
    SetTitle(kPageSRPWl, OrmelText(3183));
    if (m_pSettings->bQvlEdit)
        m_pSettings->PaketNr = m_strPkgNr7;
    m_pSRPWlDlg->ActivatePage();
    SetHelpIndexVisible(false);
    if (m_pSettings->bQvlEdit) {
        EnableHeadControls(false, true);
        m_pTitle->setEnabled(false);
    } else {
        EnableHeadControls(true, true);
    }
}

void CYaq2Dlg::ShowSRPBbPage(bool activate, int arg)
{
    if (!PreparePageSwitch())
        return;
    ShowPageWidget(m_pSRPBbDlg.get());
    SetTitle(kPageSRPBb, OrmelText(3183));
    if (activate)
        m_pSRPBbDlg->ActivatePage(arg);
    SetHelpIndexVisible(false);
    EnableHeadControls(true, true);
}

void CYaq2Dlg::ShowSpotRBbPage(bool activate, int arg)
{
    if (!PreparePageSwitch())
        return;
    ShowPageWidget(m_pSpotRBbDlg.get());
    SetTitle(kPageSpotRBb, OrmelText(3183));
    if (activate)
        m_pSpotRBbDlg->ActivatePage(arg);
    SetHelpIndexVisible(false);
    EnableHeadControls(true, true);
}

void CYaq2Dlg::ShowDIPPage(bool show)
{
    if (!PreparePageSwitch() || !show)
        return;
    m_pDIPDlg->ActivatePage();
    ShowPageWidget(m_pDIPDlg.get());
    m_pDIPDlg->setFocus();
}

void CYaq2Dlg::ShowBfndPage(bool activate)
{
    if (!PreparePageSwitch())
        return;
    ShowPageWidget(m_pBfndDlg.get());
    SetTitle(kPageBfnd, OrmelText(3043));
    if (activate)
        m_pBfndDlg->ActivatePage(1);
    EnableHeadControls(true, true);
}

void CYaq2Dlg::ShowSBefAnzPage(bool show, const QString &findingNr)
{
    if (!PreparePageSwitch())
        return;
    if (show) {
        m_pSBefAnzDlg->SetBefundNr(findingNr);
        m_pSBefAnzDlg->ActivatePage();
        ShowPageWidget(m_pSBefAnzDlg.get());
    }
    EnableHeadControls(true, true);
}

void CYaq2Dlg::ShowAwKatPage(int arg, bool silent)
{
    if (!PreparePageSwitch())
        return;
    m_pAwKatDlg->ActivatePage(arg);
    if (m_pLeadType->currentIndex() < 0 && !m_pSettings->bKatalogansicht) {
        if (!silent)
            OwnMsgBox(OrmelText(3033), this);
        return;
    }
    if (m_pTitle->Caption().isEmpty())
        m_pAwKatDlg->m_bFromHome = 1;
    ShowPageWidget(m_pAwKatDlg.get());
    SetTitle(kPageAwKat, OrmelText(3200));
    SetHelpIndexVisible(true);
    EnableHeadControls(true, true);
}

void CYaq2Dlg::ShowHLXPage(bool show)
{
    if (!PreparePageSwitch() || !show)
        return;
    const QString old = m_pTitle->Caption();
    if (old == OrmelText(3200)) {
        m_pHLXDlg->m_bFromAwKat = 1;
        m_pHLXDlg->m_bFromSRP = 0;
    } else if (old == OrmelText(3183)) {
        m_pHLXDlg->m_bFromSRP = 1;
        m_pHLXDlg->m_bFromAwKat = 0;
    }
    const QString caption = m_headButtons.value(kBtnContract)->text();
    m_pHLXDlg->SetPageCaption(caption);
    ShowPageWidget(m_pHLXDlg.get());
    SetTitle(kPageHLX, caption);
    m_pHLXDlg->ActivatePage();
    m_pHLXDlg->setFocus();
    SetHelpIndexVisible(true);
    EnableHeadControls(true, true);
}

void CYaq2Dlg::ShowNrAbfragePage(bool show, bool noFocus)
{
    if (!PreparePageSwitch() || !show)
        return;
    if (m_pTitle->Caption().isEmpty())
        m_pNrAbfrageDlg->m_bFromHome = 1;
    ShowPageWidget(m_pNrAbfrageDlg.get());
    SetTitle(kPageNrAbfrage, OrmelText(2013));
    if (!noFocus) {
        if (m_pSettings->Fgstnr.isEmpty())
            SetFocusToVin();
        else
            m_pNrAbfrageDlg->SearchField()->setFocus();
    }
    if (m_pSettings->bQvlAPosSearch)
        m_pSettings->PaketNr = m_strApNr;
    m_pSettings->bNrAbfrage = 1;
    m_pNrAbfrageDlg->ActivatePage();
    SetHelpIndexVisible(true);
    EnableHeadControls(true, true);
}

QString CYaq2Dlg::MaintenanceReferenceDate() const
{
    // The vehicle's first registration when it is known, else today.
    const QString key = GermanDateToKey(m_pSettings->Erstzulassung);
    return key.isEmpty() ? QDate::currentDate().toString(QStringLiteral("yyyyMMdd")) : key;
}

bool CYaq2Dlg::HasMaintenanceTopics()
{
    CYaqDb *db = m_pDb[0].get();
    if (!db)
        return false;
    const CPrgSettings &s = *m_pSettings;
    CSBLIDData rec;
    rec.m_strKatBstNr = s.KatalogKey;
    if (!s.Fgstnr.isEmpty()) {
        rec.m_strTypSchl = s.TypSchl;
        const QString date = MaintenanceReferenceDate();
        for (int ok = db->ReadSBLIDData(rec); ok; ok = db->ReadNext()) {
            if (rec.m_strDatumVon <= date && date <= rec.m_strDatumBis)
                return true;
        }
        return false;
    }
    if (!s.TypSchl.isEmpty())
        rec.m_strTypSchl = s.TypSchl;
    else
        rec.m_strLTyp = s.LeadTyp;
    return db->ReadSBLIDData(rec) != 0;
}

void CYaq2Dlg::ShowSBLWlPage(bool show)
{
    if (!PreparePageSwitch())
        return;
    if (!show || m_pSettings->nKatalogFlag)
        return;
    const CPrgSettings &s = *m_pSettings;
    if (s.Fgstnr.isEmpty() && s.TypSchl.isEmpty() && s.LeadTyp.isEmpty()) {
        OwnMsgBox(OrmelText(4087), this);
        return;
    }
    if (!HasMaintenanceTopics()) {
        OwnMsgBox(OrmelText(4088), this);
        return;
    }
    ShowPageWidget(m_pSBLWlDlg.get());
    SetTitle(kPageSBLWl, OrmelText(3197));
    m_pSBLWlDlg->ActivatePage();
    EnableHeadControls(true, true);
}

void CYaq2Dlg::ShowNewsPage(bool show)
{
    if (!PreparePageSwitch() || !show)
        return;
    ShowWebPage(0);
    SetTitle(kPageWebBrowser, OrmelText(2033));
    EnableHeadControls(true, true);
}

void CYaq2Dlg::ShowDownloadPage(bool show)
{
    if (!PreparePageSwitch() || !show)
        return;
    ShowPageWidget(m_pDownloadDlg.get());
    SetTitle(kPageDownload, OrmelText(2058));
    m_pDownloadDlg->ActivatePage();
    SetHelpIndexVisible(true);
    EnableHeadControls(true, true);
}

void CYaq2Dlg::OnStartPage()
{
    const QString &code = m_pSettings->StartPage;
    if (code == QLatin1String("AW"))
        ShowAwKatPage(1, false);
    if (code == QLatin1String("BF"))
        ShowBfndPage(true);
    if (code == QLatin1String("SRP"))
        ShowSRPWlPage(1);
    if (code == QLatin1String("RR")) {
        if (PreparePageSwitch()) {
            ShowWebPage(1);
            m_pTitle->SetCaption(OrmelText(3104));
            EnableHeadControls(true, true);
        }
    }
    if (code == QLatin1String("HLX"))
        ShowHLXPage(true);
}

// ---------------------------------------------------------------------------
// Change report

void CYaq2Dlg::SetIdentChanged(const CChangeFlags &changes)
{
    using G = CChangeFlags;
    const int all = G::Ident | G::LanguageSetup;
    m_pNrAbfrageDlg->m_Changed.Merge(changes, all);
    m_pSRPWlDlg->m_Changed.Merge(changes, all | G::Mileage);
    m_pSRPBbDlg->m_Changed.Merge(changes, all);
    m_pSpotRBbDlg->m_Changed.Merge(changes, all);
    m_pBfndDlg->m_Changed.Merge(changes, all | G::Mileage);
    m_pAwKatDlg->m_Changed.Merge(changes, all);
    m_pSBLWlDlg->m_Changed.Merge(changes, all);
    for (CPageDlg *page : std::initializer_list<CPageDlg *>{m_pWkDlg.get(), m_pHLXDlg.get(),
                                                            m_pDIPDlg.get(), m_pDownloadDlg.get()})
        page->m_Changed.Merge(changes, G::LanguageSetup);
    if (changes.bSprache) {
        for (CPageDlg *page : std::initializer_list<CPageDlg *>{
                 m_pNrAbfrageDlg.get(), m_pSRPWlDlg.get(), m_pSRPBbDlg.get(), m_pSpotRBbDlg.get(),
                 m_pBfndDlg.get(), m_pAwKatDlg.get(), m_pSBLWlDlg.get(), m_pWkDlg.get(),
                 m_pHLXDlg.get(), m_pDIPDlg.get(), m_pDownloadDlg.get()})
            page->m_bTextsChanged = 1;
    }
    if (!changes.bIdent)
        return;

    // A click on a head button that leads to a page switches the page
    // itself. The DMS download and the two-wheeler program switch no page,
    // so the visible page is refreshed behind them.
    bool headFocus = m_pTitle->hasFocus();
    for (int id : {kBtnDmsVin, kBtnContract, kBtnSearch, kBtnBasket, kBtnYaqDownload, kBtnSetup,
                   kBtnBack, kBtnHelp, kBtnHelpIndex})
        headFocus = headFocus || m_headButtons.value(id)->hasFocus();
    switch (m_nCurPage) {
    case kPageAwKat:
        if (!headFocus)
            ShowAwKatPage(0, false);
        break;
    case kPageHLX:
        ShowHLXPage(true);
        break;
    case kPageWk:
        ShowWkPage(true);
        break;
    case kPageNrAbfrage:
        ShowNrAbfragePage(true, false);
        break;
    case kPageSRPWl:
        if (!headFocus)
            ShowSRPWlPage(1);
        break;
    default:
        break;
    }
}
