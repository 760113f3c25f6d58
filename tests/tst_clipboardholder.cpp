// The caller's answer outlives the program: on an X display of the test's
// own, without a clipboard manager, the program itself answers as a caller
// starts it, ends, and another program then reads the clipboard. What it
// reads is byte for byte the answer of the same run inside this process;
// the holder that serves it ends when another program takes the clipboard
// or when its hold time is over.

#include "app/Yaq2App.h"
#include "basket/model/BasketListDocument.h"
#include "platform/OrmelText.h"
#include "platform/Profile.h"
#include "support/TestEnv.h"
#include "support/Waits.h"

#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QMimeData>
#include <QProcess>
#include <QtTest>

#include <unistd.h>

namespace {

struct ClipRead
{
    int exitCode = -1;
    QByteArray bytes;
};

} // namespace

class TestClipboardHolder : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void answerReadAfterTheProgramEnded_data();
    void answerReadAfterTheProgramEnded();
    void answerKeptOrFailureTold_data();
    void answerKeptOrFailureTold();

private:
    QProcessEnvironment displayEnvironment() const;
    ClipRead client(const QStringList &args) const;
    QList<qint64> holders() const;
    bool waitForNoHolder() const;

    QProcess m_xvfb;
    QString m_display;
    std::unique_ptr<TestEnv> m_env;
};

void TestClipboardHolder::initTestCase()
{
    // The server picks a free display and names it on standard output. It
    // ends with the test, also where the test is aborted.
    YaqTest::EndWithTest(m_xvfb);
    m_xvfb.start(QStringLiteral("Xvfb"),
                 {"-displayfd", "1", "-screen", "0", "640x480x24", "-nolisten", "tcp"});
    if (!m_xvfb.waitForStarted(YaqTest::kHangMs))
        QSKIP("Xvfb is not installed (scripts/install-deps.sh installs it)");
    QElapsedTimer waited;
    waited.start();
    while (!m_xvfb.canReadLine() && waited.elapsed() < YaqTest::kHangMs &&
           m_xvfb.state() == QProcess::Running)
        m_xvfb.waitForReadyRead(1000);
    const QByteArray number = m_xvfb.readLine().trimmed();
    QVERIFY2(!number.isEmpty(), m_xvfb.readAllStandardError().constData());
    m_display = QLatin1Char(':') + QString::fromLatin1(number);
}

void TestClipboardHolder::cleanupTestCase()
{
    if (m_xvfb.state() != QProcess::NotRunning) {
        m_xvfb.terminate();
        if (!m_xvfb.waitForFinished(YaqTest::kHangMs))
            m_xvfb.kill();
        m_xvfb.waitForFinished(YaqTest::kHangMs);
    }
}

void TestClipboardHolder::init()
{
    m_env = std::make_unique<TestEnv>();
    m_env->installDemoWithDealerProfile();
    m_env->answerBoxes(IDOK);
    QGuiApplication::clipboard()->clear();
}

void TestClipboardHolder::cleanup()
{
    // No holder is left for the next case.
    client({"set", "end"});
    QVERIFY(waitForNoHolder());
    m_env.reset();
}

// The program and the other clients on the test's display, with the
// profile of this process.
QProcessEnvironment TestClipboardHolder::displayEnvironment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), m_display);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                       m_env->path() + QStringLiteral("/profile"));
    return environment;
}

ClipRead TestClipboardHolder::client(const QStringList &args) const
{
    QProcess process;
    process.setProcessEnvironment(displayEnvironment());
    const YaqTest::ProcessReaper reaper(process);
    process.start(QStringLiteral(YAQ_CLIPCLIENT), args);
    ClipRead read;
    if (process.waitForFinished(YaqTest::kHangMs) && process.exitStatus() == QProcess::NormalExit)
        read.exitCode = process.exitCode();
    read.bytes = process.readAllStandardOutput();
    return read;
}

