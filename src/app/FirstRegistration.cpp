#include "app/FirstRegistration.h"

#include "common/InputCheck.h"
#include "dms/DmsClient.h"
#include "platform/OrmelText.h"
#include "platform/XmlValues.h"
#include "platform/db/YaqDb.h"
#include "settings/PrgSettings.h"

#include <QDate>
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

// "requestFirstRegistrationDate" of the settings' vehicle.
class CFirstRegistrationRequest : public IDmsRequest
{
public:
    CFirstRegistrationRequest(CFirstRegistration &owner, QString askedVin)
        : m_owner(owner), m_askedVin(std::move(askedVin))
    {
    }
    QString Method() const override { return QLatin1String(CFirstRegistration::kMethod); }
    bool WriteBody(CDmsMessageWriter &body) override { return m_owner.WriteRequest(body); }
    void ReadAnswer(CDmsAnswer &answer) override
    {
        result = m_owner.ApplyAnswer(answer, m_askedVin);
    }

    CFirstRegistration::AnswerResult result;

private:
    CFirstRegistration &m_owner;
    QString m_askedVin;
};

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
    const QString date = XmlDate(text).toString(QStringLiteral("dd.MM.yyyy"));
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
    // The transfer system's package request answers on the clipboard
    // without a window: the DMS is not asked there, since its wait and its
    // messages would be windows, and a DMS that does not answer would hold
    // the caller up to the time limit. The first registration of that run
    // is the one of the command line ("-f").
    if (settings.bQvlAwToSrp)
        return false;
    return settings.SRPInterfaceReq == 4 && settings.XMLx && settings.MarketingCampaigns;
}

QString CFirstRegistration::BuildRequest(const QString &version) const
{
    CDmsMessageWriter writer(QLatin1String(kMethod), version);
    if (!WriteRequest(writer))
        return QString();
    return writer.Finish();
}

bool CFirstRegistration::WriteRequest(CDmsMessageWriter &body) const
{
    const CPrgSettings &s = *m_settings;
    if (s.FgstnrFull.size() != 17)
        return false;
    body.WriteVin(s.FgstnrFull);
    body.WriteTerminalId(s.ReqXMLTerminalID);
    return true;
}

CFirstRegistration::AnswerResult CFirstRegistration::Request(CDmsClient &client, IDmsNotice *notice)
{
    CFirstRegistrationRequest request(*this, m_settings->FgstnrFull);
    client.Run(request, notice);
    return request.result;
}

CFirstRegistration::AnswerResult CFirstRegistration::ApplyAnswer(CDmsAnswer &answer,
                                                                 const QString &askedVin)
{
    CPrgSettings &s = *m_settings;
    AnswerResult result;

    bool hasDate = false;
    bool hasMileage = false;
    QString date;
    QString mileage;
    QString customerPrice;
    answer.ReadChildren(
        [&](const QDomElement &child) {
            const QString name = XmlLocalName(child);
            if (name == QLatin1String("firstRegistrationDate")) {
                date = child.text();
                hasDate = true;
            } else if (name == QLatin1String("mileage")) {
                mileage = child.text();
                hasMileage = true;
            } else if (name == QLatin1String("customerHasSpecificPrice")) {
                customerPrice = child.text();
            } else {
                return false;
            }
            return true;
        },
        DmsAnswerVin::Content);
    // Trailing blanks of the DMS's fields are no content.
    static const QRegularExpression trailing(QStringLiteral("\\s+$"));
    date.remove(trailing);
    mileage.remove(trailing);
    customerPrice.remove(trailing);

    const QString firstRegistration = hasDate ? FromDmsDate(date) : QString();
    CDmsAnswer::Rules rules;
    rules.valid = !firstRegistration.isEmpty();
    rules.askedVin = askedVin;
    if (!answer.Evaluate(rules))
        return result;

    const QString old = s.Erstzulassung;
    s.Erstzulassung = firstRegistration;
    if (hasMileage)
        s.Kilometer = mileage;
    if (s.V117)
        s.bCustomerSpecificPrice = XmlIsTrue(customerPrice) ? 1 : 0;
    result.applied = 1;
    result.firstRegistration = firstRegistration;
    result.hasMileage = hasMileage;
    result.mileage = mileage;
    result.changes = FirstRegistrationChanges(old, s.Erstzulassung);
    return result;
}
