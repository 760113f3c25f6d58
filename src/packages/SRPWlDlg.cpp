#include "packages/SRPWlDlg.h"

#include "common/OwnButton.h"
#include "common/OwnLB.h"
#include "common/OwnSound.h"
#include "common/OwnYaqLB.h"
#include "common/PageHost.h"
#include "common/VgKontaktDlg.h"
#include "common/WaitCursor.h"
#include "common/readers/HLXContracts.h"
#include "common/readers/SpotRepair.h"
#include "packages/CatalogueListReads.h"
#include "packages/PageNotice.h"
#include "packages/SRPBbDlg.h"
#include "packages/SRPWlRowModel.h"
#include "packages/SRPWlRowPainter.h"
#include "packages/SpotRBbDlg.h"
#include "packages/list/CampaignImport.h"
#include "packages/list/PackageCoverage.h"
#include "packages/list/PackageListBuilder.h"
#include "packages/list/SpotRepairRows.h"
#include "packages/model/Position.h"
#include "packages/model/SpotRepairLine.h"
#include "platform/MsgBox.h"
#include "platform/OrmelText.h"
#include "platform/ccd/CDIPMarktRec.h"
#include "platform/ccd/CMrktngAttRec.h"
#include "platform/db/CatalogueFailure.h"
#include "platform/db/YaqDb.h"
#include "settings/PrgSettings.h"

#include <QDate>
#include <QFontMetrics>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

#include <utility>

namespace {

// The web page's contents codes of the buttons.
constexpr int kWebSaList = 2;
constexpr int kWebDipList = 4;
constexpr int kWebGmInformation = 5;
constexpr int kWebGmVehicle = 6;

const QString kSpotRepairText = QStringLiteral("Care & Cosmetic Repair");
const QString kSpotRepairEntryText = QStringLiteral("Lack (Spot Repair)");
const QColor kInfoText(255, 255, 0);
const QColor kInfoFrameQuiet(192, 192, 192);

// While it runs the adviser sees the wait cursor.
bool AnyIdentChange(const CChangeFlags &c)
{
    return c.bIdent || c.bFgstnr || c.bTypSchl || c.bEReihe || c.bTypNr || c.bModellBez ||
           c.bLeadTyp || c.bErstzul || c.bSprache || c.bSetup1 || c.bSetup2 || c.bSetup3 ||
           c.bSetup4;
}

} // namespace

CSRPWlDlg::CSRPWlDlg() = default;

CSRPWlDlg::~CSRPWlDlg()
{
    // The lists borrow the rows: they let go before the rows are deleted.
    if (m_pRowModel)
        m_pRowModel->SetRows({});
    if (m_pPathModel)
        m_pPathModel->SetRows({});
}

