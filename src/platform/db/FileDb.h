#pragma once
// CFileDb: the local data set, the SQLite catalogue file "YAQ2.dat" in the
// data directory, opened read-only.

#include "platform/db/SqlDb.h"

class CFileDb : public CSqlDb
{
public:
    static const QString kFileName; // "YAQ2.dat"

    // Opens <localDataDir>/YAQ2.dat; the other arguments are not used.
    int Open(const QString &tns, const QString &user, const QString &password, int reserved,
             const QString &localDataDir, const QString &appServer,
             const QString &sessionId) override;
    // Opens a catalogue file by its full name.
    int OpenFile(const QString &file, bool readOnly = true);

    void SetAutoCreateIndex(int on) { m_bAutoCreateIndex = on; }
    void SetMakeOffline(int on) { m_bMakeOffline = on; }
    int CloseStmt() override;

private:
    int m_bAutoCreateIndex = 0;
    int m_bMakeOffline = 0;
};
