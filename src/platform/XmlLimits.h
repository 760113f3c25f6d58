#pragma once
// Reading XML that comes from outside (session answers, session files, DMS
// messages) within limits no real message reaches. The document parser
// needs time growing with the square of the nesting depth and of the
// attributes of one element: a few hundred kilobytes of crafted XML would
// keep the window busy for minutes. Input beyond the limits is refused like
// malformed XML, before the document is built.
//
// A document type declaration is refused too, whatever it declares: a SOAP
// message may carry none, and only through one could a message declare an
// entity that its text references thousands of times (a few hundred
// kilobytes expanding to gigabytes). So no entity is ever expanded.

#include <QByteArray>
#include <QString>

class QDomDocument;

struct XmlLimits
{
    // Characters of the whole text.
    qsizetype maxLength = 1024 * 1024;
    // Elements open at once, the document element counting as 1.
    int maxDepth = 32;
    // Attributes (namespace declarations included) of one element.
    int maxAttributes = 64;
};

// Whether the text is well-formed XML within the limits and without a
// document type declaration; otherwise false and the reason in *error.
// Namespace prefixes are taken as part of the names, as LoadXmlDocument does.
bool CheckXml(const QString &xml, QString *error = nullptr, const XmlLimits &limits = XmlLimits());

// Builds the document from the text (without namespace processing, so
// element names keep their prefixes) when CheckXml accepts it; otherwise
// false and the reason in *error.
bool LoadXmlDocument(const QString &xml, QDomDocument *doc, QString *error = nullptr,
                     const XmlLimits &limits = XmlLimits());

// The text of an XML file's bytes in the encoding the file names: its
// byte-order mark, else the encoding of its XML declaration (any the
// platform decodes, see NamedEncoding.h), else UTF-8 (also for an encoding
// nothing here can decode, read as it always was).
// The text keeps its declaration; the parsers above ignore an encoding
// named in a text.
QString DecodeXmlBytes(const QByteArray &bytes);
