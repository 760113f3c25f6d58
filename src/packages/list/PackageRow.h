#pragma once
// One row of the package list of a vehicle. The list shows nine levels;
// a row's level is also the kind of row it is:
//   1 top row: a catalogue main group, the campaign row ("XX"), the
//     spot-repair row ("YY") or a separator ("LeerZeile")
//   2 campaign, 3 spot-repair entry, 4 campaign package, 5 paint class,
//   6 spot-repair matrix row (built by the campaign and spot-repair readers)
//   7, 8 the first and second group level below a main group
//   9 package: the service repair package with the warranty, inclusive-
//     service and value-line variants of its line merged into it
//
// Rows are owned by CPackageList; everybody else holds plain pointers and
// chooses rows by identity, never by their text.

#include <QString>

#include <array>
#include <memory>
#include <vector>

class CPosition;

enum PackageRowLevel
{
    kLevelTop = 1,
    kLevelCampaign = 2,
    kLevelSpotRepairEntry = 3,
    kLevelCampaignPackage = 4,
    kLevelPaintClass = 5,
    kLevelMatrixRow = 6,
    kLevelGroup7 = 7,
    kLevelGroup8 = 8,
    kLevelPackage = 9,
};
constexpr int kPackageListLevels = 9;

// Markers of the top rows that are no main group.
extern const QString kMarkerCampaigns;  // "XX"
extern const QString kMarkerSpotRepair; // "YY"
extern const QString kMarkerSeparator;  // "LeerZeile"

// Package kinds of a package line.
extern const QString kKindSrp; // service repair
extern const QString kKindGrp; // warranty repair
extern const QString kKindSip; // inclusive service
extern const QString kKindVlp; // value line

struct CPackageRow
{
    int level = 0;
    // Top rows: the main-group key or one of the markers above; rows below
    // a main group: the key of their main group.
    QString marker;
    QString number;    // package number (group levels: the number of their line)
    QString ownNumber; // number of this variant in its own kind
    QString further;   // further field of the catalogue line
    QString origin;    // as in the catalogue: "   " or "YAQ" standard, else a country
    QString kind;      // package kind text of a package row ("SRP", ...)
    QString lineKey;   // package rows: line number of their catalogue line
    QString lineText;  // top rows and group levels: the line text they stand for
    QString mergeText; // top rows of the alternative catalogue: the group number
    QString textKey;   // first group level: key of its title
    QString secondKey; // second group level: key of its title
    QString groupText; // title of a top row or group level
    QString groupText2, groupText3;

    // Variant numbers merged into a package row (empty: not offered). The
    // row's own number is its SR number.
    QString grNumber, spNumber, vlNumber;

    // Line numbers (texts, compared as texts, bounds included): the
    // selection range finds the row of a requested line on the way down;
    // the package range decides the packages listed below the row.
    QString selectionFrom, selectionTo;
    QString packageFrom, packageTo;

    std::array<QString, 4> texts;    // text lines
    std::array<QString, 4> brackets; // bracket lines (short texts)

    int countrySpecific = 0; // origin is the dealer's country
    int partsClearing = 0;   // the package's work is subject to parts clearing
    int information = 0;     // the package has labour-position information
    int isFastlane = 0;      // marketing attributes
    int isValueLine = 0;
    int campaignMark = 0;     // one of its campaign packages is a fast-lane offer
    int campaignPackages = 0; // campaign offers attached when the level was listed
    // Campaign and campaign-package rows: the campaign package with every
    // campaign field, as the editing page takes it over.
    std::shared_ptr<const CPosition> campaign;
    // Package rows: the campaign packages offered for their package number.
    std::vector<std::shared_ptr<const CPosition>> campaignOffers;

    // Spot-repair rows (levels 3, 5, 6): their texts at the places of
    // SpotRepairField (packages/model/SpotRepairLine.h); a matrix row's
    // price set 1 as the matrix gives it.
    using SpotFields = std::array<QString, 19>;
    SpotFields spot;
    double spotNet = -1.0;
    double spotVat = -1.0;
    QString spotCurrency;

    // Standard origin: three blanks or "YAQ"; an existing service repair
    // row counts an empty origin as standard too.
    bool IsStandardOrigin(bool emptyCounts) const;
    bool IsSeparator() const { return level == kLevelTop && marker == kMarkerSeparator; }
    // Whether the line number lies inside the selection range.
    bool SelectsLine(const QString &line) const;
    // The variant a double click opens, counted as the editing page's kind
    // buttons (0 SR, 2 SP, 3 VL): inclusive service before value line
    // before service repair. A warranty variant opens only by its badge.
    int OpenedVariant() const;
};

// The row's four text and four bracket lines into a package line.
void TakeRowTexts(CPosition &line, const CPackageRow &row);
