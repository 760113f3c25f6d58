#include "common/ChildProgram.h"

#include <QDir>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <vector>

#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {
// How often the end is looked for where the system cannot report it.
constexpr int kPollMs = 100;

CChildProgram::Failure FailureOf(int error, const QString &program)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return QFileInfo(program).absoluteDir().exists() ? CChildProgram::Failure::FileNotFound
                                                         : CChildProgram::Failure::PathNotFound;
    case EACCES:
    case ENOEXEC:
    case EISDIR:
    case ETXTBSY:
        return CChildProgram::Failure::NotExecutable;
    case ENOMEM:
    case EAGAIN:
    case E2BIG:
        return CChildProgram::Failure::OutOfResources;
    default:
        return CChildProgram::Failure::Other;
    }
}
} // namespace

CChildProgram::CChildProgram(QObject *parent) : QObject(parent)
{
}

CChildProgram::~CChildProgram()
{
    // Only the watch ends here; the program is not touched.
    delete m_pNotifier;
    if (m_pidFd >= 0)
        ::close(m_pidFd);
}

bool CChildProgram::Start(const QString &program, const QStringList &arguments)
{
    const QByteArray path = QFile::encodeName(program);
    std::vector<QByteArray> args{path};
    for (const QString &a : arguments)
        args.push_back(a.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    // A session of its own: a signal to this program's group or the end of
    // its terminal does not reach the program. Signals this program blocks
    // or ignores are the program's defaults again.
    sigset_t none;
    sigemptyset(&none);
    sigset_t defaults;
    sigemptyset(&defaults);
    for (int sig : {SIGPIPE, SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGCHLD, SIGUSR1, SIGUSR2})
        sigaddset(&defaults, sig);
    posix_spawnattr_setsigmask(&attr, &none);
    posix_spawnattr_setsigdefault(&attr, &defaults);
    posix_spawnattr_setflags(
        &attr, short(POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF));
    pid_t pid = 0;
    const int error = posix_spawn(&pid, path.constData(), nullptr, &attr, argv.data(), environ);
    posix_spawnattr_destroy(&attr);
    if (error != 0) {
        m_failure = FailureOf(error, program);
        m_systemReason = QString::fromLocal8Bit(std::strerror(error));
        return false;
    }
    m_pid = pid;
    // The system tells when the program ends (a descriptor of the process);
    // where it cannot, the end is looked for now and then.
    m_pidFd = int(::syscall(SYS_pidfd_open, pid, 0));
    if (m_pidFd >= 0) {
        m_pNotifier = new QSocketNotifier(qintptr(m_pidFd), QSocketNotifier::Read, this);
        connect(m_pNotifier, &QSocketNotifier::activated, this, &CChildProgram::Reap);
    } else {
        m_pPoll = new QTimer(this);
        m_pPoll->setInterval(kPollMs);
        connect(m_pPoll, &QTimer::timeout, this, &CChildProgram::Reap);
        m_pPoll->start();
    }
    return true;
}

void CChildProgram::Reap()
{
    if (m_pid <= 0)
        return;
    int status = 0;
    const pid_t done = ::waitpid(pid_t(m_pid), &status, WNOHANG);
    if (done == 0 || (done < 0 && errno == EINTR))
        return;
    m_pid = 0;
    if (m_pNotifier)
        m_pNotifier->setEnabled(false);
    if (m_pPoll)
        m_pPoll->stop();
    if (m_pidFd >= 0) {
        ::close(m_pidFd);
        m_pidFd = -1;
    }
    if (done < 0) {
        // Reaped elsewhere: it has ended, how is unknown.
        emit finished(-1, true);
        return;
    }
    const bool crashed = WIFSIGNALED(status);
    emit finished(crashed ? -1 : WEXITSTATUS(status), crashed);
}
