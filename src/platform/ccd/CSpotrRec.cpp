#include "platform/ccd/CSpotrRec.h"

#include "platform/AppPaths.h"

CSpotrRec::CSpotrRec() = default;

QString CSpotrRec::FileName()
{
    return QStringLiteral("SPOTR.dat");
}

int CSpotrRec::Open(const QString &folder)
{
    return CCDRec::Open(JoinPath(folder, FileName()));
}

int CSpotrRec::MoveSpotr(int mode, const QString &key)
{
    return AutoMove(m_htbSpotr, mode, key);
}

std::vector<CCDRec::Field> CSpotrRec::Fields()
{
    return {
        {"NSCID", &NSCID},           {"DLRID", &DLRID},
        {"Brand", &Brand},           {"PNT_CLASS", &PNT_CLASS},
        {"DMG_CLASS", &DMG_CLASS},   {"SPOTR_COLOUR", &SPOTR_COLOUR},
        {"MA_PERCENT", &MA_PERCENT}, {"SPOTR_QUANTITY", &SPOTR_QUANTITY},
    };
}

std::vector<CCDIndex *> CSpotrRec::Indexes()
{
    return {&m_htbSpotr};
}
