#pragma once
// The values of simple schema types as a peer's XML carries them: a flag
// (xs:boolean) and a date (xs:date). A peer built with a generated SOAP stack
// writes them in any form its type allows - a flag as "1" or "true", a date
// with its time zone ("2019-11-21+01:00", "2019-11-21Z"), white space around
// the value - and every form reads alike. Used for every such value of the
// DMS's messages, so that no reader knows fewer forms than another.

#include <QDate>
#include <QString>

#include <optional>

// The text as the schema reads a value whose white space collapses: tabs,
// line feeds and carriage returns as blanks, runs of blanks as one, none at
// either end. Other characters (a no-break space among them) stay.
QString XmlCollapsed(const QString &text);

// A flag: "true" and "1" are true, "false" and "0" false, letter case aside
// ("TRUE" has always been read as true); none for any other text.
std::optional<bool> XmlBoolean(const QString &text);
// True only for a text XmlBoolean reads as true: anything else is no flag set.
bool XmlIsTrue(const QString &text);

// A date YYYY-MM-DD with an optional time zone after it ("Z" or +hh:mm,
// -hh:mm up to 14:00); the zone does not move the day. Invalid for any
// other text and for a day the calendar does not have.
QDate XmlDate(const QString &text);
