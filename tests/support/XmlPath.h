#pragma once
// A value of a message read back by a path of element names, for the tables
// of the DMS request bodies.

#include <QDomDocument>
#include <QDomElement>
#include <QStringList>

// The root element of a message body, or of the body inside a SOAP envelope.
inline QDomElement XmlMessage(const QString &text)
{
    QDomDocument doc;
    doc.setContent(text);
    QDomElement root = doc.documentElement();
    if (root.tagName().section(QLatin1Char(':'), -1) == QLatin1String("Envelope")) {
        for (QDomElement e = root.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
            if (e.tagName()
                    .section(QLatin1Char(':'), -1)
                    .compare(QLatin1String("Body"), Qt::CaseInsensitive) == 0)
                return e.firstChildElement();
    }
    return root;
}

// The text at a path of names (without prefix) below root: "a[2]/b" takes
// the second child "a", then its first "b"; "@x" at the end an attribute;
// "#" at the end the number of children named as the step before it
// ("a/b#": how many "b" the first "a" holds). "<none>" when the path leads
// nowhere.
inline QString XmlAt(const QDomElement &root, const QString &path)
{
    QDomElement e = root;
    const QStringList steps = path.split(QLatin1Char('/'));
    for (const QString &step : steps) {
        if (step.startsWith(QLatin1Char('@')))
            return e.hasAttribute(step.mid(1)) ? e.attribute(step.mid(1))
                                               : QStringLiteral("<none>");
        const bool count = step.endsWith(QLatin1Char('#'));
        const QString name = step.section(QLatin1Char('['), 0, 0).remove(QLatin1Char('#'));
        int n = step.contains(QLatin1Char('['))
                    ? step.section(QLatin1Char('['), 1).section(QLatin1Char(']'), 0, 0).toInt()
                    : 1;
        int seen = 0;
        QDomElement child = e.firstChildElement();
        for (; !child.isNull(); child = child.nextSiblingElement()) {
            if (child.tagName().section(QLatin1Char(':'), -1) != name)
                continue;
            ++seen;
            if (!count && --n == 0)
                break;
        }
        if (count)
            return QString::number(seen);
        if (child.isNull())
            return QStringLiteral("<none>");
        e = child;
    }
    return e.text();
}
