// Rules of the page switching that need no window: the session answer, the
// rows of the page table, what the head row allows on a page and the
// connection line of the information box.

#include "app/AboutDlg.h"
#include "app/MainWndRules.h"
#include "app/PageTable.h"
#include "settings/PrgSettings.h"
#include "support/TestEnv.h"

#include <QtTest>
#include <algorithm>

class TestPageSwitch : public QObject
{
    Q_OBJECT
private slots:
    void sessionAnswer_data();
    void sessionAnswer();
    void pageRow_data();
    void pageRow();
    void headRowState_data();
    void headRowState();
    void sessionLocksNameTheirPage();
    void serverLine_data();
    void serverLine();
    void connectionKind();
};

void TestPageSwitch::sessionAnswer_data()
{
    QTest::addColumn<QString>("xml");
    QTest::addColumn<int>("expected");
    const QString ok = QStringLiteral("<return-code>00</return-code>");
    // clang-format off
    QTest::newRow("internal service available") << QStringLiteral("<sessiondata>%1<yaqservice-intern-available>Y</" "yaqservice-intern-available></sessiondata>") .arg(ok) << int(kSessionValid);
    QTest::newRow("external service only") << QStringLiteral("<sessiondata>%1<yaqservice-extern-available>Y</" "yaqservice-extern-available></sessiondata>") .arg(ok) << int(kSessionRestricted);
    QTest::newRow("external after internal: the later child decides") << QStringLiteral( "<sessiondata>%1<yaqservice-intern-available>Y</yaqservice-intern-available>" "<yaqservice-extern-available>Y</yaqservice-extern-available></sessiondata>") .arg(ok) << int(kSessionRestricted);
    QTest::newRow("internal after external") << QStringLiteral( "<sessiondata>%1<yaqservice-extern-available>Y</yaqservice-extern-available>" "<yaqservice-intern-available>Y</yaqservice-intern-available></sessiondata>") .arg(ok) << int(kSessionValid);
    QTest::newRow("return code 00 without any service") << QStringLiteral("<sessiondata>%1<yaqservice-intern-available>N</" "yaqservice-intern-available></sessiondata>") .arg(ok) << int(kSessionUnknown);
    QTest::newRow("rejected return code stops the visit") << QStringLiteral( "<sessiondata><yaqservice-intern-available>Y</yaqservice-intern-available>" "<return-code>17</return-code><yaqservice-intern-available>Y</" "yaqservice-intern-available></sessiondata>") << int(kSessionRejected);
    QTest::newRow("service flag compared exactly") << QStringLiteral("<sessiondata>%1<yaqservice-intern-available>y</" "yaqservice-intern-available></sessiondata>") .arg(ok) << int(kSessionUnknown);
    QTest::newRow("names matched by containment") << QStringLiteral("<ns:sessiondata xmlns:ns=\"urn:x\"><ns:return-code>00</ns:return-code>" "<ns:yaqservice-intern-available>Y</ns:yaqservice-intern-available></" "ns:sessiondata>") << int(kSessionValid);
    QTest::newRow("other document element") << QStringLiteral("<answer><return-code>00</return-code></answer>") << int(kSessionUnknown);
    QTest::newRow("empty answer (no connection)") << QString() << int(kSessionUnknown);
    QTest::newRow("nesting deeper than any answer is refused") << QStringLiteral("<sessiondata>%1<yaqservice-intern-available>Y</yaqservice-intern-available><x>%2%3</x></sessiondata>").arg(ok, QStringLiteral("<x>").repeated(1000), QStringLiteral("</x>").repeated(1000)) << int(kSessionUnknown);
    QTest::newRow("answer that is no XML") << QStringLiteral("<sessiondata><oops>") << int(kSessionUnknown);
    // clang-format on
}

void TestPageSwitch::sessionAnswer()
{
    QFETCH(QString, xml);
    QFETCH(int, expected);
    QCOMPARE(ParseSessionAnswer(xml), expected);
}

void TestPageSwitch::pageRow_data()
{
    QTest::addColumn<int>("page");
    // clang-format off
    for (const CPageRow &row : PageRows())
        QTest::addRow("page %d", row.id) << row.id;
}
// clang-format on

void TestPageSwitch::pageRow()
{
    QFETCH(int, page);
    const CPageRow &row = *FindPageRow(page);
    int sameId = 0;
    for (const CPageRow &other : PageRows())
        sameId += other.id == page ? 1 : 0;
    QCOMPARE(sameId, 1);
    QVERIFY(row.make);
    QVERIFY2(FindPageRow(row.back), "\"<\" leads to a page of the table");
    QList<int> captions;
    for (int origin : row.cameFrom) {
        if (!origin)
            continue;
        const CPageRow *from = FindPageRow(origin);
        QVERIFY2(from, "\"<\" leads back to a page of the table");
        // The title tells the origin by its caption: a page without one
        // would be taken for the home page, two with the same for each other.
        QVERIFY(from->captionId != 0 || origin == kPageHome);
        QVERIFY(!captions.contains(from->captionId));
        captions.append(from->captionId);
    }
}

