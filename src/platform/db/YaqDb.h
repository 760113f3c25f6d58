#pragma once
// CYaqDb: the catalogue database with one named operation per query. Each
// operation takes a record with its key fields set, fills it with the first
// row and answers nonzero when a row was found; ReadNext (or the matching
// ReadNext... operation) continues that result set. One result set is open
// per connection: a nested walk needs a second CYaqDb.
//
// A 0 answer is "no row" unless LastFailed() says the query failed.
//
// The connection kind follows from the open arguments:
//   - session id and application server given: an application-server
//     session (CWebDb): catalogue reads through the TNS name when given,
//     else the local data set; CheckSession/EndSession ask the server;
//   - local data-set folder given: the SQLite catalogue "YAQ2.dat" in it
//     (CFileDb);
//   - else a TNS name: the PostgreSQL server (COracleDb), named as
//     "(DESCRIPTION=(ADDRESS=(HOST=h)(PORT=p))(CONNECT_DATA=(SID=db)))" or
//     "host:port/db".

#include "platform/db/CatalogueFailure.h"
#include "platform/db/YaqData.h"
#include "platform/db/YaqDataSrc.h"

#include <initializer_list>

class CYaqDb : public CYaqDataSrc
{
public:
    CYaqDb();
    ~CYaqDb() override;

    // Nonzero when connected. reserved: the fourth value of the open as the
    // main window passes it, always 0; no kind of connection reads it.
    int Open(const QString &tns, const QString &user, const QString &password, int reserved,
             const QString &localDataDir, const QString &appServer,
             const QString &sessionId) override;

    // --- vehicle identification ---
    // The query text of a read below by name ("vin range", "vin range with
    // its type", "type by type key", ..., and the reads of the findings
    // page and the scope texts; see YaqDb.cpp), so that its plan
    // can be checked against the catalogue's indexes and its cost compared
    // with the bare query; an empty text for an unknown name.
    static QString IdentificationQuery(const QString &name);

    // VIN ranges containing the short VIN, with their type
    // (keys m_strFgstNr, m_strFgstTyp); nearest range first.
    int ReadFgstnrTypSchlData(CFgstnrTypSchlData &rec);
    // As above for the special short VIN (digit + letter); rows in range order.
    int ReadFgstnrTypSchlDataSpecial(CFgstnrTypSchlData &rec);
    // The type by type key alone (key m_strTypSchl); first catalogue first.
    int ReadTypSchlData(CFgstnrTypSchlData &rec);
    // Local data set: the VIN ranges containing the short VIN (keys
    // m_strFgstNr, m_strFgstTyp), the one with the nearest start first.
    int ReadFgstnrData(CFgstnrData &rec);
    // Local data set, special short VIN: the containing ranges in that order.
    int ReadFgstnrDataSonderfall(CFgstnrData &rec);
    // Every VIN range (of any VIN type part) that contains the short VIN
    // (key m_strFgstNr); the callers count them. Its cost does not grow
    // with the number of ranges.
    int ReadVin17Data(CFgstnrData &rec);
    // How many vehicles share the short VIN, counted up to two: two are
    // enough to say that a 7-character VIN names no vehicle for sure. A
    // short VIN of the special form counts only ranges of that form.
    // typePart (when given): the VIN type part of the last vehicle counted.
    // A read that failed says so.
    CatalogueAnswer<int> CountShortVin(const QString &shortVin, QString *typePart = nullptr);
    // Brand of a type key (key m_strTypSchl).
    int GetMarkeFromTypschl(CMarkeData &rec);
    // Type of a catalogue (keys m_strKatBstNr, m_strTypSchl).
    int ReadTypSchlData2(CTypSchlData &rec);

