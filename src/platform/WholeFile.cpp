#include "platform/WholeFile.h"

#include "platform/FileErrorText.h"
#include "platform/OrmelText.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>
#include <filesystem>
#include <system_error>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

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

// A copy not written to for this long belongs to no write still going on.
constexpr qint64 kStaleCopySeconds = 60;

// The copy is named after the file, hidden, with the program's mark and six
// random letters: ".YAQTrader.ini.yaq2-part-AbCdEf". A name of this form is
// one the program gave; no other name is ever taken for a copy.
const QLatin1String kCopyMark(".yaq2-part-");
constexpr int kCopyLetters = 6;

QString copyName(const QString &fileName)
{
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    QString name = QLatin1Char('.') + fileName + kCopyMark;
    for (int i = 0; i < kCopyLetters; ++i)
        name += QLatin1Char(kLetters[QRandomGenerator::global()->bounded(52)]);
    return name;
}

std::filesystem::path nativePath(const QString &path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

} // namespace

int RemoveStaleWholeFileCopies(const QString &path)
{
    const QFileInfo target(path);
    const QDir folder = target.absoluteDir();
    const QRegularExpression copyPattern(QStringLiteral("^\\.") +
                                         QRegularExpression::escape(target.fileName() + kCopyMark) +
                                         QStringLiteral("[A-Za-z]{%1}$").arg(kCopyLetters));
    const QDateTime before = QDateTime::currentDateTime().addSecs(-kStaleCopySeconds);
    int removed = 0;
    const QFileInfoList copies =
        folder.entryInfoList({QLatin1Char('.') + target.fileName() + kCopyMark + QLatin1Char('*')},
                             QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo &copy : copies) {
        if (!copyPattern.match(copy.fileName()).hasMatch() || copy.isSymLink() ||
            copy.lastModified() > before)
            continue;
        if (QFile::remove(copy.absoluteFilePath()))
            ++removed;
    }
    return removed;
}

CWholeFile::CWholeFile(const QString &path) : m_path(path)
{
}

CWholeFile::~CWholeFile()
{
    Cancel();
}

bool CWholeFile::Open(QString *reason, QFileDevice::Permissions permissions)
{
    Cancel();
    m_writeFailed = false;
    QFileInfo target(m_path);
    // A link stays a link; the file it names is written (a link to a
    // missing file makes that file).
    for (int hops = 0; target.isSymLink() && hops < 40; ++hops)
        target.setFile(target.symLinkTarget());
    m_target = target.absoluteFilePath();
    const bool exists = target.exists();
    if (target.isDir() || (exists && !target.isWritable())) {
        if (reason)
            *reason = FileErrorText(QFileDevice::PermissionsError,
                                    qt_error_string(target.isDir() ? EISDIR : EACCES));
        return false;
    }
    RemoveStaleWholeFileCopies(m_target);
    // Until it has the old file's permissions, the copy is its owner's only.
    const QFileDevice::Permissions created =
        permissions ? permissions
        : exists    ? QFileDevice::ReadOwner | QFileDevice::WriteOwner
                    : QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                       QFileDevice::WriteGroup | QFileDevice::ReadOther | QFileDevice::WriteOther;
    const QDir folder = target.absoluteDir();
    for (int attempt = 0; attempt < 16; ++attempt) {
        m_copy.setFileName(folder.filePath(copyName(target.fileName())));
        if (m_copy.open(QIODevice::WriteOnly | QIODevice::NewOnly, created))
            break;
        // Another write took the name this moment: another name.
        if (!QFileInfo::exists(m_copy.fileName()) || attempt == 15) {
            if (reason)
                *reason = FileErrorText(m_copy);
            m_copy.setFileName(QString());
            return false;
        }
    }
    if (exists && !permissions && !m_copy.setPermissions(target.permissions())) {
        const QString why = FileErrorText(m_copy);
        Cancel();
        if (reason)
            *reason = why;
        return false;
    }
    return true;
}

bool CWholeFile::Write(const QByteArray &bytes)
{
    if (!m_copy.isOpen() || m_writeFailed)
        return false;
    // A write that came short says no reason; the rest, tried again, meets
    // the full disk at once and names it.
    for (qint64 done = 0; done < bytes.size();) {
        const qint64 written = m_copy.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0) {
            m_writeFailed = true;
            return false;
        }
        done += written;
    }
    return true;
}

bool CWholeFile::fail(const QString &why, QString *reason)
{
    if (reason)
        *reason = why;
    Cancel();
    return false;
}

bool CWholeFile::Commit(QString *reason)
{
    if (!m_copy.isOpen())
        return fail(FileErrorText(m_copy), reason);
    if (fault()) {
        const QString injected = fault()(m_path);
        if (!injected.isEmpty())
            return fail(injected, reason);
    }
    if (m_writeFailed || m_copy.error() != QFileDevice::NoError || !m_copy.flush()) {
        // A write that came short says no reason; the rest, tried again,
        // meets the full disk at once and names it.
        m_copy.flush();
        return fail(FileErrorText(m_copy), reason);
    }
    // Readers that keep a file's content while its size and time stay the
    // same (the settings store of every process does) would take a new file
    // of the same length, written within one tick of the file system's
    // clock, for the old one: the new file is always later than the old.
    const QDateTime old = QFileInfo(m_target).lastModified();
    if (old.isValid() && QFileInfo(m_copy.fileName()).lastModified() <= old &&
        !m_copy.setFileTime(old.addMSecs(1), QFileDevice::FileModificationTime))
        return fail(FileErrorText(m_copy), reason);
#ifdef Q_OS_UNIX
    // The new content is on the disk before it takes the old one's place.
    if (::fsync(m_copy.handle()) != 0 && errno != EINVAL)
        return fail(FileErrorText(QFileDevice::WriteError, qt_error_string(errno)), reason);
#endif
    m_copy.close();
    if (m_copy.error() != QFileDevice::NoError)
        return fail(FileErrorText(m_copy), reason);
    std::error_code error;
    std::filesystem::rename(nativePath(m_copy.fileName()), nativePath(m_target), error);
    if (error)
        return fail(FileErrorText(QFileDevice::RenameError, qt_error_string(error.value())),
                    reason);
    m_copy.setFileName(QString());
    return true;
}

void CWholeFile::Cancel()
{
    if (m_copy.fileName().isEmpty())
        return;
    m_copy.close();
    m_copy.remove();
    m_copy.setFileName(QString());
}

bool WriteWholeFile(const QString &path, const QByteArray &bytes, QString *reason,
                    QFileDevice::Permissions permissions)
{
    CWholeFile file(path);
    if (!file.Open(reason, permissions))
        return false;
    file.Write(bytes);
    return file.Commit(reason);
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
