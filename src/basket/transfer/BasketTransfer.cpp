#include "basket/transfer/BasketTransfer.h"

#include "basket/model/BasketListDocument.h"
#include "basket/model/WKList.h"
#include "basket/transfer/TransferAnswer.h"
#include "dms/DmsClient.h"
#include "packages/model/Paket.h"
#include "packages/model/Position.h"
#include "platform/MsgBox.h"
#include "platform/OrmelText.h"
#include "settings/DmsHeader.h"
#include "settings/PrgSettings.h"

#include <algorithm>

namespace {

// Program texts of the transfer.
enum
{
    kTextSystem = 3089,
    kTextViaFile = 3146,
    kTextViaClipboard = 3148,
    kTextTextFormat = 3162,
    kTextViaXml = 3181,
    kTextSoapSent = 4048,
    kTextSoapNotSent = 4049,
    kTextSoapNothing = 4052,
    kTextExportSent = 4069,
    kTextExportNotSent = 4070,
    kTextExportNothing = 4071,
    kTextUnknownVin = 5010,
    kTextViaXmlx = 6022,
    kTextVehicleCreated = 6073,
    kTextVinLength = 7070,
    kTextKept = 7071,
    kTextRoadMissing = 7073,
    kTextQvlFailed = 4085,
    kTextSystemDefault = 7162, // the system format's two flavours
    kTextSystemItaly = 7163,
    kTextMayBeBooked = 7131,
};

const QString kUnknownVin = QStringLiteral("UnknownVIN");

// "transferYAQPositions" with the entries the road carries.
class CPositionsRequest : public IDmsRequest
{
public:
    CPositionsRequest(CBasketTransfer &transfer, const CPrgSettings &settings,
                      const CWKList &basket, const CTransferOrder &order, bool *createVehicle)
        : m_transfer(transfer), m_request(settings, order), m_basket(basket), m_order(order),
          m_createVehicle(createVehicle)
    {
    }
    QString Method() const override { return QLatin1String(CTransferRequest::kMethod); }
    DmsServer Server() const override { return DmsServer::Transfer; }
    bool WriteBody(CDmsMessageWriter &body) override
    {
        written.clear();
        return m_request.Write(body, m_version, m_basket, &written);
    }
    void ReadAnswer(CDmsAnswer &answer) override
    {
        result = m_transfer.ReadPositionsAnswer(answer, m_order, m_createVehicle);
    }
    void SetVersion(const QString &version) { m_version = version; }

    std::vector<const CWKListItem *> written;
    int result = 0;

private:
    CBasketTransfer &m_transfer;
    const CTransferRequest m_request;
    const CWKList &m_basket;
    const CTransferOrder &m_order;
    bool *m_createVehicle;
    QString m_version;
};

// "transferVehicleInfo": the DMS is to create the vehicle.
class CVehicleInfoRequest : public IDmsRequest
{
public:
    CVehicleInfoRequest(CBasketTransfer &transfer, const CPrgSettings &settings,
                        const CTransferOrder &order)
        : m_transfer(transfer), m_request(settings, order)
    {
    }
    QString Method() const override { return QLatin1String(CTransferRequest::kVehicleMethod); }
    DmsServer Server() const override { return DmsServer::Transfer; }
    bool WriteBody(CDmsMessageWriter &body) override { return m_request.WriteVehicleInfo(body); }
    void ReadAnswer(CDmsAnswer &answer) override
    {
        result = m_transfer.ReadVehicleInfoAnswer(answer);
    }

    int result = 0;

private:
    CBasketTransfer &m_transfer;
    const CTransferRequest m_request;
};

} // namespace

CBasketTransfer::CBasketTransfer(CDmsClient &client, IDmsNotice *notice,
                                 ITransferQuestion *question)
    : m_client(client), m_settings(&client.Settings()), m_notice(notice), m_question(question)
{
}

void CBasketTransfer::SetTextExportHead(const CTextExportHead &head)
{
    const CPrgSettings *settings = m_settings;
    m_textExportRoad = [settings, head](const CWKList &basket) {
        return CTextExport(*settings, head).Run(basket);
    };
}

void CBasketTransfer::Tell(const QString &text) const
{
    if (m_notice)
        m_notice->Notice(text, kMsgBoxTitle);
}

CBasketTransfer::Flags CBasketTransfer::ContentFlags(const CWKList &basket)
{
    Flags f;
    for (const auto &entry : basket) {
        if (!entry)
            continue;
        switch (entry->Kind) {
        case WK_SRP:
        case WK_GRP:
        case WK_CCP:
        case WK_SIP:
            f.packages |= entry->Paket != nullptr;
            break;
        case WK_VLP:
            f.valueLine |= entry->Paket != nullptr;
            break;
        case WK_CAMPAIGN:
        case WK_CAMPAIGN_LR:
            f.campaign |= entry->Paket != nullptr;
            break;
        case WK_POSITION:
            if (entry->APos) {
                f.labour |= entry->APos->Type == POS_BASKET_LABOUR;
                f.findings |=
                    entry->APos->Type == POS_SI_FINDING || entry->APos->Type == POS_FINDING;
            }
            break;
        default:
            break;
        }
    }
    return f;
}

