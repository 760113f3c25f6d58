#include "common/DocumentViewer.h"

#include "common/BoundedGet.h"
#include "common/WaitCursor.h"
#include "platform/HttpRequestParser.h"
#include "platform/OrmelText.h"

#include <QNetworkAccessManager>
#include <QTextDocument>

namespace {
constexpr int kTextNotFetched = 7330; // "Das Dokument %s konnte nicht ... geladen werden:\n%s"

QUrl WithoutFragment(const QUrl &url)
{
    return url.adjusted(QUrl::RemoveFragment);
}
} // namespace

CDocumentViewer::CDocumentViewer(QWidget *parent)
    : QTextBrowser(parent), m_pNetwork(new QNetworkAccessManager(this))
{
}

CDocumentViewer::~CDocumentViewer()
{
    for (CBoundedGet *get : std::as_const(m_resourceGets))
        delete get;
}

void CDocumentViewer::SetServer(const QUrl &server, int timeoutMs)
{
    m_server = server;
    m_timeoutMs = timeoutMs;
}

bool CDocumentViewer::IsServerAddress(const QUrl &url) const
{
    const QString scheme = url.scheme().toLower();
    return m_server.isValid() && !m_server.host().isEmpty() &&
           (scheme == QLatin1String("http") || scheme == QLatin1String("https")) &&
           scheme == m_server.scheme().toLower() &&
           url.host().compare(m_server.host(), Qt::CaseInsensitive) == 0 &&
           url.port(scheme == QLatin1String("https") ? 443 : 80) ==
               m_server.port(scheme == QLatin1String("https") ? 443 : 80);
}

void CDocumentViewer::ForgetServerDocument()
{
    m_pDocumentGet.reset();
    for (CBoundedGet *get : std::as_const(m_resourceGets))
        delete get;
    m_resourceGets.clear();
    m_resources.clear();
    m_serverDocument.clear();
    m_pWait.reset();
}

void CDocumentViewer::ShowServerDocument(const QUrl &url)
{
    // Only the last document asked for is shown.
    ForgetServerDocument();
    m_serverDocument = url;
    if (!m_pWait)
        m_pWait = std::make_unique<CWaitCursor>();
    m_pDocumentGet = std::make_unique<CBoundedGet>(m_pNetwork);
    connect(m_pDocumentGet.get(), &CBoundedGet::done, this,
            [this, url](const QByteArray &body, const QString &error) {
                // The object that sends this is deleted once it has returned.
                const QByteArray contentType = m_pDocumentGet->ContentType();
                m_pDocumentGet.release()->deleteLater();
                m_pWait.reset();
                if (!error.isEmpty()) {
                    const QString text = OrmelTextArgs(
                        kTextNotFetched, {WithoutFragment(url).toString(), error}, error);
                    setHtml(QStringLiteral("<p>%1</p>")
                                .arg(text.toHtmlEscaped().replace(QLatin1Char('\n'),
                                                                  QStringLiteral("<br>"))));
                    emit serverDocumentShown(url, false);
                    return;
                }
                // Links and pictures of the document are relative to its address.
                document()->setBaseUrl(WithoutFragment(url));
                // In the charset the answer or the page declares.
                setHtml(HtmlBodyText(contentType, body));
                document()->setBaseUrl(WithoutFragment(url));
                if (!url.fragment().isEmpty())
                    scrollToAnchor(url.fragment());
                emit serverDocumentShown(url, true);
            });
    m_pDocumentGet->Start(WithoutFragment(url), m_timeoutMs);
}

QVariant CDocumentViewer::loadResource(int type, const QUrl &name)
{
    if (m_serverDocument.isEmpty())
        return QTextBrowser::loadResource(type, name);
    // A server document takes its pictures from its server, nothing else.
    const QUrl url = WithoutFragment(document()->baseUrl().resolved(name));
    if (type != QTextDocument::ImageResource || !IsServerAddress(url))
        return QVariant();
    if (m_resources.contains(url))
        return m_resources.value(url);
    FetchResource(url);
    return QVariant();
}

void CDocumentViewer::FetchResource(const QUrl &url)
{
    if (m_resourceGets.contains(url))
        return;
    auto *get = new CBoundedGet(m_pNetwork);
    m_resourceGets.insert(url, get);
    connect(get, &CBoundedGet::done, this,
            [this, get, url](const QByteArray &body, const QString &error) {
                m_resourceGets.remove(url);
                get->deleteLater();
                // A picture that does not come stays empty; the text is there.
                m_resources.insert(url, error.isEmpty() ? body : QByteArray());
                // The layout asks for the picture again (loadResource).
                if (error.isEmpty()) {
                    document()->markContentsDirty(0, document()->characterCount());
                    viewport()->update();
                }
            });
    get->Start(url, m_timeoutMs);
}
