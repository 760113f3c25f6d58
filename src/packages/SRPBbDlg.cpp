#include "packages/SRPBbDlg.h"

#include "basket/model/WKListItem.h"
#include "basket/model/WkBasket.h"
#include "common/OwnBearbLB.h"
#include "common/OwnButton.h"
#include "common/OwnLB.h"
#include "common/OwnSound.h"
#include "common/PageHost.h"
#include "common/UmfassDlg.h"
#include "common/WaitCursor.h"
#include "common/readers/HLXContracts.h"
#include "common/readers/ScopeTexts.h"
#include "common/readers/SpotRepair.h"
#include "dms/DmsClient.h"
#include "packages/PackagePriceAsk.h"
#include "packages/SRPBbCurrentRow.h"
#include "packages/SRPBbPaintedButton.h"
#include "packages/SRPBbRowModel.h"
#include "packages/SRPBbRowPainter.h"
#include "packages/SRPOptBearbDlg.h"
#include "packages/edit/CampaignLoader.h"
#include "packages/edit/FindingLines.h"
#include "packages/edit/OptionalPackageEdit.h"
#include "packages/edit/PackageLoader.h"
#include "packages/list/PackageCoverage.h"
#include "packages/list/PackageListBuilder.h"
#include "packages/pricing/LocalPackagePrices.h"
#include "packages/pricing/PackagePriceExchange.h"
#include "packages/pricing/PackagePriceRollUp.h"
#include "platform/MsgBox.h"
#include "platform/OrmelText.h"
#include "platform/db/YaqDb.h"
#include "settings/PrgSettings.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDate>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QListWidget>
#include <QVBoxLayout>

namespace {

// Message texts of the page.
constexpr int kTextBasketPackageRefused = 4134;

// The kind buttons: SR, GR, SP, VL, MK.
constexpr int kKindButtons = 5;
constexpr int kButtonMK = 4;

// The package key of a package row: the own number of the variant the row
// stands for (its service repair package); the package number only where
// a row carries no own number.
QString PackageKeyOf(const CPackageRow &row)
{
    return row.ownNumber.isEmpty() ? row.number : row.ownNumber;
}

// The list line and the head of a package row, as the loader takes them:
// the package key with the keys of the package's other kinds, its texts
// and marks.
CPosition ListLineOf(const CPackageRow &row, const QString &mainGroupText)
{
    CPosition line;
    line.Type = POS_SPECIAL1;
    line.PaketID = PackageKeyOf(row);
    line.HG = row.marker.isEmpty() ? row.number.left(2) : row.marker;
    line.HGText = mainGroupText;
    return line;
}

CPosition HeadOf(const CPackageRow &row)
{
    CPosition head;
    head.Type = POS_HEAD_CAMPAIGN;
    head.Number = row.number;
    head.PaketID = PackageKeyOf(row);
    head.PaketArt = row.kind.isEmpty() ? kKindSrp : row.kind;
    head.PaketTexts[kGrpNumber] = row.grNumber;
    head.PaketTexts[kSipNumber] = row.spNumber;
    head.PaketTexts[kVlpNumber] = row.vlNumber;
    TakeRowTexts(head, row);
    head.IsFastlane = row.isFastlane;
    head.IsValueLine = row.isValueLine;
    head.TeileClearing = row.partsClearing;
    // The campaigns offered for the package number, for the kind MK.
    for (const auto &offer : row.campaignOffers)
        head.SubPositions.push_back(std::make_unique<CPosition>(*offer));
    head.SetDiscountableFlag();
    return head;
}

bool IsServiceHead(const CPosition *head)
{
    return head && (head->Type == POS_HEAD_CAMPAIGN || head->Type == POS_HEAD18 ||
                    head->Type == POS_HEAD19 || head->Type == POS_HEAD20);
}

// Whether the package offers the kind: the head is of that kind, or it
// names the kind's own number.
bool OffersKind(const CPosition &head, int kind)
{
    static const int kNumberOf[] = {kSrpNumber, kGrpNumber, kSipNumber, kVlpNumber};
    if (kind < 0 || kind > 3)
        return false;
    return HeadKindOf(head) == kind || !head.PaketTexts[size_t(kNumberOf[kind])].isEmpty();
}

} // namespace

CSRPBbDlg::CSRPBbDlg()
{
    // Lines and sub-packages a campaign fixes are neither chosen nor dropped.
    m_edited.Selection().SetFixedCheck(&COptionalPackageEdit::IsFixedLine);
}

CSRPBbDlg::~CSRPBbDlg()
{
    // The lists borrow the lines: they let go before the package goes.
    ReleaseLines();
}

void CSRPBbDlg::SetConnectionOpener(std::function<std::unique_ptr<CYaqDb>()> open)
{
    m_openConnection = std::move(open);
    // Connections opened the old way are not the ones asked for now.
    m_loadConnections = {};
}

