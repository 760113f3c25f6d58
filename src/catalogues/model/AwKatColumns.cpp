#include "catalogues/model/AwKatColumns.h"

#include "platform/db/YaqDb.h"
#include "settings/PrgSettings.h"

#include <algorithm>

void CAwKatColumns::SetSlots(std::vector<CAwKatColumnSlot> columns)
{
    m_slots = std::move(columns);
    m_nFirst = 0;
}

void CAwKatColumns::SetAvailableWidth(int width, int columnWidth)
{
    m_nVisible = columnWidth > 0 ? std::max(1, width / columnWidth) : 1;
    SetFirst(m_nFirst);
}

int CAwKatColumns::Maximum() const
{
    return std::max(0, Count() - m_nVisible);
}

int CAwKatColumns::SetFirst(int first)
{
    m_nFirst = std::clamp(first, 0, Maximum());
    return m_nFirst;
}

int CAwKatColumns::ShownCount() const
{
    return std::max(0, std::min(m_nVisible, Count() - m_nFirst));
}

const CAwKatColumnSlot *CAwKatColumns::ShownSlot(int place) const
{
    if (place < 0 || place >= ShownCount())
        return nullptr;
    return &m_slots[size_t(m_nFirst + place)];
}

CatalogueAnswer<std::vector<CAwKatColumnSlot>>
CAwKatColumns::ReadCatalogueColumns(const CPrgSettings &settings, CYaqDb *db)
{
    CatalogueAnswer<std::vector<CAwKatColumnSlot>> answer;
    if (!db)
        return answer;
    const int failures = db->Failures();
    std::vector<CAwKatColumnSlot> &columns = answer.value;
    CAwKatSpalteData rec;
    rec.Init();
    rec.m_strKatBstNr = settings.KatalogKey;
    rec.m_strTypNr = settings.Bestellnr.trimmed();
    for (int ok = db->ReadAwKatSpalteDataOnSpBez(rec); ok; ok = db->ReadNext()) {
        rec.TrimData();
        const QString leadType = rec.m_strLTyp.trimmed();
        const int column = rec.m_strSpNr.trimmed().toInt() - 1;
        if (leadType.isEmpty() || column < 0)
            continue;
        const bool known =
            std::any_of(columns.begin(), columns.end(),
                        [&](const CAwKatColumnSlot &s) { return s.TypeKey == leadType; });
        if (!known)
            columns.push_back({leadType, column});
    }
    db->CloseStmt();
    if (FailedSince(db, failures))
        answer = {{}, true};
    return answer;
}

CatalogueAnswer<int> CAwKatColumns::ColumnOfLeadType(const CPrgSettings &settings, CYaqDb *db,
                                                     const QString &leadType)
{
    const auto columns = ReadCatalogueColumns(settings, db);
    for (const CAwKatColumnSlot &slot : columns.value) {
        if (slot.TypeKey == leadType.trimmed())
            return {slot.Column, false};
    }
    return {-1, columns.failed};
}
