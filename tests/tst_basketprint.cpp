// The basket's print-outs: the small rules (number groups, price cells, print
// fonts, the print dialog's telephone and the texts it hands on) as tables,
// and the offer and the information sheet of a demo basket written to PDF
// and read back with pdftotext: letterhead, vehicle block, every article,
// the sums, the typed date, page numbers "n/m" of long baskets and long
// remarks; where the columns end and where the pages break, read back from
// the PDF's word boxes.

#include "basket/model/WKList.h"
#include "basket/print/BasketPrintFields.h"
#include "basket/print/BasketPrintFormat.h"
#include "basket/print/BasketPrintOut.h"
#include "basket/print/WkDruckDlg.h"
#include "common/EasyPrintDlg.h"
#include "common/Layout.h"
#include "packages/model/Paket.h"
#include "packages/model/Position.h"
#include "platform/OrmelText.h"
#include "settings/PrgSettings.h"
#include "setup/PrintDefaults.h"
#include "support/PdfText.h"
#include "support/TestEnv.h"
#include "support/Waits.h"

#include <QClipboard>
#include <QLineEdit>
#include <QMap>
#include <QPageLayout>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <memory>

namespace {

std::unique_ptr<CPosition> labour(const QString &number, const QString &text, double net,
                                  double gross)
{
    auto p = std::make_unique<CPosition>();
    p->Type = POS_BASKET_LABOUR;
    p->Number = number;
    p->AwText1 = text;
    p->Quantity = QStringLiteral("10");
    p->Preise1.Net = net;
    p->Preise1.Gross = gross;
    p->Preise1.UnitNet = net >= 0 ? net / 10 : kPriceNotSet;
    p->Preise1.Currency = QStringLiteral("EUR");
    return p;
}

std::unique_ptr<CPosition> line(int type, const QString &number, const QString &text, double net)
{
    auto p = std::make_unique<CPosition>();
    p->Type = type;
    p->Number = number;
    if (type == POS_PART)
        p->TeileText = text;
    else
        p->AwText1 = text;
    p->Quantity = QStringLiteral("1");
    p->Preise1.Net = net;
    p->Preise1.Gross = net < 0 ? net : net * 1.19;
    p->Preise1.Currency = QStringLiteral("EUR");
    return p;
}

// A priced package: a head, a work position, a work position charged by
// time, a part of 11 characters.
std::unique_ptr<CPaket> demoPackage()
{
    auto paket = std::make_unique<CPaket>();
    auto head = std::make_unique<CPosition>();
    head->Type = POS_HEAD;
    head->Number = QStringLiteral("9911001");
    head->AwText1 = QStringLiteral("Inspektionspaket Demo");
    head->Preise1.Complete = 1;
    head->Preise1.Net = 150.0;
    head->Preise1.Gross = 178.5;
    head->Preise1.TotalsCurrency = QStringLiteral("EUR");
    paket->AddPosition(std::move(head));
    paket->AddPosition(
        line(POS_WORK, QStringLiteral("1100520"), QStringLiteral("Motoroel wechseln"), 100.0));
    auto az = line(POS_WORK, QStringLiteral("1100530"), QStringLiteral("Fehlersuche nach Aufwand"),
                   kPriceByTime);
    az->Az = CPosition::AzMarker();
    paket->AddPosition(std::move(az));
    paket->AddPosition(
        line(POS_PART, QStringLiteral("11427512300"), QStringLiteral("Oelfilter"), 50.0));
    return paket;
}

// A spot-repair package whose work position is marked to count twice.
std::unique_ptr<CPaket> ccpPackage()
{
    auto paket = std::make_unique<CPaket>();
    auto head = std::make_unique<CPosition>();
    head->Type = POS_HEAD;
    head->Number = QStringLiteral("7700100");
    head->AwText1 = QStringLiteral("Smart Repair Stossfaenger");
    head->Preise1.Complete = 1;
    head->Preise1.Net = 80.0;
    head->Preise1.Gross = 95.2;
    head->Preise1.TotalsCurrency = QStringLiteral("EUR");
    paket->AddPosition(std::move(head));
    auto work = line(POS_WORK, QStringLiteral("7700110"),
                     QStringLiteral("Lackierung Kratzer hinten"), 80.0);
    work->Doubled = 1;
    paket->AddPosition(std::move(work));
    return paket;
}

void fillDemoBasket(CWKList &list)
{
    list.Add(CWKListItem(labour(QStringLiteral("1234567"),
                                QStringLiteral("Bremsbelaege vorn ersetzen"), 120.0, 142.8)),
             1);
    list.Add(CWKListItem(WK_SRP, demoPackage()), 1);
    list.Add(CWKListItem(WK_CCP, ccpPackage()), 1);
    auto finding = std::make_unique<CPosition>();
    finding->Type = POS_FINDING;
    finding->Number = QStringLiteral("5566778899");
    finding->BefundText = QStringLiteral("Wischerblaetter rissig");
    list.Add(CWKListItem(std::move(finding)), 1);
}

CBasketPrintData demoData(int form)
{
    CBasketPrintData d;
    d.form = form;
    d.language = QStringLiteral("00");
    d.firma = QStringLiteral("Autohaus Muster GmbH");
    d.strasse = QStringLiteral("Werkstattweg 12");
    d.city = QStringLiteral("12345 Musterstadt");
    d.tel1 = QStringLiteral("+49 123 456789");
    d.tel = QStringLiteral("0123 4567");
    d.user = QStringLiteral("Berater Eins");
    d.titel = QStringLiteral("Angebot");
    d.nummer = QStringLiteral("Angebotsnummer");
    d.netto = QStringLiteral("Preis netto in");
    d.mwst = QStringLiteral("MwSt in");
    d.brutto = QStringLiteral("Preis brutto in");
    d.angebotenDurch = QStringLiteral("Angeboten durch");
    d.offerNumber = QStringLiteral("A-4711");
    d.date = QStringLiteral("24.12.2030");
    d.validUntil = QStringLiteral("31.01.2031");
    d.customer[0] = QStringLiteral("Erika Beispiel");
    d.info[0] = QStringLiteral("Winterreifen eingelagert");
    d.vin = QStringLiteral("XVQ3A11090AB12345");
    d.modelSeries = QStringLiteral("V30");
    d.modelDesignation = QStringLiteral("Demo Limousine");
    d.plate = QStringLiteral("M-YQ 123");
    d.mileage = QStringLiteral("12345");
    return d;
}

// A package of priced work positions "Arbeitsschritt00", "Arbeitsschritt01", ...
std::unique_ptr<CPaket> longPackage(int rows)
{
    auto paket = std::make_unique<CPaket>();
    auto head = std::make_unique<CPosition>();
    head->Type = POS_HEAD;
    head->Number = QStringLiteral("9911002");
    head->AwText1 = QStringLiteral("Grosser Kundendienst");
    head->Preise1.Complete = 1;
    head->Preise1.Net = 10.0 * rows;
    head->Preise1.Gross = 11.9 * rows;
    head->Preise1.TotalsCurrency = QStringLiteral("EUR");
    paket->AddPosition(std::move(head));
    for (int i = 0; i < rows; ++i) {
        auto work = line(POS_WORK, QStringLiteral("11%1").arg(i, 5, 10, QLatin1Char('0')),
                         QStringLiteral("Arbeitsschritt%1").arg(i, 2, 10, QLatin1Char('0')), 10.0);
        work->Preise1.UnitNet = 10.0;
        paket->AddPosition(std::move(work));
    }
    return paket;
}

// One word of a PDF page as pdftotext -bbox places it, in mm from the
// paper's top left corner.
struct PdfWord
{
    int page = 0; // from 1
    QString text;
    double left = 0, top = 0, right = 0, bottom = 0;
};

QList<PdfWord> pdfWords(const QString &file)
{
    QProcess process;
    const YaqTest::ProcessReaper reaper(process);
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-bbox"), file, QStringLiteral("-")});
    if (!process.waitForFinished(YaqTest::kHangMs) || process.exitCode() != 0)
        return {};
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    static const QRegularExpression tag(
        QStringLiteral("<page |<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" "
                       "xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    const double mm = 25.4 / 72.0;
    QList<PdfWord> words;
    int page = 0;
    for (auto it = tag.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.captured(1).isEmpty()) {
            ++page;
            continue;
        }
        PdfWord w;
        w.page = page;
        w.text = m.captured(5)
                     .replace(QLatin1String("&lt;"), QLatin1String("<"))
                     .replace(QLatin1String("&gt;"), QLatin1String(">"))
                     .replace(QLatin1String("&quot;"), QLatin1String("\""))
                     .replace(QLatin1String("&amp;"), QLatin1String("&"));
        w.left = m.captured(1).toDouble() * mm;
        w.top = m.captured(2).toDouble() * mm;
        w.right = m.captured(3).toDouble() * mm;
        w.bottom = m.captured(4).toDouble() * mm;
        words << w;
    }
    return words;
}

// The words standing on the same line as the word given, left to right.
QList<PdfWord> lineOf(const QList<PdfWord> &words, const PdfWord &word)
{
    QList<PdfWord> line;
    for (const PdfWord &w : words)
        if (w.page == word.page && qAbs(w.bottom - word.bottom) < 0.8)
            line << w;
    std::sort(line.begin(), line.end(),
              [](const PdfWord &a, const PdfWord &b) { return a.left < b.left; });
    return line;
}

QString at(const PdfWord &w)
{
    return QStringLiteral("\"%1\" page %2 at x %3..%4 mm, y %5..%6 mm")
        .arg(w.text)
        .arg(w.page)
        .arg(w.left, 0, 'f', 1)
        .arg(w.right, 0, 'f', 1)
        .arg(w.top, 0, 'f', 1)
        .arg(w.bottom, 0, 'f', 1);
}

// The first word lying over another or outside the printable area (mm
// from the paper's top left corner; A4 with 10 mm margins unless given);
// empty when there is none.
QString paperFault(const QList<PdfWord> &printed, const QRectF &area = QRectF(10, 10, 190, 277))
{
    if (printed.isEmpty())
        return QStringLiteral("nothing printed");
    const double slack = 0.15;
    for (qsizetype i = 0; i < printed.size(); ++i) {
        const PdfWord &a = printed.at(i);
        if (a.left < area.left() - 0.6 || a.right > area.right() + 0.6 ||
            a.top < area.top() - 0.6 || a.bottom > area.bottom() + 0.6)
            return at(a) + QStringLiteral(" outside the page");
        for (qsizetype j = i + 1; j < printed.size(); ++j) {
            const PdfWord &b = printed.at(j);
            if (a.page == b.page && a.left + slack < b.right - slack &&
                b.left + slack < a.right - slack && a.top + slack < b.bottom - slack &&
                b.top + slack < a.bottom - slack)
                return at(a) + QStringLiteral(" over ") + at(b);
        }
    }
    return QString();
}

// The page's last word: its number "n/m" in the bottom band.
QString lastWord(const QString &page)
{
    const QStringList words = YaqTest::WordsOf(page);
    return words.isEmpty() ? QString() : words.last();
}

} // namespace

class TestBasketPrint : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void numberGroups_data();
    void numberGroups();
    void priceCells_data();
    void priceCells();
    void unitPriceCells_data();
    void unitPriceCells();
    void printFonts_data();
    void printFonts();
    void tooLongLine_data();
    void tooLongLine();

