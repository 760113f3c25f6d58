// The head row without a window: the model-series list (order, dealer
// contracts, blocked brand, alternative catalogue, one item per series), the
// model and lead-type items, the contract check, the maintenance topics and
// the catalogue date on the demo catalogue; the vehicle identification (VIN
// and type-key look-up, catalogue step, pending identification) and the
// version line of the caption.

#include "app/EReiheList.h"
#include "app/FirstRegistration.h"
#include "app/HeadRowCatalogue.h"
#include "app/ModelMapping.h"
#include "app/PendingIdent.h"
#include "app/Utilities.h"
#include "app/VehicleIdent.h"
#include "app/VersionLine.h"
#include "app/VinCheck.h"
#include "platform/db/YaqDb.h"
#include "settings/PrgSettings.h"
#include "support/CatalogueDbTest.h"
#include "support/TestMain.h"
#include <QFile>
#include <QTemporaryDir>

#include <QtTest>
#include <memory>

namespace {
const QString kVinArvo = QStringLiteral("XVQ1F23A57M012345");
const QString kVinBento = QStringLiteral("XVQ2G45B684K56789");
const QString kVinTremik = QStringLiteral("XVQ3T00A57T012345");

CEReiheEntry row(const QString &series, const QString &brand = QStringLiteral("VQ"))
{
    CEReiheEntry e;
    e.strKatBstNr = QStringLiteral("1");
    e.strTypNr = QStringLiteral("VQ") + series;
    e.strEReihe = series;
    e.strMarke = brand;
    return e;
}

// Series codes, "--" for a heading.
QStringList codes(const QList<const CEReiheEntry *> &entries)
{
    QStringList out;
    for (const CEReiheEntry *e : entries)
        out << (e->nKind == CEReiheEntry::KindSeparator ? QStringLiteral("--") : e->strEReihe);
    return out;
}

QStringList listCodes(const CEReiheList &list)
{
    QList<const CEReiheEntry *> entries;
    for (int i = 0; i < list.Count(); ++i)
        entries << list.At(i);
    return codes(entries);
}

QString chosen(const QStringList &items, int index)
{
    return index >= 0 ? items.value(index) : QString();
}
// A row of a table run once on the server and once on the local data set.
QTestData &PathRow(bool local, const char *name)
{
    const char *path = local ? "local data set: " : "server: ";
    return QTest::newRow(qPrintable(QString::fromLatin1(path) + QLatin1String(name)));
}

} // namespace

class TestHeadRowCatalogue : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void catalogueRows_data();
    void catalogueRows();
    void alternativeRows_data();
    void alternativeRows();
    void seriesList_data();
    void seriesList();
    void seriesItems();

    void models_data();
    void models();
    void leadTypes_data();
    void leadTypes();

    void contract_data();
    void contract();
    void maintenanceTopics_data();
    void maintenanceTopics();
    void referenceDate_data();
    void referenceDate();
    void catalogueDate();

    void vinLookup_data();
    void vinLookup();
    void shortVinLookup_data();
    void shortVinLookup();
    void refusedVinsReadNothing();
    void typeKeyLookup_data();
    void typeKeyLookup();
    void catalogueStep_data();
    void catalogueStep();
    void unreadableCatalogue_data();
    void unreadableCatalogue();
    void headReadSaysItFailed_data();
    void headReadSaysItFailed();
    void lostServer_data();
    void lostServer();
    void demoVehiclesOnTheServer_data();
    void demoVehiclesOnTheServer();
    void modelNameFromTheMapping();
    void identificationWithTheSettings_data();
    void identificationWithTheSettings();
    void checkForTheVehicleSearch();
    void changeFlagsNameWhatDiffers();
    void clearedIdentificationKeepsTheCatalogueLine();

    void versionLine_data();
    void versionLine();

private:
    // The head row's reads on the demo catalogue; without a connection when
    // connected is false. A mapping file text gives model names of its own.
    CHeadRowCatalogue &catalogue(bool connected = true, const QByteArray &mapping = {});
    // The settings of the F40 catalogue with its model "Arvo 2.0".
    void setF40();

    std::unique_ptr<CYaqDb> m_db0;
    std::unique_ptr<CYaqDb> m_db1;
    std::unique_ptr<CPrgSettings> m_settings;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<CModelMapping> m_mapping;
    std::unique_ptr<CHeadRowCatalogue> m_catalogue;
};

void TestHeadRowCatalogue::init()
{
    m_settings = std::make_unique<CPrgSettings>();
    m_db0 = CatalogueDbTest::OpenDemoFile();
    m_db1 = CatalogueDbTest::OpenDemoFile();
    QVERIFY(m_db0 && m_db1);
}

void TestHeadRowCatalogue::cleanup()
{
    m_catalogue.reset();
    m_mapping.reset();
    m_dir.reset();
    m_db1.reset();
    m_db0.reset();
    m_settings.reset();
}

CHeadRowCatalogue &TestHeadRowCatalogue::catalogue(bool connected, const QByteArray &mapping)
{
    if (!mapping.isEmpty()) {
        m_dir = std::make_unique<QTemporaryDir>();
        QFile file(m_dir->filePath(QStringLiteral("ModelMapping00.txt")));
        if (file.open(QIODevice::WriteOnly))
            file.write(mapping);
        file.close();
        m_mapping = std::make_unique<CModelMapping>();
        m_mapping->SetFolder(m_dir->path() + QLatin1Char('/'));
        m_mapping->Load(QStringLiteral("00"));
    }
    m_catalogue = std::make_unique<CHeadRowCatalogue>(connected ? m_db0.get() : nullptr,
                                                      connected ? m_db1.get() : nullptr,
                                                      m_settings.get(), m_mapping.get());
    return *m_catalogue;
}

void TestHeadRowCatalogue::setF40()
{
    m_settings->KatalogKey = QStringLiteral("1");
    m_settings->nKatalogFlag = 0;
    m_settings->bAltKatalog = 0;
    m_settings->EReihe = QStringLiteral("F40");
    m_settings->Bestellnr = QStringLiteral("VQF40DE");
    m_settings->ModellBez = QStringLiteral("Arvo 2.0");
    m_settings->LeadTyp = QStringLiteral("1103");
}

// ---------------------------------------------------------------------------
// The model-series list

