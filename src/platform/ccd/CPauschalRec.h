#pragma once
// Flat prices of the dealer, file "Pauschal.dat" in the request folder.
// The key is a kind letter followed by the number: "P" a package, "A" a
// labour position, "T" a part ("A0012345", "P1234567").

#include "platform/ccd/CCDRec.h"

class CPauschalRec : public CCDRec
{
public:
    CPauschalRec();

    // The file name, "Pauschal.dat".
    static QString FileName();
    // Opens the file in the folder; nonzero when open.
    int Open(const QString &folder);

    // Flat price: exact search on Schluessel; trailing blanks do not
    // count, so a key padded with blanks to any length finds it.
    int SearchPauschalPreis(const QString &key);

    // Fields of the current row, named as in the first line of the file.
    QString Schluessel; // kind letter and number
    QString Preis;      // flat net price (decimal text)
    QString MwSt;       // VAT rate in percent (decimal text)

    CCDAutoHtb m_htbSchluessel{QStringList{QStringLiteral("Schluessel")}};

protected:
    std::vector<Field> Fields() override;
    std::vector<CCDIndex *> Indexes() override;
};
