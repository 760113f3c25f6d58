#include "basket/WkDlg.h"

#include "basket/WkListModel.h"
#include "basket/WkRowPainter.h"
#include "basket/model/WkLabourEdit.h"
#include "common/OwnButton.h"
#include "common/OwnLB.h"
#include "common/OwnSound.h"
#include "common/PageHost.h"
#include "packages/model/Paket.h"
#include "packages/model/Position.h"
#include "platform/MsgBox.h"
#include "platform/OrmelText.h"
#include "settings/PrgSettings.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QVBoxLayout>

namespace {

// A control beside the list that the row painter draws: the price header,
// the flat-price legend, the total field.
class CWkPaintedField : public QWidget
{
public:
    using Painter = std::function<void(QPainter &, const QRect &)>;
    CWkPaintedField(const QString &name, Painter paint, QWidget *parent)
        : QWidget(parent), m_paint(std::move(paint))
    {
        setObjectName(name);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        m_paint(painter, rect());
    }

private:
    Painter m_paint;
};

const QColor kFilledBasket(0xC0, 0xDC, 0xC0);

} // namespace

CWkDlg::CWkDlg() = default;

CWkDlg::~CWkDlg() = default;

void CWkDlg::SetPrintHandler(std::function<void()> handler)
{
    m_print = std::move(handler);
    UpdateButtons();
}

void CWkDlg::SetLabourEditor(std::function<bool(CWkLabourEdit &)> editor)
{
    m_labourEditor = std::move(editor);
    UpdateButtons();
}

void CWkDlg::SetPackageEditHandler(std::function<void(const CPaket &, int)> handler)
{
    m_packageEdit = std::move(handler);
}

