#include "app/VersionLine.h"

#ifndef YAQ_VERSION_MAJOR
#define YAQ_VERSION_MAJOR 0
#endif
#ifndef YAQ_VERSION_MINOR
#define YAQ_VERSION_MINOR 0
#endif
#ifndef YAQ_VERSION_PATCH
#define YAQ_VERSION_PATCH 0
#endif
#ifndef YAQ_VERSION_TWEAK
#define YAQ_VERSION_TWEAK 0
#endif
#ifndef YAQ_SPECIAL_BUILD
#define YAQ_SPECIAL_BUILD ""
#endif

CVersionData CVersionLine::ProgramVersion()
{
    CVersionData v;
    v.nMonth = YAQ_VERSION_MAJOR;
    v.nYear = YAQ_VERSION_MINOR;
    v.nBuild = YAQ_VERSION_PATCH;
    v.nSubBuild = YAQ_VERSION_TWEAK + 0;
    v.strEdition = QStringLiteral(YAQ_SPECIAL_BUILD);
    return v;
}

QString CVersionLine::Format(const CVersionData &version)
{
    if (version.strEdition.isEmpty())
        return QString();
    // The edition text is joined, not substituted, so that a "%" in it stays.
    return QStringLiteral(" - %1/%2 ")
               .arg(version.nMonth, 2, 10, QLatin1Char('0'))
               .arg(version.nYear) +
           version.strEdition +
           QStringLiteral(" (Build %1.%2)").arg(version.nBuild).arg(version.nSubBuild);
}