QString CBasketTransfer::Road() const
{
    const CPrgSettings &s = *m_settings;
    if (s.SRPInterfaceSend == 4 || s.bSchulung)
        return s.XMLx ? OrmelText(kTextViaXmlx) : OrmelText(kTextViaXml);
    QString road;
    if (s.SRPInterfaceSendDatei == 3)
        road = OrmelText(kTextViaFile);
    else if (s.SRPInterfaceSendDatei == 5)
        road = OrmelText(kTextViaClipboard);
    switch (s.SRPInterfaceSendDateiFormat) {
    case 6:
        return road + QStringLiteral(": ") + OrmelText(kTextTextFormat);
    case 7:
        return road + QStringLiteral(": ") + OrmelText(kTextSystem) + OrmelText(kTextSystemDefault);
    case 8:
        return road + QStringLiteral(": ") + OrmelText(kTextSystem) + OrmelText(kTextSystemItaly);
    default:
        return road;
    }
}

QString CBasketTransfer::ResultText(int result, const Flags &f, bool vehicleCreated) const
{
    const CPrgSettings &s = *m_settings;
    int id = 0;
    if (s.SRPInterfaceSend == 4 && s.XMLx && vehicleCreated)
        id = kTextVehicleCreated;
    else if (s.SRPInterfaceSend == 4 || (s.SRPInterfaceSend == 3 && s.bSchulung))
        id = !f.packages && !f.labour ? kTextSoapNothing
             : result                 ? kTextSoapSent
                                      : kTextSoapNotSent;
    else if (s.SRPInterfaceSend == 3 &&
             (s.SRPInterfaceSendDatei == 3 || s.SRPInterfaceSendDatei == 5))
        id = !f.packages && !f.labour && !f.findings ? kTextExportNothing
             : !result                               ? kTextExportNotSent
             : s.SRPInterfaceSendDatei == 3          ? kTextExportSent
                                                     : 0;
    if (!id)
        return QString();
    return OrmelText(id) + QStringLiteral("\n(") + Road() + QLatin1Char(')');
}

CTransferResult CBasketTransfer::Transfer(CWKList &basket, const CTransferOrder &order)
{
    CTransferResult out;
    const CPrgSettings &s = *m_settings;
    if (s.bQvl || s.bQvlEdit || s.bQvlAPosSearch || s.bQvlAPosQuery) {
        out.road = TransferRoad::BasketList;
        out.closeProgram = true;
        if (!basket.IsEmpty() || s.bQvlAPosQuery) {
            int put = 1;
            if (m_basketListRoad)
                m_basketListRoad(basket);
            else
                put = PutBasketList(basket);
            if (put < 0)
                out.catalogueUnread = true;
            else if (!put)
                Tell(OrmelText(kTextQvlFailed));
        }
        return out;
    }
    // The listener's requests wait for the whole transfer, the vehicle
    // creation and the second sending included.
    const CDmsClient::Busy busy(m_client);
    m_cancelled = false;
    m_mayBeBooked = false;

    // One vehicle creation per transfer: a DMS that still does not know the
    // vehicle after confirming it gets its exception shown, not the question
    // again.
    bool mayCreate = true;
    for (;;) {
        Flags f = ContentFlags(basket);
        int result = 0;
        bool created = false;
        std::vector<const CWKListItem *> sent;
        CTextExportOutcome exported;
        out.kept.clear();
        if (s.SRPInterfaceSend == 4) {
            out.road = TransferRoad::Soap;
            const CTransferRequest request(s, order);
            for (const auto &entry : basket) {
                if (entry && !request.Carries(*entry) && !entry->Number().isEmpty())
                    out.kept << entry->Number();
            }
            bool send = false;
            if (f.packages || f.labour || (f.campaign && s.XMLx)) {
                f.packages |= f.campaign && s.XMLx;
                send = true;
            } else if (f.valueLine && (s.V115 || !s.XMLx)) {
                f.packages = true;
                send = true;
            }
            if (send)
                result = SendPositions(basket, order, &sent, mayCreate ? &created : nullptr);
            if (m_cancelled) {
                // Given up by the adviser: the basket stays as it is, and
                // the adviser checks the DMS before sending it again.
                out.cancelled = true;
                if (m_mayBeBooked) {
                    out.message = OrmelText(kTextMayBeBooked);
                    Tell(out.message);
                }
                return out;
            }
        } else if (s.SRPInterfaceSend == 3) {
            out.road = TransferRoad::TextExport;
            f.packages |= f.valueLine || f.campaign;
            if (m_textExportRoad) {
                exported = m_textExportRoad(basket);
                result = exported.result;
                out.kept = exported.leftNumbers;
            } else {
                Tell(OrmelText(kTextRoadMissing));
            }
        }

        // Positions the DMS confirmed are not sent again, even when it asked
        // for the vehicle in the same answer.
        const bool resend = created && !result;
        QString text = ResultText(result, f, resend);
        if (!text.isEmpty() && !result && m_mayBeBooked)
            text += QLatin1Char('\n') + OrmelText(kTextMayBeBooked);
        if (!text.isEmpty() && !result && !exported.failure.isEmpty())
            text += QLatin1Char('\n') + exported.failure;
        // A clipboard export tells nothing when it succeeds, but still names
        // what it left in the basket.
        if (!resend && !out.kept.isEmpty() && (!text.isEmpty() || result)) {
            if (!text.isEmpty())
                text += QLatin1Char('\n');
            text += OrmelTextArgs(kTextKept, {out.kept.join(QStringLiteral(", "))});
        }
        if (!text.isEmpty()) {
            Tell(text);
            out.message = text;
        }
        out.vehicleCreated |= created;
        if (result) {
            out.result = result;
            if (out.road == TransferRoad::Soap) {
                for (const CWKListItem *entry : sent)
                    out.removed += basket.Remove(entry) ? 1 : 0;
            } else if (exported.left.empty()) {
                out.removed = basket.GetCount();
                basket.RemoveAll();
            } else {
                // What the export left out stays for another road.
                std::vector<const CWKListItem *> gone;
                for (const auto &entry : basket) {
                    if (std::find(exported.left.begin(), exported.left.end(), entry.get()) ==
                        exported.left.end())
                        gone.push_back(entry.get());
                }
                for (const CWKListItem *entry : gone)
                    out.removed += basket.Remove(entry) ? 1 : 0;
            }
            basket.MarkOrderSent();
            return out;
        }
        if (!resend)
            return out;
        mayCreate = false;
    }
}

