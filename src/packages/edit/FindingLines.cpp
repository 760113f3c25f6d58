#include "packages/edit/FindingLines.h"

#include "packages/model/MatchMask.h"
#include "packages/model/Paket.h"
#include "platform/db/YaqDb.h"

#include <memory>
#include <utility>

namespace {

const QLatin1String kInclusiveServiceGroup("87");

// DD.MM.YYYY as YYYYMMDD; empty unless the text has ten characters.
QString DateKey(const QString &date)
{
    if (date.size() != 10)
        return {};
    return date.mid(6, 4) + date.mid(3, 2) + date.left(2);
}

template <class Rec, class Read> std::vector<Rec> ReadAll(CYaqDb *db, Rec rec, Read read)
{
    std::vector<Rec> rows;
    if (!db)
        return rows;
    for (int ok = (db->*read)(rec); ok; ok = db->ReadNext()) {
        rec.TrimData();
        rows.push_back(rec);
    }
    db->CloseStmt();
    return rows;
}

} // namespace

CFindingLines::CFindingLines(CYaqDb *catalogue, CYaqDb *contracts, CFindingContext context)
    : m_pCatalogue(catalogue), m_pContracts(contracts), m_context(std::move(context))
{
}

QString CFindingLines::RowText(const CPosition &finding)
{
    const QString &nr = finding.Number;
    QString row;
    if (nr.size() > 8) {
        row = nr;
    } else {
        row = nr.left(2) + QLatin1Char(' ');
        if (nr.size() > 2)
            row += nr.mid(2, 2) + QLatin1Char(' ');
        if (nr.size() > 4)
            row += nr.mid(4, 2) + QLatin1Char(' ');
        if (nr.size() > 6)
            row += nr.mid(6, 2);
    }
    return row + QLatin1Char(' ') + finding.BefundText;
}

std::vector<CPosition *> CFindingLines::Lines(const CPaket &paket)
{
    std::vector<CPosition *> lines;
    for (const auto &line : paket)
        if (line->Type == POS_FINDINGS)
            lines.push_back(line.get());
    return lines;
}

CPosition *CFindingLines::EnsureChoice(const CPaket &paket)
{
    const std::vector<CPosition *> lines = Lines(paket);
    for (CPosition *line : lines)
        if (line->Selected == 1)
            return line;
    if (lines.empty())
        return nullptr;
    lines.front()->Selected = 1;
    return lines.front();
}

void CFindingLines::Choose(const CPaket &paket, const CPosition *chosen)
{
    for (CPosition *line : Lines(paket))
        line->Selected = line == chosen ? 1 : 0;
}

void CFindingLines::AddLine(CPaket &paket, const QString &number, const QString &text,
                            int *added) const
{
    auto line = std::make_unique<CPosition>();
    line->Type = POS_FINDINGS;
    line->Number = number;
    line->BefundText = text;
    line->Selected = 0;
    paket.AddPosition(std::move(line));
    ++*added;
}

CatalogueAnswer<int> CFindingLines::Load(CPaket &paket)
{
    const CPosition *head = paket.GetKopf();
    if (!head || head->Type == POS_HEAD)
        return {0, false};
    const int failures = FailuresOf({m_pCatalogue, m_pContracts});
    const int added = AddMaskedFindingLines(paket) + AddSIFindingLine(paket);
    return {added, FailuresOf({m_pCatalogue, m_pContracts}) != failures};
}

