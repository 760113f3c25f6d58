#include "catalogues/model/AwKatLevelRows.h"

#include <algorithm>
#include <unordered_set>

namespace {

const QString kSpecial249 = QStringLiteral("0000249");
const QString kSpecial250 = QStringLiteral("0000250");

bool IsJoint(const QString &code)
{
    return code == QLatin1String("V") || code == QLatin1String("Z");
}

} // namespace

namespace AwKatLevelRows {

AwKatRows ValuedGroups(const AwKatRows &rows, const RowTest &leadsToValues)
{
    AwKatRows kept;
    for (CAwKatRow *row : rows) {
        if (leadsToValues(row))
            kept.push_back(row);
    }
    return kept;
}

AwKatRows ValuedPositions(const AwKatRows &rows, const RowTest &hasValues)
{
    AwKatRows kept;
    ValuedPositions(rows, hasValues, &kept);
    return kept;
}

void ValuedPositions(const AwKatRows &rows, const RowTest &hasValues, AwKatRows *kept)
{
    // Room for all at once: a main group's positions are many.
    kept->clear();
    kept->reserve(rows.size());
    bool lastLeadingKept = false;
    for (CAwKatRow *row : rows) {
        if (row->Leading) {
            lastLeadingKept = hasValues(row);
            if (lastLeadingKept)
                kept->push_back(row);
        } else if (lastLeadingKept && hasValues(row)) {
            kept->push_back(row);
        }
    }
}

AwKatRows WithoutReplacedSpecial(const AwKatRows &rows)
{
    AwKatRows kept = rows;
    DropReplacedSpecial(&kept);
    return kept;
}

void DropReplacedSpecial(AwKatRows *rows)
{
    // The rows kept so far stand at the front (before kept), the rows still
    // to look at from the one read on: kept never passes it.
    const auto begin = rows->begin();
    auto kept = begin;
    bool seen250 = false;
    bool skipping = false;
    for (auto read = rows->begin(); read != rows->end(); ++read) {
        CAwKatRow *const row = *read;
        if (row->Leading)
            skipping = false;
        if (row->Number == kSpecial250) {
            const auto at = std::find_if(
                begin, kept, [](const CAwKatRow *r) { return r->Number == kSpecial249; });
            if (at != kept) {
                auto end = at + 1;
                while (end != kept && !(*end)->Leading)
                    ++end;
                kept = std::move(end, kept, at);
            }
            seen250 = true;
        } else if (row->Number == kSpecial249 && seen250) {
            skipping = true;
        }
        if (!skipping)
            *kept++ = row;
    }
    rows->erase(kept, rows->end());
}

void MarkHeadings(const AwKatRows &rows)
{
    // The run the positions stand in: the code that opened it, the line of
    // an "I" position that opened it, the reference of its last heading.
    QString runCode, runLine, runRef;
    for (CAwKatRow *row : rows) {
        row->HeadingShown = 0;
        const QString &c = row->Code;
        const QString &r = row->Reference;
        if (c.isEmpty()) {
            runCode.clear();
            runLine.clear();
            runRef.clear();
        } else if ((IsJoint(c) || c == QLatin1String("I")) && r.isEmpty()) {
            runCode = c;
            runLine = row->LineFrom;
            runRef.clear();
        } else if (IsJoint(c)) {
            if ((runCode == QLatin1String("I") && r >= runLine) ||
                (IsJoint(runCode) && r != runRef)) {
                row->HeadingShown = 1;
                runCode = c;
                runRef = r;
            }
        }
    }
}

CAwKatRow *CurrentRow(const AwKatRows &candidates, const AwKatRows &shown, CAwKatRow *current,
                      bool selectFirst)
{
    if (shown.empty())
        return nullptr;
    if (selectFirst || !current)
        return shown.front();
    if (std::find(shown.begin(), shown.end(), current) != shown.end())
        return current;
    const std::unordered_set<const CAwKatRow *> isShown(shown.begin(), shown.end());
    const auto at = std::find(candidates.begin(), candidates.end(), current);
    const auto after = std::find_if(at, candidates.end(),
                                    [&](const CAwKatRow *r) { return isShown.count(r) > 0; });
    if (after != candidates.end())
        return *after;
    for (auto it = at; it != candidates.begin();) {
        --it;
        if (isShown.count(*it))
            return *it;
    }
    return shown.front();
}

} // namespace AwKatLevelRows
