// The head buttons: Enter runs the focused head button's action, Tab from
// "DMS-VIN" goes into the home page, Escape never closes the window, a page
// that locks the head row takes the keyboard, a held Return acts once; help
// pages open in the browser, and a page that cannot open is told; the
// two-wheeler button is offered to the dealers of the main brand; the
// sibling programs get their switches as separate arguments, run without
// blocking the window, outlive its close and its end, and a program that
// cannot start says why.

#include "app/HeadKeys.h"
#include "app/HelpFile.h"
#include "app/HomeDlg.h"
#include "app/MainWndRules.h"
#include "app/SiblingProgram.h"
#include "app/Yaq2App.h"
#include "app/Yaq2Dlg.h"
#include "basket/model/WkBasket.h"
#include "common/OpenUrl.h"
#include "common/OwnButton.h"
#include "common/OwnWhiteButton.h"
#include "packages/model/Position.h"
#include "platform/HeldReturnFilter.h"
#include "platform/OrmelText.h"
#include "settings/PrgSettings.h"
#include "support/HeldKey.h"
#include "support/MainWindowTest.h"
#include "support/Waits.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <QWindow>
#include <QtTest>
#include <memory>

class TestHeadKeys : public MainWindowTest
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void keyRules_data();
    void keyRules();
    void enterOnHeadButtonRunsItsAction();
    void enterOnTheVinFieldRunsNoHeadAction();
    void escapeNeverClosesTheWindow();
    void tabFromDmsVinGoesToTheHomePage();
    void returnOnAHomeTileOpensIt_data();
    void returnOnAHomeTileOpensIt();
    void lockedHeadLeavesTheKeyboardInThePage_data();
    void lockedHeadLeavesTheKeyboardInThePage();
    void homeAfterSettingsFocusesTheVin();

    void helpOpensThePageOfTheContext_data();
    void helpOpensThePageOfTheContext();
    void f1OpensTheHelpOfTheVisiblePage();
    void helpThatCannotOpenIsTold_data();
    void helpThatCannotOpenIsTold();

    void twoWheelerArguments();
    void twoWheelerButtonIsOfferedToTheBrandsDealers_data();
    void twoWheelerButtonIsOfferedToTheBrandsDealers();
    void twoWheelerProgramRunsWithoutBlocking();
    void siblingProgramOutlivesTheWindow();
    void windowComesBackAfterTheTwoWheelerProgram_data();
    void windowComesBackAfterTheTwoWheelerProgram();
    void downloadToolGetsTheLanguage_data();
    void downloadToolGetsTheLanguage();
    void missingProgramSaysWhy_data();
    void missingProgramSaysWhy();

private:
    void start();
    QString installRecorder(const QString &folder, const QString &name);
    QStringList recorded() const;

    QString m_prog;     // the program folder
    QList<QUrl> m_urls; // the addresses handed to the desktop
    QByteArray m_path;  // PATH as the test found it
};

void TestHeadKeys::init()
{
    setUpDemo();
    m_prog = m_settings->DataDir.chopped(QStringLiteral("Datas").size());
    TestEnv::copyTree(QStringLiteral(YAQ_DEMO_DATAS_DIR "/../HELP"),
                      m_prog + QStringLiteral("HELP"));
    m_urls.clear();
    SetUrlOpener([this](const QUrl &url) {
        m_urls.append(url);
        return true;
    });
    m_path = qgetenv("PATH");
    qputenv("YAQ_ARGRECORDER_OUT", (m_env->path() + QStringLiteral("/args.txt")).toLocal8Bit());
    qunsetenv("YAQ_ARGRECORDER_HOLD");
    qunsetenv("YAQ_ARGRECORDER_DONE");
}

void TestHeadKeys::cleanup()
{
    SetUrlOpener({});
    qputenv("PATH", m_path);
    if (m_dlg) {
        // A program the test holds ends now, whatever became of the test.
        writeTextFile(m_env->path() + QStringLiteral("/release"), "");
        YAQ_TRY_VERIFY(!m_dlg->IsSiblingProgramRunning());
    }
    tearDownDemo();
}

