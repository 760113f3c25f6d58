#pragma once
// The spot-repair page: spot-repair packages for the current vehicle.

#include "packages/PaketDmsPage.h"

class CSpotRBbDlg : public CPaketDmsPage
{
    Q_OBJECT
public:
    CSpotRBbDlg();
    ~CSpotRBbDlg() override;
};
