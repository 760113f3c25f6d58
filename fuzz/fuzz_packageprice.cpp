// A DMS answer to the package price request, as the program reads it: with
// the extended form and without. Whatever comes, the package keeps its
// lines, and an answer that is not taken over leaves no price of before on
// any line the request named.
// Links: yaq_pkgpricing yaq_dms

#include "DmsFuzzSupport.h"
#include "FuzzSupport.h"
#include "dms/DmsClient.h"
#include "packages/model/Paket.h"
#include "packages/pricing/PackagePriceExchange.h"
#include "settings/DmsHeader.h"
#include "settings/PrgSettings.h"

#include <cstdint>
#include <cstdlib>

namespace {

struct Answerer : IDmsSender
{
    QString answer;
    QString Request(const QString &, const QString &, const QString &) override { return answer; }
};

std::unique_ptr<CPosition> Line(int type, const char *number, const char *kind)
{
    auto line = std::make_unique<CPosition>();
    line->Type = type;
    line->Number = QLatin1String(number);
    line->Kind = QLatin1String(kind);
    line->Quantity = QStringLiteral("1");
    line->Preise1.UnitNet = 10.0;
    line->Preise1.Currency = QStringLiteral("EUR");
    return line;
}

// No line the request names still has a price of before.
bool NoEarlierPrice(const CPaket &paket)
{
    for (const auto &line : paket) {
        if (IsUnpricedType(line->Type))
            continue;
        if (line->Preise1.UnitNet != kPriceNotSet)
            return false;
        if (line->SubPackage && !NoEarlierPrice(*line->SubPackage))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    return StartXmlFuzzer(argc, argv);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The first byte chooses the interface options, the rest is the answer.
    const OptionsAndText input = SplitOptions(data, size);
    const uint8_t options = input.options;
    const QString &text = input.text;

    CPrgSettings s;
    s.SRPInterfaceReq = 4;
    s.XMLx = options & 1;
    s.V115 = (options >> 1) & 1;
    s.V117 = (options >> 2) & 1;
    s.ReqXMLServer = QStringLiteral("dms.test");
    s.FgstnrFull = QStringLiteral("XVQ1F23A57M012345");
    s.Fgstnr = s.FgstnrFull.right(7);
    s.TypSchl = QStringLiteral("7A01");
    UpdateDmsHeader(&s);

    CPaket paket;
    paket.AddPosition(Line(POS_HEAD_CAMPAIGN, "1110010", ""));
    paket.AddPosition(Line(POS_WORK, "1110010", "S"));
    paket.AddPosition(Line(POS_PART, "9X4115561H", "S"));
    CPosition *sub = paket.AddPosition(Line(POS_SUBPACKAGE, "S1", "O"));
    sub->SubPackage = std::make_unique<CPaket>();
    sub->SubPackage->AddPosition(Line(POS_PART, "9X4129620A", "A"));
    const CPaket before(paket);

    CountingNotices notices;
    Answerer sender;
    sender.answer = text;
    CDmsClient client(&s, &sender);
    client.SetShortVinCount([&](const QString &) { return int((options >> 3) & 3); });
    CPackagePriceExchange exchange(client, &notices);
    exchange.SetCampaignMode((options >> 5) & 1);
    const CPackagePriceExchange::Outcome out = exchange.Request(paket);
    if (paket.GetCount() != before.GetCount())
        abort();
    if (!out.applied && !NoEarlierPrice(paket))
        abort();
    return 0;
}
