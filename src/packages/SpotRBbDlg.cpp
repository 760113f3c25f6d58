#include "packages/SpotRBbDlg.h"

CSpotRBbDlg::CSpotRBbDlg() = default;
CSpotRBbDlg::~CSpotRBbDlg() = default;
