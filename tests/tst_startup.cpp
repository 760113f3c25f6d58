// The start-up and shut-down sequence of the application object: what the
// command line sets, and that caller modes and the training edition leave
// the stored profile as the user had it.

#include "app/Yaq2App.h"
#include "platform/OrmelText.h"
#include "platform/Profile.h"
#include "platform/WholeFile.h"
#include "support/OutOfRoom.h"
#include "support/TestEnv.h"
#include "support/Waits.h"

#include <QLockFile>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct RunResult
{
    bool windowShown = false;
    int receiveDuringRun = -1;
    int sendDuringRun = -1;
    QString reqFolderDuringRun;
    QString dealerFolderDuringRun;
    QString schemaDuringRun;
    QString namespaceDuringRun;
    CMainWndArgs args;
    CPrgSettings settings;
    int exitCode = -1;
};

// Runs the whole program life once with the arguments; the main window is
// replaced by a probe that records what it would have seen.
RunResult runProgram(const QStringList &arguments)
{
    RunResult result;
    CYaq2App app(arguments);
    app.SetMainWindowRunner([&result](CYaq2App &a, const CMainWndArgs &args) {
        result.windowShown = true;
        result.args = args;
        result.receiveDuringRun = a.Settings().SRPInterfaceReceive;
        result.sendDuringRun = a.Settings().SRPInterfaceSend;
        result.reqFolderDuringRun = a.Settings().ReqDateiVerz;
        result.dealerFolderDuringRun = a.Settings().DealerDataStorage;
        result.schemaDuringRun = a.Settings().SchemaVersion;
        result.namespaceDuringRun = a.Settings().NamespaceAttributes;
    });
    app.InitInstance();
    result.exitCode = app.ExitInstance();
    result.settings = app.Settings();
    return result;
}

QString profileText()
{
    CProfile profile(QStringLiteral("yaq2"));
    return readTextFile(profile.FileName());
}

void writeVersion(const QString &prog, const QByteArray &content)
{
    QVERIFY(writeTextFile(prog + QStringLiteral("Datas/Version.ini"), content));
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void plainParameters();
    void commandLineLanguage_data();
    void commandLineLanguage();
    void callerModeArguments_data();
    void callerModeArguments();
    void callerModeKeepsStoredReceiveMode();
    void trainingRunKeepsStoredProfile_data();
    void trainingRunKeepsStoredProfile();
    void settingsModeWritesOneExistingValue_data();
    void settingsModeWritesOneExistingValue();
    void settingsRunsAtOnceKeepEachOthersValue();
    void noVersionFileShowsNoWindow();
    void unreadableVersionFileIsReported_data();
    void unreadableVersionFileIsReported();
    void sessionFileIgnoresConnectionSwitches();
    void dealerFileWrittenAtExit_data();
    void dealerFileWrittenAtExit();
    void profileKeptWhenItCannotBeWritten_data();
    void profileKeptWhenItCannotBeWritten();
    void modelMappingInTextLanguage_data();
    void modelMappingInTextLanguage();
    void listenerTakesTheSetAddress_data();
    void listenerTakesTheSetAddress();
    void messageOfAWindowlessRunGoesToStandardError_data();
    void messageOfAWindowlessRunGoesToStandardError();
    void unreadableVersionFileChangesNoSetting();
    void heldProfileLockIsWaitedForOnce_data();
    void heldProfileLockIsWaitedForOnce();
    void windowlessRunWithoutADisplay_data();
    void windowlessRunWithoutADisplay();
    void unusableRuntimeFolderIsNoNotice_data();
    void unusableRuntimeFolderIsNoNotice();

private:
    std::unique_ptr<TestEnv> m_env;
    QString m_prog;
};

void TestStartup::init()
{
    m_env = std::make_unique<TestEnv>();
    m_prog = m_env->installDemoWithDealerProfile();
    // A box no case expects (the listener's usual port taken by another
    // program on the machine) is answered, not waited for.
    m_env->answerBoxes(IDOK);
}

void TestStartup::plainParameters()
{
    const RunResult r =
        runProgram({"xvq1f23a57m012345", "07", "SRP", "-k", "12345", "-f", "2015-03-07"});
    QVERIFY(r.windowShown);
    QCOMPARE(r.settings.Fgstnr, QStringLiteral("XVQ1F23A57M012345"));
    QCOMPARE(GetPrgSprache(), QStringLiteral("07"));
    QCOMPARE(r.settings.StartPage, QStringLiteral("SRP"));
    QCOMPARE(r.settings.Kilometer, QStringLiteral("12345"));
    QCOMPARE(r.settings.Erstzulassung, QStringLiteral("07.03.2015"));
    QCOMPARE(r.settings.PrgTitel, QStringLiteral("Y A Q 2 "));
    QCOMPARE(r.settings.Heute, QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
    QCOMPARE(r.settings.Firma, QStringLiteral("Autohaus Muster GmbH"));
    QCOMPARE(r.schemaDuringRun, QStringLiteral("01.00.05"));
    QVERIFY(r.namespaceDuringRun.endsWith(QLatin1String("version=\"01.00.05\">")));
}

void TestStartup::commandLineLanguage_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("language");
    QTest::addColumn<int>("indonesian");
    QTest::addColumn<QString>("vin");
    // clang-format off
    QTest::newRow("Indonesian runs in English")       << QStringList{"E000001", "15"} << "01" << 1 << "E000001";
    QTest::newRow("Taiwanese runs in Chinese")        << QStringList{"E000001", "12"} << "13" << 0 << "E000001";
    QTest::newRow("unknown language ignored")         << QStringList{"E000001", "99"} << "00" << 0 << "E000001";
    QTest::newRow("three-character language ignored") << QStringList{"-l", "007"}     << "00" << 0 << "";
    QTest::newRow("VIN of wrong length ignored")      << QStringList{"E00001", "01"}  << "01" << 0 << "";
    // clang-format on
}