void TestHeadRowCatalogue::catalogueRows_data()
{
    QTest::addColumn<QStringList>("series");
    QTest::addColumn<QStringList>("brands");
    QTest::addColumn<QStringList>("dealer");
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QStringList>("comboItems");

    const QStringList vq4 = {"VQ", "VQ", "VQ", "VQ"};
    // clang-format off
    QTest::newRow("series beginning with F come first, each group in row order") << QStringList{"B", "F1", "C", "F2"} << vq4 << QStringList{} << QStringList{"F1", "F2", "B", "C"} << QStringList{"F1", "F2", "B", "C"};
    QTest::newRow("only F series") << QStringList{"F2", "F1"} << QStringList{"VQ", "VQ"} << QStringList{} << QStringList{"F2", "F1"} << QStringList{"F2", "F1"};
    QTest::newRow("brand without a dealer contract is left out") << QStringList{"B20", "L10", "F40"} << QStringList{"VQ", "LU", "VQ"} << QStringList{"voq"} << QStringList{"F40", "B20"} << QStringList{"F40", "B20"};
    QTest::newRow("brand TK is left out even without dealer restriction") << QStringList{"X10", "B20"} << QStringList{"TK", "VQ"} << QStringList{} << QStringList{"B20"} << QStringList{"B20"};
    QTest::newRow("brand TK is left out also for a dealer of it") << QStringList{"X10"} << QStringList{"TK"} << QStringList{"tremik"} << QStringList{} << QStringList{};
    QTest::newRow("the maker's hidden series is never listed") << QStringList{CEReiheList::kHiddenSeries, "B20"} << QStringList{"VQ", "VQ"} << QStringList{} << QStringList{"B20"} << QStringList{"B20"};
    QTest::newRow("two catalogues of one series give one combo item") << QStringList{"F40", "B20", "F40"} << QStringList{"VQ", "VQ", "VQ"} << QStringList{} << QStringList{"F40", "F40", "B20"} << QStringList{"F40", "B20"};
    // clang-format on
}

void TestHeadRowCatalogue::catalogueRows()
{
    QFETCH(QStringList, series);
    QFETCH(QStringList, brands);
    QFETCH(QStringList, dealer);
    QFETCH(QStringList, listed);
    QFETCH(QStringList, comboItems);

    m_settings->DealerList = dealer;
    // The dealer check of the program, as the catalogue passes it in.
    const auto serves = [this](const QString &brand) {
        const QString name = brand == QLatin1String("VQ")   ? QStringLiteral("voq")
                             : brand == QLatin1String("LU") ? QStringLiteral("lumo")
                             : brand == QLatin1String("TK") ? QStringLiteral("tremik")
                                                            : QString();
        return m_settings->DealerList.isEmpty() || m_settings->DealerList.contains(name);
    };
    CEReiheList list;
    for (int i = 0; i < series.size(); ++i)
        list.AddCatalogueRow(row(series.at(i), brands.at(i)), serves);
    QCOMPARE(listCodes(list), listed);
    QCOMPARE(codes(list.ComboEntries()), comboItems);
    for (int i = 0; i < list.Count(); ++i)
        QCOMPARE(list.At(i)->nKind, int(CEReiheEntry::KindSeries));
}

void TestHeadRowCatalogue::alternativeRows_data()
{
    QTest::addColumn<QStringList>("altSeries");
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QString>("sharedTypNr");

    // clang-format off
    QTest::newRow("no alternative rows add nothing, not even the heading") << QStringList{} << QStringList{"B20"} << QString();
    QTest::newRow("numbered series share one entry, the last of them, at the end") << QStringList{"4A", "A60", "5A", "7B"} << QStringList{"B20", "--", "A60", "7B"} << QStringLiteral("TN7B");
    QTest::newRow("a series beginning with 0 is an entry of its own") << QStringList{"0A", "3C"} << QStringList{"B20", "--", "0A", "3C"} << QStringLiteral("TN3C");
    QTest::newRow("without numbered series no shared entry") << QStringList{"A60", "B70"} << QStringList{"B20", "--", "A60", "B70"} << QString();
    // clang-format on
}

void TestHeadRowCatalogue::alternativeRows()
{
    QFETCH(QStringList, altSeries);
    QFETCH(QStringList, listed);
    QFETCH(QString, sharedTypNr);

    CEReiheList list;
    list.AddCatalogueRow(row(QStringLiteral("B20")), {});
    QList<CAltSeriesRow> rows;
    for (const QString &s : altSeries)
        rows.append({QStringLiteral("TN") + s + QStringLiteral("  "), s + QLatin1Char(' ')});
    list.AddAlternativeRows(rows);
    QCOMPARE(listCodes(list), listed);
    if (!altSeries.isEmpty()) {
        const CEReiheEntry *heading = list.At(1);
        QCOMPARE(heading->nKind, int(CEReiheEntry::KindSeparator));
        QCOMPARE(heading->strSeparator, CEReiheList::AltSeparatorText());
        const CEReiheEntry *last = list.At(list.Count() - 1);
        QCOMPARE(last->strMarke, CEReiheList::kAltBrand);
        QCOMPARE(last->nKind, int(CEReiheEntry::KindSeries));
        if (!sharedTypNr.isEmpty())
            QCOMPARE(last->strTypNr, sharedTypNr);
    }
}

void TestHeadRowCatalogue::seriesList_data()
{
    QTest::addColumn<bool>("connected");
    QTest::addColumn<QStringList>("dealer");
    QTest::addColumn<QString>("display");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QStringList>("items");

    // F40 has a German and a British catalogue; X10 is of the blocked brand;
    // the older range follows its heading.
    const QStringList all = {"F40", "F50", "B20", "C30", "--", "A40", "A60", "5A"};
    // clang-format off
    QTest::newRow("every series of the demo catalogue")                   << true  << QStringList{}       << "EUR + USA" << true  << all;
    QTest::newRow("a dealer of another brand sees none, yet it is found") << true  << QStringList{"lumo"} << "EUR + USA" << true  << QStringList{};
    QTest::newRow("the US display leaves the European catalogues out")    << true  << QStringList{}       << "USA"       << true  << QStringList{"--", "A40", "A60", "5A"};
    QTest::newRow("the European display keeps them")                      << true  << QStringList{}       << "EUR"       << true  << all;
    QTest::newRow("no connection: the catalogue is missing")              << false << QStringList{}       << "EUR + USA" << false << QStringList{};
    // clang-format on
}

