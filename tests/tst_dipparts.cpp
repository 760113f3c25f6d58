// The dealer-individual-parts page's rows, read from small market files
// made here: the information texts of the program language first, then
// the trade units and the dealer-individual parts under their headers,
// with grouped part numbers, descriptions cut into lines of 40 characters
// and the display flag that hides a trade unit; the columns leave room
// for the package sizes.

#include "packages/DIPRowPainter.h"
#include "packages/DIPRows.h"
#include "platform/OrmelText.h"
#include "platform/ccd/CDIPMarktRec.h"
#include "platform/ccd/CDIPMarktTextRec.h"
#include "support/TestEnv.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

// A row as one line: "H|" header columns 3 to 6, "P|" part columns 8 to
// 13, "I|" information columns 0 to 2.
QString Describe(const CListZeileData &row)
{
    auto join = [&row](int first, int last) {
        QStringList columns;
        for (int i = first; i <= last; ++i)
            columns << row.columns[size_t(i)];
        return columns.join(QLatin1Char('|'));
    };
    switch (row.kind) {
    case DIP_ROW_HEADER:
        return QStringLiteral("H|") + join(3, 6);
    case DIP_ROW_PART:
        return QStringLiteral("P|") + join(8, 13);
    case DIP_ROW_INFO:
        return QStringLiteral("I|") + join(0, 2);
    default:
        return QStringLiteral("?");
    }
}

const QByteArray kPartsHead = "TeileNr\tBezeichnung\tGebinde\tTyp\tAnzeige\n";
const QByteArray kTextsHead = "Sprache\tTitel\tText\n";

} // namespace

class TestDIPParts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void rows_data();
    void rows();
    void partNumber_data();
    void partNumber();
    void columnsLeaveRoomForPackageSizes();
};

void TestDIPParts::initTestCase()
{
    InitOrmelText(QStringLiteral(YAQ_DEMO_DATAS_DIR "/Zirava/PrgTxt"));
    SetPrgSprache(QStringLiteral("00"));
}

void TestDIPParts::rows_data()
{
    // The part records and the text records after their first lines
    // ("-": the file is missing), the program language, the rows listed.
    QTest::addColumn<QByteArray>("parts");
    QTest::addColumn<QByteArray>("texts");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QStringList>("rows");
    using L = QStringList;
    const QString desc50 = QStringLiteral("Frostschutz-Scheibenreiniger Konzentrat,  5 Liter ");
    // clang-format off
    QTest::newRow("trade units, then parts")
        << QByteArray("VQH00000001\tBremsbelagsatz\t1 Satz\t0\t1\n9XA09600100\tFelgenreiniger\t500 ml \t1\t1\n")
        << QByteArray("-") << "00"
        << L{"H|TU|Bezeichnung|Gebindegrössen|(Trade Unit)", "P|9X A0 9 600 100|Felgenreiniger||||500 ml",
             "H|DIP|||(Dealer Individual Part)", "P|VQ H0 0 000 001|Bremsbelagsatz||||1 Satz"};
    QTest::newRow("no trade unit: one header naming the description")
        << QByteArray("VQH00000001\tBremsbelagsatz\t1 Satz\t0\t1\n")
        << QByteArray("-") << "00"
        << L{"H|DIP|Bezeichnung||(Dealer Individual Part)", "P|VQ H0 0 000 001|Bremsbelagsatz||||1 Satz"};
    QTest::newRow("hidden trade unit out, hidden part listed")
        << QByteArray("9XA09600200\tFelgenreiniger\t500 ml\t1\t0\nVQH00000002\tLuftfilter\t1 Stück\t0\t0\n")
        << QByteArray("-") << "00"
        << L{"H|DIP|Bezeichnung||(Dealer Individual Part)", QString::fromUtf8("P|VQ H0 0 000 002|Luftfilter||||1 Stück")};
    QTest::newRow("description of 50 characters in two lines")
        << (QByteArray("VQH00000003\t") + desc50.toUtf8() + "\t5 l\t0\t1\n")
        << QByteArray("-") << "00"
        << L{"H|DIP|Bezeichnung||(Dealer Individual Part)", "P|VQ H0 0 000 003|" + desc50.left(40) + "|5 Liter|||5 l"};
    QTest::newRow("texts of the language first, others left out")
        << QByteArray("VQH00000001\tBremsbelagsatz\t1 Satz\t0\t1\n")
        << QByteArray("01\tDealer parts\tReleased by the market.\n00\tHändlerteile\tVom Markt freigegeben.\n")
        << "00"
        << L{QString::fromUtf8("I|Händlerteile|Information|Vom Markt freigegeben."),
             "H|DIP|Bezeichnung||(Dealer Individual Part)", "P|VQ H0 0 000 001|Bremsbelagsatz||||1 Satz"};
    QTest::newRow("without the part file only the texts")
        << QByteArray("-")
        << QByteArray("01\tDealer parts\tReleased by the market.\n")
        << "01"
        << L{"I|Dealer parts|Information|Released by the market."};
    QTest::newRow("without both files nothing")
        << QByteArray("-") << QByteArray("-") << "00" << L{};
    QTest::newRow("a part file without records: its header alone")
        << QByteArray() << QByteArray("-") << "00"
        << L{"H|DIP|Bezeichnung||(Dealer Individual Part)"};
    // clang-format on
}

void TestDIPParts::rows()
{
    QFETCH(QByteArray, parts);
    QFETCH(QByteArray, texts);
    QFETCH(QString, language);
    QFETCH(QStringList, rows);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    if (parts != "-")
        QVERIFY(writeTextFile(folder.filePath(CDIPMarktRec::FileName()), kPartsHead + parts));
    if (texts != "-")
        QVERIFY(writeTextFile(folder.filePath(CDIPMarktTextRec::FileName()), kTextsHead + texts));
    QStringList listed;
    for (const CListZeileData &row : DIPListRows(folder.path(), language))
        listed << Describe(row);
    QCOMPARE(listed, rows);
}

void TestDIPParts::partNumber_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("shown");
    // clang-format off
    QTest::newRow("eleven characters") << "9XA09600100" << "9X A0 9 600 100";
    QTest::newRow("digits")            << "12345678901" << "12 34 5 678 901";
    // clang-format on
}

void TestDIPParts::partNumber()
{
    QFETCH(QString, number);
    QFETCH(QString, shown);
    QCOMPARE(GroupDIPPartNumber(number), shown);
}

void TestDIPParts::columnsLeaveRoomForPackageSizes()
{
    // Part number, description and the package sizes fit the list of a
    // page: the two gaps between the columns stay narrower than the part
    // number.
    CDIPRowPainter painter;
    QFont font;
    font.setPixelSize(12);
    painter.SetFonts(font);
    QVERIFY(painter.PartNumberWidth() > 0 && painter.DescriptionWidth() > 0);
    QVERIFY2(2 * painter.ColumnGap() < painter.PartNumberWidth(),
             qPrintable(QStringLiteral("gap %1, part number %2")
                            .arg(painter.ColumnGap())
                            .arg(painter.PartNumberWidth())));
}

YAQ_TEST_MAIN(TestDIPParts)
#include "tst_dipparts.moc"
