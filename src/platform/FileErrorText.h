#pragma once
// Why a file could not be written, as the adviser reads it: a text of the
// program's language for the kind of failure, with the operating system's
// own reason after it.

#include <QFileDevice>
#include <QString>

QString FileErrorText(const QFileDevice &file);
// The same for a failure met outside a file object: its kind and the
// system's reason.
QString FileErrorText(QFileDevice::FileError kind, const QString &systemReason);
