// Vehicle identification in the head row of the main window on the demo
// catalogue: typed VIN and type key, the model shown, the basket's question
// before a change of vehicle, refused, blocked and mistyped VINs, the
// hand-entered vehicle fields, the incomplete-VIN notice, the change report
// to the pages and the catalogue picker. The look-ups themselves are tested
// without a window in tst_headrowcatalogue.

#include "app/KatAuswahlDlg.h"
#include "app/MainWndRules.h"
#include "app/PendingIdent.h"
#include "app/SelVin7TypschlDlg.h"
#include "app/VehicleHolds.h"
#include "app/Yaq2Dlg.h"
#include "basket/WkDlg.h"
#include "basket/model/WkBasket.h"
#include "catalogues/AwKatDlg.h"
#include "catalogues/NrAbfrageDlg.h"
#include "catalogues/model/AwKatWalk.h"
#include "common/OwnButton.h"
#include "platform/OrmelText.h"
#include "settings/PrgSettings.h"
#include "support/MainWindowTest.h"
#include "support/Waits.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <memory>

namespace {
const QString kVinArvo = QStringLiteral("XVQ1F23A57M012345");
const QString kVinBento = QStringLiteral("XVQ2G45B684K56789");
const QString kVinTremik = QStringLiteral("XVQ3T00A57T012345");
const QString kVinArvo2 = QStringLiteral("XVQ1F23A57M112345");
// The face of the contract button while the vehicle has a contract.
const QColor kContractColour(0xC0, 0xDC, 0xC0);
} // namespace

class TestVinIdent : public MainWindowTest
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void typedVinIdentifiesTheVehicle();
    void fieldsWrittenByCodeDoNotIdentify();
    void typedTypeKeyIdentifies();
    void headRowShowsTheIdentifiedModel_data();
    void headRowShowsTheIdentifiedModel();
    void refusedChangeKeepsThePreviousVehicle();
    void refusedChangeShowsTheFirstRegistrationAgain();
    void vinFieldShowsTheVehicle_data();
    void vinFieldShowsTheVehicle();
    void blockedVehiclesLeaveTheSettings_data();
    void blockedVehiclesLeaveTheSettings();
    void typingOverTheVehicleKeepsTheVinField_data();
    void typingOverTheVehicleKeepsTheVinField();
    void vehicleFieldsFollowTheHeadRule_data();
    void vehicleFieldsFollowTheHeadRule();
    void vehicleChangeQuestion_data();
    void vehicleChangeQuestion();
    void holdsOfTheVehicleFields_data();
    void holdsOfTheVehicleFields();
    void handedInVehicleHoldsByOrigin_data();
    void handedInVehicleHoldsByOrigin();
    void incompleteVinStartsTheTimer();
    void incompleteVinNotice_data();
    void incompleteVinNotice();
    void aChangeRestartsTheIncompleteVinPause_data();
    void aChangeRestartsTheIncompleteVinPause();
    void seriesWithSeveralCataloguesOpensThePicker();
    void fullVinDialogTakesCapitals();

private:
    void typeVin(const QString &vin);
    // Types a type key (four characters) or a VIN into its head-row field.
    void identify(const QString &typeKeyOrVin);
    bool contractButtonColoured() const;
};

void TestVinIdent::init()
{
    setUpDemo();
}

void TestVinIdent::cleanup()
{
    CKatAuswahlDlg::SetRunner({});
    tearDownDemo();
}

void TestVinIdent::typeVin(const QString &vin)
{
    QLineEdit *edit = m_dlg->VinEdit();
    edit->selectAll();
    QTest::keyClicks(edit, vin);
}

bool TestVinIdent::contractButtonColoured() const
{
    // A corner inside the frame shows the button's face.
    const QImage face = m_dlg->HeadButton(kBtnContract)->grab().toImage();
    return face.pixelColor(2, 2) == kContractColour;
}

void TestVinIdent::identify(const QString &typeKeyOrVin)
{
    if (typeKeyOrVin.size() != 4) {
        typeVin(typeKeyOrVin);
        return;
    }
    QLineEdit *edit = m_dlg->TypeKeyEdit();
    edit->selectAll();
    QTest::keyClicks(edit, typeKeyOrVin);
}

// --- head row ---------------------------------------------------------------

