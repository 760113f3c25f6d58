#pragma once
// The walk through the labour-value catalogue of the identified vehicle,
// without widgets: main groups, subgroups, third-level rows and labour
// positions of the vehicle's type number, the rows a level shows for the
// vehicle, the path of opened rows, the way back and the jump to a
// position number. The page shows what the walk holds and hands it the
// user's clicks.
//
// Three connections: the catalogue connection reads the levels, the value
// connection answers the cached value, info and parts-clearing questions
// while a level is read, and the third one walks the positions of a group
// while the value connection tests them.
//
// Each step of the user (a level read, opened, shown again, the jump) reads
// in one read transaction on the three connections. The value, info and
// parts-clearing questions are answered from the rows of the position's
// main group, read once: on the shared server from the process-wide cache,
// on the local catalogue file (which the process-wide cache leaves to the
// database) from the walk's own, which the walk reads anew whenever it
// starts again from the main groups.

#include "catalogues/model/AwKatRow.h"
#include "catalogues/model/AwKatRowStore.h"
#include "common/readers/CatalogueCache.h"
#include "platform/db/CatalogueFailure.h"

#include <functional>
#include <vector>

class CPrgSettings;
class CYaqDb;

class CAwKatWalk
{
public:
    // Tells the user a program text (4020: the level has nothing for the
    // vehicle; kTextCatalogueUnreachable: a read of the catalogue failed).
    using Notice = std::function<void(int textId)>;
    static constexpr int kTextCatalogueUnreachable = 7024;

    CAwKatWalk(CPrgSettings *settings, CYaqDb *catalogueDb, CYaqDb *valueDb, CYaqDb *thirdDb);
    ~CAwKatWalk();
    CAwKatWalk(const CAwKatWalk &) = delete;
    CAwKatWalk &operator=(const CAwKatWalk &) = delete;

    void SetNotice(Notice notice) { m_notice = std::move(notice); }
    // The vehicle's catalogue column (from 0; -1 none): its "U" marks a
    // position as not applicable.
    void SetVehicleColumn(int column) { m_nVehicleColumn = column; }
    // The catalogue view without a vehicle shows a position's values per
    // catalogue column: the shown positions (and every one shown later)
    // carry them.
    void SetColumnValuesShown(bool shown);
    int VehicleColumn() const { return m_nVehicleColumn; }

    // --- reading the levels: 1 when rows were read (and shown) ---
    // Main groups whose read failed (the catalogue server cannot be
    // reached) are no catalogue without rows: none are shown, the failure
    // is told (kTextCatalogueUnreachable) and ReadFailed() holds until a
    // read of them goes well.
    int ReadMainGroups();
    bool ReadFailed() const { return m_bReadFailed; }
    int ReadSubGroups(CAwKatRow *mainGroup);
    int ReadThirdLevel(CAwKatRow *parent);
    int ReadPositions(CAwKatRow *parent);

    // Shows the rows of the level that are valid for the vehicle: with a
    // lead type of the standard catalogue only the groups that lead to a
    // valued position. A level with none tells 4020 once and shows the
    // level shown before again (never the empty level, never a second
    // message); main groups with none leave the list empty without a
    // message. False then. A level whose questions failed (the catalogue
    // server cannot be reached) leaves the level shown before as it was,
    // untold (the caller compares the connections' failures): false too.
    bool FillLevel(int level, bool selectFirst);

    // --- the user's moves ---
    // Double click or Enter on a row of the list: a group opens onto the
    // next level that has rows. When a read below it fails (the catalogue
    // server cannot be reached), that is told (kTextCatalogueUnreachable)
    // instead of "nothing below", and the group's level stays shown with
    // the group selected.
    void Open(CAwKatRow *row);
    // A row of the path: its level is shown again.
    void OpenPath(CAwKatRow *row);
    // "<<" and Backspace: the level above.
    void Back();
    // The selection moved to the row: a position becomes the current one
    // (the settings' position number and catalogue line follow it).
    void Select(CAwKatRow *row);
    // Walks down to the position number. When it is the settings' current
    // position and they hold its catalogue line (and main group), that
    // line is walked to; else the line is found by the number (an index,
    // no scan of the catalogue), which takes a number of seven digits.
    // False when it is not in the catalogue of the vehicle; the walk stays
    // where it got to. A read that failed on the way is told, and the walk
    // stays where it got to too, but that is true: the caller reads nothing
    // anew to tell it a second time.
    bool JumpTo(const QString &apNr);
    // Main group and catalogue line of a position number; false when the
    // catalogue has none. A leading line of the number's own main group
    // first, then a leading line of any, then any line of its own main
    // group, then any line; with a lead type only a line valued for the
    // vehicle.
    bool FindCatalogueLine(const QString &apNr, QString *mainGroup, QString *line);

    // Whether the group (of level 1, 2 or 3) is a valued position itself, or
    // a leading position in its range has labour values for the vehicle.
    bool HasValidPositions(const CAwKatRow *row);

    // --- the buttons of the selected position ---
    // The price button is there when the settings' request mode prices:
    // the DMS (4) or, in the training edition, the local price files (3);
    // never in the catalogue view or in a catalogue walked without a lead
    // type of the vehicle.
    bool PriceButtonShown() const;
    // Whether service packages exist for the position (the package button);
    // Failed when the read failed.
    CatalogueFound HasPackages(const QString &apNr) const;
    // The package button: the settings' position number and catalogue line
    // (the selected position's where they are empty; the line read again
    // where the settings' main group is not the number's own) go to the
    // package list's fields.
    void HandToPackages(const CAwKatRow *selected);
    // Whether the vehicle has a maintenance topic valid at its first
    // registration (today when it has none; any topic without a VIN): the
    // maintenance button. Never with the catalogue flag, without a lead
    // type or without both connections. Failed when the read failed.
    CatalogueFound HasMaintenanceTopics() const;

