#pragma once
// Text that names its own encoding: a session file or a message by its XML
// declaration, a message by the charset of its Content-Type. Servers of the
// workshops write the Windows code pages (windows-1252, ISO-8859-15) as
// often as UTF-8; every name the platform's converter knows (with ICU, every
// code page) is read as it says. Qt's own table of names
// (QStringConverter::encodingForName) knows only the Unicode encodings and
// Latin-1, so it is not asked.

#include <QByteArrayView>
#include <QString>

// The bytes in the encoding of that name. Without ICU the Western
// single-byte code pages are read as Latin-1, which agrees with them on
// the letters; a name nothing here can decode, or none, is read as UTF-8.
QString DecodeNamedEncoding(QByteArrayView bytes, QByteArrayView name);