    void offerOfDemoBasket_data();
    void offerOfDemoBasket();
    void offerOnPageSetAfterPreview_data();
    void offerOnPageSetAfterPreview();
    void vehicleValuesPrintWhole_data();
    void vehicleValuesPrintWhole();
    void dealerContactRows_data();
    void dealerContactRows();
    void articleRows_data();
    void articleRows();
    void longBasketCountsItsPages_data();
    void longBasketCountsItsPages();
    void longRemarkFlowsOverPages();
    void printPositions_data();
    void printPositions();
    void printDialogShowsTheForm_data();
    void printDialogShowsTheForm();
    void printDefaultsAreStored_data();
    void printDefaultsAreStored();
    void offeredContact_data();
    void offeredContact();
    void printFieldsOnPrint_data();
    void printFieldsOnPrint();
    void typedTextPrintedWhole_data();
    void typedTextPrintedWhole();
    void typedValuesKeptWhole_data();
    void typedValuesKeptWhole();
    void storedValuesUnchanged_data();
    void storedValuesUnchanged();
    void paperHoldsEveryCell_data();
    void paperHoldsEveryCell();

private:
    // Writes the print-out as PDF (A4, 10 mm margins); its path.
    QString printToPdf(CBasketPrintOut &printOut, int *enginePages = nullptr);
    // The same; its pages as text.
    QStringList writePdf(CBasketPrintOut &printOut, int *enginePages = nullptr);

    std::unique_ptr<TestEnv> m_env;
    bool m_havePdfToText = false;
};

void TestBasketPrint::initTestCase()
{
    InitOrmelText(QStringLiteral(YAQ_DEMO_DATAS_DIR "/Zirava/PrgTxt"));
    m_havePdfToText = !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

void TestBasketPrint::init()
{
    m_env = std::make_unique<TestEnv>();
    m_env->answerBoxes(IDOK);
}

void TestBasketPrint::cleanup()
{
    m_env.reset();
}

QString TestBasketPrint::printToPdf(CBasketPrintOut &printOut, int *enginePages)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
    CEasyPrintDlg engine(&printOut);
    engine.SetPrinter(&printer);
    engine.SetPdfFolder(m_env->path());
    engine.SetDocumentOpener([](const QUrl &) { return true; });
    if (!engine.Print(true))
        return QString();
    if (enginePages)
        *enginePages = engine.Rows() * engine.Columns();
    return engine.PdfFilePath();
}

QStringList TestBasketPrint::writePdf(CBasketPrintOut &printOut, int *enginePages)
{
    const QString file = printToPdf(printOut, enginePages);
    return file.isEmpty() ? QStringList() : YaqTest::PdfPages(file);
}

void TestBasketPrint::numberGroups_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("printed");
    // clang-format off
    QTest::newRow("labour, 7 characters") << "labour" << "1234567" << "12 34 567";
    QTest::newRow("labour, 8 characters: 5 to the end") << "labour" << "12345678" << "12 34 5678";
    QTest::newRow("labour, 3 characters") << "labour" << "123" << "12 3";
    QTest::newRow("labour, 1 character") << "labour" << "1" << "1";
    QTest::newRow("labour, empty") << "labour" << "" << "";
    QTest::newRow("labour, trailing blanks") << "labour" << "1234567  " << "12 34 567";
    QTest::newRow("finding, 10 characters") << "finding" << "1234567890" << "12 34 56 78 90";
    QTest::newRow("finding, 6 characters") << "finding" << "123456" << "12 34 56";
    QTest::newRow("finding, odd length") << "finding" << "1234567" << "12 34 56 7";
    QTest::newRow("part, 11 characters") << "part" << "12345678901" << "12 34 5 678 901";
    QTest::newRow("part, 10 characters in one piece") << "part" << "1234567890" << "1234567890";
    QTest::newRow("part, 12 characters in one piece") << "part" << "123456789012" << "123456789012";
    // clang-format on
}

void TestBasketPrint::numberGroups()
{
    QFETCH(QString, kind);
    QFETCH(QString, number);
    QFETCH(QString, printed);
    const QString got = kind == QLatin1String("labour")    ? GroupLabourNumber(number)
                        : kind == QLatin1String("finding") ? GroupFindingNumber(number)
                                                           : GroupPartNumber(number);
    QCOMPARE(got, printed);
}

void TestBasketPrint::priceCells_data()
{
    QTest::addColumn<double>("price");
    QTest::addColumn<QString>("cell");
    // clang-format off
    QTest::newRow("not set") << -1.0 << "";
    QTest::newRow("charged by time") << -2.0 << "";
    QTest::newRow("no price") << -3.0 << "";
    QTest::newRow("zero") << 0.0 << "0.00";
    QTest::newRow("half cent rounds up") << 12.345 << "12.35";
    QTest::newRow("plain") << 142.8 << "142.80";
    // clang-format on
}

void TestBasketPrint::priceCells()
{
    QFETCH(double, price);
    QFETCH(QString, cell);
    QCOMPARE(PriceCellText(price), cell);
}

void TestBasketPrint::unitPriceCells_data()
{
    QTest::addColumn<double>("unitNet");
    QTest::addColumn<double>("unitGross");
    QTest::addColumn<double>("vat");
    QTest::addColumn<int>("inclusive");
    QTest::addColumn<QString>("cell");
    // clang-format off
    QTest::newRow("list net unit price")          << 10.0 << 11.9 << 19.0 << 0 << "10.00";
    QTest::newRow("net unit price of nothing")    << 0.0  << 11.9 << 19.0 << 0 << "0.00";
    QTest::newRow("net unit price needs no VAT")  << 10.0 << -1.0 << -1.0 << 0 << "10.00";
    QTest::newRow("gross unit price of nothing")  << -1.0 << 0.0  << 19.0 << 0 << "0.00";
    QTest::newRow("net of the gross at 19 %")     << -1.0 << 11.9 << 19.0 << 0 << "10.00";
    QTest::newRow("VAT rate 0: the gross is net") << -1.0 << 11.9 << 0.0  << 0 << "11.90";
    QTest::newRow("no VAT rate: no unit price")   << -1.0 << 11.9 << -1.0 << 0 << "";
    QTest::newRow("inclusive price: none")        << 10.0 << 11.9 << 19.0 << 1 << "";
    // clang-format on
}

void TestBasketPrint::unitPriceCells()
{
    QFETCH(double, unitNet);
    QFETCH(double, unitGross);
    QFETCH(double, vat);
    QFETCH(int, inclusive);
    QFETCH(QString, cell);
    CPosition pos;
    pos.Preise1.UnitNet = unitNet;
    pos.Preise1.UnitGross = unitGross;
    pos.Preise1.Vat = vat;
    pos.Preise1.FlatPrice = inclusive;
    QCOMPARE(UnitPriceCellText(pos), cell);
}

void TestBasketPrint::printFonts_data()
{
    QTest::addColumn<int>("height");
    QTest::addColumn<QString>("style");
    QTest::addColumn<QString>("language");
    QTest::addColumn<double>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    // clang-format off
    QTest::newRow("6 pt") << -60 << "" << "00" << 6.0 << false << false;
    QTest::newRow("6 pt, language 11 larger") << -60 << "" << "11" << 11.0 << false << false;
    QTest::newRow("18 pt bold, language 11") << -180 << "F" << "11" << 23.0 << true << false;
    QTest::newRow("other language unchanged") << -100 << "FK" << "01" << 10.0 << true << true;
    // clang-format on
}

void TestBasketPrint::printFonts()
{
    QFETCH(int, height);
    QFETCH(QString, style);
    QFETCH(QString, language);
    QFETCH(double, points);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    const QFont font = BasketPrintFont(height, style, language);
    QCOMPARE(font.pointSizeF(), points);
    QCOMPARE(font.bold(), bold);
    QCOMPARE(font.italic(), italic);
}

void TestBasketPrint::tooLongLine_data()
{
    // Row: the font's size, the text's length in characters, the cell
    // (0.1 mm) -> the size printed (0: as asked) and whether it is cut.
    QTest::addColumn<double>("points");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("room");
    QTest::addColumn<double>("printed");
    QTest::addColumn<bool>("cut");
    // clang-format off
    QTest::newRow("fits: as it is")                     << 10.0 << 20  << 670 << 0.0 << false;
    QTest::newRow("a little too long: smaller")         << 10.0 << 50  << 670 << 7.0 << false;
    QTest::newRow("far too long: 6 pt, then cut")       << 10.0 << 300 << 670 << 6.0 << true;
    QTest::newRow("6 pt already: cut, not smaller")     << 6.0  << 100 << 330 << 6.0 << true;
    QTest::newRow("trailing blanks take no room")       << 10.0 << 0   << 5   << 0.0 << false;
    // clang-format on
}

