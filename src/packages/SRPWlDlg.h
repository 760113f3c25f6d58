#pragma once
// The package list page: the packages that apply to the identified vehicle.

#include "common/PageDlg.h"

class CSRPWlDlg : public CPageDlg
{
    Q_OBJECT
public:
    CSRPWlDlg();
    ~CSRPWlDlg() override;

    // Empties the package lists and disables the two navigation buttons.
    void ClearLists();

protected:
    void BuildPage(QVBoxLayout *body) override;
    // Re-reads the vehicle-dependent data for the current vehicle.
    void RefreshPage() override;

private:
    COwnButton *m_pPrevButton = nullptr;
    COwnButton *m_pNextButton = nullptr;
};
