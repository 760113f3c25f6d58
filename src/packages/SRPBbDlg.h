#pragma once
// The package editing page: the package chosen on the package list (or a
// package of the basket opened again) with its head, its work positions,
// parts and sub-packages. The adviser switches between the package's kinds
// (SR, GR, SP, VL), opens groups of alternatives and chooses lines (the
// rules are CPackageSelection's), edits a labour value, asks for prices
// (the dealer's price files or the DMS), sets the package price by hand,
// and stores the package in the basket ("P"), also with the transfer at
// once ("Übertragen"), or leaves with the question whether to store it.
//
// The package and every reference into it live in one CEditedPackage; the
// page keeps copies of the list line and of the head it was handed, from
// which every kind is loaded anew.

#include "packages/PackagePriceAsk.h"
#include "packages/PaketDmsPage.h"
#include "packages/SRPBbCurrentRow.h"
#include "packages/edit/CampaignOffers.h"
#include "packages/edit/EditedPackage.h"
#include "packages/edit/PackageLoader.h"
#include "packages/list/PackageRow.h"
#include "packages/model/Position.h"

#include <functional>
#include <memory>

class CDmsClient;
class CSRPBbPaintedButton;
class CSRPBbRowModel;
class CSRPBbRowPainter;
class COwnBearbLB;
class COwnLB;
class CYaqDb;
class QButtonGroup;
class QComboBox;
class QListWidget;

class CSRPBbDlg : public CPaketDmsPage
{
    Q_OBJECT
public:
    // The variant of a package row the page opens.
    enum Kind
    {
        KindSR = 0, // service repair
        KindGR = 1, // warranty repair
        KindSP = 2, // inclusive service
        KindVL = 3, // value line
    };

    CSRPBbDlg();
    ~CSRPBbDlg() override;

    // The package chosen on the package list: its row (copied), the text of
    // its main group, the variant to open and whether it opens with its
    // campaign offers. The lines are loaded when the page is shown.
    void SetPackage(const CPackageRow &row, int kind, bool openInMK,
                    const QString &mainGroupText = QString());
    const CPackageRow &ListRow() const { return m_listRow; }
    int PackageKind() const { return m_nKind; }
    bool OpenInMK() const { return m_bOpenInMK; }

    // A campaign package chosen on the package list: its campaign line, the
    // campaign package and the campaigns offered for its package number (all
    // copied). Its lines are loaded from the dealer's campaign data when the
    // page is shown.
    void SetCampaignPackage(const CPosition &campaignLine, const CPosition &campaignPackage,
                            const std::vector<std::shared_ptr<const CPosition>> &offers = {});
    bool CampaignMode() const { return m_bCampaignMode; }

    // A package of the basket to edit again (copied): shown with its
    // choices when the page is next shown with keep content 1. A service
    // repair package switches its kinds again, a campaign package stays
    // one; a package without list line or head is refused with a notice.
    void TakeBasketPackage(const CPaket &stored);

    // What the page works with, all borrowed; set by the main window.
    // Opens one more catalogue connection for the package loader; unset:
    // a connection to the local data set of the settings.
    void SetConnectionOpener(std::function<std::unique_ptr<CYaqDb>()> open);
    // Who answers the labour-value questions of the loader; null: the
    // program's cached catalogue readers.
    void SetLoadReads(IPackageLoadReads *reads) { m_pLoadReads = reads; }
    // The scope texts and the findings of a package number on their own
    // pages; unset: their buttons stay disabled.
    void SetScopeTextHandler(std::function<void(const QString &number)> handler);
    void SetFindingsHandler(std::function<void(const QString &number, const CPaket &)> handler);

    // The package as the page edits it.
    CEditedPackage &Edited() { return m_edited; }
    const std::vector<CPosition *> &PositionRows() const;

