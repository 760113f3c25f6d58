// The browser page: which document each mode shows (language, fallback,
// brand folder, the dealer's ORVA folder, the spot-repair content folder of
// the vehicle, the application server in a session), the history of the
// documents seen, and where "<" and Escape lead; then the page itself,
// opened by a host from a page that "<" leads back to.

#include "common/BrowserNav.h"
#include "common/OpenUrl.h"
#include "common/OwnButton.h"
#include "common/WebBrowserDlg.h"
#include "platform/OrmelText.h"
#include "settings/PrgSettings.h"
#include "support/NullPageHost.h"
#include "support/TestEnv.h"
#include "support/Waits.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QtTest>

namespace {

// The page ids of the package list and the spot-repair page.
constexpr int kFromPackageList = 146;
constexpr int kFromSpotRepair = 266;

// A vehicle "series|type number|model designation".
void SetVehicle(CPrgSettings *s, const QString &vehicle)
{
    const QStringList parts = vehicle.split(QLatin1Char('|'));
    s->EReihe = parts.value(0);
    s->Bestellnr = parts.value(1);
    s->ModellBez = parts.value(2);
}

// The host of the test: it opens the browser page as the main window does
// and notes where the page sends the adviser.
class CBrowserHost : public CNullPageHost
{
public:
    using CNullPageHost::ShowPage;
    void ShowPage(int pageId, const CPageRequest &request) override
    {
        if (pageId != kPageWebBrowser) {
            shown << (pageId == kPageHome ? 0 : pageId);
            return;
        }
        browser->CreateBrowser();
        SetWebReturnPage(request.returnPage);
        browser->ShowPage(request.webMode < 0 ? kBrowserNews : request.webMode);
        SetWebReturnPage(0);
    }

    CWebBrowserDlg *browser = nullptr;
    QList<int> shown;
};

// Clicks the link with this address in the viewer, as the adviser does.
bool ClickLink(QTextBrowser *browser, const QString &href)
{
    for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().anchorHref() != href)
                continue;
            QTextCursor cursor(browser->document());
            cursor.setPosition(fragment.position() + 1);
            const QPoint at = browser->cursorRect(cursor).center();
            QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, at);
            return true;
        }
    }
    return false;
}

// The application server of a session: answers GET requests for the paths
// it holds (200), others with 404; while silent it takes the requests and
// never answers.
class CDocumentServer : public QTcpServer
{
public:
    QHash<QString, QByteArray> documents;
    QStringList asked;
    bool silent = false;
    QByteArray contentType = "text/html; charset=utf-8";

    CDocumentServer()
    {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    const QByteArray head = socket->peek(socket->bytesAvailable());
                    if (!head.contains("\r\n\r\n"))
                        return;
                    socket->readAll();
                    const QString path = QString::fromLatin1(head.split(' ').value(1));
                    asked << path;
                    if (silent)
                        return;
                    const bool held = documents.contains(path);
                    const QByteArray body = held ? documents.value(path) : QByteArray("nothing");
                    socket->write((held ? "HTTP/1.1 200 OK\r\n" : "HTTP/1.1 404 Not Found\r\n") +
                                  QByteArray("Content-Type: ") + contentType + "\r\n" +
                                  "Content-Length: " + QByteArray::number(body.size()) +
                                  "\r\nConnection: close\r\n\r\n" + body);
                    socket->disconnectFromHost();
                });
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
    }
    QString base() const { return QStringLiteral("http://127.0.0.1:%1").arg(serverPort()); }
};

} // namespace

class TestBrowserPage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void documentOfMode_data();
    void documentOfMode();
    void contentFolder_data();
    void contentFolder();
    void demoContentOfTheArvo();
    void history_data();
    void history();
    void returnAndEscape_data();
    void returnAndEscape();
    void pageReturnsToTheOpener();
    void findTellsWhatIsNotFound_data();
    void findTellsWhatIsNotFound();
    void linkSchemes_data();
    void linkSchemes();
    void linkThatCannotOpenIsTold_data();
    void linkThatCannotOpenIsTold();
    void sessionDocumentFromTheServer_data();
    void sessionDocumentFromTheServer();

