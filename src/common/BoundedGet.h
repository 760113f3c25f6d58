#pragma once
// One document fetched from a server by HTTP GET, within a time bound for
// the whole exchange and a bound on its size. The window goes on meanwhile;
// the answer comes by the signal done, once.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

class CBoundedGet : public QObject
{
    Q_OBJECT
public:
    // The largest document taken: the documents of the browser page are a
    // few hundred kilobytes with their pictures.
    static constexpr qint64 kMaxBytes = 32 * 1024 * 1024;

    CBoundedGet(QNetworkAccessManager *network, QObject *parent = nullptr);
    ~CBoundedGet() override;

    // Starts the GET; done follows within timeoutMs (and a little).
    void Start(const QUrl &url, int timeoutMs);
    QUrl Url() const { return m_url; }
    // The Content-Type of the answer, once done has come.
    QByteArray ContentType() const { return m_contentType; }

signals:
    // The body of an answer 200, or the reason (German) it did not come;
    // error empty on success.
    void done(const QByteArray &body, const QString &error);

private:
    void Finish(const QString &error);

    QNetworkAccessManager *m_pNetwork;
    QNetworkReply *m_pReply = nullptr;
    QTimer *m_pTimer = nullptr;
    QUrl m_url;
    QByteArray m_contentType;
    int m_timeoutMs = 0;
    bool m_bDone = false;
};
