// The main window on the demo data: every page reachable and back home, the
// guards of the page switches, the session check and the saved placement;
// a new language reaches every page and the labels of the settings, the
// download page and the catalogue picker.

#include "app/HomeDlg.h"
#include "app/KatAuswahlDlg.h"
#include "app/MainWndRules.h"
#include "app/Yaq2App.h"
#include "app/Yaq2Dlg.h"
#include "basket/WkDlg.h"
#include "basket/model/WkBasket.h"
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
#include "platform/InputDrop.h"
#include "platform/OrmelText.h"
#include "settings/PrgSettings.h"
#include "setup/DownloadDlg.h"
#include "setup/SetupDlg.h"
#include "support/FakeAppServer.h"
#include "support/MainWindowTest.h"
#include "support/Waits.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
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
    void printRightAfterATypedMileagePrintsItsContracts();
    void identChangeRefreshesThePackageList_data();
    void identChangeRefreshesThePackageList();
    void basketBackMarkFromTheOldCaption();
    void backLeadsWhereTheUserCameFrom_data();
    void backLeadsWhereTheUserCameFrom();
    void sessionCheck_data();
    void sessionCheck();
    void invalidSessionEndsTheProgram();
    void invalidSessionMessageWaitsForItsAnswer_data();
    void invalidSessionMessageWaitsForItsAnswer();
    void invalidSessionStopsTheStart_data();
    void invalidSessionStopsTheStart();
    void messageOfAnEndedSessionTakesItsAnswerAtOnce();
    void restrictedSessionStaysRestricted();
    void languageChangeReachesEveryPage();
    void labelsFollowTheLanguage_data();
    void labelsFollowTheLanguage();
    void changeReachesThePagesThatKeepIt_data();
    void changeReachesThePagesThatKeepIt();
    void closingSavesThePlacement();

private:
    void setVin(const QString &vin);
    // Constructs the window in a session of the server and runs its start.
    void startSessionWindow(const FakeAppServer &server);
};

void TestMainWindow::init()
{
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
    QCOMPARE(m_dlg->VisiblePage(), static_cast<QWidget *>(m_dlg->Page<CHomeDlg>()));
    QCOMPARE(m_dlg->PageCaption(), QString());
    for (int i = 0; i < 4; ++i)
        QVERIFY2(m_dlg->Db(i) != nullptr, "every connection is open on the demo data");
    QCOMPARE(m_dlg->Page<CHomeDlg>()->AwButton()->Title(), QStringLiteral("AW"));
    QCOMPARE(m_dlg->Page<CHomeDlg>()->SBLButton()->Lines().first(),
             QStringLiteral("Inspektionsblätter"));
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
        {"home button Aw", [&] { d.Page<CHomeDlg>()->AwButton()->click(); }, d.Page<CAwKatDlg>(),
         kPageAwKat, OrmelText(3200)},
        {"home button Pakete", [&] { d.Page<CHomeDlg>()->PaketeButton()->click(); },
         d.Page<CSRPWlDlg>(), kPageSRPWl, OrmelText(3183)},
        {"home button Befund", [&] { d.Page<CHomeDlg>()->BefundButton()->click(); },
         d.Page<CBfndDlg>(), kPageBfnd, OrmelText(3043)},
        {"home button Inspektionsblätter", [&] { d.Page<CHomeDlg>()->SBLButton()->click(); },
         d.Page<CSBLWlDlg>(), kPageSBLWl, OrmelText(3197)},
        {"home button News", [&] { d.Page<CHomeDlg>()->NewsButton()->click(); },
         d.Page<CWebBrowserDlg>(), kPageWebBrowser, OrmelText(2033)},
        {"head button Suchen", [&] { d.HeadButton(kBtnSearch)->click(); }, d.Page<CNrAbfrageDlg>(),
         kPageNrAbfrage, OrmelText(2013)},
        {"head button Zwischenablage", [&] { d.HeadButton(kBtnBasket)->click(); }, d.Page<CWkDlg>(),
         kPageWk, OrmelText(6078)},
        {"head button Einstellungen", [&] { d.HeadButton(kBtnSetup)->click(); },
         d.Page<CSetupDlg>(), kPageSetup, OrmelText(3042)},
        {"contract button", [&] { d.HeadButton(kBtnContract)->click(); }, d.Page<CHLXDlg>(),
         kPageHLX, QStringLiteral("VOQ Helix Care")},
        {"package edit", [&] { d.ShowPage(kPageSRPBb, CPageRequest::Activated(3)); },
         d.Page<CSRPBbDlg>(), kPageSRPBb, OrmelText(3183)},
        {"spot repair", [&] { d.ShowPage(kPageSpotRBb, CPageRequest::Activated(1)); },
         d.Page<CSpotRBbDlg>(), kPageSpotRBb, OrmelText(3183)},
        {"download", [&] { d.ShowDownloadPage(true); }, d.Page<CDownloadDlg>(), kPageDownload,
         OrmelText(2058)},
    };
    for (const Step &step : steps) {
        step.show();
        QVERIFY2(d.VisiblePage() == step.page, step.name);
        QCOMPARE(d.CurrentPage(), step.id);
        QCOMPARE(d.PageCaption(), step.caption);
        QVERIFY2(step.page->isVisible(), step.name);
        QVERIFY2(!d.Page<CHomeDlg>()->isVisible(), step.name);
        // The page's own caption line shows the caption without the
        // keyboard-mnemonic marks of the button texts it comes from.
        const auto *page = qobject_cast<const CPageDlg *>(step.page);
        QVERIFY2(page, step.name);
        QVERIFY2(!page->CaptionText().contains(QLatin1Char('&')), qPrintable(page->CaptionText()));
        QVERIFY(!d.HeadButton(kBtnDmsVin)->isVisible());
        QTest::mouseClick(d.findChild<QWidget *>(QStringLiteral("titleButton")), Qt::LeftButton);
        QVERIFY2(d.VisiblePage() == d.Page<CHomeDlg>(), step.name);
        QCOMPARE(d.CurrentPage(), int(kPageHome));
        QVERIFY(d.HeadButton(kBtnDmsVin)->isVisible());
    }
    // The package pages take the caller's selector only when the switch
    // asks them to activate; shown without it they come back as left.
    d.ShowPage(kPageSRPBb);
    d.ShowPage(kPageSpotRBb);
    QCOMPARE(d.Page<CSRPBbDlg>()->LastSelector(), 3);
    QCOMPARE(d.Page<CSpotRBbDlg>()->LastSelector(), 1);

    // The demo data carry the brand's news document.
    d.ShowNewsPage(true);
    QVERIFY2(QFileInfo::exists(d.Page<CWebBrowserDlg>()->CurrentDocument()),
             qPrintable(d.Page<CWebBrowserDlg>()->CurrentDocument()));

    // The pages shown over another page keep the remembered id.
    d.ShowPage(kPageBfnd, CPageRequest::Activated());
    d.ShowSBefAnzPage(true, QStringLiteral("B1234"));
    QCOMPARE(d.VisiblePage(), static_cast<QWidget *>(d.Page<CSBefAnzDlg>()));
    QCOMPARE(d.Page<CSBefAnzDlg>()->BefundNr(), QStringLiteral("B1234"));
    QCOMPARE(d.CurrentPage(), int(kPageBfnd));
    QTest::keyClick(d.Page<CSBefAnzDlg>(), Qt::Key_Escape);
    QCOMPARE(d.VisiblePage(), static_cast<QWidget *>(d.Page<CBfndDlg>()));

    d.ShowSRPWlPage(1);
    d.ShowDIPPage(true);
    QCOMPARE(d.VisiblePage(), static_cast<QWidget *>(d.Page<CDIPDlg>()));
    QCOMPARE(d.CurrentPage(), int(kPageSRPWl));
    QTest::keyClick(d.Page<CDIPDlg>(), Qt::Key_Escape);
    QCOMPARE(d.VisiblePage(), static_cast<QWidget *>(d.Page<CSRPWlDlg>()));

    // "<" of a plain page leads home; Escape on the home page does nothing.
    d.ShowDownloadPage(true);
    d.Page<CDownloadDlg>()->findChild<COwnButton *>(QStringLiteral("backButton"))->click();
    QCOMPARE(d.VisiblePage(), static_cast<QWidget *>(d.Page<CHomeDlg>()));
    QTest::keyClick(d.Page<CHomeDlg>(), Qt::Key_Escape);
    QTest::keyClick(&d, Qt::Key_Escape);
    QVERIFY(d.isVisible());
    QCOMPARE(m_env->boxes().size(), 0);
}

