#include "packages/DIPDlg.h"

#include "common/PageHost.h"
#include "platform/OrmelText.h"

#include <QVBoxLayout>

CDIPDlg::CDIPDlg() = default;
CDIPDlg::~CDIPDlg() = default;

bool CDIPDlg::Create(CPrgSettings *settings, int templateId, IPageHost *host, QWidget *parent)
{
    CreatePage(settings, templateId, host, parent);
    return IsCreated();
}

void CDIPDlg::BuildPage(QVBoxLayout *body)
{
    SetCaptionText(OrmelText(3183));
    AddWorkArea(body);
}

void CDIPDlg::ActivatePage()
{
    if (!IsCreated())
        return;
    m_bTextsChanged = 0;
    m_Changed.Clear();
}

void CDIPDlg::OnBack()
{
    // The page is opened over the package list and returns there.
    if (m_pHost)
        m_pHost->ShowSRPWlPage(0);
}
