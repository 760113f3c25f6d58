#pragma once
// Clean-up of typed numbers in edit fields: only digits and ".", and at most
// a given number of integer digits and decimals. Each check works on the
// text and reports where the caret belongs; the edit-field variants write
// the text back (without raising an edit signal) and place the caret.

#include <QString>

class QLineEdit;

// Deletes the first character that is neither a digit nor "." (one per
// call). Returns the index of the deleted character, -1 when the text was
// clean.
int CheckNumericInput(QString &text);

// Splits the text at the first "." into integer and fraction part; while the
// integer part has more than maxIntegerDigits digits its last character is
// deleted (caret at that place), while the fraction part has more than
// maxDecimals characters the last character of the text is deleted (caret
// at the end). Returns the caret position after the last deletion, -1 when
// nothing was deleted. A negative limit is refused: the text stays as it is.
int CheckDecimalInput(QString &text, int maxIntegerDigits, int maxDecimals);

// The same on an edit field. True when the text was changed.
bool CheckNumericInput(QLineEdit *edit);
bool CheckDecimalInput(QLineEdit *edit, int maxIntegerDigits, int maxDecimals);
