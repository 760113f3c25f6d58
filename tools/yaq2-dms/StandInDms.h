#pragma once
// The stand-in dealer management system: answers the program's SOAP
// requests from a small vehicle file, and writes the "transferVIN" request
// with which a DMS pushes a vehicle into the running program. The program
// yaq2-dms runs it; the tests run it in-process.

#include "platform/HttpListener.h"
#include "yaq2-dms/StandInForm.h"
#include "yaq2-dms/StandInPackagePrices.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

struct DmsVehicle
{
    QString vin;
    QString firstRegistration; // YYYY-MM-DD
    QString mileage;
    bool customerSpecificPrices = false;
    // What the vehicle search ("requestVIN") finds it by.
    QString plate;
    QString lastName;
    QString searchText1;
    QString searchText2;
};

using DmsVehicles = QHash<QString, DmsVehicle>; // by VIN

// Reads the vehicle file: one vehicle a line, VIN, first registration,
// mileage and the customer-specific-prices flag (1/0) separated by blanks,
// optionally followed by "|" and licence plate, last name, search texts 1
// and 2, separated by "|" (these may hold blanks; missing ones are empty);
// lines starting with "#" and empty lines are left out. False, with the
// file and line in *error, when the file cannot be read or a line is not of
// that form.
bool LoadDmsVehicles(const QString &path, DmsVehicles *vehicles, QString *error);

// The SOAP action of a method: "http://<namespace host>/SRP/action/YAQ.<method>".
QString StandInSoapAction(const QString &method);

// The stand-in's answer to a request, which must be a SOAP envelope with
// the message in its body, as a SOAP endpoint takes it: the answer envelope
// for "requestFirstRegistrationDate" from the vehicles, an exception element
// for an unknown VIN or another method. "requestVIN"
// lists, in VIN order, every vehicle whose plate, last name and search texts
// contain the criteria given (without regard to case); none found gives the
// exception "NoVehicleFound". The schema version
// of the answer is the request's. *status is the HTTP status to send: 200,
// or 500 with a SOAP fault as a SOAP 1.1 endpoint gives it: "VersionMismatch"
// for an envelope of another SOAP version or of none, "MustUnderstand" for
// a header entry marked so, "Client" when the request is not XML, not an
// envelope, or its body holds no message in the DMS's namespace.
QString StandInAnswer(const QString &request, const DmsVehicles &vehicles, int *status);
// The same, and "requestPackageInfo" priced from the price list
// (WritePackageInfoAnswer).
QString StandInAnswer(const QString &request, const DmsVehicles &vehicles,
                      const DmsPackagePrices &prices, int *status);

// The DMS's side of the basket transfer: the VINs of the vehicles its
// workshop orders do not know yet, and every transfer request it received.
struct DmsTransferBook
{
    // "transferYAQPositions" for one of them answers "UnknownVIN";
    // "transferVehicleInfo" creates the vehicle and takes it off the list.
    QSet<QString> unknownVins;
    // The requests "transferYAQPositions" and "transferVehicleInfo" as they
    // arrived (in their envelopes), oldest first.
    QStringList received;
};

// Reads a file of VINs, one a line (17 characters; "#" comments and empty
// lines left out). False, with the file and line in *error, otherwise.
bool LoadDmsVinList(const QString &path, QSet<QString> *vins, QString *error);

// The answer to a transfer: "confirmTransmission" "true", "UnknownVIN" for a
// vehicle on the book's unknown list, "XMLNotValid" for a VIN that is not 17
// characters long. False, and the book unchanged, for any other request
// (a transfer without its envelope included: StandInAnswer refuses it).
bool StandInTransferAnswer(const QString &request, DmsTransferBook *book, QString *answer,
                           int *status);

// What the DMS pushes: the fields of "transferVIN", each sent only when set.
struct TransferVinRequest
{
    QString vin; // 17 characters: prefix of 10 and short VIN of 7
    QString orderNumber;
    QString settlementCode;
    QString jobNumber;
    QString firstRegistrationDate; // YYYY-MM-DD
    QString mileage;
    QString customerHasSpecificPrice; // "true" or "false"
    // The schema version of the program's extended formats with their
    // newest elements (XMLx or ReceiveXMLx, and V117).
    QString version = QStringLiteral("01.05.00");
};

// The "transferVIN" request in its SOAP envelope.
QString BuildTransferVinRequest(const TransferVinRequest &request);

class StandInDms : public QObject
{
    Q_OBJECT
public:
    explicit StandInDms(QObject *parent = nullptr);

    void setVehicles(const DmsVehicles &vehicles) { m_vehicles = vehicles; }
    void setPackagePrices(const DmsPackagePrices &prices) { m_packagePrices = prices; }
    // 0: answer at once; more: after that many milliseconds; less than 0:
    // never (the client's time limit is what ends the exchange).
    void setDelay(int milliseconds) { m_delayMs = milliseconds; }
    // The vehicles the transfers do not know yet (see DmsTransferBook).
    void setUnknownVins(const QSet<QString> &vins) { m_transfers.unknownVins = vins; }
    const DmsTransferBook &transfers() const { return m_transfers; }
    // Every request is appended to this file (none when empty).
    void setLogFile(const QString &path) { m_logFile = path; }
    // Every request and the answer's status (with the fault of a refused
    // request) are printed on standard output.
    void setEcho(bool echo) { m_echo = echo; }
    // The form of every answer (faults included): as the program writes
    // its messages, or as a generated SOAP stack does (InMessageForm).
    void setForm(DmsMessageForm form) { m_form = form; }

    bool listen(const QHostAddress &address, quint16 port);
    // Serves the vehicles and package prices of the files (an empty path:
    // none) on a free port of this computer; false with the reason in
    // *error when a file cannot be read or no port is free.
    bool serveFiles(const QString &vehiclesPath, const QString &packagesPath, QString *error);
    quint16 port() const { return m_listener.port(); }
    QString errorString() const { return m_listener.errorString(); }
    HttpListener &listener() { return m_listener; }

signals:
    void requestReceived(const QByteArray &soapAction, const QString &body);

private:
    void onRequest(quint64 id, const HttpRequest &request);
    // status 0: not answered.
    void record(const HttpRequest &request, const QString &body, int status,
                const QString &fault = QString()) const;

    HttpListener m_listener;
    DmsVehicles m_vehicles;
    DmsPackagePrices m_packagePrices;
    DmsTransferBook m_transfers;
    int m_delayMs = 0;
    QString m_logFile;
    bool m_echo = false;
    DmsMessageForm m_form = DmsMessageForm::Plain;
};
