#include "platform/QtNotices.h"

#include <QString>
#include <QtGlobal>

namespace {

QtMessageHandler g_previous = nullptr;

bool isToldOtherwise(const QString &message)
{
    return message.startsWith(
               QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set, defaulting to ")) ||
           message.startsWith(
               QLatin1String("This plugin does not support QPlatformServices::openDocument()"));
}

void filterNotices(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && isToldOtherwise(message))
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
