#pragma once
// Names of the spot-repair damage classes,
// file "SPOTR_DMG_CLASS_TXT.dat" in the dealer data folder.

#include "platform/ccd/CCDRec.h"

class CSpotrDmgClassTxtRec : public CCDRec
{
public:
    CSpotrDmgClassTxtRec();

    // The file name, "SPOTR_DMG_CLASS_TXT.dat".
    static QString FileName();
    // Opens the file in the folder; nonzero when open.
    int Open(const QString &folder);

    // Keyed run over the brand letter: the damage classes of one brand in
    // file order.
    int MoveDmgClassName(int mode, const QString &key);

    // Fields of the current row, named as in the first line of the file.
    QString NSCID;           // importer id
    QString DLRID;           // dealer id
    QString Brand;           // brand letter
    QString DMG_CLASS;       // damage class
    QString DMG_CLASS_ATTR1; // first attribute
    QString DMG_CLASS_NAME;  // name shown
    QString DMG_CLASS_ATTR2; // second attribute

    CCDAutoHtb m_htbDmgClass{QStringList{QStringLiteral("Brand")}};

protected:
    std::vector<Field> Fields() override;
    std::vector<CCDIndex *> Indexes() override;
};
