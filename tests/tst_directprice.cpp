// The direct price adjustment: the checks of typed numbers, the arithmetic
// of reduction and new price, and the dialog driven offscreen; the package
// pages' notice boxes.

#include "common/InputCheck.h"
#include "common/TextDlg.h"
#include "packages/PackagePriceAsk.h"
#include "packages/PageNotice.h"
#include "packages/PauschPreisDlg.h"
#include "packages/model/DirectPrice.h"
#include "packages/model/Position.h"
#include "packages/model/PriceMath.h"
#include "platform/OrmelText.h"
#include "settings/PrgSettings.h"
#include "support/TestEnv.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QtTest>

class TestDirectPrice : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void numericInput_data();
    void numericInput();
    void decimalInput_data();
    void decimalInput();
    void percentToPrice_data();
    void percentToPrice();
    void priceToPercent();
    void apply_data();
    void apply();
    void dialogAppliesDiscount();
    void dialogRefusesTooHighReduction();
    void dialogAppliesNewPrice();
    void pageNoticeIsANoticeBox();
    void priceAskRoads_data();
    void priceAskRoads();

private:
    TestEnv m_env;
};

void TestDirectPrice::initTestCase()
{
    InitOrmelText(QStringLiteral(YAQ_DEMO_DATAS_DIR) + QStringLiteral("/Zirava/PrgTxt"));
    m_env.answerBoxes(IDOK);
}

void TestDirectPrice::numericInput_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("caret");
    // clang-format off
    QTest::newRow("clean number")                   << "12.5" << "12.5" << -1;
    QTest::newRow("comma removed")                  << "12,5" << "125"  << 2;
    QTest::newRow("only the first stray character") << "a1b"  << "1b"   << 0;
    QTest::newRow("minus sign")                     << "-3"   << "3"    << 0;
    // clang-format on
}

void TestDirectPrice::numericInput()
{
    QFETCH(QString, text);
    QFETCH(QString, result);
    QFETCH(int, caret);
    QCOMPARE(CheckNumericInput(text), caret);
    QCOMPARE(text, result);
}

void TestDirectPrice::decimalInput_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("maxIntegerDigits");
    QTest::addColumn<int>("maxDecimals");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("caret");
    // clang-format off
    QTest::newRow("within limits")                         << "10.5"      << 2 << 2 << "10.5"  << -1;
    QTest::newRow("three integer digits")                  << "123"       << 2 << 2 << "12"    << 2;
    QTest::newRow("three integer digits before the point") << "123.4"     << 2 << 2 << "12.4"  << 2;
    QTest::newRow("three decimals")                        << "10.555"    << 2 << 2 << "10.55" << 5;
    QTest::newRow("both too long")                         << "1234.5678" << 2 << 2 << "12.56" << 5;
    QTest::newRow("no decimals allowed")                   << "1.5"       << 2 << 0 << "1."    << 2;
    // A negative limit can never be met: the text is left alone.
    QTest::newRow("negative integer limit")                << "12.5"      << -1 << 2 << "12.5" << -1;
    QTest::newRow("negative decimal limit")                << "12.5"      << 2 << -1 << "12.5" << -1;
    QTest::newRow("negative limit on empty text")          << ""          << -3 << -3 << ""    << -1;
    // clang-format on
}

void TestDirectPrice::decimalInput()
{
    QFETCH(QString, text);
    QFETCH(int, maxIntegerDigits);
    QFETCH(int, maxDecimals);
    QFETCH(QString, result);
    QFETCH(int, caret);
    QCOMPARE(CheckDecimalInput(text, maxIntegerDigits, maxDecimals), caret);
    QCOMPARE(text, result);
}

void TestDirectPrice::percentToPrice_data()
{
    QTest::addColumn<double>("standard");
    QTest::addColumn<QString>("max");
    QTest::addColumn<QString>("percent");
    QTest::addColumn<QString>("price");
    // clang-format off
    QTest::newRow("ten percent of 200")                 << 200.0 << "10" << "10" << "180.00";
    QTest::newRow("maximum reduction lifted by a cent") << 99.99 << "15" << "15" << "85.00";
    QTest::newRow("below the maximum no cent is added") << 99.99 << "15" << "14" << "85.99";
    QTest::newRow("no standard price derives nothing")  << -1.0  << "15" << "10" << "";
    // clang-format on
}

