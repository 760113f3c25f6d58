#pragma once
// The campaign of a package as the DMS requests carry it (package price
// request, basket transfer): the start of the "campaignInformation" element.

#include <QString>

class CPosition;
class QXmlStreamWriter;

// Opens "campaignInformation" with the campaign's number and package number,
// writes the campaign and package names (the numbers stand in for empty
// names) and, for interface version 1.17, the price type. The caller writes
// its prices and closes the element. Returns the campaign's price type.
QString WriteCampaignInformationStart(QXmlStreamWriter &xml, const CPosition &head, bool v117);

// The head's rebate a line of a "CR" campaign is priced with: the labour
// rebate for a work position, the parts or the oil rebate for a part of
// rebate category "p" or "o" (CPosition::Campaign... index); -1 for any
// other line.
int CampaignRebateField(const CPosition &line);
