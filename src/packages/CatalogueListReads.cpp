#include "packages/CatalogueListReads.h"

#include "common/readers/CatalogueCache.h"
#include "common/readers/CatalogueColumn.h"
#include "platform/db/YaqData.h"
#include "platform/db/YaqDb.h"
#include "settings/PrgSettings.h"

CCatalogueListReads::CCatalogueListReads(CPrgSettings *settings, CYaqDb *db)
    : m_pSettings(settings), m_pDb(db)
{
    if (settings && settings->bLocalDataSet) {
        m_pLocalCache =
            std::make_unique<CCatalogueCache>(CCatalogueCache::OnLocalFile::ReadByGroup);
        m_pLocalCache->SetModelCodeCheck(CatalogueCache().InstalledModelCodeCheck());
    }
}

CCatalogueListReads::~CCatalogueListReads() = default;

CCatalogueCache &CCatalogueListReads::Cache() const
{
    return m_pLocalCache ? *m_pLocalCache : CatalogueCache();
}

CatalogueAnswer<int> CCatalogueListReads::CatalogueColumn()
{
    if (!m_pSettings || m_pSettings->ModellBez == kNoModelDesignation)
        return {-1, false};
    return GetAwKatSpalte(m_pSettings, m_pDb, m_pSettings->ModellBez, {});
}

bool CCatalogueListReads::PositionValid(const QString &number, int column)
{
    return Cache().GetAPosWert(m_pSettings, number, m_pDb, 0, 0, QString(), QString(), 1, column) !=
           0;
}

bool CCatalogueListReads::PartsClearing(const QString &number)
{
    return Cache().GetTeileClearing(m_pSettings, m_pDb, number, QString()) != 0;
}

bool CCatalogueListReads::PositionInfo(const QString &number, QString *next, QString *previous)
{
    CAPosInfoData info;
    info.m_strKatBstNr = m_pSettings ? m_pSettings->KatalogKey : QString();
    info.m_strAPosNr = number;
    const bool found = m_pSettings && Cache().GetAPosInfo(m_pSettings, m_pDb, info, QString()) != 0;
    if (next)
        *next = found ? info.m_strInfoNr.trimmed() : QString();
    if (previous)
        *previous = found ? info.m_strInfoNr2.trimmed() : QString();
    return found;
}
