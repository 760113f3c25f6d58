// The package editing page on the demo catalogue: a package handed over by
// the package list shows its lines, the kind buttons load the package's
// other variants, "P" stores a copy in the basket and leaves the page, and
// a store that fails (or is declined) keeps the package and its choices on
// the page; a transfer follows only a successful store.

#include "basket/model/WKListItem.h"
#include "common/OwnButton.h"
#include "packages/PackageBasket.h"
#include "packages/SRPBbDlg.h"
#include "packages/edit/PackageLoader.h"
#include "packages/edit/PackageSelection.h"
#include "packages/model/Paket.h"
#include "platform/OrmelText.h"
#include "platform/db/YaqDb.h"
#include "settings/PrgSettings.h"
#include "support/NullPageHost.h"
#include "support/TestEnv.h"

#include <QtTest>

#include <memory>

namespace {

class RecordingHost : public CNullPageHost
{
public:
    int listShown = 0;

    void ShowSRPWlPage(int) override { ++listShown; }
};

// A basket that answers as told and keeps what it stored.
class RecordingBasket : public IPackageBasket
{
public:
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
    int EntryCount() const override { return int(stored.size()); }
    bool CanTransfer() const override { return true; }
    void SetDirectTransfer(bool) override {}
    void TransferStored() override { ++transfers; }
};

// Every labour position of the demo packages applies.
class AllApply : public IPackageLoadReads
{
public:
    int CatalogueColumn() override { return 0; }
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

// A package row of the list as the list page hands it over.
CPackageRow Row(const QString &number)
{
    CPackageRow row;
    row.level = kLevelPackage;
    row.marker = number.left(2);
    row.number = number;
    row.kind = QStringLiteral("SRP");
    if (number == QLatin1String("1110010")) {
        row.grNumber = QStringLiteral("1190010");
        row.spNumber = QStringLiteral("1180010");
        row.vlNumber = QStringLiteral("1170010");
    }
    return row;
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

private:
    void open(const QString &number, int kind);

    TestEnv m_env;
    CPrgSettings m_settings;
    RecordingHost m_host;
    RecordingBasket m_basket;
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
    m_basket = RecordingBasket();
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
    m_page->SetBasket(&m_basket);
    m_page->SetLoadReads(&m_reads);
    m_page->SetConnectionOpener(&OpenDemo);
}

void TestSRPBbPage::cleanup()
{
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
    // clang-format off
    QTest::newRow("optional line behind its group")  << "1110020" << int(CSRPBbDlg::KindSR) << "SRP" << "1110020/1 VQ0012001/1 G 1110021/0";
    QTest::newRow("service repair with alternatives") << "1110010" << int(CSRPBbDlg::KindSR) << "SRP" << "1110010/1 1110015/1 VQ0011501/1 VQ0011502/1 G 1110017/0 VQ0011504/0 G 1110020/0 3410010/0";
    QTest::newRow("its inclusive-service variant")   << "1110010" << int(CSRPBbDlg::KindSP) << "SIP" << "1180010/1";
    // clang-format on
}

void TestSRPBbPage::handedPackageShowsItsLines()
{
    QFETCH(QString, package);
    QFETCH(int, kind);
    QFETCH(QString, headKind);
    QFETCH(QString, rows);
    open(package, kind);
    const CPosition *head = m_page->Edited().Head();
    QVERIFY(head);
    QCOMPARE(head->PaketArt, headKind);
    QCOMPARE(Describe(m_page->PositionRows()), rows);
    // Shown again (back from the findings, say), the package keeps its lines.
    const int lines = CountLines(m_page->Edited().Paket());
    m_page->ActivatePage(0);
    QCOMPARE(CountLines(m_page->Edited().Paket()), lines);
}

void TestSRPBbPage::kindButtonLoadsTheVariant_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("headKind");
    QTest::addColumn<QString>("headKey");
    // clang-format off
    QTest::newRow("GR: the warranty package")  << "kindGRButton" << "GRP" << "1190010";
    QTest::newRow("SP: the inclusive service") << "kindSPButton" << "SIP" << "1180010";
    // clang-format on
}

void TestSRPBbPage::kindButtonLoadsTheVariant()
{
    QFETCH(QString, button);
    QFETCH(QString, headKind);
    QFETCH(QString, headKey);
    open(QStringLiteral("1110010"), CSRPBbDlg::KindSR);
    auto *kindButton = m_page->findChild<COwnButton *>(button);
    QVERIFY(kindButton && kindButton->isEnabled());
    kindButton->click();
    const CPosition *head = m_page->Edited().Head();
    QVERIFY(head);
    QCOMPARE(head->PaketArt, headKind);
    QCOMPARE(head->PaketID, headKey);
    QVERIFY(kindButton->isChecked());
    QVERIFY(CountLines(m_page->Edited().Paket()) > 0);
}

void TestSRPBbPage::storingKeepsThePageUnlessStored_data()
{
    // The basket's answers to the offer and to the replacement, the answer
    // to question 4077, whether "Übertragen" was pressed rather than "P";
    // then the entries stored, the package list shown, the transfers.
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("replaceAnswer");
    QTest::addColumn<int>("question");
    QTest::addColumn<bool>("transfer");
    QTest::addColumn<int>("entries");
    QTest::addColumn<int>("listShown");
    QTest::addColumn<int>("transfers");
    // clang-format off
    QTest::newRow("stored: the package list follows")      << 3 << 3 << int(IDOK)  << false << 1 << 1 << 0;
    QTest::newRow("not stored: the page stays")            << 0 << 0 << int(IDOK)  << false << 0 << 0 << 0;
    QTest::newRow("already stored, kept: the page stays")  << 2 << 3 << int(IDNO)  << false << 0 << 0 << 0;
    QTest::newRow("already stored, overwritten")           << 2 << 3 << int(IDYES) << false << 1 << 1 << 0;
    QTest::newRow("overwriting fails: the page stays")     << 2 << 0 << int(IDYES) << false << 0 << 0 << 0;
    QTest::newRow("transfer after a store")                << 3 << 3 << int(IDOK)  << true  << 1 << 1 << 1;
    QTest::newRow("no transfer when the store failed")     << 0 << 0 << int(IDOK)  << true  << 0 << 0 << 0;
    // clang-format on
}

void TestSRPBbPage::storingKeepsThePageUnlessStored()
{
    QFETCH(int, answer);
    QFETCH(int, replaceAnswer);
    QFETCH(int, question);
    QFETCH(bool, transfer);
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

    m_basket.answer = answer;
    m_basket.replaceAnswer = replaceAnswer;
    m_env.answerBoxes(question);
    if (transfer)
        m_page->OnTransfer();
    else
        m_page->AddToBasket();

    QCOMPARE(int(m_basket.stored.size()), entries);
    QCOMPARE(m_host.listShown, listShown);
    QCOMPARE(m_basket.transfers, transfers);
    // The page keeps its package and the choice, whatever the basket did;
    // the basket's entry is a copy of it.
    QCOMPARE(CountLines(m_page->Edited().Paket()), lines);
    QCOMPARE(line->Selected, 0);
    if (entries) {
        const CWKListItem &entry = m_basket.stored.front();
        QCOMPARE(entry.Kind, int(WK_SRP));
        QVERIFY(entry.Paket && entry.Paket.get() != &m_page->Edited().Paket());
        QCOMPARE(CountLines(*entry.Paket), lines);
    }
}

YAQ_TEST_MAIN(TestSRPBbPage)

#include "tst_srpbbpage.moc"
