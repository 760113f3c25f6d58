#include "platform/Profile.h"

#include "platform/FileErrorText.h"
#include "platform/OrmelText.h"
#include "platform/RegularFile.h"
#include "platform/WholeFile.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QScreen>
#include <QSettings>
#include <QStringDecoder>
#include <QStringList>
#include <QTemporaryFile>
#include <QThread>

#include <cerrno>
#include <climits>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

const QString CProfile::kOrganisation = QStringLiteral("ORMEL AG");

namespace {

constexpr QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

constexpr int kTextFileLocked = 7177;     // the lock file
constexpr int kTextLockIsFolder = 7184;   // the lock file
constexpr int kTextLockIsLink = 7189;     // the lock file
constexpr int kTextLockIsNoFile = 7205;   // the lock file
constexpr int kTextFolderReadOnly = 7206; // the folder
constexpr int kTextLockNotOpened = 7207;  // the lock file, the reason
constexpr int kTextLockUnreadable = 7340; // the lock file
// How often a write waiting for the lock tries again: a lock that comes
// free is taken at most this late.
constexpr int kLockStepMs = 50;

// Whether this process may make files in the folder: its effective rights,
// as the write itself will meet them, and a file system mounted read-only.
bool FolderWritable(const QString &folder)
{
    return ::faccessat(AT_FDCWD, QFile::encodeName(folder).constData(), W_OK, AT_EACCESS) == 0 ||
           (errno != EACCES && errno != EPERM && errno != EROFS);
}

// Why the system could not open or lock the lock file, in the program's
// language: a file system that holds no lock said so, any other error as
// every file error of the program is told.
QString lockSystemReason(int error)
{
    if (error == ENOLCK || error == EOPNOTSUPP)
        return QStringLiteral("Das Dateisystem kann keine Sperre halten");
    return SystemErrorText(error);
}

CProfileLockTimes &lockTimes()
{
    static CProfileLockTimes times;
    return times;
}

// The lock of the profile's file: the system's lock (flock) on the lock
// file, which the system releases when its holder ends, however it ends.
// So no lock is ever taken over: a lock file that a writer left when it
// ended, of any age and content, locks nothing, and a writer that stalls,
// however long, is never overtaken. Making or opening the file is no step
// of the lock; only the system's lock is. The settings store of other
// programs (QLockFile) holds the same lock on the same file while it
// writes.
//
// The file is opened for reading only: flock takes its exclusive lock on
// any open file, so a lock file the user may not write (one a run under
// another user left behind) still locks, and is never written. (A record
// lock of fcntl, F_WRLCK, would need the file open for writing; the store
// of other programs takes flock too, which is the lock they meet.) The
// file is never reached through a symbolic link, nor taken when it is no
// plain file: the lock would be another file's, or made outside the
// profile's folder. A write that cannot hold the lock does not go on.
class CLockHold
{
public:
    enum Outcome
    {
        Held,
        Busy,
        NoLock // reason() says why
    };

    CLockHold() = default;
    CLockHold(const CLockHold &) = delete;
    CLockHold &operator=(const CLockHold &) = delete;
    ~CLockHold()
    {
        if (m_fd < 0)
            return;
        // Removed while it is still held: a writer waiting on this file
        // finds it gone once it has the lock, and takes the lock of the
        // file in its place (or makes it). A file of that name that is not
        // this one (put there by another program) is not this lock's.
        if (namesHeldFile())
            ::unlink(m_path.constData());
        ::close(m_fd);
    }

    // Tries again in short steps up to the wait.
    Outcome take(const QString &fileName, int waitMs)
    {
        m_path = QFile::encodeName(fileName);
        QDeadlineTimer deadline(waitMs);
        for (;;) {
            const Outcome outcome = tryTake();
            if (outcome != Busy || deadline.hasExpired())
                return outcome;
            const qint64 left = deadline.remainingTime(); // -1: no end
            QThread::msleep(ulong(left < 0 || left > kLockStepMs ? kLockStepMs : left));
        }
    }

