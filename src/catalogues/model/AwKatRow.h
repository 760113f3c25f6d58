#pragma once
// One line of the labour-value catalogue page: a main group (1), subgroup
// (2), third-level row (3) or labour position (4), with what the page shows
// of it and, for a position, the prices the price button found.

#include "packages/model/PriceMath.h"

#include <QString>
#include <QStringList>

#include <vector>

enum AwKatLevel
{
    AW_MAIN_GROUP = 1,
    AW_SUBGROUP = 2,
    AW_THIRD_LEVEL = 3,
    AW_POSITION = 4,
};

// The prices of a position, with the price markers of the package lines:
// kPriceNotSet none, kPriceByTime billed by actual working time ("AZ"),
// kPriceNone asked for but not found ("?").
struct CAwKatPrices
{
    double UnitGross = kPriceNotSet; // per labour value, or the whole price when flat
    double UnitNet = kPriceNotSet;
    double Vat = kPriceNotSet;   // percent
    double Gross = kPriceNotSet; // shown
    double Net = kPriceNotSet;   // shown
    int FlatPrice = 0;           // the unit prices are the position's whole price
    int NoPrice = 0;             // a price was asked for: what stays missing shows "?"
    QString Currency;
};

// One value line of a position: the vehicle's value of a unit, or the
// values of a unit per catalogue column.
struct CAwKatValueLine
{
    QString Unit;       // "", "U", "M", "R"
    QString Value;      // the vehicle's value ("AZ" text when billed by time)
    QStringList Values; // per catalogue column (catalogue view)
    QString PaintStage;
    QString BuildStatus;
};

struct CAwKatRow
{
    // The fields each pass over a level's rows reads (which rows are shown,
    // their headings, what they draw) lie together at the front: a main
    // group's positions are many, and each pass touches few memory lines
    // of a row.
    int Type = 0;
    int Leading = 0;
    int HeadingShown = 0;
    int NotApplicable = 0; // the vehicle's catalogue column holds "U"
    // Filled by the walk before a position is shown (its drawing reads
    // nothing): the vehicle's value lines, the values per catalogue column
    // where the catalogue view shows them, and, in the alternative
    // catalogue, the texts.
    bool TextsRead = false;
    bool ValuesRead = false;
    bool ColumnsRead = false;
    // A group's answer whether it leads to a position valued for the
    // vehicle, asked once: a group row is read anew for another vehicle.
    bool ValidityRead = false;
    bool LeadsToValues = false;
    QString Key;      // main group
    QString LineFrom; // first catalogue line of the row's range; a position's own line
    QString Number;   // group code; the position number of a position
    QString Code;     // relation code of a position
    QString Reference;
    std::vector<CAwKatValueLine> ValueLines;
    QString LineTo;    // last catalogue line of the row's range
    QString RangeFrom; // the range the next level is read in
    QString RangeTo;
    // The display text (lines separated by "\r\n") and the bracket text,
    // each kept in two parts as the catalogue gives them: its first line
    // (a group's text whole), and its further lines that are not empty,
    // joined only where there are several of them. The whole text is put
    // together when it is asked for: a main group has thousands of
    // positions, and only the few drawn or stored need theirs.
    QString TextFirst;
    QString TextMore;
    QString BracketFirst;
    QString BracketMore;
    QString Text() const { return Joined(TextFirst, TextMore); }
    QString BracketText() const { return Joined(BracketFirst, BracketMore); }
    void SetText(const QString &text)
    {
        TextFirst = text;
        TextMore.clear();
    }
    QString Heading;  // "Verbundarbeiten:" / "Zusatzarbeiten:" of a position
    QString InfoText; // paint-stage text of the position info
    // The two numbers of the position's info: the position that goes with
    // this one after it, and the one this one goes with before it.
    QString Info1;
    QString Info2;
    int FullSeparator = 0;
    int PairMark = 0; // drawn "+ ": one piece of work with the row above
    int PartsClearing = 0;
    CAwKatPrices Prices;
    std::vector<CAwKatValueLine> ColumnLines;

private:
    static QString Joined(const QString &first, const QString &more)
    {
        return more.isEmpty() ? first : first + QLatin1String("\r\n") + more;
    }
};
