// yaq2-dms: a stand-in dealer management system for trying and testing the
// program's DMS exchange on one computer.
//   yaq2-dms serve [--listen ADDRESS] [--port N] [--vehicles FILE] [--packages FILE]
//                  [--unknown-vins FILE] [--log FILE] [--delay MS | --silent] [--quiet]
//                  [--form plain|prefixed]
//   yaq2-dms push-vin [--to URL] [--version V] [--form plain|prefixed] [--mileage N]
//   [--order-number X]
//                  [--settlement-code X] [--job-number X] [--first-registration YYYY-MM-DD]
//                  [--customer-specific-price true|false] [--timeout MS] VIN [MILEAGE]
//   yaq2-dms agent (--broker | --cert FILE --key FILE) [--listen ADDRESS] [--port N]
//                  [--db-host H] [--db-sid S] [--db-port N] [--db-password P]
//                  [--country-code CC] [--contract BRAND:PRODUCT ...]
//                  [--log FILE] [--delay MS | --silent | --failing] [--quiet]
//     stands in for the dealer platform's agent service (https) or its
//     broker (http, port 8095) that the program asks at its start.

#include "platform/AppPaths.h"
#include "platform/OrmelText.h"
#include "platform/SoapReq.h"
#include "yaq2-dms/StandInAgent.h"
#include "yaq2-dms/StandInDms.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

constexpr char kUsage[] =
    "usage: yaq2-dms serve [--listen ADDRESS] [--port N] [--vehicles FILE] [--packages FILE]\n"
    "                      [--unknown-vins FILE] [--log FILE] [--delay MS | --silent] [--quiet]\n"
    "                      [--form plain|prefixed]\n"
    "       yaq2-dms push-vin [--to URL] [--version V] [--form plain|prefixed] [--mileage N]\n"
    "                      [--order-number X]\n"
    "                      [--settlement-code X] [--job-number X]\n"
    "                      [--first-registration YYYY-MM-DD]\n"
    "                      [--customer-specific-price true|false] [--timeout MS] VIN [MILEAGE]\n"
    "       yaq2-dms agent (--broker | --cert FILE --key FILE) [--listen ADDRESS] [--port N]\n"
    "                      [--db-host H] [--db-sid S] [--db-port N] [--db-password P]\n"
    "                      [--country-code CC] [--contract BRAND:PRODUCT ...]\n"
    "                      [--log FILE] [--delay MS | --silent | --failing] [--quiet]\n";

// The usage on standard output, as asked for.
int Help()
{
    QTextStream(stdout) << kUsage;
    return 0;
}

int Usage(const QString &problem = QString())
{
    QTextStream err(stderr);
    if (!problem.isEmpty())
        err << "yaq2-dms: " << problem << "\n";
    err << kUsage;
    return 2;
}

int Serve(const QStringList &args)
{
    QString address = QStringLiteral("127.0.0.1");
    QString vehiclesFile =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("dms/vehicles.txt"));
    QString pricesFile =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("dms/packages.txt"));
    QString unknownFile = QDir(QCoreApplication::applicationDirPath())
                              .filePath(QStringLiteral("dms/unknown-vins.txt"));
    QString logFile;
    int port = 2022;
    int delay = 0;
    bool quiet = false;
    DmsMessageForm form = DmsMessageForm::Plain;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        const bool hasValue = i + 1 < args.size();
        if (a == QLatin1String("--listen") && hasValue)
            address = args.at(++i);
        else if (a == QLatin1String("--form") && hasValue) {
            if (!ParseDmsMessageForm(args.at(++i), &form))
                return Usage(QStringLiteral("the form is plain or prefixed"));
        } else if (a == QLatin1String("--port") && hasValue)
            port = args.at(++i).toInt();
        else if (a == QLatin1String("--vehicles") && hasValue)
            vehiclesFile = args.at(++i);
        else if (a == QLatin1String("--packages") && hasValue)
            pricesFile = args.at(++i);
        else if (a == QLatin1String("--unknown-vins") && hasValue)
            unknownFile = args.at(++i);
        else if (a == QLatin1String("--log") && hasValue)
            logFile = args.at(++i);
        else if (a == QLatin1String("--delay") && hasValue)
            delay = qMax(0, args.at(++i).toInt());
        else if (a == QLatin1String("--silent"))
            delay = -1;
        else if (a == QLatin1String("--quiet"))
            quiet = true;
        else
            return Usage(QStringLiteral("unknown argument ") + a);
    }
    const QHostAddress host(address);
    if (host.isNull() || port <= 0 || port > 65535)
        return Usage(QStringLiteral("bad address or port"));

    DmsVehicles vehicles;
    QString error;
    if (!LoadDmsVehicles(vehiclesFile, &vehicles, &error)) {
        QTextStream(stderr) << "yaq2-dms: " << error << "\n";
        return 1;
    }
    DmsPackagePrices prices;
    if (!LoadDmsPackagePrices(pricesFile, &prices, &error)) {
        QTextStream(stderr) << "yaq2-dms: " << error << "\n";
        return 1;
    }
    QSet<QString> unknownVins;
    if (!LoadDmsVinList(unknownFile, &unknownVins, &error)) {
        QTextStream(stderr) << "yaq2-dms: " << error << "\n";
        return 1;
    }
    StandInDms dms;
    dms.setVehicles(vehicles);
    dms.setPackagePrices(prices);
    dms.setUnknownVins(unknownVins);
    dms.setDelay(delay);
    dms.setLogFile(logFile);
    dms.setEcho(!quiet);
    dms.setForm(form);
    if (!dms.listen(host, static_cast<quint16>(port))) {
        QTextStream(stderr) << "yaq2-dms: cannot listen on " << address << ":" << port << ": "
                            << dms.errorString() << "\n";
        return 1;
    }
    QTextStream(stdout) << "yaq2-dms: " << vehicles.size() << " vehicles from " << vehiclesFile
                        << ", " << prices.size() << " prices from " << pricesFile
                        << "; listening on http://" << address << ":" << dms.port() << "/\n"
                        << Qt::flush;
    return QCoreApplication::exec();
}

