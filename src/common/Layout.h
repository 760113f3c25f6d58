#pragma once
// Layout boxes: every owner-drawn list row and every printed page is painted
// through nested boxes.
//
// A box is given a rectangle of a painter; pieces are drawn into the part of it
// that is still free, the box keeps the rectangle used so far, and when the box
// ends it reports its used width and height to its parent box, which then
// advances past it. A vertical box stacks its contents downwards, a horizontal
// box places them side by side. A row of a table is a horizontal box inside a
// vertical box; a cell is a vertical box inside a row.
//
// The same boxes work in pixels on the screen (y growing downwards) and in
// units of 0.1 mm on a page (see SetMapModeLoMetric: y growing upwards, so
// everything below the top of the page has negative y and the heights pieces
// report are negative). The painter's transformation tells the box which of
// the two it is working in.
//
// Fonts: a font with a pixel size is taken as given in the painter's logical
// units (on a page, a pixel size of 36 is a font 3.6 mm high); a font with a
// point size keeps its size in points: on the screen in the screen's pixels,
// on a page in 0.1 mm of the page, also when the page is shown shrunk in the
// print preview.

#include "common/LayoutRect.h"

#include <QFont>
#include <QList>
#include <QString>

class QPainter;

class CLayout
{
public:
    // A top-level box on rect of the painter.
    CLayout(CRect rect, QPainter *dc);
    // A box nested in the parent: it takes the parent's free rectangle (once,
    // now), its painter and its alignment and word-break switches, and reports
    // its extent to the parent when it ends.
    explicit CLayout(CLayout &parent);
    CLayout &operator=(const CLayout &other) = default;
    virtual ~CLayout();

    // The part of the box still free.
    virtual CRect GetFreeRect() = 0;
    // Grows the used rectangle by a piece of that rectangle's size.
    virtual CRect AddRect(CRect piece);
    // Grows the used rectangle by a piece of cx by cy and returns the used
    // rectangle after growing. cy is signed: negative on a page.
    virtual CRect AddSize(int cx, int cy) = 0;
    // Draws (paint nonzero) or only measures (paint 0) the text in the font
    // (null: the painter's font) at the box's free position and grows the box
    // by the cell. width > 0 gives the cell that width, 0 the text's own width.
    // A line break in the text always starts a new line; with word break on
    // the text wraps at the cell width (or, for width 0, at the free width).
    // Inside a wider cell the text is left-aligned, right-aligned
    // (SetLeftAlign(0)) or centred (SetCenterAlign(1)). extra > 0 keeps that
    // much more width, reported to the parent when the box ends. Returns the
    // cell's rectangle.
    virtual CRect DCDraw(const QFont *font, const QString &text, int paint, int width, int extra);
    // Draws the bitmap resource ":/bitmaps/<id>.png" scaled into a cx by cy
    // cell (paint nonzero) and grows the box by the cell. A missing bitmap
    // still takes its cell. The last two arguments are unused (pass 0).
    virtual CRect DCDrawBitmap(int bitmapId, int cx, int cy, int paint, int, int);

    CRect GetResultRect() const { return m_rcUsed; }
    CRect GetMarkRect() const { return m_rcMark; }
    QPainter *GetDC() const { return m_pDC; }
    // +1 on the screen (y downwards), -1 on a page in 0.1 mm (y upwards).
    int GetYDirection() const { return m_nYDir; }

    void SetLeftAlign(int on) { m_bLeftAlign = on; }
    void SetWordbreak(int on) { m_bWordbreak = on; }
    // Centring also switches the left alignment on (it wins over it).
    void SetCenterAlign(int v)
    {
        m_bLeftAlign = 1;
        m_nCenterAlign = v;
    }
    // Block mode remembers where the block started: the used right edge at
    // the moment it is switched on.
    void SetBlockMode(int on);
    int GetBlockStart() const { return m_nBlockStart; }
    // Characters [start, start + count) of the next texts drawn: their
    // rectangle becomes the mark rectangle.
    void MarkText(int start, int count)
    {
        m_nMarkStart = start;
        m_nMarkCount = count;
    }

protected:
    void Init(CRect rect, QPainter *dc, CLayout *parent);

