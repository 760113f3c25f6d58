// The labour-value catalogue: the walk through the levels of the demo
// catalogue with the vehicle's filters, the jump to a position number, the
// prices (computed, from the local price files, from DMS answers and once
// from the stand-in DMS over loopback), and the print-out as PDF.

#include "catalogues/AwKatPrintDoc.h"
#include "catalogues/model/AwKatColumns.h"
#include "catalogues/model/AwKatPricing.h"
#include "catalogues/model/AwKatWalk.h"
#include "common/DmsFrame.h"
#include "common/EasyPrintDlg.h"
#include "platform/OrmelText.h"
#include "platform/db/YaqDb.h"
#include "settings/DmsHeader.h"
#include "settings/PrgSettings.h"
#include "support/CatalogueDbTest.h"
#include "support/TestEnv.h"
#include "support/TestMain.h"
#include "yaq2-dms/StandInDms.h"

#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

#include <memory>

namespace {

struct Notices : IDmsNotice
{
    QStringList texts;
    void Notice(const QString &text, const QString &) override { texts << text; }
};

// The demo vehicles by name.
CPrgSettings Vehicle(const QString &name)
{
    CPrgSettings s;
    s.KatalogKey = QStringLiteral("1");
    if (name == QLatin1String("Arvo")) {
        s.Bestellnr = QStringLiteral("VQF40DE");
        s.LeadTyp = QStringLiteral("1101");
        s.ZusatzCode = QStringLiteral("A");
        s.FgstnrFull = QStringLiteral("XVQ1F23A57M012345");
        s.TypSchl = QStringLiteral("7A01");
        s.ModellBez = QStringLiteral("Arvo 1.6");
        s.EReihe = QStringLiteral("F40");
    } else if (name == QLatin1String("Bento")) {
        s.Bestellnr = QStringLiteral("VQB20DE");
        s.LeadTyp = QStringLiteral("2201");
        s.ZusatzCode = QStringLiteral("B");
        s.FgstnrFull = QStringLiteral("XVQ2G45B684K56789");
        s.TypSchl = QStringLiteral("7B01");
        s.ModellBez = QStringLiteral("Bento");
        s.EReihe = QStringLiteral("B20");
    } else if (name == QLatin1String("Alto")) { // the alternative catalogue
        s.Bestellnr = QStringLiteral("VQA40001");
        s.bAltKatalog = 1;
        s.LeadTyp = QStringLiteral("4401");
        s.FgstnrFull = QStringLiteral("XVQ4X01A57P012345");
        s.TypSchl = QStringLiteral("7X01");
        s.ModellBez = QStringLiteral("Alto");
        s.EReihe = QStringLiteral("A40");
    } else { // the catalogue of the Arvo without a vehicle
        s.Bestellnr = QStringLiteral("VQF40DE");
    }
    s.Fgstnr = s.FgstnrFull.right(7);
    s.Laendercode = QStringLiteral("DE");
    s.Heute = QStringLiteral("15.06.2024");
    return s;
}

QString Numbers(const std::vector<CAwKatRow *> &rows)
{
    QStringList out;
    for (const CAwKatRow *row : rows)
        out << row->Number;
    return out.join(QLatin1Char(' '));
}

QString Answer(const QString &children, const QString &version)
{
    return QStringLiteral(
               "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body>"
               "<requestPackageInfoResponse refSchema=\"serviceRepairPackages.xsd\" "
               "version=\"%2\">%1</requestPackageInfoResponse></soap:Body></soap:Envelope>")
        .arg(children, version);
}

const QString kVinElement =
    QStringLiteral("<vin vinLongPrefix=\"XVQ1F23A57\" vinShort=\"M012345\"/>");

} // namespace

class TestAwKat : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void walkShowsWhatTheVehicleHas_data();
    void walkShowsWhatTheVehicleHas();
    void backLeadsToTheLevelAbove();
    void alternativeCatalogue_data();
    void alternativeCatalogue();
    void jumpReachesThePosition_data();
    void jumpReachesThePosition();
    void catalogueReadsFollowAnIndex_data();
    void catalogueReadsFollowAnIndex();
    void displayPrices_data();
    void displayPrices();
    void localPrices_data();
    void localPrices();
    void priceRequest_data();
    void priceRequest();
    void priceAnswer_data();
    void priceAnswer();
    void standInDmsPricesAPosition();
    void printsToPdf();
    void columnsInView_data();
    void columnsInView();
    void catalogueColumns_data();
    void catalogueColumns();

