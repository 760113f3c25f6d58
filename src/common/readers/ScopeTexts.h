#pragma once
// The scope texts of a labour position (what its labour value includes) and
// its inclusive positions (the labour positions it includes), for the
// vehicle's lead type and additional code, in the program language. The
// labour-value catalogue and the package pages enable their buttons by
// them; the scope-text dialog shows their lines.
//
// Each question answers whether its read failed: a failed read is no
// position without texts.

#include "platform/db/CatalogueFailure.h"

#include <QString>
#include <QStringList>

class CPrgSettings;
class CYaqDb;

// Scope texts are kept only in the standard catalogue and for a vehicle
// variant: No without a lead type, with the catalogue flag set or without
// a connection.
CatalogueFound FindScopeTexts(const CPrgSettings &settings, CYaqDb *valueDb,
                              const QString &apNumber);
CatalogueFound FindInclusivePositions(const CPrgSettings &settings, CYaqDb *catalogueDb,
                                      const QString &apNumber);

// The lines of the position's scope text, in order.
CatalogueAnswer<QStringList> ScopeTextLines(const CPrgSettings &settings, CYaqDb *valueDb,
                                            const QString &apNumber);
// One line per inclusive position: its number, a blank and its first text line.
CatalogueAnswer<QStringList> InclusivePositionLines(const CPrgSettings &settings,
                                                    CYaqDb *catalogueDb, const QString &apNumber);