// The one rule for a single-line cell: smaller down to 6 pt, then cut.
void TestBasketPrint::tooLongLine()
{
    QFETCH(double, points);
    QFETCH(int, length);
    QFETCH(int, room);
    QFETCH(double, printed);
    QFETCH(bool, cut);
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    QString text = QStringLiteral("Musterkunde ").repeated(length / 12 + 1).left(length);
    if (length == 0)
        text = QStringLiteral("   ");
    const BasketPrintLine line = BasketPrintFitLine(font, text, room);
    const int size = LayoutPageFont(line.font).pixelSize();
    if (printed == 0) {
        QCOMPARE(line.text, text);
        QCOMPARE(size, LayoutPageFont(font).pixelSize());
        return;
    }
    // Smaller, as large as it may be within 1 mm of the cell's end.
    QVERIFY2(size <= qRound(printed * 254 / 72) + 1 && size >= qRound(6.0 * 254 / 72),
             qPrintable(QString::number(size)));
    QVERIFY(LayoutTextWidth(LayoutPageFont(line.font), line.text) <= room - 10);
    QCOMPARE(line.text.endsWith(QChar(0x2026)), cut);
    QVERIFY(text.startsWith(cut ? line.text.chopped(1) : line.text));
}

void TestBasketPrint::offerOfDemoBasket_data()
{
    // Row: the form -> its texts in the order printed, each a run of whole
    // words (a row's cells, left to right). Where a page turns depends on the
    // fonts the machine has, so the rows name no page turn: each page ends
    // in its "n/m", and the vehicle heads every page.
    QTest::addColumn<int>("form");
    QTest::addColumn<QStringList>("texts");
    const QStringList vehicle{
        "Modell Fahrzeug Weitere Informationen", "V30 XVQ3A11090AB12345 Winterreifen eingelagert",
        "Demo Limousine M-YQ 123", "12345 km/mls",
        "Artikel Bezeichnung der Ware/Leistung Menge Preis pro Einheit Preis"};
    // clang-format off
    QTest::newRow("standard form") << int(BPF_STANDARD) << (QStringList{
        "Autohaus Muster GmbH", "Angebot",
        "Angebotsnummer Datum Gültig bis", "A-4711 24.12.2030 31.01.2031",
        "Autohaus Muster GmbH, Werkstattweg 12, 12345 Musterstadt",
        "Erika Beispiel Autohaus Muster GmbH", "Werkstattweg 12", "12345 Musterstadt",
        "Angeboten durch Berater Eins", "Telefon 0123 4567", "Fax"} + vehicle + QStringList{
        "12 34 567 Bremsbelaege vorn ersetzen 10 12.00 120.00",
        "11 00 520 Motoroel wechseln 1 100.00",
        "11 00 530 Fehlersuche nach Aufwand AZ 11 42 7 512 300 Oelfilter 1 50.00",
        "Paketsumme: Inspektionspaket Demo 150.00",
        "77 00 100 Smart Repair Stossfaenger AZ", "Lackierung Kratzer hinten",
        "Paketsumme: Smart Repair Stossfaenger 80.00",
        "55 66 77 88 99 Wischerblaetter rissig",
        "Preis netto in 350.00", "MwSt in 66.50", "Preis brutto in 416.50",
        "Unterschrift"});
    QTest::newRow("information sheet") << int(BPF_INFO_SHEET) << QStringList{
        "Autohaus Muster GmbH", "Werkstattweg 12",
        "12345 Musterstadt Information Paket- /", "+49 123 456789",
        "Pol.-KZ: M-YQ 123 Auftrags-Nr.:", "km/mls: 12345",
        "Fahrgestell-Nr.: XVQ3A11090AB12345 Datum: 24.12.2030",
        "Angeboten durch: Berater Eins", "E-Reihe: V30", "gültig bis: 31.01.2031",
        "Modell: Demo Limousine", "Bemerkungen: Winterreifen eingelagert", "Kunde: Erika Beispiel",
        "Menge Netto Brutto",
        "12 34 567 Bremsbelaege vorn ersetzen 10 120.00 142.80 EUR",
        "11 00 520 Motoroel wechseln 1 100.00 119.00",
        "11 00 530 Fehlersuche nach Aufwand AZ 11 42 7 512 300 1 50.00 59.50", "Oelfilter",
        "Summe: 150.00 178.50 EUR",
        "77 00 100 Smart Repair Stossfaenger AZ", "Lackierung Kratzer hinten",
        "Summe: 80.00 95.20 EUR",
        "55 66 77 88 99", "Wischerblaetter rissig",
        "Gesamt Summe: 350.00 416.50 EUR"};
    // clang-format on
}

void TestBasketPrint::offerOfDemoBasket()
{
    if (!m_havePdfToText)
        QSKIP("pdftotext (poppler-utils) is not installed");
    QFETCH(int, form);
    QFETCH(QStringList, texts);
    CWKList list;
    fillDemoBasket(list);
    QCOMPARE(list.NetTotal(), 350.0);
    CBasketPrintOut printOut(&list, demoData(form));
    int enginePages = 0;
    const QStringList pages = writePdf(printOut, &enginePages);
    const QString text = pages.join(QLatin1Char('\n'));
    const QStringList vehicleHead{
        "Modell Fahrzeug Weitere Informationen",
        "Artikel Bezeichnung der Ware/Leistung Menge Preis pro Einheit Preis"};
    const int count = printOut.PageCount();
    QVERIFY(count >= 1);
    QCOMPARE(pages.size(), count);
    QCOMPARE(enginePages, count);
    for (int page = 1; page <= count; ++page) {
        QCOMPARE(lastWord(pages.at(page - 1)), QStringLiteral("%1/%2").arg(page).arg(count));
        if (form == BPF_STANDARD)
            QVERIFY2(YaqTest::MissingInOrder(pages.at(page - 1), vehicleHead).isEmpty(),
                     qPrintable(pages.at(page - 1)));
    }
    // Every line once, the sums once.
    for (const QString &line : texts)
        if (line.startsWith(QLatin1String("Paketsumme")) ||
            line.contains(QLatin1String("Summe:")) || line.contains(QLatin1String(" 12.00 120.00")))
            QCOMPARE(text.simplified().count(line), 1);
    const QString missing = YaqTest::MissingInOrder(text, texts);
    QVERIFY2(missing.isEmpty(), qPrintable(missing + QStringLiteral(" missing in:\n") + text));
    // A work position charged by time prints no marker as a price.
    QVERIFY2(!text.contains(QLatin1String("-2.00")), qPrintable(text));
    // The spot-repair work position marked to count twice is one line.
    QCOMPARE(text.count(QStringLiteral("Lackierung Kratzer hinten")), 1);
}

void TestBasketPrint::offerOnPageSetAfterPreview_data()
{
    // Row: the paper the preview starts on, the paper set up at the printer's
    // dialog before the print (the same: none) -> the offer laid out for the
    // page printed on, every word on the paper, with its sums and signature.
    QTest::addColumn<QPageLayout>("first");
    QTest::addColumn<QPageLayout>("printed");
    const QMarginsF margins(10, 10, 10, 10);
    const QPageLayout a4(QPageSize(QPageSize::A4), QPageLayout::Portrait, margins,
                         QPageLayout::Millimeter);
    const QPageLayout a5(QPageSize(QPageSize::A5), QPageLayout::Portrait, margins,
                         QPageLayout::Millimeter);
    QPageLayout landscape = a4;
    landscape.setOrientation(QPageLayout::Landscape);
    QTest::newRow("landscape") << a4 << landscape;
    QTest::newRow("A5 portrait") << a4 << a5;
    QTest::newRow("A5 from the start") << a5 << a5;
    QTest::newRow("A4, printable width 182 mm")
        << a4
        << QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(14, 10, 14, 10),
                       QPageLayout::Millimeter);
}

