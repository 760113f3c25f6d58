#include "packages/DIPDlg.h"

#include "platform/OrmelText.h"

#include <QVBoxLayout>

CDIPDlg::CDIPDlg() = default;
CDIPDlg::~CDIPDlg() = default;

void CDIPDlg::BuildPage(QVBoxLayout *body)
{
    // Named after the package list it lies over; the title stays the list's.
    SetCaptionText(OrmelText(3183));
    AddWorkArea(body);
}
