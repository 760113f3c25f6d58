#pragma once
// Why a file could not be written or read, as the adviser reads it: a text
// of the program's language for the kind of failure, with the operating
// system's own reason after it.

#include <QFileDevice>
#include <QString>

class QFile;

QString FileErrorText(const QFileDevice &file);
// The same for a failure met outside a file object: its kind and the
// system's reason.
QString FileErrorText(QFileDevice::FileError kind, const QString &systemReason);
// Why a file that is there could not be opened or read: a folder in its
// place (said in the program's words alone), no permission, or a read error
// with the system's reason.
QString FileReadErrorText(const QFile &file);
