#pragma once
// The labour-value catalogue page: main groups, subgroups and labour
// positions of the vehicle.

#include "common/PageDlg.h"

class CAwKatDlg : public CPageDlg
{
    Q_OBJECT
public:
    CAwKatDlg();
    ~CAwKatDlg() override;

    // Runs before the page switch decides whether to show the page.
    using CPageDlg::ActivatePage;
    void ActivatePage(int arg);
    int LastActivation() const { return m_nActivation; }
    int ActivationCount() const { return m_nActivations; }

    // The price button (disabled in a session) and "SR&P" (disabled in a
    // restricted session).
    COwnButton *PriceButton() const { return m_pPrice; }
    COwnButton *SrpButton() const { return m_pSrp; }

protected:
    void BuildPage(QVBoxLayout *body) override;
    void RefreshPage() override;

private:
    void ApplySessionLocks();

    COwnButton *m_pPrice = nullptr;
    COwnButton *m_pSrp = nullptr;
    int m_nActivation = 0;
    int m_nActivations = 0;
};
