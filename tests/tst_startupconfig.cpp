// The dealer platform's start-up configuration against the stand-in agent
// service (https, with a throw-away certificate made for the run) and the
// stand-in broker (http) over loopback: what is held, what is asked, what a
// failing or silent host does to the start and to its time, and what the
// main window's step makes of it.

#include "app/AgentMessage.h"
#include "app/StartupConfig.h"
#include "app/Utilities.h"
#include "platform/Profile.h"
#include "settings/PrgSettings.h"
#include "support/OutOfRoom.h"
#include "support/TestEnv.h"
#include "support/Waits.h"
#include "yaq2-dms/StandInAgent.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QSslConfiguration>
#include <QSslKey>
#include <QTcpServer>

#include <cerrno>
#include <memory>

namespace {

// Where a host is silent, it costs the test two seconds; four silent
// hosts meet the step's bound on the third. Where none is, the start's
// times lie beyond the test's wait: the answers of a busy machine never
// meet them.
constexpr int kRequestMs = 2000;
constexpr int kStepMs = 5000;
constexpr int kNeverMs = YaqTest::kHangMs;
// What a slow machine (sanitizers) may add to the step's bound.
constexpr int kSlackMs = 1500;

// Loopback addresses of this run's hosts, 127.x.y.1 to 127.x.y.8, apart
// from those of any other run on the machine.
QString Address(int n)
{
    const qint64 pid = QCoreApplication::applicationPid();
    return QStringLiteral("127.%1.%2.%3").arg(100 + pid / 256 % 100).arg(pid % 256).arg(n);
}

QString MethodWord(const QString &method)
{
    if (method == QLatin1String("getBrellDatabase"))
        return QStringLiteral("db");
    if (method == QLatin1String("getBrellDBUserPw"))
        return QStringLiteral("pw");
    if (method == QLatin1String("getCountryCode"))
        return QStringLiteral("cc");
    return QStringLiteral("dd");
}

QString ProfileFile(const QString &folder)
{
    return folder + QStringLiteral("/ORMEL AG/YAQStartup.ini");
}

} // namespace

class TestStartupConfig : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void dealerContracts_data();
    void dealerContracts();
    void configuration_data();
    void configuration();
    void heldValuesComeBackWhole_data();
    void heldValuesComeBackWhole();
    void handWrittenProfile();
    void heldValuesKeptOnAFullDisk_data();
    void heldValuesKeptOnAFullDisk();
    void valuesNotSavedAreNotSavedLater();
    void mainWindowStep_data();
    void mainWindowStep();
    void brandCheckWithDealerList();

private:
    // A fresh profile folder and configuration folders for the next step.
    void freshFolders();
    // Hosts of the kinds named ("agent", "nocc", "nodb", "noport", "fault",
    // "silent", "refused"), on addresses 1, 2, ... at the port of the mode.
    void startHosts(const QStringList &kinds, bool broker);
    // The platform's address file with the hosts 1..n (from host `from`).
    void writeAddressFile(int from, int count);
    // Values in the start-up profile, written before a step.
    void writeProfile(const QList<QPair<QString, QString>> &values);

    std::unique_ptr<TestEnv> m_env;
    QString m_cert;
    QSslCertificate m_certificate;
    QSslKey m_key;
    quint16 m_httpsPort = 0;
    quint16 m_brokerPort = 0;
    int m_folderCount = 0;
    QString m_profileFolder;
    QString m_configHome;
    std::vector<std::unique_ptr<StandInAgent>> m_hosts;
};

