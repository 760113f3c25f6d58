#include "common/PrintService.h"

#include <cups/cups.h>

#include <chrono>
#include <memory>

namespace {

using Clock = std::chrono::steady_clock;

// Asked by the print library every quarter second while it waits for the
// service: 0 gives the wait up.
int keepWaiting(http_t *, void *data)
{
    return Clock::now() < *static_cast<const Clock::time_point *>(data) ? 1 : 0;
}

// A service that asks for a password gets none: the question is for
// printing, and no one could answer it on this thread.
const char *noPassword(const char *, http_t *, const char *, const char *, void *)
{
    return nullptr;
}

struct HttpClose
{
    void operator()(http_t *http) const { httpClose(http); }
};
struct IppDelete
{
    void operator()(ipp_t *ipp) const { ippDelete(ipp); }
};

} // namespace

PrintQueueState AskPrintService(const QString &printer, int boundMs)
{
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(boundMs);
    const QByteArray queue = printer.section(QLatin1Char('/'), 0, 0).toUtf8();
    if (queue.isEmpty())
        return PrintQueueState::Unknown;

    // The library keeps these per thread.
    cupsSetPasswordCB2(&noPassword, nullptr);
    std::unique_ptr<http_t, HttpClose> http(httpConnect2(
        cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, boundMs, nullptr));
    if (!http)
        return PrintQueueState::Unreachable;
    Clock::time_point deadline = end;
    httpSetTimeout(http.get(), 0.25, &keepWaiting, &deadline);

    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
                     "/printers/%s", queue.constData());
    ipp_t *request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    static const char *const kAsked[] = {"printer-state", "printer-is-accepting-jobs"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  int(sizeof kAsked / sizeof *kAsked), nullptr, kAsked);
    // cupsDoRequest takes the request.
    const std::unique_ptr<ipp_t, IppDelete> answer(cupsDoRequest(http.get(), request, "/"));
    const ipp_status_t status = cupsLastError();
    if (Clock::now() >= end)
        return PrintQueueState::NoAnswer;
    if (status == IPP_STATUS_ERROR_NOT_FOUND)
        return PrintQueueState::Unknown;
    if (!answer || status > IPP_STATUS_OK_EVENTS_COMPLETE)
        return PrintQueueState::Unreachable;

    if (ipp_attribute_t *accepting =
            ippFindAttribute(answer.get(), "printer-is-accepting-jobs", IPP_TAG_BOOLEAN);
        accepting && !ippGetBoolean(accepting, 0))
        return PrintQueueState::Refusing;
    if (ipp_attribute_t *state = ippFindAttribute(answer.get(), "printer-state", IPP_TAG_ENUM);
        state && ippGetInteger(state, 0) == IPP_PSTATE_STOPPED)
        return PrintQueueState::Paused;
    return PrintQueueState::Ready;
}
