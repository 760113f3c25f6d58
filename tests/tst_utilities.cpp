// The global utility functions and the model-name mapping file.

#include "app/ModelMapping.h"
#include "app/Utilities.h"
#include "platform/db/YaqDb.h"
#include "settings/PrgSettings.h"
#include "support/TestEnv.h"

#include <QtTest>

class TestUtilities : public QObject
{
    Q_OBJECT
private slots:
    void helpFileNames_data();
    void helpFileNames();
    void specialLabourPositions_data();
    void specialLabourPositions();
    void newlineEscapes_data();
    void newlineEscapes();
    void dealerBrands_data();
    void dealerBrands();
    void dealerBrandNames_data();
    void dealerBrandNames();
    void scrambleIsItsOwnInverse();
    void scrambledValues_data();
    void scrambledValues();
    void catalogueColumn_data();
    void catalogueColumn();

    void mappingFile_data();
    void mappingFile();
    void missingFileClearsTheMapping();
    void catalogueViewKeepsTheMapping();
    void codesForAModel();
};

void TestUtilities::helpFileNames_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("file");
    // clang-format off
    QTest::newRow("home page")                          << 102 << "hilf4v8l.htm";
    QTest::newRow("number query")                       << 139 << "hilf8g6d.htm";
    QTest::newRow("package list")                       << 146 << "hilf8w1j.htm";
    QTest::newRow("package editing")                    << 147 << "hilf9uwk.htm";
    QTest::newRow("optional package editing shares it") << 148 << "hilf9uwk.htm";
    QTest::newRow("basket")                             << 149 << "hilf7w2t.htm";
    QTest::newRow("labour-value catalogue")             << 150 << "hilf11nr.htm";
    QTest::newRow("findings")                           << 151 << "hilf717o.htm";
    QTest::newRow("maintenance topics")                 << 154 << "hilf1k4u.htm";
    QTest::newRow("settings")                           << 155 << "hilf8q7i.htm";
    QTest::newRow("print defaults")                     << 156 << "hilf3iyc.htm";
    QTest::newRow("DMS interface settings")             << 158 << "hilf9h2s.htm";
    QTest::newRow("package settings")                   << 159 << "hilf265w.htm";
    QTest::newRow("contact")                            << 160 << "hilf3oiv.htm";
    QTest::newRow("browser page")                       << 193 << "hilf5tig.htm";
    QTest::newRow("contract page")                      << 194 << "hilf3ods.htm";
    QTest::newRow("vehicle search")                     << 220 << "hilf55tf.htm";
    QTest::newRow("print preview")                      << 223 << "hilf2228.htm";
    QTest::newRow("basket print dialog")                << 224 << "hilf1zck.htm";
    QTest::newRow("dealer-individual parts")            << 225 << "hilf52hx.htm";
    QTest::newRow("download page")                      << 238 << "hilf5cby.htm";
    QTest::newRow("spot repair")                        << 266 << "ccr.htm";
    QTest::newRow("id without a dialog")                << 400 << "hilf78vi.htm";
    QTest::newRow("help index button")                  << 999 << "hilf682s.htm";
    QTest::newRow("findings list page has none")        << 221 << "";
    QTest::newRow("unknown id")                         << 0   << "";
    // clang-format on
}

void TestUtilities::helpFileNames()
{
    QFETCH(int, id);
    QFETCH(QString, file);
    QCOMPARE(GetHelpFileName(id), file);
}

void TestUtilities::specialLabourPositions_data()
{
    QTest::addColumn<QString>("apNr");
    QTest::addColumn<bool>("special");
    QTest::newRow("listed position") << "0000150" << true;
    QTest::newRow("last listed position") << "0051499" << true;
    QTest::newRow("listed position with a suffix") << "0000150AB" << true;
    QTest::newRow("neighbour of a listed position") << "0012301" << false;
    QTest::newRow("part of an entry is no entry") << "00001" << false;
    QTest::newRow("across two entries") << "150.000" << false;
    QTest::newRow("empty number") << "" << true;
}

void TestUtilities::specialLabourPositions()
{
    QFETCH(QString, apNr);
    QFETCH(bool, special);
    QCOMPARE(IsSpecialAPNr(apNr), special);
}

void TestUtilities::newlineEscapes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("result");
    // clang-format off
    QTest::newRow("backslash n between letters")  << "a\\nb"       << "a b";
    QTest::newRow("two backslashes and n vanish") << "a\\\\nb"     << "ab";
    QTest::newRow("both kinds")                   << "x\\\\ny\\nz" << "xy z";
    QTest::newRow("plain text")                   << "abc"         << "abc";
    // clang-format on
}