void TestStartupConfig::initTestCase()
{
    m_env = std::make_unique<TestEnv>();

    // The agent's certificate, made for this run and trusted by it alone.
    QStringList names;
    for (int n = 1; n <= 8; ++n)
        names << QStringLiteral("IP:") + Address(n);
    const QString key = m_env->path() + QStringLiteral("/agent-key.pem");
    m_cert = m_env->path() + QStringLiteral("/agent-cert.pem");
    QProcess openssl;
    const YaqTest::ProcessReaper reaper(openssl);
    openssl.start(QStringLiteral("openssl"),
                  {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
                   QStringLiteral("ec"), QStringLiteral("-pkeyopt"),
                   QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes"),
                   QStringLiteral("-keyout"), key, QStringLiteral("-out"), m_cert,
                   QStringLiteral("-days"), QStringLiteral("2"), QStringLiteral("-subj"),
                   QStringLiteral("/CN=") + Address(1), QStringLiteral("-addext"),
                   QStringLiteral("subjectAltName=") + names.join(QLatin1Char(','))});
    QVERIFY2(openssl.waitForFinished(YaqTest::kHangMs) &&
                 openssl.exitStatus() == QProcess::NormalExit && openssl.exitCode() == 0,
             qPrintable(QStringLiteral("openssl could not make the test certificate: ") +
                        openssl.errorString() + QString::fromLocal8Bit(openssl.readAll())));
    QFile certFile(m_cert);
    QFile keyFile(key);
    QVERIFY(certFile.open(QIODevice::ReadOnly) && keyFile.open(QIODevice::ReadOnly));
    m_certificate = QSslCertificate(certFile.readAll(), QSsl::Pem);
    m_key = QSslKey(keyFile.readAll(), QSsl::Ec, QSsl::Pem);
    QVERIFY(!m_certificate.isNull());
    QVERIFY(!m_key.isNull());
    QSslConfiguration trust = QSslConfiguration::defaultConfiguration();
    trust.setCaCertificates({m_certificate});
    QSslConfiguration::setDefaultConfiguration(trust);

    // One port for every https host of the run, another for the brokers.
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress(Address(1)), 0));
    m_httpsPort = probe.serverPort();
    QTcpServer brokerProbe;
    QVERIFY(brokerProbe.listen(QHostAddress(Address(1)), 0));
    m_brokerPort = brokerProbe.serverPort();
}

void TestStartupConfig::init()
{
    freshFolders();
}

void TestStartupConfig::cleanup()
{
    m_hosts.clear();
}

void TestStartupConfig::freshFolders()
{
    const QString base = m_env->path() + QStringLiteral("/step%1").arg(++m_folderCount);
    m_profileFolder = base + QStringLiteral("/profile");
    m_configHome = base + QStringLiteral("/config");
    QDir().mkpath(m_profileFolder);
    QDir().mkpath(m_configHome);
    QDir().mkpath(base + QStringLiteral("/xdg"));
    CProfile::SetStorageFolder(m_profileFolder);
    qputenv("XDG_CONFIG_HOME", m_configHome.toUtf8());
    qputenv("XDG_CONFIG_DIRS", (base + QStringLiteral("/xdg")).toUtf8());
}

void TestStartupConfig::startHosts(const QStringList &kinds, bool broker)
{
    for (int i = 0; i < kinds.size(); ++i) {
        const QString &kind = kinds.at(i);
        if (kind == QLatin1String("refused"))
            continue;
        auto host = std::make_unique<StandInAgent>();
        AgentPlatform platform;
        if (kind == QLatin1String("nocc"))
            platform.countryCode.clear();
        else if (kind == QLatin1String("nodb"))
            platform.databaseHost.clear();
        else if (kind == QLatin1String("noport"))
            platform.databasePort = 0;
        host->setPlatform(platform);
        host->setBroker(broker);
        host->setFailing(kind == QLatin1String("fault"));
        host->setDelay(kind == QLatin1String("silent") ? -1 : 0);
        const QHostAddress address(Address(i + 1));
        const bool listening = broker ? host->listen(address, m_brokerPort)
                                      : host->listenTls(address, m_httpsPort, m_certificate, m_key);
        QVERIFY2(listening,
                 qPrintable(Address(i + 1) + QStringLiteral(": ") + host->errorString()));
        host->setObjectName(QString::number(i));
        m_hosts.push_back(std::move(host));
    }
}

void TestStartupConfig::writeAddressFile(int from, int count)
{
    QByteArray lines;
    for (int n = from; n < from + count; ++n)
        lines += Address(n).toUtf8() + "\r\n\r\n";
    QVERIFY(writeTextFile(m_configHome + QStringLiteral("/ORVA/vemro-ip-real.cfg"), lines));
}

void TestStartupConfig::writeProfile(const QList<QPair<QString, QString>> &values)
{
    CProfile profile(CStartupConfig::kProfileName);
    for (const auto &[path, value] : values) {
        const QStringList parts = path.split(QLatin1Char('/'));
        profile.WriteProfileString(parts.at(0), parts.at(1), value);
    }
    QVERIFY(profile.Sync());
}

// ---------------------------------------------------------------------------

