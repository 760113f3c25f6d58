#include "packages/DIPDlg.h"

#include "common/OwnButton.h"
#include "common/OwnLB.h"
#include "common/WaitCursor.h"
#include "common/readers/SpotRepair.h"
#include "packages/DIPRowPainter.h"
#include "packages/DIPRows.h"
#include "platform/OrmelText.h"
#include "settings/PrgSettings.h"

#include <QStandardItemModel>
#include <QVBoxLayout>

namespace {
constexpr int kTextPackages = 3183; // "Pakete": the list the page lies over
} // namespace

CDIPDlg::CDIPDlg() = default;
CDIPDlg::~CDIPDlg() = default;

void CDIPDlg::BuildPage(QVBoxLayout *body)
{
    // Named after the package list it lies over; the title stays the list's.
    SetCaptionText(OrmelText(kTextPackages));
    BackButton()->setToolTip(OrmelText(kTextPackages));

    m_pModel = new QStandardItemModel(this);
    m_pList = new COwnLB(this);
    m_pList->setObjectName(QStringLiteral("dipList"));
    m_pPainter = new CDIPRowPainter(m_pList);
    m_pPainter->SetFonts(font());
    m_pList->setItemDelegate(m_pPainter);
    m_pList->setModel(m_pModel);
    m_pList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette blue = m_pList->palette();
    blue.setColor(QPalette::Base, QColor(216, 230, 241));
    m_pList->setPalette(blue);
    body->addWidget(m_pList, 1);
}

void CDIPDlg::RefreshPage()
{
    // Texts and fonts may have changed with the language.
    BackButton()->setToolTip(OrmelText(kTextPackages));
    SetCaptionText(OrmelText(kTextPackages));
    m_pPainter->SetFonts(font());
    FillList();
}

void CDIPDlg::FillList()
{
    EmptyList();
    if (!m_pSettings)
        return;
    const CWaitCursor wait;
    CDIPRowPainter::SetRows(m_pModel, DIPListRows(SpotRepairFolder(*m_pSettings), GetPrgSprache()));
    m_pList->scrollToTop();
}

void CDIPDlg::EmptyList()
{
    if (m_pModel)
        m_pModel->clear();
}

std::vector<CListZeileData> CDIPDlg::Rows() const
{
    std::vector<CListZeileData> rows;
    for (int i = 0; i < m_pModel->rowCount(); ++i)
        rows.push_back(CDIPRowPainter::RowOf(m_pModel->index(i, 0)));
    return rows;
}

void CDIPDlg::OnBack()
{
    EmptyList();
    CPageDlg::OnBack();
}
