// The steps that choose what a level of the labour-value catalogue shows:
// positions kept by their values, the special positions 249 and 250, the
// headings of joint and additional work, the row selected after a filter;
// and the store that keeps a level's rows from one read to the next.
//
// Rows are written "number", "number:code" (a leading row of that code) or
// "number:code>reference" (a following row), each with "@line" when its
// catalogue line matters.

#include "catalogues/model/AwKatLevelRows.h"
#include "catalogues/model/AwKatRowStore.h"
#include "support/TestMain.h"

#include <QtTest>

#include <memory>

namespace {

struct Rows
{
    std::vector<std::unique_ptr<CAwKatRow>> owned;
    AwKatRows rows;

    explicit Rows(const QString &text)
    {
        for (const QString &token : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            auto row = std::make_unique<CAwKatRow>();
            QString rest = token;
            const qsizetype at = rest.indexOf(QLatin1Char('@'));
            if (at >= 0) {
                row->LineFrom = rest.mid(at + 1);
                rest.truncate(at);
            }
            const QStringList parts = rest.split(QLatin1Char(':'));
            row->Number = parts.at(0);
            if (parts.size() > 1) {
                const QStringList codeRef = parts.at(1).split(QLatin1Char('>'));
                row->Code = codeRef.at(0);
                row->Reference = codeRef.value(1);
            }
            row->Type = AW_POSITION;
            row->Leading = row->Code.isEmpty() || row->Reference.isEmpty();
            rows.push_back(row.get());
            owned.push_back(std::move(row));
        }
    }
    // The rows of these numbers, in their order here.
    AwKatRows Of(const QString &numbers) const
    {
        const QStringList wanted = numbers.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        AwKatRows picked;
        for (CAwKatRow *row : rows) {
            if (wanted.contains(row->Number))
                picked.push_back(row);
        }
        return picked;
    }
    CAwKatRow *Row(const QString &number) const
    {
        const AwKatRows picked = Of(number);
        return picked.empty() ? nullptr : picked.front();
    }
};

QString Numbers(const AwKatRows &rows)
{
    QStringList numbers;
    for (const CAwKatRow *row : rows)
        numbers << row->Number;
    return numbers.join(QLatin1Char(' '));
}

} // namespace

class TestAwKatLevelRows : public QObject
{
    Q_OBJECT
private slots:
    void valuedPositions_data();
    void valuedPositions();
    void withoutReplacedSpecial_data();
    void withoutReplacedSpecial();
    void markHeadings_data();
    void markHeadings();
    void currentRow_data();
    void currentRow();
    void storeKeepsItsRows_data();
    void storeKeepsItsRows();
};

void TestAwKatLevelRows::valuedPositions_data()
{
    QTest::addColumn<QString>("rows");
    QTest::addColumn<QString>("valued");
    QTest::addColumn<QString>("kept");
    // clang-format off
    QTest::newRow("a leading row by its own values")              << "1 2"            << "1"     << "1";
    QTest::newRow("a following row after its kept leading row")   << "1 2:V>1"        << "1 2"   << "1 2";
    QTest::newRow("a following row needs values of its own")      << "1 2:V>1"        << "1"     << "1";
    QTest::newRow("no following row after a dropped leading row") << "1 2:V>1"        << "2"     << "";
    QTest::newRow("the next leading row starts over")             << "1 2:V>1 3 4:Z>3" << "2 3 4" << "3 4";
    // clang-format on
}

void TestAwKatLevelRows::valuedPositions()
{
    QFETCH(QString, rows);
    QFETCH(QString, valued);
    QFETCH(QString, kept);
    const Rows level(rows);
    const QStringList withValues = valued.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QStringList asked;
    const AwKatRows shown = AwKatLevelRows::ValuedPositions(level.rows, [&](CAwKatRow *row) {
        asked << row->Number;
        return withValues.contains(row->Number);
    });
    QCOMPARE(Numbers(shown), kept);
    QCOMPARE(asked.size(), qsizetype(QSet<QString>(asked.begin(), asked.end()).size()));
}

void TestAwKatLevelRows::withoutReplacedSpecial_data()
{
    QTest::addColumn<QString>("rows");
    QTest::addColumn<QString>("kept");
    // clang-format off
    QTest::newRow("250 drops the 249 before it, with its following row") << "0000249 0000248:V>0000249 0000250 0000251:V>0000250" << "0000250 0000251";
    QTest::newRow("250 drops the 249 after it, with its following row")  << "0000250 0000249 0000248:V>0000249 0000260"           << "0000250 0000260";
    QTest::newRow("249 without 250 stays")                               << "0000249 0000248:V>0000249 0000260"                   << "0000249 0000248 0000260";
    QTest::newRow("the rows between the dropped 249 and 250 stay")       << "0000249 0000248:V>0000249 0000260 0000250"           << "0000260 0000250";
    // clang-format on
}

