// The optional sub-package dialog: which lines a campaign fixes, what a
// double click in the sub-package does to the whole package, the question
// on leaving, the labour-value edit on the line the list shows, and on the
// demo catalogue the brake service whose optional sub-package holds one of
// its own: chosen in both dialogs, priced from the dealer's files and by
// the stand-in DMS; left by the keys, it gives the editing page the
// keyboard back.

#include "common/EditNrDlg.h"
#include "common/OwnButton.h"
#include "dms/DmsClient.h"
#include "dms/DmsFrame.h"
#include "dms/SoapReqSender.h"
#include "packages/SRPBbDlg.h"
#include "packages/SRPOptBearbDlg.h"
#include "packages/edit/OptionalPackageEdit.h"
#include "packages/edit/PackageLoader.h"
#include "packages/list/PackageRow.h"
#include "packages/model/Paket.h"
#include "packages/pricing/PackagePriceExchange.h"
#include "platform/DialogFocusReturn.h"
#include "platform/DmsNamespace.h"
#include "platform/HeldReturnFilter.h"
#include "platform/OrmelText.h"
#include "platform/db/YaqDb.h"
#include "settings/DmsHeader.h"
#include "settings/PrgSettings.h"
#include "support/CatalogueDbTest.h"
#include "support/HeldKey.h"
#include "support/NullPageHost.h"
#include "support/TestEnv.h"
#include "support/Waits.h"
#include "yaq2-dms/StandInDms.h"
#include "yaq2-dms/StandInPackagePrices.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

CPosition *Add(CPaket &paket, int type, const QString &number, const QString &kind,
               const QString &ref = QString())
{
    auto line = std::make_unique<CPosition>();
    line->Type = type;
    line->Number = number;
    line->Kind = kind;
    line->AwPosRef = ref;
    line->SetDiscountableFlag();
    return paket.AddPosition(std::move(line));
}

// The whole package: head and an optional sub-package 2000 whose package
// holds its head, a standard line, an optional line 2100 with its
// alternative 2101, a part fixed by its campaign and a nested optional
// sub-package 3000.
struct Sample
{
    CPaket whole;
    CPosition *sub = nullptr;
    CPosition *nested = nullptr;

    Sample()
    {
        Add(whole, POS_HEAD_CAMPAIGN, QStringLiteral("1000"), QString())->PriceCalcFlag = 1;
        sub = Add(whole, POS_SUBPACKAGE, QStringLiteral("2000"), QStringLiteral("OP"));
        sub->SubPackage = std::make_unique<CPaket>();
        CPaket &p = *sub->SubPackage;
        Add(p, POS_HEAD_CAMPAIGN, QStringLiteral("2000"), QString());
        Add(p, POS_WORK, QStringLiteral("2000"), QStringLiteral("S"));
        Add(p, POS_WORK, QStringLiteral("2100"), QStringLiteral("O"));
        Add(p, POS_WORK, QStringLiteral("2101"), QStringLiteral("B"), QStringLiteral("2100"));
        CPosition *part = Add(p, POS_PART, QStringLiteral("P010"), QStringLiteral("O"));
        part->Campaign[CPosition::CampaignPartStatus] = QStringLiteral("1");
        nested = Add(p, POS_SUBPACKAGE, QStringLiteral("3000"), QStringLiteral("OP"));
        nested->SubPackage = std::make_unique<CPaket>();
        Add(*nested->SubPackage, POS_HEAD_CAMPAIGN, QStringLiteral("3000"), QString());
        CPackageSelection(&p).InitStates();
    }
    CPosition *Line(const QString &number) const
    {
        if (number == QLatin1String("3000"))
            return nested;
        for (const auto &line : *sub->SubPackage)
            if (line->Number == number && line->Type != POS_HEAD_CAMPAIGN)
                return line.get();
        return nullptr;
    }
};

// The rows of a list as "number/selected", a group line "G".
QString Describe(const std::vector<CPosition *> &rows)
{
    QStringList out;
    for (const CPosition *row : rows)
        out << (row->Type == POS_GROUP
                    ? QStringLiteral("G")
                    : QStringLiteral("%1/%2").arg(row->Number).arg(row->Selected));
    return out.join(QLatin1Char(' '));
}

int RowOf(const CSRPOptBearbDlg &dialog, const QString &number)
{
    const std::vector<CPosition *> &rows = dialog.Rows();
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i]->Number == number)
            return int(i);
    return -1;
}

CPosition *Find(const CPaket &paket, const QString &number)
{
    for (const auto &line : paket) {
        if (line->Number == number && !IsHeadType(line->Type))
            return line.get();
        if (line->SubPackage)
            if (CPosition *found = Find(*line->SubPackage, number))
                return found;
    }
    return nullptr;
}