void TestVinIdent::typedVinIdentifiesTheVehicle()
{
    startWindow();
    typeVin(kVinArvo.toLower());
    QCOMPARE(m_dlg->VinEdit()->text(), kVinArvo);
    QCOMPARE(m_settings->FgstnrFull, kVinArvo);
    QCOMPARE(m_settings->Fgstnr, QStringLiteral("M012345"));
    QCOMPARE(m_settings->TypSchl, QStringLiteral("7A01"));
    QCOMPARE(m_settings->LeadTyp, QStringLiteral("1101"));
    QCOMPARE(m_settings->Bestellnr, QStringLiteral("VQF40DE"));
    QCOMPARE(m_settings->ZusatzCode, QStringLiteral("A"));
    QCOMPARE(m_settings->Marke, QStringLiteral("VQ"));
    QCOMPARE(m_dlg->TypeKeyEdit()->text(), QStringLiteral("7A01"));
    QCOMPARE(m_env->boxes().size(), 0);

    typeVin(kVinBento);
    QCOMPARE(m_settings->TypSchl, QStringLiteral("7B01"));
    QCOMPARE(m_settings->EReihe, QStringLiteral("B20"));
    QCOMPARE(m_settings->Bestellnr, QStringLiteral("VQB20DE"));
}

void TestVinIdent::fieldsWrittenByCodeDoNotIdentify()
{
    startWindow();
    m_dlg->VinEdit()->setText(kVinArvo);
    m_dlg->TypeKeyEdit()->setText(QStringLiteral("7B01"));
    QCOMPARE(m_settings->TypSchl, QString());
    QCOMPARE(m_settings->FgstnrFull, QString());
}

void TestVinIdent::typedTypeKeyIdentifies()
{
    startWindow();
    QTest::keyClicks(m_dlg->TypeKeyEdit(), QStringLiteral("7b01"));
    QCOMPARE(m_dlg->TypeKeyEdit()->text(), QStringLiteral("7B01"));
    QCOMPARE(m_settings->TypSchl, QStringLiteral("7B01"));
    QCOMPARE(m_settings->LeadTyp, QStringLiteral("2201"));
    QCOMPARE(m_settings->Bestellnr, QStringLiteral("VQB20DE"));
    QCOMPARE(m_settings->Fgstnr, QString());
}

void TestVinIdent::headRowShowsTheIdentifiedModel_data()
{
    QTest::addColumn<int>("catalogueView");
    QTest::addColumn<QString>("vin");
    QTest::addColumn<QString>("typeKey");
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("leadType");
    // clang-format off
    QTest::newRow("vin of the first model of its series") << 0 << kVinArvo << QString() << "Arvo 1.6" << "1101";
    QTest::newRow("vin of a later model of its series") << 0 << "XVQ1F23A57M112345" << QString() << "Arvo 2.0" << "1102";
    QTest::newRow("type key of a later model of its series") << 0 << QString() << "7A02" << "Arvo 2.0" << "1102";
    QTest::newRow("type key of a later model, catalogue view") << 1 << QString() << "7A02" << "Arvo 2.0" << "1102";
    QTest::newRow("type key of a series with one model") << 0 << QString() << "7B01" << "Bento" << "2201";
    // clang-format on
}

void TestVinIdent::headRowShowsTheIdentifiedModel()
{
    QFETCH(QString, vin);
    QFETCH(QString, typeKey);
    QFETCH(QString, model);
    QFETCH(QString, leadType);
    QFETCH(int, catalogueView);
    startWindow();
    m_settings->bKatalogansicht = catalogueView;
    if (!vin.isEmpty())
        typeVin(vin);
    else
        QTest::keyClicks(m_dlg->TypeKeyEdit(), typeKey);
    QCOMPARE(m_settings->ModellBez, model);
    QCOMPARE(m_settings->LeadTyp, leadType);
    // The combos show the vehicle the settings hold, not merely their first item.
    QCOMPARE(m_dlg->findChild<QComboBox *>(QStringLiteral("modelCombo"))->currentText(), model);
    QCOMPARE(m_dlg->GetLeadTypeCombo()->currentText(), leadType);
}

