#include "basket/print/BasketPrintOut.h"

#include "basket/model/WKList.h"
#include "basket/print/BasketPrintFields.h"
#include "basket/print/BasketPrintFormat.h"
#include "common/Layout.h"
#include "packages/model/Paket.h"
#include "packages/model/Position.h"
#include "platform/OrmelText.h"
#include "platform/StringUtil.h"

#include <QPainter>

#include <algorithm>
#include <functional>
#include <memory>

namespace {

// The document as it grows down its pages: one root box, the page index and
// the page geometry. Positions are document coordinates (0.1 mm, y up, the
// top of page k at -k x page height).
class Flow
{
public:
    Flow(QPainter *dc, const CRect &area, bool measure, int pageW, int pageH, int pageCount)
        : m_dc(dc), m_area(area), m_paint(!measure), m_pageW(pageW), m_pageH(pageH),
          m_pageCount(pageCount),
          m_root(CRect(-area.left, -area.top, 10000000 - area.left, -10000000 - area.top), dc)
    {
    }

    QPainter *dc() const { return m_dc; }
    CLayoutVBox &root() { return m_root; }
    int paint() const { return m_paint ? 1 : 0; }
    int pageW() const { return m_pageW; }
    int pageCount() const { return m_pageCount; }
    int pageIndex = 0;

    int Y() const { return m_root.GetResultRect().bottom + m_area.top; }
    int PageHeight() const { return m_pageH; }
    int PageTop(int p) const { return -p * m_pageH; }
    int PageBottom(int p) const { return -(p + 1) * m_pageH; }
    // How far the current position is above the bottom edge of its page.
    int Room() const { return Y() - PageBottom(pageIndex); }
    void Down(int d) { m_root.AddSize(0, -d); }
    void ToY(int y) { m_root.AddSize(0, y - Y()); }

    // The height (positive) the block takes, laid out without painting in a
    // box of its own.
    int Measure(const std::function<void(CLayout &)> &block)
    {
        CLayoutVBox probe(CRect(0, 0, m_pageW, -10000000), m_dc);
        const bool paint = m_paint;
        m_paint = false;
        block(probe);
        m_paint = paint;
        return -probe.GetResultRect().Height();
    }

    // A line at the box's current bottom between two document x positions.
    void Rule(CLayout &box, int x1, int x2, Qt::PenStyle style = Qt::SolidLine)
    {
        if (!m_paint || !m_dc)
            return;
        const int y = box.GetResultRect().bottom;
        m_dc->save();
        QPen pen(Qt::black, style == Qt::SolidLine ? 2 : 0);
        pen.setStyle(style);
        m_dc->setPen(pen);
        m_dc->drawLine(QPointF(x1 - m_area.left, y), QPointF(x2 - m_area.left, y));
        m_dc->restore();
    }
    // The same, 'below' further down.
    void RuleBelow(CLayout &box, int x1, int x2, int below, Qt::PenStyle style)
    {
        if (!m_paint || !m_dc)
            return;
        const int y = box.GetResultRect().bottom - below;
        m_dc->save();
        QPen pen(Qt::black, 0);
        pen.setStyle(style);
        m_dc->setPen(pen);
        m_dc->drawLine(QPointF(x1 - m_area.left, y), QPointF(x2 - m_area.left, y));
        m_dc->restore();
    }