private:
    QString data() const { return m_dir.filePath(QStringLiteral("Datas")); }
    QString dealer() const { return m_dir.filePath(QStringLiteral("Dealer")); }
    QString orva() const { return m_dir.filePath(QStringLiteral("Orva")); }
    bool put(const QString &path, const QByteArray &text = "<p>x</p>");

    TestEnv m_env;
    QTemporaryDir m_dir;
};

bool TestBrowserPage::put(const QString &path, const QByteArray &text)
{
    return QDir().mkpath(QFileInfo(path).path()) && writeTextFile(path, text);
}

void TestBrowserPage::initTestCase()
{
    QVERIFY(m_dir.isValid());
    InitOrmelText(QStringLiteral(YAQ_DEMO_DATAS_DIR "/Zirava/PrgTxt"));
    SetPrgSprache(QStringLiteral("00"));
    const QString d = data();
    for (const char *file :
         {"/News/VOQ/NEWS00.html", "/News/VOQ/NEWS01.html", "/News/LUMO/NEWS01.html",
          "/RadReif/01/index.htm", "/SRP/sa_list/01/SAList01.html", "/Baustand/BST_00.htm",
          "/SRP/DIP/Dip_01.htm"})
        QVERIFY(put(d + QLatin1String(file)));
    QVERIFY(put(d + QStringLiteral("/RadReif/00/index.htm"),
                "<p><a href=\"sizes.htm\">Sizes</a> <a href=\"https://example.org/\">web</a></p>"));
    QVERIFY(put(d + QStringLiteral("/RadReif/00/sizes.htm")));
    for (const char *file :
         {"/Spotrepair/info_00.html", "/Spotrepair/info_01.html",
          "/Spotrepair/content/F40/index.html", "/Spotrepair/content/C30_Kombi/index.html",
          "/Spotrepair/content/Default/index.html"})
        QVERIFY(put(dealer() + QLatin1String(file)));
    QVERIFY(put(orva() + QStringLiteral("/Spotrepair/info_01.html")));
    QVERIFY(put(SpotRepairContentTablePath(d), "EReihe\tTypNr\tModellBez\tOrdner\n"
                                               "C30\tVQ30120\tKombi\tC30_Kombi\n"));
}

void TestBrowserPage::documentOfMode_data()
{
    // The document as a path below the test folder ("Datas/...",
    // "Dealer/...", "Orva/..."), or an address of the server; "" for none.
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("brand");
    QTest::addColumn<bool>("orvaFolder");
    QTest::addColumn<QString>("vehicle");
    QTest::addColumn<QString>("server");
    QTest::addColumn<QString>("document");
    // clang-format off
    QTest::newRow("news in the language")               << 0 << "00" << "VQ" << false << "F40" << "" << "Datas/News/VOQ/NEWS00.html";
    QTest::newRow("news of language 15 from 01")        << 0 << "15" << "VQ" << false << "F40" << "" << "Datas/News/VOQ/NEWS01.html";
    QTest::newRow("news of VJ in the VOQ folder")       << 0 << "01" << "VJ" << false << "F40" << "" << "Datas/News/VOQ/NEWS01.html";
    QTest::newRow("news of LU in its own folder")       << 0 << "00" << "LU" << false << "F40" << "" << "Datas/News/LUMO/NEWS01.html";
    QTest::newRow("unknown brand: two separators")      << 0 << "00" << "XX" << false << "F40" << "" << "Datas/News//NEWS01.html";
    QTest::newRow("wheels and tyres")                   << 1 << "00" << "VQ" << false << "F40" << "" << "Datas/RadReif/00/index.htm";
    QTest::newRow("wheels and tyres from 01")           << 1 << "15" << "VQ" << false << "F40" << "" << "Datas/RadReif/01/index.htm";
    QTest::newRow("SA list from 01")                    << 2 << "00" << "VQ" << false << "F40" << "" << "Datas/SRP/sa_list/01/SAList01.html";
    QTest::newRow("build state")                        << 3 << "00" << "VQ" << false << "F40" << "" << "Datas/Baustand/BST_00.htm";
    QTest::newRow("fallback taken unchecked")           << 3 << "01" << "VQ" << false << "F40" << "" << "Datas/Baustand/BST_01.htm";
    QTest::newRow("dealer parts from 01")               << 4 << "00" << "VQ" << false << "F40" << "" << "Datas/SRP/DIP/Dip_01.htm";
    QTest::newRow("spot-repair info of the dealer")     << 5 << "00" << "VQ" << false << "F40" << "" << "Dealer/Spotrepair/info_00.html";
    QTest::newRow("spot-repair info of the ORVA folder") << 5 << "00" << "VQ" << true << "F40" << "" << "Orva/Spotrepair/info_01.html";
    QTest::newRow("content of the model series")        << 6 << "00" << "VQ" << false << "F40 " << "" << "Dealer/Spotrepair/content/F40/index.html";
    QTest::newRow("content folder from the table")      << 6 << "00" << "VQ" << false << "C30|VQ30120|Kombi 2.0" << "" << "Dealer/Spotrepair/content/C30_Kombi/index.html";
    QTest::newRow("series without content: Default")    << 6 << "00" << "VQ" << false << "B20" << "" << "Dealer/Spotrepair/content/Default/index.html";
    QTest::newRow("session: wheels from the server")    << 1 << "00" << "VQ" << false << "F40" << "http://appsrv/yaq" << "http://appsrv/yaq/DATAS/RadReif/00/index.htm";
    QTest::newRow("session: SA list from the server")   << 2 << "01" << "VQ" << false << "F40" << "http://appsrv/yaq" << "http://appsrv/yaq/DATAS/SRP/sa_list/01/SAList01.html";
    QTest::newRow("session: build state, no fallback")  << 3 << "15" << "VQ" << false << "F40" << "http://appsrv/yaq" << "http://appsrv/yaq/DATAS/Baustand/BST_15.htm";
    QTest::newRow("session: news stay local")           << 0 << "00" << "VQ" << false << "F40" << "http://appsrv/yaq" << "Datas/News/VOQ/NEWS00.html";
    QTest::newRow("mode outside 0 to 6")                << 7 << "00" << "VQ" << false << "F40" << "" << "";
    // clang-format on
}

