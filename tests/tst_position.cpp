// The position record: line prices with their sentinels and rounding, deep
// copies, comparison, price reset and the selection rule.

#include "packages/model/DmsPriceData.h"
#include "packages/model/Paket.h"
#include "packages/model/Position.h"
#include "packages/model/PriceMath.h"
#include "platform/OrmelText.h"
#include "support/TestMain.h"

#include <QtTest>

#include <charconv>
#include <cmath>
#include <cstring>
#include <random>

namespace {

bool SameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

class TestPosition : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void rounding_data();
    void rounding();
    void parseNumber_data();
    void parseNumber();
    void priceText_data();
    void priceText();
    void roundedValues_data();
    void roundedValues();
    void roundingAsThroughPrintedText();
    void numberTextsReadAsThroughLocale();
    void calcPrice_data();
    void calcPrice();
    void calcPriceSetsUseTheirOwnFields();
    void priceQuantity_data();
    void priceQuantity();
    void copyIsDeepAndComplete();
    void assignmentReplacesSubLines();
    void copyFromOwnNestedLine_data();
    void copyFromOwnNestedLine();
    void equality_data();
    void equality();
    void resetPrices();
    void selectionFlag_data();
    void selectionFlag();
    void takeDmsPrice_data();
    void takeDmsPrice();
    void dmsPackagePrices();
};

void TestPosition::initTestCase()
{
    InitOrmelText(QStringLiteral(YAQ_DEMO_DATAS_DIR) + QStringLiteral("/Zirava/PrgTxt"));
    QCOMPARE(OrmelText(3012), QStringLiteral("AZ"));
}

void TestPosition::rounding_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    // clang-format off
    QTest::newRow("half cent held below the half rounds up") << 1.005 << "1.01";
    QTest::newRow("plain two decimals") << 119.0 << "119.00";
    QTest::newRow("third decimal below half") << 84.9915 << "84.99";
    QTest::newRow("not set stays -1") << -1.0 << "-1.00";
    QTest::newRow("charged by time stays -2") << -2.0 << "-2.00";
    // clang-format on
}

void TestPosition::rounding()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(FormatPrice(value), text);
    QCOMPARE(RoundPrice(value), ParseNumber(text));
}

void TestPosition::parseNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    // clang-format off
    QTest::newRow("decimal point") << "1.5" << 1.5;
    QTest::newRow("comma is not a decimal separator") << "1,5" << 1.0;
    QTest::newRow("leading blanks and trailing text") << "  12.25 EUR" << 12.25;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("no digits") << "abc" << 0.0;
    QTest::newRow("negative") << "-3" << -3.0;
    QTest::newRow("leading dot") << ".8" << 0.8;
    QTest::newRow("signed leading dot") << "+.5" << 0.5;
    QTest::newRow("trailing dot") << "5." << 5.0;
    QTest::newRow("dot alone") << "." << 0.0;
    QTest::newRow("sign alone") << "-" << 0.0;
    QTest::newRow("blank after the sign") << "- 5" << 0.0;
    QTest::newRow("two signs") << "--5" << 0.0;
    QTest::newRow("tab and line breaks before") << " \t\n\r7" << 7.0;
    QTest::newRow("no-break space is no blank") << "\u00A012" << 0.0;
    QTest::newRow("exponent") << "1e5" << 100000.0;
    QTest::newRow("exponent and trailing text") << "1.5e-3x" << 0.0015;
    QTest::newRow("exponent without digits") << "1e+" << 1.0;
    QTest::newRow("exponent alone") << "e5" << 0.0;
    QTest::newRow("overflow") << "1e400" << 0.0;
    QTest::newRow("second dot ends it") << "1.2.3" << 1.2;
    QTest::newRow("hexadecimal") << "0x1A" << 0.0;
    QTest::newRow("infinity") << "Inf" << 0.0;
    QTest::newRow("Arabic-Indic digits") << "\u0661\u0662" << 0.0;
    // clang-format on
}

void TestPosition::parseNumber()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(ParseNumber(text), value);
}

