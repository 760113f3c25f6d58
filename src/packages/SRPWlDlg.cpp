#include "packages/SRPWlDlg.h"

#include "common/OwnButton.h"
#include "common/PageHost.h"
#include "platform/OrmelText.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

CSRPWlDlg::CSRPWlDlg() = default;
CSRPWlDlg::~CSRPWlDlg() = default;

bool CSRPWlDlg::Create(CPrgSettings *settings, int templateId, CYaqDb *db0, CYaqDb *db1,
                       CYaqDb *db2, IPageHost *host, QWidget *parent)
{
    CreatePage(settings, templateId, {db0, db1, db2}, host, parent);
    return IsCreated();
}

void CSRPWlDlg::BuildPage(QVBoxLayout *body)
{
    SetCaptionText(OrmelText(3183));
    auto *row = new QHBoxLayout;
    m_pPrevButton =
        MakeButton(QStringLiteral("listUpButton"), QString(), QStringLiteral(":/bitmaps/up.png"));
    m_pNextButton = MakeButton(QStringLiteral("listDownButton"), QString(),
                               QStringLiteral(":/bitmaps/down.png"));
    row->addWidget(m_pPrevButton);
    row->addWidget(m_pNextButton);
    row->addStretch(1);
    body->addLayout(row);
    AddWorkArea(body);
    ClearLists();
    UpdateBackButton();
}

void CSRPWlDlg::ClearLists()
{
    if (!IsCreated())
        return;
    m_pPrevButton->setEnabled(false);
    m_pNextButton->setEnabled(false);
}

void CSRPWlDlg::ActivatePage()
{
    if (!IsCreated())
        return;
    if (m_bTextsChanged) {
        SetCaptionText(OrmelText(3183));
        m_bTextsChanged = 0;
    }
    m_Changed.Clear();
    UpdateBackButton();
}

void CSRPWlDlg::UpdateBackButton()
{
    BackButton()->setEnabled(m_bFromNrAbfrage || m_bFromAwKat);
}

void CSRPWlDlg::OnBack()
{
    if (!m_pHost)
        return;
    if (m_bFromNrAbfrage) {
        m_bFromNrAbfrage = 0;
        m_pHost->ShowNrAbfragePage(true, false);
    } else if (m_bFromAwKat) {
        m_bFromAwKat = 0;
        m_pHost->ShowAwKatPage(0, false);
    } else {
        m_pHost->ShowHomePage();
    }
}
