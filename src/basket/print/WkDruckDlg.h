#pragma once
// The basket's print dialog: a small picture of the printed form with the
// header fields the adviser fills (offer number, date, validity, customer,
// further information), the choice of the form, and the remark dialog.
// Most fields go into the settings while they are typed, so that they stay
// for the next print until the basket page resets them.

#include <QDialog>
#include <QString>

class CPrgSettings;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QPlainTextEdit;

// Results of CWkDruckDlg::exec.
enum
{
    WKDRUCK_PRINT = 1,
    WKDRUCK_CANCEL = 2,
    WKDRUCK_PDF = 14,
};

class CWkDruckDlg : public QDialog
{
    Q_OBJECT
public:
    // date: the date of the main window's head row, shown for editing.
    CWkDruckDlg(CPrgSettings *settings, const QString &date, QWidget *parent = nullptr);

    // The date as typed (digits and points, trailing blanks removed).
    QString Date() const;

    // Digits and points only: removes the first other character; returns
    // its position, or -1 when the text was clean.
    static int CheckNumericInput(QString &text);
    // "VOQ Service", or "LUMO Service" for the brand code "LU".
    static QString BrandHeading(const QString &brandCode);

private:
    void SelectForm(int form);
    void OnRemark();
    void Finish(int result);
    QLineEdit *AddEdit(const QString &name, int textIndex, int maxLength);
    void FilterNumeric(QLineEdit *edit);

    CPrgSettings *m_pSettings;
    QRadioButton *m_pStandard = nullptr;
    QRadioButton *m_pInfo = nullptr;
    QLineEdit *m_pOfferNumber = nullptr;
    QLineEdit *m_pDate = nullptr;
    QLineEdit *m_pValidUntil = nullptr;
    QLineEdit *m_pUser = nullptr;
    QLineEdit *m_pTel = nullptr;
    QLineEdit *m_pFax = nullptr;
    QPushButton *m_pRemark = nullptr;
    QPushButton *m_pPdf = nullptr;
};

// The free remark of the offer, printed on pages of its own.
class CWkDkZusDlg : public QDialog
{
    Q_OBJECT
public:
    CWkDkZusDlg(CPrgSettings *settings, QWidget *parent = nullptr);
    void accept() override;

private:
    CPrgSettings *m_pSettings;
    QPlainTextEdit *m_pRemark;
};
