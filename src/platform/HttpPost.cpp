#include "platform/HttpPost.h"

#include <QEventLoop>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>
#if QT_CONFIG(ssl)
#include <QSslSocket>
#endif

#include <memory>

namespace {

// What is read from the socket at once, and what Qt keeps read ahead of us.
constexpr qint64 kReadChunk = 64 * 1024;

// A header value on one line, whatever the caller handed in.
QByteArray OneLine(QByteArray value)
{
    return value.replace('\r', ' ').replace('\n', ' ');
}

QByteArray RequestBytes(const QUrl &url, const QList<QPair<QByteArray, QByteArray>> &headers,
                        const QByteArray &body)
{
    QByteArray target = url.path(QUrl::FullyEncoded).toUtf8();
    if (target.isEmpty())
        target = "/";
    if (url.hasQuery())
        target += '?' + url.query(QUrl::FullyEncoded).toUtf8();
    QByteArray bytes = "POST " + OneLine(target) + " HTTP/1.1\r\nHost: " +
                       OneLine(url.authority(QUrl::FullyEncoded | QUrl::RemoveUserInfo).toUtf8()) +
                       "\r\n";
    for (const auto &[name, value] : headers)
        bytes += OneLine(name) + ": " + OneLine(value) + "\r\n";
    bytes += "Content-Length: " + QByteArray::number(body.size()) +
             "\r\nConnection: close\r\n\r\n" + body;
    return bytes;
}

} // namespace

HttpPost::Outcome HttpPost::exec(const QUrl &url,
                                 const QList<QPair<QByteArray, QByteArray>> &headers,
                                 const QByteArray &body, int timeoutMs)
{
    const bool tls = url.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0;
    std::unique_ptr<QTcpSocket> socket;
#if QT_CONFIG(ssl)
    if (tls)
        socket = std::make_unique<QSslSocket>();
#endif
    if (!socket && tls) {
        m_error = QStringLiteral("This computer cannot use https.");
        return Outcome::NetworkError;
    }
    if (!socket)
        socket = std::make_unique<QTcpSocket>();
    socket->setReadBufferSize(kReadChunk);
    const QByteArray request = RequestBytes(url, headers, body);

    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    bool done = false;
    Outcome outcome = Outcome::Interrupted;
    const auto finish = [&](Outcome end) {
        if (done)
            return;
        done = true;
        outcome = end;
        loop.quit();
    };
    const auto read = [&]() {
        while (!done && socket->bytesAvailable() > 0) {
            const HttpResponseParser::State state = m_answer.feed(socket->read(kReadChunk));
            if (state == HttpResponseParser::State::Complete)
                finish(Outcome::Answered);
            else if (state == HttpResponseParser::State::Failed)
                finish(Outcome::Unreadable);
        }
    };
    const auto closed = [&]() {
        read();
        if (done)
            return;
        // The server's close ends an answer that runs to it; any other
        // answer not yet whole is lost, and so reported.
        finish(m_answer.close() == HttpResponseParser::State::Complete ? Outcome::Answered
                                                                       : Outcome::Unreadable);
    };
    const auto send = [&]() {
        m_sent = true;
        socket->write(request);
    };
    QObject::connect(&timer, &QTimer::timeout, &loop, [&]() { finish(Outcome::TimedOut); });
    QObject::connect(socket.get(), &QTcpSocket::readyRead, &loop, read);
    QObject::connect(socket.get(), &QTcpSocket::disconnected, &loop, closed);
    QObject::connect(socket.get(), &QAbstractSocket::errorOccurred, &loop,
                     [&](QAbstractSocket::SocketError error) {
                         if (error == QAbstractSocket::RemoteHostClosedError) {
                             closed();
                         } else if (error == QAbstractSocket::ConnectionRefusedError &&
                                    !m_answer.started()) {
                             finish(Outcome::Refused);
                         } else {
                             m_error = socket->errorString();
                             finish(Outcome::NetworkError);
                         }
                     });
    const quint16 port = static_cast<quint16>(url.port(tls ? 443 : 80));
#if QT_CONFIG(ssl)
    if (tls) {
        auto *ssl = static_cast<QSslSocket *>(socket.get());
        QObject::connect(ssl, &QSslSocket::encrypted, &loop, send);
        ssl->connectToHostEncrypted(url.host(), port);
    }
#endif
    if (!tls) {
        QObject::connect(socket.get(), &QTcpSocket::connected, &loop, send);
        socket->connectToHost(url.host(), port);
    }
    timer.start(timeoutMs);
    if (!done)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    timer.stop();
    // Whatever the server still does goes nowhere.
    socket->disconnect();
    socket->abort();
    return outcome;
}
