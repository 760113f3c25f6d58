#include "platform/db/YaqDb.h"

#include "platform/db/FileDb.h"
#include "platform/db/OracleDb.h"
#include "platform/db/PackageOrigin.h"
#include "platform/db/WebDb.h"

#include <unordered_map>
#include <utility>

// Every query text is fixed; keys reach the database only as bound values.
// The texts are accepted by SQLite and PostgreSQL alike (schema:
// data/schema/catalogue.sql); where a column of the record has no column in
// the table, the bound key or an empty text stands in its place.

namespace {

QVariant Key(const QString &text)
{
    // Never NULL: an empty key compares as an empty text.
    return text.isNull() ? QVariant(QString(QLatin1String(""))) : QVariant(text);
}

} // namespace

CYaqDb::CYaqDb() = default;
CYaqDb::~CYaqDb() = default;

int CYaqDb::Open(const QString &tns, const QString &user, const QString &password, int reserved,
                 const QString &localDataDir, const QString &appServer, const QString &sessionId)
{
    std::unique_ptr<CUniDb> db;
    if (!sessionId.isEmpty() && !appServer.isEmpty())
        db = std::make_unique<CWebDb>();
    else if (!localDataDir.isEmpty())
        db = std::make_unique<CFileDb>();
    else
        db = std::make_unique<COracleDb>();
    const int ok = db->Open(tns, user, password, reserved, localDataDir, appServer, sessionId);
    // A failed connection stays attached (closed), so that its error text
    // can be read; every read on it fails.
    SetConnection(std::move(db));
    return ok;
}

int CYaqDb::Select(const char *sql, const QVariantList &binds, CYaqData &rec)
{
    // Every text passed here is a fixed one of this file: it becomes a
    // QString once, not with every read, and the connection finds its
    // prepared statement by a text that shares those characters.
    thread_local std::unordered_map<const char *, QString> texts;
    auto text = texts.find(sql);
    if (text == texts.end())
        text = texts.emplace(sql, QString::fromLatin1(sql)).first;
    return ExecSelect(text->second, binds, &rec);
}

// --- vehicle identification -------------------------------------------------

namespace {
const char kFgstnrTypSchl[] =
    "SELECT r.catalogue_key, CAST(? AS TEXT), r.vin_from, r.vin_to, r.type_key, r.vin_type,"
    " t.lead_type, t.model_name, t.model_series, r.extra_code, t.country"
    " FROM vin_range r JOIN type_key t"
    " ON t.type_key = r.type_key AND t.catalogue_key = r.catalogue_key"
    " WHERE r.vin_type = ? AND r.vin_from <= ? AND r.vin_to >= ?"
    " ORDER BY r.vin_from DESC, r.catalogue_key";
// Only ranges that contain the short VIN: ranges may overlap (a wide range
// around narrower ones), and the nearest start alone could name a range that
// ends below the VIN while a wider one holds it.
const char kFgstnr[] =
    "SELECT catalogue_key, CAST(? AS TEXT), vin_from, vin_to, type_key, vin_type, extra_code"
    " FROM vin_range WHERE vin_type = ? AND vin_from <= ? AND vin_to >= ?"
    " ORDER BY vin_from DESC, catalogue_key";
// A range holds the short VIN only when its prefix (what its two ends have
// in common in front) begins the short VIN: the eight prefixes of a short
// VIN, from the empty one to all seven characters, bound the look-up
// whatever the number of ranges. The order is the index's own, so that the
// rows come straight from it on any catalogue, however small.
const char kVin17[] = "SELECT catalogue_key, CAST(? AS TEXT), vin_from, vin_to, type_key, vin_type,"
                      " extra_code FROM vin_range WHERE vin_prefix IN (?, ?, ?, ?, ?, ?, ?, ?)"
                      " AND vin_from <= ? AND vin_to >= ? ORDER BY vin_prefix, vin_from";
const char kTypSchl[] = "SELECT catalogue_key, '', '', '', type_key, '', lead_type, model_name,"
                        " model_series, '', country FROM type_key WHERE type_key = ?"
                        " ORDER BY catalogue_key";
const char kMarke[] =
    "SELECT type_key, brand FROM type_key WHERE type_key = ? ORDER BY catalogue_key";
const char kTypSchl2[] = "SELECT catalogue_key, type_key, lead_type, model_name, model_series,"
                         " country FROM type_key WHERE catalogue_key = ? AND type_key = ?";

// Catalogue rows: an empty key does not restrict; each combination of keys
// (bit 1 catalogue, 2 series, 4 country) is its own fixed text.
#define YAQ_CATALOGUE_SELECT                                                                       \
    "SELECT catalogue_key, type_number, description, model_series, brand, model_range,"            \
    " market_suffix, country, edition FROM catalogue"
#define YAQ_CATALOGUE_ORDER " ORDER BY sort_order, catalogue_key"
const char *const kAwKatalog[8] = {
    YAQ_CATALOGUE_SELECT YAQ_CATALOGUE_ORDER,
    YAQ_CATALOGUE_SELECT " WHERE catalogue_key = ?" YAQ_CATALOGUE_ORDER,
    YAQ_CATALOGUE_SELECT " WHERE model_series = ?" YAQ_CATALOGUE_ORDER,
    YAQ_CATALOGUE_SELECT " WHERE catalogue_key = ? AND model_series = ?" YAQ_CATALOGUE_ORDER,
    YAQ_CATALOGUE_SELECT " WHERE country = ?" YAQ_CATALOGUE_ORDER,
    YAQ_CATALOGUE_SELECT " WHERE catalogue_key = ? AND country = ?" YAQ_CATALOGUE_ORDER,
    YAQ_CATALOGUE_SELECT " WHERE model_series = ? AND country = ?" YAQ_CATALOGUE_ORDER,
    YAQ_CATALOGUE_SELECT
    " WHERE catalogue_key = ? AND model_series = ? AND country = ?" YAQ_CATALOGUE_ORDER,
};
#undef YAQ_CATALOGUE_SELECT
#undef YAQ_CATALOGUE_ORDER

const char kKatSpalteOfLeadType[] =
    "SELECT catalogue_key, type_number, column_number, model_name, lead_type"
    " FROM catalogue_column WHERE catalogue_key = ? AND lead_type = ?"
    " ORDER BY type_number, column_number";
const char kAltLtypOfLeadType[] = "SELECT type_number, model_name, lead_type FROM alt_lead_type"
                                  " WHERE lead_type = ? ORDER BY sort_order, type_number";
const char kAltKatOfType[] = "SELECT type_number, series_code, description FROM alt_catalogue"
                             " WHERE type_number = ? ORDER BY sort_order";

// The reads of the findings page and the scope texts.
const char kFindingMainGroups[] =
    "SELECT catalogue_key, language, main_group, sub_group, location, damage_key, level_text"
    " FROM finding_level_text WHERE catalogue_key = ? AND language = ? AND main_group > ''"
    " AND sub_group = '' AND location = '' AND damage_key = '' ORDER BY main_group";
// The adviser's text, its "%" and "_" taken literally, anywhere in the text.
const char kFindingTextSearch[] =
    "SELECT catalogue_key, language, main_group, sub_group, location, damage_key, level_text"
    " FROM finding_level_text WHERE catalogue_key = ? AND language = ?"
    " AND LOWER(level_text) LIKE ? ESCAPE '!'"
    " ORDER BY main_group, sub_group, location, damage_key";
const char kFindingHints[] =
    "SELECT catalogue_key, language, main_group, sub_group, location, hint_text"
    " FROM finding_hint WHERE catalogue_key = ? AND language = ?"
    " ORDER BY main_group, sub_group, location";
const char kPositionTextLines[] =
    "SELECT position_number, catalogue_key, language, text1, text2, text3, text4"
    " FROM apos_text WHERE catalogue_key = ? AND position_number = ? AND language = ?";
const char kFindingCodesOfGroup[] =
    "SELECT catalogue_key, position_number, code FROM findings_code"
    " WHERE catalogue_key = ? AND code >= ? AND code < ? ORDER BY code, position_number";
const char kScopeNumber[] =
    "SELECT position_number, lead_type, extra_code, scope_number FROM apos_scope"
    " WHERE position_number = ? AND lead_type = ? AND extra_code = ?";
const char kScopeLines[] = "SELECT scope_number, language, line_text FROM scope_text"
                           " WHERE scope_number = ? AND language = ? ORDER BY line_number";
const char kInclusiveNumber[] =
    "SELECT catalogue_key, position_number, lead_type, extra_code, inclusive_number"
    " FROM apos_inclusive WHERE catalogue_key = ? AND position_number = ? AND lead_type = ?"
    " AND extra_code = ?";
const char kInclusivePositions[] =
    "SELECT catalogue_key, inclusive_number, position_number FROM inclusive_position"
    " WHERE catalogue_key = ? AND inclusive_number = ? ORDER BY sort_order";

// The reads of vehicle identification by name.
const std::pair<const char *, const char *> kIdentification[] = {
    {"vin range with its type", kFgstnrTypSchl},
    {"vin range", kFgstnr},
    {"vin range of any vin type", kVin17},
    {"type by type key", kTypSchl},
    {"brand of a type key", kMarke},
    {"type of a catalogue", kTypSchl2},
    {"catalogues of a series", kAwKatalog[1 | 2]},
    {"catalogues of a series in a country", kAwKatalog[1 | 2 | 4]},
    {"column of a lead type", kKatSpalteOfLeadType},
    {"alternative lead type", kAltLtypOfLeadType},
    {"alternative catalogue", kAltKatOfType},
    {"finding main groups", kFindingMainGroups},
    {"finding text search", kFindingTextSearch},
    {"finding hints", kFindingHints},
    {"position text lines", kPositionTextLines},
    {"finding codes of a main group", kFindingCodesOfGroup},
    {"scope-text number", kScopeNumber},
    {"scope-text lines", kScopeLines},
    {"inclusive-position list", kInclusiveNumber},
    {"inclusive positions", kInclusivePositions},
};
} // namespace

