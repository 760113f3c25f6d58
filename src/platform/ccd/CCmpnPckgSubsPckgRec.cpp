#include "platform/ccd/CCmpnPckgSubsPckgRec.h"

#include "platform/AppPaths.h"

CCmpnPckgSubsPckgRec::CCmpnPckgSubsPckgRec() = default;

QString CCmpnPckgSubsPckgRec::FileName()
{
    return QStringLiteral("CMPN_PCKG_SUBS_PCKG.dat");
}

int CCmpnPckgSubsPckgRec::Open(const QString &folder)
{
    return CCDRec::Open(JoinPath(folder, FileName()));
}

int CCmpnPckgSubsPckgRec::MoveCmpnPckgSubsPckg(int mode, const QString &key)
{
    return AutoMove(m_htb0, mode, key);
}

std::vector<CCDRec::Field> CCmpnPckgSubsPckgRec::Fields()
{
    return {
        {"NSCID", &NSCID},
        {"CMPN_NO", &CMPN_NO},
        {"CMPN_PCKG_NO", &CMPN_PCKG_NO},
        {"SUBS_NO", &SUBS_NO},
        {"CMPN_PCKG_REF", &CMPN_PCKG_REF},
        {"SUB_PCKG_POS_NO", &SUB_PCKG_POS_NO},
        {"SUB_PCKG_REF", &SUB_PCKG_REF},
        {"SUB_PCKG_ATTR1", &SUB_PCKG_ATTR1},
        {"SUB_PCKG_ATTR2", &SUB_PCKG_ATTR2},
        {"PCKG_STAT", &PCKG_STAT},
        {"PCKG_OPERABILITY", &PCKG_OPERABILITY},
    };
}

std::vector<CCDIndex *> CCmpnPckgSubsPckgRec::Indexes()
{
    return {&m_htb0};
}