void TestStartup::commandLineLanguage()
{
    QFETCH(QStringList, args);
    const RunResult r = runProgram(args);
    QTEST(GetPrgSprache(), "language");
    QTEST(r.settings.bIndonesisch, "indonesian");
    QTEST(r.settings.Fgstnr, "vin");
}

void TestStartup::callerModeArguments_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("x");
    QTest::addColumn<QString>("paketNr");
    QTest::addColumn<QString>("apNr");
    QTest::addColumn<QString>("list");
    // clang-format off
    QTest::newRow("qvl takes the position")       << QStringList{"-m", "qvl", "-x", "10", "-y", "20"}     << 10 << ""              << ""        << "";
    QTest::newRow("position only in qvl")         << QStringList{"-m", "qvledit", "-x", "10"}             << -1 << ""              << ""        << "";
    QTest::newRow("package number of 13")         << QStringList{"-m", "qvledit", "-p", "1234567890123"}  << -1 << "1234567890123" << ""        << "";
    QTest::newRow("package number of 12 dropped") << QStringList{"-m", "qvledit", "-p", "123456789012"}   << -1 << ""              << ""        << "";
    QTest::newRow("AP number of 7")               << QStringList{"-m", "qvlaposquery", "-a", "1234567"}   << -1 << ""              << "1234567" << "";
    QTest::newRow("AP number of 8 dropped")       << QStringList{"-m", "qvlapossearch", "-a", "12345678"} << -1 << ""              << ""        << "";
    QTest::newRow("list as given")                << QStringList{"-m", "qvlawtosrp", "-a", "1;22;333"}    << -1 << ""              << ""        << "1;22;333";
    QTest::newRow("mileage left last: window")    << QStringList{"XVQ1F23A57M012345", "-k"}               << -1 << ""              << ""        << "";
    QTest::newRow("position left last in qvl")    << QStringList{"-m", "qvl", "-x", "10", "-y"}          << 10 << ""              << ""        << "";
    // clang-format on
}

void TestStartup::callerModeArguments()
{
    QFETCH(QStringList, args);
    const RunResult r = runProgram(args);
    QVERIFY(r.windowShown);
    QTEST(r.args.x, "x");
    QTEST(r.args.paketNr, "paketNr");
    QTEST(r.args.apNr, "apNr");
    QTEST(r.args.awToSrpList, "list");
}

void TestStartup::callerModeKeepsStoredReceiveMode()
{
    {
        CProfile profile(QStringLiteral("yaq2"));
        profile.WriteProfileInt(QStringLiteral("YAQ"), QStringLiteral("SRPInterfaceReceive"), 4);
    }
    runProgram({});
    const QString before = profileText();
    const RunResult r = runProgram({"-m", "qvlawtosrp", "-a", "1;2"});
    QCOMPARE(r.receiveDuringRun, 0);
    QCOMPARE(profileText(), before);
    CProfile profile(QStringLiteral("yaq2"));
    QCOMPARE(
        profile.GetProfileInt(QStringLiteral("YAQ"), QStringLiteral("SRPInterfaceReceive"), -1), 4);
}

void TestStartup::trainingRunKeepsStoredProfile_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("plain training run") << QStringList{};
    QTest::newRow("training run in a caller mode") << QStringList{"-m", "qvl"};
}

void TestStartup::trainingRunKeepsStoredProfile()
{
    QFETCH(QStringList, args);
    {
        CProfile profile(QStringLiteral("yaq2"));
        profile.WriteProfileInt(QStringLiteral("YAQ"), QStringLiteral("SRPInterfaceSend"), 4);
        profile.WriteProfileInt(QStringLiteral("YAQ"), QStringLiteral("SRPInterfaceReceive"), 0);
        profile.WriteProfileString(QStringLiteral("YAQ"), QStringLiteral("ReqDateiVerz"),
                                   QStringLiteral("/srv/req"));
    }
    runProgram({});
    const QString before = profileText();

    writeVersion(m_prog, "[VERSIONSINFO]\nSchulung=1\nEZ=01.06.2019\n");
    QDir().mkpath(m_prog + QStringLiteral("SRP_T_DATAS"));
    const RunResult r = runProgram(args);
    QVERIFY(r.windowShown);
    QCOMPARE(r.receiveDuringRun, 4);
    QCOMPARE(r.sendDuringRun, 3);
    QCOMPARE(r.reqFolderDuringRun, m_prog + QStringLiteral("SRP_T_DATAS"));
    QCOMPARE(r.dealerFolderDuringRun, m_prog + QStringLiteral("SRP_T_DATAS"));
    QCOMPARE(r.settings.KatDatum, QStringLiteral("SRP Training"));
    QCOMPARE(profileText(), before);
    // The dealer file of the training run went into the training folder.
    QVERIFY(QFile::exists(m_prog + QStringLiteral("SRP_T_DATAS/YAQTrader.ini")));
}

