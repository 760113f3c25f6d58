// Layout boxes: how boxes add up their children, how a text cell is measured,
// broken and aligned, and the 0.1 mm page units.

#include "common/Layout.h"

#include "support/TestEnv.h"
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include <QtTest>

#include <cmath>
#include <optional>

namespace {

// A white image of the resolution given (dots per inch).
QImage makeImage(int width, int height, int dpi = 96)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    const int dpm = qRound(dpi / 0.0254);
    image.setDotsPerMeterX(dpm);
    image.setDotsPerMeterY(dpm);
    return image;
}

// The smallest rectangle holding every pixel that is not white.
QRect inkRect(const QImage &image)
{
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                ink |= QRect(x, y, 1, 1);
    return ink;
}

int inkInRows(const QImage &image, int fromY, int toY)
{
    int count = 0;
    for (int y = fromY; y < toY; ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                ++count;
    return count;
}

QFont testFont(int pixelSize)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    return font;
}

} // namespace

class TestLayout : public QObject
{
    Q_OBJECT

private slots:
    void boxReportsExtentOfChildren_data();
    void boxReportsExtentOfChildren();
    void nestedBoxStartsInParentsFreeRect();
    void boxNestedInBoxOfSameKind_data();
    void boxNestedInBoxOfSameKind();
    void childReportsExtraWidth();
    void textCellWidth_data();
    void textCellWidth();
    void wordBreakAtWidth_data();
    void wordBreakAtWidth();
    void lineBreaksAlwaysStartNewLine();
    void measuringPaintsNothing();
    void alignmentInsideCell_data();
    void alignmentInsideCell();
    void pageUnitsIndependentOfResolution_data();
    void pageUnitsIndependentOfResolution();
    void pointSizeFontOnPage_data();
    void pointSizeFontOnPage();
    void pageTextIsUpright();
    void markRectCoversMarkedCharacters();
    void printJobKeepsEveryText_data();
    void printJobKeepsEveryText();
};

// Children of the given heights, in order, each 'width' wide, inside a
// vertical or horizontal box in either direction of y.
void TestLayout::boxReportsExtentOfChildren_data()
{
    QTest::addColumn<bool>("vertical");
    QTest::addColumn<bool>("page");
    QTest::addColumn<QList<int>>("widths");
    QTest::addColumn<QList<int>>("heights");
    QTest::addColumn<QRect>("expected"); // left, top, right, bottom as x, y, width, height

    // clang-format off
    QTest::newRow("vertical box on a page stacks -50 and -30 down to top - 80")  << true  << true  << QList<int>{120, 200} << QList<int>{-50, -30} << QRect(0, 0, 200, -80);
    QTest::newRow("vertical box on screen stacks 20 and 15, width of the wider") << true  << false << QList<int>{90, 40}   << QList<int>{20, 15}   << QRect(0, 0, 90, 35);
    QTest::newRow("horizontal box on screen: 40 then 60 ends 60 high")           << false << false << QList<int>{30, 50}   << QList<int>{40, 60}   << QRect(0, 0, 80, 60);
    QTest::newRow("horizontal box on a page: -40 then -60 ends 60 down")         << false << true  << QList<int>{30, 50}   << QList<int>{-40, -60} << QRect(0, 0, 80, -60);
    QTest::newRow("horizontal box on a page keeps the deepest of -60 then -40")  << false << true  << QList<int>{30, 50}   << QList<int>{-60, -40} << QRect(0, 0, 80, -60);
    // clang-format on
}

void TestLayout::boxReportsExtentOfChildren()
{
    QFETCH(bool, vertical);
    QFETCH(bool, page);
    QFETCH(QList<int>, widths);
    QFETCH(QList<int>, heights);
    QFETCH(QRect, expected);

    QImage image = makeImage(50, 50, 254);
    QPainter painter(&image);
    if (page)
        SetMapModeLoMetric(&painter);

    const int bottom = page ? -10000 : 10000;
    CRect used;
    auto addChildren = [&](CLayout &parent) {
        for (int i = 0; i < widths.size(); ++i) {
            CLayoutHBox child(parent);
            child.AddSize(widths.at(i), heights.at(i));
        }
        used = parent.GetResultRect();
    };
    if (vertical) {
        CLayoutVBox box(CRect(0, 0, 10000, bottom), &painter);
        QCOMPARE(box.GetYDirection(), page ? -1 : 1);
        addChildren(box);
    } else {
        CLayoutHBox box(CRect(0, 0, 10000, bottom), &painter);
        addChildren(box);
    }
    QCOMPARE(used, CRect(expected.x(), expected.y(), expected.x() + expected.width(),
                         expected.y() + expected.height()));
}

