#include "support/OutOfRoom.h"

#include "platform/FileErrorText.h"
#include "platform/WholeFile.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/mount.h>

QString SystemReason(int code)
{
    return SystemErrorText(code);
}

OutOfRoomGuard::~OutOfRoomGuard()
{
    End();
    if (!m_mounted.isEmpty())
        umount2(QFile::encodeName(m_mounted).constData(), MNT_DETACH);
}

bool OutOfRoomGuard::MountSmall(const QString &folder)
{
    if (::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, "size=8k") != 0)
        return false;
    m_mounted = folder;
    return true;
}

bool OutOfRoomGuard::LimitFileSize(qint64 bytes)
{
    if (getrlimit(RLIMIT_FSIZE, &m_limit) != 0)
        return false;
    rlimit small = m_limit;
    small.rlim_cur = rlim_t(bytes);
    // A write beyond the limit fails with EFBIG instead of ending the process.
    m_handler = std::signal(SIGXFSZ, SIG_IGN);
    if (setrlimit(RLIMIT_FSIZE, &small) != 0) {
        std::signal(SIGXFSZ, m_handler);
        return false;
    }
    m_limited = true;
    return true;
}

void OutOfRoomGuard::Inject(const QString &reason)
{
    SetWholeFileFault([reason](const QString &) { return reason; });
}

void OutOfRoomGuard::End()
{
    SetWholeFileFault({});
    if (m_limited) {
        setrlimit(RLIMIT_FSIZE, &m_limit);
        std::signal(SIGXFSZ, m_handler);
        m_limited = false;
    }
}