void TestHeadRowCatalogue::seriesList()
{
    QFETCH(bool, connected);
    QFETCH(QStringList, dealer);
    QFETCH(QString, display);
    QFETCH(bool, found);
    QFETCH(QStringList, items);
    m_settings->DealerList = dealer;
    m_settings->CatalogueDisp = display;
    CHeadRowCatalogue &head = catalogue(connected);
    QVERIFY(head.IsModelSeriesDirty());
    QCOMPARE(head.BuildModelSeriesList() == CatalogueFound::Yes, found);
    QVERIFY(!head.IsModelSeriesDirty());
    QCOMPARE(codes(head.SeriesItems()), items);
}

void TestHeadRowCatalogue::seriesItems()
{
    CHeadRowCatalogue &head = catalogue();
    head.BuildModelSeriesList();
    QCOMPARE(head.ModelSeriesList().CountSeries(QStringLiteral("F40")), 2);
    QCOMPARE(head.SeriesIndex(QStringLiteral("B20")), 2);
    QCOMPARE(head.SeriesIndex(QStringLiteral("A40")), 5);
    QCOMPARE(head.SeriesIndex(QStringLiteral("X10")), -1);
    // The heading is never a series.
    QCOMPARE(head.SeriesIndex(CEReiheList::AltSeparatorText()), -1);
    QCOMPARE(head.SeriesItem(4)->nKind, int(CEReiheEntry::KindSeparator));
    QCOMPARE(head.SeriesItem(2)->strTypNr, QStringLiteral("VQB20DE"));
    QCOMPARE(head.SeriesItem(8), nullptr);
    QCOMPARE(head.SeriesItem(-1), nullptr);
}

// ---------------------------------------------------------------------------
// Model and lead type

void TestHeadRowCatalogue::models_data()
{
    QTest::addColumn<int>("catalogueView");
    QTest::addColumn<bool>("showVehicle");
    QTest::addColumn<int>("katalogFlag");
    QTest::addColumn<QString>("series");
    QTest::addColumn<QString>("model");
    QTest::addColumn<QByteArray>("mapping");
    QTest::addColumn<QStringList>("models");
    QTest::addColumn<QStringList>("leadTypes");
    QTest::addColumn<int>("seriesItem");
    QTest::addColumn<QString>("chosenModel");
    QTest::addColumn<QString>("chosenLeadType");

    const QStringList arvo = {"Arvo 1.6", "Arvo 2.0", "Arvo Van"};
    const QStringList arvoView = QStringList{CPendingIdent::kNoModel} + arvo;
    const QStringList alto = {"Alto", "Alto Kombi"};
    const QStringList none;
    // The van's lead type below 1000 belongs to no model of the normal catalogue.
    // clang-format off
    QTest::newRow("catalogue view: the no-model item first, the vehicle chosen") << 1 << false << 0 << "F40" << "Arvo 2.0" << QByteArray() << arvoView << QStringList{"1102", "1103"} << 0 << "Arvo 2.0" << "1103";
    QTest::newRow("without the catalogue view nothing is chosen")               << 0 << false << 0 << "F40" << "Arvo 2.0" << QByteArray() << arvo     << QStringList{"1102", "1103"} << 0 << ""         << "";
    QTest::newRow("the identified vehicle is chosen on request")                << 0 << true  << 0 << "F40" << "Arvo 2.0" << QByteArray() << arvo     << QStringList{"1102", "1103"} << 0 << "Arvo 2.0" << "1103";
    QTest::newRow("a lead type below 1000 is no item")                          << 1 << false << 0 << "F40" << "Arvo Van" << QByteArray() << arvoView << none                        << 0 << "Arvo Van" << "";
    QTest::newRow("models under the names of the mapping, each once")           << 0 << true  << 0 << "F40" << "Arvo 2.0" << QByteArray("1101Arvo 2.0\n") << QStringList{"Arvo 2.0", "Arvo Van"} << QStringList{"1102", "1103"} << 0 << "Arvo 2.0" << "1103";
    QTest::newRow("a series not in the list has no models")                     << 1 << false << 0 << "Q99" << "Arvo 2.0" << QByteArray() << none     << none                        << -1 << ""        << "";
    QTest::newRow("a catalogue other than the normal one has no models")        << 1 << false << 1 << "F40" << "Arvo 2.0" << QByteArray() << none     << none                        << 0 << ""         << "";
    QTest::newRow("alternative catalogue: one model a group, its lead types")   << 1 << false << 0 << "A40" << "Alto"     << QByteArray() << alto     << QStringList{"4401", "4402"} << 5 << "Alto"     << "";
    QTest::newRow("alternative catalogue whatever the catalogue flag")          << 0 << true  << 1 << "A40" << "Alto Kombi" << QByteArray() << alto   << QStringList{"4403"}         << 5 << "Alto Kombi" << "";
    // clang-format on
}

void TestHeadRowCatalogue::models()
{
    QFETCH(int, catalogueView);
    QFETCH(bool, showVehicle);
    QFETCH(int, katalogFlag);
    QFETCH(QString, series);
    QFETCH(QString, model);
    QFETCH(QByteArray, mapping);
    QFETCH(QStringList, models);
    QFETCH(QStringList, leadTypes);
    QFETCH(int, seriesItem);
    QFETCH(QString, chosenModel);
    QFETCH(QString, chosenLeadType);
    setF40();
    m_settings->bKatalogansicht = catalogueView;
    m_settings->nKatalogFlag = katalogFlag;
    m_settings->EReihe = series;
    m_settings->ModellBez = model;
    if (series == QLatin1String("A40")) {
        m_settings->bAltKatalog = 1;
        m_settings->Bestellnr = QStringLiteral("VQA40001");
        m_settings->LeadTyp.clear();
    }
    CHeadRowCatalogue &head = catalogue(true, mapping);
    QCOMPARE(head.ModelsNeedSeriesList(), katalogFlag == 0 || m_settings->bAltKatalog);
    head.BuildModelSeriesList();
    const CHeadRowCatalogue::ModelItems items = head.Models(showVehicle);
    QCOMPARE(items.models, models);
    QCOMPARE(items.leadTypes, leadTypes);
    QCOMPARE(items.series, seriesItem);
    QCOMPARE(chosen(items.models, items.model), chosenModel);
    QCOMPARE(chosen(items.leadTypes, items.leadType), chosenLeadType);
}