// A DMS that answers for another vehicle, with prices for every line.
class OtherVehicleDms : public IDmsSender
{
public:
    explicit OtherVehicleDms(QString v) : version(std::move(v)) {}
    QString version;
    int calls = 0;
    QString Request(const QString &, const QString &, const QString &) override
    {
        ++calls;
        return QStringLiteral(
                   "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\">"
                   "<soap:Body><requestPackageInfoResponse xmlns=\"http://%1/SRP\" "
                   "refSchema=\"serviceRepairPackages.xsd\" version=\"%2\">"
                   "<vin vinLongPrefix=\"XVQ2G45B68\" vinShort=\"4K56789\"/>"
                   "<package productType=\"car\"><number>341005017A010</number>"
                   "<parts type=\"alternative\"><number>VQ0034702</number><price "
                   "currency=\"EUR\"><netPrice>1.00</netPrice></price></parts></package>"
                   "</requestPackageInfoResponse></soap:Body></soap:Envelope>")
            .arg(QLatin1String(kDmsNamespaceHost), version);
    }
};

// Every labour position of the demo packages applies.
class AllApply : public IPackageLoadReads
{
public:
    CatalogueAnswer<int> CatalogueColumn() override { return {0, false}; }
    bool PositionApplies(const QString &, int) override { return true; }
};

// Runs once the modal loop now starting has shown its window.
template <typename Dialog, typename Action> void WhenShown(Action action)
{
    QTimer::singleShot(0, [action] {
        auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        action(dialog);
    });
}

} // namespace

class TestOptPackage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void campaignMarksFixLines_data();
    void campaignMarksFixLines();
    void doubleClickInTheSubPackage_data();
    void doubleClickInTheSubPackage();
    void leavingAsksUnlessFixed_data();
    void leavingAsksUnlessFixed();
    void returnActsOnTheSelectedLineOnly_data();
    void returnActsOnTheSelectedLineOnly();
    void labourValueEditTakesTheShownLine();
    void demoSubPackagesChosenAndPriced();
    void dialogPricesTheCampaignKindOfItsOpener_data();
    void dialogPricesTheCampaignKindOfItsOpener();
    void editingPageOpensTheSubPackage_data();
    void editingPageOpensTheSubPackage();
    void demoPackagesPricedByTheStandIn_data();
    void demoPackagesPricedByTheStandIn();
    void keyboardBackOnThePageAfterTheQuestion();
    void keysOnTheTakeOverQuestion_data();
    void keysOnTheTakeOverQuestion();
    void returnPressesTheFocusedButton_data();
    void returnPressesTheFocusedButton();

private:
    // The editing page with a package of the Arvo loaded in a kind; false
    // when the demo catalogue cannot be opened.
    bool openPackage(const QString &number, int kind);
    // The editing page with the Arvo's brake service loaded; answers its
    // optional sub-package line 3410060.
    CPosition *openBrakeService();
    // Shows the editing page active, the keyboard in its list on the line;
    // the list, or null when that failed.
    QAbstractItemView *showPageOnLine(const CPosition *line);

    TestEnv m_env;
    CPrgSettings m_settings;
    CNullPageHost m_host;
    AllApply m_reads;
    std::unique_ptr<CYaqDb> m_db[2];
    std::unique_ptr<CSRPBbDlg> m_page;
};

bool TestOptPackage::openPackage(const QString &number, int kind)
{
    CPrgSettings &s = m_settings;
    s.KatalogKey = QStringLiteral("1");
    s.FgstnrFull = QStringLiteral("XVQ1F23A57M012345");
    s.Fgstnr = s.FgstnrFull.right(7);
    s.TypSchl = QStringLiteral("7A01");
    s.Bestellnr = QStringLiteral("VQF40DE");
    s.EReihe = QStringLiteral("F40 ");
    s.LeadTyp = QStringLiteral("1101");
    s.ZusatzCode = QStringLiteral("A");
    s.Erstzulassung = QStringLiteral("15.03.2017");
    s.XMLx = 1;
    UpdateDmsHeader(&s);
    m_db[0] = CatalogueDbTest::OpenDemoFile();
    m_db[1] = CatalogueDbTest::OpenDemoFile();
    if (!m_db[0] || !m_db[1])
        return false;
    m_page = std::make_unique<CSRPBbDlg>();
    m_page->Create(&s, 147, 3183, {m_db[0].get(), m_db[1].get(), m_db[0].get(), m_db[1].get()},
                   &m_host, nullptr);
    m_page->SetLoadReads(&m_reads);
    m_page->SetConnectionOpener(&CatalogueDbTest::OpenDemoFile);
    CPackageRow row;
    row.level = kLevelPackage;
    row.marker = number.left(2);
    row.number = row.ownNumber = number;
    row.kind = QStringLiteral("SRP");
    // The oil service's row offers its three other kinds.
    if (number == QLatin1String("1110010")) {
        row.grNumber = QStringLiteral("1190010");
        row.spNumber = QStringLiteral("1180010");
        row.vlNumber = QStringLiteral("1170010");
    }
    m_page->SetPackage(row, kind, false, QString());
    m_page->ActivatePage(0);
    return true;
}

CPosition *TestOptPackage::openBrakeService()
{
    if (!openPackage(QStringLiteral("3410050"), CSRPBbDlg::KindSR))
        return nullptr;
    CPosition *fluid = Find(m_page->Edited().Paket(), QStringLiteral("3410060"));
    return fluid && fluid->Type == POS_SUBPACKAGE && fluid->SubPackage ? fluid : nullptr;
}

