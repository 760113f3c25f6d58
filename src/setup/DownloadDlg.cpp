#include "setup/DownloadDlg.h"

#include "settings/PrgSettings.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

CDownloadDlg::CDownloadDlg() = default;
CDownloadDlg::~CDownloadDlg() = default;

void CDownloadDlg::BuildPage(QVBoxLayout *body)
{
    auto *form = new QFormLayout;
    m_pFolder = new QLineEdit(this);
    m_pFolder->setObjectName(QStringLiteral("targetFolderEdit"));
    m_pFolder->setReadOnly(true);
    form->addRow(QStringLiteral("Zielverzeichnis"), m_pFolder);
    body->addLayout(form);
    AddWorkArea(body);
    RefreshPage();
}

void CDownloadDlg::RefreshPage()
{
    m_pFolder->setText(m_pSettings->DownloadDir);
}
