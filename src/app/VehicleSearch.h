#pragma once
// The vehicle search of the "DMS-VIN" button without the window: the service
// adviser gives what the customer knows (licence plate, the owner's last
// name, two free criteria) and gets the VINs of the vehicles that fit.
//
// Request mode 3 searches the dealer's vehicle file "FGInfo" (each filled
// criterion gives its own hits; only vehicles that every filled criterion
// finds are listed), request mode 4 asks the DMS with "requestVIN". The hits
// are listed one per VIN. The messages go to the notice handed in; the
// caller shows the list.

#include "dms/DmsClient.h"

#include <QList>
#include <QString>
#include <functional>

class CPrgSettings;

// One hit of the search, one row of the list.
struct CFgstNrAbfZeile
{
    int nKind = 1; // the only kind of row there is
    QString strFgstNr;
    QString strErstzul; // DD.MM.YYYY or empty
    QString strKm;      // as delivered, or empty
    QString strText1;   // the licence plate
    QString strText2;   // the owner
    QString strText3;   // the vehicle
    int nCustomerSpecificPrice = 0;
};

// What the adviser typed into the four fields.
struct CVehicleSearchCriteria
{
    QString lastName;
    QString plate;
    QString criterion3;
    QString criterion4;

    bool IsEmpty() const;
};

// One "vehicleIdentification" of the DMS's answer, as delivered.
struct CVehicleIdentificationData
{
    QString vin; // vinLongPrefix + vinShort; empty unless both are there
    QString firstRegistrationDate;
    QString mileage;
    QString resultText1;
    QString resultText2;
    QString resultText3;
    QString customerHasSpecificPrice;
    bool hasFirstRegistrationDate = false;
    bool hasCustomerHasSpecificPrice = false;
};

// The outcome of one search: when `showList` is set the caller lists the
// hits (an empty list tells the adviser that nothing was found); otherwise
// the search ended with its message and the list stays empty.
struct CVehicleSearchOutcome
{
    bool showList = false;
    QList<CFgstNrAbfZeile> hits;
};

class CVehicleSearch
{
public:
    static constexpr const char *kMethod = "requestVIN";
    // More hits than this are too many to choose from.
    static constexpr int kMaxDmsHits = 40;
    // The page id the main window notes while the search dialog runs.
    static constexpr int kPageId = 220;

    explicit CVehicleSearch(CPrgSettings *settings) : m_settings(settings) {}

    // --- The dealer's vehicle file (request mode 3)
    // Searches "FGInfo<language>.dat" in the request folder. A file that
    // cannot be opened is told (4012, the path, 4043) and lists nothing.
    CVehicleSearchOutcome SearchDealerFile(const CVehicleSearchCriteria &criteria,
                                           const QString &language, IDmsNotice &notice) const;
    // Keeps in `result` the hits of one criterion's list: the first
    // criterion's list becomes the result, a later one removes what it did
    // not find; a criterion without hits empties the result.
    static void IntersectResults(QList<CFgstNrAbfZeile> &result,
                                 const QList<CFgstNrAbfZeile> &criterionHits, bool first);
    // Appends the hit unless one with the same VIN is listed already.
    static bool AddUnique(QList<CFgstNrAbfZeile> &list, const CFgstNrAbfZeile &hit);

    // --- The DMS (request mode 4)
    // The body of "requestVIN" with the filled criteria and the terminal id;
    // empty when no criterion is filled.
    QString BuildRequest(const CVehicleSearchCriteria &criteria, const QString &version) const;
    // Sends the request through the client and evaluates the answer; with
    // no criterion filled nothing is sent and nothing told. The messages go
    // to the notice.
    CVehicleSearchOutcome RequestVin(CDmsClient &client, IDmsNotice *notice,
                                     const CVehicleSearchCriteria &criteria) const;
    // Reads one "vehicleIdentification" (element names without regard to
    // case).
    static CVehicleIdentificationData ReadVehicle(const QDomElement &vehicle);
    // The hits of the answer element "requestVINResponse", with its
    // messages.
    CVehicleSearchOutcome EvaluateAnswer(CDmsAnswer &answer) const;
    // Whether the delivered values are of their schema types: a date
    // YYYY-MM-DD (with or without a time zone), the customer-price flag
    // "true", "false", "1" or "0" (XmlValues.h).
    static bool IsValidAnswer(const QList<CVehicleIdentificationData> &vehicles);

    // --- Taking a hit
    // The VIN check of the catalogue (CheckFgstNr); 1 when it knows the VIN,
    // negative when the catalogue could not be read.
    using VinCheck = std::function<int(const QString &vin)>;
    // Hands the vehicle to the main window: VIN, first registration,
    // mileage and licence plate. False when it did not take the vehicle
    // (the basket kept the vehicle shown).
    using Apply = std::function<bool(const QString &vin, const QString &firstRegistration,
                                     const QString &mileage, const QString &plate)>;
    enum class Take
    {
        UnknownVin,  // told (4014): the search goes on
        Unreachable, // the catalogue could not be read, told (7024): the search goes on
        Refused,     // the main window kept its vehicle: nothing taken
        Taken,
    };
    // A VIN the catalogue does not know is told (4014) and nothing is taken,
    // as when the catalogue could not be read (7024, never "not found");
    // otherwise the main window gets the vehicle, and only once it took it
    // the customer-specific-price flag becomes the hit's and the owner the
    // second customer text of the print.
    Take TakeHit(const CFgstNrAbfZeile &hit, const VinCheck &check, const Apply &apply,
                 IDmsNotice &notice) const;

private:
    CPrgSettings *m_settings;
};
