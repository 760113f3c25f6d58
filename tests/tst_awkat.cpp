// The labour-value catalogue: the walk through the levels of the demo
// catalogue (with a few rows added where a case needs them) with the
// vehicle's filters, the jump to a position number, the marks and colours
// of the rows, the buttons of a position, the prices (computed, from the
// local price files, from DMS answers and once from the stand-in DMS over
// loopback), and the print-out as PDF and in the preview.

#include "catalogues/AwKatDlg.h"
#include "catalogues/AwKatPrintDoc.h"
#include "catalogues/AwKatRowPainter.h"
#include "catalogues/model/AwKatColumns.h"
#include "catalogues/model/AwKatPricing.h"
#include "catalogues/model/AwKatRowModel.h"
#include "catalogues/model/AwKatWalk.h"
#include "common/EasyPrintDlg.h"
#include "common/OwnButton.h"
#include "common/readers/CatalogueCache.h"
#include "common/readers/CatalogueColumn.h"
#include "dms/DmsClient.h"
#include "dms/SoapReqSender.h"
#include "platform/OrmelText.h"
#include "platform/db/YaqDb.h"
#include "settings/DmsHeader.h"
#include "settings/PrgSettings.h"
#include "support/CatalogueDbTest.h"
#include "support/TestEnv.h"
#include "support/TestMain.h"
#include "support/Waits.h"
#include "yaq2-dms/StandInDms.h"

#include <QAbstractItemView>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QtTest>

#include <memory>

