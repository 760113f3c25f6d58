// The dealer and version files: reading values as the program always has,
// and writing one value without disturbing the rest of the file.

#include "platform/FileErrorText.h"
#include "platform/PrivateProfile.h"
#include "platform/WholeFile.h"
#include "support/OutOfRoom.h"
#include "support/TestEnv.h"

#include <QtTest>

#include <cerrno>

class TestPrivateProfile : public QObject
{
    Q_OBJECT
private slots:
    void readsValuesWithoutCase_data();
    void readsValuesWithoutCase();
    void writeKeepsOtherLinesAndComments();
    void newKeyGoesToEndOfItsSection();
    void readsUtf16AndUtf8WithBom();
    void valuesWithOuterBlanksSurviveRoundTrip();
    void loneSurrogateOfUtf16FileStaysAsRead();
    void eachLineDecodedByItself_data();
    void eachLineDecodedByItself();
    void unchangedLinesKeepTheirBytes();
    void awkwardValuesSurviveRoundTrip_data();
    void awkwardValuesSurviveRoundTrip();
    void unreadableFileGivesReason();
    void saveFailsCleanlyWithoutFolder();
    void staleCopiesGoWithTheNextWrite_data();
    void staleCopiesGoWithTheNextWrite();
    void fileNotWrittenWholeStaysAsItWas_data();
    void fileNotWrittenWholeStaysAsItWas();
    void fileErrorsToldInGerman_data();
    void fileErrorsToldInGerman();
    void nameThatFitsTheFolderIsWritten_data();
    void nameThatFitsTheFolderIsWritten();
};

void TestPrivateProfile::readsValuesWithoutCase_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");
    // clang-format off
    QTest::newRow("exact names")                         << "GLOBALSETUP" << "Firma"   << "Autohaus Muster";
    QTest::newRow("section in lower case")               << "globalsetup" << "Firma"   << "Autohaus Muster";
    QTest::newRow("key in upper case")                   << "GLOBALSETUP" << "FIRMA"   << "Autohaus Muster";
    QTest::newRow("blanks around the value are dropped") << "GLOBALSETUP" << "City"    << "Musterstadt";
    QTest::newRow("enclosing quotes are dropped")        << "GLOBALSETUP" << "Tel1"    << "0123 456";
    QTest::newRow("empty value")                         << "GLOBALSETUP" << "JobEdit" << "";
    QTest::newRow("same key in other section")           << "OTHER"       << "Firma"   << "Fremd";
    QTest::newRow("missing key gives default")           << "GLOBALSETUP" << "Nix"     << "<default>";
    QTest::newRow("comment line is no key")              << "GLOBALSETUP" << ";Firma"  << "<default>";
    // clang-format on
}

void TestPrivateProfile::readsValuesWithoutCase()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    CPrivateProfile profile;
    profile.SetContent(QStringLiteral("; dealer file\r\n[GlobalSetup]\r\nFirma=Autohaus Muster\r\n"
                                      ";Firma=alt\r\nCity =  Musterstadt  \r\nTel1=\"0123 456\"\r\n"
                                      "JobEdit=\r\n\r\n[OTHER]\r\nFirma=Fremd\r\n"));
    QCOMPARE(profile.GetString(section, key, QStringLiteral("<default>")), expected);
}

void TestPrivateProfile::writeKeepsOtherLinesAndComments()
{
    const QString original =
        QStringLiteral("; kept comment\r\n[A]\r\nx=1\r\n; inner\r\ny=2\r\n\r\n[B]\r\nz=3\r\n");
    CPrivateProfile profile;
    profile.SetContent(original);
    profile.SetString(QStringLiteral("a"), QStringLiteral("Y"), QStringLiteral("20"));
    QCOMPARE(
        profile.Content(),
        QStringLiteral("; kept comment\r\n[A]\r\nx=1\r\n; inner\r\nY=20\r\n\r\n[B]\r\nz=3\r\n"));
}

void TestPrivateProfile::newKeyGoesToEndOfItsSection()
{
    CPrivateProfile profile;
    profile.SetContent(QStringLiteral("[A]\nx=1\n\n[B]\nz=3\n"));
    profile.SetString(QStringLiteral("A"), QStringLiteral("n"), QStringLiteral("new"));
    profile.SetString(QStringLiteral("C"), QStringLiteral("k"), QStringLiteral("v"));
    QCOMPARE(profile.Content(), QStringLiteral("[A]\nx=1\nn=new\n\n[B]\nz=3\n[C]\nk=v\n"));
}