void CSRPWlDlg::BuildPage(QVBoxLayout *body)
{
    auto *buttons = new QHBoxLayout;
    m_pLevelUp = MakeButton(QStringLiteral("levelUpButton"), QStringLiteral("<<"));
    m_pInfo = MakeButton(QStringLiteral("packageInfoButton"), QString());
    m_pSaList = MakeButton(QStringLiteral("saListButton"), QString());
    m_pDipList = MakeButton(QStringLiteral("dipListButton"), QString());
    m_pGmInfo = MakeButton(QStringLiteral("gmInfoButton"), QString());
    m_pGmVehicle = MakeButton(QStringLiteral("gmVehicleButton"), QString());
    m_pEMail = MakeButton(QStringLiteral("eMailButton"), QStringLiteral("E-Mail"));
    for (COwnButton *button : {m_pLevelUp, m_pInfo, m_pSaList, m_pDipList, m_pGmInfo, m_pGmVehicle})
        buttons->addWidget(button);
    buttons->addStretch(1);
    buttons->addWidget(m_pEMail);
    body->addLayout(buttons);
    SetButtonTexts();

    m_pPathPainter = new CSRPWlRowPainter(true, this);
    m_pRowPainter = new CSRPWlRowPainter(false, this);
    m_pPathModel = new CSRPWlRowModel(this);
    m_pRowModel = new CSRPWlRowModel(this);

    m_pPathList = new COwnLB(this);
    m_pPathList->setObjectName(QStringLiteral("packagePathList"));
    m_pPathList->setItemDelegate(m_pPathPainter);
    m_pPathList->setModel(m_pPathModel);
    m_pPathPainter->SetFonts(m_pPathList->font());
    // Room for the three levels a path holds at most: main group and two
    // group levels.
    const QFontMetrics fm(m_pPathList->font());
    m_pPathList->setFixedHeight(3 * (fm.lineSpacing() + 8) + 2 * m_pPathList->frameWidth());
    body->addWidget(m_pPathList);

    m_pRowList = new COwnYaqLB(this);
    m_pRowList->setObjectName(QStringLiteral("packageRowList"));
    m_pRowList->setItemDelegate(m_pRowPainter);
    m_pRowList->SetRowHits(m_pRowPainter);
    m_pRowList->setModel(m_pRowModel);
    m_pRowPainter->SetFonts(m_pRowList->font());
    if (m_pSettings)
        m_pRowPainter->SetPackageBackground(m_pSettings->GetBkColor());
    body->addWidget(m_pRowList, 1);

    m_pInfoFrame = new QFrame(this);
    m_pInfoFrame->setObjectName(QStringLiteral("infoFrame"));
    m_pInfoFrame->setAutoFillBackground(true);
    auto *infoLayout = new QVBoxLayout(m_pInfoFrame);
    infoLayout->setContentsMargins(3, 3, 3, 3);
    m_pInfoLine = new QLabel(m_pInfoFrame);
    m_pInfoLine->setObjectName(QStringLiteral("infoLine"));
    m_pInfoLine->setWordWrap(true);
    m_pInfoLine->setAutoFillBackground(true);
    m_pInfoLine->setMinimumHeight(2 * fm.lineSpacing());
    infoLayout->addWidget(m_pInfoLine);
    body->addWidget(m_pInfoFrame);

    connect(m_pLevelUp, &QAbstractButton::clicked, this, &CSRPWlDlg::OnLevelUp);
    connect(m_pInfo, &QAbstractButton::clicked, this, &CSRPWlDlg::ChooseRow);
    connect(m_pSaList, &QAbstractButton::clicked, this, [this] {
        if (m_pSettings && !m_pSettings->TypSchl.isEmpty())
            ShowWeb(kWebSaList);
    });
    connect(m_pDipList, &QAbstractButton::clicked, this, &CSRPWlDlg::OnDipList);
    connect(m_pGmInfo, &QAbstractButton::clicked, this, [this] { ShowWeb(kWebGmInformation); });
    connect(m_pGmVehicle, &QAbstractButton::clicked, this, [this] { ShowWeb(kWebGmVehicle); });
    connect(m_pEMail, &QAbstractButton::clicked, this, [this] {
        PlaySoundSelected(m_pSettings);
        CVgKontaktDlg contact(m_pSettings, this);
        contact.DoModal();
    });

    // After the selection, not the current row: a key or a click selects the
    // row it moves to only after making it current, and a separator must
    // hand on the selection too.
    connect(m_pRowList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { OnRowSelected(m_pRowList->currentIndex()); });
    connect(m_pRowList, &QAbstractItemView::doubleClicked, this, [this] { ChooseRow(); });
    connect(m_pPathList, &QAbstractItemView::doubleClicked, this, [this] { ShowPathLevel(); });
    connect(m_pRowList, &COwnYaqLB::mouseOverRow, m_pPathList, &COwnLB::SetMouseOverToFalse);
    connect(m_pRowList, &COwnYaqLB::iconPressed, this, [this](int, const QModelIndex &index) {
        SetCurrentRow(m_pRowModel->RowAt(index.row()));
    });
    connect(m_pRowList, &COwnYaqLB::iconClicked, this, [this](int icon, const QModelIndex &) {
        PlaySoundSelected(m_pSettings);
        switch (icon) {
        case 1:
            ChoosePackage(1, CSRPBbDlg::KindSP, 0);
            break;
        case 2:
            ChoosePackage(1, CSRPBbDlg::KindVL, 0);
            break;
        case 3:
            ChoosePackage(1, CSRPBbDlg::KindSR, 1);
            break;
        case 4:
            ChoosePackage(1, CSRPBbDlg::KindGR, 0);
            break;
        default:
            break;
        }
    });
    m_pRowList->installEventFilter(this);
    m_pPathList->installEventFilter(this);

    ClearLists();
    OfferBackToOrigin();
}

