#include "platform/ccd/CPauschalRec.h"

#include "platform/AppPaths.h"

CPauschalRec::CPauschalRec() = default;

QString CPauschalRec::FileName()
{
    return QStringLiteral("Pauschal.dat");
}

int CPauschalRec::Open(const QString &folder)
{
    return CCDRec::Open(JoinPath(folder, FileName()));
}

int CPauschalRec::SearchPauschalPreis(const QString &key)
{
    return AutoSearch(m_htbSchluessel, key);
}

std::vector<CCDRec::Field> CPauschalRec::Fields()
{
    return {
        {"Schluessel", &Schluessel},
        {"Preis", &Preis},
        {"MwSt", &MwSt},
    };
}

std::vector<CCDIndex *> CPauschalRec::Indexes()
{
    return {&m_htbSchluessel};
}
