#include "packages/HLXDlg.h"

#include <QVBoxLayout>

CHLXDlg::CHLXDlg() = default;
CHLXDlg::~CHLXDlg() = default;

void CHLXDlg::BuildPage(QVBoxLayout *body)
{
    AddWorkArea(body);
}
