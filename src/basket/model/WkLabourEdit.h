#pragma once
// The fields of the labour-value edit dialog for one basket labour position:
// filled from the position, edited by the adviser, written back on OK.

#include <QString>

class CPosition;

struct CWkLabourEdit
{
    QString Number; // shown only
    QString AwText1, AwText2, AwText3, AwText4;
    QString KlammerText1, KlammerText2, KlammerText3, KlammerText4;
    QString Lackstufe, Flaeche, R, U, M; // shown only
    QString AuftragsArt;
    // The time field ("AZ", a unit text, or a value typed in place of "AZ")
    // and the value field.
    QString AzField;
    QString ValueField;

    // The dialog's fields for the position. A value that was typed in place
    // of "AZ" is shown in the time field again, with an empty value field.
    static CWkLabourEdit FromPosition(const CPosition &position);

    // Writes the order kind, the time and value fields and the eight text
    // lines back. Once a position was "AZ", whatever else is typed into the
    // time field is its value, marked "-2" (a value typed in place of "AZ").
    void ApplyTo(CPosition &position) const;

    // The time marker of a value typed in place of "AZ".
    static QString TypedValueMarker() { return QStringLiteral("-2"); }
};