QString CYaqDb::IdentificationQuery(const QString &name)
{
    for (const auto &query : kIdentification) {
        if (name == QLatin1String(query.first))
            return QLatin1String(query.second);
    }
    return {};
}

int CYaqDb::ReadFgstnrTypSchlData(CFgstnrTypSchlData &rec)
{
    const QVariant vin = Key(rec.m_strFgstNr);
    return Select(kFgstnrTypSchl, {vin, Key(rec.m_strFgstTyp), vin, vin}, rec);
}

int CYaqDb::ReadFgstnrTypSchlDataSpecial(CFgstnrTypSchlData &rec)
{
    // The same ranges; the caller keeps only those of the digit-letter form.
    return ReadFgstnrTypSchlData(rec);
}

int CYaqDb::ReadTypSchlData(CFgstnrTypSchlData &rec)
{
    return Select(kTypSchl, {Key(rec.m_strTypSchl)}, rec);
}

int CYaqDb::ReadFgstnrData(CFgstnrData &rec)
{
    const QVariant vin = Key(rec.m_strFgstNr);
    return Select(kFgstnr, {vin, Key(rec.m_strFgstTyp), vin, vin}, rec);
}

int CYaqDb::ReadFgstnrDataSonderfall(CFgstnrData &rec)
{
    // Candidate ranges nearest first; the caller checks form, range and brand.
    return ReadFgstnrData(rec);
}

int CYaqDb::ReadVin17Data(CFgstnrData &rec)
{
    const QVariant vin = Key(rec.m_strFgstNr);
    QVariantList binds{vin};
    for (int length = 0; length <= 7; ++length)
        binds << Key(rec.m_strFgstNr.left(length));
    binds << vin << vin;
    return Select(kVin17, binds, rec);
}

namespace {

bool DigitThenLetter(const QString &text)
{
    return text.size() >= 2 && text.at(0).isDigit() && text.at(1).isLetter();
}

} // namespace

CatalogueAnswer<int> CYaqDb::CountShortVin(const QString &shortVin, QString *typePart)
{
    const int failures = Failures();
    // A short VIN of the special form (a digit, then a letter) belongs only
    // to ranges whose start and end have that form too, as the
    // identification reads it: a range of plain serial numbers around it
    // names no second vehicle.
    const bool special = DigitThenLetter(shortVin);
    CFgstnrData rec;
    rec.m_strFgstNr = shortVin;
    // No row is read past the second that counts: the next one may lie far
    // off in the index.
    int count = 0;
    for (int ok = ReadVin17Data(rec); ok; ok = ReadNext()) {
        if (special && !(DigitThenLetter(rec.m_strVonFgstNr.trimmed()) &&
                         DigitThenLetter(rec.m_strBisFgstNr.trimmed())))
            continue;
        ++count;
        if (typePart) {
            CFgstnrData row = rec;
            row.TrimData();
            *typePart = row.m_strFgstTyp;
        }
        if (count == 2)
            break;
    }
    CloseStmt();
    if (FailedSince(this, failures))
        return {0, true};
    return {count, false};
}

int CYaqDb::GetMarkeFromTypschl(CMarkeData &rec)
{
    return Select(kMarke, {Key(rec.m_strTypSchl)}, rec);
}

int CYaqDb::ReadTypSchlData2(CTypSchlData &rec)
{
    return Select(kTypSchl2, {Key(rec.m_strKatBstNr), Key(rec.m_strTypSchl)}, rec);
}

// --- catalogues and columns ------------------------------------------------

