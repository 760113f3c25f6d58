// The package request of the transfer system: how the "-a" value splits
// into numbers, which requests are answered by an error code, and that
// every number keeps its place in the answer, on the demo catalogue.

#include "basket/request/PaketAnfrage.h"
#include "common/readers/CatalogueCache.h"
#include "platform/OrmelText.h"
#include "platform/db/PackageOrigin.h"
#include "platform/db/YaqDb.h"
#include "settings/PrgSettings.h"
#include "support/CatalogueDbTest.h"
#include "support/TestEnv.h"

#include <QTemporaryDir>
#include <QtTest>

class TestPackageRequest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase_data();
    void initTestCase();
    void init();
    void splitNumbers_data();
    void splitNumbers();
    void answer_data();
    void answer();
    void catalogue_data();
    void catalogue();
    void unreadableCatalogueAnswersNoConnection_data();
    void unreadableCatalogueAnswersNoConnection();
    void packageOfEachOrigin_data();
    void packageOfEachOrigin();
    void demoRequestMatchesGolden();

private:
    // The demo vehicle XVQ1F23A57M012345, as the identification leaves it.
    static CPrgSettings DemoVehicle();
};

void TestPackageRequest::initTestCase_data()
{
    CatalogueDbTest::AddBackends();
}

void TestPackageRequest::initTestCase()
{
    InitOrmelText(QStringLiteral(YAQ_DEMO_DATAS_DIR "/Zirava/PrgTxt"));
    SetPrgSprache(QStringLiteral("00"));
}

void TestPackageRequest::init()
{
    if (CatalogueDbTest::NoServerForRow())
        QSKIP("YAQ_TEST_PG_* not set: no PostgreSQL test server");
    CatalogueCache().Clear();
}

void TestPackageRequest::splitNumbers_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("numbers");
    // clang-format off
    QTest::newRow("two numbers")                  << "1110010;3410010"  << QStringList{"1110010", "3410010"};
    QTest::newRow("trailing separator adds none") << "1110010;"         << QStringList{"1110010"};
    QTest::newRow("double separator: empty slot") << "1110010;;3410010" << QStringList{"1110010", "", "3410010"};
    QTest::newRow("eight characters: empty slot") << "11100100"         << QStringList{""};
    QTest::newRow("short number keeps its place") << "11100;3410010"    << QStringList{"", "3410010"};
    QTest::newRow("nothing")                      << ""                 << QStringList{};
    QTest::newRow("separator alone")              << ";"                << QStringList{""};
    // clang-format on
}

void TestPackageRequest::splitNumbers()
{
    QFETCH(QString, value);
    QFETCH(QStringList, numbers);
    QCOMPARE(CPaketAnfrage::SplitNumbers(value), numbers);
}

void TestPackageRequest::answer_data()
{
    QTest::addColumn<QString>("vin");
    QTest::addColumn<QString>("numbers");
    QTest::addColumn<bool>("noCatalogue"); // not opened at the start
    QTest::addColumn<QString>("answer");
    const QString empty = QStringLiteral("<Basket><BasketTyp>0</BasketTyp></Basket>");
    const QString head =
        QStringLiteral("<Basket-List><TotalPreisBrutto>-1.000000</TotalPreisBrutto>"
                       "<TotalPreisNetto>-1.000000</TotalPreisNetto><WaehrungsKZ></"
                       "WaehrungsKZ>");
    const QString most = QStringLiteral("9999999;").repeated(CPaketAnfrage::kMaxNumbers);
    // clang-format off
    QTest::newRow("no VIN")                               << ""                  << "1110010" << false << "ERROR-06";
    QTest::newRow("VIN of five")                          << "12345"             << "1110010" << false << "ERROR-05";
    QTest::newRow("VIN of ten")                           << "M01234567X"        << "1110010" << false << "ERROR-05";
    QTest::newRow("VIN of eighteen")                      << "XVQ1F23A57M0123456" << "1110010" << false << "ERROR-05";
    QTest::newRow("no numbers")                           << "M012345"           << ""        << false << "ERROR-10";
    QTest::newRow("unknown numbers keep their places")    << "M012345"           << "1110010;;9999999" << false << head + empty + empty + empty + "</Basket-List>";
    QTest::newRow("full VIN stands for its last seven")   << "XVQ1F23A57M012345" << "1110010" << false << head + empty + "</Basket-List>";
    QTest::newRow("catalogue not opened at the start")    << "M012345"           << "1110010" << true  << "ERROR-07";
    QTest::newRow("as many numbers as one may ask")       << "M012345"           << most      << false << head + empty.repeated(CPaketAnfrage::kMaxNumbers) + "</Basket-List>";
    QTest::newRow("one number more: error code")          << "M012345"           << most + "9999999" << false << "ERROR-12";
    // clang-format on
}

