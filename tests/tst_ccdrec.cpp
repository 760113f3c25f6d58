// Records of the catalogue data files: keyed runs over the three index
// kinds, file-order walks, and the dealer record classes over small files.

#include "platform/AppPaths.h"
#include "platform/OrmelText.h"
#include "platform/StringUtil.h"
#include "platform/ccd/CCDFile.h"
#include "platform/ccd/CDIPMarktRec.h"
#include "platform/ccd/CDIPMarktTextRec.h"
#include "platform/ccd/CDIPRec.h"
#include "platform/ccd/CETPriceRec.h"
#include "platform/ccd/CFGInfoRec.h"
#include "platform/ccd/CHGPriceRec.h"
#include "platform/ccd/CHLXFgstNrRec.h"
#include "platform/ccd/CLagerRec.h"
#include "platform/ccd/CMrktngAttRec.h"
#include "platform/ccd/CPauschalRec.h"
#include "platform/ccd/CRabattRec.h"
#include "support/TestEnv.h"
#include "support/Waits.h"

#include <QtTest>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <random>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A record with one field of each kind of index, to drive the runs.
class CTestRec : public CCDRec
{
public:
    QString Nr, Text, Wert;
    CCDAutoNtx m_ntxNr{QStringList{QStringLiteral("Nr")}};
    CCDAutoHtb m_htbNr{QStringList{QStringLiteral("Nr")}};
    CCDAutoWrd m_wrdText{QStringList{QStringLiteral("Text")}};

protected:
    std::vector<Field> Fields() override { return {{"Nr", &Nr}, {"Text", &Text}, {"Wert", &Wert}}; }
    std::vector<CCDIndex *> Indexes() override { return {&m_ntxNr, &m_htbNr, &m_wrdText}; }
};

const QByteArray kRows = "Nr\tText\tWert\n"
                         "1234\tMüller Hans\ta\n"
                         "12\tmeier\tb\n"
                         "1299 \tMüller-Lüdenscheidt\tc\n"
                         "2\tHans Müller\td\n"
                         "1234\tSchulz\te\n";

enum IndexKind
{
    Ntx,
    Htb,
    Wrd
};

// Every Wert of a keyed run, in run order, each followed by the separator.
QString runOf(CTestRec &rec, IndexKind kind, const QString &key, const QString &separator = {})
{
    CCDIndex *index = kind == Ntx   ? static_cast<CCDIndex *>(&rec.m_ntxNr)
                      : kind == Htb ? static_cast<CCDIndex *>(&rec.m_htbNr)
                                    : static_cast<CCDIndex *>(&rec.m_wrdText);
    QString values;
    for (int ok = rec.AutoMove(*index, CCD_MOVE_FIRST, key); ok;
         ok = rec.AutoMove(*index, CCD_MOVE_NEXT, QString()))
        values += rec.Wert + separator;
    return values;
}

QString makeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    writeTextFile(path, bytes);
    return path;
}

// The reading and the runs as they were when the whole file was decoded to
// one text and every key was a QString: the reference for the byte slices.
struct ReferenceFile
{
    std::vector<QStringList> rows; // Nr, Text, Wert; null when missing

    explicit ReferenceFile(const QByteArray &rest)
    {
        const QString text = QString::fromUtf8(rest);
        for (QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
            while (line.endsWith(QLatin1Char('\r')))
                line.chop(1);
            if (line.trimmed().isEmpty())
                continue;
            const QList<QStringView> parts = line.split(QLatin1Char('\t'));
            QStringList row;
            for (int c = 0; c < 3; ++c)
                row << (c < parts.size() ? UnescapeFieldText(parts.at(c).toString()) : QString());
            rows.push_back(row);
        }
    }
    static QString trimRight(QString s)
    {
        while (!s.isEmpty() && s.back().isSpace())
            s.chop(1);
        return s;
    }
    // The Wert of every row of a run.
    QString run(IndexKind kind, const QString &key) const
    {
        const QString wanted = trimRight(key);
        std::vector<std::pair<QString, size_t>> hits;
        for (size_t i = 0; i < rows.size(); ++i) {
            const QString nr = trimRight(rows[i].at(0));
            bool match = false;
            if (kind == Ntx)
                match = !wanted.isEmpty() && !nr.isEmpty() && nr.startsWith(wanted);
            else if (kind == Htb)
                match = !wanted.isEmpty() && nr == wanted;
            else {
                const QStringList words = CCDAutoWrd::Words(rows[i].at(1));
                const QStringList keyWords = CCDAutoWrd::Words(key);
                match = !keyWords.isEmpty();
                for (const QString &k : keyWords)
                    match =
                        match && std::any_of(words.begin(), words.end(),
                                             [&k](const QString &w) { return w.startsWith(k); });
            }
            if (match)
                hits.push_back({kind == Ntx ? nr : QString(), i});
        }
        std::stable_sort(hits.begin(), hits.end(),
                         [](const auto &a, const auto &b) { return a.first < b.first; });
        QString values;
        for (const auto &hit : hits)
            values += rows[hit.second].at(2) + QLatin1Char(';');
        return values;
    }
};

// A labour price file of many main groups; the group asked for, "11", is
// the last line, priced as given.
QByteArray labourPrices(const QByteArray &price)
{
    QByteArray bytes = "HG\tPreis\tMwSt\tText\n";
    for (int group = 20; group < 99; ++group)
        bytes += QByteArray::number(group) + "\t9" + QByteArray::number(group) + ".00\t19\t" +
                 QByteArray(80, 'x') + '\n';
    return bytes + "11\t" + price + "\t19\n";
}

// Writes the bytes over the file's old ones, in its place (the way of a
// writer that does not rename a new file over it).
bool rewriteInPlace(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

// Files a test writes and then reads while they stand still are read
// without the wait for a writer at work.
struct NoSettleWait
{
    NoSettleWait() { SetCCDSettleMs(0); }
    ~NoSettleWait() { SetCCDSettleMs(CCDFile::kSettleMs); }
};

} // namespace

Q_DECLARE_METATYPE(IndexKind)

