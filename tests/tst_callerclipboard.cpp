// The transfer system's package request from the command line, end to end:
// the program starts on the demo data in caller mode "qvlawtosrp", answers
// on the clipboard of this process without a window or a message, and ends.

#include "app/Yaq2App.h"
#include "basket/model/BasketListDocument.h"
#include "platform/AppPaths.h"
#include "platform/OrmelText.h"
#include "platform/Profile.h"
#include "platform/WholeFile.h"
#include "platform/db/ServerWait.h"
#include "support/TestEnv.h"
#include "yaq2-dms/StandInDms.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTcpServer>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

const QString kVin = QStringLiteral("XVQ1F23A57M012345");

struct Basket
{
    int type = -1;
    QStringList numbers; // the items' numbers
};

QList<Basket> ReadBaskets(const QString &document, QString *error)
{
    QList<Basket> baskets;
    QXmlStreamReader xml(document);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("Basket"))
            baskets.append(Basket());
        else if (xml.name() == QLatin1String("BasketTyp"))
            baskets.last().type = xml.readElementText().toInt();
        else if (xml.name() == QLatin1String("Number"))
            baskets.last().numbers << xml.readElementText();
    }
    if (xml.hasError())
        *error = xml.errorString();
    return baskets;
}

} // namespace

class TestCallerClipboard : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void packageRequest_data();
    void packageRequest();
    void messageGoesToStandardError_data();
    void messageGoesToStandardError();
    void callerModeEndsWithoutABox_data();
    void callerModeEndsWithoutABox();

private:
    std::unique_ptr<TestEnv> m_env;
};

void TestCallerClipboard::init()
{
    m_env = std::make_unique<TestEnv>();
    m_env->installDemoWithDealerProfile();
    m_env->answerBoxes(IDOK);
    QGuiApplication::clipboard()->clear();
}

void TestCallerClipboard::cleanup()
{
    SetMsgBoxResponder({});
    m_env.reset();
}

void TestCallerClipboard::packageRequest_data()
{
    QTest::addColumn<QString>("vin");
    QTest::addColumn<QString>("numbers");
    QTest::addColumn<QString>("types");
    QTest::addColumn<QStringList>("firstItems");
    QTest::addColumn<QString>("dms"); // with the DMS requests on: "answers" or "down"
    const QString customerPrices = QStringLiteral("XVQ2G45B684K56789");
    // clang-format off
    QTest::newRow("known and unknown number")       << kVin                << "1110010;9999999"         << "1,0"   << QStringList{"", "111001017A010", "1110010", "1110015"} << "";
    QTest::newRow("unknown number in the middle")   << kVin                << "3410010;9999999;1110010" << "1,0,1" << QStringList{"", "341001017A010", "3410010"} << "";
    QTest::newRow("number of eight characters")     << kVin                << "11100100"                << "0"     << QStringList{} << "";
    QTest::newRow("VIN of seven characters")        << "M012345"           << "1110010;9999999"         << "1,0"   << QStringList{"", "111001017A010", "1110010", "1110015"} << "";
    QTest::newRow("special short VIN of one range") << "4K56789"           << "1110010"                 << "1"     << QStringList{"", "111001017B010"} << "";
    QTest::newRow("short VIN of no vehicle")        << "M912345"           << "1110010"                 << "0"     << QStringList{} << "";
    QTest::newRow("VIN of ten characters")          << "M01234567X"        << "1110010"                 << "ERROR-05" << QStringList{} << "";
    QTest::newRow("no number")                      << kVin                << ""                        << "ERROR-10" << QStringList{} << "";
    QTest::newRow("unknown full VIN")               << "XVQ1F23A57M912345" << "1110010"                 << "0"     << QStringList{} << "";
    QTest::newRow("vehicle of a brand not served")  << "XVQ3T00A57T012345" << "1110010"                 << "0"     << QStringList{} << "";
    QTest::newRow("DMS on: customer-specific prices") << customerPrices    << "1110010"                 << "1"     << QStringList{"", "111001017B010"} << "answers";
    QTest::newRow("DMS on, answering prefixed")     << customerPrices    << "1110010"                 << "1"     << QStringList{"", "111001017B010"} << "answers prefixed";
    QTest::newRow("DMS on but down")                << kVin                << "1110010"                 << "1"     << QStringList{"", "111001017A010", "1110010", "1110015"} << "down";
    // clang-format on
}

