#include "platform/ClipboardHolder.h"

#include "platform/Profile.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QPointer>
#include <QProcess>
#include <QTimer>
#include <QtEndian>

#include <cerrno>
#include <cstdio>

#include <sys/mman.h>
#include <unistd.h>

const char kClipboardHolderSwitch[] = "--hold-clipboard";

namespace {

const QString kHoldSection = QStringLiteral("YAQ");
const QString kHoldKey = QStringLiteral("ClipboardHoldSeconds");
constexpr int kDefaultHoldSeconds = 10 * 60;
constexpr int kMaxHoldSeconds = 24 * 60 * 60;

// The input: "YAQHOLD1", the hold time, the number of formats, then each
// format's name and bytes, every number four bytes big-endian and every
// name (printable ASCII) and byte run after its length.
constexpr char kMagic[] = "YAQHOLD1";
constexpr qsizetype kMagicSize = sizeof(kMagic) - 1;
constexpr quint32 kMaxFormats = 16;
constexpr quint32 kMaxNameBytes = 256;

// The formats this process put on the clipboard as its answer.
QStringList &notedAnswers()
{
    static QStringList formats;
    return formats;
}

void appendNumber(QByteArray &out, quint32 value)
{
    char bytes[4];
    qToBigEndian(value, bytes);
    out.append(bytes, 4);
}

bool takeNumber(const QByteArray &in, qsizetype *at, quint32 *value)
{
    if (in.size() - *at < 4)
        return false;
    *value = qFromBigEndian<quint32>(in.constData() + *at);
    *at += 4;
    return true;
}

bool takeBytes(const QByteArray &in, qsizetype *at, quint32 size, QByteArray *bytes)
{
    if (in.size() - *at < qsizetype(size))
        return false;
    *bytes = in.mid(*at, size);
    *at += size;
    return true;
}

// Whether the data set on the clipboard is still what the clipboard holds.
// Asks the display itself: the change signal alone can come before the
// clipboard knows it was taken, and then not again.
bool StillOwned(QClipboard *clipboard, const QPointer<const QMimeData> &own)
{
    return own && clipboard->mimeData() == own.data();
}

constexpr int kOwnerCheckMs = 250;

QByteArray readInput()
{
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly))
        return QByteArray();
    QByteArray bytes;
    for (;;) {
        const QByteArray chunk = in.read(1024 * 1024);
        if (chunk.isEmpty())
            return bytes;
        bytes += chunk;
        if (bytes.size() > kMaxHoldingBytes)
            return QByteArray();
    }
}

bool isX11()
{
    return qobject_cast<QGuiApplication *>(QCoreApplication::instance()) &&
           QGuiApplication::platformName() == QLatin1String("xcb");
}

// Bytes in a file that lives in memory only: no name on disk, closed on
// every path out, and not passed on to other programs but through its path
// under /proc, which the holder opens as its standard input.
class MemoryFile
{
public:
    explicit MemoryFile(const QByteArray &bytes) : m_fd(memfd_create("yaq2-clipboard", MFD_CLOEXEC))
    {
        qsizetype at = 0;
        while (m_fd >= 0 && at < bytes.size()) {
            const ssize_t written =
                ::write(m_fd, bytes.constData() + at, size_t(bytes.size() - at));
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0) {
                ::close(m_fd);
                m_fd = -1;
                break;
            }
            at += written;
        }
    }
    ~MemoryFile()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    MemoryFile(const MemoryFile &) = delete;
    MemoryFile &operator=(const MemoryFile &) = delete;

    bool IsOpen() const { return m_fd >= 0; }
    // A fresh opening of the file, read from its start.
    QString Path() const { return QStringLiteral("/proc/self/fd/%1").arg(m_fd); }

private:
    int m_fd;
};

} // namespace

int ClipboardHoldSeconds(const CProfile &profile)
{
    const int seconds = profile.GetProfileInt(kHoldSection, kHoldKey, kDefaultHoldSeconds);
    return seconds >= 1 && seconds <= kMaxHoldSeconds ? seconds : kDefaultHoldSeconds;
}

QByteArray EncodeClipboardHolding(const CClipboardHolding &holding)
{
    QByteArray out(kMagic, kMagicSize);
    appendNumber(out, quint32(holding.holdSeconds));
    appendNumber(out, quint32(holding.formats.size()));
    for (const auto &format : holding.formats) {
        const QByteArray name = format.first.toLatin1();
        appendNumber(out, quint32(name.size()));
        out += name;
        appendNumber(out, quint32(format.second.size()));
        out += format.second;
    }
    return out;
}