QAbstractItemView *TestOptPackage::showPageOnLine(const CPosition *line)
{
    m_page->show();
    m_page->activateWindow();
    if (!QTest::qWaitForWindowActive(m_page.get(), YaqTest::kHangMs))
        return nullptr;
    auto *list = m_page->findChild<QAbstractItemView *>(QStringLiteral("packagePositionList"));
    const std::vector<CPosition *> &rows = m_page->PositionRows();
    const auto at = std::find(rows.begin(), rows.end(), line);
    if (!list || at == rows.end())
        return nullptr;
    list->setFocus();
    list->selectionModel()->setCurrentIndex(list->model()->index(int(at - rows.begin()), 0),
                                            QItemSelectionModel::ClearAndSelect);
    return list;
}

void TestOptPackage::initTestCase()
{
    InitOrmelText(QStringLiteral(YAQ_DEMO_DATAS_DIR) + QStringLiteral("/Zirava/PrgTxt"));
}

void TestOptPackage::init()
{
    m_env.answerBoxes(IDOK);
    m_settings = CPrgSettings();
}

void TestOptPackage::cleanup()
{
    SetMsgBoxResponder({});
    m_page.reset();
    for (auto &db : m_db)
        db.reset();
}

void TestOptPackage::campaignMarksFixLines_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("mark");
    QTest::addColumn<bool>("fixed");
    // clang-format off
    QTest::newRow("work position the dealer may not drop") << int(POS_WORK)       << int(CPosition::CampaignWorkStatus)  << "1" << true;
    QTest::newRow("work position the dealer may choose")   << int(POS_WORK)       << int(CPosition::CampaignWorkStatus)  << "0" << false;
    QTest::newRow("part the dealer may not drop")          << int(POS_PART)       << int(CPosition::CampaignPartStatus)  << "1" << true;
    QTest::newRow("part with the work position's mark")    << int(POS_PART)       << int(CPosition::CampaignWorkStatus)  << "1" << false;
    QTest::newRow("fixed sub-package")                     << int(POS_SUBPACKAGE) << int(CPosition::CampaignSubOpenable) << "1" << true;
    QTest::newRow("sub-package without mark")              << int(POS_SUBPACKAGE) << int(CPosition::CampaignSubOpenable) << ""  << false;
    QTest::newRow("group line")                            << int(POS_GROUP)      << int(CPosition::CampaignWorkStatus)  << "1" << false;
    // clang-format on
}

void TestOptPackage::campaignMarksFixLines()
{
    QFETCH(int, type);
    QFETCH(int, field);
    QFETCH(QString, mark);
    CPosition line;
    line.Type = type;
    line.Campaign[size_t(field)] = mark;
    QTEST(COptionalPackageEdit::IsFixedLine(line), "fixed");
}

void TestOptPackage::doubleClickInTheSubPackage_data()
{
    // Row: the set-up (flat: inclusive price of the sub-package; headless:
    // the whole package without head; fixed3000 / chosen3000: the nested
    // sub-package's open mark and choice), the lines double-clicked, then
    // the sub-package line to open, whether the last click changed a
    // choice, the selected flags of 2100 2101 P010 3000 and the manual-price
    // mark of the whole package.
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("opens");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<int>("manualMark");
    // clang-format off
    QTest::newRow("collapsed group opens, nothing chosen")   << ""                     << QStringList{"2100"}         << "" << false << "0 0 0 0" << 1;
    QTest::newRow("open group: optional line chosen")        << ""                     << QStringList{"2100", "2100"} << "" << true  << "1 0 0 0" << 0;
    QTest::newRow("fixed part keeps its choice")             << ""                     << QStringList{"P010"}         << "" << false << "0 0 0 0" << 1;
    QTest::newRow("nested sub-package opens")                << ""                     << QStringList{"3000"}         << "3000" << false << "0 0 0 0" << 1;
    QTest::newRow("fixed nested sub-package not chosen")     << "fixed3000"            << QStringList{"3000"}         << "" << false << "0 0 0 0" << 1;
    QTest::newRow("fixed nested sub-package chosen opens")   << "fixed3000 chosen3000" << QStringList{"3000"}         << "3000" << false << "0 0 0 1" << 1;
    QTest::newRow("inclusive price: nothing at all")         << "flat"                 << QStringList{"2100", "2100"} << "" << false << "0 0 0 0" << 1;
    QTest::newRow("whole package without head: nothing")     << "headless"             << QStringList{"2100", "2100"} << "" << false << "0 0 0 0" << 0;
    // clang-format on
}

