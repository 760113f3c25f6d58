// The package editing page on the demo catalogue: a package handed over by
// the package list shows its lines, the kind buttons load the package's
// other variants (also of a package of the basket opened again), "P"
// stores a copy in the basket and leaves the page, and a store that fails
// (or is declined) keeps the package and its choices on the page; a
// transfer follows only a successful store; Backspace asks and leaves; a
// DMS answer naming a short VIN of several vehicles is not taken. The head
// rows of a campaign package and the figures of the legend and the sum.
// Return on a row of the position list is its double click.

#include "basket/model/WKListItem.h"
#include "basket/model/WkBasket.h"
#include "common/OwnButton.h"
#include "dms/DmsFrame.h"
#include "packages/SRPBbDlg.h"
#include "packages/SRPBbRowPainter.h"
#include "packages/edit/PackageLoader.h"
#include "packages/edit/PackageSelection.h"
#include "packages/model/Paket.h"
#include "platform/OrmelText.h"
#include "platform/db/YaqDb.h"
#include "settings/DmsHeader.h"
#include "settings/PrgSettings.h"
#include "support/NullPageHost.h"
#include "support/TestEnv.h"
#include "support/Waits.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QtTest>

#include <algorithm>
#include <memory>

namespace {

class RecordingHost : public CNullPageHost
{
public:
    int listShown = 0;

    void ShowPage(int pageId, const CPageRequest &) override
    {
        if (pageId == kPageSRPWl)
            ++listShown;
    }
};

// A basket that answers as told and keeps what it stored.
class RecordingBasket : public CWkBasket
{
public:
    RecordingBasket()
    {
        SetTransferHandler([this] { ++transfers; });
    }
    int answer = 3;        // to the first offer (mode 0)
    int replaceAnswer = 3; // to the offer that replaces (mode 2)
    std::vector<CWKListItem> stored;
    int transfers = 0;

    int AddToBasket(CWKListItem *entry, int mode) override
    {
        const int result = mode == 0 ? answer : replaceAnswer;
        if (result == 3)
            stored.push_back(*entry);
        return result;
    }
};

// Every labour position of the demo packages applies.
class AllApply : public IPackageLoadReads
{
public:
    CatalogueAnswer<int> CatalogueColumn() override { return {0, false}; }
    bool PositionApplies(const QString &, int) override { return true; }
};

std::unique_ptr<CYaqDb> OpenDemo()
{
    auto db = std::make_unique<CYaqDb>();
    if (!db->Open(QString(), QString(), QString(), 0, QStringLiteral(YAQ_DEMO_DATAS_DIR), QString(),
                  QString()))
        return nullptr;
    return db;
}

// The DMS answers as told; the requests are counted.
class AnsweringDms : public IDmsSender
{
public:
    QString answer;
    int calls = 0;
    QString Request(const QString &, const QString &, const QString &) override
    {
        ++calls;
        return answer;
    }
};

// A package row of the list as the list page hands it over.
CPackageRow Row(const QString &number)
{
    CPackageRow row;
    row.level = kLevelPackage;
    row.marker = number.left(2);
    row.number = number;
    row.ownNumber = number;
    row.kind = QStringLiteral("SRP");
    if (number == QLatin1String("1110010")) {
        row.grNumber = QStringLiteral("1190010");
        row.spNumber = QStringLiteral("1180010");
        row.vlNumber = QStringLiteral("1170010");
    }
    return row;
}

// A head as "kind key sr=.. gr=.. sp=.. vl=..".
QString DescribeHead(const CPosition &head)
{
    return QStringLiteral("%1 %2 sr=%3 gr=%4 sp=%5 vl=%6")
        .arg(head.PaketArt, head.PaketID, head.PaketTexts[kSrpNumber], head.PaketTexts[kGrpNumber],
             head.PaketTexts[kSipNumber], head.PaketTexts[kVlpNumber]);
}

// The program texts among the message boxes shown, by id.
QString BoxIds(const QList<MsgBoxRequest> &boxes)
{
    QStringList ids;
    for (const MsgBoxRequest &box : boxes) {
        for (int id : {5056, 5065, 7036}) {
            if (box.text.startsWith(OrmelText(id).section(QStringLiteral("%s"), 0, 0)))
                ids << QString::number(id);
        }
    }
    return ids.join(QLatin1Char(' '));
}

// Answers the question whether to store before leaving (4036) and the one
// whether to overwrite the stored package (4077) each its own way.
void AnswerQuestions(int leave, int overwrite)
{
    SetMsgBoxResponder([leave, overwrite](const MsgBoxRequest &request) {
        MsgBoxAnswer answer;
        if (request.text == OrmelText(4036))
            answer.button = leave;
        else if (request.text == OrmelText(4077))
            answer.button = overwrite;
        return answer;
    });
}

// The rows of the position list as "number/selected"; a group line "G".
QString Describe(const std::vector<CPosition *> &rows)
{
    QStringList out;
    for (const CPosition *row : rows)
        out << (row->Type == POS_GROUP
                    ? QStringLiteral("G")
                    : QStringLiteral("%1/%2").arg(row->Number).arg(row->Selected));
    return out.join(QLatin1Char(' '));
}

int CountLines(const CPaket &paket)
{
    int lines = 0;
    for (const auto &line : paket)
        lines += line->Type == POS_WORK || line->Type == POS_PART ? 1 : 0;
    return lines;
}

} // namespace