void TestVinIdent::refusedChangeKeepsThePreviousVehicle()
{
    startWindow();
    typeVin(kVinArvo);
    QCOMPARE(m_settings->TypSchl, QStringLiteral("7A01"));
    QCOMPARE(m_settings->nVertrag, 1);
    // A basket with entries asks before the vehicle changes.
    m_dlg->SetBasketQuestion([this] {
        return OwnMsgBox(OrmelText(4045), m_dlg.get(), kMsgBoxTitle, MSG_ALIGN_LEFT, MB_YESNO) ==
                       IDYES
                   ? 0
                   : 1;
    });
    m_env->answerBoxes(IDNO);
    typeVin(kVinBento);
    QCOMPARE(m_env->boxes().size(), 1);
    QCOMPARE(m_env->boxes().first().text, OrmelText(4045));
    QCOMPARE(m_settings->FgstnrFull, kVinArvo);
    QCOMPARE(m_settings->Fgstnr, QStringLiteral("M012345"));
    QCOMPARE(m_settings->TypSchl, QStringLiteral("7A01"));
    QCOMPARE(m_settings->LeadTyp, QStringLiteral("1101"));
    QCOMPARE(m_settings->EReihe, QStringLiteral("F40"));
    QCOMPARE(m_dlg->VinEdit()->text(), kVinArvo);
    QCOMPARE(m_dlg->TypeKeyEdit()->text(), QStringLiteral("7A01"));
    QVERIFY(!m_dlg->Basket()->VehicleChanged());
    // The kept vehicle keeps its inclusive-service contract.
    QCOMPARE(m_settings->nVertrag, 1);
    QVERIFY(!m_settings->VertragText1.isEmpty());

    // Yes takes the new vehicle.
    m_env->answerBoxes(IDYES);
    typeVin(kVinBento);
    QCOMPARE(m_settings->TypSchl, QStringLiteral("7B01"));
    QCOMPARE(m_settings->FgstnrFull, kVinBento);
}

void TestVinIdent::refusedChangeShowsTheFirstRegistrationAgain()
{
    startWindow();
    typeVin(kVinArvo);
    const QString date = QStringLiteral("01.02.2020");
    QLineEdit *firstRegistration =
        m_dlg->findChild<QLineEdit *>(QStringLiteral("firstRegistrationEdit"));
    QVERIFY(firstRegistration);
    firstRegistration->setText(date);
    m_settings->Erstzulassung = date;
    // Choosing another model by hand takes the vehicle out; the basket keeps it.
    m_dlg->SetBasketQuestion([] { return 1; });
    QComboBox *model = m_dlg->findChild<QComboBox *>(QStringLiteral("modelCombo"));
    model->setCurrentIndex(model->findText(QStringLiteral("Arvo 2.0")));
    QVERIFY(model->currentIndex() >= 0);
    // Its two lead types open the lead-type list (the offscreen platform
    // cannot raise it).
    if (QGuiApplication::platformName() == QLatin1String("offscreen")) {
        QTest::ignoreMessage(QtWarningMsg, "This plugin does not support raise()");
        QTest::ignoreMessage(QtWarningMsg, "This plugin does not support grabbing the keyboard");
    }
    emit model->activated(model->currentIndex());
    m_dlg->GetLeadTypeCombo()->hidePopup();
    QCOMPARE(m_settings->FgstnrFull, kVinArvo);
    QCOMPARE(m_settings->ModellBez, QStringLiteral("Arvo 1.6"));
    QCOMPARE(m_settings->Erstzulassung, date);
    // The head row shows the kept vehicle with its first registration.
    QCOMPARE(model->currentText(), QStringLiteral("Arvo 1.6"));
    QCOMPARE(firstRegistration->text(), date);
}

void TestVinIdent::vinFieldShowsTheVehicle_data()
{
    QTest::addColumn<QString>("fullVin");
    QTest::addColumn<QString>("shortVin");
    QTest::addColumn<QString>("typeKey");
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("shows");
    // clang-format off
    QTest::newRow("the identified vin")                  << kVinArvo   << "M012345" << "7A01" << kVinArvo           << true;
    QTest::newRow("its last character deleted")          << kVinArvo   << "M012345" << "7A01" << kVinArvo.left(16)  << false;
    QTest::newRow("another vin")                         << kVinArvo   << "M012345" << "7A01" << kVinBento          << false;
    QTest::newRow("its short vin alone")                 << kVinArvo   << "M012345" << "7A01" << "M012345"          << false;
    QTest::newRow("the seven characters of the start")   << QString()  << "M012345" << ""     << "M012345"          << true;
    QTest::newRow("the start's vin cut short")           << QString()  << "M012345" << ""     << "M01234"           << false;
    QTest::newRow("an empty field and no vehicle")       << QString()  << ""        << ""     << ""                 << true;
    QTest::newRow("a vin typed over a type-key vehicle") << QString()  << ""        << "7A02" << "X"                << false;
    QTest::newRow("an emptied field, type-key vehicle")  << QString()  << ""        << "7A02" << ""                 << false;
    // clang-format on
}

