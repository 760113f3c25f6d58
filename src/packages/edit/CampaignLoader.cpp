#include "packages/edit/CampaignLoader.h"

#include "packages/edit/PackageLoader.h"
#include "packages/edit/PackageSelection.h"
#include "packages/model/Paket.h"
#include "packages/model/PaketNotice.h"
#include "platform/AppPaths.h"
#include "platform/OrmelText.h"
#include "platform/ccd/CCmpnPckgSubsFRRec.h"
#include "platform/ccd/CCmpnPckgSubsPartRec.h"
#include "platform/ccd/CCmpnPckgSubsPckgRec.h"
#include "platform/db/YaqDb.h"

#include <memory>
#include <utility>
#include <vector>

namespace {

constexpr int kTextOptional = 3132;         // "OPTIONAL"
constexpr int kTextOptionalPackages = 3216; // "OPTIONALE PAKETE"
constexpr int kTextCampaigns = 6001;        // "Kampagnen"
constexpr int kTextWorkPriceMissing = 4093;
constexpr int kTextWorkPriceNotAllowed = 4094;
constexpr int kTextWorkOptionalChosen = 4095;
constexpr int kTextPartPriceMissing = 4096;
constexpr int kTextPartPriceNotAllowed = 4097;
constexpr int kTextPartOptionalChosen = 4098;
constexpr int kTextDataFault = 4130;
constexpr int kTextSubPackageChosen = 4131;
constexpr int kTextSubPackageLoop = 4133;

bool IsItemPriceType(const QString &type)
{
    return type == QLatin1String("CL");
}

bool IsPackagePriceType(const QString &type)
{
    return type == QLatin1String("L") || type == QLatin1String("R") || type == QLatin1String("CR");
}

// The campaign keys of a line: the subscription's first identification
// field, campaign number, campaign package number and subscription field.
void SetKeys(CPosition &line, const QString &key1, const QString &number,
             const QString &packageNumber, const QString &subs)
{
    line.Campaign[CPosition::CampaignKey1] = key1;
    line.Campaign[CPosition::CampaignNumber] = number;
    line.Campaign[CPosition::CampaignPackageNumber] = packageNumber;
    line.Campaign[CPosition::CampaignSubsField] = subs;
}

} // namespace

struct CCampaignLoader::Files
{
    CCmpnPckgSubsFRRec work;
    CCmpnPckgSubsFRRec alternatives; // the lines an alternative stands for
    CCmpnPckgSubsPckgRec packages;
    CCmpnPckgSubsPartRec parts;
};

CCampaignLoader::CCampaignLoader(CCampaignLoadInput input, IPaketNotice *notice, TextReader texts,
                                 PartTextReader partTexts)
    : m_input(std::move(input)), m_pNotice(notice), m_texts(std::move(texts)),
      m_partTexts(std::move(partTexts))
{
}

void CCampaignLoader::UseCatalogue(CYaqDb *texts, CYaqDb *parts)
{
    const CCampaignLoadInput input = m_input;
    m_pTextDb = texts;
    m_pPartDb = parts;
    if (texts) {
        m_texts = [texts, input](CPosition &line) {
            CAPosTxtAPosKTxtData rec;
            rec.m_strKatBstNr = input.catalogueKey;
            rec.m_strSprache = input.language;
            rec.m_strEReihe = input.modelSeries;
            rec.m_strAPosNr = line.Number;
            if (texts->ReadAPosTxtAPosKTxtData(rec)) {
                TakePositionTexts(line, rec);
            }
            texts->CloseStmt();
        };
    }
    if (parts) {
        m_partTexts = [parts, input](const QString &number) {
            CSRPTeileTextData text;
            text.m_strKatBstNr = input.catalogueKey;
            text.m_strTeileNr = number;
            text.m_strSprache = input.language;
            QString result;
            if (parts->ReadSRPTeileTextData(text))
                result = text.m_strText.trimmed();
            parts->CloseStmt();
            return result;
        };
    }
}

QString CCampaignLoader::NormaliseQuantity(const QString &quantity)
{
    QString q = quantity.trimmed();
    while (q.size() > 1 && q.startsWith(QLatin1Char('0')) && q.at(1).isDigit())
        q.remove(0, 1);
    if (q.contains(QLatin1Char('.'))) {
        while (q.endsWith(QLatin1Char('0')))
            q.chop(1);
        if (q.endsWith(QLatin1Char('.')))
            q.chop(1);
        if (q.startsWith(QLatin1Char('.')))
            q.prepend(QLatin1Char('0'));
    }
    return q;
}

void CCampaignLoader::Fault(int textId) const
{
    FaultText(OrmelText(textId));
}

