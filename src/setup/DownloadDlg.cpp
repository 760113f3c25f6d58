#include "setup/DownloadDlg.h"

#include "platform/OrmelText.h"
#include "settings/PrgSettings.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
constexpr int kTextTargetFolder = 7317;
} // namespace

CDownloadDlg::CDownloadDlg() = default;
CDownloadDlg::~CDownloadDlg() = default;

void CDownloadDlg::BuildPage(QVBoxLayout *body)
{
    auto *form = new QFormLayout;
    m_pFolder = new QLineEdit(this);
    m_pFolder->setObjectName(QStringLiteral("targetFolderEdit"));
    m_pFolder->setReadOnly(true);
    m_pFolderLabel = new QLabel(this);
    m_pFolderLabel->setObjectName(QStringLiteral("targetFolderLabel"));
    m_pFolderLabel->setBuddy(m_pFolder);
    form->addRow(m_pFolderLabel, m_pFolder);
    body->addLayout(form);
    AddWorkArea(body);
    RefreshPage();
}

void CDownloadDlg::RefreshPage()
{
    m_pFolderLabel->setText(OrmelText(kTextTargetFolder));
    m_pFolder->setText(m_pSettings->DownloadDir);
}
