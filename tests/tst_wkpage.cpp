// The basket page: the question after a vehicle change, moving entries with
// the selection following them, a row for every entry kind and its price
// lines, and the order data after a transfer.

#include "basket/WkDlg.h"
#include "basket/WkRowPainter.h"
#include "basket/model/WkBasket.h"
#include "basket/transfer/BasketTransfer.h"
#include "common/OwnButton.h"
#include "dms/DmsClient.h"
#include "packages/model/Paket.h"
#include "packages/model/Position.h"
#include "platform/OrmelText.h"
#include "settings/DmsHeader.h"
#include "settings/PrgSettings.h"
#include "support/NullPageHost.h"
#include "support/PaintedTexts.h"
#include "support/TestEnv.h"
#include "support/Waits.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QtTest>

namespace {

using NoHost = CNullPageHost;

// A package entry of the kind whose head carries the number (priced 10.00 /
// 11.90 EUR), or a position entry (kind 4) of the position type.
CWKListItem Entry(int kind, const QString &number, int positionType = POS_BASKET_LABOUR)
{
    auto head = std::make_unique<CPosition>();
    head->Number = number;
    head->AwText1 = QStringLiteral("Text of ") + number;
    head->BefundText = head->AwText1;
    for (CPriceSet *set : {&head->Preise1, &head->Preise3}) {
        set->Gross = 11.9;
        set->Net = 10.0;
        set->Complete = 1;
        set->Currency = set->TotalsCurrency = QStringLiteral("EUR");
    }
    if (kind == WK_POSITION) {
        head->Type = positionType;
        return CWKListItem(std::move(head));
    }
    head->Type = POS_HEAD;
    head->PaketID = head->Spot[4] = number;
    head->Campaign[CPosition::CampaignNumber] = number;
    auto paket = std::make_unique<CPaket>();
    paket->AddPosition(std::move(head));
    return CWKListItem(kind, std::move(paket));
}

// The DMS: answers every transfer with the confirmation word given.
struct ConfirmingDms : IDmsSender, IDmsNotice
{
    QString word;
    QString version;
    QStringList notices;
    QString Request(const QString &, const QString &, const QString &) override
    {
        return QStringLiteral("<s:Envelope xmlns:s=\"http://schemas.xmlsoap.org/soap/envelope/\">"
                              "<s:Body><transferYAQPositionsResponse refSchema=\""
                              "serviceRepairPackages.xsd\" version=\"%1\"><confirmTransmission>"
                              "%2</confirmTransmission></transferYAQPositionsResponse></s:Body>"
                              "</s:Envelope>")
            .arg(version, word);
    }
    void Notice(const QString &text, const QString &) override { notices << text; }
};

} // namespace

class TestWkPage : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void vehicleChange_data();
    void vehicleChange();
    void moveKeepsSelection_data();
    void moveKeepsSelection();
    void rowOfEveryKind_data();
    void rowOfEveryKind();
    void priceLines_data();
    void priceLines();
    void findingsLineNumber_data();
    void findingsLineNumber();
    void selectedRowColours_data();
    void selectedRowColours();
    void totalFieldEmptyWithoutTotals_data();
    void totalFieldEmptyWithoutTotals();
    void orderGoesWithTheTransfer_data();
    void orderGoesWithTheTransfer();
    void orderNumberOpenToTyping_data();
    void orderNumberOpenToTyping();
    void enterPressesNoButton_data();
    void enterPressesNoButton();
    void sumLabels_data();
    void sumLabels();

private:
    QString Numbers() const;

    TestEnv m_env;
    CPrgSettings m_settings;
    NoHost m_host;
    std::unique_ptr<CWkBasket> m_basket;
    std::unique_ptr<CWkDlg> m_page;
};

void TestWkPage::initTestCase()
{
    InitOrmelText(QStringLiteral(YAQ_DEMO_DATAS_DIR) + QStringLiteral("/Zirava/PrgTxt"));
}

