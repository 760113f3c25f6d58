// The text export of the basket for dealer systems that read a file or the
// clipboard: the three layouts of a demo basket compared byte for byte with
// their golden files in the code page of the language, fixed-width records
// of 255 characters that a longer value lengthens without being cut, price
// markers that never become amounts, entries the export leaves out (and
// keeps in the basket), and the two destinations with their failures.
//
// The golden files are written anew only when YAQ_REGENERATE_GOLDEN=1 is set.

#include "basket/model/WKList.h"
#include "basket/transfer/BasketTransfer.h"
#include "basket/transfer/TextExport.h"
#include "basket/transfer/TextExportLayouts.h"
#include "dms/DmsClient.h"
#include "packages/model/Paket.h"
#include "platform/OrmelText.h"
#include "platform/WholeFile.h"
#include "platform/ccd/CCDFile.h"
#include "settings/DmsHeader.h"
#include "settings/PrgSettings.h"
#include "support/TestEnv.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/mount.h>

namespace {

const QString kVin = QStringLiteral("XVQ1F23A57M012345");

CPrgSettings Settings(int format, int destination = 3, const QString &folder = QString())
{
    CPrgSettings s;
    s.SRPInterfaceSend = 3;
    s.SRPInterfaceSendDateiFormat = format;
    s.SRPInterfaceSendDatei = destination;
    s.SendDateiVerz = folder;
    s.FgstnrFull = kVin;
    s.Fgstnr = kVin.right(7);
    s.TypSchl = QStringLiteral("7A01");
    s.LeadTyp = QStringLiteral("4401");
    s.EReihe = QStringLiteral("F40 ");
    s.ModellBez = QStringLiteral("Arvo 1.6");
    return s;
}

CTextExportHead Head()
{
    CTextExportHead h;
    h.orderNumber = QStringLiteral("A-4711");
    h.settlementCode = QStringLiteral("K1");
    h.jobNumber = QStringLiteral("J-17");
    h.jobNote = QStringLiteral("Bremsen prüfen");
    h.plate = QStringLiteral("M-YQ 123");
    h.date = QStringLiteral("07.12.2026");
    h.mileage = QStringLiteral("45210");
    return h;
}

void SetPrice(CPriceSet &set, double net, double gross, double vat = 19.0)
{
    set.Net = net;
    set.Gross = gross;
    set.Vat = vat;
    set.Currency = QStringLiteral("EUR");
    set.Complete = 1;
}

CPosition *Add(CPaket &paket, int type, const QString &number, const QString &quantity = {},
               const QString &text = {})
{
    auto line = std::make_unique<CPosition>();
    line->Type = type;
    line->Number = number;
    line->Kind = QStringLiteral("S");
    line->Quantity = quantity;
    if (type == POS_PART)
        line->TeileText = text;
    else
        line->AwText1 = text;
    return paket.AddPosition(std::move(line));
}

CPosition *AddSingle(CWKList &basket, int type, const QString &number)
{
    auto line = std::make_unique<CPosition>();
    line->Type = type;
    line->Number = number;
    basket.Add(CWKListItem(std::move(line)), 1);
    return basket.GetAt(basket.GetCount() - 1)->APos.get();
}

// A package of one head and one work position, nothing priced.
std::unique_ptr<CPaket> SmallPackage(int headType, const QString &number)
{
    auto paket = std::make_unique<CPaket>();
    Add(*paket, headType, number);
    Add(*paket, POS_WORK, number, QStringLiteral("8"), QStringLiteral("Kupplung prüfen"));
    return paket;
}

// Every kind of entry: a service package with work, parts (one replaced,
// one optional) and a sub-package; labour positions by value and by time;
// an SI finding, a finding; a warranty package without prices; a campaign
// package, which only the training edition exports.
void FillDemoBasket(CWKList &basket)
{
    auto srp = std::make_unique<CPaket>();
    CPosition *head = Add(*srp, POS_HEAD_CAMPAIGN, QStringLiteral("1110010"), {},
                          QStringLiteral("Inspektion mit Ölwechsel"));
    head->KlammerText1 = QStringLiteral("(alle 30 000 km)");
    SetPrice(head->Preise1, 100.0, 119.0);
    head->Preise1.FlatPrice = 1;
    SetPrice(head->Preise2, 110.0, 130.9);
    CPosition *work = Add(*srp, POS_WORK, QStringLiteral("1110010"), QStringLiteral("12"),
                          QStringLiteral("Inspektion durchführen"));
    SetPrice(work->Preise1, 60.0, 71.4);
    CPosition *oil = Add(*srp, POS_PART, QStringLiteral("9X4115561H  "), QStringLiteral("4,5"),
                         QStringLiteral("Motoröl 5W30"));
    oil->StockKnown = 1;
    oil->Stock = 12.0;
    SetPrice(oil->Preise1, 30.0, 35.7);
    CPosition *filter = Add(*srp, POS_PART, QStringLiteral("9X0000001"), QStringLiteral("1"),
                            QStringLiteral("Ölfilter"));
    filter->ErsetztDurchNummer = QStringLiteral("9X0000002");
    filter->ErsetztDurchText = QStringLiteral("Ölfilter neu");
    filter->ErsetztDurchBeschr = QStringLiteral("Nachfolger");
    filter->Preise1.Net = filter->Preise1.Gross = kPriceNone;
    Add(*srp, POS_PART, QStringLiteral("9X4129620A"), QStringLiteral("1"),
        QStringLiteral("Scheibenreiniger"))
        ->Selected = 0;
    CPosition *sub = Add(*srp, POS_SUBPACKAGE, QStringLiteral("1110020"));
    sub->SubPackage = std::make_unique<CPaket>();
    Add(*sub->SubPackage, POS_HEAD_CAMPAIGN, QStringLiteral("1110020"), {},
        QStringLiteral("Zündanlage"));
    CPosition *plugs = Add(*sub->SubPackage, POS_WORK, QStringLiteral("1110021"), {},
                           QStringLiteral("Zündkerzen ersetzen"));
    plugs->Az = CPosition::AzMarker();
    plugs->Preise1.Net = plugs->Preise1.Gross = kPriceByTime;
    basket.Add(CWKListItem(WK_SRP, std::move(srp)), 1);

    CPosition *brakes = AddSingle(basket, POS_BASKET_LABOUR, QStringLiteral("2120000"));
    brakes->AwText1 = QStringLiteral("Bremsbeläge vorn ersetzen");
    brakes->KlammerText1 = QStringLiteral("(beide Seiten)");
    brakes->Quantity = QStringLiteral("10");
    brakes->R = QStringLiteral("5");
    brakes->U = QStringLiteral("3");
    brakes->M = QStringLiteral("2");
    brakes->Lackstufe = QStringLiteral("2");
    brakes->Flaeche = QStringLiteral("12");
    SetPrice(brakes->Preise1, 120.0, 142.8);
    CPosition *search = AddSingle(basket, POS_BASKET_LABOUR, QStringLiteral("2130000"));
    search->AwText1 = QStringLiteral("Fehlersuche");
    search->Az = CPosition::AzMarker();
    search->Preise1.Net = search->Preise1.Gross = kPriceByTime;
    AddSingle(basket, POS_SI_FINDING, QStringLiteral("4400010"))->BefundText =
        QStringLiteral("Rückruf Software");
    CPosition *finding = AddSingle(basket, POS_FINDING, QStringLiteral("8700010"));
    finding->BefundText = QStringLiteral("Wischerblätter rissig");
    finding->BefundText2 = QStringLiteral("Sichtprüfung");

    basket.Add(CWKListItem(WK_GRP, SmallPackage(POS_HEAD18, QStringLiteral("5550010"))), 1);

    auto campaign = SmallPackage(POS_HEAD_CAMPAIGN, QStringLiteral("7770010"));
    CPosition *cHead = campaign->GetKopf();
    cHead->HG = QStringLiteral("XX");
    cHead->Campaign[CPosition::CampaignNumber] = QStringLiteral("K-1");
    cHead->Campaign[CPosition::CampaignPackageNumber] = QStringLiteral("KP-7");
    cHead->Campaign[CPosition::CampaignName] = QStringLiteral("Frühjahrscheck");
    cHead->Campaign[CPosition::CampaignPackageName] = QStringLiteral("Check kompakt");
    cHead->Campaign[CPosition::CampaignPriceType] = QStringLiteral("R");
    cHead->Campaign[CPosition::CampaignFixedPrice] = QStringLiteral("0010");
    SetPrice(cHead->Preise3, 50.0, 59.5);
    basket.Add(CWKListItem(WK_CAMPAIGN, std::move(campaign)), 1);
}

QString GoldenPath(const QString &name)
{
    return QStringLiteral(YAQ_TEST_DATA_DIR "/golden/textexport/") + name;
}

QList<QByteArray> Records(const QByteArray &bytes)
{
    QList<QByteArray> records = bytes.split('\n');
    records.removeLast(); // after the last line end
    return records;
}

struct Notices : IDmsNotice
{
    QStringList texts;
    void Notice(const QString &text, const QString &) override { texts << text; }
};

} // namespace

