#pragma once
// Whether the vehicle's inclusive-service contracts in force (the settings'
// list, read once per vehicle and mileage by ReadHLXContractStatus) cover a
// finding, and the text the findings page shows for it in status line 1.
//
// A contract takes part when its product names a finding list and how the
// list reads: "1" lists what the contract includes, anything else what it
// leaves out. A list entry counts on the page's own day (the clock's, not
// the settings' day, which decided whether the contract is in force).

#include <QString>

#include <map>
#include <vector>

class CPrgSettings;
class CYaqDb;
struct CBfndRow;

class CBfndContractCheck
{
public:
    // programmes: the connection of the products and their finding lists
    // (borrowed). today: the page's day, YYYYMMDD.
    CBfndContractCheck(const CPrgSettings *settings, CYaqDb *programmes, QString today);

    // Writes the row's contract text (empty when the row names no finding
    // of eight characters); with the settings' switch against contract
    // texts the row keeps what it has.
    void CheckFindingContract(CBfndRow &row) const;
    // True when a contract in force covers the finding.
    bool IsFindingCovered(const QString &findingNumber) const;

    // The contract's product and the finding-list entries current on the
    // page's day; read once per contract number. A read that failed answers
    // as no list and is read again at the next question (the page tells the
    // failure: its connection's Failures()).
    struct Programme
    {
        QString listNumber;
        QString inclusion; // "1": the list names what is included
        std::vector<QString> masks;
    };
    const Programme &ReadContractProgramme(const QString &contractNumber) const;

private:
    bool Covers(const Programme &programme, const QString &key) const;

    const CPrgSettings *m_pSettings;
    CYaqDb *m_pProgrammes;
    QString m_strToday;
    mutable std::map<QString, Programme> m_programmes;
};