void TestHeadRowCatalogue::leadTypes_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<bool>("takeLowCodes");
    QTest::addColumn<QByteArray>("mapping");
    QTest::addColumn<QStringList>("leadTypes");

    // clang-format off
    QTest::newRow("model with one lead type")                      << "Arvo 1.6"   << false << QByteArray()              << QStringList{"1101"};
    QTest::newRow("model with two lead types")                     << "Arvo 2.0"   << false << QByteArray()              << QStringList{"1102", "1103"};
    QTest::newRow("a lead type below 1000 is left out")            << "Arvo Van"   << false << QByteArray()              << QStringList{};
    QTest::newRow("another catalogue takes it")                    << "Arvo Van"   << true  << QByteArray()              << QStringList{"0901"};
    QTest::newRow("a lead type with a name of its own is left out") << "Arvo 2.0"  << false << QByteArray("1103Arvo Sport\n") << QStringList{"1102"};
    QTest::newRow("a name of the mapping gets the codes mapped to it") << "Arvo Sport" << false << QByteArray("1103Arvo Sport\n") << QStringList{"1103"};
    QTest::newRow("a name neither in the catalogue nor mapped")    << "Arvo Sport" << false << QByteArray()              << QStringList{};
    QTest::newRow("alternative catalogue")                         << "Alto Kombi" << false << QByteArray()              << QStringList{"4403"};
    // clang-format on
}

void TestHeadRowCatalogue::leadTypes()
{
    QFETCH(QString, model);
    QFETCH(bool, takeLowCodes);
    QFETCH(QByteArray, mapping);
    QFETCH(QStringList, leadTypes);
    setF40();
    if (model.startsWith(QLatin1String("Alto"))) {
        m_settings->bAltKatalog = 1;
        m_settings->Bestellnr = QStringLiteral("VQA40001");
    }
    QCOMPARE(catalogue(true, mapping).LeadTypes(model, takeLowCodes).value, leadTypes);
    QCOMPARE(catalogue(false).LeadTypes(model, takeLowCodes).value, QStringList());
}

// ---------------------------------------------------------------------------
// Contract, maintenance topics, catalogue date

void TestHeadRowCatalogue::contract_data()
{
    QTest::addColumn<QString>("vin");
    QTest::addColumn<int>("katalogFlag");
    QTest::addColumn<bool>("connected");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("optionNr");
    QTest::addColumn<QString>("billingStart");

    const int found = int(CHeadRowCatalogue::ContractFound);
    const int none = int(CHeadRowCatalogue::ContractNone);
    const int noConnection = int(CHeadRowCatalogue::ContractNoConnection);
    // clang-format off
    QTest::newRow("vehicle with a contract of origin AG")                  << kVinArvo           << 0 << true  << found        << "HLX0100" << "01.03.2023";
    QTest::newRow("vehicle without contracts")                             << kVinBento          << 0 << true  << none         << ""        << "";
    QTest::newRow("a VIN of 16 characters never finds a contract")         << kVinArvo.left(16)  << 0 << true  << none         << ""        << "";
    QTest::newRow("another catalogue than the normal one has no contracts") << kVinArvo          << 1 << true  << none         << ""        << "";
    QTest::newRow("no connection")                                         << kVinArvo           << 0 << false << noConnection << ""        << "";
    // clang-format on
}

void TestHeadRowCatalogue::contract()
{
    QFETCH(QString, vin);
    QFETCH(int, katalogFlag);
    QFETCH(bool, connected);
    QFETCH(int, result);
    QFETCH(QString, optionNr);
    QFETCH(QString, billingStart);
    m_settings->nKatalogFlag = katalogFlag;
    m_settings->VertragText1 = QStringLiteral("stale");
    m_settings->VertragText2 = QStringLiteral("stale");
    QCOMPARE(int(catalogue(connected).CheckContract(vin)), result);
    QCOMPARE(m_settings->VertragText1, optionNr);
    QCOMPARE(m_settings->VertragText2, billingStart);
}

void TestHeadRowCatalogue::maintenanceTopics_data()
{
    QTest::addColumn<QString>("shortVin");
    QTest::addColumn<QString>("typeKey");
    QTest::addColumn<QString>("leadType");
    QTest::addColumn<QString>("firstRegistration");
    QTest::addColumn<bool>("topics");

    // 7B01 has one topic, valid from 2010 on.
    // clang-format off
    QTest::newRow("vin: a topic valid at the first registration")      << "4K56789" << "7B01" << "2201" << "01.06.2012" << true;
    QTest::newRow("vin: none valid at the first registration")         << "4K56789" << "7B01" << "2201" << "01.06.2005" << false;
    QTest::newRow("vin without first registration: valid today")       << "4K56789" << "7B01" << "2201" << ""           << true;
    QTest::newRow("vin with a first registration of another form: today") << "4K56789" << "7B01" << "2201" << "1.6.2005" << true;
    QTest::newRow("type key without vin: any topic of the type key")   << ""        << "7B01" << "2201" << "01.06.2005" << true;
    QTest::newRow("type key without topics")                           << ""        << "7A02" << "1102" << ""           << false;
    QTest::newRow("lead type alone: the topics of the lead type")      << ""        << ""     << "3301" << ""           << true;
    QTest::newRow("lead type without topics")                          << ""        << ""     << "1102" << ""           << false;
    // clang-format on
}

void TestHeadRowCatalogue::maintenanceTopics()
{
    QFETCH(QString, shortVin);
    QFETCH(QString, typeKey);
    QFETCH(QString, leadType);
    QFETCH(QString, firstRegistration);
    QFETCH(bool, topics);
    m_settings->Fgstnr = shortVin;
    m_settings->TypSchl = typeKey;
    m_settings->LeadTyp = leadType;
    m_settings->Erstzulassung = firstRegistration;
    QCOMPARE(catalogue().HasMaintenanceTopics(QDate(2024, 6, 1)) == CatalogueFound::Yes, topics);
    // Without a connection nothing is known: never "no topics".
    QVERIFY(catalogue(false).HasMaintenanceTopics(QDate(2024, 6, 1)) == CatalogueFound::Failed);
}

void TestHeadRowCatalogue::referenceDate_data()
{
    QTest::addColumn<QString>("firstRegistration");
    QTest::addColumn<QString>("date");
    // clang-format off
    QTest::newRow("the first registration")   << "24.12.2019" << "20191224";
    QTest::newRow("none: today")              << ""           << "20240601";
    QTest::newRow("another form: today")      << "24.12.19"   << "20240601";
    // clang-format on
}

void TestHeadRowCatalogue::referenceDate()
{
    QFETCH(QString, firstRegistration);
    QFETCH(QString, date);
    m_settings->Erstzulassung = firstRegistration;
    QCOMPARE(catalogue().MaintenanceReferenceDate(QDate(2024, 6, 1)), date);
}

