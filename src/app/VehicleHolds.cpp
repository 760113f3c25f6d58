#include "app/VehicleHolds.h"

void CVehicleHolds::GivenAtStart(bool firstRegistration, bool mileage)
{
    m_bFirstRegAtStart = m_bFirstRegAtStart || firstRegistration;
    m_bMileageAtStart = m_bMileageAtStart || mileage;
}

void CVehicleHolds::StartVehicleIdentified()
{
    m_bFirstRegAtStart = false;
    m_bMileageAtStart = false;
}
