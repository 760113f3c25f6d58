#include "catalogues/model/BfndRows.h"

#include "catalogues/model/BfndContractCheck.h"
#include "packages/model/MatchMask.h"
#include "packages/model/Position.h"
#include "platform/OrmelText.h"
#include "platform/db/YaqDb.h"
#include "settings/PrgSettings.h"

#include <algorithm>
#include <utility>

namespace {

constexpr int kNoPositionText = 3041;
// A code's or number's place that stands for every value of its level.
const QString kAnyValue = QStringLiteral("XX");

QString CatalogueKey(const CPrgSettings *settings)
{
    return settings ? settings->KatalogKey : QStringLiteral("1");
}

// The parts of a finding number or code, two characters each; "XX" and
// missing parts are empty.
QString Part(const QString &number, int n)
{
    const QString part = number.mid(2 * n, 2);
    return part.size() == 2 && part != kAnyValue ? part : QString();
}

// Every row of a read, each trimmed; none, and failed, when the read failed.
template <class Rec>
CatalogueAnswer<std::vector<Rec>> ReadAll(CYaqDb *db, Rec rec, int (CYaqDb::*read)(Rec &))
{
    CatalogueAnswer<std::vector<Rec>> rows;
    if (!db)
        return rows;
    const int failures = db->Failures();
    for (int ok = (db->*read)(rec); ok; ok = db->ReadNext()) {
        rec.TrimData();
        rows.value.push_back(rec);
    }
    db->CloseStmt();
    if (FailedSince(db, failures))
        rows = {{}, true};
    return rows;
}

CBefTxtData LevelKey(const CPrgSettings *settings, const QString &hg, const QString &ug = {},
                     const QString &location = {})
{
    CBefTxtData rec;
    rec.Init();
    rec.m_strKatBstNr = CatalogueKey(settings);
    rec.m_strSprache = GetPrgSprache();
    rec.m_strHG = hg;
    rec.m_strUG = ug;
    rec.m_strOrt = location;
    return rec;
}

} // namespace

CBfndRows::CBfndRows(const CPrgSettings *settings, CYaqDb *findings, CYaqDb *standardTexts)
    : m_pSettings(settings), m_pFindings(findings), m_pStandardTexts(standardTexts)
{
    ReadFailedSinceAsked();
}

CBfndRows::~CBfndRows() = default;

const CBfndRow *CBfndRows::UpperRow(int index) const
{
    return index >= 0 && index < int(m_upper.size()) ? m_upper[size_t(index)].get() : nullptr;
}

const CBfndRow *CBfndRows::ResultRow(int index) const
{
    return index >= 0 && index < int(m_result.size()) ? m_result[size_t(index)].get() : nullptr;
}

bool CBfndRows::LoadFindingHints()
{
    return m_hints.Load(m_pFindings, CatalogueKey(m_pSettings), GetPrgSprache());
}

std::unique_ptr<CBfndRow> CBfndRows::MakeRow(int type, const QString &hg, const QString &ug,
                                             const QString &location, const QString &damageKey,
                                             const QString &text) const
{
    auto row = std::make_unique<CBfndRow>();
    row->Type = type;
    row->Key1 = hg;
    row->Key2 = ug;
    row->Key3 = location;
    row->Key4 = damageKey;
    row->Text = text;
    return row;
}

void CBfndRows::Complete(CBfndRow &row) const
{
    if (row.Type == BFND_FINDING)
        ReadStandardFindingText(row);
    if (row.Hint.isEmpty() && !row.Key3.isEmpty())
        row.Hint = m_hints.Get(row.Key1 + row.Key2 + row.Key3);
    if (m_pCheck)
        m_pCheck->CheckFindingContract(row);
}

bool CBfndRows::ReadMainGroups()
{
    CBefTxtData rec = LevelKey(m_pSettings, QString());
    const auto groups = ReadAll(m_pFindings, rec, &CYaqDb::SelectBefTxtHGList);
    if (groups.failed)
        return false;
    m_strOpenGroup.clear();
    m_upper.clear();
    m_result.clear();
    for (const CBefTxtData &level : groups.value)
        m_upper.push_back(MakeRow(BFND_MAIN_GROUP, level.m_strHG, {}, {}, {}, level.m_strText));
    return true;
}

bool CBfndRows::ReadFailedSinceAsked()
{
    const int failures = FailuresOf({m_pFindings, m_pStandardTexts});
    return std::exchange(m_nFailuresAsked, failures) != failures;
}

