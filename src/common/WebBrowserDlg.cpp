#include "common/WebBrowserDlg.h"

#include "common/OwnButton.h"
#include "common/OwnSound.h"
#include "common/PageHost.h"
#include "platform/OrmelText.h"
#include "settings/PrgSettings.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

CWebBrowserDlg::CWebBrowserDlg() = default;
CWebBrowserDlg::~CWebBrowserDlg() = default;

void CWebBrowserDlg::BuildPage(QVBoxLayout *body)
{
    m_pBody = body;
    auto *row = new QHBoxLayout;
    m_pHistoryBack = MakeButton(QStringLiteral("historyBackButton"), QString(),
                                QStringLiteral(":/bitmaps/left.png"));
    m_pHistoryForward = MakeButton(QStringLiteral("historyForwardButton"), QString(),
                                   QStringLiteral(":/bitmaps/right.png"));
    m_pHome = MakeButton(QStringLiteral("documentHomeButton"), QString(),
                         QStringLiteral(":/bitmaps/home.png"));
    row->addWidget(m_pHistoryBack);
    row->addWidget(m_pHistoryForward);
    row->addWidget(m_pHome);
    row->addStretch(1);
    body->addLayout(row);
    m_pHistoryBack->setEnabled(false);
    m_pHistoryForward->setEnabled(false);
    m_pHome->setEnabled(false);
    connect(m_pHistoryBack, &QAbstractButton::clicked, this, [this] {
        PlaySoundSelected(m_pSettings);
        if (m_pBrowser)
            m_pBrowser->backward();
    });
    connect(m_pHistoryForward, &QAbstractButton::clicked, this, [this] {
        PlaySoundSelected(m_pSettings);
        if (m_pBrowser)
            m_pBrowser->forward();
    });
    connect(m_pHome, &QAbstractButton::clicked, this, [this] {
        PlaySoundSelected(m_pSettings);
        ShowPage(m_nMode);
        m_pHome->setEnabled(false);
    });
    BackButton()->setEnabled(false);
}

bool CWebBrowserDlg::CreateBrowser()
{
    if (!IsCreated())
        return false;
    delete m_pBrowser;
    m_pHome->setEnabled(false);
    m_pBrowser = new QTextBrowser(this);
    m_pBrowser->setObjectName(QStringLiteral("browser"));
    m_pBrowser->setOpenExternalLinks(true);
    connect(m_pBrowser, &QTextBrowser::backwardAvailable, this, [this](bool on) {
        m_pHistoryBack->setEnabled(on);
        if (on)
            m_pHome->setEnabled(true);
    });
    connect(m_pBrowser, &QTextBrowser::forwardAvailable, this, [this](bool on) {
        m_pHistoryForward->setEnabled(on);
        if (on)
            m_pHome->setEnabled(true);
    });
    m_pHistoryBack->setEnabled(false);
    m_pHistoryForward->setEnabled(false);
    m_pBody->addWidget(m_pBrowser, 1);
    return true;
}

QString CWebBrowserDlg::BrandFolder(const QString &brandCode)
{
    if (brandCode == QLatin1String("LU"))
        return QStringLiteral("LUMO");
    if (brandCode == QLatin1String("QN"))
        return QStringLiteral("QN");
    if (brandCode == QLatin1String("VJ") || brandCode == QLatin1String("VQ"))
        return QStringLiteral("VOQ");
    if (brandCode == QLatin1String("TK"))
        return QStringLiteral("TREMIK");
    return QString();
}

QString CWebBrowserDlg::DocumentPath(const CPrgSettings &s, int mode, const QString &language)
{
    const QString data = s.DataDir;
    const QString dealer = s.DealerDataStorage;
    QString file;
    QString fallback;
    switch (mode) {
    case 0: {
        const QString brand = BrandFolder(s.Marke);
        file = QStringLiteral("%1/News/%2/NEWS%3.html").arg(data, brand, language);
        fallback = QStringLiteral("%1/News/%2/NEWS01.html").arg(data, brand);
        break;
    }
    case 1:
        file = QStringLiteral("%1/RadReif/%2/index.htm").arg(data, language);
        fallback = QStringLiteral("%1/RadReif/01/index.htm").arg(data);
        break;
    case 2:
        file = QStringLiteral("%1/SRP/sa_list/%2/SAList%2.html").arg(data, language);
        fallback = QStringLiteral("%1/SRP/sa_list/01/SAList01.html").arg(data);
        break;
    case 3:
        file = QStringLiteral("%1/Baustand/BST_%2.htm").arg(data, language);
        fallback = QStringLiteral("%1/Baustand/BST_01.htm").arg(data);
        break;
    case 4:
        file = QStringLiteral("%1/SRP/DIP/Dip_%2.htm").arg(data, language);
        fallback = QStringLiteral("%1/SRP/DIP/Dip_01.htm").arg(data);
        break;
    case 5:
        file = QStringLiteral("%1/Spotrepair/info_%2.html").arg(dealer, language);
        fallback = QStringLiteral("%1/Spotrepair/info_01.html").arg(dealer);
        break;
    case 6:
        file =
            QStringLiteral("%1/Spotrepair/content/%2/index.html").arg(dealer, s.EReihe.trimmed());
        fallback = QStringLiteral("%1/Spotrepair/content/Default/index.html").arg(dealer);
        break;
    default:
        return QString();
    }
    return QFileInfo::exists(file) ? file : fallback;
}

void CWebBrowserDlg::ShowPage(int mode)
{
    m_nMode = mode;
    OfferBackToOrigin();
    if (!m_pBrowser && !CreateBrowser())
        return;
    const QString language = GetPrgSprache();
    QString address;
    if (m_pSettings->bSession && mode >= 1 && mode <= 3 && !m_strServerBase.isEmpty()) {
        static const char *const serverDocs[] = {"", "/DATAS/RadReif/%1/index.htm",
                                                 "/DATAS/SRP/sa_list/%1/SAList%1.html",
                                                 "/DATAS/Baustand/BST_%1.htm"};
        address = m_strServerBase + QString::fromLatin1(serverDocs[mode]).arg(language);
        m_pBrowser->setSource(QUrl(address));
        return;
    }
    address = DocumentPath(*m_pSettings, mode, language);
    if (address.isEmpty())
        return;
    if (QFileInfo::exists(address)) {
        m_pBrowser->setSource(QUrl::fromLocalFile(address));
    } else {
        // Neither the document nor its fallback: the viewer's own notice.
        m_pBrowser->setHtml(QStringLiteral("<p>%1</p>").arg(address.toHtmlEscaped()));
    }
}

QString CWebBrowserDlg::CurrentDocument() const
{
    return m_pBrowser ? m_pBrowser->source().toLocalFile() : QString();
}

void CWebBrowserDlg::Refresh()
{
    if (m_pBrowser && !m_pBrowser->source().isEmpty())
        m_pBrowser->reload();
}

void CWebBrowserDlg::OnBack()
{
    // "<" of the browser leads only back to the page the user came from,
    // never home.
    if (CameFrom())
        CPageDlg::OnBack();
}

void CWebBrowserDlg::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        // Without history the way leads home, else back to the calling page.
        if (!m_pHistoryBack->isEnabled()) {
            if (m_pHost)
                m_pHost->ShowHomePage();
        } else {
            OnBack();
        }
        return;
    }
    CPageDlg::keyPressEvent(event);
}
