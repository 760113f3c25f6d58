#include "app/Yaq2Dlg.h"

#include "app/Yaq2App.h"
#include "app/settings/PrgSettings.h"

#include <QLabel>
#include <QVBoxLayout>

CYaq2Dlg::CYaq2Dlg(CPrgSettings *settings, QWidget *parent)
    : QDialog(parent), m_pSettings(settings)
{
    setObjectName(QStringLiteral("YAQ2MainWindow"));
    setWindowTitle(m_pSettings->PrgTitel + m_pSettings->DlgTitel);
    setMinimumSize(800, 600);
    auto *layout = new QVBoxLayout(this);
    auto *caption = new QLabel(m_pSettings->DlgTitel, this);
    caption->setObjectName(QStringLiteral("captionLabel"));
    layout->addWidget(caption);
    layout->addStretch();
}

CYaq2Dlg::~CYaq2Dlg() = default;

int CYaq2Dlg::DoModal(const CMainWndArgs &)
{
    return exec();
}
