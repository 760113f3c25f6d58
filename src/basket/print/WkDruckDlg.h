#pragma once
// The basket's print dialog: a small picture of the printed form, with the
// dealer's letterhead, the form's title and number, date and validity, the
// customer, the further information, the table heads, the terms and the
// signature line where the form prints them. The adviser fills the header
// fields, chooses the form, may change the dealer's print defaults or add a
// remark. Most fields go into the settings while they are typed, so that
// they stay for the next print until the basket page resets them.

#include <QDialog>
#include <QString>

#include <functional>

class CPrgSettings;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

// Results of CWkDruckDlg::exec.
enum
{
    WKDRUCK_PRINT = 1,
    WKDRUCK_CANCEL = 2,
    WKDRUCK_PDF = 14,
};

// The header of the form as the remark dialog repeats it.
struct CWkDkZusHeader
{
    QString firma, brand, title, numberCaption, dateCaption, validCaption;
    QString offerNumber, date, validUntil;
};

class CWkDruckDlg : public QDialog
{
    Q_OBJECT
public:
    // The help contexts of the dialog and of its remark dialog.
    static constexpr int kHelpContext = 224;
    static constexpr int kRemarkHelpContext = 247;

    // date: the date of the main window's head row, shown for editing.
    CWkDruckDlg(CPrgSettings *settings, const QString &date, QWidget *parent = nullptr);

    // F1 and "?", here and in the dialogs it opens: the program's help for
    // a context.
    void SetHelp(std::function<void(int context)> help) { m_help = std::move(help); }

    // The date as typed (digits and points, trailing blanks removed).
    QString Date() const;
    // The header as it stands in the dialog.
    CWkDkZusHeader Header() const;

    void reject() override;

protected:
    // Return and Escape stay with the field that has the focus: they
    // neither print nor cancel.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void SelectForm(int form);
    void ShowLetterhead();
    void OnRemark();
    void OnPrintDefaults();
    void OnHelp(int context);
    void Finish(int result);
    // An edit of a print text (BasketPrintText) for a field of the form
    // (BasketPrintField).
    QLineEdit *AddEdit(const QString &name, int textIndex, int field);
    void FilterNumeric(QLineEdit *edit);
    // A bordered read-only field that serves as a label.
    QLineEdit *Shown(const QString &name);

    CPrgSettings *m_pSettings;
    std::function<void(int)> m_help;
    QRadioButton *m_pStandard = nullptr;
    QRadioButton *m_pInfo = nullptr;
    QLineEdit *m_pOfferNumber = nullptr;
    QLineEdit *m_pDate = nullptr;
    QLineEdit *m_pValidUntil = nullptr;
    QLineEdit *m_pUser = nullptr;
    QLineEdit *m_pTel = nullptr;
    QLineEdit *m_pFax = nullptr;
    QPushButton *m_pRemark = nullptr;
    QPushButton *m_pDefaults = nullptr;
    QPushButton *m_pPdf = nullptr;
    // The form's own texts.
    QLineEdit *m_pFirmaHead = nullptr;
    QLineEdit *m_pBrand = nullptr;
    QLineEdit *m_pTitle = nullptr;
    QLineEdit *m_pNumberCaption = nullptr;
    QLineEdit *m_pDateCaption = nullptr;
    QLineEdit *m_pValidCaption = nullptr;
    QLineEdit *m_pInfoCaption = nullptr;
    QLineEdit *m_pCaptions[4] = {};   // FirmaT, StrasseT, CityT, City2T
    QLineEdit *m_pLetterhead[4] = {}; // Firma, Strasse, City, City2
    QLineEdit *m_pOfferedBy = nullptr;
    QLineEdit *m_pNetto = nullptr;
    QLineEdit *m_pMwSt = nullptr;
    QLineEdit *m_pBrutto = nullptr;
    QPlainTextEdit *m_pTerms = nullptr;
    QPlainTextEdit *m_pTerms2 = nullptr;
};

// The free remark of the offer, printed on pages of its own, under the
// header of the form.
class CWkDkZusDlg : public QDialog
{
    Q_OBJECT
public:
    CWkDkZusDlg(CPrgSettings *settings, const CWkDkZusHeader &header, QWidget *parent = nullptr);
    void SetHelp(std::function<void()> help) { m_help = std::move(help); }
    void accept() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    CPrgSettings *m_pSettings;
    QPlainTextEdit *m_pRemark;
    std::function<void()> m_help;
};
