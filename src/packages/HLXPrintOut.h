#pragma once
// The print-out of the contract page through the print engine: the vehicle
// on the first page, then one contract per page with its data rows and its
// condition texts. Every page closes with a footer (the VIN, the day and
// "Paket k / N" of its contract); a contract too long for one page goes on
// on the next, which carries the same footer. The rows never reach into the
// footer: the page breaks are laid out before anything is drawn.
//
// Units are 0.1 mm with y growing upwards (see CEasyPrintVirt).

#include "common/EasyPrintVirt.h"
#include "settings/HLXVertragInfo.h"

#include <QFont>
#include <QList>
#include <QString>

#include <functional>

class CPrgSettings;

class CHLXPrintOut : public CEasyPrintVirt
{
public:
    using ConditionTexts = std::function<QString(const CHLXVertragInfo &)>;

    // settings: the vehicle, the day and the brand; contracts: the page's
    // list in its order (both borrowed); conditionText gives a contract's
    // condition text (empty for none).
    CHLXPrintOut(const CPrgSettings *settings, const QList<CHLXVertragInfo> *contracts,
                 ConditionTexts conditionText);

    CSize PrintPage(QPainter *dc, CRect *area, int measureOnly) override;

    // The pages of the last pass.
    int PageCount() const { return m_nPageCount; }

    // A print font: sizeValue in tenths of a point (negative, as the forms
    // give it), "F" bold, "K" italic; language "11" prints 5 points larger.
    static QFont PrintFont(int sizeValue, const QString &style, const QString &language);

private:
    const CPrgSettings *m_pSettings;
    const QList<CHLXVertragInfo> *m_pContracts;
    ConditionTexts m_conditionText;
    int m_nPageCount = 0;
};
