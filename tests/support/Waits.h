#pragma once
// Waiting in a test for what the program does, and ending what a test
// started on every path out of it.
//
// A test waits for the outcome itself; the bound of a wait only ends a
// hang. It lies far beyond a sanitizer build's run on a machine loaded to
// several times its cores, and below Qt's bound of a test function and
// CTest's of a test program (both set in tests/CMakeLists.txt), so that a
// hang fails its row and the program goes on to the next. How fast
// something is belongs in the benchmarks.

#include <QProcess>
#include <QtTest>

#include <atomic>
#include <functional>
#include <thread>
#include <utility>
#include <vector>

namespace YaqTest {

// Milliseconds after which a wait for something that is bound to come is
// a hang.
constexpr int kHangMs = 300000;

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

// A child process of a test, killed and waited for on every way out of
// the scope unless it has ended.
class ProcessReaper
{
public:
    explicit ProcessReaper(QProcess &process) : m_process(process) {}
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
