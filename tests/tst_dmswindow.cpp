// The main window with the DMS listener on loopback: a vehicle the DMS
// pushes ("transferVIN") is answered while the question to the user is still
// open, and taken over only when the user agrees, with its own data. The
// first registration typed into the head row reaches the settings only as a
// valid date. The program's requests to the stand-in DMS wait well: the wait
// shows, input meanwhile is dropped, closing the window cancels, and the
// listener's requests wait for the program's.

#include "app/FgstNrAbfDlg.h"
#include "app/Yaq2App.h"
#include "basket/WkDlg.h"
#include "basket/model/WkBasket.h"
#include "catalogues/model/AwKatPricing.h"
#include "common/DmsMsgBoxNotice.h"
#include "common/DmsWaitWindow.h"
#include "platform/OrmelText.h"
#include "platform/SoapReq.h"
#include "platform/SoapSvr.h"
#include "platform/db/ServerWait.h"
#include "settings/DmsHeader.h"
#include "support/MainWindowTest.h"
#include "support/Waits.h"
#include "yaq2-dms/StandInDms.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QDialog>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QHostAddress>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTcpSocket>
#include <QtTest>

#include <memory>
#include <vector>

namespace {
const QString kVin = QStringLiteral("XVQ1F23A57M012345");
// An answer of the DMS that comes long after the adviser gave the request
// up, and before the program's own time for it is up: a request that ends
// before it was given up.
constexpr int kLateAnswerMs = CSoapReq::kDefaultTimeoutMs * 2 / 3;

QByteArray TransferVinPost(const CPrgSettings &settings, const QString &vin,
                           const QString &method = QStringLiteral("transferVIN"))
{
    const QByteArray body =
        QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
                       "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\">"
                       "<soap:Body><%4 xmlns=\"http://dms.yaq2.example/SRP\" "
                       "refSchema=\"serviceRepairPackages.xsd\" version=\"%1\">"
                       "<vin vinLongPrefix=\"%2\" vinShort=\"%3\"/><orderNumber>4711</orderNumber>"
                       "<mileage>45210</mileage></%4></soap:Body></soap:Envelope>")
            .arg(DmsHeaderVersion(settings), vin.left(10), vin.mid(10), method)
            .toUtf8();
    return "POST / HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Type: text/xml; charset=utf-8\r\n"
           "Content-Length: " +
           QByteArray::number(body.size()) + "\r\n\r\n" + body;
}
} // namespace

class TestDmsWindow : public MainWindowTest
{
    Q_OBJECT
private slots:
    void init() { setUpDemo(); }
    void cleanup()
    {
        tearDownDemo();
        m_listener.reset();
    }
    void transferVin_data();
    void transferVin();
    void pushAnsweredWhileListenerMessageOpen_data();
    void pushAnsweredWhileListenerMessageOpen();
    void wrongRequestsShowOneBox();
    void typedFirstRegistration_data();
    void typedFirstRegistration();
    void unknownVehicleShowsTheDmsException();
    void pushedVehicleTakesItsOwnData_data();
    void pushedVehicleTakesItsOwnData();
    void quickQueryTransfersTheBasket();
    void bothFormsShowTheSameVehicle_data();
    void bothFormsShowTheSameVehicle();

    void waitShowsItsWindowAndCancels();
    void doubleClickSendsOneRequest();
    void closingDuringAWaitClosesTheProgram();
    void pushWaitsForAPriceRequest_data();
    void pushWaitsForAPriceRequest();

private:
    // The stand-in DMS on loopback with the demo vehicles, answering after
    // `delay` milliseconds; the settings send the requests to it.
    std::unique_ptr<StandInDms> standIn(int delay, DmsMessageForm form = DmsMessageForm::Plain);

    std::unique_ptr<ISoapSvr> m_listener;
};

