#include "packages/list/PackageMerge.h"

#include "packages/list/PackageRow.h"

namespace {

int KindIndex(const QString &kind)
{
    if (kind == kKindSrp)
        return 0;
    if (kind == kKindGrp)
        return 1;
    if (kind == kKindSip)
        return 2;
    if (kind == kKindVlp)
        return 3;
    return -1;
}

constexpr MergeRule D{MergeAction::Drop, false};
constexpr MergeRule GR{MergeAction::SetGr, false};
constexpr MergeRule GRe{MergeAction::SetGrIfEmpty, false};
constexpr MergeRule SP{MergeAction::SetSp, false};
constexpr MergeRule SPe{MergeAction::SetSpIfEmpty, false};
constexpr MergeRule SPc{MergeAction::SetSp, true};
constexpr MergeRule SPec{MergeAction::SetSpIfEmpty, true};
constexpr MergeRule VL{MergeAction::SetVl, false};
constexpr MergeRule TGR{MergeAction::TakeOverGr, false};
constexpr MergeRule TSP{MergeAction::TakeOverSp, false};
constexpr MergeRule TVL{MergeAction::TakeOverVl, false};

// Rows: the existing row, columns: the new row, each in the order SRP,
// GRP, SIP, VLP with the standard origin first and the country's second.
// A country's service repair package may carry its country's value-line
// offer and take over the place of a country's warranty, inclusive-service
// or value-line row that came first; a standard value-line row is never
// offered, and a second service repair row of a line never listed.
// clang-format off
constexpr MergeRule kRules[8][8] = {
    //           SRP std SRP ctry GRP std GRP ctry SIP std SIP ctry VLP std VLP ctry
    /* SRP std  */ {D,   D,       GRe,    D,       SPec,   D,       D,      D },
    /* SRP ctry */ {D,   D,       GRe,    GR,      SPec,   SPc,     D,      VL},
    /* GRP std  */ {D,   D,       D,      D,       SPe,    D,       D,      D },
    /* GRP ctry */ {TGR, D,       D,      D,       SPe,    SP,      D,      VL},
    /* SIP std  */ {D,   D,       GRe,    D,       D,      D,       D,      D },
    /* SIP ctry */ {TSP, D,       GRe,    GR,      D,      D,       D,      VL},
    /* VLP std  */ {D,   D,       D,      D,       D,      D,       D,      D },
    /* VLP ctry */ {TVL, D,       GRe,    GR,      SPe,    SP,      D,      D },
};
// clang-format on

} // namespace

MergeRule PackageMergeRule(const QString &existingKind, bool existingStandard,
                           const QString &newKind, bool newStandard)
{
    const int existing = KindIndex(existingKind);
    const int added = KindIndex(newKind);
    if (existing < 0 || added < 0)
        return D;
    return kRules[existing * 2 + (existingStandard ? 0 : 1)][added * 2 + (newStandard ? 0 : 1)];
}
