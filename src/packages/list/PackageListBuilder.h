#pragma once
// Builds the package list of the identified vehicle from the catalogue
// database: the top rows (one per main group), and, as the adviser opens
// rows, the group levels and the packages below them; and walks down to a
// requested package by itself.
//
// Three connections, borrowed: the first reads the package lines, the
// second the catalogue (titles, texts, findings positions), the third the
// inclusive-service contracts; a read on one never disturbs a walk on
// another. Validity, parts clearing and information of labour positions
// come through IPackageListReads; marketing attributes from the dealer's
// file when one is given.

#include "packages/list/PackageCoverage.h"
#include "packages/list/PackageList.h"
#include "packages/model/PackageVehicleKeys.h"

#include <QHash>

#include <QString>
#include <QStringList>
#include <array>
#include <functional>

#include <memory>

class CMrktngAttRec;
class CPrgSettings;
class CSRPPaketeAltKatData;
class CYaqDb;
class IPackageListReads;

// What the list needs to know of the vehicle and the dealer.
struct CPackageVehicle : CPackageVehicleKeys
{
    bool alternativeCatalogue = false;
    // A catalogue other than the standard one (its key is not "1"): the
    // way down to a requested package follows the package number, as in
    // the alternative catalogue, not the catalogue line.
    int catalogueFlag = 0;
    bool hlxFlag = false;  // the vehicle has a contract record the dealer sees
    QString today;         // YYYYMMDD, reference date of the contracts
    QStringList contracts; // the vehicle's contract numbers, in list order

    // The fields the settings hold (catalogue key and flag, type key, type
    // number, model series, dealer country and flags, contract flag and list);
    // production date, language and today come from the caller.
    static CPackageVehicle FromSettings(const CPrgSettings &settings);
};

class CPackageListBuilder
{
public:
    CPackageListBuilder(CYaqDb *packageDb, CYaqDb *catalogueDb, CYaqDb *contractDb,
                        IPackageListReads *reads, CPackageVehicle vehicle,
                        CMrktngAttRec *marketing = nullptr);
    ~CPackageListBuilder();

    const CPackageVehicle &Vehicle() const { return m_vehicle; }

    // Empties the list and makes the top rows of the main groups; the
    // first becomes the current top row and level 1 is shown. Answers the
    // number of top rows (0: the vehicle has no packages in the catalogue).
    int Build(CPackageList &list);
    // Puts the rows of campaigns and spot repair in front of the groups:
    // campaign row, spot-repair row, separator, groups (each when wanted;
    // the separator when either is).
    void AddHeadRows(CPackageList &list, bool campaigns, const QString &campaignText,
                     bool spotRepair, const QString &spotRepairText);

    // What opening a row led to.
    enum class Opened
    {
        Nothing,       // no row, or no package below it (the package level shows empty)
        LevelShown,    // the next level is shown (CPackageList::ShownLevel)
        ChoosePackage, // a package row: the page hands it to the editing page
        NotHere,       // campaign and spot-repair rows: the page's own readers
    };
    // Opens a row of the level shown: trims the path and the rows below,
    // appends the row to the path, makes it current and builds and shows
    // the next level (group levels or packages).
    Opened Open(CPackageList &list, CPackageRow *row);

    // The levels below a row; each answers how many rows it made and shows
    // its level when there is one. The package level is shown also when it
    // got no row.
    int ShowGroupLevel7(CPackageList &list, CPackageRow *opened);
    int ShowGroupLevel8(CPackageList &list, CPackageRow *opened);
    int ShowPackages(CPackageList &list, CPackageRow *opened);

    // Whether a read of the catalogue failed in the last step (Build, Open,
    // DescendTo, ...): what it answered is then no "no package" but "the
    // catalogue cannot be read".
    bool ReadFailed() const;

    // The first line number of a package of the vehicle; empty when none.
    QString PackageLineNumber(const QString &packageNumber);
    // Walks down from the top rows to the package with that number (on its
    // line; an empty line is looked up), opening each row on the way; the
    // package row reached is made current and returned, null when the walk
    // ended above it (the list then shows the last level reached). In the
    // alternative catalogue, and in a catalogue other than the standard
    // one, the walk takes the rows by the package number instead: the main
    // group, the second group level of its first four characters, the
    // package itself.
    CPackageRow *DescendTo(CPackageList &list, const QString &packageNumber, QString lineNumber);

    // Fills the text and bracket lines of a row (of a campaign row from
    // characters 2 to 8 of campaignRef); unchanged when there are none.
    // False when the catalogue could not be read (the row then has no
    // texts yet, asked again next time).
    [[nodiscard]] bool ReadPositionTexts(CPackageRow &row, const QString &number);
    // Whether one of the vehicle's contracts covers the package today;
    // asked once per package number.
    bool IsCovered(const CPackageRow &row);
    // The dealer lists a row of this origin: standard ones always, a
    // country's only when he lists his country's packages.
    bool PassesCountryFilter(const QString &origin) const;

private:
    friend class CBuilderReadScope;

    // Begins a step (the outermost read scope): its failures count from now.
    bool BeginStep();
    int Failures() const;
    bool Valid(const QString &number);
    int ShowPackagesAlt(CPackageList &list, CPackageRow *opened);
    // The packages of the alternative catalogue under the main group (empty:
    // all of them) that the vehicle's production date lies within and whose
    // origin the dealer lists, trimmed, each with its origin as read.
    void ForEachAltPackage(
        const QString &mainGroup,
        const std::function<void(const CSRPPaketeAltKatData &rec, const QString &origin)> &take);
    void FinishPackageRow(CPackageRow &row);

    CYaqDb *m_pPackageDb;
    CYaqDb *m_pCatalogueDb;
    CYaqDb *m_pContractDb;
    IPackageListReads *m_pReads;
    CPackageVehicle m_vehicle;
    CMrktngAttRec *m_pMarketing;
    CPackageCoverage m_coverage;
    QHash<QString, bool> m_covered;
    int m_nColumn = -2; // asked once per builder
    int m_nReadDepth = 0;
    int m_nFailuresAtStep = 0; // the connections' failures when the step began
    // The position texts of the main groups read so far, by number.
    struct PositionTexts
    {
        std::array<QString, 4> texts, brackets;
    };
    QHash<QString, QHash<QString, PositionTexts>> m_texts;
};
