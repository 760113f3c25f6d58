#pragma once
// The records of the catalogue database: plain records of text fields,
// created and owned by the caller. Init empties every field, TrimData
// removes the padding spaces at the end of every field
// (WithoutTrailingSpaces), copies copy every field.
// A query fills the fields in declaration order; the fields a query reads
// as keys are set by the caller before the query.

#include <QString>
#include <vector>

class CYaqData
{
public:
    CYaqData() = default;
    virtual ~CYaqData() = default;
    // Records move (a cache's rows grow without copying their texts).
    CYaqData(const CYaqData &) = default;
    CYaqData(CYaqData &&) noexcept = default;
    CYaqData &operator=(const CYaqData &) = default;
    CYaqData &operator=(CYaqData &&) noexcept = default;

    void Init();
    void TrimData();
    // The fields in declaration order (the order a query fills them in).
    virtual std::vector<QString *> Fields() = 0;
    // Each field in that order, without building the list: Init and
    // TrimData run once per row read.
    virtual void ForEachField(void (*visit)(QString &)) = 0;
};

#define YAQ_DATA_FIELDS(...)                                                                       \
    std::vector<QString *> Fields() override                                                       \
    {                                                                                              \
        return {__VA_ARGS__};                                                                      \
    }                                                                                              \
    void ForEachField(void (*visit)(QString &)) override                                           \
    {                                                                                              \
        for (QString * field : {__VA_ARGS__})                                                      \
            visit(*field);                                                                         \
    }

// Three free texts (kept for the library interface).
class CSaData : public CYaqData
{
public:
    QString m_strText1, m_strText2, m_strText3;
    YAQ_DATA_FIELDS(&m_strText1, &m_strText2, &m_strText3)
};

// Five free texts (kept for the library interface).
class CSchlNrData : public CYaqData
{
public:
    QString m_strText1, m_strText2, m_strText3, m_strText4, m_strText5;
    YAQ_DATA_FIELDS(&m_strText1, &m_strText2, &m_strText3, &m_strText4, &m_strText5)
};

// A VIN range of the catalogue (local data set identification).
// Keys: short VIN (last 7 characters) and VIN type part (positions 4 to 7).
class CFgstnrData : public CYaqData
{
public:
    QString m_strKatBstNr;  // catalogue key
    QString m_strFgstNr;    // short VIN (key)
    QString m_strVonFgstNr; // range start
    QString m_strBisFgstNr; // range end
    QString m_strTypSchl;   // type key
    QString m_strFgstTyp;   // VIN type part (key)
    QString m_strZusatz;    // additional code
    YAQ_DATA_FIELDS(&m_strKatBstNr, &m_strFgstNr, &m_strVonFgstNr, &m_strBisFgstNr, &m_strTypSchl,
                    &m_strFgstTyp, &m_strZusatz)
};

// A VIN range joined with its type (server identification), or a type read
// by type key alone (ReadTypSchlData).
class CFgstnrTypSchlData : public CYaqData
{
public:
    QString m_strKatBstNr;  // catalogue key
    QString m_strFgstNr;    // short VIN (key)
    QString m_strVonFgstNr; // range start
    QString m_strBisFgstNr; // range end
    QString m_strTypSchl;   // type key (key of ReadTypSchlData)
    QString m_strFgstTyp;   // VIN type part (key)
    QString m_strLTyp;      // lead type
    QString m_strVerkBez;   // model designation
    QString m_strEReihe;    // model series
    QString m_strZusatz;    // additional code
    QString m_strLand;      // country
    YAQ_DATA_FIELDS(&m_strKatBstNr, &m_strFgstNr, &m_strVonFgstNr, &m_strBisFgstNr, &m_strTypSchl,
                    &m_strFgstTyp, &m_strLTyp, &m_strVerkBez, &m_strEReihe, &m_strZusatz,
                    &m_strLand)
};

// The brand of a type key.
class CMarkeData : public CYaqData
{
public:
    QString m_strTypSchl; // type key (key)
    QString m_strMarke;   // brand code, e.g. "VQ"
    YAQ_DATA_FIELDS(&m_strTypSchl, &m_strMarke)
};

