// A DMS message from the network, as the program reads it: as the answer to
// the first-registration request and to the vehicle search, and as a
// request "transferVIN" arriving at the listener (taken as UTF-8). Whatever
// comes, every answer the program sends back is well-formed XML and goes out
// before any message; a date is taken over only when it is a valid one.
// Links: yaq_common yaq_dms yaq_db yaq_ccd app/FirstRegistration.cpp app/TransferVinHandler.cpp
// Links: app/VehicleSearch.cpp

#include "DmsFuzzSupport.h"
#include "FuzzSupport.h"
#include "app/FirstRegistration.h"
#include "app/TransferVinHandler.h"
#include "app/VehicleSearch.h"
#include "dms/DmsClient.h"
#include "platform/XmlLimits.h"
#include "settings/DmsHeader.h"
#include "settings/PrgSettings.h"

#include <QDomDocument>
#include <cstdint>
#include <cstdlib>

namespace {

struct Answerer : IDmsSender
{
    QString answer;
    QString Request(const QString &, const QString &, const QString &) override { return answer; }
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    return StartXmlFuzzer(argc, argv);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The first byte chooses the interface options, the rest is the message.
    const OptionsAndText input = SplitOptions(data, size);
    const uint8_t options = input.options;
    const QString &text = input.text;

    CPrgSettings s;
    s.SRPInterfaceReq = 4;
    s.SRPInterfaceReceive = 4;
    s.XMLx = 1;
    s.ReceiveXMLx = options & 1;
    s.MarketingCampaigns = (options >> 1) & 1;
    s.V117 = (options >> 2) & 1;
    s.ReqXMLServer = QStringLiteral("dms.test");
    UpdateDmsHeader(&s);
    s.FgstnrFull = QStringLiteral("XVQ1F23A57M012345");
    s.Fgstnr = s.FgstnrFull.right(7);

    // As the answer to the first-registration request.
    {
        CountingNotices notices;
        Answerer sender;
        sender.answer = text;
        CDmsClient client(&s, &sender);
        client.SetShortVinCount([&](const QString &) { return int((options >> 3) & 3); });
        const auto result = CFirstRegistration(&s).Request(client, &notices);
        if (result.applied && (!CFirstRegistration::IsValidDate(s.Erstzulassung) ||
                               result.firstRegistration != s.Erstzulassung))
            abort();
        if (!result.applied && !text.isEmpty() && notices.count == 0)
            abort(); // an answer that is not taken over is always explained
    }

    // As the answer to the vehicle search: a list holds full VINs, each once,
    // and never too many; an answer that lists nothing is explained.
    {
        CountingNotices notices;
        Answerer sender;
        sender.answer = text;
        CDmsClient client(&s, &sender);
        CVehicleSearchCriteria criteria;
        criteria.lastName = QStringLiteral("M\u00fcller & <Co>");
        const CVehicleSearchOutcome out = CVehicleSearch(&s).RequestVin(client, &notices, criteria);
        if (out.hits.size() > CVehicleSearch::kMaxDmsHits)
            abort();
        QStringList vins;
        for (const CFgstNrAbfZeile &hit : out.hits) {
            if (hit.strFgstNr.size() != 17 || vins.contains(hit.strFgstNr))
                abort();
            vins << hit.strFgstNr;
        }
        if (!out.showList && !text.isEmpty() && notices.count == 0)
            abort();
    }

    // As a request at the listener.
    {
        CountingNotices notices;
        int answers = 0;
        CDmsFrame frame(&s, &notices, nullptr, [&](const QString &envelope) {
            QDomDocument doc;
            if (notices.count != 0 || !LoadXmlDocument(envelope, &doc))
                abort();
            ++answers;
        });
        CTransferVinHandler handler(&s, &frame);
        handler.SetVinCompletion([&](QString *vin) {
            if (options & 0x20)
                return false;
            *vin = QStringLiteral("XVQ2G45B684K56789");
            return true;
        });
        handler.SetQuestion([&](const QString &) { return (options & 0x40) != 0; });
        const CTransferVinOutcome out = handler.HandleSoapRequest(text);
        if (answers < 1 || answers > 2)
            abort(); // every request is answered, a declined vehicle twice
        if (out.action != CTransferVinOutcome::None && out.data.vin.size() != 17)
            abort();
        if (!out.firstRegistration.isEmpty() &&
            !CFirstRegistration::IsValidDate(out.firstRegistration))
            abort();
    }
    return 0;
}