void CSRPWlDlg::SetButtonTexts()
{
    m_pInfo->setText(OrmelText(2037));
    m_pSaList->setText(OrmelText(2048));
    m_pDipList->setText(OrmelText(2056));
    m_pGmInfo->setText(OrmelText(2060));
    m_pGmVehicle->setText(OrmelText(2061));
}

void CSRPWlDlg::ClearLists()
{
    if (!IsCreated())
        return;
    m_pRowModel->SetRows({});
    m_pPathModel->SetRows({});
    m_list.Clear();
    m_nLastSelected = -1;
    EnableSpotRepairButtons(false);
    UpdateInfoLine();
}

// ---------------------------------------------------------------------------
// Showing the page

void CSRPWlDlg::RefreshPage()
{
    const CChangeFlags changes = TakenChanges();
    OpenSpotRepairData(m_pSettings);
    if (changes.bSprache) {
        SetButtonTexts();
        m_pRowPainter->SetFonts(m_pRowList->font());
        m_pPathPainter->SetFonts(m_pPathList->font());
    }
    const bool qvlEdit = m_pSettings->bQvlEdit != 0;
    const bool otherChange = AnyIdentChange(changes);
    const bool mileage = changes.bKilometer != 0;
    if (!m_pSettings->SRPWlApNr.isEmpty()) {
        // The catalogue handed a labour position over: the list is built
        // anew and walks down to its packages, whatever was shown before.
        m_pSettings->PaketNr = std::exchange(m_pSettings->SRPWlApNr, QString());
        m_strLineNumber.clear();
        m_bFirstActivation = false;
        RebuildAndGoToRequest(false, std::exchange(m_pSettings->SRPWlKatZeile, QString()));
    } else if (m_bFirstActivation) {
        m_bFirstActivation = false;
        RebuildAndGoToRequest(true);
    } else {
        // Any change of the vehicle, the mileage too, ends the way to the
        // package asked for; the caller that edits one package keeps it.
        if (!qvlEdit && (otherChange || mileage)) {
            m_pSettings->HGText.clear();
            m_pSettings->KatZeile.clear();
            m_pSettings->PaketNr.clear();
            m_strLineNumber.clear();
        }
        if (otherChange) {
            RebuildAndGoToRequest(true);
        } else if (!qvlEdit && mileage &&
                   (m_pSettings->nVertrag || m_pSettings->bVertragUngeprueft)) {
            // The contracts the package variants depend on may change with
            // the mileage: the list is built again where the adviser is.
            const CPackageRow *selected = SelectedRow();
            if (selected && selected->level != kLevelTop)
                RebuildAndGoToRequest(false);
        }
    }
    OfferBackToOrigin();
    const int from = CameFrom();
    BackButton()->setToolTip(from == kPageAwKat       ? OrmelText(3200)
                             : from == kPageNrAbfrage ? OrmelText(2013)
                                                      : QString());
    m_pGmInfo->setVisible(m_pSettings->bSpotRepair && SpotRepairSeries());
    m_pGmVehicle->setVisible(m_pGmInfo->isVisible());
    EnableSpotRepairButtons(m_list.FirstOfLevel(kLevelPaintClass) != nullptr);
    if (!mileage)
        m_pRowList->setFocus();
    update();
}

bool CSRPWlDlg::SpotRepairSeries() const
{
    return m_pSettings->EReihe.trimmed() >= kFirstSpotRepairEReihe;
}

void CSRPWlDlg::EnableSpotRepairButtons(bool enable)
{
    m_pGmInfo->setEnabled(enable);
    m_pGmVehicle->setEnabled(enable);
}

