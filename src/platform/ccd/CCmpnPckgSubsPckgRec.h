#pragma once
// The optional sub-packages of the campaign packages, each again a campaign
// package under its own package reference,
// file "CMPN_PCKG_SUBS_PCKG.dat" in the dealer data folder.

#include "platform/ccd/CCDRec.h"

class CCmpnPckgSubsPckgRec : public CCDRec
{
public:
    CCmpnPckgSubsPckgRec();

    // The file name, "CMPN_PCKG_SUBS_PCKG.dat".
    static QString FileName();
    // Opens the file in the folder; nonzero when open.
    int Open(const QString &folder);

    // Exact run on CMPN_NO + CMPN_PCKG_NO + SUBS_NO + CMPN_PCKG_REF.
    int MoveCmpnPckgSubsPckg(int mode, const QString &key);

    // Fields of the current row, named as in the first line of the file.
    QString NSCID;            // importer id
    QString CMPN_NO;          // campaign number
    QString CMPN_PCKG_NO;     // campaign package number
    QString SUBS_NO;          // subscription number
    QString CMPN_PCKG_REF;    // package reference of the package holding it
    QString SUB_PCKG_POS_NO;  // position of the sub-package
    QString SUB_PCKG_REF;     // package reference of the sub-package
    QString SUB_PCKG_ATTR1;   // kept with the line
    QString SUB_PCKG_ATTR2;   // kept with the line
    QString PCKG_STAT;        // "1" selected
    QString PCKG_OPERABILITY; // "0" the dealer may choose

    CCDAutoHtb m_htb0{QStringList{QStringLiteral("CMPN_NO"), QStringLiteral("CMPN_PCKG_NO"),
                                  QStringLiteral("SUBS_NO"), QStringLiteral("CMPN_PCKG_REF")}};

protected:
    std::vector<Field> Fields() override;
    std::vector<CCDIndex *> Indexes() override;
};