int PushVin(const QStringList &args)
{
    TransferVinRequest request;
    QString url = QStringLiteral("http://127.0.0.1:2021/");
    int timeout = CSoapReq::kDefaultTimeoutMs;
    DmsMessageForm form = DmsMessageForm::Plain;
    QStringList positional;
    const std::pair<const char *, QString *> options[] = {
        {"--to", &url},
        {"--version", &request.version},
        {"--mileage", &request.mileage},
        {"--order-number", &request.orderNumber},
        {"--settlement-code", &request.settlementCode},
        {"--job-number", &request.jobNumber},
        {"--first-registration", &request.firstRegistrationDate},
        {"--customer-specific-price", &request.customerHasSpecificPrice},
    };
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        if (!a.startsWith(QLatin1String("--"))) {
            positional << a;
            continue;
        }
        if (i + 1 >= args.size())
            return Usage(QStringLiteral("no value after ") + a);
        if (a == QLatin1String("--timeout")) {
            timeout = args.at(++i).toInt();
            continue;
        }
        if (a == QLatin1String("--form")) {
            if (!ParseDmsMessageForm(args.at(++i), &form))
                return Usage(QStringLiteral("the form is plain or prefixed"));
            continue;
        }
        bool known = false;
        for (const auto &[name, value] : options) {
            if (a == QLatin1String(name)) {
                *value = args.at(++i);
                known = true;
            }
        }
        if (!known)
            return Usage(QStringLiteral("unknown option ") + a);
    }
    if (positional.isEmpty() || positional.size() > 2)
        return Usage();
    request.vin = positional.at(0);
    if (positional.size() == 2)
        request.mileage = positional.at(1);

    // Why no answer came, in the program's own words: its texts lie beside
    // the stand-in as beside the program. Without them the request's reason
    // would be the peer's address alone.
    InitOrmelText(GetAppDirectory() + QStringLiteral("Datas/Zirava/PrgTxt"));
    CSoapReq client;
    client.m_strURL = url;
    client.SetTimeout(timeout);
    const QString answer =
        client.RequestMessage(StandInSoapAction(QStringLiteral("transferVIN")),
                              InMessageForm(BuildTransferVinRequest(request), form));
    if (answer.isEmpty()) {
        QTextStream(stderr) << "yaq2-dms: " << client.LastError() << "\n";
        return 1;
    }
    QTextStream(stdout) << answer << "\n";
    return 0;
}

