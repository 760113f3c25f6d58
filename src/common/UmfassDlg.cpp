#include "common/UmfassDlg.h"

#include "common/OwnButton.h"
#include "platform/OrmelText.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QVBoxLayout>

namespace {
constexpr int kInclusiveTitle = 2008; // "&Inklusiv-Pos."
constexpr int kScopeTitle = 2009;     // "&Umfaßttexte"
constexpr int kOk = 2016;             // "&OK"
constexpr int kNoText = 3041;         // no text for this AP number

QString Plain(QString caption)
{
    caption.remove(QLatin1Char('&'));
    return caption;
}
} // namespace

CUmfassDlg::CUmfassDlg(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("scopeTextDialog"));
    setWindowIcon(QIcon(QStringLiteral(":/bitmaps/app.png")));
    m_pHeading = new QLabel(this);
    m_pHeading->setObjectName(QStringLiteral("scopeHeading"));
    QFont bold = m_pHeading->font();
    bold.setBold(true);
    m_pHeading->setFont(bold);
    m_pList = new QListWidget(this);
    m_pList->setObjectName(QStringLiteral("scopeLines"));
    m_pList->setSelectionMode(QAbstractItemView::NoSelection);
    m_pList->setFocusPolicy(Qt::NoFocus);
    m_pList->setStyleSheet(QStringLiteral("QListWidget { background: white; color: black; }"));
    m_pOk = new COwnButton(this);
    m_pOk->setObjectName(QStringLiteral("okButton"));
    m_pOk->Init(QString(), palette().color(QPalette::Window));
    m_pOk->setText(OrmelText(kOk));
    connect(m_pOk, &QAbstractButton::clicked, this, &QDialog::accept);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_pOk);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pHeading);
    layout->addWidget(m_pList, 1);
    layout->addLayout(buttons);
    resize(480, 300);
}

void CUmfassDlg::Fill(int mode, const QString &apNumber, const QStringList &lines)
{
    const QString title = Plain(OrmelText(mode == 1 ? kInclusiveTitle : kScopeTitle));
    setWindowTitle(title);
    m_pHeading->setText(title + QStringLiteral(" ") + apNumber.trimmed());
    m_pList->clear();
    m_pList->addItems(lines.isEmpty() ? QStringList{OrmelText(kNoText)} : lines);
}

int CUmfassDlg::DoModalAt(const QPoint &at, int mode, const QString &apNumber,
                          const QStringList &lines)
{
    Fill(mode, apNumber, lines);
    m_anchor = at;
    m_bAnchored = true;
    PlaceOnScreen();
    return exec();
}

QRect CUmfassDlg::PlaceBeside(const QPoint &anchor, const QSize &size, const QRect &screen)
{
    QRect box(QPoint(anchor.x() - size.width() / 2, anchor.y()), size);
    if (box.bottom() > screen.bottom())
        box.moveTop(anchor.y() - size.height());
    if (box.right() > screen.right())
        box.moveRight(screen.right());
    if (box.bottom() > screen.bottom())
        box.moveBottom(screen.bottom());
    if (box.left() < screen.left())
        box.moveLeft(screen.left());
    if (box.top() < screen.top())
        box.moveTop(screen.top());
    return box;
}

void CUmfassDlg::PlaceOnScreen()
{
    if (!m_bAnchored)
        return;
    QScreen *screen = QGuiApplication::screenAt(m_anchor);
    if (!screen)
        screen = this->screen();
    if (!screen)
        return;
    // The window frame is known once the box was shown; before that its
    // own size is all there is.
    const QSize outer = frameGeometry().size().expandedTo(size());
    move(PlaceBeside(m_anchor, outer, screen->availableGeometry()).topLeft());
}

void CUmfassDlg::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    PlaceOnScreen();
}

void CUmfassDlg::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

QStringList CUmfassDlg::Lines() const
{
    QStringList lines;
    for (int i = 0; i < m_pList->count(); ++i)
        lines << m_pList->item(i)->text();
    return lines;
}

QPoint CUmfassDlg::PointBelow(const QWidget *control)
{
    if (!control)
        return QPoint();
    return control->mapToGlobal(QPoint(control->width() / 2, control->height()));
}