void TestStartupConfig::dealerContracts_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("broker");
    QTest::addColumn<bool>("isAnswer");
    QTest::addColumn<QString>("brands");

    const QString agent = QStringLiteral(
        "<s:Envelope xmlns:s='http://schemas.xmlsoap.org/soap/envelope/'><s:Body>"
        "<ns1:getDealerDataBeanResponse xmlns:ns1='urn:a'><getDealerDataBeanReturn>"
        "<distributionPartner><outlet>%1</outlet></distributionPartner>"
        "</getDealerDataBeanReturn></ns1:getDealerDataBeanResponse></s:Body></s:Envelope>");
    const QString broker = QStringLiteral(
        "<Envelope><Body><getNevaDealerDataResponse><nevaDealerData><outlet>%1</outlet>"
        "</nevaDealerData></getNevaDealerDataResponse></Body></Envelope>");
    // clang-format off
    QTest::newRow("vehicle contracts, lower-cased, each once") << agent.arg(QStringLiteral("<contract><brand>VOQ</brand><product>Vehicle</product></contract><contract><brand>Lumo</brand><product>VEHICLE</product></contract><contract><brand>voq</brand><product>vehicle</product></contract>")) << false << true << "voq|lumo";
    QTest::newRow("a contract without product does not shift the pairs") << agent.arg(QStringLiteral("<contract><brand>Tremik</brand><product/></contract><contract><brand>VOQ</brand><product>Vehicle</product></contract><contract><brand>Lumo</brand><product>Parts</product></contract>")) << false << true << "voq";
    QTest::newRow("a contract without brand does not shift the pairs") << agent.arg(QStringLiteral("<contract><product>Vehicle</product></contract><contract><brand>Lumo</brand><product>Parts</product></contract><contract><product>Vehicle</product><brand>Quendaline</brand></contract>")) << false << true << "quendaline";
    QTest::newRow("prefixed elements are matched by local name") << agent.arg(QStringLiteral("<a:contract xmlns:a='urn:b'><a:brand>Lumo</a:brand><a:product>Vehicle</a:product></a:contract>")) << false << true << "lumo";
    QTest::newRow("contracts outside the outlet path do not count") << agent.arg(QString()).replace(QStringLiteral("</getDealerDataBeanReturn>"), QStringLiteral("</getDealerDataBeanReturn><contract><brand>VOQ</brand><product>Vehicle</product></contract>")) << false << true << "";
    QTest::newRow("broker: the vehicle product is called car") << broker.arg(QStringLiteral("<contract><brand>VOQ</brand><product>Car</product></contract><contract><brand>Lumo</brand><product>Vehicle</product></contract>")) << true << true << "voq";
    QTest::newRow("an agent answer read in the broker's words holds no dealer data") << agent.arg(QStringLiteral("<contract><brand>VOQ</brand><product>Car</product></contract>")) << true << false << "";
    QTest::newRow("a fault is no answer") << QStringLiteral("<s:Envelope xmlns:s='urn:s'><s:Body><s:Fault><faultstring>down</faultstring></s:Fault></s:Body></s:Envelope>") << false << false << "";
    QTest::newRow("a document type is refused") << QStringLiteral("<!DOCTYPE a [<!ENTITY e 'VOQ'>]><a/>") << false << false << "";
    QTest::newRow("not xml") << QStringLiteral("HTTP/1.1 200 OK") << false << false << "";
    // clang-format on
}

void TestStartupConfig::dealerContracts()
{
    QFETCH(QString, answer);
    QFETCH(bool, broker);
    QFETCH(bool, isAnswer);
    QFETCH(QString, brands);

    CAgentAnswer a;
    const bool loaded = a.Load(answer);
    QCOMPARE(loaded && a.HasDealerData(broker), isAnswer);
    QCOMPARE(VehicleBrands(a.Contracts(broker), broker).join(QLatin1Char('|')), brands);
}

// ---------------------------------------------------------------------------

