#include "platform/ccd/CSpotrDmgClassTxtRec.h"

#include "platform/AppPaths.h"

CSpotrDmgClassTxtRec::CSpotrDmgClassTxtRec() = default;

QString CSpotrDmgClassTxtRec::FileName()
{
    return QStringLiteral("SPOTR_DMG_CLASS_TXT.dat");
}

int CSpotrDmgClassTxtRec::Open(const QString &folder)
{
    return CCDRec::Open(JoinPath(folder, FileName()));
}

int CSpotrDmgClassTxtRec::MoveDmgClassName(int mode, const QString &key)
{
    return AutoMove(m_htbDmgClass, mode, key);
}

std::vector<CCDRec::Field> CSpotrDmgClassTxtRec::Fields()
{
    return {
        {"NSCID", &NSCID},
        {"DLRID", &DLRID},
        {"Brand", &Brand},
        {"DMG_CLASS", &DMG_CLASS},
        {"DMG_CLASS_ATTR1", &DMG_CLASS_ATTR1},
        {"DMG_CLASS_NAME", &DMG_CLASS_NAME},
        {"DMG_CLASS_ATTR2", &DMG_CLASS_ATTR2},
    };
}

std::vector<CCDIndex *> CSpotrDmgClassTxtRec::Indexes()
{
    return {&m_htbDmgClass};
}
