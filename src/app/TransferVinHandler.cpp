#include "app/TransferVinHandler.h"

#include "app/FirstRegistration.h"
#include "dms/DmsFrame.h"
#include "platform/OrmelText.h"
#include "platform/SoapSvr.h"
#include "platform/StringUtil.h"
#include "platform/XmlLimits.h"
#include "platform/XmlValues.h"
#include "settings/PrgSettings.h"

#include <QDomDocument>
#include <QRegularExpression>

namespace {
// "The DMS's vehicle was not taken: its time to wait for the answer ran out."
constexpr int kTextAnsweredWhileCompleting = 7191;
} // namespace

// ---------------------------------------------------------------------------
// The request's data

CTransferVinData CTransferVinData::Read(const QDomElement &transferVin, bool receiveXmlx)
{
    CTransferVinData data;
    for (QDomElement child = transferVin.firstChildElement(); !child.isNull();
         child = child.nextSiblingElement()) {
        const QString name = XmlLocalName(child);
        if (name == QLatin1String("vin")) {
            data.hasVin = true;
            const QString prefix = QStringLiteral("vinLongPrefix");
            const QString shortVin = QStringLiteral("vinShort");
            if (child.hasAttribute(prefix) && child.hasAttribute(shortVin))
                data.vin = child.attribute(prefix) + child.attribute(shortVin);
        } else if (name == QLatin1String("firstRegistrationDate")) {
            if (receiveXmlx) {
                data.firstRegistrationDate = child.text();
                data.hasFirstRegistrationDate = true;
            }
        } else if (name == QLatin1String("mileage")) {
            data.mileage = child.text();
            data.hasMileage = true;
        } else if (name == QLatin1String("orderNumber")) {
            data.orderNumber = child.text();
            data.hasOrderNumber = true;
        } else if (name == QLatin1String("settlementCode")) {
            data.settlementCode = child.text();
            data.hasSettlementCode = true;
        } else if (name == QLatin1String("jobNumber")) {
            data.jobNumber = child.text();
            data.hasJobNumber = true;
        } else if (name == QLatin1String("customerHasSpecificPrice")) {
            data.customerHasSpecificPrice = child.text();
            data.hasCustomerHasSpecificPrice = true;
        }
    }
    return data;
}

bool CTransferVinData::WithinBounds() const
{
    // The VIN and the date have checks of their own.
    for (const QString *field :
         {&orderNumber, &settlementCode, &jobNumber, &mileage, &customerHasSpecificPrice}) {
        if (field->size() > kMaxFieldLength)
            return false;
    }
    return vin.size() <= kMaxFieldLength && firstRegistrationDate.size() <= kMaxFieldLength;
}

void CTransferVinData::TrimRight()
{
    for (QString *field : {&vin, &orderNumber, &settlementCode, &jobNumber, &firstRegistrationDate,
                           &mileage, &customerHasSpecificPrice})
        *field = WithoutTrailingBlanks(*field);
}

bool CTransferVinData::Validate() const
{
    static const QRegularExpression fullVin(QStringLiteral("^[A-Za-z0-9]{17}$"));
    if (!WithinBounds() || !hasVin || !fullVin.match(vin).hasMatch())
        return false;
    if (!firstRegistrationDate.isEmpty() &&
        CFirstRegistration::FromDmsDate(firstRegistrationDate).isEmpty())
        return false;
    return true;
}

CGivenVehicle CTransferVinOutcome::Vehicle() const
{
    CGivenVehicle pushed;
    pushed.origin = action == NewVehicle ? CGivenVehicle::DmsNew : CGivenVehicle::DmsShown;
    pushed.vin = data.vin;
    pushed.vinShown = !vinDiffers;
    pushed.mileage = data.mileage;
    pushed.customerSpecificPrice = customerSpecificPrice;
    if (action == NewVehicle) {
        pushed.plate = QString();
        // Never the first registration of the vehicle shown before: the
        // request's, empty when it sent none or outside first-registration
        // mode.
        pushed.firstRegistration = firstRegistration;
    }
    return pushed;
}