void CCampaignLoader::FaultText(const QString &text) const
{
    if (m_pNotice)
        m_pNotice->Notice(OrmelText(kTextDataFault) + text);
}

void CCampaignLoader::CheckLinePrice(const QString &priceType, const QString &price, int missing,
                                     int notAllowed) const
{
    if (IsItemPriceType(priceType) && price.isEmpty())
        Fault(missing);
    if (IsPackagePriceType(priceType) && !price.isEmpty())
        Fault(notAllowed);
}

// Where a work or a part line keeps the fields of its record
// (CPosition::Campaign...), and the texts of its faults.
struct CCampaignLoader::LineSlots
{
    int attr, number, quantity, price, usage, selected, status;
    int priceMissing, priceNotAllowed, optionalChosen;
};

std::unique_ptr<CPosition> CCampaignLoader::CampaignLine(int type, const LineRow &record,
                                                         const LineSlots &where,
                                                         const QString &priceType) const
{
    auto line = std::make_unique<CPosition>();
    line->Type = type;
    line->Number = record.number;
    line->Quantity = NormaliseQuantity(record.quantity);
    line->Kind = record.usage;
    line->Selected = record.stat.trimmed().toInt();
    SetKeys(*line, record.key1, record.campaign, record.package, record.subs);
    auto &c = line->Campaign;
    c[where.attr] = record.packageRef;
    c[where.number] = record.number;
    c[where.quantity] = record.quantity;
    c[where.price] = record.price.trimmed();
    c[where.usage] = record.usage;
    c[where.selected] = record.stat;
    c[where.status] = record.operability;
    CheckLinePrice(priceType, c[where.price], where.priceMissing, where.priceNotAllowed);
    if (record.usage == QLatin1String("O") && record.operability == QLatin1String("0") &&
        record.stat == QLatin1String("1")) {
        Fault(where.optionalChosen);
        c[where.selected] = QStringLiteral("0");
        line->Selected = 0;
    }
    return line;
}

CatalogueFound CCampaignLoader::Load(CPaket &paket, const CPosition &head)
{
    Files files;
    const std::pair<CCDRec *, QString> opened[] = {
        {&files.work, CCmpnPckgSubsFRRec::FileName()},
        {&files.alternatives, CCmpnPckgSubsFRRec::FileName()},
        {&files.packages, CCmpnPckgSubsPckgRec::FileName()},
        {&files.parts, CCmpnPckgSubsPartRec::FileName()},
    };
    for (const auto &file : opened) {
        if (!file.first->Open(JoinPath(m_input.folder, file.second))) {
            if (m_pNotice)
                m_pNotice->Notice(
                    CCDOpenFailureText(*file.first, JoinPath(m_input.folder, file.second)));
            return CatalogueFound::No;
        }
    }
    const int failures = FailuresOf({m_pTextDb, m_pPartDb});
    QStringList chain{head.Campaign[CPosition::CampaignPackageRef]};
    LoadLevel(files, paket, head, head.Campaign[CPosition::CampaignPriceType], chain);
    CPackageSelection(&paket).InitStates();
    return FailuresOf({m_pTextDb, m_pPartDb}) != failures ? CatalogueFound::Failed
                                                          : CatalogueFound::Yes;
}

void CCampaignLoader::LoadLevel(Files &files, CPaket &target, const CPosition &keys,
                                const QString &priceType, QStringList &chain)
{
    const auto &k = keys.Campaign;
    const QString number = k[CPosition::CampaignNumber];
    const QString packageNumber = k[CPosition::CampaignPackageNumber];
    const QString subs = k[CPosition::CampaignSubsField];
    const QString packageRef = k[CPosition::CampaignPackageRef];
    if (number.isEmpty() || packageNumber.isEmpty() || subs.isEmpty() || packageRef.isEmpty())
        return;
    const QString packageKey = number + packageNumber + subs + packageRef;
    const QString lineKey = m_input.typeKey + packageKey;

    Lines lines = WorkLines(ReadWorkRows(files, lineKey), keys.Number, priceType);
    // Optional sub-packages: the records are read whole first, since each
    // sub-package walks the same files.
    for (const SubRow &row : ReadSubRows(files, packageKey)) {
        std::unique_ptr<CPosition> line = SubPackageLine(row, keys);
        CPaket &nested = *line->SubPackage;
        lines.push_back(std::move(line));
        LoadSubPackage(files, nested, row.ref, priceType, chain);
    }
    for (auto &line : PartLines(ReadPartRows(files, lineKey), priceType))
        lines.push_back(std::move(line));
    for (auto &line : WithGroupLines(std::move(lines)))
        target.AddPosition(std::move(line));
}

