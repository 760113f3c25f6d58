// Text files of the catalogue library: read whole, and written in the code
// page of a program language.

#include "platform/ccd/CCDFile.h"
#include "support/TestEnv.h"

#include <QtTest>

class TestCCDFile : public QObject
{
    Q_OBJECT
private slots:
    void readsWholeFile_data();
    void readsWholeFile();
    void missingFileDoesNotOpen();
    void fileChangedWhileReadIsReadAgain();
    void writesInCodePageOfLanguage_data();
    void writesInCodePageOfLanguage();
    void unrepresentableCharacterBecomesQuestionMark();
    void fileAppearsOnlyWhenClosed();
    void openAndCloseCreatesEmptyFile();
    void destructorCommitsTheFile();
    void writeObjectOpenWritesUtf8();
};

void TestCCDFile::readsWholeFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");
    // clang-format off
    QTest::newRow("lines with CR LF stay as they are") << QByteArray("a\r\n\r\nb")                           << QStringLiteral("a\r\n\r\nb");
    QTest::newRow("byte-order mark is dropped")        << QByteArray("\xEF\xBB\xBFGr\xC3\xBC\xC3\x9F" "e\n") << QStringLiteral("Grüße\n");
    QTest::newRow("empty file gives empty text")       << QByteArray()                                       << QString();
    // clang-format on
}

void TestCCDFile::readsWholeFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Info01.dat"));
    QVERIFY(writeTextFile(path, bytes));

    CCDFile file(1);
    QCOMPARE(file.Open(path, 0, 0), 1);
    QString text = QStringLiteral("left over");
    QCOMPARE(file.ReadFile(text), 1);
    QCOMPARE(text, expected);
    QCOMPARE(file.Close(), 1);
    QVERIFY(!file.IsOpen());
}

// A text its writer rewrites in place while it is read is read again; the
// text is the new one whole, never the old one's start with the new end.
void TestCCDFile::fileChangedWhileReadIsReadAgain()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Info01.dat"));
    QVERIFY(writeTextFile(path, "alte Zeile\n"));
    int reads = 0;
    SetCCDReadHook([&](const QString &) {
        if (reads++ > 0)
            return;
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("neue, l\xC3\xA4ngere Zeile\n");
    });
    CCDFile file(1);
    QCOMPARE(file.Open(path, 0, 0), 1);
    QString text;
    const int read = file.ReadFile(text);
    SetCCDReadHook({});
    QCOMPARE(read, 1);
    QCOMPARE(text, QStringLiteral("neue, längere Zeile\n"));
    QCOMPARE(reads, 2);
}

void TestCCDFile::missingFileDoesNotOpen()
{
    QTemporaryDir dir;
    CCDFile file(1);
    QCOMPARE(file.Open(dir.filePath(QStringLiteral("nothing.dat")), 0, 0), 0);
    QString text = QStringLiteral("x");
    QCOMPARE(file.ReadFile(text), 0);
    QCOMPARE(text, QString());
    QCOMPARE(file.Open(QString(), 0, 0), 0);
}

void TestCCDFile::writesInCodePageOfLanguage_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    // clang-format off
    QTest::newRow("German umlauts in CP1252")                            << "00" << QStringLiteral("Grüße Öl\r\n") << QByteArray("Gr\xFC\xDF" "e \xD6l\r\n");
    QTest::newRow("euro sign in CP1252")                                 << "01" << QStringLiteral("10 €")         << QByteArray("10 \x80");
    QTest::newRow("Cyrillic in CP1251")                                  << "16" << QStringLiteral("Привет")       << QByteArray("\xCF\xF0\xE8\xE2\xE5\xF2");
    QTest::newRow("Polish in CP1250")                                    << "17" << QStringLiteral("Łódź")         << QByteArray("\xA3\xF3\x64\x9F");
    QTest::newRow("Japanese in Shift-JIS")                               << "08" << QStringLiteral("日本")           << QByteArray("\x93\xFA\x96\x7B");
    // Characters of the Windows code page 932 that plain Shift-JIS lacks.
    QTest::newRow("Japanese fullwidth tilde and circled digit in CP932") << "08" << QStringLiteral("～①")           << QByteArray("\x81\x60\x87\x40");
    // clang-format on
}

void TestCCDFile::writesInCodePageOfLanguage()
{
    QFETCH(QString, language);
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("export.YAQ"));

    CCDFile file(1);
    QCOMPARE(file.OpenWithLanguage(path, language, 1, 0), 1);
    QCOMPARE(file.WriteFile(text), 1);
    QCOMPARE(file.Close(), 1);

    QFile written(path);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), bytes);
}

void TestCCDFile::unrepresentableCharacterBecomesQuestionMark()
{
    bool ok = false;
    QCOMPARE(CCDFile::ToCodePage(QStringLiteral("aЖb€"), 1252, &ok), QByteArray("a?b\x80"));
    QVERIFY(ok);
    QCOMPARE(CCDFile::ToCodePage(QStringLiteral("日x"), 1251, &ok), QByteArray("?x"));
    QVERIFY(ok);
    CCDFile::ToCodePage(QStringLiteral("a"), 4711, &ok);
    QVERIFY(!ok);
}

void TestCCDFile::fileAppearsOnlyWhenClosed()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.txt"));
    QVERIFY(writeTextFile(path, "old contents"));

    CCDFile file(1);
    QCOMPARE(file.OpenWithLanguage(path, QStringLiteral("00")), 1);
    QCOMPARE(file.WriteFile(QStringLiteral("first ")), 1);
    QCOMPARE(file.WriteFile(QStringLiteral("second")), 1);
    QCOMPARE(readTextFile(path), QStringLiteral("old contents"));
    QCOMPARE(file.Close(), 1);
    QCOMPARE(readTextFile(path), QStringLiteral("first second"));
}

void TestCCDFile::openAndCloseCreatesEmptyFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("YAQTrader.ini"));
    CCDFile file(1);
    QCOMPARE(file.OpenWithLanguage(path, QStringLiteral("00"), 0, 0), 1);
    QCOMPARE(file.Close(), 1);
    QVERIFY(QFileInfo::exists(path));
    QCOMPARE(QFileInfo(path).size(), 0);
}

void TestCCDFile::destructorCommitsTheFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.txt"));
    {
        CCDFile file(1);
        QCOMPARE(file.OpenWithLanguage(path, QStringLiteral("16"), 0, 0), 1);
        QCOMPARE(file.WriteFile(QStringLiteral("Да")), 1);
    }
    QFile written(path);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), QByteArray("\xC4\xE0"));
}

void TestCCDFile::writeObjectOpenWritesUtf8()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.txt"));
    CCDFile file(0);
    QCOMPARE(file.Open(path, 0, 0), 1);
    QCOMPARE(file.CodePage(), 65001);
    QCOMPARE(file.WriteFile(QStringLiteral("Grüße")), 1);
    QCOMPARE(file.Close(), 1);
    QCOMPARE(readTextFile(path), QStringLiteral("Grüße"));

    CCDFile reader(1);
    QCOMPARE(reader.WriteFile(QStringLiteral("x")), 0);
}

YAQ_TEST_GUILESS_MAIN(TestCCDFile)
#include "tst_ccdfile.moc"