std::unique_ptr<StandInDms> TestDmsWindow::standIn(int delay, DmsMessageForm form)
{
    DmsVehicles vehicles;
    QString error;
    if (!LoadDmsVehicles(QStringLiteral(YAQ_DMS_VEHICLES), &vehicles, &error))
        qFatal("%s", qPrintable(error));
    auto dms = std::make_unique<StandInDms>();
    dms->setVehicles(vehicles);
    dms->setDelay(delay);
    dms->setForm(form);
    if (!dms->listen(QHostAddress::LocalHost, 0))
        qFatal("%s", qPrintable(dms->errorString()));
    m_settings->SRPInterfaceReq = 4;
    m_settings->XMLx = 1;
    m_settings->ReqXMLServer = QStringLiteral("http://127.0.0.1:%1/").arg(dms->port());
    UpdateDmsHeader(m_settings.get());
    return dms;
}

void TestDmsWindow::transferVin_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("vehicle");
    QTest::addColumn<QString>("mileage");
    // clang-format off
    QTest::newRow("user takes the vehicle") << int(IDYES) << kVin    << "45210";
    QTest::newRow("user keeps his vehicle") << int(IDNO)  << QString() << QString();
    // clang-format on
}

void TestDmsWindow::transferVin()
{
    QFETCH(int, button);
    QFETCH(QString, vehicle);
    QFETCH(QString, mileage);

    m_listener = std::make_unique<ISoapSvr>();
    QVERIFY(m_listener->StartListener(QStringLiteral("127.0.0.1"), 0, QString()));
    m_settings->SRPInterfaceReceive = 4;
    m_settings->ReceiveXMLx = 1;
    QTcpSocket client;
    QByteArray received;
    connect(&client, &QTcpSocket::readyRead, this, [&] { received += client.readAll(); });

    // The question comes only after the DMS has its answer: the box waits
    // for it as a modal box would, with the events running.
    bool answeredBeforeQuestion = false;
    int questions = 0;
    SetMsgBoxResponder([&](const MsgBoxRequest &box) {
        if (box.type == MB_YESNO) {
            ++questions;
            answeredBeforeQuestion = QTest::qWaitFor(
                [&] { return received.contains("confirmTransmission"); }, YaqTest::kHangMs);
            return MsgBoxAnswer{button};
        }
        return MsgBoxAnswer{IDOK};
    });

    startWindow();
    m_dlg->SetListener(m_listener.get());
    // A catalogue server found silent before: the push is a step of its own,
    // which asks it again.
    const QString silent = QStringLiteral("silent catalogue server");
    CServerWait::MarkSilent(silent);
    client.connectToHost(QHostAddress::LocalHost, m_listener->Port());
    QVERIFY(client.waitForConnected(YaqTest::kHangMs));
    client.write(TransferVinPost(*m_settings, kVin));

    YAQ_TRY_VERIFY(questions > 0);
    QVERIFY(!CServerWait::SilentInStep(silent));
    QVERIFY(answeredBeforeQuestion);
    QVERIFY(received.contains("<confirmTransmission>true</confirmTransmission>"));
    QCOMPARE(m_settings->FgstnrFull, vehicle);
    QCOMPARE(m_dlg->VinEdit()->text(), vehicle);
    QCOMPARE(m_settings->Kilometer, mileage);
    // The pushed vehicle's fields are held only while its request is
    // handled: a reset afterwards empties the mileage again.
    m_dlg->ResetVehicleFields(true, true);
    QCOMPARE(m_settings->Kilometer, QString());
}

// The DMS waits for its answer: a push that comes while a message of the
// listener is open is answered within two seconds. During the question of
// an earlier push it is refused ("GeneralApplicationError"), and the
// vehicle asked about stays the one taken; the message about a wrong
// request keeps nothing waiting, the push is taken at once.
void TestDmsWindow::pushAnsweredWhileListenerMessageOpen_data()
{
    QTest::addColumn<QString>("firstMethod");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("vehicle"); // the vehicle shown at the end
    const QString second = QStringLiteral("XVQ2G45B684K56789");
    // clang-format off
    QTest::newRow("question of a new vehicle open") << "transferVIN" << "exception name=\"GeneralApplicationError\"" << kVin;
    QTest::newRow("message of a wrong request open") << "requestVIN" << "<confirmTransmission>true</confirmTransmission>" << second;
    // clang-format on
}

