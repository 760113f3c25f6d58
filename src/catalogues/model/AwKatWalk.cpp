#include "catalogues/model/AwKatWalk.h"

#include "catalogues/model/AwKatLevelRows.h"

#include "common/readers/CatalogueCache.h"
#include "common/readers/CatalogueColumn.h"
#include "packages/model/Position.h"
#include "platform/OrmelText.h"
#include "platform/db/CatalogueFailure.h"
#include "platform/db/DbReadScope.h"
#include "platform/db/YaqDb.h"
#include "settings/PrgSettings.h"

#include <QScopeGuard>

#include <algorithm>
#include <utility>

namespace {

// The range of a main group: every catalogue line of it.
const QString kFirstLine = QStringLiteral("0000");
const QString kLastLine = QStringLiteral("9999");

// The lines that are not empty, separated by "\r\n": the line itself
// (no copy) where there is one.
QString NonEmptyLines(const QString *const *from, const QString *const *to)
{
    QString text;
    for (; from != to; ++from) {
        if ((*from)->isEmpty())
            continue;
        if (!text.isEmpty())
            text += QLatin1String("\r\n");
        text += **from;
    }
    return text;
}

// The display text: the first line, then each further line that is not
// empty.
void SetTextLines(CAwKatRow *row, const QString &first, const QString &second, const QString &third,
                  const QString &fourth)
{
    const QString *more[] = {&second, &third, &fourth};
    row->TextFirst = first;
    row->TextMore = NonEmptyLines(more, more + 3);
}

// The bracket text begins with its first line that is not empty.
void SetBracketLines(CAwKatRow *row, const QString &first, const QString &second,
                     const QString &third, const QString &fourth)
{
    const QString *lines[] = {&first, &second, &third, &fourth};
    int from = 0;
    while (from < 4 && lines[from]->isEmpty())
        ++from;
    row->BracketFirst = from < 4 ? *lines[from] : QString();
    row->SetBracketMore(from < 3 ? NonEmptyLines(lines + from + 1, lines + 4) : QString());
}

// Catalogue texts carry line breaks as the two characters "\n".
QString WithLineBreaks(QString text)
{
    text.replace(QStringLiteral("\\n"), QStringLiteral("\r\n"));
    text.replace(QStringLiteral("\r\r\n"), QStringLiteral("\n"));
    return text;
}

bool IsSevenDigits(const QString &apNr)
{
    return apNr.size() == 7 &&
           std::all_of(apNr.begin(), apNr.end(), [](QChar c) { return c.isDigit(); });
}

} // namespace

CAwKatWalk::CAwKatWalk(CPrgSettings *settings, CYaqDb *catalogueDb, CYaqDb *valueDb,
                       CYaqDb *thirdDb)
    : m_pSettings(settings), m_pCatalogueDb(catalogueDb), m_pValueDb(valueDb), m_pThirdDb(thirdDb)
{
}

CAwKatWalk::~CAwKatWalk() = default;

// A step of the user: its reads in one read transaction on the walk's
// connections.
class CAwKatWalk::CStep
{
public:
    explicit CStep(CAwKatWalk &walk)
        : m_scope({walk.m_pCatalogueDb, walk.m_pValueDb, walk.m_pThirdDb}, &walk.m_nStepDepth)
    {
    }

private:
    CDbReadScope m_scope;
};

// The walk over the positions' validity that the walk's questions take
// while a level is read or filled; the one before comes back at the end.
class CAwKatWalk::CValidityScope
{
public:
    CValidityScope(CAwKatWalk *walk, CAPosValidityWalk *validity)
        : m_walk(walk), m_outer(std::exchange(walk->m_pValidity, validity))
    {
    }
    ~CValidityScope() { m_walk->m_pValidity = m_outer; }
    CValidityScope(const CValidityScope &) = delete;
    CValidityScope &operator=(const CValidityScope &) = delete;

private:
    CAwKatWalk *m_walk;
    CAPosValidityWalk *m_outer;
};

CCatalogueCache &CAwKatWalk::Cache() const
{
    return m_pSettings && m_pSettings->bLocalDataSet ? m_walkCache : CatalogueCache();
}

bool CAwKatWalk::ReadsStandardCatalogue() const
{
    return m_pSettings && m_pCatalogueDb && !m_pSettings->bAltKatalog && !m_pSettings->nKatalogFlag;
}

bool CAwKatWalk::ReadsAlternativeCatalogue() const
{
    return m_pSettings && m_pCatalogueDb && m_pSettings->bAltKatalog;
}

CAwKatRow *CAwKatWalk::Current(int level) const
{
    return level >= 1 && level <= 4 ? m_current[level] : nullptr;
}

void CAwKatWalk::SetCurrent(int level, CAwKatRow *row)
{
    if (level < 1 || level > 4)
        return;
    m_current[level] = row;
    if (level == AW_POSITION && row && m_pSettings) {
        m_pSettings->AktApNr = row->Number;
        m_pSettings->KatZeile = row->RangeFrom();
    }
}

int CAwKatWalk::SelectedIndex() const
{
    const CAwKatRow *current = Current(m_nShownLevel);
    const auto found = std::find(m_shown.begin(), m_shown.end(), current);
    return found == m_shown.end() ? -1 : int(found - m_shown.begin());
}

std::vector<CAwKatRow *> CAwKatWalk::RowsOf(int level) const
{
    std::vector<CAwKatRow *> rows;
    RowsOf(level, &rows);
    return rows;
}

void CAwKatWalk::RowsOf(int level, std::vector<CAwKatRow *> *rows) const
{
    rows->clear();
    if (level < AW_MAIN_GROUP || level > AW_POSITION)
        return;
    const CAwKatRowStore &store = m_rows[level];
    rows->reserve(store.Size());
    for (size_t i = 0; i < store.Size(); ++i)
        rows->push_back(store.At(i));
}

