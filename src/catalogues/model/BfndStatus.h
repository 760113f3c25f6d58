#pragma once
// What the two status lines of the findings page show for the selected
// result row: line 1 the inclusive-service text, line 2 the hint or the
// notice that there is none, each with its look.

#include <QString>

struct CBfndRow;

enum class BfndStatusLook
{
    Grey,      // default text on the group-box grey (0xC0C0C0)
    White,     // default text on white
    Highlight, // yellow text on the highlight colour
};

struct CBfndStatusLine
{
    QString text;
    BfndStatusLook look = BfndStatusLook::Grey;
};

struct CBfndStatus
{
    CBfndStatusLine line1;
    CBfndStatusLine line2;

    // The status of the selected row (null: none). hintsShown: the page
    // shows the hints of findings; catalogueFlag: the standard catalogue is
    // not read, both lines stay empty.
    static CBfndStatus Of(const CBfndRow *row, bool hintsShown, bool catalogueFlag);
};

// The length of a labour-position number.
constexpr int kBfndApNumberLength = 7;

// The search field the adviser typed into.
enum class BfndSearchField
{
    Number,   // findings number: whole parts of two characters
    Text,     // findings text: any text
    ApNumber, // labour-position number: all seven characters, or none
};

// Whether "&Suchen" searches after the field was typed into: a findings
// number of an even length (none included), any text, a labour-position
// number of seven characters or an empty one (the main groups).
bool BfndSearchAllowed(BfndSearchField field, const QString &text);