class TestCCDRec : public QObject
{
    Q_OBJECT
private slots:
    void keyedRun_data();
    void keyedRun();
    void sameAsReadingTheWholeText();
    void searchFindsFirstRowAndEmptiesFieldsWhenNone();
    void nextWithoutFirstEndsAtOnce();
    void moveWalksFileOrder();
    void openingOddFiles_data();
    void openingOddFiles();
    void pipeInPlaceOfAFileIsRefusedAtOnce();
    void lineWithTooFewFieldsReadsEmpty();
    void columnsAreMatchedByName();
    void escapesInFieldValues();
    void copyKeepsPositionAndWalksOnItsOwn();
    void closedRecordFindsNothing();

    void priceFilesOfTheDealer();
    void priceFileChangedWhileRead_data();
    void priceFileChangedWhileRead();
    void priceFileRewrittenInPiecesGivesNoCutPrice();
    void priceFileRewrittenInPlaceGivesOneVersion_data();
    void priceFileRewrittenInPlaceGivesOneVersion();
    void flatRateKeyPaddedWithBlanks();
    void dipPartReplacesCataloguePart();
    void dealerVehicleSearchByWords();
    void marketPartsAndTextsInFileOrder();
    void inclusiveServiceContractsOfVin();
    void fileNamesOfTheRecordClasses();
    void demoDealerFilesLoad();
};

void TestCCDRec::keyedRun_data()
{
    QTest::addColumn<IndexKind>("kind");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");
    // clang-format off
    QTest::newRow("prefix key finds longer keys in key order") << Ntx << "12" << "baec";
    QTest::newRow("equal keys keep file order") << Ntx << "1234" << "ae";
    QTest::newRow("prefix key ignores trailing blanks") << Ntx << "1299   " << "c";
    QTest::newRow("prefix key longer than every entry finds none") << Ntx << "12345" << "";
    QTest::newRow("empty prefix key finds none") << Ntx << "" << "";
    QTest::newRow("exact key finds only equal keys") << Htb << "12" << "b";
    QTest::newRow("exact key with duplicates in file order") << Htb << "1234" << "ae";
    QTest::newRow("exact key matches entry stored with trailing blank") << Htb << "1299" << "c";
    QTest::newRow("exact key is no prefix key") << Htb << "1" << "";
    QTest::newRow("blank key finds none") << Htb << "   " << "";
    QTest::newRow("word at start or later in the field") << Wrd << "hans" << "ad";
    QTest::newRow("word prefix, without case") << Wrd << "MÜL" << "acd";
    QTest::newRow("hyphenated name is one word") << Wrd << "lüdenscheidt" << "";
    QTest::newRow("two words must both begin words of the row") << Wrd << "hans mü" << "ad";
    QTest::newRow("second word missing in the row") << Wrd << "müller schulz" << "";
    QTest::newRow("word that begins no word") << Wrd << "ller" << "";
    // clang-format on
}

void TestCCDRec::keyedRun()
{
    QFETCH(IndexKind, kind);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    CTestRec rec;
    QCOMPARE(rec.Open(makeFile(dir, QStringLiteral("t.dat"), kRows)), 1);
    QCOMPARE(runOf(rec, kind, key), expected);
    // A second run over the same index starts afresh.
    QCOMPARE(runOf(rec, kind, key), expected);
}

void TestCCDRec::sameAsReadingTheWholeText()
{
    // Random files of keys and texts with other than ASCII characters (also
    // beyond U+FFFF and from U+E000 on, whose UTF-16 order differs from
    // their UTF-8 order), Unicode blanks, escapes, CRs and broken UTF-8: the
    // fields, the file-order walk and the runs of all three index kinds
    // must be those of the text decoded whole.
    const NoSettleWait still;
    // clang-format off
    const char *const pieces[] = {"1", "2", "12", "A", "b", "\xC3\xA9", "\xEE\x80\x80", "\xEF\xBF\xBD",
                                  " ", "\xC2\xA0", "\xE3\x80\x80", "\xF0\x9F\x98\x80", "\\", "\\t",
                                  "\xFF", "\xE2\x82", "\xC3", "\r", "\t"};
    // clang-format on
    const int pieceCount = static_cast<int>(std::size(pieces));
    std::mt19937 rng(815);
    auto randomText = [&](int maxPieces, int usable) {
        QByteArray text;
        for (int n = static_cast<int>(rng() % (maxPieces + 1)); n > 0; --n)
            text += pieces[rng() % usable];
        return text;
    };
    QTemporaryDir dir;
    for (int file = 0; file < 150; ++file) {
        QByteArray rest;
        const int lines = static_cast<int>(rng() % 40);
        for (int i = 0; i < lines; ++i) {
            if (rng() % 8 == 0) { // blanks only: no record
                const char *const blanks[] = {" ", "\xC2\xA0", "\xE3\x80\x80", "\r", "\t"};
                for (int n = static_cast<int>(rng() % 3); n > 0; --n)
                    rest += blanks[rng() % std::size(blanks)];
                rest += "\n";
                continue;
            }
            rest += randomText(4, pieceCount - 1) + '\t' + randomText(5, pieceCount - 1) + '\t' +
                    QByteArray::number(i) + randomText(2, pieceCount - 2) +
                    (rng() % 2 ? "\r\n" : "\n");
        }
        if (rng() % 2) // a last line with its line end (one without it is cut)
            rest += randomText(3, pieceCount - 2) + '\n';
        CTestRec rec;
        QCOMPARE(rec.Open(makeFile(dir, QStringLiteral("t.dat"), "Nr\tText\tWert\n" + rest)), 1);
        const ReferenceFile ref(rest);
        QCOMPARE(rec.GetFileEntries(), static_cast<int>(ref.rows.size()));
        int row = 0;
        for (int ok = rec.Move(CCD_MOVE_FIRST); ok; ok = rec.Move(CCD_MOVE_NEXT), ++row) {
            const QStringList &expected = ref.rows[static_cast<size_t>(row)];
            QCOMPARE(QStringList({rec.Nr, rec.Text, rec.Wert}), expected);
            QCOMPARE(rec.Text.isNull(), expected.at(1).isNull());
            QCOMPARE(rec.Wert.isNull(), expected.at(2).isNull());
        }
        QStringList keys;
        for (const QStringList &r : ref.rows)
            keys << r.at(0) << r.at(0).left(1) << r.at(0).left(2) << r.at(0) + QLatin1Char(' ')
                 << r.at(1).section(QLatin1Char(' '), -1);
        for (int k = 0; k < 20; ++k)
            keys << QString::fromUtf8(randomText(3, pieceCount - 2));
        keys << QStringLiteral("1\U0001F600").chopped(1) << QString(QChar(0xD83D))
             << QString(QChar(0xDE00));
        for (const QString &key : keys)
            for (IndexKind kind : {Ntx, Htb, Wrd})
                QCOMPARE(runOf(rec, kind, key, QStringLiteral(";")), ref.run(kind, key));
    }
}