class TestSRPBbPage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void handedPackageShowsItsLines_data();
    void handedPackageShowsItsLines();
    void kindButtonLoadsTheVariant_data();
    void kindButtonLoadsTheVariant();
    void storingKeepsThePageUnlessStored_data();
    void storingKeepsThePageUnlessStored();
    void dmsAnswerVinIsChecked_data();
    void dmsAnswerVinIsChecked();
    void headRowsShowTheirTexts_data();
    void headRowsShowTheirTexts();
    void stockCellOfALine_data();
    void stockCellOfALine();
    void priceCellsOfALine_data();
    void priceCellsOfALine();
    void columnHeaderTitles_data();
    void columnHeaderTitles();
    void numberGroups_data();
    void numberGroups();
    void partRowTexts_data();
    void partRowTexts();
    void shortTextsAsFarAsTheyFit();
    void linePricesShown_data();
    void linePricesShown();
    void positionRowColours_data();
    void positionRowColours();
    void legendAndSumFigures_data();
    void legendAndSumFigures();
    void enterOnThePositionList_data();
    void enterOnThePositionList();
    void sumButtonOpensByMode_data();
    void sumButtonOpensByMode();

private:
    void open(const QString &number, int kind);

    TestEnv m_env;
    CPrgSettings m_settings;
    RecordingHost m_host;
    std::unique_ptr<RecordingBasket> m_basket;
    AllApply m_reads;
    std::unique_ptr<CYaqDb> m_db[4];
    std::unique_ptr<CSRPBbDlg> m_page;
};

void TestSRPBbPage::initTestCase()
{
    InitOrmelText(QStringLiteral(YAQ_DEMO_DATAS_DIR) + QStringLiteral("/Zirava/PrgTxt"));
}

void TestSRPBbPage::init()
{
    m_env.answerBoxes(IDOK);
    m_settings = CPrgSettings();
    m_host = RecordingHost();
    m_basket = std::make_unique<RecordingBasket>();
    m_host.m_pBasket = m_basket.get();
    CPrgSettings &s = m_settings;
    s.KatalogKey = QStringLiteral("1");
    s.Heute = QStringLiteral("01.06.2024");
    s.FgstnrFull = QStringLiteral("XVQ1F23A57M012345");
    s.TypSchl = QStringLiteral("7A01");
    s.Bestellnr = QStringLiteral("VQF40DE");
    s.EReihe = QStringLiteral("F40 ");
    s.LeadTyp = QStringLiteral("1101");
    s.ZusatzCode = QStringLiteral("A");
    s.Erstzulassung = QStringLiteral("15.03.2017");
    for (auto &db : m_db) {
        db = OpenDemo();
        QVERIFY(db);
    }
    m_page = std::make_unique<CSRPBbDlg>();
    m_page->Create(&m_settings, 147, 3183,
                   {m_db[0].get(), m_db[1].get(), m_db[2].get(), m_db[3].get()}, &m_host, nullptr);
    m_page->SetLoadReads(&m_reads);
    m_page->SetConnectionOpener(&OpenDemo);
}

void TestSRPBbPage::cleanup()
{
    SetMsgBoxResponder({});
    m_page.reset();
    for (auto &db : m_db)
        db.reset();
}

void TestSRPBbPage::open(const QString &number, int kind)
{
    m_page->SetPackage(Row(number), kind, false, QStringLiteral("Motor"));
    m_page->ActivatePage(0);
}

void TestSRPBbPage::handedPackageShowsItsLines_data()
{
    QTest::addColumn<QString>("package");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("headKind");
    QTest::addColumn<QString>("rows");
    // The kind buttons open to the adviser: with an inclusive-service and a
    // value-line offer only SP (and GR), neither SR nor VL.
    QTest::addColumn<QString>("kinds");
    // clang-format off
    QTest::newRow("optional line behind its group")  << "1110020" << int(CSRPBbDlg::KindSR) << "SRP" << "1110020/1 VQ0012001/1 G 1110021/0" << "SR";
    QTest::newRow("service repair with alternatives") << "1110010" << int(CSRPBbDlg::KindSR) << "SRP" << "1110010/1 1110015/1 VQ0011501/1 VQ0011502/1 G 1110017/0 VQ0011504/0 G 1110020/0 3410010/0" << "GR SP";
    QTest::newRow("its inclusive-service variant")   << "1110010" << int(CSRPBbDlg::KindSP) << "SIP" << "1180010/1" << "GR SP";
    // clang-format on
}

void TestSRPBbPage::handedPackageShowsItsLines()
{
    QFETCH(QString, package);
    QFETCH(int, kind);
    QFETCH(QString, headKind);
    QFETCH(QString, rows);
    QFETCH(QString, kinds);
    open(package, kind);
    const CPosition *head = m_page->Edited().Head();
    QVERIFY(head);
    QCOMPARE(head->PaketArt, headKind);
    QCOMPARE(Describe(m_page->PositionRows()), rows);
    QStringList enabled;
    for (const char *name : {"kindSRButton", "kindGRButton", "kindSPButton", "kindVLButton"}) {
        const auto *button = m_page->findChild<COwnButton *>(QLatin1String(name));
        if (button->isEnabled())
            enabled << button->text();
    }
    QCOMPARE(enabled.join(QLatin1Char(' ')), kinds);
    // Shown again (back from the findings, say), the package keeps its lines.
    const int lines = CountLines(m_page->Edited().Paket());
    m_page->ActivatePage(0);
    QCOMPARE(CountLines(m_page->Edited().Paket()), lines);
}

