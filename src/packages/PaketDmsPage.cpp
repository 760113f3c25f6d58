#include "packages/PaketDmsPage.h"

#include "basket/model/WkBasket.h"
#include "common/OwnButton.h"
#include "common/PageHost.h"
#include "common/readers/ShortVinCount.h"
#include "dms/DmsClient.h"
#include "dms/SoapReqSender.h"
#include "packages/PackagePriceAsk.h"
#include "packages/PauschPreisDlg.h"
#include "packages/model/Position.h"
#include "platform/MsgBox.h"
#include "platform/OrmelText.h"
#include "platform/db/YaqDb.h"
#include "settings/PrgSettings.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QVBoxLayout>

namespace {
constexpr int kTextStoreAgainOrOverwrite = 4038;
constexpr int kTextAlreadyStored = 4077;
constexpr int kTextNotStored = 4044;
constexpr int kTextLeaveQuestion = 4036; // store the package before leaving?
} // namespace

CPaketDmsPage::CPaketDmsPage() = default;
CPaketDmsPage::~CPaketDmsPage() = default;

void CPaketDmsPage::SetDmsSender(IDmsSender *sender)
{
    m_pDmsSender = sender;
    m_pOwnClient.reset();
}

CDmsClient &CPaketDmsPage::PriceClient()
{
    if (m_pDmsClient)
        return *m_pDmsClient;
    if (!m_pOwnClient) {
        if (!m_pDmsSender && !m_pOwnSender)
            m_pOwnSender = std::make_unique<CSoapReqSender>(m_pSettings);
        m_pOwnClient = std::make_unique<CDmsClient>(m_pSettings, m_pDmsSender ? m_pDmsSender
                                                                              : m_pOwnSender.get());
        // An answer naming a short VIN that several vehicles share is not
        // taken.
        m_pOwnClient->SetShortVinCount(
            [this](const QString &shortVin) { return DmsShortVinCount(Db(0), shortVin, this); });
    }
    return *m_pOwnClient;
}

void CPaketDmsPage::EditFlatPrice(CPosition &head, bool campaign)
{
    if (!head.PriceCalcFlag && (head.Preise1.Gross != head.Preise2.Gross || campaign))
        return;
    if (!head.PriceCalcFlag) {
        const bool both = head.Preise1.Gross > 0.0 && head.Preise1.Net > 0.0;
        head.StdGross = both ? head.Preise1.Gross : kPriceNotSet;
        head.StdNet = both ? head.Preise1.Net : kPriceNotSet;
        head.StdVat = head.Preise1.Vat > 0.0 ? head.Preise1.Vat : kPriceNotSet;
    }
    if (head.Preise1.Gross > 0.0 && head.Preise1.Net > 0.0) {
        CPauschPreisDlg dialog(&head, m_pSettings, this);
        if (dialog.DoModal() == QDialog::Accepted)
            head.PriceCalcFlag = 1;
    }
}

CPaketDmsPage::Stored CPaketDmsPage::StoreInBasket(CWKListItem &entry, Duplicate duplicate)
{
    CWkDuplicateAsk question([this, duplicate](const CWKListItem &) {
        if (duplicate == Duplicate::StoreAgainOrOverwrite)
            return WkStoreAgainOrOverwrite(OwnMsgBox(OrmelText(kTextStoreAgainOrOverwrite), this,
                                                     kMsgBoxTitle, MSG_ALIGN_LEFT,
                                                     MB_STOREAGAIN_OVERWRITE));
        return WkOverwriteOrKeep(OwnMsgBox(OrmelText(kTextAlreadyStored), this, kMsgBoxTitle,
                                           MSG_ALIGN_NOTICE, MB_YESNOCANCEL));
    });
    CWkBasket *basket = Basket();
    switch (basket ? basket->Offer(entry, &question) : WkOffered::Refused) {
    case WkOffered::Added:
    case WkOffered::Replaced:
    case WkOffered::StoredAgain:
        break;
    case WkOffered::Kept:
        return Stored::NotReplaced;
    case WkOffered::Cancelled:
        return Stored::Cancelled;
    case WkOffered::Refused:
        // The package stays on the page with the adviser's choices.
        OwnMsgBox(OrmelText(kTextNotStored), this, kMsgBoxTitle, MSG_ALIGN_NOTICE, MB_OK);
        return Stored::Failed;
    }
    return Stored::Yes;
}

void CPaketDmsPage::CreateDmsButtons()
{
    if (m_pDmsRequest)
        return;
    m_pDmsRequest = MakeButton(QStringLiteral("dmsRequestButton"), QStringLiteral("&DMS-Anfrage"));
    m_pTransfer = MakeButton(QStringLiteral("transferButton"), QStringLiteral("Übertragen"));
}

void CPaketDmsPage::BuildPage(QVBoxLayout *body)
{
    auto *row = new QHBoxLayout;
    CreateDmsButtons();
    row->addStretch(1);
    row->addWidget(m_pDmsRequest);
    row->addWidget(m_pTransfer);
    body->addLayout(row);
    AddWorkArea(body);
    ApplySessionLocks();
}

void CPaketDmsPage::ActivatePage(int selector)
{
    m_nSelector = selector;
    CPageDlg::ActivatePage();
}

void CPaketDmsPage::ActivateOnShow(const CPageRequest &request)
{
    if (request.activate)
        ActivatePage(request.arg);
}

void CPaketDmsPage::RefreshPage()
{
    ApplySessionLocks();
}

bool CPaketDmsPage::FlatPriceAllowed() const
{
    const CPrgSettings &s = *m_pSettings;
    if (s.bSchulung)
        return s.DirUserPriceEditing != 0;
    return s.DirUserPriceEditing && s.SRPInterfaceReq == CPackagePriceAsk::kRequestDms &&
           s.SRPInterfaceSend == CPackagePriceAsk::kRequestDms && s.XMLx && !s.bQvl &&
           !s.bQvlEdit && !s.bQvlAPosSearch;
}

CPaketDmsPage::Leaving CPaketDmsPage::AskBeforeLeaving(bool storable)
{
    if (!storable)
        return Leaving::Leave;
    const int answer = OwnMsgBox(OrmelText(kTextLeaveQuestion), this, kMsgBoxTitle,
                                 MSG_ALIGN_NOTICE, MB_YESNOCANCEL);
    if (answer == IDNO)
        return Leaving::Leave;
    return answer == IDYES ? Leaving::Store : Leaving::Stay;
}

void CPaketDmsPage::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Backspace) {
        event->accept();
        LeaveByBackspace();
        return;
    }
    CPageDlg::keyPressEvent(event);
}
