#include "common/TextDlg.h"

#include "common/OwnButton.h"
#include "platform/OrmelText.h"

#include <QFile>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QStringDecoder>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <algorithm>

namespace {
constexpr int kTextTitle = 3100; // "Hinweise"
constexpr int kTextOk = 2016;    // "&OK"
// The language whose file stands in for a language without one.
const QString kFallbackLanguage = QStringLiteral("01");
// An information text is a page or two; a larger file is no such text.
constexpr qint64 kMaxTextSize = 4 * 1024 * 1024;
// Room on either side of a line.
constexpr int kLineMargin = 15;
// The box opens at least this wide, and at most this share of the screen.
constexpr int kMinWidth = 560;
constexpr int kMaxScreenPercent = 90;

// The width a line takes in the list, its margins included.
int LineWidth(const QFontMetrics &fm, const QString &line)
{
    return fm.horizontalAdvance(line) + 2 * kLineMargin;
}

// A line of the text: measured and painted the same way, margins included,
// so that the list scrolls sideways only as far as its widest line needs.
class CTextLineDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const QFontMetrics fm(option.font);
        return {LineWidth(fm, index.data(Qt::DisplayRole).toString()), fm.height()};
    }

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        // White, black text, no selection.
        painter->fillRect(option.rect, Qt::white);
        painter->setFont(option.font);
        painter->setPen(Qt::black);
        painter->drawText(option.rect.adjusted(kLineMargin, 0, -kLineMargin, 0),
                          Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                          index.data(Qt::DisplayRole).toString());
    }
};

bool ReadBytes(const QString &path, QByteArray *bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    *bytes = file.read(kMaxTextSize);
    return true;
}
} // namespace

CTextDlg::CTextDlg(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("textDialog"));
    setWindowIcon(QIcon(QStringLiteral(":/bitmaps/app.png")));
    setWindowTitle(OrmelText(kTextTitle));

    m_pList = new QListWidget(this);
    m_pList->setObjectName(QStringLiteral("textLines"));
    m_pList->setSelectionMode(QAbstractItemView::NoSelection);
    m_pList->setFocusPolicy(Qt::NoFocus);
    // The lines in bold black on white, 15 pixels from either side.
    QFont bold = m_pList->font();
    bold.setBold(true);
    m_pList->setFont(bold);
    QPalette white = m_pList->palette();
    white.setColor(QPalette::Base, Qt::white);
    m_pList->setPalette(white);
    m_pList->setItemDelegate(new CTextLineDelegate(m_pList));
    m_pList->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_pOk = new COwnButton(this);
    m_pOk->setObjectName(QStringLiteral("okButton"));
    m_pOk->Init(QString(), palette().color(QPalette::Window));
    m_pOk->setText(OrmelText(kTextOk));
    connect(m_pOk, &QAbstractButton::clicked, this, &QDialog::accept);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_pOk);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pList, 1);
    layout->addLayout(buttons);
    resize(kMinWidth, 380);
}

QStringList CTextDlg::TextLines(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = QString::fromLatin1(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    text.remove(QLatin1Char('\r'));
    QStringList lines = text.split(QLatin1Char('\n'));
    // The piece after the last LF is a line only when it holds something.
    if (lines.last().isEmpty())
        lines.removeLast();
    for (QString &line : lines) {
        if (line.isEmpty())
            line = QStringLiteral(" ");
    }
    return lines;
}

bool CTextDlg::LoadTextFile(const QString &prefix, const QString &language,
                            const QString &extension, QStringList *lines, QString *path)
{
    QString file = prefix + language + extension;
    QByteArray bytes;
    bool read = ReadBytes(file, &bytes);
    if (!read && !language.isEmpty()) {
        file = prefix + kFallbackLanguage + extension;
        read = ReadBytes(file, &bytes);
    }
    if (!read)
        return false;
    if (lines)
        *lines = TextLines(bytes);
    if (path)
        *path = file;
    return true;
}

int CTextDlg::DoModalText(const QString &prefix, const QString &language, const QString &extension)
{
    QStringList lines;
    if (!LoadTextFile(prefix, language, extension, &lines))
        return QDialog::Rejected;
    m_pList->clear();
    m_pList->addItems(lines);
    FitWidthToLines(lines);
    m_pOk->setFocus();
    return exec();
}

void CTextDlg::keyPressEvent(QKeyEvent *event)
{
    if (!ClickOnReturn(event, m_pOk))
        QDialog::keyPressEvent(event);
}

void CTextDlg::FitWidthToLines(const QStringList &lines)
{
    // Wide enough for the widest line beside a vertical scroll bar, so that
    // the box scrolls sideways only where the screen is too narrow.
    const QFontMetrics fm(m_pList->font());
    int widest = 0;
    for (const QString &line : lines)
        widest = std::max(widest, LineWidth(fm, line));
    const QMargins margins = layout()->contentsMargins();
    const int needed = widest + 2 * m_pList->frameWidth() +
                       m_pList->verticalScrollBar()->sizeHint().width() + margins.left() +
                       margins.right();
    const QScreen *shown = parentWidget() ? parentWidget()->screen() : screen();
    const int most = shown ? shown->availableGeometry().width() * kMaxScreenPercent / 100 : needed;
    resize(std::clamp(needed, kMinWidth, std::max(kMinWidth, most)), height());
}

QStringList CTextDlg::Lines() const
{
    QStringList lines;
    for (int i = 0; i < m_pList->count(); ++i)
        lines << m_pList->item(i)->text();
    return lines;
}
