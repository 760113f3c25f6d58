#include "platform/SoapReq.h"

#include "platform/HttpPost.h"
#include "platform/HttpRequestParser.h"
#include "platform/OrmelText.h"
#include "platform/WholeFile.h"
#include "platform/XmlLimits.h"

#include <QDir>
#include <QUrl>
#include <QXmlStreamReader>

namespace {

// An XML answer whose body is a SOAP Fault, in any namespace prefix. Only
// XML the limited reader accepts is looked into.
bool IsSoapFault(const QByteArray &contentType, const QByteArray &body)
{
    if (!contentType.toLower().contains("xml"))
        return false;
    const QString text = HttpBodyText(contentType, body);
    if (!CheckXml(text))
        return false;
    QXmlStreamReader xml(text);
    int depth = 0;
    while (!xml.atEnd() && depth <= 3) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (xml.name() == QLatin1String("Fault"))
                return true;
            ++depth;
        } else if (token == QXmlStreamReader::EndElement) {
            --depth;
        }
    }
    return false;
}

// The reasons a request failed, texts of the program's language with the
// technical details (address, status, sizes) filled in.
enum
{
    kTextPacked = 7150,      // peer, coding
    kTextHttpStatus = 7151,  // peer, status line
    kTextEmpty = 7152,       // peer
    kTextNoUrl = 7153,       // the URL
    kTextTimeout = 7154,     // peer, seconds
    kTextRefused = 7155,     // peer
    kTextNetwork = 7156,     // peer, the system's reason
    kTextInterrupted = 7157, // peer
    kTextTooLarge = 7158,    // peer, bytes
    kTextBrokenOff = 7159,   // peer
    kTextClosed = 7160,      // peer
    kTextNoHttp = 7161,      // peer
};

// Without the text table the details stand alone.
QString Reason(int id, const QStringList &details)
{
    QStringList marks;
    for (qsizetype i = 0; i < details.size(); ++i)
        marks << QStringLiteral("%s");
    return OrmelTextArgs(id, details, marks.join(QLatin1Char(' ')));
}

QString Authority(const QUrl &url)
{
    const int port = url.port(url.scheme() == QLatin1String("https") ? 443 : 80);
    return url.host() + QLatin1Char(':') + QString::number(port);
}

} // namespace

void CSoapReq::ActivateLogging(const QString &folder)
{
    m_logFolder = folder;
}

void CSoapReq::Log(const QString &name, const QByteArray &bytes) const
{
    if (m_logFolder.isEmpty() || !QDir().mkpath(m_logFolder))
        return;
    // The log is a help for the support, never a reason for a request to fail.
    WriteWholeFile(QDir(m_logFolder).filePath(name), bytes);
}

QString CSoapReq::AnswerText(const HttpResponseParser &answer, const QString &peer, QString *error)
{
    const int status = answer.status();
    const QByteArray contentType = answer.header("Content-Type");
    const QByteArray coding = answer.header("Content-Encoding").trimmed().toLower();
    if (!coding.isEmpty() && coding != "identity") {
        // The request asks for no packing; the text of a packed answer
        // would be unreadable.
        *error = Reason(kTextPacked, {peer, QString::fromLatin1(coding)});
        return QString();
    }
    if (status == 500 && IsSoapFault(contentType, answer.body())) {
        // A SOAP peer reports a failed call as a Fault with status 500: its
        // fault string is the answer the caller shows.
    } else if (status < 200 || status > 299) {
        *error = Reason(kTextHttpStatus, {peer, QStringLiteral("HTTP %1 %2")
                                                    .arg(status)
                                                    .arg(QString::fromLatin1(answer.reason()))
                                                    .trimmed()});
        return QString();
    }
    const QString text = HttpBodyText(contentType, answer.body());
    if (text.isEmpty()) {
        // Also a body of nothing but a byte-order mark: an empty text reads
        // as "no answer" to the caller, so it needs its reason.
        *error = Reason(kTextEmpty, {peer});
        return QString();
    }
    error->clear();
    return text;
}

QString CSoapReq::Envelope(const QString &body)
{
    if (body.isEmpty())
        return QString();
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>"
               "<s:Envelope s:encodingStyle=\"http://schemas.xmlsoap.org/soap/encoding/\" "
               "xmlns:s=\"http://schemas.xmlsoap.org/soap/envelope/\">"
               "<s:Header/><s:Body>") +
           body + QStringLiteral("</s:Body></s:Envelope>");
}

QString CSoapReq::Request(const QString &action, const QString &body)
{
    return RequestMessage(action, Envelope(body));
}

QString CSoapReq::RequestMessage(const QString &action, const QString &message)
{
    m_lastError.clear();
    m_lastStatus = 0;
    m_mayHaveArrived = false;
    const QByteArray payload = message.toUtf8();
    Log(QStringLiteral("SoapRequest.xml"), payload);

    const QUrl url(m_strURL.trimmed(), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() ||
        (scheme != QLatin1String("http") && scheme != QLatin1String("https"))) {
        m_lastError = Reason(kTextNoUrl, {m_strURL});
        Log(QStringLiteral("SoapResponse.xml"), QByteArray());
        return QString();
    }

    // A SOAP request is posted to the one URL configured; a redirect is
    // reported as its status rather than followed with a changed method.
    // The answer is asked for unpacked: a packed one is refused.
    HttpPost post(kMaxAnswerBytes);
    const HttpPost::Outcome outcome = post.exec(url,
                                                {{"Content-Type", "text/xml; charset=utf-8"},
                                                 {"SOAPAction", '"' + action.toUtf8() + '"'},
                                                 {"Accept-Encoding", "identity"}},
                                                payload, m_timeoutMs);
    // Without a connection the request never left this computer; once it
    // went out, any end may have come after the server had it whole.
    m_mayHaveArrived = post.requestSent();
    const HttpResponseParser &answer = post.answer();
    const bool answered = outcome == HttpPost::Outcome::Answered;
    Log(QStringLiteral("SoapResponse.xml"), answered ? answer.body() : QByteArray());

    const QString peer = Authority(url);
    switch (outcome) {
    case HttpPost::Outcome::Answered:
        m_lastStatus = answer.status();
        return AnswerText(answer, peer, &m_lastError);
    case HttpPost::Outcome::TimedOut:
        m_lastError = Reason(kTextTimeout, {peer, QString::number(m_timeoutMs / 1000.0)});
        break;
    case HttpPost::Outcome::Refused:
        m_lastError = Reason(kTextRefused, {peer});
        break;
    case HttpPost::Outcome::NetworkError:
        m_lastError = Reason(kTextNetwork, {peer, post.errorString()});
        break;
    case HttpPost::Outcome::Interrupted:
        m_lastError = Reason(kTextInterrupted, {peer});
        break;
    case HttpPost::Outcome::Unreadable:
        switch (answer.error()) {
        case HttpResponseParser::Error::TooLarge:
            m_lastError = Reason(kTextTooLarge, {peer, QString::number(kMaxAnswerBytes)});
            break;
        case HttpResponseParser::Error::BrokenOff:
            m_lastError = Reason(answer.started() ? kTextBrokenOff : kTextClosed, {peer});
            break;
        default:
            m_lastError = Reason(kTextNoHttp, {peer});
            break;
        }
        break;
    }
    return QString();
}
