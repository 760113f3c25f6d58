#pragma once
// The cached readers of the labour-value catalogue.
//
// The catalogue pages ask many times per screen whether a labour position
// is valid for the identified vehicle, what its values and infos are and
// which parts-clearing rows apply. The cache reads everything of one main
// group (the first two characters of a position number) in one query,
// keeps it keyed by position number and answers from memory until the
// vehicle or the main group changes. With the local data set (settings'
// bLocalDataSet) the process-wide cache is bypassed: every question goes
// to the database (see OnLocalFile).
//
// One cache per kind: the key texts it was filled for and the rows of each
// position number in database order. A kind remembers its keys only after
// a query that succeeded; a failed query leaves it unfilled, so that the
// next question asks again.
//
// A cursor is the caller's own walk over the rows of one position number:
// two walks at the same time (over the same cache or not) do not disturb
// each other, and a walk keeps its rows when the cache is refilled.
//
// User-interface thread only. The program uses the one process-wide cache
// (CatalogueCache(), emptied at the application's exit) through the free
// functions at the end; tests may hold caches of their own.

#include "platform/db/YaqData.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QtEndian>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>

class CPrgSettings;
class CYaqDb;

// Rows in blocks of a fixed size: a growing fill never copies the rows
// read before into a larger block (a main group runs to tens of thousands
// of value rows, and each copy writes them all to fresh memory again).
template <class Rec> class CRowBlocks
{
public:
    size_t size() const { return m_size; }
    const Rec &operator[](size_t at) const { return m_blocks[at / kBlock][at % kBlock]; }
    void push_back(Rec &&rec)
    {
        const size_t block = m_size / kBlock;
        if (block == m_blocks.size()) {
            m_blocks.emplace_back();
            m_blocks.back().reserve(kBlock);
        }
        std::vector<Rec> &rows = m_blocks[block];
        const size_t at = m_size % kBlock;
        if (at < rows.size())
            rows[at] = std::move(rec); // a row of an earlier fill, its texts freed now
        else
            rows.push_back(std::move(rec));
        ++m_size;
    }
    // No rows. The blocks keep their room and the rows of this fill, each
    // given up when the next fill writes its place: the memory of a text
    // freed is taken again at once by the one read, instead of tens of
    // thousands freed in one go and gathered again by the allocator.
    void clear() { m_size = 0; }

private:
    static constexpr size_t kBlock = 256;
    std::vector<std::vector<Rec>> m_blocks;
    size_t m_size = 0;
};

// The first row of each number's code (CHGRows::Packed): the row's index
// + 1 in a table of open addressing (0: a free place), whose room a fill
// of the next main group takes over instead of building a hash anew.
class CPackedIndex
{
public:
    // The place of the code; a new code gets one holding 0.
    int &Slot(quint64 code)
    {
        if ((m_nUsed + 1) * 4 > m_slots.size() * 3)
            Grow();
        Entry *entry = Find(code);
        if (entry->first == 0) {
            entry->code = code;
            ++m_nUsed;
        }
        return entry->first;
    }
    int Value(quint64 code) const
    {
        if (m_slots.empty())
            return 0;
        return Find(code)->first;
    }
    void Clear()
    {
        if (m_nUsed)
            std::fill(m_slots.begin(), m_slots.end(), Entry{});
        m_nUsed = 0;
    }

private:
    struct Entry
    {
        quint64 code = 0;
        int first = 0;
    };
    Entry *Find(quint64 code) { return const_cast<Entry *>(std::as_const(*this).Find(code)); }
    const Entry *Find(quint64 code) const
    {
        // The top bits of the product: every character of the code counts.
        const size_t mask = m_slots.size() - 1;
        size_t at = size_t((code * 0x9E3779B97F4A7C15ull) >> m_nShift);
        while (m_slots[at].first != 0 && m_slots[at].code != code)
            at = (at + 1) & mask;
        return &m_slots[at];
    }
    void Grow()
    {
        std::vector<Entry> old(m_slots.empty() ? 64 : m_slots.size() * 2);
        old.swap(m_slots);
        m_nShift = 64;
        for (size_t size = m_slots.size(); size > 1; size /= 2)
            --m_nShift;
        m_nUsed = 0;
        for (const Entry &entry : old) {
            if (entry.first != 0)
                Slot(entry.code) = entry.first;
        }
    }

