#pragma once
// The maintenance-topic page: the inspection sheets of the vehicle.

#include "common/PageDlg.h"

class CSBLWlDlg : public CPageDlg
{
    Q_OBJECT
public:
    CSBLWlDlg();
    ~CSBLWlDlg() override;

protected:
    void BuildPage(QVBoxLayout *body) override;
};
