#include "app/SiblingProgram.h"

#include "settings/PrgSettings.h"

namespace {
// The language the sibling programs know in place of "15".
const QString kLanguage15 = QStringLiteral("15");
const QString kLanguage01 = QStringLiteral("01");
} // namespace

QString CSiblingProgram::ExecutableName(const QString &baseName)
{
#ifdef Q_OS_WIN
    return baseName + QStringLiteral(".exe");
#else
    return baseName;
#endif
}

QString CSiblingProgram::ProgramPath(const QString &appDir, const QString &folder,
                                     const QString &baseName)
{
    QString dir = appDir;
    if (!dir.isEmpty() && !dir.endsWith(QLatin1Char('/')) && !dir.endsWith(QLatin1Char('\\')))
        dir += QLatin1Char('/');
    return dir + folder + QLatin1Char('/') + ExecutableName(baseName);
}

QString CSiblingProgram::TwoWheelerPath(const QString &appDir)
{
    return ProgramPath(appDir, QStringLiteral("Y5YAQ"), QStringLiteral("Y5YAQ"));
}

QString CSiblingProgram::DmsDownloadPath(const QString &appDir)
{
    return ProgramPath(appDir, QStringLiteral("DMS_DNLD"), QStringLiteral("WQS"));
}

QStringList CSiblingProgram::TwoWheelerArguments(const CPrgSettings &s, const QString &language)
{
    const QRect &pos = s.YAQ2DlgPosRect;
    return {QStringLiteral("-l"), language,
            QStringLiteral("-x"), QString::number(pos.left()),
            QStringLiteral("-y"), QString::number(pos.top()),
            QStringLiteral("-b"), QString::number(s.bBfndAnzeigeUS),
            QStringLiteral("-s"), QString::number(s.Sound),
            QStringLiteral("-c"), QString::number(s.CitrixColor),
            QStringLiteral("-t"), QString::number(s.iMaxSearch)};
}

QStringList CSiblingProgram::DmsDownloadArguments(const QString &language)
{
    return {language == kLanguage15 ? kLanguage01 : language};
}

QString CSiblingProgram::LanguageAfterTwoWheeler(const QString &language)
{
    return language == kLanguage15 ? kLanguage01 : language;
}

QString CSiblingProgram::FailureReason(CChildProgram::Failure failure, const QString &systemReason)
{
    // The frame of the message is in these words too: one language in one
    // message, whatever the system's language.
    switch (failure) {
    case CChildProgram::Failure::PathNotFound:
        return QStringLiteral("The specified path was not found.");
    case CChildProgram::Failure::FileNotFound:
        return QStringLiteral("The specified file was not found.");
    case CChildProgram::Failure::NotExecutable:
        return QStringLiteral("The .EXE file is invalid (non-Win32 .EXE or error in .EXE image)");
    case CChildProgram::Failure::OutOfResources:
        return QStringLiteral("The system is out of memory or resources.");
    case CChildProgram::Failure::None:
    case CChildProgram::Failure::Other:
        break;
    }
    return systemReason;
}

QString CSiblingProgram::StartFailedMessage(const QString &program, const QStringList &arguments,
                                            const QString &reason)
{
    QStringList command{program};
    command << arguments;
    return QStringLiteral("The program \"") + command.join(QLatin1Char(' ')) +
           QStringLiteral("\"\ncould not be started.\n") + reason;
}
