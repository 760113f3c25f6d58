#include "platform/XmlNames.h"

#include <QDomNamedNodeMap>

#include <vector>

namespace {

constexpr char kSchemaInstance[] = "http://www.w3.org/2001/XMLSchema-instance";

// The namespace a prefix stands for at the element: the nearest declaration
// of it on the element or its ancestors.
QString NamespaceOfPrefix(const QDomElement &element, const QString &prefix)
{
    const QString declaration = QStringLiteral("xmlns:") + prefix;
    for (QDomNode node = element; node.isElement(); node = node.parentNode()) {
        const QDomElement e = node.toElement();
        if (e.hasAttribute(declaration))
            return e.attribute(declaration);
    }
    return QString();
}

} // namespace

QString XmlLocalName(const QDomElement &element)
{
    const QString tag = element.tagName();
    return tag.mid(tag.indexOf(QLatin1Char(':')) + 1);
}

bool XmlIsNamed(const QDomElement &element, const QString &name, Qt::CaseSensitivity cs)
{
    const QString tag = element.tagName();
    return QStringView(tag).mid(tag.indexOf(QLatin1Char(':')) + 1).compare(name, cs) == 0;
}

QDomElement XmlChild(const QDomElement &parent, const QString &name, Qt::CaseSensitivity cs)
{
    for (QDomElement child = parent.firstChildElement(); !child.isNull();
         child = child.nextSiblingElement()) {
        if (XmlIsNamed(child, name, cs))
            return child;
    }
    return QDomElement();
}

bool XmlIsNil(const QDomElement &element)
{
    const QDomNamedNodeMap attributes = element.attributes();
    for (int i = 0; i < attributes.count(); ++i) {
        const QDomAttr attribute = attributes.item(i).toAttr();
        const QString name = attribute.name();
        const qsizetype colon = name.indexOf(QLatin1Char(':'));
        if (colon < 0 || QStringView(name).mid(colon + 1) != QLatin1String("nil"))
            continue;
        const QString value = attribute.value().trimmed();
        if ((value == QLatin1String("true") || value == QLatin1String("1")) &&
            NamespaceOfPrefix(element, name.left(colon)) == QLatin1String(kSchemaInstance))
            return true;
    }
    return false;
}

void XmlRemoveNilElements(QDomElement &root)
{
    // Collected first, then taken out: the walk does not cut the branch it
    // stands on. The reader has bounded the depth already.
    std::vector<QDomElement> nil;
    std::vector<QDomElement> open{root};
    while (!open.empty()) {
        const QDomElement e = open.back();
        open.pop_back();
        for (QDomElement child = e.firstChildElement(); !child.isNull();
             child = child.nextSiblingElement()) {
            if (XmlIsNil(child))
                nil.push_back(child);
            else
                open.push_back(child);
        }
    }
    for (QDomElement &e : nil)
        e.parentNode().removeChild(e);
}