CAwKatRow *CAwKatWalk::NewRow(int type)
{
    CAwKatRow *row = m_rows[type].Add();
    row->Type = type;
    return row;
}

CAwKatRow *CAwKatWalk::NewRowOfLevel(int type, bool *any)
{
    CAwKatRow *row = NewRow(type);
    if (!*any)
        m_current[type] = row;
    *any = true;
    return row;
}

int CAwKatWalk::ShowReadLevel(int type, bool any)
{
    m_pCatalogueDb->CloseStmt();
    if (any)
        FillLevel(type, false);
    return any ? 1 : 0;
}

void CAwKatWalk::TrimPath(int level)
{
    const auto first = std::find_if(m_path.begin(), m_path.end(),
                                    [level](const CAwKatRow *row) { return row->Type >= level; });
    m_path.erase(first, m_path.end());
}

void CAwKatWalk::DropRows(int level)
{
    TrimPath(level);
    for (int l = std::max(level, 1); l <= 4; ++l)
        m_current[l] = nullptr;
    m_shown.erase(std::remove_if(m_shown.begin(), m_shown.end(),
                                 [level](const CAwKatRow *row) { return row->Type >= level; }),
                  m_shown.end());
    for (int l = std::max(level, 1); l <= 4; ++l)
        m_rows[l].Clear();
}

QString CAwKatWalk::GroupKeyOf(const CAwKatRow *row) const
{
    // Below a third-level row the positions belong to the main group of
    // their own number.
    if (m_current[AW_SUBGROUP] && m_current[AW_THIRD_LEVEL])
        return row->Number.left(2);
    return row->Key;
}

// --- levels -------------------------------------------------------------------------------

int CAwKatWalk::Failures() const
{
    return FailuresOf({m_pCatalogueDb, m_pValueDb, m_pThirdDb});
}

int CAwKatWalk::ReadMainGroups()
{
    const int failures = Failures();
    const int read = ReadMainGroupRows();
    m_bReadFailed = Failures() != failures;
    if (!m_bReadFailed)
        return read;
    // What the reads that went well found is no catalogue of the vehicle.
    DropRows(AW_MAIN_GROUP);
    m_shown.clear();
    m_nShownLevel = 0;
    if (m_notice)
        m_notice(kTextCatalogueUnreachable);
    return 0;
}

int CAwKatWalk::ReadMainGroupRows()
{
    const CStep step(*this);
    // A walk from the top reads the local catalogue file anew.
    m_walkCache.Clear();
    DropRows(AW_MAIN_GROUP);
    m_shown.clear();
    m_nShownLevel = 0;
    if (ReadsAlternativeCatalogue())
        return ReadAltMainGroups();
    if (!ReadsStandardCatalogue())
        return 0;
    CAwKatHGData rec;
    rec.m_strKatBstNr = m_pSettings->KatalogKey;
    rec.m_strSprache = GetPrgSprache();
    rec.m_strTypNr = m_pSettings->Bestellnr.trimmed();
    QString previous;
    bool any = false;
    for (int ok = m_pCatalogueDb->ReadAwKatHGData(rec); ok; ok = m_pCatalogueDb->ReadNext()) {
        rec.TrimData();
        if (any && rec.m_strHG == previous)
            continue;
        previous = rec.m_strHG;
        CAwKatRow *row = NewRowOfLevel(AW_MAIN_GROUP, &any);
        row->Key = rec.m_strHG;
        row->SetRange(kFirstLine, kLastLine, kFirstLine, kLastLine);
        row->Number = rec.m_strHG;
        row->SetText(WithLineBreaks(rec.m_strText));
    }
    return ShowReadLevel(AW_MAIN_GROUP, any);
}

int CAwKatWalk::ReadSubGroups(CAwKatRow *mainGroup)
{
    if (!mainGroup || !ReadsStandardCatalogue())
        return 0;
    const CStep step(*this);
    DropRows(AW_SUBGROUP);
    CAwKatGroupData rec;
    rec.m_strKatBstNr = m_pSettings->KatalogKey;
    rec.m_strTypNr = m_pSettings->Bestellnr.trimmed();
    rec.m_strHG = mainGroup->Key;
    rec.m_strSprache = GetPrgSprache();
    bool any = false;
    for (int ok = m_pCatalogueDb->ReadAwKatSubGroupData(rec); ok; ok = m_pCatalogueDb->ReadNext()) {
        rec.TrimData();
        CAwKatRow *row = NewRowOfLevel(AW_SUBGROUP, &any);
        row->Key = mainGroup->Key;
        row->SetRange(rec.m_strVonZeile, rec.m_strBisZeile, rec.m_strVonZeile, rec.m_strBisZeile);
        row->Number = rec.m_strGruppe;
        row->SetText(WithLineBreaks(rec.m_strText));
    }
    return ShowReadLevel(AW_SUBGROUP, any);
}

int CAwKatWalk::ReadThirdLevel(CAwKatRow *parent)
{
    if (parent && ReadsAlternativeCatalogue())
        return ReadAltThirdLevel(parent);
    if (!parent || !ReadsStandardCatalogue())
        return 0;
    const CStep step(*this);
    DropRows(AW_THIRD_LEVEL);
    CAwKatGroupData rec;
    rec.m_strKatBstNr = m_pSettings->KatalogKey;
    rec.m_strTypNr = m_pSettings->Bestellnr.trimmed();
    rec.m_strHG = parent->Key;
    rec.m_strSprache = GetPrgSprache();
    bool any = false;
    for (int ok =
             m_pCatalogueDb->ReadAwKatThirdLevelData(rec, parent->RangeFrom(), parent->LineTo());
         ok; ok = m_pCatalogueDb->ReadNext()) {
        rec.TrimData();
        if (rec.m_strKennz != QLatin1String("N"))
            continue;
        CAwKatRow *row = NewRowOfLevel(AW_THIRD_LEVEL, &any);
        row->Key = parent->Key;
        row->SetRange(rec.m_strVonZeile, rec.m_strBisZeile, parent->RangeFrom(), parent->LineTo());
        row->Number = rec.m_strGruppe;
        row->SetText(WithLineBreaks(rec.m_strText));
    }
    return ShowReadLevel(AW_THIRD_LEVEL, any);
}

