#include "packages/SpotRBbDlg.h"

#include "basket/model/WKListItem.h"
#include "basket/model/WkBasket.h"
#include "common/OwnButton.h"
#include "common/OwnSound.h"
#include "common/PageHost.h"
#include "common/readers/SpotRepair.h"
#include "dms/DmsClient.h"
#include "packages/SRPBbPaintedButton.h"
#include "packages/SRPBbRowModel.h"
#include "packages/SRPBbRowPainter.h"
#include "packages/SpotRRowPainter.h"
#include "packages/edit/SpotRepairData.h"
#include "packages/model/SpotRepairLine.h"
#include "packages/pricing/SpotRepairPrices.h"
#include "platform/MsgBox.h"
#include "platform/OrmelText.h"
#include "platform/db/YaqDb.h"
#include "settings/PrgSettings.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QVBoxLayout>

namespace {

constexpr int kTextLimit = 6089;
constexpr int kWebSpotInformation = 5;
constexpr int kWebSpotVehicle = 6;

} // namespace

CSpotRBbDlg::CSpotRBbDlg() = default;
CSpotRBbDlg::~CSpotRBbDlg() = default;

QString CSpotRBbDlg::Folder() const
{
    return SpotRepairFolder(*m_pSettings);
}

QString CSpotRBbDlg::BrandLetter() const
{
    return SpotRepairBrandLetter(m_pSettings->Marke);
}

void CSpotRBbDlg::BuildPage(QVBoxLayout *body)
{
    CreateDmsButtons();
    m_pStore = MakeButton(QStringLiteral("storeButton"), QStringLiteral("P"));
    m_pGmInfo = MakeButton(QStringLiteral("gmInfoButton"), QString());
    m_pGmVehicle = MakeButton(QStringLiteral("gmVehicleButton"), QString());
    auto *row = new QHBoxLayout;
    row->addWidget(m_pGmInfo);
    row->addWidget(m_pGmVehicle);
    row->addStretch(1);
    row->addWidget(DmsRequestButton());
    row->addWidget(TransferButton());
    row->addWidget(m_pStore);
    body->addLayout(row);

    m_pPathModel = new CSRPBbRowModel(this);
    m_pWorkModel = new CSRPBbRowModel(this);
    m_pScheme = new CSRPBbRowPainter(false, this);
    m_pScheme->SetPackage(&m_package.Paket(), m_pSettings);
    m_pPathPainter = new CSpotRRowPainter(true, m_pScheme, this);
    m_pWorkPainter = new CSpotRRowPainter(false, m_pScheme, this);
    m_pPathPainter->SetPackage(&m_package.Paket());
    m_pWorkPainter->SetPackage(&m_package.Paket());
    m_pPathList = new QListView(this);
    m_pPathList->setObjectName(QStringLiteral("pathList"));
    m_pPathList->setModel(m_pPathModel);
    m_pPathList->setItemDelegate(m_pPathPainter);
    m_pPathList->setResizeMode(QListView::Adjust);
    m_pPathList->setSelectionMode(QAbstractItemView::NoSelection);
    m_pPathList->setFocusPolicy(Qt::NoFocus);
    m_pPathList->setMaximumHeight(6 * (fontMetrics().height() + 8));
    m_pWorkList = new QListView(this);
    m_pWorkList->setObjectName(QStringLiteral("workList"));
    m_pWorkList->setModel(m_pWorkModel);
    m_pWorkList->setItemDelegate(m_pWorkPainter);
    m_pWorkList->setResizeMode(QListView::Adjust);
    m_pWorkList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_pScheme->SetFonts(m_pWorkList->font());

    // The column header, the legend and the total stand in the works' grid.
    m_pColumnHeader = new CSRPBbPaintedButton(
        [this](QPainter *dc, const QRect &rect) {
            m_pWorkPainter->PaintColumnHeader(dc, rect, RowLeftIn(m_pColumnHeader),
                                              m_pWorkList->viewport()->width());
        },
        this);
    m_pColumnHeader->setObjectName(QStringLiteral("columnHeader"));
    m_pColumnHeader->setFixedHeight(m_pWorkPainter->ColumnHeaderHeight());
    m_pColumnHeader->setEnabled(false);
    m_pLegend = new CSRPBbPaintedButton(
        [this](QPainter *dc, const QRect &rect) { m_pScheme->PaintLegend(dc, rect); }, this);
    m_pLegend->setObjectName(QStringLiteral("priceLegend"));
    m_pLegend->setFixedHeight(m_pScheme->LineHeight() + 10);
    m_pLegend->setEnabled(false);
    m_pTotal = new CSRPBbPaintedButton(
        [this](QPainter *dc, const QRect &rect) {
            m_pScheme->PaintSum(
                dc, rect,
                m_pWorkPainter->SumPlace(RowLeftIn(m_pTotal), m_pWorkList->viewport()->width()));
        },
        this);
    m_pTotal->setObjectName(QStringLiteral("totalButton"));
    m_pTotal->setFixedHeight(m_pScheme->LineHeight() + 12);

    m_pFactorLabel = new QLabel(this);
    m_pFactor = new QComboBox(this);
    m_pFactor->setObjectName(QStringLiteral("factorCombo"));
    m_pFactor->setEnabled(false);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_pFactorLabel);
    bottom->addWidget(m_pFactor);
    bottom->addStretch(1);

    QFrame *area = AddWorkArea(body);
    auto *inner = new QVBoxLayout(area);
    inner->setSpacing(2);
    inner->addWidget(m_pPathList);
    inner->addWidget(m_pColumnHeader);
    inner->addWidget(m_pWorkList, 1);
    inner->addWidget(m_pLegend);
    inner->addWidget(m_pTotal);
    inner->addLayout(bottom);

    connect(m_pWorkList, &QListView::doubleClicked, this, [this] { ToggleWork(); });
    m_pWorkList->installEventFilter(this);
    connect(m_pStore, &QAbstractButton::clicked, this, [this] { OnStore(); });
    connect(TransferButton(), &QAbstractButton::clicked, this, [this] { OnTransfer(); });
    connect(DmsRequestButton(), &QAbstractButton::clicked, this, [this] { OnDmsRequest(); });
    connect(m_pTotal, &QAbstractButton::clicked, this, [this] { OnDirectPrice(); });
    connect(m_pGmInfo, &QAbstractButton::clicked, this, [this] { ShowWeb(kWebSpotInformation); });
    connect(m_pGmVehicle, &QAbstractButton::clicked, this, [this] { ShowWeb(kWebSpotVehicle); });
    SetButtonTexts();
}