bool DecodeClipboardHolding(const QByteArray &bytes, CClipboardHolding *holding)
{
    if (!bytes.startsWith(QByteArray(kMagic, kMagicSize)))
        return false;
    qsizetype at = kMagicSize;
    quint32 seconds = 0;
    quint32 count = 0;
    if (!takeNumber(bytes, &at, &seconds) || !takeNumber(bytes, &at, &count) ||
        seconds > quint32(kMaxHoldSeconds) || count > kMaxFormats)
        return false;
    CClipboardHolding read;
    read.holdSeconds = int(seconds);
    for (quint32 i = 0; i < count; ++i) {
        quint32 size = 0;
        QByteArray name;
        QByteArray data;
        if (!takeNumber(bytes, &at, &size) || size == 0 || size > kMaxNameBytes ||
            !takeBytes(bytes, &at, size, &name) || !takeNumber(bytes, &at, &size) ||
            !takeBytes(bytes, &at, size, &data))
            return false;
        // A format's name is an X atom's, of printable ASCII.
        for (const char c : std::as_const(name)) {
            if (c < 0x20 || c > 0x7e)
                return false;
        }
        read.formats.append({QString::fromLatin1(name), data});
    }
    if (at != bytes.size())
        return false;
    *holding = std::move(read);
    return true;
}

bool OwnsClipboardWith(const QString &format)
{
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return false;
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (isX11() && !clipboard->ownsClipboard())
        return false;
    const QMimeData *mime = clipboard->mimeData();
    return mime && mime->hasFormat(format);
}

void NoteClipboardAnswer(const QString &format)
{
    if (!notedAnswers().contains(format))
        notedAnswers().append(format);
}

ClipboardHandOver HandClipboardToHolder(const QString &format, int holdSeconds)
{
    // Elsewhere the clipboard's content is the process's own and goes with
    // it: no holder can take it over. Whether there was an answer is what
    // this process did, not what the clipboard shows at this moment (a
    // Wayland clipboard shows the process's own content only once the
    // compositor's events have come in).
    if (!isX11())
        return notedAnswers().contains(format) ? ClipboardHandOver::NotKept
                                               : ClipboardHandOver::NotNeeded;
    QClipboard *clipboard = QGuiApplication::clipboard();
    const QMimeData *mime = clipboard->ownsClipboard() ? clipboard->mimeData() : nullptr;
    if (!mime || !mime->hasFormat(format))
        return ClipboardHandOver::NotNeeded;
    CClipboardHolding holding;
    holding.holdSeconds = holdSeconds;
    for (const QString &name : mime->formats())
        holding.formats.append({name, mime->data(name)});
    const QByteArray input = EncodeClipboardHolding(holding);
    if (input.size() > kMaxHoldingBytes)
        return ClipboardHandOver::Failed;

    // The holder's input is a file in memory, private to this process and
    // the holder, and gone with the last of them.
    const MemoryFile file(input);
    if (!file.IsOpen())
        return ClipboardHandOver::Failed;
    QProcess holder;
    holder.setProgram(QCoreApplication::applicationFilePath());
    holder.setArguments({QString::fromLatin1(kClipboardHolderSwitch)});
    holder.setStandardInputFile(file.Path());
    // A caller that reads the program's output to its end must not wait for
    // the holder.
    holder.setStandardOutputFile(QProcess::nullDevice());
    holder.setStandardErrorFile(QProcess::nullDevice());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    holder.setProcessEnvironment(environment);

    const QPointer<const QMimeData> own(mime);
    QEventLoop wait;
    const auto check = [clipboard, &own, &wait] {
        if (!StillOwned(clipboard, own))
            wait.quit();
    };
    QObject::connect(clipboard, &QClipboard::changed, &wait, check);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &wait, check);
    poll.start(kOwnerCheckMs / 5);
    QTimer::singleShot(kHandOverWaitMs, &wait, &QEventLoop::quit);
    if (!holder.startDetached())
        return ClipboardHandOver::Failed;
    if (StillOwned(clipboard, own))
        wait.exec();
    return StillOwned(clipboard, own) ? ClipboardHandOver::Failed : ClipboardHandOver::HandedOver;
}

int RunClipboardHolder(int argc, char *argv[])
{
    QGuiApplication application(argc, argv);
    CClipboardHolding holding;
    if (!DecodeClipboardHolding(readInput(), &holding) || holding.formats.isEmpty())
        return 1;
    auto *mime = new QMimeData;
    for (const auto &format : std::as_const(holding.formats))
        mime->setData(format.first, format.second);
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setMimeData(mime);
    const QPointer<const QMimeData> own(mime);
    if (!StillOwned(clipboard, own))
        return 1;
    const auto check = [clipboard, &own] {
        if (!StillOwned(clipboard, own))
            QCoreApplication::quit();
    };
    QObject::connect(clipboard, &QClipboard::changed, &application, check);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &application, check);
    poll.start(kOwnerCheckMs);
    QTimer::singleShot(holding.holdSeconds * 1000, &application, &QCoreApplication::quit);
    return application.exec();
}