void TestOptPackage::doubleClickInTheSubPackage()
{
    QFETCH(QString, setup);
    QFETCH(QStringList, clicks);
    Sample s;
    if (setup.contains(QLatin1String("flat")))
        s.sub->SubPackage->GetKopf()->Preise1.FlatPrice = 1;
    if (setup.contains(QLatin1String("headless")))
        s.whole.GetKopf()->Type = POS_SPECIAL1;
    if (setup.contains(QLatin1String("fixed3000")))
        s.nested->Campaign[CPosition::CampaignSubOpenable] = QStringLiteral("1");
    if (setup.contains(QLatin1String("chosen3000")))
        s.nested->Selected = 1;
    COptionalPackageEdit edit(&s.whole, s.sub);
    edit.Selection().Fill();
    COptionalPackageEdit::DoubleClickResult result;
    for (const QString &number : clicks)
        result = edit.DoubleClick(s.Line(number));
    QTEST(result.openSubPackage ? result.openSubPackage->Number : QString(), "opens");
    QTEST(result.choiceChanged, "changed");
    QStringList selected;
    for (const char *number : {"2100", "2101", "P010", "3000"})
        selected << QString::number(s.Line(QLatin1String(number))->Selected);
    QTEST(selected.join(QLatin1Char(' ')), "selected");
    QTEST(s.whole.GetKopf() ? s.whole.GetKopf()->PriceCalcFlag : 0, "manualMark");
}

void TestOptPackage::leavingAsksUnlessFixed_data()
{
    QTest::addColumn<QString>("openMark");
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("questions");
    QTest::addColumn<int>("result"); // 0: the dialog stays open
    QTest::addColumn<bool>("canDecline");
    // clang-format off
    QTest::newRow("yes takes it over")                 << ""  << int(IDYES)    << 1 << 1 << true;
    QTest::newRow("no declines")                       << ""  << int(IDNO)     << 1 << 7 << true;
    QTest::newRow("another answer stays")              << ""  << int(IDCANCEL) << 1 << 0 << true;
    QTest::newRow("fixed: taken over without asking")  << "1" << int(IDNO)     << 0 << 1 << false;
    // clang-format on
}

void TestOptPackage::leavingAsksUnlessFixed()
{
    QFETCH(QString, openMark);
    QFETCH(int, answer);
    int questions = 0;
    SetMsgBoxResponder([&](const MsgBoxRequest &request) {
        questions += request.text == OrmelText(4089) ? 1 : 0;
        MsgBoxAnswer a;
        a.button = answer;
        return a;
    });
    Sample s;
    s.sub->Campaign[CPosition::CampaignSubOpenable] = openMark;
    CSRPOptBearbDlg dialog(&m_settings, nullptr, nullptr);
    dialog.Begin(&s.whole, s.sub, false);
    QTEST(dialog.findChild<COwnButton *>(QStringLiteral("noButton"))->isEnabled(), "canDecline");
    dialog.OnBack();
    QTEST(questions, "questions");
    QTEST(dialog.result(), "result");
}

void TestOptPackage::returnActsOnTheSelectedLineOnly_data()
{
    // Row: the keys pressed in the list just given the focus, the rows
    // afterwards ("number/selected").
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QString>("rows");
    // clang-format off
    QTest::newRow("Return, nothing selected: nothing changes")    << QList<int>{Qt::Key_Return}                             << "2000/1 2100/0 P010/0 3000/0";
    QTest::newRow("pad Enter, nothing selected: nothing changes") << QList<int>{Qt::Key_Enter}                              << "2000/1 2100/0 P010/0 3000/0";
    QTest::newRow("first Down selects the first line")            << QList<int>{Qt::Key_Down, Qt::Key_Return}               << "2000/0 2100/0 P010/0 3000/0";
    QTest::newRow("line chosen by arrow key: Return opens it")    << QList<int>{Qt::Key_Down, Qt::Key_Down, Qt::Key_Return} << "2000/1 2100/0 2101/0 P010/0 3000/0";
    // clang-format on
}

void TestOptPackage::returnActsOnTheSelectedLineOnly()
{
    QFETCH(QList<int>, keys);
    Sample s;
    CSRPOptBearbDlg dialog(&m_settings, nullptr, nullptr);
    dialog.Begin(&s.whole, s.sub, false);
    dialog.show();
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog, YaqTest::kHangMs));
    auto *list = dialog.findChild<QAbstractItemView *>(QStringLiteral("optionalPositionList"));
    list->setFocus();
    for (int key : keys)
        QTest::keyClick(list, Qt::Key(key));
    QTEST(Describe(dialog.Rows()), "rows");
}