void TestPrivateProfile::readsUtf16AndUtf8WithBom()
{
    TestEnv env;
    const QString text = QStringLiteral("[VERSIONSINFO]\r\nAusgabedatum=01.02.2026 Größe\r\n");
    QByteArray utf16("\xFF\xFE", 2);
    for (QChar c : text) {
        utf16.append(char(c.unicode() & 0xFF));
        utf16.append(char(c.unicode() >> 8));
    }
    const QString p16 = env.path() + QStringLiteral("/v16.ini");
    QVERIFY(writeTextFile(p16, utf16));
    QCOMPARE(CPrivateProfile::GetPrivateProfileString(
                 QStringLiteral("VERSIONSINFO"), QStringLiteral("Ausgabedatum"), QString(), p16),
             QStringLiteral("01.02.2026 Größe"));

    const QString p8 = env.path() + QStringLiteral("/v8.ini");
    QVERIFY(writeTextFile(p8, QByteArray("\xEF\xBB\xBF") + text.toUtf8()));
    QVERIFY(CPrivateProfile::WritePrivateProfileString(
        QStringLiteral("VERSIONSINFO"), QStringLiteral("Schulung"), QStringLiteral("0"), p8));
    QFile f(p8);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray written = f.readAll();
    QVERIFY(written.startsWith("\xEF\xBB\xBF[VERSIONSINFO]"));
    QVERIFY(written.contains("Größe"));
    QVERIFY(written.contains("Schulung=0"));

    // A file in the old Windows code page is still read.
    const QString pAnsi = env.path() + QStringLiteral("/ansi.ini");
    QVERIFY(writeTextFile(pAnsi, QByteArray("[S]\r\nStrasse=Hauptstra\xDF"
                                            "e 1\r\n")));
    QCOMPARE(CPrivateProfile::GetPrivateProfileString(QStringLiteral("S"),
                                                      QStringLiteral("Strasse"), QString(), pAnsi),
             QStringLiteral("Hauptstraße 1"));
}

void TestPrivateProfile::loneSurrogateOfUtf16FileStaysAsRead()
{
    // A broken UTF-16 value (half a surrogate pair) reads the same after
    // the program wrote another key of the file.
    TestEnv env;
    QByteArray utf16("\xFF\xFE", 2);
    for (ushort u : QList<ushort>{'[', 'S', ']', '\n', 'E', 'Z', '=', '1', 0xD800, '2', '\n'}) {
        utf16.append(char(u & 0xFF));
        utf16.append(char(u >> 8));
    }
    const QString path = env.path() + QStringLiteral("/v16.ini");
    QVERIFY(writeTextFile(path, utf16));
    const QString before = CPrivateProfile::GetPrivateProfileString(
        QStringLiteral("S"), QStringLiteral("EZ"), QString(), path);
    QVERIFY(CPrivateProfile::WritePrivateProfileString(QStringLiteral("S"), QStringLiteral("X"),
                                                       QStringLiteral("0"), path));
    QCOMPARE(CPrivateProfile::GetPrivateProfileString(QStringLiteral("S"), QStringLiteral("EZ"),
                                                      QString(), path),
             before);
    QCOMPARE(before, QStringLiteral("1\uFFFD2"));
}

void TestPrivateProfile::valuesWithOuterBlanksSurviveRoundTrip()
{
    CPrivateProfile profile;
    const QString blanks = QStringLiteral("  eingerückt ");
    const QString quoted = QStringLiteral("\"Zitat\"");
    const QString longText = QString(2000, QLatin1Char('x'));
    profile.SetString(QStringLiteral("S"), QStringLiteral("a"), blanks);
    profile.SetString(QStringLiteral("S"), QStringLiteral("b"), quoted);
    profile.SetString(QStringLiteral("S"), QStringLiteral("c"), longText);
    CPrivateProfile reread;
    reread.SetContent(profile.Content());
    QCOMPARE(reread.GetString(QStringLiteral("S"), QStringLiteral("a")), blanks);
    QCOMPARE(reread.GetString(QStringLiteral("S"), QStringLiteral("b")), quoted);
    QCOMPARE(reread.GetString(QStringLiteral("S"), QStringLiteral("c")), longText);
}