// A type of one catalogue.
class CTypSchlData : public CYaqData
{
public:
    QString m_strKatBstNr; // catalogue key (key)
    QString m_strTypSchl;  // type key (key)
    QString m_strLTyp;     // lead type
    QString m_strVerkBez;  // model designation
    QString m_strEReihe;   // model series
    QString m_strLand;     // country
    YAQ_DATA_FIELDS(&m_strKatBstNr, &m_strTypSchl, &m_strLTyp, &m_strVerkBez, &m_strEReihe,
                    &m_strLand)
};

// A catalogue row: one labour-value catalogue of a model series for a
// country and market. Keys: catalogue key, model series (both optional:
// an empty key does not restrict).
class CAwKatalogData : public CYaqData
{
public:
    QString m_strKatBstNr;    // catalogue key (key)
    QString m_strTypNr;       // type number
    QString m_strKatBez;      // catalogue description
    QString m_strEReihe;      // model-series code (key)
    QString m_strMarke;       // brand code
    QString m_strBaureihe;    // model range
    QString m_strMarktZusatz; // market suffix
    QString m_strLand;        // country
    QString m_strStand;       // catalogue edition
    YAQ_DATA_FIELDS(&m_strKatBstNr, &m_strTypNr, &m_strKatBez, &m_strEReihe, &m_strMarke,
                    &m_strBaureihe, &m_strMarktZusatz, &m_strLand, &m_strStand)
};

// A catalogue column: one model (lead type) of a catalogue's type number.
class CAwKatSpalteData : public CYaqData
{
public:
    QString m_strKatBstNr; // catalogue key (key)
    QString m_strTypNr;    // type number (key of the designation reads)
    QString m_strSpNr;     // column number, counted from 1
    QString m_strSpBez;    // model designation of the column (key of LTypSpNr)
    QString m_strLTyp;     // lead type (key of RdAwKatSpDatOnKatBstNr)
    YAQ_DATA_FIELDS(&m_strKatBstNr, &m_strTypNr, &m_strSpNr, &m_strSpBez, &m_strLTyp)
};

// An alternative lead type (types without a catalogue column of their own).
// Keyed by lead type, else by type number (first 8 characters) and, when
// set, model.
class CAltLtypData : public CYaqData
{
public:
    QString m_strTypNr;   // type number (key)
    QString m_strVerkBez; // model (key with the type number)
    QString m_strLTyp;    // lead type (key)
    YAQ_DATA_FIELDS(&m_strTypNr, &m_strVerkBez, &m_strLTyp)
};

// An alternative catalogue (older series range). Keyed by type number; an
// empty key reads every row.
class CAltKatData : public CYaqData
{
public:
    QString m_strTypNr;  // type number (key)
    QString m_strEReihe; // series code
    QString m_strBez;    // description
    YAQ_DATA_FIELDS(&m_strTypNr, &m_strEReihe, &m_strBez)
};

// A maintenance topic of a type (or of a lead type) with its validity.
// Keys: catalogue key and type key; with an empty type key the lead type.
class CSBLIDData : public CYaqData
{
public:
    QString m_strKatBstNr; // catalogue key (key)
    QString m_strTypSchl;  // type key (key)
    QString m_strLTyp;     // lead type (key without type key)
    QString m_strSBLID;    // maintenance-topic id
    QString m_strDatumVon; // first date the topic applies, YYYYMMDD
    QString m_strDatumBis; // last date the topic applies, YYYYMMDD
    YAQ_DATA_FIELDS(&m_strKatBstNr, &m_strTypSchl, &m_strLTyp, &m_strSBLID, &m_strDatumVon,
                    &m_strDatumBis)
};

// An inclusive-service contract of a vehicle. Keys: catalogue key, VIN.
class CHLXFgstnrData : public CYaqData
{
public:
    QString m_strKatBstNr;    // catalogue key (key)
    QString m_strFgstNr;      // 17-character VIN (key)
    QString m_strOptionNr;    // contract (option) number
    QString m_strAbrBeginn;   // billing start DD.MM.YYYY
    QString m_strBeginn;      // contract begin DD.MM.YYYY
    QString m_strEnde;        // contract end DD.MM.YYYY
    QString m_strEndeKm;      // end mileage km
    QString m_strEndeMeilen;  // end mileage miles
    QString m_strStartKm;     // start mileage km
    QString m_strStartMeilen; // start mileage miles
    YAQ_DATA_FIELDS(&m_strKatBstNr, &m_strFgstNr, &m_strOptionNr, &m_strAbrBeginn, &m_strBeginn,
                    &m_strEnde, &m_strEndeKm, &m_strEndeMeilen, &m_strStartKm, &m_strStartMeilen)
};