// A click that opens a group rebuilds the rows; the labour value edited is
// that of the line the list shows as current, not of the line that now
// stands at the row the adviser chose before.
void TestOptPackage::labourValueEditTakesTheShownLine()
{
    Sample s;
    CPaket &p = *s.sub->SubPackage;
    // Both the main line and its alternative are charged by time.
    CPosition *main = s.Line(QStringLiteral("2100"));
    CPosition *alternative = s.Line(QStringLiteral("2101"));
    main->Az = alternative->Az = CPosition::AzMarker();
    CPackageSelection(&p).InitStates();
    CSRPOptBearbDlg dialog(&m_settings, nullptr, nullptr);
    int repriced = 0;
    CSRPOptBearbDlg::Links links;
    links.pricesChanged = [&repriced] { ++repriced; };
    dialog.SetLinks(links);
    dialog.Begin(&s.whole, s.sub, false);
    QCOMPARE(Describe(dialog.Rows()), QStringLiteral("2000/1 2100/0 P010/0 3000/0"));
    auto *list = dialog.findChild<QAbstractItemView *>(QStringLiteral("optionalPositionList"));
    // The adviser goes to the fixed part below, then opens the group above.
    list->setCurrentIndex(list->model()->index(RowOf(dialog, QStringLiteral("P010")), 0));
    dialog.ClickRow(RowOf(dialog, QStringLiteral("2100")));
    QCOMPARE(Describe(dialog.Rows()), QStringLiteral("2000/1 2100/0 2101/0 P010/0 3000/0"));
    QCOMPARE(list->currentIndex().row(), RowOf(dialog, QStringLiteral("2100")));
    QString opened;
    WhenShown<CEditNrDlg>([&opened](CEditNrDlg *entry) {
        opened = entry->NumberField()->text();
        entry->NumberField()->setText(QStringLiteral("7"));
        entry->findChild<COwnButton *>(QStringLiteral("okButton"))->click();
    });
    dialog.OnEditLabourValue();
    QCOMPARE(opened, CPosition::AzMarker());
    QCOMPARE(main->Quantity, QStringLiteral("7"));
    QCOMPARE(main->AzEdited, 1);
    QCOMPARE(alternative->Az, CPosition::AzMarker());
    QCOMPARE(alternative->Quantity, QString());
    QCOMPARE(repriced, 1);
}

void TestOptPackage::demoSubPackagesChosenAndPriced()
{
    CPosition *fluid = openBrakeService();
    QVERIFY(fluid);
    CPrgSettings &s = m_settings;
    CPaket &whole = m_page->Edited().Paket();
    CPosition *head = m_page->Edited().Head();
    CSRPOptBearbDlg dialog(&s, m_db[0].get(), m_db[1].get());
    int repriced = 0;
    CSRPOptBearbDlg::Links links;
    links.pricesChanged = [&] { ++repriced; };
    dialog.SetLinks(links);
    dialog.Begin(&whole, fluid, false);
    QCOMPARE(Describe(dialog.Rows()),
             QStringLiteral("3410060/1 VQ0034601/1 G 3410061/0 G 3410070/0"));
    // The optional test: its group opens, then it is chosen.
    dialog.DoubleClickRow(RowOf(dialog, QStringLiteral("3410061")));
    dialog.DoubleClickRow(RowOf(dialog, QStringLiteral("3410061")));
    QCOMPARE(Describe(dialog.Rows()),
             QStringLiteral("3410060/1 VQ0034601/1 G 3410061/1 G 3410070/0"));
    // The brake lines inside: their alternative line part chosen, taken over.
    QString nestedRows;
    WhenShown<CSRPOptBearbDlg>([&nestedRows](CSRPOptBearbDlg *nested) {
        nestedRows = Describe(nested->Rows());
        nested->DoubleClickRow(RowOf(*nested, QStringLiteral("VQ0034701")));
        nested->DoubleClickRow(RowOf(*nested, QStringLiteral("VQ0034702")));
        nestedRows += QStringLiteral(" | ") + Describe(nested->Rows());
        nested->findChild<COwnButton *>(QStringLiteral("yesButton"))->click();
    });
    dialog.DoubleClickRow(RowOf(dialog, QStringLiteral("3410070")));
    QCOMPARE(nestedRows, QStringLiteral("3410070/1 3410071/1 VQ0034701/1 | "
                                        "3410070/1 3410071/1 VQ0034702/1"));
    QCOMPARE(Find(whole, QStringLiteral("3410070"))->Selected, 1);
    QCOMPARE(Find(whole, QStringLiteral("VQ0034701"))->Selected, 0);
    QCOMPARE(repriced, 3); // 3410061, the line part, the nested sub-package

    // Priced from the dealer's price files, the nested lines too.
    s.SRPInterfaceReq = 3;
    s.ReqDateiVerz = QStringLiteral(YAQ_DEMO_DATAS_DIR) + QStringLiteral("/Dealer");
    head->PriceCalcFlag = 1;
    dialog.OnDmsRequest();
    QCOMPARE(Find(whole, QStringLiteral("VQ0034702"))->Preise1.UnitNet, 49.9);
    QCOMPARE(Find(whole, QStringLiteral("3410071"))->Preise1.UnitNet, 12.5);
    QCOMPARE(head->PriceCalcFlag, 0);
    // Whatever way the button takes, a price set by hand counts no longer:
    // also when there is no DMS to ask.
    s.SRPInterfaceReq = 4;
    head->PriceCalcFlag = 1;
    dialog.OnDmsRequest();
    QCOMPARE(head->PriceCalcFlag, 0);

    // Priced by the stand-in DMS: the request names the whole package.
    StandInDms dms;
    QString error;
    QVERIFY2(
        dms.serveFiles(QStringLiteral(YAQ_DMS_VEHICLES), QStringLiteral(YAQ_DMS_PACKAGES), &error),
        qPrintable(error));
    s.SRPInterfaceReq = 4;
    s.ReqXMLServer = QStringLiteral("http://127.0.0.1:%1/").arg(dms.port());
    CSoapReqSender sender(&s);
    CDmsClient client(&s, &sender);
    links.dmsClient = &client;
    dialog.SetLinks(links);
    dialog.OnDmsRequest();
    QCOMPARE(s.bDmsExchangeDone, 1);
    QCOMPARE(Find(whole, QStringLiteral("3410050"))->Preise1.UnitNet, 96.0);
    QCOMPARE(Find(*fluid->SubPackage, QStringLiteral("3410060"))->Preise1.UnitNet, 69.0);
    QCOMPARE(Find(whole, QStringLiteral("VQ0034702"))->Preise1.UnitNet, 54.8);
    QCOMPARE(Find(whole, QStringLiteral("3410071"))->Preise1.UnitNet, 45.0);

    // An answer for another vehicle is refused, and the prices of the
    // earlier answer are gone with the request: it named those lines.
    OtherVehicleDms other(DmsHeaderVersion(s));
    CDmsClient refusing(&s, &other);
    links.dmsClient = &refusing;
    dialog.SetLinks(links);
    dialog.OnDmsRequest();
    QCOMPARE(other.calls, 1);
    QVERIFY(!m_env.boxes().isEmpty());
    QCOMPARE(m_env.boxes().last().text, OrmelText(5056));
    QCOMPARE(Find(whole, QStringLiteral("VQ0034702"))->Preise1.UnitNet, kPriceNotSet);
    QCOMPARE(Find(whole, QStringLiteral("3410071"))->Preise1.UnitNet, kPriceNotSet);
}

