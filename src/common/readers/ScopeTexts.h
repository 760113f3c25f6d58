#pragma once
// The scope texts of a labour position (what its labour value includes) and
// its inclusive positions (the labour positions it includes), for the
// vehicle's lead type and additional code, in the program language. The
// labour-value catalogue and the package pages enable their buttons by
// them; the scope-text dialog shows their lines.

#include <QString>
#include <QStringList>

class CPrgSettings;
class CYaqDb;

// Scope texts are kept only in the standard catalogue and for a vehicle
// variant: false without a lead type, with the catalogue flag set or without
// a connection.
bool HasScopeTexts(const CPrgSettings &settings, CYaqDb *valueDb, const QString &apNumber);
bool HasInclusivePositions(const CPrgSettings &settings, CYaqDb *catalogueDb,
                           const QString &apNumber);

// The lines of the position's scope text, in order.
QStringList ReadScopeTextLines(const CPrgSettings &settings, CYaqDb *valueDb,
                               const QString &apNumber);
// One line per inclusive position: its number, a blank and its first text line.
QStringList ReadInclusivePositionLines(const CPrgSettings &settings, CYaqDb *catalogueDb,
                                       const QString &apNumber);