int CFindingLines::AddMaskedFindingLines(CPaket &paket)
{
    const CPosition *head = paket.GetKopf();
    if (!head)
        return 0;
    CBefCodeData code;
    code.m_strKatBstNr = m_context.catalogueKey;
    code.m_strAPosNr = head->Number;
    const auto codes = ReadAll(m_pCatalogue, code, &CYaqDb::SelectAPosBef);

    CBefTxtData key;
    key.m_strKatBstNr = m_context.catalogueKey;
    key.m_strSprache = m_context.language;
    int added = 0;
    // The damage keys of one location, each a finding line.
    auto addLocation = [&](const CBefTxtData &location) {
        for (const CBefTxtData &damage : ReadAll(m_pCatalogue, location, &CYaqDb::ReadBefTxtSkData))
            AddLine(paket, damage.m_strHG + damage.m_strUG + damage.m_strOrt + damage.m_strSk,
                    location.m_strText + QLatin1Char(' ') + damage.m_strText, &added);
    };
    // Every location of a subgroup; a location repeated in the rows counts once.
    auto addSubGroup = [&](const CBefTxtData &subGroup) {
        QString previous;
        for (const CBefTxtData &location :
             ReadAll(m_pCatalogue, subGroup, &CYaqDb::ReadBefTxtOrtData)) {
            const QString id = location.m_strHG + location.m_strUG + location.m_strOrt;
            if (id == previous)
                continue;
            previous = id;
            addLocation(location);
        }
    };

    for (const CBefCodeData &row : codes) {
        const QString &c = row.m_strCode;
        CBefTxtData level = key;
        level.m_strHG = c.left(2);
        if (c.endsWith(QLatin1String("XXXXXXXX"))) {
            if (!m_pCatalogue->SelectBefTxtHGData(level))
                continue;
            m_pCatalogue->CloseStmt();
            QString previous;
            for (const CBefTxtData &subGroup :
                 ReadAll(m_pCatalogue, level, &CYaqDb::ReadBefTxtUGData)) {
                const QString id = subGroup.m_strHG + subGroup.m_strUG;
                if (id == previous)
                    continue;
                previous = id;
                addSubGroup(subGroup);
            }
        } else if (c.endsWith(QLatin1String("XXXXXX"))) {
            level.m_strUG = c.mid(2, 2);
            if (!m_pCatalogue->SelectBefTxtUGData(level))
                continue;
            m_pCatalogue->CloseStmt();
            addSubGroup(level);
        } else if (c.endsWith(QLatin1String("XXXX"))) {
            level.m_strUG = c.mid(2, 2);
            level.m_strOrt = c.mid(4, 2);
            if (!m_pCatalogue->SelectBefTxtOrtData(level))
                continue;
            level.TrimData();
            m_pCatalogue->CloseStmt();
            addLocation(level);
        }
    }
    return added;
}

int CFindingLines::AddSIFindingLine(CPaket &paket)
{
    const CPosition *head = paket.GetKopf();
    if (!head)
        return 0;
    CBefAPosData position;
    position.m_strKatBstNr = m_context.catalogueKey;
    position.m_strPaketNr = head->Number;
    int added = 0;
    for (const CBefAPosData &row : ReadAll(m_pCatalogue, position, &CYaqDb::ReadBefAPosData)) {
        const QString number = row.m_strAPosKey.left(8);
        if (number.startsWith(kInclusiveServiceGroup) && !IsCoveredByContract(number))
            continue;
        CSBefTxtData text;
        text.m_strKatBstNr = m_context.catalogueKey;
        text.m_strBefNr = number;
        text.m_strSprache = m_context.language;
        const bool found = m_pCatalogue->ReadSBefTxtData(text);
        m_pCatalogue->CloseStmt();
        if (!found)
            continue;
        text.TrimData();
        AddLine(paket, number, text.m_strText, &added);
        break;
    }
    return added;
}

bool CFindingLines::IsCoveredByContract(const QString &findingNumber) const
{
    const QString number = findingNumber.left(8);
    if (number.startsWith(kInclusiveServiceGroup) && !m_context.hlxFlag)
        return false;
    if (!m_pContracts)
        return false;
    for (const QString &contract : m_context.contracts) {
        CHLXNrData option;
        option.m_strKatBstNr = m_context.catalogueKey;
        option.m_strOptionNr = contract;
        const bool found = m_pContracts->ReadHLXNrData(option);
        m_pContracts->CloseStmt();
        option.TrimData();
        if (!found || option.m_strListNr.isEmpty() || option.m_strListModus.isEmpty())
            continue;
        CHLXF12Data entry;
        entry.m_strKatBstNr = m_context.catalogueKey;
        entry.m_strListNr = option.m_strListNr;
        bool hit = false;
        for (const CHLXF12Data &row : ReadAll(m_pContracts, entry, &CYaqDb::ReadHLXF12Data)) {
            const QString from = DateKey(row.m_strGueltigVon), to = DateKey(row.m_strGueltigBis);
            if (MatchMask(row.m_strMaske, number) && from <= m_context.today &&
                m_context.today <= to) {
                hit = true;
                break;
            }
        }
        // A list of mode "1" names what the contract includes, any other
        // mode what it leaves out.
        if (hit == (option.m_strListModus == QLatin1String("1")))
            return true;
    }
    return false;
}
