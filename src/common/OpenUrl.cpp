#include "common/OpenUrl.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

namespace {
UrlOpener &opener()
{
    static UrlOpener o;
    return o;
}
} // namespace

void SetUrlOpener(UrlOpener o)
{
    opener() = std::move(o);
}

bool OpenUrlInBrowser(const QString &url)
{
    const QFileInfo file(url);
    const QUrl target = file.isAbsolute() || file.exists()
                            ? QUrl::fromLocalFile(file.absoluteFilePath())
                            : QUrl::fromUserInput(url);
    if (opener())
        return opener()(target);
    return QDesktopServices::openUrl(target);
}