// An inclusive-service contract product. Keys: catalogue key, option number.
class CHLXNrData : public CYaqData
{
public:
    QString m_strKatBstNr;    // catalogue key (key)
    QString m_strOptionNr;    // option number (key)
    QString m_strStatus;      // state letter
    QString m_strHerkunft;    // origin code, "AG" for contracts shown
    QString m_strProduktWert; // product value
    QString m_strKmLimit;     // mileage limit
    QString m_strListNr;      // its position list (CHLXF12Data)
    QString m_strListModus;   // "1": the list names what is included, else what is excluded
    YAQ_DATA_FIELDS(&m_strKatBstNr, &m_strOptionNr, &m_strStatus, &m_strHerkunft, &m_strProduktWert,
                    &m_strKmLimit, &m_strListNr, &m_strListModus)
};

// Condition-text group of a model series. Keys: catalogue key, model series.
class CHLXRefData : public CYaqData
{
public:
    QString m_strKatBstNr;   // catalogue key (key)
    QString m_strEReihe;     // model series (key)
    QString m_strTextGruppe; // text group
    YAQ_DATA_FIELDS(&m_strKatBstNr, &m_strEReihe, &m_strTextGruppe)
};

// Condition text and description of a contract product.
// Keys: catalogue key, option number.
class CHLXLinkData : public CYaqData
{
public:
    QString m_strKatBstNr;    // catalogue key (key)
    QString m_strOptionNr;    // option number (key)
    QString m_strTextKey;     // text key
    QString m_strBezeichnung; // description
    YAQ_DATA_FIELDS(&m_strKatBstNr, &m_strOptionNr, &m_strTextKey, &m_strBezeichnung)
};

// A report of a catalogue data load; ReadReportMaxData reads the latest.
class CReportData : public CYaqData
{
public:
    QString m_strReportId;    // report id
    QString m_strZeitstempel; // timestamp YYYYMMDDhhmmss
    QString m_strText;        // description
    YAQ_DATA_FIELDS(&m_strReportId, &m_strZeitstempel, &m_strText)
};

// A labour-position value row. For the main-group reads the 2nd field holds
// the main group (two characters) as key.
class CAPosWertData : public CYaqData
{
public:
    QString m_strKatBstNr;  // 1 catalogue key (key)
    QString m_strAPosNr;    // 2 position number (key; main group for ...FromHG)
    QString m_strEinheit;   // 3 unit code "0".."4"
    QString m_strLTyp;      // 4 lead type (key)
    QString m_strZusatz;    // 5 additional code after the type key (key)
    QString m_strAwWert;    // 6 work units, "-" when none
    QString m_strBemerkung; // 7 remark
    QString m_strKennz;     // 8 flag, "N" marks a row that does not count
    YAQ_DATA_FIELDS(&m_strKatBstNr, &m_strAPosNr, &m_strEinheit, &m_strLTyp, &m_strZusatz,
                    &m_strAwWert, &m_strBemerkung, &m_strKennz)
};

// The info of a labour position: its paint-stage text and the two numbers
// that tie it to its neighbours in the catalogue, when the two are one
// piece of work. For the main-group read the 2nd field holds the main
// group as key.
class CAPosInfoData : public CYaqData
{
public:
    QString m_strKatBstNr; // 1 catalogue key (key)
    QString m_strAPosNr;   // 2 position number (key; main group for ...FromHG)
    QString m_strInfoNr;   // 3 the position that goes with this one, after it
    QString m_strInfoText; // 4 info text (paint stage)
    QString m_strInfoNr2;  // 5 the position this one goes with, before it
    YAQ_DATA_FIELDS(&m_strKatBstNr, &m_strAPosNr, &m_strInfoNr, &m_strInfoText, &m_strInfoNr2)
};

