#include "packages/SRPOptBearbDlg.h"

#include "common/OwnBearbLB.h"
#include "common/OwnButton.h"
#include "common/OwnSound.h"
#include "dms/DmsClient.h"
#include "packages/SRPBbCurrentRow.h"
#include "packages/SRPBbPaintedButton.h"
#include "packages/SRPBbRowModel.h"
#include "packages/SRPBbRowPainter.h"
#include "packages/edit/LabourValueEdit.h"
#include "packages/model/Paket.h"
#include "packages/pricing/LocalPackagePrices.h"
#include "packages/pricing/PackagePriceExchange.h"
#include "platform/MsgBox.h"
#include "platform/OrmelText.h"
#include "platform/db/YaqData.h"
#include "platform/db/YaqDb.h"
#include "settings/PrgSettings.h"

#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QVBoxLayout>

namespace {

constexpr int kTextTitle = 3215;
constexpr int kTextTakeOver = 4089; // take the optional package over?

COwnButton *MakeButton(QWidget *parent, const char *name, const QString &text)
{
    auto *button = new COwnButton(parent);
    button->setObjectName(QLatin1String(name));
    button->Init(QString(), parent->palette().color(QPalette::Button));
    button->setText(text);
    return button;
}

} // namespace

CSRPOptBearbDlg::CSRPOptBearbDlg(CPrgSettings *settings, CYaqDb *catalogue, CYaqDb *second,
                                 QWidget *parent)
    : QDialog(parent), m_pSettings(settings), m_pCatalogue(catalogue), m_pSecond(second)
{
    setObjectName(QStringLiteral("CSRPOptBearbDlg"));
    setWindowTitle(OrmelText(kTextTitle));
    setModal(true);
    BuildDialog();
}

CSRPOptBearbDlg::~CSRPOptBearbDlg()
{
    // The list borrows the lines of the package, which outlives the dialog.
    if (m_pModel)
        m_pModel->SetRows({});
}

void CSRPOptBearbDlg::SetLinks(Links links)
{
    m_links = std::move(links);
    if (m_pDmsRequest)
        m_pDmsRequest->setEnabled(m_pEdit && m_pEdit->SubPackage());
}

const std::vector<CPosition *> &CSRPOptBearbDlg::Rows() const
{
    return m_pModel->Rows();
}

// ---------------------------------------------------------------------------
// Building

void CSRPOptBearbDlg::BuildDialog()
{
    auto *body = new QVBoxLayout(this);
    m_pPainter = new CSRPBbRowPainter(false, this);
    m_pPainter->SetStandardPriceInLegend(false);
    m_pModel = new CSRPBbRowModel(this);

    const CSRPBbPositionBlock block = CSRPBbPositionBlock::Build(
        this, body, QStringLiteral("optionalPositionList"), m_pPainter, m_pModel);
    m_pList = block.list;
    m_pColumnHeader = block.columnHeader;
    m_pLegend = block.legend;
    m_pLegend->setEnabled(false);
    m_pSum = block.sum;
    m_pSum->setEnabled(false);

    m_pScopeTexts = MakeButton(this, "scopeTextsButton", OrmelText(2009));
    m_pEditAw = MakeButton(this, "editAwButton", OrmelText(2046));
    m_pDmsRequest = MakeButton(this, "dmsRequestButton", OrmelText(2036));
    m_pYes = MakeButton(this, "yesButton", OrmelText(2055));
    m_pNo = MakeButton(this, "noButton", OrmelText(2053));
    m_pBack = MakeButton(this, "backButton", QStringLiteral("<"));
    auto *buttons = new QHBoxLayout;
    for (COwnButton *button : {m_pScopeTexts, m_pEditAw, m_pDmsRequest})
        buttons->addWidget(button);
    buttons->addStretch(1);
    for (COwnButton *button : {m_pYes, m_pNo, m_pBack})
        buttons->addWidget(button);
    body->addLayout(buttons);
    for (COwnButton *button : {m_pScopeTexts, m_pEditAw, m_pDmsRequest})
        button->setEnabled(false);

    connect(m_pYes, &QAbstractButton::clicked, this, [this] {
        PlaySoundSelected(m_pSettings);
        done(COptionalPackageEdit::TakeOver);
    });
    connect(m_pNo, &QAbstractButton::clicked, this, [this] {
        PlaySoundSelected(m_pSettings);
        done(COptionalPackageEdit::Decline);
    });
    connect(m_pBack, &QAbstractButton::clicked, this, &CSRPOptBearbDlg::OnBack);
    connect(m_pEditAw, &QAbstractButton::clicked, this, &CSRPOptBearbDlg::OnEditLabourValue);
    connect(m_pDmsRequest, &QAbstractButton::clicked, this, &CSRPOptBearbDlg::OnDmsRequest);
    connect(m_pScopeTexts, &QAbstractButton::clicked, this, [this] {
        PlaySoundSelected(m_pSettings);
        const CPaket *sub = m_pEdit ? m_pEdit->SubPackage() : nullptr;
        if (m_links.scopeTexts && sub && sub->GetKopf())
            m_links.scopeTexts(sub->GetKopf()->Number);
    });
    // Enter and Backspace reach the dialog before the list searches its rows.
    m_pList->installEventFilter(this);
    connect(m_pList, &COwnBearbLB::delayedClick, this, [this](const QModelIndex &index) {
        if (index.isValid())
            ClickRow(index.row());
    });
    connect(m_pList, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex &index) { DoubleClickRow(index.row()); });
    m_currentRow.Attach(m_pList, m_pModel, m_pEditAw);

    resize(760, 460);
    // The dialog never becomes smaller than it opens.
    setMinimumSize(size());
}

