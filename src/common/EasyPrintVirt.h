#pragma once
// The one operation of every page that prints: draw its whole document.

#include "common/LayoutRect.h"

class QPainter;

class CEasyPrintVirt
{
public:
    virtual ~CEasyPrintVirt() = default;

    // Draws the document, or with measureOnly nonzero only measures it, on the
    // painter. area and the result are in units of 0.1 mm with y growing
    // upwards; the print engine hands over the painter already switched to
    // these units (SetMapModeLoMetric). The page draws its whole document
    // shifted so that the document point (area->left, area->top) lands on the
    // painter's origin; a page drawing with layout boxes puts its page box on
    // (-area->left, -area->top, 10000000 - area->left, 10000000 - area->top).
    // The document's top-left corner is its point (0, 0); everything below it
    // has negative y.
    //
    // A print-out (and the preview) draws the document once, on a painter
    // that only records the drawing, and shows that one drawing sheet by
    // sheet: the page draws everything at once and never per sheet.
    //
    // Measuring returns the document's width (positive) and height (negative:
    // bottom minus top); when painting the engine ignores the result. A null
    // area returns (0, 0).
    virtual CSize PrintPage(QPainter *dc, CRect *area, int measureOnly) = 0;
};
