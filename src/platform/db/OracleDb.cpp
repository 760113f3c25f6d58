#include "platform/db/OracleDb.h"

int COracleDb::Open(const QString &tns, const QString &user, const QString &password, int,
                    const QString &, const QString &, const QString &)
{
    return OpenServer(tns, user, password);
}
