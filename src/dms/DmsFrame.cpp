#include "dms/DmsFrame.h"

#include "platform/MsgBox.h"
#include "platform/OrmelText.h"
#include "platform/SoapReq.h"
#include "platform/XmlLimits.h"
#include "platform/XmlNames.h"
#include "settings/DmsHeader.h"
#include "settings/PrgSettings.h"

#include <QDomDocument>
#include <QRegularExpression>

// ---------------------------------------------------------------------------
// Server

QString DmsServerUrl(const CPrgSettings &settings, DmsServer server)
{
    return (server == DmsServer::Request ? settings.ReqXMLServer : settings.SendXMLServer)
        .trimmed();
}

QString CompleteDmsUrl(const QString &url)
{
    // A scheme is letters, digits, "+", "-" and "." after a first letter,
    // followed by "://"; "host:port/path" names none.
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*://"));
    if (url.startsWith(QLatin1String("//")))
        return QStringLiteral("http:") + url;
    if (scheme.match(url).hasMatch())
        return url;
    return QStringLiteral("http://") + url;
}

// ---------------------------------------------------------------------------
// Exceptions and the texts of an unusable answer

QString DmsExceptionName(int code)
{
    switch (code) {
    case 1:
        return QStringLiteral("TimeOutError");
    case 2:
        return QStringLiteral("XMLNotValid");
    case 3:
        return QStringLiteral("XMLNotWellFormed");
    case 4:
        return QStringLiteral("GeneralApplicationError");
    case 5:
        return QStringLiteral("TransferVINNotAccepted");
    default:
        return QString();
    }
}

QString XMLErrMsg(const QString &name)
{
    struct Entry
    {
        const char *name;
        const char *text;
    };
    static const Entry entries[] = {
        {"TimeOutError", "Zeitüberschreitung bei der Verarbeitung der Nachricht."},
        {"XMLNotValid", "Die Nachricht entspricht nicht dem vereinbarten Schema."},
        {"XMLNotWellFormed", "Die Nachricht ist kein wohlgeformtes XML."},
        {"GeneralApplicationError", "Allgemeiner Fehler der Anwendung."},
        {"TransferVINNotAccepted", "Die übergebene Fahrgestellnummer wurde nicht übernommen."},
    };
    for (const Entry &entry : entries) {
        if (name == QLatin1String(entry.name))
            return QString::fromUtf8(entry.text);
    }
    return QString();
}

CDmsException ReadDmsException(const QDomElement &exception)
{
    CDmsException result;
    result.name = exception.attribute(QStringLiteral("name"));
    for (QDomElement child = exception.firstChildElement(); !child.isNull();
         child = child.nextSiblingElement()) {
        if (XmlLocalName(child) == QLatin1String("exceptionInfo")) {
            result.info = child.text();
            break;
        }
    }
    return result;
}

QString DmsAnswerName(const QString &method)
{
    QString name = method + QStringLiteral("Response");
    name[0] = name.at(0).toUpper();
    return name;
}

QString DmsNotValidText(const QString &method, int n)
{
    return DmsAnswerName(method) + QStringLiteral("\nXMLNotValid!(%1)").arg(n);
}

QString DmsExceptionText(const QString &method, const CDmsException &exception)
{
    const QString text = XMLErrMsg(exception.name);
    if (!text.isEmpty())
        return text;
    return DmsAnswerName(method) + QStringLiteral("\nexception: ") + exception.name +
           QStringLiteral("\nexceptionInfo: ") + exception.info;
}

// ---------------------------------------------------------------------------
// Elements

QString DmsFaultText(const QDomElement &fault)
{
    const auto child = [](const QDomElement &parent, const char *name) {
        return XmlChild(parent, QString::fromLatin1(name), Qt::CaseInsensitive);
    };
    QString text = child(fault, "faultstring").text();
    if (text.isEmpty())
        text = child(child(fault, "Reason"), "Text").text();
    if (text.isEmpty()) {
        const QDomElement code = child(fault, "faultcode");
        text = code.isNull() ? child(fault, "Code").text() : code.text();
    }
    return text.trimmed();
}

