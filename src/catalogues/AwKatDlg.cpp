#include "catalogues/AwKatDlg.h"

#include "basket/model/WKListItem.h"
#include "basket/model/WkBasket.h"
#include "catalogues/AwKatColumnBar.h"
#include "catalogues/AwKatPrintDoc.h"
#include "catalogues/AwKatRowPainter.h"
#include "catalogues/model/AwKatColumns.h"
#include "catalogues/model/AwKatPricing.h"
#include "catalogues/model/AwKatRowModel.h"
#include "catalogues/model/AwKatWalk.h"
#include "common/DmsMsgBoxNotice.h"
#include "common/EasyPrintDlg.h"
#include "common/OwnButton.h"
#include "common/OwnLB.h"
#include "common/OwnSound.h"
#include "common/PageHost.h"
#include "common/TextDlg.h"
#include "common/UmfassDlg.h"
#include "common/WaitCursor.h"
#include "common/readers/CatalogueColumn.h"
#include "common/readers/ScopeTexts.h"
#include "dms/DmsClient.h"
#include "dms/SoapReqSender.h"
#include "packages/model/Position.h"
#include "platform/MsgBox.h"
#include "platform/OrmelText.h"
#include "platform/db/CatalogueFailure.h"
#include "platform/db/YaqDb.h"
#include "settings/PrgSettings.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace {

constexpr int kTextStore = 2051; // "&Speichern", the tip of "Z"

// The three-way question of a position already in the basket.

QString Line(const QString &text, int n)
{
    return text.split(QStringLiteral("\r\n")).value(n - 1);
}

} // namespace

// Telling a failed read once per step: the step that begins first (the
// adviser's click) tells, when it ends, what none of its reads told before.
class CAwKatDlg::CStep
{
public:
    explicit CStep(CAwKatDlg &page) : m_page(page)
    {
        if (m_page.m_nStepDepth++ > 0)
            return;
        m_page.m_nStepFailures = m_page.Failures();
        m_page.m_bStepTold = false;
    }
    ~CStep()
    {
        if (--m_page.m_nStepDepth == 0 && Failed() && !m_page.m_bStepTold)
            m_page.TellLost();
    }
    CStep(const CStep &) = delete;
    CStep &operator=(const CStep &) = delete;
    bool Failed() const { return m_page.Failures() != m_page.m_nStepFailures; }

private:
    CAwKatDlg &m_page;
};

CAwKatDlg::CAwKatDlg() = default;
CAwKatDlg::~CAwKatDlg() = default;

