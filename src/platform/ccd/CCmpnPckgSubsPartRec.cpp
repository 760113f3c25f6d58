#include "platform/ccd/CCmpnPckgSubsPartRec.h"

#include "platform/AppPaths.h"

CCmpnPckgSubsPartRec::CCmpnPckgSubsPartRec() = default;

QString CCmpnPckgSubsPartRec::FileName()
{
    return QStringLiteral("CMPN_PCKG_SUBS_PART.dat");
}

int CCmpnPckgSubsPartRec::Open(const QString &folder)
{
    return CCDRec::Open(JoinPath(folder, FileName()));
}

int CCmpnPckgSubsPartRec::MoveCmpnPckgSubsPart(int mode, const QString &key)
{
    return AutoMove(m_htb0, mode, key);
}

std::vector<CCDRec::Field> CCmpnPckgSubsPartRec::Fields()
{
    return {
        {"NSCID", &NSCID},
        {"CMPN_NO", &CMPN_NO},
        {"CMPN_PCKG_NO", &CMPN_PCKG_NO},
        {"SUBS_NO", &SUBS_NO},
        {"TYP_SCHL", &TYP_SCHL},
        {"CMPN_PCKG_REF", &CMPN_PCKG_REF},
        {"PART_POS_NO", &PART_POS_NO},
        {"PART_NO", &PART_NO},
        {"PART_CATEGORY", &PART_CATEGORY},
        {"PART_PRICE", &PART_PRICE},
        {"PART_QUANTITY", &PART_QUANTITY},
        {"PART_USAGE", &PART_USAGE},
        {"PART_STAT", &PART_STAT},
        {"PART_OPERABILITY", &PART_OPERABILITY},
        {"PART_REF_POS_NO", &PART_REF_POS_NO},
    };
}

std::vector<CCDIndex *> CCmpnPckgSubsPartRec::Indexes()
{
    return {&m_htb0};
}