void TestBrowserPage::documentOfMode()
{
    QFETCH(int, mode);
    QFETCH(QString, language);
    QFETCH(QString, brand);
    QFETCH(bool, orvaFolder);
    QFETCH(QString, vehicle);
    QFETCH(QString, server);
    QFETCH(QString, document);
    CPrgSettings s;
    s.DataDir = data();
    s.DealerDataStorage = dealer();
    s.DealerDataStorageORVA = orva();
    s.MarketingCampaignsORVA = orvaFolder ? 1 : 0;
    s.Marke = brand;
    s.bSession = server.isEmpty() ? 0 : 1;
    SetVehicle(&s, vehicle);
    const QUrl url = BrowserDocument(s, mode, language, server);
    if (document.isEmpty())
        QVERIFY(url.isEmpty());
    else if (document.startsWith(QLatin1String("http")))
        QCOMPARE(url.toString(), document);
    else
        QCOMPARE(url.toLocalFile(), m_dir.filePath(document));
}

void TestBrowserPage::contentFolder_data()
{
    QTest::addColumn<QString>("vehicle");
    QTest::addColumn<QString>("folder");
    // clang-format off
    QTest::newRow("type number of the table")           << "C30|VQ30110|Arvo 1.6"       << "C30_Limousine";
    QTest::newRow("type number and designation word")   << "C30|VQ30120|ARVO kombi 2.0" << "C30_Kombi";
    QTest::newRow("same type number without the word")  << "C30|VQ30120|Arvo 2.0"       << "C30_Variante";
    QTest::newRow("other type number: series' default") << "C30|VQ30999|Arvo"           << "C30_Standard";
    QTest::newRow("series not in the table")            << "F40 |VQ30110|Arvo"          << "F40";
    // clang-format on
}

void TestBrowserPage::contentFolder()
{
    QFETCH(QString, vehicle);
    QFETCH(QString, folder);
    const QString table = m_dir.filePath(QStringLiteral("content.txt"));
    QVERIFY(writeTextFile(table, "EReihe\tTypNr\tModellBez\tOrdner\r\n"
                                 "C30\tVQ30110\t\tC30_Limousine\r\n"
                                 "C30\tVQ30120\tKombi\tC30_Kombi\r\n"
                                 "\r\n"
                                 "C30\tVQ30120\t\tC30_Variante\r\n"
                                 "C30\t\t\tC30_Standard\r\n"));
    CPrgSettings s;
    SetVehicle(&s, vehicle);
    QCOMPARE(SpotRepairContentFolder(s, ReadSpotRepairContentTable(table)), folder);
    // Without the table every series keeps its own name.
    QCOMPARE(SpotRepairContentFolder(s, ReadSpotRepairContentTable(table + QStringLiteral(".no"))),
             s.EReihe.trimmed());
}

