// The package list page on the demo catalogue: the main groups a demo
// vehicle gets, going down and up the levels, a group without packages,
// the keyboard passing over separators, the package variant handed to the
// editing page, and the requested package forgotten when the vehicle
// changes.

#include "common/OwnYaqLB.h"
#include "packages/SRPBbDlg.h"
#include "packages/SRPWlDlg.h"
#include "packages/SRPWlRowModel.h"
#include "platform/OrmelText.h"
#include "platform/db/YaqDb.h"
#include "settings/PrgSettings.h"
#include "support/CatalogueDbTest.h"
#include "support/NullPageHost.h"
#include "support/TestEnv.h"
#include "support/Waits.h"

#include <QtTest>

#include <memory>

namespace {

// The main window as far as the package pages ask it something.
class RecordingHost : public CNullPageHost
{
public:
    int editingShown = 0;

    void ShowPage(int pageId, const CPageRequest &request) override
    {
        if (pageId == kPageSRPBb && request.activate && request.arg == 0)
            ++editingShown;
    }
};

// A vehicle with campaigns: the campaign row and a separator head the list.
class CampaignPage : public CSRPWlDlg
{
protected:
    bool ImportCampaigns() override { return true; }
};

} // namespace

class TestSRPWlPage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void demoVehicleListsItsMainGroups_data();
    void demoVehicleListsItsMainGroups();
    void levelsGoDownAndUp_data();
    void levelsGoDownAndUp();
    void keyboardPassesOverSeparators_data();
    void keyboardPassesOverSeparators();
    void packageGoesToEditingPageAsVariant_data();
    void packageGoesToEditingPageAsVariant();
    void groupWithoutPackagesListsNone();
    void unreadableCatalogueIsNoGroupWithoutPackages();
    void lostServerIsNoGroupWithoutPackages();
    void spotRepairBranchListsClassesAndMatrixRows();
    void changeForgetsTheRequestedPackage_data();
    void changeForgetsTheRequestedPackage();
    void catalogueHandsOverAPosition_data();
    void catalogueHandsOverAPosition();

private:
    void setVehicle(bool arvo);
    void start(CSRPWlDlg *page);
    COwnYaqLB *rowList() const;
    QStringList shown() const;
    QStringList path() const;
    void open(const QString &row);

    TestEnv m_env;
    CPrgSettings m_settings;
    RecordingHost m_host;
    std::unique_ptr<CYaqDb> m_db[3];
    std::unique_ptr<CSRPBbDlg> m_edit;
    std::unique_ptr<CSRPWlDlg> m_page;
};

void TestSRPWlPage::initTestCase()
{
    InitOrmelText(QStringLiteral(YAQ_DEMO_DATAS_DIR) + QStringLiteral("/Zirava/PrgTxt"));
    m_env.answerBoxes(IDOK);
}

void TestSRPWlPage::init()
{
    m_settings = CPrgSettings();
    m_host = RecordingHost();
    for (auto &db : m_db) {
        db = std::make_unique<CYaqDb>();
        QVERIFY(db->Open(QString(), QString(), QString(), 0, QStringLiteral(YAQ_DEMO_DATAS_DIR),
                         QString(), QString()));
    }
    m_edit = std::make_unique<CSRPBbDlg>();
    m_edit->Create(&m_settings, 147, 3183, {}, &m_host, nullptr);
}

void TestSRPWlPage::cleanup()
{
    m_page.reset();
    m_edit.reset();
    for (auto &db : m_db)
        db.reset();
}

