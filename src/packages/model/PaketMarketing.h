#pragma once
// The marketing attributes of a package: the dealer's marketing attribute
// file marks packages as fast-lane or value-line offers.

class CPrgSettings;
class CMrktngAttRec;
class CPosition;

// Sets the position's fast-lane and value-line flags from the marketing
// attribute file (key: catalogue key + package number); unchanged when the
// file has no row for it.
void SetMrktngAttFlags(const CPrgSettings *settings, CMrktngAttRec *record, CPosition *position);