int CYaqDb::ReadAwKatalogDataOnEreihe(CAwKatalogData &rec, const QString &country)
{
    int which = 0;
    QVariantList binds;
    if (!rec.m_strKatBstNr.isEmpty()) {
        which |= 1;
        binds << rec.m_strKatBstNr;
    }
    if (!rec.m_strEReihe.isEmpty()) {
        which |= 2;
        binds << rec.m_strEReihe;
    }
    if (!country.isEmpty()) {
        which |= 4;
        binds << country;
    }
    return Select(kAwKatalog[which], binds, rec);
}

int CYaqDb::RdAwKatSpDatOnKatBstNr(CAwKatSpalteData &rec)
{
    return Select(kKatSpalteOfLeadType, {Key(rec.m_strKatBstNr), Key(rec.m_strLTyp)}, rec);
}

int CYaqDb::ReadAwKatSpalteDataOnSpBez(CAwKatSpalteData &rec)
{
    return Select("SELECT catalogue_key, type_number, column_number, model_name, lead_type"
                  " FROM catalogue_column WHERE catalogue_key = ? AND type_number = ?"
                  " ORDER BY column_number, lead_type",
                  {Key(rec.m_strKatBstNr), Key(rec.m_strTypNr)}, rec);
}

int CYaqDb::ReadAwKatSpalteDataOnLTypSpNr(CAwKatSpalteData &rec)
{
    return Select("SELECT catalogue_key, type_number, column_number, model_name, lead_type"
                  " FROM catalogue_column"
                  " WHERE catalogue_key = ? AND type_number = ? AND model_name = ?"
                  " ORDER BY column_number, lead_type",
                  {Key(rec.m_strKatBstNr), Key(rec.m_strTypNr), Key(rec.m_strSpBez)}, rec);
}

int CYaqDb::ReadAltLtypData(CAltLtypData &rec)
{
    if (!rec.m_strLTyp.isEmpty())
        return Select(kAltLtypOfLeadType, {rec.m_strLTyp}, rec);
    // Alternative type numbers have eight characters.
    const QVariant typNr = Key(rec.m_strTypNr.left(8));
    if (!rec.m_strVerkBez.isEmpty())
        return Select("SELECT type_number, model_name, lead_type FROM alt_lead_type"
                      " WHERE type_number = ? AND model_name = ? ORDER BY sort_order",
                      {typNr, rec.m_strVerkBez}, rec);
    return Select("SELECT type_number, model_name, lead_type FROM alt_lead_type"
                  " WHERE type_number = ? ORDER BY sort_order",
                  {typNr}, rec);
}

int CYaqDb::ReadAltKatData(CAltKatData &rec)
{
    if (rec.m_strTypNr.isEmpty())
        return Select("SELECT type_number, series_code, description FROM alt_catalogue"
                      " ORDER BY sort_order, type_number",
                      {}, rec);
    return Select(kAltKatOfType, {rec.m_strTypNr}, rec);
}

// --- maintenance topics, reports --------------------------------------------

int CYaqDb::ReadSBLIDData(CSBLIDData &rec)
{
    if (!rec.m_strTypSchl.isEmpty())
        return Select("SELECT catalogue_key, type_key, lead_type, topic_id, valid_from, valid_to"
                      " FROM maintenance_topic WHERE catalogue_key = ? AND type_key = ?"
                      " ORDER BY valid_from, topic_id",
                      {Key(rec.m_strKatBstNr), rec.m_strTypSchl}, rec);
    return Select("SELECT catalogue_key, type_key, lead_type, topic_id, valid_from, valid_to"
                  " FROM maintenance_topic WHERE catalogue_key = ? AND lead_type = ?"
                  " ORDER BY valid_from, topic_id",
                  {Key(rec.m_strKatBstNr), Key(rec.m_strLTyp)}, rec);
}

int CYaqDb::ReadReportMaxData(CReportData &rec)
{
    return Select("SELECT report_id, created, description FROM catalogue_report"
                  " ORDER BY created DESC, report_id DESC",
                  {}, rec);
}

// --- inclusive-service contracts ----------------------------------------------

int CYaqDb::ReadHLXFgstnrData(CHLXFgstnrData &rec)
{
    return Select("SELECT catalogue_key, vin, option_number, billing_start, contract_begin,"
                  " contract_end, end_km, end_miles, start_km, start_miles"
                  " FROM hlx_vin_contract WHERE catalogue_key = ? AND vin = ?"
                  " ORDER BY sort_order, option_number",
                  {Key(rec.m_strKatBstNr), Key(rec.m_strFgstNr)}, rec);
}

namespace {
const char kContractOption[] =
    "SELECT catalogue_key, option_number, state, origin, product_value, mileage_limit,"
    " list_number, list_mode FROM hlx_option WHERE catalogue_key = ? AND option_number = ?";
} // namespace

int CYaqDb::ReadHLXNrData(CHLXNrData &rec)
{
    return Select(kContractOption, {Key(rec.m_strKatBstNr), Key(rec.m_strOptionNr)}, rec);
}

int CYaqDb::ReadHLXRefData(CHLXRefData &rec)
{
    return Select("SELECT catalogue_key, model_series, text_group FROM hlx_reference"
                  " WHERE catalogue_key = ? AND model_series = ?",
                  {Key(rec.m_strKatBstNr), Key(rec.m_strEReihe)}, rec);
}

int CYaqDb::ReadHLXLinkData(CHLXLinkData &rec)
{
    return Select("SELECT catalogue_key, option_number, text_key, description FROM hlx_link"
                  " WHERE catalogue_key = ? AND option_number = ?",
                  {Key(rec.m_strKatBstNr), Key(rec.m_strOptionNr)}, rec);
}

// --- labour values --------------------------------------------------------------

namespace {
const char kAPosWertFromHG[] =
    "SELECT catalogue_key, position_number, unit_code, lead_type, extra_code, work_units,"
    " remark, flag FROM labour_value"
    " WHERE catalogue_key = ? AND main_group = ? AND lead_type = ? AND extra_code = ?"
    " ORDER BY position_number, unit_code";
const char kAPosInfoFromHG[] =
    "SELECT catalogue_key, position_number, info_number, info_text, info_number2"
    " FROM labour_info WHERE catalogue_key = ? AND main_group = ?"
    " ORDER BY position_number, info_number";
const char kAPosInfo[] =
    "SELECT catalogue_key, position_number, info_number, info_text, info_number2"
    " FROM labour_info WHERE catalogue_key = ? AND position_number = ? ORDER BY info_number";
const char kTeileClearingFromHG[] =
    "SELECT catalogue_key, main_group, type_key, position_number, country_code, extra_code,"
    " month_from, month_to, mark FROM parts_clearing"
    " WHERE catalogue_key = ? AND type_key = ? AND country_code = ? AND main_group = ?"
    " AND extra_code IN (?, '') AND month_from <= ? AND month_to >= ?"
    " ORDER BY position_number, extra_code DESC";
const char kTeileClearing[] =
    "SELECT catalogue_key, main_group, type_key, position_number, country_code, extra_code,"
    " month_from, month_to, mark FROM parts_clearing"
    " WHERE catalogue_key = ? AND type_key = ? AND country_code = ? AND main_group = ?"
    " AND position_number = ? AND extra_code IN (?, '') AND month_from <= ? AND month_to >= ?"
    " ORDER BY position_number, extra_code DESC";
const char kAPosWert[] =
    "SELECT catalogue_key, position_number, unit_code, lead_type, extra_code, work_units, remark,"
    " flag FROM labour_value"
    " WHERE catalogue_key = ? AND position_number = ? AND lead_type = ? AND extra_code = ?"
    " ORDER BY unit_code";
} // namespace