// The demo's table leads the Arvo (type number VQF40DE) to its folder.
void TestBrowserPage::demoContentOfTheArvo()
{
    CPrgSettings s;
    SetVehicle(&s, QStringLiteral("F40|VQF40DE|Arvo 1.6"));
    const auto table =
        ReadSpotRepairContentTable(SpotRepairContentTablePath(QStringLiteral(YAQ_DEMO_DATAS_DIR)));
    QCOMPARE(SpotRepairContentFolder(s, table), QStringLiteral("F40_Limousine"));
    QVERIFY(QFileInfo::exists(
        QStringLiteral(YAQ_DEMO_DATAS_DIR "/Dealer/Spotrepair/content/F40_Limousine/index.html")));
}

void TestBrowserPage::history_data()
{
    // After opening on "start": "<" and ">" history back and forward,
    // "home" the mode's document again, any other word a link followed.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("current");
    QTest::addColumn<bool>("back");
    QTest::addColumn<bool>("forward");
    QTest::addColumn<bool>("home");
    using L = QStringList;
    // clang-format off
    QTest::newRow("opened: nowhere to go")              << L{}                          << "start" << false << false << false;
    QTest::newRow("a link: back and home offered")      << L{"a"}                       << "a"     << true  << false << true;
    QTest::newRow("back to the start: forward")         << L{"a", "<"}                  << "start" << false << true  << true;
    QTest::newRow("back and forward again")             << L{"a", "<", ">"}             << "a"     << true  << false << true;
    QTest::newRow("a link after back drops forward")    << L{"a", "b", "<", "c"}        << "c"     << true  << false << true;
    QTest::newRow("back past the dropped document")     << L{"a", "b", "<", "c", "<"}   << "a"     << true  << true  << true;
    QTest::newRow("home: the start as a new step")      << L{"a", "home"}               << "start" << true  << false << false;
    QTest::newRow("back at the start does nothing")     << L{"<"}                       << "start" << false << false << false;
    QTest::newRow("forward at the end does nothing")    << L{"a", ">"}                  << "a"     << true  << false << true;
    // clang-format on
}

void TestBrowserPage::history()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, current);
    QFETCH(bool, back);
    QFETCH(bool, forward);
    QFETCH(bool, home);
    auto url = [](const QString &name) {
        return QUrl::fromLocalFile(QStringLiteral("/d/") + name);
    };
    CBrowserNav nav;
    nav.Open(kBrowserNews, url(QStringLiteral("start")), 0);
    for (const QString &step : steps) {
        if (step == QLatin1String("<"))
            nav.Back();
        else if (step == QLatin1String(">"))
            nav.Forward();
        else if (step == QLatin1String("home"))
            nav.Home();
        else
            nav.Follow(url(step));
    }
    QCOMPARE(nav.Current(), url(current));
    QCOMPARE(nav.CanGoBack(), back);
    QCOMPARE(nav.CanGoForward(), forward);
    QCOMPARE(nav.HomeOffered(), home);
    // Opened anew, the history starts again.
    nav.Open(kBrowserNews, url(QStringLiteral("other")), 0);
    QVERIFY(!nav.CanGoBack() && !nav.CanGoForward() && !nav.HomeOffered());
}

void TestBrowserPage::returnAndEscape_data()
{
    // Opened from returnPage; "link" follows a link, "<" presses "<".
    // Then what Escape does and where "<" leads (0: nowhere).
    QTest::addColumn<int>("returnPage");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<int>("escape");
    QTest::addColumn<int>("backTo");
    using L = QStringList;
    using E = CBrowserNav::Escape;
    // clang-format off
    QTest::newRow("from the package list")              << kFromPackageList << L{}            << int(E::Home)    << kFromPackageList;
    QTest::newRow("from spot repair, after a link")     << kFromSpotRepair  << L{"link"}      << int(E::Return)  << kFromSpotRepair;
    QTest::newRow("from nowhere: home without history") << 0                << L{}            << int(E::Home)    << 0;
    QTest::newRow("from nowhere, after a link")         << 0                << L{"link"}      << int(E::Nothing) << 0;
    QTest::newRow("the way back is used once")          << kFromPackageList << L{"link", "<"} << int(E::Nothing) << 0;
    // clang-format on
}