void TestSRPBbPage::kindButtonLoadsTheVariant_data()
{
    // Row: the variants the package row offers (all four, or only the
    // warranty one), the row's own number (empty: its package number),
    // the kind the package was stored in and opened again from the basket
    // (empty: straight from the list), the kind button pressed, the head
    // loaded then.
    QTest::addColumn<bool>("warrantyOnly");
    QTest::addColumn<QString>("own");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("head");
    // clang-format off
    QTest::newRow("GR: the warranty package")                << false << ""        << ""             << "kindGRButton" << "GRP 1190010 sr=1110010 gr= sp=1180010 vl=1170010";
    QTest::newRow("SP: the inclusive service")               << false << ""        << ""             << "kindSPButton" << "SIP 1180010 sr=1110010 gr=1190010 sp= vl=1170010";
    QTest::newRow("basket's warranty package as SR")         << true  << ""        << "kindGRButton" << "kindSRButton" << "SRP 1110010 sr= gr=1190010 sp= vl=";
    QTest::newRow("SR key is the row's own number")          << true  << "1110020" << "kindGRButton" << "kindSRButton" << "SRP 1110020 sr= gr=1190010 sp= vl=";
    QTest::newRow("basket's warranty package as SP")         << false << ""        << "kindGRButton" << "kindSPButton" << "SIP 1180010 sr=1110010 gr=1190010 sp= vl=1170010";
    QTest::newRow("basket's inclusive service as GR")        << false << ""        << "kindSPButton" << "kindGRButton" << "GRP 1190010 sr=1110010 gr= sp=1180010 vl=1170010";
    // clang-format on
}

void TestSRPBbPage::kindButtonLoadsTheVariant()
{
    QFETCH(bool, warrantyOnly);
    QFETCH(QString, own);
    QFETCH(QString, stored);
    QFETCH(QString, button);
    QFETCH(QString, head);
    CPackageRow row = Row(QStringLiteral("1110010"));
    if (warrantyOnly)
        row.spNumber = row.vlNumber = QString();
    if (!own.isEmpty())
        row.ownNumber = own;
    m_page->SetPackage(row, CSRPBbDlg::KindSR, false, QStringLiteral("Motor"));
    m_page->ActivatePage(0);
    if (!stored.isEmpty()) {
        // Stored in that kind, then opened again from the basket.
        m_page->findChild<COwnButton *>(stored)->click();
        QVERIFY(m_page->AddToBasket());
        QCOMPARE(m_basket->stored.size(), size_t(1));
        m_page->TakeBasketPackage(*m_basket->stored.front().Paket);
        m_page->ActivatePage(1);
        QVERIFY(m_page->findChild<COwnButton *>(stored)->isChecked());
    }
    auto *kindButton = m_page->findChild<COwnButton *>(button);
    QVERIFY(kindButton && kindButton->isEnabled());
    kindButton->click();
    const CPosition *loaded = m_page->Edited().Head();
    QVERIFY(loaded);
    QCOMPARE(DescribeHead(*loaded), head);
    QVERIFY(kindButton->isChecked());
    // The lines are those of the package key, as the list would have loaded
    // them.
    const std::vector<CPosition *> &rows = m_page->PositionRows();
    QVERIFY(!rows.empty());
    QCOMPARE(rows.front()->PaketID, loaded->PaketID);
}

void TestSRPBbPage::storingKeepsThePageUnlessStored_data()
{
    // The basket's answers to the offer and to the replacement, how the
    // adviser stores ("P", "Übertragen", Backspace or "<--" with the
    // question 4036), his answers to 4036 and to 4077; then the entries
    // stored, the package list shown, the transfers.
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("replaceAnswer");
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("leave");
    QTest::addColumn<int>("overwrite");
    QTest::addColumn<int>("entries");
    QTest::addColumn<int>("listShown");
    QTest::addColumn<int>("transfers");
    // clang-format off
    QTest::newRow("stored: the package list follows")      << 3 << 3 << "P"         << int(IDOK)     << int(IDOK)     << 1 << 1 << 0;
    QTest::newRow("not stored: the page stays")            << 0 << 0 << "P"         << int(IDOK)     << int(IDOK)     << 0 << 0 << 0;
    QTest::newRow("already stored, kept: the page stays")  << 2 << 3 << "P"         << int(IDOK)     << int(IDNO)     << 0 << 0 << 0;
    QTest::newRow("already stored, overwritten")           << 2 << 3 << "P"         << int(IDOK)     << int(IDYES)    << 1 << 1 << 0;
    QTest::newRow("overwriting fails: the page stays")     << 2 << 0 << "P"         << int(IDOK)     << int(IDYES)    << 0 << 0 << 0;
    QTest::newRow("transfer after a store")                << 3 << 3 << "transfer"  << int(IDOK)     << int(IDOK)     << 1 << 1 << 1;
    QTest::newRow("no transfer when the store failed")     << 0 << 0 << "transfer"  << int(IDOK)     << int(IDOK)     << 0 << 0 << 0;
    QTest::newRow("Backspace, stored: the package list")   << 3 << 3 << "backspace" << int(IDYES)    << int(IDOK)     << 1 << 1 << 0;
    QTest::newRow("Backspace, not stored: the list")       << 3 << 3 << "backspace" << int(IDNO)     << int(IDOK)     << 0 << 1 << 0;
    QTest::newRow("Backspace, cancelled: the page stays")  << 3 << 3 << "backspace" << int(IDCANCEL) << int(IDOK)     << 0 << 0 << 0;
    QTest::newRow("Backspace, kept in the basket: list")   << 2 << 3 << "backspace" << int(IDYES)    << int(IDNO)     << 0 << 1 << 0;
    QTest::newRow("Backspace, overwrite cancelled: stays") << 2 << 3 << "backspace" << int(IDYES)    << int(IDCANCEL) << 0 << 0 << 0;
    QTest::newRow("back, kept in the basket: stays")       << 2 << 3 << "back"      << int(IDYES)    << int(IDNO)     << 0 << 0 << 0;
    QTest::newRow("back, overwritten: the package list")   << 2 << 3 << "back"      << int(IDYES)    << int(IDYES)    << 1 << 1 << 0;
    // clang-format on
}