// The caller of the settings mode learns from the status whether the
// setting was written, and why not from standard error. The value written
// is the caller's as given; a "-w" without one, or a "-s" followed by "-w",
// changes nothing.
void TestStartup::settingsModeWritesOneExistingValue_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("value"); // the parameters after the key
    QTest::addColumn<bool>("unwritable");   // the profile cannot be written
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("told");   // parts of standard error, "|" between
    QTest::addColumn<bool>("untouched"); // the profile stays byte for byte
    const QString noValue = QStringLiteral(
        "Die Einstellung %1 wurde nicht geändert:\nSie hat im Profil noch keinen Wert.");
    // clang-format off
    QTest::newRow("existing integer")         << "Sound"             << QStringList{"-w", "0"}              << false << "0"       << 0 << ""                   << false;
    QTest::newRow("empty server stays empty") << "ReqXMLServer"      << QStringList{"-w", "http://dms/yaq"} << false << ""        << 1 << noValue.arg("ReqXMLServer") << false;
    QTest::newRow("unknown key not created")  << "Unbekannt"         << QStringList{"-w", "1"}              << false << "<none>"  << 1 << noValue.arg("Unbekannt") << false;
    QTest::newRow("value not a number")       << "Sound"             << QStringList{"-w", "aus"}            << false << "1"       << 1 << "Die Einstellung Sound wurde nicht geändert:\n\"aus\" ist keine ganze Zahl." << false;
    QTest::newRow("profile not written")      << "Sound"             << QStringList{"-w", "0"}              << true  << "1"       << 1 << "konnte nicht geschrieben werden|No space left on device" << true;
    QTest::newRow("dealer folder as given")   << "DealerDataStorage" << QStringList{"-w", "/dealer"}        << false << "/dealer" << 0 << ""                   << false;
    QTest::newRow("negative number as given") << "Sound"             << QStringList{"-w", "-1"}             << false << "-1"      << 0 << ""                   << false;
    QTest::newRow("no value after -w")        << "Sound"             << QStringList{"-w"}                   << false << "1"       << 1 << "Nach dem Schalter -w fehlt sein Wert.\nDas Programm ändert nichts und wird beendet." << true;
    QTest::newRow("no name before -w")        << "-w"                << QStringList{"0"}                    << false << "<none>"  << 1 << "Nach dem Schalter -s fehlt sein Wert.\nDas Programm ändert nichts und wird beendet." << true;
    // clang-format on
}

void TestStartup::settingsModeWritesOneExistingValue()
{
    QFETCH(QString, key);
    QFETCH(QStringList, value);
    QFETCH(bool, unwritable);
    const QString path = CProfile(QStringLiteral("yaq2")).FileName();
    {
        CProfile profile(QStringLiteral("yaq2"));
        profile.WriteProfileInt(QStringLiteral("YAQ"), QStringLiteral("Sound"), 1);
        QVERIFY(profile.Sync());
    }
    const QString before = profileText();
    SetWholeFileFault([path, unwritable](const QString &file) {
        return unwritable && file == path ? QStringLiteral("No space left on device") : QString();
    });
    StderrCapture capture(m_env->path() + QStringLiteral("/stderr.txt"));
    const RunResult r = runProgram(QStringList{"-m", "qvlsettings", "-s", key} + value);
    SetWholeFileFault({});
    const QString errors = capture.Take();
    QVERIFY(!r.windowShown);
    QTEST(r.exitCode, "exitCode");
    QFETCH(QString, told);
    for (const QString &part : told.split(QLatin1Char('|'), Qt::SkipEmptyParts))
        QVERIFY2(errors.contains(part), qPrintable(errors));
    CProfile profile(QStringLiteral("yaq2"));
    const QString section =
        key == QLatin1String("DealerDataStorage") ? QStringLiteral("SRP") : QStringLiteral("YAQ");
    QTEST(profile.GetProfileString(section, key, QStringLiteral("<none>")), "stored");
    QTEST(profileText() == before, "untouched");
}

// Two callers change a setting each at the same moment, each through a
// program of its own: both values are in the profile afterwards.
void TestStartup::settingsRunsAtOnceKeepEachOthersValue()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                       m_env->path() + QStringLiteral("/profile"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), m_env->path() + QStringLiteral("/appdata"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    const auto start = [&](QProcess &process, const QString &key, int value) {
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(QStringLiteral(YAQ_PROGRAM),
                      {"-m", "qvlsettings", "-s", key, "-w", QString::number(value)});
    };
    // The profile as a run leaves it: the setting mode changes only values
    // that are there.
    runProgram({"-m", "qvlsettings"});
    const QString yaq = QStringLiteral("YAQ");
    for (int round = 1; round <= 20; ++round) {
        QProcess sound;
        QProcess search;
        const YaqTest::ProcessReaper soundReaper(sound);
        const YaqTest::ProcessReaper searchReaper(search);
        start(sound, QStringLiteral("Sound"), round % 2);
        start(search, QStringLiteral("iMaxSearch"), 100 + round);
        QVERIFY(sound.waitForFinished(YaqTest::kHangMs) &&
                search.waitForFinished(YaqTest::kHangMs));
        QCOMPARE(sound.exitCode(), 0);
        QCOMPARE(search.exitCode(), 0);
        const CProfile profile(QStringLiteral("yaq2"));
        QCOMPARE(profile.GetProfileInt(yaq, QStringLiteral("Sound"), -1), round % 2);
        QCOMPARE(profile.GetProfileInt(yaq, QStringLiteral("iMaxSearch"), -1), 100 + round);
    }
}

void TestStartup::noVersionFileShowsNoWindow()
{
    QFile::remove(m_prog + QStringLiteral("Datas/Version.ini"));
    m_env->answerBoxes(IDOK);
    const RunResult r = runProgram({"-n", "AW"});
    QVERIFY(!r.windowShown);
    QCOMPARE(r.exitCode, 0);
    QVERIFY(m_env->boxes().isEmpty());
    // The exit still writes the settings.
    CProfile profile(QStringLiteral("yaq2"));
    QVERIFY(profile.HasValue(QStringLiteral("YAQ"), QStringLiteral("Sound")));
}

void TestStartup::unreadableVersionFileIsReported_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason"); // the program's words for it
    // clang-format off
    QTest::newRow("a folder")           << "folder"     << "An ihrer Stelle steht ein Ordner.";
    QTest::newRow("no read permission") << "permission" << "Keine Berechtigung (";
    QTest::newRow("read error")         << "io"         << "Lesefehler (";
    // clang-format on
}

