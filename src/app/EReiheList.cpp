#include "app/EReiheList.h"

#include <QSet>

const QString CEReiheList::kHiddenSeries = QStringLiteral("Z00");
const QString CEReiheList::kBlockedBrand = QStringLiteral("TK");
const QString CEReiheList::kAltBrand = QStringLiteral("VQ");

QString CEReiheList::AltSeparatorText()
{
    return QStringLiteral("VOQ Klassik-Baureihen");
}

const CEReiheEntry *CEReiheList::At(int index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return m_entries[static_cast<size_t>(index)].get();
}

namespace {
bool IsFSeries(const CEReiheEntry &entry)
{
    return entry.strEReihe.startsWith(QLatin1Char('F'));
}
} // namespace

bool CEReiheList::AddCatalogueRow(const CEReiheEntry &row, const BrandCheck &dealerServes)
{
    if (row.strMarke == kBlockedBrand || row.strEReihe == kHiddenSeries)
        return false;
    if (dealerServes && !dealerServes(row.strMarke))
        return false;
    auto entry = std::make_unique<CEReiheEntry>(row);
    entry->nKind = CEReiheEntry::KindSeries;
    entry->strSeparator.clear();

    auto at = m_entries.end();
    if (IsFSeries(*entry)) {
        for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
            if ((*it)->nKind == CEReiheEntry::KindSeries && !IsFSeries(**it)) {
                at = it;
                break;
            }
        }
    }
    m_entries.insert(at, std::move(entry));
    return true;
}

void CEReiheList::AddAlternativeRows(const QList<CAltSeriesRow> &rows)
{
    if (rows.isEmpty())
        return;
    auto heading = std::make_unique<CEReiheEntry>();
    heading->nKind = CEReiheEntry::KindSeparator;
    heading->strSeparator = AltSeparatorText();
    m_entries.push_back(std::move(heading));

    // The numbered series of the older range share one entry: the last of
    // them stands for all.
    CEReiheEntry shared;
    shared.nKind = CEReiheEntry::KindSeries;
    for (const CAltSeriesRow &row : rows) {
        const QString series = row.strEReihe.trimmed();
        const QChar first = series.isEmpty() ? QChar() : series.at(0);
        CEReiheEntry entry;
        entry.nKind = CEReiheEntry::KindSeries;
        entry.strTypNr = row.strTypNr.trimmed();
        entry.strEReihe = series;
        entry.strMarke = kAltBrand;
        if (first >= QLatin1Char('1') && first <= QLatin1Char('9'))
            shared = entry;
        else
            m_entries.push_back(std::make_unique<CEReiheEntry>(entry));
    }
    if (!shared.strEReihe.isEmpty())
        m_entries.push_back(std::make_unique<CEReiheEntry>(shared));
}

QList<const CEReiheEntry *> CEReiheList::ComboEntries() const
{
    QList<const CEReiheEntry *> result;
    QSet<QString> seen;
    for (const auto &entry : m_entries) {
        if (entry->nKind == CEReiheEntry::KindSeries) {
            if (seen.contains(entry->strEReihe))
                continue;
            seen.insert(entry->strEReihe);
        }
        result.append(entry.get());
    }
    return result;
}

int CEReiheList::CountSeries(const QString &code) const
{
    int count = 0;
    for (const auto &entry : m_entries) {
        if (entry->nKind == CEReiheEntry::KindSeries && entry->strEReihe == code)
            ++count;
    }
    return count;
}
