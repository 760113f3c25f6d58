#include "packages/SRPWlDlg.h"

#include "common/OwnButton.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

CSRPWlDlg::CSRPWlDlg() = default;
CSRPWlDlg::~CSRPWlDlg() = default;

void CSRPWlDlg::BuildPage(QVBoxLayout *body)
{
    auto *row = new QHBoxLayout;
    m_pPrevButton =
        MakeButton(QStringLiteral("listUpButton"), QString(), QStringLiteral(":/bitmaps/up.png"));
    m_pNextButton = MakeButton(QStringLiteral("listDownButton"), QString(),
                               QStringLiteral(":/bitmaps/down.png"));
    row->addWidget(m_pPrevButton);
    row->addWidget(m_pNextButton);
    row->addStretch(1);
    body->addLayout(row);
    AddWorkArea(body);
    ClearLists();
    OfferBackToOrigin();
}

void CSRPWlDlg::ClearLists()
{
    if (!IsCreated())
        return;
    m_pPrevButton->setEnabled(false);
    m_pNextButton->setEnabled(false);
}

void CSRPWlDlg::RefreshPage()
{
    OfferBackToOrigin();
}
