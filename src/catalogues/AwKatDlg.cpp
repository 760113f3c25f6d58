#include "catalogues/AwKatDlg.h"

#include "settings/PrgSettings.h"
#include "common/OwnButton.h"
#include "platform/OrmelText.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

CAwKatDlg::CAwKatDlg() = default;
CAwKatDlg::~CAwKatDlg() = default;

bool CAwKatDlg::Create(CPrgSettings *settings, int templateId, CYaqDb *db0, CYaqDb *db1,
                       CYaqDb *db2, IPageHost *host, QWidget *parent)
{
    CreatePage(settings, templateId, {db0, db1, db2}, host, parent);
    return IsCreated();
}

void CAwKatDlg::BuildPage(QVBoxLayout *body)
{
    SetCaptionText(OrmelText(3200));
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
    if (!IsCreated())
        return;
    if (m_bTextsChanged) {
        SetCaptionText(OrmelText(3200));
        m_bTextsChanged = 0;
    }
    m_Changed.Clear();
    ApplySessionLocks();
}

void CAwKatDlg::ApplySessionLocks()
{
    if (m_pSettings && m_pSettings->bSession)
        m_pPrice->setEnabled(false);
    if (m_pSettings && m_pSettings->nRestrictedSession)
        m_pSrp->setEnabled(false);
}