void TestCallerClipboard::packageRequest()
{
    QFETCH(QString, vin);
    QFETCH(QString, numbers);
    QFETCH(QString, types);
    QFETCH(QStringList, firstItems);
    QFETCH(QString, dms);
    // The DMS requests on (the dealer file of the demo offers campaigns),
    // with the stand-in DMS answering or nobody at its address.
    StandInDms standIn;
    if (!dms.isEmpty()) {
        DmsVehicles vehicles;
        QString error;
        QVERIFY2(LoadDmsVehicles(QStringLiteral(YAQ_DMS_VEHICLES), &vehicles, &error),
                 qPrintable(error));
        standIn.setVehicles(vehicles);
        if (dms.endsWith(QLatin1String("prefixed")))
            standIn.setForm(DmsMessageForm::Prefixed);
        QVERIFY(standIn.listen(QHostAddress::LocalHost, 0));
        const quint16 port = standIn.port();
        if (dms == QLatin1String("down"))
            standIn.listener().close();
        CProfile profile(QStringLiteral("yaq2"));
        const QString yaq = QStringLiteral("YAQ");
        profile.WriteProfileInt(yaq, QStringLiteral("SRPInterfaceReq"), 4);
        profile.WriteProfileInt(yaq, QStringLiteral("XMLx"), 1);
        profile.WriteProfileInt(yaq, QStringLiteral("V117"), 1);
        profile.WriteProfileString(yaq, QStringLiteral("ReqXMLServer"),
                                   QStringLiteral("http://127.0.0.1:%1/").arg(port));
        profile.Sync();
    }
    WindowWatch windows;
    {
        CYaq2App app({vin, "-m", "qvlawtosrp", "-a", numbers});
        app.InitInstance();
        QCOMPARE(app.ExitInstance(), 0);
    }
    // No window and no message: the caller waits for the clipboard only.
    QCOMPARE(m_env->boxes().size(), 0);
    QCOMPARE(QApplication::topLevelWidgets().size(), 0);
    QCOMPARE(windows.shown, QStringList());

    const QMimeData *clip = QGuiApplication::clipboard()->mimeData();
    QVERIFY(clip);
    const QString document = utf16BlockText(clip->data(kBasketListFormat));
    QCOMPARE(clip->text(), document);
    if (types.startsWith(QLatin1String("ERROR"))) {
        QCOMPARE(document, types);
        return;
    }
    QVERIFY2(!document.contains(QLatin1Char('\n')), qPrintable(document));
    QString error;
    const QList<Basket> baskets = ReadBaskets(document, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error + QLatin1Char('\n') + document));
    QStringList answered;
    for (const Basket &basket : baskets)
        answered << QString::number(basket.type);
    QCOMPARE(answered.join(QLatin1Char(',')), types);
    QVERIFY(!baskets.isEmpty());
    // The package's main-group line, its head, its standard positions; no
    // optional or alternative line.
    QCOMPARE(baskets.first().numbers.mid(0, firstItems.size()), firstItems);
    QVERIFY(!baskets.first().numbers.contains(QStringLiteral("1110016")));
    QVERIFY(!baskets.first().numbers.contains(QStringLiteral("1110017")));
}

// What the main window has to tell in the package request (the training
// edition's notice, a start-up configuration it could not save) is told on
// standard error, without a box or a window; the request is answered all
// the same.
void TestCallerClipboard::messageGoesToStandardError_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("told");
    QTest::addColumn<bool>("learnt"); // the start-up configuration has something to save
    // clang-format off
    QTest::newRow("training edition's notice")                 << "training" << "Trainings-Programm" << false;
    QTest::newRow("start-up configuration not saved")          << "startup"  << "YAQStartup"         << true;
    QTest::newRow("start-up configuration learnt nothing")     << "startup"  << ""                   << false;
    // clang-format on
}

