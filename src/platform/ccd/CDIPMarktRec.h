#pragma once
// The market's dealer-individual parts and trade units, file
// "DIPMarkt.dat" in the dealer data folder.

#include "platform/ccd/CCDRec.h"

class CDIPMarktRec : public CCDRec
{
public:
    CDIPMarktRec();

    // The file name, "DIPMarkt.dat".
    static QString FileName();
    // Opens the file in the folder; nonzero when open.
    int Open(const QString &folder);

    // Walk in file order: mode 1 first, mode 2 next.
    int MoveDIPPaketFromBegin(int mode);

    // Fields of the current row, named as in the first line of the file.
    QString TeileNr;     // part number, 11 characters
    QString Bezeichnung; // description, up to 160 characters
    QString Gebinde;     // package sizes
    QString Typ;         // "1" trade unit, "0" dealer-individual part
    QString Anzeige;     // display flag: "0" hides a trade unit

protected:
    std::vector<Field> Fields() override;
};
