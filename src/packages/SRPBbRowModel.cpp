#include "packages/SRPBbRowModel.h"

#include "packages/model/Position.h"

#include <algorithm>

CSRPBbRowModel::CSRPBbRowModel(QObject *parent) : QAbstractListModel(parent)
{
}

void CSRPBbRowModel::SetRows(std::vector<CPosition *> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

CPosition *CSRPBbRowModel::LineAt(int index) const
{
    return index >= 0 && index < int(m_rows.size()) ? m_rows[size_t(index)] : nullptr;
}

int CSRPBbRowModel::IndexOf(const CPosition *line) const
{
    if (!line)
        return -1;
    const auto it = std::find(m_rows.begin(), m_rows.end(), line);
    return it == m_rows.end() ? -1 : int(it - m_rows.begin());
}

void CSRPBbRowModel::LinesChanged()
{
    if (!m_rows.empty())
        emit dataChanged(index(0), index(int(m_rows.size()) - 1));
}

int CSRPBbRowModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant CSRPBbRowModel::data(const QModelIndex &index, int role) const
{
    const CPosition *line = LineAt(index.row());
    if (!line || index.parent().isValid())
        return {};
    if (role == LineRole)
        return QVariant::fromValue(line);
    if (role != Qt::DisplayRole)
        return {};
    switch (line->Type) {
    case POS_SPECIAL1:
        return (line->HG + QLatin1Char(' ') + line->HGText).trimmed();
    case POS_GROUP:
        return line->BefundText;
    case POS_PART:
        return (line->Number + QLatin1Char(' ') + line->TeileText).trimmed();
    default:
        return (line->Number + QLatin1Char(' ') + line->AwText1).trimmed();
    }
}
