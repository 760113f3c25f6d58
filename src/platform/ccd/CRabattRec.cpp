#include "platform/ccd/CRabattRec.h"

#include "platform/AppPaths.h"

CRabattRec::CRabattRec() = default;

QString CRabattRec::FileName()
{
    return QStringLiteral("Rabatt.dat");
}

int CRabattRec::Open(const QString &folder)
{
    return CCDRec::Open(JoinPath(folder, FileName()));
}

int CRabattRec::SearchRabatt(const QString &key)
{
    return AutoSearch(m_htbFgstNr, key);
}

std::vector<CCDRec::Field> CRabattRec::Fields()
{
    return {
        {"FgstNr", &FgstNr},
        {"RabattTeile", &RabattTeile},
        {"RabattAW", &RabattAW},
    };
}

std::vector<CCDIndex *> CRabattRec::Indexes()
{
    return {&m_htbFgstNr};
}
