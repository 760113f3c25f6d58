#include "common/readers/CatalogueCache.h"

#include "common/readers/CatalogueColumn.h"
#include "common/readers/SpotRepair.h"
#include "platform/db/PackageOrigin.h"
#include "platform/db/YaqDb.h"
#include "settings/PrgSettings.h"

#include <cstring>
#include <utility>

namespace {

// A position valid as soon as it has any value row, whatever the row holds.
const QString kAlwaysValidAPosNr = QStringLiteral("0000249");

// The main group asked for: the override when given, else the first two
// characters of the position number.
QStringView MainGroup(const QString &hgOverride, const QString &apNr)
{
    return hgOverride.isEmpty() ? QStringView(apNr).left(2) : QStringView(hgOverride);
}

// A field as TrimData leaves it: without trailing blanks.
QStringView Trimmed(const QString &field)
{
    QStringView view(field);
    while (!view.isEmpty() && view.back() == QLatin1Char(' '))
        view.chop(1);
    return view;
}

// Whether a field, as TrimData leaves it, is the one character.
bool IsOnly(const QString &field, char16_t c)
{
    const QStringView text = Trimmed(field);
    return text.size() == 1 && text.front() == c;
}

// A value row counts unless it holds no work units ("-") and is marked as
// not counting ("N"); the fields are compared as TrimData leaves them.
template <class Row> bool ValueRowCounts(const Row &rec)
{
    return !IsOnly(rec.m_strAwWert, u'-') || !IsOnly(rec.m_strKennz, u'N');
}

// The month of today's date "DD.MM.YYYY" as "YYYYMM".
QString MonthKey(const QString &today)
{
    return today.mid(6, 4) + today.mid(3, 2);
}

// Whether two short texts (main groups, keys) are equal: a plain loop,
// cheaper than a general comparison for the few characters they have.
bool Equal(QStringView a, QStringView b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a[i] != b[i])
            return false;
    }
    return true;
}

// Whether the keys held are the keys given. A key given that shares its
// text with the one held is equal without comparing: a shared text is
// never changed in place.
bool SameKeys(const QStringList &held,
              std::initializer_list<std::reference_wrapper<const QString>> keys)
{
    if (held.size() != qsizetype(keys.size()))
        return false;
    auto key = keys.begin();
    for (const QString &text : held) {
        const QString &given = *key++;
        const bool shared = text.constData() == given.constData() && text.size() == given.size();
        if (!shared && !Equal(text, given))
            return false;
    }
    return true;
}

// A position number as the cache files it: without blanks around it. The
// number itself when it has none, without a copy.
const QString &Filed(const QString &number, QString &trimmed)
{
    if (number.isEmpty() || (!number.front().isSpace() && !number.back().isSpace()))
        return number;
    trimmed = number.trimmed();
    return trimmed;
}

} // namespace

bool CCatalogueCache::Bypassed(const CPrgSettings &settings) const
{
    return settings.bLocalDataSet != 0 && m_onLocal == OnLocalFile::Bypass;
}

// --- kinds, fill and walk ----------------------------------------------------

template <class Rec> void CCatalogueCache::Kind<Rec>::Clear()
{
    bFilled = false;
    keys.clear();
    group.clear();
    // Rows no cursor or twin holds are kept for their room (see CRowBlocks):
    // the cache fills them alone (the const view is its own).
    if (rows && rows.use_count() == 1) {
        spare = std::const_pointer_cast<CHGRows<Rec>>(std::move(rows));
        spare->Clear();
    }
    rows.reset();
}

template <class Rec> std::shared_ptr<CHGRows<Rec>> CCatalogueCache::Kind<Rec>::TakeRows()
{
    std::shared_ptr<CHGRows<Rec>> taken = std::move(spare);
    if (!taken || taken.use_count() != 1)
        return std::make_shared<CHGRows<Rec>>();
    return taken;
}

template <class Rec>
bool CCatalogueCache::HoldsKeys(const Kind<Rec> &kind,
                                std::initializer_list<std::reference_wrapper<const QString>> keys,
                                QStringView group)
{
    return kind.bFilled && Equal(kind.group, group) && SameKeys(kind.keys, keys);
}

