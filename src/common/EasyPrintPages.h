#pragma once
// The arithmetic of the print engine, free of painters and windows: cutting a
// document into a grid of printer pages (tiles), the centring offsets, the
// page-range text of the preview, the preview's grid geometry and the page's
// placement in a PDF.
//
// Tiles are numbered 1 .. columns x rows, row by row; a tile choice is one
// flag per tile in that order (1 = chosen).

#include "common/LayoutRect.h"

#include <QPointF>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <vector>

// How many pages of pageExtent it takes to hold docExtent (both in the same
// unit): the quotient rounded up; an empty (or negative) document needs none.
int TileCount(int docExtent, int pageExtent);

// The offset that centres the document on its grid of pages along one axis
// (0.1 mm); 0 when centring is off.
int CenterOffset(bool centre, int tiles, int pageMm, int docExtent);

// The rectangle of the tile at row and column in document coordinates
// (0.1 mm, y upwards), with the centring offsets applied.
CRect TileRect(int row, int column, int pageWidthMm, int pageHeightMm, int offsetX, int offsetY);

// The text of the chosen tiles: runs of consecutive tiles in order, separated
// by ","; a run of one or two tiles lists them, a longer run is "first-last"
// (tiles 1, 2, 3, 5, 7, 8 give "1-3,5,7,8").
QString RangeTextFromTiles(const std::vector<int> &tiles);

// The tile choice a range text asks for, for count tiles.
// - Numbers are page numbers (0 counts as 1); "-" joins the lower and the
//   upper bound of a range, a missing bound is the first or the last page
//   ("3-" from page 3 on, "-4" up to page 4, "5-3" pages 3 to 5).
// - ",", ";" and "/" separate the items; an empty item chooses nothing, so
//   "1,3," chooses 1 and 3. Only a text without anything but blanks
//   chooses every page.
// - Any other character is ignored. Pages beyond the last page do not exist:
//   a page number beyond it chooses nothing, a range reaching beyond it ends
//   at the last page ("2-9" of 3 pages is 2 to 3). Long runs of digits
//   cannot overflow.
std::vector<int> TilesFromRangeText(const QString &text, int count);

// Where the preview draws the grid of tiles.
struct PreviewGeometry
{
    double scale = 0;      // pixels per mm
    double tileWidth = 0;  // pixels
    double tileHeight = 0; // pixels
    QPoint origin;         // the grid's top-left corner in the area's coordinates
    QSize gridSize;        // pixels
    // The surface the grid is drawn on: the visible area, or larger when the
    // grid needs more room (the preview then scrolls).
    QSize canvasSize;
    bool isEmpty() const { return scale <= 0; }
};
// The grid of columns x rows pages of pageWidthMm x pageHeightMm in the
// preview, with a margin of 5 pixels: each page as large as the visible area
// lets one page be seen whole, so that it can be read before printing. A
// grid smaller than the area stands in its middle; a larger one starts at
// the margin and the canvas grows to hold it. Empty when there is nothing
// to show.
PreviewGeometry ComputePreviewGeometry(const QRect &area, int pageWidthMm, int pageHeightMm,
                                       int columns, int rows);
// The rectangle of one tile in the preview; neighbours share their border.
QRect PreviewTileRect(const PreviewGeometry &geometry, int row, int column);
// The tile index (row x columns + column) under the point, or -1 outside
// the grid.
int PreviewHitTile(const PreviewGeometry &geometry, const QPoint &pos, int columns, int rows);

// The printer's physical offset (the unprintable margin at the top-left, in
// device pixels) converted to points, each axis by its own resolution.
QPointF PhysicalOffsetPoints(int offsetX, int offsetY, int dpiX, int dpiY);

// The English text for an error code of the desktop's document opener.
QString ShellErrorText(int code);
