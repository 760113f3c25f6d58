#pragma once
// A vehicle identification in the making, and the identification held by the
// settings before it.
//
// The VIN or type-key look-up and the catalogue step fill a CPendingIdent;
// only when the basket agreed to the change and the brand checks passed is it
// committed to the settings. Until then the settings keep the previous
// vehicle, so that a refused or blocked change leaves nothing half-taken.

#include "common/ChangeFlags.h"

#include <QString>

class CPrgSettings;

struct CPendingIdent
{
    // The model designation while no model is chosen in the catalogue view
    // (the first item of the model combo there).
    static const QString kNoModel;
    // The model designation of no vehicle: kNoModel in the catalogue view,
    // else none.
    static QString NoVehicleModel(const CPrgSettings &settings);

    QString strFgstnrFull; // the 17-character VIN; empty for a type key alone
    QString strVin7;       // a short VIN identified without its full VIN
    QString strTypSchl;    // type key
    QString strZusatz;     // additional code
    QString strKatBstNr;   // catalogue key
    QString strLTyp;       // lead type
    QString strVerkBez;    // model designation of the type record
    QString strEReihe;     // model series
    QString strLand;       // country
    // Filled by the catalogue step.
    QString strTypNr;     // type number of the catalogue
    QString strModellBez; // the designation shown: mapped name or column text
    QString strMarke;     // brand of the catalogue row
    int bAltKatalog = 0;  // an alternative catalogue of the lead type
    int bCleared = 0;     // no catalogue: the vehicle is taken out

    void Clear() { *this = CPendingIdent(); }
    // The short VIN the settings keep: the last seven characters, or the
    // short VIN identified alone.
    QString ShortVin() const;

    // Writes the identification into the settings: VIN, full VIN, type key,
    // additional code, catalogue key and flag, lead type, type number, model
    // designation, model series, brand and country. A change of the type
    // number empties the catalogue position in work.
    void CommitTo(CPrgSettings &settings) const;
    // Takes the vehicle out of the settings and keeps the catalogue line
    // (type number, model series, catalogue key): nothing half from the
    // previous vehicle remains.
    static void ClearVehicle(CPrgSettings &settings);
    // Takes the vehicle of the VIN out of the settings: VIN, full VIN, type
    // key, additional code, its inclusive-service contract and its
    // customer-specific prices. What names the catalogue shown (model
    // series, type number, model, lead type) stays, as when chosen by hand.
    static void ForgetVin(CPrgSettings &settings);
    // Whether the VIN field, showing vinText, still shows the vehicle the
    // settings hold: its full VIN, or the short VIN given without one (a
    // seven-character VIN of the start). An empty field shows a vehicle only
    // when the settings hold none.
    static bool VinFieldShowsVehicle(const CPrgSettings &settings, const QString &vinText);
};

// The identification fields the pages depend on, as the settings held them.
struct CIdentSnapshot
{
    QString strFgstnr;
    QString strFgstnrFull;
    QString strTypSchl;
    QString strZusatz;
    QString strLTyp;
    QString strTypNr;
    QString strModellBez;
    QString strEReihe;
    QString strErstzul;
    QString strKatalogKey;
    QString strMarke;
    QString strLand;
    QString strDlgTitel;
    QString strHGText;
    QString strKatZeile;
    QString strVertragText1; // the vehicle's inclusive-service contract
    QString strVertragText2;
    int nKatalogFlag = 0;
    int bAltKatalog = 0;
    int nVertrag = 0;
    int bVertragUngeprueft = 0;
    int bCustomerSpecificPrice = 0;

    static CIdentSnapshot Take(const CPrgSettings &settings);
    // Puts every field back.
    void Restore(CPrgSettings &settings) const;
    // The VIN to compare a new one with: the full VIN when known, else the
    // VIN as given.
    QString Vin() const { return strFgstnrFull.isEmpty() ? strFgstnr : strFgstnrFull; }
    // Whether a vehicle was identified (by VIN or type key).
    bool HasVehicle() const { return !Vin().isEmpty() || !strTypSchl.isEmpty(); }

    // What differs between before and after: the seven head-row flags and
    // the identification flag (set when any of them is).
    static CChangeFlags Changes(const CIdentSnapshot &before, const CIdentSnapshot &after);
};