void TestMainWindow::guardsKeepThePreviousPage()
{
    startWindow();
    CYaq2Dlg &d = *m_dlg;
    d.ShowPage(kPageBfnd, CPageRequest::Activated());

    // Packages without a VIN: message 6080, no switch.
    d.ShowSRPWlPage(1);
    QCOMPARE(d.VisiblePage(), static_cast<QWidget *>(d.Page<CBfndDlg>()));
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
    const int activations = d.Page<CAwKatDlg>()->ActivationCount();
    d.ShowAwKatPage(7, true);
    QCOMPARE(d.Page<CAwKatDlg>()->ActivationCount(), activations + 1);
    QCOMPARE(d.Page<CAwKatDlg>()->LastActivation(), 7);
    QCOMPARE(m_env->boxes().size(), 3);
    d.ShowAwKatPage(7, false);
    QCOMPARE(m_env->boxes().last().text, OrmelText(3033));
    QCOMPARE(d.VisiblePage(), static_cast<QWidget *>(d.Page<CBfndDlg>()));
    // A chosen lead type lets the catalogue open.
    d.GetLeadTypeCombo()->addItem(QStringLiteral("LT1"));
    d.GetLeadTypeCombo()->setCurrentIndex(0);
    d.ShowAwKatPage(0, false);
    QCOMPARE(d.VisiblePage(), static_cast<QWidget *>(d.Page<CAwKatDlg>()));
}

void TestMainWindow::numberSearchMarksItsUse()
{
    startWindow();
    CYaq2Dlg &d = *m_dlg;
    QCOMPARE(m_settings->bNrAbfrage, 0);
    d.HeadButton(kBtnSearch)->click();
    QCOMPARE(d.VisiblePage(), static_cast<QWidget *>(d.Page<CNrAbfrageDlg>()));
    QCOMPARE(m_settings->bNrAbfrage, 1);
    QCOMPARE(d.CameFrom(kPageNrAbfrage), int(kPageHome));
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
    QCOMPARE(d.VisiblePage(), static_cast<QWidget *>(d.Page<CSRPWlDlg>()));
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
    d.ShowPage(kPageBfnd, CPageRequest::Activated());
    QCOMPARE(plate->text(), QString());
    QVERIFY(!plate->isEnabled());
}

