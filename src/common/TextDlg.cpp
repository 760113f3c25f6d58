#include "common/TextDlg.h"

#include "common/OwnButton.h"
#include "platform/OrmelText.h"

#include <QFile>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QStringDecoder>
#include <QVBoxLayout>

CTextDlg::CTextDlg(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("textDialog"));
    setWindowIcon(QIcon(QStringLiteral(":/bitmaps/app.png")));
    setWindowTitle(OrmelText(3100));

    m_pText = new QPlainTextEdit(this);
    m_pText->setObjectName(QStringLiteral("textView"));
    m_pText->setReadOnly(true);
    m_pOk = new COwnButton(this);
    m_pOk->setObjectName(QStringLiteral("okButton"));
    m_pOk->Init(QString(), palette().color(QPalette::Window));
    m_pOk->setText(OrmelText(2016));
    connect(m_pOk, &QAbstractButton::clicked, this, &QDialog::accept);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_pOk);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pText, 1);
    layout->addLayout(buttons);
    resize(520, 360);
}

QString CTextDlg::TextPath(const QString &prefix, const QString &language, const QString &extension)
{
    return prefix + language + extension;
}

QString CTextDlg::TextOfFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return OrmelText(4012) + QLatin1Char(' ') + path;
    const QByteArray bytes = file.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = QString::fromLatin1(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

int CTextDlg::DoModalText(const QString &prefix, const QString &language, const QString &extension)
{
    m_pText->setPlainText(TextOfFile(TextPath(prefix, language, extension)));
    m_pOk->setFocus();
    return exec();
}

QString CTextDlg::Text() const
{
    return m_pText->toPlainText();
}
