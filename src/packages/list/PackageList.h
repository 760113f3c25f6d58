#pragma once
// The rows of the package list of a vehicle, all levels in display order,
// with the current row of each level, the path of rows opened on the way
// down and the level the row list shows.
//
// The list owns its rows. Removing rows also forgets every reference to
// them: the current row of each removed level and the path rows, so that no
// pointer the page holds through Current() or Path() can dangle.

#include "packages/list/PackageRow.h"

#include <QHash>
#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class CPackageList
{
public:
    using RowPtr = std::unique_ptr<CPackageRow>;
    // Whether one of the vehicle's contracts covers an inclusive-service row.
    using CoverageTest = std::function<bool(const CPackageRow &)>;

    CPackageList();
    ~CPackageList();
    CPackageList(const CPackageList &) = delete;
    CPackageList &operator=(const CPackageList &) = delete;

    // --- rows ---
    int Count() const { return int(m_rows.size()); }
    CPackageRow *At(int index) const { return m_rows.at(size_t(index)).get(); }
    bool Contains(const CPackageRow *row) const;
    // The rows of one level in display order: what the row list shows.
    std::vector<CPackageRow *> RowsOfLevel(int level) const;
    // The first row of a level, or null.
    CPackageRow *FirstOfLevel(int level) const;

    // Every row, the current rows, the path and the level shown.
    void Clear();
    // Deletes every row of this level and below (level number at least
    // this), with the path rows from this level on and the current rows of
    // these levels.
    void RemoveRowsFrom(int level);
    // Trims the path before its first row of this level or below.
    void RemovePathFrom(int level);

    // --- ordered inserters; each answers whether the row was kept (a
    // dropped row is deleted) ---
    // Main groups in key order; a country's line of an equal line text
    // replaces the standard one, any other row of an equal key is dropped.
    bool InsertTopRow(RowPtr row);
    // The same, comparing the group number of the alternative catalogue.
    bool InsertTopRowAlt(RowPtr row);
    // Group levels in line order (the selection range start); equal: drop.
    bool InsertGroupRow7(RowPtr row);
    bool InsertGroupRow8(RowPtr row);
    // Second level of the alternative catalogue, by characters 3-4 of the number.
    bool InsertGroupRow8ByNumber(RowPtr row);
    bool InsertAtFront(RowPtr row);
    // Inserts a package row in line order (number order without a line) or
    // merges it into the row of its line (PackageMergeRule). covered is
    // asked only for inclusive-service rows, and only when it decides.
    bool InsertPackage(RowPtr row, const CoverageTest &covered);
    // Deletes the package rows of the other kinds that found no service
    // repair row of their line.
    void RemoveLooseVariants();

    // --- current rows, path, level shown ---
    CPackageRow *Current(int level) const;
    // Makes the row the current row of its level; a paint class becomes the
    // current row of level 6, like a matrix row. A null row changes nothing.
    void SetCurrent(CPackageRow *row);
    void SetCurrentOfLevel(int level, CPackageRow *row);
    void ClearCurrent(int fromLevel, int toLevel);
    const std::vector<CPackageRow *> &Path() const { return m_path; }
    void AppendPath(CPackageRow *row);

    int ShownLevel() const { return m_shownLevel; }
    // Shows a level: the row list holds its rows; answers the row to select,
    // the current row of the level when it is listed, else the first row
    // when selectFirst, else null.
    CPackageRow *Show(int level, bool selectFirst);
    // The level "<<" goes up to from the level shown (the path is not trimmed).
    int LevelAbove() const;

private:
    using Rows = std::vector<RowPtr>;
    bool InsertOrdered(RowPtr row, const std::function<int(const CPackageRow &)> &compare);
    bool InsertTop(RowPtr row, bool byGroupNumber);
    void Forget(const CPackageRow *row);
    Rows::iterator Erase(Rows::iterator it);

    // The package rows arrive in line order, nearly always behind every row
    // listed so far: then only the numbers already listed matter, and this
    // index answers without walking the rows. Any other change of the rows
    // drops it; the next package insert builds it again.
    void DropPackageIndex() { m_bPackageIndex = false; }
    void BuildPackageIndex();
    void IndexReplaced(const QString &oldNumber, const QString &newNumber);
    // Merges a package row into the listed row of its line; true when the
    // row took the listed row's place.
    bool MergePackage(Rows::iterator it, RowPtr &row, const CoverageTest &covered);

    Rows m_rows;
    bool m_bPackageIndex = false;
    QString m_strLastLineKey;             // the greatest line of a package row
    QHash<QString, int> m_packageNumbers; // package rows per number
    std::array<CPackageRow *, kPackageListLevels + 1> m_current{};
    std::vector<CPackageRow *> m_path;
    int m_shownLevel = 0;
};