int CAwKatWalk::ReadPositions(CAwKatRow *parent)
{
    const CStep step(*this);
    if (parent && ReadsAlternativeCatalogue())
        return ReadAltPositions(parent);
    if (!parent || !ReadsStandardCatalogue())
        return 0;
    DropRows(AW_POSITION);
    const bool hasVin = !m_pSettings->Fgstnr.trimmed().isEmpty();
    CAwKatRow *current = nullptr;
    const CAwKatRow *previous = nullptr;
    // The headings of the level's joint and additional work, which its rows
    // point at.
    m_jointHeading = OrmelText(7000);
    m_extraHeading = OrmelText(7001);
    // Each position is asked whether it is valued for the vehicle while its
    // row is at hand, as it is read; the level's filter takes the answer.
    // Asked after the whole level was read, a large main group's rows had
    // left the processor's caches.
    const bool filtered = !m_pSettings->LeadTyp.trimmed().isEmpty();
    CAPosValidityWalk validity(Cache(), m_pSettings, m_pValueDb);
    const CValidityScope scope(this, &validity);
    auto addRow = [&](const CAwKatAPosData &r) {
        CAwKatRow *row = NewRow(AW_POSITION);
        row->Key = parent->Key;
        row->SetLine(r.m_strZeile);
        row->Number = r.m_strAPosNr;
        row->Code = r.m_strCode;
        row->Reference = r.m_strRef;
        SetTextLines(row, r.m_strText1, r.m_strText2, r.m_strText3, r.m_strText4);
        if (r.m_strKlammerKennz == QLatin1String("N"))
            SetBracketLines(row, r.m_strKText1, r.m_strKText2, r.m_strKText3, r.m_strKText4);
        // The variant string is as long as the catalogue has columns: a
        // column beyond it marks nothing.
        row->NotApplicable = m_nVehicleColumn >= 0 && m_nVehicleColumn < r.m_strVarianten.size() &&
                             r.m_strVarianten.at(m_nVehicleColumn) == QLatin1Char('U');
        if (r.m_strCode == QLatin1String("V"))
            row->HeadingText = &m_jointHeading;
        else if (r.m_strCode == QLatin1String("Z"))
            row->HeadingText = &m_extraHeading;
        row->FullSeparator = r.m_strTrenner == QLatin1String("J") ||
                             (QStringView(row->Number).mid(4) < QLatin1String("500") &&
                              row->Key != QLatin1String("99"));
        row->Leading = r.m_strCode.isEmpty() || r.m_strRef.isEmpty();
        const QString group = GroupKeyOf(row);
        if (m_pValueDb) {
            CAPosInfoData info;
            info.m_strKatBstNr = m_pSettings->KatalogKey;
            info.m_strAPosNr = row->Number;
            if (Cache().GetAPosInfo(m_pSettings, m_pValueDb, info, group)) {
                row->InfoText = info.m_strInfoText.trimmed();
                row->Info1 = info.m_strInfoNr.trimmed();
                row->Info2 = info.m_strInfoNr2.trimmed();
            }
            if (hasVin)
                row->PartsClearing =
                    Cache().GetTeileClearing(m_pSettings, m_pValueDb, row->Number, group);
        }
        row->PairMark = IsPairedWith(*row, previous) ? 1 : 0;
        if (filtered) {
            row->LeadsToValues = KeepPosition(row);
            row->ValidityRead = true;
        }
        previous = row;
        if (!current && row->LineFrom >= parent->LineFrom)
            current = row;
    };
    // The lookups per position ask the value connection: on a connection of
    // their own they run while the positions are read; on this one the
    // records are read whole first.
    const bool apart = m_pValueDb != m_pCatalogueDb;
    std::vector<CAwKatAPosData> records;
    CAwKatAPosData rec;
    rec.m_strKatBstNr = m_pSettings->KatalogKey;
    rec.m_strTypNr = m_pSettings->Bestellnr.trimmed();
    rec.m_strHG = parent->Key;
    rec.m_strSprache = GetPrgSprache();
    for (int ok = m_pCatalogueDb->ReadAwKatAPosData(rec, parent->RangeFrom(), parent->RangeTo());
         ok; ok = m_pCatalogueDb->ReadNext()) {
        rec.TrimData();
        if (rec.m_strSichtbar == QLatin1String("N") || rec.m_strSichtbar == QLatin1String("K"))
            continue;
        if (apart)
            addRow(rec);
        else
            records.push_back(rec);
    }
    m_pCatalogueDb->CloseStmt();
    for (const CAwKatAPosData &r : records)
        addRow(r);
    if (!previous)
        return 0;
    if (!current)
        current = m_rows[AW_POSITION].Back();
    SetCurrent(AW_POSITION, current);
    FillLevel(AW_POSITION, false);
    return 1;
}

// --- the alternative catalogue ----------------------------------------------------------
// Main groups, the second-level groups below them and the positions of a
// main group; no catalogue lines. Every row keeps its main group as key,
// the number the walk matches (main group, main group and group, position
// number).

int CAwKatWalk::ReadAltMainGroups()
{
    CAltAwKatHGData rec;
    rec.m_strTypNr = m_pSettings->Bestellnr.trimmed();
    rec.m_strSprache = GetPrgSprache();
    rec.m_strKatBstNr = m_pSettings->KatalogKey;
    bool any = false;
    for (int ok = m_pCatalogueDb->ReadAltAwKatHGList(rec); ok; ok = m_pCatalogueDb->ReadNext()) {
        rec.TrimData();
        CAwKatRow *row = NewRowOfLevel(AW_MAIN_GROUP, &any);
        row->Key = row->Number = rec.m_strHG;
        row->SetText(rec.m_strText);
    }
    return ShowReadLevel(AW_MAIN_GROUP, any);
}