void TestPackageRequest::answer()
{
    QFETCH(QString, vin);
    QFETCH(QString, numbers);
    QFETCH(bool, noCatalogue);
    QFETCH(QString, answer);
    // The identification took no vehicle: the request judges the VIN the
    // caller sent.
    CPrgSettings settings;
    settings.TypSchl = QStringLiteral("7A01");
    // Without a catalogue connection no number is found.
    CPaketAnfrage request(&settings, vin, nullptr, nullptr, {}, numbers);
    if (noCatalogue)
        request.SetCatalogueUnavailable();
    QCOMPARE(request.BuildAnswer(), answer);
}

CPrgSettings TestPackageRequest::DemoVehicle()
{
    CPrgSettings settings;
    settings.Fgstnr = QStringLiteral("M012345");
    settings.TypSchl = QStringLiteral("7A01");
    settings.LeadTyp = QStringLiteral("1101");
    settings.ZusatzCode = QStringLiteral("A");
    settings.Bestellnr = QStringLiteral("VQF40DE");
    settings.EReihe = QStringLiteral("F40");
    return settings;
}

void TestPackageRequest::catalogue_data()
{
    QTest::addColumn<QString>("numbers");
    QTest::addColumn<bool>("altCatalogue");
    QTest::addColumn<bool>("connectionFails");
    QTest::addColumn<QString>("vehicle"); // "country <code> <offered>", "first <date>"
    QTest::addColumn<QString>("answer");  // the basket types
    QTest::addColumn<QString>("parts");   // the parts of the first basket
    QTest::addColumn<int>("through");     // the numbers gone through; -1: all
    const QString parts = QStringLiteral("VQ0011501,VQ0011502");
    // Some 15 KB of answer a package: as many as one may ask are more than
    // the clipboard hands over whole, five hundred are not.
    const QString most = QStringLiteral("1110010;").repeated(CPaketAnfrage::kMaxNumbers);
    const QString fiveHundred = QStringLiteral("1110010;").repeated(500);
    const QString fiveHundredFound = QStringList(500, QStringLiteral("1")).join(QLatin1Char(','));
    // With the part valid from 2018 on, 480 fit, the 481st is too many.
    const QString fitting = QStringLiteral("1110010;").repeated(480);
    const QString fittingFound = QStringList(480, QStringLiteral("1")).join(QLatin1Char(','));
    // clang-format off
    QTest::newRow("found, unknown and short numbers keep their places") << "3410010;9999999;341" << false << false << ""             << "1,0,0"    << "VQ0034101" << -1;
    QTest::newRow("package of another type key is unknown")             << "7210010;1110010"     << false << false << ""             << "0,1"      << "" << -1;
    QTest::newRow("alternative catalogue holds no package heads")       << "1110010"             << true  << false << ""             << "0"        << "" << -1;
    QTest::newRow("package connection fails: error code, no message")   << "9999999;1110010"     << false << true  << ""             << "ERROR-07" << "" << -1;
    QTest::newRow("failing connection unused by unknown numbers")       << "9999999"             << false << true  << ""             << "0"        << "" << -1;
    QTest::newRow("country package in the dealer's country")            << "1110030"             << false << false << "country DE 1" << "1"        << "" << -1;
    QTest::newRow("country package not offered by the dealer")          << "1110030"             << false << false << "country DE 0" << "0"        << "" << -1;
    QTest::newRow("country package of another country")                 << "1110030"             << false << false << "country AT 1" << "0"        << "" << -1;
    QTest::newRow("part valid up to the production date")               << "1110010"             << false << false << "first 31.12.2015" << "1"    << parts + ",VQ0011505" << -1;
    QTest::newRow("part valid from the production date")                << "1110010"             << false << false << "first 01.01.2018" << "1"    << parts + ",VQ0011506" << -1;
    QTest::newRow("part valid between neither")                         << "1110010"             << false << false << "first 01.06.2016" << "1"    << parts << -1;
    QTest::newRow("answer the clipboard takes whole")                   << fiveHundred           << false << false << "first 01.06.2016" << fiveHundredFound << parts << -1;
    QTest::newRow("answer too large for the clipboard: error code")     << most                  << false << false << "first 01.06.2016" << "ERROR-13" << "" << 559;
    QTest::newRow("as many packages as fit whole")                      << fitting               << false << false << "first 01.01.2018" << fittingFound << parts + ",VQ0011506" << -1;
    QTest::newRow("one package more: error code at once")               << fitting + "1110010;9999999" << false << false << "first 01.01.2018" << "ERROR-13" << "" << 481;
    // clang-format on
}

