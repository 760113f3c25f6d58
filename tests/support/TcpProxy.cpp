#include "support/TcpProxy.h"

#include <arpa/inet.h>
#include <chrono>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {
int ConnectTo(const QString &host, quint16 port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return -1;
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(port);
    ::inet_pton(AF_INET, host.toLatin1().constData(), &addr.sin_addr);
    if (::connect(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}
} // namespace

CTcpProxy::CTcpProxy()
    : CTcpProxy(qEnvironmentVariable("YAQ_TEST_PG_HOST"),
                quint16(qEnvironmentVariableIntValue("YAQ_TEST_PG_PORT")))
{
}

CTcpProxy::CTcpProxy(const QString &host, quint16 port, int freezeGuardMs)
    : m_strHost(host), m_nServerPort(port), m_nFreezeGuardMs(freezeGuardMs)
{
    m_nListen = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    if (m_nListen < 0 || ::bind(m_nListen, reinterpret_cast<sockaddr *>(&addr), len) != 0 ||
        ::listen(m_nListen, 16) != 0 ||
        ::getsockname(m_nListen, reinterpret_cast<sockaddr *>(&addr), &len) != 0 ||
        ::pipe(m_wake) != 0)
        return;
    m_nPort = ntohs(addr.sin_port);
    m_thread = std::thread([this] { Run(); });
}

CTcpProxy::~CTcpProxy()
{
    m_bStop = true;
    if (m_wake[1] >= 0)
        (void)!::write(m_wake[1], "x", 1);
    if (m_thread.joinable())
        m_thread.join();
    for (const int fd : {m_nListen, m_wake[0], m_wake[1]}) {
        if (fd >= 0)
            ::close(fd);
    }
}

void CTcpProxy::Cut()
{
    const int asked = ++m_nCutsAsked;
    m_state = Cutting;
    (void)!::write(m_wake[1], "x", 1);
    // Returns once the connections are closed, so that what follows meets them closed.
    while (m_nCutsDone < asked && m_thread.joinable())
        std::this_thread::yield();
}

void CTcpProxy::Freeze()
{
    m_state = Frozen;
    (void)!::write(m_wake[1], "x", 1);
}

void CTcpProxy::Resume()
{
    m_state = Forwarding;
    (void)!::write(m_wake[1], "x", 1);
}

void CTcpProxy::Run()
{
    // Pairs of (client, server) sockets.
    std::vector<std::pair<int, int>> pairs;
    const auto closePair = [](std::pair<int, int> &p) {
        ::close(p.first);
        ::close(p.second);
    };
    auto frozenSince = std::chrono::steady_clock::time_point();
    while (!m_bStop) {
        const int state = m_state;
        if (state == Frozen) {
            const auto now = std::chrono::steady_clock::now();
            if (frozenSince == std::chrono::steady_clock::time_point())
                frozenSince = now;
            else if (now - frozenSince > std::chrono::milliseconds(m_nFreezeGuardMs))
                m_state = Forwarding;
        } else {
            frozenSince = {};
        }
        if (state == Cutting) {
            const int asked = m_nCutsAsked;
            for (auto &p : pairs)
                closePair(p);
            pairs.clear();
            m_nCutsDone = asked;
        }
        std::vector<pollfd> fds{{m_wake[0], POLLIN, 0}, {m_nListen, POLLIN, 0}};
        if (state == Forwarding) {
            for (const auto &p : pairs) {
                fds.push_back({p.first, POLLIN, 0});
                fds.push_back({p.second, POLLIN, 0});
            }
        }
        if (::poll(fds.data(), fds.size(), state == Frozen ? 100 : -1) < 0)
            continue;
        if (fds[0].revents & POLLIN) {
            char buf[16];
            (void)!::read(m_wake[0], buf, sizeof buf);
        }
        if (fds[1].revents & POLLIN) {
            const int client = ::accept(m_nListen, nullptr, nullptr);
            if (client >= 0) {
                const int server = m_state == Cutting ? -1 : ConnectTo(m_strHost, m_nServerPort);
                if (server < 0)
                    ::close(client);
                else
                    pairs.emplace_back(client, server);
            }
        }
        // A cut or a freeze asked for meanwhile holds from the moment it was asked.
        if (state != Forwarding || m_state != Forwarding)
            continue;
        std::vector<size_t> gone;
        for (size_t i = 2; i < fds.size(); ++i) {
            if (!(fds[i].revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            auto &p = pairs[(i - 2) / 2];
            const bool fromClient = (i - 2) % 2 == 0;
            char buf[65536];
            const ssize_t n = ::read(fromClient ? p.first : p.second, buf, sizeof buf);
            bool ok = n > 0;
            for (ssize_t done = 0; ok && done < n;) {
                const ssize_t w = ::write(fromClient ? p.second : p.first, buf + done, n - done);
                ok = w > 0;
                done += w > 0 ? w : 0;
            }
            if (!ok)
                gone.push_back((i - 2) / 2);
        }
        for (auto it = gone.rbegin(); it != gone.rend(); ++it) {
            if (it + 1 != gone.rend() && *(it + 1) == *it)
                continue;
            closePair(pairs[*it]);
            pairs.erase(pairs.begin() + std::ptrdiff_t(*it));
        }
    }
    for (auto &p : pairs)
        closePair(p);
}