void TestSRPWlPage::setVehicle(bool arvo)
{
    CPrgSettings &s = m_settings;
    s.bLocalDataSet = 1;
    s.KatalogKey = QStringLiteral("1");
    s.Heute = QStringLiteral("01.06.2024");
    s.Laendercode = QStringLiteral("DE");
    s.CountrySpecPakets = 1;
    s.DealerDataStorage = QStringLiteral(YAQ_DEMO_DATAS_DIR) + QStringLiteral("/Dealer");
    s.FgstnrFull = arvo ? QStringLiteral("XVQ1F23A57M012345") : QStringLiteral("XVQ2G45B684K56789");
    s.Fgstnr = s.FgstnrFull.right(7);
    // Arvo has inclusive-service contracts, Bento none.
    s.nVertrag = arvo ? 1 : 0;
    s.TypSchl = arvo ? QStringLiteral("7A01") : QStringLiteral("7B01");
    s.Bestellnr = arvo ? QStringLiteral("VQF40DE") : QStringLiteral("VQB20DE");
    s.EReihe = arvo ? QStringLiteral("F40 ") : QStringLiteral("B20 ");
    s.LeadTyp = arvo ? QStringLiteral("1101") : QStringLiteral("2201");
    s.ZusatzCode = arvo ? QStringLiteral("A") : QStringLiteral("B");
    s.ModellBez = arvo ? QStringLiteral("Arvo 1.6") : QStringLiteral("Bento");
    s.Erstzulassung = arvo ? QStringLiteral("15.03.2017") : QStringLiteral("01.01.2019");
}

void TestSRPWlPage::start(CSRPWlDlg *page)
{
    m_page.reset(page);
    m_page->Create(&m_settings, 146, 3183, {m_db[0].get(), m_db[1].get(), m_db[2].get()}, &m_host,
                   nullptr);
    m_page->SetEditingPage(m_edit.get());
    m_page->ActivatePage();
}

COwnYaqLB *TestSRPWlPage::rowList() const
{
    return m_page->findChild<COwnYaqLB *>(QStringLiteral("packageRowList"));
}

namespace {
QStringList Texts(const QAbstractItemModel *model)
{
    QStringList texts;
    for (int i = 0; i < model->rowCount(); ++i)
        texts << model->index(i, 0).data().toString();
    return texts;
}
} // namespace

QStringList TestSRPWlPage::shown() const
{
    return Texts(rowList()->model());
}

QStringList TestSRPWlPage::path() const
{
    return Texts(
        m_page->findChild<QAbstractItemView *>(QStringLiteral("packagePathList"))->model());
}

void TestSRPWlPage::open(const QString &row)
{
    const int index = shown().indexOf(row);
    QVERIFY2(index >= 0, qPrintable(row + QStringLiteral(" not in ") + shown().join(", ")));
    rowList()->setCurrentIndex(rowList()->model()->index(index, 0));
    m_page->ChooseRow();
}

void TestSRPWlPage::demoVehicleListsItsMainGroups_data()
{
    QTest::addColumn<bool>("arvo");
    QTest::addColumn<QStringList>("groups");
    // clang-format off
    QTest::newRow("arvo") << true  << QStringList{"-- Care & Cosmetic Repair", "", "11 Motor", "34 Bremsen", "64 Karosserie"};
    QTest::newRow("bento") << false << QStringList{"11 Motor", "34 Bremsen"};
    // clang-format on
}

void TestSRPWlPage::demoVehicleListsItsMainGroups()
{
    QFETCH(bool, arvo);
    QFETCH(QStringList, groups);
    setVehicle(arvo);
    start(new CSRPWlDlg);
    QCOMPARE(shown(), groups);
    QCOMPARE(rowList()->currentIndex().row(), 0);
    QVERIFY(path().isEmpty());
}

void TestSRPWlPage::levelsGoDownAndUp_data()
{
    // Row: the rows opened one after the other, how often "<<" follows,
    // the rows shown then and the path (which climbing leaves as it is).
    QTest::addColumn<QStringList>("opened");
    QTest::addColumn<int>("climbs");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QStringList>("pathRows");
    // The Arvo's model series has spot repair: its row and a separator head the list.
    const QStringList groups{"-- Care & Cosmetic Repair", "", "11 Motor", "34 Bremsen",
                             "64 Karosserie"};
    const QStringList firstLevel{"64 Tueren und Klappen", "64 Scheiben und Spiegel"};
    const QStringList doors{"64 Karosserie", "64 Tueren und Klappen", "64 11 Tuerschloss"};
    // clang-format off
    QTest::newRow("top level stays at the top")              << QStringList{} << 1 << groups << QStringList{};
    QTest::newRow("group straight onto packages and back")   << QStringList{"34 Bremsen"} << 1 << groups << QStringList{"34 Bremsen"};
    QTest::newRow("packages back to the first group level")  << QStringList{"64 Karosserie", "64 Scheiben und Spiegel"} << 1 << firstLevel << QStringList{"64 Karosserie", "64 Scheiben und Spiegel"};
    QTest::newRow("packages back to the second group level") << QStringList{"64 Karosserie", "64 Tueren und Klappen", "64 11 Tuerschloss"} << 1 << QStringList{"64 11 Tuer einstellen", "64 11 Tuerschloss"} << doors;
    QTest::newRow("second group level up to the first")      << QStringList{"64 Karosserie", "64 Tueren und Klappen", "64 11 Tuerschloss"} << 2 << firstLevel << doors;
    QTest::newRow("up to the top past both group levels")    << QStringList{"64 Karosserie", "64 Tueren und Klappen", "64 11 Tuerschloss"} << 3 << groups << doors;
    // clang-format on
}

