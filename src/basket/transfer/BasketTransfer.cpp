#include "basket/transfer/BasketTransfer.h"

#include "basket/model/WKList.h"
#include "basket/transfer/TransferAnswer.h"
#include "common/DmsFrame.h"
#include "packages/model/Paket.h"
#include "packages/model/Position.h"
#include "platform/OrmelText.h"
#include "settings/PrgSettings.h"

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
    kTextBadHeader = 5053,
    kTextWrongMethod = 5054,
    kTextUnreadable = 5055,
    kTextViaXmlx = 6022,
    kTextVehicleCreated = 6073,
    kTextVinLength = 7070,
    kTextKept = 7071,
    kTextFault = 7072,
    kTextRoadMissing = 7073,
};

const QString kUnknownVin = QStringLiteral("UnknownVIN");

// Tells why an answer cannot be used; false for an answer that was read.
bool TellUnusable(const CDmsFrame &frame, const CDmsTransferAnswer &a, CPrgSettings *settings)
{
    switch (a.status) {
    case CDmsTransferAnswer::Empty:
        return true;
    case CDmsTransferAnswer::NotXml:
    case CDmsTransferAnswer::NotSoap:
        frame.Tell(kTextUnreadable);
        return true;
    case CDmsTransferAnswer::Fault:
        frame.Tell(OrmelTextArgs(kTextFault, {a.fault}));
        return true;
    case CDmsTransferAnswer::WrongMethod:
        frame.Tell(kTextWrongMethod);
        return true;
    case CDmsTransferAnswer::BadHeader:
        frame.Tell(kTextBadHeader);
        settings->bDmsExchangeDone = 0;
        return true;
    case CDmsTransferAnswer::Read:
        break;
    }
    return false;
}

} // namespace

CBasketTransfer::CBasketTransfer(CPrgSettings *settings, IDmsNotice *notice, IDmsSender *sender,
                                 ITransferQuestion *question)
    : m_settings(settings), m_notice(notice), m_sender(sender), m_question(question)
{
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
        return road + QStringLiteral(": ") + OrmelText(kTextSystem) + QStringLiteral("(default)");
    case 8:
        return road + QStringLiteral(": ") + OrmelText(kTextSystem) + QStringLiteral("(Italy)");
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
    CDmsFrame frame(m_settings, m_notice, m_sender);
    if (s.bQvl || s.bQvlEdit || s.bQvlAPosSearch || s.bQvlAPosQuery) {
        out.road = TransferRoad::BasketList;
        out.closeProgram = true;
        if (!basket.IsEmpty() || s.bQvlAPosQuery) {
            if (m_basketListRoad)
                m_basketListRoad(basket);
            else
                frame.Tell(kTextRoadMissing);
        }
        return out;
    }

    // One vehicle creation per transfer: a DMS that still does not know the
    // vehicle after confirming it gets its exception shown, not the question
    // again.
    bool mayCreate = true;
    for (;;) {
        Flags f = ContentFlags(basket);
        int result = 0;
        bool created = false;
        std::vector<const CWKListItem *> sent;
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
        } else if (s.SRPInterfaceSend == 3) {
            out.road = TransferRoad::TextExport;
            f.packages |= f.valueLine || f.campaign;
            if (m_textExportRoad)
                result = m_textExportRoad(basket);
            else
                frame.Tell(kTextRoadMissing);
        }

        // Positions the DMS confirmed are not sent again, even when it asked
        // for the vehicle in the same answer.
        const bool resend = created && !result;
        QString text = ResultText(result, f, resend);
        if (!text.isEmpty() && !resend && !out.kept.isEmpty())
            text +=
                QLatin1Char('\n') + OrmelTextArgs(kTextKept, {out.kept.join(QStringLiteral(", "))});
        if (!text.isEmpty()) {
            frame.Tell(text);
            out.message = text;
        }
        out.vehicleCreated |= created;
        if (result) {
            out.result = result;
            if (out.road == TransferRoad::Soap) {
                for (const CWKListItem *entry : sent)
                    out.removed += basket.Remove(entry) ? 1 : 0;
            } else {
                out.removed = basket.GetCount();
                basket.RemoveAll();
            }
            return out;
        }
        if (!resend)
            return out;
        mayCreate = false;
    }
}

int CBasketTransfer::SendPositions(const CWKList &basket, const CTransferOrder &order,
                                   std::vector<const CWKListItem *> *sent, bool *createVehicle)
{
    CPrgSettings &s = *m_settings;
    CDmsFrame frame(m_settings, m_notice, m_sender);
    const QString method = QLatin1String(CTransferRequest::kMethod);
    if (CTransferRequest::TransferVin(s).size() != 17) {
        frame.Tell(kTextVinLength);
        return 0;
    }
    std::vector<const CWKListItem *> written;
    const QString body = CTransferRequest(s, order).Build(basket, frame.Version(), &written);
    const QString answer = frame.Send(DmsServer::Transfer, method, body);
    if (answer.isEmpty())
        return 0;
    const CDmsTransferAnswer a = ReadDmsTransferAnswer(answer, method, s);
    if (TellUnusable(frame, a, &s))
        return 0;
    if (a.exception.name.isEmpty() && !a.hasConfirmation)
        frame.Tell(DmsNotValidText(method, 1));
    if (!a.exception.name.isEmpty()) {
        if (a.exception.name == kUnknownVin && s.XMLx && m_question && createVehicle) {
            if (m_question->Ask(OrmelText(kTextUnknownVin)))
                *createVehicle = SendVehicleInfo(order) == 1;
        } else {
            frame.Tell(DmsExceptionText(method, a.exception));
        }
    }
    if (!a.Confirmed())
        return 0;
    *sent = written;
    return 1;
}

int CBasketTransfer::SendVehicleInfo(const CTransferOrder &order)
{
    CPrgSettings &s = *m_settings;
    CDmsFrame frame(m_settings, m_notice, m_sender);
    const QString method = QLatin1String(CTransferRequest::kVehicleMethod);
    const QString body = CTransferRequest(s, order).BuildVehicleInfo(frame.Version());
    const QString answer = frame.Send(DmsServer::Transfer, method, body);
    if (answer.isEmpty())
        return 0;
    const CDmsTransferAnswer a = ReadDmsTransferAnswer(answer, method, s);
    if (TellUnusable(frame, a, &s))
        return 0;
    if (a.exception.name.isEmpty() && !a.hasConfirmation)
        frame.Tell(DmsNotValidText(method, 1));
    if (!a.exception.name.isEmpty())
        frame.Tell(DmsExceptionText(method, a.exception));
    return a.Confirmed() ? 1 : 0;
}
