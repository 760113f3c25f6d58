#pragma once
// The rows of the basket list: one row per entry of the basket's entry
// list, in its order, the entry itself as the row's data. The model keeps
// the entries it shows and, when told that the entry list changed, tells
// the list only what changed (an entry added, replaced, removed or moved),
// so that the list measures and repaints those rows alone.

#include <QAbstractListModel>

#include <vector>

class CWKList;
class CWKListItem;

class CWkListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    enum Roles
    {
        EntryRole = Qt::UserRole + 1, // const CWKListItem*
    };

    // The entry list is borrowed and outlives the model.
    explicit CWkListModel(const CWKList *entries, QObject *parent = nullptr);

    // Brings the rows in line with the entry list.
    void Sync();
    // The entry of the row was changed in place: the row is measured and
    // painted again.
    void EntryChanged(int row);
    CWKListItem *EntryAt(int row) const;
    // The row of this very entry; -1 when it is not shown.
    int RowOf(const CWKListItem *entry) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    // DisplayRole: the entry's number (for accessibility and tests).
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    const CWKList *m_pEntries;
    std::vector<CWKListItem *> m_rows;
};

Q_DECLARE_METATYPE(const CWKListItem *)
