// An answer of the DMS to the basket transfer, as the program reads it:
// whatever comes, only a confirmation takes entries out of the basket, and
// then only the one that was sent; the finding the road cannot carry always
// stays, and an answer that confirms nothing is always explained.
// Links: yaq_baskettransfer yaq_dms

#include "DmsFuzzSupport.h"
#include "FuzzSupport.h"
#include "basket/model/WKList.h"
#include "basket/transfer/BasketTransfer.h"
#include "dms/DmsClient.h"
#include "packages/model/Position.h"
#include "settings/DmsHeader.h"
#include "settings/PrgSettings.h"

#include <cstdint>
#include <cstdlib>

namespace {

struct Answerer : IDmsSender
{
    QString answer;
    int calls = 0;
    QString Request(const QString &, const QString &, const QString &) override
    {
        ++calls;
        return answer;
    }
};

struct Yes : ITransferQuestion
{
    bool Ask(const QString &) override { return true; }
};

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
    s.SRPInterfaceSend = 4;
    s.XMLx = options & 1;
    s.V117 = (options >> 1) & 1;
    s.SendXMLServer = QStringLiteral("dms.test");
    s.FgstnrFull = QStringLiteral("XVQ1F23A57M012345");
    UpdateDmsHeader(&s);

    CWKList basket;
    for (int type : {POS_BASKET_LABOUR, POS_FINDING}) {
        auto pos = std::make_unique<CPosition>();
        pos->Type = type;
        pos->Number = type == POS_FINDING ? QStringLiteral("8700010") : QStringLiteral("2120000");
        basket.Add(CWKListItem(std::move(pos)), 1);
    }
    CountingNotices notices;
    Answerer sender;
    sender.answer = text;
    Yes yes;
    CDmsClient client(&s, &sender);
    const CTransferResult out =
        CBasketTransfer(client, &notices, &yes).Transfer(basket, CTransferOrder());
    if (out.result == 0 && basket.GetCount() != 2)
        abort(); // nothing confirmed, nothing taken out
    if (out.result != 0 && (basket.GetCount() != 1 || basket.GetAt(0)->APos->Type != POS_FINDING))
        abort(); // confirmed: exactly the labour position left
    if (notices.count == 0)
        abort(); // every transfer ends with its result message
    if (sender.calls > 4)
        abort(); // one vehicle creation at most, then the positions once more
    return 0;
}