class TestTextExport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void goldenFiles_data();
    void goldenFiles();
    void fixedRecordsGrowOnlyByLongValues_data();
    void fixedRecordsGrowOnlyByLongValues();
    void fixedField_data();
    void fixedField();
    void markersAreNoAmounts_data();
    void markersAreNoAmounts();
    void oneValueOfALine_data();
    void oneValueOfALine();
    void leftOutEntriesStay_data();
    void leftOutEntriesStay();
    void fileRoad_data();
    void fileRoad();
    void fileRoadTellsTheTrueReason_data();
    void fileRoadTellsTheTrueReason();
    void clipboardRoad();
    void transferReportsTheRoad_data();
    void transferReportsTheRoad();
};

void TestTextExport::initTestCase()
{
    InitOrmelText(QStringLiteral(YAQ_DEMO_DATAS_DIR) + QStringLiteral("/Zirava/PrgTxt"));
    SetPrgSprache(QStringLiteral("00"));
}

void TestTextExport::goldenFiles_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<int>("training");
    QTest::addColumn<QString>("golden");
    QTest::addColumn<QString>("left");
    // clang-format off
    QTest::newRow("labelled")           << 6 << 0 << "labelled.YAQ"          << "7770010";
    QTest::newRow("tagged")             << 7 << 0 << "tagged.YAQ"            << "7770010";
    QTest::newRow("fixed width")        << 8 << 0 << "fixed.YAQ"             << "7770010";
    QTest::newRow("labelled, training") << 6 << 1 << "labelled-training.YAQ" << "4400010 8700010";
    // clang-format on
}

