#pragma once
// The dealer's marketing campaign packages offered for the identified
// vehicle, read from the campaign data files of the dealer data folder
// (CMPN_PCKG_SUBS by the vehicle's type key, then CMPN, CMPN_TXT,
// CMPN_PCKG, CMPN_PCKG_TXT and MRKTNG_ATT). Every subscription whose
// campaign exists has its price definitions checked (faults told to the
// adviser, none dropping the package) and is offered when CCampaignValidity
// lets it pass. The packages offered become the campaign rows of the package
// list (level 2, one per campaign) and, as a campaign is opened, its
// campaign-package rows (level 4); package rows carry the offers of their
// package number.

#include "packages/list/PackageRow.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

class CPackageList;
class CPosition;
class IPaketNotice;

// One campaign package offered: a campaign row (CPosition type 2, HG "XX")
// with every campaign field (CPosition::Campaign...).
using CCampaignOffer = std::shared_ptr<const CPosition>;
using CCampaignOffers = std::vector<CCampaignOffer>;

struct CCampaignImportInput
{
    QString folder;            // the dealer data folder of the campaign files
    QString typeKey;           // the vehicle's
    QString firstRegistration; // DD.MM.YYYY
    QString productionDate;    // YYYYMM or YYYYMMDD
    QString today;             // YYYYMMDD
    QString catalogueKey = QStringLiteral("1");
};

class CCampaignImport
{
public:
    // Fills the text and bracket lines of a campaign row from its package
    // number; unset: the rows keep none.
    using TextReader = std::function<void(CPosition &row, const QString &number)>;

    // notice: the faults of the data and the files that cannot be opened.
    CCampaignImport(CCampaignImportInput input, IPaketNotice *notice, TextReader texts = {});

    // The campaign packages offered, in the order of the subscription file.
    // Empty when a file cannot be opened (told once).
    CCampaignOffers Import();

    // The text a fault of the campaign data is told with: the help-desk
    // sentence, then the text of the fault.
    static QString DataFaultText(int textId);
    // The package number of a campaign package reference: characters 2 to 8.
    static QString PackageNumberOf(const QString &packageRef);

private:
    void CheckPriceDefinitions(CPosition &row) const;
    void Fault(int textId) const;

    CCampaignImportInput m_input;
    IPaketNotice *m_pNotice;
    TextReader m_texts;
};

// --- the campaign rows of the package list -------------------------------

// Puts one campaign row per campaign number (the first offer's fields) at
// level 2, ordered by the campaign's begin, the first of them current;
// answers how many.
int AddCampaignRows(CPackageList &list, const CCampaignOffers &offers);
// Opens a campaign row: its campaign packages become the rows of level 4
// (in the order of the offers), the first of them current, level 4 shown.
// Answers how many.
int OpenCampaign(CPackageList &list, CPackageRow *campaignRow, const CCampaignOffers &offers);
// Attaches to each package row (levels 4 and 9) the offers of its package
// number, with their count and the fast-lane mark of a package row.
void AttachCampaignOffers(const std::vector<CPackageRow *> &rows, const CCampaignOffers &offers);
