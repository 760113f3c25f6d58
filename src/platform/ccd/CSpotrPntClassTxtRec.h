#pragma once
// Names of the spot-repair paint classes,
// file "SPOTR_PNT_CLASS_TXT.dat" in the dealer data folder.

#include "platform/ccd/CCDRec.h"

class CSpotrPntClassTxtRec : public CCDRec
{
public:
    CSpotrPntClassTxtRec();

    // The file name, "SPOTR_PNT_CLASS_TXT.dat".
    static QString FileName();
    // Opens the file in the folder; nonzero when open.
    int Open(const QString &folder);

    // Keyed run over the brand letter: the paint classes of one brand in
    // file order.
    int MovePntClassName(int mode, const QString &key);

    // Fields of the current row, named as in the first line of the file.
    QString NSCID;           // importer id
    QString DLRID;           // dealer id
    QString Brand;           // brand letter
    QString PNT_CLASS;       // paint class
    QString PNT_CLASS_ATTR1; // first attribute
    QString PNT_CLASS_NAME;  // name shown
    QString PNT_CLASS_ATTR2; // second attribute

    CCDAutoHtb m_htbPntClass{QStringList{QStringLiteral("Brand")}};

protected:
    std::vector<Field> Fields() override;
    std::vector<CCDIndex *> Indexes() override;
};
