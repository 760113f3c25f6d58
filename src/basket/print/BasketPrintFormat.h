#pragma once
// The small rules of the basket print-outs, kept apart from the painting:
// how numbers are grouped, which price a cell shows, how the text lines of a
// position are joined and how large a print font is.

#include <QFont>
#include <QString>
#include <QStringList>

class CPosition;

// Labour-value numbers: characters 1-2, 3-4 and 5 to the end; a short
// number gives fewer groups, an empty one none.
QStringList LabourNumberGroups(const QString &number);
QString GroupLabourNumber(const QString &number);
// Finding numbers: pairs of characters, at most four, then the rest as one
// group (an odd last character stands alone).
QStringList FindingNumberGroups(const QString &number);
QString GroupFindingNumber(const QString &number);
// Part numbers of exactly 11 characters: 2, 2, 1, 3 and 3 characters; any
// other part number in one piece. Trailing blanks do not count.
QStringList PartNumberGroups(const QString &number);
QString GroupPartNumber(const QString &number);

// The text of a price cell: "%.2f" of the price raised by 1e-10, or empty
// for a price that is not set, charged by time (-2) or unavailable (-3) -
// any negative price, which only the markers are.
QString PriceCellText(double price);
// The unit-price cell of a priced line: the list net unit price, else the
// net of the list gross unit price at the line's VAT rate (a rate of 0
// included); empty for an inclusive price or when neither is known.
QString UnitPriceCellText(const CPosition &position);

// The labour-value lines 1 to 4 (and the bracket lines 1 to 4) joined by
// line breaks, empty lines left out, trailing blanks removed.
QString JoinAwTextLines(const CPosition &position);
QString JoinBracketTextLines(const CPosition &position);

// A print font: heightValue in tenths of a point (negative as the forms
// list them), style "F" bold and "K" italic. Language "11" prints 5 points
// larger; a font never gets smaller than the form asks.
QFont BasketPrintFont(int heightValue, const QString &style, const QString &language);

// The dealer file keeps line breaks of its multi-line texts as "\n".
QString DealerTextLines(const QString &text);