    // The kind buttons: the package loaded anew in kind SR, GR, SP or VL.
    void LoadPackageOfKind(int kind);
    // "MK": the campaign chosen in the campaign combo loaded as a campaign
    // package; a campaign chosen in the combo while MK is on is loaded too.
    void OnKindMK();
    void OnCampaignChosen();
    // "P": a copy of the package into the basket; true when it is stored
    // (the page then shows the package list).
    bool AddToBasket();
    // "Übertragen": store, and only after a successful store transfer.
    void OnTransfer();
    // Backspace: the question whether to store the package, then the
    // package list, unless the adviser cancels or the store fails. Nothing
    // for the caller that edits one package.
    void LeavePage();
    // "&DMS-Anfrage" (and "AutomaticReq" after a load): prices by the
    // request mode: the dealer's price files (3), the DMS (4), else the
    // dealer's price information text.
    void OnDmsRequest();
    // "AW - Editieren" on the current row of the position list.
    void OnEditLabourValue();
    // The sum button: the direct price dialog.
    void OnSum();
    // A click and a double click on a row of the position list.
    void ClickRow(int row);
    void DoubleClickRow(int row);

protected:
    void BuildPage(QVBoxLayout *body) override;
    // Shows the page: loads a package just handed over (keep content 0),
    // takes a basket package over (keep content 1), else shows what the
    // adviser left.
    void RefreshPage() override;
    void OnBack() override;
    void LeaveByBackspace() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void SetButtonTexts();
    // The lists borrow the lines: they let go before the package changes.
    void ReleaseLines();
    // The caption names the package number shown.
    void ShowPackageNumber(const QString &number);
    // Loads the kind into the package made of the kept list line and head.
    // False when the catalogue could not be read (told): the package then
    // holds its list line and head only, to be loaded again.
    bool LoadKind(int kind);
    // False when a read of the findings or the contracts failed.
    bool LoadFindings();
    // A load failed: the package shows nothing the catalogue did not say.
    void LoadFailed(bool told);
    void FillLists();
    void FillPositions();
    void FillInfoList();
    void UpdateKindButtons();
    void UpdateButtons();
    void UpdatePrices();
    void RepaintAll();
    // Stores the edited package; a package already stored is only
    // overwritten (4077).
    Stored StorePackage();
    // The question whether to store the package before leaving; leaving:
    // by Backspace, where not replacing the stored package leaves too.
    void LeaveWithQuestion(bool leaving);
    int EntryKind() const;
    // The optional sub-package dialog on a sub-package line.
    void OpenSubPackage(CPosition *line);
    // The scope texts of a package number in the scope-text dialog; its
    // findings on the findings page.
    void ShowScopeTexts(const QString &number);
    void ShowFindings(const QString &number);
    std::unique_ptr<CYaqDb> OpenConnection() const;
    // The campaign package of the kept campaign lines, loaded anew; false
    // as LoadKind.
    bool LoadCampaign();
    bool LoadSelectedCampaign();
    void FillCampaignCombo();
    void FillCampaignInfo();

    CEditedPackage m_edited;
    CPosition m_keptListLine;
    CPosition m_keptHead;
    bool m_bHanded = false; // a package was handed over and not yet loaded
    std::unique_ptr<CPaket> m_pBasketPackage;
    CPackageRow m_listRow;
    int m_nKind = KindSR;
    bool m_bOpenInMK = false;
    bool m_bCampaignMode = false;
    bool m_bKindSwitching = true;
    bool m_bMKMode = false; // the kind MK is chosen
    // The campaign package shown or last chosen: its list line, head,
    // campaign line and campaign-package line, from which it is loaded.
    CPosition m_campaignList, m_campaignHead, m_campaignLine, m_campaignPackage;
    CCampaignEntries m_campaignEntries; // the campaign combo's entries
    CSRPBbCurrentRow m_currentRow;

    IPackageLoadReads *m_pLoadReads = nullptr;
    std::unique_ptr<IPackageLoadReads> m_pCatalogueReads;
    std::function<std::unique_ptr<CYaqDb>()> m_openConnection;
    // The package loader's own connections, kept while the page lives.
    CPackageLoadOwnConnections m_loadConnections;
    std::function<void(const QString &)> m_scopeTexts;
    std::function<void(const QString &, const CPaket &)> m_findings;
    CPackagePriceAsk m_priceAsk{this};

    CSRPBbRowModel *m_pHeadModel = nullptr;
    CSRPBbRowModel *m_pPositionModel = nullptr;
    CSRPBbRowPainter *m_pHeadPainter = nullptr;
    CSRPBbRowPainter *m_pPositionPainter = nullptr;
    COwnLB *m_pHeadList = nullptr;
    COwnBearbLB *m_pPositionList = nullptr;
    QListWidget *m_pInfoList = nullptr;
    QComboBox *m_pCampaignCombo = nullptr;
    QButtonGroup *m_pKindGroup = nullptr;
    COwnButton *m_pKindButtons[5] = {}; // SR, GR, SP, VL, MK
    COwnButton *m_pEditAw = nullptr;
    COwnButton *m_pScopeTexts = nullptr;
    COwnButton *m_pFindings = nullptr;
    COwnButton *m_pStore = nullptr;
    CSRPBbPaintedButton *m_pColumnHeader = nullptr;
    CSRPBbPaintedButton *m_pLegend = nullptr;
    CSRPBbPaintedButton *m_pSum = nullptr;
};