void TestVinIdent::vinFieldShowsTheVehicle()
{
    QFETCH(QString, fullVin);
    QFETCH(QString, shortVin);
    QFETCH(QString, typeKey);
    QFETCH(QString, field);
    CPrgSettings s;
    s.FgstnrFull = fullVin;
    s.Fgstnr = shortVin;
    s.TypSchl = typeKey;
    QTEST(CPendingIdent::VinFieldShowsVehicle(s, field), "shows");
}

void TestVinIdent::blockedVehiclesLeaveTheSettings_data()
{
    QTest::addColumn<QStringList>("dealer");
    QTest::addColumn<QString>("vin");
    QTest::addColumn<int>("message"); // 0: none
    // clang-format off
    QTest::newRow("vehicle of blocked brand")             << QStringList()       << kVinTremik          << 4014;
    QTest::newRow("brand outside the dealer's contracts") << QStringList{"lumo"} << kVinBento           << 4010;
    QTest::newRow("unknown vehicle")                      << QStringList()       << "XVQ1Z99A57M012345" << 4014;
    QTest::newRow("malformed vin")                        << QStringList()       << "XVQ1F23A57I012345" << 4014;
    QTest::newRow("vin of 16 characters")                 << QStringList()       << kVinArvo.left(16)   << 0;
    QTest::newRow("vin of 9 characters")                  << QStringList()       << kVinArvo.right(9)   << 0;
    // clang-format on
}

void TestVinIdent::blockedVehiclesLeaveTheSettings()
{
    QFETCH(QStringList, dealer);
    QFETCH(QString, vin);
    QFETCH(int, message);
    startWindow();
    typeVin(kVinArvo);
    QCOMPARE(m_settings->TypSchl, QStringLiteral("7A01"));
    QTest::keyClicks(m_dlg->findChild<QLineEdit *>(QStringLiteral("mileageEdit")),
                     QStringLiteral("45000"));
    m_settings->bCustomerSpecificPrice = 1;
    m_settings->bMeldungCustomerSP = 0;
    m_dlg->SetCustomerSpecificPrice();
    QVERIFY(contractButtonColoured());
    m_dlg->ShowPage(kPageAwKat);
    m_dlg->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_dlg.get(), YaqTest::kHangMs));
    m_settings->DealerList = dealer;
    m_env->answerBoxes(IDOK);
    m_dlg->VinEdit()->setFocus();
    typeVin(vin);
    QCOMPARE(m_env->boxes().size(), message ? 1 : 0);
    if (message)
        QCOMPARE(m_env->boxes().first().text, OrmelText(message));
    // Nothing goes on with the previous vehicle: no VIN, type key,
    // contract, customer prices or hand-entered fields.
    QCOMPARE(m_settings->FgstnrFull, QString());
    QCOMPARE(m_settings->Fgstnr, QString());
    QCOMPARE(m_settings->TypSchl, QString());
    QCOMPARE(m_settings->ZusatzCode, QString());
    QCOMPARE(m_settings->nVertrag, 0);
    QCOMPARE(m_settings->VertragText1, QString());
    QCOMPARE(m_settings->bCustomerSpecificPrice, 0);
    QVERIFY(!m_dlg->IsCustomerPriceBlinking());
    QCOMPARE(m_settings->Kilometer, QString());
    // The catalogue shown stays.
    QCOMPARE(m_settings->Bestellnr, QStringLiteral("VQF40DE"));
    QCOMPARE(m_settings->LeadTyp, QStringLiteral("1101"));
    // The head row shows what the settings hold; the typed VIN stays to be
    // corrected, selected when it was refused.
    QCOMPARE(m_dlg->TypeKeyEdit()->text(), QString());
    QCOMPARE(m_dlg->findChild<QLineEdit *>(QStringLiteral("mileageEdit"))->text(), QString());
    QVERIFY(!m_dlg->findChild<QLineEdit *>(QStringLiteral("mileageEdit"))->isEnabled());
    QVERIFY(!contractButtonColoured());
    QCOMPARE(m_dlg->VinEdit()->text(), vin);
    if (message)
        QCOMPARE(m_dlg->VinEdit()->selectedText(), vin);

    // The head row names the catalogue kept, and the labour-value page
    // shows that catalogue: every group it shows opens. It follows a VIN
    // refused at once, one being typed when the adviser leaves the field.
    if (!message) {
        m_dlg->TypeKeyEdit()->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
    }
    auto *series = m_dlg->findChild<QComboBox *>(QStringLiteral("modelSeriesCombo"));
    QCOMPARE(series->currentIndex(), m_dlg->HeadRow().SeriesIndex(m_settings->EReihe));
    QCOMPARE(m_dlg->findChild<QComboBox *>(QStringLiteral("modelCombo"))->currentText(),
             m_settings->ModellBez);
    QCOMPARE(m_dlg->GetLeadTypeCombo()->currentText(), m_settings->LeadTyp);
    QVERIFY(m_dlg->windowTitle().startsWith(m_settings->DlgTitel));
    QVERIFY(m_settings->DlgTitel.contains(m_settings->EReihe));
    QCOMPARE(m_dlg->CurrentPage(), int(kPageAwKat));
    CAwKatWalk *walk = m_dlg->Page<CAwKatDlg>()->Walk();
    const std::vector<CAwKatRow *> groups = walk->Shown();
    for (CAwKatRow *group : groups) {
        const QString number = group->Number;
        walk->Open(group);
        QVERIFY2(walk->ShownLevel() > AW_MAIN_GROUP, qPrintable(number));
        walk->Back();
        while (walk->ShownLevel() > AW_MAIN_GROUP)
            walk->Back();
    }
}

