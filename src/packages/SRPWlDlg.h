#pragma once
// The package list page: the packages that apply to the identified vehicle.

#include "common/PageDlg.h"

class CYaqDb;

class CSRPWlDlg : public CPageDlg
{
    Q_OBJECT
public:
    CSRPWlDlg();
    ~CSRPWlDlg() override;

    bool Create(CPrgSettings *settings, int templateId, CYaqDb *db0, CYaqDb *db1, CYaqDb *db2,
                IPageHost *host, QWidget *parent);

    // Empties the package lists and disables the two navigation buttons.
    void ClearLists();
    // Re-reads the vehicle-dependent data for the current vehicle.
    void ActivatePage();

    // Where "<" leads back to: the number query or the labour-value catalogue.
    int m_bFromNrAbfrage = 0;
    int m_bFromAwKat = 0;

protected:
    void BuildPage(QVBoxLayout *body) override;
    void OnBack() override;

private:
    void UpdateBackButton();

    COwnButton *m_pPrevButton = nullptr;
    COwnButton *m_pNextButton = nullptr;
};
