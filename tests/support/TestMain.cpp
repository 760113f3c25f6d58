#include "support/TestMain.h"

#include "support/Waits.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMutex>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <memory>

namespace {

QtMessageHandler g_qtHandler = nullptr; // Qt's own: prints to stderr
QtMessageHandler g_next = nullptr;      // the handler behind the check
bool g_inFrontOfLog = false;            // g_next is the test log of the running qExec
bool g_wasInFrontOfLog = false;
QMutex g_outsideMutex;
QStringList g_outside; // unexpected warnings no test function took as failure
std::unique_ptr<QTemporaryDir> g_runtimeDir;

// Set while the check passes a message on, to notice the log handing it back.
thread_local bool t_passingOn = false;
thread_local bool t_handedBack = false;

bool IsExpected(const QString &message)
{
    // The offscreen platform notes what it cannot do (raise, grab the keyboard).
    return message.startsWith(QLatin1String("This plugin does not support"));
}

void RecordOutside(const QString &message)
{
    QMutexLocker locker(&g_outsideMutex);
    g_outside << message;
}

bool InMainThread()
{
    const QCoreApplication *app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

void CheckMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (t_passingOn) {
        // The test log has stopped and hands the message back to the handler
        // it replaced (this one): Qt's own prints it.
        t_handedBack = true;
        g_qtHandler(type, context, message);
        return;
    }
    const bool unexpected = type == QtWarningMsg && !IsExpected(message);
    const bool byLog = unexpected && g_inFrontOfLog && InMainThread();
    if (byLog) {
        // The log fails the running test function with this text unless the
        // test said it expects it (it looks at QTest::ignoreMessage first).
        QTest::failOnWarning(message.toUtf8().constData());
    }
    t_passingOn = true;
    t_handedBack = false;
    g_next(type, context, message);
    t_passingOn = false;
    if (unexpected && (!byLog || t_handedBack))
        RecordOutside(message);
}

} // namespace

namespace YaqTest {

void StartProgram()
{
    WatchWarnings();
    // Qt ends the whole program when a row runs longer than this (5 minutes
    // unless set): twice a wait that hangs, so that the row fails and says
    // what it saw, and the program goes on to the next.
    if (qEnvironmentVariableIsEmpty("QTEST_FUNCTION_TIMEOUT"))
        qputenv("QTEST_FUNCTION_TIMEOUT", QByteArray::number(2 * kHangMs));
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        // Owned by the user and closed to others, as Qt wants it.
        g_runtimeDir = std::make_unique<QTemporaryDir>(QDir::tempPath() +
                                                       QStringLiteral("/yaq2-runtime-XXXXXX"));
        if (g_runtimeDir->isValid())
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(g_runtimeDir->path()));
    }
}

void WatchWarnings()
{
    const QtMessageHandler previous = qInstallMessageHandler(CheckMessage);
    if (previous == CheckMessage)
        return;
    if (!g_qtHandler) {
        g_qtHandler = previous;
        g_next = previous;
        return;
    }
    g_next = previous;
    g_inFrontOfLog = g_wasInFrontOfLog = true;
}

int EndOfRun(int testResult)
{
    qInstallMessageHandler(CheckMessage);
    g_next = g_qtHandler;
    g_inFrontOfLog = false;
    return testResult;
}

int ExitCode(int testResult)
{
    g_runtimeDir.reset();
    QMutexLocker locker(&g_outsideMutex);
    for (const QString &message : std::as_const(g_outside))
        std::fprintf(
            stderr,
            "FAIL!  : unexpected warning outside a test function or from another thread: %s\n",
            qPrintable(message));
    if (testResult != 0)
        return testResult;
    if (!g_wasInFrontOfLog) {
        std::fprintf(stderr, "FAIL!  : the warning check never stood in front of the test log\n");
        return 1;
    }
    return g_outside.isEmpty() ? 0 : 1;
}

} // namespace YaqTest