void CBfndRows::ShowGroup(QString hg)
{
    if (!ReadMainGroups())
        return;
    // The main group stays, the others give way to its subgroups.
    auto group = std::find_if(m_upper.begin(), m_upper.end(),
                              [&hg](const auto &row) { return row->Key1 == hg; });
    if (group == m_upper.end()) {
        m_upper.clear();
        return;
    }
    // Subgroups that could not be read leave every main group listed.
    CBefTxtData rec = LevelKey(m_pSettings, hg);
    const auto subgroups = ReadAll(m_pFindings, rec, &CYaqDb::ReadBefTxtUGData);
    if (subgroups.failed)
        return;
    std::unique_ptr<CBfndRow> kept = std::move(*group);
    m_upper.clear();
    m_strOpenGroup = hg;
    m_upper.push_back(std::move(kept));
    for (const CBefTxtData &level : subgroups.value)
        m_upper.push_back(MakeRow(BFND_SUB_GROUP, hg, level.m_strUG, {}, {}, level.m_strText));
}

bool CBfndRows::OpenUpper(int index)
{
    const CBfndRow *row = UpperRow(index);
    if (!row)
        return false;
    if (row->Type == BFND_MAIN_GROUP) {
        if (row->Key1 == m_strOpenGroup)
            return false;             // its subgroups are listed already
        const QString hg = row->Key1; // the row goes with the list it stands in
        ShowGroup(hg);
        return true;
    }
    if (row->Type == BFND_SUB_GROUP) {
        const QString hg = row->Key1, ug = row->Key2;
        ShowLocations(hg, ug, QString());
        return true;
    }
    return false;
}

bool CBfndRows::LevelUp()
{
    if (m_strOpenGroup.isEmpty())
        return false;
    return ReadMainGroups();
}

void CBfndRows::AddLocation(const QString &hg, const QString &ug, const QString &location,
                            const QString &text, const QString &damageKey)
{
    auto row = MakeRow(BFND_LOCATION, hg, ug, location, {}, text);
    Complete(*row);
    m_result.push_back(std::move(row));
    CBefTxtData rec = LevelKey(m_pSettings, hg, ug, location);
    const size_t first = m_result.size();
    for (const CBefTxtData &damage : ReadAll(m_pFindings, rec, &CYaqDb::ReadBefTxtSkData).value) {
        if (!damageKey.isEmpty() && damage.m_strSk != damageKey)
            continue;
        auto key = MakeRow(BFND_DAMAGE_KEY, hg, ug, location, damage.m_strSk, damage.m_strText);
        Complete(*key);
        m_result.push_back(std::move(key));
    }
    if (m_result.size() > first + 1) {
        CBfndRowList run;
        for (size_t i = first; i < m_result.size(); ++i)
            run.push_back(std::move(m_result[i]));
        SortDamageKeyRuns(run);
        for (size_t i = 0; i < run.size(); ++i)
            m_result[first + i] = std::move(run[i]);
    }
}

void CBfndRows::ShowLocations(const QString &hg, const QString &ug, const QString &location)
{
    CBefTxtData rec = LevelKey(m_pSettings, hg, ug);
    const auto locations = ReadAll(m_pFindings, rec, &CYaqDb::ReadBefTxtOrtData);
    // Locations (or their damage keys) that could not be read leave the
    // list as it was.
    if (locations.failed || !m_pFindings)
        return;
    const int failures = m_pFindings->Failures();
    CBfndRowList before;
    before.swap(m_result);
    for (const CBefTxtData &level : locations.value) {
        if (location.isEmpty() || level.m_strOrt == location)
            AddLocation(hg, ug, level.m_strOrt, level.m_strText, QString());
    }
    if (FailedSince(m_pFindings, failures))
        m_result.swap(before);
}

QString CBfndRows::LevelText(const QString &hg, const QString &ug, const QString &location,
                             const QString &damageKey) const
{
    if (!m_pFindings)
        return QString();
    CBefTxtData rec = LevelKey(m_pSettings, hg, ug, location);
    int found = 0;
    if (!damageKey.isEmpty()) {
        for (const CBefTxtData &damage :
             ReadAll(m_pFindings, rec, &CYaqDb::ReadBefTxtSkData).value) {
            if (damage.m_strSk == damageKey)
                return damage.m_strText;
        }
        return QString();
    }
    if (!location.isEmpty())
        found = m_pFindings->SelectBefTxtOrtData(rec);
    else if (!ug.isEmpty())
        found = m_pFindings->SelectBefTxtUGData(rec);
    else
        found = m_pFindings->SelectBefTxtHGData(rec);
    m_pFindings->CloseStmt();
    rec.TrimData();
    return found ? rec.m_strText : QString();
}