    std::vector<Entry> m_slots; // a power of two of them, at most three quarters used
    size_t m_nUsed = 0;
    int m_nShift = 64; // 64 - log2 of the places
};

// The first row of each number's code (CHGRows::Packed), for a fill whose
// rows come ordered by number, as the cache's queries read them: the codes
// are kept in the order they came, and a question is answered at the place
// asked last or the one after it (a walk over the positions asks in their
// order), else by halving. Writing and asking touch the codes in order,
// where a table of open addressing touches a place anywhere in megabytes
// for each. A fill whose codes do not rise (another collation, say) goes
// over to the table (CPackedIndex) at the first code out of order.
class COrderedIndex
{
public:
    // The place of the code; a new code gets one holding 0. Valid until the
    // next call.
    int &Slot(quint64 code)
    {
        if (m_bHashed)
            return m_hash.Slot(code);
        const quint64 key = Ordered(code);
        if (m_entries.empty() || key > m_entries.back().key) {
            m_entries.push_back({key, 0});
            return m_entries.back().first;
        }
        if (key == m_entries.back().key)
            return m_entries.back().first;
        for (const Entry &entry : m_entries)
            m_hash.Slot(Ordered(entry.key)) = entry.first;
        m_entries.clear();
        m_bHashed = true;
        return m_hash.Slot(code);
    }
    int Value(quint64 code) const
    {
        if (m_bHashed)
            return m_hash.Value(code);
        const quint64 key = Ordered(code);
        const size_t size = m_entries.size();
        for (size_t at = m_nHint; at < size && at < m_nHint + 2; ++at) {
            if (m_entries[at].key == key) {
                m_nHint = at;
                return m_entries[at].first;
            }
        }
        const auto found =
            std::lower_bound(m_entries.begin(), m_entries.end(), key,
                             [](const Entry &entry, quint64 k) { return entry.key < k; });
        // Where a number without rows would lie: the next question starts
        // there.
        m_nHint = size_t(found - m_entries.begin());
        return found != m_entries.end() && found->key == key ? found->first : 0;
    }
    void Clear()
    {
        m_entries.clear();
        m_hash.Clear();
        m_bHashed = false;
        m_nHint = 0;
    }
    // The code with its characters from the top byte down and its length in
    // the lowest: rising as the numbers' characters do (the character codes
    // first, then the length). It turns a key back into its code as well.
    static quint64 Ordered(quint64 code)
    {
        return (qbswap(code & ~quint64(0xff)) << 8) | (code & 0xff);
    }

private:
    struct Entry
    {
        quint64 key = 0; // Ordered(code)
        int first = 0;
    };
    std::vector<Entry> m_entries; // keys rising
    CPackedIndex m_hash;          // once the keys did not rise
    bool m_bHashed = false;
    mutable size_t m_nHint = 0; // the place asked last
};

// A value row as the cache keeps it: the fields that differ from row to
// row of a main group, in two memory lines (a CAPosWertData takes four or
// five). The keys all rows of a fill share (catalogue key, lead type,
// additional code) lie once in the rows' shared texts, from the index
// keys on.
struct alignas(64) CAPosWertRow
{
    QString m_strAPosNr;    // position number
    QString m_strEinheit;   // unit code "0".."4"
    QString m_strAwWert;    // work units, "-" when none
    QString m_strBemerkung; // remark
    QString m_strKennz;     // flag, "N" marks a row that does not count
    int keys = 0;
};

// A catalogue line as the cache keeps it, in two memory lines: the keys
// all lines of a fill share (catalogue key, type number, main group) lie
// once in the rows' shared texts, from the index keys on.
struct alignas(64) CAwKatZeileRow
{
    QString m_strZeile;   // catalogue line
    QString m_strAPosNr;  // position number
    QString m_strText;    // line text
    QString m_strAW;      // work units
    QString m_strSpalten; // one character per model column, "N" = applies
    int keys = 0;
};

