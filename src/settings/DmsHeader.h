#pragma once
// The header every DMS message shares: the namespace and schema attributes
// of the root element, with the schema version chosen from the settings,
// and the SOAP action that names the message.

#include "platform/DmsNamespace.h"

#include <QString>

class CPrgSettings;

// The schema every message refers to.
extern const QString kDmsRefSchema; // "serviceRepairPackages.xsd"

// "http://<host>/SRP", the namespace of every message body.
QString DmsNamespaceUri();

// The SOAP action of a request: "http://<host>/SRP/action/YAQ." + method.
QString DmsSoapAction(const QString &method);

// The schema version the settings ask for: "01.00.05" without the extended
// formats, else "01.05.00" with V117 on, else "01.04.01".
QString DmsSchemaVersion(const CPrgSettings &settings);

// The version the messages carry now: the one written by UpdateDmsHeader,
// or the rule's when the header was never written.
QString DmsHeaderVersion(const CPrgSettings &settings);

// The attribute text of a root start tag, from the blank before "xmlns" to
// the closing ">".
QString DmsNamespaceAttributes(const QString &version);

// Writes the namespace attribute text and the schema version into the
// settings. Called at start-up and whenever the interface options change.
void UpdateDmsHeader(CPrgSettings *settings);

// Whether an answer's header fits: the schema and the version the messages
// carry now, both without regard to case.
bool CheckDmsHeader(const CPrgSettings &settings, const QString &refSchema, const QString &version);
