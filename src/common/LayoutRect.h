#pragma once
// Rectangles and sizes of the layout boxes and the print engine.
//
// A rectangle keeps its four edges as given; width and height are the signed
// differences right - left and bottom - top. On a page in 0.1 mm units y grows
// upwards, so a rectangle reaching down the page has a negative height; the
// boxes rely on that sign, which is why QRect (whose bottom is top + height - 1)
// is not used here.

#include <QRect>

struct CSize
{
    int cx = 0;
    int cy = 0;

    constexpr CSize() = default;
    constexpr CSize(int w, int h) : cx(w), cy(h) {}
    friend constexpr bool operator==(const CSize &a, const CSize &b)
    {
        return a.cx == b.cx && a.cy == b.cy;
    }
    friend constexpr bool operator!=(const CSize &a, const CSize &b) { return !(a == b); }
};

struct CRect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr CRect() = default;
    constexpr CRect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr CSize Size() const { return CSize(Width(), Height()); }
    constexpr bool IsRectEmpty() const { return Width() == 0 || Height() == 0; }

    // The same area with left <= right and top <= bottom, as Qt wants it.
    QRect toQRect() const
    {
        return QRect(QPoint(qMin(left, right), qMin(top, bottom)),
                     QPoint(qMax(left, right) - 1, qMax(top, bottom) - 1));
    }
    QRectF toQRectF() const
    {
        return QRectF(QPointF(qMin(left, right), qMin(top, bottom)),
                      QPointF(qMax(left, right), qMax(top, bottom)));
    }

    friend constexpr bool operator==(const CRect &a, const CRect &b)
    {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
    friend constexpr bool operator!=(const CRect &a, const CRect &b) { return !(a == b); }
};
