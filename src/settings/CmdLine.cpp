#include "settings/CmdLine.h"

#include "platform/RegularFile.h"
#include "platform/StringUtil.h"
#include "platform/XmlLimits.h"
#include "platform/XmlNames.h"

#include <QDate>
#include <QDomDocument>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QTextStream>

namespace {

// The program's switches and the field each fills with its value. Names are
// compared exactly, case-sensitive.
const QHash<QString, QString CCmdLine::*> &switchFields()
{
    static const QHash<QString, QString CCmdLine::*> switches = {
        {QStringLiteral("TNS"), &CCmdLine::m_strTNS},
        {QStringLiteral("UID"), &CCmdLine::m_strUID},
        {QStringLiteral("PWD"), &CCmdLine::m_strPWD},
        {QStringLiteral("CC"), &CCmdLine::m_strCC},
        {QStringLiteral("v"), &CCmdLine::m_strFgstnr},
        {QStringLiteral("l"), &CCmdLine::m_strSprache},
        {QStringLiteral("n"), &CCmdLine::m_strStartPage},
        {QStringLiteral("m"), &CCmdLine::m_strMode},
        {QStringLiteral("x"), &CCmdLine::m_strX},
        {QStringLiteral("y"), &CCmdLine::m_strY},
        {QStringLiteral("p"), &CCmdLine::m_strPaketNr},
        {QStringLiteral("k"), &CCmdLine::m_strKilometer},
        {QStringLiteral("a"), &CCmdLine::m_strAPNr},
        {QStringLiteral("s"), &CCmdLine::m_strSetting},
        {QStringLiteral("w"), &CCmdLine::m_strValue},
        {QStringLiteral("f"), &CCmdLine::m_strErstzulassung},
    };
    return switches;
}

// Whether the parameter is one of the program's switches, written with "-"
// or "/".
bool isOwnSwitch(const QString &arg)
{
    return arg.size() > 1 &&
           (arg.startsWith(QLatin1Char('-')) || arg.startsWith(QLatin1Char('/'))) &&
           switchFields().contains(arg.mid(1));
}

} // namespace

void CCmdLine::ParseParam(const QString &param, bool isSwitch, bool /*isLast*/)
{
    if (isSwitch) {
        m_pPending = nullptr;
        const auto it = switchFields().constFind(param);
        if (it != switchFields().constEnd())
            m_pPending = &(this->*(*it));
        return;
    }

    if (m_pPending) {
        if (m_pPending == &m_strMode) {
            m_strMode = param.toLower();
        } else {
            *m_pPending = param;
            if (m_pPending == &m_strX)
                m_nX = LeadingInt(param);
            else if (m_pPending == &m_strY)
                m_nY = LeadingInt(param);
        }
        m_pPending = nullptr;
        ++m_nParamCount;
        return;
    }

    switch (m_nParamCount) {
    case 0: {
        const QString upper = param.toUpper();
        if (upper.endsWith(QLatin1String(".YAQCFG")) || upper.endsWith(QLatin1String(".YAQ2CFG")))
            m_strSessionFile = param;
        else
            m_strFgstnr = param;
        break;
    }
    case 1:
        m_strSprache = param;
        break;
    case 2:
        m_strStartPage = param;
        break;
    default:
        break;
    }
    ++m_nParamCount;
}

void CCmdLine::ParseArguments(const QStringList &arguments)
{
    m_strSwitchWithoutValue.clear();
    QString pendingSwitch;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &arg = arguments.at(i);
        const bool isLast = i == arguments.size() - 1;
        // One of the program's switches is that switch, also where a value
        // is pending. Any other parameter after a switch that takes a value
        // is that value as given, also a folder ("/dealer") or a negative
        // number ("-1").
        const bool dashSwitch = arg.size() > 1 && arg.startsWith(QLatin1Char('-'));
        const bool slashSwitch = arg.size() > 1 && arg.startsWith(QLatin1Char('/')) &&
                                 !arg.mid(1).contains(QLatin1Char('/'));
        if (isOwnSwitch(arg) || (!ValuePending() && (dashSwitch || slashSwitch))) {
            // A switch that waits for its value and is followed by one of
            // the program's switches got none ("-s -w 0").
            if (ValuePending() && m_strSwitchWithoutValue.isEmpty())
                m_strSwitchWithoutValue = pendingSwitch;
            ParseParam(arg.mid(1), true, isLast);
            pendingSwitch = arg;
            if (isLast && ValuePending() && m_strSwitchWithoutValue.isEmpty())
                m_strSwitchWithoutValue = arg;
        } else {
            ParseParam(arg, false, isLast);
        }
    }
}

QString FirstRegistrationFromSwitch(const QString &value)
{
    // Anchored at both ends of the whole text: "$" alone would also accept a
    // trailing line feed.
    static const QRegularExpression pattern(
        QRegularExpression::anchoredPattern(QStringLiteral("(\\d{4})-(\\d{2})-(\\d{2})")));
    const auto match = pattern.match(value);
    if (!match.hasMatch())
        return QString();
    const QDate date(match.captured(1).toInt(), match.captured(2).toInt(),
                     match.captured(3).toInt());
    if (!date.isValid())
        return QString();
    return match.captured(3) + QLatin1Char('.') + match.captured(2) + QLatin1Char('.') +
           match.captured(1);
}

bool ReadOssParametersFile(const QString &path, COssParameters *result, QString *unreadable)
{
    QFile file(path);
    // Read as bytes: dropping the carriage returns of the line ends is
    // done on the text, as a byte 13 of a UTF-16 file is half a character.
    if (!OpenRegularFile(&file, unreadable))
        return false;
    // A file longer than any session file is not read whole.
    const XmlLimits limits;
    QByteArray raw = file.read(limits.maxLength + 1);
    if (raw.size() > limits.maxLength)
        return false;
    // In the encoding the file declares (a server writes ISO-8859-1 as
    // well as UTF-8); each line is trimmed once it is text.
    QString decoded = DecodeXmlBytes(raw);
    decoded.remove(QLatin1Char('\r'));
    QString text;
    QTextStream in(&decoded, QIODevice::ReadOnly);
    while (!in.atEnd())
        text += in.readLine().trimmed();
    if (text.isEmpty())
        return false;

    QDomDocument doc;
    if (!LoadXmlDocument(text, &doc, nullptr, limits))
        return false;
    const QDomElement root = doc.documentElement();
    if (!XmlIsNamed(root, QStringLiteral("OSSParameters")))
        return false;

    const QDomElement session = XmlChild(root, QStringLiteral("SessionID"));
    if (!session.isNull()) {
        result->sessionId = session.text();
        result->hasSessionId = true;
    }
    const QDomElement server = XmlChild(root, QStringLiteral("ApplicationServer"));
    if (!server.isNull()) {
        // Blanks around the element text are no separator.
        const QString value = server.text().trimmed();
        const int blank = value.indexOf(QLatin1Char(' '));
        if (blank >= 0) {
            result->applicationServer = value.left(blank).trimmed();
            result->applicationServerAddress = value.mid(blank + 1).trimmed();
            result->hasApplicationServerAddress = true;
        } else {
            result->applicationServer = value.trimmed();
        }
        result->hasApplicationServer = true;
    }
    const QDomElement language = XmlChild(root, QStringLiteral("Language"));
    if (!language.isNull()) {
        result->language = LocaleToPrgSprache(language.text());
        result->hasLanguage = true;
    }
    return true;
}
