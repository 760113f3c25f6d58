#pragma once
// What the package list asks of the labour-value catalogue about the
// identified vehicle. The program answers from its cached catalogue
// readers; tests answer from a table.

#include "platform/db/CatalogueFailure.h"

#include <QString>

class IPackageListReads
{
public:
    virtual ~IPackageListReads() = default;

    // The catalogue column of the vehicle's model designation; -1 when the
    // vehicle has none. A column that could not be read says so.
    virtual CatalogueAnswer<int> CatalogueColumn() = 0;
    // Whether the labour position (or package) number has values for the
    // vehicle in that column: a package without values is not offered.
    virtual bool PositionValid(const QString &number, int column) = 0;
    // Whether the work of the package is subject to parts clearing.
    virtual bool PartsClearing(const QString &number) { return (void)number, false; }
    // The labour-position information of a number: the numbers it links
    // to the package after it and before it. false when there is none.
    virtual bool PositionInfo(const QString &number, QString *next, QString *previous)
    {
        (void)number, (void)next, (void)previous;
        return false;
    }
};
