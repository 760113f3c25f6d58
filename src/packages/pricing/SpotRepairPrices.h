#pragma once
// The prices of a spot-repair package: from the dealer's price files
// (request mode 3) or by the DMS request "requestPackageInfo" (mode 4),
// as for every package but without the campaign price, with the package
// named by its spot-repair head and without part prices from the answer.

class CDmsClient;
class CPaket;
class CPrgSettings;
class IDmsNotice;
class IPaketNotice;

class CSpotRepairPrices
{
public:
    // The package is asked for when it holds a line of a type other than
    // 0, 1 and 13 (the findings and special lines count here).
    static bool WantsRequest(const CPaket &paket);
    static void PriceLocally(CPaket &paket, const CPrgSettings *settings, IPaketNotice *notice);
    static void Request(CPaket &paket, CDmsClient &client, IDmsNotice *notice);
};