int CAwKatWalk::ReadAltThirdLevel(CAwKatRow *parent)
{
    DropRows(AW_THIRD_LEVEL);
    CAltAwKatUGData rec;
    rec.m_strTypNr = m_pSettings->Bestellnr.trimmed();
    rec.m_strHG = parent->Key;
    rec.m_strSprache = GetPrgSprache();
    bool any = false;
    for (int ok = m_pCatalogueDb->ReadAltAwKatUGList(rec); ok; ok = m_pCatalogueDb->ReadNext()) {
        rec.TrimData();
        CAwKatRow *row = NewRowOfLevel(AW_THIRD_LEVEL, &any);
        row->Key = parent->Key;
        row->Number = parent->Key + rec.m_strUG;
        row->SetText(rec.m_strText1 + QLatin1Char(' ') + rec.m_strText2);
    }
    return ShowReadLevel(AW_THIRD_LEVEL, any);
}

int CAwKatWalk::ReadAltPositions(CAwKatRow *parent)
{
    DropRows(AW_POSITION);
    const QString group = parent->Number.left(2);
    std::vector<QString> numbers;
    CAltAwPosData rec;
    rec.m_strTypNr = m_pSettings->Bestellnr.trimmed();
    rec.m_strHG = group;
    for (int ok = m_pCatalogueDb->ReadAltAwPosData(rec); ok; ok = m_pCatalogueDb->ReadNext()) {
        rec.TrimData();
        numbers.push_back(group + rec.m_strUG + rec.m_strCode);
    }
    m_pCatalogueDb->CloseStmt();
    if (numbers.empty())
        return 0;

    const bool hasVin = !m_pSettings->Fgstnr.trimmed().isEmpty();
    // The positions from "500" on stand before the plain ones of their
    // group: a full-width rule marks where the plain ones begin.
    bool previousFrom500 = false;
    CAwKatRow *current = nullptr;
    for (const QString &number : numbers) {
        CAwKatRow *row = NewRow(AW_POSITION);
        row->Key = group;
        row->Number = number;
        row->Leading = 1;
        const bool from500 = number.mid(4) >= QLatin1String("500");
        row->FullSeparator = previousFrom500 && !from500 ? 1 : 0;
        previousFrom500 = from500;
        if (m_pValueDb) {
            CAPosInfoData info;
            info.m_strKatBstNr = m_pSettings->KatalogKey;
            info.m_strAPosNr = number;
            if (Cache().GetAPosInfo(m_pSettings, m_pValueDb, info, group))
                row->InfoText = info.m_strInfoText.trimmed();
            if (hasVin)
                row->PartsClearing =
                    Cache().GetTeileClearing(m_pSettings, m_pValueDb, number, group);
        }
        if (!current && number.left(4) == parent->Number)
            current = row;
    }
    // Below a main group without groups: its first position.
    if (!current)
        current = RowsOf(AW_POSITION).front();
    SetCurrent(AW_POSITION, current);
    FillLevel(AW_POSITION, false);
    return 1;
}

void CAwKatWalk::SetColumnValuesShown(bool shown)
{
    const CStep step(*this);
    m_bColumnValues = shown;
    for (CAwKatRow *row : m_shown)
        CompleteRow(row);
}

void CAwKatWalk::CompleteRow(CAwKatRow *row)
{
    if (!row || row->Type != AW_POSITION)
        return;
    ReadTexts(row);
    ValueLines(row);
    if (m_bColumnValues && !row->ColumnsRead) {
        CompleteColumns(row);
    }
}

void CAwKatWalk::CompleteRows(const std::vector<CAwKatRow *> &rows)
{
    // As CompleteRow for each, the main group's values made ready once for
    // each run of positions of one main group, not for every position.
    const bool values = m_pSettings && m_pValueDb && !m_pSettings->LeadTyp.trimmed().isEmpty();
    CCatalogueCache &cache = Cache();
    QStringView group;
    bool groupFailed = false;
    for (CAwKatRow *row : rows) {
        if (!row || row->Type != AW_POSITION)
            continue;
        ReadTexts(row);
        if (values && !row->ValuesRead) {
            const QStringView own = QStringView(row->Number).left(2);
            if (group.isNull() || own != group) {
                const int before = Failures();
                cache.ReadAPosWertDataAWKFromHG(*m_pSettings, m_pValueDb, own);
                group = own;
                groupFailed = Failures() != before;
            }
            // Values that could not be read are read at the next showing.
            if (!groupFailed)
                AddValueLines(row, cache);
        }
        if (m_bColumnValues && !row->ColumnsRead) {
            CompleteColumns(row);
        }
    }
}

void CAwKatWalk::CompleteColumns(CAwKatRow *row)
{
    // Values that could not be read are read at the next showing.
    const int failures = Failures();
    std::vector<CAwKatColumnLine> lines = ColumnValues(row);
    if (Failures() != failures)
        return;
    row->ColumnsRead = true;
    row->SetColumnLines(std::move(lines));
}

void CAwKatWalk::ReadTexts(CAwKatRow *row)
{
    if (!row || row->Type != AW_POSITION || row->TextsRead || !m_pSettings ||
        !m_pSettings->bAltKatalog || !m_pValueDb)
        return;
    row->TextsRead = true;
    const bool hasText = !row->TextFirst.isEmpty() || !row->TextMore.isEmpty();
    const bool hasBracket = !row->BracketFirst.isEmpty();
    if (hasText && hasBracket)
        return;
    CAPosTxtAPosKTxtData rec;
    rec.m_strKatBstNr = m_pSettings->KatalogKey;
    rec.m_strSprache = GetPrgSprache();
    rec.m_strEReihe = m_pSettings->EReihe;
    rec.m_strAPosNr = row->Number;
    const int failures = m_pValueDb->Failures();
    const int found = m_pValueDb->ReadAPosTxtAPosKTxtData(rec);
    m_pValueDb->CloseStmt();
    // Texts that could not be read are read at the next showing.
    if (FailedSince(m_pValueDb, failures))
        row->TextsRead = false;
    if (!found)
        return;
    rec.TrimData();
    if (!hasText)
        SetTextLines(row, rec.m_strText1, rec.m_strText2, rec.m_strText3, rec.m_strText4);
    if (!hasBracket)
        SetBracketLines(row, rec.m_strKText1, rec.m_strKText2, rec.m_strKText3, rec.m_strKText4);
}

