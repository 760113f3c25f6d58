#pragma once
// A test document for the print engine: a price table of many rows drawn with
// the layout boxes, the way the program's pages draw their print-outs. It
// makes its own page breaks: a row never straddles two printer pages, and
// every page starts with the table head.

#include "common/EasyPrintVirt.h"
#include "common/Layout.h"

#include <QFont>
#include <QPainter>
#include <QString>

class TableDocument : public CEasyPrintVirt
{
public:
    explicit TableDocument(int rows = 300) : m_nRows(rows)
    {
        m_titleFont.setFamily(QStringLiteral("DejaVu Sans"));
        m_titleFont.setPixelSize(60); // 6 mm
        m_titleFont.setBold(true);
        m_headFont = m_titleFont;
        m_headFont.setPixelSize(38);
        m_bodyFont = m_headFont;
        m_bodyFont.setBold(false);
        m_bodyFont.setPixelSize(35);
    }

    int RowCount() const { return m_nRows; }
    static QString RowNumber(int row)
    {
        return QStringLiteral("%1").arg(row, 4, 10, QLatin1Char('0'));
    }
    static QString RowText(int row)
    {
        // Every seventh row carries a long text that wraps in its cell.
        if (row % 7 == 0)
            return QStringLiteral("Position %1: Inspektion mit Wechsel von Motoröl und "
                                  "Ölfilter, Prüfung der Bremsanlage und aller Leuchten")
                .arg(row);
        return QStringLiteral("Position %1: Arbeitswert").arg(row);
    }
    static QString RowPrice(int row) { return QString::number(row * 12.5, 'f', 2); }

    CSize PrintPage(QPainter *dc, CRect *area, int measureOnly) override
    {
        if (!area)
            return CSize();
        // The measuring pass is handed exactly one page: its height is the
        // page height of every later pass.
        if (measureOnly)
            m_nPageHeight = area->top - area->bottom;
        const int pageHeight = m_nPageHeight > 0 ? m_nPageHeight : 2770;
        const int paint = measureOnly ? 0 : 1;
        if (dc && paint)
            dc->setPen(Qt::black);

        CLayoutVBox doc(CRect(-area->left, -area->top, 10000000 - area->left, 10000000 - area->top),
                        dc);
        const int top = doc.GetResultRect().top;
        auto usedOnPage = [&]() { return (top - doc.GetResultRect().bottom) % pageHeight; };

        DrawTitle(doc, paint);
        DrawHead(doc, paint);
        for (int row = 1; row <= m_nRows; ++row) {
            int rowHeight = 0;
            {
                // Measured first in a detached box that reports to no one.
                CLayoutVBox probe(CRect(0, 0, 100000, -100000), dc);
                CLayoutHBox line(probe);
                DrawRow(line, row, 0);
                rowHeight = -line.GetResultRect().Height();
            }
            if (usedOnPage() + rowHeight > pageHeight) {
                doc.AddSize(0, -(pageHeight - usedOnPage()));
                DrawHead(doc, paint);
            }
            CLayoutHBox line(doc);
            DrawRow(line, row, paint);
        }
        const CRect used = doc.GetResultRect();
        return CSize(used.Width(), used.Height());
    }

private:
    void DrawTitle(CLayoutVBox &doc, int paint)
    {
        CLayoutHBox line(doc);
        line.AddSize(100, 0);
        line.DCDraw(&m_titleFont, QStringLiteral("YAQ2 Testdokument"), paint, 0, 0);
        doc.AddSize(0, -50);
    }
    void DrawHead(CLayoutVBox &doc, int paint)
    {
        CLayoutHBox line(doc);
        line.AddSize(100, 0);
        line.DCDraw(&m_headFont, QStringLiteral("Nr."), paint, 200, 0);
        line.AddSize(50, 0);
        line.DCDraw(&m_headFont, QStringLiteral("Bezeichnung"), paint, 1100, 0);
        line.SetLeftAlign(0);
        line.DCDraw(&m_headFont, QStringLiteral("Preis"), paint, 300, 0);
    }
    void DrawRow(CLayoutHBox &line, int row, int paint)
    {
        line.AddSize(100, 0);
        line.DCDraw(&m_bodyFont, RowNumber(row), paint, 200, 0);
        line.AddSize(50, 0);
        {
            CLayoutVBox cell(line);
            cell.SetWordbreak(1);
            cell.DCDraw(&m_bodyFont, RowText(row), paint, 1100, 0);
        }
        line.SetLeftAlign(0);
        line.DCDraw(&m_bodyFont, RowPrice(row), paint, 300, 0);
    }

    int m_nRows;
    int m_nPageHeight = 0;
    QFont m_titleFont;
    QFont m_headFont;
    QFont m_bodyFont;
};