// "Drucken" on the contract page pressed before the typing's pause is over
// prints the contracts judged at the mileage in the field, not at the one
// before (the Arvo at 45210 has a contract over its limit).
void TestMainWindow::printRightAfterATypedMileagePrintsItsContracts()
{
    startWindow();
    CYaq2Dlg &d = *m_dlg;
    m_settings->Preview = 1;
    QTest::keyClicks(d.VinEdit(), QStringLiteral("XVQ1F23A57M012345"));
    QTest::mouseClick(d.HeadButton(kBtnContract), Qt::LeftButton);
    QCOMPARE(d.CurrentPage(), int(kPageHLX));
    auto *list = d.VisiblePage()->findChild<QAbstractItemView *>(QStringLiteral("contractList"));
    const auto rows = [list] {
        QStringList shown;
        for (int i = 0; i < list->model()->rowCount(); ++i) {
            const QModelIndex row = list->model()->index(i, 0);
            for (const int role :
                 {int(Qt::DisplayRole), Qt::UserRole + 1, Qt::UserRole + 2, Qt::UserRole + 3})
                shown << row.data(role).toString();
        }
        return shown;
    };
    auto *pause = d.findChild<QTimer *>(QStringLiteral("mileagePauseTimer"));
    auto *mileage = d.findChild<QLineEdit *>(QStringLiteral("mileageEdit"));
    const auto type = [mileage](const char *km) {
        mileage->setFocus();
        mileage->selectAll();
        QTest::keyClicks(mileage, QLatin1String(km));
    };
    type("45210");
    YAQ_TRY_VERIFY(!pause->isActive());
    const QStringList atTyped = rows();
    type("5");
    YAQ_TRY_VERIFY(!pause->isActive());
    QVERIFY(rows() != atTyped);

    // The pause lasts until the click has come.
    pause->setInterval(YaqTest::kHangMs);
    type("45210");
    QVERIFY(pause->isActive());
    QStringList printed{"no preview"};
    QTimer preview;
    preview.setInterval(10);
    QObject::connect(&preview, &QTimer::timeout, [&printed, rows] {
        if (auto *open = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            printed = rows();
            open->reject();
        }
    });
    preview.start();
    QTest::mouseClick(d.VisiblePage()->findChild<QWidget *>(QStringLiteral("printButton")),
                      Qt::LeftButton);
    QCOMPARE(printed, atTyped);
    QVERIFY(!pause->isActive());
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
        d.Page<CSetupDlg>()->findChild<QCheckBox *>(QStringLiteral("marketingCampaignsCheck"));
    const bool wasOn = m_settings->MarketingCampaigns != 0;
    marketing->click();
    QCOMPARE(firstRegistration->isVisibleTo(&d), !wasOn);
    QVERIFY(!plate->isEnabled());
    QVERIFY(!firstRegistration->isEnabled());

    d.Page<CSetupDlg>()->ChangeProgramLanguage(QStringLiteral("01"));
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
    QCOMPARE(d.Page<CSRPWlDlg>()->m_Changed.bIdent, refreshed ? 0 : 1);
}

void TestMainWindow::basketBackMarkFromTheOldCaption()
{
    startWindow();
    CYaq2Dlg &d = *m_dlg;
    d.ShowPage(kPageBfnd, CPageRequest::Activated());
    d.ShowWkPage(true);
    QCOMPARE(d.CameFrom(kPageWk), int(kPageBfnd));
    d.Page<CWkDlg>()->findChild<COwnButton *>(QStringLiteral("backButton"))->click();
    QCOMPARE(d.VisiblePage(), static_cast<QWidget *>(d.Page<CBfndDlg>()));

    d.ShowWkPage(true);
    d.ShowHomePage();
    QCOMPARE(d.CameFrom(kPageWk), 0);
    // From home the basket has nowhere to go back to but home.
    d.ShowWkPage(true);
    QVERIFY(!d.Page<CWkDlg>()->findChild<COwnButton *>(QStringLiteral("backButton"))->isEnabled());
    QTest::keyClick(d.Page<CWkDlg>(), Qt::Key_Escape);
    QCOMPARE(d.VisiblePage(), static_cast<QWidget *>(d.Page<CHomeDlg>()));

    // A vehicle change with an empty basket is settled without a question.
    d.Basket()->SetVehicleChanged(true);
    QCOMPARE(d.Basket()->SettleVehicleChange(), 0);
    QVERIFY(!d.Basket()->VehicleChanged());
    QCOMPARE(m_env->boxes().size(), 0);
}

