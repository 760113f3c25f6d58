#pragma once
// The number entry of the package pages ("AW - Editieren"): a number of at
// most four digits, centred. The new number counts only when it differs
// from the text the entry opened with and is not empty.

#include <QDialog>

class COwnButton;
class CPrgSettings;
class QLineEdit;

class CEditNrDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CEditNrDlg(CPrgSettings *settings, QWidget *parent = nullptr);

    // Runs the entry on the initial text: the new number, or -1 when the
    // text was left as it was, emptied, or the entry was cancelled.
    int DoModal(const QString &initial);

    // The result of OK for the text typed: its number, or -1 when it equals
    // the initial text or is empty.
    static int ResultOf(const QString &initial, const QString &typed);

    QLineEdit *NumberField() const { return m_pEdit; }

private:
    void OnOk();
    void OnCancel();

    CPrgSettings *m_pSettings;
    QString m_strInitial;
    QLineEdit *m_pEdit = nullptr;
    COwnButton *m_pOk = nullptr;
    COwnButton *m_pCancel = nullptr;
};