void CSRPWlDlg::ShowNoPackages()
{
    OwnMsgBox(OrmelText(4035), this, OrmelText(3183), MSG_ALIGN_NOTICE);
}

bool CSRPWlDlg::TellReadFailed()
{
    if (!m_pBuilder || !m_pBuilder->ReadFailed())
        return false;
    return TellFailure();
}

bool CSRPWlDlg::TellFailure()
{
    CatalogueFailure::Tell(this, OrmelText(3183), MSG_ALIGN_LEFT);
    return true;
}

bool CSRPWlDlg::NoPackagesShown() const
{
    // The alternative catalogue says nothing of a group without packages.
    return m_pBuilder && !m_pBuilder->Vehicle().alternativeCatalogue &&
           m_list.ShownLevel() == kLevelPackage && !m_list.FirstOfLevel(kLevelPackage);
}

void CSRPWlDlg::RebuildAndGoToRequest(bool open, const QString &catalogueLine)
{
    const CWaitCursor wait;
    // The coverage marks follow the vehicle's contracts in force: a list of
    // contracts that could not be read would leave every mark off.
    CYaqDb *contracts = Db(2) ? Db(2) : Db(1);
    const bool contractsFailed =
        contracts && ReadHLXContractStatus(*m_pSettings, contracts, Db(0)).failed;
    const CPrgSettings &s = *m_pSettings;
    CPackageVehicle vehicle = CPackageVehicle::FromSettings(s);
    // The settings hold no production date of the vehicle: the packages
    // valid at its first registration are listed, else those valid today.
    const QString today = QDate::currentDate().toString(QStringLiteral("yyyyMMdd"));
    if (vehicle.today.isEmpty())
        vehicle.today = today;
    vehicle.productionDate = GermanDateKey(s.Erstzulassung);
    if (vehicle.productionDate.isEmpty())
        vehicle.productionDate = vehicle.today;

    // A list built anew reads the catalogue anew (the old builder goes
    // first: it asks the reads it was given).
    m_pBuilder.reset();
    if (!m_pListReads)
        m_pCatalogueReads = std::make_unique<CCatalogueListReads>(m_pSettings, Db(1));
    IPackageListReads *reads =
        m_pListReads ? m_pListReads : static_cast<IPackageListReads *>(m_pCatalogueReads.get());

    m_pMarketing.reset();
    if (s.MarketingCampaigns) {
        auto marketing = std::make_unique<CMrktngAttRec>();
        const QString folder = SpotRepairFolder(s);
        if (marketing->Open(folder))
            m_pMarketing = std::move(marketing);
        else
            OwnMsgBox(CCDOpenFailureText(*marketing,
                                         folder + QLatin1Char('/') + CMrktngAttRec::FileName()),
                      this);
    }

    m_pRowModel->SetRows({});
    m_pPathModel->SetRows({});
    m_pBuilder = std::make_unique<CPackageListBuilder>(Db(0), Db(1), Db(2), reads, vehicle,
                                                       m_pMarketing.get());
    const int groups = m_pBuilder->Build(m_list);
    m_campaignOffers.clear();
    const bool campaigns = s.MarketingCampaigns && !s.Erstzulassung.isEmpty() && ImportCampaigns();
    const bool spotRepair =
        s.bSpotRepair && SpotRepairSeries() && !s.TypSchl.isEmpty() && AddSpotRepairEntry();
    m_pBuilder->AddHeadRows(m_list, campaigns, OrmelText(6001), spotRepair, kSpotRepairText);
    const bool readFailed = contractsFailed ? TellFailure() : TellReadFailed();
    if (readFailed) {
        // The next opening of the page builds the list again, once the
        // catalogue answers, without the vehicle typed again: rows, texts
        // and marks that could not be read are read then.
        m_bFirstActivation = true;
    }
    if (readFailed && !groups) {
        ClearLists();
        return;
    }
    if (!groups && !campaigns && !spotRepair) {
        ShowNoPackages();
        ClearLists();
        return;
    }
    m_list.SetCurrentOfLevel(kLevelTop, m_list.FirstOfLevel(kLevelTop));
    FillLevel(kLevelTop, false);
    RefreshPath();
    EnableSpotRepairButtons(false);

    // The way down to the requested package: the caller's, or the one the
    // adviser was at.
    const QString package = s.PaketNr;
    if (package.isEmpty() || package == kSpotRepairPaketNr)
        return; // the spot-repair package is reached through its own entry
    // The package catalogue numbers its lines apart from the labour-value
    // catalogue: a position handed over is walked to by its package's own
    // line, by the catalogue's only where the package catalogue has none.
    QString line = m_strLineNumber;
    if (line.isEmpty() && !catalogueLine.isEmpty() &&
        m_pBuilder->PackageLineNumber(package).isEmpty())
        line = catalogueLine;
    CPackageRow *reached = m_pBuilder->DescendTo(m_list, package, line);
    FillLevel(m_list.ShownLevel(), false);
    RefreshPath();
    if (TellReadFailed())
        return;
    if (!reached && NoPackagesShown())
        ShowNoPackages();
    if (reached) {
        SetCurrentRow(reached);
        if (open)
            ChoosePackage(1, CSRPBbDlg::KindSR, 0);
    }
}