void TestCCDRec::searchFindsFirstRowAndEmptiesFieldsWhenNone()
{
    QTemporaryDir dir;
    CTestRec rec;
    QCOMPARE(rec.Open(makeFile(dir, QStringLiteral("t.dat"), kRows)), 1);
    QCOMPARE(rec.AutoSearch(rec.m_ntxNr, QStringLiteral("12")), 1);
    QCOMPARE(rec.Wert, QStringLiteral("b"));
    QCOMPARE(rec.AutoSearch(rec.m_htbNr, QStringLiteral("1234")), 1);
    QCOMPARE(rec.Text, QStringLiteral("Müller Hans"));
    QCOMPARE(rec.AutoSearch(rec.m_htbNr, QStringLiteral("9")), 0);
    QCOMPARE(rec.Nr, QString());
    QCOMPARE(rec.Text, QString());
    QCOMPARE(rec.Wert, QString());
}

void TestCCDRec::nextWithoutFirstEndsAtOnce()
{
    QTemporaryDir dir;
    CTestRec rec;
    QCOMPARE(rec.Open(makeFile(dir, QStringLiteral("t.dat"), kRows)), 1);
    QCOMPARE(rec.AutoMove(rec.m_htbNr, CCD_MOVE_NEXT, QStringLiteral("1234")), 0);
    QCOMPARE(rec.Move(CCD_MOVE_NEXT), 0);
    QCOMPARE(rec.AutoMove(rec.m_htbNr, 3, QStringLiteral("1234")), 0);
    // After the end of a run, next stays at the end.
    QCOMPARE(rec.AutoMove(rec.m_htbNr, CCD_MOVE_FIRST, QStringLiteral("12")), 1);
    QCOMPARE(rec.AutoMove(rec.m_htbNr, CCD_MOVE_NEXT, QString()), 0);
    QCOMPARE(rec.AutoMove(rec.m_htbNr, CCD_MOVE_NEXT, QString()), 0);
}

void TestCCDRec::moveWalksFileOrder()
{
    QTemporaryDir dir;
    CTestRec rec;
    QCOMPARE(rec.Open(makeFile(dir, QStringLiteral("t.dat"), kRows)), 1);
    QCOMPARE(rec.GetFileEntries(), 5);
    QString values;
    for (int ok = rec.Move(CCD_MOVE_FIRST); ok; ok = rec.Move(CCD_MOVE_NEXT))
        values += rec.Wert;
    QCOMPARE(values, QStringLiteral("abcde"));
    QCOMPARE(rec.Move(CCD_MOVE_NEXT), 0);
    // A keyed run between does not disturb the walk's own position.
    QCOMPARE(rec.Move(CCD_MOVE_FIRST), 1);
    QCOMPARE(rec.AutoSearch(rec.m_htbNr, QStringLiteral("2")), 1);
    QCOMPARE(rec.Move(CCD_MOVE_NEXT), 1);
    QCOMPARE(rec.Wert, QStringLiteral("b"));
}

void TestCCDRec::openingOddFiles_data()
{
    QTest::addColumn<bool>("create");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("opened");
    QTest::addColumn<int>("entries");
    QTest::addColumn<bool>("incomplete");
    // clang-format off
    QTest::newRow("missing file does not open")                 << false << QByteArray()                                                                  << 0 << 0 << false;
    QTest::newRow("empty file opens without entries")           << true  << QByteArray()                                                                  << 1 << 0 << false;
    QTest::newRow("only blank lines open without entries")      << true  << QByteArray("\r\n\n  \n")                                                        << 1 << 0 << false;
    QTest::newRow("header alone opens without entries")         << true  << QByteArray("Nr\tText\tWert\r\n")                                                << 1 << 0 << false;
    QTest::newRow("header without a key field does not open")   << true  << QByteArray("Wert\nx\n")                                                        << 0 << 0 << false;
    QTest::newRow("CR LF lines, BOM and blank lines")           << true  << QByteArray("\xEF\xBB\xBFNr\tText\tWert\r\n1\tx\ty\r\n\r\n2\tz\tw\r\n")                  << 1 << 2 << false;
    QTest::newRow("blanks after the last line's line end")      << true  << QByteArray("Nr\tText\tWert\n1\tx\ty\n  ")                                        << 1 << 1 << false;
    // A file that stands still is whole, whatever ends its last line.
    QTest::newRow("last line without its line end")             << true  << QByteArray("\xEF\xBB\xBFNr\tText\tWert\r\n1\tx\ty\r\n\r\n2\tz\tw")                      << 1 << 2 << false;
    QTest::newRow("last line ends in a CR alone")               << true  << QByteArray("Nr\tText\tWert\r\n1\tx\ty\r\n2\tz\tw\r")                              << 1 << 2 << false;
    QTest::newRow("last line ends after a tab")                 << true  << QByteArray("Nr\tText\tWert\n1\tx\ty\n2\tz\t")                                     << 1 << 2 << false;
    QTest::newRow("first line alone, without its line end")     << true  << QByteArray("Nr\tText\tWe")                                                     << 1 << 0 << false;
    QTest::newRow("first line alone, without a key field")      << true  << QByteArray("N")                                                                  << 0 << 0 << false;
    // clang-format on
}