// A catalogue line: a labour position in a catalogue of a type number, with
// one character per model column.
class CAwKatZeileData : public CYaqData
{
public:
    QString m_strKatBstNr; // 1 catalogue key (key)
    QString m_strTypNr;    // 2 type number (key)
    QString m_strHG;       // 3 main group (key)
    QString m_strZeile;    // 4 catalogue line
    QString m_strAPosNr;   // 5 position number (key of ReadAwKatZZeilenNr)
    QString m_strText;     // 6 line text
    QString m_strAW;       // 7 work units
    QString m_strSpalten;  // 8 one character per model column, "N" = applies
    YAQ_DATA_FIELDS(&m_strKatBstNr, &m_strTypNr, &m_strHG, &m_strZeile, &m_strAPosNr, &m_strText,
                    &m_strAW, &m_strSpalten)
};

// A parts-clearing row of a labour position.
class CTeileClearingData : public CYaqData
{
public:
    QString m_strKatBstNr;    // 1 catalogue key (key)
    QString m_strHG;          // 2 main group (key when no position number is set)
    QString m_strTypSchl;     // 3 type key (key)
    QString m_strAPosNr;      // 4 position number (key when set)
    QString m_strLaendercode; // 5 country code (key)
    QString m_strZusatz;      // 6 additional code; empty applies to all
    QString m_strMonatVon;    // 7 first month YYYYMM
    QString m_strMonatBis;    // 8 last month YYYYMM
    QString m_strKennz;       // 9 clearing mark
    YAQ_DATA_FIELDS(&m_strKatBstNr, &m_strHG, &m_strTypSchl, &m_strAPosNr, &m_strLaendercode,
                    &m_strZusatz, &m_strMonatVon, &m_strMonatBis, &m_strKennz)
};

// A service repair package for a type.
class CSRPPaketeData : public CYaqData
{
public:
    QString m_strKatBstNr;    // catalogue key (key)
    QString m_strPaketNr;     // package number (key)
    QString m_strTypSchl;     // type key
    QString m_strZusatz;      // additional code; empty applies to all
    QString m_strLand;        // country, "   ", empty or "YAQ" for every country
    QString m_strBezeichnung; // description
    YAQ_DATA_FIELDS(&m_strKatBstNr, &m_strPaketNr, &m_strTypSchl, &m_strZusatz, &m_strLand,
                    &m_strBezeichnung)
};

// --- package list of a vehicle ----------------------------------------------

// A main group of the labour-value catalogue with its title.
// Keys: catalogue key, language, type number.
class CAwKatHGData : public CYaqData
{
public:
    QString m_strKatBstNr; // catalogue key (key)
    QString m_strSprache;  // program language (key)
    QString m_strTypNr;    // type number (key)
    QString m_strHG;       // main group
    QString m_strText;     // title
    QString m_strText2;    // further texts of the group
    QString m_strText3;
    YAQ_DATA_FIELDS(&m_strKatBstNr, &m_strSprache, &m_strTypNr, &m_strHG, &m_strText, &m_strText2,
                    &m_strText3)
};

// A package line: one package of one kind on a catalogue line of a main
// group. Keys: catalogue key, type key, and as the read says the main
// group, the kind, the line text or the package number.
class CSRPPaketeZeilenNrData : public CYaqData
{
public:
    QString m_strKatBstNr;   // 1 catalogue key (key)
    QString m_strTypSchl;    // 2 type key (key)
    QString m_strHG;         // 3 main group (key)
    QString m_strPaketArt;   // 4 "SRP", "GRP", "SIP", "VLP" (key; empty reads every kind)
    QString m_strEigenNr;    // 5 number of the package in its own kind
    QString m_strPaketNr;    // 6 package number (key of the search)
    QString m_strZusatz;     // 7 further field of the line
    QString m_strHerkunft;   // 8 origin: "   " or "YAQ" standard, else a country code
    QString m_strTextKey;    // 9 key of the first group level's title
    QString m_strZeilenText; // 10 line text (key of the second group level)
    QString m_strUGKey;      // 11 key of the second group level's title
    QString m_strZeilenNr;   // 12 line number
    YAQ_DATA_FIELDS(&m_strKatBstNr, &m_strTypSchl, &m_strHG, &m_strPaketArt, &m_strEigenNr,
                    &m_strPaketNr, &m_strZusatz, &m_strHerkunft, &m_strTextKey, &m_strZeilenText,
                    &m_strUGKey, &m_strZeilenNr)
};

