#pragma once
// Discounts of the dealer by vehicle, file "Rabatt.dat" in the request
// folder. The percentages are what the customer pays of the list price
// (100 = no discount).

#include "platform/ccd/CCDRec.h"

class CRabattRec : public CCDRec
{
public:
    CRabattRec();

    // The file name, "Rabatt.dat".
    static QString FileName();
    // Opens the file in the folder; nonzero when open.
    int Open(const QString &folder);

    // Discounts of a vehicle: exact search on FgstNr.
    int SearchRabatt(const QString &key);

    // Fields of the current row, named as in the first line of the file.
    QString FgstNr;      // VIN, 17 characters
    QString RabattTeile; // percentage applied to parts (decimal text)
    QString RabattAW;    // percentage applied to labour positions (decimal text)

    CCDAutoHtb m_htbFgstNr{QStringList{QStringLiteral("FgstNr")}};

protected:
    std::vector<Field> Fields() override;
    std::vector<CCDIndex *> Indexes() override;
};
