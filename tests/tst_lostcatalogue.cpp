// The main window on the catalogue server, reached through a proxy of the
// test's own: every page and head action an adviser reaches on the demo
// vehicles, once with the server gone and once with it silent. No step says
// "none" or "not found" (each tells the lost server), none waits much more
// than one bound, and once the server answers again each page shows its
// rows on its next opening, without the VIN typed again.

#include "app/EReiheCombo.h"
#include "app/HomeDlg.h"
#include "app/Yaq2Dlg.h"
#include "basket/model/WKListItem.h"
#include "basket/model/WkBasket.h"
#include "catalogues/AwKatDlg.h"
#include "catalogues/model/AwKatColumns.h"
#include "catalogues/model/AwKatRowModel.h"
#include "catalogues/model/AwKatWalk.h"
#include "common/OwnButton.h"
#include "common/OwnWhiteButton.h"
#include "common/UmfassDlg.h"
#include "packages/HLXRowPainter.h"
#include "packages/model/Position.h"
#include "platform/OrmelText.h"
#include "platform/db/CatalogueFailure.h"
#include "platform/db/ServerWait.h"
#include "platform/db/YaqDb.h"
#include "settings/DmsHeader.h"
#include "support/CatalogueDbTest.h"
#include "support/MainWindowTest.h"
#include "support/Waits.h"
#include "yaq2-dms/StandInDms.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>
#include <utility>

namespace {
const QString kVinArvo = QStringLiteral("XVQ1F23A57M012345");
const QString kVinBento = QStringLiteral("XVQ2G45B684K56789");
// The bound of one wait on the server in this test; a step may take it once
// and the window's own work: three bounds are far from a second wait.
constexpr int kBoundMs = 2000;
constexpr int kStepLimitMs = 3 * kBoundMs;
} // namespace

// The adviser's step, and what shows that it worked.
using LostStep = std::function<void(CYaq2Dlg &)>;
using LostShows = std::function<bool(CYaq2Dlg &)>;
using HomeButton = COwnWhiteButton *(CHomeDlg::*)() const;
Q_DECLARE_METATYPE(LostStep)
Q_DECLARE_METATYPE(LostShows)

class TestLostCatalogue : public MainWindowTest
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void everyStepTellsTheLostServer_data();
    void everyStepTellsTheLostServer();
    void refusalIsToldWithItsReason_data();
    void refusalIsToldWithItsReason();
    void dmsPushKeepsVehicleAndBasket_data();
    void dmsPushKeepsVehicleAndBasket();
    void contractCheckedAgainAfterItFailed_data();
    void contractCheckedAgainAfterItFailed();
    void failureToldOnceAnAction_data();
    void failureToldOnceAnAction();

private:
    void typeVin(const QString &vin);
    // Runs the statement on the server as the suite's user (not through the
    // proxy).
    bool asOwner(const QString &sql);
    // The reader the window connects as: a role of this test's own, whose
    // right to read the rows can be taken away (the suite's user reads
    // everything, whatever it is refused).
    QString m_reader;

    std::unique_ptr<CProxiedServer> m_proxy;
};

bool TestLostCatalogue::asOwner(const QString &sql)
{
    const QString name = QStringLiteral("owner");
    bool done = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        db.setHostName(qEnvironmentVariable("YAQ_TEST_PG_HOST"));
        db.setPort(qEnvironmentVariableIntValue("YAQ_TEST_PG_PORT"));
        db.setDatabaseName(qEnvironmentVariable("YAQ_TEST_PG_DB"));
        db.setUserName(qEnvironmentVariable("YAQ_TEST_PG_USER"));
        db.setPassword(qEnvironmentVariable("YAQ_TEST_PG_PASSWORD"));
        QSqlQuery query(db);
        done = db.open() && query.exec(sql);
        if (!done)
            qWarning("%s: %s", qPrintable(sql),
                     qPrintable(db.lastError().text() + query.lastError().text()));
    }
    QSqlDatabase::removeDatabase(name);
    return done;
}

void TestLostCatalogue::initTestCase()
{
    if (!CatalogueDbTest::ServerGiven())
        return;
    m_reader = QStringLiteral("yaq_reader_%1").arg(QCoreApplication::applicationPid());
    QVERIFY(asOwner(QStringLiteral("CREATE ROLE %1 LOGIN PASSWORD 'reader'").arg(m_reader)));
    QVERIFY(
        asOwner(QStringLiteral("GRANT SELECT ON ALL TABLES IN SCHEMA public TO %1").arg(m_reader)));
}