void TestTextExport::goldenFiles()
{
    QFETCH(int, format);
    QFETCH(int, training);
    QFETCH(QString, golden);
    CPrgSettings s = Settings(format);
    s.bSchulung = training;
    CWKList basket;
    FillDemoBasket(basket);
    const CTextExport exporter(s, Head(), QStringLiteral("00"));
    const CTextExport::Text t = exporter.Write(basket);
    QTEST(t.leftNumbers.join(QLatin1Char(' ')), "left");
    bool ok = false;
    const QByteArray bytes = exporter.Encode(t.text, &ok);
    QVERIFY(ok);
    const QString path = GoldenPath(golden);
    if (qEnvironmentVariableIntValue("YAQ_REGENERATE_GOLDEN") == 1)
        QVERIFY(writeTextFile(path, bytes));
    QFile file(path);
    QVERIFY2(file.open(QIODevice::ReadOnly),
             qPrintable(path + QStringLiteral(" is missing; YAQ_REGENERATE_GOLDEN=1 writes it")));
    QCOMPARE(bytes, file.readAll());
}

// A record of the fixed-width layout is 255 characters and a line end while
// its values fit (in a double-byte code page a character may take two of
// the file's bytes); a longer value stands whole and pushes the rest of its
// record to the right, every other record keeps its length.
void TestTextExport::fixedRecordsGrowOnlyByLongValues_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("length"); // bytes of the records holding the value
    // clang-format off
    QTest::newRow("demo basket as it is")         << "00" << ""        << ""                              << 255;
    QTest::newRow("order number of 276")          << "00" << "order"   << QString(276, QLatin1Char('7')) << 277;
    QTest::newRow("overlong job note")            << "00" << "note"    << QString(300, QLatin1Char('x')) << 301;
    QTest::newRow("job note over two lines")      << "00" << "note"    << "erste Zeile\r\nzweite Zeile"    << 255;
    QTest::newRow("overlong part number")         << "00" << "part"    << QString(40, QLatin1Char('9'))  << 260;
    QTest::newRow("VIN as given, 17: ten more")   << "00" << "vin"     << "XVQ1F23A57M012345"             << 265;
    QTest::newRow("short VIN: record of 255")     << "00" << "vin"     << "M012345"                       << 255;
    QTest::newRow("identified by its full VIN")   << "00" << "full"    << "M012345"                       << 255;
    QTest::newRow("no lead type: four less")      << "00" << "lead"    << ""                              << 251;
    QTest::newRow("long lead type")               << "00" << "lead"    << "4401-ALT"                      << 259;
    QTest::newRow("overlong labour text")         << "00" << "labour"  << QString(60, QChar(0x00D6))      << 275;
    QTest::newRow("double-byte code page")        << "08" << "labour"  << QString(30, QChar(0x65E5))      << 285;
    QTest::newRow("double-byte, 61 of 100 columns") << "08" << "finding" << QStringLiteral("x") + QString(60, QChar(0x65E5)) << 315;
    // clang-format on
}

void TestTextExport::fixedRecordsGrowOnlyByLongValues()
{
    QFETCH(QString, language);
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(int, length);
    CPrgSettings s = Settings(8);
    // A vehicle known by its short VIN: every record of 255 to begin with.
    s.FgstnrFull.clear();
    CTextExportHead head = Head();
    CWKList basket;
    FillDemoBasket(basket);
    QChar letter;
    if (field == QLatin1String("order")) {
        head.orderNumber = value;
        letter = QLatin1Char('N');
    } else if (field == QLatin1String("note")) {
        head.jobNote = value;
        letter = QLatin1Char('H');
    } else if (field == QLatin1String("vin")) {
        s.Fgstnr = value;
        letter = QLatin1Char('F');
    } else if (field == QLatin1String("full")) {
        // The settings keep the full VIN beside its last seven characters.
        s.FgstnrFull = QStringLiteral("XVQ1F23A57") + value;
        s.Fgstnr = value;
        letter = QLatin1Char('F');
    } else if (field == QLatin1String("lead")) {
        s.LeadTyp = value;
        letter = QLatin1Char('F');
    } else if (field == QLatin1String("part")) {
        basket.GetAt(0)->Paket->GetAt(2)->Number = value;
        letter = QLatin1Char('T');
    } else if (field == QLatin1String("labour")) {
        basket.GetAt(1)->APos->AwText2 = value;
        letter = QLatin1Char('A');
    } else if (field == QLatin1String("finding")) {
        basket.GetAt(4)->APos->BefundText = value;
        letter = QLatin1Char('B');
    }
    const CTextExport exporter(s, head, language);
    const CTextExport::Text t = exporter.Write(basket);
    bool ok = false;
    const QByteArray bytes = exporter.Encode(t.text, &ok);
    QVERIFY(ok);
    const QByteArray whole =
        CCDFile::ToCodePage(CTextExportLayout::OneLine(value), GetPrgCodePage(language), &ok);
    const QList<QByteArray> records = Records(bytes);
    QCOMPARE(records.size(), 42);
    int holding = 0;
    for (const QByteArray &record : records) {
        QVERIFY2(record.endsWith('\r'), record.constData());
        // Of the changed letter only the records with the whole value grew.
        const bool holds =
            !letter.isNull() && record.startsWith(char(letter.unicode())) && record.contains(whole);
        holding += holds ? 1 : 0;
        QCOMPARE(record.size(), (holds ? length : FixedWidth::kRecord) + 1);
    }
    QVERIFY(letter.isNull() || holding > 0 || value.contains(QLatin1Char('\n')));
}