void TestPosition::priceText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("refused");
    // clang-format off
    QTest::newRow("decimal point")                << "12.50"     << 12.5   << false;
    QTest::newRow("decimal comma")                << "12,50"     << 12.5   << false;
    QTest::newRow("digits only")                  << "19"        << 19.0   << false;
    QTest::newRow("minus sign")                   << "-3,5"      << -3.5   << false;
    QTest::newRow("plus sign")                    << "+7.25"     << 7.25   << false;
    QTest::newRow("zero")                         << "0.00"      << 0.0    << false;
    QTest::newRow("three decimals")               << "1.234"     << 1.234  << false;
    QTest::newRow("many digits")                  << "1234567.89" << 1234567.89 << false;
    QTest::newRow("line breaks of the element")   << "\n  84.90\n" << 84.9 << false;
    QTest::newRow("no-break space before")        << "\u00A012"  << 12.0   << false;
    QTest::newRow("leading zeros")                << "  -0012.50" << -12.5 << false;
    QTest::newRow("empty is no price")            << ""          << -1.0   << false;
    QTest::newRow("blanks only are no price")     << "   "       << -1.0   << false;
    QTest::newRow("German thousands separator")   << "1.234,56"  << -1.0   << true;
    QTest::newRow("English thousands separator")  << "1,234.56"  << -1.0   << true;
    QTest::newRow("two points")                   << "1.234.567" << -1.0   << true;
    QTest::newRow("two commas")                   << "1,234,567" << -1.0   << true;
    QTest::newRow("blank as thousands separator") << "1 234,56"  << -1.0   << true;
    QTest::newRow("apostrophe as separator")      << "1'234.56"  << -1.0   << true;
    QTest::newRow("exponent")                     << "1e15"      << -1.0   << true;
    QTest::newRow("exponent with decimals")       << "1.5E+3"    << -1.0   << true;
    QTest::newRow("hexadecimal")                  << "0x10"      << -1.0   << true;
    QTest::newRow("infinity")                     << "inf"       << -1.0   << true;
    QTest::newRow("not a number")                 << "nan"       << -1.0   << true;
    QTest::newRow("separator without decimals")   << "12."       << -1.0   << true;
    QTest::newRow("separator without digits before") << ",50"    << -1.0   << true;
    QTest::newRow("sign alone")                   << "-"         << -1.0   << true;
    QTest::newRow("two signs")                    << "--5"       << -1.0   << true;
    QTest::newRow("currency after the number")    << "12.50 EUR" << -1.0   << true;
    QTest::newRow("currency before the number")   << "EUR 12.50" << -1.0   << true;
    QTest::newRow("percent sign")                 << "19%"       << -1.0   << true;
    QTest::newRow("letters")                      << "abc"       << -1.0   << true;
    QTest::newRow("Arabic-Indic digits")          << "\u0661\u0662" << -1.0 << true;
    QTest::newRow("fullwidth digits")             << "\uFF11\uFF12" << -1.0 << true;
    QTest::newRow("too large for a double")       << QString(400, QLatin1Char('9')) << -1.0 << true;
    // clang-format on
}

void TestPosition::priceText()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QFETCH(bool, refused);
    bool refusedOut = !refused;
    QCOMPARE(ParsePriceText(text, &refusedOut), value);
    QCOMPARE(refusedOut, refused);
}

