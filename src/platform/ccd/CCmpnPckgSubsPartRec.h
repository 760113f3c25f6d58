#pragma once
// The parts of the campaign packages,
// file "CMPN_PCKG_SUBS_PART.dat" in the dealer data folder.

#include "platform/ccd/CCDRec.h"

class CCmpnPckgSubsPartRec : public CCDRec
{
public:
    CCmpnPckgSubsPartRec();

    // The file name, "CMPN_PCKG_SUBS_PART.dat".
    static QString FileName();
    // Opens the file in the folder; nonzero when open.
    int Open(const QString &folder);

    // Exact run on TYP_SCHL + CMPN_NO + CMPN_PCKG_NO + SUBS_NO + CMPN_PCKG_REF.
    int MoveCmpnPckgSubsPart(int mode, const QString &key);

    // Fields of the current row, named as in the first line of the file.
    QString NSCID;            // importer id
    QString CMPN_NO;          // campaign number
    QString CMPN_PCKG_NO;     // campaign package number
    QString SUBS_NO;          // subscription number
    QString TYP_SCHL;         // type key
    QString CMPN_PCKG_REF;    // package reference of the (sub-)package
    QString PART_POS_NO;      // part position
    QString PART_NO;          // part number
    QString PART_CATEGORY;    // "p" part, "o" oil
    QString PART_PRICE;       // fixed price ("CL")
    QString PART_QUANTITY;    // quantity
    QString PART_USAGE;       // "S", "O", "A", "B"
    QString PART_STAT;        // "1" selected
    QString PART_OPERABILITY; // "0" the dealer may choose
    QString PART_REF_POS_NO;  // part position an alternative stands for

    CCDAutoHtb m_htb0{QStringList{QStringLiteral("TYP_SCHL"), QStringLiteral("CMPN_NO"),
                                  QStringLiteral("CMPN_PCKG_NO"), QStringLiteral("SUBS_NO"),
                                  QStringLiteral("CMPN_PCKG_REF")}};

protected:
    std::vector<Field> Fields() override;
    std::vector<CCDIndex *> Indexes() override;
};