void TestSRPWlPage::levelsGoDownAndUp()
{
    QFETCH(QStringList, opened);
    QFETCH(int, climbs);
    QFETCH(QStringList, rows);
    QFETCH(QStringList, pathRows);
    setVehicle(true);
    start(new CSRPWlDlg);
    for (const QString &row : opened)
        open(row);
    for (int i = 0; i < climbs; ++i)
        m_page->OnLevelUp();
    QCOMPARE(shown(), rows);
    QCOMPARE(rowList()->currentIndex().row(), 0);
    QCOMPARE(path(), pathRows);
}

void TestSRPWlPage::keyboardPassesOverSeparators_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("to");
    // The list: campaign row, spot-repair row, separator, the three main groups.
    // clang-format off
    QTest::newRow("down from the spot-repair row") << 1 << int(Qt::Key_Down) << 3;
    QTest::newRow("up from the first group")       << 3 << int(Qt::Key_Up)   << 1;
    QTest::newRow("down between groups")           << 3 << int(Qt::Key_Down) << 4;
    // clang-format on
}

void TestSRPWlPage::keyboardPassesOverSeparators()
{
    QFETCH(int, from);
    QFETCH(int, key);
    QFETCH(int, to);
    setVehicle(true);
    m_settings.MarketingCampaigns = 1;
    start(new CampaignPage);
    QCOMPARE(shown().mid(3), (QStringList{"11 Motor", "34 Bremsen", "64 Karosserie"}));
    rowList()->setCurrentIndex(rowList()->model()->index(from, 0));
    QTest::keyClick(rowList(), Qt::Key(key));
    YAQ_TRY_COMPARE(rowList()->currentIndex().row(), to);
    QCOMPARE(rowList()->selectionModel()->selectedIndexes(),
             QModelIndexList{rowList()->currentIndex()});
}

void TestSRPWlPage::packageGoesToEditingPageAsVariant_data()
{
    // Row: the package asked for (reached by the page itself and opened as
    // by a double click), the badge clicked afterwards (0: none), the
    // variant the editing page gets.
    // The catalogue flag 1 (a catalogue other than the standard one) finds
    // the package by its number.
    QTest::addColumn<QString>("package");
    QTest::addColumn<int>("katalogFlag");
    QTest::addColumn<int>("badge");
    QTest::addColumn<int>("kind");
    // clang-format off
    QTest::newRow("inclusive service before warranty")  << "1110010" << 0 << 0 << int(CSRPBbDlg::KindSP);
    QTest::newRow("value line before service repair")   << "1110030" << 0 << 0 << int(CSRPBbDlg::KindVL);
    QTest::newRow("warranty badge only on a click")     << "1110040" << 0 << 0 << int(CSRPBbDlg::KindSR);
    QTest::newRow("plain service repair")               << "1110020" << 0 << 0 << int(CSRPBbDlg::KindSR);
    QTest::newRow("warranty badge clicked")             << "1110040" << 0 << 4 << int(CSRPBbDlg::KindGR);
    QTest::newRow("value-line badge clicked")           << "1110030" << 0 << 2 << int(CSRPBbDlg::KindVL);
    QTest::newRow("package of a second group level")    << "6411020" << 0 << 0 << int(CSRPBbDlg::KindSR);
    QTest::newRow("catalogue flag: found by number")    << "1110040" << 1 << 0 << int(CSRPBbDlg::KindSR);
    // clang-format on
}