// The holders serving the test's display.
QList<qint64> TestClipboardHolder::holders() const
{
    QList<qint64> found;
    const QByteArray display = "DISPLAY=" + m_display.toLatin1();
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString &entry : entries) {
        bool isProcess = false;
        const qint64 pid = entry.toLongLong(&isProcess);
        if (!isProcess)
            continue;
        QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(pid));
        QFile environ(QStringLiteral("/proc/%1/environ").arg(pid));
        if (!cmdline.open(QIODevice::ReadOnly) || !environ.open(QIODevice::ReadOnly))
            continue;
        const QList<QByteArray> args = cmdline.readAll().split('\0');
        const QList<QByteArray> variables = environ.readAll().split('\0');
        if (args.value(1) == "--hold-clipboard" && variables.contains(display))
            found << pid;
    }
    return found;
}

bool TestClipboardHolder::waitForNoHolder() const
{
    QElapsedTimer waited;
    waited.start();
    while (!holders().isEmpty()) {
        if (waited.elapsed() > YaqTest::kHangMs)
            return false;
        QTest::qWait(100);
    }
    return true;
}

void TestClipboardHolder::answerReadAfterTheProgramEnded_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("withText"); // the answer is offered as plain text too
    // Set in the profile (0: as it comes), long enough for the reads of a
    // busy machine to come first.
    QTest::addColumn<int>("holdSeconds");
    // The program's temporary folder is a file, where no file can be made:
    // the answer goes to the holder without one, so none is left behind
    // either, however the program ends.
    QTest::addColumn<bool>("noTempFolder");
    const QString vin = QStringLiteral("XVQ1F23A57M012345");
    // clang-format off
    QTest::newRow("package request, until another program takes the clipboard") << QStringList{vin, "-m", "qvlawtosrp", "-a", "1110010;9999999"} << true  << 0  << false;
    QTest::newRow("package request answered with an error code")                 << QStringList{"M01234567X", "-m", "qvlawtosrp", "-a", "1110010"}  << true  << 0  << false;
    QTest::newRow("Basket-List of the labour-position query, its format alone")  << QStringList{vin, "-m", "qvlaposquery", "-a", "1110020"}          << false << 0  << false;
    QTest::newRow("package request, until the hold time is over")                << QStringList{vin, "-m", "qvlawtosrp", "-a", "1110010"}           << true  << 10 << false;
    QTest::newRow("package request, handed over without a file")                 << QStringList{vin, "-m", "qvlawtosrp", "-a", "1110010"}           << true  << 0  << true;
    // clang-format on
}

void TestClipboardHolder::answerReadAfterTheProgramEnded()
{
    QFETCH(QStringList, args);
    QFETCH(bool, withText);
    QFETCH(int, holdSeconds);
    if (holdSeconds) {
        CProfile profile(QStringLiteral("yaq2"));
        profile.WriteProfileInt(QStringLiteral("YAQ"), QStringLiteral("ClipboardHoldSeconds"),
                                holdSeconds);
        QVERIFY(profile.Sync());
    }
    // The answer of the same run inside this process.
    {
        CYaq2App app(args);
        app.InitInstance();
        app.ExitInstance();
    }
    const QMimeData *own = QGuiApplication::clipboard()->mimeData();
    QVERIFY(own && own->hasFormat(kBasketListFormat));
    const QByteArray expected = own->data(kBasketListFormat);
    QVERIFY(utf16BlockText(expected).size() > 7);

    QProcess program;
    QProcessEnvironment environment = displayEnvironment();
    QFETCH(bool, noTempFolder);
    if (noTempFolder) {
        const QString notAFolder = m_env->path() + QStringLiteral("/tmp");
        QVERIFY(writeTextFile(notAFolder, "x"));
        environment.insert(QStringLiteral("TMPDIR"), notAFolder);
    }
    program.setProcessEnvironment(environment);
    const YaqTest::ProcessReaper reaper(program);
    QElapsedTimer sinceStart;
    sinceStart.start();
    program.start(QStringLiteral(YAQ_PROGRAM), args);
    QVERIFY(program.waitForFinished(YaqTest::kHangMs));
    QVERIFY2(program.exitStatus() == QProcess::NormalExit && program.exitCode() == 0,
             program.readAllStandardError().constData());

    const ClipRead block = client({"get", kBasketListFormat});
    const ClipRead text = client({"get", "text/plain"});
    const qsizetype holding = holders().size();
    // With a hold time, what was read counts only when the reads were done
    // before it was over: a busy machine may take longer than the hold.
    if (!holdSeconds || sinceStart.elapsed() < holdSeconds * 1000) {
        QCOMPARE(block.exitCode, 0);
        QCOMPARE(block.bytes, expected);
        QCOMPARE(text.exitCode, withText ? 0 : 1);
        if (withText)
            QCOMPARE(QString::fromUtf8(text.bytes), utf16BlockText(expected));
        QCOMPARE(holding, 1);
    }
    if (holdSeconds) {
        QVERIFY(waitForNoHolder());
        QCOMPARE(client({"get", kBasketListFormat}).exitCode, 1);
    } else {
        QCOMPARE(client({"set", "Eine andere Kopie"}).exitCode, 0);
        QVERIFY(waitForNoHolder());
    }
}

