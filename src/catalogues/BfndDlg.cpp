#include "catalogues/BfndDlg.h"

#include "platform/OrmelText.h"

#include <QVBoxLayout>

CBfndDlg::CBfndDlg() = default;
CBfndDlg::~CBfndDlg() = default;

bool CBfndDlg::Create(CPrgSettings *settings, int templateId, CYaqDb *db0, CYaqDb *db1, CYaqDb *db2,
                      CYaqDb *db3, IPageHost *host, QWidget *parent)
{
    CreatePage(settings, templateId, {db0, db1, db2, db3}, host, parent);
    return IsCreated();
}

void CBfndDlg::BuildPage(QVBoxLayout *body)
{
    SetCaptionText(OrmelText(3043));
    AddWorkArea(body);
}

void CBfndDlg::ActivatePage(int reload)
{
    if (!IsCreated())
        return;
    if (reload && m_bTextsChanged) {
        SetCaptionText(OrmelText(3043));
        m_bTextsChanged = 0;
    }
    m_Changed.Clear();
}
