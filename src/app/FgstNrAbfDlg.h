#pragma once
// "DMS-Fahrgestellnummer-Abfrage": the modal vehicle search of the "DMS-VIN"
// head button. The adviser types licence plate, the owner's last name and
// two free criteria, searches (the dealer's vehicle file or the DMS, by the
// request mode) and takes one VIN of the list; the main window identifies
// the vehicle with it. The searching is CVehicleSearch's; the dialog reads
// the fields, shows the list and hands the chosen vehicle on.

#include "app/VehicleSearch.h"
#include "common/DmsMsgBoxNotice.h"
#include "dms/SoapReqSender.h"

#include <QDialog>
#include <QFont>
#include <functional>
#include <memory>

class CFgstNrAbfDelegate;
class CFgstNrAbfModel;
class COwnButton;
class CPrgSettings;
class CYaqDb;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;

// Where the dialog's results go: the main window hands them in.
struct CVehicleSearchTarget
{
    // Identifies the taken vehicle with the fields it brings.
    CVehicleSearch::Apply apply;
    // F1: the help of the program.
    std::function<void()> help;
    // Sends the DMS request (the main window's client); null: a client of
    // the dialog's own.
    CDmsClient *client = nullptr;
};

class CFgstNrAbfDlg : public QDialog
{
    Q_OBJECT
public:
    // The dialog's template id, the page id the main window notes while it runs.
    static constexpr int kTemplateId = CVehicleSearch::kPageId;

    CFgstNrAbfDlg(CPrgSettings *settings, CYaqDb *db, QWidget *parent,
                  CVehicleSearchTarget target = CVehicleSearchTarget());
    ~CFgstNrAbfDlg() override;

    // Runs the dialog; IDOK when a VIN was taken over, IDCANCEL otherwise.
    int DoModal();

    // For tests and the window: the search and the take-over as the buttons
    // run them.
    void OnSearch();
    void OnTakeVin();
    const QList<CFgstNrAbfZeile> &Hits() const;
    QListView *List() const { return m_pList; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void BuildControls();
    void OnInitDialog();
    CVehicleSearchCriteria Criteria() const;
    void UpdateSearchButton();
    void ShowResults(const QList<CFgstNrAbfZeile> &hits);
    void OnBack();

    CPrgSettings *m_pSettings;
    CYaqDb *m_pDb;
    CVehicleSearchTarget m_target;
    CSoapReqSender m_ownSender;
    CDmsClient m_ownClient;
    CDmsMsgBoxNotice m_notice{this};

    QFont m_vinFont;  // bold, the VIN column
    QFont m_textFont; // the text columns
    int m_nGap = 0;   // leading gap of each column
    QSize m_initialSize;
    // The control Enter works on: the search button, or the list once it
    // had the focus (Enter then takes the selected VIN).
    QWidget *m_pDefault = nullptr;

    QLabel *m_pLabels[4] = {};
    QLineEdit *m_pLastName = nullptr;
    QLineEdit *m_pPlate = nullptr;
    QLineEdit *m_pCriterion3 = nullptr;
    QLineEdit *m_pCriterion4 = nullptr;
    COwnButton *m_pSearch = nullptr;
    COwnButton *m_pOk = nullptr;
    COwnButton *m_pBack = nullptr;
    QGroupBox *m_pGroup = nullptr;
    QListView *m_pList = nullptr;
    CFgstNrAbfModel *m_pModel = nullptr;
    CFgstNrAbfDelegate *m_pDelegate = nullptr;
};
