#include "setup/DownloadDlg.h"

#include "settings/PrgSettings.h"
#include "platform/OrmelText.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

CDownloadDlg::CDownloadDlg() = default;
CDownloadDlg::~CDownloadDlg() = default;

bool CDownloadDlg::Create(CPrgSettings *settings, int templateId, CYaqDb *db0, CYaqDb *db1,
                          IPageHost *host, QWidget *parent)
{
    CreatePage(settings, templateId, {db0, db1}, host, parent);
    return IsCreated();
}

void CDownloadDlg::BuildPage(QVBoxLayout *body)
{
    auto *form = new QFormLayout;
    m_pFolder = new QLineEdit(this);
    m_pFolder->setObjectName(QStringLiteral("targetFolderEdit"));
    m_pFolder->setReadOnly(true);
    form->addRow(QStringLiteral("Zielverzeichnis"), m_pFolder);
    body->addLayout(form);
    AddWorkArea(body);
    ActivatePage();
}

void CDownloadDlg::ActivatePage()
{
    if (!IsCreated())
        return;
    SetCaptionText(OrmelText(2058));
    m_pFolder->setText(m_pSettings->DownloadDir);
    m_bTextsChanged = 0;
    m_Changed.Clear();
}
