#include "platform/ccd/CLagerRec.h"

#include "platform/AppPaths.h"

CLagerRec::CLagerRec() = default;

QString CLagerRec::FileName()
{
    return QStringLiteral("Lager.dat");
}

int CLagerRec::Open(const QString &folder)
{
    return CCDRec::Open(JoinPath(folder, FileName()));
}

int CLagerRec::SearchBestand(const QString &key)
{
    return AutoSearch(m_htbTeileNr, key);
}

std::vector<CCDRec::Field> CLagerRec::Fields()
{
    return {
        {"TeileNr", &TeileNr},
        {"Bestand", &Bestand},
    };
}

std::vector<CCDIndex *> CLagerRec::Indexes()
{
    return {&m_htbTeileNr};
}
