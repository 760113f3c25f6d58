#include "app/HomeDlg.h"

#include "common/OwnSound.h"
#include "common/OwnWhiteButton.h"
#include "common/PageHost.h"
#include "platform/OrmelText.h"
#include "settings/PrgSettings.h"

#include <QGridLayout>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QToolTip>
#include <QVBoxLayout>

namespace {
const QColor kButtonFace(0xF5, 0xF5, 0xF5);
}

CHomeDlg::CHomeDlg() = default;
CHomeDlg::~CHomeDlg() = default;

void CHomeDlg::BuildPage(QVBoxLayout *body)
{
    setObjectName(QStringLiteral("homePage"));

    auto make = [this](const char *name) {
        auto *button = new COwnWhiteButton(this);
        button->setObjectName(QString::fromLatin1(name));
        button->Init(kButtonFace);
        return button;
    };
    m_pAw = make("awButton");
    m_pPakete = make("paketeButton");
    m_pBefund = make("befundButton");
    m_pSBL = make("sblButton");
    m_pNews = make("newsButton");

    // Two columns: catalogue, findings and news on the left; packages and
    // maintenance topics on the right.
    auto *grid = new QGridLayout;
    body->addLayout(grid);
    grid->setContentsMargins(24, 24, 24, 24);
    grid->setSpacing(18);
    grid->addWidget(m_pAw, 0, 0);
    grid->addWidget(m_pPakete, 0, 1);
    grid->addWidget(m_pBefund, 1, 0);
    grid->addWidget(m_pSBL, 1, 1);
    grid->addWidget(m_pNews, 2, 0);
    setTabOrder(m_pAw, m_pPakete);
    setTabOrder(m_pPakete, m_pBefund);
    setTabOrder(m_pBefund, m_pSBL);
    setTabOrder(m_pSBL, m_pNews);

    auto sound = [this] { PlaySoundSelected(m_pSettings); };
    connect(m_pPakete, &QAbstractButton::clicked, this, [this, sound] {
        sound();
        m_pHost->ShowPage(kPageSRPWl, CPageRequest::Activated(1));
    });
    connect(m_pBefund, &QAbstractButton::clicked, this, [this, sound] {
        sound();
        m_pHost->ShowPage(kPageBfnd, CPageRequest::Activated());
    });
    connect(m_pAw, &QAbstractButton::clicked, this, &CHomeDlg::OnAw);
    connect(m_pNews, &QAbstractButton::clicked, this, [this, sound] {
        sound();
        m_pHost->ShowPage(kPageWebBrowser);
    });
    connect(m_pSBL, &QAbstractButton::clicked, this, [this, sound] {
        sound();
        m_pHost->ShowPage(kPageSBLWl);
    });
    m_pPakete->installEventFilter(this);
    SetButtonTexts();
}

void CHomeDlg::OnAw()
{
    PlaySoundSelected(m_pSettings);
    m_pSettings->AktApNr.clear();
    m_pSettings->KatZeile.clear();
    m_pHost->ShowPage(kPageAwKat, CPageRequest::Activated(1));
}

void CHomeDlg::SetButtonTexts()
{
    if (!IsCreated())
        return;
    m_pAw->SetDatas(OrmelText(3200), OrmelText(3201), OrmelText(3202), QString());
    m_pBefund->SetDatas(OrmelText(3043), OrmelText(3044), OrmelText(3049), QString());
    m_pNews->SetDatas(OrmelText(2033), OrmelText(7002), OrmelText(3138), QString());
    m_pPakete->SetDatas(OrmelText(3183), QString(), QString(), QString());
    m_pSBL->SetDatas(OrmelText(3197), OrmelText(3198), OrmelText(3199), QString());
    update();
}

QString CHomeDlg::PaketeToolTip()
{
    QStringList lines;
    for (int id : {3110, 6083, 6090, 6091, 3111, 6084})
        lines << OrmelText(id);
    return lines.join(QLatin1Char('\n'));
}

bool CHomeDlg::eventFilter(QObject *watched, QEvent *event)
{
    // The packages tool tip is shown only while the button can be used.
    if (watched == m_pPakete && event->type() == QEvent::ToolTip) {
        if (m_pPakete->isEnabled()) {
            auto *help = static_cast<QHelpEvent *>(event);
            QToolTip::showText(help->globalPos(), PaketeToolTip(), m_pPakete, QRect(), 10000);
        }
        return true;
    }
    return CPageDlg::eventFilter(watched, event);
}

void CHomeDlg::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        // Escape never closes the page.
        event->accept();
        return;
    }
    CPageDlg::keyPressEvent(event);
}

bool CHomeDlg::focusNextPrevChild(bool next)
{
    if (next && m_pNews->hasFocus()) {
        emit tabFromLastButton();
        return true;
    }
    return CPageDlg::focusNextPrevChild(next);
}

void CHomeDlg::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QColor shadow = palette().color(QPalette::Dark);
    const QRect outer = rect().adjusted(0, 0, -1, -1);
    const QRect inner = outer.adjusted(1, 1, -1, -1);
    auto frame = [&painter](const QRect &r, const QColor &topLeft, const QColor &bottomRight) {
        painter.setPen(topLeft);
        painter.drawLine(r.topLeft(), r.topRight());
        painter.drawLine(r.topLeft(), r.bottomLeft());
        painter.setPen(bottomRight);
        painter.drawLine(r.bottomLeft(), r.bottomRight());
        painter.drawLine(r.topRight(), r.bottomRight());
    };
    frame(outer, shadow, Qt::white);
    frame(inner, Qt::white, shadow);
}