// ---------------------------------------------------------------------------
// Opening

void CSRPOptBearbDlg::Begin(CPaket *whole, CPosition *line, bool campaign)
{
    m_pModel->SetRows({});
    m_pEdit = std::make_unique<COptionalPackageEdit>(whole, line);
    m_bCampaign = campaign;
    m_currentRow.Forget();
    CPaket *sub = m_pEdit->SubPackage();
    // The list shows the sub-package; its head decides whether its lines
    // show prices, the sum is its total within the whole package.
    m_pPainter->SetPackage(sub, m_pSettings);
    if (sub)
        m_pEdit->Selection().Fill();
    m_pNo->setEnabled(m_pEdit->CanDecline());
    m_pEditAw->setEnabled(false);
    m_pDmsRequest->setEnabled(sub != nullptr);
    const CatalogueFound scopeTexts = ScopeTextsAvailable();
    m_pScopeTexts->setEnabled(scopeTexts == CatalogueFound::Yes);
    FillRows();
    RepaintOwn();
    // The lines are the package's own; only whether it has scope texts is
    // unknown, and not to be shown as "none" without a word.
    if (scopeTexts == CatalogueFound::Failed)
        CatalogueFailure::Tell(parentWidget() ? parentWidget() : this, kMsgBoxTitle,
                               MSG_ALIGN_LEFT);
}

int CSRPOptBearbDlg::DoModal(CPaket *whole, CPosition *line, bool campaign)
{
    Begin(whole, line, campaign);
    m_pList->setFocus();
    const int result = exec();
    if (result == COptionalPackageEdit::TakeOver || result == COptionalPackageEdit::Decline)
        return result;
    return COptionalPackageEdit::Abort;
}

CatalogueFound CSRPOptBearbDlg::ScopeTextsAvailable() const
{
    const CPaket *sub = m_pEdit ? m_pEdit->SubPackage() : nullptr;
    const CPosition *head = sub ? sub->GetKopf() : nullptr;
    if (!head || !m_links.scopeTexts || m_pSettings->nKatalogFlag != 0 ||
        m_pSettings->LeadTyp.isEmpty() || !m_pCatalogue)
        return CatalogueFound::No;
    const int failures = m_pCatalogue->Failures();
    CAPosUmfNrData rec;
    rec.m_strAPosNr = head->Number;
    rec.m_strLTyp = m_pSettings->LeadTyp;
    rec.m_strZusatz = m_pSettings->ZusatzCode;
    const bool found = m_pCatalogue->ReadAPosUmfNrData(rec) != 0;
    m_pCatalogue->CloseStmt();
    return FoundBy(m_pCatalogue, failures, found);
}

// ---------------------------------------------------------------------------
// The list

void CSRPOptBearbDlg::FillRows()
{
    if (!m_pEdit)
        return;
    m_pModel->SetRows(m_pEdit->Selection().Rows());
    m_currentRow.Show(m_pEdit->Selection().Current());
}

void CSRPOptBearbDlg::ClickRow(int row)
{
    CPosition *line = m_pModel->LineAt(row);
    if (!line || !m_pEdit)
        return;
    PlaySoundSelected(m_pSettings);
    if (m_pEdit->Selection().Click(line))
        FillRows();
}

void CSRPOptBearbDlg::DoubleClickRow(int row)
{
    CPosition *line = m_pModel->LineAt(row);
    if (!line || !m_pEdit)
        return;
    const COptionalPackageEdit::DoubleClickResult result = m_pEdit->DoubleClick(line);
    if (result.openSubPackage) {
        OpenNested(result.openSubPackage);
        return;
    }
    FillRows();
    if (result.choiceChanged)
        PricesChanged();
    else
        RepaintOwn();
}

