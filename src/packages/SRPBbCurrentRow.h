#pragma once
// The adviser's current row in the position list of a package (the package
// editing page, the optional sub-package dialog): after the list is filled
// anew it is the selection's current line, else the row it was on; moving
// onto a group line steps over it in the direction of travel; and
// "AW - Editieren" is open only while the current line's labour value can
// be edited.

#include <QMetaObject>

class COwnBearbLB;
class CPosition;
class CPrgSettings;
class CSRPBbRowModel;
class QModelIndex;
class QWidget;

class CSRPBbCurrentRow
{
public:
    CSRPBbCurrentRow() = default;
    ~CSRPBbCurrentRow();
    CSRPBbCurrentRow(const CSRPBbCurrentRow &) = delete;
    CSRPBbCurrentRow &operator=(const CSRPBbCurrentRow &) = delete;

    // The list, its model and the edit button, borrowed; follows the list's
    // current row from now on.
    void Attach(COwnBearbLB *list, CSRPBbRowModel *model, QWidget *editButton);
    // A new package: no row before.
    void Forget() { m_nPrevious = -1; }
    // After the list was filled: current where the list shows it, else the
    // row before while the list has it, made current and scrolled to.
    void Show(const CPosition *current);

    // "AW - Editieren" on a line: its labour value (or quantity) typed anew;
    // true when a value was applied, false when the adviser left it as it
    // was or emptied it.
    static bool EditLabourValue(CPosition &line, CPrgSettings *settings, QWidget *parent);

private:
    void Moved(const QModelIndex &current);
    // Makes the row current and highlighted, as the list shows it.
    void StepTo(int index);
    void KeepHighlightOnCurrent();
    void Took(int index);

    COwnBearbLB *m_pList = nullptr;
    CSRPBbRowModel *m_pModel = nullptr;
    QWidget *m_pEditButton = nullptr;
    int m_nPrevious = -1;
    bool m_bStepping = false;
    QMetaObject::Connection m_following;
    QMetaObject::Connection m_highlighting;
};