private:
    struct Dbs
    {
        std::unique_ptr<CYaqDb> catalogue, values, third;
    };
    Dbs OpenDbs();
    TestEnv m_env;
};

void TestAwKat::initTestCase()
{
    InitOrmelText(QStringLiteral(YAQ_DEMO_DATAS_DIR) + QStringLiteral("/Zirava/PrgTxt"));
    SetPrgSprache(QStringLiteral("00"));
}

TestAwKat::Dbs TestAwKat::OpenDbs()
{
    Dbs dbs;
    for (auto *db : {&dbs.catalogue, &dbs.values, &dbs.third}) {
        *db = std::make_unique<CYaqDb>();
        if (!(*db)->Open(QString(), QString(), QString(), 0, QStringLiteral(YAQ_DEMO_DATAS_DIR),
                         QString(), QString()))
            qFatal("the demo catalogue does not open");
    }
    return dbs;
}

void TestAwKat::walkShowsWhatTheVehicleHas_data()
{
    // Row: vehicle, the numbers opened one after the other from the main
    // groups, the level then shown, its rows, the messages.
    QTest::addColumn<QString>("vehicle");
    QTest::addColumn<QStringList>("opened");
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("notices");
    // clang-format off
    QTest::newRow("main groups")                  << "Arvo"  << QStringList{}                   << 1 << "11 34 64" << "";
    QTest::newRow("subgroups")                    << "Arvo"  << QStringList{"11"}               << 2 << "10 20" << "";
    QTest::newRow("third level")                  << "Arvo"  << QStringList{"11", "10"}         << 3 << "1110 1120" << "";
    QTest::newRow("hidden position left out")     << "Arvo"  << QStringList{"11", "10", "1110"} << 4 << "1110010 1110015 1110016 1110017 1110020 1110021" << "";
    QTest::newRow("subgroup onto its positions")  << "Arvo"  << QStringList{"11", "20"}         << 4 << "1110040 1110050 1110060" << "";
    QTest::newRow("position without value")       << "Arvo"  << QStringList{"34"}               << 4 << "3410010 3410011" << "";
    QTest::newRow("subgroup without value")       << "Arvo"  << QStringList{"64"}               << 2 << "11 12" << "";
    QTest::newRow("other vehicle's subgroups")    << "Bento" << QStringList{"34"}               << 2 << "10 20" << "";
    QTest::newRow("main group onto positions")    << "Bento" << QStringList{"11"}               << 4 << "1110010" << "";
    QTest::newRow("empty level: 4020 once, back") << "Bento" << QStringList{"64"}               << 1 << "11 34 64" << "4020";
    QTest::newRow("catalogue without vehicle")    << "none"  << QStringList{"64"}               << 2 << "11 12 13" << "";
    QTest::newRow("alternative main groups")      << "Alto"  << QStringList{}                   << 1 << "11 34 64" << "";
    QTest::newRow("alternative groups")           << "Alto"  << QStringList{"11"}               << 3 << "1110 1120" << "";
    QTest::newRow("alternative: the main group's positions, one without value") << "Alto"  << QStringList{"11", "1120"}       << 4 << "1110500 1110510 1110010 1110020 1120500 1120010" << "";
    QTest::newRow("alternative without groups")   << "Alto"  << QStringList{"64"}               << 4 << "6400010 6400020" << "";
    // clang-format on
}

void TestAwKat::walkShowsWhatTheVehicleHas()
{
    QFETCH(QString, vehicle);
    QFETCH(QStringList, opened);
    QFETCH(int, level);
    QFETCH(QString, shown);
    QFETCH(QString, notices);
    CPrgSettings s = Vehicle(vehicle);
    Dbs dbs = OpenDbs();
    CAwKatWalk walk(&s, dbs.catalogue.get(), dbs.values.get(), dbs.third.get());
    QStringList told;
    walk.SetNotice([&told](int id) { told << QString::number(id); });
    QVERIFY(walk.ReadMainGroups());
    for (const QString &number : opened) {
        CAwKatRow *row = nullptr;
        for (CAwKatRow *r : walk.Shown()) {
            if (r->Number == number)
                row = r;
        }
        QVERIFY2(row, qPrintable(number));
        walk.Select(row);
        walk.Open(row);
    }
    QCOMPARE(walk.ShownLevel(), level);
    QCOMPARE(Numbers(walk.Shown()), shown);
    QCOMPARE(told.join(QLatin1Char(' ')), notices);
    QVERIFY(walk.SelectedIndex() >= 0);
    if (level == 1)
        QVERIFY(walk.Path().empty());
}

