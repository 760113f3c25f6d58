#pragma once
// What the print service says about a printer's queue right before a job
// goes to it. The service is asked over its own protocol with a bound of its
// own: a service that hangs (stopped, or a print server on the network that
// does not answer) must not hold the program for the minutes the print
// library would wait. No widgets: the wait the adviser sees is the caller's.

#include <QByteArray>
#include <QString>

#include <functional>
#include <vector>

enum class PrintQueueState
{
    Ready,       // the queue takes jobs and prints them
    Paused,      // the queue takes jobs but holds them until it goes on
    Refusing,    // the queue takes no jobs: nothing would be printed
    Unknown,     // the service does not know the queue (removed)
    Unreachable, // no service
    NoAnswer     // the service did not answer within the bound
};

// How long the print service is given to answer (milliseconds).
constexpr int kPrintServiceBoundMs = 10000;

// Asks the print service the printer library uses (its usual settings:
// CUPS_SERVER, client.conf, the local socket) about the queue `printer`
// (an instance's name "queue/instance" names its queue). Blocks for at
// most about `boundMs`; callable on any thread.
PrintQueueState AskPrintService(const QString &printer, int boundMs = kPrintServiceBoundMs);

// Whether the print service answers at all (its default queue is asked):
// Ready when it answered, Unreachable when there is none (nothing listens),
// NoAnswer when it did not answer within the bound. Callable on any thread.
PrintQueueState AskPrintServiceAlive(int boundMs = kPrintServiceBoundMs);

// One option of a print job, as the print service takes it ("copies", "2").
struct PrintJobOption
{
    QByteArray name;
    QByteArray value;
};

// What the print service did with a job handed to it.
struct PrintJobAnswer
{
    // Ready when the service took the whole job; else why not (a queue
    // that refuses jobs, one it does not know, no service, no answer).
    PrintQueueState state = PrintQueueState::Unreachable;
    // The number the service gave the job; 0 when it made none.
    int jobId = 0;
    bool Taken() const { return state == PrintQueueState::Ready && jobId > 0; }
};

// Hands the PDF `document` to the queue `printer` of the print service as
// one job named `title`, with `options` (a job made, then its document
// sent). Blocks for at most about `boundMs` and half a second more; callable
// on any thread. A job the service numbered but did not take whole is not
// Taken, and is cancelled. A job the service makes only once it answers
// again (it stopped before it gave the number) holds no document and never
// prints; the service drops it after its time for a job's documents.
PrintJobAnswer HandPrintJobOver(const QString &printer, const QString &title,
                                const QByteArray &document,
                                const std::vector<PrintJobOption> &options,
                                int boundMs = kPrintServiceBoundMs);

// Runs `work` with the print library of this thread pointed at no print
// service, so that what `work` asks of it fails at once instead of waiting
// for a service that may not answer; the library's own settings are read
// again afterwards.
void RunWithoutPrintService(const std::function<void()> &work);
