// The limited XML reader every XML from outside goes through: whatever it
// accepts must be within its limits, and nothing may take it long. Each
// input is read with the program's limits and with tight ones, so that
// short inputs reach the edges too.
// Links: yaq_platform

#include "FuzzSupport.h"
#include "platform/XmlLimits.h"

#include <QDomDocument>
#include <QDomNamedNodeMap>
#include <QList>
#include <cstdint>
#include <cstdlib>

namespace {

// The depth of the deepest element and the most attributes of one element,
// walked without recursion.
void Measure(const QDomDocument &doc, int *depth, int *attributes)
{
    *depth = 0;
    *attributes = 0;
    QList<QPair<QDomElement, int>> open;
    if (!doc.documentElement().isNull())
        open.append({doc.documentElement(), 1});
    while (!open.isEmpty()) {
        const auto [element, level] = open.takeLast();
        *depth = qMax(*depth, level);
        *attributes = qMax(*attributes, int(element.attributes().count()));
        for (QDomElement child = element.firstChildElement(); !child.isNull();
             child = child.nextSiblingElement())
            open.append({child, level + 1});
    }
}

void Read(const QString &xml, const XmlLimits &limits)
{
    QString error;
    const bool checked = CheckXml(xml, &error, limits);
    if (checked != error.isEmpty())
        abort();
    QDomDocument doc;
    if (!LoadXmlDocument(xml, &doc, &error, limits)) {
        if (!doc.documentElement().isNull() && !checked)
            abort(); // refused input must not reach the document
        return;
    }
    if (!checked || xml.size() > limits.maxLength)
        abort();
    int depth = 0;
    int attributes = 0;
    Measure(doc, &depth, &attributes);
    if (depth > limits.maxDepth || attributes > limits.maxAttributes)
        abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    return StartXmlFuzzer(argc, argv);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString xml = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    Read(xml, XmlLimits());
    XmlLimits tight;
    tight.maxLength = 512;
    tight.maxDepth = 4;
    tight.maxAttributes = 3;
    Read(xml, tight);
    return 0;
}