int CYaqDb::ReadAPosWertDataFromHG(CAPosWertData &rec)
{
    return Select(kAPosWertFromHG,
                  {Key(rec.m_strKatBstNr), Key(rec.m_strAPosNr.left(2)), Key(rec.m_strLTyp),
                   Key(rec.m_strZusatz)},
                  rec);
}

int CYaqDb::ReadAPosWertDataAWKFromHG(CAPosWertData &rec)
{
    // The catalogue page reads the same rows of the main group.
    return Select(kAPosWertFromHG,
                  {Key(rec.m_strKatBstNr), Key(rec.m_strAPosNr.left(2)), Key(rec.m_strLTyp),
                   Key(rec.m_strZusatz)},
                  rec);
}

int CYaqDb::ReadAPosWertData(CAPosWertData &rec)
{
    return Select(
        kAPosWert,
        {Key(rec.m_strKatBstNr), Key(rec.m_strAPosNr), Key(rec.m_strLTyp), Key(rec.m_strZusatz)},
        rec);
}

int CYaqDb::ReadNextAPosWertData(CAPosWertData &rec)
{
    BindColumns(&rec);
    return ReadNext();
}

int CYaqDb::ReadAPosInfoDataFromHG(CAPosInfoData &rec)
{
    return Select(kAPosInfoFromHG, {Key(rec.m_strKatBstNr), Key(rec.m_strAPosNr.left(2))}, rec);
}

int CYaqDb::ReadAPosInfoData(CAPosInfoData &rec)
{
    return Select(kAPosInfo, {Key(rec.m_strKatBstNr), Key(rec.m_strAPosNr)}, rec);
}

namespace {
// The lines of a main group as the check of a position's line reads them:
// line, number and column flags, from the index alone (text and work units
// stay empty).
const char kAwGroupLines[] =
    "SELECT catalogue_key, type_number, main_group, line_number, position_number, '', '',"
    " column_flags FROM catalogue_line WHERE catalogue_key = ? AND type_number = ?"
    " AND main_group = ? ORDER BY position_number, line_number";
const char kAwLinesOfNumber[] =
    "SELECT catalogue_key, type_number, main_group, line_number, position_number, line_text,"
    " work_units, column_flags FROM catalogue_line WHERE catalogue_key = ? AND type_number = ?"
    " AND main_group = ? AND position_number = ? ORDER BY line_number";
} // namespace

int CYaqDb::ReadAwKatZeilenNrFromHG(CAwKatZeileData &rec)
{
    return Select(kAwGroupLines, {Key(rec.m_strKatBstNr), Key(rec.m_strTypNr), Key(rec.m_strHG)},
                  rec);
}

int CYaqDb::ReadAwKatZZeilenNr(CAwKatZeileData &rec)
{
    return Select(kAwLinesOfNumber,
                  {Key(rec.m_strKatBstNr), Key(rec.m_strTypNr),
                   Key(rec.m_strHG.isEmpty() ? rec.m_strAPosNr.left(2) : rec.m_strHG),
                   Key(rec.m_strAPosNr)},
                  rec);
}

int CYaqDb::ReadTeileClearingData(CTeileClearingData &rec, const QString &zusatz,
                                  const QString &monthKey)
{
    if (!rec.m_strAPosNr.isEmpty())
        return Select(kTeileClearing,
                      {Key(rec.m_strKatBstNr), Key(rec.m_strTypSchl), Key(rec.m_strLaendercode),
                       Key(rec.m_strAPosNr.left(2)), rec.m_strAPosNr, Key(zusatz), Key(monthKey),
                       Key(monthKey)},
                      rec);
    return Select(kTeileClearingFromHG,
                  {Key(rec.m_strKatBstNr), Key(rec.m_strTypSchl), Key(rec.m_strLaendercode),
                   Key(rec.m_strHG), Key(zusatz), Key(monthKey), Key(monthKey)},
                  rec);
}

int CYaqDb::SelectSRPPaketeDataOnTypSchl(CSRPPaketeData &rec, const QString &zusatz,
                                         const QString &typSchl)
{
    return Select("SELECT catalogue_key, package_number, type_key, extra_code, country, description"
                  " FROM srp_package WHERE catalogue_key = ? AND package_number = ?"
                  " AND type_key = ? AND extra_code IN (?, '') ORDER BY extra_code DESC, country",
                  {Key(rec.m_strKatBstNr), Key(rec.m_strPaketNr), Key(typSchl), Key(zusatz)}, rec);
}

// --- package list of a vehicle ------------------------------------------------

