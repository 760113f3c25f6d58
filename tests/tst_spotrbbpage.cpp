// The spot-repair page on the demo dealer data: a way chosen on the package
// list gets its works once, two works are priced with their factor, "P"
// stores the package in the basket, and the package handed back by the
// basket shows as stored, without a second set of works.

#include "basket/model/WKListItem.h"
#include "basket/model/WkBasket.h"
#include "packages/SpotRBbDlg.h"
#include "packages/SpotRRowPainter.h"
#include "packages/edit/SpotRepairData.h"
#include "packages/list/SpotRepairRows.h"
#include "packages/model/SpotRepairLine.h"
#include "platform/OrmelText.h"
#include "settings/PrgSettings.h"
#include "support/NullPageHost.h"
#include "support/TestEnv.h"
#include "support/Waits.h"

#include <QComboBox>
#include <QListView>
#include <QtTest>

#include <algorithm>
#include <functional>

namespace {

class RecordingHost : public CNullPageHost
{
public:
    int listShown = 0;
    int levelsUp = 0; // the list shown and asked to go one level up
    void ShowPage(int pageId, const CPageRequest &request) override
    {
        if (pageId == kPageSRPWl) {
            ++listShown;
            levelsUp += request.levelUp ? 1 : 0;
        }
    }
};

class RecordingBasket : public CWkBasket
{
public:
    std::vector<CWKListItem> stored;
    QStringList modes;
    int AddToBasket(CWKListItem *entry, int mode) override
    {
        modes << QString::number(mode);
        const int result = CWkBasket::AddToBasket(entry, mode);
        if (result == WK_ADD_DONE)
            stored.push_back(*entry);
        return result;
    }
};

// Pixels in the painter's red: prices not complete.
int RedPixels(const QImage &image)
{
    int red = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            red += c.red() >= 200 && c.green() <= 90 && c.blue() <= 90;
        }
    return red;
}

} // namespace

class TestSpotRBbPage : public QObject
{
    Q_OBJECT

private:
    TestEnv m_env;
    CPrgSettings m_settings;
    RecordingHost m_host;
    RecordingBasket m_basket;
    std::unique_ptr<CSpotRBbDlg> m_page;

    QListView *works() const { return m_page->findChild<QListView *>(QStringLiteral("workList")); }
    QString factor() const
    {
        return m_page->findChild<QComboBox *>(QStringLiteral("factorCombo"))->currentText();
    }
    void toggle(int row)
    {
        works()->setCurrentIndex(works()->model()->index(row, 0));
        m_page->ToggleWork();
    }
    // The demo's way: plain paint, first matrix row.
    void takeDemoWay()
    {
        const CSpotRepairRows rows(m_settings.DealerDataStorage, QStringLiteral("V"));
        CPackageList list;
        CSpotRepairRows::AddEntryRow(list, QStringLiteral("Lack (Spot Repair)"));
        QVERIFY(rows.ShowPaintClasses(list, *list.FirstOfLevel(kLevelSpotRepairEntry)).found);
        const CPackageRow *paint = list.RowsOfLevel(kLevelPaintClass).back(); // "Uni-Lack"
        QCOMPARE(paint->groupText, QStringLiteral("Uni-Lack"));
        QVERIFY(rows.ShowMatrixRows(list, *paint).found);
        const CPackageRow *matrix = list.RowsOfLevel(kLevelMatrixRow).back();
        CPackageRow top;
        top.level = kLevelTop;
        top.marker = kMarkerSpotRepair;
        top.groupText = QStringLiteral("Care & Cosmetic Repair");
        m_page->TakePackage(CSpotRepairRows::SpotRepairPathLine(top).get(),
                            CSpotRepairRows::SpotRepairHead(*matrix).get(),
                            CSpotRepairRows::SpotRepairPathLine(*list.FirstOfLevel(3)).get(),
                            CSpotRepairRows::SpotRepairPathLine(*paint).get(),
                            CSpotRepairRows::SpotRepairPathLine(*matrix).get());
    }