namespace {

// The adviser gives the request up as soon as it goes out; the DMS answers
// all the same.
struct CancellingWait : IDmsWait
{
    void Begin(std::function<void()> cancel) override { cancel(); }
    void End() override {}
};
struct AnsweringSender : IDmsSender
{
    QString answer;
    int calls = 0;
    QString Request(const QString &, const QString &, const QString &) override
    {
        ++calls;
        return answer;
    }
};

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
    } else if (name == QLatin1String("Arvo, no VIN")) {
        s = Vehicle(QStringLiteral("Arvo"));
        s.FgstnrFull.clear();
    } else if (name == QLatin1String("unvalued lead type, VIN not found")) {
        // What a VIN that is not found leaves: the catalogue and lead type
        // shown, no VIN, type key or additional code; the Arvo's lead type
        // 1103, of which the demo holds no value.
        s = Vehicle(QStringLiteral("Arvo"));
        s.FgstnrFull.clear();
        s.TypSchl.clear();
        s.ZusatzCode.clear();
        s.LeadTyp = QStringLiteral("1103");
    } else if (name == QLatin1String("Arvo of another additional code")) {
        // Values are the lead type's for its additional code only.
        s = Vehicle(QStringLiteral("Arvo"));
        s.ZusatzCode = QStringLiteral("Z");
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

// The numbers, a row marked as one piece of work with the one above "+".
QString MarkedNumbers(const std::vector<CAwKatRow *> &rows)
{
    QStringList out;
    for (const CAwKatRow *row : rows)
        out << (row->PairMark ? QStringLiteral("+") : QString()) + row->Number;
    return out.join(QLatin1Char(' '));
}

QString Quoted(const QString &text)
{
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

// Statements that put positions into a main group of the Arvo's catalogue,
// each "line number [code reference]", valued for the Arvo 1.6 and marked
// in its column; with a title the main group itself is added too.
QStringList ArvoPositions(const QString &group, const QStringList &positions,
                          const QString &title = QString())
{
    QStringList sql;
    if (!title.isEmpty())
        sql << QStringLiteral("INSERT INTO aw_main_group (catalogue_key, language, type_number,"
                              " main_group, group_text, text2, text3) VALUES ('1', '00',"
                              " 'VQF40DE', %1, %2, '', '')")
                   .arg(Quoted(group), Quoted(title));
    for (const QString &position : positions) {
        const QStringList f = position.split(QLatin1Char(' '));
        const QString line = f.value(0), number = f.value(1);
        sql << QStringLiteral("INSERT INTO aw_catalogue_position (catalogue_key, type_number,"
                              " main_group, language, line_number, position_number,"
                              " relation_code, reference, visibility, separator, bracket_marker,"
                              " variants, text1) VALUES ('1', 'VQF40DE', %1, '00', %2, %3, %4, %5,"
                              " 'J', 'N', 'N', 'NNNU', %6)")
                   .arg(Quoted(group), Quoted(line), Quoted(number), Quoted(f.value(2)),
                        Quoted(f.value(3)), Quoted(QStringLiteral("Position ") + number));
        sql << QStringLiteral("INSERT INTO labour_value (catalogue_key, main_group,"
                              " position_number, unit_code, lead_type, extra_code, work_units,"
                              " remark, flag) VALUES ('1', %1, %2, '0', '1101', 'A', '2', '', 'J')")
                   .arg(Quoted(number.left(2)), Quoted(number));
        sql << QStringLiteral("INSERT INTO catalogue_line (catalogue_key, type_number, main_group,"
                              " line_number, position_number, line_text, work_units, column_flags)"
                              " VALUES ('1', 'VQF40DE', %1, %2, %3, '', '', 'NNN-')")
                   .arg(Quoted(group), Quoted(line), Quoted(number));
    }
    return sql;
}

// The infos of positions, each "number info1 info2" ("-" for none).
QStringList Infos(const QString &group, const QStringList &infos)
{
    QStringList sql;
    for (const QString &info : infos) {
        QStringList f = info.split(QLatin1Char(' '));
        for (QString &field : f) {
            if (field == QLatin1String("-"))
                field.clear();
        }
        sql << QStringLiteral("INSERT INTO labour_info (catalogue_key, main_group,"
                              " position_number, info_number, info_text, info_number2) VALUES"
                              " ('1', %1, %2, %3, '', %4)")
                   .arg(Quoted(group), Quoted(f.value(0)), Quoted(f.value(1)), Quoted(f.value(2)));
    }
    return sql;
}

// The rows a case adds to the demo catalogue, by name.
QStringList Fixture(const QString &name)
{
    if (name.isEmpty())
        return {};
    if (name == QLatin1String("249 before 250"))
        return ArvoPositions(
            QStringLiteral("00"),
            {"0010 0000249", "0020 0000248 Z 0000249", "0030 0000250", "0040 0000251 V 0000250"},
            QStringLiteral("Allgemein"));
    if (name == QLatin1String("250 before 249"))
        return ArvoPositions(QStringLiteral("00"),
                             {"0010 0000250", "0020 0000251 V 0000250", "0030 0000249",
                              "0040 0000248 Z 0000249", "0050 0000260"},
                             QStringLiteral("Allgemein"));
    // The brake fluid follows the front pads in the brakes' group, and
    // stands on its own among the engine work.
    if (name == QLatin1String("brake fluid in two groups"))
        return ArvoPositions(QStringLiteral("34"), {"0025 3410030 Z 3410010"}) +
               ArvoPositions(QStringLiteral("11"), {"0340 3410030"});
    // A third-level row that is a valued position itself, with no
    // position in its own lines.
    if (name == QLatin1String("third level valued itself"))
        return {QStringLiteral(
            "INSERT INTO aw_catalogue_group (catalogue_key, type_number, main_group, language,"
            " level, line_from, line_to, group_code, marker, group_text) VALUES ('1', 'VQF40DE',"
            " '11', '00', '3', '0160', '0199', '1110030', 'N', 'Oelservice Premium')")};
    // A valued position of main group 00 outside its only subgroup.
    if (name == QLatin1String("subgroup without value"))
        return ArvoPositions(QStringLiteral("00"), {"0010 0000300"}, QStringLiteral("Allgemein")) +
               QStringList{QStringLiteral(
                   "INSERT INTO aw_catalogue_group (catalogue_key, type_number, main_group,"
                   " language, level, line_from, line_to, group_code, marker, group_text) VALUES"
                   " ('1', 'VQF40DE', '00', '00', '2', '0100', '0199', '10', 'N', 'Leer')")};
    const QStringList two = {"0010 0000300", "0020 0000310"};
    // Valued for the lead type, but the catalogue line is not marked in the
    // column of the Arvo 1.6.
    if (name == QLatin1String("line not marked for the vehicle"))
        return ArvoPositions(QStringLiteral("00"), two, QStringLiteral("Allgemein")) +
               QStringList{QStringLiteral("UPDATE catalogue_line SET column_flags = '-NN-'"
                                          " WHERE position_number = '0000310'")};
    // The leading position is not valued in the vehicle's column; the one
    // that follows it is.
    if (name == QLatin1String("leading position not for the vehicle"))
        return ArvoPositions(QStringLiteral("00"),
                             {"0010 0000300", "0020 0000310 Z 0000300", "0030 0000320"},
                             QStringLiteral("Allgemein")) +
               QStringList{QStringLiteral("UPDATE catalogue_line SET column_flags = '-NN-'"
                                          " WHERE position_number = '0000300'")};
    if (name == QLatin1String("naming each other"))
        return ArvoPositions(QStringLiteral("00"), two, QStringLiteral("Allgemein")) +
               Infos(QStringLiteral("00"), {"0000300 0000310 -", "0000310 - 0000300"});
    if (name == QLatin1String("named by the one above only"))
        return ArvoPositions(QStringLiteral("00"), two, QStringLiteral("Allgemein")) +
               Infos(QStringLiteral("00"), {"0000300 0000310 -"});
    if (name == QLatin1String("naming the one above only"))
        return ArvoPositions(QStringLiteral("00"), two, QStringLiteral("Allgemein")) +
               Infos(QStringLiteral("00"), {"0000310 - 0000300"});
    if (name == QLatin1String("group 99 naming another"))
        return ArvoPositions(QStringLiteral("99"), {"0010 9900300"}, QStringLiteral("Sonstiges")) +
               Infos(QStringLiteral("99"), {"9900300 - 9900100"});
    if (name == QLatin1String("group 00 naming another"))
        return ArvoPositions(QStringLiteral("00"), {"0010 0000300"}, QStringLiteral("Allgemein")) +
               Infos(QStringLiteral("00"), {"0000300 - 0000100"});
    qFatal("unknown fixture %s", qPrintable(name));
    return {};
}

// The walk as the page sets it up: the vehicle's catalogue column known.
std::unique_ptr<CAwKatWalk> MakeWalk(CPrgSettings &s, CYaqDb *catalogue, CYaqDb *values,
                                     CYaqDb *third)
{
    auto walk = std::make_unique<CAwKatWalk>(&s, catalogue, values, third);
    walk->SetVehicleColumn(GetAwKatSpalte(&s, catalogue, s.ModellBez, {}).value);
    return walk;
}

// Opens the rows of the shown level by their numbers, one after the other.
bool OpenByNumbers(CAwKatWalk &walk, const QStringList &numbers)
{
    for (const QString &number : numbers) {
        CAwKatRow *row = nullptr;
        for (CAwKatRow *r : walk.Shown()) {
            if (r->Number == number)
                row = r;
        }
        if (!row) {
            qWarning("no row %s", qPrintable(number));
            return false;
        }
        walk.Select(row);
        walk.Open(row);
    }
    return true;
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
    void lostServerIsNoEmptyCatalogue_data();
    void lostServerIsNoEmptyCatalogue();
    void pairMarks_data();
    void pairMarks();
    void rowColours_data();
    void rowColours();
    void positionButtons_data();
    void positionButtons();
    void partsClearingNotice_data();
    void partsClearingNotice();
    void backLeadsToTheLevelAbove();
    void pathHoldsTheWayDown_data();
    void pathHoldsTheWayDown();
    void packageButtonHandsThePositionOver_data();
    void packageButtonHandsThePositionOver();
    void alternativeCatalogue_data();
    void alternativeCatalogue();
    void shownPositionsCarryTheirValues_data();
    void shownPositionsCarryTheirValues();
    void rowModelHandsOutItsRows();
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
    void cancelledPriceKeepsThePrices();
    void standInDmsPricesAPosition_data();
    void standInDmsPricesAPosition();
    void printsToPdf();
    void previewShowsThePrintOut();
    void shortVinCount_data();
    void shortVinCount();
    void columnsInView_data();
    void columnsInView();
    void catalogueColumns_data();
    void catalogueColumns();

private:
    struct Dbs
    {
        std::unique_ptr<CYaqDb> catalogue, values, third;
    };
    // The three connections to the demo catalogue, or to a copy of it with
    // the rows of the fixture added. The cached readers start empty.
    Dbs OpenDbs(const QString &fixture = QString());
    TestEnv m_env;
    int m_nFixtures = 0;
};

void TestAwKat::initTestCase()
{
    InitOrmelText(QStringLiteral(YAQ_DEMO_DATAS_DIR) + QStringLiteral("/Zirava/PrgTxt"));
    SetPrgSprache(QStringLiteral("00"));
}

TestAwKat::Dbs TestAwKat::OpenDbs(const QString &fixture)
{
    CatalogueCache().Clear();
    QString folder = QStringLiteral(YAQ_DEMO_DATAS_DIR);
    const QStringList statements = Fixture(fixture);
    if (!statements.isEmpty()) {
        folder = m_env.path() + QStringLiteral("/fixture%1").arg(++m_nFixtures);
        const QString file = folder + QStringLiteral("/YAQ2.dat");
        if (!QDir().mkpath(folder) ||
            !QFile::copy(QStringLiteral(YAQ_DEMO_DATAS_DIR "/YAQ2.dat"), file))
            qFatal("the demo catalogue cannot be copied");
        const QString name = QStringLiteral("fixture%1").arg(m_nFixtures);
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(file);
            if (!db.open())
                qFatal("the copy of the demo catalogue does not open");
            QSqlQuery q(db);
            for (const QString &sql : statements) {
                if (!q.exec(sql))
                    qFatal("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
            }
            q.finish();
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
    }
    Dbs dbs;
    for (auto *db : {&dbs.catalogue, &dbs.values, &dbs.third}) {
        *db = std::make_unique<CYaqDb>();
        if (!(*db)->Open(QString(), QString(), QString(), 0, folder, QString(), QString()))
            qFatal("the demo catalogue does not open");
    }
    return dbs;
}

void TestAwKat::walkShowsWhatTheVehicleHas_data()
{
    // Row: vehicle, the rows added to the demo catalogue, the numbers opened
    // one after the other from the main groups, the level then shown, its
    // rows, the messages.
    QTest::addColumn<QString>("vehicle");
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<QStringList>("opened");
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("notices");
    // clang-format off
    QTest::newRow("main groups")                  << "Arvo"  << "" << QStringList{}                   << 1 << "11 34 64" << "";
    QTest::newRow("subgroups")                    << "Arvo"  << "" << QStringList{"11"}               << 2 << "10 20" << "";
    QTest::newRow("third level")                  << "Arvo"  << "" << QStringList{"11", "10"}         << 3 << "1110 1120" << "";
    QTest::newRow("hidden position left out")     << "Arvo"  << "" << QStringList{"11", "10", "1110"} << 4 << "1110010 1110015 1110016 1110017 1110020 1110021" << "";
    QTest::newRow("subgroup onto its positions")  << "Arvo"  << "" << QStringList{"11", "20"}         << 4 << "1110040 1110050 1110060" << "";
    QTest::newRow("position without value")       << "Arvo"  << "" << QStringList{"34"}               << 4 << "3410010 3410011" << "";
    QTest::newRow("subgroup without value")       << "Arvo"  << "" << QStringList{"64"}               << 2 << "11 12" << "";
    QTest::newRow("other vehicle's subgroups")    << "Bento" << "" << QStringList{"34"}               << 2 << "10 20" << "";
    QTest::newRow("main group onto positions")    << "Bento" << "" << QStringList{"11"}               << 4 << "1110010" << "";
    QTest::newRow("main group without value left out") << "Bento" << "" << QStringList{}          << 1 << "11 34" << "";
    QTest::newRow("no group valued: none shown, nothing said") << "unvalued lead type, VIN not found" << "" << QStringList{} << 0 << "" << "";
    QTest::newRow("values of another additional code: none shown") << "Arvo of another additional code" << "" << QStringList{} << 0 << "" << "";
    QTest::newRow("valued only outside its subgroups: 4020 once, back") << "Arvo" << "subgroup without value" << QStringList{"00"} << 1 << "00 11 34 64" << "4020";
    QTest::newRow("catalogue without vehicle")    << "none"  << "" << QStringList{"64"}               << 2 << "11 12 13" << "";
    QTest::newRow("third level valued itself")    << "Arvo"  << "third level valued itself" << QStringList{"11", "10"} << 3 << "1110 1110030 1120" << "";
    QTest::newRow("line not marked in the vehicle's column") << "Arvo" << "line not marked for the vehicle" << QStringList{"00"} << 4 << "0000300" << "";
    QTest::newRow("a following position goes with its leading one") << "Arvo" << "leading position not for the vehicle" << QStringList{"00"} << 4 << "0000320" << "";
    QTest::newRow("250 drops the 249 before it, with its following row") << "Arvo" << "249 before 250" << QStringList{"00"} << 4 << "0000250 0000251" << "";
    QTest::newRow("250 drops the 249 after it, with its following row")  << "Arvo" << "250 before 249" << QStringList{"00"} << 4 << "0000250 0000251 0000260" << "";
    QTest::newRow("without a VIN both 249 and 250")                      << "Arvo, no VIN" << "249 before 250" << QStringList{"00"} << 4 << "0000249 0000248 0000250 0000251" << "";
    QTest::newRow("alternative main groups")      << "Alto"  << "" << QStringList{}                   << 1 << "11 34 64" << "";
    QTest::newRow("alternative groups")           << "Alto"  << "" << QStringList{"11"}               << 3 << "1110 1120" << "";
    QTest::newRow("alternative: the main group's positions, one without value") << "Alto"  << "" << QStringList{"11", "1120"}       << 4 << "1110500 1110510 1110010 1110020 1120500 1120010" << "";
    QTest::newRow("alternative without groups")   << "Alto"  << "" << QStringList{"64"}               << 4 << "6400010 6400020" << "";
    // clang-format on
}

void TestAwKat::walkShowsWhatTheVehicleHas()
{
    QFETCH(QString, vehicle);
    QFETCH(QString, fixture);
    QFETCH(QStringList, opened);
    QFETCH(int, level);
    QFETCH(QString, shown);
    QFETCH(QString, notices);
    // The shared server's cache and the local catalogue file show alike.
    for (const int local : {0, 1}) {
        CPrgSettings s = Vehicle(vehicle);
        s.bLocalDataSet = local;
        Dbs dbs = OpenDbs(fixture);
        auto walk = MakeWalk(s, dbs.catalogue.get(), dbs.values.get(), dbs.third.get());
        QStringList told;
        walk->SetNotice([&told](int id) { told << QString::number(id); });
        QVERIFY(walk->ReadMainGroups());
        QVERIFY(OpenByNumbers(*walk, opened));
        QCOMPARE(walk->ShownLevel(), level);
        QCOMPARE(Numbers(walk->Shown()), shown);
        QCOMPARE(told.join(QLatin1Char(' ')), notices);
        QCOMPARE(walk->SelectedIndex() >= 0, !shown.isEmpty());
        QCOMPARE(walk->Path().empty(), level <= 1 || opened.isEmpty());
    }
}

// A level whose read failed is told as the lost server, not shown as one
// without rows ("nothing below", 4020): main groups show none, an opened
// group's level stays shown with the group selected. Once the server is
// back, the same move shows the rows.
void TestAwKat::lostServerIsNoEmptyCatalogue_data()
{
    // Row: the groups opened while the server answers, the one opened
    // after it went away ("" reads the main groups then, "=" jumps to a
    // position from the start) -> the level shown once it is back.
    QTest::addColumn<QStringList>("opened");
    QTest::addColumn<QString>("lost");
    QTest::addColumn<int>("levelAfter");
    QTest::newRow("main groups") << QStringList{} << "" << 1;
    QTest::newRow("a main group") << QStringList{} << "11" << 2;
    QTest::newRow("a subgroup") << QStringList{"11"} << "10" << 3;
    QTest::newRow("a third-level group") << QStringList{"11", "10"} << "1110" << 4;
    QTest::newRow("a main group onto its positions") << QStringList{} << "34" << 4;
    QTest::newRow("a jump, told once") << QStringList{} << "=1110010" << 4;
}

void TestAwKat::lostServerIsNoEmptyCatalogue()
{
    QFETCH(QStringList, opened);
    QFETCH(QString, lost);
    QFETCH(int, levelAfter);
    if (!CatalogueDbTest::ServerGiven())
        QSKIP("no PostgreSQL server given (YAQ_TEST_PG_*)");
    CatalogueCache().Clear();
    CProxiedServer proxy;
    QVERIFY(proxy.Port());
    std::unique_ptr<CYaqDb> dbs[3];
    for (auto &db : dbs) {
        db = proxy.Open();
        QVERIFY(db);
    }
    CPrgSettings s = Vehicle(QStringLiteral("Arvo"));
    auto walk = MakeWalk(s, dbs[0].get(), dbs[1].get(), dbs[2].get());
    QStringList told;
    walk->SetNotice([&told](int id) { told << QString::number(id); });
    const bool jump = lost.startsWith(QLatin1Char('='));
    if (!lost.isEmpty() && !jump) {
        QCOMPARE(walk->ReadMainGroups(), 1);
        QVERIFY(OpenByNumbers(*walk, opened));
    }
    const int level = walk->ShownLevel();
    const QString shown = Numbers(walk->Shown());

    const auto move = [&] {
        if (lost.isEmpty())
            walk->ReadMainGroups();
        else if (jump)
            QVERIFY(walk->JumpTo(lost.mid(1)));
        else
            QVERIFY(OpenByNumbers(*walk, {lost}));
    };
    proxy.Cut();
    move();
    QCOMPARE(told, QStringList{QStringLiteral("7024")});
    QCOMPARE(walk->ReadFailed(), lost.isEmpty() || jump);
    QCOMPARE(walk->ShownLevel(), level);
    QCOMPARE(Numbers(walk->Shown()), shown);
    if (!lost.isEmpty() && !jump) {
        QVERIFY(walk->SelectedIndex() >= 0);
        QCOMPARE(walk->Shown()[walk->SelectedIndex()]->Number, lost);
        QCOMPARE(int(walk->Path().size()), int(opened.size()));
    }

    proxy.Resume();
    move();
    QCOMPARE(walk->ShownLevel(), levelAfter);
    QVERIFY(!walk->Shown().empty());
    QVERIFY(!walk->ReadFailed());
    QCOMPARE(told.size(), 1);
}

void TestAwKat::pairMarks_data()
{
    // Row: the rows added to the demo catalogue, the numbers opened -> the
    // positions, "+" before one marked as one piece of work with the row
    // above.
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<QStringList>("opened");
    QTest::addColumn<QString>("shown");
    // clang-format off
    QTest::newRow("the demo's windscreen and mirror glass") << ""                           << QStringList{"64", "12"} << "6412010 +6412020";
    QTest::newRow("two naming each other")                  << "naming each other"          << QStringList{"00"}       << "0000300 +0000310";
    QTest::newRow("named by the one above only")            << "named by the one above only" << QStringList{"00"}      << "0000300 0000310";
    QTest::newRow("naming the one above only")              << "naming the one above only"  << QStringList{"00"}       << "0000300 0000310";
    QTest::newRow("main group 99: naming any one")          << "group 99 naming another"    << QStringList{"99"}       << "+9900300";
    QTest::newRow("other main group: naming one not above") << "group 00 naming another"    << QStringList{"00"}       << "0000300";
    // clang-format on
}

void TestAwKat::pairMarks()
{
    QFETCH(QString, fixture);
    QFETCH(QStringList, opened);
    QFETCH(QString, shown);
    CPrgSettings s = Vehicle(QStringLiteral("Arvo"));
    Dbs dbs = OpenDbs(fixture);
    auto walk = MakeWalk(s, dbs.catalogue.get(), dbs.values.get(), dbs.third.get());
    QVERIFY(walk->ReadMainGroups());
    QVERIFY(OpenByNumbers(*walk, opened));
    QCOMPARE(MarkedNumbers(walk->Shown()), shown);
}

void TestAwKat::rowColours_data()
{
    // Row: row type, in the level list (else the path), selected, the list
    // has the focus, lead type, model designation, alternative catalogue,
    // Citrix colour -> ground and text colour.
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("levelList");
    QTest::addColumn<bool>("selected");
    QTest::addColumn<bool>("focused");
    QTest::addColumn<QString>("leadType");
    QTest::addColumn<QString>("model");
    QTest::addColumn<int>("alternative");
    QTest::addColumn<int>("citrix");
    QTest::addColumn<QString>("ground");
    QTest::addColumn<QString>("text");
    const QString none = kNoModelDesignation;
    // clang-format off
    QTest::newRow("main group")                             << 1 << true  << false << false << "1101" << "Arvo 1.6" << 0 << 0 << "#ffffff" << "#000000";
    QTest::newRow("subgroup")                               << 2 << true  << false << false << "1101" << "Arvo 1.6" << 0 << 0 << "#c0c0c0" << "#000000";
    QTest::newRow("third level")                            << 3 << true  << false << false << "1101" << "Arvo 1.6" << 0 << 0 << "#c0dcc0" << "#000000";
    QTest::newRow("position: the page's background")        << 4 << true  << false << false << "1101" << "Arvo 1.6" << 0 << 0 << "#a6caf0" << "#000000";
    QTest::newRow("position: white with the Citrix colour") << 4 << true  << false << false << "1101" << "Arvo 1.6" << 0 << 1 << "#ffffff" << "#000000";
    QTest::newRow("selected while the list has the focus")  << 4 << true  << true  << true  << "1101" << "Arvo 1.6" << 0 << 0 << "#123456" << "#ffff00";
    QTest::newRow("selected without the focus")             << 2 << true  << true  << false << "1101" << "Arvo 1.6" << 0 << 0 << "#123456" << "#ffffff";
    QTest::newRow("selected in the path: not highlighted")  << 2 << false << true  << true  << "1101" << "Arvo 1.6" << 0 << 0 << "#c0c0c0" << "#000000";
    QTest::newRow("subgroup of a model without lead type")  << 2 << true  << false << false << ""     << "Arvo 1.6" << 0 << 0 << "#c0c0c0" << "#808080";
    QTest::newRow("the same in the path")                   << 2 << false << false << false << ""     << "Arvo 1.6" << 0 << 0 << "#c0c0c0" << "#000000";
    QTest::newRow("subgroup without model")                 << 3 << true  << false << false << ""     << none       << 0 << 0 << "#c0dcc0" << "#000000";
    QTest::newRow("position of a model without lead type")  << 4 << true  << false << false << ""     << "Arvo 1.6" << 0 << 0 << "#a6caf0" << "#808080";
    QTest::newRow("position without model: catalogue view") << 4 << true << false << false << ""     << none       << 0 << 0 << "#a6caf0" << "#000000";
    QTest::newRow("position without model, alternative")    << 4 << true  << false << false << ""     << none       << 1 << 0 << "#a6caf0" << "#808080";
    QTest::newRow("grey over the selection")                << 4 << true  << true  << true  << ""     << "Arvo 1.6" << 0 << 0 << "#123456" << "#808080";
    // clang-format on
}

void TestAwKat::rowColours()
{
    QFETCH(int, type);
    QFETCH(bool, levelList);
    QFETCH(bool, selected);
    QFETCH(bool, focused);
    QFETCH(QString, leadType);
    QFETCH(QString, model);
    QFETCH(int, alternative);
    QFETCH(int, citrix);
    QFETCH(QString, ground);
    QFETCH(QString, text);
    CPrgSettings s;
    s.LeadTyp = leadType;
    s.ModellBez = model;
    s.bAltKatalog = alternative;
    s.CitrixColor = citrix;
    const CAwKatRowColours colours = CAwKatRowPainter::RowColours(
        &s, type, levelList, selected, focused, QColor(QStringLiteral("#123456")));
    QCOMPARE(colours.Ground.name(), ground);
    QCOMPARE(colours.Text.name(), text);
}

void TestAwKat::positionButtons_data()
{
    // Row: vehicle, its first registration, request mode, training edition,
    // catalogue view, the position jumped to -> the price button there,
    // the package and the maintenance button enabled.
    QTest::addColumn<QString>("vehicle");
    QTest::addColumn<QString>("registered");
    QTest::addColumn<int>("requests");
    QTest::addColumn<int>("training");
    QTest::addColumn<int>("catalogueView");
    QTest::addColumn<QString>("number");
    QTest::addColumn<bool>("price");
    QTest::addColumn<bool>("packages");
    QTest::addColumn<bool>("maintenance");
    // clang-format off
    QTest::newRow("DMS prices; packages; a maintenance topic") << "Arvo"  << ""           << 4 << 0 << 0 << "1110010" << true  << true  << true;
    QTest::newRow("position without packages")                 << "Arvo"  << ""           << 4 << 0 << 0 << "1110020" << true  << false << true;
    QTest::newRow("price files outside the training edition")  << "Arvo"  << ""           << 3 << 0 << 0 << "1110010" << false << true  << true;
    QTest::newRow("price files in the training edition")       << "Arvo"  << ""           << 3 << 1 << 0 << "1110010" << true  << true  << true;
    QTest::newRow("no price requests")                         << "Arvo"  << ""           << 0 << 0 << 0 << "1110010" << false << true  << true;
    QTest::newRow("catalogue view")                            << "Arvo"  << ""           << 4 << 0 << 1 << "1110010" << false << true  << true;
    QTest::newRow("registered before its maintenance topics")  << "Bento" << "01.01.2005" << 4 << 0 << 0 << "1110010" << true  << true  << false;
    QTest::newRow("registered while its topics apply")         << "Bento" << "01.01.2015" << 4 << 0 << 0 << "1110010" << true  << true  << true;
    // clang-format on
}

void TestAwKat::positionButtons()
{
    QFETCH(QString, vehicle);
    QFETCH(QString, registered);
    QFETCH(int, requests);
    QFETCH(int, training);
    QFETCH(int, catalogueView);
    QFETCH(QString, number);
    QFETCH(bool, price);
    QFETCH(bool, packages);
    QFETCH(bool, maintenance);
    CPrgSettings s = Vehicle(vehicle);
    s.Erstzulassung = registered;
    s.SRPInterfaceReq = requests;
    s.bSchulung = training;
    s.bKatalogansicht = catalogueView;
    s.AktApNr = number;
    Dbs dbs = OpenDbs();
    CAwKatDlg page;
    page.Create(&s, 150, 3200, {dbs.catalogue.get(), dbs.values.get(), dbs.third.get()}, nullptr,
                nullptr);
    page.ActivatePage(1);
    QCOMPARE(page.Walk()->Current(AW_POSITION)->Number, number);
    QCOMPARE(!page.PriceButton()->isHidden(), price);
    QCOMPARE(page.SrpButton()->isEnabled(), packages);
    auto *maintenanceButton = page.findChild<COwnButton *>(QStringLiteral("maintenanceButton"));
    QVERIFY(maintenanceButton);
    QCOMPARE(maintenanceButton->isEnabled(), maintenance);
}

void TestAwKat::partsClearingNotice_data()
{
    // Row: the position jumped to, the key then pressed on the list -> the
    // notice the adviser reads under the list: text 6082 in yellow on the
    // highlight while the selected position is under parts clearing.
    QTest::addColumn<QString>("number");
    QTest::addColumn<int>("key"); // 0: none
    QTest::addColumn<bool>("notice");
    // clang-format off
    QTest::newRow("position under parts clearing")             << "1110020" << 0                 << true;
    QTest::newRow("position without parts clearing")           << "1110010" << 0                 << false;
    QTest::newRow("moving to a position without it clears it") << "1110020" << int(Qt::Key_Up)   << false;
    QTest::newRow("moving onto a position with it shows it")   << "1110017" << int(Qt::Key_Down) << true;
    // clang-format on
}

void TestAwKat::partsClearingNotice()
{
    QFETCH(QString, number);
    QFETCH(int, key);
    QFETCH(bool, notice);
    CPrgSettings s = Vehicle(QStringLiteral("Arvo"));
    s.CountryCode = QStringLiteral("DE");
    s.AktApNr = number;
    Dbs dbs = OpenDbs();
    CAwKatDlg page;
    page.Create(&s, 150, 3200, {dbs.catalogue.get(), dbs.values.get(), dbs.third.get()}, nullptr,
                nullptr);
    page.resize(1000, 700);
    page.ActivatePage(1);
    QVERIFY(page.Walk()->Current(AW_POSITION));
    QCOMPARE(page.Walk()->Current(AW_POSITION)->Number, number);
    if (key) {
        auto *list = page.findChild<QAbstractItemView *>(QStringLiteral("mainList"));
        QVERIFY(list);
        QTest::keyClick(list, Qt::Key(key));
        QVERIFY(page.Walk()->Current(AW_POSITION));
        QVERIFY(page.Walk()->Current(AW_POSITION)->Number != number);
    }
    auto *label = page.findChild<QLabel *>(QStringLiteral("clearingNotice"));
    QVERIFY(label);
    QCOMPARE(label->text(), notice ? OrmelText(6082) : QString());
    // Where the notice stands: yellow writing on the highlight (an empty
    // notice may take no room at all).
    const QImage shot = label->grab().toImage();
    QCOMPARE(!shot.isNull() &&
                 QColor(shot.pixel(1, 1)) == label->palette().color(QPalette::Highlight),
             notice);
    bool yellow = false;
    for (int y = 0; y < shot.height() && !yellow; ++y)
        for (int x = 0; x < shot.width() && !yellow; ++x)
            yellow = QColor(shot.pixel(x, y)) == QColor(255, 255, 0);
    QCOMPARE(yellow, notice);
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
    QCOMPARE(joint->Heading(), OrmelText(7000));
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

void TestAwKat::pathHoldsTheWayDown_data()
{
    // Row: the numbers opened one after the other from the main groups
    // ("<<" goes a level up) -> the path shown.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("path");
    // clang-format off
    QTest::newRow("down to the positions")            << QStringList{"11", "10", "1110"}             << "11 10 1110";
    QTest::newRow("\"<<\" keeps the path")            << QStringList{"11", "10", "<<", "<<"}         << "11 10";
    QTest::newRow("another main group after \"<<\"")  << QStringList{"11", "10", "<<", "<<", "34"}   << "34";
    QTest::newRow("another subgroup after \"<<\"")    << QStringList{"11", "10", "1110", "<<", "<<", "20"} << "11 20";
    QTest::newRow("another third level after \"<<\"") << QStringList{"11", "10", "1110", "<<", "1120"} << "11 10 1120";
    // clang-format on
}

void TestAwKat::pathHoldsTheWayDown()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, path);
    CPrgSettings s = Vehicle(QStringLiteral("Arvo"));
    Dbs dbs = OpenDbs();
    auto walk = MakeWalk(s, dbs.catalogue.get(), dbs.values.get(), dbs.third.get());
    QVERIFY(walk->ReadMainGroups());
    for (const QString &step : steps) {
        if (step == QLatin1String("<<"))
            walk->Back();
        else
            QVERIFY(OpenByNumbers(*walk, {step}));
    }
    QCOMPARE(Numbers(walk->Path()), path);
}

void TestAwKat::packageButtonHandsThePositionOver_data()
{
    // Row: the rows added to the demo catalogue, the position jumped to
    // (selected), then the settings' position number, catalogue line and
    // main group ("-": as the jump left them) -> the position number and
    // line the package list gets.
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<QString>("jump");
    QTest::addColumn<QString>("apNr");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("handedNr");
    QTest::addColumn<QString>("handedLine");
    const QString brake = QStringLiteral("brake fluid in two groups");
    // clang-format off
    QTest::newRow("the position jumped to")                 << "" << "1110010" << "-" << "-" << "-" << "1110010" << "0110";
    QTest::newRow("no line in the settings: the selection") << "" << "1110015" << "-" << ""  << "-" << "1110015" << "0120";
    QTest::newRow("through another main group: its own line") << brake << "" << "3410030" << "0340" << "11" << "3410030" << "0025";
    QTest::newRow("its own main group: the line as it is")  << brake << "" << "3410030" << "0340" << "34" << "3410030" << "0340";
    // clang-format on
}

void TestAwKat::packageButtonHandsThePositionOver()
{
    QFETCH(QString, fixture);
    QFETCH(QString, jump);
    QFETCH(QString, apNr);
    QFETCH(QString, line);
    QFETCH(QString, group);
    CPrgSettings s = Vehicle(QStringLiteral("Arvo"));
    Dbs dbs = OpenDbs(fixture);
    auto walk = MakeWalk(s, dbs.catalogue.get(), dbs.values.get(), dbs.third.get());
    QVERIFY(jump.isEmpty() || walk->JumpTo(jump));
    const auto set = [](QString &field, const QString &value) {
        if (value != QLatin1String("-"))
            field = value;
    };
    set(s.AktApNr, apNr);
    set(s.KatZeile, line);
    set(s.HGText, group);
    walk->HandToPackages(walk->Current(AW_POSITION));
    QTEST(s.SRPWlApNr, "handedNr");
    QTEST(s.SRPWlKatZeile, "handedLine");
}

void TestAwKat::alternativeCatalogue_data()
{
    // Row: the number jumped to, then "<<" pressed so often: the level
    // shown, its current row, the positions under a full-width rule, the
    // texts the current position carries (read before it is shown).
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
    QCOMPARE(row->Text() + QLatin1Char('|') + row->BracketText(), texts);
}

void TestAwKat::shownPositionsCarryTheirValues_data()
{
    // Row: vehicle, values per catalogue column, the number jumped to ->
    // the value lines its row carries ("unit:value" or "unit:values").
    QTest::addColumn<QString>("vehicle");
    QTest::addColumn<int>("byColumn");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("lines");
    // clang-format off
    QTest::newRow("the vehicle's values")        << "Arvo" << 0 << "1110010" << ":12 U:3";
    QTest::newRow("values per catalogue column") << "none" << 1 << "1110010" << ":12,12,14,- U:3,3,3,-";
    QTest::newRow("no vehicle, no column view")  << "none" << 0 << "1110010" << "";
    // clang-format on
}

void TestAwKat::shownPositionsCarryTheirValues()
{
    QFETCH(QString, vehicle);
    QFETCH(int, byColumn);
    QFETCH(QString, number);
    QFETCH(QString, lines);
    for (const int local : {0, 1}) {
        CPrgSettings s = Vehicle(vehicle);
        s.bLocalDataSet = local;
        Dbs dbs = OpenDbs();
        CAwKatWalk walk(&s, dbs.catalogue.get(), dbs.values.get(), dbs.third.get());
        walk.SetColumnValuesShown(byColumn);
        QVERIFY(walk.JumpTo(number));
        const CAwKatRow *row = walk.Shown().at(size_t(walk.SelectedIndex()));
        // Drawing reads nothing: the row has what the painter shows.
        QStringList carried;
        if (byColumn) {
            for (const CAwKatColumnLine &line : row->ColumnLines())
                carried << line.Unit + QLatin1Char(':') + line.Values.join(QLatin1Char(','));
        } else {
            for (const CAwKatValueLine &line : row->ValueLines)
                carried << line.Unit + QLatin1Char(':') + line.Value;
        }
        QCOMPARE(carried.join(QLatin1Char(' ')), lines);
    }
}

void TestAwKat::rowModelHandsOutItsRows()
{
    CAwKatRow group, position;
    group.Type = AW_MAIN_GROUP;
    position.Type = AW_POSITION;
    CAwKatRowModel model, other;
    model.SetRows({&group, &position});
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(CAwKatRowModel::RowOf(model.index(1, 0)), &position);
    QCOMPARE(model.index(0, 0).data(CAwKatRowModel::RowRole).value<const CAwKatRow *>(),
             static_cast<const CAwKatRow *>(&group));
    QVERIFY(!CAwKatRowModel::RowOf(model.index(2, 0)));
    QVERIFY(!CAwKatRowModel::RowOf(other.index(0, 0)));
    // The list shows no text of its own: the delegate draws the row.
    QVERIFY(!model.index(0, 0).data(Qt::DisplayRole).isValid());
    model.SetRows({});
    QCOMPARE(model.rowCount(), 0);
}

void TestAwKat::jumpReachesThePosition_data()
{
    // Row: vehicle, the rows added to the demo catalogue, number, the
    // catalogue line and main group the settings know for it -> reached,
    // the path then, the position reached (empty: the number).
    QTest::addColumn<QString>("vehicle");
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("group");
    QTest::addColumn<bool>("reached");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("at");
    // clang-format off
    QTest::newRow("through three levels")      << "Arvo"  << "" << "1110021" << ""     << ""   << true  << "11 10 1120" << "";
    QTest::newRow("subgroup without third")    << "Arvo"  << "" << "1110050" << ""     << ""   << true  << "11 20" << "";
    QTest::newRow("group without levels")      << "Arvo"  << "" << "3410011" << ""     << ""   << true  << "34" << "";
    QTest::newRow("other vehicle")             << "Bento" << "" << "3410020" << ""     << ""   << true  << "34 20" << "";
    QTest::newRow("no value for the vehicle")  << "Arvo"  << "" << "3410020" << ""     << ""   << false << "" << "";
    QTest::newRow("six characters")            << "Arvo"  << "" << "111002"  << ""     << ""   << false << "" << "";
    QTest::newRow("a letter")                  << "Arvo"  << "" << "11100A1" << ""     << ""   << false << "" << "";
    QTest::newRow("not in the catalogue")      << "Arvo"  << "" << "5555555" << ""     << ""   << false << "" << "";
    QTest::newRow("a leading line elsewhere before a following line of its own group") << "Arvo" << "brake fluid in two groups" << "3410030" << "" << "" << true << "11 20" << "";
    QTest::newRow("the known line, a following one")     << "Arvo" << "brake fluid in two groups" << "3410030" << "0025" << "34" << true << "34" << "";
    QTest::newRow("six characters, the line known")      << "Arvo" << "" << "111002"  << "0220" << "11" << true << "11 10 1120" << "1110021";
    QTest::newRow("the line known without main group")   << "Arvo" << "" << "1110050" << "0320" << ""   << true << "11 20" << "";
    QTest::newRow("alternative: group, number") << "Alto"  << "" << "3420010" << ""     << ""   << true  << "34 3420" << "";
    QTest::newRow("alternative: no groups")    << "Alto"  << "" << "6400020" << ""     << ""   << true  << "64" << "";
    QTest::newRow("alternative: no value")     << "Alto"  << "" << "1120020" << ""     << ""   << false << "" << "";
    QTest::newRow("alternative: a letter")     << "Alto"  << "" << "11205A0" << ""     << ""   << false << "" << "";
    // clang-format on
}

void TestAwKat::jumpReachesThePosition()
{
    QFETCH(QString, vehicle);
    QFETCH(QString, fixture);
    QFETCH(QString, number);
    QFETCH(QString, line);
    QFETCH(QString, group);
    QFETCH(bool, reached);
    QFETCH(QString, path);
    QFETCH(QString, at);
    CPrgSettings s = Vehicle(vehicle);
    s.AktApNr = number;
    s.KatZeile = line;
    s.HGText = group;
    Dbs dbs = OpenDbs(fixture);
    auto walk = MakeWalk(s, dbs.catalogue.get(), dbs.values.get(), dbs.third.get());
    QCOMPARE(walk->JumpTo(number), reached);
    if (!reached)
        return;
    const QString position = at.isEmpty() ? number : at;
    QCOMPARE(Numbers(walk->Path()), path);
    QCOMPARE(walk->ShownLevel(), 4);
    QCOMPARE(walk->Current(AW_POSITION)->Number, position);
    QCOMPARE(walk->Shown().at(size_t(walk->SelectedIndex()))->Number, position);
    QCOMPARE(s.AktApNr, position);
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
    QTest::newRow("labour values of a main group")            << "labour_value_by_group";
    QTest::newRow("labour values of a position")              << "labour_value_by_position";
    QTest::newRow("catalogue lines of a main group")          << "catalogue_line_by_group";
    QTest::newRow("catalogue lines of a position number")     << "catalogue_line_by_group";
    QTest::newRow("infos of a main group")                    << "labour_info_by_group";
    QTest::newRow("infos of a position")                      << "labour_info_by_position";
    QTest::newRow("parts clearing of a position")             << "parts_clearing_by_group";
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
    QTest::newRow("VAT 0: gross equals net")   << 0 << -1.0  << 100.0 << 0.0  << 1 << "1"     << "100.00" << "100.00";
    QTest::newRow("VAT 0 from the gross")      << 1 << 50.0  << -1.0  << 0.0  << 1 << "3"     << "50.00"  << "50.00";
    QTest::newRow("value read as a package quantity: comma ends it") << 0 << -1.0 << 10.0 << -1.0 << 1 << "1,5" << "?" << "10.00";
    QTest::newRow("value below zero: no price, not AZ") << 0 << -1.0 << 10.0 << -1.0 << 1 << "-0.2" << "?" << "?";
    QTest::newRow("value below zero, not asked")        << 0 << -1.0 << 10.0 << 19.0 << 0 << "-0.2" << "" << "";
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
    // Row: vehicle, number, labour value, the labour discount of the
    // vehicle's VIN (empty: the demo's discount file) -> shown net price,
    // flat.
    QTest::addColumn<QString>("vehicle");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("discount");
    QTest::addColumn<QString>("net");
    QTest::addColumn<int>("flat");
    // clang-format off
    QTest::newRow("flat price, labour discount 95") << "Arvo"  << "0101000" << "12" << ""    << "84.55"  << 1;
    QTest::newRow("main-group price x value")       << "Arvo"  << "0100010" << "12" << ""    << "127.68" << 0;
    QTest::newRow("other vehicle's discount 90")    << "Bento" << "0100010" << "10" << ""    << "100.80" << 0;
    QTest::newRow("no main-group price")            << "Arvo"  << "8800010" << "12" << ""    << "?"      << 0;
    QTest::newRow("discount 0: free of charge")     << "Arvo"  << "0100010" << "12" << "0"   << "0.00"   << 0;
    QTest::newRow("discount 0 of a flat price")     << "Arvo"  << "0101000" << "12" << "0"   << "0.00"   << 1;
    QTest::newRow("discount 100: the list price")   << "Arvo"  << "0100010" << "12" << "100" << "134.40" << 0;
    // clang-format on
}

void TestAwKat::localPrices()
{
    QFETCH(QString, vehicle);
    QFETCH(QString, number);
    QFETCH(QString, value);
    QFETCH(QString, discount);
    QFETCH(QString, net);
    QFETCH(int, flat);
    CPrgSettings s = Vehicle(vehicle);
    const QString demo = QStringLiteral(YAQ_DEMO_DATAS_DIR) + QStringLiteral("/Dealer");
    s.ReqDateiVerz = demo;
    if (!discount.isEmpty()) {
        // The demo's price files beside a discount file of this row.
        s.ReqDateiVerz = m_env.path() + QStringLiteral("/discount") + QTest::currentDataTag();
        QVERIFY(QDir().mkpath(s.ReqDateiVerz));
        for (const char *file : {"/HGPrice.dat", "/Pauschal.dat"})
            QVERIFY(QFile::copy(demo + QLatin1String(file), s.ReqDateiVerz + QLatin1String(file)));
        QVERIFY(writeTextFile(s.ReqDateiVerz + QStringLiteral("/Rabatt.dat"),
                              "FgstNr\tRabattTeile\tRabattAW\n" + s.FgstnrFull.toLatin1() +
                                  "\t100\t" + discount.toLatin1() + "\n"));
    }
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
    QTest::newRow("plain")            << 0 << ""       << "vinShort=\"M012345\"/><flatRate productType=\"car\"><number>1110010</number></flatRate></requestPackageInfo>" << "terminalID";
    QTest::newRow("lead labour")      << 1 << ""       << "<flatRate productType=\"car\"><number>1110010</number><isLeadLabour>false</isLeadLabour></flatRate></requestPackageInfo>" << "terminalID";
    QTest::newRow("escaped terminal") << 0 << "T&1<2"  << "</flatRate><terminalID>T&amp;1&lt;2</terminalID></requestPackageInfo>" << "isLeadLabour";
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
    QTest::newRow("product type in capitals")   << kVinElement + fr.arg("CAR", "1110010", price)            << 0 << -1.0  << 0 << "5057|5060";
    QTest::newRow("several rates, none fits")   << kVinElement + fr.arg("car", "1110020", price) + fr.arg("car", "1110030", price) << 0 << -1.0 << 0 << "5059|Arbeitsposition 1110020 der|Arbeitsposition 1110030 der";
    QTest::newRow("several rates, one fits")    << kVinElement + fr.arg("car", "1110020", price) + fr.arg("car", "1110010", price) << 1 << 9.5  << 0 << "5059|Arbeitsposition 1110020 der";
    QTest::newRow("neither rate nor exception") << kVinElement                                               << 0 << -1.0  << 0 << "XMLNotValid!(1)";
    QTest::newRow("no vin element: another vehicle") << fr.arg("car", "1110010", price)                     << 0 << -1.0  << 0 << "5056";
    QTest::newRow("decimal comma")              << kVinElement + fr.arg("car", "1110010", QString(price).replace("9.50", "9,50"))     << 1 << 9.5  << 0 << "";
    QTest::newRow("price with its currency: no price, told") << kVinElement + fr.arg("car", "1110010", QString(price).replace("9.50", "9.50 EUR")) << 1 << -1.0 << 0 << "5055";
    QTest::newRow("thousands separator: no price, told")     << kVinElement + fr.arg("car", "1110010", QString(price).replace("9.50", "1.234,56")) << 1 << -1.0 << 0 << "1110010: \"1.234,56\"";
    QTest::newRow("amount in exponent form: no price of the element, told") << kVinElement + fr.arg("car", "1110010", QString(price).replace("<valueAddedTax>", "<grossPrice>1.1305E+01</grossPrice><valueAddedTax>")) << 1 << -1.0 << 0 << "1110010: \"1.1305E+01\"";
    QTest::newRow("price in prefixed elements")              << kVinElement + fr.arg("car", "1110010", QString(price).replace("<netPrice>", "<t:netPrice xmlns:t=\"urn:x\">").replace("</netPrice>", "</t:netPrice>")) << 1 << 9.5 << 0 << "";
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
    CDmsClient client(&s, nullptr);
    CAwKatPrices p;
    CAwKatPricing::Reset(p, true);
    QCOMPARE(CAwKatPricing::TakeAnswer(client, &notes, Answer(children, DmsHeaderVersion(s)),
                                       QStringLiteral("1110010"), p),
             applied);
    QCOMPARE(p.UnitNet, unitNet);
    QCOMPARE(p.FlatPrice, flat);
    const QString told = notes.texts.join(QLatin1Char('|'));
    // One notice each, no other.
    const QStringList expectedNotices = notices.split(QLatin1Char('|'), Qt::SkipEmptyParts);
    QVERIFY2(notes.texts.size() == expectedNotices.size(), qPrintable(told));
    for (const QString &part : expectedNotices) {
        bool isId = false;
        const int id = part.toInt(&isId);
        const QString expected = isId ? OrmelText(id) : part;
        QVERIFY2(told.contains(expected), qPrintable(told));
    }
    if (notices.isEmpty())
        QVERIFY2(told.isEmpty(), qPrintable(told));
}

// A price request the adviser gives up leaves the row's prices as they were
// (no "?" either) and tells nothing.
void TestAwKat::cancelledPriceKeepsThePrices()
{
    CPrgSettings s = Vehicle(QStringLiteral("Arvo"));
    s.SRPInterfaceReq = 4;
    s.ReqXMLServer = QStringLiteral("dms.test");
    UpdateDmsHeader(&s);
    AnsweringSender sender;
    sender.answer =
        Answer(kVinElement + QStringLiteral("<flatRate productType=\"car\"><number>"
                                            "1110010</number><price currency=\"EUR\">"
                                            "<netPrice>9.50</netPrice></price></flatRate>"),
               DmsHeaderVersion(s));
    CancellingWait wait;
    CDmsClient client(&s, &sender, &wait);
    Notices notes;
    CAwKatPrices p;
    p.UnitNet = 12.0;
    CAwKatPricing::ComputeDisplayPrices(p, QStringLiteral("2"));
    const CAwKatPrices before = p;
    QCOMPARE(
        CAwKatPricing::Request(client, &notes, QStringLiteral("1110010"), QStringLiteral("2"), p),
        0);
    QCOMPARE(sender.calls, 1);
    QCOMPARE(p.UnitNet, before.UnitNet);
    QCOMPARE(p.Net, before.Net);
    QCOMPARE(p.NoPrice, before.NoPrice);
    QVERIFY(notes.texts.isEmpty());
}

void TestAwKat::standInDmsPricesAPosition_data()
{
    QTest::addColumn<QString>("position");
    QTest::addColumn<QString>("value"); // labour value
    QTest::addColumn<QString>("net");
    QTest::addColumn<QString>("gross");
    QTest::addColumn<int>("form"); // DmsMessageForm of the stand-in
    // clang-format off
    QTest::newRow("off the price list: the labour rate times the labour value") << "1120020" << "3" << "28.50"  << "33.92"  << int(DmsMessageForm::Plain);
    QTest::newRow("on the price list: its unit price times the labour value, as in its packages") << "1110020" << "8" << "712.00" << "847.28" << int(DmsMessageForm::Plain);
    QTest::newRow("off the price list, the DMS's elements prefixed") << "1120020" << "3" << "28.50"  << "33.92"  << int(DmsMessageForm::Prefixed);
    QTest::newRow("on the price list, the DMS's elements prefixed")  << "1110020" << "8" << "712.00" << "847.28" << int(DmsMessageForm::Prefixed);
    // clang-format on
}

void TestAwKat::standInDmsPricesAPosition()
{
    QFETCH(QString, position);
    QFETCH(QString, value);
    QFETCH(int, form);
    StandInDms dms;
    dms.setForm(DmsMessageForm(form));
    QString error;
    QVERIFY2(
        dms.serveFiles(QStringLiteral(YAQ_DMS_VEHICLES), QStringLiteral(YAQ_DMS_PACKAGES), &error),
        qPrintable(error));

    CPrgSettings s = Vehicle(QStringLiteral("Arvo"));
    s.SRPInterfaceReq = 4;
    s.V117 = 1;
    s.ReqXMLServer = QStringLiteral("127.0.0.1:%1/").arg(dms.port()); // without its scheme
    UpdateDmsHeader(&s);
    Notices notes;
    CSoapReqSender sender(&s);
    CDmsClient client(&s, &sender);
    CAwKatPrices p;
    const int applied = CAwKatPricing::Request(client, &notes, position, value, p);
    QVERIFY2(notes.texts.isEmpty(), qPrintable(notes.texts.join(QLatin1Char('|'))));
    QCOMPARE(applied, 1);
    QVERIFY2(notes.texts.isEmpty(), qPrintable(notes.texts.join('|')));
    QTEST(CAwKatPricing::PriceText(p.Net), "net");
    QTEST(CAwKatPricing::PriceText(p.Gross), "gross");
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
    const YaqTest::ProcessReaper reaper(info);
    info.start(QStringLiteral("pdfinfo"), {dlg.PdfFilePath()});
    QVERIFY(info.waitForFinished(YaqTest::kHangMs));
    const QString out = QString::fromUtf8(info.readAllStandardOutput());
    // Seven rows from the selection fit on one sheet.
    QVERIFY2(out.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))), qPrintable(out));
}