void CSRPBbDlg::SetScopeTextHandler(std::function<void(const QString &)> handler)
{
    m_scopeTexts = std::move(handler);
    UpdateButtons();
}

void CSRPBbDlg::SetFindingsHandler(std::function<void(const QString &, const CPaket &)> handler)
{
    m_findings = std::move(handler);
    UpdateButtons();
}

void CSRPBbDlg::ReleaseLines()
{
    if (m_pPositionModel)
        m_pPositionModel->SetRows({});
    if (m_pHeadModel)
        m_pHeadModel->SetRows({});
}

void CSRPBbDlg::ShowPackageNumber(const QString &number)
{
    SetCaptionText(OrmelText(3183) + QStringLiteral("  ") + number);
}

const std::vector<CPosition *> &CSRPBbDlg::PositionRows() const
{
    static const std::vector<CPosition *> none;
    return m_pPositionModel ? m_pPositionModel->Rows() : none;
}

// ---------------------------------------------------------------------------
// Building the page

void CSRPBbDlg::BuildPage(QVBoxLayout *body)
{
    CreateDmsButtons();
    auto *buttons = new QHBoxLayout;
    m_pKindGroup = new QButtonGroup(this);
    m_pKindGroup->setExclusive(true);
    static const char *const kKindNames[kKindButtons] = {
        "kindSRButton", "kindGRButton", "kindSPButton", "kindVLButton", "kindMKButton"};
    static const char *const kKindCaptions[kKindButtons] = {"SR", "GR", "SP", "VL", "MK"};
    for (int i = 0; i < kKindButtons; ++i) {
        m_pKindButtons[i] = MakeButton(QLatin1String(kKindNames[i]), kKindCaptions[i]);
        m_pKindButtons[i]->setCheckable(true);
        m_pKindGroup->addButton(m_pKindButtons[i], i);
        buttons->addWidget(m_pKindButtons[i]);
    }
    // MK opens with the campaigns offered for the package.
    m_pKindButtons[kButtonMK]->setEnabled(false);
    m_pCampaignCombo = new QComboBox(this);
    m_pCampaignCombo->setObjectName(QStringLiteral("campaignCombo"));
    m_pCampaignCombo->setEnabled(false);
    m_pCampaignCombo->setMinimumWidth(160);
    buttons->addWidget(m_pCampaignCombo);
    buttons->addStretch(1);
    m_pEditAw = MakeButton(QStringLiteral("editAwButton"), QString());
    m_pScopeTexts = MakeButton(QStringLiteral("scopeTextsButton"), QString());
    m_pFindings = MakeButton(QStringLiteral("findingsButton"), QString());
    // Unless the window hands in its own, the scope texts open here and the
    // findings on the findings page.
    if (!m_scopeTexts)
        m_scopeTexts = [this](const QString &number) { ShowScopeTexts(number); };
    if (!m_findings)
        m_findings = [this](const QString &number, const CPaket &) { ShowFindings(number); };
    m_pStore = MakeButton(QStringLiteral("storeButton"), QStringLiteral("P"));
    for (QWidget *w :
         {static_cast<QWidget *>(m_pEditAw), static_cast<QWidget *>(m_pScopeTexts),
          static_cast<QWidget *>(m_pFindings), static_cast<QWidget *>(DmsRequestButton()),
          static_cast<QWidget *>(TransferButton()), static_cast<QWidget *>(m_pStore)})
        buttons->addWidget(w);
    body->addLayout(buttons);

    m_pHeadPainter = new CSRPBbRowPainter(true, this);
    m_pPositionPainter = new CSRPBbRowPainter(false, this);
    m_pHeadModel = new CSRPBbRowModel(this);
    m_pPositionModel = new CSRPBbRowModel(this);

    auto *top = new QHBoxLayout;
    m_pHeadList = new COwnLB(this);
    m_pHeadList->setObjectName(QStringLiteral("packageHeadList"));
    m_pHeadList->setItemDelegate(m_pHeadPainter);
    m_pHeadList->setModel(m_pHeadModel);
    m_pHeadList->setSelectionMode(QAbstractItemView::NoSelection);
    m_pHeadList->setFocusPolicy(Qt::NoFocus);
    m_pHeadPainter->SetFonts(m_pHeadList->font());
    // As high as a campaign package's three head rows need; a package's own
    // head row takes the rest of it.
    const int headHeight = m_pHeadPainter->HeadListHeight() + 2 * m_pHeadList->frameWidth();
    m_pHeadList->setFixedHeight(headHeight);
    top->addWidget(m_pHeadList, 3);
    m_pInfoList = new QListWidget(this);
    m_pInfoList->setObjectName(QStringLiteral("packageInfoList"));
    m_pInfoList->setFixedHeight(headHeight);
    top->addWidget(m_pInfoList, 2);
    body->addLayout(top);

    const CSRPBbPositionBlock block = CSRPBbPositionBlock::Build(
        this, body, QStringLiteral("packagePositionList"), m_pPositionPainter, m_pPositionModel);
    m_pPositionList = block.list;
    m_pColumnHeader = block.columnHeader;
    m_pLegend = block.legend;
    m_pSum = block.sum;

    m_pHeadPainter->SetPackage(&m_edited.Paket(), m_pSettings);
    m_pPositionPainter->SetPackage(&m_edited.Paket(), m_pSettings);
    SetButtonTexts();

    connect(m_pKindGroup, &QButtonGroup::idClicked, this, [this](int id) {
        if (id >= KindSR && id <= KindVL)
            LoadPackageOfKind(id);
        else if (id == kButtonMK)
            OnKindMK();
    });
    connect(m_pCampaignCombo, qOverload<int>(&QComboBox::activated), this,
            [this](int) { OnCampaignChosen(); });
    connect(m_pStore, &QAbstractButton::clicked, this, [this] { AddToBasket(); });
    connect(TransferButton(), &QAbstractButton::clicked, this, &CSRPBbDlg::OnTransfer);
    connect(DmsRequestButton(), &QAbstractButton::clicked, this, &CSRPBbDlg::OnDmsRequest);
    connect(m_pEditAw, &QAbstractButton::clicked, this, &CSRPBbDlg::OnEditLabourValue);
    connect(m_pSum, &QAbstractButton::clicked, this, &CSRPBbDlg::OnSum);
    connect(m_pScopeTexts, &QAbstractButton::clicked, this, [this] {
        PlaySoundSelected(m_pSettings);
        if (m_scopeTexts && m_edited.Head())
            m_scopeTexts(m_edited.Head()->Number);
    });
    connect(m_pFindings, &QAbstractButton::clicked, this, [this] {
        PlaySoundSelected(m_pSettings);
        if (m_findings && m_edited.Head())
            m_findings(m_edited.Head()->Number, m_edited.Paket());
    });
    connect(m_pPositionList, &COwnBearbLB::delayedClick, this, [this](const QModelIndex &index) {
        if (index.isValid())
            ClickRow(index.row());
    });
    connect(m_pPositionList, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex &index) { DoubleClickRow(index.row()); });
    // Return and the pad's Enter reach the page before the list searches
    // its rows.
    m_pPositionList->installEventFilter(this);
    m_currentRow.Attach(m_pPositionList, m_pPositionModel, m_pEditAw);
    connect(m_pInfoList, &QListWidget::currentRowChanged, this, [this](int row) {
        const QListWidgetItem *item = m_pInfoList->item(row);
        if (!item)
            return;
        CFindingLines::Choose(m_edited.Paket(), reinterpret_cast<const CPosition *>(
                                                    item->data(Qt::UserRole).value<quintptr>()));
    });
    UpdateButtons();
}