void CAwKatDlg::BuildPage(QVBoxLayout *body)
{
    auto *row = new QHBoxLayout;
    m_pBackLevel = MakeButton(QStringLiteral("levelBackButton"), QStringLiteral("<<"));
    m_pBasket = MakeButton(QStringLiteral("basketButton"), QStringLiteral("&Z"));
    m_pPrint = MakeButton(QStringLiteral("printButton"), QStringLiteral("&P"));
    m_pPrice = MakeButton(QStringLiteral("priceButton"), OrmelText(2050));
    m_pSrp = MakeButton(QStringLiteral("srpButton"), OrmelText(3183));
    m_pMaintenance = MakeButton(QStringLiteral("maintenanceButton"), OrmelText(3197));
    m_pFindings = MakeButton(QStringLiteral("findingsButton"), OrmelText(2010));
    m_pInclusive = MakeButton(QStringLiteral("inclusiveButton"), OrmelText(2008));
    m_pScope = MakeButton(QStringLiteral("scopeTextsButton"), OrmelText(2009));
    for (COwnButton *button : {m_pBackLevel, m_pBasket, m_pPrint, m_pPrice, m_pSrp, m_pMaintenance,
                               m_pFindings, m_pInclusive, m_pScope})
        row->addWidget(button);
    row->addStretch(1);
    body->addLayout(row);

    m_pClearing = new QLabel(this);
    m_pClearing->setObjectName(QStringLiteral("clearingNotice"));
    m_pClearing->setWordWrap(true);
    body->addWidget(m_pClearing);

    EnsureWalk();
    m_pPathModel = new CAwKatRowModel(this);
    m_pModel = new CAwKatRowModel(this);
    m_pPathList = new COwnLB(this);
    m_pPathList->setObjectName(QStringLiteral("pathList"));
    m_pPathList->setItemDelegate(
        new CAwKatRowDelegate(m_pPainter.get(), m_pSettings, false, m_pPathList));
    m_pPathList->setModel(m_pPathModel);
    m_pPathList->setMaximumHeight(80);
    m_pList = new COwnLB(this);
    m_pList->setObjectName(QStringLiteral("mainList"));
    m_pList->setItemDelegate(new CAwKatRowDelegate(m_pPainter.get(), m_pSettings, true, m_pList));
    m_pList->setModel(m_pModel);
    m_pColumnBar = new CAwKatColumnBar(m_pColumns.get(), m_pPainter.get(), this);
    body->addWidget(m_pPathList);
    body->addWidget(m_pColumnBar);
    body->addWidget(m_pList, 1);
    // The columns that fit follow the width of the rows.
    m_pList->viewport()->installEventFilter(this);
    connect(m_pColumnBar, &CAwKatColumnBar::Scrolled, this,
            [this] { m_pList->viewport()->update(); });

    connect(m_pList, &QAbstractItemView::doubleClicked, this, &CAwKatDlg::OnListOpen);
    connect(m_pList, &QAbstractItemView::activated, this, &CAwKatDlg::OnListOpen);
    connect(m_pPathList, &QAbstractItemView::doubleClicked, this, &CAwKatDlg::OnPathOpen);
    connect(m_pList->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { OnListSelect(); });
    connect(m_pBackLevel, &QAbstractButton::clicked, this, &CAwKatDlg::OnBackLevel);
    connect(m_pBasket, &QAbstractButton::clicked, this, &CAwKatDlg::AddPositionToBasket);
    connect(m_pPrint, &QAbstractButton::clicked, this, &CAwKatDlg::OnPrint);
    connect(m_pPrice, &QAbstractButton::clicked, this, &CAwKatDlg::OnPreis);
    connect(m_pSrp, &QAbstractButton::clicked, this, [this] {
        PlaySoundSelected(m_pSettings);
        if (m_pSettings->Fgstnr.trimmed().isEmpty()) {
            OwnMsgBox(OrmelText(6080), this, kMsgBoxTitle, MSG_ALIGN_NOTICE);
            return;
        }
        // The package list is built anew for the position; not from a
        // catalogue line that could not be read.
        {
            const CStep step(*this);
            m_pWalk->HandToPackages(SelectedRow());
            if (step.Failed())
                return;
        }
        if (m_pHost)
            m_pHost->ShowPage(kPageSRPWl);
    });
    connect(m_pMaintenance, &QAbstractButton::clicked, this, [this] {
        PlaySoundSelected(m_pSettings);
        if (m_pHost)
            m_pHost->ShowPage(kPageSBLWl);
    });
    connect(m_pFindings, &QAbstractButton::clicked, this, [this] {
        PlaySoundSelected(m_pSettings);
        if (const CAwKatRow *r = SelectedRow()) {
            m_pSettings->GruppeBfndNr = r->Type == AW_POSITION      ? QString()
                                        : r->Type == AW_THIRD_LEVEL ? r->Number.left(4)
                                                                    : r->Key;
        }
        if (m_pHost)
            m_pHost->ShowPage(kPageBfnd, CPageRequest::Activated());
    });
    connect(m_pInclusive, &QAbstractButton::clicked, this, [this] { OpenScopeTexts(1); });
    connect(m_pScope, &QAbstractButton::clicked, this, [this] { OpenScopeTexts(0); });
    UpdateButtons();
    ApplySessionLocks();
}

