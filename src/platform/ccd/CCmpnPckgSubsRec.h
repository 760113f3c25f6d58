#pragma once
// The campaign packages offered per type key, with their production period
// and price definitions,
// file "CMPN_PCKG_SUBS.dat" in the dealer data folder.

#include "platform/ccd/CCDRec.h"

class CCmpnPckgSubsRec : public CCDRec
{
public:
    CCmpnPckgSubsRec();

    // The file name, "CMPN_PCKG_SUBS.dat".
    static QString FileName();
    // Opens the file in the folder; nonzero when open.
    int Open(const QString &folder);

    // Exact run on TYP_SCHL.
    int MoveCmpnPckgSubs(int mode, const QString &key);

    // Fields of the current row, named as in the first line of the file.
    QString NSCID;           // importer id
    QString DLRID;           // dealer id
    QString CMPN_NO;         // campaign number
    QString CMPN_PCKG_NO;    // campaign package number
    QString SUBS_NO;         // subscription number
    QString TYP_SCHL;        // type key
    QString PROD_PERIOD_BEG; // production period, YYYYMMDD
    QString PROD_PERIOD_END;
    QString CMPN_PCKG_PRICE_DEF;            // package price or rebate
    QString CMPN_PCKG_LABOUR_PRICE_DEF;     // labour rebate
    QString CMPN_PCKG_PART_PRICE_DEF;       // parts rebate
    QString CMPN_PCKG_LABOUR_OIL_PRICE_DEF; // oil rebate

    CCDAutoHtb m_htb0{QStringList{QStringLiteral("TYP_SCHL")}};

protected:
    std::vector<Field> Fields() override;
    std::vector<CCDIndex *> Indexes() override;
};
