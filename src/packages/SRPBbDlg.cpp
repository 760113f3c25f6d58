#include "packages/SRPBbDlg.h"

CSRPBbDlg::CSRPBbDlg() = default;
CSRPBbDlg::~CSRPBbDlg() = default;