int CAwKatDlg::Failures() const
{
    return FailuresOf({Db(0), Db(1), Db(2)});
}

void CAwKatDlg::TellLost()
{
    if (m_nStepDepth > 0) {
        if (m_bStepTold)
            return;
        m_bStepTold = true;
    }
    CatalogueFailure::Tell(this, kMsgBoxTitle, MSG_ALIGN_LEFT);
}

void CAwKatDlg::UpdateScopeButtons(const QString &apNumber)
{
    // Only a position of the standard catalogue for a vehicle variant has
    // scope texts and inclusive positions. A failed question leaves the
    // button as it was; the step tells the failure.
    const bool shown = m_pSettings && !apNumber.isEmpty();
    const auto enable = [](COwnButton *button, CatalogueFound found) {
        if (found != CatalogueFound::Failed)
            button->setEnabled(found == CatalogueFound::Yes);
    };
    enable(m_pInclusive,
           shown ? FindInclusivePositions(*m_pSettings, Db(0), apNumber) : CatalogueFound::No);
    enable(m_pScope, shown ? FindScopeTexts(*m_pSettings, Db(1), apNumber) : CatalogueFound::No);
}

void CAwKatDlg::OpenScopeTexts(int mode)
{
    const CAwKatRow *row = SelectedRow();
    if (!row || row->Type != AW_POSITION || !m_pSettings)
        return;
    PlaySoundSelected(m_pSettings);
    const CStep step(*this);
    const CatalogueAnswer<QStringList> lines =
        mode == 1 ? InclusivePositionLines(*m_pSettings, Db(0), row->Number)
                  : ScopeTextLines(*m_pSettings, Db(1), row->Number);
    // A read that failed is told, never an empty box.
    if (lines.failed)
        return;
    // The dialog reads the settings' current position: the selected one
    // while it is open.
    const QString saved = m_pSettings->AktApNr;
    m_pSettings->AktApNr = row->Number;
    CUmfassDlg dialog(this);
    dialog.DoModalAt(CUmfassDlg::PointBelow(m_pList), mode, row->Number, lines.value);
    m_pSettings->AktApNr = saved;
}

void CAwKatDlg::EnsureWalk()
{
    if (m_pWalk)
        return;
    m_pWalk = std::make_unique<CAwKatWalk>(m_pSettings, Db(0), Db(1), Db(2));
    m_pWalk->SetNotice([this](int id) {
        if (id == CAwKatWalk::kTextCatalogueUnreachable)
            TellLost();
        else
            OwnMsgBox(OrmelText(id), this, kMsgBoxTitle, MSG_ALIGN_NOTICE);
    });
    m_pColumns = std::make_unique<CAwKatColumns>();
    m_pPainter = std::make_unique<CAwKatRowPainter>();
    m_pPainter->SetBaseFont(font());
    m_pPrintDoc = std::make_unique<CAwKatPrintDoc>(m_pSettings, m_pWalk.get());
}

void CAwKatDlg::ActivatePage(int arg)
{
    m_nActivation = arg;
    ++m_nActivations;
    CPageDlg::ActivatePage();
    if (!IsCreated() || !m_pWalk)
        return;
    const CWaitCursor wait;
    const CStep step(*this);
    const CChangeFlags &changes = TakenChanges();
    const bool changed = changes.bIdent || changes.bTypNr || changes.bLeadTyp ||
                         changes.bModellBez || changes.bSprache;
    // A column that could not be read is no vehicle without one: the
    // column known before stays.
    const CatalogueAnswer<int> column =
        m_pSettings ? GetAwKatSpalte(m_pSettings, Db(0), m_pSettings->ModellBez, {})
                    : CatalogueAnswer<int>{-1, false};
    if (!column.failed)
        m_pWalk->SetVehicleColumn(column.value);
    ReadVariantColumns(changed);
    m_pPrice->setVisible(m_pWalk->PriceButtonShown());
    // Coming back to a changed vehicle or language, the position the page
    // was left at is no longer the adviser's.
    if (arg == 0 && changed && m_nActivations > 1 && m_pSettings) {
        m_pSettings->AktApNr.clear();
        m_pSettings->KatZeile.clear();
    }
    const QString apNr = m_pSettings ? m_pSettings->AktApNr.trimmed() : QString();
    // A jump walks to the settings' position; a changed vehicle or language
    // reads the catalogue anew.
    const bool jumped = arg == 1 && !apNr.isEmpty() && m_pWalk->JumpTo(apNr);
    if (!jumped && (arg == 1 || changed || m_pWalk->ShownLevel() == 0))
        m_pWalk->ReadMainGroups();
    ShowWalk();
}