void TestWkPage::init()
{
    m_settings.bMeldungWK = 0;
    m_basket = std::make_unique<CWkBasket>(&m_settings);
    m_host.m_pBasket = m_basket.get();
    m_page = std::make_unique<CWkDlg>();
    m_basket->SetAsk(m_page.get());
    m_page->Create(&m_settings, 149, 6078, {}, &m_host, nullptr);
}

void TestWkPage::cleanup()
{
    m_page.reset();
    m_basket.reset();
    SetMsgBoxResponder({});
}

QString TestWkPage::Numbers() const
{
    QStringList numbers;
    for (const auto &entry : m_basket->Entries())
        numbers << entry->Number();
    return numbers.join(QLatin1Char(','));
}

void TestWkPage::vehicleChange_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<bool>("offer");
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("asked");
    QTest::addColumn<int>("entriesAfter");
    QTest::addColumn<int>("flagAfter");

    // clang-format off
    QTest::newRow("empty basket, no question")      << 0 << false << int(IDNO)  << 0 << 0 << 0 << 0;
    QTest::newRow("entries kept on No")             << 2 << false << int(IDNO)  << 1 << 1 << 2 << 1;
    QTest::newRow("entries emptied on Yes")         << 2 << false << int(IDYES) << 0 << 1 << 0 << 0;
    QTest::newRow("entries kept on no answer")      << 2 << false << int(IDCANCEL) << 1 << 1 << 2 << 1;
    QTest::newRow("entries kept on Escape")         << 2 << false << 0          << 1 << 1 << 2 << 1;
    QTest::newRow("an offered entry empties first") << 2 << true  << int(IDNO)  << 3 << 0 << 1 << 0;
    // clang-format on
}

void TestWkPage::vehicleChange()
{
    QFETCH(int, stored);
    QFETCH(bool, offer);
    QFETCH(int, answer);
    for (int i = 0; i < stored; ++i) {
        CWKListItem entry = Entry(WK_SRP, QStringLiteral("110%1").arg(i));
        QCOMPARE(m_basket->Offer(entry, nullptr), WkOffered::Added);
    }
    CWkOrderData order;
    order.strAuftragsNr = QStringLiteral("A-77");
    m_basket->SetOrder(order);
    m_env.answerBoxes(answer);
    const int boxesBefore = m_env.boxes().size();
    // Answer 0: the adviser presses Escape on the real box.
    int escaped = 0;
    if (!answer) {
        SetMsgBoxResponder({});
        QTimer::singleShot(0, [&escaped] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            escaped += box->text() == OrmelText(4045) ? 1 : 0;
            QTest::keyClick(box, Qt::Key_Escape);
            // A box Escape leaves open is answered here, so that the row
            // fails instead of waiting.
            if (box->isVisible())
                box->done(QMessageBox::Yes);
        });
    }
    m_basket->SetVehicleChanged(true);

    CWKListItem offered = Entry(WK_VLP, QStringLiteral("2200"));
    // An entry offered is stored (3); the question alone settles the change.
    const int result = offer ? (m_basket->Offer(offered, nullptr) == WkOffered::Added ? 3 : -1)
                             : m_basket->SettleVehicleChange();
    QTEST(result, "result");

    QTEST(escaped + int(std::count_if(
                        m_env.boxes().begin() + boxesBefore, m_env.boxes().end(),
                        [](const MsgBoxRequest &box) { return box.text == OrmelText(4045); })),
          "asked");
    m_env.answerBoxes(IDOK);
    QTEST(m_basket->GetEntryCount(), "entriesAfter");
    QTEST(int(m_basket->VehicleChanged()), "flagAfter");
    // The order number belongs to the basket it was typed for, and the
    // page shows what the basket holds.
    QCOMPARE(m_basket->Order().strAuftragsNr.isEmpty(), !m_basket->VehicleChanged());
    QCOMPARE(m_page->findChild<QLineEdit *>(QStringLiteral("orderNumberEdit"))->text(),
             m_basket->Order().strAuftragsNr);
}

