#include "basket/transfer/TransferAnswer.h"

#include "platform/XmlLimits.h"
#include "settings/DmsHeader.h"

#include <QDomDocument>

namespace {

QString WithoutTrailingBlanks(QString text)
{
    while (!text.isEmpty() && text.back().isSpace())
        text.chop(1);
    return text;
}

// The text of a Fault: "faultstring" (SOAP 1.1) or the "Text" of "Reason"
// (SOAP 1.2); the code when neither is there.
QString FaultText(const QDomElement &fault)
{
    QString text = DmsChildNoCase(fault, QStringLiteral("faultstring")).text();
    if (text.isEmpty())
        text =
            DmsChildNoCase(DmsChildNoCase(fault, QStringLiteral("Reason")), QStringLiteral("Text"))
                .text();
    if (text.isEmpty()) {
        const QDomElement code = DmsChildNoCase(fault, QStringLiteral("faultcode"));
        text = code.isNull() ? DmsChildNoCase(fault, QStringLiteral("Code")).text() : code.text();
    }
    return text.trimmed();
}

} // namespace

CDmsTransferAnswer ReadDmsTransferAnswer(const QString &answer, const QString &method,
                                         const CPrgSettings &settings)
{
    CDmsTransferAnswer out;
    if (answer.isEmpty())
        return out;
    QDomDocument document;
    if (!LoadXmlDocument(answer, &document)) {
        out.status = CDmsTransferAnswer::NotXml;
        return out;
    }
    const QDomElement body = DmsSoapBody(document);
    if (body.isNull()) {
        out.status = CDmsTransferAnswer::NotSoap;
        return out;
    }
    const QDomElement fault = DmsChildNoCase(body, QStringLiteral("Fault"));
    if (!fault.isNull()) {
        out.status = CDmsTransferAnswer::Fault;
        out.fault = FaultText(fault);
        return out;
    }
    const QDomElement element = DmsChildNoCase(body, method + QStringLiteral("Response"));
    if (element.isNull()) {
        out.status = CDmsTransferAnswer::WrongMethod;
        return out;
    }
    if (!CheckDmsHeader(settings, element.attribute(QStringLiteral("refSchema")),
                        element.attribute(QStringLiteral("version")))) {
        out.status = CDmsTransferAnswer::BadHeader;
        return out;
    }
    out.status = CDmsTransferAnswer::Read;
    for (QDomElement child = element.firstChildElement(); !child.isNull();
         child = child.nextSiblingElement()) {
        const QString name = DmsLocalName(child);
        if (name == QLatin1String("confirmTransmission")) {
            out.hasConfirmation = true;
            out.confirmation = WithoutTrailingBlanks(child.text());
        } else if (name == QLatin1String("exception")) {
            out.exception = ReadDmsException(child);
        }
    }
    out.exception.name = WithoutTrailingBlanks(out.exception.name);
    out.exception.info = WithoutTrailingBlanks(out.exception.info);
    return out;
}