template <class Rec, class MakeRec, class Read, class KeyOf, class Keep>
void CCatalogueCache::Fill(Kind<Rec> &kind,
                           std::initializer_list<std::reference_wrapper<const QString>> keys,
                           QStringView group, CYaqDb *db, bool mayRead, MakeRec makeRec, Read read,
                           KeyOf keyOf, const Kind<Rec> *twin, Keep keep)
{
    if (HoldsKeys(kind, keys, group))
        return;
    kind.Clear();
    if (twin && HoldsKeys(*twin, keys, group)) {
        // The rows are shared, never changed (the spare stays each kind's own).
        kind.bFilled = twin->bFilled;
        kind.keys = twin->keys;
        kind.group = twin->group;
        kind.rows = twin->rows;
        return;
    }
    if (!db || !mayRead)
        return;
    std::shared_ptr<CHGRows<Rec>> rows = kind.TakeRows();
    // The select fills rec; ReadNext continues into the same record.
    auto rec = makeRec();
    for (int found = read(*db, rec); found; found = db->ReadNext())
        keep(*rows, rec, keyOf(rec));
    // A failed query is not "no rows": the next question asks again.
    if (db->LastFailed()) {
        rows->Clear();
        kind.spare = std::move(rows);
        return;
    }
    for (const QString &key : keys)
        kind.keys << key;
    kind.group = group.toString();
    kind.rows = std::move(rows);
    kind.bFilled = true;
}

namespace {

// The row at the index as the record it was read into.
template <class Rec> void CopyRow(const CHGRows<Rec> &rows, size_t at, Rec &rec)
{
    rec = rows.rows[at];
}

void CopyRow(const CHGRows<CAPosWertRow> &rows, size_t at, CAPosWertData &rec)
{
    const CAPosWertRow &row = rows.rows[at];
    const QString *keys = &rows.shared[size_t(row.keys)];
    rec.m_strKatBstNr = keys[0];
    rec.m_strAPosNr = row.m_strAPosNr;
    rec.m_strEinheit = row.m_strEinheit;
    rec.m_strLTyp = keys[1];
    rec.m_strZusatz = keys[2];
    rec.m_strAwWert = row.m_strAwWert;
    rec.m_strBemerkung = row.m_strBemerkung;
    rec.m_strKennz = row.m_strKennz;
}

void CopyRow(const CHGRows<CAwKatZeileRow> &rows, size_t at, CAwKatZeileData &rec)
{
    const CAwKatZeileRow &row = rows.rows[at];
    const QString *keys = &rows.shared[size_t(row.keys)];
    rec.m_strKatBstNr = keys[0];
    rec.m_strTypNr = keys[1];
    rec.m_strHG = keys[2];
    rec.m_strZeile = row.m_strZeile;
    rec.m_strAPosNr = row.m_strAPosNr;
    rec.m_strText = row.m_strText;
    rec.m_strAW = row.m_strAW;
    rec.m_strSpalten = row.m_strSpalten;
}

// Whether two texts are equal, without comparing where they share their
// text (as the fields of rows read one after the other do).
bool SameText(const QString &a, const QString &b)
{
    return (a.constData() == b.constData() && a.size() == b.size()) || Equal(a, b);
}

// The index of the three keys in the rows' shared texts: those of the row
// before unless they differ.
int SharedKeys(std::vector<QString> &shared, const QString &a, const QString &b, const QString &c)
{
    const QString *keys = shared.empty() ? nullptr : &shared[shared.size() - 3];
    if (!keys || !SameText(keys[0], a) || !SameText(keys[1], b) || !SameText(keys[2], c)) {
        shared.push_back(a);
        shared.push_back(b);
        shared.push_back(c);
    }
    return int(shared.size() - 3);
}

} // namespace

template <class Rec, class Out>
int CCatalogueCache::Next(const Kind<Rec> &kind, CHGCursor<Rec> &cursor, Out &rec,
                          const QString &number, int restart)
{
    QString trimmed;
    const QString &key = Filed(number, trimmed);
    if (restart || !cursor.m_bStarted || key != cursor.m_strNumber) {
        cursor.m_bStarted = true;
        cursor.m_strNumber = key;
        if (cursor.m_rows != kind.rows)
            cursor.m_rows = kind.rows;
        cursor.m_nNext = cursor.m_rows ? cursor.m_rows->First(key) : -1;
    }
    if (cursor.m_nNext < 0)
        return 0;
    const size_t at = size_t(cursor.m_nNext);
    CopyRow(*cursor.m_rows, at, rec);
    cursor.m_nNext = cursor.m_rows->next[at];
    return 1;
}

template <class Rec>
const Rec *CCatalogueCache::FirstRow(const Kind<Rec> &kind, const QString &number)
{
    if (!kind.rows)
        return nullptr;
    QString trimmed;
    const int first = kind.rows->First(Filed(number, trimmed));
    return first < 0 ? nullptr : &kind.rows->rows[size_t(first)];
}

template <class Rec> bool CCatalogueCache::Holds(const Kind<Rec> &kind, const QString &number)
{
    return kind.bFilled && Equal(QStringView(number).left(kind.group.size()), kind.group);
}

// --- fill operations -------------------------------------------------------------