void TestLayout::nestedBoxStartsInParentsFreeRect()
{
    QImage image = makeImage(10, 10);
    QPainter painter(&image);
    CLayoutVBox page(CRect(10, 20, 500, 900), &painter);
    page.AddSize(100, 30);
    {
        CLayoutHBox row(page);
        row.AddSize(40, 12);
        CLayoutVBox cell(row);
        QCOMPARE(cell.GetResultRect(), CRect(50, 50, 50, 50));
        cell.AddSize(70, 25);
        // The row grows only when the cell ends.
        QCOMPARE(row.GetResultRect(), CRect(10, 50, 50, 62));
    }
    QCOMPARE(page.GetResultRect(), CRect(10, 20, 120, 75));
}

// A box of the same kind as its parent nests in it like any other box (and
// is not taken for a copy of the parent).
void TestLayout::boxNestedInBoxOfSameKind_data()
{
    QTest::addColumn<bool>("vertical");
    QTest::addColumn<CRect>("expected");
    QTest::newRow("vertical in vertical stacks below") << true << CRect(10, 20, 110, 95);
    QTest::newRow("horizontal in horizontal goes to the right") << false << CRect(10, 20, 180, 65);
}

void TestLayout::boxNestedInBoxOfSameKind()
{
    QFETCH(bool, vertical);
    QFETCH(CRect, expected);
    QImage image = makeImage(10, 10);
    QPainter painter(&image);
    CRect used;
    if (vertical) {
        CLayoutVBox outer(CRect(10, 20, 500, 900), &painter);
        outer.AddSize(100, 30);
        {
            CLayoutVBox inner(outer);
            QCOMPARE(inner.GetResultRect(), CRect(10, 50, 10, 50));
            inner.AddSize(70, 45);
            QCOMPARE(outer.GetResultRect(), CRect(10, 20, 110, 50));
        }
        used = outer.GetResultRect();
    } else {
        CLayoutHBox outer(CRect(10, 20, 500, 900), &painter);
        outer.AddSize(100, 30);
        {
            CLayoutHBox inner(outer);
            QCOMPARE(inner.GetResultRect(), CRect(110, 20, 110, 20));
            inner.AddSize(70, 45);
            QCOMPARE(outer.GetResultRect(), CRect(10, 20, 110, 50));
        }
        used = outer.GetResultRect();
    }
    QCOMPARE(used, expected);
}

void TestLayout::childReportsExtraWidth()
{
    QImage image = makeImage(10, 10);
    QPainter painter(&image);
    CLayoutHBox row(CRect(0, 0, 1000, 100), &painter);
    const QFont font = testFont(12);
    CRect cell;
    {
        CLayoutVBox child(row);
        cell = child.DCDraw(&font, QStringLiteral("x"), 0, 30, 15);
    }
    QCOMPARE(cell.Width(), 30);
    QCOMPARE(row.GetResultRect().right, 45);
}

void TestLayout::textCellWidth_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("ownWidth");

    // clang-format off
    QTest::newRow("width 0 takes the text's own width")             << QStringLiteral("Arbeitswert") << 0   << true;
    QTest::newRow("a given width is the cell width")                << QStringLiteral("Arbeitswert") << 500 << false;
    QTest::newRow("a narrower given width still is the cell width") << QStringLiteral("Arbeitswert") << 10  << false;
    QTest::newRow("an empty text of width 0 takes no width")        << QString()                     << 0   << true;
    // clang-format on
}