void TestStartupConfig::configuration_data()
{
    // hosts: the kinds of hosts 1, 2, ... (the address file lists them all;
    // with "ip" held, the profile names host 1 and the file the others).
    // held: values of an earlier start in the profile. Expected: the
    // connection (host of the descriptor, password), the country code, the
    // brands, the host written back as "IP", and the methods each host
    // running a stand-in was asked (db, pw, cc, dd; hosts apart by "/").
    QTest::addColumn<QString>("hosts");
    QTest::addColumn<bool>("broker");
    QTest::addColumn<QString>("held");
    QTest::addColumn<QString>("dbHost");
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("ccAnswered");
    QTest::addColumn<QString>("countryCode");
    QTest::addColumn<int>("asked");
    QTest::addColumn<QString>("brands");
    QTest::addColumn<int>("found");
    QTest::addColumn<int>("ipHost");
    QTest::addColumn<QString>("methods");

    const QString agentDb = QStringLiteral("catalogue.dealer.example");
    const QString heldDb = QStringLiteral("held.dealer.example");
    // clang-format off
    QTest::newRow("agent answers everything")               << "agent"         << false << ""                << agentDb << "demo-secret" << true  << "DE" << 0 << "voq|lumo"   << 1 << 1 << "db pw cc dd";
    QTest::newRow("broker answers everything")              << "agent"         << true  << ""                << agentDb << "demo-secret" << true  << "DE" << 0 << "voq|lumo"   << 1 << 1 << "db pw cc dd";
    QTest::newRow("failing first host: the next answers")   << "fault agent"   << false << ""                << agentDb << "demo-secret" << true  << "DE" << 0 << "voq|lumo"   << 1 << 2 << "db cc dd/db pw cc dd";
    QTest::newRow("broker: failing first host")             << "fault agent"   << true  << ""                << agentDb << "demo-secret" << true  << "DE" << 0 << "voq|lumo"   << 1 << 2 << "db cc dd/db pw cc dd";
    QTest::newRow("refusing first host: the next answers")  << "refused agent" << false << ""                << agentDb << "demo-secret" << true  << "DE" << 0 << "voq|lumo"   << 1 << 2 << "db pw cc dd";
    QTest::newRow("silent first host is waited for once")   << "silent agent"  << false << ""                << agentDb << "demo-secret" << true  << "DE" << 0 << "voq|lumo"   << 1 << 2 << "db/db pw cc dd";
    QTest::newRow("all held, platform gone: held values")   << "refused"       << false << "db pw cc brands" << heldDb  << "held-pw"     << false << "AT" << 1 << "quendaline" << 0 << 0 << "";
    QTest::newRow("all held, no hosts at all: held values") << ""              << false << "db pw cc brands" << heldDb  << "held-pw"     << false << "AT" << 0 << "quendaline" << 0 << 0 << "";
    QTest::newRow("two failing hosts: held brands once")    << "fault refused" << false << "brands"          << ""      << ""            << false << ""   << 1 << "quendaline" << 0 << 0 << "db cc dd";
    QTest::newRow("answer without country code: held one")  << "nocc"          << false << "cc"              << agentDb << "demo-secret" << false << "AT" << 1 << "voq|lumo"   << 1 << 1 << "db pw cc dd";
    QTest::newRow("database held: only the password asked") << "agent"         << false << "db"              << heldDb  << "demo-secret" << true  << "DE" << 0 << "voq|lumo"   << 1 << 1 << "pw cc dd";
    QTest::newRow("password held: only the database asked") << "agent"         << false << "pw"              << agentDb << "held-pw"     << true  << "DE" << 0 << "voq|lumo"   << 1 << 1 << "db cc dd";
    QTest::newRow("platform without a database")            << "nodb"          << false << ""                << ""      << ""            << true  << "DE" << 0 << "voq|lumo"   << 1 << 1 << "db cc dd";
    QTest::newRow("database without a port: 1521")          << "noport"        << false << ""                << agentDb << "demo-secret" << true  << "DE" << 0 << "voq|lumo"   << 1 << 1 << "db pw cc dd";
    QTest::newRow("no hosts and nothing held")              << ""              << false << ""                << ""      << ""            << false << ""   << 0 << ""           << 0 << 0 << "";
    QTest::newRow("held IP: the address file is not read")  << "agent fault"   << false << "ip"              << agentDb << "demo-secret" << true  << "DE" << 0 << "voq|lumo"   << 1 << 1 << "db pw cc dd/";
    QTest::newRow("four silent hosts: the step's bound")    << "silent silent silent silent" << false << ""  << ""      << ""            << false << ""   << 1 << ""           << 0 << 0 << "db/db/(db)/(db)";
    // clang-format on
}