void CSpotRBbDlg::SetButtonTexts()
{
    TransferButton()->setText(OrmelText(2020));
    DmsRequestButton()->setText(OrmelText(2036));
    m_pStore->SetTip(OrmelText(2051));
    m_pGmInfo->setText(OrmelText(2060));
    m_pGmVehicle->setText(OrmelText(2061));
    m_pFactorLabel->setText(OrmelText(6085));
}

void CSpotRBbDlg::TakePackage(const CPosition *spotRow, const CPosition *head,
                              const CPosition *entry, const CPosition *paintClass,
                              const CPosition *matrixRow)
{
    // The lists let go of the lines before the package is replaced.
    if (m_pWorkModel) {
        m_pWorkModel->SetRows({});
        m_pPathModel->SetRows({});
    }
    m_package.TakeRows(spotRow, head, entry, paintClass, matrixRow);
}

void CSpotRBbDlg::TakeBasketPackage(const CPaket &stored)
{
    m_package.TakeBasketPackage(stored);
}

void CSpotRBbDlg::RefreshPage()
{
    if (TakenChanges().bSprache) {
        SetButtonTexts();
        m_pColumnHeader->setFixedHeight(m_pWorkPainter->ColumnHeaderHeight());
    }
    m_pWorkModel->SetRows({});
    m_pPathModel->SetRows({});
    const CSpotRepairPackage::Activation shown =
        m_package.Activate(LastSelector(), CSpotRepairData(Folder(), BrandLetter()), m_pSettings);
    Tell(shown.messages);
    if (shown.mixedCurrencies)
        OwnMsgBox(OrmelText(5068) + QStringLiteral("customer specific retail price"), this,
                  kMsgBoxTitle, MSG_ALIGN_NOTICE, MB_OK);
    m_pFactor->clear();
    if (!shown.factor.isEmpty())
        m_pFactor->addItem(shown.factor);
    FillLists();
    UpdateButtons();
    CPaketDmsPage::RefreshPage();
    BackButton()->setEnabled(true);
    m_pWorkList->setFocus();
    RepaintAll();
}

void CSpotRBbDlg::FillLists()
{
    std::vector<CPosition *> path;
    for (const auto &line : m_package.Paket())
        if (line->Type == POS_INFO3 || line->Type == POS_INFO5 || line->Type == POS_HEAD)
            path.push_back(line.get());
    m_pPathModel->SetRows(std::move(path));
    m_pWorkModel->SetRows(CSpotRepairData::WorkLines(m_package.Paket()));
}

void CSpotRBbDlg::UpdateButtons()
{
    const CPosition *head = m_package.Paket().GetKopf();
    CWkBasket *basket = Basket();
    const CPrgSettings &s = *m_pSettings;
    m_pStore->setEnabled(head && basket);
    TransferButton()->setEnabled(head && basket && basket->HasTransfer() &&
                                 basket->GetEntryCount() == 0 && !s.bSession);
    // As on the package editing page: a package with a head can be priced.
    DmsRequestButton()->setEnabled(head != nullptr);
    m_pTotal->setEnabled(FlatPriceAllowed());
    const bool gm = s.bSpotRepair != 0;
    m_pGmInfo->setEnabled(gm);
    m_pGmVehicle->setEnabled(gm);
}

void CSpotRBbDlg::RepaintAll()
{
    m_pWorkModel->LinesChanged();
    m_pPathModel->LinesChanged();
    m_pColumnHeader->update();
    m_pLegend->update();
    m_pTotal->update();
}

