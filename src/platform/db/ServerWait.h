#pragma once
// CServerWait: no wait on the catalogue server lasts without end. While an
// object lives, a watcher thread keeps the time of one wait on the
// connection's socket; once the bound has passed it shuts the socket down,
// so that the read blocked on it returns with an error and the connection
// counts as lost (the next read connects again). A server that stops
// answering (its processes stopped, the network gone) is thus told within
// the bound, as a server that went away is. The connection's start has its
// own limit (connect_timeout of the connect options, the same bound).

#include <QString>

#include <atomic>

class QSqlDatabase;

class CServerWait
{
public:
    // How long one wait on the catalogue server may take.
    static constexpr int kDefaultBoundMs = 10000;
    // The bound of the waits that begin from now on, for every connection
    // (tests shorten it); 0 or less: kDefaultBoundMs.
    static void SetBoundMs(int milliseconds);
    static int BoundMs();

    // The socket of an open server connection, -1 for any other (the
    // catalogue file, a connection that is not open).
    static int SocketOf(const QSqlDatabase &db);

    // A server that let a wait run out its bound is silent for the other
    // connections to it as well: they do not wait on it again for one bound
    // (an adviser's step reads over several connections, and would wait on
    // each), until a connection gets an answer from it. `server` names it,
    // `by` is the connection that found it so.
    static void MarkSilent(const QString &server, const void *by);
    static void MarkAnswered(const QString &server);
    // Whether another connection than `self` found the server silent less
    // than a bound ago.
    static bool SilentForOthers(const QString &server, const void *self);

    // Watches the socket for one bound; a socket below 0 watches nothing.
    // `timedOut` (may be null) is set when the bound passed.
    CServerWait(int socket, std::atomic<bool> *timedOut);
    ~CServerWait();
    CServerWait(const CServerWait &) = delete;
    CServerWait &operator=(const CServerWait &) = delete;

private:
    unsigned long long m_nId = 0; // 0: nothing watched
};
