#include "packages/list/CampaignImport.h"

#include "packages/list/CampaignValidity.h"
#include "packages/list/PackageList.h"
#include "packages/model/PaketNotice.h"
#include "packages/model/Position.h"
#include "platform/AppPaths.h"
#include "platform/OrmelText.h"
#include "platform/StringUtil.h"
#include "platform/ccd/CCmpnPckgRec.h"
#include "platform/ccd/CCmpnPckgSubsRec.h"
#include "platform/ccd/CCmpnPckgTxtRec.h"
#include "platform/ccd/CCmpnRec.h"
#include "platform/ccd/CCmpnTxtRec.h"
#include "platform/ccd/CMrktngAttRec.h"

#include <QHash>

#include <algorithm>
#include <utility>

namespace {

// Texts of the faults in the campaign data.
constexpr int kTextPackagePriceMissing = 4100;
constexpr int kTextLinePricesWithPackagePrice = 4101;
constexpr int kTextRebateMissing = 4102;
constexpr int kTextPeriodAndAge = 4103;
constexpr int kTextDataFault = 4130;
constexpr int kTextBadAge = 4132;

bool IsOneOf(const QString &value, std::initializer_list<const char *> values)
{
    return std::any_of(values.begin(), values.end(),
                       [&](const char *v) { return value == QLatin1String(v); });
}

} // namespace

CCampaignImport::CCampaignImport(CCampaignImportInput input, IPaketNotice *notice, TextReader texts)
    : m_input(std::move(input)), m_pNotice(notice), m_texts(std::move(texts))
{
}

QString CCampaignImport::DataFaultText(int textId)
{
    return OrmelText(kTextDataFault) + OrmelText(textId);
}

QString CCampaignImport::PackageNumberOf(const QString &packageRef)
{
    return packageRef.mid(1, 7);
}

void CCampaignImport::Fault(int textId) const
{
    if (m_pNotice)
        m_pNotice->Notice(DataFaultText(textId));
}

void CCampaignImport::CheckPriceDefinitions(CPosition &row) const
{
    auto &c = row.Campaign;
    const QString type = c[CPosition::CampaignPriceType];
    const bool linePrices = !c[CPosition::CampaignLabourRebate].isEmpty() ||
                            !c[CPosition::CampaignPartsRebate].isEmpty() ||
                            !c[CPosition::CampaignOilRebate].isEmpty();
    // A rebate campaign by items has no package price.
    if (type == QLatin1String("CR"))
        c[CPosition::CampaignFixedPrice].clear();
    if (IsOneOf(type, {"L", "R"}) && c[CPosition::CampaignFixedPrice].isEmpty())
        Fault(kTextPackagePriceMissing);
    if (IsOneOf(type, {"L", "R", "CL"}) && linePrices) {
        Fault(kTextLinePricesWithPackagePrice);
        c[CPosition::CampaignLabourRebate].clear();
        c[CPosition::CampaignPartsRebate].clear();
        c[CPosition::CampaignOilRebate].clear();
    }
    if (type == QLatin1String("CR") &&
        (c[CPosition::CampaignLabourRebate].isEmpty() ||
         c[CPosition::CampaignPartsRebate].isEmpty() || c[CPosition::CampaignOilRebate].isEmpty()))
        Fault(kTextRebateMissing);
}

