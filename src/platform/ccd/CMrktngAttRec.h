#pragma once
// Marketing attributes of packages, file "MRKTNG_ATT.dat" in the dealer
// data folder.

#include "platform/ccd/CCDRec.h"

class CMrktngAttRec : public CCDRec
{
public:
    CMrktngAttRec();

    // The file name, "MRKTNG_ATT.dat".
    static QString FileName();
    // Opens the file in the folder; nonzero when open.
    int Open(const QString &folder);

    // Attributes of a package: exact search on Schluessel.
    int SearchFstlnValueln(const QString &key);

    // Fields of the current row, named as in the first line of the file.
    QString Schluessel; // catalogue key followed directly by the package number
    QString Fastlane;   // fast-lane value; "0" means no
    QString Valueline;  // value-line value; "0" means no

    CCDAutoHtb m_htbSchluessel{QStringList{QStringLiteral("Schluessel")}};

protected:
    std::vector<Field> Fields() override;
    std::vector<CCDIndex *> Indexes() override;
};
