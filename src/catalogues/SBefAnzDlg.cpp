#include "catalogues/SBefAnzDlg.h"

#include "common/PageHost.h"
#include "platform/OrmelText.h"

#include <QVBoxLayout>

CSBefAnzDlg::CSBefAnzDlg() = default;
CSBefAnzDlg::~CSBefAnzDlg() = default;

bool CSBefAnzDlg::Create(CPrgSettings *settings, int templateId, CYaqDb *db0, CYaqDb *db1,
                         CYaqDb *db2, CYaqDb *db3, IPageHost *host, QWidget *parent)
{
    CreatePage(settings, templateId, {db0, db1, db2, db3}, host, parent);
    return IsCreated();
}

void CSBefAnzDlg::BuildPage(QVBoxLayout *body)
{
    AddWorkArea(body);
}

void CSBefAnzDlg::ActivatePage()
{
    if (!IsCreated())
        return;
    SetCaptionText(OrmelText(3043) + QLatin1Char(' ') + m_strBefundNr);
}

void CSBefAnzDlg::OnBack()
{
    // The panel lies over the findings page and returns there.
    if (m_pHost)
        m_pHost->ShowBfndPage(false);
}