void CSRPBbDlg::SetButtonTexts()
{
    m_pEditAw->setText(OrmelText(2046));
    m_pScopeTexts->setText(OrmelText(2009));
    m_pFindings->setText(OrmelText(2010));
    m_pStore->SetTip(OrmelText(2051));
    DmsRequestButton()->setText(OrmelText(2036));
    TransferButton()->setText(OrmelText(2020));
}

// ---------------------------------------------------------------------------
// Handing over and showing

void CSRPBbDlg::SetPackage(const CPackageRow &row, int kind, bool openInMK,
                           const QString &mainGroupText)
{
    m_listRow = row;
    m_nKind = kind;
    m_bOpenInMK = openInMK;
    ShowPackageNumber(row.number);
    ReleaseLines();
    m_pBasketPackage.reset();
    m_bCampaignMode = false;
    m_bMKMode = false;
    m_bKindSwitching = true;
    m_keptListLine = ListLineOf(row, mainGroupText);
    m_keptHead = HeadOf(row);
    m_edited.Begin(m_keptListLine, m_keptHead);
    m_bHanded = true;
}

void CSRPBbDlg::SetCampaignPackage(const CPosition &campaignLine, const CPosition &campaignPackage,
                                   const std::vector<std::shared_ptr<const CPosition>> &offers)
{
    CCampaignPackageLines lines = CampaignPackageLines(campaignLine, campaignPackage);
    lines.head->SubPositions.clear();
    for (const auto &offer : offers)
        lines.head->SubPositions.push_back(std::make_unique<CPosition>(*offer));
    m_listRow = CPackageRow();
    m_listRow.number = lines.head->Number;
    m_nKind = KindSR;
    m_bOpenInMK = false;
    ShowPackageNumber(lines.head->Number);
    ReleaseLines();
    m_pBasketPackage.reset();
    m_bCampaignMode = true;
    m_bMKMode = true;
    m_bKindSwitching = false;
    m_campaignList = *lines.listLine;
    m_campaignHead = *lines.head;
    m_campaignLine = *lines.campaignLine;
    m_campaignPackage = *lines.packageLine;
    m_keptListLine = m_campaignList;
    m_keptHead = m_campaignHead;
    m_edited.Begin(m_campaignList, m_campaignHead);
    m_edited.AddCampaignLines(&m_campaignLine, &m_campaignPackage);
    m_bHanded = true;
}