void TestLostCatalogue::cleanupTestCase()
{
    if (m_reader.isEmpty())
        return;
    QVERIFY(asOwner(QStringLiteral("DROP OWNED BY %1").arg(m_reader)));
    QVERIFY(asOwner(QStringLiteral("DROP ROLE %1").arg(m_reader)));
}

void TestLostCatalogue::init()
{
    if (!CatalogueDbTest::ServerGiven())
        QSKIP("no PostgreSQL server given (YAQ_TEST_PG_*)");
    // A row whose start failed was not cleaned up.
    if (m_env)
        tearDownDemo();
    m_proxy.reset();
    // The reader's right to read, taken away by a row that failed.
    QVERIFY(
        asOwner(QStringLiteral("GRANT SELECT ON ALL TABLES IN SCHEMA public TO %1").arg(m_reader)));
    setUpDemo();
    // Without the local catalogue file the window reads the server.
    QVERIFY(QFile::remove(m_settings->DataDir + QStringLiteral("/YAQ2.dat")));
    m_proxy = std::make_unique<CProxiedServer>();
    QVERIFY(m_proxy->Port());
    // The window starts and identifies with the program's own bound, far
    // above a loaded machine's connection time; only the step under test
    // has the short one.
    CServerWait::SetBoundMs(0);
    CMainWndEnv env;
    env.connection.tns = QStringLiteral("%1:%2/%3")
                             .arg(qEnvironmentVariable("YAQ_TEST_PG_HOST"))
                             .arg(m_proxy->Port())
                             .arg(qEnvironmentVariable("YAQ_TEST_PG_DB"));
    env.connection.uid = m_reader;
    env.connection.pwd = QStringLiteral("reader");
    m_dlg = std::make_unique<CYaq2Dlg>(m_settings.get(), env);
    QCOMPARE(m_dlg->OpenError(), QString());
    m_dlg->InitDialog(CMainWndArgs());
    QVERIFY(!m_dlg->IsEnded());
}

void TestLostCatalogue::cleanup()
{
    if (!m_env)
        return;
    tearDownDemo();
    m_proxy.reset();
}

void TestLostCatalogue::typeVin(const QString &vin)
{
    QLineEdit *edit = m_dlg->VinEdit();
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, vin);
}