void TestStartupConfig::configuration()
{
    QFETCH(QString, hosts);
    QFETCH(bool, broker);
    QFETCH(QString, held);
    QFETCH(QString, dbHost);
    QFETCH(QString, password);
    QFETCH(bool, ccAnswered);
    QFETCH(QString, countryCode);
    QFETCH(int, asked);
    QFETCH(QString, brands);
    QFETCH(int, found);
    QFETCH(int, ipHost);
    QFETCH(QString, methods);

    const QStringList kinds = hosts.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const QStringList heldValues = held.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    // Where every host is silent, the step's bound is what the row is about.
    const bool silent = kinds.contains(QLatin1String("silent"));
    const bool allSilent = silent && kinds.count(QLatin1String("silent")) == kinds.size();
    startHosts(kinds, broker);
    QList<QPair<QString, QString>> profile = {
        {QStringLiteral("General/NEVA"), broker ? QStringLiteral("1") : QStringLiteral("0")},
        {QStringLiteral("General/HTTPSPort"), QString::number(m_httpsPort)}};
    if (heldValues.contains(QLatin1String("ip"))) {
        profile.append({QStringLiteral("General/IP"), Address(1)});
        writeAddressFile(2, int(kinds.size()) - 1);
    } else if (!kinds.isEmpty()) {
        writeAddressFile(1, int(kinds.size()));
    }
    if (heldValues.contains(QLatin1String("db"))) {
        profile.append({QStringLiteral("YAQ2/OracleIP"), QStringLiteral("held.dealer.example")});
        profile.append({QStringLiteral("YAQ2/OracleSID"), QStringLiteral("HELD")});
        profile.append({QStringLiteral("YAQ2/OraclePort"), QStringLiteral("1522")});
    }
    if (heldValues.contains(QLatin1String("cc")))
        profile.append({QStringLiteral("YAQ2/CountryCode"), QStringLiteral("AT")});
    if (heldValues.contains(QLatin1String("brands")))
        profile.append({QStringLiteral("YAQ2/Brands"), QStringLiteral("quendaline")});
    if (heldValues.contains(QLatin1String("pw")))
        profile.append({QStringLiteral("YAQ2/YaqDbPasswort"),
                        CStartupConfig::StoredPassword(QStringLiteral("held-pw"))});
    writeProfile(profile);

    QElapsedTimer clock;
    clock.start();
    QString user, pwd, tns;
    QString cc;
    int askedOut = 0;
    QStringList dealerBrands;
    int foundOut = 0;
    bool dbOk = false;
    bool ccOk = false;
    {
        CStartupConfig config;
        config.SetTimeLimits(silent ? kRequestMs : kNeverMs, allSilent ? kStepMs : kNeverMs);
        config.SetBrokerPort(m_brokerPort);
        QCOMPARE(config.IsBroker(), broker);
        dbOk = config.GetDatabase(&user, &pwd, &tns);
        ccOk = config.GetCountryCode(&cc, &askedOut);
        config.GetDealerData(&dealerBrands, &foundOut);
    }
    const qint64 elapsed = clock.elapsed();

    QCOMPARE(dbOk, !dbHost.isEmpty());
    if (dbOk) {
        QVERIFY2(tns.contains(QStringLiteral("(HOST=") + dbHost + QLatin1Char(')')),
                 qPrintable(tns));
        // The held port, else the platform's, else the listener's usual one.
        const bool held = dbHost == QLatin1String("held.dealer.example");
        QVERIFY2(tns.contains(held ? QLatin1String("(PORT=1522)") : QLatin1String("(PORT=1521)")),
                 qPrintable(tns));
        QCOMPARE(user, QStringLiteral("YAQ_CONNECT"));
    } else {
        QVERIFY(tns.isEmpty() && user.isEmpty());
    }
    QCOMPARE(pwd, password);
    QCOMPARE(ccOk, ccAnswered);
    QCOMPARE(cc, countryCode);
    QCOMPARE(askedOut, asked);
    QCOMPARE(dealerBrands.join(QLatin1Char('|')), brands);
    QCOMPARE(foundOut, found);

    QStringList asks;
    for (const auto &host : m_hosts) {
        QStringList words;
        for (const QString &m : host->methods())
            words << MethodWord(m);
        asks << words.join(QLatin1Char(' '));
    }
    // A host the step's bound cut off before its turn may or may not have
    // been asked: "(db)".
    QStringList expected = methods.split(QLatin1Char('/'));
    if (m_hosts.empty())
        expected.clear();
    QCOMPARE(asks.size(), expected.size());
    for (int i = 0; i < asks.size(); ++i) {
        if (expected.at(i) == QLatin1String("(db)"))
            QVERIFY2(asks.at(i).isEmpty() || asks.at(i) == QLatin1String("db"),
                     qPrintable(asks.at(i)));
        else
            QCOMPARE(asks.at(i), expected.at(i));
    }

    // The host that answered is the one the next start asks.
    CProfile written(CStartupConfig::kProfileName);
    QCOMPARE(written.GetProfileString(QStringLiteral("General"), QStringLiteral("IP")),
             ipHost ? Address(ipHost) : QString());
    if (allSilent)
        QVERIFY2(elapsed < kStepMs + kSlackMs, qPrintable(QString::number(elapsed)));
}

// ---------------------------------------------------------------------------

void TestStartupConfig::heldValuesComeBackWhole_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<int>("brandCount");
    // clang-format off
    QTest::newRow("plain password, three contracts")          << QStringLiteral("demo-secret")         << 3;
    QTest::newRow("password with umlaut, euro and pound sign") << QStringLiteral("pä€£ss-wört")       << 3;
    QTest::newRow("password with blanks around it")           << QStringLiteral("  two blanks  ")      << 3;
    QTest::newRow("brand list longer than 259 characters")     << QStringLiteral("demo-secret")         << 40;
    // clang-format on
}