void CSRPBbDlg::TakeBasketPackage(const CPaket &stored)
{
    if (KindOfBasketPackage(stored) == BasketPackageKind::Refused) {
        // Without its list line or head a package has nothing to edit by.
        OwnMsgBox(OrmelText(kTextBasketPackageRefused), this, kMsgBoxTitle, MSG_ALIGN_NOTICE,
                  MB_OK);
        return;
    }
    m_pBasketPackage = std::make_unique<CPaket>(stored);
}

void CSRPBbDlg::RefreshPage()
{
    const int keep = LastSelector();
    if (TakenChanges().bSprache)
        SetButtonTexts();
    if (keep == 0 && m_bHanded) {
        m_bHanded = false;
        bool loaded = false;
        if (m_bCampaignMode) {
            loaded = LoadCampaign();
        } else if (m_bOpenInMK && !m_keptHead.SubPositions.empty()) {
            // The campaign badge of the package list opens the campaigns.
            m_bMKMode = true;
            FillCampaignCombo();
            loaded = LoadSelectedCampaign();
        } else {
            loaded = LoadKind(m_nKind);
        }
        if (!loaded) {
            // The package is loaded again on the next showing; the adviser
            // goes back to the list, to choose it again.
            m_bHanded = true;
            if (!m_pSettings->bQvlEdit && m_pHost) {
                m_pHost->ShowPage(kPageSRPWl);
                return;
            }
        }
    } else if (m_pBasketPackage) {
        // A package of the basket comes with its choices and prices.
        m_edited.TakeFrom(*m_pBasketPackage);
        m_pBasketPackage.reset();
        if (const CPosition *line = m_edited.ListLine())
            m_keptListLine = *line;
        if (const CPosition *head = m_edited.Head()) {
            // The head of the kind it was stored in; the other kinds are
            // loaded from it as from the package list, without its prices.
            m_keptHead = *head;
            m_keptHead.ResetPrices();
            m_nKind = HeadKindOf(*head);
            ShowPackageNumber(head->Number);
        }
        const bool campaign = KindOfBasketPackage(m_edited.Paket()) == BasketPackageKind::Campaign;
        m_bKindSwitching = !campaign;
        m_bCampaignMode = campaign;
        m_bMKMode = campaign;
        if (campaign) {
            m_campaignList = *m_edited.ListLine();
            m_campaignHead = *m_edited.Head();
            m_campaignLine = *m_edited.CampaignLine();
            m_campaignPackage = *m_edited.CampaignPackageLine();
        }
        FillLists();
    } else {
        FillLists();
    }
    FillCampaignCombo();
    FillCampaignInfo();
    m_pEditAw->setEnabled(false);
    UpdateButtons();
    UpdateKindButtons();
    CPaketDmsPage::RefreshPage();
    BackButton()->setEnabled(true);
    m_pPositionList->setFocus();
    RepaintAll();
}

void CSRPBbDlg::LoadPackageOfKind(int kind)
{
    PlaySoundSelected(m_pSettings);
    if (!m_bKindSwitching || !OffersKind(m_keptHead, kind))
        return;
    m_pCampaignCombo->setEnabled(false);
    m_bCampaignMode = false;
    m_bMKMode = false;
    LoadKind(kind);
    UpdateKindButtons();
    UpdateButtons();
    RepaintAll();
}

bool CSRPBbDlg::LoadKind(int kind)
{
    const CWaitCursor wait;
    ReleaseLines();
    m_currentRow.Forget();
    CPosition *head = m_edited.Begin(m_keptListLine, m_keptHead);
    m_nKind = kind;

    if (!m_pLoadReads && !m_pCatalogueReads)
        m_pCatalogueReads = std::make_unique<CCatalogueLoadReads>(m_pSettings, Db(1));
    IPackageLoadReads *reads = m_pLoadReads ? m_pLoadReads : m_pCatalogueReads.get();
    CPackageLoadConnections connections;
    connections.values = Db(0);
    connections.catalogue = Db(1);
    connections.texts = Db(3) ? Db(3) : Db(1);
    connections.open = [this] { return OpenConnection(); };
    connections.kept = &m_loadConnections;
    CPackageLoadVehicle vehicle = CPackageLoadVehicle::FromSettings(*m_pSettings);
    vehicle.language = GetPrgSprache();
    vehicle.productionDate = GermanDateKey(m_pSettings->Erstzulassung);
    if (vehicle.productionDate.isEmpty())
        vehicle.productionDate = QDate::currentDate().toString(QStringLiteral("yyyyMMdd"));
    CPackageLoader loader(connections, reads, vehicle, PaketNotice());
    const CPackageLoader::Result result = loader.Load(m_edited.Paket(), head, kind);
    if (result == CPackageLoader::Result::NoConnection ||
        result == CPackageLoader::Result::Failed ||
        (result == CPackageLoader::Result::Loaded && IsServiceHead(m_edited.Head()) &&
         !LoadFindings())) {
        LoadFailed(result == CPackageLoader::Result::NoConnection);
        return false;
    }
    if (result == CPackageLoader::Result::Loaded) {
        m_edited.Selection().Fill();
        UpdatePrices();
    }
    FillLists();
    if (result == CPackageLoader::Result::Loaded && m_pSettings->AutomaticReq)
        OnDmsRequest();
    return true;
}

