#pragma once
// The information box: the program with its kind of database connection,
// the data state, two legal notices, and through its icon the report of
// the data-package imports.

#include <QDialog>
#include <QString>

class COwnButton;
class CPrgSettings;
class CYaqDb;
class QLabel;

class CAboutDlg : public QDialog
{
    Q_OBJECT
public:
    // tns: the connect text of the start-up's database connection.
    CAboutDlg(CPrgSettings *settings, CYaqDb *db0, const QString &tns, QWidget *parent = nullptr);
    ~CAboutDlg() override;

    int DoModal() { return exec(); }

    // "Y A Q 2 " and the connection kind: offline with a local data set
    // (with the platform's server when the start-up configuration knows
    // one), web in a session, else the server of the TNS connect text.
    static QString ConnectionLine(const CPrgSettings &settings, const QString &tns,
                                  const QString &platformServer = QString());
    // "Stand" and the catalogue data date.
    static QString DataStateLine(const CPrgSettings &settings);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FillTexts();
    void OnIconClicked();

    CPrgSettings *m_pSettings;
    CYaqDb *m_pDb;
    QString m_strTns;
    QLabel *m_pIcon = nullptr;
    QLabel *m_pConnection = nullptr;
    QLabel *m_pDataState = nullptr;
    QLabel *m_pNotice1 = nullptr;
    QLabel *m_pNotice2 = nullptr;
    COwnButton *m_pOk = nullptr;
};