void TestDirectPrice::percentToPrice()
{
    QFETCH(double, standard);
    QFETCH(QString, max);
    QFETCH(QString, percent);
    QFETCH(QString, price);
    CPosition head;
    head.StdGross = standard;
    CPrgSettings settings;
    settings.MaxPreisNachlass = max;
    CDirectPrice calc(&head, &settings);
    QCOMPARE(calc.PercentEdited(percent), price);
    QVERIFY(calc.PercentTypedLast());
}

void TestDirectPrice::priceToPercent()
{
    CPosition head;
    head.StdGross = 200.0;
    CDirectPrice calc(&head, nullptr);
    QCOMPARE(calc.StandardPriceText(), QStringLiteral("200.00"));
    calc.PercentEdited(QStringLiteral("10"));
    QCOMPARE(calc.PriceEdited(QStringLiteral("150")), QStringLiteral("25.00"));
    QVERIFY(!calc.PercentTypedLast());
    QCOMPARE(calc.ReductionFor(150.0), 25.0);
}

void TestDirectPrice::apply_data()
{
    QTest::addColumn<double>("standard");
    QTest::addColumn<double>("stdVat");
    QTest::addColumn<double>("gross");
    QTest::addColumn<double>("net");
    QTest::addColumn<double>("vat");
    QTest::addColumn<QString>("price");
    QTest::addColumn<bool>("applied");
    QTest::addColumn<double>("newGross");
    QTest::addColumn<double>("newNet");
    QTest::addColumn<int>("complete");
    // The dealer's maximum reduction is 10 %.
    // clang-format off
    QTest::newRow("net from the standard VAT") << 200.0 << 20.0 << 200.0 << 150.0 << 20.0 << "180" << true << 180.0 << 150.0 << 1;
    QTest::newRow("standard VAT wins over the package's VAT rate") << 200.0 << 20.0 << -1.0 << -1.0 << 25.0 << "180" << true << 180.0 << 150.0 << 1;
    QTest::newRow("net keeps the gross to net ratio") << 200.0 << -1.0 << 240.0 << 200.0 << -1.0 << "180" << true << 180.0 << 150.0 << 1;
    QTest::newRow("gross to net ratio wins over the package's VAT rate") << 200.0 << -1.0 << 240.0 << 200.0 << 25.0 << "180" << true << 180.0 << 150.0 << 1;
    QTest::newRow("unset prices, net from the VAT rate") << 200.0 << -1.0 << -1.0 << -1.0 << 25.0 << "180" << true << 180.0 << 144.0 << 1;
    QTest::newRow("no price, zero net and no VAT: incomplete") << 200.0 << -1.0 << -3.0 << 0.0 << -1.0 << "180" << true << 180.0 << -1.0 << 0;
    QTest::newRow("reduction above the maximum") << 200.0 << 20.0 << 200.0 << 150.0 << 20.0 << "170" << false << 200.0 << 150.0 << 0;
    // 9.45 is 10.000000000000014 % below 10.50: shown and checked as 10.00 %.
    QTest::newRow("reduction exactly at the maximum as shown") << 10.5 << 19.0 << 10.5 << 8.82 << 19.0 << "9.45" << true << 9.45 << 7.94 << 1;
    QTest::newRow("one cent below the lowest allowed price") << 10.5 << 19.0 << 10.5 << 8.82 << 19.0 << "9.44" << false << 10.5 << 8.82 << 0;
    // 9.3334 is 9.996 % below 10.37, but the cent stored, 9.33, is 10.03 %.
    QTest::newRow("price typed finer than a cent: shown and checked as stored") << 10.37 << 19.0 << 10.37 << 8.71 << 19.0 << "9.3334" << false << 10.37 << 8.71 << 0;
    // The stored gross is the shown one; the net follows the stored gross.
    QTest::newRow("new price is stored to the cent") << 200.0 << 20.0 << 200.0 << 150.0 << 20.0 << "180.006" << true << 180.01 << 150.01 << 1;
    QTest::newRow("without standard price: current gross is the base") << -1.0 << 20.0 << 200.0 << 150.0 << 20.0 << "170" << false << 200.0 << 150.0 << 0;
    QTest::newRow("without standard or current price any price goes") << -1.0 << 20.0 << -1.0 << -1.0 << 20.0 << "12" << true << 12.0 << 10.0 << 1;
    // clang-format on
}