    // Why no lock could be had, in the adviser's words.
    QString reason() const { return m_reason; }

private:
    Outcome tryTake()
    {
        for (;;) {
            // Not blocking: a pipe in the file's place would wait for a
            // writer on opening.
            m_fd = ::open(m_path.constData(),
                          O_RDONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
            if (m_fd < 0 && errno == EINTR)
                continue;
            if (m_fd < 0)
                return noLock(errno);
            if (!IsRegularFile(m_fd)) {
                release();
                return noLock(0);
            }
            int locked;
            do
                locked = ::flock(m_fd, LOCK_EX | LOCK_NB);
            while (locked != 0 && errno == EINTR);
            const int lockError = locked != 0 ? errno : 0;
            // Held only when the file locked is still the one of that name:
            // its holder before removed it while this one waited for it.
            if (locked == 0 && namesHeldFile())
                return Held;
            release();
            if (locked != 0)
                return lockError == EWOULDBLOCK ? Busy : noLock(lockError);
        }
    }

    void release()
    {
        ::close(m_fd);
        m_fd = -1;
    }

    Outcome noLock(int error)
    {
        const QString lockName = QDir::toNativeSeparators(QFile::decodeName(m_path));
        const QString folder = QFileInfo(QFile::decodeName(m_path)).absolutePath();
        struct stat named;
        const bool there = ::lstat(m_path.constData(), &named) == 0;
        const bool link = there && S_ISLNK(named.st_mode);
        if (link || error == ELOOP) {
            m_reason = OrmelTextArgs(kTextLockIsLink, {lockName}, QStringLiteral("%s"));
        } else if (error == 0 || (there && !S_ISREG(named.st_mode))) {
            // A socket fails to open, a pipe or a device opens: neither is
            // a lock file.
            m_reason = OrmelTextArgs(kTextLockIsNoFile, {lockName}, QStringLiteral("%s"));
        } else if (error == EROFS || (error == EACCES && !FolderWritable(folder))) {
            m_reason = OrmelTextArgs(kTextFolderReadOnly, {QDir::toNativeSeparators(folder)},
                                     QStringLiteral("%s"));
        } else if (error == EACCES || error == EPERM) {
            // Left by a run of another user that ended without removing it
            // (killed), made under a umask that lets no one else read it:
            // it locks every write of this user until it is removed.
            m_reason = OrmelTextArgs(kTextLockUnreadable, {lockName}, QStringLiteral("%s"));
        } else {
            m_reason = OrmelTextArgs(kTextLockNotOpened, {lockName, lockSystemReason(error)},
                                     QStringLiteral("%s (%s)"));
        }
        return NoLock;
    }

    bool namesHeldFile() const
    {
        // The name itself, not a file a link put there names.
        struct stat held;
        struct stat named;
        return ::fstat(m_fd, &held) == 0 && ::lstat(m_path.constData(), &named) == 0 &&
               held.st_dev == named.st_dev && held.st_ino == named.st_ino;
    }

    QByteArray m_path;
    QString m_reason;
    int m_fd = -1;
};

QMap<QString, QVariant> valuesOf(const QSettings &settings)
{
    QMap<QString, QVariant> values;
    for (const QString &key : settings.allKeys())
        values.insert(key, settings.value(key));
    return values;
}

bool isHexDigit(char16_t c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// A section or key name: letters, digits, "_", "-" and "." as they are, "/"
// as a backslash, anything else as %XX or %UXXXX.
void appendIniKey(QByteArray &out, const QString &key)
{
    for (const QChar c : key) {
        const char16_t u = c.unicode();
        if (u == '/')
            out += '\\';
        else if ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') ||
                 u == '_' || u == '-' || u == '.')
            out += char(u);
        else if (u <= 0xFF)
            out += '%' + QByteArray::number(u, 16).toUpper().rightJustified(2, '0');
        else
            out += "%U" + QByteArray::number(u, 16).toUpper().rightJustified(4, '0');
    }
}

// One text as QSettings reads it back: control characters, quotes and
// backslashes escaped, the whole quoted when it holds a separator of the
// format or starts or ends with a blank. The byte forms of QSettings carry
// every character above ASCII as an escape; other texts as UTF-8.
void appendIniText(QByteArray &out, const QString &text)
{
    const bool bytes = text.startsWith(QLatin1String("@ByteArray(")) ||
                       text.startsWith(QLatin1String("@Variant(")) ||
                       text.startsWith(QLatin1String("@DateTime("));
    QString escaped;
    bool quoted = false;
    // After a numeric escape a hex digit would be read as part of it.
    bool afterNumber = false;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == ';' || u == ',' || u == '=')
            quoted = true;
        if (afterNumber && isHexDigit(u)) {
            escaped += QStringLiteral("\\x") + QString::number(u, 16);
            continue;
        }
        afterNumber = false;
        static const char kNamed[] = "\a\b\f\n\r\t\v";
        static const char kLetters[] = "abfnrtv";
        if (u == 0) {
            escaped += QStringLiteral("\\0");
            afterNumber = true;
        } else if (u < 0x20 && std::strchr(kNamed, char(u))) {
            escaped += QLatin1Char('\\');
            escaped += QLatin1Char(kLetters[std::strchr(kNamed, char(u)) - kNamed]);
        } else if (u == '"' || u == '\\') {
            escaped += QLatin1Char('\\');
            escaped += c;
        } else if (u < 0x20 || (bytes && u >= 0x7F)) {
            escaped += QStringLiteral("\\x") + QString::number(u, 16);
            afterNumber = true;
        } else {
            escaped += c;
        }
    }
    if (quoted || escaped.startsWith(QLatin1Char(' ')) || escaped.endsWith(QLatin1Char(' ')))
        escaped = QLatin1Char('"') + escaped + QLatin1Char('"');
    out += escaped.toUtf8();
}

