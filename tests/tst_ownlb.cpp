// The owner-drawn list boxes: which badge of which row a mouse event hits
// (also after scrolling), what the package list reports for it, the delayed
// single click of the editing list, and that a long list measures only the
// rows it shows while the keys still move as in any list.

#include "common/OwnBearbLB.h"
#include "common/OwnLBDelegate.h"
#include "common/OwnYaqLB.h"

#include "support/TestEnv.h"
#include "support/Waits.h"
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStringListModel>
#include <QStyleHints>

#include <QtTest>

#include <memory>

namespace {

// Rows "Paket <n>" 20, 30 and 40 pixels high by n in turn, 50 more when the
// text ends in "+"; the badges 16 pixels wide side by side from x = 10, the
// information area from x = 100, all 2 pixels inside the row's top and bottom.
class RowPainter : public COwnLBDelegate, public IOwnYaqRowHits
{
public:
    static int Height(int n) { return 20 + (n % 3) * 10; }

    COwnYaqRowHits RowHits(const QModelIndex &, const CRect &r) const override
    {
        COwnYaqRowHits hits;
        for (int i = 0; i < COwnYaqRowHits::kIcons; ++i)
            hits.icons[i] =
                CRect(r.left + 10 + 20 * i, r.top + 2, r.left + 26 + 20 * i, r.bottom - 2);
        hits.info = CRect(r.left + 100, r.top + 2, r.left + 140, r.bottom - 2);
        return hits;
    }

    mutable int measured = 0;
    mutable int estimated = 0; // a layout pass asks every row's estimate once

protected:
    void PaintRow(QPainter *painter, const QStyleOptionViewItem &option,
                  const QModelIndex &) const override
    {
        painter->fillRect(option.rect,
                          option.state & QStyle::State_Selected ? Qt::blue : Qt::white);
    }
    int MeasureRowHeight(const QStyleOptionViewItem &, const QModelIndex &index) const override
    {
        ++measured;
        const QString text = index.data().toString();
        const int n = text.section(QLatin1Char(' '), 1).remove(QLatin1Char('+')).toInt();
        return Height(n) + (text.endsWith(QLatin1Char('+')) ? 50 : 0);
    }
    int EstimateRowHeight(const QModelIndex &index) const override
    {
        ++estimated;
        return COwnLBDelegate::EstimateRowHeight(index);
    }
};

QStringList rowTexts(int rows)
{
    QStringList texts;
    for (int row = 0; row < rows; ++row)
        texts << QStringLiteral("Paket %1").arg(row);
    return texts;
}

// A package list of that many rows, shown 300 by 200 pixels, scrolled so
// that the row top is the first one shown; it logs what it reports.
struct PackageList
{
    QStringListModel model;
    RowPainter painter;
    COwnYaqLB list;
    QStringList log;

    PackageList(int rows, int top)
    {
        model.setStringList(rowTexts(rows));
        list.setItemDelegate(&painter);
        list.SetRowHits(&painter);
        list.setModel(&model);
        list.resize(300, 200);
        // The real pointer, wherever it rests on the screen, moves nothing
        // over the list: on a real display its crossings and moves would
        // reach the list besides the test's own, at a time of their own.
        list.setWindowFlag(Qt::WindowTransparentForInput);
        list.show();
        list.verticalScrollBar()->setValue(top);
        const auto row = [](const QModelIndex &index) { return index.row(); };
        QObject::connect(&list, &COwnYaqLB::mouseOverRow, [this, row](const QModelIndex &i) {
            log << QStringLiteral("over row %1").arg(row(i));
        });
        QObject::connect(&list, &COwnYaqLB::infoHovered, [this, row](const QModelIndex &i) {
            log << QStringLiteral("info row %1").arg(row(i));
        });
        QObject::connect(&list, &COwnYaqLB::iconPressed,
                         [this, row](int icon, const QModelIndex &i) {
                             log << QStringLiteral("pressed %1 row %2").arg(icon).arg(row(i));
                         });
        QObject::connect(&list, &COwnYaqLB::iconClicked,
                         [this, row](int icon, const QModelIndex &i) {
                             log << QStringLiteral("clicked %1 row %2").arg(icon).arg(row(i));
                         });
    }

