#pragma once
// The items of the model-series combo: borrowed entries of the model-series
// list, in the order the combo shows them.

#include <QAbstractListModel>
#include <QList>

struct CEReiheEntry;

class CEReiheModel : public QAbstractListModel
{
    Q_OBJECT
public:
    enum Role
    {
        EntryRole = Qt::UserRole + 1, // const CEReiheEntry*
        KindRole,                     // CEReiheEntry::Kind
        SeriesRole,                   // model-series code (empty for headings)
    };

    explicit CEReiheModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    const CEReiheEntry *EntryAt(int row) const;
    void SetEntries(const QList<const CEReiheEntry *> &entries);
    void Append(const CEReiheEntry *entry);
    void Clear();

private:
    QList<const CEReiheEntry *> m_entries;
};

Q_DECLARE_METATYPE(const CEReiheEntry *)
