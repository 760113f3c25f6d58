#include "dms/DmsClient.h"

#include "platform/OrmelText.h"
#include "platform/StringUtil.h"
#include "settings/PrgSettings.h"

// ---------------------------------------------------------------------------
// The answer

void CDmsAnswer::ReadChildren(const std::function<bool(const QDomElement &child)> &child,
                              DmsAnswerVin vin, Qt::CaseSensitivity names)
{
    for (QDomElement e = m_element.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        const QString name = XmlLocalName(e);
        if (name.compare(QLatin1String("exception"), names) == 0) {
            m_exception = ReadDmsException(e);
            m_exception.name = WithoutTrailingBlanks(m_exception.name);
            m_exception.info = WithoutTrailingBlanks(m_exception.info);
        } else if (vin != DmsAnswerVin::None && name.compare(QLatin1String("vin"), names) == 0) {
            m_hasVin = true;
            m_vin = (e.attribute(QStringLiteral("vinLongPrefix")) +
                     e.attribute(QStringLiteral("vinShort")))
                        .trimmed();
            m_content = m_content || vin == DmsAnswerVin::Content;
        } else if (child && child(e)) {
            m_content = true;
        }
    }
}

void CDmsAnswer::TellNotValid(int n) const
{
    Tell(DmsNotValidText(m_method, n));
}

void CDmsAnswer::TellException() const
{
    Tell(DmsExceptionText(m_method, m_exception));
}

bool CDmsAnswer::VinFits(const QString &askedVin) const
{
    if (m_vin.size() == 17)
        return askedVin.isEmpty() || m_vin.compare(askedVin, Qt::CaseInsensitive) == 0;
    if (m_vin.size() == 7) {
        if (!askedVin.isEmpty() && m_vin.compare(askedVin.right(7), Qt::CaseInsensitive) != 0)
            return false;
        return !m_countShortVin || m_countShortVin(m_vin) <= 1;
    }
    return false;
}

bool CDmsAnswer::VinIsOf(const QString &askedVin) const
{
    return m_vin == askedVin || m_vin == askedVin.right(7);
}

bool CDmsAnswer::Evaluate(const Rules &rules) const
{
    if (!HasException() && !m_content)
        TellNotValid(1);
    if (HasException()) {
        TellException();
        if (rules.exceptionEnds)
            return false;
    }
    if (m_hasVin && (!VinFits(rules.askedVin) || (rules.fullVinOnly && m_vin.size() != 17))) {
        Tell(OrmelText(7036), OrmelText(7034));
        return false;
    }
    if (!m_content)
        return false;
    if (!rules.valid) {
        TellNotValid(2);
        return false;
    }
    return true;
}

// ---------------------------------------------------------------------------
// The client

DmsOutcome CDmsClient::Run(IDmsRequest &request, IDmsNotice *notice)
{
    const Busy busy(*this);
    CDmsFrame frame(m_settings, notice, m_sender, CDmsFrame::Responder(), m_wait);
    const QString method = request.Method();
    // The URL first: without one there is nothing to write either.
    if (DmsServerUrl(*m_settings, request.Server()).isEmpty()) {
        frame.Send(request.Server(), method, QString());
        return DmsOutcome::NotSent;
    }
    CDmsMessageWriter writer(method, frame.Version());
    if (!request.WriteBody(writer))
        return DmsOutcome::NotSent;
    const QString answer = frame.Send(request.Server(), method, writer.Finish());
    if (frame.Cancelled())
        return DmsOutcome::Cancelled;
    if (answer.isEmpty())
        return DmsOutcome::NoAnswer;
    return Read(frame, request, answer);
}

DmsOutcome CDmsClient::ReadAnswer(IDmsRequest &request, const QString &answer, IDmsNotice *notice)
{
    const Busy busy(*this);
    CDmsFrame frame(m_settings, notice);
    if (answer.isEmpty()) {
        frame.Tell(5050);
        return DmsOutcome::NoAnswer;
    }
    return Read(frame, request, answer);
}

DmsOutcome CDmsClient::Read(CDmsFrame &frame, IDmsRequest &request, const QString &answer)
{
    QDomElement element = frame.AnswerElement(answer, request.Method());
    if (element.isNull())
        return DmsOutcome::Unusable;
    CDmsAnswer read(frame, request.Method(), std::move(element), m_countShortVin);
    request.ReadAnswer(read);
    return DmsOutcome::Read;
}