void TestPosition::roundedValues_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("rounded");
    const double inf = std::numeric_limits<double>::infinity();
    // clang-format off
    QTest::newRow("not set")                         << -1.0             << -1.0;
    QTest::newRow("charged by time")                 << -2.0             << -2.0;
    QTest::newRow("no price")                        << -3.0             << -3.0;
    QTest::newRow("zero")                            << 0.0              << 0.0;
    QTest::newRow("negative zero becomes zero")      << -0.0             << 0.0;
    QTest::newRow("tiny negative becomes zero")      << -1e-10           << 0.0;
    QTest::newRow("tiny positive")                   << 1e-10            << 0.0;
    QTest::newRow("smallest double")                 << 5e-324           << 0.0;
    QTest::newRow("half cent up")                    << 0.005            << 0.01;
    QTest::newRow("negative half cent to minus zero") << -0.005          << -0.0;
    QTest::newRow("binary tie 1/8 up")               << 0.125            << 0.13;
    QTest::newRow("binary tie 3/8 up")               << 0.375            << 0.38;
    QTest::newRow("half cent held below the half")   << 1.005            << 1.01;
    QTest::newRow("2.675 held below the half")       << 2.675            << 2.68;
    QTest::newRow("negative half toward zero")       << -2.675           << -2.67;
    QTest::newRow("0.615")                           << 0.615            << 0.62;
    QTest::newRow("1.115")                           << 1.115            << 1.12;
    QTest::newRow("third decimal below half")        << 84.9915          << 84.99;
    QTest::newRow("eleven digits before the point")  << 99999999999.995  << 99999999999.99;
    QTest::newRow("1e13")                            << 1e13             << 1e13;
    QTest::newRow("-1e13")                           << -1e13            << -1e13;
    QTest::newRow("9.99999999999e12")                << 9.99999999999e12 << 9.99999999999e12;
    QTest::newRow("1e22")                            << 1e22             << 1e22;
    QTest::newRow("-1e300")                          << -1e300           << -1e300;
    QTest::newRow("infinity")                        << inf              << inf;
    QTest::newRow("minus infinity")                  << -inf             << -inf;
    QTest::newRow("not a number")                    << std::numeric_limits<double>::quiet_NaN() << std::numeric_limits<double>::quiet_NaN();
    // clang-format on
}

void TestPosition::roundedValues()
{
    QFETCH(double, value);
    QFETCH(double, rounded);
    const double result = RoundPrice(value);
    if (std::isnan(rounded))
        QVERIFY(std::isnan(result));
    else
        QVERIFY2(SameBits(result, rounded), qPrintable(QString::number(result, 'g', 17)));
}

void TestPosition::roundingAsThroughPrintedText()
{
    // Cents stay as they are, half cents and binary ties (n/8) round up,
    // and numbers too large for a fraction stay, over wide magnitudes and
    // both signs. (The half cent needs the value's error below the 1e-10
    // the rounding adds: up to 10,000.)
    std::mt19937_64 rng(20240611);
    std::uniform_int_distribution<std::int64_t> cents(-100000000000LL, 100000000000LL);
    std::uniform_int_distribution<std::int64_t> small(-1000000LL, 1000000LL);
    std::uniform_real_distribution<double> exponent(16.0, 22.0);
    auto check = [](double value, double expected) {
        if (RoundPrice(value) != expected)
            QFAIL(qPrintable(QStringLiteral("%1 rounds to %2, not %3")
                                 .arg(value, 0, 'g', 17)
                                 .arg(RoundPrice(value), 0, 'g', 17)
                                 .arg(expected, 0, 'g', 17)));
    };
    for (int i = 0; i < 200000; ++i) {
        const double c = static_cast<double>(cents(rng));
        check(c / 100.0, c / 100.0);
        const double h = static_cast<double>(small(rng));
        check((h + 0.5) / 100.0, (h + 1.0) / 100.0);
        check(h / 8.0, std::floor(h * 12.5 + 0.5) / 100.0);
        const double large = std::pow(10.0, exponent(rng)) * (rng() % 2 ? -1.0 : 1.0);
        check(large, large);
    }
}

void TestPosition::numberTextsReadAsThroughLocale()
{
    // Printed numbers of wide magnitudes and up to 24 decimals read as the
    // number they print, as a price too.
    std::mt19937_64 rng(4711);
    for (int i = 0; i < 200000; ++i) {
        const double value = static_cast<double>(static_cast<std::int64_t>(rng() >> 4)) /
                             std::pow(10.0, static_cast<double>(rng() % 24));
        const QString text =
            QString::number(rng() % 2 ? value : -value, 'f', static_cast<int>(rng() % 25));
        const double expected = QLocale::c().toDouble(text);
        bool refused = true;
        const double price = ParsePriceText(text, &refused);
        if (!SameBits(ParseNumber(text), expected) || !SameBits(price, expected) || refused)
            QFAIL(qPrintable(QStringLiteral("\"%1\" read as %2 / %3 (%4), not %5")
                                 .arg(text)
                                 .arg(ParseNumber(text), 0, 'g', 17)
                                 .arg(price, 0, 'g', 17)
                                 .arg(refused)
                                 .arg(expected, 0, 'g', 17)));
    }
}