void TestDmsWindow::pushAnsweredWhileListenerMessageOpen()
{
    QFETCH(QString, firstMethod);
    QFETCH(QString, answer);
    const QString second = QStringLiteral("XVQ2G45B684K56789");
    m_listener = std::make_unique<ISoapSvr>();
    QVERIFY(m_listener->StartListener(QStringLiteral("127.0.0.1"), 0, QString()));
    m_settings->SRPInterfaceReceive = 4;
    m_settings->ReceiveXMLx = 1;
    QTcpSocket first;
    QTcpSocket later;
    QByteArray laterReceived;
    connect(&later, &QTcpSocket::readyRead, this, [&] { laterReceived += later.readAll(); });

    int messages = 0;
    bool answeredInTime = false;
    SetMsgBoxResponder([&](const MsgBoxRequest &box) {
        // The message of the first push: the second comes while it is open.
        if (++messages == 1) {
            later.connectToHost(QHostAddress::LocalHost, m_listener->Port());
            if (later.waitForConnected(YaqTest::kHangMs))
                later.write(TransferVinPost(*m_settings, second));
            // Answered while the message is open (the DMS gives up after half
            // a minute).
            answeredInTime = QTest::qWaitFor(
                [&] { return laterReceived.contains("</s:Envelope>"); }, YaqTest::kHangMs);
        }
        return MsgBoxAnswer{box.type == MB_YESNO ? IDYES : IDOK};
    });

    startWindow();
    m_dlg->SetListener(m_listener.get());
    first.connectToHost(QHostAddress::LocalHost, m_listener->Port());
    QVERIFY(first.waitForConnected(YaqTest::kHangMs));
    first.write(TransferVinPost(*m_settings, kVin, firstMethod));

    YAQ_TRY_VERIFY(messages > 0 && !m_dlg->Dms().IsListenerBusy());
    QVERIFY2(answeredInTime, laterReceived.constData());
    QVERIFY2(laterReceived.contains(answer.toUtf8()), laterReceived.constData());
    QTEST(m_settings->FgstnrFull, "vehicle");
}

// Wrong requests that come together are each answered, but the adviser
// sees one message for them; a wrong request after that message was closed
// shows its own.
void TestDmsWindow::wrongRequestsShowOneBox()
{
    m_listener = std::make_unique<ISoapSvr>();
    QVERIFY(m_listener->StartListener(QStringLiteral("127.0.0.1"), 0, QString()));
    m_settings->SRPInterfaceReceive = 4;
    int boxes = 0;
    SetMsgBoxResponder([&](const MsgBoxRequest &box) {
        if (box.text == OrmelText(5071)) {
            ++boxes;
            // The adviser reads it while the others come.
            (void)QTest::qWaitFor([&] { return m_listener->Arrivals() >= 4; }, YaqTest::kHangMs);
        }
        return MsgBoxAnswer{IDOK};
    });
    startWindow();
    m_dlg->SetListener(m_listener.get());

    std::vector<std::unique_ptr<QTcpSocket>> clients;
    auto push = [&] {
        clients.push_back(std::make_unique<QTcpSocket>());
        clients.back()->connectToHost(QHostAddress::LocalHost, m_listener->Port());
        clients.back()->write(TransferVinPost(*m_settings, kVin, QStringLiteral("requestVIN")));
    };
    auto answered = [&] {
        for (const auto &client : clients)
            if (!client->peek(client->bytesAvailable()).contains("XMLNotValid"))
                return false;
        return true;
    };
    for (int i = 0; i < 4; ++i)
        push();
    YAQ_TRY_VERIFY(answered());
    QCOMPARE(boxes, 1);
    push();
    YAQ_TRY_VERIFY(answered());
    QCOMPARE(boxes, 2);
}

