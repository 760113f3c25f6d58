#pragma once
// The records of the catalogue database: plain records of text fields,
// created and owned by the caller. Init empties every field, TrimData
// removes trailing blanks from every field, copies copy every field.
// A query fills the fields in declaration order; the fields a query reads
// as keys are set by the caller before the query.

#include <QString>
#include <vector>

class CYaqData
{
public:
    virtual ~CYaqData() = default;

    void Init();
    void TrimData();
    // The fields in declaration order (the order a query fills them in).
    virtual std::vector<QString *> Fields() = 0;
};

#define YAQ_DATA_FIELDS(...)                                                                       \
    std::vector<QString *> Fields() override                                                       \
    {                                                                                              \
        return {__VA_ARGS__};                                                                      \
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
    YAQ_DATA_FIELDS(&m_strKatBstNr, &m_strOptionNr, &m_strStatus, &m_strHerkunft, &m_strProduktWert,
                    &m_strKmLimit)
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

// An info text of a labour position. For the main-group read the 2nd field
// holds the main group as key.
class CAPosInfoData : public CYaqData
{
public:
    QString m_strKatBstNr; // 1 catalogue key (key)
    QString m_strAPosNr;   // 2 position number (key; main group for ...FromHG)
    QString m_strInfoNr;   // 3 info number
    QString m_strInfoText; // 4 info text
    YAQ_DATA_FIELDS(&m_strKatBstNr, &m_strAPosNr, &m_strInfoNr, &m_strInfoText)
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