// Keeps a value record read as a compact row: the keys it shares with the
// rows before are kept once.
class CCatalogueCache::CValueKeep
{
public:
    void operator()(CHGRows<CAPosWertRow> &values, const CAPosWertData &rec, const QString &number)
    {
        values.Append(CAPosWertRow{rec.m_strAPosNr, rec.m_strEinheit, rec.m_strAwWert,
                                   rec.m_strBemerkung, rec.m_strKennz,
                                   SharedKeys(values.shared, rec.m_strKatBstNr, rec.m_strLTyp,
                                              rec.m_strZusatz)},
                      number);
    }
};

// Keeps a catalogue line read as a compact row: the keys it shares with the
// lines before are kept once.
class CCatalogueCache::CLineKeep
{
public:
    void operator()(CHGRows<CAwKatZeileRow> &lines, const CAwKatZeileData &rec,
                    const QString &number)
    {
        lines.Append(CAwKatZeileRow{rec.m_strZeile, rec.m_strAPosNr, rec.m_strText, rec.m_strAW,
                                    rec.m_strSpalten,
                                    SharedKeys(lines.shared, rec.m_strKatBstNr, rec.m_strTypNr,
                                               rec.m_strHG)},
                     number);
    }
};

void CCatalogueCache::FillValues(const CPrgSettings &settings, CYaqDb *db, QStringView hg)
{
    Fill(
        m_values, {settings.KatalogKey, settings.LeadTyp, settings.ZusatzCode}, hg, db,
        !settings.LeadTyp.isEmpty(),
        [&] {
            CAPosWertData rec;
            rec.m_strKatBstNr = settings.KatalogKey;
            rec.m_strAPosNr = hg.toString();
            rec.m_strLTyp = settings.LeadTyp;
            rec.m_strZusatz = settings.ZusatzCode;
            return rec;
        },
        [](CYaqDb &d, CAPosWertData &r) { return d.ReadAPosWertDataFromHG(r); },
        [](const CAPosWertData &r) { return r.m_strAPosNr.trimmed(); }, &m_valuesAwk, CValueKeep());
}

void CCatalogueCache::ReadAPosWertDataFromHG(const CPrgSettings &settings, CYaqDb *db,
                                             const QString &hg)
{
    FillValues(settings, db, hg);
}

void CCatalogueCache::ReadAPosWertDataAWKFromHG(const CPrgSettings &settings, CYaqDb *db,
                                                QStringView hg)
{
    Fill(
        m_valuesAwk, {settings.KatalogKey, settings.LeadTyp, settings.ZusatzCode}, hg, db,
        !settings.LeadTyp.isEmpty(),
        [&] {
            CAPosWertData rec;
            rec.m_strKatBstNr = settings.KatalogKey;
            rec.m_strAPosNr = hg.toString();
            rec.m_strLTyp = settings.LeadTyp;
            rec.m_strZusatz = settings.ZusatzCode;
            return rec;
        },
        [](CYaqDb &d, CAPosWertData &r) { return d.ReadAPosWertDataAWKFromHG(r); },
        [](const CAPosWertData &r) { return r.m_strAPosNr.trimmed(); }, &m_values, CValueKeep());
}

void CCatalogueCache::FillInfos(const CPrgSettings &settings, CYaqDb *db, QStringView hg)
{
    Fill(
        m_infos, {settings.KatalogKey}, hg, db, true,
        [&] {
            CAPosInfoData rec;
            rec.m_strKatBstNr = settings.KatalogKey;
            rec.m_strAPosNr = hg.toString();
            return rec;
        },
        [](CYaqDb &d, CAPosInfoData &r) { return d.ReadAPosInfoDataFromHG(r); },
        [](const CAPosInfoData &r) { return r.m_strAPosNr.trimmed(); });
}

void CCatalogueCache::FillAPosInfoCache(const CPrgSettings &settings, CYaqDb *db, const QString &hg)
{
    FillInfos(settings, db, hg);
}

void CCatalogueCache::FillLines(const CPrgSettings &settings, CYaqDb *db, QStringView hg)
{
    Fill(
        m_lines, {settings.KatalogKey, settings.Bestellnr}, hg, db, true,
        [&] {
            CAwKatZeileData rec;
            rec.m_strKatBstNr = settings.KatalogKey;
            rec.m_strTypNr = settings.Bestellnr;
            rec.m_strHG = hg.toString();
            return rec;
        },
        [](CYaqDb &d, CAwKatZeileData &r) { return d.ReadAwKatZeilenNrFromHG(r); },
        [](const CAwKatZeileData &r) { return r.m_strAPosNr.trimmed(); },
        static_cast<const Kind<CAwKatZeileRow> *>(nullptr), CLineKeep());
}

void CCatalogueCache::FillAwKatZeilenCache(const CPrgSettings &settings, CYaqDb *db,
                                           const QString &hg)
{
    FillLines(settings, db, hg);
}

