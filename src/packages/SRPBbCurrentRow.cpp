#include "packages/SRPBbCurrentRow.h"

#include "common/EditNrDlg.h"
#include "common/OwnBearbLB.h"
#include "packages/SRPBbRowModel.h"
#include "packages/edit/LabourValueEdit.h"
#include "packages/edit/PackageSelection.h"
#include "packages/model/Position.h"

#include <QItemSelectionModel>

CSRPBbCurrentRow::~CSRPBbCurrentRow()
{
    // The list may outlive its window's members while the window goes.
    QObject::disconnect(m_following);
}

void CSRPBbCurrentRow::Attach(COwnBearbLB *list, CSRPBbRowModel *model, QWidget *editButton)
{
    m_pList = list;
    m_pModel = model;
    m_pEditButton = editButton;
    QObject::disconnect(m_following);
    m_following = QObject::connect(list->selectionModel(), &QItemSelectionModel::currentChanged,
                                   list, [this](const QModelIndex &current) { Moved(current); });
}

void CSRPBbCurrentRow::Show(const CPosition *current)
{
    int index = m_pModel->IndexOf(current);
    if (index < 0)
        index = m_nPrevious >= 0 && m_nPrevious < m_pModel->rowCount() ? m_nPrevious : -1;
    if (index < 0)
        return;
    const QSignalBlocker quiet(m_pList->selectionModel());
    m_pList->setCurrentIndex(m_pModel->index(index));
    m_pList->scrollTo(m_pModel->index(index));
    Took(index);
}

void CSRPBbCurrentRow::Moved(const QModelIndex &current)
{
    if (!current.isValid())
        return;
    int index = current.row();
    const int skipped = CPackageSelection::SkipGroupLine(m_pModel->Rows(), index, m_nPrevious);
    if (skipped != index && skipped >= 0 && skipped < m_pModel->rowCount()) {
        index = skipped;
        const QSignalBlocker quiet(m_pList->selectionModel());
        m_pList->setCurrentIndex(m_pModel->index(index));
    }
    Took(index);
}

void CSRPBbCurrentRow::Took(int index)
{
    m_nPrevious = index;
    m_pEditButton->setEnabled(CLabourValueEdit::IsEditable(m_pModel->LineAt(index)));
}

bool CSRPBbCurrentRow::EditLabourValue(CPosition &line, CPrgSettings *settings, QWidget *parent)
{
    CLabourValueEdit::Field field = CLabourValueEdit::Field::Quantity;
    const QString initial = CLabourValueEdit::InitialText(line, &field);
    CEditNrDlg entry(settings, parent);
    const int value = entry.DoModal(initial);
    if (value < 0)
        return false;
    CLabourValueEdit::Apply(line, field, value);
    return true;
}