void TestPackageRequest::catalogue()
{
    QFETCH(QString, numbers);
    QFETCH(bool, altCatalogue);
    QFETCH(bool, connectionFails);
    QFETCH(QString, vehicle);
    QFETCH(QString, answer);
    std::unique_ptr<CYaqDb> db = CatalogueDbTest::Open();
    QVERIFY(db);
    CPrgSettings settings = DemoVehicle();
    settings.bAltKatalog = altCatalogue ? 1 : 0;
    const QStringList v = vehicle.split(QLatin1Char(' '));
    if (v.first() == QLatin1String("country")) {
        settings.Laendercode = v.at(1);
        settings.CountrySpecPakets = v.at(2).toInt();
    } else if (v.first() == QLatin1String("first")) {
        settings.Erstzulassung = v.at(1);
    }
    TestEnv env;
    env.answerBoxes(IDOK);
    CPaketAnfrage request(
        &settings, settings.Fgstnr, db.get(), db.get(),
        [connectionFails]() -> std::unique_ptr<CYaqDb> {
            return connectionFails ? nullptr : CatalogueDbTest::Open();
        },
        numbers);
    const QString document = request.BuildAnswer();
    QCOMPARE(env.boxes().size(), 0);
    // A request ends with the number whose package does not fit.
    QFETCH(int, through);
    QCOMPARE(request.NumbersGoneThrough(),
             through < 0 ? request.Numbers().size() : qsizetype(through));
    if (answer.startsWith(QLatin1String("ERROR"))) {
        QCOMPARE(document, answer);
        return;
    }
    QStringList types;
    QStringList parts;
    int type = 0;
    QXmlStreamReader xml(document);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("BasketTyp"))
            types << xml.readElementText();
        else if (xml.name() == QLatin1String("PackageTyp"))
            type = xml.readElementText().toInt();
        else if (xml.name() == QLatin1String("Number") && type == 4 && types.size() == 1)
            parts << xml.readElementText();
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(types.join(QLatin1Char(',')), answer);
    QTEST(parts.join(QLatin1Char(',')), "parts");
}

// The origin of the package's row decides whether the request finds it:
// the catalogue's own packages (three blanks, empty, "YAQ") always, a
// country's packages only in the dealer's country when he offers them. The
// rule is the one the package list, the loader and the readers ask too.
void TestPackageRequest::packageOfEachOrigin_data()
{
    QTest::addColumn<QString>("origin");
    QTest::addColumn<int>("countryPackages"); // offered by the dealer
    QTest::addColumn<QString>("country");     // the dealer's
    QTest::addColumn<bool>("found");
    // clang-format off
    QTest::newRow("three blanks")                          << "   " << 0 << "DE" << true;
    QTest::newRow("empty")                                 << ""    << 0 << "DE" << true;
    QTest::newRow("YAQ")                                   << "YAQ" << 0 << "DE" << true;
    QTest::newRow("the dealer's country, offered")         << "DE"  << 1 << "DE" << true;
    QTest::newRow("the dealer's country, padded")          << "DE " << 1 << "DE" << true;
    QTest::newRow("the dealer's country, not offered")     << "DE"  << 0 << "DE" << false;
    QTest::newRow("another country, offered")              << "AT"  << 1 << "DE" << false;
    QTest::newRow("no country's, offered without country") << "EU"  << 1 << ""   << false;
    // clang-format on
}