void TestHeadRowCatalogue::catalogueDate()
{
    // The latest of the demo catalogue's reports.
    QCOMPARE(catalogue().CatalogueDate().value, QStringLiteral("12/06/2024"));
    QCOMPARE(catalogue(false).CatalogueDate().value, QString());
}

// ---------------------------------------------------------------------------
// Identification

void TestHeadRowCatalogue::vinLookup_data()
{
    QTest::addColumn<bool>("local");
    QTest::addColumn<QString>("vin");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("typeKey");
    QTest::addColumn<QString>("leadType");
    QTest::addColumn<QString>("series");
    const int found = CVehicleIdent::VinFound;
    const int notFound = CVehicleIdent::VinNotFound;
    for (const bool local : {false, true}) {
        auto add = [local](const char *name) -> QTestData & { return PathRow(local, name); };
        // clang-format off
        add("ordinary vin")                                << local << kVinArvo            << found    << "7A01" << "1101" << "F40";
        add("second range of a type part")                 << local << "XVQ1F23A57M112345" << found    << "7A02" << "1102" << "F40";
        add("special short vin")                           << local << kVinBento           << found    << "7B01" << "2201" << "B20";
        add("special short vin only in an ordinary range") << local << "XVQ2G45B680A12345" << notFound << ""     << ""     << "";
        add("vehicle of blocked brand")                    << local << kVinTremik          << notFound << ""     << ""     << "";
        add("on the end of a range")                       << local << "XVQ1F23A57M099999" << found    << "7A01" << "1101" << "F40";
        add("beyond the last range")                       << local << "XVQ1F23A57M212345" << notFound << ""     << ""     << "";
        add("unknown type part")                           << local << "XVQ1Z99A57M012345" << notFound << ""     << ""     << "";
        add("vehicle of the alternative catalogue")        << local << "XVQ4X01A57P012345" << found    << "7X01" << "4401" << "A40";
        // clang-format on
    }
}

void TestHeadRowCatalogue::vinLookup()
{
    QFETCH(bool, local);
    QFETCH(QString, vin);
    QFETCH(int, result);
    QFETCH(QString, typeKey);
    QFETCH(QString, leadType);
    QFETCH(QString, series);
    CVehicleIdent ident(m_db0.get(), QStringList(), nullptr);
    CPendingIdent pending;
    QCOMPARE(int(ident.LookupVin(vin, local, pending)), result);
    QCOMPARE(pending.strTypSchl, typeKey);
    QCOMPARE(pending.strLTyp, leadType);
    QCOMPARE(pending.strEReihe, series);
    QCOMPARE(pending.strFgstnrFull, result == CVehicleIdent::VinFound ? vin : QString());
}

// A short VIN given alone names the one vehicle that carries it.
void TestHeadRowCatalogue::shortVinLookup_data()
{
    QTest::addColumn<bool>("local");
    QTest::addColumn<QString>("vin");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("typeKey");
    const int found = CVehicleIdent::VinFound;
    const int notFound = CVehicleIdent::VinNotFound;
    for (const bool local : {false, true}) {
        auto add = [local](const char *name) -> QTestData & { return PathRow(local, name); };
        // clang-format off
        add("one vehicle carries it")                     << local << "M012345" << found    << "7A01";
        add("special form: only its own ranges count")    << local << "4K56789" << found    << "7B01";
        add("the first vin of its range")                 << local << "M000000" << found    << "7A01";
        add("no vehicle carries it")                      << local << "M912345" << notFound << "";
        add("vehicle of blocked brand")                   << local << "T012345" << notFound << "";
        add("malformed short vin")                        << local << "MO12345" << int(CVehicleIdent::VinMalformed) << "";
        // clang-format on
    }
}

void TestHeadRowCatalogue::shortVinLookup()
{
    QFETCH(bool, local);
    QFETCH(QString, vin);
    QFETCH(int, result);
    QFETCH(QString, typeKey);
    CVehicleIdent ident(m_db0.get(), QStringList(), nullptr);
    CPendingIdent pending;
    QCOMPARE(int(ident.LookupShortVin(vin, local, pending)), result);
    QCOMPARE(pending.strTypSchl, typeKey);
    // The settings keep the short VIN, no full one.
    QCOMPARE(pending.ShortVin(), result == CVehicleIdent::VinFound ? vin : QString());
    QCOMPARE(pending.strFgstnrFull, QString());
}

void TestHeadRowCatalogue::refusedVinsReadNothing()
{
    const struct
    {
        const char *vin;
        const char *why;
    } refused[] = {
        {"XVQ1F23A57O012345", "letter O first in the serial part"},
        {"XVQ1F23A57MI12345", "letter I second in the serial part"},
        {"XVQ1F23A57Q012345", "letter Q first in the serial part"},
        {"XVQ1F23A57M01234X", "letter in the last five"},
        {"XVQ1F23A57M0 2345", "blank in the last five"},
        {"XVQ1F23A57M01234", "sixteen characters"},
    };
    for (const auto &r : refused) {
        CVehicleIdent ident(m_db0.get(), QStringList(), nullptr);
        CPendingIdent pending;
        QVERIFY2(ident.LookupVin(QString::fromLatin1(r.vin), false, pending) ==
                     CVehicleIdent::VinMalformed,
                 r.why);
        QCOMPARE(ident.Reads(), 0);
    }
    // I, O and Q elsewhere are not the serial part's concern.
    QVERIFY(
        CVinCheck::IsPlausibleShortVin(CVinCheck::ShortVin(QStringLiteral("QOI1F23A57M012345"))));
}

void TestHeadRowCatalogue::typeKeyLookup_data()
{
    QTest::addColumn<QString>("typeKey");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("series");
    // clang-format off
    QTest::newRow("known type key")        << "7B01" << int(CVehicleIdent::TypeKeyFound)    << "B20";
    QTest::newRow("type of blocked brand") << "7T01" << int(CVehicleIdent::TypeKeyBlocked)  << "";
    QTest::newRow("unknown type key")      << "9Z99" << int(CVehicleIdent::TypeKeyNotFound) << "";
    // clang-format on
}

void TestHeadRowCatalogue::typeKeyLookup()
{
    QFETCH(QString, typeKey);
    QFETCH(int, result);
    QFETCH(QString, series);
    CVehicleIdent ident(m_db0.get(), QStringList(), nullptr);
    CPendingIdent pending;
    QCOMPARE(int(ident.LookupTypeKey(typeKey, pending)), result);
    QCOMPARE(pending.strEReihe, series);
}

