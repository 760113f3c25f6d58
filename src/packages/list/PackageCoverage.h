#pragma once
// Whether one of the vehicle's inclusive-service contracts covers a
// package today. The package's findings positions are checked against the
// position list of each contract: a list of mode "1" names what the
// contract includes, any other mode what it excludes.

#include "platform/db/CatalogueFailure.h"

#include <QString>
#include <QStringList>

#include <map>
#include <vector>

class CYaqDb;

// DD.MM.YYYY as YYYYMMDD; an empty text unless it has exactly 10 characters.
QString GermanDateKey(const QString &date);

class CPackageCoverage
{
public:
    // catalogueDb reads the findings positions, contractDb the contracts;
    // both borrowed. today: YYYYMMDD.
    CPackageCoverage(CYaqDb *catalogueDb, CYaqDb *contractDb, QString catalogueKey,
                     QStringList contracts, QString today, bool hlxFlag);

    // Whether a contract covers the package; Failed when a read failed
    // (a contract list that could not be read is read again next time).
    CatalogueFound IsCovered(const QString &packageNumber) const;

private:
    // A contract's position list and how it reads; read once, on first use.
    struct ContractList
    {
        bool usable = false; // the contract names a list and a mode
        bool includes = false;
        // The masks of the entries valid today: the day does not change
        // while the list is built.
        std::vector<QString> masks;
    };
    const ContractList &List(const QString &contract) const;

    CYaqDb *m_pCatalogueDb;
    CYaqDb *m_pContractDb;
    QString m_strCatalogueKey;
    QStringList m_contracts;
    QString m_strToday;
    bool m_bHlxFlag;
    mutable std::map<QString, ContractList> m_lists;
};
