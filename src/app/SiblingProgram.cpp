#include "app/SiblingProgram.h"

#include "settings/PrgSettings.h"

namespace {
// The language the sibling programs know in place of "15".
const QString kLanguage15 = QStringLiteral("15");
const QString kLanguage01 = QStringLiteral("01");

QString Quoted(const QString &text)
{
    if (text.isEmpty() || text.contains(QLatin1Char(' ')) || text.contains(QLatin1Char('\t')))
        return QLatin1Char('"') + text + QLatin1Char('"');
    return text;
}
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

QString CSiblingProgram::CommandLine(const QString &program, const QStringList &arguments)
{
    QStringList parts{Quoted(program)};
    for (const QString &arg : arguments)
        parts << Quoted(arg);
    return parts.join(QLatin1Char(' '));
}

QString CSiblingProgram::StartFailedMessage(const QString &command, const QString &reason)
{
    return QStringLiteral("The program \"") + command +
           QStringLiteral("\"\ncould not be started.\n") + reason;
}
