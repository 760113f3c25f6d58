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

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

// The longest name of a folder entry, in bytes.
constexpr int kNameBytes = 255;

// The copy's name up to its letters. A file whose name would make the
// copy's too long for the folder gets a copy named after the start of its
// name: a name that fits the folder is never refused for the copy's sake.
QString copyPrefix(const QString &fileName)
{
    const int room = kNameBytes - 1 - kCopyMark.size() - kCopyLetters;
    QString name = fileName;
    while (!name.isEmpty() && QFile::encodeName(name).size() > room)
        name.chop(name.size() > 1 && name.at(name.size() - 1).isLowSurrogate() ? 2 : 1);
    return QLatin1Char('.') + name + kCopyMark;
}

QString copyName(const QString &fileName)
{
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    QString name = copyPrefix(fileName);
    for (int i = 0; i < kCopyLetters; ++i)
        name += QLatin1Char(kLetters[QRandomGenerator::global()->bounded(52)]);
    return name;
}

mode_t modeOf(QFileDevice::Permissions permissions)
{
    mode_t mode = 0;
    const std::pair<QFileDevice::Permission, mode_t> bits[] = {
        {QFileDevice::ReadOwner, S_IRUSR},  {QFileDevice::WriteOwner, S_IWUSR},
        {QFileDevice::ExeOwner, S_IXUSR},   {QFileDevice::ReadGroup, S_IRGRP},
        {QFileDevice::WriteGroup, S_IWGRP}, {QFileDevice::ExeGroup, S_IXGRP},
        {QFileDevice::ReadOther, S_IROTH},  {QFileDevice::WriteOther, S_IWOTH},
        {QFileDevice::ExeOther, S_IXOTH},
    };
    for (const auto &[permission, bit] : bits)
        if (permissions & permission)
            mode |= bit;
    return mode;
}

} // namespace

int RemoveStaleWholeFileCopies(const QString &path)
{
    const QFileInfo target(path);
    const QDir folder = target.absoluteDir();
    const QString prefix = copyPrefix(target.fileName());
    const QRegularExpression copyPattern(QStringLiteral("^") + QRegularExpression::escape(prefix) +
                                         QStringLiteral("[A-Za-z]{%1}$").arg(kCopyLetters));
    const QDateTime before = QDateTime::currentDateTime().addSecs(-kStaleCopySeconds);
    int removed = 0;
    const QFileInfoList copies = folder.entryInfoList({prefix + QLatin1Char('*')},
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
    const QByteArray targetName = QFile::encodeName(m_target);
    const bool exists = target.exists();
    // A file the user made read-only is not replaced behind the user's
    // back; the system says why it is not writable (no permission, or a
    // file system mounted read-only).
    if (const int error = FileNotReplaceableError(m_target))
        return fail(FileErrorText(QFileDevice::OpenError, error), reason);
    RemoveStaleWholeFileCopies(m_target);
    // Until it has the old file's permissions, the copy is its owner's only.
    const QFileDevice::Permissions created =
        permissions ? permissions
        : exists    ? QFileDevice::ReadOwner | QFileDevice::WriteOwner
                    : QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                       QFileDevice::WriteGroup | QFileDevice::ReadOther | QFileDevice::WriteOther;
    // The copy is made and renamed within the folder opened once, by names
    // in it: a copy's longer name never makes a path too long that the
    // file's own path fits.
    const QByteArray folder = QFile::encodeName(target.absolutePath());
#ifdef O_PATH
    m_folder = ::open(folder.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
#else
    m_folder = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
#endif
    if (m_folder < 0)
        return fail(FileErrorText(QFileDevice::OpenError, errno), reason);
    int fd = -1;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        m_copyName = QFile::encodeName(copyName(target.fileName()));
        fd = ::openat(m_folder, m_copyName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                      modeOf(created));
        // Another write took the name this moment: another name.
        if (fd < 0 && (errno != EEXIST || attempt == 15)) {
            const int error = errno;
            m_copyName.clear();
            return fail(FileErrorText(QFileDevice::OpenError, error), reason);
        }
    }
    if (!m_copy.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return fail(FileErrorText(m_copy), reason);
    }
    struct stat old;
    if (exists && !permissions && ::stat(targetName.constData(), &old) == 0 &&
        ::fchmod(m_copy.handle(), old.st_mode & 07777) != 0)
        return fail(FileErrorText(QFileDevice::PermissionsError, errno), reason);
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
    if (old.isValid() && m_copy.fileTime(QFileDevice::FileModificationTime) <= old &&
        !m_copy.setFileTime(old.addMSecs(1), QFileDevice::FileModificationTime))
        return fail(FileErrorText(m_copy), reason);
    // The new content is on the disk before it takes the old one's place.
    if (::fsync(m_copy.handle()) != 0 && errno != EINVAL)
        return fail(FileErrorText(QFileDevice::WriteError, errno), reason);
    m_copy.close();
    if (m_copy.error() != QFileDevice::NoError)
        return fail(FileErrorText(m_copy), reason);
    const QByteArray targetName = QFile::encodeName(QFileInfo(m_target).fileName());
    if (::renameat(m_folder, m_copyName.constData(), m_folder, targetName.constData()) != 0)
        return fail(FileErrorText(QFileDevice::RenameError, errno), reason);
    m_copyName.clear();
    Cancel();
    return true;
}

void CWholeFile::Cancel()
{
    m_copy.close();
    if (m_folder >= 0) {
        if (!m_copyName.isEmpty())
            ::unlinkat(m_folder, m_copyName.constData(), 0);
        ::close(m_folder);
    }
    m_folder = -1;
    m_copyName.clear();
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

bool MakeFolderPath(const QString &folder, QString *reason)
{
    std::error_code error;
    const std::filesystem::path native(QFile::encodeName(folder).toStdString());
    std::filesystem::create_directories(native, error);
    if (!error && std::filesystem::is_directory(native, error))
        return true;
    if (reason)
        *reason = SystemErrorText(error ? error.value() : ENOTDIR);
    return false;
}

int FileNotReplaceableError(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return EISDIR;
    if (info.exists() && ::access(QFile::encodeName(path).constData(), W_OK) != 0)
        return errno;
    return 0;
}

QString FileNotWrittenText(const QString &path, const QString &reason)
{
    // Without the text table the file and the reason still stand.
    return OrmelTextArgs(kTextFileNotWritten, {PathForMessage(path), reason},
                         QStringLiteral("%s\n%s"));
}

void SetWholeFileFault(WholeFileFault f)
{
    fault() = std::move(f);
}
