#include "packages/SpotRRowPainter.h"

#include "packages/SRPBbRowModel.h"
#include "packages/model/Paket.h"
#include "packages/model/SpotRepairLine.h"
#include "platform/OrmelText.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPalette>

namespace {
const QColor kPathBackground(192, 192, 192);
const QColor kGreenWork(0, 160, 0);
const QColor kYellowWork(230, 200, 0);
constexpr int kGap = 4;
} // namespace

CSpotRRowPainter::CSpotRRowPainter(bool pathList, QObject *parent)
    : QStyledItemDelegate(parent), m_bPathList(pathList)
{
    SetFonts(QApplication::font());
}

void CSpotRRowPainter::SetFonts(const QFont &base)
{
    m_plain = base;
    m_bold = base;
    m_bold.setBold(true);
    m_italic = base;
    m_italic.setItalic(true);
    m_head = m_bold;
}

CSpotRRowPainter::Columns CSpotRRowPainter::ColumnsFor(int rowWidth)
{
    Columns c;
    c.first = rowWidth * 2 / 5;
    c.unit = std::max(1, (rowWidth - c.first) / 14);
    return c;
}

QString CSpotRRowPainter::ChoiceText(const CPosition &line)
{
    const QString mark = !line.Selected ? QStringLiteral("-")
                         : line.Doubled ? QStringLiteral("2")
                                        : QStringLiteral("1");
    return QLatin1Char('[') + mark + QLatin1Char(']');
}

QString CSpotRRowPainter::WorkText(const CPosition &line)
{
    // A pair shows its damage class once.
    if (line.Spot[SpotColour] == kSpotYellow && line.HasPartnerColour)
        return QString();
    QString text = line.AwText1;
    if (!line.AwTextExtra.isEmpty())
        text += QLatin1Char('\n') + line.AwTextExtra;
    return text;
}

QString CSpotRRowPainter::PriceText(double value)
{
    if (value == kPriceNone)
        return QStringLiteral("?");
    if (value == kPriceByTime)
        return OrmelText(3012);
    if (value == kPriceNotSet)
        return QString();
    return QString::number(value + 1e-10, 'f', 2);
}

bool CSpotRRowPainter::LinePricesShown() const
{
    const CPosition *head = m_pPaket ? m_pPaket->GetKopf() : nullptr;
    return head && !head->Preise1.FlatPrice && !head->PriceCalcFlag;
}

void CSpotRRowPainter::PaintColumnHeader(QPainter *dc, const QRect &rect) const
{
    const Columns c = ColumnsFor(rect.width());
    dc->fillRect(rect, QApplication::palette().color(QPalette::Button));
    dc->setFont(m_bold);
    const int top = rect.top();
    const int h = rect.height();
    auto cell = [&](int left, int width, int text) {
        // The titles carry the mnemonic of their dialog; a header shows none.
        dc->drawText(QRect(rect.left() + left, top, width, h), Qt::AlignCenter,
                     OrmelText(text).remove(QLatin1Char('&')));
    };
    cell(c.colour(), 2 * c.unit, 6087);
    cell(c.quantity(), 2 * c.unit, 3122);
    cell(c.percent(), 3 * c.unit, 6086);
    cell(c.choice(), 4 * c.unit, 3124);
    cell(c.price(), 3 * c.unit, 2050);
}

QString CSpotRRowPainter::PathText(const CPosition &line) const
{
    switch (line.Type) {
    case POS_INFO3:
        return line.Spot[SpotRepairText].trimmed();
    case POS_INFO5:
        return line.Spot[SpotPaintClassText];
    case POS_HEAD: {
        const QString n = line.Spot[SpotWorkUnitNumber];
        QString text = n.left(2) + QLatin1Char(' ') + n.mid(2, 2) + QLatin1Char(' ') + n.mid(4);
        for (const QString *t : {&line.AwText1, &line.AwText2, &line.KlammerText1})
            if (!t->isEmpty())
                text += QStringLiteral("  ") + *t;
        return text;
    }
    default:
        return QString();
    }
}