void TestVinIdent::typingOverTheVehicleKeepsTheVinField_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("leaveMessage"); // the page's, once it follows; 0: none
    // clang-format off
    QTest::newRow("home page")              << int(kPageHome)      << 0;
    QTest::newRow("number search")          << int(kPageNrAbfrage) << 0;
    QTest::newRow("package list")           << int(kPageSRPWl)     << 6080;
    QTest::newRow("labour-value catalogue") << int(kPageAwKat)     << 0;
    QTest::newRow("contract page")          << int(kPageHLX)       << 0;
    // clang-format on
}

void TestVinIdent::typingOverTheVehicleKeepsTheVinField()
{
    QFETCH(int, page);
    QFETCH(int, leaveMessage);
    startWindow();
    typeVin(kVinArvo2);
    m_dlg->ShowPage(page);
    QCOMPARE(m_dlg->CurrentPage(), page);
    m_dlg->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_dlg.get(), YaqTest::kHangMs));
    m_env->answerBoxes(IDOK);
    const int boxes = int(m_env->boxes().size());
    QLineEdit *vin = m_dlg->VinEdit();
    vin->setFocus();
    vin->selectAll();
    // The first character takes the vehicle out; the visible page waits
    // while the adviser goes on typing in the VIN field.
    QTest::keyClicks(vin, kVinArvo.left(4));
    QCOMPARE(m_settings->FgstnrFull, QString());
    QCOMPARE(vin->text(), kVinArvo.left(4));
    QVERIFY(vin->hasFocus());
    QCOMPARE(m_env->boxes().size(), boxes);
    QTest::keyClicks(vin, kVinArvo.mid(4));
    QCOMPARE(m_settings->FgstnrFull, kVinArvo);
    QCOMPARE(m_env->boxes().size(), boxes);

    // Leaving a VIN cut short: the page follows the vehicle taken out.
    vin->setFocus();
    vin->selectAll();
    QTest::keyClicks(vin, kVinArvo.left(4));
    QCOMPARE(m_env->boxes().size(), boxes);
    m_dlg->TypeKeyEdit()->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    QCOMPARE(m_env->boxes().size(), boxes + (leaveMessage ? 1 : 0));
    if (leaveMessage)
        QCOMPARE(m_env->boxes().last().text, OrmelText(leaveMessage));
}

void TestVinIdent::vehicleFieldsFollowTheHeadRule_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>(
        "then");                    // typed in turn, separated by "|"; the basket keeps the vehicle
    QTest::addColumn<bool>("kept"); // the first vehicle stays
    QTest::addColumn<bool>("open");
    // clang-format off
    QTest::newRow("vin: the fields belong to the vehicle")        << kVinArvo << QString()                                    << true  << true;
    QTest::newRow("type key: the fields stay locked")             << "7A02"   << QString()                                    << true  << false;
    QTest::newRow("type-key vehicle kept by the basket")          << "7A02"   << kVinArvo                                     << true  << false;
    QTest::newRow("an unknown vin takes the vehicle out")         << kVinArvo << "XVQ1Z99A57M012345"                          << false << false;
    QTest::newRow("a malformed vin takes the vehicle out")        << kVinArvo << "XVQ1F23A57I012345"                          << false << false;
    QTest::newRow("vin vehicle kept by the basket")               << kVinArvo << kVinBento                                    << true  << true;
    QTest::newRow("after a slip its vin typed again")             << kVinArvo << "XVQ1Z99A57M012345|" + kVinArvo              << true  << true;
    QTest::newRow("after a slip another vin kept by the basket")  << kVinArvo << "XVQ1Z99A57M012345|" + kVinBento             << true  << true;
    // clang-format on
}

