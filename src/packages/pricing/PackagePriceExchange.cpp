#include "packages/pricing/PackagePriceExchange.h"

#include "dms/DmsFrame.h"
#include "packages/model/Paket.h"
#include "packages/model/SpotRepairLine.h"
#include "packages/pricing/PackagePriceRequest.h"
#include "packages/pricing/PackagePriceRollUp.h"
#include "platform/MsgBox.h"
#include "platform/OrmelText.h"
#include "platform/StringUtil.h"
#include "settings/PrgSettings.h"

#include <QDomElement>

#include <vector>

namespace {

const QString kCar = QStringLiteral("car");
// The answer's campaign is not the package's: the editing page's message
// names the price type too, the sub-package dialog's only the four values
// it compares.
constexpr int kTextOtherCampaign = 4104;
constexpr int kTextOtherCampaignOfDialog = 4105;

// The package model's notices go to the answer's message boxes.
class AnswerNotice : public IPaketNotice
{
public:
    explicit AnswerNotice(const CDmsAnswer &answer) : m_answer(answer) {}
    void Notice(const QString &text) override { m_answer.Tell(text); }

private:
    const CDmsAnswer &m_answer;
};

// The package model's notices of a request without a usable answer go to
// the request's notice.
class RequestNotice : public IPaketNotice
{
public:
    explicit RequestNotice(IDmsNotice *notice) : m_notice(notice) {}
    void Notice(const QString &text) override
    {
        if (m_notice)
            m_notice->Notice(text, kMsgBoxTitle);
    }

private:
    IDmsNotice *m_notice;
};

// "requestPackageInfo" for the package.
class CPackageInfoRequest : public IDmsRequest
{
public:
    CPackageInfoRequest(CPackagePriceExchange &exchange, CPaket &paket, const CPrgSettings &s,
                        QString askedVin)
        : m_exchange(exchange), m_paket(paket), m_settings(s), m_askedVin(std::move(askedVin))
    {
    }
    QString Method() const override { return QLatin1String(CPackagePriceRequest::kMethod); }
    bool WriteBody(CDmsMessageWriter &body) override
    {
        return CPackagePriceRequest(m_settings).Write(body, m_paket);
    }
    void ReadAnswer(CDmsAnswer &answer) override
    {
        m_exchange.ReadAnswer(answer, m_paket, m_askedVin, outcome);
    }

    CPackagePriceExchange::Outcome outcome;

private:
    CPackagePriceExchange &m_exchange;
    CPaket &m_paket;
    const CPrgSettings &m_settings;
    QString m_askedVin;
};

void ResetLines(CPaket &paket, bool nested)
{
    // A flat-price head makes the package's choice follow the selection
    // rules again once its lines are priced line by line.
    const CPosition *head = paket.GetKopf();
    const bool flatHead = head && head->Preise1.FlatPrice != 0;
    for (const auto &line : paket) {
        if (IsUnpricedType(line->Type))
            continue;
        line->ResetPrices();
        if (nested && IsHeadType(line->Type))
            continue;
        if (flatHead)
            line->SetDiscountableFlag();
        if (line->Type == POS_SUBPACKAGE && line->SubPackage)
            ResetLines(*line->SubPackage, true);
    }
}

} // namespace

void CPackagePriceExchange::ResetRequestedPrices(CPaket &paket)
{
    ResetLines(paket, false);
}

CPosition *CPackagePriceExchange::MatchingHead(const CPackageTypeData &answer,
                                               const CPaket &paket) const
{
    for (const int type : {POS_HEAD_CAMPAIGN, POS_HEAD18, POS_HEAD19, POS_HEAD20}) {
        CPosition *head = paket.FindPosition(type, answer.number, QString());
        if (!head)
            continue;
        if (answer.productType == kCar &&
            answer.fullNumber ==
                CPackagePriceRequest::SentPackageNumber(head->Number, m_client.Settings().TypSchl))
            return head;
        return nullptr;
    }
    return nullptr;
}

bool CPackagePriceExchange::MatchesRequest(const CPackageTypeData &answer,
                                           const CPaket &paket) const
{
    return MatchingHead(answer, paket) != nullptr;
}

CPackagePriceExchange::Outcome CPackagePriceExchange::Request(CPaket &paket)
{
    if (!CPackagePriceRequest::HasRequestedLines(paket, m_subPackageDialog))
        return Outcome();
    const CPrgSettings &s = m_client.Settings();
    CPackageInfoRequest request(*this, paket, s, CDmsMessageWriter::RequestVin(s));
    const DmsOutcome sent = m_client.Run(request, m_notice);
    request.outcome.answered = sent == DmsOutcome::Read || sent == DmsOutcome::Unusable;
    // Nothing went out, or the adviser gave the request up: the package
    // stays as it was.
    if (sent != DmsOutcome::NotSent && sent != DmsOutcome::Cancelled)
        PricesGone(paket, request.outcome);
    return request.outcome;
}