void TestSRPBbPage::storingKeepsThePageUnlessStored()
{
    QFETCH(int, answer);
    QFETCH(int, replaceAnswer);
    QFETCH(QString, action);
    QFETCH(int, leave);
    QFETCH(int, overwrite);
    QFETCH(int, entries);
    QFETCH(int, listShown);
    QFETCH(int, transfers);
    open(QStringLiteral("1110010"), CSRPBbDlg::KindSR);
    // The adviser drops the first line he may drop.
    const std::vector<CPosition *> rows = m_page->PositionRows();
    int dropped = -1;
    for (int i = 0; i < int(rows.size()) && dropped < 0; ++i) {
        if (rows[size_t(i)]->Type == POS_WORK && rows[size_t(i)]->Selected &&
            LineStateOf(*rows[size_t(i)]) == kStateAlone)
            dropped = i;
    }
    QVERIFY(dropped >= 0);
    CPosition *line = rows[size_t(dropped)];
    m_page->DoubleClickRow(dropped);
    QCOMPARE(line->Selected, 0);
    const int lines = CountLines(m_page->Edited().Paket());

    m_basket->answer = answer;
    m_basket->replaceAnswer = replaceAnswer;
    AnswerQuestions(leave, overwrite);
    if (action == QLatin1String("transfer"))
        m_page->OnTransfer();
    else if (action == QLatin1String("backspace"))
        QTest::keyClick(m_page.get(), Qt::Key_Backspace);
    else if (action == QLatin1String("back"))
        m_page->findChild<COwnButton *>(QStringLiteral("backButton"))->click();
    else
        m_page->AddToBasket();

    QCOMPARE(int(m_basket->stored.size()), entries);
    QCOMPARE(m_host.listShown, listShown);
    QCOMPARE(m_basket->transfers, transfers);
    // The page keeps its package and the choice, whatever the basket did;
    // the basket's entry is a copy of it.
    QCOMPARE(CountLines(m_page->Edited().Paket()), lines);
    QCOMPARE(line->Selected, 0);
    if (entries) {
        const CWKListItem &entry = m_basket->stored.front();
        QCOMPARE(entry.Kind, int(WK_SRP));
        QVERIFY(entry.Paket && entry.Paket.get() != &m_page->Edited().Paket());
        QCOMPARE(CountLines(*entry.Paket), lines);
    }
}

void TestSRPBbPage::dmsAnswerVinIsChecked_data()
{
    // Row: the short VIN the DMS answers with, the messages shown, whether
    // the work position got the answer's price.
    QTest::addColumn<QString>("vinShort");
    QTest::addColumn<QString>("messages");
    QTest::addColumn<bool>("priced");
    // clang-format off
    QTest::newRow("short VIN of this vehicle")     << "M012345" << ""     << true;
    QTest::newRow("short VIN of another vehicle")  << "4K56789" << "5056" << false;
    // clang-format on
}

void TestSRPBbPage::dmsAnswerVinIsChecked()
{
    QFETCH(QString, vinShort);
    QFETCH(QString, messages);
    QFETCH(bool, priced);
    m_settings.SRPInterfaceReq = 4;
    m_settings.ReqXMLServer = QStringLiteral("http://127.0.0.1:9/");
    UpdateDmsHeader(&m_settings);
    AnsweringDms dms;
    dms.answer =
        QStringLiteral(
            "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body>"
            "<requestPackageInfoResponse refSchema=\"serviceRepairPackages.xsd\" version=\"%1\">"
            "<vin vinLongPrefix=\"\" vinShort=\"%2\"/><package productType=\"car\">"
            "<number>111001017A010</number><flatRates productType=\"car\"><number>1110015</number>"
            "<price currency=\"EUR\"><netPrice>42.00</netPrice><valueAddedTax>19</valueAddedTax>"
            "</price></flatRates></package></requestPackageInfoResponse></soap:Body>"
            "</soap:Envelope>")
            .arg(m_settings.SchemaVersion, vinShort);
    m_page->SetDmsSender(&dms);
    open(QStringLiteral("1110010"), CSRPBbDlg::KindSR);
    CPosition *work =
        m_page->Edited().Paket().FindPosition(POS_WORK, QStringLiteral("1110015"), QString());
    QVERIFY(work);
    const qsizetype before = m_env.boxes().size();
    m_page->OnDmsRequest();
    QCOMPARE(dms.calls, 1);
    QCOMPARE(BoxIds(m_env.boxes().mid(before)), messages);
    QCOMPARE(work->Preise1.UnitNet == 42.0, priced);
}

void TestSRPBbPage::headRowsShowTheirTexts_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("mainGroup");
    QTest::addColumn<QString>("texts");
    // clang-format off
    QTest::newRow("main group")            << int(POS_SPECIAL1)      << "11" << "11|Motor";
    QTest::newRow("the campaigns' group")  << int(POS_SPECIAL1)      << "XX" << "Motor";
    QTest::newRow("campaign period")       << int(POS_SPECIAL2)      << "XX" << "01.01.2026 - 31.12.2029|Frühjahrs-Check";
    QTest::newRow("campaign head")         << int(POS_SPECIAL4)      << "XX" << "11|10|010|2|Inspektion Frühjahr";
    QTest::newRow("package head")          << int(POS_HEAD_CAMPAIGN) << "11" << "34|10|050|A|Inspektion Frühjahr";
    // clang-format on
}

void TestSRPBbPage::headRowsShowTheirTexts()
{
    QFETCH(int, type);
    QFETCH(QString, mainGroup);
    QFETCH(QString, texts);
    CPosition line;
    line.Type = type;
    line.HG = mainGroup;
    line.HGText = QStringLiteral("Motor");
    line.Number = QStringLiteral("3410050");
    line.PaketTexts[kSuffix] = QStringLiteral("A");
    line.AwText1 = QStringLiteral("Inspektion Frühjahr");
    line.Campaign[CPosition::CampaignBegin] = QStringLiteral("20260101");
    line.Campaign[CPosition::CampaignEnd] = QStringLiteral("20291231");
    line.Campaign[CPosition::CampaignName] = QStringLiteral("Frühjahrs-Check   ");
    line.Campaign[CPosition::CampaignPackageRef] = QStringLiteral("111100102");
    QCOMPARE(CSRPBbRowPainter::HeadRowTexts(line).join(QLatin1Char('|')), texts);

    // The row is painted, not left empty.
    CSRPBbRowPainter painter(true);
    QImage image(600, 80, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter dc(&image);
        painter.PaintLine(&dc, line, CRect(0, 0, 600, 80), 1);
    }
    QVERIFY(image != [&] {
        QImage blank(image.size(), image.format());
        blank.fill(Qt::white);
        return blank;
    }());
}

