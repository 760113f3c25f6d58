#pragma once
// The package list page: the service packages that apply to the identified
// vehicle, one level of the package list at a time. The upper list holds
// the path of rows opened on the way down, the lower one the rows of the
// level shown; opening a row descends (a main group to its group levels and
// packages), "<<" and Backspace climb, and a package goes to the editing
// page, as the variant whose badge the adviser clicked or, on a double
// click, as inclusive service before value line before service repair.
//
// The list is built on the first showing and again when the vehicle
// identification changed; a requested package number (the caller's, or
// the package the adviser chose last) is walked down to by itself.

#include "common/PageDlg.h"
#include "packages/list/CampaignImport.h"
#include "packages/list/PackageList.h"

#include <QString>

#include <memory>

class CCatalogueListReads;
class CMrktngAttRec;
class COwnLB;
class COwnYaqLB;
class CPackageListBuilder;
class CSRPBbDlg;
class CSpotRBbDlg;
struct CSpotRepairRead;
class CSRPWlRowModel;
class CSRPWlRowPainter;
class IPackageListReads;
class QFrame;
class QLabel;
class QModelIndex;

class CSRPWlDlg : public CPageDlg
{
    Q_OBJECT
public:
    CSRPWlDlg();
    ~CSRPWlDlg() override;

    // The editing page that takes the chosen package (borrowed).
    void SetEditingPage(CSRPBbDlg *page) { m_pEditingPage = page; }
    // Who answers the labour-value questions of the list (borrowed); null:
    // the program's cached catalogue readers.
    void SetListReads(IPackageListReads *reads) { m_pListReads = reads; }

    // Empties the package lists (the page is not shown without a vehicle).
    void ClearLists();

    // Opens the selected row of the row list: a group descends to the level
    // below it, a package goes to the editing page. Also "P-&Info", Enter
    // and a double click.
    void ChooseRow();
    // "<<" and Backspace: the level above the one shown, its first row
    // selected; the path stays as it is.
    void OnLevelUp();
    // Hands the current package to the editing page and shows that page.
    // kind: 0 SR, 1 GR, 2 SP, 3 VL; 0 chooses by the variants the row offers
    // (SP before VL before SR). open 0 only shows the editing page.
    void ChoosePackage(int open, int kind, int openInMK);

    // The spot-repair page that takes a chosen matrix row (borrowed).
    void SetSpotRepairPage(CSpotRBbDlg *page) { m_pSpotRepairPage = page; }

    // The package list of the vehicle as the page shows it.
    const CPackageList &List() const { return m_list; }

protected:
    void BuildPage(QVBoxLayout *body) override;
    // Rebuilds the list when the identification changed (and on the first
    // showing), then brings the buttons up to date.
    void RefreshPage() override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

    // The campaign rows of the vehicle (level 2) from the dealer's campaign
    // data, with their campaign packages; answers whether the vehicle has
    // campaigns (the campaign row then heads the list).
    virtual bool ImportCampaigns();
    // The spot-repair entry of level 3; answers whether one was made (the
    // spot-repair row then heads the list).
    virtual bool AddSpotRepairEntry();

private:
    // Builds the list anew and walks down to the requested package; open:
    // the package reached goes to the editing page. catalogueLine: the
    // labour-value catalogue's line of a position handed over.
    void RebuildAndGoToRequest(bool open, const QString &catalogueLine = QString());
    // Shows a level in the row list: the current row of the level selected,
    // else the first row when selectFirst.
    void FillLevel(int level, bool selectFirst);
    void RefreshPath();
    // The row list's selection moved: a separator passes it on in the
    // direction of travel; the row becomes current.
    void OnRowSelected(const QModelIndex &current);
    // A path row opened: its level again, with the row chosen there.
    void ShowPathLevel();
    void SetCurrentRow(CPackageRow *row);
    CPackageRow *SelectedRow() const;
    void UpdateInfoLine();
    void EnableSpotRepairButtons(bool enable);
    bool SpotRepairSeries() const;
    void SetButtonTexts();
    void ShowNoPackages();
    // Says that the catalogue could not be read when the last step of the
    // list failed to read it; whether it did.
    bool TellReadFailed();
    // Says that the catalogue could not be read; true.
    bool TellFailure();
    // The package level is shown without a package (the standard catalogue
    // had none for the row opened).
    bool NoPackagesShown() const;
    // The web page with its contents code.
    void ShowWeb(int code);
    void OnDipList();
    // The spot-repair branch: the paint classes of the entry, the matrix
    // rows of a paint class, and a matrix row to the spot-repair page.
    void ShowPaintClasses(CPackageRow *entry);
    void ShowMatrixRows(CPackageRow *paintClass);
    void OpenSpotRepair();
    void TellSpotRepairRead(const CSpotRepairRead &read);

    CPackageList m_list;
    CCampaignOffers m_campaignOffers; // the vehicle's campaign packages
    std::unique_ptr<CCatalogueListReads> m_pCatalogueReads;
    std::unique_ptr<CMrktngAttRec> m_pMarketing;
    std::unique_ptr<CPackageListBuilder> m_pBuilder;
    IPackageListReads *m_pListReads = nullptr;
    CSRPBbDlg *m_pEditingPage = nullptr;
    CSpotRBbDlg *m_pSpotRepairPage = nullptr;

    COwnLB *m_pPathList = nullptr;
    COwnYaqLB *m_pRowList = nullptr;
    CSRPWlRowModel *m_pPathModel = nullptr;
    CSRPWlRowModel *m_pRowModel = nullptr;
    CSRPWlRowPainter *m_pPathPainter = nullptr;
    CSRPWlRowPainter *m_pRowPainter = nullptr;
    QFrame *m_pInfoFrame = nullptr;
    QLabel *m_pInfoLine = nullptr;
    COwnButton *m_pLevelUp = nullptr;
    COwnButton *m_pInfo = nullptr;
    COwnButton *m_pSaList = nullptr;
    COwnButton *m_pDipList = nullptr;
    COwnButton *m_pEMail = nullptr;
    COwnButton *m_pGmInfo = nullptr;
    COwnButton *m_pGmVehicle = nullptr;

    int m_nLastSelected = -1; // the row list's index last selected
    bool m_bFirstActivation = true;
    QString m_strLineNumber; // catalogue line of the requested package
};