void TestWkPage::moveKeepsSelection_data()
{
    QTest::addColumn<int>("selected");
    QTest::addColumn<bool>("up");
    QTest::addColumn<QString>("order");
    QTest::addColumn<int>("selectedAfter");

    // clang-format off
    QTest::newRow("up")                << 1  << true  << "B,A,C" << 0;
    QTest::newRow("down")              << 1  << false << "A,C,B" << 2;
    QTest::newRow("last one up")       << 2  << true  << "A,C,B" << 1;
    QTest::newRow("first stays first") << 0  << true  << "A,B,C" << 0;
    QTest::newRow("last stays last")   << 2  << false << "A,B,C" << 2;
    QTest::newRow("nothing selected")  << -1 << true  << "A,B,C" << -1;
    // clang-format on
}

void TestWkPage::moveKeepsSelection()
{
    QFETCH(int, selected);
    QFETCH(bool, up);
    QFETCH(int, selectedAfter);
    for (const char *number : {"A", "B", "C"}) {
        CWKListItem entry = Entry(WK_SRP, QLatin1String(number));
        m_basket->Offer(entry, nullptr);
    }
    m_page->SelectRow(selected);
    const QString moved = selected >= 0 ? m_page->SelectedEntry()->Number() : QString();
    if (up)
        m_page->OnMoveUp();
    else
        m_page->OnMoveDown();

    QTEST(Numbers(), "order");
    QCOMPARE(m_page->SelectedRow(), selectedAfter);
    if (selected >= 0)
        QCOMPARE(m_page->SelectedEntry()->Number(), moved);

    // A later entry leaves the selection where it is.
    CWKListItem later = Entry(WK_GRP, QStringLiteral("D"));
    m_basket->Offer(later, nullptr);
    QCOMPARE(m_page->SelectedRow(), selectedAfter);
}

void TestWkPage::rowOfEveryKind_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("positionType");
    QTest::addColumn<QColor>("background");
    // The SI findings take the settings' background colour.
    const QColor si(0x12, 0x34, 0x56);

    // clang-format off
    QTest::newRow("service repair package")   << int(WK_SRP)         << 0                      << QColor(0xFF, 0xFF, 0xFF);
    QTest::newRow("campaign package")         << int(WK_CAMPAIGN)    << 0                      << QColor(0xC0, 0xC0, 0xDC);
    QTest::newRow("campaign package L/R")     << int(WK_CAMPAIGN_LR) << 0                      << QColor(0xC0, 0xC0, 0xDC);
    QTest::newRow("labour position")          << int(WK_POSITION)    << int(POS_BASKET_LABOUR) << QColor(0xC0, 0xDC, 0xC0);
    QTest::newRow("SI finding")               << int(WK_POSITION)    << int(POS_SI_FINDING)    << si;
    QTest::newRow("finding")                  << int(WK_POSITION)    << int(POS_FINDING)       << QColor(0xC0, 0xC0, 0xC0);
    QTest::newRow("position of another type") << int(WK_POSITION)    << int(POS_WORK)          << QColor(0xFF, 0xFF, 0xFF);
    QTest::newRow("warranty package")         << int(WK_GRP)         << 0                      << QColor(0xC0, 0xDC, 0xDC);
    QTest::newRow("spot-repair package")      << int(WK_CCP)         << 0                      << QColor(0xEE, 0xCB, 0xAD);
    QTest::newRow("inclusive package")        << int(WK_SIP)         << 0                      << QColor(0xFF, 0xFA, 0xCD);
    QTest::newRow("value-line package")       << int(WK_VLP)         << 0                      << QColor(0xF5, 0xC2, 0xED);
    // clang-format on
}

