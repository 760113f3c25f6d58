#include "packages/list/CampaignValidity.h"

#include "packages/model/Position.h"

#include <utility>

namespace {

QString Trimmed(const CPosition &p, int field)
{
    return p.Campaign[size_t(field)].trimmed();
}

} // namespace

CCampaignValidity::CCampaignValidity(const QString &firstRegistration,
                                     const QString &productionDate, QString today)
    : m_strToday(std::move(today))
{
    if (firstRegistration.size() == 10)
        m_firstRegistration = QDate::fromString(firstRegistration, QStringLiteral("dd.MM.yyyy"));
    if (m_firstRegistration.isValid())
        m_strFirstRegistration = m_firstRegistration.toString(QStringLiteral("yyyyMMdd"));
    m_strProduction = productionDate.left(6) + QStringLiteral("01");
}

QString CCampaignValidity::AddMonths(const QDate &date, int months)
{
    return date.addMonths(months).toString(QStringLiteral("yyyyMMdd"));
}

bool CCampaignValidity::ParseMonths(const QString &text, int *months)
{
    *months = -1;
    const QString t = text.trimmed();
    if (t.isEmpty())
        return true;
    for (const QChar c : t) {
        if (!c.isDigit() || c.unicode() > '9')
            return false;
    }
    bool ok = false;
    const int value = t.toInt(&ok);
    // Ages beyond a few centuries are no age of a vehicle.
    if (!ok || value > 12 * 300)
        return false;
    *months = value;
    return true;
}

CCampaignValidity::Verdict CCampaignValidity::Judge(const CPosition &campaign) const
{
    Verdict verdict;
    int ageBegin = -1;
    int ageEnd = -1;
    if (!ParseMonths(Trimmed(campaign, CPosition::CampaignAgeBegin), &ageBegin) ||
        !ParseMonths(Trimmed(campaign, CPosition::CampaignAgeEnd), &ageEnd)) {
        verdict.badAge = true;
        return verdict;
    }
    QString ageBeginDate, ageEndDate;
    if (FirstRegistrationKnown()) {
        if (ageBegin >= 0)
            ageBeginDate = AddMonths(m_firstRegistration, ageBegin);
        if (ageEnd >= 0)
            ageEndDate = AddMonths(m_firstRegistration, ageEnd);
    }
    // A bound of the first-registration period counts only as a full date.
    QString fregBegin = Trimmed(campaign, CPosition::CampaignFregBegin);
    QString fregEnd = Trimmed(campaign, CPosition::CampaignFregEnd);
    if (fregBegin.size() != 8)
        fregBegin.clear();
    if (fregEnd.size() != 8)
        fregEnd.clear();

    bool valid = true;
    if (!fregBegin.isEmpty() || !fregEnd.isEmpty()) {
        verdict.periodAndAge = !ageBeginDate.isEmpty() || !ageEndDate.isEmpty();
        valid = FirstRegistrationKnown() &&
                (fregBegin.isEmpty() || m_strFirstRegistration >= fregBegin) &&
                (fregEnd.isEmpty() || m_strFirstRegistration <= fregEnd);
    } else if (!ageBeginDate.isEmpty() || !ageEndDate.isEmpty()) {
        valid = (ageBeginDate.isEmpty() || ageBeginDate <= m_strToday) &&
                (ageEndDate.isEmpty() || ageEndDate > m_strToday);
    }
    valid = valid && m_strProduction >= Trimmed(campaign, CPosition::CampaignProdBegin) &&
            m_strProduction <= Trimmed(campaign, CPosition::CampaignProdEnd) &&
            m_strToday >= Trimmed(campaign, CPosition::CampaignBegin) &&
            m_strToday <= Trimmed(campaign, CPosition::CampaignEnd);
    verdict.valid = valid;
    return verdict;
}
