// The main window with the DMS listener on loopback: a vehicle the DMS
// pushes ("transferVIN") is answered while the question to the user is still
// open, and taken over only when the user agrees. The first registration
// typed into the head row reaches the settings only as a valid date.

#include "platform/OrmelText.h"
#include "platform/SoapSvr.h"
#include "settings/DmsHeader.h"
#include "support/MainWindowTest.h"

#include <QHostAddress>
#include <QLineEdit>
#include <QTcpSocket>
#include <QtTest>

namespace {
const QString kVin = QStringLiteral("XVQ1F23A57M012345");

QByteArray TransferVinPost(const CPrgSettings &settings, const QString &vin)
{
    const QByteArray body =
        QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
                       "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\">"
                       "<soap:Body><transferVIN xmlns=\"http://dms.yaq2.example/SRP\" "
                       "refSchema=\"serviceRepairPackages.xsd\" version=\"%1\">"
                       "<vin vinLongPrefix=\"%2\" vinShort=\"%3\"/><orderNumber>4711</orderNumber>"
                       "<mileage>45210</mileage></transferVIN></soap:Body></soap:Envelope>")
            .arg(DmsHeaderVersion(settings), vin.left(10), vin.mid(10))
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
    void secondPushWaitsForTheFirstQuestion();
    void typedFirstRegistration_data();
    void typedFirstRegistration();

private:
    std::unique_ptr<ISoapSvr> m_listener;
};

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
            answeredBeforeQuestion =
                QTest::qWaitFor([&] { return received.contains("confirmTransmission"); }, 5000);
            return MsgBoxAnswer{button};
        }
        return MsgBoxAnswer{IDOK};
    });

    startWindow();
    m_dlg->SetListener(m_listener.get());
    client.connectToHost(QHostAddress::LocalHost, m_listener->Port());
    QVERIFY(client.waitForConnected(5000));
    client.write(TransferVinPost(*m_settings, kVin));

    QVERIFY(QTest::qWaitFor([&] { return questions > 0; }, 5000));
    QVERIFY(answeredBeforeQuestion);
    QVERIFY(received.contains("<confirmTransmission>true</confirmTransmission>"));
    QCOMPARE(m_settings->FgstnrFull, vehicle);
    QCOMPARE(m_dlg->VinEdit()->text(), vehicle);
    QCOMPARE(m_settings->Kilometer, mileage);
    QCOMPARE(m_dlg->m_bHoldAllB, 0);
}

// While the user answers the question of one pushed vehicle, a second push
// waits in the listener, is then handled in its turn and asked about.
void TestDmsWindow::secondPushWaitsForTheFirstQuestion()
{
    const QString second = QStringLiteral("XVQ2G45B684K56789");
    m_listener = std::make_unique<ISoapSvr>();
    QVERIFY(m_listener->StartListener(QStringLiteral("127.0.0.1"), 0, QString()));
    m_settings->SRPInterfaceReceive = 4;
    m_settings->ReceiveXMLx = 1;
    QTcpSocket first;
    QTcpSocket later;
    QByteArray laterReceived;
    connect(&later, &QTcpSocket::readyRead, this, [&] { laterReceived += later.readAll(); });

    int questions = 0;
    bool secondWaited = false;
    SetMsgBoxResponder([&](const MsgBoxRequest &box) {
        if (box.type != MB_YESNO)
            return MsgBoxAnswer{IDOK};
        if (++questions == 1) {
            later.connectToHost(QHostAddress::LocalHost, m_listener->Port());
            if (later.waitForConnected(5000))
                later.write(TransferVinPost(*m_settings, second));
            // Several poll ticks pass with the question open.
            QTest::qWait(1200);
            secondWaited = laterReceived.isEmpty();
        }
        return MsgBoxAnswer{IDYES};
    });

    startWindow();
    m_dlg->SetListener(m_listener.get());
    first.connectToHost(QHostAddress::LocalHost, m_listener->Port());
    QVERIFY(first.waitForConnected(5000));
    first.write(TransferVinPost(*m_settings, kVin));

    QVERIFY(QTest::qWaitFor([&] { return questions == 2; }, 10000));
    QVERIFY(secondWaited);
    QVERIFY(QTest::qWaitFor(
        [&] { return laterReceived.contains("<confirmTransmission>true</confirmTransmission>"); },
        5000));
    QCOMPARE(m_settings->FgstnrFull, second);
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

YAQ_TEST_MAIN(TestDmsWindow)
#include "tst_dmswindow.moc"