void TestMainWindow::backLeadsWhereTheUserCameFrom_data()
{
    // The pages shown one after another ("<" presses the back button of the
    // visible page, or Escape while the button is disabled); then whether
    // "<" is offered on the last page and where it leads.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<bool>("offered");
    QTest::addColumn<QString>("leadsTo");
    using L = QStringList;
    // clang-format off
    QTest::newRow("basket from home: nowhere but home") << L{"Wk"} << false << "home";
    QTest::newRow("basket from the catalogue") << L{"AwKat", "Wk"} << true << "AwKat";
    QTest::newRow("basket from the package list") << L{"SRPWl", "Wk"} << true << "SRPWl";
    QTest::newRow("basket from package editing: to the list") << L{"SRPBb", "Wk"} << true << "SRPWl";
    QTest::newRow("basket from spot repair: to the list") << L{"SpotRBb", "Wk"} << true << "SRPWl";
    QTest::newRow("basket from dealer parts over the list") << L{"SRPWl", "DIP", "Wk"} << true << "SRPWl";
    QTest::newRow("basket from the findings") << L{"Bfnd", "Wk"} << true << "Bfnd";
    QTest::newRow("basket from a finding over the findings") << L{"Bfnd", "SBefAnz", "Wk"} << true << "Bfnd";
    QTest::newRow("basket from the browser over the list") << L{"SRPWl", "Web", "Wk"} << true << "SRPWl";
    QTest::newRow("basket from the search") << L{"NrAbfrage", "Wk"} << false << "home";
    QTest::newRow("basket from the settings") << L{"Setup", "Wk"} << false << "home";
    QTest::newRow("basket from the contract page") << L{"HLX", "Wk"} << false << "home";
    QTest::newRow("basket from the news") << L{"News", "Wk"} << false << "home";
    QTest::newRow("basket from maintenance topics") << L{"SBLWl", "Wk"} << false << "home";
    QTest::newRow("basket from the download") << L{"Download", "Wk"} << false << "home";
    QTest::newRow("basket keeps its origin over other pages") << L{"Bfnd", "Wk", "Setup", "Wk"} << true << "Bfnd";
    QTest::newRow("basket shown again keeps its origin") << L{"AwKat", "Wk", "Wk"} << true << "AwKat";
    QTest::newRow("basket origin used once") << L{"Bfnd", "Wk", "<", "Setup", "Wk"} << false << "home";
    QTest::newRow("basket origin forgotten at home") << L{"Bfnd", "Wk", "home", "Wk"} << false << "home";
    QTest::newRow("basket origin replaced by a later one") << L{"Bfnd", "Wk", "AwKat", "Wk"} << true << "AwKat";
    QTest::newRow("contract from home") << L{"HLX"} << false << "home";
    QTest::newRow("contract from the catalogue") << L{"AwKat", "HLX"} << true << "AwKat";
    QTest::newRow("contract from the package list") << L{"SRPWl", "HLX"} << true << "SRPWl";
    QTest::newRow("contract from package editing: to the list") << L{"SRPBb", "HLX"} << true << "SRPWl";
    QTest::newRow("contract from the findings: home") << L{"Bfnd", "HLX"} << false << "home";
    QTest::newRow("contract from the basket: home") << L{"Wk", "HLX"} << false << "home";
    QTest::newRow("contract keeps its origin over other pages") << L{"AwKat", "HLX", "Bfnd", "HLX"} << true << "AwKat";
    QTest::newRow("contract origin used once") << L{"SRPWl", "HLX", "<", "Bfnd", "HLX"} << false << "home";
    QTest::newRow("contract origin forgotten at home") << L{"AwKat", "HLX", "home", "HLX"} << false << "home";
    QTest::newRow("contract and basket keep their own origins") << L{"AwKat", "HLX", "Bfnd", "Wk", "HLX"} << true << "AwKat";
    QTest::newRow("basket origin beside the contract's") << L{"AwKat", "HLX", "Bfnd", "Wk", "HLX", "Wk"} << true << "Bfnd";
    QTest::newRow("package list from home") << L{"SRPWl"} << false << "home";
    QTest::newRow("package list from the catalogue") << L{"AwKat", "SRPWl"} << true << "AwKat";
    QTest::newRow("package list from the search") << L{"NrAbfrage", "SRPWl"} << true << "NrAbfrage";
    QTest::newRow("package list from the basket") << L{"Bfnd", "Wk", "SRPWl"} << false << "home";
    QTest::newRow("package list keeps its origin over package editing") << L{"AwKat", "SRPWl", "SRPBb", "<"} << true << "AwKat";
    QTest::newRow("package list origin forgotten at home") << L{"AwKat", "SRPWl", "home", "SRPWl"} << false << "home";
    QTest::newRow("news from the package list") << L{"SRPWl", "News"} << false << "home";
    QTest::newRow("browser from spot repair") << L{"SpotRBb", "Web"} << false << "home";
    QTest::newRow("package editing: to the list") << L{"SRPBb"} << true << "SRPWl";
    QTest::newRow("spot repair: to the list") << L{"Bfnd", "SpotRBb"} << true << "SRPWl";
    QTest::newRow("dealer parts: to the list") << L{"SRPWl", "DIP"} << true << "SRPWl";
    QTest::newRow("dealer parts from home: to the list") << L{"DIP"} << true << "SRPWl";
    QTest::newRow("a finding: to the findings") << L{"Bfnd", "SBefAnz"} << true << "Bfnd";
    QTest::newRow("catalogue from home") << L{"AwKat"} << true << "home";
    QTest::newRow("catalogue from the basket") << L{"Wk", "AwKat"} << true << "home";
    QTest::newRow("search from the catalogue") << L{"AwKat", "NrAbfrage"} << true << "home";
    QTest::newRow("findings from the basket: to the catalogue") << L{"AwKat", "Wk", "Bfnd"} << true << "AwKat";
    QTest::newRow("findings from home: to the catalogue") << L{"Bfnd"} << true << "AwKat";
    QTest::newRow("findings from the catalogue") << L{"AwKat", "Bfnd"} << true << "AwKat";
    QTest::newRow("findings from the search") << L{"NrAbfrage", "Bfnd"} << true << "NrAbfrage";
    QTest::newRow("findings from package editing") << L{"SRPBb", "Bfnd"} << true << "SRPBb";
    QTest::newRow("maintenance topics") << L{"Bfnd", "SBLWl"} << true << "home";
    QTest::newRow("settings") << L{"AwKat", "Setup"} << true << "home";
    QTest::newRow("download") << L{"SRPWl", "Download"} << true << "home";
    // clang-format on
}