void TestSRPBbPage::stockCellOfALine_data()
{
    // Row: the line's type, whether its stock is known, the stock, the
    // quantity asked; the cell's text ("" for no cell) and whether it is red.
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("known");
    QTest::addColumn<double>("stock");
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("red");
    // clang-format off
    QTest::newRow("stock 99 shows 99")                 << int(POS_PART) << 1 << 99.0   << "1" << "99"   << false;
    QTest::newRow("stock 99.5 shows >99")              << int(POS_PART) << 1 << 99.5   << "1" << ">99"  << false;
    QTest::newRow("three digits at most")              << int(POS_PART) << 1 << 1.2345 << "1" << "1.23" << false;
    QTest::newRow("no stock shows 0")                  << int(POS_PART) << 1 << 0.0    << "1" << "0"    << true;
    QTest::newRow("a negative stock shows 0")          << int(POS_PART) << 1 << -2.0   << "1" << "0"    << true;
    QTest::newRow("negative stock, none asked")        << int(POS_PART) << 1 << -2.0   << "0" << "0"    << false;
    QTest::newRow("3 asked of 2: red")                 << int(POS_PART) << 1 << 2.0    << "3" << "2"    << true;
    QTest::newRow("2 asked of 2: not red")             << int(POS_PART) << 1 << 2.0    << "2" << "2"    << false;
    QTest::newRow("2.5 asked of 2: red")               << int(POS_PART) << 1 << 2.0    << "2.5" << "2"  << true;
    QTest::newRow("stock unknown: no cell")            << int(POS_PART) << 0 << 5.0    << "1" << ""     << false;
    QTest::newRow("a work position has no stock cell") << int(POS_WORK) << 1 << 5.0    << "1" << ""     << false;
    // clang-format on
}

void TestSRPBbPage::stockCellOfALine()
{
    QFETCH(int, type);
    QFETCH(int, known);
    QFETCH(double, stock);
    QFETCH(QString, quantity);
    CPosition line;
    line.Type = type;
    line.StockKnown = known;
    line.Stock = stock;
    line.Quantity = quantity;
    const CSRPBbRowPainter::StockFigure cell = CSRPBbRowPainter::StockCell(line);
    QFETCH(QString, text);
    QCOMPARE(cell.shown, !text.isEmpty());
    QCOMPARE(cell.text, text);
    QTEST(cell.red, "red");
}

void TestSRPBbPage::priceCellsOfALine_data()
{
    // Row: the line's type, its customer gross and net (in campaign mode
    // its campaign usage "S" or "O" and its dealer-optional mark), whether
    // its price is still asked for, whether its prices are complete, whether
    // it is chosen; the gross and net lines ("gross|net", "*" after a red
    // one).
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("campaign");
    QTest::addColumn<double>("price");
    QTest::addColumn<int>("asked");
    QTest::addColumn<int>("complete");
    QTest::addColumn<QString>("usage"); // campaign usage and dealer-optional mark
    QTest::addColumn<int>("chosen");
    QTest::addColumn<QString>("cells");
    // clang-format off
    QTest::newRow("2.675 shows 2.68")                      << int(POS_PART)       << false << 2.675 << 0 << 1 << ""   << 1 << "2.68|2.68";
    QTest::newRow("part asked, not delivered: red ?")      << int(POS_PART)       << false << -3.0  << 0 << 1 << ""   << 1 << "?*|?*";
    QTest::newRow("part not priced: empty")                << int(POS_PART)       << false << -1.0  << 0 << 1 << ""   << 1 << "|";
    QTest::newRow("work asked, not delivered: red ?")      << int(POS_WORK)       << false << -3.0  << 0 << 1 << ""   << 1 << "?*|?*";
    QTest::newRow("work by time: red AZ, no net")          << int(POS_WORK)       << false << -2.0  << 0 << 1 << ""   << 1 << "AZ*|*";
    QTest::newRow("sub-package asked: red ? on both")      << int(POS_SUBPACKAGE) << false << -1.0  << 1 << 1 << ""   << 1 << "?*|?*";
    QTest::newRow("sub-package not asked: nothing")        << int(POS_SUBPACKAGE) << false << -1.0  << 0 << 1 << ""   << 1 << "*|*";
    QTest::newRow("sub-package incomplete: red")           << int(POS_SUBPACKAGE) << false << 5.0   << 0 << 0 << ""   << 1 << "5.00*|5.00*";
    QTest::newRow("campaign: dealer's standard part, unchosen: nothing") << int(POS_PART) << true << 5.0 << 0 << 1 << "S1" << 0 << "|";
    QTest::newRow("campaign: dealer's standard part, chosen: MK")        << int(POS_PART) << true << 5.0 << 0 << 1 << "S1" << 1 << "MK|";
    QTest::newRow("campaign: optional part open to the dealer: price")   << int(POS_PART) << true << 5.0 << 0 << 1 << "O0" << 0 << "5.00|5.00";
    QTest::newRow("campaign: optional part not priced: empty, not red")  << int(POS_PART) << true << -1.0 << 0 << 1 << "O0" << 0 << "|";
    QTest::newRow("campaign: optional work by time: red AZ, no net")     << int(POS_WORK) << true << -2.0 << 0 << 1 << "O0" << 0 << "AZ*|*";
    QTest::newRow("campaign: optional work not priced: red, empty")      << int(POS_WORK) << true << -1.0 << 0 << 1 << "B0" << 0 << "*|*";
    QTest::newRow("campaign: optional work not delivered: red ?")        << int(POS_WORK) << true << -3.0 << 0 << 1 << "B0" << 0 << "?*|?*";
    QTest::newRow("sub-package by time: AZ on both lines")               << int(POS_SUBPACKAGE) << false << -2.0 << 0 << 1 << "" << 1 << "AZ*|AZ*";
    // clang-format on
}