// The rows of one fill in database order, filed by position number: the
// first and last row of each number and, for every row, the next row of
// its number (-1 after the last).
template <class Rec> struct CHGRows
{
    CRowBlocks<Rec> rows;
    // Texts that rows of the fill share, each kept once (the value rows'
    // keys).
    std::vector<QString> shared;
    std::vector<int> next;
    // The first row of every number: found by the number's code (Packed),
    // or by the number itself where it packs into none. Both hold the
    // row's index + 1.
    COrderedIndex packed;
    QHash<QString, int> numbers;
    // At a number's first row, the number's last row (while the rows are
    // appended).
    std::vector<int> lastOf;
    // A byte per number that a reader works out from the number's rows
    // once, at the index of its first row (-1: not yet): so that a question
    // asked again is one look-up of the number. The value rows keep their
    // validity here.
    mutable std::vector<signed char> worked;

    void Append(Rec rec, const QString &number)
    {
        const int at = int(rows.size());
        rows.push_back(std::move(rec));
        next.push_back(-1);
        lastOf.push_back(-1);
        // The rows of a number come one after the other: the number of the
        // row before needs no look-up.
        if (lastFirst < 0 || number != lastNumber) {
            quint64 code = 0;
            int &slot = Packed(number, &code) ? packed.Slot(code) : numbers[number];
            if (slot == 0)
                slot = at + 1;
            lastFirst = slot - 1;
            lastNumber = number;
        }
        int &last = lastOf[size_t(lastFirst)];
        if (last >= 0)
            next[size_t(last)] = at;
        last = at;
    }
    int lastFirst = -1; // the first row of lastNumber, while the rows are appended
    QString lastNumber;

    // A number of at most seven characters of one byte each as one code
    // (its length and its characters), which no other text shares.
    static bool Packed(const QString &number, quint64 *code)
    {
        const qsizetype size = number.size();
        if (size > 7)
            return false;
        quint64 packs = quint64(size);
        const char16_t *chars = reinterpret_cast<const char16_t *>(number.constData());
        char16_t wide = 0; // any bit above the first byte of any character
        for (qsizetype i = 0; i < size; ++i) {
            wide |= chars[i];
            packs |= quint64(chars[i] & 0xff) << (8 * (i + 1));
        }
        if (wide > 0xff)
            return false;
        *code = packs;
        return true;
    }
    // No rows, the room kept for the next fill.
    void Clear()
    {
        rows.clear();
        shared.clear();
        next.clear();
        packed.Clear();
        numbers.clear();
        lastOf.clear();
        worked.clear();
        lastFirst = -1;
        lastNumber.clear();
    }
    // The first row of a number given by its code (Packed); -1 when it has
    // none.
    int FirstOfCode(quint64 code) const { return packed.Value(code) - 1; }
    // The first row of a number; -1 when it has none.
    int First(const QString &number) const
    {
        quint64 code = 0;
        if (Packed(number, &code))
            return packed.Value(code) - 1;
        return numbers.value(number) - 1;
    }
};

// One caller's walk over the cached rows of a position number.
template <class Rec> class CHGCursor
{
public:
    // Forgets the walk: the next step starts at the first row.
    void Reset() { *this = CHGCursor(); }

private:
    friend class CCatalogueCache;
    bool m_bStarted = false;
    QString m_strNumber;
    std::shared_ptr<const CHGRows<Rec>> m_rows; // the cache's rows, kept through a refill
    int m_nNext = -1;
};

using CAPosWertCursor = CHGCursor<CAPosWertRow>;
using CAPosInfoCursor = CHGCursor<CAPosInfoData>;
using CAwKatZeileCursor = CHGCursor<CAwKatZeileRow>;
using CTeileClearingCursor = CHGCursor<CTeileClearingData>;

// Whether the model-name mapping knows a model designation as a code of
// its own (such a model reads as the first catalogue column).
using ModelCodeCheck = std::function<bool(const QString &)>;

class CCatalogueCache;