void TestBrowserPage::returnAndEscape()
{
    QFETCH(int, returnPage);
    QFETCH(QStringList, steps);
    QFETCH(int, escape);
    QFETCH(int, backTo);
    CBrowserNav nav;
    nav.Open(kBrowserSpotRepairInfo, QUrl::fromLocalFile(QStringLiteral("/d/info.html")),
             returnPage);
    for (const QString &step : steps) {
        if (step == QLatin1String("<"))
            nav.TakeReturnPage();
        else
            nav.Follow(QUrl::fromLocalFile(QStringLiteral("/d/") + step));
    }
    QCOMPARE(int(nav.OnEscape()), escape);
    QCOMPARE(nav.TakeReturnPage(), backTo);
    QCOMPARE(nav.TakeReturnPage(), 0);
}

void TestBrowserPage::pageReturnsToTheOpener()
{
    QStringList opened;
    SetUrlOpener([&opened](const QUrl &url) {
        opened << url.toString();
        return true;
    });
    CPrgSettings s;
    s.Sound = 0;
    s.DataDir = data();
    s.DealerDataStorage = dealer();
    CBrowserHost host;
    CWebBrowserDlg page;
    host.browser = &page;
    page.Create(&s, 193, 0, {}, &host, nullptr);
    page.show();
    auto *back = page.findChild<COwnButton *>(QStringLiteral("backButton"));
    auto *historyBack = page.findChild<COwnButton *>(QStringLiteral("historyBackButton"));

    // Opened from the package list: "<" leads back there, once.
    host.ShowPage(kPageWebBrowser,
                  CPageRequest::Document(kBrowserSpotRepairInfo, kFromPackageList));
    QCOMPARE(page.CurrentDocument(), dealer() + QStringLiteral("/Spotrepair/info_00.html"));
    QVERIFY(back->isEnabled());
    back->click();
    QCOMPARE(host.shown, QList<int>{kFromPackageList});
    QVERIFY(!back->isEnabled());

    // Opened by the host alone (the news): no way back; Escape leads home.
    host.shown.clear();
    host.ShowPage(kPageWebBrowser);
    QVERIFY(!back->isEnabled());
    QTest::keyClick(&page, Qt::Key_Escape);
    QCOMPARE(host.shown, QList<int>{0});

    // From spot repair, a link followed: Escape returns; a web address goes
    // to the desktop and leaves the history as it is.
    host.shown.clear();
    host.ShowPage(kPageWebBrowser, CPageRequest::Document(kBrowserWheelsTyres, kFromSpotRepair));
    auto *browser = page.findChild<QTextBrowser *>(QStringLiteral("browser"));
    QVERIFY(browser);
    emit browser->anchorClicked(QUrl(QStringLiteral("sizes.htm")));
    QCOMPARE(page.CurrentDocument(), data() + QStringLiteral("/RadReif/00/sizes.htm"));
    QVERIFY(historyBack->isEnabled());
    emit browser->anchorClicked(QUrl(QStringLiteral("https://example.org/")));
    QCOMPARE(opened, QStringList{QStringLiteral("https://example.org/")});
    QCOMPARE(page.CurrentDocument(), data() + QStringLiteral("/RadReif/00/sizes.htm"));
    QTest::keyClick(&page, Qt::Key_Escape);
    QCOMPARE(host.shown, QList<int>{kFromSpotRepair});
    SetUrlOpener(nullptr);
}

void TestBrowserPage::findTellsWhatIsNotFound_data()
{
    // Row: the text typed into the labelled find field, whether it is then
    // emptied, the notice beside the field ("" for none).
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("emptied");
    QTest::addColumn<int>("notice");
    // clang-format off
    QTest::newRow("text in the document")          << "x"            << false << 0;
    QTest::newRow("text not in the document")      << "Zylinderkopf" << false << 7141;
    QTest::newRow("not found, then field emptied") << "Zylinderkopf" << true  << 0;
    // clang-format on
}

