// The command line and the session file: which value lands in which field.

#include "settings/CmdLine.h"
#include "support/TestEnv.h"

#include <QStringEncoder>
#include <QThread>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

class TestCmdLine : public QObject
{
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
    void windowPosition_data();
    void windowPosition();
    void switchValueAsGiven_data();
    void switchValueAsGiven();
    void sessionFile_data();
    void sessionFile();
    void sessionFileNoRegularFile_data();
    void sessionFileNoRegularFile();
    void locale_data();
    void locale();
    void firstRegistration_data();
    void firstRegistration();
};

void TestCmdLine::parse_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("vin");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("startPage");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("sessionFile");

    // clang-format off
    QTest::newRow("three plain parameters")                          << QStringList{"XVQ1F23A57M012345", "07", "SRP"} << "XVQ1F23A57M012345" << "07"        << "SRP" << ""        << "";
    QTest::newRow("fourth plain parameter ignored")                  << QStringList{"V1", "00", "AW", "extra"}        << "V1"                << "00"        << "AW"  << ""        << "";
    QTest::newRow("mode value is lower-cased")                       << QStringList{"-m", "QVL"}                      << ""                  << ""          << ""    << "qvl"     << "";
    QTest::newRow("mixed-case mode")                                 << QStringList{"-m", "qvlEdit"}                  << ""                  << ""          << ""    << "qvledit" << "";
    QTest::newRow("switch value counts as a plain parameter")        << QStringList{"-m", "qvl", "E000001"}           << ""                  << "E000001"   << ""    << "qvl"     << "";
    QTest::newRow("switch names are case-sensitive: tns is unknown") << QStringList{"-tns", "E000001"}                << "E000001"           << ""          << ""    << ""        << "";
    QTest::newRow("slash switch")                                    << QStringList{"/v", "E000002"}                  << "E000002"           << ""          << ""    << ""        << "";
    QTest::newRow("later switch overwrites")                         << QStringList{"A000001", "-v", "B000002"}       << "B000002"           << ""          << ""    << ""        << "";
    QTest::newRow("session file in lower case")                      << QStringList{"/tmp/start.yaq2cfg"}             << ""                  << ""          << ""    << ""        << "/tmp/start.yaq2cfg";
    QTest::newRow("session file old suffix")                         << QStringList{"Start.YAQCFG", "00"}             << ""                  << "00"        << ""    << ""        << "Start.YAQCFG";
    QTest::newRow("session file only as first parameter")            << QStringList{"E000001", "x.YAQ2CFG"}           << "E000001"           << "x.YAQ2CFG" << ""    << ""        << "";
    // clang-format on
}

void TestCmdLine::parse()
{
    QFETCH(QStringList, args);
    CCmdLine cmd;
    cmd.ParseArguments(args);
    QTEST(cmd.m_strFgstnr, "vin");
    QTEST(cmd.m_strSprache, "language");
    QTEST(cmd.m_strStartPage, "startPage");
    QTEST(cmd.m_strMode, "mode");
    QTEST(cmd.m_strSessionFile, "sessionFile");
}

void TestCmdLine::windowPosition_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<QString>("tns");
    // clang-format off
    QTest::newRow("both given")               << QStringList{"-x", "10", "-y", "20"}                            << 10 << 20 << "";
    QTest::newRow("none given")               << QStringList{}                                                  << -1 << -1 << "";
    QTest::newRow("no leading digits")        << QStringList{"-x", "abc", "-y", "12px"}                         << 0  << 12 << "";
    QTest::newRow("TNS last leaves it empty") << QStringList{"-x", "5", "-TNS"}                                 << 5  << -1 << "";
    QTest::newRow("connection values")        << QStringList{"-TNS", "host:5432/cat", "-UID", "u", "-PWD", "p"} << -1 << -1 << "host:5432/cat";
    QTest::newRow("TNS before another switch")  << QStringList{"-TNS", "-UID", "u", "-PWD", "p"}            << -1 << -1 << "";
    QTest::newRow("lower-case tns is a value")  << QStringList{"-TNS", "-tns"}                              << -1 << -1 << "-tns";
    QTest::newRow("negative position")        << QStringList{"-x", "-5", "-y", "/20"}                           << -5 << 0  << "";
    // clang-format on
}

