#pragma once
// The finding lines of a service package: the findings that the package's
// lead labour position stands for, added to the package as lines of type
// 12 (number = the eight-character finding number, BefundText = its text,
// Selected = the adviser's choice), for the page's information list.
//
// Findings codes whose trailing pairs are "XX" stand for every finding of
// that level and are expanded through the findings texts; the first
// finding of the service information that has a text is added as well.
// Inclusive-service findings (numbers beginning with "87") are taken only
// when one of the vehicle's inclusive-service contracts covers them.

#include "platform/db/CatalogueFailure.h"

#include <QString>
#include <QStringList>

#include <vector>

class CPaket;
class CPosition;
class CYaqDb;

struct CFindingContext
{
    QString catalogueKey = QStringLiteral("1");
    QString language = QStringLiteral("00");
    QString today;         // YYYYMMDD, the reference date of the contracts
    bool hlxFlag = false;  // the vehicle has a contract record the dealer sees
    QStringList contracts; // the vehicle's contract numbers, in list order
};

class CFindingLines
{
public:
    // catalogue reads the findings, contracts the contract lists; both
    // borrowed. Every result set is read whole before the next read, so
    // one connection each suffices.
    CFindingLines(CYaqDb *catalogue, CYaqDb *contracts, CFindingContext context);

    // The finding lines of a package whose head is a service package head
    // (types 9, 18, 19, 20): the expanded codes, then the first finding of
    // the service information. Answers the number of lines added; failed
    // when a read of the findings or contracts failed (lines may be
    // missing: the package is not to be shown as whole).
    CatalogueAnswer<int> Load(CPaket &paket);
    int AddMaskedFindingLines(CPaket &paket);
    int AddSIFindingLine(CPaket &paket);
    // Whether one of the vehicle's contracts covers the finding today.
    bool IsCoveredByContract(const QString &findingNumber) const;

    // The row of the information list: "12 34 56 78", a blank, the text.
    static QString RowText(const CPosition &finding);
    // The finding lines of the package, in package order.
    static std::vector<CPosition *> Lines(const CPaket &paket);
    // Exactly one finding is chosen once the list is shown: the first
    // chosen one stays; with none chosen the first line becomes it.
    // Answers the chosen line, null without finding lines.
    static CPosition *EnsureChoice(const CPaket &paket);
    // The adviser's choice in the information list, by line (two lines
    // with equal texts stay two choices).
    static void Choose(const CPaket &paket, const CPosition *chosen);

private:
    void AddLine(CPaket &paket, const QString &number, const QString &text, int *added) const;

    CYaqDb *m_pCatalogue;
    CYaqDb *m_pContracts;
    CFindingContext m_context;
};