void TestStartup::unreadableVersionFileIsReported()
{
    QFETCH(QString, kind);
    // As at the start of the program, no string tables are loaded yet.
    InitOrmelText(m_env->path() + QStringLiteral("/no-texts"));
    const QString version = m_prog + QStringLiteral("Datas/Version.ini");
    QVERIFY(QFile::remove(version));
    if (kind == QLatin1String("folder")) {
        QVERIFY(QDir().mkpath(version));
    } else if (kind == QLatin1String("permission")) {
        QVERIFY(writeTextFile(version, "[VERSIONSINFO]\nSchulung=0\n"));
        QVERIFY(QFile::setPermissions(version, QFileDevice::WriteOwner));
        QFile probe(version);
        if (probe.open(QIODevice::ReadOnly))
            QSKIP("this user reads files without read permission");
    } else {
        // Reading the process's own memory from address 0 fails with an I/O error.
        QVERIFY(QFile::link(QStringLiteral("/proc/self/mem"), version));
    }
    m_env->answerBoxes(IDOK);
    const RunResult r = runProgram({"-n", "AW"});
    QVERIFY(!r.windowShown);
    QVERIFY(r.exitCode != 0);
    QCOMPARE(m_env->boxes().size(), 1);
    const QString text = m_env->boxes().first().text;
    QVERIFY2(text.contains(version), qPrintable(text));
    QVERIFY2(text.contains(QLatin1String("gelesen")), qPrintable(text));
    // The reason follows on the line after the file.
    QFETCH(QString, reason);
    QVERIFY2(text.section(QLatin1Char('\n'), 3, 3).startsWith(reason), qPrintable(text));
}

void TestStartup::sessionFileIgnoresConnectionSwitches()
{
    const QString session = m_env->path() + QStringLiteral("/start.YAQ2CFG");
    QVERIFY(writeTextFile(session,
                          "<OSSParameters>\n<SessionID>ABC</SessionID>\n"
                          "<ApplicationServer>app1 https://portal.example</ApplicationServer>\n"
                          "<Language>it-IT</Language>\n</OSSParameters>\n"));
    CYaq2App app({session, "-TNS", "db", "-CC", "DE"});
    app.SetMainWindowRunner([](CYaq2App &, const CMainWndArgs &) {});
    app.InitInstance();
    QCOMPARE(app.Settings().bSession, 1);
    QCOMPARE(app.Connection().sessionId, QStringLiteral("ABC"));
    QCOMPARE(app.Connection().appServer, QStringLiteral("app1"));
    QCOMPARE(app.Connection().appServerAddress, QStringLiteral("https://portal.example"));
    QCOMPARE(app.Connection().tns, QString());
    QCOMPARE(app.Settings().CountryCode, QString());
    QCOMPARE(GetPrgSprache(), QStringLiteral("04"));
    app.ExitInstance();
}

void TestStartup::dealerFileWrittenAtExit_data()
{
    QTest::addColumn<QString>("failure"); // the reason a full disk gives, empty: none
    // clang-format off
    QTest::newRow("written")                       << "";
    QTest::newRow("full disk: file kept, told")    << "No space left on device";
    // clang-format on
}

void TestStartup::dealerFileWrittenAtExit()
{
    QFETCH(QString, failure);
    const QString path = m_prog + QStringLiteral("Datas/Dealer/YAQTrader.ini");
    const QString before = readTextFile(path);
    m_env->answerBoxes(IDOK);
    CYaq2App app({});
    app.SetMainWindowRunner([](CYaq2App &a, const CMainWndArgs &) {
        a.Settings().Firma = QStringLiteral("Neuer Name");
    });
    app.InitInstance();
    SetWholeFileFault(
        [failure, path](const QString &file) { return file == path ? failure : QString(); });
    app.ExitInstance();
    SetWholeFileFault({});
    const QString text = readTextFile(path);
    if (!failure.isEmpty()) {
        QCOMPARE(text, before);
        QCOMPARE(m_env->boxes().size(), 1);
        const QString told = m_env->boxes().constFirst().text;
        QVERIFY2(told.contains(QDir::toNativeSeparators(path)) && told.endsWith(failure),
                 qPrintable(told));
        return;
    }
    QVERIFY(m_env->boxes().isEmpty());
    QVERIFY(text.contains(QStringLiteral("Firma=Neuer Name")));
    QVERIFY(text.contains(QStringLiteral(
        "AGB=Es gelten unsere Allgemeinen Geschäftsbedingungen.\\nAngebot gültig 30 Tage.")));
}

// A profile that cannot be written at the end keeps what the last run left
// (dealer folder, DMS addresses, interface settings), and the user hears of
// it with the file and the reason.
void TestStartup::profileKeptWhenItCannotBeWritten_data()
{
    QTest::addColumn<int>("way");
    QTest::addColumn<int>("error"); // the system's reason
    // clang-format off
    QTest::newRow("failing write (seam)")            << int(OutOfRoom::Injected)      << ENOSPC;
    QTest::newRow("file-size limit")                 << int(OutOfRoom::FileSizeLimit) << EFBIG;
    QTest::newRow("file system of the profile full") << int(OutOfRoom::FullDisk)      << ENOSPC;
    // clang-format on
}

void TestStartup::profileKeptWhenItCannotBeWritten()
{
    QFETCH(int, way);
    QFETCH(int, error);
    QString reason;
    const QString path = CProfile(QStringLiteral("yaq2")).FileName();
    const QByteArray before = readTextFile(path).toUtf8();
    QVERIFY(before.contains("DealerDataStorage="));
    OutOfRoomGuard guard;
    if (way == int(OutOfRoom::FullDisk)) {
        if (!guard.MountSmall(QFileInfo(path).path()))
            QSKIP("no file system can be mounted here; the file-size limit meets the same write");
        // The profile and something else take the whole file system.
        QVERIFY(writeTextFile(path, before));
        QVERIFY(writeTextFile(QFileInfo(path).path() + QStringLiteral("/other"), "x"));
    }
    m_env->answerBoxes(IDOK);
    {
        CYaq2App app({});
        app.SetMainWindowRunner([](CYaq2App &a, const CMainWndArgs &) {
            a.Settings().Tel = QString(9000, QLatin1Char('1'));
        });
        app.InitInstance();
        // In the language of the run.
        reason = SystemReason(error);
        if (way == int(OutOfRoom::Injected))
            SetWholeFileFault(
                [path, reason](const QString &file) { return file == path ? reason : QString(); });
        else if (way == int(OutOfRoom::FileSizeLimit))
            QVERIFY(guard.LimitFileSize(8192));
        app.ExitInstance();
    }
    guard.End();
    QCOMPARE(readTextFile(path).toUtf8(), before);
    QCOMPARE(m_env->boxes().size(), 1);
    const QString told = m_env->boxes().constFirst().text;
    QVERIFY2(told.contains(QDir::toNativeSeparators(path)) && told.contains(reason),
             qPrintable(told));
}

