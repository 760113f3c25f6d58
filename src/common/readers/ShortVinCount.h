#pragma once
// The count a DMS answer naming a 7-character VIN is checked with
// (CDmsClient::SetShortVinCount): an answer whose short VIN several
// vehicles share names none of them for sure and is not taken.

#include <QString>

class CYaqDb;
class QWidget;

// The vehicles of the catalogue on `db` that carry the short VIN, up to 2;
// 0 without a connection. A count the catalogue could not make is told
// (over `parent`, once in the step) and takes the answer as the vehicle
// asked about, whose VIN ends with it, and answers 1: never a VIN that fits
// no vehicle, which would send the adviser looking for a wrong VIN.
int DmsShortVinCount(CYaqDb *db, const QString &shortVin, QWidget *parent);
