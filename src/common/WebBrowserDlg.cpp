#include "common/WebBrowserDlg.h"

#include "common/DocumentViewer.h"
#include "common/OpenUrl.h"
#include "common/OwnButton.h"
#include "common/OwnSound.h"
#include "common/PageHost.h"
#include "common/WaitCursor.h"
#include "platform/MsgBox.h"
#include "platform/OrmelText.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {
constexpr int kTextPackages = 3183;    // "Pakete": where "<" leads back to
constexpr int kTextSearch = 2013;      // "&Suchen"
constexpr int kTextFileMissing = 4012; // the file that cannot be opened
constexpr int kTextNoBrowser = 7096;   // the address: no browser could open it
constexpr int kTextFindLabel = 7140;   // "Suchen nach:"
constexpr int kTextNotFound = 7141;    // "Nicht gefunden"
} // namespace

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
    m_pFind = MakeButton(QStringLiteral("findButton"), OrmelText(kTextSearch));
    row->addWidget(m_pHistoryBack);
    row->addWidget(m_pHistoryForward);
    row->addWidget(m_pHome);
    row->addStretch(1);
    row->addWidget(m_pFind);
    body->addLayout(row);

    // The find box: the text is looked for from where the last hit was,
    // and from the top again after the last one.
    m_pFindRow = new QWidget(this);
    auto *findLayout = new QHBoxLayout(m_pFindRow);
    findLayout->setContentsMargins(0, 0, 0, 0);
    m_pFindField = new QLineEdit(m_pFindRow);
    m_pFindField->setObjectName(QStringLiteral("findField"));
    auto *findLabel = new QLabel(OrmelText(kTextFindLabel), m_pFindRow);
    findLabel->setObjectName(QStringLiteral("findLabel"));
    findLabel->setBuddy(m_pFindField);
    m_pFindNotice = new QLabel(m_pFindRow);
    m_pFindNotice->setObjectName(QStringLiteral("findNotice"));
    // Room for the notice from the start: the field does not move when it
    // shows.
    m_pFindNotice->setMinimumWidth(
        m_pFindNotice->fontMetrics().horizontalAdvance(OrmelText(kTextNotFound)) + 8);
    findLayout->addStretch(1);
    findLayout->addWidget(findLabel);
    findLayout->addWidget(m_pFindField);
    findLayout->addWidget(m_pFindNotice);
    m_pFindRow->hide();
    body->addWidget(m_pFindRow);

    connect(m_pHistoryBack, &QAbstractButton::clicked, this, [this] {
        PlaySoundSelected(m_pSettings);
        if (m_nav.Back())
            Navigate(m_nav.Current());
        UpdateButtons();
    });
    connect(m_pHistoryForward, &QAbstractButton::clicked, this, [this] {
        PlaySoundSelected(m_pSettings);
        if (m_nav.Forward())
            Navigate(m_nav.Current());
        UpdateButtons();
    });
    connect(m_pHome, &QAbstractButton::clicked, this, [this] {
        PlaySoundSelected(m_pSettings);
        Navigate(m_nav.Home());
        UpdateButtons();
    });
    connect(m_pFind, &QAbstractButton::clicked, this, &CWebBrowserDlg::OnFind);
    connect(m_pFindField, &QLineEdit::returnPressed, this, &CWebBrowserDlg::FindNext);
    connect(m_pFindField, &QLineEdit::textEdited, this, [this] {
        // A changed text is looked for from the top of the document.
        if (m_pBrowser) {
            m_pBrowser->moveCursor(QTextCursor::Start);
            FindNext();
        }
    });
    UpdateButtons();
}

bool CWebBrowserDlg::CreateBrowser()
{
    if (!IsCreated())
        return false;
    delete m_pBrowser;
    m_pBrowser = new CDocumentViewer(this);
    m_pBrowser->setObjectName(QStringLiteral("browser"));
    // The page follows the links itself, so that its history knows them.
    m_pBrowser->setOpenLinks(false);
    connect(m_pBrowser, &QTextBrowser::anchorClicked, this, &CWebBrowserDlg::OnLink);
    m_pBrowser->SetServer(QUrl(m_strServerBase), m_nServerTimeoutMs);
    m_pBody->addWidget(m_pBrowser, 1);
    m_nav = CBrowserNav();
    UpdateButtons();
    return true;
}

void CWebBrowserDlg::ShowPage(int mode)
{
    if (!m_pBrowser && !CreateBrowser())
        return;
    const CWaitCursor wait;
    const QUrl document =
        m_pSettings ? BrowserDocument(*m_pSettings, mode, GetPrgSprache(), m_strServerBase)
                    : QUrl();
    m_nav.Open(mode, document, m_pHost ? m_pHost->WebReturnPage() : 0);
    m_pFindRow->hide();
    ShowFindResult(true);
    Navigate(document);
    UpdateButtons();
}

