#include "platform/FileErrorText.h"

#include "platform/OrmelText.h"

#include <QFileDevice>

namespace {

enum
{
    kTextPermission = 7164, // the system's reason
    kTextNoSpace = 7165,
    kTextNotCreated = 7166,
    kTextNotWritten = 7167,
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
