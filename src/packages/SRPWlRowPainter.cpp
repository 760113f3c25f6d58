#include "packages/SRPWlRowPainter.h"

#include "common/Layout.h"
#include "packages/SRPWlRowModel.h"
#include "packages/list/PackageRow.h"

#include <QFontMetrics>
#include <QPainter>
#include <QWidget>

#include <algorithm>

namespace {

// Space above and below the line of a simple row and of a package row.
constexpr int kSimpleSpace = 3;
constexpr int kDetailTop = 5;
constexpr int kDetailBottom = 7;
constexpr int kBadgeSlots = 7;
// A width for the measures of a text that is not wrapped.
constexpr int kUnbounded = 1000000;

const QColor kSelectedText(255, 255, 0);
const QColor kGreyRow(192, 192, 192);
const QColor kGreenRow(192, 220, 192);
const QColor kRowLine(179, 179, 179);
const QColor kShadow(128, 128, 128);
const QColor kInfoMark(255, 0, 0);

bool IsDetailed(const CPackageRow &row)
{
    return row.level == kLevelPackage || row.level == kLevelCampaignPackage ||
           row.level == kLevelMatrixRow;
}

} // namespace

CSRPWlRowPainter::CSRPWlRowPainter(bool pathList, QObject *parent)
    : COwnLBDelegate(parent), m_bPathList(pathList)
{
    SetFonts(QFont());
}

void CSRPWlRowPainter::SetFonts(const QFont &base)
{
    // Pixel sizes: a row measures as it paints, with a painter or without.
    m_regular = LayoutFont(base, nullptr);
    m_bold1 = m_regular;
    m_bold1.setBold(true);
    m_bold2 = m_bold1;
    m_italic = m_regular;
    m_italic.setItalic(true);
    m_boldLarge = m_bold1;
    m_boldLarge.setPixelSize(m_boldLarge.pixelSize() + 2);
    // The gaps follow the width of a digit, so the rows keep their look in
    // every font size.
    const QFontMetrics bold1(LayoutFont(m_bold1, nullptr));
    const QFontMetrics bold2(LayoutFont(m_bold2, nullptr));
    m_nGap = int(bold1.horizontalAdvance(QLatin1Char('0')) / 10.0 * 15);
    m_nKeyWidth = bold1.horizontalAdvance(QStringLiteral("88"));
    m_nSmallGap = int(bold2.horizontalAdvance(QLatin1Char('0')) / 7.0 * 4);
    m_nMinSlot = bold2.horizontalAdvance(QStringLiteral("MK (99)  ")) + 4;
    ForgetAllRows();
}

void CSRPWlRowPainter::SetListedRows(const std::vector<CPackageRow *> &rows)
{
    m_nMaxTextWidth = 0;
    const CRect unbounded(0, 0, kUnbounded, kUnbounded);
    for (const CPackageRow *row : rows) {
        if (!row || !IsDetailed(*row))
            continue;
        int width = 0;
        PaintPackageText(nullptr, *row, unbounded, kUnbounded, 0, &width);
        m_nMaxTextWidth = std::max(m_nMaxTextWidth, width);
    }
    ForgetAllRows();
}

const CPackageRow *CSRPWlRowPainter::RowOf(const QModelIndex &index)
{
    return index.data(CSRPWlRowModel::RowRole).value<const CPackageRow *>();
}

QColor CSRPWlRowPainter::Background(const CPackageRow &row) const
{
    switch (row.level) {
    case kLevelSpotRepairEntry:
    case kLevelGroup7:
        return kGreyRow;
    case kLevelPaintClass:
    case kLevelGroup8:
        return kGreenRow;
    case kLevelCampaignPackage:
    case kLevelMatrixRow:
    case kLevelPackage:
        return m_packageBackground;
    default:
        return Qt::white;
    }
}

int CSRPWlRowPainter::BadgeLeft(const CRect &rowRect) const
{
    // Badges stand after the widest text; when the list is too narrow for
    // that, the columns keep their smallest width and the texts wrap.
    return std::min(rowRect.left + m_nMaxTextWidth, rowRect.right - kBadgeSlots * m_nMinSlot);
}

