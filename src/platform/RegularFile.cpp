#include "platform/RegularFile.h"

#include "platform/FileErrorText.h"
#include "platform/OrmelText.h"

#include <QFile>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr int kTextNoRegularFile = 7309;

bool Refuse(int error, QString *reason)
{
    if (reason) {
        *reason = error == 0 ? OrmelTextArgs(kTextNoRegularFile, {},
                                             QString::fromUtf8("An der Stelle der Datei steht "
                                                               "keine gewöhnliche Datei"))
                             : SystemErrorText(error);
    }
    return false;
}
} // namespace

bool IsRegularFile(int fd)
{
    struct stat opened;
    return ::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode);
}

bool OpenRegularFile(QFile *file, QString *reason)
{
    const QByteArray path = QFile::encodeName(file->fileName());
    struct stat named;
    if (::stat(path.constData(), &named) != 0)
        return Refuse(errno, reason);
    if (S_ISDIR(named.st_mode))
        return Refuse(EISDIR, reason);
    if (!S_ISREG(named.st_mode))
        return Refuse(0, reason);
    int fd;
    do
        fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return Refuse(errno, reason);
    // Something else may have taken the name's place since it was looked at.
    if (!IsRegularFile(fd)) {
        ::close(fd);
        return Refuse(0, reason);
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return Refuse(EIO, reason);
    }
    return true;
}
