#pragma once
// "Kontaktinformationen zu Pakete": the contact box of the package list. It
// shows the support notice and the way back. The telephone number, the
// e-mail address and the buttons that open the quality-report form and the
// e-mail program stay hidden: the former hotline addresses are no longer
// served, and nothing fills the two fields.

#include <QDialog>

class COwnButton;
class CPrgSettings;
class QLabel;
class QLineEdit;

class CVgKontaktDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CVgKontaktDlg(CPrgSettings *settings, QWidget *parent = nullptr);

    int DoModal() { return exec(); }

    // The address the e-mail program opens for the address text; empty for
    // an empty address, which opens nothing.
    static QString MailUrl(const QString &address);
    // The quality-report form of the program language ("00" German, any
    // other "01") in the data directory.
    static QString QualityReportPath(const QString &dataDir, const QString &language);

    COwnButton *BackButton() const { return m_pBack; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void OnBack();
    void OnQualityReport();
    void OnMail();

    CPrgSettings *m_pSettings;
    QLineEdit *m_pPhone = nullptr;
    QLineEdit *m_pMail = nullptr;
    COwnButton *m_pQualityReport = nullptr;
    COwnButton *m_pMailProgram = nullptr;
    COwnButton *m_pBack = nullptr;
};
