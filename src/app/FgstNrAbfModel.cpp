#include "app/FgstNrAbfModel.h"

#include <QVariant>

CFgstNrAbfModel::CFgstNrAbfModel(QObject *parent) : QAbstractListModel(parent)
{
}

int CFgstNrAbfModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_hits.size();
}

QVariant CFgstNrAbfModel::data(const QModelIndex &index, int role) const
{
    const CFgstNrAbfZeile *hit = index.isValid() ? HitAt(index.row()) : nullptr;
    if (!hit)
        return QVariant();
    switch (role) {
    case KindRole:
        return hit->nKind;
    case Qt::DisplayRole:
    case VinRole:
        return hit->strFgstNr;
    case Text1Role:
        return hit->strText1;
    case Text2Role:
        return hit->strText2;
    case Text3Role:
        return hit->strText3;
    default:
        return QVariant();
    }
}

void CFgstNrAbfModel::SetHits(const QList<CFgstNrAbfZeile> &hits)
{
    beginResetModel();
    m_hits = hits;
    endResetModel();
}

const CFgstNrAbfZeile *CFgstNrAbfModel::HitAt(int row) const
{
    return row >= 0 && row < m_hits.size() ? &m_hits.at(row) : nullptr;
}
