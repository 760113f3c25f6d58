#pragma once
// One line of the findings page's lists: a level of the findings hierarchy
// (main group, subgroup, location, damage key), a finding, a hit of the
// text search, a finding of a labour position or a labour position of a
// finding. A finding number is main group, subgroup, location and damage
// key, two characters each.

#include <QString>

enum BfndRowType
{
    BFND_NONE = 0,
    BFND_MAIN_GROUP = 1,
    BFND_TEXT_HIT = 2,
    BFND_POSITION = 3,     // a labour position of the finding above it
    BFND_APOS_FINDING = 4, // a finding of the labour position searched
    BFND_FINDING = 5,
    BFND_SUB_GROUP = 6,
    BFND_LOCATION = 7,
    BFND_DAMAGE_KEY = 8,
};

struct CBfndRow
{
    int Type = BFND_NONE;
    // The parts of the finding number; a damage-key row holds its own key
    // in Key4.
    QString Key1, Key2, Key3, Key4;
    QString Text;
    // The complete finding number of a finding row; the number of a
    // labour-position row.
    QString Number;
    QString Hint;         // shown in status line 2
    QString ContractText; // the inclusive-service text, status line 1

    QString Keys() const { return Key1 + Key2 + Key3 + Key4; }
};
