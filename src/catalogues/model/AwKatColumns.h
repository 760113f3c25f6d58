#pragma once
// The variant columns of the labour-value catalogue: which lead types the
// page shows side by side (the catalogue view shows every variant of the
// catalogue, a vehicle its own), how many of them fit next to the texts,
// and which ones the horizontal scroll bar brings into view. The titles,
// the rows and the print-out all ask this one object, so that a title
// always stands over the values of its column.

#include "platform/db/CatalogueFailure.h"

#include <QString>

#include <vector>

class CPrgSettings;
class CYaqDb;

struct CAwKatColumnSlot
{
    QString TypeKey; // the lead type shown as the column's title
    int Column = -1; // index into a catalogue line's values; -1 none
};

class CAwKatColumns
{
public:
    void SetSlots(std::vector<CAwKatColumnSlot> columns);
    void Clear() { SetSlots({}); }
    int Count() const { return int(m_slots.size()); }
    const std::vector<CAwKatColumnSlot> &Slots() const { return m_slots; }

    // How many columns of the given width fit into the width left for
    // them: at least one, so that a narrow window still shows the first
    // of its columns. The scroll position stays inside the new range.
    void SetAvailableWidth(int width, int columnWidth);
    int Visible() const { return m_nVisible; }

    // The scroll bar is needed when more columns than fit; its range is
    // 0..Maximum(), a line or a page moves by one column.
    bool NeedsScrollBar() const { return Count() > m_nVisible; }
    int Maximum() const;
    int First() const { return m_nFirst; }
    // Moves the first shown column; clamped to 0..Maximum(). The position
    // taken.
    int SetFirst(int first);

    // The columns shown now: never more than are left from the scroll
    // position.
    int ShownCount() const;
    // The slot shown in the visible place (from 0), null outside.
    const CAwKatColumnSlot *ShownSlot(int place) const;

    // Every column of the catalogue of the settings' type number in column
    // order (the catalogue view); a lead type that appears twice is taken
    // once. A failed read is no catalogue without columns.
    static CatalogueAnswer<std::vector<CAwKatColumnSlot>>
    ReadCatalogueColumns(const CPrgSettings &settings, CYaqDb *db);
    // The column of one lead type in that catalogue; -1 when it has none
    // (and when the read failed, which the answer says).
    static CatalogueAnswer<int> ColumnOfLeadType(const CPrgSettings &settings, CYaqDb *db,
                                                 const QString &leadType);

private:
    std::vector<CAwKatColumnSlot> m_slots;
    int m_nVisible = 1;
    int m_nFirst = 0;
};
