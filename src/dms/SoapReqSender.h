#pragma once
// The sender of the program's requests over HTTP: a fresh SOAP client per
// request (CSoapReq), which logs the last request and answer into the local
// folder while the setting "Log" is on.
//
// The request runs on a thread of its own, so that the window's thread
// stays free to show the wait and to take the adviser's "Abbrechen": it
// runs its events meanwhile, and an IDmsWait decides where the adviser's
// input goes. Without one (SetInputGuarded(false), the default) the input
// waits for the answer, as with the SOAP client alone. Cancel ends the
// request under way at once; whatever the server still sends is dropped.

#include "dms/DmsFrame.h"

class QThread;

class CSoapReqSender : public IDmsSender
{
public:
    explicit CSoapReqSender(const CPrgSettings *settings) : m_settings(settings) {}
    CSoapReqSender(const CSoapReqSender &) = delete;
    CSoapReqSender &operator=(const CSoapReqSender &) = delete;

    QString Request(const QString &url, const QString &action, const QString &body) override;
    // Why the last request brought no answer; empty after an answer.
    QString LastError() const override { return m_lastError; }
    void Cancel() override;
    bool MayHaveArrived() const override { return m_mayHaveArrived; }

    // The window's thread delivers input while a request waits: only when
    // an IDmsWait keeps it from the pages.
    void SetInputGuarded(bool guarded) { m_inputGuarded = guarded; }

private:
    const CPrgSettings *m_settings;
    QString m_lastError;
    QThread *m_running = nullptr; // the request under way
    bool m_cancelled = false;
    bool m_mayHaveArrived = true;
    bool m_inputGuarded = false;
};
