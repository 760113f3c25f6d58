#include "app/VehicleSearch.h"

#include "platform/AppPaths.h"
#include "platform/MsgBox.h"
#include "platform/OrmelText.h"
#include "platform/StringUtil.h"
#include "platform/XmlValues.h"
#include "platform/ccd/CFGInfoRec.h"
#include "platform/db/CatalogueFailure.h"
#include "settings/PrgSettings.h"

#include <QDomElement>
#include <algorithm>

namespace {

bool IsNamed(const QDomElement &element, const char *name)
{
    return XmlLocalName(element).compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
}

// The DMS's date (YYYY-MM-DD, with or without its time zone) as DD.MM.YYYY;
// empty when it is no date.
QString FromDmsDate(const QString &date)
{
    return XmlDate(date).toString(QStringLiteral("dd.MM.yyyy"));
}

// One run over the key of a criterion, collected one hit per VIN.
using Move = int (CFGInfoRec::*)(int, const QString &);

// "requestVIN" with the criteria typed.
class CRequestVin : public IDmsRequest
{
public:
    CRequestVin(const CVehicleSearch &search, const CVehicleSearchCriteria &criteria,
                const CPrgSettings &settings)
        : m_search(search), m_criteria(criteria), m_settings(settings)
    {
    }
    QString Method() const override { return QLatin1String(CVehicleSearch::kMethod); }
    bool WriteBody(CDmsMessageWriter &body) override
    {
        if (m_criteria.IsEmpty())
            return false;
        const std::pair<const char *, const QString *> fields[] = {
            {"plateNumber", &m_criteria.plate},
            {"lastName", &m_criteria.lastName},
            {"searchText1", &m_criteria.criterion3},
            {"searchText2", &m_criteria.criterion4},
        };
        for (const auto &[name, value] : fields) {
            if (!value->isEmpty())
                body.WriteText(QLatin1String(name), *value);
        }
        body.WriteTerminalId(m_settings.ReqXMLTerminalID);
        return true;
    }
    void ReadAnswer(CDmsAnswer &answer) override { outcome = m_search.EvaluateAnswer(answer); }

    CVehicleSearchOutcome outcome;

private:
    const CVehicleSearch &m_search;
    const CVehicleSearchCriteria &m_criteria;
    const CPrgSettings &m_settings;
};

} // namespace

bool CVehicleSearchCriteria::IsEmpty() const
{
    return lastName.isEmpty() && plate.isEmpty() && criterion3.isEmpty() && criterion4.isEmpty();
}

// ---------------------------------------------------------------------------
// The dealer's vehicle file

CVehicleSearchOutcome CVehicleSearch::SearchDealerFile(const CVehicleSearchCriteria &criteria,
                                                       const QString &language,
                                                       IDmsNotice &notice) const
{
    const CPrgSettings &s = *m_settings;
    CVehicleSearchOutcome outcome;
    CFGInfoRec rec;
    if (!rec.Open(s.ReqDateiVerz, language)) {
        notice.Notice(
            CCDOpenFailureText(rec, JoinPath(s.ReqDateiVerz, CFGInfoRec::FileName(language))) +
                QLatin1Char('\n') + OrmelText(4043),
            kMsgBoxTitle);
        return outcome;
    }

    const std::pair<Move, const QString *> runs[] = {
        {&CFGInfoRec::MovePolKZ, &criteria.plate},
        {&CFGInfoRec::MoveName, &criteria.lastName},
        {&CFGInfoRec::MoveSuchkriterium3, &criteria.criterion3},
        {&CFGInfoRec::MoveSuchkriterium4, &criteria.criterion4},
    };
    bool first = true;
    for (const auto &[move, key] : runs) {
        if (key->isEmpty())
            continue;
        QList<CFgstNrAbfZeile> hits;
        for (int ok = (rec.*move)(CCD_MOVE_FIRST, *key); ok;
             ok = (rec.*move)(CCD_MOVE_NEXT, QString())) {
            CFgstNrAbfZeile hit;
            hit.strFgstNr = rec.FgstNr;
            hit.strText1 = WithoutTrailingBlanks(rec.PolKZ);
            hit.strText2 = WithoutTrailingBlanks(rec.Name);
            hit.strText3 = WithoutTrailingBlanks(rec.Fahrzeug);
            // The training edition shows its campaigns with its own date.
            if (s.bSchulung && s.MarketingCampaigns)
                hit.strErstzul = s.SchulungEZ;
            AddUnique(hits, hit);
        }
        IntersectResults(outcome.hits, hits, first);
        first = false;
    }
    outcome.showList = true;
    return outcome;
}