namespace {

// The adviser's step, and what shows that it worked.
struct LostRow
{
    const char *name;
    QString vehicle; // identified before the server goes
    LostStep setUp;  // while the server answers, after the vehicle (may be empty)
    LostStep step;
    LostShows shows;
};

bool Lists(CYaq2Dlg &d, const char *list)
{
    const auto *view = d.VisiblePage()
                           ? d.VisiblePage()->findChild<QAbstractItemView *>(QLatin1String(list))
                           : nullptr;
    return view && view->model() && view->model()->rowCount() > 0;
}

LostStep Home(HomeButton which)
{
    return [which](CYaq2Dlg &d) {
        QTest::mouseClick(d.findChild<QWidget *>(QStringLiteral("titleButton")), Qt::LeftButton);
        QTest::mouseClick((d.Page<CHomeDlg>()->*which)(), Qt::LeftButton);
    };
}

LostStep Head(int button)
{
    return [button](CYaq2Dlg &d) { QTest::mouseClick(d.HeadButton(button), Qt::LeftButton); };
}

LostShows PageShows(int id, const char *list)
{
    return [id, list](CYaq2Dlg &d) { return d.CurrentPage() == id && (!list || Lists(d, list)); };
}

LostStep Typed(const char *field, const QString &text)
{
    return [field, text](CYaq2Dlg &d) {
        auto *edit = d.findChild<QLineEdit *>(QLatin1String(field));
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    };
}

// The mileage typed; the page shown follows once the typing pauses.
LostStep Mileage(const QString &km)
{
    return [km](CYaq2Dlg &d) {
        Typed("mileageEdit", km)(d);
        if (auto *pause = d.findChild<QTimer *>(QStringLiteral("mileagePauseTimer")))
            QVERIFY(QTest::qWaitFor([pause] { return !pause->isActive(); }, 5 * kBoundMs));
    };
}

// The steps of the head row: identification, series and model.
QList<LostRow> HeadRows()
{
    const auto identified = [](const QString &typeKey, const QString &model) {
        return LostShows([typeKey, model](CYaq2Dlg &d) {
            return d.findChild<QLineEdit *>(QStringLiteral("typeKeyEdit"))->text() == typeKey &&
                   d.findChild<QComboBox *>(QStringLiteral("modelCombo"))->currentText() == model;
        });
    };
    const auto series = [](const QString &name) {
        return LostStep([name](CYaq2Dlg &d) {
            // The adviser opens the list and picks the series.
            auto *combo = d.findChild<CEReiheCombo *>(QStringLiteral("modelSeriesCombo"));
            emit combo->aboutToShowPopup();
            const int index = combo->findText(name);
            combo->setCurrentIndex(index);
            emit combo->activated(index);
        });
    };
    const auto models = LostShows([](CYaq2Dlg &d) {
        return d.findChild<QComboBox *>(QStringLiteral("modelCombo"))->count() > 0;
    });
    const auto model = [](const QString &name) {
        return LostStep([name](CYaq2Dlg &d) {
            auto *combo = d.findChild<QComboBox *>(QStringLiteral("modelCombo"));
            const int index = combo->findText(name);
            combo->setCurrentIndex(index);
            emit combo->activated(index);
        });
    };
    const auto leadTypes = LostShows([](CYaq2Dlg &d) {
        return d.findChild<QComboBox *>(QStringLiteral("leadTypeCombo"))->count() > 0;
    });
    // clang-format off
    return {
        {"VIN of the Arvo typed",                  QString(), {}, Typed("vinEdit", kVinArvo),      identified("7A01", "Arvo 1.6")},
        {"VIN of the Arvo typed, Bento shown",     kVinBento, {}, Typed("vinEdit", kVinArvo),      identified("7A01", "Arvo 1.6")},
        {"type key 7A01 typed",                    QString(), {}, Typed("typeKeyEdit", "7A01"),    identified("7A01", "Arvo 1.6")},
        {"type key 7A01 typed, Bento shown",       kVinBento, {}, Typed("typeKeyEdit", "7A01"),    identified("7A01", "Arvo 1.6")},
        {"series B20 chosen",                      kVinArvo,  {},    series("B20"),                   models},
        {"series C30 chosen",                      kVinArvo,  {},    series("C30"),                   models},
        {"head: contracts",                        kVinArvo,  {},    Head(kBtnContract),              PageShows(kPageHLX, "contractList")},
        {"model Arvo 2.0 chosen",                  kVinArvo,  {},    model("Arvo 2.0"),               leadTypes},
        {"mileage typed, contracts shown",         kVinArvo,  Head(kBtnContract), Mileage("45210"), PageShows(kPageHLX, "contractList")},
    };
    // clang-format on
}

// The steps of the labour values, findings and inspection sheets.
QList<LostRow> CatalogueRows()
{
    const auto view = [](CYaq2Dlg &d, const char *list) {
        return d.VisiblePage()->findChild<QAbstractItemView *>(QLatin1String(list));
    };
    // The labour-value row of the number, clicked (and opened with Enter).
    const auto awRow = [view](CYaq2Dlg &d, const QString &number, bool open) {
        QAbstractItemView *rows = view(d, "mainList");
        for (int i = 0; i < rows->model()->rowCount(); ++i) {
            const QModelIndex index = rows->model()->index(i, 0);
            if (CAwKatRowModel::RowOf(index)->Number != number)
                continue;
            QTest::mouseClick(rows->viewport(), Qt::LeftButton, {},
                              rows->visualRect(index).center());
            if (open)
                QTest::keyClick(rows, Qt::Key_Return);
            return;
        }
    };
    const auto awOpen = [awRow](std::initializer_list<const char *> numbers) {
        std::vector<QString> path(numbers.begin(), numbers.end());
        return LostStep([awRow, path](CYaq2Dlg &d) {
            QTest::mouseClick(d.Page<CHomeDlg>()->AwButton(), Qt::LeftButton);
            for (const QString &number : path)
                awRow(d, number, true);
            QVERIFY(Lists(d, "mainList"));
        });
    };
    const auto awButton = [](const char *button) {
        return LostStep([button](CYaq2Dlg &d) {
            QTest::mouseClick(d.VisiblePage()->findChild<QAbstractButton *>(QLatin1String(button)),
                              Qt::LeftButton);
        });
    };
    // The scope-text box of the position: its lines as shown, the box closed.
    auto boxLines = std::make_shared<QStringList>();
    const auto scopeBox = [boxLines](const char *button) {
        return LostStep([boxLines, button](CYaq2Dlg &d) {
            boxLines->clear();
            QTimer::singleShot(0, [boxLines] {
                if (auto *box = qobject_cast<CUmfassDlg *>(QApplication::activeModalWidget())) {
                    *boxLines = box->Lines();
                    box->accept();
                }
            });
            QTest::mouseClick(d.VisiblePage()->findChild<QAbstractButton *>(QLatin1String(button)),
                              Qt::LeftButton);
            QVERIFY2(boxLines->isEmpty() || !boxLines->first().isEmpty(), "no empty box");
        });
    };
    const auto boxShows = LostShows([boxLines](CYaq2Dlg &) { return !boxLines->isEmpty(); });
    // Position 1110010 clicked, coming from another one: its buttons are
    // asked anew.
    const auto clickPosition = LostStep([view, awRow](CYaq2Dlg &d) {
        const QString number = QStringLiteral("1110010");
        if (CAwKatRowModel::RowOf(view(d, "mainList")->currentIndex())->Number == number)
            awRow(d, QStringLiteral("1110015"), false);
        awRow(d, number, false);
    });
    const auto enabled = [](const char *button) {
        return LostShows([button](CYaq2Dlg &d) {
            return d.VisiblePage()
                ->findChild<QAbstractButton *>(QLatin1String(button))
                ->isEnabled();
        });
    };

    const auto openFindings = LostStep([](CYaq2Dlg &d) {
        QTest::mouseClick(d.Page<CHomeDlg>()->BefundButton(), Qt::LeftButton);
        QVERIFY(Lists(d, "upperList"));
    });
    // The findings row that begins with the keys, opened with Enter.
    const auto findingRow = [](const char *list, const QString &keys) {
        return LostStep([list, keys](CYaq2Dlg &d) {
            auto *rows = d.VisiblePage()->findChild<QListWidget *>(QLatin1String(list));
            for (int i = 0; i < rows->count(); ++i) {
                if (rows->item(i)->text().trimmed().startsWith(keys + QLatin1String("  "))) {
                    rows->setCurrentRow(i);
                    QTest::keyClick(rows, Qt::Key_Return);
                    return;
                }
            }
        });
    };
    const auto openSubgroup = LostStep([openFindings, findingRow](CYaq2Dlg &d) {
        openFindings(d);
        findingRow("upperList", "11")(d);
        findingRow("upperList", "1110")(d);
        QVERIFY(Lists(d, "resultList"));
    });
    const auto mainGroups = LostShows([](CYaq2Dlg &d) {
        return d.CurrentPage() == kPageBfnd &&
               d.VisiblePage()->findChild<QListWidget *>(QStringLiteral("upperList"))->count() == 2;
    });
    // A field of the findings typed and searched; no "no text" for the
    // position while the server is lost.
    const auto searched = [](const char *field, const QString &text) {
        return LostStep([field, text](CYaq2Dlg &d) {
            Typed(field, text)(d);
            QTest::keyClick(d.VisiblePage()->findChild<QLineEdit *>(QLatin1String(field)),
                            Qt::Key_Return);
            QVERIFY(d.findChild<QLineEdit *>(QStringLiteral("hintText"))->text() !=
                    OrmelText(3041));
        });
    };
    const auto findings = [](const char *list, int atLeast) {
        return LostShows([list, atLeast](CYaq2Dlg &d) {
            const auto *rows = d.VisiblePage()->findChild<QListWidget *>(QLatin1String(list));
            return d.CurrentPage() == kPageBfnd && rows && rows->count() >= atLeast;
        });
    };
    // The findings of the selected position (back to it from the findings
    // shown before).
    const auto awFindings = LostStep([awButton](CYaq2Dlg &d) {
        if (d.CurrentPage() == kPageBfnd)
            awButton("backButton")(d);
        awButton("findingsButton")(d);
        QVERIFY(d.findChild<QLineEdit *>(QStringLiteral("hintText"))->text() != OrmelText(3041));
    });
    const auto position = awOpen({"11", "10", "1110", "1110010"});
    // clang-format off
    return {
        {"home: labour values",                    kVinArvo, {},  Home(&CHomeDlg::AwButton),       PageShows(kPageAwKat, "mainList")},
        {"labour values: position clicked",        kVinArvo, awOpen({"11", "10", "1110", "1110015"}), clickPosition, enabled("inclusiveButton")},
        {"labour values: scope texts",             kVinArvo, position, scopeBox("scopeTextsButton"), boxShows},
        {"labour values: inclusive positions",     kVinArvo, position, scopeBox("inclusiveButton"), boxShows},
        {"labour values: findings of a position",  kVinArvo, position, awFindings,                 findings("resultList", 1)},
        {"home: findings",                         kVinArvo, {},  Home(&CHomeDlg::BefundButton),   PageShows(kPageBfnd, "upperList")},
        {"findings: main group 11 opened",         kVinArvo, openFindings, findingRow("upperList", "11"), findings("upperList", 3)},
        {"findings: << from main group 11",        kVinArvo, openSubgroup, awButton("levelBackButton"), mainGroups},
        {"findings: mileage typed (contracts)",    kVinArvo, openSubgroup, Mileage("5"), findings("resultList", 3)},
        {"findings: position 1110010 searched",    kVinArvo, openFindings, searched("apNumber", "1110010"), findings("resultList", 2)},
        {"home: inspection sheets (Wartung)",      kVinArvo, {},  Home(&CHomeDlg::SBLButton),      PageShows(kPageSBLWl, nullptr)},
    };
    // clang-format on
}

// The steps of the package list and a package's pages.
QList<LostRow> PackageRows()
{
    // The package list shown while the server answers.
    const auto openPackages = LostStep([](CYaq2Dlg &d) {
        QTest::mouseClick(d.Page<CHomeDlg>()->PaketeButton(), Qt::LeftButton);
        QVERIFY(Lists(d, "packageRowList"));
    });
    const auto group = LostStep([](CYaq2Dlg &d) {
        auto *rows =
            d.VisiblePage()->findChild<QAbstractItemView *>(QStringLiteral("packageRowList"));
        const QModelIndexList found =
            rows->model()->match(rows->model()->index(0, 0), Qt::DisplayRole,
                                 QStringLiteral("34 Bremsen"), 1, Qt::MatchExactly);
        if (found.isEmpty())
            return;
        rows->setCurrentIndex(found.first());
        QTest::keyClick(rows, Qt::Key_Return);
    });
    // A row of a list of the visible page chosen by its first characters
    // and opened by Enter; a modal dialog it opens is read and closed.
    const auto enter = [](const char *list, const char *number) {
        return LostStep([list, number](CYaq2Dlg &d) {
            auto *rows = d.VisiblePage()->findChild<QAbstractItemView *>(QLatin1String(list));
            const QModelIndexList found =
                rows->model()->match(rows->model()->index(0, 0), Qt::DisplayRole,
                                     QLatin1String(number), 1, Qt::MatchStartsWith);
            if (found.isEmpty())
                return;
            rows->setCurrentIndex(found.first());
            rows->selectionModel()->select(found.first(), QItemSelectionModel::ClearAndSelect);
            QTest::keyClick(rows, Qt::Key_Return);
        });
    };
    const auto openGroup = LostStep([openPackages, group](CYaq2Dlg &d) {
        openPackages(d);
        group(d);
    });
    const auto openPackage = LostStep([openGroup, enter](CYaq2Dlg &d) {
        openGroup(d);
        enter("packageRowList", "3410050")(d);
        QVERIFY(Lists(d, "packagePositionList"));
    });
    // The oil service, offered as inclusive service and as warranty.
    const auto openOilService = LostStep([openPackages, enter](CYaq2Dlg &d) {
        openPackages(d);
        enter("packageRowList", "11 Motor")(d);
        enter("packageRowList", "1110010")(d);
        QVERIFY(Lists(d, "packagePositionList"));
    });
    const auto kind = [](const char *button) {
        return LostStep([button](CYaq2Dlg &d) {
            QTest::mouseClick(d.VisiblePage()->findChild<QWidget *>(QLatin1String(button)),
                              Qt::LeftButton);
        });
    };
    // The optional sub-package's dialog: its rows counted, then closed.
    auto dialogRows = std::make_shared<int>(-1);
    const auto optional = LostStep([enter, dialogRows](CYaq2Dlg &d) {
        *dialogRows = -1;
        QTimer closer;
        closer.setInterval(10);
        QObject::connect(&closer, &QTimer::timeout, [dialogRows] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            const auto *rows =
                dialog->findChild<QAbstractItemView *>(QStringLiteral("optionalPositionList"));
            *dialogRows = rows ? rows->model()->rowCount() : -1;
            dialog->done(QDialog::Rejected);
        });
        closer.start();
        enter("packagePositionList", "3410060")(d);
    });
    // clang-format off
    return {
        {"home: packages",                         kVinArvo, {},  Home(&CHomeDlg::PaketeButton),   PageShows(kPageSRPWl, "packageRowList")},
        {"packages: group 34 opened",              kVinArvo, openPackages, group,                           PageShows(kPageSRPWl, "packagePathList")},
        {"packages: package 3410050 opened",       kVinArvo, openGroup,    enter("packageRowList", "3410050"), PageShows(kPageSRPBb, "packagePositionList")},
        {"package: optional package 3410060",      kVinArvo, openPackage,  optional,                        [dialogRows](CYaq2Dlg &) { return *dialogRows > 0; }},
        {"package 1110010: warranty (GR) chosen",  kVinArvo, openOilService, kind("kindGRButton"),          PageShows(kPageSRPBb, "packagePositionList")},
    };
    // clang-format on
}

} // namespace