void TestWkPage::rowOfEveryKind()
{
    QFETCH(int, kind);
    QFETCH(int, positionType);
    CWkRowPainter painter;
    painter.SetSiFindingBackground(QColor(0x12, 0x34, 0x56));
    const CWKListItem entry = Entry(kind, QStringLiteral("1234567"), positionType);
    const CRect wide(0, 0, 800, 100000);
    const int height = painter.PaintEntry(nullptr, entry, wide, 0);
    QVERIFY2(height >= 2 * painter.LineHeight(), qPrintable(QString::number(height)));

    // Painting takes the height it measured, on the background of the
    // entry's kind (seen in the margin before the number); a narrow row
    // wraps its text into more lines.
    QImage image(800, height, QImage::Format_RGB32);
    {
        QPainter dc(&image);
        QCOMPARE(painter.PaintEntry(&dc, entry, CRect(0, 0, 800, height), 1), height);
    }
    QTEST(image.pixelColor(2, height / 2), "background");
    CWKListItem longText(entry);
    CPosition *text = longText.APos ? longText.APos.get() : longText.Head();
    text->AwText1 = text->BefundText =
        QString(40, QLatin1Char('w')).replace(7, 1, QLatin1Char(' '));
    const int narrow = painter.PriceColumnWidth() + 300;
    QVERIFY(painter.PaintEntry(nullptr, longText, CRect(0, 0, narrow, 100000), 0) > height);
}

namespace {

// A painted text as the adviser reads it: the text and its colour.
QString Read(const YaqTest::PaintedText &painted)
{
    const QColor red(0xFF, 0, 0);
    return painted.text + (painted.colour == red ? QStringLiteral(" red") : QString());
}

} // namespace

void TestWkPage::priceLines_data()
{
    // Row: the entry, whether the head's customer price (the campaign
    // price of a campaign) is complete, its gross and net -> the texts of
    // the gross line | the net line, and the price column as painted, " red"
    // for red text (empty lines are not painted).
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("complete");
    QTest::addColumn<double>("gross");
    QTest::addColumn<double>("net");
    QTest::addColumn<QString>("lines");
    QTest::addColumn<QString>("read");
    const QString az = OrmelText(3012);
    // clang-format off
    QTest::newRow("labour position priced")                      << int(WK_POSITION) << true  << 11.9 << 10.0 << "11.90|10.00" << "11.90|10.00";
    QTest::newRow("labour by time: no net line, AZ red")         << int(WK_POSITION) << true  << -2.0 << -2.0 << az + "|"      << az + " red";
    QTest::newRow("labour without price available: red")         << int(WK_POSITION) << true  << -3.0 << -3.0 << "?|?"         << "? red|? red";
    QTest::newRow("package by time keeps its marker")            << int(WK_SRP)      << true  << -2.0 << -2.0 << az + "|" + az << az + "|" + az;
    QTest::newRow("package without a complete price: red")       << int(WK_SRP)      << false << 11.9 << 10.0 << "11.90|10.00" << "11.90 red|10.00 red";
    QTest::newRow("warranty package without a complete price")   << int(WK_GRP)      << false << 11.9 << 10.0 << "11.90|10.00" << "11.90 red|10.00 red";
    QTest::newRow("value-line package without a complete price") << int(WK_VLP)      << false << 11.9 << 10.0 << "11.90|10.00" << "11.90 red|10.00 red";
    QTest::newRow("campaign package: no package row")            << int(WK_CAMPAIGN) << false << 11.9 << 10.0 << "11.90|10.00" << "11.90|10.00";
    QTest::newRow("spot-repair package: no package row")         << int(WK_CCP)      << false << 11.9 << 10.0 << "11.90|10.00" << "11.90|10.00";
    // clang-format on
}