void TestLayout::textCellWidth()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(bool, ownWidth);

    QImage image = makeImage(10, 10);
    QPainter painter(&image);
    const QFont font = testFont(20);
    const QFont drawn = LayoutFont(font, &painter);
    const QFontMetricsF fm(drawn);

    CLayoutHBox row(CRect(0, 0, 10000, 10000), &painter);
    row.AddSize(7, 0);
    const CRect cell = row.DCDraw(&font, text, 0, width, 0);
    const int expectedWidth = ownWidth ? int(std::ceil(fm.horizontalAdvance(text))) : width;
    QCOMPARE(cell.left, 7);
    QCOMPARE(cell.Width(), expectedWidth);
    // An empty text is one line high, so empty cells keep their row's height.
    QCOMPARE(cell.Height(), int(std::ceil(fm.lineSpacing())));
    QCOMPARE(row.GetResultRect().right, 7 + expectedWidth);
}

void TestLayout::wordBreakAtWidth_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("fitsOnALine"); // the cell is as wide as this text
    QTest::addColumn<bool>("wordbreak");
    QTest::addColumn<int>("lines");

    // clang-format off
    QTest::newRow("three words in a cell for two")                << QStringLiteral("Motor Getriebe Achse") << QStringLiteral("Motor Getriebe") << true  << 2;
    QTest::newRow("every word on its own line")                   << QStringLiteral("Motor Getriebe Achse") << QStringLiteral("Getriebe")       << true  << 3;
    QTest::newRow("a text that fits stays on one line")           << QStringLiteral("Motor Achse")          << QStringLiteral("Motor Achse x")  << true  << 1;
    QTest::newRow("without word break the text stays one line")   << QStringLiteral("Motor Getriebe Achse") << QStringLiteral("Motor")          << false << 1;
    QTest::newRow("a word longer than the cell is broken inside") << QStringLiteral("Zylinderkopfdichtung") << QStringLiteral("Zylinder")       << true  << 3;
    // clang-format on
}

void TestLayout::wordBreakAtWidth()
{
    QFETCH(QString, text);
    QFETCH(QString, fitsOnALine);
    QFETCH(bool, wordbreak);
    QFETCH(int, lines);

    QImage image = makeImage(10, 10);
    QPainter painter(&image);
    const QFont font = testFont(20);
    const QFontMetricsF fm(LayoutFont(font, &painter));
    const int cellWidth = int(std::ceil(fm.horizontalAdvance(fitsOnALine)));

    CLayoutVBox cell(CRect(0, 0, 10000, 10000), &painter);
    cell.SetWordbreak(wordbreak);
    const CRect piece = cell.DCDraw(&font, text, 0, cellWidth, 0);
    QCOMPARE(piece.Height(), int(std::ceil(lines * fm.lineSpacing() - 1e-9)));
    QCOMPARE(piece.Width(), cellWidth);
    if (wordbreak) {
        const LayoutTextBlock block = LayoutText(LayoutFont(font, &painter), text, cellWidth);
        for (const LayoutTextLine &line : block.lines)
            QVERIFY2(line.width <= cellWidth, qPrintable(line.text));
    }
}

void TestLayout::lineBreaksAlwaysStartNewLine()
{
    QImage image = makeImage(10, 10);
    QPainter painter(&image);
    const QFont font = testFont(20);
    const QFontMetricsF fm(LayoutFont(font, &painter));
    CLayoutVBox box(CRect(0, 0, 10000, 10000), &painter);
    const CRect piece =
        box.DCDraw(&font, QStringLiteral("Zeile eins\r\nZeile zwei\nDrei"), 0, 0, 0);
    QCOMPARE(piece.Height(), int(std::ceil(3 * fm.lineSpacing() - 1e-9)));
    QCOMPARE(piece.Width(), int(std::ceil(fm.horizontalAdvance(QStringLiteral("Zeile zwei")))));
}

