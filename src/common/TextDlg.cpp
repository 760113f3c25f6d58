#include "common/TextDlg.h"

#include "common/OwnButton.h"
#include "platform/OrmelText.h"

#include <QFile>
#include <QHBoxLayout>
#include <QListWidget>
#include <QStringDecoder>
#include <QVBoxLayout>

namespace {
constexpr int kTextTitle = 3100; // "Hinweise"
constexpr int kTextOk = 2016;    // "&OK"
// The language whose file stands in for a language without one.
const QString kFallbackLanguage = QStringLiteral("01");
// An information text is a page or two; a larger file is no such text.
constexpr qint64 kMaxTextSize = 4 * 1024 * 1024;

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
    m_pList->setStyleSheet(QStringLiteral("QListWidget { background: white; color: black; }"
                                          "QListWidget::item { padding: 0px 15px; }"));
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
    resize(560, 380);
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
    m_pOk->setFocus();
    return exec();
}

QStringList CTextDlg::Lines() const
{
    QStringList lines;
    for (int i = 0; i < m_pList->count(); ++i)
        lines << m_pList->item(i)->text();
    return lines;
}