void CPackagePriceExchange::PricesGone(CPaket &paket, Outcome &outcome) const
{
    if (outcome.applied)
        return;
    ResetRequestedPrices(paket);
    RequestNotice notice(m_notice);
    outcome.mixedKinds = RollUp(paket, &notice, CPackagePriceRollUp::Occasion::ChoiceChanged);
}

int CPackagePriceExchange::RollUp(CPaket &paket, IPaketNotice *notice,
                                  CPackagePriceRollUp::Occasion occasion) const
{
    const CPrgSettings &s = m_client.Settings();
    int kinds = CPackagePriceRollUp::Customer;
    if (s.SRPInterfaceReq == 4 && s.XMLx)
        kinds |= CPackagePriceRollUp::Standard;
    if (m_campaignMode)
        kinds |= CPackagePriceRollUp::Campaign;
    return CPackagePriceRollUp::RollUp(paket, &s, kinds, notice, occasion,
                                       m_subPackageDialog ? CPackagePriceRollUp::Customer : 0);
}

CPackagePriceExchange::Outcome
CPackagePriceExchange::TakeAnswer(const QString &answer, CPaket &paket, const QString &askedVin)
{
    CPackageInfoRequest request(*this, paket, m_client.Settings(), askedVin);
    request.outcome.answered = !answer.isEmpty();
    if (!answer.isEmpty())
        m_client.ReadAnswer(request, answer, m_notice);
    PricesGone(paket, request.outcome);
    return request.outcome;
}

void CPackagePriceExchange::ReadAnswer(CDmsAnswer &answer, CPaket &paket, const QString &askedVin,
                                       Outcome &outcome)
{
    const CRequestPackageInfoResponseData data =
        ReadRequestPackageInfoResponse(answer, PackageInfoAsked::Package);
    CDmsAnswer::Rules rules;
    rules.valid = IsValidPackageInfoResponse(data, PackageInfoAsked::Package);
    rules.fullVinOnly = m_subPackageDialog;
    if (!answer.Evaluate(rules))
        return;
    if (!answer.VinIsOf(askedVin)) {
        answer.Tell(5056);
        return;
    }

    // Which packages of the answer price the package asked about; the
    // package is changed only when one does.
    const bool several = data.packages.size() > 1;
    if (several)
        answer.Tell(5062);
    std::vector<const CPackageTypeData *> matching;
    for (const CPackageTypeData &package : data.packages) {
        if (MatchesRequest(package, paket)) {
            matching.push_back(&package);
            continue;
        }
        QString text = OrmelTextArgs(5065, {package.fullNumber + QStringLiteral(" (") +
                                            package.productType + QLatin1Char(')')});
        if (package.productType != kCar)
            text += QStringLiteral("\n (") + OrmelText(5057) + QLatin1Char(')');
        answer.Tell(text);
    }
    if (matching.empty()) {
        if (several)
            answer.Tell(5064);
        return;
    }

    ResetRequestedPrices(paket);
    for (const CPackageTypeData *package : matching)
        TakePackage(answer, *package, paket);
    AnswerNotice notice(answer);
    outcome.mixedKinds = RollUp(paket, &notice, CPackagePriceRollUp::Occasion::PricesArrived);
    outcome.applied = 1;
}

void CPackagePriceExchange::TakePackage(CDmsAnswer &reply, const CPackageTypeData &answer,
                                        CPaket &paket)
{
    const CPrgSettings &s = m_client.Settings();
    CPosition *head = MatchingHead(answer, paket);
    if (head && answer.hasCampaign && s.SRPInterfaceReq == 4 && s.XMLx) {
        const CCampaignInfoData &c = answer.campaign;
        const auto &mine = head->Campaign;
        const bool same =
            c.campaignName == WithoutTrailingBlanks(mine[CPosition::CampaignName]) &&
            c.campaignPackageName == WithoutTrailingBlanks(mine[CPosition::CampaignPackageName]) &&
            c.campaignPackageNumber == mine[CPosition::CampaignPackageNumber] &&
            c.number == mine[CPosition::CampaignNumber] &&
            (m_subPackageDialog || !s.V117 ||
             c.campaignPriceType == mine[CPosition::CampaignPriceType]);
        if (same) {
            // A campaign package price sent in a form the program cannot
            // read is told, as a line's price is: not taken as none sent.
            if (!head->SetPricesFromDms3(c.packageGrossPrice, c.packageNetPrice))
                reply.Tell(OrmelText(5055) + QLatin1Char('\n') + answer.fullNumber +
                           QStringLiteral(": \"") + c.packageGrossPrice + QStringLiteral("\", \"") +
                           c.packageNetPrice + QLatin1Char('"'));
        } else
            reply.Tell(m_subPackageDialog ? kTextOtherCampaignOfDialog : kTextOtherCampaign);
    }
    AnswerNotice notice(reply);
    for (const CFlatRateTypeData &flatRate : answer.flatRates)
        paket.ApplyDmsWorkPosResponse(&s, flatRate, &notice);
    // A spot-repair package has no parts: parts of the answer are not its.
    if (IsSpotRepairPackage(paket))
        return;
    for (const CPartTypeData &part : answer.parts)
        paket.ApplyDmsPartsResponse(&s, part, &notice);
}