bool CBfndRows::ShowFinding(const QString &number)
{
    const QString hg = Part(number, 0), ug = Part(number, 1);
    const QString location = Part(number, 2), damageKey = Part(number, 3);
    const QString locationText = LevelText(hg, ug, location, QString());
    const QString damageText = LevelText(hg, ug, location, damageKey);
    if (locationText.isEmpty() || damageText.isEmpty())
        return false;
    ShowGroup(hg);
    m_result.clear();
    auto row = MakeRow(BFND_FINDING, hg, ug, location, damageKey,
                       locationText + QLatin1Char(' ') + damageText);
    row->Number = number.left(8);
    Complete(*row);
    m_result.push_back(std::move(row));
    AddPositionsOf(number.left(8));
    return true;
}

void CBfndRows::AddPositionsOf(const QString &number)
{
    CBefCodeData rec;
    rec.Init();
    rec.m_strKatBstNr = CatalogueKey(m_pSettings);
    std::vector<QString> positions;
    if (m_pFindings) {
        for (int ok = m_pFindings->SelectBefCodesOfHG(rec, number.left(2)); ok;
             ok = m_pFindings->ReadNext()) {
            rec.TrimData();
            if (MatchMask(rec.m_strCode, number) &&
                std::find(positions.begin(), positions.end(), rec.m_strAPosNr) == positions.end())
                positions.push_back(rec.m_strAPosNr);
        }
        m_pFindings->CloseStmt();
    }
    std::sort(positions.begin(), positions.end());
    for (const QString &position : positions) {
        auto row = std::make_unique<CBfndRow>();
        row->Type = BFND_POSITION;
        row->Number = position;
        row->Text = GetAPosText(position).value.section(QStringLiteral("\r\n"), 0, 0);
        m_result.push_back(std::move(row));
    }
}

bool CBfndRows::SearchNumber(const QString &number)
{
    m_result.clear();
    const QString n = number.trimmed();
    if (n.isEmpty() || n.size() % 2 != 0)
        return false;
    const QString hg = Part(n, 0), ug = Part(n, 1), location = Part(n, 2);
    if (n.size() >= 8 && !Part(n, 3).isEmpty())
        return ShowFinding(n);
    if (hg.isEmpty() || LevelText(hg, QString(), QString(), QString()).isEmpty())
        return false;
    if (!ug.isEmpty() && LevelText(hg, ug, QString(), QString()).isEmpty())
        return false;
    if (!location.isEmpty() && LevelText(hg, ug, location, QString()).isEmpty())
        return false;
    ShowGroup(hg);
    if (!ug.isEmpty())
        ShowLocations(hg, ug, location);
    return true;
}

bool CBfndRows::SearchText(const QString &text)
{
    const QString wanted = text.trimmed();
    m_result.clear();
    if (wanted.isEmpty() || !m_pFindings)
        return false;
    CBefTxtData rec = LevelKey(m_pSettings, QString());
    for (int ok = m_pFindings->SearchBefTxtData(rec, wanted); ok; ok = m_pFindings->ReadNext()) {
        rec.TrimData();
        auto row = MakeRow(BFND_TEXT_HIT, rec.m_strHG, rec.m_strUG, rec.m_strOrt, rec.m_strSk,
                           rec.m_strText);
        row->Number = row->Keys();
        m_result.push_back(std::move(row));
    }
    m_pFindings->CloseStmt();
    for (auto &row : m_result)
        Complete(*row);
    return !m_result.empty();
}

bool CBfndRows::SearchPosition(const QString &apNumber)
{
    m_result.clear();
    if (!m_pFindings || apNumber.trimmed().isEmpty())
        return false;
    CBefCodeData rec;
    rec.Init();
    rec.m_strKatBstNr = CatalogueKey(m_pSettings);
    rec.m_strAPosNr = apNumber.trimmed();
    const std::vector<CBefCodeData> codes = ReadAll(m_pFindings, rec, &CYaqDb::SelectAPosBef).value;
    for (const CBefCodeData &code : codes) {
        const QString hg = Part(code.m_strCode, 0), ug = Part(code.m_strCode, 1);
        const QString location = Part(code.m_strCode, 2), damageKey = Part(code.m_strCode, 3);
        if (hg.isEmpty())
            continue;
        const QString text = LevelText(hg, ug, location, QString());
        auto head = MakeRow(BFND_APOS_FINDING, hg, ug, location, QString(), text);
        head->Number = code.m_strCode;
        Complete(*head);
        m_result.push_back(std::move(head));
        if (ug.isEmpty())
            continue; // a whole main group: its subgroups are opened by the number search
        CBefTxtData level = LevelKey(m_pSettings, hg, ug);
        for (const CBefTxtData &place :
             ReadAll(m_pFindings, level, &CYaqDb::ReadBefTxtOrtData).value) {
            if (location.isEmpty() || place.m_strOrt == location)
                AddLocation(hg, ug, place.m_strOrt, place.m_strText, damageKey);
        }
    }
    return !m_result.empty();
}

