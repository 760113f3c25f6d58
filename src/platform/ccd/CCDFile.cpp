#include "platform/ccd/CCDFile.h"

#include "platform/OrmelText.h"
#include "platform/RegularFile.h"
#include "platform/WholeFile.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <atomic>
#include <cerrno>
#include <iconv.h>
#include <limits>

#include <sys/stat.h>

CCDFile::CCDFile(int readMode) : m_nReadMode(readMode)
{
}

CCDFile::~CCDFile()
{
    Close();
}

namespace {

CCDReadHook &readHook()
{
    static CCDReadHook hook;
    return hook;
}

// A file stands still when it has not changed for this long.
constexpr int kStillMs = 50;
constexpr int kStillPollMs = 10;

CCDFile::Stamp StampOfStat(const struct stat &st)
{
    CCDFile::Stamp stamp;
    stamp.size = st.st_size;
    stamp.modified = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    stamp.changed = qint64(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
    stamp.inode = st.st_ino;
    stamp.device = st.st_dev;
    return stamp;
}

} // namespace

void SetCCDReadHook(CCDReadHook hook)
{
    readHook() = std::move(hook);
}

namespace {
std::atomic<int> settleMs{CCDFile::kSettleMs};
} // namespace

void SetCCDSettleMs(int ms)
{
    settleMs = ms;
}

int CCDFile::SettleMs()
{
    return settleMs;
}

CCDFile::Stamp CCDFile::StampOf(const QString &path)
{
    struct stat st;
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &st) != 0)
        return Stamp();
    return StampOfStat(st);
}

bool CCDFile::WaitUntilStill(const QString &path, int mostMs)
{
    QElapsedTimer spent;
    spent.start();
    QElapsedTimer still;
    still.start();
    Stamp last = StampOf(path);
    while (spent.elapsed() < mostMs) {
        QThread::msleep(kStillPollMs);
        const Stamp now = StampOf(path);
        if (now != last) {
            last = now;
            still.restart();
        } else if (still.elapsed() >= kStillMs) {
            return true;
        }
    }
    return false;
}

int CCDFile::Open(const QString &path, int /*mode*/, int /*flags*/)
{
    Close();
    if (m_nReadMode == 0)
        return openForWriting(path, 65001);
    return openForReading(path);
}

int CCDFile::openForReading(const QString &path)
{
    // The file as it was before it was opened: a file replaced or written
    // to between the two is not the one the stamp describes.
    const Stamp before = StampOf(path);
    auto file = std::make_unique<QFile>(path);
    // A pipe, device or socket in the file's place is refused, never waited on.
    if (path.isEmpty() || !OpenRegularFile(file.get()))
        return 0;
    struct stat st;
    m_stamp = ::fstat(file->handle(), &st) == 0 ? StampOfStat(st) : Stamp();
    m_bChanged = m_stamp != before || m_stamp.size < 0;
    m_strPath = path;
    m_pReadFile = std::move(file);
    m_bReadStarted = false;
    m_bLineEnded = false;
    return 1;
}

bool CCDFile::IsSequential() const
{
    return m_pReadFile && m_pReadFile->isSequential();
}

bool CCDFile::ReadWasWhole() const
{
    if (!m_pReadFile)
        return false;
    // A pipe has no size or time to judge it by.
    if (m_pReadFile->isSequential())
        return true;
    if (m_bChanged || m_pReadFile->pos() != m_stamp.size)
        return false;
    struct stat st;
    if (::fstat(m_pReadFile->handle(), &st) != 0 || StampOfStat(st) != m_stamp)
        return false;
    return StampOf(m_strPath) == m_stamp;
}

namespace {

QString DecodeRead(QByteArray bytes, bool atStart)
{
    if (atStart && bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    return QString::fromUtf8(bytes);
}

} // namespace

int CCDFile::ReadFile(QString &text)
{
    text.clear();
    if (!m_pReadFile)
        return 0;
    // A file its writer rewrites in place while it is read is read again
    // once it stands still; one that will not stand still is not read.
    const QString path = m_strPath;
    QElapsedTimer spent;
    spent.start();
    for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
        if (attempt > 0) {
            if (!WaitUntilStill(path, int(kReadWaitMostMs - spent.elapsed())) ||
                !openForReading(path))
                break;
        }
        m_pReadFile->seek(0);
        m_bReadStarted = false;
        if (!ReadRest(text))
            return 0;
        if (ReadWasWhole())
            return 1;
    }
    text.clear();
    return 0;
}

int CCDFile::ReadLine(QString &line)
{
    line.clear();
    if (!m_pReadFile)
        return 0;
    QByteArray bytes = m_pReadFile->readLine();
    if (bytes.isEmpty() || m_pReadFile->error() != QFileDevice::NoError)
        return 0;
    m_bLineEnded = bytes.endsWith('\n');
    if (m_bLineEnded)
        bytes.chop(bytes.endsWith("\r\n") ? 2 : 1);
    line = DecodeRead(bytes, !m_bReadStarted);
    m_bReadStarted = true;
    return 1;
}

