#include "platform/QtNotices.h"

#include <QString>
#include <QtGlobal>

namespace {

QtMessageHandler g_previous = nullptr;

bool isRuntimeDirNotice(const QString &message)
{
    return message.startsWith(
        QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set, defaulting to "));
}

void filterNotices(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && isRuntimeDirNotice(message))
        return;
    if (g_previous)
        g_previous(type, context, message);
}

} // namespace

void DropQtRuntimeDirNotice()
{
    if (!g_previous)
        g_previous = qInstallMessageHandler(filterNotices);
}
