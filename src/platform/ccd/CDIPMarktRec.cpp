#include "platform/ccd/CDIPMarktRec.h"

#include "platform/AppPaths.h"

CDIPMarktRec::CDIPMarktRec() = default;

QString CDIPMarktRec::FileName()
{
    return QStringLiteral("DIPMarkt.dat");
}

int CDIPMarktRec::Open(const QString &folder)
{
    return CCDRec::Open(JoinPath(folder, FileName()));
}

int CDIPMarktRec::MoveDIPPaketFromBegin(int mode)
{
    return Move(mode);
}

std::vector<CCDRec::Field> CDIPMarktRec::Fields()
{
    return {
        {"TeileNr", &TeileNr}, {"Bezeichnung", &Bezeichnung}, {"Gebinde", &Gebinde},
        {"Typ", &Typ},         {"Anzeige", &Anzeige},
    };
}
