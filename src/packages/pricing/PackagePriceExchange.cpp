#include "packages/pricing/PackagePriceExchange.h"

#include "common/DmsFrame.h"
#include "packages/model/Paket.h"
#include "packages/pricing/PackagePriceRequest.h"
#include "packages/pricing/PackagePriceRollUp.h"
#include "platform/OrmelText.h"
#include "platform/StringUtil.h"
#include "settings/PrgSettings.h"

#include <QDomElement>

#include <vector>

namespace {

const QString kCar = QStringLiteral("car");

// The package model's notices go to the frame's message boxes.
class FrameNotice : public IPaketNotice
{
public:
    explicit FrameNotice(CDmsFrame &frame) : m_frame(frame) {}
    void Notice(const QString &text) override { m_frame.Tell(text); }

private:
    CDmsFrame &m_frame;
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
                CPackagePriceRequest::SentPackageNumber(head->Number, m_frame.Settings().TypSchl))
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
    if (!CPackagePriceRequest::HasRequestedLines(paket))
        return Outcome();
    const CPrgSettings &s = m_frame.Settings();
    const QString askedVin = CPackagePriceRequest::RequestVin(s);
    const QString body = CPackagePriceRequest(s).Build(paket, m_frame.Version());
    if (body.isEmpty())
        return Outcome();
    const QString answer =
        m_frame.Send(DmsServer::Request, QLatin1String(CPackagePriceRequest::kMethod), body);
    return TakeAnswer(answer, paket, askedVin);
}

CPackagePriceExchange::Outcome
CPackagePriceExchange::TakeAnswer(const QString &answer, CPaket &paket, const QString &askedVin)
{
    const QString method = QLatin1String(CPackagePriceRequest::kMethod);
    Outcome outcome;
    outcome.answered = !answer.isEmpty();
    if (answer.isEmpty())
        return outcome;
    const QDomElement element = m_frame.AnswerElement(answer, method);
    if (element.isNull())
        return outcome;

    const CRequestPackageInfoResponseData data = ReadRequestPackageInfoResponse(element);
    for (int i = 0; i < data.flatRateAnswers; ++i)
        m_frame.Tell(5063);
    if (!data.hasException && !data.hasContent)
        m_frame.Tell(DmsNotValidText(method, 1));
    if (data.hasException)
        m_frame.Tell(DmsExceptionText(method, data.exception));

    bool vinValid = true;
    if (data.hasVin) {
        if (data.vin.size() == 7)
            vinValid = !m_countShortVin || m_countShortVin(data.vin) <= 1;
        else
            vinValid = data.vin.size() == 17;
    }
    if (!vinValid) {
        m_frame.Tell(OrmelText(7036), OrmelText(7034));
        return outcome;
    }
    if (!data.hasContent)
        return outcome;
    if (!IsValidPackageInfoResponse(data)) {
        m_frame.Tell(DmsNotValidText(method, 2));
        return outcome;
    }
    if (data.vin != askedVin && data.vin != askedVin.right(7)) {
        m_frame.Tell(5056);
        return outcome;
    }

    // Which packages of the answer price the package asked about; the
    // package is changed only when one does.
    const bool several = data.packages.size() > 1;
    if (several)
        m_frame.Tell(5062);
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
        m_frame.Tell(text);
    }
    if (matching.empty()) {
        if (several)
            m_frame.Tell(5064);
        return outcome;
    }

    ResetRequestedPrices(paket);
    for (const CPackageTypeData *package : matching)
        TakePackage(*package, paket);
    const CPrgSettings &s = m_frame.Settings();
    int kinds = CPackagePriceRollUp::Customer;
    if (s.SRPInterfaceReq == 4 && s.XMLx)
        kinds |= CPackagePriceRollUp::Standard;
    if (m_campaignMode)
        kinds |= CPackagePriceRollUp::Campaign;
    FrameNotice notice(m_frame);
    outcome.mixedKinds = CPackagePriceRollUp::RollUp(paket, &s, kinds, &notice);
    outcome.applied = 1;
    return outcome;
}

void CPackagePriceExchange::TakePackage(const CPackageTypeData &answer, CPaket &paket)
{
    const CPrgSettings &s = m_frame.Settings();
    CPosition *head = MatchingHead(answer, paket);
    if (head && answer.hasCampaign && s.SRPInterfaceReq == 4 && s.XMLx) {
        const CCampaignInfoData &c = answer.campaign;
        const auto &mine = head->Campaign;
        const bool same =
            c.campaignName == WithoutTrailingBlanks(mine[CPosition::CampaignName]) &&
            c.campaignPackageName == WithoutTrailingBlanks(mine[CPosition::CampaignPackageName]) &&
            c.campaignPackageNumber == mine[CPosition::CampaignPackageNumber] &&
            c.number == mine[CPosition::CampaignNumber] &&
            (!s.V117 || c.campaignPriceType == mine[CPosition::CampaignPriceType]);
        if (same)
            head->SetPricesFromDms3(c.packageGrossPrice, c.packageNetPrice);
        else
            m_frame.Tell(4104);
    }
    FrameNotice notice(m_frame);
    for (const CFlatRateTypeData &flatRate : answer.flatRates)
        paket.ApplyDmsWorkPosResponse(&s, flatRate, &notice);
    for (const CPartTypeData &part : answer.parts)
        paket.ApplyDmsPartsResponse(&s, part, &notice);
}
