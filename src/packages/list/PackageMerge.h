#pragma once
// How a package row merges into the row already listed for its catalogue
// line. One line offers up to four variants of a package: service repair
// (SRP), warranty repair (GRP), inclusive service (SIP) and value line
// (VLP); the list shows them as one row whose own number is the SR number
// and which carries the GR, SP and VL numbers of the others.

#include <QString>

enum class MergeAction
{
    Drop,         // the new row is dropped
    SetGr,        // the existing row's GR number := the new row's own number; drop the new row
    SetGrIfEmpty, // as SetGr, only while the GR number is empty
    SetSp,
    SetSpIfEmpty,
    SetVl,
    TakeOverGr, // the new row replaces the existing one in its place; the existing
    TakeOverSp, // row's own number becomes the new row's GR (SP, VL) number and
    TakeOverVl, // its other variant numbers pass to the new row
};

struct MergeRule
{
    MergeAction action = MergeAction::Drop;
    // An inclusive-service variant joins only when one of the vehicle's
    // contracts covers it; otherwise the new row is dropped.
    bool onlyIfCovered = false;
};

// The rule for a new row of kind newKind meeting the row of its line of
// kind existingKind; "standard" is the origin of each (see
// CPackageRow::IsStandardOrigin). An existing row of another kind text
// drops every new row.
MergeRule PackageMergeRule(const QString &existingKind, bool existingStandard,
                           const QString &newKind, bool newStandard);