void TestHeadKeys::start()
{
    startWindow();
    m_dlg->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_dlg.get(), YaqTest::kHangMs));
}

QString TestHeadKeys::installRecorder(const QString &folder, const QString &name)
{
    QDir().mkpath(m_prog + folder);
    const QString target = m_prog + folder + QLatin1Char('/') + name;
    if (!QFile::copy(QStringLiteral(YAQ_ARGRECORDER), target))
        return QString();
    QFile::setPermissions(target, QFile::permissions(target) | QFile::ExeOwner);
    return target;
}

QStringList TestHeadKeys::recorded() const
{
    QString text = readTextFile(m_env->path() + QStringLiteral("/args.txt"));
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text.split(QLatin1Char('\n'));
}

// ---------------------------------------------------------------------------
// Keys

void TestHeadKeys::keyRules_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("focused");
    QTest::addColumn<int>("action");

    // clang-format off
    QTest::newRow("Enter on the settings button runs it") << int(Qt::Key_Return) << int(kBtnSetup) << int(CHeadKeys::KeyRunButton);
    QTest::newRow("keypad Enter on help runs it") << int(Qt::Key_Enter) << int(kBtnHelp) << int(CHeadKeys::KeyRunButton);
    QTest::newRow("Enter on the close button runs it") << int(Qt::Key_Return) << int(kBtnBack) << int(CHeadKeys::KeyRunButton);
    QTest::newRow("Enter outside the head buttons is the dialog's") << int(Qt::Key_Return) << 0 << int(CHeadKeys::KeyDefault);
    QTest::newRow("Enter on the title button is the dialog's") << int(Qt::Key_Return) << int(kBtnTitle) << int(CHeadKeys::KeyDefault);
    QTest::newRow("Tab from DMS-VIN goes into the home page") << int(Qt::Key_Tab) << int(kBtnDmsVin) << int(CHeadKeys::KeyToHomePage);
    QTest::newRow("Tab from another head button is the dialog's") << int(Qt::Key_Tab) << int(kBtnSearch) << int(CHeadKeys::KeyDefault);
    QTest::newRow("Escape is dropped") << int(Qt::Key_Escape) << 0 << int(CHeadKeys::KeySwallow);
    QTest::newRow("other keys are the dialog's") << int(Qt::Key_A) << int(kBtnSetup) << int(CHeadKeys::KeyDefault);
    // clang-format on
}

void TestHeadKeys::keyRules()
{
    QFETCH(int, key);
    QFETCH(int, focused);
    QFETCH(int, action);
    QCOMPARE(int(CHeadKeys::ForKey(key, focused)), action);
}

void TestHeadKeys::enterOnHeadButtonRunsItsAction()
{
    start();
    COwnButton *basket = m_dlg->HeadButton(kBtnBasket);
    basket->setFocus();
    QTest::keyClick(basket, Qt::Key_Enter);
    QCOMPARE(m_dlg->CurrentPage(), int(kPageWk));

    COwnButton *setup = m_dlg->HeadButton(kBtnSetup);
    setup->setFocus();
    QTest::keyClick(setup, Qt::Key_Return);
    QCOMPARE(m_dlg->CurrentPage(), int(kPageSetup));
    QVERIFY(!m_dlg->IsEnded());
}

void TestHeadKeys::enterOnTheVinFieldRunsNoHeadAction()
{
    start();
    QLineEdit *vin = m_dlg->findChild<QLineEdit *>(QStringLiteral("vinEdit"));
    // A head button had the focus before: it must not act for the field.
    m_dlg->HeadButton(kBtnSetup)->setFocus();
    vin->setFocus();
    QTest::keyClick(vin, Qt::Key_Return);
    QCOMPARE(m_dlg->CurrentPage(), int(kPageHome));
    QVERIFY(!m_dlg->IsEnded());
    QVERIFY(m_dlg->isVisible());
}