namespace {
#define YAQ_PACKAGE_LINE_SELECT                                                                    \
    "SELECT catalogue_key, type_key, main_group, package_kind, own_number, package_number, extra," \
    " origin, text_key, line_text, second_key, line_number FROM srp_package_line"
#define YAQ_PACKAGE_LINE_VALID " AND valid_from <= ? AND valid_to >= ?"
const char kMainGroups[] =
    "SELECT catalogue_key, language, type_number, main_group, group_text, text2, text3"
    " FROM aw_main_group WHERE catalogue_key = ? AND language = ? AND type_number = ?"
    " ORDER BY main_group";
// Package lines of one kind over every main group: the top rows.
const char kLinesOfKind[] =
    YAQ_PACKAGE_LINE_SELECT " WHERE catalogue_key = ? AND type_key = ? AND package_kind = ?"
                            " AND valid_from <= ? AND valid_to >= ?"
                            " ORDER BY main_group, line_number, sort_order";
// One kind of one main group: the first and second group levels.
const char kLinesOfKindInGroup[] = YAQ_PACKAGE_LINE_SELECT
    " WHERE catalogue_key = ? AND type_key = ? AND package_kind = ?"
    " AND main_group = ?" YAQ_PACKAGE_LINE_VALID " ORDER BY line_number, sort_order";
const char kLinesOfKindInGroupWithText[] =
    YAQ_PACKAGE_LINE_SELECT " WHERE catalogue_key = ? AND type_key = ? AND package_kind = ?"
                            " AND main_group = ? AND line_text = ?" YAQ_PACKAGE_LINE_VALID
                            " ORDER BY line_number, sort_order";
// Every kind of one main group: the packages.
const char kLinesOfGroup[] =
    YAQ_PACKAGE_LINE_SELECT " WHERE catalogue_key = ? AND type_key = ? AND main_group = ?"
                            " AND valid_from <= ? AND valid_to >= ?"
                            " ORDER BY line_number, sort_order";
const char kLinesOfPackage[] =
    YAQ_PACKAGE_LINE_SELECT " WHERE catalogue_key = ? AND type_key = ? AND package_number = ?"
                            " AND main_group = ? ORDER BY line_number";
#undef YAQ_PACKAGE_LINE_SELECT
#undef YAQ_PACKAGE_LINE_VALID
#define YAQ_PACKAGE_ALT_SELECT                                                                     \
    "SELECT catalogue_key, type_key, main_group, own_number, package_number, extra, origin,"       \
    " valid_from, valid_to FROM srp_package_alt WHERE catalogue_key = ? AND type_key = ?"
const char kAltPackages[] = YAQ_PACKAGE_ALT_SELECT " ORDER BY main_group, package_number";
const char kAltPackagesOfGroup[] =
    YAQ_PACKAGE_ALT_SELECT " AND main_group = ? ORDER BY main_group, package_number";
#undef YAQ_PACKAGE_ALT_SELECT
const char kAltMainGroup[] =
    "SELECT type_number, language, catalogue_key, main_group, group_text FROM alt_aw_main_group"
    " WHERE type_number = ? AND language = ? AND catalogue_key = ? AND main_group = ?";
const char kAltSubGroup[] =
    "SELECT type_number, main_group, language, sub_group, text1, text2 FROM alt_aw_sub_group"
    " WHERE type_number = ? AND main_group = ? AND language = ? AND sub_group = ?";
const char kGroupTitles[] =
    "SELECT catalogue_key, '', main_group, text_key, language, '', line_text, extra, range_end,"
    " title FROM aw_group_text"
    " WHERE catalogue_key = ? AND main_group = ? AND text_key = ? AND language = ?"
    " ORDER BY sort_order";
const char kSubGroupTitle[] =
    "SELECT catalogue_key, type_number, main_group, '', language, second_key, '', '', range_end,"
    " title FROM aw_subgroup_text WHERE catalogue_key = ? AND type_number = ?"
    " AND main_group = ? AND language = ? AND second_key = ?";
const char kPositionTexts[] =
    "SELECT catalogue_key, language, model_series, position_number, text1, text2, text3, text4,"
    " bracket1, bracket2, bracket3, bracket4 FROM apos_text"
    " WHERE catalogue_key = ? AND language = ? AND model_series = ? AND position_number = ?";
// The texts of every position of one main group: position numbers from the
// group's two characters up to the next group's.
const char kPositionTextsOfGroup[] =
    "SELECT catalogue_key, language, model_series, position_number, text1, text2, text3, text4,"
    " bracket1, bracket2, bracket3, bracket4 FROM apos_text"
    " WHERE catalogue_key = ? AND language = ? AND model_series = ? AND position_number >= ?"
    " AND position_number < ? ORDER BY position_number";
const char kFindingsPositions[] =
    "SELECT catalogue_key, package_number, position_key FROM findings_position"
    " WHERE catalogue_key = ? AND package_number = ? ORDER BY sort_order";
const char kContractList[] =
    "SELECT catalogue_key, list_number, mask, valid_from, valid_to FROM hlx_position_list"
    " WHERE catalogue_key = ? AND list_number = ? ORDER BY sort_order";

const std::pair<const char *, const char *> kPackageList[] = {
    {"main groups", kMainGroups},
    {"package lines of a kind", kLinesOfKind},
    {"package lines of a kind in a group", kLinesOfKindInGroup},
    {"package lines of a kind and line text", kLinesOfKindInGroupWithText},
    {"package lines of a group", kLinesOfGroup},
    {"lines of a package", kLinesOfPackage},
    {"alternative packages", kAltPackages},
    {"alternative packages of a group", kAltPackagesOfGroup},
    {"alternative main group", kAltMainGroup},
    {"alternative second-level group", kAltSubGroup},
    {"first group level titles", kGroupTitles},
    {"second group level title", kSubGroupTitle},
    {"position texts", kPositionTexts},
    {"position texts of a main group", kPositionTextsOfGroup},
    {"findings positions", kFindingsPositions},
    {"contract", kContractOption},
    {"contract position list", kContractList},
};
} // namespace

QString CYaqDb::PackageListQuery(const QString &name)
{
    for (const auto &query : kPackageList) {
        if (name == QLatin1String(query.first))
            return QLatin1String(query.second);
    }
    return {};
}

int CYaqDb::ReadAwKatHGData(CAwKatHGData &rec)
{
    return Select(kMainGroups, {Key(rec.m_strKatBstNr), Key(rec.m_strSprache), Key(rec.m_strTypNr)},
                  rec);
}

int CYaqDb::ReadSRPPaketeZeilenNrData(CSRPPaketeZeilenNrData &rec, const QString &productionDate)
{
    const QVariant date = Key(productionDate);
    const QVariant catalogue = Key(rec.m_strKatBstNr), type = Key(rec.m_strTypSchl);
    if (rec.m_strPaketArt.isEmpty())
        return Select(kLinesOfGroup, {catalogue, type, Key(rec.m_strHG), date, date}, rec);
    if (rec.m_strHG.isEmpty())
        return Select(kLinesOfKind, {catalogue, type, rec.m_strPaketArt, date, date}, rec);
    if (rec.m_strZeilenText.isEmpty())
        return Select(kLinesOfKindInGroup,
                      {catalogue, type, rec.m_strPaketArt, rec.m_strHG, date, date}, rec);
    return Select(
        kLinesOfKindInGroupWithText,
        {catalogue, type, rec.m_strPaketArt, rec.m_strHG, rec.m_strZeilenText, date, date}, rec);
}

int CYaqDb::SearchSRPPaketeZeilenNr(CSRPPaketeZeilenNrData &rec)
{
    return Select(
        kLinesOfPackage,
        {Key(rec.m_strKatBstNr), Key(rec.m_strTypSchl), Key(rec.m_strPaketNr), Key(rec.m_strHG)},
        rec);
}

int CYaqDb::ReadSRPPaketeAltKatData(CSRPPaketeAltKatData &rec, const QString &mainGroup)
{
    if (mainGroup.isEmpty())
        return Select(kAltPackages, {Key(rec.m_strKatBstNr), Key(rec.m_strTypSchl)}, rec);
    return Select(kAltPackagesOfGroup, {Key(rec.m_strKatBstNr), Key(rec.m_strTypSchl), mainGroup},
                  rec);
}

int CYaqDb::ReadAltAwKatHGData(CAltAwKatHGData &rec)
{
    return Select(
        kAltMainGroup,
        {Key(rec.m_strTypNr), Key(rec.m_strSprache), Key(rec.m_strKatBstNr), Key(rec.m_strHG)},
        rec);
}

