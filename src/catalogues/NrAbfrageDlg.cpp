#include "catalogues/NrAbfrageDlg.h"

#include "settings/PrgSettings.h"
#include "common/OwnButton.h"
#include "platform/OrmelText.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

CNrAbfrageDlg::CNrAbfrageDlg() = default;
CNrAbfrageDlg::~CNrAbfrageDlg() = default;

bool CNrAbfrageDlg::Create(CPrgSettings *settings, int templateId, CYaqDb *db0, CYaqDb *db1,
                           CYaqDb *db2, CYaqDb *db3, IPageHost *host, QWidget *parent)
{
    CreatePage(settings, templateId, {db0, db1, db2, db3}, host, parent);
    return IsCreated();
}

void CNrAbfrageDlg::BuildPage(QVBoxLayout *body)
{
    SetCaptionText(OrmelText(2013));
    auto *row = new QHBoxLayout;
    m_pSearch = new QLineEdit(this);
    m_pSearch->setObjectName(QStringLiteral("searchEdit"));
    m_pSrp = MakeButton(QStringLiteral("srpButton"), QStringLiteral("SR&P"));
    row->addWidget(m_pSearch, 1);
    row->addWidget(m_pSrp);
    body->addLayout(row);
    AddWorkArea(body);
}

void CNrAbfrageDlg::ActivatePage()
{
    if (!IsCreated())
        return;
    if (m_bTextsChanged) {
        SetCaptionText(OrmelText(2013));
        m_bTextsChanged = 0;
    }
    m_Changed.Clear();
    if (m_pSettings && m_pSettings->nRestrictedSession)
        m_pSrp->setEnabled(false);
}
