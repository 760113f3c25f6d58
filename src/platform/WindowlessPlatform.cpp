#include "platform/WindowlessPlatform.h"

#include "platform/OrmelText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QLibrary>
#include <QList>
#include <QPluginLoader>

#include <cstring>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

namespace {

// Reasons a window cannot be shown: no display reachable; a platform that
// shows no window; a platform not installed.
constexpr int kNoDisplayText = 7186;
constexpr int kPlatformShowsNoWindowText = 7187;
constexpr int kPlatformMissingText = 7188;

// The platforms that start without any display: Qt's own test and remote
// platforms. Every other one needs a display or a device of the computer
// (X11, Wayland, a frame buffer, a GPU), and Qt aborts the program when it
// cannot start it.
bool runsWithoutDisplay(const QByteArray &name)
{
    return name == "offscreen" || name == "minimal" || name == "vnc";
}

// One platform of a list ("wayland;xcb") as Qt reads it: its name, which Qt
// lower-cases, then its options after ":", empty ones skipped.
struct CPlatformEntry
{
    QByteArray name;
    // The entry as handed to Qt: without the blanks Qt would keep.
    QByteArray entry;
};

QList<CPlatformEntry> platformEntries(const QByteArray &requested)
{
    QList<CPlatformEntry> entries;
    for (const QByteArray &given : requested.split(';')) {
        QList<QByteArray> parts;
        for (const QByteArray &part : given.split(':')) {
            if (!part.trimmed().isEmpty())
                parts << part.trimmed();
        }
        if (parts.isEmpty())
            continue;
        CPlatformEntry entry;
        entry.name = parts.constFirst().toLower();
        entry.entry = parts.join(':');
        entry.entry.replace(0, entry.name.size(), entry.name);
        entries << entry;
    }
    return entries;
}

QByteArray platformName(const QByteArray &entry)
{
    const qsizetype options = entry.indexOf(':');
    return options < 0 ? entry : entry.left(options);
}

} // namespace

CCallerModePlatform ChooseCallerModePlatform(const QByteArray &requested, bool xDisplayReachable,
                                             bool waylandDisplayReachable, bool windowless,
                                             const PlatformInstalled &installed)
{
    CCallerModePlatform choice;
    const QList<CPlatformEntry> entries = platformEntries(requested);
    // Only a list of platforms without a display is kept; of it, what is
    // installed, as Qt skips the others.
    bool withoutDisplay = !entries.isEmpty();
    QByteArrayList kept;
    for (const CPlatformEntry &entry : entries) {
        if (!runsWithoutDisplay(entry.name)) {
            withoutDisplay = false;
            break;
        }
        if (installed(entry.name))
            kept << entry.entry;
    }
    if (withoutDisplay && !kept.isEmpty()) {
        choice.platform = kept.join(';');
        choice.name = platformName(kept.constFirst());
        choice.named = true;
        // Qt takes the first platform of the list, one without a display
        // always starting.
        if (!windowless && PlatformShowsNoWindow(QString::fromLatin1(choice.name)))
            choice.window = CallerWindow::PlatformShowsNone;
        return choice;
    }

    // The platforms of the displays reachable, in the order tried.
    QByteArrayList candidates;
    if (xDisplayReachable)
        candidates << QByteArrayLiteral("xcb");
    if (windowless) {
        // Else Qt's offscreen platform, which comes with Qt's own graphics
        // library, unless a qt.conf names plugins without it.
        candidates << QByteArrayLiteral("offscreen");
        for (const QByteArray &candidate : candidates) {
            if (installed(candidate)) {
                choice.platform = candidate;
                choice.name = candidate;
                return choice;
            }
            if (choice.missing.isEmpty())
                choice.missing = candidate;
        }
        choice.name = choice.missing;
        choice.window = CallerWindow::PlatformMissing;
        return choice;
    }
    if (waylandDisplayReachable) {
        // A Wayland platform the starter named (wayland-egl) before Qt's
        // plain one.
        for (const CPlatformEntry &entry : entries) {
            if (entry.name.startsWith("wayland") && entry.name != "wayland") {
                candidates << entry.entry;
                break;
            }
        }
        candidates << QByteArrayLiteral("wayland");
    }
    if (candidates.isEmpty()) {
        choice.window = CallerWindow::NoDisplay;
        return choice;
    }
    for (const QByteArray &candidate : candidates) {
        if (installed(platformName(candidate))) {
            choice.platform = candidate;
            choice.name = platformName(candidate);
            return choice;
        }
        if (choice.missing.isEmpty())
            choice.missing = platformName(candidate);
    }
    choice.name = choice.missing;
    choice.window = CallerWindow::PlatformMissing;
    return choice;
}

