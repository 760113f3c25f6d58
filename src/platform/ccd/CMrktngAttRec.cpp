#include "platform/ccd/CMrktngAttRec.h"

#include "platform/AppPaths.h"

CMrktngAttRec::CMrktngAttRec() = default;

QString CMrktngAttRec::FileName()
{
    return QStringLiteral("MRKTNG_ATT.dat");
}

int CMrktngAttRec::Open(const QString &folder)
{
    return CCDRec::Open(JoinPath(folder, FileName()));
}

int CMrktngAttRec::SearchFstlnValueln(const QString &key)
{
    return AutoSearch(m_htbSchluessel, key);
}

std::vector<CCDRec::Field> CMrktngAttRec::Fields()
{
    return {
        {"Schluessel", &Schluessel},
        {"Fastlane", &Fastlane},
        {"Valueline", &Valueline},
    };
}

std::vector<CCDIndex *> CMrktngAttRec::Indexes()
{
    return {&m_htbSchluessel};
}