// A read that fails is no vehicle that does not exist: the catalogue file
// lacks a table the step reads.
void TestHeadRowCatalogue::unreadableCatalogue_data()
{
    QTest::addColumn<QByteArray>("sql");
    QTest::addColumn<QString>("step");
    QTest::addColumn<bool>("local");
    QTest::addColumn<int>("result");
    // clang-format off
    QTest::newRow("server: vin ranges unreadable")          << QByteArray("DROP TABLE vin_range")        << "vin"      << false << int(CVehicleIdent::VinReadFailed);
    QTest::newRow("local data set: vin ranges unreadable")  << QByteArray("DROP TABLE vin_range")        << "vin"      << true  << int(CVehicleIdent::VinReadFailed);
    QTest::newRow("server: catalogue rows unreadable")      << QByteArray("DROP TABLE catalogue")        << "vin"      << false << int(CVehicleIdent::VinReadFailed);
    QTest::newRow("local data set: type keys unreadable")   << QByteArray("DROP TABLE type_key")         << "vin"      << true  << int(CVehicleIdent::VinReadFailed);
    QTest::newRow("type keys unreadable")                   << QByteArray("DROP TABLE type_key")         << "type key" << false << int(CVehicleIdent::TypeKeyReadFailed);
    QTest::newRow("catalogue columns unreadable")           << QByteArray("DROP TABLE catalogue_column") << "catalogue" << false << int(CVehicleIdent::CatalogueReadFailed);
    QTest::newRow("alternative lead types unreadable")      << QByteArray("DROP TABLE alt_lead_type")    << "alternative" << false << int(CVehicleIdent::CatalogueReadFailed);
    // clang-format on
}

void TestHeadRowCatalogue::unreadableCatalogue()
{
    QFETCH(QByteArray, sql);
    QFETCH(QString, step);
    QFETCH(bool, local);
    QFETCH(int, result);
    QTemporaryDir dir;
    std::unique_ptr<CYaqDb> db = CatalogueDbTest::OpenDemoCopy(dir.path(), sql.constData());
    QVERIFY(db);
    CVehicleIdent ident(db.get(), QStringList(), nullptr);
    CPendingIdent pending;
    if (step == QLatin1String("vin")) {
        QCOMPARE(int(ident.LookupVin(kVinArvo, local, pending)), result);
        QCOMPARE(pending.strTypSchl, QString());
    } else if (step == QLatin1String("type key")) {
        QCOMPARE(int(ident.LookupTypeKey(QStringLiteral("7A01"), pending)), result);
        QCOMPARE(pending.strTypSchl, QString());
    } else {
        pending.strKatBstNr = QStringLiteral("1");
        pending.strLTyp =
            step == QLatin1String("catalogue") ? QStringLiteral("1101") : QStringLiteral("4401");
        pending.strEReihe = QStringLiteral("F40");
        QCOMPARE(int(ident.CatalogueStep(pending)), result);
    }
}

// The other reads of the head row and the start: a table they read is
// missing, and the answer says that the read failed, never "none".
void TestHeadRowCatalogue::headReadSaysItFailed_data()
{
    QTest::addColumn<QByteArray>("sql");
    QTest::addColumn<QString>("read");
    // clang-format off
    QTest::newRow("lead types of a model")   << QByteArray("DROP TABLE catalogue_column")  << "lead types";
    QTest::newRow("column of a model")       << QByteArray("DROP TABLE catalogue_column")  << "column";
    QTest::newRow("contract's option")       << QByteArray("DROP TABLE hlx_option")        << "contract";
    QTest::newRow("catalogue date")          << QByteArray("ALTER TABLE catalogue_report RENAME COLUMN created TO made") << "date";
    QTest::newRow("vehicles of a short VIN") << QByteArray("DROP TABLE vin_range")         << "short VIN";
    QTest::newRow("caller's package")        << QByteArray("DROP TABLE srp_package")       << "package";
    QTest::newRow("caller's labour position") << QByteArray("DROP TABLE labour_value")     << "position";
    // clang-format on
}

void TestHeadRowCatalogue::headReadSaysItFailed()
{
    QFETCH(QByteArray, sql);
    QFETCH(QString, read);
    QTemporaryDir dir;
    m_db0 = CatalogueDbTest::OpenDemoCopy(dir.path(), sql.constData());
    m_db1 = CatalogueDbTest::OpenFileIn(dir.path());
    QVERIFY(m_db0 && m_db1);
    setF40();
    m_settings->TypSchl = QStringLiteral("7A01");
    m_settings->Fgstnr = kVinArvo.right(7);
    m_settings->VertragText1 = QStringLiteral("stale");
    CHeadRowCatalogue &head = catalogue();
    bool failed = false;
    if (read == QLatin1String("lead types"))
        failed = head.LeadTypes(QStringLiteral("Arvo 2.0"), false).failed;
    else if (read == QLatin1String("column"))
        failed = GetAwKatSpalte(m_settings.get(), m_db0.get(), QStringLiteral("Arvo 2.0"), nullptr)
                     .failed;
    else if (read == QLatin1String("contract"))
        failed = head.CheckContract(kVinArvo) == CHeadRowCatalogue::ContractReadFailed &&
                 m_settings->VertragText1.isEmpty();
    else if (read == QLatin1String("date"))
        failed = head.CatalogueDate().failed;
    else if (read == QLatin1String("short VIN"))
        failed = m_db0->CountShortVin(kVinArvo.right(7)).failed;
    else if (read == QLatin1String("package"))
        failed = head.HasPackage(QStringLiteral("1110010")) == CatalogueFound::Failed;
    else
        failed = head.HasLabourPosition(QStringLiteral("1110010")) == CatalogueFound::Failed;
    QVERIFY(failed);
}

// The catalogue server reached through a proxy of the test's own, which
// goes away or stops answering while the identification reads; once it
// answers again, the next look-up finds the vehicle without a new start.
void TestHeadRowCatalogue::lostServer_data()
{
    QTest::addColumn<bool>("hangs");
    QTest::addColumn<bool>("local");
    // clang-format off
    QTest::newRow("server gone")                          << false << false;
    QTest::newRow("server gone, local data set's reads")  << false << true;
    QTest::newRow("server stops answering")               << true  << false;
    // clang-format on
}

