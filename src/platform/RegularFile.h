#pragma once
// Files a user, a caller or a profile names (the session file, help,
// documents, the profile's files): only a regular file is read. A named pipe
// in the file's place would hold the reader until someone writes into it, a
// device such as /dev/zero never ends, a socket is no file at all: each is
// refused at once, and nothing ever waits on it.

#include <QString>

class QFile;

// Whether the open descriptor is a regular file.
bool IsRegularFile(int fd);

// Opens the file of that name for reading: looked at before it is opened
// (a device is never opened), opened without waiting (a pipe put in its
// place meanwhile is refused, not waited on). False with the reason, in the
// program's language, when it is not there, cannot be read or is no regular
// file.
bool OpenRegularFile(QFile *file, QString *reason = nullptr);