void TestHeadKeys::escapeNeverClosesTheWindow()
{
    start();
    for (QWidget *w : std::initializer_list<QWidget *>{
             m_dlg->findChild<QLineEdit *>(QStringLiteral("vinEdit")), m_dlg->HeadButton(kBtnSetup),
             m_dlg->HeadButton(kBtnDmsVin)}) {
        w->setFocus();
        QTest::keyClick(w, Qt::Key_Escape);
        QVERIFY(m_dlg->isVisible());
        QVERIFY(!m_dlg->IsEnded());
    }
}

void TestHeadKeys::tabFromDmsVinGoesToTheHomePage()
{
    start();
    COwnButton *dmsVin = m_dlg->HeadButton(kBtnDmsVin);
    dmsVin->setFocus();
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(dmsVin));
    QTest::keyClick(dmsVin, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(),
             static_cast<QWidget *>(m_dlg->Page<CHomeDlg>()->AwButton()));
}

void TestHeadKeys::returnOnAHomeTileOpensIt_data()
{
    // Row: the tile the adviser tabs to, the key, how often the keyboard
    // repeats it while it is held, the page shown.
    QTest::addColumn<QString>("tile");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("repeats");
    QTest::addColumn<int>("page");
    // clang-format off
    QTest::newRow("Return on Pakete")      << "paketeButton" << int(Qt::Key_Return) << 0 << int(kPageSRPWl);
    QTest::newRow("pad Enter on Befund")   << "befundButton" << int(Qt::Key_Enter)  << 0 << int(kPageBfnd);
    QTest::newRow("held Return on Pakete") << "paketeButton" << int(Qt::Key_Return) << 5 << int(kPageSRPWl);
    // clang-format on
}

void TestHeadKeys::returnOnAHomeTileOpensIt()
{
    QFETCH(QString, tile);
    QFETCH(int, key);
    QFETCH(int, repeats);
    CHeldReturnFilter heldReturn;
    qApp->installEventFilter(&heldReturn);
    start();
    // The packages are those of an identified vehicle.
    QTest::keyClicks(m_dlg->VinEdit(), QStringLiteral("XVQ1F23A57M012345"));
    auto *button = m_dlg->Page<CHomeDlg>()->findChild<QAbstractButton *>(tile);
    QVERIFY(button);
    button->setFocus(Qt::TabFocusReason);
    const std::shared_ptr<const bool> released =
        YaqTest::HoldKey(Qt::Key(key), repeats, QStringLiteral("\r"));
    YAQ_TRY_VERIFY(*released);
    QTEST(m_dlg->CurrentPage(), "page");
}

void TestHeadKeys::lockedHeadLeavesTheKeyboardInThePage_data()
{
    // Row: what locks the head row: "Einstellungen" pressed by Return or
    // by a click, or the caller's package list of the caller mode
    // "qvledit" shown while the adviser is in the VIN field (it opens the
    // caller's package); the page shown.
    QTest::addColumn<QString>("by");
    QTest::addColumn<int>("page");
    // clang-format off
    QTest::newRow("Return on Einstellungen")    << "Return"  << int(kPageSetup);
    QTest::newRow("click on Einstellungen")     << "click"   << int(kPageSetup);
    QTest::newRow("the caller's package")       << "qvledit" << int(kPageSRPBb);
    // clang-format on
}

