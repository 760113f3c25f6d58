#include "platform/ccd/CCmpnPckgRec.h"

#include "platform/AppPaths.h"

CCmpnPckgRec::CCmpnPckgRec() = default;

QString CCmpnPckgRec::FileName()
{
    return QStringLiteral("CMPN_PCKG.dat");
}

int CCmpnPckgRec::Open(const QString &folder)
{
    return CCDRec::Open(JoinPath(folder, FileName()));
}

int CCmpnPckgRec::SearchCmpnPckg(const QString &key)
{
    return AutoSearch(m_htb0, key);
}

std::vector<CCDRec::Field> CCmpnPckgRec::Fields()
{
    return {
        {"NSCID", &NSCID},
        {"CMPN_NO", &CMPN_NO},
        {"CMPN_PCKG_NO", &CMPN_PCKG_NO},
        {"CMPN_PCKG_REF", &CMPN_PCKG_REF},
    };
}

std::vector<CCDIndex *> CCmpnPckgRec::Indexes()
{
    return {&m_htb0};
}