void TestDmsWindow::typedFirstRegistration_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("taken");
    QTest::addColumn<bool>("invalidDateBox");
    // clang-format off
    QTest::newRow("valid date")            << "01.02.2015"  << "01.02.2015" << "01.02.2015" << false;
    QTest::newRow("letter is dropped")     << "01.0x2.2015" << "01.02.2015" << "01.02.2015" << false;
    QTest::newRow("no such day")           << "31.02.2015"  << "31.02.2015" << ""           << true;
    QTest::newRow("incomplete: no check")  << "01.02.20"    << "01.02.20"   << ""           << false;
    // clang-format on
}

void TestDmsWindow::typedFirstRegistration()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, taken);
    QFETCH(bool, invalidDateBox);

    m_settings->MarketingCampaigns = 1;
    startWindow();
    QTest::keyClicks(m_dlg->VinEdit(), kVin);
    QCOMPARE(m_settings->FgstnrFull, kVin);
    auto *field = m_dlg->findChild<QLineEdit *>(QStringLiteral("firstRegistrationEdit"));
    QVERIFY(field && field->isEnabled());
    field->clear();
    const qsizetype boxesBefore = m_env->boxes().size();
    QTest::keyClicks(field, typed);

    QCOMPARE(field->text(), shown);
    QCOMPARE(m_settings->Erstzulassung, taken);
    bool sawInvalidDate = false;
    for (qsizetype i = boxesBefore; i < m_env->boxes().size(); ++i)
        sawInvalidDate = sawInvalidDate || m_env->boxes()[i].text == OrmelText(4024);
    QCOMPARE(sawInvalidDate, invalidDateBox);
}

// A typed vehicle the DMS does not know: the exception of its answer to
// the first registration request is shown, and the field keeps the
// placeholder.
void TestDmsWindow::unknownVehicleShowsTheDmsException()
{
    const auto dms = standIn(0);
    m_settings->MarketingCampaigns = 1;
    startWindow();
    const qsizetype before = m_env->boxes().size();
    const QString alto = QStringLiteral("XVQ4X01A57P012345");
    QTest::keyClicks(m_dlg->VinEdit(), alto);
    QCOMPARE(m_settings->FgstnrFull, alto);
    QStringList shown;
    for (qsizetype i = before; i < m_env->boxes().size(); ++i)
        shown << m_env->boxes()[i].text;
    QCOMPARE(shown, QStringList{QStringLiteral("RequestFirstRegistrationDateResponse\n"
                                               "exception: VINNotFound\nexceptionInfo: Das DMS "
                                               "kennt kein Fahrzeug mit der Fahrgestellnummer "
                                               "\"XVQ4X01A57P012345\".")});
    QCOMPARE(m_dlg->findChild<QLineEdit *>(QStringLiteral("firstRegistrationEdit"))->text(),
             OrmelText(6061));
    QCOMPARE(m_settings->Erstzulassung, QString());
}

void TestDmsWindow::pushedVehicleTakesItsOwnData_data()
{
    QTest::addColumn<int>("receiveXmlx");
    QTest::addColumn<int>("campaigns");
    QTest::addColumn<QString>("pushedDate");
    QTest::addColumn<QString>("taken"); // the settings' first registration afterwards
    QTest::addColumn<QString>("shown"); // the field afterwards
    // clang-format off
    QTest::newRow("date pushed")                << 1 << 1 << "2016-03-09" << "09.03.2016" << "09.03.2016";
    QTest::newRow("no date pushed: placeholder") << 1 << 1 << ""           << ""           << "TT.MM.JJJJ";
    QTest::newRow("dates not received")         << 0 << 1 << "2016-03-09" << ""           << "TT.MM.JJJJ";
    QTest::newRow("no campaigns")               << 1 << 0 << "2016-03-09" << ""           << "TT.MM.JJJJ";
    // clang-format on
}

