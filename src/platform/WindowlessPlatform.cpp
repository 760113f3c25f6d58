#include "platform/WindowlessPlatform.h"

#include <QList>

#include <cstring>

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
