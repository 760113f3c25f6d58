#include "common/readers/CatalogueColumn.h"

#include "platform/db/YaqDb.h"
#include "settings/PrgSettings.h"

const QString kNoModelDesignation = QStringLiteral(". . . . . . .");

int GetAwKatSpalte(CPrgSettings *settings, CYaqDb *db, const QString &modelDesignation,
                   const std::function<bool(const QString &)> &isMappedCode)
{
    if (!db || !settings || modelDesignation.isEmpty() || modelDesignation == kNoModelDesignation)
        return -1;
    CAwKatSpalteData rec;
    rec.Init();
    rec.m_strKatBstNr = settings->KatalogKey;
    rec.m_strTypNr = settings->Bestellnr;
    rec.m_strSpBez = modelDesignation;
    if (db->ReadAwKatSpalteDataOnLTypSpNr(rec)) {
        rec.TrimData();
        return rec.m_strSpNr.trimmed().toInt() - 1;
    }
    return isMappedCode && isMappedCode(modelDesignation) ? 0 : -1;
}
