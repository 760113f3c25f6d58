#pragma once
// What every SOAP message between the program and the dealer management
// system (DMS) has in common: the root element with the namespace and schema
// header, the SOAP action and the server URL of a request, the search for
// the answer element inside the SOAP envelope, the header check, the texts
// of an unusable answer, and the answers to the DMS's own requests (the
// confirmation and the exception element) in the listener's envelope.
//
// Messages are written with an XML writer, so a value ("&" or "<" in a
// terminal id, a VIN or an error text) never breaks or extends a message.
// Answers are read within the limits of LoadXmlDocument; elements are found
// by their local name (XmlNames.h), so a namespace prefix of the DMS does not
// matter, and an optional element the DMS writes with "xsi:nil" is read as
// not sent.
//
// The frame knows no windows: it tells the user through an IDmsNotice, sends
// through an IDmsSender while an IDmsWait shows the wait, and answers the
// listener through a responder, all handed in by the main window (and by
// the tests). The program's requests go through the one CDmsClient.

#include "platform/XmlNames.h"

#include <QDomElement>
#include <QString>
#include <QXmlStreamWriter>
#include <functional>

class CPrgSettings;

// How the DMS exchange tells the service adviser something.
class IDmsNotice
{
public:
    virtual ~IDmsNotice() = default;
    // One message box: the text under the caption; nothing comes back.
    virtual void Notice(const QString &text, const QString &caption) = 0;
};

// Sends one request to the DMS server and waits for its answer.
class IDmsSender
{
public:
    virtual ~IDmsSender() = default;
    // The answer text; empty when no answer came.
    virtual QString Request(const QString &url, const QString &action, const QString &body) = 0;
    // Why the last request brought no answer; empty when that is not known.
    virtual QString LastError() const { return QString(); }
    // The adviser gave up waiting: the request under way returns soon,
    // without an answer. Called while Request runs.
    virtual void Cancel() {}
    // The last request that brought no answer may still have reached the
    // server (it broke off, timed out or was cancelled once under way);
    // false only when it surely did not (the connection was refused).
    virtual bool MayHaveArrived() const { return true; }
};

// What the adviser sees while a request waits for the DMS (a wait cursor
// at once, soon a small window with "Abbrechen"), and the input made
// meanwhile, which never reaches the pages. The windows' side of it lives
// in a widget library; the exchange only knows this interface.
class IDmsWait
{
public:
    virtual ~IDmsWait() = default;
    // A request goes out; `cancel` is to be called when the adviser cancels
    // it (or closes a window), at most once, before End.
    virtual void Begin(std::function<void()> cancel) = 0;
    // The request came back (answered, failed or cancelled).
    virtual void End() = 0;
};

// The notice of a SOAP Fault: "Das DMS hat die Nachricht mit einem Fehler
// beantwortet:" and its fault string.
constexpr int kDmsFaultText = 7072;

// Which server a request goes to: "ReqXMLServer" for the requests (vehicle
// search, first registration, prices), "SendXMLServer" for the transfers.
enum class DmsServer
{
    Request,
    Transfer
};

// The configured URL of the server, without surrounding blanks.
QString DmsServerUrl(const CPrgSettings &settings, DmsServer server);

// The URL as it is sent: one that names its scheme ("http://", "HTTPS://")
// stays as it is, one that begins with "//" gets "http:", any other gets
// "http://" in front.
QString CompleteDmsUrl(const QString &url);

// The exception names of the exception answers, by code: 1 "TimeOutError",
// 2 "XMLNotValid", 3 "XMLNotWellFormed", 4 "GeneralApplicationError",
// 5 "TransferVINNotAccepted"; empty for any other code.
QString DmsExceptionName(int code);

// The explanation of an exception name, for the exception answers and for an
// exception the DMS sends; empty for a name without one.
QString XMLErrMsg(const QString &name);

// Values as the DMS messages write them: "true" or "false"; a number of the
// campaign data sets without its leading zeros ("0010" is "10", "0.50"
// keeps the zero before its separator, zeros only become empty); an element
// only when its text is not empty.
QString DmsBool(bool value);
QString DmsNumberText(const QString &text);
void WriteTextIfAny(QXmlStreamWriter &xml, const QString &name, const QString &text);

// An exception element: its "name" attribute and "exceptionInfo" child.
struct CDmsException
{
    QString name;
    QString info;
};
CDmsException ReadDmsException(const QDomElement &exception);

// The answer name in the messages about an answer: the method with a capital
// first letter followed by "Response" ("RequestVINResponse").
QString DmsAnswerName(const QString &method);
// The answer holds nothing known (1) or fails its check (2):
// "<answer name>\nXMLNotValid!(<n>)".
QString DmsNotValidText(const QString &method, int n);
// The text of an exception in an answer: its explanation, or without one
// "<answer name>\nexception: <name>\nexceptionInfo: <info>".
QString DmsExceptionText(const QString &method, const CDmsException &exception);

