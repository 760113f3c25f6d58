#include "catalogues/AwKatDlg.h"

#include "common/OwnButton.h"
#include "settings/PrgSettings.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

CAwKatDlg::CAwKatDlg() = default;
CAwKatDlg::~CAwKatDlg() = default;

void CAwKatDlg::BuildPage(QVBoxLayout *body)
{
    auto *row = new QHBoxLayout;
    m_pPrice = MakeButton(QStringLiteral("priceButton"), QStringLiteral("€"));
    m_pSrp = MakeButton(QStringLiteral("srpButton"), QStringLiteral("SR&P"));
    row->addStretch(1);
    row->addWidget(m_pPrice);
    row->addWidget(m_pSrp);
    body->addLayout(row);
    AddWorkArea(body);
    ApplySessionLocks();
}

void CAwKatDlg::ActivatePage(int arg)
{
    m_nActivation = arg;
    ++m_nActivations;
    CPageDlg::ActivatePage();
}

void CAwKatDlg::RefreshPage()
{
    ApplySessionLocks();
}

void CAwKatDlg::ApplySessionLocks()
{
    if (m_pSettings && m_pSettings->bSession)
        m_pPrice->setEnabled(false);
    if (m_pSettings && m_pSettings->nRestrictedSession)
        m_pSrp->setEnabled(false);
}
