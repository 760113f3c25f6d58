#pragma once
// Asks for the full 17-character VIN when only its last seven characters are
// known (a caller or the DMS gave a short VIN). OK is possible only with
// exactly 17 characters; the entry is taken in upper case.

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class CSelVin7TypschlDlg : public QDialog
{
    Q_OBJECT
public:
    CSelVin7TypschlDlg(const QString &vin7, QWidget *parent = nullptr);

    // IDOK (1) with a full VIN entered, IDCANCEL (2) otherwise.
    int DoModal();
    QString GetVin() const { return m_strVin; }

    QLineEdit *VinEdit() const { return m_pEdit; }
    // OK: ends the dialog only with exactly 17 characters.
    void OnOK();

private:
    QString m_strVin7; // the known characters; not shown
    QString m_strVin;
    QLineEdit *m_pEdit = nullptr;
    QLabel *m_pPrompt = nullptr;
    QPushButton *m_pOK = nullptr;
    QPushButton *m_pCancel = nullptr;
};
