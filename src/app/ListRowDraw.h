#pragma once
// What the owner-drawn rows of the head row's pick lists (vehicle search,
// catalogue choice) share: measuring through the layout boxes without a
// window, and the row's background and pen.

#include "common/LayoutRect.h"

#include <QImage>
#include <QPainter>

#include <functional>

class QFont;
class QString;
class QStyleOptionViewItem;

// A painter on a one-pixel image, for a row's layout asked only for its size.
class CMeasurePainter
{
public:
    CMeasurePainter() : m_image(1, 1, QImage::Format_ARGB32), m_painter(&m_image) {}
    QPainter *Painter() { return &m_painter; }

private:
    QImage m_image;
    QPainter m_painter;
};

// The width of a text as the layout boxes draw it in a line of this height.
int BoxTextWidth(const QFont &font, const QString &text, int lineHeight);

// White row, or the highlight when selected; black text, or yellow on the
// highlight. `draw` paints the row into its rectangle.
void PaintPickListRow(QPainter *painter, const QStyleOptionViewItem &option,
                      const std::function<void(const CRect &)> &draw);
