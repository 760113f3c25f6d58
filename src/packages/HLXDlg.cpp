#include "packages/HLXDlg.h"

#include "common/OwnButton.h"
#include "common/PageHost.h"

#include <QVBoxLayout>

CHLXDlg::CHLXDlg() = default;
CHLXDlg::~CHLXDlg() = default;

bool CHLXDlg::Create(CPrgSettings *settings, int templateId, CYaqDb *db0, CYaqDb *db1,
                     IPageHost *host, QWidget *parent)
{
    CreatePage(settings, templateId, {db0, db1}, host, parent);
    return IsCreated();
}

void CHLXDlg::BuildPage(QVBoxLayout *body)
{
    AddWorkArea(body);
}

void CHLXDlg::ActivatePage()
{
    if (!IsCreated())
        return;
    m_bTextsChanged = 0;
    m_Changed.Clear();
}

void CHLXDlg::OnBack()
{
    if (!m_pHost)
        return;
    if (m_bFromAwKat) {
        m_bFromAwKat = 0;
        m_pHost->ShowAwKatPage(0, false);
    } else if (m_bFromSRP) {
        m_bFromSRP = 0;
        m_pHost->ShowSRPWlPage(0);
    } else {
        m_pHost->ShowHomePage();
    }
}
