#pragma once
// The dealer's marketing campaigns: period, first-registration period,
// vehicle age, price type and currency of each campaign,
// file "CMPN.dat" in the dealer data folder.

#include "platform/ccd/CCDRec.h"

class CCmpnRec : public CCDRec
{
public:
    CCmpnRec();

    // The file name, "CMPN.dat".
    static QString FileName();
    // Opens the file in the folder; nonzero when open.
    int Open(const QString &folder);

    // Exact search on CMPN_NO.
    int SearchCmpn(const QString &key);

    // Fields of the current row, named as in the first line of the file.
    QString NSCID;           // importer id
    QString DLRID;           // dealer id
    QString CMPN_NO;         // campaign number
    QString CMPN_PERIOD_BEG; // campaign period, YYYYMMDD
    QString CMPN_PERIOD_END;
    QString FREG_PERIOD_BEG; // first-registration period, YYYYMMDD
    QString FREG_PERIOD_END;
    QString VCL_AGE_BEG; // vehicle age, whole months
    QString VCL_AGE_END;
    QString CMPN_ATTR1;     // kept with the campaign
    QString PRICE_TYPE_DEF; // "L", "R", "CL", "CR"
    QString CMPN_ATTR2;     // kept with the campaign
    QString CMPN_CCY;       // currency

    CCDAutoHtb m_htb0{QStringList{QStringLiteral("CMPN_NO")}};

protected:
    std::vector<Field> Fields() override;
    std::vector<CCDIndex *> Indexes() override;
};
