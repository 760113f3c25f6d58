#pragma once
// One inclusive-service contract of the vehicle, as the contract reader
// (common/readers/HLXContracts) fills it: the catalogue's texts of the
// contract and its product, and the day's judgement. A plain value; the
// settings keep the vehicle's contracts in force, the contract page its own
// list.

#include <QString>

class CHLXVertragInfo
{
public:
    int bFilled = 0;        // 1 once the reader has filled the record
    QString strBezeichnung; // description of the product, trailing blanks removed
    QString strOptionNr;    // option (product) number of the contract
    QString strAbrBeginn;   // billing start DD.MM.YYYY: the contract counts from this day
    QString strStartKm;     // mileage at the contract's start, km
    QString strStartMeilen; // the same in miles
    QString strProduktWert; // value of the product (kept, not shown)
    QString strKmLimit;     // the mileage limit (km) the contract is judged by
    QString strBeginn;      // contract begin DD.MM.YYYY; text 3194 for a contract without term
    QString strEnde;        // contract end DD.MM.YYYY; empty for a contract without term
    QString strEndeKm;      // end mileage of the contract, km
    QString strEndeMeilen;  // the same in miles
    QString strStatus;      // state letter of the product ("1", "2", "3" read as "B", "S", "R")
    QString strHerkunft;    // origin of the product; "AG" for the dealer's contracts
    QString strTextGruppe;  // condition-text group of the model series
    QString strTextKey;     // condition-text key of the product
    QString strGueltigkeit; // why the contract is not in force today; empty when it is
    int nStatus = -1;       // state code 11 to 18, or 21 to 28 above the product's limit
    int nGueltigkeitId = 0; // text id of strGueltigkeit (3231, 3222, 3223); 0 when in force
};