void CCatalogueCache::FillClearing(const CPrgSettings &settings, CYaqDb *db, QStringView hg,
                                   const QString &monthKey)
{
    const QString &zusatz = settings.ZusatzCode;
    Fill(
        m_clearing, {settings.KatalogKey, settings.TypSchl, zusatz, settings.CountryCode, monthKey},
        hg, db, true,
        [&] {
            CTeileClearingData rec;
            rec.m_strKatBstNr = settings.KatalogKey;
            rec.m_strHG = hg.toString();
            rec.m_strTypSchl = settings.TypSchl;
            rec.m_strLaendercode = settings.CountryCode;
            return rec;
        },
        [&](CYaqDb &d, CTeileClearingData &r) {
            return d.ReadTeileClearingData(r, zusatz, monthKey);
        },
        [](const CTeileClearingData &r) { return r.m_strAPosNr.trimmed(); });
}

void CCatalogueCache::FillTeileClearingCache(const CPrgSettings &settings, CYaqDb *db,
                                             const QString &hg, const QString &monthKey)
{
    FillClearing(settings, db, hg, monthKey);
}

// --- cursors -------------------------------------------------------------------------

int CCatalogueCache::GetNextTeileClearingFromHGCache(CTeileClearingData &rec, int restart,
                                                     CTeileClearingCursor &cursor) const
{
    return Next(m_clearing, cursor, rec, rec.m_strAPosNr, restart);
}

int CCatalogueCache::GetNextAwKatZeileFromHGCache(CAwKatZeileData &rec, int restart,
                                                  CAwKatZeileCursor &cursor) const
{
    return Next(m_lines, cursor, rec, rec.m_strAPosNr, restart);
}

int CCatalogueCache::GetNextAPosWertAWKFromHGCache(CAPosWertData &rec, int restart,
                                                   CAPosWertCursor &cursor) const
{
    if (!Next(m_valuesAwk, cursor, rec, rec.m_strAPosNr, restart))
        return 0;
    rec.m_strEinheit = UnitLetter(rec.m_strEinheit);
    return 1;
}

void CCatalogueCache::VisitAPosWertAWK(const QString &number,
                                       const std::function<void(const CAPosWertRow &)> &visit) const
{
    if (!m_valuesAwk.rows)
        return;
    const CHGRows<CAPosWertRow> &values = *m_valuesAwk.rows;
    QString trimmed;
    for (int at = values.First(Filed(number, trimmed)); at >= 0; at = values.next[size_t(at)])
        visit(values.rows[size_t(at)]);
}

int CCatalogueCache::GetNextAPosInfoFromHGCache(CAPosInfoData &rec, int restart,
                                                CAPosInfoCursor &cursor) const
{
    return Next(m_infos, cursor, rec, rec.m_strAPosNr, restart);
}

int CCatalogueCache::FindValue(const QString &number, QStringView unitCode) const
{
    if (!m_values.rows)
        return -1;
    const CHGRows<CAPosWertRow> &values = *m_values.rows;
    const QStringView unit = unitCode.trimmed();
    QString trimmed;
    for (int at = values.First(Filed(number, trimmed)); at >= 0; at = values.next[size_t(at)]) {
        if (QStringView(values.rows[size_t(at)].m_strEinheit).trimmed() == unit)
            return at;
    }
    return -1;
}

int CCatalogueCache::FindAPosWertInHGCache(CAPosWertData &rec, const QString &unitCode) const
{
    const int at = FindValue(rec.m_strAPosNr, unitCode);
    if (at < 0)
        return 0;
    CopyRow(*m_values.rows, size_t(at), rec);
    rec.m_strEinheit = UnitLetter(rec.m_strEinheit);
    return 1;
}

QString CCatalogueCache::UnitLetter(const QString &unitCode)
{
    const QString code = unitCode.trimmed();
    if (code == QLatin1String("0") || code == QLatin1String("3"))
        return QString();
    if (code == QLatin1String("1"))
        return QStringLiteral("U");
    if (code == QLatin1String("2"))
        return QStringLiteral("M");
    if (code == QLatin1String("4"))
        return QStringLiteral("R");
    return unitCode;
}

int CCatalogueCache::ColumnApplies(const QString &columnFlags, int column)
{
    return column >= 0 && column < columnFlags.size() && columnFlags.at(column) == QLatin1Char('N')
               ? 1
               : 0;
}

// --- clear operations ---------------------------------------------------------------

void CCatalogueCache::ClearAPosWertAWKCache()
{
    m_valuesAwk.Clear();
}

void CCatalogueCache::ClearAPosInfoCache()
{
    m_infos.Clear();
}

void CCatalogueCache::ClearAwKatZeilenCache()
{
    m_lines.Clear();
}

