#include "platform/XmlLimits.h"

#include "platform/NamedEncoding.h"

#include <QDomDocument>
#include <QStringDecoder>
#include <QXmlStreamReader>

namespace {

// The most equal signs outside quotes in one start tag: at least the number
// of attributes of any element, counted in one pass before the stream
// reader sees the tag (its time, too, grows with the square of the
// attributes of one element). A start tag runs from "<" and a name to the ">" outside quotes;
// an attribute value holds no "<", so a "<" ends the tag in any case.
// Comments and sections that look like tags are at worst counted too.
int MostAttributes(const QString &xml)
{
    const qsizetype size = xml.size();
    int most = 0;
    qsizetype i = 0;
    while (i < size) {
        if (xml.at(i) != QLatin1Char('<')) {
            ++i;
            continue;
        }
        ++i;
        if (i < size && (xml.at(i) == QLatin1Char('!') || xml.at(i) == QLatin1Char('?') ||
                         xml.at(i) == QLatin1Char('/')))
            continue;
        int count = 0;
        QChar quote;
        for (; i < size; ++i) {
            const QChar c = xml.at(i);
            if (c == QLatin1Char('<'))
                break;
            if (!quote.isNull()) {
                if (c == quote)
                    quote = QChar();
            } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
                quote = c;
            } else if (c == QLatin1Char('=')) {
                ++count;
            } else if (c == QLatin1Char('>')) {
                break;
            }
        }
        most = qMax(most, count);
    }
    return most;
}

bool Refuse(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
    return false;
}

} // namespace

bool CheckXml(const QString &xml, QString *error, const XmlLimits &limits)
{
    if (xml.size() > limits.maxLength)
        return Refuse(
            error, QStringLiteral("The XML is longer than %1 characters.").arg(limits.maxLength));
    if (MostAttributes(xml) > limits.maxAttributes)
        return Refuse(error, QStringLiteral("An XML element has more than %1 attributes.")
                                 .arg(limits.maxAttributes));
    QXmlStreamReader reader(xml);
    reader.setNamespaceProcessing(false);
    int depth = 0;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement:
            if (++depth > limits.maxDepth)
                return Refuse(
                    error,
                    QStringLiteral("The XML nests deeper than %1 levels.").arg(limits.maxDepth));
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            break;
        case QXmlStreamReader::DTD:
            // Reported once the declaration is read, before the text that
            // could reference its entities.
            return Refuse(error, QStringLiteral("The XML carries a document type declaration "
                                                "(line %1), which a message may not.")
                                     .arg(reader.lineNumber()));
        default:
            break;
        }
    }
    if (reader.hasError())
        return Refuse(error, QStringLiteral("The XML is malformed (line %1, column %2): %3")
                                 .arg(reader.lineNumber())
                                 .arg(reader.columnNumber())
                                 .arg(reader.errorString()));
    return true;
}

bool LoadXmlDocument(const QString &xml, QDomDocument *doc, QString *error, const XmlLimits &limits)
{
    if (!CheckXml(xml, error, limits))
        return false;
    QString message;
    int line = 0;
    int column = 0;
    if (!doc->setContent(xml, &message, &line, &column))
        return Refuse(error, QStringLiteral("The XML is malformed (line %1, column %2): %3")
                                 .arg(line)
                                 .arg(column)
                                 .arg(message));
    return true;
}

QString DecodeXmlBytes(const QByteArray &bytes)
{
    // A byte-order mark, or the "<" of a declaration in UTF-16 or UTF-32.
    if (const std::optional<QStringConverter::Encoding> unicode =
            QStringConverter::encodingForData(bytes, u'<')) {
        QStringDecoder decoder(*unicode);
        return decoder.decode(bytes);
    }
    // The stream reader reads no more than the declaration here, found also
    // after blank lines (a reader of trimmed lines accepts them).
    qsizetype start = 0;
    while (start < bytes.size() && QChar::isSpace(uchar(bytes.at(start))) &&
           uchar(bytes.at(start)) < 0x80)
        ++start;
    QXmlStreamReader reader(bytes.mid(start));
    QByteArray name;
    if (reader.readNext() == QXmlStreamReader::StartDocument)
        name = reader.documentEncoding().toLatin1();
    return DecodeNamedEncoding(bytes, name);
}
