#pragma once
// The DMS listener: receives the SOAP requests of the dealer management
// system over HTTP on the listener port. It says when a request has come
// (RequestArrived), and the main window fetches it: GetRequest hands out one
// request at a time, and SetResponse sends the answer back to the client
// that is waiting for it. Further requests wait, each on its own
// connection, until the window asks for the next one, or the window refuses
// them (RefuseWaiting). No request waits for its answer longer than the
// answer time of the limits: then it gets the refusal (SetRefusal).

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

struct HttpLimits;

class ISoapSvr : public QObject
{
    Q_OBJECT
public:
    ISoapSvr();
    ~ISoapSvr() override;

    // True while the listener runs.
    bool HasInterface() const;
    // Listens on the port at the address given as argument (empty: every
    // address of the computer, for the DMS on the dealer's network; the tests
    // give "127.0.0.1"). Port 0 takes a free port (see Port()). The options
    // are not used. False, with the reason in LastError(), when the port
    // cannot be had.
    bool StartListener(const QString &argument, long port, const QString &options);
    // Stops listening and drops every connection with its request.
    void StopListener();
    // The pending request text; empty when none. The request handed out
    // before ends with this call: when it was not answered, its client gets
    // a SOAP fault.
    QString GetRequest();
    // The answer to the request handed out by the last GetRequest. A second
    // answer to the same request, or one when its client has gone, goes
    // nowhere.
    void SetResponse(const QString &response);

    // A request waits for GetRequest.
    bool HasPendingRequest() const;
    // Answers every request waiting for GetRequest that came at least
    // waitedMs ago with the response; returns how many.
    int RefuseWaiting(qint64 waitedMs, const QString &response);
    // The answer of a request whose answer time is up, handed out or not
    // (without one: a SOAP fault). Asked when the time is up, so that it is
    // written as the settings are then.
    void SetRefusal(std::function<QString()> refusal);
    // The requests are numbered as they come whole, from 1, over every
    // start of the listener: how many have come, and the number of the one
    // the last GetRequest handed out (0 when it handed out none).
    quint64 Arrivals() const;
    quint64 RequestNumber() const;
    // The clients connected now: the places taken.
    int ConnectionCount() const;
    // The bytes of its clients' requests it holds, those waiting for
    // GetRequest included, and what it may hold at most: each waiting
    // request holds a place of the listener, whose bound counts a body for
    // each.
    qint64 HeldBytes() const;
    qint64 HeldBytesBound() const;

    // The port listened on; 0 when not listening.
    quint16 Port() const;
    // Why the last start failed, in the program's texts where they name
    // the reason.
    QString LastError() const { return m_lastError; }
    // The last start failed because its address is none of this computer's
    // (or no address at all).
    bool AddressRefused() const { return m_addressRefused; }
    // Bounds of a request and time limits; take effect at the next start.
    void SetLimits(const HttpLimits &limits);

signals:
    // A whole request came and waits for GetRequest. Emitted from the
    // listener's handling of its connection: whoever answers at once
    // connects queued, so that the request is handled outside it.
    void RequestArrived();
    // The request handed out ended without the window's answer: its time
    // was up (the client had the refusal) or its client has gone.
    void HandedOutEnded();

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
    QString m_lastError;
    bool m_addressRefused = false;
};

// Receive modes of the DMS interface.
enum SRPINTERFACE
{
    SRP_INTERFACE_OFF = 0,
    SRP_INTERFACE_LISTENER = 4
};

// Starts the listener on the port when the receive mode is 4, and stops it
// otherwise (every other mode receives nothing over the network). The
// argument is the listener's address (see StartListener). Returns true when
// the listener runs afterwards; a port text that is no port number from 1
// to 65535 fails as a start does (LastError).
bool ActivateSoapXMLInterface(const QString &argument, int receiveMode, const QString &port,
                              ISoapSvr *listener);