void appendIniValue(QByteArray &out, const QVariant &value)
{
    const int type = value.metaType().id();
    if (!value.isValid()) {
        out += "@Invalid()";
    } else if (type == QMetaType::QStringList || type == QMetaType::QVariantList) {
        const QStringList texts = value.toStringList();
        if (texts.isEmpty())
            out += "@Invalid()";
        for (qsizetype i = 0; i < texts.size(); ++i) {
            if (i != 0)
                out += ", ";
            appendIniText(out, texts.at(i));
        }
    } else if (type == QMetaType::QByteArray) {
        appendIniText(out, QStringLiteral("@ByteArray(") + QLatin1String(value.toByteArray()) +
                               QLatin1Char(')'));
    } else {
        // A text that starts with "@" would be read as one of the format's
        // own forms.
        const QString text = value.toString();
        appendIniText(out, text.startsWith(QLatin1Char('@')) ? QLatin1Char('@') + text : text);
    }
}

// How the settings store cuts its INI file into lines: blanks before a line
// are skipped, a ";" at its start makes it a comment, a ";" after it ends it
// (the rest is a comment), quotes and a backslash before a line end carry
// the line on. Mirrored here so that a key is found where the store finds
// it, whatever the file holds around it.
bool isIniSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool nextIniLine(const QByteArray &data, qsizetype &pos, qsizetype &lineStart, qsizetype &lineEnd,
                 qsizetype &equalsPos)
{
    const qsizetype size = data.size();
    bool inQuotes = false;
    equalsPos = -1;
    lineStart = pos;
    while (lineStart < size && isIniSpace(data.at(lineStart)))
        ++lineStart;
    qsizetype i = lineStart;
    while (i < size) {
        const char c = data.at(i++);
        if (c == '=') {
            if (!inQuotes && equalsPos == -1)
                equalsPos = i - 1;
        } else if (c == '\n' || c == '\r') {
            if (i == lineStart + 1) {
                ++lineStart;
            } else if (!inQuotes) {
                --i;
                break;
            }
        } else if (c == '\\') {
            if (i < size) {
                const char next = data.at(i++);
                if (i < size) {
                    const char after = data.at(i);
                    if ((next == '\n' && after == '\r') || (next == '\r' && after == '\n'))
                        ++i;
                }
            }
        } else if (c == '"') {
            inQuotes = !inQuotes;
        } else if (c == ';') {
            if (i == lineStart + 1) {
                while (i < size && data.at(i) != '\n' && data.at(i) != '\r')
                    ++i;
                while (i < size && isIniSpace(data.at(i)))
                    ++i;
                lineStart = i;
            } else if (!inQuotes) {
                --i;
                break;
            }
        }
    }
    pos = i;
    lineEnd = i;
    return lineEnd > lineStart;
}

// A section or key name as the store reads it: %XX and %UXXXX are the
// characters they stand for, a backslash is "/".
QString iniUnescapedKey(const QByteArray &bytes)
{
    const QString text = QString::fromUtf8(bytes);
    QString key;
    for (qsizetype i = 0; i < text.size();) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\\')) {
            key += QLatin1Char('/');
            ++i;
            continue;
        }
        if (c != QLatin1Char('%') || i == text.size() - 1) {
            key += c;
            ++i;
            continue;
        }
        qsizetype first = i + 1;
        int digits = 2;
        if (text.at(first) == QLatin1Char('U')) {
            ++first;
            digits = 4;
        }
        bool ok = false;
        const ushort code =
            first + digits <= text.size() ? text.mid(first, digits).toUShort(&ok, 16) : 0;
        if (!ok) {
            key += c;
            ++i;
            continue;
        }
        key += QChar(code);
        i = first + digits;
    }
    return key;
}

QString iniSectionName(const QByteArray &data, qsizetype lineStart, qsizetype lineEnd)
{
    const qsizetype close = data.indexOf(']', lineStart);
    const qsizetype nameEnd = close < 0 || close >= lineEnd ? lineEnd : close;
    const QByteArray name = data.mid(lineStart + 1, nameEnd - lineStart - 1).trimmed();
    if (name.compare("general", Qt::CaseInsensitive) == 0)
        return QString();
    if (name.compare("%general", Qt::CaseInsensitive) == 0)
        return QString::fromLatin1(name.mid(1));
    // "[]" is no name for the keys without a section: the store reads its
    // keys under a name of their own that no profile writes.
    const QString section = iniUnescapedKey(name);
    return section.isEmpty() ? QStringLiteral("/") : section;
}

// Whether a line added at the end of the file is read as a line of its own:
// not so when the file ends inside a quote or with a backslash.
// Whether a line starts at the place: what stands before it may run on
// into it (a backslash before the line end, a quote left open).
bool lineStartsAt(const QByteArray &file, qsizetype at)
{
    const QByteArray probe = file.left(at) + 'X';
    qsizetype pos = 0;
    qsizetype start = 0;
    qsizetype end = 0;
    qsizetype equals = 0;
    qsizetype last = -1;
    while (nextIniLine(probe, pos, start, end, equals))
        last = start;
    return last == at;
}

bool endTakesALine(const QByteArray &file)
{
    return lineStartsAt(file + '\n', file.size() + 1);
}

