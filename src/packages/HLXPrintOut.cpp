#include "packages/HLXPrintOut.h"

#include "common/Layout.h"
#include "common/readers/HLXContracts.h"
#include "packages/HLXRows.h"
#include "platform/OrmelText.h"
#include "settings/PrgSettings.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr int kMargin = 150; // left and right of the column
constexpr int kTop = 115;    // above the vehicle's title
constexpr int kGap = 50;     // after a title, a blank row, an empty condition line
constexpr int kContractTop = 150;
constexpr int kLabel = 500;      // the vehicle's labels
constexpr int kFooterLine = 150; // the footer's line above the bottom of the page
constexpr int kFooterGap = 50;   // kept free above the footer's line
constexpr int kConditionGap = 100;

using RowDraw = std::function<void(CLayout &parent, int paint)>;

// The document as it grows down its pages. Positions are those of the
// painter (0.1 mm, y up; the top of page p at -p x page height).
class Sheets
{
public:
    Sheets(QPainter *dc, const CRect &area, bool paint, int pageWidth, int pageHeight)
        : m_dc(dc), m_area(area), m_bPaint(paint), m_nPageWidth(pageWidth),
          m_nPageHeight(pageHeight),
          m_root(CRect(-area.left, -area.top, 10000000 - area.left, -10000000 - area.top), dc)
    {
    }

    CLayoutVBox &Root() { return m_root; }
    int Paint() const { return m_bPaint ? 1 : 0; }
    int PageWidth() const { return m_nPageWidth; }
    int Page() const { return m_nPage; }

    int Y() const { return m_root.GetResultRect().bottom; }
    int PageBottom(int page) const { return -m_area.top - (page + 1) * m_nPageHeight; }
    void Down(int d) { m_root.AddSize(0, -d); }
    void ToY(int y) { m_root.AddSize(0, y - Y()); }

    // The height (positive) the row takes, laid out without painting.
    int Measure(const RowDraw &draw)
    {
        CLayoutVBox probe(CRect(0, 0, m_nPageWidth, -10000000), m_dc);
        draw(probe, 0);
        return -probe.GetResultRect().Height();
    }

    // Whether height more fits above the footer of the current page.
    bool Fits(int height) const
    {
        return Y() - height >= PageBottom(m_nPage) + kFooterLine + kFooterGap;
    }

    // A line across the column at the current position.
    void Rule()
    {
        if (!m_bPaint || !m_dc)
            return;
        m_dc->save();
        m_dc->setPen(QPen(Qt::black, 2));
        const int left = -m_area.left + kMargin;
        const int right = -m_area.left + m_nPageWidth - kMargin;
        m_dc->drawLine(QPointF(left, Y()), QPointF(right, Y()));
        m_dc->restore();
    }

    // Closes the current page with its footer; the next page begins.
    void EndPage(const std::function<void()> &footer)
    {
        // Only a row taller than a whole page has passed the footer's place.
        if (Y() > PageBottom(m_nPage) + kFooterLine)
            ToY(PageBottom(m_nPage) + kFooterLine);
        footer();
        if (Y() > PageBottom(m_nPage))
            ToY(PageBottom(m_nPage));
        ++m_nPage;
        m_bFreshPage = true;
    }
    // A row of the contracts: on the next page when it does not fit on this
    // one any more (a row taller than a whole page stays where it is).
    void Row(const RowDraw &draw, const std::function<void()> &footer)
    {
        if (!Fits(Measure(draw)) && !m_bFreshPage) {
            EndPage(footer);
            Down(kContractTop);
        }
        draw(m_root, Paint());
        m_bFreshPage = false;
    }
    void Space(int d, const std::function<void()> &footer)
    {
        if (!Fits(d) && !m_bFreshPage) {
            EndPage(footer);
            Down(kContractTop);
            return;
        }
        Down(d);
    }
    // A new contract starts at the top of its page.
    void StartContract() { m_bFreshPage = true; }

private:
    QPainter *m_dc;
    CRect m_area;
    bool m_bPaint;
    int m_nPageWidth;
    int m_nPageHeight;
    int m_nPage = 0;
    bool m_bFreshPage = true;
    CLayoutVBox m_root;
};

int TextWidth(QPainter *dc, const QFont &font, const QString &text)
{
    CLayoutHBox probe(CRect(0, 0, 10000000, -10000000), dc);
    probe.DCDraw(&font, text, 0, 0, 0);
    return probe.GetResultRect().Width();
}

// One line of text after the left margin; width 0 is the text's own width.
RowDraw Line(const QFont &font, const QString &text, int width = 0)
{
    return [&font, text, width](CLayout &parent, int paint) {
        CLayoutHBox line(parent);
        line.AddSize(kMargin, 0);
        line.SetWordbreak(width > 0 ? 1 : 0);
        line.DCDraw(&font, text, paint, width, 0);
    };
}

} // namespace

CHLXPrintOut::CHLXPrintOut(const CPrgSettings *settings, const QList<CHLXVertragInfo> *contracts,
                           ConditionTexts conditionText)
    : m_pSettings(settings), m_pContracts(contracts), m_conditionText(std::move(conditionText))
{
}

