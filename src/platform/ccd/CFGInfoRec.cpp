#include "platform/ccd/CFGInfoRec.h"

#include "platform/AppPaths.h"

CFGInfoRec::CFGInfoRec() = default;

QString CFGInfoRec::FileName(const QString &language)
{
    return QStringLiteral("FGInfo") + language + QStringLiteral(".dat");
}

int CFGInfoRec::Open(const QString &folder, const QString &language)
{
    return CCDRec::Open(JoinPath(folder, FileName(language)));
}

int CFGInfoRec::MovePolKZ(int mode, const QString &key)
{
    return AutoMove(m_wrdPolKZ, mode, key);
}

int CFGInfoRec::MoveName(int mode, const QString &key)
{
    return AutoMove(m_wrdName, mode, key);
}

int CFGInfoRec::MoveSuchkriterium3(int mode, const QString &key)
{
    return AutoMove(m_wrdSuchkriterium3, mode, key);
}

int CFGInfoRec::MoveSuchkriterium4(int mode, const QString &key)
{
    return AutoMove(m_wrdSuchkriterium4, mode, key);
}

std::vector<CCDRec::Field> CFGInfoRec::Fields()
{
    return {
        {"FgstNr", &FgstNr},
        {"PolKZ", &PolKZ},
        {"Name", &Name},
        {"Suchkriterium3", &Suchkriterium3},
        {"Suchkriterium4", &Suchkriterium4},
        {"Fahrzeug", &Fahrzeug},
        {"Bemerkung", &Bemerkung},
    };
}

std::vector<CCDIndex *> CFGInfoRec::Indexes()
{
    return {&m_wrdPolKZ, &m_wrdName, &m_wrdSuchkriterium3, &m_wrdSuchkriterium4};
}