void TestBrowserPage::findTellsWhatIsNotFound()
{
    QFETCH(QString, typed);
    QFETCH(bool, emptied);
    QFETCH(int, notice);
    CPrgSettings s;
    s.Sound = 0;
    s.DataDir = data();
    CBrowserHost host;
    CWebBrowserDlg page;
    host.browser = &page;
    page.Create(&s, 193, 0, {}, &host, nullptr);
    page.show();
    host.ShowPage(kPageWebBrowser);
    page.findChild<COwnButton *>(QStringLiteral("findButton"))->click();
    auto *field = page.findChild<QLineEdit *>(QStringLiteral("findField"));
    auto *label = page.findChild<QLabel *>(QStringLiteral("findLabel"));
    QCOMPARE(label->text(), OrmelText(7140));
    QCOMPARE(label->buddy(), field);
    QTest::keyClicks(field, typed);
    if (emptied) {
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
    }
    QCOMPARE(page.findChild<QLabel *>(QStringLiteral("findNotice"))->text(),
             notice ? OrmelText(notice) : QString());
}

void TestBrowserPage::linkSchemes_data()
{
    // Row: a link of a document; whether the desktop is handed it.
    QTest::addColumn<QString>("href");
    QTest::addColumn<bool>("handedOn");
    // clang-format off
    QTest::newRow("web address")                  << "https://example.org/a%20b.html?q=%C3%A4#teil%202" << true;
    QTest::newRow("plain http")                   << "http://example.org/"                  << true;
    QTest::newRow("scheme in capitals")           << "HTTPS://example.org/x"                << true;
    QTest::newRow("mail address")                 << "mailto:werkstatt@example.org"         << true;
    QTest::newRow("a scheme of another program")  << "yaqrevtest:payload"                   << false;
    QTest::newRow("script")                       << "javascript:alert(document.cookie)"    << false;
    QTest::newRow("data address")                 << "data:text/html,<b>x</b>"              << false;
    QTest::newRow("file transfer")                << "ftp://example.org/a.txt"              << false;
    QTest::newRow("web scheme without a host")    << "http:/etc/passwd"                     << false;
    QTest::newRow("document of the page")         << "sizes.htm"                            << false;
    QTest::newRow("file address with a port")     << "//werkstatt:8080/doc.htm"             << false;
    // clang-format on
}

// Only a web or mail address leaves the program; every other link starts
// nothing outside it.
void TestBrowserPage::linkSchemes()
{
    QFETCH(QString, href);
    QFETCH(bool, handedOn);
    QList<QUrl> opened;
    SetUrlOpener([&opened](const QUrl &url) {
        opened << url;
        return true;
    });
    const QString file = data() + QStringLiteral("/Baustand/BST_00.htm");
    QVERIFY(put(file,
                "<p>Text <a href=\"" + href.toHtmlEscaped().toUtf8() + "\">Verweis</a> Text</p>"));
    CPrgSettings s;
    s.Sound = 0;
    s.DataDir = data();
    CWebBrowserDlg page;
    page.Create(&s, 193, 0, {}, nullptr, nullptr);
    page.CreateBrowser();
    page.resize(600, 400);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    page.ShowPage(kBrowserBuildState);
    auto *browser = page.findChild<QTextBrowser *>(QStringLiteral("browser"));
    QVERIFY(ClickLink(browser, href));
    YAQ_SETTLED_COMPARE(opened.size(), handedOn ? 1 : 0);
    SetUrlOpener(nullptr);
    if (handedOn)
        QCOMPARE(opened.first(), QUrl(href));
    else if (href.startsWith(QLatin1String("//")))
        QVERIFY2(browser->toPlainText().contains(href), qPrintable(browser->toPlainText()));
    else if (!href.contains(QLatin1Char(':')))
        QCOMPARE(page.CurrentDocument(), data() + QStringLiteral("/Baustand/") + href);
}

void TestBrowserPage::linkThatCannotOpenIsTold_data()
{
    // Row: a link the desktop has no program for; the address the box names.
    QTest::addColumn<QString>("href");
    QTest::addColumn<QString>("named");
    // clang-format off
    QTest::newRow("web address")  << "http://www.example.org/"        << "http://www.example.org/";
    QTest::newRow("mail address") << "mailto:werkstatt@example.org"   << "mailto:werkstatt@example.org";
    // clang-format on
}

