#pragma once
// A control of the package editing page that its row painter draws: the
// column header above the position list, the legend and the package sum
// below it. The sum is a button (it opens the direct price dialog); the
// other two only show.

#include <QAbstractButton>

#include <functional>

class CSRPBbPaintedButton : public QAbstractButton
{
    Q_OBJECT
public:
    using Painter = std::function<void(QPainter *painter, const QRect &rect)>;
    CSRPBbPaintedButton(Painter painter, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Painter m_painter;
};

class COwnBearbLB;
class CSRPBbRowModel;
class CSRPBbRowPainter;
class QVBoxLayout;

// The position list of a package with the column header above it and the
// legend and the package sum below, all in the grid of the list's rows,
// added to `body` in that order.
struct CSRPBbPositionBlock
{
    COwnBearbLB *list = nullptr;
    CSRPBbPaintedButton *columnHeader = nullptr;
    CSRPBbPaintedButton *legend = nullptr;
    CSRPBbPaintedButton *sum = nullptr;

    static CSRPBbPositionBlock Build(QWidget *parent, QVBoxLayout *body, const QString &listName,
                                     CSRPBbRowPainter *painter, CSRPBbRowModel *model);
};
