#include "platform/ccd/CSpotrCombRec.h"

#include "platform/AppPaths.h"

CSpotrCombRec::CSpotrCombRec() = default;

QString CSpotrCombRec::FileName()
{
    return QStringLiteral("SPOTR_COMB.dat");
}

int CSpotrCombRec::Open(const QString &folder)
{
    return CCDRec::Open(JoinPath(folder, FileName()));
}

int CSpotrCombRec::MoveSpotrComb(int mode, const QString &key)
{
    return AutoMove(m_htbSpotrComb, mode, key);
}

std::vector<CCDRec::Field> CSpotrCombRec::Fields()
{
    return {
        {"NSCID", &NSCID},
        {"DLRID", &DLRID},
        {"Brand", &Brand},
        {"PNT_CLASS", &PNT_CLASS},
        {"DMG_CLASS_1", &DMG_CLASS_1},
        {"DMG_CLASS_2", &DMG_CLASS_2},
        {"SPOTR_COLOUR", &SPOTR_COLOUR},
        {"COMB_FACTOR", &COMB_FACTOR},
    };
}

std::vector<CCDIndex *> CSpotrCombRec::Indexes()
{
    return {&m_htbSpotrComb};
}