void TestAwKat::previewShowsThePrintOut()
{
    CPrgSettings s = Vehicle(QStringLiteral("Arvo"));
    s.LocalFolder = m_env.path();
    Dbs dbs = OpenDbs();
    auto walk = MakeWalk(s, dbs.catalogue.get(), dbs.values.get(), dbs.third.get());
    QVERIFY(walk->JumpTo(QStringLiteral("1110010")));
    CAwKatPrintDoc doc(&s, walk.get());
    std::unique_ptr<CEasyPrintDlg> dlg = doc.MakePrintDlg(nullptr);
    QCOMPARE(dlg->PdfFilePath(), m_env.path() + QStringLiteral("/YAQ2.pdf"));
    dlg->OnInitDialog();
    QCOMPARE(dlg->Columns() * dlg->Rows(), 1);
    QImage image(400, 560, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        dlg->PaintPreview(painter, image.rect());
    }
    // The sheet shows the print-out's texts in black, not a marked-out
    // area in red.
    int dark = 0, red = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() < 80 && c.green() < 80 && c.blue() < 80)
                ++dark;
            else if (c.red() > 200 && c.green() < 80 && c.blue() < 80)
                ++red;
        }
    }
    QCOMPARE(red, 0);
    QVERIFY2(dark > 200, qPrintable(QString::number(dark)));
}