void TestStartup::modelMappingInTextLanguage_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("name");
    // clang-format off
    QTest::newRow("English program texts")                       << QStringList{"E000001", "01"} << "English name";
    QTest::newRow("German program texts")                        << QStringList{"E000001", "00"} << "Deutscher Name";
    QTest::newRow("language without texts falls back to German") << QStringList{"E000001", "04"} << "Deutscher Name";
    // clang-format on
}

void TestStartup::modelMappingInTextLanguage()
{
    QFETCH(QStringList, args);
    QVERIFY(writeTextFile(m_prog + QStringLiteral("ModelMapping00.txt"), "T001Deutscher Name\n"));
    QVERIFY(writeTextFile(m_prog + QStringLiteral("ModelMapping01.txt"), "T001English name\n"));
    // As at the start of the program, no string tables are loaded yet.
    InitOrmelText(m_env->path() + QStringLiteral("/no-texts"));
    CYaq2App app(args);
    app.SetMainWindowRunner([](CYaq2App &, const CMainWndArgs &) {});
    app.InitInstance();
    QString name;
    QCOMPARE(app.ModelMapping().GetModelName(name, QStringLiteral("T001")), 1);
    QTEST(name, "name");
    app.ExitInstance();
}

// The listener listens on the address the profile names, and on every
// address of the computer without one.
void TestStartup::listenerTakesTheSetAddress_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("reachedOnFirst");  // 127.0.0.1
    QTest::addColumn<bool>("reachedOnSecond"); // 127.0.0.2
    QTest::addColumn<bool>("told");            // the user hears the listener is off
    // clang-format off
    QTest::newRow("none set: every address")     << ""            << true  << true  << false;
    QTest::newRow("one address")                 << "127.0.0.2"   << false << true  << false;
    QTest::newRow("address of another computer") << "192.0.2.7"   << false << false << true;
    QTest::newRow("not an address")              << "127.0.0.300" << false << false << true;
    // clang-format on
}

void TestStartup::listenerTakesTheSetAddress()
{
    QFETCH(QString, address);
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
    const quint16 port = probe.serverPort();
    probe.close();
    {
        CProfile profile(QStringLiteral("yaq2"));
        profile.WriteProfileInt(QStringLiteral("YAQ"), QStringLiteral("SRPInterfaceReceive"), 4);
        profile.WriteProfileString(QStringLiteral("YAQ"), QStringLiteral("ReceiveXMLPort"),
                                   QString::number(port));
        if (!address.isEmpty())
            profile.WriteProfileString(QStringLiteral("YAQ"), QStringLiteral("ReceiveXMLAddress"),
                                       address);
        QVERIFY(profile.Sync());
    }
    bool reached[2] = {false, false};
    CYaq2App app({});
    app.SetMainWindowRunner([&](CYaq2App &, const CMainWndArgs &) {
        const char *hosts[2] = {"127.0.0.1", "127.0.0.2"};
        for (int i = 0; i < 2; ++i) {
            QTcpSocket socket;
            socket.connectToHost(QHostAddress(QLatin1String(hosts[i])), port);
            reached[i] = socket.waitForConnected(YaqTest::kHangMs);
        }
    });
    m_env->answerBoxes(IDOK);
    app.InitInstance();
    app.ExitInstance();
    QTEST(reached[0], "reachedOnFirst");
    QTEST(reached[1], "reachedOnSecond");
    QFETCH(bool, told);
    QCOMPARE(m_env->boxes().size(), told ? 1 : 0);
    if (told)
        QVERIFY2(m_env->boxes().constFirst().text.contains(QLatin1Char('"') + address + '"'),
                 qPrintable(m_env->boxes().constFirst().text));
}

// What a run has to tell: a box in a run with windows; in the caller modes
// that show none, the same text on standard error and no box, the run
// ending as it would have.
void TestStartup::messageOfAWindowlessRunGoesToStandardError_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("told"); // parts of the text, "|" between; %port the listener's
    QTest::addColumn<int>("exitCode");
    const QString address =
        QStringLiteral("Die Adresse \"127.0.0.300\"|\"127.0.0.300\" ist keine IP-Adresse.");
    const QString port = QStringLiteral(
        "Der Port %port (ReceiveXMLPort)|Ein anderes Programm belegt den Port schon.");
    const QString written =
        QStringLiteral("konnte nicht geschrieben werden|No space left on device");
    // clang-format off
    QTest::newRow("mistyped address, with window: a box")      << ""            << "address"  << address << 0;
    QTest::newRow("mistyped address, settings mode")           << "qvlsettings" << "address"  << address << 0;
    QTest::newRow("port taken, with window: a box")            << ""            << "port"     << port    << 0;
    QTest::newRow("port taken, settings mode")                 << "qvlsettings" << "port"     << port    << 0;
    QTest::newRow("port taken, package request in training")   << "qvlawtosrp"  << "port"     << port    << 0;
    QTest::newRow("port no number, settings mode")             << "qvlsettings" << "noport"   << "Der Port 20x1 (ReceiveXMLPort)|keine Portnummer" << 0;
    QTest::newRow("dealer file not written, with window")      << ""            << "dealer"   << written << 0;
    QTest::newRow("dealer file not written, package request")  << "qvlawtosrp"  << "dealer"   << written << 1;
    QTest::newRow("dealer file not written, settings mode")    << "qvlsettings" << "dealer"   << written << 1;
    QTest::newRow("profile not written, package request")      << "qvlawtosrp"  << "profile"  << written << 1;
    QTest::newRow("profile not written, settings mode")        << "qvlsettings" << "profile"  << written << 1;
    QTest::newRow("profile a folder, settings mode")           << "qvlsettings" << "folder"   << "konnte nicht geschrieben werden:\nAn ihrer Stelle steht ein Ordner." << 1;
    QTest::newRow("version file unreadable, package request")  << "qvlawtosrp"  << "version"  << "Version.ini|gelesen" << 1;
    QTest::newRow("no version file, package request")          << "qvlawtosrp"  << "noversion" << "Version.ini\nfehlt.\nDas Programm wird beendet." << 1;
    // clang-format on
}

