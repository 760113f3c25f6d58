#include "platform/db/WebDb.h"

#include "platform/AppPaths.h"
#include "platform/InputDrop.h"
#include "platform/db/FileDb.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

#include <optional>

int CWebDb::Open(const QString &tns, const QString &user, const QString &password, int,
                 const QString &localDataDir, const QString &appServer, const QString &sessionId)
{
    m_strAppServer = appServer;
    m_strSessionId = sessionId;
    if (appServer.isEmpty() || sessionId.isEmpty()) {
        Fail(QStringLiteral("A session needs the application server and the session id."));
        return 0;
    }
    if (!tns.isEmpty())
        return OpenServer(tns, user, password);
    if (!localDataDir.isEmpty())
        return OpenSqlite(JoinPath(localDataDir, CFileDb::kFileName), true);
    Fail(QStringLiteral("The session names no catalogue database."));
    return 0;
}

QString CWebDb::ExchangeUrl(const QString &appServer, const QString &action)
{
    QString base = appServer.trimmed();
    if (!base.contains(QLatin1String("://")))
        base.prepend(QLatin1String("http://"));
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    return base + QLatin1String("/yaq2/session/") + action;
}

QByteArray CWebDb::FormBody(const QString &sessionId)
{
    // Every byte of the id's UTF-8 but the unreserved letters, digits and
    // "-._~" goes as "%XX": a form decoder reads "+" as a blank and "%41"
    // as "A", so neither may go as it is.
    return "sessionid=" + sessionId.toUtf8().toPercentEncoding();
}

QString CWebDb::CheckSession(const QString &sessionId)
{
    return Exchange(QStringLiteral("check"), sessionId, true);
}

QString CWebDb::EndSession(const QString &sessionId)
{
    // The window the session served is gone when it ends: a message still
    // open (the one of an ended session) takes its answer meanwhile.
    return Exchange(QStringLiteral("end"), sessionId, false);
}

QString CWebDb::Exchange(const QString &action, const QString &sessionId, bool dropInput)
{
    const QUrl url(ExchangeUrl(m_strAppServer, action));
    if (!url.isValid() || m_strAppServer.isEmpty()) {
        Fail(QStringLiteral("The application server \"%1\" is no valid address.")
                 .arg(m_strAppServer));
        return {};
    }
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::ContentTypeHeader,
                      QStringLiteral("application/x-www-form-urlencoded"));
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    const QByteArray body = FormBody(sessionId);

    QNetworkAccessManager manager;
    QNetworkReply *reply = manager.post(request, body);
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    // The answer is taken as it comes, so that an answer without end (or one
    // announcing a length beyond the cap) is dropped at the cap instead of
    // filling the memory.
    QByteArray data;
    bool tooLong = false;
    const auto take = [&] {
        if (tooLong)
            return;
        data += reply->readAll();
        const qint64 announced = reply->header(QNetworkRequest::ContentLengthHeader).toLongLong();
        if (data.size() > kMaxAnswerBytes || announced > kMaxAnswerBytes) {
            tooLong = true;
            data.clear();
            reply->abort();
        }
    };
    QObject::connect(reply, &QNetworkReply::metaDataChanged, &loop, take);
    QObject::connect(reply, &QNetworkReply::readyRead, &loop, take);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(m_timeoutMs);
    // Timers, sockets and painting go on while the server is asked; what
    // the adviser types or clicks meanwhile is dropped.
    if (!reply->isFinished()) {
        std::optional<CInputDrop> wait;
        if (dropInput)
            wait.emplace();
        loop.exec();
    }
    if (reply->isFinished())
        take();

    QString answer;
    if (tooLong) {
        Fail(QStringLiteral("The answer of the application server is longer than %1 bytes.")
                 .arg(kMaxAnswerBytes));
    } else if (!reply->isFinished()) {
        reply->abort();
        Fail(QStringLiteral("The application server did not answer in time."));
    } else if (reply->error() != QNetworkReply::NoError) {
        Fail(QStringLiteral("The application server could not be asked: %1")
                 .arg(reply->errorString()));
    } else {
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (status != 200) {
            Fail(QStringLiteral("The application server answered with status %1.").arg(status));
        } else {
            answer = QString::fromUtf8(data);
            SetResult(DbResult::Row);
        }
    }
    delete reply;
    return answer;
}
