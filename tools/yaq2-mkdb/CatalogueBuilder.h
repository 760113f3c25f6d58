#pragma once
// Builds SQLite catalogue files: from the schema and readable SQL data
// scripts (the demo catalogue), or synthetic data of realistic size (for
// the benchmarks). The file is written under a temporary name and renamed
// when complete, so a failed build leaves no half-written catalogue.

#include <QString>
#include <QStringList>

#include <functional>

struct SyntheticSize
{
    int vinRanges = 1000000;
    int typeKeys = 50000;
    int labourValues = 500000;
    // The package list of one vehicle (type key SyntheticPackageTypeKey()):
    // service packages over main groups, a quarter with a warranty variant,
    // a tenth with an inclusive-service variant and its findings positions.
    int packages = 5000;
    int packageGroups = 30;
    // The labour-value catalogue page: positions of its one main group (at
    // most 99,999; lines shared out when there are more than 9,999).
    int labourPositions = 5000;
    // The edited package: lines of its top package (at most 10,000).
    int packageLines = 300;
};

// Returns an empty text on success, else what went wrong.
QString BuildCatalogueFromScripts(const QString &outFile, const QString &schemaFile,
                                  const QStringList &dataFiles);
// progress, when set, is told each step of the build as it begins.
using BuildProgress = std::function<void(const QString &step)>;
QString BuildSyntheticCatalogue(const QString &outFile, const QString &schemaFile,
                                const SyntheticSize &size, const BuildProgress &progress = {});

// Keys of the synthetic catalogue, for look-ups that hit.
QString SyntheticVinType(int n);                   // VIN type part of VIN type n
QString SyntheticShortVin(int vinType, int range); // a short VIN inside a range
// A short VIN above the range that no range holds (the gap before the next
// range); only for VIN types of the ordinary form (n % 10 != 0: every tenth
// VIN type has ranges of the special digit+letter form, without gaps).
QString SyntheticShortVinAfter(int vinType, int range);
QString SyntheticTypeKey(int n);
QString SyntheticLeadType(int n);
int SyntheticVinTypes(const SyntheticSize &size);
// The vehicle of the large catalogue: its VIN (SyntheticContractVin) leads
// to type key SyntheticEditTypeKey() with lead type SyntheticEditLeadType()
// and additional code "A", model series SyntheticPackageSeries() and type
// number SyntheticPackageTypeNumber() (of the standard catalogue); its
// package list, its edited package and its labour-value main group are
// those below.
//
// The synthetic package list of that vehicle: type key, type number, model
// series; every package valued for the lead type; its contract "SYN0001"
// includes the findings positions of every second inclusive-service
// package. Language "00", built 15.03.2017. Its VIN holds the contract
// rows: SYN0001 in force, SYN0002 ended in 2020.
QString SyntheticPackageTypeKey();
QString SyntheticPackageTypeNumber();
QString SyntheticPackageSeries();
QString SyntheticContractVin();
int SyntheticRangesPerType();
// The edited package of the synthetic catalogue: SyntheticEditPackage()
// holds packageLines lines (labour positions with alternatives and
// options, parts) of which three optional ones are sub-packages, each
// holding one further sub-package down to the third level; for the
// vehicle of type key SyntheticEditTypeKey(), lead type
// SyntheticEditLeadType() with additional code "A", series
// SyntheticPackageSeries(), built 15.03.2017; listed in main group "90" of
// the package list.
QString SyntheticEditTypeKey();
QString SyntheticEditLeadType();
QString SyntheticEditPackage();
// The vehicle's model designation: its column in the catalogue of
// SyntheticPackageTypeNumber(), in which every catalogue line of its
// positions and packages is marked; one position or package in twenty has
// parts clearing for its type key in the country "DE".
QString SyntheticModelName();

// The labour-value catalogue page of the synthetic catalogue: main group
// SyntheticAwMainGroup() of type number SyntheticAwTypeNumber() holds
// labourPositions labour positions straight below it (no group levels),
// numbered SyntheticAwMainGroup() + five digits from 00001 on, each valued
// for lead type SyntheticAwLeadType() with additional code "A"; language
// "00". Type number and lead type are the vehicle's.
QString SyntheticAwTypeNumber();
QString SyntheticAwLeadType();
QString SyntheticAwMainGroup();
