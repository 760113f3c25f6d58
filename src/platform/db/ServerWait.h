#pragma once
// CServerWait: no wait on the catalogue server lasts without end. While an
// object lives, a watcher thread keeps the time of one wait on the
// connection's socket; once the bound has passed it shuts the socket down,
// so that the read blocked on it returns with an error and the connection
// counts as lost (a later read connects again, in the next step). A server
// that stops answering (its processes stopped, the network gone) is thus
// told within the bound, as a server that went away is. The connection's start has its
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

    // One adviser step (a click, a typed VIN, a page) waits on a server that
    // does not answer at most one bound, however many connections and reads
    // it makes: a server that let a wait run out its bound, or could not be
    // reached, is silent for every connection to it, the one that found it
    // so as well, until the step ends (BeginStep) or a connection gets an
    // answer from it. `server` names it.
    static void MarkSilent(const QString &server);
    static void MarkAnswered(const QString &server);
    static bool SilentInStep(const QString &server);
    // A new step begins: the servers found silent are asked again. The main
    // window calls it on every input the adviser makes in it.
    static void BeginStep();

    // What shows the adviser that a step waits on the server (the main
    // window's wait cursor); called at the first wait of each step.
    static void SetWaitShown(void (*show)());
    static void NoteWaitBegins();

    // Watches the socket for one bound; a socket below 0 watches nothing.
    // `timedOut` (may be null) is set when the bound passed.
    CServerWait(int socket, std::atomic<bool> *timedOut);
    ~CServerWait();
    CServerWait(const CServerWait &) = delete;
    CServerWait &operator=(const CServerWait &) = delete;

private:
    unsigned long long m_nId = 0; // 0: nothing watched
};
