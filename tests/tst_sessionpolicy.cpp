// The session policy without a window: which controls a session locks and
// which head buttons follow the head row's enabling.

#include "app/SessionPolicy.h"
#include "settings/PrgSettings.h"
#include "support/TestMain.h"

#include <QtTest>

class TestSessionPolicy : public QObject
{
    Q_OBJECT
private slots:
    void locks_data();
    void locks();
    void lockStateFromTheSettings();
};

void TestSessionPolicy::locks_data()
{
    QTest::addColumn<int>("control");
    QTest::addColumn<bool>("inSession");    // locked in every session
    QTest::addColumn<bool>("inRestricted"); // locked in a session of the external service
    QTest::addColumn<bool>("followsHeadRow");

    // clang-format off
    QTest::newRow("settings")                        << int(kBtnSetup)             << true  << true  << true;
    QTest::newRow("DMS download")                    << int(kBtnDmsDownload)       << true  << true  << true;
    QTest::newRow("DMS-VIN, shown outside pages")    << int(kBtnDmsVin)            << true  << true  << false;
    QTest::newRow("contract")                        << int(kBtnContract)          << false << true  << true;
    QTest::newRow("two-wheeler program")             << int(kBtnTwoWheeler)        << false << true  << true;
    QTest::newRow("program download")                << int(kBtnYaqDownload)       << false << true  << true;
    QTest::newRow("search")                          << int(kBtnSearch)            << false << false << true;
    QTest::newRow("basket")                          << int(kBtnBasket)            << false << false << true;
    QTest::newRow("close stays usable")              << int(kBtnBack)              << false << false << false;
    QTest::newRow("help stays usable")               << int(kBtnHelp)              << false << false << false;
    QTest::newRow("help index stays usable")         << int(kBtnHelpIndex)         << false << false << false;
    QTest::newRow("title stays usable")              << int(kBtnTitle)             << false << false << false;
    QTest::newRow("catalogue: price from the DMS")   << int(kCtlAwKatPrice)        << true  << true  << false;
    QTest::newRow("package edit: DMS request")       << int(kCtlSRPBbDmsRequest)   << true  << true  << false;
    QTest::newRow("package edit: transfer")          << int(kCtlSRPBbTransfer)     << true  << true  << false;
    QTest::newRow("spot repair: DMS request")        << int(kCtlSpotRBbDmsRequest) << true  << true  << false;
    QTest::newRow("spot repair: transfer")           << int(kCtlSpotRBbTransfer)   << true  << true  << false;
    QTest::newRow("basket: transfer")                << int(kCtlWkTransfer)        << true  << true  << false;
    QTest::newRow("home: packages")                  << int(kCtlHomePackages)      << false << true  << false;
    QTest::newRow("home: news")                      << int(kCtlHomeNews)          << false << true  << false;
    QTest::newRow("catalogue: packages")             << int(kCtlAwKatPackages)     << false << true  << false;
    QTest::newRow("number search: packages")         << int(kCtlNrAbfragePackages) << false << true  << false;
    QTest::newRow("basket: packages")                << int(kCtlWkPackages)        << false << true  << false;
    // clang-format on
}

void TestSessionPolicy::locks()
{
    QFETCH(int, control);
    QFETCH(bool, inSession);
    QFETCH(bool, inRestricted);
    QFETCH(bool, followsHeadRow);
    // Without a session nothing is locked, whatever the restriction says.
    const CSessionPolicy none(false, true);
    const CSessionPolicy session(true, false);
    const CSessionPolicy restricted(true, true);
    QVERIFY(!none.Forbids(control));
    QVERIFY(!none.Forbidden().contains(control));
    QCOMPARE(session.Forbids(control), inSession);
    QCOMPARE(session.Forbidden().contains(control), inSession);
    QCOMPARE(restricted.Forbids(control), inRestricted);
    QCOMPARE(restricted.Forbidden().contains(control), inRestricted);
    QCOMPARE(CSessionPolicy::HeadRowButtons().contains(control), followsHeadRow);
}

void TestSessionPolicy::lockStateFromTheSettings()
{
    CPrgSettings s;
    s.bSession = 1;
    s.nRestrictedSession = 0;
    QVERIFY(CSessionPolicy::Of(s).Forbids(kBtnSetup));
    QVERIFY(!CSessionPolicy::Of(s).Forbids(kBtnContract));
    s.nRestrictedSession = 1;
    QVERIFY(CSessionPolicy::Of(s).Forbids(kBtnContract));
    s.bSession = 0;
    QVERIFY(CSessionPolicy::Of(s).Forbidden().isEmpty());
}

YAQ_TEST_GUILESS_MAIN(TestSessionPolicy)
#include "tst_sessionpolicy.moc"
