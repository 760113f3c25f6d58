#pragma once
// The labour-value catalogue page: the adviser walks the catalogue of the
// identified vehicle from the main groups down to the labour positions,
// prices a position and hands it to the basket, the packages, the
// maintenance topics or the findings. The walk itself is CAwKatWalk; the
// page shows it in two owner-drawn lists (the path and the level) and
// prints the selected positions.

#include "common/PageDlg.h"

#include <functional>
#include <memory>

class CAwKatColumnBar;
class CAwKatColumns;
class CAwKatPrintDoc;
class CAwKatRow;
class CAwKatRowDelegate;
class CAwKatRowModel;
class CAwKatRowPainter;
class CDmsClient;
class CAwKatWalk;
class CEasyPrintDlg;
class COwnLB;
class CWKListItem;
class QLabel;
class QModelIndex;

class CAwKatDlg : public CPageDlg
{
    Q_OBJECT
public:
    CAwKatDlg();
    ~CAwKatDlg() override;

    // The client of the price request (the main window's); null: a client
    // of the page's own on the program's SOAP client.
    void SetDmsClient(CDmsClient *client) { m_pDmsClient = client; }

    // Runs before the page switch decides whether to show the page; 1
    // walks to the settings' position number.
    using CPageDlg::ActivatePage;
    void ActivatePage(int arg);
    int LastActivation() const { return m_nActivation; }
    int ActivationCount() const { return m_nActivations; }

    // The price button (disabled in a session) and the package button
    // (disabled in a restricted session).
    COwnButton *PriceButton() const { return m_pPrice; }
    COwnButton *SrpButton() const { return m_pSrp; }

    CAwKatWalk *Walk() const { return m_pWalk.get(); }
    // The variant columns shown side by side and their scroll position.
    const CAwKatColumns &Columns() const { return *m_pColumns; }
    // Hands the selected position to the basket (the "&Z" button).
    void AddPositionToBasket();
    // Prices the selected position (the price button).
    void OnPreis();

protected:
    void BuildPage(QVBoxLayout *body) override;
    void RefreshPage() override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void EnsureWalk();
    void ReadVariantColumns(bool vehicleChanged);
    void RefreshColumns();
    void ShowWalk();
    void OnListOpen(const QModelIndex &index);
    void OnPathOpen(const QModelIndex &index);
    void OnListSelect();
    void OnBackLevel();
    void OnPrint();
    void UpdateButtons();
    // "&Inklusiv-Pos." and "&Umfaßttexte" by what the position has.
    void UpdateScopeButtons(const QString &apNumber);
    // The scope-text dialog of the selected position: mode 1 its
    // inclusive positions, 0 its scope texts.
    void OpenScopeTexts(int mode);
    CAwKatRow *SelectedRow() const;
    // One step of the adviser on the page: a read of the catalogue that
    // failed in it is told once (TellLost), however many reads failed.
    class CStep;
    int Failures() const;
    void TellLost();

    COwnButton *m_pPrice = nullptr;
    COwnButton *m_pSrp = nullptr;
    COwnButton *m_pBackLevel = nullptr;
    COwnButton *m_pBasket = nullptr;
    COwnButton *m_pPrint = nullptr;
    COwnButton *m_pMaintenance = nullptr;
    COwnButton *m_pFindings = nullptr;
    COwnButton *m_pInclusive = nullptr;
    COwnButton *m_pScope = nullptr;
    QLabel *m_pClearing = nullptr;
    CAwKatColumnBar *m_pColumnBar = nullptr;
    COwnLB *m_pPathList = nullptr;
    COwnLB *m_pList = nullptr;
    CAwKatRowModel *m_pPathModel = nullptr;
    CAwKatRowModel *m_pModel = nullptr;
    CDmsClient *m_pDmsClient = nullptr;
    std::unique_ptr<CAwKatWalk> m_pWalk;
    std::unique_ptr<CAwKatColumns> m_pColumns;
    std::unique_ptr<CAwKatRowPainter> m_pPainter;
    std::unique_ptr<CAwKatPrintDoc> m_pPrintDoc;
    std::unique_ptr<CEasyPrintDlg> m_pPrintDlg;
    int m_nActivation = 0;
    int m_nActivations = 0;
    int m_nStepDepth = 0;
    int m_nStepFailures = 0;
    bool m_bStepTold = false;
};
