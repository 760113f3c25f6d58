#pragma once
// The header fields the adviser types into the print dialog, and how much of
// a text each one's printed place holds. Decided here once: the dialog's
// edits take no more (the adviser sees an edit refuse the rest), and the
// print-outs print no more of a text that reached them another way.
//
// The offer number, the customer lines, the adviser, telephone and fax are
// single lines of the standard form: each takes what its cell holds in its
// print font, measured as the form draws it. The date and the validity take
// 10 characters, each further information line 33; the form's cells hold
// those.

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

// The field's place on the standard form.
struct CBasketPrintFieldCell
{
    int heightValue;   // its print font (BasketPrintFont)
    const char *style; // "F" bold
    int width;         // its cell, 0.1 mm
    int maxLength;     // characters; 0: what the cell's width holds on one line
};
const CBasketPrintFieldCell &BasketPrintFieldCell(int field);
QFont BasketPrintFieldFont(int field, const QString &language);

// The text as one printed line: line breaks become blanks, as the edit
// shows them.
QString BasketPrintFieldLine(const QString &text);
// Whether the field takes the whole text; language chooses the print fonts.
bool BasketPrintFieldTakes(int field, const QString &text, const QString &language);
// The text as the forms print it: whole when the field takes it, otherwise
// as much of its start as fits followed by "…", so that the paper shows a
// text was cut.
QString BasketPrintFieldText(int field, const QString &text, const QString &language);