void TestAwKat::backLeadsToTheLevelAbove()
{
    CPrgSettings s = Vehicle(QStringLiteral("Arvo"));
    Dbs dbs = OpenDbs();
    CAwKatWalk walk(&s, dbs.catalogue.get(), dbs.values.get(), dbs.third.get());
    QVERIFY(walk.JumpTo(QStringLiteral("1110015")));
    // The joint work under the oil service opens its run with a heading.
    const CAwKatRow *joint = walk.Current(AW_POSITION);
    QCOMPARE(joint->HeadingShown, 1);
    QCOMPARE(joint->Heading, OrmelText(7000));
    QCOMPARE(s.AktApNr, QStringLiteral("1110015"));
    walk.Back();
    QCOMPARE(walk.ShownLevel(), 3);
    walk.Back();
    QCOMPARE(walk.ShownLevel(), 2);
    walk.Back();
    QCOMPARE(walk.ShownLevel(), 1);
    // Straight from the positions of a group without levels to the top.
    QVERIFY(walk.JumpTo(QStringLiteral("3410011")));
    QCOMPARE(Numbers(walk.Path()), QStringLiteral("34"));
    walk.Back();
    QCOMPARE(walk.ShownLevel(), 1);
}

void TestAwKat::alternativeCatalogue_data()
{
    // Row: the number jumped to, then "<<" pressed so often: the level
    // shown, its current row, the positions under a full-width rule, the
    // texts of the current position (read when it is drawn).
    QTest::addColumn<QString>("number");
    QTest::addColumn<int>("backs");
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("ruled");
    QTest::addColumn<QString>("texts");
    // clang-format off
    QTest::newRow("rule where the plain codes begin") << "1110500" << 0 << 4 << "1110500" << "1110010 1120010" << "Motoroel wechseln|(mit Oelfilter)";
    QTest::newRow("text of two lines")                << "1110010" << 0 << 4 << "1110010" << "1110010 1120010" << "Inspektion\r\nnach Serviceplan|";
    QTest::newRow("bracket from its second line")     << "1120010" << 0 << 4 << "1120010" << "1110010 1120010" << "Zuendkerzen ersetzen|(alle Zylinder)";
    QTest::newRow("no rule after plain codes")        << "3410020" << 0 << 4 << "3410020" << ""                << "Bremsscheiben vorn ersetzen|";
    QTest::newRow("back to the groups")               << "1120010" << 1 << 3 << "1110"    << ""                << "";
    QTest::newRow("back to the main groups")          << "1120010" << 2 << 1 << "11"      << ""                << "";
    QTest::newRow("back from a group without groups") << "6400010" << 1 << 1 << "11"      << ""                << "";
    // clang-format on
}

void TestAwKat::alternativeCatalogue()
{
    QFETCH(QString, number);
    QFETCH(int, backs);
    QFETCH(int, level);
    QFETCH(QString, current);
    QFETCH(QString, ruled);
    QFETCH(QString, texts);
    CPrgSettings s = Vehicle(QStringLiteral("Alto"));
    Dbs dbs = OpenDbs();
    CAwKatWalk walk(&s, dbs.catalogue.get(), dbs.values.get(), dbs.third.get());
    QVERIFY(walk.JumpTo(number));
    QCOMPARE(s.AktApNr, number);
    for (int i = 0; i < backs; ++i)
        walk.Back();
    QCOMPARE(walk.ShownLevel(), level);
    CAwKatRow *row = walk.Shown().at(size_t(walk.SelectedIndex()));
    QCOMPARE(row->Number, current);
    std::vector<CAwKatRow *> rules;
    for (CAwKatRow *r : walk.Shown()) {
        if (r->FullSeparator)
            rules.push_back(r);
    }
    QCOMPARE(Numbers(rules), ruled);
    if (row->Type != AW_POSITION)
        return;
    QVERIFY(row->Text.isEmpty());
    walk.ReadTextsWhenShown(row);
    QCOMPARE(row->Text + QLatin1Char('|') + row->BracketText, texts);
}

