#pragma once
// The DMS listener: receives SOAP requests of the dealer management system
// over HTTP on the listener port. The main window polls it from its timer.
// This is the interface the program uses; the listener itself comes with the
// DMS exchange.

#include <QString>

class ISoapSvr
{
public:
    ISoapSvr() = default;
    ~ISoapSvr();
    ISoapSvr(const ISoapSvr &) = delete;
    ISoapSvr &operator=(const ISoapSvr &) = delete;

    // True while the listener runs.
    bool HasInterface() const { return m_running; }
    bool StartListener(const QString &argument, long port, const QString &options);
    void StopListener();
    // The pending request text; empty when none.
    QString GetRequest();
    // The answer to the pending request.
    void SetResponse(const QString &response);

private:
    bool m_running = false;
    long m_port = 0;
};

// Receive modes of the DMS interface.
enum SRPINTERFACE
{
    SRP_INTERFACE_OFF = 0,
    SRP_INTERFACE_LISTENER = 4
};

// Starts the listener on the port when the receive mode is 4, and stops it
// otherwise. Returns true when the listener runs afterwards.
bool ActivateSoapXMLInterface(const QString &argument, int receiveMode, const QString &port,
                              ISoapSvr *listener);
