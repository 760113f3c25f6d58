#pragma once
// The spot-repair page: spot-repair packages for the current vehicle.

#include "common/PageDlg.h"

class CYaqDb;

class CSpotRBbDlg : public CPageDlg
{
    Q_OBJECT
public:
    CSpotRBbDlg();
    ~CSpotRBbDlg() override;

    bool Create(CPrgSettings *settings, int templateId, CYaqDb *db0, CYaqDb *db1, CYaqDb *db2,
                CYaqDb *db3, IPageHost *host, QWidget *parent);

    // Sets the page up for the current vehicle; the selector is the caller's.
    void ActivatePage(int selector);
    int LastSelector() const { return m_nSelector; }

    // "&DMS-Anfrage" and "Übertragen": disabled while the program runs in a
    // session.
    COwnButton *DmsRequestButton() const { return m_pDmsRequest; }
    COwnButton *TransferButton() const { return m_pTransfer; }

protected:
    void BuildPage(QVBoxLayout *body) override;
    void OnBack() override;

private:
    void ApplySessionLocks();

    CYaqDb *m_pDb[4] = {nullptr, nullptr, nullptr, nullptr};
    COwnButton *m_pDmsRequest = nullptr;
    COwnButton *m_pTransfer = nullptr;
    int m_nSelector = 0;
};
