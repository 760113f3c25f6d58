#include "common/PageDlg.h"

#include "common/OwnButton.h"
#include "common/OwnSound.h"
#include "common/PageHost.h"
#include "platform/OrmelText.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

CPageDlg::CPageDlg(QWidget *parent) : QWidget(parent)
{
    hide();
}

CPageDlg::~CPageDlg() = default;

void CPageDlg::SetPageSize(int width, int height)
{
    m_nPageWidth = width;
    m_nPageHeight = height;
}

QString CPageDlg::CaptionText() const
{
    return m_pCaption ? m_pCaption->text() : QString();
}

CYaqDb *CPageDlg::Db(int index) const
{
    return index >= 0 && index < int(m_Db.size()) ? m_Db[size_t(index)] : nullptr;
}

void CPageDlg::Create(CPrgSettings *settings, int templateId, int captionId,
                      const std::vector<CYaqDb *> &connections, IPageHost *host, QWidget *parent)
{
    if (m_bCreated)
        return;
    m_pSettings = settings;
    m_nTemplateId = templateId;
    m_nCaptionId = captionId;
    m_Db = connections;
    m_pHost = host;
    setParent(parent);
    hide();
    setAutoFillBackground(true);

    auto *layout = new QVBoxLayout(this);
    auto *body = new QVBoxLayout;
    if (!HasCaptionLine()) {
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addLayout(body, 1);
        m_bCreated = true;
        BuildPage(body);
        return;
    }
    layout->setContentsMargins(8, 6, 8, 8);
    auto *captionRow = new QHBoxLayout;
    m_pBackButton = new COwnButton(this);
    m_pBackButton->setObjectName(QStringLiteral("backButton"));
    m_pBackButton->Init(QStringLiteral(":/bitmaps/back.png"), palette().color(QPalette::Window));
    m_pBackButton->setToolTip(QStringLiteral("<"));
    connect(m_pBackButton, &QAbstractButton::clicked, this, [this] {
        PlaySoundSelected(m_pSettings);
        OnBack();
    });
    m_pCaption = new QLabel(this);
    m_pCaption->setObjectName(QStringLiteral("pageCaption"));
    QFont captionFont = m_pCaption->font();
    captionFont.setBold(true);
    captionFont.setPointSizeF(captionFont.pointSizeF() * 1.3);
    m_pCaption->setFont(captionFont);
    captionRow->addWidget(m_pBackButton);
    captionRow->addWidget(m_pCaption, 1);
    layout->addLayout(captionRow);
    layout->addLayout(body, 1);
    m_bCreated = true;
    if (m_nCaptionId)
        SetCaptionText(OrmelText(m_nCaptionId));
    BuildPage(body);
}

void CPageDlg::ApplySessionLocks()
{
    if (m_pHost)
        m_pHost->ApplySessionLocks(m_nTemplateId);
}

CWkBasket *CPageDlg::Basket() const
{
    return m_pHost ? m_pHost->Basket() : nullptr;
}

void CPageDlg::ActivatePage()
{
    if (!IsCreated())
        return;
    if (m_bTextsChanged) {
        if (m_nCaptionId)
            SetCaptionText(OrmelText(m_nCaptionId));
        m_bTextsChanged = 0;
    }
    m_Taken = m_Changed;
    m_Changed.Clear();
    RefreshPage();
}

void CPageDlg::ActivateOnShow(const CPageRequest &)
{
    ActivatePage();
}

void CPageDlg::OnBack()
{
    if (m_pHost)
        m_pHost->GoBack(m_nTemplateId);
}

void CPageDlg::TakeKeyboard()
{
    const auto takes = [this](QWidget *w) {
        return w && w != this && isAncestorOf(w) && w->isEnabled() && w->isVisibleTo(this) &&
               (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus;
    };
    // Where the page put the focus itself (the package page its list).
    if (QWidget *own = focusWidget(); takes(own)) {
        own->setFocus(Qt::OtherFocusReason);
        return;
    }
    QWidget *back = nullptr;
    for (QWidget *w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain()) {
        if (!takes(w))
            continue;
        if (w == m_pBackButton) {
            back = w;
            continue;
        }
        w->setFocus(Qt::TabFocusReason);
        return;
    }
    if (back)
        back->setFocus(Qt::TabFocusReason);
    else
        setFocus(Qt::OtherFocusReason);
}

int CPageDlg::CameFrom() const
{
    return m_pHost ? m_pHost->CameFrom(m_nTemplateId) : 0;
}

void CPageDlg::OfferBackToOrigin()
{
    BackButton()->setEnabled(CameFrom() != 0);
}

void CPageDlg::SetCaptionText(const QString &caption)
{
    if (!m_pCaption)
        return;
    // Captions come from button texts; their mnemonic marks ("&Suchen")
    // mean nothing on the caption line, a doubled one is a plain "&".
    m_pCaption->setText(WithoutMnemonics(caption));
}

COwnButton *CPageDlg::MakeButton(const QString &objectName, const QString &caption,
                                 const QString &bitmap)
{
    auto *button = new COwnButton(this);
    button->setObjectName(objectName);
    button->Init(bitmap, palette().color(QPalette::Window));
    button->setText(caption);
    return button;
}

QFrame *CPageDlg::AddWorkArea(QVBoxLayout *body)
{
    auto *area = new QFrame(this);
    area->setObjectName(QStringLiteral("pageArea"));
    area->setFrameShape(QFrame::StyledPanel);
    area->setAutoFillBackground(true);
    QPalette pal = area->palette();
    pal.setColor(QPalette::Window, Qt::white);
    area->setPalette(pal);
    body->addWidget(area, 1);
    return area;
}

void CPageDlg::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        OnBack();
        return;
    }
    QWidget::keyPressEvent(event);
}