void CSRPBbDlg::LoadFailed(bool told)
{
    if (!told)
        CatalogueFailure::Tell(this, kMsgBoxTitle, MSG_ALIGN_LEFT);
    ReleaseLines();
    m_currentRow.Forget();
    if (m_bCampaignMode) {
        m_edited.Begin(m_campaignList, m_campaignHead);
        m_edited.AddCampaignLines(&m_campaignLine, &m_campaignPackage);
    } else {
        m_edited.Begin(m_keptListLine, m_keptHead);
    }
    FillLists();
}

void CSRPBbDlg::OnKindMK()
{
    PlaySoundSelected(m_pSettings);
    if (!m_pSettings->MarketingCampaigns || m_campaignEntries.empty())
        return;
    m_bMKMode = true;
    LoadSelectedCampaign();
    UpdateKindButtons();
    UpdateButtons();
    RepaintAll();
}

void CSRPBbDlg::OnCampaignChosen()
{
    if (m_bMKMode)
        LoadSelectedCampaign();
    FillCampaignInfo();
    UpdateKindButtons();
    UpdateButtons();
    RepaintAll();
}

bool CSRPBbDlg::LoadSelectedCampaign()
{
    // A campaign chosen always begins with an empty package.
    ReleaseLines();
    m_edited.Clear();
    const int index = m_pCampaignCombo->currentIndex();
    if (index < 0 || index >= int(m_campaignEntries.size())) {
        FillLists();
        return true;
    }
    const CPosition &entry = *m_campaignEntries[size_t(index)];
    const CCampaignPackageLines lines = CampaignPackageLines(entry, entry);
    m_campaignList = *lines.listLine;
    m_campaignHead = *lines.head;
    m_campaignLine = *lines.campaignLine;
    m_campaignPackage = *lines.packageLine;
    m_bCampaignMode = true;
    ShowPackageNumber(m_campaignHead.Number);
    return LoadCampaign();
}

bool CSRPBbDlg::LoadCampaign()
{
    const CWaitCursor wait;
    ReleaseLines();
    m_currentRow.Forget();
    m_edited.Begin(m_campaignList, m_campaignHead);
    m_edited.AddCampaignLines(&m_campaignLine, &m_campaignPackage);
    CCampaignLoadInput input;
    input.folder = SpotRepairFolder(*m_pSettings);
    input.typeKey = m_pSettings->TypSchl;
    input.catalogueKey = m_pSettings->KatalogKey;
    input.language = GetPrgSprache();
    input.modelSeries = m_pSettings->EReihe.trimmed();
    CCampaignLoader loader(input, PaketNotice());
    loader.UseCatalogue(Db(3) ? Db(3) : Db(1), Db(1));
    const CatalogueFound loaded =
        m_edited.Head() ? loader.Load(m_edited.Paket(), *m_edited.Head()) : CatalogueFound::No;
    if (loaded == CatalogueFound::Failed) {
        LoadFailed(false);
        return false;
    }
    m_edited.Selection().Fill();
    UpdatePrices();
    FillLists();
    if (loaded == CatalogueFound::Yes && m_pSettings->AutomaticReq)
        OnDmsRequest();
    return true;
}

void CSRPBbDlg::FillCampaignCombo()
{
    const CPosition *head = m_edited.Head();
    const QSignalBlocker quiet(m_pCampaignCombo);
    m_pCampaignCombo->clear();
    m_campaignEntries = head ? CampaignEntries(*head) : CCampaignEntries();
    for (const auto &entry : m_campaignEntries)
        m_pCampaignCombo->addItem(CampaignEntryText(*entry));
    m_pCampaignCombo->setCurrentIndex(
        FindCampaignEntry(m_campaignEntries, m_edited.CampaignPackageLine()));
}