QByteArray ReadWholeFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int Agent(const QStringList &args)
{
    QString address = QStringLiteral("127.0.0.1");
    int port = 0;
    bool broker = false;
    QString certFile;
    QString keyFile;
    QString logFile;
    int delay = 0;
    bool failing = false;
    bool quiet = false;
    AgentPlatform platform;
    bool contractsGiven = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        const bool hasValue = i + 1 < args.size();
        if (a == QLatin1String("--broker")) {
            broker = true;
        } else if (a == QLatin1String("--listen") && hasValue) {
            address = args.at(++i);
        } else if (a == QLatin1String("--port") && hasValue) {
            port = args.at(++i).toInt();
        } else if (a == QLatin1String("--cert") && hasValue) {
            certFile = args.at(++i);
        } else if (a == QLatin1String("--key") && hasValue) {
            keyFile = args.at(++i);
        } else if (a == QLatin1String("--db-host") && hasValue) {
            platform.databaseHost = args.at(++i);
        } else if (a == QLatin1String("--db-sid") && hasValue) {
            platform.databaseSid = args.at(++i);
        } else if (a == QLatin1String("--db-port") && hasValue) {
            platform.databasePort = args.at(++i).toInt();
        } else if (a == QLatin1String("--db-password") && hasValue) {
            platform.databasePassword = args.at(++i);
        } else if (a == QLatin1String("--country-code") && hasValue) {
            platform.countryCode = args.at(++i);
        } else if (a == QLatin1String("--contract") && hasValue) {
            AgentContract contract;
            if (!ParseAgentContract(args.at(++i), &contract))
                return Usage(QStringLiteral("a contract is BRAND:PRODUCT"));
            if (!contractsGiven)
                platform.contracts.clear();
            contractsGiven = true;
            platform.contracts.append(contract);
        } else if (a == QLatin1String("--log") && hasValue) {
            logFile = args.at(++i);
        } else if (a == QLatin1String("--delay") && hasValue) {
            delay = qMax(0, args.at(++i).toInt());
        } else if (a == QLatin1String("--silent")) {
            delay = -1;
        } else if (a == QLatin1String("--failing")) {
            failing = true;
        } else if (a == QLatin1String("--quiet")) {
            quiet = true;
        } else {
            return Usage(QStringLiteral("unknown argument ") + a);
        }
    }
    if (port == 0)
        port = broker ? 8095 : 23008;
    const QHostAddress host(address);
    if (host.isNull() || port <= 0 || port > 65535)
        return Usage(QStringLiteral("bad address or port"));
    if (!broker && (certFile.isEmpty() || keyFile.isEmpty()))
        return Usage(QStringLiteral("the agent service speaks https: --cert and --key"));

    StandInAgent agent;
    agent.setPlatform(platform);
    agent.setBroker(broker);
    agent.setDelay(delay);
    agent.setFailing(failing);
    agent.setLogFile(logFile);
    agent.setEcho(!quiet);
    bool listening = false;
    if (broker) {
        listening = agent.listen(host, static_cast<quint16>(port));
    } else {
        const QSslCertificate certificate(ReadWholeFile(certFile), QSsl::Pem);
        QSslKey key(ReadWholeFile(keyFile), QSsl::Ec, QSsl::Pem);
        if (key.isNull())
            key = QSslKey(ReadWholeFile(keyFile), QSsl::Rsa, QSsl::Pem);
        if (certificate.isNull() || key.isNull()) {
            QTextStream(stderr) << "yaq2-dms: cannot read the certificate " << certFile
                                << " or the key " << keyFile << " (PEM)\n";
            return 1;
        }
        listening = agent.listenTls(host, static_cast<quint16>(port), certificate, key);
    }
    if (!listening) {
        QTextStream(stderr) << "yaq2-dms: cannot listen on " << address << ":" << port << ": "
                            << agent.errorString() << "\n";
        return 1;
    }
    QTextStream(stdout) << "yaq2-dms: " << (broker ? "broker" : "agent service") << " listening on "
                        << (broker ? "http://" : "https://") << address << ":" << agent.port()
                        << "/\n"
                        << Qt::flush;
    return QCoreApplication::exec();
}

} // namespace

int main(int argc, char **argv)
{
#ifdef __GLIBC__
    // Blocks of 128 KiB and more are mapped from the system and go back to
    // it when let go, for the whole process, as in the program: the request
    // bodies its listener takes then leave nothing behind in the C
    // library's heap, which would otherwise serve them once the first was
    // freed and keep what a flood of them leaves scattered there.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    args.removeFirst();
    if (args.isEmpty())
        return Usage();
    const QString command = args.takeFirst();
    if (command == QLatin1String("--help") || command == QLatin1String("-h") ||
        command == QLatin1String("help"))
        return Help();
    if (command == QLatin1String("serve"))
        return Serve(args);
    if (command == QLatin1String("push-vin"))
        return PushVin(args);
    if (command == QLatin1String("agent"))
        return Agent(args);
    return Usage(QStringLiteral("unknown command ") + command);
}
