// The start of the main window without the window: the steps by caller mode
// (the VIN completion, the package, labour-position and basket starts, the
// start page), the start-page codes and the steps at the end.

#include "app/StartFlow.h"
#include "settings/PrgSettings.h"
#include "support/TestMain.h"

#include <QtTest>

namespace {

const QString kVin = QStringLiteral("XVQ1F23A57M012345");
const QString kTypeKey = QStringLiteral("AB12");

// Records the steps; the identification of the start vehicle gives it the
// type key kTypeKey.
struct Window : IStartWindow
{
    CPrgSettings *settings = nullptr;
    QString fullVin; // the completion dialog's entry; empty: Cancel
    bool hasPackage = true;
    bool hasLabourPosition = true;
    bool lookupFails = false; // the caller's package or position could not be read
    bool startReadFailed = false;
    bool vehicleEnds = false; // the vehicle's session check ends the window
    bool ended = false;
    QStringList steps;

    void ShowOpenErrorAndCancel(const QString &) override { steps << QStringLiteral("open error"); }
    void ReadCatalogueDate() override { steps << QStringLiteral("catalogue date"); }
    void ShowNoVehicle() override { steps << QStringLiteral("no vehicle"); }
    bool AskFullVin(const QString &shortVin, QString *vin) override
    {
        steps << QStringLiteral("ask VIN ") + shortVin;
        *vin = fullVin;
        return !fullVin.isEmpty();
    }
    void EndDialog(int result) override { steps << QStringLiteral("end %1").arg(result); }
    bool HasEnded() const override { return ended; }
    void TakeStartVehicle(bool firstRegistration, bool mileage) override
    {
        steps << QStringLiteral("take %1 %2%3")
                     .arg(settings->Fgstnr)
                     .arg(firstRegistration ? QStringLiteral("+date") : QString())
                     .arg(mileage ? QStringLiteral("+km") : QString())
                     .trimmed();
        settings->TypSchl = kTypeKey;
        ended = vehicleEnds;
    }
    CatalogueFound HasSrpPackage(const QString &nr) override
    {
        steps << QStringLiteral("package? ") + nr;
        return lookupFails  ? CatalogueFound::Failed
               : hasPackage ? CatalogueFound::Yes
                            : CatalogueFound::No;
    }
    void ShowSRPWlPage(const QString &nr) override { steps << QStringLiteral("packages ") + nr; }
    CatalogueFound HasLabourPosition(const QString &apNr) override
    {
        steps << QStringLiteral("position? ") + apNr;
        return lookupFails         ? CatalogueFound::Failed
               : hasLabourPosition ? CatalogueFound::Yes
                                   : CatalogueFound::No;
    }
    void ShowNrAbfragePage() override { steps << QStringLiteral("number search"); }
    void TransferBasket() override { steps << QStringLiteral("transfer"); }
    void RunPackageRequest(const QString &list, const QString &callerVin) override
    {
        steps << QStringLiteral("package request ") + list + QLatin1Char(' ') + callerVin;
    }
    void ShowStartPage() override { steps << QStringLiteral("start page"); }
    void FocusVin() override { steps << QStringLiteral("focus"); }
    bool StartReadFailed() const override { return startReadFailed; }
    void EndCatalogueUnread(const QString &reason) override
    {
        steps << (QStringLiteral("unread ") + reason).trimmed();
    }
};

// The caller mode of a row ("" for none), as the command line sets it.
void SetCallerMode(CPrgSettings &s, const QString &mode)
{
    s.bQvl = mode == QLatin1String("qvl");
    s.bQvlEdit = mode == QLatin1String("qvledit");
    s.bQvlAPosSearch = mode == QLatin1String("qvlapossearch");
    s.bQvlAPosQuery = mode == QLatin1String("qvlaposquery");
    s.bQvlAwToSrp = mode == QLatin1String("qvlawtosrp");
}

// The mode's argument where the command line puts it.
CStartArgs CallerArgs(const CPrgSettings &s, const QString &argument)
{
    CStartArgs args;
    if (s.bQvlEdit)
        args.paketNr = argument;
    else if (s.bQvlAwToSrp)
        args.awToSrpList = argument;
    else
        args.apNr = argument;
    return args;
}

} // namespace

