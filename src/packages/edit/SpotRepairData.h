#pragma once
// The works of a spot-repair package and the factor of two works repaired
// together, from the dealer's data sets "SPOTR_DMG_CLASS_TXT.dat" (the
// damage classes), "SPOTR.dat" (a green and a yellow work per paint class
// and damage class) and "SPOTR_COMB.dat" (the combination factors), with
// the rules by which the adviser chooses at most two works.
//
// Nothing here shows a window: files that did not open and records whose
// importer, dealer or brand differ from the lines they fill are collected,
// and the page tells them in one message each.

#include <QString>
#include <QStringList>

#include <vector>

class CPaket;
class CPosition;
class CPrgSettings;

struct CSpotRepairMessages
{
    QStringList missingFiles; // paths of the data sets that did not open
    QStringList mismatches;   // consistency warnings, for one message together
};

class CSpotRepairData
{
public:
    CSpotRepairData(QString folder, QString brandLetter)
        : m_strFolder(std::move(folder)), m_strLetter(std::move(brandLetter))
    {
    }

    // Makes the package of the way chosen on the package list: the
    // spot-repair row, the head, the entry, the paint class and the matrix
    // row, copied in this order. False, and the package unchanged, unless
    // all five are given and the spot-repair row is marked "YY".
    static bool TakeRows(CPaket &paket, const CPosition *spotRow, const CPosition *head,
                         const CPosition *entry, const CPosition *paintClass,
                         const CPosition *matrixRow);
    // The matrix row of the package (its kind-6 line), null when none.
    static const CPosition *MatrixRow(const CPaket &paket);
    // The work lines (type 10) in package order.
    static std::vector<CPosition *> WorkLines(const CPaket &paket);

    // Appends a green and a yellow work line per damage class of the brand
    // letter, priced as the matrix row; a work the dealer does not offer is
    // left out and its partner marked. The lines go at the end of the
    // package in file order, green before yellow.
    CSpotRepairMessages LoadWorks(CPaket &paket, const CPosition &matrixRow) const;

    // The factor of the chosen pair: the first two works chosen once, or
    // one work chosen twice. Written into both works of the pair; empty
    // without a pair, for works of different paint classes, or when the
    // data set holds none. A factor shown begins with a digit (".5" shows
    // as "0.5"); the lines keep the text without leading zeros.
    QString ReadCombinationFactor(const std::vector<CPosition *> &works,
                                  CSpotRepairMessages &messages) const;

    // --- choosing works ---
    enum class Toggle
    {
        Ignored,   // no head, a package price for the whole, or no work line
        Unchanged, // the line would have made a third work and stays not chosen
        Changed,   // the choice changed; the factor was read anew
    };
    struct ToggleResult
    {
        Toggle result = Toggle::Ignored;
        // More than two works would have been chosen: the line lost its
        // choice (the adviser is told so).
        bool overLimit = false;
        QString factor; // the pair's factor as shown
        CSpotRepairMessages messages;
    };
    // The works chosen: a line chosen once counts one, twice two.
    static int CountChosen(const std::vector<CPosition *> &works);
    // Steps the work line through not chosen, chosen once and chosen twice.
    // A step that makes more than two works leaves the line not chosen,
    // whatever it was: with two lines chosen once, choosing one again
    // leaves only the other chosen. After a change every work's factor is
    // emptied and the pair's read anew, the line and package prices are
    // computed again and the hand-set price mark of the head is cleared.
    ToggleResult ToggleWork(CPaket &paket, CPosition *line, const CPrgSettings *settings) const;

private:
    QString m_strFolder;
    QString m_strLetter;
};
