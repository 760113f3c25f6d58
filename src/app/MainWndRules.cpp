#include "app/MainWndRules.h"

#include "platform/XmlLimits.h"
#include "platform/XmlNames.h"

#include <QDomDocument>
#include <QDomElement>

int ParseSessionAnswer(const QString &xml)
{
    int result = kSessionUnknown;
    if (xml.isEmpty())
        return result;
    QDomDocument doc;
    if (!LoadXmlDocument(xml, &doc))
        return result;
    const QDomElement root = doc.documentElement();
    // The names are compared by containment, as the server's answer was
    // always read, but without a prefix: one the server writes never
    // makes or breaks a match.
    if (!XmlLocalName(root).contains(QLatin1String("sessiondata")))
        return result;
    for (QDomElement child = root.firstChildElement(); !child.isNull();
         child = child.nextSiblingElement()) {
        const QString name = XmlLocalName(child);
        const QString text = child.text();
        if (name.contains(QLatin1String("return-code"))) {
            if (text != QLatin1String("00"))
                return kSessionRejected;
        } else if (name.contains(QLatin1String("yaqservice-intern-available"))) {
            if (text == QLatin1String("Y"))
                result = kSessionValid;
        } else if (name.contains(QLatin1String("yaqservice-extern-available"))) {
            if (text == QLatin1String("Y"))
                result = kSessionRestricted;
        }
    }
    return result;
}

namespace {
// The value after "KEY=" up to the next ")" or the end of the text.
QString ValueAfter(const QString &text, const QString &key)
{
    const int start = text.indexOf(key);
    if (start < 0)
        return QString();
    const int from = start + key.size();
    const int end = text.indexOf(QLatin1Char(')'), from);
    return text.mid(from, end < 0 ? -1 : end - from).trimmed();
}
} // namespace

QString ServerLineFromTns(const QString &tns)
{
    if (!tns.contains(QLatin1String("HOST=")) || !tns.contains(QLatin1String("PORT=")))
        return QString();
    return QStringLiteral("- Server: ") + ValueAfter(tns, QStringLiteral("HOST=")) +
           QLatin1Char(':') + ValueAfter(tns, QStringLiteral("PORT="));
}
