#pragma once
// The package list's questions about the identified vehicle, answered from
// the program's cached readers of the labour-value catalogue.

#include "packages/list/PackageListReads.h"

class CPrgSettings;
class CYaqDb;

class CCatalogueListReads : public IPackageListReads
{
public:
    // db: the connection of the catalogue reads (borrowed).
    CCatalogueListReads(CPrgSettings *settings, CYaqDb *db);

    int CatalogueColumn() override;
    bool PositionValid(const QString &number, int column) override;
    bool PartsClearing(const QString &number) override;
    bool PositionInfo(const QString &number, QString *next, QString *previous) override;

private:
    CPrgSettings *m_pSettings;
    CYaqDb *m_pDb;
};