// A caller mode ends with status 0 only when the caller can read its
// answer after the end: a desktop session that asks for Wayland, or a
// platform Qt cannot start, gets X11 from the program (its X server is
// reachable), so the holder keeps the answer; a platform the starter named
// that keeps nothing after the end gives the failure status and the reason
// on standard error, naming what named it. The labour-position query with a
// window hands its basket over at once.
//
// Where Qt looks for X11's platform decides too: a qt.conf beside the
// program naming plugins without it, and QT_QPA_PLATFORM_PLUGIN_PATH, whose
// folder Qt reads itself (not a "platforms" in it). Where X11's platform is
// not there, the reason names it and the display it was wanted for. A run
// that does what it was asked writes nothing to standard error, also
// without XDG_RUNTIME_DIR.
void TestClipboardHolder::answerKeptOrFailureTold_data()
{
    QTest::addColumn<QString>("platform"); // QT_QPA_PLATFORM
    QTest::addColumn<QStringList>("args");
    // Where X11's platform plugin lies: "" where Qt has it; "none": a
    // qt.conf beside the program names plugins without it ("no plugins":
    // an empty folder); "dir" and "dir/platforms": there as well, in
    // QT_QPA_PLATFORM_PLUGIN_PATH.
    QTest::addColumn<QString>("x11Plugin");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("told"); // on standard error
    const QStringList request{"XVQ1F23A57M012345", "-m", "qvlawtosrp", "-a", "1110010"};
    const QStringList query{"XVQ1F23A57M012345", "-m", "qvlaposquery", "-a", "6411020"};
    const QString notKept =
        QStringLiteral("nicht in der Zwischenablage:\nDie Qt-Plattform \"%1\" (%2)");
    const QString x11Missing =
        QStringLiteral(
            "Die Qt-Plattform \"xcb\" (DISPLAY \"%1\") ist nicht installiert (gesucht in: ")
            .arg(m_display);
    const QString noWindow =
        QStringLiteral("Das Programm kann sein Fenster nicht zeigen und wird beendet:\n");
    // clang-format off
    QTest::newRow("Wayland session: X11 taken, answer kept")  << "wayland"   << request << "" << 0 << "";
    QTest::newRow("offscreen named: failure told")            << "offscreen" << request << "" << 1 << notKept.arg("offscreen", "QT_QPA_PLATFORM");
    QTest::newRow("offscreen argument: failure told so")      << "wayland"   << request + QStringList{"-platform", "offscreen"} << "" << 1 << notKept.arg("offscreen", "-platform");
    QTest::newRow("unknown platform: X11 taken, answer kept") << "nonsense"  << request << "" << 0 << "";
    QTest::newRow("window, Wayland session: answer kept")     << "wayland"   << query   << "" << 0 << "";
    QTest::newRow("window, offscreen named: failure told")    << "offscreen" << query   << "" << 1 << QString("Die Qt-Plattform \"offscreen\" (QT_QPA_PLATFORM) zeigt kein Fenster.");
    QTest::newRow("qt.conf without X11: failure told")        << "xcb"       << request << "none" << 1 << "nicht in der Zwischenablage:\n" + x11Missing;
    QTest::newRow("window, qt.conf without X11: ends")        << "xcb"       << query   << "none" << 1 << noWindow + x11Missing;
    QTest::newRow("X11 in the plugin folder's platforms")     << "xcb"       << request << "dir/platforms" << 1 << x11Missing;
    QTest::newRow("X11 in the plugin folder: answer kept")    << "xcb"       << request << "dir" << 0 << "";
    QTest::newRow("settings mode, qt.conf without plugins")   << "xcb"       << QStringList{"-m", "qvlsettings", "-s", "Sound", "-w", "0"} << "no plugins" << 1 << "Das Programm kann ohne eine Qt-Plattform nicht laufen und wird beendet:\n" + x11Missing;
    // clang-format on
}