void TestSRPWlPage::packageGoesToEditingPageAsVariant()
{
    QFETCH(QString, package);
    QFETCH(int, katalogFlag);
    QFETCH(int, badge);
    QFETCH(int, kind);
    setVehicle(true);
    m_settings.PaketNr = package;
    m_settings.nKatalogFlag = katalogFlag;
    start(new CSRPWlDlg);
    QCOMPARE(m_host.editingShown, 1);
    QCOMPARE(m_edit->ListRow().number, package);
    if (badge) {
        emit rowList()->iconClicked(badge, rowList()->currentIndex());
        QCOMPARE(m_host.editingShown, 2);
    }
    QCOMPARE(m_edit->PackageKind(), kind);
    QVERIFY(m_edit->CaptionText().endsWith(package));
    // The row list shows the package among its neighbours, selected.
    const QModelIndex current = rowList()->currentIndex();
    QCOMPARE(current.data(CSRPWlRowModel::RowRole).value<const CPackageRow *>()->number, package);
}

void TestSRPWlPage::groupWithoutPackagesListsNone()
{
    // A lead type without labour values: the catalogue lines are there, but
    // no package applies to the vehicle.
    setVehicle(true);
    m_settings.LeadTyp = QStringLiteral("1199");
    start(new CSRPWlDlg);
    const qsizetype before = m_env.boxes().size();
    open(QStringLiteral("34 Bremsen"));
    QCOMPARE(m_env.boxes().size(), before + 1);
    QCOMPARE(m_env.boxes().last().text, OrmelText(4035));
    QCOMPARE(m_env.boxes().last().caption, OrmelText(3183));
    QVERIFY(shown().isEmpty());
    QCOMPARE(path(), QStringList{"34 Bremsen"});
    m_page->OnLevelUp();
    QCOMPARE(shown().mid(2), (QStringList{"11 Motor", "34 Bremsen", "64 Karosserie"}));
}

// The catalogue cannot be read (its connections are gone): the
// adviser is told so, not that the group has no packages; the vehicle
// stays, and once the catalogue can be read again the group opens.
void TestSRPWlPage::unreadableCatalogueIsNoGroupWithoutPackages()
{
    setVehicle(true);
    start(new CSRPWlDlg);
    for (auto &db : m_db)
        db->Close();
    const qsizetype before = m_env.boxes().size();
    open(QStringLiteral("34 Bremsen"));
    QCOMPARE(m_env.boxes().size(), before + 1);
    QCOMPARE(m_env.boxes().last().text, OrmelText(7024));
    QCOMPARE(m_settings.FgstnrFull, QStringLiteral("XVQ1F23A57M012345"));

    for (auto &db : m_db)
        QVERIFY(db->Open(QString(), QString(), QString(), 0, QStringLiteral(YAQ_DEMO_DATAS_DIR),
                         QString(), QString()));
    // The adviser stays on the row and opens it again.
    open(QStringLiteral("34 Bremsen"));
    QCOMPARE(m_env.boxes().size(), before + 1);
    QVERIFY(!shown().isEmpty());
}

// The same on the catalogue server, reached through a proxy of the test's
// own that goes away after the list was built.
void TestSRPWlPage::lostServerIsNoGroupWithoutPackages()
{
    if (!CatalogueDbTest::ServerGiven())
        QSKIP("no PostgreSQL server given (YAQ_TEST_PG_*)");
    CProxiedServer proxy;
    QVERIFY(proxy.Port());
    for (auto &db : m_db) {
        db = proxy.Open();
        QVERIFY(db);
    }
    setVehicle(true);
    m_settings.bLocalDataSet = 0;
    start(new CSRPWlDlg);
    proxy.Cut();
    const qsizetype before = m_env.boxes().size();
    open(QStringLiteral("34 Bremsen"));
    QCOMPARE(m_env.boxes().size(), before + 1);
    QCOMPARE(m_env.boxes().last().text, OrmelText(7024));

    proxy.Resume();
    // The adviser stays on the row and opens it again.
    open(QStringLiteral("34 Bremsen"));
    QCOMPARE(m_env.boxes().size(), before + 1);
    QVERIFY(!shown().isEmpty());
}