// The line end that closes the text's last line. The file's own, unless a
// backslash before the last line end takes it and a line end of the other
// kind right after it (the two read as one); then one of the same kind.
QByteArray lineEndAfter(const QByteArray &text, const QByteArray &newline)
{
    if (lineStartsAt(text + newline, text.size() + newline.size()))
        return newline;
    const QByteArray last = text.right(1);
    if ((last == "\n" || last == "\r") && lineStartsAt(text + last, text.size() + 1))
        return last;
    return newline + newline;
}

QByteArray iniSectionHeader(const QString &section)
{
    if (section.isEmpty())
        return "[General]";
    QByteArray name;
    appendIniKey(name, section);
    // A section of that name holds the keys without one.
    if (name.compare("general", Qt::CaseInsensitive) == 0)
        name.prepend('%');
    return '[' + name + ']';
}

// Where each key's line is (its last one: that is the one read) and where
// each section ends (its last occurrence), as the store reads the file.
struct IniKeyLine
{
    qsizetype start = 0;
    qsizetype end = 0;
    qsizetype equals = 0;
};

struct IniLayout
{
    QHash<QString, IniKeyLine> keys;
    QList<IniKeyLine> lines; // every key's line, in the file's order
    QHash<QString, qsizetype> sectionEnds;
    // The file's last line: where it starts, whether it is a section's
    // header, the section it is in (for a header the one before it) and
    // that section's header line (start -1: the keys before any header).
    qsizetype lastStart = -1;
    bool lastIsHeader = false;
    QString lastSection;
    qsizetype lastHeaderStart = -1;
    qsizetype lastHeaderEnd = -1;
};

const char kBom[] = "\xEF\xBB\xBF";

// Whether the line starting there is the first line of a file with a
// byte-order mark, after blanks only.
bool onMarkLine(const QByteArray &file, qsizetype start)
{
    if (!file.startsWith(kBom))
        return false;
    for (qsizetype i = 3; i < start; ++i) {
        if (file.at(i) != ' ' && file.at(i) != '\t')
            return false;
    }
    return true;
}

IniLayout iniLayout(const QByteArray &file)
{
    IniLayout layout;
    QString section;
    qsizetype headerStart = -1;
    qsizetype headerEnd = -1;
    qsizetype pos = file.startsWith(kBom) ? 3 : 0;
    qsizetype start = 0;
    qsizetype end = 0;
    qsizetype equals = 0;
    while (nextIniLine(file, pos, start, end, equals)) {
        layout.lastStart = start;
        layout.lastSection = section;
        layout.lastHeaderStart = headerStart;
        layout.lastHeaderEnd = headerEnd;
        layout.lastIsHeader = file.at(start) == '[';
        if (layout.lastIsHeader) {
            section = iniSectionName(file, start, end);
            headerStart = start;
            headerEnd = end;
        } else if (equals >= 0) {
            qsizetype keyEnd = equals;
            while (keyEnd > start && (file.at(keyEnd - 1) == ' ' || file.at(keyEnd - 1) == '\t'))
                --keyEnd;
            // The store reads a key on the line of the byte-order mark
            // with the blanks after the mark in its name.
            const qsizetype keyStart = onMarkLine(file, start) ? 0 : start;
            const QString key = iniUnescapedKey(file.mid(keyStart, keyEnd - keyStart));
            layout.keys.insert(section.isEmpty() ? key : section + QLatin1Char('/') + key,
                               {start, end, equals});
            layout.lines.append({start, end, equals});
        }
        layout.sectionEnds.insert(section, end);
    }
    return layout;
}

// The line end of the file's first line; a new file's is LF.
QByteArray iniNewline(const QByteArray &file)
{
    const qsizetype at = file.indexOf('\n');
    const qsizetype cr = file.indexOf('\r');
    if (cr < 0 || (at >= 0 && at < cr))
        return "\n";
    return file.mid(cr, 2) == "\r\n" ? "\r\n" : "\r";
}

int hexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// How a value's bytes are read: as the store reads them, or as a person
// wrote them. The second is the store's reading (escapes, quotes, blanks
// around it) as one text: a comma outside quotes is a character of the
// text, where the store cuts the value into a list; and a backslash before
// a character that is no escape stays with it ("C:\Temp"), where the store
// drops both. No writer writes either: they are a person's, who means the
// text as written.
enum class IniReading
{
    AsTheStore,
    AsWritten
};

