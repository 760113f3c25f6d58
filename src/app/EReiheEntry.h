#pragma once
// One row of the model-series list behind the head row's model-series combo:
// a catalogue of the catalogue line (a model series the user may choose) or
// the heading that introduces the older series range of the alternative
// catalogue.

#include <QString>

struct CEReiheEntry
{
    enum Kind
    {
        KindNone = 0,      // as constructed
        KindSeries = 1,    // a model series (a catalogue row)
        KindSeparator = 2, // a heading row, never chosen
    };

    int nKind = KindNone;
    QString strKatBstNr;    // catalogue key
    QString strTypNr;       // type number
    QString strKatBez;      // catalogue description
    QString strEReihe;      // model-series code
    QString strMarke;       // brand code, two letters ("VQ")
    QString strBaureihe;    // model range
    QString strMarktZusatz; // market suffix
    QString strLand;        // country
    QString strStand;       // catalogue edition
    QString strSeparator;   // heading text (separator rows only)
};