    // The mouse moved to a point of the list with no button down, as the
    // window system tells the list: a move, or that it left the list for a
    // point off it. QTest::mouseMove would move the real pointer instead and
    // leave the list to hear of it some time later, or not at all when the
    // pointer rests there already.
    void MoveTo(const QPoint &pos)
    {
        if (!list.viewport()->rect().contains(pos)) {
            QEvent leave(QEvent::Leave);
            QCoreApplication::sendEvent(list.viewport(), &leave);
            return;
        }
        QMouseEvent move(QEvent::MouseMove, pos, list.viewport()->mapToGlobal(pos), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(list.viewport(), &move);
    }

    // A point of the row as the row lies now: "icon1" to "icon4", "info",
    // "text" (right of the badges and the information area), the borders
    // "icon1 left", "icon4 bottom" and "info top"; row -1 is below the last
    // row, "outside" off the list.
    QPoint At(int row, const QString &where) const
    {
        if (where == QLatin1String("outside"))
            return QPoint(-50, -50);
        if (row < 0)
            return QPoint(20, list.viewport()->height() - 3);
        const QRect r = list.visualRect(model.index(row));
        const COwnYaqRowHits hits =
            painter.RowHits(QModelIndex(), CRect(r.left(), r.top(), r.right() + 1, r.bottom() + 1));
        const auto centre = [](const CRect &c) {
            return QPoint((c.left + c.right) / 2, (c.top + c.bottom) / 2);
        };
        if (where.startsWith(QLatin1String("icon"))) {
            const CRect icon = hits.icons[where.mid(4, 1).toInt() - 1];
            if (where.endsWith(QLatin1String("left")))
                return QPoint(icon.left, centre(icon).y());
            if (where.endsWith(QLatin1String("bottom")))
                return QPoint(centre(icon).x(), icon.bottom);
            return centre(icon);
        }
        if (where == QLatin1String("info"))
            return centre(hits.info);
        if (where == QLatin1String("info top"))
            return QPoint(centre(hits.info).x(), hits.info.top);
        return QPoint(200, r.center().y());
    }
};

} // namespace

class TestOwnLB : public QObject
{
    Q_OBJECT
private slots:
    void pressAndRelease_data();
    void pressAndRelease();
    void mouseMove_data();
    void mouseMove();
    void delayedClick_data();
    void delayedClick();
    void longListMeasuresOnlyWhatItShows_data();
    void longListMeasuresOnlyWhatItShows();
    void openingLaysTheRowsOutOnce();
    void scrolledToTheEndShowsTheLastRow();
    void heightsFollowTheirRows_data();
    void heightsFollowTheirRows();
};

void TestOwnLB::pressAndRelease_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("pressRow");
    QTest::addColumn<QString>("pressAt");
    QTest::addColumn<int>("releaseRow");
    QTest::addColumn<QString>("releaseAt");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("current");
    // clang-format off
    QTest::newRow("click on icon 1")                         << 50 << 0  << 2  << "icon1"        << 2  << "icon1" << "pressed 1 row 2; clicked 1 row 2"   << 2;
    QTest::newRow("click on icon 2")                         << 50 << 0  << 1  << "icon2"        << 1  << "icon2" << "pressed 2 row 1; clicked 2 row 1"   << 1;
    QTest::newRow("click on icon 3")                         << 50 << 0  << 3  << "icon3"        << 3  << "icon3" << "pressed 3 row 3; clicked 3 row 3"   << 3;
    QTest::newRow("click on icon 4")                         << 50 << 0  << 4  << "icon4"        << 4  << "icon4" << "pressed 4 row 4; clicked 4 row 4"   << 4;
    QTest::newRow("click on icon 3 of a row scrolled in")    << 50 << 20 << 23 << "icon3"        << 23 << "icon3" << "pressed 3 row 23; clicked 3 row 23" << 23;
    QTest::newRow("click on icon 1 of the first row shown")  << 50 << 20 << 20 << "icon1"        << 20 << "icon1" << "pressed 1 row 20; clicked 1 row 20" << 20;
    QTest::newRow("icon 1 pressed, released outside icons")  << 50 << 0  << 2  << "icon1"        << 2  << "text"  << "pressed 1 row 2"                    << 2;
    QTest::newRow("icon 1 pressed, released on icon 2")      << 50 << 0  << 2  << "icon1"        << 2  << "icon2" << "pressed 1 row 2"                    << 2;
    QTest::newRow("icon 2 pressed, released on another row") << 50 << 0  << 2  << "icon2"        << 3  << "icon2" << "pressed 2 row 2"                    << 2;
    QTest::newRow("press on the left border of icon 1")      << 50 << 0  << 2  << "icon1 left"   << 2  << "icon1" << ""                                   << 2;
    QTest::newRow("press on the bottom border of icon 4")    << 50 << 0  << 2  << "icon4 bottom" << 2  << "icon4" << ""                                   << 2;
    QTest::newRow("press in the row's text")                 << 50 << 0  << 2  << "text"         << 2  << "text"  << ""                                   << 2;
    QTest::newRow("press below the last row keeps the row")  << 3  << 0  << -1 << "text"         << -1 << "text"  << ""                                   << 0;
    // clang-format on
}