void TestBasketPrint::offerOnPageSetAfterPreview()
{
    if (!m_havePdfToText)
        QSKIP("pdftotext (poppler-utils) is not installed");
    QFETCH(QPageLayout, first);
    QFETCH(QPageLayout, printed);
    CWKList list;
    fillDemoBasket(list);
    CBasketPrintOut printOut(&list, demoData(BPF_STANDARD));
    const QString file = m_env->path() + QStringLiteral("/printer.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    printer.setPageLayout(first);
    CEasyPrintDlg engine(&printOut);
    engine.SetPrinter(&printer);
    engine.OnInitDialog();
    printer.setPageLayout(printed);

    QVERIFY(engine.PrintPages());
    const QStringList pages = YaqTest::PdfPages(file);
    const int count = printOut.PageCount();
    QCOMPARE(pages.size(), count);
    for (int page = 1; page <= count; ++page)
        QCOMPARE(lastWord(pages.at(page - 1)), QStringLiteral("%1/%2").arg(page).arg(count));
    const QString text = pages.join(QLatin1Char('\n'));
    const QString missing = YaqTest::MissingInOrder(
        text, {"12 34 567 Bremsbelaege vorn ersetzen 10 12.00 120.00",
               "Paketsumme: Inspektionspaket Demo 150.00",
               "Paketsumme: Smart Repair Stossfaenger 80.00", "Wischerblaetter rissig",
               "Preis netto in 350.00", "MwSt in 66.50", "Preis brutto in 416.50", "Unterschrift"});
    QVERIFY2(missing.isEmpty(), qPrintable(missing + QStringLiteral(" missing in:\n") + text));
    const QString fault = paperFault(pdfWords(file), printed.paintRect(QPageLayout::Millimeter));
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
}

void TestBasketPrint::vehicleValuesPrintWhole_data()
{
    // Row: the form, the program language (its sizes), the paper -> the
    // vehicle's values stand whole on the paper, whatever their captions.
    QTest::addColumn<int>("form");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QPageSize::PageSizeId>("paper");
    // clang-format off
    QTest::newRow("information sheet, A4, language 11") << int(BPF_INFO_SHEET) << "11" << QPageSize::A4;
    QTest::newRow("information sheet, A5, language 00") << int(BPF_INFO_SHEET) << "00" << QPageSize::A5;
    QTest::newRow("information sheet, A5, language 11") << int(BPF_INFO_SHEET) << "11" << QPageSize::A5;
    QTest::newRow("offer, A5, language 11")             << int(BPF_STANDARD)   << "11" << QPageSize::A5;
    // clang-format on
}

void TestBasketPrint::vehicleValuesPrintWhole()
{
    if (!m_havePdfToText)
        QSKIP("pdftotext (poppler-utils) is not installed");
    QFETCH(int, form);
    QFETCH(QString, language);
    QFETCH(QPageSize::PageSizeId, paper);
    CBasketPrintData data = demoData(form);
    data.language = language;
    data.modelDesignation = QStringLiteral("Arvo 1.6");
    CBasketPrintOut printOut(nullptr, data);
    const QString file = m_env->path() + QStringLiteral("/printer.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    const QPageLayout layout(QPageSize(paper), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                             QPageLayout::Millimeter);
    printer.setPageLayout(layout);
    CEasyPrintDlg engine(&printOut);
    engine.SetPrinter(&printer);
    engine.OnInitDialog();
    QVERIFY(engine.PrintPages());
    const QString text = YaqTest::PdfPages(file).join(QLatin1Char('\n'));
    for (const QString &value : {data.vin, data.plate, data.modelDesignation})
        QVERIFY2(YaqTest::MissingInOrder(text, {value}).isEmpty(),
                 qPrintable(value + QStringLiteral(" not whole in:\n") + text));
    const QString fault = paperFault(pdfWords(file), layout.paintRect(QPageLayout::Millimeter));
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
}

void TestBasketPrint::dealerContactRows_data()
{
    // Row: the dealer's telephone and fax (dealer file), the adviser's
    // (profile) -> the contact rows of the offer, up to the vehicle block.
    QTest::addColumn<QString>("dealer");
    QTest::addColumn<QString>("profile");
    QTest::addColumn<QString>("rows");
    // clang-format off
    QTest::newRow("both")                     << "089 7|089 8" << "089 1|089 2" << "Telefon 089 1 Fax 089 2 Modell";
    QTest::newRow("dealer without telephone") << "|089 8"      << "089 1|089 2" << "Telefon Fax 089 2 Modell";
    QTest::newRow("dealer without fax")       << "089 7|"      << "089 1|089 2" << "Telefon 089 1 Fax Modell";
    QTest::newRow("dealer without either")    << "|"           << "089 1|089 2" << "Telefon Fax Modell";
    QTest::newRow("adviser without either")   << "089 7|089 8" << "|"           << "Telefon Fax Modell";
    // clang-format on
}

// The offer prints the adviser's telephone and fax only where the dealer
// has one: an empty row under its label otherwise.
void TestBasketPrint::dealerContactRows()
{
    if (!m_havePdfToText)
        QSKIP("pdftotext (poppler-utils) is not installed");
    QFETCH(QString, dealer);
    QFETCH(QString, profile);
    QFETCH(QString, rows);
    CBasketPrintData data = demoData(BPF_STANDARD);
    data.tel1 = dealer.section(QLatin1Char('|'), 0, 0);
    data.traderFax = dealer.section(QLatin1Char('|'), 1, 1);
    data.tel = profile.section(QLatin1Char('|'), 0, 0);
    data.fax = profile.section(QLatin1Char('|'), 1, 1);
    CBasketPrintOut printOut(nullptr, data);
    const QString text = writePdf(printOut).join(QLatin1Char('\n'));
    const QString missing =
        YaqTest::MissingInOrder(text, {QStringLiteral("Angeboten durch Berater Eins"), rows});
    QVERIFY2(missing.isEmpty(), qPrintable(missing + QStringLiteral(" missing in:\n") + text));
}

void TestBasketPrint::articleRows_data()
{
    // Row: the basket (the demo package changed as named, or a labour
    // position) -> the article table's rows in order, each a run of whole
    // words; a row followed by the next row's first words has no cells
    // between. The closing sums stay blank while the basket's totals are
    // not known.
    QTest::addColumn<QString>("basket");
    QTest::addColumn<QStringList>("rows");
    const QString work = QStringLiteral("11 00 520 Motoroel wechseln 1");
    const QString part = QStringLiteral("11 42 7 512 300 Oelfilter 1");
    const QString sum = QStringLiteral("Paketsumme: Inspektionspaket Demo");
    // clang-format off
    QTest::newRow("priced from its lines")   << "package"          << QStringList{work + " 100.00", part + " 50.00", sum + " 150.00"};
    QTest::newRow("not priced")              << "not priced"       << QStringList{work + " 11 00 530", part + " " + sum + " Preis netto in MwSt in Preis brutto in"};
    QTest::newRow("inclusive price")         << "inclusive"        << QStringList{work + " 11 00 530", part + " " + sum + " 150.00"};
    QTest::newRow("priced by hand")          << "by hand"          << QStringList{work + " 11 00 530", part + " " + sum + " 150.00"};
    QTest::newRow("campaign: its price")     << "campaign"         << QStringList{work + " 11 00 530", part + " " + sum + " 120.00"};
    QTest::newRow("campaign without price")  << "campaign unpriced" << QStringList{work + " 11 00 530", part + " " + sum + " Preis netto in"};
    QTest::newRow("nothing chosen: the head") << "none chosen"     << QStringList{"99 11 001 Inspektionspaket Demo " + sum + " 150.00"};
    QTest::newRow("sub-package after the rows") << "sub-package"   << QStringList{part + " 50.00 11 00 540 Zuendkerzen 1 30.00 " + sum + " 150.00 Preis netto in"};
    QTest::newRow("replaced part")           << "replaced"         << QStringList{"11 42 7 512 300 Oelfilter neu 1 50.00", "(11 42 7 512 301)", sum};
    QTest::newRow("labour without a price")  << "labour no price"  << QStringList{"12 34 567 Bremsbelaege vorn ersetzen 10 Preis netto in MwSt in Preis brutto in Unterschrift"};
    QTest::newRow("labour, unit from gross") << "labour gross"     << QStringList{"12 34 567 Bremsbelaege vorn ersetzen 10 10.00 120.00", "Preis netto in 120.00 MwSt in 22.80 Preis brutto in 142.80 Unterschrift"};
    QTest::newRow("labour, inclusive price") << "labour inclusive" << QStringList{"12 34 567 Bremsbelaege vorn ersetzen 10 120.00"};
    // clang-format on
}

// The article table of the offer by its rules: which rows a package
// prints, where prices stand and where they stay empty.
void TestBasketPrint::articleRows()
{
    if (!m_havePdfToText)
        QSKIP("pdftotext (poppler-utils) is not installed");
    QFETCH(QString, basket);
    QFETCH(QStringList, rows);
    CWKList list;
    if (basket.startsWith(QLatin1String("labour"))) {
        auto pos = labour(QStringLiteral("1234567"), QStringLiteral("Bremsbelaege vorn ersetzen"),
                          120.0, 142.8);
        if (basket == QLatin1String("labour no price"))
            pos->Preise1.Gross = kPriceNone;
        pos->Preise1.UnitNet = kPriceNotSet;
        pos->Preise1.UnitGross = 11.9;
        pos->Preise1.Vat = 19.0;
        pos->Preise1.FlatPrice = basket == QLatin1String("labour inclusive");
        list.Add(CWKListItem(std::move(pos)), 1);
    } else {
        std::unique_ptr<CPaket> paket = demoPackage();
        CPosition &head = *paket->GetKopf();
        int kind = WK_SRP;
        if (basket == QLatin1String("not priced"))
            head.Preise1.Complete = 0;
        if (basket == QLatin1String("inclusive"))
            head.Preise1.FlatPrice = 1;
        if (basket == QLatin1String("by hand"))
            head.PriceCalcFlag = 1;
        if (basket.startsWith(QLatin1String("campaign"))) {
            kind = WK_CAMPAIGN;
            head.Preise3.Complete = basket == QLatin1String("campaign");
            head.Preise3.Net = 120.0;
            head.Preise3.Gross = 142.8;
        }
        if (basket == QLatin1String("none chosen")) {
            for (const auto &line : *paket)
                line->Selected = line.get() == &head;
        }
        if (basket == QLatin1String("sub-package")) {
            auto sub = std::make_unique<CPosition>();
            sub->Type = POS_SUBPACKAGE;
            sub->SubPackage = std::make_unique<CPaket>();
            auto subHead = std::make_unique<CPosition>(head);
            subHead->Number = QStringLiteral("9911002");
            subHead->AwText1 = QStringLiteral("Zuendanlage");
            sub->SubPackage->AddPosition(std::move(subHead));
            sub->SubPackage->AddPosition(
                line(POS_WORK, QStringLiteral("1100540"), QStringLiteral("Zuendkerzen"), 30.0));
            paket->AddPosition(std::move(sub));
        }
        if (basket == QLatin1String("replaced")) {
            CPosition *oil =
                paket->FindPosition(POS_PART, QStringLiteral("11427512300"), QString());
            oil->ErsetztDurchNummer = QStringLiteral("11427512301");
            oil->ErsetztDurchText = QStringLiteral("Oelfilter neu");
        }
        list.Add(CWKListItem(kind, std::move(paket)), 1);
    }
    CBasketPrintOut printOut(&list, demoData(BPF_STANDARD));
    const QString text = writePdf(printOut).join(QLatin1Char('\n'));
    const QString missing = YaqTest::MissingInOrder(text, rows);
    QVERIFY2(missing.isEmpty(), qPrintable(missing + QStringLiteral(" missing in:\n") + text));
}

void TestBasketPrint::longBasketCountsItsPages_data()
{
    QTest::addColumn<int>("form");
    QTest::addColumn<QString>("language");
    // clang-format off
    QTest::newRow("standard form") << int(BPF_STANDARD) << "00";
    QTest::newRow("standard form, language 11") << int(BPF_STANDARD) << "11";
    QTest::newRow("information sheet") << int(BPF_INFO_SHEET) << "00";
    // clang-format on
}

void TestBasketPrint::longBasketCountsItsPages()
{
    if (!m_havePdfToText)
        QSKIP("pdftotext (poppler-utils) is not installed");
    QFETCH(int, form);
    QFETCH(QString, language);
    CWKList list;
    for (int i = 0; i < 120; ++i)
        list.Add(CWKListItem(labour(QStringLiteral("50%1").arg(i, 5, 10, QLatin1Char('0')),
                                    QStringLiteral("Arbeit Nummer %1").arg(i), 10.0, 11.9)),
                 1);
    list.Add(CWKListItem(WK_SRP, demoPackage()), 1);
    CBasketPrintData data = demoData(form);
    data.language = language;
    CBasketPrintOut printOut(&list, data);
    int enginePages = 0;
    const QStringList pages = writePdf(printOut, &enginePages);
    const int count = printOut.PageCount();
    QVERIFY(count > 2);
    QCOMPARE(enginePages, count);
    QCOMPARE(pages.size(), count);
    for (int page = 1; page <= count; ++page)
        QCOMPARE(lastWord(pages.at(page - 1)), QStringLiteral("%1/%2").arg(page).arg(count));
    // Every article once, in the basket's order.
    const QString text = pages.join(QLatin1Char('\n'));
    int from = 0;
    for (int i = 0; i < 120; ++i) {
        const QString article = QStringLiteral("Arbeit Nummer %1").arg(i);
        const QRegularExpression once(QRegularExpression::escape(article) + QStringLiteral("\\b"));
        QCOMPARE(text.count(once), 1);
        const int at = text.indexOf(once, from);
        QVERIFY2(at >= from, qPrintable(article));
        from = at;
    }
    QVERIFY(pages.last().contains(form == BPF_STANDARD ? QStringLiteral("Unterschrift")
                                                       : QStringLiteral("Gesamt Summe")));
}

void TestBasketPrint::longRemarkFlowsOverPages()
{
    if (!m_havePdfToText)
        QSKIP("pdftotext (poppler-utils) is not installed");
    CWKList list;
    fillDemoBasket(list);
    CBasketPrintData data = demoData(BPF_STANDARD);
    QStringList remark;
    for (int i = 1; i <= 150; ++i)
        remark << QStringLiteral("Bemerkungszeile %1").arg(i);
    data.remark = remark.join(QLatin1Char('\n'));
    CBasketPrintOut printOut(&list, data);
    CBasketPrintOut withoutRemark(&list, demoData(BPF_STANDARD));
    writePdf(withoutRemark);
    const QStringList pages = writePdf(printOut);
    const int count = printOut.PageCount();
    // 150 lines take more than one page of their own.
    QVERIFY2(count >= withoutRemark.PageCount() + 2, qPrintable(QString::number(count)));
    QCOMPARE(pages.size(), count);
    for (int page = 1; page <= count; ++page)
        QCOMPARE(lastWord(pages.at(page - 1)), QStringLiteral("%1/%2").arg(page).arg(count));
    const QString text = pages.join(QLatin1Char('\n'));
    QVERIFY(text.contains(OrmelText(6081)));
    for (int i = 1; i <= 150; ++i)
        QCOMPARE(text.count(QRegularExpression(QStringLiteral("Bemerkungszeile %1\\b").arg(i))), 1);
    QVERIFY(pages.last().contains(QStringLiteral("Bemerkungszeile 150")));
}

void TestBasketPrint::printPositions_data()
{
    QTest::addColumn<int>("form");
    QTest::addColumn<int>("labourPositions"); // before the package
    QTest::addColumn<int>("rowsOver");        // package rows more than its first page holds
    // clang-format off
    QTest::newRow("offer: the package fills its page, the closing block turns the page") << int(BPF_STANDARD) << 0 << 0;
    QTest::newRow("offer: the last row goes over with its sum line") << int(BPF_STANDARD) << 0 << 1;
    QTest::newRow("offer: labour positions over a page, a package running on") << int(BPF_STANDARD) << 30 << 5;
    QTest::newRow("information sheet: the last row goes over with its sum row") << int(BPF_INFO_SHEET) << 0 << 1;
    // clang-format on
}

// A4 with 10 mm margins, in mm from the paper's top left corner: the bottom
// band with the page number begins 10 mm above the printable area's bottom.
void TestBasketPrint::printPositions()
{
    if (!m_havePdfToText)
        QSKIP("pdftotext (poppler-utils) is not installed");
    QFETCH(int, form);
    QFETCH(int, labourPositions);
    QFETCH(int, rowsOver);
    const bool offer = form == BPF_STANDARD;
    const double tolerance = 0.6;
    const double bandTop = 297.0 - 10.0 - 10.0;
    // The offer's columns end at 197 mm of the sheet; the information
    // sheet's at its right margin, 12 mm inside the printable width.
    const double rightEdge = offer ? 197.0 : 10.0 + 190.0 - 12.0;
    const QRegularExpression packageRow(QStringLiteral("^Arbeitsschritt(\\d\\d)$"));
    const QRegularExpression labourRow(QStringLiteral("^Einzelarbeit\\d\\d$"));
    const QRegularExpression amount(QStringLiteral("^\\d+\\.\\d\\d$"));

    CBasketPrintData data = demoData(form);
    data.info[0] = QStringList(25, QStringLiteral("Rad")).join(QLatin1Char(' '));
    data.customer[1] = QStringList(25, QStringLiteral("Hof")).join(QLatin1Char(' '));
    auto print = [&](int packageRows) {
        CWKList list;
        for (int i = 0; i < labourPositions; ++i)
            list.Add(
                CWKListItem(labour(QStringLiteral("50%1").arg(i, 5, 10, QLatin1Char('0')),
                                   QStringLiteral("Einzelarbeit%1").arg(i, 2, 10, QLatin1Char('0')),
                                   10.0, 11.9)),
                1);
        list.Add(CWKListItem(WK_SRP, longPackage(packageRows)), 1);
        CBasketPrintOut printOut(&list, data);
        const QString file = printToPdf(printOut);
        return std::make_pair(file.isEmpty() ? QList<PdfWord>() : pdfWords(file),
                              printOut.PageCount());
    };
    // How many rows of the package the page it begins on holds.
    const QList<PdfWord> probe = print(80).first;
    int firstPage = 0;
    int capacity = 0;
    for (const PdfWord &w : probe) {
        if (!packageRow.match(w.text).hasMatch())
            continue;
        if (!firstPage)
            firstPage = w.page;
        capacity += w.page == firstPage ? 1 : 0;
    }
    QVERIFY2(firstPage > 0 && capacity > 5 && capacity < 80, qPrintable(QString::number(capacity)));

    const auto [words, pages] = print(capacity + rowsOver);
    QVERIFY(!words.isEmpty());
    // The rows the page does not hold go to the next page, which is the last.
    QCOMPARE(pages, firstPage + 1);
    QMap<int, int> rowsOnPage;
    PdfWord lastRow;
    for (const PdfWord &w : words) {
        const QRegularExpressionMatch m = packageRow.match(w.text);
        if (!m.hasMatch())
            continue;
        ++rowsOnPage[w.page];
        if (m.captured(1).toInt() == capacity + rowsOver - 1)
            lastRow = w;
    }
    QCOMPARE(rowsOnPage.value(firstPage), capacity);
    QCOMPARE(rowsOnPage.value(firstPage + 1), rowsOver);

    // The package's sum line follows its last row on the same page.
    // (The information sheet's grand total reads "Gesamt Summe:".)
    const QString sumLabel = offer ? OrmelText(6056) : OrmelText(3128) + QLatin1Char(':');
    QList<PdfWord> sums;
    for (const PdfWord &w : words)
        if (w.text == sumLabel && lineOf(words, w).first().text == sumLabel)
            sums << w;
    QCOMPARE(sums.size(), 1);
    QCOMPARE(sums.first().page, lastRow.page);
    QVERIFY2(sums.first().top > lastRow.bottom - tolerance, qPrintable(at(sums.first())));

    // The closing block stands on the last page, at its foot; no row reaches
    // into it, and no labour position into its room on any page.
    PdfWord closing;
    for (const PdfWord &w : words)
        if (w.text ==
            (offer ? QStringLiteral("netto") : OrmelText(3156).section(QLatin1Char(' '), 0, 0)))
            closing = w;
    QCOMPARE(closing.page, pages);
    const double closingTop = closing.top - (offer ? 7.0 : 5.0);
    for (const PdfWord &w : words) {
        const bool isPackageRow = packageRow.match(w.text).hasMatch();
        const bool isLabourRow = labourRow.match(w.text).hasMatch();
        if ((isPackageRow && w.page == pages) || isLabourRow)
            QVERIFY2(w.bottom <= closingTop + tolerance, qPrintable(at(w)));
    }

    // Every page carries its number in the bottom band, ending at the right
    // edge; nothing else enters the band.
    for (int page = 1; page <= pages; ++page) {
        const QString number = QStringLiteral("%1/%2").arg(page).arg(pages);
        int found = 0;
        for (const PdfWord &w : words) {
            if (w.page != page)
                continue;
            if (w.text == number) {
                ++found;
                QVERIFY2(w.top >= bandTop - tolerance, qPrintable(at(w)));
                QVERIFY2(qAbs(w.right - rightEdge) < tolerance, qPrintable(at(w)));
            } else {
                QVERIFY2(w.bottom <= bandTop + tolerance, qPrintable(at(w)));
            }
        }
        QCOMPARE(found, 1);
    }

    if (offer) {
        // The column head "Preis" of every page, the line prices, the
        // package sum and the sums of the closing block end at 197 mm.
        int heads = 0;
        for (const PdfWord &w : words) {
            if (w.text != OrmelText(6033))
                continue;
            ++heads;
            const PdfWord last = lineOf(words, w).last();
            QCOMPARE(last.text, OrmelText(3127));
            QVERIFY2(qAbs(last.right - rightEdge) < tolerance, qPrintable(at(last)));
        }
        QCOMPARE(heads, pages);
        const PdfWord sum = lineOf(words, sums.first()).last();
        QVERIFY2(amount.match(sum.text).hasMatch(), qPrintable(at(sum)));
        int prices = 0;
        for (const PdfWord &w : words) {
            if (!amount.match(w.text).hasMatch() || w.right < 170.0)
                continue;
            ++prices;
            QVERIFY2(qAbs(w.right - rightEdge) < tolerance, qPrintable(at(w)));
        }
        QVERIFY(prices > capacity + rowsOver + labourPositions);
    } else {
        // The header's right column begins in the middle of the printable
        // width; the customer's lines stay left of it, its remark lines
        // reach to the right margin and not beyond.
        const double middle = 10.0 + 95.0;
        PdfWord order;
        double customerRight = 0.0;
        double remarkRight = 0.0;
        for (const PdfWord &w : words) {
            if (w.page == 1 && w.text == OrmelText(3085) + QLatin1Char(':'))
                order = w;
            if (w.page == 1 && w.text == QLatin1String("Hof"))
                customerRight = std::max(customerRight, w.right);
            if (w.page == 1 && w.text == QLatin1String("Rad"))
                remarkRight = std::max(remarkRight, w.right);
        }
        QVERIFY2(qAbs(order.left - middle) < tolerance, qPrintable(at(order)));
        QVERIFY2(customerRight > 0.0 && customerRight <= middle + tolerance,
                 qPrintable(QString::number(customerRight)));
        QVERIFY2(remarkRight > rightEdge - 7.0 && remarkRight <= rightEdge + tolerance,
                 qPrintable(QString::number(remarkRight)));
    }
}

void TestBasketPrint::printDialogShowsTheForm_data()
{
    QTest::addColumn<int>("form");
    QTest::addColumn<QString>("brandCode");
    QTest::addColumn<QString>("brand");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("numberCaption");
    QTest::addColumn<int>("infoCaption");
    QTest::addColumn<bool>("offerFields"); // offer number, remark and PDF enabled
    // clang-format off
    QTest::newRow("standard form") << int(BPF_STANDARD) << "VQ" << "VOQ Service" << "Angebot" << "Angebotsnummer" << 6032 << true;
    QTest::newRow("standard form, brand LU") << int(BPF_STANDARD) << "LU" << "LUMO Service" << "Angebot" << "Angebotsnummer" << 6032 << true;
    QTest::newRow("information sheet") << int(BPF_INFO_SHEET) << "VQ" << "" << "Information Paket- / AW-Preis" << "" << 3071 << false;
    // clang-format on
}

void TestBasketPrint::printDialogShowsTheForm()
{
    QFETCH(int, form);
    QFETCH(QString, brandCode);
    QFETCH(QString, brand);
    QFETCH(QString, title);
    QFETCH(QString, numberCaption);
    QFETCH(int, infoCaption);
    QFETCH(bool, offerFields);
    CPrgSettings settings;
    settings.Sound = 0;
    settings.Marke = brandCode;
    settings.nBasketPrintForm = form;
    settings.Firma = QStringLiteral("Autohaus Muster GmbH");
    settings.TitelAngebotDruck = QStringLiteral("Angebot");
    settings.Nummer = QStringLiteral("Angebotsnummer");
    settings.Brutto = QStringLiteral("Preis brutto in");
    settings.AGB = QStringLiteral("Zeile 1\nZeile 2");
    settings.Tel1 = QStringLiteral("089 7");
    SetPrintText(settings, BPT_OFFER_NUMBER, QStringLiteral("A-4711"));
    CWkDruckDlg dialog(&settings, QStringLiteral("24.12.2030"));
    QList<int> help;
    dialog.SetHelp([&help](int context) { help << context; });
    const auto shown = [&dialog](const char *name) {
        auto *field = dialog.findChild<QLineEdit *>(QLatin1String(name));
        return field ? field->text() : QStringLiteral("<none>");
    };
    QCOMPARE(shown("firmaHead"), settings.Firma);
    QCOMPARE(shown("brandHeading"), brand);
    QCOMPARE(GetPrintText(settings, BPT_BRAND), brand);
    QCOMPARE(shown("formTitle"), title);
    QCOMPARE(shown("numberCaption"), numberCaption);
    QCOMPARE(shown("infoCaption"), OrmelText(infoCaption));
    QCOMPARE(shown("offerNumber"), offerFields ? QStringLiteral("A-4711") : QString());
    QCOMPARE(shown("headPrice"), OrmelText(3127));
    QCOMPARE(shown("bruttoCaption"), settings.Brutto);
    QCOMPARE(shown("signature"), OrmelText(6036));
    QCOMPARE(shown("tel"), settings.Tel1);
    // The validity keeps its points and loses a comma as it is typed.
    dialog.findChild<QLineEdit *>(QStringLiteral("validUntil"))
        ->setText(QStringLiteral("31,01.2031"));
    QCOMPARE(GetPrintText(settings, BPT_VALID_UNTIL), QStringLiteral("3101.2031"));
    QCOMPARE(shown("validUntil"), QStringLiteral("3101.2031"));
    QCOMPARE(dialog.findChild<QPlainTextEdit *>(QStringLiteral("terms"))->toPlainText(),
             QStringLiteral("Zeile 1\nZeile 2"));
    for (const char *name : {"offerNumber", "remark", "pdf"})
        QCOMPARE(dialog.findChild<QWidget *>(QLatin1String(name))->isEnabled(), offerFields);
    // Without a dealer folder there are no defaults to change.
    QVERIFY(!dialog.findChild<QWidget *>(QStringLiteral("printDefaults"))->isEnabled());

    // The remark dialog repeats the form's head.
    CWkDkZusDlg remark(&settings, dialog.Header(), &dialog);
    for (const char *name : {"firmaHead", "brandHeading", "formTitle", "numberCaption",
                             "dateCaption", "validCaption", "offerNumber", "date", "validUntil"}) {
        auto *field = remark.findChild<QLineEdit *>(QLatin1String(name));
        QVERIFY2(field && field->isReadOnly(), name);
        QCOMPARE(field->text(), shown(name));
    }

    // F1 asks for the dialog's help; Return and Escape close nothing.
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog, YaqTest::kHangMs));
    QTest::keyClick(&dialog, Qt::Key_F1);
    QCOMPARE(help, QList<int>{CWkDruckDlg::kHelpContext});
    QTest::keyClick(dialog.findChild<QLineEdit *>(QStringLiteral("customer1")), Qt::Key_Return);
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QVERIFY(dialog.isVisible());

    // The other form switches the caption of the further information.
    dialog
        .findChild<QRadioButton *>(form == BPF_STANDARD ? QStringLiteral("infoSheet")
                                                        : QStringLiteral("standardForm"))
        ->click();
    QCOMPARE(shown("infoCaption"), OrmelText(infoCaption == 6032 ? 3071 : 6032));
    QCOMPARE(settings.nBasketPrintForm, form == BPF_STANDARD ? 1 : 0);

    // "Drucken" hands on the typed texts without their trailing blanks.
    dialog.findChild<QLineEdit *>(QStringLiteral("customer1"))->setText(QStringLiteral("Erika  "));
    dialog.findChild<QPushButton *>(QStringLiteral("print"))->click();
    QCOMPARE(dialog.result(), int(WKDRUCK_PRINT));
    QCOMPARE(GetPrintText(settings, BPT_CUSTOMER1), QStringLiteral("Erika"));
}

