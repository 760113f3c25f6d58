// The dealer and version files: reading values as the program always has,
// and writing one value without disturbing the rest of the file.

#include "platform/PrivateProfile.h"
#include "support/TestEnv.h"

#include <QtTest>

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
    void saveFailsCleanlyWithoutFolder();
};

void TestPrivateProfile::readsValuesWithoutCase_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");
    QTest::newRow("exact names") << "GLOBALSETUP"
                                 << "Firma"
                                 << "Autohaus Muster";
    QTest::newRow("section in lower case") << "globalsetup"
                                           << "Firma"
                                           << "Autohaus Muster";
    QTest::newRow("key in upper case") << "GLOBALSETUP"
                                       << "FIRMA"
                                       << "Autohaus Muster";
    QTest::newRow("blanks around the value are dropped") << "GLOBALSETUP"
                                                         << "City"
                                                         << "Musterstadt";
    QTest::newRow("enclosing quotes are dropped") << "GLOBALSETUP"
                                                  << "Tel1"
                                                  << "0123 456";
    QTest::newRow("empty value") << "GLOBALSETUP"
                                 << "JobEdit"
                                 << "";
    QTest::newRow("same key in other section") << "OTHER"
                                               << "Firma"
                                               << "Fremd";
    QTest::newRow("missing key gives default") << "GLOBALSETUP"
                                               << "Nix"
                                               << "<default>";
    QTest::newRow("comment line is no key") << "GLOBALSETUP"
                                            << ";Firma"
                                            << "<default>";
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

QTEST_GUILESS_MAIN(TestPrivateProfile)
#include "tst_privateprofile.moc"
