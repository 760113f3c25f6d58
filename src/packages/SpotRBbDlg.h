#pragma once
// The spot-repair page: one care-and-cosmetic package for the vehicle. The
// upper list shows the way it was chosen on the package list (entry, paint
// class, matrix row), the lower one a green and a yellow work per damage
// class. The adviser chooses at most two works; the pair's combination
// factor is read and the package priced anew after every change. The
// package goes to the basket ("P"), to the DMS at once ("Übertragen"), or
// is priced from the dealer's files or by the DMS ("&DMS-Anfrage").
//
// The page owns its package; it keeps no pointer into it across a change
// of the package (a new way, a package of the basket).

#include "packages/PackagePriceAsk.h"
#include "packages/PaketDmsPage.h"
#include "packages/edit/SpotRepairPackage.h"

#include <memory>

class CDmsClient;
class CSRPBbPaintedButton;
class CSRPBbRowModel;
class CSRPBbRowPainter;
class CSpotRRowPainter;
class QComboBox;
class QListView;
class QModelIndex;
struct CSpotRepairMessages;

class CSpotRBbDlg : public CPaketDmsPage
{
    Q_OBJECT
public:
    CSpotRBbDlg();
    ~CSpotRBbDlg() override;

    // The way chosen on the package list: the spot-repair row, the head,
    // the entry, the paint class and the matrix row (all copied). Nothing
    // unless all five are given and the spot-repair row is marked "YY".
    // The works are read when the page is next shown with keep content 0.
    void TakePackage(const CPosition *spotRow, const CPosition *head, const CPosition *entry,
                     const CPosition *paintClass, const CPosition *matrixRow);
    // A package of the basket to edit again (copied): shown with its works,
    // factor and prices when the page is next shown with keep content 1.
    void TakeBasketPackage(const CPaket &stored);

    const CPaket &Package() const { return m_package.Paket(); }

    // A double click or Enter on the works list.
    void ToggleWork();
    // "P": stores the package; true when the basket took it.
    bool OnStore();
    void OnTransfer();
    void OnDmsRequest();

protected:
    void BuildPage(QVBoxLayout *body) override;
    void RefreshPage() override;
    void OnBack() override;
    // Enter on the works list chooses the work, as a double click does.
    bool eventFilter(QObject *watched, QEvent *event) override;
    // Backspace: the question whether to store the package, then the
    // package list; not replacing a package stored before leaves as well.
    void LeaveByBackspace() override;

private:
    void SetButtonTexts();
    void FillLists();
    void UpdateButtons();
    void RepaintAll();
    // x of the works' rows inside a control below or above the list.
    int RowLeftIn(const QWidget *control) const;
    void OnDirectPrice();
    void ShowWeb(int code);
    // Files that did not open (4012 each) and the consistency warnings in
    // one message.
    void Tell(const CSpotRepairMessages &messages);
    // Stores the package: one already stored is stored again or
    // overwritten ("P", Escape and "<"), or only overwritten (Backspace).
    Stored Store(Duplicate duplicate);
    void BackToList();
    QString Folder() const;
    QString BrandLetter() const;

    CSpotRepairPackage m_package;
    CPackagePriceAsk m_priceAsk{this};

    CSRPBbRowModel *m_pPathModel = nullptr;
    CSRPBbRowModel *m_pWorkModel = nullptr;
    // The package editing page's painter: the fonts and gaps of the rows,
    // the legend and the total.
    CSRPBbRowPainter *m_pScheme = nullptr;
    CSpotRRowPainter *m_pPathPainter = nullptr;
    CSpotRRowPainter *m_pWorkPainter = nullptr;
    QListView *m_pPathList = nullptr;
    QListView *m_pWorkList = nullptr;
    CSRPBbPaintedButton *m_pColumnHeader = nullptr;
    CSRPBbPaintedButton *m_pLegend = nullptr;
    QComboBox *m_pFactor = nullptr;
    QLabel *m_pFactorLabel = nullptr;
    CSRPBbPaintedButton *m_pTotal = nullptr;
    COwnButton *m_pStore = nullptr;
    COwnButton *m_pGmInfo = nullptr;
    COwnButton *m_pGmVehicle = nullptr;
};