void TestSRPBbPage::priceCellsOfALine()
{
    QFETCH(int, type);
    QFETCH(bool, campaign);
    QFETCH(double, price);
    QFETCH(QString, usage);
    CPosition line;
    line.Type = type;
    QFETCH(int, chosen);
    line.Selected = chosen;
    CPriceSet &set = campaign ? line.Preise3 : line.Preise1;
    set.Gross = set.Net = price;
    QFETCH(int, asked);
    line.Preise1.NoPrice = asked;
    QFETCH(int, complete);
    line.Preise1.Complete = complete;
    line.Campaign[CPosition::CampaignPartUsage] = line.Campaign[CPosition::CampaignWorkUsage] =
        usage.left(1);
    line.Campaign[CPosition::CampaignPartStatus] = line.Campaign[CPosition::CampaignWorkStatus] =
        usage.mid(1);
    const CSRPBbRowPainter::PriceCells cells = CSRPBbRowPainter::LinePriceCells(line, campaign);
    QTEST(cells.gross + (cells.redGross ? "*" : "") + '|' + cells.net + (cells.redNet ? "*" : ""),
          "cells");
}

void TestSRPBbPage::columnHeaderTitles_data()
{
    // Row: a title of the position list's header and where its field
    // begins right of the text column, for columns of 60 pixels.
    QTest::addColumn<int>("textId");
    QTest::addColumn<int>("x");
    // clang-format off
    QTest::newRow("Menge over the quantity")            << 3122 << 2;
    QTest::newRow("Bestand over the stock")             << 3123 << 62;
    QTest::newRow("Auswahl over the choice")            << 3124 << 122;
    QTest::newRow("Preis in the middle of the price")   << 2050 << 242;
    // clang-format on
}

void TestSRPBbPage::columnHeaderTitles()
{
    QFETCH(int, textId);
    const std::vector<CSRPBbRowPainter::HeaderTitle> titles = CSRPBbRowPainter::ColumnTitles(60);
    QCOMPARE(titles.size(), size_t(4));
    const auto title = std::find_if(titles.begin(), titles.end(),
                                    [textId](const auto &t) { return t.textId == textId; });
    QVERIFY(title != titles.end());
    QTEST(title->at, "x");
}

void TestSRPBbPage::numberGroups_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<bool>("part");
    QTest::addColumn<QString>("groups");
    // clang-format off
    QTest::newRow("part number of eleven: 2-2-1-3-3") << "VQ001150123"  << true  << "VQ|00|1|150|123";
    QTest::newRow("part number of ten: unchanged")    << "VQ00115012"   << true  << "VQ00115012";
    QTest::newRow("part number of twelve: unchanged") << "VQ0011501234" << true  << "VQ0011501234";
    QTest::newRow("work position: 2-2-rest")          << "1110010"      << false << "11|10|010";
    // clang-format on
}

void TestSRPBbPage::numberGroups()
{
    QFETCH(QString, number);
    QFETCH(bool, part);
    QTEST(CSRPBbRowPainter::NumberGroups(number, part).join(QLatin1Char('|')), "groups");
}

void TestSRPBbPage::partRowTexts_data()
{
    // Row: the part's number, its replacement's number and text, its own
    // text; the row's number groups, the ordered number, the text below.
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("replacementText");
    QTest::addColumn<QString>("shown");
    // clang-format off
    QTest::newRow("part not replaced: its number and text")     << "VQ001150123" << ""            << ""              << "VQ 00 1 150 123||Oelfilter";
    QTest::newRow("replaced: the replacement, then the ordered") << "VQ001150123" << "VQ001150124" << "Oelfilter neu" << "VQ 00 1 150 124|( VQ 00 1 150 123 )|Oelfilter neu";
    QTest::newRow("replacement without text: the part's text")   << "VQ001150123" << "VQ001150124" << ""              << "VQ 00 1 150 124|( VQ 00 1 150 123 )|Oelfilter";
    QTest::newRow("replacement number of blanks: not replaced")  << "VQ001150123" << "           " << ""              << "VQ 00 1 150 123||Oelfilter";
    // clang-format on
}

void TestSRPBbPage::partRowTexts()
{
    CPosition line;
    line.Type = POS_PART;
    QFETCH(QString, number);
    line.Number = number;
    QFETCH(QString, replacement);
    line.ErsetztDurchNummer = replacement;
    QFETCH(QString, replacementText);
    line.ErsetztDurchText = replacementText;
    line.TeileText = QStringLiteral("Oelfilter");
    const CSRPBbRowPainter::PartTexts texts = CSRPBbRowPainter::PartRowTexts(line);
    QTEST(QStringList({texts.numberGroups.join(QLatin1Char(' ')), texts.ordered, texts.text})
              .join(QLatin1Char('|')),
          "shown");
}

// Short texts are added while they fit; once one does not, the later ones
// are not tried, even one that would fit.
void TestSRPBbPage::shortTextsAsFarAsTheyFit()
{
    CPosition line;
    line.KlammerText1 = QStringLiteral("Motoroel");
    line.KlammerText2 = QStringLiteral("Filter und Dichtring nach Vorschrift des Herstellers");
    line.KlammerText3 = QStringLiteral("5W30");
    const QFont font = CSRPBbRowPainter(false).RowFonts().shortText;
    const int width = QFontMetrics(font).horizontalAdvance(QStringLiteral("Motoroel 5W30 "));
    QCOMPARE(CSRPBbRowPainter::FitShortTexts(line, font, width), QStringLiteral("Motoroel"));
    QCOMPARE(CSRPBbRowPainter::FitShortTexts(line, font, 1), QStringLiteral("Motoroel"));
    line.KlammerText2.clear();
    QCOMPARE(CSRPBbRowPainter::FitShortTexts(line, font, width), QStringLiteral("Motoroel 5W30"));
}

