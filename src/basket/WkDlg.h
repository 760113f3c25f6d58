#pragma once
// The basket page: shows the basket of the session (CWkBasket, reached
// through the page host) and follows its changes. It lists the entries in
// an owner-drawn list (CWkRowPainter) with the price header above, the
// flat-price legend and the totals below, and lets the adviser edit,
// delete and reorder them and fill in the order data. It answers the
// basket's questions (IWkBasketAsk) with message boxes. Print belongs to
// its own code, which the main window hands in (SetPrintHandler); the
// transfer is the basket's.

#include "basket/model/WkBasket.h"
#include "common/PageDlg.h"

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

class CWkDlg : public CPageDlg, public IWkBasketAsk
{
    Q_OBJECT
public:
    CWkDlg();
    ~CWkDlg() override;

    // The buttons and order fields as the entries, the selection and the
    // settings allow them; no session check.
    void UpdateButtons();

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
    COwnButton *SrpButton() const { return m_pSrp; }

    // The selected entry; null without a selection.
    CWKListItem *SelectedEntry() const;
    int SelectedRow() const;
    void SelectRow(int row);

    // The text of the main window's basket button and its colour: text 6078
    // with the number of entries, green while the basket holds some.
    static QString BasketCaption(int entries);
    QColor BasketCaptionColour(int entries) const;

    // The button handlers (also for the main window's keys).
    void OnEdit();
    void OnDelete();
    void OnMoveUp();
    void OnMoveDown();

    // The basket's questions (IWkBasketAsk), as message boxes over the page.
    Answer AskDropEntries() override;
    void TellStored() override;
    void TellNotice(const QString &text) override;

protected:
    void BuildPage(QVBoxLayout *body) override;
    // Captions and fonts after a language change, the button states; "<"
    // only back where the user came from.
    void RefreshPage() override;
    void OnBack() override;
    void changeEvent(QEvent *event) override;
    // Return and the pad's Enter press no button of the page (Space and
    // the mnemonics do): a Return meant for the list or a field never sends
    // the basket or prints it.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void SetCaptions();
    // The order fields show the basket's order data.
    void ShowOrder();
    // The order fields as typed go to the basket.
    void TakeOrder();
    // The list follows the entry list; the entry equal to the selection
    // copy is selected again, the new entry's row shown at the top.
    void RebuildList(const CWKListItem *newEntry);
    void OnSelChange();
    void OnTotalsChanged();
    void EditLabourPosition(CWKListItem *entry);
    void OnAwCatalogue();
    void OnPackages();

    CWkBasket *m_pBasket = nullptr;
    std::unique_ptr<CWKListItem> m_pSelection; // copy of the selected entry
    bool m_bRebuilding = false;

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