void TestStartupConfig::heldValuesComeBackWhole()
{
    QFETCH(QString, password);
    QFETCH(int, brandCount);

    AgentPlatform platform;
    platform.databasePassword = password;
    QStringList expectedBrands;
    if (brandCount > 3) {
        platform.contracts.clear();
        for (int i = 0; i < brandCount; ++i) {
            platform.contracts.append({QStringLiteral("Brand%1").arg(i, 2, 10, QLatin1Char('0')),
                                       QStringLiteral("Vehicle")});
            expectedBrands << QStringLiteral("brand%1").arg(i, 2, 10, QLatin1Char('0'));
        }
    } else {
        expectedBrands << QStringLiteral("voq") << QStringLiteral("lumo");
    }
    {
        StandInAgent agent;
        agent.setPlatform(platform);
        QVERIFY(agent.listenTls(QHostAddress(Address(1)), m_httpsPort, m_certificate, m_key));
        writeProfile({{QStringLiteral("General/IP"), Address(1)},
                      {QStringLiteral("General/HTTPSPort"), QString::number(m_httpsPort)}});
        CStartupConfig config;
        config.SetTimeLimits(kNeverMs, kNeverMs);
        QString user, pwd, tns;
        QVERIFY(config.GetDatabase(&user, &pwd, &tns));
        QCOMPARE(pwd, password);
        QStringList brands;
        int found = 0;
        config.GetDealerData(&brands, &found);
        QCOMPARE(brands, expectedBrands);
    }
    // The password is not in the file as it is.
    const QString file = ProfileFile(m_profileFolder);
    const QString text = readTextFile(file);
    QVERIFY(text.contains(QLatin1String("YaqDbPasswort=")));
    // Nor can anyone but its owner read the file.
    QCOMPARE(QFile::permissions(file) & ~(QFileDevice::ReadUser | QFileDevice::WriteUser),
             QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QVERIFY(!text.contains(password.trimmed()));
    QVERIFY(brandCount < 40 || text.contains(expectedBrands.join(QLatin1Char('|'))));

    // The next start reads the file anew, the platform gone.
    freshFolders();
    QVERIFY(QDir().mkpath(QFileInfo(ProfileFile(m_profileFolder)).path()));
    QVERIFY(QFile::copy(file, ProfileFile(m_profileFolder)));
    CStartupConfig next;
    next.SetTimeLimits(kNeverMs, kNeverMs);
    QString user, pwd, tns;
    QVERIFY(next.GetDatabase(&user, &pwd, &tns));
    QCOMPARE(pwd, password);
    QStringList brands;
    int found = 0;
    next.GetDealerData(&brands, &found);
    QCOMPARE(found, 0);
    QCOMPARE(brands, expectedBrands);
}

void TestStartupConfig::handWrittenProfile()
{
    // As a person writes it: "[General]", a brand list with an empty entry;
    // the address file names another host, which is not asked.
    QVERIFY(writeTextFile(ProfileFile(m_profileFolder),
                          "[General]\nIP=" + Address(1).toUtf8() + "\nHTTPSPort=" +
                              QByteArray::number(m_httpsPort) + "\n\n[YAQ2]\nBrands=voq||lumo|\n"));
    writeAddressFile(2, 1);
    startHosts({QStringLiteral("refused"), QStringLiteral("agent")}, false);
    CStartupConfig config;
    config.SetTimeLimits(kNeverMs, kNeverMs);
    QCOMPARE(config.AgentHost(), Address(1));
    QCOMPARE(config.AgentUrl(Address(1)),
             QStringLiteral("https://%1:%2/services/UdraAgentService/v2")
                 .arg(Address(1))
                 .arg(m_httpsPort));
    QStringList brands{QStringLiteral("voq")};
    int found = 0;
    config.GetDealerData(&brands, &found);
    QCOMPARE(brands, QStringList({QStringLiteral("voq"), QStringLiteral("lumo")}));
    QCOMPARE(found, 0);
    QVERIFY(m_hosts.front()->methods().isEmpty());
}

// ---------------------------------------------------------------------------

// A profile that cannot be written keeps the platform's values of the last
// start, and the step says why.
void TestStartupConfig::heldValuesKeptOnAFullDisk_data()
{
    QTest::addColumn<int>("way");
    QTest::addColumn<int>("error"); // the system's reason
    // clang-format off
    QTest::newRow("failing write (seam)")            << int(OutOfRoom::Injected)      << ENOSPC;
    QTest::newRow("file-size limit")                 << int(OutOfRoom::FileSizeLimit) << EFBIG;
    QTest::newRow("file system of the profile full") << int(OutOfRoom::FullDisk)      << ENOSPC;
    // clang-format on
}

void TestStartupConfig::heldValuesKeptOnAFullDisk()
{
    QFETCH(int, way);
    QFETCH(int, error);
    const QString reason = SystemReason(error);
    const QString path = ProfileFile(m_profileFolder);
    OutOfRoomGuard guard;
    if (way == int(OutOfRoom::FullDisk)) {
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        if (!guard.MountSmall(QFileInfo(path).path()))
            QSKIP("no file system can be mounted here; the file-size limit meets the same write");
    }
    writeProfile({{QStringLiteral("General/IP"), Address(1)},
                  {QStringLiteral("General/NEVA"), QStringLiteral("1")},
                  {QStringLiteral("YAQ2/OracleIP"), QStringLiteral("held.dealer.example")},
                  {QStringLiteral("YAQ2/CountryCode"), QStringLiteral("AT")},
                  {QStringLiteral("YAQ2/Brands"), QStringLiteral("voq|lumo")}});
    const QString before = readTextFile(path);
    if (way == int(OutOfRoom::FullDisk))
        QVERIFY(writeTextFile(QFileInfo(path).path() + QStringLiteral("/other"), "x"));
    else if (way == int(OutOfRoom::FileSizeLimit))
        QVERIFY(guard.LimitFileSize(64));
    else
        guard.Inject(reason);
    QString failure;
    {
        // Learns the broker's port, which the file does not hold yet.
        CStartupConfig config;
        QVERIFY(!config.Save(&failure));
    }
    guard.End();
    QVERIFY2(failure.contains(QDir::toNativeSeparators(path)) && failure.contains(reason),
             qPrintable(failure));
    QCOMPARE(readTextFile(path), before);
}

// The user heard that the values were not saved (another program held the
// profile's lock): the end of the step does not save them after all.
void TestStartupConfig::valuesNotSavedAreNotSavedLater()
{
    const QString path = ProfileFile(m_profileFolder);
    writeProfile({{QStringLiteral("General/NEVA"), QStringLiteral("1")}});
    const QString before = readTextFile(path);
    const CProfileLockTimes usual = CProfile::LockTimes();
    CProfile::SetLockTimes({200});
    QLockFile other(path + QStringLiteral(".lock"));
    QVERIFY(other.tryLock(0));
    {
        // Learns the broker's port, which the file does not hold yet.
        CStartupConfig config;
        QString failure;
        QVERIFY(!config.Save(&failure));
        QVERIFY2(failure.contains(QDir::toNativeSeparators(path)), qPrintable(failure));
        other.unlock();
    }
    CProfile::SetLockTimes(usual);
    QCOMPARE(readTextFile(path), before);
}

void TestStartupConfig::mainWindowStep_data()
{
    // One agent (or none) at host 1; the start's values; expected: the
    // connection from the platform, the country code, the dealer list,
    // whether the start vehicle stays, whether the notice shows.
    QTest::addColumn<bool>("localData");
    QTest::addColumn<bool>("tnsGiven");
    QTest::addColumn<QString>("brand");
    QTest::addColumn<bool>("callerMode");
    QTest::addColumn<int>("noticeOn");
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("platformCc");
    QTest::addColumn<bool>("tnsFromPlatform");
    QTest::addColumn<QString>("countryCode");
    QTest::addColumn<QString>("dealerList");
    QTest::addColumn<bool>("vehicleKept");
    QTest::addColumn<bool>("notice");
    // clang-format off
    QTest::newRow("offline: country code and brands")          << true  << false << "VQ" << false << 1 << "agent"   << "DE" << false << "DE" << "voq|lumo" << true  << false;
    QTest::newRow("offline: vehicle of a brand without contract") << true << false << "QN" << false << 1 << "agent" << "DE" << false << "DE" << "voq|lumo" << false << false;
    QTest::newRow("offline, platform gone: vehicle kept")      << true  << false << "QN" << false << 1 << "refused" << "DE" << false << ""   << ""         << true  << true;
    QTest::newRow("online: connection from the platform")      << false << false << "QN" << false << 1 << "agent"   << "DE" << true  << "DE" << ""         << true  << false;
    QTest::newRow("online with a TNS name: nothing asked")     << false << true  << "VQ" << false << 1 << "agent"   << "DE" << false << ""   << ""         << true  << false;
    QTest::newRow("no country code: the notice")               << true  << false << "VQ" << false << 1 << "agent"   << ""   << false << ""   << "voq|lumo" << true  << true;
    QTest::newRow("no country code in a caller mode")          << true  << false << "VQ" << true  << 1 << "agent"   << ""   << false << ""   << "voq|lumo" << true  << false;
    QTest::newRow("no country code, notice switched off")      << true  << false << "VQ" << false << 0 << "agent"   << ""   << false << ""   << "voq|lumo" << true  << false;
    QTest::newRow("no platform configured: no notice")         << true  << false << "VQ" << false << 1 << ""        << ""   << false << ""   << ""         << true  << false;
    // clang-format on
}

void TestStartupConfig::mainWindowStep()
{
    QFETCH(bool, localData);
    QFETCH(bool, tnsGiven);
    QFETCH(QString, brand);
    QFETCH(bool, callerMode);
    QFETCH(int, noticeOn);
    QFETCH(QString, host);
    QFETCH(QString, platformCc);
    QFETCH(bool, tnsFromPlatform);
    QFETCH(QString, countryCode);
    QFETCH(QString, dealerList);
    QFETCH(bool, vehicleKept);
    QFETCH(bool, notice);

    if (!host.isEmpty()) {
        startHosts({host}, false);
        if (!m_hosts.empty()) {
            AgentPlatform platform;
            platform.countryCode = platformCc;
            m_hosts.front()->setPlatform(platform);
        }
        writeProfile({{QStringLiteral("General/IP"), Address(1)},
                      {QStringLiteral("General/HTTPSPort"), QString::number(m_httpsPort)}});
    }
    CPrgSettings s;
    s.bLocalDataSet = localData;
    s.bQvl = callerMode;
    s.bMeldungCountryCode = noticeOn;
    s.Fgstnr = QStringLiteral("XVQ1F23A57M012345");
    s.FgstnrFull = s.Fgstnr;
    s.TypSchl = QStringLiteral("7A01");
    s.Marke = brand;
    const QString commandLineTns = QStringLiteral("db.dealer.example:5432/yaq2");
    CStartupConnection connection;
    if (tnsGiven)
        connection = {commandLineTns, QStringLiteral("u"), QStringLiteral("p")};

    CStartupConfig config;
    config.SetTimeLimits(kNeverMs, kNeverMs);
    QCOMPARE(RunStartupConfig(config, s, &connection), notice);
    if (tnsFromPlatform) {
        QVERIFY2(connection.tns.contains(QLatin1String("(HOST=catalogue.dealer.example)")),
                 qPrintable(connection.tns));
        QCOMPARE(connection.pwd, QStringLiteral("demo-secret"));
    } else {
        QCOMPARE(connection.tns, tnsGiven ? commandLineTns : QString());
    }
    QCOMPARE(s.CountryCode, countryCode);
    QCOMPARE(s.DealerList.join(QLatin1Char('|')), dealerList);
    QCOMPARE(!s.FgstnrFull.isEmpty(), vehicleKept);
    QCOMPARE(!s.TypSchl.isEmpty(), vehicleKept);
    QCOMPARE(s.Marke.isEmpty(), !vehicleKept);
    if (!vehicleKept)
        QCOMPARE(s.KatalogKey, QStringLiteral("1"));
    if (tnsGiven)
        QVERIFY(m_hosts.front()->methods().isEmpty());
}

void TestStartupConfig::brandCheckWithDealerList()
{
    startHosts({QStringLiteral("agent")}, false);
    writeProfile({{QStringLiteral("General/IP"), Address(1)},
                  {QStringLiteral("General/HTTPSPort"), QString::number(m_httpsPort)}});
    CPrgSettings s;
    s.bLocalDataSet = 1;
    CStartupConnection connection;
    CStartupConfig config;
    config.SetTimeLimits(kNeverMs, kNeverMs);
    RunStartupConfig(config, s, &connection);
    // The platform lists VOQ and Lumo for vehicles, Tremik for parts only.
    QCOMPARE(GetBrandFromDealerData(&s, QStringLiteral("VQ")), 1);
    QCOMPARE(GetBrandFromDealerData(&s, QStringLiteral("LU")), 1);
    QCOMPARE(GetBrandFromDealerData(&s, QStringLiteral("TK")), 0);
    QCOMPARE(GetBrandFromDealerData(&s, QStringLiteral("QN")), 0);
    QCOMPARE(GetBrandFromDealerData(&s, QStringLiteral("XX")), 0);
    QCOMPARE(IsVoqDealer(&s), 1);
}

YAQ_TEST_GUILESS_MAIN(TestStartupConfig)
#include "tst_startupconfig.moc"