class TestStartFlow : public QObject
{
    Q_OBJECT
private slots:
    void start_data();
    void start();
    void catalogueUnreadEndsTheCallersWork_data();
    void catalogueUnreadEndsTheCallersWork();
    void endedByTheVehicleStopsTheStart_data();
    void endedByTheVehicleStopsTheStart();
    void startPage_data();
    void startPage();
    void end_data();
    void end();
};

void TestStartFlow::start_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("vin");
    QTest::addColumn<QString>("fullVin");  // completion entry, empty: Cancel
    QTest::addColumn<QString>("argument"); // package number, AP number or list of the mode
    QTest::addColumn<bool>("found");       // package or labour position exists
    QTest::addColumn<QStringList>("steps");

    const QString pkg = QStringLiteral("1234567-AB12X"); // type key at 9 to 12
    const QString take = QStringLiteral("take ") + kVin;
    // clang-format off
    QTest::newRow("no vehicle")                     << ""              << ""            << ""   << ""             << true  << QStringList{"catalogue date", "no vehicle", "start page", "focus"};
    QTest::newRow("vehicle")                        << ""              << kVin          << ""   << ""             << true  << QStringList{"catalogue date", take, "start page", "focus"};
    QTest::newRow("short VIN, no caller")           << ""              << "M012345"     << kVin << ""             << true  << QStringList{"catalogue date", "take M012345", "start page", "focus"};
    QTest::newRow("qvl: short VIN completed")       << "qvl"           << "M012345"     << kVin << ""             << true  << QStringList{"catalogue date", "ask VIN M012345", take, "start page", "focus"};
    QTest::newRow("qvl: completion cancelled")      << "qvl"           << "M012345"     << ""   << ""             << true  << QStringList{"catalogue date", "ask VIN M012345", "end 1000"};
    QTest::newRow("basket query: cancelled")        << "qvlaposquery"  << "M012345"     << ""   << "1234567"      << true  << QStringList{"catalogue date", "ask VIN M012345", "end 1000"};
    QTest::newRow("package list: no completion")    << "qvlawtosrp"    << "M012345"     << kVin << "1;2"          << true  << QStringList{"catalogue date", "take M012345", "package request 1;2 M012345", "end 1000", "focus"};
    QTest::newRow("package list empty: answered")   << "qvlawtosrp"    << kVin          << ""   << ""             << true  << QStringList{"catalogue date", take, "package request  " + kVin, "end 1000", "focus"};
    QTest::newRow("package list, no catalogue")     << "qvlawtosrp"    << kVin          << ""   << "1;2"          << true  << QStringList{"package request 1;2 " + kVin, "end 1000"};
    QTest::newRow("no list, no catalogue: answered") << "qvlawtosrp"   << kVin          << ""   << ""             << true  << QStringList{"package request  " + kVin, "end 1000"};
    QTest::newRow("no catalogue: told, ended")      << ""              << kVin          << ""   << ""             << true  << QStringList{"open error", "focus"};
    QTest::newRow("edit: package shown")            << "qvledit"       << kVin          << ""   << pkg            << true  << QStringList{"catalogue date", take, "package? 1234567", "packages 1234567", "focus"};
    QTest::newRow("edit: no such package")          << "qvledit"       << kVin          << ""   << pkg            << false << QStringList{"catalogue date", take, "package? 1234567", "end 1000", "focus"};
    QTest::newRow("edit: type key in other case")   << "qvledit"       << kVin          << ""   << "1234567-ab12X" << true << QStringList{"catalogue date", take, "end 1000", "focus"};
    QTest::newRow("edit: no package number")        << "qvledit"       << kVin          << ""   << ""             << true  << QStringList{"catalogue date", take, "end 1000", "focus"};
    QTest::newRow("edit: package without type key") << "qvledit"       << kVin          << ""   << "1234567"      << true  << QStringList{"catalogue date", take, "end 1000", "focus"};
    QTest::newRow("edit: no vehicle")               << "qvledit"       << ""            << ""   << pkg            << true  << QStringList{"catalogue date", "no vehicle", "end 1000", "focus"};
    QTest::newRow("search: position shown")         << "qvlapossearch" << kVin          << ""   << "1234567"      << true  << QStringList{"catalogue date", take, "position? 1234567", "number search", "focus"};
    QTest::newRow("search: no such position")       << "qvlapossearch" << kVin          << ""   << "1234567"      << false << QStringList{"catalogue date", take, "position? 1234567", "end 1000", "focus"};
    QTest::newRow("search: no vehicle")             << "qvlapossearch" << ""            << ""   << "1234567"      << true  << QStringList{"catalogue date", "no vehicle", "end 1000", "focus"};
    QTest::newRow("search: no AP number")           << "qvlapossearch" << kVin          << ""   << ""             << true  << QStringList{"catalogue date", take, "end 1000", "focus"};
    QTest::newRow("query: basket transferred")      << "qvlaposquery"  << kVin          << ""   << "1234567"      << true  << QStringList{"catalogue date", take, "transfer", "focus"};
    QTest::newRow("query: no vehicle")              << "qvlaposquery"  << ""            << ""   << "1234567"      << true  << QStringList{"catalogue date", "no vehicle", "end 1000", "focus"};
    QTest::newRow("query: no AP number")            << "qvlaposquery"  << kVin          << ""   << ""             << true  << QStringList{"catalogue date", take, "end 1000", "focus"};
    // clang-format on
}

