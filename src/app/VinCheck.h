#pragma once
// The format rules of a vehicle identification number before any database
// read: the short VIN (the last seven characters) and the VIN type part
// (characters 4 to 7) of a 17-character VIN, the plausibility of the short
// VIN and its special digit-and-letter form.

#include <QString>

class CVinCheck
{
public:
    static constexpr int kFullLength = 17;
    static constexpr int kShortLength = 7;

    // The last seven characters of a 17-character VIN; empty otherwise.
    static QString ShortVin(const QString &vin);
    // Characters 4 to 7 of a 17-character VIN; empty otherwise.
    static QString TypePart(const QString &vin);

    // The serial part cannot carry I, O or Q in its first two characters,
    // and its last five characters are digits.
    static bool IsPlausibleShortVin(const QString &shortVin);
    // A short VIN beginning with a digit followed by a letter: its ranges are
    // kept apart from the ordinary ones.
    static bool IsSpecialForm(const QString &shortVin);
    // A range of the special form: start and end both begin with a digit
    // followed by a letter.
    static bool IsSpecialRange(const QString &from, const QString &to);
    // from <= shortVin <= to, compared as text.
    static bool InRange(const QString &shortVin, const QString &from, const QString &to);
};
