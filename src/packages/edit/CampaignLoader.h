#pragma once
// Loads a marketing campaign package line by line from the campaign data
// files of the dealer data folder: its labour positions
// (CMPN_PCKG_SUBS_FR), its optional sub-packages (CMPN_PCKG_SUBS_PCKG,
// each again a campaign package under its own package reference) and its
// parts (CMPN_PCKG_SUBS_PART). Every record is checked against the
// campaign's price type and selection rules; a fault is told to the adviser
// and never stops the load, and an optional line marked as chosen is
// loaded unchosen.
//
// The campaign keys come from the head: campaign number, campaign package
// number, subscription field and package reference (CPosition::Campaign...);
// the work and part lines are read under the vehicle's type key followed by
// these four, the sub-packages under the four alone.

#include "platform/db/CatalogueFailure.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class CPaket;
class CPosition;
class CYaqDb;
class IPaketNotice;

struct CCampaignLoadInput
{
    QString folder;  // the dealer data folder of the campaign files
    QString typeKey; // the vehicle's
    QString catalogueKey = QStringLiteral("1");
    QString language = QStringLiteral("00");
    QString modelSeries; // key of the position texts
};

class CCampaignLoader
{
public:
    // Fills the text and bracket lines of a line (work line, sub-package
    // line or nested head) from its number.
    using TextReader = std::function<void(CPosition &line)>;
    // A part's text in the program language; empty when not found.
    using PartTextReader = std::function<QString(const QString &partNumber)>;

    CCampaignLoader(CCampaignLoadInput input, IPaketNotice *notice, TextReader texts = {},
                    PartTextReader partTexts = {});

    // The readers of the catalogue database: position texts on the first
    // connection, part texts on the second (borrowed; either may be null).
    void UseCatalogue(CYaqDb *texts, CYaqDb *parts);

    // Loads the lines of the campaign package of the head into paket, which
    // holds the package's own lines (list line, campaign lines, head).
    // Yes when loaded; No when a file could not be opened (told), the
    // package then keeps only what it held; Failed when a read of the
    // catalogue (a text) failed, not told: the package lacks its texts.
    CatalogueFound Load(CPaket &paket, const CPosition &head);

    // How deep sub-packages are loaded; a sub-package nested deeper, or one
    // that contains itself, stays an optional line without lines.
    static constexpr int kMaxDepth = 8;

    // A quantity of the campaign files as the package shows it: leading
    // zeros dropped (one stays before the point), and of a decimal its
    // trailing zeros and a bare point ("001.000" -> "1", "002.500" -> "2.5",
    // "0.500" -> "0.5").
    static QString NormaliseQuantity(const QString &quantity);

    // --- The steps of one level: its records in, its lines out ------------
    // A record of the work file (CMPN_PCKG_SUBS_FR) or the part file
    // (CMPN_PCKG_SUBS_PART) of a level.
    struct LineRow
    {
        QString key1, campaign, package, subs; // the campaign keys
        QString packageRef, number, quantity, price;
        QString usage;       // "S", "O", "A", "B"
        QString stat;        // "1" chosen when loaded
        QString operability; // "0" the dealer may choose
        // Work: its line and the line an alternative stands for; part: its
        // position and the position an alternative stands for.
        QString lineNo, refLineNo;
        QString category;  // part: "p" part, "o" oil
        QString standsFor; // work of usage "A": the number of the line it stands for
    };
    // A record of the sub-package file (CMPN_PCKG_SUBS_PCKG) of a level.
    struct SubRow
    {
        QString key1, number, packageNumber, subs, parentRef, posNo, ref, attr1, attr2, stat,
            operability;
    };
    using Lines = std::vector<std::unique_ptr<CPosition>>;

    // The work lines of the records; the one numbered `leadNumber` (the
    // head's) is the lead labour. Each is checked against the price type.
    Lines WorkLines(const std::vector<LineRow> &rows, const QString &leadNumber,
                    const QString &priceType) const;
    // The part lines of the records, each checked against the price type.
    Lines PartLines(const std::vector<LineRow> &rows, const QString &priceType) const;
    // The optional sub-package line of a record, its package holding its
    // own lines (list line, campaign lines, head) under the record's keys
    // and the campaign of the level's head `keys`; its lines are loaded
    // apart. A sub-package loaded as chosen is a fault.
    std::unique_ptr<CPosition> SubPackageLine(const SubRow &row, const CPosition &keys) const;
    // The lines with the group lines before the first optional work or
    // part ("OPTIONAL") and before the first sub-package ("OPTIONALE
    // PAKETE").
    static Lines WithGroupLines(Lines lines);

private:
    struct Files;
    void LoadLevel(Files &files, CPaket &target, const CPosition &keys, const QString &priceType,
                   QStringList &chain);
    // The lines of the sub-package `ref` into its package, unless it holds
    // itself or lies too deep.
    void LoadSubPackage(Files &files, CPaket &nested, const QString &ref, const QString &priceType,
                        QStringList &chain);
    static std::vector<LineRow> ReadWorkRows(Files &files, const QString &lineKey);
    static std::vector<SubRow> ReadSubRows(Files &files, const QString &packageKey);
    static std::vector<LineRow> ReadPartRows(Files &files, const QString &lineKey);
    void Fault(int textId) const;
    void FaultText(const QString &text) const;
    // A line's own price must be there exactly when the campaign prices by
    // the item (`missing`, `notAllowed`: the texts of the two faults).
    void CheckLinePrice(const QString &priceType, const QString &price, int missing,
                        int notAllowed) const;
    // A work or a part line (`type`) from what their records say alike,
    // checked against the price type and the rule for a chosen optional
    // line.
    struct LineSlots;
    std::unique_ptr<CPosition> CampaignLine(int type, const LineRow &record, const LineSlots &where,
                                            const QString &priceType) const;

    CCampaignLoadInput m_input;
    IPaketNotice *m_pNotice;
    TextReader m_texts;
    PartTextReader m_partTexts;
    CYaqDb *m_pTextDb = nullptr; // the catalogue connections of UseCatalogue
    CYaqDb *m_pPartDb = nullptr;
};
