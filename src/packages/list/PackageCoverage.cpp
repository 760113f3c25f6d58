#include "packages/list/PackageCoverage.h"

#include "packages/model/MatchMask.h"
#include "platform/db/YaqDb.h"

#include <algorithm>
#include <utility>

QString GermanDateKey(const QString &date)
{
    if (date.size() != 10)
        return {};
    return date.mid(6, 4) + date.mid(3, 2) + date.left(2);
}

CPackageCoverage::CPackageCoverage(CYaqDb *catalogueDb, CYaqDb *contractDb, QString catalogueKey,
                                   QStringList contracts, QString today, bool hlxFlag)
    : m_pCatalogueDb(catalogueDb), m_pContractDb(contractDb),
      m_strCatalogueKey(std::move(catalogueKey)), m_contracts(std::move(contracts)),
      m_strToday(std::move(today)), m_bHlxFlag(hlxFlag)
{
}

const CPackageCoverage::ContractList &CPackageCoverage::List(const QString &contract) const
{
    const auto known = m_lists.find(contract);
    if (known != m_lists.end())
        return known->second;
    const int failures = m_pContractDb->Failures();
    ContractList &list = m_lists[contract];
    CHLXNrData option;
    option.m_strKatBstNr = m_strCatalogueKey;
    option.m_strOptionNr = contract;
    // A list that could not be read is not kept as an empty one.
    static const ContractList kUnread;
    if (!m_pContractDb->ReadHLXNrData(option)) {
        m_pContractDb->CloseStmt();
        if (FailedSince(m_pContractDb, failures)) {
            m_lists.erase(contract);
            return kUnread;
        }
        return list;
    }
    m_pContractDb->CloseStmt();
    option.TrimData();
    if (option.m_strListNr.isEmpty() || option.m_strListModus.isEmpty())
        return list;
    list.usable = true;
    list.includes = option.m_strListModus == QLatin1String("1");
    CHLXF12Data entry;
    entry.m_strKatBstNr = m_strCatalogueKey;
    entry.m_strListNr = option.m_strListNr;
    for (int ok = m_pContractDb->ReadHLXF12Data(entry); ok; ok = m_pContractDb->ReadNext()) {
        entry.TrimData();
        if (GermanDateKey(entry.m_strGueltigVon) <= m_strToday &&
            m_strToday <= GermanDateKey(entry.m_strGueltigBis))
            list.masks.push_back(entry.m_strMaske);
    }
    if (FailedSince(m_pContractDb, failures)) {
        m_lists.erase(contract);
        return kUnread;
    }
    return list;
}

CatalogueFound CPackageCoverage::IsCovered(const QString &packageNumber) const
{
    if (!m_pCatalogueDb || !m_pContractDb || m_contracts.isEmpty())
        return CatalogueFound::No;
    const int failures = FailuresOf({m_pCatalogueDb, m_pContractDb});
    const auto answer = [&](bool covered) {
        return FailuresOf({m_pCatalogueDb, m_pContractDb}) != failures
                   ? CatalogueFound::Failed
                   : (covered ? CatalogueFound::Yes : CatalogueFound::No);
    };
    QStringList keys;
    CBefAPosData position;
    position.m_strKatBstNr = m_strCatalogueKey;
    position.m_strPaketNr = packageNumber;
    for (int ok = m_pCatalogueDb->ReadBefAPosData(position); ok; ok = m_pCatalogueDb->ReadNext()) {
        const QString key = position.m_strAPosKey.left(8);
        // Positions of main group 87 count only for a vehicle whose
        // contract record is of the kind the dealer sees.
        if (key.startsWith(QLatin1String("87")) && !m_bHlxFlag)
            continue;
        keys << key;
    }
    for (const QString &key : keys) {
        for (const QString &contract : m_contracts) {
            const ContractList &list = List(contract);
            if (!list.usable)
                continue;
            const bool hit =
                std::any_of(list.masks.begin(), list.masks.end(),
                            [&key](const QString &mask) { return MatchMask(mask, key); });
            if (hit == list.includes)
                return answer(true);
        }
    }
    return answer(false);
}
