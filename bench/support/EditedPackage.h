// The edited package of the synthetic catalogue as the editing page loads
// it: its list line and head put in first, then the loader's run; and the
// lines it ended with, nested packages counted.
#pragma once

#include "packages/edit/PackageLoader.h"
#include "packages/model/Paket.h"
#include "packages/model/Position.h"
#include "yaq2-mkdb/CatalogueBuilder.h"

#include <memory>

inline int CountLines(const CPaket &paket)
{
    int n = 0;
    for (const auto &line : paket)
        n += 1 + (line->SubPackage ? CountLines(*line->SubPackage) : 0);
    return n;
}

// The lines of the loaded package; -1 when the load did not run.
inline int LoadEditedPackage(CPackageLoader &loader)
{
    CPaket paket;
    auto listLine = std::make_unique<CPosition>();
    listLine->Type = POS_SPECIAL1;
    paket.AddPosition(std::move(listLine));
    auto head = std::make_unique<CPosition>();
    head->Type = POS_HEAD_CAMPAIGN;
    head->Number = head->PaketID = SyntheticEditPackage();
    CPosition *h = paket.AddPosition(std::move(head));
    if (loader.Load(paket, h, kKindSR) != CPackageLoader::Result::Loaded)
        return -1;
    return CountLines(paket);
}
