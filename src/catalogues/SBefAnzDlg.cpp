#include "catalogues/SBefAnzDlg.h"

#include "platform/OrmelText.h"

#include <QVBoxLayout>

CSBefAnzDlg::CSBefAnzDlg() = default;
CSBefAnzDlg::~CSBefAnzDlg() = default;

void CSBefAnzDlg::BuildPage(QVBoxLayout *body)
{
    AddWorkArea(body);
}

void CSBefAnzDlg::RefreshPage()
{
    SetCaptionText(OrmelText(3043) + QLatin1Char(' ') + m_strBefundNr);
}