void TestOwnLB::pressAndRelease()
{
    QFETCH(int, rows);
    QFETCH(int, top);
    QFETCH(int, pressRow);
    QFETCH(QString, pressAt);
    QFETCH(int, releaseRow);
    QFETCH(QString, releaseAt);
    QFETCH(QString, expected);
    QFETCH(int, current);
    PackageList p(rows, top);
    QVERIFY(QTest::qWaitForWindowExposed(&p.list, YaqTest::kHangMs));
    QCOMPARE(p.list.indexAt(QPoint(0, 0)).row(), top);

    QTest::mousePress(p.list.viewport(), Qt::LeftButton, {}, p.At(pressRow, pressAt));
    QTest::mouseRelease(p.list.viewport(), Qt::LeftButton, {}, p.At(releaseRow, releaseAt));
    QCOMPARE(p.log.join(QStringLiteral("; ")), expected);
    QCOMPARE(p.list.currentIndex().row(), current);
}

void TestOwnLB::mouseMove_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("at");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("hand");
    QTest::addColumn<int>("mouseOver");
    // clang-format off
    QTest::newRow("inside icon 1")                        << 50 << 0  << 2  << "icon1"        << "over row 2"             << true  << 2;
    QTest::newRow("inside icon 4")                        << 50 << 0  << 4  << "icon4"        << "over row 4"             << true  << 4;
    QTest::newRow("inside icon 2 of a row scrolled in")   << 50 << 20 << 23 << "icon2"        << "over row 23"            << true  << 23;
    QTest::newRow("on the left border of icon 1")         << 50 << 0  << 2  << "icon1 left"   << "over row 2"             << false << 2;
    QTest::newRow("on the bottom border of icon 4")       << 50 << 0  << 2  << "icon4 bottom" << "over row 2"             << false << 2;
    QTest::newRow("inside the information area")          << 50 << 0  << 2  << "info"         << "over row 2; info row 2" << false << 2;
    QTest::newRow("on the top border of the information") << 50 << 0  << 2  << "info top"     << "over row 2"             << false << 2;
    QTest::newRow("in the row's text")                    << 50 << 0  << 2  << "text"         << "over row 2"             << false << 2;
    QTest::newRow("below the last row")                   << 3  << 0  << -1 << "text"         << ""                       << false << -1;
    QTest::newRow("off the list")                         << 50 << 0  << 2  << "outside"      << ""                       << false << -1;
    // clang-format on
}

