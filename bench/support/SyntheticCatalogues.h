// The synthetic catalogues of a benchmark program: one per size, built once
// before the timing into a folder of its own (the database layer opens the
// YAQ2.dat of a folder) and removed when the program ends.
#pragma once

#include "platform/db/YaqDb.h"
#include "settings/PrgSettings.h"
#include "yaq2-mkdb/CatalogueBuilder.h"

#include <sqlite3.h>

#include <QDir>
#include <QElapsedTimer>
#include <QString>
#include <QTemporaryDir>

#include <cstdio>
#include <string>

class SyntheticCatalogues
{
public:
    // The folder of a new catalogue of that size, or an empty text (the
    // reason printed) when it could not be built. The line printed names
    // the catalogue by what.
    QString Build(const SyntheticSize &size, const std::string &what)
    {
        const QString folder = m_dir.filePath(QString::number(++m_built));
        if (!m_dir.isValid() || !QDir().mkpath(folder)) {
            std::fprintf(stderr, "synthetic catalogue: no temporary folder\n");
            return {};
        }
        QElapsedTimer timer;
        timer.start();
        const QString error = BuildSyntheticCatalogue(
            File(folder), QStringLiteral(YAQ_SOURCE_DIR "/data/schema/catalogue.sql"), size);
        if (!error.isEmpty()) {
            std::fprintf(stderr, "synthetic catalogue: %s\n", qPrintable(error));
            return {};
        }
        std::printf("synthetic catalogue of %s in %lld ms\n", what.c_str(),
                    static_cast<long long>(timer.elapsed()));
        return folder;
    }

    static QString File(const QString &folder) { return folder + QStringLiteral("/YAQ2.dat"); }

private:
    QTemporaryDir m_dir;
    int m_built = 0;
};

// The catalogue file of a folder opened on the SQLite C API for a
// baseline as Qt's SQLite driver opens the program's connection: without
// SQLite's connection mutex (one thread uses it) and with a cache of its
// own. False, the reason printed, when it cannot be opened.
inline bool OpenRaw(const QString &folder, sqlite3 **raw)
{
    if (sqlite3_open_v2(SyntheticCatalogues::File(folder).toUtf8().constData(), raw,
                        SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_PRIVATECACHE,
                        nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "open: %s\n", sqlite3_errmsg(*raw));
        return false;
    }
    return true;
}

// The catalogue of a folder opened for both sides of a benchmark: through
// the program's database layer, and through the SQLite C API for the
// baseline (OpenRaw). False, the reason printed, when either cannot be
// opened.
inline bool OpenBothWays(const QString &folder, CYaqDb &db, sqlite3 **raw)
{
    if (!db.Open(QString(), QString(), QString(), 0, folder, QString(), QString())) {
        std::fprintf(stderr, "open: %s\n", qPrintable(db.LastErrorText()));
        return false;
    }
    return OpenRaw(folder, raw);
}

// The package pages' vehicle of the synthetic catalogue on the local
// catalogue file, with the type key given: keys, model and series as the
// pages' settings hold them once it is identified.
inline CPrgSettings SyntheticPackagePageSettings(const QString &typeKey)
{
    CPrgSettings s;
    s.KatalogKey = QStringLiteral("1");
    s.bLocalDataSet = 1;
    s.TypSchl = typeKey;
    s.LeadTyp = SyntheticEditLeadType();
    s.ZusatzCode = QStringLiteral("A");
    s.Bestellnr = SyntheticPackageTypeNumber();
    s.ModellBez = SyntheticModelName();
    s.EReihe = SyntheticPackageSeries();
    return s;
}
