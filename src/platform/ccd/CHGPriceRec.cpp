#include "platform/ccd/CHGPriceRec.h"

#include "platform/AppPaths.h"

CHGPriceRec::CHGPriceRec() = default;

QString CHGPriceRec::FileName()
{
    return QStringLiteral("HGPrice.dat");
}

int CHGPriceRec::Open(const QString &folder)
{
    return CCDRec::Open(JoinPath(folder, FileName()));
}

int CHGPriceRec::SearchPrice(const QString &key)
{
    return AutoSearch(m_ntxHG, key);
}

std::vector<CCDRec::Field> CHGPriceRec::Fields()
{
    return {
        {"HG", &HG},
        {"Preis", &Preis},
        {"MwSt", &MwSt},
    };
}

std::vector<CCDIndex *> CHGPriceRec::Indexes()
{
    return {&m_ntxHG};
}
