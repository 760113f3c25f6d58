#include "platform/ccd/CDIPRec.h"

#include "platform/AppPaths.h"

CDIPRec::CDIPRec() = default;

QString CDIPRec::FileName(const QString &language)
{
    return QStringLiteral("DIP_") + language + QStringLiteral(".dat");
}

int CDIPRec::Open(const QString &folder, const QString &language)
{
    return CCDRec::Open(JoinPath(folder, FileName(language)));
}

int CDIPRec::SearchErsetztTeil(const QString &key)
{
    return AutoSearch(m_ntxTeileNr, key);
}

std::vector<CCDRec::Field> CDIPRec::Fields()
{
    return {
        {"TeileNr", &TeileNr},
        {"ErsetztDurchNr", &ErsetztDurchNr},
        {"ErsetztDurchText", &ErsetztDurchText},
        {"Preis", &Preis},
        {"MwSt", &MwSt},
    };
}

std::vector<CCDIndex *> CDIPRec::Indexes()
{
    return {&m_ntxTeileNr};
}