void TestBasketPrint::printDefaultsAreStored_data()
{
    QTest::addColumn<bool>("folderExists");
    QTest::addColumn<bool>("stored");
    QTest::addColumn<QString>("firma"); // in the settings afterwards
    // clang-format off
    QTest::newRow("dealer folder") << true << true << "Neues Autohaus";
    QTest::newRow("dealer folder missing: the settings stay") << false << false << "Altes Autohaus";
    // clang-format on
}

void TestBasketPrint::printDefaultsAreStored()
{
    QFETCH(bool, folderExists);
    QFETCH(bool, stored);
    QFETCH(QString, firma);
    CPrgSettings settings;
    settings.DealerDataStorage = m_env->path() + QStringLiteral("/Dealer");
    if (folderExists)
        QVERIFY(QDir().mkpath(settings.DealerDataStorage));
    settings.Firma = QStringLiteral("Altes Autohaus");
    settings.AGB = QStringLiteral("Alte Bedingungen");
    int count = 0;
    const CPrintDefaultField *fields = PrintDefaultFields(&count);
    QStringList texts;
    for (int i = 0; i < count; ++i) {
        const QString key = QString::fromLatin1(fields[i].key);
        texts << (key == QLatin1String("Firma") ? QStringLiteral("Neues Autohaus")
                  : key == QLatin1String("AGB") ? QStringLiteral("Zeile 1\nZeile 2")
                                                : settings.*fields[i].field);
    }
    QCOMPARE(StorePrintDefaults(settings, texts), stored);
    QCOMPARE(settings.Firma, firma);
    QCOMPARE(settings.AGB,
             stored ? QStringLiteral("Zeile 1\nZeile 2") : QStringLiteral("Alte Bedingungen"));
    // The dealer file keeps the terms on one line, its line break as "\n".
    const QString file = readTextFile(settings.TraderIniPath(settings.DealerDataStorage));
    QCOMPARE(file.contains(QStringLiteral("AGB=Zeile 1\\nZeile 2")), stored);
    QCOMPARE(file.contains(QStringLiteral("Firma=Neues Autohaus")), stored);

    // Confirmed in the print dialog: the dealer file read again, the
    // standard form chosen with its brand heading.
    settings.Firma = QStringLiteral("Altes Autohaus");
    settings.Marke = QStringLiteral("LU");
    settings.nBasketPrintForm = BPF_INFO_SHEET;
    TakePrintDefaults(settings);
    if (stored)
        QCOMPARE(settings.Firma, firma);
    QCOMPARE(settings.nBasketPrintForm, int(BPF_STANDARD));
    QCOMPARE(GetPrintText(settings, BPT_BRAND), QStringLiteral("LUMO Service"));
}