bool CAwKatWalk::JumpToAlt(const QString &apNr)
{
    ReadMainGroups();
    if (!IsSevenDigits(apNr))
        return false;
    // The main group by the first two characters, its group by the first
    // four, the position by the whole number.
    for (int step = 0; step < 3; ++step) {
        CAwKatRow *hit = nullptr;
        for (CAwKatRow *row : m_shown) {
            if ((row->Type == AW_MAIN_GROUP && row->Key == apNr.left(2)) ||
                (row->Type == AW_THIRD_LEVEL && row->Number == apNr.left(4)) ||
                (row->Type == AW_POSITION && row->Number == apNr)) {
                hit = row;
                break;
            }
        }
        if (!hit)
            return false;
        Select(hit);
        if (hit->Type == AW_POSITION)
            return true;
        const int level = m_nShownLevel;
        Open(hit);
        if (m_nShownLevel <= level)
            return false;
    }
    return false;
}

// --- what a level shows ---------------------------------------------------------------

bool CAwKatWalk::IsPairedWith(const CAwKatRow &row, const CAwKatRow *previous)
{
    if (previous && !row.Number.isEmpty() && row.Number == previous->Info1 &&
        previous->Number == row.Info2)
        return true;
    // In the main group "99" a row that names the one it goes with is marked
    // whatever stands above it.
    return !row.Info2.isEmpty() && row.Key == QLatin1String("99");
}

bool CAwKatWalk::HasValues(const QString &number, const QString &key, const QString &line,
                           CYaqDb *db, Asked asked) const
{
    if (!m_pSettings || !db)
        return false;
    // The catalogue line decides too, where the vehicle has a column of the
    // catalogue: the line must be marked in it.
    const QString lineOfColumn = m_nVehicleColumn >= 0 ? line : QString();
    const int inSubgroup = m_current[AW_SUBGROUP] ? 1 : 0;
    const int inThirdLevel = m_current[AW_THIRD_LEVEL] ? 1 : 0;
    // On the local file a group's question reads one position's rows at a
    // time (the first valued one ends it), not the whole main group: the
    // groups of a level lie in many main groups.
    if (asked == Asked::ForGroup && m_pSettings->bLocalDataSet)
        return CatalogueCache().GetAPosWert(m_pSettings, number, db, inSubgroup, inThirdLevel, key,
                                            lineOfColumn, 0, m_nVehicleColumn) != 0;
    if (m_pValidity && db == m_pValueDb)
        return m_pValidity->GetAPosWert(number, inSubgroup, inThirdLevel, key, lineOfColumn, 0,
                                        m_nVehicleColumn) != 0;
    return Cache().GetAPosWert(m_pSettings, number, db, inSubgroup, inThirdLevel, key, lineOfColumn,
                               0, m_nVehicleColumn) != 0;
}

bool CAwKatWalk::KeepPosition(const CAwKatRow *row) const
{
    return HasValues(row->Number, row->Key, row->LineFrom, m_pValueDb);
}

bool CAwKatWalk::FillLevel(int level, bool selectFirst)
{
    const CStep step(*this);
    CAPosValidityWalk validity(Cache(), m_pSettings, m_pValueDb);
    const CValidityScope scope(this, &validity);
    return FillLevelRows(level, selectFirst);
}

void CAwKatWalk::ShowLevelAbove(int level, int previous)
{
    // Nothing of this level for the vehicle: said once, and the level shown
    // before comes back (never this one again). Main groups without any are
    // no group the adviser opened: the list stays empty without a word (the
    // head row shows what the vehicle lacks).
    const bool first = !m_bRecovering;
    // A level left empty by a read that failed is no level without rows:
    // the open that asked for it tells the failure instead.
    const bool readFailed = m_nFailuresAtOpen >= 0 && Failures() != m_nFailuresAtOpen;
    if (first && m_notice && level > AW_MAIN_GROUP && !readFailed)
        m_notice(4020);
    DropRows(level);
    const int back = previous > 0 && previous < level ? previous : level - 1;
    m_shown.clear();
    m_nShownLevel = 0;
    if (first && back >= 1) {
        m_bRecovering = true;
        TrimPath(back);
        FillLevel(back, false);
        m_bRecovering = false;
    }
}

