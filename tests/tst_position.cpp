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

// The money routines as they were before they read plain texts and rounded
// on numbers directly: through the printed text and the C locale. The
// program's results must not move by a bit.
double ReferenceNumber(const QString &text)
{
    int i = 0;
    const int n = text.size();
    while (i < n && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t') ||
                     text[i] == QLatin1Char('\r') || text[i] == QLatin1Char('\n')))
        ++i;
    const int start = i;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        ++i;
    int digits = 0;
    while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
        ++i;
        ++digits;
    }
    if (i < n && text[i] == QLatin1Char('.')) {
        ++i;
        while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0.0;
    int end = i;
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        int j = i + 1;
        if (j < n && (text[j] == QLatin1Char('+') || text[j] == QLatin1Char('-')))
            ++j;
        int expDigits = 0;
        while (j < n && text[j].isDigit() && text[j].unicode() < 128) {
            ++j;
            ++expDigits;
        }
        if (expDigits > 0)
            end = j;
    }
    QString number = text.mid(start, end - start);
    if (number.endsWith(QLatin1Char('.')))
        number.chop(1);
    if (number.startsWith(QLatin1Char('.')) || number.startsWith(QLatin1String("-.")) ||
        number.startsWith(QLatin1String("+.")))
        number.insert(number.indexOf(QLatin1Char('.')), QLatin1Char('0'));
    bool ok = false;
    const double value = QLocale::c().toDouble(number, &ok);
    return ok ? value : 0.0;
}

double ReferenceRound(double value)
{
    char buffer[400];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value + 1e-10, std::chars_format::fixed, 2);
    if (written.ec != std::errc())
        return ReferenceNumber(FormatPrice(value));
    double rounded = 0.0;
    std::from_chars(buffer, written.ptr, rounded);
    return rounded;
}

double ReferencePriceText(const QString &text, bool *refused)
{
    *refused = false;
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return kPriceNotSet;
    const auto isDigit = [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); };
    QString number;
    qsizetype i = 0;
    const qsizetype n = trimmed.size();
    if (trimmed[i] == QLatin1Char('+') || trimmed[i] == QLatin1Char('-'))
        number += trimmed[i++];
    qsizetype digits = 0;
    for (; i < n && isDigit(trimmed[i]); ++i, ++digits)
        number += trimmed[i];
    bool wellFormed = digits > 0;
    if (wellFormed && i < n && (trimmed[i] == QLatin1Char('.') || trimmed[i] == QLatin1Char(','))) {
        number += QLatin1Char('.');
        ++i;
        qsizetype decimals = 0;
        for (; i < n && isDigit(trimmed[i]); ++i, ++decimals)
            number += trimmed[i];
        wellFormed = decimals > 0;
    }
    bool ok = false;
    const double value = wellFormed && i == n ? QLocale::c().toDouble(number, &ok) : 0.0;
    if (!ok || !std::isfinite(value)) {
        *refused = true;
        return kPriceNotSet;
    }
    return value;
}

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

void TestPosition::roundingAsThroughPrintedText()
{
    // Cents, half cents, binary ties (n/8), products of the roll-up,
    // sentinels, wide magnitudes and both signs, against the rounding over
    // the printed text.
    std::mt19937_64 rng(20240611);
    std::uniform_int_distribution<std::int64_t> cents(-100000000000LL, 100000000000LL);
    std::uniform_real_distribution<double> exponent(-12.0, 22.0);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const double fixed[] = {-1.0,
                            -2.0,
                            -3.0,
                            0.0,
                            -0.0,
                            -1e-10,
                            1e-10,
                            0.005,
                            -0.005,
                            0.125,
                            0.375,
                            1.005,
                            84.9915,
                            99999999999.995,
                            1e13,
                            -1e13,
                            9.99999999999e12,
                            1e22,
                            -1e300,
                            5e-324,
                            std::numeric_limits<double>::infinity(),
                            -std::numeric_limits<double>::infinity(),
                            std::numeric_limits<double>::quiet_NaN()};
    int count = 0;
    auto check = [&](double value) {
        ++count;
        if (!SameBits(RoundPrice(value), ReferenceRound(value)))
            QFAIL(qPrintable(QStringLiteral("%1 rounds to %2, through the text to %3")
                                 .arg(value, 0, 'g', 17)
                                 .arg(RoundPrice(value), 0, 'g', 17)
                                 .arg(ReferenceRound(value), 0, 'g', 17)));
    };
    for (double v : fixed)
        check(v);
    for (int i = 0; i < 200000; ++i) {
        const double c = static_cast<double>(cents(rng));
        check(c / 100.0);
        check((c + 0.5) / 100.0);
        check(c / 8.0);
        check(std::pow(10.0, exponent(rng)) * (rng() % 2 ? -1.0 : 1.0));
        const double unitPrice = static_cast<double>(cents(rng) % 1000000) / 100.0;
        check(unitPrice * static_cast<double>(rng() % 12 + 1) * (100.0 + 19.0 * unit(rng)) / 100.0);
    }
    QCOMPARE(count, 1000000 + static_cast<int>(std::size(fixed)));
}

void TestPosition::numberTextsReadAsThroughLocale()
{
    // Random texts of number characters, blanks and letters, and printed
    // prices, against the reading through the C locale.
    std::mt19937_64 rng(4711);
    const char16_t alphabet[] = u"0123456789000999..,,--++  \t\n\reEx\u00A0\u0661";
    const int letters = static_cast<int>(std::size(alphabet)) - 1;
    QString text;
    auto check = [&] {
        bool refused = false;
        bool expectedRefused = false;
        const double price = ParsePriceText(text, &refused);
        const double expected = ReferencePriceText(text, &expectedRefused);
        if (!SameBits(ParseNumber(text), ReferenceNumber(text)) || !SameBits(price, expected) ||
            refused != expectedRefused)
            QFAIL(qPrintable(QStringLiteral("\"%1\" read as %2 / %3 (%4), through the locale as "
                                            "%5 / %6 (%7)")
                                 .arg(text)
                                 .arg(ParseNumber(text), 0, 'g', 17)
                                 .arg(price, 0, 'g', 17)
                                 .arg(refused)
                                 .arg(ReferenceNumber(text), 0, 'g', 17)
                                 .arg(expected, 0, 'g', 17)
                                 .arg(expectedRefused)));
    };
    for (int i = 0; i < 200000; ++i) {
        text.clear();
        const int length = static_cast<int>(rng() % 24);
        for (int j = 0; j < length; ++j)
            text += QChar(alphabet[rng() % letters]);
        check();
        const double value = static_cast<double>(static_cast<std::int64_t>(rng() >> 4)) /
                             std::pow(10.0, static_cast<double>(rng() % 24));
        text = QString::number(rng() % 2 ? value : -value, 'f', static_cast<int>(rng() % 25));
        check();
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
    QTest::newRow("number differs") << "number" << 0;
    QTest::newRow("set-2 net differs") << "set2Net" << 0;
    QTest::newRow("campaign text differs") << "campaign" << 0;
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
    else if (change == QLatin1String("campaign"))
        b.Campaign[CPosition::CampaignWorkStatus] = QStringLiteral("0");
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
    QTest::newRow("special work 9999010 deselected") << 10 << "9999010" << "S" << 0 << 0;
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