int CSpotRBbDlg::RowLeftIn(const QWidget *control) const
{
    return m_pWorkList->viewport()->mapTo(this, QPoint()).x() - control->mapTo(this, QPoint()).x();
}

void CSpotRBbDlg::Tell(const CSpotRepairMessages &messages)
{
    for (const QString &path : messages.missingFiles)
        OwnMsgBox(OrmelText(4012) + QLatin1Char(' ') + path, this, kMsgBoxTitle, MSG_ALIGN_NOTICE,
                  MB_OK);
    if (!messages.mismatches.isEmpty())
        OwnMsgBox(messages.mismatches.join(QLatin1Char('\n')), this, kMsgBoxTitle, MSG_ALIGN_NOTICE,
                  MB_OK);
}

void CSpotRBbDlg::ToggleWork()
{
    CPosition *line = m_pWorkModel->LineAt(m_pWorkList->currentIndex().row());
    const CSpotRepairData::ToggleResult result =
        CSpotRepairData(Folder(), BrandLetter()).ToggleWork(m_package.Paket(), line, m_pSettings);
    if (result.result == CSpotRepairData::Toggle::Ignored)
        return;
    if (result.overLimit)
        OwnMsgBox(OrmelText(kTextLimit), this, kMsgBoxTitle, MSG_ALIGN_NOTICE, MB_OK);
    if (result.result == CSpotRepairData::Toggle::Unchanged) {
        RepaintAll();
        return;
    }
    Tell(result.messages);
    m_pFactor->clear();
    if (!result.factor.isEmpty()) {
        m_pFactor->addItem(result.factor);
        m_pFactor->setCurrentIndex(0);
    }
    RepaintAll();
}

void CSpotRBbDlg::OnDirectPrice()
{
    PlaySoundSelected(m_pSettings);
    if (CPosition *head = m_package.Paket().GetKopf())
        EditFlatPrice(*head, false);
    RepaintAll();
}

void CSpotRBbDlg::OnDmsRequest()
{
    if (m_pSettings->bSession)
        return;
    PlaySoundSelected(m_pSettings);
    CPaket &paket = m_package.Paket();
    CPackagePriceAsk::Roads roads;
    roads.localFiles = [&] { CSpotRepairPrices::PriceLocally(paket, m_pSettings, PaketNotice()); };
    roads.dms = [&](IDmsNotice *notice) {
        if (CSpotRepairPrices::WantsRequest(paket))
            CSpotRepairPrices::Request(paket, PriceClient(), notice);
    };
    m_priceAsk.Ask(*m_pSettings, paket.GetKopf(), roads);
    RepaintAll();
}

CSpotRBbDlg::Stored CSpotRBbDlg::Store(Duplicate duplicate)
{
    if (!m_package.Paket().GetKopf())
        return Stored::Failed;
    CWKListItem entry(WK_CCP, std::make_unique<CPaket>(m_package.Paket()));
    return StoreInBasket(entry, duplicate);
}

void CSpotRBbDlg::BackToList()
{
    // The list shows the matrix rows the package was chosen from: back
    // from the package it goes one level up, to where the next way begins.
    if (m_pHost)
        m_pHost->ShowPage(kPageSRPWl, CPageRequest::LevelUp());
}

bool CSpotRBbDlg::OnStore()
{
    PlaySoundSelected(m_pSettings);
    const Stored stored = Store(Duplicate::StoreAgainOrOverwrite);
    // A package the basket could not take leaves the page all the same;
    // declining to replace the stored one stays.
    if (stored == Stored::Yes || stored == Stored::Failed)
        BackToList();
    return stored == Stored::Yes;
}

void CSpotRBbDlg::OnTransfer()
{
    PlaySoundSelected(m_pSettings);
    CWkBasket *basket = Basket();
    if (!basket)
        return;
    basket->TransferDirectly([this] {
        const bool stored = Store(Duplicate::StoreAgainOrOverwrite) == Stored::Yes;
        BackToList();
        return stored;
    });
}

void CSpotRBbDlg::OnBack()
{
    switch (AskBeforeLeaving(m_pStore->isEnabled())) {
    case Leaving::Leave:
        BackToList();
        break;
    case Leaving::Store:
        OnStore();
        break;
    case Leaving::Stay:
        break;
    }
}

void CSpotRBbDlg::ShowWeb(int code)
{
    PlaySoundSelected(m_pSettings);
    if (m_pHost)
        m_pHost->ShowPage(kPageWebBrowser, CPageRequest::Document(code, TemplateId()));
}

bool CSpotRBbDlg::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_pWorkList && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            ToggleWork();
            return true;
        }
    }
    return CPaketDmsPage::eventFilter(watched, event);
}

void CSpotRBbDlg::LeaveByBackspace()
{
    switch (AskBeforeLeaving(m_pStore->isEnabled())) {
    case Leaving::Leave:
        BackToList();
        return;
    case Leaving::Stay:
        return;
    case Leaving::Store:
        break;
    }
    // Leaving by Backspace offers only to overwrite a stored package.
    if (Store(Duplicate::Overwrite) != Stored::Cancelled)
        BackToList();
}