void TestBrowserPage::linkThatCannotOpenIsTold()
{
    QFETCH(QString, href);
    QFETCH(QString, named);
    SetUrlOpener([](const QUrl &) { return false; });
    m_env.answerBoxes(IDOK);
    const qsizetype before = m_env.boxes().size();
    const QString file = data() + QStringLiteral("/Baustand/BST_00.htm");
    QVERIFY(put(file, "<p><a href=\"" + href.toUtf8() + "\">Verweis</a></p>"));
    CPrgSettings s;
    s.Sound = 0;
    s.DataDir = data();
    CWebBrowserDlg page;
    page.Create(&s, 193, 0, {}, nullptr, nullptr);
    page.CreateBrowser();
    page.resize(600, 400);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    page.ShowPage(kBrowserBuildState);
    QVERIFY(ClickLink(page.findChild<QTextBrowser *>(QStringLiteral("browser")), href));
    YAQ_TRY_COMPARE(m_env.boxes().size(), before + 1);
    SetUrlOpener(nullptr);
    const QString text = m_env.boxes().last().text;
    QVERIFY2(text.startsWith(OrmelText(7096).section(QLatin1Char('%'), 0, 0)), qPrintable(text));
    QVERIFY2(text.contains(named), qPrintable(text));
}

void TestBrowserPage::sessionDocumentFromTheServer_data()
{
    // Row: what the server does; what the page shows then.
    QTest::addColumn<QString>("server");
    QTest::addColumn<QString>("shown");
    // clang-format off
    QTest::newRow("delivered")              << "delivers" << "Liste vom Server";
    QTest::newRow("delivered in Latin-1")   << "latin1"   << "Räder und Reifen für Größe";
    QTest::newRow("not on the server")      << "404"      << "Status 404";
    QTest::newRow("no answer in the bound") << "silent"   << "nicht innerhalb von 1 Sekunden";
    // clang-format on
}

// In a session the SA list comes from the application server; its links
// are followed there, shown in the page.
void TestBrowserPage::sessionDocumentFromTheServer()
{
    QFETCH(QString, server);
    QFETCH(QString, shown);
    CDocumentServer appServer;
    QVERIFY(appServer.listen(QHostAddress::LocalHost, 0));
    const QString path = QStringLiteral("/DATAS/SRP/sa_list/00/SAList00.html");
    if (server == QLatin1String("delivers"))
        appServer.documents.insert(path,
                                   "<p>Liste vom Server <a href=\"teil2.html\">weiter</a></p>");
    if (server == QLatin1String("latin1")) {
        // Declared by the answer and by the page, as such servers write it.
        appServer.contentType = "text/html; charset=iso-8859-1";
        appServer.documents.insert(path, "<meta charset=\"iso-8859-1\"><p>R\xe4"
                                         "der und Reifen f\xfcr Gr\xf6\xdf"
                                         "e</p>");
    }
    appServer.documents.insert(QStringLiteral("/DATAS/SRP/sa_list/00/teil2.html"),
                               "<p>Zweiter Teil</p>");
    appServer.silent = server == QLatin1String("silent");
    QList<QUrl> opened;
    SetUrlOpener([&opened](const QUrl &url) {
        opened << url;
        return true;
    });
    CPrgSettings s;
    s.Sound = 0;
    s.DataDir = data();
    s.bSession = 1;
    CWebBrowserDlg page;
    page.m_strServerBase = appServer.base();
    page.m_nServerTimeoutMs = 1000;
    page.Create(&s, 193, 0, {}, nullptr, nullptr);
    page.CreateBrowser();
    page.resize(600, 400);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    page.ShowPage(kBrowserSaList);
    auto *browser = page.findChild<QTextBrowser *>(QStringLiteral("browser"));
    YAQ_TRY_VERIFY(browser->toPlainText().contains(shown));
    QCOMPARE(appServer.asked, QStringList{path});
    if (server == QLatin1String("delivers")) {
        QVERIFY(ClickLink(browser, QStringLiteral("teil2.html")));
        YAQ_TRY_VERIFY(browser->toPlainText().contains(QStringLiteral("Zweiter Teil")));
        QCOMPARE(appServer.asked.last(), QStringLiteral("/DATAS/SRP/sa_list/00/teil2.html"));
        QVERIFY(opened.isEmpty());
    }
    SetUrlOpener(nullptr);
}

YAQ_TEST_MAIN(TestBrowserPage)
#include "tst_browserpage.moc"