int CCDFile::ReadRest(QString &text)
{
    text.clear();
    QByteArray bytes;
    if (!ReadRestBytes(bytes))
        return 0;
    text = QString::fromUtf8(bytes);
    return 1;
}

int CCDFile::ReadRestBytes(QByteArray &bytes)
{
    bytes.clear();
    if (!m_pReadFile)
        return 0;
    if (readHook())
        readHook()(m_strPath);
    // A file of known size is read into a buffer of its size (reading on
    // until the end all the same), not one that grew by doubling.
    const qint64 known = m_pReadFile->isSequential() ? 0 : m_pReadFile->size() - m_pReadFile->pos();
    if (known > 0 && known < std::numeric_limits<qsizetype>::max() / 2) {
        bytes = QByteArray(static_cast<qsizetype>(known), Qt::Uninitialized); // resize would grow
        const qint64 got = m_pReadFile->read(bytes.data(), known);
        bytes.resize(got > 0 ? static_cast<qsizetype>(got) : 0);
        if (got == known)
            bytes += m_pReadFile->readAll();
    } else {
        bytes = m_pReadFile->readAll();
    }
    if (m_pReadFile->error() != QFileDevice::NoError) {
        bytes.clear();
        return 0;
    }
    if (!m_bReadStarted && bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    m_bReadStarted = true;
    return 1;
}

int CCDFile::OpenWithLanguage(const QString &path, const QString &language, int /*mode*/,
                              int /*flags*/)
{
    Close();
    return openForWriting(path, GetPrgCodePage(language));
}

int CCDFile::openForWriting(const QString &path, int codePage)
{
    bool ok = false;
    ToCodePage(QString(), codePage, &ok);
    if (path.isEmpty() || !ok)
        return 0;
    auto file = std::make_unique<CWholeFile>(path);
    if (!file->Open())
        return 0;
    m_strPath = path;
    m_nCodePage = codePage;
    m_bWriteFailed = false;
    m_pWriteFile = std::move(file);
    return 1;
}

int CCDFile::WriteFile(const QString &text)
{
    if (!m_pWriteFile)
        return 0;
    bool ok = false;
    const QByteArray bytes = ToCodePage(text, m_nCodePage, &ok);
    if (!ok || !m_pWriteFile->Write(bytes)) {
        m_bWriteFailed = true;
        return 0;
    }
    return 1;
}

int CCDFile::Close()
{
    int result = 1;
    if (m_pWriteFile) {
        if (m_bWriteFailed) {
            m_pWriteFile->Cancel();
            result = 0;
        } else if (!m_pWriteFile->Commit()) {
            result = 0;
        }
        m_pWriteFile.reset();
    }
    m_pReadFile.reset();
    m_strPath.clear();
    m_bWriteFailed = false;
    m_bChanged = false;
    m_stamp = Stamp();
    return result;
}

bool CCDFile::IsOpen() const
{
    return m_pReadFile || m_pWriteFile;
}

bool CCDFile::IsWriting() const
{
    return m_pWriteFile != nullptr;
}

QByteArray CCDFile::ToCodePage(const QString &text, int codePage, bool *ok)
{
    if (ok)
        *ok = false;
    const QByteArray utf8 = text.toUtf8();
    if (codePage == 65001) {
        if (ok)
            *ok = true;
        return utf8;
    }
    const QByteArray target = CodePageName(codePage).toLatin1();
    iconv_t cd = iconv_open(target.constData(), "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return QByteArray();

    QByteArray out;
    out.reserve(utf8.size() + 16);
    char buffer[4096];
    char *in = const_cast<char *>(utf8.constData());
    size_t inLeft = static_cast<size_t>(utf8.size());
    bool failed = false;
    while (inLeft > 0) {
        char *dst = buffer;
        size_t dstLeft = sizeof buffer;
        const size_t rc = iconv(cd, &in, &inLeft, &dst, &dstLeft);
        out.append(buffer, static_cast<int>(dst - buffer));
        if (rc != static_cast<size_t>(-1))
            continue;
        if (errno == E2BIG)
            continue;
        if (errno == EILSEQ) {
            // A character the code page cannot hold: write "?" and go on
            // after the whole UTF-8 sequence.
            out.append('?');
            size_t skip = 1;
            while (skip < inLeft && (static_cast<unsigned char>(in[skip]) & 0xC0) == 0x80)
                ++skip;
            in += skip;
            inLeft -= skip;
            continue;
        }
        failed = true; // EINVAL cannot happen on whole UTF-8 from QString
        break;
    }
    // Flush a shift state (stateful encodings).
    char *dst = buffer;
    size_t dstLeft = sizeof buffer;
    iconv(cd, nullptr, nullptr, &dst, &dstLeft);
    out.append(buffer, static_cast<int>(dst - buffer));
    iconv_close(cd);
    if (failed)
        return QByteArray();
    if (ok)
        *ok = true;
    return out;
}
