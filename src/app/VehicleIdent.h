#pragma once
// Finds a vehicle in the catalogue database: from a 17-character VIN (through
// the VIN ranges of the server or of the local data set) or from a type key,
// and then its labour-value catalogue (the catalogue column of the lead type,
// or an alternative catalogue). Everything found goes into a CPendingIdent;
// the settings are not touched.

#include "app/PendingIdent.h"

#include <QString>
#include <QStringList>

class CYaqDb;
class CModelMapping;
class CPrgSettings;

class CVehicleIdent
{
public:
    // The brand whose vehicles this program does not serve.
    static const QString kBlockedBrand; // "TK"

    enum VinResult
    {
        VinFound,
        VinMalformed,    // refused by the format rules, no database read
        VinNoConnection, // no database
        VinNotFound,     // no range, a range that does not hold it, or brand "TK"
        VinReadFailed,   // a read failed (the catalogue cannot be reached): nothing is known
    };
    enum TypeKeyResult
    {
        TypeKeyFound,
        TypeKeyNoConnection,
        TypeKeyNotFound,
        TypeKeyBlocked,
        TypeKeyReadFailed, // a read failed: nothing is known
    };
    enum CatalogueResult
    {
        CatalogueColumn,      // the lead type has a column of the catalogue
        CatalogueAlternative, // an alternative catalogue of the lead type
        CatalogueNone,        // neither: the vehicle cannot be shown
        CatalogueRefused,     // brand "TK" or no dealer contract for the brand
        CatalogueReadFailed,  // a read failed: nothing is known
    };

    // dealerBrands: the brands of the dealer's contracts (platform names,
    // empty for no restriction). mapping may be null.
    CVehicleIdent(CYaqDb *db, const QStringList &dealerBrands, const CModelMapping *mapping);

    // Looks the VIN up: with a local data set through the VIN ranges and the
    // type record of the data set, else through the server's VIN-to-type
    // records. Fills VIN, type key, additional code, catalogue key, lead
    // type, model designation, model series and country.
    VinResult LookupVin(const QString &vin, bool localDataSet, CPendingIdent &pending);
    // Looks a short VIN given without its full VIN up (the transfer
    // system's package request): found only when exactly one vehicle of the
    // catalogue carries it, that is one VIN range holds it (for a short VIN
    // of the special form one range of that form); that range's VIN type
    // part completes the look-up above. The pending VIN is the short one.
    VinResult LookupShortVin(const QString &shortVin, bool localDataSet, CPendingIdent &pending);
    // Looks the type key up (the first catalogue that has it).
    TypeKeyResult LookupTypeKey(const QString &typeKey, CPendingIdent &pending);
    // Finds the catalogue of the pending lead type: type number, shown model
    // designation, brand; the brand checks decide whether it may be taken.
    CatalogueResult CatalogueStep(CPendingIdent &pending);

    // The stand-alone VIN check of the vehicle search: 1 when the VIN is
    // plausible and the server's VIN-to-type records know it,
    // kVinCheckUnreachable when a read of the catalogue failed.
    static constexpr int kVinCheckUnreachable = -1;
    static int CheckVin(CYaqDb *db, const QString &vin);

    // A look-up during which a read of the catalogue failed answers
    // ...ReadFailed, whatever the reads that went well found: a vehicle is
    // never "not found", nor found with half its data, because the
    // catalogue could not be read.

    // Number of database reads so far (tests check that refused input does
    // not reach the database).
    int Reads() const { return m_nReads; }

    bool DealerServes(const QString &brand) const;

private:
    VinResult LookupServer(const QString &shortVin, const QString &typePart, bool special,
                           CPendingIdent &pending);
    VinResult LookupLocal(const QString &shortVin, const QString &typePart, bool special,
                          CPendingIdent &pending);
    bool BrandOfTypeKeyAllowed(const QString &typeKey);
    TypeKeyResult FindTypeKey(const QString &typeKey, CPendingIdent &pending);
    CatalogueResult FindCatalogue(CPendingIdent &pending);
    // Whether a read failed since `failures` was taken (CYaqDb::Failures).
    bool ReadFailedSince(int failures) const;

    CYaqDb *m_pDb;
    QStringList m_dealerBrands;
    const CModelMapping *m_pMapping;
    int m_nReads = 0;
};

// The VIN check of the vehicle search dialog: 1 when the VIN has 17
// characters, is plausible and the VIN-to-type records know it with a brand
// other than "TK"; negative when the catalogue could not be read (no answer
// on the VIN). The settings are not read.
int CheckFgstNr(CPrgSettings *settings, CYaqDb *db, const QString &vin);
