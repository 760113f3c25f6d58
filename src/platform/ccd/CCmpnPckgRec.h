#pragma once
// The packages of the campaigns with their package reference,
// file "CMPN_PCKG.dat" in the dealer data folder.

#include "platform/ccd/CCDRec.h"

class CCmpnPckgRec : public CCDRec
{
public:
    CCmpnPckgRec();

    // The file name, "CMPN_PCKG.dat".
    static QString FileName();
    // Opens the file in the folder; nonzero when open.
    int Open(const QString &folder);

    // Exact search on CMPN_NO + CMPN_PCKG_NO (joined directly).
    int SearchCmpnPckg(const QString &key);

    // Fields of the current row, named as in the first line of the file.
    QString NSCID;         // importer id
    QString CMPN_NO;       // campaign number
    QString CMPN_PCKG_NO;  // campaign package number
    QString CMPN_PCKG_REF; // catalogue key followed by the package number

    CCDAutoHtb m_htb0{QStringList{QStringLiteral("CMPN_NO"), QStringLiteral("CMPN_PCKG_NO")}};

protected:
    std::vector<Field> Fields() override;
    std::vector<CCDIndex *> Indexes() override;
};