void TestMainWindow::backLeadsWhereTheUserCameFrom()
{
    QFETCH(QStringList, steps);
    QFETCH(bool, offered);
    QFETCH(QString, leadsTo);
    startWindow();
    setVin(kVinUnknown);
    m_settings->TypSchl = QStringLiteral("7A01");
    CYaq2Dlg &d = *m_dlg;
    const QHash<QString, std::function<void()>> show = {
        {"home", [&] { d.ShowHomePage(); }},
        {"AwKat", [&] { d.ShowAwKatPage(1, false); }},
        {"SRPWl", [&] { d.ShowSRPWlPage(1); }},
        {"SRPBb", [&] { d.ShowPage(kPageSRPBb, CPageRequest::Activated(0)); }},
        {"SpotRBb", [&] { d.ShowPage(kPageSpotRBb, CPageRequest::Activated(0)); }},
        {"DIP", [&] { d.ShowDIPPage(true); }},
        {"Bfnd", [&] { d.ShowPage(kPageBfnd, CPageRequest::Activated()); }},
        {"SBefAnz", [&] { d.ShowSBefAnzPage(true, QStringLiteral("B1")); }},
        {"NrAbfrage", [&] { d.ShowNrAbfragePage(true, false); }},
        {"Wk", [&] { d.ShowWkPage(true); }},
        {"HLX", [&] { d.ShowHLXPage(true); }},
        {"Setup", [&] { d.ShowSetupPage(true); }},
        {"SBLWl", [&] { d.ShowSBLWlPage(true); }},
        {"News", [&] { d.ShowNewsPage(true); }},
        {"Web", [&] { d.ShowWebPage(2); }},
        {"Download", [&] { d.ShowDownloadPage(true); }},
    };
    const QHash<QString, QWidget *> pages = {
        {"home", d.Page<CHomeDlg>()},           {"AwKat", d.Page<CAwKatDlg>()},
        {"SRPWl", d.Page<CSRPWlDlg>()},         {"Bfnd", d.Page<CBfndDlg>()},
        {"NrAbfrage", d.Page<CNrAbfrageDlg>()}, {"SRPBb", d.Page<CSRPBbDlg>()},
    };
    auto backButton = [&d] {
        return d.VisiblePage()->findChild<COwnButton *>(QStringLiteral("backButton"));
    };
    auto back = [&] {
        if (backButton()->isEnabled())
            backButton()->click();
        else
            QTest::keyClick(d.VisiblePage(), Qt::Key_Escape);
    };
    for (const QString &step : steps) {
        if (step == QLatin1String("<")) {
            back();
            continue;
        }
        QVERIFY2(show.contains(step), qPrintable(step));
        QWidget *before = d.VisiblePage();
        show.value(step)();
        QVERIFY2(d.VisiblePage() != before || step == QLatin1String("Wk"), qPrintable(step));
    }
    QCOMPARE(backButton()->isEnabled(), offered);
    back();
    QVERIFY(pages.contains(leadsTo));
    QCOMPARE(d.VisiblePage(), pages.value(leadsTo));
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
        {"package edit", [&] { d.ShowPage(kPageSRPBb, CPageRequest::Activated(0)); }},
        {"spot repair", [&] { d.ShowPage(kPageSpotRBb, CPageRequest::Activated(0)); }},
        {"dealer parts", [&] { d.ShowDIPPage(true); }},
        {"findings", [&] { d.ShowPage(kPageBfnd, CPageRequest::Activated()); }},
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
    m_dlg->ShowPage(kPageBfnd, CPageRequest::Activated());
    QVERIFY(m_dlg->IsEnded());
    QCOMPARE(m_dlg->EndResult(), 1000);
    QCOMPARE(m_env->boxes().size(), 1);
    QCOMPARE(m_env->boxes().first().text, OrmelText(6088));
    QCOMPARE(m_dlg->VisiblePage(), static_cast<QWidget *>(m_dlg->Page<CHomeDlg>()));
    QVERIFY(!m_dlg->isVisible());
}

// The message of an ended session stays until the adviser answers it: the
// key that started the check, or the next one typed right after it, reaches
// the message as it opens (the window system hands a key to the window that
// has the keyboard when it comes) and must not answer it unread.
void TestMainWindow::invalidSessionMessageWaitsForItsAnswer_data()
{
    QTest::addColumn<QString>("startedBy");
    QTest::addColumn<int>("key"); // typed ahead of the message
    // clang-format off
    QTest::newRow("Return on a page tile")       << "return" << int(Qt::Key_Return);
    QTest::newRow("pad's Enter on a page tile")  << "enter"  << int(Qt::Key_Enter);
    QTest::newRow("click on a page tile")        << "click"  << int(Qt::Key_Return);
    QTest::newRow("VIN typed, then Return")      << "vin"    << int(Qt::Key_Return);
    // clang-format on
}

