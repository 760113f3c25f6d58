#pragma once
// The forms in which the stand-in DMS writes its messages. A DMS built with
// a generated SOAP stack does not write them as the program does: its
// envelope has another prefix, every element of the DMS's namespace carries
// a prefix of its own ("tns:price", "tns:netPrice"), text elements name
// their schema type ("xsi:type") and optional elements it has no value for
// are written empty with "xsi:nil", flags and dates in the forms of their
// schema types it prefers. The program must read both forms alike.

#include <QString>

enum class DmsMessageForm
{
    Plain,    // a default namespace, no prefixes in the message, as the program writes
    Prefixed, // as a generated SOAP stack writes it
};

// The envelope the stand-in wrote (an answer, a fault or a pushed request)
// in the form: unchanged for Plain. Prefixed: the envelope's elements under
// "SOAP-ENV:", the DMS's elements under "tns:", both and "xsi:"/"xsd:"
// declared on the envelope; every element of the DMS's namespace that holds
// only text gets xsi:type="xsd:string"; an optional element that is not
// there ("customerHasSpecificPrice" of a vehicle, "flagInclusivePrice" of a
// price, the fields of "transferVIN", ...) is added with xsi:nil="true".
// A flag ("customerHasSpecificPrice", "confirmTransmission",
// "flagInclusivePrice") is written "1" or "0" and typed xsd:boolean, a
// first registration date gets the time zone "+01:00" and is typed xsd:date,
// both between line breaks and blanks. Other values, their order and the
// attributes of the message stay as they were.
QString InMessageForm(const QString &envelope, DmsMessageForm form);

// The form a command line names ("plain" or "prefixed"); false for another.
bool ParseDmsMessageForm(const QString &name, DmsMessageForm *form);
