#pragma once
// Files the program writes whole (the dealer file, the export for the
// dealer system, print files, data files): the readers of such a file see
// the old one or the complete new one, never a part of it, and a file that
// could not be written whole leaves the old one where it was.
//
// QSaveFile writes beside the file and puts the new one in its place on
// commit(). Alone it is not enough: it keeps what is written in a buffer,
// the real write (where a full disk or a file-size limit shows) happens
// inside commit(), and the Qt of our platforms then still puts the short
// file in place and reports success. So the buffer is flushed and checked
// before the commit.

#include <QFileDevice>
#include <QString>

#include <functional>

class QSaveFile;

// Opens the file for writing whole, after the copies an earlier write of
// it left behind (the program was ended while it wrote) are removed; false
// with the reason when it cannot be opened.
bool OpenWholeFile(QSaveFile &file, QString *reason = nullptr);

// Removes the copies of the file that a write ended half-way left beside it:
// the name, a dot and six letters, not written to for a while (a copy that
// another program is writing this moment stays). Returns how many went.
int RemoveStaleWholeFileCopies(const QString &path);

// Completes a QSaveFile that was opened and written to: true when the new
// file is in place. Otherwise the old file stays as it was, nothing is left
// beside it, and *reason (when given) says why: a text of the program's language with
// the system's own reason after it.
bool CommitWholeFile(QSaveFile &file, QString *reason = nullptr);

// Writes the bytes as the whole file. With permissions given, the new file
// has them from its first byte on (a file with a password in it is never
// readable by others, not even while it is written).
bool WriteWholeFile(const QString &path, const QByteArray &bytes, QString *reason = nullptr,
                    QFileDevice::Permissions permissions = {});

// The adviser's message: the file (in the system's separators) could not be
// written, and the reason.
QString FileNotWrittenText(const QString &path, const QString &reason);

// Tests: a write that fails at its end, as on a full disk. While set, every
// commit asks it with the file's name; a reason it gives makes the write
// fail with that reason. An empty function removes it.
using WholeFileFault = std::function<QString(const QString &path)>;
void SetWholeFileFault(WholeFileFault fault);