CCampaignOffers CCampaignImport::Import()
{
    CCampaignOffers offers;
    const QString &folder = m_input.folder;
    CCmpnPckgSubsRec subs;
    CCmpnRec campaigns;
    CCmpnTxtRec campaignTexts;
    CCmpnPckgRec packages;
    CCmpnPckgTxtRec packageTexts;
    CMrktngAttRec marketing;
    const std::pair<CCDRec *, QString> files[] = {
        {&subs, CCmpnPckgSubsRec::FileName()},        {&campaigns, CCmpnRec::FileName()},
        {&campaignTexts, CCmpnTxtRec::FileName()},    {&packages, CCmpnPckgRec::FileName()},
        {&packageTexts, CCmpnPckgTxtRec::FileName()}, {&marketing, CMrktngAttRec::FileName()},
    };
    for (const auto &file : files) {
        if (!file.first->Open(JoinPath(folder, file.second))) {
            if (m_pNotice)
                m_pNotice->Notice(CCDOpenFailureText(*file.first, JoinPath(folder, file.second)));
            return offers;
        }
    }

    const CCampaignValidity validity(m_input.firstRegistration, m_input.productionDate,
                                     m_input.today);
    for (int ok = subs.MoveCmpnPckgSubs(CCD_MOVE_FIRST, m_input.typeKey); ok;
         ok = subs.MoveCmpnPckgSubs(CCD_MOVE_NEXT, QString())) {
        auto row = std::make_shared<CPosition>();
        row->Type = POS_SPECIAL2;
        row->HG = QStringLiteral("XX");
        auto &c = row->Campaign;
        c[CPosition::CampaignKey1] = subs.NSCID;
        c[CPosition::CampaignKey2] = subs.DLRID;
        c[CPosition::CampaignNumber] = subs.CMPN_NO;
        c[CPosition::CampaignPackageNumber] = subs.CMPN_PCKG_NO;
        c[CPosition::CampaignSubsField] = subs.SUBS_NO;
        c[CPosition::CampaignProdBegin] = subs.PROD_PERIOD_BEG.trimmed();
        c[CPosition::CampaignProdEnd] = subs.PROD_PERIOD_END.trimmed();
        c[CPosition::CampaignFixedPrice] = subs.CMPN_PCKG_PRICE_DEF.trimmed();
        c[CPosition::CampaignLabourRebate] = subs.CMPN_PCKG_LABOUR_PRICE_DEF.trimmed();
        c[CPosition::CampaignPartsRebate] = subs.CMPN_PCKG_PART_PRICE_DEF.trimmed();
        c[CPosition::CampaignOilRebate] = subs.CMPN_PCKG_LABOUR_OIL_PRICE_DEF.trimmed();
        // A subscription of a campaign the dealer does not have is no offer.
        if (!campaigns.SearchCmpn(subs.CMPN_NO))
            continue;
        c[CPosition::CampaignBegin] = campaigns.CMPN_PERIOD_BEG.trimmed();
        c[CPosition::CampaignEnd] = campaigns.CMPN_PERIOD_END.trimmed();
        c[CPosition::CampaignFregBegin] = campaigns.FREG_PERIOD_BEG.trimmed();
        c[CPosition::CampaignFregEnd] = campaigns.FREG_PERIOD_END.trimmed();
        c[CPosition::CampaignAgeBegin] = campaigns.VCL_AGE_BEG.trimmed();
        c[CPosition::CampaignAgeEnd] = campaigns.VCL_AGE_END.trimmed();
        c[CPosition::CampaignAttr1] = campaigns.CMPN_ATTR1;
        c[CPosition::CampaignPriceType] = campaigns.PRICE_TYPE_DEF.trimmed();
        c[CPosition::CampaignAttr2] = campaigns.CMPN_ATTR2;
        c[CPosition::CampaignCurrency] = campaigns.CMPN_CCY;
        CheckPriceDefinitions(*row);

        const CCampaignValidity::Verdict verdict = validity.Judge(*row);
        if (verdict.badAge)
            Fault(kTextBadAge);
        else if (verdict.periodAndAge)
            Fault(kTextPeriodAndAge);
        if (!verdict.valid)
            continue;

        const QString packageKey = subs.CMPN_NO + subs.CMPN_PCKG_NO;
        if (packages.SearchCmpnPckg(packageKey)) {
            c[CPosition::CampaignPackageRef] = packages.CMPN_PCKG_REF;
            row->Number = PackageNumberOf(packages.CMPN_PCKG_REF);
            if (m_texts)
                m_texts(*row, row->Number);
        }
        if (packageTexts.SearchCmpnPckgTxt(packageKey)) {
            c[CPosition::CampaignPackageName] = WithoutTrailingBlanks(packageTexts.CMPN_PCKG_NAME);
            c[CPosition::CampaignPackageText] = packageTexts.CMPN_PCKG_TEXT;
        }
        if (c[CPosition::CampaignPackageName].isEmpty())
            c[CPosition::CampaignPackageName] = subs.CMPN_PCKG_NO;
        if (campaignTexts.SearchCmpnTxt(subs.CMPN_NO)) {
            c[CPosition::CampaignName] = WithoutTrailingBlanks(campaignTexts.CMPN_NAME);
            c[CPosition::CampaignCommercialText] = campaignTexts.CMPN_COMMERCIAL_TEXT;
        }
        if (c[CPosition::CampaignName].isEmpty())
            c[CPosition::CampaignName] = subs.CMPN_NO;
        if (marketing.SearchFstlnValueln(c[CPosition::CampaignPackageRef])) {
            row->IsFastlane = marketing.Fastlane != QLatin1String("0") ? 1 : 0;
            row->IsValueLine = marketing.Valueline != QLatin1String("0") ? 1 : 0;
        }
        offers.push_back(std::move(row));
    }
    return offers;
}