// ---------------------------------------------------------------------------
// The handler

CTransferVinOutcome CTransferVinHandler::HandleSoapRequest(const QString &request)
{
    CPrgSettings &s = *m_settings;
    const QString answer = QLatin1String(kAnswer);
    QDomDocument document;
    // A request that is no XML, or none within the reader's limits, has no
    // envelope to look into.
    const QDomElement body =
        LoadXmlDocument(request, &document) ? DmsSoapBody(document) : QDomElement();
    if (body.isNull()) {
        m_frame->SendException(answer, 2);
        return CTransferVinOutcome();
    }
    QDomElement transferVin = XmlChild(body, QString::fromLatin1(kMethod), Qt::CaseInsensitive);
    if (transferVin.isNull()) {
        m_frame->SendException(answer, 2);
        m_frame->Tell(5071);
        return CTransferVinOutcome();
    }
    s.bDmsExchangeDone = 1;
    if (!m_frame->CheckResponseHeader(transferVin.attribute(QStringLiteral("refSchema")),
                                      transferVin.attribute(QStringLiteral("version")))) {
        m_frame->SendException(answer, 2);
        m_frame->Tell(5053);
        s.bDmsExchangeDone = 0;
        return CTransferVinOutcome();
    }
    XmlRemoveNilElements(transferVin);
    return TransferVINRequestHandlerBody(transferVin);
}

CTransferVinOutcome
CTransferVinHandler::TransferVINRequestHandlerBody(const QDomElement &transferVin)
{
    const CPrgSettings &s = *m_settings;
    const QString answer = QLatin1String(kAnswer);
    CTransferVinOutcome out;
    CTransferVinData data = CTransferVinData::Read(transferVin, s.ReceiveXMLx);
    // A field longer than the program's field is refused before the adviser
    // is asked anything.
    if (!data.WithinBounds()) {
        m_frame->SendException(answer, 2);
        return out;
    }
    if (data.hasVin && data.vin.size() != 17 && m_completeVin) {
        QString vin = data.vin;
        const bool completed = m_completeVin(&vin);
        if (m_dmsAnswered && m_dmsAnswered()) {
            // The DMS was told meanwhile that the vehicle is not taken.
            m_frame->Tell(kTextAnsweredWhileCompleting);
            return out;
        }
        if (completed)
            data.vin = vin;
    }
    data.TrimRight();
    if (!data.Validate()) {
        m_frame->SendException(answer, 2);
        return out;
    }

    out.data = data;
    out.firstRegistrationMode = s.MarketingCampaigns && s.ReceiveXMLx;
    if (out.firstRegistrationMode)
        out.firstRegistration = CFirstRegistration::FromDmsDate(data.firstRegistrationDate);
    if (s.V117)
        out.customerSpecificPrice = XmlIsTrue(data.customerHasSpecificPrice) ? 1 : 0;
    out.vinDiffers = s.FgstnrFull != data.vin;
    const bool differs =
        out.vinDiffers || (out.firstRegistrationMode && s.Erstzulassung != out.firstRegistration);

    // The DMS hears first; the user is asked afterwards.
    m_frame->ConfirmTransferVIN();
    out.result = 1;
    if (!differs) {
        out.action = CTransferVinOutcome::SameVehicle;
        return out;
    }
    const bool basketHasEntries = m_basketHasEntries && m_basketHasEntries();
    if (m_ask && m_ask(OrmelText(basketHasEntries ? 4083 : 4084))) {
        out.action = CTransferVinOutcome::NewVehicle;
    } else {
        m_frame->SendException(answer, 5);
        out.action = CTransferVinOutcome::Declined;
    }
    return out;
}

// ---------------------------------------------------------------------------
// The listener poll