bool CAwKatWalk::FillLevelRows(int level, bool selectFirst)
{
    using namespace AwKatLevelRows;
    const int failures = Failures();
    const int previous = m_nShownLevel;
    const bool leadType = m_pSettings && !m_pSettings->LeadTyp.trimmed().isEmpty();
    // The lists of the level take over the room of the lists before (a
    // level filled within this one, the level above after an empty one,
    // makes its own).
    AwKatRows candidates = std::move(m_candidateRoom);
    RowsOf(level, &candidates);
    for (CAwKatRow *row : candidates)
        row->HeadingShown = 0;

    AwKatRows display = std::move(m_displayRoom);
    display.clear();
    if (level >= AW_MAIN_GROUP && level <= AW_THIRD_LEVEL && leadType && ReadsStandardCatalogue()) {
        // A group is shown only when it leads to a position valued for the
        // vehicle's lead type: a main group too, so that every group shown
        // opens (a lead type without the VIN's additional code may have no
        // values in the whole catalogue). A group asks once.
        display = ValuedGroups(candidates, [this](CAwKatRow *row) {
            if (!row->ValidityRead) {
                // A question that failed is asked again at the next fill.
                const int before = Failures();
                row->LeadsToValues = HasValidPositions(row);
                row->ValidityRead = Failures() == before;
            }
            return row->LeadsToValues;
        });
    } else if (level == AW_POSITION && leadType) {
        ValuedPositions(
            candidates,
            [this](CAwKatRow *row) {
                return row->ValidityRead ? bool(row->LeadsToValues) : KeepPosition(row);
            },
            &display);
    } else {
        display.assign(candidates.begin(), candidates.end());
    }
    if (level == AW_POSITION) {
        if (m_pSettings && !m_pSettings->Fgstnr.trimmed().isEmpty())
            DropReplacedSpecial(&display);
        MarkHeadings(display);
    }

    // A level whose questions failed is not the level of the vehicle: the
    // level shown before stays shown as it was.
    if (display.empty() || Failures() != failures) {
        m_candidateRoom = std::move(candidates);
        m_displayRoom = std::move(display);
        if (Failures() == failures)
            ShowLevelAbove(level, previous);
        return false;
    }
    CAwKatRow *const current = CurrentRow(candidates, display, m_current[level], selectFirst);
    CompleteRows(display);
    // The list shown before keeps its room for the next level.
    m_shown.swap(display);
    m_displayRoom = std::move(display);
    m_candidateRoom = std::move(candidates);
    m_nShownLevel = level;
    SetCurrent(level, current);
    return true;
}

bool CAwKatWalk::HasValidPositions(const CAwKatRow *row)
{
    if (!row || !m_pSettings)
        return false;
    const CStep step(*this);
    // A group that is a valued position itself needs no look below it.
    const bool valuedItself =
        HasValues(row->Number, row->Key, QString(), m_pValueDb, Asked::ForGroup);
    if (valuedItself || !m_pValueDb)
        return valuedItself;
    CYaqDb *walkDb = m_pThirdDb ? m_pThirdDb : m_pCatalogueDb;
    if (!walkDb)
        return false;
    CAwKatAPosData rec;
    rec.m_strKatBstNr = m_pSettings->KatalogKey;
    rec.m_strTypNr = m_pSettings->Bestellnr.trimmed();
    rec.m_strHG = row->Key;
    rec.m_strSprache = GetPrgSprache();
    // The walk and the value test run on two connections, each with its own
    // result set; on one connection the lines are taken first.
    const bool nested = walkDb != m_pValueDb;
    std::vector<std::pair<QString, QString>> lines; // number, line
    bool found = false;
    for (int ok = walkDb->ReadAwKatAPosData(rec, row->LineFrom, row->LineTo()); ok && !found;
         ok = walkDb->ReadNext()) {
        rec.TrimData();
        if (rec.m_strAPosNr == row->Number || rec.m_strAPosNr.endsWith(QLatin1String("99000")))
            continue;
        if (!rec.m_strCode.isEmpty() && !rec.m_strRef.isEmpty())
            continue;
        if (rec.m_strSichtbar == QLatin1String("N") || rec.m_strSichtbar == QLatin1String("K"))
            continue;
        if (nested)
            found =
                HasValues(rec.m_strAPosNr, row->Key, rec.m_strZeile, m_pValueDb, Asked::ForGroup);
        else
            lines.emplace_back(rec.m_strAPosNr, rec.m_strZeile);
    }
    walkDb->CloseStmt();
    for (const auto &[number, line] : lines) {
        if (found)
            break;
        found = HasValues(number, row->Key, line, m_pValueDb, Asked::ForGroup);
    }
    return found;
}

// --- moves ----------------------------------------------------------------------------

void CAwKatWalk::Open(CAwKatRow *row)
{
    if (!row || row->Type < AW_MAIN_GROUP || row->Type > AW_THIRD_LEVEL)
        return;
    const CStep step(*this);
    const int failures = Failures();
    m_nFailuresAtOpen = failures;
    const auto opened = qScopeGuard([this] { m_nFailuresAtOpen = -1; });
    // The path ends above the row opened: a row of its level or below,
    // opened before "<<" or another group, is no longer on the way.
    TrimPath(row->Type);
    DropRows(row->Type + 1);
    switch (row->Type) {
    case AW_MAIN_GROUP:
        m_path.push_back(row);
        m_current[AW_MAIN_GROUP] = row;
        if (m_pSettings)
            m_pSettings->HGText = row->Key;
        if (!ReadSubGroups(row) && !ReadThirdLevel(row))
            ReadPositions(row);
        break;
    case AW_SUBGROUP:
        m_path.push_back(row);
        m_current[AW_SUBGROUP] = row;
        if (!ReadThirdLevel(row))
            ReadPositions(row);
        break;
    case AW_THIRD_LEVEL:
        m_path.push_back(row);
        m_current[AW_THIRD_LEVEL] = row;
        ReadPositions(row);
        break;
    default:
        break;
    }
    if (Failures() == failures)
        return;
    // What the reads that went well found below the group is not what it
    // holds: its own level comes back, the group selected.
    TrimPath(row->Type);
    DropRows(row->Type + 1);
    m_current[row->Type] = row;
    m_bRecovering = true;
    FillLevel(row->Type, false);
    m_bRecovering = false;
    if (m_notice)
        m_notice(kTextCatalogueUnreachable);
}

void CAwKatWalk::OpenPath(CAwKatRow *row)
{
    if (!row)
        return;
    const CStep step(*this);
    if (row->Type == AW_MAIN_GROUP && m_current[AW_MAIN_GROUP])
        FillLevel(AW_MAIN_GROUP, false);
    else if (row->Type == AW_THIRD_LEVEL && m_current[AW_THIRD_LEVEL])
        FillLevel(AW_THIRD_LEVEL, false);
    else if ((row->Type == AW_SUBGROUP || row->Type == AW_THIRD_LEVEL) && m_current[AW_SUBGROUP])
        FillLevel(AW_SUBGROUP, false);
}

