#include "platform/ccd/CCmpnTxtRec.h"

#include "platform/AppPaths.h"

CCmpnTxtRec::CCmpnTxtRec() = default;

QString CCmpnTxtRec::FileName()
{
    return QStringLiteral("CMPN_TXT.dat");
}

int CCmpnTxtRec::Open(const QString &folder)
{
    return CCDRec::Open(JoinPath(folder, FileName()));
}

int CCmpnTxtRec::SearchCmpnTxt(const QString &key)
{
    return AutoSearch(m_htb0, key);
}

std::vector<CCDRec::Field> CCmpnTxtRec::Fields()
{
    return {
        {"NSCID", &NSCID},
        {"DLRID", &DLRID},
        {"CMPN_NO", &CMPN_NO},
        {"CMPN_NAME", &CMPN_NAME},
        {"CMPN_COMMERCIAL_TEXT", &CMPN_COMMERCIAL_TEXT},
    };
}

std::vector<CCDIndex *> CCmpnTxtRec::Indexes()
{
    return {&m_htb0};
}
