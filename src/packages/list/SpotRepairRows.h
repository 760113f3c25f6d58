#pragma once
// The spot-repair branch of the package list: the one spot-repair entry
// (level 3), the paint classes of the vehicle's brand (level 5) and the
// matrix rows with their prices (level 6), read from the dealer's data sets
// "SPOTR_PNT_CLASS_TXT.dat" and "SPOTR_MATRIX.dat". A matrix row chosen
// leads to the spot-repair page, which takes the way there as the first
// lines of its package (SpotRepairPathLine).

#include "packages/list/PackageList.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class CPosition;

struct CSpotRepairRead
{
    int found = 0;            // records of the brand letter
    QString missingFile;      // the path of a data set that did not open
    bool textsFailed = false; // a row's catalogue texts could not be read
    // The consistency warnings of the read, for one message together.
    QStringList mismatches;
};

class CSpotRepairRows
{
public:
    // Fills the text and bracket lines of a matrix row from the catalogue;
    // false when the catalogue could not be read.
    using TextReader = std::function<bool(CPackageRow &row, const QString &number)>;

    CSpotRepairRows(QString folder, QString brandLetter)
        : m_strFolder(std::move(folder)), m_strLetter(std::move(brandLetter))
    {
    }
    void SetTextReader(TextReader reader) { m_readTexts = std::move(reader); }

    // The spot-repair entry (level 3) with its text, in front of the other
    // rows; an entry already listed takes the text. It becomes the current
    // row of its level when there is none.
    static void AddEntryRow(CPackageList &list, const QString &text);

    // The paint classes of the brand letter below the entry: every class
    // once (by class, NSCID, DLRID and brand), listed in the reverse of the
    // file order. The rows of level 5 and below go first.
    CSpotRepairRead ShowPaintClasses(CPackageList &list, const CPackageRow &entry) const;
    // The matrix rows of the brand letter below the paint class (every
    // paint class lists all of them), in the reverse of the file order;
    // rows whose NSCID, DLRID or brand differ from the class are listed
    // and named in the warnings. The rows of level 6 and below go first.
    CSpotRepairRead ShowMatrixRows(CPackageList &list, const CPackageRow &paintClass) const;

    // A row of the way to the spot-repair package as a line of it: its
    // list kind as the line type, the marker "YY", its spot-repair fields,
    // number, texts and (matrix row) price set 1.
    static std::unique_ptr<CPosition> SpotRepairPathLine(const CPackageRow &row);
    // The head of the package made of a matrix row: its line with the
    // spot-repair head type, named by the catalogue's texts of the work
    // unit, else by the entry and the paint class.
    static std::unique_ptr<CPosition> SpotRepairHead(const CPackageRow &matrixRow);

private:
    QString m_strFolder;
    QString m_strLetter;
    TextReader m_readTexts;
};
