// The program's command line made of the input: one argument per stretch
// between NUL bytes. The session file named on it is not read here.
// Links: yaq_settings

#include "platform/StringUtil.h"
#include "settings/CmdLine.h"

#include <QDate>

#include <cstdint>
#include <cstdlib>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    QStringList arguments;
    for (const QByteArray &part : bytes.split('\0'))
        arguments.append(QString::fromUtf8(part));

    CCmdLine cmd;
    cmd.ParseArguments(arguments);
    Check(cmd.m_nParamCount >= 0 && cmd.m_nParamCount <= arguments.size());
    // A switch left without its value is one of the arguments: the last one,
    // or one followed by another of the program's switches.
    if (!cmd.m_strSwitchWithoutValue.isEmpty()) {
        const QString &named = cmd.m_strSwitchWithoutValue;
        Check(arguments.contains(named) &&
              (named.startsWith(QLatin1Char('-')) || named.startsWith(QLatin1Char('/'))));
    }
    if (!cmd.m_strX.isEmpty())
        Check(cmd.m_nX == LeadingInt(cmd.m_strX));
    if (!cmd.m_strSessionFile.isEmpty())
        Check(cmd.m_strSessionFile.endsWith(QLatin1String(".YAQCFG"), Qt::CaseInsensitive) ||
              cmd.m_strSessionFile.endsWith(QLatin1String(".YAQ2CFG"), Qt::CaseInsensitive));

    // A first registration is a real date in the German form, or nothing.
    const QString date = FirstRegistrationFromSwitch(cmd.m_strErstzulassung);
    Check(date.isEmpty() || QDate::fromString(date, QStringLiteral("dd.MM.yyyy")).isValid());
    for (const QString &argument : std::as_const(arguments))
        Check(LocaleToPrgSprache(argument).size() == 2);
    return 0;
}
