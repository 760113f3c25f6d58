#include "app/ListRowDraw.h"

#include "common/Layout.h"

#include <QStyleOptionViewItem>

int BoxTextWidth(const QFont &font, const QString &text, int lineHeight)
{
    CMeasurePainter dc;
    CLayoutHBox box(CRect(0, 0, 10000, lineHeight), dc.Painter());
    box.DCDraw(&font, text, 0, 0, 0);
    return box.GetResultRect().Width();
}

void PaintPickListRow(QPainter *painter, const QStyleOptionViewItem &option,
                      const std::function<void(const CRect &)> &draw)
{
    const bool selected = option.state & QStyle::State_Selected;
    painter->save();
    painter->fillRect(option.rect,
                      selected ? option.palette.color(QPalette::Highlight) : QColor(Qt::white));
    painter->setPen(selected ? QColor(255, 255, 0) : QColor(Qt::black));
    const QRect r = option.rect;
    draw(CRect(r.left(), r.top(), r.right() + 1, r.bottom() + 1));
    painter->restore();
}
