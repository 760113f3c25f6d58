#pragma once
// The modal dialog "Optionales Service Reparatur Paket - Bearbeiten": the
// lines of one optional sub-package of the edited package, chosen by the
// selection rules of the editing page (CPackageSelection through
// COptionalPackageEdit) and painted by its row painter, its labour values
// edited, and the whole package priced from the dealer's price files or by
// the DMS. A sub-package line inside opens a dialog of its own.
//
// Every choice is written into the package at once and stays whatever the
// adviser answers; "Ja" and "Nein" (or the question on leaving) only say
// whether the sub-package line itself is taken over (result 1) or not (7).

#include "packages/PackagePriceAsk.h"
#include "packages/PageNotice.h"
#include "packages/SRPBbCurrentRow.h"
#include "packages/edit/OptionalPackageEdit.h"
#include "platform/db/CatalogueFailure.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <vector>

class CDmsClient;
class COwnBearbLB;
class COwnButton;
class CPaket;
class CPosition;
class CPrgSettings;
class CSRPBbPaintedButton;
class CSRPBbRowModel;
class CSRPBbRowPainter;
class CYaqDb;

class CSRPOptBearbDlg : public QDialog
{
    Q_OBJECT
public:
    // What the dialog reaches through the page (or dialog) that opened it.
    struct Links
    {
        // The main window's one DMS client; null: no DMS request.
        CDmsClient *dmsClient = nullptr;
        // After a change of choice or of a labour value: the whole package
        // is priced again and every opener repaints its lists.
        std::function<void()> pricesChanged;
        // After new prices from the files or the DMS: every opener repaints.
        std::function<void()> repaint;
        // The scope texts of a package number; unset: the button stays off.
        std::function<void(const QString &number)> scopeTexts;
    };

    // The settings and the two catalogue connections are borrowed.
    CSRPOptBearbDlg(CPrgSettings *settings, CYaqDb *catalogue, CYaqDb *second,
                    QWidget *parent = nullptr);
    ~CSRPOptBearbDlg() override;

    void SetLinks(Links links);

    // Edits the nested package of the sub-package line (type 17) of the
    // whole package; campaign: the opener edits a campaign package. Answers
    // 1 (take it over), 7 (do not) or 13 (the dialog was ended otherwise).
    int DoModal(CPaket *whole, CPosition *line, bool campaign);
    // What DoModal does before the modal loop: the list of the sub-package.
    void Begin(CPaket *whole, CPosition *line, bool campaign);

    // The rows the list shows.
    const std::vector<CPosition *> &Rows() const;
    COptionalPackageEdit *Edit() const { return m_pEdit.get(); }

    // A click and a double click on a row, and Enter on the current row.
    void ClickRow(int row);
    void DoubleClickRow(int row);
    // "AW - Editieren" on the line of the list's current row.
    void OnEditLabourValue();
    // "&DMS-Anfrage": the whole package priced by the request mode.
    void OnDmsRequest();
    // "<", Escape, Backspace and closing the window: the take-over question.
    void OnBack();
    // The list, the legend and the sum painted anew.
    void RepaintOwn();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void reject() override;

private:
    void BuildDialog();
    // Backspace, Escape and Enter; true when the key was one of them.
    bool HandleKey(int key);
    void FillRows();
    void PricesChanged();
    void RepaintChain();
    void OpenNested(CPosition *line);
    // Whether the sub-package has scope texts; Failed when that could not
    // be read.
    CatalogueFound ScopeTextsAvailable() const;

    CPrgSettings *m_pSettings;
    CYaqDb *m_pCatalogue;
    CYaqDb *m_pSecond;
    Links m_links;
    std::unique_ptr<COptionalPackageEdit> m_pEdit;
    bool m_bCampaign = false;
    CSRPBbCurrentRow m_currentRow;
    CPageNotice m_notice{this};
    CPackagePriceAsk m_priceAsk{this};

    CSRPBbRowModel *m_pModel = nullptr;
    CSRPBbRowPainter *m_pPainter = nullptr;
    COwnBearbLB *m_pList = nullptr;
    CSRPBbPaintedButton *m_pColumnHeader = nullptr;
    CSRPBbPaintedButton *m_pLegend = nullptr;
    CSRPBbPaintedButton *m_pSum = nullptr;
    COwnButton *m_pYes = nullptr;
    COwnButton *m_pNo = nullptr;
    COwnButton *m_pEditAw = nullptr;
    COwnButton *m_pDmsRequest = nullptr;
    COwnButton *m_pBack = nullptr;
    COwnButton *m_pScopeTexts = nullptr;
};
