#include "packages/PaketDmsPage.h"

#include "common/OwnButton.h"
#include "settings/PrgSettings.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

CPaketDmsPage::CPaketDmsPage() = default;
CPaketDmsPage::~CPaketDmsPage() = default;

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

void CPaketDmsPage::RefreshPage()
{
    ApplySessionLocks();
}