// The validity questions of one walk over positions (a level of the
// catalogue page filtered for the vehicle, say): the cache compares the
// vehicle's keys when the walk first asks about a main group, and each
// later question about that group is one look-up of its number. The walk
// keeps the rows it asks about through a refill of the cache; it lives no
// longer than the loop over the positions, during which the vehicle does
// not change. Answers as CCatalogueCache::GetAPosWert.
class CAPosValidityWalk
{
public:
    CAPosValidityWalk(CCatalogueCache &cache, CPrgSettings *settings, CYaqDb *db);
    int GetAPosWert(const QString &apNr, int flagA, int flagB, const QString &hgOverride,
                    const QString &lineFilter, int checkLines, int column);

private:
    // The rows of the main group asked last, held (none: reset).
    void Hold(const QString &group, std::shared_ptr<const CHGRows<CAPosWertRow>> rows);
    // The value rows the cache holds for the main group, held (none where
    // it holds another group's).
    void HoldValues(QStringView group);
    // What the rows held say of the number of that code: valid (1) or not.
    int HeldValidity(quint64 code, const QString &apNr) const;
    // After the cache answered a question with a line check: the value rows
    // and catalogue lines it holds for these main groups, held.
    void HoldFilled(QStringView valueGroup, const QString &lineGroup);
    // The answer to a question with a line check from the rows held; false
    // where only the cache can answer.
    bool LineQuestion(const QString &apNr, const QString &hgOverride, const QString &lineFilter,
                      int column, int *answer) const;

    CCatalogueCache &m_cache;
    CPrgSettings *m_pSettings;
    CYaqDb *m_pDb;
    QString m_strGroup; // the main group asked last, its rows held
    std::shared_ptr<const CHGRows<CAPosWertRow>> m_rows;
    // A main group of two plain characters, as they lie in a number's code
    // (CHGRows::Packed) from its first character on; -1 for any other.
    qint64 m_nGroupCode = -1;
    quint64 m_nAlwaysValidCode = 0; // of the number valid with any value row
    // The catalogue lines of the main group named last, held, and that
    // group's code as m_nGroupCode (-1: none held).
    std::shared_ptr<const CHGRows<CAwKatZeileRow>> m_lineRows;
    qint64 m_nLineGroupCode = -1;
};

class CCatalogueCache
{
public:
    // What a cache does on the local catalogue file (settings'
    // bLocalDataSet). The process-wide cache is bypassed there: every
    // question goes to the database. A reader that walks the file with a
    // cache of its own (the catalogue page's walk, which empties it when it
    // starts again from the top) reads by main group there too.
    enum class OnLocalFile
    {
        Bypass,
        ReadByGroup
    };
    explicit CCatalogueCache(OnLocalFile onLocal = OnLocalFile::Bypass) : m_onLocal(onLocal) {}

    // --- fill operations: read the main group unless the cache already
    // holds it for the same keys (see the key texts at each) ---
    // Values by position number + unit code; keys catalogue key, lead
    // type, additional code, main group. Nothing is read without lead type.
    void ReadAPosWertDataFromHG(const CPrgSettings &settings, CYaqDb *db, const QString &hg);
    // Values by position number for the catalogue page; keys as above.
    void ReadAPosWertDataAWKFromHG(const CPrgSettings &settings, CYaqDb *db, QStringView hg);
    // Infos; keys catalogue key, main group.
    void FillAPosInfoCache(const CPrgSettings &settings, CYaqDb *db, const QString &hg);
    // Catalogue lines; keys catalogue key, type number, main group.
    void FillAwKatZeilenCache(const CPrgSettings &settings, CYaqDb *db, const QString &hg);
    // Parts clearing; keys catalogue key, type key, additional code, main
    // group, country code, month (YYYYMM).
    void FillTeileClearingCache(const CPrgSettings &settings, CYaqDb *db, const QString &hg,
                                const QString &monthKey);

    // --- cursors: the position number of the record is the key. With
    // restart, or when the number differs from the cursor's last one, the
    // first row of the number is copied into the record, else the next
    // one. 1 when a row was copied, 0 at the end or for an unknown number.
    int GetNextTeileClearingFromHGCache(CTeileClearingData &rec, int restart,
                                        CTeileClearingCursor &cursor) const;
    int GetNextAwKatZeileFromHGCache(CAwKatZeileData &rec, int restart,
                                     CAwKatZeileCursor &cursor) const;
    // Translates the unit code of the row copied (UnitLetter).
    int GetNextAPosWertAWKFromHGCache(CAPosWertData &rec, int restart,
                                      CAPosWertCursor &cursor) const;
    int GetNextAPosInfoFromHGCache(CAPosInfoData &rec, int restart, CAPosInfoCursor &cursor) const;
    // The rows GetNextAPosWertAWKFromHGCache walks for the number, each
    // handed over where it lies (its unit code untranslated), without a copy.
    void VisitAPosWertAWK(const QString &number,
                          const std::function<void(const CAPosWertRow &)> &visit) const;
    // 1 and the row copied (unit code translated) when the value cache
    // holds the record's position number with that unit code.
    int FindAPosWertInHGCache(CAPosWertData &rec, const QString &unitCode) const;

