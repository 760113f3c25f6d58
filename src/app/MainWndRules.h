#pragma once
// Rules of the main window that need no window: the answer of the session
// check and the server line of the information box (the page ids are in
// common/PageHost.h, the session locks CSessionPolicy's, what differs per
// page the page table's).

#include "common/PageHost.h"

#include <QString>

// Result of the session check.
enum SessionState
{
    kSessionRejected = -1,  // "return-code" other than "00"
    kSessionUnknown = 0,    // no connection, no session id or no usable answer
    kSessionValid = 1,      // the internal service is available
    kSessionRestricted = 2, // only the external service is available
};

// Reads the session-data answer of the application server: a document
// element whose name contains "sessiondata", whose children are visited in
// order; a later child overrides an earlier one, a rejecting return code
// ends the visit.
int ParseSessionAnswer(const QString &xml);

// The server part of the information box's connection line, from the TNS
// connect text: "- Server: <host>:<port>" when it names both "HOST=" and
// "PORT=" (in any order), else empty. Host and port end at ")" or the end.
QString ServerLineFromTns(const QString &tns);
