#include "platform/FileErrorText.h"

#include "platform/OrmelText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QFileInfo>

#include <cerrno>

namespace {

enum
{
    kTextPermission = 7164, // the reason
    kTextNotCreated = 7166,
    kTextNotWritten = 7167,
    kTextFolderInPlace = 7175,
    kTextNotRead = 7176, // the reason
};

// The program's words for the system's reasons; without the text table the
// German words stand.
struct ReasonText
{
    int error;
    int id;
    const char *german;
};

const ReasonText kReasons[] = {
    {EACCES, 7280, "Keine Berechtigung"},
    {EPERM, 7280, "Keine Berechtigung"},
    {EROFS, 7281, "Das Dateisystem ist schreibgeschützt"},
    {EISDIR, 7282, "An der Stelle der Datei steht ein Ordner"},
    {ENOTDIR, 7283, "An der Stelle eines Ordners des Pfades steht eine Datei"},
    {ENOSPC, 7284, "Kein Speicherplatz mehr frei"},
#ifdef EDQUOT
    {EDQUOT, 7285, "Der zugeteilte Speicherplatz ist aufgebraucht"},
#endif
    {ENAMETOOLONG, 7286, "Der Name oder der Pfad ist zu lang"},
    {ENOENT, 7287, "Die Datei oder ihr Ordner ist nicht vorhanden"},
    {EEXIST, 7288, "Eine Datei dieses Namens ist schon vorhanden"},
    {ELOOP, 7289, "Zu viele symbolische Verweise hintereinander"},
    {EMFILE, 7290, "Zu viele Dateien sind geöffnet"},
    {ENFILE, 7290, "Zu viele Dateien sind geöffnet"},
    {EIO, 7291, "Ein- oder Ausgabefehler des Datenträgers"},
    {EBUSY, 7292, "Die Datei ist belegt"},
    {ETXTBSY, 7292, "Die Datei ist belegt"},
    {EFBIG, 7293, "Die Datei wird zu groß"},
    {EOVERFLOW, 7293, "Die Datei wird zu groß"},
#ifdef ESTALE
    {ESTALE, 7294, "Die Netzwerkfreigabe ist nicht mehr erreichbar"},
#endif
    {EINTR, 7295, "Der Vorgang wurde unterbrochen"},
    {ENOMEM, 7296, "Nicht genug Arbeitsspeicher"},
    {EINVAL, 7298, "Der Name ist ungültig"},
    {EAGAIN, 7299, "Die Datei ist gerade gesperrt"},
    {ENXIO, 7300, "Das Gerät ist nicht bereit"},
    {ENODEV, 7300, "Das Gerät ist nicht bereit"},
    {EXDEV, 7302, "Die Ordner liegen auf verschiedenen Dateisystemen"},
    {ENOTEMPTY, 7303, "Der Ordner ist nicht leer"},
};

constexpr int kTextSystemError = 7297; // the number
constexpr int kTextNoReading = 7304;
const char kNoReading[] = "die Datei darf nicht gelesen werden";

// The longest path a message shows whole, and how much of its start a
// shortened one keeps.
constexpr int kPathShown = 160;
constexpr int kPathStart = 50;

} // namespace

QString SystemErrorText(int error)
{
    for (const ReasonText &r : kReasons)
        if (r.error == error)
            return OrmelTextArgs(r.id, {}, QString::fromUtf8(r.german));
    return OrmelTextArgs(kTextSystemError, {QString::number(error)},
                         QStringLiteral("Systemfehler %s"));
}

int SystemErrorOf(const QString &systemReason)
{
    // The system's text of every error number, and Qt's words for some of
    // them, also in the language of its translations; asked each time, as
    // the language may change while the program runs. Only a failure asks.
    const QString wanted = systemReason.trimmed();
    if (wanted.isEmpty())
        return 0;
    for (int e = 1; e < 200; ++e) {
        const QString text = qt_error_string(e);
        if (text == wanted ||
            QCoreApplication::translate("QIODevice", text.toLatin1().constData()) == wanted)
            return e;
    }
    return 0;
}

QString FileErrorText(const QFileDevice &file)
{
    const int error = SystemErrorOf(file.errorString());
    if (error == 0 && !file.errorString().isEmpty()) {
        // A reason of Qt's own (no system error behind it) is told as the
        // kind of failure alone.
        return OrmelTextArgs(file.error() == QFileDevice::OpenError ? kTextNotCreated
                                                                    : kTextNotWritten,
                             {SystemErrorText(EIO)}, QStringLiteral("%s"));
    }
    return FileErrorText(file.error(), error);
}

QString FileErrorText(QFileDevice::FileError kind, int error)
{
    // A reason that says it all stands alone; the others say what failed.
    switch (error) {
    case EACCES:
    case EPERM:
    case EROFS:
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
    case EFBIG:
        return SystemErrorText(error);
    default:
        break;
    }
    const int id = kind == QFileDevice::OpenError ? kTextNotCreated : kTextNotWritten;
    return OrmelTextArgs(id, {SystemErrorText(error == 0 ? EIO : error)}, QStringLiteral("%s"));
}

QString FileReadErrorText(const QFile &file)
{
    const QFileInfo info(file.fileName());
    // A folder in the file's place: the program's text alone.
    if (info.isDir())
        return OrmelTextArgs(kTextFolderInPlace, {}, SystemErrorText(EISDIR));
    int error = SystemErrorOf(file.errorString());
    if (file.error() == QFileDevice::PermissionsError || (info.exists() && !info.isReadable()))
        error = EACCES;
    if (error == EACCES || error == EPERM)
        return OrmelTextArgs(kTextPermission,
                             {OrmelTextArgs(kTextNoReading, {}, QString::fromUtf8(kNoReading))},
                             QStringLiteral("%s"));
    return OrmelTextArgs(kTextNotRead, {SystemErrorText(error == 0 ? EIO : error)},
                         QStringLiteral("%s"));
}

QString PathForMessage(const QString &path)
{
    const QString shown = QDir::toNativeSeparators(path);
    if (shown.size() <= kPathShown)
        return shown;
    // The start (the drive or share) and the end (the folders nearest the
    // file, and its name) stay.
    qsizetype head = kPathStart;
    qsizetype from = shown.size() - (kPathShown - kPathStart - 1);
    // Never between the halves of a surrogate pair.
    if (shown.at(head - 1).isHighSurrogate())
        --head;
    if (shown.at(from).isLowSurrogate())
        ++from;
    return shown.left(head) + QChar(0x2026) + shown.mid(from);
}
