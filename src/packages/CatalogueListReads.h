#pragma once
// The package list's questions about the identified vehicle, answered from
// the program's cached readers of the labour-value catalogue. On the local
// catalogue file, where the program's cache asks the file package by
// package, they are answered from a cache of their own that reads each
// main group once: the page makes the reads anew for each list it builds.

#include "packages/list/PackageListReads.h"

#include <memory>

class CCatalogueCache;
class CPrgSettings;
class CYaqDb;

class CCatalogueListReads : public IPackageListReads
{
public:
    // db: the connection of the catalogue reads (borrowed).
    CCatalogueListReads(CPrgSettings *settings, CYaqDb *db);
    ~CCatalogueListReads() override;

    CatalogueAnswer<int> CatalogueColumn() override;
    bool PositionValid(const QString &number, int column) override;
    bool PartsClearing(const QString &number) override;
    bool PositionInfo(const QString &number, QString *next, QString *previous) override;

private:
    CCatalogueCache &Cache() const;

    CPrgSettings *m_pSettings;
    CYaqDb *m_pDb;
    std::unique_ptr<CCatalogueCache> m_pLocalCache; // on the local file
};
