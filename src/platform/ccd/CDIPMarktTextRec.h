#pragma once
// Information texts of the market on dealer-individual parts, file
// "DIPMarktText.dat" in the dealer data folder; one record per language.

#include "platform/ccd/CCDRec.h"

class CDIPMarktTextRec : public CCDRec
{
public:
    CDIPMarktTextRec();

    // The file name, "DIPMarktText.dat".
    static QString FileName();
    // Opens the file in the folder; nonzero when open.
    int Open(const QString &folder);

    // Walk in file order: mode 1 first, mode 2 next.
    int MoveDIPPaketFromBegin(int mode);

    // Fields of the current row, named as in the first line of the file.
    QString Sprache; // two-digit language code
    QString Titel;   // title
    QString Text;    // information text (may hold line breaks)

protected:
    std::vector<Field> Fields() override;
};