void TestTextExport::fixedField_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("expected");
    // clang-format off
    QTest::newRow("short value padded")          << "AB"       << 5 << "AB   ";
    QTest::newRow("long value written whole")    << "ABCDEFG"  << 4 << "ABCDEFG";
    QTest::newRow("exact width")                 << "ABCD"     << 4 << "ABCD";
    QTest::newRow("empty value all blanks")      << ""         << 3 << "   ";
    QTest::newRow("umlaut is one character")     << "ÖÄÜ"      << 4 << "ÖÄÜ ";
    QTest::newRow("line break becomes a blank")  << "a\r\nb"   << 5 << "a  b ";
    QTest::newRow("double-byte is one character") << "日本"    << 5 << "日本   ";
    QTest::newRow("double-byte within the width") << "x日本"   << 4 << "x日本 ";
    // clang-format on
}

void TestTextExport::fixedField()
{
    QFETCH(QString, value);
    QFETCH(int, width);
    QTEST(CTextExportFixed::Field(value, width), "expected");
}

// A line carries its prices only when both are real; the markers -1
// (not set), -2 (by time) and -3 (no price) never appear as amounts.
void TestTextExport::markersAreNoAmounts_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<int>("type"); // of the single line or, 9, of a package's head
    QTest::addColumn<double>("net");
    QTest::addColumn<double>("gross");
    QTest::addColumn<double>("vat");
    QTest::addColumn<int>("present");    // the price-present flag
    QTest::addColumn<QString>("prices"); // the price lines, one a "|"
    // clang-format off
    QTest::newRow("labour priced")              << 6 << 14 << 10.0 << 11.9 << 19.0 << 1 << "Pauschal Preis: false|Netto: 10.00 EUR|Brutto: 11.90 EUR|Steuersatz: 19.00%";
    QTest::newRow("labour VAT 0 is written")    << 6 << 14 << 10.0 << 10.0 << 0.0  << 1 << "Pauschal Preis: false|Netto: 10.00 EUR|Brutto: 10.00 EUR|Steuersatz: 0.00%";
    QTest::newRow("labour VAT not set")         << 6 << 14 << 10.0 << 11.9 << -1.0 << 1 << "Pauschal Preis: false|Netto: 10.00 EUR|Brutto: 11.90 EUR";
    QTest::newRow("tagged labour VAT 0 written") << 7 << 14 << 10.0 << 10.0 << 0.0 << 1 << "<P15>false</P15>|<P16>EUR</P16>|<P17>10.00</P17>|<P18>10.00</P18>|<P19>0.00</P19>";
    QTest::newRow("labour by time")             << 6 << 14 << -2.0 << -2.0 << 19.0 << 1 << "";
    QTest::newRow("labour without price")       << 6 << 14 << -3.0 << 11.9 << 19.0 << 1 << "";
    QTest::newRow("labour net not set")         << 6 << 14 << -1.0 << 11.9 << 19.0 << 1 << "";
    QTest::newRow("head priced")                << 6 << 9  << 10.0 << 11.9 << 19.0 << 1 << "Pauschal Preis: false|Netto: 10.00 EUR|Brutto: 11.90 EUR|Steuersatz: 19.00%";
    QTest::newRow("head net not set")           << 6 << 9  << -1.0 << 11.9 << 19.0 << 1 << "";
    QTest::newRow("head without price")         << 6 << 9  << 10.0 << -3.0 << 19.0 << 1 << "";
    QTest::newRow("head by time")               << 6 << 9  << -2.0 << -2.0 << 19.0 << 1 << "";
    QTest::newRow("tagged labour priced")       << 7 << 14 << 10.0 << 11.9 << 19.0 << 1 << "<P15>false</P15>|<P16>EUR</P16>|<P17>10.00</P17>|<P18>11.90</P18>|<P19>19.00</P19>";
    QTest::newRow("tagged labour without")      << 7 << 14 << -3.0 << -3.0 << 19.0 << 1 << "";
    QTest::newRow("tagged head without price")  << 7 << 9  << 10.0 << -3.0 << 19.0 << 1 << "";
    QTest::newRow("head without its flag")      << 6 << 9  << 10.0 << 11.9 << 19.0 << 0 << "";
    QTest::newRow("tagged head without its flag") << 7 << 9 << 10.0 << 11.9 << 19.0 << 0 << "";
    QTest::newRow("labour needs no flag")       << 6 << 14 << 10.0 << 11.9 << 19.0 << 0 << "Pauschal Preis: false|Netto: 10.00 EUR|Brutto: 11.90 EUR|Steuersatz: 19.00%";
    // clang-format on
}