bool CDmsListenerPoll::Tick(const CPrgSettings &settings, bool listenerRunning,
                            const std::function<QString()> &getRequest,
                            const std::function<void(const QString &)> &handle)
{
    if (m_busy || settings.SRPInterfaceReceive != 4 || settings.bSession || !listenerRunning)
        return false;
    const QString request = getRequest();
    if (request.isEmpty())
        return false;
    struct Busy
    {
        bool &flag;
        explicit Busy(bool &f) : flag(f) { flag = true; }
        ~Busy() { flag = false; }
    } busy(m_busy);
    handle(request);
    return true;
}

// ---------------------------------------------------------------------------
// The watch

CDmsListenerWatch::CDmsListenerWatch(const CPrgSettings *settings, HeldBack heldBack, Handle handle,
                                     QObject *parent)
    : QObject(parent), m_settings(settings), m_heldBack(std::move(heldBack)),
      m_handle(std::move(handle))
{
    m_fallback.setObjectName(QStringLiteral("listenerTimer"));
    m_fallback.setInterval(kFallbackMs);
    connect(&m_fallback, &QTimer::timeout, this, &CDmsListenerWatch::Poll);
    m_retry.setSingleShot(true);
    m_retry.setInterval(kHeldBackMs);
    connect(&m_retry, &QTimer::timeout, this, &CDmsListenerWatch::Poll);
}

CDmsListenerWatch::~CDmsListenerWatch()
{
    if (m_listener && m_refusal)
        m_listener->SetRefusal({});
}

void CDmsListenerWatch::SetListener(ISoapSvr *listener)
{
    disconnect(m_arrival);
    if (m_listener && m_listener != listener && m_refusal)
        m_listener->SetRefusal({});
    m_listener = listener;
    if (listener) {
        m_arrival = connect(listener, &ISoapSvr::RequestArrived, this, &CDmsListenerWatch::Poll,
                            Qt::QueuedConnection);
        if (m_refusal)
            listener->SetRefusal(m_refusal);
    }
}

void CDmsListenerWatch::SetRefusal(Refusal refusal)
{
    m_refusal = std::move(refusal);
    if (m_listener && m_refusal)
        m_listener->SetRefusal(m_refusal);
}

void CDmsListenerWatch::Start(int fallbackMs, int heldBackMs)
{
    m_stopped = false;
    m_retry.setInterval(heldBackMs);
    m_fallback.start(fallbackMs);
}

void CDmsListenerWatch::Stop()
{
    m_stopped = true;
    m_fallback.stop();
    m_retry.stop();
}

bool CDmsListenerWatch::Poll()
{
    if (m_stopped || !m_listener)
        return false;
    const CPrgSettings &s = *m_settings;
    if (s.SRPInterfaceReceive != 4 || s.bSession) {
        // Never taken: the DMS hears so at once.
        if (m_refusal && m_listener->HasPendingRequest())
            m_listener->RefuseWaiting(0, m_refusal());
        return false;
    }
    if ((m_heldBack && m_heldBack()) || m_poll.IsBusy()) {
        if (m_refusal && m_listener->HasPendingRequest())
            m_listener->RefuseWaiting(m_refuseAfterMs, m_refusal());
        if (m_listener->HasPendingRequest())
            m_retry.start();
        return false;
    }
    const bool handled = m_poll.Tick(
        *m_settings, m_listener->HasInterface(), [this] { return m_listener->GetRequest(); },
        [this](const QString &request) { m_handle(request, m_listener->RequestNumber()); });
    // The requests that came while this one was handled follow it.
    if (handled && !m_stopped && m_listener && m_listener->HasPendingRequest())
        QMetaObject::invokeMethod(
            this, [this] { Poll(); }, Qt::QueuedConnection);
    return handled;
}

// ---------------------------------------------------------------------------
// The listener's messages

void CDmsListenerNotice::Notice(const QString &text, const QString &caption)
{
    if (m_open || (m_request != 0 && m_request <= m_closedAt))
        return;
    m_open = true;
    if (m_shown)
        m_shown->Notice(text, caption);
    if (!m_staysOpen)
        Closed();
}

void CDmsListenerNotice::Closed()
{
    m_open = false;
    m_closedAt = m_arrivals ? m_arrivals() : 0;
}
