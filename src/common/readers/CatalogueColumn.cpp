#include "common/readers/CatalogueColumn.h"

#include "platform/db/YaqDb.h"
#include "settings/PrgSettings.h"

const QString kNoModelDesignation = QStringLiteral(". . . . . . .");

CatalogueAnswer<int> GetAwKatSpalte(CPrgSettings *settings, CYaqDb *db,
                                    const QString &modelDesignation,
                                    const std::function<bool(const QString &)> &isMappedCode)
{
    if (!db || !settings || modelDesignation.isEmpty() || modelDesignation == kNoModelDesignation)
        return {-1, false};
    CAwKatSpalteData rec;
    rec.Init();
    rec.m_strKatBstNr = settings->KatalogKey;
    rec.m_strTypNr = settings->Bestellnr;
    rec.m_strSpBez = modelDesignation;
    const int failures = db->Failures();
    if (db->ReadAwKatSpalteDataOnLTypSpNr(rec)) {
        rec.TrimData();
        return {rec.m_strSpNr.trimmed().toInt() - 1, false};
    }
    if (FailedSince(db, failures))
        return {-1, true};
    return {isMappedCode && isMappedCode(modelDesignation) ? 0 : -1, false};
}