void TestTextExport::markersAreNoAmounts()
{
    QFETCH(int, format);
    QFETCH(int, type);
    QFETCH(double, net);
    QFETCH(double, gross);
    QFETCH(double, vat);
    QFETCH(int, present);
    CWKList basket;
    if (type == POS_BASKET_LABOUR) {
        CPriceSet &set = AddSingle(basket, POS_BASKET_LABOUR, QStringLiteral("2120000"))->Preise1;
        SetPrice(set, net, gross, vat);
        set.Complete = present;
    } else {
        auto paket = SmallPackage(type, QStringLiteral("1110010"));
        CPriceSet &set = paket->GetKopf()->Preise1;
        SetPrice(set, net, gross, vat);
        set.Complete = present;
        basket.Add(CWKListItem(WK_SRP, std::move(paket)), 1);
    }
    const QString text = CTextExport(Settings(format), Head()).Write(basket).text;
    QStringList prices;
    for (const QString &line : text.split(QStringLiteral("\r\n"))) {
        const QString label = line.section(QLatin1Char(':'), 0, 0);
        if (label == QLatin1String("Pauschal Preis") || label == QLatin1String("Netto") ||
            label == QLatin1String("Brutto") || label == QLatin1String("Steuersatz") ||
            QRegularExpression(QStringLiteral("^<[PQ]1[5-9]>")).match(line).hasMatch())
            prices << line;
    }
    QTEST(prices.join(QLatin1Char('|')), "prices");
    for (const char *marker : {"-1.00", "-2.00", "-3.00"})
        QVERIFY(!text.contains(QLatin1String(marker)));
}

// One value of one line as the layout writes it: a package's head (type 9)
// or part (11), a labour position (14) or a finding (16), priced, with the
// one field set to the value; the text must hold the expected lines ("|" a
// line end), or not hold them after a "!".
void TestTextExport::oneValueOfALine_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<int>("training");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("lines");
    // clang-format off
    QTest::newRow("head number without its blanks")    << 6 << 0 << 9  << "Number"      << "1110010  " << "|Paketnummer: 1110010|";
    QTest::newRow("campaign block for \"XX\" alone")   << 6 << 1 << 9  << "HG"          << "xx"        << "!Campaign";
    QTest::newRow("no currency, no currency tag")      << 7 << 0 << 14 << "Currency"    << ""          << "!<P16>";
    QTest::newRow("finding: empty second text a line") << 6 << 0 << 16 << "BefundText2" << ""          << "Befund-Nr.: 8700010|Riss||";
    // clang-format on
}

void TestTextExport::oneValueOfALine()
{
    QFETCH(int, format);
    QFETCH(int, training);
    QFETCH(int, type);
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QString, lines);
    const auto set = [&](CPosition &line) {
        SetPrice(line.Preise1, 10.0, 11.9);
        if (field == QLatin1String("Number"))
            line.Number = value;
        else if (field == QLatin1String("HG"))
            line.HG = value;
        else if (field == QLatin1String("Currency"))
            line.Preise1.Currency = value;
        else if (field == QLatin1String("BefundText2"))
            line.BefundText2 = value;
        else
            QFAIL(qPrintable(field));
    };
    CWKList basket;
    if (type == POS_BASKET_LABOUR || type == POS_FINDING) {
        CPosition *line =
            AddSingle(basket, type,
                      type == POS_FINDING ? QStringLiteral("8700010") : QStringLiteral("2120000"));
        line->BefundText = QStringLiteral("Riss");
        set(*line);
    } else {
        auto paket = SmallPackage(POS_HEAD_CAMPAIGN, QStringLiteral("1110010"));
        set(type == POS_PART ? *Add(*paket, POS_PART, QStringLiteral("9X0000001"),
                                    QStringLiteral("1"), QStringLiteral("Ölfilter"))
                             : *paket->GetKopf());
        basket.Add(CWKListItem(WK_SRP, std::move(paket)), 1);
    }
    CPrgSettings s = Settings(format);
    s.bSchulung = training;
    const QString text = CTextExport(s, Head()).Write(basket).text;
    const bool absent = lines.startsWith(QLatin1Char('!'));
    const QString wanted =
        lines.mid(absent ? 1 : 0).replace(QLatin1Char('|'), QStringLiteral("\r\n"));
    QVERIFY2(text.contains(wanted) != absent, qPrintable(text));
}

// What the export cannot carry stays in the basket and is named; the rest
// goes out.
void TestTextExport::leftOutEntriesStay_data()
{
    QTest::addColumn<QString>("entries"); // kind:number; "-" after the number: nothing priced
    QTest::addColumn<int>("training");
    QTest::addColumn<int>("written");
    QTest::addColumn<QString>("left");
    // clang-format off
    QTest::newRow("package without priced lines")   << "SRP:1110010-,POS:2120000"        << 0 << 1 << "1110010";
    QTest::newRow("priced only in a sub-package")   << "SUB:1110010,POS:2120000"         << 0 << 2 << "";
    QTest::newRow("campaign in the full edition")   << "MKP:7770010,SRP:1110010"         << 0 << 1 << "7770010";
    QTest::newRow("campaign in the training one")   << "MKP:7770010,SRP:1110010"         << 1 << 2 << "";
    QTest::newRow("findings in the training one")   << "BF:8700010,SI:4400010,POS:21200" << 1 << 1 << "8700010 4400010";
    QTest::newRow("nothing priced at all")          << "SRP:1110010-,GRP:5550010-"       << 0 << 0 << "1110010 5550010";
    // clang-format on
}