    // --- catalogues and columns ---
    // Catalogue rows; keys m_strKatBstNr and m_strEReihe and the country,
    // each restricting only when not empty.
    int ReadAwKatalogDataOnEreihe(CAwKatalogData &rec, const QString &country);
    // The column of a lead type (keys m_strKatBstNr, m_strLTyp).
    int RdAwKatSpDatOnKatBstNr(CAwKatSpalteData &rec);
    // Columns of a type number in column order (keys m_strKatBstNr, m_strTypNr).
    int ReadAwKatSpalteDataOnSpBez(CAwKatSpalteData &rec);
    // Columns of a model designation (keys m_strKatBstNr, m_strTypNr, m_strSpBez).
    int ReadAwKatSpalteDataOnLTypSpNr(CAwKatSpalteData &rec);
    // Alternative lead types: by m_strLTyp when set, else by the first 8
    // characters of m_strTypNr and, when set, m_strVerkBez.
    int ReadAltLtypData(CAltLtypData &rec);
    // Alternative catalogues: by m_strTypNr, every row when it is empty.
    int ReadAltKatData(CAltKatData &rec);

    // --- maintenance topics, reports ---
    // Keys m_strKatBstNr and m_strTypSchl; with an empty type key m_strLTyp.
    int ReadSBLIDData(CSBLIDData &rec);
    // The latest catalogue report (no key).
    int ReadReportMaxData(CReportData &rec);

    // --- inclusive-service contracts ---
    int ReadHLXFgstnrData(CHLXFgstnrData &rec); // keys m_strKatBstNr, m_strFgstNr
    int ReadHLXNrData(CHLXNrData &rec);         // keys m_strKatBstNr, m_strOptionNr
    int ReadHLXRefData(CHLXRefData &rec);       // keys m_strKatBstNr, m_strEReihe
    int ReadHLXLinkData(CHLXLinkData &rec);     // keys m_strKatBstNr, m_strOptionNr

    // --- labour values ---
    // Every value row of a main group (m_strAPosNr holds the main group;
    // keys m_strKatBstNr, m_strLTyp, m_strZusatz), by position and unit.
    int ReadAPosWertDataFromHG(CAPosWertData &rec);
    int ReadAPosWertDataAWKFromHG(CAPosWertData &rec);
    // Value rows of one position (keys m_strKatBstNr, m_strAPosNr, m_strLTyp,
    // m_strZusatz); ReadNextAPosWertData continues.
    int ReadAPosWertData(CAPosWertData &rec);
    int ReadNextAPosWertData(CAPosWertData &rec);
    // Info rows of a main group (m_strAPosNr holds it) or of one position.
    int ReadAPosInfoDataFromHG(CAPosInfoData &rec);
    int ReadAPosInfoData(CAPosInfoData &rec);
    // Catalogue lines of a main group (keys m_strKatBstNr, m_strTypNr, m_strHG;
    // what the check of a position's line needs: line, number and column
    // flags, text and work units empty) or of one position (plus
    // m_strAPosNr, every field).
    int ReadAwKatZeilenNrFromHG(CAwKatZeileData &rec);
    int ReadAwKatZZeilenNr(CAwKatZeileData &rec);
    // Parts clearing of a main group (m_strAPosNr empty) or of one position;
    // keys m_strKatBstNr, m_strTypSchl, m_strLaendercode, the additional code
    // (rows with an empty one apply to all) and the month YYYYMM.
    int ReadTeileClearingData(CTeileClearingData &rec, const QString &zusatz,
                              const QString &monthKey);
    // Packages of a type (keys m_strKatBstNr, m_strPaketNr); rows with an
    // empty additional code apply to all.
    int SelectSRPPaketeDataOnTypSchl(CSRPPaketeData &rec, const QString &zusatz,
                                     const QString &typSchl);

    // --- package list of a vehicle ---
    // The query text of a read below by name ("package lines of a kind",
    // ...; see YaqDb.cpp), for the plan checks and the benchmark; an empty
    // text for an unknown name.
    static QString PackageListQuery(const QString &name);