int CYaqDb::ReadAltAwKatUGData(CAltAwKatUGData &rec)
{
    return Select(kAltSubGroup,
                  {Key(rec.m_strTypNr), Key(rec.m_strHG), Key(rec.m_strSprache), Key(rec.m_strUG)},
                  rec);
}

int CYaqDb::ReadAwKatUIVData(CAwKatZeileUIVAPosTxtData &rec)
{
    return Select(
        kGroupTitles,
        {Key(rec.m_strKatBstNr), Key(rec.m_strHG), Key(rec.m_strTextKey), Key(rec.m_strSprache)},
        rec);
}

int CYaqDb::ReadAwKatIVTxtData(CAwKatZeileUIVAPosTxtData &rec)
{
    return Select(kSubGroupTitle,
                  {Key(rec.m_strKatBstNr), Key(rec.m_strTypNr), Key(rec.m_strHG),
                   Key(rec.m_strSprache), Key(rec.m_strUGKey)},
                  rec);
}

int CYaqDb::ReadAPosTxtAPosKTxtData(CAPosTxtAPosKTxtData &rec)
{
    return Select(
        kPositionTexts,
        {Key(rec.m_strKatBstNr), Key(rec.m_strSprache), Key(rec.m_strEReihe), Key(rec.m_strAPosNr)},
        rec);
}

int CYaqDb::ReadAPosTxtOfHG(CAPosTxtAPosKTxtData &rec, const QString &mainGroup)
{
    if (mainGroup.isEmpty())
        return 0;
    // The first text after every text that begins with the main group.
    QString next = mainGroup;
    next[next.size() - 1] = QChar(next.back().unicode() + 1);
    return Select(
        kPositionTextsOfGroup,
        {Key(rec.m_strKatBstNr), Key(rec.m_strSprache), Key(rec.m_strEReihe), mainGroup, next},
        rec);
}

int CYaqDb::ReadBefAPosData(CBefAPosData &rec)
{
    return Select(kFindingsPositions, {Key(rec.m_strKatBstNr), Key(rec.m_strPaketNr)}, rec);
}

int CYaqDb::ReadHLXF12Data(CHLXF12Data &rec)
{
    return Select(kContractList, {Key(rec.m_strKatBstNr), Key(rec.m_strListNr)}, rec);
}

// --- package editing ------------------------------------------------------------

namespace {
const char kPackagePositions[] =
    "SELECT catalogue_key, package_number, position_number, kind, reference_number"
    " FROM srp_package_position WHERE catalogue_key = ? AND package_number = ?"
    " ORDER BY sort_order";
const char kPackageParts[] =
    "SELECT catalogue_key, package_number, part_number, part_position, quantity, kind,"
    " valid_from, valid_to, reference_position FROM srp_package_part"
    " WHERE catalogue_key = ? AND package_number = ? ORDER BY sort_order";
const char kPartText[] = "SELECT catalogue_key, part_number, language, part_text FROM srp_part_text"
                         " WHERE catalogue_key = ? AND part_number = ? AND language = ?";
#define YAQ_SUB_PACKAGE_SELECT                                                                     \
    "SELECT catalogue_key, type_key, package_number, origin, own_number, extra, package_kind"      \
    " FROM srp_package_line WHERE catalogue_key = ? AND type_key = ? AND package_number = ?"
// A country's rows, and the standard rows: their origin is one of the
// standard codes, bound one by one.
const char kSubPackagesOfCountry[] = YAQ_SUB_PACKAGE_SELECT
    " AND origin = ? AND valid_from <= ? AND valid_to >= ? ORDER BY line_number";
const char *SubPackagesStandard()
{
    static const QByteArray sql =
        QByteArrayLiteral(YAQ_SUB_PACKAGE_SELECT " AND origin IN (") +
        QByteArray("?, ").repeated(int(StandardPackageOrigins().size()) - 1) +
        QByteArrayLiteral("?) AND valid_from <= ? AND valid_to >= ? ORDER BY line_number");
    return sql.constData();
}
#undef YAQ_SUB_PACKAGE_SELECT
const char kMainGroupText[] =
    "SELECT catalogue_key, language, type_number, main_group, group_text FROM aw_main_group"
    " WHERE catalogue_key = ? AND language = ? AND type_number = ? AND main_group = ?";
const char kFindingsCodes[] =
    "SELECT catalogue_key, position_number, code FROM findings_code"
    " WHERE catalogue_key = ? AND position_number = ? ORDER BY sort_order";
#define YAQ_FINDING_LEVEL_SELECT                                                                   \
    "SELECT catalogue_key, language, main_group, sub_group, location, damage_key, level_text"      \
    " FROM finding_level_text WHERE catalogue_key = ? AND language = ? AND main_group = ?"
const char kFindingMainGroup[] =
    YAQ_FINDING_LEVEL_SELECT " AND sub_group = '' AND location = '' AND damage_key = ''";
const char kFindingSubGroup[] =
    YAQ_FINDING_LEVEL_SELECT " AND sub_group = ? AND location = '' AND damage_key = ''";
const char kFindingLocation[] =
    YAQ_FINDING_LEVEL_SELECT " AND sub_group = ? AND location = ? AND damage_key = ''";
// The levels below, in key order: "> ''" keeps the walk on the index.
const char kFindingSubGroups[] =
    YAQ_FINDING_LEVEL_SELECT " AND sub_group > '' AND location = '' AND damage_key = ''"
                             " ORDER BY sub_group";
const char kFindingLocations[] = YAQ_FINDING_LEVEL_SELECT
    " AND sub_group = ? AND location > '' AND damage_key = '' ORDER BY location";
const char kFindingDamageKeys[] =
    YAQ_FINDING_LEVEL_SELECT " AND sub_group = ? AND location = ? AND damage_key > ''"
                             " ORDER BY damage_key";
#undef YAQ_FINDING_LEVEL_SELECT
const char kFindingText[] =
    "SELECT catalogue_key, finding_number, language, finding_text FROM finding_text"
    " WHERE catalogue_key = ? AND finding_number = ? AND language = ?";

const std::pair<const char *, const char *> kPackageEdit[] = {
    {"labour positions of a package", kPackagePositions},
    {"parts of a package", kPackageParts},
    {"part text", kPartText},
    {"sub-packages of a country", kSubPackagesOfCountry},
    {"standard sub-packages", SubPackagesStandard()},
    {"main group text", kMainGroupText},
    {"findings codes", kFindingsCodes},
    {"finding main group", kFindingMainGroup},
    {"finding subgroup", kFindingSubGroup},
    {"finding location", kFindingLocation},
    {"finding subgroups", kFindingSubGroups},
    {"finding locations", kFindingLocations},
    {"finding damage keys", kFindingDamageKeys},
    {"finding text", kFindingText},
};
} // namespace