// The keyboard goes into the page, not on to the next head button that is
// still enabled (the window's "<"): one more Return ends nothing.
void TestHeadKeys::lockedHeadLeavesTheKeyboardInThePage()
{
    QFETCH(QString, by);
    start();
    auto line = std::make_unique<CPosition>();
    line->Number = QStringLiteral("6411020");
    line->Type = POS_BASKET_LABOUR;
    CWKListItem entry(std::move(line));
    QCOMPARE(m_dlg->Basket()->Offer(entry, nullptr), WkOffered::Added);
    COwnButton *setup = m_dlg->HeadButton(kBtnSetup);
    if (by == QLatin1String("click")) {
        QTest::mouseClick(setup, Qt::LeftButton);
    } else if (by == QLatin1String("Return")) {
        setup->setFocus(Qt::TabFocusReason);
        QTest::keyClick(setup, Qt::Key_Return);
    } else {
        QTest::keyClicks(m_dlg->VinEdit(), QStringLiteral("XVQ1F23A57M012345"));
        m_settings->bQvlEdit = 1;
        m_dlg->ShowPackageOfCaller(QStringLiteral("1110010"));
    }
    QTEST(m_dlg->CurrentPage(), "page");
    QWidget *focused = QApplication::focusWidget();
    QVERIFY(focused);
    QVERIFY2(m_dlg->VisiblePage()->isAncestorOf(focused), qPrintable(focused->objectName()));
    QTest::keyClick(focused, Qt::Key_Return);
    QVERIFY(!m_dlg->IsEnded());
    QVERIFY(m_dlg->isVisible());
    QCOMPARE(m_dlg->Basket()->GetEntryCount(), 1);
}

// Alt+E, then Escape: back on the home page the keyboard is in the VIN
// field, not on the home tile it was on before (the settings page locks
// the head row, which is open again only after the switch); one Return
// opens no page.
void TestHeadKeys::homeAfterSettingsFocusesTheVin()
{
    start();
    CHomeDlg *home = m_dlg->Page<CHomeDlg>();
    home->AwButton()->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY_WITH_TIMEOUT(home->AwButton()->hasFocus(), YaqTest::kHangMs);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_E, Qt::AltModifier);
    // A button's shortcut presses it and lets it go a moment later.
    YAQ_TRY_COMPARE(m_dlg->CurrentPage(), int(kPageSetup));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QCOMPARE(m_dlg->CurrentPage(), int(kPageHome));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(m_dlg->VinEdit()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(m_dlg->CurrentPage(), int(kPageHome));
}

// ---------------------------------------------------------------------------
// Help

void TestHeadKeys::helpOpensThePageOfTheContext_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<bool>("index");
    QTest::addColumn<QString>("page");
    QTest::addColumn<bool>("browser"); // a browser is set up

    // clang-format off
    QTest::newRow("? on the home page in German") << "00" << false << "HELP/00/hilf4v8l.htm" << true;
    QTest::newRow("? in English") << "01" << false << "HELP/01/hilf4v8l.htm" << true;
    QTest::newRow("a language without help pages falls back to 01") << "07" << false << "HELP/01/hilf4v8l.htm" << true;
    QTest::newRow("@ opens the index") << "00" << true << "HELP/00/hilf682s.htm" << true;
    QTest::newRow("? without a browser says so") << "00" << false << "HELP/00/hilf4v8l.htm" << false;
    QTest::newRow("@ without a browser says so") << "00" << true << "HELP/00/hilf682s.htm" << false;
    // clang-format on
}

void TestHeadKeys::helpOpensThePageOfTheContext()
{
    QFETCH(QString, language);
    QFETCH(bool, index);
    QFETCH(QString, page);
    QFETCH(bool, browser);
    start();
    SetPrgSprache(language);
    if (!browser)
        SetUrlOpener([](const QUrl &) { return false; });
    m_env->answerBoxes(IDOK);
    m_dlg->HeadButton(index ? kBtnHelpIndex : kBtnHelp)->click();
    QCOMPARE(m_urls.size(), browser ? 1 : 0);
    if (browser)
        QCOMPARE(m_urls.first(), QUrl::fromLocalFile(m_prog + page));
    // Without a browser the adviser learns why nothing opens, and where the page lies.
    QCOMPARE(m_env->boxes().size(), browser ? 0 : 1);
    if (!browser)
        QVERIFY(m_env->boxes().first().text.contains(QDir::toNativeSeparators(m_prog + page)));
}

