// The main window on the demo data: every page reachable and back home, the
// guards of the page switches, the session check and the saved placement.

#include "app/HomeDlg.h"
#include "app/MainWndRules.h"
#include "app/Yaq2App.h"
#include "app/Yaq2Dlg.h"
#include "settings/PrgSettings.h"
#include "basket/WkDlg.h"
#include "catalogues/AwKatDlg.h"
#include "catalogues/BfndDlg.h"
#include "catalogues/NrAbfrageDlg.h"
#include "catalogues/SBLWlDlg.h"
#include "catalogues/SBefAnzDlg.h"
#include "common/OwnButton.h"
#include "common/OwnWhiteButton.h"
#include "common/PageDlg.h"
#include "common/WebBrowserDlg.h"
#include "packages/DIPDlg.h"
#include "packages/HLXDlg.h"
#include "packages/SRPBbDlg.h"
#include "packages/SRPWlDlg.h"
#include "packages/SpotRBbDlg.h"
#include "platform/OrmelText.h"
#include "setup/DownloadDlg.h"
#include "setup/SetupDlg.h"
#include "support/MainWindowTest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QtTest>
#include <memory>

namespace {
// A VIN of the demo maker's form that the demo catalogue does not know.
const QString kVinUnknown = QStringLiteral("XVQ0TESTVIN000001");

QString sessionXml(const char *code, const char *intern, const char *extern_)
{
    return QStringLiteral(
               "<sessiondata><return-code>%1</return-code>"
               "<yaqservice-intern-available>%2</yaqservice-intern-available>"
               "<yaqservice-extern-available>%3</yaqservice-extern-available></sessiondata>")
        .arg(QLatin1String(code), QLatin1String(intern), QLatin1String(extern_));
}
} // namespace

class TestMainWindow : public MainWindowTest
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void opensOnHomePage();
    void everyPageAndBackHome();
    void guardsKeepThePreviousPage();
    void numberSearchMarksItsUse();
    void identifiedVehicleKeepsItsFieldsAcrossPages();
    void settingsPageKeepsTheHeadRowDisabled();
    void identChangeRefreshesThePackageList_data();
    void identChangeRefreshesThePackageList();
    void basketBackMarkFromTheOldCaption();
    void sessionCheck_data();
    void sessionCheck();
    void invalidSessionEndsTheProgram();
    void restrictedSessionStaysRestricted();
    void languageChangeReachesEveryPage();
    void closingSavesThePlacement();

private:
    void setVin(const QString &vin);
};

void TestMainWindow::init()
{
    FailOnUnexpectedWarnings();
    setUpDemo();
}

void TestMainWindow::cleanup()
{
    tearDownDemo();
}

void TestMainWindow::setVin(const QString &vin)
{
    m_dlg->findChild<QLineEdit *>(QStringLiteral("vinEdit"))->setText(vin);
    m_settings->Fgstnr = vin;
}

void TestMainWindow::opensOnHomePage()
{
    startWindow();
    QVERIFY(m_dlg->isVisible());
    QCOMPARE(m_dlg->CurrentPage(), int(kPageHome));
    QCOMPARE(m_dlg->VisiblePage(), static_cast<QWidget *>(m_dlg->HomePage()));
    QCOMPARE(m_dlg->PageCaption(), QString());
    for (int i = 0; i < 4; ++i)
        QVERIFY2(m_dlg->Db(i) != nullptr, "every connection is open on the demo data");
    QCOMPARE(m_dlg->HomePage()->AwButton()->Title(), QStringLiteral("AW"));
    QCOMPARE(m_dlg->HomePage()->SBLButton()->Lines().first(), QStringLiteral("Inspektionsblätter"));
    QCOMPARE(CHomeDlg::PaketeToolTip().split(QLatin1Char('\n')).size(), 6);
    QVERIFY(m_dlg->HeadButton(kBtnDmsVin)->isVisible());
    QCOMPARE(m_env->boxes().size(), 0);
}