void TestPackageRequest::packageOfEachOrigin()
{
    QFETCH(QString, origin);
    QFETCH(int, countryPackages);
    QFETCH(QString, country);
    QTEST(PackageOriginCounts(origin, countryPackages, country), "found");
    if (CatalogueDbTest::IsPg())
        QSKIP("the origins are tried on a changed copy of the demo catalogue file");
    QTemporaryDir dir;
    // The service package 1110010 of the demo Arvo.
    const QByteArray sql = QStringLiteral("UPDATE srp_package_line SET origin = '%1' WHERE "
                                          "type_key = '7A01' AND main_group = '11' AND "
                                          "package_kind = 'SRP' AND line_number = '010'")
                               .arg(origin)
                               .toUtf8();
    std::unique_ptr<CYaqDb> db = CatalogueDbTest::OpenDemoCopy(dir.path(), sql.constData());
    QVERIFY(db);
    CPrgSettings settings = DemoVehicle();
    settings.CountrySpecPakets = countryPackages;
    settings.Laendercode = country;
    const QString folder = dir.path();
    CPaketAnfrage request(
        &settings, settings.Fgstnr, db.get(), db.get(),
        [folder]() -> std::unique_ptr<CYaqDb> { return CatalogueDbTest::OpenFileIn(folder); },
        QStringLiteral("1110010"));
    const QString document = request.BuildAnswer();
    QVERIFY2(document.startsWith(QLatin1String("<Basket-List>")), qPrintable(document));
    QFETCH(bool, found);
    QCOMPARE(document.contains(QLatin1String("<BasketTyp>1</BasketTyp>")), found);
    QCOMPARE(document.contains(QLatin1String("<BasketTyp>0</BasketTyp>")), !found);
}

// A read of the catalogue that fails finds no package that is not there:
// the caller gets the error code of a catalogue it cannot reach.
void TestPackageRequest::unreadableCatalogueAnswersNoConnection_data()
{
    QTest::addColumn<QByteArray>("sql");
    // clang-format off
    QTest::newRow("package lines unreadable")  << QByteArray("DROP TABLE srp_package_line");
    QTest::newRow("position texts unreadable") << QByteArray("DROP TABLE apos_text");
    // clang-format on
}

void TestPackageRequest::unreadableCatalogueAnswersNoConnection()
{
    QFETCH(QByteArray, sql);
    if (CatalogueDbTest::IsPg())
        QSKIP("tried on a changed copy of the demo catalogue file");
    QTemporaryDir dir;
    std::unique_ptr<CYaqDb> db = CatalogueDbTest::OpenDemoCopy(dir.path(), sql.constData());
    QVERIFY(db);
    CPrgSettings settings = DemoVehicle();
    const QString folder = dir.path();
    CPaketAnfrage request(
        &settings, settings.Fgstnr, db.get(), db.get(),
        [folder]() -> std::unique_ptr<CYaqDb> { return CatalogueDbTest::OpenFileIn(folder); },
        QStringLiteral("1110010"));
    QCOMPARE(request.BuildAnswer(), QStringLiteral("ERROR-07"));
}

// The whole answer of a known and an unknown number, byte for byte: the
// reduced item form (no price sets but the plain one, no value line, the
// head's catalogue line number, parts of the production date).
void TestPackageRequest::demoRequestMatchesGolden()
{
    std::unique_ptr<CYaqDb> db = CatalogueDbTest::Open();
    QVERIFY(db);
    CPrgSettings settings = DemoVehicle();
    settings.Erstzulassung = QStringLiteral("09.03.2016");
    CPaketAnfrage request(
        &settings, QStringLiteral("M012345"), db.get(), db.get(),
        []() -> std::unique_ptr<CYaqDb> { return CatalogueDbTest::Open(); },
        QStringLiteral("1110010;9999999"));
    const QByteArray document = request.BuildAnswer().toUtf8();
    const QString path =
        QStringLiteral(YAQ_SOURCE_DIR "/tests/data/golden/packagerequest/demo-request.xml");
    if (qEnvironmentVariableIntValue("YAQ_REGENERATE_GOLDEN") == 1) {
        QVERIFY(writeTextFile(path, document));
        QSKIP("golden answer written");
    }
    QFile golden(path);
    QVERIFY2(golden.open(QIODevice::ReadOnly), qPrintable(path));
    QCOMPARE(document, golden.readAll());
}

YAQ_TEST_GUILESS_MAIN(TestPackageRequest)
#include "tst_packagerequest.moc"
