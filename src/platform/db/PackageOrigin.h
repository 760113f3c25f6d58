#pragma once
// The origin code of a package row of the catalogue decides which dealers
// get the row. The rows every dealer gets carry "YAQ" or three blanks, most
// of them also an empty code; any other code names the country whose
// dealers get the row, when they offer their country's own packages. The
// readers, the package list, the package loader and the request of a
// package at start all ask here.

#include <QString>
#include <QStringList>

// The codes of the rows every dealer gets ("YAQ", three blanks, empty): a
// read of those rows selects exactly these.
const QStringList &StandardPackageOrigins();

// Whether a row of this origin is one every dealer gets. The merge of a
// package's variants takes an empty code for such a row only on a service
// repair package already listed (emptyCounts false: only "YAQ" and three
// blanks).
bool IsStandardPackageOrigin(const QString &origin, bool emptyCounts = true);

// Whether the row is the dealer's country's own: he offers his country's
// packages (countryPackages) and his country code is the origin's.
bool IsDealersCountryOrigin(const QString &origin, bool countryPackages,
                            const QString &dealerCountry);

// Whether the dealer gets a row of this origin: a standard row always, a
// country's row only as his country's own.
bool PackageOriginCounts(const QString &origin, bool countryPackages, const QString &dealerCountry);
