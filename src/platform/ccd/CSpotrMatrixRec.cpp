#include "platform/ccd/CSpotrMatrixRec.h"

#include "platform/AppPaths.h"

CSpotrMatrixRec::CSpotrMatrixRec() = default;

QString CSpotrMatrixRec::FileName()
{
    return QStringLiteral("SPOTR_MATRIX.dat");
}

int CSpotrMatrixRec::Open(const QString &folder)
{
    return CCDRec::Open(JoinPath(folder, FileName()));
}

int CSpotrMatrixRec::MoveWorkUnitNo(int mode, const QString &key)
{
    return AutoMove(m_htbWorkUnitNo, mode, key);
}

std::vector<CCDRec::Field> CSpotrMatrixRec::Fields()
{
    return {
        {"NSCID", &NSCID},
        {"DLRID", &DLRID},
        {"Brand", &Brand},
        {"MATRIX_FIELD", &MATRIX_FIELD},
        {"WORK_UNIT_NO", &WORK_UNIT_NO},
        {"NET_PRICE", &NET_PRICE},
        {"VAT_PERCENT", &VAT_PERCENT},
        {"CURRENCY", &CURRENCY},
    };
}

std::vector<CCDIndex *> CSpotrMatrixRec::Indexes()
{
    return {&m_htbWorkUnitNo};
}