QFont CHLXPrintOut::PrintFont(int sizeValue, const QString &style, const QString &language)
{
    double tenths = std::abs(sizeValue);
    if (language == QLatin1String("11"))
        tenths += 50;
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(tenths / 10.0);
    font.setBold(style.contains(QLatin1Char('F')));
    font.setItalic(style.contains(QLatin1Char('K')));
    return font;
}

CSize CHLXPrintOut::PrintPage(QPainter *dc, CRect *area, int measureOnly)
{
    if (!area || !m_pSettings)
        return CSize();
    const int pageWidth = area->Width();
    const int pageHeight = -area->Height();
    if (pageWidth <= 2 * kMargin || pageHeight <= 0)
        return CSize();
    const CPrgSettings &s = *m_pSettings;
    const QString language = GetPrgSprache();
    const QFont titleFont = PrintFont(-100, QStringLiteral("F"), language);
    const QFont headingFont = PrintFont(-110, QStringLiteral("F"), language);
    const QFont textFont = PrintFont(-90, QString(), language);
    const QFont boldFont = PrintFont(-90, QStringLiteral("F"), language);
    const QFont markedFont = PrintFont(-90, QStringLiteral("FK"), language);
    const int column = pageWidth - 2 * kMargin;

    Sheets sheets(dc, *area, !measureOnly, pageWidth, pageHeight);
    if (dc && !measureOnly)
        dc->setPen(Qt::black);

    // The label column holds the longest description label.
    int labelWidth = 0;
    for (const QString &sample : HLXLabelSamples())
        labelWidth = std::max(labelWidth, TextWidth(dc, textFont, sample));
    labelWidth = std::min(labelWidth + kMargin, column / 2);

    // The vehicle.
    sheets.Down(kTop);
    Line(headingFont, s.DlgTitel + QStringLiteral("      ") +
                          HLXProgrammeTitle(s.Marke))(sheets.Root(), sheets.Paint());
    sheets.Rule();
    sheets.Down(kGap);
    const std::pair<int, QString> vehicle[] = {
        {3015, s.FgstnrFull}, {3016, s.TypSchl},   {3053, s.EReihe.trimmed()},
        {3017, s.LeadTyp},    {3018, s.ModellBez},
    };
    for (const auto &[id, value] : vehicle) {
        CLayoutHBox line(sheets.Root());
        line.AddSize(kMargin, 0);
        line.DCDraw(&boldFont, OrmelText(id) + QLatin1Char(':'), sheets.Paint(), kLabel, 0);
        line.DCDraw(&boldFont, value, sheets.Paint(), 0, 0);
    }

    // One contract per page.
    const QList<CHLXVertragInfo> none;
    const QList<CHLXVertragInfo> &contracts = m_pContracts ? *m_pContracts : none;
    const int count = int(contracts.size());
    for (int k = 1; k <= count; ++k) {
        const CHLXVertragInfo &contract = contracts.at(k - 1);
        const auto footer = [&, k] {
            sheets.Rule();
            sheets.Down(30);
            {
                CLayoutHBox line(sheets.Root());
                line.AddSize(kMargin, 0);
                const CRect vin = line.DCDraw(&titleFont, s.FgstnrFull, sheets.Paint(), 0, 0);
                line.SetLeftAlign(0);
                line.DCDraw(&titleFont, s.Heute, sheets.Paint(), std::max(column - vin.Width(), 1),
                            0);
            }
            sheets.Down(10);
            Line(titleFont, OrmelText(4060) + QString::asprintf(" %d / %d", k, count),
                 column)(sheets.Root(), sheets.Paint());
        };
        sheets.StartContract();
        sheets.Down(kContractTop);
        sheets.Row(Line(boldFont, OrmelText(3187) + QStringLiteral("  ") + s.FgstnrFull, column),
                   footer);
        sheets.Down(kGap);
        for (const CHLXRow &row : HLXContractRows(contract)) {
            const QString reason = HLXRedExtra(row);
            if (row.text.trimmed().isEmpty()) {
                sheets.Space(kGap, footer);
            } else if (!reason.isEmpty()) {
                sheets.Row(
                    [&](CLayout &parent, int paint) {
                        CLayoutHBox line(parent);
                        line.AddSize(kMargin, 0);
                        line.SetWordbreak(1);
                        line.DCDraw(&textFont, row.text, paint, labelWidth, 0);
                        line.DCDraw(&markedFont, reason, paint, column - labelWidth, 0);
                    },
                    footer);
            } else {
                sheets.Row(Line(IsHLXRedText(row) ? markedFont : textFont, row.text, column),
                           footer);
            }
        }
        const QStringList lines =
            HLXConditionLines(m_conditionText ? m_conditionText(contract) : QString());
        if (!lines.isEmpty())
            sheets.Space(kConditionGap, footer);
        const QFont drawn = LayoutFont(textFont, dc);
        for (const QString &line : lines) {
            if (line.isEmpty()) {
                sheets.Space(kGap, footer);
                continue;
            }
            // Each printed line on its own, so that a long paragraph breaks
            // between its lines at the end of a page.
            for (const LayoutTextLine &part : LayoutText(drawn, line, column).lines)
                sheets.Row(Line(textFont, part.text), footer);
        }
        sheets.EndPage(footer);
    }

    m_nPageCount = std::max(sheets.Page(), 1);
    const CRect used = sheets.Root().GetResultRect();
    return CSize(std::max(used.Width(), pageWidth), used.Height());
}
