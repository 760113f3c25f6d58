#include "platform/ccd/CSpotrPntClassTxtRec.h"

#include "platform/AppPaths.h"

CSpotrPntClassTxtRec::CSpotrPntClassTxtRec() = default;

QString CSpotrPntClassTxtRec::FileName()
{
    return QStringLiteral("SPOTR_PNT_CLASS_TXT.dat");
}

int CSpotrPntClassTxtRec::Open(const QString &folder)
{
    return CCDRec::Open(JoinPath(folder, FileName()));
}

int CSpotrPntClassTxtRec::MovePntClassName(int mode, const QString &key)
{
    return AutoMove(m_htbPntClass, mode, key);
}

std::vector<CCDRec::Field> CSpotrPntClassTxtRec::Fields()
{
    return {
        {"NSCID", &NSCID},
        {"DLRID", &DLRID},
        {"Brand", &Brand},
        {"PNT_CLASS", &PNT_CLASS},
        {"PNT_CLASS_ATTR1", &PNT_CLASS_ATTR1},
        {"PNT_CLASS_NAME", &PNT_CLASS_NAME},
        {"PNT_CLASS_ATTR2", &PNT_CLASS_ATTR2},
    };
}

std::vector<CCDIndex *> CSpotrPntClassTxtRec::Indexes()
{
    return {&m_htbPntClass};
}