// The value's parts: one, or as the store reads it the parts of its list.
QStringList iniValueParts(const QByteArray &raw, IniReading reading)
{
    const bool asWritten = reading == IniReading::AsWritten;
    static const char kEscapes[] = "abfnrtv\"?'\\";
    static const char kEscaped[] = "\a\b\f\n\r\t\v\"?'\\";
    QStringDecoder utf8(QStringDecoder::Utf8);
    QStringList parts;
    QString text;
    const qsizetype size = raw.size();
    qsizetype i = 0;
    bool inQuotes = false;
    bool quoted = false; // the current part had quotes
    qsizetype kept = 0;  // blanks before here were escaped
    const auto skipBlanks = [&] {
        while (i < size && (raw.at(i) == ' ' || raw.at(i) == '\t'))
            ++i;
        kept = text.size();
    };
    const auto chopBlanks = [&] {
        if (quoted)
            return;
        qsizetype n = text.size();
        while (n > kept &&
               (text.at(n - 1) == QLatin1Char(' ') || text.at(n - 1) == QLatin1Char('\t')))
            --n;
        text.truncate(n);
    };
    skipBlanks();
    // A value that ends in an escape keeps its blanks before it.
    bool endsInEscape = false;
    while (i < size && !endsInEscape) {
        const char c = raw.at(i);
        if (c == '\\') {
            endsInEscape = ++i == size;
            if (endsInEscape)
                break;
            const char e = raw.at(i++);
            const char *named = e ? std::strchr(kEscapes, e) : nullptr;
            const bool number =
                (e == 'x' && i < size && hexDigitValue(raw.at(i)) >= 0) || (e >= '0' && e <= '7');
            if (named) {
                text += QLatin1Char(kEscaped[named - kEscapes]);
            } else if (number) {
                const int base = e == 'x' ? 16 : 8;
                char16_t code = e == 'x' ? 0 : char16_t(e - '0');
                for (; i < size; ++i) {
                    const int digit = hexDigitValue(raw.at(i));
                    if (digit < 0 || digit >= base)
                        break;
                    code = char16_t(code * base + digit);
                }
                text += QChar(code);
                endsInEscape = i == size;
            } else if (e == '\n' || e == '\r') {
                // The value goes on on the next line.
                if (i < size && (raw.at(i) == '\n' || raw.at(i) == '\r') && raw.at(i) != e)
                    ++i;
            } else if (asWritten) {
                // The character is read as it stands, after the backslash.
                text += QLatin1Char('\\');
                --i;
            } else {
                endsInEscape = e == 'x' && i == size;
            }
            kept = text.size();
        } else if (c == '"') {
            ++i;
            quoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes)
                skipBlanks();
        } else if (c == ',' && !inQuotes) {
            ++i;
            if (asWritten) {
                text += QLatin1Char(',');
                quoted = false;
                continue;
            }
            chopBlanks();
            parts.append(text);
            text.clear();
            quoted = false;
            skipBlanks();
        } else {
            const qsizetype from = i++;
            while (i < size && raw.at(i) != '\\' && raw.at(i) != '"' && raw.at(i) != ',')
                ++i;
            text += utf8(raw.mid(from, i - from));
        }
    }
    if (!endsInEscape)
        chopBlanks();
    parts.append(text);
    return parts;
}

QString iniValueText(const QByteArray &raw)
{
    return iniValueParts(raw, IniReading::AsWritten).constFirst();
}

// Whether the store reads the value, or an element of it as a list, from a
// stream of bytes ("@Variant(...)", "@DateTime(...)"): the counts in those
// bytes go unchecked, and a garbled one makes it reserve gigabytes.
bool iniStreamedValue(const QByteArray &raw)
{
    // Neither "@" nor an escape that could stand for one: the common case.
    if (!raw.contains('@') && !raw.contains('\\'))
        return false;
    const QStringList parts = iniValueParts(raw, IniReading::AsTheStore);
    for (const QString &part : std::as_const(parts)) {
        if ((part.startsWith(QLatin1String("@Variant(")) ||
             part.startsWith(QLatin1String("@DateTime("))) &&
            part.endsWith(QLatin1Char(')')))
            return true;
    }
    return false;
}

// The file with each value the store would read from a stream of bytes
// replaced by "@Invalid()", which it reads as no value, and the places of
// those lines. Every line keeps its place as a line (the value ends where
// the old one did, outside quotes), so the store reads every other key as
// in the file itself.
QByteArray iniWithoutStreams(const QByteArray &file, const IniLayout &layout,
                             QList<qsizetype> *starts)
{
    QByteArray out;
    qsizetype copied = 0;
    for (const IniKeyLine &line : layout.lines) {
        if (!iniStreamedValue(file.mid(line.equals + 1, line.end - line.equals - 1)))
            continue;
        out += file.mid(copied, line.equals + 1 - copied);
        out += "@Invalid()";
        copied = line.end;
        if (starts)
            starts->append(line.start);
    }
    if (copied == 0)
        return file;
    out += file.mid(copied);
    return out;
}

} // namespace