void TestCCDRec::openingOddFiles()
{
    QFETCH(bool, create);
    QFETCH(QByteArray, bytes);
    QFETCH(int, opened);
    QFETCH(int, entries);
    QFETCH(bool, incomplete);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.dat"));
    if (create)
        QVERIFY(writeTextFile(path, bytes));
    CTestRec rec;
    QCOMPARE(rec.Open(path), opened);
    QCOMPARE(rec.IsOpen(), opened != 0);
    QCOMPARE(rec.WasIncomplete(), incomplete);
    QCOMPARE(rec.GetFileEntries(), entries);
    QCOMPARE(rec.AutoSearch(rec.m_ntxNr, QStringLiteral("1")), entries > 0 ? 1 : 0);
    QCOMPARE(rec.Move(CCD_MOVE_FIRST), entries > 0 ? 1 : 0);
}

void TestCCDRec::pipeInPlaceOfAFileIsRefusedAtOnce()
{
    // A pipe in the place of a dealer file is refused at once, whatever its
    // writer sends: a writer that holds back the end would hold the reader.
    QTemporaryDir dir;
    const QByteArray path = QFile::encodeName(dir.filePath(QStringLiteral("t.dat")));
    QCOMPARE(mkfifo(path.constData(), 0600), 0);
    std::atomic<bool> returned{false};
    std::atomic<bool> gaveUp{false};
    std::thread writer([&] {
        int fd = -1;
        // Until the reader opens the pipe, and then until it returns: a
        // reader that waits for the rest waits until the test gives up.
        for (int i = 0; i < YaqTest::kHangMs / 10 && fd < 0 && !returned; ++i) {
            fd = ::open(path.constData(), O_WRONLY | O_NONBLOCK);
            if (fd < 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        if (fd < 0)
            return;
        const char head[] = "Nr\tText\n1\tx\n";
        [[maybe_unused]] const auto written = ::write(fd, head, sizeof head - 1);
        for (int i = 0; i < YaqTest::kHangMs / 10 && !returned; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        gaveUp = !returned;
        ::close(fd);
    });
    CTestRec rec;
    const int opened = rec.Open(QFile::decodeName(path));
    returned = true;
    writer.join();
    QCOMPARE(opened, 0);
    QVERIFY(!gaveUp);
}

void TestCCDRec::lineWithTooFewFieldsReadsEmpty()
{
    QTemporaryDir dir;
    CTestRec rec;
    QCOMPARE(rec.Open(makeFile(dir, QStringLiteral("t.dat"),
                               "Nr\tText\tWert\n7\n\tnur Text\n8\tacht\tx\ty\tz\n")),
             1);
    QCOMPARE(rec.GetFileEntries(), 3);
    QCOMPARE(rec.AutoSearch(rec.m_htbNr, QStringLiteral("7")), 1);
    QCOMPARE(rec.Text, QString());
    QCOMPARE(rec.Wert, QString());
    // A line without a key is in the file but no key finds it.
    QCOMPARE(runOf(rec, Wrd, QStringLiteral("nur")), QString());
    QCOMPARE(rec.Move(CCD_MOVE_FIRST), 1);
    QCOMPARE(rec.Move(CCD_MOVE_NEXT), 1);
    QCOMPARE(rec.Text, QStringLiteral("nur Text"));
    // Surplus fields are ignored.
    QCOMPARE(rec.AutoSearch(rec.m_htbNr, QStringLiteral("8")), 1);
    QCOMPARE(rec.Wert, QStringLiteral("x"));
}

void TestCCDRec::columnsAreMatchedByName()
{
    QTemporaryDir dir;
    CTestRec rec;
    QCOMPARE(
        rec.Open(makeFile(dir, QStringLiteral("t.dat"), "Extra\tWert\tText\tNr\n?\tw1\tt1\tK1\n")),
        1);
    QCOMPARE(rec.AutoSearch(rec.m_htbNr, QStringLiteral("K1")), 1);
    QCOMPARE(rec.Wert, QStringLiteral("w1"));
    QCOMPARE(rec.Text, QStringLiteral("t1"));

    // A field the file does not name reads as empty.
    CETPriceRec et;
    makeFile(dir, CETPriceRec::FileName(), "Preis\tTeileNr\n9.90\tX1\n");
    QCOMPARE(et.Open(dir.path()), 1);
    QCOMPARE(et.SearchPrice(QStringLiteral("X1")), 1);
    QCOMPARE(et.Preis, QStringLiteral("9.90"));
    QCOMPARE(et.Bezeichnung, QString());
}

void TestCCDRec::escapesInFieldValues()
{
    QTemporaryDir dir;
    CTestRec rec;
    QCOMPARE(rec.Open(makeFile(dir, QStringLiteral("t.dat"),
                               "Nr\tText\tWert\n1\tZeile 1\\nZeile 2\\tTab\tC:\\Temp\\\\x\n")),
             1);
    QCOMPARE(rec.AutoSearch(rec.m_htbNr, QStringLiteral("1")), 1);
    QCOMPARE(rec.Text, QStringLiteral("Zeile 1\nZeile 2\tTab"));
    QCOMPARE(rec.Wert, QStringLiteral("C:\\Temp\\x"));
}

void TestCCDRec::copyKeepsPositionAndWalksOnItsOwn()
{
    QTemporaryDir dir;
    CTestRec rec;
    QCOMPARE(rec.Open(makeFile(dir, QStringLiteral("t.dat"), kRows)), 1);
    QCOMPARE(rec.AutoMove(rec.m_ntxNr, CCD_MOVE_FIRST, QStringLiteral("12")), 1);
    CTestRec copy(rec);
    QCOMPARE(copy.Wert, QStringLiteral("b"));
    QCOMPARE(copy.AutoMove(copy.m_ntxNr, CCD_MOVE_NEXT, QString()), 1);
    QCOMPARE(copy.Wert, QStringLiteral("a"));
    QCOMPARE(rec.Wert, QStringLiteral("b"));
    rec.Close();
    QCOMPARE(copy.GetFileEntries(), 5);
    QCOMPARE(copy.AutoMove(copy.m_ntxNr, CCD_MOVE_NEXT, QString()), 1);
    QCOMPARE(copy.Wert, QStringLiteral("e"));

    CTestRec assigned;
    assigned = copy;
    QCOMPARE(assigned.AutoSearch(assigned.m_htbNr, QStringLiteral("2")), 1);
    QCOMPARE(assigned.Wert, QStringLiteral("d"));
}

void TestCCDRec::closedRecordFindsNothing()
{
    QTemporaryDir dir;
    CTestRec rec;
    QCOMPARE(rec.AutoSearch(rec.m_htbNr, QStringLiteral("12")), 0);
    QCOMPARE(rec.Open(makeFile(dir, QStringLiteral("t.dat"), kRows)), 1);
    rec.Close();
    QCOMPARE(rec.GetFileEntries(), 0);
    QCOMPARE(rec.AutoSearch(rec.m_htbNr, QStringLiteral("12")), 0);
    QCOMPARE(rec.AutoMove(rec.m_ntxNr, CCD_MOVE_FIRST, QStringLiteral("12")), 0);
    QCOMPARE(rec.Move(CCD_MOVE_FIRST), 0);
}

void TestCCDRec::priceFilesOfTheDealer()
{
    QTemporaryDir dir;
    // Written whole by tools that end the last line without a line end.
    makeFile(dir, QStringLiteral("HGPrice.dat"), "HG\tPreis\tMwSt\n13\t11.00\t19\n12\t9.50\t19");
    makeFile(dir, QStringLiteral("ETPrice.dat"),
             "TeileNr\tBezeichnung\tPreis\tMwSt\r\n9X0698151A\tBremsbelag\t84.90\t19");
    makeFile(dir, QStringLiteral("Lager.dat"), "TeileNr\tBestand\n9X0698151A\t4\n");
    makeFile(dir, QStringLiteral("Rabatt.dat"),
             "FgstNr\tRabattTeile\tRabattAW\r\nXVQ1F23A57M012345\t90\t95");

    CHGPriceRec hg;
    QCOMPARE(hg.Open(dir.path()), 1);
    // A labour position is priced by its main group, the first two characters.
    QCOMPARE(hg.SearchPrice(QStringLiteral("1234567").left(2)), 1);
    QCOMPARE(hg.Preis, QStringLiteral("9.50"));
    QCOMPARE(hg.MwSt, QStringLiteral("19"));
    QCOMPARE(hg.SearchPrice(QStringLiteral("99")), 0);

    CETPriceRec et;
    QCOMPARE(et.Open(dir.path()), 1);
    QCOMPARE(et.SearchPrice(QStringLiteral("9X0698151A ")), 1);
    QCOMPARE(et.Preis, QStringLiteral("84.90"));
    QCOMPARE(et.SearchPrice(QStringLiteral("9X0698151")), 0);

    CLagerRec lager;
    QCOMPARE(lager.Open(dir.path()), 1);
    QCOMPARE(lager.SearchBestand(QStringLiteral("9X0698151A")), 1);
    QCOMPARE(lager.Bestand, QStringLiteral("4"));

    CRabattRec rabatt;
    QCOMPARE(rabatt.Open(dir.path()), 1);
    QCOMPARE(rabatt.SearchRabatt(QStringLiteral("XVQ1F23A57M012345")), 1);
    QCOMPARE(rabatt.RabattTeile, QStringLiteral("90"));
    QCOMPARE(rabatt.RabattAW, QStringLiteral("95"));

    // A price file that is not there does not open and finds nothing.
    CPauschalRec pauschal;
    QCOMPARE(pauschal.Open(dir.path()), 0);
    QCOMPARE(pauschal.SearchPauschalPreis(QStringLiteral("A0012345")), 0);
}

// A price file that its writer changes while it is read is read again once
// it stands still; one that goes on changing is not opened, and the message
// says so.
void TestCCDRec::priceFileChangedWhileRead_data()
{
    const QByteArray whole = labourPrices("12.50");
    const QByteArray cutInPrice = whole.left(whole.size() - 4); // "11\t12.50", no VAT rate
    const QByteArray cutAtLineEnd = whole.left(whole.lastIndexOf("11\t"));
    QTest::addColumn<QList<QByteArray>>("steps"); // written in place, one before each read
    QTest::addColumn<bool>("renamed");            // the first step renamed over the file instead
    QTest::addColumn<int>("opened");
    QTest::addColumn<QString>("price");
    // clang-format off
    QTest::newRow("rewritten whole in place: the new price")        << QList<QByteArray>{labourPrices("112.50")}       << false << 1 << "112.50";
    // A writer that stops in a line leaves a file that stands still like a
    // whole one: it is read as it stands (the limit the docs name).
    QTest::newRow("cut in the VAT rate and left so: read so")       << QList<QByteArray>{whole.left(whole.size() - 2)} << false << 1 << "12.50";
    QTest::newRow("cut at a line end, then written whole")          << QList<QByteArray>{cutAtLineEnd, whole}          << false << 1 << "12.50";
    QTest::newRow("cut in the first line and left so")              << QList<QByteArray>{"HG\tPr"}                    << false << 1 << "";
    QTest::newRow("cut, written on, then whole")                    << QList<QByteArray>{cutInPrice.left(40), cutInPrice, whole} << false << 1 << "12.50";
    QTest::newRow("rewritten at every read: not opened, told")      << QList<QByteArray>(24, cutInPrice)               << false << 0 << "";
    QTest::newRow("a new file renamed over it: the new price")      << QList<QByteArray>{labourPrices("112.50")}       << true  << 1 << "112.50";
    // clang-format on
}

void TestCCDRec::priceFileChangedWhileRead()
{
    QFETCH(QList<QByteArray>, steps);
    QFETCH(bool, renamed);
    QFETCH(int, opened);
    QFETCH(QString, price);
    QTemporaryDir dir;
    const QString path = makeFile(dir, CHGPriceRec::FileName(), labourPrices("12.50"));
    int reads = 0;
    SetCCDReadHook([&](const QString &read) {
        QCOMPARE(read, path);
        if (reads < steps.size()) {
            if (renamed && reads == 0) {
                const QString fresh = makeFile(dir, QStringLiteral("new.dat"), steps.at(0));
                QVERIFY(QFile::remove(path));
                QVERIFY(QFile::rename(fresh, path));
            } else {
                QVERIFY(rewriteInPlace(path, steps.at(reads)));
            }
        }
        ++reads;
    });
    CHGPriceRec hg;
    const int result = hg.Open(dir.path());
    SetCCDReadHook({});
    QCOMPARE(result, opened);
    QCOMPARE(hg.WasIncomplete(), opened == 0);
    QCOMPARE(hg.SearchPrice(QStringLiteral("11")), price.isEmpty() ? 0 : 1);
    QCOMPARE(hg.Preis, price);
    // The adviser is told which file, and why.
    const QString told = CCDOpenFailureText(hg, path);
    QVERIFY2(told.startsWith(OrmelText(4012) + QLatin1Char(' ') + path), qPrintable(told));
    QCOMPARE(told.contains(QStringLiteral("unvollständig")), opened == 0);
}

// A writer that rewrites the price file in place in pieces of 1 KiB while
// it is read again and again: whatever the moment of a read, the price of
// the last line is the right one or none (the file not opened, or the line
// not yet there), never one of a cut line.
void TestCCDRec::priceFileRewrittenInPiecesGivesNoCutPrice()
{
    QTemporaryDir dir;
    // The last line straddles the end of the eighth piece: a read between
    // the two pieces meets "11<TAB>12.50<TAB>1", the VAT rate cut from 19.
    QByteArray whole = labourPrices("12.50");
    const qsizetype lastLine = whole.lastIndexOf("11\t");
    whole.insert(lastLine - 1, QByteArray(8 * 1024 - 10 - lastLine, 'x'));
    QCOMPARE(whole.mid(8 * 1024 - 10, 10), QByteArray("11\t12.50\t1"));
    const QString path = makeFile(dir, CHGPriceRec::FileName(), whole);
    std::atomic<bool> done{false};
    std::thread writer([&] {
        const QByteArray name = QFile::encodeName(path);
        for (int round = 0; round < 60; ++round) {
            const int fd = ::open(name.constData(), O_WRONLY | O_TRUNC);
            if (fd < 0)
                break;
            for (qsizetype at = 0; at < whole.size(); at += 1024) {
                const auto piece = std::min<qsizetype>(1024, whole.size() - at);
                if (::write(fd, whole.constData() + at, static_cast<size_t>(piece)) != piece)
                    break;
                std::this_thread::sleep_for(std::chrono::microseconds(300 * (round % 4)));
            }
            ::close(fd);
            // Now and then the file stands still long enough to be read.
            if (round % 10 == 9)
                std::this_thread::sleep_for(std::chrono::milliseconds(80));
        }
        done = true;
    });
    int wrong = 0;
    QString seen;
    while (!done) {
        CHGPriceRec hg;
        if (hg.Open(dir.path()) && hg.SearchPrice(QStringLiteral("11")) &&
            (hg.Preis != QLatin1String("12.50") || hg.MwSt != QLatin1String("19"))) {
            ++wrong;
            seen = hg.Preis + QLatin1Char('/') + hg.MwSt;
        }
    }
    writer.join();
    QVERIFY2(wrong == 0,
             qPrintable(QString::number(wrong) + QStringLiteral(" cut prices, as ") + seen));
    CHGPriceRec hg;
    QCOMPARE(hg.Open(dir.path()), 1);
    QCOMPARE(hg.SearchPrice(QStringLiteral("11")), 1);
    QCOMPARE(hg.Preis, QStringLiteral("12.50"));
}

// A writer that rewrites the price file in place at the same length, in
// two pieces of 1 KiB with a pause between them, while readers open it
// again and again: a read gives the prices of the old version or of the
// new one (or none), never those of the file between the two pieces. The
// price of group 11 straddles the pieces: "12.50" and "67.05" give "62.50"
// between them.
void TestCCDRec::priceFileRewrittenInPlaceGivesOneVersion_data()
{
    QTest::addColumn<int>("pauseMs");
    // clang-format off
    QTest::newRow("pauses of 10 ms")  << 10;
    QTest::newRow("pauses of 50 ms")  << 50;
    QTest::newRow("pauses of 200 ms") << 200;
    // clang-format on
}

void TestCCDRec::priceFileRewrittenInPlaceGivesOneVersion()
{
    QFETCH(int, pauseMs);
    const auto version = [](const char *p10, const char *p11, const char *p12) {
        QByteArray head = QByteArray("HG\tPreis\tMwSt\tText\n10\t") + p10 + "\t19\t";
        head += QByteArray(1024 - 5 - head.size(), 'x') + "\n11\t" + p11 + "\t19\n12\t" + p12 +
                "\t19\t";
        return head + QByteArray(2048 - 1 - head.size(), 'y') + '\n';
    };
    const QByteArray versions[2] = {version("31.00", "12.50", "41.00"),
                                    version("36.00", "67.05", "46.00")};
    QCOMPARE(versions[0].size(), 2048);
    QCOMPARE(versions[0].mid(1020, 8), QByteArray("11\t12.50"));
    QTemporaryDir dir;
    const QString path = makeFile(dir, CHGPriceRec::FileName(), versions[0]);

    constexpr int kRounds = 4;
    std::atomic<int> round{0};
    // A round whose pause the machine stretched to the reader's settle time
    // or beyond: a writer the reader does not promise to see.
    std::atomic<bool> overlong[kRounds + 1] = {};
    std::atomic<bool> done{false};
    std::thread writer([&] {
        const QByteArray name = QFile::encodeName(path);
        for (int r = 1; r <= kRounds; ++r) {
            const QByteArray &bytes = versions[r % 2];
            const int fd = ::open(name.constData(), O_WRONLY);
            if (fd < 0)
                break;
            round = r;
            const auto begun = std::chrono::steady_clock::now();
            bool written = ::write(fd, bytes.constData(), 1024) == 1024;
            std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs));
            written = written && ::write(fd, bytes.constData() + 1024, 1024) == 1024;
            overlong[r] = std::chrono::steady_clock::now() - begun >=
                          std::chrono::milliseconds(CCDFile::kSettleMs);
            ::close(fd);
            if (!written)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
        }
        done = true;
    });
    struct Seen
    {
        int from, to; // the rounds the read overlapped
        QString prices;
    };
    std::vector<Seen> seen[3];
    std::vector<std::thread> readers;
    for (auto &own : seen)
        readers.emplace_back([&, mine = &own] {
            while (!done) {
                const int from = round;
                CHGPriceRec hg;
                QString prices = QStringLiteral("not opened");
                if (hg.Open(dir.path())) {
                    prices.clear();
                    for (const char *group : {"10", "11", "12"})
                        prices += (hg.SearchPrice(QLatin1String(group)) ? hg.Preis
                                                                        : QStringLiteral("-")) +
                                  QLatin1Char(' ');
                }
                mine->push_back({from, round, prices});
            }
        });
    for (std::thread &reader : readers)
        reader.join();
    writer.join();
    const QStringList right{QStringLiteral("not opened"), QStringLiteral("31.00 12.50 41.00 "),
                            QStringLiteral("36.00 67.05 46.00 ")};
    int wrong = 0;
    QString example;
    for (const auto &own : seen)
        for (const Seen &read : own) {
            bool judged = true;
            for (int r = read.from; r <= read.to; ++r)
                judged = judged && !overlong[r];
            if (judged && !right.contains(read.prices)) {
                ++wrong;
                example = read.prices;
            }
        }
    QVERIFY2(wrong == 0,
             qPrintable(QString::number(wrong) + QStringLiteral(" reads gave ") + example));
}

void TestCCDRec::flatRateKeyPaddedWithBlanks()
{
    QTemporaryDir dir;
    makeFile(dir, QStringLiteral("Pauschal.dat"),
             "Schluessel\tPreis\tMwSt\nA0012345\t120.00\t19\nP1234567\t299.00\t19\n");
    CPauschalRec rec;
    QCOMPARE(rec.Open(dir.path()), 1);
    QCOMPARE(
        rec.SearchPauschalPreis(QStringLiteral("A0012345").leftJustified(36, QLatin1Char(' '))), 1);
    QCOMPARE(rec.Preis, QStringLiteral("120.00"));
    QCOMPARE(
        rec.SearchPauschalPreis(QStringLiteral("P1234567").leftJustified(35, QLatin1Char(' '))), 1);
    QCOMPARE(rec.Preis, QStringLiteral("299.00"));
    QCOMPARE(rec.SearchPauschalPreis(QStringLiteral("T1234567")), 0);
}

void TestCCDRec::dipPartReplacesCataloguePart()
{
    QTemporaryDir dir;
    makeFile(dir, QStringLiteral("DIP_00.dat"),
             "TeileNr\tErsetztDurchNr\tErsetztDurchText\tPreis\tMwSt\n"
             "9X0698151A\tH-4711\tBremsbelag Händler\t59.00\t19\n");
    CDIPRec rec;
    QCOMPARE(rec.Open(dir.path(), QStringLiteral("01")), 0);
    QCOMPARE(rec.Open(dir.path(), QStringLiteral("00")), 1);
    QCOMPARE(rec.SearchErsetztTeil(QStringLiteral("9X0698151A   X").left(11)), 1);
    QCOMPARE(rec.ErsetztDurchNr, QStringLiteral("H-4711"));
    QCOMPARE(rec.ErsetztDurchText, QStringLiteral("Bremsbelag Händler"));
    QCOMPARE(rec.Preis, QStringLiteral("59.00"));
}

void TestCCDRec::dealerVehicleSearchByWords()
{
    QTemporaryDir dir;
    makeFile(dir, QStringLiteral("FGInfo00.dat"),
             "FgstNr\tPolKZ\tName\tSuchkriterium3\tSuchkriterium4\tFahrzeug\tBemerkung\n"
             "XVQ1F23A57M012345\tMS-VQ 101\tMüller\tK-1001\tA-77\tVQ Arvena\t\n"
             "XVQ2G45B684K56789\tMS-AB 202\tSchmidt-Müller\tK-1002\t\tVQ Tesso\t\n"
             "XVQ1F23A57M012345\tMS-VQ 101\tMüller\tK-1001\t\tVQ Arvena\tzweiter Auftrag\n");
    CFGInfoRec rec;
    QCOMPARE(rec.Open(dir.path(), QStringLiteral("00")), 1);
    QStringList vins;
    for (int ok = rec.MoveName(CCD_MOVE_FIRST, QStringLiteral("müller")); ok;
         ok = rec.MoveName(CCD_MOVE_NEXT, QString()))
        vins << rec.FgstNr;
    QCOMPARE(vins, QStringList(
                       {QStringLiteral("XVQ1F23A57M012345"), QStringLiteral("XVQ1F23A57M012345")}));
    QCOMPARE(rec.MovePolKZ(CCD_MOVE_FIRST, QStringLiteral("ms-ab 202")), 1);
    QCOMPARE(rec.FgstNr, QStringLiteral("XVQ2G45B684K56789"));
    QCOMPARE(rec.Fahrzeug, QStringLiteral("VQ Tesso"));
    QCOMPARE(rec.MoveSuchkriterium3(CCD_MOVE_FIRST, QStringLiteral("K-1002")), 1);
    QCOMPARE(rec.Name, QStringLiteral("Schmidt-Müller"));
    QCOMPARE(rec.MoveSuchkriterium4(CCD_MOVE_FIRST, QStringLiteral("A-77")), 1);
    QCOMPARE(rec.MoveSuchkriterium4(CCD_MOVE_NEXT, QString()), 0);
}

void TestCCDRec::marketPartsAndTextsInFileOrder()
{
    QTemporaryDir dir;
    makeFile(dir, QStringLiteral("DIPMarkt.dat"),
             "TeileNr\tBezeichnung\tGebinde\tTyp\tAnzeige\n"
             "9XA09600400\tScheibenreiniger\t1 l, 5 l\t1\t1\n"
             "9X0698151B \tBremsbelag\t1\t0\t0\n");
    makeFile(dir, QStringLiteral("DIPMarktText.dat"),
             "Sprache\tTitel\tText\n00\tHinweis\tZeile 1\\nZeile 2\n01\tNotice\tLine\n");
    CDIPMarktRec parts;
    QCOMPARE(parts.Open(dir.path()), 1);
    QStringList types;
    for (int ok = parts.MoveDIPPaketFromBegin(CCD_MOVE_FIRST); ok;
         ok = parts.MoveDIPPaketFromBegin(CCD_MOVE_NEXT))
        types << parts.Typ + parts.Anzeige;
    QCOMPARE(types, QStringList({QStringLiteral("11"), QStringLiteral("00")}));

    CDIPMarktTextRec texts;
    QCOMPARE(texts.Open(dir.path()), 1);
    QCOMPARE(texts.MoveDIPPaketFromBegin(CCD_MOVE_FIRST), 1);
    QCOMPARE(texts.Sprache, QStringLiteral("00"));
    QCOMPARE(texts.Text, QStringLiteral("Zeile 1\nZeile 2"));
    QCOMPARE(texts.MoveDIPPaketFromBegin(CCD_MOVE_NEXT), 1);
    QCOMPARE(texts.Titel, QStringLiteral("Notice"));
    QCOMPARE(texts.MoveDIPPaketFromBegin(CCD_MOVE_NEXT), 0);
}

void TestCCDRec::inclusiveServiceContractsOfVin()
{
    QTemporaryDir dir;
    makeFile(dir, QStringLiteral("HLXFgstNr.dat"),
             "FgstNr\tProduktNr\tBeginn\tEnde\n"
             "XVQ1F23A57M012345\tHLX01\t01.01.2025\t31.12.2027\n"
             "XVQ2G45B684K56789\tHLX02\t01.06.2024\t31.05.2026\n"
             "XVQ1F23A57M012345\tHLX03\t01.01.2025\t31.12.2029\n");
    CHLXFgstNrRec rec;
    QCOMPARE(rec.Open(dir.path()), 1);
    QStringList products;
    for (int ok = rec.MoveHLXFgstNr(CCD_MOVE_FIRST, QStringLiteral("XVQ1F23A57M012345")); ok;
         ok = rec.MoveHLXFgstNr(CCD_MOVE_NEXT, QString()))
        products << rec.ProduktNr;
    QCOMPARE(products, QStringList({QStringLiteral("HLX01"), QStringLiteral("HLX03")}));

    makeFile(dir, QStringLiteral("MRKTNG_ATT.dat"),
             "Schluessel\tFastlane\tValueline\nVQ011234567\t1\t0\n");
    CMrktngAttRec att;
    QCOMPARE(att.Open(dir.path()), 1);
    QCOMPARE(att.SearchFstlnValueln(QStringLiteral("VQ01") + QStringLiteral("1234567")), 1);
    QCOMPARE(att.Fastlane, QStringLiteral("1"));
    QCOMPARE(att.Valueline, QStringLiteral("0"));
}

void TestCCDRec::fileNamesOfTheRecordClasses()
{
    // The names appear in the open-error messages and in the dealer's folders.
    QCOMPARE(CHGPriceRec::FileName(), QStringLiteral("HGPrice.dat"));
    QCOMPARE(CETPriceRec::FileName(), QStringLiteral("ETPrice.dat"));
    QCOMPARE(CPauschalRec::FileName(), QStringLiteral("Pauschal.dat"));
    QCOMPARE(CRabattRec::FileName(), QStringLiteral("Rabatt.dat"));
    QCOMPARE(CLagerRec::FileName(), QStringLiteral("Lager.dat"));
    QCOMPARE(CDIPRec::FileName(QStringLiteral("00")), QStringLiteral("DIP_00.dat"));
    QCOMPARE(CFGInfoRec::FileName(QStringLiteral("01")), QStringLiteral("FGInfo01.dat"));
}

void TestCCDRec::demoDealerFilesLoad()
{
    const QString datas = QStringLiteral(YAQ_DEMO_DATAS_DIR);
    const QString dealer = JoinPath(datas, QStringLiteral("Dealer"));
    const QString vin1 = QStringLiteral("XVQ1F23A57M012345");
    const QString vin2 = QStringLiteral("XVQ2G45B684K56789");

    CHGPriceRec hg;
    QCOMPARE(hg.Open(dealer), 1);
    QCOMPARE(hg.SearchPrice(QStringLiteral("10")), 1);
    CETPriceRec et;
    QCOMPARE(et.Open(dealer), 1);
    QVERIFY(et.GetFileEntries() > 10);
    CPauschalRec pauschal;
    QCOMPARE(pauschal.Open(dealer), 1);
    QVERIFY(pauschal.GetFileEntries() > 0);
    CRabattRec rabatt;
    QCOMPARE(rabatt.Open(dealer), 1);
    QCOMPARE(rabatt.SearchRabatt(vin1), 1);
    QCOMPARE(rabatt.SearchRabatt(vin2), 1);
    CLagerRec lager;
    QCOMPARE(lager.Open(dealer), 1);
    QVERIFY(lager.GetFileEntries() > 0);
    CMrktngAttRec att;
    QCOMPARE(att.Open(dealer), 1);
    QVERIFY(att.GetFileEntries() > 0);
    CDIPMarktRec markt;
    QCOMPARE(markt.Open(dealer), 1);
    QVERIFY(markt.GetFileEntries() > 0);
    CDIPMarktTextRec marktText;
    QCOMPARE(marktText.Open(dealer), 1);
    QVERIFY(marktText.GetFileEntries() > 0);
    for (const QString &language : {QStringLiteral("00"), QStringLiteral("01")}) {
        CDIPRec dip;
        QCOMPARE(dip.Open(dealer, language), 1);
        QVERIFY(dip.GetFileEntries() > 0);
        CFGInfoRec fg;
        QCOMPARE(fg.Open(dealer, language), 1);
        QCOMPARE(fg.MoveName(CCD_MOVE_FIRST, QStringLiteral("Müller")), 1);
        QCOMPARE(fg.FgstNr, vin1);
        QCOMPARE(fg.MovePolKZ(CCD_MOVE_FIRST, QStringLiteral("MS-AB 202")), 1);
        QCOMPARE(fg.FgstNr, vin2);
    }
    CHLXFgstNrRec hlx;
    QCOMPARE(hlx.Open(JoinPath(datas, QStringLiteral("HLX"))), 1);
    QCOMPARE(hlx.MoveHLXFgstNr(CCD_MOVE_FIRST, vin1), 1);
}

YAQ_TEST_GUILESS_MAIN(TestCCDRec)
#include "tst_ccdrec.moc"