void TestUtilities::newlineEscapes()
{
    QFETCH(QString, text);
    QFETCH(QString, result);
    ReplaceNewlineEscapes(text);
    QCOMPARE(text, result);
}

void TestUtilities::dealerBrands_data()
{
    QTest::addColumn<QStringList>("dealer");
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("serves");
    QTest::addColumn<int>("voqDealer");
    QTest::newRow("no list accepts a known brand") << QStringList() << "VQ" << 1 << 1;
    QTest::newRow("no list accepts an unknown brand") << QStringList() << "XX" << 1 << 1;
    QTest::newRow("contract for the brand") << QStringList{"lumo", "voq"} << "LU" << 1 << 1;
    QTest::newRow("no contract for the brand") << QStringList{"lumo"} << "VQ" << 0 << 0;
    QTest::newRow("unknown brand with a list") << QStringList{"voq"} << "XX" << 0 << 1;
    QTest::newRow("names compare case-sensitively") << QStringList{"VOQ"} << "VQ" << 0 << 0;
}

void TestUtilities::dealerBrandNames_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("name");
    // clang-format off
    QTest::newRow("LU")                    << "LU" << "lumo";
    QTest::newRow("QN")                    << "QN" << "quendaline";
    QTest::newRow("VJ")                    << "VJ" << "voq i";
    QTest::newRow("VQ")                    << "VQ" << "voq";
    QTest::newRow("TK")                    << "TK" << "tremik";
    QTest::newRow("unknown code")          << "XX" << "";
    QTest::newRow("codes are capitals")    << "lu" << "";
    // clang-format on
}

void TestUtilities::dealerBrandNames()
{
    QFETCH(QString, code);
    QFETCH(QString, name);
    QCOMPARE(DealerBrandName(code), name);
}

void TestUtilities::dealerBrands()
{
    QFETCH(QStringList, dealer);
    QFETCH(QString, code);
    QFETCH(int, serves);
    QFETCH(int, voqDealer);
    CPrgSettings settings;
    settings.DealerList = dealer;
    QCOMPARE(GetBrandFromDealerData(&settings, code), serves);
    QCOMPARE(IsVoqDealer(&settings), voqDealer);
}

void TestUtilities::scrambleIsItsOwnInverse()
{
    const QString key = MakeScrambleKey();
    QCOMPARE(key.size(), 8);
    const QString text = QStringLiteral("Händler-Kennwort 12345 with a long tail");
    const QString scrambled = ScrambleString(key, text);
    QVERIFY(scrambled != text);
    QCOMPARE(ScrambleString(key, scrambled), text);
    QCOMPARE(ScrambleString(key, QString()), QString());
}

// A value scrambled by an earlier install reads back, and a value scrambled
// now reads the same: each character xor the key's character at its place
// mod 8, all sixteen bits inverted (worked out by hand from the key).
void TestUtilities::scrambledValues_data()
{
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QList<ushort>>("scrambled");
    // clang-format off
    QTest::newRow("letters beyond the eighth take the key again") << "Kennwort-2024" << QList<ushort>{0xffff, 0xffb8, 0xffe1, 0xffa1, 0xffde, 0xffaf, 0xffee, 0xffb0, 0xff99, 0xffef, 0xffbf, 0xfffd, 0xff9d};
    QTest::newRow("a letter outside ASCII")                       << "Händler"       << QList<ushort>{0xfffc, 0xff39, 0xffe1, 0xffab, 0xffc5, 0xffa5, 0xffee};
    // clang-format on
}

void TestUtilities::scrambledValues()
{
    QFETCH(QString, plain);
    QFETCH(QList<ushort>, scrambled);
    QString stored;
    for (const ushort unit : scrambled)
        stored.append(QChar(unit));
    QCOMPARE(ScrambleString(MakeScrambleKey(), plain), stored);
    QCOMPARE(ScrambleString(MakeScrambleKey(), stored), plain);
}

void TestUtilities::catalogueColumn_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<int>("column");
    QTest::newRow("first column") << "Arvo 1.6" << 0;
    QTest::newRow("fourth column") << "Arvo Van" << 3;
    QTest::newRow("mapped code without a column") << "0777" << 0;
    QTest::newRow("unknown model") << "Tremik X" << -1;
    QTest::newRow("placeholder") << ". . . . . . ." << -1;
    QTest::newRow("empty") << "" << -1;
}

