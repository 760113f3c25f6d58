#include "platform/SoapReq.h"

#include "platform/HttpRequestParser.h"

#include <QDir>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QTimer>
#include <QUrl>
#include <QXmlStreamReader>

namespace {

// An XML answer whose body is a SOAP Fault, in any namespace prefix.
bool IsSoapFault(const QByteArray &contentType, const QByteArray &body)
{
    if (!contentType.toLower().contains("xml"))
        return false;
    QXmlStreamReader xml(body);
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
    QSaveFile file(QDir(m_logFolder).filePath(name));
    if (file.open(QIODevice::WriteOnly)) {
        file.write(bytes);
        file.commit();
    }
}

QString CSoapReq::Request(const QString &action, const QString &body)
{
    m_lastError.clear();
    m_lastStatus = 0;
    const QByteArray payload = body.toUtf8();
    Log(QStringLiteral("SoapRequest.xml"), payload);

    const QUrl url(m_strURL.trimmed(), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() ||
        (scheme != QLatin1String("http") && scheme != QLatin1String("https"))) {
        m_lastError = QStringLiteral("\"%1\" is not an http or https URL.").arg(m_strURL);
        Log(QStringLiteral("SoapResponse.xml"), QByteArray());
        return QString();
    }

    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::ContentTypeHeader,
                      QByteArrayLiteral("text/xml; charset=utf-8"));
    request.setRawHeader("SOAPAction", '"' + action.toUtf8() + '"');
    // A SOAP request is posted to the one URL configured; a redirect is
    // reported as its status rather than followed with a changed method.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);

    QNetworkAccessManager manager;
    QNetworkReply *reply = manager.post(request, payload);
    QByteArray answer;
    bool timedOut = false;
    bool tooLarge = false;

    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, [&]() {
        timedOut = true;
        reply->abort();
    });
    auto takeBytes = [&]() {
        if (tooLarge || !reply->isOpen())
            return;
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if ((length.isValid() && length.toLongLong() > kMaxAnswerBytes) ||
            answer.size() + reply->bytesAvailable() > kMaxAnswerBytes) {
            tooLarge = true;
            reply->abort();
            return;
        }
        answer += reply->readAll();
    };
    QObject::connect(reply, &QNetworkReply::metaDataChanged, &loop, takeBytes);
    QObject::connect(reply, &QNetworkReply::readyRead, &loop, takeBytes);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    timer.start(m_timeoutMs);
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    timer.stop();
    takeBytes();

    m_lastStatus = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QNetworkReply::NetworkError error = reply->error();
    const QByteArray contentType = reply->rawHeader("Content-Type");
    const QString reason =
        reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString().trimmed();
    const QString errorText = reply->errorString();
    delete reply;

    Log(QStringLiteral("SoapResponse.xml"), tooLarge ? QByteArray() : answer);
    if (timedOut) {
        m_lastError = QStringLiteral("No answer from %1 within %2 s.")
                          .arg(Authority(url))
                          .arg(m_timeoutMs / 1000.0);
    } else if (tooLarge) {
        m_lastError = QStringLiteral("The answer of %1 is larger than %2 bytes.")
                          .arg(Authority(url))
                          .arg(kMaxAnswerBytes);
    } else if (m_lastStatus == 500 && IsSoapFault(contentType, answer)) {
        // A SOAP peer reports a failed call as a Fault with status 500: its
        // fault string is the answer the caller shows.
    } else if (m_lastStatus != 0 && (m_lastStatus < 200 || m_lastStatus > 299)) {
        m_lastError = QStringLiteral("HTTP %1 %2 from %3.")
                          .arg(m_lastStatus)
                          .arg(reason, Authority(url))
                          .replace(QStringLiteral("  "), QStringLiteral(" "));
    } else if (error == QNetworkReply::ConnectionRefusedError) {
        m_lastError = QStringLiteral("%1 refused the connection.").arg(Authority(url));
    } else if (error != QNetworkReply::NoError) {
        m_lastError = errorText;
    } else if (answer.isEmpty()) {
        m_lastError = QStringLiteral("%1 sent an empty answer.").arg(Authority(url));
    }
    if (!m_lastError.isEmpty())
        return QString();
    return HttpBodyText(contentType, answer);
}