void TestOptPackage::dialogPricesTheCampaignKindOfItsOpener_data()
{
    // The campaign price steps run on the dialog's prices when the opener
    // edits a campaign package; they give the head its campaign currency.
    QTest::addColumn<int>("request"); // 3 the dealer's files, 4 the stand-in DMS
    QTest::addColumn<bool>("campaign");
    QTest::addColumn<QString>("campaignCurrency");
    // clang-format off
    QTest::newRow("campaign package, dealer's files") << 3 << true  << "EUR";
    QTest::newRow("service package, dealer's files")  << 3 << false << "";
    QTest::newRow("campaign package, DMS")            << 4 << true  << "EUR";
    QTest::newRow("service package, DMS")             << 4 << false << "";
    // clang-format on
}

void TestOptPackage::dialogPricesTheCampaignKindOfItsOpener()
{
    QFETCH(int, request);
    QFETCH(bool, campaign);
    CPosition *fluid = openBrakeService();
    QVERIFY(fluid);
    CPrgSettings &s = m_settings;
    s.SRPInterfaceReq = request;
    s.ReqDateiVerz = QStringLiteral(YAQ_DEMO_DATAS_DIR) + QStringLiteral("/Dealer");
    StandInDms dms;
    QString error;
    QVERIFY2(
        dms.serveFiles(QStringLiteral(YAQ_DMS_VEHICLES), QStringLiteral(YAQ_DMS_PACKAGES), &error),
        qPrintable(error));
    s.ReqXMLServer = QStringLiteral("http://127.0.0.1:%1/").arg(dms.port());
    CSoapReqSender sender(&s);
    CDmsClient client(&s, &sender);
    CPosition *head = m_page->Edited().Head();
    head->Campaign[CPosition::CampaignCurrency] = QStringLiteral("EUR");
    head->Campaign[CPosition::CampaignPriceType] = QStringLiteral("L");
    head->Campaign[CPosition::CampaignFixedPrice] = QStringLiteral("99.00");
    CSRPOptBearbDlg dialog(&s, m_db[0].get(), m_db[1].get());
    CSRPOptBearbDlg::Links links;
    links.dmsClient = &client;
    dialog.SetLinks(links);
    dialog.Begin(&m_page->Edited().Paket(), fluid, campaign);
    dialog.OnDmsRequest();
    if (request == 4)
        QCOMPARE(s.bDmsExchangeDone, 1);
    QTEST(head->Preise3.TotalsCurrency, "campaignCurrency");
}

void TestOptPackage::demoPackagesPricedByTheStandIn_data()
{
    // Every package the demo offers the Arvo, in each kind it is offered
    // in: it has lines, and the stand-in DMS prices every one of them.
    QTest::addColumn<QString>("package");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("head");
    // clang-format off
    QTest::newRow("oil service")                 << "1110010" << int(CSRPBbDlg::KindSR) << "1110010";
    QTest::newRow("its warranty variant")        << "1110010" << int(CSRPBbDlg::KindGR) << "1190010";
    QTest::newRow("its inclusive service")       << "1110010" << int(CSRPBbDlg::KindSP) << "1180010";
    QTest::newRow("its value line")              << "1110010" << int(CSRPBbDlg::KindVL) << "1170010";
    QTest::newRow("spark plugs")                 << "1110020" << int(CSRPBbDlg::KindSR) << "1110020";
    QTest::newRow("packages holding each other") << "1110040" << int(CSRPBbDlg::KindSR) << "1110040";
    QTest::newRow("front pads")                  << "3410010" << int(CSRPBbDlg::KindSR) << "3410010";
    QTest::newRow("brake service")               << "3410050" << int(CSRPBbDlg::KindSR) << "3410050";
    QTest::newRow("door adjustment")             << "6411010" << int(CSRPBbDlg::KindSR) << "6411010";
    QTest::newRow("door lock")                   << "6411020" << int(CSRPBbDlg::KindSR) << "6411020";
    QTest::newRow("windscreen")                  << "6412010" << int(CSRPBbDlg::KindSR) << "6412010";
    QTest::newRow("mirror glass")                << "6412020" << int(CSRPBbDlg::KindSR) << "6412020";
    // clang-format on
}

