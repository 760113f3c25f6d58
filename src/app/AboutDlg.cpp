#include "app/AboutDlg.h"

#include "app/MainWndRules.h"
#include "app/StartupConfig.h"
#include "common/OwnButton.h"
#include "common/OwnSound.h"
#include "platform/OrmelText.h"
#include "settings/PrgSettings.h"
#include "setup/ReportDlg.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

CAboutDlg::CAboutDlg(CPrgSettings *settings, CYaqDb *db0, const QString &tns, QWidget *parent)
    : QDialog(parent), m_pSettings(settings), m_pDb(db0), m_strTns(tns)
{
    setObjectName(QStringLiteral("AboutDialog"));
    setWindowTitle(OrmelText(3027));

    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->setHorizontalSpacing(16);
    m_pIcon = new QLabel(this);
    m_pIcon->setObjectName(QStringLiteral("aboutIcon"));
    m_pIcon->setPixmap(QPixmap(QStringLiteral(":/bitmaps/app.png")));
    m_pIcon->setCursor(Qt::PointingHandCursor);
    m_pIcon->installEventFilter(this);
    layout->addWidget(m_pIcon, 0, 0, 4, 1, Qt::AlignTop);

    auto *texts = new QVBoxLayout;
    auto *company = new QLabel(QStringLiteral("ORMEL AG"), this);
    company->setObjectName(QStringLiteral("companyLabel"));
    QFont bold = company->font();
    bold.setBold(true);
    company->setFont(bold);
    auto *department = new QLabel(QStringLiteral("After Sales"), this);
    department->setObjectName(QStringLiteral("departmentLabel"));
    m_pConnection = new QLabel(this);
    m_pConnection->setObjectName(QStringLiteral("connectionLabel"));
    m_pDataState = new QLabel(this);
    m_pDataState->setObjectName(QStringLiteral("dataStateLabel"));
    auto *third = new QLabel(QStringLiteral("Service Repair Packages"), this);
    third->setObjectName(QStringLiteral("productLabel"));
    m_pNotice1 = new QLabel(this);
    m_pNotice1->setObjectName(QStringLiteral("noticeLabel1"));
    m_pNotice2 = new QLabel(this);
    m_pNotice2->setObjectName(QStringLiteral("noticeLabel2"));
    for (QLabel *label : {m_pNotice1, m_pNotice2})
        label->setWordWrap(true);
    for (QLabel *label : {company, department, m_pConnection, m_pDataState, third})
        texts->addWidget(label);
    texts->addSpacing(8);
    texts->addWidget(m_pNotice1);
    texts->addWidget(m_pNotice2);
    layout->addLayout(texts, 0, 1);

    auto *ok = m_pOk = new COwnButton(this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->Init(QString(), palette().color(QPalette::Window));
    ok->setText(OrmelText(2016));
    ok->setFocus();
    connect(ok, &QAbstractButton::clicked, this, [this] {
        PlaySoundSelected(m_pSettings);
        accept();
    });
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    layout->addLayout(buttons, 1, 1);
    setMinimumWidth(460);
    FillTexts();
}

CAboutDlg::~CAboutDlg() = default;

QString CAboutDlg::ConnectionLine(const CPrgSettings &s, const QString &tns,
                                  const QString &platformServer)
{
    QString line = QStringLiteral("Y A Q 2 ");
    if (s.bLocalDataSet) {
        line += QStringLiteral("- Offline");
        if (!platformServer.isEmpty())
            line += QStringLiteral(" (Server-IP: ") + platformServer + QLatin1Char(')');
    } else if (s.bSession)
        line += QStringLiteral("- Web");
    else
        line += ServerLineFromTns(tns);
    return line;
}

QString CAboutDlg::DataStateLine(const CPrgSettings &s)
{
    return OrmelText(6079) + QLatin1Char(' ') + s.KatDatum;
}

void CAboutDlg::FillTexts()
{
    // The platform's server: the agent host that answered the start last.
    QString platformServer;
    if (m_pSettings->bLocalDataSet)
        platformServer = CStartupConfig().AgentHost();
    m_pConnection->setText(ConnectionLine(*m_pSettings, m_strTns, platformServer));
    m_pDataState->setText(DataStateLine(*m_pSettings));
    m_pNotice1->setText(OrmelText(3039));
    m_pNotice2->setText(OrmelText(3040));
}

void CAboutDlg::OnIconClicked()
{
    // The import report is not available in a session.
    if (m_pSettings->bSession)
        return;
    PlaySoundSelected(m_pSettings);
    CReportDlg report(m_pSettings, m_pDb, this);
    report.DoModal();
}

bool CAboutDlg::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_pIcon && event->type() == QEvent::MouseButtonRelease) {
        if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
            OnIconClicked();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void CAboutDlg::keyPressEvent(QKeyEvent *event)
{
    // The box closes only through OK (Return and the pad's Enter take it)
    // or the close box.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    if (!ClickOnReturn(event, m_pOk))
        QDialog::keyPressEvent(event);
}
