#pragma once
// The findings page: the adviser finds workshop findings by finding number,
// by text, by labour position (AP number) or by walking the findings
// hierarchy, sees for each whether the vehicle's inclusive-service
// contracts cover it, and hands a finding to the basket. The lists and
// reads are CBfndRows; the page shows them and routes the commands.

#include "common/PageDlg.h"

#include <memory>

class CBfndContractCheck;
class CBfndRows;
class CPaket;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
struct CBfndStatusLine;

class CBfndDlg : public CPageDlg
{
    Q_OBJECT
public:
    CBfndDlg();
    ~CBfndDlg() override;

    // 1 when the page is opened (from the labour-value catalogue or the
    // package editing page it shows the findings of the settings' labour
    // position or findings group); 0 after a change of the mileage, which
    // reads the contracts again and leaves the lists.
    using CPageDlg::ActivatePage;
    void ActivatePage(int reload);
    // Shown by a switch, the page is opened (reloaded) only when the
    // request activates it; otherwise it comes back as it was left.
    void ActivateOnShow(const CPageRequest &request) override;

    // The findings of the labour position, or with an empty number those
    // of the settings' findings group; `package` is the package being
    // edited when the package editing page asks, else null.
    void ShowBefundForAPos(const QString &apNumber, const CPaket *package);
    // Hands the result row (-1: the selected one) to the basket.
    void AddFindingToBasket(int index = -1);
    // Runs the search of the filled field (finding number, text or AP number).
    void OnSearch();

    CBfndRows *Rows() const { return m_pRows.get(); }
    bool CameFromPackage() const { return m_bFromPackage; }

protected:
    void BuildPage(QVBoxLayout *body) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void EnsureRows();
    void ShowRows();
    void OnUpperOpen(int index);
    void OnResultOpen(int index);
    void OnResultSelect(int index);
    void OnLevelUp();
    void OnNumberEdited();
    void OnTextEdited();
    void OnApNumberEdited();
    void StartEdit();
    void UpdateStatusLines();
    // Tells once what failed since the last time: a read of the findings,
    // the contracts or their finding lists.
    void TellFailedReads();
    void SetStatusLine(QFrame *frame, QLabel *label, const CBfndStatusLine &line);

    std::unique_ptr<CBfndRows> m_pRows;
    std::unique_ptr<CBfndContractCheck> m_pCheck;
    COwnButton *m_pLevelUp = nullptr;
    COwnButton *m_pBasket = nullptr;
    COwnButton *m_pSearch = nullptr;
    QLineEdit *m_pNumber = nullptr;
    QLineEdit *m_pText = nullptr;
    QLineEdit *m_pApNumber = nullptr;
    QLineEdit *m_pHint = nullptr;
    QListWidget *m_pUpper = nullptr;
    QListWidget *m_pResult = nullptr;
    QFrame *m_pStatusFrame1 = nullptr;
    QFrame *m_pStatusFrame2 = nullptr;
    QLabel *m_pStatus1 = nullptr;
    QLabel *m_pStatus2 = nullptr;
    // The line the result selection was last moved to, for the direction
    // a move over a labour-position row goes on in.
    int m_nRememberedIndex = -1;
    int m_nContractFailures = 0;
    bool m_bFromPackage = false;
    bool m_bUpdating = false;
};