bool CSRPWlDlg::ImportCampaigns()
{
    const CPrgSettings &s = *m_pSettings;
    CCampaignImportInput input;
    input.folder = SpotRepairFolder(s);
    input.typeKey = s.TypSchl;
    input.firstRegistration = s.Erstzulassung;
    input.productionDate = m_pBuilder ? m_pBuilder->Vehicle().productionDate : QString();
    input.today = QDate::currentDate().toString(QStringLiteral("yyyyMMdd"));
    input.catalogueKey = s.KatalogKey;
    CPageNotice notice(this);
    CPackageListBuilder *builder = m_pBuilder.get();
    CCampaignImport import(input, &notice, [builder](CPosition &row, const QString &number) {
        if (!builder)
            return;
        CPackageRow texts;
        // A failure is told with the list's build (ReadFailed).
        static_cast<void>(builder->ReadPositionTexts(texts, number));
        TakeRowTexts(row, texts);
    });
    m_campaignOffers = import.Import();
    return AddCampaignRows(m_list, m_campaignOffers) > 0;
}

// ---------------------------------------------------------------------------
// Levels

void CSRPWlDlg::FillLevel(int level, bool selectFirst)
{
    CPackageRow *select = m_list.Show(level, selectFirst);
    std::vector<CPackageRow *> rows = m_list.RowsOfLevel(level);
    // The campaign offers of their package number go with the package rows.
    AttachCampaignOffers(rows, m_campaignOffers);
    m_pRowPainter->SetListedRows(rows);
    m_pRowModel->SetRows(std::move(rows));
    const int index = m_pRowModel->IndexOf(select);
    m_nLastSelected = index;
    if (index >= 0) {
        const QModelIndex at = m_pRowModel->index(index);
        const QSignalBlocker quiet(m_pRowList->selectionModel());
        m_pRowList->setCurrentIndex(at);
        m_pRowList->scrollTo(at, QAbstractItemView::PositionAtTop);
    }
    UpdateInfoLine();
}

void CSRPWlDlg::RefreshPath()
{
    m_pPathModel->SetRows(m_list.Path());
    if (const int rows = m_pPathModel->rowCount())
        m_pPathList->setCurrentIndex(m_pPathModel->index(rows - 1));
}

CPackageRow *CSRPWlDlg::SelectedRow() const
{
    const QModelIndex current = m_pRowList->currentIndex();
    if (!current.isValid() || !m_pRowList->selectionModel()->isSelected(current))
        return nullptr;
    return m_pRowModel->RowAt(current.row());
}