    CLayout *m_pParent = nullptr;
    int m_bWordbreak = 0;
    int m_bLeftAlign = 1;
    int m_nCenterAlign = 0;
    int m_bBlockMode = 0;
    int m_nBlockStart = 0;
    int m_nExtraWidth = 0;
    CRect m_rcMark;
    int m_nMarkStart = 0;
    int m_nMarkCount = 0;
    QPainter *m_pDC = nullptr;
    int m_nYDir = 1;
    CRect m_rcBox;
    CRect m_rcUsed;

private:
    void DeInit();
};

// Stacks its contents downwards; its free rectangle is the full width below
// what is used.
class CLayoutVBox : public CLayout
{
public:
    CLayoutVBox(CRect rect, QPainter *dc) : CLayout(rect, dc) {}
    explicit CLayoutVBox(CLayout &parent) : CLayout(parent) {}
    CRect GetFreeRect() override;
    CRect AddSize(int cx, int cy) override;
};

// Places its contents side by side; its free rectangle is the full height to
// the right of what is used.
class CLayoutHBox : public CLayout
{
public:
    CLayoutHBox(CRect rect, QPainter *dc) : CLayout(rect, dc) {}
    explicit CLayoutHBox(CLayout &parent) : CLayout(parent) {}
    CRect GetFreeRect() override;
    CRect AddSize(int cx, int cy) override;
};

// Switches the painter to units of 0.1 mm with y growing upwards; the device's
// top-left corner stays the origin, so the visible area has negative y.
void SetMapModeLoMetric(QPainter *dc);
// +1 when the painter's y grows downwards, -1 when it grows upwards.
int LayoutYDirection(const QPainter *dc);
// The font as the boxes draw it on this painter: the size in the painter's
// logical units (a point size is converted), without hinting so that a text
// measures the same on the screen, the printer and in a PDF.
QFont LayoutFont(const QFont &font, const QPainter *dc);
// The font as the boxes draw it on a page, in units of 0.1 mm, whatever
// shows the page.
QFont LayoutPageFont(const QFont &font);

// How a text falls into lines for a cell: shared by measuring and drawing.
struct LayoutTextLine
{
    QString text;
    int start = 0;    // position of the line's first character in the text
    double width = 0; // logical units
};
struct LayoutTextBlock
{
    QList<LayoutTextLine> lines;
    double width = 0;       // the widest line
    double lineSpacing = 0; // distance of two baselines
    double ascent = 0;
    int height = 0; // lines x line spacing, rounded up; one line for an empty text
};
// Breaks the text at its line breaks and, with wrapWidth > 0, at word
// boundaries so that no line is wider than wrapWidth (a word longer than
// that is broken inside). A tab is blank space up to the next tab stop
// (every eight characters of the line); the lines and their positions are
// those of the text with its tabs so replaced.
//
// The lines of the texts laid out are kept for the next time: on the screen
// the latest 20,000 or so texts (the owner-drawn lists), during a print job
// every text of the job.
LayoutTextBlock LayoutText(const QFont &font, const QString &text, int wrapWidth);
// The width of the widest line of the text as a cell without word break
// draws it (tabs as blank space), measured afresh and kept nowhere: for
// texts being typed.
double LayoutTextWidth(const QFont &font, const QString &text);

// A print job lays out its document once to measure it and once to draw it,
// with the same texts each time: while a job lives (on this thread) every
// text laid out is kept, however many there are, and when the last job ends
// all of them are freed.
class CLayoutTextJob
{
public:
    CLayoutTextJob();
    ~CLayoutTextJob();
    CLayoutTextJob(const CLayoutTextJob &) = delete;
    CLayoutTextJob &operator=(const CLayoutTextJob &) = delete;
};
// How many texts are kept now (on this thread).
int LayoutTextCacheSize();