int CSRPWlRowPainter::PaintSimpleRow(QPainter *dc, const CPackageRow &row, const CRect &rect,
                                     int draw) const
{
    const CPackageRowText text = PackageRowText(row, m_bPathList);
    // The last gap stays free at the right edge: the title wraps before it.
    CLayoutVBox box(CRect(rect.left, rect.top, rect.right - m_nGap, rect.bottom), dc);
    box.AddSize(0, kSimpleSpace);
    {
        CLayoutHBox line(box);
        line.AddSize(m_nGap, 0);
        for (const QString &key : text.keys) {
            line.DCDraw(&m_bold1, key, draw, m_nKeyWidth, 0);
            line.AddSize(m_nGap, 0);
        }
        CLayoutVBox title(line);
        title.SetWordbreak(1);
        title.DCDraw(&m_bold1, text.title, draw, 0, 0);
    }
    box.AddSize(0, kSimpleSpace);
    return box.GetResultRect().Height();
}

int CSRPWlRowPainter::PaintPackageText(QPainter *dc, const CPackageRow &row, const CRect &rect,
                                       int textRight, int draw, int *textWidth) const
{
    const CPackageRowText text = PackageRowText(row, false);
    CLayoutHBox line(CRect(rect.left, rect.top, textRight, rect.bottom), dc);
    line.AddSize(m_nGap, 0);
    // The information mark keeps its place in every row, so the numbers
    // stand in one column; it shows only where the package has information.
    if (row.information && dc && draw) {
        dc->save();
        dc->setPen(kInfoMark);
        line.DCDraw(&m_boldLarge, QStringLiteral("+ "), 1, 0, 0);
        dc->restore();
    } else {
        line.DCDraw(&m_boldLarge, QStringLiteral("+ "), 0, 0, 0);
    }
    for (const QString &part : text.numberParts) {
        line.DCDraw(&m_bold2, part, draw, 0, 0);
        line.AddSize(m_nSmallGap, 0);
    }
    {
        CLayoutVBox block(line);
        block.SetWordbreak(1);
        block.DCDraw(&m_bold2, text.textBlock, draw, 0, 0);
        if (!text.bracketBlock.trimmed().isEmpty())
            block.DCDraw(&m_italic, text.bracketBlock, draw, 0, 0);
    }
    const CRect used = line.GetResultRect();
    if (textWidth)
        *textWidth = used.Width();
    return used.Height();
}

std::vector<CSRPWlRowPainter::BadgePlace> CSRPWlRowPainter::Badges(const CPackageRow &row,
                                                                   const CRect &rowRect) const
{
    std::vector<BadgePlace> places;
    std::vector<CRowBadgeText> badges = PackageRowBadges(row);
    if (row.level == kLevelCampaignPackage) {
        // A campaign package shows its fast-lane mark and its offers; it is
        // opened by a double click, never through a badge.
        if (row.isFastlane)
            badges.push_back({RowBadge::Fastlane, 1, QStringLiteral("FL"), false, false, false});
        if (row.campaignPackages > 0)
            badges.push_back({RowBadge::Campaign, 2,
                              QStringLiteral("MK (%1)  ").arg(row.campaignPackages), false, false,
                              false});
    }
    if (badges.empty())
        return places;
    const int left = BadgeLeft(rowRect);
    const int w = std::max((rowRect.right - left) / kBadgeSlots, 0);
    const QFont font = LayoutFont(m_bold2, nullptr);
    for (const CRowBadgeText &badge : badges) {
        const LayoutTextBlock block = LayoutText(font, badge.text, 0);
        const int slotLeft = left + (badge.slot - 1) * w;
        const CRect slot(slotLeft, rowRect.top, slotLeft + w, rowRect.bottom);
        const int top = rowRect.top + std::max((rowRect.Height() - block.height) / 2, 0);
        const CRect cell(slotLeft + w / 9, top, slotLeft + w - w / 8, top + block.height);
        places.push_back({badge, slot, cell});
    }
    return places;
}

