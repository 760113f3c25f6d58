#include "common/OpenUrl.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

bool OpenUrlInBrowser(const QString &url)
{
    const QFileInfo file(url);
    const QUrl target = file.isAbsolute() || file.exists()
                            ? QUrl::fromLocalFile(file.absoluteFilePath())
                            : QUrl::fromUserInput(url);
    return QDesktopServices::openUrl(target);
}
