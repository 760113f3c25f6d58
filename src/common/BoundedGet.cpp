#include "common/BoundedGet.h"

#include "platform/OrmelText.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

namespace {
constexpr int kTextTimedOut = 7331;     // "... nicht innerhalb von %s Sekunden ..."
constexpr int kTextStatus = 7332;       // "... mit dem Status %s ..."
constexpr int kTextTooLarge = 7333;     // "... größer als %s MB."
constexpr int kTextNoConnection = 7334; // "Keine Verbindung zum Server (%s)."
} // namespace

CBoundedGet::CBoundedGet(QNetworkAccessManager *network, QObject *parent)
    : QObject(parent), m_pNetwork(network)
{
}

CBoundedGet::~CBoundedGet()
{
    if (m_pReply) {
        m_pReply->disconnect(this);
        m_pReply->abort();
        m_pReply->deleteLater();
    }
}

void CBoundedGet::Start(const QUrl &url, int timeoutMs)
{
    m_url = url;
    m_timeoutMs = timeoutMs;
    QNetworkRequest request(url);
    // A redirect could lead anywhere: the document is where it was asked for.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    m_pReply = m_pNetwork->get(request);
    m_pTimer = new QTimer(this);
    m_pTimer->setSingleShot(true);
    connect(m_pTimer, &QTimer::timeout, this, [this] {
        Finish(OrmelTextArgs(kTextTimedOut, {QString::number((m_timeoutMs + 999) / 1000)},
                             QStringLiteral("Zeitüberschreitung")));
    });
    m_pTimer->start(timeoutMs);
    connect(m_pReply, &QNetworkReply::downloadProgress, this, [this](qint64 received, qint64) {
        if (received > kMaxBytes)
            Finish(OrmelTextArgs(kTextTooLarge, {QString::number(kMaxBytes / (1024 * 1024))},
                                 QStringLiteral("zu groß")));
    });
    connect(m_pReply, &QNetworkReply::finished, this, [this] {
        const int status = m_pReply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (m_pReply->error() != QNetworkReply::NoError && status == 0) {
            Finish(OrmelTextArgs(kTextNoConnection, {m_pReply->errorString()},
                                 m_pReply->errorString()));
            return;
        }
        if (status != 200) {
            Finish(OrmelTextArgs(kTextStatus, {QString::number(status)}, QString::number(status)));
            return;
        }
        Finish(QString());
    });
}

void CBoundedGet::Finish(const QString &error)
{
    if (m_bDone)
        return;
    m_bDone = true;
    m_pTimer->stop();
    QByteArray body;
    QNetworkReply *reply = m_pReply;
    m_pReply = nullptr;
    reply->disconnect(this);
    if (error.isEmpty()) {
        body = reply->readAll();
        m_contentType = reply->rawHeader("Content-Type");
    } else
        reply->abort();
    reply->deleteLater();
    emit done(body, error);
}