void TestOptPackage::demoPackagesPricedByTheStandIn()
{
    QFETCH(QString, package);
    QFETCH(int, kind);
    QVERIFY(openPackage(package, kind));
    CPaket &paket = m_page->Edited().Paket();
    QVERIFY(paket.GetKopf());
    QTEST(paket.GetKopf()->PaketID, "head");
    StandInDms dms;
    QString error;
    QVERIFY2(
        dms.serveFiles(QStringLiteral(YAQ_DMS_VEHICLES), QStringLiteral(YAQ_DMS_PACKAGES), &error),
        qPrintable(error));
    CPrgSettings &s = m_settings;
    s.SRPInterfaceReq = 4;
    s.ReqXMLServer = QStringLiteral("http://127.0.0.1:%1/").arg(dms.port());
    CSoapReqSender sender(&s);
    CDmsClient client(&s, &sender);
    CPackagePriceExchange exchange(client, nullptr);
    QCOMPARE(exchange.Request(paket).applied, 1);

    // The lines of the package and of its sub-packages, each with its price.
    QStringList unpriced;
    int lines = 0;
    const std::function<void(const CPaket &)> visit = [&](const CPaket &p) {
        for (const auto &line : p) {
            if (line->Type == POS_SUBPACKAGE && line->SubPackage)
                visit(*line->SubPackage);
            if (line->Type != POS_WORK && line->Type != POS_PART)
                continue;
            ++lines;
            if (line->Preise1.UnitNet == kPriceNotSet)
                unpriced << line->Number;
        }
    };
    visit(paket);
    QVERIFY(lines > 0);
    QCOMPARE(unpriced, QStringList());
}

void TestOptPackage::editingPageOpensTheSubPackage_data()
{
    // Row: the button the adviser ends the dialog with, the sub-package
    // line's choice before and after (the choice made inside it stays).
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("chosen");
    // clang-format off
    QTest::newRow("taken over")            << "yesButton" << 0 << 1;
    QTest::newRow("declined")              << "noButton"  << 0 << 0;
    QTest::newRow("chosen, then declined") << "noButton"  << 1 << 0;
    // clang-format on
}

void TestOptPackage::editingPageOpensTheSubPackage()
{
    QFETCH(QString, button);
    CPosition *fluid = openBrakeService();
    QVERIFY(fluid);
    const std::vector<CPosition *> &rows = m_page->PositionRows();
    const auto at = std::find(rows.begin(), rows.end(), fluid);
    QVERIFY(at != rows.end());
    QCOMPARE(fluid->Selected, 0);
    QFETCH(int, before);
    fluid->Selected = before;
    WhenShown<CSRPOptBearbDlg>([button](CSRPOptBearbDlg *dialog) {
        dialog->DoubleClickRow(RowOf(*dialog, QStringLiteral("3410061")));
        dialog->DoubleClickRow(RowOf(*dialog, QStringLiteral("3410061")));
        dialog->findChild<COwnButton *>(button)->click();
    });
    m_page->DoubleClickRow(int(at - rows.begin()));
    QTEST(fluid->Selected, "chosen");
    QCOMPARE(Find(*fluid->SubPackage, QStringLiteral("3410061"))->Selected, 1);
}

// Return on the sub-package line, Escape in the dialog, "Ja" to the
// question: the editing page has the keyboard again at once, its list the
// focus, and its Alt+D asks for prices.
void TestOptPackage::keyboardBackOnThePageAfterTheQuestion()
{
    CDialogFocusReturn focusReturn;
    qApp->installEventFilter(&focusReturn);
    CPosition *fluid = openBrakeService();
    QVERIFY(fluid);
    QAbstractItemView *list = showPageOnLine(fluid);
    QVERIFY(list);
    // The boxes are real ones.
    SetMsgBoxResponder({});
    QString question;
    // A dialog counts as active with its opener: the keyboard is what counts.
    WhenShown<CSRPOptBearbDlg>([&question](CSRPOptBearbDlg *dialog) {
        YAQ_TRY_COMPARE(QApplication::activeWindow(), dialog);
        WhenShown<QMessageBox>([&question](QMessageBox *box) {
            YAQ_TRY_COMPARE(QApplication::activeWindow(), box);
            question = box->text();
            box->button(QMessageBox::Yes)->click();
        });
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    });
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(question, OrmelText(4089));
    QCOMPARE(fluid->Selected, 1);

    m_env.answerBoxes(IDOK);
    YAQ_TRY_COMPARE(QApplication::activeWindow(), m_page.get());
    QCOMPARE(QApplication::focusWidget(), list);
    QSignalSpy asked(m_page->DmsRequestButton(), &QAbstractButton::clicked);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_D, Qt::AltModifier);
    // A button's shortcut presses it and lets it go a moment later.
    YAQ_TRY_COMPARE(asked.count(), 1);
}