// A vehicle the DMS pushes and the adviser takes brings its own first
// registration (or none) and its own order: nothing of the vehicle shown
// before stays.
void TestDmsWindow::pushedVehicleTakesItsOwnData()
{
    QFETCH(int, receiveXmlx);
    QFETCH(int, campaigns);
    QFETCH(QString, pushedDate);
    QFETCH(QString, taken);
    QFETCH(QString, shown);

    m_settings->MarketingCampaigns = campaigns;
    m_settings->SRPInterfaceReceive = 4;
    m_settings->ReceiveXMLx = receiveXmlx;
    UpdateDmsHeader(m_settings.get());
    SetMsgBoxResponder(
        [](const MsgBoxRequest &box) { return MsgBoxAnswer{box.type == MB_YESNO ? IDYES : IDOK}; });
    startWindow();
    QTest::keyClicks(m_dlg->VinEdit(), kVin);
    QCOMPARE(m_settings->FgstnrFull, kVin);
    auto *field = m_dlg->findChild<QLineEdit *>(QStringLiteral("firstRegistrationEdit"));
    QVERIFY(field);
    {
        const QSignalBlocker block(field);
        field->setText(QStringLiteral("01.01.2014"));
    }
    m_settings->Erstzulassung = QStringLiteral("01.01.2014");
    CWkBasket *basket = m_dlg->Basket();
    CWkOrderData order;
    order.strAuftragsNr = QStringLiteral("4711");
    order.strJobNr = QStringLiteral("J1");
    basket->SetOrder(order);

    TransferVinRequest push;
    push.vin = QStringLiteral("XVQ2G45B684K56789");
    push.firstRegistrationDate = pushedDate;
    push.mileage = QStringLiteral("1200");
    push.version = DmsHeaderVersion(*m_settings);
    m_dlg->HandleSoapRequest(BuildTransferVinRequest(push));

    QCOMPARE(m_settings->FgstnrFull, push.vin);
    QCOMPARE(m_settings->Erstzulassung, taken);
    QCOMPARE(field->text(), shown);
    QCOMPARE(m_settings->Kilometer, QStringLiteral("1200"));
    // The push named no order: none of the previous one is left.
    QCOMPARE(basket->Order().strAuftragsNr, QString());
    QCOMPARE(basket->Order().strJobNr, QString());
}

void TestDmsWindow::bothFormsShowTheSameVehicle_data()
{
    QTest::addColumn<bool>("push"); // transferVIN; else the first registration asked
    QTest::addColumn<int>("form");  // DmsMessageForm of the stand-in
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("mileage");
    const int plain = int(DmsMessageForm::Plain);
    const int prefixed = int(DmsMessageForm::Prefixed);
    // clang-format off
    QTest::newRow("first registration answered")           << false << plain    << "09.03.2016" << "45210";
    QTest::newRow("first registration answered, prefixed") << false << prefixed << "09.03.2016" << "45210";
    QTest::newRow("vehicle pushed")                        << true  << plain    << "09.03.2016" << "1200";
    QTest::newRow("vehicle pushed, prefixed")              << true  << prefixed << "09.03.2016" << "1200";
    // clang-format on
}

