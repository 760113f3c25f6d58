#include "platform/ccd/CHLXFgstNrRec.h"

#include "platform/AppPaths.h"

CHLXFgstNrRec::CHLXFgstNrRec() = default;

QString CHLXFgstNrRec::FileName()
{
    return QStringLiteral("HLXFgstNr.dat");
}

int CHLXFgstNrRec::Open(const QString &folder)
{
    return CCDRec::Open(JoinPath(folder, FileName()));
}

int CHLXFgstNrRec::MoveHLXFgstNr(int mode, const QString &key)
{
    return AutoMove(m_htbFgstNr, mode, key);
}

int CHLXFgstNrRec::MoveHLXFgstNrFromBegin(int mode)
{
    return Move(mode);
}

std::vector<CCDRec::Field> CHLXFgstNrRec::Fields()
{
    return {
        {"FgstNr", &FgstNr},
        {"ProduktNr", &ProduktNr},
        {"Beginn", &Beginn},
        {"Ende", &Ende},
    };
}

std::vector<CCDIndex *> CHLXFgstNrRec::Indexes()
{
    return {&m_htbFgstNr};
}
