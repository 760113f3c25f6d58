#include "app/FirstRegistration.h"

#include "common/DmsFrame.h"
#include "common/InputCheck.h"
#include "platform/OrmelText.h"
#include "platform/db/YaqDb.h"
#include "settings/PrgSettings.h"

#include <QDate>
#include <QDomElement>
#include <QRegularExpression>

namespace {

// The flags of the change report for a first registration that went from
// `before` to `after`.
CChangeFlags FirstRegistrationChanges(const QString &before, const QString &after)
{
    CChangeFlags changes;
    if (before != after) {
        changes.bIdent = 1;
        changes.bErstzul = 1;
    }
    return changes;
}

// Whether the VIN of an answer belongs to the vehicle asked about: the full
// VIN itself, or its last seven characters when they name one vehicle only.
bool AnswerVinFits(const QString &answerVin, const QString &askedVin,
                   const CFirstRegistration::ShortVinCount &countShortVin)
{
    if (answerVin.size() == 17)
        return answerVin.compare(askedVin, Qt::CaseInsensitive) == 0;
    if (answerVin.size() == 7) {
        if (answerVin.compare(askedVin.right(7), Qt::CaseInsensitive) != 0)
            return false;
        return !countShortVin || countShortVin(answerVin) <= 1;
    }
    return false;
}

} // namespace

QString CFirstRegistration::Placeholder()
{
    return OrmelText(6061);
}