void CSRPWlDlg::OnRowSelected(const QModelIndex &current)
{
    if (!current.isValid())
        return;
    int index = current.row();
    const CPackageRow *row = m_pRowModel->RowAt(index);
    if (row && row->IsSeparator()) {
        // A separator passes the selection on in the direction of travel;
        // at either end of the list it sends it back. The list finishes its
        // own move first, so the selection moves on right after it.
        const int last = m_pRowModel->rowCount() - 1;
        if (index > m_nLastSelected)
            index = index < last ? index + 1 : index - 1;
        else
            index = index > 0 ? index - 1 : index + 1;
        if (index < 0 || index > last)
            return;
        const QPersistentModelIndex separator(current);
        QTimer::singleShot(0, this, [this, separator, index] {
            if (m_pRowList->currentIndex() == separator)
                m_pRowList->setCurrentIndex(m_pRowModel->index(index));
        });
        return;
    }
    m_nLastSelected = index;
    SetCurrentRow(m_pRowModel->RowAt(index));
    UpdateInfoLine();
}

void CSRPWlDlg::SetCurrentRow(CPackageRow *row)
{
    if (!row || row->IsSeparator())
        return;
    m_list.SetCurrent(row);
    if (row->level == kLevelPackage) {
        // The package the adviser is at is found again after a rebuild.
        m_pSettings->PaketNr = row->number;
        m_strLineNumber = row->lineKey;
    }
}

void CSRPWlDlg::ChooseRow()
{
    PlaySoundSelected(m_pSettings);
    CPackageRow *row = SelectedRow();
    if (!row || row->IsSeparator() || !m_pBuilder)
        return;
    const CWaitCursor wait;
    if (row->level == kLevelPackage || row->level == kLevelCampaignPackage) {
        SetCurrentRow(row);
        ChoosePackage(1, CSRPBbDlg::KindSR, 0);
        return;
    }
    if (row->level == kLevelCampaign) {
        OpenCampaign(m_list, row, m_campaignOffers);
        RefreshPath();
        FillLevel(kLevelCampaignPackage, false);
        return;
    }
    if (row->level == kLevelSpotRepairEntry) {
        ShowPaintClasses(row);
        return;
    }
    if (row->level == kLevelPaintClass) {
        ShowMatrixRows(row);
        return;
    }
    if (row->level == kLevelMatrixRow) {
        SetCurrentRow(row);
        OpenSpotRepair();
        return;
    }
    if (row->level != kLevelTop && row->level != kLevelGroup7 && row->level != kLevelGroup8)
        return;
    if (row->level == kLevelTop && row->marker == kMarkerSpotRepair && !SpotRepairSeries()) {
        ShowNoPackages();
        return;
    }
    const CPackageListBuilder::Opened opened = m_pBuilder->Open(m_list, row);
    RefreshPath();
    if (TellReadFailed()) {
        // The adviser stays on the row, to open it again.
        FillLevel(row->level, false);
        return;
    }
    switch (opened) {
    case CPackageListBuilder::Opened::LevelShown:
        FillLevel(m_list.ShownLevel(), false);
        break;
    case CPackageListBuilder::Opened::NotHere:
        // The campaign row lists the campaigns, the spot-repair row its
        // entry: the levels their readers fill.
        m_list.ClearCurrent(kLevelCampaignPackage, kLevelGroup8);
        FillLevel(row->marker == kMarkerCampaigns ? kLevelCampaign : kLevelSpotRepairEntry, false);
        break;
    default:
        // The catalogue has no package for the vehicle there: the package
        // level shows empty.
        FillLevel(m_list.ShownLevel(), false);
        if (NoPackagesShown())
            ShowNoPackages();
        break;
    }
}

void CSRPWlDlg::OnLevelUp()
{
    PlaySoundSelected(m_pSettings);
    if (!m_pBuilder)
        return;
    const int shown = m_list.ShownLevel();
    const int level = m_list.LevelAbove();
    FillLevel(level, true);
    if (shown == kLevelPaintClass)
        EnableSpotRepairButtons(false);
}

void CSRPWlDlg::ShowPathLevel()
{
    const QModelIndex current = m_pPathList->currentIndex();
    const CPackageRow *row = current.isValid() ? m_pPathModel->RowAt(current.row()) : nullptr;
    if (!row)
        return;
    FillLevel(row->level, false);
    if (row->level == kLevelTop || row->level == kLevelSpotRepairEntry)
        EnableSpotRepairButtons(false);
    else if (row->level == kLevelPaintClass)
        EnableSpotRepairButtons(true);
    m_pRowList->setFocus();
}

