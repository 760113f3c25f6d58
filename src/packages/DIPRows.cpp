#include "packages/DIPRows.h"

#include "platform/OrmelText.h"
#include "platform/ccd/CDIPMarktRec.h"
#include "platform/ccd/CDIPMarktTextRec.h"

const QString kDIPTypeTradeUnit = QStringLiteral("1");
const QString kDIPTypePart = QStringLiteral("0");

namespace {
constexpr int kTextInformation = 6072;  // "Information"
constexpr int kTextDescription = 6053;  // "Bezeichnung"
constexpr int kTextPackageSizes = 6054; // "Gebindegrössen"
// The description shows in pieces of this many characters, four at most.
constexpr int kDescriptionPiece = 40;
constexpr int kDescriptionPieces = 4;

CListZeileData Header(const QString &code, const QString &description, const QString &packageSizes,
                      const QString &meaning)
{
    CListZeileData row;
    row.kind = DIP_ROW_HEADER;
    row.columns[3] = code;
    row.columns[4] = description;
    row.columns[5] = packageSizes;
    row.columns[6] = meaning;
    return row;
}
} // namespace

QString GroupDIPPartNumber(const QString &number)
{
    return number.mid(0, 2) + QLatin1Char(' ') + number.mid(2, 2) + QLatin1Char(' ') +
           number.mid(4, 1) + QLatin1Char(' ') + number.mid(5, 3) + QLatin1Char(' ') +
           number.mid(8, 3);
}

bool AddDIPPartRows(CDIPMarktRec &records, const QString &type, std::vector<CListZeileData> *rows)
{
    bool added = false;
    for (int ok = records.MoveDIPPaketFromBegin(CCD_MOVE_FIRST); ok;
         ok = records.MoveDIPPaketFromBegin(CCD_MOVE_NEXT)) {
        if (records.Typ != type ||
            (records.Typ == kDIPTypeTradeUnit && records.Anzeige == QLatin1String("0")))
            continue;
        CListZeileData row;
        row.kind = DIP_ROW_PART;
        row.columns[8] = GroupDIPPartNumber(records.TeileNr);
        for (int piece = 0; piece < kDescriptionPieces; ++piece) {
            const QString text =
                records.Bezeichnung.mid(piece * kDescriptionPiece, kDescriptionPiece);
            row.columns[size_t(9 + piece)] = piece == 0 ? text : text.trimmed();
        }
        row.columns[13] = records.Gebinde.trimmed();
        rows->push_back(row);
        added = true;
    }
    return added;
}

std::vector<CListZeileData> DIPListRows(const QString &folder, const QString &language)
{
    std::vector<CListZeileData> rows;
    CDIPMarktTextRec texts;
    if (texts.Open(folder)) {
        for (int ok = texts.MoveDIPPaketFromBegin(CCD_MOVE_FIRST); ok;
             ok = texts.MoveDIPPaketFromBegin(CCD_MOVE_NEXT)) {
            if (texts.Sprache != language)
                continue;
            CListZeileData row;
            row.kind = DIP_ROW_INFO;
            row.columns[0] = texts.Titel;
            row.columns[1] = OrmelText(kTextInformation);
            row.columns[2] = texts.Text;
            rows.push_back(row);
        }
        texts.Close();
    }
    CDIPMarktRec parts;
    if (!parts.Open(folder))
        return rows;
    rows.push_back(Header(QStringLiteral("TU"), OrmelText(kTextDescription),
                          OrmelText(kTextPackageSizes), QStringLiteral("(Trade Unit)")));
    if (AddDIPPartRows(parts, kDIPTypeTradeUnit, &rows)) {
        rows.push_back(Header(QStringLiteral("DIP"), QString(), QString(),
                              QStringLiteral("(Dealer Individual Part)")));
    } else {
        rows.pop_back();
        rows.push_back(Header(QStringLiteral("DIP"), OrmelText(kTextDescription), QString(),
                              QStringLiteral("(Dealer Individual Part)")));
    }
    AddDIPPartRows(parts, kDIPTypePart, &rows);
    parts.Close();
    return rows;
}