    // One text cell; width 0 is the text's own width. A single line in a
    // cell of a given width is printed as BasketPrintFitLine says: a text
    // too long for it smaller, in the same place, the row keeping the
    // height and the baseline the cell's font gives it.
    CRect Cell(CLayout &box, const QFont &font, const QString &text, int width, bool right = false,
               bool wrap = false)
    {
        box.SetLeftAlign(right ? 0 : 1);
        box.SetWordbreak(wrap ? 1 : 0);
        CRect r;
        const BasketPrintLine fit = wrap || width <= 0 ? BasketPrintLine{font, text, false}
                                                       : BasketPrintFitLine(font, text, width);
        if (!fit.shrunk) {
            r = box.DCDraw(&font, fit.text, paint(), width, 0);
        } else {
            const LayoutTextBlock asked = LayoutText(LayoutFont(font, m_dc), fit.text, 0);
            const LayoutTextBlock shrunk = LayoutText(LayoutFont(fit.font, m_dc), fit.text, 0);
            CLayoutVBox cell(box);
            const int dir = cell.GetYDirection();
            cell.AddSize(0, dir * std::max(qRound(asked.ascent - shrunk.ascent), 0));
            r = cell.DCDraw(&fit.font, fit.text, paint(), width, 0);
            const int used = std::abs(cell.GetResultRect().Height());
            cell.AddSize(0, dir * std::max(asked.height - used, 0));
        }
        box.SetLeftAlign(1);
        box.SetWordbreak(0);
        return r;
    }

private:
    QPainter *m_dc;
    CRect m_area;
    bool m_paint;
    int m_pageW;
    int m_pageH;
    int m_pageCount;
    CLayoutVBox m_root;
};

// A row of cells whose left edge is known, so that cells can be put at an x
// position relative to where the row began.
struct Row
{
    explicit Row(CLayout &parent) : box(parent), left0(box.GetResultRect().left) {}
    void To(int x) { box.AddSize(x - (box.GetResultRect().right - left0), 0); }
    int X() const { return box.GetResultRect().right - left0; }
    CLayoutHBox box;
    int left0;
};

int lineHeight(Flow &fl, const QFont &font)
{
    return fl.Measure(
        [&](CLayout &b) { fl.Cell(b, font, QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ"), 0); });
}

int textWidth(Flow &fl, const QFont &font, const QString &text)
{
    CLayoutHBox probe(CRect(0, 0, 10000000, -10000000), fl.dc());
    probe.DCDraw(&font, text, 0, 0, 0);
    return probe.GetResultRect().Width();
}

QString colon(int id)
{
    return OrmelText(id) + QLatin1Char(':');
}

QString pageNumber(int page, int count)
{
    return QStringLiteral("%1/%2").arg(page).arg(count);
}

struct PackagePrices
{
    bool inclusive = false;
    bool priced = false;
    QString net, gross, currency;
};

PackagePrices packagePrices(const CPaket &paket, bool campaign)
{
    PackagePrices p;
    const CPosition *head = paket.GetKopf();
    if (!head)
        return p;
    const CPriceSet &set = campaign ? head->Preise3 : head->Preise1;
    p.inclusive = set.FlatPrice != 0;
    p.priced = set.Complete != 0 && !IsPriceSentinel(set.Net) && !IsPriceSentinel(set.Gross);
    if (p.priced) {
        p.net = PriceCellText(set.Net);
        p.gross = PriceCellText(set.Gross);
        p.currency = set.TotalsCurrency.isEmpty() ? set.Currency : set.TotalsCurrency;
    }
    return p;
}

bool headCalcFlag(const CPaket &paket)
{
    const CPosition *head = paket.GetKopf();
    return head && head->PriceCalcFlag != 0;
}

bool hasPrices(const CPosition &pos)
{
    return !IsPriceSentinel(pos.Preise1.Gross) && !IsPriceSentinel(pos.Preise1.Net);
}

// A package's lines show their own prices only when the package is priced
// from them: priced, not at an inclusive price, not priced by hand, and no
// campaign package.
bool showsLinePrices(const PackagePrices &prices, bool headCalc, bool campaign)
{
    return prices.priced && !prices.inclusive && !headCalc && !campaign;
}

// The package's chosen work and part lines, the ones a print-out lists,
// each with whether its cells show a price (a marker of time or of no
// price leaves them empty). Answers how many there were.
template <typename Take> int forEachListedLine(const CPaket &paket, bool show, Take &&take)
{
    int rows = 0;
    for (const auto &line : paket) {
        if (!line || !line->Selected || (line->Type != POS_WORK && line->Type != POS_PART))
            continue;
        take(*line, show && hasPrices(*line));
        ++rows;
    }
    return rows;
}

// The basket's entries as a print-out prints them, in basket order: each
// package (a spot-repair package its own way) and, of the single
// positions, the basket's own labour lines and the findings; other entries
// are not printed. The form hears before each printed entry whether it is
// a single position (BeforeEntry) and places a single position's row
// itself (PlaceSingle).
template <typename Form> void printEntries(Form &form, const CWKList *list)
{
    if (!list)
        return;
    for (const auto &entry : *list) {
        if (!entry)
            continue;
        if (CWKListItem::IsPackageKind(entry->Kind) && entry->Paket) {
            const CPaket &paket = *entry->Paket;
            form.BeforeEntry(false);
            if (entry->Kind == WK_CCP)
                form.CcpPackage(paket);
            else
                form.Package(paket, false, headCalcFlag(paket),
                             CWKListItem::IsCampaignKind(entry->Kind));
        } else if (entry->Kind == WK_POSITION && entry->APos) {
            const CPosition &pos = *entry->APos;
            if (pos.Type == POS_BASKET_LABOUR) {
                form.BeforeEntry(true);
                form.PlaceSingle([&form, &pos](CLayout &b) { form.LabourRow(b, pos); });
            } else if (pos.Type == POS_SI_FINDING || pos.Type == POS_FINDING) {
                form.BeforeEntry(true);
                form.PlaceSingle([&form, &pos](CLayout &b) { form.FindingRow(b, pos); });
            }
        }
    }
}

// --- The standard form ----------------------------------------------------

// The page the standard form is laid out on, in the form's units (0.1 mm of
// the form), and how large one of them is drawn on the printer's page.
struct StandardFormPage
{
    int width = 0;
    int height = 0;
    double scale = 1.0;
};

// The form is laid out for a sheet 210 mm wide and stands centred in the
// printable width (StandardForm::X); its cells reach to 197 mm of that
// sheet, so it needs a printable width of 184 mm. On a narrower page (A5
// portrait, a printer with wide margins) it is laid out at that width and
// drawn smaller, the whole form in the same place on every page: its page
// is as much taller in its own units, so that its page turns fall on the
// printer's. The scale is the page's height over the form's, which keeps
// the form's pages on the printer's exactly and its width inside the page.
StandardFormPage standardFormPage(int pageWidth, int pageHeight)
{
    constexpr int kSheet = 2100;
    constexpr int kRightEdge = 1970;
    constexpr int kNeeded = 2 * (kRightEdge - kSheet / 2);
    if (pageWidth >= kNeeded || pageWidth <= 0)
        return {pageWidth, pageHeight, 1.0};
    const int height = int((qint64(pageHeight) * kNeeded + pageWidth - 1) / pageWidth);
    return {kNeeded, height, double(pageHeight) / height};
}

class StandardForm
{
public:
    StandardForm(Flow &fl, const CBasketPrintData &d, const CWKList *list)
        : fl(fl), d(d), m_list(list), m_shift((2100 - fl.pageW()) / 2)
    {
        const QString &lang = d.language;
        f1 = BasketPrintFont(-180, QStringLiteral("F"), lang);
        f2 = BasketPrintFont(-140, QStringLiteral("F"), lang);
        f3 = BasketPrintFont(-70, QStringLiteral("F"), lang);
        f4 = BasketPrintFont(-60, QString(), lang);
        f5 = BasketPrintFont(-70, QString(), lang);
        f6 = BasketPrintFont(-100, QString(), lang);
        f7 = BasketPrintFont(-100, QStringLiteral("F"), lang);
        lh2 = lineHeight(fl, f2);
        lh6 = lineHeight(fl, f6);
        lh7 = lineHeight(fl, f7);
    }

    void Run()
    {
        const int footer = fl.Measure([this](CLayout &b) { Footer(b); });
        Header(d.titel, true);
        const int top = fl.Y();
        VehicleBlock();
        TableHead();
        // The closing block stands at the foot of a page when it fits on
        // one below the vehicle block and the column heads; longer terms go
        // on over the pages.
        const bool onePage = footer + 100 <= fl.PageHeight() - (top - fl.Y());
        m_reserve = onePage ? footer + 100 : 100 + lh6;
        printEntries(*this, m_list);
        if (onePage) {
            if (fl.Room() < m_reserve)
                PageTurn();
            fl.ToY(fl.PageBottom(fl.pageIndex) + 100 + footer);
            Footer(fl.root());
        } else {
            FlowingFooter();
        }
        if (!d.remark.isEmpty())
            RemarkPages();
        PageNumberRow(fl.pageIndex + 1);
        fl.ToY(fl.PageBottom(fl.pageIndex));
    }

private:
    template <typename Form> friend void printEntries(Form &form, const CWKList *list);

    // A rule parts a single position's row from the entry after it.
    void BeforeEntry(bool single)
    {
        if (m_afterSingle)
            fl.Rule(fl.root(), X(190), X(1970));
        m_afterSingle = single;
    }

    // A single position's row: to the next page when it would reach into
    // the footer's room.
    void PlaceSingle(const std::function<void(CLayout &)> &draw)
    {
        const int h = fl.Measure(draw);
        if (fl.Room() - h <= m_reserve) {
            PageTurn();
            fl.Down(lh6);
        }
        draw(fl.root());
    }

    // The form is laid out for a sheet 210 mm wide; it stands centred in
    // the printable width.
    int X(int x) const { return x - m_shift; }

    // A cell of the text's own width, but no wider than room: a longer text
    // is printed as every single-line cell prints it (Flow::Cell).
    void OwnWidthCell(CLayout &box, const QFont &font, const QString &text, int room)
    {
        fl.Cell(box, font, text, std::clamp(textWidth(fl, font, text), 0, std::max(room, 1)));
    }

    void PageNumberRow(int page)
    {
        Row row(fl.root());
        row.To(X(190));
        fl.Cell(row.box, f6, pageNumber(page, fl.pageCount()), 1780, true);
    }

    // Finishes the page: its number 10 mm above its bottom edge, then the
    // vehicle block and the column heads on the next one.
    void PageTurn()
    {
        const int k = fl.pageIndex++;
        fl.ToY(fl.PageBottom(k) + 100);
        PageNumberRow(k + 1);
        fl.ToY(fl.PageBottom(k));
        VehicleBlock();
        TableHead();
    }

    void Header(const QString &title, bool firstPage)
    {
        const int top = fl.PageTop(fl.pageIndex);
        fl.ToY(top - 100);
        {
            Row row(fl.root());
            row.To(X(190));
            QPainter *dc = fl.dc();
            if (fl.paint() && dc) {
                dc->save();
                dc->setPen(QColor(80, 80, 80));
            }
            // The company leaves the brand heading its room.
            const int right = fl.pageW() - 90 - row.X();
            const int brand = d.brand.isEmpty() ? 0 : textWidth(fl, f1, d.brand) + 10;
            OwnWidthCell(row.box, f2, d.firma, std::max(right - brand, right / 2));
            if (fl.paint() && dc)
                dc->restore();
            const int width = std::max(fl.pageW() - 90 - row.X(), 0);
            fl.Cell(row.box, f1, d.brand, width, true);
        }
        fl.ToY(top - 340 + lh2);
        {
            Row row(fl.root());
            row.To(X(190));
            OwnWidthCell(row.box, f2, title, X(1970) - X(190));
        }
        fl.ToY(top - 400);
        {
            Row row(fl.root());
            row.To(X(1300));
            fl.Cell(row.box, f3, d.nummer, 330);
            fl.Cell(row.box, f3, OrmelText(3008), 190);
            fl.Cell(row.box, f3, OrmelText(6026), 150, true);
        }
        fl.Down(2);
        fl.Rule(fl.root(), X(1300), X(1970));
        fl.Down(2);
        {
            Row row(fl.root());
            // An offer number longer than its cell takes the free room to its
            // left on the row and ends where its cell ends.
            if (textWidth(fl, f3, d.offerNumber) <= 330) {
                row.To(X(1300));
                fl.Cell(row.box, f3, d.offerNumber, 330);
            } else {
                row.To(X(190));
                fl.Cell(row.box, f3, d.offerNumber, X(1620) - X(190), true);
                row.To(X(1630));
            }
            fl.Cell(row.box, f3, d.date, 190);
            fl.Cell(row.box, f3, d.validUntil, 150, true);
        }
        fl.ToY(top - 575);
        QStringList sender;
        for (const QString &part : {d.firma, d.strasse, d.city})
            if (!part.isEmpty())
                sender << part;
        {
            Row row(fl.root());
            row.To(firstPage ? X(370) : X(190));
            OwnWidthCell(row.box, firstPage ? f4 : f5, sender.join(QStringLiteral(", ")),
                         X(1970) - row.X());
        }
        if (!firstPage)
            return;
        fl.ToY(top - 640);
        const QStringList labels{d.firmaT,         d.strasseT,      d.cityT,        d.city2T,
                                 d.angebotenDurch, OrmelText(6029), OrmelText(6030)};
        // The captions' column is as wide as its widest caption (at most
        // 39 mm); the customer lines take the room up to it.
        int captions = 0;
        for (int i = 0; i < labels.size(); ++i)
            captions = std::max(captions, textWidth(fl, i == 0 ? f3 : f5, labels.at(i)));
        captions = std::min(captions, 390);
        Row row(fl.root());
        row.To(X(370));
        {
            CLayoutVBox col(row.box);
            for (const QString &line : d.customer)
                fl.Cell(col, f6, line, std::max(X(1260) - captions - X(370), 100));
        }
        row.To(X(1260) - captions);
        {
            CLayoutVBox col(row.box);
            for (int i = 0; i < labels.size(); ++i) {
                const QFont &font = i == 0 ? f3 : f5;
                CLayoutHBox line(col);
                fl.Cell(line, font, labels.at(i), captions, true);
                line.AddSize(0, -lh6);
            }
        }
        row.To(X(1300));
        const QStringList values{d.firma,
                                 d.strasse,
                                 d.city,
                                 d.city2,
                                 d.user,
                                 d.tel1.isEmpty() ? QString() : d.tel,
                                 d.traderFax.isEmpty() ? QString() : d.fax};
        CLayoutVBox col(row.box);
        for (int i = 0; i < values.size(); ++i) {
            CLayoutHBox line(col);
            fl.Cell(line, i == 0 ? f7 : f6, values.at(i), 670);
            line.AddSize(0, -lh6);
        }
    }

    void VehicleBlock()
    {
        fl.Down(190);
        {
            Row row(fl.root());
            row.To(X(190));
            fl.Cell(row.box, f3, OrmelText(3018), 330);
            fl.Cell(row.box, f3, OrmelText(6031), 780);
            fl.Cell(row.box, f3, OrmelText(6032), 670);
        }
        fl.Down(2);
        fl.Rule(fl.root(), X(190), X(480));
        fl.Rule(fl.root(), X(520), X(1260));
        fl.Rule(fl.root(), X(1300), X(1970));
        fl.Down(2);
        const QString km = d.mileage.isEmpty() ? QString() : d.mileage + QStringLiteral(" km/mls");
        const QString rows[3][3] = {{d.modelSeries, d.vin, d.info.value(0)},
                                    {d.modelDesignation, d.plate, d.info.value(1)},
                                    {QString(), km, d.info.value(2)}};
        // Each value within its column's rule.
        for (const auto &cells : rows) {
            Row row(fl.root());
            row.To(X(190));
            fl.Cell(row.box, f6, cells[0], 330);
            fl.Cell(row.box, f6, cells[1], 780);
            fl.Cell(row.box, f6, cells[2], 670);
        }
    }

    void TableHead()
    {
        fl.Down(120);
        {
            Row row(fl.root());
            row.To(X(190));
            fl.Cell(row.box, f3, OrmelText(6033), 330);
            fl.Cell(row.box, f3, OrmelText(6034), 780);
            fl.Cell(row.box, f3, OrmelText(3122), 190);
            const QString price = OrmelText(3127);
            OwnWidthCell(row.box, f3, OrmelText(6035),
                         X(1970) - row.X() - textWidth(fl, f3, price) - 10);
            fl.Cell(row.box, f3, price, std::max(X(1970) - row.X(), 0), true);
        }
        fl.Down(2);
        fl.Rule(fl.root(), X(190), X(1970));
    }

    void Footer(CLayout &b)
    {
        fl.Rule(b, X(190), X(1970));
        b.AddSize(0, -70);
        Row row(b);
        row.To(X(190));
        {
            CLayoutVBox col(row.box);
            fl.Cell(col, f5, DealerTextLines(d.agb), 1070, false, true);
            col.AddSize(0, -40);
            fl.Cell(col, f5, DealerTextLines(d.agb2), 1070, false, true);
        }
        row.To(X(1300));
        Sums(row.box);
    }

    // Terms too long for one page: their lines go on over the pages with
    // the form's page turn, and the sums follow once, after them, at the
    // foot of the last page.
    void FlowingFooter()
    {
        const int lh5 = lineHeight(fl, f5);
        if (fl.Room() < 100 + 70 + 2 * lh5)
            PageTurn();
        fl.Rule(fl.root(), X(190), X(1970));
        fl.Down(70);
        TermLines(d.agb);
        fl.Down(40);
        TermLines(d.agb2);
        const auto sums = [this](CLayout &b) {
            Row row(b);
            row.To(X(1300));
            Sums(row.box);
        };
        const int height = fl.Measure(sums);
        if (fl.Room() < height + 100)
            PageTurn();
        fl.ToY(fl.PageBottom(fl.pageIndex) + 100 + height);
        sums(fl.root());
    }

    void TermLines(const QString &terms)
    {
        const LayoutTextBlock block =
            LayoutText(LayoutFont(f5, fl.dc()), DealerTextLines(terms), 1070);
        for (const LayoutTextLine &line : block.lines) {
            const auto draw = [&](CLayout &b) {
                Row row(b);
                row.To(X(190));
                fl.Cell(row.box, f5, line.text, 1070, false, true);
            };
            if (fl.Room() - fl.Measure(draw) < 100)
                PageTurn();
            draw(fl.root());
        }
    }

    // The net, VAT and gross rows and the signature line, 67 mm wide.
    void Sums(CLayout &parent)
    {
        const double net = m_list ? m_list->NetTotal() : kPriceNotSet;
        const double gross = m_list ? m_list->GrossTotal() : kPriceNotSet;
        const bool known = net != kPriceNotSet && gross != kPriceNotSet;
        const QString blank = QStringLiteral(" ");
        const QString amounts[3] = {known ? FormatPrice(net) : blank,
                                    known ? FormatPrice(gross - net) : blank,
                                    known ? FormatPrice(gross) : blank};
        const QString labels[3] = {d.netto, d.mwst, d.brutto};
        CLayoutVBox sums(parent);
        for (int i = 0; i < 3; ++i) {
            {
                Row line(sums);
                OwnWidthCell(line.box, f3, labels[i], 670 - textWidth(fl, f7, amounts[i]) - 10);
                fl.Cell(line.box, f7, amounts[i], std::max(670 - line.X(), 0), true);
            }
            sums.AddSize(0, -2);
            fl.Rule(sums, X(1300), X(1970));
            if (i < 2)
                sums.AddSize(0, -(75 - lh7));
        }
        sums.AddSize(0, -120);
        fl.Rule(sums, X(1300), X(1970));
        sums.AddSize(0, -2);
        fl.Cell(sums, f3, OrmelText(6036), 0);
    }

    // The remark on pages of its own: as many as its lines need.
    void RemarkPages()
    {
        const int k = fl.pageIndex++;
        PageNumberRow(k + 1);
        fl.ToY(fl.PageBottom(k));
        Header(OrmelText(6081), false);
        fl.Down(125);
        const int width = std::max(fl.pageW() - 90 - X(190), 100);
        const LayoutTextBlock block = LayoutText(LayoutFont(f6, fl.dc()), d.remark, width);
        for (const LayoutTextLine &line : block.lines) {
            // Already broken to the width: drawn as the wrapped text it is.
            const int h =
                fl.Measure([&](CLayout &b) { fl.Cell(b, f6, line.text, width, false, true); });
            if (fl.Room() - h < 100) {
                const int page = fl.pageIndex++;
                fl.ToY(fl.PageBottom(page) + 100);
                PageNumberRow(page + 1);
                fl.ToY(fl.PageBottom(page));
                fl.Down(150);
            }
            Row row(fl.root());
            row.To(X(190));
            fl.Cell(row.box, f6, line.text, width, false, true);
        }
        fl.ToY(fl.PageBottom(fl.pageIndex) + 100);
    }

    // --- the article table

    // Moves down 1.9 mm; the row's cells start at 19 mm.
    void Frame(CLayout &b) { b.AddSize(0, -19); }

    void DesignationStack(CLayout &row, const CPosition &pos)
    {
        CLayoutVBox col(row);
        fl.Cell(col, f6, JoinAwTextLines(pos), 780, false, true);
        const QString extra = WithoutTrailingBlanks(pos.AwTextExtra);
        if (!extra.isEmpty()) {
            col.AddSize(0, -5);
            fl.Cell(col, f6, extra, 780, false, true);
        }
        const QString bracket = JoinBracketTextLines(pos);
        if (!bracket.isEmpty()) {
            col.AddSize(0, -5);
            fl.Cell(col, f6, bracket, 780, false, true);
        }
    }

    void PriceCells(CLayout &row, const CPosition &pos, bool show)
    {
        fl.Cell(row, f6, show ? UnitPriceCellText(pos) : QString(), 190);
        fl.Cell(row, f6, show ? PriceCellText(pos.Preise1.Net) : QString(), 290, true);
    }

    // A labour position of the basket: a package's work line, a line's
    // height below the entry before it.
    void LabourRow(CLayout &b, const CPosition &pos)
    {
        b.AddSize(0, -lh6);
        WorkRow(b, pos, hasPrices(pos));
    }

    void FindingRow(CLayout &b, const CPosition &pos)
    {
        b.AddSize(0, -lh6);
        Frame(b);
        Row row(b);
        row.To(X(190));
        fl.Cell(row.box, f6, GroupFindingNumber(pos.Number), 330);
        CLayoutVBox col(row.box);
        fl.Cell(col, f6, pos.BefundText, 780, false, true);
        if (!pos.BefundText2.isEmpty()) {
            col.AddSize(0, -5);
            fl.Cell(col, f6, pos.BefundText2, 780, false, true);
        }
    }

    void WorkRow(CLayout &b, const CPosition &pos, bool show)
    {
        Frame(b);
        Row row(b);
        row.To(X(190));
        fl.Cell(row.box, f6, GroupLabourNumber(pos.Number), 330);
        DesignationStack(row.box, pos);
        fl.Cell(row.box, f6, pos.GetDisplayNumber(), 190);
        PriceCells(row.box, pos, show);
    }

    void PartRow(CLayout &b, const CPosition &pos, bool show)
    {
        Frame(b);
        Row row(b);
        row.To(X(190));
        const QString replacement = WithoutTrailingBlanks(pos.ErsetztDurchNummer);
        if (replacement.isEmpty()) {
            fl.Cell(row.box, f6, GroupPartNumber(pos.Number), 330);
        } else {
            {
                CLayoutVBox col(row.box);
                fl.Cell(col, f6, GroupPartNumber(pos.Number), 325);
                fl.Cell(col, f6, QLatin1Char('(') + GroupPartNumber(replacement) + QLatin1Char(')'),
                        325);
            }
            fl.Cell(row.box, f6, QStringLiteral("   "), 5);
        }
        const QString text = pos.ErsetztDurchText.isEmpty() ? pos.TeileText : pos.ErsetztDurchText;
        fl.Cell(row.box, f6, WithoutTrailingBlanks(text), 750, false, true);
        row.box.AddSize(30, 0);
        row.To(X(1300));
        fl.Cell(row.box, f6, WithoutTrailingBlanks(pos.Quantity), 190);
        PriceCells(row.box, pos, show);
    }

    void HeadRow(CLayout &b, const CPosition &head, bool withAz)
    {
        Frame(b);
        Row row(b);
        row.To(X(190));
        fl.Cell(row.box, f6, GroupLabourNumber(head.Number), 330);
        DesignationStack(row.box, head);
        if (withAz)
            fl.Cell(row.box, f6, OrmelText(3012), 190);
    }

    void CcpPositionRow(CLayout &b, const CPosition &pos)
    {
        Frame(b);
        Row row(b);
        row.To(X(190));
        fl.Cell(row.box, f6, QString(), 330);
        DesignationStack(row.box, pos);
    }

    void SumLine(CLayout &b, const CPosition &head, const QString &price)
    {
        fl.RuleBelow(b, X(190), X(1970), 9, Qt::DotLine);
        b.AddSize(0, -19);
        Row row(b);
        row.To(X(190));
        fl.Cell(row.box, f7, OrmelText(6056), 330);
        fl.Cell(row.box, f7, JoinAwTextLines(head), 780, false, true);
        fl.Cell(row.box, f7, price, std::max(X(1970) - row.X(), 0), true);
    }

    // A row inside a package: to the next page when it and the package's
    // sum line would leave 10 mm or less above the bottom edge.
    void Place(const std::function<void(CLayout &)> &draw, int reserveBelow)
    {
        const int h = fl.Measure(draw);
        if (fl.Room() - h - reserveBelow <= 100) {
            PageTurn();
            fl.Down(lh6);
        }
        draw(fl.root());
    }

    void Package(const CPaket &paket, bool nested, bool headCalc, bool campaign)
    {
        const CPosition *head = paket.GetKopf();
        const PackagePrices prices = packagePrices(paket, campaign);
        const QString priceText = prices.priced ? prices.net : QString();
        if (!nested && head)
            m_sumHeight = fl.Measure([&](CLayout &b) { SumLine(b, *head, priceText); });
        fl.Down(lh6);
        const bool show = showsLinePrices(prices, headCalc, campaign);
        const int rows = forEachListedLine(paket, show, [&](const CPosition &pos, bool priced) {
            if (pos.Type == POS_WORK)
                Place([&](CLayout &b) { WorkRow(b, pos, priced); }, m_sumHeight);
            else
                Place([&](CLayout &b) { PartRow(b, pos, priced); }, m_sumHeight);
        });
        if (rows == 0 && head)
            Place([&](CLayout &b) { HeadRow(b, *head, false); }, m_sumHeight);
        for (const auto &line : paket)
            if (line && line->Selected && line->Type == POS_SUBPACKAGE && line->SubPackage)
                Package(*line->SubPackage, true, headCalc, campaign);
        if (!nested && head)
            SumLine(fl.root(), *head, priceText);
    }

    void CcpPackage(const CPaket &paket)
    {
        const CPosition *head = paket.GetKopf();
        const PackagePrices prices = packagePrices(paket, false);
        const QString priceText = prices.priced ? prices.net : QString();
        if (head)
            m_sumHeight = fl.Measure([&](CLayout &b) { SumLine(b, *head, priceText); });
        fl.Down(lh6);
        bool any = false;
        for (const auto &line : paket) {
            if (!line || !line->Selected || line->Type != POS_WORK)
                continue;
            if (!any && head)
                Place([&](CLayout &b) { HeadRow(b, *head, true); }, 0);
            any = true;
            // A line marked to count twice is still one line of the offer.
            const CPosition &pos = *line;
            Place([&](CLayout &b) { CcpPositionRow(b, pos); }, m_sumHeight);
        }
        if (!any && head)
            Place([&](CLayout &b) { HeadRow(b, *head, false); }, m_sumHeight);
        if (head)
            SumLine(fl.root(), *head, priceText);
    }

    Flow &fl;
    const CBasketPrintData &d;
    const CWKList *m_list;
    int m_shift;
    int m_sumHeight = 0;
    int m_reserve = 0;          // the room the footer keeps on a page
    bool m_afterSingle = false; // the last entry printed was a single position
    QFont f1, f2, f3, f4, f5, f6, f7;
    int lh2 = 0, lh6 = 0, lh7 = 0;
};

// --- The information sheet ------------------------------------------------

class InfoSheet
{
public:
    InfoSheet(Flow &fl, const CBasketPrintData &d, const CWKList *list)
        : fl(fl), d(d), m_list(list), W(fl.pageW())
    {
        const QString &lang = d.language;
        f1 = BasketPrintFont(-100, QStringLiteral("F"), lang);
        f2 = BasketPrintFont(-110, QStringLiteral("F"), lang);
        f3 = BasketPrintFont(-140, QStringLiteral("F"), lang);
        f4 = BasketPrintFont(-90, QString(), lang);
        f5 = BasketPrintFont(-90, QStringLiteral("F"), lang);
        f7 = BasketPrintFont(-90, QStringLiteral("K"), lang);
        const int zero = textWidth(fl, f5, QStringLiteral("0"));
        g = int(zero / 7.0 * 4 + 0.5);
        G = int(zero / 10.0 * 15 + 0.5);
        const QString probe = QStringLiteral("AWEDRWTZKJZBRTUHTZB");
        lh5 = fl.Measure([&](CLayout &b) { fl.Cell(b, f5, probe, 0); });
        lh3 = fl.Measure([&](CLayout &b) { fl.Cell(b, f3, probe, 0); });
        lh2 = fl.Measure([&](CLayout &b) { fl.Cell(b, f2, probe, 0); });
        lh4 = lineHeight(fl, f4);
        for (const QString &label : {colon(3008), d.angebotenDurch + QStringLiteral(": "),
                                     OrmelText(3150), OrmelText(3071), OrmelText(3085)})
            labelWidth = std::max(labelWidth, textWidth(fl, f5, label));
        // A long caption of the dealer's leaves its value half the column.
        labelWidth = std::min(labelWidth, std::max((W / 2 - 170) / 2, 100));
        for (const QString &text :
             {QStringLiteral("88888.88"), OrmelText(3122), OrmelText(3129), OrmelText(3130)})
            P = std::max(P, textWidth(fl, f5, text));
        currency = m_list ? m_list->CommonCurrency() : QString();
        C = currency.isEmpty() ? 0 : textWidth(fl, f5, currency);
        D = W - 440 - C - 3 * P;
    }

    void Run()
    {
        const int totals = fl.Measure([this](CLayout &b) { Totals(b); });
        m_reserve = totals + 100;
        Header();
        fl.Down(25);
        ColumnHeads();
        fl.Down(25);
        fl.Rule(fl.root(), 120, W - 120);
        printEntries(*this, m_list);
        if (fl.Room() < m_reserve)
            FinishPage();
        fl.ToY(fl.PageBottom(fl.pageIndex) + 100 + totals);
        Totals(fl.root());
        PageNumberRow(fl.pageIndex + 1);
        fl.ToY(fl.PageBottom(fl.pageIndex));
    }

private:
    template <typename Form> friend void printEntries(Form &form, const CWKList *list);

    void BeforeEntry(bool) {}

    // One line (or gap) of a column of the header.
    using Piece = std::function<void(CLayout &)>;

    // A cell of the text's own width, but no wider than room (Flow::Cell).
    void OwnWidthCell(CLayout &box, const QFont &font, const QString &text, int room)
    {
        fl.Cell(box, font, text, std::clamp(textWidth(fl, font, text), 0, std::max(room, 1)));
    }

    // A single position's row: to the next page when it would reach into
    // the totals' room.
    void PlaceSingle(const std::function<void(CLayout &)> &draw)
    {
        const int h = fl.Measure(draw);
        if (fl.Room() - h <= m_reserve)
            PageBreak();
        draw(fl.root());
    }

    void PageNumberRow(int page)
    {
        Row row(fl.root());
        row.To(120);
        fl.Cell(row.box, f4, pageNumber(page, fl.pageCount()), W - 240, true);
    }

    // The page's number 10 mm above its bottom edge; the position on the
    // next page's top edge.
    void FinishPage()
    {
        const int k = fl.pageIndex++;
        fl.ToY(fl.PageBottom(k) + 100);
        PageNumberRow(k + 1);
        fl.ToY(fl.PageBottom(k));
    }

    void PageBreak()
    {
        FinishPage();
        fl.Down(115);
    }

    void Header()
    {
        fl.Down(115);
        // The wrapped texts of the header line by line, so that what a page
        // does not hold goes on on the next one.
        const auto lines = [this](const QFont &font, const QString &text, int width) {
            QList<Piece> pieces;
            for (const LayoutTextLine &line :
                 LayoutText(LayoutFont(font, fl.dc()), text, width).lines)
                pieces << [this, font, line, width](CLayout &b) {
                    fl.Cell(b, font, line.text, width, false, true);
                };
            return pieces;
        };
        Columns(lines(f2, d.firma, W - 370), {});
        {
            QStringList address;
            for (const QString &line : {d.strasse, d.city, d.city2, d.tel1, d.traderFax})
                address << line;
            QList<Piece> left = lines(f5, address.join(QLatin1Char('\n')), W / 2 - 210);
            int height = 0;
            for (const Piece &piece : left)
                height += fl.Measure(piece);
            // At least four lines high; the title beside their middle.
            if (height < 4 * lh5)
                left << [rest = 4 * lh5 - height](CLayout &b) { b.AddSize(0, -rest); };
            QList<Piece> title{[this](CLayout &b) { b.AddSize(0, -(4 * lh5 - 2 * lh3)); }};
            title << lines(f3, OrmelText(3196), W / 2 - 250);
            Columns(left, title);
        }
        fl.Down(100);
        // The data: vehicle and customer at the left, the offer's data from
        // the middle of the page on.
        const QStringList labels{colon(3086), QStringLiteral("km/mls:"),
                                 QString(),   colon(3015),
                                 colon(3016), colon(3053),
                                 colon(3017), colon(3018),
                                 QString(),   colon(3065)};
        int labelsWidth = 0;
        for (const QString &label : labels)
            labelsWidth = std::max(labelsWidth, textWidth(fl, f5, label));
        const QStringList values{d.plate,       d.mileage,  QString(),          d.vin,    d.typeKey,
                                 d.modelSeries, d.leadType, d.modelDesignation, QString()};
        // The values keep the room they need in their size; where the column
        // is too narrow for that (a small page, the larger sizes of a
        // language), the captions give way as far as the values still print
        // whole in the smallest size (a VIN is no use cut), but keep a
        // quarter of the column.
        {
            const int column = W / 2 - 50 - 120 - 50;
            QFont smallest = f4;
            smallest.setPointSizeF(std::min(f4.pointSizeF(), kBasketPrintMinPoints));
            int need = 0, needSmallest = 0;
            for (const QString &value : values) {
                need = std::max(need, textWidth(fl, f4, value));
                // 1 mm from the cell's end, as a shrunk cell keeps it.
                needSmallest = std::max(needSmallest, textWidth(fl, smallest, value) + 10);
            }
            if (labelsWidth + need > column)
                labelsWidth = std::max(std::min(labelsWidth, column - needSmallest), column / 4);
        }
        const int valueX = 120 + labelsWidth + 50;
        QList<Piece> left;
        // Each value on its line, ending before the right column.
        for (int i = 0; i < values.size(); ++i)
            left << [=](CLayout &b) {
                CLayoutHBox line(b);
                fl.Cell(line, f5, labels.at(i), labelsWidth);
                line.AddSize(50, 0);
                OwnWidthCell(line, f4, values.at(i), W / 2 - 50 - valueX);
                line.AddSize(0, -lh5);
            };
        const int customerWidth = std::max(W / 2 - valueX, 100);
        const LayoutTextBlock customer =
            LayoutText(LayoutFont(f1, fl.dc()), d.customer.join(QLatin1Char('\n')), customerWidth);
        for (int i = 0; i < customer.lines.size(); ++i)
            left << [=](CLayout &b) {
                CLayoutHBox line(b);
                fl.Cell(line, f5, i == 0 ? labels.last() : QString(), labelsWidth);
                line.AddSize(50, 0);
                fl.Cell(line, f1, customer.lines.at(i).text, customerWidth, false, true);
            };
        // The right column's values reach to the right margin.
        const int valueWidth = std::max(W - (W / 2 + labelWidth + 50) - 120, 100);
        struct Field
        {
            QString label, value;
            int lines;
        };
        // The date typed in the print dialog is the offer's date.
        const Field fields[] = {{colon(3085), d.orderNumber, 3},
                                {colon(3008) + QLatin1Char(' '), d.date, 0},
                                {d.angebotenDurch + QStringLiteral(": "), d.user, 2},
                                {OrmelText(3150), d.validUntil, 2},
                                {OrmelText(3071), d.info.join(QLatin1Char('\n')), 5}};
        QList<Piece> right;
        for (const Field &field : fields) {
            const LayoutTextBlock value =
                LayoutText(LayoutFont(f4, fl.dc()), field.value, valueWidth);
            int height = 0;
            for (int i = 0; i < value.lines.size(); ++i) {
                const Piece piece = [=](CLayout &b) {
                    CLayoutHBox line(b);
                    fl.Cell(line, f5, i == 0 ? field.label : QString(), labelWidth);
                    line.AddSize(50, 0);
                    fl.Cell(line, f4, value.lines.at(i).text, valueWidth, false, true);
                };
                height += fl.Measure(piece);
                right << piece;
            }
            const int rest = field.lines * lh5 - height;
            if (rest > 0)
                right << [=](CLayout &b) { b.AddSize(0, -rest); };
        }
        Columns(left, right);
    }

    // Two columns side by side, at the left margin and in the middle of the
    // page, line by line: what the page does not hold goes on after the
    // page break.
    void Columns(const QList<Piece> &left, const QList<Piece> &right)
    {
        qsizetype l = 0, r = 0;
        while (true) {
            const int room = fl.Room() - 100;
            const auto fill = [&](CLayout &col, const QList<Piece> &pieces, qsizetype &next) {
                for (int used = 0; next < pieces.size(); ++next) {
                    const int h = fl.Measure(pieces.at(next));
                    if (used > 0 && used + h > room)
                        break;
                    pieces.at(next)(col);
                    used += h;
                }
            };
            {
                Row row(fl.root());
                row.To(120);
                {
                    CLayoutVBox col(row.box);
                    fill(col, left, l);
                }
                if (!right.isEmpty()) {
                    row.To(W / 2);
                    CLayoutVBox col(row.box);
                    fill(col, right, r);
                }
            }
            if (l >= left.size() && r >= right.size())
                return;
            PageBreak();
        }
    }

    void ColumnHeads()
    {
        Row row(fl.root());
        row.To(120 + D);
        fl.Cell(row.box, f5, OrmelText(3122), P, true);
        row.box.AddSize(90, 0);
        fl.Cell(row.box, f5, OrmelText(3129), P, true);
        row.box.AddSize(90, 0);
        fl.Cell(row.box, f5, OrmelText(3130), P, true);
        row.box.AddSize(C + 20 + 120, 0);
    }

    // The number groups, then the text column; the row's description part
    // is D wide.
    void NumberAndTexts(Row &row, const CPosition &pos, bool withExtra)
    {
        const QStringList groups = LabourNumberGroups(pos.Number);
        for (int i = 0; i < 3; ++i) {
            fl.Cell(row.box, f5, groups.value(i), 0);
            row.box.AddSize(i < 2 ? g : G, 0);
        }
        const int width = std::max(120 + D - row.X(), 100);
        CLayoutVBox col(row.box);
        fl.Cell(col, f5, JoinAwTextLines(pos), width, false, true);
        const QString extra = WithoutTrailingBlanks(pos.AwTextExtra);
        if (withExtra && !extra.isEmpty())
            fl.Cell(col, f5, extra, width, false, true);
        const QString bracket = JoinBracketTextLines(pos);
        if (!bracket.isEmpty())
            fl.Cell(col, f7, bracket, width, false, true);
    }

    void Amounts(Row &row, const QFont &font, const QString &quantity, const QString &net,
                 const QString &gross, const QString &cur)
    {
        row.To(120 + D);
        fl.Cell(row.box, f5, quantity, P, true);
        row.box.AddSize(90, 0);
        fl.Cell(row.box, font, net, P, true);
        row.box.AddSize(90, 0);
        fl.Cell(row.box, font, gross, P, true);
        row.box.AddSize(20, 0);
        fl.Cell(row.box, font, cur, C);
    }

    void Rule(CLayout &b) { fl.Rule(b, 120, W - 120); }

    void WorkRow(CLayout &b, const CPosition &pos, bool show)
    {
        {
            Row row(b);
            row.To(120);
            NumberAndTexts(row, pos, true);
            Amounts(row, f4, pos.GetDisplayNumber(),
                    show ? PriceCellText(pos.Preise1.Net) : QString(),
                    show ? PriceCellText(pos.Preise1.Gross) : QString(), QString());
        }
        b.AddSize(0, -20);
    }

    void PartRow(CLayout &b, const CPosition &pos, bool show)
    {
        {
            Row row(b);
            row.To(120);
            const QString replacement = WithoutTrailingBlanks(pos.ErsetztDurchNummer);
            const QStringList groups = PartNumberGroups(pos.Number);
            if (replacement.isEmpty()) {
                for (const QString &group : groups) {
                    fl.Cell(row.box, f5, group, 0);
                    row.box.AddSize(g, 0);
                }
            } else {
                fl.Cell(row.box, f5, replacement, 0);
                row.box.AddSize(3 * g, 0);
                fl.Cell(row.box, f4, QStringLiteral("("), 0);
                row.box.AddSize(g, 0);
                for (const QString &group : groups) {
                    fl.Cell(row.box, f4, group, 0);
                    row.box.AddSize(g, 0);
                }
                fl.Cell(row.box, f4, QStringLiteral(")"), 0);
            }
            Amounts(row, f4, WithoutTrailingBlanks(pos.Quantity),
                    show ? PriceCellText(pos.Preise1.Net) : QString(),
                    show ? PriceCellText(pos.Preise1.Gross) : QString(), QString());
        }
        {
            Row row(b);
            row.To(120);
            const QString text =
                pos.ErsetztDurchText.isEmpty() ? pos.TeileText : pos.ErsetztDurchText;
            fl.Cell(row.box, f5, WithoutTrailingBlanks(text), std::max(D, 100), false, true);
        }
        b.AddSize(0, -20);
    }

    void HeadRow(CLayout &b, const CPosition &head, bool withAz)
    {
        {
            Row row(b);
            row.To(120);
            NumberAndTexts(row, head, withAz);
            if (withAz)
                Amounts(row, f4, OrmelText(3012), QString(), QString(), QString());
        }
        b.AddSize(0, -20);
    }

    void CcpPositionRow(CLayout &b, const CPosition &pos)
    {
        {
            Row row(b);
            row.To(120);
            CLayoutVBox col(row.box);
            const int width = std::max(D, 100);
            fl.Cell(col, f5, JoinAwTextLines(pos), width, false, true);
            if (!WithoutTrailingBlanks(pos.AwTextExtra).isEmpty())
                fl.Cell(col, f5, WithoutTrailingBlanks(pos.AwTextExtra), width, false, true);
            const QString bracket = JoinBracketTextLines(pos);
            if (!bracket.isEmpty())
                fl.Cell(col, f7, bracket, width, false, true);
        }
        b.AddSize(0, -20);
    }

    void SumRow(CLayout &b, const PackagePrices &prices)
    {
        b.AddSize(0, -20);
        {
            // The caption ends in the quantity column; the description
            // column beside it stays empty and gives it room.
            Row row(b);
            row.To(120);
            fl.Cell(row.box, f5, colon(3128), D + P, true);
            row.box.AddSize(90, 0);
            fl.Cell(row.box, f5, prices.net, P, true);
            row.box.AddSize(90, 0);
            fl.Cell(row.box, f5, prices.gross, P, true);
            row.box.AddSize(20, 0);
            fl.Cell(row.box, f5, prices.currency, C);
        }
        b.AddSize(0, -5);
        Rule(b);
    }

    void Place(const std::function<void(CLayout &)> &draw)
    {
        const int h = fl.Measure(draw);
        if (fl.Room() - h - m_sumHeight <= 100)
            PageBreak();
        draw(fl.root());
    }

    void Package(const CPaket &paket, bool nested, bool headCalc, bool campaign)
    {
        const CPosition *head = paket.GetKopf();
        const PackagePrices prices = packagePrices(paket, campaign);
        if (!nested) {
            if (head)
                m_sumHeight = fl.Measure([&](CLayout &b) { SumRow(b, prices); });
            fl.Down(70);
        } else {
            fl.Down(20);
        }
        const bool show = showsLinePrices(prices, headCalc, campaign);
        const int rows = forEachListedLine(paket, show, [&](const CPosition &pos, bool priced) {
            if (pos.Type == POS_WORK)
                Place([&](CLayout &b) { WorkRow(b, pos, priced); });
            else
                Place([&](CLayout &b) { PartRow(b, pos, priced); });
        });
        const bool subPackages = std::any_of(paket.begin(), paket.end(), [](const auto &line) {
            return line && line->Selected && line->Type == POS_SUBPACKAGE;
        });
        if (rows == 0 && head)
            Place([&](CLayout &b) { HeadRow(b, *head, false); });
        if (subPackages || nested)
            fl.Rule(fl.root(), 120, W - 120, Qt::DotLine);
        for (const auto &line : paket)
            if (line && line->Selected && line->Type == POS_SUBPACKAGE && line->SubPackage) {
                const CPaket &sub = *line->SubPackage;
                Package(sub, true, headCalcFlag(sub), campaign);
            }
        if (!nested && head)
            SumRow(fl.root(), prices);
    }

    void CcpPackage(const CPaket &paket)
    {
        const CPosition *head = paket.GetKopf();
        const PackagePrices prices = packagePrices(paket, false);
        if (head)
            m_sumHeight = fl.Measure([&](CLayout &b) { SumRow(b, prices); });
        fl.Down(70);
        bool any = false;
        for (const auto &line : paket) {
            if (!line || !line->Selected || line->Type != POS_WORK)
                continue;
            if (!any && head)
                Place([&](CLayout &b) { HeadRow(b, *head, true); });
            any = true;
            // A line marked to count twice is still one line of the sheet.
            const CPosition &pos = *line;
            Place([&](CLayout &b) { CcpPositionRow(b, pos); });
        }
        if (!any && head)
            Place([&](CLayout &b) { HeadRow(b, *head, false); });
        if (head)
            SumRow(fl.root(), prices);
    }

    void LabourRow(CLayout &b, const CPosition &pos)
    {
        b.AddSize(0, -70);
        {
            Row row(b);
            row.To(120);
            NumberAndTexts(row, pos, false);
            const bool show = hasPrices(pos);
            Amounts(row, f5, pos.GetDisplayNumber(),
                    show ? PriceCellText(pos.Preise1.Net) : QString(),
                    show ? PriceCellText(pos.Preise1.Gross) : QString(),
                    show ? pos.Preise1.Currency : QString());
        }
        b.AddSize(0, -5);
        Rule(b);
    }

    void FindingRow(CLayout &b, const CPosition &pos)
    {
        b.AddSize(0, -10);
        {
            Row row(b);
            row.To(120);
            const QStringList groups = FindingNumberGroups(pos.Number);
            for (int i = 0; i < 4; ++i) {
                fl.Cell(row.box, f5, groups.value(i), 0);
                row.box.AddSize(g, 0);
            }
            fl.Cell(row.box, f5, groups.value(4), 0);
            row.box.AddSize(G, 0);
        }
        {
            Row row(b);
            row.To(120);
            CLayoutVBox col(row.box);
            fl.Cell(col, f5, pos.BefundText, std::max(D, 100), false, true);
            fl.Cell(col, f4, pos.BefundText2, std::max(D, 100), false, true);
        }
        b.AddSize(0, -5);
        Rule(b);
    }

    void Totals(CLayout &b)
    {
        b.AddSize(0, -50);
        {
            const double net = m_list ? m_list->NetTotal() : kPriceNotSet;
            const double gross = m_list ? m_list->GrossTotal() : kPriceNotSet;
            const bool both = net != kPriceNotSet && gross != kPriceNotSet;
            const bool none = net == kPriceNotSet && gross == kPriceNotSet;
            Row row(b);
            row.To(120);
            fl.Cell(row.box, f5, colon(3156), D + P, true);
            row.box.AddSize(90, 0);
            fl.Cell(row.box, f5, both ? PriceCellText(net) : QString(), P, true);
            row.box.AddSize(90, 0);
            fl.Cell(row.box, f5, both ? PriceCellText(gross) : QString(), P, true);
            row.box.AddSize(20, 0);
            fl.Cell(row.box, f5, none ? QString() : currency, C, true);
        }
        b.AddSize(0, -50);
    }

    Flow &fl;
    const CBasketPrintData &d;
    const CWKList *m_list;
    int W;
    QFont f1, f2, f3, f4, f5, f7;
    int g = 0, G = 0, lh2 = 0, lh3 = 0, lh4 = 0, lh5 = 0;
    int labelWidth = 0, P = 0, C = 0, D = 0;
    int m_sumHeight = 0;
    int m_reserve = 0; // the room the totals keep on a page
    QString currency;
};

// Lays the form out once on the pages of the area; the measuring pass
// counts the pages.
template <typename Form>
CSize PrintForm(QPainter *dc, const CRect &area, bool measure, const CBasketPrintData &data,
                const CWKList *list, int pageWidth, int pageHeight, int &pageCount)
{
    Flow fl(dc, area, measure, pageWidth, pageHeight, pageCount);
    Form form(fl, data, list);
    form.Run();
    if (measure)
        pageCount = fl.pageIndex + 1;
    return CSize(pageWidth, -(fl.pageIndex + 1) * pageHeight);
}

} // namespace

CBasketPrintOut::CBasketPrintOut(const CWKList *list, CBasketPrintData data)
    : m_list(list), m_data(std::move(data))
{
}

CBasketPrintOut::~CBasketPrintOut() = default;

CSize CBasketPrintOut::PrintPage(QPainter *dc, CRect *area, int measureOnly)
{
    if (!area || !dc)
        return CSize();
    if (measureOnly) {
        m_pageWidth = area->Width();
        m_pageHeight = -area->Height();
    }
    if (m_pageWidth <= 0 || m_pageHeight <= 0)
        return CSize();
    return m_data.form == BPF_STANDARD ? PrintStandardForm(dc, *area, measureOnly != 0)
                                       : PrintInfoSheet(dc, *area, measureOnly != 0);
}

CSize CBasketPrintOut::PrintStandardForm(QPainter *dc, const CRect &area, bool measure)
{
    const StandardFormPage page = standardFormPage(m_pageWidth, m_pageHeight);
    if (page.scale == 1.0)
        return PrintForm<StandardForm>(dc, area, measure, m_data, m_list, m_pageWidth, m_pageHeight,
                                       m_pageCount);
    // Measured and drawn on the same scaled painter: the engine records
    // this one drawing for the preview, the printer and the PDF.
    dc->save();
    dc->scale(page.scale, page.scale);
    const int left = qRound(area.left / page.scale);
    const int top = qRound(area.top / page.scale);
    const CRect formArea(left, top, left + page.width, top - page.height);
    const CSize form = PrintForm<StandardForm>(dc, formArea, measure, m_data, m_list, page.width,
                                               page.height, m_pageCount);
    dc->restore();
    return CSize(m_pageWidth, -(-form.cy / page.height) * m_pageHeight);
}

CSize CBasketPrintOut::PrintInfoSheet(QPainter *dc, const CRect &area, bool measure)
{
    return PrintForm<InfoSheet>(dc, area, measure, m_data, m_list, m_pageWidth, m_pageHeight,
                                m_pageCount);
}