void TestPrivateProfile::eachLineDecodedByItself_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");
    // One line in the old Windows code page must not turn the UTF-8 lines
    // around it into mojibake, and the other way round.
    // clang-format off
    QTest::newRow("UTF-8 value, code-page comment") << QByteArray("[S]\nFirma=Autohaus M\xC3\xBCller\n; f\xFCr H\xE4ndler\n") << "Firma" << "Autohaus Müller";
    QTest::newRow("code-page value, UTF-8 comment") << QByteArray("; H\xC3\xA4ndler\n[S]\nStrasse=Hauptstra\xDF" "e 1\n") << "Strasse" << "Hauptstraße 1";
    QTest::newRow("euro sign of the code page") << QByteArray("[S]\r\nNetto=Preis in \x80\r\nBrutto=\xE2\x82\xAC\r\n") << "Netto" << "Preis in €";
    QTest::newRow("UTF-8 beside it") << QByteArray("[S]\r\nNetto=Preis in \x80\r\nBrutto=\xE2\x82\xAC\r\n") << "Brutto" << "€";
    QTest::newRow("byte-order mark and a code-page line") << QByteArray("\xEF\xBB\xBF[S]\nCity=K\xC3\xB6ln\nCity2=K\xF6ln\n") << "City" << "Köln";
    QTest::newRow("code-page line after a byte-order mark") << QByteArray("\xEF\xBB\xBF[S]\nCity=K\xC3\xB6ln\nCity2=K\xF6ln\n") << "City2" << "Köln";
    QTest::newRow("no-break space before a bracket is no section") << QByteArray("[S]\n\xEF\xBB\xBF[T]\nx=1\n") << "x" << "1";
    QTest::newRow("broken UTF-8 sequence taken as code page") << QByteArray("[S]\nx=\xC3\x28\n") << "x" << "Ã(";
    // clang-format on
}

void TestPrivateProfile::eachLineDecodedByItself()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, key);
    TestEnv env;
    const QString path = env.path() + QStringLiteral("/YAQTrader.ini");
    QVERIFY(writeTextFile(path, bytes));
    CPrivateProfile profile;
    QVERIFY(profile.Load(path));
    QTEST(profile.GetString(QStringLiteral("S"), key), "expected");
}

void TestPrivateProfile::unchangedLinesKeepTheirBytes()
{
    // An old dealer file in the Windows code page, with a UTF-8 line some
    // other tool added and mixed line ends: only the changed line is new.
    TestEnv env;
    const QString path = env.path() + QStringLiteral("/YAQTrader.ini");
    const QByteArray before("; Daten f\xFCr Gro\xDF"
                            "kunden\r\n[GLOBALSETUP]\r\n"
                            "Firma=Autohaus M\xC3\xBCller\n"
                            "Strasse = Stra\xDF"
                            "e 1 \r\n"
                            "City=Alt\r\n"
                            "Tel1=\x81\x8D\r\n"
                            "Fax=1");
    QVERIFY(writeTextFile(path, before));
    CPrivateProfile profile;
    QVERIFY(profile.Load(path));
    // Writing back what is there already changes nothing.
    profile.SetString(QStringLiteral("GLOBALSETUP"), QStringLiteral("Strasse"),
                      profile.GetString(QStringLiteral("GLOBALSETUP"), QStringLiteral("Strasse")));
    profile.SetString(QStringLiteral("GLOBALSETUP"), QStringLiteral("Tel1"),
                      profile.GetString(QStringLiteral("GLOBALSETUP"), QStringLiteral("Tel1")));
    profile.SetString(QStringLiteral("GLOBALSETUP"), QStringLiteral("City"),
                      QStringLiteral("Köln"));
    profile.SetString(QStringLiteral("GLOBALSETUP"), QStringLiteral("City2"),
                      QStringLiteral("Süd"));
    QVERIFY(profile.Save(path));

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("; Daten f\xFCr Gro\xDF"
                                        "kunden\r\n[GLOBALSETUP]\r\n"
                                        "Firma=Autohaus M\xC3\xBCller\n"
                                        "Strasse = Stra\xDF"
                                        "e 1 \r\n"
                                        "City=K\xC3\xB6ln\r\n"
                                        "Tel1=\x81\x8D\r\n"
                                        "Fax=1\r\n"
                                        "City2=S\xC3\xBC"
                                        "d\r\n"));
}