QString DmsShownText(const QString &text)
{
    if (text.size() <= kDmsShownTextMax)
        return text;
    qsizetype cut = kDmsShownTextMax;
    // A character of two halves stays whole or goes whole.
    if (text.at(cut - 1).isHighSurrogate())
        --cut;
    return text.left(cut) + QChar(0x2026);
}

QDomElement DmsSoapBody(const QDomDocument &document)
{
    const QDomElement envelope = document.documentElement();
    if (envelope.isNull() ||
        XmlLocalName(envelope).compare(QLatin1String("Envelope"), Qt::CaseInsensitive) != 0)
        return QDomElement();
    return XmlChild(envelope, QStringLiteral("Body"), Qt::CaseInsensitive);
}

// ---------------------------------------------------------------------------
// Writing

CDmsMessageWriter::CDmsMessageWriter(const QString &method, const QString &version) : m_xml(&m_text)
{
    m_xml.writeStartElement(method);
    m_xml.writeAttribute(QStringLiteral("xmlns"), DmsNamespaceUri());
    m_xml.writeAttribute(QStringLiteral("xmlns:xsi"),
                         QStringLiteral("http://www.w3.org/2001/XMLSchema-instance"));
    m_xml.writeAttribute(QStringLiteral("refSchema"), kDmsRefSchema);
    m_xml.writeAttribute(QStringLiteral("version"), version);
}

QString CDmsMessageWriter::RequestVin(const CPrgSettings &settings)
{
    const QString full = settings.FgstnrFull.trimmed();
    return full.size() == 17 ? full : settings.Fgstnr.trimmed();
}

void CDmsMessageWriter::WriteVin(const QString &vin)
{
    m_xml.writeEmptyElement(QStringLiteral("vin"));
    m_xml.writeAttribute(QStringLiteral("vinLongPrefix"), vin.left(10));
    m_xml.writeAttribute(QStringLiteral("vinShort"), vin.right(7));
}

void CDmsMessageWriter::WriteText(const QString &name, const QString &text)
{
    m_xml.writeTextElement(name, text);
}

void CDmsMessageWriter::WriteTerminalId(const QString &id)
{
    if (!id.isEmpty())
        WriteText(QStringLiteral("terminalID"), id);
}

QString CDmsMessageWriter::Finish()
{
    // Characters XML cannot carry are left out by the writer; what it
    // wrote stays well-formed.
    m_xml.writeEndElement();
    return m_text;
}

// ---------------------------------------------------------------------------
// The frame

CDmsFrame::CDmsFrame(CPrgSettings *settings, IDmsNotice *notice, IDmsSender *sender,
                     Responder responder, IDmsWait *wait)
    : m_settings(settings), m_notice(notice), m_sender(sender), m_responder(std::move(responder)),
      m_wait(wait)
{
}

void CDmsFrame::Tell(int textId) const
{
    Tell(OrmelText(textId));
}

void CDmsFrame::Tell(const QString &text, const QString &caption) const
{
    if (m_notice)
        m_notice->Notice(DmsShownText(text), caption.isEmpty() ? kMsgBoxTitle : caption);
}

QString CDmsFrame::Version() const
{
    return DmsHeaderVersion(*m_settings);
}

QString CDmsFrame::Send(DmsServer server, const QString &method, const QString &body)
{
    const QString url = DmsServerUrl(*m_settings, server);
    if (url.isEmpty()) {
        Tell(server == DmsServer::Request ? 5051 : 5052);
        return QString();
    }
    if (body.isEmpty() || !m_sender)
        return QString();
    m_cancelled = false;
    if (m_wait) {
        m_wait->Begin([this] {
            m_cancelled = true;
            m_sender->Cancel();
        });
    }
    const QString answer = m_sender->Request(CompleteDmsUrl(url), DmsSoapAction(method), body);
    if (m_wait)
        m_wait->End();
    // The adviser gave the request up: whatever came back is not read, and
    // nothing is told or changed.
    if (m_cancelled)
        return QString();
    m_settings->bDmsExchangeDone = 1;
    if (answer.isEmpty()) {
        // Why nothing came helps the adviser and the support more than the
        // bare notice.
        const QString reason = m_sender->LastError().trimmed();
        Tell(reason.isEmpty() ? OrmelText(5050) : OrmelText(5050) + QLatin1Char('\n') + reason);
    }
    return answer;
}