void TestVinIdent::vehicleFieldsFollowTheHeadRule()
{
    QFETCH(QString, first);
    QFETCH(QString, then);
    QFETCH(bool, kept);
    QFETCH(bool, open);
    startWindow();
    identify(first);
    QList<QLineEdit *> fields;
    for (const char *name : {"firstRegistrationEdit", "plateEdit", "mileageEdit"})
        fields << m_dlg->findChild<QLineEdit *>(QLatin1String(name));
    QLineEdit *mileage = fields.last();
    // What the adviser typed for the vehicle stays with it when a new VIN is
    // refused: the first keystroke of that VIN must not lose it.
    const QString plate = open ? QStringLiteral("XQ-Z 7") : QString();
    if (open) {
        QTest::keyClicks(mileage, QStringLiteral("45000"));
        QTest::keyClicks(fields.at(1), plate);
    }
    if (!then.isEmpty()) {
        m_dlg->SetBasketQuestion([] { return 1; });
        m_env->answerBoxes(IDOK);
        for (const QString &next : then.split(QLatin1Char('|')))
            identify(next);
        const QString typeKey = first.size() == 4 ? first : QStringLiteral("7A01");
        QCOMPARE(m_settings->TypSchl, kept ? typeKey : QString());
        QCOMPARE(fields.at(1)->text(), kept ? plate : QString());
    }
    for (QLineEdit *field : std::as_const(fields))
        QVERIFY2(field->isEnabled() == open, qPrintable(field->objectName()));

    // A page switch applies the same rule: what was typed stays.
    m_dlg->HeadButton(kBtnSearch)->click();
    QCOMPARE(m_dlg->VisiblePage(), static_cast<QWidget *>(m_dlg->Page<CNrAbfrageDlg>()));
    for (QLineEdit *field : std::as_const(fields))
        QVERIFY2(field->isEnabled() == open, qPrintable(field->objectName()));
    const QString typed = open ? QStringLiteral("45000") : QString();
    QCOMPARE(mileage->text(), typed);
    QCOMPARE(m_settings->Kilometer, typed);
}

void TestVinIdent::vehicleChangeQuestion_data()
{
    QTest::addColumn<QString>("vin");
    QTest::addColumn<bool>("asked");
    // clang-format off
    QTest::newRow("another vehicle: the basket is asked") << kVinBento << true;
    QTest::newRow("the same vin again: nothing to ask")   << kVinArvo  << false;
    // clang-format on
}

void TestVinIdent::vehicleChangeQuestion()
{
    QFETCH(QString, vin);
    QFETCH(bool, asked);
    startWindow();
    typeVin(kVinArvo);
    int questions = 0;
    m_dlg->SetBasketQuestion([&questions] {
        ++questions;
        return 0; // go on with the new vehicle
    });
    typeVin(vin);
    QCOMPARE(questions, asked ? 1 : 0);
    QCOMPARE(m_settings->FgstnrFull, vin);
}

// What the search, the DMS and the start say happens, and what a reset of
// the vehicle fields, the first-registration look-up and the basket's
// question then do. Steps: S a search result arrives, s it is taken, D the
// DMS's push is confirmed, d its request is done, F/M first registration /
// mileage given at start, I the start vehicle identified.
void TestVinIdent::holdsOfTheVehicleFields_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<bool>("bringsFields");
    QTest::addColumn<bool>("keepsFirstRegistration");
    QTest::addColumn<bool>("keepsMileage");
    QTest::addColumn<bool>("asksBasket");
    // clang-format off
    QTest::newRow("nothing held")                            << ""   << false << false << false << true;
    QTest::newRow("search result: fields kept, basket asked") << "S"  << true  << true  << true  << true;
    QTest::newRow("search result taken")                     << "Ss" << false << false << false << true;
    QTest::newRow("vehicle of the DMS: basket not asked")    << "D"  << true  << true  << true  << false;
    QTest::newRow("request of the DMS done")                 << "Dd" << false << false << false << true;
    QTest::newRow("first registration given at start")       << "F"  << false << true  << false << true;
    QTest::newRow("mileage given at start")                  << "M"  << false << false << true  << true;
    QTest::newRow("start vehicle identified")                << "FMI" << false << false << false << true;
    QTest::newRow("search result outlives the start values") << "SFI" << true  << true  << true  << true;
    // clang-format on
}