// --- rows ---------------------------------------------------------------------

namespace {

std::unique_ptr<CPackageRow> CampaignRowOf(const CCampaignOffer &offer, int level)
{
    auto row = std::make_unique<CPackageRow>();
    row->level = level;
    row->marker = QStringLiteral("XX");
    row->campaign = offer;
    row->number = offer->Number;
    row->groupText = offer->Campaign[CPosition::CampaignName];
    row->texts = {offer->AwText1, offer->AwText2, offer->AwText3, offer->AwText4};
    row->brackets = {offer->KlammerText1, offer->KlammerText2, offer->KlammerText3,
                     offer->KlammerText4};
    row->isFastlane = offer->IsFastlane;
    row->isValueLine = offer->IsValueLine;
    return row;
}

} // namespace

int AddCampaignRows(CPackageList &list, const CCampaignOffers &offers)
{
    // One row per campaign, the first offer's; in the order of the
    // campaigns' begin, equal begins in the order of the offers.
    std::vector<CCampaignOffer> firsts;
    QHash<QString, bool> seen;
    for (const CCampaignOffer &offer : offers) {
        const QString number = offer->Campaign[CPosition::CampaignNumber];
        if (seen.contains(number))
            continue;
        seen.insert(number, true);
        firsts.push_back(offer);
    }
    std::stable_sort(firsts.begin(), firsts.end(), [](const auto &a, const auto &b) {
        return a->Campaign[CPosition::CampaignBegin] < b->Campaign[CPosition::CampaignBegin];
    });
    for (auto it = firsts.rbegin(); it != firsts.rend(); ++it)
        list.InsertAtFront(CampaignRowOf(*it, kLevelCampaign));
    // The campaigns open with the first of them chosen.
    if (!list.Current(kLevelCampaign))
        list.SetCurrentOfLevel(kLevelCampaign, list.FirstOfLevel(kLevelCampaign));
    return int(firsts.size());
}

int OpenCampaign(CPackageList &list, CPackageRow *campaignRow, const CCampaignOffers &offers)
{
    if (!campaignRow || !campaignRow->campaign || !list.Contains(campaignRow))
        return 0;
    list.RemovePathFrom(kLevelCampaign);
    list.RemoveRowsFrom(kLevelCampaignPackage);
    list.AppendPath(campaignRow);
    list.SetCurrentOfLevel(kLevelCampaign, campaignRow);
    const QString number = campaignRow->campaign->Campaign[CPosition::CampaignNumber];
    int count = 0;
    for (auto it = offers.rbegin(); it != offers.rend(); ++it) {
        if ((*it)->Campaign[CPosition::CampaignNumber] != number)
            continue;
        list.InsertAtFront(CampaignRowOf(*it, kLevelCampaignPackage));
        ++count;
    }
    list.SetCurrentOfLevel(kLevelCampaignPackage, list.FirstOfLevel(kLevelCampaignPackage));
    list.Show(kLevelCampaignPackage, true);
    return count;
}

void AttachCampaignOffers(const std::vector<CPackageRow *> &rows, const CCampaignOffers &offers)
{
    for (CPackageRow *row : rows) {
        if (row->level != kLevelPackage && row->level != kLevelCampaignPackage)
            continue;
        row->campaignMark = 0;
        row->campaignOffers.clear();
        const QString own = row->campaign
                                ? CCampaignImport::PackageNumberOf(
                                      row->campaign->Campaign[CPosition::CampaignPackageRef])
                                : QString();
        for (const CCampaignOffer &offer : offers) {
            const QString number =
                CCampaignImport::PackageNumberOf(offer->Campaign[CPosition::CampaignPackageRef]);
            if (number.isEmpty() || (number != own && number != row->number))
                continue;
            row->campaignOffers.push_back(offer);
            if (row->level == kLevelPackage && offer->IsFastlane)
                row->campaignMark = 1;
        }
        row->campaignPackages = int(row->campaignOffers.size());
    }
}
