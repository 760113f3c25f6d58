#pragma once
// The DMS pushing a vehicle: the request "transferVIN" that arrives through
// the listener, read, checked and answered without the window.
//
// The handler answers the DMS at once (the confirmation or the exception
// element, through the frame's responder), before any message box or
// question; it asks the user through the question handed in and returns
// what the window then has to do with the vehicle. The listener poll of the
// window guards the handling against a second request arriving while a
// question is open; the watch wakes the poll when a request comes.

#include "app/GivenVehicle.h"
#include "dms/DmsFrame.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <functional>

class CPrgSettings;
class ISoapSvr;
class QDomElement;

// The data of one "transferVIN" request.
struct CTransferVinData
{
    QString vin; // vinLongPrefix followed by vinShort
    QString orderNumber;
    QString settlementCode;
    QString jobNumber;
    QString firstRegistrationDate; // as sent: YYYY-MM-DD, perhaps with a time zone
    QString mileage;
    QString customerHasSpecificPrice;
    // Which elements came in the request.
    bool hasVin = false;
    bool hasOrderNumber = false;
    bool hasSettlementCode = false;
    bool hasJobNumber = false;
    bool hasFirstRegistrationDate = false;
    bool hasMileage = false;
    bool hasCustomerHasSpecificPrice = false;

    // Reads the children of the "transferVIN" element (names compared
    // exactly, prefixes aside); the first registration date only with the
    // extended receive format. A repeated child overwrites the earlier one.
    static CTransferVinData Read(const QDomElement &transferVin, bool receiveXmlx);
    // The most characters a pushed text field may have (mileage, order
    // number, settlement code, job number, customer-price flag): as much as
    // the program's fields and its text records for the DMS carry.
    static constexpr int kMaxFieldLength = 255;
    // Every field within what the program's fields can hold.
    bool WithinBounds() const;
    // Removes trailing blanks of every field.
    void TrimRight();
    // A VIN of 17 letters and digits, and a first registration date, when
    // one came, that is a real date written YYYY-MM-DD, with or without a
    // time zone (CFirstRegistration::FromDmsDate).
    bool Validate() const;
};

// What the window does after the request was answered.
struct CTransferVinOutcome
{
    enum Action
    {
        None,        // nothing to take over (the request was refused)
        SameVehicle, // the order data of the vehicle shown
        NewVehicle,  // the user took the DMS's vehicle
        Declined     // the user kept the vehicle shown
    };
    int result = 0; // 1 when the confirmation was sent
    Action action = None;
    CTransferVinData data;
    bool firstRegistrationMode = false; // campaigns and extended receive format
    QString firstRegistration;          // the request's date as DD.MM.YYYY
    bool vinDiffers = false;            // NewVehicle: the VIN is identified anew
    // The customer-specific-price flag the order data set: -1 untouched
    // (V117 off), else 0 or 1.
    int customerSpecificPrice = -1;

    // The vehicle of a SameVehicle or NewVehicle for the identification,
    // with the fields it brings: the mileage and, with V117, the
    // customer-specific-price flag; for a new vehicle an empty plate and the
    // first registration of the request (none outside first-registration
    // mode).
    CGivenVehicle Vehicle() const;
};

class CTransferVinHandler
{
public:
    static constexpr const char *kMethod = "transferVIN";
    static constexpr const char *kAnswer = "transferVINResponse";

    // The VIN-completion dialog: true with the full VIN in *vin.
    using VinCompletion = std::function<bool(QString *vin)>;
    // A Yes/No question; true for Yes.
    using Question = std::function<bool(const QString &text)>;

    CTransferVinHandler(CPrgSettings *settings, CDmsFrame *frame)
        : m_settings(settings), m_frame(frame)
    {
    }
    void SetVinCompletion(VinCompletion completion) { m_completeVin = std::move(completion); }
    // Whether the DMS has had its answer to the request already (its time
    // ran out while the adviser completed the VIN): the window then acts on
    // it no more.
    void SetDmsAnswered(std::function<bool()> answered) { m_dmsAnswered = std::move(answered); }
    void SetQuestion(Question question) { m_ask = std::move(question); }
    // Whether the basket holds entries (the question then warns that it is
    // emptied).
    void SetBasketHasEntries(std::function<bool()> hasEntries)
    {
        m_basketHasEntries = std::move(hasEntries);
    }

    // One request of the listener: the SOAP envelope with the "transferVIN"
    // element (method name in any case) in its body.
    CTransferVinOutcome HandleSoapRequest(const QString &request);
    // The "transferVIN" element after its header check.
    CTransferVinOutcome TransferVINRequestHandlerBody(const QDomElement &transferVin);

private:
    CPrgSettings *m_settings;
    CDmsFrame *m_frame;
    VinCompletion m_completeVin;
    std::function<bool()> m_dmsAnswered;
    Question m_ask;
    std::function<bool()> m_basketHasEntries;
};

