#include "packages/SRPBbDlg.h"

#include "platform/OrmelText.h"

CSRPBbDlg::CSRPBbDlg() = default;
CSRPBbDlg::~CSRPBbDlg() = default;

void CSRPBbDlg::SetPackage(const CPackageRow &row, int kind, bool openInMK)
{
    m_listRow = row;
    m_nKind = kind;
    m_bOpenInMK = openInMK;
    SetCaptionText(OrmelText(3183) + QStringLiteral("  ") + row.number);
}
