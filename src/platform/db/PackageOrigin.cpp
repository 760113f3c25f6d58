#include "platform/db/PackageOrigin.h"

const QStringList &StandardPackageOrigins()
{
    static const QStringList codes = {QStringLiteral("YAQ"), QStringLiteral("   "), QString()};
    return codes;
}

bool IsStandardPackageOrigin(const QString &origin, bool emptyCounts)
{
    if (origin.isEmpty())
        return emptyCounts;
    return StandardPackageOrigins().contains(origin);
}

bool IsDealersCountryOrigin(const QString &origin, bool countryPackages,
                            const QString &dealerCountry)
{
    const QStringView country = QStringView(dealerCountry).trimmed();
    return countryPackages && !country.isEmpty() && QStringView(origin).trimmed() == country;
}

bool PackageOriginCounts(const QString &origin, bool countryPackages, const QString &dealerCountry)
{
    return IsStandardPackageOrigin(origin) ||
           IsDealersCountryOrigin(origin, countryPackages, dealerCountry);
}