void CCampaignLoader::LoadSubPackage(Files &files, CPaket &nested, const QString &ref,
                                     const QString &priceType, QStringList &chain)
{
    // A package that holds itself, directly or further down, or one
    // nested beyond any sensible depth, stays without lines.
    if (chain.contains(ref) || chain.size() >= kMaxDepth) {
        Fault(kTextSubPackageLoop);
        return;
    }
    chain.push_back(ref);
    const CPosition *nestedHead = nested.GetKopf();
    LoadLevel(files, nested, *nestedHead, priceType, chain);
    chain.pop_back();
    CPackageSelection(&nested).InitStates();
}

std::vector<CCampaignLoader::LineRow> CCampaignLoader::ReadWorkRows(Files &files,
                                                                    const QString &lineKey)
{
    std::vector<LineRow> rows;
    CCmpnPckgSubsFRRec &fr = files.work;
    for (int ok = fr.MoveCmpnPckgSubsFR(CCD_MOVE_FIRST, lineKey); ok;
         ok = fr.MoveCmpnPckgSubsFR(CCD_MOVE_NEXT, QString())) {
        LineRow row{fr.NSCID,          fr.CMPN_NO, fr.CMPN_PCKG_NO,   fr.SUBS_NO,
                    fr.CMPN_PCKG_REF,  fr.FR_NO,   fr.FR_QUANTITY,    fr.FR_PRICE,
                    fr.FR_USAGE,       fr.FR_STAT, fr.FR_OPERABILITY, fr.FR_LINE_NO,
                    fr.FR_REF_LINE_NO, QString(),  QString()};
        if (fr.FR_USAGE == QLatin1String("A") &&
            files.alternatives.SearchCmpnPckgSubsFRLine(lineKey + fr.FR_REF_LINE_NO))
            row.standsFor = files.alternatives.FR_NO;
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<CCampaignLoader::SubRow> CCampaignLoader::ReadSubRows(Files &files,
                                                                  const QString &packageKey)
{
    std::vector<SubRow> rows;
    CCmpnPckgSubsPckgRec &pckg = files.packages;
    for (int ok = pckg.MoveCmpnPckgSubsPckg(CCD_MOVE_FIRST, packageKey); ok;
         ok = pckg.MoveCmpnPckgSubsPckg(CCD_MOVE_NEXT, QString()))
        rows.push_back({pckg.NSCID, pckg.CMPN_NO, pckg.CMPN_PCKG_NO, pckg.SUBS_NO,
                        pckg.CMPN_PCKG_REF, pckg.SUB_PCKG_POS_NO, pckg.SUB_PCKG_REF,
                        pckg.SUB_PCKG_ATTR1, pckg.SUB_PCKG_ATTR2, pckg.PCKG_STAT,
                        pckg.PCKG_OPERABILITY});
    return rows;
}

std::vector<CCampaignLoader::LineRow> CCampaignLoader::ReadPartRows(Files &files,
                                                                    const QString &lineKey)
{
    std::vector<LineRow> rows;
    CCmpnPckgSubsPartRec &part = files.parts;
    for (int ok = part.MoveCmpnPckgSubsPart(CCD_MOVE_FIRST, lineKey); ok;
         ok = part.MoveCmpnPckgSubsPart(CCD_MOVE_NEXT, QString()))
        rows.push_back({part.NSCID, part.CMPN_NO, part.CMPN_PCKG_NO, part.SUBS_NO,
                        part.CMPN_PCKG_REF, part.PART_NO, part.PART_QUANTITY, part.PART_PRICE,
                        part.PART_USAGE, part.PART_STAT, part.PART_OPERABILITY, part.PART_POS_NO,
                        part.PART_REF_POS_NO, part.PART_CATEGORY, QString()});
    return rows;
}

CCampaignLoader::Lines CCampaignLoader::WorkLines(const std::vector<LineRow> &rows,
                                                  const QString &leadNumber,
                                                  const QString &priceType) const
{
    static constexpr LineSlots kWork{
        CPosition::CampaignWorkAttr,     CPosition::CampaignWorkNumber,
        CPosition::CampaignWorkQuantity, CPosition::CampaignWorkPrice,
        CPosition::CampaignWorkUsage,    CPosition::CampaignWorkSelected,
        CPosition::CampaignWorkStatus,   kTextWorkPriceMissing,
        kTextWorkPriceNotAllowed,        kTextWorkOptionalChosen};
    Lines lines;
    for (const LineRow &r : rows) {
        auto line = CampaignLine(POS_WORK, r, kWork, priceType);
        line->Campaign[CPosition::CampaignWorkLineNo] = r.lineNo;
        line->Campaign[CPosition::CampaignWorkRefLineNo] = r.refLineNo;
        line->AwPosRef = r.standsFor;
        line->IsLeadLabour = line->Number == leadNumber ? 1 : 0;
        if (m_texts)
            m_texts(*line);
        lines.push_back(std::move(line));
    }
    return lines;
}

CCampaignLoader::Lines CCampaignLoader::PartLines(const std::vector<LineRow> &rows,
                                                  const QString &priceType) const
{
    static constexpr LineSlots kPart{
        CPosition::CampaignPartAttr,     CPosition::CampaignPartNumber,
        CPosition::CampaignPartQuantity, CPosition::CampaignPartPrice,
        CPosition::CampaignPartUsage,    CPosition::CampaignPartSelected,
        CPosition::CampaignPartStatus,   kTextPartPriceMissing,
        kTextPartPriceNotAllowed,        kTextPartOptionalChosen};
    Lines lines;
    for (const LineRow &r : rows) {
        auto line = CampaignLine(POS_PART, r, kPart, priceType);
        line->PosLfdNr = r.lineNo;
        line->PosLfdNrRef = r.refLineNo;
        if (m_partTexts)
            line->TeileText = m_partTexts(r.number);
        auto &c = line->Campaign;
        c[CPosition::CampaignPartPosNo] = r.lineNo;
        c[CPosition::CampaignPartCategory] = r.category;
        c[CPosition::CampaignPartRefPosNo] = r.refLineNo;
        lines.push_back(std::move(line));
    }
    return lines;
}

std::unique_ptr<CPosition> CCampaignLoader::SubPackageLine(const SubRow &r,
                                                           const CPosition &keys) const
{
    auto line = std::make_unique<CPosition>();
    line->Type = POS_SUBPACKAGE;
    line->Kind = QStringLiteral("OP");
    line->Number = r.ref.mid(1, 7);
    line->Selected = r.stat.trimmed().toInt();
    SetKeys(*line, r.key1, r.number, r.packageNumber, r.subs);
    auto &c = line->Campaign;
    c[CPosition::CampaignSubParentRef] = r.parentRef;
    c[CPosition::CampaignSubPosNo] = r.posNo;
    c[CPosition::CampaignSubRef] = r.ref;
    c[CPosition::CampaignSubAttr1] = r.attr1;
    c[CPosition::CampaignSubAttr2] = r.attr2;
    c[CPosition::CampaignSubFlag] = r.stat;
    c[CPosition::CampaignSubOpenable] = r.operability;
    if (m_texts)
        m_texts(*line);

    // The sub-package's own lines: its list line, campaign lines and
    // head carry the campaign of the package holding it, under the
    // sub-package's keys.
    line->SubPackage = std::make_unique<CPaket>();
    CPaket &nested = *line->SubPackage;
    CPosition campaign = keys;
    campaign.SubPositions.clear();
    campaign.SubPackage.reset();
    SetKeys(campaign, r.key1, r.number, r.packageNumber, r.subs);
    campaign.Campaign[CPosition::CampaignPackageRef] = r.ref;
    campaign.Number = r.ref.mid(1, 7);
    campaign.ResetPrices();
    if (m_texts)
        m_texts(campaign);
    auto listLine = std::make_unique<CPosition>();
    listLine->Type = POS_SPECIAL1;
    listLine->HG = QStringLiteral("XX");
    listLine->HGText = OrmelText(kTextCampaigns);
    nested.AddPosition(std::move(listLine));
    for (int type : {int(POS_SPECIAL2), int(POS_SPECIAL4), int(POS_HEAD_CAMPAIGN)}) {
        auto copy = std::make_unique<CPosition>(campaign);
        copy->Type = type;
        nested.AddPosition(std::move(copy));
    }

    if (r.stat == QLatin1String("1") || r.operability == QLatin1String("0"))
        Fault(kTextSubPackageChosen);
    return line;
}

CCampaignLoader::Lines CCampaignLoader::WithGroupLines(Lines lines)
{
    auto groupLine = [](const QString &kind, int textId) {
        auto group = std::make_unique<CPosition>();
        group->Type = POS_GROUP;
        group->Kind = kind;
        group->BefundText = OrmelText(textId);
        return group;
    };
    bool optionalGroup = false;
    bool packagesGroup = false;
    Lines grouped;
    for (auto &line : lines) {
        if (line->Type == POS_SUBPACKAGE && !packagesGroup) {
            grouped.push_back(groupLine(QStringLiteral("OP"), kTextOptionalPackages));
            packagesGroup = true;
        } else if (line->Type != POS_SUBPACKAGE && line->Kind == QLatin1String("O") &&
                   !optionalGroup) {
            grouped.push_back(groupLine(line->Kind, kTextOptional));
            optionalGroup = true;
        }
        grouped.push_back(std::move(line));
    }
    return grouped;
}