void TestPosition::calcPrice_data()
{
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<bool>("byTime");
    QTest::addColumn<int>("flat");
    QTest::addColumn<double>("unitGross");
    QTest::addColumn<double>("unitNet");
    QTest::addColumn<double>("vat");
    QTest::addColumn<int>("noPrice");
    QTest::addColumn<int>("doubled");
    QTest::addColumn<QString>("surcharge");
    QTest::addColumn<double>("gross");
    QTest::addColumn<double>("net");

    // clang-format off
    QTest::newRow("AZ work with unit prices is charged by time") << "" << true << 0 << 10.0 << 8.0 << 19.0 << 0 << 0 << "" << -2.0 << -2.0;
    QTest::newRow("AZ work with net only derives -2 gross") << "" << true << 0 << -1.0 << 8.0 << 19.0 << 0 << 0 << "" << -2.0 << -2.0;
    QTest::newRow("AZ work without price and no-price marker") << "" << true << 0 << -1.0 << -1.0 << -1.0 << 1 << 0 << "" << -3.0 << -3.0;
    QTest::newRow("net from gross with VAT") << "1" << false << 0 << 119.0 << -1.0 << 19.0 << 0 << 0 << "" << 119.0 << 100.0;
    QTest::newRow("gross from net with VAT") << "1" << false << 0 << -1.0 << 100.0 << 19.0 << 0 << 0 << "" << 119.0 << 100.0;
    QTest::newRow("gross from net at 0 % VAT") << "1" << false << 0 << -1.0 << 100.0 << 0.0 << 0 << 0 << "" << 100.0 << 100.0;
    QTest::newRow("both unit prices and VAT: the net is derived again from the gross") << "1" << false << 0 << 119.0 << 50.0 << 19.0 << 0 << 0 << "" << 119.0 << 100.0;
    QTest::newRow("unit price times quantity") << "3" << false << 0 << -1.0 << 10.5 << 20.0 << 0 << 0 << "" << 37.8 << 31.5;
    QTest::newRow("half cent rounds up") << "1" << false << 0 << -1.0 << 1.005 << -1.0 << 0 << 0 << "" << -1.0 << 1.01;
    QTest::newRow("missing net without VAT stays unset") << "2" << false << 0 << 10.0 << -1.0 << -1.0 << 0 << 0 << "" << 20.0 << -1.0;
    QTest::newRow("missing net with no-price marker is -3") << "2" << false << 0 << 10.0 << -1.0 << -1.0 << 1 << 0 << "" << 20.0 << -3.0;
    QTest::newRow("flat price ignores the quantity") << "3" << false << 1 << 119.0 << -1.0 << 19.0 << 0 << 0 << "" << 119.0 << 100.0;
    QTest::newRow("flat price keeps its own net") << "3" << false << 1 << 120.0 << 99.0 << 19.0 << 0 << 0 << "" << 120.0 << 99.0;
    QTest::newRow("doubled line") << "1" << false << 0 << -1.0 << 50.0 << -1.0 << 0 << 1 << "" << -1.0 << 100.0;
    QTest::newRow("surcharge in percent") << "1" << false << 0 << -1.0 << 100.0 << -1.0 << 0 << 0 << "10" << -1.0 << 110.0;
    QTest::newRow("sentinels are neither doubled nor raised") << "" << true << 0 << 10.0 << 8.0 << 19.0 << 0 << 1 << "10" << -2.0 << -2.0;
    // clang-format on
}

void TestPosition::calcPrice()
{
    QFETCH(QString, quantity);
    QFETCH(bool, byTime);
    QFETCH(int, flat);
    QFETCH(double, unitGross);
    QFETCH(double, unitNet);
    QFETCH(double, vat);
    QFETCH(int, noPrice);
    QFETCH(int, doubled);
    QFETCH(QString, surcharge);
    QFETCH(double, gross);
    QFETCH(double, net);

    CPosition line;
    line.Type = POS_WORK;
    line.Quantity = quantity;
    if (byTime)
        line.Az = OrmelText(3012);
    line.Preise1.FlatPrice = flat;
    line.Preise1.UnitGross = unitGross;
    line.Preise1.UnitNet = unitNet;
    line.Preise1.Vat = vat;
    line.Preise1.NoPrice = noPrice;
    line.Doubled = doubled;
    line.Spot[CPosition::SpotMaPercent] = surcharge;
    line.CalcPrice1();
    QCOMPARE(line.Preise1.Gross, gross);
    QCOMPARE(line.Preise1.Net, net);
}