// The body of a SOAP message: the document element must be an "Envelope",
// the body its first child "Body" (local names, any case); null otherwise.
QDomElement DmsSoapBody(const QDomDocument &document);
// The text of a SOAP Fault: "faultstring" (SOAP 1.1) or the "Text" of
// "Reason" (SOAP 1.2); its code when neither is there.
QString DmsFaultText(const QDomElement &fault);

// What a message of the DMS exchange shows at most: texts of the DMS (fault
// strings, exception information, reasons) can be of any length. The whole
// answer stays in the log of the exchange when logging is on.
constexpr qsizetype kDmsShownTextMax = 1000;
// The text cut to kDmsShownTextMax characters and "…" when it is longer.
QString DmsShownText(const QString &text);

// Writes one message body: "<method" with the namespace and schema header,
// the children, and "</method>".
class CDmsMessageWriter
{
public:
    CDmsMessageWriter(const QString &method, const QString &version);
    CDmsMessageWriter(const CDmsMessageWriter &) = delete;
    CDmsMessageWriter &operator=(const CDmsMessageWriter &) = delete;

    // The vehicle of a message, the one way every message writes it:
    // '<vin vinLongPrefix="<first 10>" vinShort="<last 7>"/>'. A VIN of 7
    // characters (or fewer) is thus written whole in both attributes.
    void WriteVin(const QString &vin);
    // The VIN the program's requests about the vehicle (prices of a labour
    // position, of a package) name: the full VIN once it is known, else the
    // VIN as given (the last seven characters after a short identification).
    static QString RequestVin(const CPrgSettings &settings);
    void WriteText(const QString &name, const QString &text);
    // "<terminalID>id</terminalID>", only when the id is not empty.
    void WriteTerminalId(const QString &id);
    QXmlStreamWriter &Xml() { return m_xml; }
    // Closes the root element and returns the body.
    QString Finish();

private:
    QString m_text;
    QXmlStreamWriter m_xml;
};

class CDmsFrame
{
public:
    // Hands an answer envelope to the listener (ISoapSvr::SetResponse).
    using Responder = std::function<void(const QString &envelope)>;

    // The sender is needed only for requests, the responder only for the
    // answers to the listener: without one nothing is sent. The wait, when
    // given, shows every request under way and lets the adviser cancel it.
    CDmsFrame(CPrgSettings *settings, IDmsNotice *notice, IDmsSender *sender = nullptr,
              Responder responder = Responder(), IDmsWait *wait = nullptr);

    CPrgSettings &Settings() const { return *m_settings; }
    // A message box titled "Y A Q 2": the program text of the id, or the text.
    void Tell(int textId) const;
    void Tell(const QString &text, const QString &caption = QString()) const;

    // --- Requests
    // The version the messages carry now.
    QString Version() const;
    // Sends the body of the method to the server: message 5051 or 5052 when
    // its URL is empty, nothing when the body is empty, 5050 with the
    // sender's reason when no answer came. Sets the DMS-exchange-done flag
    // once the request returned. Returns the answer, empty when there is
    // none. A request the adviser cancelled returns empty and tells nothing
    // (Cancelled()).
    QString Send(DmsServer server, const QString &method, const QString &body);
    bool Cancelled() const { return m_cancelled; }
    // The answer element "<method>Response" (any case) in the body of the
    // answer, after its header check. Null when the answer cannot be used,
    // after its message: 5055 unreadable or no SOAP message, 7072 with its
    // fault string for a SOAP Fault, 5053 header (and the DMS-exchange-done
    // flag cleared), 5054 no such element.
    QDomElement AnswerElement(const QString &answer, const QString &method);
    bool CheckResponseHeader(const QString &refSchema, const QString &version) const;

    // --- Answers to the DMS's requests
    // The listener's envelope around a body; empty for an empty body.
    static QString ListenerEnvelope(const QString &body);
    // Wraps the body and hands it to the listener; false when nothing went
    // out (empty body, no listener).
    bool SendListenerResponse(const QString &body) const;
    // "transferVINResponse" with "confirmTransmission" "true".
    QString ConfirmTransferVINBody() const;
    bool ConfirmTransferVIN() const;
    // The method's element with the exception of the code (DmsExceptionName)
    // and its explanation.
    QString ExceptionBody(const QString &method, int code) const;
    bool SendException(const QString &method, int code) const;

private:
    CPrgSettings *m_settings;
    IDmsNotice *m_notice;
    IDmsSender *m_sender;
    Responder m_responder;
    IDmsWait *m_wait;
    bool m_cancelled = false;
};