void TestLostCatalogue::everyStepTellsTheLostServer_data()
{
    QTest::addColumn<QString>("server"); // "gone", "silent" or "refusing"
    QTest::addColumn<QString>("vehicle");
    QTest::addColumn<LostStep>("setUp");
    QTest::addColumn<LostStep>("step");
    QTest::addColumn<LostShows>("shows");
    const QList<LostRow> rows = HeadRows() + CatalogueRows() + PackageRows();
    // A server that answers and refuses: told with its words on the pages
    // whose reads it refuses.
    const QStringList refused{"home: packages", "packages: group 34 opened", "home: labour values",
                              "head: contracts"};
    for (const char *server : {"gone", "silent", "refusing"}) {
        for (const LostRow &row : rows) {
            if (qstrcmp(server, "refusing") == 0 && !refused.contains(QLatin1String(row.name)))
                continue;
            QTest::addRow("%s, server %s", row.name, server)
                << QString::fromLatin1(server) << row.vehicle << row.setUp << row.step << row.shows;
        }
    }
}

void TestLostCatalogue::everyStepTellsTheLostServer()
{
    QFETCH(QString, server);
    QFETCH(QString, vehicle);
    QFETCH(LostStep, setUp);
    QFETCH(LostStep, step);
    QFETCH(LostShows, shows);
    CYaq2Dlg &d = *m_dlg;
    if (!vehicle.isEmpty()) {
        typeVin(vehicle);
        QVERIFY(!d.findChild<QLineEdit *>(QStringLiteral("typeKeyEdit"))->text().isEmpty());
    }
    // What the step needs shown, while the server answers.
    if (setUp)
        setUp(d);
    const QString shownVin = d.VinEdit()->text();
    const QString shownTypeKey = d.findChild<QLineEdit *>(QStringLiteral("typeKeyEdit"))->text();
    const QString shownModel =
        d.findChild<QComboBox *>(QStringLiteral("modelCombo"))->currentText();
    const qsizetype before = m_env->boxes().size();

    CServerWait::SetBoundMs(kBoundMs);
    const QString rights = QStringLiteral("SELECT ON ALL TABLES IN SCHEMA public");
    const bool refusing = server == QLatin1String("refusing");
    if (refusing)
        QVERIFY(asOwner(QStringLiteral("REVOKE %1 FROM %2").arg(rights, m_reader)));
    else if (server == QLatin1String("silent"))
        m_proxy->Freeze();
    else
        m_proxy->Cut();
    QElapsedTimer clock;
    clock.start();
    step(d);
    const qint64 took = clock.elapsed();
    const QList<MsgBoxRequest> told = m_env->boxes().mid(before);
    QVERIFY2(!told.isEmpty(), "the lost server is told");
    const QString refusal = OrmelText(7025).section(QLatin1String("%s"), 0, 0);
    for (const MsgBoxRequest &box : told) {
        if (!refusing) {
            QCOMPARE(box.text, OrmelText(7024));
            continue;
        }
        // The reason in German and the server's own words.
        QVERIFY2(box.text.startsWith(refusal) && box.text.contains(OrmelText(7037)) &&
                     box.text.contains(QLatin1String("permission denied")),
                 qPrintable(box.text));
    }
    QVERIFY2(took < kStepLimitMs, qPrintable(QStringLiteral("the step took %1 ms").arg(took)));
    // A model shown belongs to the vehicle shown before, whole: never the
    // old model beside a new VIN or type key.
    if (!d.findChild<QComboBox *>(QStringLiteral("modelCombo"))->currentText().isEmpty()) {
        QCOMPARE(d.VinEdit()->text(), shownVin);
        QCOMPARE(d.TypeKeyEdit()->text(), shownTypeKey);
        QCOMPARE(d.findChild<QComboBox *>(QStringLiteral("modelCombo"))->currentText(), shownModel);
    }

    if (refusing)
        QVERIFY(asOwner(QStringLiteral("GRANT %1 TO %2").arg(rights, m_reader)));
    else
        m_proxy->Resume();
    CServerWait::SetBoundMs(0);
    const qsizetype afterResume = m_env->boxes().size();
    step(d);
    QCOMPARE(m_env->boxes().mid(afterResume).size(), 0);
    QVERIFY(shows(d));
}

