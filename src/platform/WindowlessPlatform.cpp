#include "platform/WindowlessPlatform.h"

#include <QList>

#include <xcb/xcb.h>

namespace {

// The platforms of a desktop session: a program without a window takes
// X11 among them, or no display at all.
bool isSessionPlatform(const QByteArray &name)
{
    return name == "xcb" || name == "wayland" || name.startsWith("wayland-");
}

} // namespace

QByteArray WindowlessPlatform(const QByteArray &requested, bool xDisplayReachable)
{
    // A list ("wayland;xcb") is tried in order; each name may carry options
    // after ":". Only a list of platforms without a display is kept.
    bool starterChose = false;
    for (const QByteArray &entry : requested.split(';')) {
        const qsizetype options = entry.indexOf(':');
        const QByteArray name = (options < 0 ? entry : entry.left(options)).trimmed();
        if (name.isEmpty())
            continue;
        if (isSessionPlatform(name)) {
            starterChose = false;
            break;
        }
        starterChose = true;
    }
    if (starterChose)
        return requested;
    return xDisplayReachable ? QByteArrayLiteral("xcb") : QByteArrayLiteral("offscreen");
}

bool XDisplayReachable()
{
    // As Qt's X11 platform connects: DISPLAY and the X authority of the
    // session.
    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    const bool reachable = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return reachable;
}
