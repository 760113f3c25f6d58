// Vehicle identification: the VIN format rules, the VIN and type-key look-up
// on the demo catalogue (server and local data-set reads), the catalogue
// step, the pending identification, and the head row of the main window.

#include "app/EReiheEntry.h"
#include "app/KatAuswahlDlg.h"
#include "app/ModelMapping.h"
#include "app/PendingIdent.h"
#include "app/SelVin7TypschlDlg.h"
#include "app/VehicleIdent.h"
#include "app/VinCheck.h"
#include "app/Yaq2App.h"
#include "app/Yaq2Dlg.h"
#include "settings/PrgSettings.h"
#include "basket/WkDlg.h"
#include "catalogues/AwKatDlg.h"
#include "catalogues/BfndDlg.h"
#include "catalogues/NrAbfrageDlg.h"
#include "catalogues/SBLWlDlg.h"
#include "common/OwnButton.h"
#include "packages/DIPDlg.h"
#include "packages/HLXDlg.h"
#include "packages/SRPBbDlg.h"
#include "packages/SRPWlDlg.h"
#include "packages/SpotRBbDlg.h"
#include "platform/OrmelText.h"
#include "platform/db/YaqDb.h"
#include "setup/DownloadDlg.h"
#include "support/MainWindowTest.h"

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

std::unique_ptr<CYaqDb> OpenDemoDb()
{
    auto db = std::make_unique<CYaqDb>();
    if (!db->Open(QString(), QString(), QString(), 0, QStringLiteral(YAQ_DEMO_DATAS_DIR), QString(),
                  QString()))
        return nullptr;
    return db;
}
} // namespace

class TestVinIdent : public MainWindowTest
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void vinLookup_data();
    void vinLookup();
    void refusedVinsReadNothing();
    void typeKeyLookup_data();
    void typeKeyLookup();
    void catalogueStep_data();
    void catalogueStep();
    void modelNameFromTheMapping();
    void checkForTheVehicleSearch();
    void changeFlagsNameWhatDiffers();
    void clearedIdentificationKeepsTheCatalogueLine();

    void typedVinIdentifiesTheVehicle();
    void fieldsWrittenByCodeDoNotIdentify();
    void typedTypeKeyIdentifies();
    void headRowShowsTheIdentifiedModel_data();
    void headRowShowsTheIdentifiedModel();
    void refusedChangeKeepsThePreviousVehicle();
    void refusedChangeShowsTheFirstRegistrationAgain();
    void blockedVehiclesLeaveTheSettings_data();
    void blockedVehiclesLeaveTheSettings();
    void vehicleFieldsFollowTheHeadRule_data();
    void vehicleFieldsFollowTheHeadRule();
    void vehicleChangeQuestion_data();
    void vehicleChangeQuestion();
    void incompleteVinStartsTheTimer();
    void incompleteVinNotice_data();
    void incompleteVinNotice();
    void changeReachesTheDependentPages_data();
    void changeReachesTheDependentPages();
    void seriesWithSeveralCataloguesOpensThePicker();
    void fullVinDialogTakesCapitals();

private:
    void typeVin(const QString &vin);
    // Types a type key (four characters) or a VIN into its head-row field.
    void identify(const QString &typeKeyOrVin);
};