void CVehicleSearch::IntersectResults(QList<CFgstNrAbfZeile> &result,
                                      const QList<CFgstNrAbfZeile> &criterionHits, bool first)
{
    if (criterionHits.isEmpty()) {
        result.clear();
        return;
    }
    if (first) {
        result = criterionHits;
        return;
    }
    result.erase(std::remove_if(result.begin(), result.end(),
                                [&criterionHits](const CFgstNrAbfZeile &hit) {
                                    return std::none_of(criterionHits.begin(), criterionHits.end(),
                                                        [&hit](const CFgstNrAbfZeile &other) {
                                                            return other.strFgstNr == hit.strFgstNr;
                                                        });
                                }),
                 result.end());
}

bool CVehicleSearch::AddUnique(QList<CFgstNrAbfZeile> &list, const CFgstNrAbfZeile &hit)
{
    for (const CFgstNrAbfZeile &listed : list) {
        if (listed.strFgstNr == hit.strFgstNr)
            return false;
    }
    list.append(hit);
    return true;
}

// ---------------------------------------------------------------------------
// The DMS

QString CVehicleSearch::BuildRequest(const CVehicleSearchCriteria &criteria,
                                     const QString &version) const
{
    CRequestVin request(*this, criteria, *m_settings);
    CDmsMessageWriter writer(QLatin1String(kMethod), version);
    if (!request.WriteBody(writer))
        return QString();
    return writer.Finish();
}

CVehicleSearchOutcome CVehicleSearch::RequestVin(CDmsClient &client, IDmsNotice *notice,
                                                 const CVehicleSearchCriteria &criteria) const
{
    // The search button is off while every field is empty; nothing to ask.
    if (criteria.IsEmpty())
        return CVehicleSearchOutcome();
    CRequestVin request(*this, criteria, *m_settings);
    client.Run(request, notice);
    return request.outcome;
}

CVehicleIdentificationData CVehicleSearch::ReadVehicle(const QDomElement &child)
{
    CVehicleIdentificationData vehicle;
    {
        for (QDomElement field = child.firstChildElement(); !field.isNull();
             field = field.nextSiblingElement()) {
            if (IsNamed(field, "vin")) {
                const QString prefix = QStringLiteral("vinLongPrefix");
                const QString shortVin = QStringLiteral("vinShort");
                if (field.hasAttribute(prefix) && field.hasAttribute(shortVin))
                    vehicle.vin = field.attribute(prefix) + field.attribute(shortVin);
            } else if (IsNamed(field, "firstRegistrationDate")) {
                vehicle.firstRegistrationDate = field.text();
                vehicle.hasFirstRegistrationDate = true;
            } else if (IsNamed(field, "mileage")) {
                vehicle.mileage = field.text();
            } else if (IsNamed(field, "resultText1")) {
                vehicle.resultText1 = field.text();
            } else if (IsNamed(field, "resultText2")) {
                vehicle.resultText2 = field.text();
            } else if (IsNamed(field, "resultText3")) {
                vehicle.resultText3 = field.text();
            } else if (IsNamed(field, "customerHasSpecificPrice")) {
                vehicle.customerHasSpecificPrice = field.text();
                vehicle.hasCustomerHasSpecificPrice = true;
            }
        }
    }
    return vehicle;
}

