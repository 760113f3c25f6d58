#include "platform/FileErrorText.h"

#include "platform/OrmelText.h"

#include <QFile>
#include <QFileDevice>
#include <QFileInfo>

namespace {

enum
{
    kTextPermission = 7164, // the system's reason
    kTextNoSpace = 7165,
    kTextNotCreated = 7166,
    kTextNotWritten = 7167,
    kTextFolderInPlace = 7175,
    kTextNotRead = 7176, // the system's reason
};

} // namespace

QString FileErrorText(const QFileDevice &file)
{
    return FileErrorText(file.error(), file.errorString());
}

QString FileErrorText(QFileDevice::FileError kind, const QString &systemReason)
{
    int id = kTextNotWritten;
    switch (kind) {
    case QFileDevice::PermissionsError:
        id = kTextPermission;
        break;
    case QFileDevice::ResourceError:
        id = kTextNoSpace;
        break;
    case QFileDevice::OpenError:
        id = kTextNotCreated;
        break;
    default:
        break;
    }
    // Without the text table the system's reason stands alone.
    return OrmelTextArgs(id, {systemReason}, QStringLiteral("%s"));
}

QString FileReadErrorText(const QFile &file)
{
    const QFileInfo info(file.fileName());
    // The library's own words for a folder are not the system's: the
    // program's text stands alone.
    if (info.isDir())
        return OrmelTextArgs(kTextFolderInPlace, {file.errorString()}, QStringLiteral("%s"));
    const int id =
        file.error() == QFileDevice::PermissionsError || (info.exists() && !info.isReadable())
            ? kTextPermission
            : kTextNotRead;
    return OrmelTextArgs(id, {file.errorString()}, QStringLiteral("%s"));
}
