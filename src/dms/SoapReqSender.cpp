#include "dms/SoapReqSender.h"

#include "platform/SoapReq.h"
#include "settings/PrgSettings.h"

#include <QEventLoop>
#include <QThread>

#include <memory>

QString CSoapReqSender::Request(const QString &url, const QString &action, const QString &body)
{
    // The thread gets copies only: the settings stay the window's.
    const QString logFolder = m_settings && m_settings->Log ? m_settings->LocalFolder : QString();
    QString answer;
    QString error;
    bool mayHaveArrived = true;
    std::unique_ptr<QThread> thread(
        QThread::create([&answer, &error, &mayHaveArrived, logFolder, url, action, body] {
            CSoapReq request;
            if (!logFolder.isEmpty())
                request.ActivateLogging(logFolder);
            request.m_strURL = url;
            answer = request.Request(action, body);
            error = answer.isEmpty() ? request.LastError() : QString();
            mayHaveArrived = request.MayHaveArrived();
        }));
    QEventLoop loop;
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit,
                     Qt::QueuedConnection);
    m_cancelled = false;
    m_running = thread.get();
    thread->start();
    loop.exec(m_inputGuarded ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
    thread->wait();
    m_running = nullptr;
    m_mayHaveArrived = mayHaveArrived;
    if (m_cancelled) {
        m_lastError = QStringLiteral("The request was cancelled.");
        return QString();
    }
    m_lastError = error;
    return answer;
}

void CSoapReqSender::Cancel()
{
    m_cancelled = true;
    // Ends the client's wait on its thread: it closes the connection and
    // returns without an answer.
    if (m_running)
        m_running->exit();
}