void TestHeadRowCatalogue::lostServer()
{
    QFETCH(bool, hangs);
    QFETCH(bool, local);
    if (!CatalogueDbTest::ServerGiven())
        QSKIP("no PostgreSQL server given (YAQ_TEST_PG_*)");
    CProxiedServer proxy;
    QVERIFY(proxy.Port());
    std::unique_ptr<CYaqDb> db = proxy.Open();
    QVERIFY(db);
    CVehicleIdent ident(db.get(), QStringList(), nullptr);
    CPendingIdent pending;
    QCOMPARE(int(ident.LookupVin(kVinArvo, local, pending)), int(CVehicleIdent::VinFound));

    if (hangs)
        proxy.Freeze();
    else
        proxy.Cut();
    QCOMPARE(int(ident.LookupVin(kVinArvo, local, pending)), int(CVehicleIdent::VinReadFailed));
    QCOMPARE(pending.strTypSchl, QString());
    QCOMPARE(CheckFgstNr(nullptr, db.get(), kVinArvo), CVehicleIdent::kVinCheckUnreachable);
    QCOMPARE(int(ident.LookupTypeKey(QStringLiteral("7A01"), pending)),
             int(CVehicleIdent::TypeKeyReadFailed));

    proxy.Resume();
    QCOMPARE(int(ident.LookupVin(kVinArvo, local, pending)), int(CVehicleIdent::VinFound));
    QCOMPARE(pending.strTypSchl, QStringLiteral("7A01"));
}

// Every vehicle the README names is identified on the catalogue server
// (without a local data set) as on the local data set.
void TestHeadRowCatalogue::demoVehiclesOnTheServer_data()
{
    QTest::addColumn<QString>("vin");
    // clang-format off
    QTest::newRow("Arvo with contracts")        << kVinArvo;
    QTest::newRow("Bento, special short vin")   << kVinBento;
    QTest::newRow("Arvo the DMS does not know") << "XVQ1F23A57M054321";
    QTest::newRow("vehicle of blocked brand")   << kVinTremik;
    QTest::newRow("Alto, alternative catalogue") << "XVQ4X01A57P012345";
    // clang-format on
}

void TestHeadRowCatalogue::demoVehiclesOnTheServer()
{
    QFETCH(QString, vin);
    if (!CatalogueDbTest::ServerGiven())
        QSKIP("no PostgreSQL server given (YAQ_TEST_PG_*)");
    std::unique_ptr<CYaqDb> server =
        CatalogueDbTest::OpenServerAt(quint16(qEnvironmentVariableIntValue("YAQ_TEST_PG_PORT")));
    QVERIFY(server);
    const auto identify = [](CYaqDb *db, const QString &vin, bool local) {
        CVehicleIdent ident(db, QStringList(), nullptr);
        CPendingIdent pending;
        const int found = ident.LookupVin(vin, local, pending);
        const int catalogue = found == CVehicleIdent::VinFound ? ident.CatalogueStep(pending) : -1;
        return QStringList{QString::number(found),
                           QString::number(catalogue),
                           pending.strTypSchl,
                           pending.strLTyp,
                           pending.strEReihe,
                           pending.strTypNr,
                           pending.strModellBez,
                           pending.strMarke,
                           QString::number(pending.bAltKatalog)};
    };
    const QStringList onFile = identify(m_db0.get(), vin, true);
    QCOMPARE(identify(server.get(), vin, false), onFile);
    // The vehicles to identify are found there (the blocked brand's is not).
    QCOMPARE(onFile.first() == QString::number(CVehicleIdent::VinFound), vin != kVinTremik);
}

void TestHeadRowCatalogue::catalogueStep_data()
{
    QTest::addColumn<QString>("leadType");
    QTest::addColumn<QStringList>("dealer");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("typNr");
    QTest::addColumn<QString>("brand");
    QTest::addColumn<int>("altKatalog");
    // clang-format off
    QTest::newRow("column of the lead type")               << "1101" << QStringList()       << int(CVehicleIdent::CatalogueColumn)      << "VQF40DE"  << "VQ" << 0;
    QTest::newRow("dealer without contract for the brand") << "1101" << QStringList{"lumo"} << int(CVehicleIdent::CatalogueRefused)     << "VQF40DE"  << "VQ" << 0;
    QTest::newRow("alternative catalogue")                 << "4401" << QStringList()       << int(CVehicleIdent::CatalogueAlternative) << "VQA40001" << "VQ" << 1;
    QTest::newRow("no column and no alternative")          << "7777" << QStringList()       << int(CVehicleIdent::CatalogueNone)        << ""         << ""   << 0;
    // clang-format on
}

void TestHeadRowCatalogue::catalogueStep()
{
    QFETCH(QString, leadType);
    QFETCH(QStringList, dealer);
    QFETCH(int, result);
    QFETCH(QString, typNr);
    QFETCH(QString, brand);
    QFETCH(int, altKatalog);
    CVehicleIdent ident(m_db0.get(), dealer, nullptr);
    CPendingIdent pending;
    pending.strKatBstNr = QStringLiteral("1");
    pending.strLTyp = leadType;
    pending.strEReihe = leadType == QLatin1String("1101") ? QStringLiteral("F40") : QString();
    pending.strLand = QStringLiteral("DE");
    QCOMPARE(int(ident.CatalogueStep(pending)), result);
    QCOMPARE(pending.strTypNr, typNr);
    QCOMPARE(pending.strMarke, brand);
    QCOMPARE(pending.bAltKatalog, altKatalog);
    QCOMPARE(pending.bCleared, result == CVehicleIdent::CatalogueNone ? 1 : 0);
}

void TestHeadRowCatalogue::modelNameFromTheMapping()
{
    catalogue(true, "1101Arvo Comfort\n");
    CVehicleIdent ident(m_db0.get(), QStringList(), m_mapping.get());
    for (const auto &[leadType, model] :
         {std::pair{"1101", "Arvo Comfort"}, std::pair{"1102", "Arvo 2.0"}}) {
        CPendingIdent pending;
        pending.strKatBstNr = QStringLiteral("1");
        pending.strLTyp = QString::fromLatin1(leadType);
        pending.strEReihe = QStringLiteral("F40");
        QCOMPARE(int(ident.CatalogueStep(pending)), int(CVehicleIdent::CatalogueColumn));
        QCOMPARE(pending.strModellBez, QString::fromLatin1(model));
    }
}