void TestCallerClipboard::messageGoesToStandardError()
{
    QFETCH(QString, fault);
    const QString prog = GetAppDirectory();
    if (fault == QLatin1String("training")) {
        QVERIFY(writeTextFile(prog + QStringLiteral("Datas/Version.ini"),
                              "[VERSIONSINFO]\nSchulung=1\nEZ=01.06.2019\n"));
        QVERIFY(TestEnv::copyTree(prog + QStringLiteral("Datas/Dealer"),
                                  prog + QStringLiteral("SRP_T_DATAS")));
    }
    const QString unwritable = fault == QLatin1String("startup")
                                   ? CProfile(QStringLiteral("YAQStartup")).FileName()
                                   : QString();
    QFETCH(bool, learnt);
    if (learnt) {
        // The broker's port, which the profile does not hold yet.
        CProfile profile(QStringLiteral("YAQStartup"));
        profile.WriteProfileInt(QStringLiteral("General"), QStringLiteral("NEVA"), 1);
        QVERIFY(profile.Sync());
    }
    SetWholeFileFault([unwritable](const QString &file) {
        return file == unwritable ? QStringLiteral("No space left on device") : QString();
    });
    WindowWatch windows;
    StderrCapture capture(m_env->path() + QStringLiteral("/stderr.txt"));
    {
        CYaq2App app({kVin, "-m", "qvlawtosrp", "-a", "1110010"});
        app.InitInstance();
        QCOMPARE(app.ExitInstance(), 0);
    }
    SetWholeFileFault({});
    const QString errors = capture.Take();
    QFETCH(QString, told);
    QVERIFY2(errors.contains(told), qPrintable(errors));
    if (told.isEmpty())
        QVERIFY2(!errors.contains(QLatin1String("YAQStartup")), qPrintable(errors));
    QCOMPARE(m_env->boxes().size(), 0);
    QCOMPARE(windows.shown, QStringList());
    const QMimeData *clip = QGuiApplication::clipboard()->mimeData();
    QVERIFY(clip && utf16BlockText(clip->data(kBasketListFormat)).startsWith("<Basket-List>"));
}

// Every caller mode that works on one vehicle, against every way the
// catalogue can fail it: the run ends without a box (a calling system may
// run it unattended), leaves nothing on the clipboard, ends with 1 and says
// why on standard error; never "not there" (status 0) for a catalogue that
// could not be read.
void TestCallerClipboard::callerModeEndsWithoutABox_data()
{
    QTest::addColumn<QStringList>("mode");
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("told"); // the program text on standard error; 0: none
    const QStringList qvl{"-m", "qvl"};
    const QStringList edit{"-m", "qvledit", "-p", "1110010 7A01 "};
    const QStringList search{"-m", "qvlapossearch", "-a", "1110010"};
    const QStringList query{"-m", "qvlaposquery", "-a", "1110010"};
    // clang-format off
    QTest::newRow("query: answered")                      << query  << ""                << 0 << 0;
    QTest::newRow("query: profile not written, answered")      << query  << "profile unwritable"  << 0 << -1;
    QTest::newRow("qvl: catalogue file missing")          << qvl    << "file missing"    << 1 << 7021;
    QTest::newRow("edit: catalogue file missing")         << edit   << "file missing"    << 1 << 7021;
    QTest::newRow("search: catalogue file missing")       << search << "file missing"    << 1 << 7021;
    QTest::newRow("query: catalogue file missing")        << query  << "file missing"    << 1 << 7021;
    QTest::newRow("qvl: catalogue file damaged")          << qvl    << "file damaged"    << 1 << 7021;
    QTest::newRow("edit: catalogue file damaged")         << edit   << "file damaged"    << 1 << 7021;
    QTest::newRow("search: catalogue file damaged")       << search << "file damaged"    << 1 << 7021;
    QTest::newRow("query: catalogue file damaged")        << query  << "file damaged"    << 1 << 7021;
    QTest::newRow("qvl: server stopped")                  << qvl    << "server stopped"  << 1 << 7021;
    QTest::newRow("edit: server stopped")                 << edit   << "server stopped"  << 1 << 7021;
    QTest::newRow("search: server stopped")               << search << "server stopped"  << 1 << 7021;
    QTest::newRow("query: server stopped")                << query  << "server stopped"  << 1 << 7021;
    QTest::newRow("qvl: server silent")                   << qvl    << "server silent"   << 1 << 7021;
    QTest::newRow("edit: server silent")                  << edit   << "server silent"   << 1 << 7021;
    QTest::newRow("search: server silent")                << search << "server silent"   << 1 << 7021;
    QTest::newRow("query: server silent")                 << query  << "server silent"   << 1 << 7021;
    QTest::newRow("edit: package table unreadable")       << edit   << "srp_package"     << 1 << 7024;
    QTest::newRow("search: labour values unreadable")     << search << "labour_value"    << 1 << 7024;
    QTest::newRow("query: labour values unreadable")      << query  << "labour_value"    << 1 << 7024;
    QTest::newRow("edit: vehicle unreadable")             << edit   << "vin_range"       << 1 << 7024;
    QTest::newRow("query: vehicle unreadable")            << query  << "vin_range"       << 1 << 7024;
    // clang-format on
}

