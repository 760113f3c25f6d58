#pragma once
// The rules that choose what a level of the labour-value catalogue shows,
// as steps that take the level's rows (in catalogue order) and give the
// rows shown; the walk asks the database what they need to know.

#include "catalogues/model/AwKatRow.h"

#include <functional>
#include <vector>

using AwKatRows = std::vector<CAwKatRow *>;

namespace AwKatLevelRows {

// Whether a row has what the vehicle needs to be shown (a group leads to a
// valued position, a position has labour values).
using RowTest = std::function<bool(CAwKatRow *)>;

// The groups that lead to a position valued for the vehicle.
AwKatRows ValuedGroups(const AwKatRows &rows, const RowTest &leadsToValues);

// The positions valued for the vehicle: a leading position by its own
// values, a following one ("V"/"Z" with a reference) only after a leading
// one that was kept, and by its own values too. Asks each position at most
// once.
AwKatRows ValuedPositions(const AwKatRows &rows, const RowTest &hasValues);
// The same into kept, which keeps its room (a main group's positions are
// many: a walk reuses one list for every level it fills).
void ValuedPositions(const AwKatRows &rows, const RowTest &hasValues, AwKatRows *kept);

// With a VIN the special positions "0000249" and "0000250" exclude each
// other: "0000250" wins, whether it comes before or after, and the rows
// that follow a dropped "0000249" (up to the next leading row) go with it.
AwKatRows WithoutReplacedSpecial(const AwKatRows &rows);
// The same on the rows themselves.
void DropReplacedSpecial(AwKatRows *rows);

// Sets HeadingShown on the positions that head a run of joint ("V") or
// additional ("Z") work, and clears it on the others.
void MarkHeadings(const AwKatRows &rows);

// The row to select after the filter: the first shown one when the
// selection starts at the top; else the current row when it is shown, the
// next shown row after it, the last shown before it, or the first shown.
// Null when nothing is shown.
CAwKatRow *CurrentRow(const AwKatRows &candidates, const AwKatRows &shown, CAwKatRow *current,
                      bool selectFirst);

} // namespace AwKatLevelRows