void TestSRPBbPage::linePricesShown_data()
{
    QTest::addColumn<bool>("head");
    QTest::addColumn<int>("inclusive");
    QTest::addColumn<int>("manual");
    QTest::addColumn<bool>("shown");
    // clang-format off
    QTest::newRow("package with a head")             << true  << 0 << 0 << true;
    QTest::newRow("no head")                         << false << 0 << 0 << false;
    QTest::newRow("inclusive price of the head")     << true  << 1 << 0 << false;
    QTest::newRow("package price set by hand")       << true  << 0 << 1 << false;
    // clang-format on
}

void TestSRPBbPage::linePricesShown()
{
    QFETCH(bool, head);
    QFETCH(int, inclusive);
    QFETCH(int, manual);
    CPaket paket;
    auto line = std::make_unique<CPosition>();
    line->Type = head ? POS_HEAD_CAMPAIGN : POS_SPECIAL1;
    line->Preise1.FlatPrice = inclusive;
    line->PriceCalcFlag = manual;
    paket.AddPosition(std::move(line));
    QTEST(CSRPBbRowPainter::LinePricesShown(&paket), "shown");
}

void TestSRPBbPage::positionRowColours_data()
{
    // Row: the line's type, kind and choice, whether it is the selected row
    // of the list with the focus; its background and text.
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("chosen");
    QTest::addColumn<bool>("selected");
    QTest::addColumn<QColor>("background");
    QTest::addColumn<QColor>("text");
    QPalette palette;
    const QColor grey = palette.color(QPalette::Disabled, QPalette::Text);
    const QColor highlight = palette.color(QPalette::Active, QPalette::Highlight);
    const QColor white(255, 255, 255);
    const QColor black(0, 0, 0);
    // clang-format off
    QTest::newRow("optional work position, open")     << int(POS_WORK)       << "O"  << 0 << false << white                   << QColor(0, 154, 99);
    QTest::newRow("optional work position, chosen")   << int(POS_WORK)       << "O"  << 1 << false << white                   << black;
    QTest::newRow("optional sub-package, open")       << int(POS_SUBPACKAGE) << "OP" << 0 << false << white                   << QColor(0, 154, 99);
    QTest::newRow("standard work position, unchosen") << int(POS_WORK)       << "S"  << 0 << false << white                   << grey;
    QTest::newRow("standard part, chosen")            << int(POS_PART)       << "S"  << 1 << false << white                   << black;
    QTest::newRow("selected line with the focus")     << int(POS_PART)       << "S"  << 1 << true  << highlight               << QColor(255, 255, 0);
    QTest::newRow("group line, even selected")        << int(POS_GROUP)      << ""   << 1 << true  << QColor(166, 202, 240)   << black;
    // clang-format on
}

void TestSRPBbPage::positionRowColours()
{
    QFETCH(int, type);
    QFETCH(QString, kind);
    QFETCH(int, chosen);
    QFETCH(bool, selected);
    CPosition line;
    line.Type = type;
    line.Kind = kind;
    line.Selected = chosen;
    QColor background, text;
    CSRPBbRowPainter::PositionRowColours(line, selected, true, QPalette(), &background, &text);
    QTEST(background, "background");
    QTEST(text, "text");
}

void TestSRPBbPage::legendAndSumFigures_data()
{
    // Row: campaign mode, the DMS exchange, what differs in the head's
    // prices; the sum and the legend's block as "name|net|gross|currency",
    // "*" after a red one, "(*)" with the flat-price mark.
    QTest::addColumn<bool>("campaign");
    QTest::addColumn<int>("xml");
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("sum");    // net|gross|currency
    QTest::addColumn<QString>("legend"); // the block before the sum's legend
    // clang-format off
    QTest::newRow("campaign: after the optional lines, normal price") << true  << 1 << ""                 << "180.00|225.00|EUR"  << "Normal|100.00|119.00|EUR";
    QTest::newRow("campaign outside the DMS exchange")                << true  << 0 << ""                 << "180.00|225.00|EUR"  << "Normal|100.00|119.00|EUR";
    QTest::newRow("service package: standard price")                  << false << 1 << ""                 << "100.00|119.00|EUR"  << "Standard|90.00|107.10|EUR";
    QTest::newRow("service package outside the DMS exchange")         << false << 0 << ""                 << "100.00|119.00|EUR"  << "";
    QTest::newRow("standard price incomplete: red block")             << false << 1 << "2 incomplete"     << "100.00|119.00|EUR"  << "Standard|90.00|107.10|EUR*";
    QTest::newRow("customer price incomplete: red sum only")          << false << 1 << "1 incomplete"     << "100.00|119.00|EUR*" << "Standard|90.00|107.10|EUR";
    QTest::newRow("campaign: normal price incomplete: red block")     << true  << 1 << "1 incomplete"     << "180.00|225.00|EUR"  << "Normal|100.00|119.00|EUR*";
    QTest::newRow("campaign: campaign price incomplete: red sum")     << true  << 1 << "3 incomplete"     << "180.00|225.00|EUR*" << "Normal|100.00|119.00|EUR";
    QTest::newRow("campaign: sum marked by the standard flat price")  << true  << 1 << "2 flat"           << "180.00|225.00|EUR(*)" << "Normal|100.00|119.00|EUR";
    QTest::newRow("campaign: sum not delivered ?, not set empty")     << true  << 1 << "3 missing"        << "?||EUR*"            << "Normal|100.00|119.00|EUR";
    QTest::newRow("standard price not set: no block")                 << false << 1 << "2 not set"        << "100.00|119.00|EUR"  << "";
    // clang-format on
}

