#pragma once
// The address of the catalogue server as the TNS name gives it:
//   "(DESCRIPTION=(ADDRESS=(PROTOCOL=TCP)(HOST=h)(PORT=p))(CONNECT_DATA=(SID=db)))"
//   (SERVICE_NAME in place of SID is accepted; PORT defaults to 5432), or
//   "host:port/db" and "host/db".

#include <QString>

struct ServerAddress
{
    QString host;
    int port = 5432;
    QString database;
};

// True when the text names a server in one of the forms above.
bool ParseServerAddress(const QString &tns, ServerAddress *address);
