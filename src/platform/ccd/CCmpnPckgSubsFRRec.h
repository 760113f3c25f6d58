#pragma once
// The labour positions (flat rates) of the campaign packages,
// file "CMPN_PCKG_SUBS_FR.dat" in the dealer data folder.

#include "platform/ccd/CCDRec.h"

class CCmpnPckgSubsFRRec : public CCDRec
{
public:
    CCmpnPckgSubsFRRec();

    // The file name, "CMPN_PCKG_SUBS_FR.dat".
    static QString FileName();
    // Opens the file in the folder; nonzero when open.
    int Open(const QString &folder);

    // Exact run on TYP_SCHL + CMPN_NO + CMPN_PCKG_NO + SUBS_NO + CMPN_PCKG_REF.
    int MoveCmpnPckgSubsFR(int mode, const QString &key);
    // Exact search on the run key + FR_LINE_NO.
    int SearchCmpnPckgSubsFRLine(const QString &key);

    // Fields of the current row, named as in the first line of the file.
    QString NSCID;          // importer id
    QString CMPN_NO;        // campaign number
    QString CMPN_PCKG_NO;   // campaign package number
    QString SUBS_NO;        // subscription number
    QString TYP_SCHL;       // type key
    QString CMPN_PCKG_REF;  // package reference of the (sub-)package
    QString FR_LINE_NO;     // line key
    QString FR_NO;          // labour-position number
    QString FR_QUANTITY;    // quantity
    QString FR_PRICE;       // fixed price ("CL")
    QString FR_USAGE;       // "S", "O", "A", "B"
    QString FR_STAT;        // "1" selected
    QString FR_OPERABILITY; // "0" the dealer may choose
    QString FR_REF_LINE_NO; // line key an alternative stands for

    CCDAutoHtb m_htb0{QStringList{QStringLiteral("TYP_SCHL"), QStringLiteral("CMPN_NO"),
                                  QStringLiteral("CMPN_PCKG_NO"), QStringLiteral("SUBS_NO"),
                                  QStringLiteral("CMPN_PCKG_REF")}};
    CCDAutoHtb m_htb1{QStringList{QStringLiteral("TYP_SCHL"), QStringLiteral("CMPN_NO"),
                                  QStringLiteral("CMPN_PCKG_NO"), QStringLiteral("SUBS_NO"),
                                  QStringLiteral("CMPN_PCKG_REF"), QStringLiteral("FR_LINE_NO")}};

protected:
    std::vector<Field> Fields() override;
    std::vector<CCDIndex *> Indexes() override;
};