void TestCmdLine::windowPosition()
{
    QFETCH(QStringList, args);
    CCmdLine cmd;
    cmd.ParseArguments(args);
    QTEST(cmd.m_nX, "x");
    QTEST(cmd.m_nY, "y");
    QTEST(cmd.m_strTNS, "tns");
}

// The parameter after a switch that takes a value is that value, whatever
// it begins with, unless it is one of the program's switches; a switch that
// ends the command line, or is followed by one of them, misses its value.
void TestCmdLine::switchValueAsGiven_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("vin");
    QTest::addColumn<QString>("withoutValue"); // the switch that missed its value
    QTest::addColumn<QString>("mileage");
    QTest::addColumn<QString>("firstRegistration");
    // clang-format off
    QTest::newRow("folder")                               << QStringList{"-m", "qvlsettings", "-s", "DealerDataStorage", "-w", "/dealer"} << "DealerDataStorage" << "/dealer" << ""                  << ""     << ""      << "";
    QTest::newRow("negative number")                      << QStringList{"-s", "Sound", "-w", "-1"}                                       << "Sound"             << "-1"      << ""                  << ""     << ""      << "";
    QTest::newRow("unknown switch as a value")            << QStringList{"-s", "ReqXMLServer", "-w", "-q"}                                << "ReqXMLServer"      << "-q"      << ""                  << ""     << ""      << "";
    QTest::newRow("own switch is no value")               << QStringList{"-s", "ReqXMLServer", "-w", "-x"}                                << "ReqXMLServer"      << ""        << ""                  << "-w"   << ""      << "";
    QTest::newRow("own slash switch is no value")         << QStringList{"-s", "/w", "-w", "0"}                                           << ""                  << "0"       << ""                  << "-s"   << ""      << "";
    QTest::newRow("setting name taken by the next switch")  << QStringList{"-m", "qvlsettings", "-s", "-w", "0"}                               << ""                  << "0"       << ""                  << "-s"   << ""      << "";
    QTest::newRow("value last, switch missing none")      << QStringList{"-s", "Sound", "-w"}                                             << "Sound"             << ""        << ""                  << "-w"   << ""      << "";
    QTest::newRow("slash switch last")                    << QStringList{"E000001", "/TNS"}                                               << ""                  << ""        << "E000001"           << "/TNS" << ""      << "";
    QTest::newRow("unknown switch takes no value")        << QStringList{"-q", "-w", "1"}                                                 << ""                  << "1"       << ""                  << ""     << ""      << "";
    QTest::newRow("unknown switch last")                  << QStringList{"E000001", "-q"}                                                 << ""                  << ""        << "E000001"           << ""     << ""      << "";
    QTest::newRow("mileage left last")                    << QStringList{"XVQ1F23A57M012345", "-k"}                                       << ""                  << ""        << "XVQ1F23A57M012345" << "-k"   << ""      << "";
    QTest::newRow("mileage without value, then the date") << QStringList{"XVQ1F23A57M012345", "00", "-k", "-f", "2015-03-07"}             << ""                  << ""        << "XVQ1F23A57M012345" << "-k"   << ""      << "2015-03-07";
    QTest::newRow("slash form of the date switch")        << QStringList{"XVQ1F23A57M012345", "-k", "/f", "2015-03-07"}                   << ""                  << ""        << "XVQ1F23A57M012345" << "-k"   << ""      << "2015-03-07";
    QTest::newRow("mileage and date as given")            << QStringList{"-k", "12345", "-f", "2015-03-07"}                               << ""                  << ""        << ""                  << ""     << "12345" << "2015-03-07";
    // clang-format on
}

void TestCmdLine::switchValueAsGiven()
{
    QFETCH(QStringList, args);
    CCmdLine cmd;
    cmd.ParseArguments(args);
    QTEST(cmd.m_strSetting, "setting");
    QTEST(cmd.m_strValue, "value");
    QTEST(cmd.m_strFgstnr, "vin");
    QTEST(cmd.m_strSwitchWithoutValue, "withoutValue");
    QTEST(cmd.m_strKilometer, "mileage");
    QTEST(cmd.m_strErstzulassung, "firstRegistration");
}