void TestMainWindow::everyPageAndBackHome()
{
    startWindow();
    setVin(kVinUnknown);
    // A type key with maintenance topics in the demo catalogue.
    m_settings->TypSchl = QStringLiteral("7A01");
    CYaq2Dlg &d = *m_dlg;

    struct Step
    {
        const char *name;
        std::function<void()> show;
        QWidget *page;
        int id;
        QString caption;
    };
    const QList<Step> steps = {
        {"home button Aw", [&] { d.HomePage()->AwButton()->click(); }, d.AwKatPage(), kPageAwKat,
         OrmelText(3200)},
        {"home button Pakete", [&] { d.HomePage()->PaketeButton()->click(); }, d.SRPWlPage(),
         kPageSRPWl, OrmelText(3183)},
        {"home button Befund", [&] { d.HomePage()->BefundButton()->click(); }, d.BfndPage(),
         kPageBfnd, OrmelText(3043)},
        {"home button Inspektionsblätter", [&] { d.HomePage()->SBLButton()->click(); },
         d.SBLWlPage(), kPageSBLWl, OrmelText(3197)},
        {"home button News", [&] { d.HomePage()->NewsButton()->click(); }, d.WebBrowserPage(),
         kPageWebBrowser, OrmelText(2033)},
        {"head button Suchen", [&] { d.HeadButton(kBtnSearch)->click(); }, d.NrAbfragePage(),
         kPageNrAbfrage, OrmelText(2013)},
        {"head button Zwischenablage", [&] { d.HeadButton(kBtnBasket)->click(); }, d.WkPage(),
         kPageWk, OrmelText(6078)},
        {"head button Einstellungen", [&] { d.HeadButton(kBtnSetup)->click(); }, d.SetupPage(),
         kPageSetup, OrmelText(3042)},
        {"contract button", [&] { d.HeadButton(kBtnContract)->click(); }, d.HLXPage(), kPageHLX,
         QStringLiteral("VOQ Helix Care")},
        {"package edit", [&] { d.ShowSRPBbPage(true, 3); }, d.SRPBbPage(), kPageSRPBb,
         OrmelText(3183)},
        {"spot repair", [&] { d.ShowSpotRBbPage(true, 1); }, d.SpotRBbPage(), kPageSpotRBb,
         OrmelText(3183)},
        {"download", [&] { d.ShowDownloadPage(true); }, d.DownloadPage(), kPageDownload,
         OrmelText(2058)},
    };
    for (const Step &step : steps) {
        step.show();
        QVERIFY2(d.VisiblePage() == step.page, step.name);
        QCOMPARE(d.CurrentPage(), step.id);
        QCOMPARE(d.PageCaption(), step.caption);
        QVERIFY2(step.page->isVisible(), step.name);
        QVERIFY2(!d.HomePage()->isVisible(), step.name);
        // The page's own caption line shows the caption without the
        // keyboard-mnemonic marks of the button texts it comes from.
        const auto *page = qobject_cast<const CPageDlg *>(step.page);
        QVERIFY2(page, step.name);
        QVERIFY2(!page->CaptionText().contains(QLatin1Char('&')), qPrintable(page->CaptionText()));
        QVERIFY(!d.HeadButton(kBtnDmsVin)->isVisible());
        QTest::mouseClick(d.findChild<QWidget *>(QStringLiteral("titleButton")), Qt::LeftButton);
        QVERIFY2(d.VisiblePage() == d.HomePage(), step.name);
        QCOMPARE(d.CurrentPage(), int(kPageHome));
        QVERIFY(d.HeadButton(kBtnDmsVin)->isVisible());
    }

    // The demo data carry the brand's news document.
    d.ShowNewsPage(true);
    QVERIFY2(QFileInfo::exists(d.WebBrowserPage()->CurrentDocument()),
             qPrintable(d.WebBrowserPage()->CurrentDocument()));

    // The pages shown over another page keep the remembered id.
    d.ShowBfndPage(true);
    d.ShowSBefAnzPage(true, QStringLiteral("B1234"));
    QCOMPARE(d.VisiblePage(), static_cast<QWidget *>(d.SBefAnzPage()));
    QCOMPARE(d.SBefAnzPage()->BefundNr(), QStringLiteral("B1234"));
    QCOMPARE(d.CurrentPage(), int(kPageBfnd));
    QTest::keyClick(d.SBefAnzPage(), Qt::Key_Escape);
    QCOMPARE(d.VisiblePage(), static_cast<QWidget *>(d.BfndPage()));

    d.ShowSRPWlPage(1);
    d.ShowDIPPage(true);
    QCOMPARE(d.VisiblePage(), static_cast<QWidget *>(d.DIPPage()));
    QCOMPARE(d.CurrentPage(), int(kPageSRPWl));
    QTest::keyClick(d.DIPPage(), Qt::Key_Escape);
    QCOMPARE(d.VisiblePage(), static_cast<QWidget *>(d.SRPWlPage()));

    // "<" of a plain page leads home; Escape on the home page does nothing.
    d.ShowDownloadPage(true);
    d.DownloadPage()->findChild<COwnButton *>(QStringLiteral("backButton"))->click();
    QCOMPARE(d.VisiblePage(), static_cast<QWidget *>(d.HomePage()));
    QTest::keyClick(d.HomePage(), Qt::Key_Escape);
    QTest::keyClick(&d, Qt::Key_Escape);
    QVERIFY(d.isVisible());
    QCOMPARE(m_env->boxes().size(), 0);
}