void TestVinIdent::holdsOfTheVehicleFields()
{
    QFETCH(QString, steps);
    CVehicleHolds holds;
    for (const QChar step : std::as_const(steps)) {
        switch (step.toLatin1()) {
        case 'S':
            holds.SearchResultArrives();
            break;
        case 's':
            holds.SearchResultTaken();
            break;
        case 'D':
            holds.DmsVehicleConfirmed();
            break;
        case 'd':
            holds.DmsRequestDone();
            break;
        case 'F':
            holds.GivenAtStart(true, false);
            break;
        case 'M':
            holds.GivenAtStart(false, true);
            break;
        case 'I':
            holds.StartVehicleIdentified();
            break;
        default:
            QFAIL("unknown step");
        }
    }
    QTEST(holds.VehicleBringsFields(), "bringsFields");
    QTEST(holds.KeepsFirstRegistration(), "keepsFirstRegistration");
    QTEST(holds.KeepsMileage(), "keepsMileage");
    QTEST(holds.AsksBasket(), "asksBasket");
}

// The identification holds the fields by where a vehicle comes from: while
// it is identified, the date typed for the vehicle shown stays for one that
// brings its own fields, and the basket is asked unless the adviser
// answered the DMS's question already.
void TestVinIdent::handedInVehicleHoldsByOrigin_data()
{
    QTest::addColumn<int>("origin");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("dateKept");
    // clang-format off
    QTest::newRow("typed: date anew, basket asked")          << int(CGivenVehicle::Typed)  << true  << false;
    QTest::newRow("start: date anew, basket asked")          << int(CGivenVehicle::Start)  << true  << false;
    QTest::newRow("search result: date kept, basket asked")  << int(CGivenVehicle::Search) << true  << true;
    QTest::newRow("taken from the DMS: date kept, not asked") << int(CGivenVehicle::DmsNew) << false << true;
    // clang-format on
}

void TestVinIdent::handedInVehicleHoldsByOrigin()
{
    QFETCH(int, origin);
    QFETCH(bool, asked);
    QFETCH(bool, dateKept);
    startWindow();
    typeVin(kVinArvo);
    auto *date = m_dlg->findChild<QLineEdit *>(QStringLiteral("dateEdit"));
    QVERIFY(date);
    const QString typed = QStringLiteral("01.02.2020");
    date->setText(typed);
    int questions = 0;
    m_dlg->SetBasketQuestion([&questions] {
        ++questions;
        return 0;
    });
    CGivenVehicle vehicle;
    vehicle.origin = CGivenVehicle::Origin(origin);
    vehicle.vin = kVinBento;
    if (vehicle.origin == CGivenVehicle::Typed)
        typeVin(kVinBento);
    else
        QVERIFY(m_dlg->Identify(vehicle));
    QCOMPARE(m_settings->FgstnrFull, kVinBento);
    QCOMPARE(m_dlg->VinEdit()->text(), kVinBento);
    QCOMPARE(questions, asked ? 1 : 0);
    QCOMPARE(date->text() == typed, dateKept);
}

void TestVinIdent::incompleteVinStartsTheTimer()
{
    startWindow();
    typeVin(QStringLiteral("M01234"));
    QVERIFY(!m_dlg->IsIncompleteVinTimerActive());
    QTest::keyClicks(m_dlg->VinEdit(), QStringLiteral("5"));
    QVERIFY(m_dlg->IsIncompleteVinTimerActive());
    QTest::keyClicks(m_dlg->VinEdit(), QStringLiteral("678"));
    QVERIFY(!m_dlg->IsIncompleteVinTimerActive());
    QCOMPARE(m_settings->TypSchl, QString());
}

void TestVinIdent::incompleteVinNotice_data()
{
    QTest::addColumn<QString>("vin");
    QTest::addColumn<bool>("notice");
    // clang-format off
    QTest::newRow("six characters")   << "M01234"    << false;
    QTest::newRow("seven characters") << "M012345"   << true;
    QTest::newRow("eight characters") << "AM012345"  << true;
    QTest::newRow("nine characters")  << "1AM012345" << false;
    // clang-format on
}