QByteArray ProfileIniPatched(const QByteArray &file, const QMap<QString, QVariant> &changes)
{
    const IniLayout layout = iniLayout(file);
    const QHash<QString, IniKeyLine> &keys = layout.keys;
    const QHash<QString, qsizetype> &sectionEnds = layout.sectionEnds;
    const QByteArray newline = iniNewline(file);
    // A file left open at its end (a hand-edited value without its closing
    // quote) would take whatever follows into that value: what would go to
    // its end goes before its last line then.
    const bool openEnd = !endTakesALine(file);
    // A changed line is replaced, new keys go to the end of their section,
    // new sections to the end of the file. Each edit by its place: the
    // length it replaces (0 for new lines) and its bytes.
    QMap<qsizetype, QPair<qsizetype, QByteArray>> edits;
    QMap<QString, QByteArray> newSections;
    for (auto it = changes.cbegin(); it != changes.cend(); ++it) {
        const qsizetype slash = it.key().indexOf(QLatin1Char('/'));
        const QString keySection = slash < 0 ? QString() : it.key().left(slash);
        QByteArray value;
        appendIniValue(value, it.value());
        const auto held = keys.constFind(it.key());
        if (held != keys.cend()) {
            // The key as the file spells it stays; the value is the new one.
            edits.insert(held->start,
                         {held->end - held->start,
                          file.mid(held->start, held->equals - held->start + 1) + value});
            continue;
        }
        QByteArray line;
        appendIniKey(line, slash < 0 ? it.key() : it.key().mid(slash + 1));
        line += '=' + value + newline;
        const auto sectionEnd = sectionEnds.constFind(keySection);
        if (sectionEnd == sectionEnds.cend()) {
            newSections[keySection] += line;
            continue;
        }
        // After the line end of the section's last line (and a comment
        // behind it on that line). No line of the file starts there: the
        // next one is another section's.
        qsizetype at = *sectionEnd;
        while (at < file.size() && file.at(at) != '\n' && file.at(at) != '\r')
            ++at;
        if (at < file.size()) {
            at += file.mid(at, 2) == "\r\n" ? 2 : 1;
        } else if (openEnd) {
            newSections[keySection] += line;
            continue;
        }
        // The file's last line had no line end, or its line end is taken
        // into the line by a backslash before it.
        if (!edits.contains(at) && !lineStartsAt(file, at))
            line.prepend(lineEndAfter(file.left(at), newline));
        edits[at].second += line;
    }
    // The new keys of the open last line's own section go right before it.
    QByteArray beforeLast;
    if (openEnd && layout.lastStart >= 0 && !layout.lastIsHeader)
        beforeLast = newSections.take(layout.lastSection);
    QByteArray sections;
    const auto addSection = [&](const QString &name, const QByteArray &lines) {
        if (!sections.isEmpty())
            sections += newline;
        sections += iniSectionHeader(name) + newline + lines;
    };
    // The keys without a section first, as the store writes them.
    if (newSections.contains(QString()))
        addSection(QString(), newSections.take(QString()));
    for (auto it = newSections.cbegin(); it != newSections.cend(); ++it)
        addSection(it.key(), it.value());
    if (openEnd && (!sections.isEmpty() || !beforeLast.isEmpty())) {
        // New sections go there too, and the last line's section is named
        // again after them (a header of its own names it itself).
        if (!sections.isEmpty() && !layout.lastIsHeader) {
            sections += layout.lastHeaderStart < 0
                            ? QByteArray("[General]")
                            : file.mid(layout.lastHeaderStart,
                                       layout.lastHeaderEnd - layout.lastHeaderStart);
            sections += newline;
        }
        // On the line of the byte-order mark: right behind the mark a line
        // keeps its leading blanks (part of a key's name), and "[" behind
        // them still begins a section; elsewhere blanks are skipped, and a
        // mark before "[" makes it a key. So the new lines go before the
        // mark where blanks and no "[" follow it, else right behind it.
        qsizetype at = layout.lastStart;
        if (onMarkLine(file, layout.lastStart)) {
            qsizetype first = 3;
            while (first < file.size() && (file.at(first) == ' ' || file.at(first) == '\t' ||
                                           file.at(first) == '\f' || file.at(first) == '\v'))
                ++first;
            at = first > 3 && (first == file.size() || file.at(first) != '[') ? 0 : 3;
        }
        // After the lines added there for the section before, before a new
        // value of the last line.
        auto &edit = edits[at];
        edit.second =
            edit.first ? sections + beforeLast + edit.second : edit.second + sections + beforeLast;
        sections.clear();
    }
    QByteArray out = file;
    for (auto it = edits.cend(); it != edits.cbegin();) {
        --it;
        out.replace(it.key(), it.value().first, it.value().second);
    }
    if (sections.isEmpty())
        return out;
    if (!out.isEmpty()) {
        if (!lineStartsAt(out, out.size()))
            out += lineEndAfter(out, newline);
        out += newline;
    }
    out += sections;
    return out;
}

QByteArray ProfileIniBytes(const QMap<QString, QVariant> &values)
{
    return ProfileIniPatched(QByteArray(), values);
}

QByteArray ProfileIniForStore(const QByteArray &file)
{
    return iniWithoutStreams(file, iniLayout(file), nullptr);
}

