#include "platform/ccd/CCmpnPckgTxtRec.h"

#include "platform/AppPaths.h"

CCmpnPckgTxtRec::CCmpnPckgTxtRec() = default;

QString CCmpnPckgTxtRec::FileName()
{
    return QStringLiteral("CMPN_PCKG_TXT.dat");
}

int CCmpnPckgTxtRec::Open(const QString &folder)
{
    return CCDRec::Open(JoinPath(folder, FileName()));
}

int CCmpnPckgTxtRec::SearchCmpnPckgTxt(const QString &key)
{
    return AutoSearch(m_htb0, key);
}

std::vector<CCDRec::Field> CCmpnPckgTxtRec::Fields()
{
    return {
        {"NSCID", &NSCID},
        {"DLRID", &DLRID},
        {"CMPN_NO", &CMPN_NO},
        {"CMPN_PCKG_NO", &CMPN_PCKG_NO},
        {"CMPN_PCKG_NAME", &CMPN_PCKG_NAME},
        {"CMPN_PCKG_TEXT", &CMPN_PCKG_TEXT},
    };
}

std::vector<CCDIndex *> CCmpnPckgTxtRec::Indexes()
{
    return {&m_htb0};
}
