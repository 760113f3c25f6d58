#pragma once
// Dealer-individual parts that replace catalogue parts, file
// "DIP_<language>.dat" in the request folder.

#include "platform/ccd/CCDRec.h"

class CDIPRec : public CCDRec
{
public:
    CDIPRec();

    // The file name for a language ("DIP_" + language + ".dat").
    static QString FileName(const QString &language);
    // Opens the file of the language in the folder; nonzero when open.
    int Open(const QString &folder, const QString &language);

    // Replacement of a part: prefix search on TeileNr (callers pass the
    // first eleven characters of the part number).
    int SearchErsetztTeil(const QString &key);

    // Fields of the current row, named as in the first line of the file.
    QString TeileNr;          // catalogue part number that is replaced (up to 11 characters)
    QString ErsetztDurchNr;   // number of the dealer-individual part
    QString ErsetztDurchText; // designation of the dealer-individual part
    QString Preis;            // net unit price (decimal text)
    QString MwSt;             // VAT rate in percent (decimal text)

    CCDAutoNtx m_ntxTeileNr{QStringList{QStringLiteral("TeileNr")}};

protected:
    std::vector<Field> Fields() override;
    std::vector<CCDIndex *> Indexes() override;
};