void TestStartFlow::start()
{
    QFETCH(QString, mode);
    QFETCH(QString, vin);
    QFETCH(QString, fullVin);
    QFETCH(QString, argument);
    QFETCH(bool, found);
    QFETCH(QStringList, steps);
    CPrgSettings s;
    SetCallerMode(s, mode);
    s.Fgstnr = vin;
    CStartArgs args = CallerArgs(s, argument);
    args.awToSrpVin = vin;
    // The rows without a catalogue date ask no catalogue: it did not open.
    if (!steps.contains(QStringLiteral("catalogue date")))
        args.openError = QStringLiteral("no connection");
    Window window;
    window.settings = &s;
    window.fullVin = fullVin;
    window.hasPackage = found;
    window.hasLabourPosition = found;
    CStartFlow::Run(window, s, args);
    QCOMPARE(window.steps, steps);
    if (s.bQvlAPosQuery)
        QCOMPARE(s.AktApNr,
                 steps.contains(QStringLiteral("ask VIN M012345")) ? QString() : argument);
}

// A caller's work that meets a catalogue it cannot read ends as not done,
// told without a box, never as a package or position that is not there.
void TestStartFlow::catalogueUnreadEndsTheCallersWork_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("failed"); // "open", "start" (date, vehicle) or "lookup"
    QTest::addColumn<QStringList>("steps");
    const QString pkg = QStringLiteral("1234567-AB12X");
    const QString take = QStringLiteral("take ") + kVin;
    // clang-format off
    QTest::newRow("qvl: no connection")           << "qvl"           << ""        << "open"   << QStringList{"unread no connection"};
    QTest::newRow("edit: no connection")          << "qvledit"       << pkg       << "open"   << QStringList{"unread no connection"};
    QTest::newRow("search: no connection")        << "qvlapossearch" << "1234567" << "open"   << QStringList{"unread no connection"};
    QTest::newRow("query: no connection")         << "qvlaposquery"  << "1234567" << "open"   << QStringList{"unread no connection"};
    QTest::newRow("edit: vehicle unread")         << "qvledit"       << pkg       << "start"  << QStringList{"catalogue date", take, "unread"};
    QTest::newRow("search: vehicle unread")       << "qvlapossearch" << "1234567" << "start"  << QStringList{"catalogue date", take, "unread"};
    QTest::newRow("query: vehicle unread")        << "qvlaposquery"  << "1234567" << "start"  << QStringList{"catalogue date", take, "unread"};
    QTest::newRow("qvl: vehicle unread, window")  << "qvl"           << ""        << "start"  << QStringList{"catalogue date", take, "start page", "focus"};
    QTest::newRow("edit: package unread")         << "qvledit"       << pkg       << "lookup" << QStringList{"catalogue date", take, "package? 1234567", "unread", "focus"};
    QTest::newRow("search: position unread")      << "qvlapossearch" << "1234567" << "lookup" << QStringList{"catalogue date", take, "position? 1234567", "unread", "focus"};
    // clang-format on
}

void TestStartFlow::catalogueUnreadEndsTheCallersWork()
{
    QFETCH(QString, mode);
    QFETCH(QString, argument);
    QFETCH(QString, failed);
    QFETCH(QStringList, steps);
    CPrgSettings s;
    SetCallerMode(s, mode);
    s.Fgstnr = kVin;
    CStartArgs args = CallerArgs(s, argument);
    if (failed == QLatin1String("open"))
        args.openError = QStringLiteral("no connection");
    Window window;
    window.settings = &s;
    window.startReadFailed = failed == QLatin1String("start");
    window.lookupFails = failed == QLatin1String("lookup");
    CStartFlow::Run(window, s, args);
    QCOMPARE(window.steps, steps);
}