void TestMainWindow::guardsKeepThePreviousPage()
{
    startWindow();
    CYaq2Dlg &d = *m_dlg;
    d.ShowBfndPage(true);

    // Packages without a VIN: message 6080, no switch.
    d.ShowSRPWlPage(1);
    QCOMPARE(d.VisiblePage(), static_cast<QWidget *>(d.BfndPage()));
    QCOMPARE(m_env->boxes().size(), 1);
    QCOMPARE(m_env->boxes().last().text, OrmelText(6080));

    // Maintenance topics without any identification: 4087.
    d.ShowSBLWlPage(true);
    QCOMPARE(m_env->boxes().last().text, OrmelText(4087));
    // With a lead type but no topic for it in the catalogue: 4088.
    m_settings->LeadTyp = QStringLiteral("NO-SUCH-LEAD");
    d.ShowSBLWlPage(true);
    QCOMPARE(m_env->boxes().last().text, OrmelText(4088));
    QCOMPARE(d.CurrentPage(), int(kPageBfnd));

    // The catalogue without a lead type when the catalogue view is not
    // configured: the page is activated, but not shown.
    m_settings->bKatalogansicht = 0;
    const int activations = d.AwKatPage()->ActivationCount();
    d.ShowAwKatPage(7, true);
    QCOMPARE(d.AwKatPage()->ActivationCount(), activations + 1);
    QCOMPARE(d.AwKatPage()->LastActivation(), 7);
    QCOMPARE(m_env->boxes().size(), 3);
    d.ShowAwKatPage(7, false);
    QCOMPARE(m_env->boxes().last().text, OrmelText(3033));
    QCOMPARE(d.VisiblePage(), static_cast<QWidget *>(d.BfndPage()));
    // A chosen lead type lets the catalogue open.
    d.GetLeadTypeCombo()->addItem(QStringLiteral("LT1"));
    d.GetLeadTypeCombo()->setCurrentIndex(0);
    d.ShowAwKatPage(0, false);
    QCOMPARE(d.VisiblePage(), static_cast<QWidget *>(d.AwKatPage()));
}

void TestMainWindow::numberSearchMarksItsUse()
{
    startWindow();
    CYaq2Dlg &d = *m_dlg;
    QCOMPARE(m_settings->bNrAbfrage, 0);
    d.HeadButton(kBtnSearch)->click();
    QCOMPARE(d.VisiblePage(), static_cast<QWidget *>(d.NrAbfragePage()));
    QCOMPARE(m_settings->bNrAbfrage, 1);
    QCOMPARE(d.NrAbfragePage()->m_bFromHome, 1);
}

