#pragma once
// One inclusive-service contract of the vehicle, as the contract reader
// (common/readers/HLXContracts) fills it: the catalogue's texts of the
// contract and its product, and the day's judgement. A plain value; the
// settings keep the vehicle's contracts in force, the contract page its own
// list.

#include <QString>

#include <iterator>
#include <type_traits>

class CHLXVertragInfo
{
public:
    // Transitional: the package list still walks the settings' list as
    // pointers and reads the option number as strText[1]. Both go once it
    // reads strOptionNr of the values.
    struct CPositionalTexts
    {
        const QString &operator[](int index) const;
    };
    CPositionalTexts strText; // must stay the first member (see operator[])
    operator const CHLXVertragInfo *() const { return this; }

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

static_assert(std::is_standard_layout_v<CHLXVertragInfo>,
              "strText finds its record from its own address");

inline const QString &CHLXVertragInfo::CPositionalTexts::operator[](int index) const
{
    // The order in which the texts used to be filled.
    static constexpr QString CHLXVertragInfo::*kOrder[] = {
        &CHLXVertragInfo::strBezeichnung, &CHLXVertragInfo::strOptionNr,
        &CHLXVertragInfo::strAbrBeginn,   &CHLXVertragInfo::strStartKm,
        &CHLXVertragInfo::strStartMeilen, &CHLXVertragInfo::strProduktWert,
        &CHLXVertragInfo::strKmLimit,     &CHLXVertragInfo::strBeginn,
        &CHLXVertragInfo::strEnde,        &CHLXVertragInfo::strEndeKm,
        &CHLXVertragInfo::strEndeMeilen,  &CHLXVertragInfo::strStatus,
        &CHLXVertragInfo::strHerkunft,    &CHLXVertragInfo::strTextGruppe,
        &CHLXVertragInfo::strTextKey,     &CHLXVertragInfo::strGueltigkeit,
    };
    static const QString none;
    // The first member of a standard-layout record shares the record's address.
    const auto *info = reinterpret_cast<const CHLXVertragInfo *>(this);
    return index >= 0 && index < int(std::size(kOrder)) ? info->*kOrder[index] : none;
}
