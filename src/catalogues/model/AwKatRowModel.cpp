#include "catalogues/model/AwKatRowModel.h"

#include "common/readers/CatalogueColumn.h"
#include "settings/PrgSettings.h"

CAwKatRowModel::CAwKatRowModel(QObject *parent) : QAbstractListModel(parent)
{
}

void CAwKatRowModel::SetRows(const std::vector<CAwKatRow *> &rows)
{
    beginResetModel();
    m_rows = rows;
    endResetModel();
}

CAwKatRow *CAwKatRowModel::RowAt(int index) const
{
    return index >= 0 && size_t(index) < m_rows.size() ? m_rows[size_t(index)] : nullptr;
}

CAwKatRow *CAwKatRowModel::RowOf(const QModelIndex &index)
{
    const auto *model = dynamic_cast<const CAwKatRowModel *>(index.model());
    return model && index.isValid() ? model->RowAt(index.row()) : nullptr;
}

bool CAwKatRowModel::GreyText(const CPrgSettings &s, int type, bool levelList)
{
    const bool noLeadType = s.LeadTyp.trimmed().isEmpty();
    const bool noModel = s.ModellBez == kNoModelDesignation;
    const bool byVehicleOnly = s.bAltKatalog || s.nKatalogFlag == 1;
    if (type == AW_SUBGROUP || type == AW_THIRD_LEVEL)
        return levelList && !s.bAltKatalog && s.nKatalogFlag == 0 && !noModel && noLeadType;
    if (type == AW_POSITION)
        return noLeadType && (!noModel || byVehicleOnly);
    return false;
}

int CAwKatRowModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant CAwKatRowModel::data(const QModelIndex &index, int role) const
{
    const CAwKatRow *row = index.isValid() ? RowAt(index.row()) : nullptr;
    if (!row)
        return QVariant();
    // Nothing but the row: the delegate draws it, and the list's keyboard
    // search finds no text to jump to.
    return role == RowRole ? QVariant::fromValue(row) : QVariant();
}
