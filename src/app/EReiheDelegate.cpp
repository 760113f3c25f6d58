#include "app/EReiheDelegate.h"

#include "app/EReiheEntry.h"
#include "app/EReiheModel.h"
#include "common/Layout.h"

#include <QPainter>

namespace {
// Text inset from the row's left edge and above and below the text.
constexpr int kMarginX = 4;
constexpr int kMarginY = 1;
const QColor kSelectedText(255, 255, 0);
} // namespace

CEReiheDelegate::CEReiheDelegate(QObject *parent) : QStyledItemDelegate(parent)
{
    m_separatorFont.setBold(true);
    m_separatorFont.setItalic(true);
}

void CEReiheDelegate::SetFonts(const QFont &codeFont, const QFont &separatorFont)
{
    m_codeFont = codeFont;
    m_separatorFont = separatorFont;
}

int CEReiheDelegate::DrawModelSeriesCode(QPainter *dc, const CEReiheEntry &entry, const CRect &rect,
                                         int paint) const
{
    CLayoutHBox box(rect, dc);
    box.DCDraw(&m_codeFont, entry.strEReihe, paint, 0, 0);
    return box.GetResultRect().Height();
}

int CEReiheDelegate::DrawModelSeriesSeparator(QPainter *dc, const CEReiheEntry &entry,
                                              const CRect &rect, int paint) const
{
    CLayoutVBox box(rect, dc);
    box.DCDraw(&m_separatorFont, entry.strSeparator, paint, 0, 0);
    return box.GetResultRect().Height();
}

void CEReiheDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                            const QModelIndex &index) const
{
    const auto *entry = index.data(CEReiheModel::EntryRole).value<const CEReiheEntry *>();
    const QPalette &pal = option.palette;
    QColor background = Qt::white;
    QColor text = Qt::black;
    const bool heading = entry && entry->nKind == CEReiheEntry::KindSeparator;
    if (!(option.state & QStyle::State_Enabled) && !heading) {
        background = pal.color(QPalette::Disabled, QPalette::Button);
        text = pal.color(QPalette::Disabled, QPalette::Text);
    } else if (option.state & QStyle::State_Selected && !heading) {
        background = pal.color(QPalette::Active, QPalette::Highlight);
        text = kSelectedText;
    }
    painter->save();
    painter->fillRect(option.rect, background);
    painter->setPen(text);
    if (entry) {
        const QRect r = option.rect;
        const CRect cell(r.left() + kMarginX, r.top() + kMarginY, r.right() + 1 - kMarginX,
                         r.bottom() + 1 - kMarginY);
        if (entry->nKind == CEReiheEntry::KindSeries)
            DrawModelSeriesCode(painter, *entry, cell, 1);
        else if (heading)
            DrawModelSeriesSeparator(painter, *entry, cell, 1);
    }
    painter->restore();
}

QSize CEReiheDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const auto *entry = index.data(CEReiheModel::EntryRole).value<const CEReiheEntry *>();
    int height = 0;
    int width = 0;
    if (entry) {
        const CRect cell(0, 0, 10000, 10000);
        if (entry->nKind == CEReiheEntry::KindSeparator) {
            height = DrawModelSeriesSeparator(nullptr, *entry, cell, 0);
            width = QFontMetrics(m_separatorFont).horizontalAdvance(entry->strSeparator);
        } else {
            height = DrawModelSeriesCode(nullptr, *entry, cell, 0);
            width = QFontMetrics(m_codeFont).horizontalAdvance(entry->strEReihe);
        }
    }
    Q_UNUSED(option);
    return QSize(width + 2 * kMarginX, std::max(height + 2 * kMarginY, int(kItemHeight)));
}