void TestLayout::measuringPaintsNothing()
{
    QImage image = makeImage(300, 60);
    {
        QPainter painter(&image);
        const QFont font = testFont(24);
        CLayoutVBox box(CRect(0, 0, 300, 60), &painter);
        box.DCDraw(&font, QStringLiteral("Bremse"), 0, 0, 0);
    }
    QCOMPARE(inkRect(image), QRect());
    {
        QPainter painter(&image);
        const QFont font = testFont(24);
        CLayoutVBox box(CRect(0, 0, 300, 60), &painter);
        const CRect piece = box.DCDraw(&font, QStringLiteral("Bremse"), 1, 0, 0);
        const QRect ink = inkRect(image);
        QVERIFY(!ink.isEmpty());
        QVERIFY(piece.toQRect().adjusted(-1, -1, 1, 1).contains(ink));
    }
}

void TestLayout::alignmentInsideCell_data()
{
    QTest::addColumn<int>("leftAlign");
    QTest::addColumn<int>("centre");
    QTest::addColumn<int>("side"); // -1 left quarter, 0 middle, +1 right quarter

    QTest::newRow("left aligned by default") << -1 << 0 << -1;
    QTest::newRow("right aligned with left align off") << 0 << 0 << 1;
    QTest::newRow("centred") << 0 << 1 << 0;
}

void TestLayout::alignmentInsideCell()
{
    QFETCH(int, leftAlign);
    QFETCH(int, centre);
    QFETCH(int, side);

    QImage image = makeImage(400, 40);
    {
        QPainter painter(&image);
        painter.setPen(Qt::black);
        const QFont font = testFont(20);
        CLayoutHBox row(CRect(0, 0, 400, 40), &painter);
        if (leftAlign >= 0)
            row.SetLeftAlign(leftAlign);
        if (centre)
            row.SetCenterAlign(centre);
        row.DCDraw(&font, QStringLiteral("12,50"), 1, 400, 0);
    }
    const QRect ink = inkRect(image);
    QVERIFY(!ink.isEmpty());
    const int middle = ink.center().x();
    if (side < 0)
        QVERIFY2(ink.right() < 100, qPrintable(QString::number(ink.right())));
    else if (side > 0)
        QVERIFY2(ink.left() > 300, qPrintable(QString::number(ink.left())));
    else
        QVERIFY2(std::abs(middle - 200) <= 3, qPrintable(QString::number(middle)));
}

// On a page a font given in 0.1 mm measures the same on every printer.
void TestLayout::pageUnitsIndependentOfResolution_data()
{
    QTest::addColumn<int>("dpi");
    QTest::newRow("300 dpi printer") << 300;
    QTest::newRow("600 dpi printer") << 600;
    QTest::newRow("1200 dpi PDF") << 1200;
}

void TestLayout::pageUnitsIndependentOfResolution()
{
    QFETCH(int, dpi);
    QImage reference = makeImage(10, 10, 254);
    QPainter refPainter(&reference);
    SetMapModeLoMetric(&refPainter);
    QImage image = makeImage(10, 10, dpi);
    QPainter painter(&image);
    SetMapModeLoMetric(&painter);

    const QFont font = testFont(36); // 3.6 mm
    CLayoutVBox refBox(CRect(0, 0, 10000, -10000), &refPainter);
    CLayoutVBox box(CRect(0, 0, 10000, -10000), &painter);
    const CRect expected = refBox.DCDraw(&font, QStringLiteral("Inspektion 12,50"), 0, 0, 0);
    const CRect piece = box.DCDraw(&font, QStringLiteral("Inspektion 12,50"), 0, 0, 0);
    QCOMPARE(piece, expected);
    QVERIFY(piece.Height() < -36); // downwards on the page: negative
    // 254 units of the page are one inch on the device, down and to the right.
    QCOMPARE(painter.combinedTransform().map(QPointF(254, -254)), QPointF(dpi, dpi));
}

void TestLayout::pointSizeFontOnPage_data()
{
    QTest::addColumn<bool>("page");
    QTest::addColumn<double>("previewScale"); // pixels per 0.1 mm; 0: the page itself
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("pixelSize");
    QTest::newRow("10 pt on a page are 3.5 mm") << true << 0.0 << 600 << 35;
    QTest::newRow("10 pt on a page shrunk in the preview are 3.5 mm") << true << 0.2 << 96 << 35;
    QTest::newRow("10 pt on a page enlarged in the preview are 3.5 mm") << true << 1.5 << 96 << 35;
    QTest::newRow("10 pt on a 96 dpi screen are 13 pixels") << false << 0.0 << 96 << 13;
    QTest::newRow("10 pt on a 120 dpi screen are 17 pixels") << false << 0.0 << 120 << 17;
}