void CSpotRRowPainter::PaintPath(QPainter *dc, const CPosition &line, const QRect &rect) const
{
    dc->fillRect(rect, kPathBackground);
    dc->setPen(Qt::black);
    dc->setFont(line.Type == POS_HEAD ? m_bold : m_head);
    dc->drawText(rect.adjusted(2 * kGap, 0, -2 * kGap, 0), Qt::AlignVCenter | Qt::AlignLeft,
                 PathText(line));
}

void CSpotRRowPainter::PaintWork(QPainter *dc, const CPosition &line, const QRect &rect,
                                 bool selected, bool focus) const
{
    const QPalette palette = QApplication::palette();
    QColor text = Qt::black;
    if (selected) {
        dc->fillRect(rect, palette.color(QPalette::Highlight));
        text = focus ? QColor(255, 255, 0) : QColor(Qt::white);
    } else {
        dc->fillRect(rect, Qt::white);
    }
    if (!line.Selected)
        text = palette.color(QPalette::Disabled, QPalette::Text);
    const Columns c = ColumnsFor(rect.width());
    const int top = rect.top();
    const int h = rect.height();
    auto at = [&](int left, int width) {
        return QRect(rect.left() + left + kGap, top, width - 2 * kGap, h);
    };
    dc->setPen(palette.color(QPalette::Disabled, QPalette::Text));
    dc->setFont(m_plain);
    dc->drawText(at(0, c.first), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextWordWrap,
                 WorkText(line));
    const QRect colour = at(c.colour(), 2 * c.unit).adjusted(0, h / 4, 0, -h / 4);
    dc->fillRect(colour, line.Spot[SpotColour] == kSpotYellow ? kYellowWork : kGreenWork);
    dc->setPen(text);
    dc->setFont(m_bold);
    dc->drawText(at(c.quantity(), 2 * c.unit), Qt::AlignCenter, line.Quantity);
    dc->setFont(m_plain);
    dc->drawText(at(c.percent(), 3 * c.unit), Qt::AlignCenter, line.Spot[SpotMaPercentField]);
    dc->setFont(m_bold);
    dc->drawText(at(c.choice(), 4 * c.unit), Qt::AlignCenter, ChoiceText(line));
    if (LinePricesShown()) {
        const QRect price = at(c.price(), 3 * c.unit);
        dc->setFont(m_plain);
        dc->drawText(price.adjusted(0, 0, 0, -h / 2), Qt::AlignRight | Qt::AlignVCenter,
                     PriceText(line.Preise1.Gross));
        dc->setFont(m_italic);
        const QString net = PriceText(line.Preise1.Net);
        dc->drawText(price.adjusted(0, h / 2, 0, 0), Qt::AlignRight | Qt::AlignVCenter,
                     net.isEmpty() ? net : QLatin1Char('(') + net + QLatin1Char(')'));
    }
    dc->setPen(text);
    for (const int x : {c.colour(), c.quantity(), c.percent(), c.choice(), c.price()})
        dc->drawLine(rect.left() + x, top, rect.left() + x, rect.bottom());
    dc->drawLine(rect.left(), rect.bottom(), rect.right(), rect.bottom());
}

void CSpotRRowPainter::paint(QPainter *painter, const QStyleOptionViewItem &option,
                             const QModelIndex &index) const
{
    const auto *line = index.data(CSRPBbRowModel::LineRole).value<const CPosition *>();
    if (!line)
        return;
    painter->save();
    if (m_bPathList)
        PaintPath(painter, *line, option.rect);
    else
        PaintWork(painter, *line, option.rect, option.state & QStyle::State_Selected,
                  option.state & QStyle::State_HasFocus);
    painter->restore();
}

QSize CSpotRRowPainter::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const
{
    const QFontMetrics metrics(m_bold);
    const int lines = m_bPathList ? 1 : 2;
    return QSize(option.rect.width(), lines * metrics.height() + 2 * kGap);
}
