#include "catalogues/BfndDlg.h"

#include <QVBoxLayout>

CBfndDlg::CBfndDlg() = default;
CBfndDlg::~CBfndDlg() = default;

void CBfndDlg::BuildPage(QVBoxLayout *body)
{
    AddWorkArea(body);
}

void CBfndDlg::ActivatePage(int reload)
{
    if (reload)
        CPageDlg::ActivatePage();
    else if (IsCreated())
        m_Changed.Clear();
}
