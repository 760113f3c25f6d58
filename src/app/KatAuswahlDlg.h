#pragma once
// "Katalog-Auswahl": the catalogue picker that opens when one model series of
// the head row has several catalogues (markets or editions). OK takes the
// chosen catalogue into the settings; Cancel changes nothing.

#include <QDialog>
#include <functional>

class CPrgSettings;
class CEReiheList;
struct CEReiheEntry;
class CKatAuswahlModel;
class CKatAuswahlDelegate;
class COwnButton;
class QGroupBox;
class QListView;

class CKatAuswahlDlg : public QDialog
{
    Q_OBJECT
public:
    enum Result
    {
        kTaken = 1,
        kCancelled = 2
    };

    CKatAuswahlDlg(CPrgSettings *settings, QWidget *parent = nullptr);
    ~CKatAuswahlDlg() override;

    // Offers the catalogues of the series code from the list at the screen
    // position; 1 when a catalogue was taken, 2 when cancelled.
    int DoModal(const QString &seriesCode, int x, int y, const CEReiheList *list);

    // Runs the prepared picker instead of the modal loop (tests): the
    // function answers for the user and returns the result.
    using Runner = std::function<int(CKatAuswahlDlg &)>;
    static void SetRunner(Runner runner);

    // For the runner and the caller.
    QListView *List() const { return m_pList; }
    int RowCount() const;
    int SelectedRow() const;
    void SelectRow(int row);
    const CEReiheEntry *SelectedEntry() const;
    // OK: takes the selected catalogue and ends with 1 (nothing without a
    // selection).
    void OnOK();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void OnInitDialog();
    void ApplyEntry(const CEReiheEntry &entry);
    void OnSelChange();

    QString m_strEReihe;
    int m_nRangeWidth = 100;
    int m_nSeriesWidth = 100;
    int m_nMarketWidth = 100;
    const CEReiheList *m_pList_ = nullptr;
    CPrgSettings *m_pSettings;
    int m_x = 0;
    int m_y = 0;
    bool m_bOkDefault = false; // Enter takes the selected row

    CKatAuswahlModel *m_pModel = nullptr;
    CKatAuswahlDelegate *m_pDelegate = nullptr;
    QListView *m_pList = nullptr;
    COwnButton *m_pOK = nullptr;
    QGroupBox *m_pGroup = nullptr;
};