void TestMainWindow::invalidSessionMessageWaitsForItsAnswer()
{
    QFETCH(QString, startedBy);
    QFETCH(int, key);
    m_settings->bSession = 1;
    startWindow();
    // The box itself, as the adviser sees it.
    SetMsgBoxResponder({});
    QObject scope; // gone with the function, also when a check fails before it fired
    QPointer<QWidget> box;
    bool isMessage = false;
    bool typedAhead = false;
    bool settled = false;
    bool stayed = false;
    int checks = 0;
    m_dlg->SetSessionChecker([&](const QString &) {
        ++checks;
        QTimer::singleShot(0, &scope, [&] {
            box = QApplication::activeModalWidget();
            isMessage = qobject_cast<QMessageBox *>(box.data());
            if (!box)
                return;
            QWidget *target = box->focusWidget() ? box->focusWidget() : box.data();
            const auto modifier = key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;
            QTest::keyClick(target, Qt::Key(key), modifier);
            typedAhead = true;
            QTimer::singleShot(YaqTest::kSettleMs, &scope, [&] {
                stayed = box && box->isVisible();
                if (auto *message = qobject_cast<QMessageBox *>(box.data()))
                    message->done(QMessageBox::Ok);
                settled = true;
            });
        });
        return sessionXml("00", "N", "N");
    });
    COwnWhiteButton *tile = m_dlg->Page<CHomeDlg>()->AwButton();
    if (startedBy == QLatin1String("vin")) {
        auto *vin = m_dlg->findChild<QLineEdit *>(QStringLiteral("vinEdit"));
        vin->setFocus();
        QTest::keyClicks(vin, QStringLiteral("XVQ1F23A57M012345"));
    } else if (startedBy == QLatin1String("click")) {
        QTest::mouseClick(tile, Qt::LeftButton);
    } else {
        tile->setFocus();
        QTest::keyClick(tile, startedBy == QLatin1String("enter") ? Qt::Key_Enter : Qt::Key_Return,
                        startedBy == QLatin1String("enter") ? Qt::KeypadModifier : Qt::NoModifier);
    }
    YAQ_TRY_VERIFY(settled);
    QCOMPARE(checks, 1);
    QVERIFY(isMessage);
    QVERIFY(typedAhead);
    QVERIFY2(stayed, "the message was answered by the key typed ahead of it");
    QVERIFY(m_dlg->IsEnded());
    QCOMPARE(m_dlg->EndResult(), 1000);
}

void TestMainWindow::startSessionWindow(const FakeAppServer &server)
{
    m_settings->bSession = 1;
    CMainWndEnv env;
    env.connection.appServer = server.address();
    env.connection.sessionId = QStringLiteral("S-1");
    m_dlg = std::make_unique<CYaq2Dlg>(m_settings.get(), env);
    QCOMPARE(m_dlg->OpenError(), QString());
    m_dlg->InitDialog(CMainWndArgs());
}

// A start with a vehicle and a start page in a session the server has
// ended: the vehicle's check finds it ended, and the start stops there.
// Neither a second check for the ended session nor a second message, nor
// the start page on the closed catalogue connections.
void TestMainWindow::invalidSessionStopsTheStart_data()
{
    QTest::addColumn<QString>("startPage");
    for (const char *code : {"AW", "BF", "SRP", "RR", "HLX"})
        QTest::newRow(code) << QString::fromLatin1(code);
}

void TestMainWindow::invalidSessionStopsTheStart()
{
    QFETCH(QString, startPage);
    FakeAppServer server(200, sessionXml("00", "N", "N").toUtf8());
    m_settings->Fgstnr = QStringLiteral("XVQ1F23A57M012345");
    m_settings->StartPage = startPage;
    startSessionWindow(server);
    QVERIFY(m_dlg->IsEnded());
    QCOMPARE(m_dlg->EndResult(), 1000);
    QCOMPARE(server.count(QStringLiteral("check")), 1);
    QCOMPARE(m_env->boxes().size(), 1);
    QCOMPARE(m_env->boxes().first().text, OrmelText(6088));
    m_dlg.reset();
    QCOMPARE(server.requestLines,
             QStringList({"POST /yaq2/session/check HTTP/1.1", "POST /yaq2/session/end HTTP/1.1"}));
}

// The adviser closed the window while the session was checked, and the
// server found the session ended: its message takes the answer as soon as
// the type-ahead time is over, while the server still keeps the end's
// answer. The window ends once the message is answered, not inside the
// message's loop, where the code that showed it would go on with the
// window's connections closed under it.
void TestMainWindow::messageOfAnEndedSessionTakesItsAnswerAtOnce()
{
    FakeAppServer server(200, sessionXml("00", "N", "N").toUtf8());
    server.holds = [](const QString &line) { return line.contains(QLatin1String("/end ")); };
    startSessionWindow(server);
    QVERIFY(!m_dlg->IsEnded());
    server.onRequest = [&] {
        if (server.count(QStringLiteral("check")) == 1 && server.count(QStringLiteral("end")) == 0)
            m_dlg->close();
    };
    SetMsgBoxResponder({});
    QObject scope; // gone with the function, also when a check fails first
    QPointer<QMessageBox> box;
    QString shown;
    bool windowWithMessage = false;
    bool answered = false;
    bool settled = false;
    auto *watch = new QTimer(&scope);
    connect(watch, &QTimer::timeout, &scope, [&] {
        box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        watch->stop();
        shown = box->text();
        QTimer::singleShot(2 * CInputDrop::kTypeAheadMs, &scope, [&] {
            windowWithMessage = m_dlg->isVisible();
            if (box && !box->buttons().isEmpty())
                QTest::mouseClick(box->buttons().first(), Qt::LeftButton);
            QTimer::singleShot(YaqTest::kSettleMs, &scope, [&] {
                answered = !box || !box->isVisible();
                server.releaseHeld();
                if (box && box->isVisible())
                    box->done(QMessageBox::Ok);
                settled = true;
            });
        });
    });
    watch->start(20);
    QTest::mouseClick(m_dlg->Page<CHomeDlg>()->AwButton(), Qt::LeftButton);
    YAQ_TRY_VERIFY(settled);
    QVERIFY2(answered, "the message's answer waited for the end of the session");
    QCOMPARE(shown, OrmelText(6088));
    QVERIFY2(windowWithMessage, "the window ended inside the message's loop");
    YAQ_TRY_COMPARE(server.requestLines, QStringList({"POST /yaq2/session/check HTTP/1.1",
                                                      "POST /yaq2/session/end HTTP/1.1"}));
    QVERIFY(m_dlg->IsEnded());
    QVERIFY(!m_dlg->isVisible());
}