CProfile::CProfile(const QString &applicationName) : m_application(applicationName)
{
    // The store reads its files' values only when asked for them.
    const QSettings settings(QSettings::IniFormat, QSettings::UserScope, kOrganisation,
                             applicationName);
    m_fileName = settings.fileName();
    QFile file(m_fileName);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    const IniLayout layout = iniLayout(bytes);
    // A value the program never writes that the store would read from a
    // stream of bytes is read as the text written (and its line stays as
    // it is): the store reads the file without it, from a private copy.
    QList<qsizetype> streamed;
    const QByteArray forStore = iniWithoutStreams(bytes, layout, &streamed);
    if (streamed.isEmpty()) {
        m_values = valuesOf(settings);
    } else {
        QTemporaryFile copy;
        if (copy.open() && copy.write(forStore) == forStore.size() && copy.flush()) {
            m_values = valuesOf(QSettings(copy.fileName(), QSettings::IniFormat));
        } else {
            // No copy to be made (no room for temporary files): every value
            // of the file is read as the text written.
            streamed.clear();
            for (auto it = layout.keys.cbegin(); it != layout.keys.cend(); ++it) {
                m_values.insert(it.key(), QVariant());
                streamed.append(it->start);
            }
        }
        // What the store reads besides the profile's own file, each key from
        // the first file that has it: the organisation's file, then the
        // system's files.
        QSettings organisation(QSettings::IniFormat, QSettings::UserScope, kOrganisation);
        organisation.setFallbacksEnabled(false);
        const QSettings system(QSettings::IniFormat, QSettings::SystemScope, kOrganisation,
                               applicationName);
        const QSettings *const others[] = {&organisation, &system};
        for (const QSettings *other : others) {
            for (const QString &key : other->allKeys()) {
                if (!m_values.contains(key))
                    m_values.insert(key, other->value(key));
            }
        }
    }
    // The values a person wrote as the texts they wrote: a comma of such a
    // value makes the store read a list, which the program would read as
    // an empty text and write back so.
    for (auto it = m_values.begin(); it != m_values.end(); ++it) {
        const auto line = layout.keys.constFind(it.key());
        if (line == layout.keys.cend())
            continue;
        const bool asWritten = streamed.contains(line->start);
        const int type = it->metaType().id();
        if (!asWritten && type != QMetaType::QString && type != QMetaType::QStringList &&
            type != QMetaType::QVariantList)
            continue;
        QString text = iniValueText(bytes.mid(line->equals + 1, line->end - line->equals - 1));
        // The forms of the store ("@@" for a text that starts with "@",
        // "@ByteArray(...)", ...) stay as the store reads them.
        if (!asWritten && text.startsWith(QLatin1Char('@'))) {
            if (type == QMetaType::QString)
                continue;
            if (text.startsWith(QLatin1String("@@")))
                text.remove(0, 1);
        }
        *it = text;
    }
}

CProfile::~CProfile()
{
    if (HasChanges())
        Sync();
}

void CProfile::SetStorageFolder(const QString &folder)
{
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder);
}

void CProfile::SetLockTimes(const CProfileLockTimes &times)
{
    lockTimes() = times;
}

CProfileLockTimes CProfile::LockTimes()
{
    return lockTimes();
}

QString CProfile::FileName() const
{
    return m_fileName;
}

static QString keyPath(const QString &section, const QString &key)
{
    // The store keeps its own top-level keys in the file's "[General]"
    // section: a profile section of that name is kept there, so that the
    // file reads as the profile is written.
    if (section == QLatin1String("General"))
        return key;
    return section + QLatin1Char('/') + key;
}

bool CProfile::HasValue(const QString &section, const QString &key) const
{
    return m_values.contains(keyPath(section, key));
}

int CProfile::GetProfileInt(const QString &section, const QString &key, int defaultValue) const
{
    const QVariant v = m_values.value(keyPath(section, key));
    if (!v.isValid())
        return defaultValue;
    bool ok = false;
    const int value = v.toString().trimmed().toInt(&ok);
    return ok ? value : defaultValue;
}

void CProfile::setValue(const QString &path, const QString &value)
{
    // A value read as this text stays as the file spells it.
    const auto held = m_values.constFind(path);
    if (held != m_values.cend() && held->isValid() && held->toString() == value)
        return;
    const QVariant v(value);
    m_values.insert(path, v);
    m_changes.insert(path, v);
}

bool CProfile::WriteProfileInt(const QString &section, const QString &key, int value)
{
    // The number read ("01", "+1") stays as the file spells it.
    const QString path = keyPath(section, key);
    if (m_values.contains(path) && GetProfileInt(section, key, value == 0 ? 1 : 0) == value)
        return true;
    setValue(path, QString::number(value));
    return true;
}

QString CProfile::GetProfileString(const QString &section, const QString &key,
                                   const QString &defaultValue) const
{
    const QVariant v = m_values.value(keyPath(section, key));
    return v.isValid() ? v.toString() : defaultValue;
}

bool CProfile::WriteProfileString(const QString &section, const QString &key, const QString &value)
{
    setValue(keyPath(section, key), value);
    return true;
}

QRect CProfile::GetProfileRect(const QString &section, const QString &key,
                               const QRect &defaultValue) const
{
    QRect rect;
    if (RectFromProfileText(GetProfileString(section, key), &rect))
        return rect;
    return defaultValue;
}

