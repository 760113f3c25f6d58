#pragma once
// The main function of every test program: YAQ_TEST_MAIN(TestClass) for
// tests that need widgets, YAQ_TEST_GUILESS_MAIN(TestClass) for the others.
//
// Both make every Qt warning fail the test function that is running, except
// the offscreen platform's notes on what it cannot do ("This plugin does not
// support ...") and the messages a test expects (QTest::ignoreMessage). A
// warning outside the test functions (while the application or the test
// object is built or destroyed, or from another thread) is listed at the end
// and makes the program's exit code non-zero.

#include <QtTest>

namespace YaqTest {

// Before the application: the warning check, Qt's bound of a test row, and
// a private runtime folder when the environment names none (Qt warns
// without one).
void StartProgram();
// Puts the warning check in front of whoever handles messages now. The test
// log of QTest::qExec replaces every handler when it starts; the check takes
// its place in front of it again the next time it is called.
void WatchWarnings();
// After QTest::qExec: the check stands alone again. Returns the run's result.
int EndOfRun(int testResult);
// The program's exit code: the run's result, else 1 when a warning came
// outside the test functions or the check never stood in front of the log.
int ExitCode(int testResult);

// The test object as QTest sees it. QTest asks it for its meta-object once
// its log has started (to find the test functions): that call puts the
// warning check in front of the log.
template <class T> class Watched : public T
{
public:
    const QMetaObject *metaObject() const override
    {
        WatchWarnings();
        return T::metaObject();
    }
};

} // namespace YaqTest

#define YAQ_TEST_MAIN_WRAPPER(TestObject, ...)                                                     \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        YaqTest::StartProgram();                                                                   \
        int result = 0;                                                                            \
        {                                                                                          \
            QT_PREPEND_NAMESPACE(QTest::Internal::callInitMain)<TestObject>();                     \
            __VA_ARGS__                                                                            \
            YaqTest::Watched<TestObject> tc;                                                       \
            QTEST_SET_MAIN_SOURCE_PATH                                                             \
            result = YaqTest::EndOfRun(QTest::qExec(&tc, argc, argv));                             \
        }                                                                                          \
        return YaqTest::ExitCode(result);                                                          \
    }

// Tests that show widgets (a QApplication).
#define YAQ_TEST_MAIN(TestObject) YAQ_TEST_MAIN_WRAPPER(TestObject, QTEST_MAIN_SETUP())
// Tests without any window (a QCoreApplication).
#define YAQ_TEST_GUILESS_MAIN(TestObject)                                                          \
    YAQ_TEST_MAIN_WRAPPER(TestObject, QTEST_QAPP_SETUP(QCoreApplication))
