#include "app/KatAuswahlModel.h"

#include "app/EReiheEntry.h"
#include "app/EReiheList.h"

#include <QVariant>

namespace {
// Model ranges of the maker that are named by their letter alone, without
// the "er" suffix of the other ranges (the Arvo's "A", the Bento's "B", the
// Cirro's "C").
const QStringList kPlainRanges = {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")};
} // namespace

CKatAuswahlModel::CKatAuswahlModel(QObject *parent) : QAbstractListModel(parent)
{
}

int CKatAuswahlModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_entries.size();
}

QVariant CKatAuswahlModel::data(const QModelIndex &index, int role) const
{
    const CEReiheEntry *e = EntryAt(index.row());
    if (!index.isValid() || !e)
        return QVariant();
    switch (role) {
    case EntryRole:
        return QVariant::fromValue(static_cast<const void *>(e));
    case KindRole:
        return e->nKind;
    case Qt::DisplayRole:
    case SeriesRole:
        return e->strEReihe;
    case MarketRole:
        return MarketText(*e);
    case RangeRole:
        return RangeText(*e);
    case SeparatorRole:
        return e->strSeparator;
    default:
        return QVariant();
    }
}

void CKatAuswahlModel::Fill(const CEReiheList *list, const QString &seriesCode)
{
    beginResetModel();
    m_entries.clear();
    for (int i = 0; list && i < list->Count(); ++i) {
        const CEReiheEntry *e = list->At(i);
        if (e && e->nKind == CEReiheEntry::KindSeries && e->strEReihe == seriesCode)
            m_entries.append(e);
    }
    endResetModel();
}

const CEReiheEntry *CKatAuswahlModel::EntryAt(int row) const
{
    return row >= 0 && row < m_entries.size() ? m_entries.at(row) : nullptr;
}

int CKatAuswahlModel::RowOfTypNr(const QString &typNr) const
{
    for (int i = 0; i < m_entries.size(); ++i) {
        if (m_entries.at(i)->strTypNr == typNr)
            return i;
    }
    return -1;
}

QString CKatAuswahlModel::MarketText(const CEReiheEntry &e)
{
    const QString suffix = e.strMarktZusatz;
    if (suffix.isEmpty() || suffix == QLatin1String(" "))
        return e.strLand;
    return e.strLand + QLatin1Char('/') + suffix;
}

QString CKatAuswahlModel::RangeText(const CEReiheEntry &e)
{
    const QString range = e.strBaureihe;
    if (range.isEmpty() || range == QLatin1String(" "))
        return QString();
    if (kPlainRanges.contains(range))
        return range;
    return range + QStringLiteral("er");
}
