#pragma once
// Why a file could not be written or read, as the adviser reads it: a text
// of the program's language for the kind of failure, with the system's
// reason after it, told in the program's language too (never the system's
// English words).

#include <QFileDevice>
#include <QString>

class QFile;

// The reason of a system error number (errno) in the program's language:
// "Keine Berechtigung", "Das Dateisystem ist schreibgeschützt", ... An
// error the program has no words of its own for is named by its number.
QString SystemErrorText(int error);
// The error number whose system text (as a file object or qt_error_string
// gives it) the text is; 0 when it is none.
int SystemErrorOf(const QString &systemReason);

QString FileErrorText(const QFileDevice &file);
// The same for a failure met outside a file object: its kind and the
// error number.
QString FileErrorText(QFileDevice::FileError kind, int error);
// Why a file that is there could not be opened or read: a folder in its
// place (said in the program's words alone), no permission, or a read error
// with its reason.
QString FileReadErrorText(const QFile &file);

// A path as a message names it: in the system's separators, and a path too
// long to be read at a glance shortened in its middle ("…"), its start and
// its file name kept, so that what the message says after it is never cut
// off by the message box.
QString PathForMessage(const QString &path);