QStringList PlatformPluginFolders()
{
    QStringList folders;
    // A folder the starter names for the platforms alone: Qt looks in that
    // folder itself, not in a "platforms" inside it.
    const QString own = qEnvironmentVariable("QT_QPA_PLATFORM_PLUGIN_PATH");
    if (!own.isEmpty())
        folders << own;
    // Then the "platforms" of Qt's library paths: QT_PLUGIN_PATH, Qt's own
    // plugins (or those a qt.conf beside the program names), the program's
    // folder.
    for (const QString &path : QCoreApplication::libraryPaths())
        folders << path + QStringLiteral("/platforms");
    folders.removeDuplicates();
    return folders;
}

bool PlatformPluginInstalled(const QByteArray &name)
{
    const QString wanted = QString::fromLocal8Bit(name);
    for (const QString &folder : PlatformPluginFolders()) {
        const QDir dir(folder);
        for (const QString &file : dir.entryList(QDir::Files)) {
            if (!QLibrary::isLibrary(file))
                continue;
            // The names a plugin declares, read without loading it.
            const QJsonArray keys = QPluginLoader(dir.filePath(file))
                                        .metaData()
                                        .value(QLatin1String("MetaData"))
                                        .toObject()
                                        .value(QLatin1String("Keys"))
                                        .toArray();
            for (const QJsonValue &key : keys) {
                if (key.toString().compare(wanted, Qt::CaseInsensitive) == 0)
                    return true;
            }
        }
    }
    return false;
}

QString PlatformCalledFor(const QByteArray &name, const QString &starter)
{
    const auto variable = [](const char *name) {
        return QStringLiteral("%1 \"%2\"")
            .arg(QLatin1String(name), QString::fromLocal8Bit(qgetenv(name)));
    };
    // X11's platform, or offscreen without an X display.
    if (name == "xcb" || name == "offscreen")
        return variable("DISPLAY");
    const QString wayland = variable("WAYLAND_DISPLAY");
    // A Wayland platform other than Qt's plain one is tried only when the
    // starter named it.
    return name == "wayland" ? wayland : starter + QStringLiteral(", ") + wayland;
}

bool PlatformShowsNoWindow(const QString &platformName)
{
    return platformName == QLatin1String("offscreen") || platformName == QLatin1String("minimal");
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

QString WindowCannotShowReason(CallerWindow why, const QString &platform,
                               const QString &platformNamedBy, const CMissingPlatform &missing)
{
    switch (why) {
    case CallerWindow::NoDisplay:
        return OrmelTextArgs(kNoDisplayText,
                             {QString::fromLocal8Bit(qgetenv("DISPLAY")),
                              QString::fromLocal8Bit(qgetenv("WAYLAND_DISPLAY"))},
                             QStringLiteral("DISPLAY \"%s\", WAYLAND_DISPLAY \"%s\""));
    case CallerWindow::PlatformMissing:
        return OrmelTextArgs(kPlatformMissingText,
                             {missing.name, missing.calledFor, missing.searched},
                             QStringLiteral("%s (%s) (%s)"));
    case CallerWindow::PlatformShowsNone:
    case CallerWindow::Shown:
        break;
    }
    return OrmelTextArgs(kPlatformShowsNoWindowText, {platform, platformNamedBy},
                         QStringLiteral("%s (%s)"));
}
