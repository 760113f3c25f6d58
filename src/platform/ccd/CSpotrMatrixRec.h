#pragma once
// Spot-repair price matrix: net price of a work unit per brand and
// matrix field,
// file "SPOTR_MATRIX.dat" in the dealer data folder.

#include "platform/ccd/CCDRec.h"

class CSpotrMatrixRec : public CCDRec
{
public:
    CSpotrMatrixRec();

    // The file name, "SPOTR_MATRIX.dat".
    static QString FileName();
    // Opens the file in the folder; nonzero when open.
    int Open(const QString &folder);

    // Keyed run over the brand letter: the matrix rows of one brand in file
    // order.
    int MoveWorkUnitNo(int mode, const QString &key);

    // Fields of the current row, named as in the first line of the file.
    QString NSCID;        // importer id
    QString DLRID;        // dealer id
    QString Brand;        // brand letter
    QString MATRIX_FIELD; // matrix field
    QString WORK_UNIT_NO; // work unit number
    QString NET_PRICE;    // net price
    QString VAT_PERCENT;  // VAT %
    QString CURRENCY;     // currency

    CCDAutoHtb m_htbWorkUnitNo{QStringList{QStringLiteral("Brand")}};

protected:
    std::vector<Field> Fields() override;
    std::vector<CCDIndex *> Indexes() override;
};