void TestWkPage::priceLines()
{
    QFETCH(int, kind);
    QFETCH(bool, complete);
    QFETCH(double, gross);
    QFETCH(double, net);
    QFETCH(QString, lines);
    CWKListItem entry = Entry(kind, QStringLiteral("1234567"));
    CPosition *priced = entry.APos ? entry.APos.get() : entry.Head();
    CPriceSet &set = CWKListItem::IsCampaignKind(kind) ? priced->Preise3 : priced->Preise1;
    set.Complete = complete ? 1 : 0;
    set.Gross = gross;
    set.Net = net;
    QCOMPARE(CWkRowPainter::PriceLineTexts(entry).join(QLatin1Char('|')), lines);

    CWkRowPainter painter;
    const CRect row(0, 0, 800, 200);
    YaqTest::PaintedTexts device(QSize(800, 200), 96);
    {
        QPainter dc(&device);
        painter.PaintEntry(&dc, entry, row, 1);
    }
    QStringList read;
    for (const YaqTest::PaintedText &painted : device.Texts())
        if (painted.at.x() >= painter.PriceLeft(row.Width()) && !painted.text.isEmpty())
            read << Read(painted);
    QTEST(read.join(QLatin1Char('|')), "read");
}

// The number of a package's findings line below its designation.
void TestWkPage::findingsLineNumber_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("shown");
    // clang-format off
    QTest::newRow("eight characters: four pairs")      << "34100100"   << "34 10 01 00";
    QTest::newRow("seven: the last one left out")      << "3410010"    << "34 10 01";
    QTest::newRow("four characters: two pairs")        << "3410"       << "34 10";
    QTest::newRow("nine characters: whole")            << "341001001"  << "341001001";
    QTest::newRow("ten characters: whole")             << "3410010011" << "3410010011";
    // clang-format on
}

void TestWkPage::findingsLineNumber()
{
    QFETCH(QString, number);
    QTEST(CWkRowPainter::GroupFindingNumber(number), "shown");
}

void TestWkPage::selectedRowColours_data()
{
    QTest::addColumn<bool>("selected");
    QTest::addColumn<bool>("focus");
    QTest::addColumn<QColor>("background");
    QTest::addColumn<QColor>("text");
    const QColor highlight(0x10, 0x20, 0x30);
    // clang-format off
    QTest::newRow("not selected")                << false << true  << QColor(0xC0, 0xDC, 0xDC) << QColor(0, 0, 0);
    QTest::newRow("selected, list with focus")   << true  << true  << highlight                << QColor(0xFF, 0xFF, 0x00);
    QTest::newRow("selected, list without focus") << true << false << highlight                << QColor(0xFF, 0xFF, 0xFF);
    // clang-format on
}

void TestWkPage::selectedRowColours()
{
    QFETCH(bool, selected);
    QFETCH(bool, focus);
    CWkRowState state;
    state.selected = selected;
    state.focus = focus;
    state.highlight = QColor(0x10, 0x20, 0x30);
    QColor background, text;
    CWkRowPainter().RowColours(Entry(WK_GRP, QStringLiteral("1234567")), state, &background, &text);
    QTEST(background, "background");
    QTEST(text, "text");
}

// The total field shows the basket's totals only when both are known; the
// sum labels beside it stay.
void TestWkPage::totalFieldEmptyWithoutTotals_data()
{
    QTest::addColumn<double>("gross");
    QTest::addColumn<double>("net");
    QTest::addColumn<bool>("painted");
    // clang-format off
    QTest::newRow("both totals")         << 11.9 << 10.0 << true;
    QTest::newRow("no gross total")      << -1.0 << 10.0 << false;
    QTest::newRow("no net total")        << 11.9 << -1.0 << false;
    // clang-format on
}

void TestWkPage::totalFieldEmptyWithoutTotals()
{
    QFETCH(double, gross);
    QFETCH(double, net);
    CWkRowPainter painter;
    QImage blank(400, 60, QImage::Format_RGB32);
    blank.fill(Qt::white);
    QImage field = blank;
    {
        QPainter dc(&field);
        painter.DrawTotalField(&dc, CRect(0, 0, 400, 60), 400 - painter.PriceColumnWidth(), gross,
                               net, QStringLiteral("EUR"));
    }
    QTEST(field != blank, "painted");
}

