#pragma once
// One line of the labour-value catalogue page: a main group (1), subgroup
// (2), third-level row (3) or labour position (4), with what the page shows
// of it and, for a position, the prices the price button found.

#include "packages/model/PriceMath.h"

#include <QString>
#include <QStringList>

#include <memory>
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

// One value line of a position: the vehicle's value of a unit. Every
// position shown carries its own, so it holds no more.
struct CAwKatValueLine
{
    QString Unit;  // "", "U", "M", "R"
    QString Value; // the vehicle's value ("AZ" text when billed by time)
};

// One line of a position's values per catalogue column (the catalogue
// view): the values of a unit.
struct CAwKatColumnLine
{
    QString Unit;       // "", "U", "M", "R"
    QStringList Values; // per catalogue column
    QString PaintStage;
    QString BuildStatus;
};

// What few rows carry: the line range of a group (a position's range is
// its own line), the further lines of a bracket text, the prices the price
// button found and the values per catalogue column of the catalogue view.
// Kept apart from the row and made only when filled: a main group's
// positions are many, and every open writes each of their rows again.
struct CAwKatRowMore
{
    bool HasRange = false;
    QString LineTo;
    QString RangeFrom;
    QString RangeTo;
    QString BracketMore;
    CAwKatPrices Prices;
    std::vector<CAwKatColumnLine> ColumnLines;
};

// A row begins a memory line of its own (its store aligns the rows) and,
// on a 64-bit build, fills five: a pass over a level's rows touches no
// line of two rows.
struct alignas(64) CAwKatRow
{
    // The fields each pass over a level's rows reads (which rows are shown,
    // their headings, what they draw) lie together at the front: a main
    // group's positions are many, and each pass touches few memory lines
    // of a row.
    qint8 Type = 0;
    qint8 Leading = 0;
    qint8 HeadingShown = 0;
    qint8 NotApplicable = 0; // the vehicle's catalogue column holds "U"
    qint8 FullSeparator = 0;
    qint8 PairMark = 0; // drawn "+ ": one piece of work with the row above
    qint8 PartsClearing = 0;
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
    // The display text (lines separated by "\r\n") and the bracket text,
    // each kept in two parts as the catalogue gives them: its first line
    // (a group's text whole), and its further lines that are not empty,
    // joined only where there are several of them. The whole text is put
    // together when it is asked for: a main group has thousands of
    // positions, and only the few drawn or stored need theirs.
    QString TextFirst;
    QString TextMore;
    QString BracketFirst;
    QString Text() const { return Joined(TextFirst, TextMore); }
    QString BracketText() const { return Joined(BracketFirst, BracketMore()); }
    const QString &BracketMore() const { return m_more ? m_more->BracketMore : NoText(); }
    void SetBracketMore(const QString &more)
    {
        if (m_more || !more.isEmpty())
            More().BracketMore = more;
    }
    void SetText(const QString &text)
    {
        TextFirst = text;
        TextMore.clear();
    }
    // The heading of a position, "Verbundarbeiten:" / "Zusatzarbeiten:":
    // the program text as the level was read (its walk keeps it); null for
    // none.
    const QString *HeadingText = nullptr;
    QString Heading() const { return HeadingText ? *HeadingText : QString(); }
    QString InfoText; // paint-stage text of the position info
    // The two numbers of the position's info: the position that goes with
    // this one after it, and the one this one goes with before it.
    QString Info1;
    QString Info2;

    // A position's range is its own catalogue line.
    void SetLine(const QString &line)
    {
        LineFrom = line;
        if (m_more)
            m_more->HasRange = false;
    }
    // A group's lines and the range the next level is read in.
    void SetRange(const QString &lineFrom, const QString &lineTo, const QString &rangeFrom,
                  const QString &rangeTo)
    {
        LineFrom = lineFrom;
        CAwKatRowMore &more = More();
        more.HasRange = true;
        more.LineTo = lineTo;
        more.RangeFrom = rangeFrom;
        more.RangeTo = rangeTo;
    }
    // The last catalogue line of the row's range.
    const QString &LineTo() const { return HasRange() ? m_more->LineTo : LineFrom; }
    // The range the next level is read in.
    const QString &RangeFrom() const { return HasRange() ? m_more->RangeFrom : LineFrom; }
    const QString &RangeTo() const { return HasRange() ? m_more->RangeTo : LineFrom; }

    // The prices of a position (none set until the price button found
    // them), and the same to be filled.
    const CAwKatPrices &Prices() const { return m_more ? m_more->Prices : NoPrices(); }
    CAwKatPrices &PricesToSet() { return More().Prices; }
    // The values per catalogue column (the catalogue view).
    const std::vector<CAwKatColumnLine> &ColumnLines() const
    {
        return m_more ? m_more->ColumnLines : NoLines();
    }
    void SetColumnLines(std::vector<CAwKatColumnLine> lines)
    {
        More().ColumnLines = std::move(lines);
    }

private:
    static QString Joined(const QString &first, const QString &more)
    {
        return more.isEmpty() ? first : first + QLatin1String("\r\n") + more;
    }
    bool HasRange() const { return m_more && m_more->HasRange; }
    CAwKatRowMore &More()
    {
        if (!m_more)
            m_more = std::make_unique<CAwKatRowMore>();
        return *m_more;
    }
    static const QString &NoText()
    {
        static const QString none;
        return none;
    }
    static const CAwKatPrices &NoPrices()
    {
        static const CAwKatPrices none;
        return none;
    }
    static const std::vector<CAwKatColumnLine> &NoLines()
    {
        static const std::vector<CAwKatColumnLine> none;
        return none;
    }

    std::unique_ptr<CAwKatRowMore> m_more;
};