    // --- what the page shows ---
    int ShownLevel() const { return m_nShownLevel; }
    const std::vector<CAwKatRow *> &Shown() const { return m_shown; }
    const std::vector<CAwKatRow *> &Path() const { return m_path; }
    CAwKatRow *Current(int level) const;
    // The row to select in the list: the current row of the shown level.
    int SelectedIndex() const;

    // The value lines of a position for the vehicle (lead type), read once
    // (a shown position has them already); none when the read failed, which
    // is read again at the next question.
    const std::vector<CAwKatValueLine> &ValueLines(CAwKatRow *row);
    // The labour value that prices the position: the plain value, else M,
    // else U ("AZ" text when billed by time); "-" when it has none.
    QString LabourValueText(const CAwKatRow *row);

private:
    class CStep;
    class CValidityScope;
    // The cache that answers the walk's questions (see above).
    CCatalogueCache &Cache() const;

    // The values of the position's catalogue line per catalogue column
    // (the catalogue view without a vehicle).
    std::vector<CAwKatColumnLine> ColumnValues(const CAwKatRow *row) const;
    // The alternative catalogue keeps no texts with its positions: they
    // are read before the row is first shown (empty text and bracket text
    // only), and kept with the row.
    void ReadTexts(CAwKatRow *row);
    // Reads what a shown position draws, once: its texts, its value lines
    // and, in the catalogue view, its values per column.
    void CompleteRow(CAwKatRow *row);
    // The row's values per catalogue column, kept once read whole.
    void CompleteColumns(CAwKatRow *row);
    void CompleteRows(const std::vector<CAwKatRow *> &rows);
    // The value lines of the position from its main group's values, which
    // the cache holds already.
    void AddValueLines(CAwKatRow *row, const CCatalogueCache &cache);

    int ReadMainGroupRows();
    // The failed operations of the three connections so far.
    int Failures() const;

    bool ReadsStandardCatalogue() const;
    bool ReadsAlternativeCatalogue() const;
    int ReadAltMainGroups();
    int ReadAltThirdLevel(CAwKatRow *parent);
    int ReadAltPositions(CAwKatRow *parent);
    bool JumpToLine(const QString &apNr);
    bool JumpToAlt(const QString &apNr);
    void DropRows(int level);
    void TrimPath(int level);
    void SetCurrent(int level, CAwKatRow *row);
    // Whether the number has labour values for the vehicle, asked for the
    // main group key and, where the vehicle has a catalogue column, the
    // catalogue line (which must be marked in that column).
    enum class Asked
    {
        ForPosition, // a position shown or found
        ForGroup     // whether a group leads to a valued position
    };
    bool HasValues(const QString &number, const QString &key, const QString &line, CYaqDb *db,
                   Asked asked = Asked::ForPosition) const;
    // FillLevel's work, its validity questions asked through its walk: the
    // steps of AwKatLevelRows over the level's rows.
    bool FillLevelRows(int level, bool selectFirst);
    // A level without rows for the vehicle (previous: the level shown
    // before it).
    void ShowLevelAbove(int level, int previous);
    bool KeepPosition(const CAwKatRow *row) const;
    // Two rows one after the other that name each other in their infos are
    // one piece of work.
    static bool IsPairedWith(const CAwKatRow &row, const CAwKatRow *previous);
    std::vector<CAwKatRow *> RowsOf(int level) const;
    // The same into rows, which keeps its room.
    void RowsOf(int level, std::vector<CAwKatRow *> *rows) const;
    // A new row of the level (type), its fields at their defaults.
    CAwKatRow *NewRow(int type);
    // A row read for a level; the first one read becomes the level's
    // current row.
    CAwKatRow *NewRowOfLevel(int type, bool *any);
    // After a level's read: the level is shown when it has rows; 1 then.
    int ShowReadLevel(int type, bool any);
    QString GroupKeyOf(const CAwKatRow *row) const;

    CPrgSettings *m_pSettings;
    CYaqDb *m_pCatalogueDb;
    CYaqDb *m_pValueDb;
    CYaqDb *m_pThirdDb;
    // While a level is read or filled: its walk over the positions'
    // validity, so that the vehicle's keys are compared once per level, not
    // per row.
    CAPosValidityWalk *m_pValidity = nullptr;
    mutable CCatalogueCache m_walkCache{CCatalogueCache::OnLocalFile::ReadByGroup};
    int m_nStepDepth = 0;
    Notice m_notice;
    int m_nVehicleColumn = -1;
    bool m_bColumnValues = false;

    // The rows read, by level (1 to 4), kept from one read of a level to
    // the next.
    CAwKatRowStore m_rows[5];
    std::vector<CAwKatRow *> m_shown;
    // The room of the lists a level was filled with before: a main group's
    // positions are many, and lists of their size made and freed on every
    // open cost more than the rows they point at.
    std::vector<CAwKatRow *> m_candidateRoom;
    std::vector<CAwKatRow *> m_displayRoom;
    std::vector<CAwKatRow *> m_path;
    CAwKatRow *m_current[5] = {};
    // The headings the positions read last point at.
    QString m_jointHeading;
    QString m_extraHeading;
    int m_nShownLevel = 0;
    bool m_bRecovering = false; // showing the level above after an empty one
    bool m_bReadFailed = false;
    // Failures() when the group being opened was asked for; -1 outside.
    int m_nFailuresAtOpen = -1;
};