void TestTextExport::leftOutEntriesStay()
{
    QFETCH(QString, entries);
    QFETCH(int, training);
    CWKList basket;
    for (const QString &spec : entries.split(QLatin1Char(','))) {
        const QString kind = spec.section(QLatin1Char(':'), 0, 0);
        QString number = spec.section(QLatin1Char(':'), 1);
        const bool unpriced = number.endsWith(QLatin1Char('-'));
        if (unpriced)
            number.chop(1);
        if (kind == QLatin1String("POS") || kind == QLatin1String("BF") ||
            kind == QLatin1String("SI")) {
            const int type = kind == QLatin1String("POS")  ? POS_BASKET_LABOUR
                             : kind == QLatin1String("BF") ? POS_FINDING
                                                           : POS_SI_FINDING;
            AddSingle(basket, type, number);
            continue;
        }
        auto paket = SmallPackage(POS_HEAD_CAMPAIGN, number);
        if (unpriced) {
            for (const auto &line : *paket)
                line->Selected = 0;
        }
        if (kind == QLatin1String("SUB")) {
            // The head unpriced, the work in the sub-package.
            paket = std::make_unique<CPaket>();
            Add(*paket, POS_HEAD_CAMPAIGN, number)->Selected = 0;
            CPosition *sub = Add(*paket, POS_SUBPACKAGE, number + QLatin1Char('1'));
            sub->SubPackage = SmallPackage(POS_HEAD_CAMPAIGN, number + QLatin1Char('1'));
        }
        const int wk = kind == QLatin1String("MKP")   ? WK_CAMPAIGN
                       : kind == QLatin1String("GRP") ? WK_GRP
                                                      : WK_SRP;
        basket.Add(CWKListItem(wk, std::move(paket)), 1);
    }
    CPrgSettings s = Settings(7);
    s.bSchulung = training;
    const CTextExport::Text t = CTextExport(s, Head()).Write(basket);
    QTEST(t.written, "written");
    QTEST(t.leftNumbers.join(QLatin1Char(' ')), "left");
    QCOMPARE(static_cast<int>(t.left.size()) + t.written, basket.GetCount());
    QCOMPARE(t.text.count(QStringLiteral("<POSITION>")), t.written);
}

void TestTextExport::fileRoad_data()
{
    QTest::addColumn<QString>("vin");
    QTest::addColumn<QString>("folder"); // below the temporary folder; "-": none set
    QTest::addColumn<bool>("existing");  // a file of the vehicle is there already
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("file"); // the file written, below the temporary folder
    QTest::addColumn<QString>("reason");
    // clang-format off
    QTest::newRow("identified: short VIN names the file") << "M012345"         << "send"    << false << 1 << "send/M012345.YAQ"           << "";
    QTest::newRow("replaces an older file")       << "M012345"                 << "send"    << true  << 1 << "send/M012345.YAQ"           << "";
    QTest::newRow("VIN as given names the file")  << kVin                      << "send"    << false << 1 << "send/XVQ1F23A57M012345.YAQ" << "";
    QTest::newRow("send folder missing")          << "M012345"                 << "missing" << false << 0 << ""                           << "Die Datei kann nicht angelegt werden (";
    QTest::newRow("no send folder set")           << "M012345"                 << "-"       << false << 0 << ""                           << "Für die Exportdatei ist kein Ordner eingestellt.";
    QTest::newRow("VIN climbing out of the folder") << "../../XVQ1F23A57M0123" << "send"    << false << 0 << ""                           << "../../XVQ1F23A57M0123";
    QTest::newRow("VIN with a separator")         << "XVQ1F23/57M012345"       << "send"    << false << 0 << ""                           << "XVQ1F23/57M012345";
    // clang-format on
}

void TestTextExport::fileRoad()
{
    QFETCH(QString, vin);
    QFETCH(QString, folder);
    QFETCH(bool, existing);
    QFETCH(int, result);
    QFETCH(QString, file);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("send")));
    CPrgSettings s =
        Settings(7, 3, folder == QLatin1String("-") ? QString() : dir.filePath(folder));
    // The settings' VIN; an identified vehicle keeps its full VIN beside it.
    s.Fgstnr = vin;
    s.FgstnrFull = vin.size() == 7 ? kVin : vin;
    if (existing)
        QVERIFY(writeTextFile(dir.filePath(file), QByteArray(5000, 'x')));
    CWKList basket;
    FillDemoBasket(basket);
    const CTextExport exporter(s, Head(), QStringLiteral("00"));
    const CTextExportOutcome out = exporter.Run(basket);
    QCOMPARE(out.result, result);
    const QStringList written =
        QDir(dir.filePath(QStringLiteral("send"))).entryList(QDir::Files | QDir::Hidden);
    if (result) {
        QCOMPARE(written, QStringList{QFileInfo(file).fileName()});
        QFile f(dir.filePath(file));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), exporter.Encode(exporter.Write(basket).text));
        QVERIFY(out.failure.isEmpty());
    } else {
        QCOMPARE(written, QStringList());
        QVERIFY2(out.failure.startsWith(QStringLiteral("Die Exportdatei\n")),
                 qPrintable(out.failure));
        QVERIFY2(out.failure.contains(reason), qPrintable(out.failure));
    }
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("../XVQ1F23A57M0123.YAQ"))));
}

