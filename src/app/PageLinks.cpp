#include "app/PageLinks.h"

#include "app/DmsExchange.h"
#include "app/HeadRowView.h"
#include "app/MainWndRules.h"
#include "app/StartFlow.h"
#include "app/Yaq2Dlg.h"
#include "basket/LabourEditDlg.h"
#include "basket/WkDlg.h"
#include "basket/model/WkBasket.h"
#include "basket/print/BasketPrinter.h"
#include "basket/transfer/BasketTransfer.h"
#include "catalogues/AwKatDlg.h"
#include "common/OwnButton.h"
#include "common/readers/CatalogueCache.h"
#include "packages/SRPBbDlg.h"
#include "packages/SRPWlDlg.h"
#include "packages/SpotRBbDlg.h"
#include "platform/MsgBox.h"
#include "platform/db/CatalogueFailure.h"
#include "platform/db/YaqDb.h"

#include <QLineEdit>

namespace {

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

CPageLinks::CPageLinks(CYaq2Dlg &window, CHeadRowView &head, CDmsExchange &dms,
                       CPrgSettings *settings)
    : m_window(window), m_head(head), m_dms(dms), m_pSettings(settings)
{
}

CPageLinks::~CPageLinks() = default;

void CPageLinks::Connect()
{
    CWkBasket *basket = m_window.Basket();
    CWkDlg *basketPage = m_window.Page<CWkDlg>();
    CSRPBbDlg *editing = m_window.Page<CSRPBbDlg>();
    // The basket page answers the basket's questions.
    basket->SetAsk(basketPage);

    // The package list hands a chosen package to the editing page; the
    // editing page stores it in the basket, the basket hands it back.
    m_window.Page<CSRPWlDlg>()->SetEditingPage(editing);
    m_window.Page<CSRPWlDlg>()->SetSpotRepairPage(m_window.Page<CSpotRBbDlg>());
    // Loading a package needs connections of its own.
    editing->SetConnectionOpener([this]() -> std::unique_ptr<CYaqDb> {
        auto db = std::make_unique<CYaqDb>();
        if (!m_window.OpenConnection(*db))
            return nullptr;
        return db;
    });
    basketPage->SetPackageEditHandler(
        [editing, spot = m_window.Page<CSpotRBbDlg>()](const CPaket &paket, int kind) {
            if (kind == WK_CCP)
                spot->TakeBasketPackage(paket);
            else
                editing->TakeBasketPackage(paket);
        });

    // Labour positions from the catalogue, edited in the basket.
    basketPage->SetLabourEditor([basketPage](CWkLabourEdit &fields) {
        CLabourEditDlg dialog(fields, basketPage);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        fields = dialog.Fields();
        return true;
    });

    // The prices of the package page and of the catalogue come from the DMS
    // through the window's one client.
    editing->SetDmsClient(&m_dms.Client());
    m_window.Page<CSpotRBbDlg>()->SetDmsClient(&m_dms.Client());
    m_window.Page<CAwKatDlg>()->SetDmsClient(&m_dms.Client());

    // The basket to the dealer system.
    basket->SetTransferHandler([this, basket, basketPage] {
        CDmsMsgBoxNotice notice(basketPage, MSG_ALIGN_LEFT);
        CTransferQuestion question(basketPage);
        CBasketTransfer transfer(m_dms.Client(), &notice, &question);
        CTransferOrder order;
        order.orderNumber = basket->Order().strAuftragsNr;
        order.settlementCode = basket->Order().strAbrechnung;
        order.jobNumber = basket->Order().strJobNr;
        order.offer = basket->Order().bAngebot != 0;
        CTextExportHead exportHead;
        exportHead.orderNumber = order.orderNumber;
        exportHead.settlementCode = order.settlementCode;
        exportHead.jobNumber = order.jobNumber;
        exportHead.jobNote = basket->Order().strJobHinweis;
        exportHead.plate = m_head.Plate()->text();
        exportHead.date = m_head.DateEdit()->text();
        exportHead.mileage = m_head.Mileage()->text();
        transfer.SetTextExportHead(exportHead);
        // Caller mode "qvlaposquery": the caller's labour position and
        // whether the vehicle has labour values for it. A check that could
        // not read the catalogue is told, and no list is put: it has no
        // word for "unknown", and "0" would say there are none.
        transfer.SetLabourValueCheck([this](const QString &apNr) -> std::optional<int> {
            CYaqDb *db = m_window.Db(0);
            const int failures = FailuresOf({db});
            const int found = GetAPosWert(m_pSettings, apNr, db, 0, 0, QString(), QString(), 0, -1);
            if (FailedSince(db, failures)) {
                CatalogueFailure::Tell(&m_window, kMsgBoxTitle, MSG_ALIGN_LEFT);
                return std::nullopt;
            }
            return found;
        });
        const CTransferResult result = transfer.Transfer(basket->Entries(), order);
        if (result.removed)
            basket->EntriesChanged();
        if (result.catalogueUnread)
            m_window.EndDialog(kEndCatalogueUnread);
        else if (result.closeProgram)
            m_window.EndDialog(QDialog::Accepted);
    });

    // The offer and the information sheet.
    m_pBasketPrinter = std::make_unique<CBasketPrinter>(m_pSettings, &m_window);
    m_pBasketPrinter->SetHelpHandler([this](int context) { m_window.ShowHelpPage(context); });
    basketPage->SetPrintHandler([this, basket] {
        CBasketHeadFields head;
        head.date = m_head.DateEdit()->text();
        head.plate = m_head.Plate()->text();
        head.mileage = m_head.Mileage()->text();
        head.orderNumber = basket->Order().strAuftragsNr;
        m_pBasketPrinter->Run(basket->Entries(), head);
    });

    // The basket button names how many entries the basket holds and shows
    // its colour while it holds any.
    QObject::connect(basket, &CWkBasket::entriesChanged, &m_window, [this, basket, basketPage] {
        const int entries = basket->GetEntryCount();
        m_window.HeadButton(kBtnBasket)->setText(CWkDlg::BasketCaption(entries));
        m_window.HeadButton(kBtnBasket)->SetFaceColour(basketPage->BasketCaptionColour(entries));
    });
}
