#pragma once
// How much the print dialog's edits take, and how a print-out prints a text
// that is too long for its single-line cell. Decided here once.
//
// The edits take what the adviser types or pastes; only the date and the
// validity keep 10 characters and each further information line 33. The
// paper is kept where it is drawn: a single-line cell whose text does not
// fit is printed in the same place in a smaller size, down to 6 pt (the
// smallest size the form prints anyway); only a text that does not fit even
// then is cut, on paper and never in the data, ending in "…".

#include <QFont>
#include <QString>

enum BasketPrintField
{
    BPFLD_OFFER_NUMBER,
    BPFLD_DATE,
    BPFLD_VALID_UNTIL,
    BPFLD_CUSTOMER, // each of the five lines
    BPFLD_INFO,     // each of the three further information lines
    BPFLD_USER,
    BPFLD_TEL,
    BPFLD_FAX,
    BPFLD_COUNT,
};

// The characters the field's edit takes; 0: no limit.
int BasketPrintFieldMaxLength(int field);

// The smallest size a shrunk cell is printed in, in points.
constexpr double kBasketPrintMinPoints = 6.0;

// A single-line cell as printed: its font and its text.
struct BasketPrintLine
{
    QFont font;
    QString text;
    bool shrunk = false; // smaller than asked, or cut
};
// The text in the font on one line in a cell of room (0.1 mm on the page):
// as it is when it fits; otherwise smaller, so that it keeps 1 mm from the
// cell's end, down to kBasketPrintMinPoints (a font smaller than that
// already is not made smaller); past that as much of its start as fits,
// followed by "…".
BasketPrintLine BasketPrintFitLine(const QFont &font, const QString &text, int room);
