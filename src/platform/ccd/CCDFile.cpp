#include "platform/ccd/CCDFile.h"

#include "platform/OrmelText.h"
#include "platform/WholeFile.h"

#include <QFile>

#include <cerrno>
#include <iconv.h>
#include <limits>

CCDFile::CCDFile(int readMode) : m_nReadMode(readMode)
{
}

CCDFile::~CCDFile()
{
    Close();
}

int CCDFile::Open(const QString &path, int /*mode*/, int /*flags*/)
{
    Close();
    if (m_nReadMode == 0)
        return openForWriting(path, 65001);
    auto file = std::make_unique<QFile>(path);
    if (path.isEmpty() || !file->open(QIODevice::ReadOnly))
        return 0;
    m_strPath = path;
    m_pReadFile = std::move(file);
    m_bReadStarted = false;
    return 1;
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
    m_pReadFile->seek(0);
    m_bReadStarted = false;
    return ReadRest(text);
}

int CCDFile::ReadLine(QString &line)
{
    line.clear();
    if (!m_pReadFile)
        return 0;
    QByteArray bytes = m_pReadFile->readLine();
    if (bytes.isEmpty() || m_pReadFile->error() != QFileDevice::NoError)
        return 0;
    if (bytes.endsWith('\n'))
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