void TestOwnLB::mouseMove()
{
    QFETCH(int, rows);
    QFETCH(int, top);
    QFETCH(int, row);
    QFETCH(QString, at);
    QFETCH(QString, expected);
    QFETCH(bool, hand);
    QFETCH(int, mouseOver);
    PackageList p(rows, top);
    QVERIFY(QTest::qWaitForWindowExposed(&p.list, YaqTest::kHangMs));

    // First over a badge of the first row shown: the hand must go again.
    p.MoveTo(p.At(top, QStringLiteral("icon1")));
    QCOMPARE(p.list.viewport()->cursor().shape(), Qt::PointingHandCursor);
    p.log.clear();
    p.MoveTo(p.At(row, at));
    QCOMPARE(p.log.join(QStringLiteral("; ")), expected);
    QCOMPARE(p.list.viewport()->cursor().shape(), hand ? Qt::PointingHandCursor : Qt::ArrowCursor);
    QCOMPARE(p.list.MouseOverRow().row(), mouseOver);
}

void TestOwnLB::delayedClick_data()
{
    QTest::addColumn<bool>("doubleClick");
    QTest::addColumn<int>("expected");
    // clang-format off
    QTest::newRow("one click")    << false << 1;
    QTest::newRow("double click") << true  << 0;
    // clang-format on
}

void TestOwnLB::delayedClick()
{
    QFETCH(bool, doubleClick);
    QFETCH(int, expected);
    QStringListModel model(rowTexts(5));
    COwnBearbLB list;
    list.setModel(&model);
    list.resize(200, 150);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list, YaqTest::kHangMs));
    QList<int> reported;
    QElapsedTimer clock;
    qint64 reportedAfter = -1;
    connect(&list, &COwnBearbLB::delayedClick, [&](const QModelIndex &row) {
        reported << row.row();
        reportedAfter = clock.elapsed();
    });
    const int interval = QGuiApplication::styleHints()->mouseDoubleClickInterval();
    const QPoint pos = list.visualRect(model.index(1)).center();

    // The clock starts before the click, so that it runs at least as long as
    // the list's own wait, however late the test gets its turn after the
    // click.
    clock.start();
    QTest::mousePress(list.viewport(), Qt::LeftButton, {}, pos);
    QTest::mouseRelease(list.viewport(), Qt::LeftButton, {}, pos);
    if (doubleClick) {
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, pos);
        QTest::mouseRelease(list.viewport(), Qt::LeftButton, {}, pos);
    }
    QTest::qWait(interval + 200);
    // The list's timer is due by now: it fires here if the wait ended before
    // its turn came.
    QCoreApplication::processEvents();
    QCOMPARE(reported.size(), expected);
    if (expected) {
        QCOMPARE(reported.first(), 1);
        QVERIFY2(reportedAfter >= interval + 10, qPrintable(QString::number(reportedAfter)));
    }
}

void TestOwnLB::longListMeasuresOnlyWhatItShows_data()
{
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<int>("current"); // -2: a row below the first screen
    // clang-format off
    QTest::newRow("opened")          << QList<int>{}                                   << 0;
    QTest::newRow("arrow down")      << QList<int>{Qt::Key_Down}                       << 1;
    QTest::newRow("End")             << QList<int>{Qt::Key_End}                        << 9999;
    QTest::newRow("End, arrow up")   << QList<int>{Qt::Key_End, Qt::Key_Up}            << 9998;
    QTest::newRow("End, Home")       << QList<int>{Qt::Key_End, Qt::Key_Home}          << 0;
    QTest::newRow("page down twice") << QList<int>{Qt::Key_PageDown, Qt::Key_PageDown} << -2;
    // clang-format on
}