void TestHeadKeys::f1OpensTheHelpOfTheVisiblePage()
{
    start();
    // F1 on the settings page opens that page's help.
    m_dlg->HeadButton(kBtnSetup)->click();
    m_dlg->WinHelp();
    QCOMPARE(m_urls.size(), 1);
    QCOMPARE(m_urls.first(), QUrl::fromLocalFile(m_prog + QStringLiteral("HELP/00/hilf8q7i.htm")));
}

void TestHeadKeys::helpThatCannotOpenIsTold_data()
{
    // Row: what is wrong (the page missing in 00 and 01; the desktop's
    // opener finds no browser and ends with this status, or opens the page:
    // 0), the text told ("" for none).
    QTest::addColumn<bool>("pageMissing");
    QTest::addColumn<int>("openerStatus");
    QTest::addColumn<int>("told");
    // clang-format off
    QTest::newRow("page missing in both languages") << true  << 0 << int(CHelpFile::kFileMissingText);
    QTest::newRow("no browser set up")              << false << 3 << int(CHelpFile::kNoBrowserText);
    QTest::newRow("the opener fails")               << false << 4 << int(CHelpFile::kNoBrowserText);
    QTest::newRow("a browser opens the page")       << false << 0 << 0;
    // clang-format on
}

// The desktop's own opener on the PATH, as on a workshop's computer: its
// exit status says whether a browser showed the page.
void TestHeadKeys::helpThatCannotOpenIsTold()
{
    QFETCH(bool, pageMissing);
    QFETCH(int, openerStatus);
    QFETCH(int, told);
    const QString bin = m_env->path() + QStringLiteral("/bin");
    QVERIFY(QDir().mkpath(bin));
    const QString opener = bin + QStringLiteral("/xdg-open");
    QVERIFY(
        writeTextFile(opener, QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$1\" > \"%1\"\nexit %2\n")
                                  .arg(m_env->path() + QStringLiteral("/opened.txt"))
                                  .arg(openerStatus)
                                  .toUtf8()));
    QFile::setPermissions(opener, QFile::permissions(opener) | QFile::ExeOwner);
    qputenv("PATH", bin.toLocal8Bit() + ':' + m_path);
    SetUrlOpener({});
    const QString page = m_prog + QStringLiteral("HELP/00/hilf4v8l.htm");
    if (pageMissing) {
        QVERIFY(QFile::remove(page));
        QVERIFY(QFile::remove(m_prog + QStringLiteral("HELP/01/hilf4v8l.htm")));
    }
    start();
    m_env->answerBoxes(IDOK);
    QTest::mouseClick(m_dlg->HeadButton(kBtnHelp), Qt::LeftButton);
    const QString path = QDir::toNativeSeparators(
        pageMissing ? m_prog + QStringLiteral("HELP/01/hilf4v8l.htm") : page);
    if (told) {
        YAQ_TRY_COMPARE(m_env->boxes().size(), 1);
        const QString text = m_env->boxes().first().text;
        QVERIFY2(text.contains(path), qPrintable(text));
        QVERIFY2(text.startsWith(OrmelText(told).section(QLatin1Char('%'), 0, 0)),
                 qPrintable(text));
    } else {
        YAQ_TRY_VERIFY(QFileInfo::exists(m_env->path() + QStringLiteral("/opened.txt")));
        YAQ_SETTLED_COMPARE(m_env->boxes().size(), 0);
        QCOMPARE(readTextFile(m_env->path() + QStringLiteral("/opened.txt")).trimmed(),
                 QUrl::fromLocalFile(page).toString(QUrl::FullyEncoded));
    }
}

// ---------------------------------------------------------------------------
// Sibling programs

