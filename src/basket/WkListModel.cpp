#include "basket/WkListModel.h"

#include "basket/model/WKList.h"

CWkListModel::CWkListModel(const CWKList *entries, QObject *parent)
    : QAbstractListModel(parent), m_pEntries(entries)
{
}

void CWkListModel::Sync()
{
    std::vector<CWKListItem *> now;
    now.reserve(size_t(m_pEntries->GetCount()));
    for (const auto &entry : *m_pEntries)
        now.push_back(entry.get());

    // What stayed at the start and at the end is left alone; only the part
    // between is announced as changed, inserted or removed.
    size_t head = 0;
    while (head < now.size() && head < m_rows.size() && now[head] == m_rows[head])
        ++head;
    size_t tail = 0;
    while (tail < now.size() - head && tail < m_rows.size() - head &&
           now[now.size() - 1 - tail] == m_rows[m_rows.size() - 1 - tail])
        ++tail;
    const int oldEnd = int(m_rows.size() - tail);
    const int newEnd = int(now.size() - tail);
    const int first = int(head);
    if (oldEnd == first && newEnd == first)
        return;
    if (oldEnd - first == newEnd - first) {
        // Replaced or moved in place: the rows stay, their contents differ.
        m_rows = std::move(now);
        emit dataChanged(index(first), index(newEnd - 1));
        return;
    }
    if (oldEnd > first) {
        beginRemoveRows(QModelIndex(), first, oldEnd - 1);
        m_rows.erase(m_rows.begin() + first, m_rows.begin() + oldEnd);
        endRemoveRows();
    }
    if (newEnd > first) {
        beginInsertRows(QModelIndex(), first, newEnd - 1);
        m_rows.insert(m_rows.begin() + first, now.begin() + first, now.begin() + newEnd);
        endInsertRows();
    }
}

void CWkListModel::EntryChanged(int row)
{
    if (row >= 0 && row < int(m_rows.size()))
        emit dataChanged(index(row), index(row));
}

CWKListItem *CWkListModel::EntryAt(int row) const
{
    return row >= 0 && row < int(m_rows.size()) ? m_rows[size_t(row)] : nullptr;
}

int CWkListModel::RowOf(const CWKListItem *entry) const
{
    for (size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i] == entry)
            return int(i);
    return -1;
}

int CWkListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant CWkListModel::data(const QModelIndex &index, int role) const
{
    const CWKListItem *entry = EntryAt(index.row());
    if (!entry || index.parent().isValid())
        return {};
    if (role == EntryRole)
        return QVariant::fromValue(entry);
    if (role == Qt::DisplayRole)
        return entry->Number();
    return {};
}
