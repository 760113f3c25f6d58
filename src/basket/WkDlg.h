#pragma once
// The basket page: the labour positions, findings and packages the user
// collected for the vehicle, with the order data for the dealer system.
//
// The page owns the basket's entry list (CWKList) and is the one door into
// it: every page offers its entries through AddToBasket. It lists them in
// an owner-drawn list (CWkRowPainter) with the price header above, the
// flat-price legend and the totals below, and lets the adviser edit, delete
// and reorder them. Transfer and print belong to their own code, which the
// main window hands in (SetTransferHandler, SetPrintHandler); without it
// their buttons stay disabled.

#include "basket/model/WKList.h"
#include "common/PageDlg.h"
#include "packages/model/PaketNotice.h"

#include <QColor>

#include <functional>
#include <memory>

class CWkListModel;
class CWkRowPainter;
class COwnLB;
class QCheckBox;
class QLineEdit;
class QWidget;
struct CWkLabourEdit;

class CWkDlg : public CPageDlg, private IPaketNotice
{
    Q_OBJECT
public:
    CWkDlg();
    ~CWkDlg() override;

    // Stores a deep copy of the entry (the caller keeps and frees its own).
    // Mode 0 refuses a duplicate (result 2), mode 1 stores it beside the
    // first, mode 2 puts it in the first one's place; result 3: stored.
    // A labour position whose value is the hint to the service information
    // (text 3077) is stored as charged by time.
    //
    // A pending vehicle change is settled first: with the vehicle-change
    // flag set, the entry-less call asks message 4045 when the basket has
    // entries and keeps everything on "No" (result 1); "Yes" empties the
    // basket and its print data (result 0). An entry offered while the
    // flag is set empties the basket without a question. A null entry adds
    // nothing (result 0).
    int AddToBasket(CWKListItem *entry, int mode);
    // A package page's AddToBasket: a package already in the basket is
    // overwritten when the adviser says so (4077; "No" shows the basket).
    // Answers the final result. Labour positions and findings are only
    // offered (mode 0): their pages ask their own three-way question.
    int OfferToBasket(CWKListItem *entry);
    int GetEntryCount() const { return m_WkList.GetCount(); }
    // Empties the basket, the order fields and the totals. A confirmed
    // transfer ends the same way: what went out leaves the basket, and the
    // order data go with it.
    void ClearBasket();
    // Clears the print-form flag and the customer and print texts.
    void ResetPrintData();
    // The buttons and order fields as the entries, the selection and the
    // settings allow them; no session check.
    void UpdateButtons();

    // Dialog data: false writes the fields to the controls, true reads them.
    void UpdateData(bool saveAndValidate);

    // The basket's entries, in list order, with their totals. Whoever
    // changes them through the non-const list (the transfer marks what it
    // sent) calls EntriesChanged afterwards.
    const CWKList &Entries() const { return m_WkList; }
    CWKList &Entries() { return m_WkList; }
    // The list, the totals and the buttons follow the entries again.
    void EntriesChanged();

    // Set by the main window before it asks about a changed vehicle or
    // first registration; cleared when the change is settled.
    int m_bVehicleChanged = 0;
    // Set by a package page that transferred its package directly: the
    // notice that entries were copied into the basket is not shown again.
    int m_bDirectTransfer = 0;

    // Order data, sent with the transfer.
    QString m_strAuftragsNr; // order number
    QString m_strAbrechnung; // settlement code
    QString m_strJobHinweis; // job note
    QString m_strJobNr;      // job number
    int m_bAngebot = 0;      // the order is an offer

    // The code that runs "&Übertragen" and "&P" (print); unset: the button
    // stays disabled.
    void SetTransferHandler(std::function<void()> handler);
    // The transfer as the transfer button runs it (without its click
    // sound), also when the button is off for an empty basket.
    void Transfer();
    void SetPrintHandler(std::function<void()> handler);
    // The labour-value edit dialog: fills in the fields of a labour
    // position and answers true on OK. Unset: labour positions cannot be
    // edited.
    void SetLabourEditor(std::function<bool(CWkLabourEdit &fields)> editor);
    // Hands a package chosen for editing to its page (kind: the entry's
    // kind) before the page host shows that page.
    void SetPackageEditHandler(std::function<void(const CPaket &paket, int kind)> handler);

    // "&Übertragen" (disabled in a session) and "Pakete" (disabled in a
    // restricted session).
    COwnButton *TransferButton() const { return m_pTransfer; }
    // Whether the basket has a road to the dealer system at all.
    bool HasTransfer() const { return bool(m_transfer); }
    COwnButton *SrpButton() const { return m_pSrp; }

    // The selected entry; null without a selection.
    CWKListItem *SelectedEntry() const;
    int SelectedRow() const;
    void SelectRow(int row);

    // The text of the main window's basket button and its colour: text 6078
    // with the number of entries, green while the basket holds some.
    QString BasketCaption() const;
    QColor BasketCaptionColour() const;

    // The button handlers (also for the main window's keys).
    void OnEdit();
    void OnDelete();
    void OnMoveUp();
    void OnMoveDown();

signals:
    // The basket button's caption changed (BasketCaption, BasketCaptionColour).
    void basketCaptionChanged(const QString &caption, const QColor &colour);

protected:
    void BuildPage(QVBoxLayout *body) override;
    // Captions and fonts after a language change, the button states; "<"
    // only back where the user came from.
    void RefreshPage() override;
    void OnBack() override;
    void changeEvent(QEvent *event) override;

private:
    // Tells the adviser of differing currencies (IPaketNotice).
    void Notice(const QString &text) override;
    void SetCaptions();
    // Empties order number, settlement code, job note and job number.
    void ClearOrderData();
    // After the transfer handler: a basket that went out takes its order
    // data with it (ClearBasket once nothing is left).
    void TakeTransferOutcome();
    // The list follows the entry list; the entry equal to the selection
    // copy is selected again, the new entry's row shown at the top.
    void RebuildList(const CWKListItem *newEntry);
    void OnSelChange();
    void OnTotalsChanged();
    void EditLabourPosition(CWKListItem *entry);
    void OnAwCatalogue();
    void OnPackages();

    CWKList m_WkList;
    std::unique_ptr<CWKListItem> m_pSelection; // copy of the selected entry
    bool m_bRebuilding = false;

    std::function<void()> m_transfer;
    std::function<void()> m_print;
    std::function<bool(CWkLabourEdit &)> m_labourEditor;
    std::function<void(const CPaket &, int)> m_packageEdit;

    CWkListModel *m_pModel = nullptr;
    CWkRowPainter *m_pPainter = nullptr;
    COwnLB *m_pList = nullptr;
    QWidget *m_pHeader = nullptr;
    QWidget *m_pLegend = nullptr;
    QWidget *m_pTotal = nullptr;
    COwnButton *m_pTransfer = nullptr;
    COwnButton *m_pSrp = nullptr;
    COwnButton *m_pEdit = nullptr;
    COwnButton *m_pDelete = nullptr;
    COwnButton *m_pAwKat = nullptr;
    COwnButton *m_pUp = nullptr;
    COwnButton *m_pDown = nullptr;
    COwnButton *m_pPrint = nullptr;
    QLineEdit *m_pAuftragsNr = nullptr;
    QLineEdit *m_pAbrechnung = nullptr;
    QLineEdit *m_pJobHinweis = nullptr;
    QLineEdit *m_pJobNr = nullptr;
    QCheckBox *m_pAngebot = nullptr;
    QWidget *m_pLabels[5] = {};
};