void TestVinIdent::init()
{
    FailOnUnexpectedWarnings();
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

// --- look-up ---------------------------------------------------------------

void TestVinIdent::vinLookup_data()
{
    QTest::addColumn<bool>("local");
    QTest::addColumn<QString>("vin");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("typeKey");
    QTest::addColumn<QString>("leadType");
    QTest::addColumn<QString>("series");
    for (const bool local : {false, true}) {
        const char *path = local ? "local data set: " : "server: ";
        auto row = [&](const char *name) {
            return &QTest::newRow(qPrintable(QString::fromLatin1(path) + QLatin1String(name)));
        };
        *row("ordinary vin") << local << kVinArvo << int(CVehicleIdent::VinFound) << "7A01"
                             << "1101"
                             << "F40";
        *row("second range of a type part")
            << local << "XVQ1F23A57M112345" << int(CVehicleIdent::VinFound) << "7A02"
            << "1102"
            << "F40";
        *row("special short vin") << local << kVinBento << int(CVehicleIdent::VinFound) << "7B01"
                                  << "2201"
                                  << "B20";
        *row("special short vin only in an ordinary range")
            << local << "XVQ2G45B680A12345" << int(CVehicleIdent::VinNotFound) << ""
            << ""
            << "";
        *row("vehicle of blocked brand")
            << local << kVinTremik << int(CVehicleIdent::VinNotFound) << ""
            << ""
            << "";
        *row("beyond the last range")
            << local << "XVQ1F23A57M212345" << int(CVehicleIdent::VinNotFound) << ""
            << ""
            << "";
        *row("unknown type part") << local << "XVQ1Z99A57M012345" << int(CVehicleIdent::VinNotFound)
                                  << ""
                                  << ""
                                  << "";
    }
}

void TestVinIdent::vinLookup()
{
    QFETCH(bool, local);
    QFETCH(QString, vin);
    QFETCH(int, result);
    QFETCH(QString, typeKey);
    QFETCH(QString, leadType);
    QFETCH(QString, series);
    auto db = OpenDemoDb();
    QVERIFY(db);
    CVehicleIdent ident(db.get(), QStringList(), nullptr);
    CPendingIdent pending;
    QCOMPARE(int(ident.LookupVin(vin, local, pending)), result);
    QCOMPARE(pending.strTypSchl, typeKey);
    QCOMPARE(pending.strLTyp, leadType);
    QCOMPARE(pending.strEReihe, series);
    QCOMPARE(pending.strFgstnrFull, result == CVehicleIdent::VinFound ? vin : QString());
}

void TestVinIdent::refusedVinsReadNothing()
{
    const struct
    {
        const char *vin;
        const char *why;
    } refused[] = {
        {"XVQ1F23A57O012345", "letter O first in the serial part"},
        {"XVQ1F23A57MI12345", "letter I second in the serial part"},
        {"XVQ1F23A57Q012345", "letter Q first in the serial part"},
        {"XVQ1F23A57M01234X", "letter in the last five"},
        {"XVQ1F23A57M0 2345", "blank in the last five"},
        {"XVQ1F23A57M01234", "sixteen characters"},
    };
    auto db = OpenDemoDb();
    QVERIFY(db);
    for (const auto &r : refused) {
        CVehicleIdent ident(db.get(), QStringList(), nullptr);
        CPendingIdent pending;
        QCOMPARE(int(ident.LookupVin(QString::fromLatin1(r.vin), false, pending)),
                 int(CVehicleIdent::VinMalformed));
        QCOMPARE(ident.Reads(), 0);
    }
    // I, O and Q elsewhere are not the serial part's concern.
    QVERIFY(
        CVinCheck::IsPlausibleShortVin(CVinCheck::ShortVin(QStringLiteral("QOI1F23A57M012345"))));
}

void TestVinIdent::typeKeyLookup_data()
{
    QTest::addColumn<QString>("typeKey");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("series");
    QTest::newRow("known type key") << "7B01" << int(CVehicleIdent::TypeKeyFound) << "B20";
    QTest::newRow("type of blocked brand") << "7T01" << int(CVehicleIdent::TypeKeyBlocked) << "";
    QTest::newRow("unknown type key") << "9Z99" << int(CVehicleIdent::TypeKeyNotFound) << "";
}

void TestVinIdent::typeKeyLookup()
{
    QFETCH(QString, typeKey);
    QFETCH(int, result);
    QFETCH(QString, series);
    auto db = OpenDemoDb();
    QVERIFY(db);
    CVehicleIdent ident(db.get(), QStringList(), nullptr);
    CPendingIdent pending;
    QCOMPARE(int(ident.LookupTypeKey(typeKey, pending)), result);
    QCOMPARE(pending.strEReihe, series);
}

void TestVinIdent::catalogueStep_data()
{
    QTest::addColumn<QString>("leadType");
    QTest::addColumn<QStringList>("dealer");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("typNr");
    QTest::addColumn<QString>("brand");
    QTest::addColumn<int>("altKatalog");
    QTest::newRow("column of the lead type")
        << "1101" << QStringList() << int(CVehicleIdent::CatalogueColumn) << "VQF40DE"
        << "VQ" << 0;
    QTest::newRow("dealer without contract for the brand")
        << "1101" << QStringList{"lumo"} << int(CVehicleIdent::CatalogueRefused) << "VQF40DE"
        << "VQ" << 0;
    QTest::newRow("alternative catalogue")
        << "4401" << QStringList() << int(CVehicleIdent::CatalogueAlternative) << "VQA40001"
        << "VQ" << 1;
    QTest::newRow("no column and no alternative")
        << "7777" << QStringList() << int(CVehicleIdent::CatalogueNone) << ""
        << "" << 0;
}

void TestVinIdent::catalogueStep()
{
    QFETCH(QString, leadType);
    QFETCH(QStringList, dealer);
    QFETCH(int, result);
    QFETCH(QString, typNr);
    QFETCH(QString, brand);
    QFETCH(int, altKatalog);
    auto db = OpenDemoDb();
    QVERIFY(db);
    CVehicleIdent ident(db.get(), dealer, nullptr);
    CPendingIdent pending;
    pending.strKatBstNr = QStringLiteral("1");
    pending.strLTyp = leadType;
    pending.strEReihe = leadType == QLatin1String("1101") ? QStringLiteral("F40") : QString();
    pending.strLand = QStringLiteral("DE");
    QCOMPARE(int(ident.CatalogueStep(pending)), result);
    QCOMPARE(pending.strTypNr, typNr);
    QCOMPARE(pending.strMarke, brand);
    QCOMPARE(pending.bAltKatalog, altKatalog);
    QCOMPARE(pending.bCleared, result == CVehicleIdent::CatalogueNone ? 1 : 0);
}

void TestVinIdent::modelNameFromTheMapping()
{
    QVERIFY(
        writeTextFile(m_env->path() + QStringLiteral("/ModelMapping00.txt"), "1101Arvo Comfort\n"));
    CModelMapping mapping;
    mapping.SetFolder(m_env->path() + QLatin1Char('/'));
    mapping.Load(QStringLiteral("00"));
    auto db = OpenDemoDb();
    QVERIFY(db);
    CVehicleIdent ident(db.get(), QStringList(), &mapping);
    for (const auto &[leadType, model] :
         {std::pair{"1101", "Arvo Comfort"}, std::pair{"1102", "Arvo 2.0"}}) {
        CPendingIdent pending;
        pending.strKatBstNr = QStringLiteral("1");
        pending.strLTyp = QString::fromLatin1(leadType);
        pending.strEReihe = QStringLiteral("F40");
        QCOMPARE(int(ident.CatalogueStep(pending)), int(CVehicleIdent::CatalogueColumn));
        QCOMPARE(pending.strModellBez, QString::fromLatin1(model));
    }
}

void TestVinIdent::checkForTheVehicleSearch()
{
    auto db = OpenDemoDb();
    QVERIFY(db);
    QCOMPARE(CheckFgstNr(nullptr, db.get(), kVinArvo), 1);
    QCOMPARE(CheckFgstNr(nullptr, db.get(), kVinBento), 1);
    QCOMPARE(CheckFgstNr(nullptr, db.get(), kVinTremik), 0);
    QCOMPARE(CheckFgstNr(nullptr, db.get(), QStringLiteral("M012345")), 0);
    QCOMPARE(CheckFgstNr(nullptr, nullptr, kVinArvo), 0);
}

void TestVinIdent::changeFlagsNameWhatDiffers()
{
    CIdentSnapshot a;
    a.strFgstnr = QStringLiteral("M012345");
    a.strTypSchl = QStringLiteral("7A01");
    a.strEReihe = QStringLiteral("F40");
    CIdentSnapshot b = a;
    QCOMPARE(CIdentSnapshot::Changes(a, b).bIdent, 0);
    b.strLTyp = QStringLiteral("1102");
    b.strModellBez = QStringLiteral("Arvo 2.0");
    const CChangeFlags c = CIdentSnapshot::Changes(a, b);
    QCOMPARE(c.bIdent, 1);
    QCOMPARE(c.bLeadTyp, 1);
    QCOMPARE(c.bModellBez, 1);
    QCOMPARE(c.bFgstnr, 0);
    QCOMPARE(c.bTypSchl, 0);
    QCOMPARE(c.bEReihe, 0);
}

void TestVinIdent::clearedIdentificationKeepsTheCatalogueLine()
{
    CPrgSettings s;
    s.Fgstnr = QStringLiteral("M012345");
    s.FgstnrFull = kVinArvo;
    s.TypSchl = QStringLiteral("7A01");
    s.LeadTyp = QStringLiteral("1101");
    s.ZusatzCode = QStringLiteral("A");
    s.Bestellnr = QStringLiteral("VQF40DE");
    s.EReihe = QStringLiteral("F40");
    s.bKatalogansicht = 0;
    CPendingIdent cleared;
    cleared.bCleared = 1;
    cleared.CommitTo(s);
    QCOMPARE(s.Fgstnr, QString());
    QCOMPARE(s.FgstnrFull, QString());
    QCOMPARE(s.TypSchl, QString());
    QCOMPARE(s.LeadTyp, QString());
    QCOMPARE(s.ZusatzCode, QString());
    QCOMPARE(s.ModellBez, QString());
    QCOMPARE(s.Bestellnr, QStringLiteral("VQF40DE"));
    QCOMPARE(s.EReihe, QStringLiteral("F40"));
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
    QTest::newRow("vin of the first model of its series")
        << 0 << kVinArvo << QString() << "Arvo 1.6"
        << "1101";
    QTest::newRow("vin of a later model of its series")
        << 0 << "XVQ1F23A57M112345" << QString() << "Arvo 2.0"
        << "1102";
    QTest::newRow("type key of a later model of its series") << 0 << QString() << "7A02"
                                                             << "Arvo 2.0"
                                                             << "1102";
    QTest::newRow("type key of a later model, catalogue view") << 1 << QString() << "7A02"
                                                               << "Arvo 2.0"
                                                               << "1102";
    QTest::newRow("type key of a series with one model") << 0 << QString() << "7B01"
                                                         << "Bento"
                                                         << "2201";
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
    QCOMPARE(m_dlg->WkPage()->m_bVehicleChanged, 0);
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

void TestVinIdent::blockedVehiclesLeaveTheSettings_data()
{
    QTest::addColumn<QStringList>("dealer");
    QTest::addColumn<QString>("vin");
    QTest::addColumn<int>("message");
    // clang-format off
    QTest::newRow("vehicle of blocked brand")             << QStringList()       << kVinTremik          << 4014;
    QTest::newRow("brand outside the dealer's contracts") << QStringList{"lumo"} << kVinBento           << 4010;
    QTest::newRow("unknown vehicle")                      << QStringList()       << "XVQ1Z99A57M012345" << 4014;
    QTest::newRow("malformed vin")                        << QStringList()       << "XVQ1F23A57I012345" << 4014;
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
    m_settings->DealerList = dealer;
    m_env->answerBoxes(IDOK);
    typeVin(vin);
    QCOMPARE(m_env->boxes().size(), 1);
    QCOMPARE(m_env->boxes().first().text, OrmelText(message));
    QCOMPARE(m_settings->FgstnrFull, kVinArvo);
    QCOMPARE(m_settings->TypSchl, QStringLiteral("7A01"));
    QCOMPARE(m_settings->Bestellnr, QStringLiteral("VQF40DE"));
    QCOMPARE(m_settings->Marke, QStringLiteral("VQ"));
    // The kept vehicle keeps its inclusive-service contract and the head row
    // shows it again; the refused VIN stays selected for correction.
    QCOMPARE(m_settings->nVertrag, 1);
    QCOMPARE(m_settings->VertragText1, QStringLiteral("HLX0100"));
    QCOMPARE(m_dlg->TypeKeyEdit()->text(), QStringLiteral("7A01"));
    QCOMPARE(m_dlg->findChild<QComboBox *>(QStringLiteral("modelCombo"))->currentText(),
             QStringLiteral("Arvo 1.6"));
    QCOMPARE(m_dlg->VinEdit()->selectedText(), vin);
}

void TestVinIdent::vehicleFieldsFollowTheHeadRule_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second"); // refused by the look-up or the basket
    QTest::addColumn<bool>("open");
    // clang-format off
    QTest::newRow("vin: the fields belong to the vehicle")  << kVinArvo << QString()           << true;
    QTest::newRow("type key: the fields stay locked")       << "7A02"   << QString()           << false;
    QTest::newRow("type-key vehicle kept by the basket")    << "7A02"   << kVinArvo            << false;
    QTest::newRow("vin vehicle kept after an unknown vin")  << kVinArvo << "XVQ1Z99A57M012345" << true;
    QTest::newRow("vin vehicle kept after a malformed vin") << kVinArvo << "XVQ1F23A57I012345" << true;
    // clang-format on
}

void TestVinIdent::vehicleFieldsFollowTheHeadRule()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(bool, open);
    startWindow();
    identify(first);
    if (!second.isEmpty()) {
        m_dlg->SetBasketQuestion([] { return 1; });
        identify(second);
        QCOMPARE(m_settings->TypSchl, first.size() == 4 ? first : QStringLiteral("7A01"));
    }
    QList<QLineEdit *> fields;
    for (const char *name : {"firstRegistrationEdit", "plateEdit", "mileageEdit"})
        fields << m_dlg->findChild<QLineEdit *>(QLatin1String(name));
    for (QLineEdit *field : std::as_const(fields))
        QVERIFY2(field->isEnabled() == open, qPrintable(field->objectName()));
    QLineEdit *mileage = fields.last();
    if (open)
        QTest::keyClicks(mileage, QStringLiteral("45000"));

    // A page switch applies the same rule: what was typed stays.
    m_dlg->HeadButton(kBtnSearch)->click();
    QCOMPARE(m_dlg->VisiblePage(), static_cast<QWidget *>(m_dlg->NrAbfragePage()));
    for (QLineEdit *field : std::as_const(fields))
        QVERIFY2(field->isEnabled() == open, qPrintable(field->objectName()));
    const QString typed = open ? QStringLiteral("45000") : QString();
    QCOMPARE(mileage->text(), typed);
    QCOMPARE(m_settings->Kilometer, typed);
}