void TestPosition::calcPriceSetsUseTheirOwnFields()
{
    CPosition line;
    line.Type = POS_PART;
    line.Quantity = QStringLiteral("2");
    line.Doubled = 1;
    line.Preise2.UnitNet = 10.0;
    line.Preise3.UnitNet = 7.0;
    line.Preise1.NoPrice = 1; // the marker of set 1 rules all three sets
    line.CalcPrice2();
    line.CalcPrice3();
    QCOMPARE(line.Preise1.Net, -1.0); // set 1 untouched
    QCOMPARE(line.Preise2.Net, 40.0);
    QCOMPARE(line.Preise2.Gross, -3.0);
    QCOMPARE(line.Preise3.Net, 14.0); // campaign price is not doubled
    QCOMPARE(line.Preise3.Gross, -3.0);
}

void TestPosition::priceQuantity_data()
{
    QTest::addColumn<QString>("az");
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("m");
    QTest::addColumn<QString>("u");
    QTest::addColumn<QString>("result");
    // clang-format off
    QTest::newRow("time marker wins") << "AZ" << "3" << "4" << "5" << "AZ";
    QTest::newRow("quantity with trailing blanks") << "" << "3  " << "4" << "5" << "3";
    QTest::newRow("M value without quantity") << "" << "" << "4" << "5" << "4";
    QTest::newRow("U value last") << "" << "" << "" << "5 " << "5";
    QTest::newRow("other Az text is no marker") << "-2" << "" << "" << "" << "";
    // clang-format on
}

void TestPosition::priceQuantity()
{
    QFETCH(QString, az);
    QFETCH(QString, quantity);
    QFETCH(QString, m);
    QFETCH(QString, u);
    QFETCH(QString, result);
    CPosition line;
    line.Az = az;
    line.Quantity = quantity;
    line.M = m;
    line.U = u;
    QCOMPARE(line.GetPriceQuantity(), result);
    QCOMPARE(line.GetDisplayNumber(), result);
}

static std::unique_ptr<CPosition> MakeLine(int type, const QString &number,
                                           const QString &kind = {})
{
    auto line = std::make_unique<CPosition>();
    line->Type = type;
    line->Number = number;
    line->Kind = kind;
    return line;
}

void TestPosition::copyIsDeepAndComplete()
{
    CPosition source;
    source.Type = POS_SUBPACKAGE;
    source.Number = QStringLiteral("1234567");
    source.Preise3.Currency = QStringLiteral("CHF");
    source.WorkInts[2] = 7;
    source.Campaign[CPosition::CampaignPriceType] = QStringLiteral("CL");
    source.SubPackage = std::make_unique<CPaket>();
    source.SubPackage->AddPosition(MakeLine(POS_PART, QStringLiteral("4711")));
    source.SubPositions.push_back(MakeLine(POS_WORK, QStringLiteral("0012345")));

    CPosition copy(source);
    QCOMPARE(copy.Preise3.Currency, QStringLiteral("CHF"));
    QCOMPARE(copy.WorkInts[2], 7);
    QCOMPARE(copy.Campaign[CPosition::CampaignPriceType], QStringLiteral("CL"));
    QVERIFY(copy.SubPackage);
    QVERIFY(copy.SubPackage.get() != source.SubPackage.get());
    QCOMPARE(copy.SubPackage->GetCount(), 1);
    QVERIFY(copy.SubPackage->GetAt(0) != source.SubPackage->GetAt(0));
    QCOMPARE(copy.SubPositions.size(), size_t(1));
    QVERIFY(copy.SubPositions[0].get() != source.SubPositions[0].get());
    QCOMPARE(copy.IsEqual(source), 1);

    // Changing the copy leaves the source alone.
    copy.SubPackage->GetAt(0)->Number = QStringLiteral("0815");
    QCOMPARE(source.SubPackage->GetAt(0)->Number, QStringLiteral("4711"));
    copy.Campaign[CPosition::CampaignPriceType] = QStringLiteral("R");
    QCOMPARE(source.Campaign[CPosition::CampaignPriceType], QStringLiteral("CL"));
}