bool CVehicleSearch::IsValidAnswer(const QList<CVehicleIdentificationData> &vehicles)
{
    for (const CVehicleIdentificationData &vehicle : vehicles) {
        if (vehicle.hasFirstRegistrationDate && !XmlDate(vehicle.firstRegistrationDate).isValid())
            return false;
        if (vehicle.hasCustomerHasSpecificPrice && !XmlBoolean(vehicle.customerHasSpecificPrice))
            return false;
    }
    return true;
}

CVehicleSearchOutcome CVehicleSearch::EvaluateAnswer(CDmsAnswer &answer) const
{
    CVehicleSearchOutcome outcome;
    QList<CVehicleIdentificationData> vehicles;
    answer.ReadChildren(
        [&vehicles](const QDomElement &child) {
            if (!IsNamed(child, "vehicleIdentification"))
                return false;
            vehicles.append(ReadVehicle(child));
            return true;
        },
        DmsAnswerVin::None, Qt::CaseInsensitive);
    if (!answer.HasException() && vehicles.isEmpty())
        answer.TellNotValid(1);
    if (answer.HasException()) {
        answer.TellException();
        return outcome;
    }
    for (const CVehicleIdentificationData &vehicle : vehicles) {
        if (vehicle.vin.size() != 17) {
            answer.Tell(OrmelText(7035), OrmelText(7034));
            return outcome;
        }
    }
    if (!vehicles.isEmpty() && !IsValidAnswer(vehicles)) {
        answer.TellNotValid(2);
        return outcome;
    }
    if (vehicles.size() > kMaxDmsHits) {
        answer.Tell(5003);
        return outcome;
    }
    for (const CVehicleIdentificationData &vehicle : vehicles) {
        CFgstNrAbfZeile hit;
        hit.strFgstNr = vehicle.vin;
        if (vehicle.hasFirstRegistrationDate)
            hit.strErstzul = FromDmsDate(vehicle.firstRegistrationDate);
        hit.strKm = vehicle.mileage;
        hit.strText1 = vehicle.resultText1;
        hit.strText2 = vehicle.resultText2;
        hit.strText3 = vehicle.resultText3;
        hit.nCustomerSpecificPrice =
            m_settings->V117 && XmlIsTrue(vehicle.customerHasSpecificPrice) ? 1 : 0;
        AddUnique(outcome.hits, hit);
    }
    outcome.showList = true;
    return outcome;
}

// ---------------------------------------------------------------------------
// Taking a hit

CVehicleSearch::Take CVehicleSearch::TakeHit(const CFgstNrAbfZeile &hit, const VinCheck &check,
                                             const Apply &apply, IDmsNotice &notice) const
{
    const int known = check ? check(hit.strFgstNr) : 0;
    if (known < 0) {
        if (CatalogueFailure::ToTell())
            notice.Notice(CatalogueFailure::Text(), kMsgBoxTitle);
        return Take::Unreachable;
    }
    if (!known) {
        notice.Notice(OrmelText(4014), kMsgBoxTitle);
        return Take::UnknownVin;
    }
    // The customer's price flag and name belong to the found vehicle: they
    // change only when the main window took it (the basket may keep the
    // vehicle shown).
    CPrgSettings &s = *m_settings;
    const int customerSpecificPrice = s.bCustomerSpecificPrice;
    s.bCustomerSpecificPrice = hit.nCustomerSpecificPrice;
    if (apply && !apply(hit.strFgstNr, hit.strErstzul, hit.strKm, hit.strText1)) {
        s.bCustomerSpecificPrice = customerSpecificPrice;
        return Take::Refused;
    }
    if (s.PrintTexts.size() < 2)
        s.PrintTexts.resize(12);
    s.PrintTexts[1] = hit.strText2;
    return Take::Taken;
}
