#include "packages/SRPBbCurrentRow.h"

#include "common/EditNrDlg.h"
#include "common/OwnBearbLB.h"
#include "packages/SRPBbRowModel.h"
#include "packages/edit/LabourValueEdit.h"
#include "packages/edit/PackageSelection.h"
#include "packages/model/Position.h"

#include <QItemSelectionModel>
#include <QScopedValueRollback>

CSRPBbCurrentRow::~CSRPBbCurrentRow()
{
    // The list may outlive its window's members while the window goes.
    QObject::disconnect(m_following);
    QObject::disconnect(m_highlighting);
}

void CSRPBbCurrentRow::Attach(COwnBearbLB *list, CSRPBbRowModel *model, QWidget *editButton)
{
    m_pList = list;
    m_pModel = model;
    m_pEditButton = editButton;
    QObject::disconnect(m_following);
    QObject::disconnect(m_highlighting);
    QItemSelectionModel *selection = list->selectionModel();
    m_following = QObject::connect(selection, &QItemSelectionModel::currentChanged, list,
                                   [this](const QModelIndex &current) { Moved(current); });
    m_highlighting = QObject::connect(selection, &QItemSelectionModel::selectionChanged, list,
                                      [this] { KeepHighlightOnCurrent(); });
}

void CSRPBbCurrentRow::Show(const CPosition *current)
{
    int index = m_pModel->IndexOf(current);
    if (index < 0)
        index = m_nPrevious >= 0 && m_nPrevious < m_pModel->rowCount() ? m_nPrevious : -1;
    if (index < 0)
        return;
    StepTo(index);
    m_pList->scrollTo(m_pModel->index(index));
}

void CSRPBbCurrentRow::Moved(const QModelIndex &current)
{
    if (!current.isValid())
        return;
    int index = current.row();
    if (!m_bStepping) {
        const int skipped = CPackageSelection::SkipGroupLine(m_pModel->Rows(), index, m_nPrevious);
        if (skipped != index && skipped >= 0 && skipped < m_pModel->rowCount()) {
            index = skipped;
            StepTo(index);
        }
    }
    Took(index);
}

void CSRPBbCurrentRow::StepTo(int index)
{
    // The list hears of the step (it repaints both rows); the step itself is
    // never stepped over again, even onto a second group line.
    const QScopedValueRollback<bool> stepping(m_bStepping, true);
    m_pList->selectionModel()->setCurrentIndex(m_pModel->index(index),
                                               QItemSelectionModel::ClearAndSelect);
    Took(index);
}

void CSRPBbCurrentRow::KeepHighlightOnCurrent()
{
    // A key or a click selects the row it reached after the current row has
    // stepped over the group line there: the highlight goes back to the
    // current row, the one the keys go on from and the buttons act on.
    QItemSelectionModel *selection = m_pList->selectionModel();
    const QModelIndex current = selection->currentIndex();
    if (m_bStepping || !current.isValid() || selection->isSelected(current))
        return;
    const QScopedValueRollback<bool> stepping(m_bStepping, true);
    selection->select(current, QItemSelectionModel::ClearAndSelect);
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
