#pragma once
// How the program finds the elements of XML that comes from outside (the
// DMS's answers and pushes, the agent's and the application server's
// answers, the session file): by their local name. A peer chooses its
// prefixes freely ("tns:price", "ns0:vin", a default namespace instead),
// and none of them changes what is read. The documents are read without
// namespace processing (LoadXmlDocument), so the name is cut here, once for
// the whole program.

#include <QDomElement>
#include <QString>

// The name of the element without its namespace prefix.
QString XmlLocalName(const QDomElement &element);
// Whether the element's local name is `name`.
bool XmlIsNamed(const QDomElement &element, const QString &name,
                Qt::CaseSensitivity cs = Qt::CaseSensitive);
// The first child element of that local name; null when there is none.
QDomElement XmlChild(const QDomElement &parent, const QString &name,
                     Qt::CaseSensitivity cs = Qt::CaseSensitive);

// Whether the element says it has no value: an attribute "nil" of the
// schema-instance namespace (under whatever prefix the document declares
// for it) with the value "true" or "1".
bool XmlIsNil(const QDomElement &element);
// Takes every element below `root` that says it has no value out of the
// document: an optional element written with "xsi:nil" is read as the
// element not sent, as a generated SOAP stack means it.
void XmlRemoveNilElements(QDomElement &root);