QString CYaqDb::PackageEditQuery(const QString &name)
{
    for (const auto &query : kPackageEdit) {
        if (name == QLatin1String(query.first))
            return QLatin1String(query.second);
    }
    return {};
}

int CYaqDb::ReadSRPAPosData(CSRPAPosData &rec)
{
    return Select(kPackagePositions, {Key(rec.m_strKatBstNr), Key(rec.m_strPaketNr)}, rec);
}

int CYaqDb::ReadSRPTeileData(CSRPTeileData &rec)
{
    return Select(kPackageParts, {Key(rec.m_strKatBstNr), Key(rec.m_strPaketNr)}, rec);
}

int CYaqDb::ReadSRPTeileTextData(CSRPTeileTextData &rec)
{
    return Select(kPartText, {Key(rec.m_strKatBstNr), Key(rec.m_strTeileNr), Key(rec.m_strSprache)},
                  rec);
}

int CYaqDb::SelectSRPUnterPaketData(CSRPUnterPaketData &rec, const QString &productionDate)
{
    const QVariant date = Key(productionDate);
    const QVariantList keys = {Key(rec.m_strKatBstNr), Key(rec.m_strTypSchl),
                               Key(rec.m_strPaketNr)};
    if (IsStandardPackageOrigin(rec.m_strHerkunft)) {
        QVariantList binds = keys;
        for (const QString &origin : StandardPackageOrigins())
            binds << Key(origin);
        return Select(SubPackagesStandard(), binds + QVariantList{date, date}, rec);
    }
    return Select(kSubPackagesOfCountry, keys + QVariantList{Key(rec.m_strHerkunft), date, date},
                  rec);
}

int CYaqDb::ReadAPosHgTxtData(CAPosHgTxtData &rec)
{
    return Select(
        kMainGroupText,
        {Key(rec.m_strKatBstNr), Key(rec.m_strSprache), Key(rec.m_strTypNr), Key(rec.m_strHG)},
        rec);
}

int CYaqDb::SelectAPosBef(CBefCodeData &rec)
{
    return Select(kFindingsCodes, {Key(rec.m_strKatBstNr), Key(rec.m_strAPosNr)}, rec);
}

int CYaqDb::SelectBefTxtHGData(CBefTxtData &rec)
{
    return Select(kFindingMainGroup,
                  {Key(rec.m_strKatBstNr), Key(rec.m_strSprache), Key(rec.m_strHG)}, rec);
}

int CYaqDb::SelectBefTxtUGData(CBefTxtData &rec)
{
    return Select(
        kFindingSubGroup,
        {Key(rec.m_strKatBstNr), Key(rec.m_strSprache), Key(rec.m_strHG), Key(rec.m_strUG)}, rec);
}

int CYaqDb::SelectBefTxtOrtData(CBefTxtData &rec)
{
    return Select(kFindingLocation,
                  {Key(rec.m_strKatBstNr), Key(rec.m_strSprache), Key(rec.m_strHG),
                   Key(rec.m_strUG), Key(rec.m_strOrt)},
                  rec);
}

int CYaqDb::ReadBefTxtUGData(CBefTxtData &rec)
{
    return Select(kFindingSubGroups,
                  {Key(rec.m_strKatBstNr), Key(rec.m_strSprache), Key(rec.m_strHG)}, rec);
}

int CYaqDb::ReadBefTxtOrtData(CBefTxtData &rec)
{
    return Select(
        kFindingLocations,
        {Key(rec.m_strKatBstNr), Key(rec.m_strSprache), Key(rec.m_strHG), Key(rec.m_strUG)}, rec);
}

int CYaqDb::ReadBefTxtSkData(CBefTxtData &rec)
{
    return Select(kFindingDamageKeys,
                  {Key(rec.m_strKatBstNr), Key(rec.m_strSprache), Key(rec.m_strHG),
                   Key(rec.m_strUG), Key(rec.m_strOrt)},
                  rec);
}

int CYaqDb::ReadSBefTxtData(CSBefTxtData &rec)
{
    return Select(kFindingText,
                  {Key(rec.m_strKatBstNr), Key(rec.m_strBefNr), Key(rec.m_strSprache)}, rec);
}

// --- labour-value catalogue page ---------------------------------------------

namespace {
#define YAQ_AW_GROUP_SELECT                                                                        \
    "SELECT catalogue_key, type_number, main_group, language, level, line_from, line_to,"          \
    " group_code, marker, group_text FROM aw_catalogue_group"                                      \
    " WHERE catalogue_key = ? AND type_number = ? AND main_group = ? AND language = ?"
const char kAwSubGroups[] = YAQ_AW_GROUP_SELECT " AND level = '2' ORDER BY line_from";
const char kAwThirdLevel[] =
    YAQ_AW_GROUP_SELECT " AND level = '3' AND line_from >= ? AND line_from <= ? ORDER BY line_from";
#undef YAQ_AW_GROUP_SELECT
#define YAQ_AW_POSITION_SELECT                                                                     \
    "SELECT catalogue_key, type_number, main_group, language, line_number, position_number,"       \
    " relation_code, reference, visibility, separator, bracket_marker, variants, text1, text2,"    \
    " text3, text4, bracket1, bracket2, bracket3, bracket4 FROM aw_catalogue_position"
const char kAwPositions[] =
    YAQ_AW_POSITION_SELECT " WHERE catalogue_key = ? AND type_number = ? AND main_group = ?"
                           " AND language = ? AND line_number >= ? AND line_number <= ?"
                           " ORDER BY line_number";
const char kAwPositionLines[] =
    YAQ_AW_POSITION_SELECT " WHERE catalogue_key = ? AND type_number = ? AND position_number = ?"
                           " ORDER BY main_group, line_number";
const char kAwPositionLinesOfGroup[] =
    YAQ_AW_POSITION_SELECT " WHERE catalogue_key = ? AND type_number = ? AND position_number = ?"
                           " AND main_group = ? ORDER BY line_number";
#undef YAQ_AW_POSITION_SELECT
const char kAwLineValues[] =
    "SELECT catalogue_key, type_number, main_group, line_number, unit, paint_stage, build_status,"
    " column_values FROM aw_catalogue_value WHERE catalogue_key = ? AND type_number = ?"
    " AND main_group = ? AND line_number = ? ORDER BY sort_order";

const char kAltAwMainGroups[] =
    "SELECT type_number, language, catalogue_key, main_group, group_text FROM alt_aw_main_group"
    " WHERE type_number = ? AND language = ? AND catalogue_key = ? ORDER BY main_group";
const char kAltAwSubGroups[] =
    "SELECT type_number, main_group, language, sub_group, text1, text2 FROM alt_aw_sub_group"
    " WHERE type_number = ? AND main_group = ? AND language = ? ORDER BY sub_group";
const char kAltAwPositions[] =
    "SELECT type_number, main_group, sub_group, position_code FROM alt_aw_position"
    " WHERE type_number = ? AND main_group = ? ORDER BY sort_order";

const std::pair<const char *, const char *> kAwCatalogue[] = {
    {"catalogue subgroups", kAwSubGroups},
    {"catalogue third level", kAwThirdLevel},
    {"catalogue positions", kAwPositions},
    {"catalogue lines of a position", kAwPositionLines},
    {"catalogue lines of a position in a group", kAwPositionLinesOfGroup},
    {"catalogue line values", kAwLineValues},
    {"catalogue lines of a main group", kAwGroupLines},
    {"catalogue lines of a position number", kAwLinesOfNumber},
    {"alternative main groups", kAltAwMainGroups},
    {"alternative groups of a main group", kAltAwSubGroups},
    {"alternative positions", kAltAwPositions},
    {"labour values of a main group", kAPosWertFromHG},
    {"labour values of a position", kAPosWert},
    {"infos of a main group", kAPosInfoFromHG},
    {"infos of a position", kAPosInfo},
    {"parts clearing of a main group", kTeileClearingFromHG},
    {"parts clearing of a position", kTeileClearing},
};
} // namespace