    // Main groups with their titles (keys m_strKatBstNr, m_strSprache,
    // m_strTypNr), in group order.
    int ReadAwKatHGData(CAwKatHGData &rec);
    // Package lines valid for the production date (YYYYMMDD) in line order;
    // keys m_strKatBstNr, m_strTypSchl and, each restricting only when not
    // empty, m_strPaketArt and m_strHG; with a kind and a group also
    // m_strZeilenText when not empty.
    int ReadSRPPaketeZeilenNrData(CSRPPaketeZeilenNrData &rec, const QString &productionDate);
    // The lines of one package (keys m_strKatBstNr, m_strTypSchl, m_strHG,
    // m_strPaketNr), the smallest line number first.
    int SearchSRPPaketeZeilenNr(CSRPPaketeZeilenNrData &rec);
    // Packages of the alternative catalogue (keys m_strKatBstNr,
    // m_strTypSchl) of a main group, of every group when it is empty; in
    // number order.
    int ReadSRPPaketeAltKatData(CSRPPaketeAltKatData &rec, const QString &mainGroup);
    // Title of a main group of the alternative catalogue (keys m_strTypNr,
    // m_strSprache, m_strKatBstNr, m_strHG).
    int ReadAltAwKatHGData(CAltAwKatHGData &rec);
    // Title of a second-level group of the alternative catalogue (keys
    // m_strTypNr, m_strHG, m_strSprache, m_strUG).
    int ReadAltAwKatUGData(CAltAwKatUGData &rec);
    // First group level's titles of a text key (keys m_strKatBstNr, m_strHG,
    // m_strTextKey, m_strSprache), one per line text, in catalogue order.
    int ReadAwKatUIVData(CAwKatZeileUIVAPosTxtData &rec);
    // Second group level's title (keys m_strKatBstNr, m_strTypNr, m_strHG,
    // m_strSprache, m_strUGKey).
    int ReadAwKatIVTxtData(CAwKatZeileUIVAPosTxtData &rec);
    // Text lines and bracket lines of a number (keys m_strKatBstNr,
    // m_strSprache, m_strEReihe, m_strAPosNr).
    int ReadAPosTxtAPosKTxtData(CAPosTxtAPosKTxtData &rec);
    // The texts of every position whose number begins with the main group
    // (keys m_strKatBstNr, m_strSprache, m_strEReihe), in number order.
    int ReadAPosTxtOfHG(CAPosTxtAPosKTxtData &rec, const QString &mainGroup);
    // Findings positions of a package (keys m_strKatBstNr, m_strPaketNr).
    int ReadBefAPosData(CBefAPosData &rec);
    // Entries of an inclusive-service position list (keys m_strKatBstNr,
    // m_strListNr), in list order.
    int ReadHLXF12Data(CHLXF12Data &rec);

    // --- package editing ---
    // The query text of a read below by name ("labour positions of a
    // package", ...; see YaqDb.cpp), for the plan checks and the benchmark;
    // an empty text for an unknown name.
    static QString PackageEditQuery(const QString &name);

    // Labour positions of a package (keys m_strKatBstNr, m_strPaketNr), in
    // the catalogue's order.
    int ReadSRPAPosData(CSRPAPosData &rec);
    // Parts of a package (keys m_strKatBstNr, m_strPaketNr), in the
    // catalogue's order; the caller checks their validity.
    int ReadSRPTeileData(CSRPTeileData &rec);
    // Text of a part (keys m_strKatBstNr, m_strTeileNr, m_strSprache).
    int ReadSRPTeileTextData(CSRPTeileTextData &rec);
    // Packages a labour position stands for, valid for the production date
    // (YYYYMMDD), in line order (keys m_strKatBstNr, m_strTypSchl,
    // m_strPaketNr, m_strHerkunft; a standard origin, "YAQ" say, reads the
    // rows of every standard origin: IsStandardPackageOrigin).
    int SelectSRPUnterPaketData(CSRPUnterPaketData &rec, const QString &productionDate);
    // Text of a main group (keys m_strKatBstNr, m_strSprache, m_strTypNr, m_strHG).
    int ReadAPosHgTxtData(CAPosHgTxtData &rec);
    // Findings codes of a labour position (keys m_strKatBstNr, m_strAPosNr).
    int SelectAPosBef(CBefCodeData &rec);
    // One level of the findings texts (keys m_strKatBstNr, m_strSprache,
    // m_strHG and as the read says m_strUG, m_strOrt): Select... reads the
    // level's own row, Read... the rows of the level below it in key order.
    int SelectBefTxtHGData(CBefTxtData &rec);
    int SelectBefTxtUGData(CBefTxtData &rec);
    int SelectBefTxtOrtData(CBefTxtData &rec);
    int ReadBefTxtUGData(CBefTxtData &rec);
    int ReadBefTxtOrtData(CBefTxtData &rec);
    int ReadBefTxtSkData(CBefTxtData &rec);
    // Text of a finding (keys m_strKatBstNr, m_strBefNr, m_strSprache).
    int ReadSBefTxtData(CSBefTxtData &rec);