void CCatalogueCache::ClearTeileClearingCache()
{
    m_clearing.Clear();
}

void CCatalogueCache::Clear()
{
    m_values.Clear();
    ClearAPosWertAWKCache();
    ClearAPosInfoCache();
    ClearAwKatZeilenCache();
    ClearTeileClearingCache();
}

// --- readers ------------------------------------------------------------------------------

bool CCatalogueCache::WantsLineCheck(int checkLines, const QString &hgOverride,
                                     const QString &lineFilter)
{
    // The catalogue lines decide about a position when the page asks for it
    // (a position picked from the catalogue) or when it names the very line
    // of a main group the position stands in; a bare number search does not.
    return checkLines != 0 || (!hgOverride.isEmpty() && !lineFilter.isEmpty());
}

int CCatalogueCache::GetAPosWert(CPrgSettings *settings, const QString &apNr, CYaqDb *db, int flagA,
                                 int flagB, const QString &hgOverride, const QString &lineFilter,
                                 int checkLines, int column)
{
    if (!settings || !db || settings->LeadTyp.isEmpty())
        return 0;
    const bool local = Bypassed(*settings);
    if (!local)
        FillValues(*settings, db,
                   flagA && flagB ? QStringView(apNr).left(2) : MainGroup(hgOverride, apNr));

    int result = 0;
    if (!local && Holds(m_values, apNr)) {
        const CHGRows<CAPosWertRow> &values = *m_values.rows;
        QString trimmed;
        const int first = values.First(Filed(apNr, trimmed));
        if (first >= 0)
            result = Equal(apNr, kAlwaysValidAPosNr) ? ValuesValid(values, first, apNr)
                                                     : KeptValidity(values, first);
    } else {
        CAPosWertData rec;
        rec.m_strKatBstNr = settings->KatalogKey;
        rec.m_strAPosNr = apNr;
        rec.m_strLTyp = settings->LeadTyp;
        rec.m_strZusatz = settings->ZusatzCode;
        if (db->ReadAPosWertData(rec)) {
            result = 1;
            if (apNr != kAlwaysValidAPosNr) {
                result = 0;
                do {
                    if (ValueRowCounts(rec)) {
                        result = 1;
                        break;
                    }
                } while (db->ReadNextAPosWertData(rec));
            }
        }
    }

    if (result == 1 && WantsLineCheck(checkLines, hgOverride, lineFilter) &&
        !settings->bAltKatalog && !settings->nKatalogFlag)
        result = LineApplies(settings, apNr, db, hgOverride, lineFilter, column);
    return result;
}

int CCatalogueCache::ValuesValid(const CHGRows<CAPosWertRow> &values, int first,
                                 const QString &apNr)
{
    // The first row of each unit code, tried in the order of the codes.
    const CAPosWertRow *byUnit[5] = {};
    for (int at = first; at >= 0; at = values.next[size_t(at)]) {
        const CAPosWertRow &row = values.rows[size_t(at)];
        QStringView unit(row.m_strEinheit);
        if (unit.size() != 1)
            unit = unit.trimmed();
        if (unit.size() == 1 && unit[0] >= QLatin1Char('0') && unit[0] <= QLatin1Char('4')) {
            const CAPosWertRow *&byCode = byUnit[unit[0].unicode() - u'0'];
            if (!byCode)
                byCode = &row;
        }
    }
    int result = 0;
    for (const CAPosWertRow *row : byUnit) {
        if (!row)
            continue;
        result = 1;
        if (ValueRowCounts(*row) || Equal(apNr, kAlwaysValidAPosNr))
            break;
        result = 0;
    }
    return result;
}

int CCatalogueCache::KeptValidity(const CHGRows<CAPosWertRow> &values, int first)
{
    std::vector<signed char> &worked = values.worked;
    if (worked.empty())
        worked.assign(values.rows.size(), -1);
    signed char &valid = worked[size_t(first)];
    if (valid < 0)
        valid = static_cast<signed char>(ValuesValid(values, first, QString()));
    return valid;
}