    // --- clear operations ---
    void ClearAPosWertAWKCache();
    void ClearAPosInfoCache();
    void ClearAwKatZeilenCache();
    void ClearTeileClearingCache();
    // Every kind, the value cache by unit code included (application exit).
    void Clear();

    // --- readers ---
    // 1 when the position counts as valid for the vehicle. With flagA and
    // flagB both set, the values are read for the number's own main group
    // even when hgOverride is given. The catalogue lines decide too
    // when WantsLineCheck(...) and the vehicle has its own catalogue; a
    // column of -1 is the column of the vehicle's model designation.
    int GetAPosWert(CPrgSettings *settings, const QString &apNr, CYaqDb *db, int flagA, int flagB,
                    const QString &hgOverride, const QString &lineFilter, int checkLines,
                    int column);
    // 1 when an info of the record's position number was found (copied
    // into the record; its catalogue key set by the caller).
    int GetAPosInfo(CPrgSettings *settings, CYaqDb *db, CAPosInfoData &rec,
                    const QString &hgOverride);
    // 1 when a parts-clearing row applies to the position this month.
    int GetTeileClearing(CPrgSettings *settings, CYaqDb *db, const QString &apNr,
                         const QString &hgOverride);
    // 1 when the package applies to the vehicle: a package row of the
    // vehicle's type for every country or the dealer's whose number is a
    // valid position (labour-value connection), or the spot-repair package
    // of a vehicle with spot repair.
    int GetSRPPakete(CPrgSettings *settings, const QString &paketNr, CYaqDb *paketDb, CYaqDb *awDb,
                     int column);

    // The application installs the model-name mapping's check for the
    // catalogue column of the model designation.
    void SetModelCodeCheck(ModelCodeCheck check) { m_modelCodeCheck = std::move(check); }
    // The check installed (a cache of a reader's own takes the program's).
    const ModelCodeCheck &InstalledModelCodeCheck() const { return m_modelCodeCheck; }

    // Whether GetAPosWert asks the catalogue lines as well: when the caller
    // asks for it, or when it names both a main group and a catalogue line.
    static bool WantsLineCheck(int checkLines, const QString &hgOverride,
                               const QString &lineFilter);
    // Unit codes as the pages show them: "1" "U", "2" "M", "4" "R"; "0"
    // and "3" empty; any other unchanged.
    static QString UnitLetter(const QString &unitCode);
    // 1 when the model-column flags hold "N" at the column; a column
    // outside the text is not set.
    static int ColumnApplies(const QString &columnFlags, int column);

private:
    friend class CAPosValidityWalk;
    // Whether a catalogue line is the one filtered for (any, where the
    // filter is empty) and marked in the column.
    template <class Line> static bool LineMarked(const Line &line, QStringView filter, int column)
    {
        return (filter.isEmpty() || QStringView(line.m_strZeile).trimmed() == filter) &&
               ColumnApplies(line.m_strSpalten, column) != 0;
    }
    // Whether the questions go to the database, past the cache.
    bool Bypassed(const CPrgSettings &settings) const;
    template <class Rec> struct Kind
    {
        bool bFilled = false; // keys valid: the last query for them succeeded
        QStringList keys;     // of the vehicle and the dealer
        QString group;        // the main group
        std::shared_ptr<const CHGRows<Rec>> rows;
        // The rows of an earlier fill that no cursor holds any more, emptied:
        // the next fill takes over their room (a main group's rows, hash and
        // lists run to megabytes, made anew for every group otherwise). Their
        // records go when the fill writes over them, or with the cache.
        std::shared_ptr<CHGRows<Rec>> spare;
        void Clear();
        // Empty rows for a fill: the spare ones where no one holds them.
        std::shared_ptr<CHGRows<Rec>> TakeRows();
    };
    // Fills the kind unless it holds the keys and the main group already.
    // A twin kind read by the same query hands over the rows it holds for
    // the same keys instead of their being read again. The record to read
    // into is made only when the database is asked.
    // Each record read is kept in the rows by keep (appended as it is
    // unless told otherwise) under its number.
    struct KeepRecord
    {
        template <class Rows, class Read>
        void operator()(Rows &rows, const Read &rec, const QString &number) const
        {
            rows.Append(rec, number);
        }
    };
    template <class Rec, class MakeRec, class Read, class KeyOf, class Keep = KeepRecord>
    static void Fill(Kind<Rec> &kind,
                     std::initializer_list<std::reference_wrapper<const QString>> keys,
                     QStringView group, CYaqDb *db, bool mayRead, MakeRec makeRec, Read read,
                     KeyOf keyOf, const Kind<Rec> *twin = nullptr, Keep keep = Keep());
    template <class Rec>
    static bool HoldsKeys(const Kind<Rec> &kind,
                          std::initializer_list<std::reference_wrapper<const QString>> keys,
                          QStringView group);
    template <class Rec, class Out>
    static int Next(const Kind<Rec> &kind, CHGCursor<Rec> &cursor, Out &rec, const QString &number,
                    int restart);
    // The first cached row of the number; null when there is none.
    template <class Rec> static const Rec *FirstRow(const Kind<Rec> &kind, const QString &number);
    // True when the kind holds a main group and the number lies in it.
    template <class Rec> static bool Holds(const Kind<Rec> &kind, const QString &number);