void TestPosition::assignmentReplacesSubLines()
{
    CPosition target;
    target.SubPackage = std::make_unique<CPaket>();
    target.SubPositions.push_back(MakeLine(POS_WORK, QStringLiteral("1")));
    target.SubPositions.push_back(MakeLine(POS_WORK, QStringLiteral("2")));
    const CPosition source; // no nested package, no sub-positions
    target = source;
    QVERIFY(!target.SubPackage);
    QVERIFY(target.SubPositions.empty());
}

void TestPosition::copyFromOwnNestedLine_data()
{
    QTest::addColumn<QString>("source");
    // clang-format off
    QTest::newRow("line takes over its own sub-position") << "subPosition";
    QTest::newRow("line takes over a line of its nested package") << "nestedLine";
    QTest::newRow("package takes over its nested package") << "nestedPackage";
    // clang-format on
}

void TestPosition::copyFromOwnNestedLine()
{
    // A line or package that takes over something it owns itself must copy
    // it before it lets go of its old content.
    QFETCH(QString, source);
    CPaket paket;
    CPosition *line = paket.AddPosition(MakeLine(POS_SUBPACKAGE, QStringLiteral("S1")));
    line->SubPackage = std::make_unique<CPaket>();
    CPosition *nested = line->SubPackage->AddPosition(MakeLine(POS_PART, QStringLiteral("4711")));
    nested->SubPositions.push_back(MakeLine(POS_WORK, QStringLiteral("0012345")));
    auto sub = MakeLine(POS_WORK, QStringLiteral("0815"));
    sub->SubPositions.push_back(MakeLine(POS_PART, QStringLiteral("0816")));
    line->SubPositions.push_back(std::move(sub));

    if (source == QLatin1String("subPosition")) {
        *line = *line->SubPositions[0];
        QCOMPARE(line->Number, QStringLiteral("0815"));
        QVERIFY(!line->SubPackage);
        QCOMPARE(line->SubPositions.size(), size_t(1));
        QCOMPARE(line->SubPositions[0]->Number, QStringLiteral("0816"));
    } else if (source == QLatin1String("nestedLine")) {
        *line = *line->SubPackage->GetAt(0);
        QCOMPARE(line->Number, QStringLiteral("4711"));
        QVERIFY(!line->SubPackage);
        QCOMPARE(line->SubPositions.size(), size_t(1));
        QCOMPARE(line->SubPositions[0]->Number, QStringLiteral("0012345"));
    } else {
        paket.CopyFrom(*line->SubPackage);
        QCOMPARE(paket.GetCount(), 1);
        QCOMPARE(paket.GetAt(0)->Number, QStringLiteral("4711"));
        QCOMPARE(paket.GetAt(0)->SubPositions.size(), size_t(1));
        QCOMPARE(paket.GetAt(0)->SubPositions[0]->Number, QStringLiteral("0012345"));
    }
}

void TestPosition::equality_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<int>("equal");
    // clang-format off
    QTest::newRow("identical") << "none" << 1;
    QTest::newRow("working integers differ") << "workInts" << 1;
    QTest::newRow("set-3 currency differs") << "set3Currency" << 1;
    QTest::newRow("hit rectangles differ") << "rects" << 1;
    QTest::newRow("empty nested package against none") << "emptySub" << 1;
    QTest::newRow("campaign text written empty against none") << "campaignEmpty" << 1;
    QTest::newRow("number differs") << "number" << 0;
    QTest::newRow("set-2 net differs") << "set2Net" << 0;
    QTest::newRow("campaign text differs") << "campaign" << 0;
    QTest::newRow("spot-repair text differs") << "spot" << 0;
    QTest::newRow("nested package with a line against none") << "filledSub" << 0;
    QTest::newRow("one more sub-position") << "subPosition" << 0;
    // clang-format on
}

