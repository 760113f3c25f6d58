#pragma once
// Labour prices of the dealer by main group, file "HGPrice.dat" in the
// request folder.

#include "platform/ccd/CCDRec.h"

class CHGPriceRec : public CCDRec
{
public:
    CHGPriceRec();

    // The file name, "HGPrice.dat".
    static QString FileName();
    // Opens the file in the folder; nonzero when open.
    int Open(const QString &folder);

    // Labour price of a main group: prefix search on HG (callers pass the
    // first two characters of the labour-position number).
    int SearchPrice(const QString &key);

    // Fields of the current row, named as in the first line of the file.
    QString HG;    // main group: the first two characters of a labour-position number
    QString Preis; // net price of one work unit (decimal text)
    QString MwSt;  // VAT rate in percent (decimal text)

    CCDAutoNtx m_ntxHG{QStringList{QStringLiteral("HG")}};

protected:
    std::vector<Field> Fields() override;
    std::vector<CCDIndex *> Indexes() override;
};
