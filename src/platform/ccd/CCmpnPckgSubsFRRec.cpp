#include "platform/ccd/CCmpnPckgSubsFRRec.h"

#include "platform/AppPaths.h"

CCmpnPckgSubsFRRec::CCmpnPckgSubsFRRec() = default;

QString CCmpnPckgSubsFRRec::FileName()
{
    return QStringLiteral("CMPN_PCKG_SUBS_FR.dat");
}

int CCmpnPckgSubsFRRec::Open(const QString &folder)
{
    return CCDRec::Open(JoinPath(folder, FileName()));
}

int CCmpnPckgSubsFRRec::MoveCmpnPckgSubsFR(int mode, const QString &key)
{
    return AutoMove(m_htb0, mode, key);
}

int CCmpnPckgSubsFRRec::SearchCmpnPckgSubsFRLine(const QString &key)
{
    return AutoSearch(m_htb1, key);
}

std::vector<CCDRec::Field> CCmpnPckgSubsFRRec::Fields()
{
    return {
        {"NSCID", &NSCID},
        {"CMPN_NO", &CMPN_NO},
        {"CMPN_PCKG_NO", &CMPN_PCKG_NO},
        {"SUBS_NO", &SUBS_NO},
        {"TYP_SCHL", &TYP_SCHL},
        {"CMPN_PCKG_REF", &CMPN_PCKG_REF},
        {"FR_LINE_NO", &FR_LINE_NO},
        {"FR_NO", &FR_NO},
        {"FR_QUANTITY", &FR_QUANTITY},
        {"FR_PRICE", &FR_PRICE},
        {"FR_USAGE", &FR_USAGE},
        {"FR_STAT", &FR_STAT},
        {"FR_OPERABILITY", &FR_OPERABILITY},
        {"FR_REF_LINE_NO", &FR_REF_LINE_NO},
    };
}

std::vector<CCDIndex *> CCmpnPckgSubsFRRec::Indexes()
{
    return {&m_htb0, &m_htb1};
}