void TestUtilities::catalogueColumn()
{
    QFETCH(QString, model);
    QFETCH(int, column);
    TestEnv env;
    writeTextFile(env.path() + QStringLiteral("/ModelMapping00.txt"), "0777Arvo Sonder\n");
    CModelMapping mapping;
    mapping.SetFolder(env.path() + QLatin1Char('/'));
    mapping.Load(QStringLiteral("00"));
    CYaqDb db;
    QVERIFY(db.Open(QString(), QString(), QString(), 0, QStringLiteral(YAQ_DEMO_DATAS_DIR),
                    QString(), QString()));
    CPrgSettings settings;
    settings.KatalogKey = QStringLiteral("1");
    settings.Bestellnr = QStringLiteral("VQF40DE");
    QCOMPARE(GetAwKatSpalte(&settings, &db, model, &mapping).value, column);
    QCOMPARE(GetAwKatSpalte(&settings, nullptr, model, &mapping).value, -1);
}

void TestUtilities::mappingFile_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("found");
    QTest::addColumn<QString>("name");
    // clang-format off
    QTest::newRow("name taken with its blanks")               << QByteArray("1101 Arvo  Comfort \n")     << "1101" << 1 << " Arvo  Comfort ";
    QTest::newRow("carriage returns ignored")                 << QByteArray("1101Arvo\r\n2201Bento\r\n") << "2201" << 1 << "Bento";
    QTest::newRow("first of two lines with one code")         << QByteArray("1101Erster\n1101Zweiter\n") << "1101" << 1 << "Erster";
    QTest::newRow("code without name does not count as seen") << QByteArray("1101\n1101Arvo\n")          << "1101" << 1 << "Arvo";
    QTest::newRow("last line without line feed kept")         << QByteArray("1101Arvo\n2201Bento")       << "2201" << 1 << "Bento";
    QTest::newRow("short line skipped")                       << QByteArray("11\n")                      << "11"   << 0 << "unchanged";
    QTest::newRow("unknown code")                             << QByteArray("1101Arvo\n")                << "9999" << 0 << "unchanged";
    // clang-format on
}

void TestUtilities::mappingFile()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, code);
    QFETCH(int, found);
    QFETCH(QString, name);
    TestEnv env;
    QVERIFY(writeTextFile(env.path() + QStringLiteral("/ModelMapping01.txt"), file));
    CModelMapping mapping;
    mapping.SetFolder(env.path() + QLatin1Char('/'));
    mapping.Load(QStringLiteral("01"));
    QString result = QStringLiteral("unchanged");
    QCOMPARE(mapping.GetModelName(result, code), found);
    QCOMPARE(result, name);
    QCOMPARE(mapping.HasCode(code), found);
}

void TestUtilities::missingFileClearsTheMapping()
{
    TestEnv env;
    QVERIFY(writeTextFile(env.path() + QStringLiteral("/ModelMapping01.txt"), "1101Arvo\n"));
    CModelMapping mapping;
    mapping.SetFolder(env.path() + QLatin1Char('/'));
    mapping.Load(QStringLiteral("01"));
    QVERIFY(mapping.HasCode(QStringLiteral("1101")));
    mapping.Load(QStringLiteral("02"));
    QCOMPARE(mapping.HasCode(QStringLiteral("1101")), 0);
    QVERIFY(!mapping.IsLoaded());
}

void TestUtilities::catalogueViewKeepsTheMapping()
{
    TestEnv env;
    QVERIFY(writeTextFile(env.path() + QStringLiteral("/ModelMapping01.txt"), "1101Arvo\n"));
    CModelMapping mapping;
    mapping.SetFolder(env.path() + QLatin1Char('/'));
    mapping.SetCatalogueView(1);
    mapping.Load(QStringLiteral("01"));
    QVERIFY(!mapping.IsLoaded());
}

void TestUtilities::codesForAModel()
{
    TestEnv env;
    CModelMapping mapping;
    mapping.SetFolder(env.path() + QLatin1Char('/'));
    QStringList codes{QStringLiteral("keep")};
    QCOMPARE(mapping.GetCodesForModel(codes, QStringLiteral("Arvo")), 0);
    QCOMPARE(codes, QStringList{QStringLiteral("keep")});

    QVERIFY(writeTextFile(env.path() + QStringLiteral("/ModelMapping01.txt"),
                          "1101Arvo\n2201Bento\n1102Arvo\n1103arvo\n"));
    mapping.Load(QStringLiteral("01"));
    QCOMPARE(mapping.GetCodesForModel(codes, QStringLiteral("Arvo")), 1);
    QCOMPARE(codes, (QStringList{QStringLiteral("1101"), QStringLiteral("1102")}));
}

YAQ_TEST_GUILESS_MAIN(TestUtilities)
#include "tst_utilities.moc"