void TestStartup::messageOfAWindowlessRunGoesToStandardError()
{
    QFETCH(QString, mode);
    QFETCH(QString, fault);
    QFETCH(QString, told);
    QTcpServer other; // another program on the listener's port
    QVERIFY(other.listen(QHostAddress::Any, 0));
    const quint16 port = other.serverPort();
    if (fault != QLatin1String("port"))
        other.close();
    const QString yaq = QStringLiteral("YAQ");
    {
        CProfile profile(QStringLiteral("yaq2"));
        profile.WriteProfileInt(yaq, QStringLiteral("SRPInterfaceReceive"), 4);
        profile.WriteProfileString(yaq, QStringLiteral("ReceiveXMLPort"),
                                   fault == QLatin1String("noport") ? QStringLiteral("20x1")
                                                                    : QString::number(port));
        if (fault == QLatin1String("address"))
            profile.WriteProfileString(yaq, QStringLiteral("ReceiveXMLAddress"),
                                       QStringLiteral("127.0.0.300"));
        QVERIFY(profile.Sync());
    }
    // The package request listens only in the training edition.
    if (mode == QLatin1String("qvlawtosrp") && fault == QLatin1String("port")) {
        writeVersion(m_prog, "[VERSIONSINFO]\nSchulung=1\nEZ=01.06.2019\n");
        QDir().mkpath(m_prog + QStringLiteral("SRP_T_DATAS"));
    }
    if (fault == QLatin1String("version") || fault == QLatin1String("noversion"))
        QVERIFY(QFile::remove(m_prog + QStringLiteral("Datas/Version.ini")));
    if (fault == QLatin1String("version"))
        QVERIFY(QDir().mkpath(m_prog + QStringLiteral("Datas/Version.ini")));
    const QString written =
        fault == QLatin1String("dealer")    ? m_prog + QStringLiteral("Datas/Dealer/YAQTrader.ini")
        : fault == QLatin1String("profile") ? CProfile(QStringLiteral("yaq2")).FileName()
                                            : QString();
    QStringList args{"M012345"};
    if (!mode.isEmpty())
        args << "-m" << mode << "-a"
             << "1110010";
    m_env->answerBoxes(IDOK);
    StderrCapture capture(m_env->path() + QStringLiteral("/stderr.txt"));
    RunResult r;
    {
        CYaq2App app(args);
        app.SetMainWindowRunner([&r](CYaq2App &, const CMainWndArgs &) { r.windowShown = true; });
        app.InitInstance();
        SetWholeFileFault([written](const QString &file) {
            return file == written ? QStringLiteral("No space left on device") : QString();
        });
        if (fault == QLatin1String("folder")) {
            const QString profile = CProfile(QStringLiteral("yaq2")).FileName();
            QVERIFY(QFile::remove(profile));
            QVERIFY(QDir().mkpath(profile));
        }
        r.exitCode = app.ExitInstance();
        SetWholeFileFault({});
    }
    const QString errors = capture.Take();
    QTEST(r.exitCode, "exitCode");
    if (mode.isEmpty()) {
        QCOMPARE(m_env->boxes().size(), 1);
        QVERIFY(!errors.contains(m_env->boxes().constFirst().text));
    } else {
        QVERIFY2(m_env->boxes().isEmpty(), qPrintable(m_env->boxes().value(0).text));
    }
    const QString text = mode.isEmpty() ? m_env->boxes().constFirst().text : errors;
    for (const QString &part : told.split(QLatin1Char('|')))
        QVERIFY2(
            text.contains(QString(part).replace(QLatin1String("%port"), QString::number(port))),
            qPrintable(text));
    QCOMPARE(r.windowShown,
             mode != QLatin1String("qvlsettings") && !fault.endsWith(QLatin1String("version")));
}

// The settings mode's run ends at a version file it cannot read, as it
// says: the setting stays as it was, and the status says so.
void TestStartup::unreadableVersionFileChangesNoSetting()
{
    runProgram({});
    {
        CProfile profile(QStringLiteral("yaq2"));
        profile.WriteProfileInt(QStringLiteral("YAQ"), QStringLiteral("Sound"), 1);
        QVERIFY(profile.Sync());
    }
    const QString before = profileText();
    const QString version = m_prog + QStringLiteral("Datas/Version.ini");
    QVERIFY(QFile::remove(version));
    QVERIFY(QDir().mkpath(version));
    StderrCapture capture(m_env->path() + QStringLiteral("/stderr.txt"));
    const RunResult r = runProgram({"-m", "qvlsettings", "-s", "Sound", "-w", "0"});
    const QString errors = capture.Take();
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(errors.contains(QLatin1String("Das Programm wird beendet.")), qPrintable(errors));
    QCOMPARE(profileText(), before);
}

// Another program holds the profile's lock for the whole run: the run
// waits for it once, tells that the profile was not written, and does not
// write it later behind the user's back (here: once the lock is free before
// the program's end). A folder in the lock's place is told as what it is.
void TestStartup::heldProfileLockIsWaitedForOnce_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("folder"); // a folder named like the lock file
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("told");
    const QString held = QStringLiteral("Ein anderes Programm schreibt die Datei gerade");
    const QString folder = QStringLiteral("An der Stelle ihrer Sperrdatei steht ein Ordner (");
    // clang-format off
    QTest::newRow("settings mode's setting")            << QStringList{"-m", "qvlsettings", "-s", "Sound", "-w", "0"} << false << 1 << held;
    QTest::newRow("closing write of the window")        << QStringList{}                                             << false << 0 << held;
    QTest::newRow("lock a folder, settings mode")       << QStringList{"-m", "qvlsettings", "-s", "Sound", "-w", "0"} << true  << 1 << folder;
    QTest::newRow("lock a folder, closing of a window") << QStringList{}                                             << true  << 0 << folder;
    // clang-format on
}

