#pragma once
// The inclusive-service contracts of a vehicle: read from the catalogue,
// judged for a day and the vehicle's mileage, and kept by one of two rules.
// The contract page shows the dealer's contracts in force and those that
// ended at most two years ago; the package pages count only the dealer's
// contracts in force (the settings' list). Both keep from one judgement.
//
// Dates are DD.MM.YYYY; "01.01.1970" for both begin and end is a contract
// without term, in force from its billing start as long as its mileage
// holds. Mileages are compared as numbers.

#include "platform/db/CatalogueFailure.h"
#include "settings/HLXVertragInfo.h"

#include <QList>
#include <QString>

#include <vector>

class CPrgSettings;
class CYaqDb;

// The origin of the dealer's contracts, the only ones either list keeps.
extern const QString kHLXOriginDealer; // "AG"

// One contract as the catalogue holds it: its VIN row, completed by its
// product, the condition-text group of the vehicle's model series and the
// product's link. A part not found stays empty.
struct CHLXContractRows
{
    // VIN row
    QString optionNr;
    QString billingStart;
    QString begin;
    QString end;
    QString endKm;
    QString endMiles;
    QString startKm;
    QString startMiles;
    // product
    QString state;
    QString origin;
    QString productValue;
    QString productLimit;
    // model series and link
    QString textGroup;
    QString textKey;
    QString description;
};

// A contract with the judgement of the day.
struct CHLXJudgedContract
{
    CHLXVertragInfo info;
    bool inForce = false; // begun, not ended, within its mileage limit
    bool recent = false;  // without term, or ended at most two years ago
};

// The calendar day DD.MM.YYYY as YYYYMMDD ("01.01.1970", no date, gives
// "19700101"); empty for any other text.
QString HLXDateKey(const QString &date);
// A mileage as a number: digits with an optional decimal part, blanks
// between digit groups allowed. ok is false for an empty or any other text.
double HLXMileage(const QString &text, bool *ok = nullptr);

// Judges the contract on the day today (YYYYMMDD) for the vehicle's
// mileage (km). A date or a mileage limit that cannot be read never makes a
// contract in force.
CHLXJudgedContract JudgeHLXContract(const CHLXContractRows &rows, const QString &today,
                                    double mileage);

// Which contracts a list keeps.
enum class HLXKeep
{
    ContractPage, // the dealer's contracts in force or ended at most two years ago
    InForce,      // the dealer's contracts in force
};
bool KeepsHLXContract(HLXKeep rule, const CHLXJudgedContract &contract);

// Puts the contract into the list ordered by state code: before the first
// filled one whose code is not smaller, so that among equal codes the
// contract read later comes first.
void InsertHLXContractSorted(QList<CHLXVertragInfo> &list, const CHLXVertragInfo &contract);

// Every contract of the 17-character VIN in the catalogue, completed by its
// product, the text group of the model series and its link; on one
// connection (the VIN's rows are read first). A failed read answers no
// contract and says it failed: never taken for "none".
CatalogueAnswer<std::vector<CHLXContractRows>> ReadHLXContractRows(CYaqDb *db,
                                                                   const QString &catalogueKey,
                                                                   const QString &vin,
                                                                   const QString &modelSeries);

// The settings' vehicle judged on the settings' day (Heute; the clock's
// day only when Heute is no day DD.MM.YYYY) and mileage (Kilometer; none
// or no number counts as 0), the contracts the rule keeps in their order.
// A failed read answers none and says it failed.
CatalogueAnswer<QList<CHLXVertragInfo>> ReadHLXContracts(CYaqDb *db, const CPrgSettings &settings,
                                                         HLXKeep rule);

// The contract check of an identified vehicle: whether its 17-character
// VIN has a contract of the dealer's origin in the normal catalogue. The
// settings' contract texts take option and billing start of that contract,
// else of the last one read (empty for none, and after a read that failed).
// `db` walks the VIN's contracts, `optionDb` reads each one's product.
enum class HLXContractCheck
{
    None,
    Found,
    NoConnection,
    ReadFailed,
};
HLXContractCheck CheckHLXContract(CPrgSettings &settings, CYaqDb *db, CYaqDb *optionDb,
                                  const QString &vin);

// The contract flag (nVertrag) as the identification set it; when its check
// failed there (bVertragUngeprueft), the check is made again first and the
// flag set by its answer. Failed while the catalogue still cannot be read:
// the flag then says nothing, never "no contract".
[[nodiscard]] CatalogueFound HLXContractFlag(CPrgSettings &settings, CYaqDb *db, CYaqDb *optionDb);

// Fills the settings' contract list with the vehicle's contracts in force,
// which the package list and the editing page use for their coverage
// marks. Read again only when the mileage or the full VIN changed since
// the last read; a vehicle without a short VIN of 7 characters or without
// the contract flag gets an empty list. The contract flag is checked again
// first when its check failed (HLXContractFlag, with `optionDb`). `value`
// is true when it read anew; `failed` when a read failed, and the list is
// read again next time.
CatalogueAnswer<bool> ReadHLXContractStatus(CPrgSettings &settings, CYaqDb *db, CYaqDb *optionDb);

// What the contract page shows when it lists no contract: the text id of
// its notice (4079 to 4082), or 0 for none.
int HLXNoticeId(const CPrgSettings &settings, int contractCount);

// The programme's name for the brand.
QString HLXProgrammeTitle(const QString &brand);

// The condition texts of a contract: the file
// "<text key>_<text group>_<language>.dat" of the folder "HLX" of the data
// directory, else the one with "_01"; empty when neither can be read or the
// name would not stay inside that folder.
QString HLXConditionFileName(const CHLXVertragInfo &contract, const QString &language);
QString ReadHLXConditionText(const QString &dataDir, const CHLXVertragInfo &contract,
                             const QString &language);
