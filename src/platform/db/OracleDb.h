#pragma once
// COracleDb: the shared catalogue server (PostgreSQL), opened with the TNS
// name, the user and the password.

#include "platform/db/SqlDb.h"

class COracleDb : public CSqlDb
{
public:
    // Uses the TNS name, user and password; the other arguments are not used.
    int Open(const QString &tns, const QString &user, const QString &password, int reserved,
             const QString &localDataDir, const QString &appServer,
             const QString &sessionId) override;
};
