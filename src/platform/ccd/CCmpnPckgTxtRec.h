#pragma once
// Names and texts of the campaign packages,
// file "CMPN_PCKG_TXT.dat" in the dealer data folder.

#include "platform/ccd/CCDRec.h"

class CCmpnPckgTxtRec : public CCDRec
{
public:
    CCmpnPckgTxtRec();

    // The file name, "CMPN_PCKG_TXT.dat".
    static QString FileName();
    // Opens the file in the folder; nonzero when open.
    int Open(const QString &folder);

    // Exact search on CMPN_NO + CMPN_PCKG_NO (joined directly).
    int SearchCmpnPckgTxt(const QString &key);

    // Fields of the current row, named as in the first line of the file.
    QString NSCID;        // importer id
    QString DLRID;        // dealer id
    QString CMPN_NO;      // campaign number
    QString CMPN_PCKG_NO; // campaign package number
    QString CMPN_PCKG_NAME;
    QString CMPN_PCKG_TEXT;

    CCDAutoHtb m_htb0{QStringList{QStringLiteral("CMPN_NO"), QStringLiteral("CMPN_PCKG_NO")}};

protected:
    std::vector<Field> Fields() override;
    std::vector<CCDIndex *> Indexes() override;
};
