#pragma once
// Text helpers of the user-interface library.

#include <QString>

// The C library's conversion of a decimal number: blanks and a sign, then
// the leading digits; 0 when there are none. Clamped to the int range.
int LeadingInt(const QString &text);

// Text of a tab-separated data line: the escapes "\t", "\n", "\r" and "\\"
// stand for tab, line feed, carriage return and backslash; any other
// backslash stands for itself.
QString UnescapeFieldText(const QString &value);

// The one-line form UnescapeFieldText reads back exactly: tab, line feed,
// carriage return and backslash written as their escapes. Profile-file values
// are kept in this form.
QString EscapeFieldText(const QString &text);

// The text without the blanks at its end (fixed-width fields and padded
// database columns).
QString WithoutTrailingBlanks(QString text);

// The text without the space characters at its end: the padding of the
// catalogue database's fixed-width columns. A tab or a line break at the
// end is part of the text and stays.
QString WithoutTrailingSpaces(QString text);
