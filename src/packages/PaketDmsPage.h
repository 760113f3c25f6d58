#pragma once
// Common ground of the two package pages that exchange a package with the
// dealer system: the package editing page and the spot-repair page. Both
// carry "&DMS-Anfrage" and "Übertragen", which a session disables, take the
// caller's package selector when activated, and lead back to the package
// list.

#include "common/PageDlg.h"
#include "packages/PageNotice.h"

#include <memory>

class CDmsClient;
class CSoapReqSender;
class IDmsSender;

class CPosition;
class CWKListItem;

class CPaketDmsPage : public CPageDlg
{
    Q_OBJECT
public:
    ~CPaketDmsPage() override;

    // Shows or refreshes the page for the current package; the selector is
    // the caller's and passed through unchanged.
    using CPageDlg::ActivatePage;
    void ActivatePage(int selector);
    // Shown by a switch, the page takes the request's selector when the
    // request activates it; otherwise it comes back as it was left.
    void ActivateOnShow(const CPageRequest &request) override;
    int LastSelector() const { return m_nSelector; }

    // "&DMS-Anfrage" and "Übertragen": disabled while the program runs in a
    // session.
    COwnButton *DmsRequestButton() const { return m_pDmsRequest; }
    COwnButton *TransferButton() const { return m_pTransfer; }

    // Where the package model tells the adviser something while this page
    // prices its package: notice boxes owned by the page.
    IPaketNotice *PaketNotice() { return &m_notice; }

    // The client of the price request (the main window's), borrowed; null:
    // a client of the page's own.
    void SetDmsClient(CDmsClient *client) { m_pDmsClient = client; }
    // The DMS's side of the page's own client; null: the program's SOAP
    // client.
    void SetDmsSender(IDmsSender *sender);

protected:
    CPaketDmsPage();
    // The two buttons in a row above the page's white working area; a page
    // with its own arrangement makes them with CreateDmsButtons and places
    // them itself.
    void BuildPage(QVBoxLayout *body) override;
    void CreateDmsButtons();
    void RefreshPage() override;

    // How storing the page's package in the basket ended: the basket took
    // it, the adviser kept the package already stored (4077 "No") or
    // cancelled, or it failed (4044 told).
    enum class Stored
    {
        Yes,
        NotReplaced,
        Cancelled,
        Failed,
    };
    // What the adviser may do with a package already stored: store it again
    // or overwrite it (4038), or only overwrite it (4077).
    enum class Duplicate
    {
        StoreAgainOrOverwrite,
        Overwrite,
    };
    Stored StoreInBasket(CWKListItem &entry, Duplicate duplicate);
    // The flat-price dialog on the package head: the standard price is
    // kept the first time, a price typed and confirmed marks the head as
    // priced by hand. Only a head with a gross and a net price offers it,
    // and only while its price is set by hand already or its customer
    // price is still the standard price; never a campaign's head.
    void EditFlatPrice(CPosition &head, bool campaign);
    // Whether the package sum opens the flat-price dialog: where the
    // adviser may set package prices by hand, in the training edition;
    // else only with prices asked from and sent to the DMS by XML, and
    // not for a caller of the transfer system.
    bool FlatPriceAllowed() const;
    // The client the page's price requests go through: the main window's,
    // else the page's own, made when first asked for.
    CDmsClient &PriceClient();

    // Leaving the page for the package list: the adviser is asked whether
    // to store the package first (4036; "Nein" leaves, "Abbrechen" stays);
    // a page that has nothing to store (storable false) is left without
    // asking.
    enum class Leaving
    {
        Leave,
        Store,
        Stay,
    };
    Leaving AskBeforeLeaving(bool storable);
    // Backspace leaves the page by LeaveByBackspace.
    void keyPressEvent(QKeyEvent *event) override;
    virtual void LeaveByBackspace() = 0;

private:
    CDmsClient *m_pDmsClient = nullptr;
    IDmsSender *m_pDmsSender = nullptr;
    std::unique_ptr<CSoapReqSender> m_pOwnSender;
    std::unique_ptr<CDmsClient> m_pOwnClient;
    COwnButton *m_pDmsRequest = nullptr;
    COwnButton *m_pTransfer = nullptr;
    int m_nSelector = 0;
    CPageNotice m_notice{this};
};