void TestVinIdent::vehicleChangeQuestion_data()
{
    QTest::addColumn<int>("holdA");
    QTest::addColumn<int>("holdB");
    QTest::addColumn<QString>("vin");
    QTest::addColumn<bool>("asked");
    // clang-format off
    QTest::newRow("another vehicle: the basket is asked")       << 0 << 0 << kVinBento << true;
    QTest::newRow("the same vin again: nothing to ask")         << 0 << 0 << kVinArvo  << false;
    QTest::newRow("hold flag of the VIN handling: still asked") << 1 << 0 << kVinBento << true;
    QTest::newRow("vehicle taken from the DMS: never asked")    << 0 << 1 << kVinBento << false;
    // clang-format on
}

void TestVinIdent::vehicleChangeQuestion()
{
    QFETCH(int, holdA);
    QFETCH(int, holdB);
    QFETCH(QString, vin);
    QFETCH(bool, asked);
    startWindow();
    typeVin(kVinArvo);
    m_dlg->m_bHoldAllA = holdA;
    m_dlg->m_bHoldAllB = holdB;
    int questions = 0;
    m_dlg->SetBasketQuestion([&questions] {
        ++questions;
        return 0; // go on with the new vehicle
    });
    typeVin(vin);
    QCOMPARE(questions, asked ? 1 : 0);
    QCOMPARE(m_settings->FgstnrFull, vin);
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
    // The pause before the notice, shortened for the test.
    m_dlg->findChild<QTimer *>(QStringLiteral("incompleteVinTimer"))->setInterval(1);
    typeVin(vin);
    QTest::qWait(50);
    QCOMPARE(m_env->boxes().size(), notice ? 1 : 0);
    if (notice)
        QCOMPARE(m_env->boxes().first().text, OrmelText(7030));
}