// The listener poll of the window's timer: at most one request in hand.
class CDmsListenerPoll
{
public:
    // Fetches and handles a pending request when nothing is in hand, the
    // receive mode is the listener's (4), no session runs and the listener
    // runs. Returns whether a request was handled.
    bool Tick(const CPrgSettings &settings, bool listenerRunning,
              const std::function<QString()> &getRequest,
              const std::function<void(const QString &)> &handle);
    bool IsBusy() const { return m_busy; }

private:
    bool m_busy = false;
};

// The window's watch on the listener: a request is fetched as soon as the
// listener says one came (queued to the window's thread, so that it is
// handled outside the listener's own handling of the connection), and
// besides every half second, as the window's timer always polled, which
// also finds a request that came before the watch. Every fetch goes through
// the poll's checks. A request that the window holds back (a request of the
// program waits) or cannot take now (an earlier request is still in hand,
// its question open) is looked at again shortly after, and a handled
// request is followed at once by the next one waiting.
// The DMS waits for its answer and gives up after half a minute: a request
// the window could not take within a second gets the refusal, and so does
// at once one the window does not take at all (in a session).
class CDmsListenerWatch : public QObject
{
    Q_OBJECT
public:
    static constexpr int kFallbackMs = 500;
    static constexpr int kHeldBackMs = 50;
    static constexpr int kRefuseAfterMs = 1000;

    // The request fetched and the number the listener gave it.
    using Handle = std::function<void(const QString &request, quint64 number)>;
    // Whether the window holds the listener's requests back now.
    using HeldBack = std::function<bool()>;
    // The answer of a request the window cannot take (written when needed).
    using Refusal = std::function<QString()>;

    // Borrowed settings.
    CDmsListenerWatch(const CPrgSettings *settings, HeldBack heldBack, Handle handle,
                      QObject *parent = nullptr);
    // The listener outlives the watch: it keeps no refusal of the watch's.
    ~CDmsListenerWatch() override;

    // The listener watched; null watches none. Borrowed.
    void SetListener(ISoapSvr *listener);
    // The refusal; without one a request waits until the listener's answer
    // time is up.
    void SetRefusal(Refusal refusal);
    // Starts the fallback poll (the intervals: tests).
    void Start(int fallbackMs = kFallbackMs, int heldBackMs = kHeldBackMs);
    // How long a request held back waits before it gets the refusal (tests).
    void SetRefuseAfter(int milliseconds) { m_refuseAfterMs = milliseconds; }
    // The window ends: nothing is fetched any more.
    void Stop();
    // One look at the listener; true when a request was handled.
    bool Poll();
    bool IsBusy() const { return m_poll.IsBusy(); }

private:
    const CPrgSettings *m_settings;
    HeldBack m_heldBack;
    Handle m_handle;
    Refusal m_refusal;
    QPointer<ISoapSvr> m_listener;
    QMetaObject::Connection m_arrival;
    CDmsListenerPoll m_poll;
    QTimer m_fallback;
    QTimer m_retry;
    int m_refuseAfterMs = kRefuseAfterMs;
    bool m_stopped = false;
};

// The listener's messages about wrong requests (no "transferVIN", a wrong
// header): one for a burst. A wrong request that came before the adviser
// closed the message about an earlier one (while it was open, or waiting
// already when it opened) is answered as every wrong request is, but shows
// no message of its own; one that comes after the message was closed shows
// its own. The message may stay open while the listener goes on (a
// non-modal box): then its owner says when it was closed.
class CDmsListenerNotice : public IDmsNotice
{
public:
    // How many requests the listener has numbered so far.
    using Arrivals = std::function<quint64()>;

    // The message boxes (borrowed).
    CDmsListenerNotice(IDmsNotice *shown, Arrivals arrivals)
        : m_shown(shown), m_arrivals(std::move(arrivals))
    {
    }
    // The request in hand is the listener's n-th.
    void SetRequest(quint64 number) { m_request = number; }
    // Another listener numbers its requests anew.
    void Reset() { m_closedAt = m_request = 0; }
    void Notice(const QString &text, const QString &caption) override;
    // The shown notice returns while its message is open; Closed() follows.
    void SetShownStaysOpen(bool staysOpen) { m_staysOpen = staysOpen; }
    // The message shown last was closed.
    void Closed();

private:
    IDmsNotice *m_shown;
    Arrivals m_arrivals;
    bool m_staysOpen = false;
    bool m_open = false;
    quint64 m_request = 0;
    quint64 m_closedAt = 0; // the requests that had come when the last message closed
};
