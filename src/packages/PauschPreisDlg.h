#pragma once
// The modal dialog "Direkte Preisanpassung": the service adviser sets the
// price of a package by hand, as a reduction in percent of the standard
// price or as a new price; each entry updates the other at once. On OK the
// new price becomes the head's gross price of set 1.

#include "packages/model/DirectPrice.h"

#include <QDialog>

class CPosition;
class CPrgSettings;
class COwnButton;
class QLineEdit;
class QLabel;

class CPauschPreisDlg : public QDialog
{
    Q_OBJECT
public:
    // head: the package head (borrowed), changed only on OK.
    CPauschPreisDlg(CPosition *head, CPrgSettings *settings, QWidget *parent = nullptr);

    // QDialog::Accepted when the price was taken over.
    int DoModal() { return exec(); }

protected:
    // Return and the pad's Enter take OK, as long as OK is possible.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void OnPercentEdited();
    void OnPriceEdited();
    void OnOk();
    void UpdateOkButton();

    CPrgSettings *m_pSettings;
    CDirectPrice m_price;
    QLineEdit *m_pName;
    QLineEdit *m_pNumber;
    QLineEdit *m_pStandardPrice;
    QLineEdit *m_pPercent;
    QLineEdit *m_pNewPrice;
    COwnButton *m_pBack;
    COwnButton *m_pOk;
};