void TestVinIdent::changeReachesTheDependentPages_data()
{
    QTest::addColumn<int>("which"); // 0 VIN, 1 language, 2 mileage
    QTest::newRow("vin changed") << 0;
    QTest::newRow("language changed") << 1;
    QTest::newRow("mileage changed") << 2;
}

void TestVinIdent::changeReachesTheDependentPages()
{
    QFETCH(int, which);
    startWindow();
    SetIdentChanged(m_dlg.get(), 0, which == 0, 0, 0, 0, 0, 0, 0, which == 1, which == 2, 0, 0, 0,
                    0);
    const QList<CPageDlg *> identPages = {
        m_dlg->NrAbfragePage(), m_dlg->SRPWlPage(), m_dlg->SRPBbPage(), m_dlg->SpotRBbPage(),
        m_dlg->BfndPage(),      m_dlg->AwKatPage(), m_dlg->SBLWlPage()};
    const QList<CPageDlg *> languagePages = {m_dlg->WkPage(), m_dlg->HLXPage(), m_dlg->DIPPage(),
                                             m_dlg->DownloadPage()};
    for (CPageDlg *page : identPages) {
        QCOMPARE(page->m_Changed.bFgstnr, which == 0 ? 1 : 0);
        QCOMPARE(page->m_Changed.bTypSchl, 0);
        QCOMPARE(page->m_Changed.bSprache, which == 1 ? 1 : 0);
        const bool keepsMileage = page == m_dlg->BfndPage() || page == m_dlg->SRPWlPage();
        QCOMPARE(page->m_Changed.bKilometer, which == 2 && keepsMileage ? 1 : 0);
    }
    for (CPageDlg *page : languagePages) {
        QCOMPARE(page->m_Changed.bFgstnr, 0);
        QCOMPARE(page->m_Changed.bSprache, which == 1 ? 1 : 0);
        QCOMPARE(page->m_Changed.bKilometer, 0);
    }
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
    const int f40 = m_dlg->FindModelSeries(QStringLiteral("F40"));
    QVERIFY(f40 >= 0);
    series->setCurrentIndex(f40);
    emit series->activated(f40);
    QCOMPARE(offered, 2);
    QCOMPARE(preselected, 0);
    QCOMPARE(m_settings->Bestellnr, QStringLiteral("VQF40GB"));
    QCOMPARE(m_settings->Land, QStringLiteral("GB"));
    // Another catalogue: the vehicle is taken out of the head row.
    QCOMPARE(m_settings->TypSchl, QString());
    QCOMPARE(series->currentIndex(), m_dlg->FindModelSeries(QStringLiteral("F40")));

    // A series with one catalogue is taken without the picker.
    offered = -1;
    const int b20 = m_dlg->FindModelSeries(QStringLiteral("B20"));
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

QTEST_MAIN(TestVinIdent)
#include "tst_vinident.moc"