// A server that answers but refuses is told with the reason in German and
// what it said, never as a server that cannot be reached.
void TestLostCatalogue::refusalIsToldWithItsReason_data()
{
    QTest::addColumn<bool>("rightPassword");
    QTest::addColumn<QString>("sql"); // run once connected
    QTest::addColumn<bool>("cut");
    QTest::addColumn<int>("message");
    QTest::addColumn<int>("reason"); // 0: none
    // clang-format off
    QTest::newRow("wrong password") << false << QString()                      << false << 7039 << 7026;
    QTest::newRow("table missing")  << true  << "SELECT 1 FROM catalogue_gone" << false << 7025 << 7029;
    QTest::newRow("server gone")    << true  << "SELECT 1"                      << true  << 7024 << 0;
    // clang-format on
}

void TestLostCatalogue::refusalIsToldWithItsReason()
{
    QFETCH(bool, rightPassword);
    QFETCH(QString, sql);
    QFETCH(bool, cut);
    QFETCH(int, message);
    QFETCH(int, reason);
    CYaqDb db;
    const QString password = rightPassword ? qEnvironmentVariable("YAQ_TEST_PG_PASSWORD")
                                           : QStringLiteral("not-the-password");
    const bool open = db.Open(QStringLiteral("%1:%2/%3")
                                  .arg(qEnvironmentVariable("YAQ_TEST_PG_HOST"))
                                  .arg(m_proxy->Port())
                                  .arg(qEnvironmentVariable("YAQ_TEST_PG_DB")),
                              qEnvironmentVariable("YAQ_TEST_PG_USER"), password, 0, QString(),
                              QString(), QString());
    QCOMPARE(open, rightPassword);
    if (cut)
        m_proxy->Cut();
    if (open)
        QCOMPARE(db.Execute(sql), 0);
    const QString told = open ? CatalogueFailure::Text() : CatalogueFailure::StartText();
    if (!reason) {
        QCOMPARE(told, OrmelText(message));
        return;
    }
    // The message, the reason in German, and the server's own words.
    QVERIFY2(told.startsWith(OrmelText(message).section(QLatin1String("%s"), 0, 0)),
             qPrintable(told));
    QVERIFY2(told.contains(OrmelText(reason)), qPrintable(told));
    QVERIFY2(!told.contains(QLatin1String("%s")), qPrintable(told));
}

