#include "setup/ReportDlg.h"

#include "platform/AppPaths.h"
#include "platform/OrmelText.h"
#include "settings/PrgSettings.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

CReportDlg::CReportDlg(CPrgSettings *settings, CYaqDb *db0, QWidget *parent)
    : QDialog(parent), m_pSettings(settings), m_pDb(db0)
{
    setObjectName(QStringLiteral("ReportDialog"));
    setWindowTitle(OrmelText(3027));
    auto *layout = new QVBoxLayout(this);
    auto *text = new QPlainTextEdit(this);
    text->setObjectName(QStringLiteral("reportText"));
    text->setReadOnly(true);
    QFile file(ReportPath(*m_pSettings));
    if (file.open(QIODevice::ReadOnly | QIODevice::Text))
        text->setPlainText(QString::fromUtf8(file.readAll()));
    layout->addWidget(text);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(OrmelText(2016));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    resize(560, 420);
}

CReportDlg::~CReportDlg() = default;

QString CReportDlg::ReportPath(const CPrgSettings &settings)
{
    return JoinPath(settings.DataDir, QStringLiteral("report.txt"));
}