void TestSRPBbPage::legendAndSumFigures()
{
    QFETCH(bool, campaign);
    QFETCH(int, xml);
    QFETCH(QString, change);
    CPosition head;
    head.Type = POS_HEAD_CAMPAIGN;
    const auto prices = [](CPriceSet &set, double net, double gross) {
        set.Net = net;
        set.Gross = gross;
        set.TotalsCurrency = QStringLiteral("EUR");
        set.Complete = 1;
    };
    prices(head.Preise1, 100.0, 119.0);
    prices(head.Preise2, 90.0, 107.1);
    prices(head.Preise3, 180.0, 225.0); // the delivered 160/200 with an optional line
    head.Preise3.PackageNet = 160.0;
    head.Preise3.PackageGross = 200.0;
    CPriceSet *const sets[] = {&head.Preise1, &head.Preise2, &head.Preise3};
    CPriceSet &changed = *sets[qBound(0, change.left(1).toInt() - 1, 2)];
    if (change.endsWith(QLatin1String("incomplete")))
        changed.Complete = 0;
    else if (change.endsWith(QLatin1String("flat")))
        changed.FlatPrice = 1;
    else if (change.endsWith(QLatin1String("missing"))) {
        changed.Net = -3.0;
        changed.Gross = -1.0;
        changed.Complete = 0;
    } else if (change.endsWith(QLatin1String("not set")))
        changed.Net = changed.Gross = -1.0;
    m_settings.SRPInterfaceReq = 4;
    m_settings.XMLx = xml;

    const auto shown = [](const CSRPBbRowPainter::PriceFigures &f, const QStringList &texts) {
        return texts.join(QLatin1Char('|')) + (f.red ? "*" : "") + (f.flatMark ? "(*)" : "");
    };
    const CSRPBbRowPainter::PriceFigures sum = CSRPBbRowPainter::SumFigures(&head, campaign);
    QTEST(shown(sum, {sum.net, sum.gross, sum.currency}), "sum");
    CSRPBbRowPainter::PriceFigures block;
    QString legend;
    if (CSRPBbRowPainter::LegendFigures(&head, &m_settings, campaign, true, &block))
        legend = shown(block, {block.name, block.net, block.gross, block.currency});
    QTEST(legend, "legend");
}

void TestSRPBbPage::enterOnThePositionList_data()
{
    // Row: the keys pressed in the position list just given the focus, the
    // rows afterwards ("number/selected", "G" a group line).
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QString>("rows");
    // clang-format off
    QTest::newRow("Return, nothing selected: nothing changes") << QList<int>{Qt::Key_Return}                             << "1110010/1 1110015/1 VQ0011501/1 VQ0011502/1 G 1110017/0 VQ0011504/0 G 1110020/0 3410010/0";
    QTest::newRow("first Down selects the first line")         << QList<int>{Qt::Key_Down, Qt::Key_Return}               << "1110010/0 1110015/1 VQ0011501/1 VQ0011502/1 G 1110017/0 VQ0011504/0 G 1110020/0 3410010/0";
    QTest::newRow("Return opens the selected group")           << QList<int>{Qt::Key_Down, Qt::Key_Down, Qt::Key_Return} << "1110010/1 1110015/1 1110016/0 VQ0011501/1 VQ0011502/1 G 1110017/0 VQ0011504/0 G 1110020/0 3410010/0";
    QTest::newRow("pad Enter opens the selected group")        << QList<int>{Qt::Key_Down, Qt::Key_Down, Qt::Key_Enter}  << "1110010/1 1110015/1 1110016/0 VQ0011501/1 VQ0011502/1 G 1110017/0 VQ0011504/0 G 1110020/0 3410010/0";
    // clang-format on
}

void TestSRPBbPage::enterOnThePositionList()
{
    QFETCH(QList<int>, keys);
    open(QStringLiteral("1110010"), CSRPBbDlg::KindSR);
    m_page->show();
    m_page->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_page.get(), YaqTest::kHangMs));
    auto *list = m_page->findChild<QAbstractItemView *>(QStringLiteral("packagePositionList"));
    QVERIFY(list);
    list->setFocus();
    for (int key : keys)
        QTest::keyClick(list, Qt::Key(key));
    QTEST(Describe(m_page->PositionRows()), "rows");
}

void TestSRPBbPage::sumButtonOpensByMode_data()
{
    // The dealer lets the adviser set a package price by hand; the DMS
    // prices by XML. Outside the training edition the sum opens only where
    // the basket goes to the DMS too.
    QTest::addColumn<int>("training");
    QTest::addColumn<int>("send");
    QTest::addColumn<bool>("opens");
    // clang-format off
    QTest::newRow("basket to the DMS")                 << 0 << 4 << true;
    QTest::newRow("basket by text export")             << 0 << 3 << false;
    QTest::newRow("training edition, by text export")  << 1 << 3 << true;
    // clang-format on
}

void TestSRPBbPage::sumButtonOpensByMode()
{
    QFETCH(int, training);
    QFETCH(int, send);
    QFETCH(bool, opens);
    m_settings.DirUserPriceEditing = 1;
    m_settings.SRPInterfaceReq = 4;
    m_settings.XMLx = 1;
    m_settings.bSchulung = training;
    m_settings.SRPInterfaceSend = send;
    open(QStringLiteral("1110010"), CSRPBbDlg::KindSR);
    const auto *sum = m_page->findChild<QWidget *>(QStringLiteral("sumButton"));
    QVERIFY(sum);
    QCOMPARE(sum->isEnabled(), opens);
}

YAQ_TEST_MAIN(TestSRPBbPage)

#include "tst_srpbbpage.moc"
