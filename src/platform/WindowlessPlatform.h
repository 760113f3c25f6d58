#pragma once
// The Qt platform of a run in a caller mode (the modes that answer the
// calling program on the clipboard or in the profile), chosen before the
// application object is made.
//
// Only an X11 session keeps an answer on the clipboard after the program
// has ended (the clipboard holder). So a caller mode takes X11 wherever an
// X display is reachable, in a Wayland session too (its X server, where a
// window works as well, and whose own platform a program without a window
// cannot even set the clipboard on). Without an X display the modes that
// show no window take the offscreen platform, so that the settings mode
// still does its work and the package request can say why its answer does
// not outlive it; the modes with a window take Wayland where a Wayland
// display is reachable, and end at once where they could show their window
// to no one.
//
// A platform the starter named (QT_QPA_PLATFORM, or the argument
// "-platform", which wins) is kept only when every name of it is one of the
// platforms known to run without any display (offscreen, minimal, vnc) and
// one of them is installed. Any other name (a desktop session's xcb or
// wayland, eglfs, a mistyped one, one whose plugin is missing) is treated
// as a desktop platform: the run chooses as above, so that a platform Qt
// cannot start never ends the run before it could say anything. Names are
// read as Qt reads them (case aside) but without the blanks around them,
// which Qt would take as part of the name; Qt is handed them without.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

// Whether a caller mode with a window shows it on the platform chosen for
// it, or why the run ends at once: no display reachable, a platform that
// shows no window (offscreen, minimal, the first installed of a list
// deciding), or no platform it could show its window on installed (for a
// mode without a window: none it could run on).
enum class CallerWindow
{
    Shown,
    NoDisplay,
    PlatformShowsNone,
    PlatformMissing,
};

struct CCallerModePlatform
{
    // For QT_QPA_PLATFORM; empty where none could be chosen (no display,
    // none installed).
    QByteArray platform;
    // The platform the reason for an end names (without its options).
    QByteArray name;
    // Whether the starter's platform was kept as named.
    bool named = false;
    // The platform of a reachable display that is not installed, passed
    // over for another or ending the run; empty when none was.
    QByteArray missing;
    CallerWindow window = CallerWindow::Shown;
};

// A platform a caller mode needs for a reachable display that is not
// installed, as its reason names it.
struct CMissingPlatform
{
    QString name;
    // What called for it (PlatformCalledFor).
    QString calledFor;
    // The folders looked in, ", " between them.
    QString searched;
};

// The reason a window cannot be shown (`why` not Shown), in the program's
// texts (InitOrmelText first): no display reachable (naming DISPLAY and
// WAYLAND_DISPLAY), the platform not installed (`missing`), or the
// platform, named by `platformNamedBy`, showing no window.
QString WindowCannotShowReason(CallerWindow why, const QString &platform,
                               const QString &platformNamedBy, const CMissingPlatform &missing);

// Whether the Qt platform of that name is installed.
using PlatformInstalled = std::function<bool(const QByteArray &name)>;

// The platform of a caller mode, given what the starter named (empty when
// nothing), the displays reachable and whether the mode shows no window.
CCallerModePlatform ChooseCallerModePlatform(const QByteArray &requested, bool xDisplayReachable,
                                             bool waylandDisplayReachable, bool windowless,
                                             const PlatformInstalled &installed);

// The folders Qt looks for its platform plugins in, in its order. Qt reads
// a qt.conf beside the program (which may name its plugins elsewhere) only
// once the application object is made: call these while one lives.
QStringList PlatformPluginFolders();
// Whether a plugin in those folders is the platform of that name, as Qt
// finds it by the name the plugin declares.
bool PlatformPluginInstalled(const QByteArray &name);

// What called for the platform of that name in a caller mode, for a reason
// that names it: the display it is the platform of (DISPLAY "...",
// WAYLAND_DISPLAY "..."; for offscreen the X display there is none of), and for a Wayland platform
// other than Qt's plain one also the starter who named it (`starter`: "QT_QPA_PLATFORM" or
// "-platform").
QString PlatformCalledFor(const QByteArray &name, const QString &starter);

// Whether the platform of the running program shows no window anyone could
// see or click (offscreen, minimal).
bool PlatformShowsNoWindow(const QString &platformName);

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