void CSRPBbDlg::FillCampaignInfo()
{
    if (!m_bMKMode)
        return;
    const QSignalBlocker quiet(m_pInfoList);
    m_pInfoList->clear();
    const int index = m_pCampaignCombo->currentIndex();
    if (index >= 0 && index < int(m_campaignEntries.size()))
        m_pInfoList->addItems(CampaignInfoLines(*m_campaignEntries[size_t(index)]));
}

std::unique_ptr<CYaqDb> CSRPBbDlg::OpenConnection() const
{
    if (m_openConnection)
        return m_openConnection();
    auto db = std::make_unique<CYaqDb>();
    if (!db->Open(QString(), QString(), QString(), 0, m_pSettings->LocalDataSetDir, QString(),
                  QString()))
        return nullptr;
    return db;
}

bool CSRPBbDlg::LoadFindings()
{
    CYaqDb *catalogue = Db(1);
    CYaqDb *contracts = Db(2) ? Db(2) : Db(1);
    if (!catalogue)
        return true;
    CFindingContext context;
    context.catalogueKey = m_pSettings->KatalogKey;
    context.language = GetPrgSprache();
    context.today = GermanDateKey(m_pSettings->Heute);
    if (context.today.isEmpty())
        context.today = QDate::currentDate().toString(QStringLiteral("yyyyMMdd"));
    // The contracts in force decide which findings the package offers: a
    // list that could not be read would leave findings out.
    const bool contractsRead = !ReadHLXContractStatus(*m_pSettings, contracts, Db(0)).failed;
    context.hlxFlag = m_pSettings->nVertrag != 0;
    for (const CHLXVertragInfo &contract : m_pSettings->HLXVertragList)
        context.contracts << contract.strOptionNr;
    const CatalogueAnswer<int> findings =
        CFindingLines(catalogue, contracts, context).Load(m_edited.Paket());
    return contractsRead && !findings.failed;
}

// ---------------------------------------------------------------------------
// Lists

void CSRPBbDlg::FillLists()
{
    m_pHeadModel->SetRows(CPackageSelection::HeadRows(m_edited.Paket()));
    FillPositions();
    FillInfoList();
}

void CSRPBbDlg::FillPositions()
{
    m_pPositionModel->SetRows(m_edited.Selection().Rows());
    m_currentRow.Show(m_edited.Selection().Current());
}

void CSRPBbDlg::FillInfoList()
{
    // In MK the list shows the campaign's information, read only.
    m_pInfoList->setEnabled(!m_bMKMode);
    if (m_bMKMode) {
        FillCampaignInfo();
        return;
    }
    const QSignalBlocker quiet(m_pInfoList);
    m_pInfoList->clear();
    const CPosition *chosen = CFindingLines::EnsureChoice(m_edited.Paket());
    for (CPosition *line : CFindingLines::Lines(m_edited.Paket())) {
        auto *item = new QListWidgetItem(CFindingLines::RowText(*line), m_pInfoList);
        item->setData(Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(line)));
        if (line == chosen)
            m_pInfoList->setCurrentItem(item);
    }
}

void CSRPBbDlg::ClickRow(int row)
{
    CPosition *line = m_pPositionModel->LineAt(row);
    if (!line)
        return;
    if (m_edited.Selection().Click(line))
        FillPositions();
}

void CSRPBbDlg::DoubleClickRow(int row)
{
    CPosition *line = m_pPositionModel->LineAt(row);
    if (!line)
        return;
    const CPackageSelection::DoubleClickResult result = m_edited.Selection().DoubleClick(line);
    if (result.openSubPackage) {
        OpenSubPackage(line);
        return;
    }
    FillPositions();
    if (result.choiceChanged) {
        if (CPosition *head = m_edited.Head())
            head->PriceCalcFlag = 0;
        UpdatePrices();
    }
    RepaintAll();
}

bool CSRPBbDlg::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_pPositionList && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // Enter is a double click on the selected row; the row the list
            // only marks as current is no choice of the adviser's.
            const QModelIndexList selected = m_pPositionList->selectionModel()->selectedRows();
            if (!selected.isEmpty())
                DoubleClickRow(selected.first().row());
            return true;
        }
    }
    return CPaketDmsPage::eventFilter(watched, event);
}

void CSRPBbDlg::ShowScopeTexts(const QString &number)
{
    // The dialog reads the settings' current position: the package's
    // while it is open.
    const CatalogueAnswer<QStringList> lines = ScopeTextLines(*m_pSettings, Db(0), number);
    // A read that failed is told, never an empty box.
    if (lines.failed) {
        CatalogueFailure::Tell(this, kMsgBoxTitle, MSG_ALIGN_LEFT);
        return;
    }
    const QString saved = m_pSettings->AktApNr;
    m_pSettings->AktApNr = number;
    CUmfassDlg dialog(this);
    dialog.DoModalAt(CUmfassDlg::PointBelow(BackButton()), 0, number, lines.value);
    m_pSettings->AktApNr = saved;
}