void TestLostCatalogue::dmsPushKeepsVehicleAndBasket_data()
{
    QTest::addColumn<bool>("frozen");
    QTest::newRow("server gone") << false;
    QTest::newRow("server silent") << true;
}

// The DMS pushes another vehicle and the adviser agrees to give up the
// basket: a vehicle whose catalogue cannot be read leaves the vehicle shown,
// its mileage and the basket as they were.
void TestLostCatalogue::dmsPushKeepsVehicleAndBasket()
{
    QFETCH(bool, frozen);
    m_settings->SRPInterfaceReceive = 4;
    UpdateDmsHeader(m_settings.get());
    // "Yes" to the question whether the basket is given up.
    m_env->answerBoxes(IDYES);
    typeVin(kVinArvo);
    QCOMPARE(m_settings->FgstnrFull, kVinArvo);
    CWkOrderData order;
    order.strAuftragsNr = QStringLiteral("4711");
    m_dlg->Basket()->SetOrder(order);
    const QString mileage = m_settings->Kilometer;

    TransferVinRequest push;
    push.vin = kVinBento;
    push.mileage = QStringLiteral("1200");
    push.version = DmsHeaderVersion(*m_settings);
    CServerWait::SetBoundMs(kBoundMs);
    if (frozen)
        m_proxy->Freeze();
    else
        m_proxy->Cut();
    const qsizetype before = m_env->boxes().size();
    m_dlg->HandleSoapRequest(BuildTransferVinRequest(push));
    const QList<MsgBoxRequest> told = m_env->boxes().mid(before);
    QVERIFY(std::any_of(told.cbegin(), told.cend(),
                        [](const MsgBoxRequest &box) { return box.text == OrmelText(7024); }));
    QCOMPARE(m_settings->FgstnrFull, kVinArvo);
    QCOMPARE(m_settings->Kilometer, mileage);
    QCOMPARE(m_dlg->Basket()->Order().strAuftragsNr, QStringLiteral("4711"));
    m_proxy->Resume();
}

