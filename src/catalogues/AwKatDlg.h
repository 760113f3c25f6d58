#pragma once
// The labour-value catalogue page: main groups, subgroups and labour
// positions of the vehicle.

#include "common/PageDlg.h"

class CYaqDb;

class CAwKatDlg : public CPageDlg
{
    Q_OBJECT
public:
    CAwKatDlg();
    ~CAwKatDlg() override;

    bool Create(CPrgSettings *settings, int templateId, CYaqDb *db0, CYaqDb *db1, CYaqDb *db2,
                IPageHost *host, QWidget *parent);

    // Runs before the page switch decides whether to show the page.
    void ActivatePage(int arg);
    int LastActivation() const { return m_nActivation; }
    int ActivationCount() const { return m_nActivations; }

    // Set when the page was opened from the home page.
    int m_bFromHome = 0;

    // The price button (disabled in a session) and "SR&P" (disabled in a
    // restricted session).
    COwnButton *PriceButton() const { return m_pPrice; }
    COwnButton *SrpButton() const { return m_pSrp; }

protected:
    void BuildPage(QVBoxLayout *body) override;

private:
    void ApplySessionLocks();

    COwnButton *m_pPrice = nullptr;
    COwnButton *m_pSrp = nullptr;
    int m_nActivation = 0;
    int m_nActivations = 0;
};