void TestWkPage::orderGoesWithTheTransfer_data()
{
    QTest::addColumn<QString>("entries"); // SRP package, POS labour position, BF finding
    QTest::addColumn<QString>("confirmation");
    QTest::addColumn<QString>("left");
    QTest::addColumn<bool>("orderKept");
    // clang-format off
    QTest::newRow("confirmed: basket and order emptied")   << "SRP,POS" << "true" << ""                << false;
    QTest::newRow("confirmed: the finding stays, order not") << "SRP,BF" << "true" << "8700010"         << false;
    QTest::newRow("not confirmed: everything stays")       << "SRP,BF"  << "no"   << "1110010,8700010" << true;
    // clang-format on
}

void TestWkPage::orderGoesWithTheTransfer()
{
    QFETCH(QString, entries);
    QFETCH(QString, confirmation);
    QFETCH(bool, orderKept);
    m_settings.SRPInterfaceSend = 4;
    m_settings.XMLx = 1;
    m_settings.V117 = 1;
    m_settings.JobEdit = 1;
    m_settings.FgstnrFull = QStringLiteral("XVQ1F23A57M012345");
    m_settings.SendXMLServer = QStringLiteral("dms.test");
    UpdateDmsHeader(&m_settings);
    ConfirmingDms dms;
    dms.word = confirmation;
    dms.version = DmsHeaderVersion(m_settings);
    // As the main window hands the transfer in.
    m_basket->SetTransferHandler([this, &dms] {
        CTransferOrder order;
        order.orderNumber = m_basket->Order().strAuftragsNr;
        order.settlementCode = m_basket->Order().strAbrechnung;
        order.jobNumber = m_basket->Order().strJobNr;
        CDmsClient client(&m_settings, &dms);
        CBasketTransfer transfer(client, &dms, nullptr);
        if (transfer.Transfer(m_basket->Entries(), order).removed)
            m_basket->EntriesChanged();
    });
    for (const QString &kind : entries.split(QLatin1Char(','))) {
        CWKListItem entry = kind == QLatin1String("SRP") ? Entry(WK_SRP, QStringLiteral("1110010"))
                            : kind == QLatin1String("POS")
                                ? Entry(WK_POSITION, QStringLiteral("2120000"))
                                : Entry(WK_POSITION, QStringLiteral("8700010"), POS_FINDING);
        QCOMPARE(m_basket->Offer(entry, nullptr), WkOffered::Added);
    }
    const QStringList fields = {QStringLiteral("orderNumberEdit"), QStringLiteral("settlementEdit"),
                                QStringLiteral("jobNumberEdit"), QStringLiteral("jobNoteEdit")};
    for (const QString &name : fields)
        m_page->findChild<QLineEdit *>(name)->setText(name);

    m_page->TransferButton()->click();

    QTEST(Numbers(), "left");
    for (const QString &name : fields)
        QCOMPARE(m_page->findChild<QLineEdit *>(name)->text(), orderKept ? name : QString());
    const CWkOrderData &order = m_basket->Order();
    QCOMPARE(order.strAuftragsNr, orderKept ? fields[0] : QString());
    QCOMPARE(order.strAbrechnung, orderKept ? fields[1] : QString());
    QCOMPARE(order.strJobNr, orderKept ? fields[2] : QString());
    QCOMPARE(order.strJobHinweis, orderKept ? fields[3] : QString());
}