// A text as a file in UTF-16 (little endian) with its byte-order mark.
QByteArray utf16WithMark(const char *text)
{
    QStringEncoder encoder(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    return encoder.encode(QString::fromUtf8(text));
}

void TestCmdLine::sessionFile_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("sessionId");
    QTest::addColumn<QString>("server");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("language");

    // clang-format off
    QTest::newRow("two words in the server element") << QByteArray("<OSSParameters>\n  <SessionID> S-1 </SessionID>\n" "  <ApplicationServer>appsrv https://portal.example/yaq</ApplicationServer>\n" "  <Language>fr-FR</Language>\n  <Portal>x</Portal>\n</OSSParameters>\n") << true << " S-1 " << "appsrv" << "https://portal.example/yaq" << "02";
    QTest::newRow("elements with a prefix of the writer") << QByteArray("<p:OSSParameters xmlns:p=\"urn:oss\"><p:SessionID>S-2</p:SessionID><p:ApplicationServer>app2 portal</p:ApplicationServer><p:Language>fr-FR</p:Language></p:OSSParameters>") << true << "S-2" << "app2" << "portal" << "02";
    QTest::newRow("one word, unknown locale gives 01") << QByteArray("<OSSParameters><ApplicationServer> only </ApplicationServer>" "<Language>pt-BR</Language></OSSParameters>") << true << "" << "only" << "" << "01";
    QTest::newRow("third word stays with the address") << QByteArray("<OSSParameters><ApplicationServer>app1 https://portal.example/yaq extra</ApplicationServer></OSSParameters>") << true << "" << "app1" << "https://portal.example/yaq extra" << "";
    QTest::newRow("several blanks between the words") << QByteArray("<OSSParameters><ApplicationServer>app1   portal:8080   b  c</ApplicationServer></OSSParameters>") << true << "" << "app1" << "portal:8080   b  c" << "";
    QTest::newRow("broken xml leaves everything empty") << QByteArray("<OSSParameters><SessionID>1</Sess") << false << "" << "" << "" << "";
    QTest::newRow("nesting deeper than any session file is refused") << QByteArray("<OSSParameters><SessionID>S-1</SessionID>") + QByteArray("<x>").repeated(1000) + QByteArray("</x>").repeated(1000) + QByteArray("</OSSParameters>") << false << "" << "" << "" << "";
    QTest::newRow("empty file") << QByteArray() << false << "" << "" << "" << "";
    QTest::newRow("umlauts of a file declared ISO-8859-1") << QByteArray("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<OSSParameters><SessionID>S\xe4\xf6\xfc\xdf-1</SessionID><ApplicationServer>app\xe4</ApplicationServer></OSSParameters>\n") << true << "Säöüß-1" << "appä" << "" << "";
    QTest::newRow("declaration after a blank line") << QByteArray("\r\n<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n<OSSParameters><SessionID>\xc4-1</SessionID></OSSParameters>") << true << "Ä-1" << "" << "" << "";
    QTest::newRow("UTF-16 with byte-order mark") << utf16WithMark("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n<OSSParameters><SessionID>Sä-1</SessionID></OSSParameters>") << true << "Sä-1" << "" << "" << "";
    QTest::newRow("UTF-8 without declaration") << QByteArray("<OSSParameters><SessionID>S\xc3\xa4-1</SessionID></OSSParameters>") << true << "Sä-1" << "" << "" << "";
    QTest::newRow("umlauts and euro of a file declared windows-1252") << QByteArray("<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n<OSSParameters><SessionID>M\xfcller-\x80" "5</SessionID><ApplicationServer>app\xe4</ApplicationServer></OSSParameters>") << true << "Müller-€5" << "appä" << "" << "";
    QTest::newRow("umlauts and euro of a file declared ISO-8859-15") << QByteArray("<?xml version='1.0' encoding='ISO-8859-15'?>\n<OSSParameters><SessionID>M\xfcller-\xa4" "5</SessionID></OSSParameters>") << true << "Müller-€5" << "" << "" << "";
    QTest::newRow("encoding nothing here decodes, read as UTF-8") << QByteArray("<?xml version=\"1.0\" encoding=\"x-yaq-unknown\"?><OSSParameters><SessionID>M\xc3\xbcller</SessionID></OSSParameters>") << true << "Müller" << "" << "" << "";
    // clang-format on
}

void TestCmdLine::sessionFile()
{
    QFETCH(QByteArray, content);
    TestEnv env;
    const QString path = env.path() + QStringLiteral("/s.YAQ2CFG");
    QVERIFY(writeTextFile(path, content));
    COssParameters values;
    QTEST(ReadOssParametersFile(path, &values), "ok");
    QTEST(values.sessionId, "sessionId");
    QTEST(values.applicationServer, "server");
    QTEST(values.applicationServerAddress, "address");
    QTEST(values.language, "language");
}