bool CProfile::WriteProfileRect(const QString &section, const QString &key, const QRect &rect)
{
    return WriteProfileString(section, key, RectToProfileText(rect));
}

bool CProfile::Sync(QString *failure)
{
    if (m_ownerOnly)
        restrictFile();
    if (m_changes.isEmpty())
        return true;
    // What the file holds now stays as it is, line for line, where this
    // profile changed nothing; a file that cannot be read is not written
    // over. The lock keeps the file from changing between the read and
    // the write: another instance of the program writing at the same time
    // (or the settings store, which takes the same lock) waits, reads what
    // this one wrote and keeps it.
    QByteArray old;
    QString reason;
    const QString folder = QFileInfo(m_fileName).absolutePath();
    QDir().mkpath(folder);
    const QString lockName = m_fileName + QStringLiteral(".lock");
    const QFileInfo lockInfo(lockName);
    CLockHold lock;
    // A folder no file can be made in is read-only for this user: said so,
    // rather than the system's "no permission" of the file's copy.
    if (!FolderWritable(folder)) {
        reason = OrmelTextArgs(kTextFolderReadOnly, {QDir::toNativeSeparators(folder)},
                               QStringLiteral("%s"));
    } else if (!lockInfo.isSymLink() && lockInfo.isDir()) {
        // A folder in the lock file's place is no program's lock, and no
        // wait ends it: the write fails at once, saying so.
        reason = OrmelTextArgs(kTextLockIsFolder, {QDir::toNativeSeparators(lockName)},
                               QStringLiteral("%s"));
    } else {
        // Without the lock the write does not go on: another writer could
        // be between its read and its write of the file, and one of the
        // two changes would be lost.
        switch (lock.take(lockName, lockTimes().waitMs)) {
        case CLockHold::Held:
            break;
        case CLockHold::Busy:
            reason = OrmelTextArgs(kTextFileLocked, {QDir::toNativeSeparators(lockName)},
                                   QStringLiteral("%s"));
            break;
        case CLockHold::NoLock:
            reason = lock.reason();
            break;
        }
    }
    QFile file(m_fileName);
    if (reason.isEmpty() && file.exists()) {
        if (!file.open(QIODevice::ReadOnly))
            reason = FileReadErrorText(file);
        else
            old = file.readAll();
        if (reason.isEmpty() && file.error() != QFileDevice::NoError)
            reason = FileReadErrorText(file);
        file.close();
    }
    bool written = false;
    if (reason.isEmpty()) {
        written = WriteWholeFile(m_fileName, ProfileIniPatched(old, m_changes), &reason,
                                 m_ownerOnly ? kOwnerOnly : QFileDevice::Permissions());
    }
    // Changes that could not be written are given up, as the caller told
    // the user: no later write, nor the end of the profile, makes them
    // behind the user's back (and waits for the lock once more).
    m_changes.clear();
    if (!written) {
        if (failure)
            *failure = FileNotWrittenText(m_fileName, reason);
        return false;
    }
    return true;
}

void CProfile::KeepOwnerOnly()
{
    m_ownerOnly = true;
    restrictFile();
}

void CProfile::restrictFile() const
{
    // A file written by the profile is private from its first byte on; one
    // that was there before is made so now.
    if (QFileInfo::exists(m_fileName))
        QFile::setPermissions(m_fileName, kOwnerOnly);
}

QString RectToProfileText(const QRect &rect)
{
    if (rect.isNull())
        return QStringLiteral("0,0,0,0");
    return QStringLiteral("%1,%2,%3,%4")
        .arg(rect.left())
        .arg(rect.top())
        .arg(rect.left() + rect.width())
        .arg(rect.top() + rect.height());
}

bool RectFromProfileText(const QString &text, QRect *rect)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return false;
    int v[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        v[i] = parts.at(i).trimmed().toInt(&ok);
        if (!ok)
            return false;
    }
    // A garbled value with coordinates far outside any screen is no
    // rectangle: its width and height could not even be computed.
    const int kMaxCoordinate = INT_MAX / 4;
    for (int c : v) {
        if (c < -kMaxCoordinate || c > kMaxCoordinate)
            return false;
    }
    if (v[0] == 0 && v[1] == 0 && v[2] == 0 && v[3] == 0)
        *rect = QRect();
    else
        *rect = QRect(QPoint(v[0], v[1]), QSize(v[2] - v[0], v[3] - v[1]));
    return true;
}

void ValidateWndRect(QRect *rect)
{
    if (!rect || rect->isNull())
        return;
    if (rect->width() <= 0 || rect->height() <= 0) {
        *rect = QRect();
        return;
    }
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return;
    // A run without a display (the settings mode on the offscreen platform)
    // knows no screen of the user's: the rectangle stays as stored.
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal"))
        return;
    for (const QScreen *screen : QGuiApplication::screens()) {
        if (screen->availableGeometry().intersects(*rect))
            return;
    }
    *rect = QRect();
}