// A package of the alternative catalogue. Keys: catalogue key, type key,
// main group (empty: every group).
class CSRPPaketeAltKatData : public CYaqData
{
public:
    QString m_strKatBstNr;   // catalogue key (key)
    QString m_strTypSchl;    // type key (key)
    QString m_strHG;         // main group (key)
    QString m_strEigenNr;    // own number
    QString m_strPaketNr;    // package number
    QString m_strZusatz;     // further field
    QString m_strHerkunft;   // origin
    QString m_strGueltigVon; // first production date, YYYYMMDD
    QString m_strGueltigBis; // last production date, YYYYMMDD
    YAQ_DATA_FIELDS(&m_strKatBstNr, &m_strTypSchl, &m_strHG, &m_strEigenNr, &m_strPaketNr,
                    &m_strZusatz, &m_strHerkunft, &m_strGueltigVon, &m_strGueltigBis)
};

// Title of a main group of the alternative catalogue.
// Keys: type number, language, catalogue key, main group.
class CAltAwKatHGData : public CYaqData
{
public:
    QString m_strTypNr;    // type number (key)
    QString m_strSprache;  // language (key)
    QString m_strKatBstNr; // catalogue key (key)
    QString m_strHG;       // main group (key)
    QString m_strText;     // title
    YAQ_DATA_FIELDS(&m_strTypNr, &m_strSprache, &m_strKatBstNr, &m_strHG, &m_strText)
};

// Title of a second-level group of the alternative catalogue.
// Keys: type number, main group, language, group (characters 3-4 of a number).
class CAltAwKatUGData : public CYaqData
{
public:
    QString m_strTypNr;   // type number (key)
    QString m_strHG;      // main group (key)
    QString m_strSprache; // language (key)
    QString m_strUG;      // second-level group (key)
    QString m_strText1;   // the two halves of the title
    QString m_strText2;
    YAQ_DATA_FIELDS(&m_strTypNr, &m_strHG, &m_strSprache, &m_strUG, &m_strText1, &m_strText2)
};

// Title of a group level below a main group. First level (ReadAwKatUIVData):
// keys catalogue key, main group, text key, language; a row per line text.
// Second level (ReadAwKatIVTxtData): keys catalogue key, type number, main
// group, language, second-level key.
class CAwKatZeileUIVAPosTxtData : public CYaqData
{
public:
    QString m_strKatBstNr;   // 1 catalogue key (key)
    QString m_strTypNr;      // 2 type number (key of the second level)
    QString m_strHG;         // 3 main group (key)
    QString m_strTextKey;    // 4 text key (key of the first level)
    QString m_strSprache;    // 5 language (key)
    QString m_strUGKey;      // 6 second-level key (key of the second level)
    QString m_strZeilenText; // 7 line text the title belongs to (first level)
    QString m_strZusatz;     // 8 further field
    QString m_strBisZeile;   // 9 last line number the title covers
    QString m_strText;       // 10 title
    YAQ_DATA_FIELDS(&m_strKatBstNr, &m_strTypNr, &m_strHG, &m_strTextKey, &m_strSprache,
                    &m_strUGKey, &m_strZeilenText, &m_strZusatz, &m_strBisZeile, &m_strText)
};

// Texts of a labour position or package. Keys: catalogue key, language,
// model series, number.
class CAPosTxtAPosKTxtData : public CYaqData
{
public:
    QString m_strKatBstNr;                                      // catalogue key (key)
    QString m_strSprache;                                       // language (key)
    QString m_strEReihe;                                        // model series (key)
    QString m_strAPosNr;                                        // number (key)
    QString m_strText1, m_strText2, m_strText3, m_strText4;     // text lines
    QString m_strKText1, m_strKText2, m_strKText3, m_strKText4; // bracket lines
    YAQ_DATA_FIELDS(&m_strKatBstNr, &m_strSprache, &m_strEReihe, &m_strAPosNr, &m_strText1,
                    &m_strText2, &m_strText3, &m_strText4, &m_strKText1, &m_strKText2, &m_strKText3,
                    &m_strKText4)
};