void TestAwKat::jumpReachesThePosition_data()
{
    // Row: vehicle, number, reached, the path then, the current position.
    QTest::addColumn<QString>("vehicle");
    QTest::addColumn<QString>("number");
    QTest::addColumn<bool>("reached");
    QTest::addColumn<QString>("path");
    // clang-format off
    QTest::newRow("through three levels")      << "Arvo"  << "1110021" << true  << "11 10 1120";
    QTest::newRow("subgroup without third")    << "Arvo"  << "1110050" << true  << "11 20";
    QTest::newRow("group without levels")      << "Arvo"  << "3410011" << true  << "34";
    QTest::newRow("other vehicle")             << "Bento" << "3410020" << true  << "34 20";
    QTest::newRow("no value for the vehicle")  << "Arvo"  << "3410020" << false << "";
    QTest::newRow("six characters")            << "Arvo"  << "111002"  << false << "";
    QTest::newRow("a letter")                  << "Arvo"  << "11100A1" << false << "";
    QTest::newRow("not in the catalogue")      << "Arvo"  << "5555555" << false << "";
    QTest::newRow("alternative: group, number") << "Alto"  << "3420010" << true  << "34 3420";
    QTest::newRow("alternative: no groups")    << "Alto"  << "6400020" << true  << "64";
    QTest::newRow("alternative: no value")     << "Alto"  << "1120020" << false << "";
    QTest::newRow("alternative: a letter")     << "Alto"  << "11205A0" << false << "";
    // clang-format on
}

void TestAwKat::jumpReachesThePosition()
{
    QFETCH(QString, vehicle);
    QFETCH(QString, number);
    QFETCH(bool, reached);
    QFETCH(QString, path);
    CPrgSettings s = Vehicle(vehicle);
    Dbs dbs = OpenDbs();
    CAwKatWalk walk(&s, dbs.catalogue.get(), dbs.values.get(), dbs.third.get());
    QCOMPARE(walk.JumpTo(number), reached);
    if (!reached)
        return;
    QCOMPARE(Numbers(walk.Path()), path);
    QCOMPARE(walk.ShownLevel(), 4);
    QCOMPARE(walk.Current(AW_POSITION)->Number, number);
    QCOMPARE(walk.Shown().at(size_t(walk.SelectedIndex()))->Number, number);
}

void TestAwKat::catalogueReadsFollowAnIndex_data()
{
    // Row: the name of the read (CYaqDb::AwCatalogueQuery), the index its
    // plan follows. The jump finds a number without scanning the catalogue.
    QTest::addColumn<QString>("index");
    // clang-format off
    QTest::newRow("catalogue subgroups")                      << "aw_catalogue_group_by_level";
    QTest::newRow("catalogue third level")                    << "aw_catalogue_group_by_level";
    QTest::newRow("catalogue positions")                      << "aw_catalogue_position_by_line";
    QTest::newRow("catalogue lines of a position")            << "aw_catalogue_position_by_number";
    QTest::newRow("catalogue lines of a position in a group") << "aw_catalogue_position_by_number";
    QTest::newRow("catalogue line values")                    << "aw_catalogue_value_by_line";
    QTest::newRow("alternative main groups")                  << "sqlite_autoindex_alt_aw_main_group_1";
    QTest::newRow("alternative groups of a main group")       << "sqlite_autoindex_alt_aw_sub_group_1";
    QTest::newRow("alternative positions")                    << "alt_aw_position_by_group";
    // clang-format on
}

void TestAwKat::catalogueReadsFollowAnIndex()
{
    QFETCH(QString, index);
    const QString sql = CYaqDb::AwCatalogueQuery(QTest::currentDataTag());
    QVERIFY(!sql.isEmpty());
    const QString problem = CatalogueDbTest::PlanProblem(sql, index);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
}

