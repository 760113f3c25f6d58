#include "packages/HLXDlg.h"

#include "common/EasyPrintDlg.h"
#include "common/OwnButton.h"
#include "common/OwnLB.h"
#include "common/OwnSound.h"
#include "common/PageHost.h"
#include "common/WaitCursor.h"
#include "common/readers/HLXContracts.h"
#include "packages/HLXPrintOut.h"
#include "packages/HLXRowPainter.h"
#include "packages/HLXRows.h"
#include "platform/MsgBox.h"
#include "platform/OrmelText.h"
#include "platform/db/CatalogueFailure.h"
#include "settings/PrgSettings.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QStandardItemModel>
#include <QVBoxLayout>

CHLXDlg::CHLXDlg() = default;
CHLXDlg::~CHLXDlg() = default;

void CHLXDlg::BuildPage(QVBoxLayout *body)
{
    auto *buttons = new QHBoxLayout;
    m_pTop = MakeButton(QStringLiteral("topButton"), QStringLiteral("Top"));
    m_pPrint = MakeButton(QStringLiteral("printButton"), QStringLiteral("&P"));
    buttons->addWidget(m_pTop);
    buttons->addStretch(1);
    buttons->addWidget(m_pPrint);
    body->addLayout(buttons);

    m_pModel = new QStandardItemModel(this);
    m_pList = new COwnLB(this);
    m_pList->setObjectName(QStringLiteral("contractList"));
    m_pPainter = new CHLXRowPainter(m_pList);
    m_pPainter->SetFonts(font());
    m_pList->setItemDelegate(m_pPainter);
    m_pList->setModel(m_pModel);
    m_pList->setSelectionMode(QAbstractItemView::NoSelection);
    m_pList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette white = m_pList->palette();
    white.setColor(QPalette::Base, Qt::white);
    m_pList->setPalette(white);
    body->addWidget(m_pList, 1);

    m_pPrintOut = std::make_unique<CHLXPrintOut>(
        m_pSettings, &m_contracts,
        [this](const CHLXVertragInfo &contract) { return ConditionText(contract); });

    connect(m_pTop, &QAbstractButton::clicked, this, &CHLXDlg::OnTop);
    connect(m_pPrint, &QAbstractButton::clicked, this, &CHLXDlg::OnPrint);
    m_pPrint->setEnabled(false);
}

void CHLXDlg::RefreshPage()
{
    // "<" is offered only while it leads back to the catalogue or the
    // package list; from anywhere else Escape leads home.
    OfferBackToOrigin();
    const int from = CameFrom();
    BackButton()->setToolTip(from == kPageAwKat   ? OrmelText(3200)
                             : from == kPageSRPWl ? OrmelText(3183)
                                                  : QString());
    // Texts and fonts may have changed with the language.
    m_pPainter->SetFonts(font());
    ReadContracts();
}

void CHLXDlg::ReadContracts()
{
    m_contracts.clear();
    m_pPrint->setEnabled(false);
    if (!m_pSettings) {
        ShowRows({});
        return;
    }
    const CPrgSettings &s = *m_pSettings;
    bool failed = false;
    {
        const CWaitCursor wait;
        // A contract flag whose check failed at the identification is
        // checked again first.
        failed = HLXContractFlag(*m_pSettings, Db(0), Db(1)) == CatalogueFound::Failed;
        if (!failed && s.FgstnrFull.size() == 17 && s.nVertrag == 1) {
            const CatalogueAnswer<QList<CHLXVertragInfo>> read =
                ReadHLXContracts(Db(0), s, HLXKeep::ContractPage);
            m_contracts = read.value;
            failed = read.failed;
        }
    }
    if (failed) {
        // Never "no contract": the page stays empty, and shows them on its
        // next opening once the catalogue answers.
        m_contracts.clear();
        ShowRows({});
        CatalogueFailure::Tell(this, kMsgBoxTitle, MSG_ALIGN_LEFT);
        return;
    }
    if (!m_contracts.isEmpty()) {
        ShowRows(HLXListRows(m_contracts, s.FgstnrFull, [this](const CHLXVertragInfo &contract) {
            return ConditionText(contract);
        }));
        m_pPrint->setEnabled(true);
        return;
    }
    const int notice = HLXNoticeId(s, 0);
    ShowRows(notice ? HLXNoticeRows(notice) : std::vector<CHLXRow>());
}

void CHLXDlg::ShowRows(const std::vector<CHLXRow> &rows)
{
    CHLXRowPainter::SetRows(m_pModel, rows);
    m_pList->scrollToTop();
}

QString CHLXDlg::ConditionText(const CHLXVertragInfo &contract) const
{
    return m_pSettings ? ReadHLXConditionText(m_pSettings->DataDir, contract, GetPrgSprache())
                       : QString();
}

void CHLXDlg::OnTop()
{
    PlaySoundSelected(m_pSettings);
    m_pList->scrollToTop();
}

void CHLXDlg::OnPrint()
{
    PlaySoundSelected(m_pSettings);
    if (m_contracts.isEmpty())
        return;
    if (!m_pPrintDlg) {
        m_pPrintDlg = std::make_unique<CEasyPrintDlg>(m_pPrintOut.get(), this);
        // The footers count the pages of each contract; the engine's page
        // numbers would take their place at the bottom of the sheet.
        m_pPrintDlg->SetPageNumbers(0);
        if (auto *numbers = m_pPrintDlg->findChild<QCheckBox *>(QStringLiteral("pageNumbers")))
            numbers->setEnabled(false);
        if (m_pSettings && !m_pSettings->LocalFolder.isEmpty())
            m_pPrintDlg->SetPdfFolder(m_pSettings->LocalFolder);
    }
    if (m_pSettings && !m_pSettings->Preview)
        m_pPrintDlg->Print(false);
    else
        m_pPrintDlg->DoModal();
}
