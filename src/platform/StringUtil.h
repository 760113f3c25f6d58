#pragma once
// Text helpers of the user-interface library.

#include <QString>

// Multi-line texts in the older one-line form with line breaks only: a line
// break becomes the two characters "\n", a backslash becomes "\\".
// ReconvertNewLine turns the one-line form back (line breaks come back as
// "\r\n"). Profile files keep their values in the form of EscapeFieldText,
// which reads this form back with line feeds as line breaks.
QString ConvertNewLine(const QString &text);
QString ReconvertNewLine(const QString &text);

// Reads a number written with "." or "," as decimal separator; 0.0 for text
// that holds no number. Leading blanks are skipped, trailing text ignored.
double MyStringToDouble(const QString &text);

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