void CSRPWlDlg::ChoosePackage(int open, int kind, int openInMK)
{
    if (open) {
        const CPackageRow *top = m_list.Current(kLevelTop);
        if (top && top->marker == kMarkerCampaigns) {
            // A campaign package opens with its campaign and the other
            // campaigns offered for its package number.
            const CPackageRow *offer = m_list.Current(kLevelCampaignPackage);
            if (!offer || !offer->campaign)
                return;
            const CPackageRow *campaign = m_list.Current(kLevelCampaign);
            if (m_pEditingPage)
                m_pEditingPage->SetCampaignPackage(
                    campaign && campaign->campaign ? *campaign->campaign : *offer->campaign,
                    *offer->campaign, offer->campaignOffers);
        } else {
            const CPackageRow *package = m_list.Current(kLevelPackage);
            if (!package)
                return;
            if (kind == CSRPBbDlg::KindSR)
                kind = package->OpenedVariant();
            const CPackageRow *group = m_list.Current(kLevelTop);
            if (m_pEditingPage)
                m_pEditingPage->SetPackage(*package, kind, openInMK != 0,
                                           group ? group->groupText : QString());
        }
    }
    if (m_pHost)
        m_pHost->ShowPage(kPageSRPBb, CPageRequest::Activated());
}

// ---------------------------------------------------------------------------
// Information line and buttons

void CSRPWlDlg::UpdateInfoLine()
{
    if (!m_pInfoLine)
        return;
    const CPackageRow *row = SelectedRow();
    if (!row || row->level == kLevelPaintClass || row->level == kLevelMatrixRow)
        return;
    QString text;
    if (row->level == kLevelCampaignPackage && row->number.startsWith(QLatin1String("72")))
        text = OrmelText(3151); // accessories: the labour values are guide times
    else if (row->level == kLevelPackage && row->partsClearing)
        text = OrmelText(6082);
    QPalette frame = m_pInfoFrame->palette();
    QPalette line = m_pInfoLine->palette();
    const QPalette standard = palette();
    if (text.isEmpty()) {
        frame.setColor(QPalette::Window, kInfoFrameQuiet);
        line.setColor(QPalette::Window, standard.color(QPalette::Window));
        line.setColor(QPalette::WindowText, standard.color(QPalette::WindowText));
    } else {
        const QColor highlight = standard.color(QPalette::Active, QPalette::Highlight);
        frame.setColor(QPalette::Window, highlight);
        line.setColor(QPalette::Window, highlight);
        line.setColor(QPalette::WindowText, kInfoText);
    }
    m_pInfoFrame->setPalette(frame);
    m_pInfoLine->setPalette(line);
    m_pInfoLine->setText(text);
}

void CSRPWlDlg::ShowWeb(int code)
{
    PlaySoundSelected(m_pSettings);
    if (m_pHost)
        m_pHost->ShowPage(kPageWebBrowser, CPageRequest::Document(code, TemplateId()));
}

void CSRPWlDlg::OnDipList()
{
    PlaySoundSelected(m_pSettings);
    if (!m_pSettings || m_pSettings->TypSchl.isEmpty())
        return;
    if (m_pSettings->MarketingCampaigns) {
        // The dealer's own parts list when he has the market's data.
        CDIPMarktRec market;
        if (market.Open(SpotRepairFolder(*m_pSettings))) {
            market.Close();
            if (m_pHost)
                m_pHost->ShowPage(kPageDIP);
            return;
        }
    }
    if (m_pHost)
        m_pHost->ShowPage(kPageWebBrowser, CPageRequest::Document(kWebDipList, TemplateId()));
}

// ---------------------------------------------------------------------------
// Keys

void CSRPWlDlg::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Backspace) {
        event->accept();
        OnLevelUp();
        return;
    }
    CPageDlg::keyPressEvent(event);
}

bool CSRPWlDlg::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && (watched == m_pRowList || watched == m_pPathList)) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Backspace) {
            OnLevelUp();
            return true;
        }
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == m_pRowList) {
                ChooseRow();
            } else {
                PlaySoundSelected(m_pSettings);
                ShowPathLevel();
            }
            return true;
        }
    }
    return CPageDlg::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------