void CAwKatDlg::ReadVariantColumns(bool vehicleChanged)
{
    std::vector<CAwKatColumnSlot> columns;
    bool byColumn = false;
    if (m_pSettings) {
        const CPrgSettings &s = *m_pSettings;
        const QString leadType = s.LeadTyp.trimmed();
        const bool standard = !s.bAltKatalog && s.nKatalogFlag != 1;
        // Columns that could not be read are none missing: those shown
        // stay (the step tells the failure), unless they are another
        // vehicle's; then none shows until they are read.
        if (standard && s.bKatalogansicht && leadType.isEmpty()) {
            // Without a vehicle the catalogue view shows every variant of
            // the catalogue side by side.
            auto read = CAwKatColumns::ReadCatalogueColumns(s, Db(0));
            if (read.failed && !vehicleChanged)
                return;
            columns = std::move(read.value);
            byColumn = true;
        } else if (!leadType.isEmpty() && leadType != kNoModelDesignation) {
            // The vehicle's own values under its lead type.
            const CatalogueAnswer<int> column =
                standard ? CAwKatColumns::ColumnOfLeadType(s, Db(0), leadType)
                         : CatalogueAnswer<int>{0, false};
            if (column.failed && !vehicleChanged)
                return;
            if (!column.failed)
                columns.push_back({leadType, column.value});
        }
    }
    m_pColumns->SetSlots(std::move(columns));
    m_pWalk->SetColumnValuesShown(byColumn);
    m_pPainter->SetColumns(m_pColumns.get(), byColumn);
    m_pPrintDoc->SetColumns(m_pColumns.get(), byColumn);
    RefreshColumns();
}

void CAwKatDlg::RefreshColumns()
{
    if (!m_pColumnBar || !m_pList)
        return;
    const QRect rows = m_pList->viewport()->geometry();
    m_pColumnBar->Refresh(rows.left(), rows.width());
    m_pList->viewport()->update();
}

bool CAwKatDlg::eventFilter(QObject *watched, QEvent *event)
{
    if (m_pList && watched == m_pList->viewport() && event->type() == QEvent::Resize)
        RefreshColumns();
    return CPageDlg::eventFilter(watched, event);
}

void CAwKatDlg::RefreshPage()
{
    ApplySessionLocks();
}

void CAwKatDlg::ShowWalk()
{
    m_pPathModel->SetRows(m_pWalk->Path());
    m_pModel->SetRows(m_pWalk->Shown());
    const int selected = m_pWalk->SelectedIndex();
    if (selected >= 0) {
        const QModelIndex index = m_pModel->index(selected, 0);
        m_pList->setCurrentIndex(index);
        m_pList->scrollTo(index);
    }
    m_pList->setFocus();
    UpdateButtons();
}

CAwKatRow *CAwKatDlg::SelectedRow() const
{
    return m_pList ? CAwKatRowModel::RowOf(m_pList->currentIndex()) : nullptr;
}

