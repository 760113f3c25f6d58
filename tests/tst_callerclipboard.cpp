// The transfer system's package request from the command line, end to end:
// the program starts on the demo data in caller mode "qvlawtosrp", answers
// on the clipboard of this process without a window or a message, and ends.

#include "app/Yaq2App.h"
#include "basket/model/BasketListDocument.h"
#include "platform/AppPaths.h"
#include "platform/OrmelText.h"
#include "platform/Profile.h"
#include "platform/WholeFile.h"
#include "support/TestEnv.h"
#include "yaq2-dms/StandInDms.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
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

YAQ_TEST_MAIN(TestCallerClipboard)
#include "tst_callerclipboard.moc"
