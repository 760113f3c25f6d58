#include "platform/QtNotices.h"

#include <QString>
#include <QtGlobal>

namespace {

QtMessageHandler g_previous = nullptr;

// Qt's notice that the runtime folder XDG_RUNTIME_DIR names cannot be used
// (another owner's, as under "sudo"; not the user's alone; no folder; not
// to be made): Qt then takes the same folder of its own as without the
// variable. A notice naming that folder of Qt's own is still told.
bool isNamedRuntimeFolderNotice(const QString &message)
{
    const QString named = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (named.isEmpty())
        return false;
    const QString quoted = QLatin1Char('\'') + named + QLatin1Char('\'');
    return message.startsWith(QLatin1String("QStandardPaths: runtime directory ") + quoted +
                              QLatin1String(" is not owned by UID ")) ||
           message.startsWith(QLatin1String("QStandardPaths: runtime directory ") + quoted +
                              QLatin1String(" is not a directory, ")) ||
           message.startsWith(QLatin1String("QStandardPaths: wrong permissions on runtime "
                                            "directory ") +
                              named + QLatin1String(", ")) ||
           message.startsWith(QLatin1String("QStandardPaths: error creating runtime directory ") +
                              quoted + QLatin1String(" ("));
}

bool isToldOtherwise(const QString &message)
{
    return message.startsWith(
               QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set, defaulting to ")) ||
           isNamedRuntimeFolderNotice(message) ||
           message.startsWith(
               QLatin1String("This plugin does not support QPlatformServices::openDocument()"));
}

void filterNotices(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    // Qt tells a folder it could not make as a critical message.
    if ((type == QtWarningMsg || type == QtCriticalMsg) && isToldOtherwise(message))
        return;
    if (g_previous)
        g_previous(type, context, message);
}

} // namespace

void DropQtNotices()
{
    if (!g_previous)
        g_previous = qInstallMessageHandler(filterNotices);
}
