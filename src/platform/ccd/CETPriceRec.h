#pragma once
// Parts prices of the dealer, file "ETPrice.dat" in the request folder.

#include "platform/ccd/CCDRec.h"

class CETPriceRec : public CCDRec
{
public:
    CETPriceRec();

    // The file name, "ETPrice.dat".
    static QString FileName();
    // Opens the file in the folder; nonzero when open.
    int Open(const QString &folder);

    // Price of a part: exact search on TeileNr (callers pass the first
    // eleven characters of the part number; trailing blanks do not count).
    int SearchPrice(const QString &key);

    // Fields of the current row, named as in the first line of the file.
    QString TeileNr;     // part number, at most 11 characters, without blanks
    QString Bezeichnung; // part designation (not read by the price look-up)
    QString Preis;       // net unit price (decimal text)
    QString MwSt;        // VAT rate in percent (decimal text)

    CCDAutoHtb m_htbTeileNr{QStringList{QStringLiteral("TeileNr")}};

protected:
    std::vector<Field> Fields() override;
    std::vector<CCDIndex *> Indexes() override;
};