// What the DMS answers or pushes shows the same in the head row whether its
// elements come with a default namespace or with prefixes, typed and with
// nil elements, as a generated SOAP stack writes them.
void TestDmsWindow::bothFormsShowTheSameVehicle()
{
    QFETCH(bool, push);
    QFETCH(int, form);
    const auto dms = standIn(0, DmsMessageForm(form));
    m_settings->MarketingCampaigns = 1;
    m_settings->SRPInterfaceReceive = 4;
    m_settings->ReceiveXMLx = 1;
    m_settings->V117 = 1;
    UpdateDmsHeader(m_settings.get());
    SetMsgBoxResponder(
        [](const MsgBoxRequest &box) { return MsgBoxAnswer{box.type == MB_YESNO ? IDYES : IDOK}; });
    startWindow();
    const qsizetype before = m_env->boxes().size();
    if (push) {
        TransferVinRequest request;
        request.vin = kVin;
        request.firstRegistrationDate = QStringLiteral("2016-03-09");
        request.mileage = QStringLiteral("1200");
        request.orderNumber = QStringLiteral("4711");
        request.version = DmsHeaderVersion(*m_settings);
        m_dlg->HandleSoapRequest(
            InMessageForm(BuildTransferVinRequest(request), DmsMessageForm(form)));
        QCOMPARE(m_dlg->Basket()->Order().strAuftragsNr, QStringLiteral("4711"));
    } else {
        QTest::keyClicks(m_dlg->VinEdit(), kVin);
    }
    QStringList shown;
    for (qsizetype i = before; i < m_env->boxes().size(); ++i) {
        if (m_env->boxes()[i].type != MB_YESNO)
            shown << m_env->boxes()[i].text;
    }
    QCOMPARE(shown, QStringList());
    QCOMPARE(m_settings->FgstnrFull, kVin);
    QTEST(m_dlg->findChild<QLineEdit *>(QStringLiteral("firstRegistrationEdit"))->text(), "date");
    QTEST(m_dlg->findChild<QLineEdit *>(QStringLiteral("mileageEdit"))->text(), "mileage");
    QCOMPARE(m_settings->bCustomerSpecificPrice, 0);
}

// Caller mode "qvlaposquery" hands the basket on at once: the Basket-List,
// with the labour-value answer and the maker, goes to the clipboard without
// a word, and the program ends.
void TestDmsWindow::quickQueryTransfersTheBasket()
{
    QGuiApplication::clipboard()->clear();
    m_settings->bQvl = 1;
    m_settings->bQvlAPosQuery = 1;
    m_settings->Fgstnr = kVin;
    m_dlg = std::make_unique<CYaq2Dlg>(m_settings.get());
    CMainWndArgs args;
    args.apNr = QStringLiteral("1110020");
    m_dlg->InitDialog(args);
    for (const MsgBoxRequest &box : m_env->boxes()) {
        QVERIFY(box.text != OrmelText(7073));
        QVERIFY(box.text != OrmelText(4085));
    }
    const QMimeData *clip = QGuiApplication::clipboard()->mimeData();
    QVERIFY(clip);
    const QString document = utf16BlockText(clip->data(QStringLiteral("YAQ_BASKET_DATA")));
    QVERIFY(document.contains(QLatin1String("<Hersteller>VOQ</Hersteller>")));
    // The vehicle has labour values for the position.
    QVERIFY2(document.contains(QLatin1String("<AW>1</AW>")), qPrintable(document));
    QVERIFY(document.endsWith(QLatin1String("</Basket-List>")));
    // The transfer system's format alone: no plain-text copy.
    QCOMPARE(clip->formats(), QStringList{QStringLiteral("YAQ_BASKET_DATA")});
    QVERIFY(m_dlg->IsEnded());
    QCOMPARE(m_settings->AktApNr, QStringLiteral("1110020"));
}

