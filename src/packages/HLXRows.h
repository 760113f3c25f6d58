#pragma once
// What the contract page lists, without widgets: a title, for each contract
// its data rows and its condition texts, separated by lines; or a notice.
// The print-out prints the same rows of each contract.

#include "settings/HLXVertragInfo.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

enum HLXRowKind
{
    HLX_ROW_TITLE = 1,
    HLX_ROW_TEXT = 2,
    HLX_ROW_LINE = 3,
};

// One row of the list. extra: " " for a plain row, kHLXRedRow for a row
// drawn in red, or a text drawn in red right of the row's text.
struct CHLXRow
{
    int kind = HLX_ROW_TEXT;
    QString text;
    QString extra;
};

extern const QString kHLXRedRow; // "Text rot"

// The two texts the label column of the list and the print-out must hold:
// the description label with a long product name, the origin label with
// a wide origin.
QStringList HLXLabelSamples();

// Digit groups of a mileage: "12345" gives "12 345"; texts of other
// lengths than 4 to 6 characters stay as they are.
QString FormatMileage(const QString &text);

// Whether the row's own text is drawn in red: marked so, or a condition
// line beginning with the warning word (text 3225).
bool IsHLXRedText(const CHLXRow &row);
// The red text right of the row's own text; empty for none.
QString HLXRedExtra(const CHLXRow &row);

// The data rows of one contract: description (with the reason why it is
// not in force), origin, option number, billing start, start and end
// mileage, end date, the blank row and the "whichever first" note. The
// reason's row is red: billing start, end mileage or end date.
std::vector<CHLXRow> HLXContractRows(const CHLXVertragInfo &contract);

// The lines of a condition text, carriage returns dropped; an empty line
// stays as an empty text, a last line without line feed counts.
QStringList HLXConditionLines(const QString &text);

// The whole list of the contracts of the VIN: conditionText gives the
// condition text of a contract (empty for none).
std::vector<CHLXRow>
HLXListRows(const QList<CHLXVertragInfo> &contracts, const QString &vin,
            const std::function<QString(const CHLXVertragInfo &)> &conditionText);

// The list showing the notice of the text id instead.
std::vector<CHLXRow> HLXNoticeRows(int textId);