void TestPrivateProfile::awkwardValuesSurviveRoundTrip_data()
{
    QTest::addColumn<QString>("value");
    // clang-format off
    QTest::newRow("line feed that would start new keys") << "ACME\nJobEdit=1\n[X]";
    QTest::newRow("carriage return") << "a\rb";
    QTest::newRow("both line ends") << "Zeile 1\r\nZeile 2\n";
    QTest::newRow("line feed only") << "\n";
    QTest::newRow("backslash and n") << "C:\\new\\\\x\\";
    QTest::newRow("escape look-alikes") << "\\r\\n\\t\\\\";
    QTest::newRow("tab inside") << "a\tb";
    QTest::newRow("enclosing quotes") << "\"Zitat\"";
    QTest::newRow("two quotes") << "\"\"";
    QTest::newRow("one quote") << "\"";
    QTest::newRow("quote at one end") << "\"offen";
    QTest::newRow("outer blanks") << "  eingerückt ";
    QTest::newRow("outer tab") << "\tx";
    QTest::newRow("blank then quotes") << " \"a\" ";
    QTest::newRow("section header") << "[GLOBALSETUP]";
    QTest::newRow("equals signs") << "=a=b=";
    QTest::newRow("comment sign") << "; kein Kommentar";
    QTest::newRow("hash sign") << "#1";
    QTest::newRow("empty") << "";
    QTest::newRow("umlauts and euro") << "Größe 5 €";
    // clang-format on
}

void TestPrivateProfile::awkwardValuesSurviveRoundTrip()
{
    QFETCH(QString, value);
    TestEnv env;
    const QString path = env.path() + QStringLiteral("/YAQTrader.ini");
    QVERIFY(writeTextFile(path, "[S]\r\nv=alt\r\nnach=1\r\n[T]\r\nw=2\r\n"));
    QVERIFY(CPrivateProfile::WritePrivateProfileString(QStringLiteral("S"), QStringLiteral("v"),
                                                       value, path));
    QVERIFY(CPrivateProfile::WritePrivateProfileString(QStringLiteral("S"), QStringLiteral("neu"),
                                                       value, path));
    CPrivateProfile back;
    QVERIFY(back.Load(path));
    QCOMPARE(back.GetString(QStringLiteral("S"), QStringLiteral("v")), value);
    QCOMPARE(back.GetString(QStringLiteral("S"), QStringLiteral("neu")), value);
    // The value moved no key into another section and added none.
    QCOMPARE(back.GetString(QStringLiteral("S"), QStringLiteral("nach")), QStringLiteral("1"));
    QCOMPARE(back.GetString(QStringLiteral("T"), QStringLiteral("w")), QStringLiteral("2"));
    QVERIFY(!back.HasKey(QStringLiteral("S"), QStringLiteral("JobEdit")));
    QVERIFY(!back.HasSection(QStringLiteral("X")));
    QCOMPARE(back.Content().count(QLatin1Char('\n')), 6);
}

void TestPrivateProfile::unreadableFileGivesReason()
{
    TestEnv env;
    CPrivateProfile profile;
    QString error = QStringLiteral("x");
    QVERIFY(!profile.Load(env.path() + QStringLiteral("/missing.ini"), &error));
    QCOMPARE(error, QString());
    QVERIFY(!profile.Load(env.path(), &error));
    QVERIFY(!error.isEmpty());
}

