#pragma once
// The version line of the window caption, from the program's version data
// set when it is built: " - MM/YYYY <edition> (Build b.s)".
//
// The four numbers follow the file-version scheme of the releases: month,
// year, build and sub-build. Only a build that carries an edition text (a
// release build) shows a version line; a developer build shows none.

#include <QString>

struct CVersionData
{
    unsigned int nMonth = 0;    // most significant part, high word
    unsigned int nYear = 0;     // most significant part, low word
    unsigned int nBuild = 0;    // least significant part, high word
    unsigned int nSubBuild = 0; // least significant part, low word
    QString strEdition;         // the release's edition text ("R1")
};

class CVersionLine
{
public:
    // The version data this program was built with.
    static CVersionData ProgramVersion();
    // " - 03/2019 R1 (Build 12.7)"; empty without an edition text.
    static QString Format(const CVersionData &version);
};
