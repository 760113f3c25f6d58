#include "packages/SRPBbPaintedButton.h"

#include "common/OwnBearbLB.h"
#include "packages/SRPBbRowModel.h"
#include "packages/SRPBbRowPainter.h"
#include "packages/model/Position.h"

#include <QPainter>
#include <QScrollBar>
#include <QVBoxLayout>

#include <memory>

CSRPBbPaintedButton::CSRPBbPaintedButton(Painter painter, QWidget *parent)
    : QAbstractButton(parent), m_painter(std::move(painter))
{
    setFocusPolicy(Qt::NoFocus);
}

void CSRPBbPaintedButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_painter)
        m_painter(&painter, rect());
}

CSRPBbPositionBlock CSRPBbPositionBlock::Build(QWidget *parent, QVBoxLayout *body,
                                               const QString &listName, CSRPBbRowPainter *painter,
                                               CSRPBbRowModel *model)
{
    CSRPBbPositionBlock b;
    COwnBearbLB *list = b.list = new COwnBearbLB(parent);
    list->setObjectName(listName);
    list->setItemDelegate(painter);
    list->setModel(model);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    painter->SetFonts(list->font());

    // The painted controls stand in one column with the header.
    auto header = std::make_shared<CSRPBbPaintedButton *>(nullptr);
    const auto rowLeft = [list, header] {
        return list->viewport()->x() + list->x() - (*header)->x();
    };
    b.columnHeader = new CSRPBbPaintedButton(
        [painter, list, rowLeft](QPainter *dc, const QRect &rect) {
            painter->PaintColumnHeader(dc, rect, rowLeft(), list->viewport()->width());
        },
        parent);
    *header = b.columnHeader;
    b.columnHeader->setObjectName(QStringLiteral("columnHeader"));
    b.columnHeader->setFixedHeight(painter->ColumnHeaderHeight());
    b.columnHeader->setEnabled(false);
    b.legend = new CSRPBbPaintedButton(
        [painter](QPainter *dc, const QRect &rect) { painter->PaintLegend(dc, rect); }, parent);
    b.legend->setObjectName(QStringLiteral("priceLegend"));
    b.legend->setFixedHeight(painter->LineHeight() + 10);
    b.sum = new CSRPBbPaintedButton(
        [painter, list, rowLeft](QPainter *dc, const QRect &rect) {
            painter->PaintSum(dc, rect, rowLeft(), list->viewport()->width());
        },
        parent);
    b.sum->setObjectName(QStringLiteral("sumButton"));
    b.sum->setFixedHeight(painter->LineHeight() + 12);

    body->setSpacing(2);
    body->addWidget(b.columnHeader);
    body->addWidget(list, 1);
    body->addWidget(b.legend);
    body->addWidget(b.sum);
    return b;
}
