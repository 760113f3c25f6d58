#pragma once
// The rows of one list of the labour-value catalogue page (the level list
// or the path), as the view sees them. The rows belong to the walk and are
// complete when it shows them: drawing and measuring a row read nothing.

#include "catalogues/model/AwKatRow.h"

#include <QAbstractListModel>

#include <vector>

class CPrgSettings;

class CAwKatRowModel : public QAbstractListModel
{
public:
    enum Role
    {
        RowRole = Qt::UserRole + 1, // the row, a const CAwKatRow *
    };

    explicit CAwKatRowModel(QObject *parent = nullptr);

    // Shows these rows (of the walk, which keeps them alive) instead of
    // the ones before.
    void SetRows(const std::vector<CAwKatRow *> &rows);
    CAwKatRow *RowAt(int index) const;

    // The row of an index of a list showing this model; null for any other.
    static CAwKatRow *RowOf(const QModelIndex &index);

    // Grey text: groups of the level list and labour positions of a
    // catalogue that shows values per lead type while the vehicle has none.
    static bool GreyText(const CPrgSettings &settings, int type, bool levelList);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    std::vector<CAwKatRow *> m_rows;
};

Q_DECLARE_METATYPE(const CAwKatRow *)