// A findings position of a package. Keys: catalogue key, package number.
class CBefAPosData : public CYaqData
{
public:
    QString m_strKatBstNr; // catalogue key (key)
    QString m_strPaketNr;  // package number (key)
    QString m_strAPosKey;  // position key; its first 8 characters count
    YAQ_DATA_FIELDS(&m_strKatBstNr, &m_strPaketNr, &m_strAPosKey)
};

// An entry of an inclusive-service position list. Keys: catalogue key, list number.
class CHLXF12Data : public CYaqData
{
public:
    QString m_strKatBstNr;   // catalogue key (key)
    QString m_strListNr;     // list number (key)
    QString m_strMaske;      // mask of position keys, "X" passes any character (MatchMask)
    QString m_strGueltigVon; // DD.MM.YYYY
    QString m_strGueltigBis; // DD.MM.YYYY
    YAQ_DATA_FIELDS(&m_strKatBstNr, &m_strListNr, &m_strMaske, &m_strGueltigVon, &m_strGueltigBis)
};

// --- package editing --------------------------------------------------------

// A labour position of a package. Keys: catalogue key, package key.
class CSRPAPosData : public CYaqData
{
public:
    QString m_strKatBstNr; // catalogue key (key)
    QString m_strPaketNr;  // package key (key)
    QString m_strAPosNr;   // labour-position number
    QString m_strArt;      // "S", "O", "A", "B"
    QString m_strRefNr;    // of an alternative: the number of the line it stands for
    YAQ_DATA_FIELDS(&m_strKatBstNr, &m_strPaketNr, &m_strAPosNr, &m_strArt, &m_strRefNr)
};

// A part of a package. Keys: catalogue key, package key.
class CSRPTeileData : public CYaqData
{
public:
    QString m_strKatBstNr;    // catalogue key (key)
    QString m_strPaketNr;     // package key (key)
    QString m_strTeileNr;     // part number
    QString m_strPosLfdNr;    // part position number
    QString m_strMenge;       // number of pieces, a decimal text
    QString m_strArt;         // "S", "O", "A", "B"
    QString m_strGueltigVon;  // first production date, YYYYMMDD
    QString m_strGueltigBis;  // last production date, YYYYMMDD
    QString m_strPosLfdNrRef; // of an alternative: the position number it stands for
    YAQ_DATA_FIELDS(&m_strKatBstNr, &m_strPaketNr, &m_strTeileNr, &m_strPosLfdNr, &m_strMenge,
                    &m_strArt, &m_strGueltigVon, &m_strGueltigBis, &m_strPosLfdNrRef)
};

// The text of a part. Keys: catalogue key, part number, language.
class CSRPTeileTextData : public CYaqData
{
public:
    QString m_strKatBstNr; // catalogue key (key)
    QString m_strTeileNr;  // part number (key)
    QString m_strSprache;  // language (key)
    QString m_strText;     // part text
    YAQ_DATA_FIELDS(&m_strKatBstNr, &m_strTeileNr, &m_strSprache, &m_strText)
};

// A package that a labour position of another package stands for (an
// optional sub-package). Keys: catalogue key, type key, the position's
// number and the origin of the package line.
class CSRPUnterPaketData : public CYaqData
{
public:
    QString m_strKatBstNr; // catalogue key (key)
    QString m_strTypSchl;  // type key (key)
    QString m_strPaketNr;  // package number = the labour position's number (key)
    QString m_strHerkunft; // origin (key): a country code, or "YAQ" for the standard rows
    QString m_strPaketID;  // package key (the package's number in its kind)
    QString m_strZusatz;   // number suffix
    QString m_strPaketArt; // "SRP", "GRP", "SIP", "VLP"
    YAQ_DATA_FIELDS(&m_strKatBstNr, &m_strTypSchl, &m_strPaketNr, &m_strHerkunft, &m_strPaketID,
                    &m_strZusatz, &m_strPaketArt)
};

// The text of a main group. Keys: catalogue key, language, type number,
// main group.
class CAPosHgTxtData : public CYaqData
{
public:
    QString m_strKatBstNr; // catalogue key (key)
    QString m_strSprache;  // language (key)
    QString m_strTypNr;    // type number (key)
    QString m_strHG;       // main group (key)
    QString m_strText;     // main-group text
    YAQ_DATA_FIELDS(&m_strKatBstNr, &m_strSprache, &m_strTypNr, &m_strHG, &m_strText)
};