void CAwKatWalk::Back()
{
    const CStep step(*this);
    switch (m_nShownLevel) {
    case AW_MAIN_GROUP:
        if (!m_shown.empty())
            m_current[AW_MAIN_GROUP] = m_shown.front();
        break;
    case AW_SUBGROUP:
        FillLevel(AW_MAIN_GROUP, true);
        break;
    case AW_THIRD_LEVEL:
        FillLevel(m_current[AW_SUBGROUP] ? AW_SUBGROUP : AW_MAIN_GROUP, true);
        break;
    case AW_POSITION:
        FillLevel(m_current[AW_THIRD_LEVEL] ? AW_THIRD_LEVEL
                  : m_current[AW_SUBGROUP]  ? AW_SUBGROUP
                                            : AW_MAIN_GROUP,
                  true);
        break;
    default:
        break;
    }
}

void CAwKatWalk::Select(CAwKatRow *row)
{
    if (!row || row->Type < AW_MAIN_GROUP || row->Type > AW_POSITION)
        return;
    SetCurrent(row->Type, row);
}

bool CAwKatWalk::FindCatalogueLine(const QString &apNr, QString *mainGroup, QString *line)
{
    if (!ReadsStandardCatalogue() || !IsSevenDigits(apNr))
        return false;
    const CStep step(*this);
    const bool leadType = !m_pSettings->LeadTyp.trimmed().isEmpty();
    // The lines of the number within its own main group, then in any.
    std::vector<CAwKatAPosData> lines[2];
    const QString groups[2] = {apNr.left(2), QString()};
    for (int g = 0; g < 2; ++g) {
        CAwKatAPosData rec;
        rec.m_strKatBstNr = m_pSettings->KatalogKey;
        rec.m_strTypNr = m_pSettings->Bestellnr.trimmed();
        rec.m_strAPosNr = apNr;
        rec.m_strHG = groups[g];
        for (int ok = m_pCatalogueDb->ReadAwKatAPosLines(rec); ok;
             ok = m_pCatalogueDb->ReadNext()) {
            rec.TrimData();
            lines[g].push_back(rec);
        }
        m_pCatalogueDb->CloseStmt();
    }
    // A leading line first (in the own main group, then in any), then any
    // line (likewise); with a lead type only a line valued for the vehicle.
    for (bool leadingOnly : {true, false}) {
        for (const std::vector<CAwKatAPosData> &candidates : lines) {
            for (const CAwKatAPosData &l : candidates) {
                if (leadingOnly && !l.m_strCode.isEmpty() && !l.m_strRef.isEmpty())
                    continue;
                if (leadType && !HasValues(apNr, l.m_strHG, l.m_strZeile, m_pValueDb))
                    continue;
                *mainGroup = l.m_strHG;
                *line = l.m_strZeile;
                return true;
            }
        }
    }
    return false;
}

bool CAwKatWalk::JumpTo(const QString &apNr)
{
    const CStep step(*this);
    const int failures = Failures();
    return JumpToLine(apNr) || Failures() != failures;
}

bool CAwKatWalk::JumpToLine(const QString &apNr)
{
    if (ReadsAlternativeCatalogue())
        return JumpToAlt(apNr);
    // The catalogue line the settings know for this very position is walked
    // to as it is, whatever the number looks like.
    QString line;
    if (m_pSettings && m_pSettings->AktApNr.trimmed() == apNr.trimmed())
        line = m_pSettings->KatZeile.trimmed();
    QString group;
    if (!line.isEmpty()) {
        group = m_pSettings->HGText.trimmed();
        if (group.isEmpty())
            group = apNr.left(2);
    }
    ReadMainGroups();
    if (line.isEmpty() && !FindCatalogueLine(apNr, &group, &line))
        return false;
    // Down through the rows whose range holds the line, at most one step
    // per level.
    for (int step = 0; step < 4; ++step) {
        const int level = m_nShownLevel;
        CAwKatRow *hit = nullptr;
        for (CAwKatRow *row : m_shown) {
            if (row->Key != group)
                continue;
            if (row->Type == AW_POSITION ? row->LineFrom == line
                                         : row->LineFrom <= line && line <= row->LineTo()) {
                hit = row;
                break;
            }
        }
        if (!hit)
            return false;
        if (hit->Type == AW_POSITION) {
            Select(hit);
            return true;
        }
        Select(hit);
        Open(hit);
        if (m_nShownLevel <= level)
            return false;
    }
    return false;
}

// --- buttons ----------------------------------------------------------------------------

bool CAwKatWalk::PriceButtonShown() const
{
    if (!m_pSettings)
        return false;
    const CPrgSettings &s = *m_pSettings;
    const bool byVehicleOnly = s.bAltKatalog || s.nKatalogFlag == 1;
    if (s.nKatalogFlag == 1 && !s.bAltKatalog)
        return false;
    // Without the vehicle's lead type these catalogues show no values, and
    // the catalogue view shows every variant's: nothing to price.
    const QString leadType = s.LeadTyp.trimmed();
    if (byVehicleOnly && (leadType.isEmpty() || leadType == kNoModelDesignation))
        return false;
    if (!byVehicleOnly && s.bKatalogansicht)
        return false;
    return s.SRPInterfaceReq == 4 || (s.SRPInterfaceReq == 3 && s.bSchulung);
}

CatalogueFound CAwKatWalk::HasPackages(const QString &apNr) const
{
    const int failures = Failures();
    const bool found = GetSRPPakete(m_pSettings, apNr, m_pCatalogueDb, m_pValueDb, -1) != 0;
    return Failures() != failures ? CatalogueFound::Failed
           : found                ? CatalogueFound::Yes
                                  : CatalogueFound::No;
}

