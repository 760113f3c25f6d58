// The basket's print-outs: the small rules (number groups, price cells, print
// fonts) as tables, and the offer and the information sheet of a demo basket
// written to PDF and read back with pdftotext: letterhead, vehicle block,
// every article, the sums, the typed date, page numbers "n/m" of long
// baskets and long remarks.

#include "basket/model/WKList.h"
#include "basket/print/BasketPrintFormat.h"
#include "basket/print/BasketPrintOut.h"
#include "common/EasyPrintDlg.h"
#include "packages/model/Paket.h"
#include "packages/model/Position.h"
#include "platform/OrmelText.h"
#include "support/TestEnv.h"

#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

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

// The pages of a PDF as pdftotext reads them (empty when it cannot).
QStringList pdfPages(const QString &file)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), file, QStringLiteral("-")});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
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
    void printFonts_data();
    void printFonts();

    void offerOfDemoBasket_data();
    void offerOfDemoBasket();
    void longBasketCountsItsPages_data();
    void longBasketCountsItsPages();
    void longRemarkFlowsOverPages();

private:
    // Writes the print-out as PDF; its pages as text.
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

QStringList TestBasketPrint::writePdf(CBasketPrintOut &printOut, int *enginePages)
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
        return {};
    if (enginePages)
        *enginePages = engine.Rows() * engine.Columns();
    return pdfPages(engine.PdfFilePath());
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

void TestBasketPrint::offerOfDemoBasket_data()
{
    QTest::addColumn<int>("form");
    QTest::addColumn<QStringList>("texts");
    const QStringList common{QStringLiteral("Autohaus Muster GmbH"),
                             QStringLiteral("24.12.2030"),
                             QStringLiteral("31.01.2031"),
                             QStringLiteral("Erika Beispiel"),
                             QStringLiteral("XVQ3A11090AB12345"),
                             QStringLiteral("Demo Limousine"),
                             QStringLiteral("M-YQ 123"),
                             QStringLiteral("Winterreifen eingelagert"),
                             QStringLiteral("Bremsbelaege vorn ersetzen"),
                             QStringLiteral("Motoroel wechseln"),
                             QStringLiteral("Fehlersuche nach Aufwand"),
                             QStringLiteral("Oelfilter"),
                             QStringLiteral("Wischerblaetter rissig"),
                             QStringLiteral("120.00")};
    // clang-format off
    QTest::newRow("standard form") << int(BPF_STANDARD) << (common + QStringList{"Angebot", "A-4711", "12345 km/mls", "12 34 567", "Inspektionspaket Demo", "11 42 7 512 300", "55 66 77 88 99", "Paketsumme:", "150.00", "350.00", "66.50", "416.50"});
    QTest::newRow("information sheet") << int(BPF_INFO_SHEET) << (common + QStringList{"Information Paket- / AW-Preis", "12345", "Gesamt Summe:", "350.00", "416.50", "178.50"});
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
    const int count = printOut.PageCount();
    QVERIFY(count >= 1);
    QCOMPARE(pages.size(), count);
    QCOMPARE(enginePages, count);
    for (int page = 1; page <= count; ++page)
        QVERIFY(pages.at(page - 1).contains(QStringLiteral("%1/%2").arg(page).arg(count)));
    for (const QString &expected : texts)
        QVERIFY2(text.contains(expected),
                 qPrintable(expected + QStringLiteral(" missing in:\n") + text));
    // A work position charged by time prints no marker as a price.
    QVERIFY2(!text.contains(QLatin1String("-2.00")), qPrintable(text));
    // The spot-repair work position marked to count twice is one line.
    QCOMPARE(text.count(QStringLiteral("Lackierung Kratzer hinten")), 1);
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
        QVERIFY2(pages.at(page - 1).contains(QStringLiteral("%1/%2").arg(page).arg(count)),
                 qPrintable(QStringLiteral("page %1").arg(page)));
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
        QVERIFY(pages.at(page - 1).contains(QStringLiteral("%1/%2").arg(page).arg(count)));
    const QString text = pages.join(QLatin1Char('\n'));
    QVERIFY(text.contains(OrmelText(6081)));
    for (int i = 1; i <= 150; ++i)
        QCOMPARE(text.count(QRegularExpression(QStringLiteral("Bemerkungszeile %1\\b").arg(i))), 1);
    QVERIFY(pages.last().contains(QStringLiteral("Bemerkungszeile 150")));
}

YAQ_TEST_MAIN(TestBasketPrint)
#include "tst_basketprint.moc"
