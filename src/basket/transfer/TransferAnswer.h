#pragma once
// What the DMS answered to "transferYAQPositions" or "transferVehicleInfo",
// read without telling anybody: the caller turns it into messages.
//
// The client (CDmsClient) has found the answer element in the SOAP
// envelope, told a SOAP Fault with its fault string and checked the header,
// and reads the exception element; this reads the confirmation. Elements
// are found by their local name, so namespace prefixes of the DMS do not
// matter.

#include "dms/DmsClient.h"
#include "platform/XmlValues.h"

#include <QString>

struct CDmsTransferAnswer
{
    bool hasConfirmation = false;
    QString confirmation;    // trailing blanks removed
    CDmsException exception; // the last exception element; empty name: none

    // The DMS took the transmission: its flag reads true (XmlIsTrue: "true"
    // in any letter case or "1", blanks around it aside); any other value
    // confirms nothing.
    bool Confirmed() const { return hasConfirmation && XmlIsTrue(confirmation); }
};

// Reads the children of the answer element.
CDmsTransferAnswer ReadDmsTransferAnswer(CDmsAnswer &answer);