void CAwKatDlg::OnListOpen(const QModelIndex &index)
{
    CAwKatRow *row = CAwKatRowModel::RowOf(index);
    if (!row || row->Type == AW_POSITION)
        return;
    const CWaitCursor wait;
    const CStep step(*this);
    m_pWalk->Select(row);
    m_pWalk->Open(row);
    ShowWalk();
}

void CAwKatDlg::OnPathOpen(const QModelIndex &index)
{
    PlaySoundSelected(m_pSettings);
    const CStep step(*this);
    m_pWalk->OpenPath(CAwKatRowModel::RowOf(index));
    ShowWalk();
}

void CAwKatDlg::OnListSelect()
{
    const CStep step(*this);
    if (CAwKatRow *row = SelectedRow())
        m_pWalk->Select(row);
    UpdateButtons();
}

void CAwKatDlg::OnBackLevel()
{
    PlaySoundSelected(m_pSettings);
    const CStep step(*this);
    m_pWalk->Back();
    ShowWalk();
}

void CAwKatDlg::UpdateButtons()
{
    const CAwKatRow *row = SelectedRow();
    const bool position = row && row->Type == AW_POSITION;
    const bool vin = m_pSettings && !m_pSettings->Fgstnr.trimmed().isEmpty();
    m_pBasket->setEnabled(position && vin && Basket());
    // The tip names what the button does only while it can do it.
    m_pBasket->SetTip(m_pBasket->isEnabled() ? OrmelText(kTextStore) : QString());
    m_pPrint->setEnabled(position);
    m_pPrice->setEnabled(position && vin);
    m_pBackLevel->setEnabled(m_pWalk && m_pWalk->ShownLevel() > 1);
    UpdateScopeButtons(position ? row->Number.trimmed() : QString());
    // The package and maintenance buttons say by their colour whether the
    // position has packages or the vehicle maintenance topics.
    // A question that failed leaves its button as it was (the step tells
    // the failure).
    const QColor off = palette().color(QPalette::Window);
    const QColor on(0xC0, 0xDC, 0xC0);
    const auto show = [&](COwnButton *button, CatalogueFound found) {
        if (found == CatalogueFound::Failed)
            return;
        button->setEnabled(found == CatalogueFound::Yes);
        button->SetFaceColour(found == CatalogueFound::Yes ? on : off);
    };
    show(m_pSrp, position ? m_pWalk->HasPackages(row->Number) : CatalogueFound::No);
    show(m_pMaintenance, position ? m_pWalk->HasMaintenanceTopics() : CatalogueFound::No);
    if (position && row->PartsClearing) {
        m_pClearing->setText(OrmelText(6082));
        m_pClearing->setStyleSheet(
            QStringLiteral("QLabel { background: palette(highlight); color: #ffff00; }"));
    } else {
        m_pClearing->clear();
        m_pClearing->setStyleSheet(QString());
    }
    ApplySessionLocks();
}

void CAwKatDlg::OnPreis()
{
    CAwKatRow *row = SelectedRow();
    if (!row || row->Type != AW_POSITION || !m_pSettings)
        return;
    PlaySoundSelected(m_pSettings);
    const CStep step(*this);
    const QString value = m_pWalk->LabourValueText(row);
    if (m_pSettings->SRPInterfaceReq == 4) {
        CDmsMsgBoxNotice notice(this, MSG_ALIGN_NOTICE);
        CSoapReqSender sender(m_pSettings);
        CDmsClient own(m_pSettings, &sender);
        own.SetShortVinCount(CAwKatPricing::ShortVinCounter(Db(0), this));
        CAwKatPricing::Request(m_pDmsClient ? *m_pDmsClient : own, &notice, row->Number, value,
                               row->PricesToSet());
    } else if (m_pSettings->SRPInterfaceReq == 3) {
        if (!m_pSettings->bSchulung)
            return;
        for (const QString &message :
             CAwKatPricing::LocalPrice(*m_pSettings, row->Number, value, row->PricesToSet()))
            OwnMsgBox(message, this, kMsgBoxTitle, MSG_ALIGN_NOTICE);
    } else {
        CTextDlg text(this);
        text.DoModalText(m_pSettings->DataDir + QStringLiteral("/SRP/InfoPr"), GetPrgSprache(),
                         QStringLiteral(".dat"));
        return;
    }
    m_pList->viewport()->update();
    if (auto *delegate = qobject_cast<CAwKatRowDelegate *>(m_pList->itemDelegate()))
        delegate->ForgetAllRows();
    m_pList->doItemsLayout();
}

