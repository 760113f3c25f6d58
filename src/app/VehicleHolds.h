#pragma once
// What keeps the hand-entered vehicle fields of the head row (plate, date,
// first registration, mileage) while a vehicle is identified. A vehicle
// normally starts with empty fields; some come with their own values:
// - a vehicle found by the vehicle search brings its first registration,
//   mileage and plate, kept while its VIN is identified;
// - a vehicle the DMS pushed, from the confirmation sent to the DMS until
//   its request is handled (the DMS agreed to the change, the basket is not
//   asked again);
// - the first registration or mileage the command line gave for the start
//   vehicle, kept for that vehicle only.
// The identification flow owns the one object and alone sets it, by where
// a vehicle it is handed comes from (CGivenVehicle); it asks the rules.

class CVehicleHolds
{
public:
    // A vehicle of the vehicle search is identified, and is done.
    void SearchResultArrives() { m_bSearchResult = true; }
    void SearchResultTaken() { m_bSearchResult = false; }
    // The DMS's push was confirmed; its request has been handled.
    void DmsVehicleConfirmed() { m_bDmsVehicle = true; }
    void DmsRequestDone() { m_bDmsVehicle = false; }
    // The command line gave the start vehicle's first registration or
    // mileage; once that vehicle is identified they are its own.
    void GivenAtStart(bool firstRegistration, bool mileage);
    void StartVehicleIdentified();

    // The vehicle brings its fields: plate and date stay, and the first
    // registration is not looked for (not asked of the DMS).
    bool VehicleBringsFields() const { return m_bSearchResult || m_bDmsVehicle; }
    // Whether a reset keeps the first registration, the mileage.
    bool KeepsFirstRegistration() const { return VehicleBringsFields() || m_bFirstRegAtStart; }
    bool KeepsMileage() const { return VehicleBringsFields() || m_bMileageAtStart; }
    // Whether a change of vehicle asks the basket: not for a vehicle of the
    // DMS, whose question the adviser has answered.
    bool AsksBasket() const { return !m_bDmsVehicle; }

private:
    bool m_bSearchResult = false; // hold-all A
    bool m_bDmsVehicle = false;   // hold-all B
    bool m_bFirstRegAtStart = false;
    bool m_bMileageAtStart = false;
};