void TestLayout::pointSizeFontOnPage()
{
    QFETCH(bool, page);
    QFETCH(double, previewScale);
    QFETCH(int, dpi);
    QFETCH(int, pixelSize);
    QImage image = makeImage(10, 10, dpi);
    QPainter painter(&image);
    if (page && previewScale > 0)
        painter.setWorldTransform(QTransform::fromScale(previewScale, -previewScale));
    else if (page)
        SetMapModeLoMetric(&painter);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(10);
    QCOMPARE(LayoutFont(font, &painter).pixelSize(), pixelSize);
}

// y grows upwards on a page: the glyphs must still stand upright, below the
// box's top. A "T" has its bar at the top.
void TestLayout::pageTextIsUpright()
{
    QImage image = makeImage(200, 200, 254); // one unit = one pixel
    CRect piece;
    {
        QPainter painter(&image);
        SetMapModeLoMetric(&painter);
        painter.setPen(Qt::black);
        const QFont font = testFont(120);
        CLayoutVBox box(CRect(20, -20, 200, -200), &painter);
        piece = box.DCDraw(&font, QStringLiteral("T"), 1, 0, 0);
    }
    const QRect ink = inkRect(image);
    QVERIFY(!ink.isEmpty());
    QVERIFY2(ink.top() >= 20 && ink.bottom() <= 20 - piece.Height(),
             qPrintable(QStringLiteral("%1..%2").arg(ink.top()).arg(ink.bottom())));
    const int quarter = ink.height() / 4;
    QVERIFY(inkInRows(image, ink.top(), ink.top() + quarter) >
            2 * inkInRows(image, ink.bottom() - quarter, ink.bottom() + 1));
}

void TestLayout::markRectCoversMarkedCharacters()
{
    QImage image = makeImage(10, 10);
    QPainter painter(&image);
    const QFont font = testFont(20);
    const QFontMetricsF fm(LayoutFont(font, &painter));
    CLayoutHBox row(CRect(0, 0, 1000, 100), &painter);
    row.AddSize(10, 0);
    row.MarkText(6, 5);
    row.DCDraw(&font, QStringLiteral("Teile Bremse"), 0, 0, 0);
    const CRect mark = row.GetMarkRect();
    QCOMPARE(mark.left, 10 + int(std::floor(fm.horizontalAdvance(QStringLiteral("Teile ")))));
    QCOMPARE(mark.right, 10 + int(std::ceil(fm.horizontalAdvance(QStringLiteral("Teile Brems")))));
    QCOMPARE(mark.top, 0);
}

// A long print-out lays out more texts than the screen keeps; were they
// dropped halfway, every text after would be laid out once more to draw it.
void TestLayout::printJobKeepsEveryText_data()
{
    QTest::addColumn<bool>("inJob");
    QTest::addColumn<int>("texts");
    // clang-format off
    QTest::newRow("a print job keeps all of 20,005 texts") << true << 20005;
    QTest::newRow("the screen keeps at most 20,000 texts") << false << 20005;
    // clang-format on
}

void TestLayout::printJobKeepsEveryText()
{
    QFETCH(bool, inJob);
    QFETCH(int, texts);
    {
        CLayoutTextJob emptiesTheCache;
    }
    QCOMPARE(LayoutTextCacheSize(), 0);
    const QFont font = testFont(35);
    {
        std::optional<CLayoutTextJob> job;
        if (inJob)
            job.emplace();
        for (int i = 0; i < texts; ++i)
            LayoutText(font, QString::number(i), 0);
        if (inJob)
            QCOMPARE(LayoutTextCacheSize(), texts);
        else
            QVERIFY(LayoutTextCacheSize() <= 20000);
    }
    // The end of the job frees them.
    if (inJob)
        QCOMPARE(LayoutTextCacheSize(), 0);
}

YAQ_TEST_MAIN(TestLayout)
#include "tst_layout.moc"