void CSRPBbDlg::ShowFindings(const QString &number)
{
    // The findings page shows the findings of the settings' current
    // position when it is opened from here, and "<" leads back here.
    m_pSettings->AktApNr = number;
    m_pSettings->GruppeBfndNr.clear();
    if (m_pHost)
        m_pHost->ShowPage(kPageBfnd, CPageRequest::Activated());
}

void CSRPBbDlg::OpenSubPackage(CPosition *line)
{
    // The dialog works on the package in place; from its answer the page
    // takes only whether the sub-package line is chosen.
    CSRPOptBearbDlg dialog(m_pSettings, Db(0), Db(1), this);
    CSRPOptBearbDlg::Links links;
    links.dmsClient = &PriceClient();
    links.pricesChanged = [this] {
        UpdatePrices();
        RepaintAll();
    };
    links.repaint = [this] { RepaintAll(); };
    links.scopeTexts = m_scopeTexts;
    dialog.SetLinks(std::move(links));
    const int result = dialog.DoModal(&m_edited.Paket(), line, m_bCampaignMode);
    if (m_edited.Selection().SubPackageDialogEnded(line, result)) {
        if (CPosition *head = m_edited.Head())
            head->PriceCalcFlag = 0;
        UpdatePrices();
    }
    RepaintAll();
}

// ---------------------------------------------------------------------------
// Buttons

void CSRPBbDlg::UpdateKindButtons()
{
    const CPosition *head = m_edited.Head();
    if (!head)
        return;
    const bool sr = OffersKind(m_keptHead, KindSR) || OffersKind(*head, KindSR);
    const bool gr = OffersKind(m_keptHead, KindGR) || OffersKind(*head, KindGR);
    const bool sp = OffersKind(m_keptHead, KindSP) || OffersKind(*head, KindSP);
    const bool vl = OffersKind(m_keptHead, KindVL) || OffersKind(*head, KindVL);
    // Inclusive service before value line before service repair: only the
    // first of them offered is open to the adviser.
    m_pKindButtons[KindGR]->setEnabled(gr && m_bKindSwitching);
    m_pKindButtons[KindSP]->setEnabled(sp && m_bKindSwitching);
    m_pKindButtons[KindVL]->setEnabled(!sp && vl && m_bKindSwitching);
    m_pKindButtons[KindSR]->setEnabled(!sp && !vl && sr && m_bKindSwitching);
    m_pKindButtons[kButtonMK]->setEnabled(m_pSettings->MarketingCampaigns &&
                                          (m_bCampaignMode || !m_campaignEntries.empty()));
    m_pCampaignCombo->setEnabled(m_bMKMode);
    m_pKindButtons[m_bMKMode ? kButtonMK : HeadKindOf(*head)]->setChecked(true);
}

void CSRPBbDlg::UpdateButtons()
{
    if (!m_pStore)
        return;
    const CPosition *head = m_edited.Head();
    CWkBasket *basket = Basket();
    m_pStore->setEnabled(head && !m_pSettings->bQvlEdit && basket);
    const CatalogueFound scope = head && m_scopeTexts
                                     ? FindScopeTexts(*m_pSettings, Db(0), head->Number)
                                     : CatalogueFound::No;
    // A read that failed leaves the button as it was, never greyed as a
    // position without texts; the step tells the lost server.
    if (scope != CatalogueFound::Failed)
        m_pScopeTexts->setEnabled(scope == CatalogueFound::Yes);
    m_pFindings->setEnabled(head && m_findings && !m_bCampaignMode);
    // Only an empty basket is transferred with the package at once.
    TransferButton()->setEnabled(head && basket && basket->HasTransfer() &&
                                 basket->GetEntryCount() == 0);
    DmsRequestButton()->setEnabled(head != nullptr);
    m_pSum->setEnabled(FlatPriceAllowed());
    ApplySessionLocks();
}

void CSRPBbDlg::UpdatePrices()
{
    int kinds = CPackagePriceRollUp::Customer;
    if (CPaket::AreExtraPriceSetsActive(m_pSettings) || m_pSettings->bSchulung)
        kinds |= CPackagePriceRollUp::Standard;
    if (m_bCampaignMode)
        kinds |= CPackagePriceRollUp::Campaign;
    // The page prices after a load or a change of choice; whether the DMS
    // left a price out is told when its answer comes.
    CPackagePriceRollUp::RollUp(m_edited.Paket(), m_pSettings, kinds, PaketNotice(),
                                CPackagePriceRollUp::Occasion::ChoiceChanged);
}

void CSRPBbDlg::RepaintAll()
{
    m_pPositionPainter->SetCampaignMode(m_bCampaignMode);
    m_pHeadPainter->SetCampaignMode(m_bCampaignMode);
    m_pPositionPainter->ForgetAllRows();
    m_pHeadPainter->ForgetAllRows();
    m_pPositionModel->LinesChanged();
    m_pHeadModel->LinesChanged();
    m_pPositionList->viewport()->update();
    m_pHeadList->viewport()->update();
    m_pColumnHeader->update();
    m_pLegend->update();
    m_pSum->update();
}