void TestHeadKeys::twoWheelerArguments()
{
    CPrgSettings s;
    s.YAQ2DlgPosRect = QRect(QPoint(-8, 120), QSize(1100, 680));
    s.bBfndAnzeigeUS = 0;
    s.Sound = 1;
    s.CitrixColor = 1;
    s.iMaxSearch = 0;
    QCOMPARE(CSiblingProgram::TwoWheelerArguments(s, QStringLiteral("15")),
             (QStringList{"-l", "15", "-x", "-8", "-y", "120", "-b", "0", "-s", "1", "-c", "1",
                          "-t", "0"}));
    const QString path = CSiblingProgram::TwoWheelerPath(QStringLiteral("/opt/my yaq/"));
#ifdef Q_OS_WIN
    QCOMPARE(path, QStringLiteral("/opt/my yaq/Y5YAQ/Y5YAQ.exe"));
#else
    QCOMPARE(path, QStringLiteral("/opt/my yaq/Y5YAQ/Y5YAQ"));
#endif
    // The command stands between one pair of quotes, blanks and all.
    QCOMPARE(CSiblingProgram::StartFailedMessage(path, {"-l", "01"}, "R."),
             QStringLiteral("The program \"") + path +
                 QStringLiteral(" -l 01\"\ncould not be started.\nR."));
}

void TestHeadKeys::twoWheelerButtonIsOfferedToTheBrandsDealers_data()
{
    // Row: the brands of the dealer's contracts (none known: every brand);
    // whether the button is shown and enabled.
    QTest::addColumn<QStringList>("dealer");
    QTest::addColumn<bool>("offered");
    // clang-format off
    QTest::newRow("demo dealer: no list")      << QStringList{}                    << true;
    QTest::newRow("dealer of the main brand")  << QStringList{"lumo", "voq"}       << true;
    QTest::newRow("dealer of another brand")   << QStringList{"lumo"}              << false;
    // clang-format on
}

void TestHeadKeys::twoWheelerButtonIsOfferedToTheBrandsDealers()
{
    QFETCH(QStringList, dealer);
    QFETCH(bool, offered);
    m_settings->DealerList = dealer;
    start();
    COwnButton *button = m_dlg->HeadButton(kBtnTwoWheeler);
    QCOMPARE(button->isVisible(), offered);
    QCOMPARE(button->isEnabled(), offered);
    QCOMPARE(button->text(), OrmelText(2030));
}

void TestHeadKeys::twoWheelerProgramRunsWithoutBlocking()
{
    const QString program = installRecorder(
        QStringLiteral("Y5YAQ"), CSiblingProgram::ExecutableName(QStringLiteral("Y5YAQ")));
    QVERIFY(!program.isEmpty());
    // The program runs until the test lets it end.
    qputenv("YAQ_ARGRECORDER_HOLD", (m_env->path() + QStringLiteral("/release")).toLocal8Bit());
    m_settings->Sound = 0;
    m_settings->iMaxSearch = 77;
    start();
    SetPrgSprache(QStringLiteral("15"));

    bool servedMeanwhile = false;
    // Gone with the function, also when a check fails before it fired.
    QObject scope;
    QTimer::singleShot(200, &scope, [&] { servedMeanwhile = true; });
    // The adviser clicks the button the head row shows.
    QTest::mouseClick(m_dlg->HeadButton(kBtnTwoWheeler), Qt::LeftButton);
    QVERIFY2(m_dlg->IsSiblingProgramRunning(), "the window does not wait for the program");
    QVERIFY(QApplication::overrideCursor());
    QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    // Meanwhile the window takes no input, not even its close.
    m_dlg->showNormal();
    m_dlg->HeadButton(kBtnSetup)->setFocus();
    QTest::keyClick(m_dlg->HeadButton(kBtnSetup), Qt::Key_Return);
    QCOMPARE(m_dlg->CurrentPage(), int(kPageHome));
    // A refused click leaves the keyboard focus where it was.
    QVERIFY(m_dlg->HeadButton(kBtnSetup)->hasFocus());
    QWidget *other = m_dlg->HeadButton(kBtnTwoWheeler);
    QTest::mouseClick(m_dlg->windowHandle(), Qt::LeftButton, {},
                      other->mapTo(m_dlg->window(), other->rect().center()));
    QVERIFY(m_dlg->HeadButton(kBtnSetup)->hasFocus());
    QVERIFY(!m_dlg->close());
    QVERIFY(m_dlg->isVisible());
    QVERIFY(!m_dlg->IsEnded());
    QVERIFY(m_dlg->IsSiblingProgramRunning());
    // The event loop keeps running (timers, the DMS listener) while it runs.
    YAQ_TRY_VERIFY(servedMeanwhile);
    QVERIFY(m_dlg->IsSiblingProgramRunning());
    QVERIFY(writeTextFile(m_env->path() + QStringLiteral("/release"), ""));
    YAQ_TRY_VERIFY(!m_dlg->IsSiblingProgramRunning());
    QVERIFY(m_dlg->isVisible());
    QVERIFY(!QApplication::overrideCursor());
    QTest::keyClick(m_dlg->HeadButton(kBtnSetup), Qt::Key_Return);
    QCOMPARE(m_dlg->CurrentPage(), int(kPageSetup));
    QVERIFY(!m_dlg->IsEnded());

    const QRect pos = m_settings->YAQ2DlgPosRect;
    QCOMPARE(recorded(), (QStringList{"-l", "15", "-x", QString::number(pos.left()), "-y",
                                      QString::number(pos.top()), "-b", "1", "-s", "0", "-c", "0",
                                      "-t", "77"}));
    // This program goes on in the language the two-wheeler program knows.
    QCOMPARE(GetPrgSprache(), QStringLiteral("01"));
    QCOMPARE(m_env->boxes().size(), 0);
}