void TestSRPWlPage::spotRepairBranchListsClassesAndMatrixRows()
{
    // The demo dealer's paint classes of the main brand, in the reverse of
    // the file order; a class opened lists the matrix rows and opens none.
    setVehicle(true);
    start(new CSRPWlDlg);
    open(QStringLiteral("-- Care & Cosmetic Repair"));
    QCOMPARE(shown(), QStringList{QStringLiteral("Lack (Spot Repair)")});
    open(QStringLiteral("Lack (Spot Repair)"));
    QCOMPARE(shown(), (QStringList{"Metallic-Lack", "Uni-Lack"}));
    open(QStringLiteral("Uni-Lack"));
    QCOMPARE(shown().size(), 3);
    QCOMPARE(m_host.editingShown, 0);
    QCOMPARE(path().mid(1), (QStringList{"Lack (Spot Repair)", "Uni-Lack"}));
}

void TestSRPWlPage::changeForgetsTheRequestedPackage_data()
{
    // Row: the change the main window reports, the caller mode "qvledit";
    // whether the package asked for is kept for the way down.
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("qvlEdit");
    QTest::addColumn<bool>("kept");
    // clang-format off
    QTest::newRow("mileage")                       << "mileage"  << false << false;
    QTest::newRow("VIN")                           << "vin"      << false << false;
    QTest::newRow("language")                      << "language" << false << false;
    QTest::newRow("mileage, editing one package")  << "mileage"  << true  << true;
    QTest::newRow("nothing")                       << ""         << false << true;
    // clang-format on
}

void TestSRPWlPage::changeForgetsTheRequestedPackage()
{
    QFETCH(QString, change);
    QFETCH(bool, qvlEdit);
    QFETCH(bool, kept);
    setVehicle(true);
    m_settings.PaketNr = QStringLiteral("1110020");
    start(new CSRPWlDlg);
    QCOMPARE(m_settings.PaketNr, QStringLiteral("1110020"));
    m_settings.bQvlEdit = qvlEdit ? 1 : 0;
    m_page->m_Changed.bKilometer = change == QLatin1String("mileage") ? 1 : 0;
    m_page->m_Changed.bFgstnr = m_page->m_Changed.bIdent = change == QLatin1String("vin") ? 1 : 0;
    m_page->m_Changed.bSprache = change == QLatin1String("language") ? 1 : 0;
    m_page->ActivatePage();
    QCOMPARE(m_settings.PaketNr, kept ? QStringLiteral("1110020") : QString());
}

void TestSRPWlPage::catalogueHandsOverAPosition_data()
{
    // Row: the labour position and its catalogue line the catalogue's
    // "Pakete" hands over while the page shows the spot-repair matrix rows
    // -> the path then shown and the package row selected there.
    QTest::addColumn<QString>("apNumber");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("path");
    // clang-format off
    QTest::newRow("oil service")                       << "1110010" << "0110" << QStringList{"11 Motor"};
    QTest::newRow("door lock of a second group level") << "6411020" << "0120" << QStringList{"64 Karosserie", "64 Tueren und Klappen", "64 11 Tuerschloss"};
    // clang-format on
}

void TestSRPWlPage::catalogueHandsOverAPosition()
{
    QFETCH(QString, apNumber);
    QFETCH(QString, line);
    setVehicle(true);
    start(new CSRPWlDlg);
    open(QStringLiteral("-- Care & Cosmetic Repair"));
    open(QStringLiteral("Lack (Spot Repair)"));
    open(QStringLiteral("Uni-Lack"));
    m_settings.SRPWlApNr = apNumber;
    m_settings.SRPWlKatZeile = line;
    m_page->ActivatePage();
    QTEST(path(), "path");
    const QModelIndex current = rowList()->currentIndex();
    QVERIFY(current.isValid());
    QCOMPARE(current.data(CSRPWlRowModel::RowRole).value<const CPackageRow *>()->number, apNumber);
    // The list shows the packages; none is opened for editing.
    QCOMPARE(m_host.editingShown, 0);
    QVERIFY(m_settings.SRPWlApNr.isEmpty());
}

YAQ_TEST_MAIN(TestSRPWlPage)

#include "tst_srpwlpage.moc"