void TestCallerClipboard::callerModeEndsWithoutABox()
{
    QFETCH(QStringList, mode);
    QFETCH(QString, fault);
    QFETCH(int, status);
    QFETCH(int, told);
    const QString file = GetAppDirectory() + QStringLiteral("Datas/YAQ2.dat");
    QStringList arguments{kVin};
    arguments << mode;
    QTcpServer server;
    QString locked;
    if (fault == QLatin1String("file missing")) {
        QVERIFY(QFile::remove(file));
    } else if (fault == QLatin1String("file damaged")) {
        QByteArray bytes(8192, '\0');
        for (int i = 0; i < bytes.size(); ++i)
            bytes[i] = char((i * 7919 + 13) % 251);
        QVERIFY(writeTextFile(file, bytes));
    } else if (fault.startsWith(QLatin1String("server"))) {
        // Without the local file the program reads the server of -TNS:
        // one that took the connection and says nothing, or none listening.
        QVERIFY(QFile::remove(file));
        QVERIFY(server.listen(QHostAddress::LocalHost, 0));
        const quint16 port = server.serverPort();
        if (fault == QLatin1String("server stopped"))
            server.close();
        CServerWait::SetBoundMs(300);
        arguments << "-TNS" << QStringLiteral("127.0.0.1:%1/yaqtest").arg(port) << "-UID"
                  << "yaq"
                  << "-PWD"
                  << "yaq";
    } else if (fault == QLatin1String("profile unwritable")) {
        locked = CProfile(QStringLiteral("yaq2")).FileName();
        SetWholeFileFault([locked](const QString &name) {
            return name == locked ? QStringLiteral("Resource temporarily unavailable") : QString();
        });
    } else if (!fault.isEmpty()) {
        // A table the catalogue's reads need, renamed away.
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("rename"));
        db.setDatabaseName(file);
        QVERIFY(db.open());
        QVERIFY(QSqlQuery(db).exec(QStringLiteral("ALTER TABLE %1 RENAME TO gone").arg(fault)));
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("rename"));
    }
    StderrCapture capture(m_env->path() + QStringLiteral("/stderr.txt"));
    int exitCode = -1;
    {
        CYaq2App app(arguments);
        app.InitInstance();
        exitCode = app.ExitInstance();
    }
    SetWholeFileFault({});
    CServerWait::SetBoundMs(0);
    const QString errors = capture.Take();
    QCOMPARE(m_env->boxes().size(), 0);
    QCOMPARE(exitCode, status);
    const QMimeData *clip = QGuiApplication::clipboard()->mimeData();
    const QString document = clip ? utf16BlockText(clip->data(kBasketListFormat)) : QString();
    if (status) {
        QCOMPARE(document, QString());
        // The reason, never that the package or position is not there.
        const QString first = OrmelText(told).section(QLatin1Char('\n'), 0, 0);
        QVERIFY2(errors.contains(first.section(QLatin1String("%s"), 0, 0)), qPrintable(errors));
        return;
    }
    QVERIFY2(document.contains(QLatin1String("<AW>")), qPrintable(document));
    if (told < 0)
        QVERIFY2(errors.contains(locked), qPrintable(errors));
    else
        QCOMPARE(errors, QString());
}

YAQ_TEST_MAIN(TestCallerClipboard)
#include "tst_callerclipboard.moc"
