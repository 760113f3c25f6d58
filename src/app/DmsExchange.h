#pragma once
// The main window's exchange with the dealer system (DMS): the one client of
// the program's own requests (first registration, vehicle search, prices,
// basket transfer), with the wait window the adviser sees while one waits;
// the listener is polled for the DMS's requests, whose answers go through
// the listener frame and whose vehicle or order data reach the head row and
// the basket page. A request of the listener is fetched as soon as it comes
// (CDmsListenerWatch); while a request of the program runs, the listener's
// requests wait.

#include "app/FirstRegistration.h"
#include "app/TransferVinHandler.h"
#include "common/DmsMsgBoxNotice.h"
#include "common/DmsWaitWindow.h"
#include "dms/DmsClient.h"
#include "dms/SoapReqSender.h"
#include "platform/MsgBox.h"

#include <QObject>

class CHeadRowView;
class CIdentFlow;
class CPrgSettings;
class CWkBasket;
class CYaqDb;
class ISoapSvr;
struct CChangeFlags;

// What the DMS exchange asks of the window that hosts it.
class IDmsExchangeHost
{
public:
    virtual ~IDmsExchangeHost() = default;

    // The owner of the exchange's messages, dialogs and wait window.
    virtual QWidget *Window() = 0;
    // The connection `index` (the vehicle search reads db0); null when not open.
    virtual CYaqDb *Db(int index) const = 0;
    // The basket that takes a pushed vehicle's order data.
    virtual CWkBasket *Basket() const = 0;
    virtual void WinHelp() = 0;
    // The change report to the pages.
    virtual void SetIdentChanged(const CChangeFlags &changes) = 0;
};

class CDmsExchange : public QObject
{
    Q_OBJECT
public:
    // Watches no listener until one is set.
    CDmsExchange(IDmsExchangeHost &host, CHeadRowView &head, CIdentFlow &ident,
                 CPrgSettings *settings);

    // The listener to watch (the application's; tests set their own);
    // null watches nothing.
    void SetListener(ISoapSvr *listener);
    // Starts taking the listener's requests: each as it comes, and every
    // half second besides.
    void StartPolling();
    // The window is ending: no request of the listener is taken any more.
    void Close();
    // A request of the listener is in hand (its question open).
    bool IsListenerBusy() const { return m_watch.IsBusy(); }

    // One request of the listener ("transferVIN"): answered first, then the
    // user is asked; the vehicle goes to the identification, its order data
    // to the basket.
    void HandleSoapRequest(const QString &request);
    // Asks the DMS for the first registration of the settings' vehicle; the
    // listener poll waits while the request waits for its answer.
    CFirstRegistration::AnswerResult RequestFirstRegistrationDate();

    // The "DMS-VIN" head button: the information text or the vehicle search,
    // whose vehicle goes to the identification.
    // The window's current page is the search dialog's while it runs (see
    // CDmsVinButton::Run).
    void RunVehicleSearch(int &currentPage);

    // The one client of the program's requests, lent to the pages; its
    // wait window.
    CDmsClient &Client() { return m_client; }
    CDmsWaitWindow &Wait() { return m_wait; }
    // The watch of the listener (its times: tests).
    CDmsListenerWatch &Watch() { return m_watch; }

private:
    IDmsExchangeHost &m_host;
    CHeadRowView &m_head;
    CIdentFlow &m_ident;
    CPrgSettings *m_pSettings;
    // The messages of the listener frame are centred notices.
    CDmsMsgBoxNotice m_dmsNotice;
    CDmsMsgBoxNotice m_listenerNotice;
    // One message for a burst of wrong requests.
    CDmsListenerNotice m_listenerMessages;
    CSoapReqSender m_sender;
    CDmsWaitWindow m_wait;
    CDmsClient m_client;
    CDmsFrame m_listenerFrame;
    CFirstRegistration m_firstReg;
    ISoapSvr *m_pListener = nullptr;
    CDmsListenerWatch m_watch;
    bool m_bClosed = false;
};