void TestLostCatalogue::contractCheckedAgainAfterItFailed_data()
{
    dmsPushKeepsVehicleAndBasket_data();
}

// The server lost while the adviser reads the question whether the basket
// is given up for the Arvo: the Arvo is taken with its contract check
// failed, told once in the step. The contract button tells the lost server, never "no contract",
// and lists the contracts once the server answers.
void TestLostCatalogue::contractCheckedAgainAfterItFailed()
{
    QFETCH(bool, frozen);
    typeVin(kVinBento);
    auto position = std::make_unique<CPosition>();
    position->Number = QStringLiteral("1110010");
    position->Text = QStringLiteral("Oelservice");
    CWKListItem entry(std::move(position));
    m_dlg->Basket()->Offer(entry, nullptr);
    QCOMPARE(m_dlg->Basket()->GetEntryCount(), 1);
    // The labour values shown read again for the Arvo in the same step.
    Home (&CHomeDlg::AwButton)(*m_dlg);
    QCOMPARE(m_dlg->CurrentPage(), kPageAwKat);
    QList<MsgBoxRequest> told;
    bool lost = false;
    SetMsgBoxResponder([&](const MsgBoxRequest &box) {
        if (box.type & MB_YESNO && !std::exchange(lost, true)) {
            CServerWait::SetBoundMs(kBoundMs);
            if (frozen)
                m_proxy->Freeze();
            else
                m_proxy->Cut();
        } else {
            told << box;
        }
        MsgBoxAnswer answer;
        answer.button = IDYES;
        return answer;
    });
    typeVin(kVinArvo);
    QVERIFY(lost);
    QCOMPARE(m_settings->FgstnrFull, kVinArvo);
    QCOMPARE(told.size(), 1);
    QCOMPARE(told.first().text, OrmelText(7024));
    // The labour values show no column of the Bento beside the Arvo.
    for (const CAwKatColumnSlot &slot : m_dlg->Page<CAwKatDlg>()->Columns().Slots())
        QCOMPARE(slot.TypeKey, m_settings->LeadTyp.trimmed());
    const auto listed = [this] {
        QStringList texts;
        const auto *view =
            m_dlg->VisiblePage()->findChild<QAbstractItemView *>(QStringLiteral("contractList"));
        for (int row = 0; view && row < view->model()->rowCount(); ++row)
            texts << view->model()->index(row, 0).data(CHLXRowPainter::TextRole).toString();
        return texts.join(QLatin1Char('|'));
    };
    told.clear();
    QTest::mouseClick(m_dlg->HeadButton(kBtnContract), Qt::LeftButton);
    QCOMPARE(told.size(), 1);
    QCOMPARE(told.first().text, OrmelText(7024));
    QCOMPARE(listed(), QString());

    m_proxy->Resume();
    CServerWait::SetBoundMs(0);
    // The next step, on a page that reads no contract: the contract button
    // shows the contract by itself.
    Home (&CHomeDlg::AwButton)(*m_dlg);
    YAQ_TRY_COMPARE(m_settings->nVertrag, 1);
    QCOMPARE(m_settings->bVertragUngeprueft, 0);
    QTest::mouseClick(m_dlg->HeadButton(kBtnContract), Qt::LeftButton);
    QCOMPARE(told.size(), 1);
    QVERIFY2(listed().contains(QLatin1String("HLX0100")), qPrintable(listed()));
    QCOMPARE(m_settings->nVertrag, 1);
}

