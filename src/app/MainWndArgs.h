#pragma once
// What the start-up hands to the main window: the arguments of the caller
// mode, and what the application lends the window for its run.

#include <QString>

class CModelMapping;
class CQtTranslations;
class ISoapSvr;

// The arguments of the caller mode.
struct CMainWndArgs
{
    int x = -1;
    int y = -1;
    QString paketNr;     // mode "qvledit": a 13-character package number
    QString apNr;        // modes "qvlapossearch", "qvlaposquery": a 7-character AP number
    QString awToSrpList; // mode "qvlawtosrp": ";"-separated numbers
    QString awToSrpVin;  // mode "qvlawtosrp": the VIN as the caller gave it
};

// The connection values of the start-up: of the command line, or of the
// session file in a session.
struct CConnectValues
{
    QString tns;
    QString uid;
    QString pwd;
    QString appServer;
    QString appServerAddress; // the portal the browser page opens its documents on
    QString sessionId;
};

// What the application lends the main window; the window borrows the
// pieces, which outlive it. A piece left null is missing (tests).
struct CMainWndEnv
{
    CConnectValues connection;
    ISoapSvr *listener = nullptr;
    CModelMapping *modelMapping = nullptr;
    CQtTranslations *qtTranslations = nullptr;
};