void TestBasketPrint::offeredContact_data()
{
    // The profile's telephone and fax, the dealer file's -> what the print
    // dialog offers.
    QTest::addColumn<QString>("profile");
    QTest::addColumn<QString>("dealer");
    QTest::addColumn<QString>("offered");
    // clang-format off
    QTest::newRow("the adviser's own")            << "089 1|089 2" << "089 7|089 8" << "089 1|089 2";
    QTest::newRow("none of his own: the dealer's") << "|"          << "089 7|089 8" << "089 7|089 8";
    // clang-format on
}

void TestBasketPrint::offeredContact()
{
    QFETCH(QString, profile);
    QFETCH(QString, dealer);
    QFETCH(QString, offered);
    CPrgSettings s;
    s.Tel = profile.section(QLatin1Char('|'), 0, 0);
    s.Fax = profile.section(QLatin1Char('|'), 1, 1);
    s.Tel1 = dealer.section(QLatin1Char('|'), 0, 0);
    s.TraderFax = dealer.section(QLatin1Char('|'), 1, 1);
    QCOMPARE(OfferedTel(s) + QLatin1Char('|') + OfferedFax(s), offered);
}

void TestBasketPrint::printFieldsOnPrint_data()
{
    // Every typed text as typed -> as printed; telephone and fax go into
    // the profile as typed, the brand heading and the remark stay.
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("printed");
    // clang-format off
    QTest::newRow("trailing blanks dropped") << "A 1 \t " << "A 1";
    QTest::newRow("leading blanks kept")     << "  A 1"  << "  A 1";
    // clang-format on
}