void TestAwKatLevelRows::withoutReplacedSpecial()
{
    QFETCH(QString, rows);
    QFETCH(QString, kept);
    const Rows level(rows);
    QCOMPARE(Numbers(AwKatLevelRows::WithoutReplacedSpecial(level.rows)), kept);
}

void TestAwKatLevelRows::markHeadings_data()
{
    QTest::addColumn<QString>("rows");
    QTest::addColumn<QString>("headed");
    // clang-format off
    QTest::newRow("the head of a run of joint work")          << "1:V 2:V>1 3:V>1"       << "2";
    QTest::newRow("another reference heads again")            << "1:V 2:V>1 3:Z>5"       << "2 3";
    QTest::newRow("a row without code ends the run")          << "1:V 2 3:V>1"           << "";
    QTest::newRow("after an I row: a reference from its line") << "1:I@0100 2:V>0100"    << "2";
    QTest::newRow("after an I row: not before its line")      << "1:I@0100 2:V>0050"     << "";
    // clang-format on
}

void TestAwKatLevelRows::markHeadings()
{
    QFETCH(QString, rows);
    QFETCH(QString, headed);
    const Rows level(rows);
    AwKatLevelRows::MarkHeadings(level.rows);
    AwKatRows withHeading;
    for (CAwKatRow *row : level.rows) {
        if (row->HeadingShown)
            withHeading.push_back(row);
    }
    QCOMPARE(Numbers(withHeading), headed);
}

void TestAwKatLevelRows::currentRow_data()
{
    QTest::addColumn<QString>("rows");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("current");
    QTest::addColumn<bool>("selectFirst");
    QTest::addColumn<QString>("selected");
    // clang-format off
    QTest::newRow("the current row, when shown")        << "1 2 3" << "1 2 3" << "2" << false << "2";
    QTest::newRow("the next shown row after it")        << "1 2 3" << "1 3"   << "2" << false << "3";
    QTest::newRow("else the last shown row before it")  << "1 2 3" << "1"     << "3" << false << "1";
    QTest::newRow("the first shown row without one")    << "1 2 3" << "2 3"   << ""  << false << "2";
    QTest::newRow("the first shown row from the top")   << "1 2 3" << "2 3"   << "3" << true  << "2";
    QTest::newRow("none when nothing is shown")         << "1 2 3" << ""      << "2" << false << "";
    // clang-format on
}

void TestAwKatLevelRows::currentRow()
{
    QFETCH(QString, rows);
    QFETCH(QString, shown);
    QFETCH(QString, current);
    QFETCH(bool, selectFirst);
    QFETCH(QString, selected);
    const Rows level(rows);
    const CAwKatRow *row =
        AwKatLevelRows::CurrentRow(level.rows, level.Of(shown), level.Row(current), selectFirst);
    QCOMPARE(row ? row->Number : QString(), selected);
}

void TestAwKatLevelRows::storeKeepsItsRows_data()
{
    // Rows: rows of a first read, rows of the read after it (their room
    // taken again) -> every row stays where it was made, and a row taken
    // again starts empty.
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    // clang-format off
    QTest::newRow("within the first block")             << 10    << 5;
    QTest::newRow("the first block full")               << 64    << 64;
    QTest::newRow("into the second block")              << 65    << 70;
    QTest::newRow("every growing block, one more")      << 8128  << 8129;
    QTest::newRow("blocks of the largest size, fewer")  << 20000 << 9000;
    // clang-format on
}

void TestAwKatLevelRows::storeKeepsItsRows()
{
    QFETCH(int, first);
    QFETCH(int, second);
    CAwKatRowStore store;
    std::vector<CAwKatRow *> made;
    for (int i = 0; i < first; ++i) {
        CAwKatRow *row = store.Add();
        row->Number = QString::number(i);
        row->ValuesRead = true;
        row->ValueLines.emplace_back();
        made.push_back(row);
    }
    for (int i = 0; i < first; ++i)
        QVERIFY2(store.At(size_t(i)) == made[size_t(i)] && made[size_t(i)]->Number.toInt() == i,
                 qPrintable(QString::number(i)));
    store.Clear();
    for (int i = 0; i < second; ++i) {
        CAwKatRow *row = store.Add();
        QVERIFY2(i >= first || row == made[size_t(i)], qPrintable(QString::number(i)));
        QVERIFY2(row->Number.isEmpty() && !row->ValuesRead && row->ValueLines.empty(),
                 qPrintable(QString::number(i)));
    }
    QCOMPARE(store.Size(), size_t(second));
}

YAQ_TEST_GUILESS_MAIN(TestAwKatLevelRows)
#include "tst_awkatlevelrows.moc"