// Spot repair

bool CSRPWlDlg::AddSpotRepairEntry()
{
    CSpotRepairRows::AddEntryRow(m_list, kSpotRepairEntryText);
    return true;
}

void CSRPWlDlg::TellSpotRepairRead(const CSpotRepairRead &read)
{
    if (!read.missingFile.isEmpty())
        OwnMsgBox(OrmelText(4012) + QLatin1Char(' ') + read.missingFile, this);
    // One message for every record that does not fit its paint class.
    if (!read.mismatches.isEmpty())
        OwnMsgBox(read.mismatches.join(QLatin1Char('\n')), this, OrmelText(3183), MSG_ALIGN_NOTICE);
}

void CSRPWlDlg::ShowPaintClasses(CPackageRow *entry)
{
    m_list.SetCurrentOfLevel(kLevelSpotRepairEntry, entry);
    m_list.RemovePathFrom(kLevelSpotRepairEntry);
    m_list.AppendPath(entry);
    RefreshPath();
    const CSpotRepairRead read =
        CSpotRepairRows(SpotRepairFolder(*m_pSettings), SpotRepairBrandLetter(m_pSettings->Marke))
            .ShowPaintClasses(m_list, *entry);
    TellSpotRepairRead(read);
    if (!read.found) {
        m_pRowModel->SetRows({});
        return;
    }
    FillLevel(kLevelPaintClass, true);
    EnableSpotRepairButtons(true);
}

void CSRPWlDlg::ShowMatrixRows(CPackageRow *paintClass)
{
    m_list.SetCurrentOfLevel(kLevelPaintClass, paintClass);
    m_list.RemovePathFrom(kLevelPaintClass);
    m_list.AppendPath(paintClass);
    RefreshPath();
    CSpotRepairRows rows(SpotRepairFolder(*m_pSettings), SpotRepairBrandLetter(m_pSettings->Marke));
    if (m_pBuilder)
        rows.SetTextReader([this](CPackageRow &row, const QString &number) {
            return m_pBuilder->ReadPositionTexts(row, number);
        });
    const CSpotRepairRead read = rows.ShowMatrixRows(m_list, *paintClass);
    if (read.textsFailed) {
        // Rows without their texts are not shown: the paint classes stay,
        // and the class opens again once the catalogue answers.
        m_list.RemoveRowsFrom(kLevelMatrixRow);
        m_list.RemovePathFrom(kLevelPaintClass);
        RefreshPath();
        TellFailure();
        return;
    }
    TellSpotRepairRead(read);
    if (!read.found) {
        m_pRowModel->SetRows({});
        return;
    }
    // The matrix rows show without a row opened by themselves.
    FillLevel(kLevelMatrixRow, false);
}

void CSRPWlDlg::OpenSpotRepair()
{
    const CPackageRow *top = m_list.Current(kLevelTop);
    const CPackageRow *entry = m_list.Current(kLevelSpotRepairEntry);
    const CPackageRow *paint = m_list.Current(kLevelPaintClass);
    const CPackageRow *matrix = m_list.Current(kLevelMatrixRow);
    if (!top || top->marker != kMarkerSpotRepair || !entry || !paint || !matrix ||
        matrix->level != kLevelMatrixRow || !m_pSpotRepairPage)
        return;
    const auto topLine = CSpotRepairRows::SpotRepairPathLine(*top);
    const auto entryLine = CSpotRepairRows::SpotRepairPathLine(*entry);
    const auto paintLine = CSpotRepairRows::SpotRepairPathLine(*paint);
    const auto matrixLine = CSpotRepairRows::SpotRepairPathLine(*matrix);
    const auto head = CSpotRepairRows::SpotRepairHead(*matrix);
    m_pSpotRepairPage->TakePackage(topLine.get(), head.get(), entryLine.get(), paintLine.get(),
                                   matrixLine.get());
    if (m_pHost)
        m_pHost->ShowPage(kPageSpotRBb, CPageRequest::Activated(0));
}