// A findings code of a labour position: a finding number whose trailing
// pairs may be "XX" (every value of that level). Keys: catalogue key,
// position number.
class CBefCodeData : public CYaqData
{
public:
    QString m_strKatBstNr; // catalogue key (key)
    QString m_strAPosNr;   // labour-position number (key)
    QString m_strCode;     // eight characters
    YAQ_DATA_FIELDS(&m_strKatBstNr, &m_strAPosNr, &m_strCode)
};

// A text of one level of the findings: main group, subgroup, location or
// damage key; the keys below the level are empty. Keys: catalogue key,
// language and the keys down to the level read.
class CBefTxtData : public CYaqData
{
public:
    QString m_strKatBstNr; // catalogue key (key)
    QString m_strSprache;  // language (key)
    QString m_strHG;       // main group (key)
    QString m_strUG;       // subgroup
    QString m_strOrt;      // location
    QString m_strSk;       // damage key
    QString m_strText;     // text of the level
    YAQ_DATA_FIELDS(&m_strKatBstNr, &m_strSprache, &m_strHG, &m_strUG, &m_strOrt, &m_strSk,
                    &m_strText)
};

// The text of a finding (eight characters). Keys: catalogue key, finding
// number, language.
class CSBefTxtData : public CYaqData
{
public:
    QString m_strKatBstNr; // catalogue key (key)
    QString m_strBefNr;    // finding number (key)
    QString m_strSprache;  // language (key)
    QString m_strText;     // text
    YAQ_DATA_FIELDS(&m_strKatBstNr, &m_strBefNr, &m_strSprache, &m_strText)
};

// --- labour-value catalogue page ----------------------------------------------

// A group level below a main group: a subgroup (level "2") or a third-level
// row (level "3") covering the catalogue lines from..to. Keys: catalogue
// key, type number, main group, language, level.
class CAwKatGroupData : public CYaqData
{
public:
    QString m_strKatBstNr; // catalogue key (key)
    QString m_strTypNr;    // type number (key)
    QString m_strHG;       // main group (key)
    QString m_strSprache;  // language (key)
    QString m_strLevel;    // "2" or "3" (key)
    QString m_strVonZeile; // first catalogue line
    QString m_strBisZeile; // last catalogue line
    QString m_strGruppe;   // group code
    QString m_strKennz;    // marker, "N" = shown
    QString m_strText;     // title
    YAQ_DATA_FIELDS(&m_strKatBstNr, &m_strTypNr, &m_strHG, &m_strSprache, &m_strLevel,
                    &m_strVonZeile, &m_strBisZeile, &m_strGruppe, &m_strKennz, &m_strText)
};

// A labour position on a catalogue line. Keys: catalogue key, type number,
// main group, language (the range reads), or the position number (the jump).
class CAwKatAPosData : public CYaqData
{
public:
    QString m_strKatBstNr;     // catalogue key (key)
    QString m_strTypNr;        // type number (key)
    QString m_strHG;           // main group (key)
    QString m_strSprache;      // language (key)
    QString m_strZeile;        // catalogue line
    QString m_strAPosNr;       // position number (key of the jump)
    QString m_strCode;         // relation code: "V", "Z", "I" or empty
    QString m_strRef;          // the position a "V"/"Z" position belongs to
    QString m_strSichtbar;     // "N" and "K" hide the position
    QString m_strTrenner;      // "J": full-width rule above
    QString m_strKlammerKennz; // "N": the bracket lines count
    QString m_strVarianten;    // one character per catalogue column, "U" not applicable
    QString m_strText1, m_strText2, m_strText3, m_strText4;
    QString m_strKText1, m_strKText2, m_strKText3, m_strKText4;
    YAQ_DATA_FIELDS(&m_strKatBstNr, &m_strTypNr, &m_strHG, &m_strSprache, &m_strZeile, &m_strAPosNr,
                    &m_strCode, &m_strRef, &m_strSichtbar, &m_strTrenner, &m_strKlammerKennz,
                    &m_strVarianten, &m_strText1, &m_strText2, &m_strText3, &m_strText4,
                    &m_strKText1, &m_strKText2, &m_strKText3, &m_strKText4)
};

