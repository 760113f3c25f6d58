#pragma once
// The package editing page: the chosen package with its positions, alternatives
// and options.

#include "common/PageDlg.h"

class CYaqDb;

class CSRPBbDlg : public CPageDlg
{
    Q_OBJECT
public:
    CSRPBbDlg();
    ~CSRPBbDlg() override;

    bool Create(CPrgSettings *settings, int templateId, CYaqDb *db0, CYaqDb *db1, CYaqDb *db2,
                CYaqDb *db3, IPageHost *host, QWidget *parent);

    // Shows or refreshes the edited package; the selector is the caller's.
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