void TestPrivateProfile::saveFailsCleanlyWithoutFolder()
{
    TestEnv env;
    CPrivateProfile profile;
    profile.SetString(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("v"));
    QString error;
    QVERIFY(!profile.Save(env.path() + QStringLiteral("/missing/folder/x.ini"), &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!QFile::exists(env.path() + QStringLiteral("/missing/folder/x.ini")));
}

// A disk that fills up while the file is written: the write fails, says
// why, and leaves the old file as it was, with nothing beside it. What is
// written is less than the writer keeps in its buffer, so the disk is only
// met when the file is completed.
void TestPrivateProfile::fileNotWrittenWholeStaysAsItWas_data()
{
    QTest::addColumn<int>("way");
    // clang-format off
    QTest::newRow("file-size limit")        << int(OutOfRoom::FileSizeLimit);
    QTest::newRow("full file system")       << int(OutOfRoom::FullDisk);
    QTest::newRow("failing write (seam)")   << int(OutOfRoom::Injected);
    // clang-format on
}

void TestPrivateProfile::fileNotWrittenWholeStaysAsItWas()
{
    QFETCH(int, way);
    TestEnv env;
    const QString folder = env.path() + QStringLiteral("/dealer");
    QVERIFY(QDir().mkpath(folder));
    OutOfRoomGuard guard;
    if (way == int(OutOfRoom::FullDisk) && !guard.MountSmall(folder))
        QSKIP("no file system can be mounted here; the file-size limit meets the same write");
    const QString path = folder + QStringLiteral("/YAQTrader.ini");
    const QByteArray old("[GLOBALSETUP]\nFirma=Autohaus Muster\n");
    QVERIFY(writeTextFile(path, old));
    CPrivateProfile profile;
    QVERIFY(profile.Load(path));
    profile.SetString(QStringLiteral("GLOBALSETUP"), QStringLiteral("AGB"),
                      QString(12000, QLatin1Char('A')));
    if (way == int(OutOfRoom::FileSizeLimit))
        QVERIFY(guard.LimitFileSize(1024));
    else if (way == int(OutOfRoom::Injected))
        guard.Inject(QStringLiteral("No space left on device"));
    QString error;
    const bool saved = profile.Save(path, &error);
    guard.End();
    QVERIFY(!saved);
    QVERIFY(!error.isEmpty());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), old);
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"YAQTrader.ini"});
}

// A program ended while it wrote a file leaves the writer's copy beside it;
// the writes of that file take it away, and nothing else: a file of the
// user's stays, whatever its name looks like.
void TestPrivateProfile::staleCopiesGoWithTheNextWrite_data()
{
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("copy");
    QTest::addColumn<int>("ageSeconds");
    QTest::addColumn<bool>("removed");
    // clang-format off
    QTest::newRow("copy of an ended write")         << "YAQTrader.ini" << ".YAQTrader.ini.yaq2-part-fsAXDM" << 120 << true;
    QTest::newRow("copy of the profile's write")    << "yaq2.ini"      << ".yaq2.ini.yaq2-part-OsUJmx"      << 120 << true;
    QTest::newRow("copy written a moment ago")      << "YAQTrader.ini" << ".YAQTrader.ini.yaq2-part-UtGtpg" << 2   << false;
    QTest::newRow("five letters")                   << "YAQTrader.ini" << ".YAQTrader.ini.yaq2-part-fsAXD"  << 120 << false;
    QTest::newRow("digits")                         << "YAQTrader.ini" << ".YAQTrader.ini.yaq2-part-fs4XD1" << 120 << false;
    QTest::newRow("the user's own backup")          << "YAQTrader.ini" << "YAQTrader.ini.backup"            << 120 << false;
    QTest::newRow("the user's own, in capitals")    << "YAQTrader.ini" << "YAQTrader.ini.BACKUP"            << 120 << false;
    QTest::newRow("the user's own, mixed case")     << "YAQTrader.ini" << "YAQTrader.ini.Sicher"            << 120 << false;
    QTest::newRow("the user's archive")             << "YAQTrader.ini" << "YAQTrader.ini.Archiv"            << 120 << false;
    QTest::newRow("the user's copy of the profile") << "yaq2.ini"      << "yaq2.ini.Backup"                 << 120 << false;
    QTest::newRow("six random-looking letters")     << "YAQTrader.ini" << "YAQTrader.ini.fsAXDM"            << 120 << false;
    QTest::newRow("copy of another file")           << "YAQTrader.ini" << ".yaq2.ini.yaq2-part-OsUJmx"      << 120 << false;
    QTest::newRow("copy of a name of 255 bytes")    << QString(251, 'n') + ".ini" << "." + QString(237, 'n') + ".yaq2-part-fsAXDM" << 120 << true;
    // clang-format on
}