namespace {

#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
// Whether each of the four characters of the word lies between '!' and '~':
// bit 15 of a character's lane tells, after each subtraction, whether its
// low 15 bits reach '!' and 0x7f; no lane borrows from the next.
Q_ALWAYS_INLINE bool PlainChars(quint64 chars)
{
    constexpr quint64 kTop = 0x8000800080008000ull;
    const quint64 fromBang = (chars | kTop) - 0x0021002100210021ull;
    const quint64 pastTilde = (chars | kTop) - 0x007f007f007f007full;
    return (~chars & fromBang & ~pastTilde & kTop) == kTop;
}
// The four characters of the word (each below 0x100) as four bytes.
Q_ALWAYS_INLINE quint64 CharBytes(quint64 chars)
{
    chars = (chars | (chars >> 8)) & 0x0000ffff0000ffffull;
    return (chars | (chars >> 16)) & 0xffffffffull;
}
#endif

// The code of a number of two to seven plain characters (printable ASCII
// other than the blank, as a catalogue writes position numbers): as
// CHGRows::Packed codes it, and as the cache files it (Filed leaves it
// unchanged). False for any other number.
Q_ALWAYS_INLINE bool PlainCode(const QString &number, quint64 *code)
{
    const qsizetype size = number.size();
    const char16_t *chars = reinterpret_cast<const char16_t *>(number.constData());
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
    if (size == 7) {
        // A position number: its characters 0-3 and 3-6 as two words.
        quint64 front = 0, back = 0;
        std::memcpy(&front, chars, sizeof front);
        std::memcpy(&back, chars + 3, sizeof back);
        *code = 7 | CharBytes(front) << 8 | (CharBytes(back) >> 8) << 40;
        return PlainChars(front) && PlainChars(back);
    }
#endif
    if (size < 2 || size > 7)
        return false;
    quint64 packs = quint64(size);
    unsigned outside = 0; // any character outside '!' to '~'
    for (qsizetype i = 0; i < size; ++i) {
        outside |= unsigned(chars[i] - u'!') > unsigned(u'~' - u'!');
        packs |= quint64(chars[i] & 0xff) << (8 * (i + 1));
    }
    *code = packs;
    return !outside;
}

} // namespace

CAPosValidityWalk::CAPosValidityWalk(CCatalogueCache &cache, CPrgSettings *settings, CYaqDb *db)
    : m_cache(cache), m_pSettings(settings), m_pDb(db)
{
    PlainCode(kAlwaysValidAPosNr, &m_nAlwaysValidCode);
}

void CAPosValidityWalk::HoldFilled(QStringView valueGroup, const QString &lineGroup)
{
    HoldValues(valueGroup);
    const auto &lines = m_cache.m_lines;
    m_nLineGroupCode = -1;
    m_lineRows.reset();
    quint64 code = 0;
    if (lines.bFilled && lines.rows && Equal(lines.group, lineGroup) && lineGroup.size() == 2 &&
        PlainCode(lineGroup, &code)) {
        m_lineRows = lines.rows;
        m_nLineGroupCode = qint64(code >> 8);
    }
}

bool CAPosValidityWalk::LineQuestion(const QString &apNr, const QString &hgOverride,
                                     const QString &lineFilter, int column, int *answer) const
{
    // The main group named must lead the number and be the one whose values
    // and lines are held: the cache then answers from these rows (the main
    // group of the values, the number's own with both flags, is the same).
    quint64 code = 0, named = 0;
    if (m_nGroupCode < 0 || m_nLineGroupCode < 0 || column < 0 || !PlainCode(apNr, &code) ||
        hgOverride.size() != 2 || !PlainCode(hgOverride, &named))
        return false;
    const qint64 lead = qint64((code >> 8) & 0xffff);
    if (lead != m_nGroupCode || lead != m_nLineGroupCode || qint64(named >> 8) != lead)
        return false;
    int result = HeldValidity(code, apNr);
    if (result == 1 && !m_pSettings->bAltKatalog && !m_pSettings->nKatalogFlag) {
        const QStringView filter = QStringView(lineFilter).trimmed();
        result = 0;
        for (int at = m_lineRows->FirstOfCode(code); at >= 0 && !result;
             at = m_lineRows->next[size_t(at)])
            result = CCatalogueCache::LineMarked(m_lineRows->rows[size_t(at)], filter, column);
    }
    *answer = result;
    return true;
}

void CAPosValidityWalk::Hold(const QString &group,
                             std::shared_ptr<const CHGRows<CAPosWertRow>> rows)
{
    m_strGroup = group;
    m_rows = std::move(rows);
    m_nGroupCode = -1;
    quint64 code = 0;
    if (m_rows && group.size() == 2 && PlainCode(group, &code))
        m_nGroupCode = qint64(code >> 8);
}

void CAPosValidityWalk::HoldValues(QStringView group)
{
    const auto &values = m_cache.m_values;
    if (values.bFilled && Equal(values.group, group))
        Hold(values.group, values.rows);
    else
        Hold(QString(), nullptr);
}

int CAPosValidityWalk::HeldValidity(quint64 code, const QString &apNr) const
{
    const int first = m_rows->FirstOfCode(code);
    if (first < 0)
        return 0;
    if (code == m_nAlwaysValidCode)
        return CCatalogueCache::ValuesValid(*m_rows, first, apNr);
    const std::vector<signed char> &worked = m_rows->worked;
    if (size_t(first) < worked.size() && worked[size_t(first)] >= 0)
        return worked[size_t(first)];
    return CCatalogueCache::KeptValidity(*m_rows, first);
}

