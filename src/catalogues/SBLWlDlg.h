#pragma once
// The maintenance-topic page: the inspection sheets of the vehicle.

#include "common/PageDlg.h"

class CYaqDb;

class CSBLWlDlg : public CPageDlg
{
    Q_OBJECT
public:
    CSBLWlDlg();
    ~CSBLWlDlg() override;

    bool Create(CPrgSettings *settings, int templateId, CYaqDb *db0, CYaqDb *db1, CYaqDb *db2,
                IPageHost *host, QWidget *parent);

    // (Re)loads the maintenance topics of the current vehicle.
    void ActivatePage();

protected:
    void BuildPage(QVBoxLayout *body) override;

private:
};
