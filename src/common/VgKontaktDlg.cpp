#include "common/VgKontaktDlg.h"

#include "common/EasyPrintPages.h"
#include "common/OpenUrl.h"
#include "common/OwnButton.h"
#include "common/OwnSound.h"
#include "platform/MsgBox.h"
#include "platform/OrmelText.h"
#include "settings/PrgSettings.h"

#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
constexpr int kTextTitle = 6070;         // "Kontaktinformationen zu Pakete"
constexpr int kTextNotice = 6094;        // the support notice
constexpr int kTextPhone = 6002;         // "Telefonnummer:"
constexpr int kTextMail = 6020;          // "E-Mail Adresse:"
constexpr int kTextQualityReport = 6067; // "Qualitäts-Report öffnen:"
constexpr int kTextMailProgram = 6068;   // "E-Mail Programm öffnen:"
// The desktop's codes for a missing file and for a file without a program.
constexpr int kFileNotFound = 2;
constexpr int kNoProgram = 31;
} // namespace

CVgKontaktDlg::CVgKontaktDlg(CPrgSettings *settings, QWidget *parent)
    : QDialog(parent), m_pSettings(settings)
{
    setObjectName(QStringLiteral("contactDialog"));
    setWindowIcon(QIcon(QStringLiteral(":/bitmaps/app.png")));
    setWindowTitle(OrmelText(kTextTitle));
    const QColor face = palette().color(QPalette::Window);
    auto button = [this, face](const QString &name, const QString &bitmap) {
        auto *b = new COwnButton(this);
        b->setObjectName(name);
        b->Init(bitmap, face);
        return b;
    };

    // The notice on white.
    auto *noticeFrame = new QFrame(this);
    noticeFrame->setObjectName(QStringLiteral("noticeFrame"));
    noticeFrame->setFrameShape(QFrame::StyledPanel);
    noticeFrame->setAutoFillBackground(true);
    QPalette white = noticeFrame->palette();
    white.setColor(QPalette::Window, Qt::white);
    noticeFrame->setPalette(white);
    auto *notice = new QLabel(OrmelText(kTextNotice), noticeFrame);
    notice->setObjectName(QStringLiteral("notice"));
    notice->setWordWrap(true);
    notice->setMinimumWidth(360);
    auto *noticeLayout = new QVBoxLayout(noticeFrame);
    noticeLayout->addWidget(notice);

    // The hidden contact rows.
    auto *contactFrame = new QGroupBox(this);
    contactFrame->setObjectName(QStringLiteral("contactFrame"));
    auto *grid = new QGridLayout(contactFrame);
    m_pPhone = new QLineEdit(contactFrame);
    m_pPhone->setObjectName(QStringLiteral("phoneField"));
    m_pMail = new QLineEdit(contactFrame);
    m_pMail->setObjectName(QStringLiteral("mailField"));
    m_pQualityReport = button(QStringLiteral("qualityReportButton"), QString());
    m_pMailProgram = button(QStringLiteral("mailProgramButton"), QString());
    grid->addWidget(new QLabel(OrmelText(kTextPhone), contactFrame), 0, 0);
    grid->addWidget(m_pPhone, 0, 1);
    grid->addWidget(new QLabel(OrmelText(kTextMail), contactFrame), 1, 0);
    grid->addWidget(m_pMail, 1, 1);
    grid->addWidget(new QLabel(OrmelText(kTextQualityReport), contactFrame), 2, 0);
    grid->addWidget(m_pQualityReport, 2, 1);
    grid->addWidget(new QLabel(OrmelText(kTextMailProgram), contactFrame), 3, 0);
    grid->addWidget(m_pMailProgram, 3, 1);
    contactFrame->hide();

    m_pBack = button(QStringLiteral("backButton"), QStringLiteral(":/bitmaps/back.png"));
    connect(m_pBack, &QAbstractButton::clicked, this, &CVgKontaktDlg::OnBack);
    connect(m_pQualityReport, &QAbstractButton::clicked, this, &CVgKontaktDlg::OnQualityReport);
    connect(m_pMailProgram, &QAbstractButton::clicked, this, &CVgKontaktDlg::OnMail);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_pBack);
    buttons->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(noticeFrame, 1);
    layout->addWidget(contactFrame);
    layout->addLayout(buttons);
    // The way back is the default: Enter leaves the box.
    m_pBack->setFocus();
}

QString CVgKontaktDlg::MailUrl(const QString &address)
{
    const QString trimmed = address.trimmed();
    return trimmed.isEmpty() ? QString() : QStringLiteral("mailto:") + trimmed;
}

QString CVgKontaktDlg::QualityReportPath(const QString &dataDir, const QString &language)
{
    const QString suffix = language == QLatin1String("00") ? language : QStringLiteral("01");
    return dataDir + QStringLiteral("/SRP/Report/Quality Report") + suffix + QStringLiteral(".doc");
}

void CVgKontaktDlg::keyPressEvent(QKeyEvent *event)
{
    if (!ClickOnReturn(event, m_pBack))
        QDialog::keyPressEvent(event);
}

void CVgKontaktDlg::OnBack()
{
    PlaySoundSelected(m_pSettings);
    reject();
}

void CVgKontaktDlg::OnQualityReport()
{
    PlaySoundSelected(m_pSettings);
    const QString dataDir = m_pSettings ? m_pSettings->DataDir : QString();
    // The form of the language, else the English one.
    for (const QString &path : {QualityReportPath(dataDir, GetPrgSprache()),
                                QualityReportPath(dataDir, QStringLiteral("01"))}) {
        if (!QFileInfo(path).isFile())
            continue;
        // The desktop answers later whether a program could show it.
        OpenUrlInBrowser(path, this, [this](bool opened) {
            if (!opened)
                OwnMsgBox(ShellErrorText(kNoProgram), this, QStringLiteral("Open Program"),
                          MSG_ALIGN_CENTER);
        });
        return;
    }
    OwnMsgBox(ShellErrorText(kFileNotFound), this, QStringLiteral("Open Program"),
              MSG_ALIGN_CENTER);
}

void CVgKontaktDlg::OnMail()
{
    PlaySoundSelected(m_pSettings);
    const QString url = MailUrl(m_pMail->text());
    if (!url.isEmpty())
        OpenUrlInBrowser(url, this);
}
