#include "platform/WindowlessPlatform.h"

#include <QDir>
#include <QFile>
#include <QList>

#include <cstring>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

namespace {

// The platforms that start without any display: Qt's own test and remote
// platforms. Every other one needs a display or a device of the computer
// (X11, Wayland, a frame buffer, a GPU), and Qt aborts the program when it
// cannot start it.
bool runsWithoutDisplay(const QByteArray &name)
{
    return name == "offscreen" || name == "minimal" || name == "vnc";
}

} // namespace

QByteArray CallerModePlatform(const QByteArray &requested, bool xDisplayReachable, bool windowless)
{
    // A list ("wayland;xcb") is tried in order; each name may carry options
    // after ":". Only a list of platforms without a display is kept.
    bool starterChose = false;
    for (const QByteArray &entry : requested.split(';')) {
        const qsizetype options = entry.indexOf(':');
        const QByteArray name = (options < 0 ? entry : entry.left(options)).trimmed();
        if (name.isEmpty())
            continue;
        if (!runsWithoutDisplay(name)) {
            starterChose = false;
            break;
        }
        starterChose = true;
    }
    if (starterChose)
        return requested;
    if (xDisplayReachable)
        return QByteArrayLiteral("xcb");
    return windowless ? QByteArrayLiteral("offscreen") : QByteArray();
}

QByteArray WindowlessPlatform(const QByteArray &requested, bool xDisplayReachable)
{
    return CallerModePlatform(requested, xDisplayReachable, true);
}

bool PlatformShowsNoWindow(const QString &platformName)
{
    return platformName == QLatin1String("offscreen") || platformName == QLatin1String("minimal");
}

CallerWindow CallerModeWindow(const QByteArray &platform, bool waylandDisplayReachable)
{
    if (platform.isEmpty())
        return waylandDisplayReachable ? CallerWindow::Shown : CallerWindow::NoDisplay;
    // Qt takes the first platform of a list that starts; one without a
    // display always does.
    const QByteArray first = platform.split(';').constFirst();
    const qsizetype options = first.indexOf(':');
    const QByteArray name = (options < 0 ? first : first.left(options)).trimmed();
    return PlatformShowsNoWindow(QString::fromLatin1(name)) ? CallerWindow::PlatformShowsNone
                                                            : CallerWindow::Shown;
}

bool WaylandDisplayReachable()
{
    // A socket handed over by the starter is the display.
    if (qEnvironmentVariableIsSet("WAYLAND_SOCKET"))
        return true;
    QString path = qEnvironmentVariable("WAYLAND_DISPLAY", QStringLiteral("wayland-0"));
    if (!QDir::isAbsolutePath(path)) {
        const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
        if (runtime.isEmpty())
            return false;
        path = runtime + QLatin1Char('/') + path;
    }
    const QByteArray encoded = QFile::encodeName(path);
    sockaddr_un address{};
    if (encoded.size() >= qsizetype(sizeof(address.sun_path)))
        return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, encoded.constData(), size_t(encoded.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const bool reachable =
        ::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof(address)) == 0;
    ::close(fd);
    return reachable;
}

CXDisplayHold::CXDisplayHold()
    // As Qt's X11 platform connects: DISPLAY and the X authority of the
    // session.
    : m_connection(xcb_connect(nullptr, nullptr)),
      m_reachable(xcb_connection_has_error(m_connection) == 0)
{
}

CXDisplayHold::~CXDisplayHold()
{
    xcb_disconnect(m_connection);
}

bool TakePlatformArgument(int *argc, char *argv[], QByteArray *platform)
{
    bool given = false;
    int kept = 1;
    for (int i = 1; i < *argc; ++i) {
        const char *arg = argv[i];
        // Qt reads "--platform" as "-platform".
        if (arg[0] == '-' && arg[1] == '-')
            ++arg;
        if (std::strcmp(arg, "-platform") == 0) {
            // Without a value Qt takes nothing, and neither is it a switch
            // of the program.
            if (i + 1 < *argc) {
                *platform = argv[++i];
                given = true;
            }
            continue;
        }
        argv[kept++] = argv[i];
    }
    for (int i = kept; i < *argc; ++i)
        argv[i] = nullptr;
    *argc = kept;
    return given;
}