int CSRPWlRowPainter::PaintPackageRow(QPainter *dc, const CPackageRow &row, const CRect &rect,
                                      int draw) const
{
    const CRect line(rect.left, rect.top + kDetailTop, rect.right, rect.bottom);
    const int height = kDetailTop +
                       PaintPackageText(dc, row, line, BadgeLeft(rect), draw, nullptr) +
                       kDetailBottom;
    if (!draw || !dc)
        return height;
    const CRect rowRect(rect.left, rect.top, rect.right, rect.top + height);
    for (const BadgePlace &place : Badges(row, rowRect)) {
        const CRect &c = place.cell;
        dc->save();
        if (place.badge.red)
            dc->setPen(kInfoMark);
        else if (place.badge.greyed)
            dc->setPen(kShadow);
        CLayoutHBox cell(c, dc);
        cell.SetCenterAlign(1);
        cell.DCDraw(&m_bold2, place.badge.text, 1, std::max(c.Width(), 1), 0);
        // The drop shadow lifts the badge off the row like a button.
        dc->setPen(kShadow);
        dc->drawLine(c.right, c.top, c.right, c.bottom);
        dc->drawLine(c.left, c.bottom, c.right, c.bottom);
        dc->restore();
    }
    dc->save();
    dc->setPen(kRowLine);
    dc->drawLine(rect.left, rowRect.bottom - 1, rect.right, rowRect.bottom - 1);
    dc->restore();
    return height;
}

int CSRPWlRowPainter::PaintRowOf(QPainter *dc, const CPackageRow &row, const CRect &rect,
                                 int draw) const
{
    if (IsDetailed(row) && !m_bPathList)
        return PaintPackageRow(dc, row, rect, draw);
    return PaintSimpleRow(dc, row, rect, draw);
}

COwnYaqRowHits CSRPWlRowPainter::RowHits(const QModelIndex &index, const CRect &rowRect) const
{
    COwnYaqRowHits hits;
    const CPackageRow *row = RowOf(index);
    if (!row || row->level != kLevelPackage || m_bPathList)
        return hits;
    for (const BadgePlace &place : Badges(*row, rowRect)) {
        int icon = 0;
        switch (place.badge.badge) {
        case RowBadge::InclusiveSvc:
            icon = 1;
            break;
        case RowBadge::ValueLine:
            icon = 2;
            break;
        case RowBadge::Campaign:
            icon = 3;
            break;
        case RowBadge::Warranty:
            icon = 4;
            break;
        case RowBadge::PartsClearing:
            hits.info = place.cell;
            break;
        case RowBadge::Fastlane:
            break;
        }
        if (icon && place.badge.clickable)
            hits.icons[size_t(icon - 1)] = place.cell;
    }
    return hits;
}

void CSRPWlRowPainter::PaintRow(QPainter *painter, const QStyleOptionViewItem &option,
                                const QModelIndex &index) const
{
    const CPackageRow *row = RowOf(index);
    if (!row)
        return;
    QColor background = Background(*row);
    QColor text = Qt::black;
    const bool listFocus = option.widget && option.widget->hasFocus();
    // A separator never shows as selected; the path list shows its
    // selection only while the adviser works in it.
    if (option.state & QStyle::State_Selected && !row->IsSeparator() &&
        (!m_bPathList || listFocus)) {
        background = option.palette.color(QPalette::Active, QPalette::Highlight);
        text = listFocus ? kSelectedText : QColor(Qt::white);
    }
    painter->save();
    painter->fillRect(option.rect, background);
    painter->setPen(QPen(text, 1));
    painter->setBackgroundMode(Qt::TransparentMode);
    const QRect r = option.rect;
    PaintRowOf(painter, *row, CRect(r.left(), r.top(), r.right() + 1, r.bottom() + 1), 1);
    painter->restore();
}

int CSRPWlRowPainter::MeasureRowHeight(const QStyleOptionViewItem &option,
                                       const QModelIndex &index) const
{
    const CPackageRow *row = RowOf(index);
    if (!row)
        return kRowHeight;
    const QRect r = option.rect;
    return PaintRowOf(nullptr, *row, CRect(r.left(), 0, r.left() + r.width(), kUnbounded), 0);
}

int CSRPWlRowPainter::EstimateRowHeight(const QModelIndex &index) const
{
    const CPackageRow *row = RowOf(index);
    const QFontMetrics bold(LayoutFont(m_bold2, nullptr));
    if (!row || !IsDetailed(*row) || m_bPathList)
        return bold.lineSpacing() + 2 * kSimpleSpace;
    const CPackageRowText text = PackageRowText(*row, false);
    int lines = int(text.textBlock.count(QLatin1Char('\n'))) + 1;
    if (!text.bracketBlock.trimmed().isEmpty())
        lines += int(text.bracketBlock.count(QLatin1Char('\n'))) + 1;
    return lines * bold.lineSpacing() + kDetailTop + kDetailBottom;
}
