#include "common/PrintService.h"

#include <cups/cups.h>

#include <chrono>
#include <memory>

namespace {

using Clock = std::chrono::steady_clock;

// How long a job not taken whole is given to be cancelled (milliseconds).
constexpr int kCancelBoundMs = 500;

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

// A connection to the print service on which every wait ends at
// `*deadline` (which must outlive it); null when none could be made.
std::unique_ptr<http_t, HttpClose> connectBound(int boundMs, Clock::time_point *deadline)
{
    // The library keeps these per thread.
    cupsSetPasswordCB2(&noPassword, nullptr);
    std::unique_ptr<http_t, HttpClose> http(httpConnect2(
        cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, boundMs, nullptr));
    if (http)
        httpSetTimeout(http.get(), 0.25, &keepWaiting, deadline);
    return http;
}

// Why the service did not do what it was asked.
PrintQueueState failureOf(ipp_status_t status, Clock::time_point end)
{
    if (Clock::now() >= end)
        return PrintQueueState::NoAnswer;
    if (status == IPP_STATUS_ERROR_NOT_FOUND)
        return PrintQueueState::Unknown;
    if (status == IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS)
        return PrintQueueState::Refusing;
    return PrintQueueState::Unreachable;
}

} // namespace

PrintQueueState AskPrintService(const QString &printer, int boundMs)
{
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(boundMs);
    const QByteArray queue = printer.section(QLatin1Char('/'), 0, 0).toUtf8();
    if (queue.isEmpty())
        return PrintQueueState::Unknown;

    Clock::time_point deadline = end;
    const std::unique_ptr<http_t, HttpClose> http = connectBound(boundMs, &deadline);
    if (!http)
        return Clock::now() >= end ? PrintQueueState::NoAnswer : PrintQueueState::Unreachable;

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

PrintQueueState AskPrintServiceAlive(int boundMs)
{
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(boundMs);
    Clock::time_point deadline = end;
    const std::unique_ptr<http_t, HttpClose> http = connectBound(boundMs, &deadline);
    if (!http)
        return Clock::now() >= end ? PrintQueueState::NoAnswer : PrintQueueState::Unreachable;
    ipp_t *request = ippNewRequest(IPP_OP_CUPS_GET_DEFAULT);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                 "printer-name");
    const std::unique_ptr<ipp_t, IppDelete> answer(cupsDoRequest(http.get(), request, "/"));
    const ipp_status_t status = cupsLastError();
    if (Clock::now() >= end)
        return PrintQueueState::NoAnswer;
    // A service without a default queue answers "not found".
    if (status <= IPP_STATUS_OK_EVENTS_COMPLETE || status == IPP_STATUS_ERROR_NOT_FOUND)
        return PrintQueueState::Ready;
    return PrintQueueState::Unreachable;
}

PrintJobAnswer HandPrintJobOver(const QString &printer, const QString &title,
                                const QByteArray &document,
                                const std::vector<PrintJobOption> &options, int boundMs)
{
    PrintJobAnswer result;
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(boundMs);
    const QByteArray queue = printer.section(QLatin1Char('/'), 0, 0).toUtf8();
    if (queue.isEmpty()) {
        result.state = PrintQueueState::Unknown;
        return result;
    }
    Clock::time_point deadline = end;
    const std::unique_ptr<http_t, HttpClose> http = connectBound(boundMs, &deadline);
    if (!http) {
        result.state =
            Clock::now() >= end ? PrintQueueState::NoAnswer : PrintQueueState::Unreachable;
        return result;
    }
    std::vector<cups_option_t> cupsOptions;
    cupsOptions.reserve(options.size());
    for (const PrintJobOption &option : options)
        cupsOptions.push_back({const_cast<char *>(option.name.constData()),
                               const_cast<char *>(option.value.constData())});
    const QByteArray name = title.toUtf8();
    // The job is made first and its document sent after: the number is the
    // service's word that it holds the job. The request is made here, on
    // this connection: the library's own (cupsCreateJob) looks the queue up
    // on connections of its own, which wait for the service unbounded.
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
                     "/printers/%s", queue.constData());
    ipp_t *request = ippNewRequest(IPP_OP_CREATE_JOB);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr, name.constData());
    const int count = int(cupsOptions.size());
    cups_option_t *given = cupsOptions.empty() ? nullptr : cupsOptions.data();
    cupsEncodeOptions2(request, count, given, IPP_TAG_OPERATION);
    cupsEncodeOptions2(request, count, given, IPP_TAG_JOB);
    const QByteArray resource = "/printers/" + queue;
    {
        // cupsDoRequest takes the request.
        const std::unique_ptr<ipp_t, IppDelete> answer(
            cupsDoRequest(http.get(), request, resource.constData()));
        const ipp_status_t status = cupsLastError();
        ipp_attribute_t *id =
            answer ? ippFindAttribute(answer.get(), "job-id", IPP_TAG_INTEGER) : nullptr;
        if (!id || status > IPP_STATUS_OK_EVENTS_COMPLETE || Clock::now() >= end) {
            result.state = failureOf(status, end);
            return result;
        }
        result.jobId = ippGetInteger(id, 0);
    }
    const bool sent =
        cupsStartDocument(http.get(), queue.constData(), result.jobId, name.constData(),
                          CUPS_FORMAT_PDF, 1) == HTTP_STATUS_CONTINUE &&
        cupsWriteRequestData(http.get(), document.constData(), size_t(document.size())) ==
            HTTP_STATUS_CONTINUE;
    const ipp_status_t finished =
        sent ? cupsFinishDocument(http.get(), queue.constData()) : cupsLastError();
    result.state = sent && finished <= IPP_STATUS_OK_EVENTS_COMPLETE
                       ? PrintQueueState::Ready
                       : failureOf(cupsLastError(), end);
    if (result.state != PrintQueueState::Ready) {
        // The numbered job is cancelled, so that a document the service
        // reads once it goes on does not print after the adviser was told
        // it did not: the request waits there with it, on a connection of
        // its own (the one above may be in the middle of the document).
        Clock::time_point cancelBy = Clock::now() + std::chrono::milliseconds(kCancelBoundMs);
        if (const std::unique_ptr<http_t, HttpClose> cancel =
                connectBound(kCancelBoundMs, &cancelBy))
            cupsCancelJob2(cancel.get(), queue.constData(), result.jobId, 0);
    }
    return result;
}

void RunWithoutPrintService(const std::function<void()> &work)
{
    // A local socket that is not there: every question fails at once.
    cupsSetServer("/nonexistent/yaq2-no-print-service");
    work();
    cupsSetServer(nullptr);
}
