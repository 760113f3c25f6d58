#pragma once
// Spot-repair offers of the dealer: the price share and quantity per
// brand, paint class, damage class and colour,
// file "SPOTR.dat" in the dealer data folder.

#include "platform/ccd/CCDRec.h"

class CSpotrRec : public CCDRec
{
public:
    CSpotrRec();

    // The file name, "SPOTR.dat".
    static QString FileName();
    // Opens the file in the folder; nonzero when open.
    int Open(const QString &folder);

    // Keyed run over brand + paint class + damage class + colour (joined directly): exact.
    int MoveSpotr(int mode, const QString &key);

    // Fields of the current row, named as in the first line of the file.
    QString NSCID;          // importer id
    QString DLRID;          // dealer id
    QString Brand;          // brand letter
    QString PNT_CLASS;      // paint class
    QString DMG_CLASS;      // damage class
    QString SPOTR_COLOUR;   // colour
    QString MA_PERCENT;     // share of the price in percent
    QString SPOTR_QUANTITY; // quantity

    CCDAutoHtb m_htbSpotr{QStringList{QStringLiteral("Brand"), QStringLiteral("PNT_CLASS"),
                                      QStringLiteral("DMG_CLASS"), QStringLiteral("SPOTR_COLOUR")}};

protected:
    std::vector<Field> Fields() override;
    std::vector<CCDIndex *> Indexes() override;
};