void CWebBrowserDlg::Navigate(const QUrl &url)
{
    if (!m_pBrowser || url.isEmpty())
        return;
    if (m_pBrowser->IsServerAddress(url)) {
        m_pBrowser->ShowServerDocument(url);
        return;
    }
    m_pBrowser->ForgetServerDocument();
    // A file address with a port ("//host:8080/doc.htm") names no file.
    const bool file = url.isLocalFile() && url.port() < 0;
    if (file && QFileInfo(url.toLocalFile()).isFile()) {
        m_pBrowser->setSource(url);
        return;
    }
    // The document and its fallback are missing (or lie on a server the
    // viewer cannot reach): the viewer's own notice names it as written.
    const QString where = file                ? QDir::toNativeSeparators(url.toLocalFile())
                          : url.isLocalFile() ? url.toString(QUrl::RemoveScheme)
                                              : url.toString();
    m_pBrowser->setHtml(
        QStringLiteral("<p>%1</p><p>%2</p>")
            .arg(OrmelText(kTextFileMissing).toHtmlEscaped(), where.toHtmlEscaped()));
}

void CWebBrowserDlg::OnLink(const QUrl &link)
{
    const QUrl target = m_nav.Current().resolved(link);
    if (!target.isLocalFile() && !m_pBrowser->IsServerAddress(target)) {
        // Web addresses and mail links go to the programs of the desktop;
        // an address of any other kind starts nothing.
        // One the desktop cannot open is told as a help page that cannot open.
        if (IsDesktopAddress(target)) {
            const QString shown = target.toDisplayString();
            OpenWithDesktop(target, this, [this, shown](bool opened) {
                if (!opened)
                    OwnMsgBox(OrmelTextArgs(kTextNoBrowser, {shown}), window(), kMsgBoxTitle,
                              MSG_ALIGN_NOTICE);
            });
        }
        return;
    }
    m_nav.Follow(target);
    Navigate(target);
    UpdateButtons();
}

void CWebBrowserDlg::OnFind()
{
    PlaySoundSelected(m_pSettings);
    if (!m_pBrowser)
        return;
    m_pFindRow->show();
    m_pFindField->setFocus();
    m_pFindField->selectAll();
}

void CWebBrowserDlg::FindNext()
{
    const QString text = m_pFindField->text();
    if (!m_pBrowser)
        return;
    bool found = text.isEmpty();
    if (!found) {
        found = m_pBrowser->find(text);
        if (!found) {
            m_pBrowser->moveCursor(QTextCursor::Start);
            found = m_pBrowser->find(text);
        }
    }
    ShowFindResult(found);
}

void CWebBrowserDlg::ShowFindResult(bool found)
{
    // A text the document does not hold: said beside the field, and the
    // field turns red until the text is found or emptied.
    m_pFindNotice->setText(found ? QString() : OrmelText(kTextNotFound));
    m_pFindField->setStyleSheet(found ? QString()
                                      : QStringLiteral("QLineEdit { background: #ffd0d0; }"));
}

QString CWebBrowserDlg::CurrentDocument() const
{
    const QUrl current = m_nav.Current();
    return current.isLocalFile() ? current.toLocalFile() : QString();
}

void CWebBrowserDlg::Refresh()
{
    if (m_pBrowser && !m_pBrowser->ServerDocument().isEmpty())
        m_pBrowser->ShowServerDocument(m_pBrowser->ServerDocument());
    else if (m_pBrowser && !m_pBrowser->source().isEmpty())
        m_pBrowser->reload();
}

void CWebBrowserDlg::UpdateButtons()
{
    m_pHistoryBack->setEnabled(m_nav.CanGoBack());
    m_pHistoryForward->setEnabled(m_nav.CanGoForward());
    m_pHome->setEnabled(m_nav.HomeOffered());
    const bool back = m_nav.ReturnPage() != 0;
    BackButton()->setEnabled(back);
    BackButton()->setToolTip(back ? OrmelText(kTextPackages) : QString());
}

void CWebBrowserDlg::OnBack()
{
    // "<" leads only back to the page that opened the browser, once.
    const int page = m_nav.TakeReturnPage();
    UpdateButtons();
    if (page && m_pHost)
        m_pHost->ShowPage(page);
}

void CWebBrowserDlg::keyPressEvent(QKeyEvent *event)
{
    if (event->key() != Qt::Key_Escape) {
        CPageDlg::keyPressEvent(event);
        return;
    }
    event->accept();
    if (m_pFindRow->isVisible() && m_pFindField->hasFocus()) {
        m_pFindRow->hide();
        if (m_pBrowser)
            m_pBrowser->setFocus();
        return;
    }
    switch (m_nav.OnEscape()) {
    case CBrowserNav::Escape::Home:
        if (m_pHost)
            m_pHost->ShowPage(kPageHome);
        break;
    case CBrowserNav::Escape::Return:
        OnBack();
        break;
    case CBrowserNav::Escape::Nothing:
        break;
    }
}