bool CFirstRegistration::IsValidDate(const QString &text)
{
    static const QRegularExpression form(QStringLiteral("^([0-9]{2})\\.([0-9]{2})\\.([0-9]{4})$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return false;
    const int year = m.captured(3).toInt();
    if (year < 1970 || year > 2037)
        return false;
    return QDate(year, m.captured(2).toInt(), m.captured(1).toInt()).isValid();
}

QString CFirstRegistration::FromDmsDate(const QString &text)
{
    static const QRegularExpression form(QStringLiteral("^([0-9]{4})-([0-9]{2})-([0-9]{2})$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return QString();
    const QString date =
        m.captured(3) + QLatin1Char('.') + m.captured(2) + QLatin1Char('.') + m.captured(1);
    return IsValidDate(date) ? date : QString();
}

// ---------------------------------------------------------------------------
// Typing

QString CFirstRegistration::OnSetFocus(const QString &text, bool readOnly)
{
    if (!readOnly && text == Placeholder())
        return QString();
    return text;
}

int CFirstRegistration::FilterTyped(QString &text)
{
    return CheckNumericInput(text);
}

CFirstRegistration::FieldResult CFirstRegistration::OnChange(const QString &text,
                                                             const BasketQuestion &askBasket)
{
    CPrgSettings &s = *m_settings;
    FieldResult result;
    result.fieldText = text;
    // Only a complete text is checked; the placeholder is no date typed.
    if (text.size() != 10 || text == Placeholder())
        return result;

    const QString old = s.Erstzulassung;
    if (!IsValidDate(text)) {
        result.messageId = 4024;
        s.Erstzulassung.clear();
    } else {
        s.Erstzulassung = text;
        if (text != old && askBasket && askBasket() == 1) {
            // The basket keeps its entries, and with them the old date.
            s.Erstzulassung = old;
            result.fieldText = old;
            result.selectAll = true;
        }
    }
    result.changes = FirstRegistrationChanges(old, s.Erstzulassung);
    return result;
}

CFirstRegistration::FieldResult CFirstRegistration::OnKillFocus(const QString &text,
                                                                const BasketQuestion &askBasket)
{
    CPrgSettings &s = *m_settings;
    FieldResult result;
    result.fieldText = text;
    if (text.size() == 10)
        return result;

    const QString old = s.Erstzulassung;
    if (old != text && askBasket && askBasket() == 1) {
        result.fieldText = old;
        result.selectAll = true;
    } else {
        result.fieldText = Placeholder();
        s.Erstzulassung.clear();
    }
    result.changes = FirstRegistrationChanges(old, s.Erstzulassung);
    return result;
}

// ---------------------------------------------------------------------------
// The DMS request

bool CFirstRegistration::ShouldRequest(const CPrgSettings &settings)
{
    return settings.SRPInterfaceReq == 4 && settings.XMLx && settings.MarketingCampaigns;
}

QString CFirstRegistration::BuildRequest(const QString &version) const
{
    const CPrgSettings &s = *m_settings;
    if (s.FgstnrFull.size() != 17)
        return QString();
    CDmsMessageWriter writer(QLatin1String(kMethod), version);
    writer.WriteVin(s.FgstnrFull);
    writer.WriteTerminalId(s.ReqXMLTerminalID);
    return writer.Finish();
}

CFirstRegistration::AnswerResult CFirstRegistration::Request(CDmsFrame &frame,
                                                             const ShortVinCount &countShortVin)
{
    const QString askedVin = m_settings->FgstnrFull;
    const QString answer =
        frame.Send(DmsServer::Request, QLatin1String(kMethod), BuildRequest(frame.Version()));
    if (answer.isEmpty())
        return AnswerResult();
    const QDomElement element = frame.AnswerElement(answer, QLatin1String(kMethod));
    if (element.isNull())
        return AnswerResult();
    return ApplyAnswer(frame, element, askedVin, countShortVin);
}

CFirstRegistration::AnswerResult CFirstRegistration::ApplyAnswer(CDmsFrame &frame,
                                                                 const QDomElement &answer,
                                                                 const QString &askedVin,
                                                                 const ShortVinCount &countShortVin)
{
    CPrgSettings &s = *m_settings;
    const QString method = QLatin1String(kMethod);
    AnswerResult result;

    bool vinOk = true;
    bool seen = false;
    bool hasException = false;
    bool hasDate = false;
    bool hasMileage = false;
    QString date;
    QString mileage;
    QString customerPrice;
    CDmsException exception;
    for (QDomElement child = answer.firstChildElement(); !child.isNull();
         child = child.nextSiblingElement()) {
        const QString name = DmsLocalName(child);
        if (name == QLatin1String("vin")) {
            const QString vin = child.attribute(QStringLiteral("vinLongPrefix")) +
                                child.attribute(QStringLiteral("vinShort"));
            vinOk = AnswerVinFits(vin.trimmed(), askedVin, countShortVin);
            seen = true;
        } else if (name == QLatin1String("firstRegistrationDate")) {
            date = child.text();
            hasDate = true;
            seen = true;
        } else if (name == QLatin1String("mileage")) {
            mileage = child.text();
            hasMileage = true;
            seen = true;
        } else if (name == QLatin1String("customerHasSpecificPrice")) {
            customerPrice = child.text();
            seen = true;
        } else if (name == QLatin1String("exception")) {
            exception = ReadDmsException(child);
            hasException = true;
        }
    }
    // Trailing blanks of the DMS's fields are no content.
    static const QRegularExpression trailing(QStringLiteral("\\s+$"));
    date.remove(trailing);
    mileage.remove(trailing);
    customerPrice.remove(trailing);

    if (!hasException && !seen)
        frame.Tell(DmsNotValidText(method, 1));
    if (hasException)
        frame.Tell(DmsExceptionText(method, exception));
    if (!vinOk) {
        frame.Tell(OrmelText(7036), OrmelText(7034));
        return result;
    }
    if (!seen)
        return result;

    const QString firstRegistration = hasDate ? FromDmsDate(date) : QString();
    if (firstRegistration.isEmpty()) {
        frame.Tell(DmsNotValidText(method, 2));
        return result;
    }

    const QString old = s.Erstzulassung;
    s.Erstzulassung = firstRegistration;
    if (hasMileage)
        s.Kilometer = mileage;
    if (s.V117)
        s.bCustomerSpecificPrice =
            customerPrice.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 ? 1 : 0;
    result.applied = 1;
    result.firstRegistration = firstRegistration;
    result.hasMileage = hasMileage;
    result.mileage = mileage;
    result.changes = FirstRegistrationChanges(old, s.Erstzulassung);
    return result;
}

int CFirstRegistration::CountShortVin(CYaqDb *db, const QString &shortVin)
{
    if (!db)
        return 0;
    CFgstnrData rec;
    rec.m_strFgstNr = shortVin;
    int count = 0;
    for (int ok = db->ReadVin17Data(rec); ok && count < 2; ok = db->ReadNext())
        ++count;
    return count;
}
