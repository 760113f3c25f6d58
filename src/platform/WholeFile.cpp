#include "platform/WholeFile.h"

#include "platform/FileErrorText.h"
#include "platform/OrmelText.h"

#include <QDir>
#include <QSaveFile>

namespace {

enum
{
    kTextFileNotWritten = 7130, // path, reason
};

WholeFileFault &fault()
{
    static WholeFileFault f;
    return f;
}

bool Fail(QSaveFile &file, const QString &why, QString *reason)
{
    if (reason)
        *reason = why.isEmpty() ? FileErrorText(file) : why;
    // Drops the file written beside the old one.
    file.cancelWriting();
    file.commit();
    return false;
}

} // namespace

bool CommitWholeFile(QSaveFile &file, QString *reason)
{
    if (!file.isOpen())
        return Fail(file, QString(), reason);
    if (fault()) {
        const QString injected = fault()(file.fileName());
        if (!injected.isEmpty())
            return Fail(file, injected, reason);
    }
    // Whatever a write ran into before counts too: QSaveFile notes it, but
    // only commit() looks at it.
    if (file.error() != QFileDevice::NoError || !file.flush())
        return Fail(file, QString(), reason);
    if (!file.commit()) {
        if (reason)
            *reason = FileErrorText(file);
        return false;
    }
    return true;
}

bool WriteWholeFile(const QString &path, const QByteArray &bytes, QString *reason,
                    QFileDevice::Permissions permissions)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (reason)
            *reason = FileErrorText(file);
        return false;
    }
    if (permissions && !file.setPermissions(permissions))
        return Fail(file, QString(), reason);
    if (file.write(bytes) != bytes.size())
        return Fail(file, QString(), reason);
    return CommitWholeFile(file, reason);
}

QString FileNotWrittenText(const QString &path, const QString &reason)
{
    return OrmelTextArgs(kTextFileNotWritten, {QDir::toNativeSeparators(path), reason});
}

void SetWholeFileFault(WholeFileFault f)
{
    fault() = std::move(f);
}
