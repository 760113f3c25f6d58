#pragma once
// The vehicle and dealer keys every read of the package catalogue takes:
// the package list and the package loader each add what they need besides.

#include <QString>

class CPrgSettings;

struct CPackageVehicleKeys
{
    QString catalogueKey = QStringLiteral("1");
    QString typeKey;
    QString typeNumber;
    QString productionDate; // YYYYMMDD
    QString modelSeries;    // key of the package texts
    QString language = QStringLiteral("00");
    QString countryCode;          // the dealer's country
    bool countrySpecific = false; // the dealer offers his country's packages

    // The keys the settings hold (catalogue key, type key, type number,
    // model series, dealer country and flag); production date and language
    // come from the caller.
    void TakeKeysFrom(const CPrgSettings &settings);
};