    // A priced package of the demo way in the basket, the page on screen.
    void storeDemoPackage()
    {
        takeDemoWay();
        m_page->ActivatePage(0);
        toggle(0);
        QVERIFY(m_page->OnStore());
        m_page->resize(1000, 700);
        m_page->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_page.get(), YaqTest::kHangMs));
    }
    // The stored package handed back with its head changed; the picture of
    // one of the page's painted controls.
    QImage shownWith(const char *control, const std::function<void(CPosition &)> &change)
    {
        CPaket copy(*m_basket.stored.front().Paket);
        CPosition &head = *copy.GetKopf();
        head.Preise1.Net = 100.0;
        head.Preise1.Gross = 119.0;
        change(head);
        m_page->TakeBasketPackage(copy);
        m_page->ActivatePage(1);
        return m_page->findChild<QWidget *>(QString::fromLatin1(control))->grab().toImage();
    }

private slots:
    void initTestCase()
    {
        InitOrmelText(QStringLiteral(YAQ_DEMO_DATAS_DIR) + QStringLiteral("/Zirava/PrgTxt"));
    }

    void init()
    {
        m_env.answerBoxes(IDOK);
        m_settings = CPrgSettings();
        m_settings.DealerDataStorage =
            QStringLiteral(YAQ_DEMO_DATAS_DIR) + QStringLiteral("/Dealer");
        m_settings.FgstnrFull = QStringLiteral("XVQ1F23A57M012345");
        m_settings.TypSchl = QStringLiteral("7A01");
        m_host = RecordingHost();
        m_host.m_pBasket = &m_basket;
        m_basket.ClearBasket();
        m_basket.stored.clear();
        m_basket.modes.clear();
        m_page = std::make_unique<CSpotRBbDlg>();
        m_page->Create(&m_settings, 266, 3183, {}, &m_host, nullptr);
    }

    void cleanup() { m_page.reset(); }

    void composeStoreAndEditAgain()
    {
        takeDemoWay();
        m_page->ActivatePage(0);
        const int offered = int(CSpotRepairData::WorkLines(m_page->Package()).size());
        QCOMPARE(offered, 4);
        // Shown again: the works are not read a second time.
        m_page->ActivatePage(0);
        QCOMPARE(int(CSpotRepairData::WorkLines(m_page->Package()).size()), offered);

        toggle(0); // small damage, green
        toggle(2); // medium damage, green
        QCOMPARE(factor(), QStringLiteral("1.60"));
        const CPosition *head = m_page->Package().GetKopf();
        QVERIFY(head && IsSpotRepairHead(*head));
        QVERIFY(head->Preise1.Net > 0.0);
        const double total = head->Preise1.Net;

        QVERIFY(m_page->OnStore());
        QCOMPARE(m_basket.stored.size(), size_t(1));
        QCOMPARE(m_basket.stored.front().Kind, int(WK_CCP));
        QCOMPARE(m_host.listShown, 1);

        // The basket hands the package back: shown as stored.
        m_page->TakeBasketPackage(*m_basket.stored.front().Paket);
        m_page->ActivatePage(1);
        const auto back = CSpotRepairData::WorkLines(m_page->Package());
        QCOMPARE(int(back.size()), offered);
        QCOMPARE(CSpotRepairData::CountChosen(back), 2);
        QCOMPARE(factor(), QStringLiteral("1.60"));
        QCOMPARE(m_page->Package().GetKopf()->Preise1.Net, total);
    }

    // A package already in the basket: "P" asks to store it again or to
    // overwrite (4038), Backspace only to overwrite (4077).
    void packageAlreadyStored_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("question");
        QTest::addColumn<QString>("modes");
        QTest::addColumn<int>("entries");
        QTest::addColumn<int>("levelsUp"); // the list shown one level up, the first "P" too
        // clang-format off
        QTest::newRow("P, stored again")      << "P"         << int(IDSTOREAGAIN) << 4038 << "0,0,1" << 2 << 2;
        QTest::newRow("P, overwritten")       << "P"         << int(IDOVERWRITE)  << 4038 << "0,0,2" << 1 << 2;
        QTest::newRow("P, cancelled")         << "P"         << int(IDCANCEL)     << 4038 << "0,0"   << 1 << 1;
        QTest::newRow("Backspace, overwrite") << "Backspace" << int(IDYES)        << 4077 << "0,0,2" << 1 << 2;
        // clang-format on
    }

    void packageAlreadyStored()
    {
        QFETCH(QString, action);
        QFETCH(int, answer);
        QFETCH(int, question);
        takeDemoWay();
        m_page->ActivatePage(0);
        toggle(0);
        QVERIFY(m_page->OnStore());
        m_page->ActivatePage(0);
        m_env.answerBoxes(answer);
        const int before = m_env.boxes().size();
        if (action == QLatin1String("P"))
            m_page->OnStore();
        else
            QTest::keyClick(m_page.get(), Qt::Key_Backspace);
        QVERIFY(m_env.boxes().size() > before);
        QCOMPARE(m_env.boxes().last().text, OrmelText(question));
        QTEST(m_basket.modes.join(QLatin1Char(',')), "modes");
        QTEST(m_basket.GetEntryCount(), "entries");
        QTEST(m_host.levelsUp, "levelsUp");
    }

    void aThirdWorkIsRefusedWithOneMessage()
    {
        takeDemoWay();
        m_page->ActivatePage(0);
        toggle(0);
        toggle(0); // chosen twice: two works
        const qsizetype before = m_env.boxes().size();
        toggle(1);
        QCOMPARE(m_env.boxes().size(), before + 1);
        QCOMPARE(m_env.boxes().last().text, OrmelText(6089));
        const auto lines = CSpotRepairData::WorkLines(m_page->Package());
        QCOMPARE(lines[0]->Doubled, 1);
        QCOMPARE(lines[1]->Selected, 0);
    }

    void totalIsRedWhilePricesIncomplete_data()
    {
        QTest::addColumn<int>("complete");
        QTest::addColumn<bool>("red");
        // clang-format off
        QTest::newRow("prices complete")     << 1 << false;
        QTest::newRow("prices not complete") << 0 << true;
        // clang-format on
    }
    void totalIsRedWhilePricesIncomplete()
    {
        QFETCH(int, complete);
        QFETCH(bool, red);
        storeDemoPackage();
        const QImage total =
            shownWith("totalButton", [&](CPosition &head) { head.Preise1.Complete = complete; });
        QCOMPARE(RedPixels(total) > 0, red);
    }

    // The legend names the standard price (price set 2) only where the DMS
    // answers with it or in the training edition.
    void standardPriceInLegend_data()
    {
        QTest::addColumn<int>("request");
        QTest::addColumn<int>("xmlx");
        QTest::addColumn<int>("training");
        QTest::addColumn<bool>("shown");
        // clang-format off
        QTest::newRow("DMS by XML, extended") << 4 << 1 << 0 << true;
        QTest::newRow("DMS by XML, plain")    << 4 << 0 << 0 << false;
        QTest::newRow("dealer's files")       << 3 << 1 << 0 << false;
        QTest::newRow("training edition")     << 0 << 0 << 1 << true;
        // clang-format on
    }
    void standardPriceInLegend()
    {
        QFETCH(int, request);
        QFETCH(int, xmlx);
        QFETCH(int, training);
        QFETCH(bool, shown);
        storeDemoPackage();
        m_settings.SRPInterfaceReq = request;
        m_settings.XMLx = xmlx;
        m_settings.bSchulung = training;
        const QImage without = shownWith("priceLegend", [](CPosition &head) {
            head.Preise2.Net = kPriceNotSet;
            head.Preise2.Gross = kPriceNotSet;
        });
        const QImage with = shownWith("priceLegend", [](CPosition &head) {
            head.Preise2.Net = 90.0;
            head.Preise2.Gross = 107.1;
            head.Preise2.Complete = 1;
        });
        QCOMPARE(with != without, shown);
    }

    void workLineCells_data()
    {
        QTest::addColumn<QString>("colour");
        QTest::addColumn<int>("partner");
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("doubled");
        QTest::addColumn<QString>("head"); // the head's price: "lines", "inclusive", "by hand"
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("choice");
        QTest::addColumn<bool>("prices");
        // clang-format off
        QTest::newRow("green line names the class")    << "GR" << 1 << 0 << 0 << "lines"     << "Klein" << "[-]" << true;
        QTest::newRow("yellow beside its green: none") << "YE" << 1 << 1 << 0 << "lines"     << ""      << "[1]" << true;
        QTest::newRow("yellow without green: named")   << "YE" << 0 << 1 << 1 << "lines"     << "Klein" << "[2]" << true;
        QTest::newRow("inclusive price: none by line") << "GR" << 1 << 1 << 0 << "inclusive" << "Klein" << "[1]" << false;
        QTest::newRow("price by hand: none by line")   << "GR" << 1 << 1 << 0 << "by hand"   << "Klein" << "[1]" << false;
        // clang-format on
    }
    void workLineCells()
    {
        QFETCH(QString, colour);
        QFETCH(int, partner);
        QFETCH(int, selected);
        QFETCH(int, doubled);
        QFETCH(QString, head);
        QFETCH(QString, text);
        QFETCH(QString, choice);
        QFETCH(bool, prices);
        CPosition line;
        line.Type = POS_WORK;
        line.AwText1 = QStringLiteral("Klein");
        line.Spot[SpotColour] = colour;
        line.HasPartnerColour = partner;
        line.Selected = selected;
        line.Doubled = doubled;
        QCOMPARE(CSpotRRowPainter::WorkText(line), text);
        QCOMPARE(CSpotRRowPainter::ChoiceText(line), choice);
        CPaket paket;
        auto spotHead = std::make_unique<CPosition>();
        spotHead->Type = kSpotRepairHeadType;
        spotHead->Preise1.FlatPrice = head == QLatin1String("inclusive") ? 1 : 0;
        spotHead->PriceCalcFlag = head == QLatin1String("by hand") ? 1 : 0;
        paket.AddPosition(std::move(spotHead));
        QCOMPARE(CSRPBbRowPainter::LinePricesShown(&paket), prices);
        QVERIFY(!CSRPBbRowPainter::LinePricesShown(nullptr));
    }

    // Row: a title of the works list's header and where its field begins
    // right of the text column, for units of 25 pixels: two pixels right
    // of its unit's border, "MA in %" at four and a half units.
    void columnHeaderTitles_data()
    {
        QTest::addColumn<int>("textId");
        QTest::addColumn<int>("x");
        // clang-format off
        QTest::newRow("Bereich over the colour")        << 6087 << 2;
        QTest::newRow("Menge over the quantity")        << 3122 << 52;
        QTest::newRow("MA in % over its three units")   << 6086 << 114;
        QTest::newRow("Auswahl over the choice")        << 3124 << 177;
        QTest::newRow("Preis over the price")           << 2050 << 277;
        // clang-format on
    }
    void columnHeaderTitles()
    {
        QFETCH(int, textId);
        const auto titles = CSpotRRowPainter::ColumnTitles(25);
        QCOMPARE(titles.size(), size_t(5));
        const auto title = std::find_if(titles.begin(), titles.end(),
                                        [textId](const auto &t) { return t.textId == textId; });
        QVERIFY(title != titles.end());
        QTEST(title->at, "x");
    }

    // Right of the text column the works list has fourteen units: colour
    // 2, quantity 2, "MA in %" 3, choice 4 and the price 3, filling the row.
    void fourteenColumnUnits_data()
    {
        QTest::addColumn<int>("width");
        // clang-format off
        QTest::newRow("narrow page") << 420;
        QTest::newRow("wide page")   << 1234;
        // clang-format on
    }
    void fourteenColumnUnits()
    {
        QFETCH(int, width);
        const CSpotRRowPainter::Columns c = CSpotRRowPainter::ColumnsFor(width);
        QVERIFY(c.first + 14 * c.unit <= width);
        QVERIFY(c.first + 15 * c.unit > width);
    }
};

YAQ_TEST_MAIN(TestSpotRBbPage)
#include "tst_spotrbbpage.moc"