void TestAwKat::displayPrices_data()
{
    // Row: flat, unit gross, unit net, VAT, asked, labour value -> shown
    // gross and net.
    QTest::addColumn<int>("flat");
    QTest::addColumn<double>("unitGross");
    QTest::addColumn<double>("unitNet");
    QTest::addColumn<double>("vat");
    QTest::addColumn<int>("asked");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("gross");
    QTest::addColumn<QString>("net");
    // clang-format off
    QTest::newRow("net and VAT")               << 0 << -1.0  << 100.0 << 19.0 << 1 << "1"     << "119.00" << "100.00";
    QTest::newRow("by the labour value")       << 0 << -1.0  << 9.5   << 19.0 << 1 << "12"    << "135.66" << "114.00";
    QTest::newRow("number prefix of a text")   << 0 << -1.0  << 10.0  << -1.0 << 1 << "1.5 h" << "?"      << "15.00";
    QTest::newRow("billed by working time")    << 0 << -1.0  << 100.0 << 19.0 << 1 << "AZ"    << "AZ"     << "AZ";
    QTest::newRow("no labour value, not 0.00") << 0 << -1.0  << 100.0 << 19.0 << 1 << "-"     << "?"      << "?";
    QTest::newRow("flat gross")                << 1 << 119.0 << -1.0  << 19.0 << 1 << "12"    << "119.00" << "100.00";
    QTest::newRow("nothing found")             << 0 << -1.0  << -1.0  << -1.0 << 1 << "12"    << "?"      << "?";
    QTest::newRow("not asked")                 << 0 << -1.0  << -1.0  << -1.0 << 0 << "12"    << ""       << "";
    QTest::newRow("rounded up at the cent")    << 1 << 12.345 << -1.0 << -1.0 << 1 << "1"     << "12.35"  << "?";
    // clang-format on
}

void TestAwKat::displayPrices()
{
    QFETCH(int, flat);
    QFETCH(double, unitGross);
    QFETCH(double, unitNet);
    QFETCH(double, vat);
    QFETCH(int, asked);
    QFETCH(QString, value);
    QFETCH(QString, gross);
    QFETCH(QString, net);
    CAwKatPrices p;
    CAwKatPricing::Reset(p, asked);
    p.FlatPrice = flat;
    p.UnitGross = unitGross;
    p.UnitNet = unitNet;
    p.Vat = vat;
    CAwKatPricing::ComputeDisplayPrices(p, value);
    QCOMPARE(CAwKatPricing::PriceText(p.Gross), gross);
    QCOMPARE(CAwKatPricing::PriceText(p.Net), net);
}

void TestAwKat::localPrices_data()
{
    // Row: vehicle, number, labour value -> shown net price, flat.
    QTest::addColumn<QString>("vehicle");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("net");
    QTest::addColumn<int>("flat");
    // clang-format off
    QTest::newRow("flat price, labour discount 95") << "Arvo"  << "0101000" << "12" << "84.55"  << 1;
    QTest::newRow("main-group price x value")       << "Arvo"  << "0100010" << "12" << "127.68" << 0;
    QTest::newRow("other vehicle's discount 90")    << "Bento" << "0100010" << "10" << "100.80" << 0;
    QTest::newRow("no main-group price")            << "Arvo"  << "8800010" << "12" << "?"      << 0;
    // clang-format on
}

void TestAwKat::localPrices()
{
    QFETCH(QString, vehicle);
    QFETCH(QString, number);
    QFETCH(QString, value);
    QFETCH(QString, net);
    QFETCH(int, flat);
    CPrgSettings s = Vehicle(vehicle);
    s.ReqDateiVerz = QStringLiteral(YAQ_DEMO_DATAS_DIR) + QStringLiteral("/Dealer");
    CAwKatPrices p;
    QVERIFY(CAwKatPricing::LocalPrice(s, number, value, p).isEmpty());
    QCOMPARE(CAwKatPricing::PriceText(p.Net), net);
    QCOMPARE(p.FlatPrice, flat);
    // A folder without the files names them and prices nothing.
    s.ReqDateiVerz = m_env.path();
    QCOMPARE(CAwKatPricing::LocalPrice(s, number, value, p).size(), 3);
    QCOMPARE(CAwKatPricing::PriceText(p.Net), QStringLiteral("?"));
}

