#include "platform/WholeFile.h"

#include "platform/FileErrorText.h"
#include "platform/OrmelText.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
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

// A copy not written to for this long belongs to no write still going on.
constexpr qint64 kStaleCopySeconds = 60;

} // namespace

int RemoveStaleWholeFileCopies(const QString &path)
{
    const QFileInfo target(path);
    const QDir folder = target.absoluteDir();
    // The writer names its copy after the file with six random letters of
    // both cases; a name in one case ("backup", "BACKUP") is the user's own
    // copy and stays (a random one in one case stays too, harmlessly).
    const QRegularExpression copyName(
        QLatin1Char('^') + QRegularExpression::escape(target.fileName()) +
        QStringLiteral("\\.(?=[A-Za-z]*[a-z])(?=[A-Za-z]*[A-Z])[A-Za-z]{6}$"));
    const QDateTime before = QDateTime::currentDateTime().addSecs(-kStaleCopySeconds);
    int removed = 0;
    const QFileInfoList copies = folder.entryInfoList(
        {target.fileName() + QStringLiteral(".??????")}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo &copy : copies) {
        if (!copyName.match(copy.fileName()).hasMatch() || copy.isSymLink() ||
            copy.lastModified() > before)
            continue;
        if (QFile::remove(copy.absoluteFilePath()))
            ++removed;
    }
    return removed;
}

bool OpenWholeFile(QSaveFile &file, QString *reason)
{
    RemoveStaleWholeFileCopies(file.fileName());
    if (file.open(QIODevice::WriteOnly))
        return true;
    if (reason)
        *reason = FileErrorText(file);
    return false;
}

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
    if (file.error() != QFileDevice::NoError)
        return Fail(file, QString(), reason);
    if (!file.flush()) {
        // A write that came short says no reason; the rest, tried again,
        // meets the full disk at once and names it.
        file.flush();
        return Fail(file, QString(), reason);
    }
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
    if (!OpenWholeFile(file, reason))
        return false;
    if (permissions && !file.setPermissions(permissions))
        return Fail(file, QString(), reason);
    // A write that came short says no reason; the rest, tried again, meets
    // the full disk at once and names it.
    for (qint64 done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            return Fail(file, QString(), reason);
        done += written;
    }
    return CommitWholeFile(file, reason);
}

QString FileNotWrittenText(const QString &path, const QString &reason)
{
    // Without the text table the file and the reason still stand.
    return OrmelTextArgs(kTextFileNotWritten, {QDir::toNativeSeparators(path), reason},
                         QStringLiteral("%s\n%s"));
}

void SetWholeFileFault(WholeFileFault f)
{
    fault() = std::move(f);
}
