#include "catalogues/NrAbfrageDlg.h"

#include "common/OwnButton.h"
#include "settings/PrgSettings.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

CNrAbfrageDlg::CNrAbfrageDlg() = default;
CNrAbfrageDlg::~CNrAbfrageDlg() = default;

void CNrAbfrageDlg::BuildPage(QVBoxLayout *body)
{
    auto *row = new QHBoxLayout;
    m_pSearch = new QLineEdit(this);
    m_pSearch->setObjectName(QStringLiteral("searchEdit"));
    m_pSrp = MakeButton(QStringLiteral("srpButton"), QStringLiteral("SR&P"));
    row->addWidget(m_pSearch, 1);
    row->addWidget(m_pSrp);
    body->addLayout(row);
    AddWorkArea(body);
}

void CNrAbfrageDlg::RefreshPage()
{
    if (m_pSettings && m_pSettings->nRestrictedSession)
        m_pSrp->setEnabled(false);
}