// The wait cursor shows at once, the wait window once half a second has
// passed; its "Abbrechen" gives the request up without a word and changes
// nothing.
void TestDmsWindow::waitShowsItsWindowAndCancels()
{
    const auto dms = standIn(kLateAnswerMs);
    startWindow();
    m_settings->FgstnrFull = kVin;
    m_settings->Erstzulassung.clear();
    m_settings->bDmsExchangeDone = 0;
    CDmsWaitWindow &wait = m_dlg->Dms().Wait();
    bool cursorAtOnce = false;
    bool windowAtOnce = true;
    bool windowLater = false;
    QString text;
    // The first turn of the events after the request went out comes before
    // the half second is up, however busy the machine is.
    QTimer::singleShot(0, this, [&] {
        cursorAtOnce = QApplication::overrideCursor() != nullptr;
        windowAtOnce = wait.Window() && wait.Window()->isVisible();
    });
    QTimer look;
    look.start(10);
    connect(&look, &QTimer::timeout, this, [&] {
        QDialog *window = wait.Window();
        windowLater = window && window->isVisible();
        if (!windowLater)
            return;
        look.stop();
        text = window->findChild<QLabel *>(QStringLiteral("dmsWaitText"))->text();
        auto *cancel = window->findChild<QPushButton *>(QStringLiteral("dmsWaitCancel"));
        QCOMPARE(cancel->text(), OrmelText(7121));
        QTest::mouseClick(cancel, Qt::LeftButton);
    });
    const qsizetype boxes = m_env->boxes().size();
    QElapsedTimer clock;
    clock.start();
    const CFirstRegistration::AnswerResult r = m_dlg->RequestFirstRegistrationDate();
    QVERIFY2(clock.elapsed() < kLateAnswerMs, "the request was not given up");
    QVERIFY(cursorAtOnce);
    QVERIFY(!windowAtOnce);
    QVERIFY(windowLater);
    QCOMPARE(text, OrmelText(7120));
    QCOMPARE(r.applied, 0);
    QCOMPARE(m_settings->Erstzulassung, QString());
    QCOMPARE(m_settings->bDmsExchangeDone, 0);
    QCOMPARE(m_env->boxes().size(), boxes);
    QVERIFY(!QApplication::overrideCursor());
    QVERIFY(!wait.Window() || !wait.Window()->isVisible());
}

// The clicks of a double click on "DMS-Anfrage" reach the program while the
// first request waits: only one request goes out.
void TestDmsWindow::doubleClickSendsOneRequest()
{
    const auto dms = standIn(300);
    int requests = 0;
    connect(dms.get(), &StandInDms::requestReceived, this, [&] { ++requests; });
    startWindow();
    CVehicleSearchTarget target;
    target.client = &m_dlg->Dms().Client();
    CFgstNrAbfDlg search(m_settings.get(), m_dlg->Db(0), m_dlg.get(), target);
    search.show();
    search.findChild<QLineEdit *>(QStringLiteral("lastNameEdit"))
        ->setText(QStringLiteral("Müller"));
    auto *button = search.findChild<QAbstractButton *>(QStringLiteral("searchButton"));
    QVERIFY(button && button->isEnabled());
    // As the window system delivers them: queued, one after the other.
    const QPointF at = QRectF(button->rect()).center();
    const std::pair<QEvent::Type, Qt::MouseButtons> clicks[] = {
        {QEvent::MouseButtonPress, Qt::LeftButton}, {QEvent::MouseButtonRelease, Qt::NoButton},
        {QEvent::MouseButtonPress, Qt::LeftButton}, {QEvent::MouseButtonDblClick, Qt::LeftButton},
        {QEvent::MouseButtonRelease, Qt::NoButton},
    };
    for (const auto &[type, buttons] : clicks)
        QCoreApplication::postEvent(button,
                                    new QMouseEvent(type, at, button->mapToGlobal(at),
                                                    Qt::LeftButton, buttons, Qt::NoModifier));
    YAQ_TRY_VERIFY(!search.Hits().isEmpty());
    // Every click the window system queued has been delivered, and no
    // request waits.
    QCoreApplication::sendPostedEvents();
    YAQ_TRY_VERIFY(!target.client->IsBusy());
    QCOMPARE(requests, 1);
}

