#include "catalogues/NrAbfrageDlg.h"

#include "common/OwnButton.h"
#include "platform/OrmelText.h"
#include "settings/PrgSettings.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
// "Die Suche nach Nummern und Texten ist in dieser Version nicht enthalten."
constexpr int kTextNoSearch = 7190;
} // namespace

CNrAbfrageDlg::CNrAbfrageDlg() = default;
CNrAbfrageDlg::~CNrAbfrageDlg() = default;

void CNrAbfrageDlg::BuildPage(QVBoxLayout *body)
{
    auto *row = new QHBoxLayout;
    m_pSearch = new QLineEdit(this);
    m_pSearch->setObjectName(QStringLiteral("searchEdit"));
    m_pSrp = MakeButton(QStringLiteral("srpButton"), QStringLiteral("SR&P"));
    row->addWidget(m_pSearch, 1);
    row->addWidget(m_pSrp);
    body->addLayout(row);
    // The search itself is not part of this version: the page says so
    // rather than leave the adviser typing into a field that finds nothing.
    QFrame *area = AddWorkArea(body);
    m_pNotice = new QLabel(area);
    m_pNotice->setObjectName(QStringLiteral("notInThisVersion"));
    m_pNotice->setWordWrap(true);
    m_pNotice->setAlignment(Qt::AlignCenter);
    auto *inArea = new QVBoxLayout(area);
    inArea->addWidget(m_pNotice);
}

void CNrAbfrageDlg::RefreshPage()
{
    m_pNotice->setText(OrmelText(kTextNoSearch));
    if (m_pSettings && m_pSettings->nRestrictedSession)
        m_pSrp->setEnabled(false);
}