void TestMainWindow::restrictedSessionStaysRestricted()
{
    m_settings->bSession = 1;
    startWindow();
    CYaq2Dlg &d = *m_dlg;
    d.SetSessionChecker([](const QString &) { return sessionXml("00", "Y", "Y"); });
    d.ShowPage(kPageBfnd, CPageRequest::Activated());
    QCOMPARE(m_settings->nRestrictedSession, 1);

    // Showing the home page and leaving a page that disabled the head row
    // must not give back what the session forbids.
    d.ShowWkPage(true);
    d.ShowHomePage();
    d.ShowSetupPage(true);
    QCOMPARE(d.VisiblePage(), static_cast<QWidget *>(d.Page<CHomeDlg>()));
    d.EnableHeadControls(false, true);
    d.EnableHeadControls(true, false);
    for (int id :
         {kBtnSetup, kBtnDmsDownload, kBtnDmsVin, kBtnContract, kBtnTwoWheeler, kBtnYaqDownload})
        QVERIFY2(!d.HeadButton(id)->isEnabled(), qPrintable(QString::number(id)));
    QVERIFY(d.HeadButton(kBtnSearch)->isEnabled());
    QVERIFY(!d.Page<CHomeDlg>()->PaketeButton()->isEnabled());
    QVERIFY(!d.Page<CHomeDlg>()->NewsButton()->isEnabled());
    QVERIFY(d.Page<CHomeDlg>()->AwButton()->isEnabled());
    d.ShowWkPage(true);
    QVERIFY(!d.Page<CWkDlg>()->TransferButton()->isEnabled());
    QVERIFY(!d.Page<CWkDlg>()->SrpButton()->isEnabled());
    // Both package pages that talk to the dealer system lose that exchange.
    d.ShowPage(kPageSRPBb, CPageRequest::Activated(0));
    d.ShowPage(kPageSpotRBb, CPageRequest::Activated(0));
    for (CPaketDmsPage *page : {static_cast<CPaketDmsPage *>(d.Page<CSRPBbDlg>()),
                                static_cast<CPaketDmsPage *>(d.Page<CSpotRBbDlg>())}) {
        QVERIFY(!page->DmsRequestButton()->isEnabled());
        QVERIFY(!page->TransferButton()->isEnabled());
    }
    d.ShowAwKatPage(0, true);
    QVERIFY(!d.Page<CAwKatDlg>()->PriceButton()->isEnabled());
    QVERIFY(!d.Page<CAwKatDlg>()->SrpButton()->isEnabled());
    QVERIFY(!d.IsEnded());
}

void TestMainWindow::languageChangeReachesEveryPage()
{
    startWindow();
    CYaq2Dlg &d = *m_dlg;
    d.ShowSetupPage(true);
    d.Page<CSetupDlg>()->ChangeProgramLanguage(QStringLiteral("01"));
    QCOMPARE(GetPrgSprache(), QStringLiteral("01"));
    QCOMPARE(d.Page<CAwKatDlg>()->m_Changed.bSprache, 1);
    QCOMPARE(d.Page<CWkDlg>()->m_Changed.bSprache, 1);
    QCOMPARE(d.Page<CDownloadDlg>()->m_Changed.bSprache, 1);
    QCOMPARE(d.Page<CWkDlg>()->m_Changed.bIdent, 0);
    QCOMPARE(d.Page<CAwKatDlg>()->m_bTextsChanged, 1);
    SetPrgSprache(QStringLiteral("00"));
}

void TestMainWindow::labelsFollowTheLanguage_data()
{
    // Row: where the label is (the settings page, the download page, the
    // catalogue picker's title), its control, its English text.
    QTest::addColumn<QString>("where");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("text");
    // clang-format off
    QTest::newRow("settings: language")            << "settings" << "languageLabel"          << "Language / Sprache";
    QTest::newRow("settings: print preview")       << "settings" << "previewCheck"           << "Print preview";
    QTest::newRow("settings: country packages")    << "settings" << "countrySpecPaketsCheck" << "Country-specific packages";
    QTest::newRow("settings: marketing campaigns") << "settings" << "marketingCampaignsCheck" << "Marketing campaigns";
    QTest::newRow("settings: direct prices")       << "settings" << "priceEditingCheck"      << "Direct price editing";
    QTest::newRow("settings: job number")          << "settings" << "jobEditCheck"           << "Edit job number";
    QTest::newRow("download: target folder")       << "download" << "targetFolderLabel"      << "Target folder";
    QTest::newRow("catalogue picker: title")       << "picker"   << ""                       << "Catalogue selection";
    // clang-format on
}