void TestWkPage::orderNumberOpenToTyping_data()
{
    // Row: the listener (SRPInterfaceReceive), the sending road
    // (SRPInterfaceSend) and XMLx; the order number the DMS pushed with the
    // vehicle ("" none) and what becomes of it ("cleared" with the basket
    // after a transfer, "next" vehicle pushed without a number), what the
    // adviser types into the order number; then whether the edit is open
    // after that and after the page is shown again, and the basket's order
    // number.
    QTest::addColumn<int>("receive");
    QTest::addColumn<int>("send");
    QTest::addColumn<int>("xmlx");
    QTest::addColumn<QString>("pushed");
    QTest::addColumn<QString>("then");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("open");
    QTest::addColumn<QString>("order");
    // clang-format off
    QTest::newRow("listener on, text export: typed whole")        << 1 << 3 << 0 << ""     << ""        << "12345"     << true  << "12345";
    QTest::newRow("listener on, text export: umlaut and markup")  << 1 << 3 << 0 << ""     << ""        << "\u00c4&<1>" << true  << "\u00c4&<1>";
    QTest::newRow("listener off: typed whole")                    << 0 << 3 << 0 << ""     << ""        << "12345"     << true  << "12345";
    QTest::newRow("pushed number, text export: fixed")            << 1 << 3 << 0 << "4711" << ""        << ""          << false << "4711";
    QTest::newRow("pushed number, XML send: open")                << 1 << 4 << 1 << "4711" << ""        << "2"         << true  << "47112";
    QTest::newRow("pushed number cleared with the basket: open")  << 1 << 3 << 0 << "4711" << "cleared" << "12345"     << true  << "12345";
    QTest::newRow("next vehicle pushed without number: open")     << 1 << 3 << 0 << "4711" << "next"    << "12345"     << true  << "12345";
    QTest::newRow("SOAP send without XMLx, cleared: stays fixed") << 1 << 4 << 0 << "4711" << "cleared" << ""          << false << "";
    // clang-format on
}

void TestWkPage::orderNumberOpenToTyping()
{
    QFETCH(QString, pushed);
    QFETCH(QString, then);
    QFETCH(QString, typed);
    QFETCH(bool, open);
    QFETCH(int, receive);
    QFETCH(int, send);
    QFETCH(int, xmlx);
    m_settings.SRPInterfaceReceive = receive;
    m_settings.SRPInterfaceSend = send;
    m_settings.XMLx = xmlx;
    m_page->ActivatePage();
    if (!pushed.isEmpty()) {
        CWkOrderData order;
        order.strAuftragsNr = pushed;
        order.bAuftragsNrVomDms = true;
        m_basket->SetOrder(order);
    }
    if (then == QLatin1String("cleared"))
        m_basket->ClearBasket();
    else if (then == QLatin1String("next"))
        m_basket->SetOrder(CWkOrderData());
    auto *edit = m_page->findChild<QLineEdit *>(QStringLiteral("orderNumberEdit"));
    m_page->show();
    if (edit->isEnabled()) {
        edit->setFocus();
        edit->end(false);
        QTest::keyClicks(edit, typed);
    }
    QCOMPARE(edit->isEnabled(), open);
    m_page->ActivatePage();
    QCOMPARE(edit->isEnabled(), open);
    QTEST(m_basket->Order().strAuftragsNr, "order");
}

void TestWkPage::enterPressesNoButton_data()
{
    // Row: the control with the keyboard, the key pressed on it (with Alt:
    // the mnemonic) -> what was done: "transfer", "print", the order of
    // the entries after it, or "" for nothing.
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("expected");
    const int none = Qt::NoModifier;
    const int pad = Qt::KeypadModifier;
    const int alt = Qt::AltModifier;
    // clang-format off
    QTest::newRow("Return on Übertragen sends nothing") << "transferButton" << int(Qt::Key_Return) << none << "";
    QTest::newRow("pad Enter on Übertragen")            << "transferButton" << int(Qt::Key_Enter)  << pad  << "";
    QTest::newRow("Return on P opens no print dialog")  << "printButton"    << int(Qt::Key_Return) << none << "";
    QTest::newRow("Return on the up arrow")             << "upButton"       << int(Qt::Key_Return) << none << "";
    QTest::newRow("Return on the down arrow")           << "downButton"     << int(Qt::Key_Return) << none << "";
    QTest::newRow("Return in the list")                 << "basketList"     << int(Qt::Key_Return) << none << "";
    QTest::newRow("Space on Übertragen sends")          << "transferButton" << int(Qt::Key_Space)  << none << "transfer";
    QTest::newRow("Space on P prints")                  << "printButton"    << int(Qt::Key_Space)  << none << "print";
    QTest::newRow("Space on the up arrow moves")        << "upButton"       << int(Qt::Key_Space)  << none << "B,A,C";
    QTest::newRow("Alt+P prints from the list")         << "basketList"     << int(Qt::Key_P)      << alt  << "print";
    // clang-format on
}