// The values of a catalogue line per catalogue column, one row per unit.
// Keys: catalogue key, type number, main group, line.
class CAwKatWertData : public CYaqData
{
public:
    QString m_strKatBstNr;  // catalogue key (key)
    QString m_strTypNr;     // type number (key)
    QString m_strHG;        // main group (key)
    QString m_strZeile;     // catalogue line (key)
    QString m_strEinheit;   // unit code "0".."4"
    QString m_strLackstufe; // paint stage
    QString m_strBaustand;  // build status
    QString m_strWerte;     // the column values separated by ";"
    YAQ_DATA_FIELDS(&m_strKatBstNr, &m_strTypNr, &m_strHG, &m_strZeile, &m_strEinheit,
                    &m_strLackstufe, &m_strBaustand, &m_strWerte)
};

// A labour position of the alternative catalogue: its number is the main
// group, the second-level group and the position code. Keys: type number,
// main group.
class CAltAwPosData : public CYaqData
{
public:
    QString m_strTypNr; // type number (key)
    QString m_strHG;    // main group (key)
    QString m_strUG;    // second-level group, two characters
    QString m_strCode;  // position code, three characters
    YAQ_DATA_FIELDS(&m_strTypNr, &m_strHG, &m_strUG, &m_strCode)
};

// --- findings page and scope texts ---------------------------------------------

// A findings hint of a location: a note for the adviser on every finding
// of the main group, subgroup and location. Keys: catalogue key, language.
class CBefHinweisData : public CYaqData
{
public:
    QString m_strKatBstNr; // catalogue key (key)
    QString m_strSprache;  // language (key)
    QString m_strHG;       // main group
    QString m_strUG;       // subgroup
    QString m_strOrt;      // location
    QString m_strHinweis;  // hint text
    YAQ_DATA_FIELDS(&m_strKatBstNr, &m_strSprache, &m_strHG, &m_strUG, &m_strOrt, &m_strHinweis)
};

// The text lines of a labour position in a language, whatever the model
// series. Keys: AP number, catalogue key, language.
class CAPosTextData : public CYaqData
{
public:
    QString m_strAPosNr;   // labour-position number (key)
    QString m_strKatBstNr; // catalogue key (key)
    QString m_strSprache;  // language (key)
    QString m_strText1, m_strText2, m_strText3, m_strText4;
    YAQ_DATA_FIELDS(&m_strAPosNr, &m_strKatBstNr, &m_strSprache, &m_strText1, &m_strText2,
                    &m_strText3, &m_strText4)
};

// The scope-text number of a labour position for a vehicle variant. Keys:
// AP number, lead type, additional code.
class CAPosUmfNrData : public CYaqData
{
public:
    QString m_strAPosNr; // labour-position number (key)
    QString m_strLTyp;   // lead type (key)
    QString m_strZusatz; // additional code (key)
    QString m_strUmfNr;  // scope-text number
    YAQ_DATA_FIELDS(&m_strAPosNr, &m_strLTyp, &m_strZusatz, &m_strUmfNr)
};

// A line of a scope text. Keys: scope-text number, language.
class CUmfTxtData : public CYaqData
{
public:
    QString m_strUmfNr;   // scope-text number (key)
    QString m_strSprache; // language (key)
    QString m_strText;    // the line
    YAQ_DATA_FIELDS(&m_strUmfNr, &m_strSprache, &m_strText)
};

// The list of inclusive positions of a labour position for a vehicle
// variant. Keys: catalogue key, AP number, lead type, additional code.
class CInklNrData : public CYaqData
{
public:
    QString m_strKatBstNr; // catalogue key (key)
    QString m_strAPosNr;   // labour-position number (key)
    QString m_strLTyp;     // lead type (key)
    QString m_strZusatz;   // additional code (key)
    QString m_strInklNr;   // number of the list
    YAQ_DATA_FIELDS(&m_strKatBstNr, &m_strAPosNr, &m_strLTyp, &m_strZusatz, &m_strInklNr)
};

// A position of a list of inclusive positions. Keys: catalogue key, list number.
class CInklAPosData : public CYaqData
{
public:
    QString m_strKatBstNr; // catalogue key (key)
    QString m_strInklNr;   // list number (key)
    QString m_strAPosNr;   // the included labour position
    YAQ_DATA_FIELDS(&m_strKatBstNr, &m_strInklNr, &m_strAPosNr)
};
