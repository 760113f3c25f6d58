#pragma once
// The sibling programs the head row starts: the two-wheeler program
// ("Y5YAQ" in the folder "Y5YAQ") and the DMS download tool ("WQS" in the
// folder "DMS_DNLD"), both in the program directory. Where they lie, what
// they are told on their command line and what the user reads when one
// cannot be started.

#include "common/ChildProgram.h"

#include <QString>
#include <QStringList>

class CPrgSettings;

class CSiblingProgram
{
public:
    // The program file name on this platform: the name itself, with ".exe"
    // on Windows. Every sibling program is looked up through this.
    static QString ExecutableName(const QString &baseName);
    // <appDir><folder>/<name> (appDir ends in a separator).
    static QString ProgramPath(const QString &appDir, const QString &folder,
                               const QString &baseName);
    static QString TwoWheelerPath(const QString &appDir);
    static QString DmsDownloadPath(const QString &appDir);

    // The two-wheeler program's switches: "-l" language, "-x" and "-y" the
    // window's left and top, "-b" bBfndAnzeigeUS, "-s" Sound, "-c"
    // CitrixColor, "-t" iMaxSearch; each switch and its value are separate
    // arguments.
    static QStringList TwoWheelerArguments(const CPrgSettings &settings, const QString &language);
    // The download tool is told the program language; it knows no "15" and
    // gets "01" instead.
    static QStringList DmsDownloadArguments(const QString &language);
    // The language this program continues in after it has started the
    // two-wheeler program (which cannot show "15").
    static QString LanguageAfterTwoWheeler(const QString &language);

    // The reason of a failed start in the words of the message's frame;
    // systemReason for a failure of no named kind.
    static QString FailureReason(CChildProgram::Failure failure, const QString &systemReason);
    // "The program \"<program> <arguments>\"\ncould not be started.\n<reason>":
    // the command between the quotes as it is, without quotes of its own.
    static QString StartFailedMessage(const QString &program, const QStringList &arguments,
                                      const QString &reason);
};