// Real keys on the page shown: Return presses no button of the basket page,
// Space and the mnemonics do.
void TestWkPage::enterPressesNoButton()
{
    QFETCH(QString, control);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QStringList done;
    m_basket->SetTransferHandler([&done] { done << QStringLiteral("transfer"); });
    m_page->SetPrintHandler([&done] { done << QStringLiteral("print"); });
    for (const char *number : {"A", "B", "C"}) {
        CWKListItem entry = Entry(WK_SRP, QLatin1String(number));
        m_basket->Offer(entry, nullptr);
    }
    m_page->SelectRow(1);
    m_page->ActivatePage();
    m_page->show();
    QVERIFY(QTest::qWaitForWindowActive(m_page.get(), YaqTest::kHangMs));
    auto *target = m_page->findChild<QWidget *>(control);
    QVERIFY(target && target->isEnabled());
    target->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY_WITH_TIMEOUT(target->hasFocus(), YaqTest::kHangMs);
    QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    const auto happened = [&] {
        QStringList all = done;
        if (Numbers() != QLatin1String("A,B,C"))
            all << Numbers();
        return all.join(QLatin1Char('|'));
    };
    // A button's shortcut presses it and lets it go a moment later; Return
    // and Space act at once.
    QFETCH(QString, expected);
    if (expected.isEmpty())
        YAQ_SETTLED_COMPARE(happened(), expected);
    else
        YAQ_TRY_COMPARE(happened(), expected);
}

void TestWkPage::sumLabels_data()
{
    // Row: a piece of the sum labels at the right of the flat-price
    // legend, left to right -> its text and whether it is bold or italic.
    QTest::addColumn<int>("piece");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    // clang-format off
    QTest::newRow("Summe, bold")           << 0 << "Summe"  << true  << false;
    QTest::newRow("colon, bold")           << 1 << ":"      << true  << false;
    QTest::newRow("bracket, italic")       << 2 << "("      << false << true;
    QTest::newRow("Netto in it, italic")   << 3 << "Netto"  << false << true;
    QTest::newRow("bracket closed")        << 4 << ")"      << false << true;
    QTest::newRow("Brutto, bold")          << 5 << "Brutto" << true  << false;
    // clang-format on
}

void TestWkPage::sumLabels()
{
    QFETCH(int, piece);
    CWkRowPainter painter;
    YaqTest::PaintedTexts device(QSize(800, 40), 96);
    const int priceLeft = 800 - painter.PriceColumnWidth();
    {
        QPainter dc(&device);
        painter.DrawFlatLegend(&dc, CRect(0, 0, 800, 40), priceLeft);
    }
    // The labels end where the price column begins; the legend stands at
    // the left.
    QList<YaqTest::PaintedText> labels;
    for (const YaqTest::PaintedText &painted : device.Texts())
        if (painted.at.x() >= priceLeft / 2 && !painted.text.isEmpty())
            labels << painted;
    QCOMPARE(labels.size(), 6);
    QVERIFY(labels.last().at.x() < priceLeft);
    const YaqTest::PaintedText &read = labels.at(piece);
    QTEST(read.text, "text");
    QTEST(read.font.bold(), "bold");
    QTEST(read.font.italic(), "italic");
}

YAQ_TEST_MAIN(TestWkPage)
#include "tst_wkpage.moc"
