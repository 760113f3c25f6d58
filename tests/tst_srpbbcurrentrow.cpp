// The adviser's current row in the position list of a package: moving or
// clicking onto a group line steps over it in the direction of travel, and
// the row then highlighted is the one the keys go on from and the one
// "AW - Editieren" is opened for; a refill keeps the current line.

#include "common/OwnBearbLB.h"
#include "packages/SRPBbCurrentRow.h"
#include "packages/SRPBbRowModel.h"
#include "packages/model/Position.h"
#include "support/TestMain.h"
#include "support/Waits.h"

#include <QPushButton>
#include <QtTest>

#include <memory>
#include <vector>

namespace {

// group, 7200001 (labour value editable), group, 7100002 (not: of group 71,
// not 72), part, group.
struct Lines
{
    std::vector<std::unique_ptr<CPosition>> owned;

    Lines()
    {
        for (const auto &[type, number] : {std::pair{POS_GROUP, "G1"},
                                           {POS_WORK, "7200001"},
                                           {POS_GROUP, "G2"},
                                           {POS_WORK, "7100002"},
                                           {POS_PART, "9X0000003"},
                                           {POS_GROUP, "G3"}}) {
            auto line = std::make_unique<CPosition>();
            line->Type = type;
            line->Number = QString::fromLatin1(number);
            owned.push_back(std::move(line));
        }
    }
    std::vector<CPosition *> Rows() const
    {
        std::vector<CPosition *> rows;
        for (const auto &line : owned)
            rows.push_back(line.get());
        return rows;
    }
};

} // namespace

class TestSRPBbCurrentRow : public QObject
{
    Q_OBJECT
private slots:
    void movesOverGroupLines_data();
    void movesOverGroupLines();
};

void TestSRPBbCurrentRow::movesOverGroupLines_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("steps"); // "down", "up", "click N", "refill", "refill lost"
    QTest::addColumn<int>("expected");
    QTest::addColumn<bool>("editable");
    // clang-format off
    QTest::newRow("down onto a group line goes on to the row below") << 1 << "down" << 3 << false;
    QTest::newRow("up onto a group line goes on to the row above") << 3 << "up" << 1 << true;
    QTest::newRow("down onto the last row, a group line, goes back") << 4 << "down" << 4 << false;
    QTest::newRow("up onto the first row, a group line, goes back") << 1 << "up" << 1 << true;
    QTest::newRow("the next key goes on from the row reached") << 1 << "down down" << 4 << false;
    QTest::newRow("the key back goes on from the row reached") << 3 << "up down" << 3 << false;
    QTest::newRow("a click on a group line below goes to the row below") << 1 << "click 2" << 3 << false;
    QTest::newRow("a click on a group line above goes to the row above") << 4 << "click 2" << 1 << true;
    QTest::newRow("a click on the last row, a group line, goes back") << 1 << "click 5" << 4 << false;
    QTest::newRow("a click and a key go on from the row reached") << 4 << "click 2 down" << 3 << false;
    QTest::newRow("a refill keeps the current line") << 3 << "refill" << 3 << false;
    QTest::newRow("a refill without the line keeps the row") << 1 << "refill lost" << 1 << true;
    // clang-format on
}

void TestSRPBbCurrentRow::movesOverGroupLines()
{
    QFETCH(int, start);
    QFETCH(QString, steps);
    QFETCH(int, expected);
    QFETCH(bool, editable);

    Lines lines;
    QWidget window;
    auto *list = new COwnBearbLB(&window);
    auto *model = new CSRPBbRowModel(&window);
    auto *edit = new QPushButton(&window);
    list->setModel(model);
    list->setGeometry(0, 0, 300, 400);
    CSRPBbCurrentRow current;
    current.Attach(list, model, edit);
    model->SetRows(lines.Rows());
    current.Show(lines.owned[size_t(start)].get());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window, YaqTest::kHangMs));
    list->setFocus();

    const QStringList words = steps.split(QLatin1Char(' '));
    for (int i = 0; i < words.size(); ++i) {
        const QString &word = words.at(i);
        if (word == QLatin1String("down")) {
            QTest::keyClick(list, Qt::Key_Down);
        } else if (word == QLatin1String("up")) {
            QTest::keyClick(list, Qt::Key_Up);
        } else if (word == QLatin1String("click")) {
            const QModelIndex row = model->index(words.at(++i).toInt());
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(row).center());
        } else if (word == QLatin1String("refill")) {
            const CPosition *line = model->LineAt(list->currentIndex().row());
            model->SetRows(lines.Rows());
            const bool lost = i + 1 < words.size() && words.at(i + 1) == QLatin1String("lost");
            i += lost ? 1 : 0;
            current.Show(lost ? nullptr : line);
        }
        QCoreApplication::processEvents();
    }

    QCOMPARE(list->currentIndex().row(), expected);
    const QModelIndexList selected = list->selectionModel()->selectedIndexes();
    QCOMPARE(selected.size(), 1);
    QCOMPARE(selected.first().row(), expected);
    QCOMPARE(edit->isEnabled(), editable);
}

YAQ_TEST_MAIN(TestSRPBbCurrentRow)

#include "tst_srpbbcurrentrow.moc"
