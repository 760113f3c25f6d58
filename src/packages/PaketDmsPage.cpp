#include "packages/PaketDmsPage.h"

#include "settings/PrgSettings.h"
#include "common/OwnButton.h"
#include "common/PageHost.h"
#include "platform/OrmelText.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

CPaketDmsPage::CPaketDmsPage() = default;
CPaketDmsPage::~CPaketDmsPage() = default;

bool CPaketDmsPage::Create(CPrgSettings *settings, int templateId, CYaqDb *db0, CYaqDb *db1,
                           CYaqDb *db2, CYaqDb *db3, IPageHost *host, QWidget *parent)
{
    CreatePage(settings, templateId, {db0, db1, db2, db3}, host, parent);
    return IsCreated();
}

void CPaketDmsPage::BuildPage(QVBoxLayout *body)
{
    SetCaptionText(OrmelText(3183));
    auto *row = new QHBoxLayout;
    m_pDmsRequest = MakeButton(QStringLiteral("dmsRequestButton"), QStringLiteral("&DMS-Anfrage"));
    m_pTransfer = MakeButton(QStringLiteral("transferButton"), QStringLiteral("Übertragen"));
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
    if (!IsCreated())
        return;
    if (m_bTextsChanged) {
        SetCaptionText(OrmelText(3183));
        m_bTextsChanged = 0;
    }
    m_Changed.Clear();
    ApplySessionLocks();
}

void CPaketDmsPage::ApplySessionLocks()
{
    // The DMS exchange of a package is not available in a session.
    if (m_pSettings && m_pSettings->bSession) {
        m_pDmsRequest->setEnabled(false);
        m_pTransfer->setEnabled(false);
    }
}

void CPaketDmsPage::OnBack()
{
    if (m_pHost)
        m_pHost->ShowSRPWlPage(0);
}
