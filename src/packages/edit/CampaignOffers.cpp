#include "packages/edit/CampaignOffers.h"

#include "packages/model/Paket.h"
#include "packages/model/Position.h"
#include "platform/OrmelText.h"

#include <QDate>

namespace {

constexpr int kTextCampaigns = 6001; // "Kampagnen"

QString WithoutLeadingZeros(const QString &text)
{
    int i = 0;
    while (i < text.size() && text.at(i) == QLatin1Char('0'))
        ++i;
    return text.mid(i);
}

QString LocalDate(const QString &key)
{
    const QDate date = QDate::fromString(key, QStringLiteral("yyyyMMdd"));
    if (!date.isValid() || date.year() < 1900)
        return key;
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

} // namespace

CCampaignEntries CampaignEntries(const CPosition &head)
{
    CCampaignEntries entries;
    for (const auto &offer : head.SubPositions) {
        auto entry = std::make_unique<CPosition>(*offer);
        entry->SubPositions.clear();
        for (const auto &other : head.SubPositions) {
            auto copy = std::make_unique<CPosition>(*other);
            copy->SubPositions.clear();
            entry->SubPositions.push_back(std::move(copy));
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

QString CampaignEntryText(const CPosition &entry)
{
    const auto &c = entry.Campaign;
    const QString type = c[CPosition::CampaignPriceType];
    const QString value = WithoutLeadingZeros(c[CPosition::CampaignFixedPrice]);
    QString text;
    if (type == QLatin1String("L"))
        text = value + QLatin1Char(' ') + c[CPosition::CampaignCurrency];
    else if (type == QLatin1String("R"))
        text = value + QStringLiteral(" %");
    return text + QLatin1Char(' ') + c[CPosition::CampaignName].trimmed();
}

bool SameCampaignPackage(const CPosition &a, const CPosition &b)
{
    for (int field : {int(CPosition::CampaignNumber), int(CPosition::CampaignPackageNumber),
                      int(CPosition::CampaignSubsField), int(CPosition::CampaignPackageRef)}) {
        if (a.Campaign[size_t(field)] != b.Campaign[size_t(field)])
            return false;
    }
    return true;
}

int FindCampaignEntry(const CCampaignEntries &entries, const CPosition *campaignPackageLine)
{
    if (entries.empty())
        return -1;
    if (campaignPackageLine) {
        for (size_t i = 0; i < entries.size(); ++i) {
            if (SameCampaignPackage(*entries[i], *campaignPackageLine))
                return int(i);
        }
    }
    return 0;
}

QStringList CampaignInfoLines(const CPosition &entry)
{
    const auto &c = entry.Campaign;
    const QString type = c[CPosition::CampaignPriceType];
    int typeText = 0;
    if (type == QLatin1String("L"))
        typeText = 6064; // "Festpreis"
    else if (type == QLatin1String("R"))
        typeText = 6063; // "Rabatt"
    else if (type == QLatin1String("CL"))
        typeText = 6093; // "Costcenter Festpreis"
    else if (type == QLatin1String("CR"))
        typeText = 6092; // "Costcenter Rabatt"
    return {typeText ? OrmelText(typeText) : QString(), CampaignPeriodText(entry),
            c[CPosition::CampaignName].trimmed()};
}

QString CampaignPeriodText(const CPosition &line)
{
    return LocalDate(line.Campaign[CPosition::CampaignBegin]) + QStringLiteral(" - ") +
           LocalDate(line.Campaign[CPosition::CampaignEnd]);
}

CCampaignPackageLines CampaignPackageLines(const CPosition &campaignLine,
                                           const CPosition &campaignPackage)
{
    CCampaignPackageLines lines;
    lines.listLine = std::make_unique<CPosition>();
    lines.listLine->Type = POS_SPECIAL1;
    lines.listLine->HG = QStringLiteral("XX");
    lines.listLine->HGText = OrmelText(kTextCampaigns);
    lines.campaignLine = std::make_unique<CPosition>(campaignLine);
    lines.campaignLine->Type = POS_SPECIAL2;
    lines.campaignLine->SubPositions.clear();
    lines.packageLine = std::make_unique<CPosition>(campaignPackage);
    lines.packageLine->Type = POS_SPECIAL4;
    lines.packageLine->SubPositions.clear();
    lines.head = std::make_unique<CPosition>(campaignPackage);
    lines.head->Type = POS_HEAD_CAMPAIGN;
    lines.head->Number = campaignPackage.Campaign[CPosition::CampaignPackageRef].mid(1, 7);
    lines.head->HG = QStringLiteral("XX");
    lines.head->PaketArt = QStringLiteral("XX");
    return lines;
}

BasketPackageKind KindOfBasketPackage(const CPaket &paket)
{
    const CPosition *listLine = paket.GetPosType1();
    if (!listLine || !paket.GetKopf())
        return BasketPackageKind::Refused;
    if (listLine->HG == QLatin1String("XX") && paket.GetPosType2() && paket.GetPosType4())
        return BasketPackageKind::Campaign;
    return BasketPackageKind::ServiceRepair;
}
