#include "platform/ccd/CETPriceRec.h"

#include "platform/AppPaths.h"

CETPriceRec::CETPriceRec() = default;

QString CETPriceRec::FileName()
{
    return QStringLiteral("ETPrice.dat");
}

int CETPriceRec::Open(const QString &folder)
{
    return CCDRec::Open(JoinPath(folder, FileName()));
}

int CETPriceRec::SearchPrice(const QString &key)
{
    return AutoSearch(m_htbTeileNr, key);
}

std::vector<CCDRec::Field> CETPriceRec::Fields()
{
    return {
        {"TeileNr", &TeileNr},
        {"Bezeichnung", &Bezeichnung},
        {"Preis", &Preis},
        {"MwSt", &MwSt},
    };
}

std::vector<CCDIndex *> CETPriceRec::Indexes()
{
    return {&m_htbTeileNr};
}
