#pragma once
// Parts stock of the dealer, file "Lager.dat" in the request folder.

#include "platform/ccd/CCDRec.h"

class CLagerRec : public CCDRec
{
public:
    CLagerRec();

    // The file name, "Lager.dat".
    static QString FileName();
    // Opens the file in the folder; nonzero when open.
    int Open(const QString &folder);

    // Stock of a part: exact search on TeileNr.
    int SearchBestand(const QString &key);

    // Fields of the current row, named as in the first line of the file.
    QString TeileNr; // part number
    QString Bestand; // parts in stock (decimal text)

    CCDAutoHtb m_htbTeileNr{QStringList{QStringLiteral("TeileNr")}};

protected:
    std::vector<Field> Fields() override;
    std::vector<CCDIndex *> Indexes() override;
};