void TestMainWindow::labelsFollowTheLanguage()
{
    QFETCH(QString, where);
    QFETCH(QString, control);
    startWindow();
    CYaq2Dlg &d = *m_dlg;
    d.ShowSetupPage(true);
    d.Page<CSetupDlg>()->ChangeProgramLanguage(QStringLiteral("01"));
    QString text;
    if (where == QLatin1String("picker")) {
        text = CKatAuswahlDlg(m_settings.get(), &d).windowTitle();
    } else {
        if (where == QLatin1String("download"))
            d.ShowDownloadPage(true);
        const QWidget *widget = d.findChild<QWidget *>(control);
        if (const auto *label = qobject_cast<const QLabel *>(widget))
            text = label->text();
        else if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
            text = button->text();
    }
    SetPrgSprache(QStringLiteral("00"));
    QTEST(text, "text");
}

void TestMainWindow::changeReachesThePagesThatKeepIt_data()
{
    // One flag of the change report and the pages that keep it; every other
    // page keeps nothing. A language change also marks the texts of the
    // pages that keep it.
    QTest::addColumn<QString>("flag");
    QTest::addColumn<QStringList>("pages");
    using L = QStringList;
    const L vehicle{"NrAbfrage", "SRPWl", "SRPBb", "SpotRBb", "Bfnd", "AwKat", "SBLWl"};
    const L everyKeeper = vehicle + L{"Wk", "HLX", "DIP", "Download"};
    // clang-format off
    QTest::newRow("identification") << "bIdent" << vehicle;
    QTest::newRow("VIN") << "bFgstnr" << vehicle;
    QTest::newRow("type key") << "bTypSchl" << vehicle;
    QTest::newRow("model series") << "bEReihe" << vehicle;
    QTest::newRow("type number") << "bTypNr" << vehicle;
    QTest::newRow("model") << "bModellBez" << vehicle;
    QTest::newRow("lead type") << "bLeadTyp" << vehicle;
    QTest::newRow("first registration") << "bErstzul" << vehicle;
    QTest::newRow("language") << "bSprache" << everyKeeper;
    QTest::newRow("setup 1") << "bSetup1" << everyKeeper;
    QTest::newRow("setup 2") << "bSetup2" << everyKeeper;
    QTest::newRow("setup 3") << "bSetup3" << everyKeeper;
    QTest::newRow("setup 4") << "bSetup4" << everyKeeper;
    QTest::newRow("mileage") << "bKilometer" << L{"SRPWl", "Bfnd"};
    // clang-format on
}

void TestMainWindow::changeReachesThePagesThatKeepIt()
{
    QFETCH(QString, flag);
    QFETCH(QStringList, pages);
    using F = CChangeFlags;
    const QHash<QString, int F::*> flags = {
        {"bIdent", &F::bIdent},     {"bFgstnr", &F::bFgstnr},       {"bTypSchl", &F::bTypSchl},
        {"bEReihe", &F::bEReihe},   {"bTypNr", &F::bTypNr},         {"bModellBez", &F::bModellBez},
        {"bLeadTyp", &F::bLeadTyp}, {"bErstzul", &F::bErstzul},     {"bSprache", &F::bSprache},
        {"bSetup1", &F::bSetup1},   {"bSetup2", &F::bSetup2},       {"bSetup3", &F::bSetup3},
        {"bSetup4", &F::bSetup4},   {"bKilometer", &F::bKilometer},
    };
    QVERIFY(flags.contains(flag));
    startWindow();
    CYaq2Dlg &d = *m_dlg;
    const QHash<QString, int> all = {
        {"home", kPageHome},         {"NrAbfrage", kPageNrAbfrage},
        {"SRPWl", kPageSRPWl},       {"SRPBb", kPageSRPBb},
        {"SpotRBb", kPageSpotRBb},   {"Setup", kPageSetup},
        {"Bfnd", kPageBfnd},         {"SBefAnz", kPageSBefAnz},
        {"AwKat", kPageAwKat},       {"Wk", kPageWk},
        {"SBLWl", kPageSBLWl},       {"Web", kPageWebBrowser},
        {"HLX", kPageHLX},           {"DIP", kPageDIP},
        {"Download", kPageDownload},
    };
    CChangeFlags changes;
    changes.*flags.value(flag) = 1;
    d.SetIdentChanged(changes);
    for (auto it = all.cbegin(); it != all.cend(); ++it) {
        const bool keeps = pages.contains(it.key());
        CChangeFlags expected;
        if (keeps)
            expected.*flags.value(flag) = 1;
        const CPageDlg *page = d.Page(it.value());
        QVERIFY2(page, qPrintable(it.key()));
        for (int F::*member : flags)
            QVERIFY2(page->m_Changed.*member == expected.*member, qPrintable(it.key()));
        const bool textsMarked = keeps && flag == QLatin1String("bSprache");
        QVERIFY2(page->m_bTextsChanged == (textsMarked ? 1 : 0), qPrintable(it.key()));
    }
}

void TestMainWindow::closingSavesThePlacement()
{
    startWindow();
    const QRect placed(60, 70, 1150, 720);
    m_dlg->setGeometry(placed);
    m_dlg->ShowPage(kPageBfnd, CPageRequest::Activated());
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

YAQ_TEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