void TestHeadRowCatalogue::identificationWithTheSettings_data()
{
    QTest::addColumn<int>("localDataSet");
    QTest::addColumn<QStringList>("dealer");
    QTest::addColumn<QByteArray>("mapping");
    QTest::addColumn<int>("catalogueStep");
    QTest::addColumn<QString>("model");
    // clang-format off
    QTest::newRow("server records")                 << 0 << QStringList()       << QByteArray()              << int(CVehicleIdent::CatalogueColumn)  << "Arvo 1.6";
    QTest::newRow("local data set")                 << 1 << QStringList()       << QByteArray()              << int(CVehicleIdent::CatalogueColumn)  << "Arvo 1.6";
    QTest::newRow("the dealer's brands")            << 0 << QStringList{"lumo"} << QByteArray()              << int(CVehicleIdent::CatalogueRefused) << "Arvo 1.6";
    QTest::newRow("the model names of the mapping") << 0 << QStringList()       << QByteArray("1101Arvo Comfort\n") << int(CVehicleIdent::CatalogueColumn) << "Arvo Comfort";
    // clang-format on
}

void TestHeadRowCatalogue::identificationWithTheSettings()
{
    QFETCH(int, localDataSet);
    QFETCH(QStringList, dealer);
    QFETCH(QByteArray, mapping);
    QFETCH(int, catalogueStep);
    QFETCH(QString, model);
    m_settings->bLocalDataSet = localDataSet;
    m_settings->DealerList = dealer;
    CHeadRowCatalogue &head = catalogue(true, mapping);
    CPendingIdent pending;
    QCOMPARE(int(head.LookupVin(kVinArvo, pending)), int(CVehicleIdent::VinFound));
    QCOMPARE(int(head.CatalogueStep(pending)), catalogueStep);
    QCOMPARE(pending.strModellBez, model);
    QCOMPARE(int(head.LookupTypeKey(QStringLiteral("7B01"), pending)),
             int(CVehicleIdent::TypeKeyFound));
    QCOMPARE(int(catalogue(false).LookupVin(kVinArvo, pending)),
             int(CVehicleIdent::VinNoConnection));
}

void TestHeadRowCatalogue::checkForTheVehicleSearch()
{
    QCOMPARE(CheckFgstNr(nullptr, m_db0.get(), kVinArvo), 1);
    QCOMPARE(CheckFgstNr(nullptr, m_db0.get(), kVinBento), 1);
    QCOMPARE(CheckFgstNr(nullptr, m_db0.get(), kVinTremik), 0);
    QCOMPARE(CheckFgstNr(nullptr, m_db0.get(), QStringLiteral("M012345")), 0);
    QCOMPARE(CheckFgstNr(nullptr, nullptr, kVinArvo), 0);
}

void TestHeadRowCatalogue::changeFlagsNameWhatDiffers()
{
    CIdentSnapshot a;
    a.strFgstnr = QStringLiteral("M012345");
    a.strTypSchl = QStringLiteral("7A01");
    a.strEReihe = QStringLiteral("F40");
    CIdentSnapshot b = a;
    QCOMPARE(CIdentSnapshot::Changes(a, b).bIdent, 0);
    b.strLTyp = QStringLiteral("1102");
    b.strModellBez = QStringLiteral("Arvo 2.0");
    const CChangeFlags c = CIdentSnapshot::Changes(a, b);
    QCOMPARE(c.bIdent, 1);
    QCOMPARE(c.bLeadTyp, 1);
    QCOMPARE(c.bModellBez, 1);
    QCOMPARE(c.bFgstnr, 0);
    QCOMPARE(c.bTypSchl, 0);
    QCOMPARE(c.bEReihe, 0);
}

void TestHeadRowCatalogue::clearedIdentificationKeepsTheCatalogueLine()
{
    CPrgSettings &s = *m_settings;
    s.Fgstnr = QStringLiteral("M012345");
    s.FgstnrFull = kVinArvo;
    s.TypSchl = QStringLiteral("7A01");
    s.LeadTyp = QStringLiteral("1101");
    s.ZusatzCode = QStringLiteral("A");
    s.Bestellnr = QStringLiteral("VQF40DE");
    s.EReihe = QStringLiteral("F40");
    s.bKatalogansicht = 0;
    CPendingIdent cleared;
    cleared.bCleared = 1;
    cleared.CommitTo(s);
    QCOMPARE(s.Fgstnr, QString());
    QCOMPARE(s.FgstnrFull, QString());
    QCOMPARE(s.TypSchl, QString());
    QCOMPARE(s.LeadTyp, QString());
    QCOMPARE(s.ZusatzCode, QString());
    QCOMPARE(s.ModellBez, QString());
    QCOMPARE(s.Bestellnr, QStringLiteral("VQF40DE"));
    QCOMPARE(s.EReihe, QStringLiteral("F40"));
    // In the catalogue view the model combo shows its no-model item.
    s.bKatalogansicht = 1;
    cleared.CommitTo(s);
    QCOMPARE(s.ModellBez, CPendingIdent::kNoModel);
}

// ---------------------------------------------------------------------------
// Version line

void TestHeadRowCatalogue::versionLine_data()
{
    QTest::addColumn<uint>("month");
    QTest::addColumn<uint>("year");
    QTest::addColumn<uint>("build");
    QTest::addColumn<uint>("subBuild");
    QTest::addColumn<QString>("edition");
    QTest::addColumn<QString>("line");

    // clang-format off
    QTest::newRow("release build")                                  << 3u  << 2019u << 12u << 7u << "R1"    << " - 03/2019 R1 (Build 12.7)";
    QTest::newRow("two-digit month is not padded further")          << 11u << 2024u << 0u  << 1u << "R2"    << " - 11/2024 R2 (Build 0.1)";
    QTest::newRow("edition text with a percent sign stays as it is") << 1u << 2025u << 4u  << 2u << "100%1" << " - 01/2025 100%1 (Build 4.2)";
    QTest::newRow("no edition text: no version line")              << 3u  << 2019u << 12u << 7u << ""      << "";
    // clang-format on
}

void TestHeadRowCatalogue::versionLine()
{
    QFETCH(uint, month);
    QFETCH(uint, year);
    QFETCH(uint, build);
    QFETCH(uint, subBuild);
    QFETCH(QString, edition);
    QFETCH(QString, line);
    CVersionData v;
    v.nMonth = month;
    v.nYear = year;
    v.nBuild = build;
    v.nSubBuild = subBuild;
    v.strEdition = edition;
    QCOMPARE(CVersionLine::Format(v), line);
}

YAQ_TEST_GUILESS_MAIN(TestHeadRowCatalogue)
#include "tst_headrowcatalogue.moc"