int CAPosValidityWalk::GetAPosWert(const QString &apNr, int flagA, int flagB,
                                   const QString &hgOverride, const QString &lineFilter,
                                   int checkLines, int column)
{
    if (!m_pSettings || !m_pDb || m_pSettings->LeadTyp.isEmpty())
        return 0;
    // The question a page's loop over the positions asks: a plain number in
    // the main group held, no main group or line of its own, no line check.
    // Its code finds its rows; what the cache worked out for it answers.
    quint64 code = 0;
    if (m_nGroupCode >= 0 && !checkLines && hgOverride.isEmpty() && lineFilter.isEmpty() &&
        PlainCode(apNr, &code) && qint64((code >> 8) & 0xffff) == m_nGroupCode &&
        (!m_pSettings->bLocalDataSet || m_cache.m_onLocal != CCatalogueCache::OnLocalFile::Bypass))
        return HeldValidity(code, apNr);
    if (m_cache.Bypassed(*m_pSettings))
        return m_cache.GetAPosWert(m_pSettings, apNr, m_pDb, flagA, flagB, hgOverride, lineFilter,
                                   checkLines, column);
    if (CCatalogueCache::WantsLineCheck(checkLines, hgOverride, lineFilter)) {
        // The catalogue page's question about each position of its level:
        // its main group named, its catalogue line to be marked in the
        // vehicle's column. Asked of the rows held, as the cache answers.
        int answer = 0;
        if (LineQuestion(apNr, hgOverride, lineFilter, column, &answer))
            return answer;
        const int result = m_cache.GetAPosWert(m_pSettings, apNr, m_pDb, flagA, flagB, hgOverride,
                                               lineFilter, checkLines, column);
        HoldFilled(flagA && flagB ? QStringView(apNr).left(2) : QStringView(hgOverride),
                   hgOverride);
        return result;
    }
    const QStringView group =
        flagA && flagB ? QStringView(apNr).left(2) : MainGroup(hgOverride, apNr);
    if (!m_rows || !Equal(group, m_strGroup)) {
        // A main group new to the walk: the cache compares the keys and
        // fills it when it holds other ones.
        const int result = m_cache.GetAPosWert(m_pSettings, apNr, m_pDb, flagA, flagB, hgOverride,
                                               lineFilter, checkLines, column);
        HoldValues(group);
        return result;
    }
    // The cached branch of the cache's own answer, without its key check.
    if (!Equal(QStringView(apNr).left(m_strGroup.size()), m_strGroup))
        return m_cache.GetAPosWert(m_pSettings, apNr, m_pDb, flagA, flagB, hgOverride, lineFilter,
                                   checkLines, column);
    QString trimmed;
    const int first = m_rows->First(Filed(apNr, trimmed));
    if (first < 0)
        return 0;
    return Equal(apNr, kAlwaysValidAPosNr) ? CCatalogueCache::ValuesValid(*m_rows, first, apNr)
                                           : CCatalogueCache::KeptValidity(*m_rows, first);
}

int CCatalogueCache::LineApplies(CPrgSettings *settings, const QString &apNr, CYaqDb *db,
                                 const QString &hgOverride, const QString &lineFilter, int column)
{
    const bool local = Bypassed(*settings);
    const QStringView hg = MainGroup(hgOverride, apNr);
    if (!local)
        FillLines(*settings, db, hg);
    // The column is known before the lines are walked: asking for it runs a
    // query, which would end a walk on the same connection.
    // A read that failed counts on the connection, whose step tells it.
    if (column == -1)
        column = GetAwKatSpalte(settings, db, settings->ModellBez, m_modelCodeCheck).value;

    const QStringView filter = QStringView(lineFilter).trimmed();
    auto applies = [&](const auto &line) { return LineMarked(line, filter, column); };
    if (!local && Holds(m_lines, apNr)) {
        // The number's rows where they lie, none copied.
        if (!m_lines.rows)
            return 0;
        const CHGRows<CAwKatZeileRow> &lines = *m_lines.rows;
        QString trimmed;
        for (int at = lines.First(Filed(apNr, trimmed)); at >= 0; at = lines.next[size_t(at)]) {
            if (applies(lines.rows[size_t(at)]))
                return 1;
        }
        return 0;
    }
    CAwKatZeileData rec;
    rec.m_strKatBstNr = settings->KatalogKey;
    rec.m_strTypNr = settings->Bestellnr;
    rec.m_strHG = hg.toString();
    rec.m_strAPosNr = apNr;
    for (int found = db->ReadAwKatZZeilenNr(rec); found; found = db->ReadNext()) {
        if (applies(rec)) {
            db->CloseStmt();
            return 1;
        }
    }
    return 0;
}

