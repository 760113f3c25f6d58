#pragma once
// Waiting in a test for what the program does, and ending what a test
// started on every path out of it.
//
// A test waits for the outcome itself; the bound of a wait only ends a
// hang. It lies far beyond a sanitizer build's run on a machine loaded to
// several times its cores, and below Qt's bound of a test row
// (support/TestMain.cpp) and CTest's of a test program (tests/CMakeLists.txt),
// so that a hang fails its row and the program goes on to the next. How
// fast something is belongs in the benchmarks.
//
// A row that expects nothing to happen (a key that presses no button, a
// click that opens nothing) has no outcome to wait for: it lets the events
// run for a short settle time and then checks (YAQ_SETTLED_VERIFY), so that
// a broken rule fails in a moment instead of after the hang bound.

#include <QProcess>
#include <QtTest>

#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

#include <atomic>
#include <functional>
#include <thread>
#include <utility>
#include <vector>

namespace YaqTest {

// Milliseconds after which a wait for something that is bound to come is
// a hang.
constexpr int kHangMs = 300000;

// Milliseconds the events run after something that must cause nothing
// before a test checks that nothing came. What it could wrongly cause (a
// posted event, a zero timer, a button let go a moment later) comes within
// them; on a machine so loaded that it comes later, the row passes without
// having seen it, it never fails where the program is right.
constexpr int kSettleMs = 500;

// Runs the events for kSettleMs or until holds() no longer does.
inline void Settle(const std::function<bool()> &holds)
{
    (void)QTest::qWaitFor([&holds]() { return !holds(); }, kSettleMs);
}

// Threads of a test, ended on every way out of the scope (a failed check
// returns from the test function): a joinable std::thread left behind ends
// the whole program. On the way out the threads are told to stop, and the
// events run while they finish, for what they wait for may be served by
// this thread (a listener of the test).
class ThreadJoiner
{
public:
    // stop: tells the threads to stop; each ends once it has seen it.
    explicit ThreadJoiner(std::function<void()> stop = {}) : m_stop(std::move(stop)) {}
    ThreadJoiner(const ThreadJoiner &) = delete;
    ThreadJoiner &operator=(const ThreadJoiner &) = delete;
    ~ThreadJoiner()
    {
        if (m_stop)
            m_stop();
        (void)waitFinished();
        for (std::thread &thread : m_threads)
            thread.join();
    }

    template <class F> void start(F function)
    {
        m_threads.emplace_back([this, function = std::move(function)]() mutable {
            function();
            ++m_finished;
        });
    }
    // Runs the events until every thread has finished; false when that is
    // a hang.
    bool waitFinished()
    {
        return QTest::qWaitFor([this]() { return m_finished == int(m_threads.size()); }, kHangMs);
    }

private:
    std::function<void()> m_stop;
    std::vector<std::thread> m_threads;
    std::atomic<int> m_finished{0};
};

// Makes the system kill the child process as soon as the test program
// ends, whichever way: also when Qt's watchdog or a crash aborts it and no
// destructor runs. Call it before QProcess::start(), from the thread that
// stays until the test ends (the system looks at the thread that started
// the child).
inline void EndWithTest(QProcess &process)
{
    const pid_t test = getpid();
    process.setChildProcessModifier([test]() {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        // The test ended between the start and the line above.
        if (getppid() != test)
            _exit(127);
    });
}

// A child process of a test, killed and waited for on every way out of
// the scope unless it has ended, and killed by the system when the test
// program ends (EndWithTest). Constructed before QProcess::start().
class ProcessReaper
{
public:
    explicit ProcessReaper(QProcess &process) : m_process(process) { EndWithTest(process); }
    ProcessReaper(const ProcessReaper &) = delete;
    ProcessReaper &operator=(const ProcessReaper &) = delete;
    ~ProcessReaper()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(kHangMs);
        }
    }

private:
    QProcess &m_process;
};

} // namespace YaqTest

// QTRY_VERIFY and QTRY_COMPARE with the hang bound, without their second
// wait of twice the bound after a failure: the expression is checked again
// as the events run until it holds or the bound is up, then once more by
// QVERIFY or QCOMPARE, which report it.
#define YAQ_TRY_VERIFY(expr)                                                                       \
    do {                                                                                           \
        (void)QTest::qWaitFor([&]() { return bool(expr); }, YaqTest::kHangMs);                     \
        QVERIFY(expr);                                                                             \
    } while (false)

#define YAQ_TRY_COMPARE(actual, expected)                                                          \
    do {                                                                                           \
        (void)QTest::qWaitFor([&]() { return (actual) == (expected); }, YaqTest::kHangMs);         \
        QCOMPARE(actual, expected);                                                                \
    } while (false)

// The check of a row that expects nothing to happen: the events run for
// the settle time (YaqTest::kSettleMs), or until the expression no longer
// holds, then QVERIFY or QCOMPARE reports it.
#define YAQ_SETTLED_VERIFY(expr)                                                                   \
    do {                                                                                           \
        YaqTest::Settle([&]() { return bool(expr); });                                             \
        QVERIFY(expr);                                                                             \
    } while (false)

#define YAQ_SETTLED_COMPARE(actual, expected)                                                      \
    do {                                                                                           \
        YaqTest::Settle([&]() { return (actual) == (expected); });                                 \
        QCOMPARE(actual, expected);                                                                \
    } while (false)
