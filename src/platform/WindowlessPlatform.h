#pragma once
// The Qt platform of a run in a caller mode (the modes that answer the
// calling program on the clipboard or in the profile), chosen before the
// application object is made.
//
// Only an X11 session keeps an answer on the clipboard after the program
// has ended (the clipboard holder). So a caller mode takes X11 wherever an
// X display is reachable, in a Wayland session too (its X server, where a
// window works as well, and whose own platform a program without a window
// cannot even set the clipboard on). Without any display the modes that
// show no window take the offscreen platform, so that the settings mode
// still does its work and the package request can say why its answer does
// not outlive it; the modes with a window leave the choice to Qt, and end at
// once where they could show their window to no one (CallerModeWindow).
//
// A platform the starter named (QT_QPA_PLATFORM, or the argument
// "-platform", which wins) is kept only when every name of it is one of the
// platforms known to run without any display (offscreen, minimal, vnc). Any
// other name (a desktop session's xcb or wayland, eglfs, a mistyped one) is
// treated as a desktop platform: the run chooses as above, so that a
// platform Qt cannot start never ends the run before it could say anything.

#include <QByteArray>
#include <QString>

// The platform for QT_QPA_PLATFORM, given what the starter named (empty when
// nothing) and whether an X display is reachable; empty when Qt chooses
// itself (a mode with a window, no X display, nothing kept).
QByteArray CallerModePlatform(const QByteArray &requested, bool xDisplayReachable, bool windowless);
// The same for the modes without a window, which always get a platform.
QByteArray WindowlessPlatform(const QByteArray &requested, bool xDisplayReachable);

// Whether the platform of the running program shows no window anyone could
// see or click (offscreen, minimal).
bool PlatformShowsNoWindow(const QString &platformName);

// Whether a caller mode with a window can show it on the platform
// CallerModePlatform chose for it: not on a platform that shows none
// (offscreen, minimal, the first of a list deciding), and not where Qt
// chooses without an X display and no Wayland display is reachable either.
enum class CallerWindow
{
    Shown,
    NoDisplay,
    PlatformShowsNone,
};
CallerWindow CallerModeWindow(const QByteArray &platform, bool waylandDisplayReachable);

// Whether the Wayland display of the session (WAYLAND_SOCKET, or the socket
// WAYLAND_DISPLAY names, "wayland-0" when unset) takes a connection.
bool WaylandDisplayReachable();

struct xcb_connection_t;

// A connection to the X display named by DISPLAY, held while the object
// lives. An X server resets when its last client leaves and refuses new
// clients while it does: a probe that had left just before Qt connects
// could make Qt's connection fail, and Qt then ends the program. Kept until
// Qt has connected, the probe's connection keeps the server from resetting
// in between.
class CXDisplayHold
{
public:
    CXDisplayHold();
    ~CXDisplayHold();
    CXDisplayHold(const CXDisplayHold &) = delete;
    CXDisplayHold &operator=(const CXDisplayHold &) = delete;

    // Whether the display took the connection.
    bool Reachable() const { return m_reachable; }

private:
    xcb_connection_t *m_connection;
    bool m_reachable;
};

// The platform named by the argument "-platform" (or "--platform"), as Qt
// reads it: the last one given wins. Removes every such pair from the
// arguments (argv[0] stays), so that QT_QPA_PLATFORM decides; `argc` and
// `argv` are changed in place. Returns false when none was given.
bool TakePlatformArgument(int *argc, char *argv[], QByteArray *platform);
