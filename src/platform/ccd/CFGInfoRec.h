#pragma once
// The dealer's vehicles for the vehicle search, file "FGInfo<language>.dat"
// in the request folder. The four search fields have word indexes.

#include "platform/ccd/CCDRec.h"

class CFGInfoRec : public CCDRec
{
public:
    CFGInfoRec();

    // The file name for a language ("FGInfo" + language + ".dat").
    static QString FileName(const QString &language);
    // Opens the file of the language in the folder; nonzero when open.
    int Open(const QString &folder, const QString &language);

    // Keyed run over the licence plate words.
    int MovePolKZ(int mode, const QString &key);
    // Keyed run over the last-name words.
    int MoveName(int mode, const QString &key);
    // Keyed run over criterion 3.
    int MoveSuchkriterium3(int mode, const QString &key);
    // Keyed run over criterion 4.
    int MoveSuchkriterium4(int mode, const QString &key);

    // Fields of the current row, named as in the first line of the file.
    QString FgstNr;         // VIN, 17 characters
    QString PolKZ;          // licence plate (shown as result text 1)
    QString Name;           // owner's last name (shown as result text 2)
    QString Suchkriterium3; // free search criterion 3 (customer number)
    QString Suchkriterium4; // free search criterion 4 (order number)
    QString Fahrzeug;       // vehicle description (shown as result text 3)
    QString Bemerkung;      // remark

    CCDAutoWrd m_wrdPolKZ{QStringList{QStringLiteral("PolKZ")}};
    CCDAutoWrd m_wrdName{QStringList{QStringLiteral("Name")}};
    CCDAutoWrd m_wrdSuchkriterium3{QStringList{QStringLiteral("Suchkriterium3")}};
    CCDAutoWrd m_wrdSuchkriterium4{QStringList{QStringLiteral("Suchkriterium4")}};

protected:
    std::vector<Field> Fields() override;
    std::vector<CCDIndex *> Indexes() override;
};