void CWkDlg::BuildPage(QVBoxLayout *body)
{
    m_pBasket = Basket();
    static const CWKList noEntries;
    const CWKList *entries = m_pBasket ? &m_pBasket->Entries() : &noEntries;

    // The order data for the dealer system.
    auto *fields = new QGridLayout;
    auto makeEdit = [this](const QString &name) {
        auto *edit = new QLineEdit(this);
        edit->setObjectName(name);
        return edit;
    };
    m_pAuftragsNr = makeEdit(QStringLiteral("orderNumberEdit"));
    m_pAbrechnung = makeEdit(QStringLiteral("settlementEdit"));
    m_pJobHinweis = makeEdit(QStringLiteral("jobNoteEdit"));
    m_pJobNr = makeEdit(QStringLiteral("jobNumberEdit"));
    m_pAngebot = new QCheckBox(this);
    m_pAngebot->setObjectName(QStringLiteral("offerCheck"));
    for (QWidget *&label : m_pLabels)
        label = new QLabel(this);
    fields->addWidget(m_pLabels[0], 0, 0);
    fields->addWidget(m_pAuftragsNr, 0, 1);
    fields->addWidget(m_pLabels[1], 0, 2);
    fields->addWidget(m_pAbrechnung, 0, 3);
    fields->addWidget(m_pAngebot, 0, 4);
    fields->addWidget(m_pLabels[4], 0, 5);
    fields->addWidget(m_pLabels[3], 1, 0);
    fields->addWidget(m_pJobNr, 1, 1);
    fields->addWidget(m_pLabels[2], 1, 2);
    fields->addWidget(m_pJobHinweis, 1, 3, 1, 3);
    fields->setColumnStretch(1, 1);
    fields->setColumnStretch(3, 2);
    body->addLayout(fields);

    // The list with the price header above and the legend and totals below;
    // all four share the list's columns.
    m_pPainter = new CWkRowPainter(this);
    m_pPainter->SetFonts(font());
    if (m_pSettings)
        m_pPainter->SetSiFindingBackground(m_pSettings->GetBkColor());
    m_pModel = new CWkListModel(entries, this);
    m_pList = new COwnLB(this);
    m_pList->setObjectName(QStringLiteral("basketList"));
    m_pList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_pList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pList->setItemDelegate(m_pPainter);
    m_pList->setModel(m_pModel);
    connect(m_pList->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (m_bRebuilding)
            return;
        PlaySoundSelected(m_pSettings);
        OnSelChange();
    });

    // Where the list's price column starts in a field of the list's width.
    auto priceLeft = [this](const QRect &) {
        return m_pList->viewport()->x() + m_pPainter->PriceLeft(m_pList->viewport()->width());
    };
    m_pHeader = new CWkPaintedField(
        QStringLiteral("priceHeader"),
        [this, priceLeft](QPainter &p, const QRect &r) {
            const int left = priceLeft(r);
            m_pPainter->DrawPriceHeader(
                &p, CRect(r.left(), r.top(), left + m_pPainter->PriceColumnWidth(), r.bottom() + 1),
                left);
        },
        this);
    m_pLegend = new CWkPaintedField(
        QStringLiteral("flatPriceLegend"),
        [this, priceLeft](QPainter &p, const QRect &r) {
            m_pPainter->DrawFlatLegend(&p, CRect(r.left(), r.top(), r.right() + 1, r.bottom() + 1),
                                       priceLeft(r));
        },
        this);
    m_pTotal = new CWkPaintedField(
        QStringLiteral("totalField"),
        [this, priceLeft, entries](QPainter &p, const QRect &r) {
            m_pPainter->DrawTotalField(&p, CRect(r.left(), r.top(), r.right() + 1, r.bottom() + 1),
                                       priceLeft(r), entries->GrossTotal(), entries->NetTotal(),
                                       entries->CommonCurrency());
        },
        this);
    const int line = m_pPainter->LineHeight();
    m_pHeader->setFixedHeight(line + 8);
    m_pLegend->setFixedHeight(line + 6);
    m_pTotal->setFixedHeight(2 * line + 6);

    auto *listColumn = new QVBoxLayout;
    listColumn->setSpacing(0);
    listColumn->addWidget(m_pHeader);
    listColumn->addWidget(m_pList, 1);
    listColumn->addWidget(m_pLegend);
    listColumn->addWidget(m_pTotal);

    m_pUp = MakeButton(QStringLiteral("upButton"), QString(), QStringLiteral(":/bitmaps/up.png"));
    m_pDown =
        MakeButton(QStringLiteral("downButton"), QString(), QStringLiteral(":/bitmaps/down.png"));
    m_pPrint = MakeButton(QStringLiteral("printButton"), QStringLiteral("&P"));
    auto *side = new QVBoxLayout;
    side->addSpacing(line + 8);
    side->addWidget(m_pUp);
    side->addWidget(m_pDown);
    side->addStretch(1);
    side->addWidget(m_pPrint);

    auto *listRow = new QHBoxLayout;
    listRow->addLayout(listColumn, 1);
    listRow->addLayout(side);
    body->addLayout(listRow, 1);

    auto *buttons = new QHBoxLayout;
    m_pTransfer = MakeButton(QStringLiteral("transferButton"), OrmelText(2020));
    m_pEdit = MakeButton(QStringLiteral("editButton"), OrmelText(2028));
    m_pDelete = MakeButton(QStringLiteral("deleteButton"), OrmelText(2018));
    m_pAwKat = MakeButton(QStringLiteral("awKatButton"), OrmelText(2014));
    m_pSrp = MakeButton(QStringLiteral("srpButton"), OrmelText(3183));
    for (COwnButton *b : {m_pTransfer, m_pEdit, m_pDelete, m_pAwKat, m_pSrp})
        buttons->addWidget(b);
    buttons->addStretch(1);
    body->addLayout(buttons);

    connect(m_pTransfer, &QAbstractButton::clicked, this, [this] {
        PlaySoundSelected(m_pSettings);
        TakeOrder();
        if (m_pBasket)
            m_pBasket->Transfer();
    });
    connect(m_pPrint, &QAbstractButton::clicked, this, [this] {
        PlaySoundSelected(m_pSettings);
        TakeOrder();
        if (m_print)
            m_print();
    });
    connect(m_pEdit, &QAbstractButton::clicked, this, &CWkDlg::OnEdit);
    connect(m_pDelete, &QAbstractButton::clicked, this, &CWkDlg::OnDelete);
    connect(m_pUp, &QAbstractButton::clicked, this, &CWkDlg::OnMoveUp);
    connect(m_pDown, &QAbstractButton::clicked, this, &CWkDlg::OnMoveDown);
    connect(m_pAwKat, &QAbstractButton::clicked, this, &CWkDlg::OnAwCatalogue);
    connect(m_pSrp, &QAbstractButton::clicked, this, &CWkDlg::OnPackages);
    connect(m_pAuftragsNr, &QLineEdit::textEdited, this, [this] {
        TakeOrder();
        UpdateButtons();
    });
    for (QLineEdit *edit : {m_pAbrechnung, m_pJobHinweis, m_pJobNr})
        connect(edit, &QLineEdit::textEdited, this, [this] { TakeOrder(); });
    connect(m_pAngebot, &QAbstractButton::clicked, this, [this] {
        PlaySoundSelected(m_pSettings);
        TakeOrder();
    });

    if (m_pBasket) {
        connect(m_pBasket, &CWkBasket::entriesChanged, this, [this](const CWKListItem *newEntry) {
            if (m_pBasket->Entries().IndexOfEqual(m_pSelection.get()) < 0)
                m_pSelection.reset();
            RebuildList(newEntry);
            OnTotalsChanged();
        });
        connect(m_pBasket, &CWkBasket::entryChanged, this, [this](int row) {
            m_pModel->EntryChanged(row);
            OnTotalsChanged();
        });
        connect(m_pBasket, &CWkBasket::orderChanged, this, [this] {
            ShowOrder();
            UpdateButtons();
        });
    }

    for (QAbstractButton *button : findChildren<QAbstractButton *>())
        button->installEventFilter(this);

    SetCaptions();
    ShowOrder();
    UpdateButtons();
}