// The window ends while the two-wheeler program runs (the session ends,
// the dealer system ends it): the program runs on to its own end.
void TestHeadKeys::siblingProgramOutlivesTheWindow()
{
    QVERIFY(!installRecorder(QStringLiteral("Y5YAQ"),
                             CSiblingProgram::ExecutableName(QStringLiteral("Y5YAQ")))
                 .isEmpty());
    const QString release = m_env->path() + QStringLiteral("/release");
    const QString ended = m_env->path() + QStringLiteral("/ended");
    qputenv("YAQ_ARGRECORDER_HOLD", release.toLocal8Bit());
    qputenv("YAQ_ARGRECORDER_DONE", ended.toLocal8Bit());
    start();
    QTest::mouseClick(m_dlg->HeadButton(kBtnTwoWheeler), Qt::LeftButton);
    QVERIFY(m_dlg->IsSiblingProgramRunning());
    YAQ_TRY_VERIFY(QFileInfo::exists(m_env->path() + QStringLiteral("/args.txt")));
    m_dlg->EndDialog(IDOK);
    m_dlg.reset();
    // Only a program that still runs sees the release and notes its end.
    QVERIFY(writeTextFile(release, ""));
    YAQ_TRY_VERIFY(QFileInfo::exists(ended));
}

void TestHeadKeys::windowComesBackAfterTheTwoWheelerProgram_data()
{
    // Row: whether a question (as a DMS push brings one) is open on the
    // minimised window when the program ends, answered after that.
    QTest::addColumn<bool>("boxOpen");
    // clang-format off
    QTest::newRow("no box")                           << false;
    QTest::newRow("a box open, answered after the end") << true;
    // clang-format on
}