void CSRPBbDlg::OnDmsRequest()
{
    if (m_pSettings->bSession)
        return;
    PlaySoundSelected(m_pSettings);
    CPaket &paket = m_edited.Paket();
    CPackagePriceAsk::Roads roads;
    roads.localFiles = [&] {
        CLocalPackagePrices(m_pSettings, PaketNotice())
            .Price(paket, GetPrgSprache(), m_bCampaignMode);
    };
    roads.dms = [&](IDmsNotice *notice) {
        bool anyLine = false;
        for (const auto &line : paket)
            anyLine = anyLine || !IsUnpricedType(line->Type);
        if (!anyLine)
            return;
        CPackagePriceExchange exchange(PriceClient(), notice);
        exchange.SetCampaignMode(m_bCampaignMode);
        exchange.Request(paket);
    };
    m_priceAsk.Ask(*m_pSettings, m_edited.Head(), roads);
    RepaintAll();
}

void CSRPBbDlg::OnEditLabourValue()
{
    PlaySoundSelected(m_pSettings);
    CPosition *line = m_pPositionModel->LineAt(m_pPositionList->currentIndex().row());
    if (!line || !CSRPBbCurrentRow::EditLabourValue(*line, m_pSettings, this))
        return;
    UpdatePrices();
    RepaintAll();
}

void CSRPBbDlg::OnSum()
{
    PlaySoundSelected(m_pSettings);
    CPosition *head = m_edited.Head();
    if (!head)
        return;
    EditFlatPrice(*head, m_bCampaignMode);
    RepaintAll();
}

// ---------------------------------------------------------------------------
// Storing and leaving

int CSRPBbDlg::EntryKind() const
{
    if (m_bCampaignMode) {
        // A campaign of a fixed price or a package rebate is stored apart.
        const CPosition *campaign = m_edited.CampaignLine();
        const QString type =
            campaign ? campaign->Campaign[CPosition::CampaignPriceType] : QString();
        return type == QLatin1String("L") || type == QLatin1String("R") ? WK_CAMPAIGN_LR
                                                                        : WK_CAMPAIGN;
    }
    const CPosition *head = m_edited.Head();
    const QString kind = head ? head->PaketArt : QString();
    if (kind == kKindGrp)
        return WK_GRP;
    if (kind == kKindSip)
        return WK_SIP;
    if (kind == kKindVlp)
        return WK_VLP;
    return WK_SRP;
}

CSRPBbDlg::Stored CSRPBbDlg::StorePackage()
{
    if (!m_edited.Head())
        return Stored::Failed;
    CWKListItem entry(EntryKind(), std::make_unique<CPaket>(m_edited.Paket()));
    return StoreInBasket(entry, Duplicate::Overwrite);
}

bool CSRPBbDlg::AddToBasket()
{
    PlaySoundSelected(m_pSettings);
    if (StorePackage() != Stored::Yes)
        return false;
    if (m_pHost)
        m_pHost->ShowPage(kPageSRPWl);
    return true;
}

void CSRPBbDlg::OnTransfer()
{
    PlaySoundSelected(m_pSettings);
    CWkBasket *basket = Basket();
    if (!basket)
        return;
    basket->TransferDirectly([this] {
        if (StorePackage() != Stored::Yes)
            return false;
        if (m_pHost)
            m_pHost->ShowPage(kPageSRPWl);
        return true;
    });
}

void CSRPBbDlg::LeaveWithQuestion(bool leaving)
{
    switch (AskBeforeLeaving(m_pStore->isEnabled())) {
    case Leaving::Leave:
        if (m_pHost)
            m_pHost->ShowPage(kPageSRPWl);
        return;
    case Leaving::Stay:
        return;
    case Leaving::Store:
        break;
    }
    if (!leaving) {
        AddToBasket();
        return;
    }
    // Leaving by Backspace the adviser has said where he goes: not
    // replacing the stored package leaves the page as well.
    const Stored stored = StorePackage();
    if ((stored == Stored::Yes || stored == Stored::NotReplaced) && m_pHost)
        m_pHost->ShowPage(kPageSRPWl);
}

void CSRPBbDlg::OnBack()
{
    if (m_pSettings->bQvlEdit) {
        // The caller edits this one package: leaving it ends the program.
        m_pSettings->CloseMainWnd();
        return;
    }
    LeaveWithQuestion(false);
}

void CSRPBbDlg::LeavePage()
{
    if (!m_pSettings->bQvlEdit)
        LeaveWithQuestion(true);
}

void CSRPBbDlg::LeaveByBackspace()
{
    LeavePage();
}