// The Basket-List on the clipboard, where the transfer system that started
// the program collects it.
int CBasketTransfer::PutBasketList(const CWKList &basket) const
{
    const CPrgSettings &s = *m_settings;
    CBasketListHead head;
    head.gross = basket.GrossTotal();
    head.net = basket.NetTotal();
    head.currency = basket.CommonCurrency();
    head.withLabourQuery = s.bQvlAPosQuery != 0;
    if (head.withLabourQuery && m_labourValueCheck) {
        const std::optional<int> value = m_labourValueCheck(s.AktApNr);
        if (!value)
            return -1;
        head.labourValue = *value;
    }
    head.brand = s.Marke;
    return PutBasketListOnClipboard(
               WriteBasketList(ToBasketArray(basket, s.TypSchl), head, BasketListForm::Transfer),
               BasketListForm::Transfer)
               ? 1
               : 0;
}

int CBasketTransfer::SendPositions(const CWKList &basket, const CTransferOrder &order,
                                   std::vector<const CWKListItem *> *sent, bool *createVehicle)
{
    CPrgSettings &s = *m_settings;
    if (CTransferRequest::TransferVin(s).size() != 17) {
        Tell(OrmelText(kTextVinLength));
        return 0;
    }
    CPositionsRequest request(*this, s, basket, order, createVehicle);
    request.SetVersion(DmsHeaderVersion(s));
    const DmsOutcome outcome = m_client.Run(request, m_notice);
    NoteBrokenOff(outcome);
    if (outcome != DmsOutcome::Read || !request.result)
        return 0;
    *sent = request.written;
    return 1;
}

void CBasketTransfer::NoteBrokenOff(DmsOutcome outcome)
{
    if (outcome == DmsOutcome::Cancelled)
        m_cancelled = true;
    // The DMS may have booked what it never confirmed.
    if ((outcome == DmsOutcome::Cancelled || outcome == DmsOutcome::NoAnswer) &&
        m_client.MayHaveArrived())
        m_mayBeBooked = true;
}

int CBasketTransfer::ReadPositionsAnswer(CDmsAnswer &answer, const CTransferOrder &order,
                                         bool *createVehicle)
{
    const CPrgSettings &s = *m_settings;
    const CDmsTransferAnswer a = ReadDmsTransferAnswer(answer);
    if (a.exception.name.isEmpty() && !a.hasConfirmation)
        answer.TellNotValid(1);
    if (!a.exception.name.isEmpty()) {
        if (a.exception.name == kUnknownVin && s.XMLx && m_question && createVehicle) {
            if (m_question->Ask(OrmelText(kTextUnknownVin)))
                *createVehicle = SendVehicleInfo(order) == 1;
        } else {
            answer.TellException();
        }
    }
    return a.Confirmed() ? 1 : 0;
}

int CBasketTransfer::SendVehicleInfo(const CTransferOrder &order)
{
    CVehicleInfoRequest request(*this, *m_settings, order);
    const DmsOutcome outcome = m_client.Run(request, m_notice);
    NoteBrokenOff(outcome);
    return outcome == DmsOutcome::Read ? request.result : 0;
}

int CBasketTransfer::ReadVehicleInfoAnswer(CDmsAnswer &answer)
{
    const CDmsTransferAnswer a = ReadDmsTransferAnswer(answer);
    if (a.exception.name.isEmpty() && !a.hasConfirmation)
        answer.TellNotValid(1);
    if (!a.exception.name.isEmpty())
        answer.TellException();
    return a.Confirmed() ? 1 : 0;
}