void TestHeadKeys::windowComesBackAfterTheTwoWheelerProgram()
{
    QFETCH(bool, boxOpen);
    QVERIFY(!installRecorder(QStringLiteral("Y5YAQ"),
                             CSiblingProgram::ExecutableName(QStringLiteral("Y5YAQ")))
                 .isEmpty());
    const QString release = m_env->path() + QStringLiteral("/release");
    qputenv("YAQ_ARGRECORDER_HOLD", release.toLocal8Bit());
    start();
    QTest::mouseClick(m_dlg->HeadButton(kBtnTwoWheeler), Qt::LeftButton);
    QVERIFY(m_dlg->IsSiblingProgramRunning());
    YAQ_TRY_VERIFY(m_dlg->isMinimized());
    if (boxOpen) {
        QMessageBox box(QMessageBox::Question, QStringLiteral("Y A Q 2"),
                        QStringLiteral("Die Fgst.Nr. ersetzen?"),
                        QMessageBox::Yes | QMessageBox::No, m_dlg.get());
        // The program ends while the box is open; "Nein" after that.
        QTimer answer;
        QObject::connect(&answer, &QTimer::timeout, &box, [&] {
            if (m_dlg->IsSiblingProgramRunning())
                return;
            // As a window manager keeps a window with a box on it iconic.
            m_dlg->showMinimized();
            box.done(QMessageBox::No);
        });
        QTimer::singleShot(0, &box, [&] {
            writeTextFile(release, "");
            answer.start(10);
        });
        // Bound against a hang only.
        QTimer::singleShot(YaqTest::kHangMs, &box, [&] { box.done(QMessageBox::Cancel); });
        QCOMPARE(box.exec(), int(QMessageBox::No));
    } else {
        QVERIFY(writeTextFile(release, ""));
    }
    YAQ_TRY_VERIFY(!m_dlg->IsSiblingProgramRunning());
    YAQ_TRY_VERIFY(!m_dlg->isMinimized() &&
                   !(m_dlg->windowHandle()->windowStates() & Qt::WindowMinimized));
    QVERIFY(m_dlg->isVisible());
}

void TestHeadKeys::downloadToolGetsTheLanguage_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("passed");
    // clang-format off
    QTest::newRow("German") << "00" << "00";
    QTest::newRow("language 15 is passed as 01") << "15" << "01";
    // clang-format on
}

void TestHeadKeys::downloadToolGetsTheLanguage()
{
    QFETCH(QString, language);
    QFETCH(QString, passed);
    QVERIFY(!installRecorder(QStringLiteral("DMS_DNLD"),
                             CSiblingProgram::ExecutableName(QStringLiteral("WQS")))
                 .isEmpty());
    start();
    SetPrgSprache(language);
    m_dlg->OnBnClickedDmsDownload();
    YAQ_TRY_VERIFY(!m_dlg->IsSiblingProgramRunning());
    QCOMPARE(recorded(), QStringList{passed});
    QCOMPARE(GetPrgSprache(), language);
}

void TestHeadKeys::missingProgramSaysWhy_data()
{
    QTest::addColumn<bool>("folderExists");
    QTest::addColumn<QString>("reason");
    // clang-format off
    QTest::newRow("no program folder") << false << "The specified path was not found.";
    QTest::newRow("folder without the program") << true << "The specified file was not found.";
    QTest::newRow("a file that is no program") << true << "The .EXE file is invalid (non-Win32 .EXE or error in .EXE image)";
    // clang-format on
}

void TestHeadKeys::missingProgramSaysWhy()
{
    QFETCH(bool, folderExists);
    QFETCH(QString, reason);
    if (folderExists)
        QVERIFY(QDir().mkpath(m_prog + QStringLiteral("Y5YAQ")));
    if (reason.startsWith(QLatin1String("The .EXE")))
        QVERIFY(writeTextFile(CSiblingProgram::TwoWheelerPath(m_prog), "no program"));
    start();
    QTest::mouseClick(m_dlg->HeadButton(kBtnTwoWheeler), Qt::LeftButton);
    QVERIFY(!m_dlg->IsSiblingProgramRunning());
    QCOMPARE(m_env->boxes().size(), 1);
    const QString program = CSiblingProgram::TwoWheelerPath(m_prog);
    const QString text = m_env->boxes().first().text;
    QVERIFY2(text.startsWith(QStringLiteral("The program \"") + program + QStringLiteral(" -l 00")),
             qPrintable(text));
    QVERIFY2(text.endsWith(QStringLiteral("\"\ncould not be started.\n") + reason),
             qPrintable(text));
}

YAQ_TEST_MAIN(TestHeadKeys)
#include "tst_headkeys.moc"