void TestPrivateProfile::staleCopiesGoWithTheNextWrite()
{
    QFETCH(QString, written);
    QFETCH(QString, copy);
    QFETCH(int, ageSeconds);
    QFETCH(bool, removed);
    TestEnv env;
    const QString copyPath = env.path() + QLatin1Char('/') + copy;
    QVERIFY(writeTextFile(copyPath, "[GLOBALSETUP]\nFirma=Auto"));
    QFile file(copyPath);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds),
                             QFileDevice::FileModificationTime));
    file.close();
    for (int write = 0; write < 3; ++write)
        QVERIFY(WriteWholeFile(env.path() + QLatin1Char('/') + written, "[GLOBALSETUP]\n"));
    QCOMPARE(QFile::exists(copyPath), !removed);
}

// Each reason the system gives is told in German (the system's words are
// English), whether it comes as the number or as the file object's text.
void TestPrivateProfile::fileErrorsToldInGerman_data()
{
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("told");
    // clang-format off
    QTest::newRow("no permission")            << EACCES       << "Keine Berechtigung";
    QTest::newRow("read-only file system")    << EROFS        << "Das Dateisystem ist schreibgeschützt";
    QTest::newRow("a folder in the way")      << EISDIR       << "An der Stelle der Datei steht ein Ordner";
    QTest::newRow("a file where a folder is") << ENOTDIR      << "An der Stelle eines Ordners des Pfades steht eine Datei";
    QTest::newRow("no space")                 << ENOSPC       << "Kein Speicherplatz mehr frei";
    QTest::newRow("quota used up")            << EDQUOT       << "Der zugeteilte Speicherplatz ist aufgebraucht";
    QTest::newRow("file too large")           << EFBIG        << "Die Datei wird zu groß";
    QTest::newRow("name too long")            << ENAMETOOLONG << "Der Name oder der Pfad ist zu lang";
    QTest::newRow("folder missing")           << ENOENT       << "Die Datei oder ihr Ordner ist nicht vorhanden";
    QTest::newRow("input or output error")    << EIO          << "Ein- oder Ausgabefehler des Datenträgers";
    QTest::newRow("an error without words")   << EPROTO       << QStringLiteral("Systemfehler %1").arg(EPROTO);
    // clang-format on
}

void TestPrivateProfile::fileErrorsToldInGerman()
{
    QFETCH(int, error);
    QFETCH(QString, told);
    QCOMPARE(SystemErrorText(error), told);
    // Told so when opening and when writing, never in the system's words;
    // a file object has the system's text: the same reason.
    for (QFileDevice::FileError kind : {QFileDevice::OpenError, QFileDevice::WriteError}) {
        const QString text = FileErrorText(kind, error);
        QVERIFY2(text.contains(told) && !text.contains(qt_error_string(error)), qPrintable(text));
    }
    QCOMPARE(SystemErrorOf(qt_error_string(error)), error);
}

// A file whose name fits its folder is written, however long the name of
// the writer's copy would be beside it.
void TestPrivateProfile::nameThatFitsTheFolderIsWritten_data()
{
    QTest::addColumn<QString>("name");
    // clang-format off
    QTest::newRow("name of 255 bytes")                  << QString(251, 'n') + ".ini";
    QTest::newRow("name of 254 bytes, umlauts")         << QString(125, QChar(0xFC)) + ".ini";
    QTest::newRow("name of 255 bytes, a 4-byte letter") << QString(62, 'n') + QString::fromUtf8("\xF0\x9F\x98\x80").repeated(47) + "a.ini";
    // clang-format on
}

void TestPrivateProfile::nameThatFitsTheFolderIsWritten()
{
    QFETCH(QString, name);
    TestEnv env;
    const QString path = env.path() + QLatin1Char('/') + name;
    QString reason;
    QVERIFY2(WriteWholeFile(path, "[GLOBALSETUP]\n", &reason), qPrintable(reason));
    QVERIFY2(WriteWholeFile(path, "[GLOBALSETUP]\nA=1\n", &reason), qPrintable(reason));
    QCOMPARE(readTextFile(path), QStringLiteral("[GLOBALSETUP]\nA=1\n"));
    QCOMPARE(
        QDir(env.path()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral("yaq2-part")),
        QStringList());
}

YAQ_TEST_GUILESS_MAIN(TestPrivateProfile)
#include "tst_privateprofile.moc"