void CAwKatWalk::HandToPackages(const CAwKatRow *selected)
{
    if (!m_pSettings)
        return;
    CPrgSettings &s = *m_pSettings;
    QString apNr = s.AktApNr.trimmed();
    QString line = s.KatZeile.trimmed();
    if ((apNr.isEmpty() || line.isEmpty()) && selected && selected->Type == AW_POSITION) {
        apNr = selected->Number;
        line = selected->LineFrom;
    }
    // A position reached through another main group (a joint work listed
    // there too) has its own line in its own main group.
    if (!apNr.isEmpty() && s.HGText.trimmed() != apNr.left(2) && m_pCatalogueDb) {
        CAwKatZeileData rec;
        rec.m_strKatBstNr = s.KatalogKey;
        rec.m_strTypNr = s.Bestellnr.trimmed();
        rec.m_strHG = apNr.left(2);
        rec.m_strAPosNr = apNr;
        if (m_pCatalogueDb->ReadAwKatZZeilenNr(rec)) {
            rec.TrimData();
            line = rec.m_strZeile;
        }
        m_pCatalogueDb->CloseStmt();
    }
    s.SRPWlApNr = apNr;
    s.SRPWlKatZeile = line;
}

CatalogueFound CAwKatWalk::HasMaintenanceTopics() const
{
    if (!m_pSettings || m_pSettings->nKatalogFlag || m_pSettings->LeadTyp.trimmed().isEmpty() ||
        !m_pCatalogueDb || !m_pValueDb)
        return CatalogueFound::No;
    const CPrgSettings &s = *m_pSettings;
    // The settings hold no build date of the vehicle: its first
    // registration stands for it, else today ("DD.MM.YYYY" as "YYYYMMDD").
    const auto dateKey = [](const QString &date) {
        const QString d = date.trimmed();
        return d.size() == 10 ? d.mid(6, 4) + d.mid(3, 2) + d.left(2) : QString();
    };
    QString built = dateKey(s.Erstzulassung);
    if (built.isEmpty())
        built = dateKey(s.Heute);
    const bool vin = !s.Fgstnr.trimmed().isEmpty();
    CSBLIDData rec;
    rec.m_strKatBstNr = s.KatalogKey;
    rec.m_strTypSchl = s.TypSchl.trimmed();
    rec.m_strLTyp = s.LeadTyp.trimmed();
    bool found = false;
    const int failures = m_pValueDb->Failures();
    for (int ok = m_pValueDb->ReadSBLIDData(rec); ok && !found; ok = m_pValueDb->ReadNext()) {
        rec.TrimData();
        found = !vin || (rec.m_strDatumVon <= built && built <= rec.m_strDatumBis);
    }
    m_pValueDb->CloseStmt();
    return FoundBy(m_pValueDb, failures, found);
}

// --- values -----------------------------------------------------------------------------

const std::vector<CAwKatValueLine> &CAwKatWalk::ValueLines(CAwKatRow *row)
{
    static const std::vector<CAwKatValueLine> none;
    if (!row)
        return none;
    if (row->ValuesRead || !m_pSettings || !m_pValueDb || m_pSettings->LeadTyp.trimmed().isEmpty())
        return row->ValueLines;
    const CStep step(*this);
    CCatalogueCache &cache = Cache();
    const int failures = Failures();
    cache.ReadAPosWertDataAWKFromHG(*m_pSettings, m_pValueDb, QStringView(row->Number).left(2));
    if (Failures() == failures)
        AddValueLines(row, cache);
    return row->ValueLines;
}

void CAwKatWalk::AddValueLines(CAwKatRow *row, const CCatalogueCache &cache)
{
    row->ValuesRead = true;
    cache.VisitAPosWertAWK(row->Number, [&](const CAPosWertRow &r) {
        CAwKatValueLine line;
        line.Unit = CCatalogueCache::UnitLetter(r.m_strEinheit).trimmed();
        line.Value = QStringView(r.m_strBemerkung).trimmed() == QLatin1String("AZ")
                         ? CPosition::AzMarker()
                         : r.m_strAwWert.trimmed();
        if (row->NotApplicable)
            line.Value = QStringLiteral("-");
        row->ValueLines.push_back(std::move(line));
    });
}

QString CAwKatWalk::LabourValueText(const CAwKatRow *row)
{
    QString plain, m, u;
    for (const CAwKatValueLine &line : ValueLines(const_cast<CAwKatRow *>(row))) {
        const QString value = line.Value.trimmed();
        if (value.isEmpty() || value == QLatin1String("-"))
            continue;
        if (line.Unit == QLatin1String("M"))
            m = value;
        else if (line.Unit == QLatin1String("U"))
            u = value;
        else if (line.Unit != QLatin1String("R"))
            plain = value;
    }
    if (!plain.isEmpty())
        return plain;
    if (!m.isEmpty())
        return m;
    if (!u.isEmpty())
        return u;
    return QStringLiteral("-");
}

std::vector<CAwKatColumnLine> CAwKatWalk::ColumnValues(const CAwKatRow *row) const
{
    std::vector<CAwKatColumnLine> lines;
    if (!row || !m_pSettings || !m_pCatalogueDb)
        return lines;
    CAwKatWertData rec;
    rec.m_strKatBstNr = m_pSettings->KatalogKey;
    rec.m_strTypNr = m_pSettings->Bestellnr.trimmed();
    rec.m_strHG = row->Key;
    rec.m_strZeile = row->LineFrom;
    for (int ok = m_pCatalogueDb->ReadAwKatWertData(rec); ok; ok = m_pCatalogueDb->ReadNext()) {
        rec.TrimData();
        CAwKatColumnLine line;
        line.Unit = CCatalogueCache::UnitLetter(rec.m_strEinheit);
        line.PaintStage = rec.m_strLackstufe;
        line.BuildStatus = rec.m_strBaustand;
        for (const QString &value : rec.m_strWerte.split(QLatin1Char(';')))
            line.Values << (value == QLatin1String("   AZ") ? CPosition::AzMarker()
                                                            : value.trimmed());
        lines.push_back(line);
    }
    m_pCatalogueDb->CloseStmt();
    return lines;
}