QString CYaqDb::AwCatalogueQuery(const QString &name)
{
    for (const auto &query : kAwCatalogue) {
        if (name == QLatin1String(query.first))
            return QLatin1String(query.second);
    }
    return {};
}

int CYaqDb::ReadAwKatSubGroupData(CAwKatGroupData &rec)
{
    return Select(
        kAwSubGroups,
        {Key(rec.m_strKatBstNr), Key(rec.m_strTypNr), Key(rec.m_strHG), Key(rec.m_strSprache)},
        rec);
}

int CYaqDb::ReadAwKatThirdLevelData(CAwKatGroupData &rec, const QString &from, const QString &to)
{
    return Select(kAwThirdLevel,
                  {Key(rec.m_strKatBstNr), Key(rec.m_strTypNr), Key(rec.m_strHG),
                   Key(rec.m_strSprache), Key(from), Key(to)},
                  rec);
}

int CYaqDb::ReadAwKatAPosData(CAwKatAPosData &rec, const QString &from, const QString &to)
{
    return Select(kAwPositions,
                  {Key(rec.m_strKatBstNr), Key(rec.m_strTypNr), Key(rec.m_strHG),
                   Key(rec.m_strSprache), Key(from), Key(to)},
                  rec);
}

int CYaqDb::ReadAwKatAPosLines(CAwKatAPosData &rec)
{
    if (rec.m_strHG.isEmpty())
        return Select(kAwPositionLines,
                      {Key(rec.m_strKatBstNr), Key(rec.m_strTypNr), Key(rec.m_strAPosNr)}, rec);
    return Select(
        kAwPositionLinesOfGroup,
        {Key(rec.m_strKatBstNr), Key(rec.m_strTypNr), Key(rec.m_strAPosNr), Key(rec.m_strHG)}, rec);
}

int CYaqDb::ReadAwKatWertData(CAwKatWertData &rec)
{
    return Select(
        kAwLineValues,
        {Key(rec.m_strKatBstNr), Key(rec.m_strTypNr), Key(rec.m_strHG), Key(rec.m_strZeile)}, rec);
}

int CYaqDb::ReadAltAwKatHGList(CAltAwKatHGData &rec)
{
    return Select(kAltAwMainGroups,
                  {Key(rec.m_strTypNr), Key(rec.m_strSprache), Key(rec.m_strKatBstNr)}, rec);
}

int CYaqDb::ReadAltAwKatUGList(CAltAwKatUGData &rec)
{
    return Select(kAltAwSubGroups, {Key(rec.m_strTypNr), Key(rec.m_strHG), Key(rec.m_strSprache)},
                  rec);
}

int CYaqDb::ReadAltAwPosData(CAltAwPosData &rec)
{
    return Select(kAltAwPositions, {Key(rec.m_strTypNr), Key(rec.m_strHG)}, rec);
}

// --- findings page and scope texts -------------------------------------------

int CYaqDb::SelectBefTxtHGList(CBefTxtData &rec)
{
    return Select(kFindingMainGroups, {Key(rec.m_strKatBstNr), Key(rec.m_strSprache)}, rec);
}

int CYaqDb::SearchBefTxtData(CBefTxtData &rec, const QString &text)
{
    QString pattern = text.toLower();
    pattern.replace(QLatin1Char('!'), QLatin1String("!!"));
    pattern.replace(QLatin1Char('%'), QLatin1String("!%"));
    pattern.replace(QLatin1Char('_'), QLatin1String("!_"));
    pattern = QLatin1Char('%') + pattern + QLatin1Char('%');
    return Select(kFindingTextSearch, {Key(rec.m_strKatBstNr), Key(rec.m_strSprache), pattern},
                  rec);
}

int CYaqDb::SelectBefHinweise(CBefHinweisData &rec)
{
    return Select(kFindingHints, {Key(rec.m_strKatBstNr), Key(rec.m_strSprache)}, rec);
}

int CYaqDb::SelectAPosText(CAPosTextData &rec)
{
    return Select(kPositionTextLines,
                  {Key(rec.m_strKatBstNr), Key(rec.m_strAPosNr), Key(rec.m_strSprache)}, rec);
}

int CYaqDb::SelectBefCodesOfHG(CBefCodeData &rec, const QString &mainGroup)
{
    if (mainGroup.isEmpty())
        return 0;
    // The first code after every code that begins with the main group.
    QString next = mainGroup;
    next[next.size() - 1] = QChar(next.back().unicode() + 1);
    return Select(kFindingCodesOfGroup, {Key(rec.m_strKatBstNr), mainGroup, next}, rec);
}

int CYaqDb::ReadAPosUmfNrData(CAPosUmfNrData &rec)
{
    return Select(kScopeNumber, {Key(rec.m_strAPosNr), Key(rec.m_strLTyp), Key(rec.m_strZusatz)},
                  rec);
}

int CYaqDb::ReadUmfTxtData(CUmfTxtData &rec)
{
    return Select(kScopeLines, {Key(rec.m_strUmfNr), Key(rec.m_strSprache)}, rec);
}

int CYaqDb::ReadInklNrData(CInklNrData &rec)
{
    return Select(
        kInclusiveNumber,
        {Key(rec.m_strKatBstNr), Key(rec.m_strAPosNr), Key(rec.m_strLTyp), Key(rec.m_strZusatz)},
        rec);
}

int CYaqDb::ReadInklAPosData(CInklAPosData &rec)
{
    return Select(kInclusivePositions, {Key(rec.m_strKatBstNr), Key(rec.m_strInklNr)}, rec);
}

int FailuresOf(std::initializer_list<const CYaqDb *> dbs)
{
    int failures = 0;
    for (const CYaqDb *db : dbs) {
        if (db)
            failures += db->Failures();
    }
    return failures;
}
