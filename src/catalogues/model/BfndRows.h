#pragma once
// The two lists of the findings page without widgets: the upper list walks
// the findings hierarchy (the main groups, or one main group with its
// subgroups), the result list shows what the adviser asked for: the
// locations of a subgroup with their damage keys, a finding with the labour
// positions it stands for, the hits of a text search, or the findings of a
// labour position. Each row of the result list carries its hint and, through
// the contract check, its inclusive-service text.

#include "catalogues/model/BfndHints.h"
#include "catalogues/model/BfndRow.h"
#include "platform/db/CatalogueFailure.h"

#include <functional>
#include <memory>
#include <vector>

class CBfndContractCheck;
class CPosition;
class CPrgSettings;
class CYaqDb;

using CBfndRowList = std::vector<std::unique_ptr<CBfndRow>>;

class CBfndRows
{
public:
    // findings: the findings, hints and position texts; standardTexts: the
    // texts of whole finding numbers. Both borrowed, either may be null.
    CBfndRows(const CPrgSettings *settings, CYaqDb *findings, CYaqDb *standardTexts);
    ~CBfndRows();

    // The check that writes each result row's contract text; none: no texts.
    void SetContractCheck(const CBfndContractCheck *check) { m_pCheck = check; }

    const CBfndRowList &Upper() const { return m_upper; }
    const CBfndRowList &Result() const { return m_result; }
    const CBfndRow *UpperRow(int index) const;
    const CBfndRow *ResultRow(int index) const;

    // Reads the hints of the catalogue in the program language; false when
    // the read failed (the hints read before stay).
    bool LoadFindingHints();
    QString GetFindingHint(const QString &key) const { return m_hints.Get(key); }
    CBfndHints &Hints() { return m_hints; }

    // The upper list: every main group; the result list empties. False when
    // the read failed: both lists stay as they were.
    bool ReadMainGroups();
    // Whether a read of the findings failed (the catalogue server cannot be
    // reached) since the last time this was asked: the lists then show what
    // could be read, which is no answer that nothing is there.
    bool ReadFailedSinceAsked();
    static constexpr int kTextCatalogueUnreachable = 7024;
    // Opens a row of the upper list: a main group lists its subgroups below
    // it, a subgroup fills the result list with its locations. Answers
    // false when the row opens nothing. A read that failed leaves the lists
    // as they were (ReadFailedSinceAsked tells it).
    bool OpenUpper(int index);
    // The upper list one level up: back to every main group. False when it
    // shows them already, or when their read failed (the lists stay).
    bool LevelUp();

    // The finding number search (2, 4, 6, 8 or 10 characters): the levels
    // of the number are opened; a whole finding fills the result list with
    // it and its labour positions. False when the number names nothing.
    bool SearchNumber(const QString &number);
    // The text search: every level whose text contains the text. False
    // when nothing is found.
    bool SearchText(const QString &text);
    // The findings of a labour position: a row per findings code with the
    // locations and damage keys it stands for. False when it has none.
    bool SearchPosition(const QString &apNumber);
    // Opens a hit of the text search or a finding of a labour position as
    // the number search does.
    bool OpenResult(int index);

    // Writes every result row's contract text anew (the vehicle's
    // contracts changed with the mileage).
    void RecheckContracts();

    // The text lines of a labour position, "\r\n" between them; text 3041
    // when the catalogue has none, nothing (failed) when the read failed.
    CatalogueAnswer<QString> GetAPosText(const QString &apNumber) const;
    // The text of a whole finding number into the row's hint, when the
    // catalogue has one.
    void ReadStandardFindingText(CBfndRow &row) const;

    // The row-list operations of the page.
    void FreeResultRows() { m_result.clear(); }
    // Each run of consecutive damage-key rows sorted by text, without
    // regard to case.
    static void SortDamageKeyRuns(CBfndRowList &rows);
    // Deletes from the first row of type >= level (BfndRowType order) to the end.
    static void TrimUpperList(CBfndRowList &rows, int level);

    // The line the result selection goes to when it lands on `index`
    // coming from `remembered`: a labour-position row cannot be selected,
    // the selection goes on to the next other row in the direction of
    // travel, or back the other way at the end of the list. -1 when the
    // list holds no other row.
    static int SelectableIndex(const CBfndRowList &rows, int index, int remembered);

    // The basket position of the result row (a finding: type 15 with its
    // number and text; a damage key: type 16 with the number of its location
    // row, its own key and "00"); null for any other row.
    static std::unique_ptr<CPosition> FindingPosition(const CBfndRowList &rows, int index);

private:
    void ShowGroup(QString hg);
    void ShowLocations(const QString &hg, const QString &ug, const QString &location);
    void AddLocation(const QString &hg, const QString &ug, const QString &location,
                     const QString &text, const QString &damageKey);
    bool ShowFinding(const QString &number);
    void AddPositionsOf(const QString &number);
    QString LevelText(const QString &hg, const QString &ug, const QString &location,
                      const QString &damageKey) const;
    void Complete(CBfndRow &row) const;
    std::unique_ptr<CBfndRow> MakeRow(int type, const QString &hg, const QString &ug,
                                      const QString &location, const QString &damageKey,
                                      const QString &text) const;

    const CPrgSettings *m_pSettings;
    CYaqDb *m_pFindings;
    CYaqDb *m_pStandardTexts;
    int m_nFailuresAsked = 0;
    const CBfndContractCheck *m_pCheck = nullptr;
    CBfndHints m_hints;
    CBfndRowList m_upper;
    CBfndRowList m_result;
    QString m_strOpenGroup; // the main group whose subgroups the upper list shows
};
