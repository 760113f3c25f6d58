#pragma once
// "AW - Editieren" of the package editing page: the adviser overwrites the
// labour value of a work position by a whole number. Which lines may be
// edited, which text the number dialog opens with, and where the number
// goes: the time marker "AZ", else the quantity, else the value M, else
// the value U.

#include <QString>

class CPosition;

class CLabourValueEdit
{
public:
    enum class Field
    {
        Quantity,
        M,
        U,
    };

    // A work position whose number begins with "72" (accessories: guide
    // times), one charged by time, or one edited before.
    static bool IsEditable(const CPosition *line);
    // The text the number dialog opens with, and the field the number goes
    // to: "AZ" and the quantity, the quantity, M, U, or "-" and the quantity.
    static QString InitialText(const CPosition &line, Field *field);
    // The number typed into the line; a line charged by time loses its
    // marker and stays editable.
    static void Apply(CPosition &line, Field field, int value);
};