void TestStartup::heldProfileLockIsWaitedForOnce()
{
    QFETCH(QStringList, args);
    QFETCH(bool, folder);
    runProgram({});
    {
        CProfile profile(QStringLiteral("yaq2"));
        profile.WriteProfileInt(QStringLiteral("YAQ"), QStringLiteral("Sound"), 1);
        QVERIFY(profile.Sync());
    }
    const QString before = profileText();
    const CProfileLockTimes usual = CProfile::LockTimes();
    CProfile::SetLockTimes({200});
    const QString lockPath = CProfile(QStringLiteral("yaq2")).FileName() + QStringLiteral(".lock");
    QLockFile other(lockPath);
    if (folder)
        QVERIFY(QDir().mkpath(lockPath));
    else
        QVERIFY(other.tryLock(0));
    StderrCapture capture(m_env->path() + QStringLiteral("/stderr.txt"));
    int exitCode = -1;
    {
        CYaq2App app(args);
        app.SetMainWindowRunner([](CYaq2App &a, const CMainWndArgs &) { a.Settings().Sound = 0; });
        app.InitInstance();
        exitCode = app.ExitInstance();
        other.unlock();
    }
    CProfile::SetLockTimes(usual);
    const QString errors = capture.Take();
    QTEST(exitCode, "exitCode");
    const QString text = args.isEmpty() ? m_env->boxes().value(0).text : errors;
    QFETCH(QString, told);
    QVERIFY2(text.contains(told), qPrintable(text));
    QCOMPARE(profileText(), before);
}

// Without a display the settings mode does its work; the package request
// ends with the failure status and says why, as its answer cannot outlive
// the program. A caller mode with a window that has no display, or a
// platform that shows none, ends at once with the failure status and says
// why. A platform Qt cannot start, named by QT_QPA_PLATFORM or by
// the argument "-platform", counts as a desktop's. The program itself runs,
// as a caller starts it; a run that did its work writes nothing to standard
// error.
void TestStartup::windowlessRunWithoutADisplay_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("display");   // DISPLAY
    QTest::addColumn<QString>("platform");  // QT_QPA_PLATFORM, empty: not set
    QTest::addColumn<QStringList>("extra"); // further arguments
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("told"); // on standard error
    const QString noDisplay = QStringLiteral(
        "nicht in der Zwischenablage:\nEs ist keine X11-Anzeige erreichbar (DISPLAY \"%1\").");
    const QString noWindow =
        QStringLiteral("Das Programm kann sein Fenster nicht zeigen und wird beendet:\n"
                       "Es ist keine Anzeige erreichbar (DISPLAY \"%1\", WAYLAND_DISPLAY ");
    const QString showsNone =
        QStringLiteral("Das Programm kann sein Fenster nicht zeigen und wird beendet:\n"
                       "Die Qt-Plattform \"%1\" (%2) zeigt kein Fenster.");
    // clang-format off
    QTest::newRow("settings mode, no DISPLAY")              << "qvlsettings"  << ""       << ""          << QStringList{}                       << 0 << "";
    QTest::newRow("settings mode, DISPLAY of no server")    << "qvlsettings"  << ":65000" << ""          << QStringList{}                       << 0 << "";
    QTest::newRow("settings mode, X11 asked, no DISPLAY")   << "qvlsettings"  << ""       << "xcb"       << QStringList{}                       << 0 << "";
    QTest::newRow("package request, no DISPLAY")            << "qvlawtosrp"   << ""       << ""          << QStringList{}                       << 1 << noDisplay.arg("");
    QTest::newRow("package request, DISPLAY of no server")  << "qvlawtosrp"   << ":65000" << ""          << QStringList{}                       << 1 << noDisplay.arg(":65000");
    QTest::newRow("package request, offscreen, no DISPLAY") << "qvlawtosrp"   << ""       << "offscreen" << QStringList{}                       << 1 << noDisplay.arg("");
    QTest::newRow("settings mode, unknown platform")        << "qvlsettings"  << ""       << "nonsense"  << QStringList{}                       << 0 << "";
    QTest::newRow("settings mode, X11 argument")            << "qvlsettings"  << ":65000" << "offscreen" << QStringList{"-platform", "xcb"}     << 0 << "";
    QTest::newRow("package request, GPU platform")          << "qvlawtosrp"   << ""       << "eglfs"     << QStringList{}                       << 1 << noDisplay.arg("");
    QTest::newRow("package request, Wayland argument")      << "qvlawtosrp"   << ""       << ""          << QStringList{"-platform", "wayland"} << 1 << noDisplay.arg("");
    QTest::newRow("basket to the caller, offscreen")        << "qvlaposquery" << ""       << "offscreen" << QStringList{}                       << 1 << showsNone.arg("offscreen", "QT_QPA_PLATFORM");
    QTest::newRow("basket to the caller, minimal argument") << "qvlaposquery" << ":65000" << ""          << QStringList{"-platform", "minimal"} << 1 << showsNone.arg("minimal", "-platform");
    QTest::newRow("basket to the caller, no DISPLAY")       << "qvlaposquery" << ""       << ""          << QStringList{}                       << 1 << noWindow.arg("");
    QTest::newRow("window, no DISPLAY")                     << "qvl"          << ""       << ""          << QStringList{}                       << 1 << noWindow.arg("");
    QTest::newRow("window, offscreen")                      << "qvl"          << ":65000" << "offscreen" << QStringList{}                       << 1 << showsNone.arg("offscreen", "QT_QPA_PLATFORM");
    QTest::newRow("package editing, DISPLAY of no server")  << "qvledit"      << ":65000" << ""          << QStringList{}                       << 1 << noWindow.arg(":65000");
    QTest::newRow("package editing, minimal")               << "qvledit"      << ""       << "minimal"   << QStringList{}                       << 1 << showsNone.arg("minimal", "QT_QPA_PLATFORM");
    QTest::newRow("position search, no DISPLAY")            << "qvlapossearch" << ""      << ""          << QStringList{}                       << 1 << noWindow.arg("");
    QTest::newRow("position search, offscreen")             << "qvlapossearch" << ""      << "offscreen" << QStringList{}                       << 1 << showsNone.arg("offscreen", "QT_QPA_PLATFORM");
    // clang-format on
}

