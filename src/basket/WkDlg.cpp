#include "basket/WkDlg.h"

#include "common/OwnButton.h"
#include "platform/MsgBox.h"
#include "platform/OrmelText.h"
#include "settings/PrgSettings.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

CWkDlg::CWkDlg() = default;
CWkDlg::~CWkDlg() = default;

void CWkDlg::BuildPage(QVBoxLayout *body)
{
    auto *row = new QHBoxLayout;
    auto *form = new QFormLayout;
    m_pAuftragsNr = new QLineEdit(this);
    m_pAuftragsNr->setObjectName(QStringLiteral("orderNumberEdit"));
    m_pAbrechnung = new QLineEdit(this);
    m_pAbrechnung->setObjectName(QStringLiteral("settlementEdit"));
    m_pAbrechnung->setReadOnly(true);
    m_pJobNr = new QLineEdit(this);
    m_pJobNr->setObjectName(QStringLiteral("jobNumberEdit"));
    form->addRow(QStringLiteral("Auftrags-Nr."), m_pAuftragsNr);
    form->addRow(QString(), m_pAbrechnung);
    form->addRow(QStringLiteral("Job-Nr."), m_pJobNr);
    row->addLayout(form);
    row->addStretch(1);
    m_pSrp = MakeButton(QStringLiteral("srpButton"), QStringLiteral("SR&P"));
    m_pTransfer = MakeButton(QStringLiteral("transferButton"), QStringLiteral("&Übertragen"));
    row->addWidget(m_pSrp, 0, Qt::AlignBottom);
    row->addWidget(m_pTransfer, 0, Qt::AlignBottom);
    body->addLayout(row);
    AddWorkArea(body);
    UpdateButtons();
}

void CWkDlg::RefreshPage()
{
    OfferBackToOrigin();
    UpdateButtons();
}

int CWkDlg::AddToBasket(CWKListItem *entry, int mode)
{
    Q_UNUSED(mode);
    UpdateData(true);
    if (m_bVehicleChanged) {
        if (GetEntryCount() > 0 &&
            OwnMsgBox(OrmelText(4045), this, kMsgBoxTitle, MSG_ALIGN_LEFT, MB_YESNO) != IDYES)
            return 1;
        ClearBasket();
        ResetPrintData();
        m_bVehicleChanged = 0;
    }
    Q_UNUSED(entry);
    UpdateData(false);
    return 0;
}

void CWkDlg::ClearBasket()
{
    m_WkList.clear();
    m_strAuftragsNr.clear();
    m_strAbrechnung.clear();
    m_strJobNr.clear();
    UpdateData(false);
    UpdateButtons();
}

void CWkDlg::ResetPrintData()
{
    if (!m_pSettings)
        return;
    m_pSettings->nBasketPrintForm = 0;
    for (QString &text : m_pSettings->PrintTexts)
        text.clear();
}

void CWkDlg::UpdateButtons()
{
    if (!IsCreated())
        return;
    const bool session = m_pSettings && m_pSettings->bSession;
    const bool restricted = m_pSettings && m_pSettings->nRestrictedSession;
    // The transfer to the dealer system is never offered in a session.
    m_pTransfer->setEnabled(!session && GetEntryCount() > 0);
    m_pSrp->setEnabled(!restricted);
}

void CWkDlg::UpdateData(bool saveAndValidate)
{
    if (!IsCreated())
        return;
    if (saveAndValidate) {
        m_strAuftragsNr = m_pAuftragsNr->text();
        m_strAbrechnung = m_pAbrechnung->text();
        m_strJobNr = m_pJobNr->text();
    } else {
        m_pAuftragsNr->setText(m_strAuftragsNr);
        m_pAbrechnung->setText(m_strAbrechnung);
        m_pJobNr->setText(m_strJobNr);
    }
}

void CWkDlg::OnBack()
{
    // "<" is offered once: it stays disabled until the basket is shown
    // again, and Escape then leads home.
    BackButton()->setEnabled(false);
    CPageDlg::OnBack();
}