bool CWkDlg::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && qobject_cast<QAbstractButton *>(watched)) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            event->accept();
            return true;
        }
    }
    return CPageDlg::eventFilter(watched, event);
}

void CWkDlg::SetCaptions()
{
    if (!IsCreated())
        return;
    m_pTransfer->setText(OrmelText(2020));
    m_pEdit->setText(OrmelText(2028));
    m_pDelete->setText(OrmelText(2018));
    m_pAwKat->setText(OrmelText(2014));
    m_pSrp->setText(OrmelText(3183));
    const int labels[] = {3085, 3116, 3117, 4062, 6018};
    for (int i = 0; i < 5; ++i)
        static_cast<QLabel *>(m_pLabels[i])->setText(OrmelText(labels[i]));
    m_pPainter->SetFonts(font());
    m_pHeader->update();
    m_pLegend->update();
    m_pTotal->update();
}

void CWkDlg::changeEvent(QEvent *event)
{
    CPageDlg::changeEvent(event);
    if (event->type() == QEvent::FontChange && m_pPainter) {
        m_pPainter->SetFonts(font());
        m_pList->doItemsLayout();
    }
}

void CWkDlg::RefreshPage()
{
    if (TakenChanges().bSprache)
        SetCaptions();
    if (m_pSettings)
        m_pPainter->SetSiFindingBackground(m_pSettings->GetBkColor());
    OfferBackToOrigin();
    UpdateButtons();
    update();
}

IWkBasketAsk::Answer CWkDlg::AskDropEntries()
{
    const int answer = OwnMsgBox(OrmelText(4045), this, kMsgBoxTitle, MSG_ALIGN_LEFT, MB_YESNO);
    if (answer == IDYES)
        return Answer::Yes;
    return answer == IDNO ? Answer::No : Answer::Closed;
}

void CWkDlg::TellStored()
{
    if (m_pSettings)
        OwnMsgChkBox(OrmelText(4021), &m_pSettings->bMeldungWK, this);
}

void CWkDlg::TellNotice(const QString &text)
{
    OwnMsgBox(text, this, kMsgBoxTitle, MSG_ALIGN_NOTICE, MB_OK);
}

void CWkDlg::OnTotalsChanged()
{
    if (IsCreated())
        m_pTotal->update();
    UpdateButtons();
}

QString CWkDlg::BasketCaption(int entries)
{
    const QString text = OrmelText(6078);
    return entries == 0 ? text : text + QStringLiteral(" (%1)").arg(entries);
}

QColor CWkDlg::BasketCaptionColour(int entries) const
{
    return entries == 0 ? palette().color(QPalette::Button) : kFilledBasket;
}

CWKListItem *CWkDlg::SelectedEntry() const
{
    return m_pModel ? m_pModel->EntryAt(SelectedRow()) : nullptr;
}

