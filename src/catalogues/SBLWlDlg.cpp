#include "catalogues/SBLWlDlg.h"

#include <QVBoxLayout>

CSBLWlDlg::CSBLWlDlg() = default;
CSBLWlDlg::~CSBLWlDlg() = default;

void CSBLWlDlg::BuildPage(QVBoxLayout *body)
{
    AddWorkArea(body);
}
