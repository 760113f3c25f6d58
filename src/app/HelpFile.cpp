#include "app/HelpFile.h"

#include <QFileInfo>

namespace {
QString HelpPath(const QString &appDir, const QString &language, const QString &fileName)
{
    QString dir = appDir;
    if (!dir.isEmpty() && !dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir + QStringLiteral("HELP/") + language + QLatin1Char('/') + fileName;
}
} // namespace

QString CHelpFile::Path(const QString &appDir, const QString &language, const QString &fileName)
{
    const QString path = HelpPath(appDir, language, fileName);
    if (QFileInfo::exists(path))
        return path;
    return HelpPath(appDir, FallbackLanguage(), fileName);
}
