#pragma once
// Spot-repair combination factors: the factor for two damages repaired in
// one go, per brand, paint class, the two damage classes and colour,
// file "SPOTR_COMB.dat" in the dealer data folder.

#include "platform/ccd/CCDRec.h"

class CSpotrCombRec : public CCDRec
{
public:
    CSpotrCombRec();

    // The file name, "SPOTR_COMB.dat".
    static QString FileName();
    // Opens the file in the folder; nonzero when open.
    int Open(const QString &folder);

    // Keyed run over brand + paint class + both damage classes + colour (joined directly): exact.
    int MoveSpotrComb(int mode, const QString &key);

    // Fields of the current row, named as in the first line of the file.
    QString NSCID;        // importer id
    QString DLRID;        // dealer id
    QString Brand;        // brand letter
    QString PNT_CLASS;    // paint class
    QString DMG_CLASS_1;  // first damage class
    QString DMG_CLASS_2;  // second damage class
    QString SPOTR_COLOUR; // colour
    QString COMB_FACTOR;  // combination factor

    CCDAutoHtb m_htbSpotrComb{QStringList{
        QStringLiteral("Brand"), QStringLiteral("PNT_CLASS"), QStringLiteral("DMG_CLASS_1"),
        QStringLiteral("DMG_CLASS_2"), QStringLiteral("SPOTR_COLOUR")}};

protected:
    std::vector<Field> Fields() override;
    std::vector<CCDIndex *> Indexes() override;
};
