#pragma once
// The one client of the program's own requests to the dealer management
// system (DMS), created once by the main window and lent to every page that
// asks the DMS something.
//
// A request is its body writer and its answer reader (IDmsRequest); the
// client runs what every exchange shares, once: the server of the request's
// kind and its URL from the settings (5051, 5052 without one), the message
// header with the schema version, the wait while the DMS answers (IDmsWait:
// a cancelled request changes nothing and tells nothing), the DMS-answered
// flag, the failure's reason with 5050, the SOAP envelope of the answer, a
// Fault's fault string (7072), the answer element with its header check
// (5053, 5054, 5055), the exception element and the answer's VIN with the
// count of vehicles sharing a short VIN (7036).
//
// While a request runs, from its body to the last message of its reader,
// the client is busy: the main window fetches no request of its listener
// meanwhile, so that a pushed vehicle never changes the vehicle under a
// request.

#include "dms/DmsFrame.h"

#include <functional>

class CDmsAnswer;

// One request of the program: its method, its server, its body and the
// reading of its answer.
class IDmsRequest
{
public:
    virtual ~IDmsRequest() = default;
    virtual QString Method() const = 0;
    virtual DmsServer Server() const { return DmsServer::Request; }
    // Writes the children of the message after its header (the client
    // closes it); false when there is nothing to send, which is not told.
    virtual bool WriteBody(CDmsMessageWriter &body) = 0;
    // Reads the answer element once the client found it and its header fit.
    virtual void ReadAnswer(CDmsAnswer &answer) = 0;
};

// Where a request ended.
enum class DmsOutcome
{
    NotSent,   // no server URL (told) or nothing to send
    Cancelled, // the adviser cancelled the wait: nothing told, nothing changed
    NoAnswer,  // told: 5050 with the reason
    Unusable,  // told: not readable, a Fault, another method, a wrong header
    Read,      // the request's reader read the answer element
};

// How a request's reader treats the vehicle the answer names ("vin" with
// "vinLongPrefix" and "vinShort").
enum class DmsAnswerVin
{
    None,       // the answer names none: "vin" is the reader's like any child
    Content,    // read and checked by the client; it is content of the answer
    NotContent, // read and checked by the client, but no content by itself
};

// The answer element as the client hands it to the request's reader, with
// the steps every reader shares.
class CDmsAnswer
{
public:
    using ShortVinCount = std::function<int(const QString &shortVin)>;

    CDmsAnswer(CDmsFrame &frame, QString method, QDomElement element, ShortVinCount countShortVin)
        : m_frame(frame), m_method(std::move(method)), m_element(std::move(element)),
          m_countShortVin(std::move(countShortVin))
    {
    }

    const QDomElement &Element() const { return m_element; }
    CPrgSettings &Settings() const { return m_frame.Settings(); }
    // A message box titled "Y A Q 2".
    void Tell(int textId) const { m_frame.Tell(textId); }
    void Tell(const QString &text, const QString &caption = QString()) const
    {
        m_frame.Tell(text, caption);
    }

    // Visits the children of the answer element once, in order: the client
    // reads "exception" (the last one counts, trailing blanks removed) and,
    // by `vin`, "vin"; every other child goes to `child`, which returns
    // whether it was content of the answer.
    // `names` says how "exception" and "vin" are recognised.
    void ReadChildren(const std::function<bool(const QDomElement &child)> &child,
                      DmsAnswerVin vin = DmsAnswerVin::None,
                      Qt::CaseSensitivity names = Qt::CaseSensitive);
    bool HasContent() const { return m_content; }
    bool HasException() const { return !m_exception.name.isEmpty(); }
    const CDmsException &Exception() const { return m_exception; }
    bool HasVin() const { return m_hasVin; }
    // vinLongPrefix + vinShort, without surrounding blanks.
    const QString &Vin() const { return m_vin; }

    // "<Answer name>\nXMLNotValid!(n)".
    void TellNotValid(int n) const;
    // The exception's explanation, or its name and information.
    void TellException() const;
    // The answer's VIN may stand for the vehicle asked about: 17 characters
    // (equal to askedVin, when one is given), or 7 characters (the end of
    // askedVin, when given) that no second vehicle of the catalogue shares.
    bool VinFits(const QString &askedVin = QString()) const;
    // The answer's VIN names the vehicle asked about: all of it, or its last
    // seven characters (exact comparison).
    bool VinIsOf(const QString &askedVin) const;

    // The evaluation the readers of one vehicle's answer share, in this
    // order: nothing known and no exception (XMLNotValid!(1)); the exception
    // (which ends here when exceptionEnds); a VIN that does not fit, or
    // one of 7 characters where only a full VIN counts (7036
    // under 7034, end); no content (end); values not valid
    // (XMLNotValid!(2), end). True when the reader's own part follows.
    struct Rules
    {
        bool valid = true;          // the reader's check of the values
        bool exceptionEnds = false; // an exception answers the request
        QString askedVin;           // a VIN of another vehicle does not fit
        bool fullVinOnly = false;   // a VIN of 7 characters never fits
    };
    bool Evaluate(const Rules &rules) const;

private:
    CDmsFrame &m_frame;
    QString m_method;
    QDomElement m_element;
    ShortVinCount m_countShortVin;
    bool m_content = false;
    bool m_hasVin = false;
    QString m_vin;
    CDmsException m_exception;
};

class CDmsClient
{
public:
    using ShortVinCount = CDmsAnswer::ShortVinCount;

    // Borrowed; the wait may be null (nothing is shown, input waits).
    CDmsClient(CPrgSettings *settings, IDmsSender *sender, IDmsWait *wait = nullptr)
        : m_settings(settings), m_sender(sender), m_wait(wait)
    {
    }
    CDmsClient(const CDmsClient &) = delete;
    CDmsClient &operator=(const CDmsClient &) = delete;

    CPrgSettings &Settings() const { return *m_settings; }
    // How many vehicles of the catalogue have a short VIN (two are enough);
    // without it every short VIN counts as one vehicle's.
    void SetShortVinCount(ShortVinCount count) { m_countShortVin = std::move(count); }

    // Sends the request and hands its answer to its reader; every message
    // goes to the notice.
    DmsOutcome Run(IDmsRequest &request, IDmsNotice *notice);
    // The reading half alone, as if the answer had come back (tests and
    // fuzzing).
    DmsOutcome ReadAnswer(IDmsRequest &request, const QString &answer, IDmsNotice *notice);

    // A request runs: the listener's requests wait.
    bool IsBusy() const { return m_busy > 0; }
    // The last request, run without an answer, may have reached the DMS.
    bool MayHaveArrived() const { return m_sender && m_sender->MayHaveArrived(); }
    // Keeps the client busy for a scope that runs several requests (the
    // basket transfer with its vehicle creation).
    class Busy
    {
    public:
        explicit Busy(CDmsClient &client) : m_client(client) { ++m_client.m_busy; }
        ~Busy() { --m_client.m_busy; }
        Busy(const Busy &) = delete;
        Busy &operator=(const Busy &) = delete;

    private:
        CDmsClient &m_client;
    };

private:
    DmsOutcome Read(CDmsFrame &frame, IDmsRequest &request, const QString &answer);

    CPrgSettings *m_settings;
    IDmsSender *m_sender;
    IDmsWait *m_wait;
    ShortVinCount m_countShortVin;
    int m_busy = 0;
};