// Closing the main window while a request waits gives the request up; the
// window closes once the request is back.
void TestDmsWindow::closingDuringAWaitClosesTheProgram()
{
    const auto dms = standIn(kLateAnswerMs);
    startWindow();
    m_settings->FgstnrFull = kVin;
    m_settings->Erstzulassung.clear();
    bool closedAtOnce = true;
    QObject scope; // gone with the function, also when a check fails before it fired
    QTimer::singleShot(200, &scope, [&] { closedAtOnce = m_dlg->close(); });
    QElapsedTimer clock;
    clock.start();
    const CFirstRegistration::AnswerResult r = m_dlg->RequestFirstRegistrationDate();
    QVERIFY2(clock.elapsed() < kLateAnswerMs, "the request was not given up");
    QVERIFY(!closedAtOnce);
    QCOMPARE(r.applied, 0);
    QCOMPARE(m_settings->Erstzulassung, QString());
    YAQ_TRY_VERIFY(m_dlg->IsEnded());
    QVERIFY(!m_dlg->isVisible());
}

// A vehicle the DMS pushes while a price request waits is taken only once
// the request is done: it never changes the vehicle under the request. A
// request that keeps it waiting longer than the window's refusal time (a
// second) has it refused.
void TestDmsWindow::pushWaitsForAPriceRequest_data()
{
    QTest::addColumn<int>("delay");    // of the price answer, in ms
    QTest::addColumn<int>("refuseMs"); // the push waits this long before its refusal
    QTest::addColumn<QString>("answer");
    const int never = 2 * YaqTest::kHangMs;
    // clang-format off
    QTest::newRow("taken after the request")   << 500  << never << "<confirmTransmission>true</confirmTransmission>";
    QTest::newRow("refused during a long one") << 5000 << 0     << "exception name=\"GeneralApplicationError\"";
    // clang-format on
}

void TestDmsWindow::pushWaitsForAPriceRequest()
{
    QFETCH(int, delay);
    QFETCH(int, refuseMs);
    QFETCH(QString, answer);
    const auto dms = standIn(delay);
    m_listener = std::make_unique<ISoapSvr>();
    QVERIFY(m_listener->StartListener(QStringLiteral("127.0.0.1"), 0, QString()));
    m_settings->SRPInterfaceReceive = 4;
    startWindow();
    m_dlg->SetListener(m_listener.get());
    m_dlg->Dms().Watch().SetRefuseAfter(refuseMs);
    m_settings->FgstnrFull = kVin;

    QElapsedTimer clock;
    QTcpSocket client;
    QByteArray received;
    qint64 answeredAt = -1;
    connect(&client, &QTcpSocket::readyRead, this, [&] {
        received += client.readAll();
        if (answeredAt < 0 && received.contains("</s:Envelope>"))
            answeredAt = clock.elapsed();
    });
    QObject scope; // gone with the function, also when a check fails before it fired
    QTimer::singleShot(100, &scope, [&] {
        client.connectToHost(QHostAddress::LocalHost, m_listener->Port());
        client.write(TransferVinPost(*m_settings, kVin));
    });
    clock.start();
    CDmsMsgBoxNotice notice(m_dlg.get());
    CAwKatPrices prices;
    CAwKatPricing::Request(m_dlg->Dms().Client(), &notice, QStringLiteral("1110015"),
                           QStringLiteral("3"), prices);
    const qint64 requestDone = clock.elapsed();
    QVERIFY2(requestDone >= delay * 9 / 10, qPrintable(QString::number(requestDone)));
    YAQ_TRY_VERIFY(answeredAt >= 0);
    QVERIFY2(received.contains(answer.toUtf8()), received.constData());
    // Taken after the request, or refused while it waited.
    if (refuseMs > delay)
        QVERIFY2(answeredAt >= requestDone, qPrintable(QString::number(answeredAt)));
    else
        QVERIFY2(answeredAt < requestDone, qPrintable(QString::number(answeredAt)));
}

YAQ_TEST_MAIN(TestDmsWindow)
#include "tst_dmswindow.moc"