void TestAwKat::shortVinCount_data()
{
    // Row: short VIN -> the vehicles of the catalogue that share it (at
    // most 2 counted).
    QTest::addColumn<QString>("shortVin");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("unreadable"); // the count fails: told, the vehicle asked about
    // clang-format off
    QTest::newRow("one vehicle")               << "M012345" << 1 << false;
    QTest::newRow("special: only its own range") << "4K56789" << 1 << false;
    QTest::newRow("none")                      << "Z999999" << 0 << false;
    QTest::newRow("catalogue unreadable")      << "Z999999" << 1 << true;
    // clang-format on
}

void TestAwKat::shortVinCount()
{
    QFETCH(QString, shortVin);
    QFETCH(int, count);
    QFETCH(bool, unreadable);
    Dbs dbs = OpenDbs();
    if (unreadable)
        dbs.catalogue->Close();
    QList<MsgBoxRequest> told;
    SetMsgBoxResponder([&told](const MsgBoxRequest &box) {
        told << box;
        return MsgBoxAnswer();
    });
    QCOMPARE(CAwKatPricing::ShortVinCounter(dbs.catalogue.get(), nullptr)(shortVin), count);
    QCOMPARE(CAwKatPricing::ShortVinCounter(nullptr, nullptr)(shortVin), 0);
    SetMsgBoxResponder({});
    QCOMPARE(told.size(), unreadable ? 1 : 0);
    if (unreadable)
        QCOMPARE(told.first().text, OrmelText(7024));
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
    for (const CAwKatColumnSlot &slot :
         CAwKatColumns::ReadCatalogueColumns(s, dbs.catalogue.get()).value)
        read << slot.TypeKey + QLatin1Char(':') + QString::number(slot.Column);
    QCOMPARE(read.join(QLatin1Char(' ')), columns);
}

YAQ_TEST_MAIN(TestAwKat)
#include "tst_awkat.moc"
