#include "app/EReiheModel.h"

#include "app/EReiheEntry.h"

CEReiheModel::CEReiheModel(QObject *parent) : QAbstractListModel(parent)
{
}

int CEReiheModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

const CEReiheEntry *CEReiheModel::EntryAt(int row) const
{
    return row >= 0 && row < m_entries.size() ? m_entries.at(row) : nullptr;
}

QVariant CEReiheModel::data(const QModelIndex &index, int role) const
{
    const CEReiheEntry *entry = EntryAt(index.row());
    if (!index.isValid() || !entry)
        return QVariant();
    const bool heading = entry->nKind == CEReiheEntry::KindSeparator;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return heading ? entry->strSeparator : entry->strEReihe;
    case EntryRole:
        return QVariant::fromValue(entry);
    case KindRole:
        return entry->nKind;
    case SeriesRole:
        return heading ? QString() : entry->strEReihe;
    default:
        return QVariant();
    }
}

Qt::ItemFlags CEReiheModel::flags(const QModelIndex &index) const
{
    const CEReiheEntry *entry = EntryAt(index.row());
    if (!entry || entry->nKind != CEReiheEntry::KindSeries)
        return Qt::NoItemFlags; // headings are never chosen
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

void CEReiheModel::SetEntries(const QList<const CEReiheEntry *> &entries)
{
    beginResetModel();
    m_entries = entries;
    endResetModel();
}

void CEReiheModel::Append(const CEReiheEntry *entry)
{
    const int row = int(m_entries.size());
    beginInsertRows(QModelIndex(), row, row);
    m_entries.append(entry);
    endInsertRows();
}

void CEReiheModel::Clear()
{
    SetEntries({});
}