void TestPosition::equality()
{
    QFETCH(QString, change);
    QFETCH(int, equal);
    CPosition a;
    a.Type = POS_WORK;
    a.Number = QStringLiteral("0012345");
    a.Preise1.Net = 10.0;
    CPosition b(a);
    if (change == QLatin1String("workInts"))
        b.WorkInts[0] = 42;
    else if (change == QLatin1String("set3Currency"))
        b.Preise3.Currency = QStringLiteral("EUR");
    else if (change == QLatin1String("rects"))
        b.RectIcon[1] = QRect(1, 2, 3, 4);
    else if (change == QLatin1String("emptySub"))
        b.SubPackage = std::make_unique<CPaket>();
    else if (change == QLatin1String("number"))
        b.Number = QStringLiteral("0012346");
    else if (change == QLatin1String("set2Net"))
        b.Preise2.Net = 1.0;
    else if (change == QLatin1String("campaignEmpty"))
        b.Campaign[CPosition::CampaignWorkStatus] = QString();
    else if (change == QLatin1String("campaign"))
        b.Campaign[CPosition::CampaignWorkStatus] = QStringLiteral("0");
    else if (change == QLatin1String("spot"))
        b.Spot[CPosition::SpotMaPercent] = QStringLiteral("10");
    else if (change == QLatin1String("filledSub")) {
        b.SubPackage = std::make_unique<CPaket>();
        b.SubPackage->AddPosition(MakeLine(POS_PART, QStringLiteral("4711")));
    } else if (change == QLatin1String("subPosition"))
        b.SubPositions.push_back(MakeLine(POS_WORK, QStringLiteral("1")));
    QCOMPARE(a.IsEqual(b), equal);
    QCOMPARE(b.IsEqual(a), equal);
}

void TestPosition::resetPrices()
{
    CPosition line;
    line.Stock = 3;
    line.StockKnown = 1;
    line.Preise1.UnitNet = 5;
    line.Preise1.FlatPrice = 1;
    line.Preise1.Currency = QStringLiteral("EUR");
    line.Preise2.TotalsComplete = 1;
    line.Preise3.PackageGross = 100;
    line.Preise3.Currency = QStringLiteral("EUR");
    line.StdVat = 19;
    line.PriceCalcFlag = 1;
    line.ErsetztDurchNummer = QStringLiteral("A1");
    line.Number = QStringLiteral("4711");
    line.ResetPrices();
    QCOMPARE(line.Stock, -1.0);
    QCOMPARE(line.StockKnown, 0);
    QCOMPARE(line.Preise1.UnitNet, -1.0);
    QCOMPARE(line.Preise1.FlatPrice, 0);
    QCOMPARE(line.Preise1.NoPrice, 1);
    QCOMPARE(line.Preise1.Currency, QString());
    QCOMPARE(line.Preise2.TotalsComplete, 0);
    QCOMPARE(line.Preise3.PackageGross, -1.0);
    QCOMPARE(line.Preise3.Currency, QString());
    QCOMPARE(line.StdVat, -1.0);
    QCOMPARE(line.PriceCalcFlag, 0);
    QCOMPARE(line.ErsetztDurchNummer, QString());
    QCOMPARE(line.Number, QStringLiteral("4711"));
}

void TestPosition::selectionFlag_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("doubled");
    // Every line starts deselected and doubled, so each row shows a change.
    // clang-format off
    QTest::newRow("campaign head untouched") << 9 << "1" << "S" << 0 << 1;
    QTest::newRow("group line untouched") << 13 << "1" << "S" << 0 << 1;
    QTest::newRow("type-6 head selected") << 6 << "1" << "" << 1 << 1;
    QTest::newRow("standard part selected") << 11 << "4711" << "S" << 1 << 1;
    QTest::newRow("optional part deselected") << 11 << "4711" << "O" << 0 << 0;
    QTest::newRow("alternative B deselected") << 10 << "0012345" << "B" << 0 << 0;
    QTest::newRow("optional sub-package deselected") << 17 << "1" << "OP" << 0 << 0;
    QTest::newRow("special work 0000900 deselected") << 10 << "0000900" << "S" << 0 << 0;
    QTest::newRow("special work 0000901 deselected") << 10 << "0000901" << "S" << 0 << 0;
    QTest::newRow("special work 9999010 deselected") << 10 << "9999010" << "S" << 0 << 0;
    QTest::newRow("work 0000899 selected") << 10 << "0000899" << "S" << 1 << 1;
    QTest::newRow("work 0000902 selected") << 10 << "0000902" << "S" << 1 << 1;
    QTest::newRow("work 9999011 selected") << 10 << "9999011" << "S" << 1 << 1;
    QTest::newRow("part 0000900 stays selected") << 11 << "0000900" << "S" << 1 << 1;
    // clang-format on
}