void TestAwKat::priceRequest_data()
{
    // Row: V117, terminal id -> what the body holds (and does not).
    QTest::addColumn<int>("v117");
    QTest::addColumn<QString>("terminal");
    QTest::addColumn<QString>("holds");
    QTest::addColumn<QString>("lacks");
    // clang-format off
    QTest::newRow("plain")            << 0 << ""       << "<flatRate productType=\"car\"><number>1110010</number></flatRate>" << "terminalID";
    QTest::newRow("lead labour")      << 1 << ""       << "<isLeadLabour>false</isLeadLabour>" << "terminalID";
    QTest::newRow("escaped terminal") << 0 << "T&1<2"  << "<terminalID>T&amp;1&lt;2</terminalID>" << "isLeadLabour";
    // clang-format on
}

void TestAwKat::priceRequest()
{
    QFETCH(int, v117);
    QFETCH(QString, terminal);
    QFETCH(QString, holds);
    QFETCH(QString, lacks);
    CPrgSettings s = Vehicle(QStringLiteral("Arvo"));
    s.V117 = v117;
    s.ReqXMLTerminalID = terminal;
    const QString body =
        CAwKatPricing::BuildRequest(s, QStringLiteral("01.05.00"), QStringLiteral("1110010"));
    QVERIFY2(body.contains(holds), qPrintable(body));
    QVERIFY2(!body.contains(lacks), qPrintable(body));
    QVERIFY(body.contains(QStringLiteral("vinLongPrefix=\"XVQ1F23A57\" vinShort=\"M012345\"")));
}

void TestAwKat::priceAnswer_data()
{
    // Row: the children of the answer -> applied, unit net, flat, messages.
    QTest::addColumn<QString>("children");
    QTest::addColumn<int>("applied");
    QTest::addColumn<double>("unitNet");
    QTest::addColumn<int>("flat");
    QTest::addColumn<QString>("notices");
    const QString fr =
        QStringLiteral("<flatRate productType=\"%1\"><number>%2</number>%3</flatRate>");
    const QString price =
        QStringLiteral("<price "
                       "currency=\"EUR\"><netPrice>9.50</netPrice><valueAddedTax>19</"
                       "valueAddedTax><flagInclusivePrice>false</flagInclusivePrice></price>");
    const QString customer = QStringLiteral(
        "<customerPrice "
        "currency=\"EUR\"><netPrice>120</netPrice><valueAddedTax>19</"
        "valueAddedTax><flagInclusivePrice>TRUE</flagInclusivePrice></customerPrice>");
    const QString exception = QStringLiteral(
        "<exception name=\"DealerSystemDown\"><exceptionInfo>down</exceptionInfo></exception>");
    // clang-format off
    QTest::newRow("unit price")                 << kVinElement + fr.arg("car", "1110010", price)            << 1 << 9.5   << 0 << "";
    QTest::newRow("customer price wins, flat")  << kVinElement + fr.arg("car", "1110010", price + customer) << 1 << 120.0 << 1 << "";
    QTest::newRow("short VIN")                  << QString("<vin vinLongPrefix=\"\" vinShort=\"M012345\"/>") + fr.arg("car", "1110010", price) << 1 << 9.5 << 0 << "";
    QTest::newRow("exception applies nothing")  << kVinElement + fr.arg("car", "1110010", price) + exception << 0 << -1.0 << 0 << "DealerSystemDown";
    QTest::newRow("other vehicle")              << QString("<vin vinLongPrefix=\"XVQ2G45B68\" vinShort=\"4K56789\"/>") + fr.arg("car", "1110010", price) << 0 << -1.0 << 0 << "5056";
    QTest::newRow("number used as a value")     << kVinElement + fr.arg("car", "11%s%d0", price)            << 0 << -1.0  << 0 << "11%s%d0|5060";
    QTest::newRow("wrong product type")         << kVinElement + fr.arg("bike", "1110010", price)           << 0 << -1.0  << 0 << "5057|5060";
    QTest::newRow("neither rate nor exception") << kVinElement                                               << 0 << -1.0  << 0 << "XMLNotValid!(1)";
    // clang-format on
}

