#pragma once
// The labour-value catalogue column of a model designation.

#include "platform/db/CatalogueFailure.h"

#include <QString>

#include <functional>

class CPrgSettings;
class CYaqDb;

// The placeholder model designation shown before a vehicle is identified.
extern const QString kNoModelDesignation; // ". . . . . . ."

// The column (from 0) of a model designation of the settings' catalogue
// and type number; 0 for a model that isMappedCode knows as a code of the
// model-name mapping but the catalogue has no column for; -1 for none
// (no connection, no settings, empty or placeholder designation). A read
// that failed says so, its value -1: never a model without a column.
CatalogueAnswer<int> GetAwKatSpalte(CPrgSettings *settings, CYaqDb *db,
                                    const QString &modelDesignation,
                                    const std::function<bool(const QString &)> &isMappedCode);