// A send folder the file cannot be written to: the adviser reads why, in
// German and whole, however long the folder's path; the old file stays,
// nothing is left beside it. A name that fits the folder is written,
// whatever the length of the writer's copy's name.
void TestTextExport::fileRoadTellsTheTrueReason_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<int>("length"); // of the send folder's path; 0: as it comes
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("reason"); // the end of the message
    // clang-format off
    QTest::newRow("read-only file system")                  << "read-only"         << 0    << 0 << "Das Dateisystem ist schreibgeschützt";
    QTest::newRow("read-only file system, old file there")  << "read-only, old"    << 0    << 0 << "Das Dateisystem ist schreibgeschützt";
    QTest::newRow("a folder in the file's place")           << "folder"            << 0    << 0 << "Die Datei kann nicht angelegt werden (An der Stelle der Datei steht ein Ordner)";
    QTest::newRow("a file in the send folder's place")      << "file"              << 0    << 0 << "Die Datei kann nicht angelegt werden (An der Stelle eines Ordners des Pfades steht eine Datei)";
    QTest::newRow("full file system")                       << "full"              << 0    << 0 << "Kein Speicherplatz mehr frei";
    QTest::newRow("send folder of 4,070 characters")        << "writable"          << 4070 << 1 << "";
    QTest::newRow("4,070 characters, a folder in the way")  << "folder"            << 4070 << 0 << "Die Datei kann nicht angelegt werden (An der Stelle der Datei steht ein Ordner)";
    // clang-format on
}

void TestTextExport::fileRoadTellsTheTrueReason()
{
    QFETCH(QString, way);
    QFETCH(int, length);
    QFETCH(int, result);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    QString folder = dir.filePath(QStringLiteral("send"));
    // A long path of folders of 200 characters and less.
    while (length > 0 && folder.size() < length)
        folder += QLatin1Char('/') +
                  QString(std::min<qsizetype>(200, length - folder.size() - 1), QLatin1Char('d'));
    QCOMPARE(folder.size(), length > 0 ? length : folder.size());
    QVERIFY(QDir().mkpath(folder));
    const QString file = folder + QStringLiteral("/M012345.YAQ");
    const QByteArray old("old");
    QString mounted;
    if (way.startsWith(QLatin1String("read-only")) || way == QLatin1String("full")) {
        const QByteArray name = QFile::encodeName(folder);
        if (::mount("tmpfs", name.constData(), "tmpfs", 0, "size=8k") != 0)
            QSKIP("no file system can be mounted here");
        mounted = folder;
        if (way == QLatin1String("read-only, old"))
            QVERIFY(writeTextFile(file, old));
        if (way == QLatin1String("full"))
            QVERIFY(writeTextFile(folder + QStringLiteral("/other"), QByteArray(8192, 'x')) ||
                    QFileInfo(folder + QStringLiteral("/other")).size() > 0);
        else
            QCOMPARE(::mount("tmpfs", name.constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=8k"),
                     0);
    } else if (way == QLatin1String("folder")) {
        QVERIFY(QDir().mkpath(file));
    } else if (way == QLatin1String("file")) {
        QVERIFY(QDir(folder).removeRecursively());
        QVERIFY(writeTextFile(folder, old));
    }
    CPrgSettings s = Settings(7, 3, folder);
    CWKList basket;
    FillDemoBasket(basket);
    const CTextExportOutcome out = CTextExport(s, Head(), QStringLiteral("00")).Run(basket);
    const QStringList left = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    const QByteArray kept = readTextFile(way == QLatin1String("file") ? folder : file).toUtf8();
    if (!mounted.isEmpty())
        umount2(QFile::encodeName(mounted).constData(), MNT_DETACH);
    QCOMPARE(out.result, result);
    if (result) {
        QVERIFY(out.failure.isEmpty());
        QCOMPARE(left, QStringList{QStringLiteral("M012345.YAQ")});
        return;
    }
    // The reason whole at the end, the path shortened so that the message
    // box shows it all.
    QVERIFY2(out.failure.endsWith(QLatin1Char('\n') + reason), qPrintable(out.failure));
    QVERIFY2(out.failure.size() < 400, qPrintable(out.failure));
    QCOMPARE(out.failure.contains(QChar(0x2026)), length > 0);
    QVERIFY(left.filter(QStringLiteral("yaq2-part")).isEmpty());
    if (way == QLatin1String("read-only, old") || way == QLatin1String("file"))
        QCOMPARE(kept, old);
}

// The clipboard road puts the text there, and beside it the bytes of the
// code page under their character set.
void TestTextExport::clipboardRoad()
{
    CPrgSettings s = Settings(6, 5);
    CWKList basket;
    FillDemoBasket(basket);
    QGuiApplication::clipboard()->clear();
    const CTextExport exporter(s, Head(), QStringLiteral("00"));
    const CTextExportOutcome out = exporter.Run(basket);
    QCOMPARE(out.result, 1);
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data);
    const QString text = exporter.Write(basket).text;
    QCOMPARE(data->text(), text);
    QVERIFY(text.contains(QStringLiteral("Inspektion mit Ölwechsel\r\n")));
    const QByteArray bytes = data->data(QStringLiteral("text/plain;charset=CP1252"));
    QCOMPARE(bytes, exporter.Encode(text));
    QVERIFY(bytes.contains("Inspektion mit \xD6lwechsel\r\n"));

    // A clipboard that refuses: nothing delivered, and the adviser is told.
    CTextExport refused(s, Head(), QStringLiteral("00"));
    refused.SetClipboard(
        [](const QString &, const QByteArray &, const QString &) { return false; });
    const CTextExportOutcome failed = refused.Run(basket);
    QCOMPARE(failed.result, 0);
    QCOMPARE(failed.failure, OrmelText(7107));
}

