#include "catalogues/SBLWlDlg.h"

#include "platform/OrmelText.h"

#include <QVBoxLayout>

CSBLWlDlg::CSBLWlDlg() = default;
CSBLWlDlg::~CSBLWlDlg() = default;

bool CSBLWlDlg::Create(CPrgSettings *settings, int templateId, CYaqDb *db0, CYaqDb *db1,
                       CYaqDb *db2, IPageHost *host, QWidget *parent)
{
    CreatePage(settings, templateId, {db0, db1, db2}, host, parent);
    return IsCreated();
}

void CSBLWlDlg::BuildPage(QVBoxLayout *body)
{
    SetCaptionText(OrmelText(3197));
    AddWorkArea(body);
}

void CSBLWlDlg::ActivatePage()
{
    if (!IsCreated())
        return;
    if (m_bTextsChanged) {
        SetCaptionText(OrmelText(3197));
        m_bTextsChanged = 0;
    }
    m_Changed.Clear();
}
