#include "platform/ccd/CCmpnRec.h"

#include "platform/AppPaths.h"

CCmpnRec::CCmpnRec() = default;

QString CCmpnRec::FileName()
{
    return QStringLiteral("CMPN.dat");
}

int CCmpnRec::Open(const QString &folder)
{
    return CCDRec::Open(JoinPath(folder, FileName()));
}

int CCmpnRec::SearchCmpn(const QString &key)
{
    return AutoSearch(m_htb0, key);
}

std::vector<CCDRec::Field> CCmpnRec::Fields()
{
    return {
        {"NSCID", &NSCID},
        {"DLRID", &DLRID},
        {"CMPN_NO", &CMPN_NO},
        {"CMPN_PERIOD_BEG", &CMPN_PERIOD_BEG},
        {"CMPN_PERIOD_END", &CMPN_PERIOD_END},
        {"FREG_PERIOD_BEG", &FREG_PERIOD_BEG},
        {"FREG_PERIOD_END", &FREG_PERIOD_END},
        {"VCL_AGE_BEG", &VCL_AGE_BEG},
        {"VCL_AGE_END", &VCL_AGE_END},
        {"CMPN_ATTR1", &CMPN_ATTR1},
        {"PRICE_TYPE_DEF", &PRICE_TYPE_DEF},
        {"CMPN_ATTR2", &CMPN_ATTR2},
        {"CMPN_CCY", &CMPN_CCY},
    };
}

std::vector<CCDIndex *> CCmpnRec::Indexes()
{
    return {&m_htb0};
}
