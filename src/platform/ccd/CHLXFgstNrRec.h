#pragma once
// Vehicles with inclusive-service contracts, file "HLXFgstNr.dat" in the
// folder "HLX" of the data directory; one record per contract.

#include "platform/ccd/CCDRec.h"

class CHLXFgstNrRec : public CCDRec
{
public:
    CHLXFgstNrRec();

    // The file name, "HLXFgstNr.dat".
    static QString FileName();
    // Opens the file in the folder; nonzero when open.
    int Open(const QString &folder);

    // Keyed run over the contracts of a VIN.
    int MoveHLXFgstNr(int mode, const QString &key);
    // Walk in file order: mode 1 first, mode 2 next.
    int MoveHLXFgstNrFromBegin(int mode);

    // Fields of the current row, named as in the first line of the file.
    QString FgstNr;    // VIN, 17 characters
    QString ProduktNr; // option number of the contract
    QString Beginn;    // contract begin "TT.MM.JJJJ"
    QString Ende;      // contract end "TT.MM.JJJJ"

    CCDAutoHtb m_htbFgstNr{QStringList{QStringLiteral("FgstNr")}};

protected:
    std::vector<Field> Fields() override;
    std::vector<CCDIndex *> Indexes() override;
};