// The start vehicle's session check found the session ended: neither the
// caller's work nor the start page runs for it (each would check again).
void TestStartFlow::endedByTheVehicleStopsTheStart_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("argument");
    // clang-format off
    QTest::newRow("start page")      << ""              << "";
    QTest::newRow("package edit")    << "qvledit"       << "1234567-AB12X";
    QTest::newRow("position search") << "qvlapossearch" << "1234567";
    QTest::newRow("basket query")    << "qvlaposquery"  << "1234567";
    QTest::newRow("package request") << "qvlawtosrp"    << "1;2";
    // clang-format on
}

void TestStartFlow::endedByTheVehicleStopsTheStart()
{
    QFETCH(QString, mode);
    QFETCH(QString, argument);
    CPrgSettings s;
    SetCallerMode(s, mode);
    s.Fgstnr = kVin;
    CStartArgs args{QString(), argument, argument, argument, kVin};
    Window window;
    window.settings = &s;
    window.vehicleEnds = true;
    CStartFlow::Run(window, s, args);
    QCOMPARE(window.steps, QStringList({"catalogue date", "take " + kVin}));
}

void TestStartFlow::startPage_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("page");
    // clang-format off
    QTest::newRow("labour values")      << "AW"   << int(CStartFlow::AwKatPage);
    QTest::newRow("findings")           << "BF"   << int(CStartFlow::BfndPage);
    QTest::newRow("packages")           << "SRP"  << int(CStartFlow::SRPWlPage);
    QTest::newRow("wheels and tyres")   << "RR"   << int(CStartFlow::WheelsTyres);
    QTest::newRow("contracts")          << "HLX"  << int(CStartFlow::HLXPage);
    QTest::newRow("SM opens none")      << "SM"   << int(CStartFlow::NoStartPage);
    QTest::newRow("small letters")      << "aw"   << int(CStartFlow::NoStartPage);
    QTest::newRow("trailing blank")     << "SRP " << int(CStartFlow::NoStartPage);
    QTest::newRow("unknown")            << "XY"   << int(CStartFlow::NoStartPage);
    QTest::newRow("none")               << ""     << int(CStartFlow::NoStartPage);
    // clang-format on
}

void TestStartFlow::startPage()
{
    QFETCH(QString, code);
    QFETCH(int, page);
    QCOMPARE(int(CStartFlow::StartPageOf(code)), page);
}

void TestStartFlow::end_data()
{
    QTest::addColumn<int>("session");
    QTest::addColumn<QString>("appServer");
    QTest::addColumn<QString>("open");  // which of db0..db3 exist, "1" per open one
    QTest::addColumn<QString>("steps"); // F free, P placement, S session end, 0-3 closes

    // clang-format off
    QTest::newRow("no session")              << 0 << "srv" << "1111" << "FP0123";
    QTest::newRow("session")                 << 1 << "srv" << "1111" << "FPS0123";
    QTest::newRow("session, no server")      << 1 << ""    << "1111" << "FP0123";
    QTest::newRow("session without db0")     << 1 << "srv" << "0111" << "FP123";
    QTest::newRow("only the first two open") << 0 << ""    << "1100" << "FP01";
    // clang-format on
}

void TestStartFlow::end()
{
    QFETCH(int, session);
    QFETCH(QString, appServer);
    QFETCH(QString, open);
    QFETCH(QString, steps);
    CPrgSettings s;
    s.bSession = session;
    bool dbOpen[4];
    for (int i = 0; i < 4; ++i)
        dbOpen[i] = open.at(i) == QLatin1Char('1');
    QString got;
    for (CStartFlow::EndStep step : CStartFlow::EndSteps(s, appServer, dbOpen)) {
        switch (step) {
        case CStartFlow::FreeModelSeries:
            got += QLatin1Char('F');
            break;
        case CStartFlow::SavePlacement:
            got += QLatin1Char('P');
            break;
        case CStartFlow::EndSession:
            got += QLatin1Char('S');
            break;
        default:
            got += QString::number(step - CStartFlow::CloseDb0);
            break;
        }
    }
    QCOMPARE(got, steps);
}

YAQ_TEST_GUILESS_MAIN(TestStartFlow)
#include "tst_startflow.moc"