bool CBfndRows::OpenResult(int index)
{
    const CBfndRow *row = ResultRow(index);
    if (!row || (row->Type != BFND_TEXT_HIT && row->Type != BFND_APOS_FINDING))
        return false;
    QString number = row->Keys();
    if (number.size() == 8)
        number = number.left(6); // the location with every damage key
    return SearchNumber(number);
}

void CBfndRows::RecheckContracts()
{
    if (!m_pCheck)
        return;
    for (auto &row : m_result)
        m_pCheck->CheckFindingContract(*row);
}

CatalogueAnswer<QString> CBfndRows::GetAPosText(const QString &apNumber) const
{
    CAPosTextData rec;
    rec.Init();
    rec.m_strAPosNr = apNumber;
    rec.m_strKatBstNr = CatalogueKey(m_pSettings);
    rec.m_strSprache = GetPrgSprache();
    const int failures = m_pFindings ? m_pFindings->Failures() : 0;
    const bool found = m_pFindings && m_pFindings->SelectAPosText(rec);
    if (m_pFindings)
        m_pFindings->CloseStmt();
    if (m_pFindings && FailedSince(m_pFindings, failures))
        return {QString(), true};
    if (!found)
        return {OrmelText(kNoPositionText), false};
    rec.TrimData();
    QString text = rec.m_strText1;
    for (const QString *line : {&rec.m_strText2, &rec.m_strText3, &rec.m_strText4}) {
        if (!line->isEmpty())
            text += QStringLiteral("\r\n") + *line;
    }
    return {text, false};
}

void CBfndRows::ReadStandardFindingText(CBfndRow &row) const
{
    if (!m_pStandardTexts)
        return;
    CSBefTxtData rec;
    rec.Init();
    rec.m_strKatBstNr = CatalogueKey(m_pSettings);
    rec.m_strBefNr = row.Number;
    rec.m_strSprache = GetPrgSprache();
    const bool found = m_pStandardTexts->ReadSBefTxtData(rec);
    m_pStandardTexts->CloseStmt();
    rec.TrimData();
    if (found && !rec.m_strText.isEmpty())
        row.Hint = rec.m_strText;
}

void CBfndRows::SortDamageKeyRuns(CBfndRowList &rows)
{
    auto isDamageKey = [](const auto &row) { return row->Type == BFND_DAMAGE_KEY; };
    auto at = rows.begin();
    while (at != rows.end()) {
        at = std::find_if(at, rows.end(), isDamageKey);
        const auto end = std::find_if_not(at, rows.end(), isDamageKey);
        std::stable_sort(at, end, [](const auto &a, const auto &b) {
            return a->Text.compare(b->Text, Qt::CaseInsensitive) < 0;
        });
        at = end;
    }
}

void CBfndRows::TrimUpperList(CBfndRowList &rows, int level)
{
    const auto first = std::find_if(rows.begin(), rows.end(),
                                    [level](const auto &row) { return row->Type >= level; });
    rows.erase(first, rows.end());
}

int CBfndRows::SelectableIndex(const CBfndRowList &rows, int index, int remembered)
{
    const int count = int(rows.size());
    if (index < 0 || index >= count)
        return -1;
    auto selectable = [&rows](int i) { return rows[size_t(i)]->Type != BFND_POSITION; };
    if (selectable(index))
        return index;
    const int step = index > remembered ? 1 : -1;
    for (int i = index + step; i >= 0 && i < count; i += step) {
        if (selectable(i))
            return i;
    }
    for (int i = index - step; i >= 0 && i < count; i -= step) {
        if (selectable(i))
            return i;
    }
    return -1;
}

std::unique_ptr<CPosition> CBfndRows::FindingPosition(const CBfndRowList &rows, int index)
{
    if (index < 0 || index >= int(rows.size()))
        return nullptr;
    const CBfndRow &row = *rows[size_t(index)];
    if (row.Type == BFND_FINDING) {
        auto position = std::make_unique<CPosition>();
        position->Type = POS_SI_FINDING;
        position->Number = row.Number;
        position->BefundText = row.Text;
        return position;
    }
    if (row.Type != BFND_DAMAGE_KEY)
        return nullptr;
    // The location the damage key belongs to: the nearest row above it
    // that is no damage key.
    for (int i = index - 1; i >= 0; --i) {
        const CBfndRow &location = *rows[size_t(i)];
        if (location.Type == BFND_DAMAGE_KEY)
            continue;
        auto position = std::make_unique<CPosition>();
        position->Type = POS_FINDING;
        position->Number =
            location.Key1 + location.Key2 + location.Key3 + row.Key4 + QStringLiteral("00");
        position->BefundText = location.Text;
        position->BefundText2 = row.Text;
        return position;
    }
    return nullptr;
}