void TestMainWindow::identifiedVehicleKeepsItsFieldsAcrossPages()
{
    startWindow();
    CYaq2Dlg &d = *m_dlg;
    QTest::keyClicks(d.VinEdit(), QStringLiteral("XVQ1F23A57M012345"));
    QCOMPARE(m_settings->Fgstnr, QStringLiteral("M012345"));
    auto *plate = d.findChild<QLineEdit *>(QStringLiteral("plateEdit"));
    auto *mileage = d.findChild<QLineEdit *>(QStringLiteral("mileageEdit"));
    QVERIFY(plate->isEnabled());
    plate->setText(QStringLiteral("M-AB 123"));
    mileage->setText(QStringLiteral("45000"));

    // Typed plate and mileage of the identified vehicle survive page switches.
    d.ShowSRPWlPage(1);
    QCOMPARE(d.VisiblePage(), static_cast<QWidget *>(d.SRPWlPage()));
    d.ShowHomePage();
    QCOMPARE(plate->text(), QStringLiteral("M-AB 123"));
    QCOMPARE(mileage->text(), QStringLiteral("45000"));
    QVERIFY(plate->isEnabled());
    QVERIFY(mileage->isEnabled());

    // The settings page disables them without clearing them.
    d.ShowSetupPage(true);
    QVERIFY(!plate->isEnabled());
    QCOMPARE(plate->text(), QStringLiteral("M-AB 123"));

    // Without an identified vehicle they are emptied and disabled.
    d.ShowHomePage();
    d.VinEdit()->clear();
    m_settings->Fgstnr.clear();
    d.ShowBfndPage(true);
    QCOMPARE(plate->text(), QString());
    QVERIFY(!plate->isEnabled());
}

void TestMainWindow::settingsPageKeepsTheHeadRowDisabled()
{
    startWindow();
    CYaq2Dlg &d = *m_dlg;
    QTest::keyClicks(d.VinEdit(), QStringLiteral("XVQ1F23A57M012345"));
    auto *plate = d.findChild<QLineEdit *>(QStringLiteral("plateEdit"));
    auto *firstRegistration = d.findChild<QLineEdit *>(QStringLiteral("firstRegistrationEdit"));
    plate->setText(QStringLiteral("M-AB 123"));
    d.ShowSetupPage(true);
    QVERIFY(!plate->isEnabled());

    // Switching the marketing campaigns shows or hides the first
    // registration, but the fields stay locked while the settings are open.
    auto *marketing =
        d.SetupPage()->findChild<QCheckBox *>(QStringLiteral("marketingCampaignsCheck"));
    const bool wasOn = m_settings->MarketingCampaigns != 0;
    marketing->click();
    QCOMPARE(firstRegistration->isVisibleTo(&d), !wasOn);
    QVERIFY(!plate->isEnabled());
    QVERIFY(!firstRegistration->isEnabled());

    d.SetupPage()->ChangeProgramLanguage(QStringLiteral("01"));
    QVERIFY(!plate->isEnabled());
    QCOMPARE(plate->text(), QStringLiteral("M-AB 123"));
    SetPrgSprache(QStringLiteral("00"));

    d.ShowHomePage();
    QVERIFY(plate->isEnabled());
    QCOMPARE(plate->text(), QStringLiteral("M-AB 123"));
}

void TestMainWindow::identChangeRefreshesThePackageList_data()
{
    QTest::addColumn<int>("focusButton");
    QTest::addColumn<bool>("refreshed");
    // A click on one of these switches the page itself.
    QTest::newRow("focus on the search button") << int(kBtnSearch) << false;
    QTest::newRow("focus on the contract button") << int(kBtnContract) << false;
    QTest::newRow("focus on the title button") << int(kBtnTitle) << false;
    // These never switch the page.
    QTest::newRow("focus on the DMS download button") << int(kBtnDmsDownload) << true;
    QTest::newRow("focus on the two-wheeler button") << int(kBtnTwoWheeler) << true;
    QTest::newRow("focus in the head row") << 0 << true;
}

void TestMainWindow::identChangeRefreshesThePackageList()
{
    QFETCH(int, focusButton);
    QFETCH(bool, refreshed);
    startWindow();
    CYaq2Dlg &d = *m_dlg;
    QApplication::setActiveWindow(&d);
    setVin(kVinUnknown);
    d.ShowSRPWlPage(1);
    QCOMPARE(d.CurrentPage(), int(kPageSRPWl));
    QWidget *focus = d.VinEdit();
    if (focusButton == kBtnTitle)
        focus = d.findChild<QWidget *>(QStringLiteral("titleButton"));
    else if (focusButton)
        focus = d.HeadButton(focusButton);
    focus->show();
    focus->setFocus();
    QVERIFY(focus->hasFocus());

    CChangeFlags changes;
    changes.bIdent = 1;
    d.SetIdentChanged(changes);
    // Shown again, the page has taken the change and cleared its flag.
    QCOMPARE(d.SRPWlPage()->m_Changed.bIdent, refreshed ? 0 : 1);
}