    void FillValues(const CPrgSettings &settings, CYaqDb *db, QStringView hg);
    void FillInfos(const CPrgSettings &settings, CYaqDb *db, QStringView hg);
    void FillLines(const CPrgSettings &settings, CYaqDb *db, QStringView hg);
    void FillClearing(const CPrgSettings &settings, CYaqDb *db, QStringView hg,
                      const QString &monthKey);
    // The value row of the number with that unit code (both trimmed); the
    // first one in database order, -1 when there is none.
    int FindValue(const QString &number, QStringView unitCode) const;
    // Whether the value rows from the first one of a number on make the
    // position valid (1) or not (0): the rows of unit codes 0 to 4 in turn.
    static int ValuesValid(const CHGRows<CAPosWertRow> &values, int first, const QString &apNr);
    // ValuesValid of a number that is not the always valid one, worked out
    // once per number of the rows.
    static int KeptValidity(const CHGRows<CAPosWertRow> &values, int first);
    // Keeps a value record read as a compact row (CAPosWertRow).
    class CValueKeep;
    // Keeps a catalogue line read as a compact row (CAwKatZeileRow).
    class CLineKeep;

    int LineApplies(CPrgSettings *settings, const QString &apNr, CYaqDb *db,
                    const QString &hgOverride, const QString &lineFilter, int column);

    // The values for the validity questions and for the catalogue page: the
    // same rows of the same query, read once for both while their keys agree.
    Kind<CAPosWertRow> m_values; // by position number, then unit code
    Kind<CAPosWertRow> m_valuesAwk;
    Kind<CAPosInfoData> m_infos;
    Kind<CAwKatZeileRow> m_lines;
    Kind<CTeileClearingData> m_clearing;
    ModelCodeCheck m_modelCodeCheck;
    OnLocalFile m_onLocal;
    QString m_strMonthOf;  // the day the parts-clearing month was worked out for
    QString m_strMonthKey; // its month, "YYYYMM"
};

// The process-wide cache of the program.
CCatalogueCache &CatalogueCache();

// The readers over the process-wide cache.
int GetAPosWert(CPrgSettings *settings, const QString &apNr, CYaqDb *db, int flagA, int flagB,
                const QString &hgOverride, const QString &lineFilter, int checkLines, int column);
int GetAPosInfo(CPrgSettings *settings, CYaqDb *db, CAPosInfoData &rec, const QString &hgOverride);
int GetTeileClearing(CPrgSettings *settings, CYaqDb *db, const QString &apNr,
                     const QString &hgOverride);
int GetSRPPakete(CPrgSettings *settings, const QString &paketNr, CYaqDb *paketDb, CYaqDb *awDb,
                 int column);