int CCatalogueCache::GetAPosInfo(CPrgSettings *settings, CYaqDb *db, CAPosInfoData &rec,
                                 const QString &hgOverride)
{
    if (!settings || !db)
        return 0;
    if (!Bypassed(*settings)) {
        FillInfos(*settings, db, MainGroup(hgOverride, rec.m_strAPosNr));
        if (Holds(m_infos, rec.m_strAPosNr)) {
            const CAPosInfoData *first = FirstRow(m_infos, rec.m_strAPosNr);
            if (!first)
                return 0;
            rec = *first;
            return 1;
        }
    }
    return db->ReadAPosInfoData(rec);
}

int CCatalogueCache::GetTeileClearing(CPrgSettings *settings, CYaqDb *db, const QString &apNr,
                                      const QString &hgOverride)
{
    if (!settings || !db || settings->CountryCode.isEmpty() || settings->Fgstnr.isEmpty() ||
        settings->ZusatzCode.isEmpty())
        return 0;
    // The month is worked out once for a day: a walk asks every position.
    if (m_strMonthOf.isNull() || settings->Heute != m_strMonthOf) {
        m_strMonthOf = settings->Heute;
        m_strMonthKey = MonthKey(m_strMonthOf);
    }
    const QString &monthKey = m_strMonthKey;
    const bool local = Bypassed(*settings);
    if (!local)
        FillClearing(*settings, db, MainGroup(hgOverride, apNr), monthKey);

    if (!local && Holds(m_clearing, apNr))
        return FirstRow(m_clearing, apNr) ? 1 : 0;
    CTeileClearingData rec;
    rec.m_strKatBstNr = settings->KatalogKey;
    rec.m_strAPosNr = apNr;
    rec.m_strTypSchl = settings->TypSchl;
    rec.m_strLaendercode = settings->CountryCode;
    const int found = db->ReadTeileClearingData(rec, settings->ZusatzCode, monthKey);
    db->CloseStmt();
    return found;
}

int CCatalogueCache::GetSRPPakete(CPrgSettings *settings, const QString &paketNr, CYaqDb *paketDb,
                                  CYaqDb *awDb, int column)
{
    if (!settings || settings->TypSchl.isEmpty() || settings->Fgstnr.isEmpty() || paketNr.isEmpty())
        return 0;
    int result = 0;
    if (paketDb && awDb) {
        // The package rows are read to the end before any position is asked
        // for: both may be the same connection, which holds one walk.
        CSRPPaketeData rec;
        rec.m_strKatBstNr = settings->KatalogKey;
        rec.m_strPaketNr = paketNr;
        QStringList countries;
        for (int found = paketDb->SelectSRPPaketeDataOnTypSchl(rec, settings->ZusatzCode,
                                                               settings->TypSchl);
             found; found = paketDb->ReadNext())
            countries << rec.m_strLand;
        for (const QString &country : std::as_const(countries)) {
            if (PackageOriginCounts(country, settings->CountrySpecPakets, settings->Laendercode) &&
                GetAPosWert(settings, paketNr, awDb, 0, 0, QString(), QString(), 0, column)) {
                result = 1;
                break;
            }
        }
    }
    // The availability is asked whenever no package row applies, so that the
    // settings' flag follows the dealer's data.
    if (!result && OpenSpotRepairData(settings) && settings->EReihe >= kFirstSpotRepairEReihe &&
        paketNr == kSpotRepairPaketNr)
        result = 1;
    return result;
}

// --- the process-wide cache -----------------------------------------------------------

CCatalogueCache &CatalogueCache()
{
    static CCatalogueCache cache;
    return cache;
}

int GetAPosWert(CPrgSettings *settings, const QString &apNr, CYaqDb *db, int flagA, int flagB,
                const QString &hgOverride, const QString &lineFilter, int checkLines, int column)
{
    return CatalogueCache().GetAPosWert(settings, apNr, db, flagA, flagB, hgOverride, lineFilter,
                                        checkLines, column);
}

int GetAPosInfo(CPrgSettings *settings, CYaqDb *db, CAPosInfoData &rec, const QString &hgOverride)
{
    return CatalogueCache().GetAPosInfo(settings, db, rec, hgOverride);
}

int GetTeileClearing(CPrgSettings *settings, CYaqDb *db, const QString &apNr,
                     const QString &hgOverride)
{
    return CatalogueCache().GetTeileClearing(settings, db, apNr, hgOverride);
}

int GetSRPPakete(CPrgSettings *settings, const QString &paketNr, CYaqDb *paketDb, CYaqDb *awDb,
                 int column)
{
    return CatalogueCache().GetSRPPakete(settings, paketNr, paketDb, awDb, column);
}