void TestMainWindow::basketBackMarkFromTheOldCaption()
{
    startWindow();
    CYaq2Dlg &d = *m_dlg;
    d.ShowBfndPage(true);
    d.ShowWkPage(true);
    QCOMPARE(d.WkPage()->m_bFromBfnd, 1);
    QCOMPARE(d.WkPage()->m_bFromAwKat, 0);
    d.WkPage()->findChild<COwnButton *>(QStringLiteral("backButton"))->click();
    QCOMPARE(d.VisiblePage(), static_cast<QWidget *>(d.BfndPage()));

    d.ShowWkPage(true);
    d.ShowHomePage();
    QCOMPARE(d.WkPage()->m_bFromBfnd, 0);
    // From home the basket has nowhere to go back to but home.
    d.ShowWkPage(true);
    QVERIFY(!d.WkPage()->findChild<COwnButton *>(QStringLiteral("backButton"))->isEnabled());
    QTest::keyClick(d.WkPage(), Qt::Key_Escape);
    QCOMPARE(d.VisiblePage(), static_cast<QWidget *>(d.HomePage()));

    // A vehicle change with an empty basket is settled without a question.
    d.WkPage()->m_bVehicleChanged = 1;
    QCOMPARE(d.WkPage()->AddToBasket(nullptr, 0), 0);
    QCOMPARE(d.WkPage()->m_bVehicleChanged, 0);
    QCOMPARE(m_env->boxes().size(), 0);
}

void TestMainWindow::sessionCheck_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<bool>("checks");
    for (const char *op : {"home", "setup", "basket", "web"})
        QTest::newRow(op) << QString::fromLatin1(op) << false;
    for (const char *op :
         {"packages", "package edit", "spot repair", "dealer parts", "findings", "si finding",
          "catalogue", "contract", "search", "maintenance", "news", "download"})
        QTest::newRow(op) << QString::fromLatin1(op) << true;
}

void TestMainWindow::sessionCheck()
{
    QFETCH(QString, operation);
    QFETCH(bool, checks);
    m_settings->bSession = 1;
    startWindow();
    int calls = 0;
    m_dlg->SetSessionChecker([&calls](const QString &) {
        ++calls;
        return sessionXml("00", "Y", "N");
    });
    CYaq2Dlg &d = *m_dlg;
    const QHash<QString, std::function<void()>> ops = {
        {"home", [&] { d.ShowHomePage(); }},
        {"setup", [&] { d.ShowSetupPage(true); }},
        {"basket", [&] { d.ShowWkPage(true); }},
        {"web", [&] { d.ShowWebPage(2); }},
        {"packages", [&] { d.ShowSRPWlPage(1); }},
        {"package edit", [&] { d.ShowSRPBbPage(true, 0); }},
        {"spot repair", [&] { d.ShowSpotRBbPage(true, 0); }},
        {"dealer parts", [&] { d.ShowDIPPage(true); }},
        {"findings", [&] { d.ShowBfndPage(true); }},
        {"si finding", [&] { d.ShowSBefAnzPage(false, QString()); }},
        {"catalogue", [&] { d.ShowAwKatPage(0, true); }},
        {"contract", [&] { d.ShowHLXPage(true); }},
        {"search", [&] { d.ShowNrAbfragePage(true, true); }},
        {"maintenance", [&] { d.ShowSBLWlPage(false); }},
        {"news", [&] { d.ShowNewsPage(true); }},
        {"download", [&] { d.ShowDownloadPage(true); }},
    };
    QVERIFY(ops.contains(operation));
    ops.value(operation)();
    QCOMPARE(calls, checks ? 1 : 0);
    QVERIFY(!d.IsEnded());
}

void TestMainWindow::invalidSessionEndsTheProgram()
{
    m_settings->bSession = 1;
    startWindow();
    m_dlg->SetSessionChecker([](const QString &) { return sessionXml("00", "N", "N"); });
    m_dlg->ShowBfndPage(true);
    QVERIFY(m_dlg->IsEnded());
    QCOMPARE(m_dlg->EndResult(), 1000);
    QCOMPARE(m_env->boxes().size(), 1);
    QCOMPARE(m_env->boxes().first().text, OrmelText(6088));
    QCOMPARE(m_dlg->VisiblePage(), static_cast<QWidget *>(m_dlg->HomePage()));
    QVERIFY(!m_dlg->isVisible());
}

