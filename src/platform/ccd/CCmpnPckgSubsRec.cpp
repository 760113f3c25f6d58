#include "platform/ccd/CCmpnPckgSubsRec.h"

#include "platform/AppPaths.h"

CCmpnPckgSubsRec::CCmpnPckgSubsRec() = default;

QString CCmpnPckgSubsRec::FileName()
{
    return QStringLiteral("CMPN_PCKG_SUBS.dat");
}

int CCmpnPckgSubsRec::Open(const QString &folder)
{
    return CCDRec::Open(JoinPath(folder, FileName()));
}

int CCmpnPckgSubsRec::MoveCmpnPckgSubs(int mode, const QString &key)
{
    return AutoMove(m_htb0, mode, key);
}

std::vector<CCDRec::Field> CCmpnPckgSubsRec::Fields()
{
    return {
        {"NSCID", &NSCID},
        {"DLRID", &DLRID},
        {"CMPN_NO", &CMPN_NO},
        {"CMPN_PCKG_NO", &CMPN_PCKG_NO},
        {"SUBS_NO", &SUBS_NO},
        {"TYP_SCHL", &TYP_SCHL},
        {"PROD_PERIOD_BEG", &PROD_PERIOD_BEG},
        {"PROD_PERIOD_END", &PROD_PERIOD_END},
        {"CMPN_PCKG_PRICE_DEF", &CMPN_PCKG_PRICE_DEF},
        {"CMPN_PCKG_LABOUR_PRICE_DEF", &CMPN_PCKG_LABOUR_PRICE_DEF},
        {"CMPN_PCKG_PART_PRICE_DEF", &CMPN_PCKG_PART_PRICE_DEF},
        {"CMPN_PCKG_LABOUR_OIL_PRICE_DEF", &CMPN_PCKG_LABOUR_OIL_PRICE_DEF},
    };
}

std::vector<CCDIndex *> CCmpnPckgSubsRec::Indexes()
{
    return {&m_htb0};
}