void TestCmdLine::sessionFileNoRegularFile_data()
{
    // Row: what stands in the session file's place; the reason told.
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("told");
    // clang-format off
    QTest::newRow("named pipe nobody writes into") << "pipe"   << "keine gewöhnliche Datei";
    QTest::newRow("link to an endless device")     << "device" << "keine gewöhnliche Datei";
    QTest::newRow("folder")                        << "folder" << "Ordner";
    // clang-format on
}

// Refused at once: a reader waiting on a pipe would hold the start for good.
void TestCmdLine::sessionFileNoRegularFile()
{
    QFETCH(QString, kind);
    TestEnv env;
    const QString path = env.path() + QStringLiteral("/s.YAQ2CFG");
    const QByteArray name = QFile::encodeName(path);
    if (kind == QLatin1String("pipe"))
        QCOMPARE(::mkfifo(name.constData(), 0600), 0);
    else if (kind == QLatin1String("device"))
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
    else
        QVERIFY(QDir().mkpath(path));
    COssParameters values;
    QString reason;
    bool ok = true;
    QThread *reader = QThread::create([&] { ok = ReadOssParametersFile(path, &values, &reason); });
    reader->start();
    // Bound against a hang only: a reader stuck in the pipe is set free.
    const bool returned = reader->wait(10000);
    if (!returned) {
        // Opened and closed: the reader's open returns, its read ends.
        ::close(::open(name.constData(), O_WRONLY | O_NONBLOCK));
        reader->wait();
    }
    delete reader;
    QVERIFY(returned);
    QVERIFY(!ok);
    QFETCH(QString, told);
    QVERIFY2(reason.contains(told), qPrintable(reason));
}

void TestCmdLine::locale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("code");
    // clang-format off
    QTest::newRow("German") << "de-DE" << "00";
    QTest::newRow("British") << "en-GB" << "01";
    QTest::newRow("Greek") << "el-GR" << "18";
    QTest::newRow("Taiwan") << "zh-TW" << "12";
    QTest::newRow("Russian") << "ru-RU" << "16";
    QTest::newRow("US English runs in English") << "en-US" << "01";
    QTest::newRow("Spanish") << "es-ES" << "03";
    QTest::newRow("French") << "fr-FR" << "02";
    QTest::newRow("Italian") << "it-IT" << "04";
    QTest::newRow("Dutch") << "nl-NL" << "06";
    QTest::newRow("Portuguese") << "pt-PT" << "21";
    QTest::newRow("Swedish") << "sv-SE" << "05";
    QTest::newRow("Japanese") << "ja-JP" << "08";
    QTest::newRow("Chinese") << "zh-CN" << "13";
    QTest::newRow("case matters") << "DE-de" << "01";
    QTest::newRow("Brazilian not in table") << "pt-BR" << "01";
    QTest::newRow("empty") << "" << "01";
    // clang-format on
}

void TestCmdLine::locale()
{
    QFETCH(QString, locale);
    QTEST(LocaleToPrgSprache(locale), "code");
}

void TestCmdLine::firstRegistration_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("expected");
    // clang-format off
    QTest::newRow("plain date")         << "2015-03-07"   << "07.03.2015";
    QTest::newRow("leap day")           << "2016-02-29"   << "29.02.2016";
    QTest::newRow("no leap day")        << "2015-02-29"   << "";
    QTest::newRow("month 13")           << "2015-13-01"   << "";
    QTest::newRow("german form")        << "07.03.2015"   << "";
    QTest::newRow("short")              << "2015-3-7"     << "";
    QTest::newRow("trailing text")      << "2015-03-07x"  << "";
    QTest::newRow("trailing line feed") << "2015-03-07\n" << "";
    QTest::newRow("leading blank")      << " 2015-03-07"  << "";
    QTest::newRow("empty")              << ""             << "";
    // clang-format on
}

void TestCmdLine::firstRegistration()
{
    QFETCH(QString, value);
    QTEST(FirstRegistrationFromSwitch(value), "expected");
}

YAQ_TEST_GUILESS_MAIN(TestCmdLine)
#include "tst_cmdline.moc"