int CWkDlg::SelectedRow() const
{
    if (!m_pList)
        return -1;
    const QModelIndexList rows = m_pList->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void CWkDlg::SelectRow(int row)
{
    if (!m_pList)
        return;
    if (row < 0 || row >= m_pModel->rowCount()) {
        m_pList->selectionModel()->clearSelection();
        return;
    }
    const QModelIndex index = m_pModel->index(row);
    m_pList->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
}

void CWkDlg::RebuildList(const CWKListItem *newEntry)
{
    if (!IsCreated())
        return;
    m_bRebuilding = true;
    m_pModel->Sync();
    const CWKList *entries = m_pBasket ? &m_pBasket->Entries() : nullptr;
    SelectRow(entries ? entries->IndexOfEqual(m_pSelection.get()) : -1);
    m_bRebuilding = false;
    const int newRow = newEntry && entries ? entries->IndexOfEqual(newEntry) : -1;
    if (newRow >= 0)
        m_pList->scrollTo(m_pModel->index(newRow), QAbstractItemView::PositionAtTop);
    m_pList->viewport()->update();
    OnSelChange();
}

void CWkDlg::OnSelChange()
{
    const CWKListItem *selected = SelectedEntry();
    m_pSelection = selected ? std::make_unique<CWKListItem>(*selected) : nullptr;
    UpdateButtons();
}

void CWkDlg::UpdateButtons()
{
    if (!IsCreated())
        return;
    const CWKListItem *selected = SelectedEntry();
    m_pDelete->setEnabled(selected != nullptr);
    m_pUp->setEnabled(selected != nullptr);
    m_pDown->setEnabled(selected != nullptr);
    bool editable = false;
    if (selected)
        editable = CWKListItem::IsPackageKind(selected->Kind) ||
                   (selected->IsLabourPosition() && m_labourEditor);
    m_pEdit->setEnabled(editable);

    const bool empty = !m_pBasket || m_pBasket->GetEntryCount() == 0;
    m_pPrint->setEnabled(!empty && m_print);
    const CPrgSettings *s = m_pSettings;
    if (empty || !m_pBasket->HasTransfer())
        m_pTransfer->setEnabled(false);
    else if (!s || !s->bSession)
        m_pTransfer->setEnabled(true);
    // In a session the transfer keeps the state the session gave it.
    if (!s)
        return;

    m_pSrp->setEnabled(s->nKatalogFlag == 0 && !s->nRestrictedSession);
    m_pJobHinweis->setEnabled(s->JobEdit);
    m_pJobNr->setEnabled(s->JobEdit);

    const bool xmlSend = s->SRPInterfaceSend == 4 && s->XMLx;
    const bool offerAllowed = xmlSend || s->bSchulung;
    const bool orderEmpty = m_pAuftragsNr->text().isEmpty();
    auto clearOffer = [this] {
        m_pAngebot->setEnabled(false);
        m_pAngebot->setChecked(false);
        if (m_pBasket && m_pBasket->Order().bAngebot) {
            CWkOrderData order = m_pBasket->Order();
            order.bAngebot = 0;
            m_pBasket->SetOrder(order);
        }
    };
    if (orderEmpty && offerAllowed) {
        m_pAuftragsNr->setEnabled(true);
        m_pAngebot->setEnabled(true);
    } else if (!orderEmpty && offerAllowed) {
        clearOffer();
    } else if (orderEmpty && s->SRPInterfaceSend == 4 && !s->XMLx) {
        clearOffer();
        m_pAuftragsNr->setEnabled(false);
    }

    if (s->SRPInterfaceReceive) {
        // An order number that came with the vehicle from the dealer system
        // stays as it came while it is there; one the adviser types, and the
        // field once the pushed number is gone (basket cleared, the next
        // vehicle pushed without one), stay open to typing.
        const bool pushed = m_pBasket && m_pBasket->Order().bAuftragsNrVomDms;
        if (!orderEmpty && pushed && !offerAllowed) {
            m_pAuftragsNr->setEnabled(false);
            m_pAngebot->setEnabled(false);
        } else if (!orderEmpty || s->SRPInterfaceSend != 4 || s->XMLx) {
            m_pAuftragsNr->setEnabled(true);
        }
        m_pAbrechnung->setEnabled(false);
        if (!s->JobEdit)
            m_pJobHinweis->setEnabled(false);
    } else {
        m_pAuftragsNr->setEnabled(true);
        m_pAbrechnung->setEnabled(true);
        m_pJobHinweis->setEnabled(s->JobEdit);
    }
}

void CWkDlg::ShowOrder()
{
    if (!IsCreated() || !m_pBasket)
        return;
    const CWkOrderData &order = m_pBasket->Order();
    m_pAuftragsNr->setText(order.strAuftragsNr);
    m_pAbrechnung->setText(order.strAbrechnung);
    m_pJobHinweis->setText(order.strJobHinweis);
    m_pJobNr->setText(order.strJobNr);
    m_pAngebot->setChecked(order.bAngebot != 0);
}

void CWkDlg::TakeOrder()
{
    if (!IsCreated() || !m_pBasket)
        return;
    CWkOrderData order;
    order.strAuftragsNr = m_pAuftragsNr->text();
    // The number the DMS gave stays the DMS's until the adviser changes it.
    order.bAuftragsNrVomDms = m_pBasket->Order().bAuftragsNrVomDms &&
                              order.strAuftragsNr == m_pBasket->Order().strAuftragsNr;
    order.strAbrechnung = m_pAbrechnung->text();
    order.strJobHinweis = m_pJobHinweis->text();
    order.strJobNr = m_pJobNr->text();
    order.bAngebot = m_pAngebot->isChecked() ? 1 : 0;
    m_pBasket->SetOrder(order);
}

void CWkDlg::OnEdit()
{
    PlaySoundSelected(m_pSettings);
    CWKListItem *entry = SelectedEntry();
    if (!m_pBasket)
        return;
    switch (m_pBasket->Entries().PrepareEdit(entry)) {
    case WkEditAction::PackagePage:
        if (m_packageEdit)
            m_packageEdit(*entry->Paket, entry->Kind);
        if (m_pHost)
            m_pHost->ShowPage(kPageSRPBb, CPageRequest::Activated(1));
        break;
    case WkEditAction::SpotRepairPage:
        // The package comes back through Offer; its edit mark makes it
        // replace this entry.
        if (m_packageEdit)
            m_packageEdit(*entry->Paket, entry->Kind);
        if (m_pHost)
            m_pHost->ShowPage(kPageSpotRBb, CPageRequest::Activated(1));
        break;
    case WkEditAction::LabourPosition:
        EditLabourPosition(entry);
        break;
    case WkEditAction::None:
        break;
    }
}

void CWkDlg::EditLabourPosition(CWKListItem *entry)
{
    if (!m_labourEditor || !m_pBasket || !entry || !entry->IsLabourPosition())
        return;
    CWkLabourEdit fields = CWkLabourEdit::FromPosition(*entry->APos);
    if (!m_labourEditor(fields))
        return;
    m_pBasket->ApplyLabourEdit(entry, fields);
}

void CWkDlg::OnDelete()
{
    PlaySoundSelected(m_pSettings);
    CWKListItem *entry = SelectedEntry();
    if (entry && m_pBasket) {
        m_pSelection.reset();
        m_bRebuilding = true;
        m_pList->selectionModel()->clearSelection();
        m_bRebuilding = false;
        m_pBasket->Remove(entry);
    }
    m_pList->setFocus();
    UpdateButtons();
}

void CWkDlg::OnMoveUp()
{
    PlaySoundSelected(m_pSettings);
    const int row = SelectedRow();
    if (!m_pBasket || !m_pBasket->MoveUp(row))
        return;
    m_bRebuilding = true;
    SelectRow(row - 1);
    m_bRebuilding = false;
    OnSelChange();
}

void CWkDlg::OnMoveDown()
{
    PlaySoundSelected(m_pSettings);
    const int row = SelectedRow();
    if (!m_pBasket || !m_pBasket->MoveDown(row))
        return;
    m_bRebuilding = true;
    SelectRow(row + 1);
    m_bRebuilding = false;
    OnSelChange();
}

void CWkDlg::OnAwCatalogue()
{
    PlaySoundSelected(m_pSettings);
    // The catalogue opens at the (now empty) current position.
    if (m_pSettings) {
        m_pSettings->AktApNr.clear();
        m_pSettings->HGText.clear();
        m_pSettings->KatZeile.clear();
    }
    if (m_pHost)
        m_pHost->ShowPage(kPageAwKat, CPageRequest::Activated(1));
}

void CWkDlg::OnPackages()
{
    PlaySoundSelected(m_pSettings);
    if (m_pHost)
        m_pHost->ShowPage(kPageSRPWl);
}

void CWkDlg::OnBack()
{
    // "<" is offered once: it stays disabled until the basket is shown
    // again, and Escape then leads home.
    BackButton()->setEnabled(false);
    CPageDlg::OnBack();
}
