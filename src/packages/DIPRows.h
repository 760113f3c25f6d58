#pragma once
// What the dealer-individual-parts page lists, without widgets: the
// market's information texts in the program language, then the trade
// units and the dealer-individual parts of the market, each under its
// header, from the dealer's files "DIPMarktText.dat" and "DIPMarkt.dat".

#include "packages/ListZeileData.h"

#include <QString>

#include <vector>

class CDIPMarktRec;

enum DIPRowKind
{
    DIP_ROW_HEADER = 1, // columns 3 to 6: "TU" or "DIP", titles, what it stands for
    DIP_ROW_PART = 2,   // column 8 part number, 9 to 12 description, 13 package sizes
    DIP_ROW_INFO = 3,   // columns 0 to 2: title, "Information", text
};

// The type codes of the market's part records.
extern const QString kDIPTypeTradeUnit; // "1"
extern const QString kDIPTypePart;      // "0"

// A part number in groups of 2, 2, 1, 3 and 3 characters, separated by
// single blanks.
QString GroupDIPPartNumber(const QString &number);

// One part row for each record of the type, in file order; a trade unit
// whose display flag is "0" is left out. True when a row was added.
bool AddDIPPartRows(CDIPMarktRec &records, const QString &type, std::vector<CListZeileData> *rows);

// The whole list from the files of the folder. A file that does not open
// is left out: without the part file only the information texts; without
// both nothing. The trade-unit header goes when no trade unit is listed,
// and the part header then names the description column.
std::vector<CListZeileData> DIPListRows(const QString &folder, const QString &language);
