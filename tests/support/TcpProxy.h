#pragma once
// A TCP proxy of the test's own in front of a server, on a thread of its
// own (the connection under test blocks the test's thread while it waits):
// cut, it closes every connection and each new one at once, as a server
// that went away; frozen, it keeps the connections and forwards nothing, as
// a server that stopped answering. A freeze ends by itself after
// `freezeGuardMs`, so that a wait without a bound comes to an end (late,
// with its answer).

#include <QString>

#include <atomic>
#include <thread>

class CTcpProxy
{
public:
    CTcpProxy(const QString &host, quint16 port, int freezeGuardMs = 60000);
    // In front of the suite's PostgreSQL server (YAQ_TEST_PG_HOST, _PORT).
    CTcpProxy();
    ~CTcpProxy();
    CTcpProxy(const CTcpProxy &) = delete;
    CTcpProxy &operator=(const CTcpProxy &) = delete;

    // 0 when the proxy could not listen.
    quint16 Port() const { return m_nPort; }
    // Returns once every connection is closed.
    void Cut();
    void Freeze();
    // Forwards again; connections are accepted again.
    void Resume();

private:
    enum State
    {
        Forwarding,
        Cutting,
        Frozen
    };
    void Run();

    QString m_strHost;
    quint16 m_nServerPort;
    int m_nFreezeGuardMs;
    int m_nListen = -1;
    int m_wake[2] = {-1, -1};
    quint16 m_nPort = 0;
    std::atomic<int> m_state{Forwarding};
    std::atomic<bool> m_bStop{false};
    std::atomic<int> m_nCutsAsked{0};
    std::atomic<int> m_nCutsDone{0};
    std::thread m_thread;
};
