#pragma once
// Why a file could not be written, as the adviser reads it: a text of the
// program's language for the kind of failure, with the operating system's
// own reason after it.

#include <QString>

class QFileDevice;

QString FileErrorText(const QFileDevice &file);