void TestClipboardHolder::answerKeptOrFailureTold()
{
    QFETCH(QString, platform);
    QFETCH(QStringList, args);
    QFETCH(QString, x11Plugin);
    QProcessEnvironment environment = displayEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    // No Wayland display, whatever the machine runs.
    environment.insert(QStringLiteral("WAYLAND_DISPLAY"), m_env->path() + QStringLiteral("/none"));
    QString program = QStringLiteral(YAQ_PROGRAM);
    if (!x11Plugin.isEmpty()) {
        // The program (a link to it: Qt takes the folder of the file) with
        // the demo data and a qt.conf naming Qt's plugins without X11's
        // platform.
        const QString qtPlugins = QLibraryInfo::path(QLibraryInfo::PluginsPath);
        const QString qtPlatforms = qtPlugins + QStringLiteral("/platforms/");
        const QString own = m_env->path() + QStringLiteral("/own/");
        const QString plugins = m_env->path() + QStringLiteral("/plugins/");
        QVERIFY(QDir().mkpath(own) && QDir().mkpath(plugins + QStringLiteral("platforms")));
        const bool none = x11Plugin == QLatin1String("no plugins");
        for (const QString &kind : QDir(qtPlugins).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            if (kind != QLatin1String("platforms") && !none)
                QVERIFY(QFile::link(qtPlugins + QLatin1Char('/') + kind, plugins + kind));
        }
        for (const QString &file : QDir(qtPlatforms).entryList(QDir::Files)) {
            if (file != QLatin1String("libqxcb.so") && !none)
                QVERIFY(
                    QFile::link(qtPlatforms + file, plugins + QStringLiteral("platforms/") + file));
        }
        const QString built = QStringLiteral(YAQ_PROGRAM);
        program = own + QFileInfo(built).fileName();
        QVERIFY(::link(QFile::encodeName(built).constData(),
                       QFile::encodeName(program).constData()) == 0 ||
                QFile::copy(built, program));
        QVERIFY(QFile::link(QFileInfo(built).path() + QStringLiteral("/Datas"),
                            own + QStringLiteral("Datas")));
        QVERIFY(writeTextFile(own + QStringLiteral("qt.conf"),
                              "[Paths]\nPlugins=" + plugins.toUtf8() + '\n'));
        if (x11Plugin.startsWith(QLatin1String("dir"))) {
            const QString folder = m_env->path() + QStringLiteral("/x11");
            const QString in = folder + x11Plugin.mid(3) + QLatin1Char('/');
            QVERIFY(QDir().mkpath(in));
            QVERIFY(QFile::link(qtPlatforms + QStringLiteral("libqxcb.so"),
                                in + QStringLiteral("libqxcb.so")));
            environment.insert(QStringLiteral("QT_QPA_PLATFORM_PLUGIN_PATH"), folder);
        }
    }
    QProcess process;
    process.setProcessEnvironment(environment);
    const YaqTest::ProcessReaper reaper(process);
    process.start(program, args);
    QVERIFY(process.waitForFinished(YaqTest::kHangMs));
    const QString errors = QString::fromLocal8Bit(process.readAllStandardError());
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QTEST(process.exitCode(), "exitCode");
    QFETCH(QString, told);
    QVERIFY2(told.isEmpty() ? errors.isEmpty() : errors.contains(told), qPrintable(errors));
    const ClipRead read = client({"get", kBasketListFormat});
    QCOMPARE(read.exitCode, process.exitCode() == 0 ? 0 : 1);
    if (read.exitCode == 0)
        QVERIFY(utf16BlockText(read.bytes).startsWith(QLatin1String("<Basket-List>")));
}

YAQ_TEST_MAIN(TestClipboardHolder)
#include "tst_clipboardholder.moc"
