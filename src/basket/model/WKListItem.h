#pragma once
// One basket entry: a whole package of one of the package kinds, or one
// single labour position, finding or SI finding. The entry owns what it
// holds; copies are always deep, so a page that offers an entry to the
// basket keeps its own and the basket keeps its own.

#include <QString>

#include <memory>

class CPaket;
class CPosition;

// Entry kinds.
enum WkEntryKind
{
    WK_NONE = 0,        // a freshly built entry
    WK_SRP = 1,         // service repair package
    WK_CAMPAIGN = 2,    // campaign package
    WK_CAMPAIGN_LR = 3, // campaign package of price type "L" or "R"
    WK_POSITION = 4,    // labour position (14), SI finding (15) or finding (16)
    WK_GRP = 5,         // warranty repair package
    WK_CCP = 6,         // spot-repair (care and cosmetic) package
    WK_SIP = 7,         // inclusive-service package
    WK_VLP = 8,         // value-line package
};

// What editing an entry leads to.
enum class WkEditAction
{
    None,
    PackagePage,    // the package editing page takes the package
    SpotRepairPage, // the spot-repair page takes the package
    LabourPosition, // the labour-value edit dialog edits the position
};

class CWKListItem
{
public:
    CWKListItem();
    // A package entry of one of the package kinds.
    CWKListItem(int kind, std::unique_ptr<CPaket> paket);
    // A single labour position, finding or SI finding (kind 4).
    explicit CWKListItem(std::unique_ptr<CPosition> position);
    CWKListItem(const CWKListItem &other);
    CWKListItem &operator=(const CWKListItem &other);
    CWKListItem(CWKListItem &&) noexcept;
    CWKListItem &operator=(CWKListItem &&) noexcept;
    ~CWKListItem();

    int Kind = WK_NONE;
    std::unique_ptr<CPaket> Paket;   // package kinds; null for kind 4
    std::unique_ptr<CPosition> APos; // kind 4; null for the package kinds

    // Kinds 1, 2, 3, 5, 6, 7 and 8.
    static bool IsPackageKind(int kind);
    // Kinds 2 and 3: priced from the head's campaign price set.
    static bool IsCampaignKind(int kind);

    // The package's head; null for kind 4 and for a package without head.
    CPosition *Head() const;
    // The number the basket row shows: the head's number of a package, the
    // position's number of kind 4; empty when the head or the position is
    // missing.
    QString Number() const;
    // A labour position (kind 4, type 14) rather than a finding.
    bool IsLabourPosition() const;

    // The same entry for the basket's row selection: same kind and equal
    // numbers of the heads (packages) or of the positions (kind 4). A
    // missing head or position is never equal to anything.
    static bool IsEqualEntry(const CWKListItem *a, const CWKListItem *b);

    // What "Edit" does with this entry; None for findings and for an entry
    // without package or position (the edit button stays disabled).
    WkEditAction EditAction() const;

    // The mark that the basket puts on the head of the spot-repair package
    // it hands to the spot-repair page: the edited package, coming back,
    // replaces the entry it was taken from. Read on the package's head; a
    // package without head carries no mark.
    static bool HasEditMark(const CPaket *paket);
    static void SetEditMark(CPaket *paket, bool mark);
};