void TestPageSwitch::headRowState_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("pageMode");
    QTest::addColumn<QList<bool>>("expected"); // VIN, type key, combos, first registration, mileage

    using L = QList<bool>;
    // clang-format off
    QTest::newRow("package list")                          << int(kPageSRPWl)     << true  << L{true, false, false, true, true};
    QTest::newRow("contract page")                         << int(kPageHLX)       << true  << L{true, false, false, false, true};
    QTest::newRow("package edit: nothing editable")        << int(kPageSRPBb)     << true  << L{false, false, false, false, false};
    QTest::newRow("catalogue: everything editable")        << int(kPageAwKat)     << true  << L{true, true, true, true, true};
    QTest::newRow("number search: everything editable")    << int(kPageNrAbfrage) << true  << L{true, true, true, true, true};
    QTest::newRow("outside page mode everything editable") << int(kPageSRPBb)     << false << L{true, true, true, true, true};
    for (int page :
         {kPageWk, kPageBfnd, kPageSBLWl, kPageSetup, kPageWebBrowser, kPageDownload, kPageSpotRBb})
        QTest::addRow("page %d: only the mileage", page) << page << true << L{false, false, false, false, true};
}
// clang-format on

void TestPageSwitch::headRowState()
{
    QFETCH(int, page);
    QFETCH(bool, pageMode);
    QFETCH(QList<bool>, expected);
    const HeadRowState s = HeadRowFor(page, pageMode);
    const QList<bool> actual{s.vinEditable, s.typeKeyEditable, s.combosEnabled,
                             s.firstRegistrationEditable, s.mileageEditable};
    QCOMPARE(actual, expected);
}

void TestPageSwitch::sessionLocksNameTheirPage()
{
    // Every page control the session policy locks is one page's, named by
    // one row; a row names only controls the policy locks.
    QList<int> named;
    for (const CPageRow &row : PageRows()) {
        for (const CLockableControl &lock : row.locks) {
            if (!lock.control)
                continue;
            QVERIFY2(!named.contains(lock.id), "one row names a control");
            named.append(lock.id);
        }
    }
    QList<int> locked;
    for (int id : CSessionPolicy(true, true).Forbidden()) {
        if (id >= kCtlAwKatPrice)
            locked.append(id);
    }
    std::sort(named.begin(), named.end());
    std::sort(locked.begin(), locked.end());
    QCOMPARE(named, locked);
}

void TestPageSwitch::serverLine_data()
{
    QTest::addColumn<QString>("tns");
    QTest::addColumn<QString>("expected");
    // clang-format off
    QTest::newRow("host before a four-digit port") << QStringLiteral( "(DESCRIPTION=(ADDRESS=(HOST=db.example)(PORT=1521))(CONNECT_DATA=(SID=YAQ)))") << QStringLiteral("- Server: db.example:1521");
    QTest::newRow("port before host") << QStringLiteral("(ADDRESS=(PORT=1521)(HOST=10.1.2.3))") << QStringLiteral("- Server: 10.1.2.3:1521");
    QTest::newRow("five-digit port and a long host name") << QStringLiteral("(HOST=catalogue-server.dealer.example)(PORT=15210)") << QStringLiteral("- Server: catalogue-server.dealer.example:15210");
    QTest::newRow("values up to the end of the text") << QStringLiteral("(HOST=h)(PORT=99") << QStringLiteral("- Server: h:99");
    QTest::newRow("no port") << QStringLiteral("(HOST=h)") << QString();
    QTest::newRow("no host") << QStringLiteral("(PORT=1521)") << QString();
    QTest::newRow("empty") << QString() << QString();
    // clang-format on
}

void TestPageSwitch::serverLine()
{
    QFETCH(QString, tns);
    QFETCH(QString, expected);
    QCOMPARE(ServerLineFromTns(tns), expected);
}

void TestPageSwitch::connectionKind()
{
    const QString tns = QStringLiteral("(HOST=h)(PORT=1521)");
    CPrgSettings s;
    QCOMPARE(CAboutDlg::ConnectionLine(s, tns), QStringLiteral("Y A Q 2 - Server: h:1521"));
    QCOMPARE(CAboutDlg::ConnectionLine(s, QStringLiteral("(HOST=h)")), QStringLiteral("Y A Q 2 "));
    s.bSession = 1;
    QCOMPARE(CAboutDlg::ConnectionLine(s, tns), QStringLiteral("Y A Q 2 - Web"));
    s.bLocalDataSet = 1;
    QCOMPARE(CAboutDlg::ConnectionLine(s, tns), QStringLiteral("Y A Q 2 - Offline"));
}

YAQ_TEST_GUILESS_MAIN(TestPageSwitch)
#include "tst_pageswitch.moc"