// The whole road as the basket page runs it: the result message, and what
// stays in the basket.
void TestTextExport::transferReportsTheRoad_data()
{
    QTest::addColumn<int>("destination");
    QTest::addColumn<QString>("folder"); // "missing": a folder that is not there
    QTest::addColumn<int>("unpriced");   // a package without priced lines in front
    QTest::addColumn<QStringList>("message");
    QTest::addColumn<int>("left");
    const QString sent = OrmelText(4069);
    const QString failed = OrmelText(4070);
    const QString keptCampaign = OrmelTextArgs(7071, {QStringLiteral("7770010")});
    const QString keptBoth = OrmelTextArgs(7071, {QStringLiteral("5550010, 7770010")});
    const QString road = QStringLiteral("(via Datei: System(Standard))");
    // clang-format off
    QTest::newRow("file written")                  << 3 << "send"    << 0 << QStringList{sent, road, keptCampaign}                  << 1;
    QTest::newRow("file written, one skipped")     << 3 << "send"    << 1 << QStringList{sent, road, keptBoth}                      << 2;
    QTest::newRow("file not written")              << 3 << "missing" << 0 << QStringList{failed, road, "Die Exportdatei", "*missing/M012345.YAQ", "konnte nicht geschrieben werden:", "*", keptCampaign} << 7;
    QTest::newRow("full disk: old file kept")      << 3 << "full"    << 0 << QStringList{failed, road, "Die Exportdatei", "*send/M012345.YAQ", "konnte nicht geschrieben werden:", "No space left on device", keptCampaign} << 7;
    QTest::newRow("clipboard: silent")             << 5 << "send"    << 0 << QStringList{keptCampaign}                              << 1;
    QTest::newRow("clipboard, one skipped")        << 5 << "send"    << 1 << QStringList{keptBoth}                                  << 2;
    QTest::newRow("unknown destination: kept")     << 4 << "send"    << 0 << QStringList{}                                          << 7;
    // clang-format on
}

void TestTextExport::transferReportsTheRoad()
{
    QFETCH(int, destination);
    QFETCH(QString, folder);
    QFETCH(int, unpriced);
    QFETCH(QStringList, message);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("send")));
    // A full disk: the send folder, whose older file the export may not
    // spoil, and a write that fails at its end.
    const bool full = folder == QLatin1String("full");
    const QString older = dir.filePath(QStringLiteral("send/") + kVin + ".YAQ");
    if (full)
        QVERIFY(writeTextFile(older, "older export\r\n"));
    CPrgSettings s = Settings(7, destination, dir.filePath(full ? QStringLiteral("send") : folder));
    UpdateDmsHeader(&s);
    CWKList basket;
    if (unpriced) {
        auto paket = SmallPackage(POS_HEAD18, QStringLiteral("5550010"));
        for (const auto &line : *paket)
            line->Selected = 0;
        basket.Add(CWKListItem(WK_GRP, std::move(paket)), 1);
    }
    FillDemoBasket(basket);
    Notices notes;
    CDmsClient client(&s, nullptr);
    CBasketTransfer transfer(client, &notes, nullptr);
    transfer.SetTextExportHead(Head());
    if (full)
        SetWholeFileFault(
            [](const QString &) { return QStringLiteral("No space left on device"); });
    const CTransferResult out = transfer.Transfer(basket, CTransferOrder());
    SetWholeFileFault({});
    if (full)
        QCOMPARE(readTextFile(older), QStringLiteral("older export\r\n"));
    QStringList lines;
    for (const QString &text : notes.texts)
        lines << text.split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), message.size());
    for (int i = 0; i < lines.size(); ++i) {
        const QString &want = message.at(i);
        if (want.startsWith(QLatin1Char('*')))
            QVERIFY2(lines.at(i).endsWith(want.mid(1)), qPrintable(lines.at(i)));
        else
            QCOMPARE(lines.at(i), want);
    }
    QTEST(basket.GetCount(), "left");
    QCOMPARE(out.result != 0, basket.GetCount() < 7 + unpriced);
    if (destination == 3 && folder == QLatin1String("send"))
        QVERIFY(QFileInfo::exists(dir.filePath(QStringLiteral("send/M012345.YAQ"))));
}

YAQ_TEST_MAIN(TestTextExport)
#include "tst_textexport.moc"
