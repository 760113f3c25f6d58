#pragma once
// The rows one list of the package page shows (the rows of one level, or
// the path of rows opened on the way down). The rows belong to the page's
// package list; the model only borrows them, in display order.

#include "packages/list/PackageRow.h"

#include <QAbstractListModel>

#include <vector>

class CSRPWlRowModel : public QAbstractListModel
{
    Q_OBJECT
public:
    enum Roles
    {
        RowRole = Qt::UserRole + 1, // const CPackageRow*
    };

    explicit CSRPWlRowModel(QObject *parent = nullptr);

    // Shows these rows from now on (the list forgets its selection).
    void SetRows(std::vector<CPackageRow *> rows);
    const std::vector<CPackageRow *> &Rows() const { return m_rows; }
    CPackageRow *RowAt(int index) const;
    // The index of the row, -1 when it is not shown.
    int IndexOf(const CPackageRow *row) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    // DisplayRole: the row's number or key and its title, as a line of text.
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    std::vector<CPackageRow *> m_rows;
};

Q_DECLARE_METATYPE(const CPackageRow *)
