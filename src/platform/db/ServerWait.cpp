#include "platform/db/ServerWait.h"

#include "platform/db/CatalogueFailure.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QVariant>

#include <chrono>
#include <condition_variable>
#include <dlfcn.h>
#include <map>
#include <mutex>
#include <set>
#include <sys/socket.h>
#include <thread>

namespace {

std::atomic<int> g_boundMs{CServerWait::kDefaultBoundMs};
std::atomic<void (*)()> g_waitShown{nullptr};
std::atomic<bool> g_waitShownInStep{false};

// One thread for every connection of the program: it sleeps until the
// earliest bound of the waits going on and shuts down the sockets whose
// bound has passed. The entry of a wait goes, under the same lock, before
// its socket can be closed: a socket shut down is always the one watched.
class CWatcher
{
public:
    ~CWatcher()
    {
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_bStop = true;
        }
        m_wake.notify_all();
        if (m_thread.joinable())
            m_thread.join();
    }

    unsigned long long Watch(int socket, std::atomic<bool> *timedOut)
    {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(CServerWait::BoundMs());
        const std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_thread.joinable())
            m_thread = std::thread([this] { Run(); });
        const unsigned long long id = ++m_nLastId;
        m_waits.emplace(id, Wait{socket, deadline, timedOut});
        m_wake.notify_all();
        return id;
    }

    void Forget(unsigned long long id)
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_waits.erase(id);
    }

private:
    struct Wait
    {
        int socket;
        std::chrono::steady_clock::time_point deadline;
        std::atomic<bool> *timedOut;
    };

    void Run()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        while (!m_bStop) {
            const auto now = std::chrono::steady_clock::now();
            auto next = std::chrono::steady_clock::time_point::max();
            for (auto it = m_waits.begin(); it != m_waits.end();) {
                if (it->second.deadline <= now) {
                    if (it->second.timedOut)
                        it->second.timedOut->store(true);
                    ::shutdown(it->second.socket, SHUT_RDWR);
                    it = m_waits.erase(it);
                } else {
                    next = std::min(next, it->second.deadline);
                    ++it;
                }
            }
            if (next == std::chrono::steady_clock::time_point::max())
                m_wake.wait(lock);
            else
                m_wake.wait_until(lock, next);
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::thread m_thread;
    std::map<unsigned long long, Wait> m_waits;
    unsigned long long m_nLastId = 0;
    bool m_bStop = false;
};

// The servers found silent in the step going on.
struct CSilence
{
    std::mutex mutex;
    std::set<QString> servers;
};

CSilence &Silence()
{
    static CSilence silence;
    return silence;
}

CWatcher &Watcher()
{
    static CWatcher watcher;
    return watcher;
}

using PQsocketFn = int (*)(const void *);

// libpq's PQsocket, taken from the libpq that Qt's PostgreSQL driver has
// loaded (the program itself does not link libpq); null when none is loaded.
PQsocketFn PqSocket()
{
    static const PQsocketFn fn = []() -> PQsocketFn {
        void *lib = dlopen("libpq.so.5", RTLD_LAZY | RTLD_NOLOAD);
        if (!lib)
            return nullptr;
        // The handle stays: the function is called for as long as the
        // program runs.
        return reinterpret_cast<PQsocketFn>(dlsym(lib, "PQsocket"));
    }();
    return fn;
}

} // namespace

void CServerWait::SetBoundMs(int milliseconds)
{
    g_boundMs.store(milliseconds > 0 ? milliseconds : kDefaultBoundMs);
}

int CServerWait::BoundMs()
{
    return g_boundMs.load();
}

void CServerWait::MarkSilent(const QString &server)
{
    CSilence &s = Silence();
    const std::lock_guard<std::mutex> lock(s.mutex);
    s.servers.insert(server);
}

void CServerWait::MarkAnswered(const QString &server)
{
    CSilence &s = Silence();
    const std::lock_guard<std::mutex> lock(s.mutex);
    if (!s.servers.empty())
        s.servers.erase(server);
}

bool CServerWait::SilentInStep(const QString &server)
{
    CSilence &s = Silence();
    const std::lock_guard<std::mutex> lock(s.mutex);
    return s.servers.count(server) != 0;
}

void CServerWait::SetWaitShown(void (*show)())
{
    g_waitShown.store(show);
}

void CServerWait::NoteWaitBegins()
{
    void (*show)() = g_waitShown.load();
    if (show && !g_waitShownInStep.exchange(true))
        show();
}

void CServerWait::BeginStep()
{
    g_waitShownInStep.store(false);
    CatalogueFailure::NewStep();
    CSilence &s = Silence();
    const std::lock_guard<std::mutex> lock(s.mutex);
    s.servers.clear();
}

int CServerWait::SocketOf(const QSqlDatabase &db)
{
    if (!db.isOpen() || !db.driver())
        return -1;
    const QVariant handle = db.driver()->handle();
    // Qt names the type as libpq declares it (the struct behind PGconn).
    if (!handle.isValid() ||
        (qstrcmp(handle.typeName(), "PGconn*") != 0 && qstrcmp(handle.typeName(), "pg_conn*") != 0))
        return -1;
    const void *conn = *static_cast<void *const *>(handle.constData());
    const PQsocketFn socketOf = PqSocket();
    return conn && socketOf ? socketOf(conn) : -1;
}

CServerWait::CServerWait(int socket, std::atomic<bool> *timedOut)
{
    if (socket >= 0)
        m_nId = Watcher().Watch(socket, timedOut);
}

CServerWait::~CServerWait()
{
    if (m_nId)
        Watcher().Forget(m_nId);
}
