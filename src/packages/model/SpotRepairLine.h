#pragma once
// The lines of a spot-repair (care-and-cosmetic) package and how they are
// told from the lines of every other package.
//
// A spot-repair package holds the way it was chosen on the package list
// (the spot-repair row, the entry, the paint class and the matrix row, kept
// with their list kinds 1, 3, 5 and 6 as line types), its head and one work
// line (type 10) per work offered for the damage classes. Every one of these
// lines carries the marker "YY" in its main group.
//
// The head is a line of type 9: the basket transfer writes the package's
// one flat rate from that head, and the price request and its answer name
// the package by it. The matrix row of the way keeps its list kind 6 and is
// never taken for the head (it only shows where the package came from).

#include "packages/model/Position.h"

#include <QString>

class CPaket;

// The places of the spot-repair texts in CPosition::Spot.
enum SpotRepairField
{
    SpotRepairText = 0,
    SpotNscId = 1,
    SpotDlrId = 2,
    SpotBrandLetter = 3,
    SpotPaintClass = 4,
    SpotPaintClassText = 5,
    SpotPaintClassAttr2 = 6,
    SpotColour = 7, // "GR" green or "YE" yellow work
    SpotFactor = CPosition::SpotCombinationFactor,
    SpotDamageClass = 9,
    SpotDamageClassAttr1 = 10,
    SpotDamageClassName = 11,
    SpotDamageClassAttr2 = 12,
    SpotWorkUnitNumber = 13,
    SpotMatrixField = 14,
    SpotPaintClassAttr1 = 15,
    SpotMaPercentField = CPosition::SpotMaPercent,
    SpotQuantity = 18,
};
static_assert(SpotFactor == 8 && SpotMaPercentField == 17, "spot-repair fields moved");

// The one head type of a spot-repair package.
constexpr int kSpotRepairHeadType = POS_HEAD_CAMPAIGN;
// The main-group marker of every spot-repair line.
extern const QString kSpotRepairMarker; // "YY"
// The colours of the two works of a damage class.
extern const QString kSpotGreen;  // "GR"
extern const QString kSpotYellow; // "YE"

// A spot-repair head: type 9 marked "YY".
bool IsSpotRepairHead(const CPosition &line);
// The package's head is a spot-repair head.
bool IsSpotRepairPackage(const CPaket &paket);
// A line of the way to a spot-repair package (list kinds 1, 3, 5 and 6
// marked "YY"): shown on the spot-repair page only, never priced, asked
// for, transferred or printed.
bool IsSpotRepairPathRow(const CPosition &line);

// The brand letter the spot-repair data sets key on: the small-car brand's
// for the brand code "LU", the main brand's for every other code.
QString SpotRepairBrandLetter(const QString &brandCode);
// A text of the data sets without its leading "0" characters.
QString WithoutLeadingZeros(const QString &text);