void CAwKatDlg::AddPositionToBasket()
{
    CAwKatRow *row = SelectedRow();
    CWkBasket *basket = Basket();
    if (!row || row->Type != AW_POSITION || !basket || !m_pSettings ||
        m_pSettings->Fgstnr.trimmed().isEmpty())
        return;
    const CStep step(*this);
    // A position whose values could not be read goes to no basket.
    const std::vector<CAwKatValueLine> &values = m_pWalk->ValueLines(row);
    if (step.Failed())
        return;
    auto position = std::make_unique<CPosition>();
    position->Type = POS_BASKET_LABOUR;
    position->Number = row->Number;
    const QString text = row->Text();
    const QString bracket = row->BracketText();
    position->AwText1 = Line(text, 1);
    position->AwText2 = Line(text, 2);
    position->AwText3 = Line(text, 3);
    position->AwText4 = Line(text, 4);
    position->KlammerText1 = Line(bracket, 1);
    position->KlammerText2 = Line(bracket, 2);
    position->KlammerText3 = Line(bracket, 3);
    position->KlammerText4 = Line(bracket, 4);
    position->TeileClearing = row->PartsClearing;
    position->Lackstufe = row->InfoText;
    position->Preise1.UnitGross = row->Prices().UnitGross;
    position->Preise1.UnitNet = row->Prices().UnitNet;
    position->Preise1.Vat = row->Prices().Vat;
    position->Preise1.Gross = row->Prices().Gross;
    position->Preise1.Net = row->Prices().Net;
    position->Preise1.FlatPrice = row->Prices().FlatPrice;
    position->Preise1.NoPrice = row->Prices().NoPrice;
    position->Preise1.Currency = row->Prices().Currency;
    for (const CAwKatValueLine &line : values) {
        if (line.Value.isEmpty() || line.Value == QLatin1String("-"))
            continue;
        if (line.Unit == QLatin1String("R"))
            position->R = line.Value;
        else if (line.Unit == QLatin1String("U"))
            position->U = line.Value;
        else if (line.Unit == QLatin1String("M"))
            position->M = line.Value;
        else if (line.Value == CPosition::AzMarker())
            position->Az = line.Value;
        else
            position->Quantity = line.Value;
    }
    CWKListItem entry(std::move(position));
    CWkDuplicateAsk question([this](const CWKListItem &) {
        return WkStoreAgainOrOverwrite(OwnMsgBox(OrmelText(4072), this, kMsgBoxTitle,
                                                 MSG_ALIGN_NOTICE, MB_STOREAGAIN_OVERWRITE));
    });
    if (basket->Offer(entry, &question) == WkOffered::Refused)
        OwnMsgBox(OrmelText(4073), this, kMsgBoxTitle, MSG_ALIGN_NOTICE);
}

void CAwKatDlg::OnPrint()
{
    PlaySoundSelected(m_pSettings);
    if (!m_pPrintDlg)
        m_pPrintDlg = m_pPrintDoc->MakePrintDlg(this);
    if (m_pSettings && !m_pSettings->Preview)
        m_pPrintDlg->Print(false);
    else
        m_pPrintDlg->DoModal();
}

void CAwKatDlg::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Backspace) {
        OnBackLevel();
        return;
    }
    if (event->key() == Qt::Key_Insert && m_pList && m_pList->hasFocus()) {
        AddPositionToBasket();
        return;
    }
    CPageDlg::keyPressEvent(event);
}
