#include "catalogues/BfndDlg.h"

#include "platform/OrmelText.h"

#include <QVBoxLayout>

CBfndDlg::CBfndDlg() = default;
CBfndDlg::~CBfndDlg() = default;

bool CBfndDlg::Create(CPrgSettings *settings, int templateId, CYaqDb *db0, CYaqDb *db1, CYaqDb *db2,
                      CYaqDb *db3, IPageHost *host, QWidget *parent)
{
    m_pDb[0] = db0;
    m_pDb[1] = db1;
    m_pDb[2] = db2;
    m_pDb[3] = db3;
    CreatePage(settings, templateId, host, parent);
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
