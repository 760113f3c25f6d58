#pragma once
// What the DMS answered to "transferYAQPositions" or "transferVehicleInfo",
// read without telling anybody: the caller turns it into messages.
//
// Elements are found by their local name, so namespace prefixes of the DMS
// do not matter; a SOAP Fault in the body is recognised and its fault text
// kept. The answer is read within the limits of LoadXmlDocument.

#include "common/DmsFrame.h"

#include <QString>

class CPrgSettings;

struct CDmsTransferAnswer
{
    enum Status
    {
        Empty,       // no answer came
        NotXml,      // not well-formed XML (or beyond the limits)
        NotSoap,     // no SOAP envelope with a body
        Fault,       // a SOAP Fault: `fault` holds its text
        WrongMethod, // the body holds no "<method>Response"
        BadHeader,   // refSchema or version do not fit the settings
        Read,        // confirmation and exception read
    };
    Status status = Empty;
    QString fault;
    bool hasConfirmation = false;
    QString confirmation;    // trailing blanks removed
    CDmsException exception; // the last exception element; empty name: none

    // The DMS took the transmission: "true" in any letter case.
    bool Confirmed() const
    {
        return status == Read && hasConfirmation &&
               confirmation.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
    }
};

CDmsTransferAnswer ReadDmsTransferAnswer(const QString &answer, const QString &method,
                                         const CPrgSettings &settings);
