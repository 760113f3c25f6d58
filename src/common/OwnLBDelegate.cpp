#include "common/OwnLBDelegate.h"

#include "common/OwnLB.h"

#include <algorithm>

COwnLBDelegate::COwnLBDelegate(QObject *parent) : QStyledItemDelegate(parent)
{
}

void COwnLBDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                           const QModelIndex &index) const
{
    QStyleOptionViewItem opt(option);
    if (const auto *list = qobject_cast<const COwnLB *>(option.widget)) {
        opt.state.setFlag(QStyle::State_MouseOver,
                          index.isValid() && index == list->MouseOverRow());
    }
    PaintRow(painter, opt, index);
}

QSize COwnLBDelegate::sizeHint(const QStyleOptionViewItem &, const QModelIndex &index) const
{
    return QSize(m_nRowWidth, RowHeight(index));
}

void COwnLBDelegate::SetRowWidth(int width)
{
    if (width != m_nRowWidth) {
        m_nRowWidth = width;
        m_heights.clear();
    }
}

int COwnLBDelegate::RowHeight(const QModelIndex &index) const
{
    const int row = index.row();
    if (row >= 0 && row < int(m_heights.size()) && m_heights[row] > 0)
        return m_heights[row];
    return EstimateRowHeight(index);
}

bool COwnLBDelegate::MeasureRow(const QStyleOptionViewItem &option, const QModelIndex &index)
{
    const int row = index.row();
    if (row < 0 || IsMeasured(row))
        return false;
    QStyleOptionViewItem opt(option);
    opt.rect = QRect(0, 0, m_nRowWidth, 0);
    // A row never measures 0 high: 0 marks a row not measured yet.
    const int height = std::max(1, MeasureRowHeight(opt, index));
    if (row >= int(m_heights.size()))
        m_heights.resize(row + 1, 0);
    m_heights[row] = height;
    return height != EstimateRowHeight(index);
}

bool COwnLBDelegate::IsMeasured(int row) const
{
    return row >= 0 && row < int(m_heights.size()) && m_heights[row] > 0;
}

void COwnLBDelegate::ForgetRows(int first, int last)
{
    const int end = std::min(last + 1, int(m_heights.size()));
    for (int row = std::max(first, 0); row < end; ++row)
        m_heights[row] = 0;
}

void COwnLBDelegate::InsertRows(int first, int count)
{
    if (first >= 0 && first < int(m_heights.size()) && count > 0)
        m_heights.insert(m_heights.begin() + first, size_t(count), 0);
}

void COwnLBDelegate::RemoveRows(int first, int count)
{
    if (first < 0 || first >= int(m_heights.size()) || count <= 0)
        return;
    const int end = std::min(first + count, int(m_heights.size()));
    m_heights.erase(m_heights.begin() + first, m_heights.begin() + end);
}

int COwnLBDelegate::EstimateRowHeight(const QModelIndex &) const
{
    return kRowHeight;
}