void CSRPOptBearbDlg::OpenNested(CPosition *line)
{
    CSRPOptBearbDlg nested(m_pSettings, m_pCatalogue, m_pSecond, this);
    Links links = m_links;
    links.pricesChanged = [this] { PricesChanged(); };
    links.repaint = [this] { RepaintChain(); };
    nested.SetLinks(std::move(links));
    const int result = nested.DoModal(m_pEdit->Whole(), line, m_bCampaign);
    if (result == COptionalPackageEdit::Abort)
        return;
    if (m_pEdit->NestedEnded(line, result))
        PricesChanged();
    else
        RepaintOwn();
}

// ---------------------------------------------------------------------------
// Prices

void CSRPOptBearbDlg::PricesChanged()
{
    // The opener prices the whole package, as it does after its own choices.
    if (m_links.pricesChanged)
        m_links.pricesChanged();
    RepaintOwn();
}

void CSRPOptBearbDlg::RepaintChain()
{
    if (m_links.repaint)
        m_links.repaint();
    RepaintOwn();
}

void CSRPOptBearbDlg::RepaintOwn()
{
    m_pPainter->ForgetAllRows();
    m_pModel->LinesChanged();
    m_pList->viewport()->update();
    m_pColumnHeader->update();
    m_pLegend->update();
    m_pSum->update();
}

void CSRPOptBearbDlg::OnEditLabourValue()
{
    PlaySoundSelected(m_pSettings);
    // The line the list shows as current now: a group opened or closed
    // since it was chosen has moved the rows, not the adviser's line.
    CPosition *line = m_pModel->LineAt(m_pList->currentIndex().row());
    if (!line || !CLabourValueEdit::IsEditable(line) ||
        !CSRPBbCurrentRow::EditLabourValue(*line, m_pSettings, this))
        return;
    PricesChanged();
}

void CSRPOptBearbDlg::OnDmsRequest()
{
    PlaySoundSelected(m_pSettings);
    CPaket *whole = m_pEdit ? m_pEdit->Whole() : nullptr;
    if (!whole)
        return;
    // The request describes, and the prices go to, the whole package.
    CPackagePriceAsk::Roads roads;
    roads.localFiles = [&] {
        CLocalPackagePrices(m_pSettings, &m_notice).Price(*whole, GetPrgSprache(), m_bCampaign);
    };
    roads.dms = [&](IDmsNotice *notice) {
        // Which packages are sent is the exchange's: here findings lines count.
        if (!m_links.dmsClient)
            return;
        CPackagePriceExchange exchange(*m_links.dmsClient, notice);
        exchange.SetCampaignMode(m_bCampaign);
        exchange.SetAskedBySubPackageDialog(true);
        exchange.Request(*whole);
    };
    m_priceAsk.Ask(*m_pSettings, whole->GetKopf(), roads);
    RepaintChain();
}

// ---------------------------------------------------------------------------
// Leaving

void CSRPOptBearbDlg::OnBack()
{
    PlaySoundSelected(m_pSettings);
    if (!m_pEdit || !m_pEdit->CanDecline()) {
        done(COptionalPackageEdit::TakeOver);
        return;
    }
    const int answer =
        OwnMsgBox(OrmelText(kTextTakeOver), this, kMsgBoxTitle, MSG_ALIGN_NOTICE, MB_YESNO);
    if (answer == IDYES)
        done(COptionalPackageEdit::TakeOver);
    else if (answer == IDNO)
        done(COptionalPackageEdit::Decline);
}

void CSRPOptBearbDlg::reject()
{
    OnBack();
}

bool CSRPOptBearbDlg::HandleKey(int key)
{
    switch (key) {
    case Qt::Key_Backspace:
    case Qt::Key_Escape:
        OnBack();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        // Enter in the list is a double click on its selected row; the row
        // the list only marks as current (its first, once it has the focus)
        // is no choice of the adviser's.
        const QModelIndexList selected = m_pList->selectionModel()->selectedRows();
        if (m_pList->hasFocus() && !selected.isEmpty())
            DoubleClickRow(selected.first().row());
        return true;
    }
    default:
        return false;
    }
}

bool CSRPOptBearbDlg::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_pList && event->type() == QEvent::KeyPress &&
        HandleKey(static_cast<QKeyEvent *>(event)->key()))
        return true;
    return QDialog::eventFilter(watched, event);
}

void CSRPOptBearbDlg::keyPressEvent(QKeyEvent *event)
{
    if (HandleKey(event->key())) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