void TestPosition::selectionFlag()
{
    QFETCH(int, type);
    QFETCH(QString, number);
    QFETCH(QString, kind);
    QFETCH(int, selected);
    QFETCH(int, doubled);
    CPosition line;
    line.Type = type;
    line.Number = number;
    line.Kind = kind;
    line.Selected = 0;
    line.Doubled = 1;
    line.SetSelectionFlag();
    QCOMPARE(line.Selected, selected);
    QCOMPARE(line.Doubled, doubled);
}

void TestPosition::takeDmsPrice_data()
{
    QTest::addColumn<QString>("flag");
    QTest::addColumn<QString>("net");
    QTest::addColumn<QString>("gross");
    QTest::addColumn<int>("flat");
    QTest::addColumn<double>("unitNet");
    QTest::addColumn<double>("unitGross");
    QTest::addColumn<double>("vat");
    QTest::addColumn<bool>("read");
    // clang-format off
    QTest::newRow("flag true in capitals")  << "TRUE"  << "10.5"  << "12.6"  << 1 << 10.5 << 12.6  << 19.0 << true;
    QTest::newRow("flag false")             << "false" << "10.5"  << ""      << 0 << 10.5 << -1.0  << 19.0 << true;
    QTest::newRow("empty prices are not set") << ""    << ""      << ""      << 0 << -1.0 << -1.0  << 19.0 << true;
    QTest::newRow("zero is a price")        << "yes"   << "0"     << "0.00"  << 0 << 0.0  << 0.0   << 19.0 << true;
    QTest::newRow("decimal comma of a DMS") << "false" << "12,50" << "14,88" << 0 << 12.5 << 14.88 << 19.0 << true;
    // One unreadable text leaves the whole element without a price: its
    // other texts are written the same doubtful way.
    QTest::newRow("thousands separators")   << "false" << "1.234,56" << "1469" << 0 << -1.0 << -1.0 << -1.0 << false;
    QTest::newRow("exponent")               << "false" << "12.50" << "1e15"  << 0 << -1.0 << -1.0  << -1.0 << false;
    // clang-format on
}

void TestPosition::takeDmsPrice()
{
    QFETCH(QString, flag);
    QFETCH(QString, net);
    QFETCH(QString, gross);
    QFETCH(int, flat);
    QFETCH(double, unitNet);
    QFETCH(double, unitGross);
    QFETCH(double, vat);
    QFETCH(bool, read);
    CPriceTypeData price;
    price.currency = QStringLiteral("EUR");
    price.flagInclusivePrice = flag;
    price.netPrice = net;
    price.grossPrice = gross;
    price.valueAddedTax = QStringLiteral("19");
    CPosition line;
    line.Preise3.FlatPrice = 1 - flat;
    QCOMPARE(line.TakeDmsPrice3(price), read);
    QCOMPARE(line.Preise3.FlatPrice, flat);
    QCOMPARE(line.Preise3.UnitNet, unitNet);
    QCOMPARE(line.Preise3.UnitGross, unitGross);
    QCOMPARE(line.Preise3.Vat, vat);
    QCOMPARE(line.Preise3.Currency, QStringLiteral("EUR"));
}

void TestPosition::dmsPackagePrices()
{
    CPosition head;
    QVERIFY(head.SetPricesFromDms3(QStringLiteral("238.00"), QString()));
    QCOMPARE(head.Preise3.PackageGross, 238.0);
    QCOMPARE(head.Preise3.PackageNet, -1.0);
    // A package price with thousands separators is no price, and neither is
    // the other one of the same answer.
    QVERIFY(!head.SetPricesFromDms3(QStringLiteral("1.234,56"), QStringLiteral("1037.44")));
    QCOMPARE(head.Preise3.PackageGross, -1.0);
    QCOMPARE(head.Preise3.PackageNet, -1.0);
}

YAQ_TEST_GUILESS_MAIN(TestPosition)
#include "tst_position.moc"