void TestVinIdent::incompleteVinNotice()
{
    QFETCH(QString, vin);
    QFETCH(bool, notice);
    startWindow();
    QTimer *pause = m_dlg->findChild<QTimer *>(QStringLiteral("incompleteVinTimer"));
    QVERIFY(pause);
    typeVin(vin);
    // The notice waits for a pause of two seconds after the last change.
    QCOMPARE(pause->isActive(), notice);
    QCOMPARE(pause->interval(), 2000);
    QCOMPARE(m_env->boxes().size(), 0);
    // The pause, shortened for the test, runs out.
    pause->setInterval(1);
    YAQ_TRY_VERIFY(!pause->isActive());
    QCOMPARE(m_env->boxes().size(), notice ? 1 : 0);
    if (notice)
        QCOMPARE(m_env->boxes().first().text, OrmelText(7030));
}

void TestVinIdent::aChangeRestartsTheIncompleteVinPause_data()
{
    QTest::addColumn<QString>("vin");
    QTest::addColumn<bool>("backspace"); // else one more character
    // clang-format off
    QTest::newRow("seventh to eighth character") << "M012345"  << false;
    QTest::newRow("eighth back to seventh")      << "AM012345" << true;
    // clang-format on
}

void TestVinIdent::aChangeRestartsTheIncompleteVinPause()
{
    QFETCH(QString, vin);
    QFETCH(bool, backspace);
    startWindow();
    QTimer *pause = m_dlg->findChild<QTimer *>(QStringLiteral("incompleteVinTimer"));
    QVERIFY(pause);
    typeVin(vin);
    QVERIFY(pause->isActive());
    // Each stop and start of the pause, read off the timer, not the clock.
    int stopsAndStarts = 0;
    const QPropertyNotifier counted =
        pause->bindableActive().addNotifier([&stopsAndStarts] { ++stopsAndStarts; });
    if (backspace)
        QTest::keyClick(m_dlg->VinEdit(), Qt::Key_Backspace);
    else
        QTest::keyClicks(m_dlg->VinEdit(), QStringLiteral("6"));
    // Stopped and started again: the two seconds count from this change.
    QCOMPARE(stopsAndStarts, 2);
    QVERIFY(pause->isActive());
    QCOMPARE(m_env->boxes().size(), 0);
}

void TestVinIdent::seriesWithSeveralCataloguesOpensThePicker()
{
    startWindow();
    typeVin(kVinArvo);
    QCOMPARE(m_settings->Bestellnr, QStringLiteral("VQF40DE"));
    int offered = -1;
    int preselected = -1;
    CKatAuswahlDlg::SetRunner([&](CKatAuswahlDlg &picker) {
        offered = picker.RowCount();
        preselected = picker.SelectedRow();
        picker.SelectRow(1);
        picker.OnOK();
        return int(picker.result());
    });
    QComboBox *series = m_dlg->findChild<QComboBox *>(QStringLiteral("modelSeriesCombo"));
    QVERIFY(series);
    const int f40 = m_dlg->HeadRow().SeriesIndex(QStringLiteral("F40"));
    QVERIFY(f40 >= 0);
    series->setCurrentIndex(f40);
    emit series->activated(f40);
    QCOMPARE(offered, 2);
    QCOMPARE(preselected, 0);
    QCOMPARE(m_settings->Bestellnr, QStringLiteral("VQF40GB"));
    QCOMPARE(m_settings->Land, QStringLiteral("GB"));
    // Another catalogue: the vehicle is taken out of the head row.
    QCOMPARE(m_settings->TypSchl, QString());
    QCOMPARE(series->currentIndex(), f40);

    // A series with one catalogue is taken without the picker.
    offered = -1;
    const int b20 = m_dlg->HeadRow().SeriesIndex(QStringLiteral("B20"));
    series->setCurrentIndex(b20);
    emit series->activated(b20);
    QCOMPARE(offered, -1);
    QCOMPARE(m_settings->Bestellnr, QStringLiteral("VQB20DE"));
}

void TestVinIdent::fullVinDialogTakesCapitals()
{
    CSelVin7TypschlDlg dlg(QStringLiteral("M012345"));
    QPushButton *ok = dlg.findChild<QPushButton *>(QStringLiteral("okButton"));
    QVERIFY(ok);
    QTest::keyClicks(dlg.VinEdit(), kVinArvo.left(16).toLower());
    QVERIFY(!ok->isEnabled());
    dlg.OnOK();
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    QTest::keyClicks(dlg.VinEdit(), QStringLiteral("5"));
    QVERIFY(ok->isEnabled());
    dlg.OnOK();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(dlg.GetVin(), kVinArvo);
}

YAQ_TEST_MAIN(TestVinIdent)
#include "tst_vinident.moc"