void TestOwnLB::longListMeasuresOnlyWhatItShows()
{
    QFETCH(QList<int>, keys);
    QFETCH(int, current);
    PackageList p(10000, 0);
    QVERIFY(QTest::qWaitForWindowExposed(&p.list, YaqTest::kHangMs));
    p.list.setCurrentIndex(p.model.index(0));
    for (int key : keys)
        QTest::keyClick(&p.list, Qt::Key(key));
    QCoreApplication::processEvents();

    const QModelIndex at = p.list.currentIndex();
    if (current == -2)
        QVERIFY(at.row() > 8);
    else
        QCOMPARE(at.row(), current);
    // The current row is shown whole and as high as it measures.
    const QRect rect = p.list.visualRect(at);
    QVERIFY2(p.list.viewport()->rect().contains(rect), qPrintable(QString::number(rect.bottom())));
    QCOMPARE(rect.height(), RowPainter::Height(at.row()));
    QVERIFY2(p.painter.measured < 200, qPrintable(QString::number(p.painter.measured)));
}

void TestOwnLB::openingLaysTheRowsOutOnce()
{
    // A long list opens at the cost of a screen: no row beyond the first
    // and the last screen is measured or even estimated.
    const int rows = 10000;
    PackageList p(rows, 0);
    QVERIFY(QTest::qWaitForWindowExposed(&p.list, YaqTest::kHangMs));
    QCoreApplication::processEvents();
    const int asked = p.painter.estimated + p.painter.measured;
    QVERIFY2(asked < 200, qPrintable(QString::number(asked)));
    QCOMPARE(p.list.visualRect(p.model.index(1)).height(), RowPainter::Height(1));
}

void TestOwnLB::scrolledToTheEndShowsTheLastRow()
{
    // The scroll range counts the last rows by their estimates until they
    // are shown; measured, they are higher, and the list keeps its end.
    const int rows = 10000;
    PackageList p(rows, 0);
    QVERIFY(QTest::qWaitForWindowExposed(&p.list, YaqTest::kHangMs));
    QScrollBar *bar = p.list.verticalScrollBar();
    bar->setValue(bar->maximum());
    for (int i = 0; i < 5; ++i) {
        p.list.viewport()->repaint();
        QCoreApplication::processEvents();
    }
    const QRect last = p.list.visualRect(p.model.index(rows - 1));
    QVERIFY2(p.list.viewport()->rect().contains(last), qPrintable(QString::number(last.bottom())));
    QCOMPARE(bar->value(), bar->maximum());
}

void TestOwnLB::heightsFollowTheirRows_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QList<int>>("heights");
    // clang-format off
    QTest::newRow("text of a row grows")     << "grow 1"   << QList<int>{20, 80, 40, 20};
    QTest::newRow("row inserted at the top") << "insert 0" << QList<int>{90, 20, 30, 40};
    QTest::newRow("first row removed")       << "remove 0" << QList<int>{30, 40, 20, 30};
    // clang-format on
}

void TestOwnLB::heightsFollowTheirRows()
{
    QFETCH(QString, change);
    QFETCH(QList<int>, heights);
    PackageList p(10, 0);
    QVERIFY(QTest::qWaitForWindowExposed(&p.list, YaqTest::kHangMs));
    const int row = change.section(QLatin1Char(' '), 1).toInt();
    if (change.startsWith(QLatin1String("grow"))) {
        p.model.setData(p.model.index(row), QStringLiteral("Paket %1+").arg(row));
    } else if (change.startsWith(QLatin1String("insert"))) {
        p.model.insertRows(row, 1);
        p.model.setData(p.model.index(row), QStringLiteral("Paket 2+"));
    } else {
        p.model.removeRows(row, 1);
    }
    QCoreApplication::processEvents();
    QList<int> shown;
    for (int r = 0; r < heights.size(); ++r)
        shown << p.list.visualRect(p.model.index(r)).height();
    QCOMPARE(shown, heights);
}

YAQ_TEST_MAIN(TestOwnLB)
#include "tst_ownlb.moc"