void TestAwKat::priceAnswer()
{
    QFETCH(QString, children);
    QFETCH(int, applied);
    QFETCH(double, unitNet);
    QFETCH(int, flat);
    QFETCH(QString, notices);
    CPrgSettings s = Vehicle(QStringLiteral("Arvo"));
    s.SchemaVersion = QStringLiteral("01.05.00");
    UpdateDmsHeader(&s);
    Notices notes;
    CDmsFrame frame(&s, &notes);
    CAwKatPrices p;
    CAwKatPricing::Reset(p, true);
    QCOMPARE(CAwKatPricing::TakeAnswer(frame, Answer(children, frame.Version()),
                                       QStringLiteral("1110010"), p),
             applied);
    QCOMPARE(p.UnitNet, unitNet);
    QCOMPARE(p.FlatPrice, flat);
    const QString told = notes.texts.join(QLatin1Char('|'));
    for (const QString &part : notices.split(QLatin1Char('|'), Qt::SkipEmptyParts)) {
        bool isId = false;
        const int id = part.toInt(&isId);
        const QString expected = isId ? OrmelText(id) : part;
        QVERIFY2(told.contains(expected), qPrintable(told));
    }
    if (notices.isEmpty())
        QVERIFY2(told.isEmpty(), qPrintable(told));
}

void TestAwKat::standInDmsPricesAPosition()
{
    DmsVehicles vehicles;
    DmsPackagePrices prices;
    QString error;
    QVERIFY2(LoadDmsVehicles(QStringLiteral(YAQ_DMS_VEHICLES), &vehicles, &error),
             qPrintable(error));
    QVERIFY2(LoadDmsPackagePrices(QStringLiteral(YAQ_DMS_PACKAGES), &prices, &error),
             qPrintable(error));
    StandInDms dms;
    dms.setVehicles(vehicles);
    dms.setPackagePrices(prices);
    QVERIFY(dms.listen(QHostAddress::LocalHost, 0));

    CPrgSettings s = Vehicle(QStringLiteral("Arvo"));
    s.SRPInterfaceReq = 4;
    s.V117 = 1;
    s.ReqXMLServer = QStringLiteral("127.0.0.1:%1/").arg(dms.port()); // without its scheme
    UpdateDmsHeader(&s);
    Notices notes;
    CSoapReqSender sender(&s);
    CDmsFrame frame(&s, &notes, &sender);
    CAwKatPrices p;
    // Off the price list: the labour rate times the labour value.
    const int applied =
        CAwKatPricing::Request(frame, QStringLiteral("1110015"), QStringLiteral("3"), p);
    QVERIFY2(notes.texts.isEmpty(), qPrintable(notes.texts.join(QLatin1Char('|'))));
    QCOMPARE(applied, 1);
    QVERIFY2(notes.texts.isEmpty(), qPrintable(notes.texts.join('|')));
    QCOMPARE(CAwKatPricing::PriceText(p.Net), QStringLiteral("28.50"));
    QCOMPARE(CAwKatPricing::PriceText(p.Gross), QStringLiteral("33.92"));
    QCOMPARE(s.bDmsExchangeDone, 1);
}

void TestAwKat::printsToPdf()
{
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty(),
             "pdfinfo (poppler-utils) is needed");
    CPrgSettings s = Vehicle(QStringLiteral("Arvo"));
    Dbs dbs = OpenDbs();
    CAwKatWalk walk(&s, dbs.catalogue.get(), dbs.values.get(), dbs.third.get());
    QVERIFY(walk.JumpTo(QStringLiteral("1110010")));
    CAwKatPrintDoc doc(&s, &walk);
    CEasyPrintDlg dlg(&doc);
    dlg.SetPdfFolder(m_env.path());
    dlg.SetDocumentOpener([](const QUrl &) { return true; });
    QVERIFY(dlg.Print(true));
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {dlg.PdfFilePath()});
    QVERIFY(info.waitForFinished(60000));
    const QString out = QString::fromUtf8(info.readAllStandardOutput());
    // Seven rows from the selection fit on one sheet.
    QVERIFY2(out.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))), qPrintable(out));
}