void TestDirectPrice::apply()
{
    QFETCH(double, standard);
    QFETCH(double, stdVat);
    QFETCH(double, gross);
    QFETCH(double, net);
    QFETCH(double, vat);
    QFETCH(QString, price);
    QFETCH(bool, applied);
    QFETCH(double, newGross);
    QFETCH(double, newNet);
    QFETCH(int, complete);
    CPosition head;
    head.StdGross = standard;
    head.StdVat = stdVat;
    head.Preise1.Gross = gross;
    head.Preise1.Net = net;
    head.Preise1.Vat = vat;
    CPrgSettings settings;
    settings.MaxPreisNachlass = QStringLiteral("10");
    CDirectPrice calc(&head, &settings);
    const QString shown = calc.PriceEdited(price);
    const auto result = calc.Apply(price);
    QCOMPARE(result == CDirectPrice::Result::Applied, applied);
    // The reduction shown is the one judged.
    if (!shown.isEmpty())
        QCOMPARE(ParseNumber(shown) <= 10.0, applied);
    QCOMPARE(head.Preise1.Gross, newGross);
    QCOMPARE(head.Preise1.Net, newNet);
    QCOMPARE(head.Preise1.Complete, complete);
}

namespace {

struct DialogSetup
{
    CPosition head;
    CPrgSettings settings;
    DialogSetup()
    {
        head.StdGross = 200.0;
        head.StdVat = 20.0;
        head.Preise1.Gross = 200.0;
        head.Preise1.Net = 150.0;
        settings.MaxPreisNachlass = QStringLiteral("10");
        settings.Sound = 0;
    }
};

void Type(QLineEdit *edit, const QString &text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

} // namespace

void TestDirectPrice::dialogAppliesDiscount()
{
    DialogSetup s;
    CPauschPreisDlg dialog(&s.head, &s.settings);
    auto *percent = dialog.findChild<QLineEdit *>(QStringLiteral("percentEdit"));
    auto *newPrice = dialog.findChild<QLineEdit *>(QStringLiteral("newPriceEdit"));
    auto *ok = dialog.findChild<QAbstractButton *>(QStringLiteral("okButton"));
    QVERIFY(percent && newPrice && ok);
    QCOMPARE(dialog.findChild<QLineEdit *>(QStringLiteral("standardPriceEdit"))->text(),
             QStringLiteral("200.00"));
    QVERIFY(!ok->isEnabled());
    Type(percent, QStringLiteral("1x0.123"));
    QCOMPARE(percent->text(), QStringLiteral("10.12"));
    Type(percent, QStringLiteral("10"));
    QCOMPARE(newPrice->text(), QStringLiteral("180.00"));
    QVERIFY(ok->isEnabled());
    ok->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(s.head.Preise1.Gross, 180.0);
    QCOMPARE(s.head.Preise1.Net, 150.0);
    QCOMPARE(s.head.Preise1.Complete, 1);
}

void TestDirectPrice::dialogRefusesTooHighReduction()
{
    DialogSetup s;
    CPauschPreisDlg dialog(&s.head, &s.settings);
    auto *percent = dialog.findChild<QLineEdit *>(QStringLiteral("percentEdit"));
    auto *ok = dialog.findChild<QAbstractButton *>(QStringLiteral("okButton"));
    Type(percent, QStringLiteral("10.5"));
    const int before = m_env.boxes().size();
    ok->click();
    QCOMPARE(m_env.boxes().size(), before + 1);
    QVERIFY(m_env.boxes().last().text.contains(QStringLiteral("10 Prozent")));
    QCOMPARE(dialog.result(), int(QDialog::Rejected)); // still open, nothing taken over
    QCOMPARE(s.head.Preise1.Gross, 200.0);
}

void TestDirectPrice::dialogAppliesNewPrice()
{
    DialogSetup s;
    CPauschPreisDlg dialog(&s.head, &s.settings);
    auto *percent = dialog.findChild<QLineEdit *>(QStringLiteral("percentEdit"));
    auto *newPrice = dialog.findChild<QLineEdit *>(QStringLiteral("newPriceEdit"));
    // A percentage typed first, then a new price: OK goes by the price.
    Type(percent, QStringLiteral("5"));
    Type(newPrice, QStringLiteral("19a2"));
    QCOMPARE(newPrice->text(), QStringLiteral("192"));
    QCOMPARE(percent->text(), QStringLiteral("4.00"));
    dialog.findChild<QAbstractButton *>(QStringLiteral("okButton"))->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(s.head.Preise1.Gross, 192.0);
    QCOMPARE(s.head.Preise1.Net, 160.0);
}

void TestDirectPrice::pageNoticeIsANoticeBox()
{
    // What the package model tells the adviser on a package page comes up as
    // the program's notice box.
    QWidget page;
    CPageNotice notice(&page);
    const int before = m_env.boxes().size();
    notice.Notice(QStringLiteral("4711 (standard)"));
    QCOMPARE(m_env.boxes().size(), before + 1);
    QCOMPARE(m_env.boxes().last().text, QStringLiteral("4711 (standard)"));
    QCOMPARE(m_env.boxes().last().caption, kMsgBoxTitle);
    QCOMPARE(m_env.boxes().last().type, int(MB_OK));
}

void TestDirectPrice::priceAskRoads_data()
{
    // Row: the request mode, a head with a price set by hand, the roads the
    // window gives -> the road taken, the head's hand-price mark after.
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("head");
    QTest::addColumn<bool>("roads");
    QTest::addColumn<QString>("taken");
    QTest::addColumn<int>("handPrice");
    // clang-format off
    QTest::newRow("mode 3: the price files")      << 3 << true  << true  << "files"       << 0;
    QTest::newRow("mode 4: the DMS, its notices") << 4 << true  << true  << "dms, notice" << 0;
    QTest::newRow("mode 0: the information text") << 0 << true  << true  << "information" << 0;
    QTest::newRow("mode 1: the information text") << 1 << true  << true  << "information" << 0;
    QTest::newRow("mode 5: the information text") << 5 << true  << true  << "information" << 0;
    QTest::newRow("no head")                      << 4 << false << true  << "dms, notice" << 1;
    QTest::newRow("no road: the hand price ends") << 4 << true  << false << ""            << 0;
    // clang-format on
}

// "&DMS-Anfrage" takes the road of the request mode and ends a price set
// by hand, whatever the road.
void TestDirectPrice::priceAskRoads()
{
    QFETCH(int, mode);
    QFETCH(bool, head);
    QFETCH(bool, roads);
    CPrgSettings s;
    s.SRPInterfaceReq = mode;
    s.DataDir = QStringLiteral(YAQ_DEMO_DATAS_DIR);
    CPosition line;
    line.PriceCalcFlag = 1;
    QStringList taken;
    CPackagePriceAsk::Roads given;
    if (roads) {
        given.localFiles = [&] { taken << QStringLiteral("files"); };
        given.dms = [&](IDmsNotice *notice) {
            taken << QStringLiteral("dms") << (notice ? QStringLiteral("notice") : QString());
        };
    }
    // The information text comes as a modal box: closed as soon as it shows.
    QTimer::singleShot(0, [&] {
        if (auto *text = qobject_cast<CTextDlg *>(QApplication::activeModalWidget())) {
            taken << QStringLiteral("information");
            text->reject();
        }
    });
    CPackagePriceAsk(nullptr).Ask(s, head ? &line : nullptr, given);
    QTEST(taken.join(QStringLiteral(", ")), "taken");
    QTEST(line.PriceCalcFlag, "handPrice");
}

YAQ_TEST_MAIN(TestDirectPrice)
#include "tst_directprice.moc"
