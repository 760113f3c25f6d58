#pragma once
// A stand-in application server on a free port of the loopback, for the
// tests of the session exchange.

#include <QHash>
#include <QList>
#include <QPointer>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <functional>
#include <utility>

// A stand-in application server: answers every request with one status and
// body, and remembers the request lines and bodies it got. The body goes
// with its length, in chunks without a length, or repeated in chunks
// without end (until the client hangs up).
class FakeAppServer : public QObject
{
public:
    enum Framing
    {
        WithLength,
        Chunked,
        EndlessChunks
    };
    FakeAppServer(int status, QByteArray body, Framing framing = WithLength)
        : m_status(status), m_body(std::move(body)), m_framing(framing)
    {
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = m_server.nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
        m_server.listen(QHostAddress::LocalHost);
    }
    QString address() const { return QStringLiteral("127.0.0.1:%1").arg(m_server.serverPort()); }
    QStringList requestLines;
    QList<QByteArray> bodies;
    // Runs when a request is in, while the client waits; the answer follows
    // once the events it caused have run.
    std::function<void()> onRequest;
    // Whether the answer to a request (by its request line) is held back
    // until releaseHeld().
    std::function<bool(const QString &requestLine)> holds;
    void releaseHeld()
    {
        const QList<QPointer<QTcpSocket>> held = std::exchange(m_held, {});
        for (const QPointer<QTcpSocket> &socket : held) {
            if (socket)
                answer(socket);
        }
    }
    int count(const QString &action) const
    {
        return int(requestLines.filter(QStringLiteral("/yaq2/session/") + action + QLatin1Char(' '))
                       .size());
    }

private:
    void serve(QTcpSocket *socket)
    {
        QByteArray &buffer = m_buffers[socket];
        buffer += socket->readAll();
        const int headerEnd = buffer.indexOf("\r\n\r\n");
        if (headerEnd < 0)
            return;
        const QByteArray head = buffer.left(headerEnd);
        int length = 0;
        for (const QByteArray &line : head.split('\n'))
            if (line.toLower().startsWith("content-length:"))
                length = line.mid(15).trimmed().toInt();
        if (buffer.size() < headerEnd + 4 + length)
            return;
        requestLines << QString::fromLatin1(head.left(head.indexOf("\r\n")));
        bodies << buffer.mid(headerEnd + 4, length);
        buffer.clear();
        if (holds && holds(requestLines.last())) {
            m_held << socket;
            return;
        }
        if (onRequest) {
            onRequest();
            QTimer::singleShot(50, socket, [this, socket] { answer(socket); });
            return;
        }
        answer(socket);
    }

    void answer(QTcpSocket *socket)
    {
        const QByteArray status = "HTTP/1.1 " + QByteArray::number(m_status) +
                                  " X\r\nContent-Type: text/xml\r\nConnection: close\r\n";
        const QByteArray chunk = QByteArray::number(m_body.size(), 16) + "\r\n" + m_body + "\r\n";
        switch (m_framing) {
        case WithLength:
            socket->write(status + "Content-Length: " + QByteArray::number(m_body.size()) +
                          "\r\n\r\n" + m_body);
            break;
        case Chunked:
            socket->write(status + "Transfer-Encoding: chunked\r\n\r\n" + chunk + "0\r\n\r\n");
            break;
        case EndlessChunks:
            socket->write(status + "Transfer-Encoding: chunked\r\n\r\n");
            // More whenever the client has taken what was sent.
            connect(socket, &QTcpSocket::bytesWritten, socket, [socket, chunk] {
                if (socket->bytesToWrite() < 32 * chunk.size())
                    socket->write(chunk);
            });
            socket->write(chunk);
            return;
        }
        socket->disconnectFromHost();
    }

    QTcpServer m_server;
    int m_status;
    QByteArray m_body;
    Framing m_framing;
    QHash<QTcpSocket *, QByteArray> m_buffers;
    QList<QPointer<QTcpSocket>> m_held;
};