void TestAwKat::columnsInView_data()
{
    // Row: columns of the catalogue, width for the columns, first column
    // asked for, width after a resize; then the columns that fit, whether
    // the scroll bar shows, its maximum, the first column and the titles
    // in view. One column is 40 wide.
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("resized");
    QTest::addColumn<int>("visible");
    QTest::addColumn<bool>("scroll");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("firstShown");
    QTest::addColumn<QString>("titles");
    // clang-format off
    QTest::newRow("all fit, no scroll bar")        << 4  << 400 << 0  << 400 << 10 << false << 0 << 0 << "L0 L1 L2 L3";
    QTest::newRow("more than fit")                 << 14 << 400 << 0  << 400 << 10 << true  << 4 << 0 << "L0 L1 L2 L3 L4 L5 L6 L7 L8 L9";
    QTest::newRow("scrolled to the last")          << 14 << 419 << 4  << 419 << 10 << true  << 4 << 4 << "L4 L5 L6 L7 L8 L9 L10 L11 L12 L13";
    QTest::newRow("beyond the last: clamped")      << 14 << 400 << 9  << 400 << 10 << true  << 4 << 4 << "L4 L5 L6 L7 L8 L9 L10 L11 L12 L13";
    QTest::newRow("before the first: clamped")     << 14 << 400 << -3 << 400 << 10 << true  << 4 << 0 << "L0 L1 L2 L3 L4 L5 L6 L7 L8 L9";
    QTest::newRow("wider window pulls back")       << 14 << 400 << 4  << 520 << 13 << true  << 1 << 1 << "L1 L2 L3 L4 L5 L6 L7 L8 L9 L10 L11 L12 L13";
    QTest::newRow("narrower than a column: one")   << 3  << 30  << 2  << 30  << 1  << true  << 2 << 2 << "L2";
    QTest::newRow("no columns")                    << 0  << 400 << 1  << 400 << 10 << false << 0 << 0 << "";
    // clang-format on
}

void TestAwKat::columnsInView()
{
    QFETCH(int, count);
    QFETCH(int, width);
    QFETCH(int, first);
    QFETCH(int, resized);
    QFETCH(int, visible);
    QFETCH(bool, scroll);
    QFETCH(int, maximum);
    QFETCH(int, firstShown);
    QFETCH(QString, titles);
    std::vector<CAwKatColumnSlot> slotList;
    for (int i = 0; i < count; ++i)
        slotList.push_back({QStringLiteral("L%1").arg(i), i});
    CAwKatColumns columns;
    columns.SetSlots(slotList);
    columns.SetAvailableWidth(width, 40);
    columns.SetFirst(first);
    columns.SetAvailableWidth(resized, 40);
    QCOMPARE(columns.Visible(), visible);
    QCOMPARE(columns.NeedsScrollBar(), scroll);
    QCOMPARE(columns.Maximum(), maximum);
    QCOMPARE(columns.First(), firstShown);
    QStringList shown;
    for (int place = 0; place < columns.ShownCount(); ++place)
        shown << columns.ShownSlot(place)->TypeKey;
    QCOMPARE(shown.join(QLatin1Char(' ')), titles);
    QVERIFY(!columns.ShownSlot(-1));
    QVERIFY(!columns.ShownSlot(columns.ShownCount()));
}

void TestAwKat::catalogueColumns_data()
{
    // Row: type number; the lead types of its columns with their indexes.
    QTest::addColumn<QString>("typeNumber");
    QTest::addColumn<QString>("columns");
    // clang-format off
    QTest::newRow("Arvo, four variants")      << "VQF40DE" << "1101:0 1102:1 1103:2 0901:3";
    QTest::newRow("Fenno, more than fit")     << "VQF50DE" << "5101:0 5102:1 5103:2 5104:3 5105:4 5106:5 5107:6 5108:7 5109:8 5110:9 5111:10 5112:11 5113:12 5114:13";
    QTest::newRow("no catalogue")             << "VQX99DE" << "";
    // clang-format on
}

void TestAwKat::catalogueColumns()
{
    QFETCH(QString, typeNumber);
    QFETCH(QString, columns);
    CPrgSettings s = Vehicle(QStringLiteral("none"));
    s.Bestellnr = typeNumber;
    Dbs dbs = OpenDbs();
    QStringList read;
    for (const CAwKatColumnSlot &slot : CAwKatColumns::ReadCatalogueColumns(s, dbs.catalogue.get()))
        read << slot.TypeKey + QLatin1Char(':') + QString::number(slot.Column);
    QCOMPARE(read.join(QLatin1Char(' ')), columns);
}

YAQ_TEST_MAIN(TestAwKat)
#include "tst_awkat.moc"