void TestMainWindow::restrictedSessionStaysRestricted()
{
    m_settings->bSession = 1;
    startWindow();
    CYaq2Dlg &d = *m_dlg;
    d.SetSessionChecker([](const QString &) { return sessionXml("00", "Y", "Y"); });
    d.ShowBfndPage(true);
    QCOMPARE(m_settings->nRestrictedSession, 1);

    // Showing the home page and leaving a page that disabled the head row
    // must not give back what the session forbids.
    d.ShowWkPage(true);
    d.ShowHomePage();
    d.ShowSetupPage(true);
    QCOMPARE(d.VisiblePage(), static_cast<QWidget *>(d.HomePage()));
    d.EnableHeadControls(false, true);
    d.EnableHeadControls(true, false);
    for (int id :
         {kBtnSetup, kBtnDmsDownload, kBtnDmsVin, kBtnContract, kBtnTwoWheeler, kBtnYaqDownload})
        QVERIFY2(!d.HeadButton(id)->isEnabled(), qPrintable(QString::number(id)));
    QVERIFY(d.HeadButton(kBtnSearch)->isEnabled());
    QVERIFY(!d.HomePage()->PaketeButton()->isEnabled());
    QVERIFY(!d.HomePage()->NewsButton()->isEnabled());
    QVERIFY(d.HomePage()->AwButton()->isEnabled());
    d.ShowWkPage(true);
    QVERIFY(!d.WkPage()->TransferButton()->isEnabled());
    QVERIFY(!d.WkPage()->SrpButton()->isEnabled());
    // Both package pages that talk to the dealer system lose that exchange.
    d.ShowSRPBbPage(true, 0);
    d.ShowSpotRBbPage(true, 0);
    for (CPaketDmsPage *page : {static_cast<CPaketDmsPage *>(d.SRPBbPage()),
                                static_cast<CPaketDmsPage *>(d.SpotRBbPage())}) {
        QVERIFY(!page->DmsRequestButton()->isEnabled());
        QVERIFY(!page->TransferButton()->isEnabled());
    }
    d.ShowAwKatPage(0, true);
    QVERIFY(!d.AwKatPage()->PriceButton()->isEnabled());
    QVERIFY(!d.AwKatPage()->SrpButton()->isEnabled());
    QVERIFY(!d.IsEnded());
}

void TestMainWindow::languageChangeReachesEveryPage()
{
    startWindow();
    CYaq2Dlg &d = *m_dlg;
    d.ShowSetupPage(true);
    d.SetupPage()->ChangeProgramLanguage(QStringLiteral("01"));
    QCOMPARE(GetPrgSprache(), QStringLiteral("01"));
    QCOMPARE(d.AwKatPage()->m_Changed.bSprache, 1);
    QCOMPARE(d.WkPage()->m_Changed.bSprache, 1);
    QCOMPARE(d.DownloadPage()->m_Changed.bSprache, 1);
    QCOMPARE(d.WkPage()->m_Changed.bIdent, 0);
    QCOMPARE(d.AwKatPage()->m_bTextsChanged, 1);
    SetPrgSprache(QStringLiteral("00"));
}

void TestMainWindow::closingSavesThePlacement()
{
    startWindow();
    const QRect placed(60, 70, 1150, 720);
    m_dlg->setGeometry(placed);
    m_dlg->ShowBfndPage(true);
    m_dlg->close();
    QVERIFY(m_dlg->IsEnded());
    QCOMPARE(m_settings->YAQ2DlgPosRect.size(), placed.size());
    QCOMPARE(m_settings->bYAQ2DlgIsZoomed, 0);

    // The next window opens where the last one was closed.
    const QRect saved = m_settings->YAQ2DlgPosRect;
    m_dlg.reset();
    startWindow();
    QCOMPARE(m_dlg->geometry().size(), saved.size());
    QVERIFY(m_dlg->minimumSize().width() >= CYaq2Dlg::MinimumWindowSize().width());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
