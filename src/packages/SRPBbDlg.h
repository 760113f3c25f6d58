#pragma once
// The package editing page: the chosen package with its positions, alternatives
// and options.

#include "packages/PaketDmsPage.h"

class CSRPBbDlg : public CPaketDmsPage
{
    Q_OBJECT
public:
    CSRPBbDlg();
    ~CSRPBbDlg() override;
};
