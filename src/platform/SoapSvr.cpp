#include "platform/SoapSvr.h"

#include "platform/HttpListener.h"
#include "platform/OrmelText.h"

#include <QElapsedTimer>

#include <deque>
#include <utility>

namespace {

constexpr char kXmlContentType[] = "text/xml; charset=utf-8";

// Why the listener does not listen, in the program's texts.
enum
{
    kTextNoAddress = 7194,      // "%s" is no IP address.
    kTextAddressNotHere = 7195, // the address is none of this computer's
    kTextPortTaken = 7196,      // another program listens on the port
    kTextPortForbidden = 7197,  // no permission for the port
    kTextNoPort = 7198,         // no port number from 1 to 65535
};

QString ListenFailure(const HttpListener &listener)
{
    int id = 0;
    switch (listener.serverError()) {
    case QAbstractSocket::SocketAddressNotAvailableError:
        id = kTextAddressNotHere;
        break;
    case QAbstractSocket::AddressInUseError:
        id = kTextPortTaken;
        break;
    case QAbstractSocket::SocketAccessError:
        id = kTextPortForbidden;
        break;
    default:
        break;
    }
    const QString text = id ? OrmelText(id) : QString();
    return text.isEmpty() ? listener.errorString() : text;
}

// What a client hears whose request the window let go without an answer.
// What a client hears whose request waited too long, without a refusal of
// the window.
constexpr char kLateFault[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
    "<s:Envelope xmlns:s=\"http://schemas.xmlsoap.org/soap/envelope/\"><s:Body><s:Fault>"
    "<faultcode>s:Server</faultcode><faultstring>The request was not answered in "
    "time.</faultstring>"
    "</s:Fault></s:Body></s:Envelope>";

constexpr char kNoAnswerFault[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
    "<s:Envelope xmlns:s=\"http://schemas.xmlsoap.org/soap/envelope/\"><s:Body><s:Fault>"
    "<faultcode>s:Server</faultcode><faultstring>The request was not answered.</faultstring>"
    "</s:Fault></s:Body></s:Envelope>";

} // namespace

struct ISoapSvr::Impl
{
    HttpListener listener;
    HttpLimits limits;
    struct Pending
    {
        quint64 id; // the listener's
        quint64 number;
        // The request as it came: its text is made when it is handed out,
        // so that one waiting holds no more than its bytes.
        QByteArray contentType;
        QByteArray body;
        QElapsedTimer since; // came whole
    };
    // Whole requests in the order they came.
    std::deque<Pending> queue;
    quint64 handedOut = 0; // the listener's id of the request the window has, 0 when none
    quint64 handedOutNumber = 0;
    quint64 arrivals = 0;
    std::function<QString()> refusal;

    // Takes the request out of the queue or out of the window's hand;
    // false when it is in neither.
    bool forget(quint64 id)
    {
        if (handedOut == id) {
            handedOut = 0;
            return true;
        }
        for (auto it = queue.begin(); it != queue.end(); ++it) {
            if (it->id == id) {
                queue.erase(it);
                return true;
            }
        }
        return false;
    }
};

ISoapSvr::ISoapSvr() = default;

ISoapSvr::~ISoapSvr()
{
    StopListener();
}

bool ISoapSvr::HasInterface() const
{
    return m_impl && m_impl->listener.isListening();
}

void ISoapSvr::SetLimits(const HttpLimits &limits)
{
    if (!m_impl)
        m_impl = std::make_unique<Impl>();
    m_impl->limits = limits;
}

bool ISoapSvr::StartListener(const QString &argument, long port, const QString &)
{
    StopListener();
    m_lastError.clear();
    m_addressRefused = false;
    if (port < 0 || port > 65535) {
        m_lastError = OrmelText(kTextNoPort);
        return false;
    }
    QHostAddress address(QHostAddress::Any);
    const QString host = argument.trimmed();
    if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        address = QHostAddress(QHostAddress::LocalHost);
    else if (!host.isEmpty() && !address.setAddress(host)) {
        m_lastError = OrmelTextArgs(kTextNoAddress, {host}, QStringLiteral("\"%s\""));
        m_addressRefused = true;
        return false;
    }

    if (!m_impl)
        m_impl = std::make_unique<Impl>();
    Impl *impl = m_impl.get();
    impl->listener.setLimits(impl->limits);
    impl->listener.setRequestHandler([this, impl](quint64 id, const HttpRequest &request) {
        const QByteArray contentType = request.header("Content-Type");
        if (HttpBodyText(contentType, request.body).trimmed().isEmpty()) {
            // An empty text would read as "no request" to the window.
            impl->listener.respond(id, 400, "text/plain; charset=utf-8", "empty request\n");
            return;
        }
        impl->queue.push_back({id, ++impl->arrivals, contentType, request.body, QElapsedTimer()});
        impl->queue.back().since.start();
        emit RequestArrived();
    });
    impl->listener.setGoneHandler([this, impl](quint64 id) {
        const bool handedOut = impl->handedOut == id;
        impl->forget(id);
        if (handedOut)
            emit HandedOutEnded();
    });
    impl->listener.setExpiredHandler([this, impl](quint64 id) {
        const bool handedOut = impl->handedOut == id;
        if (!impl->forget(id))
            return;
        const QString refusal = impl->refusal ? impl->refusal() : QString();
        if (refusal.isEmpty())
            impl->listener.respond(id, 500, kXmlContentType, kLateFault);
        else
            impl->listener.respond(id, 200, kXmlContentType, refusal.toUtf8());
        if (handedOut)
            emit HandedOutEnded();
    });
    if (!impl->listener.listen(address, static_cast<quint16>(port))) {
        m_lastError = ListenFailure(impl->listener);
        m_addressRefused =
            impl->listener.serverError() == QAbstractSocket::SocketAddressNotAvailableError;
        return false;
    }
    return true;
}

void ISoapSvr::StopListener()
{
    if (!m_impl)
        return;
    m_impl->listener.close();
    m_impl->queue.clear();
    m_impl->handedOut = 0;
    m_impl->handedOutNumber = 0;
}

bool ISoapSvr::HasPendingRequest() const
{
    return m_impl && !m_impl->queue.empty();
}

int ISoapSvr::RefuseWaiting(qint64 waitedMs, const QString &response)
{
    if (!m_impl)
        return 0;
    int refused = 0;
    auto &queue = m_impl->queue;
    // The queue is in the order of arrival: the oldest first.
    while (!queue.empty() && queue.front().since.elapsed() >= waitedMs) {
        const quint64 id = queue.front().id;
        queue.pop_front();
        m_impl->listener.respond(id, 200, kXmlContentType, response.toUtf8());
        ++refused;
    }
    return refused;
}

void ISoapSvr::SetRefusal(std::function<QString()> refusal)
{
    if (!m_impl)
        m_impl = std::make_unique<Impl>();
    m_impl->refusal = std::move(refusal);
}

quint64 ISoapSvr::Arrivals() const
{
    return m_impl ? m_impl->arrivals : 0;
}

qint64 ISoapSvr::HeldBytes() const
{
    if (!m_impl)
        return 0;
    qint64 held = m_impl->listener.heldBytes();
    for (const Impl::Pending &pending : m_impl->queue)
        held += pending.contentType.capacity() + pending.body.capacity();
    return held;
}

qint64 ISoapSvr::HeldBytesBound() const
{
    return m_impl ? m_impl->listener.heldBytesBound() : 0;
}

int ISoapSvr::ConnectionCount() const
{
    return m_impl ? m_impl->listener.connectionCount() : 0;
}

quint64 ISoapSvr::RequestNumber() const
{
    return m_impl ? m_impl->handedOutNumber : 0;
}

quint16 ISoapSvr::Port() const
{
    return HasInterface() ? m_impl->listener.port() : 0;
}

QString ISoapSvr::GetRequest()
{
    if (!m_impl)
        return QString();
    if (m_impl->handedOut != 0) {
        m_impl->listener.respond(m_impl->handedOut, 500, kXmlContentType, kNoAnswerFault);
        m_impl->handedOut = 0;
    }
    m_impl->handedOutNumber = 0;
    if (m_impl->queue.empty())
        return QString();
    Impl::Pending next = std::move(m_impl->queue.front());
    m_impl->queue.pop_front();
    m_impl->handedOut = next.id;
    m_impl->handedOutNumber = next.number;
    return HttpBodyText(next.contentType, next.body);
}

void ISoapSvr::SetResponse(const QString &response)
{
    if (!m_impl || m_impl->handedOut == 0)
        return;
    const quint64 id = std::exchange(m_impl->handedOut, 0);
    m_impl->listener.respond(id, 200, kXmlContentType, response.toUtf8());
}

bool ActivateSoapXMLInterface(const QString &argument, int receiveMode, const QString &port,
                              ISoapSvr *listener)
{
    if (!listener)
        return false;
    listener->StopListener();
    if (receiveMode != SRP_INTERFACE_LISTENER)
        return false;
    bool ok = false;
    long number = port.trimmed().toLong(&ok);
    // Port 0 would take any free port, where the DMS would not find it.
    if (!ok || number < 1)
        number = -1;
    return listener->StartListener(argument, number, QString());
}
