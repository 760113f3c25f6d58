// A DMS answer to the labour-value form of the price request, as the
// catalogue page reads it (the one reader of "requestPackageInfoResponse"
// and the labour value's evaluation): with the extended form and without.
// Whatever comes, a position is priced only from a flat rate of the
// position asked about, its shown prices are numbers or the markers, and an
// answer that prices nothing is always explained.
// Links: yaq_awkat yaq_dms

#include "DmsFuzzSupport.h"
#include "FuzzSupport.h"
#include "catalogues/model/AwKatPricing.h"
#include "dms/DmsClient.h"
#include "settings/DmsHeader.h"
#include "settings/PrgSettings.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

struct Answerer : IDmsSender
{
    QString answer;
    QString Request(const QString &, const QString &, const QString &) override { return answer; }
};

bool IsShownPrice(double value)
{
    return std::isfinite(value) &&
           (value >= 0 || value == kPriceNotSet || value == kPriceByTime || value == kPriceNone);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    return StartXmlFuzzer(argc, argv);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The first byte chooses the interface options and the labour value,
    // the rest is the answer.
    const OptionsAndText input = SplitOptions(data, size);
    const uint8_t options = input.options;

    CPrgSettings s;
    s.SRPInterfaceReq = 4;
    s.XMLx = options & 1;
    s.V117 = (options >> 1) & 1;
    s.ReqXMLServer = QStringLiteral("dms.test");
    s.FgstnrFull = QStringLiteral("XVQ1F23A57M012345");
    s.Fgstnr = s.FgstnrFull.right(7);
    UpdateDmsHeader(&s);

    CountingNotices notices;
    Answerer sender;
    sender.answer = input.text;
    CDmsClient client(&s, &sender);
    client.SetShortVinCount([&](const QString &) { return int((options >> 2) & 3); });
    const QString values[] = {QStringLiteral("3"), QStringLiteral("AZ"), QStringLiteral("-"),
                              QStringLiteral("0.5 h")};
    CAwKatPrices prices;
    const int applied = CAwKatPricing::Request(client, &notices, QStringLiteral("1110010"),
                                               values[(options >> 4) & 3], prices);
    if (!applied && (prices.UnitNet != kPriceNotSet || prices.UnitGross != kPriceNotSet ||
                     prices.Vat != kPriceNotSet))
        abort(); // nothing taken, nothing priced
    if (!applied && notices.count == 0)
        abort(); // an answer that prices nothing is explained
    if (!IsShownPrice(prices.Gross) || !IsShownPrice(prices.Net))
        abort();
    return 0;
}
