#include "platform/db/FileDb.h"

#include "platform/AppPaths.h"

const QString CFileDb::kFileName = QStringLiteral("YAQ2.dat");

int CFileDb::Open(const QString &, const QString &, const QString &, int,
                  const QString &localDataDir, const QString &, const QString &)
{
    if (localDataDir.isEmpty()) {
        Fail(QStringLiteral("No local data set folder is given."));
        return 0;
    }
    return OpenFile(JoinPath(localDataDir, kFileName));
}

int CFileDb::OpenFile(const QString &file, bool readOnly)
{
    return OpenSqlite(file, readOnly);
}

int CFileDb::CloseStmt()
{
    CSqlDb::CloseStmt();
    return 1;
}
