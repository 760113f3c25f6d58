#include "platform/ccd/CDIPMarktTextRec.h"

#include "platform/AppPaths.h"

CDIPMarktTextRec::CDIPMarktTextRec() = default;

QString CDIPMarktTextRec::FileName()
{
    return QStringLiteral("DIPMarktText.dat");
}

int CDIPMarktTextRec::Open(const QString &folder)
{
    return CCDRec::Open(JoinPath(folder, FileName()));
}

int CDIPMarktTextRec::MoveDIPPaketFromBegin(int mode)
{
    return Move(mode);
}

std::vector<CCDRec::Field> CDIPMarktTextRec::Fields()
{
    return {
        {"Sprache", &Sprache},
        {"Titel", &Titel},
        {"Text", &Text},
    };
}
