#pragma once
// The viewer of the browser page: local documents as QTextBrowser shows
// them, and documents of the application server, fetched with their
// pictures within the bound of one exchange with that server.

#include <QHash>
#include <QTextBrowser>
#include <QUrl>

#include <memory>

class CBoundedGet;
class CWaitCursor;
class QNetworkAccessManager;

class CDocumentViewer : public QTextBrowser
{
    Q_OBJECT
public:
    explicit CDocumentViewer(QWidget *parent = nullptr);
    ~CDocumentViewer() override;

    // The server whose documents the viewer fetches (its scheme, host and
    // port count), and the bound of one exchange with it.
    void SetServer(const QUrl &server, int timeoutMs);
    // Whether the address lies on that server.
    bool IsServerAddress(const QUrl &url) const;
    // Fetches the document from the server and shows it; meanwhile the
    // wait cursor. A document that does not come is told in the viewer.
    void ShowServerDocument(const QUrl &url);
    // A local document follows: a fetch still running is dropped.
    void ForgetServerDocument();
    // The address of the server document shown or being fetched (empty
    // after a local one).
    QUrl ServerDocument() const { return m_serverDocument; }
    // A fetch still runs (tests).
    bool IsFetching() const { return m_pDocumentGet != nullptr; }

signals:
    void serverDocumentShown(const QUrl &url, bool ok);

protected:
    QVariant loadResource(int type, const QUrl &name) override;

private:
    void FetchResource(const QUrl &url);

    QNetworkAccessManager *m_pNetwork;
    QUrl m_server;
    int m_timeoutMs = 0;
    QUrl m_serverDocument;
    std::unique_ptr<CBoundedGet> m_pDocumentGet;
    std::unique_ptr<CWaitCursor> m_pWait;
    // The pictures of server documents, fetched or being fetched.
    QHash<QUrl, QByteArray> m_resources;
    QHash<QUrl, CBoundedGet *> m_resourceGets;
};