void TestBasketPrint::printFieldsOnPrint()
{
    QFETCH(QString, typed);
    QFETCH(QString, printed);
    CPrgSettings s;
    for (int index = 0; index < BPT_COUNT; ++index)
        SetPrintText(s, index, typed);
    s.AGB = typed;
    FinishPrintFields(s, typed, typed, typed);
    for (int index = 0; index < BPT_COUNT; ++index) {
        const bool kept = index == BPT_BRAND || index == BPT_REMARK;
        QVERIFY2(GetPrintText(s, index) == (kept ? typed : printed),
                 qPrintable(QString::number(index)));
    }
    QCOMPARE(s.AGB, printed);
    QCOMPARE(s.User, printed);
    QCOMPARE(s.Tel, typed);
    QCOMPARE(s.Fax, typed);
}

void TestBasketPrint::typedTextPrintedWhole_data()
{
    // Row: the field of the print dialog ("remarkText" in its remark
    // dialog), a text pasted into it, then the keys typed ("\t" Tab, "\n"
    // Return) -> whether the focus is still in the field, its words as the
    // offer prints them, and whether the last of them stands lower on the
    // page than the first.
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<bool>("stays");
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<bool>("lower");
    const QString longLine =
        QStringList(30, QStringLiteral("Stossdaempfer")).join(QLatin1Char(' ')) +
        QStringLiteral(" Ende");
    const QStringList longWords = YaqTest::WordsOf(longLine);
    const QString wide = QStringLiteral("WWWWWWW WWWWWWW WWWWWWW WWW Ende");
    // clang-format off
    QTest::newRow("remark: Tab moves the focus on")        << "remarkText" << ""                     << "Kunde A\t"         << false << QStringList{"Kunde", "A"}                     << false;
    QTest::newRow("remark: Return makes a new line")       << "remarkText" << ""                     << "Kunde A\nTermin B" << true  << QStringList{"Kunde", "A", "Termin", "B"}     << true;
    QTest::newRow("remark: pasted tabs are blank space")   << "remarkText" << "Kunde A\t\tTermin B"  << ""                  << true  << QStringList{"Kunde", "A", "Termin", "B"}     << false;
    QTest::newRow("remark: four tabs lose no word")        << "remarkText" << "A\t\t\t\tB C"         << ""                  << true  << QStringList{"A", "B", "C"}                   << false;
    QTest::newRow("remark: a long line goes on below")     << "remarkText" << ""                     << longLine            << true  << longWords                                    << true;
    QTest::newRow("customer line: a long line is cut on paper only") << "customer1" << ""       << longLine            << true  << longWords.mid(0, 2)                          << false;
    QTest::newRow("customer line: pasted tab")             << "customer2"  << "Herr\tMeier"          << ""                  << true  << QStringList{"Herr", "Meier"}                 << false;
    QTest::newRow("information line: wide letters stay on their line") << "info1" << ""               << wide                << true  << YaqTest::WordsOf(wide)                                << false;
    // clang-format on
}

// Typed with real keys into the real dialogs, written as PDF with
// "PDF erzeugen" and read back.
void TestBasketPrint::typedTextPrintedWhole()
{
    if (!m_havePdfToText)
        QSKIP("pdftotext (poppler-utils) is not installed");
    QFETCH(QString, field);
    QFETCH(QString, pasted);
    QFETCH(QString, keys);
    QFETCH(bool, stays);
    QFETCH(QStringList, words);
    QFETCH(bool, lower);
    CPrgSettings settings;
    settings.Sound = 0;
    settings.Firma = QStringLiteral("Autohaus Muster GmbH");
    CWkDruckDlg dialog(&settings, QStringLiteral("24.12.2030"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog, YaqTest::kHangMs));

    const auto type = [&](QWidget *edit) {
        edit->setFocus();
        QTRY_VERIFY_WITH_TIMEOUT(edit->hasFocus(), YaqTest::kHangMs);
        if (!pasted.isEmpty()) {
            QGuiApplication::clipboard()->setText(pasted);
            QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        }
        for (const QChar c : keys) {
            QWidget *target = QApplication::focusWidget();
            if (c == QLatin1Char('\t'))
                QTest::keyClick(target, Qt::Key_Tab);
            else if (c == QLatin1Char('\n'))
                QTest::keyClick(target, Qt::Key_Return);
            else
                QTest::keyClicks(target, QString(c));
        }
        QCOMPARE(edit->hasFocus(), stays);
    };
    if (field == QLatin1String("remarkText")) {
        bool typed = false;
        QTimer::singleShot(0, this, [&] {
            auto *remark = qobject_cast<CWkDkZusDlg *>(QApplication::activeModalWidget());
            if (!remark)
                return;
            QWidget *edit = remark->findChild<QPlainTextEdit *>(field);
            type(edit);
            typed = true;
            remark->accept();
        });
        dialog.findChild<QPushButton *>(QStringLiteral("remark"))->click();
        QVERIFY(typed);
    } else {
        type(dialog.findChild<QLineEdit *>(field));
    }
    dialog.findChild<QPushButton *>(QStringLiteral("pdf"))->click();
    QCOMPARE(dialog.result(), int(WKDRUCK_PDF));

    CWKList list;
    fillDemoBasket(list);
    CBasketPrintOut printOut(&list, CBasketPrintData::FromSettings(settings));
    const QString file = printToPdf(printOut);
    QVERIFY(!file.isEmpty());
    const QList<PdfWord> printed = pdfWords(file);
    // The words of the field in their order, the first found after the
    // remark page's heading when the field is the remark.
    qsizetype from = 0;
    if (field == QLatin1String("remarkText")) {
        while (from < printed.size() && printed.at(from).text != OrmelText(6081))
            ++from;
        QVERIFY(from < printed.size());
    }
    QList<PdfWord> found;
    QStringList all;
    for (const PdfWord &w : printed)
        all << w.text;
    for (const QString &word : words) {
        while (from < printed.size() && printed.at(from).text != word)
            ++from;
        QVERIFY2(from < printed.size(),
                 qPrintable(word + QStringLiteral(" missing in: ") + all.join(QLatin1Char(' '))));
        found << printed.at(from++);
    }
    const double middle = (found.first().top + found.first().bottom) / 2;
    QVERIFY2((found.last().top > middle) == lower,
             qPrintable(at(found.first()) + QStringLiteral(" / ") + at(found.last())));
    // Nothing of the field reaches past the offer's right edge.
    for (const PdfWord &w : found)
        QVERIFY2(w.right <= 197.0 + 0.6, qPrintable(at(w)));
}

namespace {

// Where the words follow each other in the print-out, from the first one
// on: their boxes, or empty when one is missing.
QList<PdfWord> wordsInOrder(const QList<PdfWord> &printed, const QStringList &words)
{
    QList<PdfWord> found;
    qsizetype from = 0;
    for (const QString &word : words) {
        while (from < printed.size() && printed.at(from).text != word)
            ++from;
        if (from == printed.size())
            return {};
        found << printed.at(from++);
    }
    return found;
}

// "word00 word01 ..." up to the length.
QString numberedWords(const QString &tag, int length)
{
    QString text;
    for (int i = 0; text.size() < length; ++i)
        text += tag + QString::asprintf("%04d ", i);
    return text.left(length).trimmed();
}

} // namespace

void TestBasketPrint::typedValuesKeptWhole_data()
{
    // Row: the field of the print dialog, the keys typed one by one -> what
    // the field keeps (in the edit and where it is stored).
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    const QString name = QStringLiteral("Dr. med. Maximilian Müller-Lüdenscheidt GmbH & Co. KG");
    const QString street = QStringLiteral("Wilhelm-Leuschner-Straße 12-14");
    const QString house = QStringLiteral("Hauptstraße 123a, Hinterhaus 3. OG");
    const QString adviser = QStringLiteral("Maximilian Mustermann-Schulze, Serviceberater");
    const QString phone = QStringLiteral("+49 (0)1234 567890-123");
    const QString number = QStringLiteral("AN-2030-004711-WERKSTATT-MUSTERSTADT-017");
    // clang-format off
    QTest::newRow("customer line 1: a company's name")          << "customer1"   << name           << name;
    QTest::newRow("customer line 2: a street with its numbers") << "customer2"   << street         << street;
    QTest::newRow("customer line 5: the house, narrow letters") << "customer5"   << house          << house;
    QTest::newRow("offer number of 40 characters")              << "offerNumber" << number         << number;
    QTest::newRow("adviser")                                    << "user"        << adviser        << adviser;
    QTest::newRow("telephone")                                  << "tel"         << phone          << phone;
    QTest::newRow("information line keeps its first 33")        << "info1"       << house          << house.left(33);
    QTest::newRow("validity keeps 10 digits and points")        << "validUntil"  << "31.1a2.20305" << "31.12.2030";
    // clang-format on
}

