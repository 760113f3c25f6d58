#pragma once
// What the print service says about a printer's queue right before a job
// goes to it. The service is asked over its own protocol with a bound of its
// own: a service that hangs (stopped, or a print server on the network that
// does not answer) must not hold the program for the minutes the print
// library would wait. No widgets: the wait the adviser sees is the caller's.

#include <QString>

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