void TestStartup::windowlessRunWithoutADisplay()
{
    QFETCH(QString, mode);
    QFETCH(QString, display);
    QFETCH(QString, platform);
    QFETCH(QStringList, extra);
    // The profile as a run leaves it, "Sound" on, the window last on a
    // second screen.
    runProgram({});
    const QString windowOnSecondScreen = QStringLiteral("2000,100,3000,800");
    {
        CProfile profile(QStringLiteral("yaq2"));
        profile.WriteProfileInt(QStringLiteral("YAQ"), QStringLiteral("Sound"), 1);
        profile.WriteProfileString(QStringLiteral("YAQ"), QStringLiteral("YAQ2DlgPosRect"),
                                   windowOnSecondScreen);
        QVERIFY(profile.Sync());
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                       m_env->path() + QStringLiteral("/profile"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), m_env->path() + QStringLiteral("/appdata"));
    environment.insert(QStringLiteral("DISPLAY"), display);
    // As a caller outside a desktop login starts it.
    environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    // No Wayland display either, whatever the machine runs.
    environment.insert(QStringLiteral("WAYLAND_DISPLAY"), m_env->path() + QStringLiteral("/none"));
    if (platform.isEmpty())
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    else
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    QProcess program;
    program.setProcessEnvironment(environment);
    const YaqTest::ProcessReaper reaper(program);
    // The caller's labour-position query hands its basket over at once.
    const QStringList args = mode == QLatin1String("qvlsettings")
                                 ? QStringList{"-m", mode, "-s", "Sound", "-w", "0"}
                             : mode == QLatin1String("qvlawtosrp")
                                 ? QStringList{"M012345", "-m", mode, "-a", "1110010"}
                                 : QStringList{"XVQ1F23A57M012345", "-m", mode, "-a", "6411020"};
    program.start(QStringLiteral(YAQ_PROGRAM), args + extra);
    QVERIFY(program.waitForFinished(YaqTest::kHangMs));
    const QString errors = QString::fromLocal8Bit(program.readAllStandardError());
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QTEST(program.exitCode(), "exitCode");
    QFETCH(QString, told);
    // Nothing but the reason, in the program's language.
    QVERIFY2(told.isEmpty() ? errors.isEmpty() : errors.contains(told), qPrintable(errors));
    if (mode == QLatin1String("qvlsettings")) {
        const CProfile profile(QStringLiteral("yaq2"));
        QCOMPARE(profile.GetProfileInt(QStringLiteral("YAQ"), QStringLiteral("Sound"), -1), 0);
        // A run without a display knows none of the user's screens.
        QCOMPARE(profile.GetProfileString(QStringLiteral("YAQ"), QStringLiteral("YAQ2DlgPosRect")),
                 windowOnSecondScreen);
    }
}

// A runtime folder of the caller's that Qt cannot use (another user's, as
// after "sudo"; one others may read; a file) is no reason: Qt takes its own
// folder instead, and the caller reads nothing but the program's words.
void TestStartup::unusableRuntimeFolderIsNoNotice_data()
{
    QTest::addColumn<QString>("folder"); // XDG_RUNTIME_DIR, under the test's folder
    QTest::addColumn<int>("owner");      // -1: the user's own
    QTest::addColumn<int>("mode");       // -1: a file in its place
    // clang-format off
    QTest::newRow("another user's")   << "other"  << 65534 << 0700;
    QTest::newRow("others may read")  << "open"   << -1    << 0755;
    QTest::newRow("a file")           << "file"   << -1    << -1;
    QTest::newRow("not to be made")   << "no/dir" << -1    << 0700;
    // clang-format on
}

void TestStartup::unusableRuntimeFolderIsNoNotice()
{
    QFETCH(QString, folder);
    QFETCH(int, owner);
    QFETCH(int, mode);
    QString runtime = m_env->path() + QStringLiteral("/runtime-") + folder;
    const QByteArray native = QFile::encodeName(runtime);
    if (mode < 0) {
        QFile file(runtime);
        QVERIFY(file.open(QIODevice::WriteOnly));
    } else if (!folder.contains(QLatin1Char('/'))) {
        QVERIFY(QDir().mkpath(runtime));
        QCOMPARE(::chmod(native.constData(), mode_t(mode)), 0);
    }
    // Another user's folder: one made for that user, or, where the test
    // cannot give it away, the root folder.
    if (owner >= 0 && geteuid() == 0)
        QCOMPARE(::chown(native.constData(), uid_t(owner), gid_t(-1)), 0);
    else if (owner >= 0)
        runtime = QStringLiteral("/");
    runProgram({});
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                       m_env->path() + QStringLiteral("/profile"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), m_env->path() + QStringLiteral("/appdata"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess program;
    program.setProcessEnvironment(environment);
    const YaqTest::ProcessReaper reaper(program);
    program.start(QStringLiteral(YAQ_PROGRAM), {"-m", "qvlsettings", "-s", "Sound", "-w", "0"});
    QVERIFY(program.waitForFinished(YaqTest::kHangMs));
    const QString errors = QString::fromLocal8Bit(program.readAllStandardError());
    QVERIFY2(errors.isEmpty(), qPrintable(errors));
    QCOMPARE(program.exitCode(), 0);
}

YAQ_TEST_MAIN(TestStartup)
#include "tst_startup.moc"