    // --- labour-value catalogue page ---
    // The query text of a read below by name ("catalogue subgroups", ...,
    // and the labour values the cached readers read; see YaqDb.cpp), for
    // the plan checks and the benchmark; an empty text for an unknown name.
    static QString AwCatalogueQuery(const QString &name);
    // Subgroups of a main group (keys m_strKatBstNr, m_strTypNr, m_strHG,
    // m_strSprache), in line order.
    int ReadAwKatSubGroupData(CAwKatGroupData &rec);
    // Third-level rows of a main group whose first line lies in from..to
    // (same keys), in line order.
    int ReadAwKatThirdLevelData(CAwKatGroupData &rec, const QString &from, const QString &to);
    // Positions on the lines from..to of a main group (keys m_strKatBstNr,
    // m_strTypNr, m_strHG, m_strSprache), in line order.
    int ReadAwKatAPosData(CAwKatAPosData &rec, const QString &from, const QString &to);
    // The lines of a position number (keys m_strKatBstNr, m_strTypNr,
    // m_strAPosNr and, when not empty, m_strHG), main group and line order.
    int ReadAwKatAPosLines(CAwKatAPosData &rec);
    // The column values of a catalogue line (keys m_strKatBstNr, m_strTypNr,
    // m_strHG, m_strZeile), in unit order.
    int ReadAwKatWertData(CAwKatWertData &rec);
    // The alternative catalogue: every main group with its title (keys
    // m_strTypNr, m_strSprache, m_strKatBstNr) in group order; the
    // second-level groups of a main group (keys m_strTypNr, m_strHG,
    // m_strSprache) in group order; the positions of a main group (keys
    // m_strTypNr, m_strHG) in the catalogue's order.
    int ReadAltAwKatHGList(CAltAwKatHGData &rec);
    int ReadAltAwKatUGList(CAltAwKatUGData &rec);
    int ReadAltAwPosData(CAltAwPosData &rec);

    // --- findings page and scope texts ---
    // Every findings main group with its text (keys m_strKatBstNr,
    // m_strSprache), in key order.
    int SelectBefTxtHGList(CBefTxtData &rec);
    // The findings levels whose text contains `text` without regard to case
    // (keys m_strKatBstNr, m_strSprache), in key order.
    int SearchBefTxtData(CBefTxtData &rec, const QString &text);
    // Every findings hint (keys m_strKatBstNr, m_strSprache), in key order.
    int SelectBefHinweise(CBefHinweisData &rec);
    // The text lines of a labour position (keys m_strAPosNr, m_strKatBstNr,
    // m_strSprache) of any model series.
    int SelectAPosText(CAPosTextData &rec);
    // The findings codes of every labour position that begin with the main
    // group (key m_strKatBstNr), in code order.
    int SelectBefCodesOfHG(CBefCodeData &rec, const QString &mainGroup);
    // The scope-text number of a labour position (keys m_strAPosNr,
    // m_strLTyp, m_strZusatz) and the lines of a scope text (keys
    // m_strUmfNr, m_strSprache) in line order.
    int ReadAPosUmfNrData(CAPosUmfNrData &rec);
    int ReadUmfTxtData(CUmfTxtData &rec);
    // The inclusive-position list of a labour position (keys m_strKatBstNr,
    // m_strAPosNr, m_strLTyp, m_strZusatz) and its positions (keys
    // m_strKatBstNr, m_strInklNr) in list order.
    int ReadInklNrData(CInklNrData &rec);
    int ReadInklAPosData(CInklAPosData &rec);

private:
    int Select(const char *sql, const QVariantList &binds, CYaqData &rec);
};

// The failed operations so far of the connections given, a null one
// counting none: a run of reads over several compares it before and after.
int FailuresOf(std::initializer_list<const CYaqDb *> dbs);