// Typed key by key into the real dialog, "PDF erzeugen", then both forms
// printed and read back: what the field kept is printed whole, a single
// line of the offer on one line.
void TestBasketPrint::typedValuesKeptWhole()
{
    if (!m_havePdfToText)
        QSKIP("pdftotext (poppler-utils) is not installed");
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    CPrgSettings settings;
    settings.Sound = 0;
    settings.Firma = QStringLiteral("Autohaus Muster GmbH");
    settings.Tel1 = QStringLiteral("089 7");
    settings.AngebotenDurch = QStringLiteral("Angeboten durch");
    CWkDruckDlg dialog(&settings, QStringLiteral("24.12.2030"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog, YaqTest::kHangMs));
    auto *edit = dialog.findChild<QLineEdit *>(field);
    QVERIFY(edit);
    edit->setFocus();
    QTRY_VERIFY_WITH_TIMEOUT(edit->hasFocus(), YaqTest::kHangMs);
    edit->selectAll();
    // One key for each character, umlauts included.
    for (const QChar c : typed)
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key(c.toUpper().unicode()), QString(c),
                            Qt::NoModifier);
    QCOMPARE(edit->text(), kept);
    dialog.findChild<QPushButton *>(QStringLiteral("pdf"))->click();
    QCOMPARE(dialog.result(), int(WKDRUCK_PDF));
    const CBasketPrintData stored = CBasketPrintData::FromSettings(settings);
    const QMap<QString, QString> values{{"customer1", stored.customer.at(0)},
                                        {"customer2", stored.customer.at(1)},
                                        {"customer5", stored.customer.at(4)},
                                        {"offerNumber", stored.offerNumber},
                                        {"user", stored.user},
                                        {"tel", stored.tel},
                                        {"info1", stored.info.at(0)},
                                        {"validUntil", stored.validUntil}};
    QCOMPARE(values.value(field), kept);

    CWKList list;
    fillDemoBasket(list);
    const bool onSheet = field != QLatin1String("offerNumber") && field != QLatin1String("tel");
    for (const int form : {int(BPF_STANDARD), int(BPF_INFO_SHEET)}) {
        if (form == BPF_INFO_SHEET && !onSheet)
            continue;
        CBasketPrintData data = stored;
        data.form = form;
        CBasketPrintOut printOut(&list, data);
        const QString file = printToPdf(printOut);
        QVERIFY(!file.isEmpty());
        const QList<PdfWord> printed = pdfWords(file);
        if (form == BPF_INFO_SHEET) {
            // The sheet wraps its columns, also after a hyphen.
            QString text;
            for (const PdfWord &w : printed)
                text += w.text;
            QVERIFY2(text.contains(YaqTest::WordsOf(kept).join(QString())), qPrintable(kept));
            continue;
        }
        const QList<PdfWord> found = wordsInOrder(printed, YaqTest::WordsOf(kept));
        QVERIFY2(!found.isEmpty(), qPrintable(kept));
        for (const PdfWord &w : found)
            QVERIFY2(qAbs(w.bottom - found.first().bottom) < 0.8 && w.right <= 197.6,
                     qPrintable(at(found.first()) + QStringLiteral(" / ") + at(w)));
    }
}

void TestBasketPrint::storedValuesUnchanged_data()
{
    // Row: how the dialog ends -> its result.
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("result");
    // clang-format off
    QTest::newRow("opened and cancelled") << "cancel" << int(WKDRUCK_CANCEL);
    QTest::newRow("printed")              << "print"  << int(WKDRUCK_PRINT);
    QTest::newRow("written as PDF")       << "pdf"    << int(WKDRUCK_PDF);
    // clang-format on
}

// Long values stored before (by the vehicle search, in the profile other
// programs share) stay as they are, whatever the dialog shows of them.
void TestBasketPrint::storedValuesUnchanged()
{
    QFETCH(QString, button);
    QFETCH(int, result);
    CPrgSettings settings;
    settings.Sound = 0;
    const QString customer = numberedWords(QStringLiteral("Kunde"), 64);
    const QString info = numberedWords(QStringLiteral("Info"), 40);
    settings.User = numberedWords(QStringLiteral("Berater"), 57);
    settings.Tel = numberedWords(QStringLiteral("Tel"), 57);
    settings.Firma = numberedWords(QStringLiteral("Firma"), 70);
    SetPrintText(settings, BPT_CUSTOMER1, customer);
    SetPrintText(settings, BPT_INFO1, info);
    CWkDruckDlg dialog(&settings, QStringLiteral("24.12.2030"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog, YaqTest::kHangMs));
    // A long line shows its start, as the paper does.
    for (const char *name : {"firma", "firmaHead"})
        QCOMPARE(dialog.findChild<QLineEdit *>(QLatin1String(name))->cursorPosition(), 0);
    dialog.findChild<QPushButton *>(button)->click();
    QCOMPARE(dialog.result(), result);
    QCOMPARE(GetPrintText(settings, BPT_CUSTOMER1), customer);
    QCOMPARE(GetPrintText(settings, BPT_INFO1), info);
    QCOMPARE(settings.User, numberedWords(QStringLiteral("Berater"), 57));
    QCOMPARE(settings.Tel, numberedWords(QStringLiteral("Tel"), 57));
}

void TestBasketPrint::paperHoldsEveryCell_data()
{
    // Row: the form, the program language, what is long and how long ->
    // printed with no word over another, none outside the paper, the sums
    // once on the last page and every page with its number.
    QTest::addColumn<int>("form");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("what");
    QTest::addColumn<int>("length");
    const int offer = BPF_STANDARD;
    const int sheet = BPF_INFO_SHEET;
    // clang-format off
    QTest::newRow("offer, language 11")                       << offer << "11" << "nothing"       << 0;
    QTest::newRow("sheet, language 11")                       << sheet << "11" << "nothing"       << 0;
    QTest::newRow("offer: Firma and Strasse of 70")           << offer << "00" << "letterhead"    << 70;
    QTest::newRow("sheet, language 11: Firma and Strasse of 70") << sheet << "11" << "letterhead" << 70;
    QTest::newRow("offer: terms of 6,000")                    << offer << "00" << "terms"         << 6000;
    QTest::newRow("offer: terms of 12,000")                   << offer << "00" << "terms"         << 12000;
    QTest::newRow("offer: a plate of 75")                     << offer << "00" << "plate"         << 75;
    QTest::newRow("sheet: a plate of 75")                     << sheet << "00" << "plate"         << 75;
    QTest::newRow("offer, language 11: every field of 3,000") << offer << "11" << "every field"   << 3000;
    QTest::newRow("sheet: every field of 3,000")              << sheet << "00" << "every field"   << 3000;
    // clang-format on
}

void TestBasketPrint::paperHoldsEveryCell()
{
    if (!m_havePdfToText)
        QSKIP("pdftotext (poppler-utils) is not installed");
    QFETCH(int, form);
    QFETCH(QString, language);
    QFETCH(QString, what);
    QFETCH(int, length);
    CBasketPrintData d = demoData(form);
    d.language = language;
    d.agb = QStringLiteral("Es gelten unsere Allgemeinen Geschaeftsbedingungen.");
    d.agb2 = QStringLiteral("Preise inklusive Material.");
    QString lastTerm;
    if (what == QLatin1String("letterhead")) {
        d.brand = QStringLiteral("VOQ Service");
        d.firma = numberedWords(QStringLiteral("Firma"), length);
        d.strasse = numberedWords(QStringLiteral("Strasse"), length);
    } else if (what == QLatin1String("terms")) {
        // Paragraphs as the dealer file keeps them.
        d.agb = numberedWords(QStringLiteral("Bedingung"), length)
                    .replace(QStringLiteral("0 Bedingung"), QStringLiteral("0\\nBedingung"));
        lastTerm = YaqTest::WordsOf(d.agb2).last();
    } else if (what == QLatin1String("plate")) {
        // Beside the information the adviser typed.
        d.plate = numberedWords(QStringLiteral("KZ"), length);
        d.info[1] = QStringLiteral("Termin Dienstag");
    } else if (what == QLatin1String("every field")) {
        for (QString *field :
             {&d.offerNumber, &d.user, &d.tel, &d.fax, &d.plate, &d.mileage, &d.date, &d.validUntil,
              &d.customer[0], &d.customer[1], &d.customer[2], &d.customer[3], &d.customer[4],
              &d.info[0], &d.info[1], &d.info[2]})
            *field = numberedWords(QStringLiteral("Feld"), length);
        d.traderFax = d.fax;
    }
    CWKList list;
    fillDemoBasket(list);
    CBasketPrintOut printOut(&list, d);
    const QString file = printToPdf(printOut);
    QVERIFY(!file.isEmpty());
    const QList<PdfWord> printed = pdfWords(file);
    const QString fault = paperFault(printed);
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
    const int pages = printOut.PageCount();
    QCOMPARE(printed.last().page, pages);
    for (int page = 1; page <= pages; ++page) {
        const QString number = QStringLiteral("%1/%2").arg(page).arg(pages);
        QVERIFY2(std::any_of(printed.begin(), printed.end(),
                             [&](const PdfWord &w) { return w.page == page && w.text == number; }),
                 qPrintable(number));
    }
    const QString sums = YaqTest::WordsOf(OrmelText(form == BPF_STANDARD ? 6036 : 3156)).first();
    QList<PdfWord> sumWords;
    for (const PdfWord &w : printed)
        if (w.text == sums)
            sumWords << w;
    QCOMPARE(sumWords.size(), 1);
    QCOMPARE(sumWords.first().page, pages);
    if (!lastTerm.isEmpty()) {
        // Every term printed once, the sums after them.
        const QList<PdfWord> terms = wordsInOrder(
            printed, YaqTest::WordsOf(DealerTextLines(d.agb + QLatin1Char(' ') + d.agb2)));
        QVERIFY(!terms.isEmpty());
        QVERIFY2(terms.last().page < pages || terms.last().bottom < sumWords.first().top,
                 qPrintable(at(terms.last()) + QStringLiteral(" / ") + at(sumWords.first())));
    }
}

YAQ_TEST_MAIN(TestBasketPrint)
#include "tst_basketprint.moc"