void TestOptPackage::keysOnTheTakeOverQuestion_data()
{
    // Row: what the adviser does on the question (a key on the button the
    // box puts the focus on, on "Nein", or the window's close button),
    // whether the dialog is still open afterwards, the sub-package line's
    // choice once the dialog has ended ("Ja" ends one still open).
    QTest::addColumn<QString>("onBox");
    QTest::addColumn<bool>("open");
    QTest::addColumn<int>("chosen");
    // clang-format off
    QTest::newRow("Escape: no answer, the dialog stays")      << "Escape"         << true  << 1;
    QTest::newRow("close button: no answer, the dialog stays") << "close"          << true  << 1;
    QTest::newRow("Return on Ja takes it over")               << "Return"         << false << 1;
    QTest::newRow("Return on Nein declines")                  << "Return on Nein" << false << 0;
    QTest::newRow("held Return on Ja takes it over once")     << "held Return"    << false << 1;
    // clang-format on
}

// The demo brake service with its sub-package chosen: Return on the line
// opens it, Escape in the dialog asks whether to take it over, and the
// adviser answers on the real box.
void TestOptPackage::keysOnTheTakeOverQuestion()
{
    QFETCH(QString, onBox);
    CDialogFocusReturn focusReturn;
    qApp->installEventFilter(&focusReturn);
    CHeldReturnFilter heldReturn;
    qApp->installEventFilter(&heldReturn);
    CPosition *fluid = openBrakeService();
    QVERIFY(fluid);
    fluid->Selected = 1;
    QAbstractItemView *list = showPageOnLine(fluid);
    QVERIFY(list);
    SetMsgBoxResponder({});
    QString question;
    bool open = false;
    // A held Return: once it is let go, a dialog it opened again is ended.
    std::shared_ptr<const bool> released;
    bool reopened = false;
    QTimer reopenCheck;
    connect(&reopenCheck, &QTimer::timeout, [&] {
        auto *again = qobject_cast<CSRPOptBearbDlg *>(QApplication::activeModalWidget());
        if (released && *released && again) {
            reopened = true;
            again->done(QDialog::Rejected);
        }
    });
    reopenCheck.start(0);
    WhenShown<CSRPOptBearbDlg>([&](CSRPOptBearbDlg *dialog) {
        QTRY_COMPARE_WITH_TIMEOUT(QApplication::activeWindow(), dialog, YaqTest::kHangMs);
        WhenShown<QMessageBox>([&](QMessageBox *box) {
            QTRY_COMPARE_WITH_TIMEOUT(QApplication::activeWindow(), box, YaqTest::kHangMs);
            question = box->text();
            if (onBox == QLatin1String("close")) {
                box->close();
                return;
            }
            if (onBox == QLatin1String("held Return")) {
                // Whatever the repeats ask next is answered "Nein".
                m_env.answerBoxes(IDNO);
                released = YaqTest::HoldKey(Qt::Key_Return, 5, QStringLiteral("\r"));
                return;
            }
            if (onBox.endsWith(QLatin1String("Nein")))
                box->button(QMessageBox::No)->setFocus();
            QTest::keyClick(QApplication::focusWidget(),
                            onBox == QLatin1String("Escape") ? Qt::Key_Escape : Qt::Key_Return);
        });
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        open = dialog->isVisible();
        // A box left open, or a dialog, is ended here, so that the row
        // fails instead of waiting.
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
            box->done(QMessageBox::Yes);
        if (dialog->isVisible())
            dialog->findChild<COwnButton *>(QStringLiteral("yesButton"))->click();
    });
    QTest::keyClick(list, Qt::Key_Return);
    if (released)
        YAQ_TRY_VERIFY(*released);
    QCOMPARE(question, OrmelText(4089));
    QTEST(open, "open");
    QTEST(fluid->Selected, "chosen");
    QVERIFY(!reopened);
    m_env.answerBoxes(IDOK);
}

void TestOptPackage::returnPressesTheFocusedButton_data()
{
    // Row: the button the adviser moves the focus to, the key, the result
    // of the dialog.
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("result");
    // clang-format off
    QTest::newRow("Return on Nein declines")       << "noButton"  << int(Qt::Key_Return) << int(COptionalPackageEdit::Decline);
    QTest::newRow("pad Enter on Ja takes it over") << "yesButton" << int(Qt::Key_Enter)  << int(COptionalPackageEdit::TakeOver);
    // clang-format on
}

void TestOptPackage::returnPressesTheFocusedButton()
{
    QFETCH(QString, button);
    QFETCH(int, key);
    Sample s;
    CSRPOptBearbDlg dialog(&m_settings, nullptr, nullptr);
    dialog.Begin(&s.whole, s.sub, false);
    dialog.show();
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog, YaqTest::kHangMs));
    auto *focused = dialog.findChild<COwnButton *>(button);
    QVERIFY(focused);
    focused->setFocus();
    QTest::keyClick(focused, Qt::Key(key));
    QVERIFY(!dialog.isVisible());
    QTEST(dialog.result(), "result");
}

YAQ_TEST_MAIN(TestOptPackage)
#include "tst_optpackage.moc"
