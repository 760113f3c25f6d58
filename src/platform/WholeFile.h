#pragma once
// Files the program writes whole (the dealer file, the export for the
// dealer system, print files, data files, the profiles): the readers of such
// a file see the old one or the complete new one, never a part of it, and a
// file that could not be written whole leaves the old one where it was.
//
// The new content goes to a copy beside the file, named after it with the
// program's own mark (".YAQTrader.ini.yaq2-part-AbCdEf"), and the copy takes
// the file's place in one step once it is written and on the disk. A copy
// that a program ended half-way left behind goes with the next write of the
// file; no other file is ever removed: a user's "YAQTrader.ini.Sicher"
// stays, whatever its name looks like.

#include <QFile>
#include <QString>

#include <functional>

class CWholeFile
{
public:
    explicit CWholeFile(const QString &path);
    // Drops a copy that was not committed; the old file stays.
    ~CWholeFile();
    CWholeFile(const CWholeFile &) = delete;
    CWholeFile &operator=(const CWholeFile &) = delete;

    // Opens the copy for writing, after the copies that earlier writes of
    // the file left behind are removed. A link is followed: the file it
    // names gets the new content. With permissions given, the new file has
    // them from its first byte on (a file with a password in it is never
    // readable by others, not even while it is written); else it keeps
    // those of the old file. False with the reason when it cannot be opened.
    bool Open(QString *reason = nullptr, QFileDevice::Permissions permissions = {});
    // False when the bytes could not all be written; Commit then fails.
    bool Write(const QByteArray &bytes);
    // True when the new file is in place. Otherwise the old file stays as
    // it was, nothing is left beside it, and *reason (when given) says why:
    // a text of the program's language with the system's own reason after it.
    bool Commit(QString *reason = nullptr);
    // Drops the copy; the old file stays.
    void Cancel();

private:
    bool fail(const QString &why, QString *reason);

    QString m_path;
    QString m_target;      // the file that is replaced (a link followed)
    int m_folder = -1;     // the target's folder, while a copy is written
    QByteArray m_copyName; // the copy's name in it
    QFile m_copy;
    bool m_writeFailed = false;
};

// Removes the copies of the file that a write ended half-way left beside it:
// the names the writer gives them, not written to for a while (a copy that
// another program is writing this moment stays). Returns how many went.
int RemoveStaleWholeFileCopies(const QString &path);

// Writes the bytes as the whole file (permissions as for CWholeFile::Open).
bool WriteWholeFile(const QString &path, const QByteArray &bytes, QString *reason = nullptr,
                    QFileDevice::Permissions permissions = {});

// Makes the folder and the folders above it that are missing. False with
// the reason (in the program's language) when one cannot be made.
bool MakeFolderPath(const QString &folder, QString *reason = nullptr);

// Why the existing file cannot be replaced by a new one, as an error number
// (EISDIR a folder in its place, EACCES no permission, EROFS a read-only
// file system, ...); 0 when it can be, or when it is not there.
int FileNotReplaceableError(const QString &path);

// The adviser's message: the file (in the system's separators, a long path
// shortened in its middle) could not be written, and the reason, whole.
QString FileNotWrittenText(const QString &path, const QString &reason);

// Tests: a write that fails at its end, as on a full disk. While set, every
// commit asks it with the file's name; a reason it gives makes the write
// fail with that reason. An empty function removes it.
using WholeFileFault = std::function<QString(const QString &path)>;
void SetWholeFileFault(WholeFileFault fault);
