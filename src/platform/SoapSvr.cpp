#include "platform/SoapSvr.h"

ISoapSvr::~ISoapSvr()
{
    StopListener();
}

bool ISoapSvr::StartListener(const QString &, long port, const QString &)
{
    m_port = port;
    m_running = port > 0 && port < 65536;
    return m_running;
}

void ISoapSvr::StopListener()
{
    m_running = false;
}

QString ISoapSvr::GetRequest()
{
    return QString();
}

void ISoapSvr::SetResponse(const QString &)
{
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
    const long number = port.trimmed().toLong(&ok);
    return ok && listener->StartListener(argument, number, QString());
}
