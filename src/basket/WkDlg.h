#pragma once
// The basket page: the labour positions, findings and packages the user
// collected for the vehicle, with the order data for the dealer system.

#include "common/PageDlg.h"

#include <QList>

class CWKListItem;
class QLineEdit;

class CWkDlg : public CPageDlg
{
    Q_OBJECT
public:
    CWkDlg();
    ~CWkDlg() override;

    // Settles a pending vehicle change before anything is added: with the
    // vehicle-change flag set, a basket with entries asks message 4045 and
    // keeps everything on "No" (result 1); "Yes", or an empty basket,
    // empties the basket and its print data (result 0). A null entry adds
    // nothing.
    int AddToBasket(CWKListItem *entry, int mode);
    int GetEntryCount() const { return m_WkList.size(); }
    void ClearBasket();
    // Clears the print-form flag and the customer and print texts.
    void ResetPrintData();
    void UpdateButtons();

    // Dialog data: false writes the fields to the controls, true reads them.
    void UpdateData(bool saveAndValidate);

    // Set by the main window before it asks about a changed vehicle or
    // first registration; cleared when the change is settled.
    int m_bVehicleChanged = 0;

    // Order data the main window writes before UpdateData(false).
    QString m_strAuftragsNr;
    QString m_strAbrechnung;
    QString m_strJobNr;

    // "&Übertragen" (disabled in a session) and "SR&P" (disabled in a
    // restricted session).
    COwnButton *TransferButton() const { return m_pTransfer; }
    COwnButton *SrpButton() const { return m_pSrp; }

protected:
    void BuildPage(QVBoxLayout *body) override;
    // The sum line and the button states; "<" only back where the user
    // came from.
    void RefreshPage() override;
    void OnBack() override;

private:
    // The entries arrive with the basket's entry list; the page does not
    // own the items of this list yet.
    QList<CWKListItem *> m_WkList;
    COwnButton *m_pTransfer = nullptr;
    COwnButton *m_pSrp = nullptr;
    QLineEdit *m_pAuftragsNr = nullptr;
    QLineEdit *m_pAbrechnung = nullptr;
    QLineEdit *m_pJobNr = nullptr;
};
