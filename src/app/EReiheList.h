#pragma once
// The model-series list of the head row: the catalogues of the catalogue line
// that the dealer may serve, the series beginning with "F" first, followed by
// the older series range of the alternative catalogue under a heading.
//
// The list owns its entries; the combo and the catalogue picker borrow them.

#include "app/EReiheEntry.h"

#include <QList>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

// A row of the alternative catalogue as the list takes it.
struct CAltSeriesRow
{
    QString strTypNr;
    QString strEReihe;
};

class CEReiheList
{
public:
    // Answers whether the dealer holds a contract for the two-letter brand.
    using BrandCheck = std::function<bool(const QString &brand)>;

    // The maker's internal series that is never offered.
    static const QString kHiddenSeries;
    // The brand whose types are blocked in this program.
    static const QString kBlockedBrand;
    // The brand of the alternative catalogue.
    static const QString kAltBrand;
    // Heading of the older series range.
    static QString AltSeparatorText();

    CEReiheList() = default;
    CEReiheList(const CEReiheList &) = delete;
    CEReiheList &operator=(const CEReiheList &) = delete;

    void Clear() { m_entries.clear(); }
    int Count() const { return static_cast<int>(m_entries.size()); }
    const CEReiheEntry *At(int index) const;
    bool IsEmpty() const { return m_entries.empty(); }

    // Takes a catalogue row (trimmed by the caller) unless the dealer may not
    // serve its brand, the brand is blocked or the series is the hidden one.
    // A series beginning with "F" goes before the first series that does
    // not; every other one to the end. Returns whether the row was taken.
    bool AddCatalogueRow(const CEReiheEntry &row, const BrandCheck &dealerServes);

    // Appends the alternative catalogue: the heading, every row whose series
    // code does not begin with a digit 1 to 9 as an entry of its own, and the
    // last row of those that do as one shared entry at the end. An empty
    // list of rows appends nothing.
    void AddAlternativeRows(const QList<CAltSeriesRow> &rows);

    // The entries the combo shows, in list order: headings, and each series
    // code once (its first entry).
    QList<const CEReiheEntry *> ComboEntries() const;

    // How many series entries carry the code (several catalogues of one
    // series open the catalogue picker).
    int CountSeries(const QString &code) const;

private:
    std::vector<std::unique_ptr<CEReiheEntry>> m_entries;
};
