#pragma once
// Names and commercial texts of the campaigns,
// file "CMPN_TXT.dat" in the dealer data folder.

#include "platform/ccd/CCDRec.h"

class CCmpnTxtRec : public CCDRec
{
public:
    CCmpnTxtRec();

    // The file name, "CMPN_TXT.dat".
    static QString FileName();
    // Opens the file in the folder; nonzero when open.
    int Open(const QString &folder);

    // Exact search on CMPN_NO.
    int SearchCmpnTxt(const QString &key);

    // Fields of the current row, named as in the first line of the file.
    QString NSCID;   // importer id
    QString DLRID;   // dealer id
    QString CMPN_NO; // campaign number
    QString CMPN_NAME;
    QString CMPN_COMMERCIAL_TEXT;

    CCDAutoHtb m_htb0{QStringList{QStringLiteral("CMPN_NO")}};

protected:
    std::vector<Field> Fields() override;
    std::vector<CCDIndex *> Indexes() override;
};
