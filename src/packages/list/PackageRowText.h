#pragma once
// What the painter of the package list draws for a row: the texts of its
// cells and the badges of a package row. The painter only lays them out.

#include "packages/list/PackageRow.h"

#include <QString>
#include <QStringList>

#include <vector>

struct CPackageRowText
{
    // Simple rows (top rows, group levels): a key column and a title.
    QStringList keys; // the key cells ("64"; "64", "11" for a second group level)
    QString title;
    // Package rows: the number in three parts, the text lines and under them
    // the bracket lines, each block joined with line breaks.
    QStringList numberParts;
    QString textBlock;
    QString bracketBlock;
};

// inPath: the row stands in the path list (top rows show their key there
// beside the title, campaign and spot-repair rows only the title).
CPackageRowText PackageRowText(const CPackageRow &row, bool inPath);

enum class RowBadge
{
    Fastlane,      // "FL": a fast-lane offer; shown, never clicked
    InclusiveSvc,  // "SP": choose the inclusive-service variant
    ValueLine,     // "VL": choose the value-line variant
    Campaign,      // "MK (n)": choose with the campaign offers
    Warranty,      // "GR": choose the warranty variant
    PartsClearing, // "C" in red: hover tells about parts clearing
};

struct CRowBadgeText
{
    RowBadge badge;
    int slot; // 1 to 6: badges of all rows stand in columns
    QString text;
    bool clickable; // a click on it chooses the package as this variant
    bool greyed;    // drawn grey (the value-line offer beside an inclusive-service one)
    bool red;
};

// The badges a package row shows, in slot order; other rows show none.
std::vector<CRowBadgeText> PackageRowBadges(const CPackageRow &row);