QDomElement CDmsFrame::AnswerElement(const QString &answer, const QString &method)
{
    QDomDocument document;
    if (!LoadXmlDocument(answer, &document)) {
        Tell(5055);
        return QDomElement();
    }
    const QDomElement body = DmsSoapBody(document);
    if (body.isNull()) {
        Tell(5055);
        return QDomElement();
    }
    // A DMS that could not answer the method says why in a Fault: that is
    // what the adviser reads, not that the method was another.
    const QDomElement fault = XmlChild(body, QStringLiteral("Fault"), Qt::CaseInsensitive);
    if (!fault.isNull()) {
        Tell(OrmelTextArgs(kDmsFaultText, {DmsFaultText(fault)}));
        return QDomElement();
    }
    QDomElement element = XmlChild(body, method + QStringLiteral("Response"), Qt::CaseInsensitive);
    if (element.isNull()) {
        Tell(5054);
        return QDomElement();
    }
    if (!CheckResponseHeader(element.attribute(QStringLiteral("refSchema")),
                             element.attribute(QStringLiteral("version")))) {
        Tell(5053);
        m_settings->bDmsExchangeDone = 0;
        return QDomElement();
    }
    XmlRemoveNilElements(element);
    return element;
}

bool CDmsFrame::CheckResponseHeader(const QString &refSchema, const QString &version) const
{
    return CheckDmsHeader(*m_settings, refSchema, version);
}

QString CDmsFrame::ListenerEnvelope(const QString &body)
{
    // The listener answers in the envelope the program's requests go in.
    return CSoapReq::Envelope(body);
}

bool CDmsFrame::SendListenerResponse(const QString &body) const
{
    if (body.isEmpty() || !m_responder)
        return false;
    m_responder(ListenerEnvelope(body));
    return true;
}

QString CDmsFrame::ConfirmTransferVINBody() const
{
    CDmsMessageWriter writer(QStringLiteral("transferVINResponse"), Version());
    writer.WriteText(QStringLiteral("confirmTransmission"), QStringLiteral("true"));
    return writer.Finish();
}

bool CDmsFrame::ConfirmTransferVIN() const
{
    return SendListenerResponse(ConfirmTransferVINBody());
}

QString CDmsFrame::ExceptionBody(const QString &method, int code) const
{
    const QString name = DmsExceptionName(code);
    CDmsMessageWriter writer(method, Version());
    QXmlStreamWriter &xml = writer.Xml();
    xml.writeStartElement(QStringLiteral("exception"));
    xml.writeAttribute(QStringLiteral("name"), name);
    xml.writeTextElement(QStringLiteral("exceptionInfo"), XMLErrMsg(name));
    xml.writeEndElement();
    return writer.Finish();
}

bool CDmsFrame::SendException(const QString &method, int code) const
{
    return SendListenerResponse(ExceptionBody(method, code));
}

QString DmsBool(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

QString DmsNumberText(const QString &text)
{
    int i = 0;
    while (i < text.size() && text.at(i) == QLatin1Char('0'))
        ++i;
    if (i > 0 && i < text.size() &&
        (text.at(i) == QLatin1Char('.') || text.at(i) == QLatin1Char(',')))
        --i;
    return text.mid(i);
}

void WriteTextIfAny(QXmlStreamWriter &xml, const QString &name, const QString &text)
{
    if (!text.isEmpty())
        xml.writeTextElement(name, text);
}
