#include "platform/AppPaths.h"

#include <QCoreApplication>
#include <QStandardPaths>

namespace {
QString &appDirOverride()
{
    static QString dir;
    return dir;
}
} // namespace

QString GetAppDirectory()
{
    QString dir = appDirOverride();
    if (dir.isEmpty())
        dir = QCoreApplication::applicationDirPath();
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir;
}

void SetAppDirectory(const QString &folder)
{
    appDirOverride() = folder;
}

QString LocalAppDataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

QString JoinPath(const QString &folder, const QString &name)
{
    if (folder.isEmpty())
        return name;
    if (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\')))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}
