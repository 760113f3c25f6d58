#pragma once
// The header every DMS message shares: the namespace and schema attributes
// of the root element, with the schema version chosen from the settings.

#include <QString>

class CPrgSettings;

// Host of the maker's message namespace; the namespace is "http://<host>/SRP".
extern const QString kDmsNamespaceHost;

// The schema version the settings ask for: "01.00.05" without the extended
// formats, else "01.05.00" with V117 on, else "01.04.01".
QString DmsSchemaVersion(const CPrgSettings &settings);

// Writes the namespace attribute text and the schema version into the
// settings. Called at start-up and whenever the interface options change.
void UpdateDmsHeader(CPrgSettings *settings);
