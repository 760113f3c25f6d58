#include "packages/SRPWlRowModel.h"

#include "packages/list/PackageRowText.h"

#include <algorithm>

CSRPWlRowModel::CSRPWlRowModel(QObject *parent) : QAbstractListModel(parent)
{
}

void CSRPWlRowModel::SetRows(std::vector<CPackageRow *> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

CPackageRow *CSRPWlRowModel::RowAt(int index) const
{
    return index >= 0 && index < int(m_rows.size()) ? m_rows[size_t(index)] : nullptr;
}

int CSRPWlRowModel::IndexOf(const CPackageRow *row) const
{
    if (!row)
        return -1;
    const auto it = std::find(m_rows.begin(), m_rows.end(), row);
    return it == m_rows.end() ? -1 : int(it - m_rows.begin());
}

int CSRPWlRowModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant CSRPWlRowModel::data(const QModelIndex &index, int role) const
{
    const CPackageRow *row = RowAt(index.row());
    if (!row || index.parent().isValid())
        return {};
    if (role == RowRole)
        return QVariant::fromValue(row);
    if (role != Qt::DisplayRole)
        return {};
    const CPackageRowText text = PackageRowText(*row, false);
    if (!text.numberParts.isEmpty())
        return QStringList{text.numberParts.join(QString()), text.textBlock.section('\n', 0, 0)}
            .join(QLatin1Char(' '));
    QStringList parts = text.keys;
    parts << text.title;
    return parts.join(QLatin1Char(' ')).trimmed();
}