void TestLostCatalogue::failureToldOnceAnAction_data()
{
    QTest::addColumn<QString>("window"); // where the next press goes
    QTest::addColumn<bool>("toldAgain");
    QTest::newRow("main window: a new step") << "main" << true;
    QTest::newRow("a dialog of the step: a new action") << "dialog" << true;
    QTest::newRow("a message box of the step: its answer") << "box" << false;
}

void TestLostCatalogue::failureToldOnceAnAction()
{
    QFETCH(QString, window);
    QFETCH(bool, toldAgain);
    QTest::mouseClick(m_dlg->HeadButton(kBtnSearch), Qt::LeftButton);
    QVERIFY(CatalogueFailure::ToTell());
    QVERIFY(!CatalogueFailure::ToTell());
    QDialog dialog(m_dlg.get());
    QMessageBox box(m_dlg.get());
    QWidget *target = window == QLatin1String("main")     ? m_dlg->VinEdit()
                      : window == QLatin1String("dialog") ? static_cast<QWidget *>(&dialog)
                                                          : static_cast<QWidget *>(&box);
    QTest::keyClick(target, Qt::Key_Shift);
    QCOMPARE(CatalogueFailure::ToTell(), toldAgain);
}

YAQ_TEST_MAIN(TestLostCatalogue)
#include "tst_lostcatalogue.moc"
